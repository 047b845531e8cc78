#include "ui/commandbars/ZUDPToolbarComboBoxButton.h"

#include "framework/Archive.h"
#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPComboEdit.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/controls/ZUDPComboBox.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <algorithm>
#include <mbstring.h>

IMPLEMENT_SERIAL(CZUDPToolbarComboBoxButton, CZUDPToolbarButton, 1)

// One option: the flat look is also what makes the combo keys (Tab,
// Escape, Up, Down) the flat edit's business.
BOOL& g_flatComboButtons = g_toolbarComboKeysFlag;
BOOL g_centerComboButtons = FALSE;

namespace {

// The first library version whose combo archive carries the context-menu
// id.
const int kComboContextMenuVersion = 0x6040F;

const DWORD kComboWindowStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL;

// Whether a combo archive being read carries the context-menu id.  Every
// archive this library writes does; only state stored by an older library
// lacks it, and that is known while the workspace loads it.  A process
// that has loaded no state reads the current format.
BOOL ComboArchiveHasContextMenu()
{
    if (g_menuHash.IsSerializing())
        return TRUE;
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    const int nVersion = pWorkspace != nullptr ? pWorkspace->GetStoredStateVersion() : -1;
    return nVersion < 0 || nVersion > kComboContextMenuVersion;
}

int ComboKind(DWORD dwStyle) { return int(dwStyle & 3); }

BOOL IsLiveWindow(const CWnd* pWnd) { return pWnd != nullptr && ::IsWindow(pWnd->GetSafeHwnd()); }

} // namespace

BOOL CZUDPToolbarComboBoxButton::IsFlatLook() { return g_flatComboButtons; }

CZUDPToolbarComboBoxButton::CZUDPToolbarComboBoxButton() { Initialize(); }

CZUDPToolbarComboBoxButton::CZUDPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int nWidth)
    : CZUDPToolbarButton(uiID, iImage)
{
    comboStyle = dwStyle | kComboWindowStyle;
    width = nWidth == 0 ? 150 : nWidth;
    Initialize();
}

void CZUDPToolbarComboBoxButton::Initialize()
{
    selIndex = -1;
    comboWnd = nullptr;
    editWnd = nullptr;
    horizontal = TRUE;
    comboRect.SetRectEmpty();
    dropButtonRect.SetRectEmpty();
    dropDownHeight = 150;
    hotEdit = FALSE;
    contextMenuId = 0;
}

CZUDPToolbarComboBoxButton::~CZUDPToolbarComboBoxButton()
{
    DestroyWindows();
    ReleaseItemData();
}

void CZUDPToolbarComboBoxButton::DestroyWindows()
{
    if (comboWnd != nullptr) {
        comboWnd->DestroyWindow();
        delete comboWnd;
        comboWnd = nullptr;
    }
    if (editWnd != nullptr) {
        editWnd->DestroyWindow();
        delete editWnd;
        editWnd = nullptr;
    }
}

// ---------------------------------------------------------------------------
// The item model

int CZUDPToolbarComboBoxButton::FindItem(LPCTSTR lpszText) const
{
    if (lpszText == nullptr)
        AfxThrowInvalidArgException();
    int iIndex = 0;
    for (POSITION pos = itemTexts.GetHeadPosition(); pos != nullptr; iIndex++) {
        const CString& strItem = itemTexts.GetNext(pos);
        if (_mbsicmp(reinterpret_cast<const unsigned char*>((LPCSTR)strItem),
                     reinterpret_cast<const unsigned char*>(lpszText)) == 0)
            return iIndex;
    }
    return -1;
}

LPCTSTR CZUDPToolbarComboBoxButton::GetItemText(int iIndex) const
{
    if (iIndex == -1)
        iIndex = IsLiveWindow(comboWnd) ? comboWnd->GetCurSel() : selIndex;
    if (iIndex < 0 || iIndex >= GetCount())
        return nullptr;
    POSITION pos = itemTexts.FindIndex(iIndex);
    return pos != nullptr ? (LPCTSTR)itemTexts.GetAt(pos) : nullptr;
}

DWORD_PTR CZUDPToolbarComboBoxButton::GetItemData(int iIndex) const
{
    if (iIndex == -1)
        iIndex = IsLiveWindow(comboWnd) ? comboWnd->GetCurSel() : selIndex;
    if (iIndex < 0)
        return 0;
    if (IsLiveWindow(comboWnd)) {
        if (iIndex >= comboWnd->GetCount())
            return 0;
        return comboWnd->GetItemData(iIndex);
    }
    POSITION pos = itemData.FindIndex(iIndex);
    return pos != nullptr ? itemData.GetAt(pos) : 0;
}

void CZUDPToolbarComboBoxButton::SetText(LPCTSTR lpszText)
{
    editText = lpszText != nullptr ? lpszText : "";
    if (IsLiveWindow(comboWnd))
        comboWnd->SetWindowText(editText);
    if (IsLiveWindow(editWnd))
        editWnd->SetWindowText(editText);
}

