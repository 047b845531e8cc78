// The gallery: every window of the program made and photographed on a real
// display driver (Xvfb), each written as <name>.bmp into the output folder
// (tests/shot/window-gallery.sh turns them into PNGs and a contact sheet).
// The main window with both machine lists filled and the log pane, the
// progress window while a run is under way, every dialog, and the message
// boxes.  Modal windows are photographed from a thread timer running inside
// their own modal loop, then closed from there.  Last, a sheet of the
// library's own small drawings (menu glyphs, skins, shadows).
//
//   trov_window_gallery.exe <work folder> <output folder>
//
// Exit code 0 when every window appeared and its picture shows something
// (not blank, not all one colour), 1 otherwise (each failure is printed),
// 2 on bad arguments.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/Discovery.h"
#include "framework/win/WinApp.h"
#include "framework/win/Dialog.h"
#include "ui/controls/ZUDPPropertyPage.h"
#include "ui/controls/ZUDPPropertySheet.h"
#include "tests/common/DialogTemplateWin.h"
#include "framework/win/ListCtrl.h"
#include "app/MachineColumns.h"
#include "app/SettingsPaths.h"
#include "app/win/AppDialogs.h"
#include "app/win/DlgAddMachines.h"
#include "app/win/DlgAppBrowser.h"
#include "app/win/DlgConfigureMachine.h"
#include "app/win/DlgInstallApp.h"
#include "app/win/DlgPassword.h"
#include "app/win/DlgRemoteMachine.h"
#include "app/win/DlgSocketTrov.h"
#include "app/win/DlgTextEntry.h"
#include "app/win/AppSeams.h"
#include "app/win/trovconfDlg.h"
#include "res/resource.h"
#include "support/DRBSocket.h"
#include "tests/common/AppContainerFile.h"
#include "tests/common/DrawingTest.h"
#include "tests/common/Loopback.h"
#include "tests/common/SimController.h"
#include "tests/common/SimTcpController.h"
#include "tests/common/SimTcpFixture.h"
#include "tests/shot/GallerySheets.h"
#include "ui/controls/ZUDPMessageBox.h"
#include "ui/controls/ZUDPColorDialog.h"
#include "ui/controls/PropertySheetCtrl.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPStatusBar.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPToolTipCtrl.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/ribbon/ZUDPBaseRibbonElement.h"
#include "ui/ribbon/ZUDPTasksPane.h"

namespace {

std::string g_out;
std::vector<std::string> g_failures;
int g_shots = 0;

void Fail(const std::string& name, const std::string& why)
{
    fprintf(stderr, "FAILED %s: %s\n", name.c_str(), why.c_str());
    g_failures.push_back(name);
}

void Pump(DWORD milliseconds)
{
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::Sleep(10);
    }
}

// The window as the display shows it, frame and caption included: copied
// from the window's own DC, so windows in front of it do not matter.
void Photograph(const std::string& name, HWND window)
{
    RECT rect;
    if (window == nullptr || !::IsWindowVisible(window) || !::GetWindowRect(window, &rect)) {
        Fail(name, "the window is not visible");
        return;
    }
    trovtest::DibCanvas canvas(rect.right - rect.left, rect.bottom - rect.top);
    if (!canvas.IsValid()) {
        Fail(name, "no canvas for the picture");
        return;
    }
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
    HDC dc = ::GetWindowDC(window);
    ::BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), dc, 0, 0, SRCCOPY);
    ::ReleaseDC(window, dc);

    std::vector<std::pair<COLORREF, int>> colours = canvas.Histogram(canvas.Rect());
    const int pixels = canvas.Width() * canvas.Height();
    if (colours.size() < 2) {
        Fail(name, "the picture is all one colour (" + trovtest::ColorText(colours.empty() ? 0 : colours[0].first) + ")");
        return;
    }
    // A frame around an empty face is as good as blank.
    if (colours[0].second > pixels / 100 * 99) {
        Fail(name, "the picture is nearly blank (" + trovtest::ColorText(colours[0].first) + ")");
        return;
    }
    if (!canvas.SaveBmp((g_out + "\\" + name + ".bmp").c_str())) {
        Fail(name, "the picture could not be written");
        return;
    }
    ++g_shots;
    printf("%s: %d x %d, %d colours\n", name.c_str(), canvas.Width(), canvas.Height(), (int)colours.size());
}

// A modal window in the making: a thread timer inside its modal loop waits
// for a visible window of this thread that was not there before, lets it
// settle, photographs it and closes it.
struct ModalShot {
    std::string name;
    std::set<HWND> before;
    std::function<bool(HWND)> ready; // none: as soon as it has settled
    HWND window = nullptr;
    DWORD seen = 0, start = 0;
    bool done = false;
};
ModalShot* g_modal = nullptr;

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    reinterpret_cast<std::set<HWND>*>(param)->insert(window);
    return TRUE;
}

std::set<HWND> ThreadWindows()
{
    std::set<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectWindow, (LPARAM)&windows);
    return windows;
}

void CloseModal(HWND window)
{
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (CDialog* dialog = dynamic_cast<CDialog*>(object))
        dialog->EndDialog(IDCANCEL);
    else if (CPropertySheet* sheet = dynamic_cast<CPropertySheet*>(object))
        sheet->PressButton(PSBTN_CANCEL);
    else
        ::EndDialog(window, IDCANCEL); // the system's message box
}

