#include "ui/planner/ZUDPPlannerViewWeek.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerViewWeek, CZUDPPlannerView)

COleDateTime CZUDPPlannerViewWeek::CalculateDateStart(const COleDateTime& date) const
{
    (void)date;
    return m_dtDateStart;
}

void CZUDPPlannerViewWeek::GetCaptionFormatStrings(CStringArray& sa) { sa.RemoveAll(); }

void CZUDPPlannerViewWeek::AdjustScrollSizes(CDC* pDC, const CRect& rectClient)
{
    (void)pDC;
    (void)rectClient;
}

void CZUDPPlannerViewWeek::AdjustRects() {}
void CZUDPPlannerViewWeek::AdjustAppointments() {}

void CZUDPPlannerViewWeek::OnPaint(CDC* pDC, const CRect& rectClient)
{
    (void)pDC;
    (void)rectClient;
}

void CZUDPPlannerViewWeek::OnDrawClient(CDC* pDC, const CRect& rect)
{
    (void)pDC;
    (void)rect;
}

BOOL CZUDPPlannerViewWeek::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    (void)nChar;
    (void)nRepCnt;
    (void)nFlags;
    return FALSE;
}
