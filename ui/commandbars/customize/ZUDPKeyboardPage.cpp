#include "ui/commandbars/customize/ZUDPKeyboardPage.h"

#include "framework/win/Accelerators.h"
#include "framework/win/DC.h"
#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"
#include "res/ui/customize-pages.h"
#include "ui/commandbars/customize/ZUDPCustomizePages.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/customize/ZUDPCustomizePageHost.h"
#include "ui/commandbars/customize/ZUDPCustomizePageSupport.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMessages.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// CKeyAssign

IMPLEMENT_DYNAMIC(CKeyAssign, CEdit)

BEGIN_MESSAGE_MAP(CKeyAssign, CEdit)
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CKeyAssign::CKeyAssign() : m_Helper(&m_Accel) {}

CKeyAssign::~CKeyAssign() = default;

void CKeyAssign::ResetKey()
{
    m_Accel = ACCEL{};
    m_bIsDefined = FALSE;
    if (GetSafeHwnd() != nullptr)
        SetWindowText("");
}

void CKeyAssign::SetAccelFlag(BYTE bFlag, BOOL bOn)
{
    if (bOn)
        m_Accel.fVirt |= bFlag;
    else
        m_Accel.fVirt &= BYTE(~bFlag);
}

BOOL CKeyAssign::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        m_bIsFirstPress = TRUE;
        SetFocus();
        return TRUE;

    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const BOOL bPressed = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
        const BOOL bRepeat = (pMsg->lParam & (1 << 30)) != 0;
        if (m_bIsDefined) {
            if (!bPressed || bRepeat)
                break;   // only the text is refreshed
            ResetKey();
        }
        const UINT vk = UINT(pMsg->wParam);
        switch (vk) {
        case VK_SHIFT:
            SetAccelFlag(FSHIFT, bPressed);
            break;
        case VK_CONTROL:
            SetAccelFlag(FCONTROL, bPressed);
            break;
        case VK_MENU:
            SetAccelFlag(FALT, bPressed);
            break;
        default:
            if (!m_bIsFirstPress) {
                m_bIsFirstPress = TRUE;
                return TRUE;
            }
            m_Accel.key = WORD(vk);
            if (bPressed) {
                m_bIsDefined = TRUE;
                SetAccelFlag(FVIRTKEY, TRUE);
            }
            break;
        }
        if ((m_Accel.fVirt & (FSHIFT | FCONTROL | FALT)) == 0 && (m_Accel.fVirt & FVIRTKEY) != 0) {
            if (m_Accel.key == VK_TAB) {
                ResetKey();
                return FALSE;   // the dialog moves the focus on
            }
            if (m_Accel.key == VK_ESCAPE) {
                ResetKey();
                return TRUE;
            }
        }
        break;
    }
    default:
        return CEdit::PreTranslateMessage(pMsg);
    }
    CString strKey;
    m_Helper.FormatShortcut(strKey);
    SetWindowText(strKey);
    return TRUE;
}

void CKeyAssign::OnKillFocus(CWnd* pNewWnd)
{
    m_bIsFirstPress = FALSE;
    Default();
    (void)pNewWnd;
}

// ---------------------------------------------------------------------------
// CZUDPKeyboardPage

IMPLEMENT_DYNAMIC(CZUDPKeyboardPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPKeyboardPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_ZUDP_KEYBOARD_CATEGORY, &CZUDPKeyboardPage::OnSelchangeCategory)
    ON_LBN_SELCHANGE(IDC_ZUDP_KEYBOARD_COMMANDS, &CZUDPKeyboardPage::OnSelchangeCommandsList)
    ON_LBN_SELCHANGE(IDC_ZUDP_KEYBOARD_CURRENT_KEYS, &CZUDPKeyboardPage::OnSelchangeCurrentKeysList)
    ON_CBN_SELCHANGE(IDC_ZUDP_KEYBOARD_VIEW_TYPE, &CZUDPKeyboardPage::OnSelchangeViewType)
    ON_EN_UPDATE(IDC_ZUDP_KEYBOARD_NEW_KEY, &CZUDPKeyboardPage::OnUpdateNewShortcutKey)
    ON_BN_CLICKED(IDC_ZUDP_KEYBOARD_ASSIGN, &CZUDPKeyboardPage::OnAssign)
    ON_BN_CLICKED(IDC_ZUDP_KEYBOARD_REMOVE, &CZUDPKeyboardPage::OnRemove)
    ON_BN_CLICKED(IDC_ZUDP_KEYBOARD_RESET_ALL, &CZUDPKeyboardPage::OnResetAll)
END_MESSAGE_MAP()

CZUDPKeyboardPage::CZUDPKeyboardPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD_ZUDP_KEYBOARD_PAGE), m_pParentFrame(pParentFrame), m_bAutoSet(bAutoSet)
{
}

