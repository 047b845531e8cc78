#include "ui/commandbars/ZUDPPopupMenu.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/controls/ZUDPDialog.h"
#include "ui/controls/ZUDPPropertyPage.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/MenuSound.h"
#include "ui/foundation/ZUDPColorArithmetic.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPFoundationSeams.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPShowAllButton.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/foundation/ZUDPControlRenderer.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZUDPPopupMenu, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CZUDPPopupMenu, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_WM_KEYDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_ACTIVATEAPP()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_NOTIFY_EX_RANGE(TTN_SHOW, 0, 0xFFFF, &CZUDPPopupMenu::OnToolTipNotify)
    ON_NOTIFY_EX_RANGE(TTN_POP, 0, 0xFFFF, &CZUDPPopupMenu::OnToolTipNotify)
END_MESSAGE_MAP()

CZUDPPopupMenu* g_activePopupMenu = nullptr;
BOOL g_menuShadows = TRUE;

namespace {

const UINT kAnimationPeriod = 15;    // ms between animation steps
const UINT kScrollPeriod = 80;       // ms between scroll steps
const int kTearOffCaptionHeight = 10;
const UINT kTearOffTipString = 16028;

BOOL IsLiveWindow(const CWnd* pWnd) { return pWnd != nullptr && pWnd->m_hWnd != nullptr && ::IsWindow(pWnd->m_hWnd); }

CPoint CursorPosition()
{
    POINT pt = {0, 0};
    g_frameworkSeams.cursorPos(&pt);
    return CPoint(pt);
}

CRect WorkAreaAt(CPoint pt)
{
    RECT rect = {};
    if (g_foundationSeams.monitorWorkArea(pt, &rect))
        return CRect(rect);
    if (g_foundationSeams.primaryWorkArea(&rect))
        return CRect(rect);
    return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

CZUDPVisualManager* Manager() { return CZUDPVisualManager::GetActiveManager(); }

// The frame whose popup hooks decide about a popup: a library frame.
CZUDPFrameDockSite* PopupSiteOf(CWnd* pFrame) { return ButtonTooltipSiteOf(pFrame, FALSE); }

} // namespace

// ---------------------------------------------------------------------------
// Life

CZUDPPopupMenu::CZUDPPopupMenu() { CommonConstruct(); }

CZUDPPopupMenu::CZUDPPopupMenu(CObject* pOwnerPage, LPCTSTR lpszTitle) : m_pOwnerPage(pOwnerPage)
{
    if (lpszTitle != nullptr)
        m_strCaption = lpszTitle;
    CommonConstruct();
}

void CZUDPPopupMenu::CommonConstruct()
{
    if (::GetSystemMetrics(SM_REMOTESESSION))
        g_menuAnimation = kNoAnimation;
    const int nDepth = g_frameworkSeams.colorDepth();
    m_iShadowSize = (g_menuShadows && !g_customizeMode && nDepth > 8) ? Manager()->m_menuShadowDepth : 0;
    m_nAnimation = ResolvedMenuAnimation();
    if (m_nAnimation == kFade && nDepth <= 8) {
        // Blending needs true colour.
        g_menuAnimation = kNoAnimation;
        m_nAnimation = kNoAnimation;
    }
    m_bAnimationDone = m_nAnimation == kNoAnimation;
    m_nScrollAreaHeight = 2 * BorderWidth() + GetMenuGlyphSize().cy;
}

CZUDPPopupMenu::~CZUDPPopupMenu()
{
    if (g_activePopupMenu == this)
        g_activePopupMenu = nullptr;
    if (m_pParentBtn != nullptr && m_pParentBtn->openPopup == this)
        m_pParentBtn->openPopup = nullptr;
    if (m_hMenu != nullptr && m_bOwnsMenu && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
    for (HBITMAP hBitmap : {m_hbmpScreen, m_hbmpMenu, m_hbmpBlend}) {
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
    }
}

int CZUDPPopupMenu::BorderWidth() const { return Manager()->GetPopupMenuBorderSize(); }

BOOL CZUDPPopupMenu::CreatePopup(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage)
{
    PlayMenuSound(kMenuSoundPopup);
    const CString strClass =
        AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1), nullptr);
    m_hMenu = hMenu;

    if (x == -1 && y == -1) {
        CPoint ptOrigin(0, 0);
        if (IsLiveWindow(pWndParent)) {
            pWndParent->ClientToScreen(&ptOrigin);
            ptOrigin.Offset(5, 5);
        }
        x = ptOrigin.x;
        y = ptOrigin.y;
    }
    m_ptLocation = m_ptRequested = CPoint(x, y);

    DWORD dwStyle = WS_POPUP;
    if (m_pOwnerPage != nullptr)
        dwStyle |= WS_CAPTION | WS_SYSMENU;
    DWORD dwExStyle = 0;
    if (IsLiveWindow(pWndParent) && (pWndParent->GetExStyle() & WS_EX_LAYOUTRTL)) {
        m_bRightToLeft = TRUE;
        m_bAnimationDone = TRUE;
        dwExStyle |= WS_EX_LAYOUTRTL;
    }
    m_bAnimating = m_nAnimation != kNoAnimation && !g_customizeMode && !m_bRightToLeft;
    if (!m_bAnimating)
        m_bAnimationDone = TRUE;

    if (bOwnMessage)
        m_pMessageTarget = pWndParent;
    else if (CZUDPPopupMenu* pParentPopup = FindParentMenu())
        m_pMessageTarget = pParentPopup->m_pMessageTarget;

    HWND hWndOwner = nullptr;
    if (IsLiveWindow(pWndParent)) {
        hWndOwner = ::GetWindow(pWndParent->m_hWnd, GW_OWNER);
        if (hWndOwner == nullptr)
            hWndOwner = ::GetParent(pWndParent->m_hWnd);
        if (hWndOwner == nullptr)
            hWndOwner = pWndParent->m_hWnd;
    }
    m_pWndCreator = pWndParent;
    m_bCreating = TRUE;
    // A failed creation has deleted the object (WM_NCDESTROY ran, or the
    // window procedure never attached it and CreateEx cleaned up).
    if (!CreateEx(dwExStyle, strClass, m_strCaption, dwStyle, x, y, 0, 0, hWndOwner, nullptr, nullptr))
        return FALSE;
    m_bCreating = FALSE;

    if (m_bRightAlign) {
        m_ptLocation.x = m_ptLocation.x + 1 - m_sizeMenu.cx;
        m_ptRequested = m_ptLocation;
        RecalcLayout();
    }
    GetMenuBar()->m_bLocked = bLocked;

    if (m_bAnimating) {
        CZUDPPopupMenuBar* pBar = GetMenuBar();
        const CSize sizeFull(m_sizeMenu.cx + m_iShadowSize, m_sizeMenu.cy + m_iShadowSize);
        m_sizeAnimated = sizeFull;
        if (m_nAnimation == kUnfold)
            m_sizeAnimated = CSize(pBar->GetColumnWidth(), pBar->GetRowHeight());
        else if (m_nAnimation == kSlide)
            m_sizeAnimated = CSize(sizeFull.cx, pBar->GetRowHeight());
        if (IsLiveWindow(pBar))
            pBar->ShowWindow(SW_HIDE);
        g_frameworkSeams.setTimer(m_hWnd, kAnimationTimer, kAnimationPeriod, nullptr);
        m_dwLastAnimationStep = g_frameworkSeams.tickCount();
    }
    if (hWndOwner != nullptr) {
        // What lies under the menu is painted before it is captured.
        HWND hTop = ::GetAncestor(hWndOwner, GA_ROOT);
        if (hTop != nullptr)
            ::UpdateWindow(hTop);
    }
    if (m_iShadowSize == 0 && m_nAnimation == kFade)
        m_sizeAnimated = m_sizeMenu;

    SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (g_customizeMode && IsLiveWindow(GetMenuBar())) {
        GetMenuBar()->Invalidate();
        GetMenuBar()->UpdateWindow();
    }
    return TRUE;
}

int CZUDPPopupMenu::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    if (Default() == -1)
        return -1;
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    DWORD dwBarStyle = WS_CHILD | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE | CBRS_TOOLTIPS | CBRS_FLYBY;
    if (!m_bAnimating)
        dwBarStyle |= WS_VISIBLE;
    if (m_pParentBtn != nullptr && m_pParentBtn->IsPaletteButton())
        pBar->SetPaletteMode(TRUE, m_pParentBtn->GetPaletteRows());
    if (!pBar->CreateBarEx(this, TBSTYLE_FLAT, dwBarStyle, CRect(0, 0, 0, 0), 1))
        return -1;
    pBar->SetOwner(m_pWndCreator);

    if (m_iShadowSize > 0 && g_uiEnvironment.m_updateLayeredWindow != nullptr &&
        (m_pRibbonElement != nullptr || UsesShadowWindow())) {
        auto* pShadow = new CZUDPShadowWnd(this, m_iShadowSize);
        if (pShadow->Create()) {
            m_pShadowWnd = pShadow;
            m_iShadowSize = 0;
        } else {
            delete pShadow;
        }
    }
    if (!PrepareItems())
        return -1;
    return 0;
}

