// The command line of s16check: its subcommands, options and exit status.
//
//   s16check check FILE... [--format text|json|jsonl|html|csv] [--output PATH] [--quick]
//                          [--report text|none] [--sort input|utilisation]
//                          [--catalog DIR] [--jobs N] [--no-color]
//                          [--detail summary|normal|full] [--project TEXT]
//                          [--engineer TEXT]
//   s16check section DESCRIPTION [--grade NAME] [--code "CSA S16-14"]
//                          [--catalog DIR] [--format text|json]
//   s16check section --list PREFIX [--catalog DIR]
//   s16check design FILE... [--family W] [--max-depth MM] [--min-depth MM]
//                          [--max-width MM] [--limit U] [--top N] [--format ..]
//                          [--output PATH] [--catalog DIR] [--jobs N]
//
// Exit status: 0 every member passes; 1 a member fails a check; 2 the input
// could not be read or a member could not be checked.
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <atomic>
#include <iterator>
#include <mutex>
#include <memory>
#include <thread>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "app/CommandLine.h"
#include "app/Design.h"
#include "app/JsonInput.h"
#include "app/MemberFile.h"
#include "app/MemberRunner.h"
#include "app/Output.h"
#include "app/Render.h"
#include "app/SectionInfo.h"
#include "framework/DesignConstants.h"
#include "framework/Section.h"

namespace {

constexpr int kExitPass = 0;
constexpr int kExitFail = 1;
constexpr int kExitInput = 2;

// Members checked or designed at a time unless --jobs says: one per core.
int DefaultJobs() { return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 256u)); }

struct CheckArgs {
    std::vector<std::string> files;
    std::string format = "text";
    std::string output;
    bool quick = false;
    std::string report;  // "text", "none"; empty: the format's default
    std::string sort = "input";
    std::string catalog;
    int jobs = DefaultJobs();
    bool noColor = false;
    std::string detail = "normal";
    std::string project, engineer;
};

struct DesignArgs {
    std::vector<std::string> files;
    std::string format = "text";
    std::string output;
    std::string catalog;
    int jobs = DefaultJobs();
    s16app::DesignInput given;
};

struct SectionArgs {
    std::string description;
    std::string grade = "350W";
    std::string code = "CSA S16-09";
    std::string catalog;
    std::string format = "text";
    std::string list;  // --list PREFIX
    bool listing = false;
};

// One line on standard error; user text in the message cannot break it.
void Error(std::string const& message) { std::cerr << "s16check: " << s16app::Printable(message) << "\n"; }
// An error of a member, or the warnings of a checked member.
void Tell(s16app::BatchItem const& item) {
    if (!item.outcome)
        Error(item.error);
    else
        for (auto const& w : item.outcome->warnings) Error("warning: " + w);
}