CZUDPKeyboardPage::~CZUDPKeyboardPage() = default;

CZUDPCustomizePageHost* CZUDPKeyboardPage::GetHost()
{
    return customize_pages::FindHost(m_pHost, this);
}

void CZUDPKeyboardPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_KEYBOARD_ASSIGNED_TO_LABEL, m_wndAssignedToTitle);
    DDX_Control(pDX, IDC_ZUDP_KEYBOARD_NEW_KEY, m_wndNewKey);
    DDX_Control(pDX, IDC_ZUDP_KEYBOARD_VIEW_TYPE, m_wndViewTypeList);
    DDX_Control(pDX, IDC_ZUDP_KEYBOARD_DOCUMENT_ICON, m_wndViewIcon);
    DDX_Control(pDX, IDC_ZUDP_KEYBOARD_REMOVE, m_wndRemoveButton);
    DDX_Control(pDX, IDC_ZUDP_KEYBOARD_CURRENT_KEYS, m_wndCurrentKeysList);
    DDX_Control(pDX, IDC_ZUDP_KEYBOARD_COMMANDS, m_wndCommandsList);
    DDX_Control(pDX, IDC_ZUDP_KEYBOARD_CATEGORY, m_wndCategoryList);
    DDX_Control(pDX, IDC_ZUDP_KEYBOARD_ASSIGN, m_wndAssignButton);
    DDX_Text(pDX, IDC_ZUDP_KEYBOARD_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_ZUDP_KEYBOARD_ASSIGNED_TO, m_strAssignedTo);
}

BOOL CZUDPKeyboardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();

    if (CZUDPCustomizePageHost* pHost = GetHost())
        pHost->FillCategoriesComboBox(m_wndCategoryList, FALSE);
    m_wndCategoryList.SetCurSel(0);
    OnSelchangeCategory();

    CWinApp* pApp = AfxGetApp();
    if (m_bAutoSet && pApp != nullptr && pApp->m_pDocManager != nullptr) {
        for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
            auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pApp->GetNextDocTemplate(pos));
            if (pTemplate == nullptr || pTemplate->m_hAccelTable == nullptr)
                continue;
            BOOL bListed = FALSE;
            for (int i = 0; i < m_wndViewTypeList.GetCount() && !bListed; ++i) {
                auto* pListed = reinterpret_cast<CDocTemplate*>(m_wndViewTypeList.GetItemData(i));
                bListed = pListed != nullptr && pListed->GetResourceId() == pTemplate->GetResourceId();
            }
            if (bListed)
                continue;
            const int iItem = m_wndViewTypeList.AddString(
                customize_pages::DocTemplateString(pTemplate, customize_pages::kFileNewName));
            m_wndViewTypeList.SetItemData(iItem, DWORD_PTR(pTemplate));
        }
    }

    if (m_pParentFrame != nullptr && m_pParentFrame->GetDefaultAccelerator() != nullptr) {
        const int iItem = m_wndViewTypeList.AddString(customize_pages::LoadLibraryString(IDS_ZUDP_DEFAULT_ACCELERATORS));
        m_wndViewTypeList.SetItemData(iItem, 0);
        m_wndViewTypeList.SetCurSel(iItem);
        OnSelchangeViewType();
    }
    if (m_wndViewTypeList.GetCurSel() == CB_ERR) {
        m_wndViewTypeList.SetCurSel(0);
        OnSelchangeViewType();
    }
    return TRUE;
}

void CZUDPKeyboardPage::OnSelchangeCategory()
{
    UpdateData();
    const int iCategory = m_wndCategoryList.GetCurSel();
    if (iCategory == CB_ERR)
        return;
    m_wndCommandsList.ResetContent();
    m_wndCurrentKeysList.ResetContent();

    auto* pCategoryButtons = reinterpret_cast<CObList*>(m_wndCategoryList.GetItemData(iCategory));
    if (pCategoryButtons == reinterpret_cast<CObList*>(CB_ERR))
        pCategoryButtons = nullptr;
    CString strCategory;
    m_wndCategoryList.GetLBText(iCategory, strCategory);
    const BOOL bAllCommands = !m_strAllCategory.IsEmpty() && strCategory == m_strAllCategory;
    int cxMax = 0;
    if (pCategoryButtons != nullptr) {
        CClientDC dc(&m_wndCommandsList);
        CFont* pOldFont = dc.SelectObject(m_wndCommandsList.GetFont());
        for (POSITION pos = pCategoryButtons->GetHeadPosition(); pos != nullptr;) {
            auto* pButton = dynamic_cast<CZUDPToolbarButton*>(pCategoryButtons->GetNext(pos));
            if (pButton == nullptr || pButton->commandId == 0 || pButton->commandId == UINT(-1))
                continue;
            const CString strText = customize_pages::CommandText(pButton, *pCategoryButtons, bAllCommands);
            const int iItem = m_wndCommandsList.AddString(strText);
            m_wndCommandsList.SetItemData(iItem, DWORD_PTR(pButton));
            cxMax = std::max(cxMax, int(dc.GetTextExtent(strText).cx));
        }
        dc.SelectObject(pOldFont);
    }
    m_wndCommandsList.SetHorizontalExtent(cxMax + ::GetSystemMetrics(SM_CXVSCROLL));
    m_wndNewKey.EnableWindow(FALSE);
    m_wndCommandsList.SetCurSel(0);
    OnSelchangeCommandsList();
}

