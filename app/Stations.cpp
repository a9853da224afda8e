// The member of one load case as the module checks it: points, stations and
// sub-spans from the diagram of actions.
#include "app/Stations.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "app/Render.h"
#include "app/Restraints.h"

namespace s16app {

using Corvid::Data::CRestraint;
using Corvid::Steel::CMemberPoint;
using Corvid::Steel::CSubSpan;

namespace {

enum class Kind { Given, PointLoad, ShearZero, QuarterPoint };

struct Station {
    double x;  // m from the member's origin
    Kind kind;
};

struct Piece {
    double x0, x1;  // m from the member's origin
    Diagram d;
};

// What one sub-span of the input becomes.
struct Plan {
    std::vector<Piece> pieces;
    std::vector<Station> stations;  // inside the sub-span
    bool curved = false;            // some action is not a straight line
    bool loadWeb = false, loadAcross = false;
    CaseReport notes;
};

std::string Fixed(double v, int decimals, char const* unit) { return s16app::Fixed(v, decimals) + " " + unit; }

std::string Metres(double x) { return Fixed(x, 3, "m"); }

// Uniform loads that explain a piece's end actions without loads, plane by
// plane: the shear changes by w L and the right-end moment is
// M0 + (V0 + V1) L / 2 (within ActionTolerance of the moment's largest
// magnitude). `unknown` names the planes where the shear changes sign but
// no uniform load fits.
std::vector<LoadInput> Reconstruct(Actions const& l, Actions const& r, double L, std::string& unknown) {
    std::vector<LoadInput> out;
    struct PlaneOf {
        LoadInput::Plane plane;
        double V0, V1, M0, M1;
        char const* name;
    };
    for (PlaneOf const p : {PlaneOf{LoadInput::Web, l.Vy, r.Vy, l.Mx, r.Mx, "in the plane of the web"},
                            PlaneOf{LoadInput::Across, l.Vx, r.Vx, l.My, r.My, "across the web"}}) {
        if (std::fabs(p.V1 - p.V0) <= ActionTolerance(std::max(std::fabs(p.V0), std::fabs(p.V1)))) continue;
        double const w = (p.V1 - p.V0) / L;
        double const M1 = p.M0 + (p.V0 + p.V1) * L / 2.0;
        double const xPeak = -p.V0 / w;  // where the shear of the uniform load is zero
        double peak = std::max(std::fabs(p.M0), std::fabs(M1));
        if (xPeak > 0.0 && xPeak < L) peak = std::max(peak, std::fabs(p.M0 + p.V0 * xPeak + w * xPeak * xPeak / 2.0));
        if (std::fabs(p.M1 - M1) <= ActionTolerance(peak)) {
            LoadInput load;
            load.plane = p.plane;
            load.w1 = load.w2 = w;
            load.to = L;
            out.push_back(load);
        } else if (p.V0 * p.V1 < 0.0) {
            unknown += (unknown.empty() ? "" : " and ") + std::string(p.name);
        }
    }
    return out;
}

// The flange a major-axis moment compresses along a span, in words (the
// module's own reading of the sense of bending).
std::string CompressionFlange(Corvid::Steel::CSteelMemberGen const& member, Corvid::Steel::CSpan const& span) {
    switch (member.BucklingSenseLT(span)) {
        case Corvid::Steel::CCodeShare::LT_TopFlange: return "top flange";
        case Corvid::Steel::CCodeShare::LT_BottomFlange: return "bottom flange";
        case Corvid::Steel::CCodeShare::LT_Reversal: break;
    }
    return "top flange where Mx < 0, bottom flange where Mx > 0 (the moment changes sign)";
}

char const* KindName(Kind k) {
    switch (k) {
        case Kind::Given: return "given station";
        case Kind::PointLoad: return "point load";
        case Kind::ShearZero: return "zero of the shear (moment peak)";
        case Kind::QuarterPoint: return "quarter point of a lateral-torsional segment";
    }
    return "";
}

// `prefix`: the case's place in the file ("cases[1]." or nothing).
Plan PlanSubSpan(MemberInput const& input, LoadCase const& c, std::size_t k, std::string const& prefix,
                 std::vector<std::string>& warnings, bool text) {
    SubSpanInput const& s = c.subspans[k];
    // The sub-span's place in the file, for a warning: made only for one.
    auto field = [&]() { return prefix + (c.stations ? "stations" : "subspans[" + std::to_string(k) + "]"); };
    double const a = input.points[k].x, b = input.points[k + 1].x;
    Plan plan;
    auto peaksOf = [&plan](Piece const& p) {
        for (double x : p.d.Peaks()) {
            bool point = false;
            for (auto const& l : p.d.Loads()) point = point || (l.kind == LoadInput::Point && l.at == x);
            plan.stations.push_back({p.x0 + x, point ? Kind::PointLoad : Kind::ShearZero});
        }
    };
    if (!s.loads.empty()) {
        plan.pieces.push_back({a, b, Diagram(s.left, s.loads, b - a)});
        plan.curved = true;
        peaksOf(plan.pieces.back());
        if (text) {
            std::string planes;
            if (s.loadMajor) planes = "in the plane of the web";
            if (s.loadMinor) planes += (planes.empty() ? "" : " and ") + std::string("across the web");
            if (!planes.empty()) plan.notes.Add(1, "loads between the ends: a transverse load " + planes);
        }
    } else {
        // Pieces between the given ends and stations, each explained by
        // uniform loads where its end shears imply one.
        std::vector<StationInput> ends;
        ends.reserve(s.stations.size() + 2);
        plan.pieces.reserve(s.stations.size() + 1);
        ends.push_back({a, s.left, s.left});
        ends.insert(ends.end(), s.stations.begin(), s.stations.end());
        ends.push_back({b, s.right, s.right});
        int rebuilt = 0;
        for (std::size_t j = 0; j + 1 < ends.size(); ++j) {
            double const x0 = ends[j].x, x1 = ends[j + 1].x;
            if (j > 0) plan.stations.push_back({x0, Kind::Given});
            std::string unknown;
            auto loads = Reconstruct(ends[j].after, ends[j + 1].before, x1 - x0, unknown);
            if (!unknown.empty())
                warnings.push_back(
                    (c.stations ? field() + " between x = " + Metres(x0) + " and x = " + Metres(x1) : field()) +
                    ": the shear changes sign " + unknown +
                    " but the end actions fit no uniform load: the moment between the ends is "
                    "unknown (give the loads, or the actions at a point inside)");
            for (auto const& l : loads) {
                bool const web = l.plane == LoadInput::Web;
                (web ? plan.loadWeb : plan.loadAcross) = true;
                ++rebuilt;
                if (text)
                    plan.notes.Add(1, "uniform load " + Fixed(l.w1 / 1e3, 3, "kN/m") +
                                          (web ? " in the plane of the web" : " across the web") + " from " +
                                          Metres(x0) + " to " + Metres(x1) +
                                          ", reconstructed from the end shears (no loads given)");
            }
            plan.curved = plan.curved || !loads.empty();
            plan.pieces.push_back(
                {x0, x1, Diagram::Between(ends[j].after, ends[j + 1].before, std::move(loads), x1 - x0)});
            peaksOf(plan.pieces.back());
        }
        if (rebuilt > 0)
            warnings.push_back(
                (c.stations ? field() + " between x = " + Metres(a) + " and x = " + Metres(b) : field()) +
                ": no loads given: " +
                (rebuilt == 1 ? std::string("a uniform load") : std::to_string(rebuilt) + " uniform loads") +
                " reconstructed from the end shears");
    }
    return plan;
}

// The module's points and sub-spans from the plans.
CaseModel Assemble(MemberInput const& input, LoadCase const& c, std::vector<Plan>& plans,
                   Corvid::Data::CSecGeom::SecShape shape) {
    CaseModel m;
    double const tol = 1e-6 * std::max(1.0, input.points.back().x - input.points.front().x);
    auto userPoint = [&](std::size_t k) {
        auto const& p = input.points[k];
        m.points.emplace_back(p.x, CRestraint(RestraintBitsFor(p.restraint, shape), p.load, 0.0));
    };
    std::size_t most = input.points.size();  // points at most: the user's and every station
    for (Plan const& plan : plans) most += plan.stations.size();
    m.points.reserve(most), m.subSpans.reserve(most), m.userSubSpan.reserve(most);
    userPoint(0);
    std::vector<double> xs;
    xs.reserve(most + 1);  // a sub-span's ends and stations
    for (std::size_t k = 0; k < plans.size(); ++k) {
        Plan& plan = plans[k];
        SubSpanInput const& s = c.subspans[k];
        double const a = input.points[k].x, b = input.points[k + 1].x;
        std::sort(plan.stations.begin(), plan.stations.end(),
                  [](Station const& p, Station const& q) { return p.x < q.x; });
        // The stations strictly inside a..b, one of each place (in place).
        std::size_t n = 0;
        for (Station const& st : plan.stations)
            if (st.x > a + tol && st.x < b - tol && (n == 0 || st.x > plan.stations[n - 1].x + tol))
                plan.stations[n++] = st;
        plan.stations.resize(n);
        xs.assign(1, a);
        for (Station const& st : plan.stations) {
            xs.push_back(st.x);
            m.points.emplace_back(st.x, CRestraint(0, Corvid::Data::LoadAtShearCentre, 0.0));
        }
        xs.push_back(b);
        userPoint(k + 1);
        int const first = static_cast<int>(m.points.size()) - static_cast<int>(xs.size());
        for (std::size_t j = 0; j + 1 < xs.size(); ++j) {
            Piece const* piece = &plan.pieces.back();
            for (auto const& p : plan.pieces)
                if (xs[j] >= p.x0 - tol && xs[j + 1] <= p.x1 + tol) {
                    piece = &p;
                    break;
                }
            Actions const l = piece->d.At(std::max(0.0, xs[j] - piece->x0), Diagram::Side::JustRight);
            Actions const r = piece->d.At(std::min(piece->d.Length(), xs[j + 1] - piece->x0), Diagram::Side::JustLeft);
            int const i = static_cast<int>(m.subSpans.size());
            int const left = first + static_cast<int>(j);
            CSubSpan sub(i, left, left + 1);
            // forces (axial, along the web, across the web); moments (torsion, Mx, My)
            sub.SetForces({l.N, l.Vy, l.Vx}, {r.N, r.Vy, r.Vx});
            sub.SetMoments({l.T, l.Mx, l.My}, {r.T, r.Mx, r.My});
            sub.SetTransverseLoad(s.loadMajor || plan.loadWeb, s.loadMinor || plan.loadAcross);
            sub.SetDestabilized(s.destabilizing);
            sub.SetContinuousRestraint(CRestraint(RestraintBitsFor(s.continuous, shape)));
            m.subSpans.push_back(sub);
            m.userSubSpan.push_back(static_cast<int>(k));
        }
    }
    return m;
}

// The quarter points of the lateral-torsional segment x0..x1 that fall
// inside a sub-span whose diagram is not straight, as stations of it.
void AddQuarterPoints(std::vector<Plan>& plans, MemberInput const& input, double x0, double x1) {
    for (double r : {0.25, 0.5, 0.75}) {
        double const x = x0 + r * (x1 - x0);
        for (std::size_t k = 0; k < plans.size(); ++k)
            if (plans[k].curved && x > input.points[k].x && x < input.points[k + 1].x)
                plans[k].stations.push_back({x, Kind::QuarterPoint});
    }
}
}  // namespace

CaseModel BuildCase(Corvid::Steel::CSteelMemberGen& member, MemberInput const& input, std::size_t index,
                    Corvid::Data::CSecGeom::SecShape shape, bool text) {
    LoadCase const& c = input.cases[index];
    std::string const prefix = input.namedCases ? "cases[" + std::to_string(index) + "]." : "";
    std::vector<Plan> plans;
    std::vector<std::string> warnings;
    bool curved = false;
    plans.reserve(c.subspans.size());
    for (std::size_t k = 0; k < c.subspans.size(); ++k) {
        plans.push_back(PlanSubSpan(input, c, k, prefix, warnings, text));
        curved = curved || plans.back().curved;
    }
    CaseModel m = Assemble(input, c, plans, shape);
    if (curved) {
        // The lateral-torsional segments, from the module itself (free
        // stations change none); their quarter points inside a sub-span
        // whose diagram is not straight become stations too.
        member.SetMemberPointVec(m.points);
        member.SetSubSpanVec(m.subSpans);
        Corvid::Steel::CMemberResult probe;
        member.SetResult(&probe);
        auto const data = member.GetMemberEffectiveLengthData();
        member.SetResult(nullptr);
        if (data) {
            for (auto const& entry : data->lateralTorsional)
                AddQuarterPoints(plans, input, entry.second.posLeft, entry.second.posRight);
            m = Assemble(input, c, plans, shape);
        }
    }
    member.SetMemberPointVec(m.points);
    member.SetSubSpanVec(m.subSpans);
    for (auto& w : warnings)
        if (std::find(m.warnings.begin(), m.warnings.end(), w) == m.warnings.end()) m.warnings.push_back(w);
    if (!text) return m;
    m.notes.Add(0, "<h4>Actions along the member</h4>");
    auto const points = std::make_shared<Corvid::Steel::CMemberPointVec const>(m.points);
    auto const subSpans = std::make_shared<Corvid::Steel::CSubSpanVec const>(m.subSpans);
    std::size_t engine = 0;
    for (std::size_t k = 0; k < plans.size(); ++k) {
        std::size_t const first = engine;
        while (engine < m.subSpans.size() && m.userSubSpan[engine] == static_cast<int>(k)) ++engine;
        Corvid::Steel::CSpan const span(points, subSpans, m.subSpans[first].IndexCMPLeft(),
                                        m.subSpans[engine - 1].IndexCMPRight());
        std::string const range = engine - first > 1
                                      ? "SubSpan " + std::to_string(first + 1) + " to " + std::to_string(engine)
                                      : "SubSpan " + std::to_string(first + 1);
        m.notes.Add(0, "<b>Sub-span " + std::to_string(k + 1) + ": " + Metres(input.points[k].x) + " to " +
                           Metres(input.points[k + 1].x) + "</b> (" + range + " below)");
        m.notes.Append(plans[k].notes);
        m.notes.Add(1, "compression flange: " + CompressionFlange(member, span));
        for (auto const& st : plans[k].stations)
            m.notes.Add(1, "station x = " + Metres(st.x) + ": " + KindName(st.kind));
    }
    return m;
}

}  // namespace s16app
