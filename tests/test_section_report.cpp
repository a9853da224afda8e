// The section block at the head of a member's report: description, gross properties, grade, net area ratio and the
// local buckling classes under pure compression and pure bending.
//
// Sections have no root fillets (R = 0), grade 350W (Fy 350 MPa, Fu 450 MPa): s = sqrt(350) = 18.7083; outstand
// limits 145/s = 7.751, 170/s = 9.087, 200/s = 10.690; web in compression 670/s = 35.813; web in flexure (1 - 0.39 r)
// 1100/s, (1 - 0.61 r) 1700/s, (1 - 0.65 r) 1900/s with r = Cf/(0.9 A Fy).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <unistd.h>

#include "Tolerance.h"
#include "framework/DesFormat.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "shapes/SectionCalcAngle.h"
#include "shapes/SectionCalcCHS.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

using namespace Corvid::Steel::SteelCSAS1609;
using Corvid::CString;
using Corvid::Data::CSection;
using Corvid::Steel::CSteelGrade;
using Corvid::Util::CDesFormat;
using BC = CCSA_S16_09Section::BucklingClass;

namespace {

template <class Calc>
Calc Make(CString const& description) {
    Calc c;
    EXPECT_TRUE(c.SetCorvidSec(CSection(description), nullptr));
    c.SetSteelDesignProp(CSteelGrade(L"350W"));
    c.SetCodeName(L"CSA S16-09");
    return c;
}

bool Contains(CString const& text, CString const& piece) { return text.find(piece) != CString::npos; }

CString const kTaperedWarning =
    L"<orange>Warning:</orange> Sections with tapered flanges not supported.\n"
    L"\tSection properties computed assuming flanges are uniform.\n";

// I D=400 B=150 T=10 Tw=4.75:
//   flanges (150/2)/10 = 7.5 <= 7.751: class 1 in every use;
//   web (400 - 20)/4.75 = 80:
//     no axial force (r = 0): 58.797 < 80 <= 90.869, class 2 in flexure;
//     under Cf = 0.9 A Fy (r = 1): 80 > 0.35*101.559 = 35.55, class 4 in
//     flexure, and 80 > 35.813, class 4 in compression.
//   So: overall (compression) class 4, XX class 2, YY class 1.
CString const kBeam = L"I D=400 B=150 T=10 Tw=4.75";

// Exposes the cache protocol of the base to the tests.
template <class Calc>
struct Probe : Calc {
    using Calc::CacheFind;
    using Calc::CacheStore;
    bool Has(std::uint32_t key) const {
        double v = 0;
        return this->CacheFind(key, v);
    }
};

struct Vocabulary : CCSA_S16_09Section {
    using CCSA_S16_09Section::GetLBCString;
    using CCSA_S16_09Section::Worst;
};

}  // namespace

// The whole block for the I-section above.
//   A   = 2*150*10 + 380*4.75 = 3000 + 1805 = 4805 mm^2
//   Ixx = (150*400^3 - 145.25*380^3)/12 = 135 820 166.7 mm^4
//   Iyy = 2*10*150^3/12 + 380*4.75^3/12 = 5 625 000 + 3 393.8 = 5 628 393.8
//   J   = (2*150*10^3 + (400 - 10)*4.75^3)/3 = (300 000 + 41 797.0)/3
//       = 113 932.3 mm^4 (plates without fillets)
//   Sxx = 150*10*390 + 4.75*380^2/4 = 585 000 + 171 475 = 756 475 mm^3 (plastic)
//   Syy = 2*10*150^2/4 + 380*4.75^2/4 = 112 500 + 2 143.4 = 114 643.4 mm^3
//   Zxx = Ixx/200 = 679 100.8 mm^3; Zyy = Iyy/75 = 75 045.3 mm^3 (elastic)
//   xbar = 0 (web centre line), ybar = 200 mm (from the bottom face)
//   Grade at t = max(10, 4.75) = 10 mm: Fy 350, Fu 450 MPa.
TEST(SectionReport, ISectionInFull) {
    auto c = Make<CSectionCalcI>(kBeam);
    EXPECT_EQ(c.SectPropString(CDesFormat()),
              L"Dimensions:\n\tD = 400.0 mm\n\tB1 = 150.0 mm\n\tT1 = 10.00 mm\n\tB2 = 150.0 mm\n\tT2 = 10.00 mm\n"
              L"\tTw = 4.750 mm\n\tR = 0.000 mm\n\tFabrication: rolled\n"
              L"Section description:\n\tI D=400 B=150 T=10 Tw=4.75 R=0\n"
              L"Section Properties:\n\tA    = 4805 mm²\n\tIxx  = 135.8 x10⁶ mm⁴\n\tIyy  = 5.628 x10⁶ mm⁴\n"
              L"\tJ    = 0.1139 x10⁶ mm⁴\n\tSxx  = 756.5 x10³ mm³\n\tSyy  = 114.6 x10³ mm³\n"
              L"\tZxx  = 679.1 x10³ mm³\n\tZyy  = 75.05 x10³ mm³\n\txbar = 0.000 mm\n\tybar = 200.0 mm\n"
              L"Steel grade: CSA G40.21 350W\n\tFy = 350.0 MPa, Fu = 450.0 MPa (t = 10.00 mm)\n"
              L"\tE = 200000 MPa, G = 77000 MPa\n"
              L"Net to gross area ratio = <b>1.000</b>\n"
              L"Local buckling classification\n\t<i>(in pure compression, or pure bending):</i>\n"
              L"\tOverall/Compression: <b>Class 4</b>\n"
              L"\tLocal buckling class XX(major) axis: <b>Class 2</b>\n"
              L"\tLocal buckling class YY(minor) axis: <b>Class 1</b>\n");
}

