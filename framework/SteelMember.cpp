#include "SteelMember.h"

#include <cmath>
#include <cstdio>
#include <cwctype>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "DesignConstants.h"
#include "ResultFlags.h"

namespace Corvid::Steel {

using Corvid::Data::CRestraint;

namespace {
using Corvid::Design::kInfinity;

bool Finite(Corvid::Vec3<double> const& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

CString Num(double v) {
    // Round-trip precision for the CSV text.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return Corvid::Widen(buf);
}

// A number for a message: six significant digits.
CString Short(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return Corvid::Widen(buf);
}

std::vector<std::wstring> SplitCsv(std::wstring const& line) {
    std::vector<std::wstring> out;
    std::wstring cur;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        wchar_t const c = line[i];
        if (quoted) {
            if (c == L'"' && i + 1 < line.size() && line[i + 1] == L'"') {
                cur.push_back(L'"');
                ++i;
            } else if (c == L'"') {
                quoted = false;
            } else {
                cur.push_back(c);
            }
        } else if (c == L'"') {
            quoted = true;
        } else if (c == L',') {
            out.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    out.push_back(cur);
    return out;
}

CString Quote(CString const& s) {
    CString out = L"\"";
    for (wchar_t c : s) {
        if (c == L'"')
            out += L"\"\"";
        else if (c == L'\n' || c == L'\r')
            out += L' ';
        else
            out.push_back(c);
    }
    return out + L"\"";
}

bool ParseDouble(std::wstring const& s, double& v) {
    try {
        std::size_t used = 0;
        v = std::stod(s, &used);
        while (used < s.size() && std::iswspace(s[used])) ++used;
        return used == s.size() && !s.empty();
    } catch (std::exception const&) { return false; }
}

bool ParseInt(std::wstring const& s, int& v) {
    double d = 0;
    if (!ParseDouble(s, d) || d != std::floor(d) || std::fabs(d) > 2147483647.0) return false;
    v = static_cast<int>(d);
    return true;
}
}  // namespace

void CSteelMemberGen::SetMemberPointVec(std::vector<CMemberPoint> const& points) {
    m_points = std::make_shared<CMemberPointVec const>(points);
}

void CSteelMemberGen::SetSubSpanVec(std::vector<CSubSpan> const& subSpans) {
    m_subSpans = std::make_shared<CSubSpanVec const>(subSpans);
}

double CSteelMemberGen::Length() const {
    if (m_points->size() < 2) return 0.0;
    return m_points->back().GetPos() - m_points->front().GetPos();
}

void CSteelMemberGen::SetEquivalentUniformMomentFactor(double w) {
    m_omega2 = w;
    m_omega2Set = true;
}

void CSteelMemberGen::Clear() {
    m_points = std::make_shared<CMemberPointVec const>();
    m_subSpans = std::make_shared<CSubSpanVec const>();
    m_title.clear();
    m_quick = false;
    m_override = false;
    m_Lyy = m_Lzz = m_Llt = 0.0;
    m_numSubSpansUser = 0;
    m_omega2Set = false;
    m_omega2 = 1.0;
    m_ampStrong = m_ampWeak = 1.0;
}

bool CSteelMemberGen::Refuse(CString const& message) const {
    if (m_result) {
        m_result->AddFlags(ResultFlags::kWarning);
        m_result->SetUtilOverAll(kInfinity);
        if (m_result->WantsText()) m_result->AddOutputString(L"<b><red>Input error:</red></b> " + message + L"\n");
    }
    return false;
}

bool CSteelMemberGen::ValidateInputData() const {
    if (!m_result) return false;
    auto const& pts = *m_points;
    auto const& subs = *m_subSpans;
    if (pts.size() < 2) return Refuse(L"a member needs at least two member points");
    // The place of a refusal, formatted only when one is made.
    auto at = [](wchar_t const* what, std::size_t i) { return what + std::to_wstring(i + 1) + L": "; };
    for (std::size_t i = 0; i < pts.size(); ++i) {
        auto where = [&] { return at(L"member point ", i); };
        if (!std::isfinite(pts[i].GetPos())) return Refuse(where() + L"position is not a finite number");
        if (i > 0 && !(pts[i].GetPos() > pts[i - 1].GetPos()))
            return Refuse(where() + L"positions must increase along the member");
        auto const& r = pts[i].GetRestraint();
        if (r.Bits() & ~Corvid::Data::RestraintBits::kAllDefined)
            return Refuse(where() + L"restraint has undefined bits (" + std::to_wstring(r.Bits()) + L")");
        if (!std::isfinite(r.LoadHeight())) return Refuse(where() + L"load height is not a finite number");
    }
    if (subs.size() != pts.size() - 1)
        return Refuse(L"a member with " + std::to_wstring(pts.size()) + L" points needs " +
                      std::to_wstring(pts.size() - 1) + L" sub-spans, one between each pair of consecutive points (" +
                      std::to_wstring(subs.size()) + L" given)");
    for (std::size_t k = 0; k < subs.size(); ++k) {
        auto const& s = subs[k];
        auto where = [&] { return at(L"sub-span ", k); };
        if (s.Index() != static_cast<int>(k) || s.IndexCMPLeft() != static_cast<int>(k) ||
            s.IndexCMPRight() != static_cast<int>(k) + 1)
            return Refuse(where() + L"must join member points " + std::to_wstring(k + 1) + L" and " +
                          std::to_wstring(k + 2));
        if (!Finite(s.GetForcesLeft()) || !Finite(s.GetForcesRight()))
            return Refuse(where() + L"forces are not finite numbers");
        if (!Finite(s.GetMomentsLeft()) || !Finite(s.GetMomentsRight()))
            return Refuse(where() + L"moments are not finite numbers");
        if (s.GetContinuousRestraint().Bits() & ~Corvid::Data::RestraintBits::kAllDefined)
            return Refuse(where() + L"continuous restraint has undefined bits");
    }
    if (m_override) {
        if (!std::isfinite(m_Lyy) || !std::isfinite(m_Lzz) || !std::isfinite(m_Llt))
            return Refuse(L"override effective lengths must be finite numbers");
        std::pair<wchar_t const*, double> const lengths[] = {{L"Lyy", m_Lyy}, {L"Lzz", m_Lzz}, {L"Llt", m_Llt}};
        for (auto const& [name, v] : lengths) {
            // A negative value is a multiple of the member length.
            double const Le = v < 0.0 ? -v * Length() : v;
            if (Le > 0.0 && Le < kMinOverrideLength)
                return Refuse(CString(L"override effective length ") + name + L" = " + Short(Le) +
                              L" m is below 1 mm, a likely unit error (0 for all three: cross-section checks only)");
        }
    }
    if (m_omega2Set && !(m_omega2 >= kOmega2Min && m_omega2 <= kOmega2Max))
        return Refuse(L"equivalent uniform moment factor omega2 = " + Short(m_omega2) +
                      L" is outside 1.0 to 2.5 (CSA S16-09 cl. 13.6(a))");
    CString const missing = MissingDesignData();
    if (!missing.empty()) return Refuse(missing);
    return true;
}

void CSteelMemberGen::AddStringInput(CString const& text) const {
    if (m_result && m_result->WantsText()) m_result->AddOutputString(text);
}

CCodeShare::LT_BuckleDirection CSteelMemberGen::BucklingSenseLT(CSpan const& span) const {
    return BucklingSense(span.MaxComponent(true, 1), span.MinComponent(true, 1));
}

CCodeShare::LT_BuckleDirection CSteelMemberGen::BucklingSense(double Mmax, double Mmin) {
    if (IsReverseCurvature(Mmax, Mmin)) return CCodeShare::LT_Reversal;
    if (Mmax >= MomentSignTolerance(Mmax, Mmin)) return CCodeShare::LT_BottomFlange;
    return CCodeShare::LT_TopFlange;
}

// CSV member input, one record per line:
//   title,"text"
//   override,on(0|1),Lyy,Lzz,Llt
//   omega2,value                      (only when set by the host)
//   grade,"name",Fy,Fu                (Pa, at zero thickness)
//   point,position,restraint bits,load position,load height
//   subspan,N,Vmajor,Vminor,T,Mx,My (left end),N,Vmajor,Vminor,T,Mx,My (right
//           end),continuous restraint bits,major load,minor load,destabilizing
// Sub-spans join consecutive points in the order given.
CString CSteelMemberGen::CSVInputData(CSteelGrade& grade) const {
    CString out;
    out += L"title," + Quote(m_title) + L"\n";
    out += L"override," + std::to_wstring(m_override ? 1 : 0) + L"," + Num(m_Lyy) + L"," + Num(m_Lzz) + L"," +
           Num(m_Llt) + L"\n";
    if (m_omega2Set) out += L"omega2," + Num(m_omega2) + L"\n";
    out += L"grade," + Quote(grade.Name()) + L"," + Num(grade.DesignStrength(0.0)) + L"," +
           Num(grade.TensileStrength(0.0)) + L"\n";
    for (auto const& p : *m_points) {
        auto const& r = p.GetRestraint();
        out += L"point," + Num(p.GetPos()) + L"," + std::to_wstring(r.Bits()) + L"," +
               std::to_wstring(static_cast<int>(r.GetLoadPos())) + L"," + Num(r.LoadHeight()) + L"\n";
    }
    for (auto const& s : *m_subSpans) {
        out += L"subspan";
        auto add = [&out](Corvid::Vec3<double> const& f, Corvid::Vec3<double> const& m) {
            for (std::size_t i = 0; i < 3; ++i) out += L"," + Num(f[i]);
            for (std::size_t i = 0; i < 3; ++i) out += L"," + Num(m[i]);
        };
        add(s.GetForcesLeft(), s.GetMomentsLeft());
        add(s.GetForcesRight(), s.GetMomentsRight());
        out += L"," + std::to_wstring(s.GetContinuousRestraint().Bits()) + L"," +
               std::to_wstring(s.HasTransverseLoad(false) ? 1 : 0) + L"," +
               std::to_wstring(s.HasTransverseLoad(true) ? 1 : 0) + L"," + std::to_wstring(s.IsDestabilized() ? 1 : 0) +
               L"\n";
    }
    return out;
}

namespace {
// What a CSV member text sets, all read before any of it is taken.
struct CsvMember {
    CString title;
    bool ovr = false;
    double lyy = 0.0, lzz = 0.0, llt = 0.0;
    CSteelGrade grade;
    bool omegaSet = false;
    double omega = 1.0;
    std::vector<CMemberPoint> points;
    std::vector<CSubSpan> subs;
};

// The numbers of the fields from `from` on; false when one is not a number.
bool Numbers(std::vector<std::wstring> const& f, std::size_t from, std::vector<double>& out) {
    out.clear();
    for (std::size_t i = from; i < f.size(); ++i) {
        double v = 0;
        if (!ParseDouble(f[i], v)) return false;
        out.push_back(v);
    }
    return true;
}

// point,position,restraint bits,load position,load height
CString ReadPoint(std::vector<std::wstring> const& f, CsvMember& m) {
    int bits = 0, pos = 0;
    double x = 0, h = 0;
    if (f.size() != 5 || !ParseDouble(f[1], x) || !ParseInt(f[2], bits) || !ParseInt(f[3], pos) ||
        !ParseDouble(f[4], h))
        return L"point needs position,bits,load position,load height";
    if (pos < 0 || pos > 2) return L"load position must be 0, 1 or 2";
    m.points.emplace_back(x, CRestraint(bits, static_cast<Corvid::Data::LoadPos>(pos), h));
    return {};
}

// subspan: the forces and moments of both ends, continuous restraint bits,
// major and minor transverse load, destabilizing (16 numbers).
CString ReadSubSpan(std::vector<std::wstring> const& f, CsvMember& m) {
    std::vector<double> v;
    if (f.size() != 17 || !Numbers(f, 1, v)) return L"subspan needs 16 numbers";
    int const k = static_cast<int>(m.subs.size());
    CSubSpan s(k, k, k + 1);
    s.SetForces({v[0], v[1], v[2]}, {v[6], v[7], v[8]});
    s.SetMoments({v[3], v[4], v[5]}, {v[9], v[10], v[11]});
    if (v[12] != std::floor(v[12]) || std::fabs(v[12]) > 2147483647.0)
        return L"continuous restraint bits must be an integer";
    s.SetContinuousRestraint(CRestraint(static_cast<int>(v[12])));
    s.SetTransverseLoad(v[13] != 0.0, v[14] != 0.0);
    s.SetDestabilized(v[15] != 0.0);
    m.subs.push_back(s);
    return {};
}

// One record (its fields f) into m: empty, or why it is refused.
CString ReadRecord(std::vector<std::wstring> const& f, CsvMember& m) {
    auto const& kind = f[0];
    std::vector<double> v;
    if (kind == L"title") {
        if (f.size() != 2) return L"title needs one field";
        m.title = f[1];
    } else if (kind == L"override") {
        if (f.size() != 5 || !Numbers(f, 1, v)) return L"override needs on,Lyy,Lzz,Llt";
        m.ovr = v[0] != 0.0;
        m.lyy = v[1], m.lzz = v[2], m.llt = v[3];
    } else if (kind == L"omega2") {
        if (f.size() != 2 || !Numbers(f, 1, v)) return L"omega2 needs one number";
        m.omegaSet = true;
        m.omega = v[0];
    } else if (kind == L"grade") {
        double fy = 0, fu = 0;
        if (f.size() != 4 || !ParseDouble(f[2], fy) || !ParseDouble(f[3], fu)) return L"grade needs name,Fy,Fu";
        try {
            m.grade = CSteelGrade(f[1], fy, fu);
        } catch (std::invalid_argument const& e) { return Corvid::Widen(e.what()); }
    } else if (kind == L"point") {
        return ReadPoint(f, m);
    } else if (kind == L"subspan") {
        return ReadSubSpan(f, m);
    } else {
        return L"unknown record \"" + kind + L"\"";
    }
    return {};
}
}  // namespace

bool CSteelMemberGen::CSVInputData(CString const& text, CSteelGrade& grade) {
    CsvMember m;  // starts from the member as it is, but for omega2
    m.title = m_title;
    m.ovr = m_override;
    m.lyy = m_Lyy, m.lzz = m_Lzz, m.llt = m_Llt;
    m.grade = grade;
    std::wistringstream in(text);
    std::wstring line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (line.find_first_not_of(L" \t") == std::wstring::npos) continue;
        CString const why = ReadRecord(SplitCsv(line), m);
        if (why.empty()) continue;
        if (m_result) {
            m_result->AddFlags(ResultFlags::kWarning);
            if (m_result->WantsText())
                m_result->AddOutputString(L"<b><red>Input error:</red></b> CSV line " + std::to_wstring(lineNo) +
                                          L": " + why + L"\n");
        }
        return false;
    }
    m_title = m.title;
    m_override = m.ovr;
    m_Lyy = m.lyy;
    m_Lzz = m.lzz;
    m_Llt = m.llt;
    m_omega2Set = m.omegaSet;
    m_omega2 = m.omega;
    SetMemberPointVec(m.points);
    SetSubSpanVec(m.subs);
    grade = m.grade;
    return true;
}

}  // namespace Corvid::Steel
