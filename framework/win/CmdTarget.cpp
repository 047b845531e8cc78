// Message-map lookup and command routing.
#include "framework/win/CmdTarget.h"

#include "framework/win/Menu.h"
#include "framework/win/ThreadState.h"
#include "framework/win/Wnd.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() = default;
CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::DispatchMapMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfnDispatch != nullptr; e++) {
            bool match;
            if (e->pRegistered != nullptr)
                match = message >= 0xC000 && *e->pRegistered == message;
            else
                match = e->nMessage == message && e->nCode == 0 && e->nID == 0 && e->nLastID == 0;
            if (!match)
                continue;
            AFX_MSGCALL call = {message, wParam, lParam, 0, 0, nullptr, 0};
            if (e->pfnDispatch(this, call)) {
                if (pResult != nullptr)
                    *pResult = call.result;
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CCmdTarget::DispatchCommand(UINT nMessage, UINT nID, UINT nCode, void* pExtra)
{
    bool reflected = nMessage >= WM_REFLECT_BASE;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfnDispatch != nullptr; e++) {
            if (e->pRegistered != nullptr || e->nMessage != nMessage || (WORD)e->nCode != (WORD)nCode)
                continue;
            if (!reflected && (nID < e->nID || nID > e->nLastID))
                continue;
            AFX_MSGCALL call = {nMessage, 0, 0, nID, nCode, pExtra, 0};
            if (e->pfnDispatch(this, call))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    UINT nMessage = WM_COMMAND;
    UINT code = (UINT)nCode;
    if ((UINT)nCode == CN_UPDATE_COMMAND_UI) {
        code = CN_UPDATE_COMMAND_UI;
    } else if (HIWORD(nCode) != 0) {
        nMessage = HIWORD(nCode);
        code = LOWORD(nCode);
    }
    if (pHandlerInfo != nullptr) {
        // Only asked whether a handler exists.
        for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
             pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
            for (const AFX_MSGMAP_ENTRY* e = pMap->lpEntries; e->pfnDispatch != nullptr; e++) {
                if (e->pRegistered == nullptr && e->nMessage == nMessage && (WORD)e->nCode == (WORD)code
                    && nID >= e->nID && nID <= e->nLastID)
                    return TRUE;
            }
        }
        return FALSE;
    }
    return DispatchCommand(nMessage, nID, code, pExtra);
}

void AfxWaitCursor(int nCode)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (nCode > 0) {
        HCURSOR hPrevious = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
        if (state->m_nWaitCursorCount++ == 0)
            state->m_hcurWaitCursorRestore = hPrevious;
    } else if (nCode < 0) {
        if (state->m_nWaitCursorCount == 0)
            return;   // unbalanced end: nothing to restore
        if (--state->m_nWaitCursorCount == 0) {
            ::SetCursor(state->m_hcurWaitCursorRestore != nullptr ? state->m_hcurWaitCursorRestore
                                                                  : ::LoadCursor(nullptr, IDC_ARROW));
        }
    } else if (state->m_nWaitCursorCount > 0) {
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    }
}

int AfxGetWaitCursorCount() { return AfxGetThreadState()->m_nWaitCursorCount; }

void CCmdTarget::BeginWaitCursor() { AfxWaitCursor(1); }
void CCmdTarget::EndWaitCursor() { AfxWaitCursor(-1); }
void CCmdTarget::RestoreWaitCursor() { AfxWaitCursor(0); }

CWaitCursor::CWaitCursor() { AfxWaitCursor(1); }
CWaitCursor::~CWaitCursor() { AfxWaitCursor(-1); }
void CWaitCursor::Restore() { AfxWaitCursor(0); }

// ---------------------------------------------------------------------------
// CCmdUI

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr) {
        // A control that loses its enabled state hands the focus on first.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hWndParent = ::GetParent(m_pOther->m_hWnd);
            if (hWndParent != nullptr)
                ::SendMessageA(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr) {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
        if (bOn)
            m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        else
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
    } else {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    } else if (m_pOther != nullptr) {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;   // separators and similar are left alone
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        int dummy = 0;
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &dummy));
    }
    return bResult;
}
