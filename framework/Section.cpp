#include "Section.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "SectGeom.h"
#include "DesignConstants.h"
#include "SectionCatalog.h"
#include "TextCase.h"

namespace Corvid::Data {

namespace {

using Corvid::Design::kMm;

std::mutex& CatalogMutex() {
    static std::mutex m;
    return m;
}
std::string& CatalogSetting() {
    static std::string dir;
    return dir;
}

std::vector<std::wstring> Tokens(std::wstring const& s) {
    std::vector<std::wstring> out;
    std::wstring cur;
    for (wchar_t c : s) {
        if (std::iswspace(c)) {
            if (!cur.empty()) out.push_back(cur), cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

[[noreturn]] void Fail(std::wstring const& text, std::string const& why) {
    throw std::invalid_argument("section \"" + Narrow(text) + "\": " + why);
}

// The shortest text (6 to 17 significant figures) of value shown in a unit
// (value * unit) that the reader turns back (read) into exactly value, so a
// section's name describes exactly that section. value * unit itself does
// not always read back (value was read from the user's number, and the two
// roundings need not cancel); its nearest neighbours are then tried, among
// which the number the user typed.
template <class Read>
std::wstring Shortest(double value, double unit, Read read) {
    char buf[40];
    auto exact = [&buf, value, read](double shown) {
        for (int digits = 6; digits <= 17; ++digits) {
            std::snprintf(buf, sizeof buf, "%.*g", digits, shown);
            if (read(std::strtod(buf, nullptr)) == value) return true;
        }
        return false;
    };
    double const shown = value * unit;
    if (exact(shown)) return Widen(buf);
    double up = shown, down = shown;
    for (int k = 0; k < 8; ++k) {
        up = std::nextafter(up, HUGE_VAL);
        down = std::nextafter(down, -HUGE_VAL);
        if (exact(up) || exact(down)) return Widen(buf);
    }
    std::snprintf(buf, sizeof buf, "%.17g", shown);
    return Widen(buf);
}

// mm text of a dimension in m (read back as mm * kMm).
std::wstring Mm(double m) {
    return Shortest(m, 1e3, [](double mm) { return mm * kMm; });
}

// Percent text of a slope, rise over run (read back as percent / 100).
std::wstring Percent(double slope) {
    return Shortest(slope, 100.0, [](double percent) { return percent / 100.0; });
}

// mm text rounded to six significant figures (for display only).
std::wstring MmShort(double m) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%g", m * 1e3);
    return Widen(buf);
}

struct ShapeWord {
    wchar_t const* word;
    CSecGeom::SecShape shape;
    char const* what;  // "an I section"
};

ShapeWord const kWords[] = {
    {L"i", CSecGeom::I, "an I section"},
    {L"h", CSecGeom::H, "an H section"},
    {L"c", CSecGeom::Channel, "a channel"},
    {L"t", CSecGeom::Tee, "a tee"},
    {L"l", CSecGeom::Angle, "an angle"},
    {L"rhs", CSecGeom::RHS, "a rectangular hollow section"},
    {L"chs", CSecGeom::CHS, "a circular hollow section"},
    {L"pl", CSecGeom::Plate, "a flat plate"},
    {L"rb", CSecGeom::RoundBar, "a round bar"},
};

// The shape word of a description (any case); null when it is none.
ShapeWord const* FindShapeWord(std::wstring const& word) {
    std::wstring const lower = LowerCase(word);
    for (auto const& w : kWords)
        if (lower == w.word) return &w;
    return nullptr;
}

// The dimension names each shape accepts (lower case), in report order.
std::vector<std::wstring> Allowed(CSecGeom::SecShape s) {
    switch (s) {
        case CSecGeom::I:
        case CSecGeom::H:
        case CSecGeom::Channel: return {L"d", L"b", L"t", L"b1", L"t1", L"b2", L"t2", L"tw", L"r", L"slope"};
        case CSecGeom::Tee: return {L"d", L"b", L"t", L"tw", L"r", L"slope"};
        case CSecGeom::Angle: return {L"d", L"b", L"t", L"r"};
        case CSecGeom::RHS: return {L"d", L"b", L"t", L"tf", L"tw", L"ro"};
        case CSecGeom::CHS: return {L"d", L"t"};
        case CSecGeom::Plate: return {L"b", L"t"};
        case CSecGeom::RoundBar: return {L"d"};
        default: return {};
    }
}

std::string Join(std::vector<std::wstring> const& names) {
    std::string out;
    for (auto const& n : names) {
        if (!out.empty()) out += ", ";
        std::wstring pretty = n;
        pretty[0] = static_cast<wchar_t>(std::towupper(pretty[0]));
        out += Narrow(pretty);
    }
    return out;
}

// Refusal for a flange slope s (rise over run) of flanges of average
// thickness T1, T2 and outstands b1, b2 (web face to toe), depth D, root
// radius R, `fillets` fillets along the web (I, H, channel 2; tee 1). A zero
// slope adds nothing to the checks made for parallel flanges. Empty: none.
std::string SlopeProblem(double s, double T1, double b1, double T2, double b2, double D, double R, int fillets) {
    if (s == 0) return {};
    // Thickness T -/+ s b/2 at the toe and at the web face.
    if (!(T1 - s * b1 / 2 > 0) || !(T2 - s * b2 / 2 > 0))
        return "the flange slope is too steep: a flange would have no thickness at its toe (T - slope b'/2 "
               "must be positive, b' the outstand from the web face to the toe)";
    // The fillets end k R along the web from the flange faces at the web,
    // k = 1/(sqrt(1 + s^2) + s).
    double const k = 1.0 / (std::sqrt(1.0 + s * s) + s);
    double const atWeb = fillets == 2 ? T1 + s * b1 / 2 + T2 + s * b2 / 2 : T1 + s * b1 / 2;
    if (!(atWeb < D) || atWeb + fillets * k * R > D)
        return "the sloped flanges and their root fillets do not fit in the depth D (the flanges are "
               "T + slope b'/2 thick at the web face)";
    return {};
}

}  // namespace

namespace detail {

// The rules every section's dimensions obey, descriptions and catalogue rows
// alike (dimensions in m, already positive).
Problem DimensionProblem(CSecGeom::SecShape shape, CSectionDims const& d) {
    switch (shape) {
        case CSecGeom::I:
        case CSecGeom::H:
        case CSecGeom::Channel: {
            bool const channel = shape == CSecGeom::Channel;
            double const B = std::min(d.B1, d.B2);
            if (!(d.T1 + d.T2 < d.D)) return {"the flanges (T1 + T2) must be thinner than the depth D", "T"};
            if (!(d.Tw < B)) return {"the web thickness Tw must be less than the flange width", "Tw"};
            if (channel && d.Tw + d.R > B) return {"the root radius R does not fit on the flange (Tw + R > B)", "R"};
            if (!channel && d.Tw + 2 * d.R > B)
                return {"the root radius R does not fit on the flange (Tw + 2R > B)", "R"};
            if (d.T1 + d.T2 + 2 * d.R > d.D)
                return {"the root radius R does not fit in the web depth (T1 + T2 + 2R > D)", "R"};
            // Outstand from the web face to the toe.
            double const b1 = channel ? d.B1 - d.Tw : (d.B1 - d.Tw) / 2;
            double const b2 = channel ? d.B2 - d.Tw : (d.B2 - d.Tw) / 2;
            return {SlopeProblem(d.slope, d.T1, b1, d.T2, b2, d.D, d.R, 2), "T"};
        }
        case CSecGeom::Tee:
            if (!(d.T1 < d.D)) return {"the flange thickness T must be less than the depth D", "T"};
            if (!(d.Tw < d.B)) return {"the stem thickness Tw must be less than the flange width B", "Tw"};
            if (d.Tw + 2 * d.R > d.B) return {"the root radius R does not fit on the flange (Tw + 2R > B)", "R"};
            if (d.T1 + d.R > d.D) return {"the root radius R does not fit on the stem (T + R > D)", "R"};
            return {SlopeProblem(d.slope, d.T1, (d.B - d.Tw) / 2, d.T1, (d.B - d.Tw) / 2, d.D, d.R, 1), "T"};
        case CSecGeom::Angle:
            if (!(d.t < std::min(d.D, d.B))) return {"the thickness t must be less than both leg lengths", "t"};
            if (d.t + d.R > std::min(d.D, d.B))
                return {"the root radius R does not fit on the legs (t + R > leg)", "R"};
            return {};
        case CSecGeom::RHS:
            if (!(2 * d.tf < d.D)) return {"the walls are too thick for the depth (2 tf must be less than D)", "t"};
            if (!(2 * d.tw < d.B)) return {"the walls are too thick for the width (2 tw must be less than B)", "t"};
            if (2 * d.Ro > std::min(d.D, d.B))
                return {"the corner radius Ro must not exceed half the smaller side", "Ro"};
            return {};
        case CSecGeom::CHS:
            if (!(2 * d.t < d.D)) return {"the wall thickness t must be less than D/2 (use RB for a solid bar)", "t"};
            return {};
        default: return {};
    }
}

}  // namespace detail

bool operator==(CSectionDims const& a, CSectionDims const& b) {
    return a.D == b.D && a.B == b.B && a.B1 == b.B1 && a.T1 == b.T1 && a.B2 == b.B2 && a.T2 == b.T2 && a.Tw == b.Tw &&
           a.R == b.R && a.t == b.t && a.tf == b.tf && a.tw == b.tw && a.Ro == b.Ro && a.slope == b.slope &&
           a.fab == b.fab && a.classH == b.classH && a.flameCut == b.flameCut;
}

wchar_t const* FabricationName(int fab, bool flameCut) {
    for (auto const& w : kFabricationWords)
        if (w.fab == fab && w.flameCut == flameCut) return w.word;
    return nullptr;
}

FabricationWord const* FindFabrication(std::wstring const& word) {
    for (auto const& w : kFabricationWords)
        if (word == w.word) return &w;
    return nullptr;
}

CString ShapeName(CSecGeom::SecShape s) {
    switch (s) {
        case CSecGeom::None: return L"none";
        case CSecGeom::I: return L"I section";
        case CSecGeom::H: return L"H section";
        case CSecGeom::Channel: return L"channel";
        case CSecGeom::Tee: return L"tee";
        case CSecGeom::Angle: return L"angle";
        case CSecGeom::RHS: return L"rectangular hollow section";
        case CSecGeom::CHS: return L"circular hollow section";
        case CSecGeom::Plate: return L"flat plate";
        case CSecGeom::RoundBar: return L"round bar";
        case CSecGeom::DoubleAngle: return L"double angle";
        case CSecGeom::Box: return L"box";
    }
    return L"shape " + std::to_wstring(static_cast<int>(s));
}

CSection::CSection() = default;

CSection::CSection(CString const& description) {
    auto tokens = Tokens(description);
    if (tokens.empty()) return;  // empty section
    // A designation written with spaces ("W 310x60", "HSS 102 x 102 x 6.4"):
    // letters, then numbers and 'x' separators.
    auto const letters = [](std::wstring const& t) {
        return std::all_of(t.begin(), t.end(), [](wchar_t c) { return std::iswalpha(c) != 0; });
    };
    auto const continues = [](std::wstring const& t) {
        return t.find(L'=') == std::wstring::npos &&
               (std::iswdigit(t[0]) || ((t[0] == L'x' || t[0] == L'X') && (t.size() == 1 || std::iswdigit(t[1]))));
    };
    if (letters(tokens[0]) && tokens.size() > 1 && std::iswdigit(tokens[1][0])) {
        while (tokens.size() > 1 && continues(tokens[1])) {
            tokens[0] += tokens[1];
            tokens.erase(tokens.begin() + 1);
        }
        LookUp(tokens[0]);
        DesignationOptions(description, tokens);
        return;
    }
    if (ShapeWord const* const word = FindShapeWord(tokens[0])) {
        ParseParametric(description, word->shape, word->what);
        BuildGeometry();
        return;
    }
    if (tokens[0].find(L'=') != std::wstring::npos)
        Fail(description,
             "the description must start with a shape word (I, H, C, T, L, RHS, CHS, PL, RB) or a "
             "catalogue designation");
    // A handbook designation, optionally followed by fab=...
    LookUp(tokens[0]);
    DesignationOptions(description, tokens);
}

void CSection::DesignationOptions(std::wstring const& description, std::vector<std::wstring> const& tokens) {
    std::vector<std::wstring> given;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        auto const eq = tokens[i].find(L'=');
        bool const option = eq != std::wstring::npos &&
                            Option(description, LowerCase(tokens[i].substr(0, eq)), tokens[i].substr(eq + 1), given);
        if (!option)
            Fail(description, "after a catalogue designation only fab=... and class=... may follow, found \"" +
                                  Narrow(tokens[i]) + "\"");
    }
    CheckOptions(description);
    if (m_dims.classH) m_name += L" class=H";
    BuildGeometry();
}

bool CSection::Option(std::wstring const& text, std::wstring const& name, std::wstring const& value,
                      std::vector<std::wstring>& given) {
    if (name != L"fab" && name != L"class") return false;
    if (std::find(given.begin(), given.end(), name) != given.end()) Fail(text, Narrow(name) + " given twice");
    given.push_back(name);
    std::wstring const v = LowerCase(value);
    if (name == L"class") {
        // CSA G40.20 HSS class: C cold-formed (the default), H hot-formed or stress-relieved.
        if (v != L"h" && v != L"c") Fail(text, "class must be C or H (CSA G40.20 HSS), not \"" + Narrow(value) + "\"");
        m_dims.classH = v == L"h";
        return true;
    }
    if (FabricationWord const* const w = FindFabrication(v)) {
        m_dims.fab = w->fab;
        m_dims.flameCut = w->flameCut;
        return true;
    }
    std::string words;
    for (auto const& w : kFabricationWords) words += Narrow(w.word) + ", ";
    Fail(text, "fab must be one of " + words + "not \"" + Narrow(value) + "\"");
}

void CSection::CheckOptions(std::wstring const& text) const {
    auto const& d = m_dims;
    bool const tube = m_shape == CSecGeom::RHS || m_shape == CSecGeom::CHS;
    if (d.classH && !tube) Fail(text, "class=H applies to hollow sections (CSA G40.20 HSS) only");
    bool const doublySymmetric = (m_shape == CSecGeom::I || m_shape == CSecGeom::H) && d.B1 == d.B2 && d.T1 == d.T2;
    if (d.flameCut && !doublySymmetric)
        Fail(text,
             "fab=welded-flame-cut applies to doubly symmetric welded three-plate members (I or H with equal "
             "flanges) only");
}

namespace {

// The SI value of one dimension of a description: the user's text `value`
// of the dimension `spelled` (as typed; `name` in lower case), in mm (the
// flange slope in percent). Refuses anything but a plain decimal number in
// the dimension's range.
double ReadDimension(std::wstring const& text, std::wstring const& name, std::wstring const& spelled,
                     std::wstring const& value) {
    std::string const narrow = Narrow(value);
    std::string const what = "dimension \"" + Narrow(spelled) + "\"";
    char* end = nullptr;
    double const mm = narrow.empty() ? 0.0 : std::strtod(narrow.c_str(), &end);
    // The whole value must be the number: an embedded NUL byte must not end
    // it early, leaving the rest of the token unread. A plain decimal
    // number only: no hexadecimal (0x12F).
    if (narrow.empty() || end != narrow.c_str() + narrow.size() || narrow.find_first_of("xX") != std::string::npos)
        Fail(text, what + ": \"" + narrow + "\" is not a number");
    if (!std::isfinite(mm)) Fail(text, what + " is not a finite number");
    bool const mayBeZero = name == L"r" || name == L"ro" || name == L"slope";
    if (mayBeZero ? mm < 0 : !(mm > 0))
        Fail(text, what + " must be " + (mayBeZero ? "zero or positive" : "positive") + " (got " + narrow + ")");
    // No section is a kilometre across; far beyond that the second
    // moments and the warping constant overflow to infinities whose
    // differences are NaN.
    if (name != L"slope" && mm > detail::kMaxDimensionMm)
        Fail(text, what + " must be at most 1000000 mm (got " + narrow + ")");
    // Lengths in mm; the flange slope in percent. "-0" is zero (so that
    // it names and compares as the zero it is).
    double const si = name == L"slope" ? mm / 100.0 : mm * kMm;
    return si == 0 ? 0.0 : si;
}

// The dimensions read from a description (lower-case name -> SI value).
using DimensionValues = std::map<std::wstring, double>;

// Sets the dimensions of a shape from the values given: each required one
// present, the optional ones zero when absent, no two ways of giving the
// flanges or walls at once. what: the shape ("an I section").
void SetShapeDimensions(std::wstring const& text, CSecGeom::SecShape shape, char const* what, DimensionValues const& v,
                        CSectionDims& d) {
    auto need = [&](wchar_t const* n) {
        auto it = v.find(n);
        if (it == v.end()) {
            std::wstring pretty = n;
            pretty[0] = static_cast<wchar_t>(std::towupper(pretty[0]));
            Fail(text, "missing dimension \"" + Narrow(pretty) + "\" for " + what);
        }
        return it->second;
    };
    auto opt = [&](wchar_t const* n) { return v.count(n) ? v.at(n) : 0.0; };
    switch (shape) {
        case CSecGeom::I:
        case CSecGeom::H:
        case CSecGeom::Channel: {
            bool const equal = v.count(L"b") || v.count(L"t");
            bool const unequal = v.count(L"b1") || v.count(L"t1") || v.count(L"b2") || v.count(L"t2");
            if (equal && unequal) Fail(text, "give either B and T (equal flanges) or B1, T1, B2, T2, not both");
            d.D = need(L"d");
            if (unequal) {
                d.B1 = need(L"b1");
                d.T1 = need(L"t1");
                d.B2 = need(L"b2");
                d.T2 = need(L"t2");
            } else {
                d.B1 = d.B2 = need(L"b");
                d.T1 = d.T2 = need(L"t");
            }
            d.Tw = need(L"tw");
            d.R = opt(L"r");
            d.B = std::max(d.B1, d.B2);
            d.slope = opt(L"slope");
            break;
        }
        case CSecGeom::Tee:
            d.D = need(L"d");
            d.B = d.B1 = d.B2 = need(L"b");
            d.T1 = d.T2 = need(L"t");
            d.Tw = need(L"tw");
            d.R = opt(L"r");
            d.slope = opt(L"slope");
            break;
        case CSecGeom::Angle:
            d.D = need(L"d");
            d.B = need(L"b");
            d.t = need(L"t");
            d.R = opt(L"r");
            break;
        case CSecGeom::RHS: {
            bool const one = v.count(L"t") != 0;
            bool const two = v.count(L"tf") || v.count(L"tw");
            if (one && two) Fail(text, "give either t or tf and tw, not both");
            d.D = need(L"d");
            d.B = need(L"b");
            d.tf = two ? need(L"tf") : need(L"t");
            d.tw = two ? need(L"tw") : d.tf;
            d.t = std::max(d.tf, d.tw);
            d.Ro = opt(L"ro");
            break;
        }
        case CSecGeom::CHS: d.D = need(L"d"), d.t = need(L"t"); break;
        case CSecGeom::Plate: d.B = need(L"b"), d.t = need(L"t"); break;
        case CSecGeom::RoundBar: d.D = need(L"d"); break;
        default: break;
    }
}

// The normalised text of a parametric section: the shape word in capitals
// and the dimensions in a fixed order, in mm.
std::wstring NormalisedName(std::wstring word, CSecGeom::SecShape shape, CSectionDims const& d) {
    std::wstring name = std::move(word);
    for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
    auto put = [&name](wchar_t const* label, double m) { name += L" " + std::wstring(label) + L"=" + Mm(m); };
    auto slope = [&name](double s) {
        if (s != 0) name += L" slope=" + Percent(s);
    };
    switch (shape) {
        case CSecGeom::I:
        case CSecGeom::H:
        case CSecGeom::Channel:
            put(L"D", d.D);
            if (d.B1 == d.B2 && d.T1 == d.T2) {
                put(L"B", d.B1);
                put(L"T", d.T1);
            } else {
                put(L"B1", d.B1), put(L"T1", d.T1), put(L"B2", d.B2), put(L"T2", d.T2);
            }
            put(L"Tw", d.Tw), put(L"R", d.R), slope(d.slope);
            break;
        case CSecGeom::Tee:
            put(L"D", d.D), put(L"B", d.B), put(L"T", d.T1), put(L"Tw", d.Tw), put(L"R", d.R), slope(d.slope);
            break;
        case CSecGeom::Angle: put(L"D", d.D), put(L"B", d.B), put(L"t", d.t), put(L"R", d.R); break;
        case CSecGeom::RHS:
            put(L"D", d.D), put(L"B", d.B);
            if (d.tf == d.tw) {
                put(L"t", d.tf);
            } else {
                put(L"tf", d.tf), put(L"tw", d.tw);
            }
            if (d.Ro > 0) put(L"Ro", d.Ro);
            break;
        case CSecGeom::CHS: put(L"D", d.D), put(L"t", d.t); break;
        case CSecGeom::Plate: put(L"B", d.B), put(L"t", d.t); break;
        case CSecGeom::RoundBar: put(L"D", d.D); break;
        default: break;
    }
    if (d.classH) name += L" class=H";
    return name;
}

}  // namespace

void CSection::ParseParametric(std::wstring const& text, CSecGeom::SecShape shape, char const* what) {
    auto const tokens = Tokens(text);
    m_shape = shape;
    auto const allowed = Allowed(m_shape);
    // Read: each name=value, an option (fab, class) or a dimension.
    DimensionValues v;
    std::vector<std::wstring> options;
    for (std::size_t i = 1; i < tokens.size(); ++i) {
        auto const& tok = tokens[i];
        auto const eq = tok.find(L'=');
        if (eq == std::wstring::npos || eq == 0) Fail(text, "expected name=value, found \"" + Narrow(tok) + "\"");
        std::wstring const spelled = tok.substr(0, eq);
        std::wstring const name = LowerCase(spelled);
        std::wstring const value = tok.substr(eq + 1);
        if (Option(text, name, value, options)) continue;
        if (std::find(allowed.begin(), allowed.end(), name) == allowed.end())
            Fail(text,
                 "dimension \"" + Narrow(spelled) + "\" is not used by " + what + " (expected " + Join(allowed) + ")");
        if (v.count(name)) Fail(text, "dimension \"" + Narrow(spelled) + "\" given twice");
        v[name] = ReadDimension(text, name, spelled, value);
    }
    // Decide: the shape's dimensions, checked as every section's are.
    SetShapeDimensions(text, m_shape, what, v, m_dims);
    if (auto const problem = detail::DimensionProblem(m_shape, m_dims); !problem.why.empty()) Fail(text, problem.why);
    CheckOptions(text);
    m_name = NormalisedName(tokens[0], m_shape, m_dims);
}

void CSection::LookUp(std::wstring const& designation) {
    auto const entry = detail::ResolveDesignation(designation, CatalogDirectory());
    m_shape = entry.shape;
    m_dims = entry.dims;
    m_tab = entry.tab;
    m_name = entry.name;
    m_catalogue = true;
}

std::vector<std::string> CSection::CatalogNames(std::string const& prefix) {
    return detail::CatalogNames(CatalogDirectory(), prefix);
}

namespace {
// The geometries built so far, shared by every section of the same shape,
// dimensions and tabulated properties (a geometry never changes once built:
// computing it, the plastic axes found by bisection, costs far more than a
// look-up). Safe across threads; the oldest entry gives way when full.
class GeometryCache {
public:
    using Geometry = std::shared_ptr<Corvid::Steel::CDesSectGeom const>;
    template <class Build>
    Geometry Get(CSecGeom::SecShape shape, CSectionDims const& dims, CTabulatedProps const& tab, Build build) {
        {
            std::lock_guard<std::mutex> const lock(m_mutex);
            for (Entry const& e : m_entries)
                if (e.shape == shape && e.dims == dims && e.tab == tab) return e.geom;
        }
        Geometry g = build();
        std::lock_guard<std::mutex> const lock(m_mutex);
        if (m_entries.size() < kEntries)
            m_entries.push_back({shape, dims, tab, g});
        else
            m_entries[m_next++ % kEntries] = {shape, dims, tab, g};
        return g;
    }

private:
    static constexpr std::size_t kEntries = 256;
    struct Entry {
        CSecGeom::SecShape shape;
        CSectionDims dims;
        CTabulatedProps tab;
        Geometry geom;
    };
    std::mutex m_mutex;
    std::vector<Entry> m_entries;
    std::size_t m_next = 0;
};
}  // namespace

void CSection::BuildGeometry() {
    static GeometryCache cache;
    m_geom = cache.Get(m_shape, m_dims, m_tab, [this]() -> GeometryCache::Geometry {
        auto g = detail::BuildGeometry(m_shape, m_dims);
        if (g) g->UseTabulated(m_tab);
        return g;
    });
}

namespace detail {

namespace {
// A geometry of class G given its dimensions.
template <class G, class... Dims>
std::shared_ptr<Corvid::Steel::CDesSectGeom> Built(Dims... dims) {
    auto g = std::make_shared<G>();
    g->SetDimensions(dims...);
    return g;
}
}  // namespace

std::shared_ptr<Corvid::Steel::CDesSectGeom> BuildGeometry(CSecGeom::SecShape shape, CSectionDims const& d) {
    using namespace Corvid::Steel;
    std::shared_ptr<CDesSectGeom> g;
    switch (shape) {
        case CSecGeom::I:
        case CSecGeom::H: g = Built<CDesSectGeomI>(d.D, d.B1, d.T1, d.B2, d.T2, d.Tw, d.R, d.slope); break;
        case CSecGeom::Channel: g = Built<CDesSectGeomPFC>(d.D, d.B1, d.T1, d.B2, d.T2, d.Tw, d.R, d.slope); break;
        case CSecGeom::Tee: g = Built<CDesSectGeomT>(d.D, d.B1, d.T1, d.Tw, d.R, d.slope); break;
        case CSecGeom::Angle: g = Built<CDesSectGeomAngle>(d.D, d.B, d.t, d.R); break;
        case CSecGeom::RHS: g = Built<CDesSectGeomRHS>(d.D, d.B, d.tf, d.tw, d.Ro); break;
        case CSecGeom::CHS: g = Built<CDesSectGeomCHS>(d.D, d.t); break;
        default: break;
    }
    if (g) g->SetFabricationType(d.fab);
    return g;
}

}  // namespace detail

CString CSection::Description(bool dims, bool fab, bool name) const {
    if (IsEmpty()) return L"";
    CString out;
    if (name || !(dims || fab) || !m_catalogue) out = m_name;
    if (dims && m_catalogue) {
        // A catalogue section: its dimensions as a parametric text.
        auto const& d = m_dims;
        CString p;
        auto put = [&p](wchar_t const* label, double m) {
            p += (p.empty() ? L"" : L" ") + CString(label) + L"=" + MmShort(m);
        };
        switch (m_shape) {
            case CSecGeom::I:
            case CSecGeom::H:
            case CSecGeom::Channel:
            case CSecGeom::Tee:
                put(L"D", d.D), put(L"B", d.B1), put(L"T", d.T1), put(L"Tw", d.Tw), put(L"R", d.R);
                if (d.slope != 0) {
                    char buf[40];
                    std::snprintf(buf, sizeof buf, "%g", d.slope * 100.0);
                    p += L" slope=" + Widen(buf);
                }
                break;
            case CSecGeom::Angle: put(L"D", d.D), put(L"B", d.B), put(L"t", d.t), put(L"R", d.R); break;
            case CSecGeom::RHS: put(L"D", d.D), put(L"B", d.B), put(L"t", d.tf), put(L"Ro", d.Ro); break;
            case CSecGeom::CHS: put(L"D", d.D), put(L"t", d.t); break;
            default: break;
        }
        out += (out.empty() ? L"" : L" ") + (L"(" + p + L")");
    }
    if (fab) {
        wchar_t const* const word = FabricationName(m_dims.fab, m_dims.flameCut);
        out += (out.empty() ? L"" : L" ") + CString(L"fab=") + (word ? CString(word) : std::to_wstring(m_dims.fab));
    }
    return out;
}

void CSection::SetCatalogDirectory(std::string const& dir) {
    std::lock_guard<std::mutex> lock(CatalogMutex());
    CatalogSetting() = dir;
}

std::string CSection::CatalogDirectory() {
    {
        std::lock_guard<std::mutex> lock(CatalogMutex());
        if (!CatalogSetting().empty()) return CatalogSetting();
    }
    char const* env = std::getenv("S16_SECTION_CATALOG");
    return env ? std::string(env) : std::string();
}

bool operator==(CTabulatedProps const& a, CTabulatedProps const& b) {
    auto same = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    return same(a.A, b.A) && same(a.Ixx, b.Ixx) && same(a.Iyy, b.Iyy) && same(a.Sxx, b.Sxx) && same(a.Syy, b.Syy) &&
           same(a.Zxx, b.Zxx) && same(a.Zyy, b.Zyy) && same(a.J, b.J) && same(a.Cw, b.Cw) && same(a.Xbar, b.Xbar) &&
           same(a.Ybar, b.Ybar);
}

bool operator==(CSection const& a, CSection const& b) {
    return a.m_shape == b.m_shape && a.m_dims == b.m_dims && a.m_tab == b.m_tab && a.m_name == b.m_name &&
           a.m_catalogue == b.m_catalogue;
}

}  // namespace Corvid::Data
