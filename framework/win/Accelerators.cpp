#include "framework/win/Accelerators.h"

int AfxGetAcceleratorCount(HACCEL hAccel)
{
    return hAccel != nullptr ? ::CopyAcceleratorTableA(hAccel, nullptr, 0) : 0;
}

std::vector<ACCEL> AfxCopyAcceleratorTable(HACCEL hAccel)
{
    std::vector<ACCEL> entries(size_t(AfxGetAcceleratorCount(hAccel)));
    if (!entries.empty())
        entries.resize(size_t(::CopyAcceleratorTableA(hAccel, entries.data(), int(entries.size()))));
    return entries;
}

HACCEL AfxCreateAcceleratorTable(const ACCEL* pEntries, int nCount)
{
    if (pEntries == nullptr || nCount <= 0)
        return nullptr;
    return ::CreateAcceleratorTableA(const_cast<ACCEL*>(pEntries), nCount);
}
