// Torsional and flexural-torsional buckling resistance of the shape
// calculators (CSA S16-09 cl. 13.3.2), with the resistance curve of
// cl. 13.3.1 applied to the elastic stress of the buckling mode.
#include <algorithm>
#include <cmath>

#include "framework/DesignConstants.h"
#include "framework/MemberResult.h"
#include "section/ReportClauses.h"
#include "shapes/SectionCalcAngle.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {

using Corvid::Design::kInfinity;
using Corvid::Design::kPhi;
constexpr double PiSq = Corvid::Design::kPi * Corvid::Design::kPi;

bool Reporting(CMemberResult* const result) { return result != nullptr && result->WantsText(); }

// Section values of cl. 13.3.2 about the axes of one shape: x and y, or the
// principal axes u and v of an angle (which has no warping term).
struct TorsionSection {
    bool principal = false;         // angle: u-v axes, no Cw
    bool warping = true;            // false: Cw = 0, Le does not enter Fez
    double A = 0.0;                 // gross area
    double I1 = 0.0, I2 = 0.0;      // Ixx, Iyy (angle: Iuu, Ivv)
    double off1 = 0.0, off2 = 0.0;  // shear-centre offsets x_0, y_0 (angle: u_0, v_0)
    double Cw = 0.0, J = 0.0;

    double r1() const { return std::sqrt(I1 / A); }
    double r2() const { return std::sqrt(I2 / A); }
    // r_0^2 = r_x^2 + r_y^2 + x_0^2 + y_0^2
    double r0sq() const { return I1 / A + I2 / A + off1 * off1 + off2 * off2; }
};

// The gross values of the shape's own geometry Geom: A, Ixx, Iyy, Cw and J.
template <class Geom>
TorsionSection GrossSection(Geom const& g) {
    TorsionSection s;
    s.A = g.Geom::Area();
    s.I1 = g.Geom::Ixx();
    s.I2 = g.Geom::Iyy();
    s.Cw = g.Geom::Cw();
    s.J = g.Geom::J();
    return s;
}

// The resistance curve of cl. 13.3.1 with Fe the elastic stress of the mode.
struct Resistance {
    double Fy = 0.0, Aeff = 0.0, n = 0.0, Lambda = 0.0, Cr = 0.0;
};

Resistance Curve(CCSA_S16_09Section const& calc, double A, double Fe) {
    Resistance r;
    r.Fy = calc.DesignFy();
    r.Aeff = calc.AreaCompEffective();
    r.n = calc.CurveExponent(A);
    // Lambda = sqrt(Fy/Fe); 0 when the mode cannot occur (Fe infinite).
    r.Lambda = (std::isinf(Fe) || r.Fy == 0.0) ? 0.0 : std::sqrt(r.Fy / Fe);
    // Cr = Phi Aeff Fy (1 + Lambda^2n)^(-1/n)
    r.Cr = kPhi * r.Aeff * r.Fy * calc.CurveFactor(r.Lambda, r.n);
    return r;
}

