// The member object: names, the section factory, copies, and checks that
// cannot run.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Section.h"
#include "member/CSA_S16_09_Member.h"
#include "shapes/SectionCalcAngle.h"
#include "shapes/SectionCalcCHS.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

using Corvid::Data::CRestraint;
using Corvid::Data::CSection;
using Corvid::Steel::CMemberPoint;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::CSteelGrade;
using Corvid::Steel::CSubSpan;
using Corvid::Steel::UtilKind;
namespace S = Corvid::Steel::SteelCSAS1609;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
}

TEST(Member, NamesOptionsAndCountry) {
    S::CSA_S16_09_Member m;
    EXPECT_EQ(m.NumDesOpt(), 2);
    EXPECT_EQ(m.Name(0), L"CSA S16-09");
    EXPECT_EQ(m.Name(1), L"CSA S16-14");
    EXPECT_EQ(m.Name(2), L"CSA S16-09");
    EXPECT_EQ(m.Name(-1), L"CSA S16-09");
    EXPECT_EQ(m.Country(5), L"CA");
    EXPECT_TRUE(m.GetSection().IsEmpty());
}

TEST(Member, SectionFactoryMakesTheCalculatorOfEachShape) {
    CMemberResult r;
    S::CSA_S16_09_Member m;
    m.SetResult(&r);
    auto made = [&m](wchar_t const* text) {
        EXPECT_TRUE(m.SetSection(CSection(text))) << Corvid::Narrow(text);
        return m.Calculator().get();
    };
    EXPECT_NE(dynamic_cast<S::CSectionCalcI const*>(made(L"I D=303 B=203 T=13.1 Tw=7.5 R=15")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcI const*>(made(L"H D=200 B=200 T=15 Tw=9 R=18")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcPFC const*>(made(L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcT const*>(made(L"T D=152 B=203 T=13.1 Tw=7.5 R=15")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcAngle const*>(made(L"L D=102 B=76 t=9.5 R=8")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcCHS const*>(made(L"CHS D=168.3 t=6.4")), nullptr);
    EXPECT_NE(dynamic_cast<S::CSectionCalcRHS const*>(made(L"RHS D=203 B=102 t=6.4")), nullptr);
    EXPECT_EQ(r.Flags(), 0u);
    // The code name follows the design option.
    m.SetDesOpt(1);
    made(L"CHS D=168.3 t=6.4");
    EXPECT_EQ(m.Calculator()->CodeName(), L"CSA S16-14");
}

TEST(Member, UnsupportedShapeIsMarkedAndALaterSectionStillWorks) {
    for (wchar_t const* text : {L"PL B=200 t=10", L"RB D=30", L""}) {
        CMemberResult r;
        S::CSA_S16_09_Member m;
        m.SetResult(&r);
        EXPECT_FALSE(m.SetSection(CSection(text)));
        EXPECT_EQ(m.Calculator(), nullptr);
        EXPECT_EQ(r.Flags(), 0xAu);  // 8 (shape not handled) and 2 (warning)
        EXPECT_EQ(r.UtilOverAll(), kInf);
        EXPECT_EQ(r.GetMarkup(), L"<b>Section shape not handled by steel code checker</b>\n");
        EXPECT_TRUE(m.SetSection(CSection(L"CHS D=168.3 t=6.4")));
        EXPECT_NE(m.Calculator(), nullptr);
    }
    // Without a result object nothing is written and nothing breaks.
    S::CSA_S16_09_Member m;
    EXPECT_FALSE(m.SetSection(CSection(L"RB D=30")));
    EXPECT_TRUE(m.SetSteelDesignProp(CSteelGrade(L"350W")));  // dropped, still true
}

TEST(Member, RefusedSupportedSectionKeepsItsCalculator) {
    CMemberResult r;
    S::CSA_S16_09_Member m;
    m.SetResult(&r);
    EXPECT_TRUE(m.SetSection(CSection(L"RHS D=203 B=102 t=6.4 fab=cold-formed")));
    EXPECT_NE(m.Calculator(), nullptr);
    EXPECT_EQ(r.GetMarkup(), L"<red>Cold formed sections are not yet supported</red>\n");
}

TEST(Member, ClearAndCloneOwnership) {
    S::CSA_S16_09_Member m;
    m.SetSection(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15"));
    m.SetSteelDesignProp(CSteelGrade(L"350W"));
    std::unique_ptr<S::CSA_S16_09_Member> copy(m.Clone());
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy->Calculator(), nullptr);
    EXPECT_NE(copy->Calculator(), m.Calculator());
    copy->SetSteelDesignProp(CSteelGrade(L"300W"));
    EXPECT_REL(copy->Calculator()->DesignStressMin(), 300e6);
    EXPECT_REL(m.Calculator()->DesignStressMin(), 350e6);
    m.Clear();
    EXPECT_EQ(m.Calculator(), nullptr);
    EXPECT_EQ(m.GetSection().Name(), L"I D=303 B=203 T=13.1 Tw=7.5 R=15");
    EXPECT_TRUE(m.GetMemberPointVec().empty());
}

TEST(Member, ChecksThatCannotRunReturnFalseAndNeverPass) {
    // No result object: false, nothing to write to.
    S::CSA_S16_09_Member bare;
    EXPECT_FALSE(bare.Check());
    EXPECT_FALSE(bare.QuickCheck());
    EXPECT_EQ(bare.GetMemberEffectiveLengthData(), std::nullopt);
    // A result but no calculator: false with a message and a failing overall.
    CMemberResult r;
    S::CSA_S16_09_Member m;
    m.SetResult(&r);
    EXPECT_FALSE(m.Check());
    EXPECT_EQ(r.UtilOverAll(), kInf);
    EXPECT_NE(r.GetMarkup().find(L"no section calculator"), std::wstring::npos);
    r.Reset();
    EXPECT_FALSE(m.QuickCheck());
    EXPECT_EQ(r.UtilOverAll(), kInf);
}

TEST(Member, AreaRatiosAndDesignOptionFollowTheSection) {
    S::CSA_S16_09_Member m;
    m.SetNetAreaRatio(0.85);
    m.SetEffectiveNetAreaRatio(0.75);
    m.SetSection(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15"));
    EXPECT_EQ(m.Calculator()->NetAreaRatio(), 0.85);
    EXPECT_EQ(m.Calculator()->EffectiveNetAreaRatio(), 0.75);
    // Set after the section, the option still names the calculator's code.
    m.SetDesOpt(1);
    EXPECT_EQ(m.Calculator()->CodeName(), L"CSA S16-14");
    m.SetSection(CSection(L"CHS D=168.3 t=6.4"));
    EXPECT_EQ(m.Calculator()->NetAreaRatio(), 0.85);
    EXPECT_EQ(m.Calculator()->CodeName(), L"CSA S16-14");
    std::unique_ptr<S::CSA_S16_09_Member> copy(m.Clone());
    copy->SetSection(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15"));
    EXPECT_EQ(copy->Calculator()->EffectiveNetAreaRatio(), 0.75);
}
