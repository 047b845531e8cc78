#include "app/win/MachinesListCtrl.h"

#include "framework/win/ListCtrl.h"
#include "framework/win/FileDialog.h"
#include "framework/win/ImageList.h"
#include "framework/Array.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "app/MachineColumns.h"
#include "app/win/AppDialogs.h"
#include "app/win/AppMessages.h"
#include "app/win/DlgSocketTrov.h"
#include "res/resource.h"
#include "support/GXml.h"

IMPLEMENT_DYNAMIC(CMachinesListCtrl, CConsoleListCtrl)

BEGIN_MESSAGE_MAP(CMachinesListCtrl, CConsoleListCtrl)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &CMachinesListCtrl::OnDoubleClick)
    ON_NOTIFY_REFLECT(LVN_BEGINDRAG, &CMachinesListCtrl::OnBeginDrag)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, &CMachinesListCtrl::OnKeyDown)
    ON_WM_DROPFILES()
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, &CMachinesListCtrl::OnGetDispInfo)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, &CMachinesListCtrl::OnGetDispInfo)
END_MESSAGE_MAP()

CMachinesListCtrl::CMachinesListCtrl()
    : m_appFolder("", 1), m_firmwareFolder("", 1), m_ioFolder("", 1)
{
    SetCompareProc(&CMachinesListCtrl::CompareColumn);
}

CMachinesListCtrl::~CMachinesListCtrl()
{
    if (m_loader.joinable())
        m_loader.join();
    delete m_dragImage;
    for (CMachine* machine : m_displaced)
        delete machine;
    m_machines.DeleteAll();
}

int CMachinesListCtrl::CompareColumn(LPARAM item1, LPARAM item2, int column)
{
    return CompareMachineColumn(*reinterpret_cast<const CMachine*>(item1),
                                *reinterpret_cast<const CMachine*>(item2), column);
}

