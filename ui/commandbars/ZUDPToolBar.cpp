// The toolbar's model: the library-wide toolbar state, creation and
// destruction, the button list with its rules, the overflow button, the
// sibling pair and the common-control compatibility messages.
#include "ui/commandbars/ZUDPToolBar.h"

#include <climits>
#include <cstring>
#include <map>

#include "framework/Archive.h"
#include "framework/win/Controls.h"
#include "framework/win/FrameWnd.h"
#include "res/ui/commandbars.h"
#include "res/ui/docking.h"
#include "ui/commandbars/CmdUsageCount.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPCustomizeMenuButton.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/docking/ZUDPDockBar.h"
#include "ui/docking/ZUDPDockBarRow.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolTipProvider.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

IMPLEMENT_DYNCREATE(CZUDPBaseToolBar, CZUDPControlBar)
IMPLEMENT_SERIAL(CZUDPToolBar, CZUDPBaseToolBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CZUDPToolBar, CZUDPBaseToolBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SETTINGCHANGE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_CTLCOLOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_CONTEXTMENU()
    ON_WM_CANCELMODE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_HELPHITTEST, &CZUDPToolBar::OnHelpHitTest)
    ON_MESSAGE(TB_BUTTONCOUNT, &CZUDPToolBar::OnButtonCount)
    ON_MESSAGE(TB_GETBUTTON, &CZUDPToolBar::OnGetButton)
    ON_MESSAGE(TB_GETITEMRECT, &CZUDPToolBar::OnGetItemRect)
    ON_MESSAGE(TB_GETBUTTONTEXTA, &CZUDPToolBar::OnGetButtonText)
    ON_REGISTERED_MESSAGE(ZUDM_ONSETCONTROLAERO, &CZUDPToolBar::OnSetControlAero)
    ON_REGISTERED_MESSAGE(ZUDM_UPDATETOOLTIPS, &CZUDPToolBar::OnUpdateToolTips)
    ON_REGISTERED_MESSAGE(ZUDTOOLBAR_RESETRPROMPT, &CZUDPToolBar::OnResetPrompt)
    ON_WM_SETCURSOR()
    ON_WM_SHOWWINDOW()
    ON_COMMAND(ID_ZUDP_BUTTON_RESET, &CZUDPToolBar::OnResetButton)
    ON_COMMAND(ID_ZUDP_BUTTON_COPY_IMAGE, &CZUDPToolBar::OnCopyButtonImage)
    ON_COMMAND(ID_ZUDP_BUTTON_DELETE, &CZUDPToolBar::OnDeleteButton)
    ON_COMMAND(ID_ZUDP_BUTTON_APPEARANCE, &CZUDPToolBar::OnButtonAppearance)
    ON_COMMAND(ID_ZUDP_BUTTON_IMAGE, &CZUDPToolBar::OnButtonImageOnly)
    ON_COMMAND(ID_ZUDP_BUTTON_TEXT, &CZUDPToolBar::OnButtonTextOnly)
    ON_COMMAND(ID_ZUDP_BUTTON_IMAGE_TEXT, &CZUDPToolBar::OnButtonImageAndText)
    ON_COMMAND(ID_ZUDP_BUTTON_START_GROUP, &CZUDPToolBar::OnStartGroup)
    ON_COMMAND(ID_ZUDP_BUTTON_NEW_MENU, &CZUDPToolBar::OnInsertMenuButton)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CZUDPToolBar::OnNeedTipText)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------
// Library-wide state

CZUDPToolBar* g_customizeSelectedBar = nullptr;
CMap<UINT, UINT, int, int> g_defaultCommandImages;
CList<UINT, UINT> g_coreCommands;

BOOL g_customizeMode = FALSE;
BOOL g_quickCustomize = FALSE;
BOOL g_registerCommandImages = TRUE;
BOOL g_largeIcons = FALSE;
BOOL g_showTooltips = TRUE;
BOOL g_showShortcutKeys = TRUE;
BOOL g_showAllMenusAfterDelay = TRUE;
BOOL g_toolbarComboKeysFlag = TRUE;
int g_menuAnimation = 0;
BOOL g_noImageScaling = FALSE;
BOOL g_generateColdImages = FALSE;
int g_coldImageGrayPercent = 50;
CZUDPToolBarImages* g_sharedUserImages = nullptr;

