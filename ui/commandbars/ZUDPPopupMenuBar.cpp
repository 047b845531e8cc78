#include "ui/commandbars/ZUDPPopupMenuBar.h"

#include "ui/commandbars/ZUDPCustomizeButton.h"

#include "framework/Archive.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/foundation/MenuSound.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPShowAllButton.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_SERIAL(CZUDPPopupMenuBar, CZUDPToolBar, 1)

BEGIN_MESSAGE_MAP(CZUDPPopupMenuBar, CZUDPToolBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CZUDPPopupMenuBar::OnIdleUpdateCmdUI)
    ON_COMMAND(16915, &CZUDPPopupMenuBar::OnShowTextOnly)
    ON_COMMAND(16916, &CZUDPPopupMenuBar::OnShowImageAndText)
END_MESSAGE_MAP()

int g_menuShowDelay = -1;
int g_lastChosenMenuItem = -1;
BOOL g_personalizedMenus = TRUE;
BOOL g_showAllCommandsNow = FALSE;

namespace {

const UINT kColumnBreak = 0x20000000;
const UINT kLabelCommand = (UINT)-2;
const UINT kSubmenuCommand = (UINT)-1;
const UINT kIdleMessage = 0xE001;     // the status bar's idle prompt
const UINT_PTR kPopupBarAccessibilityTimer = 20;
const int kSeparatorHeight = 8;
const int kTabExtraWidth = 10;

// The usage statistics know enough to call commands rarely used.
BOOL UsageStatisticsSuffice() { return TRUE; }

BOOL IsSystemMenuCommand(UINT uiCmd) { return uiCmd >= 0xF000 && uiCmd < 0xF1F0; }

BOOL IsBlockedCommand(UINT uiCmd) { return g_blockedCommands.Find(uiCmd) != nullptr; }

BOOL IsInUserToolsRange(UINT uiCmd)
{
    return g_userToolsManager != nullptr && uiCmd >= g_userToolsManager->GetToolsFirstCmdId() &&
           uiCmd <= g_userToolsManager->GetToolsLastCmdId();
}

// A DC of the bar with a font selected, for measuring items.
class CMenuMeasureDC {
public:
    CMenuMeasureDC(CWnd* pWnd, HFONT hFont) : m_hWnd(pWnd->GetSafeHwnd())
    {
        m_hDC = ::GetDC(m_hWnd);
        m_dc.Attach(m_hDC);
        m_hOldFont = ::SelectObject(m_hDC, hFont);
    }
    ~CMenuMeasureDC()
    {
        ::SelectObject(m_hDC, m_hOldFont);
        m_dc.Detach();
        ::ReleaseDC(m_hWnd, m_hDC);
    }
    CMenuMeasureDC(const CMenuMeasureDC&) = delete;
    CMenuMeasureDC& operator=(const CMenuMeasureDC&) = delete;
    CDC* Get() { return &m_dc; }
    void Select(HFONT hFont) { ::SelectObject(m_hDC, hFont); }

private:
    HWND m_hWnd;
    HDC m_hDC;
    HGDIOBJ m_hOldFont;
    CDC m_dc;
};

BOOL IsWindowAlive(const CWnd* pWnd) { return pWnd != nullptr && pWnd->m_hWnd != nullptr && ::IsWindow(pWnd->m_hWnd); }

CPoint CursorPos()
{
    POINT pt = {0, 0};
    g_frameworkSeams.cursorPos(&pt);
    return CPoint(pt);
}

} // namespace

int ReadMenuShowDelay()
{
    CString strValue;
    if (!g_commandBarsSeams.menuShowDelayText(strValue))
        return 500;
    const int nDelay = std::atoi(strValue);
    if (nDelay < 0 || nDelay > 5000)
        return 5000;
    return nDelay;
}

// ---------------------------------------------------------------------------
// Life

CZUDPPopupMenuBar::CZUDPPopupMenuBar()
{
    SetMenuStyleSizes(TRUE);
    m_HiddenItemsAccel.InitHashTable(10);
}

CZUDPPopupMenuBar::~CZUDPPopupMenuBar() = default;

CZUDPPopupMenu* CZUDPPopupMenuBar::GetPopupMenu() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CZUDPPopupMenu, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

int CZUDPPopupMenuBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (g_menuShowDelay == -1)
        g_menuShowDelay = ReadMenuShowDelay();
    m_ptCreationCursor = CursorPos();
    m_bCreationCursorSet = TRUE;
    return 0;
}

void CZUDPPopupMenuBar::OnDestroy()
{
    g_frameworkSeams.killTimer(m_hWnd, kOpenSubmenuTimer);
    g_frameworkSeams.killTimer(m_hWnd, kCloseSubmenuTimer);
    m_pDelayedOpenItem = nullptr;
    m_pLingeringItem = nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, m_Buttons.GetNext(pos));
        if (pItem == nullptr || pItem->openPopup == nullptr || !IsWindowAlive(pItem->openPopup))
            continue;
        pItem->openPopup->SyncParentButtonItems();
        pItem->openPopup->PostMessage(WM_CLOSE);
    }
    CZUDPToolBar::OnDestroy();
}

// ---------------------------------------------------------------------------
// Items from a menu handle and back

void CZUDPPopupMenuBar::SetPaletteMode(BOOL bPalette, int nRows)
{
    m_bPaletteMode = bPalette;
    m_bPaletteForRibbon = bPalette;
    // A grid has at least one row (the rows divide the items).
    m_nPaletteRows = std::max(1, nRows);
}

