#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/Output.h"
#include "app/Render.h"

namespace s16app {

std::string UtilText(double u) {
    if (std::isinf(u)) return u > 0 ? "inf" : "-inf";
    if (std::isnan(u)) return "nan";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", u);
    return buf;
}

std::string GoverningName(CaseOutcome const& c) {
    std::string name;
    double best = -1.0;
    for (auto const& m : c.maxima) {
        if (m.second > best) {
            best = m.second;
            name = Corvid::Narrow(Corvid::Steel::UtilKindName(m.first));
        }
    }
    return name;
}

std::string Fixed(double v, int decimals) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string Padded(std::string s, std::size_t width) {
    if (s.size() < width) s.append(width - s.size(), ' ');
    return s;
}

std::string MemberHeading(std::size_t index, MemberOutcome const& m) {
    return "Member " + std::to_string(index + 1) + (m.title.empty() ? "" : ": " + m.title);
}

std::vector<std::string> MemberNotes(MemberOutcome const& m) {
    std::uint32_t flags = 0;
    bool buckling = true;
    for (auto const& c : m.cases) flags |= c.flags, buckling = buckling && c.bucklingChecked;
    std::vector<std::string> out;
    if (flags & kSlendernessFlag)
        out.push_back("Failure (slenderness): KL/r above 200 in compression, " + m.code + " cl. 10.4.2.1");
    if (flags & kTensionSlendernessFlag)
        out.push_back("Warning (tension-slenderness): L/r above 300 in tension, " + m.code + " cl. 10.4.2.2");
    if (!buckling) out.push_back(std::string("Buckling checks not performed: ") + kBucklingNotChecked);
    return out;
}

std::vector<std::vector<std::string>> SpanTable(CaseOutcome const& c) {
    std::vector<std::vector<std::string>> rows;
    if (c.spans.empty()) return rows;
    auto num = [](double v, int decimals) { return std::isfinite(v) ? Fixed(v, decimals) : UtilText(v); };
    rows.push_back({"Span", "From (m)", "To (m)", "Le (m)", "Le from", "KL/r", "Cu (kN)", "Cr (kN)", "omega2",
                    "omega2 from", "Mu (kN*m)", "Mr (kN*m)", "Mf (kN*m)", "Compression flange", "At x (m)", "Util"});
    for (auto const& s : c.spans) {
        bool const lt = s.kind == "lateral-torsional";
        std::string const none = "-";
        rows.push_back({s.kind, num(s.from, 3), num(s.to, 3), num(s.Le, 3), s.lengthRule,
                        lt ? none : num(s.slenderness, 1), lt ? none : num(s.Cu / 1e3, 1), lt ? none : num(s.Cr / 1e3, 1),
                        lt ? num(s.omega2, 3) : none, lt ? s.omega2Rule : none, lt ? num(s.Mu / 1e3, 1) : none,
                        lt ? num(s.Mr / 1e3, 1) : none, lt ? num(s.Mf / 1e3, 1) : none, lt ? s.flange : none,
                        num(s.governingX, 3), UtilText(s.util)});
    }
    return rows;
}

RunCounts Count(std::vector<BatchItem> const& items) {
    RunCounts c;
    for (auto const& item : items) c.Add(item);
    return c;
}

std::string CountsLine(RunCounts const& c) {
    std::size_t const n = c.pass + c.fail + c.errors;
    std::string line = std::to_string(n) + (n == 1 ? " member: " : " members: ") + std::to_string(c.pass) +
                       " pass, " + std::to_string(c.fail) + " fail";
    if (c.errors) line += ", " + std::to_string(c.errors) + " could not be checked";
    return line;
}

BatchRow MakeBatchRow(std::size_t index, BatchItem const& item) {
    BatchRow r;
    r.index = index;
    if (!item.outcome) {
        r.error = item.error;
        return r;
    }
    MemberOutcome const& m = *item.outcome;
    r.checked = true;
    r.title = m.title, r.where = m.where, r.code = m.code, r.section = m.section, r.grade = m.grade;
    r.governing = GoverningName(m.Governing());
    r.util = m.Governing().utilisation;
    r.pass = m.Pass();
    return r;
}

void SortByUtilisation(std::vector<BatchRow>& rows) {
    // NaN (never expected) sorts with +infinity: an unknown utilisation is no better.
    auto key = [](BatchRow const& r) { return std::isnan(r.util) ? INFINITY : r.util; };
    std::stable_sort(rows.begin(), rows.end(), [&key](BatchRow const& a, BatchRow const& b) {
        if (a.checked != b.checked) return !a.checked;
        return key(a) > key(b);
    });
}

std::string BatchTable(std::vector<BatchRow> const& rows) {
    std::vector<std::vector<std::string>> cells{{"#", "Member", "Section", "Grade", "Governing check", "Util", "Result"}};
    for (auto const& r : rows) {
        if (!r.checked) continue;
        cells.push_back({std::to_string(r.index + 1), Printable(r.title.empty() ? r.where : r.title),
                         Printable(r.section), Printable(r.grade), r.governing, UtilText(r.util), Verdict(r.pass)});
    }
    std::vector<std::size_t> width(cells[0].size(), 0);
    for (auto const& row : cells)
        for (std::size_t i = 0; i < row.size(); ++i) width[i] = std::max(width[i], row[i].size() + 2);
    std::string out = "Members\n";
    auto line = [&out, &width](std::vector<std::string> const& row) {
        out += "  ";
        for (std::size_t i = 0; i < row.size(); ++i) out += i + 1 < row.size() ? Padded(row[i], width[i]) : row[i];
        out += "\n";
    };
    line(cells[0]);
    std::size_t next = 1;
    for (auto const& r : rows) {
        if (r.checked) line(cells[next++]);
        else out += "  " + Padded(std::to_string(r.index + 1), width[0]) + "ERROR: " + Printable(r.error) + "\n";
    }
    return out;
}

}  // namespace s16app
