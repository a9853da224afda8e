#pragma once
// Code-specific section base of every CSA S16 shape calculator.
#include <cmath>
#include <cstdint>

#include "framework/CString.h"
#include "framework/DesFormat.h"
#include "framework/DesignConstants.h"
#include "framework/MemberResult.h"
#include "framework/ResultFlags.h"
#include "framework/Section.h"
#include "framework/SectionCodeBase.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CCSA_S16_09Section : public Corvid::Steel::CSectionCodeBase {
public:
    // Local buckling class (CSA S16-09 cl. 11.2); higher is worse, Invalid
    // marks a section or element the classification does not cover.
    enum BucklingClass : std::int32_t { Invalid = 0, Class1 = 1, Class2 = 2, Class3 = 3, Class4 = 4 };
    enum DesignMethod : std::int32_t { FullStrength = 0, ReducedStress = 1 };

    CCSA_S16_09Section() = default;
    CCSA_S16_09Section(CCSA_S16_09Section const& other) = default;
    CCSA_S16_09Section& operator=(CCSA_S16_09Section const& other);
    ~CCSA_S16_09Section() override = default;

    // ---- virtual interface, in its fixed order ----
    virtual CCSA_S16_09Section* Clone() const = 0;
    // (virtual destructor above; SetSteelDesignProp from the framework)
    void ClearVolatileResultCache() const override;
    void ClearAllResultCaches() const override;

protected:
    void MirrorXX() override;

