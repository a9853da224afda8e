#include "SectPolygon.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "DesignConstants.h"

namespace Corvid::Steel::detail {

AreaMoments& AreaMoments::operator+=(AreaMoments const& o) {
    A += o.A;
    Qx += o.Qx;
    Qy += o.Qy;
    Ixx += o.Ixx;
    Iyy += o.Iyy;
    Ixy += o.Ixy;
    return *this;
}

// Green's theorem on a closed polygon, edge i from (ui, vi) to (uj, vj) with
// c = ui vj - uj vi:
//   A   = 1/2  sum c
//   Qy  = 1/6  sum (ui + uj) c                         (int u dA)
//   Qx  = 1/6  sum (vi + vj) c                         (int v dA)
//   Iyy = 1/12 sum (ui^2 + ui uj + uj^2) c             (int u^2 dA)
//   Ixx = 1/12 sum (vi^2 + vi vj + vj^2) c             (int v^2 dA)
//   Ixy = 1/24 sum (ui vj + 2 ui vi + 2 uj vj + uj vi) c
// These are exact for straight edges.
AreaMoments Moments(Polygon const& p, double x0, double y0) {
    AreaMoments m;
    std::size_t const n = p.pts.size();
    if (n < 3) return m;
    double a = 0, qx = 0, qy = 0, ixx = 0, iyy = 0, ixy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        Pt const& P = p.pts[i];
        Pt const& Q = p.pts[i + 1 == n ? 0 : i + 1];
        double const ui = P.x - x0, vi = P.y - y0;
        double const uj = Q.x - x0, vj = Q.y - y0;
        double const c = ui * vj - uj * vi;
        a += c;
        qy += (ui + uj) * c;
        qx += (vi + vj) * c;
        iyy += (ui * ui + ui * uj + uj * uj) * c;
        ixx += (vi * vi + vi * vj + vj * vj) * c;
        ixy += (ui * vj + 2.0 * ui * vi + 2.0 * uj * vj + uj * vi) * c;
    }
    m.A = p.sign * a / 2.0;
    m.Qx = p.sign * qx / 6.0;
    m.Qy = p.sign * qy / 6.0;
    m.Ixx = p.sign * ixx / 12.0;
    m.Iyy = p.sign * iyy / 12.0;
    m.Ixy = p.sign * ixy / 24.0;
    return m;
}

AreaMoments Moments(Region const& r, double x0, double y0) {
    AreaMoments m;
    for (Polygon const& p : r) m += Moments(p, x0, y0);
    return m;
}

void AppendArc(std::vector<Pt>& pts, double cx, double cy, double r, double a0, double a1, int n) {
    if (!(r > 0.0) || n < 1) {
        pts.push_back(Pt{cx, cy});
        return;
    }
    for (int k = 0; k <= n; ++k) {
        double const a = a0 + (a1 - a0) * static_cast<double>(k) / static_cast<double>(n);
        pts.push_back(Pt{cx + r * std::cos(a), cy + r * std::sin(a)});
    }
}

Polygon RoundedRectangle(double x0, double y0, double x1, double y1, double r, double sign) {
    using Corvid::Design::kPi;
    Polygon p;
    p.sign = sign;
    p.pts.reserve(4 * (kArcSegmentsPerQuarter + 1));
    // Counter-clockwise from the bottom-right corner.
    AppendArc(p.pts, x1 - r, y0 + r, r, -kPi / 2, 0.0);
    AppendArc(p.pts, x1 - r, y1 - r, r, 0.0, kPi / 2);
    AppendArc(p.pts, x0 + r, y1 - r, r, kPi / 2, kPi);
    AppendArc(p.pts, x0 + r, y0 + r, r, kPi, 3 * kPi / 2);
    return p;
}