CFrameWnd* CZUDPPopupMenu::RegistrationFrame()
{
    CWnd* pFrom = IsLiveWindow(m_pWndCreator) ? m_pWndCreator : static_cast<CWnd*>(this);
    return GetTopLevelFrameOrInPlace(pFrom);
}

BOOL CZUDPPopupMenu::PrepareItems()
{
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    if (m_hMenu != nullptr) {
        BOOL bLoaded = FALSE;
        if (m_pParentBtn == nullptr)
            bLoaded = g_menuHash.LoadMenuBar(m_hMenu, pBar);
        if (!bLoaded) {
            BOOL bShowAll = TRUE;
            if (g_personalizedMenus && !g_showAllCommandsNow)
                bShowAll = m_pParentBtn == nullptr;
            if (!pBar->BuildItemsFromMenu(m_hMenu, bShowAll))
                return FALSE;
        }
    }
    if (!g_customizeMode)
        ExpandUserTools();

    CFrameWnd* pTarget = DYNAMIC_DOWNCAST(CFrameWnd, pBar->GetCommandTarget());
    pBar->UpdateCmdUI(pTarget != nullptr ? pTarget : static_cast<CFrameWnd*>(this), FALSE);

    if (!RegisterWithFrame(RegistrationFrame(), this))
        return FALSE;
    RecalcLayout(TRUE);
    return TRUE;
}

void CZUDPPopupMenu::ExpandUserTools()
{
    if (g_userToolsManager == nullptr)
        return;
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    const UINT uiEntry = g_userToolsManager->GetToolsPlaceholderCmdId();
    if (uiEntry == 0)
        return;
    const int iEntry = pBar->FindCommandIndex(uiEntry);
    if (iEntry < 0)
        return;
    const CObList& tools = g_userToolsManager->GetUserTools();
    int iInsert = iEntry;
    if (!tools.IsEmpty()) {
        const CZUDPToolbarButton* pBefore = pBar->GetButtonAt(iEntry - 1);
        if (pBefore != nullptr && !pBefore->IsSeparator() && pBar->InsertSeparator(iInsert) >= 0)
            ++iInsert;
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
            CZUDPUserTool* pTool = static_cast<CZUDPUserTool*>(tools.GetNext(pos));
            const int iUserImage = FindCommandImage(pTool->m_uiCmdId, TRUE);
            CZUDPToolbarMenuButton item(pTool->m_uiCmdId, nullptr, iUserImage >= 0 ? iUserImage : 0,
                                        pTool->m_strLabel, iUserImage >= 0);
            item.showText = TRUE;
            if (pBar->InsertButtonCopy(item, iInsert) >= 0)
                ++iInsert;
        }
    }
    // The entry item itself goes (it stood for the tools).
    const int iNow = pBar->FindCommandIndex(uiEntry);
    if (iNow >= 0)
        pBar->RemoveButton(iNow);
    if (!tools.IsEmpty() && iInsert < pBar->GetCount()) {
        const CZUDPToolbarButton* pAfter = pBar->GetButtonAt(iInsert - 1);
        if (pAfter != nullptr && !pAfter->IsSeparator())
            pBar->InsertSeparator(iInsert);
    }
    // No separator right after another.
    for (int i = 1; i < pBar->GetCount();) {
        if (pBar->GetButtonAt(i)->IsSeparator() && pBar->GetButtonAt(i - 1)->IsSeparator())
            pBar->RemoveButton(i);
        else
            ++i;
    }
}

// ---------------------------------------------------------------------------
// Frame registration and relations

BOOL CZUDPPopupMenu::RegisterWithFrame(CFrameWnd* pFrame, CZUDPPopupMenu* pPopup)
{
    if (pPopup != nullptr)
        pPopup->NotifyDialogHost(TRUE);
    if (pFrame != nullptr) {
        CZUDPFrameDockSite* pSite = PopupSiteOf(pFrame);
        if (pSite != nullptr && !pSite->PreparePopupMenu(pPopup)) {
            // While the popup is being created its WM_CREATE fails instead:
            // closing it from inside its own creation would delete it twice.
            if (pPopup != nullptr && !pPopup->m_bDismissing && !pPopup->m_bCreating)
                pPopup->DismissMenu(FALSE);
            return FALSE;
        }
        if (pSite == nullptr)
            g_activePopupMenu = pPopup;
    } else {
        g_activePopupMenu = pPopup;
    }
    if (pPopup != nullptr && pPopup->m_pParentBtn != nullptr) {
        CZUDPPopupMenuBar* pBar = pPopup->GetMenuBar();
        if (!pBar->AreAllCommandsShown()) {
            const CZUDPToolbarButton* pLast = pBar->GetButtonAt(pBar->GetCount() - 1);
            if (pLast == nullptr || !pLast->IsKindOf(RUNTIME_CLASS(CZUDPShowAllButton)))
                pBar->InsertButton(new CZUDPShowAllButton);
        }
    }
    return TRUE;
}

void CZUDPPopupMenu::NotifyDialogHost(BOOL bOpen)
{
    CWnd* pTarget = m_pMessageTarget;
    if (pTarget == nullptr)
        return;
    if (!bOpen && g_activePopupMenu != this)
        return;
    CZUDPPopupMenu* pOpen = bOpen ? this : nullptr;
    if (CZUDPDialog* pDialog = DYNAMIC_DOWNCAST(CZUDPDialog, pTarget))
        pDialog->SetOpenPopupMenu(pOpen);
    else if (CZUDPPropertyPage* pPage = DYNAMIC_DOWNCAST(CZUDPPropertyPage, pTarget))
        pPage->SetOpenPopupMenu(pOpen);
}

CZUDPToolBar* CZUDPPopupMenu::FindOwnerToolBar() const
{
    if (m_pParentBtn == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CZUDPToolBar, m_pParentBtn->GetParentWnd());
}

CZUDPPopupMenu* CZUDPPopupMenu::FindParentMenu() const
{
    CZUDPPopupMenuBar* pParentBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, FindOwnerToolBar());
    return pParentBar != nullptr ? pParentBar->GetPopupMenu() : nullptr;
}

CWnd* CZUDPPopupMenu::GetParentButtonRect(CRect& rect) const
{
    if (m_pParentBtn == nullptr)
        return nullptr;
    rect = m_pParentBtn->Rect();
    return m_pParentBtn->GetParentWnd();
}

BOOL CZUDPPopupMenu::IsSendingCommand() const
{
    return const_cast<CZUDPPopupMenu*>(this)->GetMenuBar()->IsSendingCommand();
}

// ---------------------------------------------------------------------------
// Placement

