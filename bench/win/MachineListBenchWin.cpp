// trov_list_bench: the saved machine list with 10,000 machines against the
// best a plain list-view control can do with the same rows, in the same run
// on the same machines.  Run under Wine (headless is fine):
//
//   trov_list_bench [MACHINES] [ROUNDS]      (default 10000 machines, 5 rounds)
//
// The saved list loads machines.xml, fills its rows and is sorted by two
// columns (Device ID, then IP Address); the baseline is a plain report list
// view told the item count ahead (LVM_SETITEMCOUNT), with drawing suspended
// during the fill, given the same ten cell texts per row and sorted by the
// same two columns with a callback over the same values.  Both sides run
// once to warm up, then in alternating rounds; each round's times and the
// median ratio saved list / plain list view are printed (goal: 1.2 or less).
// The saved list keeps no cell texts in the control (it hands them out from
// its machines when asked): a second plain list view that does the same
// with its prepared texts (LPSTR_TEXTCALLBACK) is timed too, so that the
// figure says what the technique gives and what the rest of the saved list
// costs.
#include "framework/win/ListCtrl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/MachineColumns.h"
#include "app/MachineListFile.h"
#include "app/MachineMap.h"
#include "app/win/MachinesListCtrl.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/TempDir.h"

namespace {

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

void MakeMachines(CMachineMap& map, int count)
{
    for (int i = 0; i < count; ++i) {
        uint32_t address = 0x0A000000u + (uint32_t)((i * 7919) % 0xFFFFFF) + 1;
        CMachine* m = new CMachine(CIpAddress(address), 1);
        char text[64];
        sprintf(text, "controller-%05d", (i * 31) % count);
        m->m_hostName = text;
        sprintf(text, "line %d", i % 40);
        m->m_comment = text;
        m->m_config = "dosing.lmx";
        sprintf(text, "%dv%dr%d", i % 5, i % 11, i % 7);
        m->m_appVersion = text;
        m->m_ifNumber = 1;
        m->m_ifValues[kIf1Ip] = (const char*)CIpAddressText(address);
        m->SetVersion("4v2r11-b3");
        m->m_ioFirmware = "HW 1.2 SW 3.4";
        sprintf(text, "00:50:C2:%02X:%02X:%02X", (i >> 16) & 255, (i >> 8) & 255, i & 255);
        m->m_mac = text;
        CMachine* replaced = nullptr;
        map.SetMachine(CIpAddress(address), m, &replaced);
        delete replaced;
    }
}

struct PlainRow {
    uint32_t address;
    std::string cells[kMachineColumnCount];
};
int g_sortColumn = 0;

int CALLBACK ComparePlain(LPARAM a, LPARAM b, LPARAM)
{
    const PlainRow* x = reinterpret_cast<const PlainRow*>(a);
    const PlainRow* y = reinterpret_cast<const PlainRow*>(b);
    if (g_sortColumn == kColumnAddress)
        return x->address < y->address ? -1 : (x->address > y->address ? 1 : 0);
    return strcmp(x->cells[g_sortColumn].c_str(), y->cells[g_sortColumn].c_str());
}

double RunPlain(CWnd& parent, const std::vector<PlainRow>& rows)
{
    double start = Now();
    CListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 800, 400), &parent, 2);
    for (int c = 0; c < kMachineColumnCount; ++c)
        list.InsertColumn(c, kMachineColumns[c].title, LVCFMT_LEFT, kMachineColumns[c].width);
    list.SetRedraw(FALSE);
    list.SetItemCount((int)rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        int row = list.InsertItem((int)i, rows[i].cells[0].c_str());
        for (int c = 1; c < kMachineColumnCount; ++c)
            list.SetItemText(row, c, rows[i].cells[c].c_str());
        list.SetItemData(row, (DWORD_PTR)&rows[i]);
    }
    g_sortColumn = kColumnDeviceId;
    list.SortItems(ComparePlain, 0);
    g_sortColumn = kColumnAddress;
    list.SortItems(ComparePlain, 0);
    list.SetRedraw(TRUE);
    list.UpdateWindow();
    double seconds = Now() - start;
    list.DestroyWindow();
    return seconds;
}

// A plain list view whose rows keep no texts: the control asks for them
// (LVN_GETDISPINFO) from the prepared rows.
class CallbackList : public CListCtrl {
public:
    void OnGetDispInfo(NMHDR* header, LRESULT* result)
    {
        NMLVDISPINFOA* info = reinterpret_cast<NMLVDISPINFOA*>(header);
        const PlainRow* row = reinterpret_cast<const PlainRow*>(info->item.lParam);
        if ((info->item.mask & LVIF_TEXT) && row && info->item.cchTextMax > 0 && info->item.iSubItem >= 0
            && info->item.iSubItem < kMachineColumnCount)
            lstrcpynA(info->item.pszText, row->cells[info->item.iSubItem].c_str(), info->item.cchTextMax);
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CallbackList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOA, &CallbackList::OnGetDispInfo)
END_MESSAGE_MAP()

double RunPlainCallback(CWnd& parent, const std::vector<PlainRow>& rows)
{
    double start = Now();
    CallbackList list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 800, 400), &parent, 3);
    for (int c = 0; c < kMachineColumnCount; ++c)
        list.InsertColumn(c, kMachineColumns[c].title, LVCFMT_LEFT, kMachineColumns[c].width);
    list.SetRedraw(FALSE);
    list.SetItemCount((int)rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        list.InsertItem(LVIF_TEXT | LVIF_PARAM, (int)i, LPSTR_TEXTCALLBACKA, 0, 0, 0, (LPARAM)&rows[i]);
    g_sortColumn = kColumnDeviceId;
    list.SortItems(ComparePlain, 0);
    g_sortColumn = kColumnAddress;
    list.SortItems(ComparePlain, 0);
    list.SetRedraw(TRUE);
    list.UpdateWindow();
    double seconds = Now() - start;
    list.DestroyWindow();
    return seconds;
}

