#include "ui/commandbars/ZUDPDropDownToolbarButton.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/GdiObject.h"
#include "framework/win/Menu.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/MenuSound.h"
#include "ui/foundation/MouseLeaveTracking.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_SERIAL(CZUDPDropDownToolBar, CZUDPToolBar, 1)
IMPLEMENT_SERIAL(CZUDPDropDownToolbarButton, CZUDPToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CZUDPDropDownFrame, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

UINT CZUDPDropDownToolbarButton::s_holdDelay = 500;

namespace {

// The button whose hold timer runs (at most one in the process).
CZUDPDropDownToolbarButton* s_timingButton = nullptr;
CString s_dropDownClassName;

const UINT kDropDownBarId = 0xE827;
const UINT kDropDownIdlePrompt = 0xE001;  // AFX_IDS_IDLEMESSAGE
const int kArrowSize = 7;

BOOL HasCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != (UINT)-1; }

BOOL IsLiveBar(const CZUDPToolBar* pBar)
{
    return pBar != nullptr && pBar->m_hWnd != nullptr && CWnd::FromHandlePermanent(pBar->m_hWnd) == pBar;
}

BOOL IsHorizontalHost(CWnd* pWnd)
{
    CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pWnd);
    return pBar == nullptr || pBar->IsHorizontal();
}

} // namespace

// ---------------------------------------------------------------------------
// The offered toolbar

BEGIN_MESSAGE_MAP(CZUDPDropDownToolBar, CZUDPToolBar)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CZUDPDropDownToolBar::CZUDPDropDownToolBar() { m_bLocked = TRUE; }

BOOL CZUDPDropDownToolBar::LoadImagesAndButtons(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL,
                                                UINT uiDisabledResID, UINT uiMenuDisabledResID)
{
    return CZUDPToolBar::LoadImagesAndButtons(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID,
                                              uiMenuDisabledResID);
}

void CZUDPDropDownToolBar::UpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CFrameWnd* pOwn = DYNAMIC_DOWNCAST(CFrameWnd, GetCommandTarget());
    CZUDPToolBar::UpdateCmdUI(pOwn != nullptr ? pOwn : pTarget, bDisableIfNoHndler);
}

BOOL CZUDPDropDownToolBar::HandleButtonClick(CZUDPToolbarButton* pButton)
{
    if (pButton == nullptr || (pButton->style & TBBS_DISABLED) || !HasCommand(pButton->commandId))
        return FALSE;
    const UINT uiCmd = pButton->commandId;
    auto* pFrame = DYNAMIC_DOWNCAST(CZUDPDropDownFrame, GetParent());
    if (pFrame != nullptr && pFrame->parentButton != nullptr)
        pFrame->parentButton->SetCurrentCommand(uiCmd);
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr)
        pOwner->PostMessage(WM_COMMAND, uiCmd, 0);
    if (pFrame != nullptr)
        pFrame->DestroyWindow();
    return TRUE;
}

void CZUDPDropDownToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (point == lastMove)
        return;
    lastMove = point;
    int iTracked = HitTest(point);
    if (const CZUDPToolbarButton* pButton = GetButtonAt(iTracked)) {
        if (pButton->IsSeparator() || ((pButton->style & TBBS_DISABLED) && !CanHighlightDisabledItems()))
            iTracked = -1;
    } else {
        iTracked = -1;
    }
    if (!m_bTracked) {
        TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        m_bTracked = TrackMouseLeave(&tme);
    }
    if (iTracked != trackedButton) {
        const int iOld = trackedButton;
        trackedButton = iTracked;
        if (const CZUDPToolbarButton* pOld = GetButtonAt(iOld)) {
            ChangeButtonStyle(iOld, pOld->style & ~UINT(TBBS_PRESSED));
            InvalidateButton(iOld);
        }
        if (const CZUDPToolbarButton* pNew = GetButtonAt(iTracked)) {
            ChangeButtonStyle(iTracked, pNew->style | TBBS_PRESSED);
            InvalidateButton(iTracked);
        }
        UpdateWindow();
        SetHotButton(trackedButton);
    }
    if (const CZUDPToolbarButton* pTracked = GetButtonAt(trackedButton))
        ShowCommandMessageString(pTracked->commandId);
    else if (!IsHelpModeTracking()) {
        if (CWnd* pOwner = GetOwner())
            pOwner->SendMessage(WM_SETMESSAGESTRING, kDropDownIdlePrompt);
    }
    (void)nFlags;
}

void CZUDPDropDownToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!g_customizeMode && !rectClient.PtInRect(point)) {
        if (CWnd* pFrame = DYNAMIC_DOWNCAST(CZUDPDropDownFrame, GetParent())) {
            pFrame->DestroyWindow();
            return;
        }
    }
    // The press happened on the host bar: the button under the mouse is the
    // one pressed here.
    if (CZUDPToolbarButton* pTracked = GetButtonAt(trackedButton)) {
        m_iButtonCapture = trackedButton;
        ChangeButtonStyle(trackedButton, pTracked->style & ~UINT(TBBS_PRESSED));
    }
    trackedButton = -1;
    lastMove = CPoint(-1, -1);
    CZUDPToolBar::OnLButtonUp(nFlags, point);
}

// ---------------------------------------------------------------------------
// The button

CZUDPDropDownToolbarButton::CZUDPDropDownToolbarButton() { locked = TRUE; }

CZUDPDropDownToolbarButton::CZUDPDropDownToolbarButton(LPCTSTR lpszName, CZUDPDropDownToolBar* pToolBar)
    : dropDownName(lpszName)
{
    locked = TRUE;
    SetSourceToolbar(pToolBar);
    if (CZUDPToolBar* pSource = GetSourceToolbar()) {
        for (int i = 0; i < pSource->GetCount(); i++) {
            CZUDPToolbarButton* pButton = pSource->GetButtonAt(i);
            if (!pButton->IsSeparator() && HasCommand(pButton->commandId)) {
                SetCurrentCommand(pButton->commandId);
                break;
            }
        }
    }
}

CZUDPDropDownToolbarButton::~CZUDPDropDownToolbarButton()
{
    KillHoldTimer();
    if (openFrame != nullptr) {
        CZUDPDropDownFrame* pFrame = openFrame;
        openFrame = nullptr;
        pFrame->parentButton = nullptr;
        if (::IsWindow(pFrame->GetSafeHwnd()))
            pFrame->DestroyWindow();
    }
}

void CZUDPDropDownToolbarButton::SetSourceToolbar(CZUDPToolBar* pToolBar)
{
    sourceToolbarWindow = pToolBar;
    sourceToolbarId = pToolBar != nullptr ? pToolBar->GetResourceID() : 0;
}

CZUDPToolBar* CZUDPDropDownToolbarButton::GetSourceToolbar() const
{
    if (sourceToolbarId == 0 && sourceToolbarWindow == nullptr)
        return nullptr;
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = g_toolbarList.GetNext(pos);
        auto* pBar = static_cast<CZUDPToolBar*>(pObject);
        if (!IsLiveBar(pBar) || !pBar->IsKindOf(RUNTIME_CLASS(CZUDPDropDownToolBar)))
            continue;
        if (sourceToolbarId != 0 ? pBar->GetResourceID() == sourceToolbarId : pBar == sourceToolbarWindow)
            return pBar;
    }
    return nullptr;
}

void CZUDPDropDownToolbarButton::KillHoldTimer()
{
    if (holdTimer != 0) {
        if (holdTimerWnd != nullptr && ::IsWindow(holdTimerWnd))
            g_frameworkSeams.killTimer(holdTimerWnd, holdTimer);
        holdTimer = 0;
        holdTimerWnd = nullptr;
    }
    if (s_timingButton == this)
        s_timingButton = nullptr;
}

void CZUDPDropDownToolbarButton::SetCurrentCommand(UINT uiCmd)
{
    commandId = uiCmd;
    currentImage = 0;
    currentIsUserImage = FALSE;
    CZUDPToolBar* pSource = GetSourceToolbar();
    if (pSource == nullptr)
        return;
    int nImages = 0;
    for (int i = 0; i < pSource->GetCount(); i++) {
        CZUDPToolbarButton* pButton = pSource->GetButtonAt(i);
        if (pButton->IsSeparator())
            continue;
        if (pButton->commandId == uiCmd) {
            currentIsUserImage = pButton->usesUserImage;
            currentImage = pButton->usesUserImage ? pButton->userImageIndex : nImages;
            return;
        }
        ++nImages;
    }
}

