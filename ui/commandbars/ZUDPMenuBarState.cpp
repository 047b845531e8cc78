// The menu bar's menus between runs and their reset: every menu the bar
// can show (each multiple-document type's shared menu and the frame's
// default menu) is one toolbar key below the "ZUDMenuBar" section, written
// and read by the toolbar's own state operations with the menu's resource
// id as index (0 for the default menu).  While the program runs the menus
// live in the menu hash; every operation here ends with the current menu's
// buttons back on the bar.
#include "ui/commandbars/ZUDPMenuBar.h"

#include "framework/win/DocTemplate.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/docking/ZUDPFrameImpl.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPRegistry.h"
#include "ui/foundation/ZUDPTearOffBarManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPWorkspace.h"

#include <vector>

namespace {

const char kMenuBarSection[] = "ZUDMenuBar";

// The document types whose shared menu the bar shows, in the order the
// application added them.
std::vector<CMultiDocTemplate*> MenuTemplates()
{
    std::vector<CMultiDocTemplate*> templates;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pApp->m_pDocManager == nullptr)
        return templates;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        CMultiDocTemplate* pMulti = DYNAMIC_DOWNCAST(CMultiDocTemplate, pTemplate);
        if (pMulti != nullptr && pMulti->m_hMenuShared != nullptr)
            templates.push_back(pMulti);
    }
    return templates;
}

HMENU LoadMenuResource(UINT uiResId)
{
    return uiResId != 0 ? ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(uiResId)) : nullptr;
}

} // namespace

// ---------------------------------------------------------------------------
// Original items

BOOL CZUDPMenuBar::BuildOriginalItems(UINT uiMenuResID)
{
    while (!m_OrigButtons.IsEmpty())
        delete m_OrigButtons.RemoveHead();
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    if (pWorkspace == nullptr || !pWorkspace->IsResourceSmartUpdate())
        return FALSE;
    HMENU hMenu = LoadMenuResource(uiMenuResID);
    if (hMenu == nullptr)
        return FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoA(hMenu, UINT(i), TRUE, &info))
            continue;
        // The entries carry no texts: they are compared by command.
        CZUDPToolbarButton* pItem;
        if (info.hSubMenu != nullptr) {
            pItem = new CZUDPToolbarMenuButton(0, info.hSubMenu, -1, "");
        } else if ((info.fType & MFT_SEPARATOR) || info.wID == 0) {
            pItem = new CZUDPToolbarButton(0, -1, "", FALSE, FALSE);
            pItem->style = TBBS_SEPARATOR;
        } else {
            pItem = new CZUDPToolbarButton(info.wID, -1, "", FALSE, FALSE);
        }
        m_OrigButtons.AddTail(pItem);
    }
    ::DestroyMenu(hMenu);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Loading and saving

BOOL CZUDPMenuBar::LoadBarState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    (void)uiID;
    const CString strPath = BuildRegistrySectionPath(kMenuBarSection, lpszProfileName);
    BOOL bAllRead = TRUE;
    const BOOL bMDIButtonsShown = m_bMDIButtonsShown;
    UpdateMDIChildButtons(FALSE, nullptr, FALSE);

    // One menu: its stored buttons, or (unreadable, or its resource
    // changed since) the menu again with the owner told.
    auto loadMenu = [&](HMENU hMenu, UINT uiResId, UINT uiIndex, BOOL bDefault) {
        BuildOriginalItems(uiResId);
        const BOOL bRead = CZUDPToolBar::LoadBarState(strPath, nIndex, uiIndex);
        if (!bRead)
            bAllRead = FALSE;
        if (bRead && !m_bResourceChanged) {
            g_menuHash.SaveMenuBar(hMenu, this);
            return;
        }
        CWnd* pNotice = NoticeWindow();
        if (pNotice == nullptr)
            return;
        m_hMenu = nullptr;
        CreateFromMenu(hMenu, bDefault, FALSE);
        pNotice->SendMessage(ZUDTOOLBAR_RESETMENU, uiResId, 0);
        g_menuHash.SaveMenuBar(hMenu, this);
        m_hMenu = hMenu;
    };
    for (CMultiDocTemplate* pTemplate : MenuTemplates())
        loadMenu(pTemplate->m_hMenuShared, pTemplate->GetResourceId(), pTemplate->GetResourceId(), FALSE);
    if (m_hDefaultMenu != nullptr)
        loadMenu(m_hDefaultMenu, m_uiDefMenuResId, 0, TRUE);

    const BOOL bBack = m_hMenu != nullptr && g_menuHash.LoadMenuBar(m_hMenu, this);
    if (bMDIButtonsShown)
        RestoreMDIChildButtons(!bBack);
    if (bBack) {
        if (CFrameWnd* pFrame = GetEnclosingFrame(this))
            pFrame->RecalcLayout(TRUE);
        if (m_hWnd != nullptr) {
            Invalidate();
            UpdateWindow();
        }
    }
    UpdateLayout();
    RebuildMnemonics();
    return bAllRead;
}

