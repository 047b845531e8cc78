// The library's popup menus as real windows: a menu with checked, default,
// disabled and submenu items, shortcuts and a column break, with its
// submenu open; a personalized menu with its show-all item; a menu too
// tall for the screen with its scroll area; a menu that can be torn off.
#include "tests/shot/GallerySheets.h"

#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"

#include <memory>

namespace {

// The window the menus open from: a toolbar with one menu button.
class PopupSheetHost {
public:
    bool Create(const char* title, int x, int y)
    {
        if (!m_frame.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                              title, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, x, y, 260, 90, nullptr, nullptr))
            return false;
        return m_bar.CreateBar(&m_frame) != FALSE;
    }
    // A menu button over the menu (not owned: the bar deletes it).
    CZUDPToolbarMenuButton* AddMenuButton(HMENU hMenu, const char* text)
    {
        auto* pButton = new CZUDPToolbarMenuButton(0, hMenu, -1, text);
        pButton->showText = TRUE;
        if (m_bar.InsertButton(pButton) < 0) {
            delete pButton;
            return nullptr;
        }
        pButton->SetRect(CRect(2, 2, 62, 24));
        return pButton;
    }
    CWnd* Frame() { return &m_frame; }
    CZUDPToolBar* Bar() { return &m_bar; }
    ~PopupSheetHost()
    {
        if (m_bar.m_hWnd != nullptr)
            m_bar.DestroyWindow();
        if (m_frame.m_hWnd != nullptr)
            m_frame.DestroyWindow();
    }

private:
    CWnd m_frame;
    CZUDPToolBar m_bar;
};

HMENU MenuOfRows(int nRows, UINT uiFirst)
{
    HMENU hMenu = ::CreatePopupMenu();
    char szText[32];
    for (int i = 0; i < nRows; ++i) {
        wsprintfA(szText, "Row %d", i + 1);
        ::AppendMenuA(hMenu, MF_STRING, uiFirst + UINT(i), szText);
    }
    return hMenu;
}

void ClosePopup(CZUDPToolbarMenuButton* pButton)
{
    if (pButton != nullptr && pButton->openPopup != nullptr)
        pButton->CancelMode();
}

} // namespace