void CZUDPPopupMenu::RecalcLayout(BOOL bNotify)
{
    (void)bNotify;
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    if (m_hWnd == nullptr || !IsLiveWindow(pBar) || pBar->m_bNoLayoutOnSize)
        return;

    const CRect rectWork = WorkAreaAt(m_ptLocation);
    const int b = BorderWidth();
    int x = m_ptLocation.x;
    int y = m_ptLocation.y;

    if (m_bResizing) {
        const int nRoomX = m_bRightToLeft ? x - rectWork.left : rectWork.right - x;
        m_nUserWidth = std::min(m_nUserWidth, nRoomX - 2 * b);
        m_nUserHeight = std::min(m_nUserHeight, int(rectWork.bottom) - y - m_rectResizeBar.Height() - 2 * b);
    }
    x = std::max(int(rectWork.left), std::min(x, int(rectWork.right)));
    if (m_pParentBtn == nullptr)
        y = std::max(int(rectWork.top), std::min(y, int(rectWork.bottom)));

    CSize size;
    if (m_bResizing || m_bUserSized) {
        size = CSize(m_nUserWidth, m_nUserHeight);
    } else {
        size = pBar->CalcSize(FALSE);
        size.cx += 2 * b;
        size.cy += 2 * b;
    }
    if (m_pOwnerPage != nullptr)
        size.cy += ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYBORDER) + 5;

    m_rectTearOffCaption.SetRectEmpty();
    if (m_pParentBtn != nullptr && m_pParentBtn->IsTearOff() && !g_customizeMode) {
        m_rectTearOffCaption = CRect(b, b, size.cx - b, b + kTearOffCaptionHeight);
        size.cy += kTearOffCaptionHeight;
        if (m_pTearOffTip == nullptr) {
            m_pTearOffTip = new CToolTipCtrl;
            if (m_pTearOffTip->Create(this, TTS_ALWAYSTIP)) {
                CString strTip;
                strTip.LoadString(kTearOffTipString);
                m_pTearOffTip->Activate(TRUE);
                m_pTearOffTip->AddTool(this, strTip, &m_rectTearOffCaption, 1);
            }
        }
    }
    m_rectResizeBar.SetRectEmpty();
    if (m_bResizable) {
        const int nBarHeight = m_nMinWidth > 0 ? 12 : 9;
        if (!(m_bResizing || m_bUserSized))
            size.cy += nBarHeight;
        if (m_bResizeBarAtTop)
            m_rectResizeBar = CRect(b, b, size.cx - b, b + nBarHeight);
        else
            m_rectResizeBar = CRect(b, size.cy - b - nBarHeight, size.cx - b, size.cy - b);
    }

    CZUDPToolBar* pOwnerBar = FindOwnerToolBar();
    const BOOL bSubmenu = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pOwnerBar) != nullptr;
    CZUDPMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CZUDPMenuBar, pOwnerBar);
    const BOOL bVerticalMenuBar = pMenuBar != nullptr && !pMenuBar->IsHorizontal();
    const BOOL bHorizontalMenuBar = pMenuBar != nullptr && pMenuBar->IsHorizontal();
    CRect rectButton;   // the parent button on the screen
    if (m_pParentBtn != nullptr && IsLiveWindow(m_pParentBtn->GetParentWnd())) {
        rectButton = m_pParentBtn->Rect();
        m_pParentBtn->GetParentWnd()->ClientToScreen(&rectButton);
    }
    const int nRowHeight = pBar->GetRowHeight();

    // A floating menu bar that wraps its titles into rows says where its
    // menus open, so that a menu does not cover the next row of titles.
    if (pMenuBar != nullptr && m_pParentBtn != nullptr && !rectButton.IsRectEmpty()) {
        switch (pMenuBar->GetFloatPopupDirection(m_pParentBtn)) {
        case kRightOfButton:
            x += rectButton.Width();
            y = rectButton.top;
            m_iDirection = kRightOfButton;
            break;
        case kLeftOfButton:
            x -= size.cx;
            y = rectButton.top;
            m_iDirection = kLeftOfButton;
            if (x < rectWork.left) {
                x = rectWork.left;
                m_iDirection = kFree;
            }
            break;
        case kAboveButton:
            y = rectButton.top - size.cy;
            m_iDirection = kAboveButton;
            break;
        default:
            break;
        }
    }

    // Horizontal overflow.
    const BOOL bOverflow = m_bRightToLeft ? (x - size.cx < rectWork.left) : (!m_bRightAlign && x + size.cx > rectWork.right);
    if (bOverflow) {
        CZUDPPopupMenu* pParentPopup = FindParentMenu();
        if (bSubmenu && pParentPopup != nullptr) {
            CRect rectParent;
            pParentPopup->GetWindowRect(&rectParent);
            x = m_bRightToLeft ? rectParent.right + size.cx : rectParent.left - size.cx;
            m_iDirection = m_bRightToLeft ? kRightOfButton : kLeftOfButton;
        } else if (bVerticalMenuBar) {
            x = m_bRightToLeft ? rectButton.right + size.cx : rectButton.left - size.cx;
            if (x + size.cx > rectWork.right)
                x = rectWork.right - size.cx - 1;
            m_iDirection = kLeftOfButton;
        } else {
            if (m_bRightAlign)
                x = rectWork.left + 1;
            else if (m_bRightToLeft)
                x = rectWork.left + size.cx + 1;
            else
                x = rectWork.right - size.cx - 1;
            m_iDirection = kFree;
        }
        const int xClamped = m_bRightToLeft ? std::max(int(rectWork.left + size.cx), std::min(x, int(rectWork.right)))
                                            : std::max(int(rectWork.left), std::min(x, int(rectWork.right - size.cx)));
        if (xClamped != x) {
            x = xClamped;
            m_iDirection = kFree;
        }
        if (m_bAnimating) {
            m_bGrowFromLeft = FALSE;
            if (m_nAnimation == kFade) {
                m_bGrowFromLeft = TRUE;
                m_bGrowFromTop = TRUE;
            }
        }
    }

    // Vertical overflow.
    m_bScrollable = FALSE;
    m_bHeightLimited = FALSE;
    if (y + size.cy > rectWork.bottom) {
        if (m_bResizable)
            m_bResizeBarAtTop = TRUE;
        m_bGrowFromTop = FALSE;
        if (m_pParentBtn != nullptr && m_iDirection != kRightOfButton && m_iDirection != kLeftOfButton) {
            // Above the button when the menu fits there: measured against
            // the work area's top (a monitor above the primary one has
            // negative coordinates, a taskbar may stand at the top).
            if (rectButton.top - size.cy >= rectWork.top) {
                y = rectButton.top - size.cy;
                m_iDirection = bHorizontalMenuBar ? kAboveButton : kFree;
            } else {
                const int nRoomAbove = rectButton.top - rectWork.top;
                const int nRoomBelow = rectWork.bottom - y;
                if (nRoomAbove > nRoomBelow) {
                    y = rectWork.top;
                    size.cy = nRoomAbove;
                    m_iDirection = kFree;
                } else {
                    size.cy = nRoomBelow;
                    m_bGrowFromTop = TRUE;
                    m_bResizeBarAtTop = FALSE;
                }
                m_bScrollable = TRUE;
                m_bHeightLimited = TRUE;
            }
        } else {
            y -= size.cy;
            if (bSubmenu)
                y += nRowHeight + 2 * b;
            if (y < rectWork.top) {
                y = rectWork.top;
                m_iDirection = kFree;
            }
            if (y + size.cy > rectWork.bottom) {
                size.cy = rectWork.bottom - y;
                m_bScrollable = TRUE;
                m_bHeightLimited = TRUE;
            }
        }
    }
    if (y < rectWork.top) {
        if (m_pParentBtn == nullptr || !IsLiveWindow(m_pParentBtn->GetParentWnd()) || bSubmenu) {
            y = rectWork.top;
        } else {
            y = rectButton.bottom;
            m_iDirection = bHorizontalMenuBar ? kBelowButton : kFree;
            if (y + size.cy > rectWork.bottom) {
                y = rectWork.top;
                if (size.cy > rectWork.Height())
                    size.cy = rectWork.Height();
                m_bScrollable = TRUE;
                m_bHeightLimited = TRUE;
                m_iDirection = kFree;
            }
        }
    }

    m_ptLocation = CPoint(x, y);
    m_sizeMenu = size;
    const int nShadow = g_customizeMode ? 0 : m_iShadowSize;
    const CSize sizeWindow(size.cx + nShadow, size.cy + nShadow);
    if (m_pOwnerPage != nullptr)
        SetWindowPos(nullptr, 0, 0, sizeWindow.cx, sizeWindow.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
        SetWindowPos(nullptr, m_bRightToLeft ? x - sizeWindow.cx : x, y, sizeWindow.cx, sizeWindow.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    ArrangeMenuBar(TRUE);
    if (g_customizeMode)
        pBar->PositionButtons();

    if (!g_customizeMode && m_iShadowSize > 0 && m_pParentBtn != nullptr && IsLiveWindow(m_pParentBtn->GetParentWnd())) {
        // A shadow strip over the parent button hides part of it: repaint it.
        const CRect rectRightStrip(x + size.cx, y, x + size.cx + m_iShadowSize, y + size.cy + m_iShadowSize);
        const CRect rectBottomStrip(x, y + size.cy, x + size.cx + m_iShadowSize, y + size.cy + m_iShadowSize);
        CRect rectOverlap;
        if (rectOverlap.IntersectRect(&rectRightStrip, &rectButton) || rectOverlap.IntersectRect(&rectBottomStrip, &rectButton)) {
            CRect rectInvalidate = m_pParentBtn->Rect();
            m_pParentBtn->GetParentWnd()->InvalidateRect(&rectInvalidate);
        }
    }
}

BOOL CZUDPPopupMenu::ArrangeMenuBar(BOOL bForce)
{
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    if (m_hWnd == nullptr || !IsLiveWindow(pBar))
        return FALSE;
    const int b = BorderWidth();
    CRect rect;
    GetClientRect(&rect);
    if (!g_customizeMode) {
        rect.right -= m_iShadowSize;
        rect.bottom -= m_iShadowSize;
    }
    rect.DeflateRect(b, b);
    rect.top += m_rectTearOffCaption.Height();
    if (m_bResizeBarAtTop)
        rect.top += m_rectResizeBar.Height();
    else
        rect.bottom -= m_rectResizeBar.Height();

    const CRect rectOldUp = m_rectScrollUp;
    const CRect rectOldDown = m_rectScrollDown;
    m_rectScrollUp.SetRectEmpty();
    m_rectScrollDown.SetRectEmpty();
    if (m_bScrollable) {
        if (CanScrollUp()) {
            m_rectScrollUp = CRect(rect.left, rect.top + b, rect.right, rect.top + b + m_nScrollAreaHeight);
            rect.top = m_rectScrollUp.bottom;
        }
        // Whether more rows lie below depends on the bar's height, which
        // depends on the area: measured against the room without it.
        m_nItemsRoomHeight = rect.Height();
        if (CanScrollDown()) {
            m_rectScrollDown = CRect(rect.left, rect.bottom - m_nScrollAreaHeight, rect.right, rect.bottom);
            rect.bottom = m_rectScrollDown.top - b;
        }
    } else if (!m_bAnimationDone) {
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        g_frameworkSeams.killTimer(m_hWnd, kScrollTimer);
        m_iScrollDirection = 0;
    }

    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    ScreenToClient(&rectBar);
    if (rectBar == rect && !bForce) {
        pBar->UpdateLayout();
    } else {
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        m_nVisibleBarHeight = rect.Height();
    }
    const BOOL bChanged = rectOldUp != m_rectScrollUp || rectOldDown != m_rectScrollDown;
    if (bChanged) {
        InvalidateRect(&rectOldUp);
        InvalidateRect(&rectOldDown);
        InvalidateRect(&m_rectScrollUp);
        InvalidateRect(&m_rectScrollDown);
        UpdateWindow();
    }
    return bChanged;
}

BOOL CZUDPPopupMenu::CanScrollUp() const { return const_cast<CZUDPPopupMenu*>(this)->GetMenuBar()->GetFirstVisibleRow() > 0; }

BOOL CZUDPPopupMenu::CanScrollDown() const
{
    CZUDPPopupMenuBar* pBar = const_cast<CZUDPPopupMenu*>(this)->GetMenuBar();
    const int nCount = pBar->GetCount();
    if (nCount == 0)
        return FALSE;
    // More rows lie below while the last item would not fit the room the
    // items get once the scroll-down area goes: scrolling ends with the
    // last item wholly shown, never with part of it under the edge.
    return pBar->GetButtonAt(nCount - 1)->Rect().bottom > m_nItemsRoomHeight;
}

int CZUDPPopupMenu::HitTestArea(CPoint ptScreen) const
{
    if (m_hWnd == nullptr)
        return kOutside;
    CRect rect;
    GetClientRect(&rect);
    ClientToScreen(&rect);
    if (!rect.PtInRect(ptScreen))
        return kOutside;
    if (m_iShadowSize > 0 && ptScreen.x >= rect.right - m_iShadowSize)
        return kShadowRight;
    if (m_iShadowSize > 0 && ptScreen.y >= rect.bottom - m_iShadowSize)
        return kShadowBottom;
    CPoint ptClient = ptScreen;
    ScreenToClient(&ptClient);
    if (m_rectTearOffCaption.PtInRect(ptClient))
        return kTearOffCaption;
    return kItems;
}

void CZUDPPopupMenu::OnSize(UINT nType, int cx, int cy)
{
    Default();
    (void)nType;
    (void)cx;
    (void)cy;
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    if (!pBar->m_bNoLayoutOnSize && IsLiveWindow(pBar))
        ArrangeMenuBar(TRUE);
    if (m_pShadowWnd != nullptr)
        m_pShadowWnd->Reposition();
}

void CZUDPPopupMenu::ScrollHotItemIntoView()
{
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    if (!m_bScrollable || !IsLiveWindow(pBar))
        return;
    const CZUDPToolbarButton* pHot = pBar->GetButtonAt(pBar->GetHotIndex());
    if (pHot == nullptr)
        return;
    const int r = std::max(1, pBar->GetRowHeight());
    CRect rectClient;
    pBar->GetClientRect(&rectClient);
    int nDelta = 0;
    if (pHot->Rect().top < rectClient.top)
        nDelta = (pHot->Rect().top - rectClient.top) / r - 1;
    else if (pHot->Rect().bottom > rectClient.bottom)
        nDelta = (pHot->Rect().bottom - rectClient.bottom) / r + 1;
    if (nDelta == 0)
        return;
    // Cut to the last useful row first, then keep it at 0 or above (a
    // short menu would otherwise scroll to a negative row).
    int iRow = pBar->GetFirstVisibleRow() + nDelta;
    iRow = std::min(iRow, int(pBar->GetCount() - 1 - (m_sizeMenu.cy / r - 2)));
    iRow = std::max(iRow, 0);
    pBar->SetFirstVisibleRow(iRow);
    if (ArrangeMenuBar())
        ArrangeMenuBar();
}

// ---------------------------------------------------------------------------
// Painting

BOOL CZUDPPopupMenu::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CZUDPPopupMenu::OnShowWindow(BOOL bShow, UINT nStatus)
{
    (void)nStatus;
    Default();
    if (!bShow)
        m_bFramePainted = FALSE;
}

void CZUDPPopupMenu::OnPaint()
{
    CPaintDC dc(this);
    if (m_bAnimationDone || g_customizeMode)
        DrawMenuFrame(&dc);
    else
        DrawAnimationFrame(&dc);
}

void CZUDPPopupMenu::DrawShadow(CDC* pDC, CRect& rectMenu)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rectMenu = rectClient;
    if (m_iShadowSize <= 0 || g_customizeMode)
        return;
    if (m_bRightToLeft)
        rectMenu.left += m_iShadowSize;
    else
        rectMenu.right -= m_iShadowSize;
    rectMenu.bottom -= m_iShadowSize;
    CRect rectExclude;
    if (m_pParentBtn != nullptr && FindParentMenu() == nullptr && IsLiveWindow(m_pParentBtn->GetParentWnd())) {
        rectExclude = m_pParentBtn->Rect();
        m_pParentBtn->GetParentWnd()->MapWindowPoints(this, &rectExclude);
    }
    // The strips darken what lies behind the popup.
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    HDC hScreen = ::GetDC(nullptr);
    if (hScreen != nullptr) {
        g_commandBarsSeams.captureScreen(pDC->m_hDC, rectWindow.Width(), rectWindow.Height(), hScreen, rectWindow.left,
                                         rectWindow.top);
        ::ReleaseDC(nullptr, hScreen);
    }
    Manager()->DrawPopupMenuShadow(pDC, rectMenu, rectExclude, m_iShadowSize, 100, 65, &m_bmpShadowBottom,
                                   &m_bmpShadowRight, m_bRightToLeft);
}

