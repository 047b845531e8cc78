// The base tab window: its tab records, the tab operations (insert,
// remove, show, hide, reorder, labels, colours), the activation
// announcements and the window's creation and destruction.
#include "ui/docking/ZUDPBaseTabWnd.h"

#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPBaseControlBar.h"
#include "ui/commandbars/ZUDPControlBar.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/docking/ZUDPBaseTabbedBar.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <vector>

int g_tabImageMargin = 4;

// ---------------------------------------------------------------------------
// CZUDPTabInfo

CZUDPTabInfo::CZUDPTabInfo(const CString& strLabel, int iImage, CWnd* pWnd, int iTabID, BOOL bDetachable)
    : m_strText(strLabel), m_iImage(iImage), m_pWnd(pWnd), m_iTabID(iTabID), m_bIsDetachable(bDetachable)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
        char szClass[256] = "";
        ::GetClassNameA(pWnd->GetSafeHwnd(), szClass, 255);
        m_bIsListView = lstrcmpiA(szClass, "SysListView32") == 0;
    }
}

CZUDPTabInfo::~CZUDPTabInfo()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

void CZUDPTabInfo::SetIcon(HICON hIcon)
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
    m_hIcon = hIcon != nullptr ? ::CopyIcon(hIcon) : nullptr;
}

// ---------------------------------------------------------------------------
// CZUDPBaseTabWnd

IMPLEMENT_DYNAMIC(CZUDPBaseTabWnd, CZUDPWnd)

BEGIN_MESSAGE_MAP(CZUDPBaseTabWnd, CZUDPWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_WINDOWPOSCHANGED()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CZUDPBaseTabWnd::OnNeedToolTipText)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CZUDPBaseTabWnd::OnNeedToolTipText)
END_MESSAGE_MAP()

CZUDPBaseTabWnd::CZUDPBaseTabWnd() = default;

CZUDPBaseTabWnd::~CZUDPBaseTabWnd()
{
    // A window that was never destroyed through WM_DESTROY (or never
    // created) still owns its records.
    for (INT_PTR i = 0; i < m_arTabs.GetSize(); ++i)
        delete m_arTabs[i];
    m_arTabs.RemoveAll();
    DeleteRestoredTabs();
    delete m_pRenameEdit;
}

void CZUDPBaseTabWnd::DeleteRestoredTabs()
{
    while (!m_lstRestoredTabs.IsEmpty())
        delete m_lstRestoredTabs.RemoveHead();
}

CZUDPTabInfo* CZUDPBaseTabWnd::GetTab(int iTab) const
{
    return IsValidTab(iTab) && iTab < m_arTabs.GetSize() ? m_arTabs[iTab] : nullptr;
}

// --- creation and destruction ------------------------------------------------

int CZUDPBaseTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (GetEnclosingFrame(this) == nullptr)
        m_bWrapPlainWindows = FALSE;
    if (AfxOleIsInitialized())
        m_DropTarget.Register(this);
    return 0;
}

void CZUDPBaseTabWnd::OnDestroy()
{
    DestroyAllTabs();
    m_DropTarget.Revoke();
    CZUDPWnd::OnDestroy();
}

void CZUDPBaseTabWnd::DestroyAllTabs()
{
    // The array is taken over first: destroying an owned pane removes its
    // own tab from this window, which must find nothing left to remove.
    CArray<CZUDPTabInfo*, CZUDPTabInfo*> tabs;
    for (INT_PTR i = 0; i < m_arTabs.GetSize(); ++i)
        tabs.Add(m_arTabs[i]);
    m_arTabs.RemoveAll();
    m_iTabsNum = 0;
    m_iActiveTab = -1;

    for (INT_PTR i = 0; i < tabs.GetSize(); ++i) {
        CZUDPTabInfo* pTab = tabs[i];
        const HWND hWnd = AfxSafeHwnd(pTab->m_pWnd);
        if (hWnd != nullptr && !::IsWindow(hWnd)) {
            delete pTab;
            continue;
        }
        if (m_bAutoDestroyWindow && hWnd != nullptr)
            pTab->m_pWnd->DestroyWindow();
        delete pTab;
    }
    CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTipClose);
}

void CZUDPBaseTabWnd::OnSysColorChange()
{
    CZUDPWnd::OnSysColorChange();
    InitAutoColors();
}

// --- announcements -----------------------------------------------------------

