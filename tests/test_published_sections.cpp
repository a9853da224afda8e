// Every row of the published section tables (AISC Shapes Database v16.0,
// metric block; see README.md in the shared sections folder) rebuilt from
// its dimensions and compared with the tabulated properties.
//
// The tables are third-party data: they are read here at test time and not
// copied into the repository. Units in the tables: mm, mm^2, 10^6 mm^4
// (I), 10^3 mm^3 (S, Z), 10^3 mm^4 (J), 10^9 mm^6 (Cw).
//
// Tolerances: the tabulated dimensions and properties are soft conversions
// rounded to about three significant figures, so a dimension may be off by
// up to 0.17 % and a cubic property by 0.5 % before any modelling
// difference; 1.5 % leaves room for that and for the fillet model. J and Cw
// come from approximate thin-walled formulas on both sides: 5 %.
//
// Rows that cannot meet 1.5 % for a known modelling reason are listed by
// name below with the reason and the tolerance they are held to instead. A
// listed row that meets 1.5 % everywhere fails the test, so the list cannot
// go stale.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "SectGeom.h"

using namespace Corvid::Steel;

namespace {

constexpr double kTol = 0.015;
constexpr double kTolTorsion = 0.05;

// --- allow-list ---------------------------------------------------------------

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

// --- CSV ----------------------------------------------------------------------

struct Table {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

bool ReadCsv(std::string const& path, Table& t) {
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        std::vector<std::string> cells;
        std::string cell;
        for (char c : line) {
            if (c == ',') {
                cells.push_back(cell);
                cell.clear();
            } else {
                cell.push_back(c);
            }
        }
        cells.push_back(cell);
        if (first)
            t.header = cells;
        else
            t.rows.push_back(cells);
        first = false;
    }
    return !t.header.empty();
}

class Row {
public:
    Row(Table const& t, std::size_t i) : m_t(t), m_i(i) {}
    std::string Cell(std::string const& name) const {
        for (std::size_t k = 0; k < m_t.header.size(); ++k)
            if (m_t.header[k] == name) return k < m_t.rows[m_i].size() ? m_t.rows[m_i][k] : std::string();
        ADD_FAILURE() << "no column " << name;
        return std::string();
    }
    // A dimension; NaN when blank or not a number (the comparisons then fail
    // and report the row).
    double Num(std::string const& name) const {
        std::string const c = Cell(name);
        if (c.empty()) return std::nan("");
        char* end = nullptr;
        double const v = std::strtod(c.c_str(), &end);
        return end != nullptr && *end == '\0' ? v : std::nan("");
    }

private:
    Table const& m_t;
    std::size_t m_i;
};

// --- comparison -----------------------------------------------------------------

// Largest relative difference of one property, over all rows and over the
// rows held to the normal tolerance (not allow-listed).
struct Worst {
    int n = 0;
    double err = 0, errNormal = 0;
    std::string row, rowNormal;
};

class Checker {
public:
    explicit Checker(std::string file) : m_file(std::move(file)) {}

    // Compares ours (SI) with the published cell (table units: multiply by
    // scale to reach SI). A blank cell is skipped.
    void Compare(Row const& row, std::string const& name, std::string const& prop, double ours,
                 std::string const& column, double scale, double tol = kTol) {
        std::string const cell = row.Cell(column);
        if (cell.empty()) return;
        double const published = std::strtod(cell.c_str(), nullptr) * scale;
        double const err = (ours - published) / published;
        bool const within = std::fabs(err) <= tol;
        if (!within) m_outside.insert(name);
        double allowed = tol;
        for (Exception const* e : kExceptions)
            for (auto const& r : e->rows)
                if (r == name) allowed = std::max(tol, e->tol);
        Worst& w = m_worst[prop];
        ++w.n;
        if (!(std::fabs(err) <= std::fabs(w.err))) w.err = err, w.row = name;
        if (allowed == tol && !(std::fabs(err) <= std::fabs(w.errNormal))) w.errNormal = err, w.rowNormal = name;
        if (!(std::fabs(err) <= allowed)) {
            ++m_failures;
            if (m_report.size() < 20) {
                char buf[256];
                std::snprintf(buf, sizeof buf, "%s %s: computed %.5g, published %.5g (%+.2f %%, allowed %.1f %%)",
                              name.c_str(), prop.c_str(), ours / scale, published / scale, 100 * err, 100 * allowed);
                m_report.push_back(buf);
            }
        }
    }

