// libFuzzer target: a member check driven by fuzzed data (section, grade,
// design option, points and restraint words, sub-spans and actions with NaN
// and infinities, length override, omega2, then a sequence of Check with text
// on or off, QuickCheck, a clone's Check, quick mode toggled); the byte layout
// is in tests/fuzz/make_seeds.py. After every check: no utilisation is NaN or
// negative; refused or unhandled reads +infinity; a failure flag never goes
// with a pass; a QuickCheck that runs writes no text; every complete check
// (text on or off, clone, complete QuickCheck) gives the same numbers, and
// an entry's text is the same when the other entries are written without.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

using namespace Corvid::Data;
using namespace Corvid::Steel;
using Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member;
namespace RB = Corvid::Data::RestraintBits;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Reads the input front to back; past the end every read gives zero.
class Reader {
public:
    Reader(std::uint8_t const* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t U8() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | (U8() << 8)); }
    std::uint32_t U32() { return U16() | (static_cast<std::uint32_t>(U16()) << 16); }
    double Raw() {
        std::uint64_t bits = U32() | (static_cast<std::uint64_t>(U32()) << 32);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // In [lo, hi], up to 15 decades below lo or above hi, or any double.
    double Num(double lo, double hi) {
        switch (U8() % 4) {
            case 0: return lo + (hi - lo) * U16() / 65535.0;
            case 1: return lo * std::pow(10.0, -static_cast<double>(U8() % 16));
            case 2: return hi * std::pow(10.0, static_cast<double>(U8() % 16));
            default: return Raw();
        }
    }
    // In [0, 1], down to 1e-15, 1, or any double.
    double Frac() {
        switch (U8() % 4) {
            case 0: return U16() / 65535.0;
            case 1: return std::pow(10.0, -static_cast<double>(1 + U8() % 15));
            case 2: return 1.0;
            default: return Raw();
        }
    }
    // Zero, realistic, any double, an infinity or NaN, or tiny.
    double Action() {
        switch (U8() % 5) {
            case 0: return 0.0;
            case 1: return (U16() - 32768.0) * std::pow(10.0, static_cast<double>(U8() % 8));
            case 2: return Raw();
            case 3: return std::array{kInf, -kInf, std::numeric_limits<double>::quiet_NaN()}[U8() % 3];
            default: return (U8() % 2 ? 1 : -1) * std::pow(10.0, -static_cast<double>(U8() % 320));
        }
    }
    // A named word, any defined bits, any bits, or named with the connection bits.
    int Bits() {
        static int const named[] = {
            RB::kFree, RB::kPinned, RB::kBraced, RB::kFixed, RB::kMajorTranslation | RB::kMajorRotation,
            RB::kMinorTranslation | RB::kPartialTorsional, RB::kMinorTranslation | RB::kTorsional,
            RB::kTopFlangeLateral, RB::kCompFlangeLateral | RB::kTorsional,
            RB::kMajorTranslation | RB::kMinorTranslation | RB::kFlangeConnection, RB::kPinned | RB::kEndConnection,
            RB::kMinorTranslation | RB::kTorsional | RB::kBothFlangesRotationOnPlan | RB::kWarping};
        constexpr int kNamed = sizeof named / sizeof named[0];
        switch (U8() % 4) {
            case 0: return named[U8() % kNamed];
            case 1: return static_cast<int>(U32()) & RB::kAllDefined;
            case 2: return static_cast<int>(U32());
            default: return named[U8() % kNamed] | RB::kFlangeConnection | RB::kEndConnection;
        }
    }

private:
    std::uint8_t const* m_data;
    std::size_t m_size, m_pos = 0;
};

