// The toolbar's sizes and layout: how the bar measures itself, wraps its
// buttons into rows for a length, places them (moving those that do not
// fit on a docked bar to the overflow button), and keeps its row, rebar
// band or floating frame in step with its size.
#include "ui/commandbars/ZUDPToolBar.h"

#include <algorithm>

#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/Menu.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/docking/ZUDPReBar.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

namespace {

// The gap between two rows of a wrapped bar.
const int kRowGap = 5;
// The length that stands for "as long as it takes".
const int kUnlimited = 0x7FFF;

CSize Doubled(CSize size) { return CSize(size.cx * 2, size.cy * 2); }

// A DC of the bar (or of the screen while it has no window) with the
// bar's measuring font selected for its lifetime.
class CBarMeasureDC {
public:
    CBarMeasureDC(CWnd* pBar, HFONT hFont) : m_hWnd(pBar->GetSafeHwnd())
    {
        m_hDC = ::GetDC(m_hWnd);
        m_dc.Attach(m_hDC);
        m_hOldFont = ::SelectObject(m_hDC, hFont);
    }
    ~CBarMeasureDC()
    {
        ::SelectObject(m_hDC, m_hOldFont);
        m_dc.Detach();
        ::ReleaseDC(m_hWnd, m_hDC);
    }
    CBarMeasureDC(const CBarMeasureDC&) = delete;
    CBarMeasureDC& operator=(const CBarMeasureDC&) = delete;
    CDC* Get() { return &m_dc; }

private:
    HWND m_hWnd;
    HDC m_hDC;
    HGDIOBJ m_hOldFont;
    CDC m_dc;
};

CWnd* PermanentParent(const CWnd* pWnd)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    return hWnd != nullptr ? CWnd::FromHandlePermanent(::GetParent(hWnd)) : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------
// Sizes

CSize CZUDPToolBar::GetButtonSize() const
{
    CSize size;
    if (m_bLocked)
        size = m_bLargeIconsAreEnabled ? m_sizeLargeButtonLocked : m_sizeButtonLocked;
    else
        size = m_bLargeIconsAreEnabled ? s_sizeLargeButton : s_sizeButton;
    if (UsesButtonExtraSize()) {
        const CSize sizeExtra = CZUDPVisualManager::GetActiveManager()->GetButtonExtraSize();
        size.cx += sizeExtra.cx;
        size.cy += sizeExtra.cy;
    }
    return size;
}

CSize CZUDPToolBar::GetImageSize() const
{
    if (m_bLocked)
        return m_bLargeIconsAreEnabled ? m_sizeLargeImageLocked : m_sizeImageLocked;
    return m_bLargeIconsAreEnabled ? s_sizeLargeImage : s_sizeImage;
}

CSize CZUDPToolBar::GetMenuButtonSize() { return s_sizeMenuButton.cx != -1 ? s_sizeMenuButton : s_sizeButton; }

CSize CZUDPToolBar::GetMenuItemImageSize()
{
    CSize size = s_sizeMenuImage.cx != -1 ? s_sizeMenuImage : s_sizeImage;
    const double dScale = g_uiEnvironment.GetDpiScale();
    if (dScale != 1.0)
        size = CSize(int(size.cx * dScale + 0.5), int(size.cy * dScale + 0.5));
    return size;
}

int CZUDPToolBar::GetRowHeight() const
{
    if (m_bDrawTextLabels)
        return m_nMaxBtnHeight;
    int nHeight;
    if (m_bMenuMode)
        nHeight = s_sizeMenuButton.cy < 1 ? s_sizeButton.cy : s_sizeMenuButton.cy;
    else
        nHeight = GetButtonSize().cy;
    const int nTextHeight = IsHorizontal() ? g_uiEnvironment.m_textHeight : g_uiEnvironment.m_verticalTextHeight;
    return std::max(nHeight, nTextHeight);
}

int CZUDPToolBar::GetColumnWidth() const
{
    if (m_bMenuMode)
        return s_sizeMenuButton.cx < 1 ? s_sizeButton.cx : s_sizeMenuButton.cx;
    return GetButtonSize().cx;
}

void CZUDPToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    s_sizeButton = s_sizeLargeButton = sizeButton;
    s_sizeImage = s_sizeLargeImage = sizeImage;
    g_sharedToolbarImages.SetImageSize(sizeImage);
    g_sharedColdImages.SetImageSize(sizeImage);
    g_sharedDisabledImages.SetImageSize(sizeImage);
    g_sharedLargeImages.SetImageSize(Doubled(sizeImage));
    g_sharedLargeColdImages.SetImageSize(Doubled(sizeImage));
    g_sharedLargeDisabledImages.SetImageSize(Doubled(sizeImage));
    if (g_largeIcons) {
        s_sizeLargeButton = Doubled(sizeButton);
        s_sizeLargeImage = Doubled(sizeImage);
    }
    if (g_sharedUserImages != nullptr && !g_sharedUserImages->IsScaled()) {
        const double dScale = g_uiEnvironment.GetDpiScale();
        if (dScale != 1.0) {
            if (g_sharedUserImages->GetAdaptedFaceColor() != g_uiEnvironment.m_colorButtonFace) {
                g_sharedUserImages->SetAdaptedFaceColor(g_uiEnvironment.m_colorButtonFace);
                g_sharedUserImages->RebuildDerivedImage(FALSE);
                g_sharedUserImages->RebuildDerivedImage(TRUE);
            }
            g_sharedUserImages->ResampleByScale(dScale);
        } else {
            g_sharedUserImages->SetImageSize(sizeImage);
        }
    }
}