VOID CALLBACK ModalTick(HWND, UINT, UINT_PTR, DWORD)
{
    ModalShot* shot = g_modal;
    if (shot == nullptr || shot->done)
        return;
    if (::GetTickCount() - shot->start > 20000) {
        shot->done = true;
        Fail(shot->name, "the window did not appear or never got ready");
        if (shot->window != nullptr)
            CloseModal(shot->window);
        return;
    }
    if (shot->window == nullptr) {
        for (HWND window : ThreadWindows()) {
            if (!shot->before.count(window) && ::IsWindowVisible(window)) {
                shot->window = window;
                shot->seen = ::GetTickCount();
            }
        }
        return;
    }
    if (!::IsWindow(shot->window)) {
        shot->done = true;
        Fail(shot->name, "the window closed before it was photographed");
        return;
    }
    if (::GetTickCount() - shot->seen < 400 || (shot->ready && !shot->ready(shot->window)))
        return;
    shot->done = true;
    Photograph(shot->name, shot->window);
    CloseModal(shot->window);
}

void ShootModal(const std::string& name, const std::function<void()>& show,
                const std::function<bool(HWND)>& ready = nullptr)
{
    ModalShot shot;
    shot.name = name;
    shot.before = ThreadWindows();
    shot.ready = ready;
    shot.start = ::GetTickCount();
    g_modal = &shot;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &ModalTick);
    show();
    ::KillTimer(nullptr, timer);
    g_modal = nullptr;
    if (!shot.done)
        Fail(name, "the window ended before it was photographed");
    Pump(100);
}

int NoBox(HWND, const char* text, const char*, UINT)
{
    fprintf(stderr, "message box: %s\n", text);
    return IDOK;
}

void NoProbe(const char*, bool, CDiscoveryLog*) {}

bool NoAdapters(std::vector<IP_ADAPTER_INFO>*)
{
    return false;
}

const char kSaved[] =
    "<MACHINES>\n"
    " <MACHINE><HOSTNAME>Mixer-1</HOSTNAME><COMMENT>hall A</COMMENT><CONFIG>dosing.lmx</CONFIG><SETUP>Base</SETUP>"
    "<APPVERSION>2v4r1</APPVERSION><IF1><IP>10.20.0.11</IP></IF1><IF>1</IF><VERSION>4v2r11-b3</VERSION>"
    "<ALTERA>HW 1.2 SW 3.4</ALTERA><MAC>00:50:C2:10:00:11</MAC><KEY>10.20.0.11</KEY></MACHINE>\n"
    " <MACHINE><HOSTNAME>Press-2</HOSTNAME><COMMENT>line 2 &amp; 3</COMMENT><CONFIG>press.lmx</CONFIG>"
    "<APPVERSION>1v9r5</APPVERSION><IF1><IP>10.20.0.12</IP></IF1><IF>1</IF><VERSION>4v1r0-a</VERSION>"
    "<MAC>00:50:C2:10:00:12</MAC><KEY>10.20.0.12</KEY></MACHINE>\n"
    " <MACHINE><HOSTNAME>Dryer-3</HOSTNAME><KEY>10.20.0.13</KEY></MACHINE>\n"
    "</MACHINES>\n";

// The main window at a size where both lists and the log pane show, the
// discovered list filled from controller replies (two of them claim the
// same address: duplicate marks), sorted by name.
void ShootMainWindow(const std::string& work)
{
    CSettingsPaths::SetBaseFolderOverride(0, work.c_str());
    CSettingsPaths::SetBaseFolderOverride(1, work.c_str());
    MakeFolderPath((work + "\\trovconf").c_str());
    if (FILE* saved = fopen((work + "\\trovconf\\machines.xml").c_str(), "wb")) {
        fputs(kSaved, saved);
        fclose(saved);
    }
    std::unique_ptr<CtrovconfDlg> dialog(new CtrovconfDlg);
    if (!dialog->Create(IDD_TROVCONF_DIALOG)) {
        Fail("main-window", "the main window could not be created (error " + std::to_string(::GetLastError()) + ")");
        return;
    }
    dialog->SetWindowPos(nullptr, 20, 20, 1180, 720, SWP_NOZORDER);
    dialog->CompleteStartUp();
    dialog->ShowLogPane(1);
    dialog->GetLogSplitter().m_position = 430;
    dialog->GetLogSplitter().Relayout();
    dialog->GetListSplitter().m_position = 170;
    dialog->GetListSplitter().Relayout();

    CDiscovery discovery(*dialog, dialog.get());
    discovery.SetDebug(true);
    struct Reply {
        const char *ip, *mac, *host, *version, *board;
        bool ident;
    } replies[] = {
        {"10.20.0.11", "00:50:C2:10:00:11", "Mixer-1", "4v2r11-b3", "", false},
        {"10.20.0.21", "00:50:C2:10:00:21", "Filler-7", "4v3r2-c", "RPI", true},
        {"10.20.0.22", "00:50:C2:10:00:22", "Sorter-8", "4v3r2-c", "K420", false},
        {"10.20.0.22", "00:50:C2:10:00:99", "Sorter-9", "4v0r0-x", "", false},
        {"10.20.0.31", "00:50:C2:10:00:31", "Labeller-4", "4v2r11-b3", "K420", false},
    };
    for (const Reply& r : replies) {
        trovtest::SimControllerIdentity id;
        id.if1Ip = r.ip;
        id.mac = r.mac;
        id.hostName = r.host;
        id.version = r.version;
        id.board = r.board;
        id.identButton = r.ident;
        id.config = "dosing.lmx";
        id.appVersion = "2v4r1";
        std::string text = trovtest::BuildSimReply(id);
        discovery.ProcessDatagram(text.data(), (int)text.size(), 0x0A140001);
    }
    dialog->GetDiscoveredList().Sort(kColumnDeviceId, TRUE);
    dialog->SendMessage(WM_TIMER, CtrovconfDlg::kTimerTick);
    dialog->ShowWindow(SW_SHOW);
    dialog->UpdateWindow();
    Pump(1000);
    Photograph("main-window", dialog->m_hWnd);
    dialog->DestroyWindow();
    Pump(100);
}

