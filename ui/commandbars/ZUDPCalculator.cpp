#include "ui/commandbars/ZUDPCalculator.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/controls/ZUDPEdit.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZUDPCalculator, CZUDPPopupMenuBar, 1)
IMPLEMENT_SERIAL(CCalculatorButton, CZUDPToolbarButton, 1)
IMPLEMENT_SERIAL(CCalculatorDisplay, CZUDPToolbarButton, 1)

BEGIN_MESSAGE_MAP(CZUDPCalculator, CZUDPPopupMenuBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {

const UINT kCalculatorIdlePrompt = 0xE001;  // AFX_IDS_IDLEMESSAGE
const int kMinKeySize = 25;
// The bar style loses its border bits and the gripper as a control.
const DWORD kCalculatorControlStyleMask = 0xFFBFF0FF;

const COLORREF kExtraKeyColor = RGB(255, 0, 255);
const COLORREF kDigitKeyColor = RGB(0, 0, 255);
const COLORREF kOperationKeyColor = RGB(255, 0, 0);

} // namespace

// ---------------------------------------------------------------------------
// Keys

CCalculatorButton::CCalculatorButton(int nDigit) : digit(short(nDigit)), key1('0' + nDigit)
{
    text.Format("%d", nDigit);
    showText = TRUE;
    showImage = FALSE;
    locked = TRUE;
}

CCalculatorButton::CCalculatorButton(LPCTSTR lpszCaption, int nOperation, int nKey1, int nKey2, BOOL bKeyDown,
                                     BOOL bNeedsCtrl)
    : operation(nOperation), key1(nKey1), key2(nKey2), keyDown(bKeyDown), needsCtrl(bNeedsCtrl)
{
    text = lpszCaption;
    showText = TRUE;
    showImage = FALSE;
    locked = TRUE;
}

void CCalculatorButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarButton::OnParentChanged(pWndParent);
    calculator = DYNAMIC_DOWNCAST(CZUDPCalculator, pWndParent);
}

void CCalculatorButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages*, BOOL, BOOL bCustomizeMode,
                                   BOOL bHighlight, BOOL, BOOL)
{
    if (calculator == nullptr)
        return;
    int nState = 0;
    if (!bCustomizeMode) {
        if (style & (TBBS_CHECKED | TBBS_PRESSED))
            nState = 1;
        else if (bHighlight)
            nState = 2;
    }
    if (!calculator->DrawKey(pDC, rectButton, this, nState, operation))
        return;
    const COLORREF clrText = isExtra ? kExtraKeyColor
                             : (digit >= 0 || operation == CZUDPCalculatorArithmetic::OpPoint) ? kDigitKeyColor
                                                                                                 : kOperationKeyColor;
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    HGDIOBJ hOldFont = pDC->SelectObject((HGDIOBJ)calculator->LayoutFont());
    CRect rectText = rectButton;
    pDC->DrawText(text, &rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SelectObject(hOldFont);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

CCalculatorDisplay::CCalculatorDisplay()
{
    text = "0";
    showText = TRUE;
    showImage = FALSE;
    locked = TRUE;
}

void CCalculatorDisplay::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarButton::OnParentChanged(pWndParent);
    calculator = DYNAMIC_DOWNCAST(CZUDPCalculator, pWndParent);
}

void CCalculatorDisplay::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages*, BOOL, BOOL, BOOL, BOOL,
                                    BOOL)
{
    if (calculator == nullptr || !calculator->DrawDisplay(pDC, rectButton, text, memoryShown))
        return;
    HGDIOBJ hOldFont = pDC->SelectObject((HGDIOBJ)calculator->LayoutFont());
    CRect rectText = rectButton;
    rectText.DeflateRect(4, 2);
    CRect rectValue = rectText;
    if (memoryShown)
        rectValue.left += pDC->GetTextExtent(CString("M")).cx;
    const COLORREF clrOld = pDC->SetTextColor(g_uiEnvironment.m_colorWindowText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(text, &rectValue, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    if (memoryShown)
        pDC->DrawText(CString("M"), &rectText, DT_SINGLELINE);
    pDC->SelectObject(hOldFont);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

// ---------------------------------------------------------------------------
// The calculator

CZUDPCalculator::CZUDPCalculator() : CZUDPCalculator(0.0, 0, nullptr) {}

CZUDPCalculator::CZUDPCalculator(double dblValue, UINT uiCommandID, CZUDPEdit* pOwnerEdit)
    : CZUDPCalculatorArithmetic(dblValue), commandId(uiCommandID), ownerEdit(pOwnerEdit)
{
    InitState();
}

CZUDPCalculator::~CZUDPCalculator() = default;

void CZUDPCalculator::InitState()
{
    vertMargin = horzMargin = 3;
    rows = columns = 5;
    m_bLocked = TRUE;
    ResetArithmetic();
}

void CZUDPCalculator::SetValue(double dblValue)
{
    value = dblValue;
    FormatValue();
    UpdateDisplay();
}

void CZUDPCalculator::SetExtraCommands(const CStringList& lstCommands)
{
    extraCommands.RemoveAll();
    extraCommands.AddTail(&lstCommands);
    if (GetSafeHwnd() != nullptr) {
        RebuildButtons();
        PositionButtons();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

CCalculatorDisplay* CZUDPCalculator::GetDisplay() const
{
    return DYNAMIC_DOWNCAST(CCalculatorDisplay, GetButtonAt(0));
}

void CZUDPCalculator::UpdateDisplay()
{
    if (CCalculatorDisplay* pDisplay = GetDisplay()) {
        pDisplay->text = DisplayCaption();
        pDisplay->memoryShown = memory != 0.0;
    }
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(&displayRect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPCalculator::PushDigit(int nDigit)
{
    EnterDigit(nDigit);
    UpdateDisplay();
}

void CZUDPCalculator::RebuildButtons()
{
    if (GetSafeHwnd() == nullptr)
        return;
    DeleteAllButtons();
    auto* pDisplay = new CCalculatorDisplay;
    pDisplay->text = displayText;
    InsertButton(pDisplay);
    for (const KeyDef& def : StandardKeys()) {
        CCalculatorButton* pKey = def.digit >= 0
                                      ? new CCalculatorButton(def.digit)
                                      : new CCalculatorButton(def.caption, def.operation, def.key1, def.key2,
                                                              def.keyDown, def.needsCtrl);
        InsertButton(pKey);
    }
    int nOperation = OpFirstExtra;
    for (POSITION pos = extraCommands.GetHeadPosition(); pos != nullptr; nOperation++) {
        const CString& strCaption = extraCommands.GetNext(pos);
        auto* pKey = new CCalculatorButton(strCaption, nOperation, ExtraKeyChar(strCaption));
        pKey->isExtra = TRUE;
        InsertButton(pKey);
    }
    columns = 5;
    rows = GridRows(int(extraCommands.GetCount()), columns);
}

HFONT CZUDPCalculator::LayoutFont() const
{
    if (IsInDialog())
        return (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    return (HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle();
}

void CZUDPCalculator::PositionButtons()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    const int m = (rectClient.Width() < 150 || rectClient.Height() < 150) ? 1 : 3;
    vertMargin = horzMargin = m;
    rectClient.DeflateRect(m, m);
    const int w = std::max(kMinKeySize, rectClient.Width() / std::max(1, columns));

    int nTextHeight = 0;
    {
        CClientDC dc(this);
        HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)LayoutFont());
        TEXTMETRICA tm = {};
        dc.GetTextMetrics(&tm);
        nTextHeight = tm.tmHeight;
        dc.SelectObject(hOld);
    }

    CZUDPToolbarButton* pDisplay = GetButtonAt(0);
    CZUDPToolbarButton* pBackspace = GetButtonAt(1);
    auto place = [](CZUDPToolbarButton* pButton, const CRect& rectNew) {
        if (pButton == nullptr)
            return;
        const BOOL bChanged = pButton->Rect() != rectNew;
        pButton->SetRect(rectNew);
        if (bChanged)
            pButton->RepositionControl();
    };

    CRect rectRow(rectClient.left, rectClient.top, rectClient.right, rectClient.top + nTextHeight + 2 + 4 * m);
    displayRect = rectRow;
    displayRect.DeflateRect(m, m);
    CRect rectBack(displayRect.right - w, displayRect.top, displayRect.right, displayRect.bottom);
    rectBack.DeflateRect(m, 0);
    displayRect.right = rectBack.left - m;
    place(pDisplay, displayRect);
    place(pBackspace, rectBack);

    int y = displayRect.bottom + m;
    const int h = std::max(kMinKeySize, int(rectClient.bottom - y) / std::max(1, rows));
    int x = rectClient.left;
    int nInRow = 0;
    for (int i = 2; i < GetCount(); i++) {
        CRect rectKey(x, y, x + w, y + h);
        rectKey.DeflateRect(m, m);
        place(GetButtonAt(i), rectKey);
        x += w;
        if (++nInRow == columns) {
            if (pBackspace != nullptr && y == displayRect.bottom + m) {
                // The backspace key sits over the last grid column.
                CRect rectOver = pBackspace->Rect();
                rectOver.left = x + m - w;
                rectOver.right = x - m;
                place(pBackspace, rectOver);
                displayRect.right = rectOver.left - 2 * m;
                place(pDisplay, displayRect);
            }
            nInRow = 0;
            y += h;
            x = rectClient.left;
        }
    }
    RebuildTooltips();
}

CSize CZUDPCalculator::CalcSize(BOOL bVertDock)
{
    (void)bVertDock;
    if (GetCount() == 0)
        return CSize(0, 0);
    int cw = 2 * horzMargin + kMinKeySize;
    int ch = 2 * vertMargin + kMinKeySize;
    CWindowDC dc(nullptr);
    HGDIOBJ hOld = dc.SelectObject((HGDIOBJ)LayoutFont());
    for (int i = 1; i < GetCount(); i++) {
        const CSize extent = dc.GetTextExtent(GetButtonAt(i)->text);
        cw = std::max(cw, int(extent.cx) + 2 * horzMargin + 8);
        ch = std::max(ch, int(extent.cy) + 2 * vertMargin + 8);
    }
    dc.SelectObject(hOld);
    return CSize(columns * cw + 2 * horzMargin, rows * ch + g_uiEnvironment.m_textHeight + 6 * vertMargin);
}

BOOL CZUDPCalculator::CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    displayRect.SetRectEmpty();
    return CZUDPPopupMenuBar::CreateBar(pParentWnd, dwStyle, nID);
}

BOOL CZUDPCalculator::CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID)
{
    EnableLargeIcons(FALSE);
    if (!CreateBar(pParentWnd, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, nID))
        return FALSE;
    ReplaceBarStyle(GetBarStyle() & kCalculatorControlStyleMask);
    SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
    SetOwner(pParentWnd);
    commandId = nID;
    m_bRouteCommandsViaFrame = FALSE;
    InheritVisualManagerStyle(pParentWnd);
    PositionButtons();
    return TRUE;
}

BOOL CZUDPCalculator::DrawKey(CDC* pDC, const CRect& rect, CCalculatorButton* pKey, int nState, int nOperation)
{
    (void)nOperation;
    return CZUDPVisualManager::GetActiveManager()->DrawCalculatorButton(pDC, rect, pKey, nState);
}

BOOL CZUDPCalculator::DrawDisplay(CDC* pDC, const CRect& rect, const CString& strText, BOOL bMemory)
{
    return CZUDPVisualManager::GetActiveManager()->DrawCalculatorDisplay(pDC, rect, strText, bMemory);
}

void CZUDPCalculator::ClosePopup()
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(WM_CLOSE);
}

BOOL CZUDPCalculator::HandleButtonClick(CZUDPToolbarButton* pButton)
{
    auto* pKey = DYNAMIC_DOWNCAST(CCalculatorButton, pButton);
    if (pKey == nullptr)
        return FALSE;
    if (error && pKey->operation != OpClearEntry && pKey->operation != OpClear)
        return TRUE;
    if (pKey->digit >= 0) {
        PushDigit(pKey->digit);
        return TRUE;
    }
    const Outcome outcome = ApplyOperation(pKey->operation);
    if (outcome == OutcomeEquals && ownerEdit != nullptr && !error) {
        CString strText;
        ownerEdit->GetWindowText(strText);
        if (strText != displayText) {
            ownerEdit->SetWindowText(displayText);
            ownerEdit->NotifyTextChanged();
        }
        UpdateDisplay();
        ClosePopup();
        return TRUE;
    }
    if (outcome == OutcomeExtra) {
        UpdateDisplay();
        if (ownerEdit != nullptr)
            ownerEdit->OnCalculatorCommand(this, UINT(pKey->operation));
        else
            OnUserCommand(UINT(pKey->operation));
        FormatValue();
    }
    UpdateDisplay();
    return TRUE;
}

BOOL CZUDPCalculator::ProcessKey(int nKey, BOOL bKeyDown)
{
    if (IsInPopup() && bKeyDown && nKey == VK_ESCAPE) {
        ClosePopup();
        return TRUE;
    }
    const BOOL bCtrl = (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) != 0;
    for (int i = 0; i < GetCount(); i++) {
        auto* pKey = DYNAMIC_DOWNCAST(CCalculatorButton, GetButtonAt(i));
        if (pKey == nullptr || pKey->keyDown != bKeyDown)
            continue;
        if (nKey == 0 || (pKey->key1 != nKey && pKey->key2 != nKey))
            continue;
        if (pKey->needsCtrl && !bCtrl)
            continue;
        HandleButtonClick(pKey);
        return TRUE;
    }
    return FALSE;
}

BOOL CZUDPCalculator::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message) {
    case WM_CHAR:
        if (ProcessKey(int(pMsg->wParam), FALSE))
            return TRUE;
        break;
    case WM_KEYDOWN:
        if (ProcessKey(int(pMsg->wParam), TRUE))
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (IsInPopup() && !IsSendingCommand()) {
            CRect rectClient;
            GetClientRect(&rectClient);
            CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
            ::MapWindowPoints(pMsg->hwnd, m_hWnd, &pt, 1);
            if (!rectClient.PtInRect(pt)) {
                ClosePopup();
                return TRUE;
            }
        }
        break;
    case WM_CONTEXTMENU:
    case WM_SYSKEYDOWN:
        if (IsInPopup() && !IsSendingCommand()) {
            ClosePopup();
            return TRUE;
        }
        break;
    default:
        break;
    }
    return CZUDPToolBar::PreTranslateMessage(pMsg);
}

void CZUDPCalculator::ShowCommandMessageString(UINT uiCmdId)
{
    (void)uiCmdId;
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget != nullptr)
        pTarget->SendMessage(WM_SETMESSAGESTRING, commandId == (UINT)-1 ? kCalculatorIdlePrompt : commandId);
}

