#include "framework/win/RecentFileList.h"

#include "framework/win/WinApp.h"

#include <cstdio>

namespace {

BOOL IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

// The full path of a name as the system resolves it; the name itself when
// it cannot.
CString FullPath(LPCTSTR lpszPathName)
{
    char buffer[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(lpszPathName, sizeof(buffer), buffer, nullptr);
    if (length == 0 || length >= sizeof(buffer))
        return CString(lpszPathName);
    return CString(buffer);
}

// Length of the part of a path that is never shortened: "C:\" or
// "\\server\share\" (0 for a relative path).
int RootLength(const CString& path)
{
    const int length = path.GetLength();
    if (length >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        int separators = 0;
        for (int i = 2; i < length; ++i) {
            if (IsSeparator(path[i]) && ++separators == 2)
                return i + 1;
        }
        return length;
    }
    if (length >= 3 && path[1] == ':' && IsSeparator(path[2]))
        return 3;
    return 0;
}

// The path shortened to at most nMax characters: the root, "...", and the
// last parts that fit; only the file name when nothing more fits (nothing
// when even that does not and bAtLeastName is FALSE).
CString AbbreviatePath(const CString& path, int nMax, BOOL bAtLeastName)
{
    const int length = path.GetLength();
    if (nMax < 0 || length <= nMax)
        return path;
    int nameStart = length;
    while (nameStart > 0 && !IsSeparator(path[nameStart - 1]))
        --nameStart;
    const CString name = path.Mid(nameStart);
    const int root = RootLength(path);
    const CString prefix = path.Left(root) + "...";
    // Whole trailing parts after "...\", longest that fits.
    if (nameStart > 0 && prefix.GetLength() + 1 + name.GetLength() <= nMax) {
        int cut = nameStart - 1; // a separator
        for (int i = cut - 1; i > root; --i) {
            if (IsSeparator(path[i]) && prefix.GetLength() + (length - i) <= nMax)
                cut = i;
        }
        return prefix + path.Mid(cut);
    }
    return bAtLeastName || name.GetLength() <= nMax ? name : CString();
}

// The profile entry of the place (from 1): the format's first "%d"
// replaced by the number (the format is never handed to printf).
CString EntryName(const CString& format, int nNumber)
{
    char number[16];
    snprintf(number, sizeof(number), "%d", nNumber);
    const int at = format.Find("%d");
    if (at < 0)
        return format + number;
    return format.Left(at) + number + format.Mid(at + 2);
}

} // namespace

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection != nullptr ? lpszSection : ""),
      m_strEntryFormat(lpszEntryFormat != nullptr ? lpszEntryFormat : "File%d"), m_nMaxDisplayLength(nMaxDispLen),
      m_nSize(nSize > 0 ? nSize : 1)
{
    m_arrNames = new CString[m_nSize];
}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

CString& CRecentFileList::operator[](int nIndex) { return m_arrNames[nIndex]; }

const CString& CRecentFileList::operator[](int nIndex) const { return m_arrNames[nIndex]; }

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == '\0')
        return;
    const CString path = FullPath(lpszPathName);
    // An entry already listed moves up; otherwise the last one drops off.
    int nFound = m_nSize - 1;
    for (int i = 0; i < m_nSize; ++i) {
        if (m_arrNames[i].CompareNoCase(path) == 0) {
            nFound = i;
            break;
        }
    }
    for (int i = nFound; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    strName.Empty();
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& path = m_arrNames[nIndex];
    // A file directly in the current folder shows its name alone.
    if (lpszCurDir != nullptr && nCurDir > 0 && path.GetLength() > nCurDir &&
        path.Left(nCurDir).CompareNoCase(CString(lpszCurDir).Left(nCurDir)) == 0 &&
        path.Mid(nCurDir).FindOneOf("\\/") < 0) {
        strName = path.Mid(nCurDir);
        if (m_nMaxDisplayLength >= 0 && strName.GetLength() > m_nMaxDisplayLength && !bAtLeastName)
            strName.Empty();
    } else {
        strName = AbbreviatePath(path, m_nMaxDisplayLength, bAtLeastName);
    }
    return !strName.IsEmpty();
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (int i = 0; i < m_nSize; ++i)
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, EntryName(m_strEntryFormat, i + 1), "");
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        // A free place removes its entry (a shorter list leaves no stale
        // names behind).
        pApp->WriteProfileString(m_strSectionName, EntryName(m_strEntryFormat, i + 1),
                                 m_arrNames[i].IsEmpty() ? nullptr : (LPCTSTR)m_arrNames[i]);
    }
}
