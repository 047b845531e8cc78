#pragma once
// What the customization page tests share: a catalogue host with named
// categories of command buttons, and a modeless sheet that shows one page
// so that the page's messages can be driven headless.
#include "framework/win/Controls.h"
#include "framework/win/PropertySheet.h"
#include "tests/common/MessagePumpWin.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/customize/ZUDPCustomizePageHost.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace trovtest {

class TestCustomizeHost : public CZUDPCustomizePageHost {
public:
    ~TestCustomizeHost() override
    {
        for (auto& category : m_categories) {
            while (!category.second->IsEmpty())
                delete category.second->RemoveHead();
        }
        while (!m_all.IsEmpty())
            delete m_all.RemoveHead();
    }
    // Adds a command to a category (and to "All Commands").
    void Add(const char* lpszCategory, UINT uiCmd, const char* lpszText)
    {
        auto& list = m_categories[lpszCategory];
        if (!list) {
            list = std::make_unique<CObList>();
            m_order.push_back(lpszCategory);
        }
        list->AddTail(new CZUDPToolbarButton(uiCmd, -1, lpszText));
        m_all.AddTail(new CZUDPToolbarButton(uiCmd, -1, lpszText));
    }

    void FillCategoriesComboBox(CComboBox& wndCategory, BOOL) override
    {
        for (const std::string& name : m_order) {
            const int i = wndCategory.AddString(name.c_str());
            wndCategory.SetItemData(i, DWORD_PTR(m_categories[name].get()));
        }
        const int i = wndCategory.AddString("All Commands");
        wndCategory.SetItemData(i, DWORD_PTR(&m_all));
    }
    void FillAllCommandsList(CListBox& wndList) override
    {
        wndList.ResetContent();
        for (POSITION pos = m_all.GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CZUDPToolbarButton*>(m_all.GetNext(pos));
            const int i = wndList.AddString(pButton->text);
            wndList.SetItemData(i, pButton->commandId);
        }
    }
    LPCTSTR GetCommandName(UINT uiCmd) override
    {
        for (POSITION pos = m_all.GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CZUDPToolbarButton*>(m_all.GetNext(pos));
            if (pButton->commandId == uiCmd)
                return pButton->text;
        }
        return nullptr;
    }
    UINT GetCustomizeFlags() const override { return flags; }
    BOOL OnAssignKey(ACCEL* pAccel) override
    {
        assigned.push_back(*pAccel);
        return allowAssign;
    }
    BOOL CheckToolsValidity(const CObList&) override { return toolsValid; }
    void OnBeforeChangeTool(CZUDPUserTool* pTool) override { toolChanges.push_back({"before", pTool}); }
    void OnAfterChangeTool(CZUDPUserTool* pTool) override { toolChanges.push_back({"after", pTool}); }

    UINT flags = 0;
    BOOL allowAssign = TRUE;
    BOOL toolsValid = TRUE;
    std::vector<ACCEL> assigned;
    std::vector<std::pair<std::string, CZUDPUserTool*>> toolChanges;

private:
    std::map<std::string, std::unique_ptr<CObList>> m_categories;
    std::vector<std::string> m_order;
    CObList m_all;
};

// A modeless sheet around pages; destroyed with the object.
class TestSheet : public CPropertySheet {
public:
    TestSheet() : CPropertySheet("Customize") {}
    ~TestSheet() override
    {
        if (GetSafeHwnd() != nullptr)
            DestroyWindow();
    }
    bool Open(CWnd* pParent = nullptr)
    {
        InitFrameworkForTests();
        if (!Create(pParent, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK))
            return false;
        PumpPending();
        return true;
    }
};

// The text of a list box item.
inline CString ListText(const CListBox& list, int i)
{
    CString str;
    if (i >= 0 && i < list.GetCount())
        list.GetText(i, str);
    return str;
}
inline std::vector<std::string> ListTexts(const CListBox& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(std::string(ListText(list, i)));
    return texts;
}

// Sends a control's notification to its parent as the control would.
inline void Notify(CWnd& control, UINT uiCode)
{
    ::SendMessageA(::GetParent(control.GetSafeHwnd()), WM_COMMAND, MAKEWPARAM(control.GetDlgCtrlID(), uiCode),
                   LPARAM(control.GetSafeHwnd()));
}
// Selects a list or combo item and tells the parent.
inline void SelectListItem(CListBox& list, int i)
{
    list.SetCurSel(i);
    Notify(list, LBN_SELCHANGE);
}
inline void SelectComboItem(CComboBox& combo, int i)
{
    combo.SetCurSel(i);
    Notify(combo, CBN_SELCHANGE);
}
inline void Click(CWnd& button) { Notify(button, BN_CLICKED); }

} // namespace trovtest
