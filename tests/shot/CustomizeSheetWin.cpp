// The customization sheet for the window gallery: the Commands page on All
// Commands with a command chosen, the Toolbars page with three toolbars
// (one hidden, one that cannot close) and user toolbars allowed, the
// Options page, and the toolbar-name dialog empty and with a name.
#include "framework/win/FrameWnd.h"
#include "res/ui/customize.h"
#include "tests/shot/GallerySheets.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/customize/ZUDPCustomizePage.h"
#include "ui/commandbars/customize/ZUDPOptionsPage.h"
#include "ui/commandbars/customize/ZUDPToolbarCustomize.h"
#include "ui/commandbars/customize/ZUDPToolbarsPage.h"

#include <memory>
#include <vector>

namespace {

HMENU MakeGalleryMenu()
{
    struct Item {
        const char* text;
        UINT id;
    };
    const Item file[] = {{"&New\tCtrl+N", 0xE100}, {"&Open...\tCtrl+O", 0xE101}, {"&Save\tCtrl+S", 0xE103},
                         {"Save &As...", 0xE104}, {"&Close", 0xE102}};
    const Item edit[] = {{"Cu&t\tCtrl+X", 0xE123}, {"&Copy\tCtrl+C", 0xE122}, {"&Paste\tCtrl+V", 0xE125},
                         {"&Find...", 0xE124}};
    const Item window[] = {{"&Cascade", 0xE132}, {"&Tile", 0xE133}, {"&Close", 40702}};
    HMENU hMenu = ::CreateMenu();
    auto add = [&](const char* title, const Item* items, int n) {
        HMENU hPopup = ::CreatePopupMenu();
        for (int i = 0; i < n; ++i)
            ::AppendMenuA(hPopup, MF_STRING, items[i].id, items[i].text);
        ::AppendMenuA(hMenu, MF_POPUP, UINT_PTR(hPopup), title);
    };
    add("&File", file, 5);
    add("&Edit", edit, 4);
    add("&Window", window, 3);
    return hMenu;
}

class CFixedGalleryBar : public CZUDPToolBar {
public:
    BOOL CanClose() const override { return FALSE; }
};

BOOL MakeGalleryBar(CZUDPToolBar& bar, CFrameWnd& frame, const char* name, int y, UINT uiFirst)
{
    if (!bar.CreateEx(0, AfxRegisterWndClass(0), name, WS_CHILD | WS_VISIBLE, CRect(0, y, 200, y + 28), &frame,
                      UINT(300 + y)))
        return FALSE;
    bar.ReplaceBarStyle(CBRS_ALIGN_TOP);
    for (UINT i = 0; i < 3; ++i)
        bar.InsertButton(new CZUDPToolbarButton(uiFirst + i, -1, "Button", FALSE, TRUE));
    return TRUE;
}

} // namespace

bool ShootCustomizeSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    bool ok = true;
    CFrameWnd frame;
    if (!frame.CreateEx(0, AfxRegisterWndClass(0), "Customized frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400),
                        nullptr, 0))
        return false;
    HMENU hMenu = MakeGalleryMenu();
    frame.m_hMenuDefault = hMenu;
    CZUDPToolBar standard, hidden;
    CFixedGalleryBar fixed;
    MakeGalleryBar(standard, frame, "Standard", 0, 0xE100);
    MakeGalleryBar(fixed, frame, "Formatting", 30, 0xE122);
    MakeGalleryBar(hidden, frame, "Drawing", 60, 0xE132);
    hidden.ShowWindow(SW_HIDE);

    CZUDPToolbarCustomize* pSheet = new CZUDPToolbarCustomize(&frame, TRUE,
                                                              ZUDP_CUSTOMIZE_TEXT_LABELS | ZUDP_CUSTOMIZE_LOOK2000);
    pSheet->GetToolbarsPage()->m_bUserDefinedToolbars = TRUE;
    if (pSheet->Create()) {
        pSheet->SetWindowPos(nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pSheet->ShowWindow(SW_SHOWNA);

        // Commands: All Commands, a command chosen.
        CZUDPCustomizePage* pCommands = pSheet->GetCommandsPage();
        CListBox& categories = pCommands->GetCategoriesList();
        categories.SetCurSel(categories.GetCount() - 1);
        pCommands->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_CUSTOMIZE_CATEGORIES, LBN_SELCHANGE),
                               LPARAM(categories.m_hWnd));
        CListBox& commands = pCommands->GetCommandsList();
        commands.SetCurSel(2);
        pCommands->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ZUDP_CUSTOMIZE_COMMANDS, LBN_SELCHANGE),
                               LPARAM(commands.m_hWnd));
        pump(150);
        photograph("customize-commands", pSheet->m_hWnd);

        pSheet->SetActivePage(1);
        pump(150);
        photograph("customize-toolbars", pSheet->m_hWnd);

        pSheet->SetActivePage(pSheet->GetOptionsPage());
        pump(150);
        photograph("customize-options", pSheet->m_hWnd);
        pSheet->DestroyWindow(); // the sheet deletes itself
    } else {
        delete pSheet;
        ok = false;
    }

    for (const char* name : {"", "My toolbar"}) {
        CToolbarNameDlg dialog(&frame);
        dialog.m_strToolbarName = name;
        if (dialog.Create(IDD_ZUDP_TOOLBAR_NAME, &frame)) {
            dialog.SetWindowPos(nullptr, 80, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            dialog.ShowWindow(SW_SHOWNA);
            pump(120);
            photograph(*name == '\0' ? "toolbar-name-empty" : "toolbar-name", dialog.m_hWnd);
            dialog.DestroyWindow();
        } else {
            ok = false;
        }
    }

    for (CZUDPToolBar* pBar : {&standard, static_cast<CZUDPToolBar*>(&fixed), &hidden})
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->DestroyWindow();
    frame.m_hMenuDefault = nullptr;
    frame.DestroyWindow();
    ::DestroyMenu(hMenu);
    return ok;
}
