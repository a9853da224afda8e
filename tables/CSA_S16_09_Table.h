#pragma once
// Effective-length tables: lateral-torsional effective lengths of segments
// between restraints (CSA S16-09 Table 1 of the report) and of cantilevers
// (Table 2), and flexural effective lengths about the major and minor axes
// (CSA S16-09 Annex F).
//
// Every table returns the effective length in m (a factor times the span
// length L), +infinity where the end conditions give no finite length. With a
// result object the table writes its condition line (when the result wants
// text) and marks an infinite length in the result: buckling utilisation
// +infinity and flag ResultFlags::kLateralTorsionalBuckling,
// kMajorAxisBuckling or kMinorAxisBuckling. Without a result object it only returns the length.
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/SteelMember.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CCSA_S16_09_Table {
public:
    CCSA_S16_09_Table() = default;
    explicit CCSA_S16_09_Table(CMemberResult* const result) : m_result(result) {}
    CCSA_S16_09_Table(CCSA_S16_09_Table const&) = default;
    CCSA_S16_09_Table& operator=(CCSA_S16_09_Table const&) = default;
    ~CCSA_S16_09_Table() = default;

    void SetMemberResult(CMemberResult* result) { m_result = result; }
    CMemberResult* MemberResult() const { return m_result; }

    // Lateral-torsional effective length from one end's condition (Table 1).
    // The sense says which flange is in compression; depth is not used.
    double LateralTorsionalSegmentLength(double L, double depth, CCodeShare::LT_BuckleDirection sense,
                                         Corvid::Data::CRestraint const& end, bool destabilizing) const;
    // Both ends: the mean of the two one-end lengths (+infinity when either is
    // infinite). One report line when both ends read the same, two otherwise.
    double LateralTorsionalSegmentLength(double L, double depth, CCodeShare::LT_BuckleDirection sense,
                                         Corvid::Data::CRestraint const& endL, Corvid::Data::CRestraint const& endR,
                                         bool destabilizing) const;
    // Cantilever (Table 2): the held end (support) first, the free end (tip)
    // second.
    double LateralTorsionalCantileverLength(double L, CCodeShare::LT_BuckleDirection sense,
                                            Corvid::Data::CRestraint const& support,
                                            Corvid::Data::CRestraint const& tip, bool destabilizing) const;
    // Flexural effective length, buckling about the major axis (Annex F).
    double AnnexF_XX(double L, Corvid::Data::CRestraint const& end1, Corvid::Data::CRestraint const& end2) const;
    // Flexural effective length, buckling about the minor axis (Annex F).
    double AnnexF_YY(double L, Corvid::Data::CRestraint const& end1, Corvid::Data::CRestraint const& end2) const;

    // A copy of the restraint that knows which flange is in compression (the
    // second moment component -1 for the top flange, +1 for the bottom one),
    // so that its compression-flange bits resolve to the physical flange
    // bits; a moment reversal leaves the restraint as it was (both flanges
    // must then qualify).
    static Corvid::Data::CRestraint WithSense(Corvid::Data::CRestraint const& restraint,
                                              CCodeShare::LT_BuckleDirection sense);

private:
    CMemberResult* m_result = nullptr;  // not owned; may be null
};

}  // namespace Corvid::Steel::SteelCSAS1609
