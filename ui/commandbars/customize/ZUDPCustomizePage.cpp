#include "ui/commandbars/customize/ZUDPCustomizePage.h"

#include "framework/win/CmdTarget.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/Ole.h"
#include "res/ui/commandbars.h"
#include "res/ui/customize.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarDropSource.h"
#include "ui/commandbars/customize/ZUDPToolbarCustomize.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <mbstring.h>

// ---------------------------------------------------------------------------
// The command list

void CButtonsTextList::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    m_sizeButton = CZUDPToolBar::GetMenuItemImageSize() + CSize(6, 6);
    if (g_uiEnvironment.m_textHeight > m_sizeButton.cy)
        m_sizeButton.cy = g_uiEnvironment.m_textHeight;
}

void CButtonsTextList::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS != nullptr && lpMIS->itemHeight < UINT(m_sizeButton.cy))
        lpMIS->itemHeight = UINT(m_sizeButton.cy);
}

void CButtonsTextList::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr || int(lpDIS->itemID) < 0 || int(lpDIS->itemID) >= GetCount())
        return;
    CZUDPToolbarButton* pButton = reinterpret_cast<CZUDPToolbarButton*>(lpDIS->itemData);
    if (pButton == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect = lpDIS->rcItem;

    // The list shows the text it was given (a menu path, say) in place of
    // the button's own.
    const CString strSaved = pButton->text;
    GetText(int(lpDIS->itemID), pButton->text);
    CZUDPVisualManager::GetActiveManager()->FillCustomizeSelection(pDC, rect, FALSE);
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) && (lpDIS->itemState & ODS_FOCUS);
    pButton->DrawInCommandList(pDC, rect, bSelected);
    pButton->text = strSaved;
}

void CButtonsTextList::OnLButtonDown(UINT nFlags, LPARAM lParam)
{
    CListBox::WindowProc(WM_LBUTTONDOWN, nFlags, lParam);
    const int iSel = GetCurSel();
    if (iSel < 0)
        return;
    CRect rectItem;
    GetItemRect(iSel, rectItem);
    const CPoint point(short(LOWORD(lParam)), short(HIWORD(lParam)));
    if (!rectItem.PtInRect(point))
        return;
    CZUDPToolbarButton* pButton = reinterpret_cast<CZUDPToolbarButton*>(GetItemData(iSel));
    if (pButton == nullptr)
        return;
    SendMessage(WM_LBUTTONUP, 0, lParam);

    COleDataSource source;
    pButton->fromCommandList = TRUE;
    const BOOL bExported = pButton->ExportDragData(source);
    pButton->fromCommandList = FALSE;
    if (!bExported)
        return;
    if (HCURSOR hCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZUDP_DRAG_DELETE)))
        ::SetCursor(hCursor);
    source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &rectItem, &g_toolbarDropSource);
}

LRESULT CButtonsTextList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        CDC* pDC = CDC::FromHandle(HDC(wParam));
        CRect rectClient;
        GetClientRect(rectClient);
        CZUDPVisualManager::GetActiveManager()->FillCustomizeSelection(pDC, rectClient, FALSE);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        OnLButtonDown(UINT(wParam), lParam);
        return 0;
    default:
        return CListBox::WindowProc(message, wParam, lParam);
    }
}

// ---------------------------------------------------------------------------
// The page

IMPLEMENT_DYNAMIC(CZUDPCustomizePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPCustomizePage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_ZUDP_CUSTOMIZE_CATEGORIES, &CZUDPCustomizePage::OnSelchangeCategory)
    ON_LBN_SELCHANGE(IDC_ZUDP_CUSTOMIZE_COMMANDS, &CZUDPCustomizePage::OnSelchangeCommands)
END_MESSAGE_MAP()

CZUDPCustomizePage::CZUDPCustomizePage() : CPropertyPage(IDD_ZUDP_CUSTOMIZE_COMMANDS) {}

void CZUDPCustomizePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_CUSTOMIZE_CATEGORIES, m_wndCategory);
    DDX_Control(pDX, IDC_ZUDP_CUSTOMIZE_COMMANDS, m_wndTools);
    DDX_Text(pDX, IDC_ZUDP_CUSTOMIZE_DESCRIPTION, m_strButtonDescription);
}

BOOL CZUDPCustomizePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (CZUDPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CZUDPToolbarCustomize, GetParent())) {
        pSheet->FillCategoriesListBox(m_wndCategory, TRUE);
        m_wndCategory.SetCurSel(0);
        OnSelchangeCategory();
    }
    return TRUE;
}

void CZUDPCustomizePage::OnSelchangeCategory()
{
    UpdateData();
    const int iCategory = m_wndCategory.GetCurSel();
    if (iCategory < 0)
        return;
    CWaitCursor wait;
    m_wndTools.SetRedraw(FALSE);
    m_wndTools.ResetContent();

    CString strCategory;
    m_wndCategory.GetText(iCategory, strCategory);
    const BOOL bAllCommands = strCategory == m_strAllCategory;
    OnChangeSelButton(nullptr);

    CZUDPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CZUDPToolbarCustomize, GetParent());
    CObList* pCategory = static_cast<CObList*>(m_wndCategory.GetItemDataPtr(iCategory));
    if (pCategory != nullptr && pCategory != reinterpret_cast<CObList*>(LB_ERR)) {
        for (POSITION pos = pCategory->GetHeadPosition(); pos != nullptr;) {
            CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(pCategory->GetNext(pos));
            pButton->usesUserImage = pButton->commandId != (UINT)-1 &&
                                     GetCommandManager()->LookupCommandImage(pButton->commandId) < 0;
            CString strText = pButton->text;
            if (!pButton->menuPath.IsEmpty() &&
                (bAllCommands || (pSheet != nullptr && pSheet->GetCountInCategory(strText, *pCategory) > 1)))
                strText = pButton->menuPath;

            int iItem = -1;
            if (bAllCommands) {
                // Sorted: before the first item whose text compares greater.
                const int nCount = m_wndTools.GetCount();
                for (int i = 0; i < nCount; ++i) {
                    CString strItem;
                    m_wndTools.GetText(i, strItem);
                    if (_mbscmp(reinterpret_cast<const unsigned char*>((LPCTSTR)strItem),
                                reinterpret_cast<const unsigned char*>((LPCTSTR)strText)) > 0) {
                        iItem = m_wndTools.InsertString(i, strText);
                        break;
                    }
                }
            }
            if (iItem < 0)
                iItem = m_wndTools.AddString(strText);
            m_wndTools.SetItemDataPtr(iItem, pButton);
        }
    }
    m_wndTools.SetRedraw(TRUE);
    m_wndTools.Invalidate();
}

void CZUDPCustomizePage::OnSelchangeCommands()
{
    const int iSel = m_wndTools.GetCurSel();
    OnChangeSelButton(iSel < 0 ? nullptr : reinterpret_cast<CZUDPToolbarButton*>(m_wndTools.GetItemData(iSel)));
}

void CZUDPCustomizePage::OnChangeSelButton(CZUDPToolbarButton* pButton)
{
    m_strButtonDescription.Empty();
    if (pButton != nullptr) {
        if (pButton->commandId != 0) {
            CZUDPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CZUDPToolbarCustomize, GetParent());
            CFrameWnd* pFrame = pSheet != nullptr ? pSheet->GetParentFrame() : nullptr;
            if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
                pFrame->GetMessageString(pButton->commandId, m_strButtonDescription);
        } else {
            m_strButtonDescription = pButton->text;
        }
    }
    m_pSelButton = pButton;
    UpdateData(FALSE);
}
