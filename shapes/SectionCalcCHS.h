#pragma once
// Circular hollow sections.
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcCHS : public CCSA_S16_09Section, public Corvid::Steel::CDesSectGeomCHS {
public:
    CSectionCalcCHS() = default;
    CSectionCalcCHS(CSectionCalcCHS const&) = default;
    CSectionCalcCHS& operator=(CSectionCalcCHS const&) = default;
    ~CSectionCalcCHS() override = default;

    CSectionCalcCHS* Clone() const override { return new CSectionCalcCHS(*this); }

    S16_CALC_GEOMETRY_PASS_THROUGH(Corvid::Steel::CDesSectGeomCHS)

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

    // ---- local buckling classification (CSA S16-09 cl. 11.2) ----
    BucklingClass BucklingClassXX(CMemberResult* const result) override;
    BucklingClass BucklingClassYY(CMemberResult* const result) override { return BucklingClassXX(result); }
    BucklingClass BucklingClassAxial(CMemberResult* const result) override;
    BucklingClass BucklingClassOverAll(CMemberResult* const result) override;

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
