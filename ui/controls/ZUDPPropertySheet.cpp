#include "ui/controls/ZUDPPropertySheet.h"

#include "framework/win/DC.h"

#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPPropertyPage.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNAMIC(CZUDPPropertySheet, CPropertySheet)
IMPLEMENT_DYNAMIC(CZUDPPropSheetTab, CZUDPTabWnd)

// ---------------------------------------------------------------------------
// CZUDPPropSheetTab

CZUDPPropSheetTab::CZUDPPropSheetTab()
{
    // The pages stay the sheet's children: the tab window neither destroys
    // them nor sizes them in its own coordinates.
    m_bAutoDestroyWindow = FALSE;
    m_bAutoSizeWindow = FALSE;
    m_bInDialog = TRUE;
}

BOOL CZUDPPropSheetTab::ActivateTab(int iTab)
{
    if (m_pParent == nullptr)
        return CZUDPTabWnd::ActivateTab(iTab);
    if (iTab != m_pParent->GetActiveIndex() && !m_pParent->SetActivePage(iTab))
        return FALSE;
    if (!CZUDPTabWnd::ActivateTab(iTab))
        return FALSE;
    CWnd* pPage = GetTabWindow(iTab);
    if (pPage != nullptr && pPage->GetSafeHwnd() != nullptr && m_hWnd != nullptr) {
        CRect rectPage = m_rectWndArea;
        MapWindowPoints(m_pParent, &rectPage);
        pPage->SetWindowPos(nullptr, rectPage.left, rectPage.top, rectPage.Width(), rectPage.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// CZUDPPropertySheet

BEGIN_MESSAGE_MAP(CZUDPPropertySheet, CPropertySheet)
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_SIZE()
    ON_WM_NCPAINT()
    ON_WM_NCMOUSEMOVE()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_DESTROY()
    ON_WM_GETMINMAXINFO()
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_LBN_SELCHANGE(CZUDPPropertySheet::kListId, &CZUDPPropertySheet::OnListSelChange)
    ON_MESSAGE(WM_SETTEXT, &CZUDPPropertySheet::OnSetText)
    ON_MESSAGE(CZUDPPropertySheet::kMsgSyncNavigation, &CZUDPPropertySheet::OnSyncNavigation)
    ON_MESSAGE(CZUDPPropertySheet::kMsgRefreshButtons, &CZUDPPropertySheet::OnRefreshButtons)
    ON_REGISTERED_MESSAGE(ZUDM_CHANGEVISUALMANAGER, &CZUDPPropertySheet::OnChangeVisualManager)
END_MESSAGE_MAP()

namespace {
// The sheet's standard buttons whose owner-drawn style is kept.
const UINT kSheetButtons[] = {ID_APPLY_NOW, ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH, IDOK, IDCANCEL, IDHELP};
} // namespace

CZUDPPropertySheet::CZUDPPropertySheet() = default;

CZUDPPropertySheet::CZUDPPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
}

CZUDPPropertySheet::CZUDPPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
}

CZUDPPropertySheet::~CZUDPPropertySheet() = default;

void CZUDPPropertySheet::SetLook(int nLook, int nNavControlWidth)
{
    m_nLook = nLook;
    m_nBarWidth = nNavControlWidth;
    if (nLook == PropSheetLook_Wizard)
        m_psh.dwFlags |= PSH_WIZARD;
    if (nLook != PropSheetLook_Tabs)
        EnableStackedTabs(FALSE);
}

void CZUDPPropertySheet::SetVisualManagerLook(BOOL bEnable, BOOL bNCArea)
{
    m_Impl.SetVisualManagerLook(bEnable, bEnable && bNCArea, nullptr);
    for (int i = 0; i < GetPageCount(); ++i) {
        if (CZUDPPropertyPage* pPage = DYNAMIC_DOWNCAST(CZUDPPropertyPage, GetPage(i)))
            pPage->SetVisualManagerLook(bEnable, nullptr);
    }
}

void CZUDPPropertySheet::SetIconsList(HIMAGELIST hIcons)
{
    m_Icons.DeleteImageList();
    if (hIcons != nullptr)
        m_Icons.Attach(ImageList_Duplicate(hIcons));
}

void CZUDPPropertySheet::AddPage(CPropertyPage* pPage)
{
    CPropertySheet::AddPage(pPage);
    if (CZUDPPropertyPage* pLibraryPage = DYNAMIC_DOWNCAST(CZUDPPropertyPage, pPage))
        pLibraryPage->SetVisualManagerLook(m_Impl.IsVisualManagerStyle(), nullptr);
    // A page added to a sheet that shows a navigation control gets its
    // item there too.
    if (m_hWnd != nullptr && m_pNavigationCtrl != nullptr && GetPageIndex(static_cast<CPropertyPage*>(pPage)) >= 0) {
        CTabCtrl* pTab = GetTabControl();
        if (pTab != nullptr)
            AddNavigationItem(pTab->GetItemCount() - 1);
    }
}

void CZUDPPropertySheet::RefreshButtonsLater()
{
    if (m_hWnd != nullptr && m_Impl.IsVisualManagerStyle())
        PostMessage(kMsgRefreshButtons);
}

CZUDPPropertyPage* CZUDPPropertySheet::PageOfTreeItem(HTREEITEM hItem) const
{
    if (hItem == nullptr || m_wndTree.m_hWnd == nullptr)
        return nullptr;
    CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(m_wndTree.GetItemData(hItem));
    return GetPageIndex(pPage) >= 0 ? DYNAMIC_DOWNCAST(CZUDPPropertyPage, pPage) : nullptr;
}

// ---------------------------------------------------------------------------
// Navigation

CWnd* CZUDPPropertySheet::CreateNavigationControl()
{
    if (m_psh.dwFlags & PSH_WIZARD)
        return nullptr;
    CTabCtrl* pTab = GetTabControl();
    const int nTabs = pTab != nullptr ? pTab->GetItemCount() : 0;
    switch (m_nLook) {
    case PropSheetLook_Tree: {
        DWORD dwStyle = WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS
                        | TVS_TRACKSELECT;
        if (!m_wndTree.CreateEx(m_Impl.IsVisualManagerStyle() ? 0 : WS_EX_CLIENTEDGE, WC_TREEVIEWA, nullptr, dwStyle,
                                CRect(0, 0, 0, 0), this, kTreeId))
            return nullptr;
        if (m_Icons.GetSafeHandle() != nullptr) {
            m_wndTree.SetImageList(&m_Icons, TVSIL_NORMAL);
            m_wndTree.SetImageList(&m_Icons, TVSIL_STATE);
        }
        for (int i = 0; i < nTabs; ++i)
            AddNavigationItem(i);
        return &m_wndTree;
    }
    case PropSheetLook_List: {
        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS
                        | LBS_NOINTEGRALHEIGHT;
        if (!m_wndList.CreateEx(WS_EX_CLIENTEDGE, "LISTBOX", nullptr, dwStyle, CRect(0, 0, 0, 0), this, kListId))
            return nullptr;
        for (int i = 0; i < nTabs; ++i)
            AddNavigationItem(i);
        return &m_wndList;
    }
    case PropSheetLook_OneNoteTabs:
    case PropSheetLook_Tabs:
        if (m_nLook == PropSheetLook_OneNoteTabs || m_Impl.IsVisualManagerStyle()) {
            // The library's tab window takes the tab row's place.
            const int nActive = GetActiveIndex();
            if (!m_wndTab.CreateWithStyle(m_nLook == PropSheetLook_OneNoteTabs ? CZUDPTabWnd::TabStyleSlanted
                                                                                  : CZUDPTabWnd::TabStyle3D,
                                          CRect(0, 0, 0, 0), this, kTabId, TabLocationTop))
                return nullptr;
            m_wndTab.m_pParent = this;
            if (m_Icons.GetSafeHandle() != nullptr)
                m_wndTab.SetImageListHandle(m_Icons.GetSafeHandle());
            for (int i = 0; i < nTabs; ++i)
                AddNavigationItem(i);
            if (nActive >= 0 && nActive < m_wndTab.GetTabCount())
                m_wndTab.ActivateTab(nActive);
            return &m_wndTab;
        }
        // Without the visual-manager look the standard tab row shows the
        // page images.
        if (!m_Impl.IsVisualManagerStyle() && pTab != nullptr && m_Icons.GetSafeHandle() != nullptr) {
            pTab->SetImageList(&m_Icons);
            for (int i = 0; i < nTabs; ++i) {
                TCITEMA item = {};
                item.mask = TCIF_IMAGE;
                item.iImage = i;
                pTab->SetItem(i, &item);
            }
        }
        return nullptr;
    default:
        return nullptr;
    }
}

void CZUDPPropertySheet::AddNavigationItem(int nTab)
{
    CTabCtrl* pTab = GetTabControl();
    if (pTab == nullptr || nTab < 0)
        return;
    const CString label = pTab->GetItemText(nTab);
    CZUDPPropertyPage* pPage = DYNAMIC_DOWNCAST(CZUDPPropertyPage, GetPage(nTab));
    if (pPage == nullptr)
        return;
    if (m_wndTree.m_hWnd != nullptr) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<LPSTR>((LPCSTR)label);
        insert.item.iImage = I_IMAGECALLBACK;
        insert.item.iSelectedImage = I_IMAGECALLBACK;
        insert.item.lParam = (LPARAM)static_cast<CPropertyPage*>(pPage);
        pPage->m_hTreeNode = m_wndTree.InsertItem(&insert);
    }
    if (m_wndList.m_hWnd != nullptr) {
        int nItem = m_wndList.AddString(label);
        if (nItem >= 0)
            m_wndList.SetItemDataPtr(nItem, static_cast<CPropertyPage*>(pPage));
    }
    if (m_wndTab.m_hWnd != nullptr)
        m_wndTab.AppendTab(pPage, label, m_Icons.GetSafeHandle() != nullptr ? nTab : -1, FALSE);
}