// The whole block for the angle L D=90 B=90 t=9 (strut and tie only): no section moduli, no axis classes, but the
// principal and product moments.
//   A = 90*9 + 81*9 = 810 + 729 = 1539 mm^2
//   xbar = ybar = (810*45 + 729*4.5)/1539 = 25.816 mm (from the heel)
//   Ixx = Iyy = 9*90^3/12 + 810*(45 - 25.816)^2 + 81*9^3/12
//             + 729*(4.5 - 25.816)^2 = 1 181 008.8 mm^4
//   Ixy = 810*(4.5 - 25.816)*(45 - 25.816) + 729*(49.5 - 25.816)*(4.5 - 25.816)
//       = -699 264.5 mm^4
//   Iuu, Ivv = 1 181 008.8 +- 699 264.5 = 1 880 273.3, 481 744.3 mm^4
//   J = ((90 - 4.5) + (90 - 4.5))*9^3/3 = 41 553 mm^4
//   Legs 90/9 = 10 <= 10.690: class 3.
TEST(SectionReport, AngleInFull) {
    auto c = Make<CSectionCalcAngle>(L"L D=90 B=90 t=9");
    EXPECT_EQ(c.SectPropString(CDesFormat()),
              L"Dimensions:\n\tD = 90.00 mm\n\tB = 90.00 mm\n\tt = 9.000 mm\n\tR = 0.000 mm\n\tFabrication: rolled\n"
              L"Section description:\n\tL D=90 B=90 t=9 R=0\n"
              L"Section Properties:\n\tA    = 1539 mm²\n\tIxx  = 1.181 x10⁶ mm⁴\n\tIyy  = 1.181 x10⁶ mm⁴\n"
              L"\tJ    = 0.04155 x10⁶ mm⁴\n\tIuu  = 1.880 x10⁶ mm⁴\n\tIvv  = 0.4817 x10⁶ mm⁴\n"
              L"\tIxy  = -0.6993 x10⁶ mm⁴\n\txbar = 25.82 mm\n\tybar = 25.82 mm\n"
              L"Steel grade: CSA G40.21 350W\n\tFy = 350.0 MPa, Fu = 450.0 MPa (t = 9.000 mm)\n"
              L"\tE = 200000 MPa, G = 77000 MPa\n"
              L"Net to gross area ratio = <b>1.000</b>\n"
              L"Local buckling classification\n\t<i>(in pure compression, or pure bending):</i>\n"
              L"\tOverall/Compression: <b>Class 3</b>\n");
}

