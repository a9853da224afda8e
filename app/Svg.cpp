// Inline SVG drawings of a member for its HTML calculation.
#include "app/Svg.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "app/Render.h"
#include "framework/Restraint.h"
#include "framework/Section.h"

namespace s16app {

using Corvid::Data::CSecGeom;

namespace {

std::string F(double v) { return Fixed(v, 1); }

// A dimension in mm as written on a drawing: "303", "13.1".
std::string Mm(double metres) {
    std::string s = Fixed(metres * 1e3, 2);
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s;
}

// A value of a diagram or a bar: three significant places at least.
std::string Value(double v) { return Fixed(v, std::fabs(v) < 10.0 ? 2 : 1); }

struct Corner {
    double x, y;
    double r = 0.0;  // radius of the fillet at this corner
};

// A closed outline (path data) whose corners with a radius are rounded by a
// quadratic curve (the root fillets of a rolled shape, the corners of a tube).
void Outline(std::ostream& out, std::vector<Corner> const& c) {
    std::size_t const n = c.size();
    for (std::size_t i = 0; i < n; ++i) {
        Corner const& p = c[i];
        Corner const& a = c[(i + n - 1) % n];
        Corner const& b = c[(i + 1) % n];
        double const la = std::hypot(a.x - p.x, a.y - p.y), lb = std::hypot(b.x - p.x, b.y - p.y);
        double const r = std::min({p.r, la / 2, lb / 2});
        out << (i == 0 ? "M" : "L");
        if (r > 0)
            out << F(p.x + (a.x - p.x) * r / la) << ' ' << F(p.y + (a.y - p.y) * r / la) << "Q" << F(p.x) << ' '
                << F(p.y) << ' ' << F(p.x + (b.x - p.x) * r / lb) << ' ' << F(p.y + (b.y - p.y) * r / lb);
        else
            out << F(p.x) << ' ' << F(p.y);
    }
    out << "Z";
}

std::vector<Corner> Rectangle(double x0, double y0, double x1, double y1, double r) {
    return {{x0, y0, r}, {x1, y0, r}, {x1, y1, r}, {x0, y1, r}};
}

// Drawing coordinates of a section in mm, y downwards.
class SectionDrawing {
public:
    // The larger of depth and width drawn 190 px long, the text 11 px high.
    explicit SectionDrawing(double extent) : px(190 / extent), fs(11 / px) {}
    double const px;  // pixels per mm
    double const fs;  // text height, mm
    std::ostringstream shapes, notes;

