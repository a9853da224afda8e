// Loads along a sub-span and the diagram of actions they make.
#include "app/Loads.h"

#include <algorithm>
#include <cmath>

#include "app/JsonInput.h"
#include "app/MemberFile.h"

namespace s16app {

double& Component(Actions& a, int i) {
    double* const all[6] = {&a.N, &a.Vx, &a.Vy, &a.T, &a.Mx, &a.My};
    return *all[i];
}

double Component(Actions const& a, int i) {
    double const all[6] = {a.N, a.Vx, a.Vy, a.T, a.Mx, a.My};
    return all[i];
}

namespace {

constexpr int kVx = 1, kVy = 2;  // Component indices of the shears

LoadInput::Plane ReadPlane(ObjectReader const& obj) {
    auto const f = obj.Get("plane");
    if (!f) return LoadInput::Web;
    std::string const s = f->String();
    if (s == "web") return LoadInput::Web;
    if (s == "across") return LoadInput::Across;
    if (s == "axial") return LoadInput::Axial;
    if (s == "torsion") return LoadInput::Torsion;
    f->Fail("plane \"" + s + "\" is not \"web\", \"across\", \"axial\" or \"torsion\"");
}

// A position inside [0, length] (in the file's length unit).
double Position(Field const& f, double scale, double length) {
    double const x = f.Number(scale);
    if (x < 0.0 || x > length * (1.0 + 1e-12))
        f.Fail("outside the sub-span: " + std::to_string(f.Number()) + " is not between 0 and its length " +
               std::to_string(length / scale));
    return std::min(x, length);
}

LoadInput ReadLoad(Field const& field, UnitScale const& u, double length) {
    ObjectReader const obj(field, {"type", "plane", "w", "w1", "w2", "from", "to", "P", "at"});
    std::string const type = obj.Require("type").String();
    LoadInput l;
    l.plane = ReadPlane(obj);
    // Distributed loads in force/length; torsion in moment/length.
    bool const torsion = l.plane == LoadInput::Torsion;
    double const w = (torsion ? u.moment : u.force) / u.length;
    auto refuse = [&obj](std::initializer_list<char const*> keys, std::string const& type) {
        for (char const* k : keys)
            if (obj.Has(k)) obj.Require(k).Fail("has no effect on a \"" + type + "\" load");
    };
    if (type == "point") {
        refuse({"w", "w1", "w2", "from", "to"}, type);
        l.kind = LoadInput::Point;
        l.P = obj.Require("P").Number(torsion ? u.moment : u.force);
        Field const at = obj.Require("at");
        l.at = Position(at, u.length, length);
        if (l.at <= 0.0 || l.at >= length)
            at.Fail(
                "a point load at an end of a sub-span belongs to the point: give it as the jump of the "
                "shear between the two sub-spans' end actions");
        return l;
    }
    refuse({"P", "at"}, type);
    if (type == "uniform") {
        refuse({"w1", "w2"}, type);
        l.w1 = l.w2 = obj.Require("w").Number(w);
    } else if (type == "linear") {
        refuse({"w"}, type);
        l.w1 = obj.Require("w1").Number(w);
        l.w2 = obj.Require("w2").Number(w);
    } else {
        obj.Require("type").Fail("load type \"" + type + "\" is not \"uniform\", \"linear\" or \"point\"");
    }
    l.to = length;
    if (auto f = obj.Get("from")) l.from = Position(*f, u.length, length);
    if (auto f = obj.Get("to")) l.to = Position(*f, u.length, length);
    if (!(l.to > l.from))
        (obj.Has("to") ? obj.Require("to") : obj.Require("from"))
            .Fail("a distributed load needs \"from\" < \"to\" (a positive loaded length)");
    return l;
}

// A load's contribution to the shear (the force's change) at x.
double ShearOf(LoadInput const& l, double x, Diagram::Side side) {
    bool const after = side == Diagram::Side::JustRight;
    if (l.kind == LoadInput::Point) return (x > l.at || (after && x == l.at)) ? l.P : 0.0;
    if (x <= l.from) return 0.0;
    double const len = l.to - l.from;
    double const t = std::min(x, l.to) - l.from;
    return l.w1 * t + (l.w2 - l.w1) * t * t / (2.0 * len);
}

// A load's contribution to the moment (the integral of ShearOf) at x.
double MomentOf(LoadInput const& l, double x) {
    if (l.kind == LoadInput::Point) return x > l.at ? l.P * (x - l.at) : 0.0;
    if (x <= l.from) return 0.0;
    double const len = l.to - l.from;
    double const t = std::min(x, l.to) - l.from;
    double const inside = l.w1 * t * t / 2.0 + (l.w2 - l.w1) * t * t * t / (6.0 * len);
    return x <= l.to ? inside : inside + ShearOf(l, l.to, Diagram::Side::JustRight) * (x - l.to);
}

}  // namespace

std::vector<LoadInput> ReadLoads(Field const& field, UnitScale const& units, double length) {
    std::vector<LoadInput> out;
    auto const elements = field.Elements();
    out.reserve(elements.size());
    for (auto const& f : elements) out.push_back(ReadLoad(f, units, length));
    if (out.empty()) field.Fail("the list of loads is empty");
    return out;
}

Diagram::Diagram(Actions const& left, std::vector<LoadInput> loads, double length)
    : m_loads(std::move(loads)), m_length(length) {
    for (int i = 0; i < 6; ++i) m_left[i] = Component(left, i);
}

Diagram Diagram::Between(Actions const& left, Actions const& right, std::vector<LoadInput> loads, double length) {
    Diagram d(left, std::move(loads), length);
    bool const web = d.LoadedIn(LoadInput::Web), across = d.LoadedIn(LoadInput::Across);
    bool const straight[6] = {true, !across, !web, true, !web, !across};
    for (int i = 0; i < 6; ++i) {
        d.m_right[i] = Component(right, i);
        d.m_straight[i] = straight[i];
    }
    return d;
}

Actions Diagram::At(double x, Side side) const {
    Actions a;
    for (int i = 0; i < 6; ++i) Component(a, i) = m_left[i];
    a.Mx += m_left[kVy] * x;
    a.My += m_left[kVx] * x;
    for (auto const& l : m_loads) {
        double const v = ShearOf(l, x, side);
        switch (l.plane) {
            case LoadInput::Web: a.Vy += v, a.Mx += MomentOf(l, x); break;
            case LoadInput::Across: a.Vx += v, a.My += MomentOf(l, x); break;
            case LoadInput::Axial: a.N -= v; break;
            case LoadInput::Torsion: a.T -= v; break;
        }
    }
    double const t = m_length > 0.0 ? std::clamp(x / m_length, 0.0, 1.0) : 0.0;
    for (int i = 0; i < 6; ++i)
        if (m_straight[i]) Component(a, i) = m_left[i] + (m_right[i] - m_left[i]) * t;
    return a;
}

bool Diagram::LoadedIn(LoadInput::Plane plane) const {
    for (auto const& l : m_loads)
        if (l.plane == plane) return true;
    return false;
}

std::vector<double> Diagram::ShearZeros(bool across) const {
    int const k = across ? kVx : kVy;
    std::vector<double> out;
    if (m_straight[k]) return out;
    std::vector<double> cuts;
    cuts.reserve(2 + 2 * m_loads.size());
    cuts.push_back(0.0), cuts.push_back(m_length);
    for (auto const& l : m_loads) {
        if (l.kind == LoadInput::Point)
            cuts.push_back(l.at);
        else
            cuts.insert(cuts.end(), {l.from, l.to});
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        double const a = cuts[i], b = cuts[i + 1];
        // Between cuts the load is linear, so the shear is a quadratic in
        // t = (x - a)/(b - a): V = v0 + B t + C t^2 through its ends and middle.
        double const v0 = Component(At(a, Side::JustRight), k);
        double const vm = Component(At(0.5 * (a + b), Side::JustRight), k);
        double const v1 = Component(At(b, Side::JustLeft), k);
        double const C = 2.0 * (v1 - 2.0 * vm + v0);
        double const B = v1 - v0 - C;
        double const scale = std::max({std::fabs(v0), std::fabs(vm), std::fabs(v1)});
        double roots[2];
        std::size_t count = 0;
        if (std::fabs(C) <= 1e-12 * scale) {
            if (std::fabs(B) > 1e-12 * scale) roots[count++] = -v0 / B;
        } else {
            double const disc = B * B - 4.0 * C * v0;
            if (disc >= 0.0) {
                double const s = std::sqrt(disc);
                roots[count++] = (-B + s) / (2.0 * C);
                roots[count++] = (-B - s) / (2.0 * C);
            }
        }
        // A zero at a load edge (t = 0 or 1) counts too: a partial load
        // often ends where the shear passes through zero.
        for (std::size_t r = 0; r < count; ++r) {
            double const t = roots[r];
            if (t < -1e-9 || t > 1.0 + 1e-9) continue;
            double const x = a + std::clamp(t, 0.0, 1.0) * (b - a);
            if (x > 1e-9 * m_length && x < m_length * (1.0 - 1e-9)) out.push_back(x);
        }
    }
    return out;
}

std::vector<double> Diagram::Peaks() const {
    std::vector<double> out;
    for (auto const& l : m_loads)
        if (l.kind == LoadInput::Point) out.push_back(l.at);
    for (bool across : {false, true})
        for (double x : ShearZeros(across)) out.push_back(x);
    std::sort(out.begin(), out.end());
    // A zero at a load edge is found from both sides of it: once.
    double const tol = 1e-9 * m_length;
    out.erase(std::unique(out.begin(), out.end(), [tol](double a, double b) { return b - a <= tol; }), out.end());
    return out;
}

void LargestActions(Diagram const& d, double out[6]) {
    std::vector<double> xs = d.Peaks();
    xs.insert(xs.end(), {0.0, d.Length()});
    std::fill(out, out + 6, 0.0);
    for (double x : xs)
        for (auto side : {Diagram::Side::JustLeft, Diagram::Side::JustRight}) {
            Actions const a = d.At(x, side);
            for (int i = 0; i < 6; ++i) out[i] = std::max(out[i], std::fabs(Component(a, i)));
        }
}

double ActionTolerance(double largest) { return std::max(1.0, 1e-3 * largest); }

}  // namespace s16app
