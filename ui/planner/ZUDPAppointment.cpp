#include "ui/planner/ZUDPAppointment.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "framework/Archive.h"
#include "ui/planner/ZUDPAppointmentProperty.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPPlannerSeams.h"
#include "ui/planner/ZUDPRecurrence.h"
#include "ui/planner/ZUDPRecurrenceRule.h"

IMPLEMENT_SERIAL_OWNED(CZUDPAppointment, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

// The zero date stands for no particular date.
bool IsZeroAppointmentDate(const COleDateTime& date) { return date == COleDateTime(0.0); }

// Edge zones of the hit test are 4 pixels deep, inclusive at both ends.
const int kHitEdge = 4;

bool InRange(LONG value, LONG low, LONG high) { return value >= low && value <= high; }

// The text before the text rectangle: the piece cut off at its left.
bool InStripBeforeText(const CRect& piece, const CRect& text, const CPoint& point)
{
    CRect strip = piece;
    strip.right = text.left;
    return strip.PtInRect(point) != FALSE;
}

// Date statuses in the display order: valid ones first, then null, then
// invalid.
int StatusRank(int status) { return status == COleDateTime::valid ? 0 : status == COleDateTime::null ? 1 : 2; }

const CZUDPAppointmentProperty* AppointmentValue(const CZUDPAppointmentPropertyList& props, DWORD id)
{
    return DYNAMIC_DOWNCAST(CZUDPAppointmentProperty, props.Get(id));
}

} // namespace

CZUDPAppointment::CZUDPAppointment()
{
    Initialize();
    UpdateTimeTexts();
}

CZUDPAppointment::~CZUDPAppointment()
{
    DestroyEditControl();
    delete m_pRecurrence;
}

void CZUDPAppointment::Initialize()
{
    m_bAllDay = FALSE;
    m_pWndInPlace = nullptr;
    m_rectDraw.SetRectEmpty();
    m_rectPrint.SetRectEmpty();
    m_rectEdit.SetRectEmpty();
    m_rectText.SetRectEmpty();
    m_bVisibleDraw = TRUE;
    m_bVisiblePrint = TRUE;
    m_bTextTruncated = FALSE;
    m_bSelected = FALSE;
    m_lstImages.RemoveAll();
    m_bRecurrence = FALSE;
    m_RecurrenceID = 0;
    m_bRecurrenceClone = FALSE;
    m_dtRecurrenceDate = COleDateTime(0.0);
    m_bRecurrenceException = FALSE;
    m_pRecurrence = nullptr;
    m_pPrinter = nullptr;
    m_ResourceID = 0;
}

// ---- data ---------------------------------------------------------------------

void CZUDPAppointment::SetInterval(const COleDateTime& dtStart, const COleDateTime& dtFinish)
{
    if (dtStart == m_dtStart && dtFinish == m_dtFinish)
        return;
    if (dtStart != m_dtStart)
        m_dtStart = dtStart;
    if (dtFinish != m_dtFinish)
        m_dtFinish = dtFinish;
    if (m_bAllDay) {
        m_dtStart = PlannerDates::TruncateToDay(m_dtStart);
        m_dtFinish = PlannerDates::TruncateToDay(m_dtFinish);
    }
    UpdateTimeTexts();
}

void CZUDPAppointment::SetAllDay(BOOL bAllDay)
{
    bAllDay = bAllDay != FALSE;
    if (bAllDay == m_bAllDay)
        return;
    m_bAllDay = bAllDay;
    if (bAllDay)
        SetInterval(PlannerDates::TruncateToDay(m_dtStart), PlannerDates::TruncateToDay(m_dtFinish));
}

void CZUDPAppointment::SetDescription(const CString& strDescription)
{
    if (m_strDescription.GetLength() != strDescription.GetLength() ||
        std::memcmp(static_cast<LPCSTR>(m_strDescription), static_cast<LPCSTR>(strDescription),
                    size_t(strDescription.GetLength())) != 0)
        m_strDescription = strDescription;
}