BOOL CZUDPPropertySheet::RemoveTreeItem(CPropertyPage* pPage)
{
    CZUDPPropertyPage* pLibraryPage = DYNAMIC_DOWNCAST(CZUDPPropertyPage, pPage);
    if (pLibraryPage == nullptr || pLibraryPage->m_hTreeNode == nullptr || m_wndTree.m_hWnd == nullptr)
        return FALSE;
    BOOL bResult = m_wndTree.DeleteItem(pLibraryPage->m_hTreeNode);
    pLibraryPage->m_hTreeNode = nullptr;
    return bResult;
}

void CZUDPPropertySheet::OnDrawPageHeader(CDC*, int, CRect) {}

void CZUDPPropertySheet::OnActivatePage(CPropertyPage* pPage)
{
    CZUDPPropertyPage* pLibraryPage = DYNAMIC_DOWNCAST(CZUDPPropertyPage, pPage);
    if (m_wndTree.m_hWnd != nullptr && pLibraryPage != nullptr && pLibraryPage->m_hTreeNode != nullptr) {
        if (!m_bIsInSelectTree)
            m_wndTree.SelectItem(pLibraryPage->m_hTreeNode);
        m_wndTree.EnsureVisible(pLibraryPage->m_hTreeNode);
    }
    if (m_wndList.m_hWnd != nullptr) {
        for (int i = 0; i < m_wndList.GetCount(); ++i) {
            if (m_wndList.GetItemDataPtr(i) == static_cast<void*>(pPage)) {
                m_wndList.SetCurSel(i);
                break;
            }
        }
        PostMessage(kMsgSyncNavigation);
    }
    if (m_wndTab.m_hWnd != nullptr) {
        const int nPage = GetPageIndex(pPage);
        if (nPage >= 0 && nPage < m_wndTab.GetTabCount()) {
            m_wndTab.ActivateTab(nPage);
            m_wndTab.EnsureTabVisible(nPage);
        }
    }
    if (m_psh.dwFlags & PSH_WIZARD)
        RefreshButtonsLater();
}

