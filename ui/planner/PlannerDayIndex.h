#pragma once
// The appointments of each shown day, found once per layout.  A layout
// visits every shown day and asks of each appointment whether it falls on
// that day, several times per day; with thousands of appointments over a
// month of days that is most of the layout.  The index answers the same
// question per day from the appointments that can fall on it: each
// appointment is tried only on the days from its start's to its finish's
// (the only days it can fall on), with the same day rule the views use.
#include "framework/OleDateTime.h"
#include "ui/planner/ZUDPAppointment.h"

#include <vector>

class CPlannerDayIndex {
public:
    struct Entry {
        CZUDPAppointment* pApp;
        int list;   // which of the indexed lists it came from
    };

    // Indexes the lists (null entries skipped, null lists allowed) for the
    // days starting at the first one; each day's entries keep the order of
    // the lists and, within a list, the list's order.
    void Build(const COleDateTime& firstDay, int days, CZUDPAppointmentArray* const* lists, int count);
    void Clear();
    BOOL IsBuilt() const { return m_built; }
    int GetDays() const { return int(m_days.size()); }
    // The indexed day of the date, -1 when the date is none of them.
    int DayOf(const COleDateTime& date) const;
    const std::vector<Entry>& On(int day) const { return m_days[size_t(day)]; }

private:
    COleDateTime m_firstDay;
    std::vector<std::vector<Entry>> m_days;
    BOOL m_built = FALSE;
};

// Keeps an index built for the length of one layout: the appointments it
// points at may go as soon as the layout is over.
class CPlannerDayIndexScope {
public:
    explicit CPlannerDayIndexScope(CPlannerDayIndex& index) : m_index(index) {}
    ~CPlannerDayIndexScope() { m_index.Clear(); }
    CPlannerDayIndexScope(const CPlannerDayIndexScope&) = delete;
    CPlannerDayIndexScope& operator=(const CPlannerDayIndexScope&) = delete;

private:
    CPlannerDayIndex& m_index;
};
