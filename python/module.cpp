// s16check._core: the member files and sections of the command line, for
// Python. Members are read by the same reader (ReadMemberFile), checked by
// the same runner (CheckStream) and rendered by the same JSON renderer as
// `s16check check --format json`; the package s16check turns the JSON text
// into Python objects.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <sstream>
#include <string>

#include "app/Design.h"
#include "app/MemberFile.h"
#include "app/MemberRunner.h"
#include "app/Render.h"
#include "app/SectionInfo.h"

namespace py = pybind11;

namespace {

// The JSON document of `s16check check --format json` (`--report text` when
// `report`) for the member file `text`, its members checked on `jobs` threads without the GIL. Throws
// InputError for a file that cannot be read and for members that cannot be
// checked (every such member named, one a line).
std::string CheckText(std::string const& text, std::string const& fileName, int jobs, bool quick, bool report) {
    if (jobs < 1 || jobs > 256) throw py::value_error("jobs: give 1 to 256 threads");
    py::gil_scoped_release const release;
    auto const members = s16app::ReadMemberFile(text, fileName, jobs);
    s16app::SectionCache sections;
    s16app::RunOptions options;
    options.quick = quick;
    options.sections = &sections;
    options.text = report;
    options.working = true;
    s16app::JsonStyle const style{false, report};
    s16app::RunCounts counts;
    std::string out = s16app::JsonBegin(), errors;
    s16app::CheckStream(
        members, options, jobs,
        [style](std::size_t i, s16app::BatchItem const& item) { return s16app::JsonMember(i, item, i == 0, style); },
        [&](std::size_t, s16app::BatchItem const& item, std::string const& json) {
            counts.Add(item);
            out += json;
            if (!item.outcome) errors += (errors.empty() ? "" : "\n") + item.error;
        },
        {});
    if (!errors.empty()) throw s16app::InputError(errors);
    return out + s16app::JsonEnd(!members.empty(), counts);
}

// The JSON document of `s16check design --format json` for the member file
// `text`, with the command line's settings in `given`. Throws InputError as
// CheckText does.
std::string DesignText(std::string const& text, std::string const& fileName, int jobs,
                       s16app::DesignInput const& given) {
    if (jobs < 1 || jobs > 256) throw py::value_error("jobs: give 1 to 256 threads");
    py::gil_scoped_release const release;
    auto const members = s16app::ReadMemberFile(text, fileName, jobs);
    s16app::SectionCache sections;
    s16app::FamilyCache families;
    s16app::DesignRun run;
    run.defaults.given = given;
    run.options.sections = &sections;
    run.families = &families;
    auto const items = s16app::DesignAll(members, run, jobs);
    std::string errors;
    for (auto const& item : items)
        if (!item.outcome) errors += (errors.empty() ? "" : "\n") + item.error;
    if (!errors.empty()) throw s16app::InputError(errors);
    std::ostringstream out;
    s16app::RenderDesignJson(out, items);
    return out.str();
}

// The JSON document of `s16check section DESCRIPTION --format json`.
std::string SectionText(std::string const& description, std::string const& grade, std::string const& code) {
    if (code != "CSA S16-09" && code != "CSA S16-14")
        throw s16app::InputError("code: \"" + code + "\" is not a design code (\"CSA S16-09\" or \"CSA S16-14\")");
    py::gil_scoped_release const release;
    std::ostringstream out;
    s16app::RenderSectionJson(out, s16app::DescribeSection(description, grade, code == "CSA S16-14" ? 1 : 0));
    return out.str();
}

}  // namespace

PYBIND11_MODULE(_core, m) {
    m.doc() = "The engine behind the s16check package (use s16check.check, s16check.section).";
    py::register_exception<s16app::InputError>(m, "InputError", PyExc_ValueError);
    m.def("check_text", &CheckText, py::arg("text"), py::arg("file_name"), py::arg("jobs") = 1,
          py::arg("quick") = false, py::arg("report") = false,
          "The JSON output of `s16check check --format json` (with `--report text` when `report`) for a member "
          "file's text.");
    m.def(
        "design_text",
        [](std::string const& text, std::string const& fileName, int jobs, std::optional<std::string> family,
           std::optional<double> maxDepth, std::optional<double> minDepth, std::optional<double> maxWidth,
           std::optional<double> limit, std::optional<int> top) {
            s16app::DesignInput given;
            given.family = family;
            // mm, as on the command line
            if (maxDepth) given.maxDepth = *maxDepth * 1e-3;
            if (minDepth) given.minDepth = *minDepth * 1e-3;
            if (maxWidth) given.maxWidth = *maxWidth * 1e-3;
            given.limit = limit;
            given.top = top;
            return DesignText(text, fileName, jobs, given);
        },
        py::arg("text"), py::arg("file_name"), py::arg("jobs"), py::arg("family"), py::arg("max_depth"),
        py::arg("min_depth"), py::arg("max_width"), py::arg("limit"), py::arg("top"),
        "The JSON output of `s16check design --format json` for a member file's text.");
    m.def("section_text", &SectionText, py::arg("description"), py::arg("grade"), py::arg("code"),
          "The JSON output of `s16check section --format json`.");
    m.attr("__version__") = S16CHECK_VERSION;
}
