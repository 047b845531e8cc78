// The application object, the message pump and the program's entry point.
#include "framework/win/WinApp.h"
#include "framework/win/FrameworkSeams.h"

#include "framework/win/Dialog.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/RecentFileList.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_pApp = nullptr;
HINSTANCE g_hInstance = nullptr;
HINSTANCE g_hResource = nullptr;

char* DuplicateText(LPCTSTR text) { return text == nullptr ? nullptr : ::_strdup(text); }

} // namespace

HINSTANCE AfxGetInstanceHandle() { return g_hInstance != nullptr ? g_hInstance : ::GetModuleHandleA(nullptr); }
HINSTANCE AfxGetResourceHandle() { return g_hResource != nullptr ? g_hResource : AfxGetInstanceHandle(); }

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hResource = hInstResource;
    g_hStringResourceModule = hInstResource;
}

void AfxSetInstanceHandle(HINSTANCE hInst) { g_hInstance = hInst; }

CWinApp* AfxGetApp() { return g_pApp; }

CWinThread* AfxGetThread()
{
    CWinThread* pThread = AfxGetThreadState()->m_pThread;
    if (pThread == nullptr && g_pApp != nullptr && g_pApp->m_nThreadID == ::GetCurrentThreadId())
        pThread = g_pApp;
    return pThread;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

LPCTSTR AfxGetAppName()
{
    if (g_pApp != nullptr && g_pApp->m_pszAppName != nullptr)
        return g_pApp->m_pszAppName;
    return "";
}

// ---------------------------------------------------------------------------
// Message pump

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr)
        return pThread->PreTranslateMessage(pMsg);
    // No thread object: walk the window chain alone.
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL AfxPumpMessage()
{
    MSG& msg = AfxGetThreadState()->m_msgCur;
    if (::GetMessageA(&msg, nullptr, 0, 0) <= 0)
        return FALSE;   // WM_QUIT (or a broken queue)
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

CWinThread::CWinThread()
{
    m_nThreadID = ::GetCurrentThreadId();
}

CWinThread::~CWinThread()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_pThread == this)
        state->m_pThread = nullptr;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance()
{
    AfxDeleteTempMaps();
    return (int)AfxGetThreadState()->m_msgCur.wParam;
}

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == nullptr)
        return FALSE;   // thread messages go to no window
    CWnd* pMainWnd = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(AfxSafeHwnd(pMainWnd), pMsg))
        return TRUE;
    // Messages of modeless windows outside the main window's tree get a last
    // chance with the main window (its accelerators).
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr) {
        HWND hWndTop = pMsg->hwnd;
        for (HWND h = hWndTop; h != nullptr; h = ::GetParent(h))
            hWndTop = h;
        if (hWndTop != pMainWnd->m_hWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage() { return AfxPumpMessage(); }

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Mouse moves and paints do not restart idle processing.
    return pMsg->message != WM_MOUSEMOVE && pMsg->message != WM_NCMOUSEMOVE && pMsg->message != WM_PAINT
        && pMsg->message != 0x0118 /* WM_SYSTIMER */;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        // Let the main window update its controls.
        CWnd* pMainWnd = GetMainWnd();
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible())
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    AfxDeleteTempMapsAtIdle();
    return lCount < 1;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG& msg = AfxGetThreadState()->m_msgCur;
    CMessageLoopScope loop;
    for (;;) {
        while (bIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&msg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

// ---------------------------------------------------------------------------
// CWinApp

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    m_pszAppName = DuplicateText(lpszAppName);
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
    delete m_pDocManager;
    delete m_pRecentFileList;
    ::free((void*)m_pszAppName);
    ::free((void*)m_pszRegistryKey);
    ::free((void*)m_pszProfileName);
    ::free((void*)m_pszExeName);
    ::free((void*)m_pszHelpFilePath);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    // The menu reserves 16 recent-file commands.
    m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d",
                                            nMaxMRU > 16 ? 16 : int(nMaxMRU));
    m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (m_pDocManager == nullptr)
        m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager != nullptr ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return m_pDocManager->GetNextDocTemplate(pos);
}

void CWinApp::ReplaceString(LPCTSTR& target, LPCTSTR value)
{
    ::free((void*)target);
    target = DuplicateText(value);
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return CWinThread::ExitInstance(); }

int CWinApp::Run()
{
    if (m_pMainWnd == nullptr) {
        // Nothing to pump for: the program ends.
        ::PostQuitMessage(0);
    }
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hWndTop = nullptr;
    CWnd* pOwner = CWnd::GetSafeOwner(nullptr, &hWndTop);
    return g_frameworkSeams.messageBox(AfxSafeHwnd(pOwner), lpszPrompt, AfxGetAppName(), nType);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (m_pszHelpFilePath != nullptr)
        g_frameworkSeams.winHelp(AfxSafeHwnd(pMainWnd), m_pszHelpFilePath, nCmd, dwData);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const { return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)); }

