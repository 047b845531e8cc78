// A window's accessible object: the IAccessible that WM_GETOBJECT hands
// out for a window with active accessibility.  The object keeps only the
// window's handle and finds the window object again on every call, so a
// client that holds it after the window is gone gets a failure, never a
// freed object.  The window's virtual operations answer; their base forms
// ask the system's standard accessible object of the window.
#include "framework/win/Wnd.h"

#include <new>

namespace {

// Exceptions never cross the COM boundary: a failing handler answers E_FAIL.
template <typename F>
HRESULT GuardedCall(F&& body) noexcept
{
    try {
        return body();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    AfxCallbackFailed();
    return E_FAIL;
}

class CWindowAccessible final : public IAccessible {
public:
    explicit CWindowAccessible(HWND hWnd) : m_hWnd(hWnd) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
            *ppv = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return ULONG(refs);
    }

    // IDispatch: no type information; clients use the IAccessible methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo == nullptr)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo != nullptr)
            *ppTInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible: each call goes to the live window object.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override
    {
        return Call([&](CWnd* w) { return w->get_accParent(p); });
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* p) override
    {
        return Call([&](CWnd* w) { return w->get_accChildCount(p); });
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT v, IDispatch** p) override
    {
        return Call([&](CWnd* w) { return w->get_accChild(v, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT v, BSTR* p) override
    {
        return Call([&](CWnd* w) { return w->get_accName(v, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT v, BSTR* p) override
    {
        return Call([&](CWnd* w) { return w->get_accValue(v, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT v, BSTR* p) override
    {
        return Call([&](CWnd* w) { return w->get_accDescription(v, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT v, VARIANT* p) override
    {
        return Call([&](CWnd* w) { return w->get_accRole(v, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT v, VARIANT* p) override
    {
        return Call([&](CWnd* w) { return w->get_accState(v, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT v, BSTR* p) override
    {
        return Call([&](CWnd* w) { return w->get_accHelp(v, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT v, long* t) override
    {
        return Call([&](CWnd* w) { return w->get_accHelpTopic(f, v, t); });
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT v, BSTR* p) override
    {
        return Call([&](CWnd* w) { return w->get_accKeyboardShortcut(v, p); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* p) override
    {
        return Call([&](CWnd* w) { return w->get_accFocus(p); });
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* p) override
    {
        return Call([&](CWnd* w) { return w->get_accSelection(p); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT v, BSTR* p) override
    {
        return Call([&](CWnd* w) { return w->get_accDefaultAction(v, p); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT v) override
    {
        return Call([&](CWnd* w) { return w->accSelect(f, v); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* cx, long* cy, VARIANT v) override
    {
        return Call([&](CWnd* w) { return w->accLocation(x, y, cx, cy, v); });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT v, VARIANT* p) override
    {
        return Call([&](CWnd* w) { return w->accNavigate(d, v, p); });
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* p) override
    {
        return Call([&](CWnd* w) { return w->accHitTest(x, y, p); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT v) override
    {
        return Call([&](CWnd* w) { return w->accDoDefaultAction(v); });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT v, BSTR s) override
    {
        return Call([&](CWnd* w) { return w->put_accName(v, s); });
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT v, BSTR s) override
    {
        return Call([&](CWnd* w) { return w->put_accValue(v, s); });
    }

private:
    ~CWindowAccessible() = default;

    template <typename F>
    HRESULT Call(F&& f)
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(m_hWnd);
        if (pWnd == nullptr || !::IsWindow(m_hWnd))
            return CO_E_OBJNOTCONNECTED;
        return GuardedCall([&] { return f(pWnd); });
    }

    HWND m_hWnd;
    LONG m_refs = 1;
};

// Runs an IAccessible call on the window's standard object; E_FAIL when
// the system gives none.
template <typename F>
HRESULT OnStandard(const CWnd* pWnd, F&& f)
{
    IAccessible* pStd = pWnd->CreateStandardAccessible();
    if (pStd == nullptr)
        return E_FAIL;
    HRESULT hr = f(pStd);
    pStd->Release();
    return hr;
}

} // namespace

IAccessible* CWnd::CreateStandardAccessible() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    IAccessible* pStd = nullptr;
    // __uuidof, not IID_IAccessible: linked with the accessibility import
    // library first, the latter resolves to an import thunk, not the GUID.
    if (FAILED(::CreateStdAccessibleObject(m_hWnd, OBJID_CLIENT, __uuidof(IAccessible), (void**)&pStd)))
        return nullptr;
    return pStd;
}

LRESULT CWnd::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (!m_bEnableActiveAccessibility || (LONG)lParam != OBJID_CLIENT)
        return Default();
    CWindowAccessible* pAccessible = new (std::nothrow) CWindowAccessible(m_hWnd);
    if (pAccessible == nullptr)
        return 0;
    LRESULT lResult = ::LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(pAccessible));
    pAccessible->Release();   // LresultFromObject holds its own reference
    return lResult < 0 ? 0 : lResult;
}

HRESULT CWnd::get_accParent(IDispatch** p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accParent(p); }); }
HRESULT CWnd::get_accChildCount(long* p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accChildCount(p); }); }
HRESULT CWnd::get_accChild(VARIANT v, IDispatch** p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accChild(v, p); }); }
HRESULT CWnd::get_accName(VARIANT v, BSTR* p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accName(v, p); }); }
HRESULT CWnd::get_accValue(VARIANT v, BSTR* p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accValue(v, p); }); }
HRESULT CWnd::get_accDescription(VARIANT v, BSTR* p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accDescription(v, p); }); }
HRESULT CWnd::get_accRole(VARIANT v, VARIANT* p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accRole(v, p); }); }
HRESULT CWnd::get_accState(VARIANT v, VARIANT* p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accState(v, p); }); }
HRESULT CWnd::get_accHelp(VARIANT v, BSTR* p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accHelp(v, p); }); }
HRESULT CWnd::get_accHelpTopic(BSTR* f, VARIANT v, long* t)
{
    return OnStandard(this, [&](IAccessible* a) { return a->get_accHelpTopic(f, v, t); });
}
HRESULT CWnd::get_accKeyboardShortcut(VARIANT v, BSTR* p)
{
    return OnStandard(this, [&](IAccessible* a) { return a->get_accKeyboardShortcut(v, p); });
}
HRESULT CWnd::get_accFocus(VARIANT* p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accFocus(p); }); }
HRESULT CWnd::get_accSelection(VARIANT* p) { return OnStandard(this, [&](IAccessible* a) { return a->get_accSelection(p); }); }
HRESULT CWnd::get_accDefaultAction(VARIANT v, BSTR* p)
{
    return OnStandard(this, [&](IAccessible* a) { return a->get_accDefaultAction(v, p); });
}
HRESULT CWnd::accSelect(long f, VARIANT v) { return OnStandard(this, [&](IAccessible* a) { return a->accSelect(f, v); }); }
HRESULT CWnd::accLocation(long* x, long* y, long* cx, long* cy, VARIANT v)
{
    return OnStandard(this, [&](IAccessible* a) { return a->accLocation(x, y, cx, cy, v); });
}
HRESULT CWnd::accNavigate(long d, VARIANT v, VARIANT* p) { return OnStandard(this, [&](IAccessible* a) { return a->accNavigate(d, v, p); }); }
HRESULT CWnd::accHitTest(long x, long y, VARIANT* p) { return OnStandard(this, [&](IAccessible* a) { return a->accHitTest(x, y, p); }); }
HRESULT CWnd::accDoDefaultAction(VARIANT v) { return OnStandard(this, [&](IAccessible* a) { return a->accDoDefaultAction(v); }); }
HRESULT CWnd::put_accName(VARIANT v, BSTR s) { return OnStandard(this, [&](IAccessible* a) { return a->put_accName(v, s); }); }
HRESULT CWnd::put_accValue(VARIANT v, BSTR s) { return OnStandard(this, [&](IAccessible* a) { return a->put_accValue(v, s); }); }
