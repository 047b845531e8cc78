#pragma once
// CZUDPControlBarImpl: the non-client frame of a toolbar: its borders and,
// while it is docked with CBRS_GRIPPER, its gripper (left of a horizontal
// bar, right of it in a right-to-left window, above a vertical bar).  The
// toolbar's WM_NCCALCSIZE and WM_NCPAINT handling is this object's.
#include "framework/Rect.h"
#include "framework/win/WinSdk.h"

class CDC;
class CZUDPToolBar;

class CZUDPControlBarImpl {
public:
    explicit CZUDPControlBarImpl(CZUDPToolBar* pBar) : m_pBar(pBar) {}
    virtual ~CZUDPControlBarImpl() = default;
    CZUDPControlBarImpl(const CZUDPControlBarImpl&) = delete;
    CZUDPControlBarImpl& operator=(const CZUDPControlBarImpl&) = delete;

    // Shrinks the proposed client rectangle by the borders and gripper.
    void CalcNcSize(LPRECT lpRectClient);
    // Paints the borders, the non-client background and the gripper;
    // hRgnUpdate is the update region of WM_NCPAINT (1 or null: all).
    void DrawNcArea(HRGN hRgnUpdate = (HRGN)1);
    // Draws the non-client area into a DC of the whole window (its origin
    // the window's top-left corner), clipped to the update region.
    void DrawNcAreaInto(CDC* pDC, HRGN hRgnUpdate);
    // The gripper's rectangle: in the bar's client coordinates (bClient),
    // else in window coordinates; empty while the bar is in no dock bar.
    void GetGripperRect(CRect& rectGripper, BOOL bClient = FALSE) const;
    // The parent's background behind a transparent bar.
    void DrawParentBackground(CDC* pDC);

private:
    CZUDPToolBar* m_pBar;
};
