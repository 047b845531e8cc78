#pragma once
// The system's colour dialog (CColorDialog, ChooseColor), run modally over
// the application's window.
#include "framework/win/Dialog.h"

#include <commdlg.h>

class CColorDialog : public CDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    // A colour other than 0 starts the dialog on it (CC_RGBINIT).
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    ~CColorDialog() override;

    CHOOSECOLORA m_cc;

    // IDOK with the chosen colour in m_cc.rgbResult, IDCANCEL otherwise.
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr);
    // The sixteen custom colours the dialog offers, shared by every colour
    // dialog of the process as the system's own dialog keeps them.
    static COLORREF* GetSavedCustomColors();
};