bool ShootPopupMenuSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    const BOOL bSavedShadows = g_menuShadows;
    const int nSavedAnimation = g_menuAnimation;
    g_menuShadows = TRUE;
    g_menuAnimation = 0;
    bool bAll = true;

    // Items in their states, a column break and an open submenu.
    {
        PopupSheetHost host;
        HMENU hSub = ::CreatePopupMenu();
        ::AppendMenuA(hSub, MF_STRING, 40201, "&Small");
        ::AppendMenuA(hSub, MF_STRING | MF_CHECKED, 40202, "&Large");
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, 40101, "&Open...\tCtrl+O");
        ::AppendMenuA(hMenu, MF_STRING, 40102, "&Save\tCtrl+S");
        ::AppendMenuA(hMenu, MF_STRING | MF_CHECKED, 40103, "Show &toolbar");
        ::AppendMenuA(hMenu, MF_STRING | MF_GRAYED, 40104, "&Paste\tCtrl+V");
        ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, "&Icons");
        ::AppendMenuA(hMenu, MF_STRING | MF_MENUBREAK, 40105, "&Refresh\tF5");
        ::AppendMenuA(hMenu, MF_STRING, 40106, "E&xit");
        ::SetMenuDefaultItem(hMenu, 40101, FALSE);
        CZUDPToolbarMenuButton* pButton = host.Create("Popup menu", 40, 40) ? host.AddMenuButton(hMenu, "&View") : nullptr;
        if (pButton != nullptr && pButton->OpenPopupMenu(host.Bar())) {
            CZUDPPopupMenu* pPopup = pButton->openPopup;
            CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
            // A menu button's popup takes its check marks from command
            // update, as a handler of the owner would set them.
            const int iChecked = pBar->FindCommandIndex(40103);
            if (iChecked >= 0)
                pBar->ChangeButtonStyle(iChecked, pBar->GetButtonAt(iChecked)->style | TBBS_CHECKED);
            pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
            pump(200);
            photograph("popup-menu-items", pPopup->m_hWnd);
            const int iSub = pBar->FindCommandIndex((UINT)-1);
            auto* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pBar->GetButtonAt(iSub));
            if (pItem != nullptr) {
                pBar->SetHotButton(iSub);
                if (pItem->OpenPopupMenu(pBar) && pItem->openPopup != nullptr) {
                    // The submenu's choice shows as a radio dot.
                    CZUDPPopupMenuBar* pSubBar = pItem->openPopup->GetMenuBar();
                    const int iRadio = pSubBar->FindCommandIndex(40202);
                    if (auto* pRadio = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pSubBar->GetButtonAt(iRadio))) {
                        pRadio->radioCheck = TRUE;
                        pSubBar->ChangeButtonStyle(iRadio, pRadio->style | TBBS_CHECKED);
                    }
                    pItem->openPopup->SendMessage(WM_KEYDOWN, VK_HOME);
                    pump(200);
                    photograph("popup-menu-submenu", pItem->openPopup->m_hWnd);
                }
            }
            ClosePopup(pButton);
        } else {
            photograph("popup-menu-items", nullptr);
            bAll = false;
        }
        ::DestroyMenu(hMenu);
    }

    // A personalized menu: the rarely used commands hidden, the show-all
    // item at the end.
    {
        PopupSheetHost host;
        const BOOL bSavedPersonalized = g_personalizedMenus;
        g_personalizedMenus = TRUE;
        g_coreCommands.AddTail(40301);
        CZUDPToolBar::CountCommandUse(40302);
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuA(hMenu, MF_STRING, 40301, "&New");
        ::AppendMenuA(hMenu, MF_STRING, 40302, "&Open...");
        ::AppendMenuA(hMenu, MF_STRING, 40303, "Rarely &used");
        ::AppendMenuA(hMenu, MF_STRING, 40304, "&Properties");
        CZUDPToolbarMenuButton* pButton = host.Create("Personalized", 340, 40) ? host.AddMenuButton(hMenu, "&File") : nullptr;
        if (pButton != nullptr && pButton->OpenPopupMenu(host.Bar())) {
            pump(200);
            photograph("popup-menu-personalized", pButton->openPopup->m_hWnd);
            ClosePopup(pButton);
        } else {
            photograph("popup-menu-personalized", nullptr);
            bAll = false;
        }
        g_coreCommands.RemoveAll();
        g_personalizedMenus = bSavedPersonalized;
        ::DestroyMenu(hMenu);
    }

    // Taller than the screen: cut, with the scroll-down area.
    {
        PopupSheetHost host;
        HMENU hMenu = MenuOfRows(80, 40400);
        CZUDPToolbarMenuButton* pButton = host.Create("Scrolling", 640, 40) ? host.AddMenuButton(hMenu, "&Long") : nullptr;
        if (pButton != nullptr && pButton->OpenPopupMenu(host.Bar())) {
            pump(200);
            photograph("popup-menu-scrolling", pButton->openPopup->m_hWnd);
            ClosePopup(pButton);
        } else {
            photograph("popup-menu-scrolling", nullptr);
            bAll = false;
        }
        ::DestroyMenu(hMenu);
    }

    // A menu that can be torn off shows the caption to drag it by.
    {
        PopupSheetHost host;
        HMENU hMenu = MenuOfRows(4, 40500);
        CZUDPToolbarMenuButton* pButton = host.Create("Tear-off", 940, 40) ? host.AddMenuButton(hMenu, "&Tools") : nullptr;
        if (pButton != nullptr) {
            pButton->SetTearOffId(40599);
            if (pButton->OpenPopupMenu(host.Bar())) {
                pump(200);
                photograph("popup-menu-tear-off", pButton->openPopup->m_hWnd);
                ClosePopup(pButton);
            } else {
                photograph("popup-menu-tear-off", nullptr);
                bAll = false;
            }
        }
        ::DestroyMenu(hMenu);
    }

    g_menuShadows = bSavedShadows;
    g_menuAnimation = nSavedAnimation;
    return bAll;
}
