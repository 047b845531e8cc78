#pragma once
// CZUDPCalendarMenuButton: a toolbar or menu button that holds a date and
// drops a calendar.  A click opens a CCalendarPopup on the month of the
// button's date; a day chosen there becomes the date of every calendar
// button and calendar bar of the command, and the command runs as a menu
// item's would.  The popup can be torn off into a free calendar bar.
//
// g_calendarButtonDates keeps the latest date of each command for the
// application (GetCalendarButtonDate).
#include "framework/Map.h"
#include "framework/OleDateTime.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/planner/ZUDPCalendarBar.h"

class CZUDPCalendarMenuButton : public CZUDPToolbarMenuButton {
    DECLARE_SERIAL(CZUDPCalendarMenuButton)
public:
    CZUDPCalendarMenuButton();
    // A button of the command with its image and caption.
    CZUDPCalendarMenuButton(UINT uiCmdID, int iImage, LPCTSTR lpszText = nullptr);

    void Serialize(CArchive& ar) override;
    // Date and layout values come only from another calendar button.
    void CopyFrom(const CZUDPToolbarButton& src) override;
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnParentChanged(CWnd* pWndParent) override;
    int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    CZUDPPopupMenu* CreatePopupMenuObject() override;
    // The popup holds a calendar, not a menu.
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }

    // The button's date; bNotify gives it to every other calendar button
    // of the command and to the live calendar bars of the command.
    virtual void SetDate(const COleDateTime& date, BOOL bNotify = TRUE);
    const COleDateTime& GetDate() const { return m_Date; }

    void Initialize();

    // --- fields, in order
    COleDateTime m_Date;
    int m_nLayoutValues[4] = {-1, -1, -1, 0};   // stored, copied and archived
};

// The popup of a calendar button: a calendar bar fills it, showing the
// month of the button's date with no day selected.  It does not open while
// toolbars are customized; torn off, it leaves a free calendar bar for the
// button's command.
class CCalendarPopup : public CZUDPPopupMenu {
public:
    CCalendarPopup(CZUDPCalendarMenuButton* pParentButton, const COleDateTime& date, UINT uiCommandID);
    ~CCalendarPopup() override;

    CZUDPPopupMenuBar* GetMenuBar() override { return &m_wndCalendarBar; }
    CZUDPCalendarBar& GetCalendarBar() { return m_wndCalendarBar; }
    CZUDPControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) override;
    // The bar is always locked.
    BOOL CreatePopup(CWnd* pWndOwner, int x, int y, HMENU hMenu, BOOL bLocked = FALSE,
                     BOOL bOwnMessage = FALSE) override;

    BOOL m_bEnabledInCustomizeMode = FALSE;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    CZUDPCalendarBar m_wndCalendarBar;
};

// The latest date of each command, kept from start-up to exit.
extern CMap<UINT, UINT, COleDateTime, const COleDateTime&> g_calendarButtonDates;
// The command's latest date; FALSE when no calendar button or bar of the
// command has had one.
BOOL GetCalendarButtonDate(UINT uiCmdID, COleDateTime& date);
