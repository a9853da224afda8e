#pragma once
// Single angles (always struts and ties).
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcAngle : public CCSA_S16_09Section, public Corvid::Steel::CDesSectGeomAngle {
public:
    CSectionCalcAngle() = default;
    CSectionCalcAngle(CSectionCalcAngle const&) = default;
    CSectionCalcAngle& operator=(CSectionCalcAngle const&) = default;
    ~CSectionCalcAngle() override = default;

    CSectionCalcAngle* Clone() const override { return new CSectionCalcAngle(*this); }

    S16_CALC_GEOMETRY_PASS_THROUGH(Corvid::Steel::CDesSectGeomAngle)

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
};

}  // namespace Corvid::Steel::SteelCSAS1609
