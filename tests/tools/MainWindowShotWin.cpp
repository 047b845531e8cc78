// Shows the main window with both machine lists filled and writes what the
// screen shows of it to a BMP file (tests/shot/main-window-shot.sh turns it
// into a PNG).  Run on a real display driver (Xvfb), not the null one.
//
//   trov_main_window_shot.exe <work folder> <output.bmp>
//
// Exit code 0 when the window appeared and the picture was written, 1 when
// the window did not appear, 2 when the picture could not be written.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Discovery.h"
#include "framework/win/WinApp.h"
#include "app/SettingsPaths.h"
#include "app/win/AppDialogs.h"
#include "app/win/trovconfDlg.h"
#include "res/resource.h"
#include "support/DRBSocket.h"
#include "tests/common/SimController.h"

namespace {

int NoBox(const char* text, const char*, UINT)
{
    fprintf(stderr, "message box: %s\n", text);
    return IDOK;
}

void NoProbe(const char*, bool, CDiscoveryLog*) {}

bool NoAdapters(std::vector<IP_ADAPTER_INFO>*)
{
    return false;
}

void Pump(DWORD milliseconds)
{
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
}

bool WriteBmp(const char* path, HWND window)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + (DWORD)(stride * height);
    bool written = false;
    if (FILE* out = fopen(path, "wb")) {
        written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                  fwrite(bits, (size_t)(stride * height), 1, out) == 1;
        written = fclose(out) == 0 && written;
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return written;
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

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: trov_main_window_shot <work folder> <output.bmp>\n");
        return 2;
    }
    std::string work = argv[1];
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_SHOW);
    StartSocketLayer();
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    ::SetCurrentDirectoryA(work.c_str());
    if (FILE* ini = fopen("trov_main_window_shot.ini", "wb")) {
        fputs("[misc]\r\nname=TROVconf\r\n", ini);
        fclose(ini);
    }
    CSettingsPaths::SetBaseFolderOverride(0, work.c_str());
    CSettingsPaths::SetBaseFolderOverride(1, work.c_str());
    MakeFolderPath((work + "\\trovconf").c_str());
    if (FILE* saved = fopen((work + "\\trovconf\\machines.xml").c_str(), "wb")) {
        fputs(kSaved, saved);
        fclose(saved);
    }
    SetAppMessageBoxHook(NoBox);
    CtrovconfDlg::SetProbeBroadcaster(NoProbe);
    CtrovconfDlg::SetAdapterSource(NoAdapters);

    CtrovconfDlg dialog;
    if (!dialog.Create(IDD_TROVCONF_DIALOG)) {
        fprintf(stderr, "the main window could not be created (error %lu)\n", ::GetLastError());
        return 1;
    }
    dialog.SetWindowPos(nullptr, 20, 20, 1180, 520, SWP_NOZORDER);
    dialog.ShowLogPane(1);
    dialog.GetLogSplitter().m_position = 360;
    dialog.GetLogSplitter().Relayout();
    dialog.GetListSplitter().m_position = 150;
    dialog.GetListSplitter().Relayout();

    // Replies as the controllers send them, read by the discovery path.
    CDiscovery discovery(dialog, &dialog);
    discovery.SetDebug(true);
    struct Reply {
        const char *ip, *mac, *host, *version, *board;
        bool ident;
    } replies[] = {
        {"10.20.0.11", "00:50:C2:10:00:11", "Mixer-1", "4v2r11-b3", "", false},
        {"10.20.0.21", "00:50:C2:10:00:21", "Filler-7", "4v3r2-c", "RPI", true},
        {"10.20.0.22", "00:50:C2:10:00:22", "Sorter-8", "4v3r2-c", "K420", false},
        {"10.20.0.22", "00:50:C2:10:00:99", "Sorter-9", "4v0r0-x", "", false},
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
    dialog.SendMessage(WM_TIMER, CtrovconfDlg::kTimerTick);
    dialog.ShowWindow(SW_SHOW);
    dialog.UpdateWindow();
    Pump(1500);
    if (!::IsWindowVisible(dialog.m_hWnd)) {
        fprintf(stderr, "the main window is not visible\n");
        return 1;
    }
    int result = WriteBmp(argv[2], dialog.m_hWnd) ? 0 : 2;
    dialog.DestroyWindow();
    return result;
}
