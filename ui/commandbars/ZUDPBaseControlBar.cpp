#include "ui/commandbars/ZUDPBaseControlBar.h"

#include "framework/win/Dialog.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"

IMPLEMENT_DYNAMIC(CZUDPBaseControlBar, CZUDPWnd)

BOOL CZUDPBaseControlBar::IsFloating() const { return GetParentMiniFrame(TRUE) != nullptr; }

CZUDPMiniFrameWnd* CZUDPBaseControlBar::GetParentMiniFrame(BOOL bNoAssert) const
{
    (void)bNoAssert;
    if (m_hWnd == nullptr)
        return nullptr;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPMiniFrameWnd)))
        return static_cast<CZUDPMiniFrameWnd*>(pParent);
    return nullptr;
}

BOOL CZUDPBaseControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    CWnd* pParent = CWnd::FromHandlePermanent(cs.hwndParent);
    m_bInDialog = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CDialog));
    return CZUDPWnd::PreCreateWindow(cs);
}
