#pragma once
// Rectangular and square hollow sections.
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcRHS : public CCSA_S16_09Section, public Corvid::Steel::CDesSectGeomRHS {
public:
    CSectionCalcRHS() = default;
    CSectionCalcRHS(CSectionCalcRHS const&) = default;
    CSectionCalcRHS& operator=(CSectionCalcRHS const&) = default;
    ~CSectionCalcRHS() override = default;

    CSectionCalcRHS* Clone() const override { return new CSectionCalcRHS(*this); }

    S16_CALC_GEOMETRY_PASS_THROUGH(Corvid::Steel::CDesSectGeomRHS)

    double Depth() const override { return GetD(); }
    double MaxThick() const override;

    bool IsCircular() const override { return false; }
    bool IsDoublySymmetric() const override { return true; }
    bool IsHollow() const override { return true; }
    bool IsIorHSection() const override { return false; }
    bool IsRectangular() const override { return true; }
    bool IsSquare() const override;
    bool IsStrutAndTieOnly() const override { return false; }
    bool IsVVSpanExist() const override { return false; }
    bool IsSectionXXStrut() const override { return false; }
    bool IsSectionYYStrut() const override { return false; }

    void MirrorXX() override { CCSA_S16_09Section::MirrorXX(); }
    // Turns the section and its actions a quarter turn clockwise.
    void Rotate90Clockwise() override;
};

}  // namespace Corvid::Steel::SteelCSAS1609
