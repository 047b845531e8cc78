#include "ui/foundation/ZUDPRegistry.h"
#include "framework/win/WinApp.h"

#include <memory>
#include <vector>

IMPLEMENT_DYNCREATE(CZUDPRegistry, CObject)

namespace {

// A sub-key path without its one trailing backslash.
CString KeyPath(LPCTSTR lpszPath)
{
    CString path(lpszPath != nullptr ? lpszPath : "");
    if (!path.IsEmpty() && path[path.GetLength() - 1] == '\\')
        path.Truncate(path.GetLength() - 1);
    return path;
}

bool IsPredefinedKey(HKEY hKey)
{
    return hKey == HKEY_CURRENT_USER || hKey == HKEY_LOCAL_MACHINE || hKey == nullptr;
}

// Binary values are read through the wide query: for a buffer too small
// the narrow one fetches the whole value once more to convert it, so a
// large value would cross to the registry three times instead of twice.
// The bytes are the same through both, except for strings, which the
// narrow query answers as before.
class CBinaryValueQuery {
public:
    CBinaryValueQuery(HKEY hKey, LPCTSTR lpszName) : m_hKey(hKey), m_lpszName(lpszName)
    {
        if (lpszName == nullptr)
            return;
        const int nChars = ::MultiByteToWideChar(CP_ACP, 0, lpszName, -1, nullptr, 0);
        if (nChars <= 0)
            return;
        m_wideName.resize(size_t(nChars));
        ::MultiByteToWideChar(CP_ACP, 0, lpszName, -1, m_wideName.data(), nChars);
    }

    LONG operator()(BYTE* pData, DWORD* pnBytes) const
    {
        if (m_lpszName != nullptr && m_wideName.empty())
            return ::RegQueryValueExA(m_hKey, m_lpszName, nullptr, nullptr, pData, pnBytes);
        const DWORD nBuffer = *pnBytes;
        DWORD type = REG_NONE;
        const LONG lResult = ::RegQueryValueExW(m_hKey, m_lpszName != nullptr ? m_wideName.data() : nullptr, nullptr,
                                                &type, pData, pnBytes);
        if ((lResult != ERROR_SUCCESS && lResult != ERROR_MORE_DATA) ||
            (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ))
            return lResult;
        *pnBytes = nBuffer;
        return ::RegQueryValueExA(m_hKey, m_lpszName, nullptr, nullptr, pData, pnBytes);
    }

private:
    HKEY m_hKey;
    LPCTSTR m_lpszName;
    std::vector<WCHAR> m_wideName;
};

const int kArchiveBufferSize = 4096;
const UINT kArchiveGrowBytes = 1024;

} // namespace

bool IsPassKey(HKEY hKey);

CZUDPRegistry::CZUDPRegistry(BOOL bAdmin, BOOL bReadOnly)
    : m_hKey(bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER), m_bAdmin(bAdmin), m_bReadOnly(bReadOnly)
{
}

CZUDPRegistry::~CZUDPRegistry()
{
    Close();
}

void CZUDPRegistry::Serialize(CArchive&) {}

void CZUDPRegistry::ReplaceCurrentKey(HKEY hKey)
{
    if (!IsPredefinedKey(m_hKey) && !IsPassKey(m_hKey))
        ::RegCloseKey(m_hKey);
    m_hKey = hKey;
}

LONG CZUDPRegistry::OpenSubKey(const CString& path, BOOL bCreate, REGSAM access, HKEY* phKey)
{
    const BOOL bWritable = (access & KEY_SET_VALUE) != 0;
    CZUDPRegistryPass* pPass = IsPredefinedKey(m_hKey) && m_hKey != nullptr ? CZUDPRegistryPass::GetActive() : nullptr;
    if (pPass != nullptr) {
        if (HKEY hKept = pPass->Find(m_hKey, path, bWritable)) {
            *phKey = hKept;
            return ERROR_SUCCESS;
        }
    }
    LONG lResult = bCreate ? ::RegCreateKeyExA(m_hKey, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                               phKey, nullptr)
                           : ::RegOpenKeyExA(m_hKey, path, 0, access, phKey);
    if (lResult == ERROR_SUCCESS && pPass != nullptr)
        pPass->Keep(m_hKey, path, bWritable, *phKey);
    return lResult;
}

