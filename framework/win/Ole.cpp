#include "framework/win/Ole.h"

#include "framework/Exceptions.h"
#include "framework/File.h"
#include "framework/Rect.h"
#include "framework/win/Wnd.h"

#include <ole2.h>

#include <cstring>

namespace {

// Uninitialises OLE when the thread that initialised it ends (or the
// process exits, for the main thread).
struct ThreadOleState {
    BOOL initialized = FALSE;
    ~ThreadOleState()
    {
        if (initialized)
            ::OleUninitialize();
    }
};

thread_local ThreadOleState t_oleState;

} // namespace

BOOL AfxOleInit()
{
    if (t_oleState.initialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(nullptr);
    // S_FALSE: already initialised on this thread by someone else; the
    // reference is ours to release all the same.
    if (FAILED(hr))
        return FALSE;
    t_oleState.initialized = TRUE;
    return TRUE;
}

BOOL AfxOleIsInitialized() { return t_oleState.initialized; }

// ---------------------------------------------------------------------------
// COleDataObject

void COleDataObject::Attach(IDataObject* pDataObject, BOOL bAutoRelease)
{
    Release();
    m_pDataObject = pDataObject;
    m_bAutoRelease = bAutoRelease;
    if (m_pDataObject != nullptr && m_bAutoRelease)
        m_pDataObject->AddRef();
}

IDataObject* COleDataObject::Detach()
{
    IDataObject* pDataObject = m_pDataObject;
    m_pDataObject = nullptr;
    return pDataObject;
}

void COleDataObject::Release()
{
    if (m_pDataObject != nullptr && m_bAutoRelease)
        m_pDataObject->Release();
    m_pDataObject = nullptr;
}

namespace {

FORMATETC DefaultFormat(CLIPFORMAT cfFormat, const FORMATETC* lpFormatEtc, DWORD tymed)
{
    if (lpFormatEtc != nullptr)
        return *lpFormatEtc;
    FORMATETC format = {cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
    return format;
}

} // namespace

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, const FORMATETC* lpFormatEtc) const
{
    if (m_pDataObject == nullptr)
        return FALSE;
    FORMATETC format = DefaultFormat(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    return m_pDataObject->QueryGetData(&format) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, STGMEDIUM* lpStgMedium, const FORMATETC* lpFormatEtc) const
{
    if (m_pDataObject == nullptr || lpStgMedium == nullptr)
        return FALSE;
    FORMATETC format = DefaultFormat(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_FILE);
    return SUCCEEDED(m_pDataObject->GetData(&format, lpStgMedium));
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, const FORMATETC* lpFormatEtc) const
{
    STGMEDIUM medium = {};
    if (m_pDataObject == nullptr)
        return nullptr;
    FORMATETC format = DefaultFormat(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM);
    format.tymed &= TYMED_HGLOBAL | TYMED_ISTREAM;
    if (format.tymed == 0 || FAILED(m_pDataObject->GetData(&format, &medium)))
        return nullptr;
    CMemFile* pFile = new CMemFile;
    BOOL ok = FALSE;
    try {
        if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
            const SIZE_T size = ::GlobalSize(medium.hGlobal);
            const void* pData = ::GlobalLock(medium.hGlobal);
            if (pData != nullptr && size <= kMaxFileData) {
                pFile->Write(pData, UINT(size));
                ok = TRUE;
            }
            if (pData != nullptr)
                ::GlobalUnlock(medium.hGlobal);
        } else if (medium.tymed == TYMED_ISTREAM && medium.pstm != nullptr) {
            // From the stream's current position to its end.
            BYTE buffer[4096];
            ULONGLONG total = 0;
            ok = TRUE;
            for (;;) {
                ULONG read = 0;
                const HRESULT hr = medium.pstm->Read(buffer, sizeof buffer, &read);
                if (FAILED(hr) || (total += read) > kMaxFileData) {
                    ok = FALSE;
                    break;
                }
                if (read == 0)
                    break;
                pFile->Write(buffer, read);
            }
        }
    } catch (CException* e) {
        e->Delete();
        ok = FALSE;
    }
    ::ReleaseStgMedium(&medium);
    if (!ok) {
        delete pFile;
        return nullptr;
    }
    pFile->SeekToBegin();
    return pFile;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, const FORMATETC* lpFormatEtc) const
{
    STGMEDIUM medium = {};
    if (m_pDataObject == nullptr)
        return nullptr;
    FORMATETC format = DefaultFormat(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    format.tymed = TYMED_HGLOBAL;
    if (FAILED(m_pDataObject->GetData(&format, &medium)))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL || medium.hGlobal == nullptr) {
        ::ReleaseStgMedium(&medium);
        return nullptr;
    }
    // A copy the caller owns: the medium may belong to the source.
    const SIZE_T size = ::GlobalSize(medium.hGlobal);
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    void* pFrom = ::GlobalLock(medium.hGlobal);
    void* pTo = hCopy != nullptr ? ::GlobalLock(hCopy) : nullptr;
    if (pFrom != nullptr && pTo != nullptr)
        memcpy(pTo, pFrom, size);
    if (pTo != nullptr)
        ::GlobalUnlock(hCopy);
    if (pFrom != nullptr)
        ::GlobalUnlock(medium.hGlobal);
    if (hCopy != nullptr && (pFrom == nullptr || pTo == nullptr)) {
        ::GlobalFree(hCopy);
        hCopy = nullptr;
    }
    ::ReleaseStgMedium(&medium);
    return hCopy;
}

// ---------------------------------------------------------------------------
// COleDropTarget

// The COM object the system calls; it lives as long as the target (the
// system's references are counted but never free it: the target's
// destructor revokes the registration first).
class COleDropTarget::DropTargetInterface final : public IDropTarget {
public:
    explicit DropTargetInterface(COleDropTarget& owner) : m_owner(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
            *ppv = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override { return ULONG(::InterlockedDecrement(&m_refs)); }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                        DWORD* pdwEffect) override
    {
        return Guard(pdwEffect, [&] {
            m_owner.m_dataObject.Attach(pDataObj);
            CWnd* pWnd = CWnd::FromHandle(m_owner.m_hWnd);
            const CPoint point = ClientPoint(pt);
            m_owner.m_lastEffect = Allowed(m_owner.OnDragEnter(pWnd, &m_owner.m_dataObject, grfKeyState, point),
                                           *pdwEffect);
            *pdwEffect = m_owner.m_lastEffect;
        });
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        return Guard(pdwEffect, [&] {
            CWnd* pWnd = CWnd::FromHandle(m_owner.m_hWnd);
            const CPoint point = ClientPoint(pt);
            DROPEFFECT effect = m_owner.OnDragScroll(pWnd, grfKeyState, point);
            if (effect == DROPEFFECT_NONE)
                effect = m_owner.OnDragOver(pWnd, &m_owner.m_dataObject, grfKeyState, point);
            m_owner.m_lastEffect = Allowed(effect, *pdwEffect);
            *pdwEffect = m_owner.m_lastEffect;
        });
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        DWORD dummy = 0;
        return Guard(&dummy, [&] {
            m_owner.OnDragLeave(CWnd::FromHandle(m_owner.m_hWnd));
            m_owner.m_dataObject.Release();
        });
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        const HRESULT hr = Guard(pdwEffect, [&] {
            m_owner.m_dataObject.Attach(pDataObj);
            CWnd* pWnd = CWnd::FromHandle(m_owner.m_hWnd);
            const CPoint point = ClientPoint(pt);
            const DROPEFFECT allowed = *pdwEffect;
            // The drop is checked once more where it happens, then offered
            // to OnDropEx; (DROPEFFECT)-1 from it hands it to OnDrop.
            DROPEFFECT effect = Allowed(m_owner.OnDragOver(pWnd, &m_owner.m_dataObject, grfKeyState, point), allowed);
            const DROPEFFECT effectEx = m_owner.OnDropEx(pWnd, &m_owner.m_dataObject, effect, allowed, point);
            if (effectEx != DROPEFFECT(-1))
                effect = effectEx;
            else if (effect != DROPEFFECT_NONE) {
                if (!m_owner.OnDrop(pWnd, &m_owner.m_dataObject, effect, point))
                    effect = DROPEFFECT_NONE;
            } else
                m_owner.OnDragLeave(pWnd);
            *pdwEffect = Allowed(effect, allowed);
        });
        m_owner.m_dataObject.Release();
        m_owner.m_lastEffect = DROPEFFECT_NONE;
        return hr;
    }

private:
    template <typename F>
    static HRESULT Guard(DWORD* pdwEffect, F&& body)
    {
        if (pdwEffect == nullptr)
            return E_INVALIDARG;
        // An exception must never cross into the system's drag loop.
        const BOOL ok = AfxCallbackGuard(FALSE, [&] {
            body();
            return TRUE;
        });
        if (!ok)
            *pdwEffect = DROPEFFECT_NONE;
        return S_OK;
    }
    // What the target wants, limited to what the source allows (a scroll
    // effect passes).
    static DROPEFFECT Allowed(DROPEFFECT wanted, DROPEFFECT allowed)
    {
        const DROPEFFECT scroll = wanted & DROPEFFECT_SCROLL;
        return (wanted & allowed & ~DROPEFFECT_SCROLL) | scroll;
    }
    CPoint ClientPoint(POINTL pt) const
    {
        POINT point = {pt.x, pt.y};
        ::ScreenToClient(m_owner.m_hWnd, &point);
        return CPoint(point.x, point.y);
    }

    COleDropTarget& m_owner;
    LONG m_refs = 0;
};

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

COleDropTarget::COleDropTarget() : m_pInterface(new DropTargetInterface(*this)) {}

COleDropTarget::~COleDropTarget()
{
    Revoke();
    delete m_pInterface;
}

IDropTarget* COleDropTarget::GetDropTarget() { return m_pInterface; }

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || m_hWnd != nullptr)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->GetSafeHwnd(), m_pInterface)))
        return FALSE;
    m_hWnd = pWnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == nullptr)
        return;
    ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
    m_dataObject.Release();
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return DROPEFFECT(-1);
}

