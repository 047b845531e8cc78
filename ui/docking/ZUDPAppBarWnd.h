#pragma once
// CZUDPAppBarWnd: a top-level window that docks to an edge of its monitor
// as a shell application bar (the shell keeps other windows out of the
// bar's area), floats as an ordinary window, can be dragged from edge to
// edge, can auto-hide to a 2-pixel strip, can stay on top, and keeps its
// state in the registry.  All shell traffic goes through the foundation's
// appBarMessage seam; the shell's notifications arrive as
// ZUDM_APPBAR_CALLBACK.
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/Wnd.h"

class CZUDPAppBarWnd : public CWnd {
    DECLARE_SERIAL(CZUDPAppBarWnd)
public:
    // Sides (the shell's ABE_ values) and floating.
    enum { kSideLeft = 0, kSideTop = 1, kSideRight = 2, kSideBottom = 3, kFloating = -2 };
    // What the bar may do (the allowed flags).
    enum {
        kAllowLeftRight = 0x01,
        kAllowTopBottom = 0x02,
        kAllowFloat = 0x04,
        kAllowAutoHide = 0x10,
        kAllowAlwaysOnTop = 0x20
    };
    // Width of an auto-hidden bar's strip.
    static const int kAutoHideStrip = 2;

    CZUDPAppBarWnd();
    ~CZUDPAppBarWnd() override;

    // --- new operations, in order
    // The state below "%sZUDPAppBar-%d" of the profile's section path; a
    // stored side outside -2, 0..3 is not taken, docked sizes are kept
    // between 2 pixels and half the screen, and a floating rectangle is
    // moved into the work area.  TRUE when the key opened.
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1);
    virtual void GetSizingBorders(CRect& rect) const;
    virtual void GetCaptionRect(CRect& rect) const;
    virtual CString GetCaptionText() const;
    virtual void DrawFrame(CDC* pDC);
    virtual void DrawCaption(CDC* pDC);
    virtual UINT HitTest(int x, int y, BOOL bCaptionCounts);
    virtual BOOL IsFloating() const { return !m_bRegistered; }
    // The rectangle of the monitor that holds the bar (the primary screen
    // before the bar has a window).
    virtual void GetScreenRect(CRect& rect) const;
    virtual void OnAppBarPosChanged();
    virtual void OnFullScreenApp(BOOL bOpening);
    virtual void OnWindowArrange(BOOL bBeginning) { (void)bBeginning; }
    virtual void OnAppBarStateChange(BOOL bAutoHide, BOOL bAlwaysOnTop);

    // --- placement
    // Docks at a side (or floats for -2) when allowed; FALSE otherwise.
    BOOL DockTo(int nSide);
    BOOL Float();
    void SetAutoHide(BOOL bAutoHide);
    void SetAlwaysOnTop(BOOL bOnTop);
    void SetAllowedFlags(DWORD dwFlags) { m_dwAllowed = dwFlags; }
    void SetOwnerWindow(HWND hWnd) { m_hWndOwner = hWnd; }
    void SetNoSlideAnimation(BOOL bNoSlide) { m_bNoSlide = bNoSlide; }

    int GetSide() const { return m_nSide; }
    BOOL IsAutoHide() const { return m_bAutoHide; }
    BOOL IsAutoHideRegistered() const { return m_bAutoHideRegistered; }
    BOOL IsRegistered() const { return m_bRegistered; }
    BOOL IsAlwaysOnTop() const { return m_bAlwaysOnTop; }
    BOOL IsSlidIn() const { return m_bSlidIn; }
    int GetDockedSize(int nSide) const { return nSide >= 0 && nSide < 4 ? m_nDockedSize[nSide] : 0; }
    const CRect& GetFloatRect() const { return m_rectFloat; }
    void SetFloatRect(const CRect& rect) { m_rectFloat = rect; }

protected:
    // The shell calls.
    BOOL Register();
    BOOL Unregister();
    void QueryPos(CRect& rect);
    void SetPos(CRect& rect);
    UINT GetShellState();
    HWND GetAutoHideBarOf(int nSide);
    BOOL SetShellAutoHideBar(BOOL bOn);
    UINT_PTR Shell(DWORD dwMessage, APPBARDATA& abd);

    void AdjustToSide(CRect& rect);
    void SetDockedPos(int nSide, CRect rect, BOOL bMove, BOOL bNoSetPos);
    BOOL DockToSide(int nSide, BOOL bMove, BOOL bNoSetPos);
    BOOL SetAutoHideBar(BOOL bOn, BOOL bMove, BOOL bNoSetPos);
    void UpdateDockedPosition();
    void Slide(const CRect& rectTarget);
    void SlideIn();
    void SlideOut();
    BOOL IsLeftOrRight(int nSide) const { return nSide == kSideLeft || nSide == kSideRight; }
    // The rectangle a docked bar of the side takes at the screen's edge.
    CRect DockedRectOf(int nSide, int nSize) const;
    CRect WorkAreaAt(CPoint pt) const;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnCancelMode();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnTimer(UINT_PTR nIDEvent);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    LRESULT OnAppBarCallback(WPARAM wParam, LPARAM lParam);
    LRESULT OnEnterSizeMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL m_bAutoHide = FALSE;
    BOOL m_bAlwaysOnTop = FALSE;
    int m_nSide = kSideTop;
    int m_nDockedSize[4] = {80, 60, 80, 60};
    CRect m_rectFloat;
    BOOL m_bNoSlide = FALSE;
    int m_nCaptionHeight = 0;
    HWND m_hWndOwner = nullptr;
    DWORD m_dwAllowed = 0x37;
    BOOL m_bRegistered = FALSE;
    BOOL m_bAutoHideRegistered = FALSE;
    BOOL m_bSlidIn = FALSE;
    BOOL m_bPlacedByDocking = FALSE;
    BOOL m_bDragging = FALSE;
    CRect m_rectDrag;
    CPoint m_ptDragStart = CPoint(0, 0);
    int m_nSideAtDragStart = kSideTop;
    BOOL m_bInSizeMove = FALSE;
    CRect m_rectDocked;
    BOOL m_bUpdating = FALSE;
    BOOL m_bInSetPos = FALSE;
    HWND m_hWndBeforeFullScreen = nullptr;
};
