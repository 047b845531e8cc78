#pragma once
// CZUDPPropertySheet: a property sheet in the visual-manager look, with a
// choice of navigation: the standard tab row (look 0; in the visual-manager
// look the library's tab window replaces it), a tree at the left (2), the
// library's tab window with slanted tabs (3), an owner-drawn list at the
// left (4) or the wizard (5).  The navigation control follows the active
// page both ways.  The button-pane look (1) comes with the navigation bar;
// until then it makes no navigation control and the sheet behaves as
// look 0.
#include "framework/win/ImageList.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/TreeCtrl.h"
#include "ui/controls/ZUDPDlgImpl.h"
#include "ui/controls/ZUDPListBox.h"
#include "ui/docking/ZUDPTabWnd.h"

class CZUDPPropertyPage;
class CZUDPPropertySheet;

// The library tab window as a sheet's navigation: its tabs are the sheet's
// pages, which stay the sheet's children; activating a tab activates the
// page and places it in the tab window's page area.
class CZUDPPropSheetTab : public CZUDPTabWnd {
    DECLARE_DYNAMIC(CZUDPPropSheetTab)
public:
    CZUDPPropSheetTab();

    BOOL ActivateTab(int iTab) override;

    CZUDPPropertySheet* m_pParent = nullptr;
};

class CZUDPPropertySheet : public CPropertySheet {
    DECLARE_DYNAMIC(CZUDPPropertySheet)
public:
    enum PropSheetLook {
        PropSheetLook_Tabs = 0,
        PropSheetLook_OutlookBar = 1,
        PropSheetLook_Tree = 2,
        PropSheetLook_OneNoteTabs = 3,
        PropSheetLook_List = 4,
        PropSheetLook_Wizard = 5,
    };
    // Navigation control ids.
    enum { kTreeId = 101, kTabId = 102, kListId = 103 };

    CZUDPPropertySheet();
    explicit CZUDPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CZUDPPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CZUDPPropertySheet() override;

    // Before creation: the navigation look and the width of a navigation
    // control at the left.
    void SetLook(int nLook, int nNavControlWidth = 100);
    int GetLook() const { return m_nLook; }
    int GetNavigationWidth() const { return m_nBarWidth; }
    // The look of the sheet and of every library page it holds.
    void SetVisualManagerLook(BOOL bEnable, BOOL bNCArea = FALSE);
    BOOL IsVisualManagerStyle() const { return m_Impl.IsVisualManagerStyle(); }
    void AddPage(CPropertyPage* pPage);
    // Images of the pages in the navigation (index = page index).
    void SetIconsList(HIMAGELIST hIcons);
    // A band above the pages (0: none) that OnDrawPageHeader paints.
    void EnablePageHeader(int nHeaderHeight) { m_nHeaderHeight = nHeaderHeight; }
    int GetHeaderHeight() const { return m_nHeaderHeight; }
    // The buttons' owner-drawn style is re-applied after the framework's
    // sheet has changed their styles.
    void RefreshButtonsLater();

    // The navigation controls (windows exist only in their look).
    CTreeCtrl& GetNavigationTree() { return m_wndTree; }
    CZUDPListBox& GetNavigationList() { return m_wndList; }
    CZUDPPropSheetTab& GetNavigationTab() { return m_wndTab; }
    CWnd* GetNavigationControl() const { return m_pNavigationCtrl; }
    CZUDPDlgImpl& GetImpl() { return m_Impl; }

    virtual void OnActivatePage(CPropertyPage* pPage);
    virtual CWnd* CreateNavigationControl();
    virtual BOOL RemoveTreeItem(CPropertyPage* pPage);
    virtual void OnDrawPageHeader(CDC* pDC, int nPage, CRect rectHeader);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Private messages posted to the sheet itself.
    enum { kMsgSyncNavigation = 0x7E9, kMsgRefreshButtons = 0x7EA };

protected:
    // Notes which standard buttons are owner-drawn now (their style is
    // restored after the framework's sheet changes it).
    void RememberOwnerDrawnButtons();
    void AddNavigationItem(int nTab);
    void LayoutButtons();
    CZUDPPropertyPage* PageOfTreeItem(HTREEITEM hItem) const;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnListSelChange();
    LRESULT OnSyncNavigation(WPARAM, LPARAM);
    LRESULT OnRefreshButtons(WPARAM, LPARAM);
    LRESULT OnChangeVisualManager(WPARAM, LPARAM);
    LRESULT OnSetText(WPARAM, LPARAM);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnSize(UINT nType, int cx, int cy);
    void OnNcPaint();
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnDestroy();
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);

    int m_nLook = PropSheetLook_Tabs;
    CTreeCtrl m_wndTree;
    CZUDPListBox m_wndList;
    CZUDPPropSheetTab m_wndTab;
    CWnd* m_pNavigationCtrl = nullptr;
    int m_nBarWidth = 100;
    int m_nActivePage = -1;
    CImageList m_Icons;
    BOOL m_bAlphaBlendIcons = FALSE;
    int m_nHeaderHeight = 0;
    BOOL m_bWasMaximized = FALSE;
    BOOL m_bDrawPageFrame = FALSE;
    BOOL m_bIsInSelectTree = FALSE;
    // Standard buttons that were owner-drawn when the sheet was set up.
    CList<UINT, UINT> m_lstOwnerDrawnButtons;
    CZUDPDlgImpl m_Impl{*this};

    DECLARE_MESSAGE_MAP()
};
