#pragma once
// Recurrence rules: the dates of the occurrences of a recurring
// appointment, one at a time (the first date, then the next after a given
// one, until the series ends).  Four rules (daily, weekly, monthly,
// yearly) derive from CZUDPRecurrenceBaseRule, which holds the first date,
// the times of day of an occurrence and how the series ends.  Every rule
// exposes its parameters as properties (ids 100-111) and serializes
// itself.
//
// An occurrence date is always a midnight; the occurrence starts at that
// date plus the start time and finishes at that date plus the finish time.
// The null date that ends a series is the zero date (value 0, valid).
//
// Weekdays: the rules count Monday first (1 Monday ... 7 Sunday); the
// weekly rule's mask has bit 0 for Monday up to bit 6 for Sunday.
//
// Parameters out of range (an interval below 1, a month outside 1-12, a
// day outside 1-31, an nth outside 0-4, a day kind outside 0-9, a kind
// other than 0 or 1) are refused by the setters (the previous value
// stays); read from an archive they end the series after its first date.
// A walk over a rule also ends when a next date is not later than the one
// before it.
#include "framework/Array.h"
#include "framework/Object.h"
#include "framework/OleDateTime.h"
#include "framework/Types.h"

class CArchive;
class CZUDPAppointmentPropertyList;

// The rules' property ids.
enum {
    ZUDP_RECURRENCE_PROPERTY_FIRST_DATE = 100,       // date
    ZUDP_RECURRENCE_PROPERTY_START_TIME = 101,       // span
    ZUDP_RECURRENCE_PROPERTY_FINISH_TIME = 102,      // span
    ZUDP_RECURRENCE_PROPERTY_END_KIND = 103,         // int
    ZUDP_RECURRENCE_PROPERTY_OCCURRENCE_COUNT = 104, // int
    ZUDP_RECURRENCE_PROPERTY_END_DATE = 105,         // date
    ZUDP_RECURRENCE_PROPERTY_RULE_FIRST = 106        // the derived rule's own ids, 106-111
};

// How a series ends.
enum {
    ZUDP_RECURRENCE_END_NONE = 0,
    ZUDP_RECURRENCE_END_AFTER_COUNT = 1,
    ZUDP_RECURRENCE_END_BY_DATE = 2
};

// The rule ids.
enum {
    ZUDP_RECURRENCE_RULE_NONE = 0,
    ZUDP_RECURRENCE_RULE_DAILY = 1,
    ZUDP_RECURRENCE_RULE_WEEKLY = 2,
    ZUDP_RECURRENCE_RULE_MONTHLY = 3,
    ZUDP_RECURRENCE_RULE_YEARLY = 4
};

class CZUDPRecurrenceBaseRule : public CObject {
    DECLARE_SERIAL(CZUDPRecurrenceBaseRule)
public:
    CZUDPRecurrenceBaseRule() = default;

    // First date, start and finish time, end kind, end date, occurrence
    // count, rule id (read only from archives of schema 2 or later), then
    // the derived rule's own fields.
    void Serialize(CArchive& ar) override;

    // ---- virtual operations, in slot order ----
    // The list is emptied, then ids 100-105 (and a derived rule's own).
    virtual void GetProperties(CZUDPAppointmentPropertyList& props) const;
    // Takes each id the list holds (nothing for an empty list); a property
    // of a kind that does not fit its id, or a value out of range, is
    // skipped.
    virtual void SetProperties(const CZUDPAppointmentPropertyList& props);
    // Moves the first date onto the rule's pattern.
    virtual void CorrectStart() {}
    // The first occurrence on or after the date, or the null date when the
    // first date is later than the date or the series ends before it.
    virtual COleDateTime GetFirstOccurrence(const COleDateTime& date) const;
    // The occurrence after an occurrence date, or the null date.
    virtual COleDateTime GetNextOccurrence(const COleDateTime& date) const;
    virtual COleDateTime GetPreviousOccurrence(const COleDateTime& date) const;
    // Equal rule ids and equal property lists.
    virtual BOOL operator==(const CZUDPRecurrenceBaseRule& rule) const;
    virtual BOOL operator!=(const CZUDPRecurrenceBaseRule& rule) const { return !(*this == rule); }

