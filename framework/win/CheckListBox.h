#pragma once
// CCheckListBox: an owner-drawn list box (fixed height, with strings) that
// draws a check box before each item.  A click on the box or the space bar
// toggles the item's check and tells the parent with WM_COMMAND,
// CLBN_CHKCHANGE.  The check states follow the items as they are added,
// inserted, deleted and reset.
#include "framework/win/Controls.h"

#include <vector>

#ifndef CLBN_CHKCHANGE
#define CLBN_CHKCHANGE 40
#endif

class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox() = default;

    // BST_UNCHECKED, BST_CHECKED (or BST_INDETERMINATE); an index outside
    // the items is ignored (GetCheck: 0).
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;
    // The width of the check-box column.
    int GetCheckColumnWidth() const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The box of an item was clicked or its space bar pressed: toggles it
    // and tells the parent.
    void ToggleCheck(int nIndex);
    // The item whose check box lies under the client point, or -1.
    int CheckBoxHit(CPoint point) const;

private:
    struct ItemState {
        int check = BST_UNCHECKED;
        BOOL enabled = TRUE;
    };
    std::vector<ItemState> m_states;
};
