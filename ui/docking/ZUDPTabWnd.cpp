// The tab window's creation, style codes and layout: the tab height, the
// strip, the row's buttons, the shared scroll bar, the window area and the
// tabs' widths.
#include "ui/docking/ZUDPTabWnd.h"

#include "framework/win/DC.h"
#include "ui/docking/ZUDPMainClientAreaWnd.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "res/ui/docking.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// CZUDTabButton

IMPLEMENT_DYNCREATE(CZUDTabButton, CZUDPButton)

void CZUDTabButton::FillBackground(CDC* pDC, const CRect& rect)
{
    CZUDPTabWnd* pTabWnd = DYNAMIC_DOWNCAST(CZUDPTabWnd, GetParent());
    CZUDPVisualManager::GetActiveManager()->FillTabButton(pDC, rect, this, pTabWnd);
    if (pTabWnd != nullptr)
        m_nGlyphColor = pTabWnd->GetButtonGlyphColor(this);
}

void CZUDTabButton::DrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    CZUDPTabWnd* pTabWnd = DYNAMIC_DOWNCAST(CZUDPTabWnd, GetParent());
    CZUDPVisualManager::GetActiveManager()->DrawTabButtonBorder(pDC, rectClient, this, uiState, pTabWnd);
}

// ---------------------------------------------------------------------------
// CZUDPTabWnd

IMPLEMENT_DYNCREATE(CZUDPTabWnd, CZUDPBaseTabWnd)

BEGIN_MESSAGE_MAP(CZUDPTabWnd, CZUDPBaseTabWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETTINGCHANGE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_SETFOCUS()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_HSCROLL()
    ON_REGISTERED_MESSAGE(ZUDM_UPDATETOOLTIPS, &CZUDPTabWnd::OnUpdateToolTips)
END_MESSAGE_MAP()

namespace {

// The split cursors, loaded once per process.
HCURSOR g_splitCursorHorz = nullptr;
HCURSOR g_splitCursorVert = nullptr;

void LoadSplitCursors()
{
    static BOOL s_loaded = FALSE;
    if (s_loaded)
        return;
    s_loaded = TRUE;
    CZUDPLocalResource localResource;
    g_splitCursorHorz = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZUDP_SPLIT_HORZ));
    g_splitCursorVert = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZUDP_SPLIT_VERT));
}

CString TabWindowText(UINT nId)
{
    CZUDPLocalResource localResource;
    CString str;
    str.LoadString(nId);
    return str;
}

} // namespace

HCURSOR CZUDPTabWnd::GetSplitCursor(BOOL bVertical)
{
    LoadSplitCursors();
    return bVertical ? g_splitCursorVert : g_splitCursorHorz;
}

CZUDPTabWnd::CZUDPTabWnd()
{
    m_bAutoDestroyWindow = TRUE;
    m_bHideInactiveWindow = TRUE;
    m_iActiveTab = -1;
}

CZUDPTabWnd::~CZUDPTabWnd() = default;

int CZUDPTabWnd::TabOfListCommand(UINT uiCommand, int nTabs)
{
    // Only the 16-bit command word is trusted: it reads back as -100 - i.
    const int nSigned = int(short(LOWORD(uiCommand)));
    const int iTab = -100 - nSigned;
    return iTab >= 0 && iTab < nTabs ? iTab : -1;
}

// --- creation and style codes ------------------------------------------------

BOOL CZUDPTabWnd::CreateWithStyle(int nStyleCode, const RECT& rect, CWnd* pParentWnd, UINT nID,
                                  ZUDPTabLocation location, BOOL bCloseButton)
{
    m_bFlat = nStyleCode == TabStyleFlat || nStyleCode == TabStyleFlatSharedScrollBar;
    m_bSharedScroll = nStyleCode == TabStyleFlatSharedScrollBar;
    m_bScroll = nStyleCode != TabStyle3D && nStyleCode != TabStyleRounded;
    m_bIsStyle4 = nStyleCode == TabStyleSlanted;
    m_bIsStyle5 = nStyleCode == TabStyleShortSlant;
    m_bIsStyle6Or7 = nStyleCode == TabStyleRounded || nStyleCode == TabStyleRoundedScrolled;
    if (m_bIsStyle4)
        m_bHighlightHotTab = TRUE;
    m_location = location;
    m_bCloseBtn = bCloseButton;
    const CString strClass = g_uiEnvironment.RegisterWindowClass("ZUDPTabWnd");
    return CreateEx(0, strClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd,
                    nID);
}

