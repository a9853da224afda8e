// The opening block of a member's calculation.
#include "app/Summary.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <nlohmann/json.hpp>

#include "app/JsonDoc.h"
#include "app/MemberRunner.h"
#include "app/Render.h"
#include "app/Restraints.h"

#ifndef S16CHECK_REVISION
#define S16CHECK_REVISION "unknown"
#endif

namespace s16app {

namespace {

using Corvid::Steel::UtilKind;

// A restraint in words: the vocabulary word of exactly its bits, else the
// words whose bits make it up, in vocabulary order.
std::string RestraintWords(int bits) {
    auto const& words = RestraintVocabulary();
    for (auto const& w : words)
        if (w.bits == bits) return w.word;
    std::string out;
    int left = bits;
    for (auto const& w : words)
        if (w.bits != 0 && (w.bits & left) == w.bits)
            out += (out.empty() ? "" : " + ") + std::string(w.word), left &= ~w.bits;
    if (left) {
        char buf[24];
        std::snprintf(buf, sizeof buf, "bits 0x%x", static_cast<unsigned>(left));
        out += (out.empty() ? "" : " + ") + std::string(buf);
    }
    return out;
}

// The actions of an end that are not zero, appended: "N = -300.0 kN, Mx =
// 120.0 kN*m"; "none" when all are.
void AppendActionWords(std::string& out, Actions const& a) {
    static char const* const names[6] = {"N", "Vx", "Vy", "T", "Mx", "My"};
    bool any = false;
    for (int i = 0; i < 6; ++i) {
        double const v = Component(a, i);
        if (v == 0.0) continue;
        if (any) out += ", ";
        any = true;
        out += names[i];
        out += " = ";
        out += Fixed(v / 1e3, 1);
        out += i < 3 ? " kN" : " kN*m";
    }
    if (!any) out += "none";
}

// Appends the pieces to `out` (a line built in one heap block, without the
// temporaries of operator+).
template <class... Pieces>
void Put(std::string& out, Pieces const&... pieces) {
    (out.append(pieces), ...);
}

void PutMetres(std::string& out, double x) {
    AppendFixed(out, x, 3);
    out += " m";
}

void AppendLoadWords(std::string& out, LoadInput const& l) {
    static char const* const planes[] = {"in the plane of the web", "across the web", "axial", "torsion"};
    char const* const unit = l.plane == LoadInput::Torsion ? " kN*m" : " kN";
    if (l.kind == LoadInput::Point) {
        Put(out, "point ", Fixed(l.P / 1e3, 1), unit, " at ");
        PutMetres(out, l.at);
    } else {
        Put(out, "distributed ", Fixed(l.w1 / 1e3, 2));
        if (l.w1 != l.w2) Put(out, " to ", Fixed(l.w2 / 1e3, 2));
        Put(out, unit, "/m from ");
        PutMetres(out, l.from);
        out += " to ";
        PutMetres(out, l.to);
    }
    Put(out, " (", planes[l.plane], ")");
}

std::vector<std::string> InputWords(MemberInput const& in, MemberOutcome const& out) {
    std::vector<std::string> lines;
    lines.reserve(8 + in.points.size() + in.cases.size() * in.points.size());
    // A new line to append to (each is written whole before the next is made:
    // making one may move the others).
    auto line = [&lines]() -> std::string& {
        lines.emplace_back().reserve(120);
        return lines.back();
    };
    Put(line(), "Design code: ", out.code);
    std::string& section = line();
    Put(section, "Section: ", out.section);
    if (in.section != out.section) Put(section, " (given as \"", in.section, "\")");
    Put(line(), "Grade: ", out.grade, ", Fy = ", Fixed(out.Fy / Corvid::Design::kMPa, 0),
        " MPa, Fu = ", Fixed(out.Fu / Corvid::Design::kMPa, 0), " MPa");
    if (in.netAreaRatio) Put(line(), "Net area ratio An/Ag = ", Fixed(*in.netAreaRatio, 3));
    if (in.effectiveNetAreaRatio)
        Put(line(), "Effective net area ratio Ane/Ag = ", Fixed(*in.effectiveNetAreaRatio, 3));
    double const length = in.points.back().x - in.points.front().x;
    std::string& span = line();
    span += "Length: ";
    PutMetres(span, length);
    Put(span, ", ", std::to_string(in.points.size()), " points");
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        auto const& p = in.points[i];
        std::string& point = line();
        Put(point, "Point ", std::to_string(i + 1), " at x = ");
        PutMetres(point, p.x);
        Put(point, ": ", RestraintWords(p.restraint.bits));
        if (p.load == Corvid::Data::LoadDestabilizing)
            point += "; a destabilizing load acts here";
        else if (p.load == Corvid::Data::LoadStabilizing)
            point += "; a stabilizing load acts here";
    }
    for (auto const& c : in.cases) {
        char const* const indent = in.namedCases ? "  " : "";
        if (in.namedCases) Put(line(), "Load case \"", c.name, "\"", c.stations ? " (stations)" : "", ":");
        for (std::size_t k = 0; k < c.subspans.size(); ++k) {
            auto const& s = c.subspans[k];
            std::string& sub = line();
            Put(sub, indent, "Sub-span ", std::to_string(k + 1), ", ");
            PutMetres(sub, in.points[k].x);
            sub += " to ";
            PutMetres(sub, in.points[k + 1].x);
            sub += ": left ";
            AppendActionWords(sub, s.left);
            sub += "; right ";
            AppendActionWords(sub, s.right);
            for (auto const& l : s.loads) {
                sub += "; ";
                AppendLoadWords(sub, l);
            }
            if (!s.stations.empty()) Put(sub, "; ", std::to_string(s.stations.size()), " stations inside");
            if (s.loadMajor || s.loadMinor)
                Put(sub, "; transverse load ",
                    s.loadMajor && s.loadMinor ? "in both planes"
                    : s.loadMajor              ? "in the plane of the web"
                                               : "across the web");
            if (s.destabilizing) sub += "; destabilizing";
            if (s.continuous.bits) Put(sub, "; held along its length: ", RestraintWords(s.continuous.bits));
        }
    }
    if (in.effectiveLengths) {
        auto le = [length](std::string& to, double v) {
            if (v < 0) Put(to, Fixed(-v, 3), " L = "), v = -v * length;
            PutMetres(to, v);
        };
        std::string& given = line();
        given += "Effective lengths given: Lyy = ";
        le(given, in.effectiveLengths->Lyy);
        given += ", Lzz = ";
        le(given, in.effectiveLengths->Lzz);
        given += ", Llt = ";
        le(given, in.effectiveLengths->Llt);
    }
    if (in.omega2) Put(line(), "omega2 given: ", Fixed(*in.omega2, 3));
    Put(line(), "Units of the file: ", out.units);
    return lines;
}

// "<code> cl. <number>" for a clause a check row names, made once for each
// edition (CodeName's) and clause: a row takes no heap block for it.
std::string_view ClauseText(std::string const& code, std::string_view number) {
    static constexpr std::string_view kNumbers[] = {"13.2", "13.3.1", "13.3.2", "13.4",    "13.5",
                                                    "13.6", "13.8",   "13.9",   "10.4.2.1"};
    constexpr std::size_t kCount = std::size(kNumbers);
    constexpr int kEditions = 2;  // CodeName's: 0 CSA S16-09, 1 CSA S16-14
    static std::vector<std::string> const kCodes = {CodeName(0), CodeName(1)};
    static std::vector<std::string> const kTexts = [] {
        std::vector<std::string> texts;
        for (int edition = 0; edition < kEditions; ++edition)
            for (auto n : kNumbers) texts.push_back(CodeName(edition) + " cl. " + std::string(n));
        return texts;
    }();
    for (std::size_t e = 0; e < kCodes.size(); ++e) {
        if (code != kCodes[e]) continue;
        for (std::size_t k = 0; k < kCount; ++k)
            if (number == kNumbers[k]) return kTexts[e * kCount + k];
    }
    throw std::logic_error("ClauseText: no text for " + code + " cl. " + std::string(number));
}

// The clause, symbols and unit of a check; the axial ones by the sense of
// the force (tension positive).
void Describe(CheckRow& row, UtilKind kind, std::string const& code, double axial) {
    bool const tension = axial > 0.0;
    struct Text {
        char const *clause, *demand, *resistance, *unit;
    };
    Text t{"", "", "", ""};
    switch (kind) {
        case UtilKind::LocalAxial:
            t = tension ? Text{"13.2", "Tf", "Tr", "kN"} : Text{"13.3.1", "Cf", "Cr", "kN"};
            break;
        case UtilKind::LocalMomMajor: t = {"13.5", "Mfx", "Mrx", "kN*m"}; break;
        case UtilKind::LocalMomMinor: t = {"13.5", "Mfy", "Mry", "kN*m"}; break;
        case UtilKind::LocalShearMajor: t = {"13.4", "Vf", "Vr", "kN"}; break;
        case UtilKind::LocalShearMinor: t = {"13.4", "Vf", "Vr", "kN"}; break;
        case UtilKind::LocalTorsion: t = {"", "T", "Tcsv", "kN*m"}; break;  // St Venant torsion: no clause
        case UtilKind::LocalCombined: t = {tension ? "13.9" : "13.8", "", "", ""}; break;
        case UtilKind::BucklingAxialMajor:
        case UtilKind::BucklingAxialMinor: t = {"13.3.1", "Cf", "Cr", "kN"}; break;
        case UtilKind::BucklingAxialTorsion:
        case UtilKind::BucklingAxialFlexuralTorsion: t = {"13.3.2", "Cf", "Cr", "kN"}; break;
        case UtilKind::BucklingLT: t = {"13.6", "Mf", "Mr", "kN*m"}; break;
        case UtilKind::BucklingCombined: t = {"13.8", "", "", ""}; break;
        case UtilKind::Count: break;
    }
    row.demandSymbol = t.demand;
    row.resistanceSymbol = t.resistance;
    row.unit = t.unit;
    if (*t.clause) row.clause = ClauseText(code, t.clause);
}

// The span of a buckling kind with the largest utilisation: its governing station.
double SpanStation(CaseOutcome const& c, UtilKind kind, double util) {
    char const* name = kind == UtilKind::BucklingLT           ? "lateral-torsional"
                       : kind == UtilKind::BucklingAxialMajor ? "major-axis"
                       : kind == UtilKind::BucklingAxialMinor ? "minor-axis"
                                                              : "";
    for (auto const& s : c.spans)
        if (s.kind == name && s.util == util) return s.governingX;
    return std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

MemberSummary Summarise(MemberInput const& input, MemberOutcome const& outcome, RunInfo const* run, bool words) {
    MemberSummary s;
    s.title.member = input.title;
    s.title.project = run && !run->project.empty() ? run->project : input.project;
    s.title.engineer = run && !run->engineer.empty() ? run->engineer : input.engineer;
    if (run) s.title.date = run->date;
    s.title.version = S16CHECK_VERSION;
    s.title.revision = SourceRevision();
    s.title.inputHash = input.inputHash;
    if (words && !input.points.empty()) s.input = InputWords(input, outcome);
    if (outcome.cases.empty()) return s;
    CaseOutcome const& g = outcome.Governing();
    s.checks.reserve(g.maxima.size());
    double worst = -1.0;
    for (auto const& u : g.maxima) {
        CheckRow row;
        row.check = UtilKindText(u.first);
        row.util = u.second;
        row.pass = u.second <= 1.0;
        if (u.second > worst) worst = u.second;
        // The figures of the first entry where the governing value occurs;
        // the sense of the axial force there.
        double axial = 0.0;
        bool found = false;
        for (auto const& e : g.entries) {
            std::size_t k = 0;
            while (k < e.utils.size() && e.utils[k] != u) ++k;
            if (k == e.utils.size()) continue;
            found = true;
            row.demand = std::fabs(e.figures[k].demand);
            row.resistance = e.figures[k].resistance;
            row.at = e.figures[k].at;
            if (u.first == UtilKind::LocalCombined) {
                // The axial force at the combined check's own station; an
                // interaction has no single demand.
                axial = e.figures[k].demand;
                row.demand = std::numeric_limits<double>::quiet_NaN();
            } else {
                for (std::size_t a = 0; a < e.utils.size(); ++a)
                    if (e.utils[a].first == UtilKind::LocalAxial && e.figures[a].demand > 0.0) axial = 1.0;
            }
            break;
        }
        Describe(row, u.first, outcome.code, axial);
        // A flexural buckling utilisation without its Cf, Cr pair is the
        // slenderness limit's (KL/r)/200.
        bool const flexural = u.first == UtilKind::BucklingAxialMajor || u.first == UtilKind::BucklingAxialMinor;
        if (flexural && found && std::isnan(row.resistance) && u.second > 1.0) {
            row.clause = ClauseText(outcome.code, "10.4.2.1");
            row.demandSymbol = row.resistanceSymbol = "";
        }
        if (std::isnan(row.at)) row.at = SpanStation(g, u.first, u.second);
        s.checks.push_back(std::move(row));
    }
    for (auto& row : s.checks)
        if (row.util == worst) {
            row.governing = true;
            break;
        }
    return s;
}

namespace {
// FNV-1a, 64 bits, of the compact text nlohmann::json's dump writes, walked
// from the values themselves: offset basis 14695981039346656037, prime
// 1099511628211. No copy of the text is made.
class InputHasher final : public nlohmann::detail::output_adapter_protocol<char> {
public:
    void write_character(char c) override { h_ = Step(h_, c); }
    void write_characters(char const* s, std::size_t n) override {
        std::uint64_t h = h_;  // (a store to h_ through `s` is possible for all the compiler knows)
        for (std::size_t i = 0; i < n; ++i) h = Step(h, s[i]);
        h_ = h;
    }
    void Text(std::string_view s) { write_characters(s.data(), s.size()); }
    std::uint64_t Hash() const { return h_; }

    // The text of the value `n` of `doc` as nlohmann::json's dump() writes
    // it (no indent, UTF-8 kept, invalid UTF-8 replaced): containers,
    // numbers and plain strings here, a string with a character to escape by
    // the serializer itself.
    void Value(JsonDoc const& doc, std::uint32_t n) {
        using T = JsonDoc::Type;
        auto const& node = doc.At(n);
        char buf[64];
        switch (node.type) {
            case T::Object:
            case T::Array: {
                bool const object = node.type == T::Object;
                write_character(object ? '{' : '[');
                for (auto const* i = doc.ItemsBegin(n); i != doc.ItemsEnd(n); ++i) {
                    if (i != doc.ItemsBegin(n)) write_character(',');
                    if (object) String(doc.Key(*i)), write_character(':');
                    Value(doc, i->node);
                }
                return write_character(object ? '}' : ']');
            }
            case T::String: return String(doc.String(n));
            case T::Float: {
                if (!std::isfinite(node.number)) return Text("null");
                char* const end = nlohmann::detail::to_chars(buf, buf + sizeof buf, node.number);
                return write_characters(buf, static_cast<std::size_t>(end - buf));
            }
            case T::Integer:
                return Text(std::string_view(
                    buf, static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, node.integer).ptr - buf)));
            case T::Unsigned:
                return Text(std::string_view(
                    buf, static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, node.natural).ptr - buf)));
            case T::Bool: return Text(node.boolean ? "true" : "false");
            case T::Null: return Text("null");
        }
    }

