#pragma once
// CZUDPBaseTabWnd: the abstract base of the library's tab windows.  It keeps
// the ordered tabs, each tied to one child window (or to none), decides
// which tab is active and which are visible, owns the tabs' labels, images,
// icons, colours, ids and tooltip tools, and tells its parent and the
// frame about activation with registered messages.  It also carries the
// user interaction every tab window shares (activating by mouse, the close
// button, hot tracking, moving a tab along the strip, renaming in place,
// tooltips the owner may word, the drop target), its saved state and
// automatic colours.  Layout, painting, scrolling and the activation
// itself belong to the derived window (CZUDPTabWnd), through the pure
// operations.
//
// Sources: ZUDPBaseTabWnd.cpp (tabs and their operations),
// ZUDPBaseTabWndInput.cpp (mouse, moving, renaming, tooltips, drop target),
// ZUDPBaseTabWndState.cpp (saved state, automatic colours, images).
#include "ui/commandbars/ZUDPWnd.h"
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/String.h"
#include "framework/win/Controls.h"
#include "framework/win/GdiObject.h"
#include "framework/win/ImageList.h"
#include "framework/win/Ole.h"

#include <commctrl.h>

class CArchive;
class CZUDPBaseTabWnd;

// The margin round a tab's image, library-wide, in pixels.
extern int g_tabImageMargin;

// Where a tab window's strip lies: the named values are stored in saved
// tab state and passed by callers (never the bare numbers).
enum ZUDPTabLocation {
    TabLocationBottom = 0,
    TabLocationTop = 1,
};

// One tab.
class CZUDPTabInfo : public CObject {
public:
    CZUDPTabInfo(const CString& strLabel, int iImage, CWnd* pWnd, int iTabID, BOOL bDetachable);
    // Destroys the tab's own icon.
    ~CZUDPTabInfo() override;
    CZUDPTabInfo(const CZUDPTabInfo&) = delete;
    CZUDPTabInfo& operator=(const CZUDPTabInfo&) = delete;

    // The tab's own icon: the record keeps a copy and destroys the old one.
    void SetIcon(HICON hIcon);

    CString m_strText;                 // the label
    int m_iImage = -1;                 // index in the tab image list, -1 none
    HICON m_hIcon = nullptr;           // owned
    CRect m_rect;                      // place in the strip (client coordinates)
    BOOL m_bVisible = TRUE;            // hidden tabs take no place
    CWnd* m_pWnd = nullptr;            // shown while the tab is active; may be null
    BOOL m_bIsListView = FALSE;        // the window is a list view
    int m_nFullWidth = 0;              // unshrunk width, set by the layout
    int m_iTabID = 0;                  // unique in the tab window; the tooltip tool id
    COLORREF m_clrText = (COLORREF)-1; // -1: default
    COLORREF m_clrBack = (COLORREF)-1; // -1: default or automatic
    BOOL m_bIconOnly = FALSE;          // the label is not shown (reads as "")
    BOOL m_bAlwaysShowToolTip = FALSE; // the label is the tooltip even when shown
    BOOL m_bIsDetachable = FALSE;      // the tab's pane may float out
    CRect m_rectToolTip;               // the tooltip tool's rectangle as last given
};

// One tab as saved: matched by its window's control id when applied.
struct CZUDPRestoredTabInfo {
    CString m_strText;
    BOOL m_bVisible = TRUE;
    int m_nControlID = 0;
    BOOL m_bDetachable = FALSE;
    COLORREF m_clrText = (COLORREF)-1;
    COLORREF m_clrBack = (COLORREF)-1;
};

// What the owner answers to ZUDM_ON_GET_TAB_TOOLTIP (one record serves the
// process; its text is emptied before each request).
struct CZUDPTabToolTipInfo {
    CString m_strText;
    CZUDPBaseTabWnd* m_pTabWnd = nullptr;
    int m_nTabIndex = -1;
};

// The tab window's OLE drop target: it reacts only to toolbar buttons
// dragged during toolbar customization; any other drag activates the tab
// under the cursor and is never dropped.
class CZUDPTabDropTarget : public COleDropTarget {
public:
    CZUDPTabDropTarget() = default;

    BOOL Register(CZUDPBaseTabWnd* pOwner);

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, DROPEFFECT dropList,
                        CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;

    // Whether a drag carries a toolbar button while toolbar customization
    // runs (the only drags the owner is asked about).
    static BOOL IsCustomizationDrag(COleDataObject* pDataObject);

    CZUDPBaseTabWnd* m_pOwner = nullptr;
};

