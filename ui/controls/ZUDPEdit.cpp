#include "ui/controls/ZUDPEdit.h"

#include "framework/win/DC.h"
#include "res/ui/controls.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/controls/ZUDPControlsSeams.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>
#include <cstdio>
#include <string>

IMPLEMENT_DYNCREATE(CZUDPEdit, CEdit)

BEGIN_MESSAGE_MAP(CZUDPEdit, CEdit)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_PAINT()
    ON_CONTROL_REFLECT_EX(EN_CHANGE, &CZUDPEdit::OnChange)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLVMMODE, &CZUDPEdit::OnSetControlVMMode)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPEdit::OnSetControlAero)
END_MESSAGE_MAP()

namespace {

// The hit code of the browse button.  The default processing of the
// non-client messages does nothing with it (a caption code would let a
// press drag the edit around its dialog); the edit handles the press.
constexpr LRESULT kBrowseButtonHitCode = HTBORDER;

// Characters that no file name can hold.
constexpr char kInvalidNameChars[] = "*?<>|";

// Images of the standard strip.
constexpr int kImageFolder = 0;
constexpr int kImageFile = 1;
constexpr int kImageCalculator = 2;
constexpr int kStandardImageSize = 16;

CZUDPEdit::CalculatorPopupFactory g_calculatorPopupFactory = nullptr;

std::wstring WideFromAnsi(const CString& text)
{
    if (text.IsEmpty())
        return std::wstring();
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring wide((size_t)n, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), &wide[0], n);
    return wide;
}

} // namespace

CZUDPEdit::CZUDPEdit() : m_lstCalcAdditionalCommands(10) {}

CZUDPEdit::~CZUDPEdit()
{
    // A popup still open goes with the edit it writes into.
    if (m_pCalcPopup != nullptr && ::IsWindow(m_pCalcPopup->GetSafeHwnd()))
        m_pCalcPopup->SendMessage(WM_CLOSE);
    m_pCalcPopup = nullptr;
}

CZUDPEdit::CalculatorPopupFactory CZUDPEdit::SetCalculatorPopupFactory(CalculatorPopupFactory pfnFactory)
{
    CalculatorPopupFactory pfnPrevious = g_calculatorPopupFactory;
    g_calculatorPopupFactory = pfnFactory;
    return pfnPrevious;
}

// ---------------------------------------------------------------------------
// Modes

void CZUDPEdit::ClearImages()
{
    m_ImageBrowse.DeleteImageList();
    m_sizeImage = CSize(0, 0);
    m_bDefaultImage = TRUE;
}

void CZUDPEdit::EnableBrowseButton(BOOL bEnable, LPCTSTR szLabel)
{
    m_Mode = bEnable ? BrowseMode_Custom : BrowseMode_None;
    m_strLabel = szLabel != nullptr ? szLabel : "";
    ClearImages();
    LayoutBrowseButton();
}

void CZUDPEdit::SetCalculatorMode(const CStringList* plstExtraCommands)
{
    m_Mode = BrowseMode_Calculator;
    m_lstCalcAdditionalCommands.RemoveAll();
    if (plstExtraCommands != nullptr) {
        for (POSITION pos = plstExtraCommands->GetHeadPosition(); pos != nullptr;)
            m_lstCalcAdditionalCommands.AddTail(plstExtraCommands->GetNext(pos));
    }
    LoadStandardImages();
    LayoutBrowseButton();
}

void CZUDPEdit::SetFileMode(LPCTSTR lpszDefExt, LPCTSTR lpszFilter)
{
    m_Mode = BrowseMode_File;
    m_strDefFileExt = lpszDefExt != nullptr ? lpszDefExt : "";
    m_strFileFilter = lpszFilter != nullptr ? lpszFilter : "";
    LoadStandardImages();
    LayoutBrowseButton();
}

void CZUDPEdit::SetFolderMode()
{
    m_Mode = BrowseMode_Folder;
    LoadStandardImages();
    LayoutBrowseButton();
}

