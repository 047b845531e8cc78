#pragma once
// The library's rebar of a frame.  This version holds what the saved rebar
// layout needs: the bar's runtime class (the workspace finds rebars among
// a frame's windows by it) and its locked flag.
#include "framework/Object.h"
#include "framework/win/ReBar.h"

class CZUDPReBar : public CReBar {
    DECLARE_DYNAMIC(CZUDPReBar)
public:
    CZUDPReBar() = default;

    // A locked rebar's bands cannot be moved by the user.
    void SetLocked(BOOL bLocked) { m_bLocked = bLocked; }
    BOOL IsLocked() const { return m_bLocked; }

protected:
    BOOL m_bLocked = FALSE;
};