public:
    virtual double Area() const = 0;
    virtual double Ybar() const = 0;
    virtual double Xbar() const = 0;
    virtual double Ixx() const = 0;
    virtual double Iyy() const = 0;
    virtual double Ixy() const = 0;
    virtual double Sxx() const = 0;  // plastic modulus
    virtual double Syy() const = 0;  // plastic modulus
    virtual double Zxx() const = 0;  // elastic modulus
    virtual double Zyy() const = 0;  // elastic modulus
    virtual double J() const = 0;
    bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result) override = 0;
    // (Cw, Iuu, Ivv, Alpha, GetCorvidSec from the framework)
    virtual BucklingClass BucklingClassXX(CMemberResult* const result) const;
    virtual BucklingClass BucklingClassYY(CMemberResult* const result) const;
    virtual BucklingClass BucklingClassAxial(CMemberResult* const result) const;
    virtual BucklingClass BucklingClassOverAll(CMemberResult* const result) const;
    virtual double Anet() const;
    virtual double Depth() const = 0;
    virtual double ZxxEffective() const;
    virtual double ZyyEffective() const;
    virtual double AreaCompEffective() const;
    virtual double YbarXXEffective() const;
    virtual double XbarYYEffective() const;
    virtual double XbarCompEffective() const;
    virtual double YbarCompEffective() const;
    virtual bool IsCircular() const = 0;
    virtual bool IsDoublySymmetric() const = 0;
    virtual bool IsHollow() const = 0;
    virtual bool IsIorHSection() const = 0;
    virtual bool IsRectangular() const = 0;
    virtual bool IsSquare() const = 0;
    virtual bool IsStrutAndTieOnly() const = 0;
    virtual bool IsStrutOnlyConnection();
    virtual bool IsVVSpanExist() const = 0;
    virtual bool IsSectionXXStrut() const = 0;
    virtual bool IsSectionYYStrut() const = 0;
    virtual bool IsWelded() const = 0;
    virtual double MaxThick() const = 0;
    virtual void CheckShearCapacityXX(double const& Vf, CMemberResult* const result) const;
    virtual void CheckShearCapacityYY(double const& Vf, CMemberResult* const result) const;
    virtual double ShearCapacityMaxX(CMemberResult* const result) const;
    virtual double ShearCapacityMaxY(CMemberResult* const result) const;
    virtual double TorsionCapacity(CMemberResult* const result) const;
    virtual double Mcr(double const& Le, double omega2, CMemberResult* const result) const;
    virtual double Mrxx(CMemberResult* const result) const;
    virtual double Mryy(CMemberResult* const result) const;
    virtual double MrDashxx(CMemberResult* const result) const;
    virtual double MrDashyy(CMemberResult* const result) const;
    virtual double Mbxx(double Mcr, CMemberResult* const result) const;
    // Largest KL/r of a compression member (CSA S16-09 cl. 10.4.2.1).
    static constexpr double kSlendernessLimitCompression = 200.0;
    // Largest L/r of a tension member (CSA S16-09 cl. 10.4.2.2).
    static constexpr double kSlendernessLimitTension = 300.0;
    virtual double Crxx(double Le, double& Fe, CMemberResult* const result) const;
    virtual double Cryy(double Le, double& Fe, CMemberResult* const result) const;
    virtual double Cruu(double Le, double& Fe, CMemberResult* const result) const;
    virtual double Crvv(double Le, double& Fe, CMemberResult* const result) const;
    virtual double CrT(double Le, double& Fe, CMemberResult* const result) const;
    virtual double CrFT(double FeX, double FeY, double FeZ, double& Fe, CMemberResult* const result) const;
    virtual double Tr(CMemberResult* const result) const;
    virtual CString SectPropString(Corvid::Util::CDesFormat const& format);
    virtual double DesignStressMin() const;
    // DesignStressMin() kept with the fixed classes: it depends on the grade
    // and the section only.
    double DesignFy() const {
        FindFy();
        return m_fy;
    }
    virtual double TensileStrength() const;
    // (CloneGeom: declared by the I and channel calculators)
    // ---- added after the fixed order ----
    // The elements that resist the major-axis shear (along the depth) or the
    // minor-axis shear (across the section), as one report phrase
    // (CSA S16-09 cl. 13.4.1.1: the web or webs carry the shear along the depth).
    virtual CString ShearResistedBy(bool major) const;
    // Becomes a copy of other, a calculator of the same shape (its storage
    // reused: no allocation once it has held the same section and grade).
    virtual void Assign(CCSA_S16_09Section const& other) = 0;
    // Factored shear resistance Vr, N, of the major-axis (along the depth) or
    // minor-axis shear check (CSA S16-09 cl. 13.4.1); 0 where none is checked.
    virtual double ShearResistance(bool /*major*/) const { return 0.0; }
    // Becomes a copy of other where a check changes it (actions, ratios,
    // restraint, cached values) when it already is one of the same section,
    // grade and code name.
    void AssignCheckState(CCSA_S16_09Section const& other) {
        CopyCheckState(other);
        m_volatileCache = other.m_volatileCache;
    }

    // A value of the section, grade and code name alone, computed on first
    // request and kept until one of those changes (ClearFixed). slot: below
    // kFixedValues; the base's own are FixedValueSlot, a shape's start at
    // kShapeFixedValues.
    static constexpr std::size_t kFixedValues = 24;
    enum FixedValueSlot : std::size_t {
        kMrMajorClass1,                           // Mr about x of classes 1, 2, 3
        kMrMinorClass1 = kMrMajorClass1 + 3,      // Mr about y of classes 1, 2, 3
        kAreaCompEffective = kMrMinorClass1 + 3,  // AreaCompEffective
        kSquashCr,                                // SquashCr
        kShapeFixedValues
    };
    static_assert(kFixedValues <= 32, "FixedValue marks its slots in 32 bits");
    template <class Compute>
    double FixedValue(std::size_t slot, Compute compute) const {
        std::uint32_t const bit = 1u << slot;
        if (!(m_fixedValuesSet & bit)) {
            m_fixedValues[slot] = compute();
            m_fixedValuesSet |= bit;
        }
        return m_fixedValues[slot];
    }
    // ---- non-virtual ----
    CString const& CodeName() const { return m_codeName; }
    // Also finds the edition the name selects, once.
    void SetCodeName(CString name);
    // True when the code name selects the CSA S16-09 values of the limits
    // that changed in CSA S16-14 (compared ignoring case).
    bool IsEdition2009() const { return m_edition2009; }

    double YoungsModulus() const { return m_grade.YoungsModulus(); }
    double ShearModulus() const { return m_grade.ShearModulus(); }

    BucklingClass BucklingClassBiAxial(CMemberResult* const result) const;

    // Cross-section check of one station (CSA S16-09 cl. 13.8, 13.9): the
    // axial, bending, shear and interaction utilisations of the actions held
    // by the section, and a St Venant torsion check. The result must be given.
    void LocalCapacityCheck(CMemberResult* const result) const;
    DesignMethod GetDesignMethod() const;

    // Number of values held by the volatile cache (for diagnostics).
    std::size_t VolatileCacheSize() const { return m_volatileCache.size; }

    // Compressive resistance for flexural buckling (CSA S16-09 cl. 13.3.1)
    // about an axis of second moment I, with the effective area A; axisName
    // and feName name the axis ("xx", "Fex") in the report. Fe is set at once.
    double CrCompute(double Le, double& Fe, double I, wchar_t const* axisName, wchar_t const* feName, double A,
                     CMemberResult* const result) const;

    // Exponent n of the resistance curve (CSA S16-09 cl. 13.3.1): 2.24 for
    // HSS to CSA G40.20 Class H and for doubly symmetric welded three-plate
    // members with oxy-flame-cut flange edges; 0.93 for heavy sections (over
    // 313 kg/m at 7850 kg/m^3, gross area Ag) of ASTM A36; else 1.34.
    double CurveExponent(double Ag) const;
    // The report's line saying which n and why (empty for 1.34).
    CString CurveExponentWhy(double Ag) const;
    // The factor (1 + lambda^2n)^(-1/n) of the resistance curve (CSA S16-09
    // cl. 13.3.1); the last few are kept (a value of lambda and n alone,
    // never stale), as the stations and the spans of like length ask for the
    // same slenderness again, and a span for its effective and actual length.
    double CurveFactor(double lambda, double n) const {
        for (Curve const& c : m_curves)
            if (c.set && c.lambda == lambda && c.n == n) return c.value;
        Curve& c = m_curves[m_nextCurve];
        m_nextCurve = (m_nextCurve + 1) % kCurves;
        c.value = std::pow(1.0 + std::pow(lambda, 2.0 * n), -1.0 / n);
        c.lambda = lambda, c.n = n, c.set = true;
        return c.value;
    }

    static CString const& GetLBCString(BucklingClass c);
    // The worse of two classes: Invalid if either is, else the higher (a
    // value outside the classes counts as class 1).
    static BucklingClass Worst(BucklingClass a, BucklingClass b) {
        if (a == Invalid || b == Invalid) return Invalid;
        if (a == Class4 || b == Class4) return Class4;
        if (a == Class3 || b == Class3) return Class3;
        if (a == Class2 || b == Class2) return Class2;
        return Class1;
    }
    // Makes the actions those of the class in pure compression: the axial
    // force Cf = phi A Fy in compression (CSA S16-09 cl. 11.2, 13.3.1), the
    // volatile values dropped; the other actions are kept.
    void SetPureCompression() {
        SetForceAxial(-Corvid::Design::kPhi * DesignFy() * Area());
        ClearVolatileResultCache();
    }
    // Whether SectPropString shows the class in pure compression (not for a
    // member without axial compression).
    void ReportCompressionClass(bool on) { m_reportCompression = on; }