    void RowSeen(std::string const& name) { m_rows.insert(name); }

    // Fails on property failures and on allow-list entries of this table
    // that are no longer needed.
    void Finish() {
        for (Exception const* e : kExceptions)
            for (auto const& r : e->rows)
                if (m_rows.count(r) && !m_outside.count(r))
                    ADD_FAILURE() << m_file << ": allow-listed row " << r << " (" << e->reason
                                  << ") meets the normal tolerance everywhere: remove it from the list";
        std::cout << m_file << ": " << m_rows.size() << " rows, " << m_outside.size()
                  << " outside the normal tolerance, " << m_failures << " failures\n";
        for (auto const& [prop, w] : m_worst)
            if (w.rowNormal.empty())
                std::printf("  %-5s n=%-4d worst %+6.2f %% (%s); every row listed\n", prop.c_str(), w.n, 100 * w.err,
                            w.row.c_str());
            else
                std::printf("  %-5s n=%-4d worst %+6.2f %% (%s); rows not listed: %+.2f %% (%s)\n", prop.c_str(), w.n,
                            100 * w.err, w.row.c_str(), 100 * w.errNormal, w.rowNormal.c_str());
        EXPECT_EQ(m_failures, 0) << m_file << ": " << m_failures << " comparisons failed; the first ones:\n"
                                 << Joined();
    }

private:
    std::string Joined() const {
        std::string s;
        for (auto const& l : m_report) s += "  " + l + "\n";
        return s;
    }

    std::string m_file;
    std::map<std::string, Worst> m_worst;
    std::set<std::string> m_rows, m_outside;
    std::vector<std::string> m_report;
    int m_failures = 0;
};

constexpr double kMm = 1e-3;
constexpr double kMm2 = 1e-6;
constexpr double kE6mm4 = 1e-6;  // 10^6 mm^4 in m^4
constexpr double kE3mm3 = 1e-6;  // 10^3 mm^3 in m^3
constexpr double kE3mm4 = 1e-9;  // 10^3 mm^4 in m^4
constexpr double kE9mm6 = 1e-9;  // 10^9 mm^6 in m^6

// Loads a table of the shared folder; false (the caller skips) when absent.
bool Load(std::string const& file, Table& t) {
#ifdef S16_SHARED_SECTIONS
    return ReadCsv(std::string(S16_SHARED_SECTIONS) + "/" + file, t);
#else
    (void)file;
    (void)t;
    return false;
#endif
}

}  // namespace

TEST(PublishedSections, IShapes) {
    Table t;
    if (!Load("i_shapes.csv", t)) GTEST_SKIP() << "section tables not found";
    Checker c("i_shapes.csv");
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        Row const r(t, i);
        std::string const name = r.Cell("designation");
        c.RowSeen(name);
        // D = d, B1 = B2 = bf, T1 = T2 = tf, Tw = tw, R = kdes - tf (the
        // k_des_or_r column holds kdes for every row).
        double const tf = r.Num("tf");
        CDesSectGeomI g;
        g.SetDimensions(r.Num("d") * kMm, r.Num("bf") * kMm, tf * kMm, r.Num("bf") * kMm, tf * kMm, r.Num("tw") * kMm,
                        (r.Num("k_des_or_r") - tf) * kMm);
        c.Compare(r, name, "A", g.Area(), "A", kMm2);
        c.Compare(r, name, "Ix", g.Ixx(), "Ix", kE6mm4);
        c.Compare(r, name, "Iy", g.Iyy(), "Iy", kE6mm4);
        c.Compare(r, name, "Sx", g.Zxx(), "Sx", kE3mm3);
        c.Compare(r, name, "Sy", g.Zyy(), "Sy", kE3mm3);
        c.Compare(r, name, "Zx", g.Sxx(), "Zx", kE3mm3);
        c.Compare(r, name, "Zy", g.Syy(), "Zy", kE3mm3);
        if (r.Cell("type") == "W") {
            c.Compare(r, name, "J", g.J(), "J", kE3mm4, kTolTorsion);
            c.Compare(r, name, "Cw", g.Gamma(), "Cw", kE9mm6, kTolTorsion);
        }
    }
    c.Finish();
}

