#include "app/win/trovconfDlg.h"

#include "framework/win/WinApp.h"
#include "framework/win/GdiObject.h"
#include "framework/win/Menu.h"
#include "framework/Array.h"

#include <algorithm>
#include <cstdlib>

#include "app/win/AppDialogs.h"
#include "app/win/AppMessages.h"
#include "app/win/AppSeams.h"
#include "res/resource.h"
#include "support/DRBSocket.h"
#include "support/Utilities.h"

namespace {

const char kVersionFormat[] = "%s v4.5r9";

} // namespace

void CtrovconfDlg::BroadcastText(const char* text, CDiscoveryLog* log)
{
    g_appSeams.broadcast(text, false, log);
}

IMPLEMENT_DYNAMIC(CtrovconfDlg, CZUDPDialog)

BEGIN_MESSAGE_MAP(CtrovconfDlg, CZUDPDialog)
    ON_WM_CREATE()
    ON_WM_SYSCOMMAND()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_LIST_REPORTS, &CtrovconfDlg::OnListReports)
    ON_MESSAGE(WM_REFRESH_LOCAL, &CtrovconfDlg::OnRefreshLocal)
    ON_MESSAGE(WM_RESYNC_SAVED, &CtrovconfDlg::OnResyncSaved)
    ON_MESSAGE(WM_LIST_ACTIVATED, &CtrovconfDlg::OnListActivated)
    ON_MESSAGE(WM_HEADER_WIDTH, &CtrovconfDlg::OnHeaderWidth)
    ON_MESSAGE(WM_DISCOVERY_REPLIES, &CtrovconfDlg::OnDiscoveryReplies)
    ON_MESSAGE(WM_START_UP, &CtrovconfDlg::OnStartUp)
    ON_MESSAGE(WM_SAVED_READ, &CtrovconfDlg::OnSavedRead)
    ON_MESSAGE(WM_APP + 100, &CtrovconfDlg::OnIgnoredListMessage)
    ON_MESSAGE(WM_APP + 101, &CtrovconfDlg::OnIgnoredListMessage)
    ON_MESSAGE(WM_APP + 102, &CtrovconfDlg::OnIgnoredListMessage)
    ON_MESSAGE(WM_APP + 103, &CtrovconfDlg::OnIgnoredListMessage)
    ON_MESSAGE(WM_APP + 104, &CtrovconfDlg::OnIgnoredListMessage)
    ON_MESSAGE(WM_APP + 105, &CtrovconfDlg::OnIgnoredListMessage)
    ON_MESSAGE(WM_APP + 107, &CtrovconfDlg::OnIgnoredListMessage)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_POLL_DETAILS, &CtrovconfDlg::OnPollDetails)
    ON_COMMAND(ID_SELECT_ALL, &CtrovconfDlg::OnSelectAll)
    ON_COMMAND(ID_VIEW_FILTERS, &CtrovconfDlg::OnViewFilters)
    ON_COMMAND(ID_VIEW_LOG, &CtrovconfDlg::OnViewLog)
    ON_COMMAND(ID_VIEW_DEBUG, &CtrovconfDlg::OnViewDebug)
    ON_COMMAND(ID_INSTALL_APP, &CtrovconfDlg::OnInstallApp)
    ON_COMMAND(ID_GET_BACKUP, &CtrovconfDlg::OnGetBackup)
    ON_COMMAND(ID_GET_EVENT_LOG, &CtrovconfDlg::OnGetEventLog)
    ON_COMMAND(ID_UPDATE_FIRMWARE, &CtrovconfDlg::OnUpdateFirmware)
    ON_COMMAND(ID_UPDATE_IO_FIRMWARE, &CtrovconfDlg::OnUpdateIoFirmware)
    ON_COMMAND(ID_START_WEB_INTERFACE, &CtrovconfDlg::OnStartWebInterface)
    ON_COMMAND(ID_CONFIGURE, &CtrovconfDlg::OnConfigure)
    ON_COMMAND(ID_STROBE_IDENT, &CtrovconfDlg::OnStrobeIdentLights)
    ON_COMMAND(ID_RESTART, &CtrovconfDlg::OnRestart)
    ON_COMMAND(ID_COPY_SYSTEM_ID, &CtrovconfDlg::OnCopySystemId)
    ON_COMMAND(ID_REFRESH_LOCAL, &CtrovconfDlg::OnRefreshCommand)
    ON_COMMAND(ID_ADD_MACHINES, &CtrovconfDlg::OnAddMachines)
    ON_COMMAND(ID_REMOVE_MACHINES, &CtrovconfDlg::OnRemoveMachines)
    ON_COMMAND(ID_IMPORT_MACHINES, &CtrovconfDlg::OnImportMachines)
    ON_COMMAND(ID_EXPORT_MACHINES, &CtrovconfDlg::OnExport)
