#include "framework/File.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "framework/Platform.h"

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CStdioFile, CFile)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

const HANDLE CFile::hFileNull = FrameworkPlatform::kNoHandle;

namespace {

// The part of a path after its last folder separator.
LPCSTR NamePart(LPCSTR path)
{
    LPCSTR name = path;
    for (LPCSTR p = path; *p != '\0'; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    }
    return name;
}

// A missing or empty file name cannot be opened: true for one, with the
// reason (a bad path) in pError.
bool RefuseEmptyName(LPCSTR lpszFileName, CFileException* pError)
{
    if (lpszFileName != nullptr && *lpszFileName != '\0')
        return false;
    if (pError != nullptr) {
        pError->m_cause = CFileException::badPath;
        pError->m_lOsError = -1;
        pError->m_strFileName = lpszFileName;
    }
    return true;
}

// Opening by a constructor: a file that cannot be opened throws why.
void OpenOrThrow(CFile& file, LPCSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    error.m_bAutoDelete = FALSE;
    if (!file.Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

} // namespace

// ---- CFile ----------------------------------------------------------------

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    OpenOrThrow(*this, lpszFileName, nOpenFlags);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

void CFile::ThrowOsError(LONG error) const
{
    AfxThrowFileException(FrameworkPlatform::CauseOf(error), error, m_strFileName);
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    if (RefuseEmptyName(lpszFileName, pError))
        return FALSE;
    LONG error = 0;
    HANDLE h = FrameworkPlatform::OpenFile(lpszFileName, nOpenFlags, &error);
    if (h == hFileNull) {
        if (pError != nullptr) {
            pError->m_cause = FrameworkPlatform::CauseOf(error);
            pError->m_lOsError = error;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = h;
    m_bCloseOnDelete = TRUE;
    m_strFileName = FrameworkPlatform::FullPath(lpszFileName).c_str();
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    UINT read = 0;
    LONG error = 0;
    if (!FrameworkPlatform::ReadFile(m_hFile, lpBuf, nCount, &read, &error))
        ThrowOsError(error);
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    LONG error = 0;
    if (!FrameworkPlatform::WriteFile(m_hFile, lpBuf, nCount, &error))
        ThrowOsError(error);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    if (nFrom > end)
        AfxThrowInvalidArgException();
    ULONGLONG position = 0;
    LONG error = 0;
    if (!FrameworkPlatform::SeekFile(m_hFile, lOff, nFrom, &position, &error))
        AfxThrowFileException(CFileException::badSeek, error, m_strFileName);
    return position;
}

ULONGLONG CFile::GetLength() const
{
    ULONGLONG length = 0;
    LONG error = 0;
    if (!FrameworkPlatform::FileLength(m_hFile, &length, &error))
        ThrowOsError(error);
    return length;
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    LONG error = 0;
    if (!FrameworkPlatform::SetFileLength(m_hFile, dwNewLen, &error))
        ThrowOsError(error);
}

ULONGLONG CFile::GetPosition() const
{
    ULONGLONG position = 0;
    LONG error = 0;
    if (!FrameworkPlatform::SeekFile(m_hFile, 0, current, &position, &error))
        ThrowOsError(error);
    return position;
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    LONG error = 0;
    if (!FrameworkPlatform::FlushFile(m_hFile, &error))
        ThrowOsError(error);
}

void CFile::Close()
{
    LONG error = 0;
    bool ok = true;
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        ok = FrameworkPlatform::CloseFile(m_hFile, &error);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (!ok)
        ThrowOsError(error);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete) {
        LONG error = 0;
        FrameworkPlatform::CloseFile(m_hFile, &error);
    }
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const
{
    return CString(NamePart(m_strFileName));
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFile::GetFilePath() const
{
    return m_strFileName;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    rStatus = CFileStatus();
    if (m_hFile == hFileNull || !FrameworkPlatform::StatusOfHandle(m_hFile, rStatus))
        return FALSE;
    std::snprintf(rStatus.m_szFullName, sizeof rStatus.m_szFullName, "%s", static_cast<LPCSTR>(m_strFileName));
    return TRUE;
}

BOOL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus = CFileStatus();
    if (lpszFileName == nullptr || !FrameworkPlatform::StatusOfFile(lpszFileName, rStatus))
        return FALSE;
    std::snprintf(rStatus.m_szFullName, sizeof rStatus.m_szFullName, "%s", FrameworkPlatform::FullPath(lpszFileName).c_str());
    return TRUE;
}

void CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    LONG error = 0;
    if (lpszOldName == nullptr || lpszNewName == nullptr)
        AfxThrowInvalidArgException();
    if (!FrameworkPlatform::RenameFile(lpszOldName, lpszNewName, &error))
        AfxThrowFileException(FrameworkPlatform::CauseOf(error), error, lpszOldName);
}

void CFile::Remove(LPCSTR lpszFileName)
{
    LONG error = 0;
    if (lpszFileName == nullptr)
        AfxThrowInvalidArgException();
    if (!FrameworkPlatform::RemoveFile(lpszFileName, &error))
        AfxThrowFileException(FrameworkPlatform::CauseOf(error), error, lpszFileName);
}

// ---- CStdioFile -----------------------------------------------------------

CStdioFile::CStdioFile() : m_pStream(nullptr), m_bCloseStream(FALSE) {}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream), m_bCloseStream(FALSE)
{
    if (pOpenStream != nullptr)
        m_hFile = FrameworkPlatform::HandleOfStream(pOpenStream);
}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_pStream(nullptr), m_bCloseStream(FALSE)
{
    OpenOrThrow(*this, lpszFileName, nOpenFlags);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr && m_bCloseStream)
        Abort();
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_pStream != nullptr)
        Abort();
    if (RefuseEmptyName(lpszFileName, pError))
        return FALSE;
    // modeCreate truncates unless modeNoTruncate; modeWrite alone (without
    // modeCreate) keeps the content, so the file must exist.
    char mode[4] = {};
    int n = 0;
    bool readWrite = (nOpenFlags & modeReadWrite) != 0;
    bool write = (nOpenFlags & modeWrite) != 0;
    if (nOpenFlags & modeCreate) {
        if (nOpenFlags & modeNoTruncate) {
            mode[n++] = 'a';
            mode[n++] = '+';
        } else {
            mode[n++] = 'w';
            if (readWrite)
                mode[n++] = '+';
        }
    } else if (readWrite || write) {
        mode[n++] = 'r';
        mode[n++] = '+';
    } else {
        mode[n++] = 'r';
    }
    mode[n++] = (nOpenFlags & typeBinary) ? 'b' : 't';
    LONG error = 0;
    FILE* stream = FrameworkPlatform::OpenStream(lpszFileName, mode, &error);
    if (stream == nullptr) {
        if (pError != nullptr) {
            pError->m_cause = CFileException::ErrnoToException(int(error));
            pError->m_lOsError = error;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    if ((nOpenFlags & modeCreate) && (nOpenFlags & modeNoTruncate))
        FrameworkPlatform::SeekStream(stream, 0, SEEK_SET);
    m_pStream = stream;
    m_bCloseStream = TRUE;
    m_hFile = FrameworkPlatform::HandleOfStream(stream);
    m_strFileName = FrameworkPlatform::FullPath(lpszFileName).c_str();
    return TRUE;
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    if (m_pStream == nullptr || std::fputs(lpsz, m_pStream) == EOF)
        AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0 || nMax > UINT(INT_MAX))
        AfxThrowInvalidArgException();
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    LPSTR result = std::fgets(lpsz, int(nMax), m_pStream);
    if (result == nullptr) {
        if (std::ferror(m_pStream)) {
            std::clearerr(m_pStream);
            AfxThrowFileException(CFileException::genericException, errno, m_strFileName);
        }
        *lpsz = '\0';
    }
    return result;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    char buffer[256];
    bool any = false;
    for (;;) {
        if (std::fgets(buffer, int(sizeof buffer), m_pStream) == nullptr) {
            if (std::ferror(m_pStream)) {
                std::clearerr(m_pStream);
                AfxThrowFileException(CFileException::genericException, errno, m_strFileName);
            }
            break;
        }
        any = true;
        size_t n = std::strlen(buffer);
        if (n > 0 && buffer[n - 1] == '\n') {
            rString.Append(buffer, int(n - 1));
            break;
        }
        rString.Append(buffer, int(n));
    }
    if (!rString.IsEmpty() && rString[rString.GetLength() - 1] == '\r')
        rString.Truncate(rString.GetLength() - 1);
    return any ? TRUE : FALSE;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    size_t n = std::fread(lpBuf, 1, nCount, m_pStream);
    if (n < nCount && std::ferror(m_pStream)) {
        std::clearerr(m_pStream);
        AfxThrowFileException(CFileException::genericException, errno, m_strFileName);
    }
    return UINT(n);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    if (m_pStream == nullptr || std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    static const int kWhence[] = { SEEK_SET, SEEK_CUR, SEEK_END };
    if (nFrom > end)
        AfxThrowInvalidArgException();
    if (m_pStream == nullptr || !FrameworkPlatform::SeekStream(m_pStream, lOff, kWhence[nFrom]))
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const
{
    LONGLONG pos = m_pStream != nullptr ? FrameworkPlatform::TellStream(m_pStream) : -1;
    if (pos < 0)
        AfxThrowFileException(CFileException::invalidFile, errno, m_strFileName);
    return ULONGLONG(pos);
}

ULONGLONG CStdioFile::GetLength() const
{
    if (m_pStream == nullptr)
        AfxThrowFileException(CFileException::invalidFile, -1, m_strFileName);
    LONGLONG current = FrameworkPlatform::TellStream(m_pStream);
    if (current < 0 || !FrameworkPlatform::SeekStream(m_pStream, 0, SEEK_END))
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    LONGLONG length = FrameworkPlatform::TellStream(m_pStream);
    FrameworkPlatform::SeekStream(m_pStream, current, SEEK_SET);
    if (length < 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return ULONGLONG(length);
}

void CStdioFile::SetLength(ULONGLONG dwNewLen)
{
    if (m_pStream == nullptr || std::fflush(m_pStream) != 0 || !FrameworkPlatform::TruncateStream(m_pStream, dwNewLen))
        AfxThrowFileException(CFileException::genericException, errno, m_strFileName);
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && std::fflush(m_pStream) != 0)
        AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

void CStdioFile::Close()
{
    int result = 0;
    if (m_pStream != nullptr && m_bCloseStream)
        result = std::fclose(m_pStream);
    m_pStream = nullptr;
    m_bCloseStream = FALSE;
    m_hFile = hFileNull;
    if (result != 0)
        AfxThrowFileException(CFileException::diskFull, errno, m_strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr && m_bCloseStream)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_bCloseStream = FALSE;
    m_hFile = hFileNull;
}

// ---- CMemFile -------------------------------------------------------------

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(0)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes) { return static_cast<BYTE*>(std::malloc(nBytes)); }
BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes) { return static_cast<BYTE*>(std::realloc(lpMem, nBytes)); }
void CMemFile::Free(BYTE* lpMem) { std::free(lpMem); }

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (lpBuffer == nullptr && nBufferSize != 0)
        AfxThrowInvalidArgException();
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = lpBuffer;
    m_nBufferSize = nBufferSize;
    m_nGrowBytes = nGrowBytes;
    // A fixed block is the content; a growable one starts as empty room.
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_nPosition = 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* block = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
    return block;
}

BOOL CMemFile::Open(LPCSTR, UINT, CFileException* pError)
{
    // A memory file has no name to open.
    if (pError != nullptr) {
        pError->m_cause = CFileException::genericException;
        pError->m_lOsError = -1;
    }
    return FALSE;
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    SIZE_T newSize = m_nBufferSize;
    while (newSize < dwNewLen) {
        if (newSize > SIZE_T(-1) - m_nGrowBytes)
            AfxThrowMemoryException();
        newSize += m_nGrowBytes;
    }
    BYTE* block = m_lpBuffer == nullptr ? Alloc(newSize) : Realloc(m_lpBuffer, newSize);
    if (block == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = block;
    m_nBufferSize = newSize;
    // A caller's block that had to grow has moved: the file owns it now.
    m_bAutoDelete = TRUE;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    SIZE_T available = m_nFileSize - m_nPosition;
    UINT n = available < nCount ? UINT(available) : nCount;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    if (m_nPosition > SIZE_T(-1) - nCount)
        AfxThrowMemoryException();
    SIZE_T endPos = m_nPosition + nCount;
    GrowFile(endPos);
    // A write after a seek past the end leaves zeros in the gap.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = endPos;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base;
    switch (nFrom) {
    case begin: base = 0; break;
    case current: base = LONGLONG(m_nPosition); break;
    case end: base = LONGLONG(m_nFileSize); break;
    default: AfxThrowInvalidArgException();
    }
    if ((lOff < 0 && base + lOff < 0) || (lOff > 0 && base > LLONG_MAX - lOff))
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = SIZE_T(base + lOff);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > ULONGLONG(SIZE_T(-1)))
        AfxThrowMemoryException();
    SIZE_T n = SIZE_T(dwNewLen);
    GrowFile(n);
    if (n > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, n - m_nFileSize);
    m_nFileSize = n;
    if (m_nPosition > n)
        m_nPosition = n;
}

void CMemFile::Close()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}