    // GetFirstOccurrence itself: with bAllowJump FALSE it walks occurrence
    // by occurrence (the reference the rules' direct jump is tested
    // against); with TRUE a rule may jump close to the date first.
    COleDateTime FindFirstOccurrence(const COleDateTime& date, BOOL bAllowJump) const;

    // A new rule of this one's class with its parameters and id.
    CZUDPRecurrenceBaseRule* CreateCopy() const;

    // The first date is always the calendar day of the date at 00:00
    // (invalid when the day cannot be formed).
    void SetDateStart(const COleDateTime& date);
    const COleDateTime& GetDateStart() const { return m_dtStart; }
    void SetTimeStart(const COleDateTimeSpan& span) { m_spanStart = span; }
    const COleDateTimeSpan& GetTimeStart() const { return m_spanStart; }
    void SetTimeFinish(const COleDateTimeSpan& span) { m_spanFinish = span; }
    const COleDateTimeSpan& GetTimeFinish() const { return m_spanFinish; }
    void SetEndKind(int nKind) { m_nEndKind = nKind; }
    int GetEndKind() const { return m_nEndKind; }
    void SetDateEnd(const COleDateTime& date) { m_dtEnd = date; }
    const COleDateTime& GetDateEnd() const { return m_dtEnd; }
    void SetOccurrenceCount(int nCount) { m_nOccurrenceCount = nCount; }
    int GetOccurrenceCount() const { return m_nOccurrenceCount; }
    void SetID(DWORD dwID) { m_dwID = dwID; }
    DWORD GetID() const { return m_dwID; }

protected:
    // The id a rule class gives itself when loaded without one.
    virtual DWORD GetClassID() const { return ZUDP_RECURRENCE_RULE_NONE; }
    // The derived rule's parameters are within their ranges.
    virtual BOOL HasValidParameters() const { return TRUE; }
    // An occurrence on the walk from cur towards the date, not after the
    // date (plain value order), from which the walk may go on; cur itself
    // when the rule cannot jump.
    virtual COleDateTime JumpTowards(const COleDateTime& cur, const COleDateTime& date) const;
    // The shared start of GetNextOccurrence: FALSE (and the walk ends)
    // for a date before the first date or parameters out of range.
    BOOL CanContinueFrom(const COleDateTime& date) const;
    // The end by date (end kind 2): the end date is earlier than next.
    BOOL IsPastEndDate(const COleDateTime& next) const;

    COleDateTime m_dtStart;
    COleDateTimeSpan m_spanStart;
    COleDateTimeSpan m_spanFinish;
    int m_nEndKind = ZUDP_RECURRENCE_END_NONE;
    COleDateTime m_dtEnd;
    int m_nOccurrenceCount = 10;
    DWORD m_dwID = ZUDP_RECURRENCE_RULE_NONE;
};

// Every N days (kind 0) or every workday, Monday to Friday (kind 1).
class CZUDPRecurrenceRuleDaily : public CZUDPRecurrenceBaseRule {
    DECLARE_SERIAL(CZUDPRecurrenceRuleDaily)
public:
    CZUDPRecurrenceRuleDaily() = default;

    void Serialize(CArchive& ar) override;
    void GetProperties(CZUDPAppointmentPropertyList& props) const override;
    void SetProperties(const CZUDPAppointmentPropertyList& props) override;
    void CorrectStart() override;
    COleDateTime GetNextOccurrence(const COleDateTime& date) const override;