void CZUDPToolBar::SetMenuSizes(SIZE sizeButton, SIZE sizeImage)
{
    s_sizeMenuButton = sizeButton;
    s_sizeMenuImage = sizeImage;
    g_sharedMenuImages.SetImageSize(sizeImage);
    g_sharedDisabledMenuImages.SetImageSize(sizeImage);
}

void CZUDPToolBar::SetOwnSizes(SIZE sizeButton, SIZE sizeImage, BOOL bNoImageScaling)
{
    m_sizeButtonLocked = m_sizeLargeButtonLocked = sizeButton;
    m_sizeImageLocked = m_sizeLargeImageLocked = sizeImage;
    for (CZUDPToolBarImages* pImages : {&m_ImagesLocked, &m_ColdImagesLocked, &m_DisabledImagesLocked,
                                        &m_MenuImagesLocked, &m_DisabledMenuImagesLocked})
        pImages->SetImageSize(sizeImage);
    for (CZUDPToolBarImages* pImages : {&m_LargeImagesLocked, &m_LargeColdImagesLocked, &m_LargeDisabledImagesLocked})
        pImages->SetImageSize(Doubled(sizeImage));
    if (g_largeIcons) {
        m_sizeLargeButtonLocked = Doubled(sizeButton);
        m_sizeLargeImageLocked = Doubled(sizeImage);
    }
    m_bNoImageScalingLocked = bNoImageScaling;
}

void CZUDPToolBar::SetLargeIcons(BOOL bLargeIcons)
{
    g_largeIcons = bLargeIcons;
    s_sizeLargeButton = bLargeIcons ? Doubled(s_sizeButton) : s_sizeButton;
    s_sizeLargeImage = bLargeIcons ? Doubled(s_sizeImage) : s_sizeImage;
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (pBar == nullptr || CWnd::FromHandlePermanent(pBar->m_hWnd) != pBar)
            continue;
        if (pBar->m_bLocked) {
            const CSize sizeButton = bLargeIcons ? Doubled(pBar->m_sizeButtonLocked) : pBar->m_sizeButtonLocked;
            const CSize sizeImage = bLargeIcons ? Doubled(pBar->m_sizeImageLocked) : pBar->m_sizeImageLocked;
            if (sizeButton == pBar->m_sizeLargeButtonLocked && sizeImage == pBar->m_sizeLargeImageLocked)
                continue;
            pBar->m_sizeLargeButtonLocked = sizeButton;
            pBar->m_sizeLargeImageLocked = sizeImage;
        }
        pBar->UpdateLayout();
        if (pBar->m_bLocked) {
            if (CZUDPBaseControlBar* pParent = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, PermanentParent(pBar)))
                pParent->UpdateLayout();
        }
    }
}

