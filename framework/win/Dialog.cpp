// Dialog boxes and dialog data exchange.
#include "framework/win/Dialog.h"

#include "framework/win/GdiObject.h"
#include "framework/win/WinApp.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

// ---------------------------------------------------------------------------
// CDataExchange

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == nullptr)
        AfxThrowNotSupportedException();   // the template lacks the control
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate) {
        // Loading cannot be refused; nothing to point the user to.
        AfxThrowUserException();
    }
    if (m_hWndLastControl != nullptr) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

// ---------------------------------------------------------------------------
// Dialog procedure

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
        if (pDlg == nullptr)
            return TRUE;
        // -1: the initialisation raised an exception (OnInitDialog answers a BOOL).
        INT_PTR result = AfxCallbackGuard<INT_PTR>(-1, [&]() -> INT_PTR { return pDlg->OnInitDialog(); });
        if (result != -1)
            return result;
        // Initialisation failed: the dialog ends at once.
        pDlg->EndDialog(IDABORT);
        return FALSE;
    }
    return FALSE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
    ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, &CDialog::HandleSetFont)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        // A modeless dialog still open when its object goes.
        DestroyWindow();
    }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();
    // The template's list and combo strings go in before OnInitDialog.
    const BOOL bDlgInit = m_lpDialogInit != nullptr ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
    if (!bDlgInit) {
        EndDialog(-1);
        return FALSE;
    }
    return Default();   // the dialog manager calls OnInitDialog through AfxDlgProc
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

void CDialog::PreInitDialog() {}

void CDialog::OnSetFont(CFont*) {}

BOOL CDialog::OnInitDialog()
{
    // Loading the members into the controls cannot fail the dialog.
    UpdateData(FALSE);
    return TRUE;   // the system gives the focus to the first control
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;   // a control holds an invalid value: the dialog stays
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else
        m_nModalResult = nResult;
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Esc in a multi-line edit (which swallows it) still cancels the dialog.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL)
        && (::GetWindowLongPtrA(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE)) {
        char className[16] = {};
        ::GetClassNameA(pMsg->hwnd, className, sizeof(className));
        if (::lstrcmpiA(className, "Edit") == 0) {
            HWND hItem = ::GetDlgItem(m_hWnd, IDCANCEL);
            if (hItem == nullptr || ::IsWindowEnabled(hItem)) {
                SendMessage(WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            }
        }
    }
    // Keyboard and mouse input of the dialog and its controls goes through
    // the dialog manager (Tab, Enter, Esc, mnemonics).
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        && (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

// ---------------------------------------------------------------------------
// Creation

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    m_nModalResult = -1;
    return CWnd::CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
}

BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG);
    HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    if (hTemplate == nullptr)
        return FALSE;
    return CreateDlgIndirect((LPCDLGTEMPLATE)::LockResource(hTemplate), pParentWnd, hInst);
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (lpDialogTemplate == nullptr || m_hWnd != nullptr)
        return FALSE;
    if (hInst == nullptr)
        hInst = AfxGetResourceHandle();
    HookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, AfxSafeHwnd(pParentWnd), &AfxDlgProc, 0);
    UnhookWindowCreate();
    if (hWnd == nullptr) {
        if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
            Detach();
        return FALSE;
    }
    if (m_hWnd != hWnd)
        SubclassWindow(hWnd);   // the hook missed it; attach late
    return TRUE;
}