BOOL CZUDPPopupMenuBar::BuildItemsFromMenu(HMENU hMenu, BOOL bShowAllCommands)
{
    DeleteAllButtons();
    m_bAllCommandsShown = TRUE;
    m_HiddenItemsAccel.RemoveAll();
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return FALSE;

    CZUDPPopupMenu* pPopup = GetPopupMenu();
    CWnd* pTarget = nullptr;
    if (pPopup != nullptr && pPopup->m_pMessageTarget != nullptr)
        pTarget = pPopup->m_pMessageTarget;
    else if (m_hWnd != nullptr)
        pTarget = GetTopLevelFrameOrInPlace(this);
    if (pTarget == nullptr)
        pTarget = AfxGetMainWnd();
    if (m_hWnd != nullptr && IsWindowAlive(pTarget))
        pTarget->SendMessage(WM_INITMENUPOPUP, (WPARAM)hMenu, LOWORD(m_iFirstVisibleRow));
    // The owner may have changed or destroyed the menu just now.
    if (!::IsMenu(hMenu))
        return FALSE;

    BOOL bShowAll = bShowAllCommands;
    if (IsHelpModeTracking() && pPopup != nullptr && pPopup->FindParentMenu() != nullptr)
        bShowAll = TRUE;
    const BOOL bPersonalize = !bShowAll && !g_showAllCommandsNow && g_personalizedMenus && UsageStatisticsSuffice();

    const int nCount = ::GetMenuItemCount(hMenu);
    int nPerRow = 1;
    if (m_bPaletteMode)
        nPerRow = std::max(1, int(double(nCount) / double(std::max(1, m_nPaletteRows)) + 0.5));

    BOOL bPrevSeparator = FALSE;
    int nAdded = 0;
    for (int i = 0; i < nCount; ++i) {
        char szText[kMenuItemTextSize] = "";
        MENUITEMINFOA info = {};
        if (!QueryMenuItem(hMenu, i, info, szText))
            continue;
        CString strText = (info.fType & MFT_SEPARATOR) ? CString() : CString(szText);
        const UINT uiState = ::GetMenuState(hMenu, UINT(i), MF_BYPOSITION);

        if (info.fType & MFT_SEPARATOR) {
            if (!bPrevSeparator && nAdded > 0 && i != nCount - 1 && !m_bPaletteMode) {
                if (InsertSeparator() >= 0) {
                    bPrevSeparator = TRUE;
                    ++nAdded;
                }
            }
            continue;
        }

        UINT uiCmd = info.hSubMenu != nullptr ? kSubmenuCommand : info.wID;
        UINT uiTearOffId = 0;
        if (info.hSubMenu != nullptr && g_tearOffManager != nullptr)
            uiTearOffId = CZUDPTearOffBarManager::ExtractIdFromMenuText(strText);

        if (bPersonalize && IsRarelyUsedCommand(uiCmd) && !m_bPaletteMode) {
            if (!IsBlockedCommand(uiCmd)) {
                m_bAllCommandsShown = FALSE;
                const int nFirst = strText.Find('&');
                if (nFirst >= 0 && nFirst < strText.GetLength() - 1) {
                    const UINT nKey = UINT(std::toupper((unsigned char)strText[nFirst + 1]));
                    m_HiddenItemsAccel.SetAt(nKey, uiCmd);
                }
            }
            continue;
        }

        int iIndex;
        if (m_bPaletteMode) {
            auto* pButton = new CZUDPToolbarButton(uiCmd, FindCommandImage(uiCmd), strText);
            const int p = GetCount();
            pButton->wrapAfter = p > 0 && (p + 1) % nPerRow == 0;
            iIndex = InsertButton(pButton);
            if (iIndex < 0)
                delete pButton;   // refused (a blocked command)
        } else {
            // Made in place rather than copied: a long menu builds many.
            auto* pItem = new CZUDPToolbarMenuButton(uiCmd, info.hSubMenu, -1, strText);
            pItem->showText = TRUE;
            pItem->showImage = FALSE;
            const int iUserImage = g_commandManager.GetMenuUserImage(uiCmd);
            if (iUserImage >= 0) {
                pItem->userImageIndex = iUserImage;
                pItem->usesUserImage = TRUE;
            }
            iIndex = InsertButton(pItem);
            if (iIndex < 0)
                delete pItem;
        }
        if (iIndex < 0)
            continue;
        CZUDPToolbarButton* pAdded = GetButtonAt(iIndex);
        pAdded->showImage = pAdded->GetActiveImage() >= 0;
        pAdded->userData = info.dwItemData;
        if ((uiState & (MF_GRAYED | MF_DISABLED)) && !IsInUserToolsRange(uiCmd))
            pAdded->style |= TBBS_DISABLED;
        if (CZUDPToolbarMenuButton* pMenuItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pAdded))
            pMenuItem->SetTearOffId(uiTearOffId);
        if (uiState & MF_CHECKED)
            pAdded->style |= TBBS_CHECKED;
        if (info.fType & MFT_MENUBREAK)
            pAdded->style |= kColumnBreak;
        bPrevSeparator = FALSE;
        ++nAdded;
    }

    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    m_uiDefaultCommand = uiDefault == (UINT)-1 ? 0 : uiDefault;
    return TRUE;
}

HMENU CZUDPPopupMenuBar::BuildMenuFromItems()
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->IsSeparator()) {
            ::AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        CZUDPToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pButton);
        if (pItem == nullptr || pItem->IsKindOf(RUNTIME_CLASS(CZUDPShowAllButton)))
            continue;
        HMENU hSubMenu = pItem->BuildMenuHandle();
        if (hSubMenu != nullptr) {
            CString strText = pItem->text;
            if (pItem->GetTearOffId() != 0 && g_tearOffManager != nullptr)
                CZUDPTearOffBarManager::TagMenuText(pItem->GetTearOffId(), strText);
            UINT uiFlags = MF_POPUP;
            if (pItem->style & kColumnBreak)
                uiFlags |= MF_MENUBREAK;
            // A submenu the menu did not take is ours to free.
            if (!::AppendMenuA(hMenu, uiFlags, (UINT_PTR)hSubMenu, strText))
                ::DestroyMenu(hSubMenu);
            continue;
        }
        UINT uiFlags = MF_STRING;
        if (pItem->style & kColumnBreak)
            uiFlags |= MF_MENUBREAK;
        ::AppendMenuA(hMenu, uiFlags, pItem->commandId, pItem->text);
    }
    if (m_uiDefaultCommand != 0)
        ::SetMenuDefaultItem(hMenu, m_uiDefaultCommand, FALSE);
    return hMenu;
}

UINT CZUDPPopupMenuBar::FindHiddenCommandKey(UINT nUpperChar) const
{
    UINT uiCmd = 0;
    return m_HiddenItemsAccel.Lookup(nUpperChar, uiCmd) ? uiCmd : 0;
}

// ---------------------------------------------------------------------------
// Sizes and placement

void CZUDPPopupMenuBar::GetMenuImageSize(CSize& size) const
{
    if (m_pRelatedToolBar != nullptr && m_pRelatedToolBar->IsLocked())
        size = m_pRelatedToolBar->GetImageSize();
    else
        size = GetMenuItemImageSize();
}

