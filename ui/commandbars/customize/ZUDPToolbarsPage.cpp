#include "ui/commandbars/customize/ZUDPToolbarsPage.h"

#include "framework/Exceptions.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"
#include "res/ui/commandbars.h"
#include "res/ui/customize.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPDropDownToolbarButton.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/customize/ZUDPCustomizePages.h"
#include "ui/commandbars/customize/ZUDPToolbarCustomize.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"

namespace {

void Beep(UINT uiType) { g_foundationSeams.messageBeep(uiType); }

// A prompt string with the toolbar's name in place of its "%s".
CString PromptWithName(UINT uiPrompt, const CString& strName)
{
    CString strPrompt;
    strPrompt.LoadString(uiPrompt);
    const int iMark = strPrompt.Find("%s");
    if (iMark >= 0)
        strPrompt = strPrompt.Left(iMark) + strName + strPrompt.Mid(iMark + 2);
    return strPrompt;
}

CString ToolbarName(CZUDPToolBar* pToolBar)
{
    CString strName;
    pToolBar->GetWindowText(strName);
    if (strName.IsEmpty())
        strName.LoadString(IDS_ZUDP_UNTITLED_TOOLBAR);
    return strName;
}

} // namespace

// ---------------------------------------------------------------------------
// The check list

void CZUDPExCheckList::EnableCheck(int nIndex, BOOL bEnable)
{
    if (nIndex < 0 || size_t(nIndex) >= m_arCheckData.size())
        AfxThrowInvalidArgException();
    m_arCheckData[size_t(nIndex)] = bEnable;
}

BOOL CZUDPExCheckList::IsCheckEnabled(int nIndex) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_arCheckData.size())
        AfxThrowInvalidArgException();
    return m_arCheckData[size_t(nIndex)];
}

LRESULT CZUDPExCheckList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const LRESULT lResult = CCheckListBox::WindowProc(message, wParam, lParam);
        if (lResult >= 0 && size_t(lResult) <= m_arCheckData.size())
            m_arCheckData.insert(m_arCheckData.begin() + lResult, TRUE);
        return lResult;
    }
    case LB_DELETESTRING: {
        const LRESULT lResult = CCheckListBox::WindowProc(message, wParam, lParam);
        if (lResult != LB_ERR && wParam < m_arCheckData.size())
            m_arCheckData.erase(m_arCheckData.begin() + LONG_PTR(wParam));
        return lResult;
    }
    case LB_RESETCONTENT:
        m_arCheckData.clear();
        break;
    case WM_LBUTTONDOWN: {
        SetFocus();
        const int nHit = CheckBoxHit(CPoint(short(LOWORD(lParam)), short(HIWORD(lParam))));
        if (nHit >= 0 && !IsCheckEnabled(nHit)) {
            Beep(UINT(-1));
            return 0;
        }
        break;
    }
    case WM_LBUTTONDBLCLK: {
        BOOL bOutside = TRUE;
        const int nItem = ItemFromPoint(CPoint(short(LOWORD(lParam)), short(HIWORD(lParam))), bOutside);
        if (!bOutside && nItem >= 0 && nItem < GetCount() && !IsCheckEnabled(nItem)) {
            Beep(UINT(-1));
            return 0;
        }
        const LRESULT lResult = CCheckListBox::WindowProc(message, wParam, lParam);
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), LPARAM(m_hWnd));
        return lResult;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            const int nCaret = int(SendMessage(LB_GETCARETINDEX));
            if (nCaret >= 0 && nCaret < GetCount() && !IsCheckEnabled(nCaret)) {
                Beep(UINT(-1));
                return 0;
            }
        }
        break;
    default:
        break;
    }
    return CCheckListBox::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// The toolbar-name dialog

BEGIN_MESSAGE_MAP(CToolbarNameDlg, CDialog)
    ON_EN_UPDATE(IDC_ZUDP_TOOLBAR_NAME, &CToolbarNameDlg::OnUpdateToolbarName)
END_MESSAGE_MAP()

CToolbarNameDlg::CToolbarNameDlg(CWnd* pParent) : CDialog(IDD_ZUDP_TOOLBAR_NAME, pParent) {}

void CToolbarNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Text(pDX, IDC_ZUDP_TOOLBAR_NAME, m_strToolbarName);
}