int CZUDPToolbarComboBoxButton::AddItem(LPCTSTR lpszItem, DWORD_PTR dwData)
{
    if (lpszItem == nullptr)
        return -1;
    if (editText.IsEmpty()) {
        editText = lpszItem;
        if (IsLiveWindow(editWnd))
            editWnd->SetWindowText(editText);
    }
    if (FindItem(lpszItem) < 0) {
        DropSortedLookup();
        itemTexts.AddTail(lpszItem);
        itemData.AddTail(dwData);
    }
    if (IsLiveWindow(comboWnd)) {
        int iIndex = comboWnd->FindStringExact(-1, lpszItem);
        if (iIndex == CB_ERR)
            iIndex = comboWnd->AddString(lpszItem);
        comboWnd->SetCurSel(iIndex);
        comboWnd->SetItemData(iIndex, dwData);
        comboWnd->SetEditSel(-1, 0);
    }
    return GetCount() - 1;
}

int CZUDPToolbarComboBoxButton::AddSortedItem(LPCTSTR lpszItem, DWORD_PTR dwData)
{
    if (lpszItem == nullptr)
        return -1;
    if (editText.IsEmpty()) {
        editText = lpszItem;
        if (IsLiveWindow(editWnd))
            editWnd->SetWindowText(editText);
    }
    if (!SortedLookupMatches())
        BuildSortedLookup();
    const auto text = [this](POSITION pos) {
        return reinterpret_cast<const unsigned char*>((LPCSTR)itemTexts.GetAt(pos));
    };
    const unsigned char* pszItem = reinterpret_cast<const unsigned char*>(lpszItem);
    const auto folded = std::lower_bound(lookupFolded.begin(), lookupFolded.end(), pszItem,
                                         [&](POSITION pos, const unsigned char* psz) {
                                             return _mbsicmp(text(pos), psz) < 0;
                                         });
    int iInserted = -1;
    if (folded == lookupFolded.end() || _mbsicmp(text(*folded), pszItem) != 0) {
        const CString strItem(lpszItem);
        // Before the first item that sorts after the new one.  In a list
        // kept in order that is a binary search; a list with unsorted items
        // (AddItem appends) is walked from its head.
        size_t nIndex = lookupTexts.size();
        if (lookupInOrder) {
            nIndex = size_t(std::partition_point(lookupTexts.begin(), lookupTexts.end(),
                                                 [&](POSITION pos) {
                                                     return CompareItems(strItem, itemTexts.GetAt(pos)) >= 0;
                                                 }) -
                            lookupTexts.begin());
        } else {
            for (size_t i = 0; i < lookupTexts.size(); i++) {
                if (CompareItems(strItem, itemTexts.GetAt(lookupTexts[i])) < 0) {
                    nIndex = i;
                    break;
                }
            }
        }
        POSITION posText = nullptr;
        POSITION posData = nullptr;
        if (nIndex < lookupTexts.size()) {
            posText = itemTexts.InsertBefore(lookupTexts[nIndex], strItem);
            posData = itemData.InsertBefore(lookupData[nIndex], dwData);
            iInserted = int(nIndex);
        } else {
            posText = itemTexts.AddTail(strItem);
            posData = itemData.AddTail(dwData);
        }
        lookupTexts.insert(lookupTexts.begin() + ptrdiff_t(nIndex), posText);
        lookupData.insert(lookupData.begin() + ptrdiff_t(nIndex), posData);
        lookupFolded.insert(folded, posText);
    }
    if (IsLiveWindow(comboWnd)) {
        int iIndex = comboWnd->FindStringExact(-1, lpszItem);
        if (iIndex == CB_ERR)
            iIndex = iInserted >= 0 ? comboWnd->InsertString(iInserted, lpszItem) : comboWnd->AddString(lpszItem);
        comboWnd->SetCurSel(iIndex);
        comboWnd->SetItemData(iIndex, dwData);
        comboWnd->SetEditSel(-1, 0);
    }
    return iInserted >= 0 ? iInserted : GetCount() - 1;
}

void CZUDPToolbarComboBoxButton::DropSortedLookup()
{
    lookupValid = FALSE;
    lookupTexts.clear();
    lookupData.clear();
    lookupFolded.clear();
}

BOOL CZUDPToolbarComboBoxButton::SortedLookupMatches() const
{
    // A derived button may change the lists without dropping the lookup:
    // the ends and the length must still agree.
    if (!lookupValid || lookupTexts.size() != size_t(itemTexts.GetCount()) ||
        lookupData.size() != size_t(itemData.GetCount()))
        return FALSE;
    if (lookupTexts.empty())
        return TRUE;
    return lookupTexts.front() == itemTexts.GetHeadPosition() && lookupTexts.back() == itemTexts.GetTailPosition() &&
           lookupData.front() == itemData.GetHeadPosition() && lookupData.back() == itemData.GetTailPosition();
}

