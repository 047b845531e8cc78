#pragma once
// CZUDPBaseControlBar: the base of every docked or floating bar and pane of
// the library (toolbars, docking panes, dock bars, sliders).  This version
// answers what the painting of bars asks: the bar's style bits (borders and
// docked side), whether it floats or may float, the floating frame that
// holds it, and whether it was created inside a dialog.
#include "ui/commandbars/ZUDPWnd.h"
#include "framework/win/BarStyles.h"

class CZUDPMiniFrameWnd;

// Library control-bar style bits (kept apart from the CBRS_ style bits).
#define ZUDP_CBRS_FLOAT 0x0001  // the bar may float

class CZUDPBaseControlBar : public CZUDPWnd {
    DECLARE_DYNAMIC(CZUDPBaseControlBar)
public:
    CZUDPBaseControlBar() = default;

    // Non-zero while the bar floats in a floating frame of its own.
    virtual BOOL IsFloating() const;
    // The CBRS_ style bits: borders (CBRS_BORDER_*) and docked side
    // (CBRS_ALIGN_*).
    virtual DWORD GetBarStyle() const { return m_dwStyle; }
    virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    // Non-zero when the bar may float (library style ZUDP_CBRS_FLOAT).
    virtual BOOL CanFloat() const { return (m_dwControlBarStyle & ZUDP_CBRS_FLOAT) != 0; }
    DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }
    void SetControlBarStyle(DWORD dwStyle) { m_dwControlBarStyle = dwStyle; }
    // The floating frame that is the bar's parent, or null (a bar docked in
    // a frame).  The flag asks for the frame even while the bar is only
    // about to float; this version has no such state.
    virtual CZUDPMiniFrameWnd* GetParentMiniFrame(BOOL bNoAssert = FALSE) const;
    // The side the bar is docked to: CBRS_ALIGN_LEFT, _TOP, _RIGHT or
    // _BOTTOM (0 when none).
    virtual DWORD GetDockedSide() const { return m_dwStyle & CBRS_ALIGN_ANY; }

    // Set when the bar was created with a dialog as its parent.
    BOOL IsInDialog() const { return m_bInDialog; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    BOOL m_bInDialog = FALSE;

protected:
    DWORD m_dwStyle = 0;
    DWORD m_dwControlBarStyle = 0;
};