std::string Mm(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// Dimensions in mm; thicknesses and radii as fractions of the room the shape
// leaves (so most descriptions read), or raw numbers.
std::string Description(Reader& in, int shape, int fab) {
    bool const raw = in.U8() % 8 == 0;
    auto dim = [&](double lo, double hi) { return in.Num(lo, hi); };
    auto part = [&](double of) { return raw ? in.Num(0.1, 100) : of * in.Frac(); };
    std::string s;
    switch (shape) {
        case 0: case 1: {  // I, channel
            double const D = dim(20, 1500), B = dim(10, 600);
            double const T = part(D / 2), Tw = part(B), R = part(std::min((D - 2 * T) / 2, shape == 0 ? (B - Tw) / 2 : B - Tw));
            s = std::string(shape == 0 ? "I" : "C") + " D=" + Mm(D) + " B=" + Mm(B) + " T=" + Mm(T) + " Tw=" + Mm(Tw) +
                " R=" + Mm(R);
            if (in.U8() % 4 == 0) s += " slope=" + Mm(in.Num(0, 40));
            break;
        }
        case 2: {  // tee
            double const D = dim(20, 800), B = dim(10, 600);
            double const T = part(D), Tw = part(B), R = part(std::min(D - T, (B - Tw) / 2));
            s = "T D=" + Mm(D) + " B=" + Mm(B) + " T=" + Mm(T) + " Tw=" + Mm(Tw) + " R=" + Mm(R);
            if (in.U8() % 4 == 0) s += " slope=" + Mm(in.Num(0, 40));
            break;
        }
        case 3: {  // angle
            double const D = dim(10, 300), B = dim(10, 300);
            double const t = part(std::min(D, B)), R = part(std::min(D, B) - t);
            s = "L D=" + Mm(D) + " B=" + Mm(B) + " t=" + Mm(t) + " R=" + Mm(R);
            break;
        }
        case 4: {  // RHS
            double const D = dim(20, 1000), B = dim(20, 1000);
            double const t = part(std::min(D, B) / 2);
            s = "RHS D=" + Mm(D) + " B=" + Mm(B);
            s += in.U8() % 4 == 0 ? " tf=" + Mm(t) + " tw=" + Mm(part(std::min(D, B) / 2)) : " t=" + Mm(t);
            s += " Ro=" + Mm(part(std::min(D, B) / 2));
            break;
        }
        case 5: {  // CHS
            double const D = dim(20, 2000);
            s = "CHS D=" + Mm(D) + " t=" + Mm(part(D / 2));
        } break;
        case 6:  // a shape no calculator handles
            s = "PL B=" + Mm(dim(10, 500)) + " t=" + Mm(dim(1, 50));
            break;
        default: {  // raw text
            std::size_t const n = in.U8() % 64;
            for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>(in.U8()));
            return s;
        }
    }
    static char const* const fabs[] = {"", " fab=welded", " fab=cold-formed", " fab=built-up"};
    return s + fabs[fab % 4];
}

std::optional<CSteelGrade> Grade(Reader& in) {
    static wchar_t const* const names[] = {L"260W", L"300W", L"350W", L"380W", L"480W", L"ASTM_A36"};
    std::uint8_t const g = in.U8();
    if (g & 0x80) return std::nullopt;  // no grade given
    switch (g % 8) {
        case 6: {
            double const Fy = in.Num(1e6, 1e9);
            try {
                return CSteelGrade(L"user", Fy, Fy * (1.0 + in.Frac()));
            } catch (std::invalid_argument const&) {
                return std::nullopt;
            }
        }
        case 7: return CSteelGrade();  // empty grade: zero strengths
        default: return CSteelGrade(names[g % 6]);
    }
}

// Everything that must hold of one result.
void Sane(CMemberResult const& r) {
    for (int e = 0; e < r.NumEntries(); ++e)
        for (int k = 0; k < kUtilKindCount; ++k)
            if (r.Entry(e).IsSet(static_cast<UtilKind>(k)))
                S16_FUZZ_CHECK(!std::isnan(r.Entry(e).util[k]) && r.Entry(e).util[k] >= 0.0, "a utilisation is >= 0");
    double const all = r.UtilOverAll();
    S16_FUZZ_CHECK(!std::isnan(all) && all >= 0.0, "the overall utilisation is a number >= 0 or +infinity");
    if (r.Flags() & 8u) S16_FUZZ_CHECK(all == kInf, "a section not handled reads +infinity");
    // Failure flags: interaction (0x10), axial (0x1000), strut moments and
    // shears (0x2000, 0x4000, 0x8000, 0x10000).
    if (r.Flags() & (0x10u | 0x1000u | 0x2000u | 0x4000u | 0x8000u | 0x10000u))
        S16_FUZZ_CHECK(all >= 1.0, "a member flagged as failing never reads as passing");
}

