// Builds a member through the module's factory and checks its load cases.
#include "app/MemberRunner.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <memory>
#include <stdexcept>

#include "app/Output.h"
#include "app/Restraints.h"
#include "app/SectionInfo.h"
#include "app/Stations.h"
#include "framework/DesignConstants.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "framework/SteelMember.h"
#include "member/CSA_S16_09_Member.h"

namespace s16app {

using Corvid::Narrow;
using Corvid::Widen;
using Corvid::Data::CSection;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::CSteelMemberGen;
using Corvid::Steel::UtilKind;
namespace Flags = Corvid::Steel::ResultFlags;

namespace {

CSection ParseSection(std::string const& description) {
    CSection section(Widen(description));
    if (section.IsEmpty()) throw std::invalid_argument("the section description is empty");
    return section;
}

CSection ReadSection(MemberInput const& input, SectionCache* cache) {
    try {
        if (cache) return *cache->Get(input.section);
        return ParseSection(input.section);
    } catch (std::invalid_argument const& e) { throw InputError(Where(input, "section") + ": " + e.what()); }
}

Corvid::Steel::CSteelGrade MakeGrade(MemberInput const& input) {
    try {
        auto const& g = input.grade;
        // The name goes into the module's report: it cannot break a line.
        return g.userDefined ? Corvid::Steel::CSteelGrade(Widen(Printable(g.name)), g.Fy, g.Fu) : NamedGrade(g.name);
    } catch (std::invalid_argument const& e) { throw InputError(Where(input, "grade") + ": " + e.what()); }
}

// The net area ratios belong to this design code's member.
void SetAreaRatios(CSteelMemberGen& member, MemberInput const& input) {
    if (!input.netAreaRatio && !input.effectiveNetAreaRatio) return;
    auto* code = dynamic_cast<Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member*>(&member);
    if (!code) throw InputError(Where(input, "net_area_ratio") + ": the design module takes no area ratios");
    if (input.netAreaRatio) code->SetNetAreaRatio(*input.netAreaRatio);
    if (input.effectiveNetAreaRatio) code->SetEffectiveNetAreaRatio(*input.effectiveNetAreaRatio);
}

std::vector<EntryOutcome> Entries(CMemberResult const& r, CaseModel const& model) {
    std::vector<EntryOutcome> out(static_cast<std::size_t>(r.NumEntries()));
    for (int i = 0; i < r.NumEntries(); ++i) {
        EntryOutcome& e = out[static_cast<std::size_t>(i)];
        auto const& entry = r.Entry(i);
        e.index = i;
        if (i == 0)
            e.kind = EntryOutcome::Input;
        else if (r.Buckling() && i == r.NumEntries() - 1)
            e.kind = EntryOutcome::Buckling;
        else
            e.kind = EntryOutcome::Local, e.subspan = i - 1;
        if (e.kind == EntryOutcome::Local && e.subspan < static_cast<int>(model.subSpans.size())) {
            auto const& sub = model.subSpans[static_cast<std::size_t>(e.subspan)];
            e.subspan = model.userSubSpan[static_cast<std::size_t>(e.subspan)];
            e.from = model.points[static_cast<std::size_t>(sub.IndexCMPLeft())].GetPos();
            e.to = model.points[static_cast<std::size_t>(sub.IndexCMPRight())].GetPos();
        }
        std::size_t set = 0;
        for (std::uint32_t m = entry.setMask; m != 0; m &= m - 1) ++set;
        e.utils.reserve(set);
        e.figures.reserve(set);
        for (int k = 0; k < Corvid::Steel::kUtilKindCount; ++k) {
            auto const kind = static_cast<UtilKind>(k);
            if (!entry.IsSet(kind)) continue;
            e.utils.emplace_back(kind, entry.Util(kind));
            e.figures.push_back({entry.demand[k], entry.resistance[k], entry.at[k]});
        }
    }
    return out;
}

std::vector<std::pair<UtilKind, double>> Maxima(CMemberResult const& r) {
    std::uint32_t set = 0;
    for (int i = 0; i < r.NumEntries(); ++i) set |= r.Entry(i).setMask;
    std::vector<std::pair<UtilKind, double>> out;
    for (int k = 0; k < Corvid::Steel::kUtilKindCount; ++k)
        if ((set >> k) & 1u) out.emplace_back(static_cast<UtilKind>(k), r.MaxUtil(static_cast<UtilKind>(k)));
    return out;
}

// The report lines of a refusal, joined into one message.
std::string RefusalText(CMemberResult const& r) {
    std::string out;
    std::string text;
    for (auto const line : ReportLines(r)) {
        text.clear();
        AppendPlain(text, line.markup);
        if (!text.empty()) out += (out.empty() ? "" : "; ") + text;
    }
    return out.empty() ? std::string("the design module refused the member") : out;
}

using Summary = Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member::SpanSummary;

// The working of the spans in words, with the governing station of each
// from the case's stations.
std::vector<SpanWorking> Spans(std::vector<Summary> const& summaries, CaseModel const& model) {
    static char const* const kinds[] = {"lateral-torsional", "major-axis", "minor-axis"};
    static char const* const lengths[] = {"override",           "not required",
                                          "CSA S16-09 Annex F", "span length (strut)",
                                          "Table 1 (segment)",  "Table 2 (cantilever)"};
    static char const* const omegas[] = {"given",
                                         "1.0: destabilizing load",
                                         "1.0: cantilever",
                                         "end moments",
                                         "1.0: peak inside exceeds the end moments",
                                         "quarter points"};
    static char const* const flanges[] = {"top", "bottom", "both"};
    std::vector<SpanWorking> out;
    out.reserve(summaries.size());
    for (auto const& s : summaries) {
        SpanWorking w;
        bool const lt = s.kind == Summary::LateralTorsional;
        w.kind = kinds[s.kind];
        w.from = s.posLeft, w.to = s.posRight, w.Le = s.Le;
        w.lengthRule = lengths[s.lengthRule];
        w.slenderness = s.slenderness, w.Cu = s.Cu, w.Cr = s.Cr;
        if (lt) {
            w.omega2 = s.omega2, w.omega2Rule = omegas[s.omega2Rule];
            w.Mu = s.Mu, w.Mr = s.Mr, w.Mf = s.Mf;
            w.flange = flanges[s.sense];
        }
        w.util = s.util;
        double worst = -1.0;
        for (auto const& sub : model.subSpans)
            for (int end = 0; end < 2; ++end) {
                double const x =
                    model.points[static_cast<std::size_t>(end ? sub.IndexCMPRight() : sub.IndexCMPLeft())].GetPos();
                if (x < s.posLeft || x > s.posRight) continue;
                double const v = lt ? std::fabs((end ? sub.GetMomentsRight() : sub.GetMomentsLeft()).y)
                                    : -(end ? sub.GetForcesRight() : sub.GetForcesLeft()).x;
                if (v > worst) worst = v, w.governingX = x;
            }
        out.push_back(std::move(w));
    }
    return out;
}

// The moment at t (0 to 1) of a piece of length L from its end moments and
// end shears, the shears being the slopes (dMx/dx = Vy, dMy/dx = Vx): the
// cubic Hermite curve, exact for uniform and linearly varying loads.
double Hermite(double M0, double M1, double V0, double V1, double L, double t) {
    double const t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * M0 + (t3 - 2 * t2 + t) * L * V0 + (3 * t2 - 2 * t3) * M1 + (t3 - t2) * L * V1;
}

// The actions along a case's model for its diagrams: at the ends of every
// sub-span and, where loads bend the moment between them (loads given, or
// end actions that fit a uniform load: M1 = M0 + (V0 + V1) L / 2), at
// points of the curve between (about 32 along the member).
std::vector<ActionStation> ActionStations(CaseModel const& model, LoadCase const& c) {
    std::vector<ActionStation> out;
    out.reserve(33 + 2 * model.subSpans.size());  // at most 32 pieces and each sub-span's ends
    double const length = model.points.back().GetPos() - model.points.front().GetPos();
    for (std::size_t k = 0; k < model.subSpans.size(); ++k) {
        auto const& s = model.subSpans[k];
        double const x0 = model.points[static_cast<std::size_t>(s.IndexCMPLeft())].GetPos();
        double const L = model.points[static_cast<std::size_t>(s.IndexCMPRight())].GetPos() - x0;
        auto const f0 = s.GetForcesLeft(), f1 = s.GetForcesRight();    // N, Vy, Vx
        auto const m0 = s.GetMomentsLeft(), m1 = s.GetMomentsRight();  // T, Mx, My
        bool const loaded = !c.subspans[static_cast<std::size_t>(model.userSubSpan[k])].loads.empty();
        auto curved = [&](double M0, double M1, double V0, double V1) {
            double const largest = std::max(std::fabs(M0), std::fabs(M1));
            return loaded || std::fabs(M1 - M0 - (V0 + V1) * L / 2) <= ActionTolerance(largest);
        };
        bool const cx = curved(m0.y, m1.y, f0.y, f1.y), cy = curved(m0.z, m1.z, f0.z, f1.z);
        int const n = cx || cy ? std::max(2, static_cast<int>(std::ceil(32 * L / length))) : 1;
        for (int j = 0; j <= n; ++j) {
            double const t = static_cast<double>(j) / n;
            ActionStation const a{x0 + t * L, f0.x + t * (f1.x - f0.x),
                                  cx ? Hermite(m0.y, m1.y, f0.y, f1.y, L, t) : m0.y + t * (m1.y - m0.y),
                                  cy ? Hermite(m0.z, m1.z, f0.z, f1.z, L, t) : m0.z + t * (m1.z - m0.z)};
            // A sub-span's start repeats the end of the one before unless an action jumps there.
            bool const repeat =
                j == 0 && !out.empty() && out.back().N == a.N && out.back().Mx == a.Mx && out.back().My == a.My;
            if (!repeat) out.push_back(a);
        }
    }
    return out;
}

// A restraint in words: the shorthand it holds ("fixed", "pinned",
// "braced") and the words of the bits left.
std::string RestraintWords(int bits) {
    namespace RB = Corvid::Data::RestraintBits;
    if (bits == RB::kFree) return "free";
    std::string out;
    int left = bits;
    for (auto const& s : {std::make_pair(RB::kFixed, "fixed"), std::make_pair(RB::kPinned, "pinned"),
                          std::make_pair(RB::kBraced, "braced")})
        if ((left & s.first) == s.first) {
            out = s.second;
            left &= ~s.first;
            break;
        }
    for (auto const& w : RestraintVocabulary())
        if (w.bits != 0 && (w.bits & (w.bits - 1)) == 0 && (left & w.bits)) {
            out += (out.empty() ? "" : " + ") + std::string(w.word);
            left &= ~w.bits;
        }
    return out;
}

bool Run(CSteelMemberGen const& member, bool quick) { return quick ? member.QuickCheck() : member.Check(); }

// With text, only the entries marked in `textEntries` get theirs (every
// entry when it is empty; see CMemberResult::LimitTextTo).
CaseOutcome CheckCase(CSteelMemberGen& member, MemberInput const& input, std::size_t index, RunOptions const& options,
                      Corvid::Data::CSecGeom::SecShape shape, std::vector<std::string>& warnings,
                      std::vector<char> const& textEntries, CaseModel* built = nullptr) {
    LoadCase const& c = input.cases[index];
    // `built`: the case's model built by the caller, the member left holding it.
    CaseModel fresh = built ? CaseModel() : BuildCase(member, input, index, shape, options.text && !options.quick);
    CaseModel& model = built ? *built : fresh;
    for (auto const& w : model.warnings)
        if (std::find(warnings.begin(), warnings.end(), w) == warnings.end()) warnings.push_back(w);
    // One result per thread, reset for each case: its report storage (the
    // fragments' texts) is reused rather than taken anew for every case.
    thread_local CMemberResult kept;
    CMemberResult& result = kept;
    result.Reset();
    result.EnableText(options.text && !options.quick);
    result.LimitTextTo(textEntries);
    auto* code = dynamic_cast<Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member*>(&member);
    bool const working = result.TextEnabled() || (options.working && !options.quick);
    if (code) code->CollectSpanSummaries(working);
    member.SetResult(&result);
    member.SetQuickCheckMode(options.quick);
    CaseOutcome out;
    out.name = c.name;
    out.checked = Run(member, options.quick);
    // A check that never reached the sub-spans refused the member (the
    // result holds only its first entry): run it again with text for the
    // reason.
    if (!out.checked && (result.NumEntries() == 1 || (result.Flags() & Flags::kSectionNotHandled) != 0)) {
        thread_local CMemberResult refusal;
        CMemberResult& why = refusal;
        why.Reset();
        why.EnableText(true);
        member.SetResult(&why);
        member.SetQuickCheckMode(false);
        member.Check();
        member.SetResult(nullptr);
        bool const section = (why.Flags() & Flags::kSectionNotHandled) != 0;
        throw InputError(
            Where(input, section ? "section" : (input.namedCases ? "cases[" + std::to_string(index) + "]" : "")) +
            ": " + RefusalText(why));
    }
    member.SetResult(nullptr);
    out.utilisation = result.UtilOverAll();
    out.flags = result.Flags();
    out.bucklingChecked = result.Buckling();
    out.pass = out.checked && out.utilisation <= 1.0 && (out.flags & kFailureFlags) == 0;
    out.entries = Entries(result, model);
    out.maxima = Maxima(result);
    if (working && code) out.spans = Spans(code->SpanSummaries(), model);
    if (result.TextEnabled()) {
        out.actions = ActionStations(model, c);
        out.report.swap(model.notes);
        out.report.Add(result, &out.entryStart);
    }
    return out;
}

// Checks every case of `input` into out.cases, out.governing the one of the
// largest utilisation. The same numbers come with the report and without
// it: the cases are checked without, when only the governing one's is read,
// and that one again with it; below Detail::Full only the entries shown get
// their text, at Detail::Normal the parts of those found from the check
// without text that the working shows (WorkedParts).
void CheckCases(CSteelMemberGen& member, MemberInput const& input, RunOptions const& options,
                Corvid::Data::CSecGeom::SecShape shape, std::vector<std::string>& warnings, MemberOutcome& out) {
    bool const governingText = options.governingReportOnly && options.text && !options.quick;
    bool const limited = governingText && options.detail != Detail::Full;
    bool const again = governingText && (input.cases.size() > 1 || options.detail == Detail::Normal);
    // Made once: a member checked without text takes no heap block for them.
    static std::vector<char> const every, none(1, 0);
    RunOptions first = options;
    first.text = options.text && !again;
    // A single case checked twice: its model, with the report's notes, is
    // built once for both checks.
    std::optional<CaseModel> one;
    if (again && input.cases.size() == 1) one = BuildCase(member, input, 0, shape, true);
    CaseModel* const built = one ? &*one : nullptr;
    out.cases.reserve(input.cases.size());
    for (std::size_t k = 0; k < input.cases.size(); ++k) {
        out.cases.push_back(CheckCase(member, input, k, first, shape, warnings, limited ? none : every, built));
        if (out.cases.back().utilisation > out.cases[out.governing].utilisation) out.governing = k;
    }
    if (again) {
        std::vector<char> shown = limited ? none : every;
        if (limited && options.detail == Detail::Normal) {
            CaseOutcome const& g = out.cases[out.governing];
            shown.assign(std::max<std::size_t>(g.entries.size(), 1), 0);
            bool idle = false;
            for (auto const& place : GoverningPlaces(g, idle)) shown[place.entry] |= WorkedParts(g, place);
        }
        out.cases[out.governing] = CheckCase(member, input, out.governing, options, shape, warnings, shown, built);
    }
}

}  // namespace

SectionCache::SectionCache() {
    static std::atomic<std::uint64_t> made{0};
    m_id = ++made;
}

std::shared_ptr<CSection const> SectionCache::Get(std::string const& description) {
    // Each thread keeps the sections this cache gave it: a member then finds
    // its section without the lock the threads share.
    thread_local std::uint64_t keptFrom = 0;
    thread_local std::map<std::string, std::shared_ptr<CSection const>> kept;
    if (keptFrom != m_id) kept.clear(), keptFrom = m_id;
    if (auto const k = kept.find(description); k != kept.end()) return k->second;
    std::lock_guard<std::mutex> const lock(m_mutex);
    auto found = m_slots.find(description);
    if (found == m_slots.end()) {
        Slot slot;
        try {
            slot.section = std::make_shared<CSection const>(ParseSection(description));
        } catch (std::invalid_argument const& e) { slot.error = e.what(); }
        found = m_slots.emplace(description, std::move(slot)).first;
    }
    if (!found->second.section) throw std::invalid_argument(found->second.error);
    kept.emplace(description, found->second.section);
    return found->second.section;
}

namespace {
// Values that are valid but likely a unit slip: named, not refused.
std::vector<std::string> Implausible(MemberInput const& input, CSection const& section) {
    std::vector<std::string> out;
    auto number = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", v);
        return std::string(buf);
    };
    double const length = input.points.back().x - input.points.front().x;
    if (length > 100.0)
        out.push_back("points: the member is " + number(length) +
                      " m long (more than 100 m): lengths in mm without \"units\": {\"length\": \"mm\"}?");
    for (auto const& d : SectionDimensions(section)) {
        if (d.first == "slope" || d.second == 0.0) continue;
        if (d.second < 1e-3 || d.second > 5.0)
            out.push_back("section: dimension " + d.first + " = " + number(d.second * 1e3) + " mm is " +
                          (d.second < 1e-3 ? "below 1 mm: given in cm or m instead of mm?"
                                           : "above 5 m: given in a unit smaller than mm?"));
    }
    double const Fy = input.grade.Fy / Corvid::Design::kMPa;
    if (input.grade.userDefined && (Fy < 200.0 || Fy > 700.0))
        out.push_back("grade.Fy: " + number(Fy) +
                      " MPa is outside 200 to 700 MPa: given in ksi or kPa instead of MPa?");
    return out;
}
}  // namespace

