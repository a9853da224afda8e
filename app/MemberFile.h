#pragma once
// Member files: the JSON a structural engineer writes for s16check, read into
// plain records in SI units (m, N, N.m, Pa).
//
// A file holds one member object, or {"members": [...]} (with an optional
// "units" object that applies to every member). The fields of a member:
//   title, code ("CSA S16-09" | "CSA S16-14"), section (description or
//   designation), grade (name, or {"name", "Fy", "Fu"} in MPa),
//   net_area_ratio, effective_net_area_ratio, units ({"length": "m"|"mm",
//   "force": "kN"|"N", "moment"}), moment_sign, points ([{"x", "restraint",
//   "load"}]; "height" is refused: only a destabilizing load counts),
//   subspans ([{"left", "right", "loads", "transverse_load", "destabilizing",
//   "continuous_restraint"}]) or stations ([{"x", actions}]) or cases
//   ([{"name", "subspans" | "stations"}]), effective_lengths ({"Lyy", "Lzz",
//   "Llt"}; a length above 0 and below 1 mm is refused), omega2 (1.0 to 2.5),
//   project, engineer (for the title block; also at the file level).
// A free "comment" (text) may stand on the file, a member, a point, a
// sub-span, a station and a case; "$schema" (text) at the top of the file.
// schema/member.schema.json describes the same.
// Actions {"N", "Vx", "Vy", "T", "Mx", "My"}: N tension positive; Vy the
// shear along the web (with Mx), Vx the shear across it (with My); a
// negative Mx compresses the top flange.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Loads.h"
#include "framework/Restraint.h"
#include "framework/SteelGrade.h"

