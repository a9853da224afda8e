// Cross-section (local) checks of one station: cl. 13.8.2 (a) and 13.8.3 (a) (compression and bending), 13.9 (a)
// (tension and bending), struts, ties and the St Venant torsion check. Sections have no root fillets (properties are
// sums of rectangles); grade 350W: Fy = 350, Fu = 450 MPa, s = sqrt(350) = 18.7083; limits 145/s = 7.751, 170/s =
// 9.087, 200/s = 10.690 (outstands), 670/s = 35.813 (web, axial), 1100/s = 58.797, 1700/s = 90.869, 1900/s = 101.559
// (web, flexure), 1014/s = 54.201 (shear).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestSections.h"
#include "Tolerance.h"

using Corvid::CString;
using namespace Corvid::Steel;
using namespace Corvid::Steel::SteelCSAS1609;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kSkip = std::numeric_limits<double>::quiet_NaN();  // value not checked

// Design actions of one station (N tension positive; N, N.m).
struct Actions { double N = 0, Mx = 0, My = 0, T = 0, Vx = 0, Vy = 0; };

CMemberResult Check(CCSA_S16_09Section& c, Actions const& a, bool text = true) {
    c.SetForceAxial(a.N);
    c.SetMomentXX(a.Mx);
    c.SetMomentYY(a.My);
    c.SetTorsion(a.T);
    c.SetShearMajor(a.Vx);
    c.SetShearMinor(a.Vy);
    CMemberResult r;
    r.EnableText(text);
    c.LocalCapacityCheck(&r);
    return r;
}

std::unique_ptr<CCSA_S16_09Section> Make(wchar_t const* sec) { return s16test::LoadCalc(sec); }
CMemberResult Station(wchar_t const* sec, Actions const& a, bool text = true) { return Check(*Make(sec), a, text); }

double Util(CMemberResult const& r, UtilKind k) { return r.Entry(0).Util(k); }
bool IsSet(CMemberResult const& r, UtilKind k) { return r.Entry(0).IsSet(k); }
bool Contains(CString const& text, CString const& piece) { return text.find(piece) != CString::npos; }
bool StartsWith(CString const& text, CString const& piece) { return text.rfind(piece, 0) == 0; }
CString const kFail = L"<b><red>Fail:</red></b>\n";
CString StrutFail(CString const& what) {
    return L"<b><red>Fail:</red></b> " + what + L" applied\nBending moments and/or shear applied to strut\n" + kFail;
}

// Section A, I D=303 B=203 T=12 Tw=10, class 2: flange 101.5/12 = 8.458 (class 2), web 279/10 = 27.9 (class 1).
//   A = 2*203*12 + 279*10 = 7662 mm^2
//   Z = 203*12*291 + 10*279^2/4 = 903 478.5 mm^3; Zy = 2*12*203^2/4 + 279*100/4 = 254 229 mm^3
//   Mrxx = 0.9 Z Fy, Mryy = 0.9 Zy Fy, Cr = 0.9 A Fy = 2 413 530 N, Tr = min(0.9 A Fy, 0.75 A Fu = 2 586 925) = Cr
//   J = (2*203*12^3 + 291*10^3)/3 = 330 856 mm^4; Tcsv = J (Fy/sqrt 3)/max(T, Tw)
wchar_t const* const kSectionA = L"I D=303 B=203 T=12 Tw=10";
constexpr double kMrxxA = 0.9 * 903478.5e-9 * 350e6;
constexpr double kMryyA = 0.9 * 254229e-9 * 350e6;
constexpr double kCrA = 0.9 * 7662e-6 * 350e6;
constexpr double kTrA = kCrA;
double const kTcsvA = 330856e-12 * 350e6 / std::sqrt(3.0) / 0.012;

