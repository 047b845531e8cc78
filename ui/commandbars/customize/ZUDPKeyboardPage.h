#pragma once
// The customization sheet's Keyboard page: shortcut keys of commands, per
// accelerator table (the frame's "Default" table or a document type's),
// applied at once to the live tables through the keyboard manager; and
// CKeyAssign, the edit field that captures one key combination.
#include "framework/String.h"
#include "framework/win/Controls.h"
#include "framework/win/PropertySheet.h"
#include "ui/foundation/ZUDPKeyHelper.h"

#include <vector>

class CFrameWnd;
class CMultiDocTemplate;
class CZUDPCustomizePageHost;
class CZUDPToolbarButton;

class CKeyAssign : public CEdit {
    DECLARE_DYNAMIC(CKeyAssign)
public:
    CKeyAssign();
    ~CKeyAssign() override;

    // Forgets the combination and empties the field.
    void ResetKey();
    BOOL IsKeyDefined() const { return m_bIsDefined; }
    // The combination (flags and key; the command is left 0).
    ACCEL const* GetAccel() const { return &m_Accel; }

    // Key and mouse messages compose the combination; the field's text
    // shows it.  Tab alone moves on, Esc alone clears.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void SetAccelFlag(BYTE bFlag, BOOL bOn);
    void OnKillFocus(CWnd* pNewWnd);

    BOOL m_bIsDefined = FALSE;
    ACCEL m_Accel = {};
    CZUDPKeyHelper m_Helper;
    BOOL m_bIsFirstPress = FALSE;   // seen-first-key: the first key after the focus came only arms the field

    DECLARE_MESSAGE_MAP()
};

class CZUDPKeyboardPage : public CPropertyPage {
    DECLARE_DYNAMIC(CZUDPKeyboardPage)
public:
    explicit CZUDPKeyboardPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
    ~CZUDPKeyboardPage() override;

    void SetAllCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory != nullptr ? lpszCategory : ""; }
    // The sheet's catalogue and hooks; without one the parent sheet is
    // asked, and without that the catalogue is empty.
    void SetCustomizeHost(CZUDPCustomizePageHost* pHost) { m_pHost = pHost; }

    // Lists the entry's key text in the current keys, item data = entry.
    void AddKeyEntry(LPACCEL pEntry);

    // The working copy of the table shown (tests compare it with the live
    // table).
    const std::vector<ACCEL>& GetWorkingTable() const { return m_lpAccel; }
    HACCEL GetSelectedTable() const { return m_hAccelTable; }

    // Controls (their windows exist while the page does).
    CStatic m_wndAssignedToTitle;
    CKeyAssign m_wndNewKey;
    CComboBox m_wndViewTypeList;
    CStatic m_wndViewIcon;
    CButton m_wndRemoveButton;
    CListBox m_wndCurrentKeysList;
    CListBox m_wndCommandsList;
    CComboBox m_wndCategoryList;
    CButton m_wndAssignButton;
    CString m_strDescription;
    CString m_strAssignedTo;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSelchangeCategory();
    void OnSelchangeCommandsList();
    void OnSelchangeCurrentKeysList();
    void OnSelchangeViewType();
    void OnUpdateNewShortcutKey();
    void OnAssign();
    void OnRemove();
    void OnResetAll();

    CZUDPCustomizePageHost* GetHost();
    // Installs the working copy as the live table of the selected template
    // (or of the frame).
    void InstallWorkingTable();
    void ShowViewIcon(HICON hIcon);

    HACCEL m_hAccelTable = nullptr;
    std::vector<ACCEL> m_lpAccel;   // the working copy of the table shown
    CMultiDocTemplate* m_pSelTemplate = nullptr;
    CZUDPToolbarButton* m_pSelButton = nullptr;
    LPACCEL m_pSelEntry = nullptr;
    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSet;
    CString m_strAllCategory;
    CZUDPCustomizePageHost* m_pHost = nullptr;

    DECLARE_MESSAGE_MAP()
};
