#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPTextConstants.h"

#include <set>

#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/foundation/ZUDPRegistry.h"

CZUDPUserToolsManager* g_userToolsManager = nullptr;

CZUDPUserToolsManager::CZUDPUserToolsManager(UINT uiCmdToolsFirst, UINT uiCmdToolsLast, CRuntimeClass* pToolRTC)
    : m_uiCmdToolsFirst(uiCmdToolsFirst), m_uiCmdToolsLast(uiCmdToolsLast),
      m_pToolRTC(pToolRTC != nullptr ? pToolRTC : RUNTIME_CLASS(CZUDPUserTool))
{
    g_userToolsManager = this;
}

CZUDPUserToolsManager::~CZUDPUserToolsManager()
{
    if (g_userToolsManager == this)
        g_userToolsManager = nullptr;
    DeleteAllTools(m_lstUserTools);
}

void CZUDPUserToolsManager::DeleteAllTools(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

CZUDPUserTool* CZUDPUserToolsManager::AddTool()
{
    if (m_uiCmdToolsFirst > m_uiCmdToolsLast || m_lstUserTools.GetCount() >= GetMaxTools())
        return nullptr;
    UINT uiCmdId = m_uiCmdToolsFirst;
    for (; uiCmdId <= m_uiCmdToolsLast; ++uiCmdId)
        if (FindToolByCommand(uiCmdId) == nullptr)
            break;
    if (uiCmdId > m_uiCmdToolsLast)
        return nullptr;
    CObject* pObject = m_pToolRTC->CreateObject();
    auto* pTool = dynamic_cast<CZUDPUserTool*>(pObject);
    if (pTool == nullptr) {
        delete pObject;
        return nullptr;
    }
    pTool->m_uiCmdId = uiCmdId;
    m_lstUserTools.AddTail(pTool);
    return pTool;
}

CZUDPUserTool* CZUDPUserToolsManager::FindToolByCommand(UINT uiCmdId) const
{
    if (!InRange(uiCmdId))
        return nullptr;
    for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != nullptr;) {
        auto* pTool = static_cast<CZUDPUserTool*>(m_lstUserTools.GetNext(pos));
        if (pTool->m_uiCmdId == uiCmdId)
            return pTool;
    }
    return nullptr;
}

BOOL CZUDPUserToolsManager::RunTool(UINT uiCmdId)
{
    CZUDPUserTool* pTool = FindToolByCommand(uiCmdId);
    return pTool != nullptr && pTool->Invoke();
}

BOOL CZUDPUserToolsManager::ShiftToolUp(CZUDPUserTool* pTool)
{
    POSITION pos = m_lstUserTools.Find(pTool);
    if (pos == nullptr || pos == m_lstUserTools.GetHeadPosition())
        return FALSE;
    POSITION posPrev = pos;
    m_lstUserTools.GetPrev(posPrev);
    m_lstUserTools.RemoveAt(pos);
    m_lstUserTools.InsertBefore(posPrev, pTool);
    return TRUE;
}

BOOL CZUDPUserToolsManager::ShiftToolDown(CZUDPUserTool* pTool)
{
    POSITION pos = m_lstUserTools.Find(pTool);
    if (pos == nullptr || pos == m_lstUserTools.GetTailPosition())
        return FALSE;
    POSITION posNext = pos;
    m_lstUserTools.GetNext(posNext);
    m_lstUserTools.RemoveAt(pos);
    m_lstUserTools.InsertAfter(posNext, pTool);
    return TRUE;
}

BOOL CZUDPUserToolsManager::DeleteTool(CZUDPUserTool* pTool)
{
    POSITION pos = m_lstUserTools.Find(pTool);
    if (pos == nullptr)
        return FALSE;
    m_lstUserTools.RemoveAt(pos);
    const UINT uiCmd = pTool->m_uiCmdId;
    delete pTool;
    // No toolbar may keep a button that runs a tool that is gone.
    for (POSITION posBar = g_toolbarList.GetHeadPosition(); posBar != nullptr;) {
        CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, g_toolbarList.GetNext(posBar));
        if (pBar == nullptr)
            continue;
        BOOL bRemoved = FALSE;
        for (int iIndex = pBar->FindCommandIndex(uiCmd); iIndex >= 0; iIndex = pBar->FindCommandIndex(uiCmd)) {
            if (!pBar->RemoveButton(iIndex))
                break;
            bRemoved = TRUE;
        }
        if (bRemoved)
            pBar->UpdateLayout();
    }
    return TRUE;
}

BOOL CZUDPUserToolsManager::LoadState(LPCTSTR lpszProfileName)
{
    const CString path = BuildRegistrySectionPath(kUserToolsSection, lpszProfileName);
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (path.IsEmpty() || !reg.Open(path))
        return FALSE;
    // Read into a temporary: a missing or damaged value keeps the tools.
    CObList loaded;
    if (!reg.Read(kUserToolsEntry, loaded, m_pToolRTC))
        return FALSE;
    std::set<UINT> ids;
    CObList kept;
    while (!loaded.IsEmpty()) {
        auto* pTool = static_cast<CZUDPUserTool*>(loaded.RemoveHead());
        if (pTool == nullptr)
            continue;
        if (!InRange(pTool->m_uiCmdId) || !ids.insert(pTool->m_uiCmdId).second) {
            delete pTool;
            continue;
        }
        kept.AddTail(pTool);
    }
    DeleteAllTools(m_lstUserTools);
    while (!kept.IsEmpty())
        m_lstUserTools.AddTail(kept.RemoveHead());
    return TRUE;
}

BOOL CZUDPUserToolsManager::SaveState(LPCTSTR lpszProfileName)
{
    const CString path = BuildRegistrySectionPath(kUserToolsSection, lpszProfileName);
    if (path.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    return reg.CreateKey(path) && reg.Write(kUserToolsEntry, m_lstUserTools);
}
