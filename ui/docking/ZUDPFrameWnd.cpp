#include "ui/docking/ZUDPFrameWnd.h"

IMPLEMENT_DYNCREATE(CZUDPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPMDIFrameWnd, CMDIFrameWnd)

namespace {

void RemoveFrame(CObject* pFrame)
{
    POSITION pos = g_frameList.Find(pFrame);
    if (pos != nullptr)
        g_frameList.RemoveAt(pos);
}

} // namespace

CZUDPFrameWnd::CZUDPFrameWnd() { g_frameList.AddTail(this); }

CZUDPFrameWnd::~CZUDPFrameWnd() { RemoveFrame(this); }

CZUDPMDIFrameWnd::CZUDPMDIFrameWnd() { g_frameList.AddTail(this); }

CZUDPMDIFrameWnd::~CZUDPMDIFrameWnd() { RemoveFrame(this); }
