#pragma once
// The Commands page of the customization sheet: the catalogue's
// categories and, for the chosen one, its commands drawn as they look on a
// toolbar; a command dragged from the list onto a toolbar or into a menu
// is added there.
#include "framework/String.h"
#include "framework/win/Controls.h"
#include "framework/win/PropertySheet.h"

class CZUDPToolbarButton;

// The owner-drawn command list that starts the drags.
class CButtonsTextList : public CListBox {
public:
    CButtonsTextList() = default;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    const CSize& GetItemSize() const { return m_sizeButton; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CSize m_sizeButton;

private:
    void OnLButtonDown(UINT nFlags, LPARAM lParam);
};

class CZUDPCustomizePage : public CPropertyPage {
    DECLARE_DYNAMIC(CZUDPCustomizePage)
public:
    CZUDPCustomizePage();
    ~CZUDPCustomizePage() override = default;

    void SetAllCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory; }
    void OnChangeSelButton(CZUDPToolbarButton* pButton);

    BOOL OnInitDialog() override;
    CListBox& GetCategoriesList() { return m_wndCategory; }
    CButtonsTextList& GetCommandsList() { return m_wndTools; }
    const CString& GetDescription() const { return m_strButtonDescription; }
    CZUDPToolbarButton* GetSelectedButton() const { return m_pSelButton; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSelchangeCategory();
    void OnSelchangeCommands();
    DECLARE_MESSAGE_MAP()

    CListBox m_wndCategory;
    CButtonsTextList m_wndTools;
    CString m_strButtonDescription;
    CZUDPToolbarButton* m_pSelButton = nullptr;
    CString m_strAllCategory;
};
