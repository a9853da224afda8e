#pragma once
// The opening block of every member's calculation: who, what and when (the
// title block), the input in plain words, and the governing result of each
// check. Filled by CheckMember; every output format renders it.
#include <cstdint>
#include <limits>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace s16app {

class JsonDoc;

struct MemberInput;
struct MemberOutcome;

// How much of the calculation a report shows (--detail).
enum class Detail {
    Summary,  // title block, input, table of checks
    Normal,   // + per span the span table and the working of each governing check, once
    Full      // + the complete step-by-step report
};

// What the run adds to every member's title block.
struct RunInfo {
    std::string project;   // --project (overrides the member file's "project")
    std::string engineer;  // --engineer (overrides the member file's "engineer")
    std::string date;      // YYYY-MM-DD
};

struct TitleBlock {
    std::string project, engineer;  // empty when not given
    std::string member;             // "Member 2: title" / where
    std::string date;               // YYYY-MM-DD
    std::string version;            // s16check version
    std::string revision;           // source revision the program was built from ("" when unknown)
    std::string inputHash;          // hash of the member's input, hex
};

// The governing result of one check (one utilisation kind).
struct CheckRow {
    // the texts view static text (no heap block a row)
    std::string_view check;                                        // "local major-axis moment"
    std::string_view clause;                                       // "CSA S16-09 cl. 13.5"
    std::string_view demandSymbol, resistanceSymbol;               // "Mfx", "Mrx"; empty for an interaction
    double demand = std::numeric_limits<double>::quiet_NaN();      // SI (N, N.m); NaN when not one number
    double resistance = std::numeric_limits<double>::quiet_NaN();  // SI; NaN when not one number
    std::string_view unit;                                 // display unit of demand and resistance: "kN", "kN*m"
    double util = 0.0;                                     // +infinity: no resistance
    double at = std::numeric_limits<double>::quiet_NaN();  // m: the governing station or span start
    bool pass = true;
    bool governing = false;  // the member's governing check
};

struct MemberSummary {
    TitleBlock title;
    std::vector<std::string> input;  // the input in plain words, one line each
    std::vector<CheckRow> checks;    // in UtilKind order, the set kinds only
    // false: a quick check stopped at the first failure, so only the
    // failing checks it reached are listed (each at least the value shown)
    bool complete = true;
};

// The summary of a checked member (its governing case); `run` may be null.
// The input in words only with `words` (the text and HTML reports show it).
MemberSummary Summarise(MemberInput const& input, MemberOutcome const& outcome, RunInfo const* run, bool words);

// The hash of a member's input: FNV-1a 64 (16 hex digits) of the compact
// JSON text, keys sorted, of {"file": fileLevel, "member": member}, where
// fileLevel holds the file-level "units" and "moment_sign" ({} for a file of
// one member). The same member text gives the same hash in any file whose
// file-level fields are the same.
// `node`: the member's value in `member` (its root, 0, as read).
std::string InputHash(JsonDoc const& member, std::uint32_t node, JsonDoc const& fileLevel);

// The date of a run, YYYY-MM-DD (UTC): SOURCE_DATE_EPOCH (seconds since
// 1970) when set, so that reports can be reproduced; today otherwise.
std::string RunDate();

// The source revision s16check was built from (git describe at configure
// time; "unknown" outside a git checkout).
std::string SourceRevision();

}  // namespace s16app