HFONT CZUDPToolBar::MeasuringFont() const
{
    if (!IsHorizontal())
        return (HFONT)g_uiEnvironment.m_fontVerticalDown.GetSafeHandle();
    if (m_bInDialog)
        return (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    return (HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle();
}

// ---------------------------------------------------------------------------
// Measuring

int CZUDPToolBar::CalcMaxButtonHeight()
{
    m_bDrawTextLabels = FALSE;
    if (!IsHorizontal() || !m_bTextLabels)
        return 0;
    CBarMeasureDC dc(this, MeasuringFont());
    const CSize sizeButton = GetButtonSize();
    int nMaxHeight = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (!pButton->textBelowImage)
            continue;
        if (pButton->text.IsEmpty())
            UpdateButtonText(pButton);
        nMaxHeight = std::max(nMaxHeight, int(pButton->CalcSize(dc.Get(), sizeButton, TRUE).cy));
    }
    m_bDrawTextLabels = nMaxHeight > sizeButton.cy;
    return nMaxHeight;
}

CSize CZUDPToolBar::CalcSize(BOOL bVertDock)
{
    if (m_Buttons.IsEmpty())
        return GetButtonSize();
    CBarMeasureDC dc(this, MeasuringFont());
    const int nRowHeight = GetRowHeight();
    const int nColumnWidth = GetColumnWidth();
    CPoint pt = bVertDock ? CPoint(0, 1) : CPoint(1, 0);
    CSize sizeExtent(nColumnWidth, nRowHeight);
    const BOOL bFloating = IsFloating();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (bFloating && pButton == m_pCustomizeBtn)
            continue;
        const CSize sizeDefault(nColumnWidth, m_bDrawTextLabels ? GetButtonSize().cy : nRowHeight);
        CSize size = pButton->CalcSize(dc.Get(), sizeDefault, !bVertDock);
        if (m_bDrawTextLabels)
            size.cy = m_nMaxBtnHeight;
        if (bVertDock) {
            pt.y += size.cy;
            sizeExtent.cy = std::max(sizeExtent.cy, pt.y);
            sizeExtent.cx = std::max(sizeExtent.cx, size.cx);
            continue;
        }
        if (pButton->IsSeparator() && (pt.x == 1 || pButton->wrapAfter))
            size = CSize(0, 0);
        pt.x += size.cx;
        sizeExtent.cy = std::max(sizeExtent.cy, pt.y + size.cy);
        sizeExtent.cx = std::max(sizeExtent.cx, pt.x);
        if (pButton->wrapAfter) {
            pt.x = 1;
            pt.y += nRowHeight + kRowGap;
        }
    }
    return sizeExtent;
}

int CZUDPToolBar::WrapToolBar(int nWidth, int nHeight, CDC* pDC, int nColumnWidth, int nRowHeight)
{
    std::unique_ptr<CBarMeasureDC> pOwnDC;
    if (pDC == nullptr) {
        pOwnDC.reset(new CBarMeasureDC(this, MeasuringFont()));
        pDC = pOwnDC->Get();
    }
    if (nColumnWidth < 0)
        nColumnWidth = GetColumnWidth();
    if (nRowHeight < 0)
        nRowHeight = GetRowHeight();
    const CSize sizeDefault(nColumnWidth, nRowHeight);
    if (m_pCustomizeBtn != nullptr && !IsFloating() && IsHorizontal())
        nWidth -= m_pCustomizeBtn->CalcSize(pDC, sizeDefault, TRUE).cx;
    CRect rectClient(0, 0, 0, 0);
    if (m_hWnd != nullptr)
        GetClientRect(&rectClient);
    const int nLimit = IsFloating() ? kUnlimited : nHeight;
    int x = 0, y = rectClient.top, nRows = 0;
    CZUDPToolbarButton* pPrevious = nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == m_pCustomizeBtn)
            break;
        pButton->wrapAfter = FALSE;
        if (!pButton->visible)
            continue;
        CSize size = pButton->CalcSize(pDC, sizeDefault, TRUE);
        if (pButton->IsSeparator() && x == 0)
            size = CSize(0, 0);
        if (x + size.cx > nWidth && y + size.cy < nLimit && !pButton->IsSeparator() && pPrevious != nullptr) {
            pPrevious->wrapAfter = TRUE;
            y += size.cy + kRowGap;
            ++nRows;
            x = 0;
        }
        pPrevious = pButton;
        x += size.cx;
    }
    return nRows + 1;
}

