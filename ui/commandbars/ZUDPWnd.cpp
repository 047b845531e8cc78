#include "ui/commandbars/ZUDPWnd.h"

#include "ui/controls/ZUDPDialog.h"
#include "ui/controls/ZUDPPropertyPage.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <vector>

IMPLEMENT_DYNCREATE(CZUDPWnd, CWnd)

BEGIN_MESSAGE_MAP(CZUDPWnd, CWnd)
    ON_MESSAGE(WM_GETOBJECT, &CZUDPWnd::OnGetAccessibleObject)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPWnd::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPWnd::OnSetControlAero)
END_MESSAGE_MAP()

void CZUDPAccessibleInfo::Clear() { *this = CZUDPAccessibleInfo(); }

namespace {

const long kRoleToolbar = ROLE_SYSTEM_TOOLBAR;        // 22
const long kRolePushButton = ROLE_SYSTEM_PUSHBUTTON;  // 43
const char kPaneHelp[] = "ControlPane";

// Which element a child VARIANT names.
enum class AccTarget {
    Self,          // VT_I4 0
    Child,         // VT_I4 above 0
    Negative,      // VT_I4 below 0
    OtherZero,     // another type whose value is 0 (VT_EMPTY among them)
    OtherNonZero,  // another type with a value
};

AccTarget Classify(const VARIANT& var)
{
    if (var.vt == VT_I4)
        return var.lVal == CHILDID_SELF ? AccTarget::Self : var.lVal > 0 ? AccTarget::Child : AccTarget::Negative;
    if (var.vt == VT_EMPTY)
        return AccTarget::OtherZero;
    VARIANT asLong;
    ::VariantInit(&asLong);
    const bool zero = SUCCEEDED(::VariantChangeType(&asLong, const_cast<VARIANT*>(&var), 0, VT_I4)) && asLong.lVal == 0;
    ::VariantClear(&asLong);
    return zero ? AccTarget::OtherZero : AccTarget::OtherNonZero;
}

// A new BSTR of 8-bit text; null when out of memory.
BSTR NewBstr(const CString& text)
{
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), nullptr, 0);
    BSTR bstr = ::SysAllocStringLen(nullptr, UINT(nChars));
    if (bstr != nullptr && nChars > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), bstr, nChars);
    return bstr;
}

HRESULT AnswerText(const CString& text, BSTR* pOut)
{
    *pOut = NewBstr(text);
    return *pOut != nullptr ? S_OK : E_OUTOFMEMORY;
}

// A record field: S_FALSE (and no text) when it is empty.
HRESULT AnswerField(const CString& text, BSTR* pOut)
{
    if (text.IsEmpty())
        return S_FALSE;
    return AnswerText(text, pOut);
}

void SetLong(VARIANT* pVar, long value)
{
    ::VariantInit(pVar);
    pVar->vt = VT_I4;
    pVar->lVal = value;
}

} // namespace

CZUDPWnd::CZUDPWnd() { EnableActiveAccessibility(); }

BOOL CZUDPWnd::UpdateAccessibilityData(long nChildId)
{
    (void)nChildId;
    return TRUE;
}

void CZUDPWnd::NotifyChildFocus(long nChildId) { (void)nChildId; }

long CZUDPWnd::AccessibleChildFromPoint(CPoint ptScreen)
{
    (void)ptScreen;
    return 0;
}

void CZUDPWnd::InheritVisualManagerStyle(CWnd* pOwner)
{
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return;
    if (CZUDPDialog* pDialog = DYNAMIC_DOWNCAST(CZUDPDialog, pOwner))
        m_bVisualManagerStyle = pDialog->IsVisualManagerStyle();
    else if (CZUDPPropertyPage* pPage = DYNAMIC_DOWNCAST(CZUDPPropertyPage, pOwner))
        m_bVisualManagerStyle = pPage->IsVisualManagerStyle();
}

LRESULT CZUDPWnd::OnGetAccessibleObject(WPARAM wParam, LPARAM lParam)
{
    if (!g_uiEnvironment.m_accessibility || !SupportsAccessibility())
        return 0;
    return OnGetObject(wParam, lParam);
}

BOOL CZUDPWnd::RefreshChild(long nChildId)
{
    // A stale record of another child never answers for this one.
    m_accessibleInfo.Clear();
    return UpdateAccessibilityData(nChildId);
}

