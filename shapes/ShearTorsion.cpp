// Shear checks of the cross-section (CSA S16-09 cl. 13.4) and the St Venant
// torsional capacity of the six shape calculators (the angle's are inline in
// its header).
#include <algorithm>
#include <cmath>

#include "framework/DesignConstants.h"
#include "section/ReportClauses.h"
#include "shapes/SectionCalcCHS.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {

using Corvid::Design::kInfinity;
using Corvid::Design::kMPa;
using Corvid::Design::kPhi;
using Corvid::Design::kPi;

// The direction of a shear check: along the depth (major) or across the
// section (minor).
constexpr bool kMajorAxis = true;
constexpr bool kMinorAxis = false;

// "Major axis shear check:" with the clause line and the elements that
// resist the shear in that direction.
void WriteHeader(CCSA_S16_09Section const& calc, bool major, wchar_t const* clause, CMemberResult* const result) {
    if (result->WantsText())
        result->AddOutputString(
            (major ? L"Major axis shear check:\n\t<i>ref. " : L"Minor axis shear check:\n\t<i>ref. ") +
            calc.CodeName() + L" cl " + clause + L"</i>\n\t" + calc.ShearResistedBy(major) + L"\n");
}

// The report phrase naming the elements that resist each shear (CSA S16-09
// cl. 13.4.1.1): the web or webs resist the major-axis shear (along the
// depth), the flanges the minor-axis shear (across the section).
CString ResistedBy(bool major, wchar_t const* alongDepth, wchar_t const* across) {
    if (major) return CLine(L"major-axis shear (along the depth): ") + alongDepth;
    return CLine(L"minor-axis shear (across the section): ") + across;
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

// The web shear resistance of CSA S16-09 cl. 13.4.1.1 with the values that
// lead to it.
struct WebShearResistance {
    double fy = 0.0;       // design stress, Pa
    double Fy = 0.0;       // the same in MPa, for the limits
    double hwtw = 0.0;     // h/w
    double hwtwMax = 0.0;  // 83000/Fy (cl. 14.3.1)
    double lim1 = 0.0;     // 1014/sqrt(Fy)
    double lim2 = 0.0;     // 1435/sqrt(Fy)
    double fs = 0.0;       // Fs, Pa
    double Vr = 0.0;       // N; 0 when the web is too slender
    bool TooSlender() const { return hwtw > hwtwMax; }
};

// CSA S16-09 cl. 13.4.1.1, unstiffened webs (kv = 5.34):
//   h/w <= 1014/sqrt(Fy):                 Fs = 0.66 Fy
//   1014/sqrt(Fy) < h/w <= 1435/sqrt(Fy): Fs = 670 sqrt(Fy) / (h/w)
//   h/w > 1435/sqrt(Fy):                  Fs = 961200 / (h/w)^2
// Vr = Phi Aw Fs; the web may not be more slender than 83000/Fy
// (cl. 14.3.1).
WebShearResistance WebShearVr(CCSA_S16_09Section const& calc, Web const& w) {
    WebShearResistance r;
    r.fy = calc.DesignFy();
    r.Fy = r.fy / kMPa;
    r.hwtw = w.hw / w.tw;
    r.hwtwMax = 83000.0 / r.Fy;
    if (r.TooSlender()) return r;
    double const sqrtFy = std::sqrt(r.Fy);
    r.lim1 = 1014.0 / sqrtFy;
    r.lim2 = 1435.0 / sqrtFy;
    if (r.hwtw <= r.lim1)
        r.fs = 0.66 * r.fy;
    else if (r.hwtw <= r.lim2)
        r.fs = 670.0 * sqrtFy / r.hwtw * kMPa;
    else
        r.fs = 961200.0 / (r.hwtw * r.hwtw) * kMPa;
    r.Vr = kPhi * w.walls * w.h * w.tw * r.fs;
    return r;
}

// The report of a web more slender than cl. 14.3.1 allows.
void WriteTooSlender(CCSA_S16_09Section const& calc, WebShearResistance const& r, double util,
                     CMemberResult* const result) {
    auto const& f = result->Format();
    result->AddOutputString(L"83000/fy = 83000/(" + f.NoDim(r.Fy) + L" MPa) = " + f.NoDim(r.hwtwMax) + L"\n");
    result->AddOutputString(L"hw/tw = " + f.NoDim(r.hwtw) +
                            L" > 83000/fy\n              <i> Web slenderness ratio exceeds maximum allowable "
                            L"limit.\n              Ref. " +
                            calc.CodeName() + kClWebSlendernessLimit + L"</i>\n");
    result->AddOutputString(L"Util = " + f.Util(util) + L"\n");
}

// The Fs lines of the range of cl. 13.4.1.1 that h/w falls in.
void WriteShearStress(WebShearResistance const& r, CMemberResult* const result) {
    auto const& f = result->Format();
    auto const FyText = f.NoDim(r.Fy);
    auto const ratio = f.NoDim(r.hwtw);
    auto const fsText = f.Stress(r.fs);
    auto const lim1Line = [&] {
        result->AddOutputString(L"1014/sqrt(fy) = 1014/sqrt(" + FyText + L" MPa) = " + f.NoDim(r.lim1) + L"\n");
    };
    auto const lim2Line = [&] {
        result->AddOutputString(L"1435/sqrt(fy) = 1435/sqrt(" + FyText + L" MPa) = " + f.NoDim(r.lim2) + L"\n");
    };
    if (r.hwtw <= r.lim1) {
        lim1Line();
        result->AddOutputString(L"hw/tw = " + ratio + L" <= 1014/sqrt(fy)\n");
        result->AddOutputString(L"fs = 0.66*fy = 0.66*" + f.Stress(r.fy) + L" = " + fsText + L"\n");
    } else if (r.hwtw <= r.lim2) {
        lim1Line();
        lim2Line();
        result->AddOutputString(L"hw/tw = " + ratio + L"\n");
        result->AddOutputString(L"                      >  1014/sqrt(fy)\n");
        result->AddOutputString(L"                      <= 1435/sqrt(fy)\n");
        result->AddOutputString(L"fs = 670*sqrt(Fy)/(hw/tw)\n   = 670*sqrt(" + FyText + L" MPa)/(" + ratio +
                                L")\n   = " + fsText + L"\n");
    } else {
        lim2Line();
        result->AddOutputString(L"hw/tw = " + ratio + L"\n");
        result->AddOutputString(L"                      > 1435/sqrt(fy)\n");
        result->AddOutputString(L"fs = 961200/(hw/tw)^2\n   = 961200/(" + ratio + L")^2\n   = " + fsText + L"\n");
    }
}

// The working of Vr and the utilisation of the web shear.
void WriteWebShear(WebShearResistance const& r, Web const& w, double V, double util, CMemberResult* const result) {
    auto const& f = result->Format();
    result->AddOutputString(L"fy = " + f.Stress(r.fy) + L"\n");
    WriteShearStress(r, result);
    if (w.walls == 1)
        result->AddOutputString(L"Vry = Phi*h*tw*fs\n    = " + f.NoDim(kPhi) + L"*" + f.LengthSmall(w.h) + L"*" +
                                f.LengthSmall(w.tw) + L"*" + f.Stress(r.fs) + L" = " + f.Force(r.Vr) + L"\n");
    else
        result->AddOutputString(L"Vr = Phi*2*h*tw*fs\n   = " + f.NoDim(kPhi) + L"*2*" + f.LengthSmall(w.h) + L"*" +
                                f.LengthSmall(w.tw) + L"*" + f.Stress(r.fs) + L"   = " + f.Force(r.Vr) + L"\n");
    result->AddOutputString(L"Util = " + f.Force(V) + L"/" + f.Force(r.Vr) + L"=" + f.Util(util) + L"\n");
}

// The calculator's kept values (FixedValue) of the web shear: whether the
// web of each direction is too slender (1) or not (0), and its Vr.
constexpr std::size_t kWebTooSlender = CCSA_S16_09Section::kShapeFixedValues;  // + 1 for the minor axis
constexpr std::size_t kWebVr = kWebTooSlender + 2;                             // + 1 for the minor axis
static_assert(kWebVr + 1 < CCSA_S16_09Section::kFixedValues, "more kept values than slots");

// The web shear check; the header has been written, the working is indented.
void WebShear(CCSA_S16_09Section const& calc, Web const& w, double V, bool major, CMemberResult* const result) {
    CResultIndent const indent(result);
    bool const text = result->WantsText();
    // Without the report only Vr and the slenderness verdict are needed: they
    // depend on the section, grade and code name alone, and are kept.
    WebShearResistance const r = text ? WebShearVr(calc, w) : WebShearResistance{};
    std::size_t const axis = major ? 0 : 1;
    bool const tooSlender = text ? r.TooSlender() : calc.FixedValue(kWebTooSlender + axis, [&] {
        return WebShearVr(calc, w).TooSlender() ? 1.0 : 0.0;
    }) != 0.0;
    double const Vr = text ? r.Vr : calc.FixedValue(kWebVr + axis, [&] { return WebShearVr(calc, w).Vr; });
    if (tooSlender) {
        double const util = kInfinity;
        if (text) WriteTooSlender(calc, r, util, result);
        SetUtil(result, major, util, V, 0.0);
        return;
    }
    double const util = V / Vr;
    if (text) WriteWebShear(r, w, V, util, result);
    SetUtil(result, major, util, V, Vr);
}

// The web of an I-section or channel: clear depth D - T1 - T2; a rolled
// section (fabrication type 0) takes the full depth D as shear depth.
template <class Calc>
Web FlangedWeb(Calc const& calc) {
    double const hw = calc.WebDepth();
    return Web{hw, calc.FabricationType() == 0 ? calc.GetD() : hw, calc.GetTw(), 1};
}

template <class Calc>
void FlangedWebShear(Calc const& calc, double V, bool major, wchar_t const* clause, CMemberResult* const result) {
    if (!result) return;
    WriteHeader(calc, major, clause, result);
    WebShear(calc, FlangedWeb(calc), V, major, result);
}

// The two walls of a rectangular hollow section parallel to the shear: along
// the depth (major) the walls of outside length D and thickness tw between
// the flanges of thickness tf, across it the walls of length B and thickness
// tf between the webs. Clear depth hw = D - k tf with the corner allowance k
// of the clear widths; a rolled tube (fabrication type 0) takes the full
// length D as shear depth.
Web TubeWebs(CSectionCalcRHS const& calc, bool major) {
    double const D = major ? calc.GetD() : calc.GetB();
    double const tf = major ? calc.GetTf() : calc.GetTw();
    double const tw = major ? calc.GetTw() : calc.GetTf();
    double const hw = D - calc.ClearWidthCorners() * tf;
    return Web{hw, calc.FabricationType() == 0 ? D : hw, tw, 2};
}

// Elastic shear stress at a cut, fv = V AyBar / (I t), against the limit
// 0.66 Phi Fy of cl. 13.4.1.2; shear buckling is not considered.
struct Cut {
    double AyBar = 0.0;          // first moment of the part beyond the cut
    double I = 0.0;              // second moment about the bending axis
    double t = 0.0;              // thickness of the cut
    wchar_t const* label = L"";  // first line of the stress report
    bool tube = false;           // a tube wall cut twice: printed as 2*t
    bool endWithStop = false;    // the note ends with a full stop
};

// cl. 13.4.1.2: the shear stress limit 0.66 Phi Fy.
double ShearStressLimit(CCSA_S16_09Section const& calc) { return 0.66 * kPhi * calc.DesignFy(); }

// The shear force that brings the cut to the stress limit, Vr = fs I t / AyBar
// (0 when the cut has nothing beyond it).
double StressVr(CCSA_S16_09Section const& calc, Cut const& c) {
    return c.AyBar > 0.0 ? ShearStressLimit(calc) * c.I * c.t / c.AyBar : 0.0;
}

void StressShear(CCSA_S16_09Section const& calc, Cut const& c, double V, bool major, CMemberResult* const result) {
    CResultIndent const indent(result);
    double const fy = calc.DesignFy();
    double const fs = ShearStressLimit(calc);
    double const fvMax = V * c.AyBar / (c.I * c.t);
    double const util = fvMax / fs;
    if (result->WantsText()) {
        auto const& f = result->Format();
        CString const thickness = c.tube ? L"*2*" + f.LengthSmall(c.t / 2.0) : L"*" + f.LengthSmall(c.t);
        auto const fvText = f.Stress(fvMax);
        auto const fsText = f.Stress(fs);
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
    WriteHeader(calc, major, kClShearStressPrinted, result);
    StressShear(calc, c, V, major, result);
}

// Web shear area: (D - T1 - T2) Tw for a welded section, D Tw otherwise.
template <class Calc>
double WebShearArea(Calc const& calc) {
    double const h = calc.IsWelded() ? calc.WebDepth() : calc.GetD();
    return h * calc.GetTw();
}

// Shear yield stress fy/sqrt(3) (von Mises).
double ShearYield(CCSA_S16_09Section const& calc) { return calc.DesignFy() / std::sqrt(3.0); }

// Open sections of thin plates: the torque that brings the thickest plate
// to the shear yield stress, Tcsv = J tau / t_max.
double OpenSectionTcsv(CCSA_S16_09Section const& calc, double tMax) { return calc.J() * ShearYield(calc) / tMax; }

// Closed thin-walled sections (Bredt): Tcsv = tau 2 A0 t, A0 the area inside
// the mid-line of the wall.
double ClosedSectionTcsv(CCSA_S16_09Section const& calc, double A0, double t) {
    return ShearYield(calc) * 2.0 * A0 * t;
}

// The cuts of the stress checks, one for each shape and direction.

// I-section, minor axis: both flanges cut at the web, the outstands b1, b2
// beyond the cut.
Cut IMinorCut(CSectionCalcI const& c) {
    double const b1 = (c.GetB1() - c.GetTw()) / 2.0;
    double const b2 = (c.GetB2() - c.GetTw()) / 2.0;
    Cut cut;
    cut.AyBar = c.GetT1() * b1 * (c.GetTw() + b1) / 2.0 + c.GetT2() * b2 * (c.GetTw() + b2) / 2.0;
    cut.I = c.Iyy();
    cut.t = c.GetT1() + c.GetT2();
    cut.label = L"Max shear stress, fv_max = Vux*AyBar/(Iyy*(T1+T2))\n                        = ";
    return cut;
}

// Channel, minor axis (across the section): both flanges cut at the neutral
// axis of minor-axis bending; flange 1 dimensions serve for both.
Cut ChannelMinorCut(CSectionCalcPFC const& c) {
    double const b = c.GetB1() - c.Xbar();
    Cut cut;
    cut.AyBar = 2.0 * c.GetT1() * b * b / 2.0;
    cut.I = c.Iyy();
    cut.t = c.GetT1() + c.GetT2();
    cut.label = L"Max shear stress, fv_max = Vux*AyBar/(Iyy*2*Tf)\n                        = ";
    return cut;
}

// Tee, major axis: the stem cut at the neutral axis of major-axis bending,
// c below the top of the flange. The centroid lies at least half the flange
// below its top (c >= T/2, equal for a stem of no area): a smaller c comes
// only from rounding and would make AyBar, and the stress, negative.
Cut TeeMajorCut(CSectionCalcT const& t) {
    double const c = std::max(t.GetD() - t.Ybar(), t.GetT() / 2.0);
    Cut cut;
    cut.AyBar = t.GetTw() * (c - t.GetT()) * (c - t.GetT()) / 2.0 + t.GetT() * t.GetB() * (c - t.GetT() / 2.0);
    cut.I = t.Ixx();
    cut.t = t.GetTw();
    cut.label = L"Max shear stress, fv_max = Vux*AyBar/(Ixx*Tf)\n                        = ";
    return cut;
}

// Tee, minor axis: the flange cut at the stem, one outstand b beyond the cut.
Cut TeeMinorCut(CSectionCalcT const& t) {
    double const b = (t.GetB() - t.GetTw()) / 2.0;
    Cut cut;
    cut.AyBar = t.GetT() * b * (t.GetTw() + b) / 2.0;
    cut.I = t.Iyy();
    cut.t = t.GetT();
    cut.label = L"Max shear stress, fv_max = Vuy*AyBar/(Iyy*Tw)\n                        = ";
    return cut;
}

// Circular hollow section: the tube cut across a diameter, AyBar of one half
// (D^3 - Di^3)/12, the wall cut twice.
Cut TubeCut(CSectionCalcCHS const& c, bool major) {
    double const Di = c.GetD() - 2.0 * c.GetT();
    Cut cut;
    cut.AyBar = (c.GetD() * c.GetD() * c.GetD() - Di * Di * Di) / 12.0;
    cut.I = major ? c.Iyy() : c.Ixx();
    cut.t = 2.0 * c.GetT();
    cut.label = major ? L"Max shear stress, fv_max = Vux*AyBar/(Iyy*2T)\n                        = "
                      : L"Max shear stress, fv_max = Vuy*AyBar/(Ixx*2*T)\n                        = ";
    cut.tube = true;
    cut.endWithStop = major;
    return cut;
}

}  // namespace

// ---- I-section ----

void CSectionCalcI::CheckShearCapacityXX(double const& V, CMemberResult* const result) const {
    FlangedWebShear(*this, V, kMajorAxis, kClShearStressPrinted, result);  // printed so; the rule is cl. 13.4.1.1
}

void CSectionCalcI::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    WriteHeader(*this, kMinorAxis, kClShear, result);
    StressShear(*this, IMinorCut(*this), V, kMinorAxis, result);
}

