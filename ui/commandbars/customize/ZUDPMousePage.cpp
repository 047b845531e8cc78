#include "ui/commandbars/customize/ZUDPMousePage.h"

#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"
#include "res/ui/customize-pages.h"
#include "ui/commandbars/customize/ZUDPCustomizePages.h"
#include "ui/commandbars/customize/ZUDPCustomizePageHost.h"
#include "ui/commandbars/customize/ZUDPCustomizePageSupport.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMouseManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CZUDPMousePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPMousePage, CPropertyPage)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ZUDP_MOUSE_VIEWS, &CZUDPMousePage::OnItemchangedListViews)
    ON_BN_CLICKED(IDC_ZUDP_MOUSE_NO_DBLCLICK, &CZUDPMousePage::OnNoDblClick)
    ON_BN_CLICKED(IDC_ZUDP_MOUSE_USE_DBLCLICK, &CZUDPMousePage::OnUseDblClick)
    ON_LBN_SELCHANGE(IDC_ZUDP_MOUSE_COMMANDS, &CZUDPMousePage::OnSelchangeListOfCommands)
END_MESSAGE_MAP()

CZUDPMousePage::CZUDPMousePage() : CPropertyPage(IDD_ZUDP_MOUSE_PAGE) {}

CZUDPMousePage::~CZUDPMousePage() = default;

void CZUDPMousePage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_MOUSE_VIEWS, m_wndListOfViews);
    DDX_Control(pDX, IDC_ZUDP_MOUSE_COMMANDS, m_wndListOfCommands);
    DDX_Control(pDX, IDC_ZUDP_MOUSE_DESCRIPTION, m_wndCommandDescription);
    DDX_Text(pDX, IDC_ZUDP_MOUSE_DESCRIPTION, m_strCommandDescription);
}

BOOL CZUDPMousePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    CStringList names;
    if (g_mouseManager != nullptr)
        g_mouseManager->ListViewNames(names);

    const int cxIcon = g_uiEnvironment.m_smallIconWidth > 0 ? g_uiEnvironment.m_smallIconWidth : 16;
    const int cyIcon = g_uiEnvironment.m_smallIconHeight > 0 ? g_uiEnvironment.m_smallIconHeight : 16;
    m_ViewsImages.Create(cxIcon, cyIcon, ILC_COLOR32 | ILC_MASK, int(names.GetCount()), 1);
    m_wndListOfViews.SetImageList(&m_ViewsImages, LVSIL_SMALL);

    CRect rectClient;
    m_wndListOfViews.GetClientRect(&rectClient);
    m_wndListOfViews.InsertColumn(0, "", LVCFMT_LEFT, rectClient.Width() - 1);

    int cxMaxText = 0;
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;) {
        const CString strName = names.GetNext(pos);
        const int iViewId = g_mouseManager->FindViewId(strName);
        int iImage = -1;
        if (const UINT uiIconId = g_mouseManager->LookupViewIcon(iViewId)) {
            HICON hIcon = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(uiIconId),
                                                          IMAGE_ICON, cxIcon, cyIcon, 0));
            if (hIcon != nullptr) {
                iImage = m_ViewsImages.Add(hIcon);
                ::DestroyIcon(hIcon);
            }
        }
        // Sorted by name, byte by byte, whatever the registration order.
        int iInsert = 0;
        const int nItems = m_wndListOfViews.GetItemCount();
        while (iInsert < nItems && std::strcmp(m_wndListOfViews.GetItemText(iInsert, 0), strName) <= 0)
            ++iInsert;
        m_wndListOfViews.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, iInsert, strName, 0, 0, iImage,
                                    LPARAM(iViewId));
        cxMaxText = std::max(cxMaxText, m_wndListOfViews.GetStringWidth(strName));
    }

    IMAGEINFO info = {};
    const int cxImage = m_ViewsImages.GetImageInfo(0, &info) ? info.rcImage.right - info.rcImage.left : 0;
    m_wndListOfViews.SetColumnWidth(0, cxImage + cxMaxText + 10);

    if (CZUDPCustomizePageHost* pHost = customize_pages::FindHost(m_pHost, this))
        pHost->FillAllCommandsList(m_wndListOfCommands);

    m_wndListOfViews.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_wndListOfViews.EnsureVisible(0, FALSE);
    return TRUE;
}

