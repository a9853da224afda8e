#pragma once
// Polygon toolkit behind the section geometries: a cross-section is a set of
// closed polygons (material +1, holes -1), arcs are replaced by chords, and
// the area integrals are evaluated exactly on the polygons by Green's
// theorem. Plastic neutral axes are found by clipping with a half-plane.
#include <vector>

namespace Corvid::Steel::detail {

struct Pt {
    double x = 0, y = 0;
};

// A closed polygon: vertices counter-clockwise, the last joined to the first.
// sign +1 for material, -1 for a hole cut out of the material around it.
struct Polygon {
    std::vector<Pt> pts;
    double sign = 1.0;
};

using Region = std::vector<Polygon>;

// Chords per quarter circle. The chord polygon of a quarter arc of radius r
// misses r^2 (pi/2)^3 / (12 n^2) = 4.0e-5 r^2 of area with n = 90: a few
// millionths of the properties of a rolled or hollow section, 5e-5 at worst
// (a thin tube whose corners make a full circle).
inline constexpr int kArcSegmentsPerQuarter = 90;

// Bisection steps for the plastic neutral axis: the bracket (the depth of
// the section) shrinks by 2^-64, below the resolution of a double, so the
// axis is found to the last bit; the count is fixed so that no input can
// loop for ever.
inline constexpr int kBisectionSteps = 64;

// Area integrals of a polygon about the reference point (x0, y0), with
// u = x - x0 and v = y - y0: A = int dA; Qx = int v dA and Ixx = int v^2 dA
// (about the horizontal axis through the point); Qy = int u dA and
// Iyy = int u^2 dA (about the vertical axis); Ixy = int u v dA. The sign of
// the polygon is applied.
struct AreaMoments {
    double A = 0, Qx = 0, Qy = 0, Ixx = 0, Iyy = 0, Ixy = 0;
    AreaMoments& operator+=(AreaMoments const& o);
};

AreaMoments Moments(Polygon const& p, double x0, double y0);
AreaMoments Moments(Region const& r, double x0, double y0);

// Appends the points of a circular arc of radius r centred on (cx, cy) from
// angle a0 to angle a1 (rad, both ends included), with n chords. A radius
// that is not positive gives the single point (cx, cy): a sharp corner.
void AppendArc(std::vector<Pt>& pts, double cx, double cy, double r, double a0, double a1,
               int n = kArcSegmentsPerQuarter);

// Rectangle [x0, x1] x [y0, y1] with corners rounded to radius r (0: sharp).
Polygon RoundedRectangle(double x0, double y0, double x1, double y1, double r, double sign = 1.0);

// The part of polygon `in` with y <= c (horizontal cut, alongY true) or
// x <= c (vertical cut), keepLow true; or the part >= c, keepLow false.
// One-half-plane Sutherland-Hodgman: for a concave polygon the result may
// contain zero-width slivers along the cut, which add nothing to any area
// integral.
void ClipHalfPlane(std::vector<Pt> const& in, bool alongY, double c, bool keepLow, std::vector<Pt>& out);

// Gross properties of a region, in the coordinates of its vertices.
struct GrossProps {
    double A = 0, xc = 0, yc = 0;
    double Ixx = 0, Iyy = 0, Ixy = 0;  // about the centroid
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    double Zxx = 0, Zyy = 0;  // elastic: I / largest distance to an extreme fibre
    double xp = 0, yp = 0;    // plastic (equal-area) neutral axes
    double Sxx = 0, Syy = 0;  // plastic moduli about those axes
};

GrossProps ComputeGross(Region const& region);

// Principal second moments and the angle from the x axis to the major axis u.
struct Principal {
    double Iuu = 0, Ivv = 0, alpha = 0;
};

Principal PrincipalAxes(double Ixx, double Iyy, double Ixy);

}  // namespace Corvid::Steel::detail