CSize CZUDPToolBar::s_sizeButton(23, 22);
CSize CZUDPToolBar::s_sizeImage(16, 15);
CSize CZUDPToolBar::s_sizeMenuButton(-1, -1);
CSize CZUDPToolBar::s_sizeMenuImage(-1, -1);
CSize CZUDPToolBar::s_sizeLargeButton(23, 22);
CSize CZUDPToolBar::s_sizeLargeImage(16, 15);
COLORREF CZUDPToolBar::s_clrCustomText = (COLORREF)-1;

namespace {

// The cursors a toolbar shows: resizing a button and moving the bar.
HCURSOR s_cursorResizeHorz = nullptr;
HCURSOR s_cursorResizeVert = nullptr;
HCURSOR s_cursorMove = nullptr;

BOOL IsLiveToolbar(const CObject* pObject)
{
    const CZUDPToolBar* pBar = static_cast<const CZUDPToolBar*>(pObject);
    return pBar != nullptr && pBar->m_hWnd != nullptr && CWnd::FromHandlePermanent(pBar->m_hWnd) == pBar;
}

void Unlink(CObList& list, const CObject* pObject)
{
    POSITION pos = list.Find(const_cast<CObject*>(pObject));
    if (pos != nullptr)
        list.RemoveAt(pos);
}

// A new object of the button's class with the button copied into it.
CZUDPToolbarButton* CopyOfButton(const CZUDPToolbarButton& button)
{
    CZUDPToolbarButton* pCopy = DYNAMIC_DOWNCAST(CZUDPToolbarButton, button.GetRuntimeClass()->CreateObject());
    if (pCopy == nullptr)
        return nullptr;
    pCopy->CopyFrom(button);
    return pCopy;
}

} // namespace

CObList& CZUDPToolBar::GetToolbarList() { return g_toolbarList; }

BOOL IsReservedCommand(UINT uiCmd)
{
    if ((uiCmd >= 0xE110 && uiCmd <= 0xE11F) || (uiCmd >= 0xE210 && uiCmd <= 0xE21F) ||
        (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) || uiCmd >= 0xFF00)
        return TRUE;
    return g_userToolsManager != nullptr && uiCmd == g_userToolsManager->GetToolsPlaceholderCmdId();
}

BOOL IsCoreCommand(UINT uiCmd) { return g_coreCommands.Find(uiCmd) != nullptr; }

BOOL IsRarelyUsedCommand(UINT uiCmd)
{
    if (g_customizeMode || uiCmd == 0 || uiCmd == (UINT)-1 || IsReservedCommand(uiCmd) || g_coreCommands.IsEmpty())
        return FALSE;
    if (uiCmd == 17020 || uiCmd == 17021 || uiCmd == 17024 || IsCoreCommand(uiCmd))
        return FALSE;
    return !g_commandUsage.IsOftenUsed(uiCmd);
}

int ResolvedMenuAnimation()
{
    if (g_menuAnimation != 999)
        return g_menuAnimation;
    if (g_uiEnvironment.m_menuAnimation)
        return g_uiEnvironment.m_menuFade ? 3 : 2;
    return 0;
}

// ---------------------------------------------------------------------------
// The base toolbar

