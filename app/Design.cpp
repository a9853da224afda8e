// s16check design: the lightest section of a family that passes.
#include "app/Design.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <exception>
#include <system_error>
#include <thread>

#include "app/JsonInput.h"
#include "app/Render.h"
#include "app/Workers.h"
#include "framework/DesignConstants.h"
#include "framework/Restraint.h"
#include "framework/ResultFlags.h"
#include "framework/SectGeom.h"
#include "framework/Section.h"
#include "framework/TextCase.h"

namespace s16app {

namespace {

namespace Flags = Corvid::Steel::ResultFlags;

struct FamilyInfo {
    Family family;
    char const* name;
    char const* prefix;  // catalogue designations start with it, then a digit
};

FamilyInfo const kFamilies[] = {
    {Family::W, "W", "W"},
    {Family::HP, "HP", "HP"},
    {Family::C, "C", "C"},
    {Family::MC, "MC", "MC"},
    {Family::WT, "WT", "WT"},
    {Family::L, "L", "L"},
    {Family::HssRect, "HSS-rect", "HSS"},
    {Family::HssSquare, "HSS-square", "HSS"},
    {Family::HssRound, "HSS-round", "HSS"},
};

FamilyInfo const& Info(Family f) {
    for (auto const& i : kFamilies)
        if (i.family == f) return i;
    return kFamilies[0];
}

bool Hollow(Family f) { return f == Family::HssRect || f == Family::HssSquare || f == Family::HssRound; }

std::string Mm(double m) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", m * 1e3);
    return buf;
}

constexpr double kSteelDensity = 7850.0;  // kg/m^3
constexpr double kGravity = 9.80665;      // m/s^2

// Whether the section belongs to the family (shape and, for hollow
// sections, the proportions).
bool InFamily(Family f, Corvid::Data::CSection const& s) {
    using Shape = Corvid::Data::CSecGeom;
    auto const& d = s.Dims();
    switch (f) {
        case Family::W:
        case Family::HP: return s.Shape() == Shape::I || s.Shape() == Shape::H;
        case Family::C:
        case Family::MC: return s.Shape() == Shape::Channel;
        case Family::WT: return s.Shape() == Shape::Tee;
        case Family::L: return s.Shape() == Shape::Angle;
        case Family::HssRect: return s.Shape() == Shape::RHS && std::fabs(d.D - d.B) > 1e-9;
        case Family::HssSquare: return s.Shape() == Shape::RHS && std::fabs(d.D - d.B) <= 1e-9;
        case Family::HssRound: return s.Shape() == Shape::CHS;
    }
    return false;
}

// A designation of the family's letters: the prefix, then a digit.
bool NamedAs(Family f, std::string const& name) {
    std::string const prefix = Info(f).prefix;
    return name.size() > prefix.size() &&
           Corvid::LowerCase(name).compare(0, prefix.size(), Corvid::LowerCase(prefix)) == 0 &&
           std::isdigit(static_cast<unsigned char>(name[prefix.size()]));
}

}  // namespace

std::string FamilyName(Family f) { return Info(f).name; }

std::optional<Family> FamilyOf(std::string const& name) {
    for (auto const& i : kFamilies)
        if (Corvid::LowerCase(name) == Corvid::LowerCase(i.name)) return i.family;
    return std::nullopt;
}

std::string FamilyNames() {
    std::string out;
    for (auto const& i : kFamilies) out += (out.empty() ? "" : ", ") + std::string(i.name);
    return out;
}

