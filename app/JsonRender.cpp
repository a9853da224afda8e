// JSON output for tools: SI units, +infinity as the string "inf".
#include <cmath>
#include <nlohmann/json.hpp>

#include "app/Render.h"

namespace s16app {

using nlohmann::json;
using Corvid::Steel::UtilKind;

namespace {

json Number(double v) {
    if (std::isfinite(v)) return v;
    return std::isnan(v) ? "nan" : (v > 0 ? "inf" : "-inf");
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

json Entry(EntryOutcome const& e) {
    static char const* const kinds[] = {"input", "local", "buckling"};
    json j = {{"index", e.index}, {"kind", kinds[e.kind]}};
    if (e.kind == EntryOutcome::Local) {
        j["subspan"] = e.subspan;
        j["from"] = e.from;
        j["to"] = e.to;
    }
    if (!e.utils.empty() || e.kind != EntryOutcome::Input) {
        json util = json::object();
        for (auto const& u : e.utils) util[UtilName(u.first)] = Number(u.second);
        j["util"] = util;
    }
    return j;
}

// The fields of one case, under the member's title, code and section.
json Case(MemberOutcome const& m, CaseOutcome const& c) {
    json j = {{"title", m.title}, {"code", m.code}, {"section", m.section}, {"grade", m.grade}};
    if (m.namedCases) j["name"] = c.name;
    j["checked"] = c.checked;
    j["pass"] = c.pass;
    j["utilisation"] = Number(c.utilisation);
    j["governing_check"] = GoverningName(c);
    j["flags"] = c.flags;
    j["flag_names"] = FlagNames(c.flags);
    j["buckling_checked"] = c.bucklingChecked;
    if (!c.bucklingChecked) j["buckling_note"] = kBucklingNotChecked;
    json entries = json::array();
    for (auto const& e : c.entries) entries.push_back(Entry(e));
    j["entries"] = entries;
    j["report"] = PlainText(c.report);
    if (!c.spans.empty()) {
        json spans = json::array();
        for (auto const& s : c.spans) {
            json e = {{"kind", s.kind}, {"from", s.from}, {"to", s.to}, {"Le", Number(s.Le)},
                      {"Le_from", s.lengthRule}, {"governing_x", s.governingX}, {"util", Number(s.util)}};
            if (s.kind == "lateral-torsional") {
                e["omega2"] = Number(s.omega2);
                e["omega2_from"] = s.omega2Rule;
                e["Mu"] = Number(s.Mu);
                e["Mr"] = Number(s.Mr);
                e["Mf"] = Number(s.Mf);
                e["compression_flange"] = s.flange;
            } else {
                e["KL_r"] = Number(s.slenderness);
                e["Cu"] = Number(s.Cu);
                e["Cr"] = Number(s.Cr);
            }
            spans.push_back(e);
        }
        j["spans"] = spans;
    }
    return j;
}

json Member(std::size_t index, BatchItem const& item) {
    if (!item.outcome) return {{"index", index}, {"error", item.error}};
    MemberOutcome const& m = *item.outcome;
    json j = Case(m, m.Governing());
    j["index"] = index;
    j["source"] = m.where;
    j["input_units"] = m.units;
    j["warnings"] = m.warnings;
    if (!m.resistances.empty()) {
        json r = json::object(), k = json::object();
        for (auto const& v : m.resistances) r[v.first] = Number(v.second);
        for (auto const& v : m.classes) k[v.first] = v.second;
        j["section_resistances"] = r;
        j["section_classes"] = k;
    }
    j["pass"] = m.Pass();
    if (m.namedCases) {
        j["governing_case"] = m.Governing().name;
        json cases = json::array();
        for (auto const& c : m.cases) cases.push_back(Case(m, c));
        j["cases"] = cases;
    }
    return j;
}

void Write(std::ostream& out, json const& j) {
    // Invalid UTF-8 in a title is replaced rather than refused.
    out << j.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
}

json Values(NamedValues const& values) {
    json j = json::object();
    for (auto const& v : values) j[v.first] = Number(v.second);
    return j;
}

}  // namespace

namespace {
// A value dumped as it appears nested `depth` levels deep in a document
// dumped with an indent of 2.
std::string Nested(json const& j, int depth) {
    std::string const text = j.dump(2, ' ', false, json::error_handler_t::replace);
    std::string const pad(static_cast<std::size_t>(depth) * 2, ' ');
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t const end = text.find('\n', start);
        if (start > 0) out += pad;
        out.append(text, start, end == std::string::npos ? std::string::npos : end + 1 - start);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}
}  // namespace

std::string JsonBegin() { return "{\n  \"members\": ["; }

std::string JsonMember(std::size_t index, BatchItem const& item, bool first) {
    return (first ? "\n    " : ",\n    ") + Nested(Member(index, item), 2);
}

std::string JsonEnd(bool anyMember, RunCounts const& c) {
    json const summary = {
        {"members", c.pass + c.fail + c.errors}, {"pass", c.pass}, {"fail", c.fail}, {"errors", c.errors}};
    return std::string(anyMember ? "\n  ]" : "]") + ",\n  \"summary\": " + Nested(summary, 1) + "\n}\n";
}

void RenderJson(std::ostream& out, std::vector<BatchItem> const& items) {
    out << JsonBegin();
    for (std::size_t i = 0; i < items.size(); ++i) out << JsonMember(i, items[i], i == 0);
    out << JsonEnd(!items.empty(), Count(items));
}

void RenderSectionJson(std::ostream& out, SectionInfo const& s) {
    json doc = {{"section", s.name},
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
    Write(out, doc);
}

}  // namespace s16app
