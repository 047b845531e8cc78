#include "ui/controls/ZUDPMessageBox.h"

#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"

#include "ui/controls/ZUDPButton.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CZUDPMessageBox, CZUDPDialog)

BEGIN_MESSAGE_MAP(CZUDPMessageBox, CZUDPDialog)
    ON_WM_PAINT()
    ON_WM_HELPINFO()
    ON_COMMAND_RANGE(0, 0xFFFF, &CZUDPMessageBox::OnButton)
END_MESSAGE_MAP()

namespace {

struct StandardButton {
    UINT id;
    UINT stringId;   // in user32.dll's string table
    const char* builtIn;
};
const StandardButton kStandardButtons[] = {
    {IDOK, 800, "OK"},          {IDCANCEL, 801, "Cancel"}, {IDABORT, 802, "&Abort"},
    {IDRETRY, 803, "&Retry"},   {IDIGNORE, 804, "&Ignore"}, {IDYES, 805, "&Yes"},
    {IDNO, 806, "&No"},         {IDTRYAGAIN, 809, "&Try Again"}, {IDCONTINUE, 810, "&Continue"},
};

// The buttons of each type, left to right.
const std::vector<UINT>& ButtonSet(UINT nType)
{
    static const std::vector<UINT> sets[] = {
        {IDOK},
        {IDOK, IDCANCEL},
        {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL},
        {IDYES, IDNO},
        {IDRETRY, IDCANCEL},
        {IDCANCEL, IDTRYAGAIN, IDCONTINUE},
    };
    return sets[nType < 7 ? nType : 0];
}

const char kDashes[] = "---------------------------\r\n";

// A button's caption as the copied text shows it: "&&" is one '&', every
// other '&' goes.
CString CaptionWithoutMnemonics(const CString& text)
{
    CString result;
    for (int i = 0; i < text.GetLength(); ++i) {
        char c = text[i];
        if (c == '&') {
            if (i + 1 < text.GetLength() && text[i + 1] == '&') {
                result += '&';
                ++i;
            }
            continue;
        }
        result += c;
    }
    return result;
}

} // namespace

// ---------------------------------------------------------------------------
// Helpers

int ThemedMessageBox(LPCTSTR lpszText, UINT nType)
{
    return ThemedMessageBoxEx(::GetActiveWindow(), lpszText, AfxGetAppName(), nType, 0);
}

int ThemedMessageBoxEx(HWND hWnd, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT uType, WORD wLanguageId)
{
    MSGBOXPARAMSA params = {};
    params.cbSize = sizeof(params);
    params.hwndOwner = hWnd;
    params.lpszText = lpszText;
    params.lpszCaption = lpszCaption;
    params.dwStyle = uType;
    params.dwLanguageId = wLanguageId;
    return ThemedMessageBoxIndirect(&params);
}

int ThemedMessageBoxIndirect(const MSGBOXPARAMSA* pMsgBoxParams)
{
    if (pMsgBoxParams == nullptr)
        return 0;
    CZUDPMessageBox box(pMsgBoxParams);
    return (int)box.DoModal();
}

CString LoadStringForLanguage(HINSTANCE hModule, UINT nID, int nCapacity, WORD wLanguage)
{
    if (nCapacity <= 1)
        return CString();
    LPCSTR block = MAKEINTRESOURCEA(nID / 16 + 1);
    HRSRC hResource = ::FindResourceExA(hModule, (LPCSTR)RT_STRING, block, wLanguage);
    if (hResource == nullptr && wLanguage != 0)
        hResource = ::FindResourceExA(hModule, (LPCSTR)RT_STRING, block, 0);
    if (hResource == nullptr)
        return CString();
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const WCHAR* p = hData != nullptr ? static_cast<const WCHAR*>(::LockResource(hData)) : nullptr;
    const DWORD size = ::SizeofResource(hModule, hResource);
    if (p == nullptr || size < sizeof(WCHAR))
        return CString();
    const WCHAR* end = p + size / sizeof(WCHAR);
    // Each string is a length followed by that many characters; a length
    // that runs past the resource ends the walk.
    for (UINT i = 0; i < nID % 16; ++i) {
        if (p >= end || *p > end - p - 1)
            return CString();
        p += 1 + *p;
    }
    if (p >= end)
        return CString();
    int length = std::min<int>(*p, int(end - p - 1));
    length = std::min(length, nCapacity - 1);
    ++p;
    if (length <= 0)
        return CString();
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, p, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return CString();
    std::vector<char> text(size_t(bytes) + 1, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, p, length, text.data(), bytes, nullptr, nullptr);
    return CString(text.data());
}