// The section lines shared by CrT and CrFT: radii, offsets, r_0^2, Cw and
// J, E and G.
void WriteSectionLines(CMemberResult* const result, TorsionSection const& s, double E, double G) {
    auto const& f = result->Format();
    if (s.principal) {
        result->AddOutputString(L"r_u = sqrt(Iuu/Area) = sqrt(" + f.LFourth(s.I1) + L"/" + f.AreaCS(s.A) + L") =" +
                                f.LengthSmall(s.r1()) + L"\n");
        result->AddOutputString(L"r_v = sqrt(Ivv/Area) = sqrt(" + f.LFourth(s.I2) + L"/" + f.AreaCS(s.A) + L") =" +
                                f.LengthSmall(s.r2()) + L"\n");
        result->AddOutputString(L"u_0 = " + f.LengthSmall(s.off1));
        result->AddOutputString(L", v_0 = " + f.LengthSmall(s.off2) + L"\n");
        result->AddOutputString(L"r_0^2 = r_u^2 + r_v^2 + u_0^2 + v_0^2 = " + f.AreaCS(s.r0sq()) + L"\n");
        result->AddOutputString(L"J = " + f.LFourth(s.J) + L"\n");
    } else {
        result->AddOutputString(L"r_x = sqrt(Ixx/Area) = sqrt(" + f.LFourth(s.I1) + L"/" + f.AreaCS(s.A) + L") =" +
                                f.LengthSmall(s.r1()) + L"\n");
        result->AddOutputString(L"r_y = sqrt(Iyy/Area) = sqrt(" + f.LFourth(s.I2) + L"/" + f.AreaCS(s.A) + L") =" +
                                f.LengthSmall(s.r2()) + L"\n");
        result->AddOutputString(L"x_0 = " + f.LengthSmall(s.off1));
        result->AddOutputString(L", y_0 = " + f.LengthSmall(s.off2) + L"\n");
        result->AddOutputString(L"r_0^2 = r_x^2 + r_y^2 + x_0^2 + y_0^2 = " + f.AreaCS(s.r0sq()) + L"\n");
        result->AddOutputString(L"Cw = " + f.LSixth(s.Cw));
        result->AddOutputString(L", J = " + f.LFourth(s.J) + L"\n");
    }
    result->AddOutputString(L"E = " + f.Stress(E));
    result->AddOutputString(L", G = " + f.Stress(G) + L"\n");
}

// The Lambda and Cr lines; label names the elastic stress in the Lambda line.
void WriteCurveLines(CMemberResult* const result, wchar_t const* label, double Fe, Resistance const& r) {
    auto const& f = result->Format();
    result->AddOutputString(CLine(L"Lambda = sqrt(Fy/") + label + L") = sqrt( " + f.Stress(r.Fy) + L" / " +
                            f.Stress(Fe) + L") = " + f.NoDim(r.Lambda) + L"\n");
    result->AddOutputString(L"Cr = Phi*A*Fy*(1+Lambda^(2*n))^-(1/n)\n   = Phi*" + f.AreaCS(r.Aeff) + L"*" +
                            f.Stress(r.Fy) + L"*(1+" + f.NoDim(r.Lambda) + L"^(2*" + f.NoDim(r.n) + L"))^-(1/" +
                            f.NoDim(r.n) + L")\n   = " + f.Force(r.Cr) + L"\n");
}

// Torsional buckling, cl. 13.3.2: Fez = (pi^2 E Cw / Le^2 + G J) / (A r_0^2).
// fezText is the shape's wording of the Fez line (up to "= ").
double TorsionalResistance(CCSA_S16_09Section const& calc, TorsionSection const& s, wchar_t const* fezText, double Le,
                           double& Fez, CMemberResult* const result) {
    bool const text = Reporting(result);
    if (text)
        result->AddOutputString(L"Determination of CrT due to Torsional-buckling\n\t<i>ref. " + calc.CodeName() +
                                kClTorsionalBuckling + L"</i>\n");
    double const E = calc.YoungsModulus();
    double const G = calc.ShearModulus();
    double const r0sq = s.r0sq();
    if (Le == 0.0) {
        Fez = kInfinity;  // no length, no torsional buckling
    } else {
        double warp = s.warping ? PiSq * E * s.Cw / (Le * Le) : 0.0;
        // A length that is not a number leaves the warping term unknown: it
        // is taken at its least value, that of an infinitely long member.
        if (std::isnan(warp)) warp = 0.0;
        Fez = (warp + G * s.J) / (s.A * r0sq);
    }
    Resistance const r = Curve(calc, s.A, Fez);
    CResultIndent const indent(text ? result : nullptr);
    if (text) {
        WriteSectionLines(result, s, E, G);
        result->AddOutputString(fezText + result->Format().Stress(Fez) + L"\n");
        WriteCurveLines(result, L"Fez", Fez, r);
    }
    return r.Cr;
}

