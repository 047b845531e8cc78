#pragma once
// CWinThread (a thread with a message pump) and CWinApp (the one
// application object of the program), with the framework's global helpers.
//
// The program defines exactly one global object of a class derived from
// CWinApp.  The framework's WinMain (in WinApp.cpp) initialises it
// (AfxWinInit), calls InitInstance and then Run, or ExitInstance when
// InitInstance returned FALSE, and returns the exit code.
#include "framework/win/Wnd.h"

class CDocManager;
class CDocTemplate;
class CRecentFileList;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;      // the thread's main window
    CWnd* m_pActiveWnd = nullptr;
    BOOL m_bAutoDelete = FALSE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    MSG m_msgCur = {};

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message pump: idle processing while the queue is empty, then
    // every message through PumpMessage, until WM_QUIT.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount counts the idle calls since the last message; TRUE asks for
    // more idle time.  The base deletes the temporary handle maps.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Strings owned by the application object (allocated with malloc; a
    // program may replace one by freeing it and storing its own copy).
    LPCTSTR m_pszAppName = nullptr;      // the program's name (captions)
    LPCTSTR m_pszRegistryKey = nullptr;  // company key; null: profile in an ini file
    LPCTSTR m_pszProfileName = nullptr;  // the profile: section under the company key, or ini path
    LPCTSTR m_pszExeName = nullptr;      // module name without extension
    LPCTSTR m_pszHelpFilePath = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    // Shows a message box for the application (AfxMessageBox calls it).
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // Profile: the registry under HKEY_CURRENT_USER\Software\<company>\<app>
    // once SetRegistryKey was called, else the ini file m_pszProfileName.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[] and freed by the caller with delete[].
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // The document templates, in the order added; the application owns
    // them (through m_pDocManager, made by the first AddDocTemplate).
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    CDocManager* m_pDocManager = nullptr;

    // The most-recently-used files (owned; null until
    // LoadStdProfileSettings with a size above 0 makes it).
    CRecentFileList* m_pRecentFileList = nullptr;
    // Makes the recent-file list of nMaxMRU entries (section "Recent File
    // List", entries "File1".., commands from ID_FILE_MRU_FILE1) and reads
    // it from the profile.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    // Puts the file first in the recent-file list, when there is one.
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);

    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }

    DECLARE_MESSAGE_MAP()

private:
    static void ReplaceString(LPCTSTR& target, LPCTSTR value);
};

// The thread object of the calling thread (the application on the main
// thread) and the application object.
CWinThread* AfxGetThread();
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();
// Pumps one message through PreTranslateMessage; FALSE on WM_QUIT.
BOOL AfxPumpMessage();
// Offers a message to the thread's PreTranslateMessage chain.
BOOL AfxPreTranslateMessage(MSG* pMsg);
// Message box captioned with the application's name, owned by the active
// window of the application.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// Sets up the framework for a program: instance and resource handles, the
// application's names.  Called by WinMain; tests call it with their module.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// Runs the application object the way WinMain does; returns the exit code.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// Windows Sockets 2.2 for the program, released at exit; FALSE on failure.
BOOL AfxSocketInit(WSADATA* lpwsaData = nullptr);

// String resource of the application's title.
#define AFX_IDS_APP_TITLE 0xE000