void CZUDPToolBar::SizeToLength(int nLength, BOOL bLengthIsHeight)
{
    CBarMeasureDC dc(this, MeasuringFont());
    const int nColumnWidth = GetColumnWidth();
    const int nRowHeight = GetRowHeight();
    int nWidthToUse;
    if (bLengthIsHeight) {
        WrapToolBar(kUnlimited, kUnlimited, dc.Get(), nColumnWidth, nRowHeight);
        CSize size = CalcSize(FALSE);
        nWidthToUse = size.cx;
        if (size.cy < nLength) {
            // The narrowest width whose rows fit the height; the step is at
            // least one pixel and the search ends at the one-row width.
            const int nOneRowWidth = size.cx;
            const int nStep = std::max(1, int(GetButtonSize().cx));
            for (int nWidth = nStep; nWidth < nOneRowWidth; nWidth += nStep) {
                WrapToolBar(nWidth, kUnlimited, dc.Get(), nColumnWidth, nRowHeight);
                size = CalcSize(FALSE);
                nWidthToUse = size.cx;
                if (size.cy <= nLength)
                    break;
            }
        }
    } else {
        const int nRowsAtZero = WrapToolBar(0, kUnlimited, dc.Get(), nColumnWidth, nRowHeight);
        const int nRows = WrapToolBar(nLength, kUnlimited, dc.Get(), nColumnWidth, nRowHeight);
        if (nRowsAtZero != nRows) {
            int nLow = 0, nHigh = nLength;
            for (;;) {
                const int nMid = (nLow + nHigh) / 2;
                if (WrapToolBar(nMid, kUnlimited, dc.Get(), nColumnWidth, nRowHeight) == nRows) {
                    nHigh = nMid;
                } else if (nLow == nMid) {
                    WrapToolBar(nHigh, kUnlimited, dc.Get(), nColumnWidth, nRowHeight);
                    break;
                } else {
                    nLow = nMid;
                }
            }
        }
        nWidthToUse = CalcSize(FALSE).cx;
    }
    WrapToolBar(nWidthToUse, kUnlimited, dc.Get(), nColumnWidth, nRowHeight);
}

CSize CZUDPToolBar::CalcFixedSize(int nLength, DWORD bLengthIsHeight)
{
    if (m_pCustomizeBtn != nullptr)
        m_pCustomizeBtn->collapsed = FALSE;
    m_nMaxBtnHeight = CalcMaxButtonHeight();
    SizeToLength(nLength, bLengthIsHeight != 0);
    const CSize size = CalcSize(!IsHorizontal());
    if (GetParentDockBar() == nullptr)
        SetMRUWidth(IsHorizontal() ? size.cx : size.cy);
    return size;
}

CSize CZUDPToolBar::CalcStretchSize(BOOL bStretch, BOOL bHorz)
{
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CZUDPToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    if (m_pCustomizeBtn != nullptr)
        m_pCustomizeBtn->collapsed = FALSE;
    m_nMaxBtnHeight = CalcMaxButtonHeight();
    const DWORD dwBarStyle = GetBarStyle();
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    if (!(dwBarStyle & CBRS_SIZE_FIXED)) {
        int nWrapLength;
        BOOL bLengthIsHeight = FALSE;
        if (!(dwBarStyle & CBRS_SIZE_DYNAMIC)) {
            nWrapLength = bHorz ? kUnlimited : 0;
        } else if (dwMode & LM_MRUWIDTH) {
            nWrapLength = GetMRUWidth();
        } else if (dwMode & LM_HORZDOCK) {
            nWrapLength = kUnlimited;
        } else if (dwMode & LM_VERTDOCK) {
            nWrapLength = 0;
        } else if (nLength != -1) {
            CRect rectBorders(0, 0, 0, 0);
            DeflateRectByBorders(rectBorders, bHorz);
            if (dwMode & LM_LENGTHY) {
                nWrapLength = nLength + rectBorders.Height();
                bLengthIsHeight = TRUE;
            } else {
                nWrapLength = nLength + rectBorders.Width();
            }
        } else if (dwBarStyle & CBRS_FLOATING) {
            nWrapLength = GetMRUWidth();
        } else {
            nWrapLength = bHorz ? kUnlimited : 0;
        }
        SizeToLength(nWrapLength, bLengthIsHeight);
    }
    CSize size = CalcSize(!bHorz);
    if (m_pCustomizeBtn != nullptr && m_pCustomizeBtn->customizeCommandId < 1 &&
        m_pCustomizeBtn->hiddenButtons.IsEmpty()) {
        m_pCustomizeBtn->collapsed = TRUE;
        size = CalcSize(!bHorz);
    }
    if ((dwMode & LM_COMMIT) && bHorz && (dwBarStyle & CBRS_FLOATING) && (dwBarStyle & CBRS_SIZE_DYNAMIC))
        size.cx = GetMRUWidth();
    CRect rectBorders(0, 0, 0, 0);
    DeflateRectByBorders(rectBorders, bHorz);
    size.cx -= rectBorders.Width();
    size.cy -= rectBorders.Height();
    if (dwMode & LM_STRETCH) {
        if (bHorz)
            size.cx = std::max(int(size.cx), kUnlimited);
        else
            size.cy = std::max(int(size.cy), kUnlimited);
    }
    RebuildMnemonics();
    return size;
}

