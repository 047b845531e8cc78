#pragma once
// CZUDPFullScreenImpl: a frame's full-screen mode.  Entering saves the
// frame's layout under a section of its own, remembers the window
// rectangle, grows the window so that its client area covers the monitor,
// and shows a small toolbar whose one button ("Close Full Screen") ends
// the mode; leaving puts the window back and loads the layout saved on
// entry.  Each frame implementation owns one.
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"

class CFrameWnd;
class CZUDPFrameImpl;
class CZUDPToolBar;

class CZUDPFullScreenImpl {
public:
    explicit CZUDPFullScreenImpl(CZUDPFrameImpl* pFrameImpl) : m_pImpl(pFrameImpl) {}
    virtual ~CZUDPFullScreenImpl();
    CZUDPFullScreenImpl(const CZUDPFullScreenImpl&) = delete;
    CZUDPFullScreenImpl& operator=(const CZUDPFullScreenImpl&) = delete;

    // Enters the mode for the frame; FALSE when it is already active or
    // the frame has no window.  The toolbar's id is uiToolbarId.
    BOOL EnterFullScreen(CFrameWnd* pFrame, UINT uiToolbarId = 0xE810);
    // Leaves it; nothing (not even a redraw) when it was never entered.
    void LeaveFullScreen(CFrameWnd* pFrame);
    // While active, the largest and the tracked size become the
    // full-screen rectangle's; otherwise the structure stays as it is.
    void FillMinMaxInfo(MINMAXINFO* lpMMI) const;

    BOOL IsActive() const { return m_bFullScreen; }
    CZUDPToolBar* GetToolbar() const { return m_pwndFullScreenBar; }
    // The menu bar stays visible in full-screen mode (TRUE by default).
    void SetMenuBarStays(BOOL bStays) { m_bShowMenu = bStays; }
    void ShowToolbar(BOOL bShow) { m_bShowToolbar = bShow; }

    CRect m_rectFullScreenWindow;            // what the frame covers in the mode
    CZUDPToolBar* m_pwndFullScreenBar = nullptr;   // owned
    BOOL m_bFullScreen = FALSE;
    BOOL m_bShowMenu = TRUE;
    CRect m_rectFramePrev;                   // the window rectangle before the mode
    CZUDPFrameImpl* m_pImpl = nullptr;
    UINT m_uiFullScreenID = (UINT)-1;        // -1: the mode was never set up
    BOOL m_bShowToolbar = TRUE;
    CString m_strRegSection;                 // the layout saved on entry
};
