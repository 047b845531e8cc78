#include "ui/commandbars/ZUDPMenuBar.h"

#include "framework/Archive.h"
#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/Menu.h"
#include "res/ui/commandbars.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPToolbarSystemMenuButton.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/commandbars/CmdUsageCount.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZUDPMenuBar, CZUDPToolBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CZUDPMenuBar, CZUDPToolBar)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace {

const UINT kMenuBarIdlePrompt = 0xE001;   // the status bar's idle prompt

// The bar's frame as an MDI frame, or null.
CMDIFrameWnd* MDIFrameOf(CWnd* pFrame) { return DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame); }

BOOL IsCaptionButton(const CZUDPToolbarButton* pButton)
{
    return pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CZUDPToolbarMenuButtonsButton));
}

BOOL IsSystemMenuButton(const CZUDPToolbarButton* pButton)
{
    return pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CZUDPToolbarSystemMenuButton));
}

// The close button is disabled while the child's system menu greys Close
// (or has no Close at all).
BOOL IsCloseGreyed(HMENU hSysMenu)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (hSysMenu == nullptr || !::GetMenuItemInfoA(hSysMenu, SC_CLOSE, FALSE, &info))
        return TRUE;
    return (info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
}

// The border sizes of a bar: deflating an empty rectangle by them.
CRect BorderSizes(const CZUDPControlBar& bar, BOOL bHorz)
{
    CRect rect(0, 0, 0, 0);
    bar.DeflateRectByBorders(rect, bHorz);
    return CRect(rect.left, rect.top, -rect.right, -rect.bottom);
}

} // namespace

CZUDPMenuBar::CZUDPMenuBar()
{
    m_bOwnRow = TRUE;
}

CZUDPMenuBar::~CZUDPMenuBar()
{
    // The current menu is the frame's or a document type's shared menu:
    // their owners destroy it.  The bar destroys only what it loaded.
    for (POSITION pos = m_ownedMenus.GetHeadPosition(); pos != nullptr;) {
        HMENU hMenu = m_ownedMenus.GetNext(pos);
        if (::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
    }
    m_ownedMenus.RemoveAll();
}

void CZUDPMenuBar::TakeMenuOwnership(HMENU hMenu)
{
    if (hMenu != nullptr && m_ownedMenus.Find(hMenu) == nullptr)
        m_ownedMenus.AddTail(hMenu);
}

BOOL CZUDPMenuBar::ReleaseMenuOwnership(HMENU hMenu)
{
    POSITION pos = m_ownedMenus.Find(hMenu);
    if (pos == nullptr)
        return FALSE;
    m_ownedMenus.RemoveAt(pos);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Creation

BOOL CZUDPMenuBar::CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_pParentWnd = pParentWnd;
    return CZUDPToolBar::CreateBar(pParentWnd, dwStyle, nID);
}

BOOL CZUDPMenuBar::CreateBarEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_pParentWnd = pParentWnd;
    return CZUDPToolBar::CreateBarEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

int CZUDPMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pParentWnd == nullptr)
        m_pParentWnd = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (CZUDPFrameImpl* pImpl = FrameImplOf(m_pParentWnd))
        pImpl->AttachMenuBar(this);
    CString strName;
    if (!strName.LoadString(IDS_ZUDP_MENU_BAR))
        strName.Empty();
    SetWindowText(strName);
    ReplaceBarStyle(GetBarStyle() | CBRS_HIDE_INPLACE);
    CalcSystemButtonSize();
    return 0;
}

void CZUDPMenuBar::CalcSystemButtonSize()
{
    // Both sides from the width metric: the caption glyphs are square.
    const int nSize = ::GetSystemMetrics(SM_CXMENUSIZE);
    CRect rect(0, 0, nSize, nSize);
    HDC hdcScreen = ::GetDC(nullptr);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, nSize, nSize);
    ::ReleaseDC(nullptr, hdcScreen);
    if (hdc != nullptr && hBitmap != nullptr) {
        HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
        ::DrawFrameControl(hdc, &rect, DFC_CAPTION, DFCS_CAPTIONCLOSE | DFCS_ADJUSTRECT);
        ::SelectObject(hdc, hOld);
    }
    if (hBitmap != nullptr)
        ::DeleteObject(hBitmap);
    if (hdc != nullptr)
        ::DeleteDC(hdc);
    m_szSystemButton = CSize(rect.Width(), rect.Height());
}

void CZUDPMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CZUDPToolBar::OnSettingChange(uFlags, lpszSection);
    CalcSystemButtonSize();
    Invalidate();
    UpdateWindow();
}

CWnd* CZUDPMenuBar::NoticeWindow() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWnd = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWnd == nullptr)
        hWnd = ::GetParent(m_hWnd);
    return hWnd != nullptr ? CWnd::FromHandle(hWnd) : nullptr;
}

// ---------------------------------------------------------------------------
// Items

void CZUDPMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForceUpdate)
{
    if (m_hWnd != nullptr && ::GetFocus() == m_hWnd) {
        if (CFrameWnd* pFrame = GetEnclosingFrame(this))
            pFrame->SetFocus();
    }

    if (hMenu == m_hMenu && !g_customizeMode && !bForceUpdate) {
        // Same menu: the buttons stay, the maximized child's buttons too
        // (the MDI frame re-applies them on its next position change).
        if (m_bMDIButtonsShown && m_hWnd != nullptr) {
            if (CZUDPToolbarSystemMenuButton* pIcon = GetSystemMenuButton())
                InvalidateButton(IndexOfButton(pIcon));
            for (int i = FirstCaptionButtonIndex(); i < GetCount(); ++i)
                InvalidateButton(i);
            UpdateWindow();
        }
    } else {
        if (g_tearOffManager != nullptr && m_hMenu != nullptr)
            g_tearOffManager->ReleaseIdsOfMenu(CMenu::FromHandle(m_hMenu));
        if (m_hMenu != nullptr)
            g_menuHash.SaveMenuBar(m_hMenu, this);
        const BOOL bMDIButtonsWereShown = m_bMDIButtonsShown;
        m_bMDIButtonsShown = FALSE;
        m_nSystemButtonsNum = 0;
        m_hMenu = hMenu;
        if (bDefaultMenu)
            m_hDefaultMenu = hMenu;
        const DWORD dwDockedSide = GetDockedSide();

        if (!bForceUpdate && hMenu != nullptr && g_menuHash.LoadMenuBar(hMenu, this)) {
            SetDockedSide(dwDockedSide);
            // A snapshot never holds the child's buttons; any left from an
            // older list are dropped.
            RemoveMDIButtonsByClass();
        } else {
            if (hMenu == nullptr)
                return;
            if (g_tearOffManager != nullptr)
                g_tearOffManager->AssignIdsToMenu(CMenu::FromHandle(hMenu));
            DeleteAllButtons();
            const int nCount = ::GetMenuItemCount(hMenu);
            for (int i = 0; i < nCount; ++i) {
                char szText[kMenuItemTextSize] = "";
                MENUITEMINFOA info = {};
                if (!QueryMenuItem(hMenu, i, info, szText))
                    continue;
                CString strText = szText;
                if (info.hSubMenu != nullptr) {
                    CZUDPToolbarMenuButton button(0, info.hSubMenu, -1, strText, FALSE);
                    button.showText = TRUE;
                    button.showImage = FALSE;
                    UINT uiTearOff = 0;
                    if (g_tearOffManager != nullptr)
                        uiTearOff = CZUDPTearOffBarManager::ExtractIdFromMenuText(button.text);
                    button.SetTearOffId(uiTearOff);
                    InsertButtonCopy(button);
                } else if ((info.fType & MFT_SEPARATOR) || info.wID == 0) {
                    InsertSeparator();
                } else {
                    CZUDPToolbarButton button(info.wID, -1, strText, FALSE, FALSE);
                    button.showText = TRUE;
                    button.showImage = FALSE;
                    InsertButtonCopy(button);
                }
            }
        }

        if (bMDIButtonsWereShown) {
            if (CMDIFrameWnd* pMDIFrame = MDIFrameOf(m_pParentWnd)) {
                BOOL bMaximized = FALSE;
                HWND hWndChild = pMDIFrame->MDIGetActiveHwnd(&bMaximized);
                UpdateMDIChildButtons(TRUE, hWndChild != nullptr ? CWnd::FromHandle(hWndChild) : nullptr, TRUE);
            }
        }
        if (m_hWnd != nullptr)
            UpdateLayout();
        RebuildMnemonics();
    }
    if (!m_bOwnRow)
        RecalcSizeInParent(TRUE);
}

