#pragma once
// One section without a member: dimensions, gross properties, classes and the
// cross-section resistances, as the design module's calculator gives them.
#include <string>
#include <utility>
#include <vector>

namespace Corvid::Steel::SteelCSAS1609 {
class CCSA_S16_09Section;
}
namespace Corvid::Data {
class CSection;
}

namespace s16app {

using NamedValues = std::vector<std::pair<std::string, double>>;

struct SectionInfo {
    std::string name;  // designation or normalised description
    std::string shape;
    int shapeCode = 0;  // Corvid::Data::CSecGeom::SecShape
    std::string fabrication;
    std::string code;
    NamedValues dimensions;              // m (slope: rise over run)
    NamedValues properties;              // m², m⁴, m³, m⁶, m; alpha in rad
    std::vector<std::string> tabulated;  // the properties the catalogue row tabulates
    std::string grade;
    double Fy = 0.0, Fu = 0.0;  // Pa, at the section's largest thickness
    // Local buckling classes 0 (not covered) to 4: overall and axial in pure
    // compression (Cf = phi A Fy), major and minor in pure bending.
    int classOverall = 0, classAxial = 0, classMajor = 0, classMinor = 0;
    // Tr, Cr (squash load, Le = 0), Mrx, Mry (class 4: the reduced moments),
    // Vr_major, Vr_minor (the shear resistances the module checks the
    // member's major- and minor-axis shear against): N and N.m.
    NamedValues resistances;
    // The elements that resist the major- and minor-axis shear ("major-axis
    // shear (along the depth): web, hw = D - T1 - T2"), as the report says.
    std::string shearMajorBy, shearMinorBy;
};

// Describes a section in a grade under a code (0 "CSA S16-09", 1 "CSA
// S16-14"). Throws InputError for an unknown section or grade, or a shape no
// calculator handles.
SectionInfo DescribeSection(std::string const& description, std::string const& grade, int code);
// The classes and resistances of a member's calculator (its section and grade).
void DescribeResistances(Corvid::Steel::SteelCSAS1609::CCSA_S16_09Section const& calc, SectionInfo& info);

// The dimensions of a section by name (m; slope rise over run).
NamedValues SectionDimensions(Corvid::Data::CSection const& section);

}  // namespace s16app
