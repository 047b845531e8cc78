#pragma once
// The library's edit list: an editable one-column list under a caption bar
// that shows a text on the left and small flat buttons on the right (New,
// Delete, Move Item Up, Move Item Down, or buttons of the user's own), each
// with a tooltip naming its key.  Items are edited in place by a second
// click on the selected item, a double click, Space or F2; the in-place
// edit can show a browse button.
//
// CZUDPEditListBase (a static window) holds the caption bar, the buttons
// and the editing rules and leaves the storage of the items to a derived
// class; CZUDPEditListBox keeps them in an inner report-view list;
// CZUDPEditListEdit is the in-place edit.
#include "ui/controls/ZUDPEdit.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/win/Controls.h"
#include "framework/win/GdiObject.h"

#include <vector>

class CDC;
class CListCtrl;
class CZUDPButton;
class CZUDPEditListBase;

// The commands of the standard caption buttons.
enum EditListCommand {
    EditListCommand_New = -11,
    EditListCommand_Delete = -12,
    EditListCommand_MoveUp = -13,
    EditListCommand_MoveDown = -14,
};

// The standard caption buttons (AddStandardButtons).
enum EditListButtons {
    EditListButton_New = 0x01,
    EditListButton_Delete = 0x02,
    EditListButton_MoveUp = 0x04,
    EditListButton_MoveDown = 0x08,
};

// The in-place edit of an edit list.
class CZUDPEditListEdit : public CZUDPEdit {
    DECLARE_DYNCREATE(CZUDPEditListEdit)
public:
    CZUDPEditListEdit() = default;

    // Binds the edit to its list while a label is edited: its width then
    // stays what it was when editing began.
    void BindToList(CZUDPEditListBase* pParentList) { m_pParentList = pParentList; m_bLocked = TRUE; }
    void Unbind() { m_pParentList = nullptr; m_bLocked = FALSE; }
    BOOL IsEditing() const { return m_bLocked; }

    // The browse button asks the list, then gives the list the focus back.
    void OnBrowse() override;

protected:
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    // While a label is edited the frame keeps its client area as it is.
    LRESULT OnNcCalcSizeMessage(WPARAM wParam, LPARAM lParam);

    BOOL m_bLocked = FALSE;
    CZUDPEditListBase* m_pParentList = nullptr;

    DECLARE_MESSAGE_MAP()
};

class CZUDPEditListBase : public CStatic {
    DECLARE_DYNAMIC(CZUDPEditListBase)
public:
    CZUDPEditListBase();
    ~CZUDPEditListBase() override;

    // A caption button with a bitmap resource, a tooltip (its key's name is
    // added), a key (virtual key with FSHIFT, FCONTROL, FALT flags; 0 for
    // none) and a command (EditListCommand or a value of the caller's; 0
    // for none).  FALSE without a window or when the button cannot be made.
    BOOL AddButton(UINT uiImageResId, LPCTSTR lpszTooltip = nullptr, WORD wKeyAccelerator = 0, BYTE fVirt = 0,
                   int nCommand = 0);
    // The standard buttons of the bits (EditListButtons), with the
    // library's images and tooltips.  FALSE without a window.
    BOOL AddStandardButtons(UINT uiButtons = EditListButton_New | EditListButton_Delete | EditListButton_MoveUp |
                                             EditListButton_MoveDown);
    // The in-place edit shows a "..." button that calls OnBrowseItem.
    void EnableBrowseButton(BOOL bEnable = TRUE) { m_bBrowseButton = bEnable; }
    BOOL HasBrowseButton() const { return m_bBrowseButton; }
    // Caption buttons added from now on look grey while disabled (the
    // buttons of a disabled list always do).
    void SetGrayDisabledButtons(BOOL bGray = TRUE) { m_bGrayDisabledButtons = bGray; }

    int GetButtonCount() const { return (int)m_lstButtons.GetCount(); }
    CZUDPButton* GetButton(int iButton) const;
    // The button's key: virtual key in the low word, flags in the high word.
    DWORD GetButtonKey(int iButton) const;
    // The button's command, 0 when it has none.
    int GetButtonCommand(int iButton) const;
    // The button's tooltip text (with its key's name).
    CString GetButtonToolTip(int iButton) const;
    const CRect& GetCaptionRect() const { return m_rectCaption; }
    UINT GetStandardButtons() const { return m_uiStandardButtons; }
    BOOL IsVisualManagerStyle() const { return m_bVisualManagerStyle; }

