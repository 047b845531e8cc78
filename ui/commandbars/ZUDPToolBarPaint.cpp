// The toolbar's painting: the background, every button with the image
// list its state asks for, the separators, the customization selection
// and the insertion mark, all through the visual manager, off screen.
#include "ui/commandbars/ZUDPToolBar.h"

#include "framework/win/DC.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

namespace {

// The image lists of one paint.
struct PaintImageLists {
    CZUDPToolBarImages* normal = nullptr;
    CZUDPToolBarImages* cold = nullptr;
    CZUDPToolBarImages* disabled = nullptr;
    CZUDPToolBarImages* menu = nullptr;
    CZUDPToolBarImages* disabledMenu = nullptr;
};

BOOL HasImages(const CZUDPToolBarImages* pImages) { return pImages != nullptr && pImages->GetCount() > 0; }

// The list takes the current button-face colour: its light and shadow
// copies are made again when the face changed since it last adapted.
void AdaptToFaceColor(CZUDPToolBarImages& images)
{
    if (images.GetAdaptedFaceColor() == g_uiEnvironment.m_colorButtonFace)
        return;
    images.SetAdaptedFaceColor(g_uiEnvironment.m_colorButtonFace);
    if (images.GetImageBitmap() != nullptr) {
        images.RebuildDerivedImage(FALSE);
        images.RebuildDerivedImage(TRUE);
    }
}

// One drawing pass of an image list at a time: a new list finishes the
// pass of the previous one.
class CImagePass {
public:
    CImagePass(CSize sizeImage, double dScale, BOOL bFade) : m_sizeImage(sizeImage), m_dScale(dScale), m_bFade(bFade) {}
    ~CImagePass() { Finish(); }
    CImagePass(const CImagePass&) = delete;
    CImagePass& operator=(const CImagePass&) = delete;

    // Begins a pass on the list unless it is the current one; FALSE when
    // the pass cannot begin.
    BOOL Use(CZUDPToolBarImages* pImages)
    {
        if (pImages == m_pCurrent)
            return m_pCurrent != nullptr;
        Finish();
        if (pImages == nullptr)
            return FALSE;
        AdaptToFaceColor(*pImages);
        if (m_dScale != 1.0 && !pImages->IsScaled())
            pImages->ResampleByScale(m_dScale);
        if (!pImages->BeginDrawing(m_state, m_sizeImage.cx, m_sizeImage.cy, m_bFade))
            return FALSE;
        m_pCurrent = pImages;
        return TRUE;
    }
    void Finish()
    {
        if (m_pCurrent != nullptr)
            m_pCurrent->FinishDrawing(m_state);
        m_pCurrent = nullptr;
    }

private:
    CSize m_sizeImage;
    double m_dScale;
    BOOL m_bFade;
    CZUDPToolBarImages* m_pCurrent = nullptr;
    CZUDPImageDrawState m_state;
};

// Puts the visual manager's fade-inactive-images setting back.
class CFadeSettingGuard {
public:
    explicit CFadeSettingGuard(CZUDPVisualManager* pManager)
        : m_pManager(pManager), m_nSaved(pManager->m_fadeInactiveImage)
    {
    }
    ~CFadeSettingGuard() { m_pManager->m_fadeInactiveImage = m_nSaved; }
    CFadeSettingGuard(const CFadeSettingGuard&) = delete;
    CFadeSettingGuard& operator=(const CFadeSettingGuard&) = delete;
    int Saved() const { return m_nSaved; }

private:
    CZUDPVisualManager* m_pManager;
    int m_nSaved;
};

} // namespace

BOOL CZUDPToolBar::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

BOOL CZUDPToolBar::IsButtonHighlighted(int iIndex) const
{
    if (g_customizeMode && !m_bLocked)
        return FALSE;
    if (m_bMenuMode)
        return iIndex == m_iHot;
    return (iIndex == m_iHot || iIndex == m_iButtonCapture) && (m_iButtonCapture == -1 || iIndex == m_iButtonCapture);
}

void CZUDPToolBar::PaintBar(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    // Whatever way painting ends, the glass state and the fade setting
    // come back and the off-screen surface reaches the screen.
    CZUDPDrawOnGlass glass(IsOnGlass());
    CRect rectClip;
    pDC->GetClipBox(&rectClip);
    CZUDPMemDC memDC(*pDC, this);
    PaintButtons(&memDC.GetDC(), rectClip);
}

