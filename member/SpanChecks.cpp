// Axial member buckling of a span: flexural buckling about each axis,
// torsional and flexural-torsional buckling (CSA S16-09 cl. 13.3.1, 13.3.2),
// for the general sequence and for struts. Each check writes its utilisation
// and stores in the interaction records what the later checks need.
#include <algorithm>
#include <cmath>

#include "framework/DesignConstants.h"
#include "framework/ResultFlags.h"
#include "member/CSA_S16_09_Member.h"
#include "member/SpanActions.h"
#include "section/ReportClauses.h"

namespace Corvid::Steel::SteelCSAS1609 {

using Corvid::Data::CRestraint;
namespace RB = Corvid::Data::RestraintBits;

namespace {
using Corvid::Design::kInfinity;
constexpr wchar_t kNoCompression[] = L"No axial compression in this span\n";
constexpr wchar_t kInsufficient[] = L"<b><red>Fail:</red></b> Insufficient restraint\n";

// The span carries tension somewhere (an end force of its maximum-action
// sub-span above 0).
bool SpanInTension(CSpanFacts const& span) { return span.Max(false, 0) > 0.0; }

// The slenderness ratio KL/r read back from the elastic buckling stress of
// CSA S16-09 cl. 13.3.1, Fe = pi^2 E / (KL/r)^2, so that r is the radius of
// gyration of the resistance just found (the principal axes of an angle);
// 0 for Le = 0 (Fe infinite).
double SlendernessFromFe(double E, double Fe) { return Corvid::Design::kPi * std::sqrt(E / Fe); }

// What one span check found, handed to the record writer.
struct SpanOutcome {
    CSpan const* span;
    double Mmost = 0.0, Mleast = 0.0;  // the span's largest and smallest moment about the axis, found once
    double Cu = 0.0;
    double Cr = 0.0, Cr_L = 0.0;  // effective and actual length
    double Fe = 0.0, Fe_L = 0.0;
    double lambda = kInfinity;  // sqrt(Fy / Fe), +infinity without a finite length
};
}  // namespace

struct CSA_S16_09_Member::AxialSpanRule {
    // The axis gives the override length (Lyy, Lzz, Llt), the utilisation
    // and the failure flag; torsion also the torsional wording, and hollow
    // sections need no torsional check.
    enum class Axis { Major, Minor, Torsion };
    wchar_t const* heading = L"";  // "Major Axis Span: "
    Axis axis = Axis::Major;
    bool strut = false;                            // strut sequence: the resistance also without a finite length
    double noCompressionBelow = 0.0;               // 0: only an exact 0 is no compression
    int continuousMask1 = 0, continuousMask2 = 0;  // held continuously for either: not required (0: unused)
    double (*length)(CSA_S16_09_Member const&, CSpan const&) = nullptr;  // Le when nothing above applies
    double (CCSA_S16_09Section::*resistance)(double, double&, CMemberResult*) const = nullptr;
    wchar_t const* failLine = L"";
    void (*store)(CInteractionData&, SpanOutcome const&) = nullptr;