BOOL CMachinesListCtrl::Create(CWnd* parent, UINT id, const char* filePath, const char* appFolder,
                               const char* firmwareFolder, const char* ioFolder, BOOL acceptDroppedFiles,
                               const int* widths, int count)
{
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SORTASCENDING | LVS_SHOWSELALWAYS;
    if (!CListCtrl::Create(style, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    SubclassHeader();
    for (int c = 0; c < kMachineColumnCount; ++c)
        InsertColumn(c, kMachineColumns[c].title, kMachineColumns[c].centred ? LVCFMT_CENTER : LVCFMT_LEFT,
                     kMachineColumns[c].width);
    int columns = m_header.m_hWnd ? m_header.GetItemCount() : kMachineColumnCount;
    for (int c = 0; widths && c < count && c < columns; ++c)
        if (widths[c] > 0)
            SetColumnWidth(c, widths[c]);
    if (filePath && *filePath) {
        m_filePath = filePath;
        m_file.reset(new CMachineListFile(filePath));
        m_startUp = kStartNotRead;
    }
    m_appFolder.SetFolder(appFolder ? appFolder : "");
    m_firmwareFolder.SetFolder(firmwareFolder ? firmwareFolder : "");
    m_ioFolder.SetFolder(ioFolder ? ioFolder : "");
    m_acceptsDroppedFiles = acceptDroppedFiles;
    if (acceptDroppedFiles)
        DragAcceptFiles(TRUE);
    return TRUE;
}

void CMachinesListCtrl::BeginLoading(CWnd* owner, UINT message)
{
    if (m_startUp != kStartNotRead) {
        // Read already (a command needed the list): the owner goes on.
        if (owner && owner->m_hWnd && message)
            owner->PostMessage(message);
        return;
    }
    m_startUp = kStartReading;
    m_loaderMap.reset(new CMachineMap);
    // The thread touches only the file object, its own map and message,
    // which nothing else uses until it has ended.
    CMachineListFile* file = m_file.get();
    CMachineMap* map = m_loaderMap.get();
    CString* said = &m_loaderMessage;
    HWND notify = owner ? owner->m_hWnd : nullptr;
    m_loader = std::thread([file, map, said, notify, message] {
        file->Load(*map, said);
        if (notify && message)
            ::PostMessageA(notify, message, 0, 0);
    });
}

void CMachinesListCtrl::LoadSavedMachines()
{
    if (m_startUp == kStartNotRead) {
        m_file->Load(m_machines, &m_loadMessage);
        m_startUp = kStartRead;
        return;
    }
    if (m_startUp != kStartReading)
        return;
    m_loader.join();
    m_machines.Swap(*m_loaderMap);
    m_loadMessage = m_loaderMessage;
    // Nothing joins the map before it is read; should anything have, it
    // stays unless the file holds a machine of its address.
    std::vector<std::pair<CIpAddress, CMachine*>> early;
    for (const CMachineMap::CPair* p = m_loaderMap->PGetFirstAssoc(); p; p = m_loaderMap->PGetNextAssoc(p))
        early.emplace_back(p->key, p->value);
    for (auto& machine : early) {
        m_loaderMap->Detach(machine.second);
        if (m_machines.Find(machine.first))
            delete machine.second;
        else
            m_machines.SetMachine(machine.first, machine.second);
    }
    m_loaderMap.reset();
    m_startUp = kStartRead;
}

bool CMachinesListCtrl::FillSome(DWORD milliseconds)
{
    if (m_startUp < kStartRead)
        LoadSavedMachines();
    if (m_startUp == kStartDone)
        return false;
    if (m_startUp == kStartRead) {
        m_fillQueue.clear();
        m_fillQueue.reserve((size_t)m_machines.GetCount());
        for (const CMachineMap::CPair* p = m_machines.PGetFirstAssoc(); p; p = m_machines.PGetNextAssoc(p))
            if (p->value->m_inList && PassesFilters(*p->value))
                m_fillQueue.push_back(p->value);
        std::reverse(m_fillQueue.begin(), m_fillQueue.end());
        m_fillNext = 0;
        // The list makes room for every row at once, and draws once they
        // are all there: each repaint in between would lay out its scroll
        // bars again and cost as much as a slice.
        SetItemCount(GetItemCount() + (int)m_fillQueue.size());
        m_startUp = kStartFilling;
        m_fillRedraw = IsWindowVisible() != FALSE;
        if (m_fillRedraw)
            SetRedraw(FALSE);
    }
    // The slice's rows go in below those there, with the list's sorting on
    // insertion off.
    DWORD start = ::GetTickCount();
    DWORD sorting = GetStyle() & (LVS_SORTASCENDING | LVS_SORTDESCENDING);
    if (sorting)
        ModifyStyle(sorting, 0);
    int row = GetItemCount();
    while (m_fillNext < m_fillQueue.size()) {
        CMachine* machine = m_fillQueue[m_fillNext++];
        InsertCallbackRow(row++, (LPARAM)machine, MachineRowColour(*machine, false));
        if ((m_fillNext & 63) == 0 && ::GetTickCount() - start >= milliseconds)
            break;
    }
    if (sorting)
        ModifyStyle(0, sorting);
    if (m_fillNext < m_fillQueue.size())
        return true;
    if (m_fillRedraw) {
        SetRedraw(TRUE);
        Invalidate();
    }
    m_fillQueue.clear();
    m_fillQueue.shrink_to_fit();
    m_startUp = kStartDone;
    if (!m_acceptsDroppedFiles)
        MarkDuplicates();
    Save();
    return false;
}

void CMachinesListCtrl::CompleteStartUp()
{
    while (FillSome(INFINITE)) {
    }
}

void CMachinesListCtrl::Sort(int iColumn, BOOL bAscending, BOOL bAdd)
{
    CompleteStartUp();
    CConsoleListCtrl::Sort(iColumn, bAscending, bAdd);
}

void CMachinesListCtrl::SetOwner(CWnd* owner, UINT refreshMessage, UINT droppedFilesMessage)
{
    m_owner = owner;
    m_refreshMessage = refreshMessage;
    m_droppedFilesMessage = droppedFilesMessage;
}

int CMachinesListCtrl::FindRow(const CMachine* machine) const
{
    if (!machine)
        return -1;
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = (LPARAM)machine;
    return FindItem(&find, -1);
}

CMachine* CMachinesListCtrl::GetRowMachine(int row) const
{
    return reinterpret_cast<CMachine*>(GetItemData(row));
}

void CMachinesListCtrl::DeleteMachineRow(int row)
{
    CMachine* machine = GetRowMachine(row);
    DeleteRow(row);
    auto kept = m_displaced.find(machine);
    if (kept != m_displaced.end()) {
        m_displaced.erase(kept);
        delete machine;
    }
}

void CMachinesListCtrl::KeepDisplaced(CMachine* machine)
{
    if (!machine)
        return;
    if (FindRow(machine) < 0) {
        delete machine; // no row shows it
        return;
    }
    m_displaced.insert(machine);
}

void CMachinesListCtrl::SetMachineInMap(const CIpAddress& address, CMachine* machine)
{
    CMachine* replaced = nullptr;
    m_machines.SetMachine(address, machine, &replaced);
    if (replaced) {
        int row = FindRow(replaced);
        if (row >= 0)
            DeleteRow(row);
        m_displaced.erase(replaced);
        delete replaced;
    }
}

void CMachinesListCtrl::SetRow(int row, CMachine* machine)
{
    // The row keeps no texts of its own: the list asks for them from the
    // machine whenever it shows them (OnGetDispInfo), so setting a row is
    // its item data, its colour and a repaint.
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.lParam = (LPARAM)machine;
    SetItem(&item);
    SetRowColour(row, MachineRowColour(*machine, false));
    // A bulk change repaints the whole list at its end.
    if (m_bulkChange == 0)
        RedrawItems(row, row);
}

void CMachinesListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // The A and W records share their layout up to the text pointer; the
    // cell texts are UTF-8 bytes, handed over as the list's ANSI texts are
    // (a wide list gets them as the ANSI calls would have stored them).
    NMLVDISPINFOA* info = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    LVITEMA& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return;
    const CMachine* machine = reinterpret_cast<const CMachine*>(item.lParam);
    if (!machine)
        machine = GetRowMachine(item.iItem);
    CString text;
    if (machine && item.iSubItem >= 0 && item.iSubItem < kMachineColumnCount)
        text = DoubleAmpersands(MachineColumnText(*machine, item.iSubItem));
    if (pNMHDR->code == LVN_GETDISPINFOW) {
        wchar_t* out = reinterpret_cast<wchar_t*>(item.pszText);
        int written = text.IsEmpty() ? 0
                                     : ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), out,
                                                             item.cchTextMax - 1);
        out[written > 0 ? written : 0] = L'\0';
        return;
    }
    int length = text.GetLength() < item.cchTextMax - 1 ? text.GetLength() : item.cchTextMax - 1;
    memcpy(item.pszText, (const char*)text, (size_t)length);
    item.pszText[length] = '\0';
}

