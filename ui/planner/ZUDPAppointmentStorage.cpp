#include "ui/planner/ZUDPAppointmentStorage.h"

#include "ui/planner/ZUDPAppointmentProperty.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPRecurrence.h"

IMPLEMENT_DYNAMIC(CZUDPAppointmentBaseStorage, CObject)
IMPLEMENT_DYNCREATE(CZUDPAppointmentStorage, CZUDPAppointmentBaseStorage)

namespace {

// The index keys of a start: its year and day of the year (-1 for a start
// that is not valid).
int StorageYearKey(const COleDateTime& date) { return date.GetYear(); }
int StorageDayKey(const COleDateTime& date) { return date.GetDayOfYear(); }

// Same start and finish hour and minute.
bool SameClockTimes(const CZUDPAppointment* a, const CZUDPAppointment* b)
{
    return a->GetStart().GetHour() == b->GetStart().GetHour() && a->GetStart().GetMinute() == b->GetStart().GetMinute() &&
           a->GetFinish().GetHour() == b->GetFinish().GetHour() &&
           a->GetFinish().GetMinute() == b->GetFinish().GetMinute();
}

// a starts earlier in its day than b (hour, then minute).
bool StartsEarlierInDay(const CZUDPAppointment* a, const CZUDPAppointment* b)
{
    int hourA = a->GetStart().GetHour();
    int hourB = b->GetStart().GetHour();
    return hourA < hourB || (hourA == hourB && a->GetStart().GetMinute() < b->GetStart().GetMinute());
}

} // namespace

CZUDPAppointmentStorage::CZUDPAppointmentStorage() : m_Years(10), m_Recurrences(10) {}

CZUDPAppointmentStorage::~CZUDPAppointmentStorage()
{
    CZUDPAppointmentStorage::RemoveAll();
}

BOOL CZUDPAppointmentStorage::HasMaster(const CZUDPAppointment* pApp) const
{
    return pApp->IsRecurrenceClone() && GetRecurrence(pApp->GetRecurrenceID()) != nullptr;
}

// ---- the index ----------------------------------------------------------------------

void CZUDPAppointmentStorage::File(CZUDPAppointment* pApp)
{
    int year = StorageYearKey(pApp->GetStart());
    int day = StorageDayKey(pApp->GetStart());
    DayMap*& days = m_Years[year];
    if (days == nullptr)
        days = new DayMap(10);
    AppointmentList*& list = (*days)[day];
    if (list == nullptr)
        list = new AppointmentList(10);

    // After the last one with the same clock times (so equal ones keep the
    // order they came in), else before the first that starts later.
    POSITION at = nullptr;
    for (POSITION pos = list->GetTailPosition(); pos != nullptr;) {
        POSITION here = pos;
        if (SameClockTimes(list->GetPrev(pos), pApp)) {
            at = here;
            break;
        }
    }
    if (at != nullptr) {
        list->InsertAfter(at, pApp);
    } else {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
            POSITION here = pos;
            if (StartsEarlierInDay(pApp, list->GetNext(pos))) {
                at = here;
                break;
            }
        }
        if (at != nullptr)
            list->InsertBefore(at, pApp);
        else
            list->AddTail(pApp);
    }

    if (!PlannerDates::IsSameDay(pApp->GetStart(), pApp->GetFinish())) {
        m_arLong.Add(pApp);
        SortAppointments(m_arLong.GetData(), m_arLong.GetSize());
    }
}

BOOL CZUDPAppointmentStorage::IsFiled(const CZUDPAppointment* pApp, const COleDateTime& dtStart) const
{
    DayMap* days = nullptr;
    AppointmentList* list = nullptr;
    if (!m_Years.Lookup(StorageYearKey(dtStart), days) || !days->Lookup(StorageDayKey(dtStart), list))
        return FALSE;
    return list->Find(const_cast<CZUDPAppointment*>(pApp)) != nullptr;
}

