#pragma once
// Section catalogue: handbook designations read from CSV files, and hollow
// sections built from their CSA G40.20 names.
#include <memory>
#include <string>
#include <vector>

#include "Section.h"

namespace Corvid::Data::detail {

// Largest dimension a description or a catalogue row may give, mm (1 km):
// far beyond it the second moments and the warping constant overflow.
constexpr double kMaxDimensionMm = 1e6;

// A broken rule: why, and the dimension it names ("R", "t" ...; empty: none).
struct Problem {
    std::string why;
    std::string field;
};

// The rules every section's dimensions (m, positive) obey, descriptions and
// catalogue rows alike. An empty why: the dimensions are sound.
Problem DimensionProblem(CSecGeom::SecShape shape, CSectionDims const& dims);

// The geometry of a shape with these dimensions (null for shapes without one:
// plate, round bar).
std::shared_ptr<Corvid::Steel::CDesSectGeom> BuildGeometry(CSecGeom::SecShape shape, CSectionDims const& dims);

// What a designation stands for.
struct CatalogEntry {
    CSecGeom::SecShape shape = CSecGeom::None;
    CSectionDims dims;
    std::wstring name;  // as the catalogue spells it, or the normalised G40.20 name
    CTabulatedProps tab;
};

// Resolves a designation (letter case ignored): the catalogue row of that
// name, else a hollow section by its CSA G40.20 name, else the catalogue row
// of the same shape and depth whose mass rounds to the designation's whole
// mass. Throws std::invalid_argument naming the problem (an unknown name with
// up to three nearest catalogue names; a catalogue that is not sound).
CatalogEntry ResolveDesignation(std::wstring const& designation, std::string const& dir);

// The catalogue's designations that start with prefix (case ignored), in the
// order of the files. Throws std::invalid_argument as ResolveDesignation.
std::vector<std::string> CatalogNames(std::string const& dir, std::string const& prefix);

}  // namespace Corvid::Data::detail