CWnd* CZUDPBaseTabWnd::GetNotifiedFrame() const
{
    CWnd* pFrame = GetTopLevelFrameOrInPlace(const_cast<CZUDPBaseTabWnd*>(this));
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == ::GetParent(m_hWnd))
        return nullptr;
    return pFrame;
}

LRESULT CZUDPBaseTabWnd::NotifyParentAndFrame(UINT message, WPARAM wParam, LPARAM lParam,
                                              LRESULT* pParentResult) const
{
    LRESULT result = 0;
    const HWND hWndParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (hWndParent != nullptr)
        result = ::SendMessageA(hWndParent, message, wParam, lParam);
    if (pParentResult != nullptr)
        *pParentResult = result;
    CWnd* pFrame = GetNotifiedFrame();
    if (pFrame != nullptr)
        result = pFrame->SendMessage(message, wParam, lParam);
    return result;
}

BOOL CZUDPBaseTabWnd::FireActiveTabChanging(int iNewTab)
{
    const HWND hWndParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (hWndParent != nullptr &&
        ::SendMessageA(hWndParent, ZUDM_ON_CHANGING_ACTIVE_TAB, WPARAM(iNewTab), LPARAM(this)) != 0)
        return TRUE;
    CWnd* pFrame = GetNotifiedFrame();
    if (pFrame == nullptr)
        return FALSE;
    return pFrame->SendMessage(ZUDM_ON_CHANGING_ACTIVE_TAB, WPARAM(iNewTab), LPARAM(this)) != 0;
}

LRESULT CZUDPBaseTabWnd::FireActiveTabChanged(int iNewTab)
{
    const LRESULT result = NotifyParentAndFrame(ZUDM_ONCHANGE_ACTIVE_TAB, WPARAM(iNewTab), LPARAM(this));
    m_bChangeAnnounced = TRUE;
    return result;
}

void CZUDPBaseTabWnd::CloseTabWindow(CWnd* pWnd)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->SendMessage(WM_CLOSE);
}

// --- inserting ---------------------------------------------------------------

void CZUDPBaseTabWnd::AddTabTool(CZUDPTabInfo* pTab, LPCRECT lpRect)
{
    if (m_pToolTip == nullptr || m_pToolTip->GetSafeHwnd() == nullptr)
        return;
    const CRect rectEmpty;
    pTab->m_rectToolTip = lpRect != nullptr ? *lpRect : rectEmpty;
    m_pToolTip->AddTool(this, m_bCustomToolTips ? LPSTR_TEXTCALLBACKA : (LPCTSTR)pTab->m_strText,
                        &pTab->m_rectToolTip, UINT_PTR(pTab->m_iTabID));
}

int CZUDPBaseTabWnd::AppendTab(CWnd* pWnd, LPCTSTR lpszLabel, int iImage, BOOL bDetachable)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && pWnd->GetDlgCtrlID() == -1)
        return -1;
    pWnd = WrapWindowForTab(pWnd, lpszLabel, bDetachable);
    return InsertTabAt(pWnd, lpszLabel, -1, iImage, bDetachable);
}

int CZUDPBaseTabWnd::AppendTabWithResourceLabel(CWnd* pWnd, UINT uiLabelId, int iImage, BOOL bDetachable)
{
    return InsertTabWithResourceLabel(pWnd, uiLabelId, -1, iImage, bDetachable);
}

int CZUDPBaseTabWnd::InsertTabWithResourceLabel(CWnd* pWnd, UINT uiLabelId, int nInsertAt, int iImage,
                                                BOOL bDetachable)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr && pWnd->GetDlgCtrlID() == -1)
        return -1;
    CString strLabel;
    {
        CZUDPLocalResource localResource;
        if (!strLabel.LoadString(uiLabelId))
            strLabel.Empty();
    }
    pWnd = WrapWindowForTab(pWnd, strLabel, bDetachable);
    return InsertTabAt(pWnd, strLabel, nInsertAt, iImage, bDetachable);
}

