#pragma once
// Rectangular and square hollow sections.
#include <memory>

#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcRHS : public detail::CShapeCalc<CSectionCalcRHS, Corvid::Steel::CDesSectGeomRHS> {
public:
    CSectionCalcRHS* Clone() const override { return new CSectionCalcRHS(*this); }

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

    // Torsional and flexural-torsional buckling (cl. 13.3.2), lateral-torsional
    // buckling (cl. 13.6), reduced moment of class 4 sections (cl. 13.5),
    // shear and St Venant torsion (cl. 13.4).
    S16_CALC_RESISTANCES

    // ---- local buckling classification (CSA S16-09 cl. 11.2) ----
    BucklingClass BucklingClassXX(CMemberResult* const result) const override;
    // Classified on a copy turned a quarter turn (its walls exchange roles).
    BucklingClass BucklingClassYY(CMemberResult* const result) const override;
    BucklingClass BucklingClassAxial(CMemberResult* const result) const override;
    BucklingClass BucklingClassOverAll(CMemberResult* const result) const override;
    BucklingClass BucklingClassWeb() const;  // cached: web in flexure
    BucklingClass BucklingClassWebComp() const;
    BucklingClass BucklingClassFlange() const;

    // ---- effective section properties ----
    double AreaCompEffective() const override;
    double XbarCompEffective() const override { return Xbar(); }
    double YbarCompEffective() const override { return Ybar(); }
    double AreaXXEffective() const;
    double YbarXXEffective() const override;
    double ZxxEffective() const override;
    double XbarYYEffective() const override;
    double ZyyEffective() const override;

    // The corner allowance k of a wall's width B - k tw or D - k tf (CSA
    // S16-09 cl. 11.3.2): 2 for a welded box, the width between the cross
    // walls; 4 for a formed tube, the flat width clear of its corner radii.
    // The b/t and h/w classes, the effective area of cl. 13.3.3, the shear
    // depths and the web reduction of M'r all read this one width.
    double ClearWidthCorners() const { return IsWelded() ? 2.0 : 4.0; }

    // This section and its actions turned a quarter turn clockwise: a copy
    // kept by this calculator and made again at each call (the previous
    // answer is overwritten).
    CSectionCalcRHS& Turned() const;

private:
    // The actions turned a quarter turn clockwise.
    void RotateActions();
    // Flange and web-in-flexure classes of this orientation.
    BucklingClass AxisPair() const;
    // AxisPair of the section turned a quarter (the minor axis), kept.
    BucklingClass TurnedPair() const;

    // The copy Turned makes: its own to each calculator (a copy of the
    // calculator starts without one; an assignment keeps its own).
    struct TurnedCopy {
        std::unique_ptr<CSectionCalcRHS> calc;
        std::uint64_t source = 0;  // FixedId of the calculator turned
        TurnedCopy() = default;
        TurnedCopy(TurnedCopy const&) {}
        TurnedCopy& operator=(TurnedCopy const&) { return *this; }
    };
    mutable TurnedCopy m_turned;
};

}  // namespace Corvid::Steel::SteelCSAS1609
