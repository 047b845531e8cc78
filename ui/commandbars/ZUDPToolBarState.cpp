// The toolbar's saved state: its archive (buttons, text labels, name, MRU
// width), the registry key it keeps it under with the original and reset
// items of its resource, the merge of resource changes made since the
// state was saved, the reset to the resource, and the library-wide toolbar
// and menu options.
//
// Registry below the caller's profile (or the "ZUDToolBars" section):
//   "ZUDToolBar-<id>" or "ZUDToolBar-<id><index in hex>"
//       "Name"            REG_SZ     the window text
//       "Buttons"         REG_BINARY the toolbar's archive
//       "OriginalItems"   REG_BINARY the resource's items when saved
//       "OrigResetItems"  REG_BINARY the items a reset brings back
//   "ZUDToolbarParameters"  the options, see SaveGlobalOptions.
//
// An archive is always written in this library's format.  Only a load from
// the registry asks the workspace which library stored the state; archives
// that stay in the process (menu edits, drag data) are of this library.
#include "ui/commandbars/ZUDPToolBar.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/win/WinApp.h"
#include "res/ui/commandbars.h"
#include "ui/commandbars/CmdUsageCount.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPRegistry.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

namespace {

const char kToolbarStateSection[] = "ZUDToolBars";
const char kToolbarStateKey[] = "ZUDToolBar";
const char kToolbarOptionsKey[] = "ZUDToolbarParameters";
const char kValueName[] = "Name";
const char kValueButtons[] = "Buttons";
const char kValueOriginalItems[] = "OriginalItems";
const char kValueResetItems[] = "OrigResetItems";

// State stored by libraries before this version has no MRU width at the
// end of a toolbar's archive.
const int kMRUWidthVersion = 0x60200;

// The pressed and checked state bits a stored button loses.
const UINT kTransientButtonState = 0x30000;

// Set while LoadBarState reads an archive from the registry: only then does
// the stored library version decide the format.
int s_toolbarRegistryLoads = 0;

BOOL ToolbarArchiveHasMRUWidth()
{
    if (s_toolbarRegistryLoads == 0)
        return TRUE;
    const CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    if (pWorkspace == nullptr)
        return TRUE;
    const int nVersion = pWorkspace->GetStoredStateVersion();
    return nVersion == -1 || nVersion >= kMRUWidthVersion;
}

void DeleteButtonList(CObList& list)
{
    while (!list.IsEmpty())
        delete list.RemoveHead();
}

// A new object of the button's class with the button copied into it.
CZUDPToolbarButton* CopyOfStoredButton(const CZUDPToolbarButton& button)
{
    CZUDPToolbarButton* pCopy = DYNAMIC_DOWNCAST(CZUDPToolbarButton, button.GetRuntimeClass()->CreateObject());
    if (pCopy != nullptr)
        pCopy->CopyFrom(button);
    return pCopy;
}

BOOL IsTrueOption(DWORD dwValue) { return dwValue != 0; }

// A stored menu animation this library knows: none, the three kinds, or
// follow the system; anything else is no animation.
int CheckedMenuAnimation(int nStored)
{
    return (nStored >= 0 && nStored <= 3) || nStored == 999 ? nStored : 0;
}

} // namespace

// ---------------------------------------------------------------------------
// The archive

