#include "ui/commandbars/ZUDPHelpComboBoxButton.h"

#include "framework/Archive.h"

IMPLEMENT_SERIAL(CZUDPHelpComboBoxButton, CZUDPToolbarComboBoxButton, VERSIONABLE_SCHEMA | 1)

CZUDPHelpComboBoxButton::CZUDPHelpComboBoxButton() : CZUDPToolbarComboBoxButton(0, -1, CBS_DROPDOWN, 0) {}

CZUDPHelpComboBoxButton::CZUDPHelpComboBoxButton(UINT uiID, int nWidth, LPCTSTR lpszPrompt)
    : CZUDPToolbarComboBoxButton(uiID, -1, CBS_DROPDOWN, nWidth), prompt(lpszPrompt)
{
}

CZUDPHelpComboBoxButton::~CZUDPHelpComboBoxButton() = default;

void CZUDPHelpComboBoxButton::Serialize(CArchive& ar)
{
    CZUDPToolbarComboBoxButton::Serialize(ar);
    if (ar.IsStoring())
        ar << prompt;
    else
        ar >> prompt;
}

void CZUDPHelpComboBoxButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarComboBoxButton::CopyFrom(src);
    if (const auto* pSrc = DYNAMIC_DOWNCAST(CZUDPHelpComboBoxButton, const_cast<CZUDPToolbarButton*>(&src)))
        prompt = pSrc->prompt;
}