// ---- one load or save pass ---------------------------------------------------

namespace {

thread_local CZUDPRegistryPass* t_activePass = nullptr;

CString PassPath(const CString& path)
{
    CString folded = KeyPath(path);
    folded.MakeLower();
    return folded;
}

} // namespace

bool IsPassKey(HKEY hKey)
{
    CZUDPRegistryPass* pPass = CZUDPRegistryPass::GetActive();
    return pPass != nullptr && pPass->IsKept(hKey);
}

CZUDPRegistryPass::CZUDPRegistryPass() : m_pOuter(t_activePass)
{
    if (m_pOuter == nullptr)
        t_activePass = this;
}

CZUDPRegistryPass::~CZUDPRegistryPass()
{
    if (t_activePass != this)
        return;
    for (const Entry& entry : m_entries)
        ::RegCloseKey(entry.hKey);
    for (HKEY hKey : m_retired)
        ::RegCloseKey(hKey);
    t_activePass = nullptr;
}

CZUDPRegistryPass* CZUDPRegistryPass::GetActive() { return t_activePass; }

HKEY CZUDPRegistryPass::Find(HKEY hRoot, const CString& path, BOOL bWritable) const
{
    const CString folded = PassPath(path);
    for (const Entry& entry : m_entries)
        if (entry.hRoot == hRoot && (entry.bWritable || !bWritable) && entry.path == folded)
            return entry.hKey;
    return nullptr;
}

void CZUDPRegistryPass::Keep(HKEY hRoot, const CString& path, BOOL bWritable, HKEY hKey)
{
    m_entries.push_back(Entry{hRoot, PassPath(path), bWritable, hKey});
}

void CZUDPRegistryPass::Forget(HKEY hRoot, const CString& path)
{
    const CString folded = PassPath(path);
    const CString below = folded + "\\";
    for (size_t i = 0; i < m_entries.size();) {
        const Entry& entry = m_entries[i];
        if (entry.hRoot == hRoot && (entry.path == folded || entry.path.Left(below.GetLength()) == below)) {
            // Closed with the pass: a registry object may still hold it.
            m_retired.push_back(entry.hKey);
            m_entries.erase(m_entries.begin() + std::ptrdiff_t(i));
        } else {
            ++i;
        }
    }
}

BOOL CZUDPRegistryPass::IsKept(HKEY hKey) const
{
    for (const Entry& entry : m_entries)
        if (entry.hKey == hKey)
            return TRUE;
    for (HKEY hRetired : m_retired)
        if (hRetired == hKey)
            return TRUE;
    return FALSE;
}

BOOL CZUDPRegistry::ReadValueNames(CStringArray& names)
{
    // Names can be longer than any fixed buffer: size it from the key.
    DWORD nMaxName = 0;
    m_lastResult = ::RegQueryInfoKeyA(m_hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      &nMaxName, nullptr, nullptr, nullptr);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    std::vector<char> name(size_t(nMaxName) + 2);
    BOOL bAny = FALSE;
    for (DWORD i = 0;; ++i) {
        DWORD nName = DWORD(name.size());
        LONG lResult = ::RegEnumValueA(m_hKey, i, name.data(), &nName, nullptr, nullptr, nullptr, nullptr);
        if (lResult == ERROR_MORE_DATA) {
            // The key changed under us: grow and ask again.
            name.resize(name.size() * 2);
            --i;
            continue;
        }
        if (lResult != ERROR_SUCCESS) {
            m_lastResult = lResult;
            break;
        }
        names.Add(CString(name.data(), int(nName)));
        bAny = TRUE;
    }
    return bAny;
}

