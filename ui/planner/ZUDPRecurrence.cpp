#include "ui/planner/ZUDPRecurrence.h"

#include <memory>

#include "framework/Archive.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPRecurrenceRule.h"

IMPLEMENT_SERIAL_OWNED(CZUDPRecurrence, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

bool IsSeriesNullDate(const COleDateTime& date) { return date == COleDateTime(0.0); }

// A property of a list as a date; invalid when it is missing or no date.
COleDateTime SeriesPropertyDate(const CZUDPAppointmentPropertyList& props, DWORD id)
{
    COleDateTime date;
    const auto* p = DYNAMIC_DOWNCAST(CZUDPAppointmentProperty, props.Get(id));
    if (p == nullptr || !p->TryGetDate(date))
        date.SetStatus(COleDateTime::invalid);
    return date;
}

// A new property of the source's class with its value (null when the
// class cannot make one).
CZUDPAppointmentBaseProperty* CopyOfProperty(const CZUDPAppointmentBaseProperty& source)
{
    CObject* pObject = source.GetRuntimeClass()->CreateObject();
    auto* pCopy = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseProperty, pObject);
    if (pCopy == nullptr) {
        delete pObject;
        return nullptr;
    }
    pCopy->CopyFrom(source);
    return pCopy;
}

} // namespace

CZUDPRecurrence::~CZUDPRecurrence()
{
    delete m_pRule;
    RemoveExceptions();
}

void CZUDPRecurrence::RemoveExceptions()
{
    for (POSITION pos = m_Exceptions.GetStartPosition(); pos != nullptr;) {
        COleDateTime date;
        XZUDPRecurrenceException* pException;
        m_Exceptions.GetNextAssoc(pos, date, pException);
        delete pException;
    }
    m_Exceptions.RemoveAll();
}

const CZUDPRecurrence::ExceptionMap::CPair* CZUDPRecurrence::FindExceptionPair(const COleDateTime& date) const
{
    if (date.GetStatus() == COleDateTime::invalid)
        return nullptr;
    if (date.GetStatus() == COleDateTime::null)
        return m_Exceptions.PLookup(date);
    // An equal key lies within half a second: its whole day is the one of
    // date - half a second or of date + half a second.
    COleDateTime before(date.m_dt - COleDateTime::kHalfSecond);
    COleDateTime after(date.m_dt + COleDateTime::kHalfSecond);
    UINT first = HashOleDate(before);
    UINT second = HashOleDate(after);
    const ExceptionMap::CPair* pair = m_Exceptions.PLookupWithHash(date, first);
    if (pair == nullptr && second != first)
        pair = m_Exceptions.PLookupWithHash(date, second);
    return pair;
}

CZUDPRecurrence::XZUDPRecurrenceException* CZUDPRecurrence::GetException(const COleDateTime& date) const
{
    const ExceptionMap::CPair* pair = FindExceptionPair(date);
    return pair != nullptr ? pair->value : nullptr;
}

void CZUDPRecurrence::StoreException(const COleDateTime& date, XZUDPRecurrenceException* pException)
{
    auto* pair = const_cast<ExceptionMap::CPair*>(FindExceptionPair(date));
    if (pair != nullptr) {
        if (pair->value != pException)
            delete pair->value;
        pair->value = pException;
        return;
    }
    m_Exceptions[date] = pException;
}

void CZUDPRecurrence::SetRule(const CZUDPRecurrenceBaseRule* pRule)
{
    if (pRule == nullptr)
        return;
    CZUDPRecurrenceBaseRule* pCopy = pRule->CreateCopy();
    delete m_pRule;
    m_pRule = pCopy;
    RemoveExceptions();
}

CZUDPAppointment* CZUDPRecurrence::CreateOccurrence(const COleDateTime& date) const
{
    if (m_pAppointment == nullptr)
        return nullptr;
    XZUDPRecurrenceException* pException = GetException(date);
    if (pException != nullptr && pException->m_bDeleted)
        return nullptr;
    CZUDPAppointment* pOccurrence = CZUDPAppointment::CreateRecurrenceClone(m_pAppointment, date);
    if (pException != nullptr && pOccurrence != nullptr)
        pOccurrence->SetProperties(pException->m_Properties);
    return pOccurrence;
}

