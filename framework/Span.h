#pragma once
// The member model: points along the member, the sub-spans between them, and
// spans (runs of sub-spans between two points) that the buckling checks walk.
//
// Sign conventions of the action vectors (SI units):
//   forces  = (axial N, tension positive; shear along the web, i.e. with
//              major-axis bending; shear across the web, with minor-axis
//              bending)
//   moments = (torsion; major-axis moment Mx; minor-axis moment My).
// A negative Mx compresses the top flange (flange 1), a positive Mx the
// bottom flange (flange 2); the classification, the effective properties and
// the buckling sense all read the sign this way.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "CString.h"
#include "DesFormat.h"
#include "Restraint.h"
#include "Vec3.h"

namespace Corvid::Steel {

// The smallest moment that has a sign, among moments from Mmin to Mmax:
// 1 N.m, or 1 % of the larger magnitude.
inline double MomentSignTolerance(double Mmax, double Mmin) {
    return std::max(1.0, 0.01 * std::max(std::fabs(Mmin), std::fabs(Mmax)));
}
// Moments of both signs (reverse or double curvature): the most positive
// moment Mmax and the most negative Mmin each reach the sign tolerance.
inline bool IsReverseCurvature(double Mmax, double Mmin) {
    double const tol = MomentSignTolerance(Mmax, Mmin);
    return Mmax >= tol && Mmin <= -tol;
}

class CMemberPoint {
public:
    CMemberPoint() = default;
    CMemberPoint(double pos, Corvid::Data::CRestraint const& restraint) : m_pos(pos), m_restraint(restraint) {}

    double GetPos() const { return m_pos; }
    void SetPos(double p) { m_pos = p; }
    Corvid::Data::CRestraint const& GetRestraint() const { return m_restraint; }
    void SetRestraint(Corvid::Data::CRestraint const& r) { m_restraint = r; }

    friend bool operator==(CMemberPoint const& a, CMemberPoint const& b) {
        return a.m_pos == b.m_pos && a.m_restraint == b.m_restraint;
    }

private:
    double m_pos = 0.0;  // m from the member's first end
    Corvid::Data::CRestraint m_restraint;
};

class CSubSpan {
public:
    CSubSpan() = default;
    // index: zero-based sub-span number; left/right: member-point indices.
    CSubSpan(int index, int left, int right) : m_index(index), m_left(left), m_right(right) {}

    int Index() const { return m_index; }
    int Get1Index() const { return m_index + 1; }
    int IndexCMPLeft() const { return m_left; }
    int IndexCMPRight() const { return m_right; }
    void SetIndices(int index, int left, int right) {
        m_index = index;
        m_left = left;
        m_right = right;
    }

    Corvid::Vec3<double> const& GetForcesLeft() const { return m_forcesL; }
    Corvid::Vec3<double> const& GetForcesRight() const { return m_forcesR; }
    Corvid::Vec3<double> const& GetMomentsLeft() const { return m_momentsL; }
    Corvid::Vec3<double> const& GetMomentsRight() const { return m_momentsR; }
    void SetForces(Corvid::Vec3<double> const& left, Corvid::Vec3<double> const& right) {
        m_forcesL = left;
        m_forcesR = right;
    }
    void SetMoments(Corvid::Vec3<double> const& left, Corvid::Vec3<double> const& right) {
        m_momentsL = left;
        m_momentsR = right;
    }

    // Restraint held continuously along the sub-span (e.g. a deck fixed to
    // the top flange).
    Corvid::Data::CRestraint const& GetContinuousRestraint() const { return m_continuous; }
    void SetContinuousRestraint(Corvid::Data::CRestraint const& r) { m_continuous = r; }

    // Transverse load applied between the ends of the sub-span, in the plane
    // of the web (major) or across it (minor). Loads are also recognised from
    // the actions themselves (a change of shear, a moment off the straight
    // line); these flags let a host say so explicitly.
    bool HasTransverseLoad(bool minorAxis) const { return minorAxis ? m_loadMinor : m_loadMajor; }
    void SetTransverseLoad(bool major, bool minor) {
        m_loadMajor = major;
        m_loadMinor = minor;
    }
    // A load on the sub-span acting above the shear centre and free to move
    // laterally with the member (destabilizing).
    bool IsDestabilized() const { return m_destabilized; }
    void SetDestabilized(bool d) { m_destabilized = d; }

private:
    int m_index = 0;
    int m_left = 0;
    int m_right = 0;
    Corvid::Vec3<double> m_forcesL{}, m_forcesR{};
    Corvid::Vec3<double> m_momentsL{}, m_momentsR{};
    Corvid::Data::CRestraint m_continuous;
    bool m_loadMajor = false;
    bool m_loadMinor = false;
    bool m_destabilized = false;
};

using CMemberPointVec = std::vector<CMemberPoint>;
using CSubSpanVec = std::vector<CSubSpan>;

// A run of sub-spans between member points IndexLeft() and IndexRight().
// A span shares (read-only) the member's point and sub-span vectors, so it
// stays valid however long it is kept. A null span has both indices 0.
class CSpan {
public:
    CSpan() = default;
    CSpan(std::shared_ptr<CMemberPointVec const> points, std::shared_ptr<CSubSpanVec const> subSpans, int left,
          int right)
        : m_points(std::move(points)), m_subSpans(std::move(subSpans)), m_left(left), m_right(right) {
        FindOrder();
    }

