#pragma once
// Where a control bar was docked and where it floated last, so that a
// double click, the pane menu, a layout being re-applied or the next start
// can put it back.  Toolbars remember a dock bar, a row and the row's index;
// each of the two places (docked, floating) keeps a container record with
// the bar's rectangle there.  The records live in memory only.
//
// This version has the fields the control bars read and write; the docking
// subsystem adds the places inside pane layout trees.
#include "framework/Object.h"
#include "framework/Rect.h"
#include "framework/win/WinSdk.h"

class CZUDPControlBar;
class CZUDPDockBar;
class CZUDPDockBarRow;

// One remembered place.
class CZUDPRecentContainerInfo : public CObject {
    DECLARE_DYNAMIC(CZUDPRecentContainerInfo)
public:
    CZUDPRecentContainerInfo() = default;

    virtual void CopyFrom(const CZUDPRecentContainerInfo& other);

    CRect m_rectDockedRect = CRect(0, 0, 30, 30);  // the bar's rectangle at that place
    int m_nRecentPercent = 50;                      // its share there
    BOOL m_bIsRecentLeftBar = TRUE;                 // it was the first part
};

class CZUDPRecentDockInfo : public CObject {
    DECLARE_DYNAMIC(CZUDPRecentDockInfo)
public:
    explicit CZUDPRecentDockInfo(CZUDPControlBar* pOwnerBar) : m_pOwnerBar(pOwnerBar) {}
    ~CZUDPRecentDockInfo() override = default;
    CZUDPRecentDockInfo(const CZUDPRecentDockInfo&) = delete;
    CZUDPRecentDockInfo& operator=(const CZUDPRecentDockInfo&) = delete;

    // Takes the other record's places (the owner stays).
    virtual void CopyFrom(const CZUDPRecentDockInfo& other);

    CRect m_rectRecentFloatingRect = CRect(10, 10, 110, 110);  // screen
    DWORD m_dwRecentAlignment = 0x1000;                          // CBRS_ALIGN_ side
    int m_nRecentRowIndex = 0;
    CZUDPDockBar* m_pRecentDockBar = nullptr;
    CZUDPDockBarRow* m_pRecentDockBarRow = nullptr;
    CZUDPRecentContainerInfo m_recentDockedInfo;    // docked place
    CZUDPRecentContainerInfo m_recentFloatingInfo;  // floating place
    CZUDPControlBar* m_pOwnerBar;
};