BOOL CZUDPRegistry::ReadSubKeyNames(CStringArray& names)
{
    DWORD nMaxName = 0;
    m_lastResult = ::RegQueryInfoKeyA(m_hKey, nullptr, nullptr, nullptr, nullptr, &nMaxName, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, nullptr);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    std::vector<char> name(size_t(nMaxName) + 2);
    BOOL bAny = FALSE;
    for (DWORD i = 0;; ++i) {
        DWORD nName = DWORD(name.size());
        LONG lResult = ::RegEnumKeyExA(m_hKey, i, name.data(), &nName, nullptr, nullptr, nullptr, nullptr);
        if (lResult == ERROR_MORE_DATA) {
            name.resize(name.size() * 2);
            --i;
            continue;
        }
        if (lResult != ERROR_SUCCESS) {
            m_lastResult = lResult;
            // Running out of names ends a good enumeration; anything else is
            // a failure even when some names came before it.
            if (lResult != ERROR_NO_MORE_ITEMS)
                return FALSE;
            break;
        }
        names.Add(CString(name.data(), int(nName)));
        bAny = TRUE;
    }
    return bAny;
}

BOOL CZUDPRegistry::KeyExists(LPCTSTR lpszPath)
{
    HKEY hKey = nullptr;
    m_lastResult = ::RegOpenKeyExA(m_hKey, KeyPath(lpszPath), 0, OpenAccess(), &hKey);
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

BOOL CZUDPRegistry::ValueExists(LPCTSTR lpszValueName)
{
    return ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

BOOL CZUDPRegistry::CreateKey(LPCTSTR lpszPath)
{
    if (m_bReadOnly)
        return FALSE;
    HKEY hKey = nullptr;
    m_lastResult = OpenSubKey(KeyPath(lpszPath), TRUE, KEY_ALL_ACCESS, &hKey);
    m_lastValueType = 0;
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    ReplaceCurrentKey(hKey);
    return TRUE;
}

BOOL CZUDPRegistry::Open(LPCTSTR lpszPath)
{
    m_strPath = lpszPath != nullptr ? lpszPath : "";
    HKEY hKey = nullptr;
    m_lastResult = OpenSubKey(KeyPath(lpszPath), FALSE, OpenAccess(), &hKey);
    m_lastValueType = 0;
    if (m_lastResult != ERROR_SUCCESS)
        return FALSE;
    ReplaceCurrentKey(hKey);
    return TRUE;
}

void CZUDPRegistry::Close()
{
    if (m_hKey != nullptr) {
        if (!IsPredefinedKey(m_hKey) && !IsPassKey(m_hKey))
            ::RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

BOOL CZUDPRegistry::DeleteValue(LPCTSTR lpszValueName)
{
    if (m_bReadOnly)
        return FALSE;
    m_lastResult = ::RegDeleteValueA(m_hKey, lpszValueName);
    return m_lastResult == ERROR_SUCCESS;
}

BOOL CZUDPRegistry::DeleteKey(LPCTSTR lpszPath, BOOL bAdmin)
{
    if (m_bReadOnly)
        return FALSE;
    CString path = KeyPath(lpszPath);
    // An empty path names the root itself: deleting "everything below" it
    // would wipe the user's whole registry hive.
    CString trimmed = path;
    trimmed.Trim('\\');
    if (trimmed.IsEmpty())
        return FALSE;
    HKEY hRoot = bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    // Handles kept open by a pass would outlive the keys they name.
    if (CZUDPRegistryPass* pPass = CZUDPRegistryPass::GetActive())
        pPass->Forget(hRoot, path);
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hRoot, path, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return FALSE;
    DWORD nSubKeys = 0, nMaxName = 0;
    if (::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &nSubKeys, &nMaxName, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr) != ERROR_SUCCESS) {
        ::RegCloseKey(hKey);
        return FALSE;
    }
    while (nSubKeys != 0) {
        std::vector<char> name(size_t(nMaxName) + 2);
        DWORD nName = DWORD(name.size());
        if (::RegEnumKeyExA(hKey, 0, name.data(), &nName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            !DeleteKey(path + "\\" + CString(name.data(), int(nName)), bAdmin)) {
            ::RegCloseKey(hKey);
            return FALSE;
        }
        if (::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &nSubKeys, &nMaxName, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            ::RegCloseKey(hKey);
            return FALSE;
        }
    }
    ::RegCloseKey(hKey);
    m_lastResult = ::RegDeleteKeyA(hRoot, path);
    return m_lastResult == ERROR_SUCCESS;
}

// ---- writing ----------------------------------------------------------------

BOOL CZUDPRegistry::WriteArchived(LPCTSTR lpszValueName, CObject* pObject, bool bByPointer)
{
    if (m_bReadOnly)
        return FALSE;
    try {
        CMemFile file(kArchiveGrowBytes);
        {
            CArchive ar(&file, CArchive::store, kArchiveBufferSize);
            if (bByPointer)
                ar << static_cast<const CObject*>(pObject);
            else
                pObject->Serialize(ar);
            ar.Close();
        }
        UINT nBytes = UINT(file.GetLength());
        BYTE* pData = file.Detach();
        BOOL bResult = Write(lpszValueName, pData, nBytes);
        free(pData);
        return bResult;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, CObject* pObject) { return WriteArchived(lpszValueName, pObject, true); }
BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, CObject& obj) { return WriteArchived(lpszValueName, &obj, false); }
BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, CObList& list) { return WriteArchived(lpszValueName, &list, false); }
BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, CDWordArray& dwords) { return WriteArchived(lpszValueName, &dwords, false); }
BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, CStringArray& strings) { return WriteArchived(lpszValueName, &strings, false); }
BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, CByteArray& bytes) { return WriteArchived(lpszValueName, &bytes, false); }
BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, CStringList& strings) { return WriteArchived(lpszValueName, &strings, false); }

BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, const BYTE* pData, UINT nBytes)
{
    if (m_bReadOnly)
        return FALSE;
    m_lastResult = ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_BINARY, pData, nBytes);
    m_lastValueType = REG_BINARY;
    m_lastDataSize = nBytes;
    return m_lastResult == ERROR_SUCCESS;
}

BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, const CPoint& pt)
{
    if (m_bReadOnly)
        return FALSE;
    CDWordArray dwords;
    dwords.Add(DWORD(pt.x));
    dwords.Add(DWORD(pt.y));
    dwords.Add(0);
    dwords.Add(0);
    dwords.Add(0);
    return Write(lpszValueName, dwords);
}

BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, const CRect& rect)
{
    if (m_bReadOnly)
        return FALSE;
    BYTE bytes[16];
    const LONG values[4] = {rect.left, rect.top, rect.right, rect.bottom};
    for (int i = 0; i < 4; ++i)
        for (int b = 0; b < 4; ++b)
            bytes[i * 4 + b] = BYTE(DWORD(values[i]) >> (8 * b));
    return Write(lpszValueName, bytes, sizeof bytes);
}

BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, const CWordArray& words)
{
    if (m_bReadOnly)
        return FALSE;
    const INT_PTR nCount = words.GetSize();
    std::vector<BYTE> bytes(4 + size_t(nCount) * 2);
    for (int b = 0; b < 4; ++b)
        bytes[size_t(b)] = BYTE(DWORD(nCount) >> (8 * b));
    for (INT_PTR i = 0; i < nCount; ++i) {
        bytes[4 + size_t(i) * 2] = BYTE(words[i]);
        bytes[5 + size_t(i) * 2] = BYTE(words[i] >> 8);
    }
    return Write(lpszValueName, bytes.data(), UINT(bytes.size()));
}

BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, LPCTSTR lpszValue)
{
    if (m_bReadOnly)
        return FALSE;
    const char* psz = lpszValue != nullptr ? lpszValue : "";
    m_lastResult = ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(psz),
                                    DWORD(strlen(psz) + 1));
    m_lastValueType = REG_SZ;
    m_lastDataSize = DWORD(strlen(psz) + 1);
    return m_lastResult == ERROR_SUCCESS;
}

BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, ULONGLONG nValue)
{
    if (m_bReadOnly)
        return FALSE;
    BYTE bytes[8];
    for (int b = 0; b < 8; ++b)
        bytes[b] = BYTE(nValue >> (8 * b));
    return ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_BINARY, bytes, sizeof bytes) == ERROR_SUCCESS;
}

BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, DWORD dwValue)
{
    if (m_bReadOnly)
        return FALSE;
    return ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                            sizeof dwValue) == ERROR_SUCCESS;
}

BOOL CZUDPRegistry::Write(LPCTSTR lpszValueName, int nValue)
{
    if (m_bReadOnly)
        return FALSE;
    m_lastResult = ::RegSetValueExA(m_hKey, lpszValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nValue),
                                    sizeof nValue);
    m_lastValueType = REG_DWORD;
    m_lastDataSize = sizeof nValue;
    return m_lastResult == ERROR_SUCCESS;
}

// ---- reading ----------------------------------------------------------------

BOOL CZUDPRegistry::ReadBinary(LPCTSTR lpszValueName, LPBYTE* ppData, UINT* pnBytes)
{
    *ppData = nullptr;
    *pnBytes = 0;
    m_lastValueType = REG_BINARY;
    // Most state values are small: one query into a local buffer saves the
    // separate size query (each is a round trip to the registry).
    const CBinaryValueQuery query(m_hKey, lpszValueName);
    BYTE local[2048];
    DWORD nLocal = sizeof local;
    m_lastResult = query(local, &nLocal);
    if (m_lastResult == ERROR_SUCCESS) {
        m_lastDataSize = nLocal;
        if (nLocal == 0)
            return TRUE;
        BYTE* pData = new (std::nothrow) BYTE[nLocal];
        if (pData == nullptr)
            return FALSE;
        memcpy(pData, local, nLocal);
        *ppData = pData;
        *pnBytes = nLocal;
        return TRUE;
    }
    if (m_lastResult != ERROR_MORE_DATA)
        return FALSE;
    // A larger value: the failed query left its size in nLocal, so one
    // more query reads it.
    DWORD nSize = nLocal;
    for (int attempt = 0; attempt < 4; ++attempt) {
        m_lastDataSize = nSize;
        if (nSize == 0)
            return TRUE;
        std::unique_ptr<BYTE[]> data(new (std::nothrow) BYTE[nSize]);
        if (!data)
            return FALSE;
        DWORD nRead = nSize;
        m_lastResult = query(data.get(), &nRead);
        if (m_lastResult == ERROR_MORE_DATA) {
            // The value grew since the size was taken: try its new size.
            nSize = nRead > nSize ? nRead : 0;
            if (nSize == 0) {
                m_lastResult = query(nullptr, &nSize);
                if (m_lastResult != ERROR_SUCCESS)
                    return FALSE;
            }
            continue;
        }
        if (m_lastResult != ERROR_SUCCESS)
            return FALSE;
        m_lastDataSize = nRead;
        if (nRead == 0)
            return TRUE;
        *ppData = data.release();
        *pnBytes = nRead;
        return TRUE;
    }
    return FALSE;
}

