#include "ui/foundation/ZUDPMouseManager.h"
#include "ui/foundation/ZUDPTextConstants.h"

#include "ui/foundation/ZUDPRegistry.h"

#include <memory>

IMPLEMENT_SERIAL(CZUDPMouseManager, CObject, 1)

CZUDPMouseManager* g_mouseManager = nullptr;

CZUDPMouseManager::CZUDPMouseManager()
{
    g_mouseManager = this;
}

CZUDPMouseManager::~CZUDPMouseManager()
{
    if (g_mouseManager == this)
        g_mouseManager = nullptr;
}

BOOL CZUDPMouseManager::AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId)
{
    if (lpszViewName == nullptr || *lpszViewName == '\0')
        return FALSE;
    m_viewsByName.SetAt(lpszViewName, iViewId);
    if (uiIconId != 0)
        m_viewIcons.SetAt(iViewId, uiIconId);
    return TRUE;
}

UINT CZUDPMouseManager::LookupViewIcon(int iViewId) const
{
    UINT uiIcon = 0;
    return m_viewIcons.Lookup(iViewId, uiIcon) ? uiIcon : 0;
}

int CZUDPMouseManager::FindViewId(LPCTSTR lpszViewName) const
{
    int iViewId = -1;
    return (lpszViewName != nullptr && m_viewsByName.Lookup(lpszViewName, iViewId)) ? iViewId : -1;
}

void CZUDPMouseManager::ListViewNames(CStringList& listOfNames) const
{
    listOfNames.RemoveAll();
    for (POSITION pos = m_viewsByName.GetStartPosition(); pos != nullptr;) {
        CString name;
        int iViewId = 0;
        m_viewsByName.GetNextAssoc(pos, name, iViewId);
        listOfNames.AddTail(name);
    }
}

UINT CZUDPMouseManager::LookupDblClickCommand(int iViewId) const
{
    UINT uiCmd = 0;
    return m_viewsToCommands.Lookup(iViewId, uiCmd) ? uiCmd : 0;
}

void CZUDPMouseManager::AssignDblClickCommand(int iViewId, UINT uiCmd)
{
    if (uiCmd == 0)
        m_viewsToCommands.RemoveKey(iViewId);
    else
        m_viewsToCommands.SetAt(iViewId, uiCmd);
}

void CZUDPMouseManager::SerializeCommands(CArchive& ar, CommandMap& commands)
{
    if (ar.IsStoring()) {
        ar << int(commands.GetCount());
        for (POSITION pos = commands.GetStartPosition(); pos != nullptr;) {
            int iViewId = 0;
            UINT uiCmd = 0;
            commands.GetNextAssoc(pos, iViewId, uiCmd);
            ar << iViewId << uiCmd;
        }
        return;
    }
    commands.RemoveAll();
    int nCount = 0;
    ar >> nCount;
    if (nCount < 1)
        return;
    // Eight bytes per pair: a count the value cannot hold is damage.
    ar.CheckCount(ULONGLONG(nCount), 8);
    for (int i = 0; i < nCount; ++i) {
        int iViewId = 0;
        UINT uiCmd = 0;
        ar >> iViewId >> uiCmd;
        commands.SetAt(iViewId, uiCmd);
    }
}

void CZUDPMouseManager::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeCommands(ar, m_viewsToCommands);
}

BOOL CZUDPMouseManager::LoadState(LPCTSTR lpszProfileName)
{
    CString path = BuildRegistrySectionPath(kMouseSection, lpszProfileName);
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (path.IsEmpty() || !reg.Open(path))
        return FALSE;
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!reg.ReadBinary(kMouseEntry, &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> owner(pData);
    // Read into a temporary: damaged data keeps the current assignments.
    CommandMap loaded;
    try {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load, 4096);
        SerializeCommands(ar, loaded);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    m_viewsToCommands.RemoveAll();
    for (POSITION pos = loaded.GetStartPosition(); pos != nullptr;) {
        int iViewId = 0;
        UINT uiCmd = 0;
        loaded.GetNextAssoc(pos, iViewId, uiCmd);
        m_viewsToCommands.SetAt(iViewId, uiCmd);
    }
    return TRUE;
}

BOOL CZUDPMouseManager::SaveState(LPCTSTR lpszProfileName)
{
    CString path = BuildRegistrySectionPath(kMouseSection, lpszProfileName);
    if (path.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    return reg.CreateKey(path) && reg.Write(kMouseEntry, static_cast<CObject&>(*this));
}