void CZUDPToolBar::PaintButtons(CDC* pDC, const CRect& rectClip)
{
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const BOOL bHorz = IsHorizontal();
    CRect rectClient;
    GetClientRect(&rectClient);

    // 3-5: background and text defaults.
    if (GetStyle() & TBSTYLE_TRANSPARENT)
        m_Impl.DrawParentBackground(pDC);
    else
        pManager->FillBarBackground(pDC, this, rectClient, rectClip, FALSE);
    DrawRarelyUsedItems(pDC);
    pDC->SetTextColor(g_uiEnvironment.m_colorButtonText);
    pDC->SetBkMode(TRANSPARENT);

    // 6-7: scale and image lists.
    const BOOL bNoScaling = m_bLocked ? m_bNoImageScalingLocked : g_noImageScaling;
    const double dScale = bNoScaling ? 1.0 : g_uiEnvironment.GetDpiScale();
    const BOOL bLarge = g_largeIcons && m_bLargeIconsAreEnabled && !m_bMenuMode;
    PaintImageLists lists;
    if (m_bLocked) {
        lists.normal = bLarge && HasImages(&m_LargeImagesLocked) ? &m_LargeImagesLocked : &m_ImagesLocked;
        lists.cold = bLarge && HasImages(&m_LargeColdImagesLocked) ? &m_LargeColdImagesLocked : &m_ColdImagesLocked;
        lists.disabled = bLarge && HasImages(&m_LargeDisabledImagesLocked) ? &m_LargeDisabledImagesLocked
                                                                          : &m_DisabledImagesLocked;
        lists.menu = &m_MenuImagesLocked;
        lists.disabledMenu = &m_DisabledMenuImagesLocked;
    } else {
        lists.normal = bLarge && HasImages(&g_sharedLargeImages) ? &g_sharedLargeImages : &g_sharedToolbarImages;
        lists.cold = bLarge && HasImages(&g_sharedLargeColdImages) ? &g_sharedLargeColdImages : &g_sharedColdImages;
        lists.disabled = bLarge && HasImages(&g_sharedLargeDisabledImages) ? &g_sharedLargeDisabledImages
                                                                          : &g_sharedDisabledImages;
        lists.menu = &g_sharedMenuImages;
        lists.disabledMenu = &g_sharedDisabledMenuImages;
    }
    AdaptToFaceColor(*lists.normal);
    CFadeSettingGuard fade(pManager);

    // 10: the size images are drawn at (0: the list's own).
    CSize sizeImage = m_bMenuMode ? s_sizeMenuImage : GetImageSize();
    if (dScale != 1.0) {
        if (m_bMenuMode && s_sizeMenuImage.cx == -1)
            sizeImage = dScale > 1.0 && m_bLargeIconsAreEnabled ? s_sizeImage : GetImageSize();
        sizeImage = CSize(int(sizeImage.cx * dScale + 0.5), int(sizeImage.cy * dScale + 0.5));
    }
    if (sizeImage.cx < 1 || sizeImage.cy < 1)
        sizeImage = CSize(0, 0);

    // 11: the pass on the normal list; without it only the background shows.
    const BOOL bHasBitmap = lists.normal->GetImageBitmap() != nullptr;
    CImagePass pass(sizeImage, dScale, fade.Saved());
    if (bHasBitmap && !pass.Use(lists.normal))
        return;

    // 12: font, and no fading of images that have cold forms.
    HGDIOBJ hOldFont = pDC->SelectObject((HGDIOBJ)MeasuringFont());
    if (HasImages(lists.cold))
        pManager->m_fadeInactiveImage = 0;

    // 13: the buttons.
    int iIndex = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++iIndex) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (!pButton->visible)
            continue;
        CRect rectInter;
        if (pButton->IsSeparator()) {
            CRect rectSeparator;
            GetButtonDrawRect(pButton, rectSeparator, bHorz);
            if (!pButton->overflowHidden && rectInter.IntersectRect(&rectSeparator, &rectClip))
                DrawSeparator(pDC, rectSeparator, pButton->wrapAfter && bHorz ? FALSE : bHorz);
            continue;
        }
        if (!rectInter.IntersectRect(&pButton->rect, &rectClip) || !pDC->RectVisible(&pButton->rect))
            continue;
        const BOOL bHighlighted = IsButtonHighlighted(iIndex);
        const BOOL bDisabled = (pButton->style & TBBS_DISABLED) && !g_customizeMode;
        BOOL bDisabledImageUsed = FALSE;
        CZUDPToolBarImages* pImages = nullptr;
        if (bHasBitmap) {
            if (pButton->usesUserImage) {
                // No image at all without an installed user image list.
                pImages = pButton->userImageIndex >= 0 ? g_sharedUserImages : nullptr;
            } else if (m_bMenuMode) {
                if (bDisabled && HasImages(lists.disabledMenu)) {
                    pImages = lists.disabledMenu;
                    bDisabledImageUsed = TRUE;
                } else if (HasImages(lists.menu)) {
                    pImages = lists.menu;
                } else if (bDisabled && HasImages(lists.disabled)) {
                    pImages = lists.disabled;
                    bDisabledImageUsed = TRUE;
                } else {
                    pImages = lists.normal;
                }
            } else {
                if (bDisabled && HasImages(lists.disabled)) {
                    pImages = lists.disabled;
                    bDisabledImageUsed = TRUE;
                } else {
                    pImages = lists.normal;
                }
                if (HasImages(lists.cold) && !bHighlighted && !bDisabledImageUsed &&
                    !(pButton->style & TBBS_PRESSED) && !pButton->IsDroppedDown())
                    pImages = lists.cold;
            }
            if (pImages != nullptr && !pass.Use(pImages))
                pImages = nullptr;
        }
        DrawOneButton(pDC, pButton, pImages, bHighlighted, bDisabledImageUsed);
    }

    // 14-16: customization selection and insertion mark.
    if (m_iSelected >= GetCount())
        m_iSelected = -1;
    if ((g_customizeMode || g_quickCustomize) && m_iSelected >= 0 && !m_bLocked && g_customizeSelectedBar == this) {
        CZUDPToolbarButton* pSelected = GetButtonAt(m_iSelected);
        if (pSelected != nullptr && pSelected->CanBeDragged()) {
            CRect rectFrame = pSelected->rect;
            const COLORREF clrFrame = g_uiEnvironment.m_colorButtonText;
            pDC->Draw3dRect(&rectFrame, clrFrame, clrFrame);
            rectFrame.DeflateRect(1, 1);
            pDC->Draw3dRect(&rectFrame, clrFrame, clrFrame);
        }
    }
    if (g_customizeMode && m_iDragIndex >= 0 && !m_bLocked)
        DrawDragMarker(pDC);
    pDC->SelectObject(hOldFont);
}