END_MESSAGE_MAP()

CtrovconfDlg::CtrovconfDlg(CWnd* parent)
    : CZUDPDialog(IDD_TROVCONF_DIALOG, parent), m_discovery(*this, this)
{
    m_hIcon = AfxGetApp() ? AfxGetApp()->LoadIcon(IDR_MAINFRAME) : nullptr;
    if (!m_hIcon)
        m_hIcon = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, 0, 0,
                                      LR_DEFAULTSIZE);
    if (m_config.Load(&m_configMessage) == CTrovConfConfig::kLoaded)
        m_configMessage.Empty();
    if (!m_config.FolderExists())
        m_configMessage.Format("The settings folder %s cannot be created: the settings and the saved machine list "
                               "will not be kept.",
                               (const char*)m_config.m_path);
    SetVisualManagerLook(TRUE, FALSE);
}

CtrovconfDlg::~CtrovconfDlg()
{
    delete m_replySocket;
    m_replySocket = nullptr;
    // The submenu went with the window's system menu when the window was
    // destroyed; only a menu still alive is destroyed here.
    if (m_adapterMenu && m_adapterMenu->m_hMenu && !::IsMenu(m_adapterMenu->m_hMenu))
        m_adapterMenu->Detach();
    delete m_adapterMenu;
    m_adapterMenu = nullptr;
    m_adapters.clear();
}

void CtrovconfDlg::AppendLine(const char* text)
{
    if (m_takingReplies) {
        // The lines of a slice of replies go in at once at its end.
        m_pendingLog += text;
        m_pendingLog += "\r\n";
        return;
    }
    if (m_logPane.m_hWnd)
        m_logPane.AppendLine(text, 1);
}

void CtrovconfDlg::SetDebug(int debug)
{
    m_debug = debug;
    m_discovery.SetDebug(debug != 0);
}

int CtrovconfDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPDialog::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_logSplitter.Create(&m_listSplitter, &m_logPane, this, m_config.GetLogSplitterPos(), IDC_LOG_SPLITTER, 80))
        return -1;
    if (!m_listSplitter.Create(&m_savedList, &m_discoveredList, &m_logSplitter, m_config.GetSplitterPos(),
                               IDC_LIST_SPLITTER, 40))
        return -1;

    CSettingsPaths folder("trovconf", 0);
    CString machinesPath = folder.m_path + "\\machines.xml";
    CString appFolder = m_config.GetAppFolder();
    CString firmwareFolder = m_config.GetFirmwareFolder();
    CString ioFolder = m_config.GetIoFolder();
    CArray<int, int> widths;
    m_config.GetColumnWidths(widths);
    const int* widthData = widths.GetSize() ? &widths[0] : nullptr;
    int widthCount = (int)widths.GetSize();

    if (!m_savedList.Create(&m_listSplitter, IDC_SAVED_LIST, machinesPath, appFolder, firmwareFolder, ioFolder, TRUE,
                            widthData, widthCount))
        return -1;
    m_savedList.SetOwner(this, WM_REFRESH_LOCAL, WM_RESYNC_SAVED);
    m_savedList.SetReportMessage(WM_LIST_REPORTS);
    if (!m_discoveredList.Create(&m_listSplitter, IDC_DISCOVERED_LIST, nullptr, appFolder, firmwareFolder, ioFolder,
                                 FALSE, widthData, widthCount))
        return -1;
    m_discoveredList.SetOwner(this, WM_REFRESH_LOCAL, 0);
    m_discoveredList.SetOtherList(&m_savedList);
    m_discoveredList.SetDragSource(TRUE);

    if (!m_logPane.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | ES_MULTILINE | ES_READONLY,
                          CRect(0, 0, 1, 1), &m_logSplitter, IDC_LOG_PANE, nullptr, 0x8000))
        return -1;
    if (!ReadIniFile())
        return -1;
    return 0;
}

