// Input validation of the generic member, the buckling sense and the CSV
// round trip of the member input.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "member/CSA_S16_09_Member.h"

using Corvid::Data::CRestraint;
using Corvid::Data::CSection;
using Corvid::Steel::CCodeShare;
using Corvid::Steel::CMemberPoint;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::CSteelGrade;
using Corvid::Steel::CSubSpan;
using Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member;
namespace RB = Corvid::Data::RestraintBits;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A valid 6 m beam: points at 0, 3, 6 m, two sub-spans.
struct Beam {
    CMemberResult result;
    CSA_S16_09_Member member;
    std::vector<CMemberPoint> points{{0.0, CRestraint(RB::kPinned)},
                                     {3.0, CRestraint(RB::kBraced)},
                                     {6.0, CRestraint(RB::kPinned)}};
    std::vector<CSubSpan> subs{CSubSpan(0, 0, 1), CSubSpan(1, 1, 2)};
    Beam() {
        member.SetResult(&result);
        member.SetSection(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15"));
        member.SetSteelDesignProp(CSteelGrade(L"350W"));
    }
    void Apply() {
        member.SetMemberPointVec(points);
        member.SetSubSpanVec(subs);
    }
    // Validates and returns the report text ("" when accepted).
    std::wstring Refusal() {
        Apply();
        result.Reset();
        bool const ok = member.ValidateInputData();
        if (ok) return L"";
        EXPECT_EQ(result.UtilOverAll(), kInf) << "a refused member must not read as passing";
        return result.GetMarkup();
    }
};

bool Says(std::wstring const& text, wchar_t const* what) { return text.find(what) != std::wstring::npos; }
}  // namespace

TEST(MemberValidation, RefusesEachMalformedInputWithAMessage) {
    auto lengths = [](double Lyy, double Lzz, double Llt) {
        return [=](Beam& b) {
            b.member.SetLengthOverride(true);
            b.member.SetLyy(Lyy);
            b.member.SetLzz(Lzz);
            b.member.SetLlt(Llt);
        };
    };
    auto omega2 = [](double w) { return [w](Beam& b) { b.member.SetEquivalentUniformMomentFactor(w); }; };
    struct Case {
        std::function<void(Beam&)> change;
        wchar_t const* message;  // nullptr: accepted
    } const cases[] = {
        {[](Beam&) {}, nullptr},
        {[](Beam& b) { b.points.resize(1), b.subs.clear(); }, L"at least two member points"},
        {[](Beam& b) { b.points[2].SetPos(3.0); }, L"member point 3: positions must increase"},
        {[](Beam& b) { b.points[1].SetPos(kNaN); }, L"member point 2: position is not a finite number"},
        {[](Beam& b) { b.subs.pop_back(); }, L"needs 2 sub-spans"},
        {[](Beam& b) { b.subs[1] = CSubSpan(1, 0, 2); }, L"sub-span 2: must join member points 2 and 3"},
        {[](Beam& b) { b.subs[0].SetForces({kInf, 0, 0}, {0, 0, 0}); }, L"sub-span 1: forces are not finite"},
        {[](Beam& b) { b.subs[1].SetMoments({0, 0, 0}, {0, kNaN, 0}); }, L"sub-span 2: moments are not finite"},
        {[](Beam& b) { b.points[0].SetRestraint(CRestraint(0x4)); }, L"undefined bits"},  // a bit without a meaning
        {lengths(6.0, kInf, 6.0), L"override effective lengths must be finite"},
        // A length above 0 and below 1 mm: a likely unit error (1e-11 all
        // three used to mean the cross-section checks alone); -0.0001 is
        // 0.0001 * 6 m = 0.6 mm. Exactly 0 and 1 mm are taken.
        {lengths(1e-11, 1e-11, 1e-11), L"override effective length Lyy = 1e-11 m is below 1 mm"},
        {lengths(6.0, -0.0001, 6.0), L"override effective length Lzz = 0.0006 m is below 1 mm"},
        {lengths(0.0, 0.001, 0.0), nullptr},
        // omega2 outside 1.0 ... 2.5 (CSA S16-09 cl. 13.6(a)); 0.5 used to be taken.
        {omega2(0.5), L"omega2 = 0.5 is outside 1.0 to 2.5 (CSA S16-09 cl. 13.6(a))"},
        {omega2(2.6), L"omega2 = 2.6 is outside 1.0 to 2.5"},
        {omega2(kNaN), L"omega2 = nan is outside"},
        {omega2(1.0), nullptr},
        {omega2(2.5), nullptr},
        {[](Beam& b) { b.member.SetSection(CSection(L"PL B=100 t=10")); }, L"no section calculator"},
        // the grade is not given again
        {[](Beam& b) { b.member.SetSection(CSection(L"CHS D=168.3 t=6.4")); }, L"no steel grade"},
    };
    for (Case const& c : cases) {
        Beam b;
        c.change(b);
        std::wstring const text = b.Refusal();
        EXPECT_TRUE(c.message ? Says(text, c.message) : text.empty()) << Corvid::Narrow(text);
    }
    Beam b;
    b.member.SetResult(nullptr);
    b.Apply();
    EXPECT_FALSE(b.member.ValidateInputData());
}

