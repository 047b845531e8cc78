#include "app/win/GZUDPListCtrl.h"

#include "app/win/AppMessages.h"

std::wstring WideFromUtf8(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    int n = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring wide((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text, -1, &wide[0], n);
    wide.resize((size_t)n - 1);
    return wide;
}

CString Utf8FromWide(const wchar_t* text, int length)
{
    if (!text || length == 0 || (length < 0 && !*text))
        return CString();
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return CString();
    std::string bytes((size_t)n, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, &bytes[0], n, nullptr, nullptr);
    if (length < 0)
        bytes.resize((size_t)n - 1);
    return CString(bytes.c_str());
}

// ---------------------------------------------------------------- header

IMPLEMENT_DYNAMIC(CGZUDPHeaderCtrl, CZUDPHeaderCtrl)

BEGIN_MESSAGE_MAP(CGZUDPHeaderCtrl, CZUDPHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_LBUTTONDOWN()
    ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGA, &CGZUDPHeaderCtrl::OnItemChanging)
    ON_NOTIFY_REFLECT_EX(HDN_ITEMCHANGINGW, &CGZUDPHeaderCtrl::OnItemChanging)
END_MESSAGE_MAP()

void CGZUDPHeaderCtrl::OnPaint()
{
    // The system's own header painting, which draws the filter bar.
    Default();
}

void CGZUDPHeaderCtrl::OnPrintClient(CDC*, UINT) { Default(); }

void CGZUDPHeaderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd* list = GetParent();
    LRESULT answer = list ? list->SendMessage(WM_LIST_ACTIVATED, (WPARAM)m_hWnd, MAKELPARAM(point.x, point.y)) : 0;
    if (answer == 0)
        CZUDPHeaderCtrl::OnLButtonDown(nFlags, point);
}

BOOL CGZUDPHeaderCtrl::OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (CWnd* list = GetParent())
        list->SendMessage(WM_HEADER_WIDTH, 0, (LPARAM)pNMHDR);
    *pResult = 0;
    return FALSE; // the list still resizes its column
}

// ---------------------------------------------------------------- list

IMPLEMENT_DYNAMIC(CGZUDPListCtrl, CZUDPListCtrl)

BEGIN_MESSAGE_MAP(CGZUDPListCtrl, CZUDPListCtrl)
    ON_NOTIFY(HDN_FILTERCHANGE, 0, &CGZUDPListCtrl::OnFilterChange)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &CGZUDPListCtrl::OnColumnClick)
    ON_WM_CHAR()
    ON_MESSAGE(WM_HEADER_WIDTH, &CGZUDPListCtrl::OnHeaderWidth)
    ON_MESSAGE(WM_LIST_ACTIVATED, &CGZUDPListCtrl::OnHeaderPressed)
END_MESSAGE_MAP()

CGZUDPListCtrl::CGZUDPListCtrl() : m_filters(10)
{
    m_filters.InitHashTable(17);
}

CGZUDPListCtrl::~CGZUDPListCtrl()
{
    if (m_header.m_hWnd != nullptr)
        m_header.UnsubclassWindow();
}

BOOL CGZUDPListCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= LVS_REPORT | LVS_OWNERDRAWFIXED;
    return CZUDPListCtrl::PreCreateWindow(cs);
}

BOOL CGZUDPListCtrl::SubclassHeader()
{
    if (m_header.m_hWnd != nullptr)
        return TRUE;
    HWND header = (HWND)SendMessage(LVM_GETHEADER);
    if (header == nullptr)
        header = ::GetDlgItem(m_hWnd, 0);
    if (header == nullptr)
        return FALSE;
    return m_header.SubclassWindow(header);
}

void CGZUDPListCtrl::ShowFilterBar(BOOL on)
{
    if (!SubclassHeader())
        return;
    m_filterBar = on;
    m_header.ModifyStyle(on ? 0 : HDS_FILTERBAR, on ? HDS_FILTERBAR : 0);
    m_header.SetFilterChangeTimeout(1);
    CRect client;
    GetClientRect(&client);
    WINDOWPOS position = {};
    HDLAYOUT layout = {&client, &position};
    m_header.Layout(&layout);
    m_header.SetWindowPos(CWnd::FromHandle(position.hwndInsertAfter), position.x, position.y, position.cx,
                          position.cy, position.flags | SWP_SHOWWINDOW);
    // A width change makes the list lay its rows out below the new header.
    SetColumnWidth(0, GetColumnWidth(0) + (on ? 1 : -1));
    Invalidate();
}

void CGZUDPListCtrl::SetColumnFilter(int column, const char* text)
{
    if (text)
        m_filters.SetAt(column, text);
    else
        m_filters.RemoveKey(column);
    ReloadRows();
}

void CGZUDPListCtrl::OnFilterChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMHEADERA* notification = reinterpret_cast<NMHEADERA*>(pNMHDR);
    int column = notification->iItem;
    char text[257] = "";
    HD_TEXTFILTERA filter = {text, 256};
    HDITEMA item = {};
    item.mask = HDI_FILTER;
    item.type = HDFT_ISSTRING;
    item.pvFilter = &filter;
    *pResult = 0;
    if (!m_header.GetItem(column, &item))
        return;
    if (item.type & HDFT_HASNOVALUE)
        SetColumnFilter(column, nullptr);
    else if ((item.type & 0x0F) == HDFT_ISSTRING)
        SetColumnFilter(column, text);
}

