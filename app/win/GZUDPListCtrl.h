#pragma once
// The application's report list on the library's list control: UTF-8 cell
// texts drawn as UTF-16, a header filter bar, sort arrows, and the list's
// notifications passed up to its parent as WM_APP messages.
#include "app/MachineColumns.h"
#include "ui/controls/ZUDPListCtrl.h"

class CGZUDPHeaderCtrl : public CZUDPHeaderCtrl {
    DECLARE_DYNAMIC(CGZUDPHeaderCtrl)
public:
    CGZUDPHeaderCtrl() = default;

protected:
    // The system's own header painting (it draws the filter bar), on the
    // screen and for WM_PRINTCLIENT alike.
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnItemChanging(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()
};

class CGZUDPListCtrl : public CZUDPListCtrl {
    DECLARE_DYNAMIC(CGZUDPListCtrl)
public:
    CGZUDPListCtrl();
    ~CGZUDPListCtrl() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual CGZUDPHeaderCtrl& GetHeader() { return m_header; }
    CZUDPHeaderCtrl& HeaderControl() override { return m_header; }
    BOOL SubclassHeader() override;
    // Fills the rows again (the machine lists do; nothing here).
    virtual void ReloadRows() {}

    // Shows or hides the header's filter bar.
    void ShowFilterBar(BOOL on);
    BOOL IsFilterBarShown() const { return m_filterBar; }
    // Sets (text) or removes (none) a column's filter and reloads the rows.
    void SetColumnFilter(int column, const char* text);
    const CColumnFilterMap& GetColumnFilters() const { return m_filters; }
    // The sort arrow of the current sort column.
    void SetSortArrow();

protected:
    void OnFilterChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnHeaderWidth(WPARAM wParam, LPARAM lParam);
    LRESULT OnHeaderPressed(WPARAM wParam, LPARAM lParam);

    CGZUDPHeaderCtrl m_header;
    BOOL m_filterBar = FALSE;
    CColumnFilterMap m_filters;

    DECLARE_MESSAGE_MAP()
};
