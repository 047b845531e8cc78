#include "ui/foundation/ZUDPShowAllButton.h"

#include "framework/win/DC.h"
#include "res/ui/foundation.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPKeyHelper.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CZUDPShowAllButton, CZUDPToolbarMenuButton)

void CZUDPShowAllButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages*, BOOL, BOOL,
                                    BOOL bHighlight, BOOL, BOOL)
{
    if (pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    PaintBackground(pDC, rectButton, bHighlight, FALSE);
    CRect rectArrow = rectButton;
    rectArrow.DeflateRect(1, 1);
    const BOOL bPushed = (style & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
    pManager->DrawShowAllButtonArrow(pDC, rectArrow);
    if (bPushed)
        pManager->DrawButtonBorder(pDC, this, rectArrow, ZUDP_BUTTON_PUSHED);
    else if (bHighlight)
        pManager->DrawButtonBorder(pDC, this, rectArrow, ZUDP_BUTTON_HIGHLIGHTED);
}

SIZE CZUDPShowAllButton::CalcSize(CDC* pDC, const CSize&, BOOL)
{
    return CSize(50, CZUDPVisualManager::GetActiveManager()->GetShowAllButtonHeight(this, pDC));
}

BOOL CZUDPShowAllButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    CZUDPPopupMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWnd);
    if (pMenuBar == nullptr)
        return FALSE;
    if (!bDelay) {
        CZUDPPopupMenu* pPopup = DYNAMIC_DOWNCAST(CZUDPPopupMenu, pMenuBar->GetParent());
        if (pPopup == nullptr)
            return FALSE;
        pPopup->ExpandFullMenu();
        return TRUE;
    }
    if (g_showAllMenusAfterDelay)
        pMenuBar->ScheduleSubMenuOpen(this, 2);
    return TRUE;
}

BOOL CZUDPShowAllButton::OpenPopupMenu(CWnd* pWnd)
{
    return OnClick(pWnd != nullptr ? pWnd : parentWnd, FALSE);
}

CString CZUDPShowAllButton::GetTooltipText()
{
    // The key of the expansion: Ctrl+Down.
    ACCEL accel = {};
    accel.fVirt = FVIRTKEY | FCONTROL;
    accel.key = VK_DOWN;
    CZUDPKeyHelper helper(&accel);
    CString strKey;
    helper.FormatShortcut(strKey);
    CString strFormat;
    if (!strFormat.LoadString(IDS_ZUDP_EXPAND_KEY))
        strFormat = "Expand (%s)";
    // The format comes from the resources: only its one "%s" is replaced.
    const int nAt = strFormat.Find("%s");
    if (nAt < 0)
        return strFormat;
    return strFormat.Left(nAt) + strKey + strFormat.Mid(nAt + 2);
}

BOOL CZUDPShowAllButton::FillToolInfo(CWnd*, TOOLINFOA* pTI)
{
    if (pTI == nullptr)
        return FALSE;
    const CString strText = GetTooltipText();
    pTI->lpszText = static_cast<LPSTR>(std::malloc(size_t(strText.GetLength()) + 1));
    if (pTI->lpszText == nullptr)
        return FALSE;
    std::memcpy(pTI->lpszText, (LPCSTR)strText, size_t(strText.GetLength()) + 1);
    pTI->uId = 0;
    return TRUE;
}