// Section C, channel C D=200 B=80 T=10 Tw=8, class 2 (B/T = 8, web 22.5).
//   A = 2*80*10 + 180*8 = 3040 mm^2; Z = 80*10*190 + 8*180^2/4 = 216 800 mm^3
//   Zy: plastic axis at x = 1520/200 = 7.6 mm: 200*7.6^2/2 + 200*0.4^2/2 + 20*(72.4^2 - 0.4^2)/2 = 58 208 mm^3
wchar_t const* const kSectionC = L"C D=200 B=80 T=10 Tw=8";
constexpr double kMrxxC = 0.9 * 216800e-9 * 350e6;
constexpr double kMryyC = 0.9 * 58208e-9 * 350e6;
constexpr double kCrC = 0.9 * 3040e-6 * 350e6;

// Class 3 I (flange 101.5/10 = 10.15): elastic S = Ixx/151.5, Ixx = (203*303^3 - 193*283^3)/12.
wchar_t const* const kSection3 = L"I D=303 B=203 T=10 Tw=10";
constexpr double kMrxx3 = 0.9 * (203.0 * 303 * 303 * 303 - 193.0 * 283 * 283 * 283) / 12.0 / 151.5 * 1e-9 * 350e6;

// Section D, I D=600 B=200 T=12 Tw=5: web 576/5 = 115.2, class 4 in flexure and compression; flanges 8.333, class 2.
//   S = Ixx/300, Ixx = (200*600^3 - 195*576^3)/12 = 494 576 640 mm^4; Zy = 2*12*200^2/4 + 576*25/4 = 243 600 mm^3
//   Mu = 0.9 S 324 MPa so that sqrt(Mu/(0.9 S)) = 18 MPa;
//   M'r = 0.9 S Fy (1 - 0.0005 Aw/Af (hw/tw - 1900/18)), Aw/Af = 2880/2400 -> Mu/M'r = 0.931102
//   Tension: Tr = 0.9*7680*350 = 2 419 200 N; r = -0.05 leaves the web class 4
//   (115.2 > 101.559*1.0325); A eff = 7680 - (576 - 35.813*5)*5 = 5695.3, S Tu/(A M'r) = 0.067816
wchar_t const* const kSectionD = L"I D=600 B=200 T=12 Tw=5";
constexpr double kSD = 494576640.0 / 300.0 * 1e-9;
constexpr double kMuD = 0.9 * kSD * 324e6;
constexpr double kMrDashxxD = 0.9 * kSD * 350e6 * (1.0 - 0.0005 * 2880.0 / 2400.0 * (115.2 - 1900.0 / 18.0));
constexpr double kMryyD = 0.9 * 243600e-9 * 350e6;
constexpr double kTrD = 0.9 * 7680e-6 * 350e6;

// Angle L D=90 B=90 t=9: legs 10 (class 3), A = 90*9 + 81*9 = 1539 mm^2; Cr = 0.9 A Fy = 484 785 N = Tr (0.75 A Fu =
// 519 412.5 N).
wchar_t const* const kAngle = L"L D=90 B=90 t=9";
constexpr double kCrL = 0.9 * 1539e-6 * 350e6;

// One station of a member check: expected ratios (kSkip: not checked), flags under mask, report pieces, further ratios,
// the whole report (when given). Each case also runs with the report off: same flags and ratios, no text.
struct MemberCase {
    char const* why; wchar_t const* sec; Actions act; double axial, major, minor, combined; unsigned flags, mask;
    std::vector<CString> has = {}, hasNot = {}; std::vector<std::pair<UtilKind, double>> more = {}; CString whole = L"";
};