namespace {

// Message codes of dialog-init records: resource compilers write the list
// and combo box strings with their old 16-bit codes or the current ones.
const WORD kDlgInitListAddString16 = 0x0401;
const WORD kDlgInitComboAddString16 = 0x0403;
const WORD kDlgInitComboExInsertItem = 0x1234;

} // namespace

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == nullptr)
        return TRUE;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(240));   // RT_DLGINIT
    if (hResource == nullptr)
        return TRUE;   // no dialog-init data: nothing to do
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    void* lpData = hData != nullptr ? ::LockResource(hData) : nullptr;
    if (lpData == nullptr)
        return FALSE;
    return ExecuteDlgInit(lpData, ::SizeofResource(hInst, hResource));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource, DWORD nSize)
{
    if (lpResource == nullptr)
        return TRUE;
    const BYTE* p = static_cast<const BYTE*>(lpResource);
    DWORD nLeft = nSize;
    BOOL bSuccess = TRUE;
    for (;;) {
        if (nLeft < sizeof(WORD))
            return FALSE;   // the terminating zero is missing
        WORD nIDC = 0;
        ::memcpy(&nIDC, p, sizeof(WORD));
        if (nIDC == 0)
            break;
        if (nLeft < 2 * sizeof(WORD) + sizeof(DWORD))
            return FALSE;
        WORD nMsg = 0;
        DWORD dwLen = 0;
        ::memcpy(&nMsg, p + 2, sizeof(WORD));
        ::memcpy(&dwLen, p + 4, sizeof(DWORD));
        p += 8;
        nLeft -= 8;
        if (dwLen > nLeft || dwLen == 0 || p[dwLen - 1] != 0)
            return FALSE;   // a text must end inside its record
        const char* lpszText = reinterpret_cast<const char*>(p);
        if (nMsg == kDlgInitListAddString16)
            nMsg = LB_ADDSTRING;
        else if (nMsg == kDlgInitComboAddString16)
            nMsg = CB_ADDSTRING;
        if (nMsg == LB_ADDSTRING || nMsg == CB_ADDSTRING) {
            const LRESULT lResult = ::SendDlgItemMessageA(m_hWnd, nIDC, nMsg, 0, (LPARAM)lpszText);
            // LB_ERR and CB_ERR are -1, LB_ERRSPACE and CB_ERRSPACE -2.
            if (lResult == -1 || lResult == -2)
                bSuccess = FALSE;
        } else if (nMsg == kDlgInitComboExInsertItem) {
            COMBOBOXEXITEMA item = {};
            item.mask = CBEIF_TEXT;
            item.iItem = -1;
            item.pszText = const_cast<LPSTR>(lpszText);
            if (::SendDlgItemMessageA(m_hWnd, nIDC, CBEM_INSERTITEMA, 0, (LPARAM)&item) == -1)
                bSuccess = FALSE;
        }
        p += dwLen;
        nLeft -= dwLen;
    }
    return bSuccess;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, (LPCSTR)RT_DIALOG);
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    if (hTemplate == nullptr)
        return FALSE;
    if (pParentWnd == nullptr)
        pParentWnd = m_pParentWnd;
    return CreateDlgIndirect((LPCDLGTEMPLATE)::LockResource(hTemplate), pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogInit = lpDialogInit;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, nullptr);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
    BOOL bResult = CreateDlgIndirect(lpTemplate, pParentWnd, nullptr);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpDialogInit = lpDialogInit;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

HWND CDialog::PreModal()
{
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop);
    return AfxSafeHwnd(pOwner);
}

void CDialog::PostModal()
{
    if (m_hWndTop != nullptr)
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = nullptr;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    HGLOBAL hLocked = nullptr;
    if (m_lpszTemplateName != nullptr) {
        HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, (LPCSTR)RT_DIALOG);
        HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
        lpTemplate = hTemplate != nullptr ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : nullptr;
    } else if (m_hDialogTemplate != nullptr) {
        hLocked = m_hDialogTemplate;
        lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hLocked);
    }
    if (lpTemplate == nullptr)
        return -1;

    HWND hWndParent = PreModal();
    // The owner is disabled while the dialog runs, as the system's modal
    // dialogs do.
    BOOL bEnableParent = FALSE;
    if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    try {
        if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst)) {
            if (m_nFlags & WF_CONTINUEMODAL) {
                DWORD dwFlags = MLF_SHOWONIDLE;
                if (GetStyle() & DS_NOIDLEMSG)
                    dwFlags |= MLF_NOIDLEMSG;
                RunModalLoop(dwFlags);
            }
            if (m_hWnd != nullptr)
                SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
    } catch (CException* e) {
        e->Delete();
        m_nModalResult = -1;
    }
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);

    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    if (hLocked != nullptr)
        ::GlobalUnlock(hLocked);

    // The object may delete itself in PostNcDestroy: nothing of it is
    // touched after the window is gone.
    INT_PTR nResult = m_nModalResult;
    PostModal();
    DestroyWindow();
    return nResult;
}

// ---------------------------------------------------------------------------
// Data exchange

