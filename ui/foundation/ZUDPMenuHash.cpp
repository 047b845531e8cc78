#include "ui/foundation/ZUDPMenuHash.h"

#include "framework/Archive.h"
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
    HANDLE hFile = CreateSnapshotFile();
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    // The new snapshot is written completely before the old one is let go,
    // so a failed write keeps the menu's previous customisation.
    if (!SerializeBar(hFile, CArchive::store, pBar)) {
        ::CloseHandle(hFile);   // the system deletes it
        return FALSE;
    }
    Keep(hMenu, hFile);
    return TRUE;
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
    HANDLE hFile = CreateSnapshotFile();
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD nWritten = 0;
    if (!::WriteFile(hFile, pData, nBytes, &nWritten, nullptr) || nWritten != nBytes) {
        ::CloseHandle(hFile);
        return FALSE;
    }
    Keep(hMenu, hFile);
    return TRUE;
}

// Stores the bar into the snapshot file or loads it from there; a damaged
// or cut snapshot answers FALSE.
BOOL CZUDPMenuHash::SerializeBar(HANDLE hFile, CArchive::Mode mode, CZUDPToolBar* pBar)
{
    BOOL bResult = TRUE;
    m_bIsSerializing = TRUE;
    try {
        CFile file(hFile);
        CArchive ar(&file, mode, 4096);
        pBar->Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        bResult = FALSE;
    }
    m_bIsSerializing = FALSE;
    return bResult;
}

BOOL CZUDPMenuHash::LoadMenuBar(HMENU hMenu, CZUDPToolBar* pBar)
{
    HANDLE hFile = nullptr;
    if (pBar == nullptr || !m_StoredMenues.Lookup(hMenu, hFile))
        return FALSE;
    if (::SetFilePointer(hFile, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return FALSE;
    return SerializeBar(hFile, CArchive::load, pBar);
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
