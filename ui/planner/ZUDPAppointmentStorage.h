#pragma once
// Appointment storages.  CZUDPAppointmentBaseStorage is the interface the
// planner control talks to: add, re-file after a change (with the old
// start), remove, query by days in display order, query all, the recurrence
// masters.  CZUDPAppointmentStorage is the single storage: appointments
// indexed by the year and day of the year of their start, the ones that
// span days also in a long array, the recurrence masters in a map of their
// own; changed or deleted occurrences become exceptions of their series.
#include "framework/Array.h"
#include "framework/List.h"
#include "framework/Map.h"
#include "framework/Object.h"
#include "framework/OleDateTime.h"
#include "ui/planner/ZUDPAppointment.h"

class CZUDPAppointmentBaseStorage : public CObject {
    DECLARE_DYNAMIC(CZUDPAppointmentBaseStorage)
public:
    // FALSE for null.  The storage owns what it takes (see its auto-delete).
    virtual BOOL Add(CZUDPAppointment* pApp) = 0;
    // Files an appointment again after its dates changed; dtOld is the start
    // it was filed under (the zero date: its current start).  With
    // bForceAdd it is added when it was not in the storage.
    virtual BOOL Update(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bForceAdd = FALSE) = 0;
    virtual BOOL Remove(CZUDPAppointment* pApp) = 0;
    virtual BOOL RemoveAll() = 0;
    // The appointments of the days from dtFrom (a day at 00:00) to dtTo (a
    // date of the last day), in display order, with the occurrences of
    // every series (new objects the caller owns).
    virtual void Query(CZUDPAppointmentArray& result, const COleDateTime& dtFrom, const COleDateTime& dtTo) = 0;
    // Every stored appointment and master (no occurrences, not sorted,
    // appended to the result).
    virtual void QueryAll(CZUDPAppointmentArray& result) = 0;
    // No appointments (masters do not count).
    virtual BOOL IsEmpty() const = 0;
    // The master stored under a recurrence id, or null.
    virtual CZUDPAppointment* GetRecurrence(DWORD dwRecurrenceID) const = 0;
    // The storage holds this very object (filed, or a master), so whoever
    // queried it must not delete it.  A query's occurrences are new objects
    // the caller deletes, except an occurrence the storage filed itself
    // because its series was not here.  The object must be alive.
    virtual BOOL HoldsAppointment(const CZUDPAppointment* pApp) const;

protected:
    CZUDPAppointmentBaseStorage() = default;
};

class CZUDPAppointmentStorage : public CZUDPAppointmentBaseStorage {
    DECLARE_DYNCREATE(CZUDPAppointmentStorage)
public:
    CZUDPAppointmentStorage();
    ~CZUDPAppointmentStorage() override;

    // A recurring appointment goes to the recurrence operations (an
    // occurrence becomes an exception of its series and is deleted); an
    // occurrence whose master is not here is filed like a plain one.
    BOOL Add(CZUDPAppointment* pApp) override;
    BOOL Update(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bForceAdd = FALSE) override;
    // The appointment must still have the start it was filed under.
    BOOL Remove(CZUDPAppointment* pApp) override;
    BOOL RemoveAll() override;
    void Query(CZUDPAppointmentArray& result, const COleDateTime& dtFrom, const COleDateTime& dtTo) override;
    void QueryAll(CZUDPAppointmentArray& result) override;
    BOOL IsEmpty() const override { return m_Years.IsEmpty(); }
    CZUDPAppointment* GetRecurrence(DWORD dwRecurrenceID) const override;
    BOOL HoldsAppointment(const CZUDPAppointment* pApp) const override;

    // A master is kept under its recurrence id (a new one when it has none
    // or another master has it); an occurrence records its values as an
    // exception of its series and is deleted.
    virtual BOOL AddRecurrence(CZUDPAppointment* pApp);
    // An occurrence records its values as an exception (it stays with its
    // owner); nothing for a master.
    virtual BOOL UpdateRecurrence(CZUDPAppointment* pApp, const COleDateTime& dtOld);
    // An occurrence records its deletion and is deleted; a master leaves
    // the storage (deleted with auto-delete).
    virtual BOOL RemoveRecurrence(CZUDPAppointment* pApp);
    virtual BOOL RemoveAllRecurrences();

    BOOL IsAutoDelete() const { return m_bAutoDelete; }
    void SetAutoDelete(BOOL bAutoDelete) { m_bAutoDelete = bAutoDelete; }

    // The storage deletes the appointments it removes (and holds at its
    // end); Update switches it off for its own removal.
    BOOL m_bAutoDelete = TRUE;

protected:
    typedef CList<CZUDPAppointment*, CZUDPAppointment*> AppointmentList;
    typedef CMap<int, int, AppointmentList*, AppointmentList*> DayMap;
    typedef CMap<int, int, DayMap*, DayMap*> YearMap;
    typedef CMap<DWORD, DWORD, CZUDPAppointment*, CZUDPAppointment*> RecurrenceMap;

    // Puts an appointment into the index (and the long array).
    void File(CZUDPAppointment* pApp);
    // Takes an appointment out of the index under a start; FALSE when it is
    // not filed there.
    BOOL Unfile(CZUDPAppointment* pApp, const COleDateTime& dtStart);
    // The appointment is in the index under the start.
    BOOL IsFiled(const CZUDPAppointment* pApp, const COleDateTime& dtStart) const;
    // An occurrence whose series is in this storage.
    BOOL HasMaster(const CZUDPAppointment* pApp) const;

    YearMap m_Years;
    // Appointments whose start and finish lie on different days, in
    // display order (they are in the index too).
    CZUDPAppointmentArray m_arLong;
    DWORD m_RecurrenceID = 0;   // the highest recurrence id handed out or seen
    RecurrenceMap m_Recurrences;
};
