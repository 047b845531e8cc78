#include "framework/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

BOOL CopyMessage(LPCSTR text, LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    std::snprintf(lpszError, nMaxError, "%s", text);
    return TRUE;
}

// "<what>" or "<what> (<file>)" when a file name is known.
BOOL CopyMessageWithFile(LPCSTR text, const CString& fileName, LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (fileName.IsEmpty())
        return CopyMessage(text, lpszError, nMaxError, pnHelpContext);
    CString full;
    full.Format("%s: %s", static_cast<LPCSTR>(fileName), text);
    return CopyMessage(full, lpszError, nMaxError, pnHelpContext);
}

} // namespace

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        *lpszError = '\0';
    return FALSE;
}

CString CException::GetErrorMessage() const
{
    char buffer[512];
    if (!GetErrorMessage(buffer, sizeof buffer))
        return CString();
    return CString(buffer);
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage("Out of memory.", lpszError, nMaxError, pnHelpContext);
}

BOOL CNotSupportedException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage("Unsupported operation was attempted.", lpszError, nMaxError, pnHelpContext);
}

BOOL CInvalidArgException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage("Invalid argument.", lpszError, nMaxError, pnHelpContext);
}

BOOL CResourceException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    return CopyMessage("A required resource was unavailable.", lpszError, nMaxError, pnHelpContext);
}

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName)
{
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const kTexts[] = {
        "No error occurred.",
        "An unspecified error occurred.",
        "The file could not be found.",
        "All or part of the path is invalid.",
        "The permitted number of open files was exceeded.",
        "The file could not be accessed.",
        "There was an attempt to use an invalid file handle.",
        "The current working directory cannot be removed.",
        "There are no more directory entries.",
        "There was an error trying to set the file pointer.",
        "There was a hardware error.",
        "A sharing violation occurred.",
        "A locking violation occurred.",
        "The disk is full.",
        "The end of file was reached.",
    };
    LPCSTR text = (m_cause >= 0 && m_cause < int(sizeof kTexts / sizeof kTexts[0])) ? kTexts[m_cause] : kTexts[genericException];
    return CopyMessageWithFile(text, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

int CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EXDEV:
    case EINVAL: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST: return accessDenied;
    case EBADF: return invalidFile;
    case ENOSPC: return diskFull;
    case EIO: return hardIO;
    case ESPIPE: return badSeek;
    case EBUSY: return sharingViolation;
    case EDEADLK: return lockViolation;
    default: return genericException;
    }
}

int CFileException::OsErrorToException(LONG lOsError)
{
    // Windows system error codes.
    switch (lOsError) {
    case 0: return none;
    case 2: return fileNotFound;          // ERROR_FILE_NOT_FOUND
    case 3:                               // ERROR_PATH_NOT_FOUND
    case 15:                              // ERROR_INVALID_DRIVE
    case 123:                             // ERROR_INVALID_NAME
    case 161:                             // ERROR_BAD_PATHNAME
    case 206: return badPath;             // ERROR_FILENAME_EXCED_RANGE
    case 4: return tooManyOpenFiles;      // ERROR_TOO_MANY_OPEN_FILES
    case 5:                               // ERROR_ACCESS_DENIED
    case 19:                              // ERROR_WRITE_PROTECT
    case 80:                              // ERROR_FILE_EXISTS
    case 183: return accessDenied;        // ERROR_ALREADY_EXISTS
    case 6: return invalidFile;           // ERROR_INVALID_HANDLE
    case 16: return removeCurrentDir;     // ERROR_CURRENT_DIRECTORY
    case 18:                              // ERROR_NO_MORE_FILES
    case 82: return directoryFull;        // ERROR_CANNOT_MAKE
    case 25:                              // ERROR_SEEK
    case 131: return badSeek;             // ERROR_NEGATIVE_SEEK
    case 21:                              // ERROR_NOT_READY
    case 23:                              // ERROR_CRC
    case 29:                              // ERROR_WRITE_FAULT
    case 30: return hardIO;               // ERROR_READ_FAULT
    case 32: return sharingViolation;     // ERROR_SHARING_VIOLATION
    case 33: return lockViolation;        // ERROR_LOCK_VIOLATION
    case 39:                              // ERROR_HANDLE_DISK_FULL
    case 112: return diskFull;            // ERROR_DISK_FULL
    case 38: return endOfFile;            // ERROR_HANDLE_EOF
    default: return genericException;
    }
}

void CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName)
{
    throw new CFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

void CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const char* const kTexts[] = {
        "No error occurred.",
        "An unexpected error occurred while reading or writing an archive.",
        "Tried to write to an archive opened for loading.",
        "Reached the end of the archive while reading an object.",
        "Tried to read from an archive opened for storing.",
        "The archive is in an invalid format.",
        "The archive contains an unexpected object.",
        "The archive contains an incompatible schema.",
    };
    LPCSTR text = (m_cause >= 0 && m_cause < int(sizeof kTexts / sizeof kTexts[0])) ? kTexts[m_cause] : kTexts[genericException];
    return CopyMessageWithFile(text, m_strFileName, lpszError, nMaxError, pnHelpContext);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }

void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}