    // --- items (in this order after those of CStatic)
    virtual int AddItem(const CString& strText, DWORD_PTR dwData = 0, int iIndex = -1) = 0;
    virtual BOOL RemoveItem(int iIndex) = 0;
    virtual int GetCount() const = 0;
    virtual int GetSelItem() const = 0;
    virtual BOOL SelectItem(int iItem) = 0;
    virtual CString GetItemText(int iIndex) const = 0;
    virtual void SetItemText(int iIndex, const CString& strText) = 0;
    virtual DWORD_PTR GetItemData(int iIndex) const = 0;
    virtual void SetItemData(int iIndex, DWORD_PTR dwData) = 0;
    virtual BOOL EditItem(int iIndex) = 0;

    // --- what happens and what a derived list may change
    virtual void OnClickButton(int iButton);
    virtual void OnKey(WORD wKey, BYTE fFlags);
    // A label edit ended: its text, or null when it was cancelled.
    virtual void OnEndEdit(LPCTSTR lpszLabel);
    // The image of an item (-1: none).
    virtual int GetItemImage(int iIndex) const { return -1; }
    virtual void OnSelectionChanged() {}
    virtual BOOL OnBeforeRemoveItem(int iIndex) { return TRUE; }
    virtual void OnAfterAddItem(int iIndex) {}
    virtual void OnAfterRenameItem(int iIndex) {}
    virtual void OnAfterMoveItemUp(int iIndex) {}
    virtual void OnAfterMoveItemDown(int iIndex) {}
    // The in-place edit's browse button was clicked.
    virtual void OnBrowseItem() {}
    // An empty item at the end, edited at once.
    virtual void AddNewItem();
    virtual HWND GetListWindow() const = 0;
    virtual CWnd* CreateList() = 0;
    virtual void AdjustLayout() = 0;

    // Every caption button enabled again (the end of an edit) or disabled
    // (while one runs).
    void EnableButtons(BOOL bEnable);

protected:
    void PreSubclassWindow() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void Initialize();
    void LayoutList();
    // The caption bar into a DC (frame and text).
    void PaintCaption(CDC* pDC);
    HFONT GetListFont() const;
    int FindButton(HWND hWndButton) const;
    // Clicks the button whose key and modifiers are these; FALSE when none
    // has them.
    BOOL ClickButtonByKey(WORD wKey, BYTE fFlags);
    static BYTE CurrentModifiers();
    void MoveSelectedItem(BOOL bUp);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnEnable(BOOL bEnable);
    UINT OnGetDlgCode();
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetControlVMMode(WPARAM wParam, LPARAM lParam);

    CList<CZUDPButton*, CZUDPButton*> m_lstButtons;
    CList<DWORD, DWORD> m_lstKeyAccell;
    CMap<int, int, int, int> m_mapButtonIDs;
    CSize m_sizeButton;
    CRect m_rectCaption;
    UINT m_uiStandardButtons = 0;
    BOOL m_bNewItem = FALSE;
    CFont m_font;
    BOOL m_bIsActualDelete = TRUE;
    BOOL m_bBrowseButton = FALSE;
    BOOL m_bGrayDisabledButtons = FALSE;
    CString m_strCaption;
    BOOL m_bDefaultCaption = TRUE;
    BOOL m_bVisualManagerStyle = FALSE;

    // The caption buttons' tooltip texts, in button order.
    std::vector<CString> m_buttonTips;

    DECLARE_MESSAGE_MAP()
};

class CZUDPEditListBox : public CZUDPEditListBase {
    DECLARE_DYNCREATE(CZUDPEditListBox)
public:
    CZUDPEditListBox();
    ~CZUDPEditListBox() override;

    int AddItem(const CString& strText, DWORD_PTR dwData = 0, int iIndex = -1) override;
    BOOL RemoveItem(int iIndex) override;
    int GetCount() const override;
    int GetSelItem() const override;
    BOOL SelectItem(int iItem) override;
    CString GetItemText(int iIndex) const override;
    void SetItemText(int iIndex, const CString& strText) override;
    DWORD_PTR GetItemData(int iIndex) const override;
    void SetItemData(int iIndex, DWORD_PTR dwData) override;
    BOOL EditItem(int iIndex) override;
    HWND GetListWindow() const override;
    CWnd* CreateList() override;
    void AdjustLayout() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CListCtrl* GetList() const { return m_pWndList; }
    CZUDPEditListEdit& GetInPlaceEdit() { return m_wndEdit; }

protected:
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);

    CListCtrl* m_pWndList = nullptr;
    CPoint m_ptClick = CPoint(-1, -1);
    CZUDPEditListEdit m_wndEdit;

    DECLARE_MESSAGE_MAP()
};
