// JSON output for tools: SI units, every number a JSON number (null when it
// is not finite). Members are written straight into one buffer each; the
// section command's small document goes through nlohmann::json.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string_view>

#include "app/Render.h"

namespace s16app {

using Corvid::Steel::UtilKind;
using nlohmann::json;

namespace {

json Number(double v) {
    if (std::isfinite(v)) return v;
    return nullptr;
}

// The text of a member put together in a small buffer (room made once for
// each token, with no call per piece) and appended to its string, reserved
// once, a block at a time; a token longer than the buffer goes to the string
// directly.
class Buffer {
public:
    // `reserve`: the bytes a member's text is expected to take.
    Buffer(std::string& s, std::size_t reserve) : s_(s) { s_.reserve(s_.size() + reserve); }
    ~Buffer() { Flush(); }
    Buffer(Buffer const&) = delete;
    Buffer& operator=(Buffer const&) = delete;
    // Where at least n more bytes may be written; Commit takes those up to
    // `end` (the place Room gave: none).
    char* Room(std::size_t n) {
        if (kBlock - used_ >= n) return block_ + used_;
        Flush();
        if (n <= kBlock) return block_;
        std::size_t const size = s_.size();
        s_.resize(size + n);
        direct_ = true;
        return &s_[size];
    }
    void Commit(char const* end) {
        if (!direct_) {
            used_ = static_cast<std::size_t>(end - block_);
            return;
        }
        s_.resize(static_cast<std::size_t>(end - s_.data()));
        direct_ = false;
    }
    void append(char const* p, std::size_t n) {
        char* const to = Room(n);
        std::memcpy(to, p, n);
        Commit(to + n);
    }
    void append(std::string_view v) { append(v.data(), v.size()); }
    Buffer& operator+=(std::string_view v) {
        append(v);
        return *this;
    }
    Buffer& operator+=(char c) {
        char* const to = Room(1);
        *to = c;
        Commit(to + 1);
        return *this;
    }

private:
    // Blocks copied with vector moves (below the size at which the C
    // library's copy turns to a string instruction).
    static constexpr std::size_t kBlock = 1920;
    void Flush() {
        s_.append(block_, used_);
        used_ = 0;
    }
    std::string& s_;
    char block_[kBlock];
    std::size_t used_ = 0;
    bool direct_ = false;
};

// A JSON writer appending to a string: indented by two spaces per level
// (`pretty`, as nlohmann::json::dump(2) writes) or on one line. Strings are
// written as UTF-8 with the characters JSON requires escaped; bytes that are
// not valid UTF-8 become U+FFFD.
class Writer {
public:
    Writer(std::string& out, bool pretty, int depth, std::size_t reserve = 256)
        : out_(out, reserve), pretty_(pretty), depth_(depth) {}
    // A key written as a literal: its length known here.
    template <std::size_t N>
    Writer& Key(char const (&key)[N]) {
        static_assert(N - 1 <= kBuf - kMaxIndent - 8, "a key longer than a token's room");
        char* p = Lead(out_.Room(kBuf));
        *p++ = '"';
        std::memcpy(p, key, N - 1);
        p += N - 1;
        *p++ = '"', *p++ = ':';
        if (pretty_) *p++ = ' ';
        out_.Commit(p);
        afterKey_ = true;
        return *this;
    }
    // A key (plain ASCII: no escaping needed).
    Writer& Key(std::string_view key) {
        if (key.size() > kBuf - kMaxIndent - 8) {
            out_.Commit(Lead(out_.Room(kBuf)));
            String(key);
            out_ += pretty_ ? ": " : ":";
        } else {
            char* p = Lead(out_.Room(kBuf));
            *p++ = '"';
            std::memcpy(p, key.data(), key.size());
            p += key.size();
            *p++ = '"', *p++ = ':';
            if (pretty_) *p++ = ' ';
            out_.Commit(p);
        }
        afterKey_ = true;
        return *this;
    }
    void Open(char bracket) {
        char* p = Lead(out_.Room(kBuf));
        *p++ = bracket;
        out_.Commit(p);
        ++depth_;
        first_ = true;
    }
    void Close(char bracket) {
        --depth_;
        char* p = out_.Room(kBuf);
        if (!first_) p = Indent(p);
        *p++ = bracket;
        out_.Commit(p);
        first_ = false;
    }
    void Null() { Literal("null"); }
    void Bool(bool b) { Literal(b ? "true" : "false"); }
    void Int(unsigned long long v) {
        char* const p = Lead(out_.Room(kBuf));
        out_.Commit(std::to_chars(p, p + kNumber, v).ptr);
    }
    // The shortest text that reads back as `v`, with ".0" when it would
    // read as an integer; null when `v` is not finite.
    void Num(double v) {
        if (!std::isfinite(v)) return Null();
        char* const start = Lead(out_.Room(kBuf));
        char* end = ShortestText(start, start + kNumber, v);
        bool integral = true;
        for (char const* q = start; q != end && integral; ++q) integral = *q != '.' && *q != 'e';
        if (integral) *end++ = '.', *end++ = '0';
        out_.Commit(end);
    }
    void Str(std::string_view text) {
        char* p = Lead(out_.Room(kBuf + text.size()));
        if (CleanRun(text, true) == text.size()) {  // the most frequent: nothing to escape
            *p++ = '"';
            if (!text.empty()) std::memcpy(p, text.data(), text.size());  // (an empty view may hold no pointer)
            p += text.size();
            *p++ = '"';
            return out_.Commit(p);
        }
        out_.Commit(p);
        String(text);
    }
    // The report as one string: each line as ReportLineText writes it; a
    // line it leaves (bytes past ASCII that are not UTF-8 until its tags are
    // gone) in plain text (AppendPlain), Printable's and JSON's escapes after.
    void Report(CaseReport const& lines) {
        out_.Commit(Lead(out_.Room(kBuf)));
        out_ += '"';
        std::string plain;
        for (auto const line : lines) {
            std::size_t const indent = static_cast<std::size_t>(line.indent) * 2;
            char* const start = out_.Room(ReportLineRoom(indent, line.markup) + 2);
            if (char* end = ReportLineText(start, indent, line.markup, true)) {
                *end++ = '\\', *end++ = 'n';
                out_.Commit(end);
                continue;
            }
            out_.Commit(start);
            plain.assign(indent, ' ');
            AppendPlain(plain, line.markup);
            Escaped(NeedsEscape(plain) ? std::string_view(Printable(plain)) : std::string_view(plain));
            out_.append("\\n");
        }
        out_ += '"';
    }
    void Strings(std::vector<std::string> const& list) {
        Open('[');
        for (auto const& s : list) Str(s);
        Close(']');
    }

private:
    // Each token is written at a place with room for kBuf bytes (and its
    // text): its separator, line break and indent (at most kMaxIndent
    // spaces), and the token (a key, a number of at most kNumber bytes).
    static constexpr std::size_t kMaxIndent = 48, kBuf = 128, kNumber = 40;
    char* Indent(char* p) const {
        if (!pretty_) return p;
        *p++ = '\n';
        // Always the whole run of spaces (a copy of known length), then as many kept.
        static constexpr char kSpaces[kMaxIndent + 1] = "                                                ";
        std::memcpy(p, kSpaces, kMaxIndent);
        return p + std::min(static_cast<std::size_t>(depth_) * 2, kMaxIndent);
    }
    // What comes before a value: nothing after a key, else a comma after
    // the first value and the indent.
    char* Lead(char* p) {
        if (afterKey_) {
            afterKey_ = false;
            return p;
        }
        if (!first_) *p++ = ',';
        first_ = false;
        return Indent(p);
    }
    void Literal(std::string_view text) {
        char* const p = Lead(out_.Room(kBuf));
        std::memcpy(p, text.data(), text.size());
        out_.Commit(p + text.size());
    }
    void String(std::string_view s) {
        out_ += '"';
        Escaped(s);
        out_ += '"';
    }
    void Escaped(std::string_view s);