// A toolbar that a row stretched shows its buttons again in full.
void CZUDPBaseToolBar::RedrawOnResize(int nDelta)
{
    (void)nDelta;
    if (m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.Width() != m_rectVirtual.Width())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---------------------------------------------------------------------------
// Creation and destruction

CZUDPToolBar::CZUDPToolBar() : m_Impl(this)
{
    m_cyTopBorder = 1;
    m_cyBottomBorder = 1;
}

CZUDPToolBar::~CZUDPToolBar()
{
    // A toolbar deleted while its window lives is destroyed after its own
    // handlers are gone: nothing library-wide may keep it.
    Unlink(g_toolbarList, this);
    if (g_customizeSelectedBar == this)
        g_customizeSelectedBar = nullptr;
    if (g_customizeButtonToolbar == this)
        g_customizeButtonToolbar = nullptr;
    while (!m_OrigButtons.IsEmpty())
        delete m_OrigButtons.RemoveHead();
    while (!m_OrigResetButtons.IsEmpty())
        delete m_OrigResetButtons.RemoveHead();
    DeleteAllButtons();
}

BOOL CZUDPToolBar::CreateBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateBarEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CZUDPToolBar::CreateBarEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    dwStyle |= CBRS_GRIPPER;
    if (rcBorders.left < 1)
        rcBorders.left = 1;
    if (rcBorders.top < 1)
        rcBorders.top = 1;
    SetBorders(rcBorders);
    DWORD dwBarStyle = dwStyle & (CBRS_ALL | CBRS_GRIPPER);
    if (nID == AFX_IDW_TOOLBAR)
        dwBarStyle |= CBRS_HIDE_INPLACE;
    ReplaceBarStyle(dwBarStyle);

    static const INITCOMMONCONTROLSEX s_controls = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&s_controls);
    const CString strClass = g_uiEnvironment.RegisterWindowClass("ZUDPToolBar");
    DWORD dwWindowStyle = (dwStyle & 0xFFBF0000) | dwCtrlStyle;
    dwWindowStyle &= ~DWORD(0x2);
    dwWindowStyle |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (!CreatePane(strClass, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    return m_hWnd != nullptr;
}

int CZUDPToolBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    (void)lpCreateStruct;
    if (Default() == -1)
        return -1;
    if (s_cursorMove == nullptr) {
        s_cursorResizeHorz = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZUDP_SPLIT_HORZ));
        s_cursorResizeVert = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZUDP_SPLIT_VERT));
        s_cursorMove = ::LoadCursorA(nullptr, IDC_SIZEALL);
    }
    CFrameWnd* pTopFrame = GetTopLevelFrameOrInPlace(this);
    if (pTopFrame != nullptr && (pTopFrame->GetExStyle() & WS_EX_LAYOUTRTL))
        CZUDPToolBarImages::SetMirrorImages(TRUE);
    if (!m_bNoDropTarget && AfxOleIsInitialized()) {
        m_DropTarget.m_pOwner = this;
        m_DropTarget.Register(this);
    }
    m_penDrag.CreatePen(PS_SOLID, 1, g_uiEnvironment.m_colorButtonText);
    if (CreatesToolTipOnCreate())
        CZUDPToolTipProvider::CreateToolTipCtrl(m_pToolTip, this, TIPKIND_TOOLBAR);
    OnVisualManagerChanged();
    if (g_toolbarList.Find(this) == nullptr)
        g_toolbarList.AddTail(this);
    return 0;
}

void CZUDPToolBar::OnDestroy()
{
    m_DropTarget.Revoke();
    m_penDrag.DeleteObject();
    CZUDPToolTipProvider::DestroyToolTipCtrl(m_pToolTip);
    m_nTooltipsCount = 0;
    CZUDPBaseToolBar::OnDestroy();
    if (g_customizeSelectedBar == this)
        g_customizeSelectedBar = nullptr;
    // Open "Add or Remove Buttons" rows must not reach a destroyed bar.
    if (g_customizeButtonToolbar == this)
        g_customizeButtonToolbar = nullptr;
    Unlink(g_toolbarList, this);
}

void CZUDPToolBar::SetDockableSides(DWORD dwAlignments)
{
    CZUDPBaseToolBar::SetDockableSides(dwAlignments);
    SetControlBarStyle(ZUDP_CBRS_FLOAT);
}

void CZUDPToolBar::LeaveDockBar(CWnd* pNewParent, BOOL bFlag)
{
    CZUDPBaseToolBar::LeaveDockBar(pNewParent, bFlag);
    m_bFloating = pNewParent != nullptr && pNewParent->IsKindOf(RUNTIME_CLASS(CZUDPMiniFrameWnd));
}

// ---------------------------------------------------------------------------
// The button list

CZUDPToolbarButton* CZUDPToolBar::GetButtonAt(int iIndex) const
{
    POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
    return pos != nullptr ? static_cast<CZUDPToolbarButton*>(m_Buttons.GetAt(pos)) : nullptr;
}

int CZUDPToolBar::IndexOfButton(const CZUDPToolbarButton* pButton) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
        if (m_Buttons.GetNext(pos) == pButton)
            return i;
    }
    return -1;
}

