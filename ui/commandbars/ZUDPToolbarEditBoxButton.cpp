#include "ui/commandbars/ZUDPToolbarEditBoxButton.h"

#include "framework/Archive.h"
#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPComboEdit.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZUDPToolbarEditBoxButton, CZUDPToolbarButton, 1)

BOOL g_flatEditBoxButtons = TRUE;

BEGIN_MESSAGE_MAP(CZUDPToolbarEditCtrl, CZUDPEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_CONTEXTMENU()
    ON_MESSAGE(WM_MOUSELEAVE, &CZUDPToolbarEditCtrl::OnMouseLeave)
    ON_CONTROL_REFLECT_EX(EN_UPDATE, &CZUDPToolbarEditCtrl::OnTextNotification)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, &CZUDPToolbarEditCtrl::OnTextNotification)
END_MESSAGE_MAP()

namespace {

// The first library versions whose edit-box archive carries the
// context-menu id and the calculator flag, and a version known to lack
// both.
const int kEditContextMenuVersion = 0x6040F;
const int kEditCalculatorVersion = 0x6071F;
const int kEditFieldsMissingVersion = 0x70000;

// Whether an edit-box archive being read carries the field added after the
// given version.  Archives are always written with both; only state stored
// by an older library lacks them, known while the workspace loads it.
BOOL EditArchiveHasField(int nAfterVersion)
{
    if (g_menuHash.IsSerializing())
        return TRUE;
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    const int nVersion = pWorkspace != nullptr ? pWorkspace->GetStoredStateVersion() : -1;
    return nVersion < 0 || (nVersion > nAfterVersion && nVersion != kEditFieldsMissingVersion);
}

BOOL IsLiveEdit(const CWnd* pWnd) { return pWnd != nullptr && ::IsWindow(pWnd->GetSafeHwnd()); }

BOOL CtrlHeld() { return (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) != 0; }

} // namespace

// ---------------------------------------------------------------------------
// The edit

CZUDPToolbarEditCtrl::CZUDPToolbarEditCtrl(CZUDPToolbarEditBoxButton& button) : ownerButton(button) {}

CZUDPToolbarEditCtrl::~CZUDPToolbarEditCtrl() = default;

void CZUDPToolbarEditCtrl::OnSetFocus(CWnd*)
{
    Default();
    ownerButton.SetHotEdit(TRUE);
}

void CZUDPToolbarEditCtrl::OnKillFocus(CWnd*)
{
    Default();
    ownerButton.SetHotEdit(FALSE);
}

void CZUDPToolbarEditCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CZUDPEdit::OnMouseMove(nFlags, point);
    ownerButton.SetHotEdit(TRUE);
    if (!trackingMouse) {
        trackingMouse = TRUE;
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        TrackMouseLeave(&tme);
    }
}

LRESULT CZUDPToolbarEditCtrl::OnMouseLeave(WPARAM, LPARAM)
{
    trackingMouse = FALSE;
    if (::GetFocus() != m_hWnd)
        ownerButton.SetHotEdit(FALSE);
    return 0;
}

BOOL CZUDPToolbarEditCtrl::OnTextNotification()
{
    // TRUE: the bar neither reports the change nor passes it to its owner.
    if (ownerButton.settingText)
        return TRUE;
    // The edit's own handling of a change (on glass it repaints).
    return m_bOnGlass ? CZUDPEdit::OnChange() : FALSE;
}

void CZUDPToolbarEditCtrl::OnContextMenu(CWnd*, CPoint point)
{
    if (!ShowToolbarEditContextMenu(this, ownerButton.contextMenuId, point))
        Default();
}

BOOL CZUDPToolbarEditCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        const UINT nKey = (UINT)pMsg->wParam;
        if (nKey == VK_TAB) {
            if (CWnd* pParent = GetParent()) {
                if (CWnd* pNext = pParent->GetNextDlgTabItem(this, FALSE))
                    pNext->SetFocus();
                return TRUE;
            }
        } else if (nKey == VK_ESCAPE) {
            if (CFrameWnd* pFrame = GetTopLevelFrameOrInPlace(this)) {
                pFrame->SetFocus();
                return TRUE;
            }
        }
        if (::GetFocus() == m_hWnd && CtrlHeld()) {
            // The edit's own clipboard keys, before the frame's accelerators.
            switch (nKey) {
            case VK_DELETE:
                SendMessage(WM_CLEAR);
                return TRUE;
            case 'C':
                SendMessage(WM_COPY);
                return TRUE;
            case 'V':
                SendMessage(WM_PASTE);
                return TRUE;
            case 'X':
                SendMessage(WM_CUT);
                return TRUE;
            case 'Z':
                SendMessage(EM_UNDO);
                return TRUE;
            default:
                break;
            }
        }
    }
    return CZUDPEdit::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// The button

