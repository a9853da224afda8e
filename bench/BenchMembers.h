#pragma once
// The members both benchmark programs measure (s16bench times them, s16count
// counts their instructions under callgrind).
#include <cstddef>
#include <vector>

#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

namespace s16bench {

namespace RB = Corvid::Data::RestraintBits;

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
inline std::vector<MemberCase> const& Members() {
    static std::vector<MemberCase> const members = {
        // W310x60 beam-column, 10 m, 350W: pinned ends, laterally braced at
        // 2.5 m and 7.5 m, a free load point at mid-span; 4 sub-spans.
        {"w_beam_column",
         L"I D=303 B=203 T=13.1 Tw=7.5 R=15",
         L"350W",
         {0.0, 2.5, 5.0, 7.5, 10.0},
         {RB::kPinned | RB::kEndConnection, RB::kBraced, RB::kFree, RB::kBraced, RB::kPinned | RB::kEndConnection},
         -400e3,
         8e3},
        // C250x30 beam, 4 m, 300W, braced at mid-span.
        {"channel_beam",
         L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10",
         L"300W",
         {0.0, 2.0, 4.0},
         {RB::kPinned | RB::kEndConnection, RB::kBraced, RB::kPinned | RB::kEndConnection},
         0.0,
         6e3},
        // HSS203x102x6.4 brace, 5 m, 350W, pinned, axial compression only.
        {"rhs_brace", L"RHS D=203 B=102 t=6.4 Ro=12.8", L"350W", {0.0, 5.0}, {RB::kPinned, RB::kPinned}, -300e3, 0.0},
        // L102x76x9.5 strut, 3 m, 300W, pinned, axial compression only.
        {"angle_strut", L"L D=102 B=76 t=9.5 R=8", L"300W", {0.0, 3.0}, {RB::kPinned, RB::kPinned}, -60e3, 0.0},
    };
    return members;
}

// The W310x60 beam-column with n equal sub-spans (n a multiple of 4): the
// same supports and braces at 2.5 m and 7.5 m, free points between.
inline MemberCase BeamColumnSubSpans(int n) {
    MemberCase m = Members()[0];
    m.positions.clear();
    m.restraints.clear();
    for (int i = 0; i <= n; ++i) {
        m.positions.push_back(10.0 * i / n);
        m.restraints.push_back(i == 0 || i == n               ? RB::kPinned | RB::kEndConnection
                               : 4 * i == n || 4 * i == 3 * n ? RB::kBraced
                                                              : RB::kFree);
    }
    return m;
}

// A 10 m W310x60 beam-column braced at every one of n + 1 points.
inline MemberCase BeamColumnBraced(int n) {
    MemberCase m = Members()[0];
    m.positions.clear();
    m.restraints.clear();
    for (int i = 0; i <= n; ++i) {
        m.positions.push_back(10.0 * i / n);
        m.restraints.push_back(i == 0 || i == n ? RB::kPinned | RB::kEndConnection : RB::kBraced);
    }
    return m;
}

// A member and its result, filled from the case: actions of a simply
// supported span of length L under w, M(x) = -w x (L - x) / 2 (negative:
// top flange in compression), V(x) = w (L/2 - x).
struct Bench {
    Corvid::Steel::CMemberResult result;
    Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member member;

    explicit Bench(MemberCase const& s) {
        using Corvid::Steel::CMemberPoint;
        using Corvid::Steel::CSubSpan;
        member.SetResult(&result);
        member.SetSection(Corvid::Data::CSection(s.section));
        member.SetSteelDesignProp(Corvid::Steel::CSteelGrade(s.grade));
        std::vector<CMemberPoint> points;
        for (std::size_t i = 0; i < s.positions.size(); ++i)
            points.emplace_back(s.positions[i], Corvid::Data::CRestraint(s.restraints[i]));
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

}  // namespace s16bench