void RunCases(std::vector<MemberCase> const& cases) {
    for (auto const& c : cases) {
        SCOPED_TRACE(c.why);
        auto const r = Station(c.sec, c.act);
        auto const quiet = Station(c.sec, c.act, false);
        EXPECT_EQ(quiet.GetMarkup(), L"");
        for (auto const* res : {&r, &quiet}) {
            EXPECT_EQ(res->Flags() & c.mask, c.flags);
            std::pair<double, UtilKind> const utils[] = {
                {c.axial, UtilKind::LocalAxial}, {c.major, UtilKind::LocalMomMajor},
                {c.minor, UtilKind::LocalMomMinor}, {c.combined, UtilKind::LocalCombined}};
            for (auto const& [v, k] : utils)
                if (!std::isnan(v)) { EXPECT_REL(Util(*res, k), v) << static_cast<int>(k); }
            for (auto const& [k, v] : c.more) EXPECT_REL(Util(*res, k), v) << static_cast<int>(k);
        }
        auto const text = r.GetMarkup();
        if (!c.whole.empty()) { EXPECT_EQ(Corvid::Narrow(text), Corvid::Narrow(c.whole)); }
        for (auto const& p : c.has) EXPECT_TRUE(Contains(text, p)) << Corvid::Narrow(p);
        for (auto const& p : c.hasNot) EXPECT_FALSE(Contains(text, p)) << Corvid::Narrow(p);
    }
}

constexpr unsigned kAll = ~0u;

}  // namespace

