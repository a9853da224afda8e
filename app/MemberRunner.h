#pragma once
// Checks members through the design module, as a host does: a member object
// from NewCode, filled through its virtual interface, checked case by case.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Markup.h"
#include "app/MemberFile.h"
#include "app/Summary.h"
#include "framework/MemberResult.h"
#include "framework/ResultFlags.h"
#include "framework/Section.h"

namespace s16app {

// Sections read once per run: members that name the same section share its
// description and geometry (read-only, so threads may share them).
class SectionCache {
public:
    SectionCache();
    // The section of the description, read on first use; throws
    // std::invalid_argument (every time) for a description that cannot be read.
    std::shared_ptr<Corvid::Data::CSection const> Get(std::string const& description);

private:
    struct Slot {
        std::shared_ptr<Corvid::Data::CSection const> section;
        std::string error;
    };
    std::mutex m_mutex;
    std::map<std::string, Slot> m_slots;
    std::uint64_t m_id = 0;  // this cache among those of the process (none alike)
};

struct RunOptions {
    bool quick = false;                // QuickCheck: utilisations only, stops at the first failure
    bool text = true;                  // collect the report (off: utilisations only, for batches)
    SectionCache* sections = nullptr;  // optional: sections shared by the members of a run
    // With text and governingReportOnly: which entries of the governing
    // case's report get their text: every one (Full), those where a
    // governing check is worked (Normal, see GoverningPlaces; found by a
    // check without text first), none (Summary; the case's notes stay).
    Detail detail = Detail::Full;
    RunInfo const* run = nullptr;  // optional: what the run adds to the title block
    bool working = false;          // also without text: the span working and the section's resistances (not quick)
    // With text, of a member with more than one case: only the governing
    // case keeps its report (and the actions along it); the others are
    // checked without, then the governing one again with it (text, HTML).
    bool governingReportOnly = false;
};

// One entry of the result: 0 the input, k + 1 sub-span k, n + 1 the member
// buckling checks.
struct EntryOutcome {
    enum Kind { Input, Local, Buckling };
    int index = 0;
    Kind kind = Input;
    int subspan = -1;             // Local entries only: the input's sub-span
    double from = 0.0, to = 0.0;  // Local entries only: the module sub-span's ends, m
    // The utilisations set in the entry, in UtilKind order.
    std::vector<std::pair<Corvid::Steel::UtilKind, double>> utils;
    // Behind each of `utils`: the demand, the resistance and the station
    // (SI; NaN when the module gave none, see CResultEntry::demand).
    struct Figures {
        double demand, resistance, at;
    };
    std::vector<Figures> figures;
};

// The working of one member buckling span (SI units: m, N, N.m).
// Its texts view static text (no heap block a span).
struct SpanWorking {
    std::string_view kind;  // "lateral-torsional", "major-axis", "minor-axis"
    double from = 0.0, to = 0.0;
    double Le = 0.0;
    std::string_view lengthRule;  // how Le was found
    double slenderness = 0.0;     // KL/r (axial spans)
    double Cu = 0.0, Cr = 0.0;    // axial spans
    double omega2 = 0.0;          // lateral-torsional spans
    std::string_view omega2Rule;
    double Mu = 0.0, Mr = 0.0, Mf = 0.0;  // lateral-torsional spans
    std::string_view flange;              // the compression flange: "top", "bottom", "both" (lateral-torsional)
    double governingX = 0.0;              // the station of the largest |Mx| (lateral-torsional) or compression
    double util = 0.0;
};

// The actions at one station of a case's model, for its diagrams (N, N.m).
struct ActionStation {
    double x = 0.0;  // m from the member's origin
    double N = 0.0, Mx = 0.0, My = 0.0;
};

// What the drawings of a member need besides its cases (whose actions give
// the diagrams); filled with text only.
struct MemberDrawing {
    struct Point {
        double x = 0.0;         // m
        int bits = 0;           // the restraint bits as written
        std::string restraint;  // in words: "pinned", "braced + warping"
    };
    int shape = 0;                    // Corvid::Data::CSecGeom::SecShape
    Corvid::Data::CSectionDims dims;  // m
    std::vector<Point> points;
};

struct CaseOutcome {
    std::string name;
    bool checked = false;      // what Check (or QuickCheck) returned
    bool pass = false;         // checked, utilisation at most 1 and no failure flag
    double utilisation = 0.0;  // the overall (largest) utilisation
    std::uint32_t flags = 0;
    // false when every override effective length is 0 (cross-section checks only)
    bool bucklingChecked = true;
    std::vector<EntryOutcome> entries;
    // The largest utilisation of each kind that was set anywhere.
    std::vector<std::pair<Corvid::Steel::UtilKind, double>> maxima;
    CaseReport report;  // empty without text
    // report[entryStart[i]] is the first line of entry i (with text; the
    // notes of the case come before entry 0).
    std::vector<std::size_t> entryStart;
    std::vector<SpanWorking> spans;      // empty without text or RunOptions::working
    std::vector<ActionStation> actions;  // left to right; empty without text
};

struct MemberOutcome {
    std::string where;  // "beam.json: members[2]"
    std::string title;
    std::string code;
    std::string section;  // the section's name (designation or normalised description)
    std::string grade;
    double Fy = 0.0, Fu = 0.0;          // Pa, of the grade at the section's thickness
    std::string units;                  // the units of the member file, as echoed
    std::vector<std::string> warnings;  // "beam.json: members[0].subspans[1]: ..." (once each)
    // The section's classes (overall, axial, major, minor) and resistances
    // (Tr, Cr at K = 0, Mrx, Mry, Vr_major, Vr_minor), N and N.m; with text or RunOptions::working.
    std::vector<std::pair<std::string, int>> classes;
    std::vector<std::pair<std::string, double>> resistances;
    std::vector<CaseOutcome> cases;
    std::size_t governing = 0;  // index of the case with the largest utilisation
    bool namedCases = false;
    MemberSummary summary;  // title block, input in words, table of checks (of the governing case)
    MemberDrawing drawing;  // with text only

