#include "ui/controls/ZUDPEditListBox.h"

#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/ListCtrl.h"
#include "res/ui/controls.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/foundation/ZUDPKeyHelper.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPPngImage.h" // CZUDPLocalResource
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// The inner list's control id; caption buttons take ids from 2 on.
constexpr UINT kListId = 1;
constexpr UINT kFirstButtonId = 2;

// The library allows high-colour images (the edit's standard images use
// the same rule).
BOOL UseHighColorImages()
{
    return g_uiEnvironment.m_highColorImages && g_uiEnvironment.m_bitsPerPixel >= 16
           && !g_uiEnvironment.IsContrastColorScheme();
}

} // namespace

// ===========================================================================
// In-place edit

IMPLEMENT_DYNCREATE(CZUDPEditListEdit, CZUDPEdit)

BEGIN_MESSAGE_MAP(CZUDPEditListEdit, CZUDPEdit)
    ON_WM_WINDOWPOSCHANGING()
    ON_MESSAGE(WM_NCCALCSIZE, &CZUDPEditListEdit::OnNcCalcSizeMessage)
END_MESSAGE_MAP()

void CZUDPEditListEdit::OnBrowse()
{
    if (m_pParentList == nullptr)
        return;
    HWND hWndList = m_pParentList->GetListWindow();
    m_pParentList->OnBrowseItem();
    if (hWndList != nullptr && ::IsWindow(hWndList))
        ::SetFocus(hWndList);
}

void CZUDPEditListEdit::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    // The list grows its label edit as text is typed; the width set when
    // editing began stays.
    if (m_bLocked && lpwndpos != nullptr)
        lpwndpos->flags |= SWP_NOSIZE;
    Default();
}

LRESULT CZUDPEditListEdit::OnNcCalcSizeMessage(WPARAM wParam, LPARAM lParam)
{
    if (m_bLocked)
        return 0;
    OnNcCalcSize((BOOL)wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
    return 0;
}

// ===========================================================================
// Base

IMPLEMENT_DYNAMIC(CZUDPEditListBase, CStatic)

BEGIN_MESSAGE_MAP(CZUDPEditListBase, CStatic)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ENABLE()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_SETFONT, &CZUDPEditListBase::OnSetFont)
    ON_MESSAGE(WM_GETFONT, &CZUDPEditListBase::OnGetFont)
    ON_MESSAGE(WM_SETTEXT, &CZUDPEditListBase::OnSetText)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPEditListBase::OnSetControlVMMode)
END_MESSAGE_MAP()

CZUDPEditListBase::CZUDPEditListBase() : m_lstButtons(10), m_lstKeyAccell(10), m_mapButtonIDs(10) {}

CZUDPEditListBase::~CZUDPEditListBase()
{
    while (!m_lstButtons.IsEmpty())
        delete m_lstButtons.RemoveHead();
}

void CZUDPEditListBase::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    // A list made through the framework is set up at WM_CREATE.
    if (AfxGetThreadState()->m_pWndInit == nullptr)
        Initialize();
}

int CZUDPEditListBase::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CStatic::OnCreate(lpCreateStruct) == -1)
        return -1;
    Initialize();
    return 0;
}

void CZUDPEditListBase::Initialize()
{
    // The static paints nothing of its own.
    ModifyStyle(0, SS_USERITEM);
    if (CreateList() != nullptr)
        LayoutList();
}

CZUDPButton* CZUDPEditListBase::GetButton(int iButton) const
{
    POSITION pos = m_lstButtons.FindIndex(iButton);
    return pos != nullptr ? m_lstButtons.GetAt(pos) : nullptr;
}

DWORD CZUDPEditListBase::GetButtonKey(int iButton) const
{
    POSITION pos = m_lstKeyAccell.FindIndex(iButton);
    return pos != nullptr ? m_lstKeyAccell.GetAt(pos) : 0;
}

int CZUDPEditListBase::GetButtonCommand(int iButton) const
{
    int nCommand = 0;
    return m_mapButtonIDs.Lookup(iButton, nCommand) ? nCommand : 0;
}

CString CZUDPEditListBase::GetButtonToolTip(int iButton) const
{
    return iButton >= 0 && iButton < (int)m_buttonTips.size() ? m_buttonTips[(size_t)iButton] : CString();
}