COleDateTimeSpan CZUDPAppointment::GetDuration() const
{
    COleDateTimeSpan span = m_dtFinish - m_dtStart;
    if (span.GetStatus() != COleDateTimeSpan::valid) {
        span.m_span = 0.0;
        return span;
    }
    if (m_bAllDay)
        span += COleDateTimeSpan(1.0);
    return span;
}

BOOL CZUDPAppointment::IsLong() const
{
    COleDateTimeSpan span = m_dtFinish - m_dtStart;
    if (span.GetStatus() != COleDateTimeSpan::valid)
        return FALSE;
    double days = span.GetTotalDays();
    return days > 1.0 || (days < 1.0 + COleDateTime::kHalfSecond && days > 1.0 - COleDateTime::kHalfSecond);
}

void CZUDPAppointment::UpdateTimeTexts()
{
    FormatPlannerTime(m_strStartTime, m_dtStart, TIME_NOSECONDS, FALSE);
    m_strStartTime.MakeLower();
    FormatPlannerTime(m_strFinishTime, m_dtFinish, TIME_NOSECONDS, FALSE);
    m_strFinishTime.MakeLower();
}

CString CZUDPAppointment::GetToolTipText() const
{
    const int kMaxDescription = 256;
    CString text;
    if (!m_bAllDay) {
        text = m_strStartTime;
        if (m_dtFinish != m_dtStart) {
            text += "-";
            text += m_strFinishTime;
        }
    }
    if (!m_strDescription.IsEmpty()) {
        if (!text.IsEmpty())
            text += "\r\n";
        text += m_strDescription.GetLength() > kMaxDescription ? m_strDescription.Left(kMaxDescription)
                                                                : m_strDescription;
    }
    return text;
}

// ---- properties -------------------------------------------------------------------

void CZUDPAppointment::GetProperties(CZUDPAppointmentPropertyList& props) const
{
    props.RemoveAll();
    props.Add(ZUDP_APPOINTMENT_PROPERTY_START, new CZUDPAppointmentProperty(m_dtStart));
    props.Add(ZUDP_APPOINTMENT_PROPERTY_FINISH, new CZUDPAppointmentProperty(m_dtFinish));
    props.Add(ZUDP_APPOINTMENT_PROPERTY_DESCRIPTION, new CZUDPAppointmentProperty(m_strDescription));
    props.Add(ZUDP_APPOINTMENT_PROPERTY_BACKGROUND, new CZUDPAppointmentProperty(int(m_clrBackground)));
    props.Add(ZUDP_APPOINTMENT_PROPERTY_DURATION, new CZUDPAppointmentProperty(int(m_clrDuration)));
    props.Add(ZUDP_APPOINTMENT_PROPERTY_FOREGROUND, new CZUDPAppointmentProperty(int(m_clrForeground)));
    props.Add(ZUDP_APPOINTMENT_PROPERTY_IMAGES, new CZUDPAppointmentPropertyImages(m_lstImages));
    props.Add(ZUDP_APPOINTMENT_PROPERTY_ALLDAY, new CZUDPAppointmentProperty(m_bAllDay != FALSE));
}

