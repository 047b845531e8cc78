#include "ui/planner/ZUDPRecurrenceRule.h"

#include <cmath>

#include "framework/Archive.h"
#include "ui/planner/ZUDPAppointmentProperty.h"
#include "ui/planner/ZUDPPlannerDates.h"

IMPLEMENT_SERIAL_OWNED(CZUDPRecurrenceBaseRule, CObject, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL_OWNED(CZUDPRecurrenceRuleDaily, CZUDPRecurrenceBaseRule, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL_OWNED(CZUDPRecurrenceRuleWeekly, CZUDPRecurrenceBaseRule, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL_OWNED(CZUDPRecurrenceRuleMonthly, CZUDPRecurrenceBaseRule, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL_OWNED(CZUDPRecurrenceRuleYearly, CZUDPRecurrenceBaseRule, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_DYNCREATE(CZUDPRecurrenceRuleRegistrator, CObject)

namespace {

// The date that ends a series.
COleDateTime NullRuleDate() { return COleDateTime(0.0); }

bool IsNullRuleDate(const COleDateTime& date) { return date == NullRuleDate(); }

// 1 Monday ... 7 Sunday (-2 for a date that is not valid).
int MondayFirstWeekday(const COleDateTime& date)
{
    int day = date.GetDayOfWeek() - 1;
    return day == 0 ? 7 : day;
}

COleDateTime AddRuleDays(const COleDateTime& date, double days) { return date + COleDateTimeSpan(days); }

COleDateTime MondayOfWeek(const COleDateTime& date) { return AddRuleDays(date, -(MondayFirstWeekday(date) - 1)); }

COleDateTime RuleDate(int year, int month, int day) { return COleDateTime(year, month, day, 0, 0, 0); }

// Whole days from a to b (b - a).
LONGLONG RuleDaysBetween(const COleDateTime& a, const COleDateTime& b) { return PlannerDates::WholeDays(b - a); }

// The day number of the occurrence of a day-number or nth-day rule in a
// month; the result lies outside the month only for the last day of day
// kind 0 (32).  0 for parameters out of range.
int RuleDayInMonth(int kind, int day, int nth, int dayKind, int month, int year)
{
    if (kind == 0)
        return day;
    if (month < 1 || month > 12 || nth < 0 || nth > 4 || dayKind < 0 || dayKind > 9)
        return 0;
    bool last = nth == 4;
    if (dayKind == 0)
        return last ? 32 : nth + 1;
    int d = last ? PlannerDates::DaysInMonth(month, year) : 1;
    int w = MondayFirstWeekday(RuleDate(year, month, d));
    if (w < 1)
        return 0;
    if (dayKind == 1) {   // workday
        if (last)
            return w <= 5 ? d : d + 5 - w;
        int base = w <= 5 ? d : d + 8 - w;
        int v = w <= 5 ? w : 1;
        return nth + v <= 5 ? base + nth : base + nth + 2;
    }
    if (dayKind == 2) {   // weekend day
        if (last)
            return w >= 6 ? d : d - w;
        int s = w >= 6 ? d : d + 6 - w;
        static const int kAfterSaturday[4] = { 0, 1, 7, 8 };
        static const int kAfterSunday[4] = { 0, 6, 7, 13 };
        return s + (w == 7 ? kAfterSunday[nth] : kAfterSaturday[nth]);
    }
    int t = dayKind - 2;  // Monday-first weekday
    if (last)
        return d + t - w - (t > w ? 7 : 0);
    return d + (t < w ? 7 : 0) + 7 * nth + t - w;
}

bool IsValidDayKindParameters(int kind, int day, int nth, int dayKind)
{
    if (kind == 0)
        return day >= 1 && day <= 31;
    return kind == 1 && nth >= 0 && nth <= 4 && dayKind >= 0 && dayKind <= 9;
}

// A rule's value property of an id, or null.
const CZUDPAppointmentProperty* RuleValue(const CZUDPAppointmentPropertyList& props, DWORD id)
{
    return DYNAMIC_DOWNCAST(CZUDPAppointmentProperty, props.Get(id));
}

// Takes an int property into a field when it is one.
void TakeRuleInt(const CZUDPAppointmentPropertyList& props, DWORD id, int& field)
{
    int value;
    const CZUDPAppointmentProperty* p = RuleValue(props, id);
    if (p != nullptr && p->TryGetInt(value))
        field = value;
}

void ReadRuleInt(CArchive& ar, int& field)
{
    int32_t value;
    ar >> value;
    field = int(value);
}

} // namespace

// ---- CZUDPRecurrenceBaseRule -------------------------------------------------

void CZUDPRecurrenceBaseRule::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dtStart << m_spanStart << m_spanFinish << int32_t(m_nEndKind) << m_dtEnd
           << int32_t(m_nOccurrenceCount) << DWORD(m_dwID);
        return;
    }
    UINT schema = ar.GetObjectSchema();
    ar >> m_dtStart >> m_spanStart >> m_spanFinish;
    ReadRuleInt(ar, m_nEndKind);
    ar >> m_dtEnd;
    ReadRuleInt(ar, m_nOccurrenceCount);
    if (schema > 1) {
        DWORD id;
        ar >> id;
        m_dwID = id;
    }
    if (m_dwID == ZUDP_RECURRENCE_RULE_NONE)
        m_dwID = GetClassID();
}

void CZUDPRecurrenceBaseRule::GetProperties(CZUDPAppointmentPropertyList& props) const
{
    props.RemoveAll();
    props.Add(ZUDP_RECURRENCE_PROPERTY_FIRST_DATE, new CZUDPAppointmentProperty(m_dtStart));
    props.Add(ZUDP_RECURRENCE_PROPERTY_START_TIME, new CZUDPAppointmentProperty(m_spanStart));
    props.Add(ZUDP_RECURRENCE_PROPERTY_FINISH_TIME, new CZUDPAppointmentProperty(m_spanFinish));
    props.Add(ZUDP_RECURRENCE_PROPERTY_END_KIND, new CZUDPAppointmentProperty(m_nEndKind));
    props.Add(ZUDP_RECURRENCE_PROPERTY_OCCURRENCE_COUNT, new CZUDPAppointmentProperty(m_nOccurrenceCount));
    props.Add(ZUDP_RECURRENCE_PROPERTY_END_DATE, new CZUDPAppointmentProperty(m_dtEnd));
}

void CZUDPRecurrenceBaseRule::SetProperties(const CZUDPAppointmentPropertyList& props)
{
    if (props.IsEmpty())
        return;
    COleDateTime date;
    COleDateTimeSpan span;
    const CZUDPAppointmentProperty* p;
    if ((p = RuleValue(props, ZUDP_RECURRENCE_PROPERTY_FIRST_DATE)) != nullptr && p->TryGetDate(date))
        SetDateStart(date);
    if ((p = RuleValue(props, ZUDP_RECURRENCE_PROPERTY_START_TIME)) != nullptr && p->TryGetSpan(span))
        m_spanStart = span;
    if ((p = RuleValue(props, ZUDP_RECURRENCE_PROPERTY_FINISH_TIME)) != nullptr && p->TryGetSpan(span))
        m_spanFinish = span;
    TakeRuleInt(props, ZUDP_RECURRENCE_PROPERTY_END_KIND, m_nEndKind);
    TakeRuleInt(props, ZUDP_RECURRENCE_PROPERTY_OCCURRENCE_COUNT, m_nOccurrenceCount);
    if ((p = RuleValue(props, ZUDP_RECURRENCE_PROPERTY_END_DATE)) != nullptr && p->TryGetDate(date))
        m_dtEnd = date;
}

COleDateTime CZUDPRecurrenceBaseRule::GetFirstOccurrence(const COleDateTime& date) const
{
    return FindFirstOccurrence(date, TRUE);
}

COleDateTime CZUDPRecurrenceBaseRule::FindFirstOccurrence(const COleDateTime& date, BOOL bAllowJump) const
{
    COleDateTime cur = m_dtStart;
    if (m_dtStart > date)
        return NullRuleDate();
    if (!(m_dtStart < date))
        return cur;
    if (bAllowJump)
        cur = JumpTowards(cur, date);
    while (cur.GetStatus() == COleDateTime::valid && !IsNullRuleDate(cur) &&
           date.GetStatus() == COleDateTime::valid && date.m_dt > cur.m_dt) {
        COleDateTime next = GetNextOccurrence(cur);
        // A next date that is not later than the current one would never
        // get past the date: the series ends.
        if (next.GetStatus() == COleDateTime::valid && !IsNullRuleDate(next) && !(next > cur))
            return NullRuleDate();
        cur = next;
    }
    return cur;
}

COleDateTime CZUDPRecurrenceBaseRule::JumpTowards(const COleDateTime& cur, const COleDateTime& date) const
{
    (void)date;
    return cur;
}

COleDateTime CZUDPRecurrenceBaseRule::GetNextOccurrence(const COleDateTime& date) const
{
    (void)date;
    return NullRuleDate();
}

COleDateTime CZUDPRecurrenceBaseRule::GetPreviousOccurrence(const COleDateTime& date) const
{
    (void)date;
    return NullRuleDate();
}

BOOL CZUDPRecurrenceBaseRule::operator==(const CZUDPRecurrenceBaseRule& rule) const
{
    if (m_dwID != rule.m_dwID)
        return FALSE;
    CZUDPAppointmentPropertyList mine;
    CZUDPAppointmentPropertyList theirs;
    GetProperties(mine);
    rule.GetProperties(theirs);
    return mine.IsEqual(theirs);
}

CZUDPRecurrenceBaseRule* CZUDPRecurrenceBaseRule::CreateCopy() const
{
    CObject* pObject = GetRuntimeClass()->CreateObject();
    auto* pCopy = DYNAMIC_DOWNCAST(CZUDPRecurrenceBaseRule, pObject);
    if (pCopy == nullptr) {
        delete pObject;
        return nullptr;
    }
    CZUDPAppointmentPropertyList props;
    GetProperties(props);
    pCopy->SetProperties(props);
    pCopy->m_dwID = m_dwID;
    return pCopy;
}

void CZUDPRecurrenceBaseRule::SetDateStart(const COleDateTime& date)
{
    m_dtStart = PlannerDates::TruncateToDay(date);
}

BOOL CZUDPRecurrenceBaseRule::CanContinueFrom(const COleDateTime& date) const
{
    return !(date < m_dtStart) && HasValidParameters();
}

BOOL CZUDPRecurrenceBaseRule::IsPastEndDate(const COleDateTime& next) const
{
    return m_nEndKind == ZUDP_RECURRENCE_END_BY_DATE && m_dtEnd < next;
}

// ---- CZUDPRecurrenceRuleDaily ------------------------------------------------

void CZUDPRecurrenceRuleDaily::Serialize(CArchive& ar)
{
    CZUDPRecurrenceBaseRule::Serialize(ar);
    if (ar.IsStoring()) {
        ar << int32_t(m_nKind) << int32_t(m_nInterval);
    } else {
        ReadRuleInt(ar, m_nKind);
        ReadRuleInt(ar, m_nInterval);
    }
}

void CZUDPRecurrenceRuleDaily::GetProperties(CZUDPAppointmentPropertyList& props) const
{
    CZUDPRecurrenceBaseRule::GetProperties(props);
    props.Add(ZUDP_RECURRENCE_PROPERTY_RULE_FIRST, new CZUDPAppointmentProperty(m_nKind));
    props.Add(ZUDP_RECURRENCE_PROPERTY_RULE_FIRST + 1, new CZUDPAppointmentProperty(m_nInterval));
}

void CZUDPRecurrenceRuleDaily::SetProperties(const CZUDPAppointmentPropertyList& props)
{
    CZUDPRecurrenceBaseRule::SetProperties(props);
    if (props.IsEmpty())
        return;
    TakeRuleInt(props, ZUDP_RECURRENCE_PROPERTY_RULE_FIRST, m_nKind);
    TakeRuleInt(props, ZUDP_RECURRENCE_PROPERTY_RULE_FIRST + 1, m_nInterval);
}

BOOL CZUDPRecurrenceRuleDaily::SetDayKind(int nKind)
{
    if (nKind != 0 && nKind != 1)
        return FALSE;
    m_nKind = nKind;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleDaily::SetDayInterval(int nInterval)
{
    if (nInterval < 1)
        return FALSE;
    m_nInterval = nInterval;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleDaily::HasValidParameters() const
{
    return m_nKind == 1 || (m_nKind == 0 && m_nInterval >= 1);
}

void CZUDPRecurrenceRuleDaily::CorrectStart()
{
    if (m_nKind != 1)
        return;
    int w = MondayFirstWeekday(m_dtStart);
    if (w == 6 || w == 7)
        SetDateStart(AddRuleDays(m_dtStart, w == 6 ? 2 : 1));
}

COleDateTime CZUDPRecurrenceRuleDaily::GetNextOccurrence(const COleDateTime& date) const
{
    if (!CanContinueFrom(date))
        return NullRuleDate();
    COleDateTime next;
    if (m_nKind == 1) {
        next = AddRuleDays(date, 1);
        int w = MondayFirstWeekday(next);
        if (w == 7)
            next = AddRuleDays(next, 1);
        else if (w == 6)
            next = AddRuleDays(next, 2);
    } else {
        next = AddRuleDays(date, m_nInterval);
    }
    if (m_nEndKind == ZUDP_RECURRENCE_END_AFTER_COUNT) {
        if (m_nKind == 1) {
            // Workdays from the first date to next, both counted.
            LONGLONG k = RuleDaysBetween(m_dtStart, next) + 1 -
                         2 * (RuleDaysBetween(MondayOfWeek(m_dtStart), next) / 7);
            if (k > m_nOccurrenceCount)
                return NullRuleDate();
        } else if (RuleDaysBetween(m_dtStart, next) >= LONGLONG(m_nInterval) * m_nOccurrenceCount) {
            return NullRuleDate();
        }
    }
    if (IsPastEndDate(next))
        return NullRuleDate();
    return next;
}

COleDateTime CZUDPRecurrenceRuleDaily::JumpTowards(const COleDateTime& cur, const COleDateTime& date) const
{
    // Every interval days from the first date: straight to the last
    // occurrence before the date.  Only for plain (non-negative) values,
    // where the walk's value comparison is the date order.
    if (m_nKind != 0 || m_nInterval < 1 || cur.GetStatus() != COleDateTime::valid ||
        date.GetStatus() != COleDateTime::valid || cur.m_dt < 0.0 || !(date.m_dt > cur.m_dt))
        return cur;
    double steps = std::ceil((date.m_dt - cur.m_dt) / m_nInterval) - 1.0;
    if (steps < 1.0)
        return cur;
    return AddRuleDays(cur, steps * m_nInterval);
}

// ---- CZUDPRecurrenceRuleWeekly -----------------------------------------------

DWORD CZUDPRecurrenceRuleWeekly::DayToMask(int nWeekday)
{
    return nWeekday >= 1 && nWeekday <= 7 ? DWORD(1) << (nWeekday - 1) : DWORD(Monday);
}

int CZUDPRecurrenceRuleWeekly::MaskToDay(DWORD dwMask)
{
    for (int day = 1; day <= 7; ++day) {
        if (dwMask == DayToMask(day))
            return day;
    }
    return 0;
}

void CZUDPRecurrenceRuleWeekly::Serialize(CArchive& ar)
{
    CZUDPRecurrenceBaseRule::Serialize(ar);
    if (ar.IsStoring()) {
        ar << int32_t(m_nInterval) << DWORD(m_dwDays);
    } else {
        ReadRuleInt(ar, m_nInterval);
        DWORD days;
        ar >> days;
        SetDays(days);
    }
}

void CZUDPRecurrenceRuleWeekly::GetProperties(CZUDPAppointmentPropertyList& props) const
{
    CZUDPRecurrenceBaseRule::GetProperties(props);
    props.Add(ZUDP_RECURRENCE_PROPERTY_RULE_FIRST, new CZUDPAppointmentProperty(m_nInterval));
    props.Add(ZUDP_RECURRENCE_PROPERTY_RULE_FIRST + 1, new CZUDPAppointmentProperty(int(m_dwDays)));
}

void CZUDPRecurrenceRuleWeekly::SetProperties(const CZUDPAppointmentPropertyList& props)
{
    CZUDPRecurrenceBaseRule::SetProperties(props);
    if (props.IsEmpty())
        return;
    TakeRuleInt(props, ZUDP_RECURRENCE_PROPERTY_RULE_FIRST, m_nInterval);
    int days = 0;
    TakeRuleInt(props, ZUDP_RECURRENCE_PROPERTY_RULE_FIRST + 1, days);
    SetDays(DWORD(days));
}

BOOL CZUDPRecurrenceRuleWeekly::SetWeekInterval(int nInterval)
{
    if (nInterval < 1)
        return FALSE;
    m_nInterval = nInterval;
    return TRUE;
}

void CZUDPRecurrenceRuleWeekly::SetDays(DWORD dwDays)
{
    dwDays &= AllDays;
    if (dwDays == 0 || dwDays == m_dwDays)
        return;
    m_dwDays = dwDays;
    m_nDayCount = 0;
    m_dwFirstDay = 0;
    for (int day = 1; day <= 7; ++day) {
        DWORD bit = DayToMask(day);
        if (dwDays & bit) {
            if (m_dwFirstDay == 0)
                m_dwFirstDay = bit;
            m_dwLastDay = bit;
            ++m_nDayCount;
        }
    }
}

void CZUDPRecurrenceRuleWeekly::CorrectStart()
{
    if (!HasValidParameters() || m_dtStart.GetStatus() != COleDateTime::valid)
        return;
    int shift = (MaskToDay(m_dwFirstDay) - MondayFirstWeekday(m_dtStart) + 7) % 7;
    if (shift != 0)
        SetDateStart(AddRuleDays(m_dtStart, shift));
}

COleDateTime CZUDPRecurrenceRuleWeekly::GetNextOccurrence(const COleDateTime& date) const
{
    if (!CanContinueFrom(date))
        return NullRuleDate();
    int w = MondayFirstWeekday(date);
    if (w < 1)
        return NullRuleDate();
    COleDateTime next;
    if (w == MaskToDay(m_dwLastDay)) {
        // The first selected day of the week interval weeks on.
        next = AddRuleDays(MondayOfWeek(date), 7.0 * m_nInterval + MaskToDay(m_dwFirstDay) - 1);
    } else {
        // The next selected day of the week, or Monday after the last one.
        int nextDay = 1;
        for (int day = w + 1; day <= 7; ++day) {
            if (m_dwDays & DayToMask(day)) {
                nextDay = day;
                break;
            }
        }
        int shift = nextDay - w;
        next = AddRuleDays(date, shift < 0 ? shift + 7 : shift);
    }
    if (m_nEndKind == ZUDP_RECURRENCE_END_AFTER_COUNT) {
        // Whole weeks of occurrences and the selected days of a last,
        // partial one, counted from the Monday of the first week.
        unsigned count = unsigned(m_nOccurrenceCount);
        unsigned q = count / unsigned(m_nDayCount);
        unsigned r = count % unsigned(m_nDayCount);
        double limit = 7.0 * m_nInterval * q;
        if (r > 0) {
            unsigned seen = 0;
            for (int day = 1; day <= 7; ++day) {
                if ((m_dwDays & DayToMask(day)) && ++seen == r) {
                    limit += day;
                    break;
                }
            }
        }
        if (double(RuleDaysBetween(MondayOfWeek(m_dtStart), next)) >= limit)
            return NullRuleDate();
    }
    if (IsPastEndDate(next))
        return NullRuleDate();
    return next;
}

COleDateTime CZUDPRecurrenceRuleWeekly::JumpTowards(const COleDateTime& cur, const COleDateTime& date) const
{
    if (!HasValidParameters() || cur.GetStatus() != COleDateTime::valid ||
        date.GetStatus() != COleDateTime::valid || cur.m_dt < 0.0)
        return cur;
    // Walk to the first occurrence on the last selected weekday: from
    // there the weeks repeat every interval weeks.
    int lastDay = MaskToDay(m_dwLastDay);
    COleDateTime at = cur;
    for (int step = 0; step < 8 && MondayFirstWeekday(at) != lastDay; ++step) {
        COleDateTime next = GetNextOccurrence(at);
        if (next.GetStatus() != COleDateTime::valid || IsNullRuleDate(next) || !(next > at) ||
            !(next.m_dt < date.m_dt))
            return at;
        at = next;
    }
    if (MondayFirstWeekday(at) != lastDay || !(date.m_dt > at.m_dt))
        return at;
    double period = 7.0 * m_nInterval;
    double periods = std::ceil((date.m_dt - at.m_dt) / period) - 1.0;
    if (periods < 1.0)
        return at;
    return AddRuleDays(at, periods * period);
}

// ---- CZUDPRecurrenceRuleMonthly ----------------------------------------------

void CZUDPRecurrenceRuleMonthly::Serialize(CArchive& ar)
{
    CZUDPRecurrenceBaseRule::Serialize(ar);
    if (ar.IsStoring()) {
        ar << int32_t(m_nKind) << int32_t(m_nDay) << int32_t(m_nDayInterval) << int32_t(m_nNth)
           << int32_t(m_nNthDayKind) << int32_t(m_nNthInterval);
    } else {
        ReadRuleInt(ar, m_nKind);
        ReadRuleInt(ar, m_nDay);
        ReadRuleInt(ar, m_nDayInterval);
        ReadRuleInt(ar, m_nNth);
        ReadRuleInt(ar, m_nNthDayKind);
        ReadRuleInt(ar, m_nNthInterval);
    }
}

void CZUDPRecurrenceRuleMonthly::GetProperties(CZUDPAppointmentPropertyList& props) const
{
    CZUDPRecurrenceBaseRule::GetProperties(props);
    const int values[6] = { m_nKind, m_nDay, m_nDayInterval, m_nNth, m_nNthDayKind, m_nNthInterval };
    for (int i = 0; i < 6; ++i)
        props.Add(ZUDP_RECURRENCE_PROPERTY_RULE_FIRST + i, new CZUDPAppointmentProperty(values[i]));
}

void CZUDPRecurrenceRuleMonthly::SetProperties(const CZUDPAppointmentPropertyList& props)
{
    CZUDPRecurrenceBaseRule::SetProperties(props);
    if (props.IsEmpty())
        return;
    int* fields[6] = { &m_nKind, &m_nDay, &m_nDayInterval, &m_nNth, &m_nNthDayKind, &m_nNthInterval };
    for (int i = 0; i < 6; ++i)
        TakeRuleInt(props, ZUDP_RECURRENCE_PROPERTY_RULE_FIRST + i, *fields[i]);
}

BOOL CZUDPRecurrenceRuleMonthly::SetDayKind(int nKind)
{
    if (nKind != 0 && nKind != 1)
        return FALSE;
    m_nKind = nKind;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleMonthly::SetDay(int nDay)
{
    if (nDay < 1 || nDay > 31)
        return FALSE;
    m_nDay = nDay;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleMonthly::SetDayInterval(int nInterval)
{
    if (nInterval < 1)
        return FALSE;
    m_nDayInterval = nInterval;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleMonthly::SetNth(int nNth)
{
    if (nNth < 0 || nNth > 4)
        return FALSE;
    m_nNth = nNth;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleMonthly::SetNthDayKind(int nDayKind)
{
    if (nDayKind < 0 || nDayKind > 9)
        return FALSE;
    m_nNthDayKind = nDayKind;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleMonthly::SetNthInterval(int nInterval)
{
    if (nInterval < 1)
        return FALSE;
    m_nNthInterval = nInterval;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleMonthly::HasValidParameters() const
{
    if (!IsValidDayKindParameters(m_nKind, m_nDay, m_nNth, m_nNthDayKind))
        return FALSE;
    return (m_nKind == 0 ? m_nDayInterval : m_nNthInterval) >= 1;
}

int CZUDPRecurrenceRuleMonthly::GetDayInMonth(int nMonth, int nYear) const
{
    return RuleDayInMonth(m_nKind, m_nDay, m_nNth, m_nNthDayKind, nMonth, nYear);
}

void CZUDPRecurrenceRuleMonthly::CorrectStart()
{
    if (!HasValidParameters())
        return;
    int month = m_dtStart.GetMonth();
    int year = m_dtStart.GetYear();
    int day = GetDayInMonth(month, year);
    if (day < m_dtStart.GetDay()) {
        if (++month > 12) {
            month = 1;
            ++year;
        }
        day = GetDayInMonth(month, year);
    }
    int length = PlannerDates::DaysInMonth(month, year);
    COleDateTime corrected = RuleDate(year, month, day < length ? day : length);
    if (!(corrected == m_dtStart))
        SetDateStart(corrected);
}

COleDateTime CZUDPRecurrenceRuleMonthly::GetNextOccurrence(const COleDateTime& date) const
{
    if (!CanContinueFrom(date))
        return NullRuleDate();
    int n = m_nKind == 0 ? m_nDayInterval : m_nNthInterval;
    // n months on, by arithmetic (an interval may be large).
    LONGLONG months = LONGLONG(date.GetMonth()) - 1 + n;
    LONGLONG year = date.GetYear() + months / 12;
    if (year > 9999)
        return NullRuleDate();
    int month = int(months % 12) + 1;
    int length = PlannerDates::DaysInMonth(month, int(year));
    int day = GetDayInMonth(month, int(year));
    COleDateTime next = RuleDate(int(year), month, day < length ? day : length);
    if (next.GetStatus() != COleDateTime::valid)
        return next;
    if (m_nEndKind == ZUDP_RECURRENCE_END_AFTER_COUNT) {
        // The number of this occurrence, counting the first as 1.
        LONGLONG elapsed = (LONGLONG(next.GetYear()) - m_dtStart.GetYear()) * 12 + next.GetMonth() - m_dtStart.GetMonth();
        if (m_nOccurrenceCount < (elapsed + n) / n)
            return NullRuleDate();
    }
    if (IsPastEndDate(next))
        return NullRuleDate();
    return next;
}

// ---- CZUDPRecurrenceRuleYearly -----------------------------------------------

void CZUDPRecurrenceRuleYearly::Serialize(CArchive& ar)
{
    CZUDPRecurrenceBaseRule::Serialize(ar);
    if (ar.IsStoring()) {
        ar << int32_t(m_nKind) << int32_t(m_nMonth) << int32_t(m_nDay) << int32_t(m_nNth) << int32_t(m_nNthDayKind)
           << int32_t(m_nNthMonth);
    } else {
        ReadRuleInt(ar, m_nKind);
        ReadRuleInt(ar, m_nMonth);
        ReadRuleInt(ar, m_nDay);
        ReadRuleInt(ar, m_nNth);
        ReadRuleInt(ar, m_nNthDayKind);
        ReadRuleInt(ar, m_nNthMonth);
    }
}

void CZUDPRecurrenceRuleYearly::GetProperties(CZUDPAppointmentPropertyList& props) const
{
    CZUDPRecurrenceBaseRule::GetProperties(props);
    const int values[6] = { m_nKind, m_nMonth, m_nDay, m_nNth, m_nNthDayKind, m_nNthMonth };
    for (int i = 0; i < 6; ++i)
        props.Add(ZUDP_RECURRENCE_PROPERTY_RULE_FIRST + i, new CZUDPAppointmentProperty(values[i]));
}

void CZUDPRecurrenceRuleYearly::SetProperties(const CZUDPAppointmentPropertyList& props)
{
    CZUDPRecurrenceBaseRule::SetProperties(props);
    if (props.IsEmpty())
        return;
    int* fields[6] = { &m_nKind, &m_nMonth, &m_nDay, &m_nNth, &m_nNthDayKind, &m_nNthMonth };
    for (int i = 0; i < 6; ++i)
        TakeRuleInt(props, ZUDP_RECURRENCE_PROPERTY_RULE_FIRST + i, *fields[i]);
}

BOOL CZUDPRecurrenceRuleYearly::SetDayKind(int nKind)
{
    if (nKind != 0 && nKind != 1)
        return FALSE;
    m_nKind = nKind;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleYearly::SetMonth(int nMonth)
{
    if (nMonth < 1 || nMonth > 12)
        return FALSE;
    m_nMonth = nMonth;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleYearly::SetDay(int nDay)
{
    if (nDay < 1 || nDay > 31)
        return FALSE;
    m_nDay = nDay;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleYearly::SetNth(int nNth)
{
    if (nNth < 0 || nNth > 4)
        return FALSE;
    m_nNth = nNth;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleYearly::SetNthDayKind(int nDayKind)
{
    if (nDayKind < 0 || nDayKind > 9)
        return FALSE;
    m_nNthDayKind = nDayKind;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleYearly::SetNthMonth(int nMonth)
{
    if (nMonth < 1 || nMonth > 12)
        return FALSE;
    m_nNthMonth = nMonth;
    return TRUE;
}

BOOL CZUDPRecurrenceRuleYearly::HasValidParameters() const
{
    if (!IsValidDayKindParameters(m_nKind, m_nDay, m_nNth, m_nNthDayKind))
        return FALSE;
    int month = m_nKind == 0 ? m_nMonth : m_nNthMonth;
    return month >= 1 && month <= 12;
}

int CZUDPRecurrenceRuleYearly::GetDayInYear(int nYear) const
{
    return RuleDayInMonth(m_nKind, m_nDay, m_nNth, m_nNthDayKind, m_nNthMonth, nYear);
}

COleDateTime CZUDPRecurrenceRuleYearly::DateInYear(int nYear) const
{
    int month = m_nKind == 0 ? m_nMonth : m_nNthMonth;
    int length = PlannerDates::DaysInMonth(month, nYear);
    int day = GetDayInYear(nYear);
    return RuleDate(nYear, month, day < length ? day : length);
}

void CZUDPRecurrenceRuleYearly::CorrectStart()
{
    if (!HasValidParameters())
        return;
    int year = m_dtStart.GetYear();
    COleDateTime corrected = DateInYear(year);
    if (corrected < m_dtStart)
        corrected = DateInYear(year + 1);
    if (!(corrected == m_dtStart))
        SetDateStart(corrected);
}

COleDateTime CZUDPRecurrenceRuleYearly::GetNextOccurrence(const COleDateTime& date) const
{
    if (!CanContinueFrom(date))
        return NullRuleDate();
    COleDateTime next = DateInYear(date.GetYear() + 1);
    if (next.GetStatus() != COleDateTime::valid)
        return next;
    if (m_nEndKind == ZUDP_RECURRENCE_END_AFTER_COUNT &&
        m_nOccurrenceCount < LONGLONG(next.GetYear()) - m_dtStart.GetYear() + 1)
        return NullRuleDate();
    if (IsPastEndDate(next))
        return NullRuleDate();
    return next;
}

// ---- CZUDPRecurrenceRuleRegistrator ------------------------------------------

BOOL CZUDPRecurrenceRuleRegistrator::RegisterRule(CRuntimeClass* pRuntimeClass)
{
    if (pRuntimeClass == nullptr || !pRuntimeClass->IsDerivedFrom(RUNTIME_CLASS(CZUDPRecurrenceBaseRule)))
        return FALSE;
    for (INT_PTR i = 0; i < m_arRules.GetSize(); ++i) {
        if (m_arRules[i] == pRuntimeClass)
            return FALSE;
    }
    m_arRules.Add(pRuntimeClass);
    return TRUE;
}