int CZUDPBaseTabWnd::InsertTabAt(CWnd* pWnd, LPCTSTR lpszLabel, int nInsertAt, int iImage, BOOL bDetachable)
{
    pWnd = WrapWindowForTab(pWnd, lpszLabel, bDetachable);
    if (m_hWnd != nullptr && !IsWindowVisible())
        ShowWindow(SW_SHOW);
    if (nInsertAt < 0 || nInsertAt > m_iTabsNum)
        nInsertAt = m_iTabsNum;

    CWnd* pActiveWnd = GetActiveTabWindow();
    // Only docking panes may float out of a tab window.
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CZUDPDockingControlBar)))
        bDetachable = FALSE;

    CZUDPTabInfo* pTab =
        new CZUDPTabInfo(lpszLabel != nullptr ? lpszLabel : "", iImage, pWnd, m_iNextTabId, bDetachable);
    m_arTabs.InsertAt(nInsertAt, pTab);
    ++m_iTabsNum;
    AddTabTool(pTab);
    ++m_iNextTabId;
    OnTabSetChanged();
    RecalcLayout();

    if (m_iTabsNum == 1) {
        ActivateTab(0);
    } else {
        m_iPrevActive = m_iActiveTab;
        if (nInsertAt == m_iActiveTab) {
            // The new tab takes the active position and becomes the active
            // tab; the old one moved one place on.
            m_iPrevActive = m_iActiveTab + 1;
            if (m_bHideInactiveWindow && pActiveWnd != nullptr && pActiveWnd->GetSafeHwnd() != nullptr)
                pActiveWnd->ShowWindow(SW_HIDE);
            if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
                pWnd->ShowWindow(SW_SHOWNORMAL);
        } else {
            // A tab inserted before the active one moves it one place on:
            // the active tab stays the same tab.
            if (m_iActiveTab >= 0 && nInsertAt < m_iActiveTab)
                ++m_iActiveTab;
            if (m_bHideInactiveWindow && pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
                pWnd->ShowWindow(SW_HIDE);
        }
    }
    if (!m_bHideInactiveWindow && pActiveWnd != nullptr && pActiveWnd->GetSafeHwnd() != nullptr)
        pActiveWnd->BringWindowToTop();
    return nInsertAt;
}

CWnd* CZUDPBaseTabWnd::WrapWindowForTab(CWnd* pWnd, LPCTSTR, BOOL bDetachable)
{
    // Plain windows are wrapped in a docking pane only where the wrapper
    // pane exists; until then every window stays as it is.
    if (pWnd == nullptr || pWnd->IsKindOf(RUNTIME_CLASS(CZUDPDockingControlBar)) || !bDetachable ||
        !m_bWrapPlainWindows)
        return pWnd;
    return pWnd;
}

// --- removing ----------------------------------------------------------------

BOOL CZUDPBaseTabWnd::RemoveTabAt(int iTab, BOOL bRecalcLayout)
{
    if (!IsValidTab(iTab))
        return FALSE;
    if (m_iTabsNum == 1) {
        RemoveEveryTab();
        return TRUE;
    }

    CZUDPTabInfo* pTab = m_arTabs[iTab];
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->DelTool(this, UINT_PTR(pTab->m_iTabID));
    m_arTabs.RemoveAt(iTab);
    --m_iTabsNum;
    if (m_bAutoDestroyWindow && pTab->m_pWnd != nullptr && pTab->m_pWnd->GetSafeHwnd() != nullptr)
        pTab->m_pWnd->DestroyWindow();
    delete pTab;

    int iCandidate = m_iActiveTab;
    const BOOL bActiveRemoved = m_iActiveTab == iTab;
    if (m_iActiveTab > iTab) {
        // A tab before the active one went: the active tab stays active at
        // its new index.
        --m_iActiveTab;
        iCandidate = m_iActiveTab;
    } else if (bActiveRemoved) {
        iCandidate = -1;
        if (m_bActivateLastVisibleOnRemove) {
            GetLastVisibleTab(iCandidate);
        } else {
            // The first visible tab at or after the removed position, else
            // the nearest visible one before it.
            for (int i = iTab; i < m_iTabsNum && iCandidate < 0; ++i)
                if (m_arTabs[i]->m_bVisible)
                    iCandidate = i;
            for (int i = iTab - 1; i >= 0 && iCandidate < 0; --i)
                if (m_arTabs[i]->m_bVisible)
                    iCandidate = i;
        }
        m_iActiveTab = -1;
    }

    OnTabSetChanged();
    if (!bRecalcLayout)
        return TRUE;
    RecalcLayout();
    if (iCandidate == -1)
        return TRUE;
    if (bActiveRemoved && m_bReturnToPrevOnRemove && m_iPrevActive != -1)
        iCandidate = m_iPrevActive > iTab ? m_iPrevActive - 1 : m_iPrevActive;

    int iVisible = -1;
    FindVisibleTabFrom(iCandidate, iVisible);
    ActivateTab(iVisible);
    FireActiveTabChanged(m_iActiveTab);
    return TRUE;
}