CZUDPToolbarEditBoxButton::CZUDPToolbarEditBoxButton() = default;

CZUDPToolbarEditBoxButton::CZUDPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle, int nWidth)
    : CZUDPToolbarButton(uiID, iImage)
{
    editStyle = dwStyle | WS_CHILD | WS_VISIBLE;
    width = nWidth == 0 ? 150 : nWidth;
}

CZUDPToolbarEditBoxButton::~CZUDPToolbarEditBoxButton() { DestroyEdit(); }

void CZUDPToolbarEditBoxButton::DestroyEdit()
{
    if (editWnd == nullptr)
        return;
    editWnd->DestroyWindow();
    delete editWnd;
    editWnd = nullptr;
}

BOOL CZUDPToolbarEditBoxButton::IsEditVisible() const
{
    return IsLiveEdit(editWnd) && (editWnd->GetStyle() & WS_VISIBLE) != 0;
}

void CZUDPToolbarEditBoxButton::SetHotEdit(BOOL bHot)
{
    if (hot == bHot)
        return;
    hot = bHot;
    if (!IsLiveEdit(editWnd))
        return;
    if (CWnd* pParent = editWnd->GetParent()) {
        pParent->InvalidateRect(&rect, TRUE);
        pParent->UpdateWindow();
    }
}

CEdit* CZUDPToolbarEditBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rectEdit)
{
    auto* pEdit = new CZUDPToolbarEditCtrl(*this);
    if (!pEdit->Create(editStyle, rectEdit, pWndParent, commandId)) {
        delete pEdit;
        return nullptr;
    }
    if (calculatorMode)
        pEdit->SetCalculatorMode();
    return pEdit;
}

void CZUDPToolbarEditBoxButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarButton::OnParentChanged(pWndParent);
    if (editWnd != nullptr) {
        if (IsLiveEdit(editWnd) && pWndParent != nullptr &&
            ::GetParent(editWnd->GetSafeHwnd()) == pWndParent->GetSafeHwnd())
            return;
        if (IsLiveEdit(editWnd))
            editWnd->GetWindowText(contents);
        DestroyEdit();
    }
    if (pWndParent == nullptr || pWndParent->GetSafeHwnd() == nullptr)
        return;
    CRect rectEdit = rect;
    rectEdit.DeflateRect(3, 1);
    rectEdit.bottom = rectEdit.top + g_uiEnvironment.m_textHeight;
    editWnd = CreateEdit(pWndParent, rectEdit);
    if (editWnd == nullptr)
        return;
    RepositionControl();
    editWnd->SendMessage(WM_SETFONT, (WPARAM)g_uiEnvironment.m_fontRegular.GetSafeHandle(), TRUE);
    CString strExisting;
    editWnd->GetWindowText(strExisting);
    if (!strExisting.IsEmpty()) {
        contents = strExisting;
    } else {
        settingText = TRUE;
        editWnd->SetWindowText(contents);
        settingText = FALSE;
    }
}

void CZUDPToolbarEditBoxButton::RepositionControl()
{
    if (!IsEditVisible())
        return;
    const int h = g_uiEnvironment.m_textHeight + (g_flatEditBoxButtons ? 0 : 4);
    const int dy = std::max(0, int(rect.Height() - textBelowHeight - h) / 2);
    editWnd->SetWindowPos(nullptr, rect.left + 3, rect.top + dy, rect.Width() - 6, h, SWP_NOZORDER | SWP_NOACTIVATE);
    editWnd->SendMessage(EM_SETSEL, (WPARAM)-1, 0);
    editWnd->SendMessage(EM_SCROLLCARET);
}

void CZUDPToolbarEditBoxButton::SetWidth(int nWidth)
{
    width = nWidth;
    rect.right = rect.left + nWidth;
    RepositionControl();
}

HWND CZUDPToolbarEditBoxButton::GetControlHwnd() const { return editWnd != nullptr ? editWnd->GetSafeHwnd() : nullptr; }

void CZUDPToolbarEditBoxButton::SetContents(const CString& strContents)
{
    if (strContents == contents)
        return;
    contents = strContents;
    if (IsLiveEdit(editWnd)) {
        settingText = TRUE;
        editWnd->SetWindowText(contents);
        settingText = FALSE;
    }
}