// ---------------------------------------------------------------------------
// CZUDPMessageBox

CZUDPMessageBox::CZUDPMessageBox(const MSGBOXPARAMSA* pParams)
{
    // The whole record is the platform's (80 bytes on x64); a caller's
    // shorter record gives only what it holds.
    m_Params = {};
    if (pParams != nullptr) {
        const UINT nSize = std::min<UINT>(pParams->cbSize != 0 ? pParams->cbSize : (UINT)sizeof(MSGBOXPARAMSA),
                                          (UINT)sizeof(MSGBOXPARAMSA));
        std::memcpy(&m_Params, pParams, nSize);
    }
    m_Params.cbSize = sizeof(MSGBOXPARAMSA);
    Initialize();
}

CZUDPMessageBox::~CZUDPMessageBox()
{
    for (INT_PTR i = 0; i < m_arButtons.GetSize(); ++i)
        delete m_arButtons[i];
    m_arButtons.RemoveAll();
    if (m_hDialogTemplateMem != nullptr)
        ::GlobalFree(m_hDialogTemplateMem);
}

LPCSTR CZUDPMessageBox::GetBuiltInCaption(UINT nID)
{
    for (const StandardButton& button : kStandardButtons) {
        if (button.id == nID)
            return button.builtIn;
    }
    return nullptr;
}

UINT CZUDPMessageBox::GetType() const
{
    const UINT nType = m_Params.dwStyle & MB_TYPEMASK;
    return nType <= MB_CANCELTRYCONTINUE ? nType : (UINT)MB_OK;
}

CString CZUDPMessageBox::LoadText(LPCSTR lpszTextOrId, LPCSTR lpszDefault) const
{
    if (lpszTextOrId == nullptr)
        return CString(lpszDefault);
    if (!IS_INTRESOURCE(lpszTextOrId))
        return CString(lpszTextOrId);
    CString text = LoadStringForLanguage(m_Params.hInstance, (UINT)(UINT_PTR)lpszTextOrId, 4095, (WORD)m_Params.dwLanguageId);
    return text.IsEmpty() ? CString(lpszDefault) : text;
}

