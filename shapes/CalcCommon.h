#pragma once
// Pieces shared by the six shape calculators.
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <typeinfo>

#include "framework/MemberResult.h"
#include "framework/SectGeom.h"
#include "framework/Section.h"
#include "section/CSA_S16_09Section.h"

namespace Corvid::Steel::SteelCSAS1609::detail {

// other as the calculator Calc it must be (std::bad_cast otherwise): the
// exact type compared once, cheaper than a dynamic_cast through both bases.
template <class Calc>
Calc const& SameShape(CCSA_S16_09Section const& other) {
    if (typeid(other) != typeid(Calc)) throw std::bad_cast();
    return static_cast<Calc const&>(other);
}

// An effective area or modulus: the formulas subtract the ineffective parts
// from the gross section, which for extreme proportions (legs or flanges
// hundreds of thicknesses wide, flanges thinner than their fillets) can take
// away more than there is, or divide by an effective area of zero. No
// effective section is left then: zero (NaN included), never a negative
// value that would read as a negative resistance.
inline double NoLessThanZero(double v) { return v > 0.0 ? v : 0.0; }

// The smaller elastic modulus about x of the effective section whose extreme
// fibres lie at y = 0 and y = D, never below 0.
template <class Calc>
double EffectiveModulusXX(Calc const& c, double D) {
    double const ye = c.YbarXXEffective();
    double const Ie = c.IxxEffective();
    return NoLessThanZero(std::min(Ie / std::fabs(D - ye), Ie / std::fabs(ye)));
}

// Ixx of the effective section of an I or channel in major-axis bending: the
// compression flange (flange 1 on top when Mx < 0, flange 2 otherwise), when
// slender, loses the width w = lostWidth(Bi, Ti) at its mid-plane yi. About
// the base, I0 = A ybar^2 + Ixx less w Ti yi^2 + Ti^3 w / 12; about the
// effective centroid ye, less ye^2 Ae.
template <class Calc, class LostWidth>
double FlangedIxxEffective(Calc const& c, bool slender1, bool slender2, LostWidth lostWidth) {
    double const A = c.Area();
    double const yb = c.Ybar();
    double const I0 = A * yb * yb + c.Ixx();
    double sub = 0.0;
    bool const top = c.MomentXX() < 0.0;
    if (top ? slender1 : slender2) {
        double const Bi = top ? c.GetB1() : c.GetB2();
        double const Ti = top ? c.GetT1() : c.GetT2();
        double const w = lostWidth(Bi, Ti);
        double const yi = top ? c.GetD() - c.GetT1() / 2.0 : c.GetT2() / 2.0;
        sub += yi * yi * (w * Ti) + Ti * Ti * Ti * w / 12.0;
    }
    double const ye = c.YbarXXEffective();
    return I0 - sub - ye * ye * c.AreaXXEffective();
}

// Loads a calculator from the host section: the geometry first, then the
// framework base; then the fabrication type decides. Rolled (0) and welded
// (1) sections are accepted; cold-formed (2, 4) and built-up (3) sections are
// refused with a message, any other type silently.
template <class Calc, class Geom>
bool LoadSection(Calc& calc, Corvid::Data::CSection const& section, CMemberResult* const result) {
    // A section the geometry cannot take leaves the old fabrication type in
    // place: refuse it before that type could speak for the new section.
    if (!calc.Geom::SetCorvidSec(section, result)) return false;
    bool const ok = calc.CSectionCodeBase::SetCorvidSec(section, result);
    switch (calc.Geom::FabricationType()) {
        case 0:
        case 1: return ok;
        case 2:
            if (result && result->WantsText())
                result->AddOutputString(L"<red>Cold formed sections are not yet supported</red>\n");
            return false;
        case 3:
            if (result && result->WantsText())
                result->AddOutputString(L"<red>Welded or built up sections are not yet supported</red>\n");
            return false;
        case 4:
            if (result) result->AddOutputString(L"<red>Cold formed sections are not yet supported</red>\n");
            return false;
        default: return false;
    }
}

// Flexural buckling resistance about axis 0 (xx), 1 (yy), 2 (uu) or 3 (vv)
// of the shape's own geometry; any other axis has no radius of gyration.
template <class Calc, class Geom>
double CrByAxis(Calc const& calc, double Le, double& Fe, int axis, CMemberResult* const result) {
    double const A = calc.AreaCompEffective();
    switch (axis) {
        case 0: return calc.CrCompute(Le, Fe, calc.Geom::Ixx(), L"xx", L"Fex", A, result);
        case 1: return calc.CrCompute(Le, Fe, calc.Geom::Iyy(), L"yy", L"Fey", A, result);
        case 2: return calc.CrCompute(Le, Fe, calc.Geom::Iuu(), L"uu", L"Feu", A, result);
        case 3: return calc.CrCompute(Le, Fe, calc.Geom::Ivv(), L"vv", L"Fev", A, result);
        default: return calc.CrCompute(Le, Fe, 0.0, L"", L"", A, result);
    }
}

// The base of each shape calculator Calc over its geometry Geom: the gross
// properties and geometric answers pass through from the geometry unchanged
// (one override serves both the section interface and the geometry
// interface), the section loads through LoadSection and the flexural
// buckling resistance about each axis is CrByAxis. (Clone stays with each
// calculator: its covariant return type needs the complete class.)
template <class Calc, class Geom>
class CShapeCalc : public CCSA_S16_09Section, public Geom {
public:
    void Assign(CCSA_S16_09Section const& other) override { Self() = SameShape<Calc>(other); }