    // FALSE (nothing changes) outside 0-1.
    BOOL SetDayKind(int nKind);
    int GetDayKind() const { return m_nKind; }
    // FALSE (nothing changes) below 1.
    BOOL SetDayInterval(int nInterval);
    int GetDayInterval() const { return m_nInterval; }

protected:
    DWORD GetClassID() const override { return ZUDP_RECURRENCE_RULE_DAILY; }
    BOOL HasValidParameters() const override;
    COleDateTime JumpTowards(const COleDateTime& cur, const COleDateTime& date) const override;

    int m_nKind = 0;
    int m_nInterval = 1;
};

// The selected weekdays of every Nth week.
class CZUDPRecurrenceRuleWeekly : public CZUDPRecurrenceBaseRule {
    DECLARE_SERIAL(CZUDPRecurrenceRuleWeekly)
public:
    // Weekday mask bits.
    enum { Monday = 0x01, Tuesday = 0x02, Wednesday = 0x04, Thursday = 0x08,
           Friday = 0x10, Saturday = 0x20, Sunday = 0x40, AllDays = 0x7F };

    CZUDPRecurrenceRuleWeekly() = default;

    void Serialize(CArchive& ar) override;
    void GetProperties(CZUDPAppointmentPropertyList& props) const override;
    void SetProperties(const CZUDPAppointmentPropertyList& props) override;
    void CorrectStart() override;
    COleDateTime GetNextOccurrence(const COleDateTime& date) const override;

    // FALSE (nothing changes) below 1.
    BOOL SetWeekInterval(int nInterval);
    int GetWeekInterval() const { return m_nInterval; }
    // Keeps bits 0-6; a mask without any of them, or the current one,
    // changes nothing.  First day, last day and day count follow.
    void SetDays(DWORD dwDays);
    DWORD GetDays() const { return m_dwDays; }
    DWORD GetFirstDay() const { return m_dwFirstDay; }
    DWORD GetLastDay() const { return m_dwLastDay; }
    int GetDayCount() const { return m_nDayCount; }

    // Mask bit of a Monday-first weekday (1-7), and back (0 for no single
    // bit of 0-6).
    static DWORD DayToMask(int nWeekday);
    static int MaskToDay(DWORD dwMask);

protected:
    DWORD GetClassID() const override { return ZUDP_RECURRENCE_RULE_WEEKLY; }
    BOOL HasValidParameters() const override { return m_nInterval >= 1 && m_nDayCount > 0; }
    COleDateTime JumpTowards(const COleDateTime& cur, const COleDateTime& date) const override;

    int m_nInterval = 1;
    DWORD m_dwDays = Monday;
    DWORD m_dwFirstDay = Monday;
    DWORD m_dwLastDay = Monday;
    int m_nDayCount = 1;
};

// A day number of every Nth month (kind 0), or the nth day of a kind
// (kind 1).
class CZUDPRecurrenceRuleMonthly : public CZUDPRecurrenceBaseRule {
    DECLARE_SERIAL(CZUDPRecurrenceRuleMonthly)
public:
    CZUDPRecurrenceRuleMonthly() = default;

    void Serialize(CArchive& ar) override;
    void GetProperties(CZUDPAppointmentPropertyList& props) const override;
    void SetProperties(const CZUDPAppointmentPropertyList& props) override;
    void CorrectStart() override;
    COleDateTime GetNextOccurrence(const COleDateTime& date) const override;

    // The day number of the occurrence in a month (32 stands for the last
    // day of day kind 0; callers cut it to the month's length).
    int GetDayInMonth(int nMonth, int nYear) const;

