#pragma once
// Appointments whose archives the planner's archive tests check byte for
// byte and the fuzz target of the planner's archives starts from (its
// seeds are their archives, written by trov_write_fuzz_seeds).
#include <memory>
#include <string>
#include <vector>

#include "ui/planner/ZUDPAppointment.h"

namespace plannertest {

// 6 May 2024 9:00-10:30 "Review", background 0x00112233, images 4 and 1,
// resource 7.
std::unique_ptr<CZUDPAppointment> MakePlainAppointment();
// "Weekly", resource 4, recurrence id 3: Monday and Wednesday 9:00-10:00
// from 1 January 2024 (rule id 2), the occurrence of the 3rd changed to
// "Changed", the one of the 8th deleted.
std::unique_ptr<CZUDPAppointment> MakeWeeklyMaster();
// The master's occurrence of 10 January 2024, marked as changed.
std::unique_ptr<CZUDPAppointment> MakeOccurrence(const CZUDPAppointment& master);
// Masters of the other rule kinds (daily every 2 days until a date,
// monthly on the last workday 3 times, yearly on 29 February), each with a
// changed occurrence.
std::vector<std::unique_ptr<CZUDPAppointment>> MakeOtherMasters();

// The archive of each appointment above as one object, named.
struct NamedArchive {
    std::string name;
    std::vector<unsigned char> bytes;
};
std::vector<NamedArchive> PlannerArchiveSeeds();
// Planner streams (count and appointment objects) as a copy or a drag
// writes them: one plain appointment, two short ones, a series master with
// one of its occurrences, and a mixed selection of every kind above.
std::vector<NamedArchive> PlannerStreamSeeds();

} // namespace plannertest
