#include "ui/commandbars/ZUDPToolbarMenuButton.h"

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPMenuBar.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZUDPToolbarMenuButton, CZUDPToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace {

// The first stored-state version whose menu-button archives carry the
// locked and reserved flags, and the one version that lacks them although
// it is newer.
const int kMenuFlagsVersion = 0x6051F;
const int kMenuFlagsMissingVersion = 0x70000;
// How far a button's repaint reaches beyond its rectangle (its arrow and
// the frame of an open menu).
const int kRepaintMargin = 6;

BOOL MenuItemHasCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != (UINT)-1; }
BOOL IsMenuSystemCommand(UINT uiCmd) { return uiCmd >= 0xF000 && uiCmd <= 0xF1EF; }

// Whether a menu-button archive being read carries the locked and
// reserved flags.  Archives are always written with them; a load skips
// them only for state stored by a library version known to lack them (a
// process that has loaded no state reads the current format, so that
// archives made in this process come back as they were written).
BOOL ArchiveHasMenuFlags(BOOL bStoring)
{
    if (bStoring || g_menuHash.IsSerializing())
        return TRUE;
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    const int nVersion = pWorkspace != nullptr ? pWorkspace->GetStoredStateVersion() : -1;
    if (nVersion < 0)
        return TRUE;
    return nVersion > kMenuFlagsVersion && nVersion != kMenuFlagsMissingVersion;
}

// The nesting depth of the sub-item lists being read on this thread.
thread_local int t_archiveDepth = 0;

struct ArchiveDepth {
    ArchiveDepth()
    {
        if (++t_archiveDepth > CZUDPToolbarMenuButton::kMaxArchiveDepth) {
            --t_archiveDepth;
            AfxThrowArchiveException(CArchiveException::badSchema);
        }
    }
    ~ArchiveDepth() { --t_archiveDepth; }
    ArchiveDepth(const ArchiveDepth&) = delete;
    ArchiveDepth& operator=(const ArchiveDepth&) = delete;
};

CZUDPToolbarMenuButton* NewItemLike(const CZUDPToolbarMenuButton& button)
{
    return DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, button.GetRuntimeClass()->CreateObject());
}

// The text of a menu item by position; empty when it has none.
CString MenuItemText(HMENU hMenu, int nPos)
{
    const int nLength = ::GetMenuStringA(hMenu, UINT(nPos), nullptr, 0, MF_BYPOSITION);
    if (nLength <= 0)
        return CString();
    CString str;
    LPSTR pBuffer = str.GetBuffer(nLength + 1);
    ::GetMenuStringA(hMenu, UINT(nPos), pBuffer, nLength + 1, MF_BYPOSITION);
    str.ReleaseBuffer();
    return str;
}

CSize TextSize(CDC* pDC, const CString& str)
{
    SIZE size = {0, 0};
    if (!str.IsEmpty())
        ::GetTextExtentPoint32A(pDC->GetSafeHdc(), str, str.GetLength(), &size);
    return CSize(size);
}

// The frame whose accelerators name a button's shortcut.
CFrameWnd* ShortcutFrameOf(CWnd* pWndBar)
{
    if (pWndBar != nullptr && pWndBar->GetSafeHwnd() != nullptr && pWndBar->GetParent() != nullptr)
        return GetTopLevelFrameOrInPlace(pWndBar);
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? DYNAMIC_DOWNCAST(CFrameWnd, pThread->m_pMainWnd) : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------
// Construction

CZUDPToolbarMenuButton::CZUDPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserButton)
{
    Initialize(uiID, hMenu, iImage, lpszText, bUserButton);
}

void CZUDPToolbarMenuButton::Initialize(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserButton)
{
    commandId = uiID;
    usesUserImage = bUserButton;
    AssignImage(iImage);
    text = lpszText != nullptr ? lpszText : "";
    CreateFromMenu(hMenu);
}

CZUDPToolbarMenuButton::~CZUDPToolbarMenuButton()
{
    // The popup outlives the button only by a moment: it must not reach
    // back into a freed button.
    if (openPopup != nullptr && openPopup->m_pParentBtn == this)
        openPopup->m_pParentBtn = nullptr;
    DeleteSubItems();
    if (tearOffId != 0 && g_tearOffManager != nullptr)
        g_tearOffManager->CountIdUse(tearOffId, FALSE);
}

void CZUDPToolbarMenuButton::DeleteSubItems()
{
    while (!subItems.IsEmpty())
        delete subItems.RemoveHead();
}

void CZUDPToolbarMenuButton::SetTearOffId(UINT uiId)
{
    if (tearOffId == uiId)
        return;
    if (g_tearOffManager != nullptr) {
        if (tearOffId != 0)
            g_tearOffManager->CountIdUse(tearOffId, FALSE);
        if (uiId != 0)
            g_tearOffManager->CountIdUse(uiId, TRUE);
    }
    tearOffId = uiId;
}

// ---------------------------------------------------------------------------
// Archive and copy

