#pragma once
// The library's frame windows, single-document and MDI.  This version has
// what the visual manager asks of them: their classes (the manager tells
// every frame when it is replaced and shapes a frame whose ribbon replaces
// the caption), the ribbon bar attached to the frame, and the frame
// implementation object through which the workspace loads the frame's
// state.  Each frame is in g_frameList while its object lives.  The docking
// subsystem completes them.
#include "framework/win/FrameWnd.h"
#include "framework/List.h"
#include "ui/docking/ZUDPFrameImpl.h"

class CZUDPRibbonBar;

class CZUDPFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CZUDPFrameWnd)
public:
    CZUDPFrameWnd();
    ~CZUDPFrameWnd() override;

    // The ribbon bar attached to the frame, or null.
    CZUDPRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    void SetRibbonBar(CZUDPRibbonBar* pRibbonBar) { m_pRibbonBar = pRibbonBar; }

    // The frame's implementation object (its bars, docking and placement).
    CZUDPFrameImpl& GetFrameImpl() { return m_Impl; }

protected:
    CZUDPRibbonBar* m_pRibbonBar = nullptr;
    CZUDPFrameImpl m_Impl{this};
};

class CZUDPMDIFrameWnd : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CZUDPMDIFrameWnd)
public:
    CZUDPMDIFrameWnd();
    ~CZUDPMDIFrameWnd() override;

    CZUDPRibbonBar* GetRibbonBar() const { return m_pRibbonBar; }
    void SetRibbonBar(CZUDPRibbonBar* pRibbonBar) { m_pRibbonBar = pRibbonBar; }

    // The frame's implementation object (its bars, docking and placement).
    CZUDPFrameImpl& GetFrameImpl() { return m_Impl; }

protected:
    CZUDPRibbonBar* m_pRibbonBar = nullptr;
    CZUDPFrameImpl m_Impl{this};
};

// Every library frame window of the process; readers skip entries whose
// handle no longer belongs to a permanent window object.
extern CObList g_frameList;
