// Shear checks of the cross-section (CSA S16-09 cl. 13.4) and the St Venant
// torsional capacity of the six shape calculators (the angle's are inline in
// its header).
#include <algorithm>
#include <cmath>

#include "shapes/SectionCalcCHS.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {

constexpr double Phi = 0.9;
constexpr double kPi = 3.14159265358979323846;

// "Major axis shear check:" with the clause line and the elements that
// resist the shear in that direction.
void WriteHeader(CCSA_S16_09Section const& calc, bool major, wchar_t const* clause, CMemberResult* const result) {
    if (result->WantsText())
        result->AddOutputString((major ? L"Major axis shear check:\n\t<i>ref. " : L"Minor axis shear check:\n\t<i>ref. ") +
                                calc.CodeName() + L" cl " + clause + L"</i>\n\t" + calc.ShearResistedBy(major) +
                                L"\n");
}

// The report phrase naming the elements that resist each shear (CSA S16-09
// cl. 13.4.1.1): the web or webs resist the major-axis shear (along the
// depth), the flanges the minor-axis shear (across the section).
CString ResistedBy(bool major, CString const& alongDepth, CString const& across) {
    return major ? L"major-axis shear (along the depth): " + alongDepth
                 : L"minor-axis shear (across the section): " + across;
}

// Vr NaN: the check compares stresses, not one force with one resistance.
void SetUtil(CMemberResult* const result, bool major, double util, double V, double Vr) {
    result->Set(major ? UtilKind::LocalShearMajor : UtilKind::LocalShearMinor, util, V, Vr);
}

// Web (or pair of webs) in shear: clear depth hw for the slenderness, depth h
// for the shear area, thickness tw; `walls` webs of that size carry V.
struct Web {
    double hw;
    double h;
    double tw;
    int walls;
};

// CSA S16-09 cl. 13.4.1.1, unstiffened webs (kv = 5.34):
//   h/w <= 1014/sqrt(Fy):                 Fs = 0.66 Fy
//   1014/sqrt(Fy) < h/w <= 1435/sqrt(Fy): Fs = 670 sqrt(Fy) / (h/w)
//   h/w > 1435/sqrt(Fy):                  Fs = 961200 / (h/w)^2
// Vr = Phi Aw Fs; the web may not be more slender than 83000/Fy
// (cl. 14.3.1). The header has been written; the working is indented.
void WebShear(CCSA_S16_09Section const& calc, Web const& w, double V, bool major, CMemberResult* const result) {
    CResultIndent const indent(result);
    bool const text = result->WantsText();
    double const fy = calc.DesignStressMin();
    double const Fy = fy / 1e6;
    double const hwtw = w.hw / w.tw;
    double const hwtwMax = 83000.0 / Fy;
    if (hwtw > hwtwMax) {
        double const util = CCSA_S16_09Section::kInfinity;
        if (text) {
            auto const& f = result->Format();
            result->AddOutputString(L"83000/fy = 83000/(" + f.NoDim(Fy) + L" MPa) = " + f.NoDim(hwtwMax) + L"\n");
            result->AddOutputString(L"hw/tw = " + f.NoDim(hwtw) +
                                    L" > 83000/fy\n              <i> Web slenderness ratio exceeds maximum allowable "
                                    L"limit.\n              Ref. " +
                                    calc.CodeName() + L" cl. 14.3.1</i>\n");
            result->AddOutputString(L"Util = " + f.Util(util) + L"\n");
        }
        SetUtil(result, major, util, V, 0.0);
        return;
    }
    double const sqrtFy = std::sqrt(Fy);
    double const lim1 = 1014.0 / sqrtFy;
    double const lim2 = 1435.0 / sqrtFy;
    double fs = 0.0;
    if (hwtw <= lim1)
        fs = 0.66 * fy;
    else if (hwtw <= lim2)
        fs = 670.0 * sqrtFy / hwtw * 1e6;
    else
        fs = 961200.0 / (hwtw * hwtw) * 1e6;
    double const Vr = Phi * w.walls * w.h * w.tw * fs;
    double const util = V / Vr;
    if (text) {
        auto const& f = result->Format();
        auto const FyText = f.NoDim(Fy);
        auto const ratio = f.NoDim(hwtw);
        auto const fyText = f.Stress(fy);
        auto const fsText = f.Stress(fs);
        auto const lim1Line = [&] { return L"1014/sqrt(fy) = 1014/sqrt(" + FyText + L" MPa) = " + f.NoDim(lim1) + L"\n"; };
        auto const lim2Line = [&] { return L"1435/sqrt(fy) = 1435/sqrt(" + FyText + L" MPa) = " + f.NoDim(lim2) + L"\n"; };
        result->AddOutputString(L"fy = " + fyText + L"\n");
        if (hwtw <= lim1) {
            result->AddOutputString(lim1Line());
            result->AddOutputString(L"hw/tw = " + ratio + L" <= 1014/sqrt(fy)\n");
            result->AddOutputString(L"fs = 0.66*fy = 0.66*" + fyText + L" = " + fsText + L"\n");
        } else if (hwtw <= lim2) {
            result->AddOutputString(lim1Line());
            result->AddOutputString(lim2Line());
            result->AddOutputString(L"hw/tw = " + ratio + L"\n");
            result->AddOutputString(L"                      >  1014/sqrt(fy)\n");
            result->AddOutputString(L"                      <= 1435/sqrt(fy)\n");
            result->AddOutputString(L"fs = 670*sqrt(Fy)/(hw/tw)\n   = 670*sqrt(" + FyText + L" MPa)/(" + ratio +
                                    L")\n   = " + fsText + L"\n");
        } else {
            result->AddOutputString(lim2Line());
            result->AddOutputString(L"hw/tw = " + ratio + L"\n");
            result->AddOutputString(L"                      > 1435/sqrt(fy)\n");
            result->AddOutputString(L"fs = 961200/(hw/tw)^2\n   = 961200/(" + ratio + L")^2\n   = " + fsText + L"\n");
        }
        CString const terms = f.LengthSmall(w.h) + L"*" + f.LengthSmall(w.tw) + L"*" + fsText;
        if (w.walls == 1)
            result->AddOutputString(L"Vry = Phi*h*tw*fs\n    = " + f.NoDim(Phi) + L"*" + terms + L" = " + f.Force(Vr) +
                                    L"\n");
        else
            result->AddOutputString(L"Vr = Phi*2*h*tw*fs\n   = " + f.NoDim(Phi) + L"*2*" + terms + L"   = " +
                                    f.Force(Vr) + L"\n");
        result->AddOutputString(L"Util = " + f.Force(V) + L"/" + f.Force(Vr) + L"=" + f.Util(util) + L"\n");
    }
    SetUtil(result, major, util, V, Vr);
}

