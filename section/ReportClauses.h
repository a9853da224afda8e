#pragma once
// The clause references the reports print, each named once. Each holds the
// characters the reports print (spacing and all), most after
// "ref. <code name>"; where the printed number is not the governing clause,
// its comment says why.

namespace Corvid::Steel::SteelCSAS1609 {

// ---- section checks ----
// CSA S16-09 cl. 13.2, tension.
inline constexpr wchar_t kClTension[] = L" cl 13.2";
// cl. 13.3.1, compression (and the report of a compression not checked).
inline constexpr wchar_t kClCompression[] = L" cl 13.3.1";
// cl. 10.4.2.1, the slenderness limit 200 in compression. Also printed beside
// the limit 300 of a tension member (cl. 10.4.2.2): the line these reports
// have always carried, kept to the character.
inline constexpr wchar_t kClSlendernessLimit[] = L" cl 10.4.2.1";
// cl. 13.4.1.2, the elastic shear stress.
inline constexpr wchar_t kClShearStressLimit[] = L" cl.13.4.1.2";
// cl. 13.9(a), axial tension and bending.
inline constexpr wchar_t kClTensionAndBending[] = L" cl 13.9 (a)";
// cl. 13.8.2(a), the cross-section interaction of class 1 and 2 I-sections
// in compression and bending.
inline constexpr wchar_t kClSectionInteractionClass12[] = L" cl 13.8.2 (a)";
// cl. 13.8.3(a), that of every other member.
inline constexpr wchar_t kClSectionInteractionOther[] = L" cl 13.8.3 (a)";
// cl. 13.5, moment resistance of class 4 sections.
inline constexpr wchar_t kClReducedMoment[] = L" cl.13.5";

// ---- shape calculators ----
// cl. 13.3.2, torsional and flexural-torsional buckling.
inline constexpr wchar_t kClTorsionalBuckling[] = L" cl 13.3.2";
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

// ---- member checks ----
// cl. 10.4.2.2, the slenderness limit 300 of a span in tension (a warning).
inline constexpr wchar_t kClSpanTensionSlenderness[] = L" cl. 10.4.2.2";
// cl. 10.4.2.1, the slenderness limit 200 of a span in compression.
inline constexpr wchar_t kClSpanCompressionSlenderness[] = L" cl. 10.4.2.1";
// cl. 13.8.2, the member strength and stability interaction of class 1 and
// 2 I-sections; cl. 13.8.3, that of all others.
inline constexpr wchar_t kClInteractionClass12[] = L" cl 13.8.2";
// cl. 13.8.3, the interaction of every member but class 1 and 2 I-sections.
inline constexpr wchar_t kClInteractionOther[] = L" cl 13.8.3";
// cl. 13.8.2(b), the overall member strength of class 1 and 2 I-sections.
inline constexpr wchar_t kClOverallStrengthClass12[] = L" cl. 13.8.2 (b)";
// cl. 13.8.3(b), the overall member strength of the others.
inline constexpr wchar_t kClOverallStrengthOther[] = L" cl. 13.8.3 (b)";

}  // namespace Corvid::Steel::SteelCSAS1609