void CZUDPAppointment::SetProperties(const CZUDPAppointmentPropertyList& props)
{
    if (props.IsEmpty())
        return;
    // Properties come from clipboard and drag archives too: one whose value
    // does not convert to its id's kind is skipped.
    const CZUDPAppointmentProperty* p;
    COleDateTime date;
    bool timesSet = false;
    if ((p = AppointmentValue(props, ZUDP_APPOINTMENT_PROPERTY_START)) != nullptr && p->TryGetDate(date)) {
        m_dtStart = date;
        timesSet = true;
    }
    if ((p = AppointmentValue(props, ZUDP_APPOINTMENT_PROPERTY_FINISH)) != nullptr && p->TryGetDate(date)) {
        m_dtFinish = date;
        timesSet = true;
    }
    BOOL bAllDay;
    if ((p = AppointmentValue(props, ZUDP_APPOINTMENT_PROPERTY_ALLDAY)) != nullptr && p->TryGetBool(bAllDay))
        SetAllDay(bAllDay);
    if (timesSet)
        UpdateTimeTexts();
    CString text;
    if ((p = AppointmentValue(props, ZUDP_APPOINTMENT_PROPERTY_DESCRIPTION)) != nullptr && p->TryGetString(text))
        SetDescription(text);
    int colour;
    if ((p = AppointmentValue(props, ZUDP_APPOINTMENT_PROPERTY_BACKGROUND)) != nullptr && p->TryGetInt(colour))
        m_clrBackground = COLORREF(colour);
    if ((p = AppointmentValue(props, ZUDP_APPOINTMENT_PROPERTY_DURATION)) != nullptr && p->TryGetInt(colour))
        m_clrDuration = COLORREF(colour);
    if ((p = AppointmentValue(props, ZUDP_APPOINTMENT_PROPERTY_FOREGROUND)) != nullptr && p->TryGetInt(colour))
        m_clrForeground = COLORREF(colour);
    const auto* images = DYNAMIC_DOWNCAST(CZUDPAppointmentPropertyImages, props.Get(ZUDP_APPOINTMENT_PROPERTY_IMAGES));
    if (images != nullptr)
        images->GetImages(m_lstImages);
    if (m_bRecurrenceClone)
        m_bRecurrenceException = TRUE;
}

// ---- recurrence -------------------------------------------------------------------

void CZUDPAppointment::SetRecurrence(CZUDPRecurrence* pRecurrence)
{
    if (pRecurrence != nullptr && pRecurrence == m_pRecurrence)
        m_pRecurrence = nullptr;   // taken again: not deleted by the clearing
    ClearRecurrence();
    if (pRecurrence == nullptr)
        return;
    m_bRecurrence = TRUE;
    m_pRecurrence = pRecurrence;
    pRecurrence->SetMasterAppointment(this);
    ApplyRecurrenceTimes();
}

void CZUDPAppointment::ClearRecurrence()
{
    m_bRecurrence = FALSE;
    m_RecurrenceID = 0;
    m_bRecurrenceClone = FALSE;
    m_bRecurrenceException = FALSE;
    m_dtRecurrenceDate = COleDateTime(0.0);
    delete m_pRecurrence;
    m_pRecurrence = nullptr;
}

void CZUDPAppointment::ApplyRecurrenceTimes()
{
    if (!m_bRecurrence || m_bRecurrenceClone || m_pRecurrence == nullptr)
        return;
    CZUDPRecurrenceBaseRule* pRule = m_pRecurrence->GetRule();
    if (pRule == nullptr)
        return;
    pRule->CorrectStart();
    SetAllDay(FALSE);
    COleDateTime first = pRule->GetDateStart();
    SetInterval(first + pRule->GetTimeStart(), first + pRule->GetTimeFinish());
}

CZUDPAppointment* CZUDPAppointment::CreateRecurrenceClone(const CZUDPAppointment* pMaster, const COleDateTime& date)
{
    if (pMaster == nullptr || pMaster->m_bRecurrenceClone || pMaster->m_RecurrenceID == 0)
        return nullptr;
    CObject* pObject = pMaster->GetRuntimeClass()->CreateObject();
    auto* pClone = DYNAMIC_DOWNCAST(CZUDPAppointment, pObject);
    if (pClone == nullptr) {
        delete pObject;
        return nullptr;
    }
    CZUDPAppointmentPropertyList props;
    pMaster->GetProperties(props);
    pClone->SetProperties(props);
    pClone->m_ResourceID = pMaster->m_ResourceID;
    const COleDateTime& masterStart = pMaster->m_dtStart;
    COleDateTime start(date.GetYear(), date.GetMonth(), date.GetDay(), masterStart.GetHour(), masterStart.GetMinute(),
                       masterStart.GetSecond());
    COleDateTime finish = start + (pMaster->m_dtFinish - masterStart);
    pClone->SetInterval(start, finish);
    pClone->m_bRecurrence = TRUE;
    pClone->m_RecurrenceID = pMaster->m_RecurrenceID;
    pClone->m_dtRecurrenceDate = date;
    pClone->m_bRecurrenceClone = TRUE;
    pClone->m_bRecurrenceException = FALSE;
    pClone->m_pRecurrence = nullptr;
    return pClone;
}

