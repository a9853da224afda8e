#pragma once
// I and H sections (equal or unequal flanges; flange 1 at the top).
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcI : public detail::CShapeCalc<CSectionCalcI, Corvid::Steel::CDesSectGeomI> {
public:
    CSectionCalcI* Clone() const override { return new CSectionCalcI(*this); }
    // A full copy, returned as its geometry.
    virtual Corvid::Steel::CDesSectGeomI* CloneGeom() const { return new CSectionCalcI(*this); }

    double Depth() const override { return GetD(); }
    double MaxThick() const override;

    bool IsCircular() const override { return false; }
    bool IsDoublySymmetric() const override { return IsXXSymmetric(); }
    bool IsHollow() const override { return false; }
    bool IsIorHSection() const override { return true; }
    bool IsRectangular() const override { return false; }
    bool IsSquare() const override { return false; }
    bool IsStrutAndTieOnly() const override { return false; }
    bool IsVVSpanExist() const override { return false; }
    bool IsSectionXXStrut() const override { return false; }
    bool IsSectionYYStrut() const override { return false; }
    // Symmetric about xx and wider than deep by the 1.2 rule: 1.2 B1 > D.
    bool IsHSection() const;

    // Mirrors the actions and the geometry (flanges 1 and 2 exchange).
    void MirrorXX() override;

    // Torsional and flexural-torsional buckling (cl. 13.3.2), lateral-torsional
    // buckling (cl. 13.6), reduced moment of class 4 sections (cl. 13.5),
    // shear and St Venant torsion (cl. 13.4).
    S16_CALC_RESISTANCES
    // Web shear area: (D - T1 - T2) Tw for a welded section, D Tw otherwise.
    double ShearAreaY(CMemberResult* const result) const;

    // ---- local buckling classification (CSA S16-09 cl. 11.2) ----
    BucklingClass BucklingClassXX(CMemberResult* const result) const override;
    BucklingClass BucklingClassYY(CMemberResult* const result) const override;
    BucklingClass BucklingClassAxial(CMemberResult* const result) const override;
    BucklingClass BucklingClassOverAll(CMemberResult* const result) const override;
    // uniform: outstand in uniform compression (flange of a beam or column);
    // otherwise in minor-axis bending (edition-dependent class 3 limit).
    BucklingClass LocalBucklingClassOutstand(double ratio, bool uniform) const;
    BucklingClass LocalBucklingClassWeb(double ratio) const;
    BucklingClass BucklingClassFlange1(bool uniform) const;
    BucklingClass BucklingClassFlange2(bool uniform) const;
    BucklingClass BucklingClassFlange1Comp() const { return BucklingClassFlange1(true); }
    BucklingClass BucklingClassFlange2Comp() const { return BucklingClassFlange2(true); }
    BucklingClass BucklingClassWeb() const;  // cached
    BucklingClass BucklingClassWebComp() const;
    bool IsWebSlender() const;
    bool IsWebCompSlender() const;
    bool IsFlange1Slender(bool uniform) const;
    bool IsFlange2Slender(bool uniform) const;
    bool IsFlange1SlenderComp() const { return IsFlange1Slender(true); }
    bool IsFlange2SlenderComp() const { return IsFlange2Slender(true); }

    // ---- effective section properties (class 4 elements) ----
    double AreaCompEffective() const override;
    double XbarCompEffective() const override { return Xbar(); }
    double YbarCompEffective() const override;
    double AreaXXEffective() const;
    double YbarXXEffective() const override;
    double IxxEffective() const;
    double ZxxEffective() const override;  // cached
    double AreaYYEffective() const;
    double XbarYYEffective() const override;
    double IyyEffective() const;
    double ZyyEffective() const override;
};

}  // namespace Corvid::Steel::SteelCSAS1609