// ---------------------------------------------------------------------------
// IAccessible
//
// Self is VT_I4 0, child n VT_I4 n > 0; "update" asks UpdateAccessibilityData
// for the child and answers from the record.  Null output pointers are
// refused with E_INVALIDARG.
//
// method            self                 child n            other
// Name              window text          name / S_FALSE     S_OK, nothing
// Value             S_FALSE              value / S_FALSE    S_FALSE
// Description       window text          desc. / S_FALSE    S_FALSE
// Role              22 (toolbar)         role               non-zero other type: E_INVALIDARG; else 43
// State             0x100 (default)      state              E_INVALIDARG
// Help              "ControlPane"        help / S_FALSE     non-zero other type: E_INVALIDARG; else S_FALSE
// KeyboardShortcut  "" (S_OK)            keys / S_FALSE     non-zero other type: E_INVALIDARG; else S_FALSE
// DefaultAction     S_FALSE              action / S_FALSE   non-zero other type: E_INVALIDARG; else S_FALSE
// Location          window rectangle     record rectangle   S_OK, outputs untouched

HRESULT CZUDPWnd::get_accParent(IDispatch** ppdispParent)
{
    if (ppdispParent == nullptr)
        return E_INVALIDARG;
    *ppdispParent = nullptr;
    HWND hWndParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (hWndParent == nullptr)
        return E_INVALIDARG;
    ::AccessibleObjectFromWindow(hWndParent, (DWORD)OBJID_CLIENT, __uuidof(IAccessible), (void**)ppdispParent);
    return *ppdispParent != nullptr ? S_OK : S_FALSE;
}

HRESULT CZUDPWnd::get_accChildCount(long* pcountChildren)
{
    if (pcountChildren == nullptr)
        return E_INVALIDARG;
    *pcountChildren = 0;
    return S_OK;
}

HRESULT CZUDPWnd::get_accChild(VARIANT varChild, IDispatch** ppdispChild)
{
    if (ppdispChild == nullptr)
        return E_INVALIDARG;
    *ppdispChild = nullptr;
    if (Classify(varChild) == AccTarget::Self)
        return E_INVALIDARG;
    IAccessible* pStd = CreateStandardAccessible();
    if (pStd == nullptr)
        return E_FAIL;
    *ppdispChild = pStd;
    return S_OK;
}

HRESULT CZUDPWnd::get_accName(VARIANT varChild, BSTR* pszName)
{
    if (pszName == nullptr)
        return E_INVALIDARG;
    *pszName = nullptr;
    switch (Classify(varChild)) {
    case AccTarget::Self: {
        CString text;
        GetWindowText(text);
        return AnswerText(text, pszName);
    }
    case AccTarget::Child:
        if (!RefreshChild(varChild.lVal))
            return E_INVALIDARG;
        return AnswerField(m_accessibleInfo.m_strName, pszName);
    default:
        return S_OK;
    }
}

HRESULT CZUDPWnd::get_accValue(VARIANT varChild, BSTR* pszValue)
{
    if (pszValue == nullptr)
        return E_INVALIDARG;
    *pszValue = nullptr;
    if (Classify(varChild) != AccTarget::Child)
        return S_FALSE;
    if (!RefreshChild(varChild.lVal))
        return E_INVALIDARG;
    return AnswerField(m_accessibleInfo.m_strValue, pszValue);
}

HRESULT CZUDPWnd::get_accDescription(VARIANT varChild, BSTR* pszDescription)
{
    if (pszDescription == nullptr)
        return E_INVALIDARG;
    *pszDescription = nullptr;
    switch (Classify(varChild)) {
    case AccTarget::Self: {
        CString text;
        GetWindowText(text);
        return AnswerText(text, pszDescription);
    }
    case AccTarget::Child:
        if (!RefreshChild(varChild.lVal))
            return E_INVALIDARG;
        return AnswerField(m_accessibleInfo.m_strDescription, pszDescription);
    default:
        return S_FALSE;
    }
}

HRESULT CZUDPWnd::get_accRole(VARIANT varChild, VARIANT* pvarRole)
{
    if (pvarRole == nullptr)
        return E_INVALIDARG;
    switch (Classify(varChild)) {
    case AccTarget::Self:
        SetLong(pvarRole, kRoleToolbar);
        return S_OK;
    case AccTarget::Child:
        if (!RefreshChild(varChild.lVal))
            return E_INVALIDARG;
        SetLong(pvarRole, m_accessibleInfo.m_nRole);
        return S_OK;
    case AccTarget::OtherNonZero:
        return E_INVALIDARG;
    default:
        SetLong(pvarRole, kRolePushButton);
        return S_OK;
    }
}

HRESULT CZUDPWnd::get_accState(VARIANT varChild, VARIANT* pvarState)
{
    if (pvarState == nullptr)
        return E_INVALIDARG;
    switch (Classify(varChild)) {
    case AccTarget::Self:
        SetLong(pvarState, STATE_SYSTEM_DEFAULT);
        return S_OK;
    case AccTarget::Child:
        if (!RefreshChild(varChild.lVal))
            return E_INVALIDARG;
        SetLong(pvarState, m_accessibleInfo.m_nState);
        return S_OK;
    default:
        return E_INVALIDARG;
    }
}

