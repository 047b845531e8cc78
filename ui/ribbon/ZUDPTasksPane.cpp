#include "ui/ribbon/ZUDPTasksPane.h"

#include "framework/Archive.h"

IMPLEMENT_DYNAMIC(CZUDPTasksPaneTask, CObject)
IMPLEMENT_DYNAMIC(CZUDPTasksPaneGroup, CObject)
IMPLEMENT_SERIAL(CZUDPTasksPane, CZUDPControlBar, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CZUDPToolBoxEx, CZUDPTasksPane)

CZUDPTasksPaneGroup::~CZUDPTasksPaneGroup()
{
    while (!m_lstTasks.IsEmpty())
        delete m_lstTasks.RemoveHead();
}

CZUDPTasksPaneTask* CZUDPTasksPaneGroup::GetTask(int nTask) const
{
    POSITION pos = nTask >= 0 ? m_lstTasks.FindIndex(nTask) : nullptr;
    return pos != nullptr ? static_cast<CZUDPTasksPaneTask*>(m_lstTasks.GetAt(pos)) : nullptr;
}

CZUDPTasksPane::~CZUDPTasksPane()
{
    while (!m_lstTaskGroups.IsEmpty())
        delete m_lstTaskGroups.RemoveHead();
}

int CZUDPTasksPane::AddGroup(LPCTSTR lpszName, BOOL bIsSpecial)
{
    CZUDPTasksPaneGroup* pGroup = new CZUDPTasksPaneGroup(lpszName, bIsSpecial);
    pGroup->m_pPane = this;
    m_lstTaskGroups.AddTail(pGroup);
    return GetGroupCount() - 1;
}

int CZUDPTasksPane::AddTask(int nGroup, LPCTSTR lpszName, int nIcon, UINT uiCommandID)
{
    CZUDPTasksPaneGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr)
        return -1;
    CZUDPTasksPaneTask* pTask = new CZUDPTasksPaneTask(pGroup, lpszName, nIcon, uiCommandID);
    pTask->m_bIsCommand = uiCommandID != 0;
    pGroup->m_lstTasks.AddTail(pTask);
    return int(pGroup->m_lstTasks.GetCount()) - 1;
}

CZUDPTasksPaneGroup* CZUDPTasksPane::GetGroup(int nGroup) const
{
    POSITION pos = nGroup >= 0 ? m_lstTaskGroups.FindIndex(nGroup) : nullptr;
    return pos != nullptr ? static_cast<CZUDPTasksPaneGroup*>(m_lstTaskGroups.GetAt(pos)) : nullptr;
}
