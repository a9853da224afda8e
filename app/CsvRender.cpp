// CSV for spreadsheets (RFC 4180): one line per member, CRLF line ends.
#include <charconv>
#include <cmath>

#include "app/Output.h"
#include "app/Render.h"

namespace s16app {

namespace {

// A text cell: control characters escaped as in the text output; a leading
// = + - @ (a formula to a spreadsheet) taken as text by a leading '; quoted
// when it holds a comma, a quote or a line end.
void Cell(std::string& out, std::string const& text) {
    std::string s = Printable(text);
    if (!s.empty() && (s[0] == '=' || s[0] == '+' || s[0] == '-' || s[0] == '@')) s.insert(0, 1, '\'');
    out += ',';
    if (s.find_first_of(",\"\r\n") == std::string::npos) {
        out += s;
        return;
    }
    out += '"';
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    out += '"';
}

// The shortest text that reads back as the same double; "inf" for +infinity.
void Number(std::string& out, double v) {
    out += ',';
    if (!std::isfinite(v)) {
        out += std::isnan(v) ? "nan" : v > 0 ? "inf" : "-inf";
        return;
    }
    char buf[32];
    out.append(buf, ShortestText(buf, buf + sizeof buf, v));
}

}  // namespace

char const* const kCsvHeader = "member,title,section,grade,governing_check,utilisation,pass,error\r\n";

std::string CsvMember(std::size_t index, BatchItem const& item) {
    BatchRow const r = MakeBatchRow(index, item);
    std::string out = std::to_string(index + 1);
    if (!r.checked) {
        out += ",,,,,,ERROR";
        Cell(out, r.error);
        return out + "\r\n";
    }
    Cell(out, r.title);
    Cell(out, r.section);
    Cell(out, r.grade);
    Cell(out, r.governing);
    Number(out, r.util);
    out += r.pass ? ",PASS," : ",FAIL,";
    return out + "\r\n";
}

}  // namespace s16app