// CSA G40.20 hollow sections in common production (outside sizes in inches,
// named in rounded mm as the standard names them), each with the walls from
// 3.2 mm (1/8 in) up to 12.7 mm (1/2 in) whose width-to-wall ratio is at
// least 8. A modest list for searches without a catalogue of tubes.
std::vector<std::string> G40Sizes(Family f) {
    static char const* const walls[] = {"3.2", "4.8", "6.4", "8.0", "9.5", "13"};
    static double const wallMm[] = {3.18, 4.78, 6.35, 7.95, 9.53, 12.7};
    std::vector<std::pair<std::string, std::vector<double>>> sizes;
    if (f == Family::HssSquare)
        for (char const* s : {"51", "64", "76", "89", "102", "127", "152", "178", "203", "254", "305"})
            sizes.push_back({std::string(s) + "x" + s, {std::atof(s), std::atof(s)}});
    if (f == Family::HssRect)
        for (auto const& p : std::vector<std::pair<char const*, char const*>>{{"76", "51"},
                                                                              {"102", "51"},
                                                                              {"102", "76"},
                                                                              {"127", "76"},
                                                                              {"152", "76"},
                                                                              {"152", "102"},
                                                                              {"178", "102"},
                                                                              {"203", "102"},
                                                                              {"203", "152"},
                                                                              {"254", "152"},
                                                                              {"305", "203"}})
            sizes.push_back({std::string(p.first) + "x" + p.second, {std::atof(p.first), std::atof(p.second)}});
    if (f == Family::HssRound)
        for (char const* s : {"60", "73", "89", "114", "141", "168", "219", "273", "324"})
            sizes.push_back({s, {std::atof(s)}});
    std::vector<std::string> out;
    for (auto const& s : sizes)
        for (std::size_t k = 0; k < std::size(walls); ++k)
            if (*std::min_element(s.second.begin(), s.second.end()) >= 8.0 * wallMm[k])
                out.push_back("HSS" + s.first + "x" + walls[k]);
    return out;
}

std::vector<Candidate> const& FamilyCache::Get(Family f, std::string const& where, SectionCache* sections) {
    std::lock_guard<std::mutex> const lock(m_mutex);
    auto found = m_families.find(f);
    if (found != m_families.end()) return found->second;
    std::vector<std::string> names;
    std::string const dir = Corvid::Data::CSection::CatalogDirectory();
    try {
        if (!dir.empty() || !Hollow(f))
            for (auto const& n : Corvid::Data::CSection::CatalogNames(Info(f).prefix))
                if (NamedAs(f, n)) names.push_back(n);
    } catch (std::invalid_argument const& e) {
        throw InputError(where + ": the " + FamilyName(f) + " sections come from the catalogue: " + e.what());
    }
    std::vector<Candidate> out;
    auto add = [&out, f, sections](std::vector<std::string> const& list) {
        for (auto const& n : list) {
            Candidate c;
            c.name = n;
            try {
                auto const made =
                    sections ? sections->Get(n) : std::make_shared<Corvid::Data::CSection const>(Corvid::Widen(n));
                auto const& s = *made;
                if (!InFamily(f, s)) continue;
                auto const& d = s.Dims();
                c.depth = d.D;
                c.width = s.Shape() == Corvid::Data::CSecGeom::CHS ? d.D : std::max({d.B, d.B1, d.B2});
                c.mass = s.Geometry() ? s.Geometry()->Area() * kSteelDensity : 0.0;
            } catch (std::invalid_argument const& e) { c.problem = e.what(); }
            out.push_back(std::move(c));
        }
    };
    add(names);
    if (out.empty() && Hollow(f)) add(G40Sizes(f));
    if (out.empty())
        throw InputError(where + ": the section catalogue \"" + dir + "\" holds no " + FamilyName(f) + " section");
    std::stable_sort(out.begin(), out.end(), [](Candidate const& a, Candidate const& b) { return a.mass < b.mass; });
    return m_families.emplace(f, std::move(out)).first->second;
}

DesignInput ReadDesignBlock(Field const& field) {
    ObjectReader const obj(
        field, {"family", "max_depth", "min_depth", "max_width", "limit", "top", "self_weight", "self_weight_factor"});
    DesignInput d;
    if (auto f = obj.Get("family")) {
        d.family = f->String();
        if (!FamilyOf(*d.family)) f->Fail("unknown family \"" + *d.family + "\" (known: " + FamilyNames() + ")");
    }
    auto dimension = [&obj](char const* key, std::optional<double>& out) {
        if (auto f = obj.Get(key)) {
            out = f->Number() * Corvid::Design::kMm;
            if (!(*out > 0.0)) f->Fail("a dimension limit is in mm and must be greater than 0");
        }
    };
    dimension("max_depth", d.maxDepth);
    dimension("min_depth", d.minDepth);
    dimension("max_width", d.maxWidth);
    if (auto f = obj.Get("limit")) {
        d.limit = f->Number();
        if (!(*d.limit > 0.0 && *d.limit <= 1.5)) f->Fail("the utilisation limit must be above 0 and at most 1.5");
    }
    if (auto f = obj.Get("top")) {
        double const n = f->Number();
        if (!(n >= 1 && n <= 100 && n == std::floor(n))) f->Fail("top must be a whole number from 1 to 100");
        d.top = static_cast<int>(n);
    }
    if (auto f = obj.Get("self_weight")) d.selfWeight = f->Bool();
    if (auto f = obj.Get("self_weight_factor")) {
        if (!d.selfWeight) f->Fail("a self-weight factor has no effect without \"self_weight\": true");
        d.selfWeightFactor = f->Number();
        if (!(*d.selfWeightFactor > 0.0 && *d.selfWeightFactor <= 2.0))
            f->Fail("the self-weight load factor must be above 0 and at most 2");
    }
    return d;
}

