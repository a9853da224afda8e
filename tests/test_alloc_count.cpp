// Every heap block a check takes (calculator clones, span records, report
// fragments) is given back on every path: this program counts live blocks
// through replaced global operator new and delete.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

namespace {
std::atomic<long> g_live{0};
std::atomic<long> g_taken{0};  // every block ever taken

void* Counted(void* p) { return p ? (++g_live, ++g_taken, p) : p; }
void* Take(std::size_t n) { return Counted(std::malloc(n ? n : 1)); }
void* TakeAligned(std::size_t n, std::align_val_t a) {
    std::size_t const al = static_cast<std::size_t>(a);
    return Counted(std::aligned_alloc(al, (n + al - 1) / al * al));
}
void* OrThrow(void* p) { return p ? p : throw std::bad_alloc(); }
void Give(void* p) noexcept { if (p) --g_live, std::free(p); }
}  // namespace

// Every form: one left to the library (or to a sanitizer's own) would pair its
// allocation with these deallocations.
void* operator new(std::size_t n) { return OrThrow(Take(n)); }
void* operator new[](std::size_t n) { return OrThrow(Take(n)); }
void* operator new(std::size_t n, std::nothrow_t const&) noexcept { return Take(n); }
void* operator new[](std::size_t n, std::nothrow_t const&) noexcept { return Take(n); }
void* operator new(std::size_t n, std::align_val_t a) { return OrThrow(TakeAligned(n, a)); }
void* operator new[](std::size_t n, std::align_val_t a) { return OrThrow(TakeAligned(n, a)); }
void* operator new(std::size_t n, std::align_val_t a, std::nothrow_t const&) noexcept { return TakeAligned(n, a); }
void* operator new[](std::size_t n, std::align_val_t a, std::nothrow_t const&) noexcept { return TakeAligned(n, a); }
void operator delete(void* p) noexcept { Give(p); }
void operator delete[](void* p) noexcept { Give(p); }
void operator delete(void* p, std::size_t) noexcept { Give(p); }
void operator delete[](void* p, std::size_t) noexcept { Give(p); }
void operator delete(void* p, std::nothrow_t const&) noexcept { Give(p); }
void operator delete[](void* p, std::nothrow_t const&) noexcept { Give(p); }
void operator delete(void* p, std::align_val_t) noexcept { Give(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Give(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Give(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Give(p); }
void operator delete(void* p, std::align_val_t, std::nothrow_t const&) noexcept { Give(p); }
void operator delete[](void* p, std::align_val_t, std::nothrow_t const&) noexcept { Give(p); }

using namespace Corvid::Data;
using namespace Corvid::Steel;
using Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member;
namespace RB = Corvid::Data::RestraintBits;

namespace {

// Reaches the driver's own steps (for the quick-check stops).
struct Probe : CSA_S16_09_Member {
    using CSA_S16_09_Member::CheckBucklingGen;
    using CSA_S16_09_Member::CheckLocal;
};

// A 6 m member on points at 0, 3 and 6 m: axial N, major moment 0 -> M -> 0.
struct Member {
    CMemberResult result;
    Probe member;
    Member(wchar_t const* section, int ends, double N, double M, int points = 3) {
        member.SetResult(&result);
        member.SetSection(CSection(section));
        member.SetSteelDesignProp(CSteelGrade(L"350W"));
        std::vector<CMemberPoint> pts{CMemberPoint(0.0, CRestraint(ends)), CMemberPoint(3.0, CRestraint(RB::kBraced)),
                                      CMemberPoint(6.0, CRestraint(ends))};
        pts.resize(static_cast<std::size_t>(points));
        member.SetMemberPointVec(pts);
        CSubSpan s0(0, 0, 1), s1(1, 1, 2);
        s0.SetForces({N, M / 3, 0}, {N, M / 3, 0});
        s0.SetMoments({0, 0, 0}, {0, M, 0});
        s1.SetForces({N, -M / 3, 0}, {N, -M / 3, 0});
        s1.SetMoments({0, M, 0}, {0, 0, 0});
        member.SetSubSpanVec({s0, s1});
    }
};

// Live blocks gained across f (a second run of a check already run once).
long Gained(std::function<void()> const& f) {
    long const before = g_live;
    f();
    return g_live - before;
}

wchar_t const* const kI = L"I D=303 B=203 T=13.1 Tw=7.5 R=15";

// One row per path: the member, how it is checked, what it must return.
struct Path {
    char const* what;
    std::function<std::unique_ptr<Member>()> make;
    std::function<bool(Member&)> run;
    bool expected;  // return value of the check
};

std::vector<Path> Paths() {
    auto check = [](Member& m) { return m.member.Check(); };
    auto quick = [](Member& m) { return m.member.QuickCheck(); };
    auto noText = [](Member& m) {
        m.result.EnableText(false);
        return m.member.Check();
    };
    auto make = [](wchar_t const* section, int ends, double N, double M, int points = 3) {
        return [=] { return std::make_unique<Member>(section, ends, N, M, points); };
    };
    int const beam = RB::kPinned | RB::kEndConnection;
    // W310x60 at 20 kN and 10 kN.m, override on with zero lengths: the station
    // checks alone, far below the resistances (a passing member).
    auto localOnly = [] {
        auto m = std::make_unique<Member>(kI, RB::kPinned, -20e3, 10e3);
        m->member.SetLengthOverride(true);
        return m;
    };
    auto quickMode = [] {
        auto m = std::make_unique<Member>(kI, RB::kPinned, -200e3, 100e3);
        m->member.SetQuickCheckMode();
        return m;
    };
    // The failure bit raised before the step runs: it stops early, leaving
    // the station clone behind unless the early return releases it.
    auto stopIn = [](int entry, bool (Probe::*step)() const) {
        return [=](Member& m) {
            m.result.Reset();
            m.result.IniDynaArray(4);
            m.result.SetEntryIndex(entry);
            m.result.AddFlags(4);
            return (m.member.*step)();
        };
    };
    wchar_t const* const cold = L"RHS D=200 B=100 t=8 fab=cold-formed";
    return {
        {"passing member, local checks only, text on", localOnly, check, true},
        {"passing member, local checks only, text off", localOnly, noText, true},
        {"passing member, quick check", localOnly, quick, true},
        {"I beam-column with buckling, text on", make(kI, beam, -300e3, 120e3), check, true},
        {"I beam-column with buckling, text off", make(kI, beam, -300e3, 120e3), noText, true},
        {"failing member (10 MN, 5 MN.m)", make(kI, beam, -10e6, 5e6), check, true},
        {"failing member, quick check", make(kI, beam, -10e6, 5e6), quick, true},
        {"channel", make(L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10", beam, -80e3, 15e3), check, true},
        {"tee", make(L"T D=152 B=203 T=13.1 Tw=7.5 R=15", beam, 60e3, -8e3), check, true},
        {"RHS", make(L"RHS D=203 B=102 t=6.4 Ro=12.8", beam, -150e3, 25e3), check, true},
        {"CHS", make(L"CHS D=168.3 t=6.4", beam, -250e3, 20e3), check, true},
        {"angle strut sequence", make(L"L D=102 B=76 t=9.5 R=8", RB::kPinned, -60e3, 0.0), check, true},
        {"angle strut, quick check", make(L"L D=102 B=76 t=9.5 R=8", RB::kPinned, -60e3, 0.0), quick, true},
        {"tee strut sequence (flange connection)",
         make(L"T D=152 B=203 T=13.1 Tw=7.5", RB::kMajorTranslation | RB::kMinorTranslation | RB::kFlangeConnection,
              -50e3, 0.0),
         check, true},
        {"section refused by the probe", make(cold, RB::kPinned, -100e3, 0.0), check, false},
        {"section refused by the probe, quick check", make(cold, RB::kPinned, -100e3, 0.0), quick, false},
        {"shape no calculator handles", make(L"PL B=200 t=10", RB::kPinned, -100e3, 0.0), check, false},
        {"validation failure (one point)", make(kI, RB::kPinned, -100e3, 0.0, 1), check, false},
        {"validation failure, quick check", make(kI, RB::kPinned, -100e3, 0.0, 1), quick, false},
        {"quick-check stop in the station loop", quickMode, stopIn(0, &Probe::CheckLocal), false},
        {"quick-check stop in the buckling sequence", quickMode, stopIn(3, &Probe::CheckBucklingGen), false},
    };
}

}  // namespace

// Each path run once first (function-local statics, the result's entries): a
// repeated check, and a member made, checked, cloned and destroyed, keep the
// count of live blocks; once a passing member is set up and checked, Check and
// QuickCheck with the report text off take no block.
TEST(AllocationCount, ChecksMembersAndClonesGiveBackEverything) {
    {  // Guard: blocks taken inside the module show (a member clone is at least
       // the member and its calculator).
        Member m(kI, RB::kPinned, -20e3, 10e3);
        std::unique_ptr<CSA_S16_09_Member> clone;
        EXPECT_GE(Gained([&] { clone.reset(m.member.Clone()); }), 2);
        EXPECT_LT(Gained([&] { clone.reset(); }), 0);
    }
    for (Path const& p : Paths()) {
        SCOPED_TRACE(p.what);
        auto m = p.make();
        ASSERT_EQ(p.run(*m), p.expected);
        bool second = !p.expected;
        EXPECT_EQ(Gained([&] { second = p.run(*m); }), 0);
        EXPECT_EQ(second, p.expected);
        auto lifetime = [&p] {
            auto k = p.make();
            p.run(*k);
            std::unique_ptr<CSA_S16_09_Member> const clone(k->member.Clone());  // copies calculator and spans
            CMemberResult r;
            clone->SetResult(&r);
            clone->Check();
            k->member.QuickCheck();
        };
        lifetime();  // first run: function-local statics
        EXPECT_EQ(Gained(lifetime), 0);
        if (!p.expected) continue;
        auto quiet = p.make();
        quiet->result.EnableText(false);
        quiet->member.Check();
        long const before = g_taken;
        quiet->member.Check();
        quiet->member.QuickCheck();
        EXPECT_EQ(g_taken - before, 0);
    }
}
