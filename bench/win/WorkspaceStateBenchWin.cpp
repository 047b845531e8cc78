// trov_workspace_bench: saving and loading 50 toolbar-sized state values
// through the library's registry access against bare RegSetValueEx /
// RegQueryValueEx of the same bytes on one open key.  The library side runs
// three times: as separate state routines (a registry holder per value,
// its key created or opened each time) on their own, the same routines
// inside one load or save pass (as the workspace runs them: each key is
// opened once for the pass), and as one routine keeping all values in one
// key.
// Run under Wine:
//
//   trov_workspace_bench [ROUNDS]      (default 7 rounds)
//
// Both sides are warmed up, run in alternating rounds, and each round's
// ratio library / bare is printed with the median (the goal is 1.5 or
// less).  Everything is written below HKCU\Software\TROVconf Tests\Bench
// and removed at the end.
#include "framework/String.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/foundation/ZUDPRegistry.h"

namespace {

const char* const kRoot = "Software\\TROVconf Tests\\Bench";
const char* const kLibraryPath = "Software\\TROVconf Tests\\Bench\\Library\\";
const char* const kBarePath = "Software\\TROVconf Tests\\Bench\\Bare";
const int kValues = 50;
const UINT kValueBytes = 600;   // a toolbar of some twenty buttons

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

CString ValueName(int i)
{
    CString name;
    name.Format("ZUDToolBar-%d", 59392 + i);
    return name;
}

double LibrarySaveLoad(const std::vector<BYTE>& bytes)
{
    const double start = Now();
    for (int i = 0; i < kValues; ++i) {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        if (!reg.CreateKey(kLibraryPath) || !reg.Write(ValueName(i), bytes.data(), UINT(bytes.size())))
            std::abort();
    }
    for (int i = 0; i < kValues; ++i) {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
        LPBYTE pData = nullptr;
        UINT nBytes = 0;
        if (!reg.Open(kLibraryPath) || !reg.ReadBinary(ValueName(i), &pData, &nBytes) || nBytes != bytes.size())
            std::abort();
        delete[] pData;
    }
    return Now() - start;
}

// The separate routines as the workspace runs them, one pass for the save
// and one for the load.
double LibrarySaveLoadInPasses(const std::vector<BYTE>& bytes)
{
    const double start = Now();
    {
        CZUDPRegistryPass pass;
        for (int i = 0; i < kValues; ++i) {
            CZUDPRegistryHolder holder;
            CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
            if (!reg.CreateKey(kLibraryPath) || !reg.Write(ValueName(i), bytes.data(), UINT(bytes.size())))
                std::abort();
        }
    }
    {
        CZUDPRegistryPass pass;
        for (int i = 0; i < kValues; ++i) {
            CZUDPRegistryHolder holder;
            CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
            LPBYTE pData = nullptr;
            UINT nBytes = 0;
            if (!reg.Open(kLibraryPath) || !reg.ReadBinary(ValueName(i), &pData, &nBytes) || nBytes != bytes.size())
                std::abort();
            delete[] pData;
        }
    }
    return Now() - start;
}

// One routine that keeps several values: one registry object for all.
double LibrarySaveLoadOneKey(const std::vector<BYTE>& bytes)
{
    const double start = Now();
    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        if (!reg.CreateKey(kLibraryPath))
            std::abort();
        for (int i = 0; i < kValues; ++i)
            if (!reg.Write(ValueName(i), bytes.data(), UINT(bytes.size())))
                std::abort();
    }
    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
        if (!reg.Open(kLibraryPath))
            std::abort();
        for (int i = 0; i < kValues; ++i) {
            LPBYTE pData = nullptr;
            UINT nBytes = 0;
            if (!reg.ReadBinary(ValueName(i), &pData, &nBytes) || nBytes != bytes.size())
                std::abort();
            delete[] pData;
        }
    }
    return Now() - start;
}

double BareSaveLoad(const std::vector<BYTE>& bytes)
{
    const double start = Now();
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kBarePath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        std::abort();
    for (int i = 0; i < kValues; ++i)
        ::RegSetValueExA(hKey, ValueName(i), 0, REG_BINARY, bytes.data(), DWORD(bytes.size()));
    std::vector<BYTE> buffer(bytes.size());
    for (int i = 0; i < kValues; ++i) {
        DWORD nBytes = DWORD(buffer.size());
        if (::RegQueryValueExA(hKey, ValueName(i), nullptr, nullptr, buffer.data(), &nBytes) != ERROR_SUCCESS)
            std::abort();
    }
    ::RegCloseKey(hKey);
    return Now() - start;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::vector<BYTE> bytes(kValueBytes);
    for (UINT i = 0; i < kValueBytes; ++i)
        bytes[i] = BYTE(i * 31 + 7);
    for (int i = 0; i < 3; ++i) {
        LibrarySaveLoad(bytes);
        LibrarySaveLoadInPasses(bytes);
        LibrarySaveLoadOneKey(bytes);
        BareSaveLoad(bytes);
    }
    std::vector<double> perValue, inPass, oneKey;
    for (int round = 0; round < rounds; ++round) {
        double library, passed, shared, bare;
        if (round % 2 == 0) {
            library = LibrarySaveLoad(bytes);
            passed = LibrarySaveLoadInPasses(bytes);
            shared = LibrarySaveLoadOneKey(bytes);
            bare = BareSaveLoad(bytes);
        } else {
            bare = BareSaveLoad(bytes);
            shared = LibrarySaveLoadOneKey(bytes);
            passed = LibrarySaveLoadInPasses(bytes);
            library = LibrarySaveLoad(bytes);
        }
        perValue.push_back(library / bare);
        inPass.push_back(passed / bare);
        oneKey.push_back(shared / bare);
        std::printf("round %d: key per value %.3f ms, key per value in a pass %.3f ms, one key %.3f ms, bare %.3f ms\n",
                    round + 1, library * 1000, passed * 1000, shared * 1000, bare * 1000);
    }
    std::sort(perValue.begin(), perValue.end());
    std::sort(inPass.begin(), inPass.end());
    std::sort(oneKey.begin(), oneKey.end());
    std::printf("median ratio, a key opened per value / bare: %.2f\n", perValue[perValue.size() / 2]);
    std::printf("median ratio, a routine per value in one pass (the workspace) / bare: %.2f (goal <= 1.5)\n",
                inPass[inPass.size() / 2]);
    std::printf("median ratio, one key for all values / bare: %.2f (goal <= 1.5)\n", oneKey[oneKey.size() / 2]);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TROVconf Tests");
    return 0;
}
