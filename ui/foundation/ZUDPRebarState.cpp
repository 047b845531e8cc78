#include "ui/foundation/ZUDPRebarState.h"
#include "ui/foundation/ZUDPTextConstants.h"

#include <memory>
#include <vector>

#include "ui/docking/ZUDPReBar.h"
#include "ui/foundation/ZUDPRegistry.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace {

// Offsets of the band record's fields in its 32-bit layout.
enum SlotOffset : UINT {
    kSize = 0, kMask = 4, kStyle = 8, kChild = 32, kMinChildWidth = 36, kMinChildHeight = 40, kWidth = 44,
    kId = 52, kChildHeight = 56, kMaxChildHeight = 60, kIntegral = 64, kIdeal = 68, kHeader = 76,
};
const UINT kSavedMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE |
                        RBBIM_HEADERSIZE;   // 0xB71
const UINT kAppliedMask = kSavedMask & ~UINT(RBBIM_CHILD);
// Band styles the control knows; anything else in a slot is dropped.
const UINT kKnownStyles = 0x3FFF;
// Larger sizes are damage, not a layout.
const UINT kMaxExtent = 0x7FFF;

void Put(BYTE* pSlot, UINT offset, UINT value)
{
    for (int b = 0; b < 4; ++b)
        pSlot[offset + b] = BYTE(value >> (8 * b));
}

UINT Get(const BYTE* pSlot, UINT offset)
{
    return UINT(pSlot[offset]) | UINT(pSlot[offset + 1]) << 8 | UINT(pSlot[offset + 2]) << 16 |
           UINT(pSlot[offset + 3]) << 24;
}

// The band record's size as the installed common controls know it, in
// the 32-bit layout the slots keep: 100 bytes from version 6.1, else 80.
// The version is the global UI data's, asked once and kept there.
UINT StoredRecordSize()
{
    return g_uiEnvironment.GetComCtlVersion() < 0x60001 ? 80 : 100;
}

CString RebarKey(LPCTSTR lpszProfileName, HWND hRebar)
{
    CString key;
    key.Format(CString("%s") + kRebarKeyFormat, lpszProfileName != nullptr ? lpszProfileName : "", long(::GetDlgCtrlID(hRebar)));
    return key;
}

bool LoadOne(LPCTSTR lpszProfileName, CZUDPReBar& rebar)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(RebarKey(lpszProfileName, rebar.GetSafeHwnd())))
        return false;
    LPBYTE pSlots = nullptr, pIds = nullptr;
    UINT nSlotBytes = 0, nIdBytes = 0;
    const BOOL bSlots = reg.ReadBinary(kRebarBandInfoEntry, &pSlots, &nSlotBytes);
    std::unique_ptr<BYTE[]> slotsOwner(pSlots);
    const BOOL bIds = reg.ReadBinary(kRebarIdsEntry, &pIds, &nIdBytes);
    std::unique_ptr<BYTE[]> idsOwner(pIds);
    if (!bSlots || !bIds || pSlots == nullptr || pIds == nullptr)
        return true;
    CReBarCtrl& ctrl = rebar.GetReBarCtrl();
    const UINT nBands = nIdBytes / 4;
    // The saved layout is for exactly these bands, with a slot each.
    if (nIdBytes % 4 != 0 || nBands != ctrl.GetBandCount() || nSlotBytes / kRebarSlotSize < nBands)
        return true;
    for (UINT i = 0; i < nBands; ++i) {
        const UINT id = Get(pIds, i * 4);
        for (UINT j = i; j < nBands; ++j) {
            REBARBANDINFOA info = {};
            info.cbSize = REBARBANDINFOA_V6_SIZE;
            info.fMask = RBBIM_CHILD;
            if (!ctrl.GetBandInfo(j, &info) || info.hwndChild == nullptr || UINT(::GetDlgCtrlID(info.hwndChild)) != id)
                continue;
            if (j != i)
                ctrl.MoveBand(j, i);
            REBARBANDINFOA saved = {};
            if (RebarBandInfoFromSlot(pSlots + size_t(i) * kRebarSlotSize, saved))
                ctrl.SetBandInfo(i, &saved);
            break;
        }
    }
    int nLocked = 0;
    if (reg.Read(kRebarLockedEntry, nLocked))
        rebar.SetLocked(nLocked != 0);
    return true;
}