BOOL CZUDPTabWnd::SetStyleCode(int nStyleCode)
{
    m_bFlat = nStyleCode == TabStyleFlat || nStyleCode == TabStyleFlatSharedScrollBar;
    m_bIsStyle4 = nStyleCode == TabStyleSlanted;
    m_bIsStyle5 = nStyleCode == TabStyleShortSlant;
    m_bIsStyle6Or7 = nStyleCode == TabStyleRounded || nStyleCode == TabStyleRoundedScrolled;
    m_bHighlightHotTab = m_bIsStyle4;
    UpdateButtonImages();
    RecalcTabHeight();
    return TRUE;
}

void CZUDPTabWnd::CreateRowButtons()
{
    struct Button {
        CZUDTabButton* pButton;
        int nGlyph, nDisabledGlyph;
        BOOL bRepeats;
        UINT nTip;
    };
    const BOOL bRepeats = !m_bIsStyle4 && !m_bIsStyle5;
    Button buttons[5];
    int n = 0;
    if (m_bFlat)
        buttons[n++] = {&m_btnScrollFirst, MenuGlyphArrowLeftAfterBar, 0, FALSE, 0};
    buttons[n++] = {&m_btnScrollLeft, m_bFlat ? MenuGlyphLargeArrowLeft : MenuGlyphScrollLeft,
                    m_bFlat ? 0 : MenuGlyphScrollLeftHollow, bRepeats, IDS_ZUDP_TAB_SCROLL_LEFT};
    buttons[n++] = {&m_btnScrollRight, m_bFlat ? MenuGlyphLargeArrowRight : MenuGlyphScrollRight,
                    m_bFlat ? 0 : MenuGlyphScrollRightHollow, bRepeats, IDS_ZUDP_TAB_SCROLL_RIGHT};
    if (m_bFlat)
        buttons[n++] = {&m_btnScrollLast, MenuGlyphArrowRightBeforeBar, 0, FALSE, 0};
    buttons[n++] = {&m_btnClose, MenuGlyphClose, 0, FALSE, IDS_ZUDP_TAB_CLOSE};

    for (int i = 0; i < n; ++i) {
        CZUDTabButton* pButton = buttons[i].pButton;
        if (!pButton->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, UINT(-1)))
            continue;
        pButton->m_nBorderStyle = CZUDPButton::BorderStyleFlat;
        pButton->m_bDrawFocus = FALSE;
        pButton->SetGlyphImage(buttons[i].nGlyph, GetButtonGlyphColor(pButton), buttons[i].nDisabledGlyph);
        if (buttons[i].bRepeats)
            pButton->SetAutoRepeatInterval(50);
        if (!m_bFlat && buttons[i].nTip != 0)
            pButton->SetTipText(TabWindowText(buttons[i].nTip));
        m_lstButtons.AddTail(pButton->GetSafeHwnd());
    }
}

void CZUDPTabWnd::CreateToolTips()
{
    if (!m_bFlat && CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_TAB) && m_pToolTip != nullptr)
        m_pToolTip->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTipClose, this, TIPKIND_TAB);
}

int CZUDPTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPBaseTabWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_bScroll)
        CreateRowButtons();
    if (m_bSharedScroll)
        m_wndScrollWnd.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 0, 0), this, UINT(-1));
    if (m_bFlat)
        m_brActiveTab.CreateSolidBrush(GetActiveTabBackColor());
    CreateToolTips();
    LoadSplitCursors();
    RecalcTabHeight();
    return 0;
}

void CZUDPTabWnd::OnDestroy()
{
    m_brActiveTab.DeleteObject();
    m_lstButtons.RemoveAll();
    CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTipClose);
    CZUDPBaseTabWnd::OnDestroy();
}