// The progress window of a poll while it runs: one controller has
// answered, one is still silent, one refused the connection.
void ShootProgressWindow()
{
    AfxSocketInit();
    uint32_t block = trovtest::RandomLoopbackBlock();
    std::vector<std::unique_ptr<trovtest::SimTcpController>> sims;
    auto start = [&](int last, std::function<void(trovtest::SimTcpBehaviour&)> edit) {
        trovtest::SimTcpBehaviour behaviour = trovtest::LineBehaviour(block | (uint32_t)last, last);
        if (edit)
            edit(behaviour);
        sims.emplace_back(new trovtest::SimTcpController);
        trovtest::SimTcpOptions options;
        options.address = block | (uint32_t)last;
        std::string error;
        if (!sims.back()->Start(options, &error))
            fprintf(stderr, "controller .%d: %s\n", last, error.c_str());
        sims.back()->SetBehaviour(behaviour);
    };
    // Machines are asked one after the other: two answer, one refuses the
    // connection, and the last is still awaited.
    start(2, nullptr);
    start(3, [](trovtest::SimTcpBehaviour& b) { b.connectMode = trovtest::SimConnectMode::kNoListener; });
    start(4, nullptr);
    start(5, [](trovtest::SimTcpBehaviour& b) { b.faults[CMD_IDENTIFY].silent = true; });
    std::vector<std::unique_ptr<CMachine>> machines;
    CMachineList list;
    for (int last = 2; last <= 5; ++last) {
        machines.emplace_back(new CMachine(CIpAddress(block | (uint32_t)last), 0, CMachine::kNoGuid));
        list.AddTail(machines.back().get());
    }
    CDlgSocketTrov dialog(list);
    // Under way: the third machine has answered, the last is awaited.
    ShootModal("progress-window", [&] { dialog.DoModal(); }, [&](HWND) {
        CListCtrl& rows = dialog.GetStatusList();
        return rows.GetItemCount() == 4 && rows.GetItemText(2, 1) == "Up" && !dialog.GetSocket().IsRunOver();
    });
    // Over: the button has turned to OK.
    CMachineList answered;
    answered.AddTail(machines[0].get());
    answered.AddTail(machines[2].get());
    CDlgSocketTrov finished(answered);
    ShootModal("progress-window-finished", [&] { finished.DoModal(); },
               [&](HWND) { return finished.IsFinished() != FALSE; });
    for (auto& sim : sims)
        sim->Stop();
}

void ShootDialogs(const std::string& work)
{
    ShootModal("add-machines", [] {
        CDlgAddMachines dialog;
        for (uint32_t address : {0x0A140011u, 0x0A140012u, 0x0A140020u, 0x0A140021u})
            dialog.m_addresses.AddTail(CIpAddress(address));
        dialog.m_initialAddress = 0x0A140030u;
        dialog.DoModal();
    });
    ShootModal("configure-machine", [] {
        CDlgConfigureMachine dialog;
        dialog.m_if1Address = "10.20.0.17";
        dialog.m_if1Netmask = "255.255.255.0";
        dialog.m_if1Gateway = "10.20.0.1";
        dialog.m_if2Address = "192.168.10.5";
        dialog.m_if2Netmask = "255.255.0.0";
        dialog.m_dhcp = "Static";
        dialog.m_comment = "hall A, line 2";
        dialog.DoModal();
    });
    ShootModal("remote-machine", [] {
        CMachineList machines;
        CDlgRemoteMachine dialog(&machines);
        dialog.m_showPassword = TRUE;
        dialog.m_text = "10.20.0.11";
        dialog.DoModal();
    });
    ShootModal("text-entry", [] {
        CDlgTextEntry dialog("Remote System", "Name/IP Address", 64);
        dialog.m_showPassword = TRUE;
        dialog.m_text = "10.20.0.22";
        dialog.m_readOnly = TRUE;
        dialog.DoModal();
    });
    ShootModal("password", [] {
        CDlgPassword dialog;
        dialog.DoModal();
    });
    ShootModal("install-application", [] {
        CDlgInstallApp dialog;
        dialog.m_address = "10.20.0.11";
        dialog.m_dataSetNames = {"Base", "Line2", "!hidden", "Night shift"};
        dialog.m_currentDataSet = "Line2";
        dialog.m_dataSet = "Line2";
        dialog.m_updateAllowed = TRUE;
        dialog.m_appVersion = "2v4r1";
        dialog.DoModal();
    });

    // A folder of application files for the browser.
    std::string apps = work + "\\apps";
    ::CreateDirectoryA(apps.c_str(), nullptr);
    const char key[] = "3d9b2a10-5c7e-4f81-a2b3-c4d5e6f70812";
    struct App {
        const char *file, *version, *date, *setups;
    } files[] = {
        {"Dosing.lmx", "2.4", "2024/03/05 10:11:12", "<SETUP><NAME>Base</NAME><INPUTS/></SETUP>"},
        {"Press line.lmx", "1.9", "2023/07/01 08:00:00", "<SETUP><NAME>Line2</NAME><INPUTS/></SETUP>"},
        {"Sorter.lmx", "3.0", "2025/01/02 14:30:00", ""},
    };
    for (const App& app : files) {
        trovtest::WriteAppContainer(
            apps + "\\" + app.file,
            {{"id", key},
             {"info", std::string("<INFO><APPVERSION>") + app.version + "</APPVERSION><DATETIME>" + app.date +
                          "</DATETIME><VLUMEX>4v3</VLUMEX></INFO>",
              true},
             {"setup", std::string("<SETUPS>") + app.setups + "</SETUPS>"}},
            key);
    }
    ShootModal("application-browser", [&] {
        CDlgAppBrowser dialog(apps.c_str());
        dialog.DoModal();
    }, [](HWND window) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        CDlgAppBrowser* browser = dynamic_cast<CDlgAppBrowser*>(object);
        return browser != nullptr && browser->GetFileList().GetItemCount() > 0;
    });
}