protected:
    // Cache protocol: look up a key; store a value.
    bool CacheFind(std::uint32_t key, double& value) const;
    void CacheStore(std::uint32_t key, double value) const;
    // The value under key, computed and stored on first request.
    template <class Compute>
    double CachedValue(std::uint32_t key, Compute compute) const {
        double v = 0.0;
        if (CacheFind(key, v)) return v;
        v = compute();
        CacheStore(key, v);
        return v;
    }
    // The class of an element that the actions do not change (it depends on
    // the section, the grade and the code name only), computed on first
    // request and kept until one of those changes (ClearAllResultCaches).
    // slot: the element's number in the shape's own list (below kFixedSlots).
    static constexpr std::size_t kFixedSlots = 6;
    template <class Compute>
    BucklingClass FixedClass(std::size_t slot, Compute compute) const {
        std::int8_t& c = m_fixedClasses[slot];
        if (c < 0) c = static_cast<std::int8_t>(compute());
        return static_cast<BucklingClass>(c);
    }
    // The class of an element that besides the section, grade and code name
    // depends on the axial force alone (a web in flexure, through Cf/(Phi Cy)):
    // the last one kept with its force until either changes (ClearFixed).
    // slot: the element (AxialSlot; kOtherAxis: a shape's class about its
    // other axis, the walls of the RHS turned; kOverAllMx...: the class over
    // all of an I or channel, whose compression flange the sense of Mx picks,
    // one slot a sense).
    enum AxialSlot : std::size_t { kWebInFlexure, kOtherAxis, kOverAllMxPositive, kOverAllMxNegative, kAxialSlots };
    template <class Compute>
    BucklingClass AxialClass(std::size_t slot, Compute compute) const {
        AxialMemo& m = m_axialClasses[slot];
        double const N = ForceAxial();
        if (m.cls < 0 || !(m.N == N)) {
            m.cls = static_cast<std::int8_t>(compute());
            m.N = N;
        }
        return static_cast<BucklingClass>(m.cls);
    }
    // Names the section, grade and code name this calculator holds: equal
    // between two calculators (copies) only while none of them changed.
    std::uint64_t FixedId() const { return m_fixedId; }
    // sqrt(Fy) with Fy = DesignStressMin() in MPa, as the limits k/sqrt(Fy) use
    // it (kept with the fixed classes).
    double SqrtFy() const {
        FindFy();
        return m_sqrtFy;
    }
    // Gross area of the shape's own geometry.
    virtual double GeometryArea() const { return Area(); }
    static bool IsNamedA36(CString const& name);

