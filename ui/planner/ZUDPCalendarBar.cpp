#include "ui/planner/ZUDPCalendarBar.h"

#include <cstdint>

#include "framework/Archive.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/planner/ZUDPCalendarMenuButton.h"

IMPLEMENT_SERIAL(CZUDPCalendarBar, CZUDPPopupMenuBar, 1)

BEGIN_MESSAGE_MAP(CZUDPCalendarBar, CZUDPPopupMenuBar)
    ON_WM_CREATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE 0xE001
#endif

CZUDPCalendarBar::CZUDPCalendarBar()
{
    InitBar();
}

CZUDPCalendarBar::CZUDPCalendarBar(const COleDateTime& date, UINT uiCommandID)
    : m_uiCommandID(uiCommandID), m_bNotifyOwner(FALSE)
{
    InitBar();
    m_wndCalendar.SetDate(date);
}

CZUDPCalendarBar::CZUDPCalendarBar(CZUDPCalendarBar& other, UINT uiCommandID, BOOL bMultipleSelection)
    : m_uiCommandID(uiCommandID), m_bNotifyOwner(TRUE)
{
    InitBar();
    m_wndCalendar.SetDate(other.m_wndCalendar.GetDate());
    if (bMultipleSelection)
        m_dwCalendarStyle |= StyleMultipleSelection;
    else
        m_dwCalendarStyle &= ~DWORD(StyleMultipleSelection);
}

void CZUDPCalendarBar::InitBar()
{
    // The bar's only content is its calendar: no buttons to customize.
    m_bLocked = TRUE;
    m_iHighlighted = -1;
    m_dwCalendarStyle = 0x1B;
    m_bControlMode = FALSE;
    g_showTooltips = TRUE;
}

CWnd* CZUDPCalendarBar::NotifyTarget() const
{
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    return pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr ? pTarget : nullptr;
}

void CZUDPCalendarBar::Serialize(CArchive& ar)
{
    CZUDPToolBar::Serialize(ar);
    if (ar.IsStoring()) {
        ar << int32_t(m_bNotifyOwner) << int32_t(m_uiCommandID);
    } else {
        int32_t notify = 0, command = 0;
        ar >> notify >> command;
        m_bNotifyOwner = notify;
        m_uiCommandID = UINT(command);
        m_wndCalendar.RecalcLayout(TRUE);
    }
}

CSize CZUDPCalendarBar::CalcSize(BOOL bVertDock)
{
    (void)bVertDock;
    if (m_wndCalendar.m_nMonthWidth == 0 && m_wndCalendar.m_nMonthHeight == 0)
        m_wndCalendar.RecalcLayout(FALSE);
    int band = 0;
    if (m_wndCalendar.m_bShowTodayButton && m_wndCalendar.m_wndToday.GetSafeHwnd() != nullptr) {
        CRect button;
        m_wndCalendar.m_wndToday.GetClientRect(button);
        band = button.Height() + 10;
    }
    return CSize(m_wndCalendar.m_nMonthWidth + 2 * m_wndCalendar.m_nHorzMargin,
                 m_wndCalendar.m_nMonthHeight + band + 2 * m_wndCalendar.m_nVertMargin);
}

void CZUDPCalendarBar::ShowStatusPrompt(int nID)
{
    if (CWnd* pTarget = NotifyTarget())
        pTarget->SendMessage(WM_SETMESSAGESTRING, nID == -1 ? AFX_IDS_IDLEMESSAGE : WPARAM(UINT(nID)), 0);
}

BOOL CZUDPCalendarBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, BOOL bMultipleSelection)
{
    if (bMultipleSelection)
        m_dwCalendarStyle |= StyleMultipleSelection;
    else
        m_dwCalendarStyle &= ~DWORD(StyleMultipleSelection);
    return CreateBar(pParentWnd, dwStyle, nID);
}

