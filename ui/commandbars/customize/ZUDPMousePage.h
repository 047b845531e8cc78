#pragma once
// The customization sheet's Mouse page: the command that a double click
// runs in each kind of view registered with the mouse manager.  Every
// change goes straight into the mouse manager.
#include "framework/String.h"
#include "framework/win/Controls.h"
#include "framework/win/ImageList.h"
#include "framework/win/ListCtrl.h"
#include "framework/win/PropertySheet.h"

class CZUDPCustomizePageHost;

class CZUDPMousePage : public CPropertyPage {
    DECLARE_DYNAMIC(CZUDPMousePage)
public:
    CZUDPMousePage();
    ~CZUDPMousePage() override;

    void SetCustomizeHost(CZUDPCustomizePageHost* pHost) { m_pHost = pHost; }

    // Enables the commands list and description; disabling also removes
    // the list's selection and empties the description.
    void EnableDblClickControls(BOOL bEnable = TRUE);
    // Shows the command's description and selects its list item (scrolled
    // to the top); FALSE when the list does not hold the command.
    BOOL SelectCommand(UINT uiCmd);

    int GetCurrentViewId() const { return m_iCurrViewId; }

    CListCtrl m_wndListOfViews;
    CListBox m_wndListOfCommands;
    CStatic m_wndCommandDescription;
    CString m_strCommandDescription;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnItemchangedListViews(NMHDR* pNMHDR, LRESULT* pResult);
    void OnNoDblClick();
    void OnUseDblClick();
    void OnSelchangeListOfCommands();
    CString DescriptionOf(UINT uiCmd) const;

    int m_iCurrViewId = -1;
    CImageList m_ViewsImages;
    CZUDPCustomizePageHost* m_pHost = nullptr;

    DECLARE_MESSAGE_MAP()
};