void CZUDPPopupMenu::DrawMenuFrame(CDC* pDC)
{
    CRect rectMenu;
    DrawShadow(pDC, rectMenu);
    const int b = BorderWidth();
    Manager()->DrawPopupMenuBorder(pDC, this, rectMenu);
    rectMenu.DeflateRect(b, b);
    if (!m_rectTearOffCaption.IsRectEmpty())
        Manager()->DrawTearOffCaption(pDC, m_rectTearOffCaption, m_bTearOffHighlighted || m_bTearOffPending);
    if (m_bScrollable) {
        if (!m_rectScrollUp.IsRectEmpty() && CanScrollUp())
            Manager()->DrawPopupMenuScrollButton(pDC, m_rectScrollUp, FALSE, m_iScrollDirection == -1, FALSE, FALSE);
        if (!m_rectScrollDown.IsRectEmpty() && CanScrollDown()) {
            CRect rectStrip(m_rectScrollDown.left, m_rectScrollDown.top - b - 1, m_rectScrollDown.right,
                            m_rectScrollDown.top);
            Manager()->FillBarBackground(pDC, GetMenuBar(), rectStrip, rectStrip);
            Manager()->DrawPopupMenuScrollButton(pDC, m_rectScrollDown, TRUE, m_iScrollDirection == 1, FALSE, FALSE);
        }
    }
    if (!m_rectResizeBar.IsRectEmpty())
        Manager()->DrawPopupMenuResizeBar(pDC, m_rectResizeBar, (m_nMinWidth > 0 ? 1 : 0) | (m_bResizeBarAtTop ? 2 : 0));
    m_bFramePainted = TRUE;
}

