#include "ui/docking/ZUDPMiniFrameWnd.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPMiniFrameWnd, CMiniFrameWnd, VERSIONABLE_SCHEMA | 2)

CZUDPMiniFrameWnd::CZUDPMiniFrameWnd() { g_miniFrameList.AddTail(this); }

CZUDPMiniFrameWnd::~CZUDPMiniFrameWnd()
{
    POSITION pos = g_miniFrameList.Find(this);
    if (pos != nullptr)
        g_miniFrameList.RemoveAt(pos);
}

void CZUDPMiniFrameWnd::RedrawAllMiniFrames()
{
    for (POSITION pos = g_miniFrameList.GetHeadPosition(); pos != nullptr;) {
        CZUDPMiniFrameWnd* pFrame = static_cast<CZUDPMiniFrameWnd*>(g_miniFrameList.GetNext(pos));
        if (pFrame != nullptr && CWnd::FromHandlePermanent(pFrame->m_hWnd) == pFrame)
            pFrame->RedrawWindow(nullptr, nullptr,
                                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_UPDATENOW);
    }
}
