#pragma once
// Section geometry: dimensions and gross properties of the six shapes.
//
// Units: m. Coordinates: x horizontal, y vertical; the major axis is x.
//   I / H:   y from the bottom face, flange 1 at the top; x from the web
//            centre line (the section is symmetric about it, Xbar = 0).
//   channel: x from the back of the web (flanges point to +x); y from the
//            bottom face.
//   tee:     y from the tip of the stem, flange at the top; x from the stem
//            centre line (Xbar = 0).
//   angle:   origin at the heel; the leg of length D runs up the y axis, the
//            leg of length B along the x axis.
//   RHS, CHS: x and y from the centre (Xbar = Ybar = 0).
// The effective-section and shear-centre formulas of the calculators read
// the centroid in these coordinates.
// Naming follows the framework: Sxx / Syy are PLASTIC moduli, Zxx / Zyy the
// (smallest) ELASTIC moduli.
#include <initializer_list>
#include <utility>

#include "CString.h"
#include "DesFormat.h"
#include "Section.h"

namespace Corvid::Steel {

class CMemberResult;

class CCloneableGeom {
public:
    virtual ~CCloneableGeom() = default;
    virtual CCloneableGeom* Clone() const = 0;
};

// Gross properties, computed once when the dimensions change.
struct CGeomProps {
    double A = 0, Xbar = 0, Ybar = 0, Ixx = 0, Iyy = 0, Ixy = 0;
    double Sxx = 0, Syy = 0;                  // plastic
    double Zxx = 0, Zyy = 0;                  // elastic (smallest)
    double XbarPlastic = 0, YbarPlastic = 0;  // plastic neutral axes (same origin as Xbar, Ybar)
    double J = 0, Cw = 0;
    double Iuu = 0, Ivv = 0, Alpha = 0;  // principal axes; Alpha: angle from x to u, rad
};

class CDesSectGeom : public CCloneableGeom {
public:
    CDesSectGeom() = default;
    CDesSectGeom(CDesSectGeom const&) = default;
    CDesSectGeom& operator=(CDesSectGeom const&) = default;
    ~CDesSectGeom() override = default;
    CDesSectGeom* Clone() const override = 0;

    // Reads the dimensions from the host section. False (with a message in
    // the result, when given and wanting text) when the section is of another
    // shape.
    virtual bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result);

    int FabricationType() const { return m_fab; }
    void SetFabricationType(int fab) { m_fab = fab; }
    // Welded or built up.
    virtual bool IsWelded() const;

    virtual double Area() const { return m_p.A; }
    virtual double Xbar() const { return m_p.Xbar; }
    virtual double Ybar() const { return m_p.Ybar; }
    virtual double Ixx() const { return m_p.Ixx; }
    virtual double Iyy() const { return m_p.Iyy; }
    virtual double Ixy() const { return m_p.Ixy; }
    virtual double Sxx() const { return m_p.Sxx; }
    virtual double Syy() const { return m_p.Syy; }
    virtual double Zxx() const { return m_p.Zxx; }
    virtual double Zyy() const { return m_p.Zyy; }
    virtual double J() const { return m_p.J; }
    // Warping constant Cw, m^6 (CSA S16-09 cl. 13.6).
    virtual double Cw() const { return m_p.Cw; }
    virtual double Iuu() const { return m_p.Iuu; }
    virtual double Ivv() const { return m_p.Ivv; }
    virtual double Alpha() const { return m_p.Alpha; }

    virtual double GetDepth() const = 0;
    virtual double GetWidth() const = 0;
    virtual double GetThickness() const = 0;
    virtual bool IsXXSymmetric() const = 0;

    // Turn the section upside down (about its x axis).
    virtual void MirrorXX() {}
    // Turn the section 90 degrees clockwise (RHS: depth and width exchange).
    virtual void Rotate90Clockwise() {}
    // Reflect about the 45 degree line through the origin (angle: legs exchange).
    virtual void Reflect45() {}

