#pragma once
// The clause references the shape calculators print, each named once. Each
// holds the characters the reports print (spacing and all); where the
// printed number is not the governing clause, its comment says why.

namespace Corvid::Steel::SteelCSAS1609::detail {

// After "ref. <code name>": CSA S16-09 cl. 13.3.2, torsional and
// flexural-torsional buckling.
inline constexpr wchar_t kClTorsionalBuckling[] = L" cl 13.3.2";
// After "ref. <code name>": cl. 13.5, moment resistance of class 4 sections.
inline constexpr wchar_t kClReducedMoment[] = L" cl.13.5";
// After "Ref. <code name>": cl. 14.3.1, the web slenderness limit 83000/Fy.
inline constexpr wchar_t kClWebSlendernessLimit[] = L" cl. 14.3.1";
// The elastic critical moment of cl. 13.6(a); printed with the code named in
// full, the same under either design code.
inline constexpr wchar_t kClCriticalMoment[] = L"\t<i>CSA S16 - 09 cl 13.6 (a), </i>";
// After "ref. <code name> cl ": cl. 13.4.1, shear (the web resistance of
// cl. 13.4.1.1 and the stress limit of cl. 13.4.1.2 are its sub-clauses).
inline constexpr wchar_t kClShear[] = L"13.4.1";
// Printed over the elastic stress checks and the I-section's web check,
// whose rules are those of cl. 13.4.1.2 and 13.4.1.1: the number these
// reports have always carried, kept to the character.
inline constexpr wchar_t kClShearStressPrinted[] = L"13.4.3";

}  // namespace Corvid::Steel::SteelCSAS1609::detail