void CZUDPPopupMenu::DrawAnimationFrame(CDC* pPaintDC)
{
    const CSize sizeFull(m_sizeMenu.cx + m_iShadowSize, m_sizeMenu.cy + m_iShadowSize);
    if (sizeFull.cx <= 0 || sizeFull.cy <= 0)
        return;
    if (m_hbmpMenu == nullptr) {
        const BOOL bTrueColor = g_frameworkSeams.colorDepth() > 8;
        if (m_nAnimation == kFade || bTrueColor) {
            m_hbmpScreen = CZUDPDrawManager::Create32BitDibSection(sizeFull, (LPVOID*)&m_pScreenBits);
            m_hbmpMenu = CZUDPDrawManager::Create32BitDibSection(sizeFull, (LPVOID*)&m_pMenuBits);
            m_hbmpBlend = CZUDPDrawManager::Create32BitDibSection(sizeFull, (LPVOID*)&m_pBlendBits);
            if (m_hbmpScreen == nullptr || m_hbmpMenu == nullptr || m_hbmpBlend == nullptr) {
                for (HBITMAP* phBitmap : {&m_hbmpScreen, &m_hbmpMenu, &m_hbmpBlend}) {
                    if (*phBitmap != nullptr)
                        ::DeleteObject(*phBitmap);
                    *phBitmap = nullptr;
                }
                return;
            }
            HDC hScreenDC = ::CreateCompatibleDC(pPaintDC->m_hDC);
            HGDIOBJ hOld = ::SelectObject(hScreenDC, m_hbmpScreen);
            g_commandBarsSeams.captureScreen(hScreenDC, sizeFull.cx, sizeFull.cy, pPaintDC->m_hDC, 0, 0);
            ::SelectObject(hScreenDC, hOld);
            ::DeleteDC(hScreenDC);
            std::copy(m_pScreenBits, m_pScreenBits + size_t(sizeFull.cx) * size_t(sizeFull.cy), m_pMenuBits);
        } else {
            m_hbmpMenu = ::CreateCompatibleBitmap(pPaintDC->m_hDC, sizeFull.cx, sizeFull.cy);
            if (m_hbmpMenu == nullptr)
                return;
        }
        CDC dcMenu;
        dcMenu.Attach(::CreateCompatibleDC(pPaintDC->m_hDC));
        HGDIOBJ hOld = ::SelectObject(dcMenu.m_hDC, m_hbmpMenu);
        DrawMenuFrame(&dcMenu);
        CZUDPPopupMenuBar* pBar = GetMenuBar();
        if (IsLiveWindow(pBar)) {
            CRect rectBar;
            pBar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            const int nSaved = ::SaveDC(dcMenu.m_hDC);
            ::SetViewportOrgEx(dcMenu.m_hDC, rectBar.left, rectBar.top, nullptr);
            ::IntersectClipRect(dcMenu.m_hDC, 0, 0, rectBar.Width(), rectBar.Height());
            pBar->PaintBar(&dcMenu);
            ::RestoreDC(dcMenu.m_hDC, nSaved);
        }
        ::SelectObject(dcMenu.m_hDC, hOld);
        ::DeleteDC(dcMenu.Detach());
    }

    HDC hMemDC = ::CreateCompatibleDC(pPaintDC->m_hDC);
    if (m_nAnimation == kFade && m_pBlendBits != nullptr) {
        const size_t nPixels = size_t(sizeFull.cx) * size_t(sizeFull.cy);
        for (size_t i = 0; i < nPixels; ++i)
            m_pBlendBits[i] = CZUDPColorArithmetic::MixColorsPercent(m_pMenuBits[i], m_pScreenBits[i],
                                                                      std::min(100, m_nFadePercent));
        HGDIOBJ hOld = ::SelectObject(hMemDC, m_hbmpBlend);
        ::BitBlt(pPaintDC->m_hDC, 0, 0, sizeFull.cx, sizeFull.cy, hMemDC, 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
    } else {
        HGDIOBJ hOld = ::SelectObject(hMemDC, m_hbmpMenu);
        const int cx = std::min(m_sizeAnimated.cx, sizeFull.cx);
        const int cy = std::min(m_sizeAnimated.cy, sizeFull.cy);
        const int xDest = m_bGrowFromLeft ? 0 : sizeFull.cx - cx;
        const int yDest = m_bGrowFromTop ? 0 : sizeFull.cy - cy;
        ::BitBlt(pPaintDC->m_hDC, xDest, yDest, cx, cy, hMemDC, 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
    }
    ::DeleteDC(hMemDC);
}

void CZUDPPopupMenu::AnimationStep()
{
    if (m_bAnimationDone)
        return;
    const DWORD dwNow = g_frameworkSeams.tickCount();
    const int nSteps = int((dwNow - m_dwLastAnimationStep + kAnimationPeriod / 2) / kAnimationPeriod);
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    const int nRow = pBar->GetRowHeight();
    const int nColumn = pBar->GetColumnWidth();
    switch (m_nAnimation) {
    case kUnfold:
        m_sizeAnimated.cx += nSteps * nColumn;
        m_sizeAnimated.cy += nSteps * nRow;
        break;
    case kSlide:
        m_sizeAnimated.cy += nSteps * nRow;
        break;
    case kFade:
        m_nFadePercent += 10;
        if (m_nFadePercent > nSteps * 10 + 100)
            m_nFadePercent = 101;
        break;
    default:
        break;
    }
    BOOL bContinue = m_sizeAnimated.cy - m_iShadowSize < m_sizeMenu.cy;
    if (m_nAnimation == kUnfold)
        bContinue = bContinue || m_sizeAnimated.cx - m_iShadowSize < m_sizeMenu.cx;
    if (m_nAnimation == kFade)
        bContinue = m_nFadePercent < 101;
    if (bContinue) {
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        m_dwLastAnimationStep = dwNow;
        return;
    }
    EndAnimation();
}

void CZUDPPopupMenu::EndAnimation()
{
    m_sizeAnimated = CSize(m_sizeMenu.cx + m_iShadowSize, m_sizeMenu.cy + m_iShadowSize);
    g_frameworkSeams.killTimer(m_hWnd, kAnimationTimer);
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    if (IsLiveWindow(pBar)) {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        pBar->ValidateRect(nullptr);
    }
    m_bAnimationDone = TRUE;
    if (m_iShadowSize > 0 && m_iDirection == kAboveButton && m_nAnimation != kFade)
        RefreshShadow();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------
// Shadows

void CZUDPPopupMenu::RefreshShadow(const CRect* pRectChanged)
{
    if (m_iShadowSize <= 0 || m_hWnd == nullptr)
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (pRectChanged != nullptr) {
        const CRect rectRight(rectWindow.right - m_iShadowSize - 1, rectWindow.top, rectWindow.right, rectWindow.bottom);
        const CRect rectBottom(rectWindow.left, rectWindow.bottom - m_iShadowSize - 1, rectWindow.right, rectWindow.bottom);
        CRect rectTest;
        if (!rectTest.IntersectRect(&rectRight, pRectChanged) && !rectTest.IntersectRect(&rectBottom, pRectChanged))
            return;
    }
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    const BOOL bSavedNoLayout = pBar->m_bNoLayoutOnSize;
    pBar->m_bNoLayoutOnSize = TRUE;
    const int nDepth = m_iShadowSize;
    m_iShadowSize = 0;
    const int xShrunk = m_bRightToLeft ? rectWindow.left + nDepth : rectWindow.left;
    SetWindowPos(nullptr, xShrunk, rectWindow.top, rectWindow.Width() - nDepth, rectWindow.Height() - nDepth,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    HWND hTop = ::GetAncestor(::GetWindow(m_hWnd, GW_OWNER), GA_ROOT);
    if (hTop != nullptr) {
        CRect rectStrips = rectWindow;
        ::MapWindowPoints(nullptr, hTop, reinterpret_cast<POINT*>(&rectStrips), 2);
        ::RedrawWindow(hTop, &rectStrips, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::UpdateWindow(hTop);
    }
    SetWindowPos(nullptr, rectWindow.left, rectWindow.top, rectWindow.Width(), rectWindow.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    m_iShadowSize = nDepth;
    pBar->m_bNoLayoutOnSize = bSavedNoLayout;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectRight = rectClient;
    rectRight.left = rectRight.right - nDepth;
    CRect rectBottom = rectClient;
    rectBottom.top = rectBottom.bottom - nDepth;
    InvalidateRect(&rectRight);
    InvalidateRect(&rectBottom);
    UpdateWindow();
}

void CZUDPPopupMenu::RefreshAllShadows(const CRect* pRectChanged)
{
    for (CZUDPPopupMenu* pPopup = g_activePopupMenu; pPopup != nullptr; pPopup = pPopup->FindParentMenu()) {
        if (IsLiveWindow(pPopup))
            pPopup->RefreshShadow(pRectChanged);
    }
}

void CZUDPPopupMenu::SetShadowAlpha(BYTE nAlpha)
{
    if (m_pShadowWnd != nullptr)
        m_pShadowWnd->SetAlpha(nAlpha);
}

void CZUDPPopupMenu::RecalcLayoutAndRedraw()
{
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    m_bResizing = TRUE;
    pBar->PositionButtons();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
    if (hTop != nullptr)
        ::UpdateWindow(hTop);
    m_bResizing = FALSE;
}

// ---------------------------------------------------------------------------
// Timers, keys and the mouse

void CZUDPPopupMenu::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAnimationTimer) {
        AnimationStep();
        return;
    }
    if (nIDEvent != kScrollTimer) {
        Default();
        return;
    }
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    if (CZUDPToolbarMenuButton* pOpen = pBar->FindOpenMenuButton())
        pOpen->CancelMode();
    CPoint ptCursor = CursorPosition();
    ScreenToClient(&ptCursor);
    if (m_rectScrollUp.PtInRect(ptCursor) && m_iScrollDirection == -1 && CanScrollUp()) {
        pBar->SetFirstVisibleRow(pBar->GetFirstVisibleRow() - 1);
        ArrangeMenuBar();
    } else if (m_rectScrollDown.PtInRect(ptCursor) && m_iScrollDirection == 1 && CanScrollDown()) {
        pBar->SetFirstVisibleRow(pBar->GetFirstVisibleRow() + 1);
        ArrangeMenuBar();
    } else {
        g_frameworkSeams.killTimer(m_hWnd, kScrollTimer);
        m_iScrollDirection = 0;
        InvalidateRect(&m_rectScrollUp);
        InvalidateRect(&m_rectScrollDown);
    }
}

void CZUDPPopupMenu::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nRepCnt;
    (void)nFlags;
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    if (m_bRightToLeft) {
        if (nChar == VK_LEFT)
            nChar = VK_RIGHT;
        else if (nChar == VK_RIGHT)
            nChar = VK_LEFT;
    }
    switch (nChar) {
    case VK_ESCAPE:
        m_bClosedWithEscape = TRUE;
        DismissMenu(TRUE);
        return;
    case VK_LEFT: {
        CZUDPToolBar* pOwner = FindOwnerToolBar();
        if (pOwner != nullptr && !pOwner->IsKindOf(RUNTIME_CLASS(CZUDPPopupMenuBar))) {
            pOwner->ActivatePrevMenu();
        } else if (FindParentMenu() != nullptr && m_pParentBtn != nullptr && m_pParentBtn->openPopup == this) {
            DismissMenu(FALSE);
        }
        return;
    }
    case VK_RIGHT: {
        const int nSavedAnimation = g_menuAnimation;
        g_menuAnimation = kNoAnimation;
        CZUDPToolbarMenuButton* pHot = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pBar->GetButtonAt(pBar->GetHotIndex()));
        if (pHot != nullptr && (pHot->commandId == (UINT)-1 || pHot->commandId == 0 || pHot->IsEmptyMenuAllowed())) {
            const int iHot = pBar->GetHotIndex();
            if (pHot->OpenPopupMenu(pBar) && pHot->openPopup != nullptr && pBar->GetHotIndex() == iHot)
                pHot->openPopup->SendMessage(WM_KEYDOWN, VK_HOME);
        } else {
            CZUDPToolBar* pOwner = FindOwnerToolBar();
            if (pOwner != nullptr && !pOwner->IsKindOf(RUNTIME_CLASS(CZUDPPopupMenuBar))) {
                pOwner->ActivateNextMenu();
            } else if (CZUDPPopupMenu* pParent = FindParentMenu()) {
                pParent->SendMessage(WM_KEYDOWN, m_bRightToLeft ? VK_LEFT : VK_RIGHT);
            }
        }
        g_menuAnimation = nSavedAnimation;
        return;
    }
    case VK_DOWN:
        if ((g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) && !pBar->AreAllCommandsShown()) {
            ExpandFullMenu();
            return;
        }
        [[fallthrough]];
    case VK_HOME:
    case VK_END:
    case VK_UP:
        if (!g_customizeMode) {
            pBar->HandleKey(nChar);
            ScrollHotItemIntoView();
        }
        return;
    case VK_RETURN:
        if (!g_customizeMode)
            pBar->HandleKey(nChar);
        return;
    default:
        if (!pBar->HandleKey(nChar))
            Default();
        return;
    }
}

void CZUDPPopupMenu::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTearOffPending) {
        if (m_rectTearOffCaption.PtInRect(point))
            return;
        ::ReleaseCapture();
        m_bTearOffPending = FALSE;
        // A placed bar closes (and deletes) this popup.
        TearOffMenu(point.x, point.y);
        return;
    }
    (void)nFlags;
    Default();
    if (!m_bScrollable || m_iScrollDirection != 0)
        return;
    int nDirection = 0;
    if (m_rectScrollUp.PtInRect(point) && CanScrollUp()) {
        nDirection = -1;
        InvalidateRect(&m_rectScrollUp);
    } else if (m_rectScrollDown.PtInRect(point) && CanScrollDown()) {
        nDirection = 1;
        InvalidateRect(&m_rectScrollDown);
    }
    m_iScrollDirection = nDirection;
    if (nDirection != 0)
        g_frameworkSeams.setTimer(m_hWnd, kScrollTimer, kScrollPeriod, nullptr);
}