BOOL CZUDPRegistry::ReadArchived(LPCTSTR lpszValueName, void (*pfnLoad)(CArchive&, void*), void* pContext)
{
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!ReadBinary(lpszValueName, &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> owner(pData);
    try {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        pfnLoad(ar, pContext);
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CObject*& pObject, const CRuntimeClass* pExpectedClass)
{
    struct Context {
        CObject* pRead;
        const CRuntimeClass* pClass;
    } context{nullptr, pExpectedClass != nullptr ? pExpectedClass : RUNTIME_CLASS(CObject)};
    BOOL bResult = ReadArchived(lpszValueName, [](CArchive& ar, void* p) {
        auto* c = static_cast<Context*>(p);
        c->pRead = ar.ReadObject(c->pClass);
    }, &context);
    if (bResult)
        pObject = context.pRead;
    return bResult;
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CObject& obj)
{
    return ReadArchived(lpszValueName, [](CArchive& ar, void* p) { static_cast<CObject*>(p)->Serialize(ar); }, &obj);
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CObList& list, const CRuntimeClass* pExpectedClass)
{
    // Same layout as the list's own Serialize (count, then the objects),
    // read into a temporary so that a damaged value keeps what is there.
    struct Context {
        CObList read;
        const CRuntimeClass* pClass;
    } context;
    context.pClass = pExpectedClass != nullptr ? pExpectedClass : RUNTIME_CLASS(CObject);
    BOOL bResult = ReadArchived(lpszValueName, [](CArchive& ar, void* p) {
        auto* c = static_cast<Context*>(p);
        DWORD_PTR nCount = ar.ReadCount();
        ar.CheckCount(nCount, MinArchivedSize<CObject*>());
        for (DWORD_PTR i = 0; i < nCount; ++i) {
            CObject* pOb = ar.ReadObject(c->pClass);
            // A repeated reference would be deleted twice.
            if (pOb != nullptr && c->read.Find(pOb) != nullptr)
                AfxThrowArchiveException(CArchiveException::badIndex);
            c->read.AddTail(pOb);
        }
    }, &context);
    if (!bResult) {
        while (!context.read.IsEmpty())
            delete context.read.RemoveHead();
        return FALSE;
    }
    while (!list.IsEmpty())
        delete list.RemoveHead();
    while (!context.read.IsEmpty())
        list.AddTail(context.read.RemoveHead());
    return TRUE;
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CRect& rect)
{
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!ReadBinary(lpszValueName, &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> owner(pData);
    if (nBytes < 16)
        return FALSE;
    LONG values[4];
    for (int i = 0; i < 4; ++i) {
        DWORD v = 0;
        for (int b = 0; b < 4; ++b)
            v |= DWORD(pData[i * 4 + b]) << (8 * b);
        values[i] = LONG(v);
    }
    rect.SetRect(values[0], values[1], values[2], values[3]);
    return TRUE;
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CPoint& pt)
{
    DWORD dwType = 0;
    m_lastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &dwType, nullptr, nullptr);
    if (m_lastResult != ERROR_SUCCESS || dwType != REG_BINARY)
        return FALSE;
    CDWordArray dwords;
    if (!Read(lpszValueName, dwords) || dwords.GetSize() < 2)
        return FALSE;
    pt.x = LONG(dwords[0]);
    pt.y = LONG(dwords[1]);
    return TRUE;
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CByteArray& bytes)
{
    bytes.RemoveAll();
    return Read(lpszValueName, static_cast<CObject&>(bytes));
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CWordArray& words)
{
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!ReadBinary(lpszValueName, &pData, &nBytes))
        return FALSE;
    std::unique_ptr<BYTE[]> owner(pData);
    if (nBytes < 4)
        return FALSE;
    DWORD nCount = DWORD(pData[0]) | DWORD(pData[1]) << 8 | DWORD(pData[2]) << 16 | DWORD(pData[3]) << 24;
    // The stored count is checked against the bytes there before sizing.
    if (ULONGLONG(nCount) * 2 > ULONGLONG(nBytes - 4))
        return FALSE;
    words.SetSize(INT_PTR(nCount));
    for (DWORD i = 0; i < nCount; ++i)
        words[INT_PTR(i)] = WORD(pData[4 + i * 2] | pData[5 + i * 2] << 8);
    return TRUE;
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CDWordArray& dwords)
{
    dwords.RemoveAll();
    return Read(lpszValueName, static_cast<CObject&>(dwords));
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CStringArray& strings)
{
    strings.RemoveAll();
    return Read(lpszValueName, static_cast<CObject&>(strings));
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CStringList& strings)
{
    strings.RemoveAll();
    return Read(lpszValueName, static_cast<CObject&>(strings));
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, CString& strValue)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD nSize = 0;
        m_lastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &m_lastValueType, nullptr, &nSize);
        if (m_lastResult != ERROR_SUCCESS) {
            strValue.Empty();
            return FALSE;
        }
        if (nSize == 0) {
            strValue.Empty();
            return TRUE;
        }
        std::vector<char> buffer(size_t(nSize) + 1, '\0');
        DWORD nRead = nSize;
        m_lastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &m_lastValueType,
                                          reinterpret_cast<BYTE*>(buffer.data()), &nRead);
        if (m_lastResult == ERROR_MORE_DATA)
            continue;
        if (m_lastResult != ERROR_SUCCESS) {
            strValue.Empty();
            return FALSE;
        }
        // Stored text need not end in NUL: the buffer's last byte is ours.
        buffer[std::min<size_t>(nRead, nSize)] = '\0';
        m_lastDataSize = nRead;
        strValue = buffer.data();
        return TRUE;
    }
    strValue.Empty();
    return FALSE;
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, ULONGLONG& nValue)
{
    BYTE bytes[8];
    DWORD nSize = sizeof bytes;
    m_lastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &m_lastValueType, bytes, &nSize);
    m_lastDataSize = nSize;
    if (m_lastResult != ERROR_SUCCESS || nSize != sizeof bytes)
        return FALSE;
    ULONGLONG v = 0;
    for (int b = 0; b < 8; ++b)
        v |= ULONGLONG(bytes[b]) << (8 * b);
    nValue = v;
    return TRUE;
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, DWORD& dwValue)
{
    BYTE bytes[4];
    DWORD nSize = sizeof bytes;
    m_lastResult = ::RegQueryValueExA(m_hKey, lpszValueName, nullptr, &m_lastValueType, bytes, &nSize);
    m_lastDataSize = nSize;
    // A shorter value would leave the upper bytes as they were.
    if (m_lastResult != ERROR_SUCCESS || nSize != sizeof bytes)
        return FALSE;
    dwValue = DWORD(bytes[0]) | DWORD(bytes[1]) << 8 | DWORD(bytes[2]) << 16 | DWORD(bytes[3]) << 24;
    return TRUE;
}