BOOL CZUDPMenuBar::UpdateButtonText(CZUDPToolbarButton* pButton)
{
    CString strText;
    if (pButton != nullptr && FindMenuItemText(m_hMenu, pButton->commandId, strText)) {
        pButton->text = strText;
        return TRUE;
    }
    return CZUDPToolBar::UpdateButtonText(pButton);
}

BOOL CZUDPMenuBar::FindMenuItemText(HMENU hMenu, UINT nItemID, CString& strText)
{
    return FindMenuItemTextAtDepth(hMenu, nItemID, strText, 0);
}

BOOL CZUDPMenuBar::FindMenuItemTextAtDepth(HMENU hMenu, UINT nItemID, CString& strText, int nDepth)
{
    // Menus are outside input once loaded from a template: a menu that
    // (through a shared submenu) contains itself ends the search.
    if (hMenu == nullptr || nItemID == 0 || nItemID == (UINT)-1 || nDepth > CZUDPToolbarMenuButton::kMaxArchiveDepth)
        return FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        char szText[kMenuItemTextSize] = "";
        MENUITEMINFOA info = {};
        if (!QueryMenuItem(hMenu, i, info, szText))
            continue;
        if (info.hSubMenu == nullptr && info.wID == nItemID) {
            strText = szText;
            return TRUE;
        }
        if (info.hSubMenu != nullptr && FindMenuItemTextAtDepth(info.hSubMenu, nItemID, strText, nDepth + 1))
            return TRUE;
    }
    return FALSE;
}

BOOL CZUDPMenuBar::IsMenuStyleFor(CZUDPToolbarButton* pButton) const
{
    return m_bMenuMode || DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pButton) != nullptr;
}

INT_PTR CZUDPMenuBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    CZUDPMenuBar* pThis = const_cast<CZUDPMenuBar*>(this);
    if (DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, GetButtonAt(pThis->HitTest(point))) != nullptr)
        return -1;   // menu titles show no tooltip
    return CZUDPToolBar::OnToolHitTest(point, pTI);
}

BOOL CZUDPMenuBar::HasToolTip(const CZUDPToolbarButton* pButton) const
{
    return DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, const_cast<CZUDPToolbarButton*>(pButton)) == nullptr;
}

// ---------------------------------------------------------------------------
// Sizes and layout

void CZUDPMenuBar::UpdateHasImages()
{
    m_bHaveButtons = FALSE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        const CZUDPToolbarButton* pButton = static_cast<const CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (IsCaptionButton(pButton) || IsSystemMenuButton(pButton) || !pButton->showImage)
            continue;
        const int iImage = pButton->usesUserImage ? pButton->userImageIndex : pButton->imageIndex;
        if (iImage >= 0) {
            m_bHaveButtons = TRUE;
            return;
        }
    }
}

