// Instruction counts of the engine's costly calls, for bench/run.sh: run
// under `valgrind --tool=callgrind --collect-atstart=no`, each measured call
// is repeated, collected alone and dumped under its own name
// ("QuickCheck/w_beam_column x20"); run.sh divides each dump's total by the
// repetitions. Instruction counts repeat exactly whatever the machine's load.
// Each line of standard output names a measurement and the heap blocks one
// call took (operator new counted).
//
// `s16count --time-braced N` instead times (wall clock, no valgrind) the
// quick check and the text-off check of a 10 m W310x60 beam-column braced
// at N + 1 points.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <utility>

#include "bench/BenchMembers.h"

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#define CALLGRIND_DUMP_STATS_AT(name) (void)(name)
#endif

namespace {
std::atomic<long> g_news{0};
}

void* operator new(std::size_t n) {
    ++g_news;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    ++g_news;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

using s16bench::Bench;
using s16bench::MemberCase;

// Runs f twice unmeasured (statics, the result's entries), then reps times
// with the instructions collected, and dumps them as "<name> x<reps>".
void Measure(std::string const& name, int reps, std::function<void()> const& f) {
    f();
    f();
    long const before = g_news;
    CALLGRIND_TOGGLE_COLLECT;
    for (int i = 0; i < reps; ++i) f();
    CALLGRIND_TOGGLE_COLLECT;
    long const news = g_news - before;
    std::string const dump = name + " x" + std::to_string(reps);
    CALLGRIND_DUMP_STATS_AT(dump.c_str());
    std::printf("%s allocations/call %.1f\n", name.c_str(), static_cast<double>(news) / reps);
}

// A member's first check: each of the reps calls is made on a member just
// built (the building not collected), so nothing the member or its
// calculator keeps between checks is warm, as for a host that checks each
// member of a batch once.
void MeasureFirst(std::string const& name, MemberCase const& m, int reps) {
    long news = 0;
    for (int i = 0; i < reps; ++i) {
        Bench b(m);
        long const before = g_news;
        CALLGRIND_TOGGLE_COLLECT;
        b.member.QuickCheck();
        CALLGRIND_TOGGLE_COLLECT;
        news += g_news - before;
    }
    std::string const dump = name + " x" + std::to_string(reps);
    CALLGRIND_DUMP_STATS_AT(dump.c_str());
    std::printf("%s allocations/call %.1f\n", name.c_str(), static_cast<double>(news) / reps);
}

void Checks(std::string const& name, MemberCase const& m, int reps) {
    MeasureFirst("FirstQuickCheck/" + name, m, reps);
    Bench b(m);
    Measure("QuickCheck/" + name, reps, [&] { b.member.QuickCheck(); });
    b.result.EnableText(false);
    Measure("CheckTextOff/" + name, reps, [&] { b.member.Check(); });
    b.result.EnableText(true);
    Measure("CheckTextOn/" + name, reps, [&] { b.member.Check(); });
}

// Wall and processor seconds of f (the machine may be shared).
std::pair<double, double> Seconds(std::function<void()> const& f) {
    auto const t0 = std::chrono::steady_clock::now();
    std::clock_t const c0 = std::clock();
    f();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(),
            static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--time-braced") == 0) {
        int const n = std::atoi(argv[2]);
        Bench b(s16bench::BeamColumnBraced(n));
        auto const quick = Seconds([&] { b.member.QuickCheck(); });
        b.result.EnableText(false);
        auto const off = Seconds([&] { b.member.Check(); });
        std::printf(
            "braced points %d: QuickCheck %.3f s (processor %.3f s), Check text off %.3f s (processor "
            "%.3f s); bound 1 s: %s\n",
            n + 1, quick.first, quick.second, off.first, off.second,
            quick.first < 1.0 && off.first < 1.0 ? "ok" : "over");
        return 0;
    }
    for (MemberCase const& m : s16bench::Members()) Checks(m.name, m, 20);
    {
        Bench b(s16bench::BeamColumnSubSpans(64));
        Measure("QuickCheck/w_beam_column_64", 5, [&] { b.member.QuickCheck(); });
    }
    // The section from its description or from the catalogue (when one is
    // set: S16_SECTION_CATALOG), given to a member.
    Bench b(s16bench::Members()[0]);
    Measure("SetSection/W description", 5,
            [&] { b.member.SetSection(Corvid::Data::CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15")); });
    if (!Corvid::Data::CSection::CatalogDirectory().empty())
        Measure("SetSection/W310x60 catalogue", 5, [&] { b.member.SetSection(Corvid::Data::CSection(L"W310x60")); });
    return 0;
}
