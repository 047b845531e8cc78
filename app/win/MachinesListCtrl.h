#pragma once
// The machine lists of the main window: the saved list (machines.xml,
// accepting dropped *.tvl files) and the discovered list (the machines that
// answered the last broadcast; source of drags; ticks once a second for
// colours and identification blinking).  Each owns its machine map and
// shows one row per machine, the machine being the row's item data.
#include <memory>
#include <thread>
#include <unordered_set>
#include <vector>

#include "app/MachineListFile.h"
#include "framework/win/Wnd.h"
#include "framework/win/ImageList.h"
#include "framework/Array.h"
#include "app/MachineMap.h"
#include "app/RememberedPath.h"
#include "app/win/ConsoleListCtrl.h"

class CDiscoveryLog;

class CMachinesListCtrl : public CConsoleListCtrl {
    DECLARE_DYNAMIC(CMachinesListCtrl)
public:
    CMachinesListCtrl();
    ~CMachinesListCtrl() override;

    // Creates the list; with a file path, it keeps its saved machines in
    // that file (read by LoadSavedMachines).  Widths above 0 replace the
    // default column widths.
    BOOL Create(CWnd* parent, UINT id, const char* filePath, const char* appFolder, const char* firmwareFolder,
                const char* ioFolder, BOOL acceptDroppedFiles, const int* widths, int count);

    // Start-up of a list with a file: its saved machines are read on a
    // thread of their own while the window answers (BeginLoading; the owner
    // gets the message when they are read, or at once when they were read
    // already), then taken into the map
    // (LoadSavedMachines) and given their rows a slice at a time
    // (FillSome).  Until they are read the file is never written; whatever
    // needs the whole list before start-up is over completes it first
    // (CompleteStartUp).  What reading had to say is GetLoadMessage.
    void BeginLoading(CWnd* owner, UINT message);
    // Takes the machines read into the map: waits for a reading under way,
    // reads at once when none was begun.
    void LoadSavedMachines();
    // Adds rows for about the given time (the first call after reading sets
    // the rows up: the last machine of the map first, as if each had been
    // put at the top in turn); true while rows are left to add.
    bool FillSome(DWORD milliseconds);
    // Reading and filling, whatever is left of them, now.
    void CompleteStartUp();
    bool IsLoaded() const { return m_startUp >= kStartRead; }
    bool IsStartUpOver() const { return m_startUp == kStartDone; }

    // Who hears of F5 and of imported dropped files (0: no message).
    void SetOwner(CWnd* owner, UINT refreshMessage, UINT droppedFilesMessage);
    // The message posted to the owner when the list has something to say
    // about its file (WM_LIST_REPORTS; 0: none): a save that failed, or
    // another program's version of the file merged in.  The owner takes
    // the reports with TakeReports.
    void SetReportMessage(UINT message) { m_reportMessage = message; }
    struct CReport {
        CString text;
        bool alert = false; // also worth a message box
    };
    // The reports since the last call, oldest first.  A report the same as
    // the one before it, while both wait, is one report: a command that
    // saves several times over a failing file says so once.
    std::vector<CReport> TakeReports();
    // The list whose rows take part in duplicate marking.
    void SetOtherList(CMachinesListCtrl* other) { m_otherList = other; }
    void SetDragSource(BOOL dragSource) { m_dragSource = dragSource; }

    // Updates (or inserts at the top) the machine's row; re-marks
    // duplicates (lists without dropped files) and saves (saved machines).
    void UpdateRow(CMachine* machine);
    // The same for many machines at once: one pass over the rows, new rows
    // added together, drawing suspended meanwhile, one duplicate marking and
    // one save.
    void UpdateRows(const std::vector<CMachine*>& machines);
    void SetRow(int row, CMachine* machine);
    // Rewrites machines.xml (lists with a file only); false when it failed,
    // which the owner hears of (the machines stay as they are, so that a
    // later save can still write them).  Machines another program saved in
    // the file meanwhile are merged in and get their rows.
    bool Save();
    void RemoveUnlisted();
    void MarkPending();
    void Refill();
    void ReloadRows() override;
    void MarkAnsweredByAddresses(const CListIpAddresses& addresses);
    void MarkDuplicates();
    // Timer: colours and identification blinking.
    void Tick();