namespace s16app {

// Input that cannot be read or a member that cannot be checked. what() names
// the file, the member and the field: "beam.json: members[2].points[1].x:
// positions must increase". A null character (a JSON key or string may hold
// one) is written as \u0000: what() is read as C text, which would end there.
class InputError : public std::runtime_error {
public:
    explicit InputError(std::string const& what) : std::runtime_error(Visible(what)) {}

private:
    static std::string Visible(std::string const& s) {
        if (s.find('\0') == std::string::npos) return s;
        std::string out;
        for (char const c : s) c == '\0' ? out += "\\u0000" : out += c;
        return out;
    }
};

// Forces in N, moments in N.m.
struct Actions {
    double N = 0.0;   // axial force, tension positive
    double Vx = 0.0;  // shear across the web (acts with My)
    double Vy = 0.0;  // shear along the web (acts with Mx)
    double T = 0.0;   // torsion
    double Mx = 0.0;  // major-axis moment; negative compresses the top flange
    double My = 0.0;  // minor-axis moment
};

// A restraint as written: the bits of its words (or the raw word), and
// whether a support shorthand asks for the end connection that keeps a
// channel a beam (see RestraintBitsFor).
struct RestraintInput {
    int bits = 0;
    bool channelEndConnection = false;
};

struct PointInput {
    double x = 0.0;  // m from the member's origin
    RestraintInput restraint;
    Corvid::Data::LoadPos load = Corvid::Data::LoadAtShearCentre;
};

// Actions given at a position inside a sub-span (a station list): just left
// and just right of it (equal unless two stations share the position).
struct StationInput {
    double x = 0.0;  // m from the member's origin
    Actions before, after;
};

struct SubSpanInput {
    Actions left, right;     // right: computed from the loads when not given
    bool loadMajor = false;  // transverse load in the plane of the web
    bool loadMinor = false;  // transverse load across the web
    bool destabilizing = false;
    RestraintInput continuous;
    std::vector<LoadInput> loads;        // positions from the sub-span's left end
    std::vector<StationInput> stations;  // interior stations of a station list
};

struct LoadCase {
    std::string name;  // empty for a member given with "subspans"
    std::vector<SubSpanInput> subspans;
    bool stations = false;  // given as a station list
};

struct GradeInput {
    std::string name;
    bool userDefined = false;
    double Fy = 0.0, Fu = 0.0;  // Pa, user-defined grades only
};

struct EffectiveLengths {
    double Lyy = 0.0, Lzz = 0.0, Llt = 0.0;  // m; negative: a multiple of the member length
};

// A member's "design" block (s16check design): what is given, unchecked
// against the command line. Dimensions in m.
struct DesignInput {
    std::optional<std::string> family;
    std::optional<double> maxDepth, minDepth, maxWidth;
    std::optional<double> limit;  // the largest governing utilisation accepted, (0, 1.5]
    std::optional<int> top;       // how many passing sections to list
    bool selfWeight = false;
    std::optional<double> selfWeightFactor;  // the load factor of the own weight (default 1.25)
};

struct MemberInput {
    std::string fileName;  // as given on the command line
    std::string path;      // "members[2]" or "" for a file of one member
    std::string title;
    int code = 0;  // 0 "CSA S16-09", 1 "CSA S16-14"
    std::string section;
    GradeInput grade;
    std::optional<double> netAreaRatio;
    std::optional<double> effectiveNetAreaRatio;
    std::vector<PointInput> points;
    std::vector<LoadCase> cases;  // one unnamed case for "subspans"
    bool namedCases = false;      // given as "cases"
    std::optional<EffectiveLengths> effectiveLengths;
    std::optional<double> omega2;
    std::string units;                  // the units in force, as the report echoes them
    std::optional<DesignInput> design;  // "design": chosen by s16check design (no "section" then)
    std::string project, engineer;      // "project", "engineer" (the member's, else the file's)
    std::string inputHash;              // InputHash of the member's JSON with the file-level fields
};

// "beam.json: members[2].section" for a field of the member (the member
// itself when field is empty).
std::string Where(MemberInput const& member, std::string const& field);

// The code name of a member ("CSA S16-09" / "CSA S16-14").
std::string CodeName(int code);

// Reads every member of a file. Throws InputError on anything malformed:
// bad JSON, unknown or duplicate fields, wrong types, non-finite numbers, an
// unknown grade or restraint word, fewer than two points, positions not
// increasing, a number of sub-spans other than points - 1.
std::vector<MemberInput> ReadMemberFile(std::string const& jsonText, std::string const& fileName);
// The same with the members of a list read on up to `jobs` threads (the
// result and the error reported are those of the one-thread reading).
std::vector<MemberInput> ReadMemberFile(std::string const& jsonText, std::string const& fileName, int jobs);

// A built-in grade by name, made once per thread and name (a grade's name
// is matched against every built-in one). Throws std::invalid_argument as
// CSteelGrade does. The reference holds until the next call on the thread.
Corvid::Steel::CSteelGrade const& NamedGrade(std::string const& name);

// Reads one member (throws InputError when it cannot be read).
using MemberReader = std::function<MemberInput()>;

// A member file read as a stream, twice: once whole to find every problem
// before anything is checked, then member by member. Memory holds a few
// members, never the file. The FILE "-" is the standard input, kept in an
// unnamed temporary file for the second reading.
class MemberStream {
public:
    // `text`: the file's text in memory (kept by the caller), or null to
    // read the file.
    explicit MemberStream(std::string const& file, std::string const* text = nullptr);
    ~MemberStream();
    MemberStream(MemberStream const&) = delete;
    MemberStream& operator=(MemberStream const&) = delete;

    // Reads the whole file, the members on `jobs` threads, and throws the
    // InputError that ReadMemberFile would. Each member read is given to
    // `each` (may be empty) with its index, on the thread that read it.
    // Returns the number of members.
    std::size_t Validate(int jobs, std::function<void(std::size_t, MemberInput&&)> const& each);
    // After Validate: the next member, in order, as a reader to call on the
    // thread that checks it (while the stream lives); an empty function
    // after the last.
    MemberReader Next();

private:
    struct Impl;
    std::unique_ptr<Impl> m_;
};

}  // namespace s16app
