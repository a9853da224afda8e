// Cross-section (local) checks of one station: CSA S16-09 cl. 13.8.2(a),
// 13.8.3(a) for axial compression and bending, cl. 13.9(a) for tension and
// bending, struts and ties, and a St Venant torsion check.
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "framework/DesignConstants.h"
#include "framework/ResultFlags.h"
#include "section/ReportClauses.h"

#include "section/CSA_S16_09Section.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {
using Corvid::Design::kInfinity;
namespace Flags = ResultFlags;
constexpr double kApplied = 1e-10;  // an action smaller than this is none

double Ratio(double action, double resistance) { return CMemberResult::InfinitiseNANs(action / resistance); }

// The axial and bending ratios of a station and the two interaction sums.
struct InteractionTerms {
    double axial, Mfx, Mfy;              // the actions (absolute)
    double axialR, Mrx, Mry;             // their resistances
    double a = 0.0, bx = 0.0, by = 0.0;  // axial/axialR, Mfx/Mrx, Mfy/Mry
    double S1 = 0.0, S2 = 0.0;
};

// The three ratios of t, stored in the result against the signed axial force N.
void StoreRatios(CMemberResult* const result, double N, InteractionTerms& t) {
    t.a = Ratio(t.axial, t.axialR);
    t.bx = Ratio(t.Mfx, t.Mrx);
    t.by = Ratio(t.Mfy, t.Mry);
    result->Set(UtilKind::LocalAxial, t.a, N, t.axialR);
    result->Set(UtilKind::LocalMomMajor, t.bx, t.Mfx, t.Mrx);
    result->Set(UtilKind::LocalMomMinor, t.by, t.Mfy, t.Mry);
}

// Failure of an interaction of the member variants: the interaction flag
// and the flags of the ratios that exceed 1.0 on their own.
void InteractionFailure(CMemberResult* const result, InteractionTerms const& t) {
    if (!(t.S1 > 1.0 || t.S2 > 1.0)) return;
    result->AddFlags(Flags::kInteractionFailure);
    if (t.a > 1.0) result->AddFlags(Flags::kAxialFailure);
    if (t.bx > 1.0) result->AddFlags(Flags::kMajorMomentFailure);
    if (t.by > 1.0) result->AddFlags(Flags::kMinorMomentFailure);
    if (result->WantsText()) result->AddOutputString(L"<b><red>Fail:</red></b>\n");
}

// The interaction of axial compression and bending of a cross-section:
// CSA S16-09 cl. 13.8.2(a) for class 1 and 2 I-shaped members,
//   Cu/Cr + 0.85 U1x Mfx/Mrx + Beta U1y Mfy/Mry <= 1.0, Beta = 0.6,
//   and Mfx/Mrx + Mfy/Mry <= 1.0;
// cl. 13.8.3(a) for all other members,
//   Cu/Cr + U1x Mfx/Mrx + U1y Mfy/Mry <= 1.0 (M'r for class 4).
struct CompressionInteraction {
    wchar_t const* clause;
    double kx, ky;  // factors of Mfx/Mrx and Mfy/Mry (U1x = U1y = 1)
    // The report's lines, each up to its first number.
    wchar_t const* factors;  // before U1x
    wchar_t const* xHead;    // the major-axis term, before U1x
    wchar_t const* yHead;    // the minor-axis term, before Beta (or U1y)
    wchar_t const* sumHead;  // the sum, before Cu/Cr
    bool beta;               // the report shows Beta and the second sum
};
constexpr double kBeta = 0.6;
constexpr CompressionInteraction kClass2IShape{kClSectionInteractionClass12,
                                               0.85,
                                               kBeta,
                                               L"Beta = 0.6, U1x = ",
                                               L"0.85*U1x*Mfx/Mrxx = 0.85*",
                                               L"Beta*U1y*Mfy/Mryy = ",
                                               L"Cu/Cr + 0.85*U1x*Mfx/Mrxx + Beta*U1y*Mfy/Mryy\n\t= ( ",
                                               true};
constexpr CompressionInteraction kOtherMember{kClSectionInteractionOther,
                                              1.0,
                                              1.0,
                                              L"U1x = ",
                                              L"U1x*Mfx/Mrxx = ",
                                              L"U1y*Mfy/Mryy = ",
                                              L"Cu/Cr + U1x*Mfx/Mrxx + U1y*Mfy/Mryy\n\t= ( ",
                                              false};