void CMachinesListCtrl::UpdateRow(CMachine* machine)
{
    CompleteStartUp();
    if (!machine)
        return;
    int row = FindRow(machine);
    if (row < 0)
        row = InsertCallbackRow(0, (LPARAM)machine, 0);
    if (row < 0)
        return;
    SetRow(row, machine);
    if (!m_acceptsDroppedFiles)
        MarkDuplicates();
    if (machine->m_inList)
        Save();
}

void CMachinesListCtrl::UpdateRows(const std::vector<CMachine*>& machines)
{
    CompleteStartUp();
    if (machines.empty())
        return;
    if (machines.size() == 1) {
        UpdateRow(machines[0]);
        return;
    }
    std::unordered_map<const CMachine*, int> rows;
    int count = GetItemCount();
    rows.reserve((size_t)count);
    for (int row = 0; row < count; ++row)
        rows.emplace(GetRowMachine(row), row);
    bool saved = false;
    std::vector<CMachine*> added;
    std::vector<std::pair<int, CMachine*>> changed;
    for (CMachine* machine : machines) {
        if (!machine)
            continue;
        auto found = rows.find(machine);
        if (found != rows.end())
            changed.emplace_back(found->second, machine);
        else
            added.push_back(machine);
        saved = saved || machine->m_inList;
    }
    // Rows set in place only mark themselves for the next paint.  Rows
    // inserted one by one with drawing on would each make the list lay out
    // its scroll bars again: several go in with drawing suspended, which
    // costs one such layout and one repaint.
    BOOL suspend = added.size() > 1 && IsWindowVisible();
    if (suspend) {
        SetRedraw(FALSE);
        ++m_bulkChange;
    }
    ++m_saveSuspended;
    // Rows already set keep their machines: an inserted row shifts indexes
    // only after they were used.
    for (const auto& row : changed)
        SetRow(row.first, row.second);
    InsertRowsOnTop(added);
    if (!m_acceptsDroppedFiles)
        MarkDuplicates();
    if (suspend) {
        --m_bulkChange;
        SetRedraw(TRUE);
        Invalidate(FALSE);
    }
    --m_saveSuspended;
    m_savePending = false;
    if (saved)
        Save();
}