    double Area() const override { return Geom::Area(); }
    double Ybar() const override { return Geom::Ybar(); }
    double Xbar() const override { return Geom::Xbar(); }
    double Ixx() const override { return Geom::Ixx(); }
    double Iyy() const override { return Geom::Iyy(); }
    double Ixy() const override { return Geom::Ixy(); }
    double Sxx() const override { return Geom::Sxx(); }
    double Syy() const override { return Geom::Syy(); }
    double Zxx() const override { return Geom::Zxx(); }
    double Zyy() const override { return Geom::Zyy(); }
    double J() const override { return Geom::J(); }
    double Cw() const override { return Geom::Cw(); }
    double Alpha() const override { return Geom::Alpha(); }
    double Iuu() const override { return Geom::Iuu(); }
    double Ivv() const override { return Geom::Ivv(); }
    double GeometryArea() const override { return Geom::Area(); }
    CString SectPropString(Corvid::Util::CDesFormat const& format) override {
        return Geom::SectGeomString(format) + CCSA_S16_09Section::SectPropString(format);
    }
    bool IsWelded() const override { return Geom::IsWelded(); }
    bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result) override {
        return LoadSection<Calc, Geom>(Self(), section, result);
    }

    // ---- compression resistance (CSA S16-09 cl. 13.3.1) ----
    enum Axis { XX = 0, YY = 1, UU = 2, VV = 3 };
    double Cr(double Le, double& Fe, Axis axis, CMemberResult* const result) const {
        return CrByAxis<Calc, Geom>(static_cast<Calc const&>(*this), Le, Fe, axis, result);
    }
    double Crxx(double Le, double& Fe, CMemberResult* const result) const override { return Cr(Le, Fe, XX, result); }
    double Cryy(double Le, double& Fe, CMemberResult* const result) const override { return Cr(Le, Fe, YY, result); }

protected:
    Corvid::Steel::CDesSectGeom const* SectionGeometry() const override { return this; }

private:
    Calc& Self() { return static_cast<Calc&>(*this); }
};

}  // namespace Corvid::Steel::SteelCSAS1609::detail

// The resistance operations that the I, channel, tee and RHS calculators
// each compute for themselves (CSA S16-09 cl. 13.3.2, 13.4, 13.5, 13.6).
#define S16_CALC_RESISTANCES                                                                                   \
    double CrT(double Le, double& Fez, CMemberResult* const result) const override;                            \
    double CrFT(double Fex, double Fey, double Fez, double& FeFT, CMemberResult* const result) const override; \
    double Mcr(double const& Le, double w2, CMemberResult* const result) const override;                       \
    double Mbxx(double Mu, CMemberResult* const result) const override;                                        \
    double MrDashxx(CMemberResult* const result) const override;                                               \
    double MrDashyy(CMemberResult* const result) const override;                                               \
    void CheckShearCapacityXX(double const& V, CMemberResult* const result) const override;                    \
    void CheckShearCapacityYY(double const& V, CMemberResult* const result) const override;                    \
    CString ShearResistedBy(bool major) const override;                                                        \
    double ShearResistance(bool major) const override;                                                         \
    double TorsionCapacity(CMemberResult* const result) const override;