void WriteCompressionInteraction(CMemberResult* const result, CString const& codeName,
                                 CompressionInteraction const& rule, InteractionTerms const& t) {
    double const U1x = 1.0, U1y = 1.0;
    auto const& f = result->Format();
    result->AddOutputString(L"Check for combined axial and bending interaction\n");
    CResultIndent const indent(result);
    result->AddOutputString(L"<i>ref. " + codeName + rule.clause + L"</i>\n");
    result->AddOutputString(rule.factors + f.NoDim(U1x) + L", U1y = " + f.NoDim(U1y) + L"\n");
    result->AddOutputString(L"Cu / Cr = " + f.Force(t.axial) + L" / " + f.Force(t.axialR) + L" = " + f.NoDim(t.a) +
                            L"\n");
    result->AddOutputString(rule.xHead + f.NoDim(U1x) + L"*" + f.Moment(t.Mfx) + L" / " + f.Moment(t.Mrx) + L" = " +
                            f.NoDim(rule.kx * t.bx) + L"\n");
    if (rule.beta)
        result->AddOutputString(rule.yHead + f.NoDim(rule.ky) + L"*" + f.NoDim(U1y) + L"*" + f.Moment(t.Mfy) + L" / " +
                                f.Moment(t.Mry) + L" = " + f.NoDim(rule.ky * t.by) + L"\n");
    else
        result->AddOutputString(rule.yHead + f.NoDim(U1y) + L"*" + f.Moment(t.Mfy) + L" / " + f.Moment(t.Mry) + L" = " +
                                f.NoDim(rule.ky * t.by) + L"\n");
    result->AddOutputString(rule.sumHead + f.NoDim(t.a) + L" + " + f.NoDim(rule.kx * t.bx) + L" + " +
                            f.NoDim(rule.ky * t.by) + L" ) = " + f.Util(t.S1) + L"\n");
    if (rule.beta)
        result->AddOutputString(L"Mfx/Mrxx + Mfy/Mryy =  " + f.Moment(t.Mfx) + L"/" + f.Moment(t.Mrx) + L" + " +
                                f.Moment(t.Mfy) + L"/" + f.Moment(t.Mry) + L" = " + f.Util(t.S2) + L"\n");
}

// The classes of a section under compression and bending, as the report
// gives them (the class under compression only where there is compression).
void WriteCompressionClasses(CMemberResult* const result, CCSA_S16_09Section const& s, bool compressed) {
    result->AddOutputString(L"Compression and bending check\n");
    if (compressed)
        result->AddOutputString(L"Section is: <b>" + s.GetLBCString(s.BucklingClassAxial(nullptr)) +
                                L" under compression\n");
    result->AddOutputString((compressed ? L"            <b>" : L"Section is: <b>") +
                            s.GetLBCString(s.BucklingClassXX(nullptr)) + L" under XX (major) axis bending\n");
    result->AddOutputString(L"            <b>" + s.GetLBCString(s.BucklingClassYY(nullptr)) +
                            L" under YY (minor) axis bending\n");
    result->AddOutputString(compressed ? L"</b> in bending and compression\n" : L"</b> in bending\n");
}

// The moment resistance of an interaction: Mr of classes 1 to 3, M'r of
// class 4 (cls: the class over all).
double InteractionMr(CCSA_S16_09Section const& s, bool major, CCSA_S16_09Section::BucklingClass cls,
                     CMemberResult* const result) {
    if (cls < CCSA_S16_09Section::Class4) return major ? s.Mrxx(result) : s.Mryy(result);
    return major ? s.MrDashxx(result) : s.MrDashyy(result);
}
}  // namespace

double CCSA_S16_09Section::SquashCr(CMemberResult* const result) const {
    double Fe = 0.0;
    if (result->WantsText()) return Crxx(0.0, Fe, result);
    return FixedValue(kSquashCr, [&] { return Crxx(0.0, Fe, result); });
}

void CCSA_S16_09Section::LocalCapacityCheck(CMemberResult* const result) const {
    if (!result) return;  // utilisations have nowhere to go
    if (ForceAxial() > 0.0)
        LocalCapacityCheckTensionMember(result);
    else
        LocalCapacityCheckCompressionMember(result);
    if (IsStrutAndTieOnly()) return;
    // St Venant torsion against the torque that first yields the section in
    // shear (fy / sqrt(3)).
    double const T = Torsion();
    double const Tcsv = TorsionCapacity(result);
    double const util = std::fabs(T / Tcsv);
    if (result->WantsText()) {
        auto const& f = result->Format();
        result->AddOutputString(L"Simple St. Venant torsion check:\n");
        result->AddOutputString(L"\tT/Tcsv = ( " + f.Moment(T));
        result->AddOutputString(L" / " + f.Moment(Tcsv));
        result->AddOutputString(L" ) = " + f.Util(util) + L"\n");
    }
    result->Set(UtilKind::LocalTorsion, util, std::fabs(T), Tcsv);
    if (util >= 0.05) {
        if (result->WantsText()) {
            result->AddOutputString(L"<b><orange>Warning:</orange></b> Torsion not properly supported!\n");
            result->AddOutputString(L"Applied torsion causes shear stress of greater than 5% of capacity\n");
        }
        result->AddFlags(Flags::kTorsionWarning);
    }
}

