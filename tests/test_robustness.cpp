// Inputs found by fuzzing the section reader and the member check (each once
// gave a NaN or negative property or utilisation, or a misread name).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestSections.h"
#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

using namespace Corvid::Data;
using namespace Corvid::Steel;
using Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member;
using s16test::LoadCalc;
namespace RB = Corvid::Data::RestraintBits;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

// Plate torsion constants with free-end reductions (El Darwish & Johnston),
// both ends free and one end free.
double K2(double b, double t) { return b * t * t * t * (1.0 / 3.0 - 0.21 * t / b * (1.0 - std::pow(t / b, 4) / 12.0)); }
double K1(double b, double t) { return b * t * t * t * (1.0 / 3.0 - 0.105 * t / b * (1.0 - std::pow(t / b, 4) / 192.0)); }

// A member on points 3 m apart with the given restraints, each span under N.
std::unique_ptr<CSA_S16_09_Member> Member(CMemberResult& r, wchar_t const* section, wchar_t const* grade,
                                          std::vector<int> const& points, double N) {
    auto m = std::make_unique<CSA_S16_09_Member>();
    m->SetResult(&r);
    m->SetSection(CSection(section));
    m->SetSteelDesignProp(CSteelGrade(grade));
    std::vector<CMemberPoint> pts;
    std::vector<CSubSpan> spans;
    for (int k = 0; k < static_cast<int>(points.size()); ++k) {
        pts.emplace_back(3.0 * k, CRestraint(points[k]));
        if (k > 0) spans.emplace_back(k - 1, k - 1, k), spans.back().SetForces({N, 0, 0}, {N, 0, 0});
    }
    m->SetMemberPointVec(pts);
    m->SetSubSpanVec(spans);
    return m;
}
}  // namespace

TEST(Robustness, SlenderSectionsHaveNoNegativeOrNaNEffectiveProperties) {
    // Tee stem 152/7.5 = 20.3 > 340/sqrt(350) = 18.2, I web far beyond
    // 1900/sqrt(350): no effective section in major-axis bending, Se = 0 (not NaN).
    EXPECT_EQ(LoadCalc(L"T D=152 B=203 T=6.1 Tw=7.5 R=15")->ZxxEffective(), 0.0);
    EXPECT_EQ(LoadCalc(L"I D=254 B=69.6 T=1 Tw=1.63")->ZxxEffective(), 0.0);
    // A sloped channel with 1.1 mm flanges: a negative Iyy once gave Se < 0.
    auto const c = LoadCalc(L"C D=253 B=86.6 T=1.1 Tw=1.63 R=10 slope=1");
    EXPECT_EQ(c->ZyyEffective(), 0.0);
    EXPECT_EQ(c->MrDashyy(nullptr), 0.0);
    // Plates and fillets 1e-14 mm thick: the parts removed from the plates
    // exceeded the gross area, Aeff < 0 and a negative torsional resistance.
    double Fe = 0.0;
    auto const i = LoadCalc(L"I D=21.422751201647973 B=39.961394674601358 T=1.0000000000000002e-14 "
                            L"Tw=1.0000000000000002e-14 R=1.0000000000000002e-14");
    EXPECT_EQ(i->AreaCompEffective(), 0.0);
    EXPECT_EQ(i->CrT(9.0, Fe, nullptr), 0.0);
}

TEST(Robustness, JunctionOfAThinFlangeAddsNoTorsionConstant) {
    // Flanges far thinner than the web and fillet: the junction fit alpha
    // (-0.042 + 0.2204 tw/tf + 0.1355 r/tf - 0.0865 r tw/tf^2 - 0.0725
    // (tw/tf)^2) = -1.64 made J < 0; a negative junction adds nothing.
    auto const h = LoadCalc(L"H D=254 B=69.6 T=1 Tw=3 R=13");
    EXPECT_REL(h->J(), 2.0 * K2(0.0696, 0.001) + (0.254 - 0.002) * std::pow(0.003, 3) / 3.0);
    auto const t = LoadCalc(L"T D=25 B=869.6 T=0.1 Tw=1.63 R=9.6667");
    EXPECT_REL(t->J(), K2(0.8696, 0.0001) + K1(0.025 - 0.0001, 0.00163));
    // A W310x60-size I keeps its junctions (alpha = 0.159 > 0 by the same fit).
    auto const w = LoadCalc(L"I D=303 B=203 T=13.1 Tw=7.5 R=15");
    EXPECT_GT(w->J(), 2.0 * K2(0.203, 0.0131) + (0.303 - 0.0262) * std::pow(0.0075, 3) / 3.0);
}

