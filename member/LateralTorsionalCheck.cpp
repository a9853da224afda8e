// Lateral-torsional buckling of a span under major-axis bending (CSA S16-09
// cl. 13.6) and the equivalent uniform moment factor omega2.
#include <algorithm>
#include <cmath>

#include "framework/DesignConstants.h"
#include "framework/ResultFlags.h"
#include "member/CSA_S16_09_Member.h"
#include "member/SpanActions.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {
// Major-axis moments of a span: the most positive and the most negative.
struct SpanMoments {
    double Mmax, Mmin;
};
SpanMoments MajorMoments(CSpanFacts const& span) { return {span.Max(true, 1), span.Min(true, 1)}; }

double MajorMomentAt(CSpan const& span, double rel) { return std::fabs(span.InterpolateMoments(rel).y); }
}  // namespace

namespace {
// CSA S16-09 cl. 13.6(a): omega2 = 1.75 + 1.05 kappa + 0.3 kappa^2 <= 2.5,
// kappa the ratio of the smaller to the larger end moment, positive for
// double curvature (end moments of opposite sign; moments below 1 N.m or
// 1 % count as no sign).
double EndMomentOmega2(double M1, double M2) {
    double const kappa = EndMomentRatio(M1, M2, IsReverseCurvature(std::max(M1, M2), std::min(M1, M2)));
    return std::min(1.75 + 1.05 * kappa + 0.3 * kappa * kappa, 2.5);
}

// The moment somewhere inside the span exceeds the larger end moment (by
// more than 1 N.m and 1e-6 of itself, the tolerance of a transverse load).
bool PeakExceedsEnds(CSpanFacts const& span) {
    SpanMoments const m = MajorMoments(span);
    double const peak = std::max(std::fabs(m.Mmax), std::fabs(m.Mmin));
    double const ends = std::max(std::fabs(span.EndMoments(0).y), std::fabs(span.EndMoments(1).y));
    return peak - ends > std::max(1.0, 1e-6 * peak);
}
}  // namespace

double CSA_S16_09_Member::Omega2Factor(CSpan const& span, SpanSummary::Omega2Rule* how) const {
    SpanSummary::Omega2Rule rule = SpanSummary::EndMoments;
    auto found = [&rule, how](SpanSummary::Omega2Rule r, double omega2) {
        rule = r;
        if (how) *how = rule;
        return omega2;
    };
    if (IsEquivalentUniformMomentFactorSet()) return found(SpanSummary::Given, EquivalentUniformMomentFactor());
    // CSA S16-09 cl. 13.6: omega2 = 1.0 for a destabilizing load.
    if (IsDestabilizedLT(span)) return found(SpanSummary::Destabilizing, 1.0);
    // CSA S16-09 cl. 13.6(a), CSA S16-14 cl. 13.6.1(a): omega2 = 1.0 where the
    // compression flange has no effective lateral support at one end of the
    // unbraced length: a cantilever or overhang.
    if (IsCantileverSegment(span)) return found(SpanSummary::Cantilever, 1.0);
    CSpanFacts const& facts = Facts(span);
    double const M1 = facts.EndMoments(0).y;
    double const M2 = facts.EndMoments(1).y;
    // No transverse load between the ends (CSpan::HasNoMajorAxisTransverseLoad):
    // the moment varies linearly.
    if (!facts.IsLoaded(false)) return found(SpanSummary::EndMoments, EndMomentOmega2(M1, M2));
    if (m_calc && m_calc->IsEdition2009()) {
        // CSA S16-09 cl. 13.6(a): omega2 = 1.0 when the moment at any point
        // of the unbraced length exceeds the larger end moment; otherwise the
        // end-moment formula with kappa from the two end moments.
        return PeakExceedsEnds(facts) ? found(SpanSummary::PeakInside, 1.0)
                                      : found(SpanSummary::EndMoments, EndMomentOmega2(M1, M2));
    }
    // CSA S16-14 cl. 13.6.1(a): omega2 = 4 Mmax / sqrt(Mmax^2 + 4 Ma^2 + 7 Mb^2 + 4 Mc^2) <= 2.5,
    // Mmax the largest magnitude of the moment anywhere in the segment.
    double const Ma = MajorMomentAt(span, 0.25);
    double const Mb = MajorMomentAt(span, 0.5);
    double const Mc = MajorMomentAt(span, 0.75);
    SpanMoments const m = MajorMoments(facts);
    double const Mmax = std::max({std::fabs(M1), Ma, Mb, Mc, std::fabs(M2), m.Mmax, -m.Mmin});
    double const root = std::sqrt(Mmax * Mmax + 4.0 * Ma * Ma + 7.0 * Mb * Mb + 4.0 * Mc * Mc);
    if (root == 0.0) return found(SpanSummary::QuarterPoints, 2.5);  // no moment anywhere: the quotient is undefined
    return found(SpanSummary::QuarterPoints, std::min(4.0 * Mmax / root, 2.5));
}

