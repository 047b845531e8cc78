#include "app/win/ConsoleListCtrl.h"

#include <unordered_map>

#include "app/MachineColumns.h"
#include "app/win/AppMessages.h"

IMPLEMENT_DYNAMIC(CConsoleListCtrl, CGZUDPListCtrl)

BEGIN_MESSAGE_MAP(CConsoleListCtrl, CGZUDPListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CConsoleListCtrl::OnCustomDraw)
END_MESSAGE_MAP()

CConsoleListCtrl::CConsoleListCtrl() : m_rowColours(kInitialColourCapacity, 0) {}

int CConsoleListCtrl::CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn)
{
    if (m_compare && lParam1 && lParam2)
        return m_compare(lParam1, lParam2, iColumn);
    return 0;
}

void CConsoleListCtrl::Sort(int iColumn, BOOL bAscending, BOOL bAdd)
{
    // Colours are kept by row index: they follow their rows' item data
    // through the sort.
    int count = GetItemCount();
    std::unordered_multimap<LPARAM, COLORREF> byData;
    byData.reserve((size_t)count);
    for (int row = 0; row < count; ++row)
        byData.emplace((LPARAM)GetItemData(row), GetRowColour(row));
    CGZUDPListCtrl::Sort(iColumn, bAscending, bAdd);
    for (int row = 0; row < count; ++row) {
        auto found = byData.find((LPARAM)GetItemData(row));
        if (found != byData.end()) {
            SetRowColour(row, found->second);
            byData.erase(found);
        }
    }
}

COLORREF CConsoleListCtrl::GetRowColour(int row) const
{
    return row >= 0 && (size_t)row < m_rowColours.size() ? m_rowColours[(size_t)row] : 0;
}

void CConsoleListCtrl::SetRowColour(int row, COLORREF colour)
{
    if (row < 0)
        return;
    if ((size_t)row >= m_rowColours.size())
        m_rowColours.resize((size_t)row + 100, 0);
    m_rowColours[(size_t)row] = colour;
}

void CConsoleListCtrl::SetColourCapacity(int capacity)
{
    m_rowColours.resize(capacity > 0 ? (size_t)capacity : 0, 0);
}

void CConsoleListCtrl::ClearRowColours()
{
    std::fill(m_rowColours.begin(), m_rowColours.end(), 0);
}

int CConsoleListCtrl::InsertRow(int index, const char* text)
{
    CString stored = DoubleAmpersands(text);
    int row = InsertItem(index, stored);
    if (row < 0)
        return row;
    // The store grows instead of dropping rows: one entry past the rows is
    // always free for the shift below.
    size_t count = (size_t)GetItemCount();
    if (m_rowColours.size() < count + 1)
        m_rowColours.resize(count + 100, 0);
    m_rowColours.insert(m_rowColours.begin() + row, 0);
    m_rowColours.pop_back();
    return row;
}

int CConsoleListCtrl::InsertCallbackRow(int index, LPARAM data, COLORREF colour)
{
    DWORD sorting = GetStyle() & (LVS_SORTASCENDING | LVS_SORTDESCENDING);
    if (sorting)
        ModifyStyle(sorting, 0);
    int row = InsertItem(LVIF_TEXT | LVIF_PARAM, index, LPSTR_TEXTCALLBACKA, 0, 0, 0, data);
    if (sorting)
        ModifyStyle(0, sorting);
    if (row < 0)
        return row;
    size_t count = (size_t)GetItemCount();
    if (m_rowColours.size() < count + 1)
        m_rowColours.resize(count + 100, 0);
    m_rowColours.insert(m_rowColours.begin() + row, colour);
    m_rowColours.pop_back();
    return row;
}

BOOL CConsoleListCtrl::DeleteRow(int row)
{
    if (!DeleteItem(row))
        return FALSE;
    if (row >= 0 && (size_t)row < m_rowColours.size()) {
        m_rowColours.erase(m_rowColours.begin() + row);
        m_rowColours.push_back(0);
    }
    return TRUE;
}

void CConsoleListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT: {
        HDC hdc = draw->nmcd.hdc;
        if (hdc == nullptr || ::GetObjectType(hdc) == 0) {
            *pResult = CDRF_NOTIFYITEMDRAW;
            return;
        }
        int row = (int)draw->nmcd.dwItemSpec;
        BOOL highlighted = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) && ::GetFocus() == m_hWnd;
        COLORREF text = m_rowColours.empty() ? ::GetSysColor(COLOR_WINDOWTEXT) : GetRowColour(row);
        if (highlighted && text == ::GetSysColor(COLOR_WINDOWTEXT))
            text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
        COLORREF back = ::GetSysColor(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        COLORREF oldText = ::SetTextColor(hdc, text);
        COLORREF oldBack = ::SetBkColor(hdc, back);
        DrawRow(hdc, row);
        ::SetTextColor(hdc, oldText);
        ::SetBkColor(hdc, oldBack);
        *pResult = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        *pResult = 0;
        return;
    }
}

void CConsoleListCtrl::DrawRow(HDC hdc, int row)
{
    int columns = m_header.m_hWnd ? m_header.GetItemCount() : 0;
    HBRUSH brush = ::CreateSolidBrush(::GetBkColor(hdc));
    int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    for (int c = 0; c < columns; ++c) {
        CRect cell;
        if (c == 0) {
            GetItemRect(row, &cell, LVIR_BOUNDS);
            CRect next;
            if (columns > 1 && GetSubItemRect(row, 1, LVIR_BOUNDS, next))
                cell.right = next.left;
        } else if (!GetSubItemRect(row, c, LVIR_BOUNDS, cell)) {
            continue;
        }
        ::FillRect(hdc, &cell, brush);
        cell.left += 2;
        cell.right -= 2;
        if (cell.right <= cell.left)
            continue;
        CString stored = GetItemText(row, c);
        if (stored.IsEmpty())
            continue;
        std::wstring text = WideFromUtf8(stored);
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT;
        GetColumn(c, &column);
        int justify = column.fmt & LVCFMT_JUSTIFYMASK;
        UINT align = (justify == LVCFMT_RIGHT || justify == LVCFMT_CENTER) ? DT_CENTER : DT_LEFT;
        ::DrawTextW(hdc, text.c_str(), (int)text.size(), &cell,
                    DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_END_ELLIPSIS | align);
    }
    ::SetBkMode(hdc, oldMode);
    ::DeleteObject(brush);
}
