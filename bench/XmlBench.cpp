// Parse throughput of the XML reader against pugixml on the same bytes: a
// machines.xml of 10,000 machines and a large application description.
// Both parse in place from a fresh copy of the text, and both documents are
// built and freed inside the timed loop.
#include "support/GXml.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string MakeMachinesText(int count)
{
    std::string text = "<MACHINES>";
    char buffer[1024];
    for (int i = 0; i < count; ++i) {
        int a = (i >> 8) & 255, b = i & 255;
        snprintf(buffer, sizeof buffer,
                 "\n <MACHINE>\n  <HOSTNAME>Press line %d &amp; feeder</HOSTNAME>\n  <COMMENT>hall %d</COMMENT>\n"
                 "  <CONFIG>filler_%d.lmx</CONFIG>\n  <SETUP>Base</SETUP>\n  <APPVERSION>1.%d</APPVERSION>\n"
                 "  <APPGUID>6f1c2a4e-0b5d-4c1e-9a7e-%012d</APPGUID>\n  <IF1>\n   <DHCP>0</DHCP>\n"
                 "   <IP>10.%d.%d.20</IP>\n   <NETMASK>255.255.0.0</NETMASK>\n   <GATEWAY>10.%d.0.1</GATEWAY>\n"
                 "  </IF1>\n  <IF2>\n   <DHCP>1</DHCP>\n  </IF2>\n  <IF>1</IF>\n  <VERSION>4v2r%d-b3</VERSION>\n"
                 "  <ALTERA>HW 1.2 SW 3.4</ALTERA>\n  <MAC>00:1A:2B:%02X:%02X:5E</MAC>\n  <KEY>10.%d.%d.20</KEY>\n"
                 " </MACHINE>",
                 i, i % 7, i % 13, i % 10, i, a, b, a, i % 20, a, b, a, b);
        text += buffer;
    }
    text += "\n</MACHINES>\n";
    return text;
}

void AddVariables(std::string& text, const char* list, int first, int count, int indent)
{
    std::string pad(indent, ' ');
    char buffer[1024];
    text += pad + "<" + list + ">\n";
    for (int i = first; i < first + count; ++i) {
        snprintf(buffer, sizeof buffer,
                 "%s <VARIABLE kind=\"%s\" visible=\"y\">\n%s  <NAME>Var_%d</NAME>\n%s  <ALIAS>Signal %d &lt;raw&gt;</ALIAS>\n"
                 "%s  <ID>%d</ID>\n%s  <DB>%d:%d</DB>\n%s  <FORMAT>%s</FORMAT>\n%s  <DIM>%d</DIM>\n"
                 "%s  <UNITS><VALUE>m/s</VALUE></UNITS>\n%s  <ADP><VALUE>2</VALUE></ADP>\n%s </VARIABLE>\n",
                 pad.c_str(), i % 2 ? "in" : "out", pad.c_str(), i, pad.c_str(), i, pad.c_str(), i, pad.c_str(), i % 4,
                 i, pad.c_str(), i % 3 ? "double" : "int", pad.c_str(), 1 + i % 4, pad.c_str(), pad.c_str(),
                 pad.c_str());
        text += buffer;
    }
    text += pad + "</" + list + ">\n";
}

std::string MakeApplicationText(int blocks)
{
    std::string text = "<DRBv1>\n <VERSION>2.3</VERSION>\n <CONTAINER>\n  <NAME>Main</NAME>\n";
    int id = 1;
    for (int c = 0; c < blocks / 10; ++c) {
        text += "  <CONTAINER>\n   <NAME>Area" + std::to_string(c) + "</NAME>\n";
        for (int b = 0; b < 10; ++b) {
            text += "   <CODEBLOCK type=\"pid\">\n    <NAME>Loop" + std::to_string(b) + "</NAME>\n";
            text += "    <CODE><![CDATA[if (a < b && c > d) { out = in * 2; }]]></CODE>\n";
            AddVariables(text, "INPUTS", id, 4, 4);
            id += 4;
            AddVariables(text, "OUTPUTS", id, 2, 4);
            id += 2;
            text += "   </CODEBLOCK>\n";
        }
        text += "  </CONTAINER>\n";
    }
    text += " </CONTAINER>\n</DRBv1>\n";
    return text;
}

const std::string& MachinesText()
{
    static const std::string text = MakeMachinesText(10000);
    return text;
}

const std::string& ApplicationText()
{
    static const std::string text = MakeApplicationText(6000);
    return text;
}

void ParseWithCGXml(benchmark::State& state, const std::string& text, const char* root)
{
    std::vector<char> buffer(text.size() + 1);
    char error[256];
    for (auto _ : state) {
        memcpy(buffer.data(), text.c_str(), text.size() + 1);
        CGXml document(CGXml::kNoIncludeExpansion);
        if (document.ParseText("bench", buffer.data(), error, sizeof error, root, false) != kXmlOk) {
            state.SkipWithError(error);
            break;
        }
        benchmark::DoNotOptimize(document.GetRoot());
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)text.size());
}

void ParseWithPugixml(benchmark::State& state, const std::string& text)
{
    std::vector<char> buffer(text.size() + 1);
    for (auto _ : state) {
        memcpy(buffer.data(), text.c_str(), text.size() + 1);
        pugi::xml_document document;
        pugi::xml_parse_result result = document.load_buffer_inplace(buffer.data(), text.size());
        if (!result) {
            state.SkipWithError(result.description());
            break;
        }
        benchmark::DoNotOptimize(document.first_child());
    }
    state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)text.size());
}

void Machines_CGXml(benchmark::State& state) { ParseWithCGXml(state, MachinesText(), "MACHINES"); }
void Machines_Baseline_pugixml(benchmark::State& state) { ParseWithPugixml(state, MachinesText()); }
void Application_CGXml(benchmark::State& state) { ParseWithCGXml(state, ApplicationText(), "DRBv1"); }
void Application_Baseline_pugixml(benchmark::State& state) { ParseWithPugixml(state, ApplicationText()); }

BENCHMARK(Machines_Baseline_pugixml)->Name("XmlMachines/Baseline_pugixml")->Unit(benchmark::kMillisecond);
BENCHMARK(Machines_CGXml)->Name("XmlMachines/CGXml")->Unit(benchmark::kMillisecond);
BENCHMARK(Application_Baseline_pugixml)->Name("XmlApplication/Baseline_pugixml")->Unit(benchmark::kMillisecond);
BENCHMARK(Application_CGXml)->Name("XmlApplication/CGXml")->Unit(benchmark::kMillisecond);

} // namespace