BOOL CZUDPToolBar::DrawOneButton(CDC* pDC, CZUDPToolbarButton* pButton, CZUDPToolBarImages* pImages,
                                 BOOL bHighlighted, BOOL bDrawDisabledImages)
{
    if (pDC == nullptr || pButton == nullptr || !pButton->visible || pButton->overflowHidden ||
        !pDC->RectVisible(&pButton->rect))
        return TRUE;
    const BOOL bCustomizeLook = g_customizeMode && !g_quickCustomize && !m_bLocked;
    pButton->DrawButton(pDC, pButton->rect, pImages, IsHorizontal(), bCustomizeLook, bHighlighted, m_bDrawBorders,
                        m_bGrayDisabledButtons && !bDrawDisabledImages);
    return TRUE;
}

BOOL CZUDPToolBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz)
{
    CZUDPVisualManager::GetActiveManager()->DrawSeparator(pDC, this, rect, bHorz);
    return TRUE;
}

void CZUDPToolBar::GetButtonDrawRect(CZUDPToolbarButton* pButton, CRect& rect, BOOL bHorz) const
{
    rect = pButton->rect;
    if (pButton->wrapAfter && bHorz && m_hWnd != nullptr) {
        CRect rectClient;
        GetClientRect(&rectClient);
        rect.left = rectClient.left;
        rect.right = rectClient.right;
        rect.top = pButton->rect.bottom;
        rect.bottom = rect.top + 5;
    }
}

