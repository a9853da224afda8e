// Engineering properties over seeded random valid members of every shape.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "CliRun.h"
#include "Tolerance.h"
#include "app/MemberFile.h"
#include "app/MemberRunner.h"
#include "app/Render.h"

namespace {

using s16app::MemberOutcome;

// A valid member of one of the six shapes, 350W, pinned at both ends, L (m), end actions (kN,
// kN*m) times k; mirrored: moments and shears turned round (the section upside down), N kept.
struct Generated {
    std::string section;
    double L, N, Vy, Mx1, Mx2, My;
    std::string Json(double k = 1.0, double lengthFactor = 1.0, bool mirrored = false) const {
        double const s = mirrored ? -k : k;
        using std::to_string;
        auto end = [&](double Mx) {
            return R"({"N": )" + to_string(k * N) + R"(, "Vy": )" + to_string(s * Vy) + R"(, "Mx": )" + to_string(s * Mx) +
                   R"(, "My": )" + to_string(s * My) + "}";
        };
        return clitest::Pinned(section, to_string(L * lengthFactor), R"(, "subspans": [{"left": )" + end(Mx1) +
                               R"(, "right": )" + end(Mx2) + "}]");
    }
};

struct Generator {
    std::mt19937 m_rng;
    double U(double a, double b) { return std::uniform_real_distribution<double>(a, b)(m_rng); }
    Generated Next(int shape) {
        char buf[160];
        double const D = std::round(U(150, 600)), B = std::round(U(100, 300)), t = std::round(U(6, 20) * 10) / 10;
        switch (shape % 6) {
            case 0: std::snprintf(buf, sizeof buf, "I D=%g B=%g T=%g Tw=%g R=10", D, B, t, std::round(t * 6) / 10); break;
            case 1: std::snprintf(buf, sizeof buf, "C D=%g B=%g T=%g Tw=%g R=8", D, B / 3, t, std::round(t * 7) / 10); break;
            case 2: std::snprintf(buf, sizeof buf, "T D=%g B=%g T=%g Tw=%g R=8", D / 2, B, t, std::round(t * 7) / 10); break;
            case 3: std::snprintf(buf, sizeof buf, "RHS D=%g B=%g t=%g", D / 2, B / 2, t / 2); break;
            case 4: std::snprintf(buf, sizeof buf, "CHS D=%g t=%g", D / 2, t / 2); break;
            default: std::snprintf(buf, sizeof buf, "L D=%g B=%g t=%g R=8", B / 2, B / 3, t); break;
        }
        return {buf, U(2, 8), U(-300, 100), U(-50, 50), U(-60, 60), U(-60, 60), U(-5, 5)};
    }
};

MemberOutcome Check(std::string const& json, bool text = false) {
    s16app::RunOptions options;
    options.text = text;
    return s16app::CheckMember(s16app::ReadMemberFile(json, "gen.json").at(0), options);
}
}  // namespace

// Every action times k > 1 never lowers a utilisation nor turns a FAIL into a PASS; a longer
// member never has a higher Cr or Mr in any span; a mirrored I, RHS or CHS changes nothing.
TEST(Properties, LoadLengthAndSymmetry) {
    Generator gen{std::mt19937(17)};
    for (int i = 0; i < 240; ++i) {  // 40 of each shape
        Generated const g = gen.Next(i);
        double const k = gen.U(1.01, 3.0), f = gen.U(1.05, 2.0);
        SCOPED_TRACE(g.Json() + " k = " + std::to_string(k) + ", length x " + std::to_string(f));
        MemberOutcome const base = Check(g.Json(), true), more = Check(g.Json(k)), longer = Check(g.Json(1, f), true);
        auto const& a = base.cases[0];
        ASSERT_EQ(a.maxima.size(), more.cases[0].maxima.size());
        for (std::size_t u = 0; u < a.maxima.size(); ++u)
            EXPECT_GE(more.cases[0].maxima[u].second, a.maxima[u].second * (1 - 1e-9)) << u;
        EXPECT_GE(more.cases[0].utilisation, a.utilisation * (1 - 1e-9));
        EXPECT_FALSE(!base.Pass() && more.Pass());
        ASSERT_EQ(a.spans.size(), longer.cases[0].spans.size());
        ASSERT_FALSE(a.spans.empty());
        for (std::size_t s = 0; s < a.spans.size(); ++s) {
            EXPECT_LE(longer.cases[0].spans[s].Cr, a.spans[s].Cr * (1 + 1e-9)) << a.spans[s].kind;
            EXPECT_LE(longer.cases[0].spans[s].Mr, a.spans[s].Mr * (1 + 1e-9)) << a.spans[s].kind;
        }
        if (i % 6 != 0 && i % 6 != 3 && i % 6 != 4) continue;
        MemberOutcome const mirrored = Check(g.Json(1, 1, true));
        auto const& m = mirrored.cases[0].maxima;
        for (std::size_t u = 0; u < a.maxima.size(); ++u)
            if (a.maxima[u].second > 1e-9 || m[u].second > 1e-9) { EXPECT_REL(m[u].second, a.maxima[u].second) << u; }
    }
}

TEST(Properties, JobsGiveIdenticalOutputAndJsonMatchesTheTextSummary) {
    Generator gen{std::mt19937(31)};
    std::string file = R"({"members": [)";
    for (int i = 0; i < 60; ++i) file += (i ? "," : "") + gen.Next(i).Json(gen.U(0.5, 4.0));
    clitest::WriteFile("gen.json", file + "]}");
    for (char const* format : {"text", "json", "jsonl", "html", "csv"}) {
        auto const one = clitest::RunCli(std::string("check gen.json --jobs 1 --format ") + format),
                   four = clitest::RunCli(std::string("check gen.json --jobs 4 --format ") + format);
        EXPECT_TRUE(one.out == four.out && one.status == four.status && one.err == four.err) << format;
    }
    auto const text = clitest::RunCli("check gen.json").out;
    auto const json = clitest::ParseOutput(clitest::RunCli("check gen.json --format json"));
    std::size_t at = 0;
    for (auto const& m : json["members"]) {
        at = text.find("  Overall: ", at);
        ASSERT_NE(at, std::string::npos);
        at += 11;
        auto const& u = m["utilisation"];  // +infinity is null
        EXPECT_EQ(text.substr(at, text.find(' ', at) - at), u.is_null() ? "inf" : s16app::UtilText(u));
        EXPECT_EQ(text.substr(text.find('\n', at) - 4, 4), m["pass"].get<bool>() ? "PASS" : "FAIL");
    }
    EXPECT_EQ(text.find("  Overall: ", at), std::string::npos);
}