void CZUDPToolbarMenuButton::Serialize(CArchive& ar)
{
    CZUDPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << tearOffId;
        if (ArchiveHasMenuFlags(TRUE))
            ar << lockedItems << reservedFlag;
        // The framework's object-list form: the count, then each item as a
        // tagged object.
        ar.WriteCount(DWORD_PTR(subItems.GetCount()));
        for (POSITION pos = subItems.GetHeadPosition(); pos != nullptr;)
            ar.WriteObject(subItems.GetNext(pos));
        return;
    }

    ArchiveDepth depth;
    UINT uiTearOffId = 0;
    ar >> uiTearOffId;
    SetTearOffId(uiTearOffId);
    if (ArchiveHasMenuFlags(FALSE))
        ar >> lockedItems >> reservedFlag;
    // The items are read whole before they replace the old ones: only menu
    // buttons are accepted, and a damaged archive leaves the menu as it
    // was (the archive's exception goes on to the caller).
    const DWORD_PTR nCount = ar.ReadCount();
    ar.CheckCount(ULONGLONG(nCount), 2);
    CObList items;
    try {
        for (DWORD_PTR i = 0; i < nCount; ++i) {
            CObject* pItem = ar.ReadOwnedObject(RUNTIME_CLASS(CZUDPToolbarMenuButton));
            if (pItem != nullptr)
                items.AddTail(pItem);
        }
    } catch (...) {
        while (!items.IsEmpty())
            delete items.RemoveHead();
        throw;
    }
    DeleteSubItems();
    subItems.AddTail(&items);
}

void CZUDPToolbarMenuButton::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarButton::CopyFrom(src);
    const CZUDPToolbarMenuButton* pSrc = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, const_cast<CZUDPToolbarButton*>(&src));
    if (pSrc == nullptr || pSrc == this)
        return;
    isDefaultItem = pSrc->isDefaultItem;
    menuOnly = pSrc->menuOnly;
    radioCheck = pSrc->radioCheck;
    commandTarget = pSrc->commandTarget;
    lockedItems = pSrc->lockedItems;
    reservedFlag = pSrc->reservedFlag;
    arrowDown = pSrc->arrowDown;
    popupAtRightEdge = pSrc->popupAtRightEdge;
    SetTearOffId(pSrc->tearOffId);
    DeleteSubItems();
    for (POSITION pos = pSrc->subItems.GetHeadPosition(); pos != nullptr;) {
        const CZUDPToolbarMenuButton* pItem = static_cast<const CZUDPToolbarMenuButton*>(pSrc->subItems.GetNext(pos));
        CZUDPToolbarMenuButton* pCopy = NewItemLike(*pItem);
        if (pCopy == nullptr)
            continue;
        pCopy->CopyFrom(*pItem);
        subItems.AddTail(pCopy);
    }
}

// ---------------------------------------------------------------------------
// Menu handles

void CZUDPToolbarMenuButton::CreateFromMenu(HMENU hMenu)
{
    DeleteSubItems();
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return;
    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        // One question per item: its command, text, submenu and state.
        char szText[256];
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = szText;
        info.cch = sizeof(szText);
        if (!::GetMenuItemInfoA(hMenu, UINT(i), TRUE, &info))
            continue;
        CZUDPToolbarMenuButton* pItem = NewItemLike(*this);
        if (pItem == nullptr)
            return;
        pItem->commandId = info.hSubMenu != nullptr ? (UINT)-1 : info.wID;
        if (info.cch + 1 >= sizeof(szText)) {
            pItem->text = MenuItemText(hMenu, i); // may be longer than the buffer
        } else if ((info.fType & MFT_SEPARATOR) == 0) {
            pItem->text = szText;
        }
        if (info.hSubMenu != nullptr) {
            if (g_tearOffManager != nullptr)
                pItem->SetTearOffId(CZUDPTearOffBarManager::ExtractIdFromMenuText(pItem->text));
            pItem->CreateFromMenu(info.hSubMenu);
        } else if (pItem->commandId == uiDefault) {
            pItem->isDefaultItem = TRUE;
        }
        if (info.fType & MFT_MENUBREAK)
            pItem->style |= ZUDP_TBBS_MENUBREAK;
        if (info.fState & (MFS_GRAYED | MFS_DISABLED))
            pItem->style |= TBBS_DISABLED;
        subItems.AddTail(pItem);
    }
}

HMENU CZUDPToolbarMenuButton::BuildMenuHandle()
{
    if (subItems.IsEmpty() && MenuItemHasCommand(commandId) && !menuOnly)
        return nullptr;
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;
    UINT uiDefault = (UINT)-1;
    for (POSITION pos = subItems.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarMenuButton* pItem = static_cast<CZUDPToolbarMenuButton*>(subItems.GetNext(pos));
        UINT uiFlags = 0;
        if (pItem->style & ZUDP_TBBS_MENUBREAK)
            uiFlags |= MF_MENUBREAK;
        if (pItem->style & TBBS_DISABLED)
            uiFlags |= MF_DISABLED;
        if (pItem->IsTearOff())
            uiFlags |= MF_MENUBARBREAK;
        BOOL bAppended;
        if (pItem->commandId == 0) {
            bAppended = ::AppendMenuA(hMenu, uiFlags | MF_SEPARATOR, 0, nullptr);
        } else if (pItem->commandId == (UINT)-1) {
            HMENU hSubMenu = pItem->BuildMenuHandle();
            CString strText = pItem->text;
            if (pItem->IsTearOff() && g_tearOffManager != nullptr)
                CZUDPTearOffBarManager::TagMenuText(pItem->tearOffId, strText);
            bAppended = hSubMenu != nullptr &&
                        ::AppendMenuA(hMenu, uiFlags | MF_POPUP, UINT_PTR(hSubMenu), strText);
            // A submenu the menu did not take belongs to no one.
            if (!bAppended && hSubMenu != nullptr)
                ::DestroyMenu(hSubMenu);
        } else {
            bAppended = ::AppendMenuA(hMenu, uiFlags | MF_STRING, pItem->commandId, pItem->text);
            if (pItem->isDefaultItem)
                uiDefault = pItem->commandId;
        }
        if (!bAppended) {
            ::DestroyMenu(hMenu);
            return nullptr;
        }
    }
    if (uiDefault != (UINT)-1)
        ::SetMenuDefaultItem(hMenu, uiDefault, FALSE);
    return hMenu;
}

// ---------------------------------------------------------------------------
// Parent, size and the image cell