// Wording of the flexural-torsional lines of one shape.
struct FlexTorsionText {
    wchar_t const* omega;   // "Omega = 1-(...)/r_0^2 = "
    wchar_t const* feft;    // "Fexz = ... ="
    wchar_t const* lambda;  // label of the stress in the Lambda line
};

// Flexural-torsional buckling of a singly symmetric section, cl. 13.3.2:
// Omega = 1 - (x_0^2 + y_0^2) / r_0^2,
// FeFT = (Fe1 + Fez) / (2 Omega) (1 - sqrt(1 - 4 Fe1 Fez Omega / (Fe1 + Fez)^2)),
// Fe1 the flexural stress about the axis of symmetry.
double FlexuralTorsionalResistance(CCSA_S16_09Section const& calc, TorsionSection const& s, FlexTorsionText const& t,
                                   double Fe1, double Fez, double& FeFT, CMemberResult* const result) {
    bool const text = Reporting(result);
    if (text)
        result->AddOutputString(L"Determination of CrFT due to Flexural-Torsional buckling\n\t<i>ref. " +
                                calc.CodeName() + kClTorsionalBuckling + L"</i>\n");
    double const E = calc.YoungsModulus();
    double const G = calc.ShearModulus();
    double const r0sq = s.r0sq();
    double const Omega = 1.0 - (s.off1 * s.off1 + s.off2 * s.off2) / r0sq;
    if (!std::isfinite(Fe1) || !std::isfinite(Fez)) {
        FeFT = kInfinity;  // one mode cannot occur, so neither can the coupled one
    } else if (Fe1 <= 0.0 || Fez <= 0.0) {
        FeFT = 0.0;  // no elastic resistance in one mode: none coupled
    } else {
        // The formula above multiplied out with its conjugate
        // (1 + sqrt(...)), which keeps its precision when Fe1 and Fez are
        // far apart: FeFT = 2 Fe1 Fez / ((Fe1 + Fez)(1 + sqrt(1 - 4 Fe1 Fez Omega / (Fe1 + Fez)^2))).
        double const sum = Fe1 + Fez;
        double const root = std::sqrt(std::max(0.0, 1.0 - 4.0 * Fe1 * Fez * Omega / (sum * sum)));
        FeFT = 2.0 * Fe1 * Fez / (sum * (1.0 + root));
    }
    Resistance const r = Curve(calc, s.A, FeFT);
    CResultIndent const indent(text ? result : nullptr);
    if (text) {
        auto const& f = result->Format();
        WriteSectionLines(result, s, E, G);
        result->AddOutputString(t.omega + f.NoDim(Omega) + L"\n");
        result->AddOutputString(t.feft + f.Stress(FeFT) + L"\n");
        WriteCurveLines(result, t.lambda, FeFT, r);
    }
    return r.Cr;
}

}  // namespace

// ---- I section: shear centre on the web, at the centroid when symmetric ----

namespace {
TorsionSection ISection(CSectionCalcI const& c) {
    TorsionSection s = GrossSection<CDesSectGeomI>(c);
    if (!c.IsXXSymmetric()) {
        // Unequal flanges: the shear centre lies between the flange centres at
        // h0 I1/(I1 + I2) above flange 2, with Ii = Ti Bi^3/12 and
        // h0 = D - (T1 + T2)/2 (thin-walled theory); y_0 is its distance from
        // the centroid (Ybar from the bottom face).
        double const I1 = c.GetT1() * c.GetB1() * c.GetB1() * c.GetB1() / 12.0;
        double const I2 = c.GetT2() * c.GetB2() * c.GetB2() * c.GetB2() / 12.0;
        double const h0 = c.GetD() - (c.GetT1() + c.GetT2()) / 2.0;
        double const ys = c.GetT2() / 2.0 + h0 * I1 / (I1 + I2);
        s.off2 = ys - c.CDesSectGeomI::Ybar();
    }
    return s;
}
}  // namespace