// The system's message boxes through the library's helper, as the program
// shows them.
void ShootMessageBoxes()
{
    struct Box {
        const char *name, *text;
        UINT type;
    } boxes[] = {
        {"message-error", "Unable to listen on broadcast port", MB_OK | MB_ICONERROR},
        {"message-question", "Restart the runtime on the selected machines?", MB_YESNO | MB_ICONQUESTION},
        {"message-information", "Export Complete", MB_OK | MB_ICONINFORMATION},
    };
    for (const Box& box : boxes)
        ShootModal(box.name, [&] { ThemedMessageBoxEx(nullptr, box.text, "TROVconf", box.type); });

    // The themed box: a warning, three buttons with the second as the
    // default, and a text long enough to wrap.
    const Box themed[] = {
        {"message-exclamation", "The selected file is not an application file.", MB_OK | MB_ICONEXCLAMATION},
        {"message-yes-no-cancel", "Save the changed machine list before closing?",
         MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2},
        {"message-long-text",
         "Mixer-1 (10.20.0.11) is not running a v4 firmware and will be skipped. Press-2 (10.20.0.12) did not "
         "answer the last discovery broadcast and is reached through its saved address. Dryer-3 (10.20.0.13) has no "
         "application installed yet. The remaining machines of the selection will be updated one after another; "
         "each row of the progress window shows the last status of its machine.",
         MB_OK | MB_ICONINFORMATION},
    };
    for (const Box& box : themed)
        ShootModal(box.name, [&] { ThemedMessageBoxEx(nullptr, box.text, "TROVconf", box.type); });
}

// A page of the sheets' pictures: a few themed controls.
class CGalleryPage : public CZUDPPropertyPage {
public:
    explicit CGalleryPage(const char* title) : m_template(WS_CHILD | WS_CAPTION | DS_CONTROL, 190, 110, title)
    {
        m_template.AddControl("Static", "Address:", SS_LEFT, 10, 12, 50, 10, 3000);
        m_template.AddControl("Edit", "10.20.0.11", WS_BORDER | WS_TABSTOP, 62, 10, 90, 12, 3001);
        m_template.AddControl("Button", "Options", BS_GROUPBOX, 10, 30, 160, 48, 3002);
        m_template.AddControl("Button", "Use DHCP", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 44, 100, 10, 3003);
        m_template.AddControl("Button", "Keep the data set", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 58, 100, 10, 3004);
        m_psp.dwFlags |= PSP_DLGINDIRECT;
        m_psp.pResource = m_template.Get();
    }

private:
    trovtest::DialogTemplate m_template;
};

// The library's property sheet in its navigation looks: the library's tab
// window (looks 0 and 3), tree, list and wizard, each in the
// visual-manager look.
void ShootPropertySheets()
{
    struct Look {
        const char* name;
        int look;
    } looks[] = {
        {"sheet-look0-tabs", CZUDPPropertySheet::PropSheetLook_Tabs},
        {"sheet-look2-tree", CZUDPPropertySheet::PropSheetLook_Tree},
        {"sheet-look3-tab-window", CZUDPPropertySheet::PropSheetLook_OneNoteTabs},
        {"sheet-look4-list", CZUDPPropertySheet::PropSheetLook_List},
        {"sheet-look5-wizard", CZUDPPropertySheet::PropSheetLook_Wizard},
    };
    for (const Look& look : looks) {
        ShootModal(look.name, [&] {
            CGalleryPage general("General");
            CGalleryPage network("Network");
            CGalleryPage display("Display");
            CZUDPPropertySheet sheet("Machine options");
            sheet.SetLook(look.look, 110);
            sheet.AddPage(&general);
            sheet.AddPage(&network);
            sheet.AddPage(&display);
            sheet.SetVisualManagerLook(TRUE);
            sheet.m_psh.nStartPage = 1;
            sheet.DoModal();
        });
    }
}

// The colour dialog on its standard and custom pages, with the
// dialog-style switch off (system look) and on (the library's look).
void ShootColorDialogs()
{
    const BOOL saved = g_uiEnvironment.m_dialogsInVisualManagerStyle;
    for (BOOL libraryLook : {FALSE, TRUE}) {
        g_uiEnvironment.m_dialogsInVisualManagerStyle = libraryLook;
        for (int page : {0, 1}) {
            const std::string name = std::string("colour-dialog-") + (page == 0 ? "standard" : "custom") +
                                     (libraryLook ? "-library-look" : "");
            bool shown = false;
            ShootModal(name, [] {
                CZUDPColorDialog dialog(RGB(32, 64, 128));
                dialog.DoModal();
            }, [&](HWND window) {
                // The page is chosen as a click on its tab would, then
                // given a round of painting.
                CZUDPColorDialog* dialog = dynamic_cast<CZUDPColorDialog*>(CWnd::FromHandlePermanent(window));
                if (dialog == nullptr || dialog->GetPropertySheet() == nullptr)
                    return false;
                if (!shown) {
                    dialog->GetPropertySheet()->SetActivePage(page);
                    shown = true;
                    return false;
                }
                return true;
            });
        }
    }
    g_uiEnvironment.m_dialogsInVisualManagerStyle = saved;
}

