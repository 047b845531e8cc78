// Reads an appointment object (with its series, rule and property lists)
// from arbitrary bytes, the way a paste or a drop reads the clipboard;
// whatever is read is filed in a storage, queried over a month, written and
// read again.  Malformed input must end in a CArchiveException (or a
// memory or not-supported exception), never in a bad read, a leak or a
// hang; what the program writes must always read back.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/Archive.h"
#include "framework/File.h"
#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerDates.h"
#include "ui/planner/ZUDPRecurrence.h"

namespace {

std::vector<unsigned char> Write(const CObject* object)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << object;
        ar.Close();
    }
    std::vector<unsigned char> bytes(size_t(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), UINT(bytes.size()));
    return bytes;
}

// Reads back what the program wrote: it must never fail.
void ReadBack(std::vector<unsigned char> bytes)
{
    CMemFile file(bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load);
    CZUDPAppointment* app = nullptr;
    try {
        ar >> app;
    } catch (CException* e) {
        e->Delete();
        abort();
    }
    delete app;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<unsigned char> bytes(data, data + size);
    CZUDPAppointment* app = nullptr;
    {
        CMemFile file(bytes.empty() ? nullptr : bytes.data(), UINT(bytes.size()));
        CArchive ar(&file, CArchive::load, 128);
        try {
            ar >> app;
        } catch (CException* e) {
            e->Delete();
            return 0;
        }
    }
    if (app == nullptr)
        return 0;
    ReadBack(Write(app));

    // A series whose occurrences each last years overlaps a month with as
    // many occurrences as it has dates in those years: a true answer too
    // large for one fuzz run, so such masters are only written.
    COleDateTimeSpan length = app->GetDuration();
    bool queryable = !(app->IsRecurrence() && !app->IsRecurrenceClone()) ||
                     (length.GetStatus() == COleDateTimeSpan::valid && length.GetTotalDays() < 400.0);

    CZUDPAppointmentStorage storage;
    COleDateTime from = PlannerDates::TruncateToDay(app->GetStart());
    if (from.GetStatus() != COleDateTime::valid)
        from = COleDateTime(2024, 1, 1, 0, 0, 0);
    storage.Add(app);   // the storage owns it now
    if (!queryable)
        return 0;
    CZUDPAppointmentArray result;
    storage.Query(result, from, from + COleDateTimeSpan(30, 23, 59, 59));
    for (INT_PTR i = 0; i < result.GetSize() && i < 64; ++i)
        ReadBack(Write(result[i]));
    for (INT_PTR i = 0; i < result.GetSize(); ++i) {
        if (result[i] != app)
            delete result[i];
    }
    return 0;
}
