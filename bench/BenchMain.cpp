// Entry point of trov_bench.  Benchmarks are named "Group/Subject"; in each
// group the subject whose name begins with "Baseline" is the reference, and
// after the run every other subject of the group is shown as a ratio of its
// time per iteration to the baseline's (below 1.0: faster than the
// baseline).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            std::string name = run.benchmark_name();
            size_t slash = name.find('/');
            if (slash == std::string::npos)
                continue;
            m_times[name.substr(0, slash)].emplace_back(name.substr(slash + 1), run.GetAdjustedRealTime());
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const auto& group : m_times) {
            double baseline = 0;
            std::string baselineName;
            for (const auto& subject : group.second)
                if (subject.first.rfind("Baseline", 0) == 0) {
                    baseline = subject.second;
                    baselineName = subject.first;
                }
            if (baseline <= 0)
                continue;
            for (const auto& subject : group.second)
                if (subject.first != baselineName)
                    printf("ratio %s: %s / %s = %.3f\n", group.first.c_str(), subject.first.c_str(),
                           baselineName.c_str(), subject.second / baseline);
        }
    }

private:
    std::map<std::string, std::vector<std::pair<std::string, double>>> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
