#include "SectGeom.h"

#include <typeinfo>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <typeinfo>

#include "DesignConstants.h"
#include "MemberResult.h"
#include "SectPolygon.h"

namespace Corvid::Steel {

using Corvid::Data::CSecGeom;
using Corvid::Data::CSection;
using Corvid::Util::CDesFormat;

namespace {

using detail::AppendArc;
using detail::GrossProps;
using detail::Polygon;
using detail::Pt;
using detail::Region;

using Corvid::Design::kPi;

double Cube(double v) { return v * v * v; }
double Fourth(double v) { return v * v * v * v; }

// Root radius actually modelled: zero unless the radius and the room for it
// are both positive (a NaN radius counts as none), never more than the room.
double FitRadius(double R, double room) {
    if (!(R > 0.0) || !(room > 0.0)) return 0.0;
    return R < room ? R : room;
}

bool Reject(CMemberResult* const result, wchar_t const* what) {
    if (result != nullptr && result->WantsText())
        result->AddOutputString(CString(L"<red>Section is not ") + what + L"</red>\n");
    return false;
}

CString DimLine(wchar_t const* name, double v, CDesFormat const& format) {
    return CString(L"\t") + name + L" = " + format.LengthSmall(v) + L"\n";
}

// The geometry knows the fabrication type only (not flame-cut flange edges).
CString FabLine(int fab) {
    wchar_t const* const word = Corvid::Data::FabricationName(fab);
    return L"\tFabrication: " + (word ? CString(word) : L"type " + std::to_wstring(fab)) + L"\n";
}

// The flange slope in percent, as a plain number; nothing for parallel
// flanges.
CString SlopeLine(double slope) {
    if (slope == 0.0) return L"";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%g", slope * 100.0);
    return L"\tslope = " + Corvid::Widen(buf) + L" %\n";
}

// Copies the polygon results into the cache, principal axes included.
void StoreGross(CGeomProps& p, GrossProps const& g) {
    p.A = g.A;
    p.Xbar = g.xc;
    p.Ybar = g.yc;
    p.Ixx = g.Ixx;
    p.Iyy = g.Iyy;
    p.Ixy = g.Ixy;
    p.Zxx = g.Zxx;
    p.Zyy = g.Zyy;
    p.Sxx = g.Sxx;
    p.Syy = g.Syy;
    p.XbarPlastic = g.xp;
    p.YbarPlastic = g.yp;
    detail::Principal const pr = detail::PrincipalAxes(g.Ixx, g.Iyy, g.Ixy);
    p.Iuu = pr.Iuu;
    p.Ivv = pr.Ivv;
    p.Alpha = pr.alpha;
}

// Section symmetric about a vertical axis at x = xs: centroid and plastic
// axis lie on it exactly, the product of inertia vanishes and the geometric
// axes are principal.
// A section with an axis of symmetry: no product of inertia, and the
// geometric axes are its principal axes.
void PrincipalAlongGeometric(CGeomProps& p) {
    p.Ixy = 0.0;
    p.Iuu = std::max(p.Ixx, p.Iyy);
    p.Ivv = std::min(p.Ixx, p.Iyy);
    p.Alpha = 0.0;
}

void SymmetricAboutY(CGeomProps& p, GrossProps const& g, double xs) {
    p.Xbar = xs;
    p.XbarPlastic = xs;
    p.Zyy = p.Iyy / std::max(g.xmax - xs, xs - g.xmin);
    PrincipalAlongGeometric(p);
}

// Section symmetric about a horizontal axis at y = ys.
void SymmetricAboutX(CGeomProps& p, GrossProps const& g, double ys) {
    p.Ybar = ys;
    p.YbarPlastic = ys;
    p.Zxx = p.Ixx / std::max(g.ymax - ys, ys - g.ymin);
    PrincipalAlongGeometric(p);
}

// --- St Venant torsion of rolled shapes with root fillets --------------------
//
// El Darwish & Johnston (1965), "Torsion of structural shapes", ASCE J.
// Struct. Div. 91(ST1), as given in AISC Design Guide 9 (Seaburg & Carter,
// Appendix A) and Roark's Formulas for Stress and Strain (Table 10.1): the
// constant of a rolled shape is the sum of its plates, each with the
// reduction for its free ends, plus alpha D^4 per junction, D the diameter of
// the largest circle inscribed in the junction. The tabulated J of rolled
// shapes is computed this way (with the T junction below it reproduces the
// published J of every W and WT shape within 1.5 %).
//
// Plate b x t with both ends free, and with one end free:
//   K2 = b t^3 (1/3 - 0.21  t/b (1 - t^4 / (12 b^4)))
//   K1 = b t^3 (1/3 - 0.105 t/b (1 - t^4 / (192 b^4)))
double PlateTwoFreeEnds(double b, double t) {
    return b * Cube(t) * (1.0 / 3.0 - 0.21 * t / b * (1.0 - Fourth(t) / (12.0 * Fourth(b))));
}

double PlateOneFreeEnd(double b, double t) {
    return b * Cube(t) * (1.0 / 3.0 - 0.105 * t / b * (1.0 - Fourth(t) / (192.0 * Fourth(b))));
}

// T junction (I-shape web to flange, tee stem to flange), flange tf, web tw,
// fillet radius r (Design Guide 9):
//   D     = ((tf + r)^2 + tw (r + tw/4)) / (2 r + tf)
//   alpha = -0.042 + 0.2204 tw/tf + 0.1355 r/tf - 0.0865 r tw/tf^2
//           - 0.0725 (tw/tf)^2
double TJunction(double tf, double tw, double r) {
    double const D = ((tf + r) * (tf + r) + tw * (r + tw / 4.0)) / (2.0 * r + tf);
    double const q = tw / tf;
    double const alpha = -0.042 + 0.2204 * q + 0.1355 * r / tf - 0.0865 * r * tw / (tf * tf) - 0.0725 * q * q;
    // The fit is made for rolled proportions; far outside them (a flange
    // much thinner than the web and the fillet) alpha turns negative, which
    // would make the junction take stiffness away and J negative. The
    // junction then adds nothing.
    return std::max(alpha, 0.0) * Fourth(D);
}

// L junction (angle heel, channel web to flange), leg thicknesses t1, t2,
// fillet radius r (Roark, L section):
//   D     = 2 (t1 + t2 + 3 r - sqrt(2 (2 r + t1)(2 r + t2)))
//   alpha = (t_min / t_max) (0.07 + 0.076 r / t_max)
double LJunction(double t1, double t2, double r) {
    double const D = 2.0 * (t1 + t2 + 3.0 * r - std::sqrt(2.0 * (2.0 * r + t1) * (2.0 * r + t2)));
    double const tmax = std::max(t1, t2);
    double const alpha = std::min(t1, t2) / tmax * (0.07 + 0.076 * r / tmax);
    return alpha * Fourth(D);
}

// --- Outlines ---------------------------------------------------------------
//
// Sloped flanges. A flange of average thickness T and outstand b' (from the
// web face to the toe) whose inner face slopes at s (rise over run) is
// T + s b'/2 thick at the web face and T - s b'/2 at the toe: the thickness
// at the middle of the outstand, and so the mean over the outstand, is T.
// The root fillet of radius R is tangent to the web face and to the sloped
// face. Its centre lies R from the web face and R from the face line, which
// puts it k R from the face along the web, k = sqrt(1 + s^2) - s =
// 1/(sqrt(1 + s^2) + s), and the tangent point on the face R (1 - s/sqrt(1 +
// s^2)) from the web; the arc spans pi/2 - atan(s). With s = 0 every
// expression below reduces exactly to the parallel-flange one. The rounded
// toes of rolled sloped-flange shapes are not modelled (the toe is square).

// Flange thickness at the web face (side +1) or at the toe (side -1).
double FlangeThickness(double T, double s, double outstand, double side) {
    return s > 0.0 ? T + side * s * outstand / 2.0 : T;
}

// Distance along the web from the flange face to the fillet's tangent point,
// per unit radius.
double FilletRise(double s) { return 1.0 / (std::sqrt(1.0 + s * s) + s); }

// Distance from the web face to the fillet's tangent point on the flange,
// per unit radius.
double FilletRun(double s) { return 1.0 - s / std::sqrt(1.0 + s * s); }

// Slope actually modelled: zero unless positive (a NaN slope counts as none),
// never so steep that a flange (average thickness T, outstand b) would have
// a negative thickness at its toe.
double FitSlope(double s, double T1, double b1, double T2, double b2) {
    if (!(s > 0.0)) return 0.0;
    if (b1 > 0.0 && !(s <= 2.0 * T1 / b1)) s = 2.0 * T1 / b1;
    if (b2 > 0.0 && !(s <= 2.0 * T2 / b2)) s = 2.0 * T2 / b2;
    return s > 0.0 && std::isfinite(s) ? s : 0.0;
}

// I: y from the bottom face, flange 1 (B1, T1) on top, web centred at half
// the wider flange. Counter-clockwise, root fillets as concave arcs, inner
// flange faces sloping at s.
Region OutlineI(double D, double B1, double T1, double B2, double T2, double Tw, double R, double s) {
    double const c = std::max(B1, B2) / 2.0;
    double const w = Tw / 2.0;
    double const b1 = (B1 - Tw) / 2.0, b2 = (B2 - Tw) / 2.0;
    double const t1Web = FlangeThickness(T1, s, b1, 1.0), t1Toe = FlangeThickness(T1, s, b1, -1.0);
    double const t2Web = FlangeThickness(T2, s, b2, 1.0), t2Toe = FlangeThickness(T2, s, b2, -1.0);
    double const k = FilletRise(s);
    double const a = std::atan(s);
    Polygon p;
    auto& v = p.pts;
    v.push_back(Pt{c - B2 / 2, 0});
    v.push_back(Pt{c + B2 / 2, 0});
    v.push_back(Pt{c + B2 / 2, t2Toe});
    AppendArc(v, c + w + R, t2Web + R * k, R, 1.5 * kPi - a, kPi);
    AppendArc(v, c + w + R, D - t1Web - R * k, R, kPi, 0.5 * kPi + a);
    v.push_back(Pt{c + B1 / 2, D - t1Toe});
    v.push_back(Pt{c + B1 / 2, D});
    v.push_back(Pt{c - B1 / 2, D});
    v.push_back(Pt{c - B1 / 2, D - t1Toe});
    AppendArc(v, c - w - R, D - t1Web - R * k, R, 0.5 * kPi - a, 0.0);
    AppendArc(v, c - w - R, t2Web + R * k, R, 0.0, -0.5 * kPi + a);
    v.push_back(Pt{c - B2 / 2, t2Toe});
    return Region{p};
}

// Channel: back of the web on x = 0, flanges to +x, flange 1 on top.
Region OutlineChannel(double D, double B1, double T1, double B2, double T2, double Tw, double R, double s) {
    double const t1Web = FlangeThickness(T1, s, B1 - Tw, 1.0), t1Toe = FlangeThickness(T1, s, B1 - Tw, -1.0);
    double const t2Web = FlangeThickness(T2, s, B2 - Tw, 1.0), t2Toe = FlangeThickness(T2, s, B2 - Tw, -1.0);
    double const k = FilletRise(s);
    double const a = std::atan(s);
    Polygon p;
    auto& v = p.pts;
    v.push_back(Pt{0, 0});
    v.push_back(Pt{B2, 0});
    v.push_back(Pt{B2, t2Toe});
    AppendArc(v, Tw + R, t2Web + R * k, R, 1.5 * kPi - a, kPi);
    AppendArc(v, Tw + R, D - t1Web - R * k, R, kPi, 0.5 * kPi + a);
    v.push_back(Pt{B1, D - t1Toe});
    v.push_back(Pt{B1, D});
    v.push_back(Pt{0, D});
    return Region{p};
}

// Tee: stem tip on y = 0, flange on top, x from the left flange edge.
Region OutlineTee(double D, double B, double T, double Tw, double R, double s) {
    double const c = B / 2.0;
    double const w = Tw / 2.0;
    double const b = (B - Tw) / 2.0;
    double const tWeb = FlangeThickness(T, s, b, 1.0), tToe = FlangeThickness(T, s, b, -1.0);
    double const k = FilletRise(s);
    double const a = std::atan(s);
    Polygon p;
    auto& v = p.pts;
    v.push_back(Pt{c - w, 0});
    v.push_back(Pt{c + w, 0});
    AppendArc(v, c + w + R, D - tWeb - R * k, R, kPi, 0.5 * kPi + a);
    v.push_back(Pt{c + B / 2, D - tToe});
    v.push_back(Pt{c + B / 2, D});
    v.push_back(Pt{c - B / 2, D});
    v.push_back(Pt{c - B / 2, D - tToe});
    AppendArc(v, c - w - R, D - tWeb - R * k, R, 0.5 * kPi - a, 0.0);
    return Region{p};
}

// Angle: heel at the origin, leg D up the y axis, leg B along the x axis.
Region OutlineAngle(double D, double B, double t, double R) {
    Polygon p;
    auto& v = p.pts;
    v.push_back(Pt{0, 0});
    v.push_back(Pt{B, 0});
    v.push_back(Pt{B, t});
    AppendArc(v, t + R, t + R, R, 1.5 * kPi, kPi);
    v.push_back(Pt{t, D});
    v.push_back(Pt{0, D});
    return Region{p};
}

}  // namespace

// ============================================================================
// CDesSectGeom
// ============================================================================

namespace {
// The geometry that the section built from these same dimensions, copied
// rather than computed again (its fabrication type is set by the caller).
template <class G>
bool AdoptBuilt(G& self, CSection const& section) {
    auto const* built = section.Geometry().get();
    if (!built || typeid(*built) != typeid(G)) return false;
    self.G::operator=(static_cast<G const&>(*built));
    return true;
}
}  // namespace

namespace {
// Reads a section of the geometry's own shape (ok), or refuses it naming
// what it is not: the geometry the section built is copied, or else its
// dimensions are taken.
template <class G, class... Dims>
bool TakeSection(G& self, CSection const& section, bool ok, wchar_t const* what, CMemberResult* const result,
                 Dims... dims) {
    if (!ok) return Reject(result, what);
    if (!AdoptBuilt(self, section)) self.SetDimensions(dims...);
    self.SetFabricationType(section.FabricationType());
    return true;
}
}  // namespace

bool CDesSectGeom::SetCorvidSec(CSection const& /*section*/, CMemberResult* const result) {
    return Reject(result, L"a shape with a section geometry");
}

void CDesSectGeom::UseTabulated(Corvid::Data::CTabulatedProps const& tab) {
    m_tab = tab;
    for (auto [from, to] : {std::pair{tab.A, &CGeomProps::A},
                            {tab.Ixx, &CGeomProps::Ixx},
                            {tab.Iyy, &CGeomProps::Iyy},
                            {tab.Sxx, &CGeomProps::Sxx},
                            {tab.Syy, &CGeomProps::Syy},
                            {tab.Zxx, &CGeomProps::Zxx},
                            {tab.Zyy, &CGeomProps::Zyy},
                            {tab.J, &CGeomProps::J},
                            {tab.Cw, &CGeomProps::Cw},
                            {tab.Xbar, &CGeomProps::Xbar},
                            {tab.Ybar, &CGeomProps::Ybar}})
        if (!std::isnan(from)) m_p.*to = from;
}

bool CDesSectGeom::IsWelded() const { return m_fab == Corvid::Data::FabWelded || m_fab == Corvid::Data::FabBuiltUp; }

// ============================================================================
// I and H
// ============================================================================

bool CDesSectGeomI::SetCorvidSec(CSection const& section, CMemberResult* const result) {
    auto const& d = section.Dims();
    bool const ok = section.Shape() == CSecGeom::I || section.Shape() == CSecGeom::H;
    return TakeSection(*this, section, ok, L"an I or H section", result, d.D, d.B1, d.T1, d.B2, d.T2, d.Tw, d.R,
                       d.slope);
}

void CDesSectGeomTwoFlanges::SetDimensions(double D, double B1, double T1, double B2, double T2, double Tw, double R,
                                           double slope) {
    SetDimensionFields(
        {{&m_D, D}, {&m_B1, B1}, {&m_T1, T1}, {&m_B2, B2}, {&m_T2, T2}, {&m_Tw, Tw}, {&m_R, R}, {&m_slope, slope}});
}

double CDesSectGeomTwoFlanges::GetWidth() const { return std::max(m_B1, m_B2); }

double CDesSectGeomTwoFlanges::GetThickness() const { return std::max({m_T1, m_T2, m_Tw}); }

bool CDesSectGeomTwoFlanges::IsXXSymmetric() const { return m_B1 == m_B2 && m_T1 == m_T2; }

CString CDesSectGeomTwoFlanges::SectGeomString(CDesFormat const& format) const {
    return L"Dimensions:\n" + DimLine(L"D", m_D, format) + DimLine(L"B1", m_B1, format) + DimLine(L"T1", m_T1, format) +
           DimLine(L"B2", m_B2, format) + DimLine(L"T2", m_T2, format) + DimLine(L"Tw", m_Tw, format) +
           DimLine(L"R", m_R, format) + SlopeLine(m_slope) + FabLine(m_fab);
}

CDesSectGeomTwoFlanges::FlangeFit CDesSectGeomTwoFlanges::FitFlanges(double b1, double b2) const {
    // The fillets must end on the flange faces (within the outstands) and
    // must not overlap along the web between the flanges at the web face.
    double const s = FitSlope(m_slope, m_T1, b1, m_T2, b2);
    double const clear = m_D - FlangeThickness(m_T1, s, b1, 1.0) - FlangeThickness(m_T2, s, b2, 1.0);
    double const room = std::min({b1 / FilletRun(s), b2 / FilletRun(s), clear / (2 * FilletRise(s))});
    return {s, FitRadius(m_R, room)};
}

double CDesSectGeomTwoFlanges::PlateSumJ() const {
    double const h0 = m_D - (m_T1 + m_T2) / 2.0;
    return (m_B1 * Cube(m_T1) + m_B2 * Cube(m_T2) + h0 * Cube(m_Tw)) / 3.0;
}

void CDesSectGeomI::MirrorXX() {
    std::swap(m_B1, m_B2);
    std::swap(m_T1, m_T2);
    Compute();
}

void CDesSectGeomI::Compute() {
    auto const [s, R] = FitFlanges((m_B1 - m_Tw) / 2, (m_B2 - m_Tw) / 2);
    GrossProps const g = detail::ComputeGross(OutlineI(m_D, m_B1, m_T1, m_B2, m_T2, m_Tw, R, s));
    m_p = CGeomProps{};
    StoreGross(m_p, g);
    SymmetricAboutY(m_p, g, std::max(m_B1, m_B2) / 2.0);
    if (IsXXSymmetric()) SymmetricAboutX(m_p, g, m_D / 2.0);
    // x is measured from the web centre line.
    m_p.Xbar = m_p.XbarPlastic = 0.0;

    // St Venant torsion (sloped flanges: the same formulas with the average
    // flange thickness, as for the warping constant below). Without root
    // fillets (plates welded together), the thin-walled sum of b t^3 / 3 over
    // the flanges (full width) and the web between the flange mid-planes
    // (PlateSumJ).
    // With root fillets (rolled), El Darwish & Johnston as the tables give it:
    //   J = K2(B1, T1) + K2(B2, T2) + (D - T1 - T2) Tw^3 / 3
    //       + alpha D^4 (T1, Tw, R) + alpha D^4 (T2, Tw, R).
    // The second is not the limit of the first as R -> 0 (it also carries the
    // free-end reductions of the flanges): a fillet-free section keeps the
    // plate sum, a filleted one the table value.
    if (R > 0.0)
        m_p.J = PlateTwoFreeEnds(m_B1, m_T1) + PlateTwoFreeEnds(m_B2, m_T2) + WebDepth() * Cube(m_Tw) / 3.0 +
                TJunction(m_T1, m_Tw, R) + TJunction(m_T2, m_Tw, R);
    else
        m_p.J = PlateSumJ();

    // Warping constant of an I with flanges as the only warping parts
    // (Timoshenko & Gere; AISC Design Guide 9 for singly symmetric I):
    //   Cw = h0^2 I1 I2 / (I1 + I2),  Ii = Ti Bi^3 / 12,
    // which for equal flanges is h0^2 Iy_flanges / 4 (sloped flanges: Ti the
    // average thickness).
    double const h0 = m_D - (m_T1 + m_T2) / 2.0;
    double const I1 = m_T1 * Cube(m_B1) / 12.0;
    double const I2 = m_T2 * Cube(m_B2) / 12.0;
    m_p.Cw = h0 * h0 * I1 * I2 / (I1 + I2);
}

// ============================================================================
// Channel
// ============================================================================

bool CDesSectGeomPFC::SetCorvidSec(CSection const& section, CMemberResult* const result) {
    auto const& d = section.Dims();
    return TakeSection(*this, section, section.Shape() == CSecGeom::Channel, L"a channel", result, d.D, d.B1, d.T1,
                       d.B2, d.T2, d.Tw, d.R, d.slope);
}

void CDesSectGeomPFC::Compute() {
    auto const [s, R] = FitFlanges(m_B1 - m_Tw, m_B2 - m_Tw);
    GrossProps const g = detail::ComputeGross(OutlineChannel(m_D, m_B1, m_T1, m_B2, m_T2, m_Tw, R, s));
    m_p = CGeomProps{};
    StoreGross(m_p, g);
    if (IsXXSymmetric()) SymmetricAboutX(m_p, g, m_D / 2.0);

    // St Venant torsion (sloped flanges: the average flange thickness).
    // Without root fillets, the plate sum of the I (PlateSumJ).
    // With root fillets, El Darwish & Johnston: flanges with one free end,
    // the web between the flanges and two L junctions,
    //   J = K1(B1, T1) + K1(B2, T2) + (D - T1 - T2) Tw^3 / 3
    //       + alpha D^4 (T1, Tw, R) + alpha D^4 (T2, Tw, R).
    if (R > 0.0)
        m_p.J = PlateOneFreeEnd(m_B1, m_T1) + PlateOneFreeEnd(m_B2, m_T2) + WebDepth() * Cube(m_Tw) / 3.0 +
                LJunction(m_T1, m_Tw, R) + LJunction(m_T2, m_Tw, R);
    else
        m_p.J = PlateSumJ();

    // Warping constant of a channel on its wall mid-lines (Galambos,
    // "Flexural-Torsional Buckling of Thin-Walled Members"; AISC Design Guide
    // 9), flange width b' = B - Tw/2 to the web mid-line, depth h' = D - T
    // between the flange mid-lines, flanges taken as their mean (and, when
    // sloped, of their average thickness):
    //   Cw = T b'^3 h'^2 / 12 * (3 b' T + 2 h' Tw) / (6 b' T + h' Tw)
    double const T = (m_T1 + m_T2) / 2.0;
    double const b = (m_B1 + m_B2) / 2.0 - m_Tw / 2.0;
    double const h = m_D - T;
    double const den = 6.0 * b * T + h * m_Tw;
    m_p.Cw = T * Cube(b) * h * h / 12.0 * (3.0 * b * T + 2.0 * h * m_Tw) / den;
}

// ============================================================================
// Tee
// ============================================================================

bool CDesSectGeomT::SetCorvidSec(CSection const& section, CMemberResult* const result) {
    auto const& d = section.Dims();
    return TakeSection(*this, section, section.Shape() == CSecGeom::Tee, L"a tee", result, d.D, d.B1, d.T1, d.Tw, d.R,
                       d.slope);
}

void CDesSectGeomT::SetDimensions(double D, double B, double T, double Tw, double R, double slope) {
    SetDimensionFields({{&m_D, D}, {&m_B, B}, {&m_T, T}, {&m_Tw, Tw}, {&m_R, R}, {&m_slope, slope}});
}

double CDesSectGeomT::GetThickness() const { return std::max(m_T, m_Tw); }

CString CDesSectGeomT::SectGeomString(CDesFormat const& format) const {
    return L"Dimensions:\n" + DimLine(L"D", m_D, format) + DimLine(L"B", m_B, format) + DimLine(L"T", m_T, format) +
           DimLine(L"Tw", m_Tw, format) + DimLine(L"R", m_R, format) + SlopeLine(m_slope) + FabLine(m_fab);
}

void CDesSectGeomT::Compute() {
    double const b = (m_B - m_Tw) / 2;
    double const s = FitSlope(m_slope, m_T, b, m_T, b);
    double const room = std::min(b / FilletRun(s), (m_D - FlangeThickness(m_T, s, b, 1.0)) / FilletRise(s));
    double const R = FitRadius(m_R, room);
    GrossProps const g = detail::ComputeGross(OutlineTee(m_D, m_B, m_T, m_Tw, R, s));
    m_p = CGeomProps{};
    StoreGross(m_p, g);
    SymmetricAboutY(m_p, g, m_B / 2.0);
    // x is measured from the stem centre line.
    m_p.Xbar = m_p.XbarPlastic = 0.0;

    // St Venant torsion (sloped flange: the average flange thickness, as for
    // the warping constant below). Without root fillets, the flange of full
    // width plus the stem from its tip to the flange mid-plane:
    //   J = (B T^3 + (D - T/2) Tw^3) / 3.
    // With root fillets, El Darwish & Johnston: flange with two free ends,
    // stem below the flange with one, one T junction,
    //   J = K2(B, T) + K1(D - T, Tw) + alpha D^4 (T, Tw, R).
    double const hs = m_D - m_T / 2.0;
    if (R > 0.0)
        m_p.J = PlateTwoFreeEnds(m_B, m_T) + PlateOneFreeEnd(m_D - m_T, m_Tw) + TJunction(m_T, m_Tw, R);
    else
        m_p.J = (m_B * Cube(m_T) + hs * Cube(m_Tw)) / 3.0;

    // Warping of a tee: the two plates meet at the shear centre, so only
    // their own (through-thickness) warping remains (AISC Design Guide 9):
    //   Cw = B^3 T^3 / 144 + (D - T/2)^3 Tw^3 / 36
    m_p.Cw = Cube(m_B) * Cube(m_T) / 144.0 + Cube(hs) * Cube(m_Tw) / 36.0;
}

// ============================================================================
// Rectangular hollow section
// ============================================================================

bool CDesSectGeomRHS::SetCorvidSec(CSection const& section, CMemberResult* const result) {
    auto const& d = section.Dims();
    return TakeSection(*this, section, section.Shape() == CSecGeom::RHS, L"a rectangular hollow section", result, d.D,
                       d.B, d.tf, d.tw, d.Ro);
}

void CDesSectGeomRHS::SetDimensions(double D, double B, double tf, double tw, double Ro) {
    SetDimensionFields({{&m_D, D}, {&m_B, B}, {&m_tf, tf}, {&m_tw, tw}, {&m_Ro, Ro}});
}

double CDesSectGeomRHS::GetThickness() const { return std::max(m_tf, m_tw); }

void CDesSectGeomRHS::Rotate90Clockwise() {
    std::swap(m_D, m_B);
    std::swap(m_tf, m_tw);
    if (!m_computed) return Compute();
    // The tube is symmetric about both axes: turned, its axes exchange their
    // properties (A, J, the principal values and the centre stay).
    std::swap(m_p.Ixx, m_p.Iyy);
    std::swap(m_p.Sxx, m_p.Syy);
    std::swap(m_p.Zxx, m_p.Zyy);
}

CString CDesSectGeomRHS::SectGeomString(CDesFormat const& format) const {
    return L"Dimensions:\n" + DimLine(L"D", m_D, format) + DimLine(L"B", m_B, format) + DimLine(L"tf", m_tf, format) +
           DimLine(L"tw", m_tw, format) + DimLine(L"Ro", m_Ro, format) + FabLine(m_fab);
}

void CDesSectGeomRHS::Compute() {
    // Outside corners of radius Ro; inside corners of radius Ro - t, so that
    // with equal walls the two arcs are concentric (with unequal walls t is
    // their mean).
    double const tm = (m_tf + m_tw) / 2.0;
    double const Ro = FitRadius(m_Ro, std::min(m_B, m_D) / 2.0);
    double const bi = m_B - 2.0 * m_tw;
    double const di = m_D - 2.0 * m_tf;
    double const ri = FitRadius(Ro - tm, std::min(bi, di) / 2.0);
    Region region{detail::RoundedRectangle(0.0, 0.0, m_B, m_D, Ro)};
    if (bi > 0.0 && di > 0.0) region.push_back(detail::RoundedRectangle(m_tw, m_tf, m_B - m_tw, m_D - m_tf, ri, -1.0));
    GrossProps const g = detail::ComputeGross(region);
    m_p = CGeomProps{};
    StoreGross(m_p, g);
    SymmetricAboutY(m_p, g, m_B / 2.0);
    SymmetricAboutX(m_p, g, m_D / 2.0);
    // x and y are measured from the centre of the tube.
    m_p.Xbar = m_p.XbarPlastic = m_p.Ybar = m_p.YbarPlastic = 0.0;

    // Bredt's closed-section formula on the wall mid-line (Roark Table 10.7;
    // AISC Design Guide 9): J = 4 Am^2 / sum(s_i / t_i), Am the area enclosed
    // by the mid-line. Mid-line rectangle (B - tw) x (D - tf) with corners of
    // radius rm = Ro - t/2 (none for square corners):
    //   Am      = bm dm - (4 - pi) rm^2
    //   sum s/t = 2 (bm - 2 rm)/tf + 2 (dm - 2 rm)/tw + 2 pi rm / t
    double const bm = m_B - m_tw;
    double const dm = m_D - m_tf;
    double const rm = Ro > 0.0 ? FitRadius(Ro - tm / 2.0, std::min(bm, dm) / 2.0) : 0.0;
    double const Am = bm * dm - (4.0 - kPi) * rm * rm;
    double const sOverT =
        2.0 * (bm - 2.0 * rm) / m_tf + 2.0 * (dm - 2.0 * rm) / m_tw + (rm > 0.0 ? 2.0 * kPi * rm / tm : 0.0);
    m_p.J = 4.0 * Am * Am / sOverT;
    // Closed sections: warping is negligible.
    m_p.Cw = 0.0;
}

// ============================================================================
// Circular hollow section
// ============================================================================

bool CDesSectGeomCHS::SetCorvidSec(CSection const& section, CMemberResult* const result) {
    auto const& d = section.Dims();
    return TakeSection(*this, section, section.Shape() == CSecGeom::CHS, L"a circular hollow section", result, d.D,
                       d.t);
}

void CDesSectGeomCHS::SetDimensions(double D, double t) { SetDimensionFields({{&m_D, D}, {&m_t, t}}); }

CString CDesSectGeomCHS::SectGeomString(CDesFormat const& format) const {
    return L"Dimensions:\n" + DimLine(L"D", m_D, format) + DimLine(L"t", m_t, format) + FabLine(m_fab);
}

void CDesSectGeomCHS::Compute() {
    // Annulus, outside diameter D, inside d = D - 2t (a wall thicker than the
    // radius leaves a solid bar):
    //   A = pi (D^2 - d^2)/4,  I = pi (D^4 - d^4)/64,  Z = I / (D/2),
    //   S (plastic) = (D^3 - d^3)/6,  J = 2 I (polar),  Cw = 0.
    double d = m_D - 2.0 * m_t;
    if (d < 0.0) d = 0.0;
    m_p = CGeomProps{};
    m_p.A = kPi * (m_D * m_D - d * d) / 4.0;
    double const I = kPi * (Fourth(m_D) - Fourth(d)) / 64.0;
    m_p.Ixx = I;
    m_p.Iyy = I;
    m_p.Ixy = 0.0;
    m_p.Zxx = I / (m_D / 2.0);
    m_p.Zyy = m_p.Zxx;
    m_p.Sxx = (Cube(m_D) - Cube(d)) / 6.0;
    m_p.Syy = m_p.Sxx;
    // x and y are measured from the centre of the tube.
    m_p.Xbar = m_p.Ybar = m_p.XbarPlastic = m_p.YbarPlastic = 0.0;
    m_p.J = 2.0 * I;
    m_p.Cw = 0.0;
    m_p.Iuu = I;
    m_p.Ivv = I;
    m_p.Alpha = 0.0;
}

// ============================================================================
// Angle
// ============================================================================

bool CDesSectGeomAngle::SetCorvidSec(CSection const& section, CMemberResult* const result) {
    auto const& d = section.Dims();
    return TakeSection(*this, section, section.Shape() == CSecGeom::Angle, L"an angle", result, d.D, d.B, d.t, d.R);
}

void CDesSectGeomAngle::SetDimensions(double D, double B, double t, double R) {
    SetDimensionFields({{&m_D, D}, {&m_B, B}, {&m_t, t}, {&m_R, R}});
}

void CDesSectGeomAngle::Reflect45() {
    std::swap(m_D, m_B);
    Compute();
}

CString CDesSectGeomAngle::SectGeomString(CDesFormat const& format) const {
    return L"Dimensions:\n" + DimLine(L"D", m_D, format) + DimLine(L"B", m_B, format) + DimLine(L"t", m_t, format) +
           DimLine(L"R", m_R, format) + FabLine(m_fab);
}

void CDesSectGeomAngle::Compute() {
    double const R = FitRadius(m_R, std::min(m_B, m_D) - m_t);
    GrossProps const g = detail::ComputeGross(OutlineAngle(m_D, m_B, m_t, R));
    m_p = CGeomProps{};
    StoreGross(m_p, g);

    // St Venant torsion: both legs on their mid-lines meeting at the heel,
    //   J = ((D - t/2) + (B - t/2)) t^3 / 3,
    // with or without a root fillet. The junction term of El Darwish &
    // Johnston (as used for the I, tee and channel) overstates the published
    // J of thin angles by up to 15 %, while this sum stays at or below the
    // published values (4 % below on average over the AISC angle table), so
    // torsional buckling resistances of angles are never overstated.
    double const d = m_D - m_t / 2.0;
    double const b = m_B - m_t / 2.0;
    m_p.J = (d + b) * Cube(m_t) / 3.0;

    // Warping: the legs meet at the shear centre (the heel), so only their
    // through-thickness warping remains (AISC Design Guide 9; Bleich):
    //   Cw = t^3/36 ((D - t/2)^3 + (B - t/2)^3)
    m_p.Cw = Cube(m_t) / 36.0 * (Cube(d) + Cube(b));
}

}  // namespace Corvid::Steel