    bool Torsional() const { return axis == Axis::Torsion; }
    double OverrideLengthOf(CSA_S16_09_Member const& m) const {
        return axis == Axis::Major ? m.Lyy() : axis == Axis::Minor ? m.Lzz() : m.Llt();
    }
    UtilKind Kind() const {
        return axis == Axis::Major   ? UtilKind::BucklingAxialMajor
               : axis == Axis::Minor ? UtilKind::BucklingAxialMinor
                                     : UtilKind::BucklingAxialTorsion;
    }
    void MarkNoLength(CMemberResult* result) const {
        if (axis == Axis::Major)
            result->SetUtilBucklingAxialMajor(kInfinity);
        else if (axis == Axis::Minor)
            result->SetUtilBucklingAxialMinor(kInfinity);
        else
            result->SetUtilBucklingAxialTorsion(kInfinity);
    }
    // What the flexural rules of the strut sequence share.
    static AxialSpanRule StrutFlexural();
    std::uint32_t Flag() const {
        return axis == Axis::Major   ? ResultFlags::kMajorAxisBuckling
               : axis == Axis::Minor ? ResultFlags::kMinorAxisBuckling
                                     : ResultFlags::kTorsionalBuckling;
    }
};

CCSA_S16_09Section& CSA_S16_09_Member::CompressedClone(double Cu) const {
    CCSA_S16_09Section& clone = Scratch(kSpanSlot);
    clone.ClearForcesAndMoments();
    clone.SetForceAxial(-Cu);
    return clone;
}

namespace {
void StoreXX(CInteractionData& r, SpanOutcome const& o);
void StoreYY(CInteractionData& r, SpanOutcome const& o);
}  // namespace

// How the effective length of an axial span was decided.
struct CSA_S16_09_Member::AxialLength {
    double Le = 0.0;
    bool heldAlong = false;  // held continuously along the span for the rule's restraints
    bool closing = true;     // the closing lines (Cu, Util) are written
    bool required = true;    // false: the working of the resistance is not shown
    bool failed = false;     // no finite effective length
};

CSA_S16_09_Member::AxialLength CSA_S16_09_Member::DecideAxialLength(CSpan const& span,
                                                                    AxialSpanRule const& rule) const {
    CMemberResult* const result = m_result;
    bool const text = result->WantsText();
    AxialLength d;
    auto hollow = [&] {
        if (text) {
            result->AddOutputString(L"Torsional buckling check not required: ");
            result->AddOutputString(L"section is hollow\n");
        }
        d.closing = d.required = false;
    };
    CRestraint const R = Facts(span).ContinuousRestraint();
    d.heldAlong = (rule.continuousMask1 && R.IsRestrained(rule.continuousMask1, true)) ||
                  (rule.continuousMask2 && R.IsRestrained(rule.continuousMask2, true));
    if (LengthOverride()) {
        d.Le = OverrideLength(rule.OverrideLengthOf(*this), Length());
        if (text) result->AddOutputString(L"<i><blue>Effective length overridden</blue></i>\n");
        if (rule.Torsional() && m_calc->IsHollow()) hollow();
    } else if (d.heldAlong) {
        if (text && rule.Torsional()) {
            result->AddOutputString(L"Torsional buckling check not required:\n");
            result->AddOutputString(L"\tspan is restrained against torsion along its length\n");
        } else if (text) {
            result->AddOutputString(L"Check not required: Span is continuously restrained\n");
        }
        d.closing = d.required = false;
    } else if (rule.Torsional() && m_calc->IsHollow()) {
        hollow();
    } else {
        d.Le = rule.length(*this, span);
        if (!std::isfinite(d.Le)) {
            d.failed = true;
            if (text) result->AddOutputString(kInsufficient);
            rule.MarkNoLength(result);
        }
    }
    return d;
}

namespace {
// Slenderness limits (CSA S16-09 cl. 10.4.2) of the flexural checks with a
// finite length. In compression KL/r > 200 fails the axis: utilisation
// max(Cu/Cr, (KL/r)/200), above 1 and growing with the slenderness. In
// tension L/r > 300 is a warning; L is the unbraced length (the span, or the
// override length), not the Annex F length (annexF: Fe_L holds the span's).
struct AxialVerdict {
    double U = 0.0;
    double KLr = 0.0, Lr = 0.0;  // 0: not found
    bool tooSlender = false, slenderTie = false;
};
AxialVerdict AxialVerdictOf(SpanOutcome const& out, CSpanFacts const& facts, bool flexural, double Le, bool compressed,
                            bool annexF, double E) {
    using Section = CCSA_S16_09Section;
    AxialVerdict v;
    v.U = out.Cu / out.Cr;
    if (flexural && std::isfinite(Le)) {
        if (compressed) {
            v.KLr = SlendernessFromFe(E, out.Fe);
            if (v.KLr > Section::kSlendernessLimitCompression)
                v.U = std::max(v.U, v.KLr / Section::kSlendernessLimitCompression);
        } else if (SpanInTension(facts)) {
            v.Lr = SlendernessFromFe(E, annexF ? out.Fe_L : out.Fe);
        }
    }
    v.tooSlender = v.KLr > Section::kSlendernessLimitCompression;
    v.slenderTie = v.Lr > Section::kSlendernessLimitTension;
    return v;
}

// The closing lines of an axial span check (text wanted).
void WriteAxialVerdict(CMemberResult* result, CString const& code, bool closing, double Cu, AxialVerdict const& v) {
    auto const& f = result->Format();
    if (closing) {
        result->AddOutputString(L"Cu = " + f.Force(Cu) + L" compression\n");
        result->AddOutputString(L"Util = " + f.Util(v.U) + L"\n");
    }
    if (v.slenderTie)
        result->AddOutputString(L"<b><orange>Warning:</orange></b> L/r = " + f.NoDim(v.Lr) +
                                L" > 300 in tension <i>ref. " + code + kClSpanTensionSlenderness + L"</i>\n");
    if (v.tooSlender)
        result->AddOutputString(L"<b><red>Fail:</red></b> KL/r = " + f.NoDim(v.KLr) + L" > 200 <i>ref. " + code +
                                kClSpanCompressionSlenderness + L"</i>\n");
}
}  // namespace

bool CSA_S16_09_Member::AxialSpanCheck(CSpan const& span, AxialSpanRule const& rule) const {
    CMemberResult* const result = m_result;
    bool const text = result->WantsText();
    if (text) result->AddOutputString(rule.heading + span.GetString(result->Format()) + L"\n");
    CResultIndent const indent(result);

    double const Cu = SpanCompression(Facts(span));
    bool const compressed = !(rule.noCompressionBelow > 0.0 ? Cu < rule.noCompressionBelow : Cu == 0.0);
    if (!compressed && text) result->AddOutputString(kNoCompression);
    AxialLength const d = DecideAxialLength(span, rule);
    double const Le = d.Le;

    SpanOutcome out;
    out.span = &span;
    if (rule.store == StoreXX || rule.store == StoreYY) {  // the flexural records keep the moments
        std::size_t const axis = rule.store == StoreXX ? 1 : 2;
        out.Mmost = Facts(span).Max(true, axis);
        out.Mleast = Facts(span).Min(true, axis);
    }
    out.Cu = Cu;
    if (rule.strut || std::isfinite(Le)) {
        CCSA_S16_09Section const& clone = CompressedClone(Cu);
        // A check not required keeps its resistance for the member
        // interaction without showing its working.
        bool const quiet = text && !d.required;
        if (quiet) result->EnableText(false);
        out.Cr = (clone.*rule.resistance)(Le, out.Fe, result);
        if (quiet) result->EnableText(true);
        // The actual-length values serve the member interaction.
        if (!rule.strut) out.Cr_L = (clone.*rule.resistance)(span.Length(), out.Fe_L, nullptr);
        if (std::isfinite(Le)) out.lambda = std::sqrt(m_calc->DesignFy() / out.Fe);
    }
    ForEachRecordOf(span, [&](CInteractionData& r) { rule.store(r, out); });

    bool const annexF = !LengthOverride() && !d.heldAlong && !rule.strut;
    AxialVerdict const v =
        AxialVerdictOf(out, Facts(span), !rule.Torsional(), Le, compressed, annexF, m_calc->YoungsModulus());
    // Where the slenderness limit governs, Cu and Cr are not the pair behind U.
    bool const byResistance = v.U == Cu / out.Cr;
    result->Set(rule.Kind(), v.U, byResistance ? Cu : CResultEntry::kNone, byResistance ? out.Cr : CResultEntry::kNone);
    if (m_collectSpans && !rule.Torsional()) RecordAxialSpan(span, rule, Le, d.heldAlong, Cu, out.Cr, out.Fe, v.U);
    if (text) WriteAxialVerdict(result, m_calc->CodeName(), compressed && d.closing, Cu, v);
    if (v.slenderTie) result->AddFlags(ResultFlags::kTensionSlenderness | ResultFlags::kWarning);
    if (v.tooSlender) result->AddFlags(ResultFlags::kSlenderness);
    // 0/0 (no compression and no resistance) is recorded as +infinity and
    // fails with it.
    bool const failed = d.failed || v.U > 1.0 || std::isnan(v.U);
    if (failed) {
        result->AddFlags(rule.Flag());
        if (text) result->AddOutputString(rule.failLine);
    }
    return !failed;
}

void CSA_S16_09_Member::RecordAxialSpan(CSpan const& span, AxialSpanRule const& rule, double Le, bool heldAlong,
                                        double Cu, double Cr, double Fe, double U) const {
    SpanSummary s;
    s.kind = rule.axis == AxialSpanRule::Axis::Major ? SpanSummary::MajorAxis : SpanSummary::MinorAxis;
    s.posLeft = span.PosLeft();
    s.posRight = span.PosRight();
    s.Le = Le;
    s.lengthRule = LengthOverride() ? SpanSummary::Override
                   : heldAlong      ? SpanSummary::NotRequired
                   : rule.strut     ? SpanSummary::SpanLength
                                    : SpanSummary::AnnexF;
    if (Le > 0.0 && Fe > 0.0) s.slenderness = SlendernessFromFe(m_calc->YoungsModulus(), Fe);
    s.Cu = Cu;
    s.Cr = Cr;
    s.util = U;
    m_spans.push_back(s);
}

namespace {
// Effective lengths of the general checks: a section that acts as a strut
// between these two ends buckles over the span length, any other over the
// Annex F length.
template <bool Major>
double FlexuralLength(CSA_S16_09_Member const& m, CSpan const& span, CCSA_S16_09Section& probe_,
                      double (CSA_S16_09_Member::*annexF)(CSpan const&, CSA_S16_09_Member::LengthReport) const) {
    CCSA_S16_09Section* const probe = &probe_;
    int const common = span.RestraintEndL().Bits() & span.RestraintEndR().Bits();
    probe->SetMemberRestraint(CRestraint(common, Corvid::Data::LoadAtShearCentre, 0.0));
    bool const strut = Major ? probe->IsSectionXXStrut() : probe->IsSectionYYStrut();
    return strut ? span.Length() : (m.*annexF)(span, CSA_S16_09_Member::LengthReport::Written);
}

void StoreXX(CInteractionData& r, SpanOutcome const& o) {
    r.CuX = std::max(r.CuX, o.Cu);
    r.CrX = o.Cr;
    r.CrX_L = o.Cr_L;
    r.Mfx1 = o.Mmost;
    r.Mfx2 = o.Mleast;
    r.FeX = o.Fe;
    r.FeX_L = o.Fe_L;
    r.spanXX = *o.span;
}

void StoreYY(CInteractionData& r, SpanOutcome const& o) {
    double const largest = o.Mmost;
    double const smallest = o.Mleast;
    r.CuY = std::max(r.CuY, o.Cu);
    r.CrY = o.Cr;
    r.CrY_L = o.Cr_L;
    r.FeY = o.Fe;
    r.FeY_L = o.Fe_L;
    bool const negativeGoverns = std::fabs(smallest) > std::fabs(largest);
    r.MfyMax = std::max(std::fabs(largest), std::fabs(smallest));
    r.senseY = negativeGoverns ? -1.0 : 1.0;
    r.MfyOpposite = negativeGoverns ? std::max(0.0, largest) : std::max(0.0, -smallest);
    r.lambdaY = o.lambda;
    r.spanYY = *o.span;
}

void StoreT(CInteractionData& r, SpanOutcome const& o) {
    r.CuT = std::max(r.CuT, o.Cu);
    r.CrT = o.Cr;
    r.FeT = o.Fe;
    r.FeT_L = o.Fe_L;
    r.CrT_L = o.Cr_L;
    r.spanLT = *o.span;
}

// Struts keep only what the flexural-torsional check needs.
void StoreStrutX(CInteractionData& r, SpanOutcome const& o) {
    r.CuX = std::max(o.Cu, r.CuX);
    r.FeX = o.Fe;
    r.spanXX = *o.span;
}
void StoreStrutY(CInteractionData& r, SpanOutcome const& o) {
    r.CuY = std::max(o.Cu, r.CuY);
    r.FeY = o.Fe;
    r.spanYY = *o.span;
}
void StoreStrutT(CInteractionData& r, SpanOutcome const& o) {
    r.CuT = std::max(o.Cu, r.CuT);
    r.FeT = o.Fe;
    r.spanLT = *o.span;
}

double SpanLength(CSA_S16_09_Member const&, CSpan const& span) { return span.Length(); }

using Section = CCSA_S16_09Section;
}  // namespace

// ---- general sequence (CSA S16-09 cl. 13.3.1, 13.3.2) ----

bool CSA_S16_09_Member::CheckSpanXX(CSpan const& span) const {
    static AxialSpanRule const rule = [] {
        AxialSpanRule r;
        r.heading = L"Major Axis Span: ";
        r.axis = AxialSpanRule::Axis::Major;
        r.continuousMask1 = RB::kMajorTranslation;
        r.length = [](CSA_S16_09_Member const& m, CSpan const& s) {
            return FlexuralLength<true>(m, s, m.Scratch(kSpanSlot), &CSA_S16_09_Member::EffectiveLengthXX);
        };
        r.resistance = &Section::Crxx;
        r.failLine = L"<b><red>Fail:</red></b> XX Axial Buckling\n";
        r.store = StoreXX;
        return r;
    }();
    return AxialSpanCheck(span, rule);
}

bool CSA_S16_09_Member::CheckSpanYY(CSpan const& span) const {
    static AxialSpanRule const rule = [] {
        AxialSpanRule r;
        r.heading = L"Minor Axis Span: ";
        r.axis = AxialSpanRule::Axis::Minor;
        r.continuousMask1 = RB::kMinorTranslation;
        r.length = [](CSA_S16_09_Member const& m, CSpan const& s) {
            return FlexuralLength<false>(m, s, m.Scratch(kSpanSlot), &CSA_S16_09_Member::EffectiveLengthYY);
        };
        r.resistance = &Section::Cryy;
        r.failLine = L"<b><red>Fail:</red></b> YY Axial Buckling\n";
        r.store = StoreYY;
        return r;
    }();
    return AxialSpanCheck(span, rule);
}

bool CSA_S16_09_Member::CheckSpanT(CSpan const& span) const {
    static AxialSpanRule const rule = [] {
        AxialSpanRule r;
        r.heading = L"Torsional span: ";
        r.axis = AxialSpanRule::Axis::Torsion;
        r.continuousMask1 = RB::kTorsional;
        r.length = [](CSA_S16_09_Member const& m, CSpan const& s) {
            return m.EffectiveLengthLT(s, m.m_calc->Depth(), LengthReport::Silent);
        };
        r.resistance = &Section::CrT;
        r.failLine = L"<b><red>Fail:</red></b> torsion Buckling\n";
        r.store = StoreT;
        return r;
    }();
    return AxialSpanCheck(span, rule);
}

bool CSA_S16_09_Member::CheckSpanTF(CInteractionData& record) const {
    return FlexuralTorsionalCheck(record, Sequence::General);
}

// ---- strut sequence: the span length is the effective length ----

CSA_S16_09_Member::AxialSpanRule CSA_S16_09_Member::AxialSpanRule::StrutFlexural() {
    AxialSpanRule r;
    r.strut = true;
    r.noCompressionBelow = 1e-10;  // N
    r.length = SpanLength;
    return r;
}

bool CSA_S16_09_Member::CheckStrutSpanUU(CSpan const& span) const {
    static AxialSpanRule const rule = [] {
        AxialSpanRule r = AxialSpanRule::StrutFlexural();
        r.heading = L"U-U Axis Span: ";
        r.axis = AxialSpanRule::Axis::Major;
        r.continuousMask1 = RB::kMinorTranslation;
        r.continuousMask2 = RB::kMajorTranslation;
        r.failLine = L"<b><red>Fail:</red></b> U-U Axial Buckling\n";
        r.resistance = &Section::Cruu;
        r.store = StoreStrutX;
        return r;
    }();
    return AxialSpanCheck(span, rule);
}

bool CSA_S16_09_Member::CheckStrutSpanVV(CSpan const& span) const {
    static AxialSpanRule const rule = [] {
        AxialSpanRule r = AxialSpanRule::StrutFlexural();
        r.heading = L"V-V Axis Span: ";
        r.axis = AxialSpanRule::Axis::Minor;
        r.continuousMask1 = RB::kMinorTranslation;
        r.continuousMask2 = RB::kMajorTranslation;
        r.failLine = L"<b><red>Fail:</red></b> V-V Axial Buckling\n";
        r.resistance = &Section::Crvv;
        r.store = StoreStrutY;
        return r;
    }();
    return AxialSpanCheck(span, rule);
}

bool CSA_S16_09_Member::CheckStrutSpanXX(CSpan const& span) const {
    static AxialSpanRule const rule = [] {
        AxialSpanRule r = AxialSpanRule::StrutFlexural();
        r.heading = L"X-X Axis Span: ";
        r.axis = AxialSpanRule::Axis::Major;
        r.continuousMask1 = RB::kMajorTranslation;
        r.failLine = L"<b><red>Fail:</red></b> X-X Axial Buckling\n";
        r.resistance = &Section::Crxx;
        r.store = StoreStrutX;
        return r;
    }();
    return AxialSpanCheck(span, rule);
}

bool CSA_S16_09_Member::CheckStrutSpanYY(CSpan const& span) const {
    static AxialSpanRule const rule = [] {
        AxialSpanRule r = AxialSpanRule::StrutFlexural();
        r.heading = L"Y-Y Axis Span: ";
        r.axis = AxialSpanRule::Axis::Minor;
        r.continuousMask1 = RB::kMinorTranslation;
        r.failLine = L"<b><red>Fail:</red></b> Y-Y Axial Buckling\n";
        r.resistance = &Section::Cryy;
        r.store = StoreStrutY;
        return r;
    }();
    return AxialSpanCheck(span, rule);
}

bool CSA_S16_09_Member::CheckStrutSpanT(CSpan const& span) const {
    // The torsional strut check reads only an exact 0 as no compression.
    static AxialSpanRule const rule = [] {
        AxialSpanRule r;
        r.heading = L"Torsional span: ";
        r.axis = AxialSpanRule::Axis::Torsion;
        r.strut = true;
        r.continuousMask1 = RB::kTorsional;
        r.length = [](CSA_S16_09_Member const& m, CSpan const& s) {
            return m.EffectiveStrutLengthLT(s, LengthReport::Silent);
        };
        r.resistance = &Section::CrT;
        r.failLine = L"<b><red>Fail:</red></b> torsion Buckling\n";
        r.store = StoreStrutT;
        return r;
    }();
    return AxialSpanCheck(span, rule);
}

bool CSA_S16_09_Member::CheckStrutSpanTF(CInteractionData& record) const {
    return FlexuralTorsionalCheck(record, Sequence::Strut);
}

// ---- flexural-torsional buckling of one record (CSA S16-09 cl. 13.3.2) ----

bool CSA_S16_09_Member::FlexuralTorsionalCheck(CInteractionData& record, Sequence sequence) const {
    CMemberResult* const result = m_result;
    bool const text = result->WantsText();
    auto const& f = result->Format();
    if (text)
        result->AddOutputString(L"Major Axis Span: " + record.spanXX.GetString(f) + L"\nMinor Axis Span: " +
                                record.spanYY.GetString(f) + L"\nTorsional Span: " + record.spanLT.GetString(f) +
                                L"\n");
    CResultIndent const indent(result);
    double const Cu = std::max({record.CuX, record.CuY, record.CuT});
    if (Cu == 0.0 && text) result->AddOutputString(kNoCompression);

    CCSA_S16_09Section const* const clone = &CompressedClone(Cu);
    double const Cr = clone->CrFT(record.FeX, record.FeY, record.FeT, record.FeFT, result);
    record.CrFT = Cr;
    if (sequence == Sequence::General) {
        record.CrFT_L = clone->CrFT(record.FeX_L, record.FeY_L, record.FeT_L, record.FeFT_L, nullptr);
        record.CuFT = Cu;
    }
    double const U = Cu / Cr;
    result->Set(UtilKind::BucklingAxialFlexuralTorsion, U, Cu, Cr);
    if (text) {
        result->AddOutputString(L"Cu = " + f.Force(Cu) + L" compression\n");
        result->AddOutputString(L"Util = " + f.Util(U) + L"\n");
    }
    if (U > 1.0 || std::isnan(U)) {
        result->AddFlags(ResultFlags::kFlexuralTorsionalBuckling);
        if (text) result->AddOutputString(L"<b><red>Fail:</red></b> Flexural-Torional Buckling\n");
    }
    return true;
}

}  // namespace Corvid::Steel::SteelCSAS1609