BOOL CZUDPCalendarBar::CreateControl(CWnd* pParentDlg, const RECT& rect, UINT nID, BOOL bMultipleSelection,
                                     DWORD dwStyle)
{
    m_wndCalendar.SetFitMode(TRUE);
    m_bControlMode = TRUE;
    if (!Create(pParentDlg, dwStyle | CBRS_ALIGN_TOP, nID, bMultipleSelection))
        return FALSE;
    // No gripper and no borders: the calendar draws its own.
    ReplaceBarStyle(GetBarStyle() & 0xFFBFF0FF);
    MoveBar(CRect(rect), TRUE, nullptr);
    SetOwner(pParentDlg);
    m_uiCommandID = nID;
    m_bRouteCommandsViaFrame = FALSE;
    InheritVisualManagerStyle(pParentDlg);
    return TRUE;
}

void CZUDPCalendarBar::SetCalendarStyle(DWORD dwStyle, DWORD dwMask)
{
    m_dwCalendarStyle = (dwStyle & dwMask) | (m_dwCalendarStyle & ~dwMask);
    const BOOL multiple = (m_dwCalendarStyle & StyleMultipleSelection) != 0;
    if (!multiple)
        m_wndCalendar.ClearSelection(TRUE, TRUE);
    m_wndCalendar.EnableMultipleSelection(multiple, FALSE);
    m_wndCalendar.EnableWeekNumbers((m_dwCalendarStyle & StyleWeekNumbers) != 0);
    m_wndCalendar.RecalcLayout(TRUE);
}

int CZUDPCalendarBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPPopupMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_wndCalendar.EnableMultipleSelection((m_dwCalendarStyle & StyleMultipleSelection) != 0, FALSE);
    m_wndCalendar.EnableWeekNumbers((m_dwCalendarStyle & StyleWeekNumbers) != 0);
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (m_bControlMode)
        style |= WS_BORDER;
    if (!m_wndCalendar.Create(style, CRect(0, 0, 0, 0), this, 1))
        return -1;
    SetWindowPosDeferred(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE, nullptr);
    return 0;
}

int CZUDPCalendarBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    (void)pDesktopWnd;
    (void)nHitTest;
    (void)message;
    return int(Default());
}

void CZUDPCalendarBar::OnSize(UINT nType, int cx, int cy)
{
    CZUDPToolBar::OnSize(nType, cx, cy);
    if (m_wndCalendar.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    m_wndCalendar.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZUDPCalendarBar::NotifySelectionChanged()
{
    if (!m_bNotifyOwner)
        return;
    if (CWnd* pTarget = NotifyTarget())
        pTarget->SendMessage(ZUDM_CALENDAR_ON_SELCHANGED, 0, LPARAM(GetSafeHwnd()));
}

BOOL CZUDPCalendarBar::OnDateSelected(const COleDateTime& date)
{
    // In a calendar button's popup: the button takes the date and its
    // command runs as a chosen menu item, which closes the popup with this
    // bar and its calendar.  Nothing of them is read after the dispatch.
    if (auto* pPopup = DYNAMIC_DOWNCAST(CZUDPPopupMenu, GetParent())) {
        if (auto* pButton = DYNAMIC_DOWNCAST(CZUDPCalendarMenuButton, pPopup->m_pParentBtn)) {
            pButton->SetDate(date, TRUE);
            DispatchItemCommand(pButton->commandId, pButton);
            return TRUE;
        }
    }
    // A free bar: every calendar button of the command shows the date, the
    // command keeps it, and the owner runs the command.
    const UINT command = m_uiCommandID;
    CObList buttons;
    CZUDPToolBar::CollectCommandButtons(command, buttons);
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        if (auto* pButton = DYNAMIC_DOWNCAST(CZUDPCalendarMenuButton, buttons.GetNext(pos)))
            pButton->SetDate(date, FALSE);
    }
    g_calendarButtonDates.SetAt(command, date);
    if (CWnd* pTarget = NotifyTarget())
        pTarget->SendMessage(WM_COMMAND, command, 0);
    return TRUE;
}
