#include "ui/docking/ZUDPRecentDockInfo.h"

IMPLEMENT_DYNAMIC(CZUDPRecentContainerInfo, CObject)
IMPLEMENT_DYNAMIC(CZUDPRecentDockInfo, CObject)

void CZUDPRecentContainerInfo::CopyFrom(const CZUDPRecentContainerInfo& other)
{
    m_rectDockedRect = other.m_rectDockedRect;
    m_nRecentPercent = other.m_nRecentPercent;
    m_bIsRecentLeftBar = other.m_bIsRecentLeftBar;
}

void CZUDPRecentDockInfo::CopyFrom(const CZUDPRecentDockInfo& other)
{
    m_rectRecentFloatingRect = other.m_rectRecentFloatingRect;
    m_dwRecentAlignment = other.m_dwRecentAlignment;
    m_nRecentRowIndex = other.m_nRecentRowIndex;
    m_pRecentDockBar = other.m_pRecentDockBar;
    m_pRecentDockBarRow = other.m_pRecentDockBarRow;
    m_recentDockedInfo.CopyFrom(other.m_recentDockedInfo);
    m_recentFloatingInfo.CopyFrom(other.m_recentFloatingInfo);
}
