// Factored moment resistance M'r of sections with class 4 elements
// (CSA S16-09 cl. 13.5(c)): the effective section for class 4 flanges and
// the web-slenderness reduction of cl. 14.3.4 for class 4 webs. When no
// element that matters for the axis is class 4 the ordinary Mr of
// cl. 13.5(a)/(b) is returned with its own report.
#include <algorithm>
#include <cmath>

#include "framework/DesignConstants.h"
#include "section/ReportClauses.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {

using BC = CCSA_S16_09Section::BucklingClass;

using Corvid::Design::kMPa;
using Corvid::Design::kPhi;

// Messages of the combinations that have no resistance here.
constexpr wchar_t const* kBothClass4Spaced =
    L"\t<red> Both the web and flanges are class 4.\n\tThese sections are not yet supported.</red>\n";
constexpr wchar_t const* kBothClass4 =
    L"\t<red>Both the web and flanges are class 4.\n\tThese sections are not yet supported.</red>\n";
constexpr wchar_t const* kStemClass4 = L"\t<red>Class 4 stems are not yet supported.</red>\n";
constexpr wchar_t const* kChannelWebClass4 =
    L"\t<red> Web is class 4 and it is subjected to compression.\n\tThese sections are not yet supported.</red>\n";

bool Reporting(CMemberResult* const result) { return result != nullptr && result->WantsText(); }

// Neither class invalid and at least one of them class 4: only then does
// the reduced resistance differ from the ordinary Mr.
bool NeedsReduction(BC a, BC b) { return a != BC::Invalid && b != BC::Invalid && (a == BC::Class4 || b == BC::Class4); }

// "Flange class: <b>Class 1</b>, Web class: <b>Class 4</b>" (second element
// named by `other`).
CString ClassLine(BC flange, wchar_t const* other, BC second) {
    return L"\tFlange class: <b>" + CCSA_S16_09Section::GetLBCString(flange) + L"</b>, " + other + L" class: <b>" +
           CCSA_S16_09Section::GetLBCString(second) + L"</b>\n";
}

CString FlangeOnlyLine(BC flange) {
    return L"\tFlange class: <b>" + CCSA_S16_09Section::GetLBCString(flange) + L"</b>\n";
}

// Heading, clause line and class line of a reduced resistance.
void WriteHeading(CCSA_S16_09Section const& calc, wchar_t const* suffix, CString const& classLine,
                  CMemberResult* const result) {
    result->AddOutputString(L"Determine moment capacity M'r" + CString(suffix) + L"\n");
    result->AddOutputString(L"\t<i>ref. " + calc.CodeName() + kClReducedMoment + L"</i>\n");
    result->AddOutputString(classLine);
}

// A combination the procedure does not cover: no resistance.
double NotSupported(wchar_t const* message, wchar_t const* suffix, CMemberResult* const result) {
    if (Reporting(result))
        result->AddOutputString(message + CString(L"M'r") + suffix + L" = " + result->Format().Moment(0.0) + L"\n");
    return 0.0;
}

// CSA S16-09 cl. 13.5(c): class 4 flanges with a class 3 or better web,
// Mr = Phi Se Fy with the effective section modulus Se. `name` is the
// symbol printed for Mr ("Mrxx", "Mryy", "Mr").
double EffectiveMr(double Se, double fy, wchar_t const* name, CMemberResult* const result) {
    Se = detail::NoLessThanZero(Se);  // no effective section left: no resistance
    double const Mr = Se * kPhi * fy;
    if (Reporting(result)) {
        auto const& f = result->Format();
        result->AddOutputString(L"\tSe = " + f.LCubed(Se) + L"\n");
        result->AddOutputString(L"\tfy = " + f.Stress(fy) + L"\n");
        result->AddOutputString(L"\t" + CString(name) + L" = Phi*Se*fy\n\t     = " + f.NoDim(kPhi) + L"*" +
                                f.LCubed(Se) + L"*" + f.Stress(fy) + L"\n\t     = " + f.Moment(Mr) + L"\n");
    }
    return Mr;
}

