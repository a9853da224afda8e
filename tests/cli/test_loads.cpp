// Loads along sub-spans: statics, the host's added stations, their checks against hand-placed points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "CliRun.h"
#include "Tolerance.h"
#include "app/Loads.h"
#include "app/MemberRunner.h"
#include "app/Stations.h"
#include "member/CSA_S16_09_Member.h"

namespace {

s16app::LoadInput Distributed(double w1, double w2, double from, double to) {
    s16app::LoadInput l;
    l.w1 = w1, l.w2 = w2, l.from = from, l.to = to;
    return l;
}

s16app::LoadInput Point(double P, double at) {
    s16app::LoadInput l;
    l.kind = s16app::LoadInput::Point, l.P = P, l.at = at;
    return l;
}

s16app::MemberOutcome Check(std::string const& json) {
    return s16app::CheckMember(s16app::ReadMemberFile(json, "t.json").at(0), s16app::RunOptions{false, false, nullptr});
}

// A W310x60-size I in 350W under the given code, with `subspans` between `points`.
std::string Beam(std::string const& code, std::string const& points, std::string const& subspans) {
    return R"({"code": ")" + code + R"(", "section": "I D=303 B=203 T=13.1 Tw=7.5 R=15", "grade": "350W",
        "points": [)" + points + R"(], "subspans": [)" + subspans + "]}";
}

std::string Num(double v) {
    std::ostringstream s;
    s << std::setprecision(17) << v;
    return s.str();
}

// The module's member of `input`'s section in 350W (under its code if asked), not checked.
struct ModuleMember {
    std::unique_ptr<Corvid::Data::Design::CDesign> design{NewCode()};
    Corvid::Steel::CSteelMemberGen* member = dynamic_cast<Corvid::Steel::CSteelMemberGen*>(design.get());
    Corvid::Data::CSection section;
    ModuleMember(s16app::MemberInput const& input, bool code) : section(Corvid::Widen(input.section)) {
        if (code) member->SetDesOpt(input.code);
        member->SetSection(section);
        member->SetSteelDesignProp(Corvid::Steel::CSteelGrade(L"350W"));
    }
};

}  // namespace