    void GetColumnWidths(CArray<int, int>& widths) const;
    CMachine* FirstSelectedMachine() const;
    BOOL HasFirstSelectedMachine() const { return FirstSelectedMachine() != nullptr; }
    BOOL HasOneSelectedMachine() const;
    BOOL FirstSelectedIsNoneOrRpi() const;
    // The machines of the selected rows in display order (not owned).
    void GetSelectedMachines(CMachineList& machines) const;

    // "Poll for Details" (and a double click on a row): the selected
    // machines' identities asked in a progress window, their rows refreshed
    // when it closes.
    void PollDetails();

    // Operations on the selected machines.
    CString ChooseApplication();
    void InstallApplication(CDiscoveryLog* log);
    void GetBackup(const char* folder);
    void GetEventLog();
    void UpdateFirmware();
    void UpdateIoFirmware();
    void RestartRuntime();
    BOOL CanUpdateFirmware() const;
    BOOL CanUpdateIoFirmware() const;

    // Sorting waits for the rows start-up still has to add.
    void Sort(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE) override;

    bool PassesFilters(const CMachine& machine) const;
    CString GetColumnText(const CMachine& machine, int column) const;

    // The row showing the machine, or -1; the machine of a row, or none.
    int FindRow(const CMachine* machine) const;
    CMachine* GetRowMachine(int row) const;
    // Deletes a row, and the machine with it when the list kept it only
    // for that row.
    void DeleteMachineRow(int row);

    // Discovery: a machine that left the map but keeps its row.
    void KeepDisplaced(CMachine* machine);

    // Drag and drop between lists: the selected rows of the source.
    void TakeDroppedRows(CMachinesListCtrl* source);
    // Imports a *.tvl list; messages for unreadable files and files
    // without machines (false then); the counters add up.
    bool ImportFile(const char* path, int* imported, int* skipped);
    void OnImport();
    // Dropped files (the WM_DROPFILES handling, for a list of paths).
    void ImportDroppedFiles(const CStringArray& paths);

    CMachineMap& GetMachines() { return m_machines; }
    const CString& GetFilePath() const { return m_filePath; }
    // What loading machines.xml reported (a damaged list), or empty.
    const CString& GetLoadMessage() const { return m_loadMessage; }
    int GetBlinkPhase() const { return m_blinkPhase; }

    CRememberedPath m_appFolder;
    CRememberedPath m_firmwareFolder;
    CRememberedPath m_ioFolder;

protected:
    static int CompareColumn(LPARAM item1, LPARAM item2, int column);
    void SetMachineInMap(const CIpAddress& address, CMachine* machine);
    // New rows for the machines at the top, as if each had been inserted
    // there in turn.
    void InsertRowsOnTop(const std::vector<CMachine*>& machines);
    void StartDrag(int row, CPoint point);
    // Rows for what a save merged in from another program's version, and
    // a report of it.
    void ShowMerged(const CMachineListMerge& merge);
    void Report(const CString& text, bool alert);

    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDropFiles(HDROP hDropInfo);
    // The cell texts of a row, from its machine, when the list shows them.
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);

    CMachineMap m_machines;
    int m_blinkPhase = 0;
    CString m_filePath;
    std::unique_ptr<CMachineListFile> m_file;
    CString m_loadMessage;
    enum { kStartNotRead, kStartReading, kStartRead, kStartFilling, kStartDone };
    int m_startUp = kStartDone; // lists without a file have nothing to read
    std::thread m_loader;
    std::unique_ptr<CMachineMap> m_loaderMap; // what the thread reads into
    CString m_loaderMessage;
    std::vector<CMachine*> m_fillQueue;       // machines waiting for their rows, in row order
    size_t m_fillNext = 0;
    bool m_fillRedraw = false; // drawing was suspended for the fill
    BOOL m_dragSource = FALSE;
    CImageList* m_dragImage = nullptr;
    CWnd* m_owner = nullptr;
    UINT m_refreshMessage = 0;
    UINT m_droppedFilesMessage = 0;
    CMachinesListCtrl* m_otherList = nullptr;
    BOOL m_acceptsDroppedFiles = FALSE;
    int m_saveSuspended = 0;
    // Above 0 while rows change in bulk with drawing suspended.
    int m_bulkChange = 0;
    bool m_savePending = false;
    UINT m_reportMessage = 0;
    std::vector<CReport> m_reports;
    bool m_reportPosted = false;
    bool m_saveFailing = false; // the last save failed
    bool m_mergeTold = false;   // a merge was reported with a message box
    // Machines that left the map but still have a row (owned).
    std::unordered_set<CMachine*> m_displaced;

    DECLARE_MESSAGE_MAP()
};
