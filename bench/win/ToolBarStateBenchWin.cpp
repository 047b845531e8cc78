// trov_toolbar_state_bench: the saved state of 20 docked toolbars of 30
// buttons each (a separator after every fifth), saved and loaded through the
// workspace as at the end and the start of a run, against bare
// RegCreateKeyEx / RegSetValueEx and RegOpenKeyEx / RegQueryValueEx of
// exactly the keys, values and bytes the library wrote (read back from the
// registry after a library save).  Goal: 1.5 or less.
//
// Run under Wine:
//
//   trov_toolbar_state_bench [ROUNDS]      (default 7 rounds)
//
// Both sides are warmed up and run in alternating rounds; each round's
// ratio library / bare is printed with the median.  Everything is written
// below HKCU\Software\TROVconf Tests\ToolBarStateBench and removed at the
// end.
#include "framework/String.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kCompany = "TROVconf Tests\\ToolBarStateBench";
const char* const kRoot = "Software\\TROVconf Tests\\ToolBarStateBench";
const char* const kBareRoot = "Software\\TROVconf Tests\\ToolBarStateBench-Bare";
const UINT kBars = 20;
const int kButtons = 30;

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

class CBenchApp : public CWinApp, public CZUDPWorkspace {
public:
    CBenchApp() : CWinApp("ToolBarStateBench") { SetRegistryKey(kCompany); }
};

struct StoredValue {
    std::string key;
    std::string name;
    DWORD type;
    std::vector<BYTE> bytes;
};

void CollectValues(HKEY hParent, const std::string& path, std::vector<StoredValue>& out)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hParent, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nName = sizeof(name);
        DWORD type = 0;
        std::vector<BYTE> data(65536);
        DWORD nData = DWORD(data.size());
        if (::RegEnumValueA(hKey, i, name, &nName, nullptr, &type, data.data(), &nData) != ERROR_SUCCESS)
            break;
        data.resize(nData);
        out.push_back({path, name, type, std::move(data)});
    }
    for (DWORD i = 0;; ++i) {
        char sub[256];
        DWORD nSub = sizeof(sub);
        if (::RegEnumKeyExA(hKey, i, sub, &nSub, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        CollectValues(hParent, path + "\\" + sub, out);
    }
    ::RegCloseKey(hKey);
}

double BareSaveLoad(const std::vector<StoredValue>& values)
{
    const double start = Now();
    const std::string bare = kBareRoot;
    const std::string root = kRoot;
    for (const StoredValue& v : values) {
        HKEY hKey = nullptr;
        const std::string key = bare + v.key.substr(root.size());
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey,
                              nullptr) != ERROR_SUCCESS)
            std::abort();
        ::RegSetValueExA(hKey, v.name.c_str(), 0, v.type, v.bytes.data(), DWORD(v.bytes.size()));
        ::RegCloseKey(hKey);
    }
    std::vector<BYTE> buffer(65536);
    for (const StoredValue& v : values) {
        HKEY hKey = nullptr;
        const std::string key = bare + v.key.substr(root.size());
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            std::abort();
        DWORD nBytes = DWORD(buffer.size());
        ::RegQueryValueExA(hKey, v.name.c_str(), nullptr, nullptr, buffer.data(), &nBytes);
        ::RegCloseKey(hKey);
    }
    return Now() - start;
}

CZUDPToolBar* MakeBar(CFrameWnd& frame, UINT nID)
{
    auto* pBar = new CZUDPToolBar;
    if (!pBar->CreatePane(nullptr, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(0, 0, 10, 10), &frame, nID,
                          ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK))
        std::abort();
    CString name;
    name.Format("Bar %u", nID);
    pBar->SetWindowText(name);
    for (int i = 0; i < kButtons; ++i) {
        if (i % 6 == 5) {
            pBar->InsertSeparator();
            continue;
        }
        CString text;
        text.Format("Command %d", i);
        pBar->InsertButton(new CZUDPToolbarButton(nID * 100 + UINT(i), i, text, FALSE, TRUE));
    }
    pBar->SetDockableSides(CBRS_ALIGN_ANY);
    return pBar;
}

double g_saveTime = 0;

double LibrarySaveLoad(CBenchApp& app, CZUDPFrameWnd& frame)
{
    const double start = Now();
    app.SaveState(nullptr, &frame.GetFrameImpl());
    g_saveTime = Now() - start;
    app.LoadState(nullptr, &frame.GetFrameImpl());
    return Now() - start;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 7;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kBareRoot);
    CBenchApp app;
    std::vector<double> ratios;
    {
        CZUDPFrameWnd frame;
        if (!frame.Create(nullptr, "Toolbar state", WS_OVERLAPPEDWINDOW, CRect(30, 30, 830, 630)))
            return 1;
        std::vector<std::unique_ptr<CZUDPToolBar>> bars;
        for (UINT i = 0; i < kBars; ++i) {
            bars.emplace_back(MakeBar(frame, 100 + i));
            frame.DockBarAtSite(bars.back().get(), AFX_IDW_DOCKBAR_TOP, nullptr);
        }
        frame.RecalcLayout();

        app.SaveState(nullptr, &frame.GetFrameImpl());
        std::vector<StoredValue> values;
        CollectValues(HKEY_CURRENT_USER, kRoot, values);
        size_t nBytes = 0;
        for (const StoredValue& v : values)
            nBytes += v.bytes.size();
        std::printf("toolbar state: %u bars of %d buttons, %zu values, %zu bytes\n", kBars, kButtons, values.size(),
                    nBytes);
        for (int i = 0; i < 3; ++i) {
            LibrarySaveLoad(app, frame);
            BareSaveLoad(values);
        }
        for (int round = 0; round < rounds; ++round) {
            double library, bare;
            if (round % 2 == 0) {
                library = LibrarySaveLoad(app, frame);
                bare = BareSaveLoad(values);
            } else {
                bare = BareSaveLoad(values);
                library = LibrarySaveLoad(app, frame);
            }
            ratios.push_back(library / bare);
            std::printf("round %d: library %.3f ms (save %.3f ms), bare %.3f ms, ratio %.2f\n", round + 1,
                        library * 1000, g_saveTime * 1000, bare * 1000, library / bare);
        }
        frame.DestroyWindow();
    }
    std::printf("median ratio, toolbar state saved and loaded / bare registry: %.2f (goal <= 1.5)\n",
                Median(ratios));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kBareRoot);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TROVconf Tests");
    return 0;
}
