#include "Restraint.h"

#include <cmath>
#include <utility>

namespace Corvid::Data {

using namespace RestraintBits;

CRestraint::CRestraint(int bits, LoadPos pos, double height) : m_bits(bits), m_loadPos(pos), m_loadHeight(height) {}

namespace {
// Which flange is in compression, from the sense in the moment vector.
enum class Sense { Top, Bottom, Unknown };

Sense SenseOf(Corvid::Vec3<double> const& moments) {
    if (moments.y == -1.0) return Sense::Top;
    if (moments.y == 1.0) return Sense::Bottom;
    return Sense::Unknown;
}
}  // namespace

// Every bit held: the bits set, and the compression- and tension-flange
// bits resolved through the buckling sense (found once).
unsigned CRestraint::HeldMask() const {
    auto held = [this](int b) { return (m_bits & b) != 0; };
    auto bitIf = [](bool h, int b) { return h ? static_cast<unsigned>(b) : 0u; };
    bool const top = held(kTopFlangeLateral), bottom = held(kBottomFlangeLateral);
    bool const topPlan = held(kTopFlangeRotationOnPlan), bottomPlan = held(kBottomFlangeRotationOnPlan);
    unsigned mask = static_cast<unsigned>(m_bits);
    switch (SenseOf(m_moments)) {
        case Sense::Top:
            mask |= bitIf(top, kCompFlangeLateral) | bitIf(bottom, kTensionFlangeLateral) |
                    bitIf(topPlan, kCompFlangeRotationOnPlan);
            break;
        case Sense::Bottom:
            mask |= bitIf(bottom, kCompFlangeLateral) | bitIf(top, kTensionFlangeLateral) |
                    bitIf(bottomPlan, kCompFlangeRotationOnPlan);
            break;
        case Sense::Unknown:
            mask |= bitIf(top && bottom, kCompFlangeLateral | kTensionFlangeLateral) |
                    bitIf(topPlan && bottomPlan, kCompFlangeRotationOnPlan);
            break;
    }
    return mask | bitIf(topPlan && bottomPlan, kBothFlangesRotationOnPlan);
}

bool CRestraint::IsRestrained(int mask, bool all) const {
    if (mask == 0) return all;  // an empty set of conditions is met vacuously
    auto const m = static_cast<unsigned>(mask);
    unsigned const held = HeldMask() & m;
    return all ? held == m : held != 0;
}

bool CRestraint::IsFree(int mask, bool all) const {
    if (mask == 0) return all;
    auto const m = static_cast<unsigned>(mask);
    unsigned const free = m & ~HeldMask();
    return all ? free == m : free != 0;
}

void CRestraint::GetForcesAndMoments(Corvid::Vec3<double>& forces, Corvid::Vec3<double>& moments, bool& set) const {
    forces = m_forces;
    moments = m_moments;
    set = m_forcesSet;
}

void CRestraint::SetForcesAndMoments(Corvid::Vec3<double> const& forces, Corvid::Vec3<double> const& moments,
                                     bool set) {
    m_forces = forces;
    m_moments = moments;
    m_forcesSet = set;
}

CString CRestraint::GetString() const {
    static std::pair<int, wchar_t const*> const names[] = {
        {kMajorTranslation, L"major-axis translation"},
        {kMinorTranslation, L"minor-axis translation"},
        {kFlangeConnection, L"flange connection"},
        {kMajorRotation, L"major-axis rotation"},
        {kMinorRotation, L"rotation on plan"},
        {kEndConnection, L"end connection"},
        {kTopFlangeLateral, L"top flange lateral"},
        {kBottomFlangeLateral, L"bottom flange lateral"},
        {kTopFlangeRotationOnPlan, L"top flange rotation on plan"},
        {kBottomFlangeRotationOnPlan, L"bottom flange rotation on plan"},
        {kTorsional, L"torsional"},
        {kPartialTorsional, L"partial torsional"},
        {kCompFlangeLateral, L"compression flange lateral"},
        {kTensionFlangeLateral, L"tension flange lateral"},
        {kBothFlangesRotationOnPlan, L"both flanges rotation on plan"},
        {kCompFlangeRotationOnPlan, L"compression flange rotation on plan"},
        {kWarping, L"warping"},
    };
    CString s;
    for (auto const& [bit, name] : names) {
        if (!(m_bits & bit)) continue;
        if (!s.empty()) s += L", ";
        s += name;
    }
    if (s.empty()) s = L"free";
    if (m_loadPos == LoadDestabilizing) s += L" (destabilizing load)";
    return s;
}

bool operator==(CRestraint const& a, CRestraint const& b) {
    auto sameVec = [](Corvid::Vec3<double> const& u, Corvid::Vec3<double> const& v) {
        for (std::size_t i = 0; i < 3; ++i) {
            bool const bothNaN = std::isnan(u[i]) && std::isnan(v[i]);
            if (!bothNaN && u[i] != v[i]) return false;
        }
        return true;
    };
    return a.m_bits == b.m_bits && a.m_loadPos == b.m_loadPos && a.m_loadHeight == b.m_loadHeight &&
           a.m_forcesSet == b.m_forcesSet && sameVec(a.m_forces, b.m_forces) && sameVec(a.m_moments, b.m_moments);
}

}  // namespace Corvid::Data
