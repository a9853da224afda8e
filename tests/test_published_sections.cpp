// Every row of the published section tables (AISC Shapes Database v16.0,
// metric; README.md in the shared sections folder) rebuilt from its
// dimensions and compared with the tabulated properties. The tables are
// third-party data, read at test time and not copied into the repository.
//
// Tolerance 1.5 %: the table rounds dimensions and properties to three
// significant figures (a leg of 101.6 mm is printed 102) and the fillets are
// modelled from kdes. J and Cw come from approximate formulas on both sides:
// 5 %. Rows that cannot meet 1.5 % for a known modelling reason are named
// below with the reason and the tolerance they are held to instead; a named
// row that meets 1.5 % everywhere fails the test, so the list cannot go
// stale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "SectGeom.h"

using namespace Corvid::Steel;

namespace {

constexpr double kTol = 0.015;
constexpr double kTolTorsion = 0.05;

struct Exception {
    double tol;
    char const* reason;
    std::vector<std::string> rows;
};

// Tabulated properties computed from the unrounded inch dimensions, while
// the dimension columns are rounded to three significant figures, which
// moves a cubic property by up to 2 %. For example the flanges of W920x201
// alone, 2 x 20.1 x 305^3 / 12 = 95.1e6 mm^4, exceed its tabulated
// Iy = 93.7e6 mm^4 (a flange 303.5 mm wide fits); the A and I of the
// HSS299.72 rows fit an outside diameter of 298.5 mm, the OD column says 300.
Exception const kRounded{
    0.025,
    "dimensions rounded to 3 significant figures in the table",
    {"W1000x584", "W920x201", "W460x315", "W310x283", "W310x143", "W250x22.3", "W150x18", "HP310x79", "WT500x148",
     "WT420x113", "WT380x73.5", "WT265x136", "WT265x124", "WT265x91", "WT230x157.5", "WT180x450", "WT100x9.65",
     "HSS299.72x15.9", "HSS299.72x12.7", "HSS299.72x9.5", "HSS299.72x8.6", "HSS299.72x6.4", "HSS101.6x8",
     "HSS101.6x4.8", "HSS101.6x3.2"}};

// Sloped inner flange faces (S, ST, C, MC shapes): tf is the mean flange
// thickness and kdes is measured where the flange is thickest, so the
// parallel-flange model with R = kdes - tf puts too much steel at the flange
// tips and in the fillets. Iy, Sy and Zy of channels and S shapes are up to
// 35 % high (a 1:6 slope alone moves a third of the flange's Iy to the web
// side); the check only guards against gross faults.
Exception const kSloped{
    0.40,
    "sloped flanges: parallel-flange model of the mean thickness",
    {"S610x180", "S610x158", "S610x149", "S610x134", "S610x119", "S510x143", "S510x128", "S510x112", "S510x98.2",
     "S460x104", "S460x81.4", "S380x74", "S380x64", "S310x74", "S310x60.7", "S310x52", "S310x47.3", "S250x52",
     "S250x37.8", "S200x34", "S200x27.4", "S150x25.7", "S150x18.6", "S130x15", "S100x14.1", "S100x11.5", "S75x11.2",
     "S75x8.5", "C380x74", "C380x60", "C380x50.4", "C310x45", "C310x37", "C310x30.8", "C250x45", "C250x37",
     "C250x30", "C250x22.8", "C230x30", "C230x22", "C230x19.9", "C200x27.9", "C200x20.5", "C200x17.1", "C180x22",
     "C180x18.2", "C180x14.6", "C150x19.3", "C150x15.6", "C150x12.2", "C130x13", "C130x10.4", "C100x10.8",
     "C100x9.3", "C100x8", "C100x6.7", "C75x8.9", "C75x7.4", "C75x6.1", "C75x5.2", "MC460x86", "MC460x77.2",
     "MC460x68.2", "MC460x63.5", "MC330x74", "MC330x60", "MC330x52", "MC330x47.3", "MC310x74", "MC310x67",
     "MC310x60", "MC310x52", "MC310x46", "MC310x21.3", "MC310x15.8", "MC250x61.2", "MC250x50", "MC250x42.4",
     "MC250x37", "MC250x33", "MC250x12.5", "MC250x9.7", "MC230x37.8", "MC230x35.6", "MC200x33.9", "MC200x31.8",
     "MC200x29.8", "MC200x27.8", "MC200x12.6", "MC180x33.8", "MC180x28.4", "MC150x26.8", "MC150x22.8", "MC150x24.3",
     "MC150x22.5", "MC150x17.9", "MC150x10.4", "MC150x9.7", "MC100x20.5", "MC75x10.6", "ST305x90", "ST305x79",
     "ST305x74.5", "ST305x67", "ST305x59.5", "ST255x71.5", "ST255x64", "ST255x56", "ST255x49.1", "ST230x52",
     "ST230x40.7", "ST190x37", "ST190x32", "ST155x37", "ST155x30.35", "ST155x26", "ST155x23.65", "ST125x26",
     "ST125x18.9", "ST100x17", "ST100x13.7", "ST75x12.85", "ST75x9.3", "ST65x7.5", "ST50x7.05", "ST50x5.75",
     "ST37.5x5.6", "ST37.5x4.25"}};

// Light M shapes and their tees: the tabulated area is met with a root
// radius of about half kdes - tf (several of these have sloped flanges in the
// source); the model's larger fillet adds up to 7 % to A and Ix. The same
// holds, less strongly, for the lighter HP shapes.
Exception const kLargeK{
    0.08,
    "kdes - tf overstates the root radius",
    {"M318x18.5", "M318x17.3", "M310x17.6", "M310x16.1", "M310x14.9", "M250x13.4", "M250x11.9", "M250x11.2",
     "M200x9.7", "M200x9.2", "M100x6.1", "M100x4.3", "HP250x85", "HP250x62", "HP200x53", "MT159x9.25", "MT159x8.65",
     "MT155x8.8", "MT155x8.05", "MT155x7.45", "MT125x6.7", "MT125x5.95", "MT125x5.6", "MT100x4.85", "MT100x4.6",
     "MT75x3.3", "MT75x2.75", "MT50x4.45"}};

// The table's angles have rounded leg toes, which remove steel at the leg
// tips where it counts most for I and Z of thin legs; toes are not modelled
// (and the legs are rounded to 3 significant figures, 102 for 101.6).
Exception const kToes{
    0.06,
    "rounded leg toes not modelled",
    {"L305x305x34.9", "L305x305x31.8", "L305x305x28.6", "L305x305x25.4", "L254x254x34.9", "L254x254x31.8",
     "L254x254x28.6", "L254x254x25.4", "L254x254x22.2", "L203x102x25.4", "L178x102x19", "L178x102x15.9",
     "L178x102x12.7", "L178x102x11.1", "L178x102x9.5", "L152x102x22.2", "L152x102x19", "L152x102x15.9",
     "L152x102x14.3", "L152x102x12.7", "L152x102x11.1", "L152x102x9.5", "L152x102x7.9", "L152x89x9.5",
     "L152x89x7.9", "L127x89x15.9", "L127x89x12.7", "L127x89x9.5", "L127x89x7.9", "L127x89x6.4", "L127x76x12.7",
     "L127x76x11.1", "L127x76x9.5", "L127x76x7.9", "L127x76x6.4", "L102x102x19", "L102x102x15.9", "L102x102x12.7",
     "L102x102x11.1", "L102x102x9.5", "L102x102x7.9", "L102x102x6.4", "L102x89x12.7", "L102x89x9.5", "L102x89x7.9",
     "L102x89x6.4", "L102x76x15.9", "L102x76x12.7", "L102x76x9.5", "L102x76x7.9", "L102x76x6.4", "L89x89x6.4",
     "L89x76x6.4", "L89x64x7.9", "L89x64x6.4", "L76x76x9.5", "L76x76x7.9", "L76x76x6.4", "L76x76x4.8",
     "L76x64x11.1", "L76x64x9.5", "L76x64x7.9", "L76x64x6.4", "L76x64x4.8", "L76x51x7.9", "L76x51x6.4",
     "L76x51x4.8", "L64x64x12.7", "L64x64x9.5", "L64x64x7.9", "L64x64x6.4", "L64x64x4.8", "L64x38x6.4",
     "L64x38x4.8", "L51x51x4.8", "L51x51x3.2"}};

// Pipe rows whose tabulated area, I, S and Z belong to a wall other than
// tdes: Pipe600XS has A = 21 500, which pi t (610 - t) gives for t = 11.4,
// while tdes is 11.8.
Exception const kPipeWall{
    0.04,
    "tabulated Pipe properties from another wall thickness than tdes",
    {"Pipe650XS", "Pipe600XS", "Pipe500XS", "Pipe450XS", "Pipe400XS", "Pipe350XS", "Pipe300XS", "Pipe300XXS",
     "Pipe250STD", "Pipe250XXS", "Pipe50STD", "Pipe15STD", "Pipe15XS"}};

std::vector<Exception const*> const kExceptions{&kRounded, &kSloped, &kLargeK, &kToes, &kPipeWall};

using Row = std::map<std::string, std::string>;

// Rows of a table of the shared folder, each a map column -> cell; empty
// when the folder or file is missing.
std::vector<Row> Load(std::string const& file) {
    std::vector<Row> rows;
#ifdef S16_SHARED_SECTIONS
    std::ifstream in(std::string(S16_SHARED_SECTIONS) + "/" + file);
    std::vector<std::string> header;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> cells(1);
        for (char c : line) {
            if (c == ',')
                cells.emplace_back();
            else
                cells.back().push_back(c);
        }
        if (header.empty()) {
            header = cells;
            continue;
        }
        Row r;
        for (std::size_t k = 0; k < header.size(); ++k) r[header[k]] = k < cells.size() ? cells[k] : "";
        rows.push_back(r);
    }
#endif
    (void)file;
    return rows;
}

