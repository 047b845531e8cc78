// trov_frame_bench: two figures of the library's single-document frame.
//
//  1. The frame's state saved and loaded through the workspace (10 docked
//     toolbars, 3 user-defined toolbars, 2 torn-off bars, the window
//     placement) against bare RegCreateKeyEx / RegSetValueEx and
//     RegOpenKeyEx / RegQueryValueEx of exactly the keys, values and bytes
//     the library wrote (read back from the registry after a library save).
//     Goal: 2 or less.
//  2. The custom caption's non-client paint (WM_NCPAINT through the frame
//     implementation and a recording visual manager that fills the caption
//     and its buttons) against GetWindowDC and FillRect of the same
//     rectangles.  Goal: 1.5 or less.
//
// Run under Wine:
//
//   trov_frame_bench [ROUNDS]      (default 7 rounds)
//
// With TROV_FRAME_BENCH_PARTS set, the load's parts are timed once as
// well: the torn-off bars made again, the placement, and the rest of the
// workspace's load.
//
// Both sides are warmed up and run in alternating rounds; each round's
// ratio library / bare is printed with the median.  Everything is written
// below HKCU\Software\TROVconf Tests\FrameBench and removed at the end.
#include "framework/String.h"
#include "framework/win/WinApp.h"
#include "tests/common/ui/RecordingVisualManager.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPCaptionButton.h"
#include "ui/docking/ZUDPDockBar.h"
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

const char* const kCompany = "TROVconf Tests\\FrameBench";
const char* const kRoot = "Software\\TROVconf Tests\\FrameBench";
const char* const kBareRoot = "Software\\TROVconf Tests\\FrameBench-Bare";

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

class CBenchApp : public CWinApp, public CZUDPWorkspace {
public:
    CBenchApp() : CWinApp("FrameBench") { SetRegistryKey(kCompany); }
};

// One stored value: the key below the root, its name, type and bytes.
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
        BYTE data[8192];
        DWORD nData = sizeof(data);
        if (::RegEnumValueA(hKey, i, name, &nName, nullptr, &type, data, &nData) != ERROR_SUCCESS)
            break;
        out.push_back({path, name, type, std::vector<BYTE>(data, data + nData)});
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
    std::vector<BYTE> buffer(8192);
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

CZUDPToolBar* MakeBar(CFrameWnd& frame, UINT nID, BOOL bVisible)
{
    auto* pBar = new CZUDPToolBar;
    if (!pBar->CreatePane(nullptr, WS_CHILD | (bVisible ? WS_VISIBLE : 0) | CBRS_TOP | CBRS_GRIPPER,
                          CRect(0, 0, 10, 10), &frame, nID, ZUDP_CBRS_FLOAT | ZUDP_CBRS_DOCK))
        std::abort();
    CString name;
    name.Format("Bar %u", nID);
    pBar->SetWindowText(name);
    for (int i = 0; i < 12; ++i)
        pBar->InsertButton(new CZUDPToolbarButton(nID * 100 + UINT(i), -1, "Button", FALSE, TRUE));
    pBar->SetDockableSides(CBRS_ALIGN_ANY);
    return pBar;
}

double g_saveTime = 0;

double LibrarySaveLoad(CBenchApp& app, CZUDPFrameWnd& frame)
{
    const double start = Now();
    app.SaveState(nullptr, &frame.GetFrameImpl());
    g_saveTime = Now() - start;
    // The load makes the torn-off bars again, as at start-up.
    app.LoadState(nullptr, &frame.GetFrameImpl());
    return Now() - start;
}

// The custom caption's rectangles, filled by the recording manager in
// place of the base manager's (empty) drawing.
struct CaptionRects {
    CRect caption;
    std::vector<CRect> buttons;
};

CaptionRects RectsOf(CZUDPFrameImpl& impl)
{
    CaptionRects rects;
    impl.GetCaptionRect(rects.caption);
    for (POSITION pos = impl.GetCaptionButtons().GetHeadPosition(); pos != nullptr;)
        rects.buttons.push_back(static_cast<CZUDPFrameCaptionButton*>(impl.GetCaptionButtons().GetNext(pos))->m_rect);
    return rects;
}

void FillCaption(HDC hDC, const CaptionRects& rects, HBRUSH hCaption, HBRUSH hButton)
{
    ::FillRect(hDC, &rects.caption, hCaption);
    for (const CRect& rect : rects.buttons)
        ::FillRect(hDC, &rect, hButton);
}

const int kPaints = 400;

double LibraryPaint(CZUDPFrameWnd& frame)
{
    const double start = Now();
    for (int i = 0; i < kPaints; ++i)
        frame.SendMessage(WM_NCPAINT, 1);
    return Now() - start;
}

