#pragma once
// Tees: stem down, flange on top.
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcT : public detail::CShapeCalc<CSectionCalcT, Corvid::Steel::CDesSectGeomT> {
public:
    CSectionCalcT* Clone() const override { return new CSectionCalcT(*this); }
    Corvid::Steel::CDesSectGeomT* CloneGeom() const { return new CSectionCalcT(*this); }

    // The flange serves as both flanges of the shared I/channel vocabulary.
    double GetT1() const { return GetT(); }
    double GetT2() const { return GetT(); }
    double GetB1() const { return GetB(); }
    double GetB2() const { return GetB(); }

    double Depth() const override { return GetD(); }
    double WebEffectiveWidth() const { return 0.0; }
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
    bool IsSectionXXStrut() const override { return IsFlangeOnlyConnected(); }
    bool IsSectionYYStrut() const override { return false; }
    // Connected through the flange alone at the member restraint: held in
    // translation, pinned in bending, with a flange or end connection.
    bool IsFlangeOnlyConnected() const;

    void MirrorXX() override { CCSA_S16_09Section::MirrorXX(); }

    // Torsional and flexural-torsional buckling (cl. 13.3.2), lateral-torsional
    // buckling (cl. 13.6), reduced moment of class 4 sections (cl. 13.5),
    // shear and St Venant torsion (cl. 13.4).
    S16_CALC_RESISTANCES

    // ---- local buckling classification (CSA S16-09 cl. 11.2) ----
    BucklingClass BucklingClassXX(CMemberResult* const result) const override;
    BucklingClass BucklingClassYY(CMemberResult* const result) const override;
    BucklingClass BucklingClassAxial(CMemberResult* const result) const override;
    // The tee's overall class is its axial class (with its flags).
    BucklingClass BucklingClassOverAll(CMemberResult* const result) const override {
        return BucklingClassAxial(result);
    }
    BucklingClass LocalBucklingClassOutstand(double ratio) const;
    // The stem rule (no axial-force term).
    BucklingClass LocalBucklingClassWeb(double ratio) const;
    BucklingClass BucklingClassFlange() const;  // cached, ratio (B/2)/T
    BucklingClass BucklingClassWeb() const;     // cached, ratio D/Tw
    bool IsWebSlender() const;
    bool IsFlangeSlender() const;

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
    // Effective width of one outstand for major-axis bending: min(120 T, 200 T/sqrt(Fy)).
    double BeXX() const;
    // Effective width of one outstand for minor-axis bending.
    double BeYY() const;
};

}  // namespace Corvid::Steel::SteelCSAS1609
