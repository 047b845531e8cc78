#include "ui/controls/ZUDPColorMenuButton.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/Wnd.h"
#include "ui/commandbars/ZUDPColorBar.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPMessages.h"
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
    showMenuArrow = TRUE;
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
            inPopupMenu = TRUE;
            showText = TRUE;
        } else {
            inPopupMenu = FALSE;
        }
    }
    showMenuArrow = TRUE;
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
    CArray<COLORREF, COLORREF> colorsRead;
    CZUDPColorBar::ReadColorList(ar, colorsRead);
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
    const int nHeight = g_largeIcons && !inPopupMenu ? 10 : 5;
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

// ---------------------------------------------------------------------------
// The popup

CZUDPPopupMenu* CZUDPColorMenuButton::CreatePopupMenuObject()
{
    CList<COLORREF, COLORREF> documentColors;
    if (m_bIsDocumentColors && parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr) {
        if (CFrameWnd* pFrame = GetTopLevelFrameOrInPlace(parentWnd))
            pFrame->SendMessage(ZUDTOOLBAR__GETDOCUMENTCOLORS, commandId, LPARAM(&documentColors));
    }
    CColorPopup* pPopup = new CColorPopup(
        this, m_Colors, m_Color, m_bIsAutomaticButton ? (LPCTSTR)m_strAutomaticButtonLabel : nullptr,
        m_bIsOtherButton ? (LPCTSTR)m_strOtherButtonLabel : nullptr,
        m_bIsDocumentColors ? (LPCTSTR)m_strDocumentColorsLabel : nullptr, documentColors, m_nColumns,
        m_nHorzDockRows, m_nVertDockColumns, m_colorAutomatic, commandId);
    pPopup->GetColorBar().useSystemColorDialog = m_bStdColorDlg;
    return pPopup;
}

BEGIN_MESSAGE_MAP(CColorPopup, CZUDPPopupMenu)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CColorPopup::CColorPopup(CZUDPColorMenuButton* pParentButton, const CArray<COLORREF, COLORREF>& colors,
                         COLORREF color, LPCTSTR lpszAutomaticLabel, LPCTSTR lpszOtherLabel,
                         LPCTSTR lpszDocumentLabel, const CList<COLORREF, COLORREF>& lstDocColors, int nColumns,
                         int nRowsDockHorz, int nColumnsDockVert, COLORREF colorAutomatic, UINT uiCommandID)
    : m_wndColorBar(colors, color, lpszAutomaticLabel, lpszOtherLabel, lpszDocumentLabel, lstDocColors, nColumns,
                    nRowsDockHorz, nColumnsDockVert, colorAutomatic, uiCommandID, nullptr)
{
    m_pParentBtn = pParentButton;
}

CColorPopup::~CColorPopup() = default;

int CColorPopup::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (g_customizeMode && !m_bEnabledInCustomizeMode)
        return -1;
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // The popup decided at creation whether it animates; an animating popup
    // shows its bar when the animation ends.
    DWORD dwStyle = WS_CHILD | CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_BORDER_BOTTOM | CBRS_HIDE_INPLACE |
                    CBRS_TOOLTIPS | CBRS_FLYBY;
    if (!m_bAnimating)
        dwStyle |= WS_VISIBLE;
    if (!m_wndColorBar.CreateBar(this, dwStyle, 1))
        return -1;
    m_wndColorBar.SetOwner(m_pWndCreator);
    m_wndColorBar.ReplaceBarStyle(m_wndColorBar.GetBarStyle() | CBRS_TOOLTIPS);
    // A frame that refuses the popup fails its creation (the window then
    // takes the object with it, once).
    if (!RegisterWithFrame(RegistrationFrame(), this))
        return -1;
    // The popup's own placement sizes the window for the whole bar, with
    // its border and shadow.
    RecalcLayout(TRUE);
    return 0;
}

CZUDPControlBar* CColorPopup::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName)
{
    CZUDPColorMenuButton* pButton = DYNAMIC_DOWNCAST(CZUDPColorMenuButton, m_pParentBtn);
    if (pButton == nullptr)
        return nullptr;
    CZUDPColorBar* pBar = new CZUDPColorBar(m_wndColorBar, pButton->commandId);
    if (!pBar->CreatePaletteBar(pWndMain,
                                WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_BORDER_BOTTOM |
                                    CBRS_HIDE_INPLACE,
                                uiID)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);
    pBar->ReplaceBarStyle(pBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    pBar->SetDockableSides(CBRS_ALIGN_ANY);
    return pBar;
}
