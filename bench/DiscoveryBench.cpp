// Discovery replies arriving in one burst: 10,000 distinct controllers
// answer, and each reply is parsed and matched into the discovered list's
// machine map (17 buckets).  The baseline parses the same replies alone, so
// the ratio minus one is what the map work adds to the parsing (goal: a
// ratio of at most 2).  Each reply is matched right after it is parsed, as
// the reception loop does.  Both start
// from the same state each iteration: an empty map (its deletion afterwards
// is not timed).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/MachineMap.h"
#include "support/GXml.h"

namespace {

const std::vector<std::string>& Replies()
{
    static const std::vector<std::string> replies = [] {
        std::vector<std::string> out;
        char buffer[1024];
        for (int i = 0; i < 10000; ++i) {
            int a = (i >> 8) & 255, b = i & 255;
            snprintf(buffer, sizeof buffer,
                     "<TROV>\n <IF>1</IF>\n <HOSTNAME>Press %d</HOSTNAME>\n <CONFIG>line_%d.lmx</CONFIG>\n"
                     " <SETUP>Base</SETUP>\n <APPVERSION>2v1r%d</APPVERSION>\n"
                     " <APPGUID>6f1c2a4e-0b5d-4c1e-9a7e-%012d</APPGUID>\n <IF1>\n  <DHCP>Static</DHCP>\n"
                     "  <IP>10.20.%d.%d</IP>\n  <NETMASK>255.255.0.0</NETMASK>\n  <GATEWAY>10.20.0.1</GATEWAY>\n"
                     " </IF1>\n <IF2>\n  <DHCP>DHCP</DHCP>\n </IF2>\n <VERSION>4v2r11-b3</VERSION>\n"
                     " <ALTERA>HW 1.2 SW 3.4</ALTERA>\n <MAC>00:50:C2:01:%02X:%02X</MAC>\n</TROV>\n",
                     i, i % 13, i % 20, i, a, b, a, b);
            out.push_back(buffer);
        }
        return out;
    }();
    return replies;
}

void Discovery_BaselineParse(benchmark::State& state)
{
    const std::vector<std::string>& replies = Replies();
    char error[256];
    for (auto _ : state) {
        int parsed = 0;
        for (const std::string& text : replies) {
            CGXml reply(CGXml::kNoIncludeExpansion);
            parsed += reply.ParseText("Broadcast", text.c_str(), error, sizeof error, "TROV") == kXmlOk;
        }
        benchmark::DoNotOptimize(parsed);
    }
}

void Discovery_ParseAndProcessReply(benchmark::State& state)
{
    const std::vector<std::string>& replies = Replies();
    char error[256];
    for (auto _ : state) {
        CMachineMap* map = new CMachineMap;
        for (const std::string& text : replies) {
            CGXml reply(CGXml::kNoIncludeExpansion);
            if (reply.ParseText("Broadcast", text.c_str(), error, sizeof error, "TROV") == kXmlOk)
                benchmark::DoNotOptimize(map->ProcessReply(reply));
        }
        // The burst is what is measured; the list's end (a refresh or the
        // window closing) is not.
        state.PauseTiming();
        if (map->GetCount() != (INT_PTR)replies.size())
            state.SkipWithError("not every reply made a machine");
        delete map;
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(Discovery_BaselineParse)->Name("Discovery/BaselineParse")->Unit(benchmark::kMillisecond);
BENCHMARK(Discovery_ParseAndProcessReply)->Name("Discovery/ParseAndProcessReply")->Unit(benchmark::kMillisecond);