// Inputs of the web-slenderness reduction, SI units.
struct WebReduction {
    double S = 0.0;     // elastic section modulus
    double fy = 0.0;    // design yield stress
    double Aw = 0.0;    // web area (all webs)
    double Af = 0.0;    // compression flange area
    double hwtw = 0.0;  // web slenderness h/w
    double A = 0.0;     // gross area
    double M = 0.0;     // applied moment about the axis
    double N = 0.0;     // axial force, tension positive
};

// CSA S16-09 cl. 14.3.4: class 4 web, class 3 or better flanges,
//   M'r = Mr (1 - 0.0005 (Aw/Af) (h/w - 1900 / sqrt(Mf/(Phi S)))),
// with the 1900 term multiplied by (1 - 0.065 Cf/(Phi Cy)) under axial
// compression, Mr = Phi S Fy and the stress Mf/(Phi S) in MPa. The clause
// only ever reduces Mr: M'r is limited to Mr (which also covers Mf = 0,
// where the square root vanishes) and never taken below zero.
// mrLine starts the Mr line ("\tMrxx = Phi*S*fy\n\t     = "); mrDashLabel
// starts the M'r line ("\tM'r_xx = ").
double ReduceForWeb(WebReduction const& w, wchar_t const* mrLine, wchar_t const* mrDashLabel,
                    CMemberResult* const result) {
    double const Mr = w.S * kPhi * w.fy;
    double const Cy = w.A * w.fy;
    double const Mu = std::fabs(w.M);
    double const sM = Mu / (kPhi * w.S);  // Pa
    bool const compression = w.N < 0.0;
    double const Cu = std::fabs(w.N);
    double const ModFactor = compression ? 1.0 - 0.065 * Cu / (kPhi * Cy) : 1.0;
    double MrDash = Mr;
    if (Mu > 0.0) {
        double const value = Mr * (1.0 - 0.0005 * (w.Aw / w.Af) * (w.hwtw - 1900.0 * ModFactor / std::sqrt(sM / kMPa)));
        // A value that is not a number (degenerate dimensions) gives no resistance.
        MrDash = std::isnan(value) ? 0.0 : std::max(0.0, std::min(value, Mr));
    }
    if (Reporting(result)) {
        auto const& f = result->Format();
        auto const phi = f.NoDim(kPhi);
        auto const S = f.LCubed(w.S);
        auto const fy = f.Stress(w.fy);
        auto const Aw = f.AreaCS(w.Aw);
        auto const Af = f.AreaCS(w.Af);
        result->AddOutputString(L"\tS = " + S + L", ");
        result->AddOutputString(L"fy = " + fy + L"\n");
        result->AddOutputString(mrLine + phi + L"*" + S + L"*" + fy + L"\n\t     = " + f.Moment(Mr) + L"\n");
        if (compression) {
            auto const mod = f.NoDim(ModFactor);
            result->AddOutputString(L"\tAw = " + Aw + L", ");
            result->AddOutputString(L"\tAf = " + Af + L"\n");
            result->AddOutputString(L"\tCy = " + f.Force(Cy) + L"\n");
            result->AddOutputString(L"\tMod_Factor = 1-0.065*Cu/(dPhi*Cy)\n\t           = 1-0.065*" + f.Force(Cu) +
                                    L"/(" + phi + L"*" + f.Force(Cy) + L")\n\t           = " + mod + L"\n");
            result->AddOutputString(
                mrDashLabel + CString(L"Mr*(1-0.0005*Aw/Af*(hw/tw-1900*Mod_Factor/sqrt(Mu/(Phi*S))))\n") +
                L"\t       = " + f.Moment(Mr) + L"*(1-0.0005*" + Aw + L"/" + Af + L"*(" + f.NoDim(w.hwtw) + L"-1900*" +
                mod + L"/sqrt(" + f.Stress(sM) + L")))\n\t       = " + f.Moment(MrDash) + L"\n");
        } else {
            result->AddOutputString(L"\tAw = " + Aw + L", ");
            result->AddOutputString(L"Af = " + Af + L"\n");
            result->AddOutputString(mrDashLabel +
                                    CString(L"Mr*(1-0.0005*Aw/Af*(hw/tw-1900/sqrt(Mu/(Phi*S))))\n\t       = ") +
                                    f.Moment(Mr) + L"*(1-0.0005*" + Aw + L"/" + Af + L"*(" + f.NoDim(w.hwtw) +
                                    L"-1900/sqrt(" + f.Stress(sM) + L")))\n\t       = " + f.Moment(MrDash) + L"\n");
        }
    }
    return MrDash;
}

