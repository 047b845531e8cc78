#include "ui/planner/ZUDPCalendarMenuButton.h"

#include <cstdint>
#include <vector>

#include "framework/Archive.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPPlannerSeams.h"

IMPLEMENT_SERIAL(CZUDPCalendarMenuButton, CZUDPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

BOOL GetCalendarButtonDate(UINT uiCmdID, COleDateTime& date)
{
    return g_calendarButtonDates.Lookup(uiCmdID, date);
}

namespace {

BOOL HasRealCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != (UINT)-1; }

} // namespace

CZUDPCalendarMenuButton::CZUDPCalendarMenuButton()
{
    Initialize();
}

CZUDPCalendarMenuButton::CZUDPCalendarMenuButton(UINT uiCmdID, int iImage, LPCTSTR lpszText)
    : CZUDPToolbarMenuButton(uiCmdID, nullptr, iImage, lpszText)
{
    Initialize();
}

void CZUDPCalendarMenuButton::Initialize()
{
    m_Date = g_plannerSeams.now();
    m_nLayoutValues[0] = m_nLayoutValues[1] = m_nLayoutValues[2] = -1;
    m_nLayoutValues[3] = 0;
}

// ---- the date ----------------------------------------------------------------------------------

void CZUDPCalendarMenuButton::SetDate(const COleDateTime& date, BOOL bNotify)
{
    m_Date = date;
    g_calendarButtonDates.SetAt(commandId, date);
    if (parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr)
        parentWnd->InvalidateRect(rect, TRUE);
    if (!bNotify)
        return;
    // Everything to update is collected first: a bar's calendar tells its
    // owner, whose handler may destroy toolbars, buttons and bars.
    const UINT command = commandId;
    CObList found;
    CZUDPToolBar::CollectCommandButtons(command, found);
    std::vector<CZUDPCalendarMenuButton*> buttons;
    for (POSITION pos = found.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = DYNAMIC_DOWNCAST(CZUDPCalendarMenuButton, found.GetNext(pos));
        if (pButton != nullptr && pButton != this)
            buttons.push_back(pButton);
    }
    std::vector<HWND> bars;
    for (POSITION pos = CZUDPToolBar::GetToolbarList().GetHeadPosition(); pos != nullptr;) {
        auto* pBar = DYNAMIC_DOWNCAST(CZUDPCalendarBar, CZUDPToolBar::GetToolbarList().GetNext(pos));
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->GetCommandID() == command)
            bars.push_back(pBar->GetSafeHwnd());
    }
    // Buttons only repaint: none of them calls out.
    for (CZUDPCalendarMenuButton* pButton : buttons)
        pButton->SetDate(date, FALSE);
    for (HWND hBar : bars) {
        auto* pBar = ::IsWindow(hBar) ? DYNAMIC_DOWNCAST(CZUDPCalendarBar, CWnd::FromHandlePermanent(hBar)) : nullptr;
        if (pBar != nullptr && pBar->GetCommandID() == command)
            pBar->GetCalendar().SetDate(date);
    }
}

// ---- copy and archive --------------------------------------------------------------------------

void CZUDPCalendarMenuButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarMenuButton::CopyFrom(src);
    const auto* pSrc = DYNAMIC_DOWNCAST(CZUDPCalendarMenuButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr)
        return;
    m_Date = pSrc->m_Date;
    g_calendarButtonDates.SetAt(commandId, m_Date);
    for (int i = 0; i < 4; ++i)
        m_nLayoutValues[i] = pSrc->m_nLayoutValues[i];
}

void CZUDPCalendarMenuButton::Serialize(CArchive& ar)
{
    CZUDPToolbarMenuButton::Serialize(ar);
    if (ar.IsStoring()) {
        for (int value : m_nLayoutValues)
            ar << int32_t(value);
        return;
    }
    for (int& value : m_nLayoutValues) {
        int32_t stored = 0;
        ar >> stored;
        value = stored;
    }
    // A button restored from an archive shows the date its command
    // already carries.
    CObList found;
    CZUDPToolBar::CollectCommandButtons(commandId, found);
    for (POSITION pos = found.GetHeadPosition(); pos != nullptr;) {
        auto* pButton = DYNAMIC_DOWNCAST(CZUDPCalendarMenuButton, found.GetNext(pos));
        if (pButton != nullptr && pButton != this)
            m_Date = pButton->m_Date;
    }
}

// ---- parent, command list, popup ---------------------------------------------------------------

void CZUDPCalendarMenuButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarMenuButton::OnParentChanged(pWndParent);
    showMenuArrow = TRUE;
    parentWnd = pWndParent;
    if (pWndParent == nullptr)
        return;
    if (DYNAMIC_DOWNCAST(CZUDPToolBar, pWndParent) != nullptr)
        showText = TRUE;
    inPopupMenu = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWndParent) != nullptr;
    if (inPopupMenu)
        showText = TRUE;
}

int CZUDPCalendarMenuButton::DrawInCommandList(CDC* pDC, const CRect& rectItem, BOOL bSelected)
{
    // Drawn as a plain item: no image of the command, no date.
    const UINT saved = commandId;
    commandId = 0;
    const int width = CZUDPToolbarMenuButton::DrawInCommandList(pDC, rectItem, bSelected);
    commandId = saved;
    return width;
}

CZUDPPopupMenu* CZUDPCalendarMenuButton::CreatePopupMenuObject()
{
    return new CCalendarPopup(this, m_Date, commandId);
}

BOOL CZUDPCalendarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    // The whole button opens the calendar: there is no split part.
    clickedInArrow = FALSE;
    CZUDPToolBar* pToolBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pWnd);
    CZUDPToolbarButton* pHighlight = this;
    if (openPopup != nullptr) {
        // Clicked again while open: the popup closes.
        CZUDPPopupMenu* pPopup = openPopup;
        openPopup = nullptr;
        pPopup->m_pParentBtn = nullptr;
        if (pPopup->GetSafeHwnd() != nullptr && ::IsWindow(pPopup->GetSafeHwnd()))
            pPopup->DestroyWindow();
        pHighlight = nullptr;
    } else if (bDelay && DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWnd) != nullptr && !g_customizeMode) {
        static_cast<CZUDPPopupMenuBar*>(pWnd)->ScheduleSubMenuOpen(this, 1);
    } else {
        if (pToolBar != nullptr) {
            CZUDPToolbarMenuButton* pOpen = pToolBar->FindOpenMenuButton();
            if (pOpen != nullptr && pOpen != this)
                pOpen->CancelMode();
        }
        if (!OpenPopupMenu(pWnd))
            return FALSE;
    }
    if (pToolBar != nullptr)
        pToolBar->HighlightButton(pHighlight);
    if (parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr) {
        CRect rectRedraw = rect;
        rectRedraw.InflateRect(4, 4);
        parentWnd->InvalidateRect(rectRedraw, TRUE);
    }
    return TRUE;
}

// ---- drawing -----------------------------------------------------------------------------------

void CZUDPCalendarMenuButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages* pImages, BOOL bHorz,
                                         BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                         BOOL bGrayDisabledButtons)
{
    if (pDC == nullptr)
        return;
    if (inPopupMenu) {
        DrawMenuItem(pDC, rectButton, pImages, bCustomizeMode, bHighlight, bGrayDisabledButtons, FALSE);
        return;
    }
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const BOOL bFlat = pManager->m_flatMenuLook;
    const BOOL bOpen = IsDroppedDown();
    PaintBackground(pDC, rectButton, bHighlight || bOpen, FALSE);

    CSize sizeGlyph = GetMenuGlyphSize();
    if (g_largeIcons)
        sizeGlyph = CSize(sizeGlyph.cx * 2, sizeGlyph.cy * 2);
    const CSize sizeExtra = useExtraSize ? pManager->GetButtonExtraSize() : CSize(0, 0);
    CRect rectArrow = rectButton;
    if (sizeExtra.cx != 0 || sizeExtra.cy != 0)
        rectArrow.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);
    CRect rectContent = rectButton;
    const int nMargin = pManager->GetMenuImageMargin();
    if (bHorz)
        rectContent.DeflateRect(nMargin, 0);
    else
        rectContent.DeflateRect(0, nMargin);
    if (showMenuArrow) {
        if (bHorz) {
            rectContent.right -= sizeGlyph.cx + 2;
            rectArrow.left = rectContent.right - 1;
            rectArrow.OffsetRect(-(sizeExtra.cx / 2), -(sizeExtra.cy / 2));
        } else {
            rectContent.bottom -= sizeGlyph.cy + 2;
            rectArrow.top = rectContent.bottom - 1;
        }
    }
    arrowRect = rectArrow;

    const UINT uiStyleBefore = style;
    const BOOL bMenuPart = clickedInArrow && HasRealCommand(commandId) && !menuOnly;
    if (bFlat)
        style &= ~(TBBS_CHECKED | TBBS_PRESSED);
    else if (bMenuPart)
        style &= ~TBBS_PRESSED;
    else if (bOpen)
        style |= TBBS_PRESSED;
    const BOOL bNoBackgroundBefore = noBackground;
    noBackground = TRUE;
    CZUDPToolbarButton::DrawButton(pDC, rectContent, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                   bGrayDisabledButtons);
    noBackground = bNoBackgroundBefore;

    if (showMenuArrow) {
        const BOOL bPushedNow = (style & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
        if (bPushedNow && !bFlat)
            rectArrow.OffsetRect(1, 1);
        if (bOpen && !bPushedNow && !bFlat)
            rectArrow.OffsetRect(1, 1);
        const BOOL bGrey = bCustomizeMode ? !IsCustomizable() : (style & TBBS_DISABLED) != 0;
        const int nGlyph = bHorz && !menuOnly ? MenuGlyphArrowDown : MenuGlyphArrowRight;
        DrawMenuGlyphCentered(pDC, nGlyph, rectArrow, bGrey ? MenuGlyphColorGray : MenuGlyphColorBlack, sizeGlyph);
    }
    style = uiStyleBefore;
    if (bCustomizeMode)
        return;

    if ((style & (TBBS_CHECKED | TBBS_PRESSED)) == 0 && !bOpen) {
        if (bHighlight && (style & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)) == 0)
            pManager->DrawButtonBorder(pDC, this, rectButton, ZUDP_BUTTON_HIGHLIGHTED);
    } else if (bFlat || !clickedInArrow || !HasRealCommand(commandId) || menuOnly) {
        pManager->DrawButtonBorder(pDC, this, rectButton, ZUDP_BUTTON_PUSHED);
    } else {
        pManager->DrawButtonBorder(pDC, this, rectContent, ZUDP_BUTTON_HIGHLIGHTED);
        CRect rectArrowBorder = arrowRect;
        rectArrowBorder.right -= 1;
        rectArrowBorder.bottom -= 1;
        pManager->DrawButtonBorder(pDC, this, rectArrowBorder, ZUDP_BUTTON_PUSHED);
    }
}

// ---- the popup ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CCalendarPopup, CZUDPPopupMenu)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CCalendarPopup::CCalendarPopup(CZUDPCalendarMenuButton* pParentButton, const COleDateTime& date, UINT uiCommandID)
    : m_wndCalendarBar(date, uiCommandID)
{
    m_pParentBtn = pParentButton;
}

CCalendarPopup::~CCalendarPopup() = default;

BOOL CCalendarPopup::CreatePopup(CWnd* pWndOwner, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage)
{
    (void)bLocked;
    return CZUDPPopupMenu::CreatePopup(pWndOwner, x, y, hMenu, TRUE, bOwnMessage);
}

int CCalendarPopup::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (g_customizeMode && !m_bEnabledInCustomizeMode)
        return -1;
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    // An animating popup shows its bar when the animation ends.
    DWORD dwStyle = WS_CHILD | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE;
    if (!m_bAnimating || g_customizeMode)
        dwStyle |= WS_VISIBLE;
    // No week numbers, single selection, and no day selected: the popup
    // shows the month of the button's date.
    m_wndCalendarBar.SetCalendarStyle(0x18, 0xFFFFFFFF);
    if (!m_wndCalendarBar.Create(this, dwStyle | CBRS_TOOLTIPS | CBRS_FLYBY, 1, FALSE))
        return -1;
    m_wndCalendarBar.SetOwner(m_pWndCreator);
    m_wndCalendarBar.ReplaceBarStyle(m_wndCalendarBar.GetBarStyle() | CBRS_TOOLTIPS);
    if (!RegisterWithFrame(RegistrationFrame(), this))
        return -1;
    RecalcLayout(TRUE);
    return 0;
}

CZUDPControlBar* CCalendarPopup::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName)
{
    auto* pButton = DYNAMIC_DOWNCAST(CZUDPCalendarMenuButton, m_pParentBtn);
    if (pButton == nullptr)
        return nullptr;
    auto* pBar = new CZUDPCalendarBar(m_wndCalendarBar, pButton->commandId, FALSE);
    if (!pBar->Create(pWndMain, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE, uiID, FALSE)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);
    pBar->ReplaceBarStyle(pBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    pBar->SetDockableSides(CBRS_ALIGN_ANY);
    return pBar;
}
