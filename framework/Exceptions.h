#pragma once
// The framework's exceptions.  They are thrown as pointers to heap objects,
// `throw new CFileException(...)` or the AfxThrow... helpers, and the
// handler that catches one ends its life with Delete():
//
//     try { file.Open(...); }
//     catch (CFileException* e) { ...; e->Delete(); }
//
// The TRY / CATCH / AND_CATCH / END_CATCH macros do the Delete themselves
// when the handler ends, unless it rethrows with THROW_LAST().
#include "framework/Object.h"
#include "framework/String.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    // bAutoDelete: the object lives on the heap and Delete() frees it.  An
    // exception object made on the stack passes FALSE.
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    void Delete();
    // Copies the message describing the error into the buffer (at most
    // nMaxError bytes with the terminating zero); FALSE when there is none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    // The same message as a string.
    CString GetErrorMessage() const;

    BOOL m_bAutoDelete;
};

class CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    explicit CSimpleException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
};

class CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    using CSimpleException::CSimpleException;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

class CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    using CSimpleException::CSimpleException;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

class CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    using CSimpleException::CSimpleException;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

class CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    using CSimpleException::CSimpleException;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;
};

// Thrown after the user has been told of a problem (a field that failed
// validation): handlers end the operation without a message of their own.
class CUserException : public CSimpleException {
    DECLARE_DYNAMIC(CUserException)
public:
    using CSimpleException::CSimpleException;
};

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;

    // The cause for a C runtime errno value and for a Windows error code.
    static int ErrnoToException(int nErrno);
    static int OsErrorToException(LONG lOsError);
    [[noreturn]] static void ThrowErrno(int nErrno, LPCSTR lpszFileName = nullptr);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema
    };

    explicit CArchiveException(int cause = none, LPCSTR lpszArchiveName = nullptr);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    using CException::GetErrorMessage;

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowNotSupportedException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCSTR lpszFileName = nullptr);
[[noreturn]] void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName = nullptr);

// Deletes a caught exception when the handler of the CATCH macros ends.
class CExceptionDeleter {
public:
    explicit CExceptionDeleter(CException* e) : m_e(e) {}
    ~CExceptionDeleter() { if (m_e != nullptr) m_e->Delete(); }
    void Keep() { m_e = nullptr; }
    CExceptionDeleter(const CExceptionDeleter&) = delete;
    CExceptionDeleter& operator=(const CExceptionDeleter&) = delete;
private:
    CException* m_e;
};

#define TRY try
#define CATCH(class_name, e) catch (class_name* e) { CExceptionDeleter _afxExceptionDeleter(e);
#define AND_CATCH(class_name, e) } catch (class_name* e) { CExceptionDeleter _afxExceptionDeleter(e);
#define END_CATCH }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL }
#define THROW(e) throw e
#define THROW_LAST() do { _afxExceptionDeleter.Keep(); throw; } while (0)