// The number of single-letter insertions, deletions, substitutions and swaps
// of two neighbours that turn one word into the other.
std::size_t EditDistance(std::string const& a, std::string const& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

// A first word that is no subcommand: the nearest one suggested when it is
// a likely slip (at most two letters off, or its beginning).
void UnknownCommand(std::string const& word, std::vector<CLI::App*> const& commands) {
    std::string nearest, names;
    std::size_t best = 3;
    for (auto const* c : commands) {
        std::string const& name = c->get_name();
        names += (names.empty() ? "" : ", ") + name;
        std::size_t const d = !word.empty() && name.compare(0, word.size(), word) == 0 ? 1 : EditDistance(word, name);
        if (d < best) best = d, nearest = name;
    }
    Error("unknown command '" + word + "'" +
          (nearest.empty() ? " (commands: " + names + ")" : "; did you mean '" + nearest + "'?"));
}

// The member files of a run, each read as a stream.
using Streams = std::vector<std::unique_ptr<s16app::MemberStream>>;
using EachMember = std::function<void(std::size_t file, std::size_t index, s16app::MemberInput&& member)>;

// Reads every file whole once, before anything is checked; all problems are
// told before giving up. `each` receives every member read, one at a
// time (from the reading threads). Gives the number
// of members.
bool ReadAll(std::vector<std::string> const& files, int jobs, Streams& streams, std::size_t& total,
             EachMember const& each) {
    if (std::count(files.begin(), files.end(), "-") > 1) {
        Error("-: the standard input can be read once only; give \"-\" once");
        return false;
    }
    bool ok = true;
    std::mutex mutex;  // the members are read on several threads; `each` sees one at a time
    for (std::size_t f = 0; f < files.size(); ++f) {
        streams.push_back(std::make_unique<s16app::MemberStream>(files[f]));
        try {
            total += streams.back()->Validate(jobs, [&each, &mutex, f](std::size_t i, s16app::MemberInput&& m) {
                std::lock_guard<std::mutex> const lock(mutex);
                each(f, i, std::move(m));
            });
        } catch (s16app::InputError const& e) {
            Error(e.what());
            ok = false;
        }
    }
    return ok;
}

// "[#####     ] 12/40" on a terminal's stderr.
void ShowProgress(std::size_t done, std::size_t total) {
    constexpr std::size_t width = 30;
    std::size_t const filled = total ? done * width / total : width;
    std::cerr << "\r[" << std::string(filled, '#') << std::string(width - filled, ' ') << "] " << done << "/" << total
              << (done == total ? "\n" : "") << std::flush;
}

// Writes the text of a stream to the standard output.
bool Emit(std::ostringstream const& text) {
    if (!text) return false;
    std::cout << text.str() << std::flush;
    return static_cast<bool>(std::cout);
}

// Replacing an input by its own report would lose it: refused, said.
bool OutputIsAnInput(std::string const& output, std::vector<std::string> const& files) {
    std::vector<std::string> named;
    std::copy_if(files.begin(), files.end(), std::back_inserter(named), [](std::string const& f) { return f != "-"; });
    std::string input = s16app::SameFileAs(output, named);
    struct stat in {
    }, out{};
    if (input.empty() && named.size() < files.size() && !output.empty() && ::fstat(STDIN_FILENO, &in) == 0 &&
        S_ISREG(in.st_mode) && ::stat(output.c_str(), &out) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
        input = "read as the standard input";
    if (input.empty()) return false;
    Error("--output " + output + ": is the input file " + input + "; refused, it would be overwritten");
    return true;
}

// What check and design do first: refuse an --output that is an input, set
// the catalogue folder. False when the run cannot go on.
bool Begin(std::string const& output, std::vector<std::string> const& files, std::string const& catalog) {
    if (OutputIsAnInput(output, files)) return false;
    if (!catalog.empty()) Corvid::Data::CSection::SetCatalogDirectory(catalog);
    return true;
}

// Reads the members of a check run. A member with a "design" block has no
// section to check: refused, each once (a file read again for late units
// gives them twice).
bool ReadForCheck(CheckArgs const& a, Streams& streams, std::size_t& total) {
    std::vector<std::pair<std::pair<std::size_t, std::size_t>, std::string>> designed;
    if (!ReadAll(a.files, a.jobs, streams, total, [&](std::size_t f, std::size_t i, s16app::MemberInput&& m) {
            if (m.design) designed.push_back({{f, i}, s16app::Where(m, "design")});
        }))
        return false;
    std::sort(designed.begin(), designed.end());
    designed.erase(std::unique(designed.begin(), designed.end()), designed.end());
    for (auto const& d : designed)
        Error(d.second + ": a member with a \"design\" block has no section to check; run s16check design");
    return designed.empty();
}

// What a check run writes, from its arguments.
struct CheckFormat {
    bool json = false, html = false, csv = false;
    s16app::JsonStyle style;
    bool colour = false;  // ANSI colours in the text
    s16app::Detail detail = s16app::Detail::Normal;
};

CheckFormat FormatOf(CheckArgs const& a) {
    CheckFormat f;
    f.json = a.format == "json" || a.format == "jsonl";
    f.html = a.format == "html";
    f.csv = a.format == "csv";
    f.style.lines = a.format == "jsonl";
    f.style.report = a.report == "text";
    f.colour =
        a.format == "text" && a.output.empty() && !a.noColor && isatty(STDOUT_FILENO) && !std::getenv("NO_COLOR");
    f.detail = a.detail == "summary" ? s16app::Detail::Summary
               : a.detail == "full"  ? s16app::Detail::Full
                                     : s16app::Detail::Normal;
    return f;
}

// What the checks collect for the format: the report text in text and HTML,
// in JSON on request; CSV wants neither it nor the working.
s16app::RunOptions OptionsOf(CheckArgs const& a, CheckFormat const& f) {
    s16app::RunOptions options;
    options.quick = a.quick;
    // How much of the report the text format shows; the others read it whole.
    options.detail = f.json || f.html || f.csv ? s16app::Detail::Full : f.detail;
    options.text = !f.csv && (f.json ? f.style.report : true);
    options.working = !f.csv;
    // Text and HTML show the report of the governing case only.
    options.governingReportOnly = !f.csv && !f.json;
    return options;
}

// Writes the members of a check run as their checks finish, then what ends
// the report. The HTML page opens with the summary of every member, so its
// member sections wait in a temporary file until the end; the batch table of
// the text and the HTML summary rows wait in another.
class CheckWriter {
public:
    CheckWriter(CheckFormat const& format, bool byUtilisation, std::size_t total, std::ostream& out)
        : m_format(format), m_out(out) {
        if (format.html) m_sections = std::make_unique<s16app::Spool>();
        if (!format.json && !format.csv) m_rows = std::make_unique<s16app::BatchRows>(byUtilisation, total);
    }

    // What comes before the members.
    void Begin() {
        if (!m_format.json && !m_format.csv) return;
        std::lock_guard<std::timed_mutex> const lock(s16app::OutputLock());
        m_out << (m_format.csv ? s16app::kCsvHeader : s16app::JsonBegin(m_format.style));
    }

    // The text of one member, made on the worker that checked it.
    std::string Render(std::size_t i, s16app::BatchItem const& item) {
        try {
            if (m_format.json) return s16app::JsonMember(i, item, i == 0, m_format.style);
            if (m_format.csv) return s16app::CsvMember(i, item);
            if (m_format.html) return s16app::HtmlMember(i, item);
            return s16app::TextMember(i, item, m_format.colour, m_format.detail);
        } catch (std::exception const&) {
            m_formatted = false;
            return std::string();
        }
    }

    // One member, in input order, on one thread at a time.
    void Emit(std::size_t i, s16app::BatchItem const& item, std::string const& text) {
        Tell(item);
        m_counts.Add(item);
        try {
            if (m_rows) m_rows->Add(s16app::MakeBatchRow(i, item));
            if (m_format.html) m_sections->Write(text);
        } catch (std::exception const&) { m_formatted = false; }
        if (!m_format.html) {
            std::lock_guard<std::timed_mutex> const lock(s16app::OutputLock());
            m_out << text;
        }
    }

    // The summary last (under the output lock): a report cut short never ends
    // like a finished one. False when a row or a section could not be read
    // back (a write error); what would follow it is left out.
    bool End(std::size_t total) {
        bool written = true;
        if (m_format.html) {
            m_out << s16app::HtmlHead(m_counts);
            written = m_rows->ForEach([this](s16app::BatchRow const& row) { m_out << s16app::HtmlRow(row); });
            if (written) m_out << s16app::kHtmlRowsEnd;
            written = written && m_sections->CopyTo(m_out);
            if (written) m_out << s16app::kHtmlEnd;
        } else if (m_format.json) {
            m_out << s16app::JsonEnd(total > 0, m_counts, m_format.style);
        } else if (!m_format.csv) {
            written = s16app::TextEnd(m_out, m_counts, *m_rows);
        }
        return written;
    }

    bool Formatted() const { return m_formatted; }
    s16app::RunCounts const& Counts() const { return m_counts; }

private:
    CheckFormat const m_format;
    std::ostream& m_out;
    std::unique_ptr<s16app::Spool> m_sections;
    std::unique_ptr<s16app::BatchRows> m_rows;
    std::atomic<bool> m_formatted{true};
    s16app::RunCounts m_counts;
};

int RunCheck(CheckArgs const& a) {
    if (!Begin(a.output, a.files, a.catalog)) return kExitInput;
    Streams streams;
    std::size_t total = 0;
    if (!ReadForCheck(a, streams, total)) return kExitInput;
    std::size_t file = 0;
    s16app::MemberSource const source = [&]() -> s16app::MemberReader {
        for (; file < streams.size(); ++file)
            if (auto read = streams[file]->Next()) return read;
        return {};
    };
    CheckFormat const format = FormatOf(a);
    s16app::SectionCache sections;
    s16app::RunOptions options = OptionsOf(a, format);
    options.sections = &sections;
    s16app::RunInfo const run{a.project, a.engineer, s16app::RunDate()};
    options.run = &run;
    std::function<void(std::size_t, std::size_t)> progress;
    if (isatty(STDERR_FILENO) && total > 1) progress = ShowProgress;
    s16app::ReportOutput output(a.output);
    // Every member is written as its check finishes.
    CheckWriter writer(format, a.sort == "utilisation", total, output.Stream());
    writer.Begin();
    s16app::CheckStream(
        source, total, options, a.jobs,
        [&writer](std::size_t i, s16app::BatchItem const& item) { return writer.Render(i, item); },
        [&writer](std::size_t i, s16app::BatchItem const& item, std::string const& text) {
            writer.Emit(i, item, text);
        },
        progress);
    if (!writer.Formatted()) {
        Error("the report could not be formatted (out of memory?); no report was written");
        return kExitInput;
    }
    std::lock_guard<std::timed_mutex> const lock(s16app::OutputLock());
    if (!writer.End(total) || !output.Commit()) {
        Error(output.Name() + ": cannot be written (a full disk, a file-size limit or a write error); " +
              (a.output.empty() ? "the report is incomplete" : "the file is left as it was"));
        return kExitInput;
    }
    if (writer.Counts().errors) return kExitInput;
    return writer.Counts().fail ? kExitFail : kExitPass;
}

int RunDesign(DesignArgs const& a) {
    if (!Begin(a.output, a.files, a.catalog)) return kExitInput;
    // Design holds its members: the report lists them all at the end.
    Streams streams;
    std::size_t total = 0;
    std::vector<std::vector<s16app::MemberInput>> read(a.files.size());
    if (!ReadAll(a.files, a.jobs, streams, total, [&](std::size_t f, std::size_t i, s16app::MemberInput&& m) {
            if (read[f].size() <= i) read[f].resize(i + 1);
            read[f][i] = std::move(m);
        }))
        return kExitInput;
    std::vector<s16app::MemberInput> members;
    for (auto& file : read) std::move(file.begin(), file.end(), std::back_inserter(members));
    s16app::SectionCache sections;
    s16app::FamilyCache families;
    s16app::DesignRun run;
    run.defaults.given = a.given;
    run.options.text = a.format == "json";
    run.options.sections = &sections;
    run.families = &families;
    auto const items = s16app::DesignAll(members, run, a.jobs);
    bool none = false, errors = false;
    for (auto const& item : items) {
        if (!item.outcome) {
            Error(item.error);
            errors = true;
            continue;
        }
        for (auto const& w : item.outcome->warnings) Error("warning: " + w);
        none = none || !item.outcome->chosen;
    }
    std::ostringstream text;
    if (a.format == "json")
        s16app::RenderDesignJson(text, items);
    else if (a.format == "html")
        s16app::RenderDesignHtml(text, items);
    else
        s16app::RenderDesignText(text, items);
    if (!text) {
        Error("the report could not be formatted (out of memory?); no report was written");
        return kExitInput;
    }
    // Written whole, atomically when to a file.
    s16app::ReportOutput output(a.output);
    {
        std::lock_guard<std::timed_mutex> const lock(s16app::OutputLock());
        output.Stream() << text.str();
    }
    if (!output.Commit()) {
        Error(output.Name() + ": cannot be written (a full disk, a file-size limit or a write error); " +
              (a.output.empty() ? "the report is incomplete" : "the file is left as it was"));
        return kExitInput;
    }
    if (errors) return kExitInput;
    return none ? kExitFail : kExitPass;
}

int RunSection(SectionArgs const& a) {
    if (!a.catalog.empty()) Corvid::Data::CSection::SetCatalogDirectory(a.catalog);
    if (!a.listing && a.description.empty()) {
        Error("section: give a DESCRIPTION, or --list PREFIX");
        return kExitInput;
    }
    if (a.listing) {
        try {
            auto const names = Corvid::Data::CSection::CatalogNames(a.list);
            if (names.empty()) {
                Error("section --list: no designation in the catalogue starts with \"" + a.list + "\"");
                return kExitInput;
            }
            std::ostringstream out;
            for (auto const& n : names) out << n << "\n";
            return Emit(out) ? kExitPass : kExitInput;
        } catch (std::invalid_argument const& e) {
            Error(std::string("section --list: ") + e.what());
            return kExitInput;
        }
    }
    try {
        auto const info = s16app::DescribeSection(a.description, a.grade, a.code == "CSA S16-14" ? 1 : 0);
        std::ostringstream out;
        if (a.format == "json")
            s16app::RenderSectionJson(out, info);
        else
            s16app::RenderSectionText(out, info);
        return Emit(out) ? kExitPass : kExitInput;
    } catch (s16app::InputError const& e) {
        Error(e.what());
        return kExitInput;
    }
}

// The check command, with the options whose use depends on others.
struct CheckCommand {
    CheckArgs args;
    CLI::App* cmd = nullptr;
    CLI::Option* report = nullptr;
    CLI::Option* sort = nullptr;
    CLI::Option* detail = nullptr;
};

// An option's value as given on the command line, and whether it was.
template <class T>
struct Given {
    T value{};
    CLI::Option* option = nullptr;
    bool Set() const { return option->count() > 0; }
};

// The design command, with its limits as given (mm) before they reach
// DesignArgs::given (m).
struct DesignCommand {
    DesignArgs args;
    CLI::App* cmd = nullptr;
    Given<std::string> family;
    Given<double> maxDepth, minDepth, maxWidth, limit;
    Given<int> top;
};

// The section command, with --list (which excludes what describes a section).
struct SectionCommand {
    SectionArgs args;
    CLI::App* cmd = nullptr;
    CLI::Option* list = nullptr;
};

// The options that more than one command has.
void AddOutput(CLI::App* cmd, std::string& output) {
    cmd->add_option("--output", output, "Write the output to PATH instead of the standard output");
}
void AddCatalog(CLI::App* cmd, std::string& catalog) {
    cmd->add_option("--catalog", catalog, "Section catalogue folder (default: $S16_SECTION_CATALOG)");
}

void AddCheck(CLI::App& app, CheckCommand& c) {
    CheckArgs& check = c.args;
    auto* checkCmd = app.add_subcommand("check", "Check every member of every member file (JSON)");
    checkCmd->add_option("FILE", check.files, "Member files")->required();
    checkCmd->add_option("--format", check.format, "Output format (jsonl: one member a line; csv: one line a member)")
        ->check(CLI::IsMember({"text", "json", "jsonl", "html", "csv"}))
        ->capture_default_str();
    c.report = checkCmd
                   ->add_option("--report", check.report,
                                "The step-by-step report: text (default for text and html) or none "
                                "(default for json and jsonl)")
                   ->check(CLI::IsMember({"text", "none"}));
    c.sort = checkCmd
                 ->add_option("--sort", check.sort,
                              "Order of the members table (text) and summary rows (html): input, or "
                              "utilisation (members that could not be checked first, then the worst)")
                 ->check(CLI::IsMember({"input", "utilisation"}))
                 ->capture_default_str();
    AddOutput(checkCmd, check.output);
    checkCmd->add_flag("--quick", check.quick, "Quick check: utilisations only, stopping at the first failure");
    AddCatalog(checkCmd, check.catalog);
    checkCmd->add_option("--jobs", check.jobs, "Members checked in parallel (default: one per core)")
        ->check(CLI::Range(1, 256));
    checkCmd->add_flag("--no-color", check.noColor, "No colours in the text output");
    c.detail = checkCmd
                   ->add_option("--detail", check.detail,
                                "Text report: summary (title, input, checks), normal (+ spans and the working "
                                "of each governing check) or full (+ the complete calculation)")
                   ->check(CLI::IsMember({"summary", "normal", "full"}))
                   ->capture_default_str();
    checkCmd->add_option("--project", check.project, "Project in the title block (over the member file's \"project\")");
    checkCmd->add_option("--engineer", check.engineer,
                         "Engineer in the title block (over the member file's \"engineer\")");
    c.cmd = checkCmd;
}

// An option of check that would have no effect is refused, said.
bool CheckUsable(CheckCommand const& c) {
    CheckArgs const& check = c.args;
    // The detail levels shape the text report only: refused elsewhere.
    if (c.detail->count() && check.format != "text") {
        Error("--detail: applies to the text report only (--format text), not --format " + check.format);
        return false;
    }
    if (c.detail->count() && check.quick) {
        Error("--detail: has no effect with --quick (it writes no calculation, only the summary)");
        return false;
    }
    if (c.report->count() && (check.quick || (check.format != "json" && check.format != "jsonl"))) {
        Error(std::string("--report: has no effect ") +
              (check.quick ? std::string("with --quick (it writes no report)")
                           : "with --format " + check.format + " (it applies to json and jsonl; see --detail)"));
        return false;
    }
    if (c.sort->count() && check.format != "text" && check.format != "html") {
        Error("--sort: has no effect with --format " + check.format +
              " (it orders the text members table and the html summary rows; members are written in input order)");
        return false;
    }
    return true;
}

void AddDesign(CLI::App& app, DesignCommand& d) {
    DesignArgs& design = d.args;
    auto* designCmd = app.add_subcommand("design", "Choose the lightest section of a family for every member");
    designCmd->add_option("FILE", design.files, "Member files")->required();
    d.family.option = designCmd->add_option("--family", d.family.value, "Section family: " + s16app::FamilyNames());
    d.maxDepth.option =
        designCmd->add_option("--max-depth", d.maxDepth.value, "Largest depth, mm")->check(CLI::PositiveNumber);
    d.minDepth.option =
        designCmd->add_option("--min-depth", d.minDepth.value, "Smallest depth, mm")->check(CLI::PositiveNumber);
    d.maxWidth.option =
        designCmd->add_option("--max-width", d.maxWidth.value, "Largest width, mm")->check(CLI::PositiveNumber);
    d.limit.option = designCmd->add_option("--limit", d.limit.value, "Largest governing utilisation accepted (0, 1.5]")
                         ->check(CLI::Range(0.0, 1.5));
    d.top.option =
        designCmd->add_option("--top", d.top.value, "Passing sections listed, by mass")->check(CLI::Range(1, 100));
    designCmd->add_option("--format", design.format, "Output format")
        ->check(CLI::IsMember({"text", "json", "html"}))
        ->capture_default_str();
    AddOutput(designCmd, design.output);
    AddCatalog(designCmd, design.catalog);
    designCmd->add_option("--jobs", design.jobs, "Members designed in parallel (default: one per core)")
        ->check(CLI::Range(1, 256));
    d.cmd = designCmd;
}

// The limits given on the command line, in the units of DesignInput; false
// (said) for a family or a limit that cannot be used.
bool ResolveDesign(DesignCommand& d) {
    s16app::DesignInput& given = d.args.given;
    if (d.family.Set()) {
        if (!s16app::FamilyOf(d.family.value)) {
            Error("--family: unknown family \"" + d.family.value + "\" (known: " + s16app::FamilyNames() + ")");
            return false;
        }
        given.family = d.family.value;
    }
    if (d.maxDepth.Set()) given.maxDepth = d.maxDepth.value * Corvid::Design::kMm;
    if (d.minDepth.Set()) given.minDepth = d.minDepth.value * Corvid::Design::kMm;
    if (d.maxWidth.Set()) given.maxWidth = d.maxWidth.value * Corvid::Design::kMm;
    if (d.limit.Set()) {
        if (!(d.limit.value > 0.0)) {
            Error("--limit: the utilisation limit must be above 0 and at most 1.5");
            return false;
        }
        given.limit = d.limit.value;
    }
    if (d.top.Set()) given.top = d.top.value;
    return true;
}

void AddSection(CLI::App& app, SectionCommand& s) {
    SectionArgs& section = s.args;
    auto* sectionCmd = app.add_subcommand("section", "Show one section: properties, classes, resistances");
    auto* descriptionOpt =
        sectionCmd->add_option("DESCRIPTION", section.description, "Section description or designation");
    auto* gradeOpt = sectionCmd->add_option("--grade", section.grade, "Steel grade")->capture_default_str();
    auto* codeOpt = sectionCmd->add_option("--code", section.code, "Design code")
                        ->check(CLI::IsMember({"CSA S16-09", "CSA S16-14"}))
                        ->capture_default_str();
    AddCatalog(sectionCmd, section.catalog);
    auto* formatOpt = sectionCmd->add_option("--format", section.format, "Output format")
                          ->check(CLI::IsMember({"text", "json"}))
                          ->capture_default_str();
    // A listing shows no section: what would describe one has no effect.
    s.list =
        sectionCmd
            ->add_option("--list", section.list, "List the catalogue designations that start with PREFIX, one a line")
            ->excludes(descriptionOpt)
            ->excludes(gradeOpt)
            ->excludes(codeOpt)
            ->excludes(formatOpt);
    s.cmd = sectionCmd;
}

}  // namespace

namespace s16app {

int RunCommandLine(int argc, char** argv) {
    CLI::App app{"s16check: checks structural steel members to CSA S16-09 / CSA S16-14"};
    app.set_version_flag("--version", std::string("s16check ") + S16CHECK_VERSION);
    app.require_subcommand(1);
    CheckCommand check;
    AddCheck(app, check);
    DesignCommand design;
    AddDesign(app, design);
    SectionCommand section;
    AddSection(app, section);

    std::vector<CLI::App*> const commands = {check.cmd, design.cmd, section.cmd};
    if (argc > 1 && argv[1][0] != '-' &&
        std::none_of(commands.begin(), commands.end(), [&](CLI::App* c) { return c->get_name() == argv[1]; })) {
        UnknownCommand(argv[1], commands);
        return kExitInput;
    }
    try {
        app.parse(argc, argv);
    } catch (CLI::ParseError const& e) {
        int const code = app.exit(e);
        // Help and version succeed; a command line that cannot be used is
        // input that cannot be read.
        return code == 0 ? kExitPass : kExitInput;
    }
    section.args.listing = section.list->count() > 0;
    if (!CheckUsable(check) || !ResolveDesign(design)) return kExitInput;
    try {
        if (design.cmd->parsed()) return RunDesign(design.args);
        return check.cmd->parsed() ? RunCheck(check.args) : RunSection(section.args);
    } catch (std::exception const& e) {
        Error(e.what());
        return kExitInput;
    }
}

}  // namespace s16app
