#include "ui/commandbars/customize/ZUDPCustomizePageSupport.h"

#include "framework/win/DocTemplate.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/customize/ZUDPCustomizePageHost.h"
#include "ui/commandbars/customize/ZUDPToolbarCustomize.h"

namespace customize_pages {

namespace {

// The customization sheet as a page host: its catalogue and hooks.
class CSheetPageHost : public CZUDPCustomizePageHost {
public:
    void FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty) override
    {
        m_pSheet->FillCategoriesComboBox(wndCategory, bAddEmpty);
    }
    void FillAllCommandsList(CListBox& wndListOfCommands) override { m_pSheet->FillAllCommandsList(wndListOfCommands); }
    LPCTSTR GetCommandName(UINT uiCmd) override { return m_pSheet->GetCommandName(uiCmd); }
    UINT GetCustomizeFlags() const override { return m_pSheet->GetFlags(); }
    BOOL OnAssignKey(ACCEL* pAccel) override { return m_pSheet->OnAssignKey(pAccel); }
    void OnInitToolsPage() override { m_pSheet->OnInitToolsPage(); }
    void OnBeforeChangeTool(CZUDPUserTool* pSelTool) override { m_pSheet->OnBeforeChangeTool(pSelTool); }
    void OnAfterChangeTool(CZUDPUserTool* pSelTool) override { m_pSheet->OnAfterChangeTool(pSelTool); }
    BOOL CheckToolsValidity(const CObList& lstTools) override { return m_pSheet->CheckToolsValidity(lstTools); }

    CZUDPToolbarCustomize* m_pSheet = nullptr;
};

} // namespace

CString DocTemplateString(const CDocTemplate* pTemplate, DocStringPart part)
{
    CString strAll;
    if (pTemplate == nullptr || !strAll.LoadString(pTemplate->GetResourceId()))
        return CString();
    int iStart = 0;
    for (int i = 0; i < int(part); ++i) {
        const int iNext = strAll.Find('\n', iStart);
        if (iNext < 0)
            return CString();
        iStart = iNext + 1;
    }
    const int iEnd = strAll.Find('\n', iStart);
    return iEnd < 0 ? strAll.Mid(iStart) : strAll.Mid(iStart, iEnd - iStart);
}

CZUDPCustomizePageHost* FindHost(CZUDPCustomizePageHost* pGiven, const CPropertyPage* pPage)
{
    if (pGiven != nullptr)
        return pGiven;
    CPropertySheet* pSheet = pPage != nullptr ? pPage->GetParentSheet() : nullptr;
    if (auto* pHost = dynamic_cast<CZUDPCustomizePageHost*>(pSheet))
        return pHost;
    // The library's sheet answers through an adapter; one sheet is open at
    // a time, so one adapter bound to it serves every page.
    if (auto* pCustomize = dynamic_cast<CZUDPToolbarCustomize*>(pSheet)) {
        static CSheetPageHost s_sheetHost;
        s_sheetHost.m_pSheet = pCustomize;
        return &s_sheetHost;
    }
    return nullptr;
}

CString CommandText(const CZUDPToolbarButton* pButton, const CObList& category, BOOL bAllCommands)
{
    if (pButton == nullptr)
        return CString();
    if (pButton->menuPath.IsEmpty())
        return pButton->text;
    if (bAllCommands)
        return pButton->menuPath;
    // Two commands of one text in a category are told apart by their path.
    int nSameText = 0;
    for (POSITION pos = category.GetHeadPosition(); pos != nullptr;) {
        auto* pOther = dynamic_cast<const CZUDPToolbarButton*>(category.GetNext(pos));
        if (pOther != nullptr && pOther->text == pButton->text)
            ++nSameText;
    }
    return nSameText > 1 ? pButton->menuPath : pButton->text;
}

CString LoadLibraryString(UINT uiId)
{
    CString str;
    str.LoadString(uiId);
    return str;
}

} // namespace customize_pages