void CZUDPToolbarMenuButton::OnParentChanged(CWnd* pWndParent)
{
    CZUDPToolbarButton::OnParentChanged(pWndParent);
    if (DYNAMIC_DOWNCAST(CZUDPMenuBar, pWndParent) != nullptr) {
        showText = TRUE;
        showImage = FALSE;
        showMenuArrow = MenuItemHasCommand(commandId) && !subItems.IsEmpty();
    } else {
        showMenuArrow = !MenuItemHasCommand(commandId) || !subItems.IsEmpty();
    }
    if (DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWndParent) != nullptr) {
        inPopupMenu = TRUE;
        showText = TRUE;
        showImage = FALSE;
        showMenuArrow = !MenuItemHasCommand(commandId) || !subItems.IsEmpty() || IsSplitMenuItem();
    } else {
        inPopupMenu = FALSE;
    }
}

CRect CZUDPToolbarMenuButton::GetImageRect() const
{
    const int nMargin = CZUDPVisualManager::GetActiveManager()->GetMenuImageMargin();
    CRect rectImage = rect;
    rectImage.left += nMargin;
    rectImage.right = rectImage.left + nMargin + CZUDPToolBar::GetMenuItemImageSize().cx;
    return rectImage;
}

void CZUDPToolbarMenuButton::GetDefaultMenuIndents(int& nFirst, int& nSecond)
{
    nFirst = CZUDPToolBar::GetMenuItemImageSize().cx / 2 + 3;
    nSecond = GetMenuGlyphSize().cx;
}

SIZE CZUDPToolbarMenuButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (!visible)
        return CSize(0, 0);
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, parentWnd);

    // The arrow's room.
    int nArrow = 0;
    if (showMenuArrow || inPopupMenu) {
        if (inPopupMenu) {
            nArrow = (bHorz ? g_uiEnvironment.m_textHeight : g_uiEnvironment.m_verticalTextHeight) - 2;
        } else {
            const CSize sizeGlyph = GetMenuGlyphSize();
            nArrow = (bHorz ? sizeGlyph.cx : sizeGlyph.cy) * (g_largeIcons ? 2 : 1) - 2;
        }
    }

    // A menu row shows its shortcut after a tab.
    if (inPopupMenu && g_keyboardManager != nullptr && !IsMenuSystemCommand(commandId)) {
        const int nTab = text.Find('\t');
        if (nTab >= 0)
            text = text.Left(nTab);
        CFrameWnd* pFrame = ShortcutFrameOf(parentWnd);
        CString strKey;
        if (pFrame != nullptr && (CZUDPKeyboardManager::GetCommandKeyText(commandId, strKey, pFrame, TRUE) ||
                                  CZUDPKeyboardManager::GetCommandKeyText(commandId, strKey, pFrame->GetActiveFrame(),
                                                                          FALSE))) {
            text += '\t';
            text += strKey;
        }
    }

    CFont* pOldFont = nullptr;
    if (commandId == (UINT)-2 && pDC != nullptr)
        pOldFont = pDC->SelectObject(&g_uiEnvironment.m_fontBold);
    CSize size = CZUDPToolbarButton::CalcSize(pDC, sizeDefault, bHorz);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    if (inPopupMenu && pBar != nullptr)
        size.cy = pBar->GetRowHeight();

    if (bHorz)
        size.cx += nArrow;
    else
        size.cy += nArrow;
    if (inPopupMenu) {
        size.cx += sizeDefault.cx + 6;
    } else {
        const int nMargin = pManager->GetMenuImageMargin();
        if (bHorz)
            size.cx += 2 * nMargin;
        else
            size.cy += 2 * nMargin;
    }
    return size;
}

// ---------------------------------------------------------------------------
// Click and opening

BOOL CZUDPToolbarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    clickedInArrow = FALSE;
    CZUDPPopupMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWnd);
    if (!inPopupMenu && showMenuArrow && !bDelay) {
        if (MenuItemHasCommand(commandId)) {
            POINT ptCursor = {0, 0};
            g_frameworkSeams.cursorPos(&ptCursor);
            if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
                ::ScreenToClient(pWnd->GetSafeHwnd(), &ptCursor);
            clickedInArrow = arrowRect.PtInRect(ptCursor);
            if (!clickedInArrow)
                return FALSE;
        } else {
            clickedInArrow = TRUE;
        }
    }
    if (IsSplitMenuItem() && !bDelay) {
        POINT ptCursor = {0, 0};
        g_frameworkSeams.cursorPos(&ptCursor);
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
            ::ScreenToClient(pWnd->GetSafeHwnd(), &ptCursor);
        if (splitRect.PtInRect(ptCursor))
            return FALSE;
    }
    if (!clickedInArrow && MenuItemHasCommand(commandId) && !showMenuArrow && !menuOnly)
        return FALSE;

    CZUDPToolbarButton* pHighlight = this;
    if (openPopup != nullptr) {
        // Clicked again while open: the menu closes.
        CZUDPPopupMenu* pPopup = openPopup;
        openPopup = nullptr;
        pPopup->m_pParentBtn = nullptr;
        if (pPopup->GetSafeHwnd() != nullptr && ::IsWindow(pPopup->GetSafeHwnd()))
            pPopup->DestroyWindow();
        pHighlight = nullptr;
    } else if (bDelay && pMenuBar != nullptr && !g_customizeMode) {
        pMenuBar->ScheduleSubMenuOpen(this, 1);
    } else {
        if (CZUDPMenuBar* pParentMenuBar = DYNAMIC_DOWNCAST(CZUDPMenuBar, pWnd)) {
            CZUDPToolbarMenuButton* pOpen = pParentMenuBar->FindOpenMenuButton();
            if (pOpen != nullptr && pOpen != this)
                pOpen->CancelMode();
        }
        if (!OpenPopupMenu(pWnd))
            return FALSE;
    }

    if (CZUDPMenuBar* pParentMenuBar = DYNAMIC_DOWNCAST(CZUDPMenuBar, pWnd))
        pParentMenuBar->HighlightButton(pHighlight);
    if (parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr) {
        CRect rectRedraw = rect;
        rectRedraw.InflateRect(kRepaintMargin, kRepaintMargin);
        parentWnd->RedrawWindow(&rectRedraw, nullptr, RDW_INVALIDATE | RDW_FRAME);
    }
    return TRUE;
}

