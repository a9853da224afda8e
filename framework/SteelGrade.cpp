#include "SteelGrade.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <stdexcept>

#include "DesignConstants.h"

namespace Corvid::Steel {

namespace {

using Corvid::Design::kInfinity;
using Corvid::Design::kMPa;

struct BuiltIn {
    wchar_t const* name;
    std::vector<CSteelGrade::Band> bands;
    double roundFy = 0.0;  // Pa: Fy of round tubes when the standard gives them their own (0: the same)
};

// CSA G40.21 minimum yield and tensile strengths (shapes, plates and HSS),
// with the reduced yield of 350W plate over 65 mm; 345WM and 350WT;
// ASTM A992, A572 Gr 50, A36, A913 Grades 50 and 65 (shapes), A500 Grade C
// (cold-formed tubes: Fy 345 MPa rectangular, 317 MPa round), A1085 (tubes),
// A53 Grade B (pipe).
std::vector<BuiltIn> const& Table() {
    static std::vector<BuiltIn> const table = {
        {L"CSA G40.21 260W", {{kInfinity, 260 * kMPa, 410 * kMPa}}},
        {L"CSA G40.21 300W", {{kInfinity, 300 * kMPa, 450 * kMPa}}},
        {L"CSA G40.21 350W", {{0.065, 350 * kMPa, 450 * kMPa}, {kInfinity, 320 * kMPa, 450 * kMPa}}},
        {L"CSA G40.21 380W", {{kInfinity, 380 * kMPa, 480 * kMPa}}},
        {L"CSA G40.21 400W", {{kInfinity, 400 * kMPa, 520 * kMPa}}},
        {L"CSA G40.21 480W", {{kInfinity, 480 * kMPa, 590 * kMPa}}},
        {L"CSA G40.21 350A", {{kInfinity, 350 * kMPa, 480 * kMPa}}},
        {L"ASTM A992", {{kInfinity, 345 * kMPa, 450 * kMPa}}},
        {L"ASTM A572 Gr 50", {{kInfinity, 345 * kMPa, 450 * kMPa}}},
        {L"ASTM_A36", {{kInfinity, 250 * kMPa, 400 * kMPa}}},
        {L"CSA G40.21 345WM", {{kInfinity, 345 * kMPa, 450 * kMPa}}},
        {L"CSA G40.21 350WT", {{kInfinity, 350 * kMPa, 480 * kMPa}}},
        {L"ASTM A500 Gr C", {{kInfinity, 345 * kMPa, 427 * kMPa}}, 317 * kMPa},
        {L"ASTM A1085", {{kInfinity, 345 * kMPa, 448 * kMPa}}},
        {L"ASTM A53 Gr B", {{kInfinity, 240 * kMPa, 415 * kMPa}}},
        {L"ASTM A913 Gr 50", {{kInfinity, 345 * kMPa, 448 * kMPa}}},
        {L"ASTM A913 Gr 65", {{kInfinity, 450 * kMPa, 550 * kMPa}}},
    };
    return table;
}

// Lower case, letters and digits only: "CSA G40.21 350W" -> "csag4021350w".
std::wstring Key(CString const& s) {
    std::wstring k;
    for (wchar_t c : s)
        if (std::iswalnum(c)) k.push_back(static_cast<wchar_t>(std::towlower(c)));
    return k;
}

// The designation without its family prefix and the word grade:
// "csag4021350w" -> "350w", "astma992" -> "a992", "astma500gradec" -> "a500c".
std::wstring Stem(std::wstring k) {
    for (wchar_t const* prefix : {L"csag4021", L"g4021", L"csa", L"astm"}) {
        std::wstring const p = prefix;
        if (k.size() > p.size() && k.compare(0, p.size(), p) == 0) {
            k = k.substr(p.size());
            break;
        }
    }
    for (wchar_t const* word : {L"grade", L"gr"})
        if (auto const at = k.find(word); at != std::wstring::npos) k.erase(at, std::wstring(word).size());
    return k;
}

bool Matches(CString const& wanted, CString const& builtin) {
    auto const w = Key(wanted);
    if (w.empty()) return false;
    auto const b = Key(builtin);
    return w == b || Stem(w) == Stem(b);
}

}  // namespace

CSteelGrade::CSteelGrade() : m_bands{{kInfinity, 0.0, 0.0}} {}

CSteelGrade::CSteelGrade(CString const& name) {
    for (auto const& g : Table()) {
        if (Matches(name, g.name)) {
            m_name = g.name;
            m_bands = g.bands;
            m_roundFy = g.roundFy;
            return;
        }
    }
    std::string msg = "unknown steel grade \"" + Narrow(name) + "\"; known grades: ";
    bool first = true;
    for (auto const& g : Table()) {
        if (!first) msg += ", ";
        msg += Narrow(g.name);
        first = false;
    }
    msg += " (or give Fy and Fu for a user-defined grade)";
    throw std::invalid_argument(msg);
}

CSteelGrade::CSteelGrade(CString const& name, double Fy, double Fu) : m_name(name) {
    if (!(std::isfinite(Fy) && Fy > 0))
        throw std::invalid_argument("steel grade \"" + Narrow(name) + "\": Fy must be a positive number");
    if (!(std::isfinite(Fu) && Fu > 0))
        throw std::invalid_argument("steel grade \"" + Narrow(name) + "\": Fu must be a positive number");
    if (Fu < Fy) throw std::invalid_argument("steel grade \"" + Narrow(name) + "\": Fu must not be less than Fy");
    // A built-in name stands for the built-in strengths only.
    for (auto const& g : Table()) {
        if (!Matches(name, g.name)) continue;
        bool same = false;
        for (auto const& b : g.bands) same = same || ((Fy == b.Fy || Fy == g.roundFy) && Fu == b.Fu);
        if (!same)
            throw std::invalid_argument("steel grade \"" + Narrow(name) + "\": the name of the built-in grade " +
                                        Narrow(g.name) + " with other strengths (Fy " + std::to_string(int(Fy / kMPa)) +
                                        ", Fu " + std::to_string(int(Fu / kMPa)) +
                                        " MPa); give the user grade a name of its own");
    }
    m_bands = {{kInfinity, Fy, Fu}};
}

CSteelGrade CSteelGrade::ForRoundTube() const {
    CSteelGrade g = *this;
    if (m_roundFy > 0.0)
        for (auto& b : g.m_bands) b.Fy = m_roundFy;
    g.m_roundFy = 0.0;
    return g;
}

CString CSteelGrade::GetString(Corvid::Util::CDesFormat const& format, double t) const {
    CString s = L"Steel grade: " + m_name + L"\n";
    s += L"\tFy = " + format.Stress(DesignStrength(t)) + L", Fu = " + format.Stress(TensileStrength(t)) + L" (t = " +
         format.LengthSmall(t) + L")\n";
    s += L"\tE = " + format.Stress(YoungsModulus()) + L", G = " + format.Stress(ShearModulus()) + L"\n";
    return s;
}

std::vector<CString> CSteelGrade::KnownNames() {
    std::vector<CString> names;
    for (auto const& g : Table()) names.emplace_back(g.name);
    return names;
}

bool operator==(CSteelGrade const& a, CSteelGrade const& b) {
    if (a.m_name != b.m_name || a.m_bands.size() != b.m_bands.size() || a.m_roundFy != b.m_roundFy) return false;
    for (std::size_t i = 0; i < a.m_bands.size(); ++i) {
        auto const& x = a.m_bands[i];
        auto const& y = b.m_bands[i];
        if (x.tMax != y.tMax || x.Fy != y.Fy || x.Fu != y.Fu) return false;
    }
    return true;
}

}  // namespace Corvid::Steel
