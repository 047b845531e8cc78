#include "ui/planner/AppointmentStream.h"

#include <cstdint>

#include "framework/Exceptions.h"

namespace AppointmentStream {

int Write(CArchive& ar, const CZUDPAppointmentArray& apps, CZUDPAppointmentArray* pWritten)
{
    CZUDPAppointmentArray written;
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = apps[i];
        if (pApp != nullptr && pApp->CanCopy())
            written.Add(pApp);
    }
    if (written.GetSize() > 0) {
        ar << int32_t(written.GetSize());
        for (INT_PTR i = 0; i < written.GetSize(); ++i)
            ar.WriteObject(written[i]);
    }
    if (pWritten != nullptr)
        pWritten->Copy(written);
    return int(written.GetSize());
}

BOOL Read(CArchive& ar, CZUDPAppointmentArray& apps)
{
    DeleteAll(apps);
    try {
        int32_t count = 0;
        ar >> count;
        if (count < 1)
            return FALSE;
        ar.CheckCount(ULONGLONG(count), kMinObjectBytes);
        for (int32_t i = 0; i < count; ++i) {
            // A new object each time: a reference back to one read before
            // is refused, so no appointment is ever owned twice.
            CObject* pObject = ar.ReadOwnedObject(RUNTIME_CLASS(CZUDPAppointment));
            if (pObject != nullptr)
                apps.Add(static_cast<CZUDPAppointment*>(pObject));
        }
    } catch (CException* e) {
        e->Delete();
        DeleteAll(apps);
        return FALSE;
    }
    return apps.GetSize() > 0;
}

void Shift(CZUDPAppointmentArray& apps, const COleDateTimeSpan& span, BOOL bForward)
{
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = apps[i];
        if (pApp == nullptr)
            continue;
        if (bForward)
            pApp->SetInterval(pApp->GetStart() + span, pApp->GetFinish() + span);
        else
            pApp->SetInterval(pApp->GetStart() - span, pApp->GetFinish() - span);
    }
}

void Place(CZUDPAppointmentArray& apps, int nViewType, const COleDateTime& place)
{
    if (apps.GetSize() == 0 || place == COleDateTime(0.0))
        return;
    COleDateTime earliest;
    bool found = false;
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        if (apps[i] == nullptr)
            continue;
        if (!found || apps[i]->GetStart() < earliest)
            earliest = apps[i]->GetStart();
        found = true;
    }
    if (!found || earliest.GetStatus() != COleDateTime::valid)
        return;
    const bool dayType = nViewType == 0 || nViewType == 1 || nViewType == 4;
    COleDateTime anchor = dayType ? COleDateTime(earliest.GetYear(), earliest.GetMonth(), earliest.GetDay(),
                                                 earliest.GetHour(), 0, 0)
                                  : COleDateTime(earliest.GetYear(), earliest.GetMonth(), earliest.GetDay(), 0, 0, 0);
    if (anchor.GetStatus() != COleDateTime::valid)
        return;
    const BOOL forward = anchor < place;
    Shift(apps, forward ? place - anchor : anchor - place, forward);
}

void DeleteAll(CZUDPAppointmentArray& apps)
{
    for (INT_PTR i = 0; i < apps.GetSize(); ++i)
        delete apps[i];
    apps.RemoveAll();
}

} // namespace AppointmentStream