void ClipHalfPlane(std::vector<Pt> const& in, bool alongY, double c, bool keepLow, std::vector<Pt>& out) {
    out.clear();
    std::size_t const n = in.size();
    if (n == 0) return;
    auto coord = [alongY](Pt const& p) { return alongY ? p.y : p.x; };
    auto inside = [keepLow, c](double v) { return keepLow ? v <= c : v >= c; };
    for (std::size_t i = 0; i < n; ++i) {
        Pt const& P = in[i];
        Pt const& Q = in[i + 1 == n ? 0 : i + 1];
        double const vp = coord(P), vq = coord(Q);
        bool const ip = inside(vp), iq = inside(vq);
        if (ip) out.push_back(P);
        if (ip != iq) {
            // The edge crosses the cut (vp != vq, since exactly one end is inside).
            double const t = (c - vp) / (vq - vp);
            Pt X{P.x + t * (Q.x - P.x), P.y + t * (Q.y - P.y)};
            if (alongY)
                X.y = c;
            else
                X.x = c;
            out.push_back(X);
        }
    }
}

namespace {

// Signed area of the region on the low (or high) side of the cut.
AreaMoments ClippedMoments(Region const& region, bool alongY, double c, bool keepLow, double x0, double y0,
                           std::vector<Pt>& buffer) {
    AreaMoments m;
    Polygon part;
    for (Polygon const& p : region) {
        ClipHalfPlane(p.pts, alongY, c, keepLow, buffer);
        part.pts.swap(buffer);
        part.sign = p.sign;
        m += Moments(part, x0, y0);
        part.pts.swap(buffer);
    }
    return m;
}

// Signed area of the region on the low side of the cut: the clipped polygon
// of ClipHalfPlane, its shoelace sum taken as the vertices come (no copy).
double AreaBelow(Region const& region, bool alongY, double c, double x0, double y0) {
    double total = 0;
    for (Polygon const& p : region) {
        std::size_t const n = p.pts.size();
        if (n < 3) continue;
        double sum = 0, fu = 0, fv = 0, pu = 0, pv = 0;
        bool any = false;
        auto emit = [&](double u, double v) {
            if (any)
                sum += pu * v - u * pv;
            else
                fu = u, fv = v, any = true;
            pu = u;
            pv = v;
        };
        for (std::size_t i = 0; i < n; ++i) {
            Pt const& P = p.pts[i];
            Pt const& Q = p.pts[i + 1 == n ? 0 : i + 1];
            double const vp = alongY ? P.y : P.x;
            double const vq = alongY ? Q.y : Q.x;
            bool const ip = vp <= c, iq = vq <= c;
            if (ip) emit(P.x - x0, P.y - y0);
            if (ip != iq) {
                double const t = (c - vp) / (vq - vp);
                double const x = alongY ? P.x + t * (Q.x - P.x) : c;
                double const y = alongY ? c : P.y + t * (Q.y - P.y);
                emit(x - x0, y - y0);
            }
        }
        if (any) sum += pu * fv - fu * pv;
        total += p.sign * sum / 2.0;
    }
    return total;
}

// Position of the equal-area axis (horizontal when alongY) between lo and hi.
// Fixed number of bisection steps: NaN or infinite bounds end in NaN, never
// in an endless loop.
double EqualAreaAxis(Region const& region, bool alongY, double lo, double hi, double area, double x0, double y0) {
    double const half = area / 2.0;
    for (int k = 0; k < kBisectionSteps; ++k) {
        double const mid = lo + (hi - lo) / 2.0;
        double const below = AreaBelow(region, alongY, mid, x0, y0);
        if (below < half)
            lo = mid;
        else
            hi = mid;
    }
    return lo + (hi - lo) / 2.0;
}

// Plastic modulus about the axis at c: int |distance to the axis| dA, the sum
// of the first moments of the two parts about the axis.
double PlasticModulus(Region const& region, bool alongY, double c, double xc, double yc, std::vector<Pt>& buffer) {
    double const x0 = alongY ? xc : c;
    double const y0 = alongY ? c : yc;
    AreaMoments const low = ClippedMoments(region, alongY, c, true, x0, y0, buffer);
    AreaMoments const high = ClippedMoments(region, alongY, c, false, x0, y0, buffer);
    return alongY ? high.Qx - low.Qx : high.Qy - low.Qy;
}

}  // namespace