// Where the saved list's time went in the last round: loading, filling, sorting.
double g_phases[3];

double RunSaved(CWnd& parent, const std::string& path, int expected)
{
    double start = Now();
    CMachinesListCtrl list;
    list.Create(&parent, 1, path.c_str(), "", "", "", TRUE, nullptr, 0);
    list.LoadSavedMachines();
    double loaded = Now();
    list.Refill();
    double filled = Now();
    list.Sort(kColumnDeviceId, TRUE);
    list.Sort(kColumnAddress, TRUE);
    list.UpdateWindow();
    double seconds = Now() - start;
    g_phases[0] = loaded - start;
    g_phases[1] = filled - loaded;
    g_phases[2] = Now() - filled;
    if (list.GetItemCount() != expected)
        std::fprintf(stderr, "trov_list_bench: %d rows instead of %d\n", list.GetItemCount(), expected);
    list.DestroyWindow();
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    if (count < 1 || rounds < 1) {
        std::fprintf(stderr, "usage: trov_list_bench [MACHINES] [ROUNDS]\n");
        return 2;
    }
    trovtest::InitFrameworkForTests();
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);

    trovtest::TempDir dir;
    std::string path = dir.File("machines.xml");
    std::vector<PlainRow> rows;
    {
        CMachineMap map;
        MakeMachines(map, count);
        CString error;
        double writing = Now();
        if (!CMachineListFile::WriteFile(path.c_str(), map, &error)) {
            std::fprintf(stderr, "trov_list_bench: %s\n", (const char*)error);
            return 1;
        }
        // What writing the list costs (a fill writes it only when its machines
        // differ from those the file holds).
        std::printf("writing machines.xml of %d machines: %.3f s\n", count, Now() - writing);
        for (const CMachineMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p)) {
            PlainRow row;
            row.address = p->value->m_address.GetValue();
            for (int c = 0; c < kMachineColumnCount; ++c)
                row.cells[c] = (const char*)MachineColumnText(*p->value, c);
            rows.push_back(row);
        }
        // What making the cell texts alone costs, for reading the fill time.
        double start = Now();
        size_t bytes = 0;
        for (const CMachineMap::CPair* p = map.PGetFirstAssoc(); p; p = map.PGetNextAssoc(p))
            for (int c = 0; c < kMachineColumnCount; ++c)
                bytes += DoubleAmpersands(MachineColumnText(*p->value, c)).GetLength();
        std::printf("cell texts of %d machines: %.3f s (%u bytes)\n", count, Now() - start, (unsigned)bytes);
        map.DeleteAll();
    }
    // What loading machines.xml alone costs (no window), for reading the
    // saved list's load time.
    for (int i = 0; i < 3; ++i) {
        CMachineMap map;
        CMachineListFile file(path.c_str());
        CString message;
        double start = Now();
        file.Load(map, &message);
        std::printf("loading machines.xml of %d machines: %.3f s\n", (int)map.GetCount(), Now() - start);
        map.DeleteAll();
    }
    CWnd parent;
    if (!parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 900, 500), nullptr, 0)) {
        std::fprintf(stderr, "trov_list_bench: no window\n");
        return 1;
    }
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    // Warm-up: both sides once, not counted.
    RunPlain(parent, rows);
    RunPlainCallback(parent, rows);
    RunSaved(parent, path, count);
    std::vector<double> ratios, savedTimes, plainTimes, callbackRatios, callbackTimes;
    for (int round = 0; round < rounds; ++round) {
        // Alternating order, so that neither side always runs on the other's
        // freed memory.
        double plain, saved, callback;
        if (round % 2 == 0) {
            plain = RunPlain(parent, rows);
            callback = RunPlainCallback(parent, rows);
            saved = RunSaved(parent, path, count);
        } else {
            saved = RunSaved(parent, path, count);
            callback = RunPlainCallback(parent, rows);
            plain = RunPlain(parent, rows);
        }
        std::printf("round %d: saved list %.3f s (load %.3f, fill %.3f, sort %.3f), plain list view %.3f s, "
                    "ratio %.2f; plain list view without stored texts %.3f s, ratio %.2f\n",
                    round + 1, saved, g_phases[0], g_phases[1], g_phases[2], plain, saved / plain, callback,
                    saved / callback);
        ratios.push_back(saved / plain);
        savedTimes.push_back(saved);
        plainTimes.push_back(plain);
        callbackRatios.push_back(saved / callback);
        callbackTimes.push_back(callback);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    };
    std::printf("%d machines: saved list (load machines.xml, fill, sort by two columns) %.3f s; plain list view "
                "(item count set ahead, drawing suspended, insert, sort by two columns) %.3f s; median ratio %.2f "
                "of %d rounds\n",
                count, median(savedTimes), median(plainTimes), median(ratios), rounds);
    std::printf("plain list view without stored texts (rows ask for their texts) %.3f s; median ratio %.2f\n",
                median(callbackTimes), median(callbackRatios));
    parent.DestroyWindow();
    return 0;
}
