#include "Span.h"

#include <algorithm>
#include <cmath>

namespace Corvid::Steel {

using Corvid::Vec3;
using Corvid::Data::CRestraint;

void CSpan::FindOrder() {
    m_inOrder = m_points && m_subSpans && m_subSpans->size() + 1 == m_points->size();
    for (std::size_t k = 0; m_inOrder && k < m_subSpans->size(); ++k) {
        CSubSpan const& s = (*m_subSpans)[k];
        m_inOrder = s.IndexCMPLeft() == static_cast<int>(k) && s.IndexCMPRight() == static_cast<int>(k) + 1;
    }
}

int CSpan::GetCSSIndexLeft() const {
    if (!IsValid()) return -1;
    for (auto const& s : SubSpans())
        if (s.IndexCMPLeft() >= m_left && s.IndexCMPRight() <= m_right) return s.Index();
    return -1;
}

int CSpan::GetCSSIndexRight() const {
    if (!IsValid()) return -1;
    Scan const scan = SubSpans();
    for (CSubSpan const* it = scan.last; it != scan.first;) {
        --it;
        if (it->IndexCMPLeft() >= m_left && it->IndexCMPRight() <= m_right) return it->Index();
    }
    return -1;
}

CRestraint CSpan::ContinuousRestraint() const {
    if (!IsValid()) return CRestraint();
    bool any = false;
    int bits = ~0;
    for (auto const& s : SubSpans()) {
        if (s.IndexCMPLeft() < m_left || s.IndexCMPRight() > m_right) continue;
        bits &= s.GetContinuousRestraint().Bits();
        any = true;
    }
    return CRestraint(any ? bits : 0);
}

template <class Pick>
CSubSpan CSpan::Extreme(Pick pick) const {
    CSubSpan out;
    if (!IsValid()) return out;
    bool first = true;
    Vec3<double> f, m;
    auto take = [&](Vec3<double> const& ff, Vec3<double> const& mm) {
        if (first) {
            f = ff;
            m = mm;
            first = false;
            return;
        }
        for (std::size_t i = 0; i < 3; ++i) {
            f[i] = pick(f[i], ff[i]);
            m[i] = pick(m[i], mm[i]);
        }
    };
    for (auto const& s : SubSpans()) {
        if (s.IndexCMPLeft() < m_left || s.IndexCMPRight() > m_right) continue;
        take(s.GetForcesLeft(), s.GetMomentsLeft());
        take(s.GetForcesRight(), s.GetMomentsRight());
    }
    out.SetIndices(GetCSSIndexLeft(), m_left, m_right);
    out.SetForces(f, f);
    out.SetMoments(m, m);
    return out;
}

template <class Pick>
double CSpan::ExtremeComponent(Pick pick, bool moments, std::size_t i) const {
    double v = 0.0;
    if (!IsValid()) return v;
    bool first = true;
    auto take = [&](double x) {
        v = first ? x : pick(v, x);
        first = false;
    };
    for (auto const& s : SubSpans()) {
        if (s.IndexCMPLeft() < m_left || s.IndexCMPRight() > m_right) continue;
        take(moments ? s.GetMomentsLeft()[i] : s.GetForcesLeft()[i]);
        take(moments ? s.GetMomentsRight()[i] : s.GetForcesRight()[i]);
    }
    return v;
}

double CSpan::MaxComponent(bool moments, std::size_t i) const {
    return ExtremeComponent([](double a, double b) { return std::max(a, b); }, moments, i);
}

double CSpan::MinComponent(bool moments, std::size_t i) const {
    return ExtremeComponent([](double a, double b) { return std::min(a, b); }, moments, i);
}

CSubSpan CSpan::MaxForces() const {
    return Extreme([](double a, double b) { return std::max(a, b); });
}

CSubSpan CSpan::MinForces() const {
    return Extreme([](double a, double b) { return std::min(a, b); });
}

Vec3<double> CSpan::InterpolateMoments(double rel) const {
    if (!IsValid()) return {};
    double const x0 = PosLeft();
    double const L = PosRight() - x0;
    double const x = x0 + std::clamp(std::isnan(rel) ? 0.0 : rel, 0.0, 1.0) * L;
    CSubSpan const* last = nullptr;
    for (auto const& s : SubSpans()) {
        if (s.IndexCMPLeft() < m_left || s.IndexCMPRight() > m_right) continue;
        double const a = (*m_points)[static_cast<std::size_t>(s.IndexCMPLeft())].GetPos();
        double const b = (*m_points)[static_cast<std::size_t>(s.IndexCMPRight())].GetPos();
        last = &s;
        if (x <= b) {
            double const t = b > a ? (x - a) / (b - a) : 0.0;
            Vec3<double> m;
            for (std::size_t i = 0; i < 3; ++i)
                m[i] = s.GetMomentsLeft()[i] + (s.GetMomentsRight()[i] - s.GetMomentsLeft()[i]) * std::max(0.0, t);
            return m;
        }
    }
    return last ? last->GetMomentsRight() : Vec3<double>{};
}

bool CSpan::IsLoaded(bool minorAxis) const {
    if (!IsValid()) return false;
    std::size_t const k = minorAxis ? 2 : 1;  // shear and moment component
    // Tolerances: a shear change below 1 N or 1e-6 of the largest shear, and a
    // moment within 1 N.m or 1e-6 of the largest moment of the straight line,
    // count as none (rounding in the host's numbers).
    double vMax = 0.0, mMax = 0.0;
    for (auto const& s : SubSpans()) {
        if (s.IndexCMPLeft() < m_left || s.IndexCMPRight() > m_right) continue;
        if (s.HasTransverseLoad(minorAxis)) return true;
        vMax = std::max({vMax, std::fabs(s.GetForcesLeft()[k]), std::fabs(s.GetForcesRight()[k])});
        mMax = std::max({mMax, std::fabs(s.GetMomentsLeft()[k]), std::fabs(s.GetMomentsRight()[k])});
    }
    double const vTol = std::max(1.0, 1e-6 * vMax);
    double const mTol = std::max(1.0, 1e-6 * mMax);
    double const x0 = PosLeft();
    double const L = PosRight() - x0;
    Vec3<double> const mL = InterpolateMoments(0.0);
    Vec3<double> const mR = InterpolateMoments(1.0);
    bool firstShear = true;
    double v0 = 0.0;
    for (auto const& s : SubSpans()) {
        if (s.IndexCMPLeft() < m_left || s.IndexCMPRight() > m_right) continue;
        for (double v : {s.GetForcesLeft()[k], s.GetForcesRight()[k]}) {
            if (firstShear) {
                v0 = v;
                firstShear = false;
            } else if (std::fabs(v - v0) > vTol) {
                return true;
            }
        }
        // Moments at interior stations against the chord of the end moments.
        for (int end = 0; end < 2; ++end) {
            int const p = end == 0 ? s.IndexCMPLeft() : s.IndexCMPRight();
            if (p == m_left || p == m_right || !(L > 0)) continue;
            double const t = ((*m_points)[static_cast<std::size_t>(p)].GetPos() - x0) / L;
            double const chord = mL[k] + (mR[k] - mL[k]) * t;
            double const m = end == 0 ? s.GetMomentsLeft()[k] : s.GetMomentsRight()[k];
            if (std::fabs(m - chord) > mTol) return true;
        }
    }
    return false;
}

bool CSpan::IsDestabilized() const {
    if (!IsValid()) return false;
    for (auto const& s : SubSpans()) {
        if (s.IndexCMPLeft() < m_left || s.IndexCMPRight() > m_right) continue;
        if (s.IsDestabilized()) return true;
    }
    for (int p = m_left + 1; p < m_right; ++p)
        if ((*m_points)[static_cast<std::size_t>(p)].GetRestraint().IsDestabilizing()) return true;
    return false;
}

CString CSpan::GetString(Corvid::Util::CDesFormat const& format) const {
    if (!IsValid()) return L"none";
    return format.Length(PosLeft()) + L" to " + format.Length(PosRight());
}

}  // namespace Corvid::Steel
