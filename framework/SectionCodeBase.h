#pragma once
// Framework base of a design-code section: the host section, the steel grade,
// the design actions of the current station and the member restraint.
#include "CString.h"
#include "Restraint.h"
#include "Section.h"
#include "SteelGrade.h"
#include "Vec3.h"

namespace Corvid::Steel {

class CDesSectGeom;
class CMemberResult;

class CSectionCodeBase {
public:
    CSectionCodeBase() = default;
    CSectionCodeBase(CSectionCodeBase const&) = default;
    CSectionCodeBase& operator=(CSectionCodeBase const&) = default;
    virtual ~CSectionCodeBase() = default;

    // Grade. Changing it empties every cache (strengths drive the cached
    // classes).
    virtual bool SetSteelDesignProp(CSteelGrade const& grade);
    CSteelGrade const& Grade() const { return m_grade; }
    bool HasGrade() const { return m_gradeSet; }

    // Caches of derived classes; the framework calls the clearing operations
    // whenever the grade or the design actions change.
    virtual void ClearVolatileResultCache() const {}
    virtual void ClearAllResultCaches() const {}

    virtual bool SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const result);
    virtual Corvid::Data::CSection GetCorvidSec() const { return m_section; }

    // Design actions of the station (SI; axial tension positive).
    void SetForceAxial(double N);
    void SetMomentXX(double Mx);
    void SetMomentYY(double My);
    void SetTorsion(double T);
    void SetShearMajor(double V);
    void SetShearMinor(double V);
    // forces = (axial, major-axis shear, minor-axis shear)
    void SetMemberForces(Corvid::Vec3<double> const& forces);
    // moments = (torsion, major-axis moment, minor-axis moment)
    void SetMemberMoments(Corvid::Vec3<double> const& moments);
    void ClearForcesAndMoments();
    double ForceAxial() const { return m_N; }
    double MomentXX() const { return m_Mx; }
    double MomentYY() const { return m_My; }
    double Torsion() const { return m_T; }
    double ShearMajor() const { return m_Vmajor; }
    double ShearMinor() const { return m_Vminor; }

    // Net-to-gross and effective-net-to-gross area ratios (default 1).
    void SetNetAreaRatio(double r) { m_netRatio = r; }
    double NetAreaRatio() const { return m_netRatio; }
    void SetEffectiveNetAreaRatio(double r) { m_effNetRatio = r; }
    double EffectiveNetAreaRatio() const { return m_effNetRatio; }

    // Restraint of the member at the station.
    void SetMemberRestraint(Corvid::Data::CRestraint const& r);
    Corvid::Data::CRestraint const& MemberRestraint() const { return m_restraint; }
    bool IsMemberRestraintSet() const { return m_restraintSet; }

    // Strut-and-tie-only flag (written by the connection predicates).
    void SetStrutAndTieOnlyFlag(bool on) const { m_strutAndTie = on; }
    bool StrutAndTieOnlyFlag() const { return m_strutAndTie; }

    // Properties the framework derives from the section geometry.
    virtual double Cw() const;     // warping constant, m^6 (CSA S16-09 cl. 13.6)
    virtual double Iuu() const;    // major principal second moment, m^4
    virtual double Ivv() const;    // minor principal second moment, m^4
    virtual double Alpha() const;  // angle from x to the u axis, rad

    // Turn the actions with the section upside down: the major-axis moment,
    // the major-axis shear and the torsion change sign.
    virtual void MirrorXX();

protected:
    // The geometry the framework reads: a derived class that is itself a
    // geometry returns itself; by default the host section's.
    virtual CDesSectGeom const* SectionGeometry() const;
    double FromGeometry(double (CDesSectGeom::*property)() const) const;
    void ActionsChanged() const { ClearVolatileResultCache(); }
    // Copies what a check changes: the actions, the area ratios, the
    // restraint and the strut-and-tie flag (not the section or the grade).
    void CopyCheckState(CSectionCodeBase const& other) {
        m_N = other.m_N, m_Mx = other.m_Mx, m_My = other.m_My, m_T = other.m_T;
        m_Vmajor = other.m_Vmajor, m_Vminor = other.m_Vminor;
        m_netRatio = other.m_netRatio, m_effNetRatio = other.m_effNetRatio;
        m_restraint = other.m_restraint, m_restraintSet = other.m_restraintSet;
        m_strutAndTie = other.m_strutAndTie;
    }

    Corvid::Data::CSection m_section;
    CSteelGrade m_grade;
    bool m_gradeSet = false;
    double m_N = 0, m_Mx = 0, m_My = 0, m_T = 0, m_Vmajor = 0, m_Vminor = 0;
    double m_netRatio = 1.0;
    double m_effNetRatio = 1.0;
    Corvid::Data::CRestraint m_restraint;
    bool m_restraintSet = false;
    mutable bool m_strutAndTie = false;
};

}  // namespace Corvid::Steel