private:
    static std::uint64_t Step(std::uint64_t h, char c) {
        return (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    void String(std::string_view s) {
        if (CleanRun(s, true) != s.size()) return Serialized(nlohmann::json(std::string(s)));
        write_character('"');
        Text(s);
        write_character('"');
    }
    // Written by nlohmann::json's serializer, into this hash.
    void Serialized(nlohmann::json const& v) {
        std::shared_ptr<InputHasher> const out(std::shared_ptr<InputHasher>{}, this);  // not owned
        nlohmann::detail::serializer<nlohmann::json> text(out, ' ', nlohmann::json::error_handler_t::replace);
        bool const pretty = false, asciiOnly = false;
        text.dump(v, pretty, asciiOnly, 0);
    }

    std::uint64_t h_ = 14695981039346656037ull;
};
}  // namespace

std::string InputHash(JsonDoc const& member, std::uint32_t node, JsonDoc const& fileLevel) {
    // The compact text of {"file": fileLevel, "member": member} (keys sorted:
    // "file" before "member").
    InputHasher out;
    out.Text("{\"file\":");
    out.Value(fileLevel, 0);
    out.Text(",\"member\":");
    out.Value(member, node);
    out.write_character('}');
    // printf's "%016llx", without its format parsing
    std::string hex(16, '0');
    std::uint64_t h = out.Hash();
    for (std::size_t i = 16; i-- > 0; h >>= 4) hex[i] = "0123456789abcdef"[h & 15];
    return hex;
}

std::string RunDate() {
    std::time_t t = std::time(nullptr);
    if (char const* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        long long const v = std::strtoll(epoch, &end, 10);
        if (end != epoch && *end == '\0' && v >= 0) t = static_cast<std::time_t>(v);
    }
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &tm);
    return buf;
}

std::string SourceRevision() { return S16CHECK_REVISION; }

}  // namespace s16app
