#include "tables/CSA_S16_09_Table.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/DesignConstants.h"
#include "framework/ResultFlags.h"

namespace Corvid::Steel::SteelCSAS1609 {

using Corvid::Data::CRestraint;
namespace RB = Corvid::Data::RestraintBits;

namespace {
using Corvid::Design::kInfinity;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Result flags of an infinite effective length.
constexpr std::uint32_t kFlagNoLengthLT = ResultFlags::kLateralTorsionalBuckling;
constexpr std::uint32_t kFlagNoLengthMajor = ResultFlags::kMajorAxisBuckling;
constexpr std::uint32_t kFlagNoLengthMinor = ResultFlags::kMinorAxisBuckling;

// Table 1 end conditions.
constexpr int kT1Lateral = RB::kCompFlangeLateral;                                // 512
constexpr int kT1Torsional = RB::kTorsional;                                      // 64
constexpr int kT1LateralPartial = RB::kMinorTranslation | RB::kPartialTorsional;  // 0x100080
constexpr int kT1BothOnPlan = RB::kBothFlangesRotationOnPlan;                     // 2048
constexpr int kT1CompOnPlan = RB::kCompFlangeRotationOnPlan;                      // 8192

// Table 2 support conditions (held end of a cantilever).
constexpr int kT2BuiltIn =
    RB::kMinorTranslation | RB::kWarping | RB::kBothFlangesRotationOnPlan | RB::kTorsional;  // 0x101840
constexpr int kT2LateralTorsional = RB::kMinorTranslation | RB::kTorsional;                  // 0x100040
constexpr int kT2TensionLateral = RB::kTensionFlangeLateral;                                 // 1024
constexpr int kT2CompLateral = RB::kCompFlangeLateral;                                       // 512

// Table 2 tip conditions (free end of a cantilever).
constexpr int kT2TipCompTorsional = RB::kCompFlangeLateral | RB::kTorsional;        // 0x240
constexpr int kT2TipTensionTorsional = RB::kTensionFlangeLateral | RB::kTorsional;  // 0x440
constexpr int kT2TipTorsional = RB::kTorsional;                                     // 64
constexpr int kT2TipCompLateral = RB::kCompFlangeLateral;                           // 512

bool WantsText(CMemberResult const* result) { return result && result->WantsText(); }

// Annex F factor K from the two ends' translation (T), rotation (R) and
// fixity (T and R together) restraints; +infinity when the member is free to
// sway without a fixed end to hold it.
double AnnexFFactor(CRestraint const& e1, CRestraint const& e2, int T, int R) {
    int const F = T | R;
    if (e1.IsRestrained(T, true) && e2.IsRestrained(T, true)) {
        int const fixedEnds = (e1.IsRestrained(R, true) ? 1 : 0) + (e2.IsRestrained(R, true) ? 1 : 0);
        if (fixedEnds == 2) return 0.65;
        if (fixedEnds == 1) return 0.8;
        return 1.0;
    }
    if (e1.IsRestrained(F, true)) return e2.IsRestrained(R, true) ? 1.2 : 2.0;
    if (e1.IsRestrained(T, true) && e2.IsRestrained(R, true)) return 2.0;
    if (e2.IsRestrained(F, true)) return e1.IsRestrained(R, true) ? 1.2 : 2.0;
    if (e2.IsRestrained(T, true)) return e1.IsRestrained(R, true) ? 2.0 : kInfinity;
    return kInfinity;
}

// Writes the Annex F line and marks an infinite length; returns K x L.
double AnnexF(CMemberResult* result, double L, double K, void (CMemberResult::*markUtil)(double), std::uint32_t flag) {
    if (!result) return K * L;
    bool const text = result->WantsText();
    CString line;
    if (text) line = L"<i>CSA S16 - 09 Annex F: </i> ";
    if (std::isinf(K)) {
        (result->*markUtil)(kInfinity);
        result->AddFlags(flag);
    } else if (text) {
        line += result->Format().NoDim(K) + L"L";
    }
    if (text) result->AddOutputString(line + L"\n");
    return K * L;
}
}  // namespace

CRestraint CCSA_S16_09_Table::WithSense(CRestraint const& restraint, CCodeShare::LT_BuckleDirection sense) {
    CRestraint copy(restraint);
    Corvid::Vec3<double> forces{kNaN, kNaN, kNaN};
    Corvid::Vec3<double> moments{kNaN, kNaN, kNaN};
    bool set = false;
    copy.GetForcesAndMoments(forces, moments, set);
    if (sense == CCodeShare::LT_TopFlange)
        moments.y = -1.0;
    else if (sense == CCodeShare::LT_BottomFlange)
        moments.y = 1.0;
    copy.SetForcesAndMoments(forces, moments, set);
    return copy;
}

double CCSA_S16_09_Table::LateralTorsionalSegmentLength(double L, double /*depth*/,
                                                        CCodeShare::LT_BuckleDirection sense, CRestraint const& end,
                                                        bool destabilizing) const {
    CRestraint const c = WithSense(end, sense);
    bool const text = WantsText(m_result);
    CString condition;
    double length = kInfinity;
    if (!c.IsRestrained(kT1Lateral, true) && !c.IsRestrained(kT1Torsional, true) &&
        !c.IsRestrained(kT1LateralPartial, true)) {
        if (text) condition = L"?";
        if (m_result) {
            m_result->SetUtilBucklingLT(kInfinity);
            m_result->AddFlags(kFlagNoLengthLT);
        }
    } else {
        double factor = 0.0;
        wchar_t const* label = L"";
        if (c.IsRestrained(kT1BothOnPlan, true)) {
            factor = destabilizing ? 0.85 : 0.7;
            label = destabilizing ? L"0.85L(destabilizing)" : L"0.7L(normal)";
        } else if (c.IsRestrained(kT1CompOnPlan, true)) {
            factor = destabilizing ? 1.0 : 0.85;
            label = destabilizing ? L"1.0L(destabilizing)" : L"0.85L(normal)";
        } else {
            factor = destabilizing ? 1.2 : 1.0;
            label = destabilizing ? L"1.2L(destabilizing)" : L"1.0L(normal)";
        }
        length = factor * L;
        if (text) condition = label;
    }
    if (c.IsFree(kT1Torsional, true) && std::isfinite(length)) {
        length *= 1.2;
        if (text) condition += L" increase 20% (no torsional restraint)\n";
    }
    if (text) m_result->AddOutputString(L"<i>CSA S16 - 09 Table 1</i> condition: " + condition + L"\n");
    return length;
}

double CCSA_S16_09_Table::LateralTorsionalSegmentLength(double L, double depth, CCodeShare::LT_BuckleDirection sense,
                                                        CRestraint const& endL, CRestraint const& endR,
                                                        bool destabilizing) const {
    if (!m_result) {
        // Nothing to write: the one-end lengths alone.
        double const l1 = LateralTorsionalSegmentLength(L, depth, sense, endL, destabilizing);
        double const l2 = LateralTorsionalSegmentLength(L, depth, sense, endR, destabilizing);
        return std::isfinite(l1) && std::isfinite(l2) ? (l1 + l2) / 2.0 : kInfinity;
    }
    // Each end writes into its own scratch copy of the result (strings
    // cleared), so that identical ends can be told apart from different ones.
    CMemberResult R1(*m_result);
    R1.ClearStrings();
    CMemberResult R2(R1);
    double const l1 = CCSA_S16_09_Table(&R1).LateralTorsionalSegmentLength(L, depth, sense, endL, destabilizing);
    double const l2 = CCSA_S16_09_Table(&R2).LateralTorsionalSegmentLength(L, depth, sense, endR, destabilizing);
    double const length = std::isfinite(l1) && std::isfinite(l2) ? (l1 + l2) / 2.0 : kInfinity;
    if (R1 == R2)
        *m_result += R1;
    else
        *m_result += R1 + R2;
    return length;
}

double CCSA_S16_09_Table::LateralTorsionalCantileverLength(double L, CCodeShare::LT_BuckleDirection sense,
                                                           CRestraint const& support, CRestraint const& tip,
                                                           bool destabilizing) const {
    CRestraint const s = WithSense(support, sense);
    CRestraint const t = WithSense(tip, sense);

    int row = 3;  // '?'
    if (s.IsRestrained(kT2BuiltIn, true))
        row = 0;
    else if (s.IsRestrained(kT2LateralTorsional, true))
        row = 1;
    else if (s.IsRestrained(kT2TensionLateral, true) || s.IsRestrained(kT2CompLateral, true))
        row = 2;

    int column = 0;  // tip '1'
    if (t.IsRestrained(kT2TipCompTorsional, true) || t.IsRestrained(kT2TipTensionTorsional, true))
        column = 3;
    else if (t.IsRestrained(kT2TipTorsional, true))
        column = 2;
    else if (t.IsRestrained(kT2TipCompLateral, true))
        column = 1;

    // Factor by support row and tip column: {normal, destabilizing}.
    static constexpr double kFactors[3][4][2] = {
        {{0.8, 1.4}, {0.7, 1.4}, {0.6, 0.6}, {0.5, 0.5}},
        {{1.0, 2.5}, {0.9, 2.5}, {0.8, 1.5}, {0.7, 1.2}},
        {{3.0, 7.5}, {2.7, 7.5}, {2.4, 4.5}, {2.1, 3.6}},
    };
    double const factor = row < 3 ? kFactors[row][column][destabilizing ? 1 : 0] : kInfinity;
    double const length = factor * L;

    if (WantsText(m_result)) {
        static constexpr wchar_t kLetters[] = {L'a', L'b', L'c', L'?'};
        CString condition(1, kLetters[row]);
        condition += static_cast<wchar_t>(L'1' + column);
        condition += destabilizing ? L" (destabilizing) " : L" ";
        condition += m_result->Format().NoDim(factor) + L"*L";
        m_result->AddOutputString(L"<i>CSA S16 - 09 Table 2</i> condition: " + condition + L"\n");
    }
    if (std::isinf(factor) && m_result) {
        m_result->SetUtilBucklingLT(kInfinity);
        m_result->AddFlags(kFlagNoLengthLT);
    }
    return length;
}

double CCSA_S16_09_Table::AnnexF_XX(double L, CRestraint const& end1, CRestraint const& end2) const {
    // Translation 0x200000, rotation 0x10000 (fixed end 0x210000).
    double const K = AnnexFFactor(end1, end2, RB::kMajorTranslation, RB::kMajorRotation);
    return AnnexF(m_result, L, K, &CMemberResult::SetUtilBucklingAxialMajor, kFlagNoLengthMajor);
}

double CCSA_S16_09_Table::AnnexF_YY(double L, CRestraint const& end1, CRestraint const& end2) const {
    // Translation 0x100000, rotation 0x40000 (fixed end 0x140000).
    double const K = AnnexFFactor(end1, end2, RB::kMinorTranslation, RB::kMinorRotation);
    return AnnexF(m_result, L, K, &CMemberResult::SetUtilBucklingAxialMinor, kFlagNoLengthMinor);
}

}  // namespace Corvid::Steel::SteelCSAS1609
