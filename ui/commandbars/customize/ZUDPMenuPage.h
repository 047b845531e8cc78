#pragma once
// The customization sheet's Menu page: which menu the frame's menu bar
// shows while it is customized (a document type's shared menu or the
// default menu), a preview popup of a registered context menu that can be
// edited like the bar, resets of both to their resources, and the menu
// animation and shadow options.
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/Controls.h"
#include "framework/win/PropertySheet.h"

class CDocTemplate;
class CFrameWnd;
class CZUDPCustomizePageHost;
class CZUDPMenuBar;
class CZUDPPopupMenu;

class CZUDPMenuPage : public CPropertyPage {
    DECLARE_DYNAMIC(CZUDPMenuPage)
public:
    explicit CZUDPMenuPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
    ~CZUDPMenuPage() override;

    void SetCustomizeHost(CZUDPCustomizePageHost* pHost) { m_pHost = pHost; }
    // The bar to edit; without one the first live menu bar is taken.
    void SetMenuBar(CZUDPMenuBar* pMenuBar);

    // The menu bar switched to the template's menu (null: the default
    // menu) while customizing; FALSE when the page does not list it.
    BOOL SelectMenu(CDocTemplate* pTemplate, BOOL bSaveCurrent = TRUE);
    // The context preview popup is going away.
    void CloseContextMenu(CZUDPPopupMenu* pMenu);

    // The bar the page edits, null when there is none or it was destroyed
    // meanwhile.
    CZUDPMenuBar* GetMenuBar();
    CZUDPPopupMenu* GetContextMenu() const { return m_pContextMenu; }
    HMENU GetSelectedMenu() const { return m_hmenuSelected; }
    HMENU GetCurrentMenu() const { return m_hmenuCurr; }
    // Where the context preview opens (screen), the same for every page of
    // the process.
    static CPoint& ContextMenuPosition();

    CStatic m_wndMenuAnimationsLabel;
    CComboBox m_wndMenuAnimations;
    CButton m_wndMenuShadows;
    CStatic m_wndContextFrame;
    CStatic m_wndContextHint;
    CButton m_wndResetMenuButton;
    CStatic m_wndContextMenuCaption;
    CComboBox m_wndContextMenus;
    CStatic m_wndIcon;
    CComboBox m_wndMenuesList;
    CString m_strMenuDescr;
    CString m_strContextMenuName;
    CString m_strMenuName;
    int m_iMenuAnimationType;
    BOOL m_bMenuShadows;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnDestroy();
    void OnSelchangeMenuList();
    void OnSelchangeContextMenu();
    void OnResetFrameMenu();
    void OnResetContextMenu();

    void SaveContextMenu();
    void SaveBarUnder(HMENU hMenu);
    void ShowIcon(HICON hIcon);

    CZUDPMenuBar* m_pMenuBar = nullptr;
    HWND m_hWndMenuBar = nullptr;         // the bar's window when the page took it
    HMENU m_hmenuCurr = nullptr;
    HMENU m_hmenuSelected = nullptr;
    CZUDPPopupMenu* m_pContextMenu = nullptr;
    UINT m_uiContextMenuResId = 0;
    BOOL m_bIsDefaultMenuActive = FALSE;
    BOOL m_bAutoSet;
    CFrameWnd* m_pParentFrame;
    CZUDPCustomizePageHost* m_pHost = nullptr;

    DECLARE_MESSAGE_MAP()
};
