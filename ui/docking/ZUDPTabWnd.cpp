#include "ui/docking/ZUDPTabWnd.h"

#include "ui/docking/ZUDPDockingControlBar.h"

IMPLEMENT_DYNAMIC(CZUDPBaseTabWnd, CZUDPWnd)
IMPLEMENT_DYNCREATE(CZUDPTabWnd, CZUDPBaseTabWnd)

int g_tabImageMargin = 4;

CZUDPBaseTabWnd::~CZUDPBaseTabWnd()
{
    for (INT_PTR i = 0; i < m_tabs.GetSize(); ++i)
        delete m_tabs[i];
}

void CZUDPBaseTabWnd::AppendTab(CWnd* pWnd, LPCTSTR lpszLabel, int iImage, BOOL bDetachable)
{
    TabInfo* pTab = new TabInfo;
    pTab->pWnd = pWnd;
    pTab->strLabel = lpszLabel != nullptr ? lpszLabel : "";
    pTab->iImage = iImage;
    pTab->bDetachable = bDetachable;
    m_tabs.Add(pTab);
    if (pWnd != nullptr && pWnd->m_hWnd != nullptr && GetTabsNum() - 1 != m_iActiveTab)
        pWnd->ShowWindow(SW_HIDE);
}

const CZUDPBaseTabWnd::TabInfo* CZUDPBaseTabWnd::GetTab(int iTab) const
{
    return iTab >= 0 && iTab < GetTabsNum() ? m_tabs[iTab] : nullptr;
}

CWnd* CZUDPBaseTabWnd::GetTabWnd(int iTab) const
{
    const TabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->pWnd : nullptr;
}

void CZUDPBaseTabWnd::SetTabColors(int iTab, COLORREF clrBack, COLORREF clrText)
{
    if (iTab >= 0 && iTab < GetTabsNum()) {
        m_tabs[iTab]->clrBack = clrBack;
        m_tabs[iTab]->clrText = clrText;
    }
}

void CZUDPBaseTabWnd::SetTabIcon(int iTab, HICON hIcon)
{
    if (iTab >= 0 && iTab < GetTabsNum())
        m_tabs[iTab]->hIcon = hIcon;
}

int CZUDPBaseTabWnd::FindTabByWindow(HWND hWnd) const
{
    if (hWnd == nullptr)
        return -1;
    for (int i = 0; i < GetTabsNum(); ++i) {
        CWnd* pWnd = m_tabs[i]->pWnd;
        if (pWnd == nullptr)
            continue;
        if (pWnd->GetSafeHwnd() == hWnd)
            return i;
        if (CZUDPDockingCBWrapper* pWrapper = DYNAMIC_DOWNCAST(CZUDPDockingCBWrapper, pWnd)) {
            if (AfxSafeHwnd(pWrapper->GetWrappedWindow()) == hWnd)
                return i;
        }
    }
    return -1;
}

BOOL CZUDPBaseTabWnd::IsTabVisible(int iTab) const
{
    const TabInfo* pTab = GetTab(iTab);
    return pTab != nullptr && pTab->bVisible;
}

BOOL CZUDPBaseTabWnd::IsTabDetachable(int iTab) const
{
    const TabInfo* pTab = GetTab(iTab);
    return pTab != nullptr && pTab->bDetachable;
}

int CZUDPBaseTabWnd::CountVisibleTabs() const
{
    int nVisible = 0;
    for (int i = 0; i < GetTabsNum(); ++i)
        nVisible += m_tabs[i]->bVisible ? 1 : 0;
    return nVisible;
}

BOOL CZUDPBaseTabWnd::ShowTabAt(int iTab, BOOL bShow, BOOL bRecalc, BOOL bActivate)
{
    (void)bRecalc;
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    TabInfo* pTab = m_tabs[iTab];
    if (pTab->bVisible == bShow)
        return TRUE;
    pTab->bVisible = bShow;
    if (!bShow && pTab->pWnd != nullptr && pTab->pWnd->GetSafeHwnd() != nullptr)
        pTab->pWnd->ShowWindow(SW_HIDE);
    if (!bShow && iTab == m_iActiveTab) {
        m_iActiveTab = -1;
        for (int i = 0; i < GetTabsNum(); ++i) {
            if (m_tabs[i]->bVisible) {
                m_iActiveTab = i;
                break;
            }
        }
    } else if (bShow && (bActivate || m_iActiveTab < 0)) {
        m_iActiveTab = iTab;
    }
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CZUDPBaseTabWnd::GetTabLabelText(int iTab, CString& strLabel) const
{
    const TabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr)
        return FALSE;
    strLabel = pTab->strLabel;
    return TRUE;
}

int CZUDPBaseTabWnd::GetTabImageIndex(int iTab) const
{
    const TabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->iImage : -1;
}

HICON CZUDPBaseTabWnd::GetTabIconHandle(int iTab) const
{
    const TabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->hIcon : nullptr;
}

COLORREF CZUDPBaseTabWnd::GetTabBackColor(int iTab) const
{
    const TabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->clrBack : (COLORREF)-1;
}

COLORREF CZUDPBaseTabWnd::GetTabTextColor(int iTab) const
{
    const TabInfo* pTab = GetTab(iTab);
    return pTab != nullptr ? pTab->clrText : (COLORREF)-1;
}

// ---------------------------------------------------------------------------

BOOL CZUDPTabWnd::CreateWithStyle(int nStyleCode, const RECT& rect, CWnd* pParentWnd, UINT nID, int nLocation,
                                  BOOL bFlat)
{
    m_nStyleCode = nStyleCode;
    m_bTabsOnTop = nLocation == 1;
    m_bFlat = bFlat;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    if (!CreateEx(0, lpszClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, rect, pParentWnd, nID))
        return FALSE;
    GetClientRect(&m_rectWndArea);
    return TRUE;
}

BOOL CZUDPTabWnd::ActivateTab(int iTab)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    CWnd* pOld = GetTabWnd(m_iActiveTab);
    CWnd* pNew = GetTabWnd(iTab);
    if (pOld != nullptr && pOld != pNew && pOld->m_hWnd != nullptr)
        pOld->ShowWindow(SW_HIDE);
    m_iActiveTab = iTab;
    if (pNew != nullptr && pNew->m_hWnd != nullptr) {
        pNew->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

BOOL CZUDPTabWnd::EnsureTabVisible(int iTab)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    if (iTab < m_iFirstScrolledTab)
        m_iFirstScrolledTab = iTab;
    return TRUE;
}