int CZUDPMenuBar::GetRowHeight() const
{
    int nHeight;
    if (m_bHaveButtons) {
        nHeight = GetButtonSize().cy;
    } else {
        const CSize sizeMenu = GetMenuButtonSize();
        // The menu size falls back to the button size when it is unset.
        nHeight = sizeMenu.cy - 2;
    }
    const DWORD dwSide = GetDockedSide();
    const BOOL bHorz = (dwSide & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    const int nTextHeight = bHorz ? g_uiEnvironment.m_textHeight : g_uiEnvironment.m_verticalTextHeight;
    return std::max(nHeight, nTextHeight);
}

int CZUDPMenuBar::GetColumnWidth() const
{
    if (m_bHaveButtons)
        return GetButtonSize().cx;
    return GetMenuButtonSize().cx - 2;
}

int CZUDPMenuBar::CalcMaxButtonHeight()
{
    UpdateHasImages();
    return GetRowHeight();
}

CSize CZUDPMenuBar::CalcStretchSize(BOOL bStretch, BOOL bHorz)
{
    if (m_Buttons.IsEmpty())
        return GetButtonSize();
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

int CZUDPMenuBar::GetAvailableExpandSize() const
{
    return m_bOwnRow ? 0xFFFF : CZUDPToolBar::GetAvailableExpandSize();
}

CSize CZUDPMenuBar::CalcLayout(DWORD dwMode, int nLength)
{
    SetHotButton(-1);
    UpdateHasImages();
    if (IsFloating() || !m_bOwnRow)
        return CZUDPToolBar::CalcLayout(dwMode, nLength);

    CRect rectRow;
    CZUDPDockBarRow* pRow = GetDockBarRow();
    if (pRow != nullptr)
        pRow->GetRowRectInDockBar(rectRow);
    if (pRow == nullptr || rectRow.IsRectEmpty()) {
        HWND hWndOwner = m_hWnd != nullptr ? ::GetWindow(m_hWnd, GW_OWNER) : nullptr;
        if (hWndOwner == nullptr && m_hWnd != nullptr)
            hWndOwner = ::GetParent(m_hWnd);
        rectRow.SetRectEmpty();
        if (hWndOwner != nullptr)
            ::GetClientRect(hWndOwner, &rectRow);
    }
    const BOOL bHorz = (dwMode & LM_HORZ) != 0;
    const CRect borders = BorderSizes(*this, bHorz);
    const int nSides = borders.left + borders.right;
    const int nEnds = borders.top + borders.bottom;
    CSize size;
    if (bHorz && !(dwMode & LM_VERTDOCK)) {
        WrapToolBar(rectRow.Width() - nSides - 1, 0x7FFF, nullptr, -1, -1);
        const CSize sizeButtons = CalcSize(FALSE);
        size = CSize(rectRow.Width() + nSides / 2, sizeButtons.cy + nEnds);
    } else {
        const CSize sizeButtons = CalcSize(TRUE);
        size = CSize(sizeButtons.cx + nSides, rectRow.Height() + nEnds / 2);
    }
    RebuildMnemonics();
    return size;
}

int CZUDPMenuBar::FirstCaptionButtonIndex() const
{
    int nEnd = GetCount();
    if (m_pCustomizeBtn != nullptr && nEnd > 0 && GetButtonAt(nEnd - 1) == m_pCustomizeBtn)
        --nEnd;
    return m_bMDIButtonsShown ? std::max(0, nEnd - m_nSystemButtonsNum) : nEnd;
}

void CZUDPMenuBar::PositionButtons()
{
    CZUDPToolBar::PositionButtons();
    if (!m_bMDIButtonsShown || m_hWnd == nullptr || m_nSystemButtonsNum <= 0)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    const DWORD dwSide = GetDockedSide();
    const BOOL bHorz = (dwSide & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    const CRect borders = BorderSizes(*this, bHorz);
    CRect rect;
    rect.right = rectClient.right;
    rect.bottom = bHorz ? rectClient.bottom : rectClient.bottom - borders.top - borders.bottom;
    rect.left = rect.right - m_szSystemButton.cx;
    rect.top = rect.bottom - m_szSystemButton.cy;
    // Close at the far end, restore and minimize before it.
    const int iFirst = FirstCaptionButtonIndex();
    for (int i = iFirst + m_nSystemButtonsNum - 1; i >= iFirst; --i) {
        CZUDPToolbarButton* pButton = GetButtonAt(i);
        if (pButton == nullptr)
            break;
        if (pButton->rect != rect) {
            pButton->rect = rect;
            pButton->RepositionControl();
        }
        if (bHorz)
            rect.OffsetRect(-(m_szSystemButton.cx + 1), 0);
        else
            rect.OffsetRect(0, -(m_szSystemButton.cy + 1));
    }
}

int CZUDPMenuBar::FindDropIndex(CPoint point, CRect& rectDrag) const
{
    int iIndex = CZUDPToolBar::FindDropIndex(point, rectDrag);
    if (!m_bMDIButtonsShown || iIndex < 0)
        return iIndex;
    if (iIndex == 0 && m_hSysMenu != nullptr && GetSystemMenuButton() != nullptr)
        return -1;   // nothing before the child's icon
    const int iLast = FirstCaptionButtonIndex();
    if (iIndex > iLast) {
        iIndex = iLast;
        if (m_nSystemButtonsNum > 0) {
            if (const CZUDPToolbarButton* pBefore = GetButtonAt(iIndex - 1)) {
                const CPoint ptEdge(pBefore->rect.right, pBefore->rect.CenterPoint().y);
                CZUDPToolBar::FindDropIndex(ptEdge, rectDrag);
            }
        }
    }
    return iIndex;
}

int CZUDPMenuBar::GetFloatPopupDirection(CZUDPToolbarButton* pButton)
{
    const int iButton = IndexOfButton(pButton);
    if (iButton < 0 || !IsFloating())
        return -1;
    BOOL bWraps = FALSE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr && !bWraps;)
        bWraps = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos))->wrapAfter;
    if (!bWraps)
        return -1;
    int nRow = 0;
    int nInRow = 0;
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr && i < iButton; ++i) {
        const CZUDPToolbarButton* p = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (p->wrapAfter) {
            ++nRow;
            nInRow = 0;
        } else {
            ++nInRow;
        }
    }
    if (pButton->wrapAfter)
        return 3;
    if (nInRow == 0)
        return 4;
    return nRow == 0 ? 2 : 1;
}