std::vector<GoverningPlace> GoverningPlaces(CaseOutcome const& g, bool& idle) {
    std::vector<GoverningPlace> shown;
    idle = false;
    for (std::size_t r = 0; r < g.maxima.size(); ++r) {
        if (g.maxima[r].second == 0.0) {
            idle = true;
            continue;
        }
        for (std::size_t e = 0; e < g.entries.size(); ++e) {
            auto const& entry = g.entries[e];
            std::size_t k = 0;
            while (k < entry.utils.size() &&
                   (entry.utils[k].first != g.maxima[r].first || entry.utils[k].second != g.maxima[r].second))
                ++k;
            if (k == entry.utils.size()) continue;
            double const at = entry.kind == EntryOutcome::Local ? entry.figures[k].at : std::nan("");
            auto same = [&](GoverningPlace const& x) {
                return x.entry == e && (x.at == at || (std::isnan(x.at) && std::isnan(at)));
            };
            auto found = std::find_if(shown.begin(), shown.end(), same);
            if (found == shown.end()) found = shown.insert(shown.end(), GoverningPlace{e, at, {}});
            found->rows.push_back(r);
            break;
        }
    }
    return shown;
}

bool WorkedAtRightEnd(EntryOutcome const& entry, GoverningPlace const& w) {
    return !std::isnan(w.at) && w.at != entry.from;
}

