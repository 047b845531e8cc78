// The gallery's menu bar: a library frame whose menu is a docked menu bar,
// with a menu open from it; and an MDI frame with a maximized child, whose
// icon and minimize, restore and close buttons stand on the menu bar.
#include "tests/shot/GallerySheets.h"

#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPFrameWnd.h"

namespace {

// A frame's menu: File, Edit, View, Window popups and a command title.
HMENU MakeFrameMenu()
{
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuA(hFile, MF_STRING, 41001, "&New\tCtrl+N");
    ::AppendMenuA(hFile, MF_STRING, 41002, "&Open...\tCtrl+O");
    ::AppendMenuA(hFile, MF_STRING | MF_GRAYED, 41003, "&Save\tCtrl+S");
    ::AppendMenuA(hFile, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(hFile, MF_STRING, 41004, "E&xit");
    HMENU hEdit = ::CreatePopupMenu();
    ::AppendMenuA(hEdit, MF_STRING, 41011, "Cu&t\tCtrl+X");
    ::AppendMenuA(hEdit, MF_STRING, 41012, "&Copy\tCtrl+C");
    HMENU hView = ::CreatePopupMenu();
    ::AppendMenuA(hView, MF_STRING | MF_CHECKED, 41021, "&Toolbar");
    HMENU hWindow = ::CreatePopupMenu();
    ::AppendMenuA(hWindow, MF_STRING, 0xE130, "&Cascade");
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hFile, "&File");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hEdit, "&Edit");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hView, "&View");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hWindow, "&Window");
    ::AppendMenuA(hMenu, MF_STRING, 41031, "&Help");
    return hMenu;
}

// Dock bars at the four sides of a library frame.
template <class TFrame>
bool AddDockBars(TFrame& frame)
{
    const DWORD sides[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    for (DWORD side : sides) {
        CZUDPDockBar* pDockBar = new CZUDPDockBar;  // deletes itself with its window
        if (!pDockBar->Create(side, CRect(), &frame, 0)) {
            delete pDockBar;
            return false;
        }
        frame.RegisterBar(pDockBar);
    }
    return true;
}

// The frame's menu goes to a menu bar docked at its top.
template <class TFrame>
bool AddMenuBar(TFrame& frame, CZUDPMenuBar& bar)
{
    if (!AddDockBars(frame))
        return false;
    ::SetMenu(frame.m_hWnd, MakeFrameMenu());
    if (!bar.CreateBar(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 70))
        return false;
    bar.SetDockableSides(CBRS_ALIGN_ANY);
    frame.DockBarAtSite(&bar, AFX_IDW_DOCKBAR_TOP);
    frame.RecalcLayout();
    return true;
}

} // namespace

bool ShootMenuBarSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    const int nSavedAnimation = g_menuAnimation;
    g_menuAnimation = 0;
    bool bAll = true;

    // A frame with its menu bar and the File menu open.
    {
        CZUDPFrameWnd frame;
        CZUDPMenuBar bar;
        HMENU hMenu = nullptr;
        if (frame.Create(nullptr, "Menu bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 520, 300)) &&
            AddMenuBar(frame, bar)) {
            hMenu = bar.GetDefaultMenu();
            pump(200);
            photograph("menubar-frame", frame.m_hWnd);
            bar.SendMessage(WM_SETFOCUS, 0, 0);
            if (bar.OpenMenuButton(bar.GetButtonAt(0)) && bar.FindOpenMenuButton() != nullptr) {
                CZUDPPopupMenu* pPopup = bar.FindOpenMenuButton()->openPopup;
                pump(200);
                photograph("menubar-frame-file-title-open", frame.m_hWnd);
                photograph("menubar-file-menu-open", pPopup->m_hWnd);
                bar.FindOpenMenuButton()->CancelMode();
            } else {
                photograph("menubar-file-menu-open", nullptr);
                bAll = false;
            }
        } else {
            bAll = false;
        }
        bar.DestroyWindow();
        frame.DestroyWindow();
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
    }

    // An MDI frame with a maximized child: the child's icon, then the
    // titles, then minimize, restore and close.
    {
        CZUDPMDIFrameWnd frame;
        CZUDPMenuBar bar;
        CMDIChildWnd* pChild = new CMDIChildWnd;   // deletes itself with its window
        HMENU hMenu = nullptr;
        if (frame.Create(nullptr, "MDI frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 540, 320)) &&
            AddMenuBar(frame, bar) &&
            pChild->Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1),
                                               ::LoadIconA(nullptr, IDI_APPLICATION)),
                           "Machines", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 160),
                           &frame)) {
            hMenu = bar.GetDefaultMenu();
            frame.MDIMaximize(pChild);
            frame.RecalcLayout();
            pump(200);
            photograph("menubar-mdi-maximized-child", frame.m_hWnd);
            if (!bar.AreMDIButtonsShown())
                bAll = false;
            // The close button greyed while the child greys Close.
            ::EnableMenuItem(::GetSystemMenu(pChild->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
            frame.MDIRestore(pChild);
            frame.MDIMaximize(pChild);
            pump(200);
            photograph("menubar-mdi-close-disabled", frame.m_hWnd);
            pChild->DestroyWindow();
        } else {
            if (pChild->m_hWnd == nullptr)
                delete pChild;
            bAll = false;
        }
        bar.DestroyWindow();
        frame.DestroyWindow();
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
    }
    g_menuAnimation = nSavedAnimation;
    return bAll;
}
