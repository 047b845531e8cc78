// The gallery: every window of the program made and photographed on a real
// display driver (Xvfb), each written as <name>.bmp into the output folder
// (tests/shot/window-gallery.sh turns them into PNGs and a contact sheet).
// The main window with both machine lists filled and the log pane, the
// progress window while a run is under way, every dialog, and the message
// boxes.  Modal windows are photographed from a thread timer running inside
// their own modal loop, then closed from there.
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
#include "ui/controls/ZUDPMessageBox.h"

// Sheets of the visual manager's element families (VisualManagerSheetsWin.cpp).
void ShootVisualManagerSheets(const std::function<void(const std::string&, HWND)>& photograph);

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
}

} // namespace

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
    }
    ShootVisualManagerSheets([](const std::string& name, HWND window) { Photograph(name, window); });

    printf("%d pictures, %d failures\n", g_shots, (int)g_failures.size());
    return g_failures.empty() ? 0 : 1;
}