char WorkedParts(CaseOutcome const& g, GoverningPlace const& w) {
    namespace TextPart = Corvid::Steel::TextPart;
    auto const& entry = g.entries[w.entry];
    if (entry.kind == EntryOutcome::Local)
        return static_cast<char>(WorkedAtRightEnd(entry, w) ? TextPart::kRightEnd : TextPart::kLeftEnd);
    unsigned parts = 0;
    for (std::size_t r : w.rows) {
        auto const kind = g.maxima[r].first;
        using Corvid::Steel::UtilKind;
        bool const buckling = kind >= UtilKind::BucklingAxialMajor && kind <= UtilKind::BucklingCombined;
        parts |= entry.kind == EntryOutcome::Buckling && buckling ? TextPart::Block(kind) : TextPart::kWhole;
    }
    return static_cast<char>(parts);
}

bool MemberOutcome::Pass() const {
    for (auto const& c : cases)
        if (!c.pass) return false;
    return !cases.empty();
}

MemberOutcome CheckMember(MemberInput const& input, RunOptions const& options) {
    CSection const section = ReadSection(input, options.sections);
    auto const grade = MakeGrade(input);
    // One design object a thread for each shape, cleared for each member
    // (Clear forgets the last one's points, sub-spans, lengths, omega2 and
    // area ratios; the section, grade, edition and title are set below):
    // made and destroyed once, not for every member, and its working copies
    // of the calculator, of that shape, are reused.
    thread_local std::unique_ptr<Corvid::Data::Design::CDesign> designs[Corvid::Data::CSecGeom::H + 1];
    auto const kind = static_cast<std::size_t>(section.Shape());
    auto& design = designs[kind < std::size(designs) ? kind : 0];
    if (!design) design.reset(NewCode());
    auto* member = dynamic_cast<CSteelMemberGen*>(design.get());
    if (!member) throw InputError(Where(input, "") + ": the design module gave no member object");
    CMemberResult setup;
    member->SetResult(&setup);
    member->Clear();
    member->SetDesOpt(input.code);  // before the section: the calculator takes the code name
    if (!member->SetSection(section))
        throw InputError(Where(input, "section") + ": the design code has no calculator for a " +
                         Narrow(Corvid::Data::ShapeName(section.Shape())) + " (\"" + input.section + "\")");
    member->SetSteelDesignProp(grade);
    SetAreaRatios(*member, input);
    member->SetTitle(Widen(input.title));
    auto const shape = section.Shape();
    if (input.effectiveLengths) {
        member->SetLengthOverride(true);
        member->SetLyy(input.effectiveLengths->Lyy);
        member->SetLzz(input.effectiveLengths->Lzz);
        member->SetLlt(input.effectiveLengths->Llt);
    }
    if (input.omega2) member->SetEquivalentUniformMomentFactor(*input.omega2);
    member->SetResult(nullptr);

    MemberOutcome out;
    out.where = Where(input, "");
    out.title = input.title;
    out.code = CodeName(input.code);
    out.section = Narrow(section.Name());
    out.grade = Narrow(grade.Name());
    out.namedCases = input.namedCases;
    out.units = input.units;
    std::vector<std::string> warnings = Implausible(input, section);
    CheckCases(*member, input, options, shape, warnings, out);
    for (auto const& w : warnings) out.warnings.push_back(Where(input, w));
    auto const* code = dynamic_cast<Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member const*>(member);
    if (options.text && !options.quick) {
        out.drawing.shape = shape;
        out.drawing.dims = section.Dims();
        for (auto const& p : input.points)
            out.drawing.points.push_back({p.x, p.restraint.bits, RestraintWords(p.restraint.bits)});
    }
    if (code && code->Calculator()) {
        out.Fy = code->Calculator()->DesignStressMin();
        out.Fu = code->Calculator()->TensileStrength();
    }
    out.summary = Summarise(input, out, options.run, options.text);
    if (options.quick && !out.Pass()) {
        // A quick check stops at the first failure: the checks after it
        // were never run, so their rows would read as passes.
        auto& rows = out.summary.checks;
        rows.erase(std::remove_if(rows.begin(), rows.end(), [](CheckRow const& r) { return r.pass; }), rows.end());
        out.summary.complete = false;
    }
    if ((options.text || options.working) && !options.quick && code && code->Calculator()) {
        SectionInfo info;
        DescribeResistances(*code->Calculator(), info);
        out.classes = {{"overall", info.classOverall},
                       {"axial", info.classAxial},
                       {"major", info.classMajor},
                       {"minor", info.classMinor}};
        out.resistances = info.resistances;
    }
    return out;
}

std::vector<std::string> FlagNames(std::uint32_t flags) {
    using Flags::kResultFlagNames;
    std::vector<std::string> out;
    for (int bit = 0; bit < 32; ++bit) {
        std::uint32_t const b = 1u << bit;
        if (!(flags & b)) continue;
        auto const named = std::find_if(std::begin(kResultFlagNames), std::end(kResultFlagNames),
                                        [b](auto const& n) { return n.flag == b; });
        if (named != std::end(kResultFlagNames)) {
            out.emplace_back(named->name);
            continue;
        }
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%x", b);
        out.emplace_back(buf);
    }
    return out;
}

}  // namespace s16app