void CZUDPToolbarComboBoxButton::BuildSortedLookup()
{
    DropSortedLookup();
    // Keep the two lists the same length, as the model requires.
    while (itemData.GetCount() < itemTexts.GetCount())
        itemData.AddTail(DWORD_PTR(0));
    while (itemData.GetCount() > itemTexts.GetCount())
        itemData.RemoveTail();
    lookupTexts.reserve(size_t(itemTexts.GetCount()));
    lookupData.reserve(size_t(itemData.GetCount()));
    for (POSITION pos = itemTexts.GetHeadPosition(); pos != nullptr; itemTexts.GetNext(pos))
        lookupTexts.push_back(pos);
    for (POSITION pos = itemData.GetHeadPosition(); pos != nullptr; itemData.GetNext(pos))
        lookupData.push_back(pos);
    lookupInOrder = TRUE;
    for (size_t i = 1; i < lookupTexts.size() && lookupInOrder; i++)
        lookupInOrder = CompareItems(itemTexts.GetAt(lookupTexts[i - 1]), itemTexts.GetAt(lookupTexts[i])) <= 0;
    lookupFolded = lookupTexts;
    std::stable_sort(lookupFolded.begin(), lookupFolded.end(), [this](POSITION pos1, POSITION pos2) {
        return _mbsicmp(reinterpret_cast<const unsigned char*>((LPCSTR)itemTexts.GetAt(pos1)),
                        reinterpret_cast<const unsigned char*>((LPCSTR)itemTexts.GetAt(pos2))) < 0;
    });
    lookupValid = TRUE;
}

int CZUDPToolbarComboBoxButton::CompareItems(const CString& strItem1, const CString& strItem2) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>((LPCSTR)strItem1),
                   reinterpret_cast<const unsigned char*>((LPCSTR)strItem2));
}

void CZUDPToolbarComboBoxButton::RemoveAllItems()
{
    DropSortedLookup();
    itemTexts.RemoveAll();
    ReleaseItemData();
    itemData.RemoveAll();
    selIndex = -1;
    editText.Empty();
    if (IsLiveWindow(comboWnd))
        comboWnd->ResetContent();
    if (IsLiveWindow(editWnd))
        editWnd->SetWindowText("");
}

BOOL CZUDPToolbarComboBoxButton::SelectItem(int iIndex, BOOL bNotify)
{
    if (iIndex >= GetCount())
        return FALSE;
    selIndex = std::max(iIndex, -1);
    if (!IsLiveWindow(comboWnd))
        return TRUE;
    if (selIndex >= 0)
        comboWnd->GetLBText(selIndex, editText);
    else
        editText.Empty();
    if (IsLiveWindow(editWnd)) {
        CString strShown;
        editWnd->GetWindowText(strShown);
        if (strShown != editText)
            editWnd->SetWindowText(editText);
    }
    if (selIndex == comboWnd->GetCurSel())
        return TRUE;
    if (comboWnd->SetCurSel(selIndex) == CB_ERR)
        return FALSE;
    if (bNotify)
        NotifyControlEvent(CBN_SELENDOK);
    return TRUE;
}

BOOL CZUDPToolbarComboBoxButton::SelectItem(LPCTSTR lpszText)
{
    if (lpszText == nullptr)
        return FALSE;
    const int iIndex = FindItem(lpszText);
    return iIndex >= 0 && SelectItem(iIndex);
}

void CZUDPToolbarComboBoxButton::SetHotEdit(BOOL bHot)
{
    if (hotEdit == bHot)
        return;
    hotEdit = bHot;
    InvalidateComboRect(TRUE);
}

void CZUDPToolbarComboBoxButton::InvalidateComboRect(BOOL bUpdateNow)
{
    if (!IsLiveWindow(comboWnd))
        return;
    CWnd* pParent = comboWnd->GetParent();
    if (pParent == nullptr)
        return;
    pParent->InvalidateRect(&comboRect, TRUE);
    if (bUpdateNow)
        pParent->UpdateWindow();
}

template <typename Fn> void CZUDPToolbarComboBoxButton::ForOtherCopies(Fn fn)
{
    CObList listButtons;
    CZUDPToolBar::CollectCommandButtons(commandId, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = listButtons.GetNext(pos);
        if (pObject == this)
            continue;
        if (auto* pCombo = DYNAMIC_DOWNCAST(CZUDPToolbarComboBoxButton, pObject))
            fn(*pCombo);
    }
}

// ---------------------------------------------------------------------------
// Windows

BOOL CZUDPToolbarComboBoxButton::IsControlDisabled() const
{
    return g_customizeMode ? !IsCustomizable() : (style & TBBS_DISABLED) != 0;
}

