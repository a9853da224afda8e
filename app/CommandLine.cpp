// The command line of s16check: its subcommands, options and exit status.
//
//   s16check check FILE... [--format text|json|html] [--output PATH] [--quick]
//                          [--catalog DIR] [--jobs N] [--no-color]
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
#include "framework/Section.h"

namespace {

constexpr int kExitPass = 0;
constexpr int kExitFail = 1;
constexpr int kExitInput = 2;

struct CheckArgs {
    std::vector<std::string> files;
    std::string format = "text";
    std::string output;
    bool quick = false;
    std::string catalog;
    int jobs = 1;
    bool noColor = false;
};

struct DesignArgs {
    std::vector<std::string> files;
    std::string format = "text";
    std::string output;
    std::string catalog;
    int jobs = 1;
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
    if (!item.outcome) Error(item.error);
    else
        for (auto const& w : item.outcome->warnings) Error("warning: " + w);
}

// The member files of a run, each read as a stream.
using Streams = std::vector<std::unique_ptr<s16app::MemberStream>>;
using EachMember = std::function<void(std::size_t file, std::size_t index, s16app::MemberInput&& member)>;

// Reads every file whole once, before anything is checked; all problems are
// told before giving up. `each` receives every member read. Gives the number
// of members.
bool ReadAll(std::vector<std::string> const& files, int jobs, Streams& streams, std::size_t& total,
             EachMember const& each) {
    if (std::count(files.begin(), files.end(), "-") > 1) {
        Error("-: the standard input can be read once only; give \"-\" once");
        return false;
    }
    bool ok = true;
    for (std::size_t f = 0; f < files.size(); ++f) {
        streams.push_back(std::make_unique<s16app::MemberStream>(files[f]));
        try {
            total += streams.back()->Validate(
                jobs, [&each, f](std::size_t i, s16app::MemberInput&& m) { each(f, i, std::move(m)); });
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
    struct stat in {}, out {};
    if (input.empty() && named.size() < files.size() && !output.empty() && ::fstat(STDIN_FILENO, &in) == 0 &&
        S_ISREG(in.st_mode) && ::stat(output.c_str(), &out) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
        input = "read as the standard input";
    if (input.empty()) return false;
    Error("--output " + output + ": is the input file " + input + "; refused, it would be overwritten");
    return true;
}

int RunCheck(CheckArgs const& a) {
    if (OutputIsAnInput(a.output, a.files)) return kExitInput;
    if (!a.catalog.empty()) Corvid::Data::CSection::SetCatalogDirectory(a.catalog);
    Streams streams;
    std::size_t total = 0;
    std::mutex mutex;
    std::vector<std::pair<std::pair<std::size_t, std::size_t>, std::string>> designed;
    if (!ReadAll(a.files, a.jobs, streams, total, [&](std::size_t f, std::size_t i, s16app::MemberInput&& m) {
            if (!m.design) return;
            std::lock_guard<std::mutex> const lock(mutex);
            designed.push_back({{f, i}, s16app::Where(m, "design")});
        }))
        return kExitInput;
    std::sort(designed.begin(), designed.end());  // once each (a file read again for late units gives them twice)
    designed.erase(std::unique(designed.begin(), designed.end()), designed.end());
    for (auto const& d : designed)
        Error(d.second + ": a member with a \"design\" block has no section to check; run s16check design");
    if (!designed.empty()) return kExitInput;
    std::size_t file = 0;
    s16app::MemberSource const source = [&]() -> s16app::MemberReader {
        for (; file < streams.size(); ++file)
            if (auto read = streams[file]->Next()) return read;
        return {};
    };
    s16app::SectionCache sections;
    s16app::RunOptions options;
    options.quick = a.quick;
    options.sections = &sections;
    std::function<void(std::size_t, std::size_t)> progress;
    if (isatty(STDERR_FILENO) && total > 1) progress = ShowProgress;
    s16app::ReportOutput output(a.output);
    std::ostream& out = output.Stream();
    bool const json = a.format == "json";
    bool const html = a.format == "html";
    bool const colour = a.format == "text" && a.output.empty() && !a.noColor && isatty(STDOUT_FILENO) &&
                        !std::getenv("NO_COLOR");
    // Every member is written as its check finishes; the HTML page opens
    // with the summary of every member, so its rows and its member sections
    // wait in two temporary files until the end.
    std::unique_ptr<s16app::Spool> rows, sectionsHtml;
    if (html) rows = std::make_unique<s16app::Spool>(), sectionsHtml = std::make_unique<s16app::Spool>();
    std::atomic<bool> formatted{true};
    s16app::RunCounts counts;
    if (json) {
        std::lock_guard<std::timed_mutex> const lock(s16app::OutputLock());
        out << s16app::JsonBegin();
    }
    s16app::CheckStream(
        source, total, options, a.jobs,
        [json, html, colour, &formatted](std::size_t i, s16app::BatchItem const& item) {
            try {
                return json ? s16app::JsonMember(i, item, i == 0)
                            : html ? s16app::HtmlMember(i, item) : s16app::TextMember(i, item, colour);
            } catch (std::exception const&) {
                formatted = false;
                return std::string();
            }
        },
        [&](std::size_t i, s16app::BatchItem const& item, std::string const& text) {
            Tell(item);
            counts.Add(item);
            if (!html) {
                std::lock_guard<std::timed_mutex> const lock(s16app::OutputLock());
                out << text;
                return;
            }
            try {
                rows->Write(s16app::HtmlRow(i, item));
                sectionsHtml->Write(text);
            } catch (std::exception const&) {
                formatted = false;
            }
        },
        progress);
    if (!formatted) {
        Error("the report could not be formatted (out of memory?); no report was written");
        return kExitInput;
    }
    // The summary last: a report cut short never ends like a finished one.
    std::lock_guard<std::timed_mutex> const lock(s16app::OutputLock());
    bool written = true;
    if (html) {
        out << s16app::HtmlHead(counts);
        written = rows->CopyTo(out);
        out << s16app::kHtmlRowsEnd;
        written = sectionsHtml->CopyTo(out) && written;
        out << s16app::kHtmlEnd;
    } else {
        out << (json ? s16app::JsonEnd(total > 0, counts) : s16app::TextEnd(counts));
    }
    if (!written || !output.Commit()) {
        Error(output.Name() + ": cannot be written (a full disk, a file-size limit or a write error); " +
              (a.output.empty() ? "the report is incomplete" : "the file is left as it was"));
        return kExitInput;
    }
    if (counts.errors) return kExitInput;
    return counts.fail ? kExitFail : kExitPass;
}

int RunDesign(DesignArgs const& a) {
    if (OutputIsAnInput(a.output, a.files)) return kExitInput;
    if (!a.catalog.empty()) Corvid::Data::CSection::SetCatalogDirectory(a.catalog);
    // Design holds its members: the report lists them all at the end.
    Streams streams;
    std::size_t total = 0;
    std::mutex mutex;
    std::vector<std::vector<s16app::MemberInput>> read(a.files.size());
    if (!ReadAll(a.files, a.jobs, streams, total, [&](std::size_t f, std::size_t i, s16app::MemberInput&& m) {
            std::lock_guard<std::mutex> const lock(mutex);
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
    if (a.format == "json") s16app::RenderDesignJson(text, items);
    else if (a.format == "html") s16app::RenderDesignHtml(text, items);
    else s16app::RenderDesignText(text, items);
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

}  // namespace

namespace s16app {

int RunCommandLine(int argc, char** argv) {
    CLI::App app{"s16check: checks structural steel members to CSA S16-09 / CSA S16-14"};
    app.set_version_flag("--version", std::string("s16check ") + S16CHECK_VERSION);
    app.require_subcommand(1);

    CheckArgs check;
    auto* checkCmd = app.add_subcommand("check", "Check every member of every member file (JSON)");
    checkCmd->add_option("FILE", check.files, "Member files")->required();
    checkCmd->add_option("--format", check.format, "Output format")
        ->check(CLI::IsMember({"text", "json", "html"}))
        ->capture_default_str();
    checkCmd->add_option("--output", check.output, "Write the output to PATH instead of the standard output");
    checkCmd->add_flag("--quick", check.quick, "Quick check: utilisations only, stopping at the first failure");
    checkCmd->add_option("--catalog", check.catalog, "Section catalogue folder (default: $S16_SECTION_CATALOG)");
    checkCmd->add_option("--jobs", check.jobs, "Members checked in parallel")
        ->check(CLI::Range(1, 256))
        ->capture_default_str();
    checkCmd->add_flag("--no-color", check.noColor, "No colours in the text output");

    DesignArgs design;
    double maxDepth = 0.0, minDepth = 0.0, maxWidth = 0.0, limit = 0.0;
    int top = 0;
    std::string family;
    auto* designCmd = app.add_subcommand("design", "Choose the lightest section of a family for every member");
    designCmd->add_option("FILE", design.files, "Member files")->required();
    auto* familyOpt = designCmd->add_option("--family", family, "Section family: " + s16app::FamilyNames());
    auto* maxDepthOpt =
        designCmd->add_option("--max-depth", maxDepth, "Largest depth, mm")->check(CLI::PositiveNumber);
    auto* minDepthOpt =
        designCmd->add_option("--min-depth", minDepth, "Smallest depth, mm")->check(CLI::PositiveNumber);
    auto* maxWidthOpt =
        designCmd->add_option("--max-width", maxWidth, "Largest width, mm")->check(CLI::PositiveNumber);
    auto* limitOpt = designCmd->add_option("--limit", limit, "Largest governing utilisation accepted (0, 1.5]")
                         ->check(CLI::Range(0.0, 1.5));
    auto* topOpt = designCmd->add_option("--top", top, "Passing sections listed, by mass")->check(CLI::Range(1, 100));
    designCmd->add_option("--format", design.format, "Output format")
        ->check(CLI::IsMember({"text", "json", "html"}))
        ->capture_default_str();
    designCmd->add_option("--output", design.output, "Write the output to PATH instead of the standard output");
    designCmd->add_option("--catalog", design.catalog, "Section catalogue folder (default: $S16_SECTION_CATALOG)");
    designCmd->add_option("--jobs", design.jobs, "Members designed in parallel")
        ->check(CLI::Range(1, 256))
        ->capture_default_str();

    SectionArgs section;
    auto* sectionCmd = app.add_subcommand("section", "Show one section: properties, classes, resistances");
    auto* descriptionOpt =
        sectionCmd->add_option("DESCRIPTION", section.description, "Section description or designation");
    auto* gradeOpt = sectionCmd->add_option("--grade", section.grade, "Steel grade")->capture_default_str();
    auto* codeOpt = sectionCmd->add_option("--code", section.code, "Design code")
                        ->check(CLI::IsMember({"CSA S16-09", "CSA S16-14"}))
                        ->capture_default_str();
    sectionCmd->add_option("--catalog", section.catalog, "Section catalogue folder (default: $S16_SECTION_CATALOG)");
    auto* formatOpt = sectionCmd->add_option("--format", section.format, "Output format")
                          ->check(CLI::IsMember({"text", "json"}))
                          ->capture_default_str();
    // A listing shows no section: what would describe one has no effect.
    auto* listOpt = sectionCmd
                        ->add_option("--list", section.list,
                                     "List the catalogue designations that start with PREFIX, one a line")
                        ->excludes(descriptionOpt)
                        ->excludes(gradeOpt)
                        ->excludes(codeOpt)
                        ->excludes(formatOpt);

    try {
        app.parse(argc, argv);
    } catch (CLI::ParseError const& e) {
        int const code = app.exit(e);
        // Help and version succeed; a command line that cannot be used is
        // input that cannot be read.
        return code == 0 ? kExitPass : kExitInput;
    }
    section.listing = listOpt->count() > 0;
    if (familyOpt->count()) {
        if (!s16app::FamilyOf(family)) {
            Error("--family: unknown family \"" + family + "\" (known: " + s16app::FamilyNames() + ")");
            return kExitInput;
        }
        design.given.family = family;
    }
    if (maxDepthOpt->count()) design.given.maxDepth = maxDepth * 1e-3;
    if (minDepthOpt->count()) design.given.minDepth = minDepth * 1e-3;
    if (maxWidthOpt->count()) design.given.maxWidth = maxWidth * 1e-3;
    if (limitOpt->count()) {
        if (!(limit > 0.0)) {
            Error("--limit: the utilisation limit must be above 0 and at most 1.5");
            return kExitInput;
        }
        design.given.limit = limit;
    }
    if (topOpt->count()) design.given.top = top;
    try {
        if (designCmd->parsed()) return RunDesign(design);
        return checkCmd->parsed() ? RunCheck(check) : RunSection(section);
    } catch (std::exception const& e) {
        Error(e.what());
        return kExitInput;
    }
}

}  // namespace s16app