// The library's strip of browse images (folder, file, calculator; 16 x 16
// with magenta as the transparent colour), in high colour when the display
// and the global data allow it.
void CZUDPEdit::LoadStandardImages()
{
    ClearImages();
    const BOOL bHighColor = g_uiEnvironment.m_highColorImages && g_uiEnvironment.m_bitsPerPixel >= 16
                            && !g_uiEnvironment.IsContrastColorScheme();
    CZUDPLocalResource localResource;
    HBITMAP hBitmap = (HBITMAP)::LoadImageA(AfxGetResourceHandle(),
                                            MAKEINTRESOURCEA(bHighColor ? IDB_ZUDP_BROWSE_HICOLOR : IDB_ZUDP_BROWSE),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (hBitmap == nullptr)
        return;
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof(bm), &bm);
    UINT nColorFlag = ILC_COLOR4;
    switch (bm.bmBitsPixel) {
    case 8:
        nColorFlag = ILC_COLOR8;
        break;
    case 16:
        nColorFlag = ILC_COLOR16;
        break;
    case 24:
        nColorFlag = ILC_COLOR24;
        break;
    case 32:
        nColorFlag = ILC_COLOR32;
        break;
    default:
        break;
    }
    if (m_ImageBrowse.Create(kStandardImageSize, kStandardImageSize, nColorFlag | ILC_MASK, 0, 0)) {
        ::ImageList_AddMasked(m_ImageBrowse.m_hImageList, hBitmap, RGB(255, 0, 255));
        m_sizeImage = CSize(kStandardImageSize, kStandardImageSize);
        m_bDefaultImage = TRUE;
    }
    ::DeleteObject(hBitmap);
}

void CZUDPEdit::LayoutBrowseButton()
{
    m_nBrowseButtonWidth = std::max<int>(20, m_sizeImage.cx + 8);
    if (m_hWnd == nullptr)
        return;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    if (m_Mode != BrowseMode_None) {
        // Where the non-client painting puts it: right of the client area,
        // as high as it.
        CRect rectClient;
        GetClientRect(&rectClient);
        m_rectBtn.SetRect(rectClient.right, rectClient.top, rectClient.right + m_nBrowseButtonWidth, rectClient.bottom);
    } else {
        m_rectBtn.SetRectEmpty();
    }
}

// ---------------------------------------------------------------------------
// Non-client area: the border and the browse button

void CZUDPEdit::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    Default();
    if (m_Mode == BrowseMode_None || lpncsp == nullptr)
        return;
    // Without valid rectangles the parameter is a plain RECT: the same
    // first member.
    RECT& rectClient = bCalcValidRects ? lpncsp->rgrc[0] : *reinterpret_cast<RECT*>(lpncsp);
    rectClient.right -= m_nBrowseButtonWidth;
    if (rectClient.right < rectClient.left)
        rectClient.right = rectClient.left;
}

void CZUDPEdit::OnNcPaint()
{
    const DWORD dwStyle = GetStyle();
    if ((dwStyle & (WS_VSCROLL | WS_HSCROLL)) != 0 || (!m_bVisualManagerStyle && !m_bOnGlass)) {
        Default();
    } else {
        CZUDPDrawOnGlass onGlass(m_bOnGlass);
        CZUDPVisualManager::GetActiveManager()->DrawWindowBorder(this);
        if (dwStyle & WS_BORDER)
            CZUDPVisualManager::GetActiveManager()->DrawWindowBorder(this);
    }
    if (m_Mode == BrowseMode_None)
        return;

    // The button: from the client area's right edge, the button width
    // wide and as high as the client area, in window coordinates.
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectButton(rectClient.right, rectClient.top, rectClient.right + m_nBrowseButtonWidth, rectClient.bottom);
    rectButton.OffsetRect(-rectWindow.left, -rectWindow.top);

    CWindowDC dc(this);
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&rectButton);
    DrawBrowseButton(&dc, rectButton, m_bIsButtonPressed, m_bIsButtonHighlighted);
    dc.RestoreDC(nSaved);

    rectButton.OffsetRect(rectWindow.left, rectWindow.top);
    m_rectBtn = rectButton;
    ScreenToClient(&m_rectBtn);
}

