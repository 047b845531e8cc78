#pragma once
// The rebar common control (CReBarCtrl: bands holding child controls) and
// the rebar window of a frame (CReBar), which is the same window seen as
// a bar.
#include "framework/win/Wnd.h"

#include <commctrl.h>

class CReBarCtrl : public CWnd {
    DECLARE_DYNAMIC(CReBarCtrl)
public:
    CReBarCtrl() = default;

    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    UINT GetBandCount() const { return UINT(::SendMessageA(m_hWnd, RB_GETBANDCOUNT, 0, 0)); }
    BOOL GetBandInfo(UINT uBand, REBARBANDINFOA* prbbi) const
    { return BOOL(::SendMessageA(m_hWnd, RB_GETBANDINFOA, uBand, LPARAM(prbbi))); }
    BOOL SetBandInfo(UINT uBand, REBARBANDINFOA* prbbi)
    { return BOOL(::SendMessageA(m_hWnd, RB_SETBANDINFOA, uBand, LPARAM(prbbi))); }
    BOOL InsertBand(UINT uIndex, REBARBANDINFOA* prbbi)
    { return BOOL(::SendMessageA(m_hWnd, RB_INSERTBANDA, uIndex, LPARAM(prbbi))); }
    BOOL DeleteBand(UINT uBand) { return BOOL(::SendMessageA(m_hWnd, RB_DELETEBAND, uBand, 0)); }
    BOOL MoveBand(UINT uFrom, UINT uTo) { return BOOL(::SendMessageA(m_hWnd, RB_MOVEBAND, uFrom, uTo)); }
};

class CReBar : public CWnd {
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar() = default;

    BOOL Create(CWnd* pParentWnd, DWORD dwCtrlStyle = RBS_BANDBORDERS,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CCS_TOP,
                UINT nID = 0xE81A);
    // The same window as a rebar control.
    CReBarCtrl& GetReBarCtrl() const { return *reinterpret_cast<CReBarCtrl*>(const_cast<CReBar*>(this)); }
};