void CZUDPToolBar::Serialize(CArchive& ar)
{
    CZUDPBaseToolBar::Serialize(ar);
    if (m_bLocked)
        return;

    if (ar.IsStoring()) {
        // The overflow button and the rows a bar makes on the fly are not
        // stored: they cannot be dragged.
        CObList stored;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
            CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
            if (pButton->CanBeDragged())
                stored.AddTail(pButton);
        }
        ar.WriteCount(DWORD_PTR(stored.GetCount()));
        for (POSITION pos = stored.GetHeadPosition(); pos != nullptr;)
            ar.WriteObject(stored.GetNext(pos));
        ar << int(m_bTextLabels);
        CString strText;
        if (m_hWnd != nullptr)
            GetWindowText(strText);
        ar << strText;
        ar << int(m_nMRUWidth);
        return;
    }

    // Everything is read before anything changes: a damaged archive
    // throws and leaves the bar with its buttons and its overflow button.
    CObList loaded;
    int nTextLabels = 0;
    CString strText;
    int nMRUWidth = m_nMRUWidth;
    BOOL bEmptyEntry = FALSE;
    try {
        const DWORD_PTR nCount = ar.ReadCount();
        ar.CheckCount(ULONGLONG(nCount), sizeof(WORD));
        for (DWORD_PTR i = 0; i < nCount; ++i) {
            CObject* pObject = ar.ReadOwnedObject(RUNTIME_CLASS(CZUDPToolbarButton));
            if (pObject == nullptr)
                bEmptyEntry = TRUE;
            else
                loaded.AddTail(pObject);
        }
        if (!bEmptyEntry) {
            ar >> nTextLabels;
            ar >> strText;
            if (ToolbarArchiveHasMRUWidth())
                ar >> nMRUWidth;
        }
    } catch (...) {
        DeleteButtonList(loaded);
        throw;
    }

    if (bEmptyEntry) {
        // A list with an empty entry stands for the resource's buttons.
        DeleteButtonList(loaded);
        if (HasSourceResource())
            ReloadFromResource();
        PositionButtons();
        return;
    }

    CZUDPToolbarButton* pOverflowCopy = m_pCustomizeBtn != nullptr ? CopyOfStoredButton(*m_pCustomizeBtn) : nullptr;
    DeleteAllButtons();
    while (!loaded.IsEmpty()) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(loaded.RemoveHead());
        pButton->style &= ~kTransientButtonState;
        m_Buttons.AddTail(pButton);
        pButton->OnParentChanged(this);
    }
    if (AllowShowTextLabels())
        m_bTextLabels = nTextLabels != 0;
    if (pOverflowCopy != nullptr) {
        m_Buttons.AddTail(pOverflowCopy);
        pOverflowCopy->OnParentChanged(this);
        m_pCustomizeBtn = DYNAMIC_DOWNCAST(CCustomizeButton, pOverflowCopy);
    }
    PositionButtons();
    if (m_hWnd != nullptr)
        SetWindowText(strText);
    for (POSITION pos = g_blockedCommands.GetHeadPosition(); pos != nullptr;) {
        const int iIndex = FindCommandIndex(g_blockedCommands.GetNext(pos));
        if (iIndex >= 0)
            RemoveButton(iIndex);
    }
    m_nMRUWidth = nMRUWidth;
    RebuildMnemonics();
}

// ---------------------------------------------------------------------------
// The registry key

CString CZUDPToolBar::StateKeyPath(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const
{
    return FormatStateKey(kToolbarStateSection, kToolbarStateKey, lpszProfileName, nIndex, uiID,
                          m_hWnd != nullptr ? UINT(GetDlgCtrlID()) : m_nControlId);
}

BOOL CZUDPToolBar::SaveBarState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    BOOL bWritten = FALSE;
    const CString strKey = StateKeyPath(lpszProfileName, nIndex, uiID);
    BYTE* pBytes = nullptr;
    UINT nBytes = 0;
    try {
        CMemFile file(1024);
        {
            CArchive ar(&file, CArchive::store);
            Serialize(ar);
            ar.Close();
        }
        nBytes = UINT(file.GetLength());
        pBytes = file.Detach();
    } catch (CException* e) {
        e->Delete();
        std::free(pBytes);
        pBytes = nullptr;
        nBytes = 0;
    }
    std::unique_ptr<BYTE, decltype(&std::free)> bytes(pBytes, &std::free);

    if (!strKey.IsEmpty() && bytes != nullptr && nBytes > 0) {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
        if (reg.CreateKey(strKey)) {
            bWritten = TRUE;
            if (m_hWnd != nullptr) {
                CString strName;
                GetWindowText(strName);
                bWritten &= reg.Write(kValueName, strName);
            }
            const BOOL bButtons = reg.Write(kValueButtons, bytes.get(), nBytes);
            bWritten &= bButtons;
            const CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
            if (bButtons && pWorkspace != nullptr && pWorkspace->IsResourceSmartUpdate())
                bWritten &= SaveOriginalItems(strKey);
            bWritten &= SaveResetItems(strKey);
        }
    }
    // The docking state is saved whatever happened to the buttons.
    const BOOL bBase = CZUDPBaseToolBar::SaveBarState(lpszProfileName, nIndex, uiID);
    return bWritten && bBase;
}

