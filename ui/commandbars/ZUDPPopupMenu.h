#pragma once
// CZUDPPopupMenu: the library's popup-menu frame window with its embedded
// menu bar.  This version has the runtime class (for type tests), the
// fields the dialogs and the drawing read (the button it was opened from,
// its scroll state), the hit test of a screen point and the process-wide
// pointer to the open popup; the command-bar subsystem gives it its
// window, layout, animation and shadow.
#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"

class CZUDPControlBar;
class CZUDPToolbarMenuButton;

class CZUDPPopupMenu : public CMiniFrameWnd {
    DECLARE_SERIAL(CZUDPPopupMenu)
public:
    CZUDPPopupMenu() = default;
    ~CZUDPPopupMenu() override;

    // Where a screen point lies (HitTestArea).
    enum Area { kItems = 0, kShadowRight = 1, kShadowBottom = 2, kSideImage = 3, kOutside = 4, kTearOffCaption = 5 };
    // Where the popup stands relative to its parent button.
    enum Direction { kFree = 0, kBelowButton = 1, kAboveButton = 2, kRightOfButton = 3, kLeftOfButton = 4 };

    // Creates the popup window at a screen position; answers whether it
    // was created.
    virtual BOOL CreatePopup(CWnd* pWndOwner, int x, int y, HMENU hMenu, BOOL bLocked = FALSE, BOOL bOwnMessage = FALSE);
    // The popup's menu bar; a derived popup may supply its own.
    virtual CZUDPPopupMenuBar* GetMenuBar() { return &m_wndMenuBar; }
    // Creates the bar that replaces a torn-off popup (none here).
    virtual CZUDPControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName);
    // Classifies a screen point against the popup (Area): outside its
    // client rectangle, on the right or bottom shadow strip, on the side
    // image strip, on the tear-off caption, else on the items.
    virtual int HitTestArea(CPoint ptScreen) const;
    // TRUE while the popup's bar (or a bar up its chain) runs an item.
    virtual BOOL IsRunningCommand() const { return FALSE; }
    virtual BOOL IsSendingCommand() const { return IsRunningCommand(); }
    // Writes the items back into the parent button (customization).
    virtual void SyncParentButtonItems() {}
    // Cancels the open state of every item (closing their popups).
    void CancelItemModes();
    // Re-shows a personalized popup with all its commands.
    virtual void ExpandFullMenu() {}
    // Computes the popup's size from its bar and places it in the work area.
    virtual void RecalcPopupLayout(BOOL bNotify = TRUE) { (void)bNotify; }
    // Re-captures the drop shadow for a changed rectangle.
    virtual void RefreshShadow() {}
    // Lets a frame accept or refuse a popup about to show (a refused one is
    // closed) and makes it the active popup menu; TRUE when accepted.
    static BOOL RegisterWithFrame(CFrameWnd* pFrame, CZUDPPopupMenu* pPopup);

    BOOL m_bCloseParentsWithMe = TRUE;               // closing this popup closes its parent
    CWnd* m_pMessageTarget = nullptr;                // receives the chosen command
    CZUDPToolbarMenuButton* m_pParentBtn = nullptr; // the button it was opened from (null: top level)
    int m_iDirection = kFree;                        // Direction
    BOOL m_bRightAlign = FALSE;                      // extends to the left of the requested point
    BOOL m_bScrollable = FALSE;                      // the items do not fit: scroll areas shown
    int m_iShadowSize = 0;                           // width of the drop shadow along the right and bottom
    int m_iSideImageWidth = 0;                       // width of the image strip along the left (0: none)
    CRect m_rectTearOffCaption;                      // the tear-off caption, client coordinates (empty: none)

protected:
    CZUDPPopupMenuBar m_wndMenuBar;
};

// The library popup menu open at the moment, null when none; readers check
// its window with IsWindow before they use it.
extern CZUDPPopupMenu* g_activePopupMenu;
