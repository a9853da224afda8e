#pragma once
// Single angles (always struts and ties).
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcAngle : public detail::CShapeCalc<CSectionCalcAngle, Corvid::Steel::CDesSectGeomAngle> {
public:
    CSectionCalcAngle* Clone() const override { return new CSectionCalcAngle(*this); }

    double Depth() const override { return GetDepth(); }
    double MaxThick() const override { return GetThickness(); }

    bool IsCircular() const override { return false; }
    bool IsDoublySymmetric() const override { return false; }
    bool IsHollow() const override { return false; }
    bool IsIorHSection() const override { return false; }
    bool IsRectangular() const override { return false; }
    bool IsSquare() const override { return false; }
    bool IsStrutAndTieOnly() const override { return true; }
    bool IsVVSpanExist() const override { return true; }
    bool IsSectionXXStrut() const override { return true; }
    bool IsSectionYYStrut() const override { return true; }

    void MirrorXX() override { CCSA_S16_09Section::MirrorXX(); }
    // Reflects the section and its actions about the 45 degree line.
    void Reflect45() override;

    // ---- compression resistance (CSA S16-09 cl. 13.3.1) ----
    double Cruu(double Le, double& Fe, CMemberResult* const result) const override { return Cr(Le, Fe, UU, result); }
    double Crvv(double Le, double& Fe, CMemberResult* const result) const override { return Cr(Le, Fe, VV, result); }

    double CrT(double Le, double& Fez, CMemberResult* const result) const override;
    double CrFT(double Fex, double Fey, double Fez, double& FeFT, CMemberResult* const result) const override;
    // A single angle is a strut or tie: no bending resistance is offered.
    double Mcr(double const&, double, CMemberResult* const) const override { return 0.0; }
    double Mbxx(double, CMemberResult* const) const override { return 0.0; }
    double MrDashxx(CMemberResult* const) const override { return 0.0; }
    double MrDashyy(CMemberResult* const) const override { return 0.0; }
    // Shear on a single angle is not checked: any shear fails (+infinity).
    void CheckShearCapacityXX(double const& V, CMemberResult* const result) const override;
    void CheckShearCapacityYY(double const& V, CMemberResult* const result) const override;
    CString ShearResistedBy(bool) const override { return L"not checked: a single angle carries axial force only"; }
    double TorsionCapacity(CMemberResult* const) const override { return 0.0; }

    // ---- local buckling classification (CSA S16-09 cl. 11.2) ----
    // An angle is classified leg by leg; its axis classes are not covered.
    BucklingClass BucklingClassXX(CMemberResult* const) const override { return Invalid; }
    BucklingClass BucklingClassYY(CMemberResult* const) const override { return Invalid; }
    BucklingClass BucklingClassAxial(CMemberResult* const) const override { return Invalid; }
    BucklingClass BucklingClassOverAll(CMemberResult* const result) const override;
    BucklingClass BucklingClassLegD() const;  // the leg of length GetDepth()
    BucklingClass BucklingClassLegB() const;  // the leg of length GetWidth()

    // ---- effective section properties ----
    double AreaCompEffective() const override;
    double XbarCompEffective() const override { return 0.0; }
    double YbarCompEffective() const override { return 0.0; }
    double YbarXXEffective() const override { return 0.0; }
    double XbarYYEffective() const override { return 0.0; }
    double ZxxEffective() const override { return 0.0; }
    double ZyyEffective() const override { return 0.0; }

private:
    // Leg limit: 200/sqrt(Fy) under CSA S16-09, 250/sqrt(Fy) under CSA S16-14.
    double LegLimit() const;
    BucklingClass LegClass(double leg) const;
};

}  // namespace Corvid::Steel::SteelCSAS1609
