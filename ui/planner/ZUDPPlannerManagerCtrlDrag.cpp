// The planner control's drag and drop: appointments dragged out of the
// control in the planner format, drops onto the control and onto a day of
// a linked calendar, and the drop target's scrolling near the view's
// edges.
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

#include "framework/win/FrameworkSeams.h"
#include "ui/planner/ZUDPCalendar.h"
#include "ui/planner/ZUDPPlannerDragDrop.h"
#include "ui/planner/ZUDPPlannerView.h"

IMPLEMENT_DYNAMIC(CZUDPPlannerDropTarget, COleDropTarget)

// ---- the drop target ---------------------------------------------------------------------

BOOL CZUDPPlannerDropTarget::RegisterOwner(CWnd* pOwner)
{
    m_pOwnerCtrl = DYNAMIC_DOWNCAST(CZUDPPlannerManagerCtrl, pOwner);
    m_pOwnerCalendar = m_pOwnerCtrl == nullptr ? DYNAMIC_DOWNCAST(CZUDPCalendar, pOwner) : nullptr;
    return pOwner != nullptr && Register(pOwner);
}

namespace {
BOOL OffersPlannerData(COleDataObject* pDataObject)
{
    const UINT format = CZUDPPlannerManagerCtrl::GetClipboardFormat();
    return pDataObject != nullptr && format != 0 && pDataObject->IsDataAvailable(CLIPFORMAT(format));
}
} // namespace

DROPEFFECT CZUDPPlannerDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    (void)pWnd;
    if (!OffersPlannerData(pDataObject) || m_pOwnerCtrl == nullptr)
        return DROPEFFECT_NONE;
    return m_pOwnerCtrl->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPPlannerDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    (void)pWnd;
    if (!OffersPlannerData(pDataObject) || m_pOwnerCtrl == nullptr)
        return DROPEFFECT_NONE;
    return m_pOwnerCtrl->OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPPlannerDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                            DROPEFFECT dropList, CPoint point)
{
    (void)pWnd;
    (void)dropList;
    if (!OffersPlannerData(pDataObject) || m_pOwnerCtrl == nullptr)
        return DROPEFFECT_NONE;
    return m_pOwnerCtrl->OnDrop(pDataObject, dropDefault, point) ? dropDefault : DROPEFFECT_NONE;
}

void CZUDPPlannerDropTarget::OnDragLeave(CWnd* pWnd)
{
    (void)pWnd;
    if (m_pOwnerCtrl != nullptr)
        m_pOwnerCtrl->OnDragLeave();
}

DROPEFFECT CZUDPPlannerDropTarget::OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point)
{
    (void)pWnd;
    if (m_pOwnerCtrl == nullptr)
        return DROPEFFECT_NONE;
    const DROPEFFECT answer = m_pOwnerCtrl->OnDragScroll(dwKeyState, point);
    if (answer != DROPEFFECT_SCROLL)
        return answer;
    const CRect outer = m_pOwnerCtrl->GetViewRect();
    CRect inner = outer;
    inner.DeflateRect(nScrollInset, nScrollInset);
    UINT code = 0xFFFF;
    if (outer.PtInRect(point) && !inner.PtInRect(point)) {
        const UINT low = point.x < inner.left ? 0 : (point.x >= inner.right ? 1 : 0xFF);
        const UINT high = point.y < inner.top ? 0 : (point.y >= inner.bottom ? 1 : 0xFF);
        code = MAKEWORD(low, high);
        if (!m_pOwnerCtrl->OnScroll(code, 0, FALSE))
            code = 0xFFFF;
    }
    if (code == 0xFFFF) {
        m_nScrollCode = 0xFFFF;
        return DROPEFFECT_NONE;
    }
    const DWORD now = g_frameworkSeams.tickCount();
    if (code != m_nScrollCode) {
        m_dwLastTick = now;
        m_nScrollWait = nScrollDelay;
    }
    if (now - m_dwLastTick > m_nScrollWait) {
        m_pOwnerCtrl->OnScroll(code, 0, TRUE);
        m_dwLastTick = now;
        m_nScrollWait = nScrollInterval;
    }
    m_nScrollCode = code;
    return DROPEFFECT_SCROLL | ((dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE);
}

// ---- the control's side --------------------------------------------------------------------

void CZUDPPlannerManagerCtrl::RegisterDropTarget()
{
    if (AfxOleIsInitialized())
        m_DropTarget.RegisterOwner(this);
}

void CZUDPPlannerManagerCtrl::RevokeDropTarget()
{
    m_DropTarget.Revoke();
}

void CZUDPPlannerManagerCtrl::ResetDropSource() {}

void CZUDPPlannerManagerCtrl::StartDragDrop() {}

DROPEFFECT CZUDPPlannerManagerCtrl::OnDragScroll(DWORD dwKeyState, CPoint point)
{
    return m_pCurrentView != nullptr ? m_pCurrentView->OnDragScroll(dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT CZUDPPlannerManagerCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPPlannerManagerCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    (void)pDataObject;
    (void)dwKeyState;
    (void)point;
    return DROPEFFECT_NONE;
}

void CZUDPPlannerManagerCtrl::OnDragLeave() { m_dragEffect = DROPEFFECT_NONE; }

BOOL CZUDPPlannerManagerCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    (void)pDataObject;
    (void)dropEffect;
    (void)point;
    return FALSE;
}

BOOL CZUDPPlannerManagerCtrl::OnDropToCalendar(COleDataObject* pDataObject, DROPEFFECT dropEffect,
                                               const COleDateTime& day)
{
    (void)pDataObject;
    (void)dropEffect;
    (void)day;
    return FALSE;
}