void CZUDPTabWnd::UpdateButtonImages()
{
    const int nRepeat = (m_bIsStyle4 || m_bTabListMenu) ? 0 : 50;
    m_btnScrollLeft.SetAutoRepeatInterval(nRepeat);
    m_btnScrollRight.SetAutoRepeatInterval(nRepeat);
    m_btnScrollLeft.SetGlyphImage(MenuGlyphScrollLeft, GetButtonGlyphColor(&m_btnScrollLeft),
                                  MenuGlyphScrollLeftHollow);
    m_nListGlyph = m_bTabListMenu ? MenuGlyphLargeArrowDown : -1;
    if (m_bTabListMenu)
        m_btnScrollRight.SetGlyphImage(MenuGlyphLargeArrowDown, GetButtonGlyphColor(&m_btnScrollRight),
                                       MenuGlyphLargeArrowDown);
    else
        m_btnScrollRight.SetGlyphImage(MenuGlyphScrollRight, GetButtonGlyphColor(&m_btnScrollRight),
                                       MenuGlyphScrollRightHollow);
    m_btnClose.SetGlyphImage(MenuGlyphClose, GetButtonGlyphColor(&m_btnClose));
}

int CZUDPTabWnd::GetButtonGlyphColor(CZUDPButton* pButton)
{
    const int nOverride = CZUDPVisualManager::GetActiveManager()->GetTabMetricOverride(this, pButton);
    if (nOverride != -1)
        return nOverride;
    return (m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7) ? MenuGlyphColorBlack : MenuGlyphColorDkGray;
}

BOOL CZUDPTabWnd::IsMDITabStrip() const
{
    return m_hWnd != nullptr && DYNAMIC_DOWNCAST(CZUDPMainClientAreaWnd, GetParent()) != nullptr;
}

// --- settings ----------------------------------------------------------------

void CZUDPTabWnd::SetButtonsVisible(BOOL bVisible)
{
    m_bButtonsVisible = bVisible;
    RecalcLayout();
}

void CZUDPTabWnd::SetHideWhenEmpty(BOOL bHide)
{
    const BOOL bChanged = !m_bHideNoTabs != !bHide;
    m_bHideNoTabs = bHide;
    if (bChanged && m_hWnd != nullptr) {
        RecalcLayout();
        SyncSharedScrollBar();
    }
}

void CZUDPTabWnd::HideForSingleTab(BOOL bHide)
{
    const BOOL bChanged = !m_bHideSingleTab != !bHide;
    m_bHideSingleTab = bHide;
    if (bChanged && m_hWnd != nullptr) {
        RecalcLayout();
        SyncSharedScrollBar();
    }
}

void CZUDPTabWnd::EnableBoldActiveTab(BOOL bBold)
{
    if (m_bFlat)
        bBold = FALSE;
    const BOOL bChanged = !m_bIsActiveTabBold != !bBold;
    m_bIsActiveTabBold = bBold;
    if (bChanged && m_hWnd != nullptr) {
        RecalcLayout();
        SyncSharedScrollBar();
    }
}

void CZUDPTabWnd::SetResizeBarMode(int nMode)
{
    m_nResizeMode = nMode;
    RecalcLayout();
}

void CZUDPTabWnd::EnableActiveTabCloseButton(BOOL bEnable)
{
    m_bActiveTabCloseButton = bEnable;
    RecalcLayout();
}

void CZUDPTabWnd::SetTabMaxWidth(int nWidth)
{
    m_nTabMaxWidth = std::max(nWidth, 0);
    RecalcLayout();
}

BOOL CZUDPTabWnd::SetImageListHandle(HIMAGELIST hImageList)
{
    return m_bFlat ? FALSE : CZUDPBaseTabWnd::SetImageListHandle(hImageList);
}

BOOL CZUDPTabWnd::LoadImageList(UINT uiBitmapId, int cx, COLORREF clrMask)
{
    return m_bFlat ? FALSE : CZUDPBaseTabWnd::LoadImageList(uiBitmapId, cx, clrMask);
}

void CZUDPTabWnd::EnableTabRename(BOOL bEnable)
{
    if (m_bFlat)
        m_bRenameEnabled = bEnable;
}

void CZUDPTabWnd::AdjustRenameEditRect(CRect& rect) const { rect.DeflateRect(GetTabHeight() / 2, 1); }

void CZUDPTabWnd::GetTabAreaRects(CRect& rectTop, CRect& rectBottom) const
{
    rectTop.SetRectEmpty();
    rectBottom.SetRectEmpty();
    if (m_location == TabLocationTop)
        rectTop = m_rectTabsArea;
    else
        rectBottom = m_rectTabsArea;
}

// --- tab height --------------------------------------------------------------

