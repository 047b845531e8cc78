#pragma once
// Typed access to one registry key: every persisted setting of the library
// (bar and dock layout, toolbar buttons, window placement, keyboard, mouse
// and user-tool settings) goes through CZUDPRegistry.  State routines never
// construct one directly: they keep a CZUDPRegistryHolder on the stack, ask
// it for the object, and let the holder close and free the key.
//
// Stored encodings (little-endian):
//   32-bit integer          REG_DWORD, 4 bytes
//   64-bit value            REG_BINARY, the 8 bytes
//   text                    REG_SZ, characters and the terminating NUL
//   raw bytes               REG_BINARY, the bytes given
//   rectangle               REG_BINARY, 16 bytes: left, top, right, bottom
//   point                   REG_BINARY, 22 bytes: an archived double-word
//                           array [x, y, 0, 0, 0] (WORD 5, then 5 DWORDs)
//   word array              REG_BINARY, DWORD count n, then n WORDs
//   objects and collections REG_BINARY, what their Serialize writes into a
//                           storing archive (object by pointer: the
//                           archive's object record)
//
// Registry data is input: reads check sizes, counts and classes before
// they use them, and a value that does not fit reads as a failure.
#include "framework/Archive.h"
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/win/Wnd.h"
#include "framework/String.h"
#include "framework/Object.h"

#include <vector>

class CZUDPRegistry : public CObject {
    DECLARE_DYNCREATE(CZUDPRegistry)
public:
    // Root HKEY_LOCAL_MACHINE when bAdmin, else HKEY_CURRENT_USER.  A
    // read-only object refuses every change and opens keys with query,
    // enumerate and notify access only.
    explicit CZUDPRegistry(BOOL bAdmin = FALSE, BOOL bReadOnly = FALSE);
    ~CZUDPRegistry() override;

    void Serialize(CArchive& ar) override;

    // Names of the values / sub-keys of the current key, appended.  FALSE
    // when there is none or the enumeration fails.
    virtual BOOL ReadValueNames(CStringArray& names);
    virtual BOOL KeyExists(LPCTSTR lpszPath);
    virtual BOOL ValueExists(LPCTSTR lpszValueName);
    // Creates (or opens) / opens a sub-key of the current key, which then
    // becomes the current key; on failure the current key stays.  One
    // trailing backslash of the path is ignored.
    virtual BOOL CreateKey(LPCTSTR lpszPath);
    virtual BOOL Open(LPCTSTR lpszPath);
    virtual void Close();
    virtual BOOL DeleteValue(LPCTSTR lpszValueName);
    // Deletes the key (a path from the root chosen by bAdmin, not from the
    // current key) with everything below it.  An empty path (the whole
    // root) is refused.
    virtual BOOL DeleteKey(LPCTSTR lpszPath, BOOL bAdmin = FALSE);

    virtual BOOL Write(LPCTSTR lpszValueName, CObject* pObject);
    virtual BOOL Write(LPCTSTR lpszValueName, CObject& obj);
    virtual BOOL Write(LPCTSTR lpszValueName, CObList& list);
    virtual BOOL Write(LPCTSTR lpszValueName, const BYTE* pData, UINT nBytes);
    virtual BOOL Write(LPCTSTR lpszValueName, const CPoint& pt);
    virtual BOOL Write(LPCTSTR lpszValueName, const CRect& rect);
    virtual BOOL Write(LPCTSTR lpszValueName, const CWordArray& words);
    virtual BOOL Write(LPCTSTR lpszValueName, CDWordArray& dwords);
    virtual BOOL Write(LPCTSTR lpszValueName, CStringArray& strings);
    virtual BOOL Write(LPCTSTR lpszValueName, CByteArray& bytes);
    virtual BOOL Write(LPCTSTR lpszValueName, CStringList& strings);
    virtual BOOL Write(LPCTSTR lpszValueName, LPCTSTR lpszValue);
    virtual BOOL Write(LPCTSTR lpszValueName, ULONGLONG nValue);
    virtual BOOL Write(LPCTSTR lpszValueName, DWORD dwValue);
    virtual BOOL Write(LPCTSTR lpszValueName, int nValue);

