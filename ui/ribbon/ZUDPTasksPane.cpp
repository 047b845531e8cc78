#include "ui/ribbon/ZUDPTasksPane.h"

#include "framework/Archive.h"

IMPLEMENT_DYNAMIC(CZUDPTask, CObject)
IMPLEMENT_DYNAMIC(CZUDPTasksGroup, CObject)
IMPLEMENT_SERIAL(CZUDPTasksPane, CZUDPControlBar, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CZUDPToolBoxEx, CZUDPTasksPane)

CZUDPTasksGroup::~CZUDPTasksGroup()
{
    while (!m_lstTasks.IsEmpty())
        delete m_lstTasks.RemoveHead();
}

CZUDPTasksPane::~CZUDPTasksPane()
{
    while (!m_lstTaskGroups.IsEmpty())
        delete m_lstTaskGroups.RemoveHead();
}

int CZUDPTasksPane::AddGroup(LPCTSTR lpszName, BOOL bIsSpecial)
{
    m_lstTaskGroups.AddTail(new CZUDPTasksGroup(lpszName, bIsSpecial));
    return GetGroupCount() - 1;
}

int CZUDPTasksPane::AddTask(int nGroup, LPCTSTR lpszName, int nIcon, UINT uiCommandID)
{
    CZUDPTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr)
        return -1;
    CZUDPTask* pTask = new CZUDPTask(pGroup, lpszName, nIcon, uiCommandID);
    pTask->m_bIsCommand = uiCommandID != 0;
    pGroup->m_lstTasks.AddTail(pTask);
    return int(pGroup->m_lstTasks.GetCount()) - 1;
}

CZUDPTasksGroup* CZUDPTasksPane::GetGroup(int nGroup) const
{
    POSITION pos = nGroup >= 0 ? m_lstTaskGroups.FindIndex(nGroup) : nullptr;
    return pos != nullptr ? static_cast<CZUDPTasksGroup*>(m_lstTaskGroups.GetAt(pos)) : nullptr;
}