void CZUDPToolBar::DrawDragMarker(CDC* pDC)
{
    if (pDC == nullptr || m_rectDrag.IsRectEmpty())
        return;
    CPen* pOldPen = pDC->SelectObject(&m_penDrag);
    const CRect& r = m_rectDrag;
    for (int i = 0; i < 2; ++i) {
        if (IsHorizontal()) {
            const int x = r.left + (r.right - r.left) / 2 + i - 1;
            pDC->MoveTo(x, r.top);
            pDC->LineTo(x, r.bottom);
            pDC->MoveTo(r.left + i, r.top + i);
            pDC->LineTo(r.right - i, r.top + i);
            pDC->MoveTo(r.left + i, r.bottom - i - 1);
            pDC->LineTo(r.right - i, r.bottom - i - 1);
        } else {
            const int y = r.top + (r.bottom - r.top) / 2 + i - 1;
            pDC->MoveTo(r.left, y);
            pDC->LineTo(r.right, y);
            pDC->MoveTo(r.left + i, r.top + i);
            pDC->LineTo(r.left + i, r.bottom - i);
            pDC->MoveTo(r.right - i - 1, r.top + i);
            pDC->LineTo(r.right - i - 1, r.bottom - i);
        }
    }
    pDC->SelectObject(pOldPen);
}

// ---------------------------------------------------------------------------
// Colours, fonts and the visual manager

void CZUDPToolBar::UpdateButtonFonts()
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos))->UpdateFont();
}

void CZUDPToolBar::RefreshImageColors()
{
    for (CZUDPToolBarImages* pImages :
         {&g_sharedToolbarImages, &g_sharedColdImages, &g_sharedDisabledImages, &g_sharedLargeImages,
          &g_sharedLargeColdImages, &g_sharedLargeDisabledImages, &g_sharedMenuImages, &g_sharedDisabledMenuImages,
          &m_ImagesLocked, &m_ColdImagesLocked, &m_DisabledImagesLocked, &m_LargeImagesLocked,
          &m_LargeColdImagesLocked, &m_LargeDisabledImagesLocked, &m_MenuImagesLocked, &m_DisabledMenuImagesLocked})
        pImages->ReloadForColorChange();
}

void CZUDPToolBar::OnVisualManagerChanged()
{
    if (m_hWnd == nullptr)
        return;
    m_bRoundShape = CZUDPVisualManager::GetActiveManager()->HasToolbarWindowRegion(this);
    ApplyWindowRegion();
    if (!m_bLocked && !IsTabbed())
        RecalcSizeInParent(TRUE);
    RefreshImageColors();
}

void CZUDPToolBar::OnSysColorChange()
{
    g_uiEnvironment.UpdateSysColors();
    CZUDPVisualManager::GetActiveManager()->ResetColors();
    RefreshImageColors();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

HBRUSH CZUDPToolBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const HBRUSH hBrush = (HBRUSH)Default();
    if (!CZUDPVisualManager::GetActiveManager()->UsesBarBackgroundForControls() && !(g_customizeMode && !m_bLocked))
        return hBrush;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pWnd != nullptr && pButton->OwnsWindow(pWnd->GetSafeHwnd())) {
            const HBRUSH hButtonBrush = pButton->GetCtlColorBrush(pDC, nCtlColor);
            return hButtonBrush != nullptr ? hButtonBrush : hBrush;
        }
    }
    return hBrush;
}

LRESULT CZUDPToolBar::OnSetControlAero(WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    m_bOnGlass = (BOOL)wParam;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos))->SetOnGlass((BOOL)wParam);
    return 0;
}

void CZUDPToolBar::RedrawMnemonicButtons()
{
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (pBar == nullptr || CWnd::FromHandlePermanent(pBar->m_hWnd) != pBar)
            continue;
        BOOL bAny = FALSE;
        int iIndex = 0;
        for (POSITION posButton = pBar->m_Buttons.GetHeadPosition(); posButton != nullptr; ++iIndex) {
            CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(pBar->m_Buttons.GetNext(posButton));
            if (!pButton->IsSeparator() && pButton->showText && pButton->text.Find('&') >= 0) {
                pBar->InvalidateButton(iIndex);
                bAny = TRUE;
            }
        }
        if (bAny)
            pBar->UpdateWindow();
    }
}