// The web of an I-section or channel: clear depth D - T1 - T2; a rolled
// section (fabrication type 0) takes the full depth D as shear depth.
template <class Calc>
void FlangedWebShear(Calc const& calc, double V, bool major, wchar_t const* clause, CMemberResult* const result) {
    if (!result) return;
    WriteHeader(calc, major, clause, result);
    double const hw = calc.GetD() - calc.GetT1() - calc.GetT2();
    WebShear(calc, Web{hw, calc.FabricationType() == 0 ? calc.GetD() : hw, calc.GetTw(), 1}, V, major, result);
}

// The two walls of a rectangular hollow section parallel to the shear, of
// outside length D, thickness tw, between cross walls of thickness tf:
// clear depth D - k tf with the corner allowance k of the classification;
// a rolled tube (fabrication type 0) takes the full length D as shear depth.
void TubeWebShear(CSectionCalcRHS const& calc, double D, double tf, double tw, double V, bool major,
                  CMemberResult* const result) {
    double const hw = D - calc.CornerFactor() * tf;
    WebShear(calc, Web{hw, calc.FabricationType() == 0 ? D : hw, tw, 2}, V, major, result);
}

// Elastic shear stress at a cut, fv = V AyBar / (I t), against the limit
// 0.66 Phi Fy of cl. 13.4.1.2; shear buckling is not considered.
struct Cut {
    double AyBar;         // first moment of the part beyond the cut
    double I;             // second moment about the bending axis
    double t;             // thickness of the cut
    wchar_t const* label;  // first line of the stress report
    bool tube;            // a tube wall cut twice: printed as 2*t
    bool endWithStop;     // the note ends with a full stop
};

