// Every row of the published section tables (AISC Shapes Database v16.0, metric; read at test time, never copied)
// rebuilt from its dimensions (I, channel, tee through the section catalogue's rules; angles and HSS here) and
// compared with the tabulated properties: 1.5 % (dimensions and properties printed to 3 significant figures, fillets
// from kdes), J and Cw 5 % (approximate formulas on both sides). Rows named below are held to the bounds given for
// the reason given; a named row that meets 1.5 % everywhere fails, so the list cannot go stale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "SectGeom.h"
#include "Section.h"
#include "SectionCatalog.h"
#include "Tolerance.h"
#include "SectionTables.h"
#include "shapes/SectionCalcPFC.h"

using namespace Corvid::Steel;
using Corvid::Data::CSection;

namespace {

constexpr double kTol = 0.015;
constexpr double kTolTorsion = 0.05;
// The channel's shear centre e = (b' h')^2 T/(4 Ix) takes the section's own Ix (fillets and flange slope included), the
// table the thin-walled Ix, which is smaller: e up to 2.2 % under the table (C75x8.9: 8.00 against 8.18 mm).
constexpr double kTolShearCentre = 0.025;

// A named row's property may be modelled up to `above` over the table and `below` under it, for the reason given.
struct Exception {
    double above, below;
    char const* reason;
    std::vector<std::string> rows;
};

// The table computes its properties from the unrounded inch dimensions but prints the dimensions to three significant
// figures, which moves a cubic property by up to 2 %: the flanges of W920x201 alone, 2 x 20.1 x 305^3/12 = 95.1e6
// mm^4, exceed its Iy = 93.7e6 mm^4 (a 303.5 mm flange fits); the A and I of the HSS299.72 rows fit an outside
// diameter of 298.5 mm, not the 300 printed.
Exception const kRounded{
    0.025, 0.025, "dimensions rounded to 3 significant figures in the table",
    {"W1000x584", "W920x201", "W460x315", "W310x283", "W310x143", "W250x22.3", "W150x18", "HP310x79", "WT500x148",
     "WT420x113", "WT380x73.5", "WT265x136", "WT265x124", "WT265x91", "WT230x157.5", "WT180x450", "WT100x9.65",
     "HSS299.72x15.9", "HSS299.72x12.7", "HSS299.72x9.5", "HSS299.72x8.6", "HSS299.72x6.4", "HSS101.6x8",
     "HSS101.6x4.8", "HSS101.6x3.2"}};

// S, C and ST shapes have sloped inner flange faces and rounded toes; the catalogue models an 18.5 % slope (16 2/3 %
// plus an allowance for the toes, SectionCatalog.cpp) with sharp toes. The smallest channels keep Iy and Sy up to
// 2.2 % above the table (C75x7.4: 0.1021e6 against 0.100e6 mm^4), the larger fall up to 2 % below it, the safe side
// (C310x30.8 Sy 27.69e3 against 28.2e3 mm^3).
Exception const kSlopedToes{
    0.022, 0.02, "sloped flanges with rounded toes, modelled with an 18.5 % slope and sharp toes",
    {"S310x47.3", "S100x14.1", "C310x45", "C310x30.8", "C250x45", "C250x30", "C230x30", "C230x22", "C230x19.9",
     "C200x27.9", "C200x20.5", "C100x9.3", "C75x7.4", "C75x6.1", "C75x5.2"}};

// Small ST tees: Ix = half the parent S shape's Ix less A e^2, two nearly equal numbers. For ST37.5x5.6 (A = 710, e =
// 38.1 - 11.0 = 27.1 mm) a centroid 0.03 mm off moves Ix by 2 A e 0.03 = 1150 mm^4, 1.4 % of 0.0832e6, so the flange
// details the model lacks show up magnified: up to 2.4 % above (ST37.5x5.6 Sx 3.133e3 against 3.06e3 mm^3). The
// catalogue refuses the rows above 2.5 % (ST37.5x4.25, ST50x5.75; see Tees).
Exception const kSmallTees{
    0.025, 0.015, "small sloped-flange tees: Ix = half the parent's Ix less A e^2 magnifies the flange details",
    {"ST255x64", "ST100x17", "ST100x13.7", "ST65x7.5", "ST50x7.05", "ST37.5x5.6"}};

// Lighter HP shapes: the tabulated area is met with a root radius of about half kdes - tf; the larger modelled fillet
// adds up to 2.2 % to A and 3.2 % to Ix (HP200x53: 51.06e6 against 49.5e6 mm^4).
Exception const kLargeK{0.035, 0.015, "kdes - tf overstates the root radius", {"HP250x85", "HP250x62", "HP200x53"}};

// MT50x4.45: the tabulated y_bar, 8.66 mm, disagrees with the row's Ix and its parent M100x8.9 (Ix 1.96e6, d 96.5, A
// 1130): Ix/2 - (A/2)(d/2 - y_bar)^2 = 980 000 - 565 x 39.59^2 = 94 400 mm^4 against the tabulated 86 600; y_bar =
// 8.45 (ours) gives 85 000. The model matches the parent within 0.5 % and lands 2.4 % under the table's y_bar.
Exception const kTeeCentroid{
    0.015, 0.025, "tabulated y_bar inconsistent with the row's Ix and its parent M shape", {"MT50x4.45"}};

// The table's angles have rounded leg toes, which remove steel where it counts most for I and Z of thin legs; toes
// are not modelled (and legs are rounded to 3 significant figures, 102 for 101.6).
Exception const kToes{
    0.06, 0.06, "rounded leg toes not modelled",
    {"L305x305x34.9", "L305x305x31.8", "L305x305x28.6", "L305x305x25.4", "L254x254x34.9", "L254x254x31.8",
     "L254x254x28.6", "L254x254x25.4", "L254x254x22.2", "L203x102x25.4", "L178x102x19", "L178x102x15.9",
     "L178x102x12.7", "L178x102x11.1", "L178x102x9.5", "L152x102x22.2", "L152x102x19", "L152x102x15.9",
     "L152x102x14.3", "L152x102x12.7", "L152x102x11.1", "L152x102x9.5", "L152x102x7.9", "L152x89x9.5", "L152x89x7.9",
     "L127x89x15.9", "L127x89x12.7", "L127x89x9.5", "L127x89x7.9", "L127x89x6.4", "L127x76x12.7", "L127x76x11.1",
     "L127x76x9.5", "L127x76x7.9", "L127x76x6.4", "L102x102x19", "L102x102x15.9", "L102x102x12.7", "L102x102x11.1",
     "L102x102x9.5", "L102x102x7.9", "L102x102x6.4", "L102x89x12.7", "L102x89x9.5", "L102x89x7.9", "L102x89x6.4",
     "L102x76x15.9", "L102x76x12.7", "L102x76x9.5", "L102x76x7.9", "L102x76x6.4", "L89x89x6.4", "L89x76x6.4",
     "L89x64x7.9", "L89x64x6.4", "L76x76x9.5", "L76x76x7.9", "L76x76x6.4", "L76x76x4.8", "L76x64x11.1", "L76x64x9.5",
     "L76x64x7.9", "L76x64x6.4", "L76x64x4.8", "L76x51x7.9", "L76x51x6.4", "L76x51x4.8", "L64x64x12.7", "L64x64x9.5",
     "L64x64x7.9", "L64x64x6.4", "L64x64x4.8", "L64x38x6.4", "L64x38x4.8", "L51x51x4.8", "L51x51x3.2"}};

// Pipe rows whose tabulated A, I, S and Z belong to another wall than tdes: Pipe600XS has A = 21 500, which pi t
// (610 - t) gives for t = 11.4, not 11.8.
Exception const kPipeWall{
    0.04, 0.04, "tabulated Pipe properties from another wall thickness than tdes",
    {"Pipe650XS", "Pipe600XS", "Pipe500XS", "Pipe450XS", "Pipe400XS", "Pipe350XS", "Pipe300XS", "Pipe300XXS",
     "Pipe250STD", "Pipe250XXS", "Pipe50STD", "Pipe15STD", "Pipe15XS"}};

std::vector<Exception const*> const kExceptions{&kRounded,     &kSlopedToes, &kSmallTees, &kLargeK,
                                                &kTeeCentroid, &kToes,       &kPipeWall};

using Row = std::map<std::string, std::string>;

// Rows of a shared table as maps column -> cell; empty when the file is missing.
std::vector<Row> Load(std::string const& file) {
    std::vector<Row> rows;
    std::ifstream in(std::string(S16_SHARED_SECTIONS) + "/" + file);
    std::vector<std::string> header;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> cells;
        std::istringstream cellStream(line);
        for (std::string cell; std::getline(cellStream, cell, ',');) cells.push_back(cell);
        if (header.empty()) {
            header = cells;
            continue;
        }
        Row& r = rows.emplace_back();
        for (std::size_t k = 0; k < header.size(); ++k) r[header[k]] = k < cells.size() ? cells[k] : "";
    }
    return rows;
}