int CZUDPEditListBase::FindButton(HWND hWndButton) const
{
    int i = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; i++) {
        if (m_lstButtons.GetNext(pos)->GetSafeHwnd() == hWndButton)
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Caption buttons

BOOL CZUDPEditListBase::AddButton(UINT uiImageResId, LPCTSTR lpszTooltip, WORD wKeyAccelerator, BYTE fVirt,
                                  int nCommand)
{
    if (m_hWnd == nullptr)
        return FALSE;
    auto* pButton = new CZUDPButton;
    const UINT nID = kFirstButtonId + (UINT)GetButtonCount();
    if (!pButton->Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), this, nID)) {
        delete pButton;
        return FALSE;
    }
    // A flat image button: a frame only while hot or pressed, no focus
    // rectangle, grey while disabled only when asked.
    pButton->m_nBorderStyle = CZUDPButton::BorderStyleFlat;
    pButton->m_bGreyWhenDisabled = m_bGrayDisabledButtons;
    pButton->m_bDrawFocus = FALSE;
    pButton->SendMessage(ZUDM_ONSETCONTROLVMMODE, (WPARAM)m_bVisualManagerStyle);
    {
        CZUDPLocalResource localResource;
        pButton->SetImagesFromResources(uiImageResId);
    }

    CString strTip = lpszTooltip != nullptr ? lpszTooltip : "";
    if (!strTip.IsEmpty()) {
        if (wKeyAccelerator != 0) {
            ACCEL accel = {(BYTE)(fVirt | FVIRTKEY), wKeyAccelerator, 0};
            CString strKey;
            CZUDPKeyHelper(&accel).FormatShortcut(strKey);
            if (!strKey.IsEmpty())
                strTip += " (" + strKey + ")";
        }
        pButton->SetTipText(strTip);
    }

    const CSize sizeButton = pButton->SizeToContent();
    if (m_lstButtons.IsEmpty())
        m_sizeButton = sizeButton;

    const int iButton = GetButtonCount();
    m_lstButtons.AddTail(pButton);
    m_lstKeyAccell.AddTail(wKeyAccelerator != 0 ? MAKELONG(wKeyAccelerator, fVirt) : 0);
    if (nCommand != 0)
        m_mapButtonIDs.SetAt(iButton, nCommand);
    m_buttonTips.push_back(strTip);
    LayoutList();
    return TRUE;
}

BOOL CZUDPEditListBase::AddStandardButtons(UINT uiButtons)
{
    if (m_hWnd == nullptr)
        return FALSE;
    struct StandardButton {
        UINT bit;
        UINT tooltip;
        UINT imageHighColor;
        UINT image;
        WORD key;
        BYTE flags;
        int command;
    };
    static const StandardButton kButtons[] = {
        {EditListButton_New, IDS_ZUDP_EDITLIST_NEW, IDB_ZUDP_EDITLIST_NEW_HICOLOR, IDB_ZUDP_EDITLIST_NEW, VK_INSERT, 0,
         EditListCommand_New},
        {EditListButton_Delete, IDS_ZUDP_EDITLIST_DELETE, IDB_ZUDP_EDITLIST_DELETE_HICOLOR, IDB_ZUDP_EDITLIST_DELETE,
         VK_DELETE, 0, EditListCommand_Delete},
        {EditListButton_MoveUp, IDS_ZUDP_EDITLIST_MOVE_UP, IDB_ZUDP_EDITLIST_UP_HICOLOR, IDB_ZUDP_EDITLIST_UP, VK_UP,
         FALT, EditListCommand_MoveUp},
        {EditListButton_MoveDown, IDS_ZUDP_EDITLIST_MOVE_DOWN, IDB_ZUDP_EDITLIST_DOWN_HICOLOR, IDB_ZUDP_EDITLIST_DOWN,
         VK_DOWN, FALT, EditListCommand_MoveDown},
    };
    CZUDPLocalResource localResource;
    const BOOL bHighColor = UseHighColorImages();
    for (const StandardButton& button : kButtons) {
        if ((uiButtons & button.bit) == 0)
            continue;
        CString strTip;
        strTip.LoadString(button.tooltip);
        AddButton(bHighColor ? button.imageHighColor : button.image, strTip, button.key, button.flags,
                  button.command);
    }
    m_uiStandardButtons |= uiButtons;
    return TRUE;
}

void CZUDPEditListBase::EnableButtons(BOOL bEnable)
{
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CZUDPButton* pButton = m_lstButtons.GetNext(pos);
        if (pButton->GetSafeHwnd() != nullptr)
            pButton->EnableWindow(bEnable);
    }
}