    Buffer out_;
    bool pretty_;
    int depth_;
    bool first_ = true;
    bool afterKey_ = true;  // the first value follows no separator
};

// An invalid UTF-8 start (Utf8Length) becomes one U+FFFD, as
// nlohmann::json's error_handler_t::replace does.
void Writer::Escaped(std::string_view s) {
    std::size_t run = 0;  // start of the bytes copied as they are
    for (std::size_t i = CleanRun(s, true); i < s.size(); i += CleanRun(s.substr(i), true)) {
        unsigned char const c = static_cast<unsigned char>(s[i]);
        if (c == 0x7f) {
            ++i;
            continue;
        }
        bool valid = true;
        std::size_t const n = c < 0x80 ? 1 : Utf8Length(s, i, valid);
        if (c >= 0x80 && valid) {
            i += n;
            continue;
        }
        out_.append(s.data() + run, i - run);
        switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            case '\b': out_ += "\\b"; break;
            case '\f': out_ += "\\f"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out_ += buf;
                } else {
                    out_ += "\xEF\xBF\xBD";  // U+FFFD
                }
        }
        run = i += n;
    }
    out_.append(s.data() + run, s.size() - run);
}

char const* UtilName(UtilKind k) {
    switch (k) {
        case UtilKind::LocalAxial: return "axial";
        case UtilKind::LocalMomMajor: return "moment_major";
        case UtilKind::LocalMomMinor: return "moment_minor";
        case UtilKind::LocalShearMajor: return "shear_major";
        case UtilKind::LocalShearMinor: return "shear_minor";
        case UtilKind::LocalTorsion: return "torsion";
        case UtilKind::LocalCombined: return "combined";
        case UtilKind::BucklingAxialMajor: return "axial_major";
        case UtilKind::BucklingAxialMinor: return "axial_minor";
        case UtilKind::BucklingAxialTorsion: return "torsional";
        case UtilKind::BucklingAxialFlexuralTorsion: return "flexural_torsional";
        case UtilKind::BucklingLT: return "lateral_torsional";
        case UtilKind::BucklingCombined: return "combined";
        case UtilKind::Count: break;
    }
    return "unknown";
}