// A cell in SI units (unit: one table unit, mm by default); NaN when blank, so that the comparisons fail.
double Cell(Row const& r, char const* column, double unit = 1e-3) {
    auto const it = r.find(column);
    return it == r.end() || it->second.empty() ? std::nan("") : std::atof(it->second.c_str()) * unit;
}

// One compared property: table column, SI value of one table unit, ours; onlyType: only rows of this type.
struct Prop { char const* column; double unit; double (*ours)(CDesSectGeom const&, Row const&); double tol = kTol;
              char const* onlyType = nullptr; };

// A, I, elastic S (ours Z) and plastic Z (ours S) about both axes.
std::vector<Prop> Gross() {
    return {{"A", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Area(); }},
            {"Ix", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Ixx(); }},
            {"Iy", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Iyy(); }},
            {"Sx", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Zxx(); }},
            {"Sy", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Zyy(); }},
            {"Zx", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Sxx(); }},
            {"Zy", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Syy(); }}};
}

// Builds and compares every row; fails with the first 20 failing comparisons. A row whose build throws
// std::invalid_argument (refused) is not compared; its message goes to *refused.
void CheckTable(char const* file, std::unique_ptr<CDesSectGeom> (*build)(Row const&), std::vector<Prop> const& props,
                std::map<std::string, std::string>* refused = nullptr) {
    std::vector<Row> const rows = Load(file);
    if (rows.empty()) S16_SKIP_WITHOUT_TABLES(file << " not found");
    std::map<std::string, Exception const*> allowed;
    for (Exception const* e : kExceptions)
        for (auto const& name : e->rows) allowed[name] = e;
    std::set<std::string> outside;
    std::string report;
    int failures = 0;
    for (Row const& r : rows) {
        std::string const name = r.at("designation");
        std::unique_ptr<CDesSectGeom> g;
        try { g = build(r); } catch (std::invalid_argument const& e) {
            if (refused) (*refused)[name] = e.what();
            else ADD_FAILURE() << name << " refused: " << e.what();
            continue;
        }
        for (Prop const& p : props) {
            std::string const cell = r.count(p.column) ? r.at(p.column) : "";
            if (cell.empty() || (p.onlyType && r.at("type") != p.onlyType)) continue;
            double const published = std::atof(cell.c_str()) * p.unit;
            double const ours = p.ours(*g, r);
            double const err = (ours - published) / published;
            if (std::fabs(err) <= p.tol) continue;
            outside.insert(name);
            auto const named = allowed.find(name);
            double const above = named != allowed.end() ? std::max(p.tol, named->second->above) : p.tol;
            double const below = named != allowed.end() ? std::max(p.tol, named->second->below) : p.tol;
            if (err <= above && err >= -below) continue;
            char buf[240];
            std::snprintf(buf, sizeof buf, "  %s %s: computed %.4g, table %.4g (%+.2f %%, allowed %+.1f %% to %+.1f %%)\n",
                          name.c_str(), p.column, ours / p.unit, published / p.unit, 100 * err, -100 * below, 100 * above);
            if (++failures <= 20) report += buf;
        }
    }
    EXPECT_EQ(failures, 0) << report;
    for (Row const& r : rows)
        if (allowed.count(r.at("designation")) && !outside.count(r.at("designation")))
            ADD_FAILURE() << r.at("designation") << " is named in the exceptions but meets 1.5 %: remove it";
}