TEST(PublishedSections, Channels) {
    Table t;
    if (!Load("channels.csv", t)) GTEST_SKIP() << "section tables not found";
    Checker c("channels.csv");
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        Row const r(t, i);
        std::string const name = r.Cell("designation");
        c.RowSeen(name);
        double const tf = r.Num("tf");
        double const tw = r.Num("tw");
        CDesSectGeomPFC g;
        g.SetDimensions(r.Num("d") * kMm, r.Num("bf") * kMm, tf * kMm, r.Num("bf") * kMm, tf * kMm, tw * kMm,
                        (r.Num("kdes") - tf) * kMm);
        c.Compare(r, name, "A", g.Area(), "A", kMm2);
        c.Compare(r, name, "Ix", g.Ixx(), "Ix", kE6mm4);
        c.Compare(r, name, "Iy", g.Iyy(), "Iy", kE6mm4);
        c.Compare(r, name, "Sx", g.Zxx(), "Sx", kE3mm3);
        c.Compare(r, name, "Sy", g.Zyy(), "Sy", kE3mm3);
        c.Compare(r, name, "Zx", g.Sxx(), "Zx", kE3mm3);
        c.Compare(r, name, "Zy", g.Syy(), "Zy", kE3mm3);
        // Centroid from the back of the web, as the table measures it.
        c.Compare(r, name, "x_bar", g.Xbar(), "x_bar", kMm);
        // The table's eo is measured from the back of the web; ours from the
        // web centre line, so eo = e0 - tw/2.
        c.Compare(r, name, "eo", g.ShearCentreFromWeb() - tw / 2 * kMm, "eo", kMm);
        c.Compare(r, name, "Cw", g.Gamma(), "Cw", kE9mm6, kTolTorsion);
    }
    c.Finish();
}

TEST(PublishedSections, Tees) {
    Table t;
    if (!Load("tees.csv", t)) GTEST_SKIP() << "section tables not found";
    Checker c("tees.csv");
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        Row const r(t, i);
        std::string const name = r.Cell("designation");
        c.RowSeen(name);
        double const d = r.Num("d");
        double const tf = r.Num("tf");
        CDesSectGeomT g;
        g.SetDimensions(d * kMm, r.Num("bf") * kMm, tf * kMm, r.Num("tw") * kMm, (r.Num("kdes") - tf) * kMm);
        c.Compare(r, name, "A", g.Area(), "A", kMm2);
        c.Compare(r, name, "Ix", g.Ixx(), "Ix", kE6mm4);
        c.Compare(r, name, "Iy", g.Iyy(), "Iy", kE6mm4);
        // Table Sx = Ix / (d - y_bar), to the stem tip: the smaller modulus.
        c.Compare(r, name, "Sx", g.Zxx(), "Sx", kE3mm3);
        c.Compare(r, name, "Sy", g.Zyy(), "Sy", kE3mm3);
        c.Compare(r, name, "Zx", g.Sxx(), "Zx", kE3mm3);
        c.Compare(r, name, "Zy", g.Syy(), "Zy", kE3mm3);
        // Table y_bar is from the flange face; ours from the stem tip.
        c.Compare(r, name, "y_bar", d * kMm - g.Ybar(), "y_bar", kMm);
        if (r.Cell("type") == "WT") {
            c.Compare(r, name, "J", g.J(), "J", kE3mm4, kTolTorsion);
            c.Compare(r, name, "Cw", g.Gamma(), "Cw", kE9mm6, kTolTorsion);
        }
    }
    c.Finish();
}

