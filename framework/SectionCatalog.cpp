#include "SectionCatalog.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace Corvid::Data::detail {

namespace {

struct Row {
    CSecGeom::SecShape shape = CSecGeom::None;
    CSectionDims dims;
    std::string name;
    std::string refusal;  // why the designation cannot be used (empty: it can)
};

using Catalog = std::map<std::string, Row>;  // key: lower-case designation

std::string Lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> SplitLine(std::string const& line) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : line) {
        if (c == ',') {
            out.push_back(cur);
            cur.clear();
        } else if (c != '\r' && c != '"') {
            cur.push_back(c);
        }
    }
    out.push_back(cur);
    return out;
}

// Reads one CSV file. make(row) turns the named columns (mm) into a Row.
template <class Make>
void ReadFile(std::string const& path, Catalog& catalog, Make make) {
    std::ifstream in(path);
    if (!in) return;  // a missing file simply contributes nothing
    std::string line;
    if (!std::getline(in, line)) return;
    auto const header = SplitLine(line);
    std::map<std::string, std::size_t> col;
    for (std::size_t i = 0; i < header.size(); ++i) col[header[i]] = i;
    while (std::getline(in, line)) {
        auto const cells = SplitLine(line);
        if (cells.empty() || cells[0].empty()) continue;
        auto get = [&](char const* name) {
            auto it = col.find(name);
            if (it == col.end() || it->second >= cells.size() || cells[it->second].empty())
                return std::nan("");
            try {
                return std::stod(cells[it->second]) * 1e-3;  // mm -> m
            } catch (std::exception const&) {
                return std::nan("");
            }
        };
        auto text = [&](char const* name) -> std::string {
            auto it = col.find(name);
            if (it == col.end() || it->second >= cells.size()) return {};
            return cells[it->second];
        };
        Row row;
        row.name = cells[0];
        if (make(row, get, text)) catalog[Lower(row.name)] = row;
    }
}

// --- Sloped flanges and root radii ------------------------------------------
//
// W, HP and WT shapes have parallel flanges; their root radius is
// R = kdes - tf (kdes: outer flange face to the web toe of the fillet).
//
// American Standard S beams, C channels and the ST tees cut from S beams have
// inner flange faces sloping 16 2/3 % (AISC Steel Construction Manual,
// dimensions and properties chapter) and rounded flange toes, and tf is the
// average flange thickness (README of the section tables). The geometry
// models the slope but not the rounded toes, which take steel from the
// flange tips, where it counts most for Iy. With the nominal 16 2/3 % the
// modelled Iy and Sy of these shapes exceed the tabulated values by up to
// 3.6 % (S), 3.8 % (ST) and 4.6 % (C), the excess growing as the shapes get
// smaller, as rounded toes of similar proportions would make it. A slope fitted to the tabulated Iy of
// each row lies between 17.2 % and 20.3 % (S 17.6-19.9 %, C 17.2-20.3 %);
// the catalogue models all three families with 18.5 %, which removes about
// as much steel from the tips as the toes do: no modelled Iy, Sy or Zy then
// exceeds the table by more than 1.6 % (S, ST) or 2.2 % (the smallest C
// shapes), and none falls more than 2 % below it. The slope shown in the
// dimensions of these designations is therefore this modelling slope, not
// the nominal one.
//
// For the sloped shapes kdes is measured where the flange is thickest and is
// a rounded detailing value, so kdes - tf overstates the fillets: with
// parallel flanges A comes out up to 6 % high, and even with the flange
// thickening at the web taken off, (kdes - t_web)/k below, up to 2.7 %. Their
// root radius is instead the one that gives the tabulated
// area A: the fillet-free area is
//   I:       A0 = D Tw + 2 (B - Tw) T      (four outstands (B - Tw)/2)
//   channel: A0 = D Tw + 2 (B - Tw) T      (two outstands B - Tw)
//   tee:     A0 = D Tw + (B - Tw) T
// (each outstand's mean thickness is T whatever the slope), and a fillet of
// radius R between the web face and a face sloping at s adds
//   R^2 f(s),  f(s) = k - (pi/4 - atan(s)/2),  k = 1/(sqrt(1 + s^2) + s),
// (the web and the face meet at pi/2 + atan(s); for s = 0, f = 1 - pi/4).
// So R = sqrt((A - A0) / (n f(s))) with n fillets, and none when A <= A0.
// When A is not given, R = (kdes - t_web) / k from the flange thickness at
// the web face t_web = T + s b'/2 (the fillet's tangent point on the web
// lies k R inside that face).
//
// M shapes and the MT tees cut from them: the tables do not say which have
// sloped flanges (the source's T_F marker is not in the CSV), and a slope
// fitted to the tabulated Iy of each M row is at most 0.5 %, so they are
// modelled with parallel flanges. Their kdes - tf is also far too large for
// the tabulated area (A up to 5 % high, Ix up to 7 %), so their root radius
// too is the one that gives the tabulated area.
//
// Two small ST tees, ST37.5x4.25 and ST50x5.75, are refused too: a tee's Ix
// about its own centroid is half the parent's Ix less A e^2 (e from the
// parent's centroid to the tee's), two nearly equal numbers, so the flange
// details the model lacks show up magnified, and for these two the modelled
// Ix and Sx exceed the tabulated values by more than 2.5 % (up to 3.9 %).
// The other ST rows stay within 2.5 %.
//
// MC channels: their flange slopes differ from shape to shape (a slope
// fitted to the tabulated Iy ranges from 5 % to 19 %: about 5-9 % for most,
// 15-16 % for MC330, 17-19 % for the lightest) and are not in the tables, so
// no slope can be taken from the row; the catalogue refuses them.