// How the effective length of a lateral-torsional span was decided.
struct CSA_S16_09_Member::LengthLT {
    double Le = 0.0;
    SpanSummary::LengthRule rule = SpanSummary::LTSegmentTable;
    bool required = true;  // false: no lateral-torsional buckling to check
    bool failed = false;   // no finite effective length
};

namespace {
// What the lateral-torsional check of a span found, for the member
// interaction and the report.
struct OutcomeLT {
    double Mrx1 = 0.0, Mrx2 = 0.0;  // resistances paired with Mfx1, Mfx2
    double Mfx1 = 0.0, Mfx2 = 0.0;  // moment magnitudes
    // The signed moments behind Mfx1 and Mfx2: the member interaction needs
    // their sense (which flange is in compression).
    double Mx1 = 0.0, Mx2 = 0.0;
    double U = 0.0;
};

// A span not checked: the cross-section resistances under each extreme
// moment, for the member interaction.
OutcomeLT UncheckedSpanLT(CMemberResult* result, CCSA_S16_09Section& clone, SpanMoments m) {
    OutcomeLT o;
    clone.ClearForcesAndMoments();
    clone.SetMomentXX(m.Mmax);
    o.Mrx1 = clone.MrDashxx(nullptr);
    clone.SetMomentXX(m.Mmin);
    o.Mrx2 = clone.MrDashxx(nullptr);
    o.Mfx1 = std::fabs(m.Mmax);
    o.Mfx2 = std::fabs(m.Mmin);
    o.Mx1 = m.Mmax;
    o.Mx2 = m.Mmin;
    if (result->WantsText()) {
        auto const& f = result->Format();
        result->AddOutputString(L"Values stored for use in buckling interaction...\n");
        result->AddOutputString(L"\tMfx1 = " + f.Moment(m.Mmax));
        result->AddOutputString(L", Mfx2 = " + f.Moment(m.Mmin) + L"\n");
        result->AddOutputString(L", Mrx1 = " + f.Moment(o.Mrx1));
        result->AddOutputString(L", Mrx2 = " + f.Moment(o.Mrx2) + L"\n");
    }
    return o;
}

// One sense of bending governs: the larger moment with its resistance
// (CSA S16-09 cl. 13.6(a): Mr from the elastic critical moment).
OutcomeLT SingleSenseLT(CMemberResult* result, CCSA_S16_09Section& clone, SpanMoments m, bool reverse, double Le,
                        bool failed, double omega2, CSA_S16_09_Member::SpanSummary& summary) {
    bool const text = result->WantsText();
    if (text)
        result->AddOutputString(reverse ? L"Reverse curvature bending in this span\n(but section is symmetrical "
                                          L"about major axis)\n"
                                        : L"Single curvature bending in this span\n");
    double const Mf = std::fabs(m.Mmin) <= std::fabs(m.Mmax) ? m.Mmax : m.Mmin;
    clone.SetMomentXX(Mf);
    double Mr = 0.0;
    if (!failed) {
        double const Mcr = clone.Mcr(Le, omega2, result);
        Mr = clone.Mbxx(Mcr, result);
        summary.Mu = Mcr;
    }
    summary.Mf = Mf;
    summary.Mr = Mr;
    OutcomeLT o;
    o.Mfx1 = o.Mfx2 = std::fabs(Mf);
    o.Mx1 = o.Mx2 = Mf;
    o.Mrx1 = o.Mrx2 = Mr;
    o.U = std::fabs(Mf / Mr);
    if (!failed && text) {
        result->AddOutputString(L"Mfx = " + result->Format().Moment(Mf) + L"\n");
        result->AddOutputString(L"Util = " + result->Format().Util(o.U) + L"\n");
    }
    return o;
}

// A section not symmetric about its major axis resists each sense of
// bending differently: each is checked with its own resistance.
OutcomeLT BothSensesLT(CMemberResult* result, CCSA_S16_09Section& clone, SpanMoments m, double Le, bool failed,
                       double omega2, CSA_S16_09_Member::SpanSummary& summary) {
    bool const text = result->WantsText();
    auto const& f = result->Format();
    if (text) result->AddOutputString(L"Reverse curvature bending in unequally flanged span\n");
    OutcomeLT o;
    o.Mfx1 = std::fabs(m.Mmax);
    o.Mfx2 = std::fabs(m.Mmin);
    o.Mx1 = m.Mmax;
    o.Mx2 = m.Mmin;
    {
        CResultIndent const each(result);
        // One sense of bending: its resistance and utilisation.
        auto sense = [&](double Mf, double& Mr, wchar_t const* n) {
            clone.SetMomentXX(Mf);
            double const Mcr = clone.Mcr(Le, omega2, result);
            Mr = clone.Mbxx(Mcr, result);
            double const u = std::fabs(Mf / Mr);
            if (!(u <= summary.util)) summary.util = u, summary.Mu = Mcr, summary.Mf = Mf, summary.Mr = Mr;
            if (!failed && text) {
                result->AddOutputString(CLine(L"Mfx,") + n + L" = " + f.Moment(Mf) + L"\n");
                result->AddOutputString(CLine(L"Util") + n + L" = " + f.Util(u) + L"\n");
            }
            return u;
        };
        double const U1 = sense(m.Mmax, o.Mrx1, L"1");
        double const U2 = sense(m.Mmin, o.Mrx2, L"2");
        o.U = std::max(U1, U2);
    }
    if (!failed && text) result->AddOutputString(L"Util = " + f.Util(o.U) + L"\n");
    return o;
}
}  // namespace