TEST(PublishedSections, Angles) {
    Table t;
    if (!Load("angles.csv", t)) GTEST_SKIP() << "section tables not found";
    Checker c("angles.csv");
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        Row const r(t, i);
        std::string const name = r.Cell("designation");
        c.RowSeen(name);
        // The table's b is the longer leg, d the shorter, and its properties
        // take the long leg vertical: D = b, B = d, R = kdes - t.
        double const th = r.Num("t");
        CDesSectGeomAngle g;
        g.SetDimensions(r.Num("b") * kMm, r.Num("d") * kMm, th * kMm, (r.Num("kdes") - th) * kMm);
        c.Compare(r, name, "A", g.Area(), "A", kMm2);
        c.Compare(r, name, "Ix", g.Ixx(), "Ix", kE6mm4);
        c.Compare(r, name, "Iy", g.Iyy(), "Iy", kE6mm4);
        c.Compare(r, name, "Sx", g.Zxx(), "Sx", kE3mm3);
        c.Compare(r, name, "Sy", g.Zyy(), "Sy", kE3mm3);
        c.Compare(r, name, "Zx", g.Sxx(), "Zx", kE3mm3);
        c.Compare(r, name, "Zy", g.Syy(), "Zy", kE3mm3);
        // y_bar along the long leg from the heel, x_bar from the back of the
        // long leg: our Ybar and Xbar.
        c.Compare(r, name, "x_bar", g.Xbar(), "x_bar", kMm);
        c.Compare(r, name, "y_bar", g.Ybar(), "y_bar", kMm);
    }
    c.Finish();
}

TEST(PublishedSections, RectangularHSS) {
    Table t;
    if (!Load("hss_rect.csv", t)) GTEST_SKIP() << "section tables not found";
    Checker c("hss_rect.csv");
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        Row const r(t, i);
        std::string const name = r.Cell("designation");
        c.RowSeen(name);
        // D = Ht, B = B, tf = tw = tdes, Ro = 2 tdes (the table's corner
        // radius for its property calculation).
        double const td = r.Num("tdes");
        CDesSectGeomRHS g;
        g.SetDimensions(r.Num("Ht") * kMm, r.Num("B") * kMm, td * kMm, td * kMm, 2 * td * kMm);
        c.Compare(r, name, "A", g.Area(), "A", kMm2);
        c.Compare(r, name, "Ix", g.Ixx(), "Ix", kE6mm4);
        c.Compare(r, name, "Iy", g.Iyy(), "Iy", kE6mm4);
        c.Compare(r, name, "Sx", g.Zxx(), "Sx", kE3mm3);
        c.Compare(r, name, "Sy", g.Zyy(), "Sy", kE3mm3);
        c.Compare(r, name, "Zx", g.Sxx(), "Zx", kE3mm3);
        c.Compare(r, name, "Zy", g.Syy(), "Zy", kE3mm3);
        c.Compare(r, name, "J", g.J(), "J", kE3mm4, kTolTorsion);
    }
    c.Finish();
}

TEST(PublishedSections, RoundHSSAndPipe) {
    Table t;
    if (!Load("hss_round.csv", t)) GTEST_SKIP() << "section tables not found";
    Checker c("hss_round.csv");
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        Row const r(t, i);
        std::string const name = r.Cell("designation");
        c.RowSeen(name);
        CDesSectGeomCHS g;
        g.SetDimensions(r.Num("OD") * kMm, r.Num("tdes") * kMm);
        c.Compare(r, name, "A", g.Area(), "A", kMm2);
        c.Compare(r, name, "I", g.Ixx(), "I", kE6mm4);
        c.Compare(r, name, "S", g.Zxx(), "S", kE3mm3);
        c.Compare(r, name, "Z", g.Sxx(), "Z", kE3mm3);
        c.Compare(r, name, "J", g.J(), "J", kE3mm4);
    }
    c.Finish();
}

// Every allow-listed name must be a row of one of the tables.
TEST(PublishedSections, AllowListNamesExist) {
    std::set<std::string> names;
    for (char const* file : {"i_shapes.csv", "channels.csv", "tees.csv", "angles.csv", "hss_rect.csv", "hss_round.csv"}) {
        Table t;
        if (!Load(file, t)) GTEST_SKIP() << "section tables not found";
        for (std::size_t i = 0; i < t.rows.size(); ++i) names.insert(Row(t, i).Cell("designation"));
    }
    for (Exception const* e : kExceptions)
        for (auto const& r : e->rows) EXPECT_TRUE(names.count(r)) << "allow-listed row " << r << " is in no table";
}