void CZUDPPopupMenu::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    if (!g_customizeMode && m_rectTearOffCaption.PtInRect(point)) {
        m_bTearOffHighlighted = TRUE;
        m_bTearOffPending = TRUE;
        SetCapture();
        InvalidateRect(&m_rectTearOffCaption);
        return;
    }
    Default();
}

void CZUDPPopupMenu::OnLButtonUp(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    if (m_bTearOffPending) {
        m_bTearOffPending = FALSE;
        m_bTearOffHighlighted = FALSE;
        ::ReleaseCapture();
        InvalidateRect(&m_rectTearOffCaption);
        return;
    }
    Default();
}

BOOL CZUDPPopupMenu::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    (void)nFlags;
    (void)pt;
    if (!m_bScrollable)
        return FALSE;
    // Scroll-area menus have no scroll bar: a wheel turn up brings the
    // first row back, a turn down shows the next row.
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    const int nSteps = zDelta / WHEEL_DELTA;
    for (int i = 0; i < std::abs(nSteps); ++i) {
        if (nSteps > 0 && CanScrollUp())
            pBar->SetFirstVisibleRow(pBar->GetFirstVisibleRow() - 1);
        else if (nSteps < 0 && CanScrollDown())
            pBar->SetFirstVisibleRow(pBar->GetFirstVisibleRow() + 1);
        ArrangeMenuBar();
    }
    return TRUE;
}

BOOL CZUDPPopupMenu::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST && IsLiveWindow(m_pTearOffTip))
        m_pTearOffTip->RelayEvent(pMsg);
    if (pMsg->message == WM_MOUSEMOVE && m_bScrollable) {
        CPoint pt = CursorPosition();
        ScreenToClient(&pt);
        if (m_rectScrollUp.PtInRect(pt) || m_rectScrollDown.PtInRect(pt)) {
            OnMouseMove((UINT)pMsg->wParam, pt);
            return TRUE;
        }
    }
    return CMiniFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CZUDPPopupMenu::OnToolTipNotify(UINT id, NMHDR* pNMH, LRESULT* pResult)
{
    (void)id;
    (void)pResult;
    if (m_pTearOffTip == nullptr || pNMH->hwndFrom != m_pTearOffTip->m_hWnd)
        return FALSE;
    m_bTearOffHighlighted = pNMH->code == TTN_SHOW;
    InvalidateRect(&m_rectTearOffCaption);
    UpdateWindow();
    return FALSE;
}

BOOL CZUDPPopupMenu::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    (void)pWnd;
    (void)nHitTest;
    (void)message;
    CPoint pt = CursorPosition();
    ScreenToClient(&pt);
    if (m_rectTearOffCaption.PtInRect(pt)) {
        static HCURSOR s_hSizeAll = ::LoadCursor(nullptr, IDC_SIZEALL);
        ::SetCursor(s_hSizeAll);
        return TRUE;
    }
    return (BOOL)Default();
}

int CZUDPPopupMenu::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    (void)pDesktopWnd;
    (void)nHitTest;
    (void)message;
    return MA_NOACTIVATE;   // a menu never takes the activation
}

// ---------------------------------------------------------------------------
// Resizing

void CZUDPPopupMenu::AllowResize(int nMinWidth, int nMinHeight)
{
    m_bResizable = nMinWidth != 0 || nMinHeight != 0;
    m_nMinWidth = nMinWidth;
    m_nMinHeight = m_bResizable ? nMinHeight + (nMinWidth > 0 ? 12 : 9) : nMinHeight;
}

void CZUDPPopupMenu::AllowHeightResize(int nMinHeight)
{
    m_bResizable = nMinHeight > 0;
    m_nMinWidth = 0;
    m_nMinHeight = nMinHeight;
}

LRESULT CZUDPPopupMenu::OnNcHitTest(CPoint point)
{
    if (m_bResizable && !m_rectResizeBar.IsRectEmpty()) {
        CRect rectBar = m_rectResizeBar;
        ClientToScreen(&rectBar);
        if (rectBar.PtInRect(point)) {
            if (m_nMinWidth > 0) {
                const BOOL bCorner = m_bRightToLeft ? point.x < rectBar.left + rectBar.Height()
                                                    : point.x >= rectBar.right - rectBar.Height();
                if (bCorner) {
                    if (m_bResizeBarAtTop)
                        return m_bRightToLeft ? HTTOPLEFT : HTTOPRIGHT;
                    return m_bRightToLeft ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
                }
            } else {
                return m_bResizeBarAtTop ? HTTOP : HTBOTTOM;
            }
        }
    }
    return Default();
}

void CZUDPPopupMenu::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    (void)point;
    const BOOL bTop = nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT;
    const BOOL bBottom = nHitTest == HTBOTTOM || nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT;
    if ((bTop && m_bResizeBarAtTop) || (bBottom && !m_bResizeBarAtTop)) {
        RunResizeLoop(nHitTest);
        return;
    }
    Default();
}