bool CtrovconfDlg::ReadIniFile()
{
    char module[261] = "";
    DWORD n = ::GetModuleFileNameA(nullptr, module, 260);
    module[n < 260 ? n : 260] = 0;
    CString baseName;
    if (!ModuleBaseName(module, &baseName))
        return false;
    m_settings.SetIniName(baseName);
    m_displayName = m_settings.GetString("name");
    if (m_displayName.IsEmpty()) {
        // Say which file is missing, or which entry it lacks.
        CString text("No ini file found");
        char full[MAX_PATH] = "";
        ::GetFullPathNameA(m_settings.GetIniPath(), sizeof full, full, nullptr);
        if (::GetFileAttributesA(m_settings.GetIniPath()) == INVALID_FILE_ATTRIBUTES)
            text.AppendFormat("\r\n\r\nThe program needs %s with the entry name=<display name> in its [misc] "
                              "section.",
                              full);
        else
            text.AppendFormat("\r\n\r\n%s has no name entry in its [misc] section.", full);
        AppMessageBoxCaption(m_hWnd, text, "Unable to start", MB_OK);
        return false;
    }
    m_title.Format(kVersionFormat, (const char*)m_displayName);
    m_adapterIndex = m_settings.GetInt("adapter");
    return true;
}

BOOL CtrovconfDlg::OnInitDialog()
{
    CZUDPDialog::OnInitDialog();
    // The log pane writes in the window's own font (the dialog has it only
    // from here on).
    if (CFont* font = GetFont())
        ::SendMessageW(m_logPane.m_hWnd, WM_SETFONT, (WPARAM)AfxSafeHandle(font), FALSE);
    BuildAdapterMenu();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    RestoreWindowRect();

    m_logSplitter.m_secondShown = m_logShown;
    m_logSplitter.Relayout();
    for (CGSplitter* splitter : {&m_logSplitter, &m_listSplitter}) {
        if (splitter->m_storedPosition != 0) {
            splitter->m_position = splitter->m_storedPosition;
            splitter->Relayout();
            splitter->Invalidate();
        }
    }
    OpenReplySocket();
    SetTimer(kTimerReceive, kDiscoveryReceiveMilliseconds);
    SetTimer(kTimerTick, 1000);
    SetWindowText(m_title);

    // The saved machines are read, the start-up messages said and the
    // probe broadcast once the window is on the screen: a long list must
    // not keep the window from appearing, and no message appears without
    // the window behind it.
    PostMessage(WM_START_UP);
    return TRUE;
}

LRESULT CtrovconfDlg::OnStartUp(WPARAM, LPARAM)
{
    // Run modally, the window would show only once the queue is empty:
    // it shows now, painted, before the list is read.
    if ((m_nFlags & WF_CONTINUEMODAL) && !IsWindowVisible()) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
    }
    // The saved machines are read on a thread of their own; the window
    // answers meanwhile.
    m_savedList.BeginLoading(this, WM_SAVED_READ);
    return 0;
}

LRESULT CtrovconfDlg::OnSavedRead(WPARAM, LPARAM)
{
    if (m_startedUp)
        return 0; // a command completed start-up meanwhile
    m_savedList.LoadSavedMachines();
    // The rows follow a slice at a time on a timer, which comes only when
    // no input or painting waits: the window answers between slices.
    SetTimer(kTimerFill, kFillPeriodMilliseconds);
    return 0;
}

void CtrovconfDlg::FinishStartUp()
{
    if (m_startedUp)
        return;
    m_startedUp = true;
    KillTimer(kTimerFill);

    // What start-up had to say, owned by the window.
    if (!m_configMessage.IsEmpty())
        AppMessageBoxOwned(m_hWnd, m_configMessage, MB_OK | MB_ICONWARNING);
    if (!m_savedList.GetLoadMessage().IsEmpty())
        AppMessageBoxOwned(m_hWnd, m_savedList.GetLoadMessage(), MB_OK | MB_ICONWARNING);
    if (!m_socketMessage.IsEmpty()) {
        CString text = m_socketMessage;
        m_socketMessage.Empty();
        AppMessageBoxOwned(m_hWnd, text, MB_OK | MB_ICONERROR);
    }

    // The replies to the probe find the saved machines in place.
    g_appSeams.broadcast(GetDiscoveryProbe(), true, nullptr);
    TakeReplies();
}

