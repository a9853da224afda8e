#pragma once
// The restraint vocabulary of member files: words an engineer writes, each
// standing for bits of Corvid::Data::RestraintBits.
#include <string>
#include <vector>

#include "app/JsonInput.h"
#include "app/MemberFile.h"
#include "framework/Section.h"

namespace s16app {

struct RestraintWord {
    char const* word;
    int bits;
    char const* meaning;
};

// Every word, in the order of the README table. Words are matched without
// regard to case, and '_' or ' ' may stand for '-'.
std::vector<RestraintWord> const& RestraintVocabulary();

// Reads a restraint: a word, a list of words (their bits ORed), or
// {"bits": N} with N an integer or a "0x..." string. Unknown words and bits
// outside the defined ones fail with the field's path.
RestraintInput ReadRestraint(Field const& field);

// The restraint word handed to the member for a section of the given shape:
// a channel held by a support shorthand ("pinned", "fixed") gets
// kEndConnection, so that it is checked as a beam and not as a strut
// connected through its web; "web-connected" asks for the strut.
int RestraintBitsFor(RestraintInput const& r, Corvid::Data::CSecGeom::SecShape shape);

}  // namespace s16app
