#include "Restraint.h"

#include <cmath>
#include <utility>

namespace Corvid::Data {

using namespace RestraintBits;

CRestraint::CRestraint(int bits, LoadPos pos, double height) : m_bits(bits), m_loadPos(pos), m_loadHeight(height) {}

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