void CZUDPPropertySheet::OnListSelChange()
{
    if (m_wndList.m_hWnd == nullptr)
        return;
    const int nItem = m_wndList.GetCurSel();
    CPropertyPage* pPage = nItem >= 0 ? static_cast<CPropertyPage*>(m_wndList.GetItemDataPtr(nItem)) : nullptr;
    if (pPage != nullptr && GetPageIndex(pPage) >= 0 && pPage != GetActivePage() && !SetActivePage(pPage)) {
        // The page shown refuses to be left: the list shows it again.
        CPropertyPage* pActive = GetActivePage();
        for (int i = 0; i < m_wndList.GetCount(); ++i) {
            if (m_wndList.GetItemDataPtr(i) == static_cast<void*>(pActive))
                m_wndList.SetCurSel(i);
        }
    }
    m_wndList.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CZUDPPropertySheet::OnSyncNavigation(WPARAM, LPARAM)
{
    if (m_wndList.m_hWnd != nullptr)
        m_wndList.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return 0;
}

LRESULT CZUDPPropertySheet::OnRefreshButtons(WPARAM, LPARAM)
{
    for (UINT nID : kSheetButtons) {
        CZUDPButton* pButton = DYNAMIC_DOWNCAST(CZUDPButton, CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, (int)nID)));
        if (pButton == nullptr || pButton->m_hWnd == nullptr || m_lstOwnerDrawnButtons.Find(nID) == nullptr)
            continue;
        // The framework's sheet sets the buttons' push styles itself, which
        // ends owner drawing.
        const DWORD dwStyle = pButton->GetStyle();
        const DWORD dwNew = (dwStyle & ~(DWORD)0xF) | BS_OWNERDRAW;
        if (dwNew != dwStyle)
            ::SetWindowLongPtrA(pButton->m_hWnd, GWL_STYLE, (LONG_PTR)dwNew);
        pButton->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_FRAME);
    return 0;
}

