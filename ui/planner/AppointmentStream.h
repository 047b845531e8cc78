#pragma once
// The planner's stream of appointments: the form in which appointments
// leave and enter a planner control through the clipboard and drag and
// drop ("ZUDPPlannerManagerClpFmt").
//
//   int32 count (little-endian, at least 1)
//   count appointment objects in the archive's object form (class
//   CZUDPAppointment or a class derived from it)
//
// The bytes may come from any process that registered the same format
// name, so reading trusts nothing: the count is bounded by the bytes left,
// every object must be a new appointment (a reference back to an object
// read before makes the stream corrupt), and a malformed stream leaves no
// object alive.  Window-free: built into the program and natively.
#include "framework/Archive.h"
#include "framework/OleDateTime.h"
#include "ui/planner/ZUDPAppointment.h"

namespace AppointmentStream {

// The fewest bytes one appointment object takes after the first: a class
// reference (2), start and finish (12 each), an empty description (1),
// all-day, three colours and the recurrence flag (4 each), the resource
// id (4) and an empty image count (2).
constexpr ULONGLONG kMinObjectBytes = 2 + 12 + 12 + 1 + 4 + 12 + 4 + 4 + 2;

// Writes the non-null appointments whose CanCopy is TRUE, in the array's
// order, after their count.  Nothing is written when none qualifies.
// pWritten (optional) receives exactly the appointments written.  Answers
// the number written; archive exceptions pass to the caller.
int Write(CArchive& ar, const CZUDPAppointmentArray& apps, CZUDPAppointmentArray* pWritten = nullptr);

// Reads a stream into apps (emptied first; the caller owns what it gets).
// FALSE, with apps empty and every object read deleted, for a count below
// 1 or beyond the bytes left, a truncated or foreign object, a reference
// to an object read before, or a stream holding no appointment.
BOOL Read(CArchive& ar, CZUDPAppointmentArray& apps);

// Moves every appointment by span, forwards or backwards.
void Shift(CZUDPAppointmentArray& apps, const COleDateTimeSpan& span, BOOL bForward);

// Places read appointments at place: the earliest start, cut to its hour
// in the day-type views (types 0, 1, 4) or to its day in the week and
// month views (2, 3), lands on place and the others keep their distance
// to it.  A zero date (no place) changes nothing.
void Place(CZUDPAppointmentArray& apps, int nViewType, const COleDateTime& place);

// Deletes the appointments and empties the array.
void DeleteAll(CZUDPAppointmentArray& apps);

} // namespace AppointmentStream