class CZUDPBaseTabWnd : public CZUDPWnd {
    DECLARE_DYNAMIC(CZUDPBaseTabWnd)
public:
    CZUDPBaseTabWnd();
    ~CZUDPBaseTabWnd() override;

    // Detach modes.
    enum { DetachByProgram = 0, DetachByDrag = 1, DetachByDoubleClick = 2 };

    // --- Virtual operations, in slot order --------------------------------
    /*  1 */ virtual BOOL IsPtInTabArea(CPoint point) const = 0;
    /*  2 */ virtual void GetTabAreaRects(CRect& rectTop, CRect& rectBottom) const = 0;
    /*  3 */ virtual BOOL SetImageListHandle(HIMAGELIST hImageList);
    /*  4 */ virtual BOOL LoadImageList(UINT uiBitmapId, int cx, COLORREF clrMask);
    /*  5 */ virtual void ClearImageList();
    /*  6 */ virtual void RecalcTabHeight();
    /*  7 */ virtual int GetTabHeight() const { return m_nTabsHeight; }
    /*  8 */ virtual void GetTabStripRect(CRect& rect) const { rect.SetRectEmpty(); }
    /*  9 */ virtual void RecalcLayout() = 0;
    /* 10 */ virtual int AppendTabWithResourceLabel(CWnd* pWnd, UINT uiLabelId, int iImage = -1,
                                                    BOOL bDetachable = TRUE);
    // Refuses a window with control id -1 (answer -1); else the new index.
    /* 11 */ virtual int AppendTab(CWnd* pWnd, LPCTSTR lpszLabel, int iImage = -1, BOOL bDetachable = TRUE);
    /* 12 */ virtual int InsertTabWithResourceLabel(CWnd* pWnd, UINT uiLabelId, int nInsertAt, int iImage = -1,
                                                    BOOL bDetachable = TRUE);
    // nInsertAt below 0 or past the end appends; answers the new index.
    /* 13 */ virtual int InsertTabAt(CWnd* pWnd, LPCTSTR lpszLabel, int nInsertAt, int iImage = -1,
                                     BOOL bDetachable = TRUE);
    /* 14 */ virtual BOOL RemoveTabAt(int iTab, BOOL bRecalcLayout = TRUE);
    /* 15 */ virtual void RemoveEveryTab();
    /* 16 */ virtual BOOL DetachTabPane(int nMode, int iTab, BOOL bFloat);
    /* 17 */ virtual int CountVisibleTabs() const;
    /* 18 */ virtual BOOL ShowTabAt(int iTab, BOOL bShow = TRUE, BOOL bRecalcLayout = TRUE, BOOL bActivate = FALSE);
    /* 19 */ virtual int GetTabCount() const { return m_iTabsNum; }
    /* 20 */ virtual CWnd* GetTabWindow(int iTab) const;
    /* 21 */ virtual CWnd* GetTabWindowUnwrapped(int iTab) const;
    /* 22 */ virtual BOOL GetTabRectAt(int iTab, CRect& rect) const;
    /* 23 */ virtual BOOL GetTabLabelText(int iTab, CString& strLabel) const;
    /* 24 */ virtual BOOL SetTabLabelText(int iTab, LPCTSTR lpszLabel);
    /* 25 */ virtual int GetTabImageIndex(int iTab) const;
    /* 26 */ virtual BOOL SetTabImageIndex(int iTab, int iImage);
    /* 27 */ virtual BOOL IsTabIconOnly(int iTab) const;
    /* 28 */ virtual BOOL SetTabIconOnly(int iTab, BOOL bIconOnly = TRUE, BOOL bAlwaysShowToolTip = FALSE);
    /* 29 */ virtual BOOL SetTabIconHandle(int iTab, HICON hIcon);
    /* 30 */ virtual HICON GetTabIconHandle(int iTab) const;
    /* 31 */ virtual COLORREF GetTabBackColor(int iTab) const;
    /* 32 */ virtual BOOL SetTabBackColor(int iTab, COLORREF clr = (COLORREF)-1);
    /* 33 */ virtual COLORREF GetTabTextColor(int iTab) const;
    /* 34 */ virtual BOOL SetTabTextColor(int iTab, COLORREF clr = (COLORREF)-1);
    /* 35 */ virtual int GetTabFullWidth(int iTab) const;
    /* 36 */ virtual BOOL IsTabDetachable(int iTab) const;
    /* 37 */ virtual BOOL SetTabDetachable(int iTab, BOOL bDetachable = TRUE);
    /* 38 */ virtual BOOL StartTabRename(int iTab);
    /* 39 */ virtual BOOL EndTabRename();
    /* 40 */ virtual BOOL CanRenameTab(int iTab, const CString& strNewLabel) const;
    /* 41 */ virtual void EnableTabRename(BOOL bEnable = TRUE) = 0;
    /* 42 */ virtual void AdjustRenameEditRect(CRect& rect) const = 0;
    /* 43 */ virtual int GetActiveTabIndex() const { return m_iActiveTab; }
    /* 44 */ virtual CWnd* GetActiveTabWindow() const;
    // The activation contract: FALSE for an index outside the tabs; TRUE at
    // once for the active tab; else FireActiveTabChanging may veto, the old
    // window is hidden (when windows are managed), the index stored, the
    // new window shown and laid out, and FireActiveTabChanged runs last.
    /* 45 */ virtual BOOL ActivateTab(int iTab) = 0;
    /* 46 */ virtual int HitTestTab(CPoint point) const;
    /* 47 */ virtual int FindTabByWindow(HWND hWnd) const;
    /* 48 */ virtual int FindTabById(int iTabID) const;
    /* 49 */ virtual BOOL EnsureTabVisible(int iTab);
    /* 50 */ virtual void SetActiveTabBackColor(COLORREF clr = (COLORREF)-1);
    /* 51 */ virtual void SetActiveTabTextColor(COLORREF clr = (COLORREF)-1);
    /* 52 */ virtual COLORREF GetActiveTabBackColor() const;
    /* 53 */ virtual COLORREF GetActiveTabTextColor() const;
    /* 54 */ virtual CSize GetImageSize() const { return m_sizeImage; }
    // The own image list when it exists, else the outside one, else null.
    /* 55 */ virtual HIMAGELIST GetImageListHandle() const;
    /* 56 */ virtual BOOL TabHasImage(int iTab) const;
    /* 57 */ virtual void SetTabBorderSize(int nSize, BOOL bRepaint = TRUE);
    /* 58 */ virtual int GetTabBorderSize() const;
    // The window to drag for a point on the empty part of the strip (null
    // on a tab or outside the strip).
    /* 59 */ virtual CWnd* GetDragWindowAtPoint(CPoint point) const = 0;
    /* 60 */ virtual void ApplyRestoredTabs(BOOL bReorder = TRUE);
    /* 61 */ virtual CWnd* FindVisibleTabFrom(int iStart, int& iTab) const;
    /* 62 */ virtual CWnd* GetFirstVisibleTab(int& iTab) const;
    /* 63 */ virtual CWnd* GetLastVisibleTab(int& iTab) const;
    /* 64 */ virtual BOOL SwapTabs(int iFirst, int iSecond);
    /* 65 */ virtual BOOL MoveTab(int iTab, int iNewPosition);
    /* 66 */ virtual void GetLargestPaneMinSize(CSize& size) const;
    /* 67 */ virtual void OnTabSetChanged() {}
    /* 68 */ virtual LRESULT FireActiveTabChanged(int iNewTab);
    /* 69 */ virtual BOOL FireActiveTabChanging(int iNewTab);
    /* 70 */ virtual void CloseTabWindow(CWnd* pWnd);
    /* 71 */ virtual void SetTabLocation(ZUDPTabLocation location);
    /* 72 */ virtual BOOL IsTabVisible(int iTab) const;
    /* 73 */ virtual BOOL IsFlatStyle() const { return FALSE; }
    // TRUE: the close button is part of the active tab, and hot tracking
    // follows the mouse.
    /* 74 */ virtual BOOL IsCloseOnActiveTab() const { return FALSE; }
    // TRUE: the hot tab stays after a release and the strip is repainted.
    /* 75 */ virtual BOOL IsStyleCode4() const { return FALSE; }
    /* 76 */ virtual BOOL IsStyleCode5() const { return FALSE; }
    /* 77 */ virtual BOOL IsStyleCode6Or7() const { return FALSE; }
    /* 78 */ virtual BOOL IsFramed() const { return FALSE; }
    /* 79 */ virtual BOOL IsTabRenameEnabled() const { return m_bRenameEnabled; }
    /* 80 */ virtual int GetFirstScrolledTab() const { return -1; }
    /* 81 */ virtual BOOL IsHiddenForSingleTab() const { return m_bHideSingleTab; }
    /* 82 */ virtual void HideForSingleTab(BOOL bHide = TRUE);
    /* 83 */ virtual BOOL HasTabColors() const;
    /* 84 */ virtual BOOL OnTabDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    /* 85 */ virtual DROPEFFECT OnTabDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    /* 86 */ virtual void OnTabDragLeave() {}
    /* 87 */ virtual DROPEFFECT OnTabDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    /* 88 */ virtual void DestroyAllTabs();
    // -1 stands for the active tab; any other index comes back unchanged.
    /* 89 */ virtual int ResolveTabIndex(int iTab) const { return iTab == -1 ? m_iActiveTab : iTab; }
    /* 90 */ virtual CWnd* WrapWindowForTab(CWnd* pWnd, LPCTSTR lpszLabel, BOOL bDetachable);
    /* 91 */ virtual void InitAutoColors();
    /* 92 */ virtual BOOL IsActivateOnRelease() const { return m_bActivateOnRelease; }

    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- Other operations ---------------------------------------------------
    int GetTabId(int iTab) const;
    // The first tab whose window has the control id: its index and record;
    // 0 and a null record when none matches.
    int FindTabInfoByCtrlId(int nCtrlId, CZUDPTabInfo*& pTab) const;
    ZUDPTabLocation GetTabLocation() const { return m_location; }
    BOOL AreTabsAtBottom() const { return m_location == TabLocationBottom; }
    // Labels drawn with DT_NOPREFIX (an ampersand shows as itself).
    void SetLabelNoPrefix(BOOL bNoPrefix = TRUE, BOOL bRepaint = TRUE);
    // Tab tooltips asked from the owner (ZUDM_ON_GET_TAB_TOOLTIP) instead of
    // the labels; always TRUE.
    BOOL EnableCustomToolTips(BOOL bEnable = TRUE);
    // Repaints one tab at once.
    void InvalidateTab(int iTab);
    // Reorders the tabs: position j gets the tab that was at order[j].
    // FALSE unless the array is a permutation of the tab indexes.
    BOOL ReorderTabs(const CArray<int, int>& order);
    void EnableAutoColor(BOOL bEnable = TRUE);
    BOOL IsAutoColor() const { return m_bAutoColor; }
    // Replaces the automatic colours (an empty array: the default list).
    void SetAutoColors(const CArray<COLORREF, COLORREF>& colors);
    const CArray<COLORREF, COLORREF>& GetAutoColors() const { return m_arAutoColors; }
    // ClearImageList, the outside list forgotten, the icon cache emptied.
    void ResetImageList();
    // Begins moving the active tab with the mouse.
    void StartTabMove();
    // The saved tabs read by Serialize (not yet applied).
    const CList<CZUDPRestoredTabInfo*, CZUDPRestoredTabInfo*>& GetRestoredTabs() const { return m_lstRestoredTabs; }
    int GetRestoredActiveTab() const { return m_iRestoredActiveTab; }
    int GetRestoredTabLocation() const { return m_iRestoredLocation; }
    CEdit* GetRenameEdit() const { return m_pRenameEdit; }
    int GetRenameTarget() const { return m_iRenameTarget; }
    BOOL IsMovingTab() const { return m_bMoving; }
    int GetHighlightedTab() const { return m_iHighlighted; }
    int GetPressedTab() const { return m_iPressed; }
    CToolTipCtrl* GetTabToolTip() const { return m_pToolTip; }
    CToolTipCtrl* GetCloseToolTip() const { return m_pToolTipClose; }
    CZUDPTabDropTarget& GetDropTarget() { return m_DropTarget; }
    // The cursor's screen position (through the framework's seam).
    static CPoint GetCursorScreenPos();
    // The automatic colour lists, by screen depth.
    static void GetDefaultAutoColors(int nBitsPerPixel, CArray<COLORREF, COLORREF>& colors);