void CZUDPMessageBox::Initialize()
{
    HWND hWndOwner = m_Params.hwndOwner;
    if (hWndOwner == nullptr) {
        hWndOwner = ::GetActiveWindow();
        if (hWndOwner != nullptr) {
            HWND hWndPopup = ::GetLastActivePopup(hWndOwner);
            if (hWndPopup != nullptr)
                hWndOwner = hWndPopup;
        }
    }

    switch (m_Params.dwStyle & MB_ICONMASK) {
    case MB_ICONHAND:
        m_hMessageIcon = ::LoadIconA(nullptr, (LPCSTR)IDI_HAND);
        break;
    case MB_ICONQUESTION:
        m_hMessageIcon = ::LoadIconA(nullptr, (LPCSTR)IDI_QUESTION);
        break;
    case MB_ICONEXCLAMATION:
        m_hMessageIcon = ::LoadIconA(nullptr, (LPCSTR)IDI_EXCLAMATION);
        break;
    case MB_ICONASTERISK:
        m_hMessageIcon = ::LoadIconA(nullptr, (LPCSTR)IDI_ASTERISK);
        break;
    default:
        break;
    }
    if ((m_Params.dwStyle & MB_USERICON) && m_Params.lpszIcon != nullptr)
        m_hMessageIcon = ::LoadIconA(m_Params.hInstance, m_Params.lpszIcon);
    if (m_hMessageIcon != nullptr)
        m_rectIcon.SetRect(0, 0, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));

    m_strCaption = LoadText(m_Params.lpszCaption, "Error");
    m_strMessageText = LoadText(m_Params.lpszText, "");

    switch (m_Params.dwStyle & MB_DEFMASK) {
    case MB_DEFBUTTON1:
        m_nDefaultButtonIndex = 0;
        break;
    case MB_DEFBUTTON2:
        m_nDefaultButtonIndex = 1;
        break;
    case MB_DEFBUTTON3:
        m_nDefaultButtonIndex = 2;
        break;
    case MB_DEFBUTTON4:
        m_nDefaultButtonIndex = 3;
        break;
    default:
        m_nDefaultButtonIndex = -1;
        break;
    }

    m_hDialogTemplateMem = ::GlobalAlloc(GMEM_ZEROINIT, 1024);
    if (m_hDialogTemplateMem != nullptr) {
        DLGTEMPLATE* pTemplate = static_cast<DLGTEMPLATE*>(::GlobalLock(m_hDialogTemplateMem));
        pTemplate->style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        if (m_Params.dwStyle & MB_SYSTEMMODAL)
            pTemplate->style |= DS_SYSMODAL;
        pTemplate->cdit = 0;
        pTemplate->x = 0;
        pTemplate->y = 0;
        pTemplate->cx = 62;
        pTemplate->cy = 40;
        ::GlobalUnlock(m_hDialogTemplateMem);
    }
    m_bRightToLeft = (m_Params.dwStyle & MB_RIGHT) != 0;
    // The owner is kept as its handle and wrapped when the box runs.
    InitModalIndirect(m_hDialogTemplateMem, nullptr);
    m_Params.hwndOwner = hWndOwner;
}

INT_PTR CZUDPMessageBox::DoModal()
{
    m_pParentWnd = CWnd::FromHandle(m_Params.hwndOwner);
    return CZUDPDialog::DoModal();
}

