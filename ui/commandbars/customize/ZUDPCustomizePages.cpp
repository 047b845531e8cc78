#include "ui/commandbars/customize/ZUDPCustomizePages.h"

#include "ui/commandbars/customize/ZUDPToolbarsPage.h"

namespace {

INT_PTR RealToolbarNameDialog(CWnd* pParent, CString& strName)
{
    CToolbarNameDlg dlg(pParent);
    dlg.m_strToolbarName = strName;
    const INT_PTR nResult = dlg.DoModal();
    if (nResult == IDOK)
        strName = dlg.m_strToolbarName;
    return nResult;
}

} // namespace

CustomizePageMakers g_customizePageMakers;

CustomizePageMakers::CustomizePageMakers()
    : keyboardPage(&NewCustomizeKeyboardPage), menuPage(&NewCustomizeMenuPage), mousePage(&NewCustomizeMousePage),
      toolsPage(&NewCustomizeToolsPage), keyboardAllCategory(&SetCustomizeKeyboardAllCategory)
{
}

CustomizeSeams g_customizeSeams;

CustomizeSeams::CustomizeSeams() : toolbarNameDialog(&RealToolbarNameDialog) {}