void CMachinesListCtrl::InsertRowsOnTop(const std::vector<CMachine*>& machines)
{
    // The order rows inserted one by one at the top would have (the last
    // machine first), placed directly: the list's sorting on insertion is
    // off meanwhile, so that no insertion searches or shifts the rows
    // inserted before it.
    DWORD sorting = GetStyle() & (LVS_SORTASCENDING | LVS_SORTDESCENDING);
    if (sorting)
        ModifyStyle(sorting, 0);
    int count = (int)machines.size();
    for (int i = 0; i < count; ++i) {
        CMachine* machine = machines[(size_t)(count - 1 - i)];
        InsertCallbackRow(i, (LPARAM)machine, MachineRowColour(*machine, false));
    }
    if (sorting)
        ModifyStyle(0, sorting);
}

bool CMachinesListCtrl::Save()
{
    if (!m_file)
        return true;
    // A list not read yet would write its file without the machines in it.
    if (!IsLoaded())
        return true;
    if (m_saveSuspended > 0) {
        m_savePending = true;
        return true;
    }
    CString error;
    CMachineListMerge merge;
    bool saved = m_file->Save(m_machines, &error, &merge);
    if (merge.Happened())
        ShowMerged(merge);
    if (saved) {
        m_saveFailing = false;
        return true;
    }
    // A list that was never to be overwritten was reported when it was read.
    // A run of failures is worth one message box, at its first.
    if (!m_file->IsBlocked())
        Report(error, !m_saveFailing);
    m_saveFailing = true;
    return false;
}

void CMachinesListCtrl::ShowMerged(const CMachineListMerge& merge)
{
    std::vector<CMachine*> added;
    for (CMachine* machine : merge.added)
        if (PassesFilters(*machine) && FindRow(machine) < 0)
            added.push_back(machine);
    BOOL suspend = added.size() > 1 && IsWindowVisible();
    if (suspend) {
        SetRedraw(FALSE);
        ++m_bulkChange;
    }
    for (CMachine* machine : merge.updated) {
        int row = FindRow(machine);
        if (row >= 0)
            SetRow(row, machine);
    }
    InsertRowsOnTop(added);
    if (!m_acceptsDroppedFiles)
        MarkDuplicates();
    if (suspend) {
        --m_bulkChange;
        SetRedraw(TRUE);
        Invalidate();
    }
    // Said in a message box the first time only: two copies of the program
    // on one list merge at many saves.
    Report(merge.Describe(m_filePath), !m_mergeTold);
    m_mergeTold = true;
}

void CMachinesListCtrl::Report(const CString& text, bool alert)
{
    if (!m_owner || !m_reportMessage)
        return;
    if (!m_reports.empty() && m_reports.back().text == text) {
        m_reports.back().alert = m_reports.back().alert || alert;
        return;
    }
    CReport report;
    report.text = text;
    report.alert = alert;
    m_reports.push_back(report);
    // The owner hears of it once the handler at work has finished: a
    // command that saves several times reports once.
    if (!m_reportPosted && m_owner->m_hWnd) {
        m_owner->PostMessage(m_reportMessage);
        m_reportPosted = true;
    }
}