HICON CWinApp::LoadIcon(UINT nIDResource) const { return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)); }

// ---------------------------------------------------------------------------
// Profile

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    ReplaceString(m_pszRegistryKey, lpszRegistryKey);
    ReplaceString(m_pszProfileName, m_pszAppName != nullptr ? m_pszAppName : "");
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey((LPCTSTR)key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr)
        return nullptr;
    HKEY hSoftKey = nullptr;
    HKEY hCompanyKey = nullptr;
    HKEY hAppKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) == ERROR_SUCCESS) {
        DWORD dw;
        if (::RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                              nullptr, &hCompanyKey, &dw) == ERROR_SUCCESS) {
            ::RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                              nullptr, &hAppKey, &dw);
        }
    }
    if (hSoftKey != nullptr)
        ::RegCloseKey(hSoftKey);
    if (hCompanyKey != nullptr)
        ::RegCloseKey(hCompanyKey);
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (hAppKey == nullptr)
        return nullptr;
    HKEY hSectionKey = nullptr;
    DWORD dw;
    ::RegCreateKeyExA(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, nullptr,
                      &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr)
            return (UINT)nDefault;
        DWORD dwValue = 0;
        DWORD dwType = 0;
        DWORD dwCount = sizeof(DWORD);
        LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, (LPBYTE)&dwValue, &dwCount);
        ::RegCloseKey(hSecKey);
        if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
            return (UINT)dwValue;
        return (UINT)nDefault;
    }
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr)
            return FALSE;
        DWORD dwValue = (DWORD)nValue;
        LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    char text[16];
    wsprintfA(text, "%d", nValue);
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        CString value;
        BOOL found = FALSE;
        if (hSecKey != nullptr) {
            DWORD dwType = 0;
            DWORD dwCount = 0;
            if (::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, nullptr, &dwCount) == ERROR_SUCCESS
                && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
                std::vector<char> buffer(dwCount + 1, '\0');
                if (::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, (LPBYTE)buffer.data(), &dwCount) == ERROR_SUCCESS) {
                    value = buffer.data();
                    found = TRUE;
                }
            }
            ::RegCloseKey(hSecKey);
        }
        return found ? value : CString(lpszDefault);
    }
    if (lpszDefault == nullptr)
        lpszDefault = "";
    char text[4096];
    ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, text, sizeof(text), m_pszProfileName);
    return CString(text);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszRegistryKey != nullptr) {
        if (lpszEntry == nullptr) {
            // The whole section goes.
            HKEY hAppKey = GetAppRegistryKey();
            if (hAppKey == nullptr)
                return FALSE;
            LONG lResult = ::RegDeleteKeyA(hAppKey, lpszSection);
            ::RegCloseKey(hAppKey);
            return lResult == ERROR_SUCCESS;
        }
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr)
            return FALSE;
        LONG lResult;
        if (lpszValue == nullptr)
            lResult = ::RegDeleteValueA(hSecKey, lpszEntry);
        else
            lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)(::strlen(lpszValue) + 1));
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr)
            return FALSE;
        DWORD dwType = 0;
        DWORD dwCount = 0;
        LONG lResult = ::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, nullptr, &dwCount);
        if (lResult == ERROR_SUCCESS && dwType == REG_BINARY) {
            *ppData = new BYTE[dwCount == 0 ? 1 : dwCount];
            lResult = ::RegQueryValueExA(hSecKey, lpszEntry, nullptr, &dwType, *ppData, &dwCount);
            *pBytes = dwCount;
        } else {
            lResult = ERROR_INVALID_DATA;
        }
        ::RegCloseKey(hSecKey);
        if (lResult != ERROR_SUCCESS) {
            delete[] *ppData;
            *ppData = nullptr;
            *pBytes = 0;
            return FALSE;
        }
        return TRUE;
    }
    // Ini files hold binary values as letters 'A'..'P' per half-byte.
    CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
    int nLen = text.GetLength();
    if (nLen == 0 || (nLen % 2) != 0)
        return FALSE;
    *pBytes = (UINT)(nLen / 2);
    *ppData = new BYTE[*pBytes];
    for (int i = 0; i < nLen; i += 2)
        (*ppData)[i / 2] = (BYTE)(((text[i + 1] - 'A') << 4) + (text[i] - 'A'));
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (m_pszRegistryKey != nullptr) {
        HKEY hSecKey = GetSectionKey(lpszSection);
        if (hSecKey == nullptr)
            return FALSE;
        LONG lResult = ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
        ::RegCloseKey(hSecKey);
        return lResult == ERROR_SUCCESS;
    }
    CString text;
    for (UINT i = 0; i < nBytes; i++) {
        text += (char)((pData[i] & 0x0F) + 'A');
        text += (char)(((pData[i] >> 4) & 0x0F) + 'A');
    }
    return WriteProfileString(lpszSection, lpszEntry, text);
}