// ---- layout per shown date --------------------------------------------------------

CRect CZUDPAppointment::GetDrawRect(const COleDateTime& date) const
{
    if (IsZeroAppointmentDate(date) || m_DSDraw.GetCount() == 0)
        return m_rectDraw;
    const CZUDPAppointmentDrawStruct* part = m_DSDraw.Find(date);
    return part != nullptr ? part->GetRect() : m_rectDraw;
}

CRect CZUDPAppointment::GetEditRect(const COleDateTime& date) const
{
    if (IsZeroAppointmentDate(date) || m_DSDraw.GetCount() == 0)
        return m_rectEdit;
    const auto* part = static_cast<const CZUDPAppointmentDrawStructEx*>(m_DSDraw.Find(date));
    return part != nullptr ? part->GetEditRect() : m_rectEdit;
}

CRect CZUDPAppointment::GetTextRect(const COleDateTime& date) const
{
    if (IsZeroAppointmentDate(date) || m_DSDraw.GetCount() == 0)
        return m_rectText;
    const auto* part = static_cast<const CZUDPAppointmentDrawStructEx*>(m_DSDraw.Find(date));
    return part != nullptr ? part->GetTextRect() : m_rectText;
}

BOOL CZUDPAppointment::GetDrawValue(const COleDateTime& date) const
{
    if (IsZeroAppointmentDate(date) || m_DSDraw.GetCount() == 0)
        return m_bTextTruncated;
    const auto* part = static_cast<const CZUDPAppointmentDrawStructEx*>(m_DSDraw.Find(date));
    return part != nullptr ? part->IsTextTruncated() : m_bTextTruncated;
}

BOOL CZUDPAppointment::IsVisibleDraw(const COleDateTime& date) const
{
    if (IsZeroAppointmentDate(date) || m_DSDraw.GetCount() == 0)
        return m_bVisibleDraw;
    const CZUDPAppointmentDrawStruct* part = m_DSDraw.Find(date);
    return part != nullptr ? part->IsVisible() : m_bVisibleDraw;
}

CRect CZUDPAppointment::GetPrintRect(const COleDateTime& date) const
{
    if (IsZeroAppointmentDate(date) || m_DSPrint.GetCount() == 0)
        return m_rectPrint;
    const CZUDPAppointmentDrawStruct* part = m_DSPrint.Find(date);
    return part != nullptr ? part->GetRect() : m_rectPrint;
}

BOOL CZUDPAppointment::IsVisiblePrint(const COleDateTime& date) const
{
    if (IsZeroAppointmentDate(date) || m_DSPrint.GetCount() == 0)
        return m_bVisiblePrint;
    const CZUDPAppointmentDrawStruct* part = m_DSPrint.Find(date);
    return part != nullptr ? part->IsVisible() : m_bVisiblePrint;
}

void CZUDPAppointment::SetVisibleDraw(BOOL bVisible, const COleDateTime& date)
{
    if (IsZeroAppointmentDate(date) || m_DSDraw.GetCount() == 0) {
        m_bVisibleDraw = bVisible;
        return;
    }
    if (CZUDPAppointmentDrawStruct* part = m_DSDraw.Find(date))
        part->SetVisible(bVisible);
}

void CZUDPAppointment::SetVisiblePrint(BOOL bVisible, const COleDateTime& date)
{
    if (IsZeroAppointmentDate(date) || m_DSPrint.GetCount() == 0) {
        m_bVisiblePrint = bVisible;
        return;
    }
    if (CZUDPAppointmentDrawStruct* part = m_DSPrint.Find(date))
        part->SetVisible(bVisible);
}

