#include "ui/controls/ZUDPColorMenuButton.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/Wnd.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/controls/ZUDPColorSeams.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_SERIAL(CZUDPColorMenuButton, CZUDPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

CZUDPColorMenuButton::CZUDPColorMenuButton() = default;

CZUDPColorMenuButton::CZUDPColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette, int iImage)
    : CZUDPToolbarMenuButton(uiCmdID, nullptr, iImage, lpszText)
{
    CZUDPColorBar::LoadColorsFromPalette(pPalette, m_Colors);
    COLORREF colorKnown = (COLORREF)-1;
    if (g_commandColors.Lookup(uiCmdID, colorKnown))
        m_Color = colorKnown;
    m_bDrawDownArrow = TRUE;
}

CZUDPColorMenuButton::~CZUDPColorMenuButton() { m_Palette.DeleteObject(); }

void CZUDPColorMenuButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable)
{
    m_bIsAutomaticButton = bEnable;
    m_strAutomaticButtonLabel = bEnable && lpszLabel != nullptr ? CString(lpszLabel) : CString();
    m_colorAutomatic = colorAutomatic;
}

void CZUDPColorMenuButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable)
{
    m_bIsOtherButton = bEnable;
    m_strOtherButtonLabel = bEnable && lpszLabel != nullptr ? CString(lpszLabel) : CString();
    m_bStdColorDlg = !bAltColorDlg;
}

void CZUDPColorMenuButton::EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable)
{
    m_bIsDocumentColors = bEnable;
    m_strDocumentColorsLabel = bEnable && lpszLabel != nullptr ? CString(lpszLabel) : CString();
}

// ---------------------------------------------------------------------------
// The colour

void CZUDPColorMenuButton::SetColor(COLORREF color, BOOL bNotify)
{
    m_Color = color;
    g_commandColors.SetAt(commandId, color);
    if (parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr) {
        CRect rectInvalidate = rect;
        parentWnd->InvalidateRect(&rectInvalidate);
    }
    if (!bNotify)
        return;
    CObList listButtons;
    CZUDPToolBar::CollectCommandButtons(commandId, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;) {
        CZUDPColorMenuButton* pOther = DYNAMIC_DOWNCAST(CZUDPColorMenuButton, listButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this)
            pOther->SetColor(color, FALSE);
    }
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPColorBar* pBar = DYNAMIC_DOWNCAST(CZUDPColorBar, g_toolbarList.GetNext(pos));
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->commandId == commandId)
            pBar->SetSelectedColor(color);
    }
}

BOOL CZUDPColorMenuButton::OpenColorDialog(COLORREF colorInitial, COLORREF& colorChosen)
{
    COLORREF color = colorInitial;
    const HWND hWndOwner = parentWnd != nullptr ? parentWnd->GetSafeHwnd() : nullptr;
    const INT_PTR nResult = m_bStdColorDlg ? g_colorChooserSeams.systemColorDialog(hWndOwner, colorInitial, &color)
                                           : g_commandBarsSeams.libraryColorDialog(hWndOwner, colorInitial, &color);
    if (nResult != IDOK)
        return FALSE;
    colorChosen = color;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Parent, copy, archive

void CZUDPColorMenuButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarButton::OnParentChanged(pWndParent);
    if (pWndParent != nullptr) {
        if (pWndParent->IsKindOf(RUNTIME_CLASS(CZUDPMenuBar)))
            showText = TRUE;
        if (pWndParent->IsKindOf(RUNTIME_CLASS(CZUDPPopupMenuBar))) {
            m_bMenuMode = TRUE;
            showText = TRUE;
        } else {
            m_bMenuMode = FALSE;
        }
    }
    m_bDrawDownArrow = TRUE;
}

void CZUDPColorMenuButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarMenuButton::CopyFrom(src);
    const CZUDPColorMenuButton* pSrc = DYNAMIC_DOWNCAST(CZUDPColorMenuButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr)
        return;
    m_Color = pSrc->m_Color;
    m_Colors.Copy(pSrc->m_Colors);
    m_bIsAutomaticButton = pSrc->m_bIsAutomaticButton;
    m_bIsOtherButton = pSrc->m_bIsOtherButton;
    m_bIsDocumentColors = pSrc->m_bIsDocumentColors;
    m_colorAutomatic = pSrc->m_colorAutomatic;
    m_strAutomaticButtonLabel = pSrc->m_strAutomaticButtonLabel;
    m_strOtherButtonLabel = pSrc->m_strOtherButtonLabel;
    m_strDocumentColorsLabel = pSrc->m_strDocumentColorsLabel;
    m_nColumns = pSrc->m_nColumns;
    m_nVertDockColumns = pSrc->m_nVertDockColumns;
    m_nHorzDockRows = pSrc->m_nHorzDockRows;
    m_bStdColorDlg = pSrc->m_bStdColorDlg;
}

