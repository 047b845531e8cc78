#include "ui/docking/ZUDPStatusBar.h"

IMPLEMENT_DYNAMIC(CZUDPStatusBar, CZUDPControlBar)

BOOL CZUDPStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (lpIDArray == nullptr || nIDCount <= 0)
        return FALSE;
    m_panes.RemoveAll();
    for (int i = 0; i < nIDCount; ++i) {
        ZUDP_STATUSBAR_PANE pane;
        pane.nID = lpIDArray[i];
        if (pane.nID != 0)
            pane.strText.LoadString(pane.nID);
        m_panes.Add(pane);
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return TRUE;
}

int CZUDPStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_panes.GetSize(); ++i) {
        if (m_panes[i].nID == nIDFind)
            return i;
    }
    return -1;
}

int CZUDPStatusBar::ResolvePane(int nIndex) const
{
    if (nIndex == kMessagePane) {
        const int nMessage = CommandToIndex(0);
        return nMessage >= 0 ? nMessage : (m_panes.GetSize() > 0 ? 0 : -1);
    }
    return nIndex >= 0 && nIndex < m_panes.GetSize() ? nIndex : -1;
}

BOOL CZUDPStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    const int nPane = ResolvePane(nIndex);
    if (nPane < 0)
        return FALSE;
    const CString strNew = lpszNewText != nullptr ? lpszNewText : "";
    if (m_panes[nPane].strText == strNew)
        return TRUE;
    m_panes[nPane].strText = strNew;
    if (bUpdate && GetSafeHwnd() != nullptr) {
        Invalidate();
        UpdateWindow();
    }
    return TRUE;
}

CString CZUDPStatusBar::GetPaneText(int nIndex) const
{
    const int nPane = ResolvePane(nIndex);
    return nPane >= 0 ? m_panes[nPane].strText : CString();
}

const ZUDP_STATUSBAR_PANE* CZUDPStatusBar::GetPane(int nIndex) const
{
    const int nPane = ResolvePane(nIndex);
    return nPane >= 0 ? &m_panes[nPane] : nullptr;
}
