#pragma once
// Section catalogue: handbook designations read from CSV files.
#include <string>

#include "Section.h"

namespace Corvid::Data::detail {

// Finds a designation (case of letters and 'x'/'X' ignored) in the catalogue
// folder. On success fills shape, dims (m) and the designation as written in
// the catalogue. On failure throws std::invalid_argument naming the problem.
void LookUpCatalog(std::wstring const& designation, std::string const& dir, CSecGeom::SecShape& shape,
                   CSectionDims& dims, std::wstring& name);

}  // namespace Corvid::Data::detail
