// The control wrappers that need more than one message.
#include "framework/win/Controls.h"

#include "framework/win/OwnerDraw.h"

#include <vector>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

// ---------------------------------------------------------------------------
// Owner drawing: a reflected item message that no map entry took reaches
// the control's virtual item function.

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return HandleDrawItem(this, message, lParam, pResult);
}

BOOL CEdit::ShowBalloonTip(LPCWSTR lpszTitle, LPCWSTR lpszText, INT ttiIcon)
{
    EDITBALLOONTIP tip = {};
    tip.cbStruct = sizeof(tip);
    tip.pszTitle = lpszTitle;
    tip.pszText = lpszText;
    tip.ttiIcon = ttiIcon;
    return (BOOL)::SendMessageW(m_hWnd, EM_SHOWBALLOONTIP, 0, (LPARAM)&tip);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

namespace {

// The item messages of owner-drawn list and combo boxes.
template <class TControl>
BOOL HandleItemMessage(TControl* pControl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = TRUE;
    switch (message) {
    case WM_DRAWITEM:
        pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        pControl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        lResult = pControl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        break;
    case WM_DELETEITEM:
        pControl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

// The text of one item of a list or combo box, given its length (nError
// when there is no such item) and the call that copies it; empty when
// there is none.
template <class TCopyText>
void ReadItemText(int nLen, int nError, TCopyText copyText, CString& rString)
{
    rString.Empty();
    if (nLen == nError)
        return;
    std::vector<char> buffer((size_t)nLen + 1, '\0');
    int n = copyText(buffer.data());
    if (n > 0)
        rString.SetString(buffer.data(), n);
}

} // namespace

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return HandleItemMessage(this, message, lParam, pResult);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    ReadItemText(GetTextLen(nIndex), LB_ERR, [&](LPTSTR text) { return GetText(nIndex, text); }, rString);
}

int CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    DWORD dw = (DWORD)SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = (BOOL)HIWORD(dw);
    return (int)LOWORD(dw);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return HandleItemMessage(this, message, lParam, pResult);
}

BOOL CComboBox::GetComboBoxInfo(PCOMBOBOXINFO pcbi) const
{
    if (pcbi == nullptr)
        return FALSE;
    pcbi->cbSize = sizeof(COMBOBOXINFO);
    return ::GetComboBoxInfo(m_hWnd, pcbi);
}

HWND CComboBox::GetEditChild() const
{
    COMBOBOXINFO info = {};
    if (!GetComboBoxInfo(&info) || info.hwndItem == nullptr || info.hwndItem == m_hWnd)
        return nullptr;
    char szClass[8] = "";
    ::GetClassNameA(info.hwndItem, szClass, (int)sizeof(szClass));
    return ::lstrcmpiA(szClass, "Edit") == 0 ? info.hwndItem : nullptr;
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    ReadItemText(GetLBTextLen(nIndex), CB_ERR, [&](LPTSTR text) { return GetLBText(nIndex, text); }, rString);
}

// ---------------------------------------------------------------------------
// CToolTipCtrl

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    BOOL bResult = CWnd::CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, AfxSafeHwnd(pParentWnd), nullptr);
    if (bResult)
        SetOwner(pParentWnd);
    return bResult;
}

void CToolTipCtrl::FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ti = {};
    ti.cbSize = sizeof(TOOLINFOA);
    HWND hWnd = AfxSafeHwnd(pWnd);
    if (nIDTool == 0) {
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = (UINT_PTR)hWnd;
    } else {
        ti.hwnd = hWnd;
        ti.uFlags = 0;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    ti.lpszText = (LPSTR)lpszText;
    ti.uFlags |= TTF_SUBCLASS;
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOLA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = (LPSTR)lpszText;
    SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&ti);
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    LPSTR lpszText = ti.lpszText;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = lpszText;
    return (BOOL)SendMessage(TTM_GETTOOLINFOA, 0, (LPARAM)&ti);
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect)
{
    TOOLINFOA ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.rect = *lpRect;
    SendMessage(TTM_NEWTOOLRECTA, 0, (LPARAM)&ti);
}
