// The framework's string, map and archive against the standard library
// doing the same work on the same data.
#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "framework/Archive.h"
#include "framework/Map.h"
#include "framework/String.h"

namespace {

const int kWords = 10000;

std::vector<std::string> Words()
{
    std::vector<std::string> words;
    for (int i = 0; i < kWords; ++i)
        words.push_back("machine-" + std::to_string(i * 7919) + (i % 3 ? "-hall" : ""));
    return words;
}

void StringAppendBaseline(benchmark::State& state)
{
    std::vector<std::string> words = Words();
    for (auto _ : state) {
        std::string all;
        for (const std::string& w : words) {
            all += w;
            all += ';';
        }
        benchmark::DoNotOptimize(all.data());
    }
}
BENCHMARK(StringAppendBaseline)->Name("StringAppend/Baseline_std_string");

void StringAppendCString(benchmark::State& state)
{
    std::vector<std::string> words = Words();
    for (auto _ : state) {
        CString all;
        for (const std::string& w : words) {
            all += w.c_str();
            all += ';';
        }
        benchmark::DoNotOptimize(all.GetString());
    }
}
BENCHMARK(StringAppendCString)->Name("StringAppend/CString");

void MapLookupBaseline(benchmark::State& state)
{
    std::vector<std::string> words = Words();
    std::unordered_map<std::string, int> map;
    map.reserve(4099);
    for (int i = 0; i < kWords; ++i)
        map[words[size_t(i)]] = i;
    for (auto _ : state) {
        long sum = 0;
        for (const std::string& w : words)
            sum += map.find(w)->second;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(MapLookupBaseline)->Name("MapLookup/Baseline_unordered_map");

void MapLookupCMap(benchmark::State& state)
{
    std::vector<std::string> words = Words();
    CMapStringToPtr map;
    map.InitHashTable(4099);
    for (int i = 0; i < kWords; ++i)
        map[words[size_t(i)].c_str()] = reinterpret_cast<void*>(intptr_t(i));
    for (auto _ : state) {
        long sum = 0;
        for (const std::string& w : words) {
            void* v = nullptr;
            map.Lookup(w.c_str(), v);
            sum += long(reinterpret_cast<intptr_t>(v));
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(MapLookupCMap)->Name("MapLookup/CMap");

// Strings with their length prefix and a 32-bit number each, written and
// read back.
void ArchiveBaseline(benchmark::State& state)
{
    std::vector<std::string> words = Words();
    for (auto _ : state) {
        std::vector<unsigned char> out;
        for (int i = 0; i < kWords; ++i) {
            const std::string& w = words[size_t(i)];
            out.push_back((unsigned char)w.size());
            out.insert(out.end(), w.begin(), w.end());
            for (int b = 0; b < 4; ++b)
                out.push_back((unsigned char)(i >> (8 * b)));
        }
        size_t pos = 0;
        long sum = 0;
        while (pos < out.size()) {
            size_t n = out[pos++];
            std::string w(reinterpret_cast<const char*>(&out[pos]), n);
            pos += n;
            sum += long(w.size()) + out[pos];
            pos += 4;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(ArchiveBaseline)->Name("ArchiveStrings/Baseline_vector");

void ArchiveCArchive(benchmark::State& state)
{
    std::vector<std::string> words = Words();
    std::vector<CString> texts;
    for (const std::string& w : words)
        texts.emplace_back(w.c_str());
    for (auto _ : state) {
        CMemFile file(64 * 1024);
        {
            CArchive ar(&file, CArchive::store);
            for (int i = 0; i < kWords; ++i)
                ar << texts[size_t(i)] << i;
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        long sum = 0;
        for (int i = 0; i < kWords; ++i) {
            CString w;
            int n;
            ar >> w >> n;
            sum += w.GetLength() + (n & 0xFF);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(ArchiveCArchive)->Name("ArchiveStrings/CArchive");

} // namespace
