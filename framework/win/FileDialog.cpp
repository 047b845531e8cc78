// File and folder dialogs over the system's common dialogs.
#include "framework/win/FileDialog.h"

#include "framework/win/WinApp.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)
IMPLEMENT_DYNAMIC(CFolderPickerDialog, CFileDialog)

namespace {

// Room for many selected files (multiple selection returns them all).
const size_t kFileBufferSize = 64 * 1024;

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD, BOOL)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(kFileBufferSize, '\0'), m_titleBuffer(MAX_PATH, '\0')
{
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = (DWORD)m_fileBuffer.size();
    m_ofn.lpstrFileTitle = m_titleBuffer.data();
    m_ofn.nMaxFileTitle = (DWORD)m_titleBuffer.size();
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszDefExt != nullptr) {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != nullptr)
        lstrcpynA(m_fileBuffer.data(), lpszFileName, (int)m_fileBuffer.size());
    if (lpszFilter != nullptr) {
        // '|' separated pairs become the zero-separated list the system wants.
        m_strFilter = lpszFilter;
        if (m_strFilter.Right(1) != "|")
            m_strFilter += "|";
        m_strFilter += "|";
        m_ofn.lpstrFilter = m_strFilter;
    }
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal()
{
    // The filter buffer is ours: turn the separators into zeros in place.
    if (!m_strFilter.IsEmpty()) {
        LPSTR p = m_strFilter.GetBuffer();
        for (; *p != '\0'; p++) {
            if (*p == '|')
                *p = '\0';
        }
        m_ofn.lpstrFilter = m_strFilter;
    }
    HWND hWndTop = nullptr;
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd, &hWndTop);
    m_ofn.hwndOwner = AfxSafeHwnd(pOwner);
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.lpstrFileTitle = m_titleBuffer.data();
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.nFileOffset > 0 && m_ofn.lpstrFile[m_ofn.nFileOffset - 1] == '\0') {
        // Several files: the first one is the path of the first selection.
        POSITION pos = GetStartPosition();
        return GetNextPathName(pos);
    }
    return CString(m_ofn.lpstrFile);
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    int slash = path.ReverseFind('\\');
    int fwd = path.ReverseFind('/');
    if (fwd > slash)
        slash = fwd;
    return path.Mid(slash + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    CString path(m_ofn.lpstrFile, m_ofn.nFileOffset > 0 ? m_ofn.nFileOffset - 1 : 0);
    return path;
}

POSITION CFileDialog::GetStartPosition() const
{
    return m_ofn.lpstrFile[0] == '\0' ? nullptr : (POSITION)m_ofn.lpstrFile;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCSTR lpsz = (LPCSTR)pos;
    if (lpsz == nullptr)
        return CString();
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || m_ofn.nFileOffset == 0 || m_ofn.lpstrFile[m_ofn.nFileOffset - 1] != '\0') {
        // One file: the whole buffer is its path.
        pos = nullptr;
        return CString(m_ofn.lpstrFile);
    }
    // Several: folder, zero, name, zero, name, ..., zero zero.
    CString folder(m_ofn.lpstrFile);
    if (lpsz == m_ofn.lpstrFile)
        lpsz += folder.GetLength() + 1;
    CString name(lpsz);
    lpsz += name.GetLength() + 1;
    pos = (*lpsz == '\0') ? nullptr : (POSITION)lpsz;
    if (!folder.IsEmpty() && folder.Right(1) != "\\")
        folder += "\\";
    return folder + name;
}

// ---------------------------------------------------------------------------
// Folder picker

namespace {

int CALLBACK BrowseCallback(HWND hWnd, UINT uMsg, LPARAM, LPARAM lpData)
{
    if (uMsg == BFFM_INITIALIZED && lpData != 0)
        ::SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, lpData);
    return 0;
}

} // namespace

CFolderPickerDialog::CFolderPickerDialog(LPCTSTR lpszFolder, DWORD, CWnd* pParentWnd, DWORD)
    : CFileDialog(TRUE, nullptr, nullptr, 0, nullptr, pParentWnd), m_strInitialFolder(lpszFolder)
{
}

CFolderPickerDialog::~CFolderPickerDialog() = default;

INT_PTR CFolderPickerDialog::DoModal()
{
    HWND hWndTop = nullptr;
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd, &hWndTop);
    char displayName[MAX_PATH] = {};
    BROWSEINFOA bi = {};
    bi.hwndOwner = AfxSafeHwnd(pOwner);
    bi.pszDisplayName = displayName;
    bi.lpszTitle = m_strTitle.IsEmpty() ? nullptr : (LPCSTR)m_strTitle;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (!m_strInitialFolder.IsEmpty()) {
        bi.lpfn = &BrowseCallback;
        bi.lParam = (LPARAM)(LPCSTR)m_strInitialFolder;
    }
    HRESULT hrInit = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    LPITEMIDLIST pidl = ::SHBrowseForFolderA(&bi);
    INT_PTR nResult = IDCANCEL;
    if (pidl != nullptr) {
        char path[MAX_PATH] = {};
        if (::SHGetPathFromIDListA(pidl, path)) {
            m_strFolder = path;
            nResult = IDOK;
        }
        ::CoTaskMemFree(pidl);
    }
    if (SUCCEEDED(hrInit))
        ::CoUninitialize();
    return nResult;
}