    void DimH(double x0, double x1, double y, std::string const& label) {
        Line(x0, y, x1, y);
        Ticks(x0, y), Ticks(x1, y);
        Text((x0 + x1) / 2, y - 0.4 * fs, label, "middle", "");
    }
    void DimV(double y0, double y1, double x, std::string const& label) {
        Line(x, y0, x, y1);
        Ticks(x, y0), Ticks(x, y1);
        Text(x - 0.4 * fs, (y0 + y1) / 2, label, "middle",
             " transform=\"rotate(-90 " + F(x - 0.4 * fs) + ' ' + F((y0 + y1) / 2) + ")\"");
    }
    // A thickness: a leader from the element to its label on the right.
    void Note(double x, double y, double tx, double ty, std::string const& label) {
        Line(x, y, tx, ty);
        Text(tx + 0.2 * fs, ty + 0.35 * fs, label, "start", "");
    }

private:
    void Line(double x0, double y0, double x1, double y1) {
        notes << "<line x1=\"" << F(x0) << "\" y1=\"" << F(y0) << "\" x2=\"" << F(x1) << "\" y2=\"" << F(y1) << "\"/>";
    }
    void Ticks(double x, double y) { Line(x - fs / 3, y + fs / 3, x + fs / 3, y - fs / 3); }
    void Text(double x, double y, std::string const& label, char const* anchor, std::string const& extra) {
        notes << "<text x=\"" << F(x) << "\" y=\"" << F(y) << "\" text-anchor=\"" << anchor << '"' << extra << '>'
              << HtmlEscape(label) << "</text>";
    }
};

std::string Named(char const* name, double v) { return std::string(name) + " = " + Mm(v); }

using Loops = std::vector<std::vector<Corner>>;

// The outline and labels of an I or H, or of a channel.
void DrawFlanged(bool channel, SectionDrawing& s, Corvid::Data::CSectionDims const& d, double& x0, double& x1,
                 Loops& loops) {
    double const D = d.D * 1e3, g = 1.5 * s.fs;
    double const B1 = d.B1 * 1e3, B2 = d.B2 * 1e3, T1 = d.T1 * 1e3, T2 = d.T2 * 1e3, w = d.Tw * 1e3, R = d.R * 1e3;
    bool const same = B1 == B2 && T1 == T2;
    // I: symmetric about x = 0; channel: the back of the web at x = 0.
    double const l1 = channel ? 0 : -B1 / 2, r1 = channel ? B1 : B1 / 2;
    double const l2 = channel ? 0 : -B2 / 2, r2 = channel ? B2 : B2 / 2;
    double const wl = channel ? 0 : -w / 2, wr = channel ? w : w / 2, rl = channel ? 0 : R;
    loops.push_back({{l1, 0},
                     {r1, 0},
                     {r1, T1},
                     {wr, T1, R},
                     {wr, D - T2, R},
                     {r2, D - T2},
                     {r2, D},
                     {l2, D},
                     {l2, D - T2},
                     {wl, D - T2, rl},
                     {wl, T1, rl},
                     {l1, T1}});
    x0 = std::min(l1, l2), x1 = std::max(r1, r2);
    s.DimH(l1, r1, -g, Named(same ? "B" : "B1", d.B1));
    s.DimV(0, D, x0 - g, Named("D", d.D));
    s.Note(r1, T1 / 2, x1 + g, T1 / 2, Named(same ? "T" : "T1", d.T1));
    s.Note(wr, D / 2, x1 + g, D / 2, Named("Tw", d.Tw));
    if (!same) {
        s.DimH(l2, r2, D + g, Named("B2", d.B2));
        s.Note(r2, D - T2 / 2, x1 + g, D - T2 / 2, Named("T2", d.T2));
    }
}

void DrawTee(SectionDrawing& s, Corvid::Data::CSectionDims const& d, double& x0, double& x1, Loops& loops) {
    double const D = d.D * 1e3, g = 1.5 * s.fs;
    double const B = d.B1 * 1e3, T = d.T1 * 1e3, w = d.Tw * 1e3, R = d.R * 1e3;
    loops.push_back(
        {{-B / 2, 0}, {B / 2, 0}, {B / 2, T}, {w / 2, T, R}, {w / 2, D}, {-w / 2, D}, {-w / 2, T, R}, {-B / 2, T}});
    x0 = -B / 2, x1 = B / 2;
    s.DimH(x0, x1, -g, Named("B", d.B1));
    s.DimV(0, D, x0 - g, Named("D", d.D));
    s.Note(x1, T / 2, x1 + g, T / 2, Named("T", d.T1));
    s.Note(w / 2, (D + T) / 2, x1 + g, (D + T) / 2, Named("Tw", d.Tw));
}

void DrawAngle(SectionDrawing& s, Corvid::Data::CSectionDims const& d, double& x0, double& x1, Loops& loops) {
    double const D = d.D * 1e3, g = 1.5 * s.fs;
    double const B = d.B * 1e3, t = d.t * 1e3, R = d.R * 1e3;
    loops.push_back({{0, 0}, {t, 0}, {t, D - t, R}, {B, D - t}, {B, D}, {0, D}});
    x0 = 0, x1 = B;
    s.DimH(0, B, D + g, Named("B", d.B));
    s.DimV(0, D, -g, Named("D", d.D));
    s.Note(t, t, x1 + g, t, Named("t", d.t));
}

void DrawRectangularTube(SectionDrawing& s, Corvid::Data::CSectionDims const& d, double& x0, double& x1, Loops& loops) {
    double const D = d.D * 1e3, g = 1.5 * s.fs;
    double const B = d.B * 1e3, tf = d.tf * 1e3, tw = d.tw * 1e3, Ro = d.Ro * 1e3;
    loops.push_back(Rectangle(0, 0, B, D, Ro));
    loops.push_back(Rectangle(tw, tf, B - tw, D - tf, std::max(0.0, Ro - std::max(tf, tw))));
    x0 = 0, x1 = B;
    s.DimH(0, B, -g, Named("B", d.B));
    s.DimV(0, D, -g, Named("D", d.D));
    if (tf == tw) {
        s.Note(B - tw / 2, D / 2, x1 + g, D / 2, Named("t", d.tw));
    } else {
        s.Note(B / 2, tf / 2, x1 + g, tf / 2 - s.fs, Named("tf", d.tf));
        s.Note(B - tw / 2, D / 2, x1 + g, D / 2, Named("tw", d.tw));
    }
}

void DrawRoundTube(SectionDrawing& s, Corvid::Data::CSectionDims const& d, double& x0, double& x1) {
    double const D = d.D * 1e3, g = 1.5 * s.fs;
    double const r = D / 2, t = d.t * 1e3;
    s.shapes << "<circle cx=\"" << F(r) << "\" cy=\"" << F(r) << "\" r=\"" << F(r) << "\"/><circle class=\"hole\" cx=\""
             << F(r) << "\" cy=\"" << F(r) << "\" r=\"" << F(r - t) << "\"/>";
    x0 = 0, x1 = D;
    s.DimH(0, D, -g, Named("D", d.D));
    s.Note(D - t / 2, r, x1 + g, r, Named("t", d.t));
}

// The outline and labels of each shape; false for a shape not drawn.
bool DrawShape(SectionDrawing& s, int shape, Corvid::Data::CSectionDims const& d, double& x0, double& x1) {
    Loops loops;
    switch (shape) {
        case CSecGeom::I:
        case CSecGeom::H:
        case CSecGeom::Channel: DrawFlanged(shape == CSecGeom::Channel, s, d, x0, x1, loops); break;
        case CSecGeom::Tee: DrawTee(s, d, x0, x1, loops); break;
        case CSecGeom::Angle: DrawAngle(s, d, x0, x1, loops); break;
        case CSecGeom::RHS: DrawRectangularTube(s, d, x0, x1, loops); break;
        case CSecGeom::CHS: DrawRoundTube(s, d, x0, x1); return true;
        default: return false;
    }
    s.shapes << "<path fill-rule=\"evenodd\" d=\"";
    for (auto const& loop : loops) Outline(s.shapes, loop);
    s.shapes << "\"/>";
    return true;
}

// The symbols of restraints on the member line.
enum class Symbol { Fixed, Pinned, Braced, Other, Free };

Symbol SymbolOf(int bits) {
    namespace RB = Corvid::Data::RestraintBits;
    if ((bits & RB::kFixed) == RB::kFixed) return Symbol::Fixed;
    if ((bits & RB::kPinned) == RB::kPinned) return Symbol::Pinned;
    if ((bits & RB::kBraced) == RB::kBraced) return Symbol::Braced;
    return bits ? Symbol::Other : Symbol::Free;
}

char const* Meaning(Symbol s) {
    switch (s) {
        case Symbol::Fixed: return "fixed: every movement held";
        case Symbol::Pinned: return "pinned: both translations and twist held";
        case Symbol::Braced: return "braced: lateral translation and twist held";
        case Symbol::Other: return "other restraint (in words below)";
        case Symbol::Free: return "free";
    }
    return "";
}

// The side of its point a fixed end's hatching is drawn on.
enum class Hatch { Left, Right };

void DrawSymbol(std::ostream& out, Symbol s, double x, double y, Hatch hatch) {
    switch (s) {
        case Symbol::Fixed: {
            double const h = hatch == Hatch::Left ? -6 : 6;
            out << "<path class=\"fixed\" d=\"M" << F(x) << ' ' << F(y - 14) << "V" << F(y + 14);
            for (double dy : {-12.0, -4.0, 4.0, 12.0}) out << "M" << F(x) << ' ' << F(y + dy) << "l" << F(h) << " 5";
            out << "\"/>";
            break;
        }
        case Symbol::Pinned:
            out << "<path class=\"pinned\" d=\"M" << F(x) << ' ' << F(y) << "l-8 14h16zM" << F(x - 11) << ' '
                << F(y + 17) << "h22\"/>";
            break;
        case Symbol::Braced:
            out << "<path class=\"braced\" d=\"M" << F(x - 6) << ' ' << F(y - 6)
                << "l12 12m0-12l-12 12\"/><circle class=\"braced\" cx=\"" << F(x) << "\" cy=\"" << F(y)
                << "\" r=\"8\"/>";
            break;
        case Symbol::Other:
            out << "<path class=\"other\" d=\"M" << F(x) << ' ' << F(y - 8) << "l8 8-8 8-8-8z\"/>";
            break;
        case Symbol::Free: out << "<circle class=\"free\" cx=\"" << F(x) << "\" cy=\"" << F(y) << "\" r=\"3\"/>"; break;
    }
}

// The horizontal scale shared by the member line and the diagrams.
struct Scale {
    double x0, length;
    static constexpr double kLeft = 50, kRight = 670;
    double operator()(double x) const { return kLeft + (x - x0) / length * (kRight - kLeft); }
};

Scale ScaleOf(MemberDrawing const& d) {
    double const x0 = d.points.front().x, L = d.points.back().x - x0;
    return {x0, L > 0 ? L : 1.0};
}

// Open an <svg> of the given height in a 720 wide frame.
void Open(std::ostream& out, char const* cls, double height, std::string const& label) {
    out << "<svg class=\"" << cls << "\" viewBox=\"0 0 720 " << F(height) << "\" width=\"720\" height=\"" << F(height)
        << "\" role=\"img\" aria-label=\"" << HtmlEscape(label) << "\">";
}

}  // namespace

void SectionSvg(std::ostream& out, MemberDrawing const& d) {
    double const extent = 1e3 * std::max({d.dims.D, d.dims.B, d.dims.B1, d.dims.B2});
    SectionDrawing s(extent > 0 ? extent : 1.0);
    double x0 = 0, x1 = 0;
    if (extent <= 0 || !DrawShape(s, d.shape, d.dims, x0, x1)) {
        out << "<p class=\"no-drawing\">No drawing of a "
            << HtmlEscape(Corvid::Narrow(Corvid::Data::ShapeName(static_cast<CSecGeom::SecShape>(d.shape))))
            << " section.</p>";
        return;
    }
    // Room for the dimensions: three text heights left, above and below,
    // nine on the right for the thickness notes.
    double const D = d.dims.D * 1e3, m = 3 * s.fs;
    double const vx = x0 - m, vy = -m, vw = x1 - x0 + m + 9 * s.fs, vh = D + 2 * m;
    out << "<svg class=\"section\" viewBox=\"" << F(vx) << ' ' << F(vy) << ' ' << F(vw) << ' ' << F(vh) << "\" width=\""
        << F(vw * s.px) << "\" height=\"" << F(vh * s.px) << "\" font-size=\"" << F(s.fs)
        << "\" role=\"img\" aria-label=\"section to scale\">"
        << "<g class=\"steel\">" << s.shapes.str() << "</g><g class=\"dims\">" << s.notes.str() << "</g></svg>";
}

void MemberSvg(std::ostream& out, MemberDrawing const& d) {
    if (d.points.empty()) return;
    Scale const X = ScaleOf(d);
    double const y = 50;
    std::vector<Symbol> used;
    std::string others;
    for (std::size_t i = 0; i < d.points.size(); ++i) {
        Symbol const s = SymbolOf(d.points[i].bits);
        if (std::find(used.begin(), used.end(), s) == used.end()) used.push_back(s);
        if (s == Symbol::Other)
            others += (others.empty() ? "" : "; ") + ("P" + std::to_string(i + 1)) + ": " + d.points[i].restraint;
    }
    double const legendY = 136, height = legendY + 26 * static_cast<double>(used.size()) + (others.empty() ? 0 : 20);
    Open(out, "member", height, "member with its points and restraints");
    out << "<line class=\"axis\" x1=\"" << F(X(d.points.front().x)) << "\" y1=\"" << y << "\" x2=\""
        << F(X(d.points.back().x)) << "\" y2=\"" << y << "\"/>";
    double lastLabel = -1e9;
    int row = 0;
    for (std::size_t i = 0; i < d.points.size(); ++i) {
        double const px = X(d.points[i].x);
        DrawSymbol(out, SymbolOf(d.points[i].bits), px, y, i == 0 ? Hatch::Left : Hatch::Right);
        // Labels closer than 60 units to the last one drop a row.
        row = px - lastLabel < 60 ? (row + 1) % 3 : 0;
        lastLabel = px;
        out << "<text x=\"" << F(px) << "\" y=\"" << 22 - 12 * (row % 2) << "\" text-anchor=\"middle\">P" << i + 1
            << "</text><text x=\"" << F(px) << "\" y=\"" << 86 + 13 * row << "\" text-anchor=\"middle\">"
            << Fixed(d.points[i].x, 3) << " m</text>";
    }
    for (std::size_t k = 0; k < used.size(); ++k) {
        double const ly = legendY + 26 * static_cast<double>(k);
        DrawSymbol(out, used[k], 70, ly - 8, Hatch::Right);
        out << "<text x=\"95\" y=\"" << F(ly) << "\">" << Meaning(used[k]) << "</text>";
    }
    if (!others.empty())
        out << "<text x=\"50\" y=\"" << F(legendY + 26 * static_cast<double>(used.size())) << "\">"
            << HtmlEscape(others) << "</text>";
    out << "</svg>";
}

void ActionsSvg(std::ostream& out, MemberDrawing const& d, std::vector<ActionStation> const& actions) {
    if (d.points.empty() || actions.empty()) return;
    Scale const X = ScaleOf(d);
    struct Action {
        char const* name;
        char const* unit;
        double ActionStation::*value;
    };
    std::string zero;
    for (Action const a : {Action{"Mx", "kN·m", &ActionStation::Mx}, Action{"My", "kN·m", &ActionStation::My},
                           Action{"N", "kN, tension positive", &ActionStation::N}}) {
        double hi = 0, lo = 0;
        std::size_t iHi = 0, iLo = 0;
        for (std::size_t i = 0; i < actions.size(); ++i) {
            double const v = actions[i].*a.value / 1e3;
            if (v > hi) hi = v, iHi = i;
            if (v < lo) lo = v, iLo = i;
        }
        // Below 0.5 N (N.m) everywhere: zero as printed.
        if (!std::isfinite(hi - lo)) continue;  // beyond any drawing (and any check)
        if (hi - lo < 5e-4) {
            zero += (zero.empty() ? "" : ", ") + std::string(a.name);
            continue;
        }
        double const top = 36, h = 70;
        auto Y = [&](double v) { return top + (hi - v) / (hi - lo) * h; };
        Open(out, "diagram", top + h + 26, std::string(a.name) + " diagram");
        out << "<text x=\"4\" y=\"14\" class=\"title\">" << a.name << " (" << a.unit << ")</text>";
        for (auto const& p : d.points)
            out << "<line class=\"grid\" x1=\"" << F(X(p.x)) << "\" y1=\"" << F(top - 8) << "\" x2=\"" << F(X(p.x))
                << "\" y2=\"" << F(top + h + 8) << "\"/>";
        out << "<path class=\"area\" d=\"M" << F(X(actions.front().x)) << ' ' << F(Y(0));
        for (auto const& s : actions) out << "L" << F(X(s.x)) << ' ' << F(Y(s.*a.value / 1e3));
        out << "L" << F(X(actions.back().x)) << ' ' << F(Y(0)) << "Z\"/><line class=\"axis\" x1=\""
            << F(X(actions.front().x)) << "\" y1=\"" << F(Y(0)) << "\" x2=\"" << F(X(actions.back().x)) << "\" y2=\""
            << F(Y(0)) << "\"/>";
        // The extremes, the largest above its peak and the smallest below.
        for (int end = 0; end < 2; ++end) {
            double const v = end ? lo : hi;
            if (v == 0) continue;
            double const x = actions[end ? iLo : iHi].x;
            out << "<text class=\"value\" x=\"" << F(std::clamp(X(x), Scale::kLeft + 40, Scale::kRight - 40))
                << "\" y=\"" << F(end ? Y(v) + 16 : Y(v) - 5) << "\" text-anchor=\"middle\">" << Value(v) << " at "
                << Fixed(x, 3) << " m</text>";
        }
        out << "</svg>";
    }
    if (!zero.empty()) out << "<p class=\"zero\">" << zero << ": zero along the member.</p>";
}

void BarsSvg(std::ostream& out, std::vector<BarGroup> const& groups) {
    double scale = 1.25;  // the utilisation at the end of the bar area
    std::size_t rows = 0;
    for (auto const& g : groups) {
        rows += 1 + g.bars.size();
        for (auto const& b : g.bars) scale = std::max(scale, std::min(b.util, 2.5));
    }
    double const x0 = 300, w = 300, row = 18, top = 22;
    auto X = [&](double u) { return x0 + std::min(u, scale) / scale * w; };
    Open(out, "bars", top + row * static_cast<double>(rows) + 6, "utilisations against 1.0");
    out << "<line class=\"limit\" x1=\"" << F(X(1.0)) << "\" y1=\"12\" x2=\"" << F(X(1.0)) << "\" y2=\""
        << F(top + row * static_cast<double>(rows)) << "\"/><text x=\"" << F(X(1.0))
        << "\" y=\"10\" text-anchor=\"middle\">1.0</text>";
    double y = top;
    for (auto const& g : groups) {
        out << "<text class=\"title\" x=\"4\" y=\"" << F(y + 13) << "\">" << HtmlEscape(g.title) << "</text>";
        y += row;
        for (auto const& b : g.bars) {
            bool const pass = b.util <= 1.0;
            out << "<text x=\"14\" y=\"" << F(y + 13) << "\">" << HtmlEscape(b.label) << "</text><rect class=\""
                << (pass ? "pass" : "fail") << "\" x=\"" << F(x0) << "\" y=\"" << F(y + 3) << "\" width=\""
                << F(std::max(0.5, X(b.util) - x0)) << "\" height=\"12\"/><text x=\"" << F(x0 + w + 8) << "\" y=\""
                << F(y + 13) << "\" class=\"" << (pass ? "pass" : "fail") << "\">" << UtilText(b.util) << ' '
                << Verdict(pass)
                << (std::isinf(b.util) ? " (no resistance)"
                    : b.util > scale   ? " (beyond the scale)"
                                       : "")
                << "</text>";
            y += row;
        }
    }
    out << "</svg>";
}

}  // namespace s16app