CComboBox* CZUDPToolbarComboBoxButton::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    CZUDPComboBox* pCombo = new CZUDPComboBox;
    if (!pCombo->Create(comboStyle, rect, pWndParent, commandId)) {
        delete pCombo;
        return nullptr;
    }
    return pCombo;
}

CEdit* CZUDPToolbarComboBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect, DWORD dwEditStyle)
{
    CZUDPComboEdit* pEdit = new CZUDPComboEdit(*this);
    if (!pEdit->Create(dwEditStyle, rect, pWndParent, commandId)) {
        delete pEdit;
        return nullptr;
    }
    return pEdit;
}

void CZUDPToolbarComboBoxButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarButton::OnParentChanged(pWndParent);
    if (comboWnd != nullptr) {
        if (IsLiveWindow(comboWnd) && pWndParent != nullptr &&
            ::GetParent(comboWnd->GetSafeHwnd()) == pWndParent->GetSafeHwnd())
            return;
        DestroyWindows();
    }
    if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr)
        return;

    const BOOL bDisabled = IsControlDisabled();
    CRect rectCombo = rect;
    rectCombo.left += 2;
    rectCombo.right -= 2;
    rectCombo.bottom = rectCombo.top + dropDownHeight;
    comboWnd = CreateCombo(pWndParent, rectCombo);
    if (comboWnd == nullptr)
        return;
    comboWnd->EnableWindow(!bDisabled);
    comboWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    HFONT hFont = (HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle();
    if (IsFlatLook() && ComboKind(comboStyle) == CBS_DROPDOWN) {
        DWORD dwEditStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_WANTRETURN;
        if (comboStyle & WS_TABSTOP)
            dwEditStyle |= WS_TABSTOP;
        editWnd = CreateEdit(pWndParent, rectCombo, dwEditStyle);
        if (editWnd != nullptr) {
            editWnd->SendMessage(WM_SETFONT, (WPARAM)hFont, TRUE);
            if (CWnd* pBar = comboWnd->GetParent())
                editWnd->SetOwner(pBar->GetOwner());
            editWnd->EnableWindow(!bDisabled);
            editWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
    }

    AdjustRect();
    comboWnd->SendMessage(WM_SETFONT, (WPARAM)hFont, TRUE);

    if (comboWnd->GetCount() > 0) {
        // A derived combo filled its window itself: the window is the model.
        ReadModelFromWindow();
        selIndex = comboWnd->GetCurSel();
    } else {
        comboWnd->ResetContent();
        POSITION posData = itemData.GetHeadPosition();
        for (POSITION pos = itemTexts.GetHeadPosition(); pos != nullptr;) {
            const int iIndex = comboWnd->AddString(itemTexts.GetNext(pos));
            const DWORD_PTR dwData = posData != nullptr ? itemData.GetNext(posData) : 0;
            if (iIndex >= 0)
                comboWnd->SetItemData(iIndex, dwData);
        }
        if (selIndex != -1)
            comboWnd->SetCurSel(selIndex);
    }
    if (selIndex != -1 && selIndex < comboWnd->GetCount()) {
        comboWnd->GetLBText(selIndex, editText);
        comboWnd->SetWindowText(editText);
        if (editWnd != nullptr)
            editWnd->SetWindowText(editText);
    }
}

void CZUDPToolbarComboBoxButton::ReadModelFromWindow()
{
    if (!IsLiveWindow(comboWnd))
        return;
    DropSortedLookup();
    itemTexts.RemoveAll();
    ReleaseItemData();
    itemData.RemoveAll();
    const int nCount = comboWnd->GetCount();
    for (int i = 0; i < nCount; i++) {
        CString strItem;
        comboWnd->GetLBText(i, strItem);
        itemTexts.AddTail(strItem);
        itemData.AddTail(comboWnd->GetItemData(i));
    }
}

void CZUDPToolbarComboBoxButton::AdjustRect()
{
    if (!IsLiveWindow(comboWnd) || rect.IsRectEmpty() || !horizontal) {
        comboRect.SetRectEmpty();
        dropButtonRect.SetRectEmpty();
        return;
    }
    if (g_centerComboButtons && !HasTextLabel()) {
        CZUDPToolBar* pBar = nullptr;
        for (CWnd* pWnd = comboWnd->GetParent(); pWnd != nullptr && pBar == nullptr; pWnd = pWnd->GetParent())
            pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pWnd);
        if (pBar != nullptr) {
            const int dy = std::max(0, int(rect.top - rect.bottom + pBar->GetRowHeight()) / 2);
            dropButtonRect.OffsetRect(0, dy);
            comboRect.OffsetRect(0, dy);
            rect.OffsetRect(0, dy);
        }
    }
    comboWnd->SetWindowPos(nullptr, rect.left + 1, rect.top, rect.Width() - 2, dropDownHeight,
                           SWP_NOZORDER | SWP_NOACTIVATE);
    comboWnd->SetEditSel(-1, 0);

    CRect rectWindow;
    comboWnd->GetWindowRect(&rectWindow);
    comboWnd->ScreenToClient(&rectWindow);
    comboWnd->MapWindowPoints(comboWnd->GetParent(), &rectWindow);
    comboRect = rectWindow;

    if (!IsFlatLook()) {
        dropButtonRect.SetRectEmpty();
        return;
    }
    dropButtonRect = comboRect;
    dropButtonRect.left = dropButtonRect.right - 2 * GetMenuGlyphSize().cx;
    dropButtonRect.DeflateRect(2, 2);
    rect.left = comboRect.left - 1;
    rect.right = comboRect.right + 1;
    if (!HasTextLabel()) {
        rect.top = comboRect.top;
        rect.bottom = comboRect.bottom;
    }
    if (IsLiveWindow(editWnd))
        editWnd->SetWindowPos(nullptr, rect.left + 4, rect.top + 3, rect.Width() - dropButtonRect.Width() - 8,
                              comboRect.Height() - 6, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZUDPToolbarComboBoxButton::RepositionControl()
{
    if (comboWnd != nullptr)
        AdjustRect();
}

void CZUDPToolbarComboBoxButton::SetWidth(int nWidth)
{
    width = nWidth;
    rect.right = rect.left + nWidth;
    if (comboWnd != nullptr)
        AdjustRect();
}

HWND CZUDPToolbarComboBoxButton::GetControlHwnd() const { return comboWnd != nullptr ? comboWnd->GetSafeHwnd() : nullptr; }

void CZUDPToolbarComboBoxButton::ShowControl(BOOL bShow)
{
    if (IsLiveWindow(comboWnd)) {
        if (bShow && horizontal) {
            RepositionControl();
            comboWnd->ShowWindow(IsFlatLook() ? SW_HIDE : SW_SHOWNOACTIVATE);
        } else {
            comboWnd->ShowWindow(SW_HIDE);
        }
    }
    if (IsLiveWindow(editWnd))
        editWnd->ShowWindow(bShow && horizontal ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CZUDPToolbarComboBoxButton::SetStyle(UINT nStyle)
{
    style = nStyle;
    const BOOL bDisabled = IsControlDisabled();
    for (CWnd* pWnd : {static_cast<CWnd*>(comboWnd), static_cast<CWnd*>(editWnd)}) {
        if (IsLiveWindow(pWnd)) {
            pWnd->EnableWindow(!bDisabled);
            pWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
    }
}

void CZUDPToolbarComboBoxButton::EnableControl(BOOL bEnable)
{
    if (IsLiveWindow(comboWnd))
        comboWnd->EnableWindow(bEnable);
    if (IsLiveWindow(editWnd))
        editWnd->EnableWindow(bEnable);
}

BOOL CZUDPToolbarComboBoxButton::IsControlVisible() const
{
    for (const CWnd* pWnd : {static_cast<const CWnd*>(comboWnd), static_cast<const CWnd*>(editWnd)})
        if (IsLiveWindow(pWnd) && (pWnd->GetStyle() & WS_VISIBLE))
            return TRUE;
    return FALSE;
}

BOOL CZUDPToolbarComboBoxButton::OwnsWindow(HWND hWnd) const
{
    if (hWnd == nullptr)
        return FALSE;
    for (const CWnd* pWnd : {static_cast<const CWnd*>(comboWnd), static_cast<const CWnd*>(editWnd)}) {
        if (!IsLiveWindow(pWnd))
            continue;
        if (hWnd == pWnd->GetSafeHwnd() || ::IsChild(pWnd->GetSafeHwnd(), hWnd))
            return TRUE;
    }
    return FALSE;
}

BOOL CZUDPToolbarComboBoxButton::HasFocus() const
{
    if (!IsLiveWindow(comboWnd))
        return FALSE;
    return comboWnd->GetDroppedState() || OwnsWindow(::GetFocus());
}

void CZUDPToolbarComboBoxButton::UpdateFont()
{
    HFONT hFont = (HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle();
    if (IsLiveWindow(editWnd))
        editWnd->SendMessage(WM_SETFONT, (WPARAM)hFont, TRUE);
    if (IsLiveWindow(comboWnd))
        comboWnd->SendMessage(WM_SETFONT, (WPARAM)hFont, TRUE);
}

LRESULT CZUDPToolbarComboBoxButton::SetOnGlass(BOOL bOnGlass)
{
    const LRESULT lResult = CZUDPToolbarButton::SetOnGlass(bOnGlass);
    if (IsLiveWindow(editWnd) && editWnd->IsKindOf(RUNTIME_CLASS(CZUDPEdit)))
        editWnd->SendMessage(ZUDM_ONSETCONTROLAERO, (WPARAM)bOnGlass);
    return lResult;
}

// ---------------------------------------------------------------------------
// Size and drawing

SIZE CZUDPToolbarComboBoxButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    horizontal = bHorz;
    textBelowWidth = textBelowHeight = 0;
    const BOOL bFlat = IsFlatLook();
    auto hide = [](CWnd* pWnd) {
        if (IsLiveWindow(pWnd) && (pWnd->GetStyle() & WS_VISIBLE))
            pWnd->ShowWindow(SW_HIDE);
    };
    if (!visible) {
        if (bFlat)
            hide(editWnd);
        hide(comboWnd);
        return CSize(0, 0);
    }
    if (bFlat)
        hide(comboWnd);
    if (!bHorz) {
        hide(comboWnd);
        hide(editWnd);
        return CZUDPToolbarButton::CalcSize(pDC, sizeDefault, bHorz);
    }
    if (!bFlat && IsLiveWindow(comboWnd) && !overflowHidden)
        comboWnd->ShowWindow(SW_SHOWNOACTIVATE);
    if (HasTextLabel() && pDC != nullptr) {
        CRect rectText(0, 0, width, sizeDefault.cy);
        pDC->DrawText(text, &rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        textBelowWidth = rectText.Width();
        textBelowHeight = rectText.Height();
    }
    int nHeight = sizeDefault.cy;
    if (IsLiveWindow(comboWnd)) {
        CRect rectWindow;
        comboWnd->GetWindowRect(&rectWindow);
        nHeight = rectWindow.Height();
    }
    if (!overflowHidden && IsLiveWindow(editWnd) && IsLiveWindow(comboWnd) &&
        (comboWnd->GetStyle() & WS_VISIBLE) == 0)
        editWnd->ShowWindow(SW_SHOWNOACTIVATE);
    return CSize(width, nHeight + textBelowHeight);
}

void CZUDPToolbarComboBoxButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages* pImages,
                                            BOOL bHorz, BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                            BOOL bGrayDisabledButtons)
{
    if (!IsLiveWindow(comboWnd) || !bHorz) {
        CZUDPToolbarButton::DrawButton(pDC, rectButton, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                       bGrayDisabledButtons);
        return;
    }
    const BOOL bDisabled = bCustomizeMode ? !IsCustomizable() : (style & TBBS_DISABLED) != 0;
    if (bDisabled)
        pDC->SetTextColor(g_uiEnvironment.m_colorGrayText);
    else if (bHighlight)
        pDC->SetTextColor(CZUDPToolBar::GetDefaultTextColor());
    else
        pDC->SetTextColor(g_uiEnvironment.m_colorBarText);

    BOOL bHighlightShown = bHighlight;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    if (IsFlatLook()) {
        bHighlightShown = hotEdit ? TRUE : bHighlight;
        const BOOL bDropped = comboWnd->GetDroppedState();
        pManager->DrawComboBorder(pDC, comboRect, bDisabled, bDropped, bHighlightShown, this);

        CRect rectEdit = comboRect;
        rectEdit.DeflateRect(2, 2);
        const COLORREF clrSaved = pDC->GetTextColor();
        pManager->FillComboEditArea(pDC, rectEdit, bDisabled, bDropped, bHighlightShown, this);

        CRect rectDrop = dropButtonRect;
        if (g_uiEnvironment.m_whiteOnBlack)
            rectDrop.DeflateRect(1, 1);
        if (rectDrop.left > rectEdit.left + 1)
            pManager->DrawComboDropButton(pDC, rectDrop, bDisabled, bDropped, bHighlightShown, this);
        pDC->SetTextColor(clrSaved);

        if (!editText.IsEmpty() && editWnd == nullptr) {
            CRect rectText = rectEdit;
            rectText.right = dropButtonRect.left;
            rectText.DeflateRect(2, 2);
            if (comboStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
                const int iSel = comboWnd->GetCurSel();
                DRAWITEMSTRUCT dis = {};
                dis.CtlType = ODT_COMBOBOX;
                dis.CtlID = commandId;
                dis.itemID = (UINT)iSel;
                dis.itemAction = ODA_DRAWENTIRE;
                dis.itemState = ODS_COMBOBOXEDIT | (bDisabled ? ODS_DISABLED : 0);
                dis.hwndItem = comboWnd->GetSafeHwnd();
                dis.hDC = pDC->GetSafeHdc();
                dis.rcItem = rectText;
                dis.itemData = iSel >= 0 ? comboWnd->GetItemData(iSel) : 0;
                comboWnd->DrawItem(&dis);
            } else {
                DrawButtonText(pDC, editText, rectText, DT_SINGLELINE | DT_VCENTER,
                               g_uiEnvironment.m_colorWindowText, 0);
            }
        }
        pDC->SetTextColor(clrSaved);
    }

    if (HasTextLabel()) {
        const int nState = bHighlightShown ? ZUDP_BUTTON_HIGHLIGHTED
                           : (style & (TBBS_CHECKED | TBBS_PRESSED)) ? ZUDP_BUTTON_PUSHED
                                                                      : ZUDP_BUTTON_NORMAL;
        const COLORREF clrOld = pDC->SetTextColor(pManager->GetToolbarButtonTextColor(this, nState));
        CRect rectLabel = rectButton;
        rectLabel.top = (comboRect.bottom - textBelowHeight + rectButton.bottom) / 2;
        pDC->DrawText(text, &rectLabel, DT_CENTER | DT_WORDBREAK);
        pDC->SetTextColor(clrOld);
    }
}

int CZUDPToolbarComboBoxButton::DrawInCommandList(CDC* pDC, const CRect& rectRow, BOOL bSelected)
{
    const int nUsed = CZUDPToolbarButton::DrawInCommandList(pDC, rectRow, bSelected);
    CRect rectSketch = rectRow;
    rectSketch.left = rectRow.right - std::max(20, rectRow.Width() - nUsed - 10);
    rectSketch.DeflateRect(1, 1);
    pDC->FillRect(&rectSketch, &g_uiEnvironment.m_brushWindow);
    pDC->Draw3dRect(&rectSketch, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
    CRect rectDrop = rectSketch;
    rectDrop.left = rectDrop.right - rectDrop.Height() + 2;
    rectDrop.DeflateRect(1, 1);
    CZUDPVisualManager::GetActiveManager()->DrawComboDropButton(pDC, rectDrop, FALSE, FALSE, FALSE, this);
    return rectRow.Width();
}

HBRUSH CZUDPToolbarComboBoxButton::GetCtlColorBrush(CDC* pDC, UINT nCtlColor)
{
    (void)nCtlColor;
    COLORREF clrText = g_uiEnvironment.m_colorWindowText;
    COLORREF clrBack = g_uiEnvironment.m_colorWindow;
    CBrush& brush = CZUDPVisualManager::GetActiveManager()->GetEditBoxColors(this, clrText, clrBack);
    pDC->SetTextColor(clrText);
    pDC->SetBkColor(clrBack);
    return (HBRUSH)brush.GetSafeHandle();
}

// ---------------------------------------------------------------------------
// Input and notifications

BOOL CZUDPToolbarComboBoxButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    (void)bDelay;
    if (!IsLiveWindow(comboWnd) || !horizontal)
        return FALSE;
    if (!IsFlatLook())
        return TRUE;
    if (IsLiveWindow(editWnd))
        editWnd->SetFocus();
    else
        comboWnd->SetFocus();
    comboWnd->ShowDropDown(TRUE);
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->InvalidateRect(&rect);
    return TRUE;
}

BOOL CZUDPToolbarComboBoxButton::NotifyControlEvent(int nEvent)
{
    if (!IsLiveWindow(comboWnd))
        return FALSE;
    if (IsFlatLook()) {
        // Enter in the flat edit: the command passes to the owner.
        if (nEvent == 0)
            return TRUE;
        InvalidateComboRect(TRUE);
    }
    switch (nEvent) {
    case CBN_SELCHANGE:
        if (IsLiveWindow(editWnd)) {
            const int iSel = comboWnd->GetCurSel();
            CString strItem;
            if (iSel >= 0)
                comboWnd->GetLBText(iSel, strItem);
            editWnd->SetWindowText(strItem);
        }
        return TRUE;
    case CBN_SETFOCUS:
        if (IsLiveWindow(editWnd))
            editWnd->SetFocus();
        return TRUE;
    case CBN_KILLFOCUS:
    case CBN_EDITUPDATE:
        return TRUE;
    case CBN_EDITCHANGE: {
        comboWnd->GetWindowText(editText);
        if (IsLiveWindow(editWnd)) {
            CString strTyped;
            editWnd->GetWindowText(strTyped);
            const int iStart = comboWnd->GetCurSel();
            int iFound = comboWnd->FindStringExact(iStart, strTyped);
            if (iFound == CB_ERR)
                iFound = comboWnd->FindString(iStart, strTyped);
            if (iFound != CB_ERR)
                comboWnd->SetCurSel(iFound);
            comboWnd->SetWindowText(strTyped);
            editText = strTyped;
        }
        const CString strText = editText;
        ForOtherCopies([&strText](CZUDPToolbarComboBoxButton& other) {
            if (IsLiveWindow(other.comboWnd))
                other.comboWnd->SetWindowText(strText);
            other.editText = strText;
            if (IsLiveWindow(other.editWnd)) {
                CString strShown;
                other.editWnd->GetWindowText(strShown);
                if (strShown != strText)
                    other.editWnd->SetWindowText(strText);
            }
        });
        return TRUE;
    }
    case CBN_SELENDOK: {
        selIndex = comboWnd->GetCurSel();
        if (selIndex < 0)
            return FALSE;
        comboWnd->GetLBText(selIndex, editText);
        if (IsLiveWindow(editWnd))
            editWnd->SetWindowText(editText);
        const int iSel = selIndex;
        ForOtherCopies([iSel](CZUDPToolbarComboBoxButton& other) {
            other.SelectItem(iSel, FALSE);
            other.InvalidateComboRect(TRUE);
        });
        if (IsLiveWindow(editWnd))
            editWnd->SetFocus();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CZUDPToolbarComboBoxButton::SyncWithOtherCopies()
{
    CObList listButtons;
    if (CZUDPToolBar::CollectCommandButtons(commandId, listButtons) == 0)
        return;
    CObject* pFirst = listButtons.GetHead();
    if (pFirst != this && pFirst->IsKindOf(RUNTIME_CLASS(CZUDPToolbarButton)))
        CopyFrom(*static_cast<CZUDPToolbarButton*>(pFirst));
}

BOOL CZUDPToolbarComboBoxButton::UpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip,
                                               CString& strTipText)
{
    if (!horizontal || !g_showTooltips)
        return FALSE;
    CString strTip;
    if (!GetCustomToolTipText(strTip))
        strTip = strTipText;
    if (IsFlatLook()) {
        if (ComboKind(comboStyle) == CBS_DROPDOWN && IsLiveWindow(editWnd))
            wndToolTip.AddTool(editWnd, strTip, nullptr, 0);
        else if (pWndParent != nullptr)
            wndToolTip.AddTool(pWndParent, strTip, &rect, UINT_PTR(iButtonIndex) + 1);
    } else if (IsLiveWindow(comboWnd)) {
        wndToolTip.AddTool(comboWnd, strTip, nullptr, 0);
    }
    return TRUE;
}

BOOL CZUDPToolbarComboBoxButton::FillAccessibilityData(CWnd* pWndBar, CZUDPAccessibleInfo& data)
{
    if (!CZUDPToolbarButton::FillAccessibilityData(pWndBar, data))
        return FALSE;
    data.m_nRole = ComboKind(comboStyle) == CBS_DROPDOWNLIST ? ROLE_SYSTEM_DROPLIST : ROLE_SYSTEM_COMBOBOX;
    data.m_nState = STATE_SYSTEM_FOCUSABLE;
    if (HasFocus())
        data.m_nState |= STATE_SYSTEM_FOCUSED;
    data.m_strDefaultAction = "Open";
    data.m_strValue = editText;
    return TRUE;
}

BOOL CZUDPToolbarComboBoxButton::TakeTextFromCommandString(CZUDPToolbarMenuButton* pMenuItem)
{
    if (pMenuItem == nullptr)
        return TRUE;
    CString strCommand;
    if (commandId != 0 && strCommand.LoadString(commandId)) {
        const int nBreak = strCommand.Find('\n');
        if (nBreak >= 0)
            pMenuItem->text = strCommand.Mid(nBreak + 1);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Copies and archive

void CZUDPToolbarComboBoxButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarButton::CopyFrom(src);
    const auto* pSrc = DYNAMIC_DOWNCAST(CZUDPToolbarComboBoxButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr || pSrc == this)
        return;
    DropSortedLookup();
    itemTexts.RemoveAll();
    itemTexts.AddTail(&pSrc->itemTexts);
    ReleaseItemData();
    itemData.RemoveAll();
    for (POSITION pos = pSrc->itemData.GetHeadPosition(); pos != nullptr;)
        itemData.AddTail(pSrc->itemData.GetNext(pos));
    CopyItemData();
    comboStyle = pSrc->comboStyle;
    width = pSrc->width;
    selIndex = pSrc->selIndex;
    dropDownHeight = pSrc->dropDownHeight;
    contextMenuId = pSrc->contextMenuId;
}

void CZUDPToolbarComboBoxButton::Serialize(CArchive& ar)
{
    CZUDPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        // What the user added to the window is part of the state.
        if (IsLiveWindow(comboWnd))
            ReadModelFromWindow();
        ar << width << comboStyle << selIndex << editText << dropDownHeight;
        // Always the current format, whatever state was loaded before.
        ar << contextMenuId;
        itemTexts.Serialize(ar);
        for (POSITION pos = itemData.GetHeadPosition(); pos != nullptr;)
            ar << (DWORD)itemData.GetNext(pos);
        return;
    }
    ar >> width >> comboStyle >> selIndex >> editText >> dropDownHeight;
    rect.right = rect.left + width;
    if (ComboArchiveHasContextMenu())
        ar >> contextMenuId;
    DropSortedLookup();
    itemTexts.Serialize(ar);
    ReleaseItemData();
    itemData.RemoveAll();
    for (INT_PTR i = 0; i < itemTexts.GetCount(); i++) {
        DWORD dwData = 0;
        ar >> dwData;
        itemData.AddTail(dwData);
    }
    CopyItemData();
    // A stored selection past the items selects nothing.
    if (!SelectItem(selIndex))
        selIndex = -1;
}