std::vector<CMachinesListCtrl::CReport> CMachinesListCtrl::TakeReports()
{
    m_reportPosted = false;
    std::vector<CReport> reports;
    reports.swap(m_reports);
    return reports;
}

void CMachinesListCtrl::RemoveUnlisted()
{
    CompleteStartUp();
    // The rows go in one go with drawing suspended: a list that repaints
    // after each deleted row takes seconds for a network's machines.
    int count = GetItemCount();
    std::vector<int> leaving;
    for (int row = 0; row < count; ++row) {
        CMachine* machine = GetRowMachine(row);
        if (machine && !machine->m_inList)
            leaving.push_back(row);
    }
    if (leaving.empty())
        return;
    BOOL visible = IsWindowVisible();
    if (visible)
        SetRedraw(FALSE);
    bool all = (int)leaving.size() == count;
    for (auto it = leaving.rbegin(); it != leaving.rend(); ++it) {
        int row = *it;
        CMachine* machine = GetRowMachine(row);
        if (m_displaced.erase(machine) == 0) {
            CIpAddress key;
            if (m_machines.FindKeyOf(machine, &key))
                m_machines.RemoveKey(key);
        }
        if (!all)
            DeleteRow(row);
        delete machine;
    }
    m_machines.IdentityChanged();
    if (all) {
        DeleteAllItems();
        ClearRowColours();
    }
    if (visible) {
        SetRedraw(TRUE);
        Invalidate();
    }
}

void CMachinesListCtrl::MarkPending()
{
    for (int row = 0; row < GetItemCount(); ++row) {
        if (CMachine* machine = GetRowMachine(row)) {
            machine->m_state = kMachineNotAnswered;
            machine->m_duplicate = 0;
        }
    }
    if (m_otherList && m_otherList->m_hWnd) {
        m_otherList->SetRedraw(FALSE);
        for (int row = 0; row < m_otherList->GetItemCount(); ++row) {
            if (CMachine* machine = m_otherList->GetRowMachine(row)) {
                machine->m_duplicate = 0;
                m_otherList->SetRow(row, machine);
            }
        }
        m_otherList->SetRedraw(TRUE);
        m_otherList->Invalidate();
    }
}

void CMachinesListCtrl::Refill()
{
    CompleteStartUp();
    // One save at the end instead of one per row, and one repaint.
    ++m_saveSuspended;
    BOOL visible = IsWindowVisible();
    if (visible)
        SetRedraw(FALSE);
    std::unordered_map<const CMachine*, int> shown;
    std::vector<int> leaving; // rows without a machine
    int rows = GetItemCount();
    shown.reserve((size_t)rows);
    for (int row = 0; row < rows; ++row) {
        if (const CMachine* machine = GetRowMachine(row))
            shown.emplace(machine, row);
        else
            leaving.push_back(row);
    }
    // The list makes room for every row at once; each row's colour is
    // painted with the list at the end.
    SetItemCount(rows + (int)m_machines.GetCount());
    ++m_bulkChange;
    std::vector<CMachine*> added;
    for (const CMachineMap::CPair* pair = m_machines.PGetFirstAssoc(); pair; pair = m_machines.PGetNextAssoc(pair)) {
        CMachine* machine = pair->value;
        if (!machine->m_inList || !PassesFilters(*machine))
            continue;
        auto found = shown.find(machine);
        if (found != shown.end())
            SetRow(found->second, machine);
        else
            added.push_back(machine);
    }
    InsertRowsOnTop(added);
    --m_bulkChange;
    if (!m_acceptsDroppedFiles)
        MarkDuplicates();
    // Rows of machines that left the map go (a saved machine that took a
    // reply's address is still in the map under its old key: it stays).
    // Only rows shown before can be such rows; the rows added above moved
    // them down by as many.
    for (int& row : leaving)
        row += (int)added.size();
    for (const auto& row : shown) {
        CIpAddress key;
        const CMachine* machine = row.first;
        if (m_displaced.count(const_cast<CMachine*>(machine)) == 0 && !m_machines.FindKeyOf(machine, &key))
            leaving.push_back(row.second + (int)added.size());
    }
    std::sort(leaving.begin(), leaving.end());
    for (auto it = leaving.rbegin(); it != leaving.rend(); ++it)
        DeleteMachineRow(*it);
    if (visible) {
        SetRedraw(TRUE);
        Invalidate();
    }
    --m_saveSuspended;
    m_savePending = false;
    Save();
}