// Points the section catalogue at the shared tables for the life of a test.
struct CatalogueAtSharedTables {
    CatalogueAtSharedTables() { CSection::SetCatalogDirectory(S16_SHARED_SECTIONS); }
    ~CatalogueAtSharedTables() { CSection::SetCatalogDirectory(""); }
};

// The catalogue's dimension model of the row (the dimensions drive classification and the local checks).
std::unique_ptr<CDesSectGeom> FromCatalogue(Row const& r) {
    CSection const section(Corvid::Widen(r.at("designation")));
    return std::unique_ptr<CDesSectGeom>(Corvid::Data::detail::BuildGeometry(section.Shape(), section.Dims())->Clone());
}

}  // namespace

// Catalogue: D = d, B1 = B2 = bf, T1 = T2 = tf, Tw = tw; W and HP R = kdes - tf (k_des_or_r holds kdes); S and M R
// from the tabulated area, S with sloped flanges. No I shape is refused.
TEST(PublishedSections, IShapes) {
    CatalogueAtSharedTables const catalogue;
    auto props = Gross();
    props.push_back({"J", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.J(); }, kTolTorsion, "W"});
    props.push_back({"Cw", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.Cw(); }, kTolTorsion, "W"});
    CheckTable("i_shapes.csv", FromCatalogue, props);
}