BOOL CZUDPMenuBar::SaveBarState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    (void)uiID;
    const CString strPath = BuildRegistrySectionPath(kMenuBarSection, lpszProfileName);
    BOOL bAllWritten = !strPath.IsEmpty();
    if (m_hMenu != nullptr)
        g_menuHash.SaveMenuBar(m_hMenu, this);
    const BOOL bMDIButtonsShown = m_bMDIButtonsShown;
    UpdateMDIChildButtons(FALSE, nullptr, FALSE);

    // Menus never shown have nothing stored and are not written.
    for (CMultiDocTemplate* pTemplate : MenuTemplates()) {
        if (!g_menuHash.LoadMenuBar(pTemplate->m_hMenuShared, this))
            continue;
        BuildOriginalItems(pTemplate->GetResourceId());
        if (!CZUDPToolBar::SaveBarState(strPath, nIndex, pTemplate->GetResourceId()))
            bAllWritten = FALSE;
    }
    if (m_hDefaultMenu != nullptr && g_menuHash.LoadMenuBar(m_hDefaultMenu, this)) {
        BuildOriginalItems(m_uiDefMenuResId);
        if (!CZUDPToolBar::SaveBarState(strPath, nIndex, 0))
            bAllWritten = FALSE;
    }

    const BOOL bBack = m_hMenu != nullptr && g_menuHash.LoadMenuBar(m_hMenu, this);
    if (bMDIButtonsShown)
        RestoreMDIChildButtons(!bBack);
    RecalcSizeInParent(TRUE);
    if (bBack) {
        if (CFrameWnd* pFrame = GetEnclosingFrame(this))
            pFrame->RecalcLayout(TRUE);
        if (m_hWnd != nullptr) {
            Invalidate();
            UpdateWindow();
        }
    }
    UpdateLayout();
    return bAllWritten;
}

void CZUDPMenuBar::RefreshButtons()
{
    if (m_hMenu != nullptr)
        g_menuHash.SaveMenuBar(m_hMenu, this);
    for (CMultiDocTemplate* pTemplate : MenuTemplates()) {
        if (!g_menuHash.LoadMenuBar(pTemplate->m_hMenuShared, this))
            continue;
        CZUDPToolBar::RefreshButtons();
        g_menuHash.SaveMenuBar(pTemplate->m_hMenuShared, this);
    }
    if (m_hDefaultMenu != nullptr && g_menuHash.LoadMenuBar(m_hDefaultMenu, this)) {
        CZUDPToolBar::RefreshButtons();
        g_menuHash.SaveMenuBar(m_hDefaultMenu, this);
    }
    if (m_hMenu != nullptr && g_menuHash.LoadMenuBar(m_hMenu, this)) {
        if (CFrameWnd* pFrame = GetEnclosingFrame(this))
            pFrame->RecalcLayout(TRUE);
        if (m_hWnd != nullptr) {
            Invalidate();
            UpdateWindow();
        }
    }
}

// ---------------------------------------------------------------------------
// Reset

void (*CZUDPMenuBar::s_selectMenuOnPage)(CZUDPMenuPage* pPage, CDocTemplate* pActiveTemplate) = nullptr;

