#pragma once
// The three renderers of a check run (text, JSON, HTML) and the two of the
// section command (text, JSON), with the pieces they share.
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "app/MemberRunner.h"
#include "app/Output.h"
#include "app/SectionInfo.h"

namespace s16app {

// Counts of a run.
struct RunCounts {
    std::size_t pass = 0, fail = 0, errors = 0;
    void Add(BatchItem const& item) {
        if (!item.outcome)
            ++errors;
        else if (item.outcome->Pass())
            ++pass;
        else
            ++fail;
    }
};

// How the JSON of a member is written.
struct JsonStyle {
    bool lines = false;   // JSON Lines: one member a line, no indentation
    bool report = false;  // with the report text (--report text)
};

// The outputs in pieces, for streaming a batch: what comes before the
// members, one member, and what comes after them. The pieces of a member are
// made on the worker that checked it, and joined in input order. Each throws
// std::runtime_error when its text could not be formatted.
// Text for a terminal, ANSI colours and bold when `colour`. The text of a
// member: the opening block (title, input, checks, verdict), then with
// Normal the span table and the working of each governing check, with Full
// the span table and the complete report.
std::string TextMember(std::size_t index, BatchItem const& item, bool colour, Detail detail = Detail::Full);
class BatchRows;
// Writes the end of the text output: the batch table (more than one member),
// the counts; false, the end left out, when a row could not be read back.
bool TextEnd(std::ostream& out, RunCounts const& counts, BatchRows& rows);
// The JSON document {"members": [...], "summary": {...}}, or with
// `style.lines` one member object a line and a last line {"summary": {...}}.
std::string JsonBegin(JsonStyle style = {});
std::string JsonMember(std::size_t index, BatchItem const& item, bool first, JsonStyle style = {});
std::string JsonEnd(bool anyMember, RunCounts const& counts, JsonStyle style = {});
// CSV for spreadsheets (RFC 4180): the header line, one line per member.
extern char const* const kCsvHeader;
std::string CsvMember(std::size_t index, BatchItem const& item);
// One self-contained HTML page, failing rows marked: the head with the
// counts, one summary row per member, the end of the summary table, one
// section per member, the end of the page.
std::string HtmlHead(RunCounts const& counts);
struct BatchRow;
std::string HtmlRow(BatchRow const& row);
extern char const* const kHtmlRowsEnd;
std::string HtmlMember(std::size_t index, BatchItem const& item);
extern char const* const kHtmlEnd;

void RenderSectionText(std::ostream& out, SectionInfo const& info);
void RenderSectionJson(std::ostream& out, SectionInfo const& info);
// A JSON document, indented by 2, and a newline; invalid UTF-8 (in a title,
// say) is replaced rather than refused.
void WriteJson(std::ostream& out, nlohmann::json const& doc);

// ---- shared by the renderers ----

// A number with `decimals` digits after the point (printf's %.*f).
std::string Fixed(double v, int decimals);
// The same appended to `out` (no string made for it).
void AppendFixed(std::string& out, double v, int decimals);
// The shortest text that reads back as the finite `v`, as std::to_chars(first,
// last, v) writes it (room for 32 characters), its end returned; zeros and
// numbers of a few decimals (most input values) without the general search.
char* ShortestText(char* first, char* last, double v);
// The text left-aligned in `width` columns (never cut).
std::string Padded(std::string s, std::size_t width);
// The same appended to `out`.
void AppendPadded(std::string& out, std::string_view text, std::size_t width);
// The name of a utilisation kind (Corvid::Steel::UtilKindName) as UTF-8,
// made once.
std::string const& UtilKindText(Corvid::Steel::UtilKind kind);
// A utilisation with three decimals; "inf" for +infinity.
std::string UtilText(double u);
// The utilisation kind with the largest value of a case (its name), or ""
// when none was set.
std::string const& GoverningName(CaseOutcome const& c);
// User text for HTML: control characters escaped as in the text output, then
// the HTML special characters.
std::string HtmlEscape(std::string const& text);
// Said under the checks of a quick check that stopped at the first failure.
inline constexpr char kQuickStopped[] =
    "Quick check: stopped at the first failure; only the failing checks it reached are listed "
    "(each at least the value shown), the others were not completed";
// "PASS" / "FAIL"
inline char const* Verdict(bool pass) { return pass ? "PASS" : "FAIL"; }
// "Member 2: title" (the title left out when empty)
std::string MemberHeading(std::size_t index, MemberOutcome const& m);
// The member's notes of every case, one line each: a slenderness failure or
// warning (CSA S16-09 cl. 10.4.2), buckling checks not performed.
std::vector<std::string> MemberNotes(MemberOutcome const& m);
// Table cells in one buffer, row after row (each renderer lays them out),
// with the size of each column's widest cell.
class Cells {
public:
    // Room for `rows` rows made at once.
    Cells(std::size_t columns, std::size_t rows);
    // The buffer the next cell is appended to; EndCell ends it.
    std::string& Text() { return m_text; }
    void EndCell();
    void Add(std::string_view cell) {
        m_text.append(cell);
        EndCell();
    }
    std::size_t Columns() const { return m_widest.size(); }
    std::size_t Rows() const { return m_ends.size() / m_widest.size(); }
    std::string_view Cell(std::size_t row, std::size_t column) const {
        std::size_t const k = row * m_widest.size() + column;
        std::size_t const begin = k == 0 ? 0 : m_ends[k - 1];
        return std::string_view(m_text).substr(begin, m_ends[k] - begin);
    }
    std::size_t Widest(std::size_t column) const { return m_widest[column]; }

private:
    std::string m_text;
    std::vector<std::size_t> m_ends;    // where each cell ends in m_text
    std::vector<std::size_t> m_widest;  // of each column
};
// The working of each span of a case as table cells (m, kN, kN*m), the
// header first; no row when the case has none.
Cells SpanTable(CaseOutcome const& c);
std::string CountsLine(RunCounts const& c);
// The count line of a run: "3 members: <outcomes>", then ", 1 could not be
// <undone>" when a member could not be checked or designed.
std::string CountsLine(std::size_t members, std::string const& outcomes, std::size_t errors, char const* undone);

// One member of a batch in a line, kept for the batch table and the HTML
// summary rows (small: no report).
struct BatchRow {
    std::size_t index = 0;
    bool checked = false;  // false: could not be checked, `error` says why
    std::string title, where, code, section, grade, governing, error;
    double util = 0.0;
    bool pass = false;
};
BatchRow MakeBatchRow(std::size_t index, BatchItem const& item);
// The cells of the header of the text batch table, and of a checked member's line.
std::vector<std::string> TableHeader();
std::vector<std::string> TableCells(BatchRow const& row);

// The rows of a batch, for the text batch table and the HTML summary rows,
// kept in a temporary file: in memory only the widths of the table's columns
// and, sorted by utilisation, 24 bytes a member.
class BatchRows {
public:
    // `byUtilisation` (--sort utilisation): the members that could not be
    // checked first, then the largest utilisation first (+infinity above
    // all); ties in input order. `expected`: the number of members.
    explicit BatchRows(bool byUtilisation = false, std::size_t expected = 0);
    // Adds the row of the next member in input order.
    void Add(BatchRow const& row);
    std::size_t Size() const { return size_; }
    // The width of each column of the text table: its widest cell of a
    // checked member or of the header, and two spaces.
    std::vector<std::size_t> const& Widths() const { return width_; }
    // Calls `each` with every row in order; false when a row could not be
    // written or read back.
    bool ForEach(std::function<void(BatchRow const&)> const& each);

private:
    struct Key {
        double util;
        std::uint64_t offset;
        bool checked;
    };
    Spool spool_;
    std::size_t size_ = 0;
    bool byUtilisation_;
    std::vector<Key> keys_;  // with byUtilisation_ only
    std::vector<std::size_t> width_;
};

}  // namespace s16app