void CZUDPKeyboardPage::ShowViewIcon(HICON hIcon)
{
    if (hIcon == nullptr)
        hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));   // IDI_APPLICATION
    m_wndViewIcon.SetIcon(hIcon);
}

void CZUDPKeyboardPage::OnSelchangeViewType()
{
    m_hAccelTable = nullptr;
    m_pSelTemplate = nullptr;
    m_lpAccel.clear();
    m_pSelEntry = nullptr;

    const int iIndex = m_wndViewTypeList.GetCurSel();
    if (iIndex == CB_ERR) {
        m_wndViewIcon.SetIcon(nullptr);
        return;
    }
    HICON hIcon = nullptr;
    auto* pTemplate = reinterpret_cast<CMultiDocTemplate*>(m_wndViewTypeList.GetItemData(iIndex));
    if (pTemplate != nullptr) {
        hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(pTemplate->GetResourceId()));
        m_hAccelTable = pTemplate->m_hAccelTable;
    } else if (m_pParentFrame != nullptr) {
        if (m_pParentFrame->GetSafeHwnd() != nullptr)
            hIcon = reinterpret_cast<HICON>(::GetClassLongPtrA(m_pParentFrame->GetSafeHwnd(), GCLP_HICON));
        m_hAccelTable = m_pParentFrame->GetDefaultAccelerator();
    }
    ShowViewIcon(hIcon);
    m_lpAccel = AfxCopyAcceleratorTable(m_hAccelTable);
    m_pSelTemplate = pTemplate;
    OnSelchangeCommandsList();
}

void CZUDPKeyboardPage::OnSelchangeCommandsList()
{
    m_strDescription.Empty();
    m_wndCurrentKeysList.ResetContent();
    OnSelchangeCurrentKeysList();

    const int iIndex = m_wndCommandsList.GetCurSel();
    if (iIndex == LB_ERR) {
        m_pSelButton = nullptr;
        m_wndNewKey.EnableWindow(FALSE);
        UpdateData(FALSE);
        return;
    }
    m_pSelButton = reinterpret_cast<CZUDPToolbarButton*>(m_wndCommandsList.GetItemData(iIndex));
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
        m_pParentFrame->GetMessageString(m_pSelButton->commandId, m_strDescription);
    // An entry holds a 16-bit command: a command above that range cannot
    // have a key, so none of the table's entries is its (a truncated id
    // would be another command's).
    if (m_pSelButton->commandId <= 0xFFFF) {
        for (ACCEL& entry : m_lpAccel)
            if (entry.cmd == WORD(m_pSelButton->commandId))
                AddKeyEntry(&entry);
    }
    m_wndNewKey.EnableWindow(TRUE);
    UpdateData(FALSE);
}

void CZUDPKeyboardPage::OnSelchangeCurrentKeysList()
{
    const int iIndex = m_wndCurrentKeysList.GetCurSel();
    if (iIndex == LB_ERR) {
        m_pSelEntry = nullptr;
        m_wndRemoveButton.EnableWindow(FALSE);
        return;
    }
    m_pSelEntry = reinterpret_cast<LPACCEL>(m_wndCurrentKeysList.GetItemData(iIndex));
    m_wndRemoveButton.EnableWindow(TRUE);
}

void CZUDPKeyboardPage::AddKeyEntry(LPACCEL pEntry)
{
    if (pEntry == nullptr)
        return;
    CString strKey;
    CZUDPKeyHelper(pEntry).FormatShortcut(strKey);
    const int iItem = m_wndCurrentKeysList.AddString(strKey);
    m_wndCurrentKeysList.SetItemData(iItem, DWORD_PTR(pEntry));
}