bool SaveOne(LPCTSTR lpszProfileName, CZUDPReBar& rebar)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(RebarKey(lpszProfileName, rebar.GetSafeHwnd())))
        return false;
    CReBarCtrl& ctrl = rebar.GetReBarCtrl();
    const UINT nBands = ctrl.GetBandCount();
    if (nBands == 0)
        return true;
    std::vector<BYTE> slots(size_t(nBands) * kRebarSlotSize, 0);
    std::vector<BYTE> ids(size_t(nBands) * 4, 0);
    for (UINT i = 0; i < nBands; ++i) {
        REBARBANDINFOA info = {};
        info.cbSize = REBARBANDINFOA_V6_SIZE;
        info.fMask = kSavedMask;
        ctrl.GetBandInfo(i, &info);
        // The control reports a fixed band's minimum width without the
        // gripper room it adds on setting it.
        if (info.fStyle & RBBS_FIXEDSIZE)
            info.cxMinChild += 4;
        Put(ids.data(), i * 4, info.hwndChild != nullptr ? UINT(::GetDlgCtrlID(info.hwndChild)) : 0);
        RebarSlotFromBandInfo(info, StoredRecordSize(), slots.data() + size_t(i) * kRebarSlotSize);
    }
    reg.Write(kRebarBandInfoEntry, slots.data(), UINT(slots.size()));
    reg.Write(kRebarIdsEntry, ids.data(), UINT(ids.size()));
    reg.Write(kRebarLockedEntry, int(rebar.IsLocked()));
    return true;
}

struct Walk {
    LPCTSTR lpszProfileName;
    bool bSave;
};

BOOL CALLBACK VisitWindow(HWND hWnd, LPARAM lParam)
{
    const Walk& walk = *reinterpret_cast<const Walk*>(lParam);
    auto* pRebar = dynamic_cast<CZUDPReBar*>(CWnd::FromHandlePermanent(hWnd));
    if (pRebar == nullptr)
        return TRUE;
    return walk.bSave ? SaveOne(walk.lpszProfileName, *pRebar) : LoadOne(walk.lpszProfileName, *pRebar);
}

} // namespace

void RebarSlotFromBandInfo(const REBARBANDINFOA& info, UINT nStoredRecordSize, BYTE* pSlot)
{
    memset(pSlot, 0, kRebarSlotSize);
    Put(pSlot, kSize, nStoredRecordSize);
    Put(pSlot, kMask, info.fMask & ~UINT(RBBIM_CHILD));
    Put(pSlot, kStyle, info.fStyle);
    Put(pSlot, kChild, 0);
    Put(pSlot, kMinChildWidth, info.cxMinChild);
    Put(pSlot, kMinChildHeight, info.cyMinChild);
    Put(pSlot, kWidth, info.cx);
    Put(pSlot, kId, info.wID);
    Put(pSlot, kChildHeight, info.cyChild);
    Put(pSlot, kMaxChildHeight, info.cyMaxChild);
    Put(pSlot, kIntegral, info.cyIntegral);
    Put(pSlot, kIdeal, info.cxIdeal);
    Put(pSlot, kHeader, info.cxHeader);
}

BOOL RebarBandInfoFromSlot(const BYTE* pSlot, REBARBANDINFOA& info)
{
    const UINT extents[] = {Get(pSlot, kMinChildWidth), Get(pSlot, kMinChildHeight), Get(pSlot, kWidth),
                            Get(pSlot, kChildHeight), Get(pSlot, kMaxChildHeight), Get(pSlot, kIntegral),
                            Get(pSlot, kIdeal), Get(pSlot, kHeader)};
    for (UINT extent : extents)
        if (extent > kMaxExtent && extent != UINT(-1))
            return FALSE;
    info = REBARBANDINFOA{};
    info.cbSize = REBARBANDINFOA_V6_SIZE;
    info.fMask = kAppliedMask;
    info.fStyle = Get(pSlot, kStyle) & kKnownStyles;
    info.cxMinChild = extents[0];
    info.cyMinChild = extents[1];
    info.cx = extents[2];
    info.wID = Get(pSlot, kId);
    info.cyChild = extents[3];
    info.cyMaxChild = extents[4];
    info.cyIntegral = extents[5];
    info.cxIdeal = extents[6];
    info.cxHeader = extents[7];
    return TRUE;
}

void LoadRebarStates(LPCTSTR lpszProfileName, CWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    Walk walk{lpszProfileName, false};
    ::EnumChildWindows(pFrame->GetSafeHwnd(), VisitWindow, reinterpret_cast<LPARAM>(&walk));
}

void SaveRebarStates(LPCTSTR lpszProfileName, CWnd* pFrame)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    Walk walk{lpszProfileName, true};
    ::EnumChildWindows(pFrame->GetSafeHwnd(), VisitWindow, reinterpret_cast<LPARAM>(&walk));
}