BOOL CZUDPPopupMenu::RunResizeLoop(UINT nHit)
{
    (void)nHit;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageA(&msg);
    if (::GetCapture() != nullptr)
        return FALSE;
    const HWND hWnd = m_hWnd;
    SetCapture();
    CRect rectStart;
    GetWindowRect(&rectStart);
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    m_bResizing = TRUE;
    pBar->m_bNoLayoutOnSize = FALSE;
    if (m_pShadowWnd != nullptr)
        m_pShadowWnd->ShowWindow(SW_HIDE);
    const int nSavedShadow = m_iShadowSize;
    m_iShadowSize = 0;
    const int b = BorderWidth();
    BOOL bMoved = FALSE;
    BOOL bResult = FALSE;
    for (;;) {
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (::GetCapture() != hWnd)
            break;
        if (msg.message == WM_MOUSEMOVE) {
            CPoint pt = CursorPosition();
            int nHeight = m_bResizeBarAtTop ? rectStart.bottom - pt.y : pt.y - rectStart.top;
            nHeight = std::max(nHeight, m_nMinHeight);
            int nWidth;
            if (m_nMinWidth == 0)
                nWidth = rectStart.Width() - nSavedShadow;
            else
                nWidth = std::max(m_nMinWidth, int(m_bRightToLeft ? rectStart.right - pt.x : pt.x - rectStart.left) +
                                                   2 * b + nSavedShadow);
            if (nWidth != m_nUserWidth || nHeight != m_nUserHeight) {
                m_nUserWidth = nWidth;
                m_nUserHeight = nHeight;
                if (m_bResizeBarAtTop)
                    m_ptLocation.y = pt.y;
                RecalcLayout();
                pBar->PositionButtons();
                RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
                m_bUserSized = TRUE;
                bMoved = TRUE;
            }
        } else if (msg.message == WM_LBUTTONUP) {
            m_iShadowSize = nSavedShadow;
            if (bMoved) {
                m_bmpShadowRight.DeleteObject();
                m_bmpShadowBottom.DeleteObject();
                RecalcLayout();
                if (m_pShadowWnd != nullptr)
                    m_pShadowWnd->Reposition();
                ShowWindow(SW_SHOWNOACTIVATE);
            }
            bResult = TRUE;
            break;
        } else {
            ::DispatchMessageA(&msg);
        }
    }
    if (!::IsWindow(hWnd))
        return bResult;
    m_iShadowSize = nSavedShadow;
    ::ReleaseCapture();
    m_bResizing = FALSE;
    return bResult;
}

// ---------------------------------------------------------------------------
// Tear-off

BOOL CZUDPPopupMenu::TearOffMenu(int x, int y)
{
    if (m_pParentBtn == nullptr || !m_pParentBtn->IsTearOff() || m_hWnd == nullptr)
        return FALSE;
    const UINT uiID = m_pParentBtn->GetTearOffId();
    // Only a library frame keeps torn-off bars.
    CFrameWnd* pFrame = RegistrationFrame();
    CZUDPFrameDockSite* pSite = PopupSiteOf(pFrame);
    CZUDPFrameImpl* pImpl = FrameImplOf(pFrame);
    if (pSite == nullptr || pImpl == nullptr)
        return FALSE;
    CPoint pt(x, y);
    ClientToScreen(&pt);
    m_bTearOffHighlighted = FALSE;

    CZUDPToolBar* pBar = pImpl->FindTearOffBar(uiID);
    if (pBar != nullptr) {
        // The menu was torn off before: that bar comes back at the point.
        pBar->ShowWindow(SW_SHOWNOACTIVATE);
        if (CZUDPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE))
            pMiniFrame->SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        CString strCaption = m_pParentBtn->text;
        strCaption.Remove('&');
        CZUDPControlBar* pMade = CreateTearOffBar(pFrame, uiID, strCaption);
        if (pMade == nullptr)
            return FALSE;
        // The frame keeps toolbars only.
        pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pMade);
        if (pBar == nullptr) {
            pMade->DestroyWindow();
            delete pMade;
            return FALSE;
        }
        pImpl->AddTearOffBar(pBar);
        if (!pSite->OnTearOffMenu(this, pBar)) {
            pImpl->RemoveTearOffBar(pBar);
            pBar->DestroyWindow();
            delete pBar;
            return FALSE;
        }
    }

    pBar->UpdateCmdUI(pFrame, TRUE);
    const CSize size = pBar->CalcSize(FALSE);
    pBar->FloatBar(CRect(pt, size), ZUDP_DM_MENU, TRUE);
    pBar->RefreshPlacement();
    pFrame->RecalcLayout();
    CZUDPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE);
    if (pMiniFrame == nullptr)
        return FALSE;
    // The loop closes this popup when the bar is placed: nothing of the
    // popup is touched after it.
    return pMiniFrame->RunTearOffDragLoop(this);
}

CZUDPControlBar* CZUDPPopupMenu::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName)
{
    if (m_hMenu == nullptr || !::IsMenu(m_hMenu) || pWndMain == nullptr)
        return nullptr;
    auto* pBar = new CZUDPToolBar;
    if (!pBar->CreateBar(pWndMain, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE, uiID)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);
    const int nCount = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < nCount; ++i) {
        char szText[1025] = "";
        ::GetMenuStringA(m_hMenu, UINT(i), szText, sizeof(szText) - 1, MF_BYPOSITION);
        CString strText = szText;
        const int nTab = strText.Find('\t');
        if (nTab >= 0)
            strText = strText.Left(nTab);
        const UINT uiCmd = ::GetMenuItemID(m_hMenu, i);
        HMENU hSubMenu = ::GetSubMenu(m_hMenu, i);
        if (hSubMenu != nullptr) {
            UINT uiTearOff = 0;
            if (g_tearOffManager != nullptr)
                uiTearOff = CZUDPTearOffBarManager::ExtractIdFromMenuText(strText);
            CZUDPToolbarMenuButton button((UINT)-1, hSubMenu, -1, strText);
            button.SetTearOffId(uiTearOff);
            pBar->InsertButtonCopy(button);
        } else if (uiCmd == 0) {
            if (i != nCount - 1)
                pBar->InsertSeparator();
        } else if (!IsReservedCommand(uiCmd)) {
            CZUDPToolbarButton button(uiCmd, FindCommandImage(uiCmd), strText);
            pBar->InsertButtonCopy(button);
        }
    }
    for (int i = 0; i < pBar->GetCount(); ++i) {
        CZUDPToolbarButton* pButton = pBar->GetButtonAt(i);
        if (!pButton->IsSeparator() && pButton->GetActiveImage() < 0) {
            pButton->showText = TRUE;
            pButton->showImage = FALSE;
        }
    }
    pBar->ReplaceBarStyle(pBar->GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    pBar->SetDockableSides(CBRS_ALIGN_ANY);
    return pBar;
}

// ---------------------------------------------------------------------------
// Expansion, personalization and write-back

BOOL CZUDPPopupMenu::ExpandFullMenu()
{
    if (m_pParentBtn == nullptr)
        return FALSE;
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    pBar->m_iHot = -1;
    pBar->m_iHighlighted = -1;
    g_showAllCommandsNow = TRUE;
    PlayMenuSound(kMenuSoundPopup);
    ShowWindow(SW_HIDE);
    m_bFramePainted = FALSE;
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    m_ptLocation = m_ptRequested;
    PrepareItems();
    if (m_bScrollable)
        ArrangeMenuBar();
    HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT);
    if (hTop != nullptr)
        ::UpdateWindow(hTop);
    ShowWindow(SW_SHOWNOACTIVATE);
    CWnd* pButtonWnd = m_pParentBtn != nullptr ? m_pParentBtn->GetParentWnd() : nullptr;
    if (IsLiveWindow(pButtonWnd)) {
        pButtonWnd->InvalidateRect(&m_pParentBtn->Rect());
        pButtonWnd->UpdateWindow();
    }
    return TRUE;
}

void CZUDPPopupMenu::SuspendPersonalization()
{
    m_bSavedPersonalizedMenus = g_personalizedMenus;
    g_personalizedMenus = FALSE;
    m_bPersonalizationSuspended = TRUE;
}

void CZUDPPopupMenu::SyncParentButtonItems()
{
    if (!g_customizeMode || m_pParentBtn == nullptr || m_pParentBtn->IsPaletteButton())
        return;
    HMENU hMenu = GetMenuBar()->BuildMenuFromItems();
    if (hMenu == nullptr)
        return;
    // The button copies the items; the handle stays the popup's to free.
    m_pParentBtn->CreateFromMenu(hMenu);
    ::DestroyMenu(hMenu);
    if (CZUDPPopupMenu* pParent = FindParentMenu())
        pParent->SyncParentButtonItems();
}

// ---------------------------------------------------------------------------
// Items

int CZUDPPopupMenu::InsertItemCopy(const CZUDPToolbarButton& button, int iInsertAt)
{
    return GetMenuBar()->InsertButtonCopy(button, iInsertAt);
}

