// Read and write speed of the RTF codec on generated pages.
//
//   rtf_bench [benchmark flags]
//   rtf_bench --write-page=FILE [--page-bytes=N]   writes a page (default 10 MB)
//   rtf_bench --time-read=FILE [--repeat=N]        best read time of FILE, in seconds

#include "pagegen.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

constexpr std::size_t kMB = 1024 * 1024;

const std::string &pageRtf(std::size_t bytes)
{
    static std::map<std::size_t, std::string> cache;
    auto it = cache.find(bytes);
    if (it == cache.end())
        it = cache.emplace(bytes, jw::rtf::writeRtf(jwbench::makePageOfRtfSize(bytes))).first;
    return it->second;
}

void BM_Read(benchmark::State &state)
{
    const std::string &rtf = pageRtf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        jw::rtf::Document doc = jw::rtf::readRtf(rtf);
        benchmark::DoNotOptimize(doc.text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
    state.counters["rtf_bytes"] = static_cast<double>(rtf.size());
}

void BM_Write(benchmark::State &state)
{
    const jw::rtf::Document doc = jw::rtf::readRtf(pageRtf(static_cast<std::size_t>(state.range(0))));
    std::size_t out = 0;
    for (auto _ : state) {
        std::string rtf = jw::rtf::writeRtf(doc);
        out = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * out));
    state.counters["rtf_bytes"] = static_cast<double>(out);
}

BENCHMARK(BM_Read)->Arg(10 * 1024)->Arg(1 * kMB)->Arg(10 * kMB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->Arg(10 * 1024)->Arg(1 * kMB)->Arg(10 * kMB)->Unit(benchmark::kMillisecond);

const char *flagValue(int argc, char **argv, const char *name)
{
    const std::size_t n = std::strlen(name);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, n) == 0 && argv[i][n] == '=')
            return argv[i] + n + 1;
    return nullptr;
}

int writePage(const char *path, const char *bytesText)
{
    const std::size_t bytes = bytesText ? std::strtoull(bytesText, nullptr, 10) : 10 * kMB;
    const std::string &rtf = pageRtf(bytes);
    std::ofstream out(path, std::ios::binary);
    out.write(rtf.data(), static_cast<std::streamsize>(rtf.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "rtf_bench: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

int timeRead(const char *path, const char *repeatText)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "rtf_bench: cannot read %s\n", path);
        return 1;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int repeat = repeatText ? std::max(1, std::atoi(repeatText)) : 5;
    double best = 1e9;
    for (int i = 0; i < repeat; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        jw::rtf::Document doc = jw::rtf::readRtf(bytes);
        const auto t1 = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(doc.text.data());
        best = std::min(best, std::chrono::duration<double>(t1 - t0).count());
    }
    std::printf("%.6f\n", best);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (const char *path = flagValue(argc, argv, "--write-page"))
        return writePage(path, flagValue(argc, argv, "--page-bytes"));
    if (const char *path = flagValue(argc, argv, "--time-read"))
        return timeRead(path, flagValue(argc, argv, "--repeat"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