void COleDropTarget::OnDragLeave(CWnd*) {}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

// ---------------------------------------------------------------------------
// COleDataSource

// The source's IDataObject: answers HGLOBAL requests for the cached
// formats; lives as long as the source (references are counted but the
// source deletes it).
class COleDataSource::DataObject : public IDataObject {
public:
    explicit DataObject(COleDataSource* pSource) : m_pSource(pSource) {}
    virtual ~DataObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return m_nRefs > 1 ? --m_nRefs : 1; }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override
    {
        if (pFormat == nullptr || pMedium == nullptr)
            return E_INVALIDARG;
        if ((pFormat->tymed & TYMED_HGLOBAL) == 0)
            return DV_E_TYMED;
        HGLOBAL hData = m_pSource->PeekGlobalData(pFormat->cfFormat);
        if (hData == nullptr)
            return DV_E_FORMATETC;
        const SIZE_T size = ::GlobalSize(hData);
        HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, size);
        if (hCopy == nullptr)
            return E_OUTOFMEMORY;
        void* pFrom = ::GlobalLock(hData);
        void* pTo = ::GlobalLock(hCopy);
        if (pFrom != nullptr && pTo != nullptr)
            memcpy(pTo, pFrom, size);
        ::GlobalUnlock(hCopy);
        ::GlobalUnlock(hData);
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = hCopy;
        pMedium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormat) override
    {
        if (pFormat == nullptr)
            return E_INVALIDARG;
        if ((pFormat->tymed & TYMED_HGLOBAL) == 0)
            return DV_E_TYMED;
        return m_pSource->PeekGlobalData(pFormat->cfFormat) != nullptr ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override
    {
        if (pOut != nullptr)
            pOut->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** ppEnum) override
    {
        if (ppEnum != nullptr)
            *ppEnum = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    COleDataSource* m_pSource;
    ULONG m_nRefs = 1;
};

COleDataSource::COleDataSource() : m_pDataObject(new DataObject(this)) {}

COleDataSource::~COleDataSource()
{
    Empty();
    delete m_pDataObject;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal)
{
    for (int i = 0; i < m_nEntries; ++i) {
        if (m_pEntries[i].cf == cfFormat) {
            if (m_pEntries[i].hGlobal != hGlobal)
                ::GlobalFree(m_pEntries[i].hGlobal);
            m_pEntries[i].hGlobal = hGlobal;
            return;
        }
    }
    Entry* pNew = new Entry[m_nEntries + 1];
    for (int i = 0; i < m_nEntries; ++i)
        pNew[i] = m_pEntries[i];
    pNew[m_nEntries] = Entry{cfFormat, hGlobal};
    delete[] m_pEntries;
    m_pEntries = pNew;
    ++m_nEntries;
}

void COleDataSource::Empty()
{
    for (int i = 0; i < m_nEntries; ++i)
        ::GlobalFree(m_pEntries[i].hGlobal);
    delete[] m_pEntries;
    m_pEntries = nullptr;
    m_nEntries = 0;
}

IDataObject* COleDataSource::GetDataObject() { return m_pDataObject; }

HGLOBAL COleDataSource::PeekGlobalData(CLIPFORMAT cfFormat) const
{
    for (int i = 0; i < m_nEntries; ++i) {
        if (m_pEntries[i].cf == cfFormat)
            return m_pEntries[i].hGlobal;
    }
    return nullptr;
}
