// Restraint tests and the span operations on a three-point member.
#include <gtest/gtest.h>

#include <memory>

#include "Tolerance.h"
#include "framework/DesFormat.h"
#include "framework/Restraint.h"
#include "framework/Span.h"

using Corvid::Vec3;
using Corvid::Data::CRestraint;
using Corvid::Data::LoadDestabilizing;
using Corvid::Steel::CMemberPoint;
using Corvid::Steel::CMemberPointVec;
using Corvid::Steel::CSpan;
using Corvid::Steel::CSubSpan;
using Corvid::Steel::CSubSpanVec;
namespace RB = Corvid::Data::RestraintBits;

TEST(Restraint, SeveralBitsAreTestedTogether) {
    CRestraint const r(RB::kMajorTranslation | RB::kMajorRotation);
    EXPECT_TRUE(r.IsRestrained(0x210000, true));  // fixed end for major-axis buckling
    EXPECT_FALSE(r.IsRestrained(0x210000 | RB::kMinorTranslation, true));
    EXPECT_TRUE(r.IsRestrained(RB::kMajorTranslation | RB::kMinorTranslation, false));  // any one
    EXPECT_TRUE(r.IsFree(RB::kMinorTranslation | RB::kMinorRotation, true));
    EXPECT_FALSE(r.IsFree(RB::kMinorTranslation | RB::kMajorRotation, true));
    EXPECT_TRUE(r.IsFree(RB::kMinorTranslation | RB::kMajorRotation, false));  // at least one free
    // Bit 31 is tested like any other bit.
    EXPECT_TRUE(CRestraint(static_cast<int>(0x80000000u)).IsRestrained(static_cast<int>(0x80000000u)));
}

TEST(Restraint, CompressionFlangeBitsFollowTheBucklingSense) {
    // Only the top flange is held laterally and on plan.
    CRestraint r(RB::kTopFlangeLateral | RB::kTopFlangeRotationOnPlan);
    Vec3<double> f, m;
    bool set = false;
    r.GetForcesAndMoments(f, m, set);
    EXPECT_FALSE(set);
    // Sense unknown: the compression flange is not known to be held.
    EXPECT_FALSE(r.IsRestrained(RB::kCompFlangeLateral));
    // Top flange in compression (second moment component -1).
    m.y = -1.0;
    r.SetForcesAndMoments(f, m, set);
    EXPECT_TRUE(r.IsRestrained(RB::kCompFlangeLateral));
    EXPECT_TRUE(r.IsRestrained(RB::kCompFlangeRotationOnPlan));
    EXPECT_FALSE(r.IsRestrained(RB::kTensionFlangeLateral));
    EXPECT_FALSE(r.IsRestrained(RB::kBothFlangesRotationOnPlan));
    // Bottom flange in compression: the held top flange is the tension flange.
    m.y = 1.0;
    r.SetForcesAndMoments(f, m, true);
    EXPECT_FALSE(r.IsRestrained(RB::kCompFlangeLateral));
    EXPECT_TRUE(r.IsRestrained(RB::kTensionFlangeLateral));
    EXPECT_TRUE(r.IsFree(RB::kCompFlangeRotationOnPlan));
    // Both flanges held: every sense qualifies.
    CRestraint const both(RB::kTopFlangeRotationOnPlan | RB::kBottomFlangeRotationOnPlan);
    EXPECT_TRUE(both.IsRestrained(RB::kBothFlangesRotationOnPlan));
    EXPECT_TRUE(both.IsRestrained(RB::kCompFlangeRotationOnPlan));
}

TEST(Restraint, ShorthandsAndText) {
    CRestraint const pinned(RB::kPinned);
    EXPECT_TRUE(pinned.IsRestrained(RB::kMajorTranslation | RB::kMinorTranslation | RB::kTorsional));
    EXPECT_TRUE(pinned.IsFree(RB::kMajorRotation | RB::kMinorRotation));
    CRestraint const fixed(RB::kFixed);
    EXPECT_TRUE(fixed.IsRestrained(0x210000) && fixed.IsRestrained(0x140000));
    EXPECT_EQ(CRestraint().GetString(), L"free");
    EXPECT_EQ(CRestraint(RB::kTorsional, LoadDestabilizing, 0.15).GetString(), L"torsional (destabilizing load)");
}

namespace {
// Points at 0, 2 and 6 m; sub-span 0 carries a uniform moment 100 kN.m and
// axial -50 kN (compression), sub-span 1 goes from 100 to -60 kN.m with
// axial +20 kN.
struct ThreePointMember {
    std::shared_ptr<CMemberPointVec> points = std::make_shared<CMemberPointVec>();
    std::shared_ptr<CSubSpanVec> subs = std::make_shared<CSubSpanVec>();
    ThreePointMember() {
        points->emplace_back(0.0, CRestraint(RB::kPinned));
        points->emplace_back(2.0, CRestraint(RB::kBraced));
        points->emplace_back(6.0, CRestraint(RB::kPinned));
        CSubSpan s0(0, 0, 1), s1(1, 1, 2);
        s0.SetForces({-50e3, 0, 0}, {-50e3, 0, 0});
        s0.SetMoments({0, 100e3, 0}, {0, 100e3, 0});
        s1.SetForces({20e3, -40e3, 0}, {20e3, -40e3, 0});
        s1.SetMoments({0, 100e3, 0}, {0, -60e3, 0});
        s0.SetContinuousRestraint(CRestraint(RB::kTopFlangeLateral | RB::kTorsional));
        s1.SetContinuousRestraint(CRestraint(RB::kTopFlangeLateral));
        subs->push_back(s0);
        subs->push_back(s1);
    }
    CSpan Span(int l, int r) const { return CSpan(points, subs, l, r); }
};
}  // namespace

