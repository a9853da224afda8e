#include "SectionCatalog.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "DesignConstants.h"
#include "SectGeom.h"
#include "TextCase.h"

namespace Corvid::Data::detail {

namespace {

struct Row {
    CSecGeom::SecShape shape = CSecGeom::None;
    CSectionDims dims;
    std::string name;
    std::string place;  // "i_shapes.csv, line 12"
    CTabulatedProps tab;
};

struct Catalog {
    std::vector<Row> rows;                     // in the order of the files
    std::map<std::string, std::size_t> index;  // lower-case designation -> row
    std::vector<std::string> problems;         // every fault found; empty: sound
    bool anyFile = false;
};

std::string Trim(std::string const& s) {
    auto const a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// Splits one CSV record. A cell in double quotes may hold commas, and a
// doubled quote stands for one. False when a quote is left open.
bool SplitRecord(std::string line, std::vector<std::string>& cells) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    cells.assign(1, std::string());
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char const c = line[i];
        if (quoted) {
            if (c != '"')
                cells.back().push_back(c);
            else if (i + 1 < line.size() && line[i + 1] == '"')
                cells.back().push_back('"'), ++i;
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            cells.emplace_back();
        } else {
            cells.back().push_back(c);
        }
    }
    for (auto& c : cells) c = Trim(c);
    return !quoted;
}

// A cell that is entirely a decimal number ("12", "-1.5e3"). False otherwise.
bool ReadNumber(std::string const& cell, double& value) {
    if (cell.empty() || cell.find_first_not_of("0123456789+-.eE") != std::string::npos) return false;
    char* end = nullptr;
    value = std::strtod(cell.c_str(), &end);
    return end == cell.c_str() + cell.size() && std::isfinite(value);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using Corvid::Design::kMm;

// One row of a CSV file as the makers below read it; every fault is added to
// the catalogue's problems, naming the file, the line, the column and the
// designation.
class Cells {
public:
    Cells(std::vector<std::string> const& cells, std::map<std::string, std::size_t> const& col, std::string where,
          std::vector<std::string>& problems)
        : m_cells(cells), m_col(col), m_where(std::move(where)), m_problems(problems) {}

    // A dimension in mm, as m: required and positive.
    double Dim(char const* column) {
        double v = Cell(column, true);
        if (std::isfinite(v) && !(v > 0)) {
            Fault(column, "must be positive (got \"" + Text(column) + "\")");
            v = kNaN;
        } else if (v > kMaxDimensionMm) {
            Fault(column, "must be at most 1000000 mm (got \"" + Text(column) + "\")");
            v = kNaN;
        }
        return v * kMm;
    }
    // A tabulated value in the file's unit: NaN when the column or the value
    // is absent.
    double Value(char const* column) { return Cell(column, false); }
    std::string Text(char const* column) const {
        auto it = m_col.find(column);
        return it == m_col.end() || it->second >= m_cells.size() ? std::string() : m_cells[it->second];
    }
    void Fault(std::string const& column, std::string const& why) {
        m_problems.push_back(m_where + ", column \"" + column + "\": " + why);
    }

private:
    double Cell(char const* column, bool required) {
        auto it = m_col.find(column);
        if (it == m_col.end()) return kNaN;  // a missing required column is told once, for the file
        std::string const cell = it->second < m_cells.size() ? m_cells[it->second] : std::string();
        double v = kNaN;
        if (cell.empty()) {
            if (required) Fault(column, "no value");
        } else if (!ReadNumber(cell, v)) {
            Fault(column, "\"" + cell + "\" is not a number");
            v = kNaN;
        }
        return v;
    }

    std::vector<std::string> const& m_cells;
    std::map<std::string, std::size_t> const& m_col;
    std::string m_where;
    std::vector<std::string>& m_problems;
};

// A tabulated property: its column, where it goes, and the factor from the
// table's unit to SI.
struct Tabulated {
    char const* column;
    double CTabulatedProps::*field;
    double scale;
};

// What a table holds: its file, the columns a row must have, the column that
// holds each dimension a rule may name, its tabulated area and Ix, and the
// properties it tabulates.
struct Table {
    char const* file;
    std::vector<char const*> required;
    std::map<std::string, std::string> columnOf;  // dimension ("R") -> column
    char const* area;                             // mm^2
    char const* ix;                               // 10^6 mm^4
    std::vector<Tabulated> props;
    std::function<void(Row&, Cells&)> make;
};

// Units of the tables: mm^2; 10^6 mm^4; 10^3 mm^3; J 10^3 mm^4; Cw 10^9 mm^6; mm.
constexpr double kMm2 = 1e-6, kI = 1e-6, kS = 1e-6, kJ = 1e-9, kCw = 1e-9;
using P = CTabulatedProps;
// A, Ix, Iy, the elastic (S) and plastic (Z) moduli, J, Cw as AISC names
// them (the framework's Sxx is the plastic modulus, Zxx the elastic).
std::vector<Tabulated> const kShapeProps = {{"A", &P::A, kMm2},  {"Ix", &P::Ixx, kI}, {"Iy", &P::Iyy, kI},
                                            {"Sx", &P::Zxx, kS}, {"Sy", &P::Zyy, kS}, {"Zx", &P::Sxx, kS},
                                            {"Zy", &P::Syy, kS}, {"J", &P::J, kJ},    {"Cw", &P::Cw, kCw}};

std::vector<Tabulated> With(std::vector<Tabulated> v, std::vector<Tabulated> const& more) {
    v.insert(v.end(), more.begin(), more.end());
    return v;
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
// Where a row tabulates a gross property (A, Ix, Iy, the elastic and
// plastic moduli, J, Cw, the centroid) the section uses the tabulated value,
// as handbook users expect, so the model's departures from the rolled shape
// (the rounded toes above; for two small ST tees, ST37.5x4.25 and
// ST50x5.75, Ix and Sx up to 3.9 % high, a tee's Ix about its own centroid
// being the difference of two nearly equal numbers) touch only what the
// dimensions drive: classification, effective properties, local checks.
//
// MC channels: their flange slopes differ from shape to shape (a slope
// fitted to the tabulated Iy ranges from 5 % to 19 %: about 5-9 % for most,
// 15-16 % for MC330, 17-19 % for the lightest) and are not in the tables, so
// they are modelled with parallel flanges of the average thickness tf and
// the root radius that gives the tabulated area; their gross properties are
// the tabulated ones.

using Corvid::Design::kPi;
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

// The dimensions of a rolled shape with two equal flanges (I, channel) or
// one (tee) from the columns d, bf, tf, tw.
void ReadFlanges(Row& r, Cells& c, CSecGeom::SecShape shape) {
    r.shape = shape;
    auto& d = r.dims;
    d.D = c.Dim("d");
    d.B = d.B1 = d.B2 = c.Dim("bf");
    d.T1 = d.T2 = c.Dim("tf");
    d.Tw = c.Dim("tw");
}

// The flange slope and root radius of an I or a tee of the given type: the
// American Standard shapes (type `sloped`: S, ST) sloped, and they and the M
// shapes (type `fitted`: M, MT) with the radius that gives the tabulated
// area A to n fillets (A0: the fillet-free area, outstands (B - Tw)/2);
// the others (W, HP, WT) parallel, with R = kdes - tf.
void FitRootRadius(CSectionDims& d, std::string const& type, char const* sloped, char const* fitted, double kdes,
                   double A, double A0, int n) {
    if (type != sloped && type != fitted) {
        d.R = kdes - d.T1;
        return;
    }
    d.slope = type == sloped ? kSlopeAmericanStandard : 0.0;
    d.R = RadiusFromArea(A, A0, n, d.slope, kdes, d.T1, (d.B1 - d.Tw) / 2);
}

void MakeIRow(Row& r, Cells& c) {
    ReadFlanges(r, c, CSecGeom::I);
    auto& d = r.dims;
    FitRootRadius(d, c.Text("type"), "S", "M", c.Dim("k_des_or_r"), r.tab.A, d.D * d.Tw + 2 * (d.B1 - d.Tw) * d.T1, 4);
}

void MakeChannelRow(Row& r, Cells& c) {
    ReadFlanges(r, c, CSecGeom::Channel);
    auto& d = r.dims;
    d.slope = c.Text("type") == "MC" ? 0.0 : kSlopeAmericanStandard;
    d.R = RadiusFromArea(r.tab.A, d.D * d.Tw + 2 * (d.B1 - d.Tw) * d.T1, 2, d.slope, c.Dim("kdes"), d.T1, d.B1 - d.Tw);
}

void MakeTeeRow(Row& r, Cells& c) {
    ReadFlanges(r, c, CSecGeom::Tee);
    auto& d = r.dims;
    FitRootRadius(d, c.Text("type"), "ST", "MT", c.Dim("kdes"), r.tab.A, d.D * d.Tw + (d.B - d.Tw) * d.T1, 2);
    r.tab.Ybar = d.D - r.tab.Ybar;  // the geometry's y runs from the tip of the stem
}

void MakeAngleRow(Row& r, Cells& c) {
    r.shape = CSecGeom::Angle;
    auto& d = r.dims;
    d.D = c.Dim("b");
    d.B = c.Dim("d");
    d.t = c.Dim("t");
    d.R = c.Dim("kdes") - d.t;
}

void MakeRectangularTubeRow(Row& r, Cells& c) {
    r.shape = CSecGeom::RHS;
    auto& d = r.dims;
    d.D = c.Dim("Ht"), d.B = c.Dim("B");
    d.t = d.tf = d.tw = c.Dim("tdes");
    d.Ro = 2.0 * d.t;
}

void MakeRoundTubeRow(Row& r, Cells& c) {
    r.shape = CSecGeom::CHS;
    auto& d = r.dims;
    d.D = c.Dim("OD"), d.t = c.Dim("tdes");
}

std::vector<Table> const& Tables() {
    static std::vector<Table> const tables = {
        // Rolled I shapes: the root radius is kdes - tf (W, HP); S and M as above.
        {"i_shapes.csv",
         {"designation", "type", "d", "bf", "tw", "tf", "k_des_or_r"},
         {{"D", "d"}, {"B", "bf"}, {"T", "tf"}, {"Tw", "tw"}, {"R", "k_des_or_r"}},
         "A",
         "Ix",
         kShapeProps,
         MakeIRow},
        {"channels.csv",
         {"designation", "type", "d", "bf", "tw", "tf", "kdes"},
         {{"D", "d"}, {"B", "bf"}, {"T", "tf"}, {"Tw", "tw"}, {"R", "kdes"}},
         "A",
         "Ix",
         With(kShapeProps, {{"x_bar", &P::Xbar, kMm}}),  // from the back of the web, as the geometry
         MakeChannelRow},
        {"tees.csv",
         {"designation", "type", "d", "bf", "tw", "tf", "kdes"},
         {{"D", "d"}, {"B", "bf"}, {"T", "tf"}, {"Tw", "tw"}, {"R", "kdes"}},
         "A",
         "Ix",
         With(kShapeProps, {{"y_bar", &P::Ybar, kMm}}),  // from the flange face: turned below
         MakeTeeRow},
        // Angles: column d is the shorter leg and b the longer; the longer leg
        // stands vertical (our D), the shorter lies along x (our B).
        {"angles.csv",
         {"designation", "d", "b", "t", "kdes"},
         {{"D", "b"}, {"B", "d"}, {"t", "t"}, {"R", "kdes"}},
         "A",
         "Ix",
         With(kShapeProps, {{"x_bar", &P::Xbar, kMm}, {"y_bar", &P::Ybar, kMm}}),  // from the heel, long leg up
         MakeAngleRow},
        // Rectangular HSS: design thickness tdes, outside corner radius 2 tdes.
        {"hss_rect.csv",
         {"designation", "Ht", "B", "tdes"},
         {{"D", "Ht"}, {"B", "B"}, {"t", "tdes"}, {"Ro", "tdes"}},
         "A",
         "Ix",
         {kShapeProps.begin(), kShapeProps.end() - 1},  // no Cw
         MakeRectangularTubeRow},
        {"hss_round.csv",
         {"designation", "OD", "tdes"},
         {{"D", "OD"}, {"t", "tdes"}},
         "A",
         "I",
         {{"A", &P::A, kMm2},
          {"I", &P::Ixx, kI},
          {"I", &P::Iyy, kI},
          {"S", &P::Zxx, kS},
          {"S", &P::Zyy, kS},
          {"Z", &P::Sxx, kS},
          {"Z", &P::Syy, kS},
          {"J", &P::J, kJ}},
         MakeRoundTubeRow},
    };
    return tables;
}

bool FiniteDims(CSectionDims const& d) {
    for (double v : {d.D, d.B, d.B1, d.T1, d.B2, d.T2, d.Tw, d.R, d.t, d.tf, d.tw, d.Ro, d.slope})
        if (!std::isfinite(v)) return false;
    return true;
}

// A tabulated value and the one of the dimension model more than 10 % apart:
// the row is corrupt (a misplaced decimal point, a value in another unit).
constexpr double kCorruptRatio = 0.10;

// Checks a read row: the dimension rules of descriptions, and the tabulated
// area and Ix against the model's.
void CheckRow(Row const& r, Table const& t, Cells& c) {
    if (!FiniteDims(r.dims)) return;  // a faulty cell, already told
    if (r.dims.R < 0) {
        c.Fault(t.columnOf.at("R"), "gives a negative root radius (less than the flange or leg thickness)");
        return;
    }
    if (auto const p = DimensionProblem(r.shape, r.dims); !p.why.empty()) {
        auto it = t.columnOf.find(p.field);
        c.Fault(it == t.columnOf.end() ? p.field : it->second, p.why);
        return;
    }
    if (std::isnan(r.tab.A) && std::isnan(r.tab.Ixx)) return;
    auto const geom = BuildGeometry(r.shape, r.dims);
    auto compare = [&c](char const* column, double tabulated, double model, char const* what, char const* unit,
                        double scale) {
        if (!std::isfinite(tabulated) || !(std::fabs(tabulated - model) > kCorruptRatio * std::fabs(model))) return;
        char buf[200];
        std::snprintf(buf, sizeof buf, "the tabulated %s %.4g %s is more than 10 %% from the %.4g %s of the dimensions",
                      what, tabulated / scale, unit, model / scale, unit);
        c.Fault(column, buf);
    };
    compare(t.area, r.tab.A, geom->Area(), "area", "mm^2", kMm2);
    compare(t.ix, r.tab.Ixx, geom->Ixx(), "second moment", "10^6 mm^4", kI);
}

void ReadTable(std::string const& base, Table const& t, Catalog& cat) {
    std::string const path = base + t.file;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return;  // a firm's catalogue may hold some of the files only
    std::ifstream in(path);
    std::string line;
    if (!in || std::filesystem::is_directory(path, ec) || !std::getline(in, line)) {
        cat.problems.push_back(std::string(t.file) + ": cannot be read");
        return;
    }
    cat.anyFile = true;
    std::vector<std::string> header;
    if (!SplitRecord(line, header)) {
        cat.problems.push_back(std::string(t.file) + ", line 1: a quote is not closed");
        return;
    }
    std::map<std::string, std::size_t> col;
    for (std::size_t i = 0; i < header.size(); ++i) col.emplace(header[i], i);
    bool complete = true;
    for (char const* name : t.required) {
        if (!col.count(name)) {
            cat.problems.push_back(std::string(t.file) + ", line 1: missing column \"" + name + "\"");
            complete = false;
        }
    }
    if (!complete) return;
    std::vector<std::string> cells;
    for (int number = 2; std::getline(in, line); ++number) {
        std::string const at = std::string(t.file) + ", line " + std::to_string(number);
        if (!SplitRecord(line, cells)) {
            cat.problems.push_back(at + ": a quote is not closed");
            continue;
        }
        if (std::all_of(cells.begin(), cells.end(), [](std::string const& s) { return s.empty(); })) continue;
        Row row;
        std::size_t const named = col.at("designation");
        row.name = named < cells.size() ? cells[named] : std::string();
        row.place = at;
        Cells c(cells, col, at + " (" + (row.name.empty() ? std::string("no designation") : row.name) + ")",
                cat.problems);
        if (row.name.empty()) {
            c.Fault("designation", "no designation");
            continue;
        }
        std::size_t const before = cat.problems.size();
        for (auto const& p : t.props) {
            double const v = c.Value(p.column);
            if (v <= 0) c.Fault(p.column, "must be positive (got \"" + c.Text(p.column) + "\")");
            row.tab.*p.field = v * p.scale;
        }
        t.make(row, c);
        if (cat.problems.size() == before) CheckRow(row, t, c);
        auto const [it, added] = cat.index.emplace(LowerCase(row.name), cat.rows.size());
        if (!added) {
            c.Fault("designation", "listed twice (also " + cat.rows[it->second].place + ")");
            continue;
        }
        cat.rows.push_back(row);
    }
}

std::unique_ptr<Catalog> Load(std::string const& dir) {
    auto cat = std::make_unique<Catalog>();
    auto const base = dir.empty() || dir.back() == '/' ? dir : dir + "/";
    for (auto const& t : Tables()) ReadTable(base, t, *cat);
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

// The catalogue of dir, refused when it is not sound.
Catalog const& SoundCatalog(std::string const& dir) {
    auto const& cat = CatalogFor(dir);
    if (!cat.problems.empty()) {
        std::string msg = "section catalogue \"" + dir + "\": " + cat.problems.front();
        if (cat.problems.size() > 1) msg += " (and " + std::to_string(cat.problems.size() - 1) + " more faults)";
        throw std::invalid_argument(msg);
    }
    if (!cat.anyFile) throw std::invalid_argument("section catalogue \"" + dir + "\" holds no readable section tables");
    return cat;
}

// --- Names ---------------------------------------------------------------
//
// A designation is letters and numbers joined by 'x': "W310x60",
// "HSS102x102x6.4". Numbers are plain decimals.
struct Parts {
    std::string prefix;             // lower case
    std::vector<std::string> nums;  // as written
};

bool Split(std::string const& lower, Parts& p) {
    std::size_t i = 0;
    while (i < lower.size() && std::isalpha(static_cast<unsigned char>(lower[i]))) ++i;
    p.prefix = lower.substr(0, i);
    p.nums.clear();
    if (p.prefix.empty()) return false;
    while (i < lower.size()) {
        if (!p.nums.empty() && lower[i++] != 'x') return false;
        std::size_t const start = i;
        bool dot = false;
        while (i < lower.size() && (std::isdigit(static_cast<unsigned char>(lower[i])) || (lower[i] == '.' && !dot))) {
            if (lower[i] == '.') dot = true;
            ++i;
        }
        if (i == start || !std::isdigit(static_cast<unsigned char>(lower[start])) || lower[i - 1] == '.') return false;
        p.nums.push_back(lower.substr(start, i - start));
    }
    return !p.nums.empty();
}

// Hollow sections by their CSA G40.20 names: "HSS102x102x6.4" (depth x width
// x wall) and "HSS168x6.4" (diameter x wall), in mm rounded from inch sizes.
// Each number stands for the inch size whose rounding it is (to the name's
// last digit): the nearest sixteenth of an inch or, for a wall, the nearest
// hundredth of an inch; the inch size is taken to three decimals (3/16 in =
// 0.188 in) and turned into mm to 0.01 mm. So 102 is 101.6, 6.4 is 6.35, 4.8
// is 4.78, 8.0 is 7.95, 9.5 is 9.53, 13 is 12.7, 3.8 is 3.81 (0.150 in).
// NaN when the number is the rounding of no such size.
double G40Size(std::string const& num, bool wall) {
    double const v = std::strtod(num.c_str(), nullptr);
    if (!(v > 0) || v > kMaxDimensionMm) return kNaN;
    auto const dot = num.find('.');
    double const half = 0.5 * std::pow(10.0, dot == std::string::npos ? 0.0 : -double(num.size() - dot - 1));
    auto mm = [](long long thou) { return static_cast<double>((thou * 254 + 50) / 100) / 100.0; };
    auto near = [v, half](double exact) { return std::fabs(exact - v) <= half + 1e-9; };
    long long const sixteenths = std::llround(v * 16.0 / 25.4);
    if (sixteenths > 0 && near(mm((sixteenths * 125 + 1) / 2))) return mm((sixteenths * 125 + 1) / 2);
    long long const hundredths = std::llround(v / 0.254);
    if (wall && hundredths > 0 && near(mm(hundredths * 10))) return mm(hundredths * 10);
    return kNaN;
}

// The section of a G40.20 name: false when the text is not of that form;
// throws when it is but a size is not a G40.20 one. The wall is the design
// wall (CSA G40.20 tubes are designed with their nominal wall) and a
// rectangular tube's outside corner radius is 2t.
bool FromG40Name(std::string const& text, CatalogEntry& e) {
    Parts p;
    if (!Split(LowerCase(text), p) || p.prefix != "hss" || p.nums.size() < 2 || p.nums.size() > 3) return false;
    std::vector<double> mm;
    for (std::size_t i = 0; i < p.nums.size(); ++i) {
        mm.push_back(G40Size(p.nums[i], i + 1 == p.nums.size()) * kMm);
        if (std::isnan(mm.back()))
            throw std::invalid_argument("section \"" + text + "\": " + p.nums[i] +
                                        " mm is not an inch size rounded (CSA G40.20 names give whole sixteenths "
                                        "of an inch, walls also hundredths, in rounded mm: HSS102x102x6.4, "
                                        "HSS168x6.4)");
    }
    auto& d = e.dims;
    if (mm.size() == 3) {
        e.shape = CSecGeom::RHS;
        d.D = mm[0];
        d.B = mm[1];
        d.t = d.tf = d.tw = mm[2];
        d.Ro = 2.0 * d.t;
    } else {
        e.shape = CSecGeom::CHS;
        d.D = mm[0];
        d.t = mm[1];
    }
    if (auto const problem = DimensionProblem(e.shape, d); !problem.why.empty())
        throw std::invalid_argument("section \"" + text + "\": " + problem.why);
    std::string name = "HSS";
    for (std::size_t i = 0; i < p.nums.size(); ++i) name += (i ? "x" : "") + p.nums[i];
    e.name = Widen(name);
    return true;
}

CatalogEntry FromRow(Row const& row) { return {row.shape, row.dims, Widen(row.name), row.tab}; }

// Shapes named by depth and mass (kg/m).
bool NamedByMass(std::string const& prefix) {
    for (char const* p : {"w", "m", "s", "hp", "c", "mc", "wt", "mt", "st"})
        if (prefix == p) return true;
    return false;
}

// The row of the same shape and depth whose mass rounds to the
// designation's whole mass ("W250x33": W250x32.7). False when the
// designation gives no whole mass or no row matches; throws when several do.
bool ByRoundedMass(Catalog const& cat, std::string const& text, Row const*& found) {
    Parts p, q;
    if (!Split(LowerCase(text), p) || !NamedByMass(p.prefix) || p.nums.size() != 2 ||
        p.nums[1].find('.') != std::string::npos)
        return false;
    double const depth = std::strtod(p.nums[0].c_str(), nullptr);
    double const mass = std::strtod(p.nums[1].c_str(), nullptr);
    std::vector<Row const*> rows;
    for (auto const& r : cat.rows)
        if (Split(LowerCase(r.name), q) && q.prefix == p.prefix && q.nums.size() == 2 &&
            std::strtod(q.nums[0].c_str(), nullptr) == depth &&
            std::round(std::strtod(q.nums[1].c_str(), nullptr)) == mass)
            rows.push_back(&r);
    if (rows.size() > 1) {
        std::string names;
        for (auto const* r : rows) names += (names.empty() ? "" : ", ") + r->name;
        throw std::invalid_argument("section \"" + text + "\": the mass rounds to more than one catalogue section (" +
                                    names + "); give the designation as the catalogue spells it");
    }
    found = rows.empty() ? nullptr : rows.front();
    return found != nullptr;
}

std::size_t EditDistance(std::string const& a, std::string const& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diag = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t const up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diag = up;
        }
    }
    return row[b.size()];
}

// Up to three catalogue names nearest to text: among the names of the same
// letters and as many numbers, the nearest numbers (the sum of their
// logarithmic distances); else the names within three edits.
std::vector<std::string> Nearest(Catalog const& cat, std::string const& text) {
    std::string const lower = LowerCase(text);
    Parts p, q;
    bool const parts = Split(lower, p);
    std::vector<std::pair<double, std::string>> scored;
    for (auto const& r : cat.rows) {
        if (parts && Split(LowerCase(r.name), q) && q.prefix == p.prefix && q.nums.size() == p.nums.size()) {
            double distance = 0.0;
            for (std::size_t i = 0; i < p.nums.size(); ++i)
                distance += std::fabs(std::log((std::strtod(p.nums[i].c_str(), nullptr) + 1e-3) /
                                               (std::strtod(q.nums[i].c_str(), nullptr) + 1e-3)));
            scored.emplace_back(distance, r.name);
        }
    }
    if (scored.empty()) {
        for (auto const& r : cat.rows) {
            std::size_t const edits = EditDistance(lower, LowerCase(r.name));
            if (edits <= 3) scored.emplace_back(1e6 + edits, r.name);
        }
    }
    std::stable_sort(scored.begin(), scored.end(), [](auto const& a, auto const& b) { return a.first < b.first; });
    std::vector<std::string> out;
    for (std::size_t i = 0; i < scored.size() && i < 3; ++i) out.push_back(scored[i].second);
    return out;
}

}  // namespace

CatalogEntry ResolveDesignation(std::wstring const& designation, std::string const& dir) {
    std::string const text = Narrow(designation);
    Catalog const* cat = dir.empty() ? nullptr : &SoundCatalog(dir);
    if (cat) {
        auto it = cat->index.find(LowerCase(text));
        if (it != cat->index.end()) return FromRow(cat->rows[it->second]);
    }
    CatalogEntry e;
    if (FromG40Name(text, e)) return e;
    if (!cat)
        throw std::invalid_argument("section \"" + text +
                                    "\" is not a parametric description and no section catalogue is set (give a "
                                    "catalogue folder, or set S16_SECTION_CATALOG)");
    Row const* row = nullptr;
    if (ByRoundedMass(*cat, text, row)) return FromRow(*row);
    std::string msg = "unknown section \"" + text + "\": not in the catalogue \"" + dir + "\"";
    auto const near = Nearest(*cat, text);
    for (std::size_t i = 0; i < near.size(); ++i) msg += (i ? ", " : "; did you mean ") + near[i];
    throw std::invalid_argument(near.empty() ? msg : msg + "?");
}

std::vector<std::string> CatalogNames(std::string const& dir, std::string const& prefix) {
    if (dir.empty())
        throw std::invalid_argument(
            "no section catalogue is set (give a catalogue folder, or set S16_SECTION_CATALOG)");
    std::string wanted;
    for (char c : LowerCase(prefix))
        if (!std::isspace(static_cast<unsigned char>(c))) wanted.push_back(c);
    std::vector<std::string> out;
    for (auto const& r : SoundCatalog(dir).rows)
        if (LowerCase(r.name).compare(0, wanted.size(), wanted) == 0) out.push_back(r.name);
    return out;
}

}  // namespace Corvid::Data::detail
