#pragma once
// CZUDPControlLook: what the library's controls share about their look. A
// control learns it from its dialog through the registered messages
// ZUDM_ONSETCONTROLVMMODE and ZUDM_ONSETCONTROLAERO (wParam stored, result
// 0); each control routes the two messages to these handlers in its own
// message map.
#include "framework/win/WinSdk.h"

template <class TBase>
class CZUDPControlLook : public TBase {
public:
    BOOL IsVisualManagerStyle() const { return m_bVisualManagerStyle; }
    BOOL IsOnGlass() const { return m_bOnGlass; }

protected:
    LRESULT OnSetControlVMMode(WPARAM wParam, LPARAM)
    {
        m_bVisualManagerStyle = (BOOL)wParam;
        return 0;
    }
    LRESULT OnSetControlAero(WPARAM wParam, LPARAM)
    {
        m_bOnGlass = (BOOL)wParam;
        return 0;
    }

    BOOL m_bVisualManagerStyle = FALSE;
    BOOL m_bOnGlass = FALSE;
};