CZUDPPopupMenu* CZUDPToolbarMenuButton::CreatePopupMenuObject() { return new CZUDPPopupMenu; }

BOOL CZUDPToolbarMenuButton::OpenPopupMenu(CWnd* pWnd)
{
    if (openPopup != nullptr)
        return FALSE;
    if (pWnd == nullptr)
        pWnd = parentWnd;
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    HMENU hMenu = BuildMenuHandle();
    if (hMenu == nullptr && !IsEmptyMenuAllowed())
        return FALSE;
    CZUDPPopupMenu* pPopup = CreatePopupMenuObject();
    if (pPopup == nullptr) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    // A popup that came with items of its own does not take the menu.
    if (pPopup->GetMenuBar()->GetCount() > 0 && hMenu != nullptr) {
        ::DestroyMenu(hMenu);
        hMenu = nullptr;
    }

    // Anchor and direction, in screen coordinates.
    CRect rectButton = rect;
    pWnd->ClientToScreen(&rectButton);
    CPoint pt;
    int nDirection;
    CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pWnd);
    if (CZUDPPopupMenuBar* pMenuBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWnd)) {
        CRect rectBar;
        pMenuBar->GetWindowRect(&rectBar);
        const int nOffset = CZUDPVisualManager::GetActiveManager()->GetMenuPopupOffset();
        if (pMenuBar->GetExStyle() & WS_EX_LAYOUTRTL) {
            pt = CPoint(rectBar.left - nOffset, rectButton.top - 2);
            nDirection = CZUDPPopupMenu::kLeftOfButton;
        } else {
            pt = CPoint(rectBar.right + nOffset, rectButton.top - 2);
            nDirection = CZUDPPopupMenu::kRightOfButton;
        }
    } else if (DYNAMIC_DOWNCAST(CZUDPMenuBar, pWnd) != nullptr && pBar != nullptr && !pBar->IsHorizontal()) {
        pt = CPoint(rectButton.right, rectButton.top);
        nDirection = CZUDPPopupMenu::kRightOfButton;
    } else {
        nDirection = CZUDPPopupMenu::kBelowButton;
        if (popupAtRightEdge)
            pt = CPoint(rectButton.right - 1, rectButton.top);
        else if (pPopup->m_bRightAlign)
            pt = CPoint(rectButton.right - 1, rectButton.bottom - 1);
        else
            pt = CPoint(rectButton.left, rectButton.bottom - 1);
    }

    pPopup->m_pParentBtn = this;
    pPopup->m_iDirection = nDirection;
    openPopup = pPopup;
    // A popup that fails to be made deletes itself (or is deleted by its
    // creation); the button only forgets it.
    if (!pPopup->CreatePopup(pWnd, pt.x, pt.y, hMenu, FALSE, FALSE)) {
        openPopup = nullptr;
        return FALSE;
    }
    OnPopupCreated();
    if (commandTarget != nullptr) {
        pPopup->m_pMessageTarget = commandTarget;
    } else if (pBar != nullptr) {
        CZUDPPopupMenu* pEnclosing = DYNAMIC_DOWNCAST(CZUDPPopupMenu, pBar->GetParent());
        if (pEnclosing != nullptr && pEnclosing->m_pMessageTarget != nullptr)
            pPopup->m_pMessageTarget = pEnclosing->m_pMessageTarget;
    }
    return TRUE;
}

void CZUDPToolbarMenuButton::CancelMode()
{
    CZUDPPopupMenu* pPopup = openPopup;
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr && ::IsWindow(pPopup->GetSafeHwnd())) {
        // A popup that is running one of its commands stays until it ends.
        if (pPopup->IsSendingCommand())
            return;
        pPopup->CancelItemModes();
        pPopup->SyncParentButtonItems();
        pPopup->m_pParentBtn = nullptr;
        pPopup->m_bCloseParentsWithMe = FALSE;
        pPopup->SendMessage(WM_CLOSE);
    }
    openPopup = nullptr;
    submenuPending = FALSE;
    if (parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr && ::IsWindow(parentWnd->GetSafeHwnd())) {
        CRect rectInvalidate = rect;
        rectInvalidate.InflateRect(kRepaintMargin, kRepaintMargin);
        parentWnd->InvalidateRect(&rectInvalidate);
        parentWnd->UpdateWindow();
    }
}

BOOL CZUDPToolbarMenuButton::ClosePopup()
{
    CZUDPPopupMenu* pPopup = openPopup;
    if (pPopup == nullptr || pPopup->GetSafeHwnd() == nullptr || !::IsWindow(pPopup->GetSafeHwnd()))
        return TRUE;
    pPopup->CancelItemModes();
    pPopup->SendMessage(WM_CLOSE);
    return TRUE;
}

void CZUDPToolbarMenuButton::SaveMenuChainItems()
{
    // Up from the bar through the popups that enclose it, to the outermost.
    CZUDPPopupMenu* pOutermost = nullptr;
    CWnd* pWnd = parentWnd;
    while (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
        CZUDPPopupMenu* pPopup = DYNAMIC_DOWNCAST(CZUDPPopupMenu, pWnd->GetParent());
        if (pPopup == nullptr)
            break;
        pOutermost = pPopup;
        CZUDPToolbarMenuButton* pParentButton = pPopup->m_pParentBtn;
        pWnd = pParentButton != nullptr ? pParentButton->parentWnd : nullptr;
    }
    if (pOutermost != nullptr)
        pOutermost->SyncParentButtonItems();
}