void CZUDPAppointment::SetDrawRect(const CRect& rect, const COleDateTime& date)
{
    RecordDayRect(m_DSDraw, m_rectDraw, rect, date);
}

void CZUDPAppointment::SetPrintRect(const CRect& rect, const COleDateTime& date)
{
    RecordDayRect(m_DSPrint, m_rectPrint, rect, date);
}

void CZUDPAppointment::RecordDayRect(CZUDPAppointmentDSMap& parts, CRect& rectOnePiece, const CRect& rect,
                                     const COleDateTime& date)
{
    if (IsZeroAppointmentDate(date) || PlannerDates::IsSameDay(m_dtStart, m_dtFinish)) {
        rectOnePiece = rect;
        return;
    }
    const COleDateTimeSpan oneDay(1.0);
    INT_PTR partsBefore = parts.GetCount();
    BOOL isStartDay = PlannerDates::IsSameDay(date, m_dtStart);
    BOOL isFinishDay = PlannerDates::IsSameDay(date, m_dtFinish);
    // A finish at midnight: the finish day shows nothing of the appointment,
    // so the part of the day before stretches over it and keeps the finish
    // edge.
    if (!m_bAllDay && m_dtFinish.GetHour() == 0 && m_dtFinish.GetMinute() == 0 &&
        (isFinishDay || date + oneDay == m_dtFinish)) {
        if (partsBefore > 0) {
            COleDateTime dayBefore = date - oneDay;
            if (!isFinishDay) {
                parts.Add(date, rect);
                dayBefore = date;
            }
            if (CZUDPAppointmentDrawStruct* part = parts.Find(dayBefore)) {
                CRect partRect = part->GetRect();
                parts.Add(dayBefore + oneDay, partRect);
                part->SetBorder(part->GetBorder() | CZUDPAppointmentDrawStruct::kFinishEdge);
                return;
            }
            // No part holds the day before (the layout skipped it): the
            // finish day is recorded like any other day.
        } else {
            isFinishDay = TRUE;
        }
    }
    parts.Add(date, rect);
    CZUDPAppointmentDrawStruct* part = parts.Find(date);
    if (part == nullptr)
        return;
    DWORD border = part->GetBorder();
    if (partsBefore == 0) {
        if (!isStartDay)
            border &= ~CZUDPAppointmentDrawStruct::kStartEdge;
        if (isFinishDay)
            border |= CZUDPAppointmentDrawStruct::kFinishEdge;
    } else if (isFinishDay) {
        border |= CZUDPAppointmentDrawStruct::kFinishEdge;
    } else {
        border &= ~CZUDPAppointmentDrawStruct::kFinishEdge;
    }
    part->SetBorder(border);
}

void CZUDPAppointment::ResetDraw()
{
    m_rectDraw.SetRectEmpty();
    m_rectEdit.SetRectEmpty();
    m_rectText.SetRectEmpty();
    m_bVisibleDraw = FALSE;
    m_bTextTruncated = FALSE;
    m_DSDraw.RemoveAll();
    m_DSDraw.SetConcatenate(TRUE);
}

void CZUDPAppointment::ResetPrint()
{
    m_rectPrint.SetRectEmpty();
    m_bVisiblePrint = FALSE;
    m_DSPrint.RemoveAll();
}

BOOL CZUDPAppointment::IsPointInDraw(const CPoint& point) const
{
    if (m_DSDraw.GetCount() > 0)
        return m_DSDraw.ContainsPoint(point);
    return m_bVisibleDraw && m_rectDraw.PtInRect(point);
}

BOOL CZUDPAppointment::IsPointInText(const CPoint& point) const
{
    if (m_DSDraw.GetCount() > 0)
        return m_DSDraw.ContainsPointInText(point);
    return m_bVisibleDraw && m_rectText.PtInRect(point);
}

void CZUDPAppointment::UpdateEditRect(const CPoint& point)
{
    if (m_DSDraw.GetCount() == 0)
        return;
    const auto* part = static_cast<const CZUDPAppointmentDrawStructEx*>(m_DSDraw.FindByPoint(point));
    if (part != nullptr)
        m_rectEdit = part->GetEditRect();
}