BOOL CToolbarNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* pMain = AfxGetMainWnd()) {
        if (pMain->GetSafeHwnd() != nullptr && (pMain->GetExStyle() & WS_EX_LAYOUTRTL))
            ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    }
    m_btnOk.EnableWindow(!m_strToolbarName.IsEmpty());
    return TRUE;
}

void CToolbarNameDlg::OnUpdateToolbarName()
{
    UpdateData();
    m_btnOk.EnableWindow(!m_strToolbarName.IsEmpty());
}

// ---------------------------------------------------------------------------
// The page

IMPLEMENT_DYNAMIC(CZUDPToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPToolbarsPage, CPropertyPage)
    ON_LBN_SELCHANGE(IDC_ZUDP_TOOLBARS_LIST, &CZUDPToolbarsPage::OnSelchangeToolbarList)
    ON_LBN_DBLCLK(IDC_ZUDP_TOOLBARS_LIST, &CZUDPToolbarsPage::OnDblclkToolbarList)
    ON_BN_CLICKED(IDC_ZUDP_TOOLBARS_TEXT_LABELS, &CZUDPToolbarsPage::OnShowTextLabels)
    ON_BN_CLICKED(IDC_ZUDP_TOOLBARS_RESET, &CZUDPToolbarsPage::OnResetToolbar)
    ON_BN_CLICKED(IDC_ZUDP_TOOLBARS_RESET_ALL, &CZUDPToolbarsPage::OnResetAllToolbars)
    ON_BN_CLICKED(IDC_ZUDP_TOOLBARS_NEW, &CZUDPToolbarsPage::OnNewToolbar)
    ON_BN_CLICKED(IDC_ZUDP_TOOLBARS_RENAME, &CZUDPToolbarsPage::OnRenameToolbar)
    ON_BN_CLICKED(IDC_ZUDP_TOOLBARS_DELETE, &CZUDPToolbarsPage::OnDeleteToolbar)
END_MESSAGE_MAP()

CZUDPToolbarsPage::CZUDPToolbarsPage(CFrameWnd* pParentFrame)
    : CPropertyPage(IDD_ZUDP_CUSTOMIZE_TOOLBARS), m_pParentFrame(pParentFrame)
{
}

void CZUDPToolbarsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_TOOLBARS_TEXT_LABELS, m_wndTextLabels);
    DDX_Control(pDX, IDC_ZUDP_TOOLBARS_RENAME, m_wndRenameButton);
    DDX_Control(pDX, IDC_ZUDP_TOOLBARS_NEW, m_wndNewButton);
    DDX_Control(pDX, IDC_ZUDP_TOOLBARS_DELETE, m_wndDeleteButton);
    DDX_Control(pDX, IDC_ZUDP_TOOLBARS_RESET, m_wndResetButton);
    DDX_Control(pDX, IDC_ZUDP_TOOLBARS_LIST, m_wndToolbarList);
    DDX_Check(pDX, IDC_ZUDP_TOOLBARS_TEXT_LABELS, m_bTextLabels);
}

BOOL CZUDPToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_bUserDefinedToolbars) {
        m_wndNewButton.EnableWindow(FALSE);
        m_wndNewButton.ShowWindow(SW_HIDE);
        m_wndDeleteButton.ShowWindow(SW_HIDE);
        m_wndRenameButton.ShowWindow(SW_HIDE);
    }
    CFrameWnd* pOurFrame = m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr
                               ? GetTopLevelFrameOrInPlace(m_pParentFrame)
                               : nullptr;
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pToolBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (pToolBar == nullptr || !::IsWindow(pToolBar->GetSafeHwnd()))
            continue;
        if (pToolBar->IsKindOf(RUNTIME_CLASS(CZUDPDropDownToolBar)))
            continue;
        if (GetTopLevelFrameOrInPlace(pToolBar) != pOurFrame || !pToolBar->AppearsInToolbarList())
            continue;
        const int iItem = m_wndToolbarList.AddString(ToolbarName(pToolBar));
        if (iItem < 0)
            continue;
        m_wndToolbarList.SetItemDataPtr(iItem, pToolBar);
        m_wndToolbarList.SetCheck(iItem, (pToolBar->GetStyle() & WS_VISIBLE) ? BST_CHECKED : BST_UNCHECKED);
        m_wndToolbarList.EnableCheck(iItem, pToolBar->CanClose());
    }
    CZUDPToolbarCustomize* pSheet = DYNAMIC_DOWNCAST(CZUDPToolbarCustomize, GetParent());
    if (pSheet == nullptr || (pSheet->GetFlags() & ZUDP_CUSTOMIZE_TEXT_LABELS) == 0)
        m_wndTextLabels.ShowWindow(SW_HIDE);
    if (m_wndToolbarList.GetCount() > 0) {
        m_wndToolbarList.SetCurSel(0);
        OnSelchangeToolbarList();
    }
    return TRUE;
}

