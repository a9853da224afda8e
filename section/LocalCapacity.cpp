// Cross-section (local) checks of one station: CSA S16-09 cl. 13.8.2(a),
// 13.8.3(a) for axial compression and bending, cl. 13.9(a) for tension and
// bending, struts and ties, and a St Venant torsion check.
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "section/CSA_S16_09Section.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kApplied = 1e-10;  // an action smaller than this is none

double Ratio(double action, double resistance) { return CMemberResult::InfinitiseNANs(action / resistance); }

// Failure of an interaction of the member variants: flag 0x10 and the
// ratios that exceed 1.0 on their own.
void InteractionFailure(CMemberResult* const result, double S1, double S2, double a, double bx, double by) {
    if (!(S1 > 1.0 || S2 > 1.0)) return;
    result->AddFlags(0x10);
    if (a > 1.0) result->AddFlags(0x1000);
    if (bx > 1.0) result->AddFlags(0x2000);
    if (by > 1.0) result->AddFlags(0x4000);
    if (result->WantsText()) result->AddOutputString(L"<b><red>Fail:</red></b>\n");
}
}  // namespace

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
        result->AddFlags(0x20000);
    }
}

void CCSA_S16_09Section::LocalCapacityCheckCompressionMember(CMemberResult* const result) const {
    if (IsStrutAndTieOnly()) {
        LocalCapacityCheckCompressionStrut(result);
        return;
    }
    double const Cu = std::fabs(ForceAxial());
    double const Mfx = std::fabs(MomentXX());
    double const Mfy = std::fabs(MomentYY());
    BucklingClass const cls = BucklingClassOverAll(nullptr);
    bool const text = result->WantsText();
    if (text) {
        result->AddOutputString(L"Compression and bending check\n");
        // The class under compression only where there is compression.
        bool const compressed = Cu >= kApplied;
        if (compressed)
            result->AddOutputString(L"Section is: <b>" + GetLBCString(BucklingClassAxial(nullptr)) +
                                    L" under compression\n");
        result->AddOutputString((compressed ? L"            <b>" : L"Section is: <b>") +
                                GetLBCString(BucklingClassXX(nullptr)) + L" under XX (major) axis bending\n");
        result->AddOutputString(L"            <b>" + GetLBCString(BucklingClassYY(nullptr)) +
                                L" under YY (minor) axis bending\n");
        result->AddOutputString(compressed ? L"</b> in bending and compression\n" : L"</b> in bending\n");
    }
    CheckShearCapacityXX(std::fabs(ShearMajor()), result);
    CheckShearCapacityYY(std::fabs(ShearMinor()), result);
    double Fe = 0.0;
    double const U1x = 1.0, U1y = 1.0;
    if (cls <= Class2 && IsIorHSection()) {
        // CSA S16-09 cl. 13.8.2(a), class 1 and 2 I-shaped members:
        // Cu/Cr + 0.85 U1x Mfx/Mrx + Beta U1y Mfy/Mry <= 1.0, Beta = 0.6,
        // and Mfx/Mrx + Mfy/Mry <= 1.0.
        double const Mrx = Mrxx(result);
        double const Mry = Mryy(result);
        double const Beta = 0.6;
        double const Cr = Crxx(0.0, Fe, result);
        double const a = Ratio(Cu, Cr);
        double const bx = Ratio(Mfx, Mrx);
        double const by = Ratio(Mfy, Mry);
        result->Set(UtilKind::LocalAxial, a, ForceAxial(), Cr);
        result->Set(UtilKind::LocalMomMajor, bx, Mfx, Mrx);
        result->Set(UtilKind::LocalMomMinor, by, Mfy, Mry);
        double const S1 = a + 0.85 * bx + Beta * by;
        double const S2 = std::max(bx + by, 0.0);
        result->Set(UtilKind::LocalCombined, std::max(S1, S2), ForceAxial(), CResultEntry::kNone);
        if (text) {
            auto const& f = result->Format();
            result->AddOutputString(L"Check for combined axial and bending interaction\n");
            CResultIndent const indent(result);
            result->AddOutputString(L"<i>ref. " + CodeName() + L" cl 13.8.2 (a)</i>\n");
            result->AddOutputString(L"Beta = 0.6, U1x = " + f.NoDim(U1x) + L", U1y = " + f.NoDim(U1y) + L"\n");
            result->AddOutputString(L"Cu / Cr = " + f.Force(Cu) + L" / " + f.Force(Cr) + L" = " + f.NoDim(a) + L"\n");
            result->AddOutputString(L"0.85*U1x*Mfx/Mrxx = 0.85*" + f.NoDim(U1x) + L"*" + f.Moment(Mfx) + L" / " +
                                    f.Moment(Mrx) + L" = " + f.NoDim(0.85 * bx) + L"\n");
            result->AddOutputString(L"Beta*U1y*Mfy/Mryy = " + f.NoDim(Beta) + L"*" + f.NoDim(U1y) + L"*" +
                                    f.Moment(Mfy) + L" / " + f.Moment(Mry) + L" = " + f.NoDim(Beta * by) + L"\n");
            result->AddOutputString(L"Cu/Cr + 0.85*U1x*Mfx/Mrxx + Beta*U1y*Mfy/Mryy\n\t= ( " + f.NoDim(a) + L" + " +
                                    f.NoDim(0.85 * bx) + L" + " + f.NoDim(Beta * by) + L" ) = " + f.Util(S1) + L"\n");
            result->AddOutputString(L"Mfx/Mrxx + Mfy/Mryy =  " + f.Moment(Mfx) + L"/" + f.Moment(Mrx) + L" + " +
                                    f.Moment(Mfy) + L"/" + f.Moment(Mry) + L" = " + f.Util(S2) + L"\n");
        }
        InteractionFailure(result, S1, S2, a, bx, by);
        return;
    }
    // CSA S16-09 cl. 13.8.3(a), all other members:
    // Cu/Cr + U1x Mfx/Mrx + U1y Mfy/Mry <= 1.0, with M'r for class 4.
    double const Mrx = cls < Class4 ? Mrxx(result) : MrDashxx(result);
    double const Mry = cls < Class4 ? Mryy(result) : MrDashyy(result);
    double const Cr = Crxx(0.0, Fe, result);
    double const a = Ratio(Cu, Cr);
    double const bx = Ratio(Mfx, Mrx);
    double const by = Ratio(Mfy, Mry);
    result->Set(UtilKind::LocalAxial, a, ForceAxial(), Cr);
    result->Set(UtilKind::LocalMomMajor, bx, Mfx, Mrx);
    result->Set(UtilKind::LocalMomMinor, by, Mfy, Mry);
    double const S1 = a + bx + by;
    double const S2 = std::max(bx + by, 0.0);
    result->Set(UtilKind::LocalCombined, std::max(S1, S2), ForceAxial(), CResultEntry::kNone);
    if (text) {
        auto const& f = result->Format();
        result->AddOutputString(L"Check for combined axial and bending interaction\n");
        CResultIndent const indent(result);
        result->AddOutputString(L"<i>ref. " + CodeName() + L" cl 13.8.3 (a)</i>\n");
        result->AddOutputString(L"U1x = " + f.NoDim(U1x) + L", U1y = " + f.NoDim(U1y) + L"\n");
        result->AddOutputString(L"Cu / Cr = " + f.Force(Cu) + L" / " + f.Force(Cr) + L" = " + f.NoDim(a) + L"\n");
        result->AddOutputString(L"U1x*Mfx/Mrxx = " + f.NoDim(U1x) + L"*" + f.Moment(Mfx) + L" / " + f.Moment(Mrx) +
                                L" = " + f.NoDim(bx) + L"\n");
        result->AddOutputString(L"U1y*Mfy/Mryy = " + f.NoDim(U1y) + L"*" + f.Moment(Mfy) + L" / " + f.Moment(Mry) +
                                L" = " + f.NoDim(by) + L"\n");
        result->AddOutputString(L"Cu/Cr + U1x*Mfx/Mrxx + U1y*Mfy/Mryy\n\t= ( " + f.NoDim(a) + L" + " + f.NoDim(bx) +
                                L" + " + f.NoDim(by) + L" ) = " + f.Util(S1) + L"\n");
    }
    InteractionFailure(result, S1, S2, a, bx, by);
}

