#pragma once
// The floating frame that docking bars live in while they float.  So far
// it has what the foundation asks of it: its runtime class (archived by
// name), the bar it hosts, its docking-hint state while a drag shows where
// the bar would dock, the window it recorded as its owner when it was
// created (the search for a window's enclosing frame follows it), and the
// redraw of every floating frame.  The docking subsystem completes it.
#include "framework/win/FrameWnd.h"
#include "framework/List.h"

class CZUDPMiniFrameWnd : public CMiniFrameWnd {
    DECLARE_SERIAL(CZUDPMiniFrameWnd)
public:
    CZUDPMiniFrameWnd();
    ~CZUDPMiniFrameWnd() override;

    HWND GetRecordedOwner() const { return m_recordedOwner; }
    void RecordOwner(HWND hWndOwner) { m_recordedOwner = hWndOwner; }

    // The bar floating in this frame, or null.
    CWnd* GetHostedBar() const { return m_pHostedBar; }
    void SetHostedBar(CWnd* pBar) { m_pHostedBar = pBar; }
    // 1 or 2 while a drag shows a docking hint, else 0.
    int GetDockingHintState() const { return m_nDockingHintState; }
    void SetDockingHintState(int nState) { m_nDockingHintState = nState; }

    // Redraws every live floating frame: frame, children, background, now.
    static void RedrawAllMiniFrames();

protected:
    HWND m_recordedOwner = nullptr;
    CWnd* m_pHostedBar = nullptr;
    int m_nDockingHintState = 0;
};

// Every floating frame of the process (each adds itself on construction
// and removes itself on destruction).
extern CObList g_miniFrameList;