private:
    void LocalCapacityCheckCompressionMember(CMemberResult* const result) const;
    void LocalCapacityCheckCompressionStrut(CMemberResult* const result) const;
    void LocalCapacityCheckTensionMember(CMemberResult* const result) const;
    void LocalCapacityCheckTensionStrut(CMemberResult* const result) const;
    double MomentCapacity(bool major, CMemberResult* const result) const;
    // Crxx at Le = 0, the resistance of the cross-section in compression;
    // without a report it writes nothing and is kept with the fixed values.
    double SquashCr(CMemberResult* const result) const;
    double ShearStressMax(bool major, CMemberResult* const result) const;

    // A few values by key, in place (copied and emptied without the heap); a
    // value that finds no free slot is computed again when asked for.
    struct Cache {
        static constexpr std::size_t kSlots = 8;
        std::uint32_t keys[kSlots] = {};
        double values[kSlots] = {};
        std::size_t size = 0;
    };
    // Emptied with the fixed classes and sqrt(Fy); the values take a new
    // identity.
    void ClearFixed() const {
        for (std::int8_t& c : m_fixedClasses) c = -1;
        m_hasFy = false;
        for (AxialMemo& m : m_axialClasses) m.cls = -1;
        m_fixedValuesSet = 0;
        m_fixedId = NewFixedId();
    }
    static std::uint64_t NewFixedId();
    void FindFy() const {
        if (m_hasFy) return;
        m_fy = DesignStressMin();
        m_sqrtFy = std::sqrt(m_fy / Corvid::Design::kMPa);
        m_hasFy = true;
    }
    mutable Cache m_volatileCache;
    // The last CurveFactors: their arguments and values, the oldest replaced.
    struct Curve {
        double lambda = 0.0, n = 0.0, value = 0.0;
        bool set = false;
    };
    static constexpr std::size_t kCurves = 4;
    mutable Curve m_curves[kCurves];
    mutable std::size_t m_nextCurve = 0;
    // Values of the section, grade and code name alone (FixedClass, DesignFy,
    // SqrtFy); -1: not yet found.
    mutable std::int8_t m_fixedClasses[kFixedSlots] = {-1, -1, -1, -1, -1, -1};
    mutable double m_fy = 0.0, m_sqrtFy = 0.0;
    mutable bool m_hasFy = false;
    // AxialClass: the last class of each slot and its axial force.
    struct AxialMemo {
        double N = 0.0;
        std::int8_t cls = -1;
    };
    mutable AxialMemo m_axialClasses[kAxialSlots];
    // FixedValue: the values and a bit a slot that holds one.
    mutable double m_fixedValues[kFixedValues] = {};
    mutable std::uint32_t m_fixedValuesSet = 0;
    mutable std::uint64_t m_fixedId = 0;
    CString m_codeName;
    bool m_reportCompression = true;
    bool m_edition2009 = false;
};

}  // namespace Corvid::Steel::SteelCSAS1609
