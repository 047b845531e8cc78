#pragma once
// CZUDPEdit: the library's edit control (later: browse button and calculator).
// This version is the framework's control that learns its look from its
// dialog (the registered messages ZUDM_ONSETCONTROLVMMODE and
// ZUDM_ONSETCONTROLAERO: wParam stored, result 0); the themed painting
// arrives with the control's own implementation.
#include "framework/win/FrameworkWin.h"

class CZUDPEdit : public CEdit {
    DECLARE_DYNAMIC(CZUDPEdit)
public:
    CZUDPEdit();
    ~CZUDPEdit() override;

    BOOL IsVisualManagerStyle() const { return m_bVisualManagerStyle; }
    BOOL IsOnGlass() const { return m_bOnGlass; }

protected:
    LRESULT OnSetControlVMMode(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetControlAero(WPARAM wParam, LPARAM lParam);

    BOOL m_bVisualManagerStyle = FALSE;
    BOOL m_bOnGlass = FALSE;

    DECLARE_MESSAGE_MAP()
};