void StressShear(CCSA_S16_09Section const& calc, Cut const& c, double V, bool major, CMemberResult* const result) {
    CResultIndent const indent(result);
    double const fy = calc.DesignStressMin();
    double const fs = 0.66 * Phi * fy;
    double const fvMax = V * c.AyBar / (c.I * c.t);
    double const util = fvMax / fs;
    if (result->WantsText()) {
        auto const& f = result->Format();
        CString const thickness = c.tube ? L"*2*" + f.LengthSmall(c.t / 2.0) : L"*" + f.LengthSmall(c.t);
        CString const fvText = f.Stress(fvMax);
        CString const fsText = f.Stress(fs);
        result->AddOutputString(c.label + f.Force(V) + L"*" + f.LCubed(c.AyBar) + L"/(" + f.LFourth(c.I) + thickness +
                                L")\n                        = " + fvText + L"\n");
        result->AddOutputString(L"fs = 0.66*phi*fy = 0.66*0.9*" + f.Stress(fy) + L" = " + fsText +
                                (c.endWithStop ? L" <i>Shear buckling is not considered</i>.\n"
                                               : L" <i>Shear buckling is not considered</i>\n"));
        result->AddOutputString(L"Util = " + fvText + L"/" + fsText + L"=" + f.Util(util) + L"\n");
    }
    SetUtil(result, major, util, V, CResultEntry::kNone);
}

void CheckStress(CCSA_S16_09Section const& calc, Cut const& c, double V, bool major, CMemberResult* const result) {
    WriteHeader(calc, major, L"13.4.3", result);
    StressShear(calc, c, V, major, result);
}

// Web shear area: (D - T1 - T2) Tw for a welded section, D Tw otherwise.
template <class Calc>
double WebShearArea(Calc const& calc) {
    double const h = calc.IsWelded() ? calc.GetD() - calc.GetT1() - calc.GetT2() : calc.GetD();
    return h * calc.GetTw();
}

// Shear yield stress fy/sqrt(3) (von Mises).
double ShearYield(CCSA_S16_09Section const& calc) { return calc.DesignStressMin() / std::sqrt(3.0); }

// Open sections of thin plates: the torque that brings the thickest plate
// to the shear yield stress, Tcsv = J tau / t_max.
double OpenSectionTcsv(CCSA_S16_09Section const& calc, double tMax) { return calc.J() * ShearYield(calc) / tMax; }

// Closed thin-walled sections (Bredt): Tcsv = tau 2 A0 t, A0 the area inside
// the mid-line of the wall.
double ClosedSectionTcsv(CCSA_S16_09Section const& calc, double A0, double t) {
    return ShearYield(calc) * 2.0 * A0 * t;
}

}  // namespace

// ---- I-section ----

void CSectionCalcI::CheckShearCapacityXX(double const& V, CMemberResult* const result) const {
    FlangedWebShear(*this, V, true, L"13.4.3", result);
}

void CSectionCalcI::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    WriteHeader(*this, false, L"13.4.1", result);
    // Both flanges cut at the web: the outstands b1, b2 beyond the cut.
    double const b1 = (GetB1() - GetTw()) / 2.0;
    double const b2 = (GetB2() - GetTw()) / 2.0;
    double const AyBar = GetT1() * b1 * (GetTw() + b1) / 2.0 + GetT2() * b2 * (GetTw() + b2) / 2.0;
    Cut const c{AyBar, Iyy(), GetT1() + GetT2(),
                L"Max shear stress, fv_max = Vux*AyBar/(Iyy*(T1+T2))\n                        = ", false, false};
    StressShear(*this, c, V, false, result);
}

double CSectionCalcI::TorsionCapacity(CMemberResult* const) const {
    return OpenSectionTcsv(*this, std::max({GetT1(), GetT2(), GetTw()}));
}

double CSectionCalcI::ShearAreaY(CMemberResult* const) const { return WebShearArea(*this); }

CString CSectionCalcI::ShearResistedBy(bool major) const {
    return ResistedBy(major, L"web, hw = D - T1 - T2", L"flanges");
}

// ---- channel ----

// Along the depth: the web, as for the I-section.
void CSectionCalcPFC::CheckShearCapacityXX(double const& V, CMemberResult* const result) const {
    FlangedWebShear(*this, V, true, L"13.4.1", result);
}

void CSectionCalcPFC::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    // Across the section: both flanges cut at the neutral axis of minor-axis
    // bending; flange 1 dimensions serve for both.
    double const b = GetB1() - Xbar();
    double const AyBar = 2.0 * GetT1() * b * b / 2.0;
    Cut const c{AyBar, Iyy(), GetT1() + GetT2(),
                L"Max shear stress, fv_max = Vux*AyBar/(Iyy*2*Tf)\n                        = ", false, false};
    CheckStress(*this, c, V, false, result);
}

double CSectionCalcPFC::TorsionCapacity(CMemberResult* const) const {
    return OpenSectionTcsv(*this, std::max({GetT1(), GetT2(), GetTw()}));
}

double CSectionCalcPFC::ShearAreaY(CMemberResult* const) const { return WebShearArea(*this); }

