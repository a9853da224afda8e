#pragma once
// The member as the module checks it for one load case: the user's points
// and, between them, stations (unrestrained points) where the diagram of
// actions needs them: point loads, zeros of the shear (moment peaks), the
// ends of pieces of a station list, and the quarter points of every
// lateral-torsional segment. The module interpolates actions linearly
// between points, so these make its checks those of the true diagram.
#include <string>
#include <vector>

#include "app/Markup.h"
#include "app/MemberFile.h"
#include "framework/SectGeom.h"
#include "framework/SteelMember.h"

namespace s16app {

struct CaseModel {
    std::vector<Corvid::Steel::CMemberPoint> points;
    std::vector<Corvid::Steel::CSubSpan> subSpans;
    std::vector<int> userSubSpan;       // the input's sub-span of each module sub-span
    CaseReport notes;                   // report lines (only when text is wanted)
    std::vector<std::string> warnings;  // "field: why", the field under the member
};

// Builds the case `index` of the member; `member` must hold the section (it
// is asked for the lateral-torsional segments, and left with the case's
// points and sub-spans set).
CaseModel BuildCase(Corvid::Steel::CSteelMemberGen& member, MemberInput const& input, std::size_t index,
                    Corvid::Data::CSecGeom::SecShape shape, bool text);

}  // namespace s16app