double BarePaint(CZUDPFrameWnd& frame, const CaptionRects& rects, HBRUSH hCaption, HBRUSH hButton)
{
    const double start = Now();
    for (int i = 0; i < kPaints; ++i) {
        HDC hDC = ::GetWindowDC(frame.m_hWnd);
        FillCaption(hDC, rects, hCaption, hButton);
        ::ReleaseDC(frame.m_hWnd, hDC);
    }
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

    // --- state
    std::vector<double> stateRatios;
    {
        CZUDPFrameWnd frame;
        if (!frame.Create(nullptr, "Frame state", WS_OVERLAPPEDWINDOW, CRect(30, 30, 630, 430)))
            return 1;
        std::vector<std::unique_ptr<CZUDPToolBar>> docked;
        for (UINT i = 0; i < 10; ++i) {
            docked.emplace_back(MakeBar(frame, 100 + i, TRUE));
            frame.DockBarAtSite(docked.back().get(), AFX_IDW_DOCKBAR_TOP, nullptr);
        }
        CZUDPFrameImpl& impl = frame.GetFrameImpl();
        impl.m_uiUserToolbarFirst = 0xE000;
        impl.m_uiUserToolbarLast = 0xE002;
        for (UINT i = 0; i < 3; ++i)
            impl.m_listUserDefinedToolbars.AddTail(MakeBar(frame, 0xE000 + i, TRUE));
        for (UINT i = 0; i < 2; ++i)
            impl.m_listTearOffToolbars.AddTail(MakeBar(frame, 0xE100 + i, TRUE));
        frame.RecalcLayout();

        app.SaveState(nullptr, &impl);
        std::vector<StoredValue> values;
        CollectValues(HKEY_CURRENT_USER, kRoot, values);
        size_t nBytes = 0;
        for (const StoredValue& v : values)
            nBytes += v.bytes.size();
        std::printf("state: %zu values, %zu bytes\n", values.size(), nBytes);
        for (int i = 0; i < 3; ++i) {
            LibrarySaveLoad(app, frame);
            BareSaveLoad(values);
        }
        if (std::getenv("TROV_FRAME_BENCH_PARTS") != nullptr) {
            double t = Now();
            impl.LoadTearOffBars();
            std::printf("tear-off load %.3f ms\n", (Now() - t) * 1000);
            t = Now();
            app.ReloadWindowPlacement(&frame);
            std::printf("placement %.3f ms\n", (Now() - t) * 1000);
            t = Now();
            app.EnableLoadWindowPlacement(FALSE);
            app.LoadState(nullptr, &impl);
            app.EnableLoadWindowPlacement(TRUE);
            std::printf("load without placement %.3f ms\n", (Now() - t) * 1000);
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
            stateRatios.push_back(library / bare);
            std::printf("state round %d: library %.3f ms (save %.3f ms), bare %.3f ms, ratio %.2f\n", round + 1,
                        library * 1000, g_saveTime * 1000, bare * 1000, library / bare);
        }
        frame.DestroyWindow();
    }

    // --- custom caption paint
    std::vector<double> paintRatios;
    {
        uitest::RecordingManagerScope manager;
        manager->answers["UsesCustomCaption"] = TRUE;
        // The manager paints the whole non-client area (Windows draws none).
        manager->answers["DrawCustomFrameNonClient"] = TRUE;
        CZUDPFrameWnd frame;
        if (!frame.Create(nullptr, "Caption", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 630, 430)))
            return 1;
        const CaptionRects rects = RectsOf(frame.GetFrameImpl());
        HBRUSH hCaption = ::CreateSolidBrush(RGB(40, 80, 160));
        HBRUSH hButton = ::CreateSolidBrush(RGB(200, 200, 220));
        manager->instead["DrawCustomFrameNonClient"] = [&](CDC* pDC, const uitest::ManagerCall&) {
            FillCaption(pDC->m_hDC, rects, hCaption, hButton);
        };
        for (int i = 0; i < 3; ++i) {
            LibraryPaint(frame);
            BarePaint(frame, rects, hCaption, hButton);
            manager->Clear();
        }
        for (int round = 0; round < rounds; ++round) {
            double library, bare;
            if (round % 2 == 0) {
                library = LibraryPaint(frame);
                bare = BarePaint(frame, rects, hCaption, hButton);
            } else {
                bare = BarePaint(frame, rects, hCaption, hButton);
                library = LibraryPaint(frame);
            }
            manager->Clear();
            paintRatios.push_back(library / bare);
            std::printf("caption round %d: library %.3f ms, bare %.3f ms, ratio %.2f\n", round + 1, library * 1000,
                        bare * 1000, library / bare);
        }
        frame.DestroyWindow();
        ::DeleteObject(hCaption);
        ::DeleteObject(hButton);
    }

    std::printf("median ratio, frame state saved and loaded / bare registry: %.2f (goal <= 2)\n", Median(stateRatios));
    std::printf("median ratio, custom caption paint / filling its rectangles: %.2f (goal <= 1.5)\n",
                Median(paintRatios));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kBareRoot);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TROVconf Tests");
    return 0;
}