// ---------------------------------------------------------------------------
// Placing

void CZUDPToolBar::PositionButtons()
{
    if (m_Buttons.IsEmpty() || m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CBarMeasureDC dc(this, MeasuringFont());
    const int nRowHeight = GetRowHeight();
    const int nColumnWidth = GetColumnWidth();
    const BOOL bHorz = IsHorizontal();
    const BOOL bFloating = IsFloating();
    const int nStart = bHorz ? rectClient.left + 1 : rectClient.top + 1;
    int nRowTop = rectClient.top;

    // The room the overflow button keeps at the end of a docked bar.
    const BOOL bOverflowInUse = m_pCustomizeBtn != nullptr && !bFloating && !g_customizeMode;
    CSize sizeReserve(0, 0);
    if (bOverflowInUse) {
        m_pCustomizeBtn->hiddenButtons.RemoveAll();
        const BOOL bCollapsed = m_pCustomizeBtn->collapsed;
        m_pCustomizeBtn->collapsed = FALSE;
        const CSize sizeDefault = bHorz ? CSize(nColumnWidth, rectClient.Height()) : CSize(rectClient.Width(), nRowHeight);
        sizeReserve = m_pCustomizeBtn->CalcSize(dc.Get(), sizeDefault, bHorz);
        m_pCustomizeBtn->collapsed = bCollapsed;
    }
    int iLastBeforeOverflow = -1;
    if (m_pCustomizeBtn != nullptr)
        iLastBeforeOverflow = GetCount() - 2;

    int nPos = nStart;
    int nRowWidth = 0;
    BOOL bPrevSeparator = FALSE;
    CList<CZUDPToolbarButton*, CZUDPToolbarButton*> row;
    auto endRow = [&]() {
        if (bHorz && bFloating) {
            const int nShift = (rectClient.right - nRowWidth - nStart) / 2;
            if (nShift > 0) {
                for (POSITION posRow = row.GetHeadPosition(); posRow != nullptr;) {
                    CZUDPToolbarButton* pRowButton = row.GetNext(posRow);
                    pRowButton->rect.OffsetRect(nShift, 0);
                    pRowButton->RepositionControl();
                }
            }
        }
        row.RemoveAll();
        nRowTop += nRowHeight + kRowGap;
        nPos = nStart;
        nRowWidth = 0;
        bPrevSeparator = FALSE;
    };

    // Whether the tools of the tooltip control need registering again.
    BOOL bToolsChanged = int(m_tooltipButtons.size()) != GetCount();
    int iIndex = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++iIndex) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (!bToolsChanged && m_tooltipButtons[size_t(iIndex)] != pButton)
            bToolsChanged = TRUE;
        if (pButton == m_pCustomizeBtn)
            continue;
        CSize size = pButton->CalcSize(dc.Get(), CSize(nColumnWidth, nRowHeight), bHorz);
        if (pButton->textBelowImage && bHorz)
            size.cy = nRowHeight;
        BOOL bHidden = FALSE;
        if (pButton->IsSeparator() && (nPos == nStart || bPrevSeparator)) {
            size = CSize(0, 0);
            bHidden = TRUE;
        }
        CRect rectButton;
        const int nBefore = nPos;
        if (bHorz) {
            rectButton = CRect(nPos, nRowTop, nPos + size.cx, nRowTop + size.cy);
            nPos += size.cx;
            nRowWidth += size.cx;
        } else {
            rectButton = CRect(rectClient.left, nPos, rectClient.left + size.cx, nPos + size.cy);
            nPos += size.cy;
        }
        if (bOverflowInUse) {
            const BOOL bFreeReserve = iIndex == iLastBeforeOverflow && m_pCustomizeBtn->customizeCommandId < 1 &&
                                      m_pCustomizeBtn->hiddenButtons.IsEmpty();
            const CSize sizeRoom = bFreeReserve ? CSize(0, 0) : sizeReserve;
            const BOOL bPastEnd = bHorz ? rectButton.right > rectClient.right - sizeRoom.cx
                                        : rectButton.bottom > rectClient.bottom - sizeRoom.cy;
            if (bPastEnd) {
                bHidden = TRUE;
                nPos = nBefore;
                if (bHorz)
                    nRowWidth -= size.cx;
                m_pCustomizeBtn->hiddenButtons.AddTail(pButton);
            }
        }
        if (bHidden != pButton->overflowHidden) {
            pButton->overflowHidden = bHidden;
            pButton->ShowControl(!bHidden);
            bToolsChanged = TRUE;
        }
        if (rectButton != pButton->rect) {
            pButton->rect = rectButton;
            pButton->RepositionControl();
            bToolsChanged = TRUE;
        }
        if (!bHidden && pButton->visible) {
            bPrevSeparator = pButton->IsSeparator();
            row.AddTail(pButton);
        }
        if (bHorz && pButton->wrapAfter)
            endRow();
    }
    if (bHorz)
        endRow();

    if (m_pCustomizeBtn != nullptr) {
        const BOOL bShown = bOverflowInUse &&
                            (m_pCustomizeBtn->customizeCommandId > 0 || !m_pCustomizeBtn->hiddenButtons.IsEmpty());
        CRect rectOverflow(0, 0, 0, 0);
        if (bShown) {
            if (bHorz) {
                rectOverflow.right = rectClient.right - 1;
                rectOverflow.left = rectOverflow.right - sizeReserve.cx + 1;
                rectOverflow.top = rectClient.top;
                rectOverflow.bottom = rectClient.bottom;
            } else {
                rectOverflow.bottom = rectClient.bottom - 1;
                rectOverflow.top = rectOverflow.bottom - sizeReserve.cy;
                rectOverflow.left = rectClient.left;
                rectOverflow.right = rectClient.right;
            }
        }
        if (m_pCustomizeBtn->rect != rectOverflow || m_pCustomizeBtn->overflowHidden != !bShown)
            bToolsChanged = TRUE;
        m_pCustomizeBtn->rect = rectOverflow;
        m_pCustomizeBtn->overflowHidden = !bShown;
    }
    if (bToolsChanged || m_nTooltipsCount == 0)
        RebuildTooltips();
    RedrawOverflowArea();
}