    CaseOutcome const& Governing() const { return cases[governing]; }
    bool Pass() const;  // every case passes
};

// A place of a case's report where governing checks are worked: an entry,
// and for a sub-span the station (NaN for the member buckling).
struct GoverningPlace {
    std::size_t entry;
    double at;
    std::vector<std::size_t> rows;  // the maxima (CaseOutcome::maxima) it governs
};

// Which entry and station govern each maximum above 0: (entry, at) ->
// maxima, in the order first met; `idle` when a maximum is 0.
std::vector<GoverningPlace> GoverningPlaces(CaseOutcome const& g, bool& idle);
// Whether a sub-span's working for a governing place is that of its right
// end: a station past its left end.
bool WorkedAtRightEnd(EntryOutcome const& entry, GoverningPlace const& w);
// The parts of the place's entry whose text its working shows
// (Corvid::Steel::TextPart bits): an end of a sub-span, the blocks of the
// member buckling checks it governs.
char WorkedParts(CaseOutcome const& g, GoverningPlace const& w);

// Builds the member and checks every case. Throws InputError naming the
// member and field when it cannot be checked (unknown designation, a shape
// no calculator handles, the module giving no member object).
// The section catalogue is the one set by CSection::SetCatalogDirectory.
MemberOutcome CheckMember(MemberInput const& input, RunOptions const& options);

// The result of one member of a batch: its outcome or why it could not be
// checked.
struct BatchItem {
    std::optional<MemberOutcome> outcome;
    std::string error;
};

// Checks members on `jobs` threads (each member on one thread); the items
// come back in input order whatever the number of threads. `progress` (may
// be empty) is called, from one thread at a time, after each member.
std::vector<BatchItem> CheckAll(std::vector<MemberInput> const& members, RunOptions const& options, int jobs,
                                std::function<void(std::size_t done, std::size_t total)> const& progress);

// The members of a run, in order: each call gives the next one, or an empty
// reader after the last. Called from one thread at a time.
using MemberSource = std::function<MemberReader()>;
// The members of a list (which outlives the source).
MemberSource ListSource(std::vector<MemberInput> const& members);

// Checks members on `jobs` threads like CheckAll, without keeping them: a
// worker takes the next member of `source` (`total` of them, for
// `progress`), reads it, checks it and gives it to `render` (may be empty)
// for its output text; `emit` then receives every member with its text in
// input order, on one thread at a time, as soon as all before it are done.
// Only a few members per worker are held at any time (with a `render`, the
// members reach `emit` without their report lines). `progress` is called
// from one thread at a time.
void CheckStream(MemberSource const& source, std::size_t total, RunOptions const& options, int jobs,
                 std::function<std::string(std::size_t index, BatchItem const& item)> const& render,
                 std::function<void(std::size_t index, BatchItem const& item, std::string const& text)> const& emit,
                 std::function<void(std::size_t done, std::size_t total)> const& progress);
inline void CheckStream(std::vector<MemberInput> const& members, RunOptions const& options, int jobs,
                        std::function<std::string(std::size_t, BatchItem const&)> const& render,
                        std::function<void(std::size_t, BatchItem const&, std::string const&)> const& emit,
                        std::function<void(std::size_t, std::size_t)> const& progress) {
    CheckStream(ListSource(members), members.size(), options, jobs, render, emit, progress);
}

// Flag bits that mean a check failed (a failure or a section not handled).
// The slenderness bits need not be here: KL/r above 200 in compression
// (CSA S16-09 cl. 10.4.2.1) comes with its axis's buckling bit, and L/r above
// 300 in tension (cl. 10.4.2.2) is a warning.
inline constexpr std::uint32_t kFailureFlags =
    Corvid::Steel::ResultFlags::kFailure | Corvid::Steel::ResultFlags::kSectionNotHandled |
    Corvid::Steel::ResultFlags::kInteractionFailure | Corvid::Steel::ResultFlags::kLateralTorsionalBuckling |
    Corvid::Steel::ResultFlags::kMajorAxisBuckling | Corvid::Steel::ResultFlags::kMinorAxisBuckling |
    Corvid::Steel::ResultFlags::kAxialFailure | Corvid::Steel::ResultFlags::kMajorMomentFailure |
    Corvid::Steel::ResultFlags::kMinorMomentFailure | Corvid::Steel::ResultFlags::kMajorShearOnStrut |
    Corvid::Steel::ResultFlags::kMinorShearOnStrut | Corvid::Steel::ResultFlags::kTorsionalBuckling |
    Corvid::Steel::ResultFlags::kFlexuralTorsionalBuckling;

// Why the buckling checks of a case did not run (see CaseOutcome::bucklingChecked).
inline constexpr char kBucklingNotChecked[] = "all effective lengths overridden to 0 (cross-section checks only)";

// Names of the bits of a flag word, in bit order, from
// ResultFlags::kResultFlagNames ("section-not-handled", "class4-web" ...; a
// bit without a name as "0x...").
std::vector<std::string> FlagNames(std::uint32_t flags);

}  // namespace s16app