    // Each setter answers FALSE and changes nothing for a value out of
    // range.
    BOOL SetDayKind(int nKind);        // 0 a day number, 1 the nth day of a kind
    int GetDayKind() const { return m_nKind; }
    BOOL SetDay(int nDay);             // 1-31
    int GetDay() const { return m_nDay; }
    BOOL SetDayInterval(int nInterval); // months, kind 0; 1 or more
    int GetDayInterval() const { return m_nDayInterval; }
    BOOL SetNth(int nNth);             // 0 first ... 3 fourth, 4 last
    int GetNth() const { return m_nNth; }
    // 0 day, 1 workday, 2 weekend day, 3 Monday ... 9 Sunday.
    BOOL SetNthDayKind(int nDayKind);
    int GetNthDayKind() const { return m_nNthDayKind; }
    BOOL SetNthInterval(int nInterval); // months, kind 1; 1 or more
    int GetNthInterval() const { return m_nNthInterval; }

protected:
    DWORD GetClassID() const override { return ZUDP_RECURRENCE_RULE_MONTHLY; }
    BOOL HasValidParameters() const override;

    int m_nKind = 0;
    int m_nDay = 1;
    int m_nDayInterval = 1;
    int m_nNth = 0;
    int m_nNthDayKind = 0;
    int m_nNthInterval = 1;
};

// A day of a month (kind 0), or the nth day of a kind in a month (kind 1),
// every year.
class CZUDPRecurrenceRuleYearly : public CZUDPRecurrenceBaseRule {
    DECLARE_SERIAL(CZUDPRecurrenceRuleYearly)
public:
    CZUDPRecurrenceRuleYearly() = default;

    void Serialize(CArchive& ar) override;
    void GetProperties(CZUDPAppointmentPropertyList& props) const override;
    void SetProperties(const CZUDPAppointmentPropertyList& props) override;
    void CorrectStart() override;
    COleDateTime GetNextOccurrence(const COleDateTime& date) const override;

    // The day number of the occurrence in the year's month of the rule.
    int GetDayInYear(int nYear) const;

    BOOL SetDayKind(int nKind);
    int GetDayKind() const { return m_nKind; }
    BOOL SetMonth(int nMonth);         // 1-12, kind 0
    int GetMonth() const { return m_nMonth; }
    BOOL SetDay(int nDay);             // 1-31, kind 0
    int GetDay() const { return m_nDay; }
    BOOL SetNth(int nNth);             // kind 1, as for the monthly rule
    int GetNth() const { return m_nNth; }
    BOOL SetNthDayKind(int nDayKind);
    int GetNthDayKind() const { return m_nNthDayKind; }
    BOOL SetNthMonth(int nMonth);      // 1-12, kind 1
    int GetNthMonth() const { return m_nNthMonth; }

protected:
    DWORD GetClassID() const override { return ZUDP_RECURRENCE_RULE_YEARLY; }
    BOOL HasValidParameters() const override;
    // This rule's date in a year.
    COleDateTime DateInYear(int nYear) const;

    int m_nKind = 0;
    int m_nMonth = 1;
    int m_nDay = 1;
    int m_nNth = 0;
    int m_nNthDayKind = 0;
    int m_nNthMonth = 1;
};

// The runtime classes of the available rule kinds.  The planner control
// registers the four rules when it is made; a class already registered is
// ignored, so the registry holds each class once.
class CZUDPRecurrenceRuleRegistrator : public CObject {
    DECLARE_DYNCREATE(CZUDPRecurrenceRuleRegistrator)
public:
    CZUDPRecurrenceRuleRegistrator() = default;

    void Serialize(CArchive& ar) override { (void)ar; }
    // TRUE when the class was added; null, a class that is no rule and a
    // class already registered are ignored.
    BOOL RegisterRule(CRuntimeClass* pRuntimeClass);
    INT_PTR GetRuleCount() const { return m_arRules.GetSize(); }
    CRuntimeClass* GetRuleClass(INT_PTR index) const { return m_arRules[index]; }

protected:
    CArray<CRuntimeClass*, CRuntimeClass*> m_arRules;
};

// The one registry of the program (built by the library's start-up unit).
extern CZUDPRecurrenceRuleRegistrator g_recurrenceRuleRegistrator;