void CZUDPMessageBox::AddButton(UINT nID, HINSTANCE hUser32)
{
    const StandardButton* pStandard = nullptr;
    for (const StandardButton& button : kStandardButtons) {
        if (button.id == nID)
            pStandard = &button;
    }
    CString caption;
    if (pStandard != nullptr) {
        if (hUser32 != nullptr)
            caption = LoadStringForLanguage(hUser32, pStandard->stringId, 255, (WORD)m_Params.dwLanguageId);
        if (caption.IsEmpty())
            caption = pStandard->builtIn;
    }

    const BOOL bDefault = int(m_arButtons.GetSize()) == m_nDefaultButtonIndex;
    CZUDPButton* pButton = new CZUDPButton;
    const CRect rect(m_nButtonX, 0, m_nButtonX + m_szButton.cx, m_szButton.cy);
    if (!pButton->Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | (bDefault ? BS_DEFPUSHBUTTON : 0), rect, this, nID)) {
        delete pButton;
        return;
    }
    // The buttons use the message font.
    pButton->SetFont(&m_fntText, FALSE);

    int nWidth = m_szButton.cx;
    CDC* pDC = pButton->GetDC();
    if (pDC != nullptr) {
        CFont* pOldFont = pDC->SelectObject(&m_fntText);
        CSize extent = pDC->GetTextExtent(caption);
        pDC->SelectObject(pOldFont);
        pButton->ReleaseDC(pDC);
        if (extent.cx > m_szButton.cx - 10) {
            nWidth = std::min((int)extent.cx, 512) + 10;
            pButton->SetWindowPos(nullptr, 0, 0, nWidth, m_szButton.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    m_nButtonX += nWidth + m_nButtonGap;
    m_arButtons.Add(pButton);
    if (nID == IDCANCEL)
        m_bHasCancelButton = TRUE;
}

void CZUDPMessageBox::PlaceButtonRow(int nSpanLeft, int nSpanRight, int y)
{
    if (m_arButtons.GetSize() == 0)
        return;
    CRect rectFirst;
    CRect rectLast;
    m_arButtons[0]->GetWindowRect(&rectFirst);
    m_arButtons[m_arButtons.GetSize() - 1]->GetWindowRect(&rectLast);
    ScreenToClient(&rectFirst);
    ScreenToClient(&rectLast);
    const int dx = (nSpanLeft + nSpanRight - rectFirst.left - rectLast.right) / 2;
    for (INT_PTR i = 0; i < m_arButtons.GetSize(); ++i) {
        CRect rect;
        m_arButtons[i]->GetWindowRect(&rect);
        ScreenToClient(&rect);
        m_arButtons[i]->SetWindowPos(nullptr, rect.left + dx, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CZUDPMessageBox::PreInitDialog()
{
    CZUDPDialog::PreInitDialog();

    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    m_fntText.DeleteObject();
    m_fntText.CreateFontIndirect(&metrics.lfMessageFont);

    // Dialog units of the system font to pixels.
    MapDialogRect(&m_rectMargins);
    CRect gaps(m_nIconGap, m_nRowGap, m_nButtonGap, 0);
    MapDialogRect(&gaps);
    m_nIconGap = gaps.left;
    m_nRowGap = gaps.top;
    m_nButtonGap = gaps.right;
    CRect button(0, 0, m_szButton.cx, m_szButton.cy);
    MapDialogRect(&button);
    m_szButton = CSize(button.Width(), button.Height());

    m_bHasCancelButton = FALSE;
    m_nButtonX = 0;
    HINSTANCE hUser32 = ::LoadLibraryA("user32.dll");
    for (UINT nID : ButtonSet(GetType()))
        AddButton(nID, hUser32);
    if (hUser32 != nullptr)
        ::FreeLibrary(hUser32);
    if (m_arButtons.GetSize() == 1 && GetType() == MB_OK)
        m_bHasCancelButton = TRUE;

    RECT rectWork = {0, 0, 800, 600};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0);
    const int nIconSpace = m_hMessageIcon != nullptr ? m_rectIcon.Width() + m_nIconGap : 0;
    const int nMaxWidth = std::max(1, int((rectWork.right - rectWork.left) / 2 + 80 - nIconSpace));
    const int nMaxHeight = std::max(1, int(rectWork.bottom - rectWork.top - m_nButtonGap - m_szButton.cy));

    m_dwDrawTextFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | (m_bRightToLeft ? DT_RIGHT : 0);
    m_rectText.SetRect(0, 0, nMaxWidth, nMaxHeight);
    {
        CClientDC dcScreen(nullptr);
        CFont* pOldFont = dcScreen.SelectObject(&m_fntText);
        dcScreen.DrawText(m_strMessageText, &m_rectText, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        dcScreen.SelectObject(pOldFont);
    }
    // The wrapped text never grows wider than its limit.
    if (m_rectText.Width() > nMaxWidth)
        m_rectText.right = m_rectText.left + nMaxWidth;

    int nContentWidth = m_arButtons.GetSize() > 0 ? m_nButtonX - m_nButtonGap : 0;
    int nContentHeight = m_rectText.Height();
    int nWidth = m_rectText.Width();
    if (m_hMessageIcon != nullptr) {
        if (m_rectText.Height() < m_rectIcon.Height())
            m_rectText.OffsetRect(0, (m_rectIcon.Height() - m_rectText.Height()) / 2);
        m_rectText.OffsetRect(nIconSpace, 0);
        nWidth = m_rectText.Width() + nIconSpace;
        nContentHeight = std::max(nContentHeight, (int)m_rectIcon.Height());
    }
    nContentWidth = std::max(nWidth, nContentWidth);
    nContentHeight += m_nRowGap;
    if (m_bRightToLeft)
        m_rectText.OffsetRect(nContentWidth - m_rectText.right, 0);
    m_rectIcon.OffsetRect(m_rectMargins.left, m_rectMargins.top);
    m_rectText.OffsetRect(m_rectMargins.left, m_rectMargins.top);

    PlaceButtonRow(m_rectMargins.left, nContentWidth + m_rectMargins.right, m_rectMargins.top + nContentHeight);

    CRect rectWindow(0, 0, m_rectMargins.left + nContentWidth + m_rectMargins.right,
                     m_rectMargins.top + nContentHeight + m_szButton.cy + m_rectMargins.bottom);
    ::AdjustWindowRectEx(&rectWindow, GetStyle() | WS_CAPTION, FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);

    if (!m_bHasCancelButton) {
        HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
        if (hSysMenu != nullptr)
            ::EnableMenuItem(hSysMenu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        m_Impl.SyncCaptionButtonsWithSystemMenu();
    }
}

BOOL CZUDPMessageBox::OnInitDialog()
{
    if (!CZUDPDialog::OnInitDialog())
        return FALSE;
    SetVisualManagerLook(TRUE, TRUE);
    SetWindowText(m_strCaption);
    CenterWindow();
    if (m_nDefaultButtonIndex >= 0 && m_nDefaultButtonIndex < GetButtonCount()) {
        GotoDlgCtrl(m_arButtons[m_nDefaultButtonIndex]);
        return FALSE;
    }
    g_foundationSeams.messageBeep(m_Params.dwStyle & MB_ICONMASK);
    return TRUE;
}

void CZUDPMessageBox::OnPaint()
{
    CPaintDC dc(this);
    if (m_hMessageIcon != nullptr)
        dc.DrawIcon(m_rectIcon.left, m_rectIcon.top, m_hMessageIcon);
    DrawMessageText(&dc);
}

void CZUDPMessageBox::DrawMessageText(CDC* pDC)
{
    CFont* pOldFont = pDC->SelectObject(&m_fntText);
    pDC->SetTextColor(IsVisualManagerStyle() ? g_uiEnvironment.m_colorBarText : g_uiEnvironment.m_colorWindowText);
    pDC->SetBkMode(TRANSPARENT);
    CRect rect = m_rectText;
    pDC->DrawText(m_strMessageText, &rect, m_dwDrawTextFlags | DT_NOCLIP);
    pDC->SelectObject(pOldFont);
}

void CZUDPMessageBox::OnButton(UINT nID)
{
    if (nID == IDCANCEL && !m_bHasCancelButton)
        return;
    if (GetType() == MB_OK && m_arButtons.GetSize() == 1) {
        EndDialog(IDOK);
        return;
    }
    EndDialog((int)nID);
}

BOOL CZUDPMessageBox::OnHelpInfo(HELPINFO* pHelpInfo)
{
    if (pHelpInfo == nullptr)
        return TRUE;
    HELPINFO info = *pHelpInfo;
    info.dwContextId = ::GetWindowContextHelpId(m_hWnd);
    if (m_Params.lpfnMsgBoxCallback != nullptr)
        m_Params.lpfnMsgBoxCallback(&info);
    else if (m_Params.hwndOwner != nullptr)
        ::SendMessageA(m_Params.hwndOwner, WM_HELP, 0, (LPARAM)&info);
    return TRUE;
}

CString CZUDPMessageBox::GetCopyText() const
{
    CString text;
    text += kDashes;
    text += m_strCaption;
    text += "\r\n";
    text += kDashes;
    text += m_strMessageText;
    text += "\r\n";
    text += kDashes;
    for (INT_PTR i = 0; i < m_arButtons.GetSize(); ++i) {
        CString caption;
        if (m_arButtons[i]->m_hWnd != nullptr)
            m_arButtons[i]->GetWindowText(caption);
        text += CaptionWithoutMnemonics(caption);
        text += ' ';
    }
    text += "\r\n";
    text += kDashes;
    return text;
}

BOOL CZUDPMessageBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == 'C' || pMsg->wParam == VK_INSERT)
        && (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) && ::OpenClipboard(m_hWnd)) {
        ::EmptyClipboard();
        const CString text = GetCopyText();
        const SIZE_T nBytes = SIZE_T(text.GetLength()) + 1;
        HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, nBytes);
        if (hData != nullptr) {
            char* p = static_cast<char*>(::GlobalLock(hData));
            std::memcpy(p, (LPCSTR)text, nBytes);
            ::GlobalUnlock(hData);
            if (::SetClipboardData(CF_TEXT, hData) == nullptr)
                ::GlobalFree(hData);
        }
        ::CloseClipboard();
    }
    return CZUDPDialog::PreTranslateMessage(pMsg);
}