constexpr double kPi = 3.14159265358979323846;
constexpr double kSlopeAmericanStandard = 0.185;

// Fillet area per R^2 between the web and a face sloping at s.
double FilletAreaFactor(double s) {
    double const k = 1.0 / (std::sqrt(1.0 + s * s) + s);
    return k - (kPi / 4.0 - std::atan(s) / 2.0);
}

// Root radius giving the tabulated area A (m^2) to n fillets; the kdes rule
// when A is not given.
double RadiusFromArea(double A, double A0, int n, double s, double kdes, double T, double outstand) {
    if (!std::isfinite(A)) {
        double const k = 1.0 / (std::sqrt(1.0 + s * s) + s);
        return std::max(0.0, (kdes - (T + s * outstand / 2.0)) / k);
    }
    return A > A0 ? std::sqrt((A - A0) / (n * FilletAreaFactor(s))) : 0.0;
}

std::string const kMcRefusal =
    "MC channels have sloped inner flange faces whose slope differs from shape to shape and is not in the "
    "catalogue, so the shape's sloped flanges cannot be modelled from the catalogue dimensions; give a "
    "parametric description instead (C D=.. B=.. T=.. Tw=.. R=.. slope=.., the slope in percent)";

std::string const kSmallTeeRefusal =
    "the sloped flanges of this small tee cannot be modelled from the catalogue dimensions closely enough (its "
    "modelled Ix and Sx would exceed the tabulated values by more than 2.5 %); give a parametric description "
    "instead (T D=.. B=.. T=.. Tw=.. R=.. slope=.., the slope in percent)";

