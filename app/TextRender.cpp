// Text output: the report with ANSI styles on a terminal, then summaries.
#include <algorithm>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "app/Output.h"
#include "app/Render.h"

namespace s16app {

namespace {

std::string AnsiCodes(unsigned style) {
    std::string codes;
    auto add = [&codes](char const* c) { codes += (codes.empty() ? "" : ";") + std::string(c); };
    if (style & (kHeading4 | kHeading5 | kBold)) add("1");
    if (style & kHeading4) add("4");
    if (style & kItalic) add("3");
    if (style & kRed) add("31");
    else if (style & kOrange) add("33");
    else if (style & kBlue) add("34");
    return codes.empty() ? std::string() : "\x1b[" + codes + "m";
}

// The text of a stream, or an error when a write to it failed.
std::string Checked(std::ostringstream const& out) {
    if (!out) throw std::runtime_error("the text report could not be formatted");
    return out.str();
}

constexpr char const* kReset = "\x1b[0m";

void WriteReport(std::ostream& out, std::vector<ReportLine> const& lines, bool colour) {
    if (!colour) {
        out << PlainText(lines);
        return;
    }
    unsigned open = 0;
    for (auto const& line : lines) {
        out << std::string(static_cast<std::size_t>(line.indent) * 2, ' ');
        for (auto const& run : StyleLine(line.markup, open)) {
            std::string const codes = AnsiCodes(run.style);
            out << codes << Printable(run.text) << (codes.empty() ? "" : kReset);
        }
        out << '\n';
    }
}

std::string VerdictText(bool pass, bool colour) {
    if (!colour) return Verdict(pass);
    return std::string(pass ? "\x1b[1;32m" : "\x1b[1;31m") + Verdict(pass) + kReset;
}

void WriteSummary(std::ostream& out, MemberOutcome const& m, bool colour) {
    CaseOutcome const& g = m.Governing();
    std::string const governing = GoverningName(g);
    out << "Summary" << (m.namedCases ? " (governing case \"" + Printable(g.name) + "\")" : std::string()) << "\n";
    out << "  " << Padded("Utilisation", 32) << "Value\n";
    for (auto const& u : g.maxima) {
        std::string const name = Corvid::Narrow(Corvid::Steel::UtilKindName(u.first));
        out << "  " << Padded(name, 32) << (name == governing ? Padded(UtilText(u.second), 8) + "<- governing"
                                                               : UtilText(u.second))
            << "\n";
    }
    auto const table = SpanTable(g);
    if (!table.empty()) {
        std::vector<std::size_t> width(table[0].size(), 0);
        for (auto const& row : table)
            for (std::size_t i = 0; i < row.size(); ++i) width[i] = std::max(width[i], row[i].size() + 2);
        out << "  Spans:\n";
        for (auto const& row : table) {
            out << "    ";
            for (std::size_t i = 0; i < row.size(); ++i) out << (i + 1 < row.size() ? Padded(row[i], width[i]) : row[i]);
            out << "\n";
        }
    }
    if (m.namedCases) {
        out << "  Cases:\n";
        for (std::size_t k = 0; k < m.cases.size(); ++k)
            out << "    " << Padded(Printable(m.cases[k].name), 28) << Padded(UtilText(m.cases[k].utilisation), 8)
                << VerdictText(m.cases[k].pass, colour) << (k == m.governing ? "  <- governing" : "") << "\n";
    }
    for (auto const& note : MemberNotes(m)) out << "  " << note << "\n";
    for (auto const& w : m.warnings) out << "  Warning: " << Printable(w) << "\n";
    out << "  Overall: " << UtilText(g.utilisation) << (governing.empty() ? "" : " (" + governing + ")") << "  "
        << VerdictText(m.Pass(), colour) << "\n";
}

}  // namespace

std::string TextMember(std::size_t i, BatchItem const& item, bool colour) {
    std::ostringstream out;
    out << std::string(78, '=') << "\n";
    if (!item.outcome) {
        out << "Member " << i + 1 << ": could not be checked: " << Printable(item.error) << "\n";
        return Checked(out);
    }
    MemberOutcome const& m = *item.outcome;
    out << Printable(MemberHeading(i, m)) << "  [" << Printable(m.where) << "]\n"
        << m.code << " | " << Printable(m.section) << " | " << Printable(m.grade) << "\n"
        << "Units: " << m.units << "\n";
    out << std::string(78, '-') << "\n";
    CaseOutcome const& g = m.Governing();
    if (m.namedCases) out << "Load case \"" << Printable(g.name) << "\" (governing)\n";
    WriteReport(out, g.report, colour);
    if (!g.report.empty()) out << std::string(78, '-') << "\n";
    WriteSummary(out, m, colour);
    return Checked(out);
}

std::string TextEnd(RunCounts const& counts, std::vector<BatchRow> const& rows) {
    std::string const rule(78, '=');
    return rule + "\n" + (rows.size() > 1 ? BatchTable(rows) + rule + "\n" : std::string()) + CountsLine(counts) + "\n";
}

void RenderText(std::ostream& out, std::vector<BatchItem> const& items, bool colour) {
    std::vector<BatchRow> rows;
    for (std::size_t i = 0; i < items.size(); ++i) {
        out << TextMember(i, items[i], colour);
        rows.push_back(MakeBatchRow(i, items[i]));
    }
    out << TextEnd(Count(items), rows);
}

void RenderSectionText(std::ostream& out, SectionInfo const& s) {
    auto value = [](double v) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.6g", v);
        return std::string(buf);
    };
    auto block = [&out, &value, &s](char const* title, NamedValues const& values, char const* unit) {
        out << title << " (" << unit << ")\n";
        for (auto const& v : values) {
            bool const tabulated = std::find(s.tabulated.begin(), s.tabulated.end(), v.first) != s.tabulated.end();
            out << "  " << Padded(v.first, 10) << value(v.second) << (tabulated ? " (tabulated)" : "") << "\n";
        }
    };
    out << "Section " << s.name << "\n"
        << "  shape " << s.shape << " (" << s.shapeCode << "), " << s.fabrication << ", " << s.code << "\n";
    block("Dimensions", s.dimensions, "m; slope rise over run");
    block("Properties", s.properties, "SI: m2, m3, m4, m6; alpha rad");
    out << "Grade " << s.grade << ": Fy = " << value(s.Fy) << " Pa, Fu = " << value(s.Fu) << " Pa\n"
        << "Classes: overall " << s.classOverall << ", axial " << s.classAxial << ", major " << s.classMajor
        << ", minor " << s.classMinor << " (0: not covered)\n";
    block("Resistances", s.resistances, "N, N.m");
    out << "Shear resisted by\n"
        << "  " << Padded("Vr_major", 10) << s.shearMajorBy << "\n"
        << "  " << Padded("Vr_minor", 10) << s.shearMinorBy << "\n";
}

}  // namespace s16app