// ---------------------------------------------------------------------------
// Global helpers

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return g_frameworkSeams.messageBox(::GetActiveWindow(), lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    g_hInstance = hInstance;
    if (g_hResource == nullptr)
        g_hResource = hInstance;
    g_hStringResourceModule = g_hResource;

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_INTERNET_CLASSES
                                                 | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);

    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->m_nThreadID = ::GetCurrentThreadId();
        AfxGetThreadState()->m_pThread = pApp;

        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(hInstance, path, MAX_PATH);
        const char* name = ::strrchr(path, '\\');
        name = name != nullptr ? name + 1 : path;
        CString exeName(name);
        int dot = exeName.ReverseFind('.');
        if (dot >= 0)
            exeName = exeName.Left(dot);
        if (pApp->m_pszExeName == nullptr)
            pApp->m_pszExeName = DuplicateText(exeName);
        if (pApp->m_pszAppName == nullptr) {
            CString title;
            if (title.LoadString(AFX_IDS_APP_TITLE) && !title.IsEmpty())
                pApp->m_pszAppName = DuplicateText(title);
            else
                pApp->m_pszAppName = DuplicateText(exeName);
        }
        if (pApp->m_pszProfileName == nullptr) {
            // Without a registry key the profile is an ini file named after
            // the program (in the Windows folder, as the system keeps them).
            CString ini = exeName + ".INI";
            pApp->m_pszProfileName = DuplicateText(ini);
        }
        if (pApp->m_pszHelpFilePath == nullptr) {
            CString help(path);
            int dotPath = help.ReverseFind('.');
            if (dotPath >= 0)
                help = help.Left(dotPath);
            help += ".HLP";
            pApp->m_pszHelpFilePath = DuplicateText(help);
        }
    }
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    int nReturnCode = -1;
    try {
        if (!pApp->InitApplication()) {
            nReturnCode = pApp->ExitInstance();
        } else if (!pApp->InitInstance()) {
            if (pApp->m_pMainWnd != nullptr)
                pApp->m_pMainWnd->DestroyWindow();
            nReturnCode = pApp->ExitInstance();
        } else {
            nReturnCode = pApp->Run();
        }
    } catch (CException* e) {
        char text[512] = {};
        e->GetErrorMessage(text, sizeof(text));
        e->Delete();
        g_frameworkSeams.messageBox(nullptr, text[0] != '\0' ? text : "An unexpected error ended the program.", AfxGetAppName(),
                                    MB_OK | MB_ICONSTOP);
    }
    return nReturnCode;
}

namespace {

struct SocketsTerm {
    bool started = false;
    ~SocketsTerm()
    {
        if (started)
            ::WSACleanup();
    }
};
SocketsTerm g_socketsTerm;

} // namespace

BOOL AfxSocketInit(WSADATA* lpwsaData)
{
    if (g_socketsTerm.started) {
        if (lpwsaData != nullptr)
            ::memset(lpwsaData, 0, sizeof(WSADATA));
        return TRUE;
    }
    WSADATA data;
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return FALSE;
    if (LOBYTE(data.wVersion) != 2 || HIBYTE(data.wVersion) != 2) {
        ::WSACleanup();
        return FALSE;
    }
    if (lpwsaData != nullptr)
        *lpwsaData = data;
    g_socketsTerm.started = true;
    return TRUE;
}

// The program's entry point.  It lives here, beside CWinApp's constructor,
// so that every program with an application object links it.
extern "C" int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