TEST(Loads, HandWorkedDiagrams) {
    // Vy = dMx/dx, dVy/dx = +w (gravity towards the bottom flange); Mx < 0
    // compresses the top flange. Each: left-end actions (N, kN.m in SI), the
    // loads, then the right end and the moment peak from the formula.
    struct Case { char const* what; double L, Vy0, Mx0; std::vector<s16app::LoadInput> loads; double VyL, MxL, xPeak, Mpeak; };
    double const r3 = std::sqrt(3.0);
    std::vector<Case> const cases = {
        // Simply supported, w = 30 kN/m over 6 m: Vy0 = -wL/2 = -90 kN,
        // Mmax = -wL^2/8 = -135 kN.m at L/2.
        {"simply supported uniform", 6.0, -90e3, 0.0, {Distributed(30e3, 30e3, 0.0, 6.0)}, 90e3, 0.0, 3.0, -135e3},
        // P = 40 kN at a = 2 m of L = 5 m (b = 3 m): Vy0 = -Pb/L = -24 kN,
        // M = -Pab/L = -48 kN.m under the load, Vy = -24 + 40 = 16 kN after it.
        {"point load off-centre", 5.0, -24e3, 0.0, {Point(40e3, 2.0)}, 16e3, 0.0, 2.0, -48e3},
        // Cantilever held at x = 0, L = 3 m, w = 5 kN/m and a 10 kN tip load
        // (the tip load is the right-end shear): Mx0 = PL + wL^2/2 = 52.5 kN.m
        // (bottom flange compressed), Vy0 = -P - wL = -25 kN, Vy(L) = -10 kN.
        // The shear never changes sign: the peak is the root (no station).
        {"cantilever, tip and uniform load", 3.0, -25e3, 52.5e3, {Distributed(5e3, 5e3, 0.0, 3.0)}, -10e3, 0.0, -1.0,
         0.0},
        // Propped cantilever, fixed at 0, pinned at L = 8 m, w = 20 kN/m:
        // Mx0 = wL^2/8 = 160 kN.m, Vy0 = -5wL/8 = -100 kN, Vy(L) = 3wL/8 =
        // 60 kN; peak at 5L/8 = 5 m: wL^2/8 - 25wL^2/64 + 25wL^2/128 = -9wL^2/128 = -90 kN.m.
        {"propped beam with an end moment", 8.0, -100e3, 160e3, {Distributed(20e3, 20e3, 0.0, 8.0)}, 60e3, 0.0, 5.0,
         -90e3},
        // Triangular load 0 to w0 = 18 kN/m over L = 6 m, simply supported:
        // Vy0 = -w0 L/6 = -18 kN, Vy(L) = w0 L/3 = 36 kN; zero shear at
        // L/sqrt(3), Mmax = -w0 L^2/(9 sqrt(3)) = -41.569 kN.m.
        {"triangular load", 6.0, -18e3, 0.0, {Distributed(0.0, 18e3, 0.0, 6.0)}, 36e3, 0.0, 6.0 / r3,
         -18e3 * 36.0 / (9.0 * r3)},
        // 150 kN/m on 0-2 m and 37.5 kN/m on 2-6 m, simply supported: Vy0 =
        // -(300*5 + 150*2)/6 = -300 kN; the shear is zero exactly at the load
        // edge x = 2 m: M = -300*2 + 150*2^2/2 = -300 kN.m; Vy(L) = 150 kN.
        {"shear zero at a load edge", 6.0, -300e3, 0.0,
         {Distributed(150e3, 150e3, 0.0, 2.0), Distributed(37.5e3, 37.5e3, 2.0, 6.0)}, 150e3, 0.0, 2.0, -300e3},
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        s16app::Actions left;
        left.Vy = c.Vy0, left.Mx = c.Mx0;
        s16app::Diagram const d(left, c.loads, c.L);
        auto const right = d.At(c.L, s16app::Diagram::Side::JustLeft);
        EXPECT_REL_TOL(right.Vy, c.VyL, 1e-12 * 1e6 / std::fabs(c.VyL));  // rounding of sums of 1e4-size terms
        EXPECT_LT(std::fabs(right.Mx - c.MxL), 1e-6);
        auto const peaks = d.Peaks();
        if (c.xPeak < 0) {
            EXPECT_TRUE(peaks.empty());
            continue;
        }
        ASSERT_EQ(peaks.size(), 1u);
        EXPECT_REL(peaks[0], c.xPeak);
        EXPECT_REL(d.At(peaks[0], s16app::Diagram::Side::JustLeft).Mx, c.Mpeak);
    }
}

TEST(Loads, AxialLoadAndPointLoadPositions) {
    // A 6 m column drawn from its base (x = 0) to its top under its own weight, 150 kN/m acting towards
    // the base (n = -150 kN/m): dN/dx = -n, so N = -900 kN at the base and 0 at the top.
    s16app::LoadInput n = Distributed(-150e3, -150e3, 0.0, 6.0);
    n.plane = s16app::LoadInput::Axial;
    s16app::Actions base;
    base.N = -900e3;
    EXPECT_LT(std::fabs(s16app::Diagram(base, {n}, 6.0).At(6.0, s16app::Diagram::Side::JustLeft).N), 1e-6);
    // Every load position is read; a destabilizing load at a free cantilever tip counts. Right N: 0.001 kN = 1 N
    // where the (zero) load gives 0: at the 1 N floor of the end-action tolerance, accepted.
    for (char const* load : {"shear-centre", "destabilizing", "stabilizing"})
        EXPECT_NO_THROW(s16app::ReadMemberFile(R"({"section": "I D=303 B=203 T=13.1 Tw=7.5 R=15", "grade": "350W",
            "points": [{"x": 0, "restraint": "fixed"}, {"x": 3, "load": ")" + std::string(load) + R"("}],
            "subspans": [{"left": {"Vy": -10, "Mx": 30}, "right": {"N": 0.001}, "loads": [{"type": "uniform", "w": 0}]}]})", "t.json")) << load;
}