BOOL CZUDPPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    if (pNMHDR->idFrom == kTreeId && m_wndTree.m_hWnd != nullptr && pNMHDR->hwndFrom == m_wndTree.m_hWnd) {
        if (pNMHDR->code == TVN_SELCHANGEDA || pNMHDR->code == TVN_SELCHANGEDW) {
            *pResult = 0;
            HTREEITEM hItem = m_wndTree.GetSelectedItem();
            if (hItem == nullptr || m_bIsInSelectTree)
                return TRUE;
            CZUDPPropertyPage* pPage = PageOfTreeItem(hItem);
            CPropertyPage* pActive = GetActivePage();
            m_bIsInSelectTree = TRUE;
            if (pPage != nullptr && pPage != pActive) {
                if (!SetActivePage(pPage)) {
                    // The page shown refuses to be left: its item stays.
                    CZUDPPropertyPage* pActiveLibraryPage = DYNAMIC_DOWNCAST(CZUDPPropertyPage, pActive);
                    if (pActiveLibraryPage != nullptr && pActiveLibraryPage->m_hTreeNode != nullptr)
                        m_wndTree.SelectItem(pActiveLibraryPage->m_hTreeNode);
                } else if (CZUDPPropertyPage* pOld = DYNAMIC_DOWNCAST(CZUDPPropertyPage, pActive)) {
                    CRect rectItem;
                    if (pOld->m_hTreeNode != nullptr && m_wndTree.GetItemRect(pOld->m_hTreeNode, &rectItem, FALSE))
                        m_wndTree.InvalidateRect(&rectItem);
                }
            }
            m_bIsInSelectTree = FALSE;
            return TRUE;
        }
        if (pNMHDR->code == TVN_GETDISPINFOA || pNMHDR->code == TVN_GETDISPINFOW) {
            // Both forms share the item record's layout up to the images.
            NMTVDISPINFOA* pInfo = reinterpret_cast<NMTVDISPINFOA*>(lParam);
            CZUDPPropertyPage* pPage = PageOfTreeItem(pInfo->item.hItem);
            if (pPage != nullptr) {
                const int nImage = pPage == GetActivePage() ? pPage->m_nSelIconNum : pPage->m_nIcon;
                pInfo->item.iImage = nImage;
                pInfo->item.iSelectedImage = nImage;
            }
            *pResult = 0;
            return TRUE;
        }
    }
    return CPropertySheet::OnNotify(wParam, lParam, pResult);
}

