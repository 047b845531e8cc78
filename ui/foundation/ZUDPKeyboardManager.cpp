#include "ui/foundation/ZUDPKeyboardManager.h"
#include "framework/win/WinApp.h"

#include <memory>
#include <vector>

#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPKeyHelper.h"
#include "ui/foundation/ZUDPRegistry.h"
#include "ui/foundation/ZUDPTextConstants.h"

CZUDPKeyboardManager* g_keyboardManager = nullptr;

namespace {

const char* const kAcceleratorsEntry = "Accelerators";
const UINT kEntryBytes = 6;
const BYTE kAccelFlags = FVIRTKEY | FNOINVERT | FSHIFT | FCONTROL | FALT;

// A copy of a table with the handle it came from; refreshed when asked
// for another handle, and dropped whenever the manager replaces a table
// (a destroyed table's handle value may come back for a new one).
struct AccelCache {
    HACCEL hAccel = nullptr;
    std::vector<ACCEL> entries;

    const std::vector<ACCEL>& For(HACCEL hTable)
    {
        if (hTable != hAccel) {
            const int n = ::CopyAcceleratorTableA(hTable, nullptr, 0);
            entries.assign(size_t(std::max(n, 0)), ACCEL{});
            if (n > 0)
                ::CopyAcceleratorTableA(hTable, entries.data(), n);
            hAccel = hTable;
        }
        return entries;
    }
    void Clear()
    {
        hAccel = nullptr;
        entries.clear();
    }
};

AccelCache g_defaultFrameCache;
AccelCache g_otherFramesCache;

struct CacheRelease {
    ~CacheRelease() { CZUDPKeyboardManager::FreeAcceleratorCaches(); }
} g_cacheRelease;

CFrameWnd* MainFrame()
{
    return DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
}

// The application's multi-document templates that have a table, in the
// application's order.
std::vector<CMultiDocTemplate*> TemplatesWithTables()
{
    std::vector<CMultiDocTemplate*> templates;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return templates;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
        CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
        if (pTemplate != nullptr && pTemplate->m_hAccelTable != nullptr)
            templates.push_back(pTemplate);
    }
    return templates;
}

CString TableKey(const CString& strRegPath, UINT uiResId)
{
    CString key;
    key.Format("%sZUDKeyboard-%d", static_cast<LPCSTR>(strRegPath), int(uiResId));
    return key;
}

const std::vector<ACCEL>* FrameTable(CFrameWnd* pWndFrame, BOOL bIsDefaultFrame)
{
    if (pWndFrame == nullptr)
        return nullptr;
    HACCEL hAccel = pWndFrame->GetDefaultAccelerator();
    if (hAccel == nullptr)
        return nullptr;
    return &(bIsDefaultFrame ? g_defaultFrameCache : g_otherFramesCache).For(hAccel);
}

} // namespace

CZUDPKeyboardManager::CZUDPKeyboardManager()
{
    g_keyboardManager = this;
}

CZUDPKeyboardManager::~CZUDPKeyboardManager()
{
    if (g_keyboardManager == this)
        g_keyboardManager = nullptr;
}

BOOL CZUDPKeyboardManager::LoadTableFromRegistry(const CString& strRegPath, UINT uiResId, HACCEL& hAccelTable)
{
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, TRUE);
    if (!reg.Open(TableKey(strRegPath, uiResId)))
        return FALSE;
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!reg.ReadBinary(kAcceleratorsEntry, &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> owner(pData);
    if (nBytes == 0 || nBytes % kEntryBytes != 0)
        return FALSE;
    std::vector<ACCEL> entries(nBytes / kEntryBytes);
    for (size_t i = 0; i < entries.size(); ++i) {
        const BYTE* p = pData + i * kEntryBytes;
        entries[i].fVirt = BYTE(p[0] & kAccelFlags);
        entries[i].key = WORD(p[2] | p[3] << 8);
        entries[i].cmd = WORD(p[4] | p[5] << 8);
        // A shortcut to a command the library never runs leads nowhere.
        if (g_blockedCommands.Find(UINT(entries[i].cmd)) != nullptr)
            entries[i].cmd = 0;
    }
    HACCEL hAccel = ::CreateAcceleratorTableA(entries.data(), int(entries.size()));
    if (hAccel == nullptr)
        return FALSE;
    hAccelTable = hAccel;
    return TRUE;
}

