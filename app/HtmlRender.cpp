// HTML output: one self-contained page (no scripts, no external files):
// a summary table, then per member its title block, input, checks,
// drawings and the calculation in collapsible sections.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <sstream>
#include <stdexcept>

#include "app/Output.h"
#include "app/Render.h"
#include "app/Svg.h"

namespace s16app {

std::string HtmlEscape(std::string const& text) {
    std::string const s = Printable(text);
    std::string out;
    for (char c : s) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

namespace {

std::string Escape(std::string const& text) { return HtmlEscape(text); }

constexpr char const* kStyle = R"(
body { font-family: "DejaVu Sans", Arial, sans-serif; margin: 2em; color: #111; }
h1 { font-size: 1.5em; }
h2 { font-size: 1.25em; border-bottom: 2px solid #444; margin: 0 0 0.4em 0; padding-top: 1.5em; }
h3 { font-size: 1.05em; margin: 1em 0 0.3em 0; }
table { border-collapse: collapse; margin: 0.5em 0 1em 0; break-inside: avoid; }
th, td { border: 1px solid #999; padding: 0.2em 0.6em; text-align: left; }
th { background: #eee; }
td.num, table.checks td:nth-child(n+3):nth-child(-n+6) { text-align: right; font-family: "DejaVu Sans Mono", monospace; }
tr.fail td { background: #ffd7d7; color: #b00000; font-weight: bold; }
tr.pass td.verdict { color: #006400; font-weight: bold; }
tr.governing td { border-top: 2px solid #000; border-bottom: 2px solid #000; }
table.title-block { width: 100%; font-size: 0.9em; }
table.title-block th { width: 8em; }
table.spans { font-size: 0.8em; }
p.verdict { font-size: 1.1em; font-weight: bold; padding: 0.3em 0.6em; display: inline-block; margin: 0.3em 0; }
p.verdict.pass { background: #dff0df; color: #005000; }
p.verdict.fail { background: #ffd7d7; color: #b00000; border: 2px solid #b00000; }
.note { color: #6a3d00; }
figure { margin: 0.5em 0 1em 0; break-inside: avoid; }
figcaption { font-size: 0.85em; color: #444; }
svg { max-width: 100%; height: auto; display: block; }
svg text { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 12px; fill: #111; }
svg.section text { font-size: inherit; }
svg .steel path, svg .steel circle { fill: #b8c4d0; stroke: #222; stroke-width: 1; vector-effect: non-scaling-stroke; }
svg .steel circle.hole { fill: #fff; }
svg .dims line, svg .grid, svg line.limit { stroke: #555; stroke-width: 1; vector-effect: non-scaling-stroke; }
svg .grid { stroke: #bbb; stroke-dasharray: 3 3; }
svg line.limit { stroke: #000; stroke-width: 2; }
svg .axis { stroke: #000; stroke-width: 2; }
svg .fixed, svg .pinned, svg .braced, svg .other { fill: #fff; stroke: #000; stroke-width: 1.5; }
svg .free { fill: #000; }
svg .area { fill: #cfe0f5; stroke: #1f4e8c; stroke-width: 1.5; }
svg .title { font-weight: bold; }
svg rect.pass { fill: #4a8f4a; }
svg rect.fail { fill: #c00000; }
svg text.fail { fill: #b00000; font-weight: bold; }
details { margin: 0.2em 0; }
summary { cursor: pointer; font-weight: bold; }
summary.h4, .calc h4 { font-size: 1.05em; }
.calc h4 { margin: 0.4em 0 0.2em 0; }
.calc p { margin: 0; white-space: pre-wrap; tab-size: 4; font-size: 0.85em; }
.calc p[class^="f"] { font-family: "DejaVu Sans Mono", monospace; }
.calc p[class^="r"] { color: #555; font-style: italic; }
.calc p[class$="1"] { padding-left: 1.5em; } .calc p[class$="2"] { padding-left: 3em; }
.calc p[class$="3"] { padding-left: 4.5em; } .calc p[class$="4"] { padding-left: 6em; }
.calc p[class$="5"] { padding-left: 7.5em; } .calc p[class$="6"] { padding-left: 9em; }
p.zero { font-size: 0.85em; margin: 0.2em 0; }
div.wide { overflow-x: auto; }
.red { color: #c00000; }
.orange { color: #c06000; }
.blue { color: #0040c0; }
@media print {
  body { margin: 0; font-size: 10pt; }
  section.member { break-before: page; }
  h2 { padding-top: 0; break-after: avoid; }
  tr.fail td, tr.pass td, p.verdict, svg { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
  details::details-content { content-visibility: visible; display: block; }
  summary { list-style: none; }
  .calc p { break-inside: avoid; }
}
)";

// The formula part of a report line (after its first '=') in readable
// form: squares and cubes raised, Phi, PI and sqrt as symbols.
std::string Readable(std::string const& text) {
    static std::pair<char const*, char const*> const words[] = {
        {"Phi", "\u03c6"}, {"PI", "\u03c0"}, {"sqrt", "\u221a"}};
    auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char const c = text[i];
        char const next = i + 1 < text.size() ? text[i + 1] : '\0';
        char const after = i + 2 < text.size() ? text[i + 2] : '\0';
        if (c == '^' && (next == '2' || next == '3') && !std::isdigit(static_cast<unsigned char>(after)) &&
            after != '.') {
            out += next == '2' ? "\u00b2" : "\u00b3";
            ++i;
            continue;
        }
        bool replaced = false;
        if (i == 0 || !isWord(text[i - 1]))
            for (auto const& w : words) {
                std::size_t const n = std::strlen(w.first);
                if (text.compare(i, n, w.first) == 0 && (i + n == text.size() || !isWord(text[i + n]))) {
                    out += w.second;
                    i += n - 1;
                    replaced = true;
                    break;
                }
            }
        if (!replaced) out += c;
    }
    return out;
}

// The lines of a calculation, each heading opening a collapsible section
// (a main heading followed at once by another is a plain heading above
// them): formula lines (with an '=') in a fixed-width font, their right-hand
// sides readable; clause references set apart.
class CalcWriter {
public:
    explicit CalcWriter(std::ostream& out) : m_out(out) {}
    ~CalcWriter() {
        Close();
        if (!m_pending.empty()) m_out << "<h4>" << m_pending << "</h4>\n";
    }
    CalcWriter(CalcWriter const&) = delete;
    CalcWriter& operator=(CalcWriter const&) = delete;

    void Line(ReportLine const& line) {
        auto const runs = StyleLine(line.markup, m_open);
        unsigned all = 0;
        std::string text;
        for (auto const& r : runs) all |= r.style, text += r.text;
        if (all & (kHeading4 | kHeading5)) {
            Close();
            if (!m_pending.empty()) m_out << "<h4>" << m_pending << "</h4>\n";
            m_pending.clear();
            if (all & kHeading4) {
                m_pending = Runs(runs, Layout::Text);
            } else {
                m_out << "<details><summary>" << Runs(runs, Layout::Text) << "</summary>\n";
                m_inSection = true;
            }
            return;
        }
        if (!m_inSection) {
            m_out << "<details><summary" << (m_pending.empty() ? ">Calculation" : " class=\"h4\">" + m_pending)
                  << "</summary>\n";
            m_pending.clear();
            m_inSection = true;
        }
        std::size_t const first = text.find_first_not_of(" \t");
        bool const formula = text.find('=') != std::string::npos;
        bool const ref = first != std::string::npos && text.compare(first, 4, "ref.") == 0;
        int const indent = std::clamp(line.indent, 0, 6);
        // class: t text, f formula, r reference; the digit the indentation
        m_out << "<p class="
              << (ref       ? 'r'
                  : formula ? 'f'
                            : 't')
              << indent << '>' << (runs.empty() ? "&nbsp;" : Runs(runs, formula ? Layout::Formula : Layout::Text))
              << "</p>\n";
    }

private:
    void Close() {
        if (m_inSection) m_out << "</details>\n";
        m_inSection = false;
    }
    enum class Layout { Text, Formula };
    // The runs of a line; in a formula, what follows its first '=' made readable.
    static std::string Runs(std::vector<StyledRun> const& runs, Layout layout) {
        std::string out;
        bool right = false;
        for (auto const& r : runs) {
            std::string opening, closing;
            if (r.style & kBold) opening += "<b>", closing = "</b>" + closing;
            if (r.style & kItalic) opening += "<i>", closing = "</i>" + closing;
            char const* colour = (r.style & kRed)      ? "red"
                                 : (r.style & kOrange) ? "orange"
                                 : (r.style & kBlue)   ? "blue"
                                                       : nullptr;
            if (colour) opening += std::string("<span class=\"") + colour + "\">", closing = "</span>" + closing;
            // Products with a dot: one character for one, the alignment of
            // the formula's lines kept.
            std::string text;
            for (char c : r.text) {
                if (c == '*')
                    text += "\u00b7";
                else
                    text += c;
            }
            if (layout == Layout::Formula) {
                std::size_t const eq = right ? 0 : text.find('=');
                if (eq != std::string::npos) {
                    text = text.substr(0, eq) + Readable(text.substr(eq));
                    right = true;
                }
            }
            out += opening + Escape(text) + closing;
        }
        return out;
    }

    std::ostream& m_out;
    unsigned m_open = 0;
    bool m_inSection = false;
    std::string m_pending;  // a main heading not yet placed
};

std::string OrDash(std::string_view s) { return std::string(s.empty() ? "-" : s); }

void WriteTitleBlock(std::ostream& out, MemberOutcome const& m) {
    TitleBlock const& t = m.summary.title;
    std::string const version =
        t.version.empty() ? "" : "s16check " + t.version + (t.revision.empty() ? "" : " (" + t.revision + ")");
    std::pair<char const*, std::string> const cells[] = {
        {"Project", t.project},     {"Engineer", t.engineer},
        {"Date", t.date},           {"Member", t.member.empty() ? m.where : t.member},
        {"Section", m.section},     {"Grade", m.grade},
        {"Code", m.code},           {"Program", version},
        {"Input hash", t.inputHash}};
    out << "<table class=\"title-block\">\n";
    for (std::size_t i = 0; i < 9; ++i)
        out << (i % 3 == 0 ? "<tr>" : "") << "<th>" << cells[i].first << "</th><td>" << Escape(OrDash(cells[i].second))
            << "</td>" << (i % 3 == 2 ? "</tr>\n" : "");
    out << "</table>\n";
}

// A demand or resistance of the checks table: "Mfx = 123.4 kN*m", "-" when
// it is not one number.
std::string Quantity(std::string_view symbol, double si, std::string_view unit) {
    if (!std::isfinite(si)) return "-";
    double const scale = unit.rfind("kN", 0) == 0 ? 1e3 : 1.0;
    return (symbol.empty() ? "" : std::string(symbol) + " = ") + Fixed(si / scale, 1) +
           (unit.empty() ? "" : " " + std::string(unit));
}

void ChecksTable(std::ostream& out, MemberSummary const& s) {
    out << "<table class=\"checks\">\n<thead><tr><th>Check</th><th>Clause</th><th>Demand</th><th>Resistance</th>"
           "<th>At x (m)</th><th>Utilisation</th><th>Result</th></tr></thead>\n<tbody>\n";
    for (auto const& c : s.checks)
        out << "<tr class=\"" << (c.pass ? "pass" : "fail") << (c.governing ? " governing" : "") << "\"><td>"
            << Escape(std::string(c.check)) << (c.governing ? " <strong>(governing)</strong>" : "") << "</td><td>"
            << Escape(OrDash(c.clause)) << "</td><td>" << Escape(Quantity(c.demandSymbol, c.demand, c.unit))
            << "</td><td>" << Escape(Quantity(c.resistanceSymbol, c.resistance, c.unit)) << "</td><td>"
            << (std::isfinite(c.at) ? Fixed(c.at, 3) : "-") << "</td><td>" << UtilText(c.util)
            << "</td><td class=\"verdict\">" << Verdict(c.pass) << "</td></tr>\n";
    out << "</tbody>\n</table>\n";
    if (!s.complete) out << "<p>" << kQuickStopped << "</p>\n";
}

// The utilisations as bars: each check, each buckling span and the
// cross-section checks of each sub-span (the largest of its stations).
std::vector<BarGroup> Bars(MemberOutcome const& m) {
    CaseOutcome const& g = m.Governing();
    std::vector<BarGroup> groups;
    auto range = [](double from, double to) { return Fixed(from, 3) + " to " + Fixed(to, 3) + " m"; };
    BarGroup checks{"Checks", {}};
    for (auto const& c : m.summary.checks)
        if (c.util != 0.0) checks.bars.push_back({std::string(c.check), c.util});
    BarGroup spans{"Member buckling spans", {}};
    for (auto const& s : g.spans)
        if (s.util != 0.0) spans.bars.push_back({std::string(s.kind) + " " + range(s.from, s.to), s.util});
    // The input's sub-spans: the largest cross-section utilisation of the
    // module's sub-spans each became.
    BarGroup local{"Cross-section checks by sub-span", {}};
    int last = -1;
    double from = 0.0;
    for (auto const& e : g.entries) {
        if (e.kind != EntryOutcome::Local || e.utils.empty()) continue;
        double worst = 0.0;
        for (auto const& u : e.utils) worst = std::max(worst, u.second);
        if (e.subspan != last) local.bars.push_back({"", worst}), from = e.from, last = e.subspan;
        local.bars.back().util = std::max(local.bars.back().util, worst);
        local.bars.back().label = "sub-span " + std::to_string(e.subspan + 1) + ", " + range(from, e.to);
    }
    for (auto* group : {&checks, &spans, &local})
        if (!group->bars.empty()) groups.push_back(std::move(*group));
    return groups;
}

void Drawings(std::ostream& out, MemberOutcome const& m) {
    if (m.drawing.points.empty()) return;
    out << "<h3>Drawings</h3>\n<figure class=\"section\">";
    SectionSvg(out, m.drawing);
    out << "<figcaption>Section " << Escape(m.section) << " to scale, dimensions in mm"
        << (m.drawing.dims.slope != 0 ? "; sloping flanges drawn at their average thickness" : "")
        << ".</figcaption></figure>\n"
        << "<figure class=\"member\">";
    MemberSvg(out, m.drawing);
    out << "<figcaption>The member: its points and their restraints.</figcaption></figure>\n<figure class=\"actions\">";
    ActionsSvg(out, m.drawing, m.Governing().actions);
    out << "<figcaption>Actions along the member"
        << (m.namedCases ? " (governing case &ldquo;" + Escape(m.Governing().name) + "&rdquo;)" : "")
        << ", drawn positive upwards: a negative Mx compresses the top flange.</figcaption></figure>\n"
        << "<figure class=\"bars\">";
    BarsSvg(out, Bars(m));
    out << "<figcaption>Utilisations against 1.0 (those of zero left out).</figcaption></figure>\n";
}

void WriteMember(std::ostream& out, std::size_t i, MemberOutcome const& m) {
    CaseOutcome const& g = m.Governing();
    bool const pass = m.Pass();
    out << "<section class=\"member\" id=\"member" << i + 1 << "\">\n<h2>" << Escape(MemberHeading(i, m)) << "</h2>\n";
    WriteTitleBlock(out, m);
    std::string const governing = GoverningName(g);
    out << "<p class=\"verdict " << (pass ? "pass" : "fail") << "\">" << Verdict(pass) << ": utilisation "
        << UtilText(g.utilisation) << (governing.empty() ? "" : ", governed by " + Escape(governing)) << "</p>\n";
    if (!m.summary.input.empty()) {
        out << "<h3>Input</h3>\n<ul class=\"input\">\n";
        for (auto const& line : m.summary.input) out << "<li>" << Escape(line) << "</li>\n";
        out << "</ul>\n";
    }
    out << "<h3>Checks" << (m.namedCases ? " (governing case &ldquo;" + Escape(g.name) + "&rdquo;)" : "") << "</h3>\n";
    ChecksTable(out, m.summary);
    for (auto const& note : MemberNotes(m)) out << "<p class=\"note\">" << Escape(note) << "</p>\n";
    for (auto const& w : m.warnings) out << "<p class=\"note\">Warning: " << Escape(w) << "</p>\n";
    if (m.namedCases) {
        out << "<table class=\"cases\">\n<thead><tr><th>Load case</th><th>Utilisation</th><th>Result</th></tr>"
               "</thead>\n<tbody>\n";
        for (auto const& c : m.cases)
            out << "<tr class=\"" << (c.pass ? "pass" : "fail") << "\"><td>" << Escape(c.name)
                << "</td><td class=\"num\">" << UtilText(c.utilisation) << "</td><td class=\"verdict\">"
                << Verdict(c.pass) << "</td></tr>\n";
        out << "</tbody>\n</table>\n";
    }
    Drawings(out, m);
    Cells const spans = SpanTable(g);
    for (std::size_t r = 0; r < spans.Rows(); ++r) {
        if (r == 0) out << "<h3>Member buckling spans</h3>\n<div class=\"wide\"><table class=\"spans\">\n<thead><tr>";
        if (r > 0) out << "<tr>";
        for (std::size_t k = 0; k < spans.Columns(); ++k)
            out << (r == 0 ? "<th>" : "<td>") << Escape(std::string(spans.Cell(r, k))) << (r == 0 ? "</th>" : "</td>");
        out << "</tr>\n" << (r == 0 ? "</thead>\n<tbody>\n" : "");
        if (r + 1 == spans.Rows()) out << "</tbody>\n</table></div>\n";
    }
    if (!g.report.empty()) {
        out << "<h3>Calculation</h3>\n<div class=\"calc\">\n";
        {
            CalcWriter calc(out);
            for (auto const& line : g.report) calc.Line(line);
        }
        out << "</div>\n";
    }
    out << "</section>\n";
}

// The text of a stream, or an error when a write to it failed.
std::string Checked(std::ostringstream const& out) {
    if (!out) throw std::runtime_error("the HTML report could not be formatted");
    return out.str();
}

}  // namespace

std::string HtmlHead(RunCounts const& counts) {
    return std::string(
               "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src "
               "'unsafe-inline'\">\n"
               "<title>s16check report</title>\n<style>") +
           kStyle + "</style>\n</head>\n<body>\n<h1>s16check report</h1>\n<p>" + Escape(CountsLine(counts)) +
           "</p>\n<table "
           "class=\"summary\">\n<thead><tr><th>#</th><th>Member</th><th>Section</th><th>Grade</th><th>Code</th>"
           "<th>Governing check</th><th>Utilisation</th><th>Result</th></tr></thead>\n<tbody>\n";
}

std::string HtmlRow(BatchRow const& r) {
    std::ostringstream out;
    if (!r.checked) {
        out << "<tr class=\"fail\"><td>" << r.index + 1 << "</td><td colspan=\"6\">" << Escape(r.error)
            << "</td><td class=\"verdict\">ERROR</td></tr>\n";
        return Checked(out);
    }
    out << "<tr class=\"" << (r.pass ? "pass" : "fail") << "\"><td>" << r.index + 1 << "</td><td><a href=\"#member"
        << r.index + 1 << "\">" << Escape(r.title.empty() ? r.where : r.title) << "</a></td><td>" << Escape(r.section)
        << "</td><td>" << Escape(r.grade) << "</td><td>" << Escape(r.code) << "</td><td>" << Escape(r.governing)
        << "</td><td class=\"num\">" << UtilText(r.util) << "</td><td class=\"verdict\">" << Verdict(r.pass)
        << "</td></tr>\n";
    return Checked(out);
}

std::string HtmlMember(std::size_t i, BatchItem const& item) {
    std::ostringstream out;
    if (!item.outcome) {
        out << "<section class=\"member error\" id=\"member" << i + 1 << "\">\n<h2>Member " << i + 1
            << "</h2>\n<p class=\"verdict fail\">ERROR: " << Escape(item.error) << "</p>\n</section>\n";
        return Checked(out);
    }
    WriteMember(out, i, *item.outcome);
    return Checked(out);
}

char const* const kHtmlRowsEnd = "</tbody>\n</table>\n";
char const* const kHtmlEnd = "</body>\n</html>\n";

}  // namespace s16app
