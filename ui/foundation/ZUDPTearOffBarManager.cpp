#include "ui/foundation/ZUDPTearOffBarManager.h"

#include <vector>

CZUDPTearOffBarManager* g_tearOffManager = nullptr;

namespace {

const char kTag = '\1';

CString MenuItemText(HMENU hMenu, int nPos)
{
    const int nLength = ::GetMenuStringA(hMenu, UINT(nPos), nullptr, 0, MF_BYPOSITION);
    if (nLength <= 0)
        return CString();
    std::vector<char> text(size_t(nLength) + 1, '\0');
    ::GetMenuStringA(hMenu, UINT(nPos), text.data(), nLength + 1, MF_BYPOSITION);
    return CString(text.data());
}

// Changes only the item's text, so a popup keeps its submenu.
void SetMenuItemText(HMENU hMenu, int nPos, const CString& strText)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<LPSTR>(static_cast<LPCSTR>(strText));
    ::SetMenuItemInfoA(hMenu, UINT(nPos), TRUE, &info);
}

} // namespace

CZUDPTearOffBarManager::CZUDPTearOffBarManager()
{
    g_tearOffManager = this;
}

CZUDPTearOffBarManager::~CZUDPTearOffBarManager()
{
    if (g_tearOffManager == this)
        g_tearOffManager = nullptr;
}

BOOL CZUDPTearOffBarManager::Build(UINT uiTearOffBarFirstId, UINT uiTearOffBarLastId)
{
    if (uiTearOffBarFirstId == 0 || uiTearOffBarLastId < uiTearOffBarFirstId)
        return FALSE;
    m_uiFirstId = uiTearOffBarFirstId;
    m_uiLastId = uiTearOffBarLastId;
    m_useCounts.assign(size_t(uiTearOffBarLastId - uiTearOffBarFirstId) + 1, 0);
    return TRUE;
}

void CZUDPTearOffBarManager::TagMenuText(UINT uiId, CString& strText)
{
    CString tagged;
    tagged.Format("%c%d%c%s", kTag, int(uiId), kTag, static_cast<LPCSTR>(strText));
    strText = tagged;
}

UINT CZUDPTearOffBarManager::ExtractIdFromMenuText(CString& strText)
{
    if (strText.IsEmpty() || strText[0] != kTag)
        return 0;
    ULONGLONG id = 0;
    int i = 1;
    for (; i < strText.GetLength() && strText[i] >= '0' && strText[i] <= '9'; ++i) {
        if (i > 10)
            return 0;
        id = id * 10 + ULONGLONG(strText[i] - '0');
    }
    if (id > 0xFFFFFFFFull)
        return 0;
    const int nLastTag = strText.ReverseFind(kTag);
    strText = strText.Mid(nLastTag + 1);
    return UINT(id);
}

UINT CZUDPTearOffBarManager::AllocateId()
{
    for (size_t i = 0; i < m_useCounts.size(); ++i) {
        if (m_useCounts[i] == 0) {
            m_useCounts[i] = 1;
            return m_uiFirstId + UINT(i);
        }
    }
    return 0;
}

void CZUDPTearOffBarManager::CountIdUse(UINT uiId, BOOL bIncrement)
{
    if (!InRange(uiId))
        return;
    int& count = m_useCounts[uiId - m_uiFirstId];
    if (bIncrement)
        ++count;
    else if (count > 0)
        --count;
}

int CZUDPTearOffBarManager::GetIdUseCount(UINT uiId) const
{
    return InRange(uiId) ? m_useCounts[uiId - m_uiFirstId] : 0;
}

void CZUDPTearOffBarManager::ReleaseIds(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        CString text = MenuItemText(hMenu, i);
        const UINT uiId = ExtractIdFromMenuText(text);
        if (InRange(uiId))
            m_useCounts[uiId - m_uiFirstId] = 0;
        if (HMENU hSub = ::GetSubMenu(hMenu, i))
            ReleaseIds(hSub);
    }
}

void CZUDPTearOffBarManager::ReleaseIdsOfMenu(CMenu* pMenu)
{
    if (pMenu == nullptr || pMenu->GetSafeHmenu() == nullptr) {
        std::fill(m_useCounts.begin(), m_useCounts.end(), 0);
        return;
    }
    ReleaseIds(pMenu->GetSafeHmenu());
}

bool CZUDPTearOffBarManager::AssignIds(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub == nullptr)
            continue;
        if (::GetMenuState(hMenu, UINT(i), MF_BYPOSITION) & MF_MENUBARBREAK) {
            CString text = MenuItemText(hMenu, i);
            if (text.IsEmpty() || text[0] != kTag) {
                const UINT uiId = AllocateId();
                if (uiId == 0)
                    return false;
                TagMenuText(uiId, text);
                SetMenuItemText(hMenu, i, text);
            }
        }
        if (!AssignIds(hSub))
            return false;
    }
    return true;
}

void CZUDPTearOffBarManager::AssignIdsToMenu(CMenu* pMenu)
{
    if (pMenu != nullptr && pMenu->GetSafeHmenu() != nullptr)
        AssignIds(pMenu->GetSafeHmenu());
}
