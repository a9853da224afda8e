#pragma once
// Actions of a span read the way the member checks of CSA S16-09 read them.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/Span.h"

namespace Corvid::Steel::SteelCSAS1609 {

// A span's queries of its actions (CSpan), each found once on first request:
// the span's points and sub-spans are never changed (a member that changes
// makes new ones), so a kept answer holds while the span does.
class CSpanFacts {
public:
    CSpanFacts() = default;
    explicit CSpanFacts(CSpan const& span) : m_span(span) {}
    CSpan const& Span() const { return m_span; }
    // CSpan::MaxComponent and MinComponent.
    double Max(bool moments, std::size_t i) const {
        return Kept(m_max[moments][i], Bit(kMax, moments, i), [&] { return m_span.MaxComponent(moments, i); });
    }
    double Min(bool moments, std::size_t i) const {
        return Kept(m_min[moments][i], Bit(kMin, moments, i), [&] { return m_span.MinComponent(moments, i); });
    }
    // CSpan::InterpolateMoments at the left (end 0) or right end (end 1).
    Corvid::Vec3<double> const& EndMoments(int end) const {
        std::uint32_t const bit = 1u << (kEnd + end);
        if (!(m_have & bit)) {
            m_end[end] = m_span.InterpolateMoments(end == 0 ? 0.0 : 1.0);
            m_have |= bit;
        }
        return m_end[end];
    }
    // CSpan::IsLoaded.
    bool IsLoaded(bool minorAxis) const {
        return Kept(m_loaded[minorAxis], 1u << (kLoaded + minorAxis), [&] { return m_span.IsLoaded(minorAxis); });
    }
    // CSpan::ContinuousRestraint.
    Corvid::Data::CRestraint const& ContinuousRestraint() const {
        if (!(m_have & (1u << kContinuous))) {
            m_continuous = m_span.ContinuousRestraint();
            m_have |= 1u << kContinuous;
        }
        return m_continuous;
    }
    // CSpan::GetCSSIndexLeft (end 0) and GetCSSIndexRight (end 1).
    int SubSpanIndex(int end) const {
        return Kept(m_subSpan[end], 1u << (kSubSpan + end),
                    [&] { return end == 0 ? m_span.GetCSSIndexLeft() : m_span.GetCSSIndexRight(); });
    }
    // A value of the span alone that the caller's rule finds (rule(span)),
    // kept the same way: the span's cantilever tip.
    template <class Rule>
    int Tip(Rule rule) const {
        return Kept(m_tip, 1u << kTip, [&] { return rule(m_span); });
    }

private:
    // Bits of m_have: 6 maxima, 6 minima (forces then moments), 2 ends, 2
    // loads, the continuous restraint, the tip, 2 sub-span indices.
    enum : int { kMax = 0, kMin = 6, kEnd = 12, kLoaded = 14, kContinuous = 16, kTip = 17, kSubSpan = 18 };
    static std::uint32_t Bit(int first, bool moments, std::size_t i) {
        return 1u << (first + (moments ? 3 : 0) + static_cast<int>(i));
    }
    template <class T, class Find>
    T Kept(T& slot, std::uint32_t bit, Find find) const {
        if (!(m_have & bit)) {
            slot = find();
            m_have |= bit;
        }
        return slot;
    }
    CSpan m_span;
    mutable std::uint32_t m_have = 0;
    mutable double m_max[2][3] = {}, m_min[2][3] = {};
    mutable Corvid::Vec3<double> m_end[2] = {};
    mutable bool m_loaded[2] = {};
    mutable Corvid::Data::CRestraint m_continuous;
    mutable int m_tip = 0;
    mutable int m_subSpan[2] = {};
};

// Axial compression Cu of a span: the smaller end force of its minimum-action
// sub-span, compression positive, 0 for tension.
inline double SpanCompression(CSpanFacts const& span) { return std::max(0.0, -span.Min(false, 0)); }

// CSA S16-09 cl. 13.6(a), 13.8.4: kappa, the ratio of the smaller to the
// larger end moment M1, M2, positive for double curvature and negative for
// single curvature. A smaller end moment below 0.001 N.m counts as none
// (kappa = 0, and never 0/0): the round-off moments of a member without
// bending must not swing omega1 or omega2 across their range.
inline constexpr double kNoEndMoment = 0.001;  // N.m
inline double EndMomentRatio(double M1, double M2, bool doubleCurvature) {
    double const small = std::min(std::fabs(M1), std::fabs(M2));
    double const large = std::max(std::fabs(M1), std::fabs(M2));
    if (small < kNoEndMoment) return 0.0;
    return (doubleCurvature ? 1.0 : -1.0) * small / large;
}

}  // namespace Corvid::Steel::SteelCSAS1609
