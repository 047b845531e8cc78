#include "framework/win/CheckListBox.h"

#include "framework/win/DC.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kCheckMargin = 2;

} // namespace

int CCheckListBox::GetCheckColumnWidth() const { return kCheckBoxSize + 2 * kCheckMargin; }

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (nIndex < 0 || size_t(nIndex) >= m_states.size())
        return;
    m_states[size_t(nIndex)].check = nCheck;
    CRect rect;
    if (m_hWnd != nullptr && GetItemRect(nIndex, rect) != LB_ERR)
        InvalidateRect(rect, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_states.size())
        return BST_UNCHECKED;
    return m_states[size_t(nIndex)].check;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    if (nIndex < 0 || size_t(nIndex) >= m_states.size())
        return;
    m_states[size_t(nIndex)].enabled = bEnabled;
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_states.size())
        return FALSE;
    return m_states[size_t(nIndex)].enabled;
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS != nullptr && lpMIS->itemHeight < UINT(kCheckBoxSize + 2))
        lpMIS->itemHeight = kCheckBoxSize + 2;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect = lpDIS->rcItem;
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const BOOL bWindowEnabled = IsWindowEnabled();

    CRect rectText = rect;
    rectText.left += GetCheckColumnWidth();
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_WINDOW));
    if (int(lpDIS->itemID) < 0 || int(lpDIS->itemID) >= GetCount()) {
        if (lpDIS->itemState & ODS_FOCUS)
            pDC->DrawFocusRect(rectText);
        return;
    }
    const int nIndex = int(lpDIS->itemID);

    CRect rectBox(rect.left + kCheckMargin, rect.top + (rect.Height() - kCheckBoxSize) / 2, 0, 0);
    rectBox.right = rectBox.left + kCheckBoxSize;
    rectBox.bottom = rectBox.top + kCheckBoxSize;
    UINT uiState = DFCS_BUTTONCHECK | DFCS_FLAT;
    const int nCheck = GetCheck(nIndex);
    if (nCheck == BST_CHECKED)
        uiState |= DFCS_CHECKED;
    else if (nCheck == BST_INDETERMINATE)
        uiState |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (!bWindowEnabled || !IsEnabled(nIndex))
        uiState |= DFCS_INACTIVE;
    ::DrawFrameControl(lpDIS->hDC, &rectBox, DFC_BUTTON, uiState);

    CString strText;
    GetText(nIndex, strText);
    pDC->FillSolidRect(rectText, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(!bWindowEnabled ? COLOR_GRAYTEXT
                                    : bSelected    ? COLOR_HIGHLIGHTTEXT
                                                   : COLOR_WINDOWTEXT));
    CRect rectLabel = rectText;
    rectLabel.left += 2;
    pDC->DrawText(strText, rectLabel, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (lpDIS->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(rectText);
}

int CCheckListBox::CheckBoxHit(CPoint point) const
{
    BOOL bOutside = TRUE;
    const int nIndex = ItemFromPoint(point, bOutside);
    if (bOutside || nIndex < 0 || nIndex >= GetCount())
        return -1;
    CRect rect;
    GetItemRect(nIndex, rect);
    if (point.x < rect.left || point.x >= rect.left + GetCheckColumnWidth())
        return -1;
    return nIndex;
}

void CCheckListBox::ToggleCheck(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount() || !IsEnabled(nIndex))
        return;
    SetCheck(nIndex, GetCheck(nIndex) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), LPARAM(m_hWnd));
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (lResult >= 0 && size_t(lResult) <= m_states.size())
            m_states.insert(m_states.begin() + lResult, ItemState());
        return lResult;
    }
    case LB_DELETESTRING: {
        const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (lResult != LB_ERR && wParam < m_states.size())
            m_states.erase(m_states.begin() + LONG_PTR(wParam));
        return lResult;
    }
    case LB_RESETCONTENT:
        m_states.clear();
        return CListBox::WindowProc(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int nHit = CheckBoxHit(CPoint(short(LOWORD(lParam)), short(HIWORD(lParam))));
        const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (nHit >= 0)
            ToggleCheck(nHit);
        return lResult;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            const int nCaret = int(SendMessage(LB_GETCARETINDEX));
            ToggleCheck(nCaret);
            return 0;
        }
        break;
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}
