#pragma once
// Circular hollow sections.
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcCHS : public detail::CShapeCalc<CSectionCalcCHS, Corvid::Steel::CDesSectGeomCHS> {
public:
    CSectionCalcCHS* Clone() const override { return new CSectionCalcCHS(*this); }

    double Depth() const override { return GetD(); }
    double MaxThick() const override { return GetT(); }
    // The grade's strength, capped for local buckling of the wall.
    double DesignStressMin() const override;

    bool IsCircular() const override { return true; }
    bool IsDoublySymmetric() const override { return true; }
    bool IsHollow() const override { return true; }
    bool IsIorHSection() const override { return false; }
    bool IsRectangular() const override { return false; }
    bool IsSquare() const override { return false; }
    bool IsStrutAndTieOnly() const override { return false; }
    bool IsVVSpanExist() const override { return false; }
    bool IsSectionXXStrut() const override { return false; }
    bool IsSectionYYStrut() const override { return false; }

    void MirrorXX() override { CCSA_S16_09Section::MirrorXX(); }

    // ---- compression resistance (CSA S16-09 cl. 13.3.1), on the gross area ----
    double Cr(double Le, double& Fe, CMemberResult* const result) const {
        return CrCompute(Le, Fe, CDesSectGeomCHS::Ixx(), L"", L"Fe", CDesSectGeomCHS::Area(), result);
    }
    double Crxx(double Le, double& Fe, CMemberResult* const result) const override { return Cr(Le, Fe, result); }
    double Cryy(double Le, double& Fe, CMemberResult* const result) const override { return Cr(Le, Fe, result); }

    // A round tube does not buckle torsionally: these modes never govern.
    double CrT(double, double&, CMemberResult* const) const override { return Corvid::Design::kInfinity; }
    double CrFT(double, double, double, double&, CMemberResult* const) const override {
        return Corvid::Design::kInfinity;
    }
    // No lateral-torsional buckling: the resistance is the section's.
    double Mcr(double const&, double, CMemberResult* const) const override { return 0.0; }
    double Mbxx(double, CMemberResult* const) const override { return Mrxx(nullptr); }
    // Local buckling of the wall is covered by the capped design stress.
    double MrDashxx(CMemberResult* const result) const override { return Mrxx(result); }
    double MrDashyy(CMemberResult* const result) const override { return Mrxx(result); }
    void CheckShearCapacityXX(double const& V, CMemberResult* const result) const override;
    void CheckShearCapacityYY(double const& V, CMemberResult* const result) const override;
    CString ShearResistedBy(bool major) const override;
    double ShearResistance(bool major) const override;
    double TorsionCapacity(CMemberResult* const result) const override;

    // ---- local buckling classification (CSA S16-09 cl. 11.2) ----
    BucklingClass BucklingClassXX(CMemberResult* const result) const override;
    BucklingClass BucklingClassYY(CMemberResult* const result) const override { return BucklingClassXX(result); }
    BucklingClass BucklingClassAxial(CMemberResult* const result) const override;
    BucklingClass BucklingClassOverAll(CMemberResult* const result) const override;

    // ---- effective section properties: the gross ones ----
    double AreaCompEffective() const override { return Area(); }
    double XbarCompEffective() const override { return Xbar(); }
    double YbarCompEffective() const override { return Ybar(); }
    double YbarXXEffective() const override { return Ybar(); }
    double XbarYYEffective() const override { return Xbar(); }
    double ZxxEffective() const override { return Zxx(); }
    double ZyyEffective() const override { return Zyy(); }

private:
    BucklingClass BendingClass() const;
    bool AxialSlender() const;
};

}  // namespace Corvid::Steel::SteelCSAS1609
