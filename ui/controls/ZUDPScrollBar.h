#pragma once
// CZUDPScrollBar: a platform scroll bar ("ScrollBar") whose look and mouse
// handling the library takes over while the visual manager draws scroll
// bars itself (UsesCustomScrollBars) and the bar's draw mode is not 0.
// Then it paints its two arrow buttons, its track and its thumb through the
// visual manager, or, in owner-draw mode (3), asks its owner to paint them
// with ZUDM_ON_DRAW_SCROLLBAR; it hit-tests, captures the mouse, drags the
// thumb and repeats arrow and page clicks on timers (500 ms, then every
// 50 ms), sending its parent the WM_HSCROLL / WM_VSCROLL codes of a platform
// scroll bar.  Otherwise every message goes to the platform control
// unchanged; the choice is made for each message, so it follows a change of
// visual manager at once.  Created by name.
#include "framework/win/Controls.h"

#include <cstdint>

class CZUDPScrollBar;

// What ZUDM_ON_DRAW_SCROLLBAR hands the owner (by address in lParam; wParam
// is the bar's control id): one part of the bar to paint.
struct ScrollBarDrawInfo {
    enum Part : int32_t { Track = 0, ArrowButton = 1, Thumb = 2 };
    CDC* pDC;
    CZUDPScrollBar* pScrollBar;
    int32_t part;
    RECT rect;        // client coordinates
    BOOL first;       // the left/up arrow, or the track before the thumb (or a track without thumb)
    BOOL horizontal;
    BOOL hot;
    BOOL pressed;
    BOOL disabled;
};

class CZUDPScrollBar : public CScrollBar {
    DECLARE_DYNCREATE(CZUDPScrollBar)
public:
    // Parts of the bar (HitTest).
    enum HitPart {
        PartNone = 0,
        PartFirstArrow = 1,   // left or up
        PartSecondArrow = 2,  // right or down
        PartThumb = 3,
        PartTrackBefore = 4,  // the track before the thumb
        PartTrackAfter = 5,
        PartTrackNoThumb = 6, // the track of a bar that shows no thumb
    };
    // Draw modes.
    enum DrawMode { DrawPlatform = 0, DrawByManager = 1, DrawByOwner = 3 };
    // Timers of the auto-repeat: the first delay, then the repeat.
    static constexpr UINT_PTR kDelayTimer = 1111;
    static constexpr UINT_PTR kRepeatTimer = 2222;
    static constexpr UINT kDelayMilliseconds = 500;
    static constexpr UINT kRepeatMilliseconds = 50;
    // A dragged thumb snaps back to where it was grabbed when the pointer
    // is this far away from the bar.
    static constexpr int kSnapBackDistance = 150;
    // The shortest thumb drawn.
    static constexpr int kMinThumbLength = 8;

    CZUDPScrollBar() = default;

    // 0 platform, 3 owner-drawn, any other value the visual manager.
    void SetDrawMode(int nDrawMode) { m_nDrawMode = nDrawMode; }
    int GetDrawMode() const { return m_nDrawMode; }
    // The object deletes itself when its window is gone.
    void SetAutoDelete(BOOL bAutoDelete) { m_bAutoDelete = bAutoDelete; }
    // The library handles the bar now (custom manager, draw mode not 0).
    BOOL IsCustom() const;
    BOOL IsHorizontal() const { return (GetStyle() & SBS_VERT) == 0; }
    int GetHotPart() const { return m_nHotPart; }
    int GetPressedPart() const { return m_nPressedPart; }
    BOOL IsDraggingThumb() const { return m_nPressedPart == PartThumb; }

    // The thumb in the bar rectangle (any coordinates: the thumb follows
    // the rectangle); empty when the bar shows none.
    CRect ThumbRect(const CRect& rectBar, BOOL bHorz) const;
    // The two arrow buttons of the bar rectangle; each gets half of a bar
    // shorter than two arrows.
    void ArrowRects(const CRect& rectBar, BOOL bHorz, CRect& rectFirst, CRect& rectSecond) const;
    // The length of an arrow button along the bar.
    static int ArrowSize(BOOL bHorz);

    // --- Virtual operations, in slot order --------------------------------
    // The part under the point (screen coordinates).
    virtual int HitTest(CPoint ptScreen);
    // Paints the whole bar.
    virtual void Draw(CDC* pDC);
    virtual void DrawThumb(CDC* pDC, CRect rect, BOOL bHorz, BOOL bHot, BOOL bPressed, BOOL bDisabled);
    virtual void DrawArrowButton(CDC* pDC, CRect rect, BOOL bHorz, BOOL bHot, BOOL bPressed, BOOL bFirst,
                                 BOOL bDisabled);
    virtual void DrawTrack(CDC* pDC, CRect rect, BOOL bHorz, BOOL bHot, BOOL bPressed, BOOL bFirst, BOOL bDisabled);
    // One step of auto-repeat: the code of the pressed part while the
    // pointer is on it.
    virtual void SendScrollCode();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void PreSubclassWindow() override {}
    void PostNcDestroy() override;

    // Range, page, position; FALSE when the control cannot be asked.
    BOOL ReadScrollInfo(SCROLLINFO& info, UINT nMask) const;
    // Drawn without thumb: a disabled window, both arrows disabled, an
    // empty range or no page.
    BOOL IsDrawnDisabled(const SCROLLINFO& info) const;
    // The thumb from the scroll state alone (no dragged thumb).
    CRect CalcThumbRect(const CRect& rectBar, BOOL bHorz) const;
    // The position a thumb at this place stands for.
    int PositionFromThumb(const CRect& rectThumb);
    void SendToParent(UINT nCode, int nPos = 0);
    void Redraw();
    // Sends one part to the owner (draw mode 3).
    void SendOwnerDraw(CDC* pDC, int32_t nPart, const CRect& rect, BOOL bHorz, BOOL bHot, BOOL bPressed,
                       BOOL bFirst, BOOL bDisabled);
    // Stops the timers, gives the capture back and forgets the press.
    void EndPress();
    // The platform control's answer to a message, drawn off-screen.
    LRESULT PassHidden(UINT message, WPARAM wParam, LPARAM lParam);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT uFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnTimer(UINT_PTR nIDEvent);
    void OnCancelMode();

    BOOL m_bAutoDelete = FALSE;
    int m_nDrawMode = DrawByManager;
    BOOL m_bTracking = FALSE;
    int m_nHotPart = PartNone;
    int m_nPressedPart = PartNone;
    // The window that held the capture when the bar took it: a handle,
    // checked before it is given the capture back.
    HWND m_hWndPreviousCapture = nullptr;
    // SBM_ENABLE_ARROWS bits: 1 the left/up arrow disabled, 2 the other.
    int m_nDisabledArrows = 0;
    BOOL m_bDelayTimerOn = FALSE;
    BOOL m_bRepeatTimerOn = FALSE;
    CPoint m_ptGrab = CPoint(0, 0);
    CRect m_rectDragThumb = CRect(0, 0, 0, 0);
    CRect m_rectGrabThumb = CRect(0, 0, 0, 0);
    int m_nTrackPos = 0;

    DECLARE_MESSAGE_MAP()
};