void CMachinesListCtrl::ReloadRows()
{
    CompleteStartUp();
    SetRedraw(FALSE);
    for (int row = GetItemCount() - 1; row >= 0; --row)
        DeleteMachineRow(row);
    DeleteAllItems();
    ClearRowColours();
    Refill();
    SetRedraw(TRUE);
    Invalidate();
}

void CMachinesListCtrl::MarkAnsweredByAddresses(const CListIpAddresses& addresses)
{
    CompleteStartUp();
    POSITION position = addresses.GetHeadPosition();
    while (position) {
        CIpAddress address = addresses.GetNext(position);
        if (CMachine* machine = m_machines.Find(address)) {
            machine->m_state = kMachineAnswered;
            UpdateRow(machine);
        }
    }
}

void CMachinesListCtrl::MarkDuplicates()
{
    std::vector<const CMachine*> rows, otherRows;
    int count = GetItemCount();
    for (int row = 0; row < count; ++row)
        rows.push_back(GetRowMachine(row));
    bool other = m_otherList && m_otherList->m_hWnd;
    if (other)
        for (int row = 0; row < m_otherList->GetItemCount(); ++row)
            otherRows.push_back(m_otherList->GetRowMachine(row));
    // Rows without a machine take no part.
    std::vector<const CMachine*> validRows, validOther;
    std::vector<int> rowIndex, otherIndex;
    for (int i = 0; i < (int)rows.size(); ++i)
        if (rows[(size_t)i]) {
            validRows.push_back(rows[(size_t)i]);
            rowIndex.push_back(i);
        }
    for (int i = 0; i < (int)otherRows.size(); ++i)
        if (otherRows[(size_t)i]) {
            validOther.push_back(otherRows[(size_t)i]);
            otherIndex.push_back(i);
        }
    std::vector<char> marks, otherMarks;
    ComputeDuplicateMarks(validRows, validOther, &marks, &otherMarks);
    for (size_t i = 0; i < validOther.size(); ++i) {
        CMachine* machine = const_cast<CMachine*>(validOther[i]);
        if (machine->m_duplicate != otherMarks[i]) {
            machine->m_duplicate = otherMarks[i];
            m_otherList->SetRow(otherIndex[i], machine);
        }
    }
    for (size_t i = 0; i < validRows.size(); ++i) {
        CMachine* machine = const_cast<CMachine*>(validRows[i]);
        if (machine->m_duplicate != marks[i]) {
            machine->m_duplicate = marks[i];
            SetRow(rowIndex[i], machine);
        }
    }
}

void CMachinesListCtrl::Tick()
{
    // Rows whose colour changes are marked for the next paint, which draws
    // them together.  Suspending and resuming the list's drawing around
    // them would make the list lay out its scroll bars and repaint every
    // row each second.
    m_blinkPhase = !m_blinkPhase;
    m_machines.TickIdentBlink();
    for (CMachine* machine : m_displaced)
        if (machine->m_identBlink > 0)
            --machine->m_identBlink;
    for (int row = 0; row < GetItemCount(); ++row) {
        CMachine* machine = GetRowMachine(row);
        if (!machine)
            continue;
        COLORREF wanted = MachineRowColour(*machine, m_blinkPhase != 0);
        if (GetRowColour(row) != wanted) {
            SetRowColour(row, wanted);
            RedrawItems(row, row);
        }
    }
}

void CMachinesListCtrl::GetColumnWidths(CArray<int, int>& widths) const
{
    widths.RemoveAll();
    int count = m_header.m_hWnd ? m_header.GetItemCount() : 0;
    for (int c = 0; c < count; ++c)
        widths.Add(GetColumnWidth(c));
}

CMachine* CMachinesListCtrl::FirstSelectedMachine() const
{
    int row = GetNextItem(-1, LVNI_SELECTED);
    return row >= 0 ? GetRowMachine(row) : nullptr;
}