int CZUDPToolBar::FindCommandIndex(UINT uiCmd, int iIndexFirst) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
        const CZUDPToolbarButton* pButton = static_cast<const CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (i >= iIndexFirst && pButton->commandId == uiCmd)
            return i;
    }
    return -1;
}

UINT CZUDPToolBar::GetCommandAt(int iIndex) const
{
    const CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    return pButton != nullptr ? pButton->commandId : 0;
}

UINT CZUDPToolBar::GetButtonStyleAt(int iIndex) const
{
    const CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    return pButton != nullptr ? pButton->style : 0;
}

CString CZUDPToolBar::GetButtonTextAt(int iIndex) const
{
    const CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    return pButton != nullptr ? pButton->text : CString();
}

BOOL CZUDPToolBar::SetButtonTextAt(int iIndex, LPCTSTR lpszText)
{
    CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    if (pButton == nullptr)
        return FALSE;
    pButton->text = lpszText != nullptr ? lpszText : "";
    return TRUE;
}

void CZUDPToolBar::SetButtonDisplay(int iIndex, LPCTSTR lpszText, BOOL bShowText, BOOL bShowImage)
{
    CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    if (pButton == nullptr)
        return;
    if (bShowText) {
        if (lpszText != nullptr)
            pButton->text = lpszText;
        else
            UpdateButtonText(pButton);
    }
    pButton->showText = bShowText;
    pButton->showImage = bShowImage;
}

CZUDPToolbarMenuButton* CZUDPToolBar::FindOpenMenuButton(int* piIndex) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
        CZUDPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, m_Buttons.GetNext(pos));
        if (pMenuButton != nullptr && pMenuButton->IsDroppedDown()) {
            if (piIndex != nullptr)
                *piIndex = i;
            return pMenuButton;
        }
    }
    if (piIndex != nullptr)
        *piIndex = -1;
    return nullptr;
}

int CZUDPToolBar::InsertButton(CZUDPToolbarButton* pButton, int iInsertAt)
{
    if (pButton == nullptr || g_blockedCommands.Find(pButton->commandId) != nullptr)
        return -1;
    const int nCount = GetCount();
    if (iInsertAt < -1 || iInsertAt > nCount)
        return -1;
    if (iInsertAt == -1 || iInsertAt == nCount) {
        // The overflow button stays last.
        if (m_pCustomizeBtn != nullptr && nCount > 0) {
            m_Buttons.InsertBefore(m_Buttons.GetTailPosition(), pButton);
            iInsertAt = nCount - 1;
        } else {
            m_Buttons.AddTail(pButton);
            iInsertAt = nCount;
        }
    } else {
        m_Buttons.InsertBefore(m_Buttons.FindIndex(iInsertAt), pButton);
    }
    pButton->OnParentChanged(this);
    return iInsertAt;
}

int CZUDPToolBar::InsertButtonCopy(const CZUDPToolbarButton& button, int iInsertAt)
{
    CZUDPToolbarButton* pCopy = CopyOfButton(button);
    if (pCopy == nullptr)
        return -1;
    const int iIndex = InsertButton(pCopy, iInsertAt);
    if (iIndex < 0)
        delete pCopy;
    return iIndex;
}

int CZUDPToolBar::InsertSeparator(int iInsertAt)
{
    if (m_Buttons.IsEmpty() || iInsertAt == 0)
        return -1;
    CZUDPToolbarButton* pSeparator = new CZUDPToolbarButton;
    pSeparator->style = TBBS_SEPARATOR;
    const int iIndex = InsertButton(pSeparator, iInsertAt);
    if (iIndex < 0)
        delete pSeparator;
    return iIndex;
}

int CZUDPToolBar::InsertResetButton(const CZUDPToolbarButton& button, int iInsertAt)
{
    const int nCount = int(m_OrigResetButtons.GetCount());
    if (iInsertAt < -1 || iInsertAt > nCount)
        return -1;
    CZUDPToolbarButton* pCopy = CopyOfButton(button);
    if (pCopy == nullptr)
        return -1;
    if (iInsertAt == -1 || iInsertAt == nCount) {
        m_OrigResetButtons.AddTail(pCopy);
        return nCount;
    }
    m_OrigResetButtons.InsertBefore(m_OrigResetButtons.FindIndex(iInsertAt), pCopy);
    return iInsertAt;
}

