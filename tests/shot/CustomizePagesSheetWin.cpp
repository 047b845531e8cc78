// The gallery's customization pages: the Keyboard page with a taken key
// typed into its key field, the Menu page over a frame's menu bar, the
// Mouse page with registered views and the Tools page with a tool
// selected, each in a modeless sheet over a library frame.
#include "tests/shot/GallerySheets.h"

#include "framework/win/Accelerators.h"
#include "framework/win/FrameWnd.h"
#include "tests/ui/commandbars/customize/CustomizePagesTestSupport.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/customize/ZUDPKeyboardPage.h"
#include "ui/commandbars/customize/ZUDPMenuPage.h"
#include "ui/commandbars/customize/ZUDPMousePage.h"
#include "ui/commandbars/customize/ZUDPToolsPage.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPContextMenuManager.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMouseManager.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

#include <memory>

namespace {

HMENU MakeCustomizeGalleryMenu()
{
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, 42001, "&New\tCtrl+N");
    ::AppendMenuA(hFile, MF_STRING, 42002, "&Open...\tCtrl+O");
    HMENU hView = ::CreatePopupMenu();
    ::AppendMenuA(hView, MF_STRING, 42021, "&Machines");
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hView, "&View");
    return hMenu;
}

HMENU MakeCustomizeGalleryContextMenu()
{
    HMENU hPopup = ::CreatePopupMenu();
    ::AppendMenuA(hPopup, MF_STRING, 42101, "&Connect");
    ::AppendMenuA(hPopup, MF_STRING, 42102, "&Disconnect");
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hPopup, "Machine");
    return hMenu;
}

// Makes a manager for the sheet when the program has none, and takes it
// away again afterwards.
template <class TManager>
struct GalleryManager {
    template <class... Args>
    explicit GalleryManager(TManager*& global, Args... args)
    {
        if (global == nullptr)
            owned = std::make_unique<TManager>(args...);
        manager = global;
    }
    std::unique_ptr<TManager> owned;
    TManager* manager = nullptr;
};

} // namespace

bool ShootCustomizePageSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    GalleryManager<CZUDPKeyboardManager> keyboard(g_keyboardManager);
    GalleryManager<CZUDPMouseManager> mouse(g_mouseManager);
    GalleryManager<CZUDPContextMenuManager> contextMenus(g_contextMenuManager);
    GalleryManager<CZUDPUserToolsManager> tools(g_userToolsManager, 42500u, 42509u, nullptr);

    CZUDPFrameWnd frame;
    if (!frame.Create(nullptr, "TROVconf", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420)))
        return false;
    const ACCEL keys[] = {
        {FVIRTKEY | FCONTROL, 'N', 42001},
        {FVIRTKEY | FCONTROL, 'O', 42002},
    };
    frame.m_hAccelTable = AfxCreateAcceleratorTable(keys, 2);
    frame.m_hMenuDefault = MakeCustomizeGalleryMenu();
    auto bar = std::make_unique<CZUDPMenuBar>();
    if (!bar->CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 1)) {
        frame.DestroyWindow();
        return false;
    }
    bar->CreateFromMenu(frame.m_hMenuDefault, TRUE, TRUE);
    bar->SetWindowPos(nullptr, 0, 0, 600, 24, SWP_NOZORDER | SWP_NOACTIVATE);

    if (contextMenus.owned)
        contextMenus.owned->AddMenu("Machine", 0, MakeCustomizeGalleryContextMenu());
    if (mouse.owned) {
        mouse.owned->AddView(1, "Machines");
        mouse.owned->AddView(2, "Log");
        mouse.owned->AddView(3, "Firmware");
        mouse.owned->AssignDblClickCommand(1, 42002);
    }
    if (tools.owned) {
        for (const char* label : {"Notepad", "Ping the controller"}) {
            CZUDPUserTool* pTool = tools.owned->AddTool();
            pTool->m_strLabel = label;
            pTool->SetCommand(label[0] == 'N' ? "notepad.exe" : "C:\\windows\\system32\\ping.exe");
            pTool->m_strArguments = "-n 3 $(Address)";
            pTool->m_strInitialDirectory = "C:\\TROVconf";
        }
    }

    trovtest::TestCustomizeHost host;
    host.flags = 0x001 | 0x008;
    host.Add("File", 42001, "New");
    host.Add("File", 42002, "Open...");
    host.Add("File", 42003, "Save");
    host.Add("View", 42021, "Machines");
    host.Add("View", 42022, "Log");

    bool ok = true;
    {
        CZUDPKeyboardPage keyboardPage(&frame, FALSE);
        CZUDPMenuPage menuPage(&frame, FALSE);
        CZUDPMousePage mousePage;
        CZUDPToolsPage toolsPage;
        keyboardPage.SetCustomizeHost(&host);
        keyboardPage.SetAllCategory("All Commands");
        menuPage.SetCustomizeHost(&host);
        mousePage.SetCustomizeHost(&host);
        toolsPage.SetCustomizeHost(&host);
        CPropertySheet sheet("Customize");
        sheet.AddPage(&keyboardPage);
        sheet.AddPage(&menuPage);
        sheet.AddPage(&mousePage);
        sheet.AddPage(&toolsPage);
        if (!sheet.Create(&frame, WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK)) {
            ok = false;
        } else {
            sheet.SetWindowPos(nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            pump(300);
            photograph("customize-keyboard", sheet.GetSafeHwnd());

            // Ctrl+O typed for "Save": the key belongs to "Open...".
            const int iSave = keyboardPage.m_wndCommandsList.FindStringExact(-1, "Save");
            trovtest::SelectListItem(keyboardPage.m_wndCommandsList, iSave);
            auto key = [&](UINT message, UINT vk) {
                MSG msg = {keyboardPage.m_wndNewKey.GetSafeHwnd(), message, vk, 0, 0, {0, 0}};
                keyboardPage.m_wndNewKey.PreTranslateMessage(&msg);
            };
            key(WM_LBUTTONDOWN, 0);
            key(WM_KEYDOWN, VK_CONTROL);
            key(WM_KEYDOWN, 'O');
            key(WM_KEYUP, VK_CONTROL);
            pump(300);
            photograph("customize-keyboard-taken-key", sheet.GetSafeHwnd());

            sheet.SetActivePage(&menuPage);
            pump(300);
            photograph("customize-menu", sheet.GetSafeHwnd());

            sheet.SetActivePage(&mousePage);
            pump(300);
            photograph("customize-mouse", sheet.GetSafeHwnd());

            sheet.SetActivePage(&toolsPage);
            toolsPage.m_wndToolsList.SelectItem(1);
            pump(300);
            photograph("customize-tools", sheet.GetSafeHwnd());
            sheet.DestroyWindow();
        }
    }
    bar->DestroyWindow();
    frame.DestroyWindow();
    return ok;
}
