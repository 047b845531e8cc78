#include "ui/planner/ZUDPAppointmentDrawStruct.h"

#include "ui/planner/ZUDPPlannerDates.h"

void CZUDPAppointmentDSMap::AppendPiece(const COleDateTime& date, const CRect& rect, DWORD dwBorder)
{
    XDateInterval interval;
    interval.m_dtStart = date;
    interval.m_dtFinish = date;
    interval.m_pDS = CreateDrawStruct();
    interval.m_pDS->SetBorder(dwBorder);
    interval.m_pDS->SetRect(rect);
    try {
        m_arDates.Add(interval);
    } catch (...) {
        delete interval.m_pDS;
        throw;
    }
}

void CZUDPAppointmentDSMap::Add(const COleDateTime& date, const CRect& rect)
{
    if (m_arDates.IsEmpty()) {
        AppendPiece(date, rect, CZUDPAppointmentDrawStruct::kStartEdge);
        return;
    }
    if (CZUDPAppointmentDrawStruct* held = Find(date)) {
        held->SetRect(rect);
        return;
    }
    XDateInterval& last = m_arDates[m_arDates.GetUpperBound()];
    CZUDPAppointmentDrawStruct* lastRecord = last.m_pDS;
    const CRect& lastRect = lastRecord->GetRect();
    if (m_bConcatenate && last.m_dtFinish < date && PlannerDates::WholeDays(date - last.m_dtFinish) <= 1 &&
        lastRect.top == rect.top && lastRect.bottom == rect.bottom) {
        CRect joined;
        joined.UnionRect(&lastRect, &rect);
        lastRecord->SetRect(joined);
        lastRecord->SetBorder(lastRecord->GetBorder() | CZUDPAppointmentDrawStruct::kFinishEdge);
        last.m_dtFinish = date;
        return;
    }
    lastRecord->SetBorder(lastRecord->GetBorder() & ~CZUDPAppointmentDrawStruct::kFinishEdge);
    AppendPiece(date, rect, CZUDPAppointmentDrawStruct::kFinishEdge);
}

CZUDPAppointmentDrawStruct* CZUDPAppointmentDSMap::Find(const COleDateTime& date) const
{
    for (INT_PTR i = 0; i < m_arDates.GetSize(); ++i) {
        const XDateInterval& interval = m_arDates[i];
        if (interval.m_dtStart <= date && date <= interval.m_dtFinish)
            return interval.m_pDS;
    }
    return nullptr;
}

CZUDPAppointmentDrawStruct* CZUDPAppointmentDSMap::FindByPoint(const CPoint& point) const
{
    for (INT_PTR i = 0; i < m_arDates.GetSize(); ++i) {
        CZUDPAppointmentDrawStruct* record = m_arDates[i].m_pDS;
        if (record->IsVisible() && record->GetRect().PtInRect(point))
            return record;
    }
    return nullptr;
}

BOOL CZUDPAppointmentDSMap::ContainsPointInText(const CPoint& point) const
{
    for (INT_PTR i = 0; i < m_arDates.GetSize(); ++i) {
        const auto* record = dynamic_cast<const CZUDPAppointmentDrawStructEx*>(m_arDates[i].m_pDS);
        if (record != nullptr && record->IsVisible() && record->GetTextRect().PtInRect(point))
            return TRUE;
    }
    return FALSE;
}

void CZUDPAppointmentDSMap::RemoveAll()
{
    for (INT_PTR i = 0; i < m_arDates.GetSize(); ++i)
        delete m_arDates[i].m_pDS;
    m_arDates.RemoveAll();
}