CSA_S16_09_Member::LengthLT CSA_S16_09_Member::DecideLengthLT(CSpan const& span) const {
    CMemberResult* const result = m_result;
    bool const text = result->WantsText();
    LengthLT d;
    d.rule = IsCantileverSegment(span) ? SpanSummary::LTCantileverTable : SpanSummary::LTSegmentTable;
    auto notRequired = [&](wchar_t const* first, wchar_t const* second) {
        if (text) {
            result->AddOutputString(first);
            result->AddOutputString(second);
        }
        d.required = false;
    };
    bool const circularOrSquare = m_calc->IsCircular() || m_calc->IsSquare();
    if (LengthOverride()) {
        d.Le = OverrideLength(Llt(), Length());
        d.rule = SpanSummary::Override;
        if (circularOrSquare) {
            notRequired(L"LT check not required: ", L"section is circular or square\n");
            d.Le = 0.0;
        }
    } else if (IsLTContinuouslyRestrained(span)) {
        notRequired(L"LT check not required:\n", L"\tspan is restrained against buckling along its length\n");
        d.rule = SpanSummary::NotRequired;
    } else if (circularOrSquare) {
        d.rule = SpanSummary::NotRequired;
        notRequired(L"LT check not required: ", L"section is circular or square\n");
    } else {
        d.Le = EffectiveLengthLT(span, m_calc->Depth(), LengthReport::Silent);
        if (!std::isfinite(d.Le)) {
            d.failed = true;
            if (text) result->AddOutputString(L"<b><red>Fail:</red></b> Insufficient restraint\n");
            result->SetUtilBucklingLT(Corvid::Design::kInfinity);
        }
    }
    if (!d.failed && d.required && text) result->AddOutputString(L"Le = " + result->Format().Length(d.Le) + L"\n");
    return d;
}

