#pragma once
// What the Keyboard, Menu, Mouse and Tools pages ask of the customization
// sheet they lie in: its command catalogue and its hooks.  The sheet
// implements it (as a second base); a page finds it through
// SetCustomizeHost, else by asking its parent sheet.  Pages work without a
// host: the catalogue is then empty and every hook keeps its default.
#include "framework/List.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"

class CComboBox;
class CListBox;
class CZUDPUserTool;

class CZUDPCustomizePageHost {
public:
    virtual ~CZUDPCustomizePageHost() = default;

    // The category names with item data = the category's list of
    // CZUDPToolbarButton objects; the all-commands category comes last.
    virtual void FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty = TRUE) = 0;
    // Every command of the catalogue, item data = the command id.
    virtual void FillAllCommandsList(CListBox& wndListOfCommands) = 0;
    // The catalogue's text for the command, null when it lacks it.
    virtual LPCTSTR GetCommandName(UINT uiCmd) = 0;
    // The sheet's option bits.
    virtual UINT GetCustomizeFlags() const = 0;

    // Hooks, with their defaults.
    virtual BOOL OnAssignKey(ACCEL* pAccel) { (void)pAccel; return TRUE; }
    virtual void OnInitToolsPage() {}
    virtual void OnBeforeChangeTool(CZUDPUserTool* pSelTool) { (void)pSelTool; }
    virtual void OnAfterChangeTool(CZUDPUserTool* pSelTool) { (void)pSelTool; }
    virtual BOOL CheckToolsValidity(const CObList& lstTools) { (void)lstTools; return TRUE; }
};