void CZUDPToolbarsPage::ShowToolBar(CZUDPToolBar* pToolBar, BOOL bShow)
{
    if (m_wndToolbarList.GetSafeHwnd() == nullptr)
        return;
    for (int i = 0; i < m_wndToolbarList.GetCount(); ++i) {
        if (reinterpret_cast<CZUDPToolBar*>(m_wndToolbarList.GetItemDataPtr(i)) == pToolBar) {
            m_wndToolbarList.SetCheck(i, bShow ? BST_CHECKED : BST_UNCHECKED);
            break;
        }
    }
}

void CZUDPToolbarsPage::OnSelchangeToolbarList()
{
    const int iSel = m_wndToolbarList.GetCurSel();
    if (iSel < 0) {
        m_pSelectedToolbar = nullptr;
        m_wndResetButton.EnableWindow(FALSE);
        m_wndDeleteButton.EnableWindow(FALSE);
        m_wndRenameButton.EnableWindow(FALSE);
        m_wndTextLabels.EnableWindow(FALSE);
        return;
    }
    m_pSelectedToolbar = reinterpret_cast<CZUDPToolBar*>(m_wndToolbarList.GetItemDataPtr(iSel));
    m_wndResetButton.EnableWindow(m_pSelectedToolbar->HasSourceResource());
    const BOOL bUserToolbar = CZUDPToolBar::IsUserDefinedToolbar(m_pSelectedToolbar);
    m_wndDeleteButton.EnableWindow(bUserToolbar);
    m_wndRenameButton.EnableWindow(bUserToolbar);
    m_wndTextLabels.EnableWindow(m_pSelectedToolbar->AllowShowTextLabels());
    m_bTextLabels = m_pSelectedToolbar->AreTextLabels();
    UpdateData(FALSE);
}

BOOL CZUDPToolbarsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_ZUDP_TOOLBARS_LIST && HIWORD(wParam) == CLBN_CHKCHANGE) {
        const int iSel = m_wndToolbarList.GetCurSel();
        if (iSel >= 0) {
            CZUDPToolBar* pToolBar = reinterpret_cast<CZUDPToolBar*>(m_wndToolbarList.GetItemDataPtr(iSel));
            const BOOL bChecked = m_wndToolbarList.GetCheck(iSel) == BST_CHECKED;
            if (pToolBar->CanClose()) {
                pToolBar->ShowBar(bChecked, FALSE, TRUE);
            } else if (!bChecked) {
                m_wndToolbarList.SetCheck(iSel, BST_CHECKED);
                Beep(UINT(-1));
            }
        }
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CZUDPToolbarsPage::OnDblclkToolbarList()
{
    const int iSel = m_wndToolbarList.GetCurSel();
    if (iSel >= 0) {
        m_pSelectedToolbar = reinterpret_cast<CZUDPToolBar*>(m_wndToolbarList.GetItemDataPtr(iSel));
        if (m_pSelectedToolbar->CanClose())
            m_wndToolbarList.SetCheck(iSel, m_wndToolbarList.GetCheck(iSel) == BST_CHECKED ? BST_UNCHECKED
                                                                                           : BST_CHECKED);
        else
            Beep(UINT(-1));
    }
    OnSelchangeToolbarList();
}

void CZUDPToolbarsPage::OnShowTextLabels()
{
    UpdateData();
    if (m_pSelectedToolbar != nullptr)
        m_pSelectedToolbar->ShowTextLabels(m_bTextLabels);
}

void CZUDPToolbarsPage::OnResetToolbar()
{
    if (m_pSelectedToolbar == nullptr)
        return;
    CString strWindowText;
    m_pSelectedToolbar->GetWindowText(strWindowText);
    const CString strPrompt = PromptWithName(IDS_ZUDP_RESET_TOOLBAR_PROMPT, strWindowText);
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) == IDYES)
        m_pSelectedToolbar->ReloadFromResource();
}