BOOL CZUDPRegistry::Read(LPCTSTR lpszValueName, int& nValue)
{
    DWORD dwValue = 0;
    if (!Read(lpszValueName, dwValue))
        return FALSE;
    nValue = int(dwValue);
    return TRUE;
}

// ---- holder and path --------------------------------------------------------

CZUDPRegistry& CZUDPRegistryHolder::Create(BOOL bAdmin, BOOL bReadOnly)
{
    if (m_pRegistry == nullptr)
        m_pRegistry = new CZUDPRegistry(bAdmin, bReadOnly);
    return *m_pRegistry;
}

CString BuildRegistrySectionPath(LPCTSTR lpszSectionName, LPCTSTR lpszProfileName)
{
    if (lpszProfileName != nullptr && *lpszProfileName != '\0')
        return CString(lpszProfileName);
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pApp->m_pszRegistryKey == nullptr || pApp->m_pszProfileName == nullptr)
        return CString();
    CString path;
    if (*pApp->m_pszRegistryKey != '\0') {
        path = "SOFTWARE\\";
        path += pApp->m_pszRegistryKey;
        path += "\\";
    }
    path += pApp->m_pszProfileName;
    path += "\\";
    path += lpszSectionName != nullptr ? lpszSectionName : "";
    path += "\\";
    return path;
}
