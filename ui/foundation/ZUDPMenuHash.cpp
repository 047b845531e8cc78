#include "ui/foundation/ZUDPMenuHash.h"

#include "framework/Archive.h"
#include "framework/File.h"
#include "ui/commandbars/ZUDPToolBar.h"

CZUDPMenuHash::CZUDPMenuHash() : m_StoredMenues(10)
{
    m_StoredMenues.InitHashTable(17);
}

CZUDPMenuHash::~CZUDPMenuHash()
{
    for (POSITION pos = m_StoredMenues.GetStartPosition(); pos != nullptr;) {
        HMENU hMenu = nullptr;
        HANDLE hFile = nullptr;
        m_StoredMenues.GetNextAssoc(pos, hMenu, hFile);
        ::CloseHandle(hFile);
    }
    m_StoredMenues.RemoveAll();
}

HANDLE CZUDPMenuHash::CreateSnapshotFile()
{
    char szTempPath[MAX_PATH] = {};
    char szTempName[MAX_PATH] = {};
    if (::GetTempPathA(MAX_PATH, szTempPath) == 0 || ::GetTempFileNameA(szTempPath, "ZUD", 0, szTempName) == 0)
        return INVALID_HANDLE_VALUE;
    HANDLE hFile = ::CreateFileA(szTempName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        ::DeleteFileA(szTempName);
    return hFile;
}

void CZUDPMenuHash::Keep(HMENU hMenu, HANDLE hFile)
{
    HANDLE hOld = nullptr;
    if (m_StoredMenues.Lookup(hMenu, hOld))
        ::CloseHandle(hOld);
    m_StoredMenues.SetAt(hMenu, hFile);
}

BOOL CZUDPMenuHash::SaveMenuBar(HMENU hMenu, CZUDPToolBar* pBar)
{
    if (pBar == nullptr || pBar->GetCount() <= 0)
        return FALSE;
    // The bar is serialized into memory first: a failed store leaves the
    // menu's previous snapshot as it was.
    CByteArray bytes;
    if (!StoreBar(pBar, bytes))
        return FALSE;
    return SetSnapshot(hMenu, bytes.GetData(), UINT(bytes.GetSize()));
}

// Serializes the bar into the byte array (the same archive a snapshot file
// holds); FALSE when the bar's store fails.
BOOL CZUDPMenuHash::StoreBar(CZUDPToolBar* pBar, CByteArray& bytes)
{
    BOOL bResult = TRUE;
    m_bIsSerializing = TRUE;
    try {
        CMemFile file(4096);
        CArchive ar(&file, CArchive::store, 4096);
        pBar->Serialize(ar);
        ar.Close();
        const ULONGLONG nLength = file.GetLength();
        if (nLength == 0 || nLength > ULONGLONG(0x7FFFFFFF)) {
            bResult = FALSE;
        } else {
            bytes.SetSize(INT_PTR(nLength));
            file.SeekToBegin();
            if (file.Read(bytes.GetData(), UINT(nLength)) != UINT(nLength))
                bResult = FALSE;
        }
    } catch (CException* e) {
        e->Delete();
        bResult = FALSE;
    }
    m_bIsSerializing = FALSE;
    return bResult;
}

BOOL CZUDPMenuHash::GetSnapshot(HMENU hMenu, CByteArray& bytes) const
{
    HANDLE hFile = nullptr;
    if (!m_StoredMenues.Lookup(hMenu, hFile))
        return FALSE;
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(hFile, &size) || size.QuadPart <= 0 || size.QuadPart > LONGLONG(0x7FFFFFFF))
        return FALSE;
    if (::SetFilePointer(hFile, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    bytes.SetSize(INT_PTR(size.QuadPart));
    DWORD nRead = 0;
    if (!::ReadFile(hFile, bytes.GetData(), DWORD(size.QuadPart), &nRead, nullptr) || nRead != DWORD(size.QuadPart)) {
        bytes.RemoveAll();
        return FALSE;
    }
    return TRUE;
}

BOOL CZUDPMenuHash::SetSnapshot(HMENU hMenu, const BYTE* pData, UINT nBytes)
{
    if (pData == nullptr || nBytes == 0)
        return FALSE;
    // A menu that has a file keeps it: switching menus rewrites the same
    // file rather than making and deleting one per switch.  A rewrite that
    // fails part way would leave a damaged snapshot, so the menu then gets
    // a fresh file, and without one it keeps no snapshot at all.
    HANDLE hFile = nullptr;
    if (m_StoredMenues.Lookup(hMenu, hFile)) {
        if (WriteAll(hFile, pData, nBytes))
            return TRUE;
        HANDLE hNew = CreateSnapshotFile();
        if (hNew != INVALID_HANDLE_VALUE && WriteAll(hNew, pData, nBytes)) {
            Keep(hMenu, hNew);
            return TRUE;
        }
        if (hNew != INVALID_HANDLE_VALUE)
            ::CloseHandle(hNew);
        RemoveMenu(hMenu);
        return FALSE;
    }
    hFile = CreateSnapshotFile();
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    if (!WriteAll(hFile, pData, nBytes)) {
        ::CloseHandle(hFile);   // the system deletes it
        return FALSE;
    }
    Keep(hMenu, hFile);
    return TRUE;
}

// Makes the bytes the whole content of the file.
BOOL CZUDPMenuHash::WriteAll(HANDLE hFile, const BYTE* pData, UINT nBytes)
{
    DWORD nWritten = 0;
    return ::SetFilePointer(hFile, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           ::WriteFile(hFile, pData, nBytes, &nWritten, nullptr) && nWritten == nBytes && ::SetEndOfFile(hFile);
}

// Loads the bar from the menu's snapshot: the file is read whole and the
// archive reads from memory; a damaged or cut snapshot answers FALSE.
BOOL CZUDPMenuHash::LoadMenuBar(HMENU hMenu, CZUDPToolBar* pBar)
{
    CByteArray bytes;
    if (pBar == nullptr || !GetSnapshot(hMenu, bytes))
        return FALSE;
    BOOL bResult = TRUE;
    m_bIsSerializing = TRUE;
    try {
        CMemFile file(bytes.GetData(), UINT(bytes.GetSize()));
        CArchive ar(&file, CArchive::load, 4096);
        pBar->Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        bResult = FALSE;
    }
    m_bIsSerializing = FALSE;
    return bResult;
}

BOOL CZUDPMenuHash::RemoveMenu(HMENU hMenu)
{
    HANDLE hFile = nullptr;
    if (!m_StoredMenues.Lookup(hMenu, hFile))
        return FALSE;
    ::CloseHandle(hFile);
    m_StoredMenues.RemoveKey(hMenu);
    return TRUE;
}