void CZUDPAppointment::AdjustTrackRect(CRect& rect, BOOL bVertical) const
{
    if (m_bAllDay || IsLong())
        rect.DeflateRect(kHitEdge, 0);
    else if (bVertical)
        rect.DeflateRect(0, kHitEdge);
}

int CZUDPAppointment::HitTest(const CPoint& point) const
{
    bool horizontal = m_bAllDay || IsLong();
    if (m_DSDraw.GetCount() == 0) {
        if (!m_bVisibleDraw || !m_rectDraw.PtInRect(point))
            return ZUDP_APPOINTMENT_HIT_NOWHERE;
        const CRect& r = m_rectDraw;
        if (!horizontal) {
            if (InRange(point.y, r.top, r.top + kHitEdge))
                return ZUDP_APPOINTMENT_HIT_TOP;
            if (InRange(point.y, r.bottom - kHitEdge, r.bottom))
                return ZUDP_APPOINTMENT_HIT_BOTTOM;
        } else {
            if (InRange(point.x, m_rectEdit.left, m_rectEdit.left + kHitEdge))
                return ZUDP_APPOINTMENT_HIT_LEFT;
            if (InRange(point.x, r.right - kHitEdge, r.right))
                return ZUDP_APPOINTMENT_HIT_RIGHT;
        }
        return InStripBeforeText(r, m_rectText, point) ? ZUDP_APPOINTMENT_HIT_STRIP : ZUDP_APPOINTMENT_HIT_INSIDE;
    }
    const auto* part = static_cast<const CZUDPAppointmentDrawStructEx*>(m_DSDraw.FindByPoint(point));
    if (part == nullptr)
        return ZUDP_APPOINTMENT_HIT_NOWHERE;
    const CRect& r = part->GetRect();
    DWORD border = part->GetBorder();
    int hit = ZUDP_APPOINTMENT_HIT_NOWHERE;
    if (!horizontal) {
        if ((border & CZUDPAppointmentDrawStruct::kStartEdge) && InRange(point.y, r.top, r.top + kHitEdge))
            hit = ZUDP_APPOINTMENT_HIT_TOP;
        if ((border & CZUDPAppointmentDrawStruct::kFinishEdge) && InRange(point.y, r.bottom - kHitEdge, r.bottom))
            hit = ZUDP_APPOINTMENT_HIT_BOTTOM;
    } else {
        LONG editLeft = part->GetEditRect().left;
        if ((border & CZUDPAppointmentDrawStruct::kStartEdge) && InRange(point.x, editLeft, editLeft + kHitEdge))
            hit = ZUDP_APPOINTMENT_HIT_LEFT;
        if ((border & CZUDPAppointmentDrawStruct::kFinishEdge) && InRange(point.x, r.right - kHitEdge, r.right))
            hit = ZUDP_APPOINTMENT_HIT_RIGHT;
    }
    if (hit != ZUDP_APPOINTMENT_HIT_NOWHERE)
        return hit;
    return InStripBeforeText(r, part->GetTextRect(), point) ? ZUDP_APPOINTMENT_HIT_STRIP : ZUDP_APPOINTMENT_HIT_INSIDE;
}

// ---- archive --------------------------------------------------------------------------

