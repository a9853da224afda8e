#pragma once
// Structural steel grade: yield and tensile strength by element thickness.
#include <vector>

#include "CString.h"
#include "DesFormat.h"

namespace Corvid::Steel {

class CSteelGrade {
public:
    // One thickness band: the strengths hold for t <= tMax (m).
    struct Band {
        double tMax;  // m; +infinity for the last band
        double Fy;    // Pa
        double Fu;    // Pa
    };

    // An empty grade: strengths 0, name empty. Checks with it report zero
    // resistances; a host should always give a real grade.
    CSteelGrade();
    // A built-in grade by name (case and separators ignored: "350W",
    // "CSA G40.21 350W", "g40.21-350w", "ASTM_A36", "A572 Gr 50" ...).
    // Throws std::invalid_argument naming the unknown grade and listing the
    // known ones.
    explicit CSteelGrade(CString const& name);
    // A user-defined grade, constant strengths. Throws std::invalid_argument
    // when Fy or Fu is not a positive finite number, Fu < Fy, or the name is a
    // built-in grade's with other strengths.
    CSteelGrade(CString const& name, double Fy, double Fu);

    // The grade as a round tube has it: ASTM A500 Grade C gives round tubes
    // their own Fy (317 MPa, rectangular 345 MPa); every other grade is the same.
    CSteelGrade ForRoundTube() const;

    double DesignStrength(double t) const { return BandFor(t).Fy; }   // Fy, Pa, for thickness t (m)
    double TensileStrength(double t) const { return BandFor(t).Fu; }  // Fu, Pa
    double YoungsModulus() const { return 200000e6; }                 // E = 200 000 MPa (CSA S16 cl. 2)
    double ShearModulus() const { return 77000e6; }                   // G = 77 000 MPa
    CString Name() const { return m_name; }
    // Report text: name, Fy and Fu at thickness t, E and G, one line each.
    CString GetString(Corvid::Util::CDesFormat const& format, double t) const;

    static std::vector<CString> KnownNames();

    friend bool operator==(CSteelGrade const& a, CSteelGrade const& b);

private:
    Band const& BandFor(double t) const {
        for (auto const& b : m_bands)
            if (!(t > b.tMax)) return b;  // NaN thickness takes the first band
        return m_bands.back();
    }

    CString m_name;
    std::vector<Band> m_bands;
    double m_roundFy = 0.0;  // Pa; 0: round tubes take the bands' Fy
};

}  // namespace Corvid::Steel
