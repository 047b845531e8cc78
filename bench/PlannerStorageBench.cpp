// Querying the planner's storage against a plain sorted vector on the same
// appointments.  Reproduce the figures with
//   build/bench/bench/trov_bench --benchmark_filter=PlannerRounds
// (a Release build configured with -DTROV_BENCH=ON; scripts/bench does it).
//
//  - PlannerRounds/Month: a storage of 10,000 appointments over ten years
//    (500 recurring masters, 125 of each rule kind, and 20 % of the plain
//    ones spanning days), queried for one month, against a std::vector of
//    every appointment and every occurrence of the ten years expanded in
//    advance, sorted by start, searched with lower_bound and scanned.  Both
//    sides make a new appointment object for each hit they own (the
//    storage its occurrences, the vector every hit) and delete them.
//  - PlannerRounds/OldSeries: one month of a daily series whose first date
//    is ten years back, against the same series starting in the month.
//
// Each figure is the median of the per-round ratios (ours / baseline) of
// alternating rounds, each side warmed up first and timed in thread
// processor time.  Rounds: TROV_PLANNER_ROUNDS (default 7, at least 5).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <malloc.h>
#include <memory>
#include <random>
#include <vector>

#include "ui/planner/ZUDPAppointment.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPRecurrence.h"
#include "ui/planner/ZUDPRecurrenceRule.h"

