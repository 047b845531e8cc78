#pragma once
// CCreateContext: what a frame hands to the views it creates (the view's
// class, its document, the frame).  CScrollView: a view that scrolls over
// a total size given in the units of its mapping mode and paints through
// OnPrepareDC and OnDraw.
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView() = default;

    // A page or line size of (0, 0): a tenth of the total (line) or of
    // the window (page), as the system's scroll bars would step.
    static const SIZE sizeDefault;

    // The scrolled size in units of the mapping mode (MM_TEXT and the
    // fixed modes; the anisotropic modes are the preview's own).
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CSize GetTotalSize() const { return m_totalLog; }
    int GetMapMode() const { return m_nMapMode; }
    // The position of the window's top-left corner in the scrolled area,
    // device units; never outside it.
    CPoint GetDeviceScrollPosition() const { return m_ptScroll; }
    void ScrollToDevicePosition(POINT pt);

    // The mapping mode, and the origin moved by the scroll position (not
    // while printing).
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;

protected:
    // Lays the scroll bars out for the window's size.
    void UpdateBars();
    // One scroll bar's step (SB_ code) on one axis; TRUE when it moved.
    BOOL OnScrollBy(int nBar, UINT nSBCode, UINT nPos);

    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

    int m_nMapMode = 0;   // 0: no sizes set yet
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    CPoint m_ptScroll;
};