CString CZUDPMousePage::DescriptionOf(UINT uiCmd) const
{
    CString strDescription;
    CPropertySheet* pSheet = GetParentSheet();
    CWnd* pOwner = pSheet != nullptr ? pSheet->GetOwner() : nullptr;
    if (auto* pFrame = dynamic_cast<CFrameWnd*>(pOwner))
        pFrame->GetMessageString(uiCmd, strDescription);
    return strDescription;
}

void CZUDPMousePage::OnItemchangedListViews(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pNMListView = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if ((pNMListView->uChanged & LVIF_STATE) == 0)
        return;
    const int iSelected = m_wndListOfViews.GetNextItem(-1, LVNI_SELECTED);
    if (iSelected < 0)
        return;
    m_iCurrViewId = int(m_wndListOfViews.GetItemData(iSelected));
    const UINT uiCmd = g_mouseManager != nullptr ? g_mouseManager->LookupDblClickCommand(m_iCurrViewId) : 0;
    if (uiCmd != 0) {
        CheckDlgButton(IDC_ZUDP_MOUSE_USE_DBLCLICK, BST_CHECKED);
        CheckDlgButton(IDC_ZUDP_MOUSE_NO_DBLCLICK, BST_UNCHECKED);
        EnableDblClickControls(TRUE);
        SelectCommand(uiCmd);
    } else {
        CheckDlgButton(IDC_ZUDP_MOUSE_NO_DBLCLICK, BST_CHECKED);
        CheckDlgButton(IDC_ZUDP_MOUSE_USE_DBLCLICK, BST_UNCHECKED);
        EnableDblClickControls(FALSE);
    }
}

void CZUDPMousePage::OnNoDblClick()
{
    if (m_iCurrViewId >= 0 && g_mouseManager != nullptr)
        g_mouseManager->AssignDblClickCommand(m_iCurrViewId, 0);
    EnableDblClickControls(FALSE);
}

void CZUDPMousePage::OnUseDblClick()
{
    EnableDblClickControls(TRUE);
    if (m_iCurrViewId < 0) {
        g_foundationSeams.messageBeep(UINT(-1));
        return;
    }
    if (g_mouseManager != nullptr)
        g_mouseManager->AssignDblClickCommand(m_iCurrViewId, 0);
}

void CZUDPMousePage::OnSelchangeListOfCommands()
{
    if (m_iCurrViewId < 0) {
        g_foundationSeams.messageBeep(UINT(-1));
        return;
    }
    const int iIndex = m_wndListOfCommands.GetCurSel();
    if (iIndex == LB_ERR)
        return;
    const UINT uiCmd = UINT(m_wndListOfCommands.GetItemData(iIndex));
    m_strCommandDescription = DescriptionOf(uiCmd);
    if (g_mouseManager != nullptr)
        g_mouseManager->AssignDblClickCommand(m_iCurrViewId, uiCmd);
    UpdateData(FALSE);
}

void CZUDPMousePage::EnableDblClickControls(BOOL bEnable)
{
    m_wndListOfCommands.EnableWindow(bEnable);
    m_wndCommandDescription.EnableWindow(bEnable);
    if (!bEnable) {
        m_wndListOfCommands.SetCurSel(-1);
        m_strCommandDescription.Empty();
        UpdateData(FALSE);
    }
}

BOOL CZUDPMousePage::SelectCommand(UINT uiCmd)
{
    m_strCommandDescription = DescriptionOf(uiCmd);
    UpdateData(FALSE);
    for (int i = 0; i < m_wndListOfCommands.GetCount(); ++i) {
        if (UINT(m_wndListOfCommands.GetItemData(i)) == uiCmd) {
            m_wndListOfCommands.SetCurSel(i);
            m_wndListOfCommands.SetTopIndex(i);
            return TRUE;
        }
    }
    return FALSE;
}

// The customization sheet's maker of this page.
CPropertyPage* NewCustomizeMousePage()
{
    return new CZUDPMousePage;
}
