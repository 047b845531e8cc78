#pragma once
// CZUDPMenuButton: a CZUDPButton with a drop-down arrow that opens a popup
// menu below it (or to its right) when it is pressed, or when Space, Down or
// Enter is pressed on it, and reports the chosen command as its click.  As a
// split button only the arrow part opens the menu; the rest is a plain
// button.  The menu is tracked by the platform (through the framework's
// menu-tracking seam) or by the library's context-menu manager when one
// exists and the system popup is switched off.  Created by name.
#include "ui/controls/ZUDPButton.h"

class CZUDPMenuButton : public CZUDPButton {
    DECLARE_DYNCREATE(CZUDPMenuButton)
public:
    CZUDPMenuButton() = default;

    // Shows the menu (nothing without a menu or while it is open); modal.
    virtual void ShowMenu();

    CSize SizeToContent(BOOL bCalcOnly = FALSE) override;
    void DrawContent(CDC* pDC, CRect rect, UINT uiState) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The right-most part of the client area that opens the menu of a
    // split button (client coordinates).
    CRect GetArrowPart() const;
    BOOL IsMenuOpen() const { return m_bMenuOpen; }

    // The arrow points right and the menu opens at the top-right corner;
    // otherwise down, at the bottom-left corner.
    BOOL m_bRightArrow = FALSE;
    // The menu to show (not owned).
    HMENU m_hMenu = nullptr;
    // The command chosen in the last menu shown, 0 for none.
    int m_nChosenCommand = 0;
    // Drawn pressed while the menu is open.
    BOOL m_bStayPressed = FALSE;
    // The platform tracks the menu (else the context-menu manager, when
    // there is one).
    BOOL m_bSystemPopup = TRUE;
    // Only the arrow part opens the menu.
    BOOL m_bSplit = FALSE;

protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKillFocus(CWnd* pNewWnd);

    BOOL m_bMenuOpen = FALSE;
    // The current press or key opened the menu.
    BOOL m_bOpenedByPress = FALSE;

    DECLARE_MESSAGE_MAP()
};
