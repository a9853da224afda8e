#pragma once
// The shape calculator of a section shape, the one place that pairs them.
#include <memory>

#include "framework/Section.h"
#include "section/CSA_S16_09Section.h"

namespace Corvid::Steel::SteelCSAS1609 {

// A new, empty calculator for the shape; null for a shape no calculator handles.
std::unique_ptr<CCSA_S16_09Section> MakeCalculator(Corvid::Data::CSecGeom::SecShape shape);

}  // namespace Corvid::Steel::SteelCSAS1609
