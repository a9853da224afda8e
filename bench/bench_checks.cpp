// Cost of one member check, for realistic members of four shapes: the quick
// check, the full check with the report text off, and with it on. Every
// benchmark reuses one member and one result object, as a host checking
// load case after load case does.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchMembers.h"

using s16bench::Bench;
using s16bench::MemberCase;
using s16bench::Members;

namespace {

void QuickCheck(benchmark::State& state, MemberCase const& data) {
    Bench b(data);
    for (auto _ : state) benchmark::DoNotOptimize(b.member.QuickCheck());
    state.counters["util"] = b.result.UtilOverAll();
}

void Check(benchmark::State& state, MemberCase const& data, bool text) {
    Bench b(data);
    b.result.EnableText(text);
    for (auto _ : state) benchmark::DoNotOptimize(b.member.Check());
    state.counters["util"] = b.result.UtilOverAll();
}

}  // namespace

int main(int argc, char** argv) {
    for (MemberCase const& m : Members()) {
        std::string const n = m.name;
        benchmark::RegisterBenchmark(("QuickCheck/" + n).c_str(), [&m](benchmark::State& s) { QuickCheck(s, m); });
        benchmark::RegisterBenchmark(("CheckTextOff/" + n).c_str(), [&m](benchmark::State& s) { Check(s, m, false); });
        benchmark::RegisterBenchmark(("CheckTextOn/" + n).c_str(), [&m](benchmark::State& s) { Check(s, m, true); });
    }

    // The command-line host's throughput (a 10 000-member file, --jobs 1 and
    // --jobs 2) is timed on the s16check binary itself by bench/run.sh.

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