// The library's tooltip in its looks: a plain label, a label with an icon,
// a description and a separator, and a balloon the system draws.  Each is
// shown as a tracked tool of a visible owner, so the system shows it and
// asks the control to measure and place itself as it does for real.
void ShootToolTips()
{
    CWnd owner;
    if (!owner.CreateEx(0, AfxRegisterWndClass(0), "tooltip owner", WS_POPUP | WS_VISIBLE, CRect(20, 20, 60, 60),
                        nullptr, 0)) {
        Fail("tooltip", "no owner window");
        return;
    }
    HICON hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // information
    struct Tip {
        const char* name;
        const char* label;
        const char* description;
        bool icon, balloon, separator, rounded;
    } tips[] = {
        {"tooltip-plain", "Discover machines", "", false, false, false, false},
        {"tooltip-description-icon", "Install Application",
         "Installs an application file on every selected machine and restarts its runtime.", true, false, true,
         false},
        {"tooltip-rounded", "Identify", "Makes the identification lights of the machine blink.", false, false, false,
         true},
        {"tooltip-balloon", "Backup", "Fetches a backup of the running application.", false, true, false, false},
    };
    int x = 200;
    for (const Tip& t : tips) {
        ZUDP_TOOLTIP_PARAMS params;
        params.values[TTPARAM_BALLOON] = t.balloon ? 1 : 0;
        params.values[TTPARAM_DRAW_SEPARATOR] = t.separator ? 1 : 0;
        params.values[TTPARAM_ROUNDED_CORNERS] = t.rounded ? 1 : 0;
        CZUDPToolTipCtrl tip(&params);
        if (!tip.Create(&owner, TTS_ALWAYSTIP | TTS_NOPREFIX)) {
            Fail(t.name, "the tooltip could not be made");
            continue;
        }
        tip.SetMaxTipWidth(300);
        TOOLINFOA ti = {};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        ti.hwnd = owner.GetSafeHwnd();
        ti.uId = 1;
        ti.lpszText = (LPSTR)(t.balloon ? t.description : t.label);
        tip.SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
        if (t.balloon)
            tip.SetTitle(1, t.label);
        CZUDPRibbonButton button;
        if (t.icon) {
            button.m_hIcon = hIcon;
            button.m_bIsLargeImage = TRUE;
            tip.SetHotRibbonButton(&button);
        }
        tip.SetDescription(t.description);
        tip.SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(x, 300));
        tip.SendMessage(TTM_TRACKACTIVATE, TRUE, (LPARAM)&ti);
        Pump(300);
        Photograph(t.name, tip.GetSafeHwnd());
        tip.SendMessage(TTM_TRACKACTIVATE, FALSE, (LPARAM)&ti);
        tip.DestroyWindow();
        x += 20;
    }
    owner.DestroyWindow();
}

