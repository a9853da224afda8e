// Reads member files into MemberInput records (SI units).
#include "app/MemberFile.h"

#include <atomic>
#include <exception>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "app/JsonInput.h"
#include "app/Restraints.h"
#include "framework/SteelGrade.h"
#include "framework/SteelMember.h"

namespace s16app {

namespace {

// Scale factors from the file's units to SI.
struct Units {
    double length = 1.0;  // m
    double force = 1e3;   // kN
    double Moment() const { return force * length; }
};

Units ReadUnits(Field const& field, Units units) {
    ObjectReader const obj(field, {"length", "force"});
    if (auto f = obj.Get("length")) {
        std::string const s = f->String();
        if (s == "m") units.length = 1.0;
        else if (s == "mm") units.length = 1e-3;
        else f->Fail("length unit \"" + s + "\" is not \"m\" or \"mm\"");
    }
    if (auto f = obj.Get("force")) {
        std::string const s = f->String();
        if (s == "kN") units.force = 1e3;
        else if (s == "N") units.force = 1.0;
        else f->Fail("force unit \"" + s + "\" is not \"kN\" or \"N\"");
    }
    return units;
}

double OptionalNumber(ObjectReader const& obj, char const* key, double scale) {
    auto const f = obj.Get(key);
    return f ? f->Number() * scale : 0.0;
}

Actions ReadActions(Field const& field, Units const& u) {
    ObjectReader const obj(field, {"N", "Vx", "Vy", "T", "Mx", "My"});
    Actions a;
    a.N = OptionalNumber(obj, "N", u.force);
    a.Vx = OptionalNumber(obj, "Vx", u.force);
    a.Vy = OptionalNumber(obj, "Vy", u.force);
    a.T = OptionalNumber(obj, "T", u.Moment());
    a.Mx = OptionalNumber(obj, "Mx", u.Moment());
    a.My = OptionalNumber(obj, "My", u.Moment());
    return a;
}

void ReadTransverseLoad(Field const& f, SubSpanInput& s) {
    if (f.Json().is_boolean()) {
        s.loadMajor = f.Bool();
        return;
    }
    std::string const v = f.IsString() ? f.String() : std::string();
    if (v == "major" || v == "minor" || v == "both" || v == "none") {
        s.loadMajor = v == "major" || v == "both";
        s.loadMinor = v == "minor" || v == "both";
        return;
    }
    f.Fail("expected true, false, \"major\", \"minor\", \"both\" or \"none\"");
}

SubSpanInput ReadSubSpan(Field const& field, Units const& u) {
    ObjectReader const obj(field, {"left", "right", "transverse_load", "destabilizing", "continuous_restraint"});
    SubSpanInput s;
    s.left = ReadActions(obj.Require("left"), u);
    s.right = ReadActions(obj.Require("right"), u);
    if (auto f = obj.Get("transverse_load")) ReadTransverseLoad(*f, s);
    if (auto f = obj.Get("destabilizing")) s.destabilizing = f->Bool();
    if (auto f = obj.Get("continuous_restraint")) s.continuous = ReadRestraint(*f);
    return s;
}

std::vector<SubSpanInput> ReadSubSpans(Field const& field, Units const& u, std::size_t points) {
    std::vector<SubSpanInput> out;
    for (auto const& f : field.Elements()) out.push_back(ReadSubSpan(f, u));
    if (out.size() + 1 != points)
        field.Fail(std::to_string(points) + " points need " + std::to_string(points - 1) +
                   " sub-spans, one between each pair of consecutive points (" + std::to_string(out.size()) +
                   " given)");
    return out;
}

PointInput ReadPoint(Field const& field, Units const& u) {
    ObjectReader const obj(field, {"x", "restraint", "load", "height"});
    PointInput p;
    p.x = obj.Require("x").Number() * u.length;
    if (auto f = obj.Get("restraint")) p.restraint = ReadRestraint(*f);
    if (auto f = obj.Get("load")) {
        std::string const s = f->String();
        if (s == "shear-centre" || s == "shear-center") p.load = Corvid::Data::LoadAtShearCentre;
        else if (s == "destabilizing") p.load = Corvid::Data::LoadDestabilizing;
        if (p.load == Corvid::Data::LoadDestabilizing &&
            (p.restraint.bits & Corvid::Data::RestraintBits::kMajorTranslation))
            f->Fail("a destabilizing load at a point held in the plane of the web goes into that support and has "
                    "no lateral-torsional effect (CSA S16-09 cl. 13.6 counts loads between the supports and at a "
                    "cantilever's free tip)");
        else if (s == "stabilizing") p.load = Corvid::Data::LoadStabilizing;
        else f->Fail("load position \"" + s + "\" is not \"shear-centre\", \"destabilizing\" or \"stabilizing\"");
    }
    // CSA S16 takes the position of a load only through the destabilizing
    // case (cl. 13.6): a height would change nothing, so it is refused.
    if (auto f = obj.Get("height"))
        f->Fail("a load height has no effect: CSA S16 counts only whether a load is destabilizing; remove "
                "\"height\" and write \"destabilizing\": true on the sub-span that carries the load (or "
                "\"load\": \"destabilizing\" at the point where the load acts)");
    return p;
}

std::vector<PointInput> ReadPoints(Field const& field, Units const& u) {
    std::vector<PointInput> out;
    auto const elements = field.Elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        out.push_back(ReadPoint(elements[i], u));
        if (i > 0 && !(out[i].x > out[i - 1].x)) elements[i].Child("x").Fail("positions must increase");
    }
    if (out.size() < 2) field.Fail("a member needs at least two points (" + std::to_string(out.size()) + " given)");
    return out;
}

GradeInput ReadGrade(Field const& field) {
    GradeInput g;
    try {
        if (field.IsString()) {
            g.name = field.String();
            Corvid::Steel::CSteelGrade const check{Corvid::Widen(g.name)};
            return g;
        }
        ObjectReader const obj(field, {"name", "Fy", "Fu"});
        g.userDefined = true;
        g.name = obj.Has("name") ? obj.Require("name").String() : std::string("user grade");
        g.Fy = obj.Require("Fy").Number() * 1e6;
        g.Fu = obj.Require("Fu").Number() * 1e6;
        Corvid::Steel::CSteelGrade const check{Corvid::Widen(g.name), g.Fy, g.Fu};
    } catch (std::invalid_argument const& e) {
        field.Fail(e.what());
    }
    return g;
}

double Ratio(Field const& f) {
    double const v = f.Number();
    if (!(v > 0.0 && v <= 1.0)) f.Fail("an area ratio must be greater than 0 and at most 1");
    return v;
}

EffectiveLengths ReadEffectiveLengths(Field const& field, Units const& u, double memberLength) {
    ObjectReader const obj(field, {"Lyy", "Lzz", "Llt"});
    // A negative value is a multiple of the member length: no unit.
    auto length = [&obj, &u, memberLength](char const* key) {
        Field const f = obj.Require(key);
        double const v = f.Number();
        double const Le = v < 0.0 ? -v * memberLength : v * u.length;
        if (Le > 0.0 && Le < Corvid::Steel::CSteelMemberGen::kMinOverrideLength)
            f.Fail("an effective length above 0 and below 1 mm is a likely unit error (lengths are in " +
                   std::string(u.length == 1.0 ? "m" : "mm") + "; 0 for all three: cross-section checks only)");
        return v < 0.0 ? v : v * u.length;
    };
    return EffectiveLengths{length("Lyy"), length("Lzz"), length("Llt")};
}

MemberInput ReadMember(Field const& field, std::string const& fileName, std::string const& path, Units units) {
    ObjectReader const obj(field, {"title", "code", "section", "grade", "net_area_ratio", "effective_net_area_ratio",
                                   "units", "points", "subspans", "cases", "effective_lengths", "omega2"});
    MemberInput m;
    m.fileName = fileName;
    m.path = path;
    if (auto f = obj.Get("units")) units = ReadUnits(*f, units);
    if (auto f = obj.Get("title")) m.title = f->String();
    if (auto f = obj.Get("code")) {
        std::string const s = f->String();
        if (s == CodeName(0)) m.code = 0;
        else if (s == CodeName(1)) m.code = 1;
        else f->Fail("code \"" + s + "\" is not \"" + CodeName(0) + "\" or \"" + CodeName(1) + "\"");
    }
    m.section = obj.Require("section").String();
    m.grade = ReadGrade(obj.Require("grade"));
    if (auto f = obj.Get("net_area_ratio")) m.netAreaRatio = Ratio(*f);
    if (auto f = obj.Get("effective_net_area_ratio")) m.effectiveNetAreaRatio = Ratio(*f);
    auto const pointsField = obj.Require("points");
    m.points = ReadPoints(pointsField, units);
    if (obj.Has("subspans") == obj.Has("cases"))
        field.Fail("give either \"subspans\" or \"cases\" (exactly one of them)");
    if (auto f = obj.Get("subspans")) {
        m.cases.push_back(LoadCase{"", ReadSubSpans(*f, units, m.points.size())});
    } else {
        m.namedCases = true;
        auto const cases = obj.Require("cases");
        for (auto const& c : cases.Elements()) {
            ObjectReader const caseObj(c, {"name", "subspans"});
            std::string name = caseObj.Has("name") ? caseObj.Require("name").String()
                                                  : "case " + std::to_string(m.cases.size() + 1);
            m.cases.push_back(LoadCase{name, ReadSubSpans(caseObj.Require("subspans"), units, m.points.size())});
        }
        if (m.cases.empty()) cases.Fail("at least one load case is needed");
    }
    if (auto f = obj.Get("effective_lengths"))
        m.effectiveLengths = ReadEffectiveLengths(*f, units, m.points.back().x - m.points.front().x);
    if (auto f = obj.Get("omega2")) {
        using Gen = Corvid::Steel::CSteelMemberGen;
        m.omega2 = f->Number();
        if (!(*m.omega2 >= Gen::kOmega2Min && *m.omega2 <= Gen::kOmega2Max))
            f->Fail("omega2 must be between 1.0 and 2.5 (CSA S16-09 cl. 13.6(a))");
    }
    return m;
}

}  // namespace

