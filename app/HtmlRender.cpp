// HTML output: one self-contained page (no scripts, no external files).
#include <sstream>
#include <stdexcept>

#include "app/Output.h"
#include "app/Render.h"

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
h2 { font-size: 1.2em; border-bottom: 1px solid #888; margin-top: 2em; }
table { border-collapse: collapse; margin: 0.5em 0 1em 0; }
th, td { border: 1px solid #999; padding: 0.2em 0.6em; text-align: left; }
th { background: #eee; }
td.num { text-align: right; font-family: "DejaVu Sans Mono", monospace; }
tr.fail td { background: #ffd7d7; color: #b00000; font-weight: bold; }
tr.pass td.verdict { color: #006400; font-weight: bold; }
.report { font-family: "DejaVu Sans Mono", monospace; font-size: 0.85em; }
.report div, .report h4, .report h5 { margin: 0; white-space: pre-wrap; tab-size: 4; }
.report h4 { font-size: 1.1em; margin-top: 0.6em; }
.report h5 { font-size: 1em; margin-top: 0.4em; }
.red { color: #c00000; }
.orange { color: #c06000; }
.blue { color: #0040c0; }
.meta { color: #444; }
@media print {
  body { margin: 0; font-size: 10pt; }
  tr.fail td, tr.pass td { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
  h2 { break-after: avoid; }
  .report div { break-inside: avoid; }
}
)";

// One report line as an element: <h4>/<h5> when the line is a heading.
void WriteLine(std::ostream& out, ReportLine const& line, unsigned& open) {
    auto const runs = StyleLine(line.markup, open);
    unsigned all = 0;
    for (auto const& r : runs) all |= r.style;
    char const* tag = (all & kHeading4) ? "h4" : (all & kHeading5) ? "h5" : "div";
    out << "<" << tag << " style=\"padding-left:" << line.indent * 2 << "em\">";
    for (auto const& r : runs) {
        std::string opening, closing;
        if (r.style & kBold) opening += "<b>", closing = "</b>" + closing;
        if (r.style & kItalic) opening += "<i>", closing = "</i>" + closing;
        char const* colour = (r.style & kRed) ? "red" : (r.style & kOrange) ? "orange" : (r.style & kBlue) ? "blue" : nullptr;
        if (colour) opening += std::string("<span class=\"") + colour + "\">", closing = "</span>" + closing;
        out << opening << Escape(r.text) << closing;
    }
    if (runs.empty()) out << "&nbsp;";
    out << "</" << tag << ">\n";
}

void WriteMember(std::ostream& out, std::size_t i, MemberOutcome const& m) {
    CaseOutcome const& g = m.Governing();
    out << "<section class=\"member\">\n<h2 id=\"member" << i + 1 << "\">" << Escape(MemberHeading(i, m)) << "</h2>\n"
        << "<p class=\"meta\">" << Escape(m.where) << " &middot; " << Escape(m.code) << " &middot; "
        << Escape(m.section) << " &middot; " << Escape(m.grade) << "</p>\n";
    out << "<table class=\"utilisations\">\n<thead><tr><th>"
        << (m.namedCases ? "Check (governing case &ldquo;" + Escape(g.name) + "&rdquo;)" : std::string("Check"))
        << "</th><th>Utilisation</th></tr></thead>\n<tbody>\n";
    for (auto const& u : g.maxima)
        out << "<tr class=\"" << (u.second <= 1.0 ? "pass" : "fail") << "\"><td>"
            << Escape(Corvid::Narrow(Corvid::Steel::UtilKindName(u.first))) << "</td><td class=\"num\">"
            << UtilText(u.second) << "</td></tr>\n";
    out << "</tbody>\n</table>\n";
    for (auto const& note : MemberNotes(m)) out << "<p class=\"note\">" << Escape(note) << "</p>\n";
    for (auto const& w : m.warnings) out << "<p class=\"note\">Warning: " << Escape(w) << "</p>\n";
    auto const spans = SpanTable(g);
    for (std::size_t r = 0; r < spans.size(); ++r) {
        if (r == 0) out << "<table class=\"spans\">\n<thead><tr>";
        if (r > 0) out << "<tr>";
        for (auto const& cell : spans[r]) out << (r == 0 ? "<th>" : "<td>") << Escape(cell) << (r == 0 ? "</th>" : "</td>");
        out << "</tr>\n" << (r == 0 ? "</thead>\n<tbody>\n" : "");
        if (r + 1 == spans.size()) out << "</tbody>\n</table>\n";
    }
    if (m.namedCases) {
        out << "<table class=\"cases\">\n<thead><tr><th>Load case</th><th>Utilisation</th><th>Result</th></tr>"
               "</thead>\n<tbody>\n";
        for (auto const& c : m.cases)
            out << "<tr class=\"" << (c.pass ? "pass" : "fail") << "\"><td>" << Escape(c.name) << "</td><td class=\"num\">"
                << UtilText(c.utilisation) << "</td><td class=\"verdict\">" << Verdict(c.pass) << "</td></tr>\n";
        out << "</tbody>\n</table>\n";
    }
    if (!g.report.empty()) {
        out << "<div class=\"report\">\n";
        unsigned open = 0;
        for (auto const& line : g.report) WriteLine(out, line, open);
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
    return std::string("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>s16check report</title>\n<style>") +
           kStyle + "</style>\n</head>\n<body>\n<h1>s16check report</h1>\n<p>" + Escape(CountsLine(counts)) +
           "</p>\n<table class=\"summary\">\n<thead><tr><th>#</th><th>Member</th><th>Section</th><th>Grade</th><th>Code</th>"
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
        << "</td><td>" << Escape(r.grade) << "</td><td>" << Escape(r.code) << "</td><td>" << Escape(r.governing) << "</td><td class=\"num\">"
        << UtilText(r.util) << "</td><td class=\"verdict\">" << Verdict(r.pass) << "</td></tr>\n";
    return Checked(out);
}

std::string HtmlMember(std::size_t i, BatchItem const& item) {
    if (!item.outcome) return "";
    std::ostringstream out;
    WriteMember(out, i, *item.outcome);
    return Checked(out);
}

char const* const kHtmlRowsEnd = "</tbody>\n</table>\n";
char const* const kHtmlEnd = "</body>\n</html>\n";

void RenderHtml(std::ostream& out, std::vector<BatchItem> const& items) {
    out << HtmlHead(Count(items));
    for (std::size_t i = 0; i < items.size(); ++i) out << HtmlRow(MakeBatchRow(i, items[i]));
    out << kHtmlRowsEnd;
    for (std::size_t i = 0; i < items.size(); ++i) out << HtmlMember(i, items[i]);
    out << kHtmlEnd;
}

}  // namespace s16app