BOOL CZUDPKeyboardManager::SaveTableToRegistry(const CString& strRegPath, UINT uiResId, HACCEL hAccelTable)
{
    const int nCount = ::CopyAcceleratorTableA(hAccelTable, nullptr, 0);
    if (nCount <= 0)
        return FALSE;
    std::vector<ACCEL> entries(static_cast<size_t>(nCount));
    ::CopyAcceleratorTableA(hAccelTable, entries.data(), nCount);
    CZUDPRegistryHolder holder;
    CZUDPRegistry& reg = holder.Create(FALSE, FALSE);
    if (!reg.CreateKey(TableKey(strRegPath, uiResId)))
        return FALSE;
    std::vector<BYTE> bytes(entries.size() * kEntryBytes, 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        BYTE* p = bytes.data() + i * kEntryBytes;
        p[0] = entries[i].fVirt;
        p[2] = BYTE(entries[i].key), p[3] = BYTE(entries[i].key >> 8);
        p[4] = BYTE(entries[i].cmd), p[5] = BYTE(entries[i].cmd >> 8);
    }
    reg.Write(kAcceleratorsEntry, bytes.data(), UINT(bytes.size()));
    return TRUE;
}

BOOL CZUDPKeyboardManager::LoadState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame)
{
    const CString path = BuildRegistrySectionPath(kKeyboardSection, lpszProfileName);
    for (CMultiDocTemplate* pTemplate : TemplatesWithTables()) {
        HACCEL hAccel = nullptr;
        if (LoadTableFromRegistry(path, pTemplate->GetResourceId(), hAccel))
            ReplaceAcceleratorHandle(pTemplate, hAccel, nullptr);
    }
    CFrameWnd* pFrame = pDefaultFrame != nullptr ? pDefaultFrame : MainFrame();
    if (pFrame != nullptr && pFrame->GetDefaultAccelerator() != nullptr) {
        HACCEL hAccel = nullptr;
        if (LoadTableFromRegistry(path, 0, hAccel))
            ReplaceAcceleratorHandle(nullptr, hAccel, pFrame);
    }
    return TRUE;
}

BOOL CZUDPKeyboardManager::SaveState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame)
{
    const CString path = BuildRegistrySectionPath(kKeyboardSection, lpszProfileName);
    for (CMultiDocTemplate* pTemplate : TemplatesWithTables())
        SaveTableToRegistry(path, pTemplate->GetResourceId(), pTemplate->m_hAccelTable);
    CFrameWnd* pFrame = pDefaultFrame != nullptr ? pDefaultFrame : MainFrame();
    if (pFrame != nullptr && pFrame->GetDefaultAccelerator() != nullptr)
        SaveTableToRegistry(path, 0, pFrame->GetDefaultAccelerator());
    return TRUE;
}

void CZUDPKeyboardManager::RestoreOriginalAccelerators()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    for (CMultiDocTemplate* pTemplate : TemplatesWithTables()) {
        HACCEL hAccel = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(pTemplate->GetResourceId()));
        if (hAccel != nullptr && !ReplaceAcceleratorHandle(pTemplate, hAccel, nullptr))
            ::DestroyAcceleratorTable(hAccel);
    }
    CFrameWnd* pFrame = MainFrame();
    if (pFrame == nullptr || pFrame->GetDefaultAccelerator() == nullptr)
        return;
    const UINT uiResId = pFrame->GetDefaultAcceleratorId();
    if (uiResId == 0)
        return;
    HACCEL hAccel = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(uiResId));
    if (hAccel != nullptr && !ReplaceAcceleratorHandle(nullptr, hAccel, pFrame))
        ::DestroyAcceleratorTable(hAccel);
}

