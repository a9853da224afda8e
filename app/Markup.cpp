#include "app/Markup.h"

#include <algorithm>

#include "app/Output.h"

namespace s16app {

namespace {
struct Tag {
    char const* name;
    Style style;
};
constexpr Tag kTags[] = {{"h4", kHeading4}, {"h5", kHeading5}, {"b", kBold},      {"i", kItalic},
                         {"red", kRed},     {"orange", kOrange}, {"blue", kBlue}};

// The style of a tag name; 0 for anything else.
unsigned TagStyle(std::string const& name) {
    for (auto const& t : kTags)
        if (name == t.name) return t.style;
    return 0;
}
}  // namespace

std::vector<ReportLine> ReportLines(Corvid::Steel::CMemberResult const& result, std::vector<std::size_t>* starts) {
    std::vector<ReportLine> lines;
    for (int e = 0; e < result.NumEntries(); ++e) {
        if (starts) starts->push_back(lines.size());
        // A line takes the indentation of the fragment that starts it; a
        // fragment without a newline runs on into the next.
        bool open = false;
        ReportLine line;
        for (auto const& fragment : result.Entry(e).fragments) {
            std::string const text = Corvid::Narrow(fragment.text);
            std::size_t start = 0;
            while (start < text.size()) {
                if (!open) {
                    line = ReportLine{fragment.indent, ""};
                    open = true;
                }
                auto const nl = text.find('\n', start);
                if (nl == std::string::npos) {
                    line.markup.append(text, start, std::string::npos);
                    break;
                }
                line.markup.append(text, start, nl - start);
                lines.push_back(std::move(line));
                open = false;
                start = nl + 1;
            }
        }
        if (open && !line.markup.empty()) lines.push_back(line);
    }
    return lines;
}

std::vector<StyledRun> StyleLine(std::string const& markup, unsigned& open) {
    std::vector<StyledRun> runs;
    std::string text;
    auto flush = [&] {
        if (!text.empty()) runs.push_back(StyledRun{text, open});
        text.clear();
    };
    std::size_t i = 0;
    while (i < markup.size()) {
        if (markup[i] == '<') {
            auto const close = markup.find('>', i);
            if (close != std::string::npos) {
                bool const closing = i + 1 < markup.size() && markup[i + 1] == '/';
                std::size_t const from = i + (closing ? 2 : 1);
                unsigned const style = TagStyle(markup.substr(from, close - from));
                if (style != 0) {
                    flush();
                    open = closing ? (open & ~style) : (open | style);
                    i = close + 1;
                    continue;
                }
            }
        }
        text.push_back(markup[i]);
        ++i;
    }
    flush();
    return runs;
}

std::string PlainText(std::vector<ReportLine> const& lines) {
    std::size_t size = 0;
    for (auto const& line : lines) size += static_cast<std::size_t>(line.indent) * 2 + line.markup.size() + 1;
    std::string out;
    out.reserve(size);
    for (auto const& line : lines) {
        out.append(static_cast<std::size_t>(line.indent) * 2, ' ');
        std::size_t const start = out.size();
        // The text of StyleLine's runs, without making them: the seven tags
        // are dropped, any other '<' is text.
        std::string const& m = line.markup;
        for (std::size_t i = 0; i < m.size();) {
            if (m[i] == '<') {
                auto const close = m.find('>', i);
                if (close != std::string::npos) {
                    std::size_t const from = i + (i + 1 < m.size() && m[i + 1] == '/' ? 2 : 1);
                    if (TagStyle(m.substr(from, close - from)) != 0) {
                        i = close + 1;
                        continue;
                    }
                }
            }
            out += m[i++];
        }
        // Text of the user (a title, a section) cannot break the line.
        auto const unsafe = [](char ch) {
            auto const c = static_cast<unsigned char>(ch);
            return (c < 0x20 && c != '\t') || c == 0x7f || c == 0xc2 || c == 0xe2;
        };
        if (std::any_of(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), unsafe)) {
            std::string const text = Printable(out.substr(start));
            out.replace(start, std::string::npos, text);
        }
        out += '\n';
    }
    return out;
}

}  // namespace s16app
