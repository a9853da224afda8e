// Reads member files into MemberInput records (SI units).
#include "app/MemberFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <limits>
#include <map>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <type_traits>
#include <utility>

#include "app/Design.h"
#include "app/JsonInput.h"
#include "app/Restraints.h"
#include "app/Summary.h"
#include "app/Workers.h"
#include "framework/DesignConstants.h"
#include "framework/SteelGrade.h"
#include "framework/SteelMember.h"

namespace s16app {

namespace {

// The file's units and moment sign, with their scale factors to SI.
struct Units {
    UnitScale scale;
    std::string length = "m", force = "kN", moment;  // moment empty: force x length
    double sign = 1.0;                               // -1: "sagging-positive" (Mx and Vy = dMx/dx change sign)

    std::string MomentName() const { return moment.empty() ? force + "*" + length : moment; }
    std::string Echo() const {
        std::string_view const signText = sign < 0 ? "sagging-positive (a positive Mx compresses the top flange)"
                                                   : "top-flange-negative (a negative Mx compresses the top flange)";
        std::string out;
        out.reserve(128 + 3 * length.size() + 3 * force.size() + moment.size());  // one heap block
        out.append("length ").append(length).append(", force ").append(force).append(", moment ");
        out.append(MomentName())
            .append(", distributed load ")
            .append(force)
            .append("/")
            .append(length)
            .append("; moment sign ");
        return out.append(signText);
    }
};

Units ReadUnits(Field const& field, Units units) {
    ObjectReader const obj(field, {"length", "force", "moment"});
    if (auto f = obj.Get("length")) {
        std::string const s = f->String();
        if (s == "m")
            units.scale.length = 1.0;
        else if (s == "mm")
            units.scale.length = Corvid::Design::kMm;
        else
            f->Fail("length unit \"" + s + "\" is not \"m\" or \"mm\"");
        units.length = s;
    }
    if (auto f = obj.Get("force")) {
        std::string const s = f->String();
        if (s == "kN")
            units.scale.force = Corvid::Design::kKN;
        else if (s == "N")
            units.scale.force = 1.0;
        else
            f->Fail("force unit \"" + s + "\" is not \"kN\" or \"N\"");
        units.force = s;
    }
    // Moments follow force x length unless their unit is named (here or for
    // the whole file).
    if (units.moment.empty()) units.scale.moment = units.scale.force * units.scale.length;
    if (auto f = obj.Get("moment")) {
        std::string const s = f->String();
        if (s == "kN*m")
            units.scale.moment = Corvid::Design::kKN;
        else if (s == "kN*mm")
            units.scale.moment = Corvid::Design::kKN * Corvid::Design::kMm;
        else if (s == "N*m")
            units.scale.moment = 1.0;
        else if (s == "N*mm")
            units.scale.moment = Corvid::Design::kMm;  // N times mm
        else
            f->Fail("moment unit \"" + s + "\" is not \"kN*m\", \"kN*mm\", \"N*m\" or \"N*mm\"");
        units.moment = s;
    }
    return units;
}

double ReadMomentSign(Field const& f) {
    std::string const s = f.String();
    if (s == "top-flange-negative") return 1.0;
    if (s == "sagging-positive") return -1.0;
    f.Fail("moment sign \"" + s + "\" is not \"top-flange-negative\" or \"sagging-positive\"");
}

// A free "comment" changes nothing; it must be text.
void SkipComment(ObjectReader const& obj) {
    if (auto f = obj.Get("comment")) f->String();
}

double OptionalNumber(ObjectReader const& obj, char const* key, double scale) {
    auto const f = obj.Get(key);
    return f ? f->Number(scale) : 0.0;
}

// Mx and Vy (= dMx/dx) turn to the top-flange-negative sense of the module.
Actions ActionsOf(ObjectReader const& obj, Units const& u) {
    Actions a;
    a.N = OptionalNumber(obj, "N", u.scale.force);
    a.Vx = OptionalNumber(obj, "Vx", u.scale.force);
    a.Vy = OptionalNumber(obj, "Vy", u.scale.force) * u.sign;
    a.T = OptionalNumber(obj, "T", u.scale.moment);
    a.Mx = OptionalNumber(obj, "Mx", u.scale.moment) * u.sign;
    a.My = OptionalNumber(obj, "My", u.scale.moment);
    return a;
}

char const* const kActionKeys[6] = {"N", "Vx", "Vy", "T", "Mx", "My"};

Actions ReadActions(Field const& field, Units const& u) {
    return ActionsOf(ObjectReader(field, {"N", "Vx", "Vy", "T", "Mx", "My"}), u);
}

void ReadTransverseLoad(Field const& f, SubSpanInput& s) {
    if (f.IsBool()) {
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

// The right-end actions from the left end and the loads; any given at the
// right end must agree with them (ActionTolerance).
void RightFromLoads(ObjectReader const& obj, Units const& u, double length, SubSpanInput& s) {
    Diagram const d(s.left, s.loads, length);
    s.right = d.At(length, Diagram::Side::JustLeft);
    auto const given = obj.Get("right");
    if (!given) return;
    ObjectReader const right(*given, {"N", "Vx", "Vy", "T", "Mx", "My"});
    double largest[6];
    LargestActions(d, largest);
    Actions const value = ActionsOf(right, u);
    for (int i = 0; i < 6; ++i) {
        if (!right.Has(kActionKeys[i])) continue;
        double const tol = ActionTolerance(largest[i]);
        if (std::fabs(Component(value, i) - Component(s.right, i)) <= tol) continue;
        bool const moment = i >= 3;
        double const scale = (moment ? u.scale.moment : u.scale.force) * (i == 2 || i == 4 ? u.sign : 1.0);
        std::string const unit = moment ? u.MomentName() : u.force;
        auto text = [](double v) {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%.6g", v);
            return std::string(buf);
        };
        right.Require(kActionKeys[i])
            .Fail("the loads give " + text(Component(s.right, i) / scale) + " " + unit + " at the right end, " +
                  text(Component(value, i) / scale) + " " + unit + " given; they must agree within " +
                  text(std::fabs(tol / scale)) + " " + unit +
                  " (0.1 % of the largest magnitude along the sub-span, at least 1 N or 1 N*m)");
    }
}

SubSpanInput ReadSubSpan(Field const& field, Units const& u, double length) {
    ObjectReader const obj(
        field, {"left", "right", "loads", "transverse_load", "destabilizing", "continuous_restraint", "comment"});
    SkipComment(obj);
    SubSpanInput s;
    s.left = ReadActions(obj.Require("left"), u);
    if (auto f = obj.Get("transverse_load")) ReadTransverseLoad(*f, s);
    if (auto f = obj.Get("destabilizing")) s.destabilizing = f->Bool();
    if (auto f = obj.Get("continuous_restraint")) s.continuous = ReadRestraint(*f);
    if (auto f = obj.Get("loads")) {
        s.loads = ReadLoads(*f, u.scale, length);
        RightFromLoads(obj, u, length, s);
        // A load between the ends is a transverse load in its plane.
        Diagram const d(s.left, s.loads, length);
        bool const web = d.LoadedIn(LoadInput::Web), across = d.LoadedIn(LoadInput::Across);
        if (auto t = obj.Get("transverse_load"); t && ((web && !s.loadMajor) || (across && !s.loadMinor)))
            t->Fail("contradicts the loads, which act " +
                    std::string(web && !s.loadMajor ? "in the plane of the web" : "across the web") +
                    " (leave it out: the loads say it)");
        s.loadMajor = s.loadMajor || web;
        s.loadMinor = s.loadMinor || across;
    } else {
        s.right = ReadActions(obj.Require("right"), u);
    }
    return s;
}

std::vector<SubSpanInput> ReadSubSpans(Field const& field, Units const& u, std::vector<PointInput> const& points) {
    std::vector<SubSpanInput> out;
    auto const elements = field.Elements();
    if (elements.size() + 1 != points.size())
        field.Fail(std::to_string(points.size()) + " points need " + std::to_string(points.size() - 1) +
                   " sub-spans, one between each pair of consecutive points (" + std::to_string(elements.size()) +
                   " given)");
    out.reserve(elements.size());
    for (std::size_t k = 0; k < elements.size(); ++k)
        out.push_back(ReadSubSpan(elements[k], u, points[k + 1].x - points[k].x));
    return out;
}

// A station list: positions (not decreasing, at most two at one position:
// the values just left and just right of it) with the actions there, a
// station at every point. Gives the sub-spans between the points, with the
// stations inside each.
std::vector<SubSpanInput> ReadStations(Field const& field, Units const& u, std::vector<PointInput> const& points) {
    struct Station {
        double x;
        Actions a;
    };
    std::vector<Station> all;
    auto const elements = field.Elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        ObjectReader const obj(elements[i], {"x", "N", "Vx", "Vy", "T", "Mx", "My", "comment"});
        SkipComment(obj);
        all.push_back({obj.Require("x").Number(u.scale.length), ActionsOf(obj, u)});
        if (i > 0 && all[i].x < all[i - 1].x) elements[i].Child("x").Fail("positions must not decrease");
        if (i > 1 && all[i].x == all[i - 2].x)
            elements[i].Child("x").Fail(
                "at most two stations at one position (the actions just left and just "
                "right of it)");
    }
    double const tol = 1e-9 * std::max(1.0, points.back().x - points.front().x);
    auto same = [tol](double a, double b) { return std::fabs(a - b) <= tol; };
    if (all.empty() || !same(all.front().x, points.front().x) || !same(all.back().x, points.back().x))
        field.Fail("the stations must run from the first point to the last");
    std::vector<SubSpanInput> out(points.size() - 1);
    std::size_t i = 0;
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        auto& s = out[k];
        if (!same(all[i].x, points[k].x))
            field.Fail("no station at points[" + std::to_string(k) +
                       "] (x = " + std::to_string(points[k].x / u.scale.length) + ")");
        while (i + 1 < all.size() && same(all[i + 1].x, points[k].x)) ++i;
        s.left = all[i++].a;
        for (; i < all.size() && !same(all[i].x, points[k + 1].x); ++i) {
            if (all[i].x > points[k + 1].x) break;
            StationInput st{all[i].x, all[i].a, all[i].a};
            if (i + 1 < all.size() && all[i + 1].x == all[i].x) st.after = all[++i].a;
            s.stations.push_back(st);
        }
        if (i >= all.size() || !same(all[i].x, points[k + 1].x))
            field.Fail("no station at points[" + std::to_string(k + 1) +
                       "] (x = " + std::to_string(points[k + 1].x / u.scale.length) + ")");
        s.right = all[i].a;
    }
    return out;
}

// "subspans" or "stations" of a member or a load case (exactly one).
std::vector<SubSpanInput> ReadActionsAlong(ObjectReader const& obj, Units const& u,
                                           std::vector<PointInput> const& points) {
    if (obj.Has("subspans") && obj.Has("stations"))
        obj.Require("stations").Fail("give either \"subspans\" or \"stations\", not both");
    if (obj.Has("stations")) return ReadStations(obj.Require("stations"), u, points);
    return ReadSubSpans(obj.Require("subspans"), u, points);
}

PointInput ReadPoint(Field const& field, Units const& u) {
    ObjectReader const obj(field, {"x", "restraint", "load", "height", "comment"});
    SkipComment(obj);
    PointInput p;
    p.x = obj.Require("x").Number(u.scale.length);
    if (auto f = obj.Get("restraint")) p.restraint = ReadRestraint(*f);
    if (auto f = obj.Get("load")) {
        std::string const s = f->String();
        if (s == "shear-centre" || s == "shear-center")
            p.load = Corvid::Data::LoadAtShearCentre;
        else if (s == "destabilizing")
            p.load = Corvid::Data::LoadDestabilizing;
        else if (s == "stabilizing")
            p.load = Corvid::Data::LoadStabilizing;
        else
            f->Fail("load position \"" + s + "\" is not \"shear-centre\", \"destabilizing\" or \"stabilizing\"");
        if (p.load == Corvid::Data::LoadDestabilizing &&
            (p.restraint.bits & Corvid::Data::RestraintBits::kMajorTranslation))
            f->Fail(
                "a destabilizing load at a point held in the plane of the web goes into that support and has "
                "no lateral-torsional effect (CSA S16-09 cl. 13.6 counts loads between the supports and at a "
                "cantilever's free tip)");
    }
    // CSA S16 takes the position of a load only through the destabilizing
    // case (cl. 13.6): a height would change nothing, so it is refused.
    if (auto f = obj.Get("height"))
        f->Fail(
            "a load height has no effect: CSA S16 counts only whether a load is destabilizing; remove "
            "\"height\" and write \"destabilizing\": true on the sub-span that carries the load (or "
            "\"load\": \"destabilizing\" at the point where the load acts)");
    return p;
}

std::vector<PointInput> ReadPoints(Field const& field, Units const& u) {
    std::vector<PointInput> out;
    auto const elements = field.Elements();
    out.reserve(elements.size());
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
            NamedGrade(g.name);
            return g;
        }
        ObjectReader const obj(field, {"name", "Fy", "Fu"});
        g.userDefined = true;
        g.name = obj.Has("name") ? obj.Require("name").String() : std::string("user grade");
        g.Fy = obj.Require("Fy").Number(Corvid::Design::kMPa);
        g.Fu = obj.Require("Fu").Number(Corvid::Design::kMPa);
        Corvid::Steel::CSteelGrade const check{Corvid::Widen(g.name), g.Fy, g.Fu};
    } catch (std::invalid_argument const& e) { field.Fail(e.what()); }
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
        double const Le = v < 0.0 ? -v * memberLength : v * u.scale.length;
        if (!std::isfinite(Le)) f.Fail(f.Dump() + " is too large: the length is not a finite number");
        if (Le > 0.0 && Le < Corvid::Steel::CSteelMemberGen::kMinOverrideLength)
            f.Fail("an effective length above 0 and below 1 mm is a likely unit error (lengths are in " +
                   std::string(u.scale.length == 1.0 ? "m" : "mm") + "; 0 for all three: cross-section checks only)");
        return v < 0.0 ? v : v * u.scale.length;
    };
    return EffectiveLengths{length("Lyy"), length("Lzz"), length("Llt")};
}