// The visual manager's status-bar, caption-bar, outlook-bar, task-pane and
// panel-window elements in their states, painted into one window.
class PaneElementsWnd : public CWnd {
public:
    PaneElementsWnd()
    {
        m_pane.AddGroup("Machines", FALSE);
        m_pane.AddGroup("Details", TRUE);
        m_pane.AddTask(0, "Discover machines", -1, 100);
        m_pane.AddTask(0, "Add machine...", -1, 101);
        m_pane.AddTask(0, "", -1, 0);
        m_pane.AddTask(0, "A label task\r\nwith a line break", -1, 0);
        m_toolBox.AddGroup("Tools", FALSE);
        m_message.m_bMessageBarMode = TRUE;
        m_coloured.m_clrBarBackground = RGB(200, 220, 255);
    }

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CZUDPVisualManager* vm = CZUDPVisualManager::GetActiveManager();
        CRect client;
        GetClientRect(client);
        dc.FillSolidRect(client, RGB(255, 255, 255));
        // Status-bar panes: sunken, raised, borderless; progress plain,
        // gradient with percent; the size grip.
        const UINT styles[] = {SBPS_NORMAL, SBPS_POPOUT, SBPS_NOBORDERS};
        for (int i = 0; i < 3; ++i) {
            CRect pane(10 + i * 90, 10, 90 + i * 90, 30);
            dc.FillSolidRect(pane, g_uiEnvironment.m_colorBarFace);
            vm->DrawStatusBarPaneBorder(&dc, nullptr, pane, i, styles[i]);
        }
        vm->DrawStatusBarProgress(&dc, nullptr, CRect(10, 40, 150, 58), 100, 40, RGB(0, 120, 215), (COLORREF)-1,
                                  (COLORREF)-1, FALSE);
        vm->DrawStatusBarProgress(&dc, nullptr, CRect(160, 40, 300, 58), 100, 65, RGB(0, 120, 215),
                                  RGB(160, 220, 255), (COLORREF)-1, TRUE);
        vm->DrawStatusBarSizeGrip(&dc, nullptr, CRect(310, 40, 330, 58));
        // Caption bar: info area plain and coloured; buttons idle, hot, pushed.
        vm->FillCaptionBarInfoArea(&dc, &m_plain, CRect(10, 70, 170, 95));
        vm->FillCaptionBarInfoArea(&dc, &m_coloured, CRect(180, 70, 340, 95));
        for (int i = 0; i < 3; ++i) {
            CRect button(10 + i * 60, 105, 60 + i * 60, 125);
            vm->FillCaptionBarButton(&dc, &m_plain, button, (COLORREF)-1, FALSE);
            vm->DrawCaptionBarButtonBorder(&dc, &m_plain, button, i == 2, i == 1);
        }
        CRect messageButton(190, 105, 270, 125);
        vm->FillCaptionBarMessageButton(&dc, &m_message, messageButton, FALSE, FALSE, FALSE, FALSE, FALSE);
        vm->DrawCaptionBarButtonBorder(&dc, &m_message, messageButton, FALSE, FALSE);
        // Outlook-style bar: caption, window area, buttons in four states.
        COLORREF text = 0;
        vm->FillOutlookBarCaption(&dc, CRect(360, 10, 520, 30), text);
        vm->FillOutlookWndArea(&dc, CRect(360, 30, 520, 130));
        for (int i = 0; i < 4; ++i) {
            CRect button(370, 40 + i * 22, 510, 60 + i * 22);
            vm->FillOutlookButton(&dc, button, nullptr, i & 1, (i >> 1) & 1, text);
            vm->DrawOutlookButtonBorder(&dc, button, i & 1, (i >> 1) & 1);
        }
        // Task pane: background, a normal and a special group, tasks, a toolbox
        // group, expand boxes, a scroll button, the frame.
        CRect paneArea(10, 140, 260, 330);
        vm->FillTasksPaneBackground(&dc, paneArea);
        vm->DrawTaskPaneFrame(&dc, paneArea);
        CZUDPTasksPaneGroup* pGroup = m_pane.GetGroup(0);
        pGroup->m_rectCaption = CRect(22, 150, 248, 175);
        vm->DrawTaskGroupCaption(&dc, pGroup, TRUE, FALSE, TRUE);
        vm->DrawTaskGroupBorder(&dc, CRect(22, 175, 248, 260), FALSE, FALSE);
        for (int i = 0; i < 4; ++i) {
            CZUDPTasksPaneTask* pTask = pGroup->GetTask(i);
            pTask->m_bIsSeparator = i == 2;
            pTask->m_rect = CRect(34, 180 + i * 20, 240, 198 + i * 20);
            vm->DrawTask(&dc, pTask, nullptr, i == 0, FALSE);
        }
        CZUDPTasksPaneGroup* pSpecial = m_pane.GetGroup(1);
        pSpecial->m_rectCaption = CRect(22, 268, 248, 293);
        vm->DrawTaskGroupCaption(&dc, pSpecial, FALSE, FALSE, TRUE);
        vm->DrawTasksScrollButton(&dc, CRect(22, 300, 248, 320), 0, 0, TRUE);
        CZUDPTasksPaneGroup* pBox = m_toolBox.GetGroup(0);
        pBox->m_rectCaption = CRect(280, 150, 500, 172);
        vm->DrawTaskGroupCaption(&dc, pBox, FALSE, FALSE, TRUE);
        vm->DrawExpandBox(&dc, CRect(280, 185, 291, 196), TRUE, g_uiEnvironment.m_colorBarText);
        vm->DrawExpandBox(&dc, CRect(300, 185, 311, 196), FALSE, g_uiEnvironment.m_colorBarText);
        // Panel window and the tooltip background.
        vm->FillPanelWindowBackground(&dc, CRect(280, 210, 500, 270));
        vm->DrawPanelWindowBorder(&dc, CRect(280, 210, 500, 270));
        vm->FillPanelWindowCaption(&dc, CRect(282, 212, 498, 230));
        COLORREF tipText = 0, tipLine = 0;
        vm->FillToolTip(&dc, nullptr, CRect(280, 280, 500, 320), tipText, tipLine);
    }
    DECLARE_MESSAGE_MAP()

    CZUDPTasksPane m_pane;
    CZUDPToolBoxEx m_toolBox;
    CZUDPCaptionBar m_plain, m_coloured, m_message;
};

BEGIN_MESSAGE_MAP(PaneElementsWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void ShootPaneElements()
{
    PaneElementsWnd wnd;
    if (!wnd.CreateEx(0, AfxRegisterWndClass(0), "Pane elements", WS_POPUP | WS_BORDER | WS_VISIBLE,
                      CRect(40, 40, 580, 390), nullptr, 0)) {
        Fail("pane-elements", "the window could not be made");
        return;
    }
    Pump(200);
    Photograph("pane-elements", wnd.GetSafeHwnd());
    wnd.DestroyWindow();
}

} // namespace