BOOL CZUDPEditListBase::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int iButton = lParam != 0 ? FindButton((HWND)lParam) : -1;
    if (iButton >= 0 && HIWORD(wParam) == BN_CLICKED) {
        if (HWND hWndList = GetListWindow())
            ::SetFocus(hWndList);
        OnClickButton(iButton);
        return TRUE;
    }
    return CStatic::OnCommand(wParam, lParam);
}

BOOL CZUDPEditListBase::PreTranslateMessage(MSG* pMsg) { return CStatic::PreTranslateMessage(pMsg); }

// ---------------------------------------------------------------------------
// What the buttons and keys do

void CZUDPEditListBase::OnClickButton(int iButton)
{
    if (m_uiStandardButtons == 0)
        return;
    const int iSelItem = GetSelItem();
    switch (GetButtonCommand(iButton)) {
    case EditListCommand_New:
        AddNewItem();
        break;
    case EditListCommand_Delete:
        if (iSelItem >= 0 && OnBeforeRemoveItem(iSelItem))
            RemoveItem(iSelItem);
        break;
    case EditListCommand_MoveUp:
        if (iSelItem > 0)
            MoveSelectedItem(TRUE);
        break;
    case EditListCommand_MoveDown:
        if (iSelItem >= 0 && iSelItem < GetCount() - 1)
            MoveSelectedItem(FALSE);
        break;
    default:
        break;
    }
}

void CZUDPEditListBase::MoveSelectedItem(BOOL bUp)
{
    const int iSelItem = GetSelItem();
    const int iNewIndex = bUp ? iSelItem - 1 : iSelItem + 1;
    SetRedraw(FALSE);
    const CString strText = GetItemText(iSelItem);
    const DWORD_PTR dwData = GetItemData(iSelItem);
    m_bIsActualDelete = FALSE;
    RemoveItem(iSelItem);
    m_bIsActualDelete = TRUE;
    const int iInserted = AddItem(strText, dwData, iNewIndex);
    SelectItem(iInserted);
    SetRedraw(TRUE);
    if (HWND hWndList = GetListWindow())
        ::InvalidateRect(hWndList, nullptr, TRUE);
    if (bUp)
        OnAfterMoveItemUp(iInserted);
    else
        OnAfterMoveItemDown(iInserted);
}

void CZUDPEditListBase::OnKey(WORD wKey, BYTE fFlags)
{
    const int iSelItem = GetSelItem();
    const UINT nChar = ::MapVirtualKeyA(wKey, MAPVK_VK_TO_CHAR);
    if (fFlags == 0 && iSelItem >= 0 && (nChar == ' ' || wKey == VK_F2))
        EditItem(iSelItem);
}

void CZUDPEditListBase::OnEndEdit(LPCTSTR lpszLabel)
{
    const int iSelItem = GetSelItem();
    if (iSelItem < 0)
        return;
    const CString strLabel = lpszLabel != nullptr ? lpszLabel : "";
    if (!strLabel.IsEmpty()) {
        SetItemText(iSelItem, strLabel);
        if (m_bNewItem)
            OnAfterAddItem(iSelItem);
        else
            OnAfterRenameItem(iSelItem);
    } else if (m_bNewItem) {
        // A new item left empty (or cancelled) is taken back.
        RemoveItem(iSelItem);
    }
    m_bNewItem = FALSE;
}

void CZUDPEditListBase::AddNewItem()
{
    const int iItem = AddItem("", 0, -1);
    if (iItem < 0)
        return;
    m_bNewItem = TRUE;
    EditItem(iItem);
}

BYTE CZUDPEditListBase::CurrentModifiers()
{
    BYTE fFlags = 0;
    if (g_frameworkSeams.keyState(VK_SHIFT) & 0x8000)
        fFlags |= FSHIFT;
    if (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000)
        fFlags |= FCONTROL;
    if (g_frameworkSeams.keyState(VK_MENU) & 0x8000)
        fFlags |= FALT;
    return fFlags;
}