BOOL CZUDPDropDownToolbarButton::DropDownToolbar(CWnd* pWnd)
{
    CZUDPToolBar* pSource = GetSourceToolbar();
    if (pSource == nullptr || openFrame != nullptr)
        return FALSE;
    if (pWnd == nullptr)
        pWnd = parentWnd;
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    CPoint pt = IsHorizontalHost(pWnd) ? CPoint(rect.left - 1, rect.bottom) : CPoint(rect.right + 1, rect.top);
    pWnd->ClientToScreen(&pt);
    auto* pFrame = new CZUDPDropDownFrame;
    pFrame->parentButton = this;
    openFrame = pFrame;
    if (!pFrame->CreateDropDown(pWnd, pt.x, pt.y, pSource)) {
        // A frame whose window was never made is deleted here.
        if (pFrame->GetSafeHwnd() == nullptr)
            delete pFrame;
        openFrame = nullptr;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK CZUDPDropDownToolbarButton::HoldTimerProc(HWND hWnd, UINT, UINT_PTR idEvent, DWORD)
{
    CZUDPDropDownToolbarButton* pButton = s_timingButton;
    if (pButton == nullptr || idEvent != kHoldTimerId || pButton->holdTimerWnd != hWnd) {
        g_frameworkSeams.killTimer(hWnd, idEvent);
        return;
    }
    pButton->OnClick(CWnd::FromHandlePermanent(hWnd), FALSE);
}

BOOL CZUDPDropDownToolbarButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (holdTimer == 0) {
        // A press: the window opens when it is held long enough.
        CWnd* pTimerWnd = parentWnd != nullptr ? parentWnd : pWnd;
        if (pTimerWnd == nullptr || pTimerWnd->GetSafeHwnd() == nullptr)
            return FALSE;
        if (s_timingButton != nullptr && s_timingButton != this)
            s_timingButton->KillHoldTimer();
        holdTimerWnd = pTimerWnd->GetSafeHwnd();
        holdTimer = g_frameworkSeams.setTimer(holdTimerWnd, kHoldTimerId, s_holdDelay, HoldTimerProc);
        if (holdTimer != 0)
            s_timingButton = this;
        else
            holdTimerWnd = nullptr;
        return FALSE;
    }
    KillHoldTimer();
    CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, parentWnd);
    if (openFrame != nullptr) {
        openFrame->DestroyWindow();
        if (pBar != nullptr)
            pBar->HighlightButton(nullptr);
    } else if (!(bDelay && !g_customizeMode && DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, parentWnd) != nullptr)) {
        if (DropDownToolbar(pWnd) && pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CZUDPMenuBar)))
            pBar->HighlightButton(this);
    }
    if (parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr)
        parentWnd->InvalidateRect(&rect);
    return FALSE;
}

BOOL CZUDPDropDownToolbarButton::OnClickUp()
{
    if (holdTimer != 0) {
        // A short click: the bar sends the current command.
        KillHoldTimer();
        return FALSE;
    }
    if (openFrame != nullptr) {
        openFrame->DestroyWindow();
        if (CZUDPMenuBar* pBar = DYNAMIC_DOWNCAST(CZUDPMenuBar, parentWnd))
            pBar->HighlightButton(nullptr);
    }
    return TRUE;
}

void CZUDPDropDownToolbarButton::CancelMode()
{
    KillHoldTimer();
    if (parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr) {
        parentWnd->InvalidateRect(&rect);
        parentWnd->UpdateWindow();
    }
}

void CZUDPDropDownToolbarButton::OnParentChanged(CWnd* pWndParent)
{
    if (pWndParent != parentWnd)
        KillHoldTimer();
    CZUDPToolbarButton::OnParentChanged(pWndParent);
    showText = FALSE;
    text.Empty();
    usesUserImage = FALSE;
}

BOOL CZUDPDropDownToolbarButton::PrepareContextMenu(CMenu* pMenu)
{
    if (pMenu == nullptr)
        return FALSE;
    for (UINT uiItem : {16911u, 16913u, 16914u, 16915u, 16916u})
        pMenu->EnableMenuItem(uiItem, MF_BYCOMMAND | MF_GRAYED);
    return TRUE;
}

int CZUDPDropDownToolbarButton::DrawInCommandList(CDC* pDC, const CRect& rectRow, BOOL bSelected)
{
    const CString strSaved = text;
    text = dropDownName;
    const int nWidth = CZUDPToolbarButton::DrawInCommandList(pDC, rectRow, bSelected);
    text = strSaved;
    return nWidth;
}

