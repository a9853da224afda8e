#pragma once
// The calculation report of a check as lines of markup, and the markup of a
// line as runs of text with a style. The module writes <h4> <h5> <b> <i>
// <red> <orange> <blue>; a style may stay open from one line to the next.
#include <string>
#include <string_view>
#include <vector>

#include "framework/Markup.h"
#include "framework/MemberResult.h"

namespace s16app {

// One report line: its indentation level and its markup (UTF-8, without the
// indentation).
struct ReportLine {
    int indent = 0;
    std::string markup;
};

// The lines of every entry of a result, in order; with `starts`, the index
// of the first line of each entry.
std::vector<ReportLine> ReportLines(Corvid::Steel::CMemberResult const& result,
                                    std::vector<std::size_t>* starts = nullptr);

// Style bits of a run of text: one bit per tag of Corvid::Markup.
enum Style : unsigned {
    kHeading4 = 1u << Corvid::Markup::kH4,
    kHeading5 = 1u << Corvid::Markup::kH5,
    kBold = 1u << Corvid::Markup::kBold,
    kItalic = 1u << Corvid::Markup::kItalic,
    kRed = 1u << Corvid::Markup::kRed,
    kOrange = 1u << Corvid::Markup::kOrange,
    kBlue = 1u << Corvid::Markup::kBlue,
};

struct StyledRun {
    std::string text;
    unsigned style = 0;
};

// Splits a line into runs. `open` holds the styles open when the line
// starts and, on return, those still open at its end. A '<' that does not
// open or close one of the seven tags is text.
std::vector<StyledRun> StyleLine(std::string const& markup, unsigned& open);

// The text of StyleLine's runs appended to `out`, without making them: the
// seven tags dropped, any other '<' kept as text.
void AppendPlain(std::string& out, std::string const& markup);

// The report as plain text: two spaces per indentation level, markup
// removed, one '\n' after each line.
std::string PlainText(std::vector<ReportLine> const& lines);
// One line of PlainText appended to `out`, `shift` levels further in.
void AppendPlainLine(std::string& out, ReportLine const& line, int shift = 0);

// Each line of the report in plain text (indented, markup removed, before
// Printable's escapes and without its '\n') passed to `f` as a view of one
// buffer, which the next line reuses.
template <class F>
void ForEachPlainLine(std::vector<ReportLine> const& lines, F f) {
    std::string text;
    for (auto const& line : lines) {
        text.assign(static_cast<std::size_t>(line.indent) * 2, ' ');
        AppendPlain(text, line.markup);
        f(std::string_view(text));
    }
}

}  // namespace s16app
