// trov_startup_bench: the main window's start-up with a long saved machine
// list against the same start-up with an empty list, in the same run.  Run
// under Wine (headless is fine):
//
//   trov_startup_bench [MACHINES] [ROUNDS]   (default 20000 machines, 5 rounds)
//
// Each round runs the main window modally, as the program does, in a
// settings folder of its own whose machines.xml holds MACHINES machines or
// none; the time is taken from building the window to the end of its first
// WM_PAINT (its first picture on the screen).  The window is closed once
// its start-up is over.  Both lists run twice to warm up, then in
// alternating rounds; each round's times and the median ratio long list /
// empty list are printed (goal: 1.5 or less).  Also printed: the time
// until start-up was over (the saved machines read and given their rows,
// the first probe sent), and the longest time the window did not answer
// after its first paint (a message posted to it from another thread every
// few milliseconds, one at a time, measured until its window procedure has
// it).
//
// Nothing leaves the machine: the probe broadcast, the network adapters and
// the message boxes are answered by the benchmark.
#include "framework/win/WinApp.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/MachineListFile.h"
#include "app/MachineMap.h"
#include "app/SettingsPaths.h"
#include "app/win/AppSeams.h"
#include "app/win/trovconfDlg.h"
#include "bench/win/AlternatingRounds.h"
#include "tests/common/MessagePumpWin.h"
#include "tests/common/TempDir.h"

namespace {

using benchrounds::Now;

struct Round {
    double painted = 0; // building the window to the end of its first paint
    double over = 0;    // ... to the end of start-up (rows filled, probe sent)
    double stalled = 0; // the longest a posted message waited after the first paint
};

// The main window as the program runs it, watched from its own window
// procedure (no message hooks: under Wine every hooked message costs a trip
// to the server, which would swamp what is measured).
class TimedWindow : public CtrovconfDlg {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

TimedWindow* g_window = nullptr;
double g_start = 0;
bool g_painted = false;
bool g_closing = false;
Round g_round;

// A message posted to the window from another thread every few
// milliseconds, one at a time, with its time of posting: how long it waits
// is how long the window does not answer.
const UINT kPing = WM_APP + 999;
std::atomic<HWND> g_pinged{nullptr};
std::atomic<bool> g_pinging{false};
std::atomic<bool> g_pingWaiting{false};
std::atomic<double> g_pingedAt{0};

LRESULT TimedWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPing) {
        g_round.stalled = std::max(g_round.stalled, Now() - g_pingedAt.load());
        g_pingWaiting = false;
        return 0;
    }
    LRESULT result = CtrovconfDlg::WindowProc(message, wParam, lParam);
    if (message == WM_PAINT && !g_painted) {
        g_painted = true;
        g_round.painted = Now() - g_start;
        // From here on the window is to answer.
        g_pinged = m_hWnd;
    }
    if (g_painted && !g_closing && IsStartUpOver()) {
        g_closing = true;
        g_round.over = Now() - g_start;
        PostMessage(WM_COMMAND, IDCANCEL);
    }
    return result;
}

int AnswerBox(HWND, const char*, const char*, UINT) { return IDOK; }
bool NoAdapters(std::vector<IP_ADAPTER_INFO>*) { return false; }
void NoBroadcast(const char*, bool, CDiscoveryLog*) {}

