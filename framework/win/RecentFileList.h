#pragma once
// The application's most-recently-used file list: full paths, newest
// first, kept in the profile (one entry per file, named by a format with
// the running number from 1) and shown in menus by a display name that
// leaves out the current folder and shortens long paths.
#include "framework/String.h"
#include "framework/win/WinSdk.h"

// The commands of the recent-file entries of a menu: one per place.
#ifndef ID_FILE_MRU_FILE1
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_LAST 0xE11F
#endif

class CRecentFileList {
public:
    // nStart: command id of the first file (the menu's first entry);
    // lpszSection and lpszEntryFormat ("File%d"): where the profile keeps
    // the list; nSize: how many files it keeps (at least 1); nMaxDispLen:
    // display names longer than this are shortened (-1: never).
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
    virtual ~CRecentFileList();
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

    int GetSize() const { return m_nSize; }
    // The path at the index (empty when the place is free).
    CString& operator[](int nIndex);
    const CString& operator[](int nIndex) const;

    // Puts the file first (its full path; a file already listed moves up,
    // the last one drops off a full list).
    virtual void Add(LPCTSTR lpszPathName);
    // Removes the entry; the later ones move up.
    virtual void Remove(int nIndex);
    // The name a menu shows for the entry: the file name alone when the
    // file lies directly in lpszCurDir (its first nCurDir characters, a
    // folder followed by "\\"), else the full path; longer than the maximum
    // display length, the path keeps its root and last parts around "...",
    // and at least the file name when bAtLeastName.  FALSE (strName empty)
    // for a free place or an index outside the list.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    // Reads and writes the list from and to the application's profile.
    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;

protected:
    CString* m_arrNames;
    int m_nSize;
};