int CZUDPPopupMenu::InsertSeparatorAt(int iInsertAt) { return GetMenuBar()->InsertSeparator(iInsertAt); }

BOOL CZUDPPopupMenu::RemoveItemAt(int iIndex) { return GetMenuBar()->RemoveButton(iIndex); }

void CZUDPPopupMenu::ClearItems() { GetMenuBar()->DeleteAllButtons(); }

CZUDPToolbarMenuButton* CZUDPPopupMenu::GetSelectedMenuButton() const
{
    CZUDPPopupMenuBar* pBar = const_cast<CZUDPPopupMenu*>(this)->GetMenuBar();
    return DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pBar->GetButtonAt(pBar->GetHotIndex()));
}

void CZUDPPopupMenu::CancelItemModes()
{
    CZUDPPopupMenuBar* pBar = GetMenuBar();
    for (int i = 0; i < pBar->GetCount(); ++i)
        pBar->GetButtonAt(i)->CancelMode();
}

// ---------------------------------------------------------------------------
// Closing

void CZUDPPopupMenu::DismissMenu(BOOL bSetFocus)
{
    if (m_hWnd == nullptr)
        return;
    m_bDismissing = TRUE;
    SyncParentButtonItems();
    if (CZUDPPopupMenu* pParent = FindParentMenu()) {
        m_bCloseParentsWithMe = FALSE;
        RegisterWithFrame(pParent->RegistrationFrame(), pParent);
    } else {
        CFrameWnd* pFrame = RegistrationFrame();
        if (CZUDPFrameDockSite* pSite = PopupSiteOf(pFrame))
            pSite->PreparePopupMenu(nullptr);
        else if (g_activePopupMenu == this)
            g_activePopupMenu = nullptr;
        NotifyDialogHost(FALSE);
        if (bSetFocus) {
            CZUDPToolBar* pOwner = FindOwnerToolBar();
            if (IsLiveWindow(pOwner))
                pOwner->SetFocus();
        }
    }
    SendMessage(WM_CLOSE);
}

void CZUDPPopupMenu::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    (void)dwThreadID;
    Default();
    if (!bActive && !g_customizeMode && !IsSendingCommand())
        PostMessage(WM_CLOSE);
}

void CZUDPPopupMenu::OnDestroy()
{
    if (m_pShadowWnd != nullptr) {
        CZUDPShadowWnd* pShadow = m_pShadowWnd;
        m_pShadowWnd = nullptr;
        if (IsLiveWindow(pShadow)) {
            pShadow->ShowWindow(SW_HIDE);
            pShadow->DestroyWindow();   // deletes itself
        } else {
            delete pShadow;
        }
    }
    if (m_bPersonalizationSuspended)
        g_personalizedMenus = m_bSavedPersonalizedMenus;
    g_frameworkSeams.killTimer(m_hWnd, kAnimationTimer);
    g_frameworkSeams.killTimer(m_hWnd, kScrollTimer);

    // Everything of the parent chain is read now: closing the parent
    // popup below deletes it, with the bar that holds this popup's button.
    const BOOL bCustomizing = g_customizeMode;
    CZUDPPopupMenu* pParent = FindParentMenu();
    CZUDPToolBar* pOwner = FindOwnerToolBar();
    CFrameWnd* pFrame = RegistrationFrame();
    const BOOL bCloseParent = m_bCloseParentsWithMe && !bCustomizing && pParent != nullptr;
    const HWND hWndParent = pParent != nullptr ? pParent->m_hWnd : nullptr;
    if (m_pParentBtn != nullptr) {
        SyncParentButtonItems();
        if (m_pParentBtn->openPopup == this)
            m_pParentBtn->openPopup = nullptr;
    } else {
        g_showAllCommandsNow = FALSE;
    }
    NotifyDialogHost(FALSE);
    if (CZUDPFrameDockSite* pSite = PopupSiteOf(pFrame))
        pSite->OnClosePopupMenu(this);
    else if (g_activePopupMenu == this)
        g_activePopupMenu = nullptr;

    if (!bCustomizing && g_activePopupMenu == nullptr && IsLiveWindow(pOwner) &&
        !pOwner->IsKindOf(RUNTIME_CLASS(CZUDPPopupMenuBar)) && ::GetFocus() != pOwner->m_hWnd)
        pOwner->Deactivate();
    if (m_pTearOffTip != nullptr) {
        if (IsLiveWindow(m_pTearOffTip))
            m_pTearOffTip->DestroyWindow();
        delete m_pTearOffTip;
        m_pTearOffTip = nullptr;
    }
    Default();
    m_pParentBtn = nullptr;
    m_pWndCreator = nullptr;
    if (bCloseParent && ::IsWindow(hWndParent))
        ::SendMessage(hWndParent, WM_CLOSE, 0, 0);
}

void CZUDPPopupMenu::PostNcDestroy()
{
    if (m_pParentBtn != nullptr && m_pParentBtn->openPopup == this)
        m_pParentBtn->openPopup = nullptr;
    delete this;
}

BOOL CZUDPPopupMenu::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CMiniFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (m_pMessageTarget != nullptr && m_pMessageTarget != this && IsLiveWindow(m_pMessageTarget))
        return m_pMessageTarget->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    return FALSE;
}

// ---------------------------------------------------------------------------
// The separate shadow window

IMPLEMENT_DYNAMIC(CZUDPShadowWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CZUDPShadowWnd, CMiniFrameWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CZUDPShadowWnd::CZUDPShadowWnd(CZUDPPopupMenu* pOwner, int nDepth) : m_pOwner(pOwner), m_nDepth(nDepth) {}

CZUDPShadowWnd::~CZUDPShadowWnd()
{
    if (m_hbmpRendered != nullptr)
        ::DeleteObject(m_hbmpRendered);
}

BOOL CZUDPShadowWnd::Create()
{
    if (g_uiEnvironment.m_updateLayeredWindow == nullptr || g_frameworkSeams.colorDepth() <= 8 || m_pOwner == nullptr)
        return FALSE;
    m_bRightToLeft = m_pOwner->IsRightToLeft();
    const CString strClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    HWND hParent = m_pOwner->m_hWnd != nullptr ? ::GetWindow(m_pOwner->m_hWnd, GW_OWNER) : nullptr;
    return CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW, strClass, "", WS_POPUP, 0, 0, 0, 0, hParent, nullptr, nullptr);
}

void CZUDPShadowWnd::PostNcDestroy() { delete this; }

void CZUDPShadowWnd::OnSize(UINT nType, int cx, int cy)
{
    (void)nType;
    Default();
    if (cx > 0 && cy > 0)
        Render(cx, cy);
}

void CZUDPShadowWnd::Render(int cx, int cy)
{
    if (m_hbmpRendered != nullptr)
        ::DeleteObject(m_hbmpRendered);
    m_pRenderedBits = nullptr;
    COLORREF* pBits = nullptr;
    m_hbmpRendered = CZUDPDrawManager::Create32BitDibSection(CSize(cx, cy), (LPVOID*)&pBits);
    if (m_hbmpRendered == nullptr)
        return;
    m_sizeRendered = CSize(cx, cy);
    m_pRenderedBits = pBits;
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, m_hbmpRendered);
    CZUDPShadowRenderer renderer;
    if (renderer.BuildShadow(m_nDepth, CZUDPVisualManager::GetActiveManager()->m_colorMenuShadowBase, 0, 100,
                             m_bRightToLeft))
        renderer.DrawShadowPieces(&dc, CRect(0, 0, cx, cy), m_bRightToLeft);
    POINT ptSrc = {0, 0};
    SIZE size = {cx, cy};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, m_nAlpha, AC_SRC_ALPHA};
    g_uiEnvironment.UpdateLayered(m_hWnd, nullptr, nullptr, &size, dc.m_hDC, &ptSrc, 0, &blend, ULW_ALPHA);
    ::SelectObject(dc.m_hDC, hOld);
    ::DeleteDC(dc.Detach());
}

void CZUDPShadowWnd::Reposition()
{
    if (m_hWnd == nullptr || m_pOwner == nullptr || !IsLiveWindow(m_pOwner))
        return;
    if (!m_pOwner->IsWindowVisible()) {
        ShowWindow(SW_HIDE);
        return;
    }
    CRect rect;
    m_pOwner->GetWindowRect(&rect);
    rect.OffsetRect(m_bRightToLeft ? -m_nDepth : m_nDepth, m_nDepth);
    const BOOL bWasHidden = !IsWindowVisible();
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (bWasHidden) {
        SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        m_pOwner->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CZUDPShadowWnd::SetAlpha(BYTE nAlpha)
{
    if (nAlpha == m_nAlpha)
        return;
    m_nAlpha = nAlpha;
    if (m_sizeRendered.cx > 0 && m_sizeRendered.cy > 0 && m_hWnd != nullptr)
        Render(m_sizeRendered.cx, m_sizeRendered.cy);
}
