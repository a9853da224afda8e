#include "section/CSA_S16_09Section.h"

#include <cmath>
#include <cwctype>

namespace Corvid::Steel::SteelCSAS1609 {

CCSA_S16_09Section& CCSA_S16_09Section::operator=(CCSA_S16_09Section const& other) {
    CSectionCodeBase::operator=(other);
    if (this != &other) {
        m_volatileCache.clear();
        m_volatileCache.insert(other.m_volatileCache.begin(), other.m_volatileCache.end());
        m_persistentCache.clear();
        m_persistentCache.insert(other.m_persistentCache.begin(), other.m_persistentCache.end());
    }
    m_codeName = other.m_codeName;
    return *this;
}

void CCSA_S16_09Section::ClearVolatileResultCache() const { m_volatileCache.clear(); }

void CCSA_S16_09Section::ClearAllResultCaches() const {
    m_volatileCache.clear();
    m_persistentCache.clear();
}

void CCSA_S16_09Section::MirrorXX() { CSectionCodeBase::MirrorXX(); }

bool CCSA_S16_09Section::CacheFind(std::uint32_t key, double& value) const {
    auto const it = m_volatileCache.find(key);
    if (it == m_volatileCache.end()) return false;
    value = it->second;
    return true;
}

void CCSA_S16_09Section::CacheStore(std::uint32_t key, double value) const { m_volatileCache[key] = value; }

double CCSA_S16_09Section::SqrtFy() const { return std::sqrt(DesignStressMin() / 1e6); }

// ---- quantities each shape provides ----
// The base answers the most conservative value: no class (Invalid) and no
// resistance, so a quantity a shape does not provide can never read as a pass.

CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassXX(CMemberResult* const) { return Invalid; }
CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassYY(CMemberResult* const) { return Invalid; }
CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassAxial(CMemberResult* const) { return Invalid; }
CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassOverAll(CMemberResult* const) { return Invalid; }
double CCSA_S16_09Section::ZxxEffective() const { return 0.0; }
double CCSA_S16_09Section::ZyyEffective() const { return 0.0; }
double CCSA_S16_09Section::AreaCompEffective() const { return 0.0; }
double CCSA_S16_09Section::YbarXXEffective() const { return Ybar(); }
double CCSA_S16_09Section::XbarYYEffective() const { return Xbar(); }
double CCSA_S16_09Section::XbarCompEffective() const { return Xbar(); }
double CCSA_S16_09Section::YbarCompEffective() const { return Ybar(); }
void CCSA_S16_09Section::CheckShearCapacityXX(double const&, CMemberResult* const) const {}
void CCSA_S16_09Section::CheckShearCapacityYY(double const&, CMemberResult* const) const {}
double CCSA_S16_09Section::ShearCapacityMaxX(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::ShearCapacityMaxY(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::TorsionCapacity(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::Mcr(double const&, double, CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::Mrxx(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::Mryy(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::MrDashxx(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::MrDashyy(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::Mbxx(double, CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::Crxx(double, double& Fe, CMemberResult* const) const { return Fe = 0.0; }
double CCSA_S16_09Section::Cryy(double, double& Fe, CMemberResult* const) const { return Fe = 0.0; }
double CCSA_S16_09Section::Cruu(double, double& Fe, CMemberResult* const) const { return Fe = 0.0; }
double CCSA_S16_09Section::Crvv(double, double& Fe, CMemberResult* const) const { return Fe = 0.0; }
double CCSA_S16_09Section::CrT(double, double& Fe, CMemberResult* const) const { return Fe = 0.0; }
double CCSA_S16_09Section::CrFT(double, double, double, double& Fe, CMemberResult* const) const {
    return Fe = 0.0;
}
double CCSA_S16_09Section::Tr(CMemberResult* const) const { return 0.0; }
CString CCSA_S16_09Section::SectPropString(Corvid::Util::CDesFormat const&) { return {}; }

// ---- common to all shapes ----

bool CCSA_S16_09Section::IsStrutOnlyConnection() { return false; }

// Net area: gross area times the host's net-to-gross ratio.
double CCSA_S16_09Section::Anet() const { return Area() * NetAreaRatio(); }

double CCSA_S16_09Section::DesignStressMin() const { return m_grade.DesignStrength(MaxThick()); }

double CCSA_S16_09Section::TensileStrength() const { return m_grade.TensileStrength(MaxThick()); }

CCSA_S16_09Section::DesignMethod CCSA_S16_09Section::GetDesignMethod() const {
    double const fyt = m_grade.DesignStrength(MaxThick());
    return fyt > DesignStressMin() ? ReducedStress : FullStrength;
}

bool CCSA_S16_09Section::IsEdition2009() const {
    static CString const name09 = L"csa s16-09";
    if (m_codeName.size() != name09.size()) return false;
    for (std::size_t i = 0; i < name09.size(); ++i)
        if (static_cast<wchar_t>(std::towlower(m_codeName[i])) != name09[i]) return false;
    return true;
}

CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassBiAxial(CMemberResult* const result) {
    BucklingClass const cx = BucklingClassXX(result);
    BucklingClass const cy = BucklingClassYY(result);
    return Worst(cx, cy);
}

CString CCSA_S16_09Section::GetLBCString(BucklingClass c) {
    switch (c) {
        case Invalid: return L"Invalid";
        case Class1: return L"Class 1";
        case Class2: return L"Class 2";
        case Class3: return L"Class 3";
        case Class4: return L"Class 4";
    }
    return L"";
}

CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::Worst(BucklingClass a, BucklingClass b) {
    if (a == Invalid || b == Invalid) return Invalid;
    if (a == Class4 || b == Class4) return Class4;
    if (a == Class3 || b == Class3) return Class3;
    if (a == Class2 || b == Class2) return Class2;
    return Class1;
}

}  // namespace Corvid::Steel::SteelCSAS1609