// cl 13.8.2 (a) (class 1 and 2 I-sections): S1 = Cu/Cr + 0.85 Mfx/Mrxx + 0.6 Mfy/Mryy; cl 13.8.3 (a) (others): S1 = the
// plain sum. S2 = Mfx/Mrxx + Mfy/Mryy. Combined = max; 0x10 when over 1.0, with 0x1000/0x2000/0x4000 for each ratio
// over 1.0 on its own.
TEST(LocalCapacityMember, InteractionFormsAndFailureFlags) {
    RunCases({
        // Reports: LocalCapacityReport.WholeReports, tests/golden/check_channel.txt. General form: 0.5 (the beta form
        // would give 0.425).
        {"class 3, general form", kSection3, {0, 0.5 * kMrxx3}, kSkip, 0.5, kSkip, 0.5, 0u, kAll, {L"cl 13.8.3 (a)"}},
        {"axial over one", kSectionA, {-1.2 * kCrA}, kSkip, kSkip, kSkip, 1.2, 0x1010u, kAll},
        // S1 = 0.935, S2 = 1.1.
        {"major over one", kSectionA, {0, -1.1 * kMrxxA}, kSkip, kSkip, kSkip, 1.1, 0x2010u, kAll},
        // S1 = 0.63, S2 = 1.05.
        {"minor over one", kSectionA, {0, 0, -1.05 * kMryyA}, kSkip, kSkip, kSkip, 1.05, 0x4010u, kAll},
        // S1 = 0.51 + 0.3 = 0.81, S2 = 1.1 fails alone.
        {"S2 alone", kSectionA, {0, 0.6 * kMrxxA, 0.5 * kMryyA}, kSkip, kSkip, kSkip, 1.1, 0x10u, kAll, {kFail}},
        // S1 = 0.3 + 0.34 + 0.18 = 0.82, S2 = 0.7.
        {"all within", kSectionA, {-0.3 * kCrA, 0.4 * kMrxxA, 0.3 * kMryyA}, kSkip, kSkip, kSkip, 0.82, 0u, kAll, {},
         {L"Fail"}},
        // Zero axial force is compression, reported against the tension slenderness limit 300. S1 = 0.425, S2 = 0.5.
        {"zero axial", kSectionA, {0, 0.5 * kMrxxA}, 0.0, kSkip, kSkip, 0.5, 0u, kAll,
         {L"Compression and bending check\n", L"\tCu / Cr = 0.000 kN / 2414 kN = 0.000\n", L" <= 300. "},
         {L"Tension"}},
        // Class 4: M'r; S1 = 0.931102 + 0.05. Without axial force the class under compression is not stated.
        {"class 4, no axial force", kSectionD, {0, kMuD, 0.05 * kMryyD}, kSkip, kMuD / kMrDashxxD, 0.05,
         kMuD / kMrDashxxD + 0.05, 0u, kAll,
         {L"Section is: <b>Class 4 under XX (major) axis bending\n            <b>Class 2 under YY (minor) axis bending"
          L"\n</b> in bending\n", L"Determine moment capacity M'r_xx\n", L"cl 13.8.3 (a)"}, {L"under compression"}},
        // Class 4 flanges (15) and web (116): M'r_xx = 0, 0/0 -> infinity.
        {"zero over zero", L"I D=600 B=300 T=10 Tw=5", {}, 0.0, kInf, kSkip, kInf, 0x2010u, kAll,
         {L"U1x*Mfx/Mrxx = 1.000*0.000 kN·m / 0.000 kN·m = infinity\n", kFail}},
        // Cu = 2 x 0.9 A Fy (r = 2): web class 1 in compression, class 4 in flexure (27.9 > (1 - 0.78)*58.797).
        {"axis classes", kSectionA, {-2.0 * kCrA}, 2.0, kSkip, kSkip, kSkip, 0x1010u, 0x1010u, {L"cl 13.8.3 (a)"}},
        // cl 13.9 (a): S1 = Tu/Tr + Mfx/Mrxx + Mfy/Mryy; S2 = max(Mfx/Mrxx - Z Tu/(A Mrxx), 0) (+ Mfy/Mryy). Section A:
        // Z Tu/(A Mrxx) = Tu/Tr.
        {"tension, second sum", kSectionA, {0.2 * kTrA, 0.5 * kMrxxA}, 0.2, 0.5, kSkip, 0.7, 0u, kAll,
         {L"\tMfx/Mrxx - Tu/Mrxx*Zpl/A  = ( 0.500 - 0.200 ) = 0.300\n"}},
        // S1 = 0.3, S2 = max(0.1 - 0.2, 0).
        {"tension, second sum clipped", kSectionA, {0.2 * kTrA, 0.1 * kMrxxA}, kSkip, kSkip, kSkip, 0.3, 0u, kAll,
         {L"\tMfx/Mrxx - Tu/Mrxx*Zpl/A  = ( 0.100 - 0.200 ) = 0.000\n"}},
        {"tension overloaded", kSectionA, {1.1 * kTrA}, 1.1, kSkip, kSkip, 1.1, 0x1010u, kAll, {kFail}},
        // S1 = 0.05 + 0.931102 + 0.05 > 1; S2 = 0.931102 - 0.067816.
        {"tension, class 4", kSectionD, {0.05 * kTrD, kMuD, 0.05 * kMryyD}, 0.05, kMuD / kMrDashxxD, 0.05,
         0.1 + kMuD / kMrDashxxD, 0x10u, kAll,
         {L"Determine moment capacity M'r_xx\n", L"Mfx/Mrxx - Tu/Mrxx*Ze/A  = ( 0.931 - 0.068 ) = 0.863\n"}},
        {"tension, zero over zero", L"I D=600 B=300 T=10 Tw=5", {1000}, kSkip, kInf, kSkip, kSkip, 0x2010u, 0x2010u},
    });
    auto const r = Station(kSectionA, {-2.0 * kCrA});
    EXPECT_TRUE(StartsWith(r.GetMarkup(), L"Compression and bending check\nSection is: <b>Class 2 under compression\n"
                                          L"            <b>Class 4 under XX (major) axis bending\n"
                                          L"            <b>Class 2 under YY (minor) axis bending\n"
                                          L"</b> in bending and compression\n"));
}