void CZUDPCalculator::Serialize(CArchive& ar)
{
    CZUDPToolBar::Serialize(ar);
    if (ar.IsLoading()) {
        RebuildButtons();
        PositionButtons();
    }
}

// ---------------------------------------------------------------------------
// Window messages

int CZUDPCalculator::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPPopupMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bTrackMouseFocus = FALSE;
    RebuildButtons();
    if (IsInPopup())
        SetCapture();
    return 0;
}

void CZUDPCalculator::OnDestroy()
{
    if (ownerEdit != nullptr)
        ownerEdit->OnCalculatorClosed();
    CZUDPPopupMenuBar::OnDestroy();
}

void CZUDPCalculator::OnSize(UINT nType, int cx, int cy)
{
    CZUDPToolBar::OnSize(nType, cx, cy);
    Invalidate();
}

void CZUDPCalculator::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    CZUDPToolBar::OnLButtonDown(nFlags, point);
}

void CZUDPCalculator::OnLButtonUp(UINT nFlags, CPoint point) { CZUDPToolBar::OnLButtonUp(nFlags, point); }

void CZUDPCalculator::OnMouseMove(UINT nFlags, CPoint point) { CZUDPToolBar::OnMouseMove(nFlags, point); }

// ---------------------------------------------------------------------------
// The popup