void CZUDPToolBar::UpdateLayout()
{
    if (m_hWnd == nullptr || m_bInUpdateLayout)
        return;
    m_bInUpdateLayout = TRUE;
    const BOOL bHorz = IsHorizontal();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        pButton->textBelowImage = !pButton->IsSeparator() && m_bTextLabels && bHorz;
    }
    CWnd* pParent = PermanentParent(this);
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPReBar))) {
        const UINT nBands = UINT(pParent->SendMessage(RB_GETBANDCOUNT));
        for (UINT i = 0; i < nBands; ++i) {
            REBARBANDINFOA info = {};
            info.cbSize = std::min(UINT(sizeof(info)), g_uiEnvironment.GetRebarBandInfoSize());
            info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
            if (!pParent->SendMessage(RB_GETBANDINFOA, i, (LPARAM)&info) || info.hwndChild != m_hWnd)
                continue;
            m_nMaxBtnHeight = CalcMaxButtonHeight();
            CSize size = CalcSize(FALSE);
            CRect rectBorders(0, 0, 0, 0);
            DeflateRectByBorders(rectBorders, TRUE);
            size.cx = std::max(0, int(size.cx - rectBorders.Width()));
            size.cy = std::max(0, int(size.cy - rectBorders.Height()));
            info.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
            info.cxMinChild = UINT(s_sizeButton.cx);
            info.cyMinChild = UINT(size.cy);
            info.cxIdeal = UINT(size.cx);
            pParent->SendMessage(RB_SETBANDINFOA, i, (LPARAM)&info);
            break;
        }
    } else {
        ApplyLayoutSize();
    }
    PositionButtons();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    m_bInUpdateLayout = FALSE;
}