    int IndexLeft() const { return m_left; }
    int IndexRight() const { return m_right; }
    void SetIndices(int left, int right) {
        m_left = left;
        m_right = right;
    }
    void SetNull() { m_left = m_right = 0; }
    bool IsNull() const { return m_left == 0 && m_right == 0; }
    // The span runs over these very vectors.
    bool IsOver(CMemberPointVec const* points, CSubSpanVec const* subSpans) const {
        return m_points.get() == points && m_subSpans.get() == subSpans;
    }
    // Points to existing member points with left < right.
    bool IsValid() const { return m_points && m_subSpans && m_left >= 0 && m_left < m_right && m_right < NumPoints(); }
    int NumPoints() const { return m_points ? static_cast<int>(m_points->size()) : 0; }

    double PosLeft() const {
        if (!m_points || m_left < 0 || m_left >= NumPoints()) return 0.0;
        return (*m_points)[static_cast<std::size_t>(m_left)].GetPos();
    }
    double PosRight() const {
        if (!m_points || m_right < 0 || m_right >= NumPoints()) return 0.0;
        return (*m_points)[static_cast<std::size_t>(m_right)].GetPos();
    }
    double Length() const { return IsValid() ? PosRight() - PosLeft() : 0.0; }
    bool StartsAtMemberStart() const { return IsValid() && m_left == 0; }
    bool EndsAtMemberEnd() const { return IsValid() && m_right == NumPoints() - 1; }

    // Sub-span indices covered by the span (from the left point's sub-span to
    // the one ending at the right point); -1 when the span is not valid.
    int GetCSSIndexLeft() const;
    int GetCSSIndexRight() const;

    Corvid::Data::CRestraint RestraintEndL() const {
        if (!m_points || m_left < 0 || m_left >= NumPoints()) return Corvid::Data::CRestraint();
        return (*m_points)[static_cast<std::size_t>(m_left)].GetRestraint();
    }
    Corvid::Data::CRestraint RestraintEndR() const {
        if (!m_points || m_right < 0 || m_right >= NumPoints()) return Corvid::Data::CRestraint();
        return (*m_points)[static_cast<std::size_t>(m_right)].GetRestraint();
    }
    // Bits held continuously along every sub-span of the span (bitwise AND).
    Corvid::Data::CRestraint ContinuousRestraint() const;

    // Component-wise largest (smallest) forces and moments over every station
    // of the span, returned as a sub-span whose two ends both hold them.
    CSubSpan MaxForces() const;
    CSubSpan MinForces() const;
    // Component i of the forces (moments false) or the moments of
    // MaxForces() or MinForces(), without making the sub-span.
    double MaxComponent(bool moments, std::size_t i) const;
    double MinComponent(bool moments, std::size_t i) const;
    // Moments at relative position rel (0 = left end, 1 = right end), linear
    // between stations; at an interior point the value at the right end of
    // the sub-span on its left.
    Corvid::Vec3<double> InterpolateMoments(double rel) const;

    // Transverse load between the span's ends: in the plane of the web
    // (minorAxis false: the major-axis moment) or across it (true). A span is
    // loaded when a sub-span is flagged, when the shear changes along it, or
    // when the moment at an interior station leaves the straight line between
    // the end moments.
    bool IsLoaded(bool minorAxis) const;
    // True when the span's major-axis moment varies linearly between its ends
    // (no transverse load in the plane of the web), so that the equivalent
    // moment factor may be taken from the end moments (CSA S16-09 cl. 13.6(a)
    // end-moment form); false when the quarter-point form must be used.
    bool HasNoMajorAxisTransverseLoad() const { return !IsLoaded(false); }
    // A destabilizing load acts on the span: a sub-span so flagged, or a
    // member point strictly inside the span whose restraint carries a
    // destabilizing load position.
    bool IsDestabilized() const;

    // "0.000 m to 6.000 m"
    CString GetString(Corvid::Util::CDesFormat const& format) const;

    friend bool operator==(CSpan const& a, CSpan const& b) {
        return a.m_left == b.m_left && a.m_right == b.m_right && a.m_points == b.m_points &&
               a.m_subSpans == b.m_subSpans;
    }
    friend bool operator!=(CSpan const& a, CSpan const& b) { return !(a == b); }

private:
    template <class Pick>
    CSubSpan Extreme(Pick pick) const;
    template <class Pick>
    double ExtremeComponent(Pick pick, bool moments, std::size_t i) const;
    // The sub-spans a query must look at, in order: those of the span alone
    // when sub-span k joins points k and k + 1 for every k (so a query costs
    // the span's length, not the member's), else all of them.
    struct Scan {
        CSubSpan const* first;
        CSubSpan const* last;
        CSubSpan const* begin() const { return first; }
        CSubSpan const* end() const { return last; }
    };
    Scan SubSpans() const {
        CSubSpan const* const all = m_subSpans->data();
        if (m_inOrder && m_left >= 0 && m_left <= m_right && m_right < NumPoints())
            return {all + m_left, all + m_right};
        return {all, all + m_subSpans->size()};
    }
    void FindOrder();

    std::shared_ptr<CMemberPointVec const> m_points;
    std::shared_ptr<CSubSpanVec const> m_subSpans;
    int m_left = 0;
    int m_right = 0;
    bool m_inOrder = false;  // sub-span k joins points k and k + 1
};

}  // namespace Corvid::Steel
