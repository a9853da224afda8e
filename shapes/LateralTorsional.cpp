// Elastic critical moment and lateral-torsional buckling resistance of the
// shape calculators (CSA S16-09 cl. 13.6).
#include <algorithm>
#include <cmath>

#include "framework/DesignConstants.h"
#include "framework/MemberResult.h"
#include "section/ReportClauses.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {

using Corvid::Design::kPhi;
using Corvid::Design::kPi;

bool Reporting(CMemberResult* const result) { return result != nullptr && result->WantsText(); }

// CSA S16-09 cl. 13.6(a): elastic critical moment of an unbraced length,
// Mu = (w2 pi / Le) sqrt(E Iy G J + (pi E / Le)^2 Iy Cw).
double CriticalMoment(CCSA_S16_09Section const& calc, double Iy, double J, double Cw, double const& Le, double w2,
                      CMemberResult* const result) {
    double const E = calc.YoungsModulus();
    double const G = calc.ShearModulus();
    double const piE = E * kPi / Le;
    // Without warping (Cw = 0) the second term vanishes even for Le = 0.
    double const warp = Cw == 0.0 ? 0.0 : piE * piE * Iy * Cw;
    double Mu = (w2 * kPi / Le) * std::sqrt(E * Iy * G * J + warp);
    // An undefined product (a length that is not a number, or w2 = 0 over
    // Le = 0) gives no critical moment: no resistance is claimed from it.
    if (std::isnan(Mu)) Mu = 0.0;
    if (Reporting(result)) {
        auto const& f = result->Format();
        result->AddOutputString(L"\tLe = " + f.Length(Le));
        result->AddOutputString(L", w2 = " + f.NoDim(w2) + L"\n");
        result->AddOutputString(L"\tCw = " + f.LSixth(Cw));
        result->AddOutputString(L", J = " + f.LFourth(J) + L"\n");
        result->AddOutputString(L"\tE = " + f.Stress(E));
        result->AddOutputString(L", G = " + f.Stress(G) + L"\n");
        result->AddOutputString(kClCriticalMoment);
        result->AddOutputString(L"\tMu = " + f.Moment(Mu));
        result->AddOutputString(L" \n");
    }
    return Mu;
}

// The reference moment of cl. 13.6(a) for the section's class: Mp (class
// 1 and 2 of an I or RHS) or My.
struct ReferenceMoment {
    double M = 0.0;
    bool plastic = false;    // printed "Mp", otherwise "My"
    bool class4 = false;     // My = M'r / Phi; its M'r line comes first
    bool magnitude = false;  // the elastic test reads |Mu| (tee, classes 1 to 3)
    double MrDash = 0.0;
};

// Whether classes 1 and 2 reach the plastic moment Mp = Z fy (I, RHS) or
// stop at the yield moment My = S fy (channel, tee).
enum class ClassTwo { Plastic, Yield };

// The reference moment of the class cls: Mp = Z fy, My = S fy, or for class
// 4 My = M'r / Phi (the working of M'r goes to mrDashResult). False for no
// class (Invalid).
bool ReferenceFor(CCSA_S16_09Section const& calc, CCSA_S16_09Section::BucklingClass cls, ClassTwo classTwo,
                  CMemberResult* const mrDashResult, ReferenceMoment& ref) {
    double const fy = calc.DesignFy();
    switch (cls) {
        case CCSA_S16_09Section::Class1:
        case CCSA_S16_09Section::Class2:
            if (classTwo == ClassTwo::Plastic) {
                double const Zx = calc.Sxx();  // plastic modulus Z
                ref.M = Zx * fy;
                ref.plastic = true;
                return true;
            }
            [[fallthrough]];
        case CCSA_S16_09Section::Class3: {
            double const Sx = calc.Zxx();  // elastic modulus S
            ref.M = Sx * fy;
            return true;
        }
        case CCSA_S16_09Section::Class4:
            ref.class4 = true;
            ref.MrDash = calc.MrDashxx(mrDashResult);
            ref.M = ref.MrDash / kPhi;
            return true;
        default: return false;
    }
}