// Major axis of the I-section and the channel: flange is the class of the
// compression flange (flange 2 when Mx >= 0, flange 1 when Mx < 0), web the
// class of the web in flexure.
template <class Calc>
double FlangedMajorAxis(Calc const& calc, BC flange, BC web, wchar_t const* bothClass4, CMemberResult* const result) {
    if (!NeedsReduction(flange, web)) return calc.Mrxx(result);
    if (Reporting(result)) WriteHeading(calc, L"_xx", ClassLine(flange, L"Web", web), result);
    if (web == BC::Class4 && flange == BC::Class4) return NotSupported(bothClass4, L"_xx", result);
    double const fy = calc.DesignFy();
    if (flange == BC::Class4) return EffectiveMr(calc.ZxxEffective(), fy, L"Mrxx", result);
    bool const top = calc.MomentXX() < 0.0;
    double const h = calc.WebDepth();
    WebReduction w;
    w.S = calc.Zxx();
    w.fy = fy;
    w.Aw = h * calc.GetTw();
    w.Af = top ? calc.GetB1() * calc.GetT1() : calc.GetB2() * calc.GetT2();
    w.hwtw = h / calc.GetTw();
    w.A = calc.Area();
    w.M = calc.MomentXX();
    w.N = calc.ForceAxial();
    return ReduceForWeb(w, L"\tMrxx = Phi*S*fy\n\t     = ", L"\tM'r_xx = ", result);
}

// The rectangular hollow section about its own x axis; the minor axis runs
// this on a turned copy.
double TubeMajorAxis(CSectionCalcRHS const& calc, bool minor, CMemberResult* const result) {
    BC const flange = calc.BucklingClassFlange();
    BC const web = calc.BucklingClassWeb();
    if (CCSA_S16_09Section::Worst(flange, web) != BC::Class4) return calc.Mrxx(result);
    wchar_t const* const suffix = minor ? L"_yy" : L"_xx";
    if (Reporting(result)) WriteHeading(calc, suffix, ClassLine(flange, L"Web", web), result);
    if (web == BC::Class4 && flange == BC::Class4) return NotSupported(kBothClass4Spaced, suffix, result);
    double const fy = calc.DesignFy();
    if (flange == BC::Class4) return EffectiveMr(calc.ZxxEffective(), fy, L"Mr", result);
    // Two webs of clear depth h = D - k tf, k the corner allowance of the
    // classification (cl. 11.3.2).
    double const h = calc.GetD() - calc.ClearWidthCorners() * calc.GetTf();
    WebReduction w;
    w.S = calc.Zxx();
    w.fy = fy;
    w.Aw = 2.0 * h * calc.GetTw();
    w.Af = calc.GetTf() * calc.GetB();
    w.hwtw = h / calc.GetTw();
    w.A = calc.Area();
    w.M = calc.MomentXX();
    w.N = calc.ForceAxial();
    return ReduceForWeb(w, L"\tMr = Phi*Ze*fy\n\t     = ", minor ? L"\tM'r_yy  = " : L"\tM'r_xx  = ", result);
}

}  // namespace

// ---- I-section ----