BOOL CZUDPPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_Impl.PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->hwnd == m_hWnd && (pMsg->message == PSM_SETWIZBUTTONS || pMsg->message == PSM_SETFINISHTEXTA
                                 || pMsg->message == PSM_SETFINISHTEXTW))
        RefreshButtonsLater();
    return CPropertySheet::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// Set-up and layout

BOOL CZUDPPropertySheet::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();
    m_Impl.m_bHasBorder = (GetStyle() & WS_BORDER) != 0;
    m_pNavigationCtrl = CreateNavigationControl();
    m_Impl.ReapplyLook();
    RememberOwnerDrawnButtons();

    CTabCtrl* pTab = GetTabControl();
    if (m_pNavigationCtrl == nullptr || pTab == nullptr)
        return bResult;

    if (m_pNavigationCtrl == &m_wndTab) {
        // The tab window covers the standard tab control, a little wider
        // and down over the page header.
        CRect rectTab;
        pTab->GetWindowRect(&rectTab);
        ScreenToClient(&rectTab);
        rectTab.left -= 2;
        rectTab.right += 2;
        rectTab.bottom += m_nHeaderHeight;
        m_wndTab.SetWindowPos(nullptr, rectTab.left, rectTab.top, rectTab.Width(), rectTab.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
        pTab->ModifyStyle(WS_TABSTOP, 0);
        pTab->ShowWindow(SW_HIDE);
        if (m_wndTab.GetTabCount() > 0)
            m_wndTab.ActivateTab(GetActiveIndex());
        return bResult;
    }

    pTab->ModifyStyle(WS_TABSTOP, 0);
    CRect rectItem;
    pTab->GetItemRect(0, &rectItem);
    const int nItemHeight = rectItem.Height();

    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const int nNewWidth = rectWindow.Width() + m_nBarWidth;
    const int nNewHeight = rectWindow.Height() + m_nHeaderHeight - nItemHeight + 10;
    SetWindowPos(nullptr, 0, 0, nNewWidth, nNewHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(&rectClient);

    // The tab row now lies above the client area; the page area (where
    // the sheet places its pages) keeps its place right of the navigation.
    pTab->SetWindowPos(nullptr, m_nBarWidth, -(nItemHeight + 5), rectClient.Width() - m_nBarWidth,
                       rectClient.Height() - 10, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_Impl.IsVisualManagerStyle()) {
        pTab->ShowWindow(SW_HIDE);
        m_bDrawPageFrame = TRUE;
    }

    CRect rectTab;
    pTab->GetWindowRect(&rectTab);
    ScreenToClient(&rectTab);
    CRect rectNav(rectClient.left, rectClient.top, rectClient.left + m_nBarWidth, rectTab.bottom);
    rectNav.DeflateRect(1, 1);
    if (m_nLook == PropSheetLook_List)
        rectNav.bottom -= 1;
    if (m_nLook == PropSheetLook_Tree && m_Impl.IsVisualManagerStyle()) {
        rectNav.bottom -= 1;
        rectNav.DeflateRect(1, 1);
    }
    m_pNavigationCtrl->SetWindowPos(&CWnd::wndTop, rectNav.left, rectNav.top, rectNav.Width(), rectNav.Height(),
                                    SWP_NOACTIVATE);

    // The page shown moves into the new page area (pages made later are
    // placed there by the sheet).
    const int nActive = GetActiveIndex();
    CPropertyPage* pActive = GetPage(nActive);
    if (pActive != nullptr && pActive->m_hWnd != nullptr) {
        CRect rectPage;
        pTab->GetWindowRect(&rectPage);
        ScreenToClient(&rectPage);
        pTab->AdjustRect(FALSE, &rectPage);
        pActive->SetWindowPos(nullptr, rectPage.left, rectPage.top, rectPage.Width(), rectPage.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
        OnActivatePage(pActive);
    }
    LayoutButtons();
    return bResult;
}

void CZUDPPropertySheet::RememberOwnerDrawnButtons()
{
    m_lstOwnerDrawnButtons.RemoveAll();
    for (UINT nID : kSheetButtons) {
        HWND hButton = ::GetDlgItem(m_hWnd, (int)nID);
        if (hButton != nullptr && (::GetWindowLongPtrA(hButton, GWL_STYLE) & 0xF) == BS_OWNERDRAW)
            m_lstOwnerDrawnButtons.AddTail(nID);
    }
}

void CZUDPPropertySheet::LayoutButtons()
{
    CRect rectClient;
    GetClientRect(&rectClient);
    const UINT ids[] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};
    int nRight = 0;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1 && (GetExStyle() & WS_EX_LAYOUTRTL))
            break;
        const int dx = pass == 1 ? rectClient.right - nRight - 5 : 0;
        for (UINT nID : ids) {
            HWND hButton = ::GetDlgItem(m_hWnd, (int)nID);
            if (hButton == nullptr)
                continue;
            if (nID == IDHELP && (m_psh.dwFlags & PSH_HASHELP) == 0)
                continue;
            if (nID == ID_APPLY_NOW && (m_psh.dwFlags & PSH_NOAPPLYNOW))
                continue;
            CRect rect;
            ::GetWindowRect(hButton, &rect);
            ScreenToClient(&rect);
            if (pass == 0) {
                ::SetWindowPos(hButton, nullptr, rect.left, rectClient.bottom - 5 - rect.Height(), 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                nRight = rect.right;
            } else {
                ::SetWindowPos(hButton, nullptr, rect.left + dx, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
}

// ---------------------------------------------------------------------------
// Messages shared with the dialog base

BOOL CZUDPPropertySheet::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!m_Impl.IsVisualManagerStyle() || !CZUDPVisualManager::GetActiveManager()->FillDialogBackground(pDC, this, rectClient))
        return (BOOL)Default();
    if (m_bDrawPageFrame) {
        CPropertyPage* pPage = GetActivePage();
        if (pPage != nullptr && pPage->m_hWnd != nullptr) {
            CRect rectPage;
            pPage->GetWindowRect(&rectPage);
            ScreenToClient(&rectPage);
            CRect rectLine(rectClient.left, rectPage.bottom + 1, rectClient.right, rectPage.bottom + 2);
            pDC->FillSolidRect(&rectLine, g_uiEnvironment.m_colorBarShadow);
        }
    }
    if (m_nLook == PropSheetLook_Tree && m_wndTree.m_hWnd != nullptr) {
        CRect rectTree;
        m_wndTree.GetWindowRect(&rectTree);
        ScreenToClient(&rectTree);
        rectTree.InflateRect(1, 1);
        pDC->Draw3dRect(&rectTree, g_uiEnvironment.m_colorBarShadow, g_uiEnvironment.m_colorBarShadow);
    }
    return TRUE;
}

void CZUDPPropertySheet::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (nIDCtl == kListId && lpMeasureItemStruct != nullptr && lpMeasureItemStruct->CtlType == ODT_LISTBOX) {
        // A row of the dialog font's text with a little room.
        CClientDC dc(this);
        CFont* pOld = dc.SelectObject(GetFont());
        TEXTMETRICA tm = {};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        lpMeasureItemStruct->itemHeight = (UINT)(tm.tmHeight + 8);
        return;
    }
    CPropertySheet::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CZUDPPropertySheet::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != kListId || lpDrawItemStruct == nullptr || lpDrawItemStruct->hwndItem != m_wndList.m_hWnd
        || lpDrawItemStruct->itemID == (UINT)-1) {
        CPropertySheet::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    // The navigation list's rows: the visual manager's list-box item and
    // the page's label.
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect = lpDrawItemStruct->rcItem;
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const BOOL bFocused = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;
    pDC->FillSolidRect(&rect, m_Impl.IsVisualManagerStyle() ? g_uiEnvironment.m_colorBarFace : g_uiEnvironment.m_colorWindow);
    COLORREF clrText = (COLORREF)-1;
    if (bSelected)
        clrText = CZUDPVisualManager::GetActiveManager()->FillListBoxItem(pDC, &m_wndList, (int)lpDrawItemStruct->itemID,
                                                                         rect, bFocused, bSelected);
    if (clrText == (COLORREF)-1)
        clrText = m_Impl.IsVisualManagerStyle() ? g_uiEnvironment.m_colorBarText : g_uiEnvironment.m_colorWindowText;
    CString label;
    m_wndList.GetText((int)lpDrawItemStruct->itemID, label);
    CFont* pOld = pDC->SelectObject(GetFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(clrText);
    CRect rectText = rect;
    rectText.DeflateRect(6, 0);
    pDC->DrawText(label, &rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SelectObject(pOld);
}

void CZUDPPropertySheet::OnSysColorChange()
{
    Default();
    m_Impl.OnSysColorChange();
}

void CZUDPPropertySheet::OnSettingChange(UINT, LPCTSTR)
{
    Default();
    m_Impl.OnSettingChange();
}

void CZUDPPropertySheet::OnSize(UINT nType, int, int)
{
    if (m_Impl.OnSize(nType, m_bWasMaximized))
        Default();
}

void CZUDPPropertySheet::OnNcPaint()
{
    if (!m_Impl.OnNcPaint())
        Default();
}

void CZUDPPropertySheet::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    m_Impl.OnNcMouseMove(nHitTest, point);
    Default();
}

void CZUDPPropertySheet::OnMouseMove(UINT, CPoint point)
{
    m_Impl.OnMouseMove(point);
    Default();
}

void CZUDPPropertySheet::OnLButtonDown(UINT, CPoint point)
{
    m_Impl.OnLButtonDown(point);
    Default();
}

void CZUDPPropertySheet::OnLButtonUp(UINT, CPoint point)
{
    m_Impl.OnLButtonUp(point);
    Default();
}

LRESULT CZUDPPropertySheet::OnNcHitTest(CPoint point)
{
    UINT nHit = m_Impl.OnNcHitTest(point);
    return nHit != 0 ? (LRESULT)nHit : Default();
}

void CZUDPPropertySheet::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!m_Impl.OnNcCalcSize(bCalcValidRects, lpncsp))
        Default();
}

void CZUDPPropertySheet::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    if (lpwndpos != nullptr && (lpwndpos->flags & SWP_FRAMECHANGED))
        m_Impl.OnWindowPosChanged(lpwndpos);
    Default();
}

void CZUDPPropertySheet::OnDestroy()
{
    m_Impl.OnDestroy();
    Default();
}

void CZUDPPropertySheet::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    m_Impl.OnGetMinMaxInfo(lpMMI);
    Default();
}

LRESULT CZUDPPropertySheet::OnChangeVisualManager(WPARAM, LPARAM)
{
    m_Impl.ApplyFrameLook();
    return 0;
}

LRESULT CZUDPPropertySheet::OnSetText(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    if (lResult)
        m_Impl.OnTextChanged();
    return lResult;
}
