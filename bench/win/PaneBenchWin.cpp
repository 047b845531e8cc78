// trov_pane_bench: the pane classes against the bare system calls they
// stand on, in one run.  Run under Wine (headless):
//
//   trov_pane_bench [ROUNDS]      (default 7 rounds)
//
// 1. Moving 50 panes (children of one window) in one deferred batch through
//    CZUDPBaseControlBar::MoveBar against BeginDeferWindowPos,
//    DeferWindowPos and EndDeferWindowPos on the same windows to the same
//    rectangles (each repetition moves every pane, alternately 10 pixels
//    left and right).  Goal: 1.2 or less.
// 2. The command manager saving and loading the menu state of 5,000
//    commands (4,000 without images, 1,000 with a menu user image) against
//    RegSetValueEx and RegQueryValueEx of the same bytes on a key created
//    and opened the same way.  Goal: 1.5 or less.
// Both sides are warmed up and run in alternating rounds; each line gives
// the median of the rounds' ratios.  The registry part writes below
// HKCU\Software\TROVconf Tests\Bench and removes it at the end.
#include "bench/win/AlternatingRounds.h"
#include "framework/win/DeferWindowPos.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPBaseControlBar.h"
#include "ui/commandbars/ZUDPCommandManager.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace benchrounds;

const int kPanes = 50;
const char* const kRoot = "Software\\TROVconf Tests\\Bench";
const char* const kProfile = "Software\\TROVconf Tests\\Bench\\Library\\";
const char* const kLibraryKey = "Software\\TROVconf Tests\\Bench\\Library\\ZUDCommandManager";
const char* const kBareKey = "Software\\TROVconf Tests\\Bench\\Bare";

CRect PaneRect(int i, bool bShifted) { return CRect((bShifted ? 10 : 0) + (i % 10) * 60, (i / 10) * 30, 0, 0); }

std::vector<BYTE> ReadValue(HKEY hKey, const char* name)
{
    DWORD nBytes = 0;
    ::RegQueryValueExA(hKey, name, nullptr, nullptr, nullptr, &nBytes);
    std::vector<BYTE> bytes(nBytes);
    if (nBytes != 0 && ::RegQueryValueExA(hKey, name, nullptr, nullptr, bytes.data(), &nBytes) != ERROR_SUCCESS)
        std::abort();
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_HIDE);
    std::printf("median of %d rounds\n", rounds);

    // 1. Moving panes in one batch.
    CWnd host;
    if (!host.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 700, 200), nullptr, 0))
        return 1;
    std::vector<std::unique_ptr<CZUDPBaseControlBar>> panes;
    for (int i = 0; i < kPanes; ++i) {
        panes.push_back(std::make_unique<CZUDPBaseControlBar>());
        CRect rect = PaneRect(i, false);
        rect.right = rect.left + 50;
        rect.bottom = rect.top + 24;
        if (!panes.back()->CreateBar(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, rect, &host, UINT(i + 1), 0))
            return 1;
    }
    bool bShiftedLibrary = false, bShiftedBare = false;
    auto library = [&] {
        bShiftedLibrary = !bShiftedLibrary;
        CDeferWindowPos batch(kPanes);
        HDWP hdwp = batch.GetHandle();
        for (int i = 0; i < kPanes; ++i) {
            CRect rect = PaneRect(i, bShiftedLibrary);
            rect.right = rect.left + 50;
            rect.bottom = rect.top + 24;
            hdwp = panes[i]->MoveBar(rect, TRUE, hdwp);
        }
        batch.Adopt(hdwp);
        batch.End();
    };
    auto bare = [&] {
        bShiftedBare = !bShiftedBare;
        HDWP hdwp = ::BeginDeferWindowPos(kPanes);
        for (int i = 0; i < kPanes; ++i) {
            const CRect rect = PaneRect(i, bShiftedBare);
            hdwp = ::DeferWindowPos(hdwp, panes[i]->m_hWnd, nullptr, rect.left, rect.top, 50, 24,
                                    SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::EndDeferWindowPos(hdwp);
    };
    const Result moves = Compare(library, bare, 20, rounds);
    std::printf("%-46s %9.1f us  vs %-32s %9.1f us  ratio %5.2f  (goal <= 1.2)%s\n", "MoveBar of 50 panes in one batch",
                moves.candidate * 1e6, "bare Begin/Defer/EndDeferWindowPos", moves.baseline * 1e6, moves.ratio,
                moves.ratio <= 1.2 ? "" : "  OVER");
    panes.clear();
    host.DestroyWindow();

    // 2. The command manager's state.
    CZUDPCommandManager manager;
    for (UINT i = 0; i < 4000; ++i)
        manager.SetMenuItemImage(32768 + i, FALSE);
    for (UINT i = 0; i < 1000; ++i)
        manager.SetMenuItemImage(40000 + i, TRUE, int(i));
    if (!manager.SaveToRegistry(kProfile))
        return 1;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kLibraryKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return 1;
    const std::vector<BYTE> listBytes = ReadValue(hKey, "CommandsWithoutImages");
    const std::vector<BYTE> mapBytes = ReadValue(hKey, "MenuUserImages");
    ::RegCloseKey(hKey);

    auto librarySaveLoad = [&] {
        CZUDPCommandManager loaded;
        if (!manager.SaveToRegistry(kProfile) || !loaded.LoadFromRegistry(kProfile))
            std::abort();
    };
    auto bareSaveLoad = [&] {
        HKEY hWrite = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, kBareKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hWrite, nullptr) !=
            ERROR_SUCCESS)
            std::abort();
        ::RegSetValueExA(hWrite, "CommandsWithoutImages", 0, REG_BINARY, listBytes.data(), DWORD(listBytes.size()));
        ::RegSetValueExA(hWrite, "MenuUserImages", 0, REG_BINARY, mapBytes.data(), DWORD(mapBytes.size()));
        ::RegCloseKey(hWrite);
        HKEY hRead = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kBareKey, 0, KEY_READ, &hRead) != ERROR_SUCCESS)
            std::abort();
        if (ReadValue(hRead, "CommandsWithoutImages").size() != listBytes.size() ||
            ReadValue(hRead, "MenuUserImages").size() != mapBytes.size())
            std::abort();
        ::RegCloseKey(hRead);
    };
    const Result state = Compare(librarySaveLoad, bareSaveLoad, 10, rounds);
    std::printf("%-46s %9.1f us  vs %-32s %9.1f us  ratio %5.2f  (goal <= 1.5)%s\n",
                "command manager save+load, 5,000 commands", state.candidate * 1e6,
                "bare RegSetValueEx/RegQueryValueEx", state.baseline * 1e6, state.ratio,
                state.ratio <= 1.5 ? "" : "  OVER");

    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TROVconf Tests");
    return 0;
}
