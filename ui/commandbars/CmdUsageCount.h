#pragma once
// CCmdUsageCount: how often each command ran, and in all, so that
// personalized menus can hide the commands used rarely.  One object serves
// the whole library (g_commandUsage); the toolbar options keep its archive.
#include "framework/Map.h"
#include "framework/Object.h"
#include "framework/win/WinSdk.h"

class CArchive;

class CCmdUsageCount : public CObject {
public:
    CCmdUsageCount();
    ~CCmdUsageCount() override = default;

    // Counts one use of the command; nothing while customizing, for 0, -1,
    // core commands and reserved commands.
    void AddCommand(UINT uiCmd);
    // The command's uses (0 when none).
    UINT GetCount(UINT uiCmd) const;
    UINT GetTotal() const { return m_nTotalUsage; }
    // Whether enough uses were counted to hide anything.
    BOOL HasEnoughData() const;
    // Whether the command takes more than the threshold's share of all
    // uses (more than 5 %: exactly 5 % is not often).
    BOOL IsOftenUsed(UINT uiCmd) const;
    // Forgets every use.
    void ClearCounts();

    // The total (32-bit), then the counts map: its element count (16-bit,
    // or 0xFFFF and a 32-bit count), then command and count (32-bit each)
    // per element in the map's order.  A damaged archive changes nothing.
    void Serialize(CArchive& ar) override;

    // The library's parameters: uses counted before anything is hidden,
    // and the share (percent) a command must exceed.
    static UINT s_nMinUsage;
    static UINT s_nPercentThreshold;

protected:
    CMap<UINT, UINT, UINT, UINT> m_CmdUsage;
    UINT m_nTotalUsage = 0;
};

extern CCmdUsageCount g_commandUsage;