TEST(MemberValidation, BucklingSenseFromTheMajorAxisMoments) {
    Beam b;
    auto sense = [&b](double m0, double m1, double m2) {
        b.subs[0].SetMoments({0, m0, 0}, {0, m1, 0});
        b.subs[1].SetMoments({0, m1, 0}, {0, m2, 0});
        b.Apply();
        return b.member.BucklingSenseLT(Corvid::Steel::CSpan(b.member.PointsPtr(), b.member.SubSpansPtr(), 0, 2));
    };
    // A negative major-axis moment compresses the top flange.
    EXPECT_EQ(sense(0, -50e3, 0), CCodeShare::LT_TopFlange);
    EXPECT_EQ(sense(10e3, 50e3, 0), CCodeShare::LT_BottomFlange);
    EXPECT_EQ(sense(-30e3, 10e3, 40e3), CCodeShare::LT_Reversal);
    // 0.4 kN.m against 50 kN.m is below 1 % of the largest: not a reversal.
    EXPECT_EQ(sense(400, -50e3, 0), CCodeShare::LT_TopFlange);
    EXPECT_EQ(sense(0, 0, 0), CCodeShare::LT_TopFlange);
}

TEST(MemberInputCsv, RoundTripsAndRefusesMalformedLines) {
    Beam b;
    b.subs[0].SetForces({-100e3, 5e3, 0}, {-100e3, 5e3, 0});
    b.subs[0].SetMoments({0, 0, 0}, {0, 15e3, 1e3});
    b.subs[1].SetContinuousRestraint(CRestraint(RB::kTopFlangeLateral));
    b.subs[1].SetTransverseLoad(true, false);
    b.points[1].SetRestraint(CRestraint(RB::kBraced, Corvid::Data::LoadDestabilizing, 0.15));
    b.Apply();
    b.member.SetTitle(L"Beam \"B1\", level 2");
    b.member.SetLengthOverride(true);
    b.member.SetLyy(-0.5);
    b.member.SetEquivalentUniformMomentFactor(1.75);
    CSteelGrade grade(L"350W");
    auto const text = b.member.CSVInputData(grade);

    CSA_S16_09_Member copy;
    CSteelGrade readGrade;
    ASSERT_TRUE(copy.CSVInputData(text, readGrade));
    EXPECT_EQ(copy.GetTitle(), L"Beam \"B1\", level 2");
    EXPECT_TRUE(copy.LengthOverride());
    EXPECT_EQ(copy.Lyy(), -0.5);
    EXPECT_EQ(copy.EquivalentUniformMomentFactor(), 1.75);
    EXPECT_REL(readGrade.DesignStrength(0.01), 350e6);
    ASSERT_EQ(copy.GetMemberPointVec().size(), 3u);
    EXPECT_TRUE(copy.GetMemberPointVec()[1].GetRestraint() == b.points[1].GetRestraint());
    ASSERT_EQ(copy.GetSubSpanVec().size(), 2u);
    EXPECT_EQ(copy.GetSubSpanVec()[0].GetMomentsRight().z, 1e3);
    EXPECT_TRUE(copy.GetSubSpanVec()[1].HasTransverseLoad(false));
    EXPECT_EQ(copy.GetSubSpanVec()[1].GetContinuousRestraint().Bits(), RB::kTopFlangeLateral);

    // A malformed line leaves the member as it was and says which line.
    CMemberResult r;
    copy.SetResult(&r);
    EXPECT_FALSE(copy.CSVInputData(L"title,\"x\"\npoint,1.0,abc,0,0\n", readGrade));
    EXPECT_EQ(copy.GetTitle(), L"Beam \"B1\", level 2");
    EXPECT_NE(r.GetMarkup().find(L"CSV line 2"), std::wstring::npos);
    EXPECT_FALSE(copy.CSVInputData(L"bogus,1\n", readGrade));
}
