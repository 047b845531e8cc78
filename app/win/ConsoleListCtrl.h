#pragma once
// A report list with one text colour per row and a sort callback: the base
// of the machine lists.  The colour store grows with the rows, so a list
// never drops a row to make room.
#include <vector>

#include "app/win/GZUDPListCtrl.h"

typedef int (*ConsoleCompareProc)(LPARAM item1, LPARAM item2, int column);

class CConsoleListCtrl : public CGZUDPListCtrl {
    DECLARE_DYNAMIC(CConsoleListCtrl)
public:
    enum { kInitialColourCapacity = 256 };

    CConsoleListCtrl();

    int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override;
    // Sorts, and keeps every row's colour with its row.
    void Sort(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE) override;

    // Inserts a row (its text stored with "&" doubled) and its colour 0;
    // returns its index.
    int InsertRow(int index, const char* text);
    // Inserts a row whose cell texts the list asks for when it needs them
    // (LVN_GETDISPINFO), with its item data and colour; returns its index.
    // The list's sorting on insertion is off meanwhile (it cannot sort rows
    // without stored texts): the row goes exactly where asked.
    int InsertCallbackRow(int index, LPARAM data, COLORREF colour);
    void SetColourCapacity(int capacity);
    int GetColourCapacity() const { return (int)m_rowColours.size(); }
    COLORREF GetRowColour(int row) const;
    void SetRowColour(int row, COLORREF colour);
    // Every stored colour becomes 0.
    void ClearRowColours();
    // Deletes a row and its colour.
    BOOL DeleteRow(int row);

    void SetCompareProc(ConsoleCompareProc compare) { m_compare = compare; }

protected:
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    void DrawRow(HDC hdc, int row);

    ConsoleCompareProc m_compare = nullptr;
    std::vector<COLORREF> m_rowColours;

    DECLARE_MESSAGE_MAP()
};