double CSectionCalcI::CrT(double Le, double& Fez, CMemberResult* const result) const {
    return TorsionalResistance(*this, ISection(*this), L"Fez = ( PI*PI*E*Cw/(Le^2) + G*J) / (A*r_0^2)= ", Le, Fez,
                               result);
}

// A doubly symmetric I section does not buckle in a coupled mode. With
// unequal flanges the shear centre leaves the centroid along the axis of
// symmetry y, and flexure about y couples with torsion as for a tee
// (CSA S16-09 cl. 13.3.2, singly symmetric sections).
double CSectionCalcI::CrFT(double, double Fey, double Fez, double& FeFT, CMemberResult* const result) const {
    if (IsXXSymmetric()) return kInfinity;
    static constexpr FlexTorsionText text{
        L"Omega = 1-(x_0^2+y_0^2)/r_0^2 = ",
        L"Feyz = (Fey+Fez)/(2*Omega) *(1-sqrt(1-4*Fey*Fez*Omega/(Fey+Fez)^2)) =",
        L"Feyz",
    };
    return FlexuralTorsionalResistance(*this, ISection(*this), text, Fey, Fez, FeFT, result);
}

// ---- channel: shear centre behind the web, on the axis of symmetry x ----

// The shear centre x_0 of cl. 13.3.2 needs e, the distance from the web
// mid-line to the shear centre (on the side away from the flanges), of a
// thin-walled channel (Galambos; AISC Design Guide 9): the flange shear
// flows, T1 b'^2 h' V / (4 Ix) each, balance V e about the web, with b' =
// B1 - Tw/2 to the web mid-line and h' = D - T1 between the flange mid-lines:
//   e = (b' h')^2 T1 / (4 Ix).
// Ix is the gross Ixx of the channel itself (root fillets and flange slope
// included); with the thin-walled Ix = h'^2 (6 b' T1 + h' Tw) / 12 it reads
// e = 3 b'^2 T1 / (6 b' T1 + h' Tw), the tabulated form.
double ChannelShearCentreFromWeb(Corvid::Steel::CDesSectGeomPFC const& g) {
    double const arm = (g.GetB1() - g.GetTw() / 2.0) * (g.GetD() - g.GetT1());
    return arm * arm * g.GetT1() / (4.0 * g.CDesSectGeomPFC::Ixx());
}

namespace {
TorsionSection ChannelSection(CSectionCalcPFC const& c) {
    TorsionSection s = GrossSection<CDesSectGeomPFC>(c);
    // From the centroid: x_0 = e + Xbar - Tw/2 (Xbar from the back of the web).
    s.off1 = ChannelShearCentreFromWeb(c) + c.CDesSectGeomPFC::Xbar() - c.GetTw() / 2.0;
    return s;
}
}  // namespace

double CSectionCalcPFC::CrT(double Le, double& Fez, CMemberResult* const result) const {
    return TorsionalResistance(*this, ChannelSection(*this), L"Fez = (PI*PI*E*Cw/(Le^2)+G*J)/(A*r_0^2)= ", Le, Fez,
                               result);
}

double CSectionCalcPFC::CrFT(double Fex, double, double Fez, double& FeFT, CMemberResult* const result) const {
    static constexpr FlexTorsionText text{
        L"Omega = 1-(x_0^2+Y_0^2)/r_0^2 = ",
        L"Fexz = (Fex+Fez)/(2*Omega) *(1-sqrt(1-4*Fex*Fez*Omega/(Fex+Fez)^2)) =",
        L"Fexz",
    };
    return FlexuralTorsionalResistance(*this, ChannelSection(*this), text, Fex, Fez, FeFT, result);
}

// ---- tee: shear centre at the flange mid-plane, on the axis of symmetry y ----