BOOL CMachinesListCtrl::HasOneSelectedMachine() const
{
    return GetSelectedCount() == 1 && FirstSelectedMachine() != nullptr;
}

BOOL CMachinesListCtrl::FirstSelectedIsNoneOrRpi() const
{
    CMachine* machine = FirstSelectedMachine();
    return machine && (machine->m_boardType == kBoardNone || machine->m_boardType == kBoardRpi);
}

bool CMachinesListCtrl::PassesFilters(const CMachine& machine) const
{
    if (!m_filterBar)
        return true;
    return MachinePassesFilters(machine, m_filters);
}

CString CMachinesListCtrl::GetColumnText(const CMachine& machine, int column) const
{
    return MachineColumnText(machine, column);
}

void CMachinesListCtrl::TakeDroppedRows(CMachinesListCtrl* source)
{
    CompleteStartUp();
    if (!source || source == this)
        return;
    POSITION position = source->GetFirstSelectedItemPosition();
    while (position) {
        int row = source->GetNextSelectedItem(position);
        CMachine* machine = source->GetRowMachine(row);
        if (!machine || m_machines.FindByMacAndIf(machine->m_mac, machine->m_ifNumber))
            continue;
        CIpAddress address;
        if (!address.Parse(source->GetItemText(row, kColumnAddress)))
            address = machine->m_address;
        CMachine* copy = CMachine::CopyConstruct(*machine);
        copy->m_inList = 1;
        SetMachineInMap(address, copy);
        UpdateRow(copy);
    }
}

bool CMachinesListCtrl::ImportFile(const char* path, int* imported, int* skipped)
{
    CompleteStartUp();
    CMachineMap loaded;
    CString error;
    int notRead = 0;
    int result = CMachineListFile::ReadFile(path, loaded, &error, &notRead);
    if (result == kXmlNoElement) {
        // Nothing but blanks: the file opened, it holds nothing.
        AppMessageBox(CString(path) + " : The file is empty", MB_OK | MB_ICONERROR);
        return false;
    }
    if (result != kXmlOk) {
        AppMessageBox(error.IsEmpty() ? CString(path) + " : Can't open file" : error, MB_OK | MB_ICONERROR);
        return false;
    }
    if (loaded.IsEmpty()) {
        AppMessageBox("Error: No Machines found in that file", MB_OK | MB_ICONERROR);
        return false;
    }
    *skipped += notRead;
    std::vector<std::pair<CIpAddress, CMachine*>> moving;
    for (const CMachineMap::CPair* pair = loaded.PGetFirstAssoc(); pair; pair = loaded.PGetNextAssoc(pair)) {
        if (m_machines.Find(pair->key))
            ++*skipped;
        else
            moving.emplace_back(pair->key, pair->value);
    }
    for (auto& move : moving) {
        loaded.Detach(move.second);
        SetMachineInMap(move.first, move.second);
        ++*imported;
    }
    loaded.DeleteAll();
    SetRedraw(FALSE);
    for (int row = GetItemCount() - 1; row >= 0; --row)
        DeleteMachineRow(row);
    ClearRowColours();
    Refill();
    SetRedraw(TRUE);
    Invalidate();
    return true;
}

void CMachinesListCtrl::OnImport()
{
    CFileDialog dialog(TRUE, ".tvl", nullptr, OFN_NOCHANGEDIR | OFN_HIDEREADONLY, "Trovlist Files (*.tvl)|*.tvl||",
                       this);
    if (dialog.DoModal() != IDOK)
        return;
    int imported = 0, skipped = 0;
    // A file that could not be imported was reported: no totals of nothing.
    if (!ImportFile(dialog.GetPathName(), &imported, &skipped))
        return;
    CString text;
    text.Format("Imported %d machines. %d skipped", imported, skipped);
    AppMessageBox(text, MB_OK);
}