void CZUDPToolBar::ApplyLayoutSize()
{
    CFrameWnd* pFrame = GetEnclosingFrame(this);
    if (pFrame == nullptr)
        return;
    const BOOL bHorz = IsHorizontal();
    CSize size = CalcStretchSize(GetParentDockBar() == nullptr, bHorz);
    CWnd* pParent = PermanentParent(this);
    if (pParent != nullptr && (size.cx == kUnlimited || size.cy == kUnlimited)) {
        CRect rectParent;
        pParent->GetClientRect(&rectParent);
        if (size.cx == kUnlimited)
            size.cx = m_nMaxLen > 0 ? std::min(int(rectParent.Width()), m_nMaxLen) : rectParent.Width();
        if (size.cy == kUnlimited)
            size.cy = m_nMaxLen > 0 ? std::min(int(rectParent.Height()), m_nMaxLen) : rectParent.Height();
    }
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CZUDPTabWnd* pTabParent = DYNAMIC_DOWNCAST(CZUDPTabWnd, pParent);
    if (pTabParent != nullptr) {
        CRect rectTabArea;
        pTabParent->GetWndArea(rectTabArea);
        SetWindowPosDeferred(nullptr, 0, 0, rectTabArea.Width(), rectTabArea.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE, nullptr);
    } else if ((bHorz && rectWindow.Height() != size.cy) || (!bHorz && rectWindow.Width() != size.cx)) {
        CSize sizeNew = size;
        if (!g_customizeMode) {
            CSize sizeMin;
            GetMinSize(sizeMin);
            sizeNew.cx = std::max(sizeNew.cx, sizeMin.cx);
            sizeNew.cy = std::max(sizeNew.cy, sizeMin.cy);
        }
        SetWindowPos(nullptr, 0, 0, sizeNew.cx, sizeNew.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateVirtualRect();
    }
    CZUDPDockBar* pDockBar = GetParentDockBar();
    CZUDPDockBarRow* pRow = GetDockBarRow();
    if (pDockBar != nullptr && pRow != nullptr && (GetStyle() & WS_VISIBLE)) {
        const int nThickness = bHorz ? size.cy : size.cx;
        if (pRow->GetHeight() != nThickness)
            pDockBar->ResizeRow(pRow, nThickness);
        if (g_customizeMode) {
            GetWindowRect(&rectWindow);
            CRect rectVirtual(rectWindow.TopLeft(), size);
            if (pParent != nullptr)
                pParent->ScreenToClient(&rectVirtual);
            m_rectVirtual = rectVirtual;
            pRow->FitBarsToLength();
        }
    } else {
        CZUDPMiniFrameWnd* pMiniFrame = DYNAMIC_DOWNCAST(CZUDPMiniFrameWnd, pParent);
        if (pMiniFrame != nullptr) {
            pMiniFrame->SizeToHostedBar();
            pMiniFrame->RedrawWindow();
            return;
        }
    }
    pFrame->RecalcLayout(TRUE);
}

void CZUDPToolBar::RecalcLayoutNow()
{
    if (IsFloating())
        UpdateLayout();
    else
        RecalcSizeInParent(TRUE);
}

void CZUDPToolBar::OnFloated()
{
    CZUDPBaseToolBar::OnFloated();
    CalcFixedSize(GetMRUWidth(), FALSE);
    if (CZUDPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE))
        pMiniFrame->SizeToHostedBar();
    m_bFloating = TRUE;
}