CSize CZUDPPopupMenuBar::CalcSize(BOOL bVertDock)
{
    if (m_bPaletteMode)
        return CZUDPToolBar::CalcSize(bVertDock);
    m_arColumns.RemoveAll();
    if (m_Buttons.IsEmpty())
        return CSize(52, 22);

    CSize sizeImage;
    GetMenuImageSize(sizeImage);
    const CSize sizeDefault(sizeImage.cx + 2, std::max<int>(sizeImage.cy + 2, g_uiEnvironment.m_textHeight));
    CMenuMeasureDC dc(this, (HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle());

    int nOffset = 0;
    int nColumnWidth = 0;
    int nColumnHeight = 0;
    int nMaxHeight = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (!g_customizeMode && (pButton->style & kColumnBreak) && nColumnWidth > 0 && nColumnHeight > 0) {
            nMaxHeight = std::max(nMaxHeight, nColumnHeight);
            nOffset += nColumnWidth + 1;
            m_arColumns.Add(nOffset);
            nColumnWidth = 0;
            nColumnHeight = 0;
        }
        if (pButton->IsSeparator()) {
            nColumnHeight += kSeparatorHeight;
            continue;
        }
        const BOOL bBold = m_uiDefaultCommand != 0 && pButton->commandId == m_uiDefaultCommand;
        dc.Select((HFONT)(bBold ? g_uiEnvironment.m_fontBold : g_uiEnvironment.m_fontRegular).GetSafeHandle());
        const CSize size = pButton->CalcSize(dc.Get(), sizeDefault, TRUE);
        nColumnHeight += size.cy;
        int nWidth = size.cx;
        if (pButton->text.Find('\t') > 0)
            nWidth += kTabExtraWidth;
        nColumnWidth = std::max(nColumnWidth, nWidth);
    }
    nMaxHeight = std::max(nMaxHeight, nColumnHeight);
    const CSize sizeMenu(nColumnWidth + nOffset + 2, nMaxHeight + 2);
    m_arColumns.Add(sizeMenu.cx);
    return sizeMenu;
}

void CZUDPPopupMenuBar::ComputeSeparatorInsets()
{
    if (m_bInsetsComputed)
        return;
    CSize sizeImage;
    GetMenuImageSize(sizeImage);
    m_nSeparatorLeftInset = sizeImage.cx / 2 + 3;
    m_nSeparatorRightInset = GetMenuGlyphSize().cx;
    m_bInsetsComputed = TRUE;
}

void CZUDPPopupMenuBar::PositionButtons()
{
    if (m_bPaletteMode) {
        CZUDPToolBar::PositionButtons();
        RebuildTooltips();
        return;
    }
    if (m_hWnd == nullptr || m_bNoLayoutOnSize)
        return;
    ComputeSeparatorInsets();

    CRect rectClient;
    GetClientRect(&rectClient);
    const int nRowHeight = GetRowHeight();
    CSize sizeImage;
    GetMenuImageSize(sizeImage);
    const CSize sizeDefault(sizeImage.cx + 2, std::max<int>(sizeImage.cy + 2, g_uiEnvironment.m_textHeight));
    CMenuMeasureDC dc(this, (HFONT)g_uiEnvironment.m_fontRegular.GetSafeHandle());

    const int yStart = rectClient.top + 1 - m_iFirstVisibleRow * nRowHeight;
    int y = yStart;
    int x = rectClient.left;
    int iColumn = 0;
    const BOOL bOneColumn = m_arColumns.GetSize() == 0 || g_customizeMode;
    int nRight = bOneColumn ? rectClient.Width() : m_arColumns[0];
    BOOL bPlacedInColumn = FALSE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if ((pButton->style & kColumnBreak) && bPlacedInColumn && !g_customizeMode) {
            x = nRight + 1;
            ++iColumn;
            nRight = iColumn < m_arColumns.GetSize() ? m_arColumns[iColumn] : rectClient.Width();
            y = yStart;
            bPlacedInColumn = FALSE;
        }
        CRect rectItem;
        if (pButton->IsSeparator()) {
            rectItem.SetRect(x + m_nSeparatorLeftInset, y, rectClient.left + nRight - m_nSeparatorRightInset,
                             y + kSeparatorHeight);
        } else {
            const BOOL bBold = m_uiDefaultCommand != 0 && pButton->commandId == m_uiDefaultCommand;
            dc.Select((HFONT)(bBold ? g_uiEnvironment.m_fontBold : g_uiEnvironment.m_fontRegular).GetSafeHandle());
            const CSize size = pButton->CalcSize(dc.Get(), sizeDefault, TRUE);
            rectItem.SetRect(x, y, rectClient.left + nRight, y + size.cy);
        }
        if (rectItem != pButton->Rect()) {
            pButton->SetRect(rectItem);
            pButton->RepositionControl();
        }
        y = rectItem.bottom;
        bPlacedInColumn = TRUE;
    }

    RebuildMnemonics();
    CPoint ptCursor = CursorPos();
    ScreenToClient(&ptCursor);
    if (HitTest(ptCursor) >= 0)
        m_bAcceptButtonUp = FALSE;   // the release of the opening click is not a choice
    // The item tooltips are registered when the mouse first comes: a menu
    // opened and closed from the keyboard never needs them, and a tool per
    // item costs more than the rest of the opening.
    m_bTooltipsStale = TRUE;
}

void CZUDPPopupMenuBar::PaintBar(CDC* pDC)
{
    if (pDC != nullptr && ::GetObjectType(pDC->GetSafeHdc()) == OBJ_MEMDC) {
        // The target is off-screen already (the opening animation's image,
        // a print into a bitmap): a second buffer would only cost time.
        CZUDPDrawOnGlass glass(IsOnGlass());
        CRect rectClip;
        pDC->GetClipBox(&rectClip);
        PaintButtons(pDC, rectClip);
        return;
    }
    CZUDPToolBar::PaintBar(pDC);
}

void CZUDPPopupMenuBar::SetFirstVisibleRow(int iRow)
{
    if (iRow == m_iFirstVisibleRow)
        return;
    m_iFirstVisibleRow = iRow;
    PositionButtons();
}

void CZUDPPopupMenuBar::UpdateLayout()
{
    if (m_hWnd == nullptr)
        return;
    PositionButtons();
    Invalidate();
    UpdateWindow();
    if (g_customizeMode) {
        if (CZUDPPopupMenu* pPopup = GetPopupMenu())
            pPopup->RecalcLayout(FALSE);
    }
}