void CZUDPBaseTabWnd::RemoveEveryTab()
{
    m_iActiveTab = -1;
    m_iNextTabId = 1;
    // Taken over first, as DestroyAllTabs does.
    CArray<CZUDPTabInfo*, CZUDPTabInfo*> tabs;
    for (INT_PTR i = 0; i < m_arTabs.GetSize(); ++i)
        tabs.Add(m_arTabs[i]);
    m_arTabs.RemoveAll();
    m_iTabsNum = 0;
    for (INT_PTR i = tabs.GetSize() - 1; i >= 0; --i) {
        CZUDPTabInfo* pTab = tabs[i];
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->DelTool(this, UINT_PTR(pTab->m_iTabID));
        if (m_bAutoDestroyWindow && pTab->m_pWnd != nullptr && pTab->m_pWnd->GetSafeHwnd() != nullptr)
            pTab->m_pWnd->DestroyWindow();
        delete pTab;
    }
    OnTabSetChanged();
    RecalcLayout();
    FireActiveTabChanged(-1);
}

// --- showing and hiding ------------------------------------------------------

BOOL CZUDPBaseTabWnd::ShowTabAt(int iTab, BOOL bShow, BOOL bRecalcLayout, BOOL bActivate)
{
    CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr)
        return FALSE;
    if (!pTab->m_bVisible == !bShow)
        return TRUE;

    const int nVisibleBefore = CountVisibleTabs();
    pTab->m_bVisible = bShow;
    BOOL bActiveHidden = FALSE;
    int iCandidate = -1;
    if (bShow) {
        iCandidate = nVisibleBefore == 0 ? iTab : m_iActiveTab;
    } else {
        if (m_bHideInactiveWindow && pTab->m_pWnd != nullptr && pTab->m_pWnd->GetSafeHwnd() != nullptr)
            pTab->m_pWnd->ShowWindow(SW_HIDE);
        if (iTab == m_iActiveTab) {
            bActiveHidden = TRUE;
            for (int i = iTab + 1; i < m_iTabsNum && iCandidate < 0; ++i)
                if (m_arTabs[i]->m_bVisible)
                    iCandidate = i;
            for (int i = iTab - 1; i >= 0 && iCandidate < 0; --i)
                if (m_arTabs[i]->m_bVisible)
                    iCandidate = i;
            m_iActiveTab = -1;
        }
    }
    if (bRecalcLayout)
        RecalcLayout();
    if ((bActiveHidden && iCandidate >= 0) || bActivate || nVisibleBefore == 0) {
        ActivateTab(iCandidate);
        FireActiveTabChanged(m_iActiveTab);
    }
    return TRUE;
}

int CZUDPBaseTabWnd::CountVisibleTabs() const
{
    int n = 0;
    for (int i = 0; i < m_iTabsNum; ++i)
        if (m_arTabs[i]->m_bVisible)
            ++n;
    return n;
}

BOOL CZUDPBaseTabWnd::IsTabVisible(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    return pTab != nullptr && pTab->m_bVisible;
}

// --- reordering --------------------------------------------------------------

BOOL CZUDPBaseTabWnd::SwapTabs(int iFirst, int iSecond)
{
    if (!IsValidTab(iFirst) || !IsValidTab(iSecond))
        return FALSE;
    CZUDPTabInfo* pFirst = m_arTabs[iFirst];
    m_arTabs[iFirst] = m_arTabs[iSecond];
    m_arTabs[iSecond] = pFirst;
    return TRUE;
}

