#include "ui/docking/ZUDPFrameWnd.h"

#include "ui/commandbars/ZUDPPopupMenu.h"

IMPLEMENT_DYNCREATE(CZUDPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPMDIFrameWnd, CMDIFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPOleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPOleDocIPFrameWnd, CZUDPOleIPFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPMDIChildWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CZUDPOleCntrFrameWnd, CFrameWnd)

namespace {

void RemoveFrame(CObject* pFrame)
{
    POSITION pos = g_frameList.Find(pFrame);
    if (pos != nullptr)
        g_frameList.RemoveAt(pos);
}

} // namespace

BOOL CZUDPFrameDockSite::PreparePopupMenu(CZUDPPopupMenu* pMenu)
{
    g_activePopupMenu = pMenu;
    return TRUE;
}

void CZUDPFrameDockSite::OnClosePopupMenu(CZUDPPopupMenu* pMenu)
{
    if (g_activePopupMenu == pMenu)
        g_activePopupMenu = nullptr;
}

CZUDPDockManager* DockManagerOfFrame(CWnd* pFrame)
{
    if (pFrame == nullptr)
        return nullptr;
    if (CZUDPFrameWnd* pSdi = DYNAMIC_DOWNCAST(CZUDPFrameWnd, pFrame))
        return pSdi->GetDockManager();
    if (CZUDPMDIFrameWnd* pMdi = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, pFrame))
        return pMdi->GetDockManager();
    if (CZUDPOleIPFrameWnd* pInPlace = DYNAMIC_DOWNCAST(CZUDPOleIPFrameWnd, pFrame))
        return pInPlace->GetDockManager();   // the document in-place frame among them
    if (CZUDPMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CZUDPMDIChildWnd, pFrame))
        return pChild->GetDockManager();
    if (CZUDPOleCntrFrameWnd* pContainer = DYNAMIC_DOWNCAST(CZUDPOleCntrFrameWnd, pFrame))
        return pContainer->GetDockManager();
    return nullptr;
}

CZUDPFrameDockSite* ButtonTooltipSiteOf(CWnd* pFrame, BOOL bMDIChild)
{
    if (pFrame == nullptr)
        return nullptr;
    if (CZUDPMDIFrameWnd* pMdi = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, pFrame))
        return pMdi;
    if (CZUDPFrameWnd* pSdi = DYNAMIC_DOWNCAST(CZUDPFrameWnd, pFrame))
        return pSdi;
    if (bMDIChild) {
        if (CZUDPMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CZUDPMDIChildWnd, pFrame))
            return pChild;
    }
    if (CZUDPOleIPFrameWnd* pInPlace = DYNAMIC_DOWNCAST(CZUDPOleIPFrameWnd, pFrame))
        return pInPlace;
    return nullptr;
}

CZUDPFrameImpl* FrameImplOf(CWnd* pFrame)
{
    if (pFrame == nullptr)
        return nullptr;
    if (CZUDPMDIFrameWnd* pMdi = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, pFrame))
        return &pMdi->GetFrameImpl();
    if (CZUDPFrameWnd* pSdi = DYNAMIC_DOWNCAST(CZUDPFrameWnd, pFrame))
        return &pSdi->GetFrameImpl();
    return nullptr;
}

void CZUDPFrameDockSite::LayoutFrame(CFrameWnd* pFrame, const CRect& rectBorder)
{
    m_dockManager.LayoutDockedBars(nullptr);
    CRect rectClient = m_dockManager.GetClientAreaRect();
    CRect rectBorders = rectBorder;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &rectBorders, &rectClient);
}

CZUDPFrameWnd::CZUDPFrameWnd() : CZUDPFrameDockSite(this)
{
    m_Impl.m_pDockManager = GetDockManager();
    g_frameList.AddTail(this);
}

CZUDPFrameWnd::~CZUDPFrameWnd() { RemoveFrame(this); }

CZUDPMDIFrameWnd::CZUDPMDIFrameWnd() : CZUDPFrameDockSite(this)
{
    m_Impl.m_pDockManager = GetDockManager();
    g_frameList.AddTail(this);
}

CZUDPMDIFrameWnd::~CZUDPMDIFrameWnd() { RemoveFrame(this); }

BOOL CZUDPMDIFrameWnd::ReleaseTabbedDocument(CWnd* pMDIChild)
{
    // No child hosts a pane yet: panes become documents with the docking
    // subsystem's MDI tabs.
    (void)pMDIChild;
    return FALSE;
}