void Entry(Writer& w, EntryOutcome const& e) {
    static char const* const kinds[] = {"input", "local", "buckling"};
    w.Open('{');
    w.Key("index").Int(static_cast<unsigned>(e.index));
    w.Key("kind").Str(kinds[e.kind]);
    if (e.kind == EntryOutcome::Local) {
        w.Key("subspan").Int(static_cast<unsigned>(e.subspan));
        w.Key("from").Num(e.from);
        w.Key("to").Num(e.to);
    }
    if (!e.utils.empty() || e.kind != EntryOutcome::Input) {
        w.Key("util").Open('{');
        for (auto const& u : e.utils) w.Key(UtilName(u.first)).Num(u.second);
        w.Close('}');
    }
    w.Close('}');
}

void Span(Writer& w, SpanWorking const& s) {
    w.Open('{');
    w.Key("kind").Str(s.kind);
    w.Key("from").Num(s.from);
    w.Key("to").Num(s.to);
    w.Key("Le").Num(s.Le);
    w.Key("Le_from").Str(s.lengthRule);
    if (s.kind == "lateral-torsional") {
        w.Key("omega2").Num(s.omega2);
        w.Key("omega2_from").Str(s.omega2Rule);
        w.Key("Mu").Num(s.Mu);
        w.Key("Mr").Num(s.Mr);
        w.Key("Mf").Num(s.Mf);
        w.Key("compression_flange").Str(s.flange);
    } else {
        w.Key("KL_r").Num(s.slenderness);
        w.Key("Cu").Num(s.Cu);
        w.Key("Cr").Num(s.Cr);
    }
    w.Key("governing_x").Num(s.governingX);
    w.Key("util").Num(s.util);
    w.Close('}');
}

// The fields of one case (inside its object), under the member's title,
// code and section; `pass` is the member's verdict at the member level.
void Case(Writer& w, MemberOutcome const& m, CaseOutcome const& c, bool pass, bool report) {
    w.Key("title").Str(m.title);
    w.Key("code").Str(m.code);
    w.Key("section").Str(m.section);
    w.Key("grade").Str(m.grade);
    if (m.namedCases) w.Key("name").Str(c.name);
    w.Key("checked").Bool(c.checked);
    w.Key("pass").Bool(pass);
    w.Key("utilisation").Num(c.utilisation);
    // The checks whose utilisation is +infinity (null above): no resistance.
    w.Key("unbounded").Open('[');
    for (auto const& u : c.maxima)
        if (std::isinf(u.second)) w.Str(UtilKindText(u.first));
    w.Close(']');
    w.Key("governing_check").Str(GoverningName(c));
    w.Key("flags").Int(c.flags);
    w.Key("flag_names").Strings(FlagNames(c.flags));
    w.Key("buckling_checked").Bool(c.bucklingChecked);
    if (!c.bucklingChecked) w.Key("buckling_note").Str(kBucklingNotChecked);
    w.Key("entries").Open('[');
    for (auto const& e : c.entries) Entry(w, e);
    w.Close(']');
    if (!c.spans.empty()) {
        w.Key("spans").Open('[');
        for (auto const& s : c.spans) Span(w, s);
        w.Close(']');
    }
    if (report) w.Key("report").Report(c.report);
}

void Checks(Writer& w, std::vector<CheckRow> const& checks) {
    w.Key("checks").Open('[');
    for (auto const& r : checks) {
        w.Open('{');
        w.Key("check").Str(r.check);
        w.Key("clause").Str(r.clause);
        w.Key("demand_symbol").Str(r.demandSymbol);
        w.Key("demand").Num(r.demand);
        w.Key("resistance_symbol").Str(r.resistanceSymbol);
        w.Key("resistance").Num(r.resistance);
        w.Key("util").Num(r.util);
        w.Key("at").Num(r.at);
        w.Key("pass").Bool(r.pass);
        w.Key("governing").Bool(r.governing);
        w.Close('}');
    }
    w.Close(']');
}

