#pragma once
// The program's main window: the saved machines above the machines that
// answered the last broadcast, a log pane below them, the reply socket of
// discovery and the broadcast adapter in the system menu.
#include "ui/controls/ZUDPDialog.h"

#include <iphlpapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Discovery.h"
#include "app/GSettings.h"
#include "app/TrovConfConfig.h"
#include "app/win/GSplitter.h"
#include "app/win/GZUDPEdit.h"
#include "app/win/MachinesListCtrl.h"

class CDRBSocketUDP;

class CtrovconfDlg : public CZUDPDialog, public CDiscoveryView, public CDiscoveryLog {
    DECLARE_DYNAMIC(CtrovconfDlg)
public:
    enum { kAdapterCommandBase = 0x4000, kTimerReceive = 1, kTimerTick = 2, kTimerFill = 3 };
    // The saved list's rows at start-up: a slice of about this long on each
    // tick of the fill timer.
    enum { kFillSliceMilliseconds = 30, kFillPeriodMilliseconds = 10 };

    explicit CtrovconfDlg(CWnd* parent = nullptr);
    ~CtrovconfDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Discovery's view of the two lists and the log pane.
    CMachineMap& DiscoveredMap() override { return m_discoveredList.GetMachines(); }
    CMachineMap* SavedMap() override { return &m_savedList.GetMachines(); }
    // While replies are taken in a slice, rows are updated once at its end.
    void ShowDiscovered(CMachine* machine) override;
    void KeepDisplaced(CMachine* machine) override;
    void ShowSaved(CMachine* machine) override;
    void AppendLine(const char* text) override;

    void ResyncSavedFromDiscovered();
    // Start-up (reading and filling the saved list, its messages, the first
    // probe) is over; CompleteStartUp finishes it now, for a command that
    // needs the whole list.
    bool IsStartUpOver() const { return m_startedUp; }
    void CompleteStartUp();
    // Opens the reply socket at the chosen adapter's address ("Unable to
    // listen on broadcast port" when it cannot); none without adapters.
    void OpenReplySocket();
    // Tests: a reply socket of their own (owned from here on).
    void AdoptReplySocket(CDRBSocketUDP* socket);
    CDRBSocketUDP* GetReplySocket() const { return m_replySocket; }

    // Broadcasts a text (probe or XML command) through the broadcast seam
    // (app/win/AppSeams.h), its progress to log when one is given.
    static void BroadcastText(const char* text, CDiscoveryLog* log);

    CMachinesListCtrl& GetSavedList() { return m_savedList; }
    CMachinesListCtrl& GetDiscoveredList() { return m_discoveredList; }
    CGSplitter& GetListSplitter() { return m_listSplitter; }
    CGSplitter& GetLogSplitter() { return m_logSplitter; }
    CGZUDPEdit& GetLogPane() { return m_logPane; }
    CTrovConfConfig& GetConfig() { return m_config; }
    CMachinesListCtrl* GetActiveList() const { return m_activeList; }
    int GetAdapterIndex() const { return m_adapterIndex; }
    int GetAdapterCount() const { return (int)m_adapters.size(); }
    CMenu* GetAdapterMenu() const { return m_adapterMenu; }
    const CString& GetDisplayName() const { return m_displayName; }
    void SetDebug(int debug);
    void ShowLogPane(int shown);
    int GetDebug() const { return m_debug; }
    int IsLogPaneShown() const { return m_logShown; }

    // The context menu of the machine lists: its items enabled, disabled or
    // checked by the active list's selection.
    void PrepareContextMenu(CMenu* popup);
    void SetActiveList(CMachinesListCtrl* list) { m_activeList = list; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose();
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnRefreshLocal(WPARAM wParam, LPARAM lParam);
    LRESULT OnResyncSaved(WPARAM wParam, LPARAM lParam);
    LRESULT OnListActivated(WPARAM wParam, LPARAM lParam);
    void OnPollDetails();
    LRESULT OnHeaderWidth(WPARAM wParam, LPARAM lParam);
    LRESULT OnIgnoredListMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnDiscoveryReplies(WPARAM wParam, LPARAM lParam);
    // Start-up once the window is on the screen: the saved machines read
    // (OnStartUp), their rows filled (OnSavedRead, then the fill timer),
    // then what start-up had to say and the first probe (FinishStartUp).
    LRESULT OnStartUp(WPARAM wParam, LPARAM lParam);
    LRESULT OnSavedRead(WPARAM wParam, LPARAM lParam);
    void FinishStartUp();
    // Empties the reply socket, processes the waiting replies for one slice
    // of time and shows their rows; asks for another slice when replies
    // are left.
    void TakeReplies();
    void ShowPendingRows();
    LRESULT OnListReports(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    // What happened to a file of the program (it could not be written,
    // another program's version was merged): a line in the log pane and,
    // with alert, a message box.
    void ReportFileEvent(const char* reason, bool alert);

    // The machine commands (context menu).
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnSelectAll();
    void OnViewFilters();
    void OnViewLog();
    void OnViewDebug();
    void OnInstallApp();
    void OnGetBackup();
    void OnGetEventLog();
    void OnUpdateFirmware();
    void OnUpdateIoFirmware();
    void OnStartWebInterface();
    void OnConfigure();
    void OnStrobeIdentLights();
    void OnRestart();
    void OnCopySystemId();
    void OnRefreshCommand();
    void OnAddMachines();
    void OnRemoveMachines();
    void OnImportMachines();
    void OnExport();
    // Sends an XML command to the machine: by broadcast when it answered
    // the last broadcast, otherwise over TCP with the password.  The command
    // is made for the MAC the machine had when the user chose it; a machine
    // known only by its address gets it made for the MAC its controller
    // reports in the run, before anything is sent.
    typedef std::function<char*(const char* mac)> CommandMaker;
    void SendXmlCommand(CMachine* machine, const CommandMaker& make, const char* password);

    bool ReadIniFile();
    void BuildAdapterMenu();
    void RestoreWindowRect();

    HICON m_hIcon = nullptr;
    CDRBSocketUDP* m_replySocket = nullptr;
    CMachinesListCtrl* m_activeList = nullptr;
    CMachinesListCtrl m_savedList;
    CMachinesListCtrl m_discoveredList;
    CGSplitter m_listSplitter;
    CGSplitter m_logSplitter;
    CGZUDPEdit m_logPane;
    int m_logShown = 0;
    CTrovConfConfig m_config;
    CString m_configMessage;
    CString m_socketMessage; // the reply socket failed before start-up was over
    bool m_startedUp = false;
    CGSettings m_settings;
    CString m_displayName;
    CString m_title;
    CMenu* m_adapterMenu = nullptr;
    std::vector<IP_ADAPTER_INFO> m_adapters;
    int m_adapterIndex = -1;
    int m_debug = 0;
    CDiscovery m_discovery;
    CDiscoveryQueue m_replyQueue;
    bool m_takingReplies = false;
    bool m_moreRepliesPosted = false;
    std::vector<CMachine*> m_pendingDiscovered, m_pendingSaved;
    std::string m_pendingLog;

    DECLARE_MESSAGE_MAP()
};
