#pragma once
// CZUDPProgressCtrl: the library's progress bar over the platform one.  It
// always paints itself (frame and chunk through the visual manager) over
// its parent's background, and has no platform border: the client area is
// the whole window.  Created by name.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPProgressCtrl : public CZUDPControlLook<CProgressCtrl> {
    DECLARE_DYNCREATE(CZUDPProgressCtrl)
public:
    CZUDPProgressCtrl() = default;

    // The frame (the client area less one pixel) and the chunk inside it
    // for the position; the chunk is empty for an empty range.
    void GetFrameAndChunk(CRect& rectFrame, CRect& rectChunk) const;

protected:
    void DrawProgress(CDC* pDC);

    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT uFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();

    DECLARE_MESSAGE_MAP()
};
