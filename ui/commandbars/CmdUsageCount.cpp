#include "ui/commandbars/CmdUsageCount.h"

#include "framework/Archive.h"
#include "ui/commandbars/ZUDPToolBar.h"

#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

UINT CCmdUsageCount::s_nMinUsage = 0;
UINT CCmdUsageCount::s_nPercentThreshold = 5;

CCmdUsageCount::CCmdUsageCount() : m_CmdUsage(10) { m_CmdUsage.InitHashTable(17); }

void CCmdUsageCount::AddCommand(UINT uiCmd)
{
    if (g_customizeMode || uiCmd == 0 || uiCmd == UINT(-1) || IsCoreCommand(uiCmd) || IsReservedCommand(uiCmd))
        return;
    // At the counter's end the shares stay as they are rather than wrap.
    if (m_nTotalUsage == UINT_MAX)
        return;
    UINT nCount = 0;
    m_CmdUsage.Lookup(uiCmd, nCount);
    m_CmdUsage[uiCmd] = nCount + 1;
    ++m_nTotalUsage;
}

UINT CCmdUsageCount::GetCount(UINT uiCmd) const
{
    UINT nCount = 0;
    m_CmdUsage.Lookup(uiCmd, nCount);
    return nCount;
}

BOOL CCmdUsageCount::HasEnoughData() const { return m_nTotalUsage >= s_nMinUsage; }

BOOL CCmdUsageCount::IsOftenUsed(UINT uiCmd) const
{
    if (m_nTotalUsage == 0)
        return FALSE;
    const UINT nCount = GetCount(uiCmd);
    if (s_nPercentThreshold == 0)
        return nCount > 0;
    // In 64 bits: count x 100 passes 32 bits after some 43 million uses.
    return uint64_t(nCount) * 100u / m_nTotalUsage > s_nPercentThreshold;
}

void CCmdUsageCount::ClearCounts()
{
    m_CmdUsage.RemoveAll();
    m_nTotalUsage = 0;
}

void CCmdUsageCount::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << DWORD(m_nTotalUsage);
        m_CmdUsage.Serialize(ar);
        return;
    }
    // Read whole before anything changes: a short or damaged archive
    // leaves the counts as they were (the archive's own exception goes on
    // to the caller).  The count is checked against what is left.
    DWORD nTotal = 0;
    ar >> nTotal;
    const DWORD_PTR nElements = ar.ReadCount();
    ar.CheckCount(ULONGLONG(nElements), 2 * sizeof(DWORD));
    std::vector<std::pair<UINT, UINT>> elements;
    elements.reserve(size_t(nElements));
    for (DWORD_PTR i = 0; i < nElements; ++i) {
        DWORD uiCmd = 0, nCount = 0;
        ar >> uiCmd >> nCount;
        elements.emplace_back(UINT(uiCmd), UINT(nCount));
    }
    // Added last to first: the map lists a bucket's newest key first, so
    // the counts come back in the order they were stored (a load and a
    // save give the same bytes).
    m_CmdUsage.RemoveAll();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it)
        m_CmdUsage[it->first] = it->second;
    m_nTotalUsage = nTotal;
}