BOOL CZUDPAppointmentStorage::Unfile(CZUDPAppointment* pApp, const COleDateTime& dtStart)
{
    int year = StorageYearKey(dtStart);
    int day = StorageDayKey(dtStart);
    DayMap* days = nullptr;
    AppointmentList* list = nullptr;
    if (!m_Years.Lookup(year, days) || !days->Lookup(day, list))
        return FALSE;
    POSITION pos = list->Find(pApp);
    if (pos == nullptr)
        return FALSE;
    list->RemoveAt(pos);
    if (list->IsEmpty()) {
        delete list;
        days->RemoveKey(day);
        if (days->IsEmpty()) {
            delete days;
            m_Years.RemoveKey(year);
        }
    }
    for (INT_PTR i = 0; i < m_arLong.GetSize(); ++i) {
        if (m_arLong[i] == pApp) {
            m_arLong.RemoveAt(i);
            break;
        }
    }
    return TRUE;
}

// ---- the interface ------------------------------------------------------------------

BOOL CZUDPAppointmentStorage::Add(CZUDPAppointment* pApp)
{
    if (pApp == nullptr)
        return FALSE;
    if (pApp->IsRecurrence() && (!pApp->IsRecurrenceClone() || HasMaster(pApp)) && AddRecurrence(pApp))
        return TRUE;
    File(pApp);
    return TRUE;
}

BOOL CZUDPAppointmentStorage::Update(CZUDPAppointment* pApp, const COleDateTime& dtOld, BOOL bForceAdd)
{
    if (pApp == nullptr)
        return FALSE;
    bool oldIsZero = dtOld == COleDateTime(0.0);
    if (pApp->IsRecurrence()) {
        if (!pApp->IsRecurrenceClone()) {
            UpdateRecurrence(pApp, dtOld);
            return TRUE;
        }
        COleDateTime filedUnder = oldIsZero ? pApp->GetStart() : dtOld;
        if (IsFiled(pApp, filedUnder)) {
            // An occurrence filed while its master was not here: re-filed
            // like a plain appointment.
            Unfile(pApp, filedUnder);
            File(pApp);
            return TRUE;
        }
        if (HasMaster(pApp)) {
            UpdateRecurrence(pApp, dtOld);
            return TRUE;
        }
        if (!bForceAdd)
            return FALSE;
        File(pApp);
        return TRUE;
    }
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    COleDateTime start = pApp->GetStart();
    COleDateTime finish = pApp->GetFinish();
    if (!oldIsZero)
        pApp->SetInterval(dtOld, dtOld);
    BOOL removed = Remove(pApp);
    pApp->SetInterval(start, finish);
    if (!removed && !bForceAdd) {
        m_bAutoDelete = bAutoDelete;
        return FALSE;
    }
    Add(pApp);
    m_bAutoDelete = bAutoDelete;
    return TRUE;
}

BOOL CZUDPAppointmentStorage::Remove(CZUDPAppointment* pApp)
{
    if (pApp == nullptr)
        return FALSE;
    if (pApp->IsRecurrence() && (!pApp->IsRecurrenceClone() || !IsFiled(pApp, pApp->GetStart()))) {
        RemoveRecurrence(pApp);
        return TRUE;
    }
    if (!Unfile(pApp, pApp->GetStart()))
        return FALSE;
    if (m_bAutoDelete)
        delete pApp;
    return TRUE;
}

BOOL CZUDPAppointmentStorage::RemoveAll()
{
    RemoveAllRecurrences();
    for (POSITION yearPos = m_Years.GetStartPosition(); yearPos != nullptr;) {
        int year;
        DayMap* days;
        m_Years.GetNextAssoc(yearPos, year, days);
        for (POSITION dayPos = days->GetStartPosition(); dayPos != nullptr;) {
            int day;
            AppointmentList* list;
            days->GetNextAssoc(dayPos, day, list);
            if (m_bAutoDelete) {
                for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
                    delete list->GetNext(pos);
            }
            delete list;
        }
        delete days;
    }
    m_Years.RemoveAll();
    m_arLong.RemoveAll();
    return TRUE;
}