HRESULT CZUDPWnd::get_accHelp(VARIANT varChild, BSTR* pszHelp)
{
    if (pszHelp == nullptr)
        return E_INVALIDARG;
    *pszHelp = nullptr;
    switch (Classify(varChild)) {
    case AccTarget::Self:
        return AnswerText(kPaneHelp, pszHelp);
    case AccTarget::Child:
        if (!RefreshChild(varChild.lVal))
            return E_INVALIDARG;
        return AnswerField(m_accessibleInfo.m_strHelp, pszHelp);
    case AccTarget::OtherNonZero:
        return E_INVALIDARG;
    default:
        return S_FALSE;
    }
}

HRESULT CZUDPWnd::get_accHelpTopic(BSTR* pszHelpFile, VARIANT, long* pidTopic)
{
    if (pszHelpFile != nullptr)
        *pszHelpFile = nullptr;
    if (pidTopic != nullptr)
        *pidTopic = 0;
    return S_FALSE;
}

HRESULT CZUDPWnd::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut)
{
    if (pszKeyboardShortcut == nullptr)
        return E_INVALIDARG;
    *pszKeyboardShortcut = nullptr;
    switch (Classify(varChild)) {
    case AccTarget::Self:
        return AnswerText("", pszKeyboardShortcut);
    case AccTarget::Child:
        if (!RefreshChild(varChild.lVal))
            return E_INVALIDARG;
        return AnswerField(m_accessibleInfo.m_strKeyboardShortcut, pszKeyboardShortcut);
    case AccTarget::OtherNonZero:
        return E_INVALIDARG;
    default:
        return S_FALSE;
    }
}

HRESULT CZUDPWnd::get_accFocus(VARIANT* pvarChild)
{
    if (pvarChild == nullptr)
        return E_INVALIDARG;
    ::VariantInit(pvarChild);
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CZUDPWnd::get_accSelection(VARIANT* pvarChildren)
{
    if (pvarChildren == nullptr)
        return E_INVALIDARG;
    ::VariantInit(pvarChildren);
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CZUDPWnd::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction)
{
    if (pszDefaultAction == nullptr)
        return E_INVALIDARG;
    *pszDefaultAction = nullptr;
    switch (Classify(varChild)) {
    case AccTarget::Child:
        if (!RefreshChild(varChild.lVal))
            return E_INVALIDARG;
        return AnswerField(m_accessibleInfo.m_strDefaultAction, pszDefaultAction);
    case AccTarget::OtherNonZero:
        return E_INVALIDARG;
    default:
        return S_FALSE;
    }
}

HRESULT CZUDPWnd::accSelect(long flagsSelect, VARIANT varChild)
{
    IAccessible* pStd = CreateStandardAccessible();
    if (pStd == nullptr)
        return E_INVALIDARG;
    HRESULT hr = pStd->accSelect(flagsSelect, varChild);
    pStd->Release();
    return hr;
}

HRESULT CZUDPWnd::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild)
{
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr)
        return E_INVALIDARG;
    CRect rect;
    switch (Classify(varChild)) {
    case AccTarget::Self:
        GetWindowRect(&rect);
        break;
    case AccTarget::Child:
        if (!RefreshChild(varChild.lVal))
            return E_INVALIDARG;
        rect = m_accessibleInfo.m_rectLocation;
        break;
    default:
        return S_OK;
    }
    *pxLeft = rect.left;
    *pyTop = rect.top;
    *pcxWidth = rect.Width();
    *pcyHeight = rect.Height();
    return S_OK;
}

HRESULT CZUDPWnd::accNavigate(long, VARIANT, VARIANT* pvarEndUpAt)
{
    if (pvarEndUpAt != nullptr)
        ::VariantInit(pvarEndUpAt);
    return S_FALSE;
}

HRESULT CZUDPWnd::accHitTest(long xLeft, long yTop, VARIANT* pvarChild)
{
    if (pvarChild == nullptr)
        return E_INVALIDARG;
    m_accessibleInfo.Clear();
    const long nChild = AccessibleChildFromPoint(CPoint(int(xLeft), int(yTop)));
    m_accessibleInfo.m_nHit = nChild > 0;
    SetLong(pvarChild, nChild > 0 ? nChild : CHILDID_SELF);
    return S_OK;
}

HRESULT CZUDPWnd::accDoDefaultAction(VARIANT) { return S_FALSE; }

HRESULT CZUDPWnd::put_accName(VARIANT, BSTR) { return S_FALSE; }

HRESULT CZUDPWnd::put_accValue(VARIANT, BSTR) { return S_FALSE; }
