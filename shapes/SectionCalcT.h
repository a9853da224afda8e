#pragma once
// Tees: stem down, flange on top.
#include "framework/SectGeom.h"
#include "section/CSA_S16_09Section.h"
#include "shapes/CalcCommon.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CSectionCalcT : public CCSA_S16_09Section, public Corvid::Steel::CDesSectGeomT {
public:
    CSectionCalcT() = default;
    CSectionCalcT(CSectionCalcT const&) = default;
    CSectionCalcT& operator=(CSectionCalcT const&) = default;
    ~CSectionCalcT() override = default;

    CSectionCalcT* Clone() const override { return new CSectionCalcT(*this); }
    Corvid::Steel::CDesSectGeomT* CloneGeom() const { return new CSectionCalcT(*this); }

    S16_CALC_GEOMETRY_PASS_THROUGH(Corvid::Steel::CDesSectGeomT)

    // The flange serves as both flanges of the shared I/channel vocabulary.
    double GetT1() const { return GetT(); }
    double GetT2() const { return GetT(); }
    double GetB1() const { return GetB(); }
    double GetB2() const { return GetB(); }

    double Depth() const override { return GetD(); }
    // The whole stem buckles as the web.
    double WebBucklingDepth() const { return GetD(); }
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

    // ---- compression resistance (CSA S16-09 cl. 13.3.1) ----
    enum Axis { XX = 0, YY = 1 };
    double Cr(double Le, double& Fe, Axis axis, CMemberResult* const result) const {
        return detail::CrByAxis<CSectionCalcT, Corvid::Steel::CDesSectGeomT>(*this, Le, Fe, axis, result);
    }
    double Crxx(double Le, double& Fe, CMemberResult* const result) const override { return Cr(Le, Fe, XX, result); }
    double Cryy(double Le, double& Fe, CMemberResult* const result) const override { return Cr(Le, Fe, YY, result); }

    // ---- torsional and flexural-torsional buckling (CSA S16-09 cl. 13.3.2) ----
    double CrT(double Le, double& Fez, CMemberResult* const result) const override;
    double CrFT(double Fex, double Fey, double Fez, double& FeFT, CMemberResult* const result) const override;
    // ---- lateral-torsional buckling (CSA S16-09 cl. 13.6) ----
    double Mcr(double const& Le, double w2, CMemberResult* const result) const override;
    double Mbxx(double Mu, CMemberResult* const result) const override;
    // ---- reduced moment resistance of class 4 sections (CSA S16-09 cl. 13.5) ----
    double MrDashxx(CMemberResult* const result) const override;
    double MrDashyy(CMemberResult* const result) const override;
    // ---- shear and St Venant torsion (CSA S16-09 cl. 13.4) ----
    void CheckShearCapacityXX(double const& V, CMemberResult* const result) const override;
    void CheckShearCapacityYY(double const& V, CMemberResult* const result) const override;
    double TorsionCapacity(CMemberResult* const result) const override;

    // ---- local buckling classification (CSA S16-09 cl. 11.2) ----
    BucklingClass BucklingClassXX(CMemberResult* const result) const override;
    BucklingClass BucklingClassYY(CMemberResult* const result) const override;
    BucklingClass BucklingClassAxial(CMemberResult* const result) const override;
    // The tee's overall class is its axial class (with its flags).
    BucklingClass BucklingClassOverAll(CMemberResult* const result) const override { return BucklingClassAxial(result); }
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