// As the I with one web; x_bar and eo are measured from the web back, our shear centre from the web centre line.
// J is not compared: the model (sloped flanges at their mean thickness) runs up to 12 % under the table (C100x10.8),
// beyond the 5 % of J and Cw, and no 5 % check would see a small change of its formula: Geometry.Channel pins it.
TEST(PublishedSections, Channels) {
    auto props = Gross();
    props.push_back({"x_bar", 1e-3, [](CDesSectGeom const& g, Row const&) { return g.Xbar(); }});
    props.push_back({"eo", 1e-3, [](CDesSectGeom const& g, Row const& r) {
                         auto const& c = static_cast<CDesSectGeomPFC const&>(g);
                         return SteelCSAS1609::ChannelShearCentreFromWeb(c) - Cell(r, "tw") / 2;
                     }, kTolShearCentre});
    props.push_back({"Cw", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.Cw(); }, kTolTorsion});
    CatalogueAtSharedTables const catalogue;
    std::map<std::string, std::string> skipped;
    auto const notMc = [](Row const& r) {
        if (r.at("type") == "MC") throw std::invalid_argument("MC");
        return FromCatalogue(r);
    };
    CheckTable("channels.csv", notMc, props, &skipped);
    // Only the MC rows are not compared: no one flange slope (0 to 25 %) keeps every MC Iy within 5 % (fitted row by
    // row: about 5 % for MC310x74 to 19 % for MC310x15.8). The catalogue serves their tabulated properties.
    int mc = 0;
    for (Row const& r : Load("channels.csv")) {
        if (r.at("type") != "MC") continue;
        ++mc;
        EXPECT_EQ(CSection(Corvid::Widen(r.at("designation"))).Geometry()->Iyy(), Cell(r, "Iy", 1e-6));
    }
    EXPECT_EQ(static_cast<int>(skipped.size()), mc);
}

// Catalogue: D = d, B = bf, T = tf, Tw = tw; WT R = kdes - tf, ST and MT R from the tabulated area, ST with sloped
// flanges. The table's y_bar is from the flange face, ours from the stem tip; its Sx is to the stem tip.
TEST(PublishedSections, Tees) {
    if (Load("tees.csv").empty()) S16_SKIP_WITHOUT_TABLES("tees.csv not found");
    CatalogueAtSharedTables const catalogue;
    auto props = Gross();
    props.push_back({"y_bar", 1e-3, [](CDesSectGeom const& g, Row const& r) { return Cell(r, "d") - g.Ybar(); }});
    props.push_back({"J", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.J(); }, kTolTorsion, "WT"});
    props.push_back({"Cw", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.Cw(); }, kTolTorsion, "WT"});
    // Two small tees are not compared: modelled (18.5 % slope, R from the area) they overstate Ix or Sx by more than
    // 2.5 %; the catalogue serves their tabulated properties.
    auto const notSmall = [](Row const& r) {
        if (r.at("designation") == "ST37.5x4.25" || r.at("designation") == "ST50x5.75")
            throw std::invalid_argument("small");
        return FromCatalogue(r);
    };
    std::map<std::string, std::string> skipped;
    CheckTable("tees.csv", notSmall, props, &skipped);
    EXPECT_EQ(skipped.size(), 2u);
    for (Row const& r : Load("tees.csv"))
        if (skipped.count(r.at("designation"))) {
            EXPECT_EQ(CSection(Corvid::Widen(r.at("designation"))).Geometry()->Ixx(), Cell(r, "Ix", 1e-6));
        }
}

// The table's b is the longer leg and its properties take it vertical: D = b, B = d, R = kdes - t; y_bar runs up the
// long leg, x_bar from its back.
TEST(PublishedSections, Angles) {
    auto props = Gross();
    props.push_back({"x_bar", 1e-3, [](CDesSectGeom const& g, Row const&) { return g.Xbar(); }});
    props.push_back({"y_bar", 1e-3, [](CDesSectGeom const& g, Row const&) { return g.Ybar(); }});
    CheckTable("angles.csv", [](Row const& r) -> std::unique_ptr<CDesSectGeom> {
        auto g = std::make_unique<CDesSectGeomAngle>();
        g->SetDimensions(Cell(r, "b"), Cell(r, "d"), Cell(r, "t"), Cell(r, "kdes") - Cell(r, "t"));
        return g;
    }, props);
}