TEST(Loads, LoadsGiveTheUtilisationsOfHandPlacedPoints) {
    // The beams of the issue: the W310x60 size, 7.5 m, unbraced, 21.3 kN/m;
    // and 6 m under 100 kN/m. From the loads, from the ends with consistent
    // shears (+-wL/2, a uniform load reconstructed, with a warning) and from
    // 16 interior points with Mx = -w x (L - x)/2, Vy = -w (L/2 - x): the
    // same utilisations within 0.5 %, under both editions.
    struct Case { double L, w; };  // m, kN/m
    for (Case const c : {Case{7.5, 21.3}, Case{6.0, 100.0}}) {
        for (std::string const code : {"CSA S16-09", "CSA S16-14"}) {
            SCOPED_TRACE(code + " L = " + Num(c.L));
            std::string const ends = R"({"x": 0, "restraint": "pinned"}, {"x": )" + Num(c.L) +
                                     R"(, "restraint": "pinned"})";
            std::string const V = Num(c.w * c.L / 2);
            auto const loads = Check(Beam(code, ends, R"({"left": {"Vy": -)" + V + R"(}, "loads": [{"type": "uniform", "w": )" +
                                                          Num(c.w) + "}]}"));
            auto const shears = Check(Beam(code, ends, R"({"left": {"Vy": -)" + V + R"(}, "right": {"Vy": )" + V + "}}"));
            std::string points, subs;
            int const n = 17;
            auto at = [&](int i) {
                double const x = c.L * i / n;
                return std::make_pair(x, R"({"Vy": )" + Num(-c.w * (c.L / 2 - x)) + R"(, "Mx": )" +
                                             Num(-c.w * x * (c.L - x) / 2) + "}");
            };
            for (int i = 0; i <= n; ++i) {
                points += std::string(i ? ", " : "") + R"({"x": )" + Num(at(i).first) + R"(, "restraint": ")" +
                          (i == 0 || i == n ? "pinned" : "free") + R"("})";
                if (i < n) subs += std::string(i ? ", " : "") + R"({"left": )" + at(i).second + R"(, "right": )" +
                                   at(i + 1).second + R"(, "transverse_load": true})";
            }
            auto const hand = Check(Beam(code, points, subs));
            EXPECT_REL_TOL(loads.Governing().utilisation, hand.Governing().utilisation, 0.005);  // 17 chords of a parabola
            EXPECT_REL_TOL(shears.Governing().utilisation, loads.Governing().utilisation, 0.002);  // wL/2 rounded
            EXPECT_TRUE(loads.warnings.empty());
            ASSERT_EQ(shears.warnings.size(), 1u);
            EXPECT_NE(shears.warnings[0].find("subspans[0]: no loads given: a uniform load reconstructed"), std::string::npos);
        }
    }
}

TEST(Loads, FreeStationsChangeNoSpanLengthOrRestraint) {
    // A 9 m beam braced at 3 m with a load between the brace and the far
    // end: the spans, effective lengths and radii of the module are the same
    // with the host's stations as without them.
    std::string const json = Beam("CSA S16-14",
                                  R"({"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "braced"},
                                     {"x": 9, "restraint": "pinned"})",
                                  R"({"left": {"Vy": -60}, "loads": [{"type": "uniform", "w": 10}]},
                                     {"left": {"Vy": -30, "Mx": -135}, "loads": [{"type": "point", "P": 30, "at": 2},
                                      {"type": "linear", "w1": 0, "w2": 10, "from": 1, "to": 6}]})");
    auto const input = s16app::ReadMemberFile(json, "t.json").at(0);
    ModuleMember m(input, false);
    auto* member = m.member;
    ASSERT_NE(member, nullptr);
    std::vector<Corvid::Steel::CMemberPoint> points;
    for (auto const& p : input.points) points.emplace_back(p.x, Corvid::Data::CRestraint(p.restraint.bits));
    member->SetMemberPointVec(points);
    member->SetSubSpanVec({{0, 0, 1}, {1, 1, 2}});
    Corvid::Steel::CMemberResult result;
    member->SetResult(&result);
    auto const before = member->GetMemberEffectiveLengthData();
    auto const model = s16app::BuildCase(*member, input, 0, m.section.Shape(), false);
    EXPECT_GT(model.points.size(), 6u);
    member->SetResult(&result);
    auto const after = member->GetMemberEffectiveLengthData();
    ASSERT_TRUE(before && after);
    using D = Corvid::Steel::SubspanEffectiveLengthData;
    for (auto pick : {&D::majorAxis, &D::minorAxis, &D::lateralTorsional}) {
        D::Map const &b = (*before).*pick, &a = (*after).*pick;
        ASSERT_EQ(a.size(), b.size());
        for (auto const& [span, e] : b) {
            auto const& f = a.at(span);
            EXPECT_TRUE(f.posLeft == e.posLeft && f.posRight == e.posRight && f.length == e.length && f.radius == e.radius);
        }
    }
    // The user's points keep their restraints; every station is free.
    for (auto const& p : model.points) {
        int bits = 0;
        for (auto const& q : points) bits = q.GetPos() == p.GetPos() ? q.GetRestraint().Bits() : bits;
        EXPECT_EQ(p.GetRestraint().Bits(), bits);
    }
}