CString CSectionCalcPFC::ShearResistedBy(bool major) const {
    return ResistedBy(major, L"web, hw = D - T1 - T2", L"flanges");
}

// ---- tee ----

void CSectionCalcT::CheckShearCapacityXX(double const& V, CMemberResult* const result) const {
    if (!result) return;
    // The stem cut at the neutral axis of major-axis bending, c below the
    // top of the flange.
    double const c = GetD() - Ybar();
    double const AyBar = GetTw() * (c - GetT()) * (c - GetT()) / 2.0 + GetT() * GetB() * (c - GetT() / 2.0);
    Cut const cut{AyBar, Ixx(), GetTw(), L"Max shear stress, fv_max = Vux*AyBar/(Ixx*Tf)\n                        = ",
                  false, false};
    CheckStress(*this, cut, V, true, result);
}

void CSectionCalcT::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    // The flange cut at the stem: one outstand b beyond the cut.
    double const b = (GetB() - GetTw()) / 2.0;
    double const AyBar = GetT() * b * (GetTw() + b) / 2.0;
    Cut const c{AyBar, Iyy(), GetT(), L"Max shear stress, fv_max = Vuy*AyBar/(Iyy*Tw)\n                        = ",
                false, false};
    CheckStress(*this, c, V, false, result);
}

double CSectionCalcT::TorsionCapacity(CMemberResult* const) const {
    return OpenSectionTcsv(*this, std::max(GetT(), GetTw()));
}

CString CSectionCalcT::ShearResistedBy(bool major) const { return ResistedBy(major, L"stem", L"flange"); }

// ---- rectangular hollow section ----

// Along the depth: the two webs, the walls parallel to D (thickness tw,
// between the flanges of thickness tf).
void CSectionCalcRHS::CheckShearCapacityXX(double const& V, CMemberResult* const result) const {
    if (!result) return;
    WriteHeader(*this, true, L"13.4.1", result);
    TubeWebShear(*this, GetD(), GetTf(), GetTw(), V, true, result);
}

// Across the section: the two flanges, the walls parallel to B (thickness
// tf, between the webs of thickness tw).
void CSectionCalcRHS::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    WriteHeader(*this, false, L"13.4.1", result);
    TubeWebShear(*this, GetB(), GetTw(), GetTf(), V, false, result);
}

CString CSectionCalcRHS::ShearResistedBy(bool major) const {
    CString const k = CornerFactor() == 2.0 ? L"2" : L"4";
    return ResistedBy(major, L"webs (the two walls of depth D), hw = D - " + k + L"*tf",
                      L"flanges (the two walls of width B), hw = B - " + k + L"*tw");
}

double CSectionCalcRHS::TorsionCapacity(CMemberResult* const) const {
    // The area inside the wall mid-lines: the width less one side wall
    // (tw), the depth less one flange wall (tf).
    double const A0 = (GetB() - GetTw()) * (GetD() - GetTf());
    return ClosedSectionTcsv(*this, A0, std::min(GetTf(), GetTw()));
}

// ---- circular hollow section ----

namespace {
// The tube cut across a diameter: AyBar of one half, (D^3 - Di^3)/12.
double TubeAyBar(double D, double t) {
    double const Di = D - 2.0 * t;
    return (D * D * D - Di * Di * Di) / 12.0;
}
}  // namespace

void CSectionCalcCHS::CheckShearCapacityXX(double const& V, CMemberResult* const result) const {
    if (!result) return;
    Cut const c{TubeAyBar(GetD(), GetT()), Iyy(), 2.0 * GetT(),
                L"Max shear stress, fv_max = Vux*AyBar/(Iyy*2T)\n                        = ", true, true};
    CheckStress(*this, c, V, true, result);
}

void CSectionCalcCHS::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    Cut const c{TubeAyBar(GetD(), GetT()), Ixx(), 2.0 * GetT(),
                L"Max shear stress, fv_max = Vuy*AyBar/(Ixx*2*T)\n                        = ", true, false};
    CheckStress(*this, c, V, false, result);
}

CString CSectionCalcCHS::ShearResistedBy(bool major) const { return ResistedBy(major, L"tube wall", L"tube wall"); }

double CSectionCalcCHS::TorsionCapacity(CMemberResult* const) const {
    double const t = GetT();
    double const A0 = kPi * (GetD() - t) * (GetD() - t) / 4.0;
    return ClosedSectionTcsv(*this, A0, t);
}

}  // namespace Corvid::Steel::SteelCSAS1609