// D = Ht, B = B, tf = tw = tdes, Ro = 2 tdes (the table's corner radius).
TEST(PublishedSections, RectangularHSS) {
    auto props = Gross();
    props.push_back({"J", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.J(); }, kTolTorsion});
    CheckTable("hss_rect.csv", [](Row const& r) -> std::unique_ptr<CDesSectGeom> {
        auto g = std::make_unique<CDesSectGeomRHS>();
        double const t = Cell(r, "tdes");
        g->SetDimensions(Cell(r, "Ht"), Cell(r, "B"), t, t, 2 * t);
        return g;
    }, props);
}

// D = OD, t = tdes; I, S, Z about any axis, J = 2 I.
TEST(PublishedSections, RoundHSSAndPipe) {
    std::vector<Prop> const props{{"A", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Area(); }},
                                  {"I", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Ixx(); }},
                                  {"S", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Zxx(); }},
                                  {"Z", 1e-6, [](CDesSectGeom const& g, Row const&) { return g.Sxx(); }},
                                  {"J", 1e-9, [](CDesSectGeom const& g, Row const&) { return g.J(); }}};
    CheckTable("hss_round.csv", [](Row const& r) -> std::unique_ptr<CDesSectGeom> {
        auto g = std::make_unique<CDesSectGeomCHS>();
        g->SetDimensions(Cell(r, "OD"), Cell(r, "tdes"));
        return g;
    }, props);
}

// The root radius of S, M, C, ST and MT rows is the one that gives the tabulated area (closed form in
// SectionCatalog.cpp, fillet area R^2 f(s)). The polygon's chords leave a few 1e-5 R^2 per fillet, so the area is
// held to 1e-4. Rows whose fillet-free area already exceeds the table get no fillet (R = 0) and an area above the
// table (S460x104: 13 232 against 13 200 mm^2).
TEST(PublishedSections, RootRadiusGivesTheTabulatedArea) {
    CatalogueAtSharedTables const catalogue;
    int checked = 0;
    for (char const* file : {"i_shapes.csv", "channels.csv", "tees.csv"}) {
        for (Row const& r : Load(file)) {
            std::string const type = r.at("type");
            if (type != "S" && type != "M" && type != "C" && type != "ST" && type != "MT") continue;
            std::string const name = r.at("designation");
            if (name == "ST37.5x4.25" || name == "ST50x5.75") continue;  // refused
            CSection const section(Corvid::Widen(name));
            double const A = Cell(r, "A", 1e-6);
            if (section.Dims().R > 0) { EXPECT_REL_TOL(section.Geometry()->Area(), A, 1e-4) << name; }
            else { EXPECT_GE(section.Geometry()->Area(), A) << name; }
            ++checked;
        }
    }
    if (checked == 0) S16_SKIP_WITHOUT_TABLES("section tables not found");
    EXPECT_EQ(checked, 28 + 16 + 32 + 26 + 14);  // S, M, C; ST less the two refused, MT
}

// One catalogue row by hand, channels.csv C250x30: d 254, bf 69.6, tw 9.63, tf 11.1, A 3790. Slope 18.5 %; fillet-free
// area A0 = 254*9.63 + 2 (69.6 - 9.63) 11.1 = 3777.354; k = 1/(sqrt(1 + 0.185^2) + 0.185) = 0.8319685, f = k - pi/4 +
// atan(0.185)/2 = 0.8319685 - 0.7853982 + 0.0914659 = 0.1380363; R = sqrt((3790 - 3777.354)/(2 f)) = 6.768.
TEST(PublishedSections, CatalogueSlopeAndRadiusOfC250x30) {
    if (Load("channels.csv").empty()) S16_SKIP_WITHOUT_TABLES("channels.csv not found");
    CatalogueAtSharedTables const catalogue;
    CSection const c(L"C250x30");
    EXPECT_EQ(c.Dims().slope, 0.185);
    EXPECT_REL_TOL(c.Dims().R * 1e3, 6.768073, 1e-6);  // 6.768 to the hand figures' precision
    EXPECT_EQ(c.Description(true, false, false), L"(D=254 B=69.6 T=11.1 Tw=9.63 R=6.76807 slope=18.5)");
    // M shapes: parallel flanges, R from the area. M100x6.1: d 102, bf 57.2, tw 2.92, tf 4.32, A 819: A0 = 102*2.92 + 2
    // (57.2 - 2.92) 4.32 = 766.8192, R = sqrt((819 - 766.8192)/(4 (1 - pi/4))) = 7.7967 (kdes - tf would give 9.98).
    CSection const m(L"M100x6.1");
    EXPECT_EQ(m.Dims().slope, 0.0);
    EXPECT_REL_TOL(m.Dims().R * 1e3, std::sqrt((819 - 766.8192) / (4 * (1 - std::atan(1.0)))), 1e-12);
}