void CZUDPEdit::DrawBrowseButton(CDC* pDC, CRect rect, BOOL bIsButtonPressed, BOOL bIsButtonHot)
{
    const int state = bIsButtonPressed ? 1 : (bIsButtonHot ? 2 : 0);
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    if (!pManager->DrawEditBrowseButton(pDC, rect, this, state))
        return;
    const COLORREF clrText = g_uiEnvironment.m_colorButtonText;

    if (m_ImageBrowse.GetSafeHandle() != nullptr) {
        int iImage = 0;
        if (m_bDefaultImage)
            iImage = m_Mode == BrowseMode_Calculator ? kImageCalculator
                     : m_Mode == BrowseMode_File     ? kImageFile
                                                     : kImageFolder;
        CPoint pt(rect.left + (rect.Width() - m_sizeImage.cx) / 2, rect.top + (rect.Height() - m_sizeImage.cy) / 2);
        if (bIsButtonPressed && pManager->ShiftsPressedBrowseImage())
            pt.Offset(1, 1);
        ::ImageList_Draw(m_ImageBrowse.m_hImageList, iImage, pDC->GetSafeHdc(), pt.x, pt.y, ILD_NORMAL);
    } else if (!m_strLabel.IsEmpty()) {
        const COLORREF clrOldText = pDC->SetTextColor(clrText);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        HGDIOBJ hOldFont = pDC->SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
        CRect rectText = rect;
        rectText.DeflateRect(1, 2);
        rectText.OffsetRect(0, -2);
        if (bIsButtonPressed)
            rectText.OffsetRect(1, 1);
        pDC->DrawText(m_strLabel, &rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SelectObject(hOldFont);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(clrOldText);
    }
}

void CZUDPEdit::RedrawFrame()
{
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

BOOL CZUDPEdit::IsPointOnButton(CPoint ptClient) const
{
    return m_Mode != BrowseMode_None && m_rectBtn.PtInRect(ptClient);
}

LRESULT CZUDPEdit::OnNcHitTest(CPoint point)
{
    if (m_Mode != BrowseMode_None) {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        if (m_rectBtn.PtInRect(ptClient))
            return kBrowseButtonHitCode;
    }
    return Default();
}

void CZUDPEdit::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (!m_bIsButtonCaptured) {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        if (IsPointOnButton(ptClient)) {
            SetCapture();
            m_bIsButtonHighlighted = TRUE;
            RedrawFrame();
        }
    }
    Default();
}

void CZUDPEdit::StartButtonPress()
{
    SetFocus();
    m_bIsButtonPressed = TRUE;
    m_bIsButtonCaptured = TRUE;
    SetCapture();
    RedrawFrame();
}

// A press on the button before any move over it arrives here (no capture
// held yet), with the button's hit code.
void CZUDPEdit::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CPoint ptClient = point;
    ScreenToClient(&ptClient);
    if (nHitTest == (UINT)kBrowseButtonHitCode && IsPointOnButton(ptClient)) {
        StartButtonPress();
        return;
    }
    Default();
}

void CZUDPEdit::OnNcLButtonDblClk(UINT, CPoint) {}

void CZUDPEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (IsPointOnButton(point)) {
        StartButtonPress();
        return;
    }
    Default();
}

void CZUDPEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bIsButtonCaptured) {
        const BOOL bPressed = m_rectBtn.PtInRect(point);
        if (bPressed != m_bIsButtonPressed) {
            m_bIsButtonPressed = bPressed;
            RedrawFrame();
        }
        return;
    }
    if (m_bIsButtonHighlighted && !m_rectBtn.PtInRect(point)) {
        m_bIsButtonHighlighted = FALSE;
        ReleaseCapture();
        RedrawFrame();
    }
    Default();
}

void CZUDPEdit::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bIsButtonCaptured) {
        Default();
        return;
    }
    ReleaseCapture();
    m_bIsButtonPressed = FALSE;
    m_bIsButtonCaptured = FALSE;
    m_bIsButtonHighlighted = FALSE;
    RedrawFrame();
    if (m_rectBtn.PtInRect(point))
        OnBrowse();
}

void CZUDPEdit::OnCancelMode()
{
    Default();
    if (IsWindowEnabled() && ::GetCapture() == m_hWnd)
        ReleaseCapture();
    m_bIsButtonPressed = FALSE;
    m_bIsButtonCaptured = FALSE;
    m_bIsButtonHighlighted = FALSE;
    RedrawFrame();
}