CRect CZUDPToolbarEditBoxButton::GetEditBorder() const
{
    CRect rectBorder;
    if (!IsLiveEdit(editWnd))
        return rectBorder;
    editWnd->GetWindowRect(&rectBorder);
    if (CWnd* pParent = editWnd->GetParent())
        pParent->ScreenToClient(&rectBorder);
    rectBorder.InflateRect(1, 1);
    return rectBorder;
}

BOOL CZUDPToolbarEditBoxButton::NotifyControlEvent(int nEvent)
{
    if (!IsLiveEdit(editWnd) || nEvent != EN_UPDATE)
        return FALSE;
    editWnd->GetWindowText(contents);
    const CString strContents = contents;
    CObList listButtons;
    CZUDPToolBar::CollectCommandButtons(commandId, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = listButtons.GetNext(pos);
        if (pObject == this)
            continue;
        if (auto* pOther = DYNAMIC_DOWNCAST(CZUDPToolbarEditBoxButton, pObject))
            pOther->SetContents(strContents);
    }
    return !settingText;
}

void CZUDPToolbarEditBoxButton::SyncWithOtherCopies()
{
    CObList listButtons;
    if (CZUDPToolBar::CollectCommandButtons(commandId, listButtons) == 0)
        return;
    CObject* pFirst = listButtons.GetHead();
    if (pFirst != this && pFirst->IsKindOf(RUNTIME_CLASS(CZUDPToolbarButton)))
        CopyFrom(*static_cast<CZUDPToolbarButton*>(pFirst));
}

HBRUSH CZUDPToolbarEditBoxButton::GetCtlColorBrush(CDC* pDC, UINT)
{
    COLORREF clrText = g_uiEnvironment.m_colorWindowText;
    COLORREF clrBack = g_uiEnvironment.m_colorWindow;
    CBrush& brush = CZUDPVisualManager::GetActiveManager()->GetEditBoxColors(this, clrText, clrBack);
    pDC->SetTextColor(clrText);
    pDC->SetBkColor(clrBack);
    return (HBRUSH)brush.GetSafeHandle();
}

BOOL CZUDPToolbarEditBoxButton::HasBorder() const { return !IsEditVisible(); }

void CZUDPToolbarEditBoxButton::UpdateFont()
{
    if (IsLiveEdit(editWnd))
        editWnd->SendMessage(WM_SETFONT, (WPARAM)g_uiEnvironment.m_fontRegular.GetSafeHandle(), TRUE);
}

void CZUDPToolbarEditBoxButton::ShowControl(BOOL bShow)
{
    if (!IsLiveEdit(editWnd))
        return;
    if (bShow) {
        editWnd->ShowWindow(SW_SHOWNOACTIVATE);
        RepositionControl();
    } else {
        editWnd->ShowWindow(SW_HIDE);
    }
    OnShowEditor(bShow);
}

CRect CZUDPToolbarEditBoxButton::GetInvalidateRect() const
{
    if (!HasTextLabel() || !horizontal)
        return rect;
    CRect rectLabel = rect;
    const int nCentre = rect.CenterPoint().x;
    rectLabel.left = std::min(int(rect.left), nCentre - textBelowWidth / 2);
    rectLabel.right = std::max(int(rect.right), nCentre + textBelowWidth / 2);
    return rectLabel;
}

void CZUDPToolbarEditBoxButton::SetStyle(UINT nStyle)
{
    style = nStyle;
    if (!IsLiveEdit(editWnd))
        return;
    const BOOL bDisabled = g_customizeMode ? !IsCustomizable() : (style & TBBS_DISABLED) != 0;
    editWnd->EnableWindow(!bDisabled);
}

SIZE CZUDPToolbarEditBoxButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (!visible) {
        if (IsLiveEdit(editWnd)) {
            editWnd->ShowWindow(SW_HIDE);
            OnShowEditor(FALSE);
        }
        return CSize(0, 0);
    }
    horizontal = bHorz;
    if (!bHorz) {
        if (IsLiveEdit(editWnd)) {
            editWnd->ShowWindow(SW_HIDE);
            OnShowEditor(FALSE);
        }
        textBelowWidth = textBelowHeight = 0;
        return CZUDPToolbarButton::CalcSize(pDC, sizeDefault, bHorz);
    }
    if (!overflowHidden && IsLiveEdit(editWnd)) {
        editWnd->ShowWindow(SW_SHOWNOACTIVATE);
        OnShowEditor(TRUE);
    }
    textBelowWidth = textBelowHeight = 0;
    if (HasTextLabel() && pDC != nullptr) {
        CRect rectText(0, 0, width, sizeDefault.cy);
        pDC->DrawText(text, &rectText, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        textBelowWidth = rectText.Width();
        textBelowHeight = rectText.Height();
    }
    return CSize(width, sizeDefault.cy + textBelowHeight);
}

void CZUDPToolbarEditBoxButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages* pImages,
                                           BOOL bHorz, BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                           BOOL bGrayDisabledButtons)
{
    if (!IsEditVisible()) {
        CZUDPToolbarButton::DrawButton(pDC, rectButton, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                       bGrayDisabledButtons);
        return;
    }
    const BOOL bDisabled = bCustomizeMode ? !IsCustomizable() : (style & TBBS_DISABLED) != 0;
    const BOOL bFrameHighlighted = hot || !g_flatEditBoxButtons;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const CRect rectBorder = GetEditBorder();
    pManager->DrawEditBoxBorder(pDC, rectBorder, bDisabled, bFrameHighlighted, this);

    if (HasTextLabel() && bHorz && pDC != nullptr) {
        const int nState = bHighlight ? ZUDP_BUTTON_HIGHLIGHTED
                           : (style & (TBBS_CHECKED | TBBS_PRESSED)) ? ZUDP_BUTTON_PUSHED
                                                                      : ZUDP_BUTTON_NORMAL;
        const COLORREF clrOld = pDC->SetTextColor(pManager->GetToolbarButtonTextColor(this, nState));
        CRect rectLabel = rectButton;
        rectLabel.top = (rectButton.bottom - textBelowHeight + rectBorder.bottom) / 2;
        pDC->DrawText(text, &rectLabel, DT_CENTER | DT_WORDBREAK);
        pDC->SetTextColor(clrOld);
    }
}

int CZUDPToolbarEditBoxButton::DrawInCommandList(CDC* pDC, const CRect& rectRow, BOOL bSelected)
{
    const int nUsed = CZUDPToolbarButton::DrawInCommandList(pDC, rectRow, bSelected);
    CRect rectSketch = rectRow;
    rectSketch.left = rectRow.right - std::max(8, rectRow.Width() - nUsed - 10);
    rectSketch.DeflateRect(2, 2);
    pDC->FillRect(&rectSketch, &g_uiEnvironment.m_brushWindow);
    pDC->Draw3dRect(&rectSketch, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
    return rectRow.Width();
}

BOOL CZUDPToolbarEditBoxButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    (void)pWnd;
    (void)bDelay;
    return IsEditVisible();
}

BOOL CZUDPToolbarEditBoxButton::UpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip,
                                              CString& strTipText)
{
    (void)pWndParent;
    (void)iButtonIndex;
    if (!IsLiveEdit(editWnd))
        return FALSE;
    CString strTip;
    if (!GetCustomToolTipText(strTip))
        strTip = strTipText;
    wndToolTip.AddTool(editWnd, strTip, nullptr, 0);
    return TRUE;
}

BOOL CZUDPToolbarEditBoxButton::FillAccessibilityData(CWnd* pWndBar, CZUDPAccessibleInfo& data)
{
    if (!CZUDPToolbarButton::FillAccessibilityData(pWndBar, data))
        return FALSE;
    data.m_nRole = ROLE_SYSTEM_TEXT;
    data.m_nState = STATE_SYSTEM_FOCUSABLE;
    if (IsLiveEdit(editWnd) && ::GetFocus() == editWnd->GetSafeHwnd())
        data.m_nState |= STATE_SYSTEM_FOCUSED;
    data.m_strDefaultAction = "Edit";
    data.m_strValue = text;
    return TRUE;
}

void CZUDPToolbarEditBoxButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarButton::CopyFrom(src);
    const auto* pSrc = DYNAMIC_DOWNCAST(CZUDPToolbarEditBoxButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr || pSrc == this)
        return;
    editStyle = pSrc->editStyle;
    width = pSrc->width;
    contents = pSrc->contents;
    contextMenuId = pSrc->contextMenuId;
    calculatorMode = pSrc->calculatorMode;
}

void CZUDPToolbarEditBoxButton::Serialize(CArchive& ar)
{
    CZUDPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        // A windowless button keeps its text: it is the model of the edit.
        if (IsLiveEdit(editWnd))
            editWnd->GetWindowText(contents);
        // Always the current format, with both late fields.
        ar << width << editStyle << contents << contextMenuId << calculatorMode;
        return;
    }
    ar >> width >> editStyle >> contents;
    rect.right = rect.left + width;
    if (EditArchiveHasField(kEditContextMenuVersion))
        ar >> contextMenuId;
    if (EditArchiveHasField(kEditCalculatorVersion))
        ar >> calculatorMode;
}