// Product and principal moments appear only for sections that are not doubly symmetric: a channel (Iuu = Ixx, Ivv =
// Iyy, Ixy = 0 by its symmetry about x) and an I with unequal flanges. C D=200 B=80 T=10 Tw=8:
//   Ixx = (80*200^3 - 72*180^3)/12 = 18 341 333.3 mm^4
//   xbar = (1600*40 + 1440*4)/3040 = 22.947 mm (from the web back)
//   Iyy = 2 (10*80^3/12 + 800*17.053^2) + 180*8^3/12 + 1440*18.947^2 = 1 843 244.9 mm^4
//   J = (2*80*10^3 + (200 - 10)*8^3)/3 = 85 760 mm^4
TEST(SectionReport, ProductMomentsOnlyWithoutDoubleSymmetry) {
    auto const tc = Make<CSectionCalcPFC>(L"C D=200 B=80 T=10 Tw=8").SectPropString(CDesFormat());
    EXPECT_TRUE(Contains(tc, L"\tJ    = 0.08576 x10⁶ mm⁴\n\tIuu  = 18.34 x10⁶ mm⁴\n\tIvv  = 1.843 x10⁶ mm⁴\n"
                             L"\tIxy  = 0.000 x10⁶ mm⁴\n\tSxx  = "));
    // Not strut and tie only: moduli and axis classes shown.
    EXPECT_TRUE(Contains(tc, L"\txbar = 22.95 mm\n"));
    EXPECT_TRUE(Contains(tc, L"\tLocal buckling class XX(major) axis: <b>"));
    auto const tm = Make<CSectionCalcI>(L"I D=400 B1=150 T1=10 B2=200 T2=12 Tw=6").SectPropString(CDesFormat());
    for (wchar_t const* line : {L"\tIuu  = ", L"\tIvv  = ", L"\tIxy  = "}) EXPECT_TRUE(Contains(tm, line));
}

// The classes are those under the stated axial forces, whatever the section's own actions and cache: classified first
// under a tension of 0.9 A Fy (r = -1, web class 1 limit 1.39*58.797 = 81.73 >= 80: XX class 1), the report still
// gives XX class 2 (no axial force) and overall class 4 (Cf = 0.9 A Fy), and leaves the section's own actions and
// classes alone.
TEST(SectionReport, ClassesAreThoseOfTheStatedForces) {
    auto c = Make<CSectionCalcI>(kBeam);
    double const tension = 0.9 * 4805e-6 * 350e6;
    c.SetForceAxial(tension);
    c.SetMomentXX(-25e3);
    ASSERT_EQ(c.BucklingClassXX(nullptr), BC::Class1);
    ASSERT_EQ(c.BucklingClassWeb(), BC::Class1);
    auto const text = c.SectPropString(CDesFormat());
    EXPECT_TRUE(Contains(text, L"\tOverall/Compression: <b>Class 4</b>\n"
                               L"\tLocal buckling class XX(major) axis: <b>Class 2</b>\n"
                               L"\tLocal buckling class YY(minor) axis: <b>Class 1</b>\n"));
    EXPECT_EQ(c.ForceAxial(), tension);
    EXPECT_EQ(c.MomentXX(), -25e3);
    EXPECT_EQ(c.BucklingClassXX(nullptr), BC::Class1);
    // The same text from a section without actions, and from one classified under the report's own compression first.
    EXPECT_EQ(Make<CSectionCalcI>(kBeam).SectPropString(CDesFormat()), text);
    auto squeezed = Make<CSectionCalcI>(kBeam);
    squeezed.SetForceAxial(-0.9 * squeezed.DesignStressMin() * squeezed.Area());
    ASSERT_EQ(squeezed.BucklingClassWeb(), BC::Class4);
    EXPECT_EQ(squeezed.SectPropString(CDesFormat()), text);
}

// The overall class is the one at Cf = 0.9 A Fy even when the section itself carries more. I D=303 B=203 T=12 Tw=10:
// flanges 101.5/12 = 8.458 (class 2), web 279/10 = 27.9 (class 1 in compression, <= 35.813).
//   Own compression 2 x 0.9 A Fy (r = 2): web in flexure class 1 needs
//   27.9 <= (1 - 0.78)*58.797 = 12.94, class 2 and 3 limits are negative:
//   class 4, so the section's own overall class is 4.
//   At r = 1: 27.9 <= 0.61*58.797 = 35.87: class 1; overall class 2.
//   Without axial force: XX class 2 (flange), YY class 2.
TEST(SectionReport, OverallClassIsNotTheSectionsOwn) {
    auto c = Make<CSectionCalcI>(L"I D=303 B=203 T=12 Tw=10");
    c.SetForceAxial(-2.0 * 0.9 * 7662e-6 * 350e6);
    ASSERT_EQ(c.BucklingClassOverAll(nullptr), BC::Class4);
    EXPECT_TRUE(Contains(c.SectPropString(CDesFormat()), L"\tOverall/Compression: <b>Class 2</b>\n"
                                                         L"\tLocal buckling class XX(major) axis: <b>Class 2</b>\n"
                                                         L"\tLocal buckling class YY(minor) axis: <b>Class 2</b>\n"));
    EXPECT_EQ(c.BucklingClassOverAll(nullptr), BC::Class4);
}