void CZUDPRecurrence::Query(CArray<CZUDPAppointment*, CZUDPAppointment*>& result, const COleDateTime& dtFrom,
                            const COleDateTime& dtTo) const
{
    result.RemoveAll();
    // Exception occurrences that touch the range, wherever their date is.
    CArray<COleDateTime, const COleDateTime&> handled;
    for (POSITION pos = m_Exceptions.GetStartPosition(); pos != nullptr;) {
        COleDateTime date;
        XZUDPRecurrenceException* pException;
        m_Exceptions.GetNextAssoc(pos, date, pException);
        if (pException->m_bDeleted)
            continue;
        const COleDateTime& s = pException->m_dtStart;
        const COleDateTime& f = pException->m_dtFinish;
        bool touches = (dtFrom <= s && s <= dtTo) || (dtFrom <= f && f <= dtTo) || (s < dtFrom && dtTo < f);
        if (!touches)
            continue;
        if (CZUDPAppointment* pOccurrence = CreateOccurrence(date)) {
            handled.Add(date);
            result.Add(pOccurrence);
        }
    }
    if (m_pRule == nullptr || m_pAppointment == nullptr)
        return;

    // The first occurrence date to look at: the first on or after from;
    // for a master spanning days, the first of those that began up to its
    // length before from (they may still run into the range).
    COleDateTime date = m_pRule->GetDateStart();
    const COleDateTime& start = m_pAppointment->GetStart();
    if (PlannerDates::IsSameDay(start, m_pAppointment->GetFinish()) || !(date < dtFrom)) {
        if (date <= dtTo && date <= dtFrom)
            date = m_pRule->GetFirstOccurrence(dtFrom);
    } else {
        COleDateTimeSpan duration = m_pAppointment->GetDuration();
        double days = duration.GetStatus() == COleDateTimeSpan::valid ? duration.GetTotalDays() + 0.5 : 0.0;
        // A finish before the start (a rule's finish time before its start
        // time) reaches back no day: without this the walk would start at
        // the first date and return every occurrence since.
        if (days < 0.0)
            days = 0.0;
        COleDateTime earliest = dtFrom - COleDateTimeSpan(double(LONGLONG(days)));
        if (earliest > date)
            date = m_pRule->GetFirstOccurrence(earliest);
    }

    while (date.GetStatus() == COleDateTime::valid && !IsSeriesNullDate(date) && date <= dtTo) {
        bool skip = GetException(date) != nullptr;
        for (INT_PTR i = 0; !skip && i < handled.GetSize(); ++i)
            skip = handled[i] == date;
        if (!skip) {
            if (CZUDPAppointment* pOccurrence = CreateOccurrence(date)) {
                // An occurrence that ends exactly where the range begins is
                // not in it (a zero-length one at that instant is).
                if (pOccurrence->GetFinish() == dtFrom && pOccurrence->GetStart() != pOccurrence->GetFinish()) {
                    delete pOccurrence;
                } else {
                    try {
                        result.Add(pOccurrence);
                    } catch (...) {
                        delete pOccurrence;
                        throw;
                    }
                }
            }
        }
        COleDateTime next = m_pRule->GetNextOccurrence(date);
        if (next.GetStatus() == COleDateTime::valid && !IsSeriesNullDate(next) && !(next > date))
            break;   // a rule that does not advance ends the series
        date = next;
    }
}

