#pragma once
// Timing for the Windows benchmarks: the candidate and its baseline run on
// the same data in the same process, both warmed up, in alternating rounds
// (so a change of machine load hits both), and the median of the rounds is
// reported.  GDI calls are flushed before a timing ends, since GDI may batch
// them.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace benchrounds {

inline double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

inline double Time(const std::function<void()>& body, int repetitions)
{
    double start = Now();
    for (int i = 0; i < repetitions; ++i)
        body();
    ::GdiFlush();
    return (Now() - start) / repetitions;
}

struct Result {
    double candidate, baseline, ratio;
};

inline Result Compare(const std::function<void()>& candidate, const std::function<void()>& baseline, int repetitions,
               int rounds)
{
    for (int i = 0; i < 3; ++i) {
        Time(candidate, repetitions);
        Time(baseline, repetitions);
    }
    std::vector<double> ratios, candidates, baselines;
    for (int round = 0; round < rounds; ++round) {
        double c, b;
        if (round % 2 == 0) {
            c = Time(candidate, repetitions);
            b = Time(baseline, repetitions);
        } else {
            b = Time(baseline, repetitions);
            c = Time(candidate, repetitions);
        }
        candidates.push_back(c);
        baselines.push_back(b);
        ratios.push_back(c / b);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    return {median(candidates), median(baselines), median(ratios)};
}

} // namespace benchrounds
