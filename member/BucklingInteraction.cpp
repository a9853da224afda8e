// Member strength and stability under axial compression and bending
// (CSA S16-09 cl. 13.8.2 for class 1 and 2 I-shaped members, cl. 13.8.3
// otherwise) and the moment amplification factors U1 (cl. 13.8.4, 13.8.5).
#include <algorithm>
#include <cmath>
#include <utility>

#include "framework/DesignConstants.h"
#include "framework/ResultFlags.h"
#include "member/CSA_S16_09_Member.h"
#include "member/SpanActions.h"
#include "section/ReportClauses.h"

namespace Corvid::Steel::SteelCSAS1609 {

namespace {

// An axial ratio Cu / Cr in absolute value; 0/0 (a check that ran and found
// no resistance) reads as +infinity.
double AxialRatio(double Cu, double Cr) { return std::fabs(CMemberResult::InfinitiseNANs(Cu / Cr)); }

// A moment term factor * M / Mr in absolute value: zero when there is no
// moment (whatever the factor or the resistance), +infinity for a moment
// without resistance.
double MomentTerm(double factor, double M, double Mr) {
    if (M == 0.0) return 0.0;
    return std::fabs(CMemberResult::InfinitiseNANs(factor * M / Mr));
}

// U1 = omega1 / (1 - Cu / Ce) of one axis (CSA S16-09 cl. 13.8.4, 13.8.5):
// component 1 of the moment vector for the major axis, 2 for the minor.
double AmplificationFactor(CSpanFacts const& span, double Cu, double E, double I, std::size_t axis, bool loaded) {
    double const L = span.Span().Length();
    double const Ce = Corvid::Design::kPi * Corvid::Design::kPi * E * I / (L * L);
    double const M0 = span.EndMoments(0)[axis];
    double const M1 = span.EndMoments(1)[axis];
    double const Mmax = span.Max(true, axis);
    double const Mmin = span.Min(true, axis);
    // The sense of curvature from the span's extreme moments: without a
    // transverse load (the only case where kappa counts) they are the end
    // moments.
    double const kappa = EndMomentRatio(M0, M1, IsReverseCurvature(Mmax, Mmin));
    double const omega1 = loaded ? 1.0 : std::max(0.6 - 0.4 * kappa, 0.4);
    // At or beyond the Euler load the amplification has no bound.
    if (!(Cu < Ce)) return Corvid::Design::kInfinity;
    return omega1 / (1.0 - Cu / Ce);
}
}  // namespace

// The records of one long span ask again and again: the last answer of each
// axis is kept for its span and Cu.
double CSA_S16_09_Member::U1x(CSpan const& span, double Cu) const {
    AmplificationMemo& m = m_u1Memo[0];
    if (!m.set || m.span != span || !(m.Cu == Cu)) {
        CSpanFacts const& facts = Facts(span);
        m = {span, Cu, AmplificationFactor(facts, Cu, m_calc->YoungsModulus(), m_calc->Ixx(), 1, facts.IsLoaded(false)),
             true};
    }
    return m.U1;
}

double CSA_S16_09_Member::U1y(CSpan const& span, double Cu) const {
    AmplificationMemo& m = m_u1Memo[1];
    if (!m.set || m.span != span || !(m.Cu == Cu)) {
        // omega1 = 1.0 under transverse load in either plane.
        CSpanFacts const& facts = Facts(span);
        m = {span, Cu,
             AmplificationFactor(facts, Cu, m_calc->YoungsModulus(), m_calc->Iyy(), 2,
                                 facts.IsLoaded(false) || facts.IsLoaded(true)),
             true};
    }
    return m.U1;
}

namespace {
// The governing moments of a record with their cross-section resistances,
// the moments with their sense: a section not symmetric about an axis resists
// the two senses of bending differently (the flange in compression). The
// larger moment of each axis is taken first; a moment of the other sense
// replaces it where its ratio to its own resistance is larger. The clone
// keeps the governing moments (the tension line reads its moduli).
struct GoverningMoments {
    double Mx, My, Mrx, Mry;
};
GoverningMoments GoverningMomentsOf(CInteractionData const& record, CCSA_S16_09Section& clone, bool clause1382) {
    auto resistances = [&](double Mx, double My) {
        clone.SetMomentXX(Mx);
        clone.SetMomentYY(My);
        return clause1382 ? std::pair(clone.Mrxx(nullptr), clone.Mryy(nullptr))
                          : std::pair(clone.MrDashxx(nullptr), clone.MrDashyy(nullptr));
    };
    bool const firstLarger = record.Mfx1 >= record.Mfx2;
    double Mx = firstLarger ? record.senseX1 * record.Mfx1 : record.senseX2 * record.Mfx2;
    double const MxOther = firstLarger ? record.senseX2 * record.Mfx2 : record.senseX1 * record.Mfx1;
    double My = record.senseY * record.MfyMax;
    double const MyOther = -record.senseY * record.MfyOpposite;
    auto [Mrx, Mry] = resistances(Mx, My);
    if (MxOther * Mx < 0.0) {
        double const MrxOther = resistances(MxOther, My).first;
        if (MomentTerm(1.0, MxOther, MrxOther) > MomentTerm(1.0, Mx, Mrx)) {
            Mx = MxOther;
            Mrx = MrxOther;
        }
    }
    if (MyOther != 0.0) {
        double const MryOther = resistances(Mx, MyOther).second;
        if (MomentTerm(1.0, MyOther, MryOther) > MomentTerm(1.0, My, Mry)) {
            My = MyOther;
            Mry = MryOther;
        }
    }
    clone.SetMomentXX(Mx);
    clone.SetMomentYY(My);
    return {Mx, My, Mrx, Mry};
}

// The figures of the member interaction of one record.
struct InteractionWorking {
    bool clause1382;     // CSA S16-09 cl. 13.8.2 (class 1 and 2 I-shaped), else cl. 13.8.3
    double beta;         // 0.6 + 0.4 lambda_y <= 0.85
    double Mux, Muy;     // governing moment magnitudes
    double Mrx, Mry;     // their resistances
    double MuxLT, MrLT;  // the lateral-torsional check's governing moment and resistance
    double u1x, u1y;     // amplification factors U1, at least 1
    double a1, b1, c1;   // overall member strength: axial, major, minor terms
    double a2, b2, c2;   // lateral-torsional buckling strength
    double d1, d2;       // biaxial bending
    double util1, util2, util3;
};

// The axial, moment and sum terms of CSA S16-09 cl. 13.8.2 and 13.8.3 (w
// holds the moments and factors; the terms are filled in).
void InteractionTerms(CInteractionData const& record, bool ftRan, InteractionWorking& w) {
    // Flexural-torsional ratios count only where that check ran: it does
    // not run for a doubly symmetric section.
    w.a1 = std::max({AxialRatio(record.CuX, record.CrX_L), AxialRatio(record.CuY, record.CrY_L),
                     AxialRatio(record.CuT, record.CrT_L)});
    w.a2 = std::max(
        {AxialRatio(record.CuX, record.CrX), AxialRatio(record.CuY, record.CrY), AxialRatio(record.CuT, record.CrT)});
    // CSA S16-09 cl. 13.8.2: 0.85 U1x Mfx / Mrx and beta U1y Mfy / Mry;
    // cl. 13.8.3: U1x Mfx / M'rx and U1y Mfy / M'ry.
    double const kx = w.clause1382 ? 0.85 : 1.0;
    double const ky = w.clause1382 ? w.beta : 1.0;
    if (!w.clause1382 && ftRan) {
        w.a1 = std::max(w.a1, AxialRatio(record.CuFT, record.CrFT_L));
        w.a2 = std::max(w.a2, AxialRatio(record.CuFT, record.CrFT));
    }
    w.b1 = MomentTerm(kx * w.u1x, w.Mux, w.Mrx);
    w.c1 = MomentTerm(ky * w.u1y, w.Muy, w.Mry);
    w.b2 = MomentTerm(kx * w.u1x, w.MuxLT, w.MrLT);
    w.c2 = w.c1;
    w.d1 = MomentTerm(1.0, w.MuxLT, w.MrLT);
    w.d2 = MomentTerm(1.0, w.Muy, w.Mry);
    w.util1 = w.a1 + w.b1 + w.c1;  // overall member strength
    w.util2 = w.a2 + w.b2 + w.c2;  // lateral-torsional buckling strength
    w.util3 = w.d1 + w.d2;         // biaxial bending
}

// The forces, resistances and factors of the interaction (text wanted).
void WriteInteractionInputs(CMemberResult* result, CInteractionData const& record, InteractionWorking const& w,
                            CString const& code) {
    auto const& f = result->Format();
    bool const b = w.clause1382;
    result->AddOutputString(L"Overall member strength check:\n");
    result->AddOutputString(L"<i>ref. " + code + (b ? kClOverallStrengthClass12 : kClOverallStrengthOther) + L"</i>\n");
    result->AddOutputString(L"Cux = " + f.Force(record.CuX) + L", Cuy = " + f.Force(record.CuY) + L", CuT = " +
                            f.Force(record.CuT));
    if (b)
        result->AddOutputString(L"\n");
    else
        result->AddOutputString(L", CuFT = " + f.Force(record.CuFT) + L"\n");
    result->AddOutputString(L"Mux = " + f.Moment(w.Mux) + L", Muy = " + f.Moment(w.Muy) + L"\n");
    result->AddOutputString(L"Crx (K=1) = " + f.Force(record.CrX_L) + L", Cry (K=1) = " + f.Force(record.CrY_L) +
                            L", CrT (K=1) = " + f.Force(record.CrT_L));
    if (b)
        result->AddOutputString(L"\n");
    else
        result->AddOutputString(L", CrFT (K=1) = " + f.Force(record.CrFT_L) + L"\n");
    result->AddOutputString(L"Crx = " + f.Force(record.CrX) + L", Cry = " + f.Force(record.CrY) +
                            (b ? L", dCrT = " : L", CrT = ") + f.Force(record.CrT));
    if (b)
        result->AddOutputString(L"\n");
    else
        result->AddOutputString(L", CrFT = " + f.Force(record.CrFT) + L"\n");
    result->AddOutputString(L"Mrx = " + f.Moment(w.Mrx) + L", Mry = " + f.Moment(w.Mry) + L"\n");
    if (b)
        result->AddOutputString(L"Beta = " + f.NoDim(w.beta) + L", U1x = " + f.NoDim(w.u1x) + L", U1y = " +
                                f.NoDim(w.u1y) + L"\n");
    else
        result->AddOutputString(L"U1x = " + f.NoDim(w.u1x) + L", U1y = " + f.NoDim(w.u1y) + L"\n");
}

// The three sums of the interaction (text wanted).
void WriteInteractionSums(CMemberResult* result, InteractionWorking const& w, CString const& code) {
    auto const& f = result->Format();
    auto sum3 = [&f, result](wchar_t const* head, double a, double b, double c, double u) {
        result->AddOutputString(head + f.NoDim(a) + L" + " + f.NoDim(b) + L" + " + f.NoDim(c) + L") = " + f.Util(u) +
                                L"\n");
    };
    result->AddOutputString(L"Member strength and stability\n\t<i>ref. " + code +
                            (w.clause1382 ? kClInteractionClass12 : kClInteractionOther) + L"</i>\n");
    result->AddOutputString(L"\tCheck for overall member strength\n");
    sum3(L"\t\tUtil1 = (", w.a1, w.b1, w.c1, w.util1);
    result->AddOutputString(L"\tCheck for lateral torsional buckling strength\n");
    sum3(L"\t\tUtil2 = (", w.a2, w.b2, w.c2, w.util2);
    result->AddOutputString(L"\tCheck for biaxial bending\n");
    result->AddOutputString(L"\t\tUtil3 = (" + f.NoDim(w.d1) + L" + " + f.NoDim(w.d2) + L") = " + f.Util(w.util3) +
                            L"\n");
}

// Tension and bending (CSA S16-09 cl. 13.9 (b)); reported only (text wanted).
void WriteTensionAndBending(CMemberResult* result, CCSA_S16_09Section const& clone, bool plastic, double Tu,
                            InteractionWorking const& w) {
    auto const& f = result->Format();
    double const A = clone.AreaCompEffective();
    double const Z = plastic ? clone.Sxx() : clone.Zxx();
    double const t1 = MomentTerm(1.0, w.MuxLT, w.MrLT);
    double const t2 = std::fabs(CMemberResult::InfinitiseNANs(Tu * Z / (w.MrLT * A)));
    result->AddOutputString(L"\tCheck for combined axial tension and bending\n");
    result->AddOutputString(L"\t\tMfx/Mrxx - Tu/Mrxx*" + CString(plastic ? L"Zpl" : L"Ze") + L"/A  = ( " + f.NoDim(t1) +
                            L" - " + f.NoDim(t2) + L" ) = " + f.Util(t1 - t2) + L"\n");
}
}  // namespace

bool CSA_S16_09_Member::CheckBucklingInteraction(CInteractionData const& record) const {
    CMemberResult* const result = m_result;
    bool const text = result->WantsText();
    if (text) {
        auto const& f = result->Format();
        result->AddOutputString(L"Major Axis Span: " + record.spanXX.GetString(f) + L"\nMinor Axis Span: " +
                                record.spanYY.GetString(f) + L"\nLateral Torsional Span: " +
                                record.spanLT.GetString(f) + L"\n");
    }
    CResultIndent const indent(result);

    double const Tu = std::max(0.0, Facts(record.spanLT).Min(false, 0));
    CCSA_S16_09Section::BucklingClass const c = m_calc->BucklingClassOverAll(nullptr);
    bool const plastic = c == CCSA_S16_09Section::Class1 || c == CCSA_S16_09Section::Class2;
    double const Cu = std::max({record.CuX, record.CuY, record.CuT});
    bool const second = MomentTerm(1.0, record.Mfx2, record.Mrx2) > MomentTerm(1.0, record.Mfx1, record.Mrx1);
    InteractionWorking w{};
    w.clause1382 = m_calc->IsIorHSection() && plastic;
    w.beta = std::min(0.6 + 0.4 * record.lambdaY, 0.85);
    w.MuxLT = second ? record.Mfx2 : record.Mfx1;
    w.MrLT = second ? record.Mrx2 : record.Mrx1;
    CCSA_S16_09Section& clone = CompressedClone(Cu);
    GoverningMoments const g = GoverningMomentsOf(record, clone, w.clause1382);
    w.Mux = std::fabs(g.Mx);
    w.Muy = std::fabs(g.My);
    w.Mrx = g.Mrx;
    w.Mry = g.Mry;
    w.u1x = std::max(U1x(record.spanXX, Cu), 1.0);
    w.u1y = std::max(U1y(record.spanYY, Cu), 1.0);
    InteractionTerms(record, !m_calc->IsDoublySymmetric(), w);

    if (text) {
        CString const& code = m_calc->CodeName();
        WriteInteractionInputs(result, record, w, code);
        WriteInteractionSums(result, w, code);
        if (Tu > 0.0 && record.ltChecked) WriteTensionAndBending(result, clone, plastic, Tu, w);
    }
    double const combined = std::max({w.util1, w.util2, w.util3});
    result->SetUtilBucklingCombined(combined);
    if (combined > 1.0 || std::isnan(combined)) {
        result->AddFlags(ResultFlags::kFailure | ResultFlags::kBucklingInteractionFailure);
        if (text) result->AddOutputString(L"<b><red>Fail:</red></b> combined buckling\n");
    }
    return true;
}

}  // namespace Corvid::Steel::SteelCSAS1609
