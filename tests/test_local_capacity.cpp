// Cross-section (local) checks of one station: CSA S16-09 cl. 13.8.2 (a) and
// 13.8.3 (a) for compression and bending, cl. 13.9 (a) for tension and
// bending, struts and ties, and the St Venant torsion check.
//
// All sections below have no root fillets (R = 0), so their properties are
// sums of rectangles; the grade is 350W (Fy = 350 MPa, Fu = 450 MPa for
// plates up to 65 mm), so s = sqrt(350) = 18.7083 and the limits are
// 145/s = 7.751, 170/s = 9.087, 200/s = 10.690 (outstands), 670/s = 35.813
// (web in compression), 1100/s = 58.797, 1700/s = 90.869, 1900/s = 101.559
// (web in flexure, before the axial-force factor), 1014/s = 54.201 (shear).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "shapes/SectionCalcAngle.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"

using Corvid::CString;
using Corvid::Data::CSection;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::CSteelGrade;
using Corvid::Steel::UtilKind;
using Corvid::Steel::SteelCSAS1609::CSectionCalcAngle;
using Corvid::Steel::SteelCSAS1609::CSectionCalcI;
using Corvid::Steel::SteelCSAS1609::CSectionCalcPFC;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

template <class Calc>
Calc Make(wchar_t const* description) {
    Calc c;
    EXPECT_TRUE(c.SetCorvidSec(CSection(description), nullptr));
    c.SetSteelDesignProp(CSteelGrade(L"350W"));
    c.SetCodeName(L"CSA S16-09");
    return c;
}

// Design actions of one station (N tension positive; N, N.m).
struct Actions {
    double N = 0, Mx = 0, My = 0, T = 0, Vx = 0, Vy = 0;
};

template <class Calc>
void Apply(Calc& c, Actions const& a) {
    c.SetForceAxial(a.N);
    c.SetMomentXX(a.Mx);
    c.SetMomentYY(a.My);
    c.SetTorsion(a.T);
    c.SetShearMajor(a.Vx);
    c.SetShearMinor(a.Vy);
}

template <class Calc>
CMemberResult Check(Calc const& c, bool text = true) {
    CMemberResult r;
    r.EnableText(text);
    c.LocalCapacityCheck(&r);
    return r;
}

double Util(CMemberResult const& r, UtilKind k) { return r.Entry(0).Util(k); }
bool IsSet(CMemberResult const& r, UtilKind k) { return r.Entry(0).IsSet(k); }
bool Contains(CString const& text, CString const& piece) { return text.find(piece) != CString::npos; }

// ---------------------------------------------------------------------------
// Section A: I D=303 B=203 T=12 Tw=10, class 2 overall.
//   flange (203/2)/12 = 8.458: 7.751 < 8.458 <= 9.087, class 2 (XX, YY, axial)
//   web (303 - 24)/10 = 27.9: <= 35.813 in compression (class 1) and
//   <= 58.797 (1 - 0.39 r) in flexure for any r <= 1.6 (class 1).
//   A   = 2*203*12 + 279*10 = 4872 + 2790 = 7662 mm^2
//   Z   = B T (D - T) + Tw hw^2/4 = 203*12*291 + 10*279^2/4
//       = 708 876 + 194 602.5 = 903 478.5 mm^3 (plastic, xx)
//   Zy  = 2 T B^2/4 + hw Tw^2/4 = 2*12*203^2/4 + 279*100/4
//       = 247 254 + 6 975 = 254 229 mm^3 (plastic, yy)
//   Mrxx = 0.9*903 478.5e-9*350e6 = 284 595.7275 N.m
//   Mryy = 0.9*254 229e-9*350e6   =  80 082.135 N.m
//   Cr  = 0.9*7662e-6*350e6       = 2 413 530 N (no slender element)
//   Tr  = min(0.9*7662*350, 0.75*7662*450) = min(2 413 530, 2 586 925)
//       = 2 413 530 N
// ---------------------------------------------------------------------------
wchar_t const* const kSectionA = L"I D=303 B=203 T=12 Tw=10";
constexpr double kMrxxA = 0.9 * 903478.5e-9 * 350e6;
constexpr double kMryyA = 0.9 * 254229e-9 * 350e6;
constexpr double kCrA = 0.9 * 7662e-6 * 350e6;
constexpr double kTrA = kCrA;
// J = (2 B T^3 + (D - T) Tw^3)/3 = (2*203*1728 + 291*1000)/3 = 330 856 mm^4;
// Tcsv = J (fy/sqrt(3)) / max(T, Tw) = 330 856e-12 * 350e6/sqrt(3) / 0.012
//      = 5 571.41 N.m
double const kTcsvA = 330856e-12 * 350e6 / std::sqrt(3.0) / 0.012;

// ---------------------------------------------------------------------------
// Section C: channel C D=200 B=80 T=10 Tw=8, class 2 overall.
//   flange B/T = 8: class 2; web 180/8 = 22.5: class 1 in compression and
//   in flexure.
//   A    = 2*80*10 + 180*8 = 3040 mm^2
//   Z    = 80*10*190 + 8*180^2/4 = 152 000 + 64 800 = 216 800 mm^3
//   Zy   : plastic axis at x = 1520/200 = 7.6 mm (inside the web);
//          200*7.6^2/2 + 200*0.4^2/2 + 20*(72.4^2 - 0.4^2)/2
//          = 5 776 + 16 + 52 416 = 58 208 mm^3
//   Mrxx = 0.9*216 800e-9*350e6 = 68 292 N.m
//   Mryy = 0.9*58 208e-9*350e6  = 18 335.52 N.m
//   Cr   = 0.9*3040e-6*350e6    = 957 600 N
// ---------------------------------------------------------------------------
wchar_t const* const kSectionC = L"C D=200 B=80 T=10 Tw=8";
constexpr double kMrxxC = 0.9 * 216800e-9 * 350e6;
constexpr double kMryyC = 0.9 * 58208e-9 * 350e6;
constexpr double kCrC = 0.9 * 3040e-6 * 350e6;

// ---------------------------------------------------------------------------
// Angle L D=90 B=90 t=9: legs 90/9 = 10 <= 200/s = 10.690, class 3;
// strut and tie only. A = 90*9 + 81*9 = 1539 mm^2, no leg reduction:
//   Cr = 0.9*1539e-6*350e6 = 484 785 N
//   Tr = min(0.9*1539*350, 0.75*1539*450) = min(484 785, 519 412.5) = 484 785 N
// ---------------------------------------------------------------------------
wchar_t const* const kAngle = L"L D=90 B=90 t=9";
constexpr double kCrL = 0.9 * 1539e-6 * 350e6;
constexpr double kTrL = kCrL;

}  // namespace

// ===========================================================================
// Compression and bending of members
// ===========================================================================