void CZUDPRecurrence::SetException(const COleDateTime& date, const CZUDPAppointmentPropertyList& props, BOOL bDeleted)
{
    if (m_pAppointment == nullptr)
        return;
    XZUDPRecurrenceException* pException = GetException(date);
    if (bDeleted) {
        if (pException == nullptr) {
            pException = new XZUDPRecurrenceException;
            pException->m_dtStart = COleDateTime(0.0);
            pException->m_dtFinish = COleDateTime(0.0);
            StoreException(date, pException);
        }
        pException->m_bDeleted = bDeleted;
        pException->m_Properties.RemoveAll();
        return;
    }
    if (m_pRule == nullptr || !props.PropertyExists(ZUDP_APPOINTMENT_PROPERTY_START) ||
        !props.PropertyExists(ZUDP_APPOINTMENT_PROPERTY_FINISH))
        return;
    // A deleted occurrence stays deleted.
    if (pException != nullptr && pException->m_bDeleted)
        return;

    CZUDPAppointmentPropertyList baseline;
    m_pAppointment->GetProperties(baseline);
    COleDateTime newStart = SeriesPropertyDate(props, ZUDP_APPOINTMENT_PROPERTY_START);
    COleDateTime newFinish = SeriesPropertyDate(props, ZUDP_APPOINTMENT_PROPERTY_FINISH);
    COleDateTime ruleStart = date + m_pRule->GetTimeStart();
    COleDateTime ruleFinish = date + m_pRule->GetTimeFinish();
    BOOL moved = newStart.GetStatus() != COleDateTime::valid || newFinish.GetStatus() != COleDateTime::valid ||
                 newStart != ruleStart || newFinish != ruleFinish;
    if (pException != nullptr) {
        // The baseline becomes the occurrence as it was last shown.
        for (POSITION pos = pException->m_Properties.GetStartPosition(); pos != nullptr;) {
            DWORD id;
            CZUDPAppointmentBaseProperty* pRecorded;
            pException->m_Properties.GetNextAssoc(pos, id, pRecorded);
            if (id == ZUDP_APPOINTMENT_PROPERTY_START || id == ZUDP_APPOINTMENT_PROPERTY_FINISH) {
                moved = TRUE;
                continue;
            }
            CZUDPAppointmentBaseProperty* pBase = baseline.Get(id);
            if (pRecorded != nullptr && pBase != nullptr)
                pBase->CopyFrom(*pRecorded);
        }
    }

    CZUDPAppointmentPropertyList changes;
    for (POSITION pos = baseline.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        CZUDPAppointmentBaseProperty* pBase;
        baseline.GetNextAssoc(pos, id, pBase);
        bool isTime = id == ZUDP_APPOINTMENT_PROPERTY_START || id == ZUDP_APPOINTMENT_PROPERTY_FINISH;
        if (isTime && !moved)
            continue;
        CZUDPAppointmentBaseProperty* pNew = props.Get(id);
        if (pNew == nullptr || pBase == nullptr)
            continue;
        if (isTime || !pBase->IsEqual(*pNew)) {
            if (CZUDPAppointmentBaseProperty* pCopy = CopyOfProperty(*pNew))
                changes[id] = pCopy;
        }
    }
    if (changes.IsEmpty())
        return;

    if (pException == nullptr) {
        pException = new XZUDPRecurrenceException;
        pException->m_dtStart = COleDateTime(0.0);
        pException->m_dtFinish = COleDateTime(0.0);
        StoreException(date, pException);
    }
    pException->m_dtStart = newStart;
    pException->m_dtFinish = newFinish;
    for (POSITION pos = changes.GetStartPosition(); pos != nullptr;) {
        DWORD id;
        CZUDPAppointmentBaseProperty* pChange;
        changes.GetNextAssoc(pos, id, pChange);
        CZUDPAppointmentBaseProperty*& slot = pException->m_Properties[id];
        if (slot != nullptr && slot->GetRuntimeClass() == pChange->GetRuntimeClass()) {
            slot->CopyFrom(*pChange);
        } else {
            delete slot;
            slot = CopyOfProperty(*pChange);
        }
    }
}

void CZUDPRecurrence::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteObject(m_pRule);
        ar << int32_t(m_Exceptions.GetCount());
        for (POSITION pos = m_Exceptions.GetStartPosition(); pos != nullptr;) {
            COleDateTime date;
            XZUDPRecurrenceException* pException;
            m_Exceptions.GetNextAssoc(pos, date, pException);
            ar << date << pException->m_dtStart << pException->m_dtFinish << int32_t(pException->m_bDeleted);
            if (!pException->m_bDeleted)
                ar.WriteObject(&pException->m_Properties);
        }
        return;
    }
    RemoveExceptions();
    std::unique_ptr<CObject> rule(ar.ReadOwnedObject(RUNTIME_CLASS(CZUDPRecurrenceBaseRule)));
    if (rule != nullptr)
        SetRule(static_cast<CZUDPRecurrenceBaseRule*>(rule.get()));
    int32_t count;
    ar >> count;
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    // A record is at least three dates and the flag.
    ar.CheckCount(ULONGLONG(count), 3 * 12 + 4);
    for (int32_t i = 0; i < count; ++i) {
        COleDateTime date;
        ar >> date;
        std::unique_ptr<XZUDPRecurrenceException> pException(new XZUDPRecurrenceException);
        int32_t deleted;
        ar >> pException->m_dtStart >> pException->m_dtFinish >> deleted;
        pException->m_bDeleted = deleted;
        if (deleted == 0) {
            std::unique_ptr<CObject> list(ar.ReadOwnedObject(RUNTIME_CLASS(CZUDPAppointmentPropertyList)));
            if (list != nullptr)
                pException->m_Properties.CopyFrom(*static_cast<CZUDPAppointmentPropertyList*>(list.get()));
        }
        StoreException(date, pException.get());
        pException.release();
    }
}