TEST(Loads, StationListAgreesWithSubSpans) {
    // Every bundled example, written again as the station list an analysis
    // program exports (the actions at every point and station the host
    // checks, two at a jump): the same utilisations, case by case.
    for (char const* name :
         {"simply_supported_beam.json", "beam_column.json", "rhs_brace.json", "angle_strut.json", "loaded_beam.json"}) {
        SCOPED_TRACE(name);
        auto input = s16app::ReadMemberFile(clitest::Slurp(clitest::Example(name)), name).at(0);
        auto const direct = s16app::CheckMember(input, s16app::RunOptions{false, false, nullptr});
        ModuleMember m(input, true);
        for (std::size_t k = 0; k < input.cases.size(); ++k) {
            auto const model = s16app::BuildCase(*m.member, input, k, m.section.Shape(), false);
            auto& c = input.cases[k];
            std::vector<s16app::StationInput> all;
            auto actions = [](Corvid::Vec3<double> const& f, Corvid::Vec3<double> const& m) {
                s16app::Actions a;
                a.N = f.x, a.Vy = f.y, a.Vx = f.z, a.T = m.x, a.Mx = m.y, a.My = m.z;
                return a;
            };
            for (auto const& s : model.subSpans) {
                all.push_back({model.points[static_cast<std::size_t>(s.IndexCMPLeft())].GetPos(),
                               actions(s.GetForcesLeft(), s.GetMomentsLeft()), {}});
                all.push_back({model.points[static_cast<std::size_t>(s.IndexCMPRight())].GetPos(),
                               actions(s.GetForcesRight(), s.GetMomentsRight()), {}});
            }
            // The station form: each sub-span's ends and the stations inside.
            for (std::size_t u = 0; u < c.subspans.size(); ++u) {
                auto& s = c.subspans[u];
                double const a = input.points[u].x, b = input.points[u + 1].x;
                s.loads.clear();
                s.stations.clear();
                for (std::size_t i = 0; i < all.size(); i += 2) {
                    if (all[i].x == a) s.left = all[i].before;
                    if (all[i + 1].x == b) s.right = all[i + 1].before;
                    if (all[i].x > a && all[i].x < b) s.stations.push_back({all[i].x, all[i - 1].before, all[i].before});
                }
            }
            c.stations = true;
        }
        auto const stations = s16app::CheckMember(input, s16app::RunOptions{false, false, nullptr});
        ASSERT_EQ(stations.cases.size(), direct.cases.size());
        for (std::size_t k = 0; k < direct.cases.size(); ++k) {
            EXPECT_REL_TOL(stations.cases[k].utilisation, direct.cases[k].utilisation, 1e-6);  // loads rebuilt from shears
            ASSERT_EQ(stations.cases[k].maxima.size(), direct.cases[k].maxima.size());
            for (std::size_t i = 0; i < direct.cases[k].maxima.size(); ++i)
                EXPECT_REL_TOL(stations.cases[k].maxima[i].second, direct.cases[k].maxima[i].second, 1e-6);
        }
    }
}

