#pragma once
// Design: the lightest section of a family that passes a member's checks.
//
// Every section of the family (a catalogue's rows, or for hollow sections
// the CSA G40.20 sizes below when no catalogue holds the family) that fits
// the dimension limits is tried in order of mass with the quick check; the
// first whose governing utilisation is at most the limit is chosen and
// checked in full.
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/MemberFile.h"
#include "app/MemberRunner.h"

namespace s16app {

class Field;

enum class Family { W, HP, C, MC, WT, L, HssRect, HssSquare, HssRound };

// "W", "HP", "C", "MC", "WT", "L", "HSS-rect", "HSS-square", "HSS-round".
std::string FamilyName(Family f);
// The family of a name (case ignored); nothing for an unknown name.
std::optional<Family> FamilyOf(std::string const& name);
// Every family name, ", "-separated, for messages.
std::string FamilyNames();

// Reads a member file's "design" block: {"family", "max_depth", "min_depth",
// "max_width" (mm), "limit", "top", "self_weight", "self_weight_factor"}.
DesignInput ReadDesignBlock(Field const& field);

// One section of a family: its name, mass (kg/m, from the gross area and
// 7850 kg/m^3) and its depth and width (m).
struct Candidate {
    std::string name;
    double mass = 0.0;
    double depth = 0.0, width = 0.0;
    std::string problem;  // why the section cannot be read (it is listed as skipped)
};

// The sections of each family, read once per run and shared by every member
// and thread, in order of mass. Throws InputError naming `where` when the
// family has no section (no catalogue, or a catalogue without the family).
// The sections read go into `sections` (may be null), where the checks find
// them.
class FamilyCache {
public:
    std::vector<Candidate> const& Get(Family f, std::string const& where, SectionCache* sections);

private:
    std::mutex m_mutex;
    std::map<Family, std::vector<Candidate>> m_families;
};

// The CSA G40.20 sizes searched for a hollow-section family when no
// catalogue holds it (see the README).
std::vector<std::string> G40Sizes(Family f);

// One section tried: its governing utilisation and check.
struct DesignRow {
    std::string section;
    double mass = 0.0;
    double utilisation = 0.0;
    std::string governing;  // the utilisation kind that governs
    bool pass = false;      // every case passes and the utilisation is at most the limit
};

struct DesignOutcome {
    std::string where;
    std::string title;
    std::string family;
    double limit = 1.0;
    std::size_t candidates = 0;  // sections of the family within the dimension limits
    std::size_t tried = 0;       // sections checked
    std::optional<DesignRow> chosen;
    std::optional<MemberOutcome> result;                       // the full check of the chosen section
    std::vector<DesignRow> lighterFailing;                     // the next lighter sections that fail, heaviest first
    std::vector<DesignRow> passing;                            // the lightest passing sections, by mass
    std::vector<std::pair<std::string, std::string>> skipped;  // section, why it could not be checked
    std::vector<std::string> warnings;
};

// The command line's settings, applied to members without the field in
// their "design" block (a field given both ways with another value is an error).
struct DesignDefaults {
    DesignInput given;
    std::size_t top = 3;
};

struct DesignRun {
    DesignDefaults defaults;
    RunOptions options;  // text for the chosen section's report; its section cache
    FamilyCache* families = nullptr;
};

// Designs one member. Throws InputError naming the member and field for bad
// input (no family, an unknown family, limits that exclude every section).
DesignOutcome DesignMember(MemberInput const& input, DesignRun const& run);

// The member with its own weight added as a uniform load in the plane of
// the web, w = factor x mass x g, to each case given with loads; the
// warnings name the cases given as actions at points, which stay unchanged.
MemberInput WithSelfWeight(MemberInput const& input, double massKgPerM, double factor,
                           std::vector<std::string>& warnings);

struct DesignItem {
    std::optional<DesignOutcome> outcome;
    std::string error;
};

// Designs members on `jobs` threads; items in input order.
std::vector<DesignItem> DesignAll(std::vector<MemberInput> const& members, DesignRun const& run, int jobs);

void RenderDesignText(std::ostream& out, std::vector<DesignItem> const& items);
void RenderDesignJson(std::ostream& out, std::vector<DesignItem> const& items);
void RenderDesignHtml(std::ostream& out, std::vector<DesignItem> const& items);

}  // namespace s16app