void CZUDPAppointment::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dtStart << m_dtFinish << m_strDescription << int32_t(m_bAllDay) << DWORD(m_clrBackground)
           << DWORD(m_clrDuration) << DWORD(m_clrForeground) << int32_t(m_bRecurrence);
        if (m_bRecurrence) {
            ar << DWORD(m_RecurrenceID) << m_dtRecurrenceDate << int32_t(m_bRecurrenceClone);
            if (m_bRecurrenceClone)
                ar << int32_t(m_bRecurrenceException);
            else
                ar.WriteObject(m_pRecurrence);
        }
        ar << DWORD(m_ResourceID);
        ar.WriteCount(DWORD_PTR(m_lstImages.GetCount()));
        for (POSITION pos = m_lstImages.GetHeadPosition(); pos != nullptr;)
            ar << int32_t(m_lstImages.GetNext(pos));
        return;
    }

    Initialize();
    ar >> m_dtStart >> m_dtFinish >> m_strDescription;
    int32_t allDay;
    ar >> allDay;
    SetAllDay(allDay);
    DWORD colour;
    ar >> colour;
    m_clrBackground = colour;
    ar >> colour;
    m_clrDuration = colour;
    ar >> colour;
    m_clrForeground = colour;
    int32_t recurring;
    ar >> recurring;
    if (recurring != 0) {
        DWORD id;
        int32_t occurrence;
        ar >> id >> m_dtRecurrenceDate >> occurrence;
        m_bRecurrence = TRUE;
        m_RecurrenceID = id;
        m_bRecurrenceClone = occurrence != 0;
        if (m_bRecurrenceClone) {
            int32_t exception;
            ar >> exception;
            m_bRecurrenceException = exception != 0;
        } else {
            auto* pRecurrence = static_cast<CZUDPRecurrence*>(ar.ReadOwnedObject(RUNTIME_CLASS(CZUDPRecurrence)));
            SetRecurrence(pRecurrence);
        }
    }
    // Written always, so read always (the archive is only ever read by
    // the program that wrote it: clipboard and drag and drop).
    DWORD resource;
    ar >> resource;
    m_ResourceID = resource;
    UpdateTimeTexts();
    DWORD_PTR count = ar.ReadCount();
    ar.CheckCount(count, 4);
    for (DWORD_PTR i = 0; i < count; ++i) {
        int32_t image;
        ar >> image;
        m_lstImages.AddTail(int(image));
    }
}

// ---- display order ----------------------------------------------------------------------

int CompareAppointments(const CZUDPAppointment* pApp1, const CZUDPAppointment* pApp2)
{
    if (pApp1 == pApp2)
        return 0;
    if (pApp1->GetResourceID() != pApp2->GetResourceID())
        return pApp1->GetResourceID() < pApp2->GetResourceID() ? -1 : 1;

    const COleDateTime& start1 = pApp1->GetStart();
    const COleDateTime& start2 = pApp2->GetStart();
    if (PlannerDates::IsSameDay(start1, start2)) {
        bool long1 = pApp1->IsLong() || pApp1->IsAllDay();
        bool long2 = pApp2->IsLong() || pApp2->IsAllDay();
        if (long1 != long2)
            return long1 ? -1 : 1;
    }

    int rank1 = StatusRank(start1.GetStatus());
    int rank2 = StatusRank(start2.GetStatus());
    if (rank1 != rank2)
        return rank1 < rank2 ? -1 : 1;
    if (start1 < start2)
        return -1;
    if (start2 < start1)
        return 1;

    COleDateTimeSpan duration1 = pApp1->GetDuration();
    COleDateTimeSpan duration2 = pApp2->GetDuration();
    rank1 = StatusRank(duration1.GetStatus());
    rank2 = StatusRank(duration2.GetStatus());
    if (rank1 != rank2)
        return rank1 < rank2 ? -1 : 1;
    if (duration1 > duration2)
        return -1;
    if (duration2 > duration1)
        return 1;

    const CString& text1 = pApp1->GetDescription();
    const CString& text2 = pApp2->GetDescription();
    int result;
    if (!text1.IsEmpty() && !text2.IsEmpty() &&
        std::toupper(static_cast<unsigned char>(text1[0])) == std::toupper(static_cast<unsigned char>(text2[0])))
        result = text1.Compare(text2);
    else
        result = text1.CompareNoCase(text2);
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

void SortAppointments(CZUDPAppointment** ppApps, INT_PTR nCount)
{
    if (ppApps == nullptr || nCount < 2)
        return;
    std::sort(ppApps, ppApps + nCount, [](const CZUDPAppointment* a, const CZUDPAppointment* b) {
        return CompareAppointments(a, b) < 0;
    });
}