void CZUDPToolbarMenuButton::RestoreDefaultImage()
{
    CZUDPToolbarButton::RestoreDefaultImage();
    for (POSITION pos = subItems.GetHeadPosition(); pos != nullptr;)
        static_cast<CZUDPToolbarMenuButton*>(subItems.GetNext(pos))->RestoreDefaultImage();
}

BOOL CZUDPToolbarMenuButton::IsSameCommand(const CZUDPToolbarButton& other) const
{
    const CZUDPToolbarMenuButton* pOther =
        DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, const_cast<CZUDPToolbarButton*>(&other));
    if (pOther == nullptr || pOther->commandId != commandId || pOther->subItems.GetCount() != subItems.GetCount())
        return FALSE;
    POSITION posOther = pOther->subItems.GetHeadPosition();
    for (POSITION pos = subItems.GetHeadPosition(); pos != nullptr;) {
        const CZUDPToolbarButton* pItem = static_cast<const CZUDPToolbarButton*>(subItems.GetNext(pos));
        const CZUDPToolbarButton* pOtherItem = static_cast<const CZUDPToolbarButton*>(pOther->subItems.GetNext(posOther));
        if (!pItem->IsSameCommand(*pOtherItem))
            return FALSE;
    }
    return TRUE;
}

BOOL CZUDPToolbarMenuButton::FillAccessibilityData(CWnd* pWndBar, CZUDPAccessibleInfo& data)
{
    CZUDPToolbarButton::FillAccessibilityData(pWndBar, data);
    data.m_nRole = ROLE_SYSTEM_MENUITEM;
    data.m_nState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED;
    if (style & TBBS_CHECKED)
        data.m_nState |= STATE_SYSTEM_CHECKED;
    if (style & TBBS_DISABLED)
        data.m_nState |= STATE_SYSTEM_UNAVAILABLE;
    data.m_strDescription = "ZUDPToolbarMenuButton";
    data.m_strDefaultAction = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, pWndBar) != nullptr ? "Execute" : "Open";
    return TRUE;
}

void CZUDPToolbarMenuButton::SetRadio()
{
    radioCheck = TRUE;
    if (parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr) {
        CRect rectImage = GetImageRect();
        parentWnd->InvalidateRect(&rectImage);
        parentWnd->UpdateWindow();
    }
}

int CZUDPToolbarMenuButton::DrawInCommandList(CDC* pDC, const CRect& rectRow, BOOL bSelected)
{
    const int nWidth = CZUDPToolbarButton::DrawInCommandList(pDC, rectRow, bSelected);
    if (!MenuItemHasCommand(commandId) || !subItems.IsEmpty() || IsSplitMenuItem())
        CZUDPVisualManager::GetActiveManager()->DrawMenuButtonDropArrow(pDC, rectRow, bSelected);
    return nWidth;
}

// ---------------------------------------------------------------------------
// Drawing on a bar

void CZUDPToolbarMenuButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages* pImages, BOOL bHorz,
                                        BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                        BOOL bGrayDisabledButtons)
{
    arrowRect.SetRectEmpty();
    splitRect.SetRectEmpty();
    if (pDC == nullptr)
        return;
    if (inPopupMenu) {
        DrawMenuItem(pDC, rectButton, pImages, bCustomizeMode, bHighlight, bGrayDisabledButtons, FALSE);
        return;
    }
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    if (lockedItems)
        style &= ~TBBS_CHECKED;
    const BOOL bFlat = pManager->m_flatMenuLook;
    const BOOL bOpen = IsDroppedDown();

    PaintBackground(pDC, rectButton, bHighlight || bOpen, FALSE);

    CSize sizeGlyph = GetMenuGlyphSize();
    if (g_largeIcons)
        sizeGlyph = CSize(sizeGlyph.cx * 2, sizeGlyph.cy * 2);
    const CSize sizeExtra = useExtraSize ? pManager->GetButtonExtraSize() : CSize(0, 0);
    CRect rectInner = rectButton;
    if (sizeExtra.cx != 0 || sizeExtra.cy != 0)
        rectInner.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);
    arrowRect = rectInner;
    const int nMargin = pManager->GetMenuImageMargin();
    CRect rectContent = rectButton;
    if (bHorz)
        rectContent.DeflateRect(nMargin, 0);
    else
        rectContent.DeflateRect(0, nMargin);

    if (showMenuArrow) {
        if (bHorz) {
            rectContent.right -= sizeExtra.cx + sizeGlyph.cx;
            arrowRect.left = rectContent.right + 1;
            if (sizeExtra.cx != 0 || sizeExtra.cy != 0)
                arrowRect.OffsetRect(1 - sizeExtra.cx / 2, 1 - sizeExtra.cy / 2);
        } else {
            rectContent.bottom -= sizeGlyph.cy + 1;
            arrowRect.top = rectContent.bottom;
        }
    }

    // The content with the style it should look like.
    const UINT uiStyleBefore = style;
    if (bFlat)
        style &= ~(TBBS_CHECKED | TBBS_PRESSED);
    else if (clickedInArrow && MenuItemHasCommand(commandId) && !menuOnly)
        style &= ~TBBS_PRESSED; // only the arrow looks pressed
    else if (bOpen)
        style |= TBBS_PRESSED;
    const BOOL bNoBackgroundBefore = noBackground;
    noBackground = TRUE;
    CZUDPToolbarButton::DrawButton(pDC, rectContent, pImages, bHorz, bCustomizeMode, bHighlight, FALSE,
                                   bGrayDisabledButtons);
    noBackground = bNoBackgroundBefore;

    if (showMenuArrow) {
        const BOOL bPushedNow = (style & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
        if (bPushedNow && !bFlat)
            arrowRect.OffsetRect(1, 1);
        if ((bHighlight || (uiStyleBefore & TBBS_PRESSED) || bOpen) && MenuItemHasCommand(commandId) && !menuOnly &&
            !clickedInArrow) {
            CRect rectDivider = arrowRect;
            if (bHorz)
                rectDivider.right = rectDivider.left + 2;
            else
                rectDivider.bottom = rectDivider.top + 2;
            const BOOL bDividerPushed = bHighlight || (uiStyleBefore & (TBBS_CHECKED | TBBS_PRESSED));
            pManager->DrawMenuButtonBorder(pDC, this, rectDivider, bDividerPushed ? 1 : 0);
        }
        const BOOL bDisabled = bCustomizeMode ? !IsCustomizable() : (style & TBBS_DISABLED) != 0;
        int nColor;
        if (bDisabled)
            nColor = MenuGlyphColorGray;
        else
            nColor = pManager->GetMenuButtonArrowVariant(this, bHighlight, bPushedNow);
        const int nGlyph = bHorz && !menuOnly ? MenuGlyphArrowDown : MenuGlyphArrowRight;
        DrawMenuGlyphCentered(pDC, nGlyph, arrowRect, nColor, sizeGlyph);
    }
    style = uiStyleBefore;

    // The border, from the style as it was.
    if (!bCustomizeMode && bDrawBorder) {
        const BOOL bPushed = (uiStyleBefore & (TBBS_CHECKED | TBBS_PRESSED)) != 0 || bOpen;
        if (bPushed) {
            if (!bFlat && clickedInArrow && MenuItemHasCommand(commandId) && !menuOnly) {
                CRect rectCommand = rectContent;
                rectCommand.right += 1;
                pManager->DrawButtonBorder(pDC, this, rectCommand, ZUDP_BUTTON_HIGHLIGHTED);
                pManager->DrawButtonBorder(pDC, this, arrowRect, ZUDP_BUTTON_PUSHED);
            } else {
                pManager->DrawMenuButtonBorder(pDC, this, rectButton, ZUDP_BUTTON_PUSHED);
            }
        } else if (bHighlight && (uiStyleBefore & (TBBS_DISABLED | TBBS_INDETERMINATE | TBBS_CHECKED)) == 0) {
            pManager->DrawMenuButtonBorder(pDC, this, rectButton, ZUDP_BUTTON_HIGHLIGHTED);
        }
    }
}

// ---------------------------------------------------------------------------
// Drawing as a menu row