void CZUDPToolbarsPage::OnResetAllToolbars()
{
    CString strPrompt;
    strPrompt.LoadString(IDS_ZUDP_RESET_ALL_PROMPT);
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    GetCommandManager()->ResetAllImages();
    for (POSITION pos = g_defaultCommandImages.GetStartPosition(); pos != nullptr;) {
        UINT uiCmd = 0;
        int iImage = -1;
        g_defaultCommandImages.GetNextAssoc(pos, uiCmd, iImage);
        GetCommandManager()->AssignCommandImage(uiCmd, iImage, FALSE);
    }
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pToolBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (pToolBar != nullptr && ::IsWindow(pToolBar->GetSafeHwnd()) && pToolBar->HasSourceResource())
            pToolBar->ReloadFromResource();
    }
}

int CZUDPToolbarsPage::AddSelectedToolbar(CZUDPToolBar* pToolBar, const CString& strName, BOOL bChecked)
{
    const int iItem = m_wndToolbarList.AddString(strName);
    if (iItem < 0)
        return iItem;
    m_wndToolbarList.SetItemDataPtr(iItem, pToolBar);
    m_wndToolbarList.SetCheck(iItem, bChecked ? BST_CHECKED : BST_UNCHECKED);
    m_wndToolbarList.EnableCheck(iItem, pToolBar->CanClose());
    m_wndToolbarList.SetCurSel(iItem);
    m_wndToolbarList.SetTopIndex(iItem);
    return iItem;
}

void CZUDPToolbarsPage::OnNewToolbar()
{
    CString strName;
    if (g_customizeSeams.toolbarNameDialog(this, strName) != IDOK)
        return;
    if (m_pParentFrame == nullptr || m_pParentFrame->GetSafeHwnd() == nullptr) {
        Beep(MB_ICONASTERISK);
        return;
    }
    CZUDPToolBar* pNew = reinterpret_cast<CZUDPToolBar*>(
        m_pParentFrame->SendMessage(ZUDTOOLBAR_CREATE, 0, LPARAM((LPCTSTR)strName)));
    if (pNew == nullptr)
        return;
    AddSelectedToolbar(pNew, strName, TRUE);
    OnSelchangeToolbarList();
}

void CZUDPToolbarsPage::OnRenameToolbar()
{
    if (m_pSelectedToolbar == nullptr)
        return;
    CString strName;
    m_pSelectedToolbar->GetWindowText(strName);
    if (g_customizeSeams.toolbarNameDialog(this, strName) != IDOK)
        return;
    m_pSelectedToolbar->SetWindowText(strName);
    if (m_pSelectedToolbar->IsFloating()) {
        if (CZUDPMiniFrameWnd* pMiniFrame = m_pSelectedToolbar->GetParentMiniFrame(TRUE)) {
            pMiniFrame->SetWindowText(strName);
            pMiniFrame->RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
    }
    const int iSel = m_wndToolbarList.GetCurSel();
    if (iSel >= 0)
        m_wndToolbarList.DeleteString(UINT(iSel));
    AddSelectedToolbar(m_pSelectedToolbar, ToolbarName(m_pSelectedToolbar),
                       (m_pSelectedToolbar->GetStyle() & WS_VISIBLE) != 0);
    OnSelchangeToolbarList();
}

void CZUDPToolbarsPage::OnDeleteToolbar()
{
    if (m_pSelectedToolbar == nullptr)
        return;
    if (m_pParentFrame == nullptr || m_pParentFrame->GetSafeHwnd() == nullptr) {
        Beep(MB_ICONASTERISK);
        return;
    }
    CString strWindowText;
    m_pSelectedToolbar->GetWindowText(strWindowText);
    const CString strPrompt = PromptWithName(IDS_ZUDP_DELETE_TOOLBAR_PROMPT, strWindowText);
    if (AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (m_pParentFrame->SendMessage(ZUDTOOLBAR_DELETE, 0, LPARAM(m_pSelectedToolbar)) == 0) {
        Beep(MB_ICONASTERISK);
        return;
    }
    const int iSel = m_wndToolbarList.GetCurSel();
    if (iSel >= 0)
        m_wndToolbarList.DeleteString(UINT(iSel));
    m_pSelectedToolbar = nullptr;
    m_wndToolbarList.SetCurSel(0);
    OnSelchangeToolbarList();
}