void CZUDPKeyboardPage::OnUpdateNewShortcutKey()
{
    m_strAssignedTo.Empty();
    m_wndAssignedToTitle.ShowWindow(SW_HIDE);
    m_wndAssignButton.EnableWindow(FALSE);

    if (m_wndNewKey.IsKeyDefined()) {
        const ACCEL* pNew = m_wndNewKey.GetAccel();
        constexpr BYTE kCompared = FVIRTKEY | FSHIFT | FCONTROL | FALT;   // FNOINVERT makes no other key
        const auto it = std::find_if(m_lpAccel.begin(), m_lpAccel.end(), [&](const ACCEL& entry) {
            return entry.key == pNew->key && (entry.fVirt & kCompared) == (pNew->fVirt & kCompared);
        });
        if (it != m_lpAccel.end()) {
            CZUDPCustomizePageHost* pHost = GetHost();
            LPCTSTR lpszName = pHost != nullptr ? pHost->GetCommandName(it->cmd) : nullptr;
            m_strAssignedTo = lpszName != nullptr ? lpszName : "????";
        } else {
            m_strAssignedTo = customize_pages::LoadLibraryString(IDS_ZUDP_UNASSIGNED);
            // Only a command that an entry can hold gets the key.
            m_wndAssignButton.EnableWindow(m_pSelButton != nullptr && m_pSelButton->commandId <= 0xFFFF);
        }
        m_wndAssignedToTitle.ShowWindow(SW_SHOW);
    }
    UpdateData(FALSE);
}

void CZUDPKeyboardPage::InstallWorkingTable()
{
    if (g_keyboardManager == nullptr)
        return;
    g_keyboardManager->ReplaceAcceleratorTable(m_pSelTemplate, m_lpAccel.data(), int(m_lpAccel.size()),
                                               m_pParentFrame);
    m_hAccelTable = m_pSelTemplate != nullptr ? m_pSelTemplate->m_hAccelTable
                    : m_pParentFrame != nullptr ? m_pParentFrame->GetDefaultAccelerator()
                                                : nullptr;
}

void CZUDPKeyboardPage::OnAssign()
{
    // Only what the conflict check allowed: a click that reaches a disabled
    // button gives no taken key a second owner.
    if (m_pSelButton == nullptr || !m_wndNewKey.IsKeyDefined() || m_pSelButton->commandId > 0xFFFF ||
        !m_wndAssignButton.IsWindowEnabled())
        return;
    ACCEL accelNew = *m_wndNewKey.GetAccel();
    accelNew.cmd = WORD(m_pSelButton->commandId);
    if (CZUDPCustomizePageHost* pHost = GetHost())
        if (!pHost->OnAssignKey(&accelNew))
            return;

    // A new copy one entry longer; the listed keys point into it.
    std::vector<ACCEL> newTable(m_lpAccel);
    newTable.push_back(accelNew);
    for (int i = 0; i < m_wndCurrentKeysList.GetCount(); ++i) {
        const ptrdiff_t iEntry = reinterpret_cast<const ACCEL*>(m_wndCurrentKeysList.GetItemData(i)) - m_lpAccel.data();
        m_wndCurrentKeysList.SetItemData(i, DWORD_PTR(newTable.data() + iEntry));
    }
    m_lpAccel.swap(newTable);
    m_pSelEntry = nullptr;
    m_wndCurrentKeysList.SetCurSel(-1);
    OnSelchangeCurrentKeysList();

    InstallWorkingTable();
    AddKeyEntry(&m_lpAccel.back());
    m_wndNewKey.ResetKey();
    OnUpdateNewShortcutKey();
    m_wndCommandsList.SetFocus();
}

void CZUDPKeyboardPage::OnRemove()
{
    if (m_pSelEntry == nullptr)
        return;
    const ptrdiff_t iRemoved = m_pSelEntry - m_lpAccel.data();
    if (iRemoved < 0 || size_t(iRemoved) >= m_lpAccel.size())
        return;
    std::vector<ACCEL> newTable;
    newTable.reserve(m_lpAccel.size() - 1);
    for (size_t i = 0; i < m_lpAccel.size(); ++i)
        if (ptrdiff_t(i) != iRemoved)
            newTable.push_back(m_lpAccel[i]);
    m_lpAccel.swap(newTable);
    m_pSelEntry = nullptr;
    InstallWorkingTable();
    OnSelchangeCommandsList();
    m_wndCommandsList.SetFocus();
}

void CZUDPKeyboardPage::OnResetAll()
{
    if (AfxMessageBox(IDS_ZUDP_RESET_KEYBOARD_PROMPT, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (g_keyboardManager != nullptr)
        g_keyboardManager->RestoreOriginalAccelerators();
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
        m_pParentFrame->SendMessage(ZUDTOOLBAR_RESETKEYBAORD);
    OnSelchangeViewType();
    OnSelchangeCommandsList();
}

// The customization sheet's makers of this page.
CPropertyPage* NewCustomizeKeyboardPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
{
    return new CZUDPKeyboardPage(pParentFrame, bAutoSet);
}

void SetCustomizeKeyboardAllCategory(CPropertyPage* pKeyboardPage, const CString& strName)
{
    if (auto* pPage = dynamic_cast<CZUDPKeyboardPage*>(pKeyboardPage))
        pPage->SetAllCategory(strName);
}