// A dimension of the row in m (NaN when blank: the comparisons then fail).
double Dim(Row const& r, char const* column) {
    auto const it = r.find(column);
    return it == r.end() || it->second.empty() ? std::nan("") : std::atof(it->second.c_str()) * 1e-3;
}

// One compared property: table column, SI value of one table unit, ours.
struct Prop {
    char const* column;
    double unit;
    double (*ours)(CDesSectGeom const&, Row const&);
    double tol = kTol;
    char const* onlyType = nullptr;  // compared only for rows of this type
};

// A, I, elastic S (ours Z) and plastic Z (ours S) about both axes.
std::vector<Prop> Gross(char const* ix = "Ix", char const* iy = "Iy") {
    return {{"A", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Area(); }},
            {ix, 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Ixx(); }},
            {iy, 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Iyy(); }},
            {"Sx", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Zxx(); }},
            {"Sy", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Zyy(); }},
            {"Zx", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Sxx(); }},
            {"Zy", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Syy(); }}};
}

// Builds every row, compares the properties, prints the largest differences
// and fails with the first 20 failing comparisons.
void CheckTable(char const* file, std::unique_ptr<CDesSectGeom> (*build)(Row const&), std::vector<Prop> const& props) {
    std::vector<Row> const rows = Load(file);
    if (rows.empty()) GTEST_SKIP() << file << " not found";
    std::map<std::string, double> allowed;
    for (Exception const* e : kExceptions)
        for (auto const& name : e->rows) allowed[name] = e->tol;
    std::set<std::string> outside;
    std::map<std::string, std::pair<double, std::string>> worst;  // property -> error, row
    std::string report;
    int failures = 0;
    for (Row const& r : rows) {
        std::string const name = r.at("designation");
        auto const g = build(r);
        for (Prop const& p : props) {
            std::string const cell = r.count(p.column) ? r.at(p.column) : "";
            if (cell.empty() || (p.onlyType && r.at("type") != p.onlyType)) continue;
            double const published = std::atof(cell.c_str()) * p.unit;
            double const ours = p.ours(*g, r);
            double const err = (ours - published) / published;
            auto& w = worst[p.column];
            if (!(std::fabs(err) <= std::fabs(w.first))) w = {err, name};
            if (std::fabs(err) <= p.tol) continue;
            outside.insert(name);
            double const tol = allowed.count(name) ? std::max(p.tol, allowed[name]) : p.tol;
            if (std::fabs(err) <= tol) continue;
            if (++failures <= 20) {
                char buf[200];
                std::snprintf(buf, sizeof buf, "  %s %s: computed %.4g, table %.4g (%+.2f %%, allowed %.1f %%)\n",
                              name.c_str(), p.column, ours / p.unit, published / p.unit, 100 * err, 100 * tol);
                report += buf;
            }
        }
    }
    std::printf("%s: %zu rows, %zu outside 1.5 %% (named or failing), %d failures\n", file, rows.size(),
                outside.size(), failures);
    for (auto const& [column, w] : worst)
        std::printf("  %-6s worst %+6.2f %% (%s)\n", column.c_str(), 100 * w.first, w.second.c_str());
    EXPECT_EQ(failures, 0) << report;
    for (Row const& r : rows)
        if (allowed.count(r.at("designation")) && !outside.count(r.at("designation")))
            ADD_FAILURE() << r.at("designation") << " is named in the exceptions but meets 1.5 %: remove it";
}