BOOL CZUDPMenuBar::ReloadFromResource()
{
    if (m_hMenu != nullptr)
        g_menuHash.SaveMenuBar(m_hMenu, this);
    CCustomizeButton* pOverflowCopy = nullptr;
    if (m_pCustomizeBtn != nullptr) {
        pOverflowCopy = static_cast<CCustomizeButton*>(m_pCustomizeBtn->GetRuntimeClass()->CreateObject());
        if (pOverflowCopy != nullptr)
            pOverflowCopy->CopyFrom(*m_pCustomizeBtn);
    }
    if (g_tearOffManager != nullptr)
        g_tearOffManager->ReleaseIdsOfMenu(nullptr);
    const BOOL bMDIButtonsShown = m_bMDIButtonsShown;
    UpdateMDIChildButtons(FALSE, nullptr, TRUE);

    HMENU hTarget = m_hMenu;
    CDocTemplate* pActiveTemplate = nullptr;
    if (CMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, m_pParentWnd)) {
        CMDIChildWnd* pChild = pMDIFrame->MDIGetActive();
        CView* pView = pChild != nullptr ? pChild->GetActiveView() : nullptr;
        CDocument* pDoc = pView != nullptr ? pView->GetDocument() : nullptr;
        if (pDoc != nullptr)
            pActiveTemplate = pDoc->GetDocTemplate();
    }

    for (CMultiDocTemplate* pTemplate : MenuTemplates()) {
        // A resource that cannot be loaded leaves the type's menu as it is.
        HMENU hNew = LoadMenuResource(pTemplate->GetResourceId());
        if (hNew == nullptr)
            continue;
        HMENU hOld = pTemplate->m_hMenuShared;
        pTemplate->m_hMenuShared = hNew;
        CreateFromMenu(hNew, FALSE, FALSE);
        if (CWnd* pNotice = NoticeWindow())
            pNotice->SendMessage(ZUDTOOLBAR_RESETMENU, pTemplate->GetResourceId(), 0);
        g_menuHash.SaveMenuBar(hNew, this);
        if (pTemplate == pActiveTemplate || hTarget == hOld)
            hTarget = hNew;
        UpdateMDIChildrenMenus(pTemplate);
        if (hOld != nullptr) {
            g_menuHash.RemoveMenu(hOld);
            if (hOld == m_hDefaultMenu)
                m_hDefaultMenu = nullptr;
            ReleaseMenuOwnership(hOld);
            ::DestroyMenu(hOld);
        }
    }

    if (m_uiDefMenuResId != 0) {
        HMENU hNew = LoadMenuResource(m_uiDefMenuResId);
        if (hNew != nullptr) {
            HMENU hOld = m_hDefaultMenu;
            OnDefaultMenuReloaded(hNew);
            CreateFromMenu(hNew, TRUE, FALSE);
            if (CWnd* pNotice = NoticeWindow())
                pNotice->SendMessage(ZUDTOOLBAR_RESETMENU, m_uiDefMenuResId, 0);
            g_menuHash.SaveMenuBar(hNew, this);
            if (pActiveTemplate == nullptr || hTarget == hOld)
                hTarget = hNew;
            if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, m_pParentWnd)) {
                if (pFrame->m_hMenuDefault == hOld || pFrame->m_hMenuDefault == nullptr)
                    pFrame->m_hMenuDefault = hNew;
            }
            if (CZUDPFrameImpl* pImpl = FrameImplOf(m_pParentWnd))
                pImpl->m_hDefaultMenu = hNew;
            // The bar loaded this menu and destroys it with itself; the
            // frame only points to it.
            TakeMenuOwnership(hNew);
            if (hOld != nullptr) {
                g_menuHash.RemoveMenu(hOld);
                ReleaseMenuOwnership(hOld);
                ::DestroyMenu(hOld);
            }
        }
    }

    // The current menu is the target in every case: the menus replaced
    // above are destroyed.
    const BOOL bBack = hTarget != nullptr && g_menuHash.LoadMenuBar(hTarget, this);
    m_hMenu = hTarget;
    if (bBack && !bMDIButtonsShown) {
        if (CFrameWnd* pFrame = GetEnclosingFrame(this))
            pFrame->RecalcLayout(TRUE);
        if (m_hWnd != nullptr) {
            Invalidate();
            UpdateWindow();
        }
    }
    if (CZUDPMDIFrameWnd* pMDIFrame = DYNAMIC_DOWNCAST(CZUDPMDIFrameWnd, m_pParentWnd))
        pMDIFrame->OnUpdateFrameMenu(m_hMenu);
    if (bMDIButtonsShown)
        RestoreMDIChildButtons(TRUE);
    if (m_pMenuPage != nullptr && s_selectMenuOnPage != nullptr)
        s_selectMenuOnPage(m_pMenuPage, pActiveTemplate);
    if (pOverflowCopy != nullptr) {
        if (m_pCustomizeBtn == nullptr && InsertButton(pOverflowCopy) >= 0) {
            m_pCustomizeBtn = pOverflowCopy;
        } else {
            delete pOverflowCopy;
        }
        UpdateLayout();
        RecalcSizeInParent(TRUE);
    }
    return TRUE;
}

void CZUDPMenuBar::UpdateMDIChildrenMenus(CMultiDocTemplate* pTemplate)
{
    if (pTemplate == nullptr)
        return;
    for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr;) {
        CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
        if (pDoc == nullptr)
            continue;
        for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;) {
            CView* pView = pDoc->GetNextView(posView);
            CMDIChildWnd* pChild = pView != nullptr ? DYNAMIC_DOWNCAST(CMDIChildWnd, pView->GetParentFrame()) : nullptr;
            if (pChild != nullptr)
                pChild->SetHandles(pTemplate->m_hMenuShared, pTemplate->m_hAccelTable);
        }
    }
}