int CZUDPDropDownToolbarButton::ArrowSize() const
{
    int nSize = kArrowSize;
    if (g_uiEnvironment.m_dpiScaling && g_uiEnvironment.m_dpiScale != 1.0)
        nSize = int(nSize * g_uiEnvironment.m_dpiScale);
    return nSize;
}

SIZE CZUDPDropDownToolbarButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (!HasCommand(commandId)) {
        if (CZUDPToolBar* pSource = GetSourceToolbar())
            if (pSource->GetCount() > 0)
                SetCurrentCommand(pSource->GetButtonAt(0)->commandId);
    }
    const BOOL bShowImage = showImage;
    const int iImage = imageIndex;
    showImage = TRUE;
    imageIndex = currentImage;
    CSize size = CZUDPToolbarButton::CalcSize(pDC, sizeDefault, bHorz);
    showImage = bShowImage;
    imageIndex = iImage;
    const int a = ArrowSize();
    size.cx += g_largeIcons ? a + 2 : a / 2 + 1;
    return size;
}

void CZUDPDropDownToolbarButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages*, BOOL bHorz,
                                            BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                            BOOL bGrayDisabledButtons)
{
    PaintBackground(pDC, rectButton, bHighlight);
    const int a = ArrowSize();
    const int w = g_largeIcons ? 2 * a : a;
    const int h = g_largeIcons ? a : a / 2 + 1;

    if (CZUDPToolBar* pSource = GetSourceToolbar()) {
        drawing = TRUE;
        CZUDPToolBarImages* pImages = g_largeIcons && pSource->m_LargeImagesLocked.GetCount() > 0
                                          ? &pSource->m_LargeImagesLocked
                                          : &pSource->m_ImagesLocked;
        if (currentIsUserImage && g_sharedUserImages != nullptr)
            pImages = g_sharedUserImages;
        const int iImage = imageIndex, iUserImage = userImageIndex;
        const BOOL bShowImage = showImage, bNoBackground = noBackground, bUser = usesUserImage;
        imageIndex = userImageIndex = currentImage;
        showImage = noBackground = TRUE;
        usesUserImage = currentIsUserImage;
        CZUDPToolbarButton::DrawButton(pDC, rectButton, pImages, bHorz, bCustomizeMode, bHighlight, FALSE,
                                       bGrayDisabledButtons);
        imageIndex = iImage;
        userImageIndex = iUserImage;
        showImage = bShowImage;
        noBackground = bNoBackground;
        usesUserImage = bUser;
        drawing = FALSE;
    }

    // A small right-angled triangle in the bottom-right corner.
    const int p = (style & TBBS_PRESSED) ? 1 : 0;
    const int R = rectButton.right, B = rectButton.bottom;
    POINT pts[3] = {{R - w - 1 + p, B - h + 1 + p}, {R - h + 1 + p, B - h + 1 + p}, {R - h + 1 + p, B - w - 1 + p}};
    const HDC hDC = pDC->GetSafeHdc();
    HGDIOBJ hOldBrush = ::SelectObject(hDC, g_uiEnvironment.m_brushDarkShadow.GetSafeHandle());
    HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
    ::Polygon(hDC, pts, 3);
    ::SelectObject(hDC, hOldPen);
    ::SelectObject(hDC, hOldBrush);

    if (!bCustomizeMode && HasBorder() && bDrawBorder) {
        int nState = -1;
        if (openFrame != nullptr || (style & (TBBS_CHECKED | TBBS_PRESSED)))
            nState = HasCommand(commandId) ? ZUDP_BUTTON_PUSHED : ZUDP_BUTTON_HIGHLIGHTED;
        else if (bHighlight && !(style & (TBBS_INDETERMINATE | TBBS_DISABLED | TBBS_CHECKED)))
            nState = ZUDP_BUTTON_HIGHLIGHTED;
        if (nState >= 0)
            CZUDPVisualManager::GetActiveManager()->DrawButtonBorder(pDC, this, rectButton, nState);
    }
}

void CZUDPDropDownToolbarButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarButton::CopyFrom(src);
    if (const auto* pSrc = DYNAMIC_DOWNCAST(CZUDPDropDownToolbarButton, const_cast<CZUDPToolbarButton*>(&src))) {
        sourceToolbarId = pSrc->sourceToolbarId;
        sourceToolbarWindow = pSrc->sourceToolbarWindow;
        dropDownName = pSrc->dropDownName;
        currentImage = pSrc->currentImage;
    }
    fromCommandList = FALSE;
}

