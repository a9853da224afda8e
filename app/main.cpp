// s16check: checks steel members to CSA S16 from member files.
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
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "app/Design.h"
#include "app/MemberFile.h"
#include "app/MemberRunner.h"
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

void Error(std::string const& message) { std::cerr << "s16check: " << message << "\n"; }
// An error of a member, or the warnings of a checked member.
void Tell(s16app::BatchItem const& item) {
    if (!item.outcome) Error(item.error);
    else
        for (auto const& w : item.outcome->warnings) Error("warning: " + w);
}

// Reads every file; all problems are told before giving up.
bool ReadAll(std::vector<std::string> const& files, int jobs, std::vector<s16app::MemberInput>& members) {
    bool ok = true;
    for (auto const& name : files) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        if (!in || in.bad()) {
            Error(name + ": cannot be read");
            ok = false;
            continue;
        }
        try {
            auto read = s16app::ReadMemberFile(text.str(), name, jobs);
            for (auto& m : read) members.push_back(std::move(m));
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

// Writes the output to PATH, or to stdout when PATH is empty.
bool Emit(std::string const& text, std::string const& path) {
    if (path.empty()) {
        std::cout << text << std::flush;
        return static_cast<bool>(std::cout);
    }
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) Error(path + ": cannot be written");
    return static_cast<bool>(out);
}

int RunCheck(CheckArgs const& a) {
    if (!a.catalog.empty()) Corvid::Data::CSection::SetCatalogDirectory(a.catalog);
    std::vector<s16app::MemberInput> members;
    if (!ReadAll(a.files, a.jobs, members)) return kExitInput;
    bool designed = false;
    for (auto const& m : members)
        if (m.design) {
            Error(s16app::Where(m, "design") + ": a member with a \"design\" block has no section to check; "
                                               "run s16check design");
            designed = true;
        }
    if (designed) return kExitInput;
    s16app::SectionCache sections;
    s16app::RunOptions options;
    options.quick = a.quick;
    options.sections = &sections;
    std::function<void(std::size_t, std::size_t)> progress;
    if (isatty(STDERR_FILENO) && members.size() > 1) progress = ShowProgress;
    if (a.format == "html") {
        // The page opens with the summary of every member: written at the end.
        auto const items = s16app::CheckAll(members, options, a.jobs, progress);
        for (auto const& item : items)
            Tell(item);
        std::ostringstream out;
        s16app::RenderHtml(out, items);
        if (!Emit(out.str(), a.output)) return kExitInput;
        auto const counts = s16app::Count(items);
        if (counts.errors) return kExitInput;
        return counts.fail ? kExitFail : kExitPass;
    }
    // Text and JSON are written member by member as the checks finish.
    std::ofstream file;
    std::vector<char> buffer(1 << 20);  // whole members per write
    if (!a.output.empty()) {
        file.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        file.open(a.output, std::ios::binary);
        if (!file) {
            Error(a.output + ": cannot be written");
            return kExitInput;
        }
    }
    std::ostream& out = a.output.empty() ? std::cout : file;
    bool const json = a.format == "json";
    bool const colour = !json && a.output.empty() && !a.noColor && isatty(STDOUT_FILENO) && !std::getenv("NO_COLOR");
    s16app::RunCounts counts;
    if (json) out << s16app::JsonBegin();
    s16app::CheckStream(
        members, options, a.jobs,
        [json, colour](std::size_t i, s16app::BatchItem const& item) {
            return json ? s16app::JsonMember(i, item, i == 0) : s16app::TextMember(i, item, colour);
        },
        [&out, &counts](std::size_t, s16app::BatchItem const& item, std::string const& text) {
            Tell(item);
            counts.Add(item);
            out << text;
        },
        progress);
    out << (json ? s16app::JsonEnd(!members.empty(), counts) : s16app::TextEnd(counts)) << std::flush;
    if (!out) {
        Error((a.output.empty() ? std::string("standard output") : a.output) + ": cannot be written");
        return kExitInput;
    }
    if (counts.errors) return kExitInput;
    return counts.fail ? kExitFail : kExitPass;
}

int RunDesign(DesignArgs const& a) {
    if (!a.catalog.empty()) Corvid::Data::CSection::SetCatalogDirectory(a.catalog);
    std::vector<s16app::MemberInput> members;
    if (!ReadAll(a.files, a.jobs, members)) return kExitInput;
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
    std::ostringstream out;
    if (a.format == "json") s16app::RenderDesignJson(out, items);
    else if (a.format == "html") s16app::RenderDesignHtml(out, items);
    else s16app::RenderDesignText(out, items);
    if (!Emit(out.str(), a.output)) return kExitInput;
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
            std::string out;
            for (auto const& n : names) out += n + "\n";
            return Emit(out, "") ? kExitPass : kExitInput;
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
        return Emit(out.str(), "") ? kExitPass : kExitInput;
    } catch (s16app::InputError const& e) {
        Error(e.what());
        return kExitInput;
    }
}

}  // namespace

int main(int argc, char** argv) {
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