BOOL CZUDPToolBar::LoadBarState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strKey = StateKeyPath(lpszProfileName, nIndex, uiID);
    if (strKey.IsEmpty())
        return FALSE;
    BOOL bComplete = FALSE;
    {
        CZUDPRegistryHolder holder;
        CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
        LPBYTE pData = nullptr;
        UINT nBytes = 0;
        if (!reg.Open(strKey) || !reg.ReadBinary(kValueButtons, &pData, &nBytes))
            return FALSE;
        std::unique_ptr<BYTE[]> data(pData);
        ++s_toolbarRegistryLoads;
        try {
            CMemFile file(data.get(), nBytes);
            CArchive ar(&file, CArchive::load);
            Serialize(ar);
            bComplete = TRUE;
        } catch (CException* e) {
            // The bar keeps what it had: a damaged archive changes nothing.
            e->Delete();
        }
        --s_toolbarRegistryLoads;
    }
    LoadResetItems(strKey);
    const CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    if (bComplete && pWorkspace != nullptr && pWorkspace->IsResourceSmartUpdate())
        LoadOriginalItems(strKey);
    const BOOL bBase = CZUDPBaseToolBar::LoadBarState(lpszProfileName, nIndex, uiID);
    UpdateLayout();
    return bComplete && bBase;
}

BOOL CZUDPToolBar::DeleteSavedState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strKey = StateKeyPath(lpszProfileName, nIndex, uiID);
    if (strKey.IsEmpty())
        return FALSE;
    CZUDPRegistryHolder holder;
    return holder.Create(FALSE, FALSE).DeleteKey(strKey);
}

// ---------------------------------------------------------------------------
// Original and reset items

BOOL CZUDPToolBar::SaveOriginalItems(LPCTSTR lpszRegistryKey)
{
    if (m_OrigButtons.IsEmpty())
        return TRUE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    return reg.CreateKey(lpszRegistryKey) && reg.Write(kValueOriginalItems, m_OrigButtons);
}

BOOL CZUDPToolBar::SaveResetItems(LPCTSTR lpszRegistryKey)
{
    if (m_OrigResetButtons.IsEmpty())
        return TRUE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    return reg.CreateKey(lpszRegistryKey) && reg.Write(kValueResetItems, m_OrigResetButtons);
}

BOOL CZUDPToolBar::LoadOriginalItems(LPCTSTR lpszRegistryKey)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    CObList saved;
    if (!reg.Open(lpszRegistryKey) || !reg.Read(kValueOriginalItems, saved, RUNTIME_CLASS(CZUDPToolbarButton)))
        return FALSE;
    const BOOL bResult = SetButtonList(saved);
    DeleteButtonList(saved);
    return bResult;
}

BOOL CZUDPToolBar::LoadResetItems(LPCTSTR lpszRegistryKey)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    CObList saved;
    if (!reg.Open(lpszRegistryKey) || !reg.Read(kValueResetItems, saved, RUNTIME_CLASS(CZUDPToolbarButton)) ||
        saved.IsEmpty()) {
        DeleteButtonList(saved);
        return TRUE;
    }
    DeleteButtonList(m_OrigResetButtons);
    while (!saved.IsEmpty()) {
        CObject* pObject = saved.RemoveHead();
        if (CZUDPToolbarButton* pButton = DYNAMIC_DOWNCAST(CZUDPToolbarButton, pObject))
            m_OrigResetButtons.AddTail(pButton);
        else
            delete pObject;
    }
    return TRUE;
}