void CtrovconfDlg::CompleteStartUp()
{
    m_savedList.CompleteStartUp();
    FinishStartUp();
}

void CtrovconfDlg::ReportFileEvent(const char* reason, bool alert)
{
    AppendLine(reason);
    if (alert)
        AppMessageBoxOwned(m_hWnd, reason, MB_OK | MB_ICONERROR);
}

LRESULT CtrovconfDlg::OnListReports(WPARAM, LPARAM)
{
    // A line in the log pane for each report (a failed save, another
    // program's version merged); a message box where the report asks for
    // one, unless the settings folder could not be made, which start-up
    // said already.
    for (const CMachinesListCtrl::CReport& report : m_savedList.TakeReports())
        ReportFileEvent(report.text, report.alert && m_config.FolderExists());
    return 0;
}

void CtrovconfDlg::OnDestroy()
{
    // settings.xml is written as the window goes, while the log pane and a
    // message box can still say that it could not be.
    CString reason;
    if (!m_config.Save(&reason) && !m_config.IsBlocked() && m_config.FolderExists()) {
        CString text;
        text.Format("The settings could not be saved: %s.", (const char*)reason);
        ReportFileEvent(text, true);
    }
    Default();
}

void CtrovconfDlg::BuildAdapterMenu()
{
    CMenu* system = GetSystemMenu(FALSE);
    if (!system)
        return;
    system->AppendMenu(MF_SEPARATOR);
    std::vector<IP_ADAPTER_INFO> adapters;
    if (!g_appSeams.networkAdapters(&adapters))
        return;
    m_adapterMenu = new CMenu;
    m_adapterMenu->CreatePopupMenu();
    for (size_t i = 0; i < adapters.size(); ++i) {
        UINT id = kAdapterCommandBase + 16 * (UINT)i;
        // System commands end below 0xF000: adapters beyond that get no item.
        if (id >= 0xF000)
            break;
        m_adapterMenu->AppendMenu(MF_STRING, id, adapters[i].Description);
        m_adapters.push_back(adapters[i]);
    }
    system->AppendMenu(MF_POPUP, (UINT_PTR)m_adapterMenu->m_hMenu, "Broadcast Adapter");
    if (m_adapterIndex < 0 || m_adapterIndex >= (int)m_adapters.size())
        m_adapterIndex = 0;
    if (!m_adapters.empty())
        m_adapterMenu->CheckMenuItem(kAdapterCommandBase + 16 * m_adapterIndex, MF_BYCOMMAND | MF_CHECKED);
}