void CMachinesListCtrl::ImportDroppedFiles(const CStringArray& paths)
{
    int imported = 0, skipped = 0;
    bool anyRead = false;
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
        anyRead = ImportFile(paths[i], &imported, &skipped) || anyRead;
    if (m_owner && m_droppedFilesMessage)
        m_owner->SendMessage(m_droppedFilesMessage, 0, 0);
    if (!anyRead)
        return; // each file that failed said so
    CString text;
    text.Format("Imported %d machines. %d skipped", imported, skipped);
    AppMessageBox(text, MB_OK);
}

void CMachinesListCtrl::OnDropFiles(HDROP drop)
{
    CStringArray paths;
    UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH + 1] = "";
        UINT length = ::DragQueryFileA(drop, i, path, sizeof path);
        if (length > 0 && length <= MAX_PATH)
            paths.Add(path);
    }
    ::DragFinish(drop);
    ImportDroppedFiles(paths);
}

void CMachinesListCtrl::GetSelectedMachines(CMachineList& machines) const
{
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        if (CMachine* machine = GetRowMachine(row))
            machines.AddTail(machine);
    }
}

void CMachinesListCtrl::PollDetails()
{
    CompleteStartUp();
    CMachineList machines;
    GetSelectedMachines(machines);
    if (machines.IsEmpty())
        return;
    {
        CDlgSocketTrov dialog(machines, nullptr, GetParent());
        dialog.DoModal();
    }
    // The rows show what the identity replies said; machines.xml is
    // rewritten once for them, not once per row.
    ++m_saveSuspended;
    bool savedMachine = false;
    for (POSITION pos = machines.GetHeadPosition(); pos;) {
        CMachine* machine = machines.GetNext(pos);
        if (FindRow(machine) < 0)
            continue; // left the list meanwhile
        UpdateRow(machine);
        savedMachine = savedMachine || machine->m_inList;
    }
    --m_saveSuspended;
    m_savePending = false;
    if (savedMachine)
        Save();
}

void CMachinesListCtrl::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    PollDetails();
    *pResult = 0;
}

void CMachinesListCtrl::StartDrag(int row, CPoint point)
{
    delete m_dragImage;
    CPoint origin(0, 0);
    m_dragImage = CreateDragImage(row, &origin);
    if (m_dragImage) {
        HBITMAP bitmap = (HBITMAP)::LoadImageA(AfxGetResourceHandle(),
                                               MAKEINTRESOURCEA(GetSelectedCount() > 1 ? IDB_DRAG_MANY : IDB_DRAG_ONE),
                                               IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
        if (bitmap) {
            ImageList_Replace(m_dragImage->m_hImageList, 0, bitmap, nullptr);
            ::DeleteObject(bitmap);
        }
        m_dragImage->BeginDrag(0, CPoint(0, 0));
        CPoint screen = point;
        ClientToScreen(&screen);
        CImageList::DragEnter(CWnd::FromHandle(::GetDesktopWindow()), screen);
    }
    SetCapture();
}

void CMachinesListCtrl::OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_dragSource)
        return;
    NMLISTVIEW* view = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    StartDrag(view->iItem, view->ptAction);
}

void CMachinesListCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd && m_dragImage) {
        CPoint screen = point;
        ClientToScreen(&screen);
        CImageList::DragMove(screen);
        return;
    }
    CConsoleListCtrl::OnMouseMove(nFlags, point);
}

void CMachinesListCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (::GetCapture() != m_hWnd) {
        CConsoleListCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    ::ReleaseCapture();
    if (m_dragImage) {
        CImageList::DragLeave(CWnd::FromHandle(::GetDesktopWindow()));
        CImageList::EndDrag();
        delete m_dragImage;
        m_dragImage = nullptr;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    CWnd* target = CWnd::FromHandlePermanent(::WindowFromPoint(screen));
    if (target && target->IsKindOf(RUNTIME_CLASS(CMachinesListCtrl)))
        static_cast<CMachinesListCtrl*>(target)->TakeDroppedRows(this);
}

void CMachinesListCtrl::OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVKEYDOWN* key = reinterpret_cast<NMLVKEYDOWN*>(pNMHDR);
    if (key->wVKey == VK_F5 && m_owner && m_refreshMessage)
        m_owner->SendMessage(m_refreshMessage, 0, 0);
    *pResult = 0;
}