BOOL CZUDPKeyboardManager::ReplaceAcceleratorTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                                   CFrameWnd* pDefaultFrame)
{
    if (lpAccel == nullptr || nSize <= 0)
        return FALSE;
    HACCEL hAccel = ::CreateAcceleratorTableA(lpAccel, nSize);
    if (hAccel == nullptr)
        return FALSE;
    if (!ReplaceAcceleratorHandle(pTemplate, hAccel, pDefaultFrame)) {
        ::DestroyAcceleratorTable(hAccel);
        return FALSE;
    }
    return TRUE;
}

BOOL CZUDPKeyboardManager::ReplaceAcceleratorHandle(CMultiDocTemplate* pTemplate, HACCEL hAccelNew,
                                                    CFrameWnd* pDefaultFrame)
{
    HACCEL hOld = nullptr;
    if (pTemplate != nullptr) {
        hOld = pTemplate->m_hAccelTable;
        pTemplate->m_hAccelTable = hAccelNew;
        // Frames showing the template's documents follow unless they were
        // given a table of their own.
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr;) {
            CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
            for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;) {
                CFrameWnd* pFrame = pDoc->GetNextView(posView)->GetParentFrame();
                if (pFrame != nullptr && pFrame->m_hAccelTable == hOld && hOld != nullptr)
                    pFrame->m_hAccelTable = hAccelNew;
            }
        }
    } else {
        CFrameWnd* pFrame = pDefaultFrame != nullptr ? pDefaultFrame : MainFrame();
        if (pFrame == nullptr)
            return FALSE;
        hOld = pFrame->m_hAccelTable;
        pFrame->m_hAccelTable = hAccelNew;
    }
    FreeAcceleratorCaches();
    if (hOld != nullptr && hOld != hAccelNew)
        ::DestroyAcceleratorTable(hOld);
    return TRUE;
}

BOOL CZUDPKeyboardManager::GetCommandKeyText(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame)
{
    str.Empty();
    const std::vector<ACCEL>* pTable = FrameTable(pWndFrame, bIsDefaultFrame);
    if (pTable == nullptr)
        return FALSE;
    for (const ACCEL& entry : *pTable) {
        if (entry.cmd == uiCmd) {
            ACCEL copy = entry;
            CZUDPKeyHelper(&copy).FormatShortcut(str);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CZUDPKeyboardManager::IsKeyAssigned(BYTE fVirt, WORD key, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame)
{
    const std::vector<ACCEL>* pTable = FrameTable(pWndFrame, bIsDefaultFrame);
    if (pTable == nullptr)
        return FALSE;
    for (const ACCEL& entry : *pTable)
        if (entry.key == key && entry.fVirt == fVirt)
            return TRUE;
    return FALSE;
}

BOOL CZUDPKeyboardManager::IsPrintableKey(UINT nChar)
{
    BYTE state[256] = {};
    if (!::GetKeyboardState(state))
        return FALSE;
    WORD chars[2] = {};
    const UINT nScan = ::MapVirtualKeyA(nChar, MAPVK_VK_TO_VSC);
    return ::ToAsciiEx(nChar, nScan, state, chars, 0, ::GetKeyboardLayout(0)) > 0;
}

UINT CZUDPKeyboardManager::VirtualKeyToUpperChar(UINT nChar)
{
    const bool bAlt = (::GetKeyState(VK_MENU) & 0x8000) != 0;
    if (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9 && !bAlt) {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        WORD chars[2] = {};
        const UINT nScan = ::MapVirtualKeyA(nChar, MAPVK_VK_TO_VSC);
        if (::ToAsciiEx(nChar, nScan, state, chars, 1, ::GetKeyboardLayout(0)) > 0) {
            char text[2] = {char(chars[0]), '\0'};
            ::CharUpperA(text);
            return UINT(BYTE(text[0]));
        }
        return nChar;
    }
    if ((nChar >= 'A' && nChar <= 'Z') || bAlt)
        return nChar;
    return UINT(toupper(int(nChar)));
}

void CZUDPKeyboardManager::FreeAcceleratorCaches()
{
    g_defaultFrameCache.Clear();
    g_otherFramesCache.Clear();
}