// The net-to-gross area ratio held by the section is printed as it is, and the grade's text is taken unchanged (a "%"
// in a grade name stays).
TEST(SectionReport, NetToGrossRatioAndGradeText) {
    auto c = Make<CSectionCalcI>(kBeam);
    c.SetNetAreaRatio(0.85);
    CSteelGrade const grade(L"Mill 50% test", 345e6, 450e6);
    c.SetSteelDesignProp(grade);
    auto const text = c.SectPropString(CDesFormat());
    EXPECT_TRUE(Contains(text, L"Net to gross area ratio = <b>0.850</b>\n"));
    EXPECT_TRUE(Contains(text, L"\tybar = 200.0 mm\n" + grade.GetString(CDesFormat(), 0.010) + L"Net to gross"));
    EXPECT_TRUE(Contains(text, L"Steel grade: Mill 50% test\n"));
}

// Every "%" of the host's description becomes a blank. A parametric name never holds one, but a catalogue designation
// is the catalogue's own text: the row "W%400%B" (d 400, bf 150, tw 4.75, tf 10, k_des_or_r 10: R = 0) is the section
// of kBeam, and its block that of kBeam with "W 400 B" as description.
TEST(SectionReport, PercentInTheDescriptionBecomesABlank) {
    auto const dir = std::filesystem::temp_directory_path() / ("s16_report_catalogue_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "i_shapes.csv") << "designation,type,d,bf,tw,tf,k_des_or_r\nW%400%B,W,400,150,4.75,10,10\n";
    CSection::SetCatalogDirectory(dir.string());
    CSectionCalcI c;
    bool const loaded = [&] {
        try { return c.SetCorvidSec(CSection(L"W%400%B"), nullptr); } catch (std::exception const&) { return false; }
    }();
    CSection::SetCatalogDirectory("");
    std::filesystem::remove_all(dir);
    ASSERT_TRUE(loaded);
    c.SetSteelDesignProp(CSteelGrade(L"350W"));
    c.SetCodeName(L"CSA S16-09");
    ASSERT_EQ(c.GetCorvidSec().Description(false, false, true), L"W%400%B");
    CString expected = Make<CSectionCalcI>(kBeam).SectPropString(CDesFormat());
    CString const parametric = L"\tI D=400 B=150 T=10 Tw=4.75 R=0\n";
    auto const at = expected.find(parametric);
    ASSERT_NE(at, CString::npos);
    expected.replace(at, parametric.size(), L"\tW 400 B\n");
    EXPECT_EQ(c.SectPropString(CDesFormat()), expected);
}

// The tapered-flange warning ends the block of a section with sloping flanges only; there the dimension text keeps
// the "%" of the slope (only the description loses its "%"). The class in pure compression is left out for a member
// without axial compression (the tee's block).
TEST(SectionReport, LinesOnlyWhereTheyApply) {
    auto ch = Make<CSectionCalcPFC>(L"C D=200 B=80 T=10 Tw=8");
    auto t = Make<CSectionCalcT>(L"T D=200 B=150 T=10 Tw=8");
    auto rhs = Make<CSectionCalcRHS>(L"RHS D=200 B=100 t=8");
    auto chs = Make<CSectionCalcCHS>(L"CHS D=168 t=6");
    CCSA_S16_09Section* const parallel[] = {&ch, &t, &rhs, &chs};
    for (auto* s : parallel) EXPECT_FALSE(Contains(s->SectPropString(CDesFormat()), L"tapered"));
    auto const text = Make<CSectionCalcI>(L"I D=400 B=150 T=10 Tw=4.75 slope=10").SectPropString(CDesFormat());
    EXPECT_EQ(text.find(kTaperedWarning), text.size() - kTaperedWarning.size()) << Corvid::Narrow(text);
    EXPECT_TRUE(Contains(text, L"\tslope = 10 %\n"));
    EXPECT_TRUE(Contains(text, L"Section description:\n\tI D=400 B=150 T=10 Tw=4.75 R=0 slope=10\n"));
    t.ReportCompressionClass(false);
    auto const bending = t.SectPropString(CDesFormat());
    EXPECT_FALSE(Contains(bending, L"Compression")) << Corvid::Narrow(bending);
    EXPECT_TRUE(Contains(bending, L"\t<i>(in pure bending):</i>\n\tLocal buckling class XX(major) axis: "));
}

// ---- The code section base: class vocabulary, edition switch, caches, material quantities.

TEST(SectionBase, WorstClassAndItsText) {
    // {a, b, worst}; values outside 0..4 count as class 1.
    BC const cases[][3] = {{BC::Invalid, BC::Class4, BC::Invalid}, {BC::Class1, BC::Invalid, BC::Invalid},
                           {BC::Class2, BC::Class1, BC::Class2},   {BC::Class3, BC::Class4, BC::Class4},
                           {BC::Class3, BC::Class2, BC::Class3},   {BC::Class1, BC::Class1, BC::Class1},
                           {static_cast<BC>(7), BC::Class1, BC::Class1}};
    for (auto const& c : cases) EXPECT_EQ(Vocabulary::Worst(c[0], c[1]), c[2]);
    EXPECT_EQ(Vocabulary::GetLBCString(BC::Invalid), L"Invalid");
    EXPECT_EQ(Vocabulary::GetLBCString(BC::Class3), L"Class 3");
    EXPECT_EQ(Vocabulary::GetLBCString(static_cast<BC>(5)), L"");
}

TEST(SectionBase, EditionSwitchOnTheCodeName) {
    CSectionCalcI c;
    EXPECT_EQ(c.CodeName(), L"");
    EXPECT_FALSE(c.IsEdition2009());  // empty name: the later edition's values
    struct Case { wchar_t const* name; bool is2009; };
    for (Case k : {Case{L"CSA S16-09", true}, Case{L"csa s16-09", true}, Case{L"CSA S16-14", false},
                   Case{L"CSA S16-09 ", false}}) {
        c.SetCodeName(k.name);
        EXPECT_EQ(c.IsEdition2009(), k.is2009) << Corvid::Narrow(k.name);
    }
}

TEST(SectionBase, CachesAreCopiedAndEmptiedByTheirRules) {
    Probe<CSectionCalcI> a;
    a.SetCorvidSec(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15"), nullptr);
    a.SetSteelDesignProp(CSteelGrade(L"350W"));
    a.CacheStore(101, 2.0);
    // A copy starts with its source's entries.
    Probe<CSectionCalcI> b(a);
    EXPECT_TRUE(b.Has(101));
    // Assignment replaces the target's entries with the source's.
    Probe<CSectionCalcI> c;
    c.CacheStore(202, 3.0);
    c = a;
    EXPECT_TRUE(c.Has(101));
    EXPECT_FALSE(c.Has(202));
    c = c;  // self-assignment keeps the entries
    EXPECT_TRUE(c.Has(101));
    // A design action that changes empties the volatile cache; setting the same value again keeps it.
    b.SetForceAxial(0.0);
    EXPECT_TRUE(b.Has(101));
    std::function<void()> const changes[] = {[&] { b.SetForceAxial(-1000.0); }, [&] { b.SetMemberMoments({0.0, 5e3, 0.0}); },
                                             [&] { b.SetSteelDesignProp(CSteelGrade(L"300W")); },
                                             [&] { b.ClearForcesAndMoments(); }};
    for (auto const& change : changes) {
        b.CacheStore(101, 2.0);
        change();
        EXPECT_FALSE(b.Has(101));
    }
    // The source is untouched by what happened to its copies.
    EXPECT_TRUE(a.Has(101));
    a.ClearVolatileResultCache();
    EXPECT_FALSE(a.Has(101));
    EXPECT_EQ(a.VolatileCacheSize(), 0u);
}

// The grade's quantities through the section (its design stress and method:
// Calculators.DepthsThicknessesAndDesignStress).
TEST(SectionBase, MaterialQuantitiesAndNetArea) {
    auto c = Make<CSectionCalcI>(L"I D=303 B=203 T=13.1 Tw=7.5 R=15");
    EXPECT_REL(c.TensileStrength(), 450e6);
    EXPECT_REL(c.YoungsModulus(), 200000e6);
    EXPECT_REL(c.ShearModulus(), 77000e6);
    c.SetNetAreaRatio(0.85);
    EXPECT_REL(c.Anet(), 0.85 * c.Area());
}