void CZUDPAppointmentStorage::Query(CZUDPAppointmentArray& result, const COleDateTime& dtFrom, const COleDateTime& dtTo)
{
    result.RemoveAll();

    // The occurrences of every series.
    for (POSITION pos = m_Recurrences.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        CZUDPAppointment* pMaster;
        m_Recurrences.GetNextAssoc(pos, id, pMaster);
        if (pMaster->GetRecurrence() == nullptr)
            continue;
        CZUDPAppointmentArray occurrences;
        pMaster->GetRecurrence()->Query(occurrences, dtFrom, dtTo);
        result.Append(occurrences);
    }

    // The appointments that start on the days.
    LONG days = PlannerDates::WholeDays(dtTo - dtFrom) + 1;
    for (LONG k = 0; k < days; ++k) {
        COleDateTime date = dtFrom + COleDateTimeSpan(double(k));
        DayMap* dayMap = nullptr;
        AppointmentList* list = nullptr;
        if (!m_Years.Lookup(StorageYearKey(date), dayMap) || !dayMap->Lookup(StorageDayKey(date), list))
            continue;
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
            CZUDPAppointment* pApp = list->GetNext(pos);
            if (pApp != nullptr)
                result.Add(pApp);
        }
    }

    // Long appointments that began earlier and still run into the first
    // day.  The whole array is walked: its display order puts resource ids
    // first, so an early start does not mean an early place in it.
    if (dtFrom.GetStatus() == COleDateTime::valid) {
        COleDateTime firstDay = PlannerDates::TruncateToDay(dtFrom);
        for (INT_PTR i = 0; i < m_arLong.GetSize(); ++i) {
            CZUDPAppointment* pApp = m_arLong[i];
            if (pApp->GetStart().GetStatus() != COleDateTime::valid || !(pApp->GetStart() < dtFrom))
                continue;
            const COleDateTime& finish = pApp->GetFinish();
            bool candidate = (finish.GetStatus() == COleDateTime::valid && (finish > dtFrom || finish == dtFrom)) ||
                             finish > dtTo;
            if (!candidate)
                continue;
            // One that ends exactly at the start of the first day is not
            // in the range (unless it is all-day: its finish day counts).
            if (finish == firstDay && !pApp->IsAllDay())
                continue;
            result.Add(pApp);
        }
    }

    if (!result.IsEmpty())
        SortAppointments(result.GetData(), result.GetSize());
}

void CZUDPAppointmentStorage::QueryAll(CZUDPAppointmentArray& result)
{
    for (POSITION yearPos = m_Years.GetStartPosition(); yearPos != nullptr;) {
        int year;
        DayMap* days;
        m_Years.GetNextAssoc(yearPos, year, days);
        for (POSITION dayPos = days->GetStartPosition(); dayPos != nullptr;) {
            int day;
            AppointmentList* list;
            days->GetNextAssoc(dayPos, day, list);
            for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
                result.Add(list->GetNext(pos));
        }
    }
    for (POSITION pos = m_Recurrences.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        CZUDPAppointment* pMaster;
        m_Recurrences.GetNextAssoc(pos, id, pMaster);
        result.Add(pMaster);
    }
}

CZUDPAppointment* CZUDPAppointmentStorage::GetRecurrence(DWORD dwRecurrenceID) const
{
    CZUDPAppointment* pMaster = nullptr;
    m_Recurrences.Lookup(dwRecurrenceID, pMaster);
    return pMaster;
}

BOOL CZUDPAppointmentBaseStorage::HoldsAppointment(const CZUDPAppointment* pApp) const
{
    if (pApp == nullptr)
        return FALSE;
    // Any storage: its whole list, compared by address only.
    CZUDPAppointmentArray all;
    const_cast<CZUDPAppointmentBaseStorage*>(this)->QueryAll(all);
    for (INT_PTR i = 0; i < all.GetSize(); ++i) {
        if (all[i] == pApp)
            return TRUE;
    }
    return FALSE;
}