    // Object by pointer: the archive creates the object; only an object of
    // pExpectedClass (or derived from it) is accepted, null accepts any
    // serializable class.  The caller owns the object.
    virtual BOOL Read(LPCTSTR lpszValueName, CObject*& pObject, const CRuntimeClass* pExpectedClass = nullptr);
    virtual BOOL Read(LPCTSTR lpszValueName, CObject& obj);
    // The stored objects replace the list's (which are deleted) only when
    // every one was read and is of pExpectedClass; on failure the list is
    // left as it was.
    virtual BOOL Read(LPCTSTR lpszValueName, CObList& list, const CRuntimeClass* pExpectedClass = nullptr);
    // The value's bytes in a new[] block the caller frees (null for an
    // empty value).
    virtual BOOL ReadBinary(LPCTSTR lpszValueName, LPBYTE* ppData, UINT* pnBytes);
    virtual BOOL Read(LPCTSTR lpszValueName, CRect& rect);
    virtual BOOL Read(LPCTSTR lpszValueName, CPoint& pt);
    virtual BOOL Read(LPCTSTR lpszValueName, CByteArray& bytes);
    virtual BOOL Read(LPCTSTR lpszValueName, CWordArray& words);
    virtual BOOL Read(LPCTSTR lpszValueName, CDWordArray& dwords);
    virtual BOOL Read(LPCTSTR lpszValueName, CStringArray& strings);
    virtual BOOL Read(LPCTSTR lpszValueName, CStringList& strings);
    virtual BOOL Read(LPCTSTR lpszValueName, CString& strValue);
    // Integers need a value of exactly their size (any type).
    virtual BOOL Read(LPCTSTR lpszValueName, ULONGLONG& nValue);
    virtual BOOL Read(LPCTSTR lpszValueName, DWORD& dwValue);
    virtual BOOL Read(LPCTSTR lpszValueName, int& nValue);

    virtual BOOL ReadSubKeyNames(CStringArray& names);

    // Diagnostics of the last operation that records them.
    LONG GetLastResult() const { return m_lastResult; }
    DWORD GetLastValueType() const { return m_lastValueType; }
    DWORD GetLastDataSize() const { return m_lastDataSize; }
    HKEY GetCurrentKey() const { return m_hKey; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    LPCTSTR GetKeyPath() const { return m_strPath; }

protected:
    REGSAM OpenAccess() const { return m_bReadOnly ? (KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) : KEY_ALL_ACCESS; }
    // hKey becomes the current key; the old one is closed unless it is a
    // root or a handle the registry pass keeps.
    void ReplaceCurrentKey(HKEY hKey);
    // Opens or creates the sub-key through the active pass when there is
    // one and the current key is a root.
    LONG OpenSubKey(const CString& path, BOOL bCreate, REGSAM access, HKEY* phKey);
    BOOL WriteArchived(LPCTSTR lpszValueName, CObject* pObject, bool bByPointer);
    BOOL ReadArchived(LPCTSTR lpszValueName, void (*pfnLoad)(CArchive&, void*), void* pContext);

    LONG m_lastResult = ERROR_SUCCESS;
    DWORD m_lastValueType = 0;
    DWORD m_lastDataSize = 0;
    HKEY m_hKey;
    BOOL m_bAdmin;
    CString m_strPath;
    BOOL m_bReadOnly;
};

// Owns the registry object of one state routine: made on the first
// Create, the same object on every later call, deleted (its key closed)
// with the holder.
class CZUDPRegistryHolder {
public:
    CZUDPRegistryHolder() = default;
    ~CZUDPRegistryHolder() { delete m_pRegistry; }
    CZUDPRegistryHolder(const CZUDPRegistryHolder&) = delete;
    CZUDPRegistryHolder& operator=(const CZUDPRegistryHolder&) = delete;

    CZUDPRegistry& Create(BOOL bAdmin, BOOL bReadOnly);

private:
    CZUDPRegistry* m_pRegistry = nullptr;
    BOOL m_bUnused = FALSE;
};

// One load or save pass over many components' state (the workspace makes
// one around its LoadState and SaveState): while it lasts, keys that
// registry objects of this thread open or create from the root stay open,
// and later registry objects of the pass asking for the same key use the
// same handle instead of opening it again.  Deleting a key drops the kept
// handles of it and below it.  Registry objects made during a pass must
// end before it (state routines keep theirs in a holder on the stack).
// Passes nest: an inner one leaves the keys to the outer one.
class CZUDPRegistryPass {
public:
    CZUDPRegistryPass();
    ~CZUDPRegistryPass();
    CZUDPRegistryPass(const CZUDPRegistryPass&) = delete;
    CZUDPRegistryPass& operator=(const CZUDPRegistryPass&) = delete;

    // The pass of the calling thread, or null.
    static CZUDPRegistryPass* GetActive();
    // A kept handle of the path below the root (any access when bWritable
    // is FALSE), or null.
    HKEY Find(HKEY hRoot, const CString& path, BOOL bWritable) const;
    void Keep(HKEY hRoot, const CString& path, BOOL bWritable, HKEY hKey);
    // No later object gets a handle of the path or of a key below it
    // (they are closed when the pass ends).
    void Forget(HKEY hRoot, const CString& path);
    // TRUE for every handle the pass opened: only the pass closes them.
    BOOL IsKept(HKEY hKey) const;

private:
    struct Entry {
        HKEY hRoot;
        CString path;   // lower case, no trailing backslash
        BOOL bWritable;
        HKEY hKey;
    };
    std::vector<Entry> m_entries;
    std::vector<HKEY> m_retired;
    CZUDPRegistryPass* m_pOuter;
};

// Base registry path of a component: a non-empty profile is returned
// unchanged; otherwise "SOFTWARE\<company>\<profile name>\<section>\" (the
// company part only when the application has a company key), or empty
// when the application has no registry key or profile name.
CString BuildRegistrySectionPath(LPCTSTR lpszSectionName, LPCTSTR lpszProfileName);
