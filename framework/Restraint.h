#pragma once
// Restraint of a member at a point (or along a sub-span): a word of named
// bits, each saying that one movement of the member is prevented there.
//
// Axes: x is the major (strong) axis and y the minor (weak) axis of the
// section; "major-axis buckling" is flexural buckling about x (displacement
// in the plane of the web), "minor-axis buckling" is buckling about y
// (lateral displacement). The top flange is flange 1.
//
// Bits that describe the member axis at the point (its six movements):
//   kMajorTranslation  0x200000  displacement in the plane of the web held
//                                (a support or brace for major-axis buckling)
//   kMinorTranslation  0x100000  lateral displacement of the section held
//                                (a brace for minor-axis buckling)
//   kMajorRotation     0x010000  rotation about the major axis held (moment
//                                connection in the plane of the web)
//   kMinorRotation     0x040000  rotation on plan (about the minor axis) held
//
// Bits that describe how the member is connected at the point (they decide
// whether a channel or tee acts as a strut; see the calculators):
//   kFlangeConnection  0x020000  the end connection is made through a flange
//                                (e.g. a tee's flange bolted to a gusset)
//   kEndConnection     0x080000  an end-plate or seated connection that
//                                engages the flanges (which flanges it holds
//                                is said by the flange bits below)
//
// Bits that describe the flanges, for lateral-torsional buckling:
//   kTopFlangeLateral          0x0001  top flange held laterally
//   kBottomFlangeLateral       0x0002  bottom flange held laterally
//   kTopFlangeRotationOnPlan   0x0010  top flange held against rotation on plan
//   kBottomFlangeRotationOnPlan 0x0020 bottom flange held against rotation on plan
//   kTorsional                 0x0040  section held against twist (full or
//                                      nominal torsional restraint)
//   kPartialTorsional          0x0080  partial torsional restraint (e.g. the
//                                      bottom flange bolted to or bearing on
//                                      its support)
//   kWarping                   0x1000  warping restrained (built-in end)
//
// Bits named after the compression flange, which the effective-length tables
// test. They may be set directly; they are also satisfied by the physical
// flange bits above once the restraint knows which flange is in compression
// (the buckling sense, written into the restraint's moment vector: second
// component -1 = top flange in compression, +1 = bottom flange in
// compression, anything else = not known / moment reversal, when both
// flanges must qualify):
//   kCompFlangeLateral         0x0200  compression flange held laterally
//                                      (top or bottom flange bit by the sense)
//   kTensionFlangeLateral      0x0400  tension flange held laterally
//   kBothFlangesRotationOnPlan 0x0800  both flanges held against rotation on
//                                      plan (top and bottom bits)
//   kCompFlangeRotationOnPlan  0x2000  compression flange held against
//                                      rotation on plan
//
// Combinations read by the tables: 0x210000 fixed end (major axis),
// 0x140000 fixed end (minor axis), 0x100080 laterally held with partial
// torsional restraint, 0x100040 laterally and torsionally restrained,
// 0x101840 built in (lateral, torsional, both flanges fixed on plan, warping).
#include <cstdint>
#include <limits>

#include "CString.h"
#include "Vec3.h"

namespace Corvid::Data {

namespace RestraintBits {
inline constexpr int kTopFlangeLateral = 0x0001;
inline constexpr int kBottomFlangeLateral = 0x0002;
inline constexpr int kTopFlangeRotationOnPlan = 0x0010;
inline constexpr int kBottomFlangeRotationOnPlan = 0x0020;
inline constexpr int kTorsional = 0x0040;
inline constexpr int kPartialTorsional = 0x0080;
inline constexpr int kCompFlangeLateral = 0x0200;
inline constexpr int kTensionFlangeLateral = 0x0400;
inline constexpr int kBothFlangesRotationOnPlan = 0x0800;
inline constexpr int kWarping = 0x1000;
inline constexpr int kCompFlangeRotationOnPlan = 0x2000;
inline constexpr int kMajorRotation = 0x010000;
inline constexpr int kFlangeConnection = 0x020000;
inline constexpr int kMinorRotation = 0x040000;
inline constexpr int kEndConnection = 0x080000;
inline constexpr int kMinorTranslation = 0x100000;
inline constexpr int kMajorTranslation = 0x200000;

// Every bit with a meaning; other bits are refused by validation.
inline constexpr int kAllDefined = kTopFlangeLateral | kBottomFlangeLateral | kTopFlangeRotationOnPlan |
                                   kBottomFlangeRotationOnPlan | kTorsional | kPartialTorsional | kCompFlangeLateral |
                                   kTensionFlangeLateral | kBothFlangesRotationOnPlan | kWarping |
                                   kCompFlangeRotationOnPlan | kMajorRotation | kFlangeConnection | kMinorRotation |
                                   kEndConnection | kMinorTranslation | kMajorTranslation;

// Shorthands.
inline constexpr int kFree = 0;
// Simple support: held in both translations and against twist, both flanges
// held laterally, free to rotate.
inline constexpr int kPinned =
    kMajorTranslation | kMinorTranslation | kTorsional | kTopFlangeLateral | kBottomFlangeLateral;
// Fixed: every movement held.
inline constexpr int kFixed =
    kPinned | kMajorRotation | kMinorRotation | kWarping | kTopFlangeRotationOnPlan | kBottomFlangeRotationOnPlan;
// Lateral brace at an intermediate point: lateral displacement and twist held.
inline constexpr int kBraced = kMinorTranslation | kTorsional | kTopFlangeLateral | kBottomFlangeLateral;
}  // namespace RestraintBits

// Where a load acts on the section at this point, for lateral-torsional
// buckling. A destabilizing load acts above the shear centre and is free to
// move laterally with the member (CSA S16-09 cl. 13.6).
enum LoadPos : int {
    LoadAtShearCentre = 0,
    LoadDestabilizing = 1,
    LoadStabilizing = 2,
};

class CRestraint {
public:
    CRestraint() = default;
    // bits: the restraint word; pos: load position; height: height of the
    // load above the shear centre, m (kept for the report).
    CRestraint(int bits, LoadPos pos, double height);
    explicit CRestraint(int bits) : m_bits(bits) {}

