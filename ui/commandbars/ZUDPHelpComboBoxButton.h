#pragma once
// CZUDPHelpComboBoxButton: a drop-down combo button with a prompt ("Type a
// question for help") shown in its empty, unfocused edit.  It cannot be
// customized: it is never dragged, removed or re-imaged, and customization
// draws it disabled.
#include "ui/commandbars/ZUDPToolbarComboBoxButton.h"

class CZUDPHelpComboBoxButton : public CZUDPToolbarComboBoxButton {
    DECLARE_SERIAL(CZUDPHelpComboBoxButton)
public:
    CZUDPHelpComboBoxButton();
    CZUDPHelpComboBoxButton(UINT uiID, int nWidth, LPCTSTR lpszPrompt = nullptr);
    ~CZUDPHelpComboBoxButton() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CZUDPToolbarButton& src) override;
    BOOL IsCustomizable() const override { return FALSE; }
    CString GetPrompt() const override { return prompt; }

    CString prompt;
};