// ---------------------------------------------------------------------------
// MDI child buttons

void CZUDPMenuBar::RemoveMDIButtonsByClass()
{
    // Only the child's icon and caption buttons, found by class: never a
    // menu title, whatever the counts say.
    for (int i = GetCount() - 1; i >= 0; --i) {
        CZUDPToolbarButton* pButton = GetButtonAt(i);
        if (IsCaptionButton(pButton) || IsSystemMenuButton(pButton))
            RemoveButton(i);
    }
}

void CZUDPMenuBar::UpdateMDIChildButtons(BOOL bMaximize, CWnd* pWndChild, BOOL bRecalcLayout)
{
    if (bMaximize == m_bMDIButtonsShown)
        return;
    if (!bMaximize) {
        m_nSystemButtonsNumSaved = m_nSystemButtonsNum;
        RemoveMDIButtonsByClass();
        m_nSystemButtonsNum = 0;
        m_bMDIButtonsShown = FALSE;
    } else {
        HWND hWndChild = pWndChild != nullptr ? pWndChild->GetSafeHwnd() : nullptr;
        if (hWndChild == nullptr || !::IsWindow(hWndChild)) {
            m_bMDIButtonsShown = FALSE;
            return;
        }
        const DWORD dwStyle = DWORD(::GetWindowLongPtrA(hWndChild, GWL_STYLE));
        HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
        CFrameWnd* pChildFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWndChild));
        const BOOL bInPlaceHook = pChildFrame != nullptr && pChildFrame->m_pNotifyHook != nullptr;
        m_hSysMenu = (hSysMenu != nullptr && ::IsMenu(hSysMenu) && ((dwStyle & WS_SYSMENU) || bInPlaceHook))
                         ? hSysMenu
                         : nullptr;
        InsertMDIButtons(hWndChild, dwStyle);
        m_bMDIButtonsShown = TRUE;
    }
    if (bRecalcLayout && m_hWnd != nullptr) {
        UpdateLayout();
        if (!m_bOwnRow)
            RecalcSizeInParent(TRUE);
    }
}

void CZUDPMenuBar::InsertMDIButtons(HWND hWndChild, DWORD dwStyle)
{
    m_nSystemButtonsNum = 0;
    if (m_hSysMenu == nullptr)
        return;   // no usable system menu: no icon and no caption buttons
    HICON hIcon = (HICON)::SendMessageA(hWndChild, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == nullptr)
        hIcon = (HICON)::GetClassLongPtrA(hWndChild, GCLP_HICONSM);
    m_hSysIcon = hIcon;
    InsertButtonCopy(CZUDPToolbarSystemMenuButton(m_hSysMenu, m_hSysIcon), 0);
    if (dwStyle & WS_MINIMIZEBOX) {
        InsertButtonCopy(CZUDPToolbarMenuButtonsButton(SC_MINIMIZE));
        ++m_nSystemButtonsNum;
    }
    if (dwStyle & WS_MAXIMIZEBOX) {
        InsertButtonCopy(CZUDPToolbarMenuButtonsButton(SC_RESTORE));
        ++m_nSystemButtonsNum;
    }
    CZUDPToolbarMenuButtonsButton closeButton(SC_CLOSE);
    if (IsCloseGreyed(m_hSysMenu))
        closeButton.style |= TBBS_DISABLED;
    InsertButtonCopy(closeButton);
    ++m_nSystemButtonsNum;
}