BOOL CZUDPBaseTabWnd::MoveTab(int iTab, int iNewPosition)
{
    CZUDPTabInfo* pActive = GetTab(m_iActiveTab);
    if (pActive == nullptr || !IsValidTab(iTab) || (iNewPosition != -1 && !IsValidTab(iNewPosition)))
        return FALSE;
    CZUDPTabInfo* pMoved = m_arTabs[iTab];
    m_arTabs.RemoveAt(iTab);
    if (iNewPosition == -1)
        m_arTabs.Add(pMoved);
    else
        m_arTabs.InsertAt(iNewPosition, pMoved);

    int iActiveNow = -1;
    for (int i = 0; i < m_iTabsNum; ++i)
        if (m_arTabs[i] == pActive)
            iActiveNow = i;
    if (iActiveNow != -1 && iActiveNow != m_iActiveTab) {
        // The active tab moved: the active index follows it (the old index
        // names another tab now) and the new index is announced.  The tab
        // itself stays active, so there is no change to veto.
        m_iActiveTab = iActiveNow;
        FireActiveTabChanged(m_iActiveTab);
    }
    RecalcLayout();
    return TRUE;
}

BOOL CZUDPBaseTabWnd::ReorderTabs(const CArray<int, int>& order)
{
    if (order.GetSize() != m_iTabsNum)
        return FALSE;
    // Only a permutation: a repeated index would put one record in two
    // places.
    std::vector<bool> seen(size_t(m_iTabsNum), false);
    for (INT_PTR j = 0; j < order.GetSize(); ++j) {
        const int i = order[j];
        if (!IsValidTab(i) || seen[size_t(i)])
            return FALSE;
        seen[size_t(i)] = true;
    }
    CZUDPTabInfo* pActive = GetTab(m_iActiveTab);
    CArray<CZUDPTabInfo*, CZUDPTabInfo*> reordered;
    for (INT_PTR j = 0; j < order.GetSize(); ++j)
        reordered.Add(m_arTabs[order[j]]);
    for (int j = 0; j < m_iTabsNum; ++j) {
        m_arTabs[j] = reordered[j];
        if (reordered[j] == pActive)
            m_iActiveTab = j;
    }
    return TRUE;
}

// --- queries -----------------------------------------------------------------

CWnd* CZUDPBaseTabWnd::GetTabWindow(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->m_pWnd : nullptr;
}

CWnd* CZUDPBaseTabWnd::GetTabWindowUnwrapped(int iTab) const
{
    // The wrapper pane comes with the docking panes; until then no tab's
    // window is a wrapper.
    return GetTabWindow(iTab);
}

CWnd* CZUDPBaseTabWnd::GetActiveTabWindow() const { return GetTabWindow(m_iActiveTab); }

BOOL CZUDPBaseTabWnd::GetTabRectAt(int iTab, CRect& rect) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr)
        return FALSE;
    if (!pTab->m_bVisible) {
        rect.SetRectEmpty();
        return FALSE;
    }
    rect = pTab->m_rect;
    return TRUE;
}

BOOL CZUDPBaseTabWnd::GetTabLabelText(int iTab, CString& strLabel) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr)
        return FALSE;
    strLabel = pTab->m_bIconOnly ? CString() : pTab->m_strText;
    return TRUE;
}

int CZUDPBaseTabWnd::GetTabImageIndex(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->m_iImage : -1;
}

HICON CZUDPBaseTabWnd::GetTabIconHandle(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->m_hIcon : nullptr;
}

COLORREF CZUDPBaseTabWnd::GetTabTextColor(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->m_clrText : (COLORREF)-1;
}

int CZUDPBaseTabWnd::GetTabFullWidth(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->m_nFullWidth : 0;
}

BOOL CZUDPBaseTabWnd::IsTabDetachable(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    return pTab != nullptr && pTab->m_bIsDetachable;
}

BOOL CZUDPBaseTabWnd::IsTabIconOnly(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    return pTab != nullptr && pTab->m_bIconOnly;
}

int CZUDPBaseTabWnd::GetTabId(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->m_iTabID : -1;
}

int CZUDPBaseTabWnd::HitTestTab(CPoint point) const
{
    for (int i = 0; i < m_iTabsNum; ++i)
        if (m_arTabs[i]->m_bVisible && m_arTabs[i]->m_rect.PtInRect(point))
            return i;
    return -1;
}

int CZUDPBaseTabWnd::FindTabByWindow(HWND hWnd) const
{
    for (int i = 0; i < m_iTabsNum; ++i) {
        const CWnd* pWnd = m_arTabs[i]->m_pWnd;
        if (pWnd != nullptr && pWnd->GetSafeHwnd() == hWnd)
            return i;
    }
    return -1;
}