BOOL CZUDPEditListBase::ClickButtonByKey(WORD wKey, BYTE fFlags)
{
    int i = 0;
    for (POSITION pos = m_lstKeyAccell.GetHeadPosition(); pos != nullptr; i++) {
        const DWORD dwKey = m_lstKeyAccell.GetNext(pos);
        if (dwKey != 0 && LOWORD(dwKey) == wKey && (BYTE)HIWORD(dwKey) == fFlags) {
            OnClickButton(i);
            return TRUE;
        }
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Layout and painting

HFONT CZUDPEditListBase::GetListFont() const
{
    if (m_font.GetSafeHandle() != nullptr)
        return (HFONT)m_font.GetSafeHandle();
    HWND hWndParent = ::GetParent(m_hWnd);
    HFONT hFont = hWndParent != nullptr ? (HFONT)::SendMessageA(hWndParent, WM_GETFONT, 0, 0) : nullptr;
    return hFont != nullptr ? hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
}

void CZUDPEditListBase::LayoutList()
{
    if (m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    m_rectCaption = rectClient;

    HFONT hFont = GetListFont();
    if (HWND hWndList = GetListWindow())
        ::SendMessageA(hWndList, WM_SETFONT, (WPARAM)hFont, m_font.GetSafeHandle() != nullptr);
    int nTextHeight = 0;
    {
        CClientDC dc(this);
        HGDIOBJ hOldFont = dc.SelectObject(hFont);
        TEXTMETRICA tm = {};
        dc.GetTextMetrics(&tm);
        nTextHeight = tm.tmHeight;
        dc.SelectObject(hOldFont);
    }
    const int nCaptionHeight = std::max<int>(m_sizeButton.cy, nTextHeight * 4 / 3);
    m_rectCaption.bottom = m_rectCaption.top + nCaptionHeight;

    int x = rectClient.right - m_sizeButton.cx - 1;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CZUDPButton* pButton = m_lstButtons.GetNext(pos);
        if (pButton->GetSafeHwnd() != nullptr)
            pButton->MoveWindow(x, m_rectCaption.top + 1, m_sizeButton.cx, nCaptionHeight - 2, TRUE);
        x -= m_sizeButton.cx;
    }

    if (HWND hWndList = GetListWindow()) {
        ::MoveWindow(hWndList, rectClient.left, m_rectCaption.bottom, rectClient.Width(),
                     std::max<int>(0, rectClient.bottom - m_rectCaption.bottom), TRUE);
        AdjustLayout();
    }
}

void CZUDPEditListBase::OnPaint()
{
    CPaintDC dc(this);
    PaintCaption(&dc);
}

void CZUDPEditListBase::OnPrintClient(CDC* pDC, UINT)
{
    if (pDC == nullptr)
        return;
    OnEraseBkgnd(pDC);
    PaintCaption(pDC);
}

BOOL CZUDPEditListBase::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    rect.bottom = m_rectCaption.bottom;
    pDC->FillRect(rect, m_bVisualManagerStyle ? &g_uiEnvironment.m_brushBarFace : &g_uiEnvironment.m_brushButtonFace);
    return TRUE;
}

void CZUDPEditListBase::PaintCaption(CDC* pDC)
{
    const COLORREF clrShadow = m_bVisualManagerStyle ? g_uiEnvironment.m_colorBarShadow
                                                     : g_uiEnvironment.m_colorButtonShadow;
    const COLORREF clrLight = m_bVisualManagerStyle ? g_uiEnvironment.m_colorBarHighlight
                                                    : g_uiEnvironment.m_colorButtonHighlight;
    pDC->Draw3dRect(m_rectCaption, clrShadow, clrLight);

    COLORREF clrText = m_bVisualManagerStyle ? g_uiEnvironment.m_colorBarText : g_uiEnvironment.m_colorButtonText;
    if (!IsWindowEnabled())
        clrText = g_uiEnvironment.m_colorGrayText;
    CString strText;
    if (m_bDefaultCaption)
        GetWindowText(strText);
    else
        strText = m_strCaption;

    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOldText = pDC->SetTextColor(clrText);
    HGDIOBJ hOldFont = pDC->SelectObject(GetListFont());
    CRect rectText = m_rectCaption;
    rectText.DeflateRect(5, 0);
    pDC->DrawText(strText, &rectText, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    pDC->SelectObject(hOldFont);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkMode(nOldMode);
}

void CZUDPEditListBase::OnSize(UINT nType, int cx, int cy)
{
    Default();
    LayoutList();
}

void CZUDPEditListBase::OnSetFocus(CWnd*)
{
    if (HWND hWndList = GetListWindow())
        ::SetFocus(hWndList);
}

void CZUDPEditListBase::OnEnable(BOOL bEnable)
{
    Default();
    // The buttons of a disabled list look grey; those disabled during an
    // edit only stop responding, unless grey buttons were asked for.
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CZUDPButton* pButton = m_lstButtons.GetNext(pos);
        pButton->m_bGreyWhenDisabled = !bEnable || m_bGrayDisabledButtons;
        if (pButton->GetSafeHwnd() != nullptr)
            pButton->EnableWindow(bEnable);
    }
    if (HWND hWndList = GetListWindow())
        ::EnableWindow(hWndList, bEnable);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

UINT CZUDPEditListBase::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

LRESULT CZUDPEditListBase::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    Default();
    m_font.DeleteObject();
    LOGFONTA lf = {};
    if (wParam != 0 && ::GetObjectA((HFONT)wParam, sizeof(lf), &lf) != 0)
        m_font.CreateFontIndirect(&lf);
    if (m_hWnd != nullptr) {
        LayoutList();
        if (lParam != 0) {
            Invalidate();
            UpdateWindow();
        }
    }
    return 0;
}

LRESULT CZUDPEditListBase::OnGetFont(WPARAM, LPARAM) { return (LRESULT)m_font.GetSafeHandle(); }

LRESULT CZUDPEditListBase::OnSetText(WPARAM wParam, LPARAM lParam)
{
    LPCSTR lpszText = reinterpret_cast<LPCSTR>(lParam);
    if (lpszText != nullptr) {
        m_strCaption = lpszText;
        m_bDefaultCaption = FALSE;
    } else {
        m_strCaption.Empty();
        m_bDefaultCaption = TRUE;
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return Default();
}

LRESULT CZUDPEditListBase::OnSetControlVMMode(WPARAM wParam, LPARAM)
{
    m_bVisualManagerStyle = (BOOL)wParam;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        CZUDPButton* pButton = m_lstButtons.GetNext(pos);
        if (pButton->GetSafeHwnd() != nullptr) {
            pButton->SendMessage(ZUDM_ONSETCONTROLVMMODE, wParam);
            pButton->RedrawWindow();
        }
    }
    return 0;
}

// ===========================================================================
// Box: the items in an inner report-view list

IMPLEMENT_DYNCREATE(CZUDPEditListBox, CZUDPEditListBase)

BEGIN_MESSAGE_MAP(CZUDPEditListBox, CZUDPEditListBase)
    ON_NOTIFY(LVN_KEYDOWN, kListId, &CZUDPEditListBox::OnListKeyDown)
    ON_NOTIFY(NM_DBLCLK, kListId, &CZUDPEditListBox::OnListDblClick)
    ON_NOTIFY(LVN_ENDLABELEDITA, kListId, &CZUDPEditListBox::OnListEndLabelEdit)
    ON_NOTIFY(LVN_ENDLABELEDITW, kListId, &CZUDPEditListBox::OnListEndLabelEdit)
    ON_NOTIFY(LVN_GETDISPINFOA, kListId, &CZUDPEditListBox::OnListGetDispInfo)
    ON_NOTIFY(LVN_GETDISPINFOW, kListId, &CZUDPEditListBox::OnListGetDispInfo)
    ON_NOTIFY(LVN_ITEMCHANGED, kListId, &CZUDPEditListBox::OnListItemChanged)
END_MESSAGE_MAP()

CZUDPEditListBox::CZUDPEditListBox() = default;

CZUDPEditListBox::~CZUDPEditListBox()
{
    if (m_wndEdit.GetSafeHwnd() != nullptr)
        m_wndEdit.UnsubclassWindow();
    delete m_pWndList;
}

CWnd* CZUDPEditListBox::CreateList()
{
    if (m_pWndList != nullptr || m_hWnd == nullptr)
        return m_pWndList;
    auto* pList = new CListCtrl;
    // The list starts its label edits only when asked (second click,
    // double click, Space, F2), but a list view edits labels only with
    // LVS_EDITLABELS.  Its own click-to-edit never runs: the second click
    // on the selected label is taken here first.
    if (!pList->CreateEx(WS_EX_CLIENTEDGE,
                         WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER |
                             LVS_EDITLABELS,
                         CRect(0, 0, 0, 0), this, kListId)) {
        delete pList;
        return nullptr;
    }
    pList->SetExtendedStyle(LVS_EX_FULLROWSELECT);
    pList->InsertColumn(0, "");
    m_pWndList = pList;
    return m_pWndList;
}

HWND CZUDPEditListBox::GetListWindow() const { return m_pWndList != nullptr ? m_pWndList->GetSafeHwnd() : nullptr; }

void CZUDPEditListBox::AdjustLayout()
{
    if (GetListWindow() == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    m_pWndList->SetColumnWidth(0, rect.Width() - 2 * ::GetSystemMetrics(SM_CXEDGE) - ::GetSystemMetrics(SM_CXVSCROLL));
}

int CZUDPEditListBox::AddItem(const CString& strText, DWORD_PTR dwData, int iIndex)
{
    if (GetListWindow() == nullptr)
        return -1;
    const int nCount = m_pWndList->GetItemCount();
    const int iItem = m_pWndList->InsertItem(iIndex < 0 || iIndex > nCount ? nCount : iIndex, strText);
    if (iItem < 0)
        return -1;
    m_pWndList->SetItemData(iItem, dwData);
    if (iItem == 0 && nCount == 0)
        SelectItem(0);
    return iItem;
}

BOOL CZUDPEditListBox::RemoveItem(int iIndex)
{
    if (GetListWindow() == nullptr || iIndex < 0 || iIndex >= m_pWndList->GetItemCount())
        return FALSE;
    const BOOL bWasSelected = (m_pWndList->GetItemState(iIndex, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (!m_pWndList->DeleteItem(iIndex))
        return FALSE;
    const int nCount = m_pWndList->GetItemCount();
    if (!bWasSelected || nCount == 0)
        return FALSE;
    return SelectItem(iIndex < nCount ? iIndex : nCount - 1);
}

int CZUDPEditListBox::GetCount() const { return GetListWindow() != nullptr ? m_pWndList->GetItemCount() : -1; }

int CZUDPEditListBox::GetSelItem() const
{
    return GetListWindow() != nullptr ? m_pWndList->GetNextItem(-1, LVNI_SELECTED) : -1;
}

BOOL CZUDPEditListBox::SelectItem(int iItem)
{
    if (GetListWindow() == nullptr || iItem < 0 || iItem >= m_pWndList->GetItemCount())
        return FALSE;
    if (!m_pWndList->SetItemState(iItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED))
        return FALSE;
    m_pWndList->EnsureVisible(iItem, FALSE);
    return TRUE;
}

CString CZUDPEditListBox::GetItemText(int iIndex) const
{
    return GetListWindow() != nullptr ? m_pWndList->GetItemText(iIndex, 0) : CString();
}

void CZUDPEditListBox::SetItemText(int iIndex, const CString& strText)
{
    if (GetListWindow() != nullptr)
        m_pWndList->SetItemText(iIndex, 0, strText);
}

DWORD_PTR CZUDPEditListBox::GetItemData(int iIndex) const
{
    return GetListWindow() != nullptr ? m_pWndList->GetItemData(iIndex) : 0;
}

void CZUDPEditListBox::SetItemData(int iIndex, DWORD_PTR dwData)
{
    if (GetListWindow() != nullptr)
        m_pWndList->SetItemData(iIndex, dwData);
}

BOOL CZUDPEditListBox::EditItem(int iIndex)
{
    if (m_wndEdit.GetSafeHwnd() != nullptr)
        m_wndEdit.UnsubclassWindow();
    m_wndEdit.Unbind();
    if (GetListWindow() == nullptr)
        return FALSE;
    m_pWndList->SetFocus();
    CEdit* pEdit = m_pWndList->EditLabel(iIndex);
    if (pEdit == nullptr || !m_wndEdit.SubclassWindow(pEdit->GetSafeHwnd()))
        return FALSE;

    m_wndEdit.EnableBrowseButton(m_bBrowseButton, "...");
    CRect rectLabel;
    if (m_pWndList->GetItemRect(iIndex, &rectLabel, LVIR_LABEL)) {
        CRect rectEdit;
        m_wndEdit.GetWindowRect(&rectEdit);
        m_wndEdit.SetWindowPos(nullptr, 0, 0, rectLabel.Width(), rectEdit.Height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_wndEdit.BindToList(this);
    EnableButtons(FALSE);
    return TRUE;
}

// ---------------------------------------------------------------------------
// The inner list's notifications and clicks

void CZUDPEditListBox::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLVKEYDOWN* pKey = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR);
    const BYTE fFlags = CurrentModifiers();
    if (!ClickButtonByKey(pKey->wVKey, fFlags))
        OnKey(pKey->wVKey, fFlags);
}

void CZUDPEditListBox::OnListDblClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int iSelItem = GetSelItem();
    if (iSelItem < 0) {
        if (m_uiStandardButtons & EditListButton_New)
            AddNewItem();
    } else {
        EditItem(iSelItem);
    }
}

void CZUDPEditListBox::OnListEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // The label arrives in the character set of the notification.
    CString strLabel;
    BOOL bCancelled = FALSE;
    if (pNMHDR->code == LVN_ENDLABELEDITW) {
        const NMLVDISPINFOW* pInfo = reinterpret_cast<const NMLVDISPINFOW*>(pNMHDR);
        bCancelled = pInfo->item.pszText == nullptr;
        if (!bCancelled) {
            const int n = ::WideCharToMultiByte(CP_ACP, 0, pInfo->item.pszText, -1, nullptr, 0, nullptr, nullptr);
            if (n > 1) {
                std::string text((size_t)n, '\0');
                ::WideCharToMultiByte(CP_ACP, 0, pInfo->item.pszText, -1, &text[0], n, nullptr, nullptr);
                strLabel = text.c_str();
            }
        }
    } else {
        const NMLVDISPINFOA* pInfo = reinterpret_cast<const NMLVDISPINFOA*>(pNMHDR);
        bCancelled = pInfo->item.pszText == nullptr;
        if (!bCancelled)
            strLabel = pInfo->item.pszText;
    }
    m_wndEdit.Unbind();
    OnEndEdit(bCancelled ? nullptr : (LPCTSTR)strLabel);
    EnableButtons(TRUE);
}

void CZUDPEditListBox::OnListGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // The item's image is the one place the two character sets agree.
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item;
    if (item.mask & LVIF_IMAGE)
        item.iImage = GetItemImage(item.iItem);
}

void CZUDPEditListBox::OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pInfo = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if ((pInfo->uChanged & LVIF_STATE) && ((pInfo->uOldState ^ pInfo->uNewState) & LVIS_SELECTED))
        OnSelectionChanged();
}