// ---------------------------------------------------------------------------
// Painting on glass

void CZUDPEdit::OnPaint()
{
    if (!m_bOnGlass) {
        Default();
        return;
    }
    CPaintDC dcPaint(this);
    CZUDPMemDC memDC(dcPaint, this, 255);
    SendMessage(WM_PRINTCLIENT, (WPARAM)memDC.GetDC().GetSafeHdc(), (LPARAM)PRF_CLIENT);
}

BOOL CZUDPEdit::OnChange()
{
    if (m_bOnGlass) {
        InvalidateRect(nullptr, FALSE);
        UpdateWindow();
    }
    return FALSE;   // the parent hears of the change too
}

LRESULT CZUDPEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bOnGlass)
        return CEdit::WindowProc(message, wParam, lParam);

    const BOOL bInput = (message >= WM_MOUSEFIRST && message <= 0x20E) || (message >= WM_KEYFIRST && message <= 0x109);
    if (bInput) {
        POINT ptCaretBefore = {};
        ::GetCaretPos(&ptCaretBefore);
        LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
        if (m_hWnd == nullptr)
            return lResult;
        POINT ptCaretAfter = {};
        ::GetCaretPos(&ptCaretAfter);
        if (SendMessage(EM_GETSEL) != 0 || ptCaretAfter.x != ptCaretBefore.x || ptCaretAfter.y != ptCaretBefore.y) {
            InvalidateRect(nullptr, FALSE);
            UpdateWindow();
        }
        return lResult;
    }
    LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
    if (message == EM_SETSEL && m_hWnd != nullptr) {
        InvalidateRect(nullptr, FALSE);
        UpdateWindow();
    }
    return lResult;
}

// ---------------------------------------------------------------------------
// Keys