void Member(Writer& w, std::size_t index, BatchItem const& item, bool report) {
    w.Open('{');
    w.Key("index").Int(index);
    w.Key("version").Str(S16CHECK_VERSION);
    if (!item.outcome) {
        w.Key("error").Str(item.error);
        return w.Close('}');
    }
    MemberOutcome const& m = *item.outcome;
    w.Key("source").Str(m.where);
    Case(w, m, m.Governing(), m.Pass(), report);
    Checks(w, m.summary.checks);
    w.Key("checks_complete").Bool(m.summary.complete);
    w.Key("input_units").Str(m.units);
    w.Key("warnings").Strings(m.warnings);
    if (!m.resistances.empty()) {
        w.Key("section_resistances").Open('{');
        for (auto const& v : m.resistances) w.Key(v.first).Num(v.second);
        w.Close('}');
        w.Key("section_classes").Open('{');
        for (auto const& v : m.classes) w.Key(v.first).Int(static_cast<unsigned>(v.second));
        w.Close('}');
    }
    if (m.namedCases) {
        w.Key("governing_case").Str(m.Governing().name);
        w.Key("cases").Open('[');
        for (auto const& c : m.cases) {
            w.Open('{');
            Case(w, m, c, c.pass, report);
            w.Close('}');
        }
        w.Close(']');
    }
    w.Close('}');
}

json Values(NamedValues const& values) {
    json j = json::object();
    for (auto const& v : values) j[v.first] = Number(v.second);
    return j;
}

// The bytes a member's text is expected to take: about 11 kB without the
// report (16 kB reserved), and with it each written report's markup and
// room for its lines' indents and ends (a third of the members of the bench
// batch passed 64 kB and the string grew, copying its text).
std::size_t ExpectedBytes(BatchItem const& item, bool report) {
    std::size_t bytes = std::size_t{16} << 10;
    if (!report || !item.outcome) return bytes;
    auto const add = [&bytes](CaseOutcome const& c) { bytes += c.report.TextSize() + 16 * c.report.size(); };
    add(item.outcome->Governing());
    if (item.outcome->namedCases)
        for (auto const& c : item.outcome->cases) add(c);
    return bytes;
}

}  // namespace

std::string JsonBegin(JsonStyle style) { return style.lines ? "" : "{\n  \"members\": ["; }

std::string JsonMember(std::size_t index, BatchItem const& item, bool first, JsonStyle style) {
    std::string out = style.lines ? "" : first ? "\n    " : ",\n    ";
    {
        Writer w(out, !style.lines, style.lines ? 0 : 2, ExpectedBytes(item, style.report));
        Member(w, index, item, style.report);
    }
    if (style.lines) out += '\n';
    return out;
}

std::string JsonEnd(bool anyMember, RunCounts const& c, JsonStyle style) {
    std::string out = style.lines ? "{\"summary\":" : anyMember ? "\n  ],\n  \"summary\": " : "],\n  \"summary\": ";
    {
        Writer w(out, !style.lines, style.lines ? 0 : 1);
        w.Open('{');
        w.Key("members").Int(c.pass + c.fail + c.errors);
        w.Key("pass").Int(c.pass);
        w.Key("fail").Int(c.fail);
        w.Key("errors").Int(c.errors);
        w.Close('}');
    }
    return out + (style.lines ? "}\n" : "\n}\n");
}

void WriteJson(std::ostream& out, json const& doc) {
    bool const asciiOnly = false;  // UTF-8 as it is, not as \u escapes
    out << doc.dump(2, ' ', asciiOnly, json::error_handler_t::replace) << "\n";
}

void RenderSectionJson(std::ostream& out, SectionInfo const& s) {
    json doc = {
        {"section", s.name},
        {"shape", s.shape},
        {"shape_code", s.shapeCode},
        {"fabrication", s.fabrication},
        {"code", s.code},
        {"dimensions", Values(s.dimensions)},
        {"properties", Values(s.properties)},
        {"tabulated", s.tabulated},
        {"grade", {{"name", s.grade}, {"Fy", Number(s.Fy)}, {"Fu", Number(s.Fu)}}},
        {"classes",
         {{"overall", s.classOverall}, {"axial", s.classAxial}, {"major", s.classMajor}, {"minor", s.classMinor}}},
        {"resistances", Values(s.resistances)},
        {"shear_resisted_by", {{"Vr_major", s.shearMajorBy}, {"Vr_minor", s.shearMinorBy}}}};
    WriteJson(out, doc);
}

}  // namespace s16app
