#pragma once
// Frame windows: CFrameWnd, a top-level window that hosts bars and views,
// and CMiniFrameWnd, the small-caption frame that floating bars live in.
// The library's frames derive from them; code that walks up from a window
// to its frame tests for these classes.
#include "framework/win/Wnd.h"

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd() = default;

    // The active view's frame for a frame that holds others (MDI); this
    // frame itself here.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // The frame whose child this frame is, or null for a top-level frame.
    CFrameWnd* GetParentFrame() const;
    // The accelerator table the frame translates keys with (null: none).
    virtual HACCEL GetDefaultAccelerator() { return m_hAccelTable; }
    // The resource id of the frame's own accelerator table, the one its
    // resources were loaded with (0: none); frames that take their
    // resources elsewhere answer that id.
    virtual UINT GetDefaultAcceleratorId() const { return m_nIDResource; }

    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDResource = 0;
};

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;
};