BOOL CZUDPTabWnd::IsRowHidden() const
{
    if (m_bSharedScroll)
        return FALSE;
    const int n = CountVisibleTabs();
    return (m_bHideSingleTab && n < 2) || (m_bHideNoTabs && n == 0);
}

int CZUDPTabWnd::GetTabHeight() const { return IsRowHidden() ? 0 : m_nTabsHeight; }

void CZUDPTabWnd::RecalcTabHeight()
{
    const int nExtra = CZUDPVisualManager::GetActiveManager()->HasTabWndCustomFrame(this);
    const int nCharHeight = g_uiEnvironment.m_textHeight - g_uiEnvironment.m_textMargin;

    if (m_bFlat) {
        m_nTabsHeight = nExtra + ::GetSystemMetrics(SM_CYHSCROLL) + 2;
        // The flat tabs' font: the library's font height in Arial, made
        // smaller until its characters fit the tab height.
        LOGFONTA lfRegular = {};
        g_uiEnvironment.m_fontRegular.GetLogFont(&lfRegular);
        LOGFONTA lf = {};
        lf.lfHeight = lfRegular.lfHeight;
        lf.lfCharSet = lfRegular.lfCharSet;
        lstrcpyA(lf.lfFaceName, "Arial");
        HWND hWndDC = m_hWnd;
        HDC hDC = ::GetDC(hWndDC);
        for (;;) {
            m_fntTabs.DeleteObject();
            m_fntTabs.CreateFontIndirect(&lf);
            TEXTMETRICA tm = {};
            HGDIOBJ hOld = ::SelectObject(hDC, m_fntTabs.m_hObject);
            ::GetTextMetricsA(hDC, &tm);
            ::SelectObject(hDC, hOld);
            if (m_nTabsHeight >= tm.tmHeight + 2)
                break;
            if (lf.lfHeight < 0)
                ++lf.lfHeight;
            else if (lf.lfHeight > 0)
                --lf.lfHeight;
            if (lf.lfHeight == 0)
                break;
        }
        ::ReleaseDC(hWndDC, hDC);
        lf.lfWeight = FW_BOLD;
        m_fntTabsBold.DeleteObject();
        m_fntTabsBold.CreateFontIndirect(&lf);
    } else if (m_bIsStyle5) {
        m_nTabsHeight = std::max<int>(nExtra + nCharHeight + 6, m_sizeImage.cy > 0 ? m_sizeImage.cy + 7 : 0);
    } else {
        CZUDPBaseTabWnd::RecalcTabHeight();
        m_nTabsHeight += nExtra;
    }
}

// --- layout ------------------------------------------------------------------

int CZUDPTabWnd::ButtonSize() const
{
    const int h = GetTabHeight();
    int s = CZUDPVisualManager::GetActiveManager()->GetButtonExtraSize().cx + GetMenuGlyphSize().cx + 4;
    if (!m_bFlat)
        s = std::min(h - 4, s + 2);
    return s;
}