namespace {

double PlannerThreadSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double PlannerMedian(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int PlannerRounds()
{
    int rounds = 7;
    if (const char* env = getenv("TROV_PLANNER_ROUNDS"))
        rounds = atoi(env) < 5 ? 5 : atoi(env);
    return rounds;
}

const COleDateTime kFirstDay(2015, 1, 1, 0, 0, 0);
const COleDateTime kMonthFrom(2024, 3, 1, 0, 0, 0);
const COleDateTime kMonthTo(2024, 3, 31, 23, 59, 59);

CZUDPRecurrenceBaseRule* MakeRule(int kind, std::mt19937& random)
{
    switch (kind) {
    case 0: {
        auto* rule = new CZUDPRecurrenceRuleDaily;
        rule->SetDayInterval(1 + int(random() % 7));
        return rule;
    }
    case 1: {
        auto* rule = new CZUDPRecurrenceRuleWeekly;
        rule->SetDays(1 + random() % 0x7F);
        rule->SetWeekInterval(1 + int(random() % 2));
        return rule;
    }
    case 2: {
        auto* rule = new CZUDPRecurrenceRuleMonthly;
        rule->SetDay(1 + int(random() % 31));
        return rule;
    }
    default: {
        auto* rule = new CZUDPRecurrenceRuleYearly;
        rule->SetMonth(1 + int(random() % 12));
        rule->SetDay(1 + int(random() % 28));
        return rule;
    }
    }
}

CZUDPAppointment* MakeMaster(const COleDateTime& first, CZUDPRecurrenceBaseRule* rule, double start, double length)
{
    std::unique_ptr<CZUDPRecurrenceBaseRule> owned(rule);
    owned->SetDateStart(first);
    owned->SetTimeStart(COleDateTimeSpan(start));
    owned->SetTimeFinish(COleDateTimeSpan(start + length));
    auto* master = new CZUDPAppointment;
    master->SetDescription("series");
    auto* series = new CZUDPRecurrence;
    series->SetRule(owned.get());
    master->SetRecurrence(series);
    return master;
}

// One entry of the baseline: an appointment (or an occurrence expanded in
// advance) by its times, with the appointment whose values it has.
struct PlainEntry {
    double start;
    double finish;
    const CZUDPAppointment* values;
};

// The same ten years twice: in a storage, and expanded into a sorted vector.
struct Calendar {
    CZUDPAppointmentStorage storage;
    std::vector<PlainEntry> entries;
    double longest = 0;   // days, for the vector's search window

    Calendar()
    {
        std::mt19937 random(44);
        for (int i = 0; i < 10000; ++i) {
            COleDateTime day = kFirstDay + COleDateTimeSpan(double(random() % 3650));
            double start = double(8 + random() % 10) / 24.0;
            if (i < 500) {
                double length = double(1 + random() % 4) / 24.0;
                storage.Add(MakeMaster(day, MakeRule(i % 4, random), start, length));
                continue;
            }
            double length = i % 5 == 0 ? double(1 + random() % 5) : double(1 + random() % 3) / 24.0;
            auto* app = new CZUDPAppointment;
            app->SetInterval(day + COleDateTimeSpan(start), day + COleDateTimeSpan(start + length));
            app->SetDescription("plain");
            storage.Add(app);
        }
        // Expanded: every stored appointment and every occurrence of the
        // ten years.
        CZUDPAppointmentArray all;
        storage.QueryAll(all);
        for (INT_PTR i = 0; i < all.GetSize(); ++i) {
            CZUDPAppointment* app = all[i];
            if (app->GetRecurrence() == nullptr) {
                Add(app->GetStart().m_dt, app->GetFinish().m_dt, app);
                continue;
            }
            CZUDPAppointmentArray occurrences;
            app->GetRecurrence()->Query(occurrences, kFirstDay, COleDateTime(2025, 12, 31, 0, 0, 0));
            for (INT_PTR k = 0; k < occurrences.GetSize(); ++k) {
                Add(occurrences[k]->GetStart().m_dt, occurrences[k]->GetFinish().m_dt, app);
                delete occurrences[k];
            }
        }
        std::sort(entries.begin(), entries.end(), [](const PlainEntry& a, const PlainEntry& b) { return a.start < b.start; });
    }

    void Add(double start, double finish, const CZUDPAppointment* values)
    {
        entries.push_back({ start, finish, values });
        longest = std::max(longest, finish - start);
    }

    // Ours: the storage's query; the occurrences it made are deleted.
    size_t QueryStorage()
    {
        CZUDPAppointmentArray result;
        storage.Query(result, kMonthFrom, kMonthTo);
        size_t n = size_t(result.GetSize());
        for (INT_PTR i = 0; i < result.GetSize(); ++i) {
            if (result[i]->IsRecurrenceClone())
                delete result[i];
        }
        return n;
    }

    // The baseline: every entry that touches the month, found by a binary
    // search and a scan, each copied into a new appointment.
    size_t QueryVector()
    {
        double from = kMonthFrom.m_dt;
        double to = kMonthTo.m_dt;
        auto it = std::lower_bound(entries.begin(), entries.end(), from - longest,
                                   [](const PlainEntry& e, double value) { return e.start < value; });
        std::vector<CZUDPAppointment*> result;
        for (; it != entries.end() && it->start <= to; ++it) {
            if (it->finish <= from && it->start < from)
                continue;
            auto* copy = new CZUDPAppointment;
            copy->SetInterval(COleDateTime(it->start), COleDateTime(it->finish));
            copy->SetDescription(it->values->GetDescription());
            copy->SetBackgroundColor(it->values->GetBackgroundColor());
            result.push_back(copy);
        }
        size_t n = result.size();
        for (CZUDPAppointment* app : result)
            delete app;
        return n;
    }
};

// Two subjects in alternating rounds; the figure is the median of the
// per-round ratios first / second.
template <class First, class Second>
void PlannerAlternatingRounds(benchmark::State& state, const char* group, const char* names, First first, Second second)
{
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
    int rounds = PlannerRounds();
    for (auto _ : state) {
        double start = PlannerThreadSeconds();
        for (int i = 0; i < 5; ++i) {
            first();
            second();
        }
        double perPair = (PlannerThreadSeconds() - start) / 5;
        int repeats = int(0.1 / perPair) + 1;
        std::vector<double> ratios, ours, baseline;
        for (int round = 0; round < rounds; ++round) {
            double times[2] = { 0, 0 };
            for (int half = 0; half < 2; ++half) {
                bool firstNow = (round + half) % 2 == 0;
                double t0 = PlannerThreadSeconds();
                for (int i = 0; i < repeats; ++i)
                    benchmark::DoNotOptimize(firstNow ? first() : second());
                times[firstNow ? 0 : 1] = (PlannerThreadSeconds() - t0) / repeats;
            }
            ours.push_back(times[0]);
            baseline.push_back(times[1]);
            ratios.push_back(times[0] / times[1]);
        }
        double ratio = PlannerMedian(ratios);
        state.counters["ours_us"] = PlannerMedian(ours) * 1e6;
        state.counters["baseline_us"] = PlannerMedian(baseline) * 1e6;
        state.counters["ratio"] = ratio;
        printf("ratio %s: %s, median of %d alternating rounds = %.3f (rounds:", group, names, rounds, ratio);
        for (double r : ratios)
            printf(" %.3f", r);
        printf(")\n");
    }
}

void Month_Rounds(benchmark::State& state)
{
    static Calendar calendar;
    size_t ours = calendar.QueryStorage();
    size_t theirs = calendar.QueryVector();
    if (ours != theirs) {
        state.SkipWithError("the storage and the vector disagree on the month");
        return;
    }
    state.counters["appointments"] = double(ours);
    PlannerAlternatingRounds(state, "PlannerMonth", "storage / sorted vector", [] { return calendar.QueryStorage(); },
                             [] { return calendar.QueryVector(); });
}

// A daily series from the first date, queried for March 2024.
struct DailySeries {
    CZUDPAppointmentStorage storage;
    explicit DailySeries(const COleDateTime& first)
    {
        auto* rule = new CZUDPRecurrenceRuleDaily;
        storage.Add(MakeMaster(first, rule, 9.0 / 24, 1.0 / 24));
    }
    size_t Query()
    {
        CZUDPAppointmentArray result;
        storage.Query(result, kMonthFrom, kMonthTo);
        for (INT_PTR i = 0; i < result.GetSize(); ++i)
            delete result[i];
        return size_t(result.GetSize());
    }
};

void OldSeries_Rounds(benchmark::State& state)
{
    static DailySeries old(COleDateTime(2014, 3, 1, 0, 0, 0));
    static DailySeries fresh(kMonthFrom);
    if (old.Query() != 31 || fresh.Query() != 31) {
        state.SkipWithError("a daily series should give 31 occurrences in March");
        return;
    }
    PlannerAlternatingRounds(state, "PlannerOldSeries", "ten years old / starting in the month",
                             [] { return old.Query(); }, [] { return fresh.Query(); });
}

// Command: trov_bench --benchmark_filter=PlannerRounds
BENCHMARK(Month_Rounds)->Name("PlannerRounds/Month")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(OldSeries_Rounds)->Name("PlannerRounds/OldSeries")->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