// The own weight w (N/m, towards the bottom flange) of a member held in the
// plane of the web at its two ends (each end pinned or fixed) or fixed at
// one end only (a cantilever), added case by case: with M0 the moment of a
// simply supported span, M(x) = M0(x) + Ma (1 - x/L) + Mb x/L and
// V = dM/dx, where Ma, Mb are the fixed-end moments (both fixed: wL^2/12
// each; one fixed: wL^2/8 there; positive: bottom flange in compression).
MemberInput WithSelfWeight(MemberInput const& input, double massKgPerM, double factor,
                           std::vector<std::string>& warnings) {
    namespace RB = Corvid::Data::RestraintBits;
    auto const& pts = input.points;
    auto held = [](PointInput const& p) { return (p.restraint.bits & RB::kMajorTranslation) != 0; };
    auto fixed = [](PointInput const& p) { return (p.restraint.bits & RB::kMajorRotation) != 0; };
    std::size_t heldCount = 0;
    for (auto const& p : pts) heldCount += held(p) ? 1 : 0;
    bool const span = heldCount == 2 && held(pts.front()) && held(pts.back());
    bool const cantilever =
        heldCount == 1 && ((held(pts.front()) && fixed(pts.front())) || (held(pts.back()) && fixed(pts.back())));
    if (!span && !cantilever)
        throw InputError(Where(input, "design.self_weight") +
                         ": the actions of the own weight are known for a member held in the plane of the web at "
                         "its two ends only, or fixed at one end only (a cantilever); give the weight in the loads");
    double const w = factor * massKgPerM * kGravity;
    double const x0 = pts.front().x, L = pts.back().x - x0;
    double Ma = 0.0, Mb = 0.0, Va = 0.0;  // end moments and the shear at x0
    if (span) {
        bool const fa = fixed(pts.front()), fb = fixed(pts.back());
        Ma = fa ? w * L * L / (fb ? 12.0 : 8.0) : 0.0;
        Mb = fb ? w * L * L / (fa ? 12.0 : 8.0) : 0.0;
        Va = -w * L / 2.0 + (Mb - Ma) / L;
    } else if (fixed(pts.front())) {
        Ma = w * L * L / 2.0, Va = -w * L;  // free at the far end: V(L) = 0, M(L) = 0
    } else {
        Va = 0.0;  // free at x0
    }
    auto V = [&](double x) { return Va + w * x; };
    auto M = [&](double x) {
        return span ? -w * x * (L - x) / 2.0 + Ma * (1.0 - x / L) + Mb * x / L : Ma + Va * x + w * x * x / 2.0;
    };
    MemberInput out = input;
    for (std::size_t c = 0; c < out.cases.size(); ++c) {
        auto& lc = out.cases[c];
        bool loads = !lc.stations;
        bool any = false;
        for (auto const& s : lc.subspans) any = any || !s.loads.empty();
        if (!loads || !any) {
            std::string const field = input.namedCases ? "cases[" + std::to_string(c) + "]"
                                                       : std::string(lc.stations ? "stations" : "subspans");
            std::string const warning = field +
                                        ": the actions are given at points and do not change with the "
                                        "section: the own weight is not added";
            if (std::find(warnings.begin(), warnings.end(), warning) == warnings.end()) warnings.push_back(warning);
            continue;
        }
        for (std::size_t k = 0; k < lc.subspans.size(); ++k) {
            auto& s = lc.subspans[k];
            double const a = pts[k].x - x0, b = pts[k + 1].x - x0;
            s.left.Vy += V(a), s.left.Mx += M(a);
            s.right.Vy += V(b), s.right.Mx += M(b);
            LoadInput load;
            load.from = 0.0, load.to = b - a, load.w1 = load.w2 = w;
            s.loads.push_back(load);
            s.loadMajor = true;
        }
    }
    return out;
}