// A sheet of image strips in their looks, drawn off screen and enlarged
// three times: a 32-bit strip normal, disabled, greyed and retinted; a
// 24-bit strip keyed on magenta normal, faded and disabled.
void ShootImageStrips()
{
    const int side = 16, count = 8, zoom = 3;
    auto mark = [&](int image, int x, int y) -> std::pair<COLORREF, int> {
        // A ring, a square, a bar or a cross, in a colour of its own.
        static const COLORREF colours[] = {RGB(200, 40, 40),  RGB(40, 150, 40), RGB(40, 80, 210), RGB(230, 160, 20),
                                           RGB(150, 50, 180), RGB(20, 160, 170), RGB(90, 90, 90),  RGB(210, 90, 140)};
        int cx = x - 8, cy = y - 8;
        bool inside = false;
        switch (image % 4) {
        case 0: inside = cx * cx + cy * cy <= 42 && cx * cx + cy * cy >= 12; break;
        case 1: inside = x >= 3 && x < 13 && y >= 3 && y < 13; break;
        case 2: inside = y >= 6 && y < 10 && x >= 1 && x < 15; break;
        default: inside = (x == y || x == 15 - y || x + 1 == y || x + 1 == 15 - y) && x > 1 && x < 14; break;
        }
        return {colours[image], inside ? 255 : 0};
    };
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = side * count;
    info.bmiHeader.biHeight = -side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP alpha = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    BITMAPINFO keyedInfo = info;
    keyedInfo.bmiHeader.biBitCount = 24;
    void* keyedBits = nullptr;
    HBITMAP keyed = ::CreateDIBSection(nullptr, &keyedInfo, DIB_RGB_COLORS, &keyedBits, nullptr, 0);
    if (alpha == nullptr || keyed == nullptr) {
        Fail("image-strips", "no bitmap for the strips");
        return;
    }
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side * count; ++x) {
            auto [colour, a] = mark(x / side, x % side, y);
            DWORD* p = static_cast<DWORD*>(bits) + y * side * count + x;
            *p = a == 0 ? 0 : 0xFF000000u | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
            BYTE* k = static_cast<BYTE*>(keyedBits) + y * ((side * count * 3 + 3) & ~3) + x * 3;
            DWORD rgb = a == 0 ? 0x00FF00FFu : *p & 0x00FFFFFFu;
            k[0] = BYTE(rgb);
            k[1] = BYTE(rgb >> 8);
            k[2] = BYTE(rgb >> 16);
        }

    CZUDPToolBarImages normal, greyed, retinted;
    CZUDPToolBarImages keyedStrip;
    for (CZUDPToolBarImages* strip : {&normal, &greyed, &retinted})
        strip->SetImageSize(CSize(side, side)), strip->AppendBitmap(alpha, TRUE);
    keyedStrip.SetImageSize(CSize(side, side));
    keyedStrip.AppendBitmap(keyed, TRUE);
    keyedStrip.SetTransparentColor(RGB(255, 0, 255));
    keyedStrip.SetLightForAllDepths(TRUE);
    greyed.ConvertToGray();
    retinted.RetintByHue(RGB(200, 40, 40), RGB(40, 80, 210));
    ::DeleteObject(alpha);
    ::DeleteObject(keyed);

    const int rows = 7, width = side * count + 8, height = rows * (side + 4) + 4;
    trovtest::DibCanvas sheet(width, height);
    sheet.Fill(g_uiEnvironment.m_colorButtonFace);
    CDC dc;
    dc.Attach(sheet.Dc());
    auto row = [&](CZUDPToolBarImages& strip, int r, BOOL disabled, BOOL fade, BOOL inactive) {
        CZUDPImageDrawState ds;
        if (!strip.BeginDrawing(ds, 0, 0, fade))
            return;
        for (int i = 0; i < count; ++i)
            strip.RenderImage(&dc, 4 + i * side, 4 + r * (side + 4), i, FALSE, disabled, FALSE, FALSE, inactive);
        strip.FinishDrawing(ds);
    };
    row(normal, 0, FALSE, FALSE, FALSE);
    row(normal, 1, TRUE, FALSE, FALSE);
    row(greyed, 2, FALSE, FALSE, FALSE);
    row(retinted, 3, FALSE, FALSE, FALSE);
    row(keyedStrip, 4, FALSE, FALSE, FALSE);
    row(keyedStrip, 5, FALSE, TRUE, TRUE);
    row(keyedStrip, 6, TRUE, FALSE, FALSE);
    dc.Detach();

    // Enlarged, so that single pixels can be seen.
    HWND window = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "Image strips", WS_POPUP | WS_VISIBLE | WS_BORDER,
                                    20, 20, width * zoom + 2, height * zoom + 2, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) {
        Fail("image-strips", "no window for the sheet");
        return;
    }
    Pump(100);
    HDC windowDC = ::GetDC(window);
    ::StretchBlt(windowDC, 0, 0, width * zoom, height * zoom, sheet.Dc(), 0, 0, width, height, SRCCOPY);
    ::ReleaseDC(window, windowDC);
    ::ValidateRect(window, nullptr);
    ::GdiFlush();
    // Photographed straight from the window: a repaint would wipe it.
    RECT rect;
    ::GetClientRect(window, &rect);
    trovtest::DibCanvas picture(rect.right, rect.bottom);
    HDC from = ::GetDC(window);
    ::BitBlt(picture.Dc(), 0, 0, rect.right, rect.bottom, from, 0, 0, SRCCOPY);
    ::ReleaseDC(window, from);
    ::DestroyWindow(window);
    std::vector<std::pair<COLORREF, int>> colours = picture.Histogram(picture.Rect());
    if (colours.size() < 8) {
        Fail("image-strips", "the sheet shows too few colours");
        return;
    }
    if (!picture.SaveBmp((g_out + "\\image-strips.bmp").c_str())) {
        Fail("image-strips", "the picture could not be written");
        return;
    }
    ++g_shots;
    printf("image-strips: %d x %d, %d colours\n", picture.Width(), picture.Height(), (int)colours.size());
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: trov_window_gallery <work folder> <output folder>\n");
        return 2;
    }
    std::string work = argv[1];
    g_out = argv[2];
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_SHOW);
    StartSocketLayer();
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    ::SetCurrentDirectoryA(work.c_str());
    if (FILE* ini = fopen("trov_window_gallery.ini", "wb")) {
        fputs("[misc]\r\nname=TROVconf\r\n", ini);
        fclose(ini);
    }
    // TROV_GALLERY_ONLY=planner (or toolbars) photographs the planner's (or
    // the toolbars') sheets alone, to look at them again quickly while
    // working on them; =menus the menu buttons' sheet.
    const char* only = getenv("TROV_GALLERY_ONLY");
    if (only != nullptr && strcmp(only, "planner") == 0) {
        ShootPlannerSheets(Photograph);
        ShootPlannerInputSheets(Photograph);
        ShootPlannerViewSheets(Photograph);
        ShootCalendarSheets(Photograph);
        ShootPlannerPrintSheets(Photograph);
        printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
        return g_failures.empty() ? 0 : 1;
    }
    // TROV_GALLERY_ONLY=menus: the menu buttons' sheet alone.
    if (only != nullptr && strcmp(only, "floating") == 0) {
        if (!ShootFloatingFrameSheets(Photograph, Pump))
            Fail("floating-frames", "a frame could not be made, its options menu did not open or it did not roll up");
        printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
        return g_failures.empty() ? 0 : 1;
    }
    if (only != nullptr && strcmp(only, "menus") == 0) {
        ShootMenuButtonSheet(Photograph);
        printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
        return g_failures.empty() ? 0 : 1;
    }
    if (only != nullptr && strcmp(only, "toolbars") == 0) {
        if (!ShootToolBarSheets(Photograph, Pump))
            Fail("toolbar-floating-wrapped", "a toolbar could not be made or did not float");
        printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
        return g_failures.empty() ? 0 : 1;
    }
    // TROV_GALLERY_ONLY=controls: the toolbar controls alone.
    if (only != nullptr && strcmp(only, "controls") == 0) {
        if (!ShootToolbarControlSheets(Photograph, Pump))
            Fail("toolbar-controls", "the calculator or the drop-down window did not open");
        printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
        return g_failures.empty() ? 0 : 1;
    }
    // TROV_GALLERY_ONLY=popups: the popup menus' sheet alone.
    if (only != nullptr && strcmp(only, "popups") == 0) {
        if (!ShootPopupMenuSheets(Photograph, Pump))
            Fail("popup-menus", "a popup menu did not open");
        printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
        return g_failures.empty() ? 0 : 1;
    }
    // TROV_GALLERY_ONLY=customize: the customization sheet and its pages alone.
    if (only != nullptr && strcmp(only, "customize") == 0) {
        if (!ShootCustomizeSheets(Photograph, Pump))
            Fail("customize", "the customization sheet or the toolbar-name dialog could not be made");
        if (!ShootCustomizePageSheets(Photograph, Pump))
            Fail("customize-pages", "the frame or the sheet of the customization pages could not be made");
        printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
        return g_failures.empty() ? 0 : 1;
    }
    // TROV_GALLERY_ONLY=menubar: the menu bar's sheet alone.
    if (only != nullptr && strcmp(only, "menubar") == 0) {
        if (!ShootMenuBarSheets(Photograph, Pump))
            Fail("menubar", "a window could not be made or the menu bar's menu or MDI buttons did not appear");
        printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
        return g_failures.empty() ? 0 : 1;
    }
    // TROV_GALLERY_ONLY=colour: the colour bar and the button dialogs alone.
    if (only != nullptr && strcmp(only, "colour") == 0) {
        if (!ShootColorBarSheets(Photograph, Pump))
            Fail("colour-bars", "a window could not be made");
        printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
        return g_failures.empty() ? 0 : 1;
    }
    {
        // No probe leaves the machine and no adapter is listed; the program's
        // own boxes are answered while its windows are photographed, and
        // shown for real for their own pictures.
        ScopedSeam probe(g_appSeams.broadcast, NoProbe);
        ScopedSeam adapters(g_appSeams.networkAdapters, NoAdapters);
        {
            ScopedSeam boxes(g_appSeams.messageBox, NoBox);
            ShootMainWindow(work);
            ShootProgressWindow();
            ShootDialogs(work);
        }
        ShootMessageBoxes();
        ShootPropertySheets();
        ShootColorDialogs();
        ShootToolTips();
        ShootPaneElements();
        ShootImageStrips();
    }
    if (!ShootLibraryDrawings(Photograph, Pump))
        Fail("library-glyphs-and-renderers", "the window could not be made");
    ShootControlFamiliesSheet(Photograph);
    ShootBarAndCaptionSheets(Photograph);
    ShootMenuButtonSheet(Photograph);
    ShootVisualManagerSheets(Photograph);
    ShootTabWindowSheets(Photograph);
    ShootControlSheets(Photograph);
    ShootDialogControlsSheets(Photograph);
    ShootPlannerSheets(Photograph);
    ShootPlannerInputSheets(Photograph);
    ShootPlannerViewSheets(Photograph);
    ShootCalendarSheets(Photograph);
    ShootPlannerPrintSheets(Photograph);
    if (!ShootColorPickerSheet(Photograph, Pump))
        Fail("colour-pickers", "the window could not be made");
    if (!ShootPaneSheets(Photograph, Pump))
        Fail("pane-frame-docked", "the frame could not be made or its pane menu did not open");
    if (!ShootDockingSheets(Photograph, Pump))
        Fail("docking-frame", "the frame could not be made or its bars menu did not open");
    if (!ShootToolBarSheets(Photograph, Pump))
        Fail("toolbar-floating-wrapped", "a toolbar could not be made or did not float");
    if (!ShootPopupMenuSheets(Photograph, Pump))
        Fail("popup-menus", "a popup menu did not open");
    if (!ShootColorBarSheets(Photograph, Pump))
        Fail("colour-bars", "a window could not be made");
    if (!ShootFrameSheets(Photograph, Pump))
        Fail("library-frames", "a frame or application bar could not be made");
    if (!ShootMenuBarSheets(Photograph, Pump))
        Fail("menubar", "a window could not be made or the menu bar's menu or MDI buttons did not appear");
    if (!ShootToolbarControlSheets(Photograph, Pump))
        Fail("toolbar-controls", "the calculator or the drop-down window did not open");
    if (!ShootCustomizeSheets(Photograph, Pump))
        Fail("customize", "the customization sheet or the toolbar-name dialog could not be made");
    if (!ShootCustomizePageSheets(Photograph, Pump))
        Fail("customize-pages", "the frame or the sheet of the customization pages could not be made");
    if (!ShootFloatingFrameSheets(Photograph, Pump))
        Fail("floating-frames", "a frame could not be made, its options menu did not open or it did not roll up");

    printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
    return g_failures.empty() ? 0 : 1;
}
