#pragma once
// Member bases of the steel design framework: what a host enters for one
// member (points, sub-spans, overrides, result object) and the interface
// that a design-code module implements.
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "CString.h"
#include "MemberResult.h"
#include "Section.h"
#include "Span.h"
#include "SteelGrade.h"

namespace Corvid {

class CCloneable {
public:
    virtual ~CCloneable() = default;
    virtual CCloneable* Clone() const = 0;
};

}  // namespace Corvid

namespace Corvid::Data::Design {

class CDesign : public Corvid::CCloneable {
public:
    CDesign* Clone() const override = 0;
    virtual CString Category() const { return L"Steel member design"; }
    virtual void SetDesOpt(int option) { m_desOpt = option; }
    virtual int DesOpt() const { return m_desOpt; }

private:
    int m_desOpt = 0;
};

}  // namespace Corvid::Data::Design

namespace Corvid::Steel {

struct CCodeShare {
    // Which flange a major-axis moment puts in compression over a span.
    enum LT_BuckleDirection : int {
        LT_TopFlange = 0,
        LT_BottomFlange = 1,
        LT_Reversal = 2,
    };
};

// Effective lengths used by a check, for display by the host.
struct SubspanEffectiveLengthData {
    struct Entry {
        int left = 0;           // member-point index of the span's left end
        int right = 0;          // member-point index of the right end
        double posLeft = 0.0;   // m
        double posRight = 0.0;  // m
        double length = 0.0;    // effective length, m
        double radius = 0.0;    // radius of gyration about the axis, m
        Entry() = default;
        Entry(int l, int r, double pl, double pr, double le, double rg)
            : left(l), right(r), posLeft(pl), posRight(pr), length(le), radius(rg) {}
    };
    using Map = std::map<int, Entry>;  // one-based span number -> entry

    SubspanEffectiveLengthData() = default;
    SubspanEffectiveLengthData(Map major, Map minor, Map lt)
        : majorAxis(std::move(major)), minorAxis(std::move(minor)), lateralTorsional(std::move(lt)) {}

    Map majorAxis;
    Map minorAxis;
    Map lateralTorsional;
};

class CSteelMember : public Corvid::Data::Design::CDesign {
public:
    CSteelMember* Clone() const override = 0;

    virtual int NumDesOpt() const = 0;
    virtual CString Name(int option) = 0;
    virtual CString Country(int option) = 0;
    virtual bool Check() const = 0;
    virtual bool QuickCheck() const = 0;
    virtual void Clear() = 0;
    virtual std::optional<SubspanEffectiveLengthData> GetMemberEffectiveLengthData() = 0;
    virtual bool SetSection(Corvid::Data::CSection const& section) = 0;
    virtual Corvid::Data::CSection GetSection() = 0;
    virtual bool SetSteelDesignProp(CSteelGrade const& grade) = 0;
};

// The generic steel member: everything the host enters.
class CSteelMemberGen : public CSteelMember {
public:
    // Bounds of omega2 (CSA S16-09 cl. 13.6(a): 1.75 + 1.05 kappa + 0.3
    // kappa^2 is 1.0 at kappa = -1 and is capped at 2.5).
    static constexpr double kOmega2Min = 1.0;
    static constexpr double kOmega2Max = 2.5;
    // The shortest override effective length taken (m): a positive one
    // below it is refused as a likely unit error; 0 is allowed.
    static constexpr double kMinOverrideLength = 0.001;

    CSteelMemberGen() = default;
    CSteelMemberGen* Clone() const override = 0;

    // The result object is not owned; a copy of the member shares it.
    virtual void SetResult(CMemberResult* result) { m_result = result; }
    CMemberResult* GetResult() const { return m_result; }

    virtual void SetMemberPointVec(std::vector<CMemberPoint> const& points);
    virtual void SetSubSpanVec(std::vector<CSubSpan> const& subSpans);
    virtual void SetTitle(CString const& title) { m_title = title; }
    // Quick-check mode: utilisations only, stop at the first failure.
    virtual void SetQuickCheckMode() { m_quick = true; }
    void SetQuickCheckMode(bool on) { m_quick = on; }
    bool IsQuickCheckMode() const { return m_quick; }
    virtual std::vector<CMemberPoint> const& GetMemberPointVec() const { return *m_points; }
    virtual std::vector<CSubSpan> const& GetSubSpanVec() const { return *m_subSpans; }
    virtual CString GetTitle() const { return m_title; }
    // Distance from the first to the last member point (0 with fewer than two).
    virtual double Length() const;

