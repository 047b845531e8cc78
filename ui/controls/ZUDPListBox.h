#pragma once
// CZUDPListBox: the library's list box with hot tracking: the item under
// the mouse is highlighted like the selection, by the visual manager in
// the visual-manager look.  The painting needs an owner-drawn list box
// with fixed item height (LBS_OWNERDRAWFIXED with LBS_HASSTRINGS); a plain
// list box keeps the platform's painting and only learns its look.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPListBox : public CZUDPControlLook<CListBox> {
    DECLARE_DYNCREATE(CZUDPListBox)
public:
    CZUDPListBox();
    ~CZUDPListBox() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

    // The item under the mouse, -1 when none.
    int GetHotItem() const { return m_nHotItem; }

protected:
    void PreSubclassWindow() override;
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void RedrawItemNow(int nItem);

    int m_nHotItem = -1;
    BOOL m_bTracked = FALSE;

    DECLARE_MESSAGE_MAP()
};
