// Number formatting of the report and steel grades by thickness.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>

#include "Tolerance.h"
#include "framework/DesFormat.h"
#include "framework/SteelGrade.h"

using Corvid::Steel::CSteelGrade;
using Corvid::Util::CDesFormat;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
}  // namespace

TEST(DesFormat, EngineeringUnitsRatiosAndNonFiniteValues) {
    CDesFormat const f;
    // 6 m -> "6.000 m"; 0.303 m -> 303.0 mm; 7.59e-3 m^2 -> 7590 mm^2.
    EXPECT_EQ(f.Length(6.0), L"6.000 m");
    EXPECT_EQ(f.LengthSmall(0.303), L"303.0 mm");
    EXPECT_EQ(f.AreaCS(7.59e-3), L"7590 mm²");
    // 844e3 mm^3 = 8.44e-4 m^3; 128e6 mm^4 = 1.28e-4 m^4; 383e9 mm^6 = 3.83e-7 m^6.
    EXPECT_EQ(f.LCubed(8.44e-4), L"844.0 x10³ mm³");
    EXPECT_EQ(f.LFourth(1.28e-4), L"128.0 x10⁶ mm⁴");
    EXPECT_EQ(f.LSixth(3.83e-7), L"383.0 x10⁹ mm⁶");
    // 1 234 600 N = 1235 kN (four figures); 250 000 N.m = 250.0 kN.m; 350e6 Pa = 350.0 MPa.
    EXPECT_EQ(f.Force(1234600.0), L"1235 kN");
    EXPECT_EQ(f.Moment(-250000.0), L"-250.0 kN·m");
    EXPECT_EQ(f.Stress(350e6), L"350.0 MPa");
    // Four significant figures keep trailing zeros and drop a decimal when
    // rounding carries into a new digit: 9.9996 -> 10.00.
    EXPECT_EQ(f.Length(9.9996), L"10.00 m");
    EXPECT_EQ(f.Length(0.0), L"0.000 m");
    EXPECT_EQ(f.Length(-0.0), L"0.000 m");  // never "-0.000"
    // Ratios: three decimals, no negative zero.
    EXPECT_EQ(f.NoDim(1.5), L"1.500");
    EXPECT_EQ(f.Util(0.95449), L"0.954");
    EXPECT_EQ(f.Util(-0.0001), L"0.000");
    EXPECT_EQ(f.Int(-3), L"-3");
    EXPECT_EQ(f.Util(kInf), L"infinity");
    EXPECT_EQ(f.Force(-kInf), L"-infinity");
    EXPECT_EQ(f.Length(std::numeric_limits<double>::quiet_NaN()), L"NaN");
    // Huge and tiny values switch to exponent form instead of long digit runs.
    EXPECT_NE(Corvid::CString(f.NoDim(1e300)).find(L"e+300"), std::wstring::npos);
    EXPECT_EQ(f.Force(1e20), L"1.000e+17 kN");
}

TEST(DesFormat, LinesJoinedAtOnceAndLongerThanTheirBufferKeepTheirText) {
    // Five report lines alive in one expression (a thread has four line
    // buffers: the fifth has its own), two grown past a buffer's 256
    // characters: each keeps its own text, as the standard strings give it.
    CDesFormat const f;
    std::wstring const tail(300, L'x');
    std::wstring const joined = (L"a" + f.Int(1) + tail) + (L"b" + f.Int(2)) + (L"c" + f.Int(3)) + (L"d" + f.Int(4)) +
                                (L"e" + f.Int(5) + tail);
    EXPECT_EQ(joined, L"a1" + tail + L"b2c3d4e5" + tail);
}

TEST(DesFormat, FixedPointTextIsCorrectlyRounded) {
    // The C library's "%.*f" rounds the exact binary value; the formatter must print the same digits, ties included
    // (0.0125 is stored a little above 1/80 and prints "0.013"; 0.0625 is exact and rounds to even).
    auto printf = [](double v, int d, bool signedZero = false) {  // without a negative zero unless asked
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*f", d, v);
        return std::string(buf + (!signedZero && buf[0] == '-' &&
                                  std::string(buf).find_first_not_of("-0.") == std::string::npos));
    };
    EXPECT_EQ(CDesFormat::Fixed(0.0125, 3), L"0.013");
    EXPECT_EQ(CDesFormat::Fixed(0.0625, 3), L"0.062");
    EXPECT_EQ(CDesFormat::Fixed(-0.0004, 3), L"0.000");
    // FixedAsPrintf (the host's tables): printf's text, negative zero included, or none (at a tie, not finite, 1e15).
    auto quick = [](double v, int d) {
        char buf[32], *end = Corvid::Util::FixedAsPrintf(buf, v, d);
        return end ? std::string(buf, end) : std::string("none");
    };
    for (auto const& [v, d, text] : {std::tuple{2.3456, 2, "2.35"}, {-0.0004, 3, "-0.000"}, {-0.0, 1, "-0.0"},
                                     {12345.678, 0, "12346"}, {0.0625, 3, "none"}, {NAN, 3, "none"}, {1e15, 0, "none"}})
        EXPECT_EQ(quick(v, d), text) << v;
    std::mt19937_64 rng(20261206);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 11), decimals(0, 9);
    for (int i = 0; i < 200000; ++i) {
        double const v = mantissa(rng) * std::pow(10.0, exponent(rng));
        // Also values sitting on a tie of the printed decimals.
        int const d = decimals(rng);
        double const tie = (std::floor(v * std::pow(10.0, d)) + 0.5) / std::pow(10.0, d);
        for (double x : {v, tie}) {
            if (std::string const q = quick(x, d); q != "none") { ASSERT_EQ(q, printf(x, d, true)) << x << " " << d; }
            if (std::fabs(x) >= 1e12) continue;
            ASSERT_EQ(Corvid::Narrow(CDesFormat::Fixed(x, d)), printf(x, d)) << x << " " << d;
        }
    }
}