BOOL CZUDPEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd) {
        if (m_Mode == BrowseMode_Calculator && pMsg->message == WM_CHAR && !IsCalculatorChar((UINT)pMsg->wParam))
            return TRUE;
        if (m_Mode != BrowseMode_None && pMsg->message == WM_SYSKEYDOWN
            && (pMsg->wParam == VK_DOWN || pMsg->wParam == VK_RIGHT)) {
            OnBrowse();
            return TRUE;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

BOOL CZUDPEdit::IsCalculatorChar(UINT nChar)
{
    if (nChar >= '0' && nChar <= '9')
        return TRUE;
    CString strText;
    GetWindowText(strText);
    if (nChar == '.' || nChar == ',')
        return strText.Find('.') < 0 && strText.Find(',') < 0;
    if (nChar == '-') {
        int nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        return strText.Find('-') < 0 && nStart == 0;
    }
    // Backspace and the other control characters edit the text.
    const BOOL bPrintable = nChar >= 0x20 && nChar != 0x7F;
    return !bPrintable;
}

// ---------------------------------------------------------------------------
// The browse action

void CZUDPEdit::OnBrowse()
{
    switch (m_Mode) {
    case BrowseMode_Calculator:
        OpenCalculator();
        break;
    case BrowseMode_File:
        BrowseForFile();
        break;
    case BrowseMode_Folder:
        BrowseForFolder();
        break;
    default:
        SetFocus();
        break;
    }
}

void CZUDPEdit::OpenCalculator()
{
    if (m_pCalcPopup != nullptr) {
        CZUDPPopupMenu* pPopup = m_pCalcPopup;
        m_pCalcPopup = nullptr;
        if (::IsWindow(pPopup->GetSafeHwnd()))
            pPopup->SendMessage(WM_CLOSE);
        return;
    }
    if (g_calculatorPopupFactory == nullptr) {
        SetFocus();
        return;
    }

    CString strText;
    GetWindowText(strText);
    strText.Replace(",", ".");
    // A text that does not read as a number starts the calculator at 0.
    double dblValue = 0.0;
    if (strText.IsEmpty() || std::sscanf(strText, "%lf", &dblValue) != 1)
        dblValue = 0.0;

    CZUDPPopupMenu* pPopup = g_calculatorPopupFactory(
        dblValue, 0, this, m_lstCalcAdditionalCommands.IsEmpty() ? nullptr : &m_lstCalcAdditionalCommands);
    if (pPopup == nullptr) {
        SetFocus();
        return;
    }
    m_pCalcPopup = pPopup;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (pPopup->CreatePopup(this, rectWindow.left, rectWindow.bottom, nullptr, TRUE, FALSE)) {
        if (CZUDPPopupMenuBar* pCalculator = pPopup->GetMenuBar()) {
            if (pCalculator->GetSafeHwnd() != nullptr)
                pCalculator->SetFocus();
        }
        pPopup->RefreshShadow();
    } else {
        // A popup whose window could not be made deletes itself (or was
        // never a window): only the pointer is forgotten.
        m_pCalcPopup = nullptr;
        SetFocus();
    }
}

void CZUDPEdit::OnCalculatorClosed()
{
    m_pCalcPopup = nullptr;
    if (m_hWnd != nullptr)
        SetFocus();
}

void CZUDPEdit::OnCalculatorCommand(CZUDPCalculator*, UINT) {}

void CZUDPEdit::BrowseForFile()
{
    CString strText;
    GetWindowText(strText);
    if (strText.FindOneOf(kInvalidNameChars) >= 0 && !ShowInvalidNameTip(strText)) {
        SetFocus();
        return;
    }

    CString strFolder, strFile;
    const DWORD dwAttributes = strText.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(strText);
    if (dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        strFolder = strText;
    } else {
        const int iLastSlash = strText.ReverseFind('\\');
        if (iLastSlash > 0) {
            strFolder = strText.Left(iLastSlash);
            strFile = strText.Mid(iLastSlash + 1);
        } else {
            strFile = strText;
        }
    }

    CString strPath;
    if (g_controlsSeams.openFileDialog(GetParent(), m_strDefFileExt.IsEmpty() ? nullptr : (LPCTSTR)m_strDefFileExt,
                                       strFile, m_strFileFilter.IsEmpty() ? nullptr : (LPCTSTR)m_strFileFilter,
                                       strFolder.IsEmpty() ? nullptr : (LPCTSTR)strFolder, strPath)
        && strPath != strText) {
        SetWindowText(strPath);
        SetModify(TRUE);
        NotifyTextChanged();
    }
    if (CWnd* pParent = GetParent())
        pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
    SetFocus();
}

void CZUDPEdit::BrowseForFolder()
{
    CString strText;
    GetWindowText(strText);
    CString strFolder;
    if (g_controlsSeams.pickFolder(this, strText, strFolder) && strFolder != strText) {
        SetWindowText(strFolder);
        SetModify(TRUE);
        NotifyTextChanged();
    }
    SetFocus();
}

void CZUDPEdit::NotifyTextChanged()
{
    if (m_hWnd == nullptr)
        return;
    CWnd* pOwner = GetOwner();
    HWND hWndOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : ::GetParent(m_hWnd);
    if (hWndOwner == nullptr)
        return;
    const WORD wID = (WORD)GetDlgCtrlID();
    ::PostMessageA(hWndOwner, WM_COMMAND, MAKEWPARAM(wID, EN_CHANGE), (LPARAM)m_hWnd);
    ::PostMessageA(hWndOwner, WM_COMMAND, MAKEWPARAM(wID, EN_UPDATE), (LPARAM)m_hWnd);
}

BOOL CZUDPEdit::ShowInvalidNameTip(const CString& strText)
{
    CString strMessage;
    {
        CZUDPLocalResource localResource;
        if (!strMessage.LoadString(IDS_ZUDP_INVALID_FILENAME))
            strMessage = "Incorrect filename.";
    }
    const std::wstring title = WideFromAnsi(strMessage);
    const std::wstring text = WideFromAnsi(strText);
    if (!ShowBalloonTip(title.c_str(), text.c_str(), TTI_ERROR)) {
        CString strBox;
        strBox.Format("%s\r\n%s", (LPCTSTR)strText, (LPCTSTR)strMessage);
        MessageBox(strBox, nullptr, MB_ICONEXCLAMATION);
    }
    return FALSE;
}