void CCSA_S16_09Section::LocalCapacityCheckCompressionMember(CMemberResult* const result) const {
    if (IsStrutAndTieOnly()) {
        LocalCapacityCheckCompressionStrut(result);
        return;
    }
    InteractionTerms t{std::fabs(ForceAxial()), std::fabs(MomentXX()), std::fabs(MomentYY()), 0.0, 0.0, 0.0};
    BucklingClass const cls = BucklingClassOverAll(nullptr);
    if (result->WantsText()) WriteCompressionClasses(result, *this, t.axial >= kApplied);
    CheckShearCapacityXX(std::fabs(ShearMajor()), result);
    CheckShearCapacityYY(std::fabs(ShearMinor()), result);
    CompressionInteraction const& rule = cls <= Class2 && IsIorHSection() ? kClass2IShape : kOtherMember;
    t.Mrx = InteractionMr(*this, true, cls, result);
    t.Mry = InteractionMr(*this, false, cls, result);
    t.axialR = SquashCr(result);
    StoreRatios(result, ForceAxial(), t);
    t.S1 = t.a + rule.kx * t.bx + rule.ky * t.by;
    t.S2 = std::max(t.bx + t.by, 0.0);
    result->Set(UtilKind::LocalCombined, std::max(t.S1, t.S2), ForceAxial(), CResultEntry::kNone);
    if (result->WantsText()) WriteCompressionInteraction(result, CodeName(), rule, t);
    InteractionFailure(result, t);
}

void CCSA_S16_09Section::LocalCapacityCheckTensionMember(CMemberResult* const result) const {
    if (IsStrutAndTieOnly()) {
        LocalCapacityCheckTensionStrut(result);
        return;
    }
    InteractionTerms t{std::fabs(ForceAxial()), std::fabs(MomentXX()), std::fabs(MomentYY()), 0.0, 0.0, 0.0};
    BucklingClass const cls = BucklingClassOverAll(nullptr);
    if (result->WantsText()) {
        result->AddOutputString(L"Tension and bending check\n");
        result->AddOutputString(L"Section is: <b>" + GetLBCString(cls));
        result->AddOutputString(L"</b> in bending and tension\n");
    }
    CheckShearCapacityXX(std::fabs(ShearMajor()), result);
    CheckShearCapacityYY(std::fabs(ShearMinor()), result);
    // CSA S16-09 cl. 13.9(a): Tu/Tr + Mfx/Mrx + Mfy/Mry <= 1.0 and
    // Mfx/Mrx - Tu Z/(Mrx A) <= 1.0 (Z plastic for class 1 and 2, else elastic).
    double const A = AreaCompEffective();
    bool const plastic = cls == Class1 || cls == Class2;
    double const Z = plastic ? Sxx() : Zxx();  // Sxx(): the plastic modulus Z, Zxx(): the elastic S
    t.Mrx = InteractionMr(*this, true, cls, result);
    t.Mry = InteractionMr(*this, false, cls, result);
    t.axialR = Tr(result);
    StoreRatios(result, ForceAxial(), t);
    double const c = Ratio(Z * t.axial, A * t.Mrx);
    t.S1 = t.a + t.bx + t.by;
    // With no moment resistance both terms are infinite: their difference
    // is taken as +infinity too, never NaN.
    t.S2 = std::max(CMemberResult::InfinitiseNANs(t.bx - c), 0.0);
    result->Set(UtilKind::LocalCombined, std::max(t.S1, t.S2), ForceAxial(), CResultEntry::kNone);
    if (result->WantsText()) {
        auto const& f = result->Format();
        CString const label = plastic ? L"Zpl" : L"Ze";
        result->AddOutputString(L"Check for combined axial tension and bending interaction\n");
        CResultIndent const indent(result);
        result->AddOutputString(L"<i>ref. " + CodeName() + kClTensionAndBending + L"</i>\n");
        result->AddOutputString(L"Tu/Tr = " + f.Force(t.axial) + L" / " + f.Force(t.axialR) + L" = " + f.NoDim(t.a) +
                                L"\n");
        result->AddOutputString(L"Mfx/Mrxx = " + f.Moment(t.Mfx) + L" / " + f.Moment(t.Mrx) + L" = " + f.NoDim(t.bx) +
                                L"\n");
        result->AddOutputString(L"Mfy/Mryy = " + f.Moment(t.Mfy) + L" / " + f.Moment(t.Mry) + L" = " + f.NoDim(t.by) +
                                L"\n");
        result->AddOutputString(L"Tu/Mr*" + label + L"/A = " + f.Force(t.axial) + L"/" + f.Moment(t.Mrx) + L" * " +
                                f.LCubed(Z) + L"/" + f.AreaCS(A) + L" = " + f.NoDim(c) + L"\n");
        result->AddOutputString(L"Tu/Tr + Mfx/Mrxx + Mfy/Mryy = ( " + f.NoDim(t.a) + L" + " + f.NoDim(t.bx) + L" + " +
                                f.NoDim(t.by) + L" ) = " + f.Util(t.S1) + L"\n");
        result->AddOutputString(L"Mfx/Mrxx - Tu/Mrxx*" + label + L"/A  = ( " + f.NoDim(t.bx) + L" - " + f.NoDim(c) +
                                L" ) = " + f.Util(t.S2) + L"\n");
    }
    InteractionFailure(result, t);
}