// Where an object of a member file stands.
enum class ObjectAt { TopOfFile, InList };

// "$schema" (the schema of the file, for editors) at the top of the file only.
void SkipSchema(ObjectReader const& obj, ObjectAt at) {
    auto const f = obj.Get("$schema");
    if (f && at != ObjectAt::TopOfFile)
        f->Fail("the schema of the file belongs at the top of the file, not in a member");
    if (f) f->String();
}

// What the file level gives every member: units, moment sign, project,
// engineer (parsed and as written, for the member's input hash).
struct FileLevel {
    Units units;
    std::string project, engineer;
    JsonDoc json;  // {} or the units and moment sign as given
};

MemberInput ReadMember(Field const& field, std::string const& fileName, std::string const& path,
                       FileLevel const& file) {
    ObjectReader const obj(field, {"$schema", "comment", "title", "code", "section", "grade", "net_area_ratio",
                                   "effective_net_area_ratio", "units", "moment_sign", "points", "subspans", "stations",
                                   "cases", "effective_lengths", "omega2", "design", "project", "engineer"});
    SkipSchema(obj, path.empty() ? ObjectAt::TopOfFile : ObjectAt::InList);
    SkipComment(obj);
    Units units = file.units;
    MemberInput m;
    m.fileName = fileName;
    m.path = path;
    m.project = obj.Has("project") ? obj.Require("project").String() : file.project;
    m.engineer = obj.Has("engineer") ? obj.Require("engineer").String() : file.engineer;
    m.inputHash = InputHash(field.Doc(), field.Node(), file.json);
    if (auto f = obj.Get("units")) units = ReadUnits(*f, units);
    if (auto f = obj.Get("moment_sign")) units.sign = ReadMomentSign(*f);
    m.units = units.Echo();
    if (auto f = obj.Get("title")) m.title = f->String();
    if (auto f = obj.Get("code")) {
        std::string const s = f->String();
        if (s == CodeName(0))
            m.code = 0;
        else if (s == CodeName(1))
            m.code = 1;
        else
            f->Fail("code \"" + s + "\" is not \"" + CodeName(0) + "\" or \"" + CodeName(1) + "\"");
    }
    if (auto f = obj.Get("design")) m.design = ReadDesignBlock(*f);
    if (obj.Has("section") && m.design)
        obj.Require("section").Fail(
            "a member with a \"design\" block has its section chosen by s16check design; "
            "remove \"section\" (or the block, to check this section)");
    if (!m.design) m.section = obj.Require("section").String();
    m.grade = ReadGrade(obj.Require("grade"));
    if (auto f = obj.Get("net_area_ratio")) m.netAreaRatio = Ratio(*f);
    if (auto f = obj.Get("effective_net_area_ratio")) m.effectiveNetAreaRatio = Ratio(*f);
    auto const pointsField = obj.Require("points");
    m.points = ReadPoints(pointsField, units);
    if ((obj.Has("subspans") || obj.Has("stations")) == obj.Has("cases"))
        field.Fail("give either \"subspans\", \"stations\" or \"cases\" (exactly one of them)");
    if (!obj.Has("cases")) {
        m.cases.push_back(LoadCase{"", ReadActionsAlong(obj, units, m.points), obj.Has("stations")});
    } else {
        m.namedCases = true;
        auto const cases = obj.Require("cases");
        auto const elements = cases.Elements();
        m.cases.reserve(elements.size());
        for (auto const& c : elements) {
            ObjectReader const caseObj(c, {"name", "subspans", "stations", "comment"});
            SkipComment(caseObj);
            std::string name =
                caseObj.Has("name") ? caseObj.Require("name").String() : "case " + std::to_string(m.cases.size() + 1);
            m.cases.push_back(LoadCase{name, ReadActionsAlong(caseObj, units, m.points), caseObj.Has("stations")});
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

Corvid::Steel::CSteelGrade const& NamedGrade(std::string const& name) {
    thread_local std::map<std::string, Corvid::Steel::CSteelGrade> grades;
    auto found = grades.find(name);
    if (found != grades.end()) return found->second;
    if (grades.size() >= 64) grades.clear();  // spellings without end: memory stays bounded
    found = grades.emplace(name, Corvid::Steel::CSteelGrade(Corvid::Widen(name))).first;
    return found->second;
}

std::string CodeName(int code) { return code == 1 ? "CSA S16-14" : "CSA S16-09"; }

namespace {

// A bounded queue between the reading thread and the threads using the
// members: a full queue holds the reader back.
template <class T>
class Channel {
public:
    explicit Channel(std::size_t capacity) : m_capacity(capacity) {}
    // False once closed.
    bool Push(T value) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_space.wait(lock, [this] { return m_closed || m_items.size() < m_capacity; });
        if (m_closed) return false;
        m_items.push_back(std::move(value));
        m_ready.notify_one();
        return true;
    }
    // Pushes when there is room: false (and `value` left as it was) when
    // the queue is full or closed.
    bool TryPush(T& value) {
        std::lock_guard<std::mutex> const lock(m_mutex);
        if (m_closed || m_items.size() >= m_capacity) return false;
        m_items.push_back(std::move(value));
        m_ready.notify_one();
        return true;
    }
    // What is left once closed, then nothing.
    std::optional<T> Pop() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_ready.wait(lock, [this] { return m_closed || !m_items.empty(); });
        if (m_items.empty()) return std::nullopt;
        T value = std::move(m_items.front());
        m_items.pop_front();
        m_space.notify_one();
        return value;
    }
    void Close() {
        std::lock_guard<std::mutex> const lock(m_mutex);
        m_closed = true;
        m_ready.notify_all();
        m_space.notify_all();
    }

private:
    std::size_t m_capacity;
    std::mutex m_mutex;
    std::condition_variable m_ready, m_space;
    std::deque<T> m_items;
    bool m_closed = false;
};

// A member of a list: its value, or its text (to read) when `text`: the
// `size` bytes at `at` in its batch's text (`parsed` once its value is read).
struct Element {
    JsonDoc value;
    std::size_t index = 0;
    bool text = false, parsed = false;
    MemberOrigin origin;
    std::size_t at = 0, size = 0;
};
// Members handed from the thread that scans a file to one that reads them:
// up to kBatchMembers of them, or kBatchBytes of their text (one lock and
// at most one wake-up per batch, not per member). The text of those given
// as text is one JSON list (`listed`: "[" text "," text ... "]", read by one
// parser), or the text of one member cut short, alone in its batch.
struct Batch {
    std::vector<Element> elements;
    std::string text;
    bool listed = false;
};
constexpr std::size_t kBatchMembers = 16, kBatchBytes = std::size_t{256} << 10;
// The room a batch's text takes at once (16 members of about 1 kB; more grows it).
constexpr std::size_t kBatchText = std::size_t{16} << 10;

// Puts member i in the batch: its value, or its text (in the batch's list
// unless cut short).
void AddToBatch(Batch& batch, nlohmann::json&& value, MemberText const* text, std::size_t i) {
    batch.elements.emplace_back();
    Element& e = batch.elements.back();
    e.index = i, e.text = text != nullptr;
    if (!text) {
        e.value = JsonDoc::FromJson(value);
        return;
    }
    if (batch.text.empty()) batch.text.reserve(kBatchText);
    if (!text->origin.cut) batch.text += batch.listed ? ',' : '[', batch.listed = true;
    e.origin = text->origin, e.at = batch.text.size(), e.size = text->text.size();
    batch.text += text->text;
}

// A member read by the first reading, kept as a record in a temporary file
// for the second: the second reading then neither parses nor validates the
// file again, and memory still holds a few members only. Every field of
// MemberInput is written and read back here, in the order declared.
class RecordWriter {
public:
    explicit RecordWriter(std::string& out) : out_(out) {}
    template <class T>
    void Raw(T const& v) {
        static_assert(std::is_trivially_copyable<T>::value, "written as bytes");
        out_.append(reinterpret_cast<char const*>(&v), sizeof v);
    }
    // Types with padding: field by field (padding bytes are never written).
    void Raw(RestraintInput const& r) { Raw(r.bits), Raw(r.channelEndConnection); }
    void Raw(PointInput const& p) { Raw(p.x), Raw(p.restraint), Raw(p.load); }
    // The number of items that follow (`n`, written).
    std::size_t Count(std::size_t n, std::size_t) {
        Raw(static_cast<std::uint64_t>(n));
        return n;
    }
    void Str(std::string const& v) {
        Count(v.size(), 1);
        out_.append(v);
    }
    template <class T>
    void Raws(std::vector<T> const& v) {
        Count(v.size(), sizeof(T));
        for (auto const& e : v) Raw(e);
    }
    template <class T>
    void Opt(std::optional<T> const& v) {
        Raw(v.has_value());
        if (v) Raw(*v);
    }

private:
    std::string& out_;
};

class RecordReader {
public:
    explicit RecordReader(std::string const& in) : in_(in) {}
    template <class T>
    void Raw(T& v) {
        static_assert(std::is_trivially_copyable<T>::value, "read as bytes");
        Take(&v, sizeof v);
    }
    void Raw(RestraintInput& r) { Raw(r.bits), Raw(r.channelEndConnection); }
    void Raw(PointInput& p) { Raw(p.x), Raw(p.restraint), Raw(p.load); }
    void Str(std::string& v) {
        v.resize(Count(0, 1));
        if (!v.empty()) Take(&v[0], v.size());
    }
    template <class T>
    void Raws(std::vector<T>& v) {
        v.resize(Count(0, sizeof(T)));
        for (auto& e : v) Raw(e);
    }
    template <class T>
    void Opt(std::optional<T>& v) {
        bool has = false;
        Raw(has);
        v.reset();
        if (has) Raw(v.emplace());
    }
    // The number of items that follow, each at least `size` bytes: one the
    // rest of the record can hold.
    std::size_t Count(std::size_t, std::size_t size) {
        std::uint64_t n = 0;
        Raw(n);
        if (n > (in_.size() - at_) / size) throw std::runtime_error("a kept member is cut short");
        return static_cast<std::size_t>(n);
    }
    bool AtEnd() const { return at_ == in_.size(); }

private:
    void Take(void* to, std::size_t n) {
        if (in_.size() - at_ < n) throw std::runtime_error("a kept member is cut short");
        std::memcpy(to, in_.data() + at_, n);
        at_ += n;
    }
    std::string const& in_;
    std::size_t at_ = 0;
};

// A field added to a member's input must be written here too, or the
// member is checked without it: these sizes (64-bit libstdc++) change with
// any field added, and stop the build until RecordFields has it. The types
// written whole (Actions, PointInput, StationInput, LoadInput, ...) carry
// their new fields by themselves.
#if defined(__LP64__) && defined(__GLIBCXX__)
static_assert(sizeof(MemberInput) == 600 && sizeof(LoadCase) == 64 && sizeof(SubSpanInput) == 160 &&
                  sizeof(DesignInput) == 136 && sizeof(GradeInput) == 56 && sizeof(PointInput) == 24 &&
                  sizeof(RestraintInput) == 8,
              "a member input's fields changed: keep RecordFields in step, then these sizes");
#endif
// The types written whole have no padding (no byte of a record is left
// undefined); a type that gets some is written field by field, as
// PointInput is.
static_assert(sizeof(Actions) == 6 * sizeof(double) && sizeof(StationInput) == sizeof(double) + 2 * sizeof(Actions) &&
                  sizeof(LoadInput) == 2 * sizeof(int) + 6 * sizeof(double) &&
                  sizeof(EffectiveLengths) == 3 * sizeof(double),
              "a type written whole as bytes has padding: write it field by field");

template <class Io, class Member>
void RecordFields(Io& io, Member& m) {
    io.Str(m.fileName), io.Str(m.path), io.Str(m.title), io.Raw(m.code), io.Str(m.section);
    io.Str(m.grade.name), io.Raw(m.grade.userDefined), io.Raw(m.grade.Fy), io.Raw(m.grade.Fu);
    io.Opt(m.netAreaRatio), io.Opt(m.effectiveNetAreaRatio);
    io.Raws(m.points);
    m.cases.resize(io.Count(m.cases.size(), 1));
    for (auto& c : m.cases) {
        io.Str(c.name);
        c.subspans.resize(io.Count(c.subspans.size(), 1));
        for (auto& s : c.subspans) {
            io.Raw(s.left), io.Raw(s.right), io.Raw(s.loadMajor), io.Raw(s.loadMinor), io.Raw(s.destabilizing);
            io.Raw(s.continuous), io.Raws(s.loads), io.Raws(s.stations);
        }
        io.Raw(c.stations);
    }
    io.Raw(m.namedCases), io.Opt(m.effectiveLengths), io.Opt(m.omega2), io.Str(m.units);
    bool design = m.design.has_value();
    io.Raw(design);
    if (design) {
        if (!m.design) m.design.emplace();
        auto& d = *m.design;
        bool family = d.family.has_value();
        io.Raw(family);
        if (family) {
            if (!d.family) d.family.emplace();
            io.Str(*d.family);
        }
        io.Opt(d.maxDepth), io.Opt(d.minDepth), io.Opt(d.maxWidth), io.Opt(d.limit), io.Opt(d.top);
        io.Raw(d.selfWeight), io.Opt(d.selfWeightFactor);
    }
    io.Str(m.project), io.Str(m.engineer), io.Str(m.inputHash);
}

// Appends the record of a member to `out`.
void AppendRecord(MemberInput const& m, std::string& out) {
    RecordWriter w(out);
    // RecordFields sizes the vectors it reads into: writing leaves them as they are.
    RecordFields(w, const_cast<MemberInput&>(m));
}

MemberInput FromRecord(std::string const& record) {
    MemberInput m;
    RecordReader r(record);
    RecordFields(r, m);
    if (!r.AtEnd()) throw std::runtime_error("a kept member is longer than written");
    return m;
}

// The one temporary file the records of every member file of the run go
// into: one descriptor however many files a run reads, and no more than
// kBytes of the temporary folder (which may be memory, a tmpfs) however many
// members; a file whose records find no room is read again instead.
class RecordStore {
public:
    static constexpr std::uint64_t kBytes = 64u << 20;
    static RecordStore& Instance() {
        static RecordStore store;
        return store;
    }
    // Room for n bytes: where they go, or -1 when there is none (no
    // temporary file could be made, or it is full).
    std::int64_t Take(std::uint64_t n) {
        std::lock_guard<std::mutex> const lock(mutex_);
        if (!file_ && !tried_) {
            tried_ = true;
            file_ = std::tmpfile();
        }
        if (!file_ || n > kBytes - end_) return -1;
        auto const at = end_;
        end_ += n;
        return static_cast<std::int64_t>(at);
    }
    // Set before the first room is given, never changed after.
    int Descriptor() const { return fileno(file_); }
    RecordStore(RecordStore const&) = delete;
    RecordStore& operator=(RecordStore const&) = delete;

private:
    RecordStore() = default;
    ~RecordStore() {
        if (file_) std::fclose(file_);
    }
    std::mutex mutex_;
    std::FILE* file_ = nullptr;
    bool tried_ = false;
    std::uint64_t end_ = 0;
};

std::string ElementPath(bool list, std::size_t i) { return list ? "members[" + std::to_string(i) + "]" : ""; }

// The top object of a file that lists its members, with the fields it may hold.
ObjectReader TopObject(Field const& f) {
    return ObjectReader(f, {"$schema", "comment", "members", "units", "moment_sign", "project", "engineer"});
}

// How much of the top object has been read.
enum class TopRead { SoFar, Whole };

// What the file level gives the members, from the top object read so far
// (or whole). Whole: also what only the top object may hold, and its unknown
// fields, are refused; so far: a bad field is left for the check of the whole.
FileLevel LevelOf(nlohmann::json const& top, std::string const& file, TopRead read) {
    bool const check = read == TopRead::Whole;
    FileLevel level;
    try {
        JsonDoc const doc = JsonDoc::FromJson(top);
        Field const f(doc, file, "");
        ObjectReader const obj = TopObject(f);
        if (check) SkipSchema(obj, ObjectAt::TopOfFile), SkipComment(obj);
        if (auto u = obj.Get("units")) level.units = ReadUnits(*u, level.units);
        if (auto u = obj.Get("moment_sign")) level.units.sign = ReadMomentSign(*u);
        if (auto t = obj.Get("project")) level.project = t->String();
        if (auto t = obj.Get("engineer")) level.engineer = t->String();
        auto given = nlohmann::json::object();
        for (char const* key : {"units", "moment_sign"})
            if (top.contains(key)) given[key] = top[key];
        level.json = JsonDoc::FromJson(given);
    } catch (InputError const&) {
        if (check) throw;
    }
    return level;
}

// Closes the descriptor it opened.
struct Opened {
    int fd = -1;
    ~Opened() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

struct MemberStream::Impl {
    std::string file;  // as given
    std::string name;  // in messages
    std::string const* text = nullptr;
    std::FILE* copy = nullptr;  // the standard input, once read
    bool list = false;
    FileLevel level;
    Channel<Element> channel{16};
    std::thread reader;
    bool started = false;
    std::exception_ptr error;
    std::size_t validated = 0, given = 0;  // members found by Validate, given by Next
    bool changeTold = false;
    // The file as first opened (size, modification time, inode): a file
    // that differs when read again changed between the readings.
    bool seen = false;
    struct stat first {};
    // The members of the last reading, kept (see AppendRecord, RecordStore):
    // where each record starts and its size. Text given in memory is not
    // kept; without room in the store, or once a write to it failed, the
    // file is read again instead.
    bool keptOk = false;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> records;
    std::mutex keptMutex;

    // Keeps the records of members read one after another (`bytes`), with
    // the index and size of each (`sizes`): one write for them all.
    void Keep(std::string const& bytes, std::vector<std::pair<std::size_t, std::size_t>> const& sizes) {
        if (sizes.empty()) return;
        std::uint64_t at = 0;
        {
            std::lock_guard<std::mutex> const lock(keptMutex);
            if (!keptOk) return;
            std::int64_t const room = RecordStore::Instance().Take(bytes.size());
            if (room < 0) {
                keptOk = false;
                return;
            }
            at = static_cast<std::uint64_t>(room);
            std::uint64_t start = at;
            for (auto const& [index, size] : sizes) {
                if (records.size() <= index) records.resize(index + 1);
                records[index] = {start, size};
                start += size;
            }
        }
        // Each batch has its own place: written outside the lock.
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t const n = ::pwrite(RecordStore::Instance().Descriptor(), bytes.data() + done, bytes.size() - done,
                                       static_cast<off_t>(at + done));
            if (n <= 0) {
                std::lock_guard<std::mutex> const lock(keptMutex);
                keptOk = false;
                return;
            }
            done += static_cast<std::size_t>(n);
        }
    }

    JsonSource Open(Opened& opened) {
        if (text) return JsonSource{-1, text, nullptr};
        if (file == "-") {
            if (!copy) {
                copy = std::tmpfile();
                if (!copy) throw InputError(name + ": cannot be kept for reading: " + std::strerror(errno));
                return JsonSource{STDIN_FILENO, nullptr, copy};
            }
            if (std::fflush(copy) != 0 || ::lseek(fileno(copy), 0, SEEK_SET) != 0)
                throw InputError(name + ": cannot be read again: " + std::strerror(errno));
            return JsonSource{fileno(copy), nullptr, nullptr};
        }
        opened.fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (opened.fd < 0) throw InputError(name + ": cannot be read: " + std::strerror(errno));
        struct stat st {};
        if (::fstat(opened.fd, &st) != 0) throw InputError(name + ": cannot be read: " + std::strerror(errno));
        if (S_ISDIR(st.st_mode)) throw InputError(name + ": is a folder, not a member file");
        if (!std::exchange(seen, true))
            first = st;
        else if (S_ISREG(st.st_mode) &&
                 (st.st_ino != first.st_ino || st.st_dev != first.st_dev || st.st_size != first.st_size ||
                  st.st_mtim.tv_sec != first.st_mtim.tv_sec || st.st_mtim.tv_nsec != first.st_mtim.tv_nsec))
            throw Changed();
        return JsonSource{opened.fd, nullptr, nullptr};
    }

    InputError Changed() const {
        return InputError(name + ": changed since it was read (" + std::to_string(validated) +
                          (validated == 1 ? " member" : " members") + " then); its members were not all checked");
    }

    // The next member kept by Validate. The file is looked at once more
    // first: one that changed since it was read is told, as a member that
    // cannot be read, and nothing of it is checked.
    MemberReader NextKept() {
        if (changeTold || given == validated) return {};
        if (!std::exchange(started, true)) try {
                Opened opened;
                Open(opened);
            } catch (...) {
                changeTold = true;
                auto const error = std::current_exception();
                return [error]() -> MemberInput { std::rethrow_exception(error); };
            }
        auto const where = records[given++];
        int const fd = RecordStore::Instance().Descriptor();
        std::string const file = name;
        // Read and rebuilt on the thread that checks it.
        return [fd, where, file] {
            std::string record(static_cast<std::size_t>(where.second), '\0');
            std::size_t done = 0;
            while (done < record.size()) {
                ssize_t const n =
                    ::pread(fd, &record[done], record.size() - done, static_cast<off_t>(where.first + done));
                if (n <= 0)
                    throw InputError(file + ": cannot be read again: " + (n < 0 ? std::strerror(errno) : "cut short"));
                done += static_cast<std::size_t>(n);
            }
            try {
                return FromRecord(record);
            } catch (std::runtime_error const& e) { throw InputError(file + ": cannot be read again: " + e.what()); }
        };
    }

    // What the threads of one reading share: the units the members are read
    // with, and the first problem in the order of the file (a member's text
    // that is not valid JSON first, as when the file's text is read whole
    // before its members).
    struct PassState {
        PassState(std::function<void(std::size_t, MemberInput&&)> const& e, FileLevel f) : each(e), found(f) {}
        std::function<void(std::size_t, MemberInput&&)> const& each;
        FileLevel found;
        std::mutex mutex;
        std::size_t firstBad = std::numeric_limits<std::size_t>::max();
        std::exception_ptr bad;
        std::size_t firstInvalid = std::numeric_limits<std::size_t>::max();
        std::exception_ptr invalid;
        // A member's text is not JSON: the scan reads no further (what comes
        // after it is not told, and standard input may never end).
        std::atomic<bool> stop{false};
    };

    // Reads the members of a batch (after a problem already found, only the
    // text of those before it) and keeps their records with one write.
    void ReadBatch(Batch& batch, PassState& st) {
        if (batch.listed) {  // the values up to the first text that is not JSON; that one and those after alone
            auto next = batch.elements.begin();
            ParseMembers(batch.text, name, [&next](std::size_t, JsonDoc&& value) {
                while (!next->text) ++next;
                next->value = std::move(value), next->parsed = true;
                ++next;
            });
        }
        std::string bytes;
        std::vector<std::pair<std::size_t, std::size_t>> sizes;
        for (auto& e : batch.elements) {
            bool textOnly = false;
            {
                std::lock_guard<std::mutex> const lock(st.mutex);
                if (e.index > st.firstInvalid) break;
                textOnly = e.index > st.firstBad;
            }
            if (textOnly && !e.text) continue;  // the texts after it are still to be read
            if (e.text && !e.parsed) try {
                    e.value = JsonDoc::FromJson(
                        ParseMember(std::string_view(batch.text).substr(e.at, e.size), e.origin, name, e.index));
                } catch (...) {
                    std::lock_guard<std::mutex> const lock(st.mutex);
                    if (e.index < st.firstInvalid) st.firstInvalid = e.index, st.invalid = std::current_exception();
                    st.stop = true;
                    break;
                }
            if (textOnly) continue;
            try {
                std::string const path = ElementPath(list, e.index);
                auto m = ReadMember(Field(e.value, name, path), name, path, list ? st.found : FileLevel{});
                std::size_t const start = bytes.size();
                AppendRecord(m, bytes);
                sizes.emplace_back(e.index, bytes.size() - start);
                if (st.each) st.each(e.index, std::move(m));
            } catch (...) {
                std::lock_guard<std::mutex> const lock(st.mutex);
                if (e.index < st.firstBad) st.firstBad = e.index, st.bad = std::current_exception();
            }
        }
        Keep(bytes, sizes);
    }

    // The file's top value once scanned: a member alone (read here), or the
    // object holding the list of `count` members. Returns the members' count.
    std::size_t ReadTop(nlohmann::json&& top, std::size_t count, PassState& st) {
        JsonDoc const doc = JsonDoc::FromJson(top);
        Field const f(doc, name, "");
        if (!f.IsObject()) f.Fail("expected a member object or {\"members\": [...]}, found " + f.TypeName());
        list = top.contains("members");
        if (!list) {
            Batch alone;
            alone.elements.resize(1);
            alone.elements[0].value = doc;
            ReadBatch(alone, st);
            return 1;
        }
        level = LevelOf(top, name, TopRead::Whole);
        ObjectReader const obj = TopObject(f);
        obj.Require("members").Elements(std::numeric_limits<std::size_t>::max());
        if (count == 0) obj.Require("members").Fail("the list of members is empty");
        return count;
    }

    // One reading of the whole file, the members read on `jobs` threads with
    // the units given (or those read before the list); the first problem in
    // the order of the file is thrown. Sets `late` when units came after the
    // list.
    std::size_t Pass(int jobs, std::function<void(std::size_t, MemberInput&&)> const& each, FileLevel const* given,
                     bool& late) {
        Opened opened;
        JsonSource const source = Open(opened);
        Channel<Batch> queue(2 * static_cast<std::size_t>(jobs));
        std::size_t count = 0;
        PassState st(each, given ? *given : FileLevel{});
        auto read = [&](Batch& batch) { ReadBatch(batch, st); };
        std::vector<std::thread> pool;
        struct Join {
            Channel<Batch>& queue;
            std::vector<std::thread>& pool;
            ~Join() {
                queue.Close();
                for (auto& t : pool) t.join();
            }
        } const join{queue, pool};
        try {
            // The members are read in batches on the thread that scans the
            // file when the queue is full (so that --jobs 1 keeps to one
            // core, and the scanning thread shares the reading), and on
            // `jobs` - 1 threads beside it.
            for (int t = 1; t < jobs; ++t)
                pool.emplace_back([&] {
                    // The values read are let go here: the thread that
                    // scans the file, which alone cannot share its work,
                    // only makes them.
                    while (auto b = queue.Pop()) read(*b);
                });
        } catch (std::system_error const&) {}
        list = false;
        Batch batch;
        std::size_t batchBytes = 0;
        auto hand = [&] {
            if (batch.listed) batch.text += ']';
            if (pool.empty() || !queue.TryPush(batch)) read(batch);
            batch.elements.clear(), batch.text.clear(), batch.listed = false, batchBytes = 0;
        };
        // The text of a member that is not valid JSON is told first (in the
        // order of the file), then what the scan found after it.
        nlohmann::json top;
        std::exception_ptr scanned;
        try {
            top = ScanJson(
                source, name,
                [&](nlohmann::json&& value, MemberText* text, std::size_t i, nlohmann::json const& topSoFar,
                    std::size_t bytes) {
                    if (st.stop.load(std::memory_order_relaxed)) return false;
                    if (i == 0) {
                        if (!given) st.found = LevelOf(topSoFar, name, TopRead::SoFar);
                        list = true;
                    }
                    count = i + 1;
                    if (text && text->origin.cut && !batch.elements.empty()) hand();
                    AddToBatch(batch, std::move(value), text, i);
                    batchBytes += bytes;
                    if (batch.elements.size() >= kBatchMembers || batchBytes >= kBatchBytes) hand();
                    return true;
                },
                late);
        } catch (...) { scanned = std::current_exception(); }
        if (!batch.elements.empty()) hand();
        queue.Close();
        for (auto& t : pool) t.join();
        pool.clear();
        if (st.invalid) std::rethrow_exception(st.invalid);
        if (scanned) std::rethrow_exception(scanned);
        count = ReadTop(std::move(top), count, st);
        if (st.bad && (!late || given)) std::rethrow_exception(st.bad);
        return count;
    }
};

MemberStream::MemberStream(std::string const& file, std::string const* text) : m_(std::make_unique<Impl>()) {
    m_->file = file;
    m_->name = file == "-" ? "standard input" : file;
    m_->text = text;
}

MemberStream::~MemberStream() {
    m_->channel.Close();
    if (m_->reader.joinable()) m_->reader.join();
    if (m_->copy) std::fclose(m_->copy);
}

std::size_t MemberStream::Validate(int jobs, std::function<void(std::size_t, MemberInput&&)> const& each) {
    bool late = false;
    m_->keptOk = m_->text == nullptr;  // text in memory is read again from memory
    m_->validated = m_->Pass(std::max(1, jobs), each, nullptr, late);
    if (late) {
        // Units given after the list: the members are read again with them.
        FileLevel const level = m_->level;
        m_->records.clear();
        m_->validated = m_->Pass(std::max(1, jobs), each, &level, late);
    }
    m_->keptOk = m_->keptOk && m_->records.size() == m_->validated;
    return m_->validated;
}

MemberReader MemberStream::Next() {
    Impl& m = *m_;
    if (m.keptOk) return m.NextKept();
    if (!std::exchange(m.started, true))
        m.reader = std::thread([&m] {
            try {
                Opened opened;
                bool late = false;
                auto top = ScanJson(
                    m.Open(opened), m.name,
                    [&m](nlohmann::json&& value, MemberText* text, std::size_t i, nlohmann::json const&,
                         std::size_t) {
                        Element e;
                        e.value = JsonDoc::FromJson(text ? ParseMember(text->text, text->origin, m.name, i) : value);
                        e.index = i;
                        return m.channel.Push(std::move(e));
                    },
                    late);
                if (!m.list) {
                    Element e;
                    e.value = JsonDoc::FromJson(top);
                    m.channel.Push(std::move(e));
                }
            } catch (...) { m.error = std::current_exception(); }
            m.channel.Close();
        });
    if (m.changeTold) return {};
    // A member beyond those validated: the file changed between the readings.
    auto changed = [&m]() -> MemberReader {
        m.changeTold = true;
        m.channel.Close();
        auto const error = std::make_exception_ptr(m.Changed());
        return [error]() -> MemberInput { std::rethrow_exception(error); };
    };
    if (auto e = m.channel.Pop()) {
        if (e->index >= m.validated) return changed();
        ++m.given;
        auto value = std::make_shared<JsonDoc const>(std::move(e->value));
        std::string const path = ElementPath(m.list, e->index), name = m.name;
        auto const level = std::make_shared<FileLevel const>(m.list ? m.level : FileLevel{});
        return [value, path, name, level] { return ReadMember(Field(*value, name, path), name, path, *level); };
    }
    if (m.reader.joinable()) m.reader.join();
    // The file changed since it was validated: told once, as a member that
    // cannot be read.
    if (auto error = std::exchange(m.error, nullptr)) {
        m.changeTold = true;
        return [error]() -> MemberInput { std::rethrow_exception(error); };
    }
    if (m.given != m.validated) return changed();
    return {};
}

std::vector<MemberInput> ReadMemberFile(std::string const& jsonText, std::string const& fileName) {
    return ReadMemberFile(jsonText, fileName, 1);
}

std::vector<MemberInput> ReadMemberFile(std::string const& jsonText, std::string const& fileName, int jobs) {
    MemberStream stream(fileName, &jsonText);
    std::vector<MemberInput> out;
    std::mutex mutex;
    out.resize(stream.Validate(jobs, [&](std::size_t i, MemberInput&& m) {
        std::lock_guard<std::mutex> const lock(mutex);
        if (out.size() <= i) out.resize(i + 1);
        out[i] = std::move(m);
    }));
    return out;
}

}  // namespace s16app
