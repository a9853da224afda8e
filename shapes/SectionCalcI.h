#pragma once
// I and H sections (equal or unequal flanges; flange 1 at the top).
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcI : public CCSA_S16_09Section, public Corvid::Steel::CDesSectGeomI {
public:
    CSectionCalcI() = default;
    CSectionCalcI(CSectionCalcI const&) = default;
    CSectionCalcI& operator=(CSectionCalcI const&) = default;
    ~CSectionCalcI() override = default;

    CSectionCalcI* Clone() const override { return new CSectionCalcI(*this); }
    // A full copy, returned as its geometry.
    virtual Corvid::Steel::CDesSectGeomI* CloneGeom() const { return new CSectionCalcI(*this); }

    S16_CALC_GEOMETRY_PASS_THROUGH(Corvid::Steel::CDesSectGeomI)

    double Depth() const override { return GetD(); }
    double WebBucklingDepth() const { return GetD() - GetT1() - GetT2(); }
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
};

}  // namespace Corvid::Steel::SteelCSAS1609