TEST(Span, IndicesPositionsAndRestraints) {
    ThreePointMember m;
    CSpan const whole = m.Span(0, 2);
    EXPECT_TRUE(whole.IsValid());
    EXPECT_EQ(whole.Length(), 6.0);
    EXPECT_EQ(whole.GetCSSIndexLeft(), 0);
    EXPECT_EQ(whole.GetCSSIndexRight(), 1);
    EXPECT_TRUE(whole.StartsAtMemberStart() && whole.EndsAtMemberEnd());
    EXPECT_EQ(whole.RestraintEndR().Bits(), RB::kPinned);
    // Only the top flange bit is held along both sub-spans.
    EXPECT_EQ(whole.ContinuousRestraint().Bits(), RB::kTopFlangeLateral);
    CSpan const second = m.Span(1, 2);
    EXPECT_EQ(second.GetCSSIndexLeft(), 1);
    EXPECT_EQ(second.PosLeft(), 2.0);
    EXPECT_EQ(second.GetString(Corvid::Util::CDesFormat()), L"2.000 m to 6.000 m");
    // Null and invalid spans answer safely.
    CSpan null;
    EXPECT_TRUE(null.IsNull());
    EXPECT_FALSE(null.IsValid());
    EXPECT_EQ(null.Length(), 0.0);
    EXPECT_EQ(null.GetCSSIndexLeft(), -1);
    EXPECT_FALSE(m.Span(2, 1).IsValid());
    EXPECT_FALSE(m.Span(0, 3).IsValid());
    EXPECT_NE(whole, second);
    EXPECT_EQ(whole, m.Span(0, 2));
}

TEST(Span, ExtremeActionsAndInterpolation) {
    ThreePointMember m;
    // The same sub-spans listed in reverse: a query must not take sub-span k
    // to join points k and k + 1 unless every one does.
    auto const reversed = std::make_shared<CSubSpanVec>(m.subs->rbegin(), m.subs->rend());
    for (CSpan const& whole : {m.Span(0, 2), CSpan(m.points, reversed, 0, 2)}) {
        // Largest axial +20 kN, smallest -50 kN; moments 100 and -60 kN.m.
        EXPECT_EQ(whole.MaxForces().GetForcesLeft().x, 20e3);
        EXPECT_EQ(whole.MaxComponent(false, 0), 20e3);
        EXPECT_EQ(whole.MinForces().GetForcesRight().x, -50e3);
        EXPECT_EQ(whole.MinComponent(false, 0), -50e3);
        EXPECT_EQ(whole.MaxForces().GetMomentsRight().y, 100e3);
        EXPECT_EQ(whole.MinForces().GetMomentsLeft().y, -60e3);
        EXPECT_EQ(whole.MinComponent(true, 1), -60e3);
        // Relative position 0.5 is x = 3 m, a quarter along sub-span 1:
        // 100 + (-60 - 100) * (1/4) = 60 kN.m.
        EXPECT_REL(whole.InterpolateMoments(0.5).y, 60e3);
        EXPECT_REL(whole.InterpolateMoments(1.0).y, -60e3);
        EXPECT_REL(whole.InterpolateMoments(-3.0).y, 100e3);  // clamped to the left end
    }
    // The second sub-span alone (axial +20 kN), in either order.
    for (CSpan const& second : {m.Span(1, 2), CSpan(m.points, reversed, 1, 2)}) {
        EXPECT_EQ(second.MinComponent(false, 0), 20e3);
        EXPECT_EQ(second.GetCSSIndexLeft(), 1);
    }
}

TEST(Span, TransverseLoadAndDestabilizingLoad) {
    ThreePointMember m;
    // Shear jumps from 0 to -40 kN at x = 2 m (a point load there): loaded.
    EXPECT_TRUE(m.Span(0, 2).IsLoaded(false));
    EXPECT_FALSE(m.Span(0, 2).IsMinorAxisLoaded());
    // Each sub-span alone has constant shear and linear moment.
    EXPECT_FALSE(m.Span(1, 2).IsLoaded(false));
    EXPECT_TRUE(m.Span(1, 2).IsMinorAxisLoaded());
    EXPECT_FALSE(m.Span(0, 2).IsLoaded(true));
    // A host flag marks a load that the end actions do not show.
    (*m.subs)[1].SetTransverseLoad(false, true);
    EXPECT_TRUE(m.Span(1, 2).IsLoaded(true));
    // A destabilizing load at an interior point, not at the span's ends.
    EXPECT_FALSE(m.Span(0, 2).IsDestabilized());
    (*m.points)[1].SetRestraint(CRestraint(0, LoadDestabilizing, 0.2));
    EXPECT_TRUE(m.Span(0, 2).IsDestabilized());
    EXPECT_FALSE(m.Span(1, 2).IsDestabilized());
    (*m.subs)[1].SetDestabilized(true);
    EXPECT_TRUE(m.Span(1, 2).IsDestabilized());
}