double CSectionCalcI::ShearResistance(bool major) const {
    return major ? WebShearVr(*this, FlangedWeb(*this)).Vr : StressVr(*this, IMinorCut(*this));
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
    FlangedWebShear(*this, V, kMajorAxis, kClShear, result);
}

void CSectionCalcPFC::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    CheckStress(*this, ChannelMinorCut(*this), V, kMinorAxis, result);
}

double CSectionCalcPFC::ShearResistance(bool major) const {
    return major ? WebShearVr(*this, FlangedWeb(*this)).Vr : StressVr(*this, ChannelMinorCut(*this));
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
    CheckStress(*this, TeeMajorCut(*this), V, kMajorAxis, result);
}

void CSectionCalcT::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    CheckStress(*this, TeeMinorCut(*this), V, kMinorAxis, result);
}

double CSectionCalcT::ShearResistance(bool major) const {
    return StressVr(*this, major ? TeeMajorCut(*this) : TeeMinorCut(*this));
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
    WriteHeader(*this, kMajorAxis, kClShear, result);
    WebShear(*this, TubeWebs(*this, kMajorAxis), V, kMajorAxis, result);
}

// Across the section: the two flanges, the walls parallel to B (thickness
// tf, between the webs of thickness tw).
void CSectionCalcRHS::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    WriteHeader(*this, kMinorAxis, kClShear, result);
    WebShear(*this, TubeWebs(*this, kMinorAxis), V, kMinorAxis, result);
}

