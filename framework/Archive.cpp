#include "framework/Archive.h"

#include <climits>
#include <string>

#include "framework/Platform.h"

namespace {

const WORD kNullTag = 0;
const WORD kNewClassTag = 0xFFFF;
const WORD kClassTag = 0x8000;
const DWORD kBigClassTag = 0x80000000;
const WORD kBigObjectTag = 0x7FFF;
// Longest class name accepted from an archive.
const WORD kMaxClassNameLength = 255;
// Objects nested deeper than this in an archive are taken as damage.
const int kMaxObjectDepth = 1000;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void*)
    : m_pFile(pFile), m_nMode(nMode)
{
    if (pFile == nullptr)
        AfxThrowInvalidArgException();
    if (nBufSize < 128)
        nBufSize = 128;
    m_buffer.resize(size_t(nBufSize));
    m_strFileName = pFile->GetFilePath();
    m_loadArray.push_back(LoadEntry{ LoadEntry::kGone, nullptr, nullptr, 0 });   // index 0: null
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (CException* e) {
            e->Delete();
        } catch (...) {
        }
    }
    m_pFile = nullptr;
}

void CArchive::CheckLoading() const
{
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::CheckStoring() const
{
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

BOOL CArchive::IsBufferEmpty() const
{
    return IsLoading() ? m_nBufPos == m_nBufEnd : m_nBufPos == 0;
}

UINT CArchive::GetObjectSchema()
{
    UINT schema = m_nObjectSchema;
    m_nObjectSchema = UINT(-1);
    return schema;
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring()) {
        if (m_nBufPos > 0) {
            size_t n = m_nBufPos;
            m_nBufPos = 0;
            m_pFile->Write(m_buffer.data(), UINT(n));
        }
    } else if (m_nBufEnd > m_nBufPos) {
        LONGLONG unread = LONGLONG(m_nBufEnd - m_nBufPos);
        m_nBufPos = m_nBufEnd = 0;
        m_pFile->Seek(-unread, CFile::current);
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
}

void CArchive::FillBuffer()
{
    m_nBufPos = 0;
    m_nBufEnd = m_pFile->Read(m_buffer.data(), UINT(m_buffer.size()));
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    // Most reads are small and already gathered.
    if (m_nBufEnd - m_nBufPos >= nMax && nMax > 0 && lpBuf != nullptr && m_pFile != nullptr && IsLoading()) {
        std::memcpy(lpBuf, m_buffer.data() + m_nBufPos, nMax);
        m_nBufPos += nMax;
        return nMax;
    }
    CheckLoading();
    if (nMax == 0)
        return 0;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    unsigned char* out = static_cast<unsigned char*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_nBufPos == m_nBufEnd) {
            UINT left = nMax - done;
            if (left >= m_buffer.size()) {
                // Large reads go straight to the file.
                UINT n = m_pFile->Read(out + done, left);
                done += n;
                break;
            }
            FillBuffer();
            if (m_nBufEnd == 0)
                break;
        }
        size_t n = m_nBufEnd - m_nBufPos;
        if (n > nMax - done)
            n = nMax - done;
        std::memcpy(out + done, m_buffer.data() + m_nBufPos, n);
        m_nBufPos += n;
        done += UINT(n);
    }
    return done;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (m_nBufPos + nMax <= m_buffer.size() && nMax > 0 && lpBuf != nullptr && m_pFile != nullptr && IsStoring()) {
        std::memcpy(m_buffer.data() + m_nBufPos, lpBuf, nMax);
        m_nBufPos += nMax;
        return;
    }
    CheckStoring();
    if (nMax == 0)
        return;
    if (lpBuf == nullptr)
        AfxThrowInvalidArgException();
    const unsigned char* in = static_cast<const unsigned char*>(lpBuf);
    if (m_nBufPos + nMax > m_buffer.size()) {
        Flush();
        if (nMax >= m_buffer.size()) {
            m_pFile->Write(in, nMax);
            return;
        }
    }
    std::memcpy(m_buffer.data() + m_nBufPos, in, nMax);
    m_nBufPos += nMax;
}

ULONGLONG CArchive::GetRemainingBytes() const
{
    if (m_pFile == nullptr || !IsLoading())
        return 0;
    ULONGLONG buffered = m_nBufEnd - m_nBufPos;
    try {
        ULONGLONG length = m_pFile->GetLength();
        ULONGLONG position = m_pFile->GetPosition();
        return buffered + (length > position ? length - position : 0);
    } catch (CException* e) {
        e->Delete();
        return ULLONG_MAX;
    }
}