BOOL CZUDPToolBar::RemoveButton(int iIndex)
{
    POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
    if (pos == nullptr)
        return FALSE;
    CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetAt(pos));
    if (pButton == m_pCustomizeBtn)
        return FALSE;
    m_Buttons.RemoveAt(pos);
    pButton->CancelMode();
    if (m_pCustomizeBtn != nullptr)
        m_pCustomizeBtn->hiddenButtons.RemoveAll();
    for (POSITION posKey = m_AccelKeys.GetStartPosition(); posKey != nullptr;) {
        UINT nKey = 0;
        CZUDPToolbarButton* pMapped = nullptr;
        m_AccelKeys.GetNextAssoc(posKey, nKey, pMapped);
        if (pMapped == pButton)
            m_AccelKeys.RemoveKey(nKey);
    }
    delete pButton;

    // The indexes that pointed past the removed button move down with it.
    auto shift = [iIndex](int& i) {
        if (i == iIndex)
            i = -1;
        else if (i > iIndex)
            --i;
    };
    shift(m_iSelected);
    shift(m_iButtonCapture);
    shift(m_iHot);
    shift(m_iHighlighted);

    // No separator ends the bar (one is kept when it is the only entry).
    for (;;) {
        int iLast = GetCount() - 1;
        if (m_pCustomizeBtn != nullptr)
            --iLast;
        CZUDPToolbarButton* pLast = GetButtonAt(iLast);
        if (pLast == nullptr || !pLast->IsSeparator() || iLast == 0)
            break;
        m_Buttons.RemoveAt(m_Buttons.FindIndex(iLast));
        delete pLast;
        if (m_iSelected == iLast)
            m_iSelected = -1;
    }
    // Nor do two separators meet where the button was.
    const CZUDPToolbarButton* pBefore = GetButtonAt(iIndex - 1);
    const CZUDPToolbarButton* pAfter = GetButtonAt(iIndex);
    if (pBefore != nullptr && pAfter != nullptr && pBefore->IsSeparator() && pAfter->IsSeparator())
        RemoveButton(iIndex);
    RebuildMnemonics();
    return TRUE;
}

void CZUDPToolBar::DeleteAllButtons()
{
    m_iButtonCapture = -1;
    m_iHot = -1;
    m_iSelected = -1;
    m_iHighlighted = -1;
    m_AccelKeys.RemoveAll();
    const BOOL bHadButtons = !m_Buttons.IsEmpty();
    while (!m_Buttons.IsEmpty()) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.RemoveHead());
        // A button that goes closes what it has open, but does not repaint
        // its place on the bar: the bar is repainted once below, not once
        // per button.
        pButton->parentWnd = nullptr;
        pButton->CancelMode();
        delete pButton;
    }
    m_pCustomizeBtn = nullptr;
    if (bHadButtons && m_hWnd != nullptr)
        Invalidate();
}

void CZUDPToolBar::GetItemRect(int iIndex, LPRECT lpRect) const
{
    if (lpRect == nullptr)
        return;
    const CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    *lpRect = pButton != nullptr ? RECT(pButton->rect) : RECT{0, 0, 0, 0};
}

void CZUDPToolBar::GetInvalidateItemRect(int iIndex, LPRECT lpRect) const
{
    if (lpRect == nullptr)
        return;
    const CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    *lpRect = pButton != nullptr ? RECT(pButton->GetInvalidateRect()) : RECT{0, 0, 0, 0};
}

int CZUDPToolBar::HitTest(CPoint point)
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
        const CZUDPToolbarButton* pButton = static_cast<const CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (!pButton->visible || pButton->overflowHidden)
            continue;
        if (pButton->rect.PtInRect(point))
            return pButton->IsSeparator() ? -1 : i;
    }
    return -1;
}

void CZUDPToolBar::ChangeButtonStyle(int iIndex, UINT nStyle)
{
    CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    if (pButton == nullptr || pButton->style == nStyle)
        return;
    if (nStyle & TBBS_DISABLED)
        nStyle &= ~UINT(TBBS_PRESSED);
    const UINT nOldStyle = pButton->style;
    pButton->SetStyle(nStyle);
    if (!((nOldStyle & TBBS_PRESSED) && (nStyle & TBBS_PRESSED)))
        InvalidateButton(iIndex);
}

