#include "ui/commandbars/ZUDPToolBar.h"

#include <climits>
#include <map>

#include "framework/Archive.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/docking/ZUDPMiniFrameWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_DYNCREATE(CZUDPBaseToolBar, CZUDPControlBar)
IMPLEMENT_SERIAL(CZUDPToolBar, CZUDPBaseToolBar, VERSIONABLE_SCHEMA | 1)

BOOL g_customizeMode = FALSE;
BOOL g_registerCommandImages = TRUE;
BOOL g_largeIcons = FALSE;
BOOL g_showAllMenusAfterDelay = TRUE;
BOOL g_toolbarComboKeysFlag = TRUE;
int g_menuAnimation = 0;
CZUDPToolBarImages* g_sharedUserImages = nullptr;

COLORREF CZUDPToolBar::s_clrCustomText = (COLORREF)-1;

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

CZUDPToolBar::CZUDPToolBar() { g_toolbarList.AddTail(this); }

void CZUDPToolBar::LeaveDockBar(CWnd* pNewParent, BOOL bFlag)
{
    CZUDPBaseToolBar::LeaveDockBar(pNewParent, bFlag);
    m_bFloating = pNewParent != nullptr && pNewParent->IsKindOf(RUNTIME_CLASS(CZUDPMiniFrameWnd));
}

CZUDPToolBar::~CZUDPToolBar()
{
    POSITION pos = g_toolbarList.Find(this);
    if (pos != nullptr)
        g_toolbarList.RemoveAt(pos);
    while (!m_Buttons.IsEmpty())
        delete m_Buttons.RemoveHead();
}

int CZUDPToolBar::InsertButton(CZUDPToolbarButton* pButton, int iInsertAt)
{
    if (pButton == nullptr || iInsertAt > GetCount())
        return -1;
    pButton->m_pWndParent = this;
    if (iInsertAt < 0 || iInsertAt == GetCount()) {
        m_Buttons.AddTail(pButton);
        return GetCount() - 1;
    }
    m_Buttons.InsertBefore(m_Buttons.FindIndex(iInsertAt), pButton);
    return iInsertAt;
}

BOOL CZUDPToolBar::RemoveButton(int iIndex)
{
    POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
    if (pos == nullptr)
        return FALSE;
    CObject* pButton = m_Buttons.GetAt(pos);
    m_Buttons.RemoveAt(pos);
    delete pButton;
    return TRUE;
}

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
        if (i >= iIndexFirst && pButton->m_nID == uiCmd)
            return i;
    }
    return -1;
}

int CZUDPToolBar::HitTest(CPoint point)
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
        const CZUDPToolbarButton* pButton = static_cast<const CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->Rect().PtInRect(point))
            return pButton->IsSeparator() ? -1 : i;
    }
    return -1;
}

void CZUDPToolBar::ChangeButtonStyle(int iIndex, UINT nStyle)
{
    CZUDPToolbarButton* pButton = GetButtonAt(iIndex);
    if (pButton == nullptr)
        return;
    pButton->m_nStyle = nStyle;
    if (m_hWnd != nullptr)
        InvalidateRect(&pButton->Rect());
}

int CZUDPToolBar::CollectCommandButtons(UINT uiCmd, CObList& listButtons)
{
    int nFound = 0;
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (pBar == nullptr || CWnd::FromHandlePermanent(pBar->m_hWnd) == nullptr)
            continue;
        for (POSITION posButton = pBar->m_Buttons.GetHeadPosition(); posButton != nullptr;) {
            CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(pBar->m_Buttons.GetNext(posButton));
            if (pButton->m_nID == uiCmd) {
                listButtons.AddTail(pButton);
                ++nFound;
            }
        }
    }
    return nFound;
}

void CZUDPToolBar::UpdateButtonFonts()
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos))->OnGlobalFontsChanged();
}

void CZUDPToolBar::OnVisualManagerChanged()
{
    if (m_hWnd == nullptr)
        return;
    // No shaped toolbars yet: a manager that asks for none has the region
    // removed.
    if (!CZUDPVisualManager::GetActiveManager()->HasToolbarWindowRegion(this))
        SetWindowRgn(nullptr, TRUE);
    if (!IsFloating())
        UpdateLayout();
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

BOOL CZUDPToolBar::LoadBarState(LPCTSTR, int, UINT) { return FALSE; }

BOOL CZUDPToolBar::SaveBarState(LPCTSTR, int, UINT) { return FALSE; }

void CZUDPToolBar::RefreshButtons()
{
    if (!m_bLocked)
        UpdateLayout();
}

void CZUDPToolBar::UpdateLayout()
{
    if (m_hWnd != nullptr)
        Invalidate();
}

BOOL CZUDPToolBar::LoadGlobalOptions(LPCTSTR) { return FALSE; }

BOOL CZUDPToolBar::SaveGlobalOptions(LPCTSTR) { return FALSE; }

namespace {
std::map<UINT, UINT>& CommandUseCounts()
{
    static std::map<UINT, UINT> counts;
    return counts;
}
} // namespace

void CZUDPToolBar::CountCommandUse(UINT uiCmd)
{
    UINT& count = CommandUseCounts()[uiCmd];
    if (count != UINT_MAX)
        ++count;
}

UINT CZUDPToolBar::GetCommandUseCount(UINT uiCmd)
{
    auto it = CommandUseCounts().find(uiCmd);
    return it != CommandUseCounts().end() ? it->second : 0;
}