    // --- Flags the owners set directly -------------------------------------
    BOOL m_bWrapPlainWindows = FALSE;          // plain windows become panes (needs the wrapper pane)
    BOOL m_bActivateLastVisibleOnRemove = FALSE;
    BOOL m_bHighlightHotTab = FALSE;           // hot tracking
    BOOL m_bActivateOnRightClick = FALSE;
    BOOL m_bAutoDestroyWindow = FALSE;         // removing a tab destroys its window
    BOOL m_bHideInactiveWindow = TRUE;         // the base hides the windows of inactive tabs
    BOOL m_bActivateOnRelease = FALSE;
    BOOL m_bEnableTabMove = TRUE;              // tabs may be reordered by dragging
    BOOL m_bNoViewActivation = FALSE;          // an activated view does not become the frame's active view
    BOOL m_bMiddleClickCloses = FALSE;
    BOOL m_bReturnToPrevOnRemove = FALSE;
    CRuntimeClass* m_pWrapperClass = nullptr;  // null: the library's wrapper pane
    // Read by the visual manager's drawing.
    BOOL m_bNoPrefix = FALSE;                  // labels drawn with DT_NOPREFIX
    BOOL m_bInDialog = FALSE;                  // the tab window sits in a dialog
    BOOL m_bFullLengthLine = FALSE;            // the line under the tabs runs the full width
    CRect m_rectCloseButton;                   // the close button drawn on the active tab
    BOOL m_bCloseHighlighted = FALSE;
    BOOL m_bClosePressed = FALSE;
    int m_iCurTab = -1;                        // the tab being drawn

protected:
    CZUDPTabInfo* GetTab(int iTab) const;
    // Hands each tab's window its visible state while windows are managed.
    void HideWindowOf(CZUDPTabInfo* pTab);
    // Adds the tab's tooltip tool (its label, or callback text).
    void AddTabTool(CZUDPTabInfo* pTab, LPCRECT lpRect = nullptr);
    // Activation by the user: previous tab remembered, the activation and
    // its single announcement.  FALSE when it was refused.
    BOOL ActivateTabByUser(int iTab, BOOL bRememberPrevious);
    void EndMove();
    void CloseRenameEdit();
    BOOL IsValidTab(int iTab) const { return iTab >= 0 && iTab < m_iTabsNum; }
    // The second receiver of activation and tooltip messages: the active
    // in-place frame, else the top-level frame; null when it is the parent.
    CWnd* GetNotifiedFrame() const;
    // Sends a message to the parent and to the frame; the parent's answer
    // comes in *pParentResult.
    LRESULT NotifyParentAndFrame(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pParentResult = nullptr) const;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnMButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnSysColorChange();
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    BOOL OnNeedToolTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);

    // --- State ---------------------------------------------------------------
    ZUDPTabLocation m_location = TabLocationBottom;
    CArray<CZUDPTabInfo*, CZUDPTabInfo*> m_arTabs;  // owned, in display order
    int m_iTabsNum = 0;
    int m_iActiveTab = -1;
    int m_iMoveStartIndex = -1;         // active index when the last tab move began
    CImageList m_Images;                // own image list
    HIMAGELIST m_hImageList = nullptr;  // outside image list
    CSize m_sizeImage;
    CMap<HICON, HICON, int, int> m_mapIconIndexes;  // icon to image index, kept by derived windows
    CToolTipCtrl* m_pToolTip = nullptr;             // one tool per tab, tool id = tab id
    CToolTipCtrl* m_pToolTipClose = nullptr;        // the close button's tool (id 1)
    BOOL m_bCustomToolTips = FALSE;
    int m_iNextTabId = 1;
    int m_nTabBorderSize = 2;
    int m_nTabsHeight = 0;
    int m_iHighlighted = -1;            // the hot tab
    int m_iPressed = -1;
    BOOL m_bHideSingleTab = FALSE;
    COLORREF m_clrActiveTabBk = (COLORREF)-1;
    COLORREF m_clrActiveTabFg = (COLORREF)-1;
    CBrush m_brActiveTab;
    CFont m_fntTabs;                    // for the derived window's drawing
    CFont m_fntTabsBold;
    int m_iRenameTarget = -1;
    CEdit* m_pRenameEdit = nullptr;
    BOOL m_bRenameEnabled = FALSE;
    BOOL m_bMoving = FALSE;
    CPoint m_ptMoveStart;               // screen position where the last move began
    int m_nCursorOffset = 0;            // cursor x inside the moved tab
    CList<CZUDPRestoredTabInfo*, CZUDPRestoredTabInfo*> m_lstRestoredTabs;
    int m_iRestoredActiveTab = 0;
    int m_iRestoredLocation = TabLocationBottom;
    CZUDPTabDropTarget m_DropTarget;
    CArray<COLORREF, COLORREF> m_arAutoColors;
    BOOL m_bAutoColor = FALSE;
    BOOL m_bDefaultAutoColors = TRUE;
    int m_iPrevActive = -1;             // active before the last activation by mouse or insertion
    BOOL m_bChangeAnnounced = FALSE;    // FireActiveTabChanged ran
    BOOL m_bUserSelectedTab = FALSE;    // ActivateTab runs for the user (mouse, keys, list)
    BOOL m_bMovedSincePress = FALSE;

    DECLARE_MESSAGE_MAP()

private:
    void DeleteRestoredTabs();
};
