// Reads a planner stream (a count and appointment objects) from arbitrary
// bytes, the way a paste or a drop reads the clipboard or a drag's data,
// and places what it read.  A malformed stream must answer FALSE with
// nothing left alive (the sanitizers see leaks and double deletes); what
// was read must write and read back to the same number of appointments.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/Archive.h"
#include "framework/File.h"
#include "ui/planner/AppointmentStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<unsigned char> bytes(data, data + size);
    CZUDPAppointmentArray apps;
    {
        CMemFile file(bytes.empty() ? nullptr : bytes.data(), UINT(bytes.size()));
        CArchive ar(&file, CArchive::load, 4096);
        if (!AppointmentStream::Read(ar, apps)) {
            if (apps.GetSize() != 0)
                abort();
            return 0;
        }
    }
    // Placement at a day-type and a month view's place.
    AppointmentStream::Place(apps, 0, COleDateTime(2024, 5, 15, 14, 0, 0));
    AppointmentStream::Place(apps, 3, COleDateTime(2024, 5, 20, 0, 0, 0));

    CMemFile out;
    int written = 0;
    try {
        CArchive ar(&out, CArchive::store);
        written = AppointmentStream::Write(ar, apps);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        abort();
    }
    AppointmentStream::DeleteAll(apps);
    if (written == 0)
        return 0;
    out.SeekToBegin();
    CArchive ar(&out, CArchive::load);
    CZUDPAppointmentArray again;
    if (!AppointmentStream::Read(ar, again) || again.GetSize() != written)
        abort();
    AppointmentStream::DeleteAll(again);
    return 0;
}