void CCSA_S16_09Section::LocalCapacityCheckTensionMember(CMemberResult* const result) const {
    if (IsStrutAndTieOnly()) {
        LocalCapacityCheckTensionStrut(result);
        return;
    }
    double const Tu = std::fabs(ForceAxial());
    double const Mfx = std::fabs(MomentXX());
    double const Mfy = std::fabs(MomentYY());
    BucklingClass const cls = BucklingClassOverAll(nullptr);
    bool const text = result->WantsText();
    if (text) {
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
    double const Z = plastic ? Sxx() : Zxx();
    CString const label = plastic ? L"Zpl" : L"Ze";
    double const Mrx = cls < Class4 ? Mrxx(result) : MrDashxx(result);
    double const Mry = cls < Class4 ? Mryy(result) : MrDashyy(result);
    double const Trv = Tr(result);
    double const a = Ratio(Tu, Trv);
    double const bx = Ratio(Mfx, Mrx);
    double const by = Ratio(Mfy, Mry);
    result->Set(UtilKind::LocalAxial, a, ForceAxial(), Trv);
    result->Set(UtilKind::LocalMomMajor, bx, Mfx, Mrx);
    result->Set(UtilKind::LocalMomMinor, by, Mfy, Mry);
    double const c = Ratio(Z * Tu, A * Mrx);
    double const S1 = a + bx + by;
    // With no moment resistance both terms are infinite: their difference
    // is taken as +infinity too, never NaN.
    double const S2 = std::max(CMemberResult::InfinitiseNANs(bx - c), 0.0);
    result->Set(UtilKind::LocalCombined, std::max(S1, S2), ForceAxial(), CResultEntry::kNone);
    if (text) {
        auto const& f = result->Format();
        result->AddOutputString(L"Check for combined axial tension and bending interaction\n");
        CResultIndent const indent(result);
        result->AddOutputString(L"<i>ref. " + CodeName() + L" cl 13.9 (a)</i>\n");
        result->AddOutputString(L"Tu/Tr = " + f.Force(Tu) + L" / " + f.Force(Trv) + L" = " + f.NoDim(a) + L"\n");
        result->AddOutputString(L"Mfx/Mrxx = " + f.Moment(Mfx) + L" / " + f.Moment(Mrx) + L" = " + f.NoDim(bx) + L"\n");
        result->AddOutputString(L"Mfy/Mryy = " + f.Moment(Mfy) + L" / " + f.Moment(Mry) + L" = " + f.NoDim(by) + L"\n");
        result->AddOutputString(L"Tu/Mr*" + label + L"/A = " + f.Force(Tu) + L"/" + f.Moment(Mrx) + L" * " +
                                f.LCubed(Z) + L"/" + f.AreaCS(A) + L" = " + f.NoDim(c) + L"\n");
        result->AddOutputString(L"Tu/Tr + Mfx/Mrxx + Mfy/Mryy = ( " + f.NoDim(a) + L" + " + f.NoDim(bx) + L" + " +
                                f.NoDim(by) + L" ) = " + f.Util(S1) + L"\n");
        result->AddOutputString(L"Mfx/Mrxx - Tu/Mrxx*" + label + L"/A  = ( " + f.NoDim(bx) + L" - " + f.NoDim(c) +
                                L" ) = " + f.Util(S2) + L"\n");
    }
    InteractionFailure(result, S1, S2, a, bx, by);
}

namespace {
// A strut or tie carries axial force only: any moment or shear it examines
// fails it, as does an axial utilisation of 1.0 or more.
struct StrutAction {
    double value;
    wchar_t const* message;
    unsigned flag;
    void (CMemberResult::*setter)(double);
};

StrutAction const kMajorMoment{0, L"<b><red>Fail:</red></b> Major axis moment applied\n", 0x2000,
                               &CMemberResult::SetUtilLocalMomMajor};
StrutAction const kMinorMoment{0, L"<b><red>Fail:</red></b> Minor axis moment applied\n", 0x4000,
                               &CMemberResult::SetUtilLocalMomMinor};
StrutAction const kMajorShear{0, L"<b><red>Fail:</red></b> Major axis shear applied\n", 0x8000,
                              &CMemberResult::SetUtilLocalShearMajor};
StrutAction const kMinorShear{0, L"<b><red>Fail:</red></b> Minor axis shear applied\n", 0x10000,
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
        (result->*act.setter)(kInf);
    }
    if (applied && text) result->AddOutputString(L"Bending moments and/or shear applied to strut\n");
    if (failed) {
        result->AddFlags(0x1000);
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
    double Fe = 0.0;
    double const Cr = Crxx(0.0, Fe, result);
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
