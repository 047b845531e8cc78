// The main window's commands: the context menu of the two machine lists,
// its enable rules, and the commands handled by the window itself.
#include "app/win/trovconfDlg.h"
#include "framework/win/Wnd.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "app/MachineCommands.h"
#include "app/SafeFile.h"
#include "app/win/AppDialogs.h"
#include "app/win/DlgAddMachines.h"
#include "app/win/DlgConfigureMachine.h"
#include "app/win/DlgPassword.h"
#include "app/win/AppSeams.h"
#include "app/MachineColumns.h"
#include "res/resource.h"
#include "support/GTextStore.h"
#include "support/GXml.h"
#include "support/Utilities.h"

namespace {

// A folder a machine list remembered goes to the configuration under its
// key, for the next start; a list that remembers none leaves the stored one.
void StoreListFolder(CTrovConfConfig& config, const char* key, const CRememberedPath& folder)
{
    if (!folder.m_path.IsEmpty())
        config.SetValue(key, folder.m_path);
}

} // namespace

void CtrovconfDlg::OnContextMenu(CWnd*, CPoint point)
{
    // Every command acts on the whole saved list.
    CompleteStartUp();
    HWND under = ::WindowFromPoint(point);
    if (under == m_savedList.m_hWnd)
        m_activeList = &m_savedList;
    else if (under == m_discoveredList.m_hWnd)
        m_activeList = &m_discoveredList;
    else {
        m_activeList = nullptr;
        return;
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_MACHINE_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup)
        return;
    PrepareContextMenu(popup);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CtrovconfDlg::PrepareContextMenu(CMenu* popup)
{
    CMachinesListCtrl* list = m_activeList;
    const bool saved = list == &m_savedList;
    const bool anySelected = list && list->GetSelectedCount() > 0;
    const bool oneSelected = list && list->HasOneSelectedMachine();
    const bool noneOrRpi = list && list->FirstSelectedIsNoneOrRpi();
    auto enable = [popup](UINT id, bool on) {
        popup->EnableMenuItem(id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    auto check = [popup](UINT id, bool on) {
        popup->CheckMenuItem(id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    };
    enable(ID_POLL_DETAILS, anySelected);
    enable(ID_SELECT_ALL, list && list->GetItemCount() > 0);
    enable(ID_VIEW_FILTERS, saved);
    check(ID_VIEW_FILTERS, m_savedList.m_hWnd && m_savedList.IsFilterBarShown());
    enable(ID_VIEW_LOG, true);
    check(ID_VIEW_LOG, m_logShown != 0);
    enable(ID_VIEW_DEBUG, true);
    check(ID_VIEW_DEBUG, m_debug != 0);
    enable(ID_INSTALL_APP, noneOrRpi);
    enable(ID_GET_BACKUP, noneOrRpi);
    enable(ID_GET_EVENT_LOG, noneOrRpi);
    enable(ID_UPDATE_FIRMWARE, list && list->CanUpdateFirmware());
    enable(ID_UPDATE_IO_FIRMWARE, list && list->CanUpdateIoFirmware());
    enable(ID_START_WEB_INTERFACE, oneSelected);
    enable(ID_CONFIGURE, oneSelected);
    enable(ID_STROBE_IDENT, saved ? oneSelected : anySelected);
    enable(ID_RESTART, noneOrRpi);
    enable(ID_COPY_SYSTEM_ID, oneSelected);
    enable(ID_REFRESH_LOCAL, true);
    enable(ID_ADD_MACHINES, true);
    enable(ID_REMOVE_MACHINES, saved && anySelected);
    enable(ID_IMPORT_MACHINES, saved);
    enable(ID_EXPORT_MACHINES, saved && anySelected);
}

void CtrovconfDlg::OnSelectAll()
{
    if (!m_activeList)
        return;
    for (int row = 0; row < m_activeList->GetItemCount(); ++row)
        m_activeList->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

void CtrovconfDlg::OnViewFilters()
{
    if (m_activeList != &m_savedList)
        return;
    m_savedList.ShowFilterBar(!m_savedList.IsFilterBarShown());
    m_savedList.ReloadRows();
}

void CtrovconfDlg::OnViewLog()
{
    ShowLogPane(!m_logShown);
}

void CtrovconfDlg::OnViewDebug()
{
    SetDebug(!m_debug);
}

void CtrovconfDlg::OnInstallApp()
{
    if (!m_activeList)
        return;
    m_logPane.SetWindowText("");
    m_activeList->InstallApplication(this);
    StoreListFolder(m_config, "appfolder", m_activeList->m_appFolder);
    CRect client;
    GetClientRect(&client);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
}

void CtrovconfDlg::OnGetBackup()
{
    if (!m_activeList)
        return;
    CString folder;
    if (!ChooseFolder(this, &folder))
        return;
    m_activeList->GetBackup(folder);
}

void CtrovconfDlg::OnGetEventLog()
{
    if (m_activeList)
        m_activeList->GetEventLog();
}

void CtrovconfDlg::OnUpdateFirmware()
{
    if (!m_activeList)
        return;
    m_activeList->UpdateFirmware();
    StoreListFolder(m_config, "firmwarefolder", m_activeList->m_firmwareFolder);
}

void CtrovconfDlg::OnUpdateIoFirmware()
{
    if (!m_activeList)
        return;
    m_activeList->UpdateIoFirmware();
    StoreListFolder(m_config, "iofolder", m_activeList->m_ioFolder);
}

void CtrovconfDlg::OnStartWebInterface()
{
    if (!m_activeList || !m_activeList->HasOneSelectedMachine())
        return;
    CMachine* machine = m_activeList->FirstSelectedMachine();
    CString address;
    address.Format("http://%s/", (const char*)CIpAddressText(machine->m_address));
    OpenWithShell(address);
}

void CtrovconfDlg::SendXmlCommand(CMachine* machine, const CommandMaker& make, const char* password)
{
    // A controller takes a command only with its own MAC in it.  The MAC the
    // user saw is kept (a controller that took its address meanwhile
    // refuses the command); one not known yet is the one the run reads.
    CString chosenMac = machine->m_mac;
    auto build = [make, chosenMac](const CMachine& target) {
        char* text = make(chosenMac.IsEmpty() ? (const char*)target.m_mac : (const char*)chosenMac);
        std::string command = text ? text : "";
        std::free(text);
        return command;
    };
    if (machine->m_local) {
        std::string text = build(*machine);
        if (!text.empty())
            BroadcastText(text.c_str(), nullptr);
        return;
    }
    CMachineList machines;
    machines.AddTail(machine);
    COperationRequest request;
    request.operation = OP_SEND_COMMAND;
    request.password = password;
    request.xmlCommand = build;
    RunOperation(this, machines, request);
    // The run read the controller's identity into the machine (MAC
    // included): its row and machines.xml follow, as after Poll for Details.
    for (CMachinesListCtrl* list : {&m_savedList, &m_discoveredList}) {
        if (list->m_hWnd && list->FindRow(machine) >= 0) {
            list->GetMachines().IdentityChanged();
            list->UpdateRow(machine);
        }
    }
}

void CtrovconfDlg::OnConfigure()
{
    if (!m_activeList || !m_activeList->HasOneSelectedMachine())
        return;
    CMachine* machine = m_activeList->FirstSelectedMachine();
    CConfigureTexts before;
    before.dhcp = machine->m_ifValues[kIf1Dhcp];
    before.if1Ip = machine->m_ifValues[kIf1Ip];
    before.if1Netmask = machine->m_ifValues[kIf1Netmask];
    before.if1Gateway = machine->m_ifValues[kIf1Gateway];
    before.if2Ip = machine->m_ifValues[kIf2Ip];
    before.if2Netmask = machine->m_ifValues[kIf2Netmask];
    before.comment = machine->m_comment;

    CDlgConfigureMachine dialog(this);
    dialog.m_dhcp = before.dhcp;
    dialog.m_if1Address = before.if1Ip;
    dialog.m_if1Netmask = before.if1Netmask;
    dialog.m_if1Gateway = before.if1Gateway;
    dialog.m_if2Address = before.if2Ip;
    dialog.m_if2Netmask = before.if2Netmask;
    dialog.m_comment = before.comment;
    if (RunAppDialog(dialog) != IDOK)
        return;

    CConfigureTexts after;
    after.dhcp = dialog.m_dhcp;
    after.if1Ip = dialog.m_if1Address;
    after.if1Netmask = dialog.m_if1Netmask;
    after.if1Gateway = dialog.m_if1Gateway;
    after.if2Ip = dialog.m_if2Address;
    after.if2Netmask = dialog.m_if2Netmask;
    after.comment = dialog.m_comment;
    if (!ConfigureChanged(before, after))
        return;

    CReconfigureValues values;
    values.dhcp = dialog.m_dhcp;
    values.password = dialog.m_password;
    values.comment = dialog.m_comment;
    values.if1Ip = dialog.m_if1AddressValue;
    values.if1Netmask = dialog.m_if1NetmaskValue;
    values.if1Gateway = dialog.m_if1GatewayValue;
    values.if2Ip = dialog.m_if2AddressValue;
    values.if2Netmask = dialog.m_if2NetmaskValue;
    SendXmlCommand(machine, [values](const char* mac) { return BuildReconfigureCommand(values, mac); },
                   dialog.m_password);
}

void CtrovconfDlg::OnStrobeIdentLights()
{
    if (!m_activeList)
        return;
    CMachineList machines;
    m_activeList->GetSelectedMachines(machines);
    for (POSITION p = machines.GetHeadPosition(); p;) {
        CMachine* machine = machines.GetNext(p);
        CString password;
        if (!machine->m_local) {
            CDlgPassword dialog(this);
            if (RunAppDialog(dialog) != IDOK)
                return;
            password = dialog.m_password;
        }
        SendXmlCommand(machine, BuildIdentifyCommand, password);
    }
}

void CtrovconfDlg::OnRestart()
{
    if (m_activeList)
        m_activeList->RestartRuntime();
}

void CtrovconfDlg::OnCopySystemId()
{
    if (!m_activeList || !m_activeList->HasOneSelectedMachine())
        return;
    CMachine* machine = m_activeList->FirstSelectedMachine();
    // The clipboard's messages are the framework's boxes, captioned with the
    // application's name and owned by the main window.
    if (!::OpenClipboard(m_hWnd)) {
        AfxMessageBox("Cannot open the Clipboard", MB_OK);
        return;
    }
    if (!::EmptyClipboard()) {
        AfxMessageBox("Cannot empty the Clipboard", MB_OK);
        ::CloseClipboard();
        return;
    }
    // A failure to hand over the text is reported with the system's error
    // number, and the clipboard is given back.
    auto reportFailure = []() {
        CString message;
        message.Format("Unable to set Clipboard data, error: %d", (int)::GetLastError());
        AfxMessageBox(message, MB_OK);
        ::CloseClipboard();
    };
    // The block holds the whole MAC text, CR LF and the terminator.
    CString text;
    text.Format("%s\r\n", (const char*)machine->m_mac);
    size_t size = (size_t)text.GetLength() + 1;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    char* data = block ? static_cast<char*>(::GlobalLock(block)) : nullptr;
    if (!data) {
        if (block)
            ::GlobalFree(block);
        reportFailure();
        return;
    }
    std::memcpy(data, (const char*)text, size);
    ::GlobalUnlock(block);
    if (!::SetClipboardData(CF_TEXT, block)) {
        reportFailure();
        ::GlobalFree(block);
        return;
    }
    ::CloseClipboard();
}

void CtrovconfDlg::OnRefreshCommand()
{
    OnRefreshLocal(0, 0);
}

void CtrovconfDlg::OnAddMachines()
{
    CListIpAddresses saved;
    m_savedList.GetMachines().CollectSavedAddresses(saved);
    CDlgAddMachines dialog(this);
    for (POSITION p = saved.GetHeadPosition(); p;) {
        const CIpAddress& address = saved.GetNext(p);
        if (!dialog.m_addresses.Find(address))
            dialog.m_addresses.AddTail(address);
    }
    if (RunAppDialog(dialog) != IDOK)
        return;
    // Rows of saved machines whose address is no longer listed go before
    // their machines are deleted.
    std::set<uint32_t> listed;
    for (POSITION p = dialog.m_addresses.GetHeadPosition(); p;)
        listed.insert(dialog.m_addresses.GetNext(p).GetValue());
    CMachineMap& map = m_savedList.GetMachines();
    for (int row = m_savedList.GetItemCount() - 1; row >= 0; --row) {
        CMachine* machine = m_savedList.GetRowMachine(row);
        CIpAddress key;
        if (machine && machine->m_inList && map.FindKeyOf(machine, &key) && !listed.count(key.GetValue()))
            m_savedList.DeleteMachineRow(row);
    }
    map.ApplySavedAddresses(dialog.m_addresses);
    m_savedList.Refill();
    m_savedList.Save();
    m_savedList.RemoveUnlisted();
    m_savedList.MarkPending();
    m_savedList.Refill();
    BroadcastText(GetDiscoveryProbe(), nullptr);
    m_savedList.Save();
}

void CtrovconfDlg::OnRemoveMachines()
{
    if (m_activeList != &m_savedList)
        return;
    CMachineMap& map = m_savedList.GetMachines();
    for (int row = m_savedList.GetItemCount() - 1; row >= 0; --row) {
        if (!(m_savedList.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
            continue;
        CMachine* machine = m_savedList.GetRowMachine(row);
        CIpAddress key;
        bool owned = machine && map.FindKeyOf(machine, &key);
        if (owned)
            map.RemoveKey(key);
        m_savedList.DeleteMachineRow(row);
        if (owned)
            delete machine;
    }
    map.IdentityChanged();
    m_savedList.Save();
}

void CtrovconfDlg::OnImportMachines()
{
    if (m_activeList != &m_savedList)
        return;
    m_savedList.OnImport();
    ResyncSavedFromDiscovered();
}

void CtrovconfDlg::OnExport()
{
    if (m_activeList != &m_savedList)
        return;
    CFileChoice choice;
    choice.open = FALSE;
    choice.defaultExtension = ".tvl";
    choice.flags = OFN_NOCHANGEDIR;
    choice.filter = "Trovlist Files (*.tvl)|*.tvl||";
    CString path;
    if (!ChooseFile(this, choice, &path))
        return;
    FILE* probe = std::fopen(path, "a");
    if (!probe) {
        AppMessageBox("Error. Can't write to that file");
        return;
    }
    std::fclose(probe);
    CGTextStore store;
    CGXml document(&store, "MACHINES", nullptr);
    for (int row = m_savedList.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_savedList.GetNextItem(row, LVNI_SELECTED)) {
        CMachine* machine = m_savedList.GetRowMachine(row);
        if (!machine)
            continue;
        CIpAddress key;
        if (!key.Parse(m_savedList.GetItemText(row, kColumnAddress)))
            key = machine->m_address;
        machine->WriteXml(&store, document.GetRoot()->AddChild(&store, "MACHINE"), key);
    }
    CString reason;
    if (!WriteXmlFileSafely(path, document, true, &reason)) {
        AppMessageBox("Error. Can't write to that file");
        return;
    }
    AppMessageBox("Export Complete");
}