namespace {

// Reads a signed or unsigned number of a control; tells the user and fails
// the exchange when the text is not a number in range.
long long ReadNumber(CDataExchange* pDX, HWND hWndCtrl, bool isSigned, long long minValue, long long maxValue)
{
    char text[64] = {};
    ::GetWindowTextA(hWndCtrl, text, sizeof(text));
    char* p = text;
    while (*p == ' ' || *p == '\t')
        p++;
    char* end = nullptr;
    errno = 0;
    long long value = 0;
    bool ok = *p != '\0';
    if (ok) {
        if (isSigned) {
            value = ::strtoll(p, &end, 10);
        } else {
            ok = *p != '-';
            value = (long long)::strtoull(p, &end, 10);
        }
        while (end != nullptr && (*end == ' ' || *end == '\t'))
            end++;
        ok = ok && errno == 0 && end != nullptr && *end == '\0' && value >= minValue && value <= maxValue;
    }
    if (!ok) {
        AfxMessageBox(isSigned ? "Please enter an integer." : "Please enter a positive integer.", MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    return value;
}

void WriteNumber(HWND hWndCtrl, long long value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%lld", value);
    ::SetWindowTextA(hWndCtrl, text);
}

// The exchange of a number of type T with an edit control: written as
// decimal, read back only when it is a number within [minValue, maxValue].
template <class T>
void ExchangeNumber(CDataExchange* pDX, int nIDC, T& value, bool isSigned, long long minValue, long long maxValue)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (T)ReadNumber(pDX, hWndCtrl, isSigned, minValue, maxValue);
    else
        WriteNumber(hWndCtrl, value);
}

} // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr) {
        HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
        if (!rControl.SubclassWindow(hWndCtrl))
            AfxThrowNotSupportedException();
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int nLen = ::GetWindowTextLengthA(hWndCtrl);
        ::GetWindowTextA(hWndCtrl, value.GetBufferSetLength(nLen), nLen + 1);
        value.ReleaseBuffer();
    } else {
        ::SetWindowTextA(hWndCtrl, value);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeNumber(pDX, nIDC, value, true, INT32_MIN, INT32_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeNumber(pDX, nIDC, value, true, INT32_MIN, INT32_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeNumber(pDX, nIDC, value, true, INT16_MIN, INT16_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeNumber(pDX, nIDC, value, false, 0, UINT32_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeNumber(pDX, nIDC, value, false, 0, UINT32_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeNumber(pDX, nIDC, value, false, 0, 255);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    } else {
        if (value < 0 || value > 2)
            value = 0;   // not a check state: shown unchecked
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group: from the first button through the buttons without WS_GROUP.
    int iButton = 0;
    do {
        if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = iButton;
            } else {
                ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            iButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLongPtrA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int nLen = ::GetWindowTextLengthA(hWndCtrl);
        if (nLen > 0) {
            ::GetWindowTextA(hWndCtrl, value.GetBufferSetLength(nLen), nLen + 1);
            value.ReleaseBuffer();
        } else {
            // A drop-down list has no edit text: read the selected item.
            int nIndex = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
            value.Empty();
            if (nIndex != CB_ERR) {
                int nItemLen = (int)::SendMessageA(hWndCtrl, CB_GETLBTEXTLEN, (WPARAM)nIndex, 0);
                if (nItemLen > 0) {
                    ::SendMessageA(hWndCtrl, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)value.GetBufferSetLength(nItemLen));
                    value.ReleaseBuffer();
                }
            }
        }
    } else {
        // Select the first item that begins with the text; keep the text
        // itself in an editable combo box when none does.
        if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR)
            ::SetWindowTextA(hWndCtrl, value);
    }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        DDX_CBString(pDX, nIDC, value);
    } else if (!value.IsEmpty()) {
        int i = (int)::SendMessageA(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
        if (i < 0)
            ::SetWindowTextA(hWndCtrl, value);
        else
            ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)i, 0);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int nIndex = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
        value.Empty();
        if (nIndex != LB_ERR) {
            int nLen = (int)::SendMessageA(hWndCtrl, LB_GETTEXTLEN, (WPARAM)nIndex, 0);
            if (nLen > 0) {
                ::SendMessageA(hWndCtrl, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)value.GetBufferSetLength(nLen));
                value.ReleaseBuffer();
            }
        }
    } else {
        ::SendMessageA(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
    }
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
        CString prompt;
        prompt.Format("Enter no more than %d characters.", nChars);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        pDX->Fail();
    } else if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl) {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString prompt;
        prompt.Format("Enter an integer between %d and %d.", minVal, maxVal);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal)) {
        CString prompt;
        prompt.Format("Enter a positive integer between %u and %u.", minVal, maxVal);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}