void CZUDPPopupMenuBar::RecalcLayoutNow()
{
    UpdateLayout();
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPPopupMenuBar::ChangeButtonStyle(int iIndex, UINT nStyle)
{
    CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    if (pButton == nullptr || pButton->style == nStyle)
        return;
    const UINT nOldStyle = pButton->style;
    pButton->style = nStyle;
    if (m_hWnd == nullptr || ((nOldStyle & TBBS_PRESSED) && (nStyle & TBBS_PRESSED)))
        return;
    if (DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pButton) != nullptr && ((nOldStyle ^ nStyle) & TBBS_CHECKED)) {
        CRect rect = pButton->Rect();
        rect.InflateRect(2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER));
        InvalidateRect(&rect);
        UpdateWindow();
    } else if ((nOldStyle ^ nStyle) != TBBS_CHECKBOX) {
        InvalidateButton(iIndex);
    }
}

BOOL CZUDPPopupMenuBar::UpdateButtonText(CZUDPToolbarButton* pButton)
{
    if (CZUDPPopupMenu* pPopup = GetPopupMenu()) {
        CZUDPToolBar* pOwner = pPopup->FindOwnerToolBar();
        if (pOwner != nullptr && pOwner != this && pOwner->UpdateButtonText(pButton))
            return TRUE;
    }
    return CZUDPToolBar::UpdateButtonText(pButton);
}

CWnd* CZUDPPopupMenuBar::GetCommandTarget() const
{
    CZUDPPopupMenu* pPopup = GetPopupMenu();
    if (pPopup != nullptr && pPopup->m_pMessageTarget != nullptr)
        return pPopup->m_pMessageTarget;
    if (m_hWnd != nullptr) {
        CWnd* pOwner = GetOwner();
        if (pOwner == nullptr)
            pOwner = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
        if (pOwner != nullptr && (!m_bRouteCommandsViaFrame || pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd))))
            return pOwner;
    }
    return GetEnclosingFrame(const_cast<CZUDPPopupMenuBar*>(this));
}

CWnd* CZUDPPopupMenuBar::MessageTarget() const
{
    CZUDPPopupMenu* pPopup = GetPopupMenu();
    if (pPopup != nullptr && pPopup->m_pMessageTarget != nullptr)
        return pPopup->m_pMessageTarget;
    if (m_hWnd == nullptr)
        return nullptr;
    CWnd* pOwner = GetOwner();
    return pOwner != nullptr ? pOwner : CWnd::FromHandlePermanent(::GetParent(m_hWnd));
}

LRESULT CZUDPPopupMenuBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!IsWindowVisible())
        return 0;
    CWnd* pTarget = GetCommandTarget();
    CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    if (pFrame == nullptr)
        pFrame = GetEnclosingFrame(this);
    if (pFrame != nullptr)
        UpdateCmdUI(pFrame, (BOOL)wParam && pFrame->m_bAutoMenuEnable);
    return 0;
}

// ---------------------------------------------------------------------------
// Painting hooks

void CZUDPPopupMenuBar::DrawRarelyUsedItems(CDC* pDC)
{
    CZUDPPopupMenu* pPopup = GetPopupMenu();
    if (!g_personalizedMenus || g_customizeMode || m_bPaletteMode || pPopup == nullptr || pPopup->m_pParentBtn == nullptr)
        return;
    CRect rectRun;
    BOOL bInRun = FALSE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        const BOOL bRare = !pButton->IsSeparator() && IsRarelyUsedCommand(pButton->commandId);
        if (pButton->IsSeparator() && bInRun)
            continue;   // passed over inside a run
        if (pButton->IsSeparator() && pos != nullptr) {
            const CZUDPToolbarButton* pNext = static_cast<CZUDPToolbarButton*>(m_Buttons.GetAt(pos));
            if (!pNext->IsSeparator() && IsRarelyUsedCommand(pNext->commandId))
                continue;
        }
        if (bRare) {
            if (!bInRun) {
                rectRun = pButton->Rect();
                bInRun = TRUE;
            }
            rectRun.bottom = pButton->Rect().bottom;
            continue;
        }
        if (bInRun) {
            rectRun.bottom = pButton->Rect().top;
            CZUDPVisualManager::GetActiveManager()->DrawRarelyUsedItemsBackground(pDC, rectRun);
            bInRun = FALSE;
        }
    }
    if (bInRun)
        CZUDPVisualManager::GetActiveManager()->DrawRarelyUsedItemsBackground(pDC, rectRun);
}

BOOL CZUDPPopupMenuBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz)
{
    (void)bHorz;
    CZUDPVisualManager::GetActiveManager()->DrawSeparator(pDC, this, rect, FALSE);
    return TRUE;
}

void CZUDPPopupMenuBar::DrawDragMarker(CDC* pDC)
{
    if (m_bPaletteMode || m_rectDrag.IsRectEmpty())
        return;
    CPen* pOldPen = pDC->SelectObject(&m_penDrag);
    for (int i = 0; i < 2; ++i) {
        const int yMiddle = m_rectDrag.top + m_rectDrag.Height() / 2 + i - 1;
        pDC->MoveTo(m_rectDrag.left, yMiddle);
        pDC->LineTo(m_rectDrag.right, yMiddle);
        pDC->MoveTo(m_rectDrag.left + i, m_rectDrag.top + i);
        pDC->LineTo(m_rectDrag.left + i, m_rectDrag.bottom - i);
        pDC->MoveTo(m_rectDrag.right - i - 1, m_rectDrag.top + i);
        pDC->LineTo(m_rectDrag.right - i - 1, m_rectDrag.bottom - i);
    }
    pDC->SelectObject(pOldPen);
}

void CZUDPPopupMenuBar::GetButtonDrawRect(CZUDPToolbarButton* pButton, CRect& rect, BOOL bHorz) const
{
    rect = pButton->Rect();
    if (m_bPaletteMode && pButton->wrapAfter && bHorz && m_hWnd != nullptr) {
        CRect rectClient;
        GetClientRect(&rectClient);
        rect = CRect(pButton->Rect().left, pButton->Rect().bottom, rectClient.right, pButton->Rect().bottom + 5);
    }
}