void CArchive::CheckCount(ULONGLONG nCount, ULONGLONG nMinBytes) const
{
    if (nMinBytes == 0 || nCount == 0)
        return;
    // What is already gathered answers most checks without asking the file.
    ULONGLONG buffered = m_nBufEnd - m_nBufPos;
    if (nCount <= buffered / nMinBytes)
        return;
    if (nCount > GetRemainingBytes() / nMinBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

// ---- counts and strings ---------------------------------------------------

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << WORD(dwCount);
        return;
    }
    *this << WORD(0xFFFF);
    if (ULONGLONG(dwCount) < 0xFFFFFFFFull) {
        *this << DWORD(dwCount);
        return;
    }
    *this << DWORD(0xFFFFFFFF) << ULONGLONG(dwCount);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD w;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    DWORD d;
    *this >> d;
    if (d != 0xFFFFFFFF)
        return d;
    ULONGLONG q;
    *this >> q;
    return DWORD_PTR(q);
}

namespace {

// Reads a string length prefix; sets *pWide at the 16-bit text marker.
ULONGLONG ReadStringLength(CArchive& ar, bool* pWide)
{
    BYTE b;
    ar >> b;
    if (b < 0xFF)
        return b;
    WORD w;
    ar >> w;
    if (w == 0xFFFE) {
        if (*pWide)   // a second marker: not a string
            AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
        *pWide = true;
        return ReadStringLength(ar, pWide);
    }
    if (w < 0xFFFF)
        return w;
    DWORD d;
    ar >> d;
    if (d < 0xFFFFFFFF)
        return d;
    ULONGLONG q;
    ar >> q;
    return q;
}

} // namespace

CArchive& operator<<(CArchive& ar, const CString& str)
{
    DWORD n = DWORD(str.GetLength());
    if (n < 0xFF) {
        ar << BYTE(n);
    } else if (n < 0xFFFE) {
        ar << BYTE(0xFF) << WORD(n);
    } else {
        ar << BYTE(0xFF) << WORD(0xFFFF) << n;
    }
    ar.Write(static_cast<LPCSTR>(str), UINT(n));
    return ar;
}

CArchive& operator<<(CArchive& ar, LPCSTR psz)
{
    return ar << CString(psz);
}

CArchive& operator>>(CArchive& ar, CString& str)
{
    bool wide = false;
    ULONGLONG n = ReadStringLength(ar, &wide);
    ULONGLONG bytes = wide ? n * 2 : n;
    if (n > ULONGLONG(INT_MAX - 64))
        AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    ar.CheckCount(bytes, 1);
    if (!wide) {
        CString text;
        if (n > 0) {
            char* p = text.GetBufferSetLength(int(n));
            ar.EnsureRead(p, UINT(n));
            text.ReleaseBuffer(int(n));
        }
        str = std::move(text);
        return ar;
    }
    std::vector<unsigned char> units(static_cast<size_t>(bytes));
    if (bytes > 0)
        ar.EnsureRead(units.data(), UINT(bytes));
    std::string narrow = FrameworkPlatform::NarrowText(units.data(), size_t(n));
    str = CString(narrow.data(), int(narrow.size()));
    return ar;
}

void CArchive::WriteString(LPCSTR lpsz)
{
    if (lpsz == nullptr)
        AfxThrowInvalidArgException();
    Write(lpsz, UINT(std::strlen(lpsz)));
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    char c;
    bool any = false;
    while (Read(&c, 1) == 1) {
        any = true;
        if (c == '\n')
            break;
        rString += c;
    }
    if (!rString.IsEmpty() && rString[rString.GetLength() - 1] == '\r')
        rString.Truncate(rString.GetLength() - 1);
    return any ? TRUE : FALSE;
}

LPSTR CArchive::ReadString(LPSTR lpsz, UINT nMax)
{
    if (lpsz == nullptr || nMax == 0)
        AfxThrowInvalidArgException();
    UINT n = 0;
    char c;
    bool any = false;
    while (n + 1 < nMax && Read(&c, 1) == 1) {
        any = true;
        if (c == '\n')
            break;
        lpsz[n++] = c;
    }
    if (n > 0 && lpsz[n - 1] == '\r')
        --n;
    lpsz[n] = '\0';
    return any ? lpsz : nullptr;
}

// ---- classes and objects --------------------------------------------------