Round RunOnce(const std::string& appData)
{
    CSettingsPaths::SetBaseFolderOverride(0, appData.c_str());
    CSettingsPaths::SetBaseFolderOverride(1, appData.c_str());
    g_round = Round();
    g_painted = false;
    g_closing = false;
    g_pinged = nullptr;
    g_pingWaiting = false;
    g_pinging = true;
    std::thread pinger([] {
        while (g_pinging) {
            HWND window = g_pinged.load();
            if (window && !g_pingWaiting) {
                g_pingWaiting = true;
                g_pingedAt = Now();
                ::PostMessageA(window, kPing, 0, 0);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    g_start = Now();
    {
        TimedWindow window;
        g_window = &window;
        window.DoModal();
        g_pinged = nullptr;
        g_window = nullptr;
    }
    g_pinging = false;
    pinger.join();
    trovtest::PumpPending();
    return g_round;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    if (count < 1 || rounds < 1) {
        std::fprintf(stderr, "usage: trov_startup_bench [MACHINES] [ROUNDS]\n");
        return 2;
    }
    trovtest::InitFrameworkForTests();
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    AfxSocketInit();
    ScopedSeams seams;
    seams.Replace(g_appSeams.messageBox, AnswerBox);
    seams.Replace(g_appSeams.networkAdapters, NoAdapters);
    seams.Replace(g_appSeams.broadcast, NoBroadcast);

    // The program reads its name from <module base name>.ini in the working
    // folder.
    trovtest::TempDir work, full, empty;
    ::SetCurrentDirectoryA(work.Path().c_str());
    work.Write("trov_startup_bench.ini", "[misc]\r\nname=TROVconf\r\n");
    for (const trovtest::TempDir* folder : {&full, &empty})
        ::CreateDirectoryA((folder->Path() + "\\trovconf").c_str(), nullptr);
    {
        CMachineMap map;
        for (int i = 0; i < count; ++i) {
            uint32_t address = 0x0A000000u + (uint32_t)((i * 7919) % 0xFFFFFF) + 1;
            CMachine* m = new CMachine(CIpAddress(address), 1);
            char text[64];
            std::snprintf(text, sizeof text, "controller-%05d", i);
            m->m_hostName = text;
            std::snprintf(text, sizeof text, "line %d", i % 40);
            m->m_comment = text;
            m->m_config = "dosing.lmx";
            m->m_ifNumber = 1;
            m->m_ifValues[kIf1Ip] = (const char*)CIpAddressText(address);
            m->SetVersion("4v2r11-b3");
            std::snprintf(text, sizeof text, "00:50:C2:%02X:%02X:%02X", (i >> 16) & 255, (i >> 8) & 255, i & 255);
            m->m_mac = text;
            map.SetMachine(CIpAddress(address), m);
        }
        CMachineMap none;
        CString error;
        if (!CMachineListFile::WriteFile((full.Path() + "\\trovconf\\machines.xml").c_str(), map, &error) ||
            !CMachineListFile::WriteFile((empty.Path() + "\\trovconf\\machines.xml").c_str(), none, &error)) {
            std::fprintf(stderr, "trov_startup_bench: %s\n", (const char*)error);
            return 1;
        }
        map.DeleteAll();
    }

    for (int i = 0; i < 2; ++i) {
        RunOnce(full.Path());
        RunOnce(empty.Path());
    }
    std::vector<double> ratios, longPainted, emptyPainted, longOver, longStalled, emptyStalled;
    for (int round = 0; round < rounds; ++round) {
        Round l, e;
        if (round % 2 == 0) {
            l = RunOnce(full.Path());
            e = RunOnce(empty.Path());
        } else {
            e = RunOnce(empty.Path());
            l = RunOnce(full.Path());
        }
        if (l.painted <= 0 || e.painted <= 0) {
            std::fprintf(stderr, "trov_startup_bench: the window never painted\n");
            return 1;
        }
        std::printf("round %d: first paint %.1f ms with %d machines, %.1f ms empty (ratio %.2f); start-up over "
                    "after %.1f / %.1f ms; longest unanswered %.1f / %.1f ms\n",
                    round + 1, l.painted * 1000, count, e.painted * 1000, l.painted / e.painted, l.over * 1000,
                    e.over * 1000, l.stalled * 1000, e.stalled * 1000);
        ratios.push_back(l.painted / e.painted);
        longPainted.push_back(l.painted);
        emptyPainted.push_back(e.painted);
        longOver.push_back(l.over);
        longStalled.push_back(l.stalled);
        emptyStalled.push_back(e.stalled);
    }
    std::printf("%d machines: first paint %.1f ms against %.1f ms with an empty list: median ratio %.2f (goal 1.5 "
                "or less); start-up over after %.1f ms; longest unanswered %.1f ms (empty list %.1f ms)\n",
                count, Median(longPainted) * 1000, Median(emptyPainted) * 1000, Median(ratios),
                Median(longOver) * 1000, Median(longStalled) * 1000, Median(emptyStalled) * 1000);
    CSettingsPaths::SetBaseFolderOverride(0, nullptr);
    CSettingsPaths::SetBaseFolderOverride(1, nullptr);
    return 0;
}
