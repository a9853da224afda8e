// Outputs of s16check design: a table per member in text and HTML, and the
// same with the chosen section's full result in JSON.
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/Design.h"
#include "app/Output.h"
#include "app/Render.h"

namespace s16app {

namespace {

// The rows of a member's table by mass: the lighter sections that fail,
// the chosen one, the other passing ones; the verdict of each.
std::vector<std::pair<DesignRow const*, char const*>> Rows(DesignOutcome const& d) {
    std::vector<std::pair<DesignRow const*, char const*>> rows;
    for (auto it = d.lighterFailing.rbegin(); it != d.lighterFailing.rend(); ++it) rows.emplace_back(&*it, "FAIL");
    if (d.chosen) rows.emplace_back(&*d.chosen, "chosen");
    for (std::size_t i = 1; i < d.passing.size(); ++i) rows.emplace_back(&d.passing[i], "PASS");
    return rows;
}

std::string Heading(DesignOutcome const& d) {
    return d.where + ": family " + d.family + ", utilisation limit " + UtilText(d.limit) + ", " +
           std::to_string(d.candidates) + " sections within the limits, " + std::to_string(d.tried) + " checked";
}

struct Counts {
    std::size_t found = 0, none = 0, errors = 0;
};

Counts CountDesign(std::vector<DesignItem> const& items) {
    Counts c;
    for (auto const& i : items) {
        if (!i.outcome)
            ++c.errors;
        else if (i.outcome->chosen)
            ++c.found;
        else
            ++c.none;
    }
    return c;
}

std::string CountsText(Counts const& c) {
    return CountsLine(
        c.found + c.none + c.errors,
        std::to_string(c.found) + " with a section, " + std::to_string(c.none) + " without a section within the limits",
        c.errors, "designed");
}

std::string NoSection(DesignOutcome const& d) {
    return "No " + d.family + " section within the limits passes (utilisation limit " + UtilText(d.limit) + ")";
}

nlohmann::json RowJson(DesignRow const& r) {
    // +infinity (no resistance) and NaN as null: every number a JSON number
    nlohmann::json u = std::isfinite(r.utilisation) ? nlohmann::json(r.utilisation) : nlohmann::json(nullptr);
    return {{"section", r.section},
            {"mass", r.mass},
            {"utilisation", u},
            {"governing_check", r.governing},
            {"pass", r.pass}};
}

}  // namespace

void RenderDesignText(std::ostream& out, std::vector<DesignItem> const& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << "Member " << i + 1;
        if (!items[i].outcome) {
            out << "\n  could not be designed: " << Printable(items[i].error) << "\n\n";
            continue;
        }
        DesignOutcome const& d = *items[i].outcome;
        out << Printable(d.title.empty() ? "" : ": " + d.title) << "\n  " << Printable(Heading(d)) << "\n";
        if (!d.chosen) out << "  " << NoSection(d) << "\n";
        auto const rows = Rows(d);
        if (!rows.empty()) {
            out << "  " << Padded("Section", 22) << Padded("Mass (kg/m)", 13) << Padded("Util", 8)
                << Padded("Governing check", 34) << "Verdict\n";
            for (auto const& r : rows)
                out << "  " << Padded(r.first->section, 22) << Padded(Fixed(r.first->mass, 1), 13)
                    << Padded(UtilText(r.first->utilisation), 8) << Padded(r.first->governing, 34) << r.second << "\n";
        }
        for (auto const& s : d.skipped) out << "  Skipped " << Printable(s.first + ": " + s.second) << "\n";
        out << "\n";
    }
    out << std::string(78, '=') << "\n" << CountsText(CountDesign(items)) << "\n";
}

void RenderDesignJson(std::ostream& out, std::vector<DesignItem> const& items) {
    using nlohmann::json;
    json members = json::array();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].outcome) {
            members.push_back({{"index", i}, {"error", items[i].error}});
            continue;
        }
        DesignOutcome const& d = *items[i].outcome;
        json m = {{"index", i},
                  {"where", d.where},
                  {"title", d.title},
                  {"family", d.family},
                  {"limit", d.limit},
                  {"candidates", d.candidates},
                  {"checked", d.tried},
                  {"chosen", nullptr},
                  {"lighter_failing", json::array()},
                  {"passing", json::array()},
                  {"skipped", json::array()},
                  {"warnings", d.warnings}};
        if (d.chosen) m["chosen"] = RowJson(*d.chosen);
        for (auto const& r : d.lighterFailing) m["lighter_failing"].push_back(RowJson(r));
        for (auto const& r : d.passing) m["passing"].push_back(RowJson(r));
        for (auto const& s : d.skipped) m["skipped"].push_back({{"section", s.first}, {"reason", s.second}});
        if (d.result) {
            BatchItem item;
            item.outcome = *d.result;
            JsonStyle withReport;
            withReport.report = true;
            bool const first = true;  // alone in its document: no comma before it
            m["result"] = json::parse(JsonMember(i, item, first, withReport));
        }
        members.push_back(std::move(m));
    }
    Counts const c = CountDesign(items);
    json const doc = {
        {"members", members},
        {"summary", {{"members", items.size()}, {"found", c.found}, {"none", c.none}, {"errors", c.errors}}}};
    WriteJson(out, doc);
}

void RenderDesignHtml(std::ostream& out, std::vector<DesignItem> const& items) {
    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>s16check design</title>\n"
           "<style>body { font-family: \"DejaVu Sans\", Arial, sans-serif; margin: 2em; }\n"
           "table { border-collapse: collapse; } th, td { border: 1px solid #999; padding: 0.2em 0.6em; }\n"
           "th { background: #eee; } td.num { text-align: right; }\n"
           "tr.fail td { background: #ffd7d7; } tr.chosen td { font-weight: bold; background: #d7ffd7; }</style>\n"
           "</head>\n<body>\n<h1>s16check design</h1>\n<p>"
        << HtmlEscape(CountsText(CountDesign(items))) << "</p>\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << "<h2>Member " << i + 1;
        if (!items[i].outcome) {
            out << "</h2>\n<p class=\"error\">" << HtmlEscape(items[i].error) << "</p>\n";
            continue;
        }
        DesignOutcome const& d = *items[i].outcome;
        out << HtmlEscape(d.title.empty() ? "" : ": " + d.title) << "</h2>\n<p>" << HtmlEscape(Heading(d)) << "</p>\n";
        if (!d.chosen) out << "<p>" << HtmlEscape(NoSection(d)) << "</p>\n";
        auto const rows = Rows(d);
        if (!rows.empty()) {
            out << "<table>\n<tr><th>Section</th><th>Mass (kg/m)</th><th>Util</th><th>Governing check</th>"
                   "<th>Verdict</th></tr>\n";
            for (auto const& r : rows)
                out << "<tr class=\""
                    << (r.second[0] == 'F'   ? "fail"
                        : r.second[0] == 'c' ? "chosen"
                                             : "pass")
                    << "\"><td>" << HtmlEscape(r.first->section) << "</td><td class=\"num\">" << Fixed(r.first->mass, 1)
                    << "</td><td class=\"num\">" << UtilText(r.first->utilisation) << "</td><td>"
                    << HtmlEscape(r.first->governing) << "</td><td>" << r.second << "</td></tr>\n";
            out << "</table>\n";
        }
        for (auto const& s : d.skipped)
            out << "<p>Skipped " << HtmlEscape(s.first) << ": " << HtmlEscape(s.second) << "</p>\n";
    }
    out << "</body>\n</html>\n";
}

}  // namespace s16app