void CZUDPTabWnd::RecalcLayout()
{
    if (m_hWnd == nullptr)
        return;
    const int h = GetTabHeight();
    const int b = GetTabBorderSize();
    const int n = CountVisibleTabs();
    const BOOL bHidden = (m_bHideSingleTab && n < 2) || (m_bHideNoTabs && n == 0);
    const BOOL bOnTop = m_location == TabLocationTop;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();

    CRect rectClient;
    GetClientRect(&rectClient);
    CRect c = rectClient;
    m_rectResize.SetRectEmpty();
    if (m_nResizeMode == ResizeBarRight) {
        m_rectResize = c;
        m_rectResize.left = c.right - 5;
        c.right -= 6;
    } else if (m_nResizeMode == ResizeBarBottom) {
        m_rectResize = c;
        m_rectResize.top = c.bottom - 5;
        c.bottom -= 6;
    }

    m_rectTabsArea = c;
    m_rectTabsArea.DeflateRect(pManager->GetTabHorizontalMargin(this), 0);

    int s = 0, w = 0;
    if (m_bScroll) {
        s = ButtonSize();
        int k = int(m_lstButtons.GetCount());
        if (!(m_bCloseBtn && !m_bActiveTabCloseButton))
            --k;
        if (!bHidden && m_bButtonsVisible)
            w = std::max(0, k - (m_bTabListMenu ? 1 : 0)) * (s + 3);
    }

    CRect& strip = m_rectTabsArea;
    if (m_bFlat) {
        if (bOnTop) {
            if (b > 1)
                strip.top += b - 1;
            strip.bottom = strip.top + h;
        } else {
            if (b > 1)
                strip.bottom -= b - 1;
            strip.top = strip.bottom - h;
        }
        strip.right -= 1;
        strip.left += w + 1;
        if (strip.right < strip.left) {
            strip.left = b > 0 ? c.left + b + 1 : c.left;
            strip.right = b > 0 ? c.right - b - 1 : c.right;
        }
        if (strip.Height() + b > rectClient.Height())
            strip.left = strip.right = 0;
        PositionButtons(c.left + b + 1, strip.top + std::max(0, (strip.Height() - s) / 2), s,
                        strip.Height() > 0 ? s : 0, bHidden, 3);
    } else {
        if (bOnTop)
            strip.bottom = strip.top + h;
        else
            strip.top = strip.bottom - h;
        if (m_bScroll) {
            strip.right -= w;
            if ((m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7) && !m_bTabListMenu)
                strip.OffsetRect(s, 0);
            PositionButtons(strip.right + 1, (strip.top + strip.bottom) / 2 - s / 2, s, s, bHidden, 3);
        }
    }
    m_nScrollBarRight = strip.right - ::GetSystemMetrics(SM_CXVSCROLL);

    // The window area ends before a resize bar.
    m_rectWndArea = c;
    if (b > 0)
        m_rectWndArea.DeflateRect(b + 1, b + 1);
    if (m_bFlat) {
        if (!bOnTop) {
            m_rectWndArea.bottom = strip.top;
            if (b == 0) {
                m_rectWndArea.top += 1;
                m_rectWndArea.left += 1;
            }
        } else {
            m_rectWndArea.top = strip.bottom + b;
            if (b == 0) {
                m_rectWndArea.bottom -= 1;
                m_rectWndArea.left += 1;
            }
        }
    } else if (!bOnTop) {
        m_rectWndArea.bottom = strip.top - b;
    } else {
        m_rectWndArea.top = strip.bottom + b;
    }

    if (m_bAutoSizeWindow) {
        for (int i = 0; i < m_iTabsNum; ++i) {
            CZUDPTabInfo* pTab = m_arTabs[i];
            if (pTab->m_bVisible && pTab->m_pWnd != nullptr && pTab->m_pWnd->GetSafeHwnd() != nullptr)
                pTab->m_pWnd->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    PlaceScrollBar();
    LayoutTabs();
    ClampScrollOffset();

    // The strip band and the frame: everything but the window area.
    CRgn rgn, rgnWindows;
    if (rgn.CreateRectRgnIndirect(&rectClient) && rgnWindows.CreateRectRgnIndirect(&m_rectWndArea)) {
        rgn.CombineRgn(&rgn, &rgnWindows, RGN_DIFF);
        InvalidateRgn(&rgn, TRUE);
    } else {
        Invalidate(TRUE);
    }
    UpdateWindow();
}

void CZUDPTabWnd::PositionButtons(int x, int y, int cx, int cy, BOOL bHideAll, int nGap)
{
    const BOOL bFirstBeforeTabs = m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7;
    m_arButtonRects.SetSize(m_lstButtons.GetCount());
    int i = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++i) {
        const HWND hWndButton = m_lstButtons.GetNext(pos);
        const BOOL bZero = bHideAll || !m_bButtonsVisible || (i == 0 && m_bTabListMenu) ||
                           (hWndButton == m_btnClose.GetSafeHwnd() && (!m_bCloseBtn || m_bActiveTabCloseButton));
        CRect rect;
        if (bZero) {
            rect.SetRectEmpty();
        } else if (i == 0 && bFirstBeforeTabs) {
            rect = CRect(CPoint(m_rectTabsArea.left - cx - 1, y), CSize(cx, cy));
        } else {
            rect = CRect(CPoint(x, y), CSize(cx, cy));
            x += cx + nGap;
        }
        // A button whose place did not change is left alone: moving and
        // repainting windows is what a layout costs most.
        if (m_arButtonRects[i] == rect && !m_arButtonRects[i].IsRectNull())
            continue;
        m_arButtonRects[i] = rect;
        ::SetWindowPos(hWndButton, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(hWndButton, nullptr, TRUE);
        ::UpdateWindow(hWndButton);
    }
}

void CZUDPTabWnd::ComputeSharedScrollBarWidth()
{
    CRect rectClient;
    GetClientRect(&rectClient);
    const int cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    const int w = rectClient.Width() - 4 * ::GetSystemMetrics(SM_CXVSCROLL) - 2 * GetTabBorderSize();
    if (w <= 2 * cxHScroll)
        m_nHorzScrollWidth = 0;
    else
        m_nHorzScrollWidth = w / 2 > 2 * cxHScroll ? w / 2 : w;
}

void CZUDPTabWnd::PlaceScrollBar()
{
    if (!m_bSharedScroll || m_wndScrollWnd.GetSafeHwnd() == nullptr)
        return;
    const int cxHScroll = ::GetSystemMetrics(SM_CXHSCROLL);
    const int n = CountVisibleTabs();
    CRect r = m_rectTabsArea;
    if ((m_bHideSingleTab && n < 2) || (m_bHideNoTabs && n == 0)) {
        // No tabs to show: the bar spans the strip.
        r.bottom -= 2;
        m_rectTabSplitter.SetRectEmpty();
    } else if (m_nHorzScrollWidth < 2 * cxHScroll) {
        r.SetRectEmpty();
        m_rectTabSplitter.SetRectEmpty();
    } else {
        r.bottom -= 2;
        r.top += 1;
        r.right = m_nScrollBarRight;
        r.left = r.right - m_nHorzScrollWidth;
        m_rectTabsArea.right = r.left - 5;
        m_rectTabSplitter = CRect(r.left - 5, m_rectTabsArea.top + 2, r.left, r.bottom);
    }
    m_wndScrollWnd.SetWindowPos(nullptr, r.left, r.top, r.Width(), r.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

CFont* CZUDPTabWnd::TabFont(BOOL bBold)
{
    if (m_bFlat)
        return bBold ? &m_fntTabsBold : &m_fntTabs;
    return bBold ? &g_uiEnvironment.m_fontBold : &g_uiEnvironment.m_fontRegular;
}

void CZUDPTabWnd::LayoutTabs()
{
    m_bHiddenDocuments = FALSE;
    m_rectCloseButton.SetRectEmpty();
    const int n = CountVisibleTabs();
    if (n == 0 || GetTabHeight() == 0 || m_hWnd == nullptr)
        return;
    if (m_bHideSingleTab && n <= 1) {
        for (int i = 0; i < m_iTabsNum; ++i)
            m_arTabs[i]->m_rect.SetRectEmpty();
        return;
    }
    if (m_pToolTipClose != nullptr && m_pToolTipClose->GetSafeHwnd() != nullptr &&
        m_pToolTipClose->GetToolCount() == 0) {
        const CRect rectEmpty;
        m_pToolTipClose->AddTool(this, LPSTR_TEXTCALLBACKA, &rectEmpty, 1);
    }

    const CRect& strip = m_rectTabsArea;
    const int H = strip.Height();
    const BOOL bOnTop = m_location == TabLocationTop;
    const BOOL bTips = m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr;
    // A tool's rectangle goes to the tooltip control only when it changed.
    auto setTip = [&](CZUDPTabInfo* pTab, const CRect& rect) {
        if (bTips && pTab->m_rectToolTip != rect) {
            pTab->m_rectToolTip = rect;
            m_pToolTip->SetToolRect(this, UINT_PTR(pTab->m_iTabID), rect);
        }
    };
    auto imageWidth = [&](int i) { return TabHasImage(i) ? m_sizeImage.cx : 0; };

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(TabFont(m_bFlat));
    int x = strip.left - m_nTabsHorzOffset;
    m_nTabsTotalWidth = 0;
    BOOL bFirst = TRUE;
    CRect rectActiveTip;

    for (int i = 0; i < m_iTabsNum; ++i) {
        CZUDPTabInfo* pTab = m_arTabs[i];
        const int nImageWidth = imageWidth(i);
        int nExtra = 0;
        if (!m_bFlat) {
            const BOOL bBold = m_bIsActiveTabBold && (i == m_iActiveTab || m_bIsStyle4 || m_bIsStyle5);
            dc.SelectObject(TabFont(bBold));
        }
        if (!pTab->m_bVisible) {
            pTab->m_nFullWidth = 0;
            pTab->m_rect = CRect(x, strip.top, x, strip.top + H - 2);
            setTip(pTab, CRect());
            continue;
        }
        const int nText = pTab->m_bIconOnly ? 0 : dc.GetTextExtent(pTab->m_strText).cx;
        const int w = nImageWidth + nText + 2 * 4 + 4;
        int nFull = w;
        if (m_bIsStyle6Or7) {
            nFull = w + H / 2;
            nExtra = H / 2;
        } else if (m_bIsStyle4) {
            nFull = w + H + 8;
            nExtra = H - 5;
        } else if (m_bIsStyle5) {
            nFull = w + H;
            nExtra = H - 5;
        }
        if (m_bActiveTabCloseButton && i == m_iActiveTab)
            nFull += H - 2;
        pTab->m_nFullWidth = nFull;

        int nWidth = nFull;
        if (m_bScroll && m_nTabMaxWidth > 0 && m_nTabMaxWidth <= nFull)
            nWidth = m_nTabMaxWidth;
        CRect rect(x, strip.top, x + nWidth, strip.top + H - 2);
        if (bOnTop)
            rect.OffsetRect(0, 2);
        if (m_bTabListMenu && rect.right > strip.right) {
            if (i == m_iActiveTab && i == 0 && strip.right - rect.left >= nExtra + 8) {
                rect.right = strip.right;
            } else {
                pTab->m_nFullWidth = 0;
                pTab->m_rect.SetRectEmpty();
                m_bHiddenDocuments = TRUE;
                setTip(pTab, CRect());
                continue;
            }
        }
        const BOOL bTipShown = pTab->m_bAlwaysShowToolTip || m_bCustomToolTips || rect.left < strip.left ||
                               rect.right > strip.right || nWidth < nFull;
        const CRect rectTip = bTipShown ? rect : CRect();
        setTip(pTab, rectTip);
        if (i == m_iActiveTab)
            rectActiveTip = rectTip;

        x += rect.Width() - nExtra + 1;
        m_nTabsTotalWidth += rect.Width() + 1 - (bFirst ? 0 : nExtra);
        bFirst = FALSE;
        if (m_bFlat)
            rect.right += H / 2;  // the slanted flat tabs overlap
        pTab->m_rect = rect;
    }

    if (!m_bScroll && x >= strip.right) {
        // Too wide for the strip: the tabs are squeezed, the narrow ones
        // keeping their width and the wide ones sharing the rest.
        const int A = strip.Width();
        int nTarget = A / n - 1;
        if (m_bIsStyle6Or7)
            nTarget = std::max<int>((A - H / 3) / n, H / 2 + m_sizeImage.cx);
        int nSurplus = 0, nNarrow = 0;
        for (int i = 0; i < m_iTabsNum; ++i) {
            const CZUDPTabInfo* pTab = m_arTabs[i];
            if (pTab->m_bVisible && pTab->m_nFullWidth < nTarget) {
                nSurplus += nTarget - pTab->m_nFullWidth;
                ++nNarrow;
            }
        }
        const int m = n - nNarrow;
        if (m > 0) {
            const int nWide = nTarget + nSurplus / m;
            x = strip.left;
            for (int i = 0; i < m_iTabsNum; ++i) {
                CZUDPTabInfo* pTab = m_arTabs[i];
                if (!pTab->m_bVisible)
                    continue;
                const int nImageWidth = imageWidth(i);
                int nWidth = std::min(pTab->m_nFullWidth, nWide);
                if (nWide < 4 + nImageWidth)
                    nWidth = (strip.Width() + 2 * GetTabBorderSize()) / n;
                else if (pTab->m_strText.IsEmpty() || pTab->m_bIconOnly)
                    nWidth = nImageWidth + 8;
                if (m_bIsStyle6Or7)
                    nWidth += H / 2 - 1;
                CRect rect(x, strip.top, x + nWidth, strip.top + H - 2);
                x = rect.right;
                if (!m_bFlat && bOnTop)
                    rect.OffsetRect(0, 2);
                const BOOL bTipShown = pTab->m_bAlwaysShowToolTip || m_bCustomToolTips || rect.left < strip.left ||
                                       rect.right > strip.right || nWide < pTab->m_nFullWidth;
                const CRect rectTip = bTipShown ? rect : CRect();
                setTip(pTab, rectTip);
                if (i == m_iActiveTab)
                    rectActiveTip = rectTip;
                pTab->m_rect = rect;
                if (m_bIsStyle6Or7)
                    x -= H / 2;
                if (nSurplus > 0)
                    ++x;
            }
        }
    } else {
        m_nTabsTotalWidth += H / 2;
    }

    if (m_bActiveTabCloseButton && IsValidTab(m_iActiveTab) && m_arTabs[m_iActiveTab]->m_bVisible) {
        CRect rect = m_arTabs[m_iActiveTab]->m_rect;
        rect.left = rect.right - rect.Height();
        rect.DeflateRect(2, 2);
        rect.OffsetRect(-CZUDPVisualManager::GetActiveManager()->QueryTabWindowOption(this), bOnTop ? 1 : -1);
        m_rectCloseButton = rect;
        if (m_pToolTipClose != nullptr && m_pToolTipClose->GetSafeHwnd() != nullptr)
            m_pToolTipClose->SetToolRect(this, 1, rect);
        if (!rectActiveTip.IsRectEmpty()) {
            rectActiveTip.right = rect.left - 1;
            setTip(m_arTabs[m_iActiveTab], rectActiveTip);
        }
    }
    dc.SelectObject(pOldFont);
}

void CZUDPTabWnd::ClampScrollOffset()
{
    const BOOL bShapedScroll = m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7;
    if (m_bScroll && m_iTabsNum > 0) {
        m_nTabsHorzOffsetMax = std::max<int>(0, m_rectTabsArea.left + m_nTabsTotalWidth - m_rectTabsArea.right);
        const int nOld = m_nTabsHorzOffset;
        m_nTabsHorzOffset = std::max(0, m_nTabsHorzOffset);
        if (!bShapedScroll)
            m_nTabsHorzOffset = std::min(m_nTabsHorzOffset, m_nTabsHorzOffsetMax);
        if (m_nTabsHorzOffset != nOld) {
            LayoutTabs();
            RedrawStrip();
        }
    } else {
        m_nTabsHorzOffsetMax = 0;
        m_nTabsHorzOffset = 0;
        m_nFirstVisibleTab = 0;
    }
    UpdateScrollButtons();
}

void CZUDPTabWnd::RedrawStrip()
{
    if (m_hWnd == nullptr)
        return;
    InvalidateRect(m_rectTabsArea, TRUE);
    UpdateWindow();
}

// --- size and system changes -------------------------------------------------

void CZUDPTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CZUDPBaseTabWnd::OnSize(nType, cx, cy);
    ComputeSharedScrollBarWidth();
    if (m_bIsStyle4 || m_bIsStyle5 || m_bIsStyle6Or7) {
        m_nTabsHorzOffset = 0;
        m_nFirstVisibleTab = 0;
        SetRedraw(FALSE);
        RecalcLayout();
        if (m_iActiveTab >= 0)
            EnsureTabVisible(m_iActiveTab);
        SetRedraw(TRUE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    } else {
        RecalcLayout();
    }
    SyncSharedScrollBar();
}

void CZUDPTabWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CZUDPBaseTabWnd::OnSettingChange(uFlags, lpszSection);
    if (m_bFlat) {
        RecalcTabHeight();
        RecalcLayout();
        SyncSharedScrollBar();
    }
}

void CZUDPTabWnd::OnSysColorChange()
{
    CZUDPBaseTabWnd::OnSysColorChange();
    if (m_bFlat && m_clrActiveTabBk == (COLORREF)-1) {
        m_brActiveTab.DeleteObject();
        m_brActiveTab.CreateSolidBrush(GetActiveTabBackColor());
    }
    Invalidate();
    UpdateWindow();
}

LRESULT CZUDPTabWnd::OnUpdateToolTips(WPARAM wParam, LPARAM)
{
    if ((UINT(wParam) & TIPKIND_TAB) == 0)
        return 0;
    if (!CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_TAB))
        return 0;
    CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTipClose, this, TIPKIND_TAB);
    const CRect rectEmpty;
    if (m_pToolTipClose != nullptr)
        m_pToolTipClose->AddTool(this, LPSTR_TEXTCALLBACKA, &rectEmpty, 1);
    for (int i = 0; i < m_iTabsNum; ++i)
        AddTabTool(m_arTabs[i], &rectEmpty);
    RecalcLayout();
    return 0;
}
