#pragma once
// A section as the user names it: a parametric description in mm
// ("I D=303 B=203 T=13.1 Tw=7.5 R=15"), a handbook designation looked up
// in a section catalogue ("W310x60", "W310x39" for W310x38.7) or a hollow
// section by its CSA G40.20 name ("HSS102x102x6.4").
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "CString.h"

namespace Corvid::Steel {
class CDesSectGeom;
}

namespace Corvid::Data {

struct CSecGeom {
    enum SecShape : int {
        None = 0,
        I = 1,
        Plate = 2,
        Channel = 3,
        Tee = 4,
        Angle = 5,
        RoundBar = 6,
        CHS = 7,
        DoubleAngle = 8,
        RHS = 9,
        Box = 10,
        H = 11,
    };
};

// Fabrication type of a section.
enum Fabrication : int {
    FabRolled = 0,
    FabWelded = 1,
    FabColdFormed = 2,
    FabBuiltUp = 3,
    FabColdFormedStainless = 4,
};

// The words of fab=... and what each names, in the order a refusal lists
// them: "welded-flame-cut" is a welded member whose flange edges are
// oxy-flame-cut (the resistance curve of CSA S16-09 cl. 13.3.1 with n = 2.24).
struct FabricationWord {
    wchar_t const* word;
    Fabrication fab;
    bool flameCut;
};
inline constexpr FabricationWord kFabricationWords[] = {
    {L"rolled", FabRolled, false},          {L"welded", FabWelded, false},
    {L"welded-flame-cut", FabWelded, true}, {L"cold-formed", FabColdFormed, false},
    {L"built-up", FabBuiltUp, false},       {L"cold-formed-stainless", FabColdFormedStainless, false},
};
// The word of a fabrication type (with flame-cut flange edges or not); null
// for a type no word names.
wchar_t const* FabricationName(int fab, bool flameCut = false);
// The entry of a word (lower case); null for a word that names none.
FabricationWord const* FindFabrication(std::wstring const& word);

// Dimensions in m. Which fields a shape uses:
//   I, H, channel: D, B1, T1 (flange 1, top), B2, T2, Tw, R (root radius),
//                  slope
//   tee:           D (overall), B1 = B2 = B, T1 = T2 = T, Tw, R, slope
//   angle:         D (vertical leg), B (horizontal leg), t, R (root radius)
//   RHS:           D, B, tf (walls along the width), tw (walls along the
//                  depth), Ro (outside corner radius)
//   CHS:           D (outside diameter), t
//   plate:         B, t;  round bar: D
struct CSectionDims {
    double D = 0, B = 0, B1 = 0, T1 = 0, B2 = 0, T2 = 0, Tw = 0, R = 0;
    double t = 0, tf = 0, tw = 0, Ro = 0;
    // Slope of the inner flange faces of an I, H, channel or tee, rise over
    // run (dimensionless; 0: parallel flanges). With a slope, T1, T2 (and
    // the tee's T) are the AVERAGE flange thicknesses, measured at the
    // middle of the outstand; the flange is thicker at the web and thinner
    // at the toe. American Standard S and C shapes have inner flange faces
    // sloping 2 in 12, 16 2/3 % (AISC Steel Construction Manual, the
    // description of the S and C shapes in its dimensions and properties
    // chapter; the slope of MC shapes varies from shape to shape).
    double slope = 0;
    int fab = FabRolled;
    // The resistance curve of CSA S16-09 cl. 13.3.1 with n = 2.24: a hollow
    // section made to CSA G40.20 Class H, hot-formed or stress-relieved
    // ("class=H"), or a doubly symmetric welded three-plate member whose
    // flange edges are oxy-flame-cut ("fab=welded-flame-cut", fab welded).
    bool classH = false;
    bool flameCut = false;
};

bool operator==(CSectionDims const& a, CSectionDims const& b);

// Gross properties a catalogue row tabulates (m, m^2, m^3, m^4, m^6; NaN:
// not tabulated). The section's geometry uses them in place of the values
// computed from the dimensions, as handbook users expect; the dimensions
// still drive classification, effective properties and local checks.
// Sxx, Syy plastic, Zxx, Zyy elastic moduli; Xbar, Ybar in the coordinates
// of the section geometry.
struct CTabulatedProps {
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
    double A = kNone, Ixx = kNone, Iyy = kNone, Sxx = kNone, Syy = kNone, Zxx = kNone, Zyy = kNone;
    double J = kNone, Cw = kNone, Xbar = kNone, Ybar = kNone;
};

bool operator==(CTabulatedProps const& a, CTabulatedProps const& b);

class CSection {
public:
    // An empty section (shape None).
    CSection();
    // Reads a description. An empty or all-blank text gives an empty
    // section; anything malformed throws std::invalid_argument with a message
    // that names the problem.
    explicit CSection(CString const& description);

    CSecGeom::SecShape Shape() const { return m_shape; }
    bool IsEmpty() const { return m_shape == CSecGeom::None; }
    CSectionDims const& Dims() const { return m_dims; }
    // The catalogue row's tabulated gross properties (all NaN for others).
    CTabulatedProps const& Tabulated() const { return m_tab; }
    int FabricationType() const { return m_dims.fab; }
    // The designation ("W310x60") or the normalised parametric text.
    CString Name() const { return m_name; }
    // Text for the report. name: the designation or description; dims: the
    // dimensions in mm; fab: the fabrication word. With all three false the
    // name is given.
    CString Description(bool dims, bool fab, bool name) const;
    // Geometry built from the dimensions (null for an empty section and for
    // shapes without a geometry: plate, round bar).
    std::shared_ptr<Corvid::Steel::CDesSectGeom const> Geometry() const { return m_geom; }

    // Section catalogue: a folder of CSV files (i_shapes.csv, channels.csv,
    // tees.csv, angles.csv, hss_rect.csv, hss_round.csv). Set here, or by the
    // environment variable S16_SECTION_CATALOG when nothing is set here.
    static void SetCatalogDirectory(std::string const& dir);
    static std::string CatalogDirectory();
    // The catalogue's designations that start with prefix (case and spaces
    // ignored), in the order of its files. Throws std::invalid_argument when
    // no catalogue is set or it is not sound.
    static std::vector<std::string> CatalogNames(std::string const& prefix);

    friend bool operator==(CSection const& a, CSection const& b);
    friend bool operator!=(CSection const& a, CSection const& b) { return !(a == b); }

private:
    // Reads a parametric description of the shape (what: "an I section").
    void ParseParametric(std::wstring const& text, CSecGeom::SecShape shape, char const* what);
    void LookUp(std::wstring const& designation);
    // Reads what may follow a designation (fab=..., class=...) and builds the geometry.
    void DesignationOptions(std::wstring const& description, std::vector<std::wstring> const& tokens);
    // Reads fab=... or class=... (false for other names); given: the options
    // read so far (each once).
    bool Option(std::wstring const& text, std::wstring const& name, std::wstring const& value,
                std::vector<std::wstring>& given);
    // Refuses an option the shape cannot have (it would have no effect).
    void CheckOptions(std::wstring const& text) const;
    void BuildGeometry();

    CSecGeom::SecShape m_shape = CSecGeom::None;
    CSectionDims m_dims;
    CTabulatedProps m_tab;
    CString m_name;
    bool m_catalogue = false;
    std::shared_ptr<Corvid::Steel::CDesSectGeom const> m_geom;
};

// Name of a shape code ("I", "channel" ...).
CString ShapeName(CSecGeom::SecShape s);

}  // namespace Corvid::Data