template <class G>
G const& As(CDesSectGeom const& g) {
    return static_cast<G const&>(g);
}

}  // namespace

// D = d, B1 = B2 = bf, T1 = T2 = tf, Tw = tw, R = kdes - tf (k_des_or_r holds kdes).
TEST(PublishedSections, IShapes) {
    auto props = Gross();
    props.push_back({"J", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.J(); }, kTolTorsion, "W"});
    props.push_back({"Cw", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.Gamma(); }, kTolTorsion, "W"});
    CheckTable("i_shapes.csv",
               [](Row const& r) -> std::unique_ptr<CDesSectGeom> {
                   auto g = std::make_unique<CDesSectGeomI>();
                   double const tf = Dim(r, "tf");
                   g->SetDimensions(Dim(r, "d"), Dim(r, "bf"), tf, Dim(r, "bf"), tf, Dim(r, "tw"),
                                    Dim(r, "k_des_or_r") - tf);
                   return g;
               },
               props);
}

// As the I with one web; x_bar and eo are measured from the web back, our
// shear centre from the web centre line.
TEST(PublishedSections, Channels) {
    auto props = Gross();
    props.push_back({"x_bar", 1e-3, [](CDesSectGeom const& g, Row const&) { return g.Xbar(); }});
    props.push_back({"eo", 1e-3, [](CDesSectGeom const& g, Row const& r) {
                         return As<CDesSectGeomPFC>(g).ShearCentreFromWeb() - Dim(r, "tw") / 2;
                     }});
    props.push_back({"Cw", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.Gamma(); }, kTolTorsion});
    CheckTable("channels.csv",
               [](Row const& r) -> std::unique_ptr<CDesSectGeom> {
                   auto g = std::make_unique<CDesSectGeomPFC>();
                   double const tf = Dim(r, "tf");
                   g->SetDimensions(Dim(r, "d"), Dim(r, "bf"), tf, Dim(r, "bf"), tf, Dim(r, "tw"), Dim(r, "kdes") - tf);
                   return g;
               },
               props);
}