void CtrovconfDlg::RestoreWindowRect()
{
    int left, top, right, bottom;
    if (!m_config.GetWindowRect(&left, &top, &right, &bottom))
        return;
    int screenLeft = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    int screenTop = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    int screenRight = screenLeft + ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int screenBottom = screenTop + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (left < screenLeft || right > screenRight) {
        right -= left;
        left = 0;
    }
    if (top < screenTop || bottom > screenBottom) {
        bottom -= top;
        top = 0;
    }
    SetWindowPos(nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CtrovconfDlg::OpenReplySocket()
{
    delete m_replySocket;
    m_replySocket = nullptr;
    if (m_adapters.empty() || m_adapterIndex < 0 || m_adapterIndex >= (int)m_adapters.size())
        return;
    uint32_t address = ntohl(::inet_addr(m_adapters[(size_t)m_adapterIndex].IpAddressList.IpAddress.String));
    try {
        m_replySocket = new CDRBSocketUDP(kDiscoveryReplyPort, 1, address, 1);
    } catch (const char*) {
        m_replySocket = nullptr;
        // At start-up it is said once the window is on the screen.
        if (m_startedUp)
            AppMessageBoxOwned(m_hWnd, "Unable to listen on broadcast port", MB_OK | MB_ICONERROR);
        else
            m_socketMessage = "Unable to listen on broadcast port";
        return;
    }
    NotifyRepliesTo(*m_replySocket, m_hWnd, WM_DISCOVERY_REPLIES);
}

void CtrovconfDlg::AdoptReplySocket(CDRBSocketUDP* socket)
{
    delete m_replySocket;
    m_replySocket = socket;
    if (m_replySocket && m_hWnd)
        NotifyRepliesTo(*m_replySocket, m_hWnd, WM_DISCOVERY_REPLIES);
}

void CtrovconfDlg::ShowDiscovered(CMachine* machine)
{
    if (!m_takingReplies) {
        m_discoveredList.UpdateRow(machine);
        return;
    }
    if (std::find(m_pendingDiscovered.begin(), m_pendingDiscovered.end(), machine) == m_pendingDiscovered.end())
        m_pendingDiscovered.push_back(machine);
}

void CtrovconfDlg::KeepDisplaced(CMachine* machine)
{
    // The machine keeps its row: a machine of this slice gets it now.
    if (m_takingReplies)
        ShowPendingRows();
    m_discoveredList.KeepDisplaced(machine);
}

void CtrovconfDlg::ShowSaved(CMachine* machine)
{
    if (!m_takingReplies) {
        m_savedList.UpdateRow(machine);
        return;
    }
    if (std::find(m_pendingSaved.begin(), m_pendingSaved.end(), machine) == m_pendingSaved.end())
        m_pendingSaved.push_back(machine);
}

void CtrovconfDlg::ShowPendingRows()
{
    std::vector<CMachine*> discovered, saved;
    discovered.swap(m_pendingDiscovered);
    saved.swap(m_pendingSaved);
    m_discoveredList.UpdateRows(discovered);
    m_savedList.UpdateRows(saved);
    if (!m_pendingLog.empty()) {
        std::string lines;
        lines.swap(m_pendingLog);
        if (m_logPane.m_hWnd)
            m_logPane.AppendLine(lines.c_str(), 0);
    }
}

LRESULT CtrovconfDlg::OnDiscoveryReplies(WPARAM, LPARAM)
{
    m_moreRepliesPosted = false;
    TakeReplies();
    return 0;
}

void CtrovconfDlg::TakeReplies()
{
    if (m_takingReplies)
        return; // a message box of a row update runs its own loop
    if (!m_startedUp)
        return; // the replies wait for the saved machines they may update
    if (m_replySocket)
        DrainReplySocket(*m_replySocket, m_replyQueue);
    // A slice short enough that the window answers between slices; the
    // socket is emptied again between batches, so that it never overflows.
    // A slice's rows are shown together at its end, which costs about as
    // much for many rows as for a few: a slice ends on time, or after a
    // whole network's replies.
    const DWORD kSliceMilliseconds = 40;
    const int kSliceReplies = 512;
    DWORD start = ::GetTickCount();
    int taken = 0;
    m_takingReplies = true;
    while (!m_replyQueue.IsEmpty() && taken < kSliceReplies && ::GetTickCount() - start < kSliceMilliseconds) {
        taken += m_replyQueue.Process(m_discovery, 16);
        if (m_replySocket)
            DrainReplySocket(*m_replySocket, m_replyQueue);
    }
    m_takingReplies = false;
    ShowPendingRows();
    if (!m_replyQueue.IsEmpty() && !m_moreRepliesPosted) {
        m_moreRepliesPosted = true;
        PostMessage(WM_DISCOVERY_REPLIES);
    }
}

void CtrovconfDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    UINT command = nID & 0xFFF0;
    UINT last = kAdapterCommandBase + 16 * (UINT)(m_adapters.size() ? m_adapters.size() - 1 : 0);
    if (command >= kAdapterCommandBase && command <= last && !m_adapters.empty() && m_adapterMenu) {
        m_adapterMenu->CheckMenuItem(kAdapterCommandBase + 16 * m_adapterIndex, MF_BYCOMMAND | MF_UNCHECKED);
        m_adapterIndex = (int)((command & 0xFFFF) / 16) - kAdapterCommandBase / 16;
        OpenReplySocket();
        m_adapterMenu->CheckMenuItem(kAdapterCommandBase + 16 * m_adapterIndex, MF_BYCOMMAND | MF_CHECKED);
        return;
    }
    Default();
}

void CtrovconfDlg::OnTimer(UINT_PTR nIDEvent)
{
    // The socket's own notifications take the replies as they come; the
    // timer still looks, in case one was missed.
    if (nIDEvent == kTimerReceive)
        TakeReplies();
    else if (nIDEvent == kTimerTick)
        m_discoveredList.Tick();
    else if (nIDEvent == kTimerFill) {
        if (!m_savedList.FillSome(kFillSliceMilliseconds)) {
            KillTimer(kTimerFill);
            FinishStartUp();
        }
    }
    Default();
}

void CtrovconfDlg::OnClose()
{
    CRect rect;
    GetWindowRect(&rect);
    m_config.SetWindowRect(rect.left, rect.top, rect.right, rect.bottom);
    m_config.SetSplitterPos(m_listSplitter.m_position);
    m_config.SetLogSplitterPos(m_logSplitter.m_position);
    CArray<int, int> widths;
    m_discoveredList.GetColumnWidths(widths);
    m_config.SetColumnWidths(widths.GetSize() ? &widths[0] : nullptr, (int)widths.GetSize());
    m_settings.WriteInt("adapter", m_adapterIndex);
    Default();
}

void CtrovconfDlg::OnPaint()
{
    if (IsIconic()) {
        PAINTSTRUCT paint;
        HDC hdc = ::BeginPaint(m_hWnd, &paint);
        SendMessage(WM_ICONERASEBKGND, (WPARAM)hdc, 0);
        CRect client;
        GetClientRect(&client);
        int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(hdc, x, y, m_hIcon);
        ::EndPaint(m_hWnd, &paint);
        return;
    }
    Default();
}

HCURSOR CtrovconfDlg::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

void CtrovconfDlg::OnSize(UINT, int cx, int cy)
{
    Default();
    if (m_logSplitter.m_hWnd)
        m_logSplitter.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CtrovconfDlg::ShowLogPane(int shown)
{
    m_logShown = shown;
    m_logSplitter.m_secondShown = shown;
    m_logSplitter.Relayout();
}

LRESULT CtrovconfDlg::OnRefreshLocal(WPARAM, LPARAM)
{
    m_discoveredList.RemoveUnlisted();
    m_discoveredList.MarkPending();
    g_appSeams.broadcast(GetDiscoveryProbe(), false, m_debug ? this : nullptr);
    return 0;
}

LRESULT CtrovconfDlg::OnResyncSaved(WPARAM, LPARAM)
{
    ResyncSavedFromDiscovered();
    return 0;
}

void CtrovconfDlg::ResyncSavedFromDiscovered()
{
    CListIpAddresses addresses;
    m_discoveredList.GetMachines().CollectKeys(addresses);
    m_savedList.MarkAnsweredByAddresses(addresses);
}

void CtrovconfDlg::OnPollDetails()
{
    if (m_activeList)
        m_activeList->PollDetails();
}

LRESULT CtrovconfDlg::OnListActivated(WPARAM wParam, LPARAM)
{
    CWnd* list = reinterpret_cast<CWnd*>(wParam);
    if (list == &m_savedList)
        m_activeList = &m_savedList;
    else if (list == &m_discoveredList)
        m_activeList = &m_discoveredList;
    else
        m_activeList = nullptr;
    return 0;
}

LRESULT CtrovconfDlg::OnHeaderWidth(WPARAM wParam, LPARAM lParam)
{
    CMachinesListCtrl* list = reinterpret_cast<CMachinesListCtrl*>(wParam);
    const NMHEADERA* notification = reinterpret_cast<const NMHEADERA*>(lParam);
    if (!notification || !notification->pitem || !(notification->pitem->mask & HDI_WIDTH))
        return 0;
    if (list == nullptr || list != m_activeList || notification->pitem->cxy <= 0)
        return 0;
    CMachinesListCtrl* other = list == &m_savedList ? &m_discoveredList : &m_savedList;
    if (other->m_hWnd)
        other->SetColumnWidth(notification->iItem, notification->pitem->cxy);
    return 0;
}

LRESULT CtrovconfDlg::OnIgnoredListMessage(WPARAM, LPARAM)
{
    return 0;
}

BOOL CtrovconfDlg::PreTranslateMessage(MSG* pMsg)
{
    return CZUDPDialog::PreTranslateMessage(pMsg);
}
