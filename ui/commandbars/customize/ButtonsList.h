#pragma once
// CButtonsList: the owner-drawn control of the button appearance dialog
// that shows the user-defined images as a wrapping grid of toolbar
// buttons, one per image, with a selection, a vertical scroll bar when the
// rows do not fit, arrow-key navigation and optional dragging of a button
// out of the list.  It subclasses a dialog button (BS_OWNERDRAW) and draws
// the buttons with their own drawing.
//
// Every button keeps its rectangle in list coordinates (as if nothing were
// scrolled); drawing, hit tests and invalidation subtract the scroll
// offset.
#include "framework/List.h"
#include "framework/win/Controls.h"
#include "ui/foundation/ZUDPToolBarImages.h"

class CZUDPToolbarButton;

class CButtonsList : public CButton {
public:
    CButtonsList();
    ~CButtonsList() override;

    void SetImages(CZUDPToolBarImages* pImages);
    void AddButton(CZUDPToolbarButton* pButton);
    void RemoveButtons();
    // Selects the button (null: none) and tells the parent.
    void SelectButton(CZUDPToolbarButton* pButton);
    // Selects the first button showing the image; a negative index selects
    // nothing.  FALSE when no button shows it.
    BOOL SelectButtonByImage(int iImage);
    CZUDPToolbarButton* GetSelectedButton() const { return m_pSelButton; }
    CZUDPToolbarButton* HitTest(CPoint point) const;
    void RecalcLayout();

    int GetCount() const { return int(m_Buttons.GetCount()); }
    CZUDPToolbarButton* GetButtonAt(int iIndex) const;
    CSize GetButtonSize() const { return m_sizeButton; }
    int GetScrollOffset() const { return m_iScrollOffset; }
    int GetMaxScroll() const { return m_iScrollTotal; }
    int GetPageRows() const { return m_iScrollPage; }
    BOOL HasScrollBar() const { return m_wndScrollBar.GetSafeHwnd() != nullptr; }
    // The rectangle a button shows at: its list rectangle moved up by the
    // scroll offset.
    CRect ShownRect(const CZUDPToolbarButton* pButton) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Paints the buttons and the border into the DC for the item
    // rectangle (the owner draw's and the tests' one routine).
    void PaintList(CDC* pDC, const CRect& rectItem);
    // The vertical scroll bar when asked for it and it exists.
    CScrollBar* GetScrollBarCtrl(int nBar) const;

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnEnable(BOOL bEnable);
    void OnSysColorChange();
    void OnSize(UINT nType, int cx, int cy);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    DECLARE_MESSAGE_MAP()

    int RowHeight() const { return m_sizeButton.cy + 5; }
    void ScrollTo(int iOffset);

    CObList m_Buttons;
    CZUDPToolBarImages* m_pImages = nullptr;
    CSize m_sizeButton = CSize(0, 0);
    BOOL m_bInited = FALSE;
    CZUDPToolbarButton* m_pSelButton = nullptr;
    int m_iScrollOffset = 0;
    int m_iScrollTotal = 0;
    int m_iScrollPage = 0;
    CScrollBar m_wndScrollBar;
};
