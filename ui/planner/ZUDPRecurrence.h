#pragma once
// CZUDPRecurrence: the series of a recurring appointment.  Its master (the
// appointment that owns it) gives the occurrences their values, its rule
// their dates, and its exceptions record the occurrences the user changed
// or deleted, per occurrence date.  Occurrences are never stored: a query
// makes each one as a new appointment (the caller owns it) and lays a
// recorded change over it.
#include "framework/Array.h"
#include "framework/Map.h"
#include "framework/Object.h"
#include "framework/OleDateTime.h"
#include "ui/planner/ZUDPAppointmentProperty.h"

class CArchive;
class CZUDPAppointment;
class CZUDPRecurrenceBaseRule;

class CZUDPRecurrence : public CObject {
    DECLARE_SERIAL(CZUDPRecurrence)
public:
    // A changed or deleted occurrence.  A deleted record has an empty
    // property list; a changed one holds only the properties that differ
    // from the master's (start and finish only when it was moved).
    struct XZUDPRecurrenceException {
        BOOL m_bDeleted = FALSE;
        COleDateTime m_dtStart;
        COleDateTime m_dtFinish;
        CZUDPAppointmentPropertyList m_Properties;
    };

    CZUDPRecurrence() : m_Exceptions(10) {}
    ~CZUDPRecurrence() override;

    // The rule as an object (or null), the record count, then per record
    // its occurrence date, start, finish, deleted flag and, when not
    // deleted, its property list as an object.  Loading replaces the
    // exceptions (a record read twice for one date keeps the later).
    void Serialize(CArchive& ar) override;

    // Empties the array (its pointers are not deleted), then appends the
    // occurrences that touch [from, to]: the exception occurrences first,
    // then the rule's in date order.  The caller owns and deletes them.
    virtual void Query(CArray<CZUDPAppointment*, CZUDPAppointment*>& result, const COleDateTime& dtFrom,
                       const COleDateTime& dtTo) const;
    // The occurrence of one date, with its recorded change; null without a
    // master, for a deleted occurrence or when the master makes none.
    virtual CZUDPAppointment* CreateOccurrence(const COleDateTime& date) const;

    // Records a change (bDeleted FALSE: only what differs from the master
    // as last shown; nothing without the properties' start and finish, a
    // rule or a master) or a deletion of the occurrence of a date.
    void SetException(const COleDateTime& date, const CZUDPAppointmentPropertyList& props, BOOL bDeleted);
    XZUDPRecurrenceException* GetException(const COleDateTime& date) const;
    BOOL IsException(const COleDateTime& date) const { return GetException(date) != nullptr; }
    void RemoveExceptions();
    INT_PTR GetExceptionCount() const { return m_Exceptions.GetCount(); }
    POSITION GetFirstExceptionPosition() const { return m_Exceptions.GetStartPosition(); }
    void GetNextException(POSITION& rPos, COleDateTime& date, XZUDPRecurrenceException*& pException) const
    {
        m_Exceptions.GetNextAssoc(rPos, date, pException);
    }

    // Keeps a copy of the rule (the caller keeps its own) and discards all
    // exceptions; null changes nothing.
    void SetRule(const CZUDPRecurrenceBaseRule* pRule);
    CZUDPRecurrenceBaseRule* GetRule() const { return m_pRule; }

    // The master (not owned; set by the master when it takes the series).
    CZUDPAppointment* GetMasterAppointment() const { return m_pAppointment; }
    void SetMasterAppointment(CZUDPAppointment* pAppointment) { m_pAppointment = pAppointment; }

protected:
    typedef CMap<COleDateTime, const COleDateTime&, XZUDPRecurrenceException*, XZUDPRecurrenceException*> ExceptionMap;

    // The stored key equal to the date: the date's own whole day or the
    // neighbouring one within half a second.
    const ExceptionMap::CPair* FindExceptionPair(const COleDateTime& date) const;
    // Stores the record under the date, replacing (and deleting) the record
    // of an equal date.
    void StoreException(const COleDateTime& date, XZUDPRecurrenceException* pException);

    CZUDPAppointment* m_pAppointment = nullptr;
    CZUDPRecurrenceBaseRule* m_pRule = nullptr;
    ExceptionMap m_Exceptions;
};