int CZUDPBaseTabWnd::FindTabById(int iTabID) const
{
    for (int i = 0; i < m_iTabsNum; ++i)
        if (m_arTabs[i]->m_iTabID == iTabID)
            return i;
    return -1;
}

int CZUDPBaseTabWnd::FindTabInfoByCtrlId(int nCtrlId, CZUDPTabInfo*& pTab) const
{
    for (int i = 0; i < m_iTabsNum; ++i) {
        CZUDPTabInfo* pCandidate = m_arTabs[i];
        if (pCandidate->m_pWnd != nullptr && pCandidate->m_pWnd->GetSafeHwnd() != nullptr &&
            pCandidate->m_pWnd->GetDlgCtrlID() == nCtrlId) {
            pTab = pCandidate;
            return i;
        }
    }
    pTab = nullptr;
    return 0;
}

CWnd* CZUDPBaseTabWnd::FindVisibleTabFrom(int iStart, int& iTab) const
{
    for (int i = std::max(iStart, 0); i < m_iTabsNum; ++i) {
        if (m_arTabs[i]->m_bVisible) {
            iTab = i;
            return m_arTabs[i]->m_pWnd;
        }
    }
    if (iStart > 0)
        return FindVisibleTabFrom(0, iTab);
    iTab = -1;
    return nullptr;
}

CWnd* CZUDPBaseTabWnd::GetFirstVisibleTab(int& iTab) const { return FindVisibleTabFrom(0, iTab); }

CWnd* CZUDPBaseTabWnd::GetLastVisibleTab(int& iTab) const
{
    for (int i = m_iTabsNum - 1; i >= 0; --i) {
        if (m_arTabs[i]->m_bVisible) {
            iTab = i;
            return m_arTabs[i]->m_pWnd;
        }
    }
    iTab = -1;
    return nullptr;
}

void CZUDPBaseTabWnd::GetLargestPaneMinSize(CSize& size) const
{
    size = CSize(0, 0);
    for (int i = 0; i < m_iTabsNum; ++i) {
        CWnd* pWnd = m_arTabs[i]->m_pWnd;
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            continue;
        // A pane's own full size as a horizontal bar; any other window's
        // present size.
        CSize sizeWnd;
        if (auto* pBar = DYNAMIC_DOWNCAST(CZUDPBaseControlBar, pWnd)) {
            sizeWnd = pBar->CalcStretchSize(FALSE, TRUE);
        } else {
            CRect rect;
            pWnd->GetWindowRect(&rect);
            sizeWnd = rect.Size();
        }
        size.cx = std::max<LONG>(size.cx, sizeWnd.cx);
        size.cy = std::max<LONG>(size.cy, sizeWnd.cy);
    }
}

BOOL CZUDPBaseTabWnd::HasTabColors() const
{
    for (int i = 0; i < m_iTabsNum; ++i)
        if (GetTabBackColor(i) != (COLORREF)-1)
            return TRUE;
    return FALSE;
}

// --- changing tabs -----------------------------------------------------------

BOOL CZUDPBaseTabWnd::SetTabLabelText(int iTab, LPCTSTR lpszLabel)
{
    CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr || lpszLabel == nullptr || *lpszLabel == '\0')
        return FALSE;
    pTab->m_strText = lpszLabel;
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr) {
        if (m_bCustomToolTips) {
            TOOLINFOA ti = {};
            CRect rectTool;
            if (m_pToolTip->GetToolInfo(ti, this, UINT_PTR(pTab->m_iTabID)))
                rectTool = ti.rect;
            m_pToolTip->DelTool(this, UINT_PTR(pTab->m_iTabID));
            m_pToolTip->AddTool(this, LPSTR_TEXTCALLBACKA, &rectTool, UINT_PTR(pTab->m_iTabID));
        } else {
            m_pToolTip->UpdateTipText(lpszLabel, this, UINT_PTR(pTab->m_iTabID));
        }
    }
    if (pTab->m_pWnd != nullptr && pTab->m_pWnd->GetSafeHwnd() != nullptr)
        pTab->m_pWnd->SetWindowText(lpszLabel);
    RecalcLayout();

    if (iTab == m_iActiveTab && m_hWnd != nullptr) {
        CWnd* pParent = GetParent();
        if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPBaseTabbedBar)) &&
            static_cast<CZUDPBaseTabbedBar*>(pParent)->CaptionFollowsTab()) {
            pParent->SetWindowText(lpszLabel);
            // The caption is drawn by the pane, or by its floating frame.
            CWnd* pHolder = static_cast<CZUDPBaseTabbedBar*>(pParent)->GetParentMiniFrame();
            if (pHolder == nullptr)
                pHolder = pParent;
            pHolder->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        }
    }
    return TRUE;
}