BOOL CZUDPEditListBox::PreTranslateMessage(MSG* pMsg)
{
    HWND hWndList = GetListWindow();
    if (hWndList != nullptr) {
        // Alt+key arrives as a system key, which the list does not report:
        // the buttons' Alt keys are matched here.
        if (pMsg->message == WM_SYSKEYDOWN && pMsg->hwnd == hWndList
            && ClickButtonByKey((WORD)pMsg->wParam, CurrentModifiers()))
            return TRUE;

        // A second click on the selected item's label edits it.
        if (pMsg->message == WM_LBUTTONDOWN && pMsg->hwnd == hWndList && ::GetFocus() == hWndList
            && m_pWndList->SendMessage(LVM_GETEDITCONTROL) == 0) {
            LVHITTESTINFO hti = {};
            hti.pt = CPoint((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
            const int iItem = m_pWndList->HitTest(&hti);
            const UINT nState = iItem >= 0 ? m_pWndList->GetItemState(iItem, LVIS_SELECTED | LVIS_FOCUSED) : 0;
            if (iItem >= 0 && (hti.flags & LVHT_ONITEMLABEL)
                && (nState & (LVIS_SELECTED | LVIS_FOCUSED)) == (LVIS_SELECTED | LVIS_FOCUSED)) {
                m_ptClick = hti.pt;
                SetCapture();
                return TRUE;
            }
        }
        if (pMsg->message == WM_LBUTTONUP && m_ptClick != CPoint(-1, -1)) {
            ReleaseCapture();
            CPoint pt((short)LOWORD(pMsg->lParam), (short)HIWORD(pMsg->lParam));
            ::MapWindowPoints(pMsg->hwnd, hWndList, &pt, 1);
            LVHITTESTINFO hti = {};
            hti.pt = pt;
            const int iItem = m_pWndList->HitTest(&hti);
            const CPoint ptClick = m_ptClick;
            m_ptClick = CPoint(-1, -1);
            if (iItem >= 0 && std::abs(pt.x - ptClick.x) <= ::GetSystemMetrics(SM_CXDRAG)
                && std::abs(pt.y - ptClick.y) <= ::GetSystemMetrics(SM_CYDRAG))
                EditItem(iItem);
            return TRUE;
        }
    }
    return CZUDPEditListBase::PreTranslateMessage(pMsg);
}