// Struts and ties fail at their resistance (ratio 1.0 inclusive).
TEST(LocalCapacityStrut, FailsAtItsResistanceWithoutInteractionOrTorsion) {
    auto c = Make(kAngle);
    double Fe = 0;
    double const Cr = c->Crxx(0.0, Fe, nullptr), Tr = c->Tr(nullptr);
    for (double v : {Cr, Tr}) ASSERT_TRUE(s16test::Near(v, kCrL));
    for (double N : {-Cr, Tr}) {
        auto const r = Check(*c, {N});
        EXPECT_EQ(Util(r, UtilKind::LocalAxial), 1.0);
        EXPECT_EQ(r.Flags(), 0x1000u);
        if (N < 0) { EXPECT_EQ(r.GetMarkup().substr(r.GetMarkup().size() - kFail.size()), kFail); }
        EXPECT_FALSE(Contains(r.GetMarkup(), L"applied"));
    }
    auto const below = Check(*c, {-std::nextafter(Cr, 0.0)});
    EXPECT_LT(Util(below, UtilKind::LocalAxial), 1.0);
    EXPECT_EQ(below.Flags(), 0u);
    EXPECT_FALSE(Contains(below.GetMarkup(), L"Fail"));
    // No combined utilisation, no torsion (even under torque), no shear checks of their own; zero axial force runs the
    // compression strut. A channel marked strut-and-tie only is checked as a strut.
    auto const channel = Make(kSectionC);
    channel->SetStrutAndTieOnlyFlag(true);
    ASSERT_TRUE(channel->IsStrutAndTieOnly());
    auto const ch = Check(*channel, {-0.5 * kCrC, 0, 0, 100});
    EXPECT_REL(Util(ch, UtilKind::LocalAxial), 0.5);
    EXPECT_TRUE(StartsWith(ch.GetMarkup(), L"Compression check\nSection is: <b>Class 2</b> in compression\n"));
    auto const zero = Station(kAngle, {0, 0, 0, 250});
    auto const tie = Station(kAngle, {5000, 0, 0, 250});
    EXPECT_TRUE(StartsWith(zero.GetMarkup(), L"Compression check\n"));
    EXPECT_TRUE(StartsWith(tie.GetMarkup(), L"Tension (or no axial force) check\n"));
    EXPECT_EQ(zero.Flags(), 0u);
    for (auto const* r : {&ch, &zero, &tie}) {
        for (auto k : {UtilKind::LocalCombined, UtilKind::LocalTorsion, UtilKind::LocalShearMajor,
                       UtilKind::LocalShearMinor})
            EXPECT_FALSE(IsSet(*r, k));
        EXPECT_FALSE(Contains(r->GetMarkup(), L"orsion"));
    }
}

