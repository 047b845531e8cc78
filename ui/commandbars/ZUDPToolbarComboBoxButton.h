#pragma once
// CZUDPToolbarComboBoxButton: a toolbar button that hosts a combo box on
// its bar.  The button keeps a model of the combo (item texts, one data
// value per item, the selection and the edit text) that lives on while the
// button has no window: copied in customization, archived, moved to
// another bar.  Entering a bar creates the combo there and fills it from
// the model; archiving or copying reads the model back from the window.
// Every button of the same command on the live toolbars stays in step.
//
// In the flat look (g_flatComboButtons) the combo window stays hidden and
// serves as the list and the source of notifications; the button draws
// frame, edit area and drop button through the visual manager, and a
// drop-down combo gets a CZUDPComboEdit over the edit area.  In the native
// look the combo window is shown and draws itself.  On vertical bars the
// button is an ordinary image button.
//
// Item data are application values: the archive keeps 32 bits of each, so
// no pointer survives an archive.  A default-constructed button has no
// window, bar or command: the dialogs build one on the stack only to hand
// it to the visual manager's combo drawing.
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "framework/List.h"

#include <vector>

class CComboBox;
class CEdit;

class CZUDPToolbarComboBoxButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CZUDPToolbarComboBoxButton)
public:
    CZUDPToolbarComboBoxButton();
    // dwStyle: the combo kind (CBS_DROPDOWN, CBS_DROPDOWNLIST, ...) and
    // other CBS_ bits; WS_CHILD | WS_VISIBLE | WS_VSCROLL are added.
    // nWidth 0: the default width.
    CZUDPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWNLIST, int nWidth = 0);
    ~CZUDPToolbarComboBoxButton() override;

    // --- the item model
    int GetCount() const { return (int)itemTexts.GetCount(); }
    // The first item equal to the text ignoring case, -1 when none.
    int FindItem(LPCTSTR lpszText) const;
    // -1: the current selection.  Null when there is no such item.
    LPCTSTR GetItemText(int iIndex) const;
    DWORD_PTR GetItemData(int iIndex) const;
    // FALSE for an index at or past the count and when the window refuses
    // the selection; a negative index clears the selection.
    BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
    // Selects the item with that text (ignoring case); FALSE when none.
    BOOL SelectItem(LPCTSTR lpszText);
    void SetHotEdit(BOOL bHot = TRUE);
    // Places the combo (and the flat edit) over the button.
    void AdjustRect();
    CComboBox* GetComboBox() const { return comboWnd; }
    const CString& GetText() const { return editText; }
    void SetText(LPCTSTR lpszText);
    const CRect& GetComboRect() const { return comboRect; }
    const CRect& GetDropButtonRect() const { return dropButtonRect; }
    BOOL IsHotEdit() const { return hotEdit; }
    int GetWidth() const { return width; }
    int GetSelIndex() const { return selIndex; }
    // Whether the flat look applies (kept as one library-wide option).
    static BOOL IsFlatLook();

    // --- overrides, in the base's order
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CZUDPToolbarButton& src) override;
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnParentChanged(CWnd* pWndParent) override;
    BOOL TakeTextFromCommandString(CZUDPToolbarMenuButton* pMenuItem) override;
    void RepositionControl() override;
    void SetWidth(int nWidth) override;
    HWND GetControlHwnd() const override;
    BOOL HasEmbeddedControl() const override { return TRUE; }
    BOOL NotifyControlEvent(int nEvent) override;
    void SyncWithOtherCopies() override;
    HBRUSH GetCtlColorBrush(CDC* pDC, UINT nCtlColor) override;
    void UpdateFont() override;
    int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void ShowControl(BOOL bShow) override;
    void SetStyle(UINT nStyle) override;
    void EnableControl(BOOL bEnable) override;
    BOOL IsControlVisible() const override;
    BOOL OwnsWindow(HWND hWnd) const override;
    BOOL HasFocus() const override;
    BOOL UpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip, CString& strTipText) override;
    BOOL FillAccessibilityData(CWnd* pWndBar, CZUDPAccessibleInfo& data) override;
    LRESULT SetOnGlass(BOOL bOnGlass) override;

    // --- new virtual operations
    virtual int AddItem(LPCTSTR lpszItem, DWORD_PTR dwData = 0);
    virtual int AddSortedItem(LPCTSTR lpszItem, DWORD_PTR dwData = 0);
    virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);
    virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect, DWORD dwEditStyle);
    virtual CEdit* GetEditCtrl() { return editWnd; }
    // Hooks around the data list: after it was filled from another button
    // or an archive, and before it is emptied.
    virtual void CopyItemData() {}
    virtual void ReleaseItemData() {}
    virtual int CompareItems(const CString& strItem1, const CString& strItem2) const;
    // The grey prompt of an empty, unfocused flat edit.
    virtual CString GetPrompt() const { return CString(); }

    // Empties the model and the window.
    void RemoveAllItems();

    // --- fields, in order
    DWORD comboStyle = 0x50200403;
    CComboBox* comboWnd = nullptr;   // owned
    CEdit* editWnd = nullptr;        // owned; flat look, drop-down combos only
    CStringList itemTexts;
    CList<DWORD_PTR, DWORD_PTR> itemData;
    int width = 150;
    int selIndex = -1;
    BOOL horizontal = TRUE;
    CString editText;
    CRect comboRect;                 // bar client coordinates
    CRect dropButtonRect;
    int dropDownHeight = 150;
    BOOL hotEdit = FALSE;
    UINT contextMenuId = 0;          // first sub-menu: the flat edit's context menu

private:
    // Lookup aids for AddSortedItem, so that filling a long list one sorted
    // item at a time costs a binary search per item: the items' positions
    // in list order (text and data), the text positions ordered ignoring
    // case (duplicates), and whether the list is in CompareItems order.
    // Anything else that changes the lists drops them; the next sorted add
    // builds them again.
    void DropSortedLookup();
    BOOL SortedLookupMatches() const;
    void BuildSortedLookup();
    std::vector<POSITION> lookupTexts;
    std::vector<POSITION> lookupData;
    std::vector<POSITION> lookupFolded;
    BOOL lookupValid = FALSE;
    BOOL lookupInOrder = FALSE;

protected:
    void Initialize();
    BOOL HasTextLabel() const { return textBelowImage && !text.IsEmpty(); }
    BOOL IsControlDisabled() const;
    void DestroyWindows();
    // The lists again from the window: what was added to it directly too.
    void ReadModelFromWindow();
    void InvalidateComboRect(BOOL bUpdateNow);
    // The other copies of this command on the live toolbars.
    template <typename Fn> void ForOtherCopies(Fn fn);
};

// Library-wide options of the combo buttons.
// The flat look; TRUE by default, never changed by the library.  The flat
// edit then takes Tab, Escape, Up and Down itself.
extern BOOL& g_flatComboButtons;
// A combo without a text label is centred vertically in its row.
extern BOOL g_centerComboButtons;
