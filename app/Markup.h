#pragma once
// The calculation report of a check as lines of markup, and the markup of a
// line as runs of text with a style. The module writes <h4> <h5> <b> <i>
// <red> <orange> <blue>; a style may stay open from one line to the next.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/Markup.h"
#include "framework/MemberResult.h"

namespace s16app {

// One report line: its indentation level and its markup (UTF-8, without the
// indentation), a view into the CaseReport that holds it.
struct ReportLine {
    int indent = 0;
    std::string_view markup;
};

// The report lines of a case: the markup of every line in one buffer, and
// where each line lies in it.
class CaseReport {
public:
    class const_iterator {
    public:
        const_iterator(CaseReport const* report, std::size_t i) : m_report(report), m_i(i) {}
        ReportLine operator*() const { return (*m_report)[m_i]; }
        const_iterator& operator++() { return ++m_i, *this; }
        bool operator!=(const_iterator const& o) const { return m_i != o.m_i; }
        bool operator==(const_iterator const& o) const { return m_i == o.m_i; }

    private:
        CaseReport const* m_report;
        std::size_t m_i;
    };

    std::size_t size() const { return m_lines.size(); }
    bool empty() const { return m_lines.empty(); }
    ReportLine operator[](std::size_t i) const {
        Line const& l = m_lines[i];
        return ReportLine{l.indent, std::string_view(m_text.data() + l.begin, l.size)};
    }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_lines.size()); }
    // The bytes of the buffer: at least the markup of every line.
    std::size_t TextSize() const { return m_text.size(); }

    // Adds a line (its markup never one of this report's own lines: the
    // buffer may move as it grows).
    void Add(int indent, std::string_view markup) {
        m_lines.push_back(Line{m_text.size(), markup.size(), indent});
        m_text.Append(markup);
    }
    // Adds the lines of another report.
    void Append(CaseReport const& other) {
        if (&other == this) return Append(CaseReport(other));
        for (auto const line : other) Add(line.indent, line.markup);
    }
    // Adds the lines of every entry of a result, in order; with `starts`,
    // the index of the first line of each entry.
    void Add(Corvid::Steel::CMemberResult const& result, std::vector<std::size_t>* starts = nullptr);
    void swap(CaseReport& other) noexcept {
        m_text.swap(other.m_text);
        m_lines.swap(other.m_lines);
    }

private:
    struct Line {
        std::size_t begin, size;
        int indent;
    };
    // The markup of the lines: a buffer that grows without being filled
    // first (the engine's fragments are encoded straight into its room).
    class Text {
    public:
        Text() = default;
        Text(Text const& other) { *this = other; }
        Text(Text&& other) noexcept { swap(other); }
        Text& operator=(Text const& other) {
            if (this != &other) {
                m_size = 0;
                Append(std::string_view(other.data(), other.m_size));
            }
            return *this;
        }
        Text& operator=(Text&& other) noexcept {
            Text(std::move(other)).swap(*this);
            return *this;
        }
        ~Text() = default;
        char const* data() const { return m_data.get(); }
        std::size_t size() const { return m_size; }
        // The buffer with room for `n` bytes after its text.
        char* Room(std::size_t n) {
            if (m_capacity - m_size < n) {
                std::size_t const capacity = std::max({m_size + n, 2 * m_capacity, std::size_t(256)});
                std::unique_ptr<char[]> data(new char[capacity]);
                if (m_size != 0) std::memcpy(data.get(), m_data.get(), m_size);
                m_data = std::move(data);
                m_capacity = capacity;
            }
            return m_data.get();
        }
        // The text is now `n` bytes (within the room made).
        void Resize(std::size_t n) { m_size = n; }
        void Append(std::string_view s) {
            if (!s.empty()) std::memcpy(Room(s.size()) + m_size, s.data(), s.size());
            m_size += s.size();
        }
        void swap(Text& other) noexcept {
            std::swap(m_data, other.m_data);
            std::swap(m_size, other.m_size);
            std::swap(m_capacity, other.m_capacity);
        }

    private:
        std::unique_ptr<char[]> m_data;
        std::size_t m_size = 0, m_capacity = 0;
    };
    Text m_text;
    std::vector<Line> m_lines;
};

// The lines of every entry of a result, in order.
CaseReport ReportLines(Corvid::Steel::CMemberResult const& result);

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
std::vector<StyledRun> StyleLine(std::string_view markup, unsigned& open);

// The text of StyleLine's runs appended to `out`, without making them: the
// seven tags dropped, any other '<' kept as text.
void AppendPlain(std::string& out, std::string_view markup);

// The report as plain text: two spaces per indentation level, markup
// removed, one '\n' after each line.
std::string PlainText(CaseReport const& lines);
// One line of PlainText appended to `out`, `shift` levels further in.
void AppendPlainLine(std::string& out, ReportLine line, int shift = 0);

// The room ReportLineText needs for a line.
std::size_t ReportLineRoom(std::size_t indent, std::string_view markup);
// One line of the report from `d` on (room for ReportLineRoom), in one pass:
// `indent` spaces, then the markup with its seven tags dropped
// (Corvid::Markup::ScanMarkup) and Printable's escapes (a control, DEL, a C1
// control, U+2028, U+2029); with `json`, JSON's escapes too (the quote, the
// backslash, the tab; Printable's backslash escaped). Its end; null (what
// was written meaning nothing) at a byte past ASCII that does not start
// valid UTF-8 (Utf8Length) there: dropping a tag could complete it.
char* ReportLineText(char* d, std::size_t indent, std::string_view markup, bool json);

}  // namespace s16app