namespace {

// The settings of one member: its block's fields, else the command line's.
struct Settings {
    Family family = Family::W;
    std::string familyField;
    std::optional<double> maxDepth, minDepth, maxWidth;
    double limit = 1.0;
    std::size_t top = 3;
    bool selfWeight = false;
    double factor = 1.25;  // the dead-load factor
};

template <class T>
std::optional<T> Pick(MemberInput const& input, std::optional<T> const& block, std::optional<T> const& line,
                      char const* field, char const* option) {
    if (block && line && *block != *line)
        throw InputError(Where(input, std::string("design.") + field) + ": also given on the command line (" + option +
                         ") with another value");
    return block ? block : line;
}

Settings Resolve(MemberInput const& input, DesignDefaults const& d) {
    DesignInput const none;
    DesignInput const& b = input.design ? *input.design : none;
    Settings s;
    auto const family = Pick(input, b.family, d.given.family, "family", "--family");
    if (!family)
        throw InputError(Where(input, "design.family") +
                         ": no family given (--family or \"design\": {\"family\": "
                         "..}; known: " +
                         FamilyNames() + ")");
    auto const f = FamilyOf(*family);
    if (!f)
        throw InputError(Where(input, "design.family") + ": unknown family \"" + *family +
                         "\" (known: " + FamilyNames() + ")");
    s.family = *f;
    s.familyField = Where(input, b.family ? "design.family" : "") + (b.family ? "" : " (--family)");
    s.maxDepth = Pick(input, b.maxDepth, d.given.maxDepth, "max_depth", "--max-depth");
    s.minDepth = Pick(input, b.minDepth, d.given.minDepth, "min_depth", "--min-depth");
    s.maxWidth = Pick(input, b.maxWidth, d.given.maxWidth, "max_width", "--max-width");
    s.limit = Pick(input, b.limit, d.given.limit, "limit", "--limit").value_or(1.0);
    s.top = static_cast<std::size_t>(Pick(input, b.top, d.given.top, "top", "--top").value_or(3));
    s.selfWeight = b.selfWeight;
    s.factor = b.selfWeightFactor.value_or(1.25);
    return s;
}

std::string Reason(std::string const& what, MemberInput const& input) {
    std::string const prefix = Where(input, "section") + ": ";
    return what.compare(0, prefix.size(), prefix) == 0 ? what.substr(prefix.size()) : what;
}

// The candidates within the dimension limits, by mass; those that cannot be
// read are listed as skipped.
std::vector<Candidate const*> WithinLimits(std::vector<Candidate> const& all, Settings const& s,
                                           std::vector<std::pair<std::string, std::string>>& skipped) {
    std::vector<Candidate const*> fit;
    for (auto const& c : all) {
        if (!c.problem.empty()) {
            skipped.emplace_back(c.name, c.problem);
            continue;
        }
        if ((s.maxDepth && c.depth > *s.maxDepth + 1e-9) || (s.minDepth && c.depth < *s.minDepth - 1e-9) ||
            (s.maxWidth && c.width > *s.maxWidth + 1e-9))
            continue;
        fit.push_back(&c);
    }
    return fit;
}

// "min_depth 200 mm, max_width 150 mm": the dimension limits set.
std::string LimitsText(Settings const& s) {
    std::string limits;
    if (s.minDepth) limits += "min_depth " + Mm(*s.minDepth) + " mm, ";
    if (s.maxDepth) limits += "max_depth " + Mm(*s.maxDepth) + " mm, ";
    if (s.maxWidth) limits += "max_width " + Mm(*s.maxWidth) + " mm, ";
    return limits.substr(0, limits.size() - 2);
}

// The member tried with the candidates' sections (each with its own
// self-weight when asked).
struct Trial {
    MemberInput const& input;
    Settings const& s;
    std::vector<std::string>& warnings;