TEST(Robustness, AnAngleWithVerySlenderLegsKeepsAPositiveResistance) {
    // Angle 102 and 676 x 9, 6 m strut on three points, 60 kN: the class 4
    // leg lost twice its ineffective width, Cu/Cr < 0 read as a pass. CSA
    // S16-09 cl. 13.3.3, 300W: be = 200 x 9/sqrt(300) = 103.923 mm (the 102
    // leg is class 3), Ae = 6921 - 9 (676 - 103.923) = 1772.307 mm^2,
    // Cu/Cr = 60e3/(0.9 x 1772.307 x 300) at the section.
    CMemberResult r;
    Member(r, L"L D=102 B=676 t=9", L"300W", {RB::kPinned, RB::kBraced, RB::kPinned}, -60e3)->Check();
    for (int e = 0; e < r.NumEntries(); ++e)
        for (int k = 0; k < kUtilKindCount; ++k)
            EXPECT_TRUE(!r.Entry(e).IsSet(static_cast<UtilKind>(k)) || r.Entry(e).util[k] >= 0.0) << e << ", " << k;
    double const Ae = 6921 - 9 * (676 - 1800 / std::sqrt(300.0));  // mm^2
    EXPECT_REL(r.Entry(1).Util(UtilKind::LocalAxial), 60e3 / (0.9 * Ae * 300));
}

TEST(Robustness, DescriptionsReadWholeNumbersAndNamesReadBack) {
    // "B=203<NUL>9" once read as B = 203: the whole value must be a number.
    wchar_t const text[] = L"I D=303 B=203\0" L"9 T=13.1 Tw=7.5";
    std::wstring const withNul(text, sizeof text / sizeof text[0] - 1);
    ASSERT_NE(withNul.find(L'\0'), std::wstring::npos);
    EXPECT_THROW(CSection{withNul}, std::invalid_argument);
    // The shortest text of Tw = 3.1111111111538520022 mm once read back one
    // unit in the last place away: the name must read back as the same dimensions.
    CSection const c(L"C D=72 B=86.6 T=11.1 Tw=3.1111111111538520022");
    EXPECT_EQ(CSection(c.Name()).Dims(), c.Dims());
    // 1e46 mm overflowed the second moments (inf - inf = NaN): beyond 1 km a
    // dimension is refused, naming it.
    EXPECT_THROW(CSection(L"C D=253 B=4.9e46 T=111.1 Tw=6.6667"), std::invalid_argument);
    try {
        CSection(L"I D=2e30 B=220 T=12 Tw=20");
        ADD_FAILURE() << "a 2e30 mm depth was accepted";
    } catch (std::invalid_argument const& e) {
        EXPECT_NE(std::string(e.what()).find("\"D\" must be at most 1000000 mm"), std::string::npos) << e.what();
    }
    EXPECT_NO_THROW(CSection(L"I D=1000000 B=220 T=12 Tw=20"));
}

TEST(Robustness, QuickCheckRefusalsWriteNoText) {
    // A quick check writes no text, not even for its refusals: no section.
    CMemberResult r;
    CSA_S16_09_Member m;
    m.SetResult(&r);
    EXPECT_FALSE(m.QuickCheck());
    EXPECT_EQ(r.GetMarkup(), L"");
    // An infinite axial force.
    CMemberResult q;
    EXPECT_FALSE(Member(q, L"L D=102 B=76 t=9.5 R=8", L"300W", {RB::kPinned, RB::kPinned}, -kInf)->QuickCheck());
    EXPECT_EQ(q.GetMarkup(), L"");
}

TEST(Robustness, QuickCheckTreatsAFlangeConnectedTeeAsCheckDoes) {
    // A tee connected through its flange at every point: both checks run the
    // strut sequence, and the utilisations agree.
    int const strut = RB::kMajorTranslation | RB::kMinorTranslation | RB::kFlangeConnection;
    wchar_t const* const tee = L"T D=152 B=203 T=13.1 Tw=7.5 R=15";
    CMemberResult full, quick;
    Member(full, tee, L"350W", {strut, strut}, -50e3)->Check();
    Member(quick, tee, L"350W", {strut, strut}, -50e3)->QuickCheck();
    for (int k = 0; k < kUtilKindCount; ++k)
        EXPECT_EQ(full.MaxUtil(static_cast<UtilKind>(k)), quick.MaxUtil(static_cast<UtilKind>(k))) << k;
    EXPECT_EQ(full.UtilOverAll(), quick.UtilOverAll());
}