void CZUDPMenuBar::RestoreMDIChildButtons(BOOL bRecalcLayout)
{
    if (m_bMDIButtonsShown)
        return;
    CMDIFrameWnd* pMDIFrame = MDIFrameOf(m_pParentWnd);
    HWND hWndChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActiveHwnd() : nullptr;
    if (m_hSysMenu == nullptr || hWndChild == nullptr || !::IsMenu(m_hSysMenu)) {
        // Nothing to put back: the count stays that of the buttons present.
        m_nSystemButtonsNum = 0;
        return;
    }
    InsertMDIButtons(hWndChild, DWORD(::GetWindowLongPtrA(hWndChild, GWL_STYLE)));
    m_bMDIButtonsShown = TRUE;
    if (bRecalcLayout) {
        if (CFrameWnd* pFrame = GetEnclosingFrame(this))
            pFrame->RecalcLayout(TRUE);
        if (m_hWnd != nullptr) {
            Invalidate();
            UpdateWindow();
        }
    }
}

CZUDPToolbarSystemMenuButton* CZUDPMenuBar::GetSystemMenuButton() const
{
    if (!m_bMDIButtonsShown || m_Buttons.IsEmpty())
        return nullptr;
    return DYNAMIC_DOWNCAST(CZUDPToolbarSystemMenuButton, GetButtonAt(0));
}

BOOL CZUDPMenuBar::HandleButtonClick(CZUDPToolbarButton* pButton)
{
    CZUDPToolbarMenuButtonsButton* pCaption = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButtonsButton, pButton);
    if (pCaption == nullptr)
        return FALSE;
    const UINT uiCmd = pCaption->systemCommand;
    if (uiCmd == SC_MINIMIZE || uiCmd == SC_RESTORE || uiCmd == SC_CLOSE) {
        CMDIFrameWnd* pMDIFrame = MDIFrameOf(m_pParentWnd);
        HWND hWndChild = pMDIFrame != nullptr ? pMDIFrame->MDIGetActiveHwnd() : nullptr;
        if (hWndChild != nullptr)
            ::SendMessageA(hWndChild, WM_SYSCOMMAND, uiCmd, 0);
        else
            ::MessageBeep((UINT)-1);
    }
    return TRUE;
}

// ---------------------------------------------------------------------------
// Keys, focus, hot item and the expansion timer

BOOL CZUDPMenuBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CZUDPToolBar::PreTranslateMessage(pMsg);
    if (FindOpenMenuButton() != nullptr)
        return CZUDPBaseToolBar::PreTranslateMessage(pMsg);   // the popup takes the keys

    int nCount = GetCount();
    if (m_bMDIButtonsShown)
        nCount = FirstCaptionButtonIndex();
    const int iHot = m_iHot;
    if (iHot < 0 || iHot >= nCount)
        return CZUDPToolBar::PreTranslateMessage(pMsg);

    UINT nKey = UINT(pMsg->wParam);
    if (nKey == VK_TAB)
        nKey = (g_frameworkSeams.keyState(VK_SHIFT) & 0x8000) ? VK_LEFT : VK_RIGHT;
    if (m_hWnd != nullptr && (::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL)) {
        if (nKey == VK_LEFT)
            nKey = VK_RIGHT;
        else if (nKey == VK_RIGHT)
            nKey = VK_LEFT;
    }

    CZUDPToolbarButton* pHot = GetButtonAt(iHot);
    switch (nKey) {
    case VK_RETURN:
        if (!OpenMenuButton(pHot))
            RunButtonCommand(pHot);
        return TRUE;
    case VK_DOWN:
        OpenMenuButton(pHot);
        return TRUE;
    case VK_ESCAPE:
        Deactivate();
        RestoreFocus();
        g_showAllCommandsNow = FALSE;
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        int iNew = nKey == VK_LEFT ? iHot - 1 : iHot + 1;
        if (iNew < 0)
            iNew = nCount - 1;
        else if (iNew >= nCount)
            iNew = 0;
        m_iHot = iNew;
        InvalidateButton(iHot);
        InvalidateButton(iNew);
        UpdateWindow();
        NotifyChildFocus(long(iNew) + 1);
        break;
    }
    default:
        if (TranslateShortcut(UINT(pMsg->wParam)))
            return TRUE;
        break;
    }
    return CZUDPToolBar::PreTranslateMessage(pMsg);
}