    MemberOutcome Check(Candidate const& c, RunOptions const& o) const {
        MemberInput m = s.selfWeight ? WithSelfWeight(input, c.mass, s.factor, warnings) : input;
        m.section = c.name;
        return CheckMember(m, o);
    }

    // Up to a limit of 1 a section passes when every case passes; above it
    // an over-utilised case may pass, when every section was handled.
    DesignRow Row(Candidate const& c, MemberOutcome const& m) const {
        DesignRow r;
        r.section = c.name;
        r.mass = c.mass;
        r.utilisation = m.Governing().utilisation;
        r.governing = GoverningName(m.Governing());
        bool sound = true;
        for (auto const& k : m.cases)
            sound = sound && (s.limit <= 1.0 ? k.pass : (k.flags & Flags::kSectionNotHandled) == 0);
        r.pass = sound && r.utilisation <= s.limit;
        return r;
    }
};

// Tries the candidates from the lightest until `top` pass; gives those that
// failed before the first pass, lightest first.
std::vector<Candidate const*> TryLightest(Trial const& trial, std::vector<Candidate const*> const& fit,
                                          RunOptions const& options, DesignOutcome& out) {
    std::vector<Candidate const*> failed;
    for (auto const* c : fit) {
        if (out.passing.size() >= trial.s.top) break;
        ++out.tried;
        try {
            DesignRow const r = trial.Row(*c, trial.Check(*c, options));
            if (r.pass)
                out.passing.push_back(r);
            else if (out.passing.empty())
                failed.push_back(c);
        } catch (InputError const& e) { out.skipped.emplace_back(c->name, Reason(e.what(), trial.input)); }
    }
    return failed;
}

}  // namespace

DesignOutcome DesignMember(MemberInput const& input, DesignRun const& run) {
    Settings const s = Resolve(input, run.defaults);
    DesignOutcome out;
    out.where = Where(input, "");
    out.title = input.title;
    out.family = FamilyName(s.family);
    out.limit = s.limit;
    std::vector<std::string> warnings;
    if (s.selfWeight) WithSelfWeight(input, 0.0, s.factor, warnings);  // refuses supports it cannot load
    auto const& all = run.families->Get(s.family, s.familyField, run.options.sections);
    auto const fit = WithinLimits(all, s, out.skipped);
    out.candidates = fit.size();
    if (fit.empty())
        throw InputError(Where(input, "design") + ": the limits (" + LimitsText(s) + ") exclude every " + out.family +
                         " section");
    // Quick checks stop at the first failure; above a limit of 1 an
    // over-utilised section may pass, so each is checked in full.
    RunOptions quick = run.options;
    quick.quick = s.limit <= 1.0;
    quick.text = false;
    Trial const trial{input, s, warnings};
    auto const failed = TryLightest(trial, fit, quick, out);
    // The next lighter sections that fail, checked in full for their governing check.
    RunOptions full = quick;
    full.quick = false;
    for (std::size_t k = failed.size(); k > 0 && out.lighterFailing.size() < 3; --k)
        out.lighterFailing.push_back(trial.Row(*failed[k - 1], trial.Check(*failed[k - 1], full)));
    if (!out.passing.empty()) {
        Candidate const* chosen = nullptr;
        for (auto const* c : fit)
            if (c->name == out.passing.front().section) chosen = c;
        out.result = trial.Check(*chosen, run.options);
        out.chosen = trial.Row(*chosen, *out.result);
    }
    for (auto const& w : warnings) out.warnings.push_back(Where(input, w));
    if (out.result)
        for (auto const& w : out.result->warnings)
            if (std::find(out.warnings.begin(), out.warnings.end(), w) == out.warnings.end()) out.warnings.push_back(w);
    return out;
}

std::vector<DesignItem> DesignAll(std::vector<MemberInput> const& members, DesignRun const& run, int jobs) {
    std::size_t const n = members.size();
    std::vector<DesignItem> items(n);
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < n; i = next++) {
            try {
                items[i].outcome = DesignMember(members[i], run);
            } catch (InputError const& e) { items[i].error = e.what(); } catch (std::exception const& e) {
                items[i].error = Where(members[i], "") + ": " + e.what();
            }
        }
    };
    std::size_t const threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, jobs)), n);
    RunWorkers(threads, worker);
    return items;
}

}  // namespace s16app