double CSectionCalcI::MrDashxx(CMemberResult* const result) const {
    BC const flange1 = BucklingClassFlange1(true);
    BC const flange2 = BucklingClassFlange2(true);
    BC const flange = MomentXX() >= 0.0 ? flange2 : flange1;
    return FlangedMajorAxis(*this, flange, BucklingClassWeb(), kBothClass4Spaced, result);
}

double CSectionCalcI::MrDashyy(CMemberResult* const result) const {
    BC const flange1 = BucklingClassFlange1(false);
    BC const flange2 = BucklingClassFlange2(false);
    if (!NeedsReduction(flange1, flange2)) return Mryy(result);
    if (Reporting(result)) WriteHeading(*this, L"_yy", FlangeOnlyLine(Class4), result);
    // CSA S16-09 cl. 13.5(c): effective section of the outstands in minor-axis bending.
    double const Se = IyyEffective() / (std::fabs(XbarYYEffective()) + std::max(GetB1(), GetB2()) / 2.0);
    return EffectiveMr(Se, DesignFy(), L"Mryy", result);
}

// ---- channel ----

double CSectionCalcPFC::MrDashxx(CMemberResult* const result) const {
    BC const flange = MomentXX() >= 0.0 ? BucklingClassFlange2() : BucklingClassFlange1();
    return FlangedMajorAxis(*this, flange, BucklingClassWeb(), kBothClass4, result);
}

double CSectionCalcPFC::MrDashyy(CMemberResult* const result) const {
    BC const flange = MomentXX() >= 0.0 ? BucklingClassFlange2() : BucklingClassFlange1();
    BC const web = BucklingClassWeb();
    if (!NeedsReduction(flange, web)) return Mryy(result);
    if (Reporting(result)) WriteHeading(*this, L"_yy", ClassLine(flange, L"Web", web), result);
    if (web == Class4) {
        // A class 4 web has no minor-axis resistance here; the message is
        // written when the web is the compressed side (My < 0).
        if (flange == Class4) return NotSupported(kBothClass4, L"_yy", result);
        if (MomentYY() < 0.0) return NotSupported(kChannelWebClass4, L"_yy", result);
        return 0.0;
    }
    return EffectiveMr(ZyyEffective(), DesignFy(), L"Mryy", result);
}

// ---- tee ----

double CSectionCalcT::MrDashxx(CMemberResult* const result) const {
    BC const flange = BucklingClassFlange();
    BC const stem = BucklingClassWeb();
    if (!NeedsReduction(flange, stem)) return Mrxx(result);
    if (Reporting(result)) WriteHeading(*this, L"_xx", ClassLine(flange, L"Stem", stem), result);
    if (stem == Class4) return NotSupported(flange == Class4 ? kBothClass4 : kStemClass4, L"_xx", result);
    return EffectiveMr(ZxxEffective(), DesignFy(), L"Mrxx", result);
}

double CSectionCalcT::MrDashyy(CMemberResult* const result) const {
    BC const flange = BucklingClassFlange();
    if (flange != Class4) return Mryy(result);
    if (Reporting(result)) WriteHeading(*this, L"_yy", FlangeOnlyLine(flange), result);
    // CSA S16-09 cl. 13.5(c): effective section of the outstands in minor-axis bending.
    double const Se = IyyEffective() / (std::fabs(XbarYYEffective()) + GetB() / 2.0);
    return EffectiveMr(Se, DesignFy(), L"Mryy", result);
}

// ---- rectangular hollow section ----

double CSectionCalcRHS::MrDashxx(CMemberResult* const result) const { return TubeMajorAxis(*this, false, result); }

double CSectionCalcRHS::MrDashyy(CMemberResult* const result) const {
    // The minor axis is the major axis of the section turned a quarter turn
    // (dimensions and actions turned, caches emptied); the axial force is
    // set again on the copy.
    CSectionCalcRHS& turned = Turned();
    turned.SetForceAxial(ForceAxial());
    return TubeMajorAxis(turned, true, result);
}

}  // namespace Corvid::Steel::SteelCSAS1609
