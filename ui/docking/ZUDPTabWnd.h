#pragma once
// The library's tab windows: CZUDPBaseTabWnd, the row of tabs each showing
// one window, and CZUDPTabWnd, the tab window with its styles (0 the
// three-dimensional look, 4 to 7 slanted and rounded looks).  This version
// holds the tabs and answers what the visual manager's tab drawing and the
// property sheet ask; the docking subsystem gives it its own layout,
// scrolling, painting and mouse handling.
#include "ui/commandbars/ZUDPWnd.h"
#include "framework/Array.h"
#include "framework/String.h"

#include <commctrl.h>

// The margin round a tab's image, library-wide, in pixels.
extern int g_tabImageMargin;

class CZUDPBaseTabWnd : public CZUDPWnd {
    DECLARE_DYNAMIC(CZUDPBaseTabWnd)
public:
    CZUDPBaseTabWnd() = default;
    ~CZUDPBaseTabWnd() override;

    // --- tabs
    // Appends a tab showing a window (hidden until its tab is active).
    virtual void AppendTab(CWnd* pWnd, LPCTSTR lpszLabel, int iImage = -1, BOOL bDetachable = TRUE);
    int GetTabsNum() const { return int(m_tabs.GetSize()); }
    int GetTabCount() const { return GetTabsNum(); }
    CWnd* GetTabWnd(int iTab) const;
    // The first tab whose window (or the window its wrapper pane hosts)
    // has the handle; -1 when none.
    int FindTabByWindow(HWND hWnd) const;
    BOOL IsTabVisible(int iTab) const;
    BOOL IsTabDetachable(int iTab) const;
    int CountVisibleTabs() const;
    // Shows or hides a tab; a hidden active tab passes the activation to a
    // visible one.  FALSE for an index out of range.
    virtual BOOL ShowTabAt(int iTab, BOOL bShow, BOOL bRecalc = TRUE, BOOL bActivate = FALSE);
    // Hides the tab row while only one tab exists.
    virtual void HideForSingleTab(BOOL bHide = TRUE) { m_bHideSingleTab = bHide; }
    void SetTabColors(int iTab, COLORREF clrBack, COLORREF clrText);
    void SetTabIcon(int iTab, HICON hIcon);

    // --- what the drawing reads
    virtual int GetTabHeight() const { return m_nTabsHeight; }
    virtual void GetTabStripRect(CRect& rect) const { rect = m_rectTabsArea; }
    virtual BOOL GetTabLabelText(int iTab, CString& strLabel) const;
    virtual int GetTabImageIndex(int iTab) const;            // -1: none
    virtual HICON GetTabIconHandle(int iTab) const;          // null: none
    virtual COLORREF GetTabBackColor(int iTab) const;        // -1: none
    virtual COLORREF GetTabTextColor(int iTab) const;        // -1: none
    virtual int GetActiveTabIndex() const { return m_iActiveTab; }
    virtual CSize GetImageSize() const { return m_sizeImage; }
    virtual HIMAGELIST GetImageListHandle() const { return m_hImageList; }
    virtual BOOL TabHasImage(int iTab) const { return GetTabImageIndex(iTab) >= 0 || GetTabIconHandle(iTab) != nullptr; }
    virtual int GetTabBorderSize() const { return m_nTabBorderSize; }
    virtual BOOL IsFlatStyle() const { return m_bFlat; }
    virtual BOOL IsCloseOnActiveTab() const { return m_bActiveTabCloseButton; }
    virtual BOOL IsStyleCode4() const { return FALSE; }
    virtual BOOL IsStyleCode5() const { return FALSE; }
    virtual BOOL IsStyleCode6Or7() const { return FALSE; }
    virtual int GetFirstScrolledTab() const { return m_iFirstScrolledTab; }

    BOOL m_bTabsOnTop = FALSE;          // the tab row is above the pages
    BOOL m_bNoPrefix = FALSE;           // labels show "&" as it is
    BOOL m_bInDialog = FALSE;           // the tab window sits in a dialog
    CRect m_rectCloseButton;            // the close button of the active tab
    BOOL m_bCloseHighlighted = FALSE;
    BOOL m_bClosePressed = FALSE;
    BOOL m_bFullLengthLine = FALSE;     // the line under the tabs runs the full width
    BOOL m_bFlat = FALSE;
    BOOL m_bActiveTabCloseButton = FALSE;
    BOOL m_bHideSingleTab = FALSE;
    int m_nTabsHeight = 0;
    int m_nTabBorderSize = 0;
    int m_iActiveTab = -1;
    int m_iFirstScrolledTab = 0;
    CRect m_rectTabsArea;               // the visible part of the tab row
    CRect m_rectWndArea;                // where the active tab's window is shown
    CSize m_sizeImage;
    HIMAGELIST m_hImageList = nullptr;

protected:
    struct TabInfo {
        CWnd* pWnd = nullptr;
        CString strLabel;
        int iImage = -1;
        HICON hIcon = nullptr;
        COLORREF clrBack = (COLORREF)-1;
        COLORREF clrText = (COLORREF)-1;
        BOOL bDetachable = TRUE;
        BOOL bVisible = TRUE;
    };
    const TabInfo* GetTab(int iTab) const;

    CArray<TabInfo*, TabInfo*> m_tabs;
};

class CZUDPTabWnd : public CZUDPBaseTabWnd {
    DECLARE_DYNCREATE(CZUDPTabWnd)
public:
    CZUDPTabWnd() = default;

    // Creates the tab window with a style code (0-7); location 1 puts the
    // tabs on top.
    BOOL CreateWithStyle(int nStyleCode, const RECT& rect, CWnd* pParentWnd, UINT nID, int nLocation = 0,
                         BOOL bFlat = FALSE);
    // Makes a tab active: hides the old tab's window, shows the new one in
    // the page area; FALSE for an index out of range.
    virtual BOOL ActivateTab(int iTab);
    // Scrolls the tab row so that a tab is visible.
    virtual BOOL EnsureTabVisible(int iTab);
    // Shows or hides the row's scroll and close buttons.
    void SetButtonsVisible(BOOL bVisible = TRUE) { m_bButtonsVisible = bVisible; }

    int GetStyleCode() const { return m_nStyleCode; }
    BOOL IsStyleCode4() const override { return m_nStyleCode == 4; }
    BOOL IsStyleCode5() const override { return m_nStyleCode == 5; }
    BOOL IsStyleCode6Or7() const override { return m_nStyleCode == 6 || m_nStyleCode == 7; }

    BOOL m_bButtonsVisible = TRUE;

protected:
    int m_nStyleCode = 0;
};
