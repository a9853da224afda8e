#include "section/CSA_S16_09Section.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iterator>

#include "framework/DesignConstants.h"
#include "framework/TextCase.h"
#include "section/ReportClauses.h"

namespace Corvid::Steel::SteelCSAS1609 {

CCSA_S16_09Section& CCSA_S16_09Section::operator=(CCSA_S16_09Section const& other) {
    CSectionCodeBase::operator=(other);
    m_volatileCache = other.m_volatileCache;
    std::copy(std::begin(other.m_fixedClasses), std::end(other.m_fixedClasses), std::begin(m_fixedClasses));
    m_fy = other.m_fy;
    m_sqrtFy = other.m_sqrtFy;
    m_hasFy = other.m_hasFy;
    std::copy(std::begin(other.m_axialClasses), std::end(other.m_axialClasses), std::begin(m_axialClasses));
    std::copy(std::begin(other.m_fixedValues), std::end(other.m_fixedValues), std::begin(m_fixedValues));
    m_fixedValuesSet = other.m_fixedValuesSet;
    m_fixedId = other.m_fixedId;
    std::copy(std::begin(other.m_curves), std::end(other.m_curves), std::begin(m_curves));
    m_nextCurve = other.m_nextCurve;
    m_codeName = other.m_codeName;
    m_reportCompression = other.m_reportCompression;
    m_edition2009 = other.m_edition2009;
    return *this;
}

void CCSA_S16_09Section::ClearVolatileResultCache() const { m_volatileCache.size = 0; }

void CCSA_S16_09Section::ClearAllResultCaches() const {
    m_volatileCache.size = 0;
    ClearFixed();
}

std::uint64_t CCSA_S16_09Section::NewFixedId() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

void CCSA_S16_09Section::MirrorXX() {
    CSectionCodeBase::MirrorXX();
    ClearFixed();
}

bool CCSA_S16_09Section::CacheFind(std::uint32_t key, double& value) const {
    Cache const& c = m_volatileCache;
    for (std::size_t i = 0; i < c.size; ++i)
        if (c.keys[i] == key) {
            value = c.values[i];
            return true;
        }
    return false;
}

void CCSA_S16_09Section::CacheStore(std::uint32_t key, double value) const {
    Cache& c = m_volatileCache;
    for (std::size_t i = 0; i < c.size; ++i)
        if (c.keys[i] == key) {
            c.values[i] = value;
            return;
        }
    if (c.size == Cache::kSlots) return;
    c.keys[c.size] = key;
    c.values[c.size++] = value;
}

// ---- quantities each shape provides ----
// The base answers the most conservative value: no class (Invalid) and no
// resistance, so a quantity a shape does not provide can never read as a pass.

CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassXX(CMemberResult* const) const { return Invalid; }
CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassYY(CMemberResult* const) const { return Invalid; }
CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassAxial(CMemberResult* const) const { return Invalid; }
CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassOverAll(CMemberResult* const) const {
    return Invalid;
}
double CCSA_S16_09Section::ZxxEffective() const { return 0.0; }
double CCSA_S16_09Section::ZyyEffective() const { return 0.0; }
double CCSA_S16_09Section::AreaCompEffective() const { return 0.0; }
double CCSA_S16_09Section::YbarXXEffective() const { return Ybar(); }
double CCSA_S16_09Section::XbarYYEffective() const { return Xbar(); }
double CCSA_S16_09Section::XbarCompEffective() const { return Xbar(); }
double CCSA_S16_09Section::YbarCompEffective() const { return Ybar(); }
void CCSA_S16_09Section::CheckShearCapacityXX(double const&, CMemberResult* const) const {}
void CCSA_S16_09Section::CheckShearCapacityYY(double const&, CMemberResult* const) const {}
CString CCSA_S16_09Section::ShearResistedBy(bool) const { return L"not checked"; }
double CCSA_S16_09Section::TorsionCapacity(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::Mcr(double const&, double, CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::MrDashxx(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::MrDashyy(CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::Mbxx(double, CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::Crxx(double, double& Fe, CMemberResult* const) const { return Fe = 0.0; }
double CCSA_S16_09Section::Cryy(double, double& Fe, CMemberResult* const) const { return Fe = 0.0; }
// Only the angle buckles about principal axes of its own; every other shape
// answers no resistance and leaves Fe as it was.
double CCSA_S16_09Section::Cruu(double, double&, CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::Crvv(double, double&, CMemberResult* const) const { return 0.0; }
double CCSA_S16_09Section::CrT(double, double& Fe, CMemberResult* const) const { return Fe = 0.0; }
double CCSA_S16_09Section::CrFT(double, double, double, double& Fe, CMemberResult* const) const { return Fe = 0.0; }

// ---- common to all shapes ----

bool CCSA_S16_09Section::IsStrutOnlyConnection() { return false; }

// Net area: gross area times the host's net-to-gross ratio.
double CCSA_S16_09Section::Anet() const { return Area() * NetAreaRatio(); }

double CCSA_S16_09Section::DesignStressMin() const { return m_grade.DesignStrength(MaxThick()); }

double CCSA_S16_09Section::TensileStrength() const { return m_grade.TensileStrength(MaxThick()); }

CCSA_S16_09Section::DesignMethod CCSA_S16_09Section::GetDesignMethod() const {
    double const fyt = m_grade.DesignStrength(MaxThick());
    return fyt > DesignFy() ? ReducedStress : FullStrength;
}

void CCSA_S16_09Section::SetCodeName(CString name) {
    m_codeName = std::move(name);
    ClearFixed();
    m_edition2009 = EqualIgnoringCase(m_codeName, L"csa s16-09");
}

CCSA_S16_09Section::BucklingClass CCSA_S16_09Section::BucklingClassBiAxial(CMemberResult* const result) const {
    BucklingClass const cx = BucklingClassXX(result);
    BucklingClass const cy = BucklingClassYY(result);
    return Worst(cx, cy);
}

CString const& CCSA_S16_09Section::GetLBCString(BucklingClass c) {
    static CString const names[] = {L"Invalid", L"Class 1", L"Class 2", L"Class 3", L"Class 4", L""};
    switch (c) {
        case Invalid: return names[0];
        case Class1: return names[1];
        case Class2: return names[2];
        case Class3: return names[3];
        case Class4: return names[4];
    }
    return names[5];
}

// ---- moment and shear capacity (CSA S16-09 cl. 13.5, 13.4.1.2) ----

namespace {
using Corvid::Design::kPhi;
constexpr double PhiU = 0.75;

bool Reporting(CMemberResult* const result) { return result != nullptr && result->WantsText(); }
}  // namespace

namespace {
// The report of MomentCapacity: its heading (written whatever the class)
// and, for classes 1 to 3, its working.
void WriteMomentHeading(CMemberResult* const result, bool major, CString const& codeName) {
    result->AddOutputString(major ? L"Determine moment capacity Mrxx\n" : L"Determine moment capacity Mryy\n");
    result->AddOutputString(L"\t<i>ref. " + codeName + kClReducedMoment + L"</i>\n");
}
void WriteMomentWorking(CMemberResult* const result, bool major, bool plastic, double modulus, double fy, double Mr) {
    wchar_t const* const name = major ? L"Mrxx" : L"Mryy";
    auto const& f = result->Format();
    CString const sym = plastic ? L"Z" : L"S";
    result->AddOutputString(L"\t" + sym + L" = " + f.LCubed(modulus) + L"\n");
    result->AddOutputString(L"\tfy = " + f.Stress(fy) + L"\n");
    result->AddOutputString(CString(L"\t") + name + L" = Phi*" + sym + L"*fy\n\t     = " + f.NoDim(kPhi) + L"*" +
                            f.LCubed(modulus) + L"*" + f.Stress(fy) + L"\n\t     = " + f.Moment(Mr) + L"\n");
}
}  // namespace

double CCSA_S16_09Section::MomentCapacity(bool major, CMemberResult* const result) const {
    BucklingClass const cls = major ? BucklingClassXX(result) : BucklingClassYY(result);
    double const fy = DesignFy();
    bool const text = Reporting(result);
    if (text) WriteMomentHeading(result, major, CodeName());
    if (cls != Class1 && cls != Class2 && cls != Class3) return 0.0;
    // Class 1 and 2: Mr = Phi Z Fy with the plastic modulus (cl. 13.5(a));
    // class 3: Mr = Phi S Fy with the elastic modulus (cl. 13.5(b)).
    bool const plastic = cls != Class3;
    double const modulus = plastic ? (major ? Sxx() : Syy()) : (major ? Zxx() : Zyy());
    // Kept for its axis and class: it depends on nothing else.
    double const Mr =
        FixedValue((major ? kMrMajorClass1 : kMrMinorClass1) + (cls - Class1), [&] { return modulus * kPhi * fy; });
    if (text) WriteMomentWorking(result, major, plastic, modulus, fy, Mr);
    return Mr;
}

double CCSA_S16_09Section::Mrxx(CMemberResult* const result) const { return MomentCapacity(true, result); }
double CCSA_S16_09Section::Mryy(CMemberResult* const result) const { return MomentCapacity(false, result); }

double CCSA_S16_09Section::ShearStressMax(bool major, CMemberResult* const result) const {
    // CSA S16-09 cl. 13.4.1.2: the shear stress may not exceed 0.66 Phi Fy.
    double const fy = DesignFy();
    double const vrMax = 0.66 * kPhi * fy;
    if (Reporting(result)) {
        auto const& f = result->Format();
        result->AddOutputString(L"Maximum allowable shear stress\n");
        result->AddOutputString(L"\t<i>ref. " + CodeName() + kClShearStressLimit + L"</i>\n");
        result->AddOutputString(CString(major ? L"\tvr_max_xx" : L"\tvr_max_yy") +
                                L" = 0.66*Phi*fy\n\t          = 0.66*" + f.NoDim(kPhi) + L"*" + f.Stress(fy) +
                                L"\n\t          = " + f.Stress(vrMax) + L"\n");
    }
    return vrMax;
}

double CCSA_S16_09Section::ShearCapacityMaxX(CMemberResult* const result) const { return ShearStressMax(true, result); }
double CCSA_S16_09Section::ShearCapacityMaxY(CMemberResult* const result) const {
    return ShearStressMax(false, result);
}

// ---- tension and compression resistance (CSA S16-09 cl. 13.2, 13.3.1) ----

double CCSA_S16_09Section::Tr(CMemberResult* const result) const {
    bool const text = Reporting(result);
    if (text) result->AddOutputString(L"Determination of Tr\n\t<i>ref. " + CodeName() + kClTension + L"</i>\n");
    double const An = Area() * NetAreaRatio();
    double const Ag = GeometryArea();
    double const Ane = Area() * NetAreaRatio() * EffectiveNetAreaRatio();
    double const fu = TensileStrength();
    double const fy = DesignFy();
    double const Tr1 = kPhi * Ag * fy;   // cl. 13.2(a)(i): gross section yielding
    double const Tr2 = PhiU * An * fu;   // cl. 13.2(a)(ii): net section fracture
    double const Tr3 = PhiU * Ane * fu;  // cl. 13.2(a)(iii): effective net section fracture
    double const Tr = std::min({Tr1, Tr2, Tr3});
    CResultIndent const indent(result);
    if (text) {
        auto const& f = result->Format();
        result->AddOutputString(L"i). Tr1 = Phi*Ag*fy = " + f.NoDim(kPhi) + L"*" + f.AreaCS(Ag) + L"*" + f.Stress(fy) +
                                L" = " + f.Force(Tr1) + L"\n");
        result->AddOutputString(L"ii). Tr2 = PhiU*An*fu = " + f.NoDim(PhiU) + L"*" + f.AreaCS(An) + L"*" +
                                f.Stress(fu) + L" = " + f.Force(Tr2) + L"\n");
        result->AddOutputString(L"iii). Tr3 = PhiU*Ane*fu = " + f.NoDim(PhiU) + L"*" + f.AreaCS(Ane) + L"*" +
                                f.Stress(fu) + L" = " + f.Force(Tr3) + L"\n");
        result->AddOutputString(L"Tr = min(Tr1, Tr2, Tr3) = min (" + f.Force(Tr1) + L"," + f.Force(Tr2) + L"," +
                                f.Force(Tr3) + L") = " + f.Force(Tr) + L"\n");
    }
    return Tr;
}

double CCSA_S16_09Section::CrCompute(double Le, double& Fe, double I, wchar_t const* axisName, wchar_t const* feName,
                                     double A, CMemberResult* const result) const {
    double const Ag = GeometryArea();
    double const r = std::sqrt(I / Ag);
    bool const text = Reporting(result);
    if (text) {
        // The axis's names as report text, made only for the report.
        CString const axis(axisName);
        result->AddOutputString(L"Determination of Cr" + axis + L"\n\t<i>ref. " + CodeName() + kClCompression +
                                L"</i>\n");
    }
    double const Fy = DesignFy();
    double const E = YoungsModulus();
    CResultIndent const indent(result);
    // Slenderness limits of cl. 10.4.2: reported here, checked by the member's
    // span checks.
    double const slenderness = Le / r;
    bool const compression = ForceAxial() < 0.0;
    if (text) {
        auto const& f = result->Format();
        wchar_t const* const limit = compression ? L"200" : L"300";
        if (slenderness > (compression ? kSlendernessLimitCompression : kSlendernessLimitTension))
            result->AddOutputString(L"Le/r = " + f.Length(Le) + L"/" + f.LengthSmall(r) + L" = " +
                                    f.NoDim(slenderness) + L"<blue> > " + limit + L". <i>ref. " + CodeName() +
                                    kClSlendernessLimit + L"</i></blue>\n");
        else
            result->AddOutputString(L"Le/r = " + f.Length(Le) + L"/" + f.LengthSmall(r) + L" = " +
                                    f.NoDim(slenderness) + L" <= " + limit + L". <blue><i>ref. " + CodeName() +
                                    kClSlendernessLimit + L"</i></blue>\n");
    }
    // cl. 13.3.1: Fe = pi^2 E / (KL/r)^2, lambda = sqrt(Fy/Fe),
    // Cr = Phi A Fy (1 + lambda^2n)^(-1/n).
    using Corvid::Design::kPi;
    Fe = kPi * kPi * E / (slenderness * slenderness);
    double const lambda = std::fabs(Le) < 0.0001 ? 0.0 : std::sqrt(Fy / Fe);
    double const n = CurveExponent(Ag);
    double const Cr = kPhi * A * Fy * CurveFactor(lambda, n);
    if (text) {
        CString const feLabel(feName);
        auto const& f = result->Format();
        if (auto const why = CurveExponentWhy(Ag); !why.empty() && std::fabs(Le) >= 0.0001)
            result->AddOutputString(why + L" <i>ref. " + CodeName() + kClCompression + L"</i>\n");
        if (std::fabs(Le) < 0.0001) {
            result->AddOutputString(L"Cr = Phi*A*Fy\n   = " + f.NoDim(kPhi) + L"*" + f.AreaCS(A) + L"*" + f.Stress(Fy) +
                                    L"\n   = " + f.Force(Cr) + L"\n");
        } else {
            result->AddOutputString(feLabel + L" = PI*PI*E/(Le/r)^2\n   = PI*PI*" + f.Stress(E) + L"/(" + f.Length(Le) +
                                    L"/" + f.LengthSmall(r) + L")^2\n   = " + f.Stress(Fe) + L"\n");
            result->AddOutputString(L"Lambda = sqrt(Fy/" + feLabel + L") = sqrt( " + f.Stress(Fy) + L" / " +
                                    f.Stress(Fe) + L") = " + f.NoDim(lambda) + L"\n");
            result->AddOutputString(L"Cr = Phi*A*Fy*(1+Lambda^(2*n))^-(1/n)\n   = " + f.NoDim(kPhi) + L"*" +
                                    f.AreaCS(A) + L"*" + f.Stress(Fy) + L"*(1+" + f.NoDim(lambda) + L"^(2*" +
                                    f.NoDim(n) + L"))^-(1/" + f.NoDim(n) + L")\n   = " + f.Force(Cr) + L"\n");
        }
    }
    return Cr;
}

double CCSA_S16_09Section::CurveExponent(double Ag) const {
    auto const& d = m_section.Dims();
    if (d.classH || d.flameCut) return 2.24;
    return Ag * 7850.0 > 313.0 && IsNamedA36(m_grade.Name()) ? 0.93 : 1.34;
}

CString CCSA_S16_09Section::CurveExponentWhy(double Ag) const {
    auto const& d = m_section.Dims();
    if (d.classH) return L"n = 2.24: HSS to CSA G40.20 Class H (hot-formed or stress-relieved)";
    if (d.flameCut) return L"n = 2.24: doubly symmetric welded three-plate member, flange edges oxy-flame-cut";
    if (CurveExponent(Ag) != 1.34) return L"n = 0.93: heavy ASTM A36 section (over 313 kg/m)";
    return {};
}

bool CCSA_S16_09Section::IsNamedA36(CString const& name) { return EqualIgnoringCase(name, L"astm_a36"); }

}  // namespace Corvid::Steel::SteelCSAS1609