// D = d, B = bf, T = tf, Tw = tw, R = kdes - tf. The table's y_bar is from
// the flange face, ours from the stem tip; its Sx is to the stem tip.
TEST(PublishedSections, Tees) {
    auto props = Gross();
    props.push_back({"y_bar", 1e-3, [](CDesSectGeom const& g, Row const& r) { return Dim(r, "d") - g.Ybar(); }});
    props.push_back({"J", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.J(); }, kTolTorsion, "WT"});
    props.push_back({"Cw", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.Gamma(); }, kTolTorsion, "WT"});
    CheckTable("tees.csv",
               [](Row const& r) -> std::unique_ptr<CDesSectGeom> {
                   auto g = std::make_unique<CDesSectGeomT>();
                   double const tf = Dim(r, "tf");
                   g->SetDimensions(Dim(r, "d"), Dim(r, "bf"), tf, Dim(r, "tw"), Dim(r, "kdes") - tf);
                   return g;
               },
               props);
}

// The table's b is the longer leg and its properties take it vertical:
// D = b, B = d, R = kdes - t; y_bar runs up the long leg, x_bar from its back.
TEST(PublishedSections, Angles) {
    auto props = Gross();
    props.push_back({"x_bar", 1e-3, [](CDesSectGeom const& g, Row const&) { return g.Xbar(); }});
    props.push_back({"y_bar", 1e-3, [](CDesSectGeom const& g, Row const&) { return g.Ybar(); }});
    CheckTable("angles.csv",
               [](Row const& r) -> std::unique_ptr<CDesSectGeom> {
                   auto g = std::make_unique<CDesSectGeomAngle>();
                   g->SetDimensions(Dim(r, "b"), Dim(r, "d"), Dim(r, "t"), Dim(r, "kdes") - Dim(r, "t"));
                   return g;
               },
               props);
}

// D = Ht, B = B, tf = tw = tdes, Ro = 2 tdes (the table's corner radius).
TEST(PublishedSections, RectangularHSS) {
    auto props = Gross();
    props.push_back({"J", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.J(); }, kTolTorsion});
    CheckTable("hss_rect.csv",
               [](Row const& r) -> std::unique_ptr<CDesSectGeom> {
                   auto g = std::make_unique<CDesSectGeomRHS>();
                   double const t = Dim(r, "tdes");
                   g->SetDimensions(Dim(r, "Ht"), Dim(r, "B"), t, t, 2 * t);
                   return g;
               },
               props);
}

// D = OD, t = tdes; I, S, Z about any axis, J = 2 I.
TEST(PublishedSections, RoundHSSAndPipe) {
    std::vector<Prop> const props{{"A", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Area(); }},
                                  {"I", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Ixx(); }},
                                  {"S", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Zxx(); }},
                                  {"Z", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Sxx(); }},
                                  {"J", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.J(); }}};
    CheckTable("hss_round.csv",
               [](Row const& r) -> std::unique_ptr<CDesSectGeom> {
                   auto g = std::make_unique<CDesSectGeomCHS>();
                   g->SetDimensions(Dim(r, "OD"), Dim(r, "tdes"));
                   return g;
               },
               props);
}

// Every named exception is a row of some table.
TEST(PublishedSections, ExceptionsNameRealRows) {
    std::set<std::string> names;
    for (char const* f : {"i_shapes.csv", "channels.csv", "tees.csv", "angles.csv", "hss_rect.csv", "hss_round.csv"})
        for (Row const& r : Load(f)) names.insert(r.at("designation"));
    if (names.empty()) GTEST_SKIP() << "section tables not found";
    for (Exception const* e : kExceptions)
        for (auto const& n : e->rows) EXPECT_TRUE(names.count(n)) << n << " is in no table";
}
