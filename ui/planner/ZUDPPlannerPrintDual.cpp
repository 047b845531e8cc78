#include "ui/planner/ZUDPPlannerPrintDual.h"

#include "framework/win/DC.h"
#include "framework/win/PrintInfo.h"
#include "ui/planner/ZUDPPlannerManagerCtrl.h"
#include "ui/planner/ZUDPPlannerPrintDay.h"
#include "ui/planner/ZUDPPlannerPrintWeek.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerPrintDual, CZUDPPlannerPrint)

CZUDPPlannerPrintDual::CZUDPPlannerPrintDual()
{
    m_pPrintDay = DYNAMIC_DOWNCAST(CZUDPPlannerPrintDay, RUNTIME_CLASS(CZUDPPlannerPrintDay)->CreateObject());
    m_pPrintWeek = DYNAMIC_DOWNCAST(CZUDPPlannerPrintWeek, RUNTIME_CLASS(CZUDPPlannerPrintWeek)->CreateObject());
}

CZUDPPlannerPrintDual::~CZUDPPlannerPrintDual()
{
    delete m_pPrintDay;
    delete m_pPrintWeek;
}

void CZUDPPlannerPrintDual::SetDrawTimeFinish(BOOL bDraw)
{
    if (m_pPrintWeek != nullptr)
        m_pPrintWeek->SetDrawTimeFinish(bDraw);
}

BOOL CZUDPPlannerPrintDual::IsDrawTimeFinish() const
{
    return m_pPrintWeek != nullptr ? m_pPrintWeek->IsDrawTimeFinish() : TRUE;
}

void CZUDPPlannerPrintDual::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo, CZUDPPlannerManagerCtrl* pPlanner)
{
    if (pPlanner == nullptr || pPlanner->GetSafeHwnd() == nullptr)
        return;
    CZUDPPlannerPrint::OnBeginPrinting(pDC, pInfo, pPlanner);
    CZUDPPlannerPrint* parts[2] = { m_pPrintDay, m_pPrintWeek };
    for (CZUDPPlannerPrint* part : parts) {
        if (part == nullptr)
            continue;
        part->SetDrawPageFooter(FALSE);
        part->OnBeginPrinting(pDC, pInfo, pPlanner);
    }
}

void CZUDPPlannerPrintDual::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr || pInfo == nullptr)
        return;
    const CRect saved = pInfo->m_rectDraw;
    CZUDPPlannerPrint::OnPrint(pDC, pInfo);
    const int ux = m_OnePoint.cx;
    CRect half = m_rectPage;
    half.right = half.left + (half.right - half.left) / 2 - 3 * ux;
    pInfo->m_rectDraw = half;
    if (m_pPrintDay != nullptr) {
        m_pPrintDay->AdjustAppointments();
        m_pPrintDay->OnPrint(pDC, pInfo);
    }
    CRect right = m_rectPage;
    right.left = half.right + 6 * ux;
    pInfo->m_rectDraw = right;
    if (m_pPrintWeek != nullptr) {
        m_pPrintWeek->AdjustAppointments();
        m_pPrintWeek->OnPrint(pDC, pInfo);
    }
    pInfo->m_rectDraw = saved;
}

void CZUDPPlannerPrintDual::SetDrawPageHeader(BOOL bDraw)
{
    CZUDPPlannerPrint::SetDrawPageHeader(bDraw);
    if (m_pPrintDay != nullptr)
        m_pPrintDay->SetDrawPageHeader(bDraw);
    if (m_pPrintWeek != nullptr)
        m_pPrintWeek->SetDrawPageHeader(bDraw);
}

void CZUDPPlannerPrintDual::CalcPageHeaderRect(CDC* pDC)
{
    (void)pDC;
    m_rectPageHeader.SetRectEmpty();
}