INT_PTR CZUDPPopupMenuBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    if (m_bPaletteMode)
        return CZUDPToolBar::OnToolHitTest(point, pTI);
    const int iHit = const_cast<CZUDPPopupMenuBar*>(this)->HitTest(point);
    if (iHit < 0)
        return -1;
    CZUDPToolbarButton* pButton = GetButtonAt(iHit);
    if (pTI != nullptr) {
        pTI->uId = pButton->commandId;
        pTI->hwnd = m_hWnd;
        pTI->rect = pButton->Rect();
        if (pButton->FillToolInfo(const_cast<CZUDPPopupMenuBar*>(this), pTI))
            return iHit;
    }
    return (INT_PTR)pButton->commandId;
}

// ---------------------------------------------------------------------------
// Customization

int CZUDPPopupMenuBar::FindDropIndex(CPoint point, CRect& rectDrag) const
{
    if (m_bPaletteMode)
        return -1;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (m_Buttons.IsEmpty()) {
        rectDrag = CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + 6);
        return 0;
    }
    const int y = std::max(0, int(point.y));
    int iIndex = 0;
    int yEdge = -1;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++iIndex) {
        const CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        const CRect& rect = pButton->Rect();
        if (rect.bottom < y)
            continue;
        if (y >= rect.top) {
            if (rect.bottom - y < y - rect.top) {
                yEdge = rect.bottom;
                ++iIndex;
            } else {
                yEdge = rect.top;
            }
        } else {
            yEdge = rect.top;
        }
        break;
    }
    if (yEdge < 0) {
        const CZUDPToolbarButton* pLast = static_cast<CZUDPToolbarButton*>(m_Buttons.GetTail());
        yEdge = pLast->Rect().bottom;
        iIndex = GetCount();
    }
    rectDrag = CRect(rectClient.left, yEdge - 3, rectClient.right, yEdge + 3);
    return iIndex;
}

DROPEFFECT CZUDPPopupMenuBar::TrackDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CZUDPPopupMenu* pPopup = GetPopupMenu();
    if (pPopup != nullptr && pPopup->m_pParentBtn != nullptr && !(dwKeyState & MK_CONTROL)) {
        // Moving the menu's own button into its menu would lose it.
        CZUDPToolBar* pOwner = pPopup->FindOwnerToolBar();
        if (pOwner != nullptr && pOwner->IsDragging())
            return DROPEFFECT_NONE;
    }
    return CZUDPToolBar::TrackDragOver(pDataObject, dwKeyState, point);
}

CZUDPToolbarButton* CZUDPPopupMenuBar::CreateButtonFromDrop(COleDataObject* pDataObject)
{
    CZUDPToolbarButton* pDropped = CZUDPToolBar::CreateButtonFromDrop(pDataObject);
    if (pDropped == nullptr)
        return nullptr;
    if (DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pDropped) != nullptr)
        return pDropped;
    auto* pItem = new CZUDPToolbarMenuButton(pDropped->commandId, nullptr, -1, pDropped->text, pDropped->usesUserImage);
    pItem->showText = TRUE;
    if (!pDropped->locked) {
        pItem->imageIndex = pDropped->imageIndex;
        pItem->userImageIndex = pDropped->userImageIndex;
    }
    pDropped->TakeTextFromCommandString(pItem);
    delete pDropped;
    if (pItem->text.IsEmpty()) {
        delete pItem;
        return nullptr;
    }
    return pItem;
}

BOOL CZUDPPopupMenuBar::PrepareButtonContextMenu(CZUDPToolbarButton* pButton, CMenu* pPopup)
{
    if (!g_customizeMode || pButton == nullptr || pPopup == nullptr)
        return FALSE;
    pButton->showText = TRUE;
    CZUDPToolBar::PrepareButtonContextMenu(pButton, pPopup);
    pPopup->EnableMenuItem(16914, MF_BYCOMMAND | MF_GRAYED);
    pPopup->EnableMenuItem(16915, MF_BYCOMMAND | MF_ENABLED);
    pPopup->EnableMenuItem(16916, MF_BYCOMMAND | MF_ENABLED);
    if (g_commandManager.IsMenuItemWithoutImage(pButton->commandId)) {
        pPopup->CheckMenuItem(16915, MF_BYCOMMAND | MF_CHECKED);
        pPopup->CheckMenuItem(16916, MF_BYCOMMAND | MF_UNCHECKED);
    }
    return TRUE;
}

void CZUDPPopupMenuBar::OnShowTextOnly()
{
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr)
        return;
    g_commandManager.SetMenuItemImage(pButton->commandId, FALSE);
    UpdateLayout();
}

void CZUDPPopupMenuBar::OnShowImageAndText()
{
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr || pButton->GetActiveImage() < 0)
        return;   // the appearance dialog comes with the customization sheet
    g_commandManager.SetMenuItemImage(pButton->commandId, TRUE, pButton->usesUserImage ? pButton->userImageIndex : -1);
    UpdateLayout();
}

// ---------------------------------------------------------------------------
// The item under the mouse and the submenu timers

CZUDPToolbarMenuButton* CZUDPPopupMenuBar::MenuButtonAt(int iIndex) const
{
    return DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, GetButtonAt(iIndex));
}

void CZUDPPopupMenuBar::RegisterPopupAgain()
{
    CZUDPPopupMenu* pPopup = GetPopupMenu();
    if (pPopup == nullptr)
        return;
    CZUDPPopupMenu::RegisterWithFrame(GetTopLevelFrameOrInPlace(pPopup), pPopup);
}

