// Text output: the report with ANSI styles on a terminal, then summaries.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "app/Output.h"
#include "app/Render.h"

namespace s16app {

namespace {

using Corvid::Steel::UtilKind;

std::string AnsiCodes(unsigned style) {
    std::string codes;
    auto add = [&codes](char const* c) { codes += (codes.empty() ? "" : ";") + std::string(c); };
    if (style & (kHeading4 | kHeading5 | kBold)) add("1");
    if (style & kHeading4) add("4");
    if (style & kItalic) add("3");
    if (style & kRed)
        add("31");
    else if (style & kOrange)
        add("33");
    else if (style & kBlue)
        add("34");
    return codes.empty() ? std::string() : "\x1b[" + codes + "m";
}

constexpr char const* kReset = "\x1b[0m";
constexpr std::size_t kRule = 78;

// User text as Printable writes it, appended.
void AppendPrintable(std::string& out, std::string const& text) {
    if (NeedsEscape(text))
        out += Printable(text);
    else
        out += text;
}

// A utilisation as UtilText writes it (AppendFixed writes the same characters below
// 1e15; UtilText's text stops at 31 characters, which only a far larger one reaches).
void AppendUtil(std::string& out, double u) {
    if (std::fabs(u) < 1e15)
        AppendFixed(out, u, 3);
    else
        out += UtilText(u);
}
// The same as a string.
std::string Util(double u) {
    std::string text;
    AppendUtil(text, u);
    return text;
}

// Report lines (a part of a case's report).
using LineRefs = std::vector<ReportLine>;

// The lines [first, last) of `lines` (a CaseReport or LineRefs), `shift` levels further in.
template <class Lines>
void WriteReport(std::string& out, Lines const& lines, std::size_t first, std::size_t last, bool colour,
                 int shift = 0) {
    if (!colour) {
        for (std::size_t i = first; i != last; ++i) AppendPlainLine(out, lines[i], shift);
        return;
    }
    unsigned open = 0;
    for (std::size_t i = first; i != last; ++i) {
        ReportLine const line = lines[i];
        out.append(static_cast<std::size_t>(line.indent + shift) * 2, ' ');
        for (auto const& run : StyleLine(line.markup, open)) {
            std::string const codes = AnsiCodes(run.style);
            out += codes;
            AppendPrintable(out, run.text);
            if (!codes.empty()) out += kReset;
        }
        out += '\n';
    }
}

void AppendVerdict(std::string& out, bool pass, bool colour) {
    if (colour) out += pass ? "\x1b[1;32m" : "\x1b[1;31m";
    out += Verdict(pass);
    if (colour) out += kReset;
}

// "Mfx = 135.0 kN*m"; "-" when not one number.
void AppendFigure(std::string& out, std::string_view symbol, double v, std::string_view unit) {
    if (symbol.empty() || std::isnan(v)) {
        out += '-';
        return;
    }
    out += symbol;
    out += " = ";
    if (std::isfinite(v))
        AppendFixed(out, v / 1e3, 1);
    else
        out += UtilText(v);
    out += ' ';
    out += unit;
}

void AppendAt(std::string& out, double x) {
    if (std::isnan(x))
        out += '-';
    else
        AppendFixed(out, x, 3);
}

// A table laid out: each column as wide as its widest cell and two spaces,
// a line's trailing spaces dropped; written in the room of its longest
// lines made at once.
void WriteTable(std::string& out, Cells const& cells, char const* indent) {
    std::size_t const columns = cells.Columns(), rows = cells.Rows(), indentSize = std::strlen(indent);
    std::size_t line = indentSize + 1;  // the longest line, and its '\n'
    for (std::size_t i = 0; i < columns; ++i) line += cells.Widest(i) + 2;
    std::size_t const start = out.size();
    out.resize(start + rows * line);
    char* const first = &out[start];
    char* d = first;
    for (std::size_t r = 0; r < rows; ++r) {
        char* const lineStart = d;
        std::memcpy(d, indent, indentSize);
        d += indentSize;
        for (std::size_t i = 0; i < columns; ++i) {
            std::string_view const cell = cells.Cell(r, i);
            std::memcpy(d, cell.data(), cell.size());
            d += cell.size();
            if (i + 1 < columns) {
                std::size_t const pad = cells.Widest(i) + 2 - cell.size();
                std::memset(d, ' ', pad);
                d += pad;
            }
        }
        while (d != lineStart && d[-1] == ' ') --d;
        *d++ = '\n';
    }
    out.resize(start + static_cast<std::size_t>(d - first));
}

// The title block and the input in words.
void WriteTitleBlock(std::string& out, std::size_t index, MemberOutcome const& m) {
    MemberSummary const& s = m.summary;
    auto given = [&out](std::string const& v) {
        if (v.empty())
            out += '-';
        else
            AppendPrintable(out, v);
    };
    AppendPrintable(out, MemberHeading(index, m));
    out += "  [";
    AppendPrintable(out, m.where);
    out += "]\nProject: ";
    given(s.title.project);
    out += "   Engineer: ";
    given(s.title.engineer);
    out += "   Date: ";
    given(s.title.date);
    out += "\ns16check ";
    out += s.title.version;
    out += " (revision ";
    given(s.title.revision);
    out += ")   Input hash (FNV-1a 64): ";
    given(s.title.inputHash);
    out += '\n';
    out += m.code;
    out += " | ";
    AppendPrintable(out, m.section);
    out += " | ";
    AppendPrintable(out, m.grade);
    out += '\n';
    out.append(kRule, '-');
    out += "\nInput\n";
    for (auto const& line : s.input) {
        out += "  ";
        AppendPrintable(out, line);
        out += '\n';
    }
}

// The table of checks of the governing case.
void WriteChecks(std::string& out, MemberOutcome const& m) {
    MemberSummary const& s = m.summary;
    CaseOutcome const& g = m.Governing();
    out += "Checks";
    if (m.namedCases) {
        out += " (governing case \"";
        AppendPrintable(out, g.name);
        out += "\")";
    }
    out += '\n';
    Cells table(8, s.checks.size() + 1);
    for (char const* cell : {"Check", "Clause", "Demand", "Resistance", "Util", "Result", "At x (m)", ""})
        table.Add(cell);
    for (auto const& row : s.checks) {
        table.Add(row.check);
        table.Add(row.clause.empty() ? std::string_view("-") : std::string_view(row.clause));
        AppendFigure(table.Text(), row.demandSymbol, row.demand, row.unit);
        table.EndCell();
        AppendFigure(table.Text(), row.resistanceSymbol, row.resistance, row.unit);
        table.EndCell();
        AppendUtil(table.Text(), row.util);
        table.EndCell();
        table.Add(Verdict(row.pass));
        AppendAt(table.Text(), row.at);
        table.EndCell();
        table.Add(row.governing ? "<- governing" : "");
    }
    WriteTable(out, table, "  ");
    if (!s.complete) {
        out += "  ";
        out += kQuickStopped;
        out += '\n';
    }
}

// The cases, notes, warnings and the verdict.
void WriteVerdict(std::string& out, MemberOutcome const& m, bool colour) {
    CaseOutcome const& g = m.Governing();
    if (m.namedCases) {
        out += "  Cases:\n";
        for (std::size_t k = 0; k < m.cases.size(); ++k) {
            out += "    ";
            AppendPadded(out, Printable(m.cases[k].name), 28);
            AppendPadded(out, Util(m.cases[k].utilisation), 8);
            AppendVerdict(out, m.cases[k].pass, colour);
            if (k == m.governing) out += "  <- governing";
            out += '\n';
        }
    }
    for (auto const& note : MemberNotes(m)) {
        out += "  ";
        out += note;
        out += '\n';
    }
    for (auto const& w : m.warnings) {
        out += "  Warning: ";
        AppendPrintable(out, w);
        out += '\n';
    }
    std::string const governing = GoverningName(g);
    out += "  Overall: ";
    AppendUtil(out, g.utilisation);
    if (!governing.empty()) {
        out += " (";
        out += governing;
        out += ')';
    }
    out += "  ";
    AppendVerdict(out, m.Pass(), colour);
    out += '\n';
}

// The opening block: title block, input in words, the table of checks,
// notes, cases and the verdict.
void WriteOpening(std::string& out, std::size_t index, MemberOutcome const& m, bool colour) {
    WriteTitleBlock(out, index, m);
    WriteChecks(out, m);
    WriteVerdict(out, m, colour);
}

// The text of a line without its markup: the line itself when it has no
// tag, else in `text` (a buffer reused from line to line).
std::string_view Plain(ReportLine line, std::string& text) {
    if (line.markup.find('<') == std::string_view::npos) return line.markup;
    text.clear();
    AppendPlain(text, line.markup);
    return text;
}

// Whether the text of a line without its markup starts with `prefix`: where
// no tag opens within the prefix's length, the markup's own first bytes are
// that text's (most lines, without a tag made plain).
bool PlainStartsWith(ReportLine line, std::string_view prefix, std::string& buffer) {
    std::string_view const head = line.markup.substr(0, prefix.size());
    if (head.find('<') == std::string_view::npos) return head == prefix;
    return Plain(line, buffer).substr(0, prefix.size()) == prefix;
}

// The buckling check a block of the member buckling entry belongs to, from
// its heading ("Check axial buckling minor axis").
bool BlockOf(std::string_view heading, UtilKind kind) {
    auto has = [&heading](char const* w) { return heading.find(w) != std::string_view::npos; };
    switch (kind) {
        case UtilKind::BucklingAxialMajor: return has("major") || has("U-U");
        case UtilKind::BucklingAxialMinor: return has("minor") || has("V-V");
        case UtilKind::BucklingAxialFlexuralTorsion: return has("flexural");
        case UtilKind::BucklingAxialTorsion: return has("torsional") && !has("flexural");
        case UtilKind::BucklingLT: return has("LT");
        case UtilKind::BucklingCombined: return has("interaction");
        default: return false;
    }
}

// The lines of a member buckling block (its heading first) that show its
// governing value: the heading and the span (its lines from one back at the
// indentation of the first below the heading) with a line "Util... = <util>";
// the whole block when no span shows it. `buffer`: room for a line made
// plain, kept by the caller from block to block.
LineRefs GoverningSpan(LineRefs const& block, double util, std::string& buffer) {
    if (block.size() < 2) return block;
    int const top = block[1].indent;
    std::string const value = " " + Util(util);
    for (std::size_t start = 1; start < block.size();) {
        std::size_t end = start + 1;
        while (end < block.size() && !(block[end].indent == top && block[end - 1].indent > top)) ++end;
        for (std::size_t i = start; i < end; ++i) {
            // The markup's last bytes are its text's when no tag ends in them.
            std::string_view const markup = block[i].markup;
            std::string_view const tail = markup.substr(markup.size() - std::min(markup.size(), value.size()));
            bool tagless = true;
            for (char const c : tail) tagless = tagless && c != '<' && c != '>';
            if (tail.size() == value.size() && tagless && tail != value) continue;
            std::string_view text = Plain(block[i], buffer);
            text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
            if (text.substr(0, 4) == "Util" && text.size() >= value.size() &&
                text.substr(text.size() - value.size()) == value) {
                LineRefs out{block[0]};
                out.insert(out.end(), block.begin() + static_cast<std::ptrdiff_t>(start),
                           block.begin() + static_cast<std::ptrdiff_t>(end));
                return out;
            }
        }
        start = end;
    }
    return block;
}

// The report lines [first, end) of entry e.
std::pair<std::size_t, std::size_t> EntryLines(CaseOutcome const& g, std::size_t e) {
    std::size_t const end = e + 1 < g.entryStart.size() ? g.entryStart[e + 1] : g.report.size();
    return std::make_pair(g.entryStart[e], end);
}

// The working of a sub-span at one station: its heading, then the lines of
// its left end or, at another station with a right-end part, of its right end.
LineRefs SubSpanWorking(CaseOutcome const& g, GoverningPlace const& w) {
    auto const& entry = g.entries[w.entry];
    auto const range = EntryLines(g, w.entry);
    std::size_t rh = range.second;
    std::string buffer;
    for (std::size_t i = range.first; i < range.second; ++i)
        if (PlainStartsWith(g.report[i], "RH end:", buffer)) rh = i;
    bool const right = WorkedAtRightEnd(entry, w) && rh < range.second;
    LineRefs part;
    part.reserve(range.second - range.first);
    if (range.first < range.second) part.push_back(g.report[range.first]);
    for (std::size_t i = right ? rh : range.first + 1; i < (right ? range.second : rh); ++i)
        part.push_back(g.report[i]);
    return part;
}

// The working of the member buckling: of each block of a governing check
// (each opens with a heading "<h5>Check ..."), its governing span.
LineRefs BucklingWorking(CaseOutcome const& g, GoverningPlace const& w) {
    auto const range = EntryLines(g, w.entry);
    LineRefs part;
    LineRefs block;
    part.reserve(range.second - range.first);
    block.reserve(range.second - range.first);
    std::string buffer;
    double util = -1.0;  // the governing value of the block being kept; -1: none
    auto flush = [&] {
        auto const shown = GoverningSpan(block, util, buffer);
        part.insert(part.end(), shown.begin(), shown.end());
        block.clear();
    };
    for (std::size_t i = range.first; i < range.second; ++i) {
        if (g.report[i].markup.rfind("<h5>Check", 0) == 0) {
            flush();
            util = -1.0;
            std::string_view const heading = Plain(g.report[i], buffer);
            for (std::size_t r : w.rows)
                if (BlockOf(heading, g.maxima[r].first)) util = g.maxima[r].second;
        }
        if (util >= 0.0) block.push_back(g.report[i]);
    }
    flush();
    return part;
}

// A buckling resistance shown once: the spans of its kind with the same one.
void WriteSameBuckling(std::string& out, CaseOutcome const& g, CheckRow const& row, UtilKind kind) {
    char const* name = kind == UtilKind::BucklingLT           ? "lateral-torsional"
                       : kind == UtilKind::BucklingAxialMajor ? "major-axis"
                       : kind == UtilKind::BucklingAxialMinor ? "minor-axis"
                                                              : "";
    std::size_t const start = out.size();
    bool any = false;
    for (auto const& sp : g.spans)
        if (sp.kind == name && (kind == UtilKind::BucklingLT ? sp.Mr : sp.Cr) == row.resistance) {
            if (!any) {
                out += "    ";
                AppendFigure(out, row.resistanceSymbol, row.resistance, row.unit);
                out += " is the same in the ";
                out += name;
                out += " spans ";
            } else {
                out += ", ";
            }
            any = true;
            AppendFixed(out, sp.from, 3);
            out += " to ";
            AppendFixed(out, sp.to, 3);
            out += " m";
        }
    if (out.size() != start) out += '\n';
}

// A sub-span resistance shown once: the stations of every sub-span whose
// governing figure has the same resistance.
void WriteSameStations(std::string& out, CaseOutcome const& g, CheckRow const& row, UtilKind kind) {
    std::vector<double> at;
    for (auto const& e : g.entries)
        for (std::size_t k = 0; k < e.utils.size(); ++k)
            if (e.utils[k].first == kind && e.figures[k].resistance == row.resistance && !std::isnan(e.figures[k].at))
                at.push_back(e.figures[k].at);
    std::sort(at.begin(), at.end());
    at.erase(std::unique(at.begin(), at.end()), at.end());
    out += "    ";
    AppendFigure(out, row.resistanceSymbol, row.resistance, row.unit);
    out += " is the same at the governing stations x = ";
    for (std::size_t i = 0; i < at.size(); ++i) {
        if (i) out += ", ";
        AppendFixed(out, at[i], 3);
    }
    out += " m\n";
}

// The working of each governing check, once: for a sub-span the lines of
// the station where its checks govern, for the member buckling the blocks
// of its governing checks; with the stations a shown resistance serves.
void WriteWorkings(std::string& out, CaseOutcome const& g, MemberSummary const& s, bool colour) {
    if (g.entryStart.size() != g.entries.size()) return;
    out += "Calculation of the governing checks\n";
    bool idle = false;
    // The rows of the summary's table are the case's maxima, in order.
    for (auto const& w : GoverningPlaces(g, idle)) {
        bool const local = g.entries[w.entry].kind == EntryOutcome::Local;
        if (local) {
            out += "  At x = ";
            AppendAt(out, w.at);
            out += " m (SubSpan ";
            out += std::to_string(g.entries[w.entry].index);
            out += "): ";
        } else {
            out += "  Member buckling: ";
        }
        for (std::size_t k = 0; k < w.rows.size(); ++k) {
            if (k) out += ", ";
            out += s.checks[w.rows[k]].check;
        }
        out += '\n';
        LineRefs const part = local ? SubSpanWorking(g, w) : BucklingWorking(g, w);
        WriteReport(out, part, 0, part.size(), colour, 1);
        for (std::size_t r : w.rows) {
            auto const& row = s.checks[r];
            if (row.resistanceSymbol.empty() || std::isnan(row.resistance)) continue;
            if (local)
                WriteSameStations(out, g, row, g.maxima[r].first);
            else
                WriteSameBuckling(out, g, row, g.maxima[r].first);
        }
    }
    if (idle) out += "  Checks with no demand (utilisation 0) are not worked here (--detail full shows every one).\n";
}

}  // namespace

std::string TextMember(std::size_t i, BatchItem const& item, bool colour, Detail detail) {
    std::string out;
    out.append(kRule, '=');
    out += '\n';
    if (!item.outcome) {
        out += "Member ";
        out += std::to_string(i + 1);
        out += ": could not be checked: ";
        AppendPrintable(out, item.error);
        out += '\n';
        return out;
    }
    MemberOutcome const& m = *item.outcome;
    CaseOutcome const& g = m.Governing();
    // Room for the opening and the spans, and the whole report with Full.
    out.reserve(8192 + (detail == Detail::Full ? g.report.TextSize() + 16 * g.report.size() : 0));
    WriteOpening(out, i, m, colour);
    if (detail == Detail::Summary) return out;
    if (!g.spans.empty()) {
        out.append(kRule, '-');
        out += "\nSpans\n";
        WriteTable(out, SpanTable(g), "  ");
    }
    if (detail == Detail::Normal) {
        if (!g.report.empty()) {
            out.append(kRule, '-');
            out += '\n';
        }
        // The notes of the case (loads reconstructed, stations added) come before its entries.
        if (!g.entryStart.empty()) WriteReport(out, g.report, 0, g.entryStart[0], colour);
        WriteWorkings(out, g, m.summary, colour);
        return out;
    }
    out.append(kRule, '-');
    out += "\nUnits: ";
    out += m.units;
    out += '\n';
    if (m.namedCases) {
        out += "Load case \"";
        AppendPrintable(out, g.name);
        out += "\" (governing)\n";
    }
    WriteReport(out, g.report, 0, g.report.size(), colour);
    return out;
}

bool TextEnd(std::ostream& out, RunCounts const& counts, BatchRows& rows) {
    std::string const rule(78, '=');
    out << rule << "\n";
    if (rows.Size() > 1) {
        auto const& width = rows.Widths();
        std::string text;  // a row, written whole (its room kept from row to row)
        auto line = [&out, &width, &text](std::vector<std::string> const& cells) {
            text.assign("  ");
            for (std::size_t i = 0; i < cells.size(); ++i)
                if (i + 1 < cells.size())
                    AppendPadded(text, cells[i], width[i]);
                else
                    text += cells[i];
            text += '\n';
            out << text;
        };
        out << "Members\n";
        line(TableHeader());
        bool const read = rows.ForEach([&](BatchRow const& r) {
            if (r.checked)
                line(TableCells(r));
            else
                out << "  " << Padded(std::to_string(r.index + 1), width[0]) << "ERROR: " << Printable(r.error) << "\n";
        });
        if (!read) return false;  // cut short, never ended like a finished report
        out << rule << "\n";
    }
    out << CountsLine(counts) << "\n";
    return true;
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
