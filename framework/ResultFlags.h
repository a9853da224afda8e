#pragma once
// The bits of a check result's flag word (CMemberResult::Flags()): each says
// why a check warned or failed. Named once here; the engine sets them and the
// hosts name them from kResultFlagNames.
#include <cstdint>

namespace Corvid::Steel::ResultFlags {

inline constexpr std::uint32_t kWarning = 0x2;            // a warning line was written
inline constexpr std::uint32_t kFailure = 0x4;            // a check failed (quick checks stop here)
inline constexpr std::uint32_t kSectionNotHandled = 0x8;  // no calculator for the section or the grade
inline constexpr std::uint32_t kInteractionFailure = 0x10;
// With kFailure: the member strength and stability interaction above 1
// (CSA S16-09 cl. 13.8.2, 13.8.3).
inline constexpr std::uint32_t kBucklingInteractionFailure = 0x20;
inline constexpr std::uint32_t kLateralTorsionalBuckling = 0x100;
inline constexpr std::uint32_t kMajorAxisBuckling = 0x200;
inline constexpr std::uint32_t kMinorAxisBuckling = 0x400;
inline constexpr std::uint32_t kAxialFailure = 0x1000;
inline constexpr std::uint32_t kMajorMomentFailure = 0x2000;
inline constexpr std::uint32_t kMinorMomentFailure = 0x4000;
inline constexpr std::uint32_t kMajorShearOnStrut = 0x8000;
inline constexpr std::uint32_t kMinorShearOnStrut = 0x10000;
inline constexpr std::uint32_t kTorsionWarning = 0x20000;
inline constexpr std::uint32_t kClass4Section = 0x100000;
inline constexpr std::uint32_t kClass4Web = 0x200000;
inline constexpr std::uint32_t kClass4Flange = 0x400000;
inline constexpr std::uint32_t kTorsionalBuckling = 0x1000000;
inline constexpr std::uint32_t kFlexuralTorsionalBuckling = 0x2000000;
inline constexpr std::uint32_t kSlenderness = 0x4000000;         // KL/r above 200 (CSA S16-09 cl. 10.4.2.1)
inline constexpr std::uint32_t kTensionSlenderness = 0x8000000;  // L/r above 300 (CSA S16-09 cl. 10.4.2.2)

struct FlagName {
    std::uint32_t flag;
    char const* name;
};
// The name a host prints for each bit, in bit order.
inline constexpr FlagName kResultFlagNames[] = {
    {kWarning, "warning"},
    {kFailure, "failure"},
    {kSectionNotHandled, "section-not-handled"},
    {kInteractionFailure, "interaction-failure"},
    {kBucklingInteractionFailure, "buckling-interaction-failure"},
    {kLateralTorsionalBuckling, "lateral-torsional-buckling"},
    {kMajorAxisBuckling, "major-axis-buckling"},
    {kMinorAxisBuckling, "minor-axis-buckling"},
    {kAxialFailure, "axial-failure"},
    {kMajorMomentFailure, "major-moment-failure"},
    {kMinorMomentFailure, "minor-moment-failure"},
    {kMajorShearOnStrut, "major-shear-on-strut"},
    {kMinorShearOnStrut, "minor-shear-on-strut"},
    {kTorsionWarning, "torsion-warning"},
    {kClass4Section, "class4-section"},
    {kClass4Web, "class4-web"},
    {kClass4Flange, "class4-flange"},
    {kTorsionalBuckling, "torsional-buckling"},
    {kFlexuralTorsionalBuckling, "flexural-torsional-buckling"},
    {kSlenderness, "slenderness"},
    {kTensionSlenderness, "tension-slenderness"},
};

}  // namespace Corvid::Steel::ResultFlags
