#pragma once
// What the tests of the library's controls share: the recording visual
// manager set up for them, host windows (one that records what its
// children tell it), and seams for timers, the cursor and menu tracking.
#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/controls/ZUDPScrollBar.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace controltest {

// The recording visual manager (tests/common/ui) as the controls' tests have
// it, installed for the scope: scroll bars drawn by the manager, their parts
// filled in colours of their own, and a push-button frame that fills its
// rectangle and tells the button the frame's text colour.
class ControlRecordingScope : public uitest::RecordingManagerScope {
public:
    static constexpr COLORREF kFrameFill = RGB(10, 200, 30);
    static constexpr COLORREF kThumbFill = RGB(200, 0, 0);
    static constexpr COLORREF kButtonFill = RGB(0, 200, 0);
    static constexpr COLORREF kTrackFill = RGB(0, 0, 200);

    ControlRecordingScope();
    // The text colour the push-button frame tells the button; -1: none.
    COLORREF frameTextColor = (COLORREF)-1;
};

// What a child told its parent.
struct Notice {
    UINT message;  // WM_COMMAND, WM_HSCROLL, WM_VSCROLL
    UINT code;     // notification or scroll code
    UINT value;    // control id (WM_COMMAND) or the position of the scroll code
    HWND from;
};

// A top-level window (shown without activation, so that painting happens)
// that hosts the controls under test: it paints its background in its own
// colour and records notices, paints and owner-draw requests of the scroll
// bar.
class CControlHost : public CWnd {
public:
    static constexpr COLORREF kBackground = RGB(40, 90, 160);

    BOOL CreateHost(int width = 400, int height = 300);
    std::vector<Notice> notices;
    std::vector<CRect> erasedRects;  // the clip box of every WM_ERASEBKGND
    // Parts an owner-drawn scroll bar asked for, with the control id.
    std::vector<std::pair<int, ScrollBarDrawInfo>> ownerDraws;
    // Called from the notice handlers (a test destroys the control there).
    std::function<void(const Notice&)> onNotice;
    int Count(UINT message, UINT code) const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void Record(const Notice& notice);
    LRESULT OnDrawScrollBar(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// A hidden popup that hosts the controls under test (and reflects their
// notifications to them).
class CHostWnd : public CWnd {
public:
    BOOL CreateHost(int cx = 400, int cy = 300)
    {
        return CreateEx(0, nullptr, "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, cx, cy, nullptr, nullptr);
    }
};

// Timers as messages: what the code asked for is recorded, nothing fires.
class TimerRecorder {
public:
    struct Timer {
        HWND window;
        UINT_PTR id;
        UINT elapse;
    };
    TimerRecorder();
    std::vector<Timer> started;
    std::vector<UINT_PTR> killed;
    bool Running(UINT_PTR id) const;
    // The timers of one id that were started, in order.
    std::vector<Timer> StartedWith(UINT_PTR id) const;

private:
    std::vector<UINT_PTR> m_running;
    ScopedSeam<UINT_PTR(HWND, UINT_PTR, UINT, TIMERPROC)> m_set;
    ScopedSeam<BOOL(HWND, UINT_PTR)> m_kill;
};

// The cursor where the test puts it (screen coordinates).
class CursorAt {
public:
    explicit CursorAt(CPoint point);
    CPoint point;

private:
    ScopedSeam<BOOL(POINT*)> m_seam;
};

// Menus tracked modally answer the test's command without showing; the
// calls are recorded, and a test may act inside the menu's loop.
class MenuTracker {
public:
    struct Call {
        HMENU menu;
        UINT flags;
        CPoint point;
        HWND owner;
    };
    explicit MenuTracker(int command = 0);
    int command;
    std::function<void()> whileOpen;
    std::vector<Call> calls;

private:
    ScopedSeam<BOOL(HMENU, UINT, int, int, HWND, const RECT*)> m_seam;
};

// A mouse message as the window would get it (client coordinates).
LRESULT SendMouse(CWnd& wnd, UINT message, int x, int y, UINT flags = 0);

} // namespace controltest