    int Bits() const { return m_bits; }
    void SetBits(int bits) { m_bits = bits; }
    LoadPos GetLoadPos() const { return m_loadPos; }
    double LoadHeight() const { return m_loadHeight; }
    bool IsDestabilizing() const { return m_loadPos == LoadDestabilizing; }

    // all = true: every bit of mask must be held; all = false: any one.
    // Compression-flange bits are resolved through the buckling sense held in
    // the moment vector (see the header comment).
    bool IsRestrained(int mask, bool all = true) const {
        if (mask == 0) return all;  // an empty set of conditions is met vacuously
        auto const m = static_cast<unsigned>(mask);
        unsigned const held = HeldMask() & m;
        return all ? held == m : held != 0;
    }
    // all = true: every bit of mask is free; all = false: at least one is.
    bool IsFree(int mask, bool all = true) const {
        if (mask == 0) return all;
        auto const m = static_cast<unsigned>(mask);
        unsigned const free = m & ~HeldMask();
        return all ? free == m : free != 0;
    }

    // Forces and moments carried with the restraint; the tables write the
    // buckling sense into the second moment component.
    void GetForcesAndMoments(Corvid::Vec3<double>& forces, Corvid::Vec3<double>& moments, bool& set) const;
    void SetForcesAndMoments(Corvid::Vec3<double> const& forces, Corvid::Vec3<double> const& moments, bool set);

    // Names of the held bits, e.g. "major translation, torsional".
    CString GetString() const;

    friend bool operator==(CRestraint const& a, CRestraint const& b);
    friend bool operator!=(CRestraint const& a, CRestraint const& b) { return !(a == b); }

private:
    // Every bit held: the bits set, and the compression- and tension-flange
    // bits resolved through the buckling sense (read once: -1 in the second
    // moment component, top flange in compression; +1 bottom; else unknown).
    unsigned HeldMask() const {
        namespace RB = RestraintBits;
        auto held = [this](int b) { return (m_bits & b) != 0; };
        auto bitIf = [](bool h, int b) { return h ? static_cast<unsigned>(b) : 0u; };
        bool const top = held(RB::kTopFlangeLateral), bottom = held(RB::kBottomFlangeLateral);
        bool const topPlan = held(RB::kTopFlangeRotationOnPlan), bottomPlan = held(RB::kBottomFlangeRotationOnPlan);
        unsigned mask = static_cast<unsigned>(m_bits);
        if (m_moments.y == -1.0)
            mask |= bitIf(top, RB::kCompFlangeLateral) | bitIf(bottom, RB::kTensionFlangeLateral) |
                    bitIf(topPlan, RB::kCompFlangeRotationOnPlan);
        else if (m_moments.y == 1.0)
            mask |= bitIf(bottom, RB::kCompFlangeLateral) | bitIf(top, RB::kTensionFlangeLateral) |
                    bitIf(bottomPlan, RB::kCompFlangeRotationOnPlan);
        else
            mask |= bitIf(top && bottom, RB::kCompFlangeLateral | RB::kTensionFlangeLateral) |
                    bitIf(topPlan && bottomPlan, RB::kCompFlangeRotationOnPlan);
        return mask | bitIf(topPlan && bottomPlan, RB::kBothFlangesRotationOnPlan);
    }

    int m_bits = 0;
    LoadPos m_loadPos = LoadAtShearCentre;
    double m_loadHeight = 0.0;
    static constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    Corvid::Vec3<double> m_forces{kNaN, kNaN, kNaN};
    Corvid::Vec3<double> m_moments{kNaN, kNaN, kNaN};
    bool m_forcesSet = false;
};

}  // namespace Corvid::Data
