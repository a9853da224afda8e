#pragma once
// Channels (parallel or near-parallel flanges), web at the back.
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

// Distance e from the web mid-line to the shear centre of a channel, on the
// side away from the flanges (CSA S16-09 cl. 13.3.2 needs x_0), m.
double ChannelShearCentreFromWeb(Corvid::Steel::CDesSectGeomPFC const& g);

class CSectionCalcPFC : public detail::CShapeCalc<CSectionCalcPFC, Corvid::Steel::CDesSectGeomPFC> {
public:
    CSectionCalcPFC* Clone() const override { return new CSectionCalcPFC(*this); }
    virtual Corvid::Steel::CDesSectGeomPFC* CloneGeom() const { return new CSectionCalcPFC(*this); }

    double XbarPlastic() const { return CDesSectGeomPFC::XbarPlastic(); }
    double YbarPlastic() const { return CDesSectGeomPFC::YbarPlastic(); }

    double Depth() const override { return GetD(); }
    double MaxThick() const override;
    double DesignStressMin() const override;

    bool IsCircular() const override { return false; }
    bool IsDoublySymmetric() const override { return false; }
    bool IsHollow() const override { return false; }
    bool IsIorHSection() const override { return false; }
    bool IsRectangular() const override { return false; }
    bool IsSquare() const override { return false; }
    bool IsStrutAndTieOnly() const override { return StrutAndTieOnlyFlag(); }
    bool IsStrutOnlyConnection() override;
    bool IsVVSpanExist() const override { return false; }
    bool IsSectionXXStrut() const override { return false; }
    bool IsSectionYYStrut() const override { return IsWebOnlyConnected(); }
    // Connected through the web alone at the member restraint: held in
    // translation, pinned in bending, and either no flange or end connection
    // or one that holds neither flange.
    bool IsWebOnlyConnected() const;

    void MirrorXX() override { CCSA_S16_09Section::MirrorXX(); }

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
    BucklingClass LocalBucklingClassOutstand(double ratio) const;
    BucklingClass LocalBucklingClassWeb(double ratio) const;
    BucklingClass BucklingClassFlange1() const;  // cached, ratio B1/T1
    BucklingClass BucklingClassFlange2() const;  // cached, ratio B2/T2
    BucklingClass BucklingClassWeb() const;      // cached
    BucklingClass BucklingClassWebComp() const;
    bool IsWebSlender() const;
    bool IsWebCompSlender() const;
    bool IsFlange1Slender() const;
    bool IsFlange2Slender() const;

    // ---- effective section properties ----
    double AreaCompEffective() const override;
    double XbarCompEffective() const override { return Xbar(); }
    double YbarCompEffective() const override { return Ybar(); }
    double AreaXXEffective() const;
    double YbarXXEffective() const override;
    double IxxEffective() const;
    double ZxxEffective() const override;  // cached
    double AreaYYEffective() const;
    double XbarYYEffective() const override;
    double IyyEffective() const;
    double ZyyEffective() const override;

private:
    BucklingClass MinorAxisClass() const;
    // Effective width of a slender channel flange: min(200 T/sqrt(Fy), 60 T).
    double FlangeBe(double T) const;
};

}  // namespace Corvid::Steel::SteelCSAS1609