// Utilisations, flags and layout of two complete checks agree.
bool SameNumbers(CMemberResult const& a, CMemberResult const& b) {
    if (a.NumEntries() != b.NumEntries() || a.Flags() != b.Flags() || a.Buckling() != b.Buckling()) return false;
    for (int e = 0; e < a.NumEntries(); ++e) {
        auto const &x = a.Entry(e), &y = b.Entry(e);
        if (x.setMask != y.setMask) return false;
        for (int k = 0; k < kUtilKindCount; ++k)
            if (!(x.util[k] == y.util[k]) && !(std::isnan(x.util[k]) && std::isnan(y.util[k]))) return false;
    }
    return a.UtilOverAll() == b.UtilOverAll();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    Reader in(data, size);
    std::uint8_t const head = in.U8();  // shape 3 bits, fabrication 2, option after section, option, raw layout
    bool const optionAfterSection = head & 0x20, rawLayout = head & 0x80;
    int const option = (head >> 6) & 1;
    std::string const description = Description(in, head & 7, (head >> 3) & 3);
    bool const verbose = std::getenv("S16_FUZZ_VERBOSE") != nullptr;  // to read a reproducer
    if (verbose) std::fprintf(stderr, "section: %s\n", description.c_str());
    CSection section;
    try {
        section = CSection(Corvid::Widen(description));
    } catch (std::invalid_argument const&) {  // the section reader's business: checked without a section
    }
    std::optional<CSteelGrade> const grade = Grade(in);

    CMemberResult result;
    CSA_S16_09_Member member;
    member.SetResult(&result);
    if (!optionAfterSection) member.SetDesOpt(option);
    if (!section.IsEmpty()) member.SetSection(section);
    if (optionAfterSection) member.SetDesOpt(option);
    if (grade) member.SetSteelDesignProp(*grade);

    // Points: a start and steps (zero, tiny, huge or raw), or raw positions.
    int const nPoints = in.U8() % 10;
    std::vector<CMemberPoint> points;
    double pos = in.Num(0, 10);
    for (int i = 0; i < nPoints; ++i) {
        if (i > 0) pos = rawLayout && in.U8() % 4 == 0 ? in.Raw() : pos + in.Num(0, 12);
        int const bits = in.Bits();
        auto const load = static_cast<Corvid::Data::LoadPos>(in.U8() % 4);  // 3: no such position
        points.emplace_back(pos, CRestraint(bits, load, in.Num(0, 1)));
    }
    member.SetMemberPointVec(points);

    // One sub-span between each pair of points, or (raw layout) any count joining any points.
    int const nSubs = rawLayout ? in.U8() % 10 : std::max(0, nPoints - 1);
    std::vector<CSubSpan> subs;
    for (int k = 0; k < nSubs; ++k) {
        CSubSpan s(k, k, k + 1);
        if (rawLayout && in.U8() % 4 == 0) s.SetIndices(in.U8() % 12 - 1, in.U8() % 12 - 1, in.U8() % 12 - 1);
        double a[12];
        for (double& v : a) v = in.Action();
        s.SetForces({a[0], a[1], a[2]}, {a[3], a[4], a[5]});
        s.SetMoments({a[6], a[7], a[8]}, {a[9], a[10], a[11]});
        std::uint8_t const f = in.U8();
        if (f & 1) s.SetContinuousRestraint(CRestraint(in.Bits()));
        s.SetTransverseLoad(f & 2, f & 4), s.SetDestabilized(f & 8), subs.push_back(s);
    }
    member.SetSubSpanVec(subs);
    if (CSteelGrade g = grade.value_or(CSteelGrade()); verbose)
        std::fprintf(stderr, "%s", Corvid::Narrow(member.CSVInputData(g)).c_str());

    std::uint8_t const opts = in.U8();
    member.SetLengthOverride(opts & 1);
    if (opts & 2)
        for (auto set : {&CSA_S16_09_Member::SetLyy, &CSA_S16_09_Member::SetLzz, &CSA_S16_09_Member::SetLlt})
            (member.*set)(in.U8() % 3 == 0 ? 0.0 : in.Num(-2, 20));
    if (opts & 4) member.SetEquivalentUniformMomentFactor(in.Num(0.1, 3));

    // The sequence of checks.
    std::optional<CMemberResult> reference;  // the first complete check
    auto compare = [&reference](CMemberResult const& r) {
        if (reference) S16_FUZZ_CHECK(SameNumbers(*reference, r), "complete checks of one member agree");
        else reference = r;
    };
    int const nOps = 1 + in.U8() % 6;
    for (int op = 0; op < nOps; ++op) {
        int const code = in.U8() % 6;
        if (verbose) std::fprintf(stderr, "step %d: %d\n", op, code);
        switch (code) {
            case 0: case 1: {  // Check, report text on (0) or off (1)
                result.EnableText(code == 0);
                bool const quick = member.IsQuickCheckMode();
                bool const ok = member.Check();
                Sane(result);
                if (!ok && !quick) S16_FUZZ_CHECK(result.UtilOverAll() == kInf, "a refused Check reads +infinity");
                if (result.WantsText()) (void)result.GetHtml(), (void)result.GetText();
                if (!quick) compare(result);
                if (code == 0 && !quick) {  // one entry's text alone, or some of its parts: as among all
                    int const e = in.U8() % result.NumEntries();
                    unsigned mark = in.U8();
                    mark |= 1u << in.U8() % 8;  // a part at least (two reads in order)
                    std::vector<char> wanted(static_cast<std::size_t>(e) + 1, 0);
                    CMemberResult alone;
                    wanted.back() = static_cast<char>(mark), alone.LimitTextTo(wanted);
                    member.SetResult(&alone), member.Check(), member.SetResult(&result);
                    auto const& some = alone.Entry(e).fragments;
                    auto const& all = result.Entry(e).fragments;
                    bool within = true;  // each of `some` in order among `all`
                    auto at = all.begin();
                    for (auto const& f : some) {
                        if ((at = std::find(at, all.end(), f)) == all.end()) { within = false; break; }
                        ++at;
                    }
                    S16_FUZZ_CHECK(SameNumbers(result, alone) && ((mark & 1) ? some == all : within),
                                   "an entry's text alone (or its parts) is as among all, the numbers the same");
                }
                break;
            }
            case 2: {  // QuickCheck on a result of its own
                CMemberResult quick;
                member.SetResult(&quick);
                bool const ok = member.QuickCheck();
                Sane(quick);
                // Refusals still write their lines (DISABLED_ in test_robustness.cpp); a complete
                // QuickCheck agrees with the complete Checks.
                if (ok) { S16_FUZZ_CHECK(quick.GetMarkup().empty(), "a quick check writes no text"); compare(quick); }
                member.SetResult(&result);
                break;
            }
            case 3: {  // a clone checks the same, on a result of its own
                std::unique_ptr<CSA_S16_09_Member> const clone(member.Clone());
                S16_FUZZ_CHECK(clone != nullptr, "a clone");
                CMemberResult own;
                clone->SetResult(&own), own.EnableText(in.U8() & 1), clone->Check(), Sane(own);
                if (!clone->IsQuickCheckMode()) compare(own);
                break;
            }
            case 4: member.SetQuickCheckMode(!member.IsQuickCheckMode()); break;
            default:
                if (auto const lengths = member.GetMemberEffectiveLengthData())
                    for (auto const* m : {&lengths->majorAxis, &lengths->minorAxis, &lengths->lateralTorsional})
                        for (auto const& [span, e] : *m) S16_FUZZ_CHECK(!std::isnan(e.length), "effective lengths are numbers");
        }
    }
    return 0;
}
