#include "framework/FileFind.h"

#include "framework/Exceptions.h"
#include "framework/Platform.h"

namespace {

// One of the times of the found file (none when there is no found file).
template <class TEntry>
BOOL EntryTime(const TEntry* e, LONGLONG TEntry::*time, CTime& refTime)
{
    if (e == nullptr)
        return FALSE;
    refTime = CTime(e->*time);
    return TRUE;
}

} // namespace

IMPLEMENT_DYNAMIC(CFileFind, CObject)

BOOL CFileFind::FindFile(LPCSTR pstrName, DWORD)
{
    Close();
    if (pstrName == nullptr)
        pstrName = "*.*";
    CString pattern(pstrName);
    int cut = -1;
    for (int i = 0; i < pattern.GetLength(); ++i) {
        if (pattern[i] == '\\' || pattern[i] == '/' || pattern[i] == ':')
            cut = i;
    }
    m_strRoot = pattern.Left(cut + 1);
    std::vector<FrameworkPlatform::FoundFile> found;
    if (!FrameworkPlatform::FindFiles(pstrName, found))
        return FALSE;
    for (const FrameworkPlatform::FoundFile& f : found)
        m_entries.push_back(Entry{ f.name, f.length, f.attributes, f.creationTime, f.lastAccessTime, f.lastWriteTime });
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_entries.empty())
        return FALSE;
    if (m_nCurrent + 1 < int(m_entries.size()))
        ++m_nCurrent;
    return m_nCurrent + 1 < int(m_entries.size()) ? TRUE : FALSE;
}

void CFileFind::Close()
{
    m_entries.clear();
    m_nCurrent = -1;
    m_strRoot.Empty();
}

const CFileFind::Entry* CFileFind::Current() const
{
    if (m_nCurrent < 0 || m_nCurrent >= int(m_entries.size()))
        return nullptr;
    return &m_entries[size_t(m_nCurrent)];
}

CString CFileFind::GetFileName() const
{
    const Entry* e = Current();
    return e != nullptr ? CString(e->name.c_str()) : CString();
}

CString CFileFind::GetFilePath() const
{
    const Entry* e = Current();
    return e != nullptr ? m_strRoot + e->name.c_str() : CString();
}

CString CFileFind::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

ULONGLONG CFileFind::GetLength() const
{
    const Entry* e = Current();
    return e != nullptr ? e->length : 0;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    return EntryTime(Current(), &Entry::lastWriteTime, refTime);
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    return EntryTime(Current(), &Entry::creationTime, refTime);
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    return EntryTime(Current(), &Entry::lastAccessTime, refTime);
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const
{
    const Entry* e = Current();
    return (e != nullptr && (e->attributes & dwMask) != 0) ? TRUE : FALSE;
}

BOOL CFileFind::IsDots() const
{
    const Entry* e = Current();
    return (e != nullptr && (e->attributes & 0x10) != 0 && (e->name == "." || e->name == "..")) ? TRUE : FALSE;
}