void CZUDPColorMenuButton::Serialize(CArchive& ar)
{
    CZUDPToolbarMenuButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << int32_t(m_Colors.GetSize());
        for (INT_PTR i = 0; i < m_Colors.GetSize(); ++i)
            ar << uint32_t(m_Colors[i]);
        ar << int32_t(m_nColumns) << int32_t(m_nVertDockColumns) << int32_t(m_nHorzDockRows);
        ar << int32_t(m_bIsAutomaticButton) << int32_t(m_bIsOtherButton) << int32_t(m_bIsDocumentColors);
        ar << m_strAutomaticButtonLabel << m_strOtherButtonLabel << m_strDocumentColorsLabel;
        ar << uint32_t(m_colorAutomatic) << int32_t(m_bStdColorDlg);
        return;
    }
    int32_t nCount = 0;
    ar >> nCount;
    // The count comes from stored toolbar state: it must fit in what is
    // left of the archive before anything is allocated for it.
    if (nCount < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar.CheckCount(ULONGLONG(nCount), sizeof(uint32_t));
    CArray<COLORREF, COLORREF> colorsRead;
    colorsRead.SetSize(nCount);
    for (int32_t i = 0; i < nCount; ++i) {
        uint32_t uColor = 0;
        ar >> uColor;
        colorsRead[i] = COLORREF(uColor);
    }
    int32_t nColumns = 0, nVert = 0, nHorz = 0, nAutomatic = 0, nOther = 0, nDocument = 0, nStd = 0;
    uint32_t uAutomaticColor = 0;
    CString strAutomatic, strOther, strDocument;
    ar >> nColumns >> nVert >> nHorz >> nAutomatic >> nOther >> nDocument;
    ar >> strAutomatic >> strOther >> strDocument;
    ar >> uAutomaticColor >> nStd;
    m_Colors.Copy(colorsRead);
    m_nColumns = nColumns;
    m_nVertDockColumns = nVert;
    m_nHorzDockRows = nHorz;
    m_bIsAutomaticButton = nAutomatic;
    m_bIsOtherButton = nOther;
    m_bIsDocumentColors = nDocument;
    m_strAutomaticButtonLabel = strAutomatic;
    m_strOtherButtonLabel = strOther;
    m_strDocumentColorsLabel = strDocument;
    m_colorAutomatic = COLORREF(uAutomaticColor);
    m_bStdColorDlg = nStd;
    m_Palette.DeleteObject();

    // A loaded button takes the colour its command already shows.
    CObList listButtons;
    CZUDPToolBar::CollectCommandButtons(commandId, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;) {
        CZUDPColorMenuButton* pOther = DYNAMIC_DOWNCAST(CZUDPColorMenuButton, listButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this && pOther->m_Color != (COLORREF)-1)
            m_Color = pOther->m_Color;
    }
}

// ---------------------------------------------------------------------------
// Drawing

CRect CZUDPColorMenuButton::ColorStripRect(const CRect& rectImage) const
{
    CRect rectStrip = rectImage;
    const int nHeight = g_largeIcons && !m_bMenuMode ? 10 : 5;
    rectStrip.top = rectStrip.bottom - nHeight;
    rectStrip.OffsetRect(0, 1);
    return rectStrip;
}

void CZUDPColorMenuButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                      BOOL bGrayDisabledButtons)
{
    CZUDPToolbarMenuButton::DrawButton(pDC, rectButton, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                       bGrayDisabledButtons);
    if (pDC == nullptr || !showImage || GetActiveImage() < 0 || pImages == nullptr)
        return;

    HPALETTE hOldPalette = nullptr;
    if (g_uiEnvironment.m_bitsPerPixel == 8) {
        if (m_Palette.GetSafeHandle() == nullptr)
            CZUDPColorBar::BuildPaletteFromColors(m_Colors, m_Palette);
        if (m_Palette.GetSafeHandle() != nullptr) {
            hOldPalette = ::SelectPalette(pDC->GetSafeHdc(), (HPALETTE)m_Palette, FALSE);
            ::RealizePalette(pDC->GetSafeHdc());
        }
    } else {
        m_Palette.DeleteObject();
    }

    // The image is centred in the button, as the base draws it.
    CSize sizeImage = pImages->GetImageSize();
    const double dScale = g_uiEnvironment.GetDpiScale();
    if (dScale != 1.0)
        sizeImage = CSize(int(sizeImage.cx * dScale + 0.5), int(sizeImage.cy * dScale + 0.5));
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    CRect rectInner = rectButton;
    const CSize sizeExtra = useExtraSize ? pManager->GetButtonExtraSize() : CSize(0, 0);
    rectInner.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);
    m_rectImage = CRect(CPoint(rectInner.left + (rectInner.Width() - sizeImage.cx) / 2,
                               rectInner.top + (rectInner.Height() - sizeImage.cy) / 2),
                        sizeImage);
    CRect rectColor = ColorStripRect(m_rectImage);

    if (bHighlight && !bCustomizeMode && pManager->m_shadowHighlightedImage &&
        !g_uiEnvironment.IsContrastColorScheme() && (style & 0x70000) == 0) {
        CBrush brushShadow;
        brushShadow.CreateSolidBrush(g_uiEnvironment.m_colorBarShadow);
        pDC->FillRect(&rectColor, &brushShadow);
        rectColor.OffsetRect(-1, -1);
    }

    COLORREF color;
    if (style & TBBS_DISABLED)
        color = g_uiEnvironment.m_colorBarShadow;
    else
        color = m_Color == (COLORREF)-1 ? m_colorAutomatic : m_Color;
    pDC->FillSolidRect(&rectColor, PALETTERGB(GetRValue(color), GetGValue(color), GetBValue(color)));

    if (pManager->m_flatMenuLook) {
        if (color == g_uiEnvironment.m_colorBarFace)
            pDC->Draw3dRect(&rectColor, g_uiEnvironment.m_colorBarDarkShadow, g_uiEnvironment.m_colorBarDarkShadow);
    } else {
        pDC->Draw3dRect(&rectColor, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarLight);
    }

    if (hOldPalette != nullptr)
        ::SelectPalette(pDC->GetSafeHdc(), hOldPalette, FALSE);
}

int CZUDPColorMenuButton::DrawInCommandList(CDC* pDC, const CRect& rectItem, BOOL bSelected)
{
    const UINT uiCmdSaved = commandId;
    commandId = 0;
    const int nWidth = CZUDPToolbarMenuButton::DrawInCommandList(pDC, rectItem, bSelected);
    commandId = uiCmdSaved;
    return nWidth;
}