TEST(Loads, Omega2AndPeakMomentOfHandWorkedBeams) {
    // The diagrams above on the W310x60-size beam, unbraced between its
    // supports: the lateral-torsional span's omega2 under each edition, its
    // governing moment and compression flange, as the span table shows them.
    struct Case { char const* what; std::string points, subspan; double omega09, omega14, Mf; char const* flange; };  // Mf kN.m
    std::string const pinned = R"({"x": 0, "restraint": "pinned"}, {"x": )";
    std::vector<Case> const cases = {
        // Ma = Mc = 0.75 Mmax, Mb = Mmax: 4 / sqrt(1 + 4(0.5625)2 + 7) = 1.1314;
        // S16-09: the peak inside exceeds the end moments: 1.0. Mf = -wL^2/8.
        {"simply supported uniform", pinned + R"(6, "restraint": "pinned"})",
         R"({"left": {"Vy": -90}, "loads": [{"type": "uniform", "w": 30}]})", 1.0, 4.0 / std::sqrt(12.5), -135.0,
         "top"},
        // M = -24x to x = 2, then -48 + 16(x - 2): Ma = 30, Mb = 40, Mc = 20,
        // Mmax = 48: 4(48) / sqrt(48^2 + 4(30^2) + 7(40^2) + 4(20^2)) = 1.4039.
        {"point load off-centre", pinned + R"(5, "restraint": "pinned"})",
         R"({"left": {"Vy": -24}, "loads": [{"type": "point", "P": 40, "at": 2}]})", 1.0,
         192.0 / std::sqrt(18704.0), -48.0, "top"},
        // Cantilever (Table 2): omega2 = 1.0 under both; Mf = PL + wL^2/2.
        {"cantilever, tip and uniform load", R"({"x": 0, "restraint": "fixed"}, {"x": 3, "restraint": "free"})",
         R"({"left": {"Vy": -25, "Mx": 52.5}, "loads": [{"type": "uniform", "w": 5}]})", 1.0, 1.0, 52.5, "bottom"},
        // M = 160 - 100x + 10x^2: Ma = 0, Mb = -80, Mc = -80, Mmax = 160:
        // 4(160) / sqrt(160^2 + 7(80^2) + 4(80^2)) = 2.0656; S16-09: the
        // peak inside (90) is below the end moment: kappa = 0, 1.75.
        {"propped beam with an end moment", R"({"x": 0, "restraint": "fixed"}, {"x": 8, "restraint": "pinned"})",
         R"({"left": {"Vy": -100, "Mx": 160}, "loads": [{"type": "uniform", "w": 20}]})", 1.75,
         640.0 / std::sqrt(96000.0), 160.0, "both"},
    };
    for (auto const& c : cases) {
        for (int edition = 0; edition < 2; ++edition) {
            SCOPED_TRACE(std::string(c.what) + (edition ? " S16-14" : " S16-09"));
            auto const input = s16app::ReadMemberFile(Beam(edition ? "CSA S16-14" : "CSA S16-09", c.points, c.subspan),
                                                      "t.json");
            auto const m = s16app::CheckMember(input.at(0), s16app::RunOptions{});
            auto const& spans = m.Governing().spans;
            auto const lt = std::find_if(spans.rbegin(), spans.rend(), [](auto const& s) { return s.kind == "lateral-torsional"; });
            ASSERT_NE(lt, spans.rend());
            EXPECT_REL(lt->omega2, edition ? c.omega14 : c.omega09);
            EXPECT_REL_TOL(lt->Mf, c.Mf * 1e3, 1e-12);
            EXPECT_EQ(lt->flange, c.flange);
            // Each row of the table of checks names the edition checked.
            for (auto const& row : m.summary.checks)
                if (!row.clause.empty()) {
                    EXPECT_EQ(row.clause.substr(0, 15), edition ? "CSA S16-14 cl. " : "CSA S16-09 cl. ");
                }
        }
    }
}
