#pragma once
// Files: CFile over a system file handle, CStdioFile over a C runtime
// stream (text lines), CMemFile over a block of memory.  Failures throw
// CFileException* (Open instead returns FALSE and fills the optional
// exception object the caller passes); running out of memory in a CMemFile
// throws CMemoryException*.
#include <cstdio>

#include "framework/Exceptions.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Time.h"
#include "framework/Types.h"
#include "framework/WinNames.h"

struct CFileStatus {
    CTime m_ctime;          // creation
    CTime m_mtime;          // last write
    CTime m_atime;          // last access
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;   // CFile::Attribute bits
    char m_szFullName[MAX_PATH] = {};
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20,
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile();
    explicit CFile(HANDLE hFile);                         // not closed by the object
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);          // throws on failure
    ~CFile() override;                                    // closes, never throws

    // FALSE on failure, with the cause in *pError when given.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);

    // Bytes read; fewer than asked at the end of the file, 0 after it.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG dwNewLen);
    virtual ULONGLONG GetPosition() const;
    virtual void Flush();
    virtual void Close();
    // Closes without reporting failure (for cleaning up after an error).
    virtual void Abort();

    virtual CString GetFileName() const;   // name with extension, no folder
    virtual CString GetFileTitle() const;  // name without extension
    virtual CString GetFilePath() const;   // full path
    virtual void SetFilePath(LPCSTR lpszNewName) { m_strFileName = lpszNewName; }

    BOOL GetStatus(CFileStatus& rStatus) const;
    static BOOL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);
    static void Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void Remove(LPCSTR lpszFileName);

    operator HANDLE() const { return m_hFile; }

    HANDLE m_hFile;

protected:
    [[noreturn]] void ThrowOsError(LONG error) const;

    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

// A file read and written through a C runtime stream.  Opened with
// typeText (the default without typeBinary) the stream translates line
// ends on Windows.
class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile();
    explicit CStdioFile(FILE* pOpenStream);               // not closed by the object
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);     // throws on failure
    ~CStdioFile() override;

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // WriteString writes the text as it is (no line end added).
    virtual void WriteString(LPCSTR lpsz);
    // Reads a line of at most nMax - 1 characters, keeping its '\n'; null at
    // the end of the file.
    virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);
    // Reads a whole line without its line end ("\n" or "\r\n"); FALSE at the
    // end of the file when nothing was read.
    virtual BOOL ReadString(CString& rString);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetPosition() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    FILE* m_pStream;

private:
    BOOL m_bCloseStream;
};

// A file in memory.  It grows by nGrowBytes at a time when written past its
// room (a memory file over a caller's block with nGrowBytes 0 cannot grow:
// writing past it throws CMemoryException).
class CMemFile : public CFile {
    DECLARE_DYNAMIC(CMemFile)
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Uses the caller's block (its first nBufferSize bytes are the content
    // when nGrowBytes is 0, else the file starts empty); Detach returns the
    // block (the caller then owns it: free() it when the file allocated it)
    // and leaves the file empty.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    BYTE* Detach();

    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override { return m_nFileSize; }
    void SetLength(ULONGLONG dwNewLen) override;
    ULONGLONG GetPosition() const override { return m_nPosition; }
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }

    SIZE_T GetBufferSize() const { return m_nBufferSize; }

protected:
    // Memory management, replaceable by derived files.
    virtual BYTE* Alloc(SIZE_T nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(SIZE_T dwNewLen);

    SIZE_T m_nGrowBytes;
    SIZE_T m_nPosition = 0;
    SIZE_T m_nBufferSize = 0;
    SIZE_T m_nFileSize = 0;
    BYTE* m_lpBuffer = nullptr;
    BOOL m_bAutoDelete = TRUE;
};
