#pragma once
// The drawings of a member's HTML calculation as inline SVG: the section to
// scale, the member with its points and restraints, the diagrams of actions
// and the utilisations as bars against 1.0. Each writes one <svg> element
// (or a paragraph saying why there is none).
#include <ostream>
#include <string>
#include <vector>

#include "app/MemberRunner.h"

namespace s16app {

// The cross-section to scale with its main dimensions in mm.
void SectionSvg(std::ostream& out, MemberDrawing const& d);

// The member as a line: each point with its restraint symbol, name and
// position, and a legend of the symbols drawn.
void MemberSvg(std::ostream& out, MemberDrawing const& d);

// The Mx, My and N diagrams along the member, one <svg> each; an action that
// is zero everywhere is said in words instead.
void ActionsSvg(std::ostream& out, MemberDrawing const& d, std::vector<ActionStation> const& actions);

// A labelled bar per utilisation against the line 1.0, in groups (a group
// title, then its bars); an unbounded utilisation (+infinity) fills the bar.
struct Bar {
    std::string label;
    double util = 0.0;
};
struct BarGroup {
    std::string title;
    std::vector<Bar> bars;
};
void BarsSvg(std::ostream& out, std::vector<BarGroup> const& groups);

}  // namespace s16app
