// Cost of one member check, for realistic members of four shapes: the quick
// check, the full check with the report text off, and with it on. Every
// benchmark reuses one member and one result object, as a host checking
// load case after load case does.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

using Corvid::Data::CRestraint;
using Corvid::Data::CSection;
using Corvid::Steel::CMemberPoint;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::CSteelGrade;
using Corvid::Steel::CSubSpan;
using Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member;
namespace RB = Corvid::Data::RestraintBits;

namespace {

struct MemberCase {
    char const* name;
    wchar_t const* section;
    wchar_t const* grade;
    std::vector<double> positions;  // m
    std::vector<int> restraints;    // one word per point
    double N;                       // axial force, N (tension positive)
    double w;                       // uniform load in the plane of the web, N/m (gravity: top flange compressed)
};

// The four members measured.
std::vector<MemberCase> const& Members() {
    static std::vector<MemberCase> const members = {
        // W310x60 beam-column, 10 m, 350W: pinned ends, laterally braced at
        // 2.5 m and 7.5 m, a free load point at mid-span; 4 sub-spans.
        {"w_beam_column", L"I D=303 B=203 T=13.1 Tw=7.5 R=15", L"350W", {0.0, 2.5, 5.0, 7.5, 10.0},
         {RB::kPinned | RB::kEndConnection, RB::kBraced, RB::kFree, RB::kBraced, RB::kPinned | RB::kEndConnection},
         -400e3, 8e3},
        // C250x30 beam, 4 m, 300W, braced at mid-span.
        {"channel_beam", L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10", L"300W", {0.0, 2.0, 4.0},
         {RB::kPinned | RB::kEndConnection, RB::kBraced, RB::kPinned | RB::kEndConnection}, 0.0, 6e3},
        // HSS203x102x6.4 brace, 5 m, 350W, pinned, axial compression only.
        {"rhs_brace", L"RHS D=203 B=102 t=6.4 Ro=12.8", L"350W", {0.0, 5.0}, {RB::kPinned, RB::kPinned}, -300e3,
         0.0},
        // L102x76x9.5 strut, 3 m, 300W, pinned, axial compression only.
        {"angle_strut", L"L D=102 B=76 t=9.5 R=8", L"300W", {0.0, 3.0}, {RB::kPinned, RB::kPinned}, -60e3, 0.0},
    };
    return members;
}

// A member and its result, filled from the case: actions of a simply
// supported span of length L under w, M(x) = -w x (L - x) / 2 (negative:
// top flange in compression), V(x) = w (L/2 - x).
struct Bench {
    CMemberResult result;
    CSA_S16_09_Member member;

    explicit Bench(MemberCase const& s) {
        member.SetResult(&result);
        member.SetSection(CSection(s.section));
        member.SetSteelDesignProp(CSteelGrade(s.grade));
        std::vector<CMemberPoint> points;
        for (std::size_t i = 0; i < s.positions.size(); ++i)
            points.emplace_back(s.positions[i], CRestraint(s.restraints[i]));
        member.SetMemberPointVec(points);
        double const L = s.positions.back();
        auto M = [&](double x) { return -s.w * x * (L - x) / 2.0; };
        auto V = [&](double x) { return s.w * (L / 2.0 - x); };
        std::vector<CSubSpan> subs;
        for (std::size_t k = 0; k + 1 < s.positions.size(); ++k) {
            int const i = static_cast<int>(k);
            double const a = s.positions[k], b = s.positions[k + 1];
            CSubSpan sub(i, i, i + 1);
            sub.SetForces({s.N, V(a), 0.0}, {s.N, V(b), 0.0});
            sub.SetMoments({0.0, M(a), 0.0}, {0.0, M(b), 0.0});
            subs.push_back(sub);
        }
        member.SetSubSpanVec(subs);
    }
};

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
