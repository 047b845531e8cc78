#pragma once
// The customization sheet: a modeless property sheet with which the user
// customizes the command bars of one frame.  It owns its pages, builds the
// catalogue of commands the pages show (buttons grouped by category, from
// the document templates' menus, the frame's menu and the user tools),
// and while its window exists the whole library is in customization mode.
// g_customizeSheet is the sheet whose window is open.
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/String.h"
#include "framework/win/PropertySheet.h"
#include "ui/controls/ZUDPButton.h"

class CFrameWnd;
class CListBox;
class CComboBox;
class CMenu;
class CZUDPToolBar;
class CZUDPToolbarButton;
class CZUDPCustomizePage;
class CZUDPToolbarsPage;
class CZUDPOptionsPage;

// Option bits of the sheet.
enum : UINT {
    ZUDP_CUSTOMIZE_MENU_SHADOWS = 0x001,      // the Menu page shows "Menu shadows"
    ZUDP_CUSTOMIZE_TEXT_LABELS = 0x002,       // the Toolbars page shows "Show text labels"
    ZUDP_CUSTOMIZE_LOOK2000 = 0x004,          // the Options page shows "Look 2000"
    ZUDP_CUSTOMIZE_MENU_ANIMATIONS = 0x008,   // the Menu page shows the menu animations
    ZUDP_CUSTOMIZE_NOHELP = 0x010,            // no Help button
    ZUDP_CUSTOMIZE_CONTEXT_HELP = 0x020,      // "?" caption button and per-control help
    ZUDP_CUSTOMIZE_NOTOOLS = 0x080,           // no Tools page
    ZUDP_CUSTOMIZE_MENU_AMPERS = 0x100,       // catalogue texts keep their "&"
    ZUDP_CUSTOMIZE_NO_LARGE_ICONS = 0x200,    // the Options page offers no "Large Icons"
};

class CZUDPToolbarCustomize : public CPropertySheet {
    DECLARE_DYNAMIC(CZUDPToolbarCustomize)
public:
    // Does not create the window.  lstCustomPages: runtime classes of
    // further pages (CPropertyPage or derived), added before Options.
    CZUDPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE,
                          UINT uiFlags = ZUDP_CUSTOMIZE_MENU_SHADOWS | ZUDP_CUSTOMIZE_TEXT_LABELS |
                                         ZUDP_CUSTOMIZE_LOOK2000 | ZUDP_CUSTOMIZE_MENU_ANIMATIONS,
                          CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages = nullptr);
    ~CZUDPToolbarCustomize() override;

    // The catalogue.
    void AddButton(LPCTSTR lpszCategory, const CZUDPToolbarButton& button, int iInsertBefore = -1);
    void AddMenuCommands(const CMenu* pMenu, BOOL bPopup, LPCTSTR lpszCategory = nullptr,
                         LPCTSTR lpszMenuPath = nullptr);
    BOOL SetupFromMenus();
    BOOL AddUserTools(LPCTSTR lpszCategory);
    void FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    void FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    virtual void FillAllCommandsList(CListBox& wndListOfCommands) const;
    LPCTSTR GetCommandName(UINT uiCmd) const;
    int GetCountInCategory(LPCTSTR lpszItemName, const CObList& lstCommands) const;

    // The buttons of a category (null when there is none); the category
    // names in order of first appearance, without "All Commands".
    CObList* GetCategoryButtons(LPCTSTR lpszCategory) const;
    const CStringList& GetCategoryNames() const { return m_ButtonsByName; }
    const CString& GetAllCommandsCategory() const { return m_strAllCommands; }

    void SetFrameCustMode(BOOL bCustMode);
    void ShowToolBar(CZUDPToolBar* pToolBar, BOOL bShow);

    // Hooks for derived sheets.
    virtual void OnInitToolsPage() {}
    virtual void OnBeforeChangeTool(CObject* pSelTool) { (void)pSelTool; }
    virtual void OnAfterChangeTool(CObject* pSelTool) { (void)pSelTool; }
    virtual BOOL CheckToolsValidity(const CObList& lstTools) { (void)lstTools; return TRUE; }
    virtual BOOL OnAssignKey(ACCEL* pAccel) { (void)pAccel; return TRUE; }
    // Creates the window and enters customization mode.
    virtual BOOL Create();
    virtual BOOL OnEditToolbarMenuImage(CWnd* pWndParent, CBitmap& bitmap, int nBitsPerPixel);

    UINT GetFlags() const { return m_uiFlags; }
    CFrameWnd* GetParentFrame() const { return m_pParentFrame; }
    CZUDPCustomizePage* GetCommandsPage() const { return m_pCustomizePage; }
    CZUDPToolbarsPage* GetToolbarsPage() const { return m_pToolbarsPage; }
    CZUDPOptionsPage* GetOptionsPage() const { return m_pOptionsPage; }
    CPropertyPage* GetKeyboardPage() const { return m_pKeyboardPage; }
    CPropertyPage* GetMenuPage() const { return m_pMenuPage; }
    CPropertyPage* GetMousePage() const { return m_pMousePage; }
    CPropertyPage* GetToolsPage() const { return m_pToolsPage; }

    // Whether the frame has a library menu bar.
    static BOOL FrameHasMenuBar(CFrameWnd* pFrame);

    BOOL OnInitDialog() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CMapStringToPtr m_ButtonsByCategory{10};   // name -> CObList* of owned buttons
    CStringList m_ButtonsByName{10};
    CZUDPCustomizePage* m_pCustomizePage = nullptr;
    CZUDPToolbarsPage* m_pToolbarsPage = nullptr;
    CPropertyPage* m_pKeyboardPage = nullptr;
    CPropertyPage* m_pMenuPage = nullptr;
    CPropertyPage* m_pMousePage = nullptr;
    CZUDPOptionsPage* m_pOptionsPage = nullptr;
    CPropertyPage* m_pToolsPage = nullptr;
    CObList m_listCustomPages{10};
    CString m_strAllCommands;
    CFrameWnd* m_pParentFrame = nullptr;
    BOOL m_bAutoSetFromMenus = FALSE;
    UINT m_uiFlags = 0;
    BOOL m_bMenuAmpersand = FALSE;
    CZUDPButton m_btnHelp;

private:
    void OnHelpRequest();
};

// The sheet whose window is open, null otherwise.
extern CZUDPToolbarCustomize* g_customizeSheet;
// The help ids of the customization pages' controls (control id, help id),
// ended by a zero pair.
extern const DWORD g_customizeHelpIds[];