GrossProps ComputeGross(Region const& region) {
    GrossProps g;
    using Corvid::Design::kInfinity;
    double xmin = kInfinity, xmax = -kInfinity, ymin = kInfinity, ymax = -kInfinity;
    bool any = false;
    for (Polygon const& p : region) {
        for (Pt const& q : p.pts) {
            any = true;
            // Written so that a NaN coordinate makes the box NaN.
            xmin = q.x < xmin || std::isnan(q.x) ? q.x : xmin;
            xmax = q.x > xmax || std::isnan(q.x) ? q.x : xmax;
            ymin = q.y < ymin || std::isnan(q.y) ? q.y : ymin;
            ymax = q.y > ymax || std::isnan(q.y) ? q.y : ymax;
        }
    }
    if (!any) return g;
    g.xmin = xmin;
    g.xmax = xmax;
    g.ymin = ymin;
    g.ymax = ymax;

    // First pass about the middle of the box for the centroid, second pass
    // about the centroid itself (no parallel-axis cancellation).
    double const xm = xmin + (xmax - xmin) / 2.0;
    double const ym = ymin + (ymax - ymin) / 2.0;
    AreaMoments const m0 = Moments(region, xm, ym);
    g.xc = xm + m0.Qy / m0.A;
    g.yc = ym + m0.Qx / m0.A;
    AreaMoments const mc = Moments(region, g.xc, g.yc);
    // A, the second moments and the plastic moduli never negative (NaN
    // kept): plates of almost no thickness can leave rounding noise of either
    // sign, and a negative A or I made a resistance negative and its
    // utilisation read as a pass.
    g.A = std::max(m0.A, 0.0);
    g.Ixx = std::max(mc.Ixx, 0.0);
    g.Iyy = std::max(mc.Iyy, 0.0);
    g.Ixy = mc.Ixy;

    double const cy = std::fmax(ymax - g.yc, g.yc - ymin);
    double const cx = std::fmax(xmax - g.xc, g.xc - xmin);
    g.Zxx = g.Ixx / (std::isnan(g.yc) ? g.yc : cy);
    g.Zyy = g.Iyy / (std::isnan(g.xc) ? g.xc : cx);

    std::vector<Pt> buffer;
    g.yp = EqualAreaAxis(region, true, ymin, ymax, g.A, g.xc, g.yc);
    g.xp = EqualAreaAxis(region, false, xmin, xmax, g.A, g.xc, g.yc);
    g.Sxx = std::max(PlasticModulus(region, true, g.yp, g.xc, g.yc, buffer), 0.0);
    g.Syy = std::max(PlasticModulus(region, false, g.xp, g.xc, g.yc, buffer), 0.0);
    return g;
}

// Principal axes of the inertia tensor: the product of inertia about axes
// turned by a vanishes when tan(2a) = -2 Ixy / (Ixx - Iyy); taking
// 2a = atan2(-2 Ixy, Ixx - Iyy) picks the root whose axis carries the larger
// moment, Iuu = (Ixx + Iyy)/2 + sqrt(((Ixx - Iyy)/2)^2 + Ixy^2).
Principal PrincipalAxes(double Ixx, double Iyy, double Ixy) {
    Principal p;
    double const mean = (Ixx + Iyy) / 2.0;
    double const radius = std::hypot((Ixx - Iyy) / 2.0, Ixy);
    p.Iuu = mean + radius;
    p.Ivv = mean - radius;
    p.alpha = 0.5 * std::atan2(-2.0 * Ixy, Ixx - Iyy);
    return p;
}

}  // namespace Corvid::Steel::detail
