#include "ui/planner/ZUDPPlannerViewMonth.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerViewMonth, CZUDPPlannerView)

COleDateTime CZUDPPlannerViewMonth::CalculateDateStart(const COleDateTime& date) const
{
    (void)date;
    return m_dtDateStart;
}

void CZUDPPlannerViewMonth::GetCaptionFormatStrings(CStringArray& sa) { sa.RemoveAll(); }

void CZUDPPlannerViewMonth::AdjustScrollSizes(CDC* pDC, const CRect& rectClient)
{
    (void)pDC;
    (void)rectClient;
}

void CZUDPPlannerViewMonth::AdjustRects() {}
void CZUDPPlannerViewMonth::AdjustAppointments() {}

void CZUDPPlannerViewMonth::OnPaint(CDC* pDC, const CRect& rectClient)
{
    (void)pDC;
    (void)rectClient;
}

void CZUDPPlannerViewMonth::OnDrawClient(CDC* pDC, const CRect& rect)
{
    (void)pDC;
    (void)rect;
}

BOOL CZUDPPlannerViewMonth::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    return FALSE;
}