void CRuntimeClass::Store(CArchive& ar) const
{
    size_t n = std::strlen(m_lpszClassName);
    ar << WORD(m_wSchema) << WORD(n);
    ar.Write(m_lpszClassName, UINT(n));
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD schema, n;
    ar >> schema >> n;
    if (pwSchemaNum != nullptr)
        *pwSchemaNum = schema;
    if (n == 0 || n > kMaxClassNameLength)
        return nullptr;
    char name[kMaxClassNameLength + 1];
    ar.EnsureRead(name, n);
    name[n] = '\0';
    if (std::strlen(name) != n)
        return nullptr;
    return FromName(name);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (pClassRef == nullptr)
        AfxThrowInvalidArgException();
    auto found = m_storeMap.find(pClassRef);
    if (found != m_storeMap.end()) {
        DWORD index = found->second;
        if (index < kBigObjectTag)
            *this << WORD(kClassTag | index);
        else
            *this << kBigObjectTag << DWORD(kBigClassTag | index);
        return;
    }
    *this << kNewClassTag;
    pClassRef->Store(*this);
    m_storeMap[pClassRef] = m_nMapCount++;
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckLoading();
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == kBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = (DWORD(wTag & kClassTag) << 16) | (wTag & ~kClassTag);
    }
    if (wTag != kNewClassTag && !(obTag & kBigClassTag)) {
        // An object reference (or null), not a class.
        if (pObTag == nullptr)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == kNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == nullptr)
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA) && (pClassRef->m_wSchema & 0xFFFF) != nSchema)
            AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
        m_loadArray.push_back(LoadEntry{ LoadEntry::kClass, pClassRef, nullptr, nSchema });
        ++m_nMapCount;
    } else {
        DWORD index = obTag & ~kBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || m_loadArray[index].kind != LoadEntry::kClass)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        pClassRef = m_loadArray[index].pClass;
        nSchema = m_loadArray[index].nSchema;
    }
    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pSchema != nullptr)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != nullptr)
        *pObTag = obTag;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, &m_nObjectSchema);
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (pOb == nullptr) {
        *this << kNullTag;
        return;
    }
    auto found = m_storeMap.find(pOb);
    if (found != m_storeMap.end()) {
        DWORD index = found->second;
        if (index < kBigObjectTag)
            *this << WORD(index);
        else
            *this << kBigObjectTag << index;
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    m_storeMap[pOb] = m_nMapCount++;
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    return ReadObject(pClassRefRequested, nullptr);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested, bool (*pfnAccept)(const CObject*))
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == nullptr) {
        if (obTag == 0)
            return nullptr;
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].kind != LoadEntry::kObject)
            AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
        CObject* pOb = m_loadArray[obTag].pObject;
        if (pOb != nullptr && ((pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested)) ||
                               (pfnAccept != nullptr && !pfnAccept(pOb))))
            AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
        return pOb;
    }
    if (m_nDepth >= kMaxObjectDepth)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if (pfnAccept != nullptr && !pfnAccept(pOb)) {
        delete pOb;
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    }
    size_t index = m_loadArray.size();
    m_loadArray.push_back(LoadEntry{ LoadEntry::kObject, pClassRef, pOb, nSchema });
    ++m_nMapCount;
    m_nObjectSchema = nSchema;
    ++m_nDepth;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        // The half-read object goes; later references to it are errors.
        --m_nDepth;
        m_loadArray[index].kind = LoadEntry::kGone;
        m_loadArray[index].pObject = nullptr;
        delete pOb;
        throw;
    }
    --m_nDepth;
    return pOb;
}

CObject* CArchive::ReadOwnedObject(const CRuntimeClass* pClassRefRequested)
{
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (pClassRef == nullptr) {
        if (obTag == 0)
            return nullptr;
        AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    }
    if (m_nDepth >= kMaxObjectDepth)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    // The object's index exists (the archive counts it) but never leads
    // back to it.
    m_loadArray.push_back(LoadEntry{ LoadEntry::kGone, pClassRef, nullptr, nSchema });
    ++m_nMapCount;
    m_nObjectSchema = nSchema;
    ++m_nDepth;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        --m_nDepth;
        delete pOb;
        throw;
    }
    --m_nDepth;
    return pOb;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        CheckStoring();
        if (pOb != nullptr && m_storeMap.find(pOb) == m_storeMap.end())
            m_storeMap[pOb] = m_nMapCount++;
    } else {
        CheckLoading();
        if (pOb == nullptr)
            return;
        m_loadArray.push_back(LoadEntry{ LoadEntry::kObject, nullptr, const_cast<CObject*>(pOb), 0 });
        ++m_nMapCount;
    }
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}