BEGIN_MESSAGE_MAP(CZUDPCalculatorPopup, CZUDPPopupMenu)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CZUDPCalculatorPopup::CZUDPCalculatorPopup(double dblValue, UINT uiCommandID, CZUDPEdit* pOwnerEdit)
    : m_wndCalculator(dblValue, uiCommandID, pOwnerEdit)
{
}

CZUDPCalculatorPopup::~CZUDPCalculatorPopup() = default;

CZUDPPopupMenu* CZUDPCalculatorPopup::Make(double dblValue, UINT uiCommandID, CZUDPEdit* pOwnerEdit,
                                           const CStringList* pExtraCommands)
{
    auto* pPopup = new CZUDPCalculatorPopup(dblValue, uiCommandID, pOwnerEdit);
    if (pExtraCommands != nullptr)
        pPopup->m_wndCalculator.SetExtraCommands(*pExtraCommands);
    return pPopup;
}

int CZUDPCalculatorPopup::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    if (Default() == -1)
        return -1;
    DWORD dwStyle = WS_CHILD | CBRS_GRIPPER | CBRS_HIDE_INPLACE | CBRS_TOOLTIPS | CBRS_FLYBY;
    if (ResolvedMenuAnimation() == 0 || g_customizeMode)
        dwStyle |= WS_VISIBLE;
    if (!m_wndCalculator.CreateBar(this, dwStyle, 1))
        return -1;
    m_wndCalculator.SetOwner(GetParent());
    m_wndCalculator.ReplaceBarStyle(m_wndCalculator.GetBarStyle() | CBRS_TOOLTIPS);
    RegisterWithFrame(GetTopLevelFrameOrInPlace(GetParent()), this);
    const CSize size = m_wndCalculator.CalcSize(FALSE);
    m_wndCalculator.SetWindowPos(nullptr, 1, 1, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(nullptr, 0, 0, size.cx + 2, size.cy + 2, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndCalculator.PositionButtons();
    return 0;
}

CZUDPControlBar* CZUDPCalculatorPopup::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName)
{
    auto* pBar = new CZUDPCalculator(0.0, m_wndCalculator.commandId, nullptr);
    if (!pBar->CreateBar(pWndMain, WS_CHILD | CBRS_GRIPPER | CBRS_HIDE_INPLACE | CBRS_TOOLTIPS | CBRS_FLYBY, uiID)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetValue(m_wndCalculator.value);
    pBar->extraCommands.RemoveAll();
    pBar->extraCommands.AddTail(&m_wndCalculator.extraCommands);
    pBar->operand = m_wndCalculator.operand;
    pBar->memory = m_wndCalculator.memory;
    pBar->displayText = m_wndCalculator.displayText;
    pBar->RebuildButtons();
    pBar->UpdateDisplay();
    pBar->SetWindowText(lpszName);
    pBar->ReplaceBarStyle(pBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
    return pBar;
}