BOOL CZUDPToolBar::UpdateButtonText(CZUDPToolbarButton* pButton)
{
    if (pButton == nullptr || pButton->commandId == 0 || pButton->commandId == (UINT)-1)
        return FALSE;
    CString strText;
    if (!CZUDPToolbarButton::LoadTooltipText(pButton->commandId, strText))
        return FALSE;
    pButton->text = strText;
    return TRUE;
}

void CZUDPToolBar::RefreshButtons()
{
    if (!m_bLocked) {
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
            static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos))->RestoreDefaultImage();
    }
    if (IsFloating())
        UpdateLayout();
}

void CZUDPToolBar::ShowTextLabels(BOOL bShowTextLabels)
{
    if (m_bMenuMode)
        return;
    m_bTextLabels = bShowTextLabels;
    UpdateLayout();
}

CWnd* CZUDPToolBar::GetCommandTarget() const
{
    CWnd* pOwner = GetOwner();
    if (!m_bRouteCommandsViaFrame || (pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CFrameWnd))))
        return pOwner;
    return GetEnclosingFrame(const_cast<CZUDPToolBar*>(this));
}

// ---------------------------------------------------------------------------
// The overflow button

void CZUDPToolBar::SetOverflowButton(BOOL bEnable, UINT uiCustomizeCmd, const CString& strLabel,
                                      BOOL bAddRemoveButtons)
{
    if (bEnable) {
        if (m_pCustomizeBtn != nullptr) {
            m_pCustomizeBtn->customizeCommandId = int(uiCustomizeCmd);
            m_pCustomizeBtn->text = strLabel;
        } else {
            CCustomizeButton button(int(uiCustomizeCmd), strLabel);
            const int iIndex = InsertButtonCopy(button, -1);
            if (iIndex < 0)
                return;
            m_pCustomizeBtn = DYNAMIC_DOWNCAST(CCustomizeButton, GetButtonAt(iIndex));
        }
        m_bQuickCustomize = bAddRemoveButtons;
    } else if (m_pCustomizeBtn != nullptr) {
        m_Buttons.RemoveAt(m_Buttons.GetTailPosition());
        delete m_pCustomizeBtn;
        m_pCustomizeBtn = nullptr;
    }
    UpdateVirtualRect();
}

// ---------------------------------------------------------------------------
// Library-wide operations

int CZUDPToolBar::CollectCommandButtons(UINT uiCmd, CObList& listButtons)
{
    listButtons.RemoveAll();
    if (uiCmd == 0)
        return 0;
    int nFound = 0;
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CObject* pObject = g_toolbarList.GetNext(pos);
        if (!IsLiveToolbar(pObject))
            continue;
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(pObject);
        for (POSITION posButton = pBar->m_Buttons.GetHeadPosition(); posButton != nullptr;) {
            CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(pBar->m_Buttons.GetNext(posButton));
            if (pButton->commandId == uiCmd) {
                listButtons.AddTail(pButton);
                ++nFound;
            }
        }
    }
    return nFound;
}

void CZUDPToolBar::AddCoreCommand(UINT uiCmd)
{
    if (g_coreCommands.Find(uiCmd) == nullptr)
        g_coreCommands.AddTail(uiCmd);
}

void CZUDPToolBar::CountCommandUse(UINT uiCmd) { g_commandUsage.AddCommand(uiCmd); }

UINT CZUDPToolBar::GetCommandUseCount(UINT uiCmd) { return g_commandUsage.GetCount(uiCmd); }

BOOL CZUDPToolBar::IsUserDefinedToolbar(const CZUDPToolBar* pToolBar)
{
    if (pToolBar == nullptr || pToolBar->m_hWnd == nullptr)
        return FALSE;
    CZUDPFrameImpl* pImpl = FrameImplOf(GetTopLevelFrameOrInPlace(const_cast<CZUDPToolBar*>(pToolBar)));
    return pImpl != nullptr && pImpl->IsUserToolbar(pToolBar);
}

COLORREF CZUDPToolBar::GetDefaultTextColor()
{
    return s_clrCustomText != (COLORREF)-1 ? s_clrCustomText : g_uiEnvironment.m_colorButtonText;
}