// Any moment or shear from 1e-10 (magnitude) fails a strut: its own flag, an infinite utilisation and the axial flag
// 0x1000. A tie ignores its major-axis moment only (the strut's major shear in full: LocalCapacityReport.WholeReports).
TEST(LocalCapacityStrut, MomentsAndShearsFail) {
    double const a = 1000 / kCrL, t = 100e3 / kCrL;  // Cu/Cr, Tu/Tr
    RunCases({
        {"strut Mx", kAngle, {-1000, 5}, a, kInf, kSkip, kSkip, 0x3000u, kAll, {StrutFail(L"Major axis moment")}},
        {"strut Mx 1e-10", kAngle, {-1000, -1e-10}, a, kInf, kSkip, kSkip, 0x3000u, kAll,
         {StrutFail(L"Major axis moment")}},
        {"strut My", kAngle, {-1000, 0, -5}, a, kSkip, kInf, kSkip, 0x5000u, kAll, {StrutFail(L"Minor axis moment")}},
        {"strut Vy", kAngle, {-1000, 0, 0, 0, 0, -5}, a, kSkip, kSkip, kSkip, 0x11000u, kAll,
         {StrutFail(L"Minor axis shear")}, {}, {{UtilKind::LocalShearMinor, kInf}}},
        {"tie My", kAngle, {100e3, 2000, 3}, t, kSkip, kInf, kSkip, 0x5000u, kAll,
         {L"<b><red>Fail:</red></b> Minor axis moment applied\n"}, {L"Major axis moment applied"}},
        {"tie Vx", kAngle, {100e3, 0, 0, 0, 3}, t, kSkip, kSkip, kSkip, 0x9000u, kAll,
         {L"<b><red>Fail:</red></b> Major axis shear applied\n"}, {}, {{UtilKind::LocalShearMajor, kInf}}},
        {"tie Vy", kAngle, {100e3, 0, 0, 0, 0, 3}, t, kSkip, kSkip, kSkip, 0x11000u, kAll,
         {L"<b><red>Fail:</red></b> Minor axis shear applied\n"}, {}, {{UtilKind::LocalShearMinor, kInf}}},
        // All four at once, in fixed order, summary and failure line once.
        {"strut all", kAngle, {-1000, 1, 1, 0, 1, 1}, a, kInf, kInf, kSkip, 0x1F000u, kAll,
         {L"<b><red>Fail:</red></b> Major axis moment applied\n<b><red>Fail:</red></b> Minor axis moment applied\n"
          L"<b><red>Fail:</red></b> Major axis shear applied\n" + StrutFail(L"Minor axis shear")}, {}},
        // Below the threshold: none.
        {"below 1e-10", kAngle, {-1000, 0.9e-10, -0.9e-10, 0, 0.9e-10, -0.9e-10}, a, kSkip, kSkip, kSkip, 0u, kAll},
    });
    EXPECT_FALSE(IsSet(Station(kAngle, {-1000, 0.9e-10, -0.9e-10, 0, 0.9e-10, -0.9e-10}), UtilKind::LocalMomMajor));
    // A tie with Mx only: not examined (report: LocalCapacityReport.WholeReports).
    EXPECT_FALSE(IsSet(Station(kAngle, {100e3, 2000}), UtilKind::LocalMomMajor));
}
// T/Tcsv >= 0.05 warns and flags 0x20000 (also with the report off); the boundary is found on the section's own Tcsv.
TEST(LocalCapacityTorsion, WarningFromFivePercent) {
    auto c = Make(kSectionA);
    double const Tcsv = c->TorsionCapacity(nullptr);
    ASSERT_TRUE(s16test::Near(Tcsv, kTcsvA));
    double below = 0.05 * Tcsv;
    while (below / Tcsv >= 0.05) below = std::nextafter(below, 0.0);
    double const at = std::nextafter(below, kInf);
    ASSERT_GE(at / Tcsv, 0.05);
    CString const warning = L"<b><orange>Warning:</orange></b> Torsion not properly supported!\n"
                            L"Applied torsion causes shear stress of greater than 5% of capacity\n";
    for (double T : {at, -at, below, 0.0499 * kTcsvA}) {
        SCOPED_TRACE(T);
        bool const warns = std::fabs(T) >= at;
        auto const r = Check(*c, {0, 0, 0, T});
        auto const quiet = Check(*c, {0, 0, 0, T}, false);
        EXPECT_REL_TOL(Util(r, UtilKind::LocalTorsion), warns ? 0.05 : std::fabs(T) / kTcsvA, 1e-9);
        EXPECT_EQ(Util(r, UtilKind::LocalTorsion) >= 0.05, warns);
        EXPECT_EQ(r.Flags(), warns ? 0x20000u : 0u);
        EXPECT_EQ(quiet.Flags(), r.Flags());
        EXPECT_EQ(quiet.GetMarkup(), L"");
        EXPECT_EQ(Contains(r.GetMarkup(), warning), warns);
        EXPECT_EQ(Contains(r.GetMarkup(), L"Warning"), warns);
    }
}

