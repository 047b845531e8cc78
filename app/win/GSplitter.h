#pragma once
// A child window that divides its area between two panes, one above the
// other, with a 7-pixel bar between them that the user drags.  It passes
// the lists' WM_APP messages on to its parent.
#include "framework/win/Wnd.h"

class CGSplitter : public CWnd {
    DECLARE_DYNAMIC(CGSplitter)
public:
    enum { kBarWidth = 7, kInitialPosition = 400 };

    CGSplitter() = default;

    BOOL Create(CWnd* firstPane, CWnd* secondPane, CWnd* parent, int storedPosition, UINT id, int minimumPane);
    // Lays the panes out again (WM_SIZE with the current size).
    void Relayout();

    int m_storedPosition = 0;
    int m_position = kInitialPosition;
    int m_dragged = 0;
    int m_dragStartY = 0;
    int m_dragStartPosition = 0;
    int m_minimumPane = 0;
    CWnd* m_firstPane = nullptr;
    CWnd* m_secondPane = nullptr;
    HCURSOR m_cursor = nullptr;
    int m_firstShown = 1;
    int m_secondShown = 1;

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    LRESULT ForwardToParent(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
