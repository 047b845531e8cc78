#pragma once
// CFileFind: the files of a folder that match a name with wildcards.
//
//     CFileFind finder;
//     BOOL more = finder.FindFile("C:\\data\\*.xml");
//     while (more) {
//         more = finder.FindNextFile();     // FALSE when this is the last one
//         ... finder.GetFilePath() ...
//     }
//
// The folder's "." and ".." entries are found like any other (IsDots).
// Natively the entries come in byte order of their names; on Windows in the
// system's order.
#include <string>
#include <vector>

#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Time.h"
#include "framework/Types.h"
#include "framework/WinNames.h"

class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind() = default;
    ~CFileFind() override = default;

    // Starts a search ("*.*" in the current folder when null); FALSE when
    // nothing matches.
    virtual BOOL FindFile(LPCSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Moves to the next match; FALSE when the match it moved to is the last
    // (or when there is none).
    virtual BOOL FindNextFile();
    void Close();

    CString GetFileName() const;      // "report.xml"
    CString GetFilePath() const;      // folder of the search + name
    CString GetFileTitle() const;     // "report"
    CString GetRoot() const;          // folder of the search, with its separator
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(CTime& refTime) const;
    BOOL GetCreationTime(CTime& refTime) const;
    BOOL GetLastAccessTime(CTime& refTime) const;
    BOOL MatchesMask(DWORD dwMask) const;   // CFile::Attribute bits
    BOOL IsDirectory() const { return MatchesMask(0x10); }
    BOOL IsReadOnly() const { return MatchesMask(0x01); }
    BOOL IsHidden() const { return MatchesMask(0x02); }
    BOOL IsSystem() const { return MatchesMask(0x04); }
    BOOL IsArchived() const { return MatchesMask(0x20); }
    BOOL IsDots() const;

private:
    struct Entry {
        std::string name;
        ULONGLONG length;
        DWORD attributes;
        LONGLONG creationTime;
        LONGLONG lastAccessTime;
        LONGLONG lastWriteTime;
    };
    const Entry* Current() const;

    std::vector<Entry> m_entries;
    int m_nCurrent = -1;        // -1: FindNextFile not called yet
    CString m_strRoot;
};