BOOL CZUDPAppointmentStorage::HoldsAppointment(const CZUDPAppointment* pApp) const
{
    if (pApp == nullptr)
        return FALSE;
    for (POSITION pos = m_Recurrences.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        CZUDPAppointment* pMaster;
        m_Recurrences.GetNextAssoc(pos, id, pMaster);
        if (pMaster == pApp)
            return TRUE;
    }
    // The index is searched by address under the appointment's start: an
    // object the storage does not hold is never followed beyond that.
    if (IsFiled(pApp, pApp->GetStart()))
        return TRUE;
    // An occurrence of a series that is here was made by a query.  One
    // without its series may be filed under an older start while it is
    // being changed: the whole index is searched.
    if (pApp->IsRecurrenceClone() && HasMaster(pApp))
        return FALSE;
    for (POSITION yearPos = m_Years.GetStartPosition(); yearPos != nullptr;) {
        int year;
        DayMap* days;
        m_Years.GetNextAssoc(yearPos, year, days);
        for (POSITION dayPos = days->GetStartPosition(); dayPos != nullptr;) {
            int day;
            AppointmentList* list;
            days->GetNextAssoc(dayPos, day, list);
            if (list->Find(const_cast<CZUDPAppointment*>(pApp)) != nullptr)
                return TRUE;
        }
    }
    return FALSE;
}

// ---- recurrences --------------------------------------------------------------------

BOOL CZUDPAppointmentStorage::AddRecurrence(CZUDPAppointment* pApp)
{
    if (pApp == nullptr)
        return FALSE;
    if (pApp->IsRecurrenceClone()) {
        CZUDPAppointment* pMaster = GetRecurrence(pApp->GetRecurrenceID());
        if (pMaster == nullptr)
            return FALSE;
        if (pMaster->GetRecurrence() != nullptr) {
            CZUDPAppointmentPropertyList props;
            pApp->GetProperties(props);
            pMaster->GetRecurrence()->SetException(pApp->GetRecurrenceDate(), props, FALSE);
        }
        delete pApp;
        return TRUE;
    }
    DWORD id = pApp->GetRecurrenceID();
    CZUDPAppointment* pHolder = id != 0 ? GetRecurrence(id) : nullptr;
    if (pHolder == pApp)
        return TRUE;
    if (id == 0 || pHolder != nullptr) {
        // A new id, also when another master has this one (it would be
        // lost from the map).
        id = ++m_RecurrenceID;
        pApp->SetRecurrenceID(id);
    } else if (id > m_RecurrenceID) {
        m_RecurrenceID = id;
    }
    m_Recurrences[id] = pApp;
    return TRUE;
}

BOOL CZUDPAppointmentStorage::UpdateRecurrence(CZUDPAppointment* pApp, const COleDateTime& dtOld)
{
    (void)dtOld;
    if (pApp == nullptr || !pApp->IsRecurrenceClone())
        return TRUE;
    CZUDPAppointment* pMaster = GetRecurrence(pApp->GetRecurrenceID());
    if (pMaster != nullptr && pMaster->GetRecurrence() != nullptr) {
        CZUDPAppointmentPropertyList props;
        pApp->GetProperties(props);
        pMaster->GetRecurrence()->SetException(pApp->GetRecurrenceDate(), props, FALSE);
    }
    return TRUE;
}

BOOL CZUDPAppointmentStorage::RemoveRecurrence(CZUDPAppointment* pApp)
{
    if (pApp == nullptr)
        return TRUE;
    if (pApp->IsRecurrenceClone()) {
        CZUDPAppointment* pMaster = GetRecurrence(pApp->GetRecurrenceID());
        if (pMaster != nullptr && pMaster->GetRecurrence() != nullptr) {
            CZUDPAppointmentPropertyList props;
            pApp->GetProperties(props);
            pMaster->GetRecurrence()->SetException(pApp->GetRecurrenceDate(), props, TRUE);
        }
        delete pApp;
        return TRUE;
    }
    if (GetRecurrence(pApp->GetRecurrenceID()) == pApp) {
        m_Recurrences.RemoveKey(pApp->GetRecurrenceID());
        if (m_bAutoDelete)
            delete pApp;
    }
    return TRUE;
}

BOOL CZUDPAppointmentStorage::RemoveAllRecurrences()
{
    if (m_bAutoDelete) {
        for (POSITION pos = m_Recurrences.GetStartPosition(); pos != nullptr;) {
            DWORD id;
            CZUDPAppointment* pMaster;
            m_Recurrences.GetNextAssoc(pos, id, pMaster);
            delete pMaster;
        }
    }
    m_Recurrences.RemoveAll();
    return TRUE;
}