// Cu/Cr = 0.2, Mfx/Mrxx = 0.9, Mfy/Mryy = 0.2 on the class 2 I-section:
//   cl 13.8.2 (a): S1 = 0.2 + 0.85*0.9 + 0.6*0.2 = 0.2 + 0.765 + 0.12 = 1.085
//                  S2 = 0.9 + 0.2 = 1.1
// Both exceed 1.0 though no single ratio does: flag 0x10 alone.
TEST(LocalCapacityMember, ClassTwoISectionUsesTheBetaForm) {
    auto c = Make<CSectionCalcI>(kSectionA);
    Apply(c, {-0.2 * kCrA, 0.9 * kMrxxA, 0.2 * kMryyA, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 0.2);
    EXPECT_REL(Util(r, UtilKind::LocalMomMajor), 0.9);
    EXPECT_REL(Util(r, UtilKind::LocalMomMinor), 0.2);
    EXPECT_REL(Util(r, UtilKind::LocalCombined), 1.1);
    EXPECT_EQ(r.Flags(), 0x10u);
    auto const text = r.GetMarkup();
    EXPECT_TRUE(Contains(text, L"\t= ( 0.200 + 0.765 + 0.120 ) = 1.085\n"));
    EXPECT_TRUE(Contains(text, L"<b><red>Fail:</red></b>\n"));

    // The same actions with the report switched off: the same numbers and
    // flags, no text.
    auto const quiet = Check(c, false);
    EXPECT_EQ(quiet.GetMarkup(), L"");
    EXPECT_EQ(quiet.Flags(), 0x10u);
    EXPECT_REL(Util(quiet, UtilKind::LocalCombined), 1.1);
}

// The same ratios on the class 2 channel: cl 13.8.3 (a), no 0.85 and no
// Beta: S1 = 0.2 + 0.9 + 0.2 = 1.3, S2 = 1.1; combined 1.3.
TEST(LocalCapacityMember, ClassTwoChannelUsesTheGeneralForm) {
    auto c = Make<CSectionCalcPFC>(kSectionC);
    Apply(c, {-0.2 * kCrC, 0.9 * kMrxxC, 0.2 * kMryyC, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 0.2);
    EXPECT_REL(Util(r, UtilKind::LocalMomMajor), 0.9);
    EXPECT_REL(Util(r, UtilKind::LocalMomMinor), 0.2);
    EXPECT_REL(Util(r, UtilKind::LocalCombined), 1.3);
    EXPECT_EQ(r.Flags(), 0x10u);
    auto const text = r.GetMarkup();
    EXPECT_TRUE(Contains(text, L"cl 13.8.3 (a)"));
    EXPECT_FALSE(Contains(text, L"cl 13.8.2 (a)"));
}

// A class 3 I-section (flange 101.5/10 = 10.15: 9.087 < 10.15 <= 10.690; web
// 283/10 = 28.3, class 1) also takes cl 13.8.3 (a), with Mrxx on the elastic
// modulus: S = Ixx/(D/2), Ixx = (203*303^3 - 193*283^3)/12
//   = (5 647 079 781 - 4 374 338 011)/12 = 106 061 814.1667 mm^4,
//   S = 700 078.0 mm^3, Mrxx = 0.9*S*350 MPa = 220 524.6 N.m.
// Mfx = 0.5 Mrxx alone: S1 = 0.5 (the 13.8.2 form would give 0.425).
TEST(LocalCapacityMember, ClassThreeISectionUsesTheGeneralForm) {
    auto c = Make<CSectionCalcI>(L"I D=303 B=203 T=10 Tw=10");
    double const S = (203.0 * 303 * 303 * 303 - 193.0 * 283 * 283 * 283) / 12.0 / 151.5 * 1e-9;
    double const Mrxx = 0.9 * S * 350e6;
    Apply(c, {0, 0.5 * Mrxx, 0, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_REL(Util(r, UtilKind::LocalMomMajor), 0.5);
    EXPECT_REL(Util(r, UtilKind::LocalCombined), 0.5);
    EXPECT_EQ(r.Flags(), 0u);
    EXPECT_TRUE(Contains(r.GetMarkup(), L"cl 13.8.3 (a)"));
}

// Failures name the ratios that exceed 1.0 on their own, and S2 can fail
// alone.
TEST(LocalCapacityMember, FailureFlagsNameTheRatiosOverOne) {
    {
        // Cu/Cr = 1.2 alone: S1 = 1.2 > 1 -> 0x10 | 0x1000.
        auto c = Make<CSectionCalcI>(kSectionA);
        Apply(c, {-1.2 * kCrA, 0, 0, 0, 0, 0});
        auto const r = Check(c);
        EXPECT_EQ(r.Flags(), 0x10u | 0x1000u);
        EXPECT_REL(Util(r, UtilKind::LocalCombined), 1.2);
    }
    {
        // Mfx/Mrxx = 1.1: S1 = 0.935, S2 = 1.1 -> 0x10 | 0x2000.
        auto c = Make<CSectionCalcI>(kSectionA);
        Apply(c, {0, -1.1 * kMrxxA, 0, 0, 0, 0});
        auto const r = Check(c);
        EXPECT_EQ(r.Flags(), 0x10u | 0x2000u);
        EXPECT_REL(Util(r, UtilKind::LocalCombined), 1.1);
    }
    {
        // Mfy/Mryy = 1.05: S1 = 0.63, S2 = 1.05 -> 0x10 | 0x4000.
        auto c = Make<CSectionCalcI>(kSectionA);
        Apply(c, {0, 0, -1.05 * kMryyA, 0, 0, 0});
        auto const r = Check(c);
        EXPECT_EQ(r.Flags(), 0x10u | 0x4000u);
        EXPECT_REL(Util(r, UtilKind::LocalCombined), 1.05);
    }
    {
        // Mfx/Mrxx = 0.6, Mfy/Mryy = 0.5: S1 = 0.51 + 0.3 = 0.81 passes but
        // S2 = 1.1 fails: 0x10 alone, combined 1.1.
        auto c = Make<CSectionCalcI>(kSectionA);
        Apply(c, {0, 0.6 * kMrxxA, 0.5 * kMryyA, 0, 0, 0});
        auto const r = Check(c);
        EXPECT_EQ(r.Flags(), 0x10u);
        EXPECT_REL(Util(r, UtilKind::LocalCombined), 1.1);
        EXPECT_TRUE(Contains(r.GetMarkup(), L"<b><red>Fail:</red></b>\n"));
    }
    {
        // All within: Cu/Cr = 0.3, Mfx/Mrxx = 0.4, Mfy/Mryy = 0.3:
        // S1 = 0.3 + 0.34 + 0.18 = 0.82, S2 = 0.7: no flag, no Fail line.
        auto c = Make<CSectionCalcI>(kSectionA);
        Apply(c, {-0.3 * kCrA, 0.4 * kMrxxA, 0.3 * kMryyA, 0, 0, 0});
        auto const r = Check(c);
        EXPECT_EQ(r.Flags(), 0u);
        EXPECT_REL(Util(r, UtilKind::LocalCombined), 0.82);
        EXPECT_FALSE(Contains(r.GetMarkup(), L"Fail"));
    }
}

// The header names the axial class and the two axis classes of the
// section under its own actions, which need not be the overall class: section
// A under Cu = 2 x 0.9 A Fy (r = 2) keeps its web class 1 in compression
// (27.9 <= 35.813) but its web in flexure becomes class 4 (27.9 > (1 -
// 0.78)*58.797 = 12.94, the class 2 and 3 limits being negative): axial
// class 2, XX class 4, YY class 2 (flanges only); overall class 4, so the
// cl 13.8.3 (a) form is used.
TEST(LocalCapacityMember, HeaderShowsTheAxialAndAxisClasses) {
    auto c = Make<CSectionCalcI>(kSectionA);
    Apply(c, {-2.0 * kCrA, 0, 0, 0, 0, 0});
    auto const r = Check(c);
    auto const text = r.GetMarkup();
    EXPECT_EQ(text.rfind(L"Compression and bending check\n"
                         L"Section is: <b>Class 2 under compression\n"
                         L"            <b>Class 4 under XX (major) axis bending\n"
                         L"            <b>Class 2 under YY (minor) axis bending\n"
                         L"</b> in bending and compression\n",
                         0),
              0u);
    EXPECT_TRUE(Contains(text, L"cl 13.8.3 (a)"));
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 2.0);
    EXPECT_EQ(r.Flags() & (0x10u | 0x1000u), 0x10u | 0x1000u);
}

// Zero axial force is not tension: the compression variant runs, and the
// squash resistance is reported against the tension slenderness limit 300
// (the axial force is not negative).
TEST(LocalCapacityMember, ZeroAxialForceRunsTheCompressionVariant) {
    auto c = Make<CSectionCalcI>(kSectionA);
    Apply(c, {0, 0.5 * kMrxxA, 0, 0, 0, 0});
    auto const r = Check(c);
    auto const text = r.GetMarkup();
    EXPECT_EQ(text.rfind(L"Compression and bending check\n", 0), 0u);
    EXPECT_FALSE(Contains(text, L"Tension"));
    EXPECT_TRUE(Contains(text, L"\tCu / Cr = 0.000 kN / 2414 kN = 0.000\n"));
    EXPECT_TRUE(Contains(text, L" <= 300. "));
    EXPECT_EQ(Util(r, UtilKind::LocalAxial), 0.0);
    // S1 = 0.85*0.5 = 0.425, S2 = 0.5.
    EXPECT_REL(Util(r, UtilKind::LocalCombined), 0.5);
    EXPECT_EQ(r.Flags(), 0u);
}

// ---------------------------------------------------------------------------
// Section D: I D=600 B=200 T=12 Tw=5, a class 4 web in flexure.
//   flange 100/12 = 8.333: class 2 in every use;
//   web 576/5 = 115.2 > 101.559 (1 - 0.65 r) for r > -0.207: class 4.
//   A   = 2*200*12 + 576*5 = 7680 mm^2
//   Ixx = (200*600^3 - 195*576^3)/12 = 494 576 640 mm^4
//   S   = Ixx/300 = 1 648 588.8 mm^3 (elastic)
//   Zy  = 2*12*200^2/4 + 576*25/4 = 240 000 + 3 600 = 243 600 mm^3 (plastic)
// M'r of the web reduction (cl 13.5), without axial compression:
//   Mr = 0.9 S fy = 0.9*1 648 588.8e-9*350e6 = 519 305.472 N.m
//   Mu chosen as 0.9 S 324 MPa, so that sqrt(Mu/(0.9 S)) = 18 (MPa):
//   M'r = Mr (1 - 0.0005 Aw/Af (hw/tw - 1900/18))
//       = Mr (1 - 0.0005*2880/2400*(115.2 - 105.5556))
//       = Mr*0.99421333 = 516 300.42 N.m; Mfx/M'r = 0.931102.
// Mryy: the flanges are class 2 about yy, so M'r_yy = Mryy = 0.9 Zy fy
//   = 0.9*243 600e-9*350e6 = 76 734 N.m.
// ---------------------------------------------------------------------------
namespace {
wchar_t const* const kSectionD = L"I D=600 B=200 T=12 Tw=5";
constexpr double kSD = 494576640.0 / 300.0 * 1e-9;
constexpr double kMuD = 0.9 * kSD * 324e6;
constexpr double kMrDashxxD = 0.9 * kSD * 350e6 * (1.0 - 0.0005 * 2880.0 / 2400.0 * (115.2 - 1900.0 / 18.0));
constexpr double kMryyD = 0.9 * 243600e-9 * 350e6;
}  // namespace

// Class 4 (by its web): cl 13.8.3 (a) with M'r; Mrxx itself would be 0 and
// the ratio infinite.
TEST(LocalCapacityMember, ClassFourCompressionUsesTheReducedResistance) {
    auto c = Make<CSectionCalcI>(kSectionD);
    Apply(c, {0, kMuD, 0.05 * kMryyD, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_REL(Util(r, UtilKind::LocalMomMajor), kMuD / kMrDashxxD);
    EXPECT_REL(Util(r, UtilKind::LocalMomMinor), 0.05);
    // S1 = 0 + 0.931102 + 0.05 = 0.981102
    EXPECT_REL(Util(r, UtilKind::LocalCombined), kMuD / kMrDashxxD + 0.05);
    EXPECT_EQ(r.Flags(), 0u);
    auto const text = r.GetMarkup();
    // The classes of the header: axial (web in compression 115.2 > 35.813:
    // class 4), XX (web class 4), YY (flanges only: class 2).
    EXPECT_TRUE(Contains(text, L"Section is: <b>Class 4 under compression\n"
                               L"            <b>Class 4 under XX (major) axis bending\n"
                               L"            <b>Class 2 under YY (minor) axis bending\n"));
    EXPECT_TRUE(Contains(text, L"Determine moment capacity M'r_xx\n"));
    EXPECT_TRUE(Contains(text, L"cl 13.8.3 (a)"));
}

// Class 4 in tension (cl 13.9 (a)): M'r as well, and the elastic modulus in
// the second sum. Tu = 0.05 Tr with Tr = 0.9*7680e-6*350e6 = 2 419 200 N
// (0.75*7680*450 = 2 592 000 is larger): r = -0.05 leaves the web class 4
// (115.2 > 101.559*1.0325 = 104.86).
//   A (compression effective) = 7680 - (576 - 35.813*5)*5 = 5695.325 mm^2
//   c = S Tu / (A M'r) = 1 648 588.8e-9*120 960 / (5695.325e-6*516 300.42)
//     = 0.067816
TEST(LocalCapacityMember, ClassFourTensionUsesTheReducedResistance) {
    auto c = Make<CSectionCalcI>(kSectionD);
    double const Tr = 0.9 * 7680e-6 * 350e6;
    double const Tu = 0.05 * Tr;
    Apply(c, {Tu, kMuD, 0.05 * kMryyD, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 0.05);
    EXPECT_REL(Util(r, UtilKind::LocalMomMajor), kMuD / kMrDashxxD);
    EXPECT_REL(Util(r, UtilKind::LocalMomMinor), 0.05);
    // S1 = 0.05 + 0.931102 + 0.05 = 1.031102 > 1: fails with 0x10 alone.
    EXPECT_REL(Util(r, UtilKind::LocalCombined), 0.05 + kMuD / kMrDashxxD + 0.05);
    EXPECT_EQ(r.Flags(), 0x10u);
    auto const text = r.GetMarkup();
    EXPECT_TRUE(Contains(text, L"Determine moment capacity M'r_xx\n"));
    // S2 = 0.931102 - 0.067816 = 0.863286
    EXPECT_TRUE(Contains(text, L"Mfx/Mrxx - Tu/Mrxx*Ze/A  = ( 0.931 - 0.068 ) = 0.863\n"));
}

// A zero moment over a zero resistance (0/0) is taken as infinite: the I
// D=600 B=300 T=10 Tw=5 has class 4 flanges (150/10 = 15 > 10.690) and a
// class 4 web (580/5 = 116 > 101.559), so M'r_xx = 0; with no moment at all
// Mfx/M'r_xx = 0/0 -> +infinity, which fails the interaction.
TEST(LocalCapacityMember, ZeroOverZeroIsInfinite) {
    auto c = Make<CSectionCalcI>(L"I D=600 B=300 T=10 Tw=5");
    Apply(c, {0, 0, 0, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_EQ(Util(r, UtilKind::LocalMomMajor), kInf);
    EXPECT_EQ(Util(r, UtilKind::LocalCombined), kInf);
    EXPECT_EQ(Util(r, UtilKind::LocalAxial), 0.0);
    EXPECT_EQ(r.Flags(), 0x10u | 0x2000u);
    auto const text = r.GetMarkup();
    EXPECT_TRUE(Contains(text, L"U1x*Mfx/Mrxx = 1.000*0.000 kN·m / 0.000 kN·m = infinity\n"));
    EXPECT_TRUE(Contains(text, L"<b><red>Fail:</red></b>\n"));

    // The same in tension: Tu/Tr finite, Mfx/M'r_xx = 0/0 -> +infinity.
    Apply(c, {1000, 0, 0, 0, 0, 0});
    auto const t = Check(c);
    EXPECT_EQ(Util(t, UtilKind::LocalMomMajor), kInf);
    EXPECT_EQ(t.Flags() & (0x10u | 0x2000u), 0x10u | 0x2000u);
}

// ===========================================================================
// Tension and bending of members (cl 13.9 (a))
// ===========================================================================

// Section A in tension is class 2 overall (the web in compression is class
// 1), so the plastic modulus Z enters c = Z Tu / (A Mrxx); with Mrxx =
// 0.9 Z fy and A = Ag this is c = Tu/(0.9 A fy) = Tu/Tr. So Tu = 0.2 Tr gives
// c = 0.2:
//   bx = 0.5: S2 = 0.5 - 0.2 = 0.3;   bx = 0.1: S2 = max(0.1 - 0.2, 0) = 0.
TEST(LocalCapacityTension, SecondSumSubtractsTheTensionTerm) {
    auto c = Make<CSectionCalcI>(kSectionA);
    Apply(c, {0.2 * kTrA, 0.5 * kMrxxA, 0, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 0.2);
    EXPECT_REL(Util(r, UtilKind::LocalMomMajor), 0.5);
    // S1 = 0.2 + 0.5 + 0 = 0.7 is the larger.
    EXPECT_REL(Util(r, UtilKind::LocalCombined), 0.7);
    EXPECT_EQ(r.Flags(), 0u);
    EXPECT_TRUE(Contains(r.GetMarkup(), L"\tMfx/Mrxx - Tu/Mrxx*Zpl/A  = ( 0.500 - 0.200 ) = 0.300\n"));

    Apply(c, {0.2 * kTrA, 0.1 * kMrxxA, 0, 0, 0, 0});
    auto const r2 = Check(c);
    EXPECT_REL(Util(r2, UtilKind::LocalCombined), 0.3);
    EXPECT_TRUE(Contains(r2.GetMarkup(), L"\tMfx/Mrxx - Tu/Mrxx*Zpl/A  = ( 0.100 - 0.200 ) = 0.000\n"));
}

// Tension failure flags: Tu/Tr = 1.1 -> S1 = 1.1: 0x10 | 0x1000.
TEST(LocalCapacityTension, OverloadedTieFlagsTheAxialRatio) {
    auto c = Make<CSectionCalcI>(kSectionA);
    Apply(c, {1.1 * kTrA, 0, 0, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 1.1);
    EXPECT_REL(Util(r, UtilKind::LocalCombined), 1.1);
    EXPECT_EQ(r.Flags(), 0x10u | 0x1000u);
    EXPECT_TRUE(Contains(r.GetMarkup(), L"<b><red>Fail:</red></b>\n"));
}

// ===========================================================================
// Struts and ties (angles)
// ===========================================================================

// A compression strut fails from Cu/Cr = 1.0 inclusive; just below passes.
TEST(LocalCapacityStrut, CompressionStrutFailsAtItsResistance) {
    auto c = Make<CSectionCalcAngle>(kAngle);
    double Fe = 0;
    double const Cr = c.Crxx(0.0, Fe, nullptr);
    ASSERT_TRUE(s16test::Near(Cr, kCrL));
    // Cu = Cr exactly (the section's own value, so that the ratio is 1.0).
    Apply(c, {-Cr, 0, 0, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_EQ(Util(r, UtilKind::LocalAxial), 1.0);
    EXPECT_EQ(r.Flags(), 0x1000u);
    auto const text = r.GetMarkup();
    EXPECT_TRUE(Contains(text, L"<b><red>Fail:</red></b>\n"));
    EXPECT_FALSE(Contains(text, L"applied"));

    Apply(c, {-std::nextafter(Cr, 0.0), 0, 0, 0, 0, 0});
    auto const below = Check(c);
    EXPECT_LT(Util(below, UtilKind::LocalAxial), 1.0);
    EXPECT_EQ(below.Flags(), 0u);
    EXPECT_FALSE(Contains(below.GetMarkup(), L"Fail"));
}

// Any moment or shear on a compression strut fails it: its own flag, an
// infinite utilisation, and the axial failure flag 0x1000.
TEST(LocalCapacityStrut, MomentsAndShearsOnACompressionStrutFail) {
    struct Case {
        Actions act;
        unsigned flag;
        UtilKind kind;
        wchar_t const* line;
    };
    Case const cases[] = {
        {{-1000, 5, 0, 0, 0, 0}, 0x2000u, UtilKind::LocalMomMajor, L"<b><red>Fail:</red></b> Major axis moment applied\n"},
        {{-1000, 0, -5, 0, 0, 0}, 0x4000u, UtilKind::LocalMomMinor, L"<b><red>Fail:</red></b> Minor axis moment applied\n"},
        {{-1000, 0, 0, 0, 5, 0}, 0x8000u, UtilKind::LocalShearMajor, L"<b><red>Fail:</red></b> Major axis shear applied\n"},
        {{-1000, 0, 0, 0, 0, -5}, 0x10000u, UtilKind::LocalShearMinor,
         L"<b><red>Fail:</red></b> Minor axis shear applied\n"},
    };
    for (auto const& k : cases) {
        auto c = Make<CSectionCalcAngle>(kAngle);
        Apply(c, k.act);
        auto const r = Check(c);
        EXPECT_EQ(r.Flags(), k.flag | 0x1000u) << k.flag;
        EXPECT_EQ(Util(r, k.kind), kInf) << k.flag;
        auto const text = r.GetMarkup();
        EXPECT_TRUE(Contains(text, CString(k.line) + L"Bending moments and/or shear applied to strut\n"
                                                      L"<b><red>Fail:</red></b>\n"))
            << k.flag;
        // 1000/484 785 = 0.00206
        EXPECT_REL(Util(r, UtilKind::LocalAxial), 1000.0 / kCrL);
    }

    // All four at once, in their fixed order; the summary and the failure
    // line once each.
    auto c = Make<CSectionCalcAngle>(kAngle);
    Apply(c, {-1000, 1, 1, 0, 1, 1});
    auto const r = Check(c);
    EXPECT_EQ(r.Flags(), 0x1000u | 0x2000u | 0x4000u | 0x8000u | 0x10000u);
    EXPECT_TRUE(Contains(r.GetMarkup(), L"<b><red>Fail:</red></b> Major axis moment applied\n"
                                        L"<b><red>Fail:</red></b> Minor axis moment applied\n"
                                        L"<b><red>Fail:</red></b> Major axis shear applied\n"
                                        L"<b><red>Fail:</red></b> Minor axis shear applied\n"
                                        L"Bending moments and/or shear applied to strut\n"
                                        L"<b><red>Fail:</red></b>\n"));
}

// An action counts as applied from 1e-10 (N or N.m) upwards, in magnitude:
// 0.9e-10 is none, -1e-10 is applied.
TEST(LocalCapacityStrut, ActionsBelowTheThresholdAreNone) {
    auto c = Make<CSectionCalcAngle>(kAngle);
    Apply(c, {-1000, 0.9e-10, -0.9e-10, 0, 0.9e-10, -0.9e-10});
    auto const quiet = Check(c);
    EXPECT_EQ(quiet.Flags(), 0u);
    EXPECT_FALSE(IsSet(quiet, UtilKind::LocalMomMajor));

    Apply(c, {-1000, -1e-10, 0, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_EQ(r.Flags(), 0x1000u | 0x2000u);
}

// A tie's major-axis moment is not examined: a tension strut carrying only
// Mx passes. Its minor-axis moment and shears fail it as for a strut.
TEST(LocalCapacityStrut, TieIgnoresItsMajorAxisMoment) {
    auto c = Make<CSectionCalcAngle>(kAngle);
    // Tu/Tr = 100 000/484 785 = 0.20628
    Apply(c, {100e3, 2000, 0, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 100e3 / kTrL);
    EXPECT_EQ(r.Flags(), 0u);
    EXPECT_FALSE(IsSet(r, UtilKind::LocalMomMajor));
    EXPECT_FALSE(Contains(r.GetMarkup(), L"Fail"));

    Apply(c, {100e3, 2000, 3, 0, 0, 0});
    auto const m = Check(c);
    EXPECT_EQ(m.Flags(), 0x4000u | 0x1000u);
    EXPECT_EQ(Util(m, UtilKind::LocalMomMinor), kInf);
    EXPECT_FALSE(Contains(m.GetMarkup(), L"Major axis moment applied"));

    Apply(c, {100e3, 0, 0, 0, 3, 0});
    EXPECT_EQ(Check(c).Flags(), 0x8000u | 0x1000u);
    Apply(c, {100e3, 0, 0, 0, 0, 3});
    EXPECT_EQ(Check(c).Flags(), 0x10000u | 0x1000u);
}

// A tie at exactly its resistance fails (1.0 inclusive).
TEST(LocalCapacityStrut, TieFailsAtItsResistance) {
    auto c = Make<CSectionCalcAngle>(kAngle);
    double const Tr = c.Tr(nullptr);
    ASSERT_TRUE(s16test::Near(Tr, kTrL));
    Apply(c, {Tr, 0, 0, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_EQ(Util(r, UtilKind::LocalAxial), 1.0);
    EXPECT_EQ(r.Flags(), 0x1000u);
}

// Struts and ties get no combined utilisation, no torsion check (even with
// a torque) and no shear checks of their own; zero axial force runs the
// compression strut.
TEST(LocalCapacityStrut, NoInteractionAndNoTorsion) {
    auto c = Make<CSectionCalcAngle>(kAngle);
    Apply(c, {0, 0, 0, 250, 0, 0});
    auto const r = Check(c);
    EXPECT_FALSE(IsSet(r, UtilKind::LocalCombined));
    EXPECT_FALSE(IsSet(r, UtilKind::LocalTorsion));
    EXPECT_FALSE(IsSet(r, UtilKind::LocalShearMajor));
    EXPECT_FALSE(IsSet(r, UtilKind::LocalShearMinor));
    EXPECT_EQ(r.Flags(), 0u);
    auto const text = r.GetMarkup();
    EXPECT_EQ(text.rfind(L"Compression check\n", 0), 0u);
    EXPECT_FALSE(Contains(text, L"orsion"));

    Apply(c, {5000, 0, 0, 250, 0, 0});
    auto const t = Check(c);
    EXPECT_FALSE(IsSet(t, UtilKind::LocalCombined));
    EXPECT_FALSE(IsSet(t, UtilKind::LocalTorsion));
    EXPECT_EQ(t.GetMarkup().rfind(L"Tension (or no axial force) check\n", 0), 0u);
    EXPECT_FALSE(Contains(t.GetMarkup(), L"orsion"));
}

// A channel connected by its web only is strut-and-tie only: the strut
// variant, without torsion.
TEST(LocalCapacityStrut, ChannelMarkedStrutAndTieIsCheckedAsAStrut) {
    auto c = Make<CSectionCalcPFC>(kSectionC);
    c.SetStrutAndTieOnlyFlag(true);
    ASSERT_TRUE(c.IsStrutAndTieOnly());
    Apply(c, {-0.5 * kCrC, 0, 0, 100, 0, 0});
    auto const r = Check(c);
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 0.5);
    EXPECT_FALSE(IsSet(r, UtilKind::LocalTorsion));
    EXPECT_FALSE(IsSet(r, UtilKind::LocalCombined));
    EXPECT_EQ(r.GetMarkup().rfind(L"Compression check\nSection is: <b>Class 2</b> in compression\n", 0), 0u);
}

// ===========================================================================
// Torsion
// ===========================================================================

// T/Tcsv of 0.05 or more warns and flags 0x20000 (also with the report off);
// anything below does not. The boundary torque is found on the section's own
// Tcsv (checked against the hand value first).
TEST(LocalCapacityTorsion, WarningFromFivePercent) {
    auto c = Make<CSectionCalcI>(kSectionA);
    double const Tcsv = c.TorsionCapacity(nullptr);
    ASSERT_TRUE(s16test::Near(Tcsv, kTcsvA));
    double below = 0.05 * Tcsv;
    while (below / Tcsv >= 0.05) below = std::nextafter(below, 0.0);
    double const at = std::nextafter(below, kInf);
    ASSERT_GE(at / Tcsv, 0.05);

    CString const warning = L"<b><orange>Warning:</orange></b> Torsion not properly supported!\n"
                            L"Applied torsion causes shear stress of greater than 5% of capacity\n";
    for (double T : {at, -at}) {
        Apply(c, {0, 0, 0, T, 0, 0});
        auto const r = Check(c);
        EXPECT_GE(Util(r, UtilKind::LocalTorsion), 0.05);
        EXPECT_REL(Util(r, UtilKind::LocalTorsion), 0.05);
        EXPECT_EQ(r.Flags(), 0x20000u);
        EXPECT_TRUE(Contains(r.GetMarkup(), warning));
        auto const quiet = Check(c, false);
        EXPECT_EQ(quiet.Flags(), 0x20000u);
        EXPECT_EQ(quiet.GetMarkup(), L"");
    }
    for (double T : {below, 0.0499 * kTcsvA}) {
        Apply(c, {0, 0, 0, T, 0, 0});
        auto const r = Check(c);
        EXPECT_LT(Util(r, UtilKind::LocalTorsion), 0.05);
        EXPECT_EQ(r.Flags(), 0u);
        EXPECT_FALSE(Contains(r.GetMarkup(), L"Warning"));
    }
    // 0.0499 exactly as a ratio of the hand value.
    Apply(c, {0, 0, 0, 0.0499 * kTcsvA, 0, 0});
    EXPECT_REL(Util(Check(c), UtilKind::LocalTorsion), 0.0499);
}

// ===========================================================================
// Whole reports
// ===========================================================================

// cl 13.8.2 (a), section A with Cu/Cr = 0.2, Mfx/Mrxx = 0.9, Mfy/Mryy = 0.2,
// Vx = 200 kN, Vy = 50 kN and T = -100 N.m.
//   Cu = 0.2*2 413 530 = 482 706 N; Mfx = 0.9*284 595.73 = 256 136.15 N.m;
//   Mfy = 0.2*80 082.135 = 16 016.43 N.m.
// Major axis shear (web): hw/tw = 27.9 <= 54.201, fs = 0.66*350 = 231 MPa,
//   Vr = 0.9*303*10*231 = 629 937 N; 200 000/629 937 = 0.3175.
// Minor axis shear (flanges): b = (203 - 10)/2 = 96.5,
//   AyBar = 2*12*96.5*(10 + 96.5)/2 = 123 327 mm^3,
//   Iyy = 2*12*203^3/12 + 279*10^3/12 = 16 730 854 + 23 250 = 16 754 104 mm^4,
//   fv = 50 000*123 327e-9/(16 754 104e-12*0.024) = 15.335 MPa;
//   15.335/207.9 = 0.0738.
// Squash: r = sqrt(Ixx/A), Ixx = (203*303^3 - 193*279^3)/12 = 121 297 954.5,
//   r = sqrt(121 297 954.5/7662) = 125.82 mm.
// Torsion: 100/5571.41 = 0.0179.
TEST(LocalCapacityReport, BetaFormInFull) {
    auto c = Make<CSectionCalcI>(kSectionA);
    Apply(c, {-0.2 * kCrA, 0.9 * kMrxxA, 0.2 * kMryyA, -100, 200e3, 50e3});
    auto const r = Check(c);
    EXPECT_EQ(r.GetMarkup(),
              L"Compression and bending check\n"
              L"Section is: <b>Class 2 under compression\n"
              L"            <b>Class 2 under XX (major) axis bending\n"
              L"            <b>Class 2 under YY (minor) axis bending\n"
              L"</b> in bending and compression\n"
              L"Major axis shear check:\n"
              L"\t<i>ref. CSA S16-09 cl 13.4.3</i>\n"
              L"\tfy = 350.0 MPa\n"
              L"\t1014/sqrt(fy) = 1014/sqrt(350.000 Mpa) = 54.201\n"
              L"\thw/tw = 27.900 <= 1014/sqrt(fy)\n"
              L"\tfs = 0.66*fy = 0.66*350.0 MPa = 231.0 MPa\n"
              L"\tVry = Phi*h*tw*fs\n"
              L"\t    = 0.900*303.0 mm*10.00 mm*231.0 MPa = 629.9 kN\n"
              L"\tUtil = 200.0 kN/629.9 kN=0.317\n"
              L"Minor axis shear check:\n"
              L"\t<i>ref. CSA S16-09 cl 13.4.1</i>\n"
              L"\tMax shear stress, fv_max = Vux*AyBar/(Iyy*(T1+T2))\n"
              L"\t                        = 50.00 kN*123.3 x10³ mm³/(16.75 x10⁶ mm⁴*24.00 mm)\n"
              L"\t                        = 15.34 MPa\n"
              L"\tfs = 0.66*phi*fy = 0.66*0.9*350.0 MPa = 207.9 MPa <i>Shear buckling is not considered</i>\n"
              L"\tUtil = 15.34 MPa/207.9 MPa=0.074\n"
              L"Determine moment capacity Mrxx\n"
              L"\t<i>ref. CSA S16-09 cl.13.5</i>\n"
              L"\tZ = 903.5 x10³ mm³\n"
              L"\tfy = 350.0 MPa\n"
              L"\tMrxx = Phi*Z*fy\n"
              L"\t     = 0.900*903.5 x10³ mm³*350.0 MPa\n"
              L"\t     = 284.6 kN·m\n"
              L"Determine moment capacity Mryy\n"
              L"\t<i>ref. CSA S16-09 cl.13.5</i>\n"
              L"\tZ = 254.2 x10³ mm³\n"
              L"\tfy = 350.0 MPa\n"
              L"\tMryy = Phi*Z*fy\n"
              L"\t     = 0.900*254.2 x10³ mm³*350.0 MPa\n"
              L"\t     = 80.08 kN·m\n"
              L"Determination of Crxx\n"
              L"\t<i>ref. CSA S16-09 cl 13.3.1</i>\n"
              L"\tLe/r = 0.000 m/125.8 mm = 0.000 <= 200. <blue><i>ref. CSA S16-09 cl 10.4.2.1</i></blue>\n"
              L"\tCr = Phi*A*Fy\n"
              L"\t   = 0.900*7662 mm²*350.0 MPa\n"
              L"\t   = 2414 kN\n"
              L"Check for combined axial and bending interaction\n"
              L"\t<i>ref. CSA S16-09 cl 13.8.2 (a)</i>\n"
              L"\tBeta = 0.6, U1x = 1.000, U1y = 1.000\n"
              L"\tCu / Cr = 482.7 kN / 2414 kN = 0.200\n"
              L"\t0.85*U1x*Mfx/Mrxx = 0.85*1.000*256.1 kN·m / 284.6 kN·m = 0.765\n"
              L"\tBeta*U1y*Mfy/Mryy = 0.600*1.000*16.02 kN·m / 80.08 kN·m = 0.120\n"
              L"\tCu/Cr + 0.85*U1x*Mfx/Mrxx + Beta*U1y*Mfy/Mryy\n"
              L"\t\t= ( 0.200 + 0.765 + 0.120 ) = 1.085\n"
              L"\tMfx/Mrxx + Mfy/Mryy =  256.1 kN·m/284.6 kN·m + 16.02 kN·m/80.08 kN·m = 1.100\n"
              L"<b><red>Fail:</red></b>\n"
              L"Simple St. Venant torsion check:\n"
              L"\tT/Tcsv = ( -0.1000 kN·m / 5.571 kN·m ) = 0.018\n");
    EXPECT_EQ(r.Flags(), 0x10u);
    EXPECT_REL(Util(r, UtilKind::LocalShearMajor), 200e3 / (0.9 * 0.303 * 0.010 * 231e6));
    EXPECT_REL(Util(r, UtilKind::LocalShearMinor),
               50e3 * 123327e-9 / (16754104e-12 * 0.024) / (0.66 * 0.9 * 350e6));
    EXPECT_REL(Util(r, UtilKind::LocalTorsion), 100.0 / kTcsvA);
}

// cl 13.8.3 (a), channel C with Cu/Cr = 0.2, Mfx/Mrxx = 0.9, Mfy/Mryy = 0.2,
// Vx = 30 kN, Vy = 100 kN, no torque.
//   Cu = 0.2*957 600 = 191 520 N; Mfx = 0.9*68 292 = 61 462.8 N.m;
//   Mfy = 0.2*18 335.52 = 3 667.10 N.m.
// Centroid x = (1600*40 + 1440*4)/3040 = 69 760/3040 = 22.947 mm;
//   Iyy = 2*(10*80^3/12 + 800*(40 - 22.947)^2) + 180*8^3/12
//         + 1440*(4 - 22.947)^2 = 1 843 244.9 mm^4.
// Major axis shear (flanges): b = 80 - 22.947 = 57.053,
//   AyBar = 2*10*57.053^2/2 = 32 550.0 mm^3, t = 20 mm,
//   fv = 30 000*32 550.0e-9/(1 843 244.9e-12*0.020) = 26.489 MPa;
//   26.489/207.9 = 0.1274.
// Minor axis shear (web): hw/tw = 180/8 = 22.5, fs = 231 MPa,
//   Vr = 0.9*200*8*231 = 332 640 N; 100 000/332 640 = 0.3006.
// Squash: Ixx = (80*200^3 - 72*180^3)/12 = 18 341 333.3 mm^4,
//   r = sqrt(18 341 333.3/3040) = 77.67 mm.
// Torsion: J = (2*80*1000 + 190*512)/3 = 85 760 mm^4,
//   Tcsv = 85 760e-12*350e6/sqrt(3)/0.010 = 1 732.97 N.m.
TEST(LocalCapacityReport, GeneralCompressionFormInFull) {
    auto c = Make<CSectionCalcPFC>(kSectionC);
    Apply(c, {-0.2 * kCrC, 0.9 * kMrxxC, 0.2 * kMryyC, 0, 30e3, 100e3});
    auto const r = Check(c);
    EXPECT_EQ(r.GetMarkup(),
              L"Compression and bending check\n"
              L"Section is: <b>Class 2 under compression\n"
              L"            <b>Class 2 under XX (major) axis bending\n"
              L"            <b>Class 2 under YY (minor) axis bending\n"
              L"</b> in bending and compression\n"
              L"Major axis shear check:\n"
              L"\t<i>ref. CSA S16-09 cl 13.4.3</i>\n"
              L"\tMax shear stress, fv_max = Vux*AyBar/(Iyy*2*Tf)\n"
              L"\t                        = 30.00 kN*32.55 x10³ mm³/(1.843 x10⁶ mm⁴*20.00 mm)\n"
              L"\t                        = 26.49 MPa\n"
              L"\tfs = 0.66*phi*fy = 0.66*0.9*350.0 MPa = 207.9 MPa <i>Shear buckling is not considered</i>\n"
              L"\tUtil = 26.49 MPa/207.9 MPa=0.127\n"
              L"Minor axis shear check:\n"
              L"\t<i>ref. CSA S16-09 cl 13.4.1</i>\n"
              L"\tfy = 350.0 MPa\n"
              L"\t1014/sqrt(fy) = 1014/sqrt(350.000 Mpa) = 54.201\n"
              L"\thw/tw = 22.500 <= 1014/sqrt(fy)\n"
              L"\tfs = 0.66*fy = 0.66*350.0 MPa = 231.0 MPa\n"
              L"\tVry = Phi*h*tw*fs\n"
              L"\t    = 0.900*200.0 mm*8.000 mm*231.0 MPa = 332.6 kN\n"
              L"\tUtil = 100.0 kN/332.6 kN=0.301\n"
              L"Determine moment capacity Mrxx\n"
              L"\t<i>ref. CSA S16-09 cl.13.5</i>\n"
              L"\tZ = 216.8 x10³ mm³\n"
              L"\tfy = 350.0 MPa\n"
              L"\tMrxx = Phi*Z*fy\n"
              L"\t     = 0.900*216.8 x10³ mm³*350.0 MPa\n"
              L"\t     = 68.29 kN·m\n"
              L"Determine moment capacity Mryy\n"
              L"\t<i>ref. CSA S16-09 cl.13.5</i>\n"
              L"\tZ = 58.21 x10³ mm³\n"
              L"\tfy = 350.0 MPa\n"
              L"\tMryy = Phi*Z*fy\n"
              L"\t     = 0.900*58.21 x10³ mm³*350.0 MPa\n"
              L"\t     = 18.34 kN·m\n"
              L"Determination of Crxx\n"
              L"\t<i>ref. CSA S16-09 cl 13.3.1</i>\n"
              L"\tLe/r = 0.000 m/77.67 mm = 0.000 <= 200. <blue><i>ref. CSA S16-09 cl 10.4.2.1</i></blue>\n"
              L"\tCr = Phi*A*Fy\n"
              L"\t   = 0.900*3040 mm²*350.0 MPa\n"
              L"\t   = 957.6 kN\n"
              L"Check for combined axial and bending interaction\n"
              L"\t<i>ref. CSA S16-09 cl 13.8.3 (a)</i>\n"
              L"\tU1x = 1.000, U1y = 1.000\n"
              L"\tCu / Cr = 191.5 kN / 957.6 kN = 0.200\n"
              L"\tU1x*Mfx/Mrxx = 1.000*61.46 kN·m / 68.29 kN·m = 0.900\n"
              L"\tU1y*Mfy/Mryy = 1.000*3.667 kN·m / 18.34 kN·m = 0.200\n"
              L"\tCu/Cr + U1x*Mfx/Mrxx + U1y*Mfy/Mryy\n"
              L"\t\t= ( 0.200 + 0.900 + 0.200 ) = 1.300\n"
              L"<b><red>Fail:</red></b>\n"
              L"Simple St. Venant torsion check:\n"
              L"\tT/Tcsv = ( 0.000 kN·m / 1.733 kN·m ) = 0.000\n");
    EXPECT_EQ(r.Flags(), 0x10u);
    EXPECT_EQ(Util(r, UtilKind::LocalTorsion), 0.0);
}

// cl 13.9 (a), I D=303 B=203 T=12 Tw=7.6 in tension. Its web in compression
// is class 4 (279/7.6 = 36.71 > 35.813), so the section is class 4 overall:
// the elastic modulus labelled Ze enters the second sum and M'r is asked for
// (flange class 2 and web in flexure class 1 give back Mrxx, plastic).
//   A   = 2*203*12 + 279*7.6 = 4872 + 2120.4 = 6992.4 mm^2
//   Aeff= 6992.4 - (279 - 35.813*7.6)*7.6 = 6940.56 mm^2
//   Z   = 708 876 + 7.6*279^2/4 = 856 773.9 mm^3;
//   Zy  = 247 254 + 279*7.6^2/4 = 251 282.76 mm^3
//   S   = Ixx/151.5, Ixx = (203*303^3 - 195.4*279^3)/12 = 116 954 426.7,
//         S = 771 976.4 mm^3
//   Mrxx = 0.9*856 773.9e-9*350e6 = 269 883.78 N.m
//   Mryy = 0.9*251 282.76e-9*350e6 = 79 154.07 N.m
//   Tr1 = 0.9*6992.4*350 = 2 202 606 N; Tr2 = Tr3 = 0.75*6992.4*450
//       = 2 359 935 N; Tr = 2 202 606 N.
// Tu = 0.3 Tr = 660 781.8 N, Mfx = 0.4 Mrxx = 107 953.5 N.m, Mfy = 0.1 Mryy
// = 7 915.41 N.m, Vx = 100 kN:
//   c = S Tu/(Aeff Mrxx) = 771 976.4e-9*660 781.8/(6940.56e-6*269 883.78)
//     = 0.27233; S1 = 0.8; S2 = 0.4 - 0.27233 = 0.12767.
// Shear (web): 279/7.6 = 36.711 <= 54.201, Vr = 0.9*303*7.6*231 = 478 752 N.
// Flange shear with V = 0: b = (203 - 7.6)/2 = 97.7,
//   AyBar = 2*12*97.7*105.3/2 = 123 453.7 mm^3; Iyy = 16 730 854 + 279*7.6^3/12
//   = 16 741 060.2 mm^4.
// Torsion: J = (2*203*1728 + 291*7.6^3)/3 = 276 436.7 mm^4,
//   Tcsv = 276 436.7e-12*350e6/sqrt(3)/0.012 = 4 655.02 N.m.
TEST(LocalCapacityReport, TensionFormInFull) {
    auto c = Make<CSectionCalcI>(L"I D=303 B=203 T=12 Tw=7.6");
    double const Tr = 0.9 * 6992.4e-6 * 350e6;
    double const Mrxx = 0.9 * 856773.9e-9 * 350e6;
    double const Mryy = 0.9 * 251282.76e-9 * 350e6;
    Apply(c, {0.3 * Tr, 0.4 * Mrxx, -0.1 * Mryy, 0, 100e3, 0});
    auto const r = Check(c);
    EXPECT_EQ(r.GetMarkup(),
              L"Tension and bending check\n"
              L"Section is: <b>Class 4</b> in bending and tension\n"
              L"Major axis shear check:\n"
              L"\t<i>ref. CSA S16-09 cl 13.4.3</i>\n"
              L"\tfy = 350.0 MPa\n"
              L"\t1014/sqrt(fy) = 1014/sqrt(350.000 Mpa) = 54.201\n"
              L"\thw/tw = 36.711 <= 1014/sqrt(fy)\n"
              L"\tfs = 0.66*fy = 0.66*350.0 MPa = 231.0 MPa\n"
              L"\tVry = Phi*h*tw*fs\n"
              L"\t    = 0.900*303.0 mm*7.600 mm*231.0 MPa = 478.8 kN\n"
              L"\tUtil = 100.0 kN/478.8 kN=0.209\n"
              L"Minor axis shear check:\n"
              L"\t<i>ref. CSA S16-09 cl 13.4.1</i>\n"
              L"\tMax shear stress, fv_max = Vux*AyBar/(Iyy*(T1+T2))\n"
              L"\t                        = 0.000 kN*123.5 x10³ mm³/(16.74 x10⁶ mm⁴*24.00 mm)\n"
              L"\t                        = 0.000 MPa\n"
              L"\tfs = 0.66*phi*fy = 0.66*0.9*350.0 MPa = 207.9 MPa <i>Shear buckling is not considered</i>\n"
              L"\tUtil = 0.000 MPa/207.9 MPa=0.000\n"
              L"Determine moment capacity Mrxx\n"
              L"\t<i>ref. CSA S16-09 cl.13.5</i>\n"
              L"\tZ = 856.8 x10³ mm³\n"
              L"\tfy = 350.0 MPa\n"
              L"\tMrxx = Phi*Z*fy\n"
              L"\t     = 0.900*856.8 x10³ mm³*350.0 MPa\n"
              L"\t     = 269.9 kN·m\n"
              L"Determine moment capacity Mryy\n"
              L"\t<i>ref. CSA S16-09 cl.13.5</i>\n"
              L"\tZ = 251.3 x10³ mm³\n"
              L"\tfy = 350.0 MPa\n"
              L"\tMryy = Phi*Z*fy\n"
              L"\t     = 0.900*251.3 x10³ mm³*350.0 MPa\n"
              L"\t     = 79.15 kN·m\n"
              L"Determination of Tr\n"
              L"\t<i>ref. CSA S16-09 cl 13.2</i>\n"
              L"\ti). Tr1 = Phi*Ag*fy = 0.900*6992 mm²*350.0 MPa = 2203 kN\n"
              L"\tii). Tr2 = PhiU*An*fu = 0.750*6992 mm²*450.0 MPa = 2360 kN\n"
              L"\tiii). Tr3 = PhiU*Ane*fu = 0.750*6992 mm²*450.0 MPa = 2360 kN\n"
              L"\tTr = min(Tr1, Tr2, Tr3) = min (2203 kN,2360 kN,2360 kN) = 2203 kN\n"
              L"Check for combined axial tension and bending interaction\n"
              L"\t<i>ref. CSA S16-09 cl 13.9 (a)</i>\n"
              L"\tTu/Tr = 660.8 kN / 2203 kN = 0.300\n"
              L"\tMfx/Mrxx = 108.0 kN·m / 269.9 kN·m = 0.400\n"
              L"\tMfy/Mryy = 7.915 kN·m / 79.15 kN·m = 0.100\n"
              L"\tTu/Mr*Ze/A = 660.8 kN/269.9 kN·m * 772.0 x10³ mm³/6941 mm² = 0.272\n"
              L"\tTu/Tr + Mfx/Mrxx + Mfy/Mryy = ( 0.300 + 0.400 + 0.100 ) = 0.800\n"
              L"\tMfx/Mrxx - Tu/Mrxx*Ze/A  = ( 0.400 - 0.272 ) = 0.128\n"
              L"Simple St. Venant torsion check:\n"
              L"\tT/Tcsv = ( 0.000 kN·m / 4.655 kN·m ) = 0.000\n");
    EXPECT_EQ(r.Flags(), 0u);
    EXPECT_REL(Util(r, UtilKind::LocalCombined), 0.8);
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 0.3);
    EXPECT_REL(Util(r, UtilKind::LocalMomMajor), 0.4);
    EXPECT_REL(Util(r, UtilKind::LocalMomMinor), 0.1);
}

// Compression strut: the angle under 300 kN with a major-axis shear of 5 kN.
//   ybar = (810*45 + 729*4.5)/1539 = 25.816 mm;
//   Ixx = 9*90^3/12 + 810*(45 - 25.816)^2 + 81*9^3/12 + 729*(4.5 - 25.816)^2
//       = 1 181 008.8 mm^4; r = sqrt(1 181 008.8/1539) = 27.70 mm.
//   Cu/Cr = 300 000/484 785 = 0.6188.
TEST(LocalCapacityReport, CompressionStrutInFull) {
    auto c = Make<CSectionCalcAngle>(kAngle);
    Apply(c, {-300e3, 0, 0, 0, 5e3, 0});
    auto const r = Check(c);
    EXPECT_EQ(r.GetMarkup(),
              L"Compression check\n"
              L"Section is: <b>Class 3</b> in compression\n"
              L"Determination of Crxx\n"
              L"\t<i>ref. CSA S16-09 cl 13.3.1</i>\n"
              L"\tLe/r = 0.000 m/27.70 mm = 0.000 <= 200. <blue><i>ref. CSA S16-09 cl 10.4.2.1</i></blue>\n"
              L"\tCr = Phi*A*Fy\n"
              L"\t   = 0.900*1539 mm²*350.0 MPa\n"
              L"\t   = 484.8 kN\n"
              L"Cu / Cr = 300.0 kN / 484.8 kN = 0.619\n"
              L"<b><red>Fail:</red></b> Major axis shear applied\n"
              L"Bending moments and/or shear applied to strut\n"
              L"<b><red>Fail:</red></b>\n");
    EXPECT_EQ(r.Flags(), 0x8000u | 0x1000u);
    EXPECT_REL(Util(r, UtilKind::LocalAxial), 300e3 / kCrL);
    EXPECT_EQ(Util(r, UtilKind::LocalShearMajor), kInf);
}

// Tension strut: the angle under 100 kN with a major-axis moment, which a
// tie does not examine. Tr lines: Tr1 = 0.9*1539*350 = 484 785 N,
// Tr2 = Tr3 = 0.75*1539*450 = 519 412.5 N; 100 000/484 785 = 0.2063.
TEST(LocalCapacityReport, TensionStrutInFull) {
    auto c = Make<CSectionCalcAngle>(kAngle);
    Apply(c, {100e3, 2000, 0, 0, 0, 0});
    auto const r = Check(c);
    EXPECT_EQ(r.GetMarkup(),
              L"Tension (or no axial force) check\n"
              L"Determination of Tr\n"
              L"\t<i>ref. CSA S16-09 cl 13.2</i>\n"
              L"\ti). Tr1 = Phi*Ag*fy = 0.900*1539 mm²*350.0 MPa = 484.8 kN\n"
              L"\tii). Tr2 = PhiU*An*fu = 0.750*1539 mm²*450.0 MPa = 519.4 kN\n"
              L"\tiii). Tr3 = PhiU*Ane*fu = 0.750*1539 mm²*450.0 MPa = 519.4 kN\n"
              L"\tTr = min(Tr1, Tr2, Tr3) = min (484.8 kN,519.4 kN,519.4 kN) = 484.8 kN\n"
              L"Tu/Tr = 100.0 kN / 484.8 kN = 0.206\n");
    EXPECT_EQ(r.Flags(), 0u);
}