void CGZUDPListCtrl::SetSortArrow()
{
    int column = GetSortColumn();
    if (column < 0 || m_header.m_hWnd == nullptr)
        return;
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (!m_header.GetItem(column, &item))
        return;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    item.fmt |= IsAscending() ? HDF_SORTUP : HDF_SORTDOWN;
    m_header.SetItem(column, &item);
}

void CGZUDPListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    int column = GetSortColumn();
    if (column >= 0 && m_header.m_hWnd != nullptr) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        if (m_header.GetItem(column, &item)) {
            item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
            m_header.SetItem(column, &item);
        }
    }
    CZUDPListCtrl::OnColumnClick(pNMHDR, pResult);
    SetSortArrow();
    *pResult = 0;
}

void CGZUDPListCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    Default();
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_LIST_CHAR, nChar, (LPARAM)(nRepCnt | (nFlags << 16)));
}

LRESULT CGZUDPListCtrl::OnHeaderWidth(WPARAM, LPARAM lParam)
{
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_HEADER_WIDTH, (WPARAM)this, lParam);
    return 0;
}

LRESULT CGZUDPListCtrl::OnHeaderPressed(WPARAM, LPARAM lParam)
{
    CWnd* parent = GetParent();
    return parent ? parent->SendMessage(WM_LIST_ACTIVATED, (WPARAM)this, lParam) : 0;
}

void CGZUDPListCtrl::DrawItem(LPDRAWITEMSTRUCT draw)
{
    int row = (int)draw->itemID;
    HDC hdc = draw->hDC;
    LVITEMA item = {};
    item.mask = LVIF_IMAGE | LVIF_STATE;
    item.iItem = row;
    item.stateMask = 0xFFFF;
    GetItem(&item);
    BOOL focused = ::GetFocus() == m_hWnd;
    BOOL highlighted = (item.state & LVIS_DROPHILITED) ||
                       ((item.state & LVIS_SELECTED) && (focused || (GetStyle() & LVS_SHOWSELALWAYS)));
    CRect bounds, label, icon;
    GetItemRect(row, &bounds, LVIR_BOUNDS);
    GetItemRect(row, &label, LVIR_LABEL);
    GetItemRect(row, &icon, LVIR_ICON);
    int saved = ::SaveDC(hdc);
    SIZE space = {};
    ::GetTextExtentPoint32A(hdc, " ", 1, &space);
    int margin = space.cx * 2;

    CRect area(label.left, bounds.top, bounds.right, bounds.bottom);
    ::FillRect(hdc, &area, ::GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    ::SetTextColor(hdc, ::GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ::SetBkMode(hdc, TRANSPARENT);

    CRect first(bounds.left, bounds.top, label.right, bounds.bottom);
    ::IntersectClipRect(hdc, first.left, first.top, first.right, first.bottom);
    if (HIMAGELIST state = ListView_GetImageList(m_hWnd, LVSIL_STATE)) {
        int index = (int)((item.state & LVIS_STATEIMAGEMASK) >> 12) - 1;
        if (index >= 0)
            ImageList_Draw(state, index, hdc, bounds.left, bounds.top, ILD_TRANSPARENT);
    }
    if (HIMAGELIST smallImages = ListView_GetImageList(m_hWnd, LVSIL_SMALL)) {
        UINT style = ILD_TRANSPARENT | (item.state & LVIS_OVERLAYMASK) | (highlighted ? ILD_BLEND50 : 0);
        ImageList_Draw(smallImages, item.iImage, hdc, icon.left, icon.top, style);
    }
    // Cell texts are stored with "&" doubled: prefix processing shows one.
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_END_ELLIPSIS;
    std::wstring text = WideFromUtf8(GetItemText(row, 0));
    CRect textRect(label.left + margin / 2, label.top, label.right - margin, label.bottom);
    ::DrawTextW(hdc, text.c_str(), (int)text.size(), &textRect, format | DT_LEFT);

    ::SelectClipRgn(hdc, nullptr);
    ::IntersectClipRect(hdc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    CRect cell(label.right, bounds.top, label.right, bounds.bottom);
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    for (int c = 1; GetColumn(c, &column); ++c) {
        cell.left = cell.right;
        cell.right += column.cx;
        UINT align = (column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? DT_RIGHT
                     : (column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER
                                                                          : DT_LEFT;
        std::wstring cellText = WideFromUtf8(GetItemText(row, c));
        CRect inner(cell.left + margin, cell.top, cell.right - margin, cell.bottom);
        ::DrawTextW(hdc, cellText.c_str(), (int)cellText.size(), &inner, format | align);
    }
    if ((item.state & LVIS_FOCUSED) && focused)
        ::DrawFocusRect(hdc, &area);
    ::RestoreDC(hdc, saved);
}
