#pragma once
// Constants of the design code and of the units, named once for the engine.
// The engine computes in SI base units: N, m, Pa.
#include <limits>

namespace Corvid::Design {

inline constexpr double kPi = 3.14159265358979323846;
// A resistance or length that does not govern, and a ratio with no resistance.
inline constexpr double kInfinity = std::numeric_limits<double>::infinity();

// CSA S16-09 cl. 13.1(a): resistance factor of structural steel, phi = 0.90.
inline constexpr double kPhi = 0.9;

// Units: the value of one unit in SI base units.
inline constexpr double kMPa = 1e6;  // Pa
inline constexpr double kMm = 1e-3;  // m
inline constexpr double kKN = 1e3;   // N

}  // namespace Corvid::Design