void CZUDPPopupMenuBar::SetHotButton(int iButton)
{
    if (m_hWnd == nullptr)
        return;
    if (iButton == -1 && m_iHighlighted >= 0) {
        CPoint ptCursor = CursorPos();
        ScreenToClient(&ptCursor);
        if (HitTest(ptCursor) == m_iHighlighted) {
            m_iHot = m_iHighlighted;
            return;
        }
    }
    if (iButton >= GetCount())
        return;

    CZUDPToolbarMenuButton* pOpen = FindOpenMenuButton();
    CZUDPToolbarMenuButton* pNew = MenuButtonAt(iButton);
    if (pOpen != pNew) {
        if (pOpen != nullptr) {
            const MSG* pMsg = CWnd::GetCurrentMessage();
            if (g_customizeMode || (pMsg != nullptr && pMsg->message == WM_KEYDOWN)) {
                g_frameworkSeams.killTimer(m_hWnd, kCloseSubmenuTimer);
                m_pLingeringItem = nullptr;
                pOpen->CancelMode();
                RegisterPopupAgain();
            } else {
                m_pLingeringItem = pOpen;
                pOpen->submenuPending = TRUE;
                g_frameworkSeams.setTimer(m_hWnd, kCloseSubmenuTimer, UINT(std::max(0, g_menuShowDelay - 1)), nullptr);
                InvalidateRect(&pOpen->Rect());
            }
        }
        if (pNew != nullptr && (pNew->commandId == kSubmenuCommand || (pNew->commandId != 0 && !pNew->subItems.IsEmpty())))
            pNew->OnClick(this, TRUE);
        CZUDPPopupMenu* pPopup = GetPopupMenu();
        CZUDPPopupMenu* pParentPopup = pPopup != nullptr ? pPopup->FindParentMenu() : nullptr;
        if (pParentPopup != nullptr) {
            CZUDPPopupMenuBar* pParentBar = pParentPopup->GetMenuBar();
            if (pParentBar != nullptr && pParentBar->m_pLingeringItem != nullptr &&
                pParentBar->m_pLingeringItem == pPopup->m_pParentBtn)
                pParentBar->KeepLingeringSubmenu();
        }
    } else if (pNew != nullptr && pNew == m_pLingeringItem) {
        pNew->submenuPending = FALSE;
        m_pLingeringItem = nullptr;
        g_frameworkSeams.killTimer(m_hWnd, kCloseSubmenuTimer);
    }
    m_iHighlighted = iButton;
}

void CZUDPPopupMenuBar::ScheduleSubMenuOpen(CZUDPToolbarMenuButton* pButton, int nDelayFactor)
{
    if (m_hWnd != nullptr)
        g_frameworkSeams.killTimer(m_hWnd, kOpenSubmenuTimer);
    m_pDelayedOpenItem = pButton;
    if (pButton == nullptr)
        return;
    if (pButton == m_pLingeringItem) {
        KeepLingeringSubmenu();
        return;
    }
    if (m_hWnd != nullptr)
        g_frameworkSeams.setTimer(m_hWnd, kOpenSubmenuTimer, UINT(std::max(0, nDelayFactor * g_menuShowDelay)), nullptr);
}

void CZUDPPopupMenuBar::CloseLingeringSubmenu()
{
    if (m_pLingeringItem == nullptr)
        return;
    if (m_hWnd != nullptr)
        g_frameworkSeams.killTimer(m_hWnd, kCloseSubmenuTimer);
    CZUDPToolbarMenuButton* pItem = m_pLingeringItem;
    m_pLingeringItem = nullptr;
    pItem->CancelMode();
}

void CZUDPPopupMenuBar::KeepLingeringSubmenu()
{
    if (m_pLingeringItem == nullptr)
        return;
    CZUDPToolbarMenuButton* pItem = m_pLingeringItem;
    pItem->submenuPending = FALSE;
    const int iOldHot = m_iHot;
    HighlightButton(pItem);
    m_iHot = m_iHighlighted;
    m_pLingeringItem = nullptr;
    if (m_iHot != iOldHot && m_hWnd != nullptr) {
        InvalidateButton(iOldHot);
        InvalidateButton(m_iHot);
        UpdateWindow();
    }
    if (m_hWnd != nullptr)
        g_frameworkSeams.killTimer(m_hWnd, kCloseSubmenuTimer);
}

void CZUDPPopupMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    CPoint ptCursor = CursorPos();
    ScreenToClient(&ptCursor);
    switch (nIDEvent) {
    case kOpenSubmenuTimer: {
        g_frameworkSeams.killTimer(m_hWnd, kOpenSubmenuTimer);
        if (CToolTipCtrl* pTip = GetToolTip())
            pTip->Pop();
        if (m_pLingeringItem != nullptr && m_pLingeringItem->Rect().PtInRect(ptCursor))
            return;
        CloseLingeringSubmenu();
        CZUDPToolbarMenuButton* pItem = m_pDelayedOpenItem;
        m_pDelayedOpenItem = nullptr;
        if (pItem != nullptr && pItem == GetButtonAt(m_iHot))
            pItem->OpenPopupMenu(this);
        return;
    }
    case kCloseSubmenuTimer:
        g_frameworkSeams.killTimer(m_hWnd, kCloseSubmenuTimer);
        if (m_pLingeringItem != nullptr && !m_pLingeringItem->Rect().PtInRect(ptCursor)) {
            CZUDPToolbarMenuButton* pItem = m_pLingeringItem;
            m_pLingeringItem = nullptr;
            pItem->CancelMode();
            RegisterPopupAgain();
        }
        return;
    case kPopupBarAccessibilityTimer: {
        g_frameworkSeams.killTimer(m_hWnd, kPopupBarAccessibilityTimer);
        CRect rectClient;
        GetClientRect(&rectClient);
        if (rectClient.PtInRect(ptCursor) && m_iAccHotItem >= 0 && HitTest(ptCursor) == m_iAccHotItem)
            g_uiEnvironment.NotifyAccessibilityEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, m_iAccHotItem + 1);
        return;
    }
    default:
        Default();
    }
}

// ---------------------------------------------------------------------------
// Mouse input

CZUDPToolBar* CZUDPPopupMenuBar::FindAncestorBarAt(CPoint ptScreen) const
{
    CZUDPPopupMenu* pPopup = GetPopupMenu();
    if (pPopup == nullptr)
        return nullptr;
    CZUDPPopupMenu* pTop = pPopup;
    for (CZUDPPopupMenu* pAncestor = pPopup->FindParentMenu(); pAncestor != nullptr;
         pAncestor = pAncestor->FindParentMenu()) {
        pTop = pAncestor;
        CZUDPPopupMenuBar* pBar = pAncestor->GetMenuBar();
        if (!IsWindowAlive(pBar))
            continue;
        CRect rect;
        pBar->GetClientRect(&rect);
        pBar->ClientToScreen(&rect);
        if (rect.PtInRect(ptScreen))
            return pBar;
    }
    CZUDPToolBar* pOwner = pTop->FindOwnerToolBar();
    if (IsWindowAlive(pOwner)) {
        CRect rect;
        pOwner->GetClientRect(&rect);
        pOwner->ClientToScreen(&rect);
        if (rect.PtInRect(ptScreen))
            return pOwner;
    }
    return nullptr;
}

void CZUDPPopupMenuBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTooltipsStale) {
        m_bTooltipsStale = FALSE;
        if (GetToolTip() == nullptr)
            OnUpdateToolTips(TIPKIND_TOOLBAR, 0);   // made now, with the items' tools
        else
            RebuildTooltips();
    }
    if (m_bIgnoreNextMove) {
        m_bIgnoreNextMove = FALSE;
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    if (m_bCreationCursorSet) {
        if (ptScreen == m_ptCreationCursor)
            return;
        m_bCreationCursorSet = FALSE;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    if (g_customizeMode || rectClient.PtInRect(point)) {
        CZUDPToolBar::OnMouseMove(nFlags, point);
        return;
    }
    if (CZUDPToolBar* pBar = FindAncestorBarAt(ptScreen)) {
        CPoint ptBar = ptScreen;
        pBar->ScreenToClient(&ptBar);
        pBar->SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(ptBar.x, ptBar.y));
    }
}

void CZUDPPopupMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bNoPressSeen = FALSE;
    m_bAcceptButtonUp = TRUE;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!g_customizeMode && !rectClient.PtInRect(point)) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (CZUDPToolBar* pBar = FindAncestorBarAt(ptScreen)) {
            CPoint ptBar = ptScreen;
            pBar->ScreenToClient(&ptBar);
            pBar->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(ptBar.x, ptBar.y));
        }
    }
    CZUDPToolBar::OnLButtonDown(nFlags, point);
}

void CZUDPPopupMenuBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (m_bNoPressSeen) {
        if (!g_customizeMode && m_iHot >= 0)
            m_iButtonCapture = m_iHot;
    } else if (!g_customizeMode && !rectClient.PtInRect(point)) {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        // The ancestor may run a command and close the whole chain: only
        // the saved window handle is used afterwards.
        CZUDPPopupMenu* pPopup = GetPopupMenu();
        const HWND hWndPopup = pPopup != nullptr ? pPopup->m_hWnd : nullptr;
        if (CZUDPToolBar* pBar = FindAncestorBarAt(ptScreen)) {
            CPoint ptBar = ptScreen;
            pBar->ScreenToClient(&ptBar);
            pBar->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(ptBar.x, ptBar.y));
        }
        if (hWndPopup != nullptr && ::IsWindow(hWndPopup))
            ::DestroyWindow(hWndPopup);
        return;
    } else if (!g_customizeMode) {
        m_iButtonCapture = m_iHot;
    }
    m_bNoPressSeen = FALSE;
    if (m_bAcceptButtonUp)
        CZUDPToolBar::OnLButtonUp(nFlags, point);
}

void CZUDPPopupMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int iHit = HitTest(point);
    CZUDPToolbarMenuButton* pItem = MenuButtonAt(iHit);
    if (pItem != nullptr && pItem->commandId == kSubmenuCommand) {
        Default();
        return;
    }
    CZUDPToolBar::OnLButtonDblClk(nFlags, point);
}

// ---------------------------------------------------------------------------
// Choosing items

BOOL CZUDPPopupMenuBar::HandleButtonClick(CZUDPToolbarButton* pButton)
{
    if (pButton == nullptr)
        return FALSE;
    if (pButton->commandId == kLabelCommand)
        return TRUE;
    CZUDPToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pButton);
    if (pButton->style & TBBS_DISABLED)
        return FALSE;
    if (pButton->commandId == kSubmenuCommand)
        return FALSE;
    if (pItem != nullptr) {
        if (pItem->openPopup != nullptr)
            return FALSE;
        if (pItem->OnClickMenuItem())
            return TRUE;
        // A row of a toolbar's overflow menu runs the hidden button it
        // stands for; the menu then closes.
        CZUDPPopupMenu* pOwnPopup = GetPopupMenu();
        CCustomizeButton* pOverflow =
            pOwnPopup != nullptr ? DYNAMIC_DOWNCAST(CCustomizeButton, pOwnPopup->m_pParentBtn) : nullptr;
        if (pOverflow != nullptr && pOverflow->InvokeHiddenButton(this, pItem)) {
            DispatchItemCommand(0, pButton);
            return TRUE;
        }
        if (pItem->IsKindOf(RUNTIME_CLASS(CZUDPShowAllButton))) {
            pItem->OnClick(this, FALSE);
            return TRUE;
        }
    }
    DispatchItemCommand(pButton->commandId, pButton);
    return TRUE;
}

void CZUDPPopupMenuBar::SetSendingCommand(BOOL bSending)
{
    m_bSendingCommand = bSending;
    CZUDPPopupMenu* pPopup = GetPopupMenu();
    for (CZUDPPopupMenu* pAncestor = pPopup != nullptr ? pPopup->FindParentMenu() : nullptr; pAncestor != nullptr;
         pAncestor = pAncestor->FindParentMenu()) {
        if (CZUDPPopupMenuBar* pBar = pAncestor->GetMenuBar())
            pBar->m_bSendingCommand = bSending;
    }
}

void CZUDPPopupMenuBar::DispatchItemCommand(UINT uiCmd, CZUDPToolbarButton* pButton)
{
    CZUDPPopupMenu* pPopup = GetPopupMenu();
    CWnd* pTarget = MessageTarget();
    if (IsWindowAlive(pTarget))
        pTarget->SendMessage(WM_SETMESSAGESTRING, kIdleMessage);

    // The outermost popup opened from a toolbar button: that toolbar (the
    // menu bar among them) leaves its menu mode.
    if (pPopup != nullptr) {
        CZUDPPopupMenu* pTop = pPopup;
        for (CZUDPPopupMenu* pParent = pPopup->FindParentMenu(); pParent != nullptr; pParent = pParent->FindParentMenu())
            pTop = pParent;
        CZUDPToolBar* pOwner = pTop->FindOwnerToolBar();
        if (IsWindowAlive(pOwner) && !pOwner->IsKindOf(RUNTIME_CLASS(CZUDPPopupMenuBar)))
            pOwner->Deactivate();
    }

    if (uiCmd != 0) {
        SetSendingCommand(TRUE);
        PlayMenuSound(kMenuSoundCommand);
        CZUDPToolBar::CountCommandUse(uiCmd);
        const UINT uiMessage = IsSystemMenuCommand(uiCmd) ? WM_SYSCOMMAND : WM_COMMAND;
        if (pPopup != nullptr && IsWindowAlive(pPopup->m_pMessageTarget)) {
            pPopup->m_pMessageTarget->PostMessage(uiMessage, uiCmd, 0);
        } else if (IsInUserToolsRange(uiCmd) &&
                   g_userToolsManager->RunTool(uiCmd)) {
        } else if (IsWindowAlive(pTarget)) {
            pTarget->PostMessage(uiMessage, uiCmd, 0);
        }
    }
    g_lastChosenMenuItem = pButton != nullptr ? IndexOfButton(pButton) : -1;

    if (m_bPaletteMode && pPopup != nullptr && pPopup->m_pParentBtn != nullptr) {
        CZUDPToolbarMenuButton* pParentButton = pPopup->m_pParentBtn;
        pParentButton->commandId = uiCmd;
        pParentButton->AssignImage(FindCommandImage(uiCmd));
        CWnd* pParentWnd = pParentButton->GetParentWnd();
        if (IsWindowAlive(pParentWnd))
            pParentWnd->InvalidateRect(&pParentButton->Rect());
    }

    // The flags go first: destroying the popup deletes it with this bar,
    // and its closing closes the ancestors.
    SetSendingCommand(FALSE);
    if (pPopup != nullptr && IsWindowAlive(pPopup))
        ::DestroyWindow(pPopup->m_hWnd);
}