void CZUDPToolBar::OnAfterDock(CZUDPBaseControlBar* pTarget, LPCRECT lpRect, int nDockMethod)
{
    CZUDPBaseToolBar::OnAfterDock(pTarget, lpRect, nDockMethod);
    m_bFloating = FALSE;
    CWnd* pParent = PermanentParent(this);
    if (pParent == nullptr)
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    pParent->ScreenToClient(&rectWindow);
    pParent->RedrawWindow(&rectWindow, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------
// Window messages of the layout

void CZUDPToolBar::OnSize(UINT nType, int cx, int cy)
{
    ApplyWindowRegion();
    CZUDPBaseToolBar::OnSize(nType, cx, cy);
    if (g_customizeMode && !m_bLocked)
        OnCancelMode();
    if (!m_bNoLayoutOnSize)
        PositionButtons();
    if (IsFloating()) {
        CFrameWnd* pFrame = GetEnclosingFrame(this);
        if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
            if (CMenu* pSysMenu = pFrame->GetSystemMenu(FALSE)) {
                pSysMenu->DeleteMenu(SC_RESTORE, MF_BYCOMMAND);
                pSysMenu->DeleteMenu(SC_MINIMIZE, MF_BYCOMMAND);
                pSysMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
                if (!CanClose())
                    pSysMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
            }
        }
    }
}

void CZUDPToolBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    Default();
    (void)lpwndpos;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const CSize sizeNew = rectWindow.Size();
    CWnd* pParent = PermanentParent(this);
    if (sizeNew.cx > m_sizeLast.cx || sizeNew.cy > m_sizeLast.cy ||
        (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPReBar))))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    m_sizeLast = sizeNew;
    RedrawOverflowArea();
}

void CZUDPToolBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    Default();
    (void)lpwndpos;
    CWnd* pParent = PermanentParent(this);
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPReBar)))
        UpdateLayout();
}

void CZUDPToolBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CZUDPBaseToolBar::OnSettingChange(uFlags, lpszSection);
    if (uFlags == SPI_SETICONTITLELOGFONT || uFlags == SPI_SETNONCLIENTMETRICS || uFlags == SPI_SETWORKAREA) {
        g_uiEnvironment.UpdateFonts();
        UpdateLayout();
    }
}

void CZUDPToolBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    (void)bCalcValidRects;
    if (lpncsp != nullptr)
        m_Impl.CalcNcSize(&lpncsp->rgrc[0]);
}

void CZUDPToolBar::OnNcPaint()
{
    const MSG* pMsg = GetCurrentMessage();
    m_Impl.DrawNcArea(pMsg != nullptr && pMsg->message == WM_NCPAINT ? (HRGN)pMsg->wParam : (HRGN)1);
}

void CZUDPToolBar::ApplyWindowRegion()
{
    if (m_hWnd == nullptr)
        return;
    if (m_bRoundShape && GetParentDockBar() != nullptr) {
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        HRGN hRgn = ::CreateRoundRectRgn(0, 0, rectWindow.Width() + 1, rectWindow.Height() + 1, 4, 4);
        if (hRgn != nullptr && !::SetWindowRgn(m_hWnd, hRgn, TRUE))
            ::DeleteObject(hRgn);
        m_bRegionApplied = TRUE;
    } else if (m_bRegionApplied) {
        ::SetWindowRgn(m_hWnd, nullptr, TRUE);
        m_bRegionApplied = FALSE;
    }
}

// ---------------------------------------------------------------------------
// Repainting helpers

CZUDPToolbarButton* CZUDPToolBar::InvalidateButton(int iIndex)
{
    CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    if (pButton == nullptr || m_hWnd == nullptr)
        return pButton;
    CRect rect;
    GetInvalidateItemRect(iIndex, &rect);
    if (pButton == m_pCustomizeBtn) {
        rect.right += 10;
        rect.bottom += 10;
    }
    InvalidateRect(&rect, TRUE);
    if (pButton == m_pCustomizeBtn) {
        const CSize sizeExtra = CZUDPVisualManager::GetActiveManager()->GetButtonExtraSize();
        if (sizeExtra.cx != 0 || sizeExtra.cy != 0) {
            rect.InflateRect(sizeExtra);
            RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_FRAME);
        }
    }
    return pButton;
}

void CZUDPToolBar::RedrawOverflowArea()
{
    if (m_pCustomizeBtn == nullptr || m_hWnd == nullptr)
        return;
    CRect rect = m_pCustomizeBtn->GetInvalidateRect();
    rect.InflateRect(CZUDPVisualManager::GetActiveManager()->GetButtonExtraSize());
    rect.right += 10;
    rect.bottom += 10;
    RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}