void CZUDPToolbarMenuButton::DrawMenuItem(CDC* pDC, const CRect& rectRow, CZUDPToolBarImages* pImages,
                                          BOOL bCustomizeMode, BOOL bHighlight, BOOL bGrayDisabledButtons,
                                          BOOL bContentOnly)
{
    if (pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    CFont* pOldFont = nullptr;
    const int nOldBkMode = pDC->SetBkMode(TRANSPARENT);

    // A label row: a band with bold text.
    if (commandId == (UINT)-2) {
        const COLORREF clrText = pManager->FillMenuLabel(pDC, rectRow);
        pOldFont = pDC->SelectObject(&g_uiEnvironment.m_fontBold);
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        CRect rectText = rectRow;
        rectText.DeflateRect(3, 0);
        rectText.bottom -= 2;
        pDC->DrawText(text, rectText, DT_SINGLELINE | DT_VCENTER);
        pDC->SetTextColor(clrOld);
        pDC->SelectObject(pOldFont);
        pDC->SetBkMode(nOldBkMode);
        return;
    }

    const BOOL bDisabledLook = bCustomizeMode ? !IsCustomizable() : (style & TBBS_DISABLED) != 0;
    CZUDPPopupMenuBar* pBar = DYNAMIC_DOWNCAST(CZUDPPopupMenuBar, parentWnd);

    CZUDPToolBarImages* pRowImages = pImages;

    // Commands that never show an image in a menu.
    BOOL bNoImage = commandId == 17020 || commandId == 17021;
    if (!bNoImage && GetCommandManager()->IsMenuItemWithoutImage(commandId))
        bNoImage = TRUE;

    const BOOL bRowHighlighted = bHighlight || (openPopup != nullptr && !submenuPending);
    COLORREF clrText = pManager->GetMenuItemTextColor(this, bRowHighlighted, bDisabledLook);
    const BOOL bFullRow = pManager->HighlightsFullMenuRow();
    const int m = pManager->GetMenuImageMargin();
    const CSize sizeMenuImage = CZUDPToolBar::GetMenuItemImageSize();
    const int nColumnLeft = rectRow.left + m;
    const int nColumnRight = rectRow.left + 2 * m + sizeMenuImage.cx;
    if (bRowHighlighted && !bContentOnly) {
        // The highlight lies under the caption in the highlight text colour:
        // the whole row, or the row right of the image column whose cell
        // gets a frame of its own.
        CRect rectHighlight = rectRow;
        if (!bFullRow)
            rectHighlight.left = nColumnRight + 1;
        pManager->FillHighlightedMenuItem(pDC, this, rectHighlight, pBar);
        clrText = pManager->GetHighlightedMenuItemTextColor(this);
    }
    const BOOL bChecked = (style & TBBS_CHECKED) != 0;
    const BOOL bCheckFrame = bChecked && !pManager->SuppressCheckedItemFrame();
    // The menu's default item: the popup bar measured it with the bold
    // font, so it is drawn with it (the bar's default command, or the flag
    // a menu handle gave the item).
    const BOOL bDefaultRow = isDefaultItem || (pBar != nullptr && pBar->GetDefaultCommand() != 0 &&
                                               pBar->GetDefaultCommand() == commandId);
    if (bDefaultRow && MenuItemHasCommand(commandId) && !menuOnly)
        pOldFont = pDC->SelectObject(&g_uiEnvironment.m_fontBold);

    // Geometry.
    CRect rectImageColumn(nColumnLeft, rectRow.top, nColumnRight, rectRow.bottom);
    CRect rectFrame(rectRow.left - 1, rectRow.top + 1, nColumnRight + 1, rectRow.bottom - 1);
    if (bFullRow) {
        CRect rectMargins;
        pManager->GetMenuTextMargins(rectMargins);
        rectFrame = rectRow;
        rectFrame.DeflateRect(rectMargins.left, rectMargins.top, rectMargins.right, rectMargins.bottom);
        rectFrame.right = nColumnRight;
    }

    // A row without an image of its own looks for one.
    if (!bNoImage && GetActiveImage() < 0 && MenuItemHasCommand(commandId)) {
        const int iUser = GetCommandManager()->LookupCommandImage(commandId, TRUE);
        if (iUser >= 0 && g_sharedUserImages != nullptr) {
            userImageIndex = iUser;
            usesUserImage = TRUE;
            showImage = TRUE;
            pRowImages = g_sharedUserImages;
        } else {
            const int iStandard = GetCommandManager()->LookupCommandImage(commandId, FALSE);
            if (iStandard >= 0) {
                imageIndex = iStandard;
                showImage = TRUE;
            }
        }
    }

    if (!bContentOnly && !bFullRow)
        PaintBackground(pDC, rectFrame, bRowHighlighted, TRUE);

    // The image.
    BOOL bImageDrawn = FALSE;
    CZUDPUserTool* pTool = g_userToolsManager != nullptr && !usesUserImage
                               ? g_userToolsManager->FindToolByCommand(commandId)
                               : nullptr;
    HICON hTabIcon = nullptr;
    if (!bNoImage && pTool != nullptr) {
        const CSize sizeIcon(std::min(g_uiEnvironment.m_smallIconWidth, int(sizeMenuImage.cx)),
                             std::min(g_uiEnvironment.m_smallIconHeight, int(sizeMenuImage.cy)));
        CRect rectIcon(CPoint(rectImageColumn.left + (rectImageColumn.Width() - sizeIcon.cx) / 2,
                              rectImageColumn.top + (rectImageColumn.Height() - sizeIcon.cy) / 2),
                       sizeIcon);
        pTool->DrawToolIcon(pDC, rectIcon);
        bImageDrawn = TRUE;
    } else if (!bNoImage && (hTabIcon = CZUDPTabWnd::LookupTabMenuIcon(commandId)) != nullptr) {
        const int cx = std::min(g_uiEnvironment.m_smallIconWidth, int(sizeMenuImage.cx));
        const int cy = std::min(g_uiEnvironment.m_smallIconHeight, int(sizeMenuImage.cy));
        ::DrawIconEx(pDC->GetSafeHdc(), rectImageColumn.left + (rectImageColumn.Width() - cx) / 2,
                     rectImageColumn.top + (rectImageColumn.Height() - cy) / 2, hTabIcon, cx, cy, 0, nullptr,
                     DI_NORMAL);
        bImageDrawn = TRUE;
    } else if (!bNoImage && showImage && GetActiveImage() >= 0 && pRowImages != nullptr &&
               GetActiveImage() < pRowImages->GetCount()) {
        // A list other than the bar's gets a drawing pass of its own.
        CZUDPImageDrawState ds;
        const BOOL bOwnPass = pRowImages != pImages && pRowImages->BeginDrawing(ds, sizeMenuImage.cx, sizeMenuImage.cy);
        const CSize sizeImage = pRowImages->GetDestinationSize().cx > 0 ? pRowImages->GetDestinationSize()
                                                                        : pRowImages->GetImageSize();
        const int x = rectImageColumn.left + (rectImageColumn.Width() - sizeImage.cx) / 2;
        const int y = rectImageColumn.top + (rectImageColumn.Height() - sizeImage.cy) / 2;
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(&rectImageColumn);
        pDC->SelectClipRgn(&rgnClip);
        const BOOL bShadow = bRowHighlighted && !bCustomizeMode && pManager->m_shadowHighlightedImage &&
                             !g_uiEnvironment.IsContrastColorScheme() && (style & (TBBS_CHECKED | TBBS_DISABLED)) == 0;
        const BOOL bFaded = !bRowHighlighted && pManager->m_fadeInactiveImage;
        const BOOL bDisabledImage = bDisabledLook && bGrayDisabledButtons;
        if (bShadow) {
            pRowImages->RenderImage(pDC, x + 1, y + 1, GetActiveImage(), FALSE, FALSE, FALSE, TRUE);
            pRowImages->RenderImage(pDC, x - 1, y - 1, GetActiveImage(), bRowHighlighted, FALSE, FALSE, FALSE,
                                    bFaded);
        } else {
            pRowImages->RenderImage(pDC, x, y, GetActiveImage(), bRowHighlighted, bDisabledImage, FALSE, FALSE,
                                    bFaded);
        }
        pDC->SelectClipRgn(HRGN(nullptr));
        if (bOwnPass)
            pRowImages->FinishDrawing(ds);
        bImageDrawn = TRUE;
    }

    // The check mark or radio bullet, and the image frame.
    if (bChecked) {
        if (bCheckFrame) {
            const UINT uiStyleBefore = style;
            if (bRowHighlighted && pManager->m_highlightedCheckFrame)
                style |= TBBS_MARKED;
            pManager->DrawMenuItemButtonBorder(pDC, this, rectFrame, ZUDP_BUTTON_PUSHED);
            style = uiStyleBefore;
        }
        if (!bImageDrawn)
            pManager->DrawSubmenuArrow(pDC, this, rectFrame, bRowHighlighted, radioCheck);
    } else if (bRowHighlighted && bImageDrawn && !bFullRow && !bContentOnly) {
        pManager->DrawMenuItemButtonBorder(pDC, this, rectFrame, ZUDP_BUTTON_HIGHLIGHTED);
    }

    // The system commands' glyphs.
    if (!bImageDrawn && IsMenuSystemCommand(commandId)) {
        int nGlyph = -1;
        switch (commandId & 0xFFF0) {
        case SC_MINIMIZE:
            nGlyph = MenuGlyphMinimize;
            break;
        case SC_MAXIMIZE:
            nGlyph = MenuGlyphMaximize;
            break;
        case SC_CLOSE:
            nGlyph = MenuGlyphClose;
            break;
        case SC_RESTORE:
            nGlyph = MenuGlyphRestore;
            break;
        default:
            break;
        }
        if (nGlyph >= 0) {
            CRect rectGlyph = rectImageColumn;
            rectGlyph.DeflateRect(m, m);
            DrawMenuGlyphCentered(pDC, nGlyph, rectGlyph, bDisabledLook ? MenuGlyphColorGray : MenuGlyphColorBlack);
        }
    }

    // The caption: text left, shortcut right.
    CRect rectText(nColumnRight + m + 5, rectRow.top, rectRow.right, rectRow.bottom);
    CString strText = text;
    CString strShortcut;
    const int nTab = strText.Find('\t');
    if (nTab >= 0) {
        strShortcut = strText.Mid(nTab + 1);
        strText = strText.Left(nTab);
    }
    const BOOL bCues = g_uiEnvironment.m_keyboardCuesNow || bCustomizeMode;
    if (!bCues)
        strText = StripMnemonics(strText);
    if (!fullCaption) {
        const int nWidth = rectText.Width();
        while (!strText.IsEmpty() && TextSize(pDC, strText + "...").cx > nWidth)
            strText = strText.Left(strText.GetLength() - 1);
        strText += "...";
    }
    const UINT uiPrefix = bCues ? 0 : DT_NOPREFIX;
    if (bDisabledLook && !bRowHighlighted && pManager->EmbossesDisabledButtonText()) {
        const COLORREF clrOld = pDC->SetTextColor(g_uiEnvironment.m_colorButtonHighlight);
        CRect rectEmboss = rectText;
        rectEmboss.OffsetRect(1, 1);
        pDC->DrawText(strText, rectEmboss, DT_SINGLELINE | DT_VCENTER | uiPrefix);
        pDC->SetTextColor(clrOld);
    }
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_VCENTER | uiPrefix);
    if (!strShortcut.IsEmpty()) {
        CRect rectShortcut = rectText;
        rectShortcut.right -= GetMenuGlyphSize().cx + 3;
        pDC->DrawText(strShortcut, rectShortcut, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }

    // The submenu arrow, a character of the symbol font.
    if (commandId == (UINT)-1 || showMenuArrow || menuOnly) {
        if (commandId == (UINT)-1 || !subItems.IsEmpty() || menuOnly || IsSplitMenuItem()) {
            const BOOL bRtl = pBar != nullptr && (pBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
            const char* pszArrow = arrowDown ? "6" : bRtl ? "3" : "4";
            CFont* pFontBefore = pDC->SelectObject(&g_uiEnvironment.m_fontSymbol);
            CRect rectArrow = rectRow;
            pDC->DrawText(pszArrow, rectArrow, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
            if (IsSplitMenuItem()) {
                splitRect = rectRow;
                splitRect.left = rectRow.right - TextSize(pDC, pszArrow).cx;
                pManager->DrawSplitMenuDivider(pDC, this, splitRect, bRowHighlighted);
            }
            pDC->SelectObject(pFontBefore);
        }
    }

    pDC->SetTextColor(clrOld);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    pDC->SetBkMode(nOldBkMode);
}

BOOL QueryMenuItem(HMENU hMenu, int nPos, MENUITEMINFOA& info, char (&szText)[kMenuItemTextSize])
{
    info = MENUITEMINFOA{};
    info.cbSize = sizeof(MENUITEMINFOA);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
    szText[0] = '\0';
    info.dwTypeData = szText;
    info.cch = kMenuItemTextSize - 1;
    if (!::GetMenuItemInfoA(hMenu, UINT(nPos), TRUE, &info))
        return FALSE;
    szText[kMenuItemTextSize - 1] = '\0';
    return TRUE;
}

HMENU CopyMenuHandle(HMENU hMenu)
{
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return nullptr;
    HMENU hCopy = ::CreatePopupMenu();
    if (hCopy == nullptr)
        return nullptr;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        char szText[kMenuItemTextSize] = "";
        MENUITEMINFOA info = {};
        if (!QueryMenuItem(hMenu, i, info, szText))
            continue;
        if (info.hSubMenu != nullptr) {
            info.hSubMenu = CopyMenuHandle(info.hSubMenu);
            if (info.hSubMenu == nullptr)
                continue;
        }
        info.dwTypeData = szText;
        if (!::InsertMenuItemA(hCopy, UINT(i), TRUE, &info) && info.hSubMenu != nullptr)
            ::DestroyMenu(info.hSubMenu);
    }
    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    if (uiDefault != (UINT)-1)
        ::SetMenuDefaultItem(hCopy, uiDefault, FALSE);
    return hCopy;
}
