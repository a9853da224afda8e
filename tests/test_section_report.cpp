// The section block at the head of a member's report (each shape's whole block: the goldens tests/golden/check_*.txt).
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
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"

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

// I D=400 B=150 T=10 Tw=4.75 (its whole block: the layout of golden check_i.txt, formulas Geometry.DoublySymmetricI):
// A = 2*150*10 + 380*4.75 = 4805 mm^2, ybar = 200 mm; flanges 75/10 = 7.5 <= 7.751: class 1; web 380/4.75 = 80: r = 0:
// 58.797 < 80 <= 90.869, class 2 in flexure; r = 1: 80 > 0.35*101.559 = 35.55, > 35.813: class 4. Overall 4, XX 2, YY 1
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

// Product and principal moments appear only for sections that are not doubly symmetric (a doubly symmetric I without
// them: check_i.txt; IsDoublySymmetric: Calculators.ShapePredicates...): a channel (Iuu = Ixx, Ivv = Iyy, Ixy = 0 by
// its symmetry about x). C D=200 B=80 T=10 Tw=8:
//   Ixx = (80*200^3 - 72*180^3)/12 = 18 341 333.3 mm^4
//   xbar = (1600*40 + 1440*4)/3040 = 22.947 mm (from the web back)
//   Iyy = 2 (10*80^3/12 + 800*17.053^2) + 180*8^3/12 + 1440*18.947^2 = 1 843 244.9 mm^4
//   J = (2*80*10^3 + (200 - 10)*8^3)/3 = 85 760 mm^4
TEST(SectionReport, ProductMomentsOnlyWithoutDoubleSymmetry) {
    auto const tc = Make<CSectionCalcPFC>(L"C D=200 B=80 T=10 Tw=8").SectPropString(CDesFormat());
    EXPECT_TRUE(Contains(tc, L"\tJ    = 0.08576 x10⁶ mm⁴\n\tIuu  = 18.34 x10⁶ mm⁴\n\tIvv  = 1.843 x10⁶ mm⁴\n"
                             L"\tIxy  = 0.000 x10⁶ mm⁴\n\tSxx  = "));
    EXPECT_TRUE(Contains(tc, L"\txbar = 22.95 mm\n"));
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
    EXPECT_TRUE(Contains(text, L"\t<i>(in pure compression, or pure bending):</i>\n"
                               L"\tOverall/Compression: <b>Class 4</b>\n"
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
// flanges 101.5/12 = 8.458 (class 2), web 279/10 = 27.9 (class 1 in compression, <= 35.813). Own compression 2 x 0.9
// A Fy (r = 2): class 1 needs 27.9 <= (1 - 0.78)*58.797 = 12.94, the class 2 and 3 limits are negative: own overall
// class 4. At r = 1: 27.9 <= 0.61*58.797 = 35.87: class 1, overall 2. No axial force: XX 2 (flange), YY 2.
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

// The tapered-flange warning ends the block of a sloped section (parallel flanges: the goldens); the dimension text
// keeps the "%" of the slope (only the description loses "%"). (A tee without compression class: check_tee.)
TEST(SectionReport, LinesOnlyWhereTheyApply) {
    auto const text = Make<CSectionCalcI>(L"I D=400 B=150 T=10 Tw=4.75 slope=10").SectPropString(CDesFormat());
    EXPECT_EQ(text.find(kTaperedWarning), text.size() - kTaperedWarning.size()) << Corvid::Narrow(text);
    EXPECT_TRUE(Contains(text, L"\tslope = 10 %\n"));
    EXPECT_TRUE(Contains(text, L"Section description:\n\tI D=400 B=150 T=10 Tw=4.75 R=0 slope=10\n"));
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
    // Setting an action to the value it has keeps the cache.
    b.SetForceAxial(0.0);
    EXPECT_TRUE(b.Has(101));
    // A changed grade empties it (a changed action: Classification.CachedWebClassFollowsTheAxialForce,
    // EffectiveProperties.ZxxEffectiveIsCachedUntilTheActionsChange).
    b.SetSteelDesignProp(CSteelGrade(L"300W"));
    EXPECT_FALSE(b.Has(101));
    // The source is untouched by what happened to its copies.
    EXPECT_TRUE(a.Has(101));
    a.ClearVolatileResultCache();
    EXPECT_FALSE(a.Has(101));
    EXPECT_EQ(a.VolatileCacheSize(), 0u);
}

// The grade's quantities through the section (design stress and method: Calculators.DepthsThicknessesAndDesignStress).
TEST(SectionBase, MaterialQuantitiesAndNetArea) {
    auto c = Make<CSectionCalcI>(L"I D=303 B=203 T=13.1 Tw=7.5 R=15");
    EXPECT_REL(c.TensileStrength(), 450e6);
    EXPECT_REL(c.YoungsModulus(), 200000e6);
    EXPECT_REL(c.ShearModulus(), 77000e6);
    c.SetNetAreaRatio(0.85);
    EXPECT_REL(c.Anet(), 0.85 * c.Area());
}
