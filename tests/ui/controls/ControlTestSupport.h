#pragma once
// What the tests of the library's controls share: a recording visual
// manager (the base manager that also answers TRUE for custom scroll bars
// and push-button frames and writes down every drawing call the controls
// make), a host window that records what its children tell it, and seams
// for timers, the cursor and menu tracking.
#include "framework/Seam.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Wnd.h"
#include "tests/ui/foundation/FoundationTestSupport.h"
#include "ui/controls/ZUDPScrollBar.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace controltest {

// One drawing call: the operation's name, its rectangle and its flags in
// argument order (state numbers as they were passed).
struct DrawCall {
    std::string name;
    CRect rect;
    std::vector<int> args;
    void* element = nullptr;
};

class CRecordingVisualManager : public CZUDPVisualManager {
    DECLARE_DYNCREATE(CRecordingVisualManager)
public:
    CRecordingVisualManager() = default;
    // The runtime class (RUNTIME_CLASS does not take a namespace).
    static CRuntimeClass* Class() { return &classCRecordingVisualManager; }

    std::vector<DrawCall> calls;
    // What the push-button frame draws (a fill of this colour) and the
    // text colour it asks for; -1: none.
    COLORREF frameFill = RGB(10, 200, 30);
    COLORREF frameTextColor = (COLORREF)-1;
    // The answer of the themed push-button face.
    BOOL drawsPushButtonFace = FALSE;
    // The answer of EmbossesDisabledButtonText (the base manager's: TRUE).
    BOOL embossesDisabledText = TRUE;

    // The calls of one operation, in order.
    std::vector<DrawCall> Of(const std::string& name) const;
    int Count(const std::string& name) const { return int(Of(name).size()); }
    void Clear() { calls.clear(); }

    BOOL UsesCustomScrollBars() override { return TRUE; }
    BOOL EmbossesDisabledButtonText() override { return embossesDisabledText; }
    BOOL DrawPushButtonFrame(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState) override;
    BOOL DrawPushButtonFace(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState) override;
    void DrawCheckBoxEx(CDC* pDC, CRect rect, int nState, BOOL bFocused, BOOL bIsRadio, BOOL bEnabled) override;
    void DrawRadioButton(CDC* pDC, CRect rect, BOOL bChecked, BOOL bHighlighted, BOOL bPressed,
                         BOOL bEnabled) override;
    void DrawScrollBarThumb(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted,
                            BOOL bPressed, BOOL bDisabled) override;
    void DrawScrollBarButton(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted,
                             BOOL bPressed, BOOL bFirst, BOOL bDisabled) override;
    void DrawScrollBarTrack(CDC* pDC, CZUDPScrollBar* pScrollBar, CRect rect, BOOL bHorz, BOOL bHighlighted,
                            BOOL bPressed, BOOL bFirst, BOOL bDisabled) override;
    void DrawProgressBar(CDC* pDC, CZUDPRibbonProgressBar* pProgress, CRect rectProgress, CRect rectChunk,
                         BOOL bInfiniteMode) override;
    void DrawGroupBox(CDC* pDC, CZUDPGroup* pGroup, CRect rect, const CString& strName) override;
    void DrawSliderChannel(CDC* pDC, CZUDPSliderCtrl* pSlider, BOOL bVert, CRect rect, BOOL bDrawOnGlass) override;
    BOOL DrawSliderThumb(CDC* pDC, CZUDPSliderCtrl* pSlider, CRect rect, BOOL bIsHighlighted, BOOL bIsPressed,
                         BOOL bIsDisabled, BOOL bVert, BOOL bLeftTop, BOOL bBothSides, BOOL bDrawOnGlass) override;
    BOOL DrawTextOnGlass(CDC* pDC, CString strText, CRect rect, DWORD dwFlags, int nGlowSize,
                         COLORREF clrText) override;
};

// Installs the recording manager as the active one for a scope and the
// base manager again afterwards.
class RecordingManagerScope {
public:
    RecordingManagerScope();
    ~RecordingManagerScope();
    RecordingManagerScope(const RecordingManagerScope&) = delete;
    RecordingManagerScope& operator=(const RecordingManagerScope&) = delete;
    CRecordingVisualManager& operator*() const { return *m_manager; }
    CRecordingVisualManager* operator->() const { return m_manager; }

private:
    CRecordingVisualManager* m_manager = nullptr;
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
