#include "ui/commandbars/ZUDPCommandManager.h"

#include "ui/foundation/ZUDPRegistry.h"

namespace {

const char kCommandManagerSection[] = "ZUDToolBars";
const char kCommandManagerKey[] = "ZUDCommandManager";
const char kCommandsWithoutImages[] = "CommandsWithoutImages";
const char kMenuUserImages[] = "MenuUserImages";

CString CommandManagerKey(LPCTSTR lpszProfileName)
{
    const CString strPath = BuildRegistrySectionPath(kCommandManagerSection, lpszProfileName);
    if (strPath.IsEmpty())
        return CString();
    return strPath + kCommandManagerKey;
}

} // namespace

CZUDPCommandManager* GetCommandManager() { return &g_commandManager; }

int FindCommandImage(UINT uiCmd, BOOL bUserImage) { return g_commandManager.LookupCommandImage(uiCmd, bUserImage); }

int CZUDPCommandManager::LookupCommandImage(UINT uiCmd, BOOL bUserImage) const
{
    int iImage = -1;
    if (!(bUserImage ? m_mapUserCommandImages : m_mapCommandImages).Lookup(uiCmd, iImage))
        return -1;
    return iImage;
}

void CZUDPCommandManager::AssignCommandImage(UINT uiCmd, int iImage, BOOL bUserImage)
{
    if (uiCmd == 0 || uiCmd == (UINT)-1)
        return;
    int iOther = -1;
    if (bUserImage) {
        if (!m_mapCommandImages.Lookup(uiCmd, iOther))
            m_mapUserCommandImages.SetAt(uiCmd, iImage);
    } else {
        if (!m_mapUserCommandImages.Lookup(uiCmd, iOther))
            m_mapCommandImages.SetAt(uiCmd, iImage);
    }
}

void CZUDPCommandManager::ClearUserCommandImage(UINT uiCmd) { m_mapUserCommandImages.RemoveKey(uiCmd); }

void CZUDPCommandManager::SetMenuItemImage(UINT uiCmd, BOOL bShowImage, int iUserImage)
{
    if (bShowImage) {
        POSITION pos = m_lstCommandsWithoutImages.Find(uiCmd);
        if (pos != nullptr)
            m_lstCommandsWithoutImages.RemoveAt(pos);
        if (iUserImage < 0)
            m_mapMenuUserImages.RemoveKey(uiCmd);
        else
            m_mapMenuUserImages.SetAt(uiCmd, iUserImage);
        return;
    }
    m_mapMenuUserImages.RemoveKey(uiCmd);
    if (m_lstCommandsWithoutImages.Find(uiCmd) == nullptr)
        m_lstCommandsWithoutImages.AddTail(uiCmd);
}

BOOL CZUDPCommandManager::IsMenuItemWithoutImage(UINT uiCmd) const
{
    return m_lstCommandsWithoutImages.Find(uiCmd) != nullptr;
}

int CZUDPCommandManager::GetMenuUserImage(UINT uiCmd) const
{
    int iImage = -1;
    return m_mapMenuUserImages.Lookup(uiCmd, iImage) ? iImage : -1;
}

void CZUDPCommandManager::ResetAllImages()
{
    m_mapCommandImages.RemoveAll();
    m_mapUserCommandImages.RemoveAll();
    m_lstCommandsWithoutImages.RemoveAll();
    m_mapMenuUserImages.RemoveAll();
}

BOOL CZUDPCommandManager::LoadFromRegistry(LPCTSTR lpszProfileName)
{
    const CString strKey = CommandManagerKey(lpszProfileName);
    if (strKey.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(strKey))
        return FALSE;
    // Both values are read whole (the archive checks each count against the
    // bytes left) before anything changes: a damaged value loses nothing.
    CList<UINT, UINT> commandsWithoutImages;
    CMap<UINT, UINT, int, int> menuUserImages;
    if (!reg.Read(kCommandsWithoutImages, commandsWithoutImages) || !reg.Read(kMenuUserImages, menuUserImages))
        return FALSE;
    m_lstCommandsWithoutImages.RemoveAll();
    m_lstCommandsWithoutImages.AddTail(&commandsWithoutImages);
    POSITION pos = menuUserImages.GetStartPosition();
    while (pos != nullptr) {
        UINT uiCmd = 0;
        int iImage = -1;
        menuUserImages.GetNextAssoc(pos, uiCmd, iImage);
        m_mapMenuUserImages.SetAt(uiCmd, iImage);
    }
    return TRUE;
}

BOOL CZUDPCommandManager::SaveToRegistry(LPCTSTR lpszProfileName)
{
    const CString strKey = CommandManagerKey(lpszProfileName);
    if (strKey.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(strKey))
        return FALSE;
    if (!reg.Write(kCommandsWithoutImages, m_lstCommandsWithoutImages))
        return FALSE;
    return reg.Write(kMenuUserImages, m_mapMenuUserImages);
}