void CZUDPDropDownToolbarButton::Serialize(CArchive& ar)
{
    CZUDPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        CZUDPToolBar* pSource = GetSourceToolbar();
        ar << (DWORD)(pSource != nullptr ? pSource->GetResourceID() : 0) << dropDownName << currentImage;
        return;
    }
    DWORD dwSourceId = 0;
    ar >> dwSourceId >> dropDownName >> currentImage;
    sourceToolbarWindow = nullptr;
    // Only a live drop-down toolbar of that resource is taken.
    sourceToolbarId = dwSourceId;
    if (GetSourceToolbar() == nullptr)
        sourceToolbarId = 0;
    SetCurrentCommand(commandId);
}

// ---------------------------------------------------------------------------
// The drop-down window

BEGIN_MESSAGE_MAP(CZUDPDropDownFrame, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CZUDPDropDownFrame::CZUDPDropDownFrame() = default;

CZUDPDropDownFrame::~CZUDPDropDownFrame()
{
    if (destroyBarWithFrame && ::IsWindow(dropDownBar.GetSafeHwnd()))
        dropDownBar.DestroyWindow();
}

BOOL CZUDPDropDownFrame::CreateDropDown(CWnd* pWndParent, int x, int y, CZUDPToolBar* pSourceToolbar)
{
    PlayMenuSound(2);
    if (s_dropDownClassName.IsEmpty())
        s_dropDownClassName = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorA(nullptr, IDC_ARROW),
                                                  (HBRUSH)(COLOR_BTNFACE + 1), nullptr);
    sourceToolbar = pSourceToolbar;
    if (x == -1 && y == -1) {
        position = CPoint(0, 0);
        if (pWndParent != nullptr) {
            CPoint pt(5, 5);
            pWndParent->ClientToScreen(&pt);
            position = pt;
        }
    } else {
        position = CPoint(x, y);
    }
    CWnd* pOwner = pWndParent != nullptr ? pWndParent->GetOwner() : nullptr;
    if (pOwner == nullptr && pWndParent != nullptr)
        pOwner = pWndParent->GetParent();
    if (!CreateEx(0, s_dropDownClassName, title, WS_POPUP, CRect(position, CSize(0, 0)), pOwner, 0))
        return FALSE;
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

int CZUDPDropDownFrame::OnCreate(LPCREATESTRUCT)
{
    if (Default() == -1 || sourceToolbar == nullptr)
        return -1;
    CWnd* pButtonBar = parentButton != nullptr ? parentButton->parentWnd : nullptr;
    const BOOL bHostHorizontal = IsHorizontalHost(pButtonBar);
    const DWORD dwAlign = bHostHorizontal ? (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT) : (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    if (!dropDownBar.CreateBarEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | dwAlign, CRect(1, 1, 1, 1), kDropDownBarId))
        return -1;
    dropDownBar.m_bLocked = TRUE;
    // The commands go to the offered toolbar's owner, not to this window
    // (a frame without handlers): an unhandled command stays enabled.
    dropDownBar.m_bRouteCommandsViaFrame = FALSE;
    dropDownBar.m_bDisableControlsIfNoHandler = FALSE;
    sourceToolbar->m_ImagesLocked.AliasInto(dropDownBar.m_ImagesLocked);
    sourceToolbar->m_ColdImagesLocked.AliasInto(dropDownBar.m_ColdImagesLocked);
    sourceToolbar->m_DisabledImagesLocked.AliasInto(dropDownBar.m_DisabledImagesLocked);
    sourceToolbar->m_LargeImagesLocked.AliasInto(dropDownBar.m_LargeImagesLocked);
    sourceToolbar->m_LargeColdImagesLocked.AliasInto(dropDownBar.m_LargeColdImagesLocked);
    sourceToolbar->m_LargeDisabledImagesLocked.AliasInto(dropDownBar.m_LargeDisabledImagesLocked);
    dropDownBar.m_sizeButtonLocked = sourceToolbar->m_sizeButtonLocked;
    dropDownBar.m_sizeImageLocked = sourceToolbar->m_sizeImageLocked;
    dropDownBar.m_sizeLargeButtonLocked = sourceToolbar->m_sizeLargeButtonLocked;
    dropDownBar.m_sizeLargeImageLocked = sourceToolbar->m_sizeLargeImageLocked;
    dropDownBar.ReplaceBarStyle(dropDownBar.GetBarStyle() & ~DWORD(CBRS_GRIPPER));
    dropDownBar.SetOwner(sourceToolbar->GetOwner());
    // Copies of the offered buttons: the originals stay on their own bar,
    // with their own parent.
    for (int i = 0; i < sourceToolbar->GetCount(); i++)
        dropDownBar.InsertButtonCopy(*sourceToolbar->GetButtonAt(i));
    RecalcLayout();
    ::ReleaseCapture();
    dropDownBar.SetCapture();
    return 0;
}

CPoint CZUDPDropDownFrame::PlaceInWorkArea(CPoint pt, CSize size, const CRect& rectWork, BOOL bHasButton,
                                           BOOL bVerticalBar, int barLeft, int buttonHeight)
{
    if (pt.x + size.cx > rectWork.right)
        pt.x = bHasButton && bVerticalBar ? barLeft - size.cx : rectWork.right - size.cx - 1;
    if (pt.y + size.cy > rectWork.bottom)
        pt.y = bHasButton ? pt.y - buttonHeight - size.cy - 4 : pt.y - size.cy;
    pt.x = std::max(pt.x, rectWork.left);
    pt.y = std::max(pt.y, rectWork.top);
    return pt;
}

void CZUDPDropDownFrame::RecalcLayout(BOOL)
{
    if (m_hWnd == nullptr || dropDownBar.GetSafeHwnd() == nullptr)
        return;
    CWnd* pButtonBar = parentButton != nullptr ? parentButton->parentWnd : nullptr;
    const BOOL bHostHorizontal = IsHorizontalHost(pButtonBar);
    CSize size = dropDownBar.CalcSize(bHostHorizontal);
    size.cx += 6;
    size.cy += 6;
    CRect rectWork;
    if (!g_foundationSeams.monitorWorkArea(position, &rectWork) && !g_foundationSeams.primaryWorkArea(&rectWork))
        rectWork.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    int barLeft = 0;
    if (pButtonBar != nullptr && pButtonBar->GetSafeHwnd() != nullptr) {
        CRect rectBar;
        pButtonBar->GetWindowRect(&rectBar);
        barLeft = rectBar.left;
    }
    const CPoint pt = PlaceInWorkArea(position, size, rectWork, parentButton != nullptr, !bHostHorizontal, barLeft,
                                      parentButton != nullptr ? parentButton->Rect().Height() : 0);
    SetWindowPos(nullptr, pt.x, pt.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZUDPDropDownFrame::OnSize(UINT, int cx, int cy)
{
    if (dropDownBar.GetSafeHwnd() != nullptr)
        dropDownBar.SetWindowPos(nullptr, 2, 2, cx - 4, cy - 4, SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CZUDPDropDownFrame::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->FillRect(&rectClient, &g_uiEnvironment.m_brushButtonFace);
    return TRUE;
}

void CZUDPDropDownFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    dc.Draw3dRect(&rectClient, g_uiEnvironment.m_colorLight, g_uiEnvironment.m_colorDarkShadow);
    rectClient.DeflateRect(1, 1);
    dc.Draw3dRect(&rectClient, g_uiEnvironment.m_colorButtonHighlight, g_uiEnvironment.m_colorButtonShadow);
}

int CZUDPDropDownFrame::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

void CZUDPDropDownFrame::OnActivateApp(BOOL bActive, DWORD)
{
    if (!bActive && !g_customizeMode)
        PostMessage(WM_CLOSE);
}

void CZUDPDropDownFrame::OnDestroy()
{
    if (::GetCapture() == dropDownBar.GetSafeHwnd())
        ::ReleaseCapture();
    if (CZUDPDropDownToolbarButton* pButton = parentButton) {
        pButton->openFrame = nullptr;
        pButton->style &= ~UINT(TBBS_PRESSED);
        if (auto* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pButton->parentWnd)) {
            if (pBar->GetSafeHwnd() != nullptr) {
                POINT pt = {0, 0};
                g_frameworkSeams.cursorPos(&pt);
                pBar->ScreenToClient(&pt);
                pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
            }
        }
    }
    Default();
}

void CZUDPDropDownFrame::PostNcDestroy()
{
    if (CZUDPDropDownToolbarButton* pButton = parentButton)
        pButton->CancelMode();
    delete this;
}