std::unique_ptr<Catalog> Load(std::string const& dir) {
    auto cat = std::make_unique<Catalog>();
    auto const base = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    // Rolled I shapes: the root radius is kdes - tf (W, HP); S and M as above.
    ReadFile(base + "i_shapes.csv", *cat, [](Row& r, auto get, auto text) {
        r.shape = CSecGeom::I;
        auto& d = r.dims;
        d.D = get("d");
        d.B = d.B1 = d.B2 = get("bf");
        d.T1 = d.T2 = get("tf");
        d.Tw = get("tw");
        std::string const type = text("type");
        double const kdes = get("k_des_or_r");
        if (type == "S" || type == "M") {
            d.slope = type == "S" ? kSlopeAmericanStandard : 0.0;
            double const A = get("A") * 1e-3;  // mm^2 -> m^2 (get already scales by 1e-3)
            d.R = RadiusFromArea(A, d.D * d.Tw + 2 * (d.B1 - d.Tw) * d.T1, 4, d.slope, kdes, d.T1,
                                 (d.B1 - d.Tw) / 2);
        } else {
            d.R = kdes - d.T1;
        }
        return true;
    });
    ReadFile(base + "channels.csv", *cat, [](Row& r, auto get, auto text) {
        r.shape = CSecGeom::Channel;
        auto& d = r.dims;
        d.D = get("d");
        d.B = d.B1 = d.B2 = get("bf");
        d.T1 = d.T2 = get("tf");
        d.Tw = get("tw");
        if (text("type") == "MC") {
            d.R = get("kdes") - d.T1;
            r.refusal = kMcRefusal;
            return true;
        }
        d.slope = kSlopeAmericanStandard;
        double const A = get("A") * 1e-3;  // mm^2 -> m^2
        d.R = RadiusFromArea(A, d.D * d.Tw + 2 * (d.B1 - d.Tw) * d.T1, 2, d.slope, get("kdes"), d.T1, d.B1 - d.Tw);
        return true;
    });
    ReadFile(base + "tees.csv", *cat, [](Row& r, auto get, auto text) {
        r.shape = CSecGeom::Tee;
        auto& d = r.dims;
        d.D = get("d");
        d.B = d.B1 = d.B2 = get("bf");
        d.T1 = d.T2 = get("tf");
        d.Tw = get("tw");
        std::string const type = text("type");
        double const kdes = get("kdes");
        if (type == "ST" || type == "MT") {
            d.slope = type == "ST" ? kSlopeAmericanStandard : 0.0;
            double const A = get("A") * 1e-3;  // mm^2 -> m^2
            d.R = RadiusFromArea(A, d.D * d.Tw + (d.B - d.Tw) * d.T1, 2, d.slope, kdes, d.T1, (d.B - d.Tw) / 2);
            if (r.name == "ST37.5x4.25" || r.name == "ST50x5.75") r.refusal = kSmallTeeRefusal;
        } else {
            d.R = kdes - d.T1;
        }
        return true;
    });
    // Angles: column d is the shorter leg and b the longer; the longer leg
    // stands vertical (our D), the shorter lies along x (our B).
    ReadFile(base + "angles.csv", *cat, [](Row& r, auto get, auto) {
        r.shape = CSecGeom::Angle;
        auto& d = r.dims;
        d.D = get("b");
        d.B = get("d");
        d.t = get("t");
        d.R = get("kdes") - d.t;
        return true;
    });
    // Rectangular HSS: design thickness tdes, outside corner radius 2 tdes.
    ReadFile(base + "hss_rect.csv", *cat, [](Row& r, auto get, auto) {
        r.shape = CSecGeom::RHS;
        auto& d = r.dims;
        d.D = get("Ht");
        d.B = get("B");
        d.t = d.tf = d.tw = get("tdes");
        d.Ro = 2.0 * d.t;
        d.fab = FabRolled;
        return true;
    });
    ReadFile(base + "hss_round.csv", *cat, [](Row& r, auto get, auto) {
        r.shape = CSecGeom::CHS;
        auto& d = r.dims;
        d.D = get("OD");
        d.t = get("tdes");
        return true;
    });
    return cat;
}

Catalog const& CatalogFor(std::string const& dir) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<Catalog>> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto& slot = cache[dir];
    if (!slot) slot = Load(dir);
    return *slot;
}

bool FiniteDims(CSectionDims const& d) {
    for (double v : {d.D, d.B, d.B1, d.T1, d.B2, d.T2, d.Tw, d.R, d.t, d.tf, d.tw, d.Ro, d.slope})
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

void LookUpCatalog(std::wstring const& designation, std::string const& dir, CSecGeom::SecShape& shape,
                   CSectionDims& dims, std::wstring& name) {
    std::string const key = Lower(Narrow(designation));
    if (dir.empty())
        throw std::invalid_argument("section \"" + Narrow(designation) +
                                    "\" is not a parametric description and no section catalogue is set (give a "
                                    "catalogue folder, or set S16_SECTION_CATALOG)");
    auto const& cat = CatalogFor(dir);
    if (cat.empty())
        throw std::invalid_argument("section catalogue \"" + dir + "\" holds no readable section tables");
    auto it = cat.find(key);
    if (it == cat.end())
        throw std::invalid_argument("unknown section \"" + Narrow(designation) + "\": not in the catalogue \"" + dir +
                                    "\"");
    Row const& row = it->second;
    if (!row.refusal.empty()) throw std::invalid_argument("section \"" + row.name + "\": " + row.refusal);
    if (!FiniteDims(row.dims))
        throw std::invalid_argument("section \"" + row.name + "\": the catalogue row lacks a dimension");
    shape = row.shape;
    dims = row.dims;
    name = Widen(row.name);
}

}  // namespace Corvid::Data::detail