BOOL CZUDPToolBar::SetButtonList(CObList& lstButtons)
{
    m_bResourceChanged = FALSE;
    auto matches = [](const CObList& list, const CZUDPToolbarButton& button) {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            const CZUDPToolbarButton* pOther = DYNAMIC_DOWNCAST(CZUDPToolbarButton, list.GetNext(pos));
            if (pOther != nullptr && pOther->IsSameCommand(button))
                return TRUE;
        }
        return FALSE;
    };

    // Items saved that the resource no longer has.
    for (POSITION pos = lstButtons.GetHeadPosition(); pos != nullptr;) {
        const CZUDPToolbarButton* pSaved = DYNAMIC_DOWNCAST(CZUDPToolbarButton, lstButtons.GetNext(pos));
        if (pSaved == nullptr || matches(m_OrigButtons, *pSaved))
            continue;
        m_bResourceChanged = TRUE;
        const int iIndex = FindCommandIndex(pSaved->commandId);
        if (iIndex >= 0)
            RemoveButton(iIndex);
        if (m_bQuickCustomize) {
            for (POSITION posReset = m_OrigResetButtons.GetHeadPosition(); posReset != nullptr;) {
                const POSITION posThis = posReset;
                CZUDPToolbarButton* pReset = static_cast<CZUDPToolbarButton*>(m_OrigResetButtons.GetNext(posReset));
                if (pReset->commandId == pSaved->commandId) {
                    m_OrigResetButtons.RemoveAt(posThis);
                    delete pReset;
                    break;
                }
            }
        }
    }

    // Items of the resource the saved state has not seen.
    int i = 0;
    for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr; ++i) {
        const CZUDPToolbarButton* pOriginal = static_cast<const CZUDPToolbarButton*>(m_OrigButtons.GetNext(pos));
        if (matches(lstButtons, *pOriginal))
            continue;
        m_bResourceChanged = TRUE;
        // Never after the overflow button.
        int nCount = GetCount();
        if (m_pCustomizeBtn != nullptr)
            --nCount;
        const int iInsertAt = std::min(i, std::max(nCount, 0));
        if (pOriginal->commandId == 0) {
            InsertSeparator(iInsertAt);
            continue;
        }
        int iImage = -1;
        if (!g_defaultCommandImages.Lookup(pOriginal->commandId, iImage))
            iImage = -1;
        CZUDPToolbarButton button(pOriginal->commandId, iImage, nullptr, FALSE, m_bLocked);
        InsertButtonCopy(button, iInsertAt);
        if (m_bQuickCustomize)
            InsertResetButton(button, std::min(i, int(m_OrigResetButtons.GetCount())));
    }

    // Same length and the same commands in the same order: unchanged.
    if (lstButtons.GetCount() == m_OrigButtons.GetCount()) {
        BOOL bSameOrder = TRUE;
        POSITION posSaved = lstButtons.GetHeadPosition();
        for (POSITION pos = m_OrigButtons.GetHeadPosition(); pos != nullptr && posSaved != nullptr;) {
            const CZUDPToolbarButton* pOriginal = static_cast<const CZUDPToolbarButton*>(m_OrigButtons.GetNext(pos));
            const CZUDPToolbarButton* pSaved = DYNAMIC_DOWNCAST(CZUDPToolbarButton, lstButtons.GetNext(posSaved));
            if (pSaved == nullptr || !pOriginal->IsSameCommand(*pSaved)) {
                bSameOrder = FALSE;
                break;
            }
        }
        if (bSameOrder)
            return m_bResourceChanged;
    }
    m_bResourceChanged = TRUE;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Reset

BOOL CZUDPToolBar::ReloadFromResource()
{
    if (!HasSourceResource())
        return FALSE;
    const BOOL bLoaded = LoadButtonsResource(m_uiOriginalResID, 0, 0, m_bLocked);
    UpdateLayout();
    if (IsFloating())
        RefreshPlacement();
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    return bLoaded;
}

LRESULT CZUDPToolBar::OnResetPrompt(WPARAM, LPARAM)
{
    CString strName;
    if (m_hWnd != nullptr)
        GetWindowText(strName);
    strName.Trim();
    if (strName.IsEmpty())
        strName.LoadString(IDS_ZUDP_UNTITLED_TOOLBAR);
    CString strFormat;
    strFormat.LoadString(IDS_ZUDP_RESET_TOOLBAR_PROMPT);
    CString strPrompt;
    strPrompt.Format(strFormat, (LPCTSTR)strName);
    if (AfxMessageBox(strPrompt, MB_OKCANCEL | MB_ICONWARNING) == IDOK)
        ReloadFromResource();
    return 0;
}