BOOL CZUDPBaseTabWnd::SetTabImageIndex(int iTab, int iImage)
{
    CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr)
        return FALSE;
    pTab->SetIcon(nullptr);
    pTab->m_iImage = iImage;
    return TRUE;
}

BOOL CZUDPBaseTabWnd::SetTabIconOnly(int iTab, BOOL bIconOnly, BOOL bAlwaysShowToolTip)
{
    CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr)
        return FALSE;
    pTab->m_bIconOnly = bIconOnly;
    pTab->m_bAlwaysShowToolTip = bAlwaysShowToolTip;
    RecalcLayout();
    return TRUE;
}

namespace {

// Stores a value in one field of a tab's record; FALSE for no tab.
template <typename T>
BOOL StoreInTabRecord(CZUDPTabInfo* pTab, T CZUDPTabInfo::*pField, T value)
{
    if (pTab == nullptr)
        return FALSE;
    pTab->*pField = value;
    return TRUE;
}

} // namespace

BOOL CZUDPBaseTabWnd::SetTabBackColor(int iTab, COLORREF clr)
{
    return StoreInTabRecord(GetTab(iTab), &CZUDPTabInfo::m_clrBack, clr);
}

BOOL CZUDPBaseTabWnd::SetTabTextColor(int iTab, COLORREF clr)
{
    return StoreInTabRecord(GetTab(iTab), &CZUDPTabInfo::m_clrText, clr);
}

BOOL CZUDPBaseTabWnd::SetTabDetachable(int iTab, BOOL bDetachable)
{
    return StoreInTabRecord(GetTab(iTab), &CZUDPTabInfo::m_bIsDetachable, bDetachable);
}

BOOL CZUDPBaseTabWnd::CanRenameTab(int, const CString&) const { return TRUE; }

BOOL CZUDPBaseTabWnd::EnsureTabVisible(int) { return FALSE; }

// --- settings ----------------------------------------------------------------

void CZUDPBaseTabWnd::SetActiveTabBackColor(COLORREF clr)
{
    m_clrActiveTabBk = clr;
    m_brActiveTab.DeleteObject();
    m_brActiveTab.CreateSolidBrush(GetActiveTabBackColor());
}

void CZUDPBaseTabWnd::SetActiveTabTextColor(COLORREF clr) { m_clrActiveTabFg = clr; }

COLORREF CZUDPBaseTabWnd::GetActiveTabBackColor() const
{
    return m_clrActiveTabBk == (COLORREF)-1 ? g_uiEnvironment.m_colorWindow : m_clrActiveTabBk;
}

COLORREF CZUDPBaseTabWnd::GetActiveTabTextColor() const
{
    return m_clrActiveTabFg == (COLORREF)-1 ? g_uiEnvironment.m_colorWindowText : m_clrActiveTabFg;
}

void CZUDPBaseTabWnd::SetTabBorderSize(int nSize, BOOL bRepaint)
{
    if (nSize == -1)
        nSize = 2;
    if (nSize == m_nTabBorderSize)
        return;
    m_nTabBorderSize = nSize;
    RecalcLayout();
    if (bRepaint && m_hWnd != nullptr) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

int CZUDPBaseTabWnd::GetTabBorderSize() const { return GetTabHeight() < 1 ? 0 : m_nTabBorderSize; }

void CZUDPBaseTabWnd::SetTabLocation(ZUDPTabLocation location)
{
    m_location = location;
    RecalcLayout();
    if (m_hWnd != nullptr) {
        CWnd* pParent = GetParent();
        if (pParent != nullptr)
            pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void CZUDPBaseTabWnd::HideForSingleTab(BOOL bHide)
{
    if (!m_bHideSingleTab == !bHide)
        return;
    m_bHideSingleTab = bHide;
    if (m_hWnd != nullptr)
        RecalcLayout();
}

void CZUDPBaseTabWnd::SetLabelNoPrefix(BOOL bNoPrefix, BOOL bRepaint)
{
    m_bNoPrefix = bNoPrefix;
    if (bRepaint && m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