    // Dimension text for the report.
    virtual CString SectGeomString(Corvid::Util::CDesFormat const& format) const = 0;

    CGeomProps const& Props() const { return m_p; }
    // Takes a catalogue's tabulated gross properties in place of the computed
    // ones (those not tabulated stay computed).
    void UseTabulated(Corvid::Data::CTabulatedProps const& tab);
    // The tabulated properties in use (NaN: computed).
    Corvid::Data::CTabulatedProps const& Tabulated() const { return m_tab; }

protected:
    // Recompute m_p from the dimensions.
    virtual void Compute() = 0;
    // Takes new dimensions (each field with its value) and computes the
    // properties again, unless they already belong to those same values.
    void SetDimensionFields(std::initializer_list<std::pair<double*, double>> fields) {
        bool same = m_computed;
        for (auto const& [field, value] : fields) same = same && *field == value;
        if (same) return;
        for (auto const& [field, value] : fields) *field = value;
        Compute();
        m_computed = true;
    }

    int m_fab = 0;
    CGeomProps m_p;
    Corvid::Data::CTabulatedProps m_tab;
    // The properties in m_p belong to the current dimensions (a copy given
    // its own dimensions again need not recompute them).
    bool m_computed = false;
};

// The dimension set of the I, H and channel: D overall depth, B1/T1 top
// flange, B2/T2 bottom flange, Tw web, R root radius, slope the slope of the
// inner flange faces (rise over run; with a slope T1 and T2 are the flange
// thicknesses at the middle of the outstand, the average thicknesses).
class CDesSectGeomTwoFlanges : public CDesSectGeom {
public:
    void SetDimensions(double D, double B1, double T1, double B2, double T2, double Tw, double R, double slope = 0.0);

    double GetD() const { return m_D; }
    double GetTw() const { return m_Tw; }
    double GetT1() const { return m_T1; }
    double GetT2() const { return m_T2; }
    double GetB1() const { return m_B1; }
    double GetB2() const { return m_B2; }
    double GetR() const { return m_R; }
    double GetSlope() const { return m_slope; }

    double GetDepth() const override { return m_D; }
    double GetWidth() const override;
    double GetThickness() const override;
    bool IsXXSymmetric() const override;
    CString SectGeomString(Corvid::Util::CDesFormat const& format) const override;
    // The web between the flanges, h = D - T1 - T2.
    double WebDepth() const { return m_D - m_T1 - m_T2; }

protected:
    // The flange slope and the root radius that fit flanges of outstands b1,
    // b2 (from the web face to the toe) in the outline.
    struct FlangeFit {
        double slope, R;
    };
    FlangeFit FitFlanges(double b1, double b2) const;
    // St Venant constant of the plates without root fillets:
    //   J = (B1 T1^3 + B2 T2^3 + h0 Tw^3) / 3,  h0 = D - (T1 + T2)/2.
    double PlateSumJ() const;

    double m_D = 0, m_B1 = 0, m_T1 = 0, m_B2 = 0, m_T2 = 0, m_Tw = 0, m_R = 0, m_slope = 0;
};

// I and H sections: the outstands are (B - Tw)/2.
class CDesSectGeomI : public CDesSectGeomTwoFlanges {
public:
    CDesSectGeomI() = default;
    CDesSectGeomI* Clone() const override { return new CDesSectGeomI(*this); }
    bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result) override;
    void MirrorXX() override;

protected:
    void Compute() override;
};

// Channel: web at x = 0..Tw, flanges pointing to +x; the outstands are
// B - Tw.
class CDesSectGeomPFC : public CDesSectGeomTwoFlanges {
public:
    CDesSectGeomPFC() = default;
    CDesSectGeomPFC* Clone() const override { return new CDesSectGeomPFC(*this); }
    bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result) override;

    double XbarPlastic() const { return m_p.XbarPlastic; }
    double YbarPlastic() const { return m_p.YbarPlastic; }