void CZUDPMenuBar::OnSetFocus(CWnd* pOldWnd)
{
    if (g_uiEnvironment.m_accessibility)
        g_uiEnvironment.NotifyAccessibilityEvent(EVENT_SYSTEM_MENUSTART, m_hWnd, OBJID_WINDOW, CHILDID_SELF);
    CZUDPToolBar::OnSetFocus(pOldWnd);
    if (FindOpenMenuButton() != nullptr)
        return;
    if (CWnd* pOwner = NoticeWindow())
        pOwner->SendMessage(WM_SETMESSAGESTRING, kMenuBarIdlePrompt, 0);
    const int iFirst = GetSystemMenuButton() != nullptr ? 1 : 0;
    if (m_iHot < 0 && iFirst < GetCount()) {
        m_iHot = iFirst;
        InvalidateButton(iFirst);
    }
    if (g_uiEnvironment.m_accessibility)
        NotifyChildFocus(long(m_iHot) + 1);
}

void CZUDPMenuBar::OnKillFocus(CWnd* pNewWnd)
{
    if (g_uiEnvironment.m_accessibility)
        g_uiEnvironment.NotifyAccessibilityEvent(EVENT_SYSTEM_MENUEND, m_hWnd, OBJID_WINDOW, CHILDID_SELF);
    CZUDPToolBar::OnKillFocus(pNewWnd);
}

void CZUDPMenuBar::SetHotButton(int iButton)
{
    CZUDPToolBar::SetHotButton(iButton);
    if (m_hWnd == nullptr)
        return;
    g_frameworkSeams.killTimer(m_hWnd, kExpandTimerId);
    if (FindOpenMenuButton() != nullptr)
        g_frameworkSeams.setTimer(m_hWnd, kExpandTimerId, kExpandDelay, nullptr);
    else
        g_showAllCommandsNow = FALSE;
    if (g_uiEnvironment.m_accessibility && m_iHot >= 0)
        NotifyChildFocus(long(m_iHot) + 1);
}

void CZUDPMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kExpandTimerId) {
        int iOpen = -1;
        CZUDPToolbarMenuButton* pOpen = FindOpenMenuButton(&iOpen);
        CZUDPPopupMenu* pPopup = pOpen != nullptr ? pOpen->openPopup : nullptr;
        if (pPopup != nullptr && ::IsWindow(pPopup->GetSafeHwnd())) {
            POINT ptCursor = {0, 0};
            g_frameworkSeams.cursorPos(&ptCursor);
            ScreenToClient(&ptCursor);
            CZUDPPopupMenuBar* pPopupBar = pPopup->GetMenuBar();
            if (pOpen->rect.PtInRect(ptCursor) && pPopupBar != nullptr && !pPopupBar->AreAllCommandsShown())
                pPopup->ExpandFullMenu();
        }
        g_frameworkSeams.killTimer(m_hWnd, kExpandTimerId);
    }
    Default();
}

void CZUDPMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CZUDPToolBar::OnLButtonDblClk(nFlags, point);
    if (!::IsWindow(m_hWnd))
        return;
    const int iHit = HitTest(point);
    CZUDPToolbarButton* pHit = GetButtonAt(iHit);
    if (pHit == nullptr || IsSystemMenuButton(pHit))
        return;
    if (g_showAllCommandsNow || !g_personalizedMenus || !g_commandUsage.HasEnoughData() || g_customizeMode)
        return;
    CZUDPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pHit);
    if (pMenuButton == nullptr)
        return;
    g_showAllCommandsNow = TRUE;
    pMenuButton->CancelMode();
    if (!(pMenuButton->style & TBBS_DISABLED) && pMenuButton->OnClick(this, FALSE)) {
        SetHotButton(iHit);
        InvalidateButton(iHit);
        UpdateWindow();
    }
}

// ---------------------------------------------------------------------------
// Options

void CZUDPMenuBar::SetRecentlyUsedMenus(BOOL bOn) { g_personalizedMenus = bOn; }

void CZUDPMenuBar::SetShowAllCommands(BOOL bOn) { g_showAllCommandsNow = bOn; }

BOOL CZUDPMenuBar::IsRecentlyUsedMenus() { return g_personalizedMenus; }

BOOL CZUDPMenuBar::IsShowAllCommands() { return g_showAllCommandsNow; }