// ---------------------------------------------------------------------------
// Library-wide options

BOOL CZUDPToolBar::SaveGlobalOptions(LPCTSTR lpszProfileName)
{
    const CString strKey = BuildRegistrySectionPath(kToolbarStateSection, lpszProfileName) + kToolbarOptionsKey;
    if (strKey == kToolbarOptionsKey)
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(strKey))
        return FALSE;
    return reg.Write("Tooltips", DWORD(g_showTooltips ? 1 : 0)) &&
           reg.Write("ShortcutKeys", DWORD(g_showShortcutKeys ? 1 : 0)) &&
           reg.Write("LargeIcons", DWORD(g_largeIcons ? 1 : 0)) && reg.Write("MenuAnimation", DWORD(g_menuAnimation)) &&
           reg.Write("RecentlyUsedMenus", DWORD(g_personalizedMenus ? 1 : 0)) &&
           reg.Write("MenuShadows", DWORD(g_menuShadows ? 1 : 0)) &&
           reg.Write("ShowAllMenusAfterDelay", DWORD(g_showAllMenusAfterDelay ? 1 : 0)) &&
           reg.Write("Look2000", DWORD(CZUDPVisualManager::IsLook2000() ? 1 : 0)) &&
           reg.Write("CommandsUsage", g_commandUsage);
}

BOOL CZUDPToolBar::LoadGlobalOptions(LPCTSTR lpszProfileName)
{
    const CString strKey = BuildRegistrySectionPath(kToolbarStateSection, lpszProfileName) + kToolbarOptionsKey;
    if (strKey == kToolbarOptionsKey)
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(strKey))
        return FALSE;

    // Read in the order written; the first value missing ends the reading
    // (what was read stays), and the animation and the look are applied in
    // every case.
    int nMenuAnimation = 0;
    DWORD dwLook2000 = 0;
    DWORD dwValue = 0;
    BOOL bAll = FALSE;
    do {
        if (!reg.Read("Tooltips", dwValue))
            break;
        g_showTooltips = IsTrueOption(dwValue);
        if (!reg.Read("ShortcutKeys", dwValue))
            break;
        g_showShortcutKeys = IsTrueOption(dwValue);
        if (!reg.Read("LargeIcons", dwValue))
            break;
        g_largeIcons = IsTrueOption(dwValue);
        if (!reg.Read("MenuAnimation", nMenuAnimation))
            break;
        if (!reg.Read("RecentlyUsedMenus", dwValue))
            break;
        g_personalizedMenus = IsTrueOption(dwValue);
        if (!reg.Read("MenuShadows", dwValue))
            break;
        g_menuShadows = IsTrueOption(dwValue);
        if (!reg.Read("ShowAllMenusAfterDelay", dwValue))
            break;
        g_showAllMenusAfterDelay = IsTrueOption(dwValue);
        if (!reg.Read("Look2000", dwLook2000))
            break;
        if (!reg.Read("CommandsUsage", g_commandUsage))
            break;
        bAll = TRUE;
    } while (false);

    g_menuAnimation = CheckedMenuAnimation(nMenuAnimation);
    SetLargeIcons(g_largeIcons);
    CZUDPVisualManager::SetLook2000Style(dwLook2000 != 0);
    return bAll;
}

BOOL CZUDPToolBar::LoadLargeIconsOption(LPCTSTR lpszProfileName)
{
    const CString strKey = BuildRegistrySectionPath(kToolbarStateSection, lpszProfileName) + kToolbarOptionsKey;
    if (strKey == kToolbarOptionsKey)
        return FALSE;
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    DWORD dwValue = 0;
    if (!reg.Open(strKey) || !reg.Read("LargeIcons", dwValue))
        return FALSE;
    g_largeIcons = IsTrueOption(dwValue);
    return TRUE;
}