double CSectionCalcRHS::ShearResistance(bool major) const { return WebShearVr(*this, TubeWebs(*this, major)).Vr; }

CString CSectionCalcRHS::ShearResistedBy(bool major) const {
    CString const k = ClearWidthCorners() == 2.0 ? L"2" : L"4";
    CString const alongDepth = L"webs (the two walls of depth D), hw = D - " + k + L"*tf";
    CString const across = L"flanges (the two walls of width B), hw = B - " + k + L"*tw";
    return ResistedBy(major, alongDepth.c_str(), across.c_str());
}

double CSectionCalcRHS::TorsionCapacity(CMemberResult* const) const {
    // The area inside the wall mid-lines: the width less one side wall
    // (tw), the depth less one flange wall (tf).
    double const A0 = (GetB() - GetTw()) * (GetD() - GetTf());
    return ClosedSectionTcsv(*this, A0, std::min(GetTf(), GetTw()));
}

// ---- circular hollow section ----

void CSectionCalcCHS::CheckShearCapacityXX(double const& V, CMemberResult* const result) const {
    if (!result) return;
    CheckStress(*this, TubeCut(*this, kMajorAxis), V, kMajorAxis, result);
}

void CSectionCalcCHS::CheckShearCapacityYY(double const& V, CMemberResult* const result) const {
    if (!result) return;
    CheckStress(*this, TubeCut(*this, kMinorAxis), V, kMinorAxis, result);
}

double CSectionCalcCHS::ShearResistance(bool major) const { return StressVr(*this, TubeCut(*this, major)); }

CString CSectionCalcCHS::ShearResistedBy(bool major) const { return ResistedBy(major, L"tube wall", L"tube wall"); }

double CSectionCalcCHS::TorsionCapacity(CMemberResult* const) const {
    double const t = GetT();
    double const A0 = kPi * (GetD() - t) * (GetD() - t) / 4.0;
    return ClosedSectionTcsv(*this, A0, t);
}

}  // namespace Corvid::Steel::SteelCSAS1609