    // Effective-length override: when on, Lyy (major-axis buckling), Lzz
    // (minor-axis buckling) and Llt (lateral-torsional and torsional
    // buckling) replace the lengths from the restraints. A negative value is
    // a multiple of the member length (-0.5: half the member).
    virtual void SetLengthOverride(bool on) { m_override = on; }
    virtual void SetLyy(double v) { m_Lyy = v; }
    virtual void SetLzz(double v) { m_Lzz = v; }
    virtual void SetLlt(double v) { m_Llt = v; }
    virtual void SetNumSubSpansUser(int n) { m_numSubSpansUser = n; }
    // Equivalent uniform moment factor omega2 given by the host (replaces the
    // computed one); moment amplification factors are kept for the host. A
    // value outside kOmega2Min ... kOmega2Max is kept as given and refused by
    // ValidateInputData.
    virtual void SetEquivalentUniformMomentFactor(double w);
    void ClearEquivalentUniformMomentFactor() { m_omega2Set = false; }
    bool IsEquivalentUniformMomentFactorSet() const { return m_omega2Set; }
    double EquivalentUniformMomentFactor() const { return m_omega2; }
    virtual void SetMomentAmplificationFactorStrongAxis(double v) { m_ampStrong = v; }
    virtual void SetMomentAmplificationFactorWeakAxis(double v) { m_ampWeak = v; }
    double MomentAmplificationFactorStrongAxis() const { return m_ampStrong; }
    double MomentAmplificationFactorWeakAxis() const { return m_ampWeak; }

    // Member input as CSV text (see SteelMember.cpp for the format). Reading
    // returns false, with a message in the result, on any malformed line and
    // then leaves the member unchanged.
    virtual bool CSVInputData(CString const& text, CSteelGrade& grade);
    virtual CString CSVInputData(CSteelGrade& grade) const;

    virtual bool LengthOverride() const { return m_override; }
    virtual double Lyy() const { return m_Lyy; }
    virtual double Lzz() const { return m_Lzz; }
    virtual double Llt() const { return m_Llt; }
    virtual int NumSubSpansUser() const { return m_numSubSpansUser; }

    // Refuses, with a message in the result and false, input that the checks
    // cannot use: no result object, fewer than two points, positions not
    // finite or not increasing, sub-spans that do not join consecutive
    // points, non-finite actions or lengths, an override length above 0 and
    // below kMinOverrideLength, omega2 outside its bounds, unknown restraint
    // bits, and whatever MissingDesignData() names. On refusal the overall utilisation
    // is set to +infinity, so a refused member never reads as passing.
    bool ValidateInputData() const;
    // Appends the input echo to the report (when text is wanted).
    void AddStringInput(CString const& text) const;
    // Which flange a major-axis moment puts in compression over the span:
    // top when the moments are negative (or all zero), bottom when positive,
    // reversal when both signs occur beyond 1 N.m or 1 % of the largest.
    CCodeShare::LT_BuckleDirection BucklingSenseLT(CSpan const& span) const;
    // The same from the span's most positive and most negative major-axis
    // moment (CSpan::MaxComponent, MinComponent of component 1).
    static CCodeShare::LT_BuckleDirection BucklingSense(double Mmax, double Mmin);

    void Clear() override;

    // The shared point and sub-span vectors (for building spans).
    std::shared_ptr<CMemberPointVec const> PointsPtr() const { return m_points; }
    std::shared_ptr<CSubSpanVec const> SubSpansPtr() const { return m_subSpans; }

protected:
    CSteelMemberGen(CSteelMemberGen const&) = default;
    CSteelMemberGen& operator=(CSteelMemberGen const&) = default;
    // What the design module still lacks to check the member (section,
    // grade ...), as a message; empty when nothing is missing.
    virtual CString MissingDesignData() const { return {}; }

    CMemberResult* m_result = nullptr;

private:
    bool Refuse(CString const& message) const;

    std::shared_ptr<CMemberPointVec const> m_points = std::make_shared<CMemberPointVec const>();
    std::shared_ptr<CSubSpanVec const> m_subSpans = std::make_shared<CSubSpanVec const>();
    CString m_title;
    bool m_quick = false;
    bool m_override = false;
    double m_Lyy = 0.0, m_Lzz = 0.0, m_Llt = 0.0;
    int m_numSubSpansUser = 0;
    bool m_omega2Set = false;
    double m_omega2 = 1.0;
    double m_ampStrong = 1.0, m_ampWeak = 1.0;
};

}  // namespace Corvid::Steel