bool CSA_S16_09_Member::CheckSpanLT(CSpan const& span) const {
    CMemberResult* const result = m_result;
    bool const text = result->WantsText();
    if (text) result->AddOutputString(L"Lateral torsional span: " + span.GetString(result->Format()) + L"\n");
    CResultIndent const indent(result);

    SpanMoments const m = MajorMoments(Facts(span));
    double const Cu = SpanCompression(Facts(span));
    bool const reverse = IsReverseCurvature(m.Mmax, m.Mmin);
    SpanSummary summary;
    double const omega2 = Omega2Factor(span, &summary.omega2Rule);
    LengthLT const length = DecideLengthLT(span);
    summary.lengthRule = length.rule;
    bool checked = length.required;
    if (m.Mmax == 0.0 && m.Mmin == 0.0) {
        checked = false;
        if (text) result->AddOutputString(L"No major axis moment in this span\n");
    }

    OutcomeLT const o =
        !checked ? UncheckedSpanLT(result, Scratch(kSpanSlot), m)
        : !reverse || m_calc->IsDoublySymmetric()
            ? SingleSenseLT(result, CompressedClone(Cu), m, reverse, length.Le, length.failed, omega2, summary)
            : BothSensesLT(result, CompressedClone(Cu), m, length.Le, length.failed, omega2, summary);

    ForEachRecordOf(span, [&](CInteractionData& r) {
        r.Mrx1 = o.Mrx1;
        r.Mrx2 = o.Mrx2;
        r.Mfx1 = o.Mfx1;
        r.Mfx2 = o.Mfx2;
        r.senseX1 = o.Mx1 < 0.0 ? -1.0 : 1.0;
        r.senseX2 = o.Mx2 < 0.0 ? -1.0 : 1.0;
        r.spanLT = span;
        r.ltChecked = checked;
    });
    // The figures of the sense that governs (the first on a tie); none when
    // the span was not checked.
    bool const second = std::fabs(o.Mfx2 / o.Mrx2) > std::fabs(o.Mfx1 / o.Mrx1);
    result->Set(UtilKind::BucklingLT, o.U, checked ? (second ? o.Mfx2 : o.Mfx1) : CResultEntry::kNone,
                checked ? (second ? o.Mrx2 : o.Mrx1) : CResultEntry::kNone);
    if (m_collectSpans) {
        summary.kind = SpanSummary::LateralTorsional;
        summary.posLeft = span.PosLeft();
        summary.posRight = span.PosRight();
        summary.Le = length.Le;
        summary.omega2 = omega2;
        if (!checked) {
            bool const larger = std::fabs(m.Mmin) <= std::fabs(m.Mmax);
            summary.Mf = larger ? m.Mmax : m.Mmin;
            summary.Mr = larger ? o.Mrx1 : o.Mrx2;
        }
        summary.sense = SenseLT(span);
        summary.util = o.U;
        m_spans.push_back(summary);
    }
    bool const failed = length.failed || o.U > 1.0 || std::isnan(o.U);
    if (failed) {
        result->AddFlags(ResultFlags::kLateralTorsionalBuckling);
        if (text) result->AddOutputString(L"<b><red>Fail:</red></b> LT Buckling\n");
    }
    return !failed;
}

}  // namespace Corvid::Steel::SteelCSAS1609