TEST(SteelGrade, BuiltInGrades) {
    // CSA G40.21 350W: Fy 350 MPa, Fu 450 MPa; plate over 65 mm: Fy 320 MPa.
    CSteelGrade const g(L"350W");
    EXPECT_EQ(g.Name(), L"CSA G40.21 350W");
    EXPECT_REL(g.DesignStrength(0.065), 350e6);
    EXPECT_REL(g.DesignStrength(0.0651), 320e6);
    EXPECT_REL(g.TensileStrength(0.100), 450e6);
    EXPECT_REL(g.YoungsModulus(), 200000e6);
    EXPECT_REL(g.ShearModulus(), 77000e6);
    // ASTM A992: 345 / 450 MPa; A36: 250 / 400 MPa; G40.21 300W 300 / 450.
    EXPECT_REL(CSteelGrade(L"ASTM A992").DesignStrength(0.01), 345e6);
    EXPECT_REL(CSteelGrade(L"ASTM_A36").TensileStrength(0.01), 400e6);
    EXPECT_REL(CSteelGrade(L"csa g40.21-300w").DesignStrength(0.2), 300e6);
    EXPECT_REL(CSteelGrade(L"A572 Gr 50").DesignStrength(0.01), 345e6);
    EXPECT_REL(CSteelGrade(L"480W").TensileStrength(0.01), 590e6);
    EXPECT_REL(CSteelGrade(L"350A").TensileStrength(0.01), 480e6);
    auto const text = g.GetString(CDesFormat(), 0.080);  // the report names the grade and Fy over 65 mm
    EXPECT_NE(text.find(L"CSA G40.21 350W"), std::wstring::npos);
    EXPECT_NE(text.find(L"Fy = 320.0 MPa"), std::wstring::npos);
    // CSA G40.21 345WM 345/450, 350WT 350/480; ASTM A500 Gr C 345/427 (round tubes Fy 317), A1085 345/448, A53 Gr B
    // 240/415, A913 Gr 50 345/448 and Gr 65 450/550 (MPa). Names: case, spaces, prefix and "Grade" forgiven.
    struct Case { wchar_t const* given; wchar_t const* name; double Fy, Fu, roundFy; };
    Case const cases[] = {
        {L"345WM", L"CSA G40.21 345WM", 345, 450, 345}, {L"g40.21 350wt", L"CSA G40.21 350WT", 350, 480, 350},
        {L"A500 Grade C", L"ASTM A500 Gr C", 345, 427, 317},   {L"ASTM A1085", L"ASTM A1085", 345, 448, 345},
        {L"a53 gr b", L"ASTM A53 Gr B", 240, 415, 240},        {L"A913 Grade 50", L"ASTM A913 Gr 50", 345, 448, 345},
        {L"ASTM A913 Gr. 65", L"ASTM A913 Gr 65", 450, 550, 450},
    };
    for (Case const& k : cases) {
        SCOPED_TRACE(Corvid::Narrow(k.given));
        CSteelGrade const g(k.given);
        EXPECT_EQ(g.Name(), k.name);
        EXPECT_REL(g.DesignStrength(0.01), k.Fy * 1e6);
        EXPECT_REL(g.TensileStrength(0.01), k.Fu * 1e6);
        EXPECT_REL(g.ForRoundTube().DesignStrength(0.01), k.roundFy * 1e6);
    }
    // A user grade may take a built-in name with its strengths only.
    EXPECT_NO_THROW(CSteelGrade(L"350W", 350e6, 450e6));
    EXPECT_NO_THROW(CSteelGrade(L"A500 Gr C", 317e6, 427e6));
    try {
        CSteelGrade const g(L"350W", 380e6, 450e6);
        FAIL() << "a built-in name took other strengths";
    } catch (std::invalid_argument const& e) {
        EXPECT_NE(std::string(e.what()).find("the name of the built-in grade CSA G40.21 350W"), std::string::npos);
    }
}

TEST(SteelGrade, UserDefinedAndUnknownGrades) {
    CSteelGrade const g(L"Mill cert", 385e6, 495e6);
    EXPECT_REL(g.DesignStrength(0.2), 385e6);
    EXPECT_REL(g.TensileStrength(0.001), 495e6);
    EXPECT_THROW(CSteelGrade(L"bad", 0.0, 450e6), std::invalid_argument);
    EXPECT_THROW(CSteelGrade(L"bad", 350e6, std::numeric_limits<double>::quiet_NaN()), std::invalid_argument);
    EXPECT_THROW(CSteelGrade(L"bad", 450e6, 350e6), std::invalid_argument);
    try {
        CSteelGrade const u(L"S355");
        FAIL() << "an unknown grade was accepted";
    } catch (std::invalid_argument const& e) {  // the message lists the known grades
        std::string const msg = e.what();
        EXPECT_NE(msg.find("S355"), std::string::npos);
        EXPECT_NE(msg.find("CSA G40.21 350W"), std::string::npos);
        EXPECT_NE(msg.find("ASTM_A36"), std::string::npos);
    }
}