// ---------------------------------------------------------------------------
// Keys

BOOL CZUDPPopupMenuBar::IsSelectableItem(int iIndex) const
{
    const CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    return pButton != nullptr && !pButton->IsSeparator() && !pButton->Rect().IsRectEmpty() &&
           pButton->commandId != kLabelCommand;
}

int CZUDPPopupMenuBar::NextSelectableItem(int iFrom, int nStep) const
{
    const int nCount = GetCount();
    if (nCount == 0)
        return -1;
    int i = iFrom;
    // One cycle at most: a menu without a selectable item ends the search.
    for (int n = 0; n < nCount; ++n) {
        i = ((i + nStep) % nCount + nCount) % nCount;
        if (IsSelectableItem(i))
            return i;
    }
    return -1;
}

void CZUDPPopupMenuBar::MoveHotItem(int iNew, BOOL bNavigation)
{
    if (iNew < 0 || iNew == m_iHot)
        return;
    if (bNavigation && g_uiEnvironment.m_accessibility)
        g_uiEnvironment.NotifyAccessibilityEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, iNew + 1);
    if (g_customizeMode)
        m_iSelected = iNew;
    // Keys move at once: an open submenu closes now, without the delay the
    // mouse gets.
    CZUDPToolbarMenuButton* pOpen = FindOpenMenuButton();
    if (pOpen != nullptr && pOpen != GetButtonAt(iNew)) {
        g_frameworkSeams.killTimer(m_hWnd, kCloseSubmenuTimer);
        m_pLingeringItem = nullptr;
        pOpen->CancelMode();
        RegisterPopupAgain();
    }
    const int iOld = m_iHot;
    m_iHot = iNew;
    m_iHighlighted = iNew;
    CRect rectClient;
    GetClientRect(&rectClient);
    const CRect& rectNew = GetButtonAt(iNew)->Rect();
    if (rectNew.top >= rectClient.top && rectNew.bottom <= rectClient.bottom) {
        InvalidateButton(iOld);
        InvalidateButton(iNew);
        UpdateWindow();
    }
    if (GetButtonAt(iNew)->commandId != kSubmenuCommand)
        ShowCommandMessageString(GetButtonAt(iNew)->commandId);
}

BOOL CZUDPPopupMenuBar::HandleKey(UINT nChar)
{
    if (nChar == VK_TAB)
        nChar = (g_frameworkSeams.keyState(VK_SHIFT) & 0x8000) ? VK_UP : VK_DOWN;
    switch (nChar) {
    case VK_RETURN: {
        CZUDPToolbarButton* pHot = GetButtonAt(m_iHot);
        if (pHot == nullptr)
            return TRUE;
        CZUDPToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pHot);
        if (pItem != nullptr && pItem->OpenPopupMenu(this))
            return TRUE;
        if (CWnd* pOwner = GetOwner())
            pOwner->SendMessage(WM_SETMESSAGESTRING, kIdleMessage);
        HandleButtonClick(pHot);
        return TRUE;
    }
    case VK_HOME:
        MoveHotItem(NextSelectableItem(-1, 1), TRUE);
        return TRUE;
    case VK_END:
        MoveHotItem(NextSelectableItem(GetCount(), -1), TRUE);
        return TRUE;
    case VK_DOWN:
        MoveHotItem(NextSelectableItem(m_iHot < 0 ? -1 : m_iHot, 1), TRUE);
        return TRUE;
    case VK_UP:
        MoveHotItem(NextSelectableItem(m_iHot < 0 ? GetCount() : m_iHot, -1), TRUE);
        return TRUE;
    case VK_PRIOR:
    case VK_NEXT:
        return FALSE;
    default:
        break;
    }
    if (g_customizeMode || (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000))
        return FALSE;
    if (!CZUDPKeyboardManager::IsPrintableKey(nChar))
        return FALSE;
    const UINT nUpper = CZUDPKeyboardManager::VirtualKeyToUpperChar(nChar);
    if (CZUDPToolbarButton* pFound = FindMnemonic(nUpper)) {
        const int iFound = IndexOfButton(pFound);
        if (CZUDPToolbarMenuButton* pItem = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, pFound)) {
            if (pItem->commandId == kSubmenuCommand || !pItem->subItems.IsEmpty()) {
                MoveHotItem(iFound, FALSE);
                if (pItem->OpenPopupMenu(this) && pItem->openPopup != nullptr)
                    pItem->openPopup->SendMessage(WM_KEYDOWN, VK_HOME);
                return TRUE;
            }
            if (pItem->style & TBBS_DISABLED) {
                DispatchItemCommand(0, nullptr);
                return TRUE;
            }
            return HandleButtonClick(pItem);
        }
        MoveHotItem(iFound, FALSE);
        return TRUE;
    }
    if (g_personalizedMenus && !m_bAllCommandsShown) {
        const UINT uiCmd = FindHiddenCommandKey(nUpper);
        if (uiCmd != 0) {
            DispatchItemCommand(uiCmd, nullptr);
            return TRUE;
        }
    }
    return FALSE;
}