CZUDPToolBarImages* CZUDPToolBar::GetLockedMenuImages()
{
    if (!m_bLocked)
        return nullptr;
    if (m_MenuImagesLocked.GetCount() > 0)
        return &m_MenuImagesLocked;
    if (m_ImagesLocked.GetCount() > 0)
        return &m_ImagesLocked;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Sibling pair

BOOL CZUDPToolBar::IsSiblingOnSameDockBar() const
{
    return m_bHasSibling && m_pSibling != nullptr && GetParentDockBar() != nullptr &&
           GetParentDockBar() == m_pSibling->GetParentDockBar();
}

BOOL CZUDPToolBar::IsSiblingInSameRow() const
{
    return IsSiblingOnSameDockBar() && GetDockBarRow() != nullptr && GetDockBarRow() == m_pSibling->GetDockBarRow();
}

void CZUDPToolBar::JoinSiblingRow()
{
    if (!IsSiblingOnSameDockBar() || IsSiblingInSameRow())
        return;
    CZUDPToolBar* pFirst = m_bSecondSibling ? m_pSibling : this;
    CZUDPToolBar* pOther = pFirst == this ? m_pSibling : this;
    CZUDPDockBarRow* pRowFrom = pFirst->GetDockBarRow();
    CZUDPDockBarRow* pRowTo = pOther->GetDockBarRow();
    if (pRowFrom == nullptr || pRowTo == nullptr)
        return;
    pRowFrom->RemoveBar(pFirst);
    pRowTo->AddBar(pFirst, ZUDP_DM_MENU, nullptr);
}

void CZUDPToolBar::SplitSiblingRow()
{
    if (!IsSiblingInSameRow())
        return;
    CZUDPToolBar* pSecond = m_bSecondSibling ? this : m_pSibling;
    CZUDPDockBarRow* pRow = pSecond->GetDockBarRow();
    CZUDPDockBar* pDockBar = pSecond->GetParentDockBar();
    if (pRow == nullptr || pDockBar == nullptr)
        return;
    pRow->RemoveBar(pSecond);
    const CSize size = pSecond->CalcStretchSize(FALSE, pSecond->IsHorizontal());
    CZUDPDockBarRow* pNewRow = pDockBar->InsertRowAfter(pRow, pSecond->IsHorizontal() ? size.cy : size.cx);
    if (pNewRow == nullptr)
        return;
    pNewRow->AddBar(pSecond, ZUDP_DM_MENU, nullptr);
    pNewRow->FitBarsToLength();
}

// ---------------------------------------------------------------------------
// Compatibility messages of the common-control toolbar

LRESULT CZUDPToolBar::OnButtonCount(WPARAM, LPARAM) { return GetCount(); }

LRESULT CZUDPToolBar::OnGetButton(WPARAM wParam, LPARAM lParam)
{
    TBBUTTON* pRecord = reinterpret_cast<TBBUTTON*>(lParam);
    const CZUDPToolbarButton* pButton = GetButtonAt(int(wParam));
    if (pRecord == nullptr || pButton == nullptr)
        return FALSE;
    std::memset(pRecord, 0, sizeof(TBBUTTON));
    pRecord->iBitmap = 0;
    pRecord->idCommand = int(pButton->commandId);
    pRecord->fsState = BYTE((pButton->style >> 16) & 0xFF);
    pRecord->fsStyle = BYTE(pButton->style & 0xFF);
    pRecord->dwData = 0;
    pRecord->iString = 0;
    return TRUE;
}

LRESULT CZUDPToolBar::OnGetItemRect(WPARAM wParam, LPARAM lParam)
{
    RECT* pRect = reinterpret_cast<RECT*>(lParam);
    if (pRect == nullptr || GetButtonAt(int(wParam)) == nullptr)
        return FALSE;
    GetItemRect(int(wParam), pRect);
    return TRUE;
}

LRESULT CZUDPToolBar::OnGetButtonText(WPARAM wParam, LPARAM lParam)
{
    const int iIndex = FindCommandIndex(UINT(wParam));
    const CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    if (pButton == nullptr)
        return -1;
    if (lParam != 0)
        std::memcpy(reinterpret_cast<char*>(lParam), (LPCSTR)pButton->text, size_t(pButton->text.GetLength()) + 1);
    return pButton->text.GetLength();
}