namespace {
// A strut or tie carries axial force only: any moment or shear it examines
// fails it, as does an axial utilisation of 1.0 or more.
struct StrutAction {
    double value;
    wchar_t const* message;
    std::uint32_t flag;
    void (CMemberResult::*setter)(double);
};

StrutAction const kMajorMoment{0, L"<b><red>Fail:</red></b> Major axis moment applied\n", Flags::kMajorMomentFailure,
                               &CMemberResult::SetUtilLocalMomMajor};
StrutAction const kMinorMoment{0, L"<b><red>Fail:</red></b> Minor axis moment applied\n", Flags::kMinorMomentFailure,
                               &CMemberResult::SetUtilLocalMomMinor};
StrutAction const kMajorShear{0, L"<b><red>Fail:</red></b> Major axis shear applied\n", Flags::kMajorShearOnStrut,
                              &CMemberResult::SetUtilLocalShearMajor};
StrutAction const kMinorShear{0, L"<b><red>Fail:</red></b> Minor axis shear applied\n", Flags::kMinorShearOnStrut,
                              &CMemberResult::SetUtilLocalShearMinor};

StrutAction With(StrutAction a, double value) {
    a.value = value;
    return a;
}

// The axial line (label "Cu / Cr = " or "Tu/Tr = "), the examined actions
// and the verdict of a strut variant.
void StrutVerdict(CMemberResult* const result, wchar_t const* label, double signedAction, double resistance,
                  std::initializer_list<StrutAction> actions) {
    double const action = std::fabs(signedAction);
    double const a = Ratio(action, resistance);
    result->Set(UtilKind::LocalAxial, a, signedAction, resistance);
    bool const text = result->WantsText();
    if (text) {
        auto const& f = result->Format();
        result->AddOutputString(label + f.Force(action) + L" / " + f.Force(resistance) + L" = " + f.NoDim(a) + L"\n");
    }
    bool failed = a >= 1.0;  // a strut at its resistance fails
    bool applied = false;
    for (auto const& act : actions) {
        if (!(std::fabs(act.value) >= kApplied)) continue;
        failed = applied = true;
        if (text) result->AddOutputString(act.message);
        result->AddFlags(act.flag);
        (result->*act.setter)(kInfinity);
    }
    if (applied && text) result->AddOutputString(L"Bending moments and/or shear applied to strut\n");
    if (failed) {
        result->AddFlags(Flags::kAxialFailure);
        if (text) result->AddOutputString(L"<b><red>Fail:</red></b>\n");
    }
}
}  // namespace

void CCSA_S16_09Section::LocalCapacityCheckCompressionStrut(CMemberResult* const result) const {
    if (result->WantsText()) {
        result->AddOutputString(L"Compression check\n");
        result->AddOutputString(L"Section is: <b>" + GetLBCString(BucklingClassOverAll(nullptr)));
        result->AddOutputString(L"</b> in compression\n");
    }
    double const Cr = SquashCr(result);
    StrutVerdict(result, L"Cu / Cr = ", ForceAxial(), Cr,
                 {With(kMajorMoment, MomentXX()), With(kMinorMoment, MomentYY()), With(kMajorShear, ShearMajor()),
                  With(kMinorShear, ShearMinor())});
}

void CCSA_S16_09Section::LocalCapacityCheckTensionStrut(CMemberResult* const result) const {
    if (result->WantsText()) result->AddOutputString(L"Tension (or no axial force) check\n");
    double const Trv = Tr(result);
    // A tie's major-axis moment is not examined.
    StrutVerdict(result, L"Tu/Tr = ", ForceAxial(), Trv,
                 {With(kMinorMoment, MomentYY()), With(kMajorShear, ShearMajor()), With(kMinorShear, ShearMinor())});
}

}  // namespace Corvid::Steel::SteelCSAS1609
