#include "SectionCodeBase.h"

#include "SectGeom.h"

namespace Corvid::Steel {

bool CSectionCodeBase::SetSteelDesignProp(CSteelGrade const& grade) {
    m_grade = m_section.Shape() == Corvid::Data::CSecGeom::CHS ? grade.ForRoundTube() : grade;
    m_gradeSet = true;
    ClearAllResultCaches();
    return true;
}

bool CSectionCodeBase::SetCorvidSec(Corvid::Data::CSection const& section, CMemberResult* const) {
    m_section = section;
    ClearAllResultCaches();
    return true;
}

// Each setter empties the volatile cache when the value changes: cached
// classes depend on the axial force, and no cached value may outlive the
// actions it was computed for.
#define S16_SET_ACTION(member, value) \
    do {                              \
        if (!((member) == (value))) { \
            (member) = (value);       \
            ActionsChanged();         \
        }                             \
    } while (0)

void CSectionCodeBase::SetForceAxial(double N) { S16_SET_ACTION(m_N, N); }
void CSectionCodeBase::SetMomentXX(double Mx) { S16_SET_ACTION(m_Mx, Mx); }
void CSectionCodeBase::SetMomentYY(double My) { S16_SET_ACTION(m_My, My); }
void CSectionCodeBase::SetTorsion(double T) { S16_SET_ACTION(m_T, T); }
void CSectionCodeBase::SetShearMajor(double V) { S16_SET_ACTION(m_Vmajor, V); }
void CSectionCodeBase::SetShearMinor(double V) { S16_SET_ACTION(m_Vminor, V); }

#undef S16_SET_ACTION

void CSectionCodeBase::SetMemberForces(Corvid::Vec3<double> const& forces) {
    SetForceAxial(forces.x);
    SetShearMajor(forces.y);
    SetShearMinor(forces.z);
}

void CSectionCodeBase::SetMemberMoments(Corvid::Vec3<double> const& moments) {
    SetTorsion(moments.x);
    SetMomentXX(moments.y);
    SetMomentYY(moments.z);
}

void CSectionCodeBase::ClearForcesAndMoments() {
    m_N = m_Mx = m_My = m_T = m_Vmajor = m_Vminor = 0.0;
    ActionsChanged();
}

void CSectionCodeBase::SetMemberRestraint(Corvid::Data::CRestraint const& r) {
    m_restraint = r;
    m_restraintSet = true;
}

CDesSectGeom const* CSectionCodeBase::SectionGeometry() const { return m_section.Geometry().get(); }

// A property of the section geometry; 0 without one.
double CSectionCodeBase::FromGeometry(double (CDesSectGeom::*property)() const) const {
    auto const* g = SectionGeometry();
    return g ? (g->*property)() : 0.0;
}

double CSectionCodeBase::Cw() const { return FromGeometry(&CDesSectGeom::Cw); }
double CSectionCodeBase::Iuu() const { return FromGeometry(&CDesSectGeom::Iuu); }
double CSectionCodeBase::Ivv() const { return FromGeometry(&CDesSectGeom::Ivv); }
double CSectionCodeBase::Alpha() const { return FromGeometry(&CDesSectGeom::Alpha); }

void CSectionCodeBase::MirrorXX() {
    m_Mx = -m_Mx;
    m_Vmajor = -m_Vmajor;
    m_T = -m_T;
    ActionsChanged();
}

}  // namespace Corvid::Steel
