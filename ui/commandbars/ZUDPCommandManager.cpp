#include "ui/commandbars/ZUDPCommandManager.h"

#include "framework/Archive.h"
#include "framework/File.h"
#include "ui/foundation/ZUDPRegistry.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

const char kCommandManagerSection[] = "ZUDToolBars";
const char kCommandManagerKey[] = "ZUDCommandManager";
const char kCommandsWithoutImages[] = "CommandsWithoutImages";
const char kMenuUserImages[] = "MenuUserImages";

using ImagePairs = std::vector<std::pair<UINT, int>>;

ImagePairs::iterator FindPair(ImagePairs& pairs, UINT uiCmd)
{
    auto it = std::lower_bound(pairs.begin(), pairs.end(), uiCmd,
                               [](const std::pair<UINT, int>& entry, UINT value) { return entry.first < value; });
    return it != pairs.end() && it->first == uiCmd ? it : pairs.end();
}

// Keeps the first of each command, in order.
void RemoveLaterRepeats(std::vector<UINT>& commands)
{
    // A list in rising order (as the menus usually number their commands)
    // has no repeats; only other lists pay for the sort.
    if (std::adjacent_find(commands.begin(), commands.end(), std::greater_equal<UINT>()) == commands.end())
        return;
    std::vector<std::pair<UINT, size_t>> sorted(commands.size());
    for (size_t i = 0; i < commands.size(); ++i)
        sorted[i] = {commands[i], i};
    std::sort(sorted.begin(), sorted.end());
    std::vector<bool> repeat(commands.size(), false);
    bool bAny = false;
    for (size_t i = 1; i < sorted.size(); ++i) {
        if (sorted[i].first == sorted[i - 1].first) {
            repeat[sorted[i].second] = true;
            bAny = true;
        }
    }
    if (!bAny)
        return;
    size_t nKept = 0;
    for (size_t i = 0; i < commands.size(); ++i) {
        if (!repeat[i])
            commands[nKept++] = commands[i];
    }
    commands.resize(nKept);
}

// A registry value holding what an archive wrote: the bytes of the memory
// file the body stored into.
template <typename Store>
BOOL WriteArchivedValue(CZUDPRegistry& reg, LPCTSTR lpszValueName, UINT nSizeHint, Store store)
{
    try {
        CMemFile file(nSizeHint);
        {
            CArchive ar(&file, CArchive::store);
            store(ar);
            ar.Close();
        }
        const UINT nBytes = UINT(file.GetLength());
        std::unique_ptr<BYTE, decltype(&std::free)> pData(file.Detach(), &std::free);
        return reg.Write(lpszValueName, pData.get(), nBytes);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

// Loads a registry value through an archive; FALSE when it is missing or
// the body found it damaged (the archive's exceptions).
template <typename Load>
BOOL ReadArchivedValue(CZUDPRegistry& reg, LPCTSTR lpszValueName, Load load)
{
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!reg.ReadBinary(lpszValueName, &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> owner(pData);
    try {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load);
        load(ar);
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

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
    const auto itCommand = std::find(m_commandsWithoutImages.begin(), m_commandsWithoutImages.end(), uiCmd);
    const auto itImage = FindPair(m_menuUserImages, uiCmd);
    if (itImage != m_menuUserImages.end())
        m_menuUserImages.erase(itImage);
    if (!bShowImage) {
        if (itCommand == m_commandsWithoutImages.end())
            m_commandsWithoutImages.push_back(uiCmd);
        return;
    }
    if (itCommand != m_commandsWithoutImages.end())
        m_commandsWithoutImages.erase(itCommand);
    if (iUserImage >= 0) {
        const std::pair<UINT, int> entry(uiCmd, iUserImage);
        m_menuUserImages.insert(std::upper_bound(m_menuUserImages.begin(), m_menuUserImages.end(), entry), entry);
    }
}

BOOL CZUDPCommandManager::IsMenuItemWithoutImage(UINT uiCmd) const
{
    return std::find(m_commandsWithoutImages.begin(), m_commandsWithoutImages.end(), uiCmd) !=
           m_commandsWithoutImages.end();
}

int CZUDPCommandManager::GetMenuUserImage(UINT uiCmd) const
{
    auto& pairs = const_cast<ImagePairs&>(m_menuUserImages);
    const auto it = FindPair(pairs, uiCmd);
    return it != pairs.end() ? it->second : -1;
}

void CZUDPCommandManager::ResetAllImages()
{
    m_mapCommandImages.RemoveAll();
    m_mapUserCommandImages.RemoveAll();
    m_commandsWithoutImages.clear();
    m_menuUserImages.clear();
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
    // Both values are read whole, each count checked against the bytes
    // left before anything is made of it, before anything changes: a
    // damaged value loses nothing.
    std::vector<UINT> commands;
    ImagePairs images;
    const BOOL bRead = ReadArchivedValue(reg, kCommandsWithoutImages,
                                         [&](CArchive& ar) {
                                             const DWORD_PTR nCount = ar.ReadCount();
                                             ar.CheckCount(nCount, sizeof(UINT));
                                             commands.resize(size_t(nCount));
                                             for (UINT& uiCmd : commands)
                                                 ar >> uiCmd;
                                         }) &&
                       ReadArchivedValue(reg, kMenuUserImages, [&](CArchive& ar) {
                           const DWORD_PTR nCount = ar.ReadCount();
                           ar.CheckCount(nCount, sizeof(UINT) + sizeof(int));
                           images.resize(size_t(nCount));
                           for (auto& entry : images)
                               ar >> entry.first >> entry.second;
                       });
    if (!bRead)
        return FALSE;
    RemoveLaterRepeats(commands);
    m_commandsWithoutImages.swap(commands);
    // Added as a map takes them: a later entry of a command replaces an
    // earlier one, and the ones already held.
    const auto byCommand = [](const std::pair<UINT, int>& a, const std::pair<UINT, int>& b) {
        return a.first < b.first;
    };
    if (!std::is_sorted(images.begin(), images.end(), byCommand))
        std::stable_sort(images.begin(), images.end(), byCommand);
    ImagePairs merged;
    merged.reserve(m_menuUserImages.size() + images.size());
    auto itOld = m_menuUserImages.begin();
    for (size_t i = 0; i < images.size(); ++i) {
        if (i + 1 < images.size() && images[i + 1].first == images[i].first)
            continue;
        while (itOld != m_menuUserImages.end() && itOld->first < images[i].first)
            merged.push_back(*itOld++);
        if (itOld != m_menuUserImages.end() && itOld->first == images[i].first)
            ++itOld;
        merged.push_back(images[i]);
    }
    merged.insert(merged.end(), itOld, m_menuUserImages.end());
    m_menuUserImages.swap(merged);
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
    const BOOL bCommands = WriteArchivedValue(reg, kCommandsWithoutImages, UINT(6 + 4 * m_commandsWithoutImages.size()),
                                              [&](CArchive& ar) {
                                                  ar.WriteCount(m_commandsWithoutImages.size());
                                                  for (UINT uiCmd : m_commandsWithoutImages)
                                                      ar << uiCmd;
                                              });
    if (!bCommands)
        return FALSE;
    return WriteArchivedValue(reg, kMenuUserImages, UINT(6 + 8 * m_menuUserImages.size()), [&](CArchive& ar) {
        ar.WriteCount(m_menuUserImages.size());
        for (const auto& entry : m_menuUserImages)
            ar << entry.first << entry.second;
    });
}