// The report of each path: what no golden report under tests/golden/ shows.
TEST(LocalCapacityReport, WholeReports) {
    double const TrE = 0.9 * 6992.4e-6 * 350e6, MrxxE = 0.9 * 856773.9e-9 * 350e6, MryyE = 0.9 * 251282.76e-9 * 350e6;
    RunCases({
        // cl 13.8.2 (a), section A, ratios 0.2/0.9/0.2, Vx = 200 kN, Vy = 50 kN, T = -100 N.m. S1 = 0.2 + 0.765 + 0.12
        // = 1.085, S2 = 0.9 + 0.2 = 1.1 governs. Major shear (web): fs = 0.66*350 = 231 MPa, Vr = 0.9*303*10*231 N.
        // Minor shear (flanges): AyBar = 2*12*96.5*(10 + 96.5)/2 = 123 327 mm^3, t = 24 mm, fs = 0.66*0.9*350 = 207.9
        // MPa, Iyy = 2*12*203^3/12 + 279*10^3/12 = 16 754 104 mm^4. (The shear, Mr and Cr workings in between, in full:
        // tests/golden/check_i.txt.)
        {"beta form", kSectionA, {-0.2 * kCrA, 0.9 * kMrxxA, 0.2 * kMryyA, -100, 200e3, 50e3}, kSkip, kSkip, kSkip, 1.1,
         0x10u, kAll,
         {L"Compression and bending check\nSection is: <b>Class 2 under compression\n"
          L"            <b>Class 2 under XX (major) axis bending\n"
          L"            <b>Class 2 under YY (minor) axis bending\n</b> in bending and compression\n"
          L"Major axis shear check:\n",
          L"\t   = 2414 kN\nCheck for combined axial and bending interaction\n\t<i>ref. CSA S16-09 cl 13.8.2 (a)</i>\n"
          L"\tBeta = 0.6, U1x = 1.000, U1y = 1.000\n\tCu / Cr = 482.7 kN / 2414 kN = 0.200\n"
          L"\t0.85*U1x*Mfx/Mrxx = 0.85*1.000*256.1 kN·m / 284.6 kN·m = 0.765\n"
          L"\tBeta*U1y*Mfy/Mryy = 0.600*1.000*16.02 kN·m / 80.08 kN·m = 0.120\n"
          L"\tCu/Cr + 0.85*U1x*Mfx/Mrxx + Beta*U1y*Mfy/Mryy\n\t\t= ( 0.200 + 0.765 + 0.120 ) = 1.085\n"
          L"\tMfx/Mrxx + Mfy/Mryy =  256.1 kN·m/284.6 kN·m + 16.02 kN·m/80.08 kN·m = 1.100\n"
          L"<b><red>Fail:</red></b>\nSimple St. Venant torsion check:\n"
          L"\tT/Tcsv = ( -0.1000 kN·m / 5.571 kN·m ) = 0.018\n"},
         {},
         {{UtilKind::LocalShearMajor, 200e3 / (0.9 * 0.303 * 0.010 * 231e6)},
          {UtilKind::LocalShearMinor, 50e3 * 123327e-9 / (16754104e-12 * 0.024) / (0.66 * 0.9 * 350e6)},
          {UtilKind::LocalTorsion, 100.0 / kTcsvA}}},
        // cl 13.8.3 (a), channel C, ratios 0.2/0.9/0.2: S1 = 1.3. Vx = 30 kN: 180/8 = 22.5 <= 54.2, Vr = 0.9*200*8*231.
        // Report: tests/golden/check_channel.txt; flange shear by hand: ShearTorsion.ShearChecksByHand.
        {"general form", kSectionC, {-0.2 * kCrC, 0.9 * kMrxxC, 0.2 * kMryyC, 0, 30e3, 100e3}, kSkip, kSkip, kSkip, 1.3,
         0x10u, kAll, {L"cl 13.8.3 (a)"}, {L"Beta"},
         {{UtilKind::LocalShearMajor, 30e3 / (0.9 * 0.200 * 0.008 * 231e6)}, {UtilKind::LocalTorsion, 0}}},
        // cl 13.9 (a), I D=303 B=203 T=12 Tw=7.6: web in compression 279/7.6 = 36.71 > 35.813, class 4 overall: Ze and
        // M'r (= Mrxx here, flange class 2, web in flexure class 1).
        //   A = 4872 + 279*7.6 = 6992.4 mm^2; Aeff = A - (279 - 35.813*7.6)*7.6
        //   Z = 708 876 + 7.6*279^2/4 = 856 773.9 mm^3; Zy = 247 254 + 279*7.6^2/4 = 251 282.76 mm^3
        //   Ze = Ixx/151.5, Ixx = (203*303^3 - 195.4*279^3)/12 -> 771 976.4 mm^3
        //   Tr = min(0.9 A Fy, 0.75 A Fu) = 0.9 A Fy.
        // Tu/Tr = 0.3, Mfx/Mrxx = 0.4, Mfy/Mryy = 0.1, Vx = 100 kN:
        //   Ze Tu/(Aeff Mrxx) = 0.27233; S1 = 0.8; S2 = 0.4 - 0.27233.
        {"tension form", L"I D=303 B=203 T=12 Tw=7.6", {0.3 * TrE, 0.4 * MrxxE, -0.1 * MryyE, 0, 100e3, 0}, 0.3, 0.4,
         0.1, 0.8, 0u, kAll,
         {L"Tension and bending check\nSection is: <b>Class 4</b> in bending and tension\nMajor axis shear check:\n",
          L"\tTr = min(Tr1, Tr2, Tr3) = min (2203 kN,2360 kN,2360 kN) = 2203 kN\n"
          L"Check for combined axial tension and bending interaction\n\t<i>ref. CSA S16-09 cl 13.9 (a)</i>\n"
          L"\tTu/Tr = 660.8 kN / 2203 kN = 0.300\n\tMfx/Mrxx = 108.0 kN·m / 269.9 kN·m = 0.400\n"
          L"\tMfy/Mryy = 7.915 kN·m / 79.15 kN·m = 0.100\n"
          L"\tTu/Mr*Ze/A = 660.8 kN/269.9 kN·m * 772.0 x10³ mm³/6941 mm² = 0.272\n"
          L"\tTu/Tr + Mfx/Mrxx + Mfy/Mryy = ( 0.300 + 0.400 + 0.100 ) = 0.800\n"
          L"\tMfx/Mrxx - Tu/Mrxx*Ze/A  = ( 0.400 - 0.272 ) = 0.128\nSimple St. Venant torsion check:\n"
          L"\tT/Tcsv = ( 0.000 kN·m / 4.655 kN·m ) = 0.000\n"}},
        // Strut: the angle under 300 kN with Vx = 5 kN (its report: tests/golden/check_angle.txt,
        // MomentsAndShearsFail).
        {"strut", kAngle, {-300e3, 0, 0, 0, 5e3, 0}, 300e3 / kCrL, kSkip, kSkip, kSkip, 0x8000u | 0x1000u, kAll, {}, {},
         {{UtilKind::LocalShearMajor, kInf}}},
        // Tie: the angle under 100 kN with a major-axis moment (not examined).
        {"tie", kAngle, {100e3, 2000, 0, 0, 0, 0}, kSkip, kSkip, kSkip, kSkip, 0u, kAll, {}, {}, {},
         L"Tension (or no axial force) check\nDetermination of Tr\n\t<i>ref. CSA S16-09 cl 13.2</i>\n"
         L"\ti). Tr1 = Phi*Ag*fy = 0.900*1539 mm²*350.0 MPa = 484.8 kN\n"
         L"\tii). Tr2 = PhiU*An*fu = 0.750*1539 mm²*450.0 MPa = 519.4 kN\n"
         L"\tiii). Tr3 = PhiU*Ane*fu = 0.750*1539 mm²*450.0 MPa = 519.4 kN\n"
         L"\tTr = min(Tr1, Tr2, Tr3) = min (484.8 kN,519.4 kN,519.4 kN) = 484.8 kN\n"
         L"Tu/Tr = 100.0 kN / 484.8 kN = 0.206\n"},
    });
}