std::string Where(MemberInput const& member, std::string const& field) {
    std::string path = member.path;
    if (!field.empty()) path += (path.empty() ? "" : ".") + field;
    return member.fileName + (path.empty() ? "" : ": " + path);
}

std::string CodeName(int code) { return code == 1 ? "CSA S16-14" : "CSA S16-09"; }

namespace {
// Reads the members of a list on up to `jobs` threads; the first member in
// order that cannot be read decides the error, as when read one by one.
std::vector<MemberInput> ReadMembers(std::vector<Field> const& members, std::string const& fileName,
                                     Units const& units, int jobs) {
    std::size_t const n = members.size();
    std::vector<MemberInput> out(n);
    std::vector<std::exception_ptr> errors(n);
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < n; i = next++) {
            try {
                out[i] = ReadMember(members[i], fileName, members[i].Path(), units);
            } catch (...) {
                errors[i] = std::current_exception();
            }
        }
    };
    std::size_t const threads = std::min<std::size_t>(static_cast<std::size_t>(std::max(1, jobs)), n);
    std::vector<std::thread> pool;
    try {
        for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(worker);
    } catch (std::system_error const&) {
    }
    worker();
    for (auto& t : pool) t.join();
    for (auto const& e : errors)
        if (e) std::rethrow_exception(e);
    return out;
}
}  // namespace

std::vector<MemberInput> ReadMemberFile(std::string const& jsonText, std::string const& fileName) {
    return ReadMemberFile(jsonText, fileName, 1);
}

std::vector<MemberInput> ReadMemberFile(std::string const& jsonText, std::string const& fileName, int jobs) {
    nlohmann::json const doc = ParseJson(jsonText, fileName);
    Field const top(doc, fileName, "");
    if (!top.IsObject()) top.Fail("expected a member object or {\"members\": [...]}, found " + JsonTypeName(doc));
    std::vector<MemberInput> out;
    if (!doc.contains("members")) {
        out.push_back(ReadMember(top, fileName, "", Units{}));
        return out;
    }
    ObjectReader const obj(top, {"members", "units"});
    Units units;
    if (auto f = obj.Get("units")) units = ReadUnits(*f, units);
    auto const members = obj.Require("members").Elements();
    if (members.empty()) obj.Require("members").Fail("the list of members is empty");
    return ReadMembers(members, fileName, units, jobs);
}

}  // namespace s16app