namespace {
TorsionSection TeeSection(CSectionCalcT const& c) {
    TorsionSection s = GrossSection<CDesSectGeomT>(c);
    // y_0 = D - Ybar - T/2 (Ybar from the tip of the stem).
    s.off2 = c.GetD() - c.CDesSectGeomT::Ybar() - c.GetT() / 2.0;
    return s;
}
}  // namespace

double CSectionCalcT::CrT(double Le, double& Fez, CMemberResult* const result) const {
    return TorsionalResistance(*this, TeeSection(*this), L"Fez = (PI*PI*E*Cw/(Le^2)+G*J)/(A*r_0^2)= ", Le, Fez, result);
}

double CSectionCalcT::CrFT(double, double Fey, double Fez, double& FeFT, CMemberResult* const result) const {
    static constexpr FlexTorsionText text{
        L"Omega = 1-(x_0^2+y_0^2)/r_0^2 = ",
        L"Feyz = (Fey+Fez)/(2*Omega) *(1-sqrt(1-4*Fey*Fez*Omega/(Fey+Fez)^2)) =",
        L"Feyz",
    };
    return FlexuralTorsionalResistance(*this, TeeSection(*this), text, Fey, Fez, FeFT, result);
}

// ---- rectangular hollow section: shear centre at the centroid, no warping ----

double CSectionCalcRHS::CrT(double Le, double& Fez, CMemberResult* const result) const {
    TorsionSection s = GrossSection<CDesSectGeomRHS>(*this);
    s.warping = false;  // Cw = 0: Fez = G J / (A r_0^2)
    return TorsionalResistance(*this, s, L"Fez = ( PI*PI*E*Cw/(Le^2) + G*J) / (A*r_0^2)= ", Le, Fez, result);
}

// Doubly symmetric: flexural-torsional buckling does not govern.
double CSectionCalcRHS::CrFT(double, double, double, double&, CMemberResult* const) const { return kInfinity; }

// ---- angle: principal axes, shear centre at the junction of the legs ----

namespace {
TorsionSection AngleSection(CSectionCalcAngle const& c) {
    TorsionSection s;
    s.principal = true;
    s.warping = false;  // Fez = G J / (A r_0^2): Le enters only as Le = 0
    s.A = c.CDesSectGeomAngle::Area();
    s.I1 = c.CDesSectGeomAngle::Iuu();
    s.I2 = c.CDesSectGeomAngle::Ivv();
    s.J = c.CDesSectGeomAngle::J();
    // u_0 = sqrt((Ybar - t/2)^2 + (Xbar - t/2)^2), v_0 = 0 (heel at the origin).
    double const t = c.CDesSectGeomAngle::GetThickness();
    double const dy = c.CDesSectGeomAngle::Ybar() - t / 2.0;
    double const dx = c.CDesSectGeomAngle::Xbar() - t / 2.0;
    s.off1 = std::sqrt(dy * dy + dx * dx);
    return s;
}
}  // namespace

double CSectionCalcAngle::CrT(double Le, double& Fez, CMemberResult* const result) const {
    return TorsionalResistance(*this, AngleSection(*this), L"Fez = (G*J)/(A*r_0^2)= ", Le, Fez, result);
}

// Fey carries the v-v stress of the angle (its report calls it Fev).
double CSectionCalcAngle::CrFT(double, double Fey, double Fez, double& FeFT, CMemberResult* const result) const {
    static constexpr FlexTorsionText text{
        L"Omega = 1-(u_0^2+v_0^2)/r_0^2 = ",
        L"Fevz = (Fev+Fez)/(2*Omega) *(1-sqrt(1-4*Fev*Fez*Omega/(Fev+Fez)^2)) =",
        L"FeFT",
    };
    return FlexuralTorsionalResistance(*this, AngleSection(*this), text, Fey, Fez, FeFT, result);
}

}  // namespace Corvid::Steel::SteelCSAS1609