// CSA S16-09 cl. 13.6(a), with M = Mp or My:
//   Mu <= 0.67 M:  Mr = Phi Mu
//   Mu >  0.67 M:  Mr = 1.15 Phi M (1 - 0.28 M / Mu) <= Phi M
// ref.magnitude: the elastic test reads |Mu|; the formula always uses Mu
// itself.
double Resistance(double Mu, ReferenceMoment const& ref, CMemberResult* const result) {
    // A critical moment that is not a number counts as none.
    if (std::isnan(Mu)) Mu = 0.0;
    double const M = ref.M;
    bool const elastic = (ref.magnitude ? std::fabs(Mu) : Mu) <= 0.67 * M;
    double const PhiM = kPhi * M;
    double Mr1 = 0.0;
    double Mr = 0.0;
    if (elastic) {
        Mr = kPhi * Mu;
    } else {
        Mr1 = 1.035 * M * (1.0 - 0.28 * M / Mu);  // 1.035 = 1.15 Phi
        Mr = std::min(Mr1, PhiM);
    }
    if (Reporting(result)) {
        auto const& f = result->Format();
        CString const name = ref.plastic ? L"Mp" : L"My";
        if (ref.class4) result->AddOutputString(L"\tM'r_xx = " + f.Moment(ref.MrDash) + L"\n");
        result->AddOutputString(L"\t" + name + L" = " + f.Moment(M) + L"\n");
        if (elastic) {
            result->AddOutputString(L"\tMu = " + f.Moment(Mu) + (ref.class4 ? L" < 0.67 *" : L" < 0.67 * ") +
                                    f.Moment(M) + L"\n");
            result->AddOutputString(L"\tMr = " + f.NoDim(kPhi) + L"*" + f.Moment(Mu) + L" = " + f.Moment(Mr) + L"\n");
        } else {
            result->AddOutputString(L"\tMu = " + f.Moment(Mu) + (ref.class4 ? L" > 0.67 *" : L" > 0.67 * ") +
                                    f.Moment(M) + L"\n");
            result->AddOutputString(L"\tMr = 1.15*Phi*" + name + L"*(1-0.28*" + name + L"/Mu)\n\t   = 1.15*" +
                                    f.NoDim(kPhi) + L"*" + f.Moment(M) + L"*(1-0.28*" + f.Moment(M) + L"/" +
                                    f.Moment(Mu) + L")\n\t   = " + f.Moment(Mr1));
            if (PhiM < Mr1) {
                result->AddOutputString(L"  >  " + f.NoDim(kPhi) + L"*" + f.Moment(M) + L"\n");
                result->AddOutputString(L"\tMr = " + f.Moment(PhiM) + L"\n");
            } else {
                result->AddOutputString(L"\n");
            }
        }
    }
    return Mr;
}

}  // namespace

// ---- I section ----

double CSectionCalcI::Mcr(double const& Le, double w2, CMemberResult* const result) const {
    double const Cw = CDesSectGeomI::Cw();
    return CriticalMoment(*this, CDesSectGeomI::Iyy(), CDesSectGeomI::J(), Cw, Le, w2, result);
}

double CSectionCalcI::Mbxx(double Mu, CMemberResult* const result) const {
    ReferenceMoment ref;
    if (!ReferenceFor(*this, BucklingClassXX(result), ClassTwo::Plastic, nullptr, ref)) return 0.0;
    return Resistance(Mu, ref, result);
}

// ---- channel: the yield moment in every class ----

double CSectionCalcPFC::Mcr(double const& Le, double w2, CMemberResult* const result) const {
    double const Cw = CDesSectGeomPFC::Cw();
    return CriticalMoment(*this, CDesSectGeomPFC::Iyy(), CDesSectGeomPFC::J(), Cw, Le, w2, result);
}

double CSectionCalcPFC::Mbxx(double Mu, CMemberResult* const result) const {
    ReferenceMoment ref;
    if (!ReferenceFor(*this, BucklingClassXX(result), ClassTwo::Yield, nullptr, ref)) return 0.0;
    return Resistance(Mu, ref, result);
}

// ---- tee: no elastic critical moment is offered ----

double CSectionCalcT::Mcr(double const&, double, CMemberResult* const) const { return 0.0; }

double CSectionCalcT::Mbxx(double Mu, CMemberResult* const result) const {
    BucklingClass const cls = BucklingClassXX(result);
    ReferenceMoment ref;
    if (!ReferenceFor(*this, cls, ClassTwo::Yield, nullptr, ref)) return 0.0;
    ref.magnitude = cls != Class4;
    return Resistance(Mu, ref, result);
}

// ---- rectangular hollow section: no warping ----

double CSectionCalcRHS::Mcr(double const& Le, double w2, CMemberResult* const result) const {
    return CriticalMoment(*this, CDesSectGeomRHS::Iyy(), CDesSectGeomRHS::J(), 0.0, Le, w2, result);
}

double CSectionCalcRHS::Mbxx(double Mu, CMemberResult* const result) const {
    ReferenceMoment ref;
    // The class of the flange and web pair (flag kClass4Section when class
    // 4); the working of M'r is part of this report, ahead of the M'r line.
    if (!ReferenceFor(*this, BucklingClassXX(result), ClassTwo::Plastic, result, ref)) return 0.0;
    return Resistance(Mu, ref, result);
}

}  // namespace Corvid::Steel::SteelCSAS1609
