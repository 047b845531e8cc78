#include "ui/docking/ZUDPDockingControlBar.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPDockingControlBar, CZUDPControlBar, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CZUDPDockingCBWrapper, CZUDPDockingControlBar, VERSIONABLE_SCHEMA | 2)

void CZUDPDockingCBWrapper::SetWrappedWindow(CWnd* pWnd)
{
    m_pWrappedWnd = pWnd;
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && m_hWnd != nullptr)
        pWnd->SetParent(this);
}