protected:
    void Compute() override;
};

// Tee: stem tip at y = 0, flange on top.
class CDesSectGeomT : public CDesSectGeom {
public:
    CDesSectGeomT() = default;
    CDesSectGeomT* Clone() const override { return new CDesSectGeomT(*this); }
    bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result) override;
    // With a slope T is the flange thickness at the middle of the outstand
    // (B - Tw)/2.
    void SetDimensions(double D, double B, double T, double Tw, double R, double slope = 0.0);

    double GetD() const { return m_D; }
    double GetTw() const { return m_Tw; }
    double GetT() const { return m_T; }
    double GetB() const { return m_B; }
    double GetR() const { return m_R; }
    double GetSlope() const { return m_slope; }

    double GetDepth() const override { return m_D; }
    double GetWidth() const override { return m_B; }
    double GetThickness() const override;
    bool IsXXSymmetric() const override { return false; }
    CString SectGeomString(Corvid::Util::CDesFormat const& format) const override;

protected:
    void Compute() override;
    double m_D = 0, m_B = 0, m_T = 0, m_Tw = 0, m_R = 0, m_slope = 0;
};

class CDesSectGeomRHS : public CDesSectGeom {
public:
    CDesSectGeomRHS() = default;
    CDesSectGeomRHS* Clone() const override { return new CDesSectGeomRHS(*this); }
    bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result) override;
    // D depth, B width, tf walls along the width (top, bottom), tw walls along
    // the depth (sides), Ro outside corner radius (0: square corners).
    void SetDimensions(double D, double B, double tf, double tw, double Ro);

    double GetD() const { return m_D; }
    double GetB() const { return m_B; }
    double GetTf() const { return m_tf; }
    double GetTw() const { return m_tw; }
    double GetRo() const { return m_Ro; }

    double GetDepth() const override { return m_D; }
    double GetWidth() const override { return m_B; }
    double GetThickness() const override;
    bool IsXXSymmetric() const override { return true; }
    // Depth and width exchange, and so do the two wall thicknesses.
    void Rotate90Clockwise() override;
    CString SectGeomString(Corvid::Util::CDesFormat const& format) const override;

protected:
    void Compute() override;
    double m_D = 0, m_B = 0, m_tf = 0, m_tw = 0, m_Ro = 0;
};

class CDesSectGeomCHS : public CDesSectGeom {
public:
    CDesSectGeomCHS() = default;
    CDesSectGeomCHS* Clone() const override { return new CDesSectGeomCHS(*this); }
    bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result) override;
    void SetDimensions(double D, double t);

    double GetD() const { return m_D; }
    double GetT() const { return m_t; }

    double GetDepth() const override { return m_D; }
    double GetWidth() const override { return m_D; }
    double GetThickness() const override { return m_t; }
    bool IsXXSymmetric() const override { return true; }
    CString SectGeomString(Corvid::Util::CDesFormat const& format) const override;

protected:
    void Compute() override;
    double m_D = 0, m_t = 0;
};

// Angle: heel at the origin, leg D up the y axis, leg B along the x axis.
class CDesSectGeomAngle : public CDesSectGeom {
public:
    CDesSectGeomAngle() = default;
    CDesSectGeomAngle* Clone() const override { return new CDesSectGeomAngle(*this); }
    bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result) override;
    void SetDimensions(double D, double B, double t, double R);

    double GetR() const { return m_R; }
    double GetDepth() const override { return m_D; }
    double GetWidth() const override { return m_B; }
    double GetThickness() const override { return m_t; }
    bool IsXXSymmetric() const override { return false; }
    // The legs exchange (x and y swap).
    void Reflect45() override;
    CString SectGeomString(Corvid::Util::CDesFormat const& format) const override;

protected:
    void Compute() override;
    double m_D = 0, m_B = 0, m_t = 0, m_R = 0;
};

}  // namespace Corvid::Steel
