// trov_controls_bench: the library's report list and list box against the
// plain controls on the same rows, in one run.  Run under Wine (headless):
//
//   trov_controls_bench [ROUNDS]      (default 5 rounds)
//
//   - a 10,000-row, 10-column report list whose hooks are overridden (a
//     text colour per row, a bold font every tenth row, a comparison over
//     the rows' values) against a plain list view with the same rows and
//     the same comparison callback:
//       sort: one column, each repetition the other way (goal 2 or less);
//       paging: every page of the list, from the top, painted into a memory
//       DC (WM_PRINTCLIENT) (goal 1.5 or less);
//   - 10,000 mouse moves sweeping over a 10,000-item owner-drawn list box
//     with hot tracking against the plain list box (goal 1.5 or less).
// Both sides are warmed up first and run in alternating rounds; each line
// gives the median times and the median ratio library / plain.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/win/GdiObject.h"
#include "framework/win/ListCtrl.h"
#include "framework/win/WinApp.h"
#include "ui/controls/ZUDPListBox.h"
#include "ui/controls/ZUDPListCtrl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 10;
constexpr int kSortColumn = 3;

struct Row {
    int values[kColumns];
};
std::vector<Row> g_rows;

int CompareRows(LPARAM a, LPARAM b, int column)
{
    const int x = g_rows[(size_t)a].values[column], y = g_rows[(size_t)b].values[column];
    return x < y ? -1 : (x > y ? 1 : 0);
}

BOOL g_plainAscending = TRUE;
int CALLBACK ComparePlain(LPARAM a, LPARAM b, LPARAM)
{
    const int result = CompareRows(a, b, kSortColumn);
    return g_plainAscending ? result : -result;
}

const COLORREF kRowColours[] = {RGB(0, 0, 0), RGB(160, 0, 0), RGB(0, 110, 0), RGB(0, 0, 170), RGB(120, 60, 0)};

// The library's list with every hook a real list overrides.
class CHookedList : public CZUDPListCtrl {
public:
    CFont boldFont;

protected:
    int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override
    {
        return CompareRows(lParam1, lParam2, iColumn);
    }
    COLORREF CellTextColor(int nRow, int) override { return kRowColours[nRow % 5]; }
    HFONT CellFont(int nRow, int, DWORD_PTR) override { return nRow % 10 == 0 ? (HFONT)boldFont : nullptr; }
};

void FillList(CListCtrl& list)
{
    for (int c = 0; c < kColumns; ++c)
        list.InsertColumn(c, ("Column " + std::to_string(c)).c_str(), LVCFMT_LEFT, 70);
    list.SetItemCount(kRows);
    list.SetRedraw(FALSE);
    char text[32];
    for (int r = 0; r < kRows; ++r) {
        snprintf(text, sizeof(text), "%d", g_rows[(size_t)r].values[0]);
        const int item = list.InsertItem(r, text);
        for (int c = 1; c < kColumns; ++c) {
            snprintf(text, sizeof(text), "%d", g_rows[(size_t)r].values[c]);
            list.SetItemText(item, c, text);
        }
        list.SetItemData(item, (DWORD_PTR)r);
    }
    list.SetRedraw(TRUE);
}

// Every page from the top, each painted into the memory DC.
void PaintPages(CListCtrl& list, CDC& dc)
{
    list.EnsureVisible(0, FALSE);
    const int perPage = std::max(1, list.GetCountPerPage());
    CRect first;
    list.GetItemRect(0, &first, LVIR_BOUNDS);
    for (int top = 0; top < kRows; top += perPage) {
        list.SendMessage(WM_PRINTCLIENT, (WPARAM)dc.GetSafeHdc(), PRF_CLIENT | PRF_ERASEBKGND);
        list.Scroll(CSize(0, perPage * first.Height()));
    }
}

void Report(const char* what, const benchrounds::Result& r, double goal)
{
    printf("%-34s library %9.3f ms   plain %9.3f ms   ratio %.2f (goal %.1f or less)\n", what, r.candidate * 1e3,
           r.baseline * 1e3, r.ratio, goal);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);

    srand(7);
    g_rows.resize(kRows);
    for (Row& row : g_rows)
        for (int& value : row.values)
            value = rand() % 100000;

    CWnd host;
    if (!host.CreateEx(0, nullptr, "bench", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 760, 1280, nullptr, nullptr))
        return 1;
    host.ShowWindow(SW_SHOWNA);

    CHookedList hooked;
    CListCtrl plain;
    const DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS;
    if (!hooked.Create(style, CRect(0, 0, 740, 600), &host, 1) || !plain.Create(style, CRect(0, 620, 740, 1220), &host, 2))
        return 1;
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    hooked.boldFont.CreateFontIndirect(&lf);
    FillList(hooked);
    FillList(plain);

    BOOL hookedAscending = TRUE;
    Report("sort 10,000 rows by one column",
           benchrounds::Compare(
               [&] {
                   hooked.Sort(kSortColumn, hookedAscending);
                   hookedAscending = !hookedAscending;
               },
               [&] {
                   plain.SortItems(ComparePlain, 0);
                   g_plainAscending = !g_plainAscending;
               },
               3, rounds),
           2.0);

    CRect client;
    hooked.GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    {
        CClientDC screen(&host);
        bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    }
    CBitmap* previous = memory.SelectObject(&bitmap);
    Report("paint 10,000 rows page by page", benchrounds::Compare([&] { PaintPages(hooked, memory); },
                                                                   [&] { PaintPages(plain, memory); }, 1, rounds),
           1.5);
    memory.SelectObject(previous);
    hooked.DestroyWindow();
    plain.DestroyWindow();

    // List boxes: the library's owner-drawn one with hot tracking, the
    // plain one.
    CZUDPListBox themed;
    CListBox plainBox;
    if (!themed.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                       CRect(0, 0, 300, 600), &host, 3)
        || !plainBox.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                            CRect(320, 0, 620, 600), &host, 4))
        return 1;
    themed.SetRedraw(FALSE);
    plainBox.SetRedraw(FALSE);
    char text[32];
    for (int i = 0; i < kRows; ++i) {
        snprintf(text, sizeof(text), "Item %05d", i);
        themed.AddString(text);
        plainBox.AddString(text);
    }
    themed.SetRedraw(TRUE);
    plainBox.SetRedraw(TRUE);
    themed.UpdateWindow();
    plainBox.UpdateWindow();
    auto sweep = [](CListBox& box) {
        CRect area;
        box.GetClientRect(&area);
        for (int i = 0; i < 10000; ++i) {
            const int y = i % area.Height();
            box.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(area.Width() / 2, y));
        }
    };
    Report("10,000 mouse moves over a list box", benchrounds::Compare([&] { sweep(themed); }, [&] { sweep(plainBox); },
                                                                       1, rounds),
           1.5);
    themed.DestroyWindow();
    plainBox.DestroyWindow();
    host.DestroyWindow();
    return 0;
}
