// Reduced moment resistance M'r of class 4 sections (CSA S16-09 cl. 13.5(c), 14.3.4), the shear checks of the
// cross-section (cl. 13.4) and the St Venant torsional capacity. Hand calculations in mm, MPa, kN, kN·m (the
// calculators: m, Pa, N, N·m). Grade 350W: Fy = 350 MPa for every thickness here, sqrt(350) = 18.7083.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestSections.h"
#include "Tolerance.h"

using Corvid::CString;
using namespace Corvid::Steel;
using namespace Corvid::Steel::SteelCSAS1609;

namespace {

using s16test::ExpectReport;
using s16test::LoadCalc;

constexpr double kN = 1e3;
constexpr double kNm = 1e3;
constexpr double kInf = Corvid::Design::kInfinity;

std::string Text(CMemberResult const& r) { return Corvid::Narrow(r.GetMarkup()); }

// Welded plate girder of most M'r cases, D = 1000, B = 300, T = 20, Tw = 6:
//   hw/tw = 960/6 = 160 > 1900/18.7083 = 101.56 (web class 4 in flexure);
//   flange 150/20 = 7.5 <= 145/18.7083 = 7.75 (class 1)
//   A = 2*300*20 + 960*6 = 17 760 mm², Ixx = 2*(300*20³/12 + 6000*490²) + 6*960³/12 = 3 323 968 000 mm⁴
//   S = Ixx/500 = 6 647 936 mm³, Mr = 0.9*6 647 936*350 = 2094.09984 kN·m
//   Aw = 960*6 = 5760 mm², Af = 300*20 = 6000 mm², Aw/Af = 0.96
constexpr wchar_t const* kGirder = L"I D=1000 B=300 T=20 Tw=6 R=0 fab=welded";
// Rolled W310x60-like I: hw = 303 - 2*13.1 = 276.8, hw/tw = 36.907 <= 1014/sqrt(350) = 54.201, fs = 0.66*350 = 231 MPa,
// rolled h = D = 303: Vr = 0.9*303*7.5*231 = 472 452.75 N.
constexpr wchar_t const* kRolledI = L"I D=303 B=203 T=13.1 Tw=7.5 R=15";
constexpr wchar_t const* kChannel = L"C D=300 B=100 T=15 Tw=10 R=0";
constexpr wchar_t const* kTee = L"T D=150 B=200 T=15 Tw=10 R=0";

}  // namespace

// Without a class 4 element for the axis (W310x60-like I: flanges 101.5/13.1 = 7.75, web 276.8/7.5 = 36.9), for a round
// tube, and for an invalid class (a tube set to fabrication type 3: no flange class; webs 380/3 = 126.7 class 4), M'r
// is the ordinary Mr with its own report (Mrxx about both axes of the tubes).
TEST(ReducedMoment, WithoutClassFourTheOrdinaryResistanceAnswers) {
    // headX, headY: the start of the report (the whole report without resistance).
    struct Case { wchar_t const* text; bool tube, resists; int fab; std::string headX, headY; } const cases[] = {
        {kRolledI, false, true, 0, "Determine moment capacity Mrxx\n", "Determine moment capacity Mryy\n"},
        {L"CHS D=168 t=6", true, true, 0, "Determine moment capacity Mrxx\n", "Determine moment capacity Mrxx\n"},
        {L"RHS D=400 B=200 tf=10 tw=3", true, false, 3,
         "Determine moment capacity Mrxx\n\t<i>ref. CSA S16-09 cl.13.5</i>\n",
         "Determine moment capacity Mrxx\n\t<i>ref. CSA S16-09 cl.13.5</i>\n"},
    };
    for (Case const& k : cases) {
        SCOPED_TRACE(Corvid::Narrow(k.text));
        auto c = LoadCalc(k.text);
        dynamic_cast<Corvid::Steel::CDesSectGeom&>(*c).SetFabricationType(k.fab);
        c->SetMomentXX(100 * kNm);
        c->SetMomentYY(30 * kNm);
        CMemberResult dx, dy, mx, my;
        double const Mrx = c->Mrxx(&mx), Mry = k.tube ? c->Mrxx(&my) : c->Mryy(&my);
        EXPECT_EQ(c->MrDashxx(&dx), Mrx);
        EXPECT_EQ(c->MrDashyy(&dy), Mry);
        EXPECT_EQ(c->MrDashxx(nullptr), Mrx);
        EXPECT_EQ(Text(dx), Text(mx));
        EXPECT_EQ(Text(dy), Text(my));
        EXPECT_EQ(Mrx > 0.0 && Mry > 0.0, k.resists);
        EXPECT_EQ(k.resists ? Text(dx).substr(0, k.headX.size()) : Text(dx), k.headX);
        EXPECT_EQ(k.resists ? Text(dy).substr(0, k.headY.size()) : Text(dy), k.headY);
    }
    // A single angle offers no bending resistance and writes nothing.
    auto angle = LoadCalc(L"L D=100 B=75 t=8 R=8");
    CMemberResult r;
    EXPECT_EQ(angle->MrDashxx(&r), 0.0);
    EXPECT_EQ(angle->MrDashyy(&r), 0.0);
    EXPECT_EQ(Text(r), "");
}

// M'r = Mr (1 - 0.0005 Aw/Af (hw/tw - 1900 m/sqrt(Mu/(Phi S)))), limited to 0 <= M'r <= Mr, m = 1 - 0.065 Cu/(Phi Cy)
// under compression, else 1.
TEST(ReducedMoment, ClassFourWebReducesMr) {
    // Girder, Mx = 1500 kN·m: Mu/(Phi S) = 1500e6/(0.9*6 647 936) = 250.704 MPa, 1900/sqrt(250.704) = 119.996: M'r =
    // 2094.09984*(1 - 0.0005*0.96*(160 - 119.996)) = 2053.891 kN·m. Tension leaves it and its report unmodified.
    CString const head = L"Determine moment capacity M'r_xx\n\t<i>ref. CSA S16-09 cl.13.5</i>\n"
                         L"\tFlange class: <b>Class 1</b>, Web class: <b>Class 4</b>\n"
                         L"\tS = 6648 x10³ mm³, fy = 350.0 MPa\n\tMrxx = Phi*S*fy\n"
                         L"\t     = 0.900*6648 x10³ mm³*350.0 MPa\n\t     = 2094 kN·m\n";
    CString const plain = head + L"\tAw = 5760 mm², Af = 6000 mm²\n"
                                 L"\tM'r_xx = Mr*(1-0.0005*Aw/Af*(hw/tw-1900/sqrt(Mu/(Phi*S))))\n"
                                 L"\t       = 2094 kN·m*(1-0.0005*5760 mm²/6000 mm²*(160.000-1900/sqrt(250.7 MPa)))\n"
                                 L"\t       = 2054 kN·m\n";
    // Mx, MrDash in kN·m, N in kN (tension positive).
    struct Case { wchar_t const* text; double Mx, N, MrDash; std::vector<CString> lines; bool whole = false; };
    Case const cases[] = {
        {kGirder, 1500, 0, 2053.89073316107, {plain}, true},
        // N = +100 raises the web limit only to (1 + 0.65*100/(0.9*6216))*101.56 = 102.7: still class 4.
        {kGirder, 1500, 100, 2053.89073316107, {plain}, true},
        // N = -500 (the web stays class 4: (1 - 0.65*500/(0.9*6216))*101.56 = 95.7 < 160): Cy = 17 760*350 = 6216 kN, m
        // = 1 - 0.065*500/(0.9*6216) = 0.994191, M'r = 2094.09984*(1 - 0.0005*0.96*(160 - 1900*0.994191/sqrt(250.704)))
        // = 2053.190 kN·m.
        {kGirder, 1500, -500, 2053.190018655783,
         {head + L"\tAw = 5760 mm², \tAf = 6000 mm²\n\tCy = 6216 kN\n\tMod_Factor = 1-0.065*Cu/(dPhi*Cy)\n"
                  L"\t           = 1-0.065*500.0 kN/(0.900*6216 kN)\n\t           = 0.994\n"
                  L"\tM'r_xx = Mr*(1-0.0005*Aw/Af*(hw/tw-1900*Mod_Factor/sqrt(Mu/(Phi*S))))\n"
                  L"\t       = 2094 kN·m*(1-0.0005*5760 mm²/6000 mm²*(160.000-1900*0.994/sqrt(250.7 MPa)))\n"
                  L"\t       = 2053 kN·m\n"}, true},
        // Mx = 50: 50e6/(0.9*6 647 936) = 8.357 MPa, 1900/sqrt(8.357) = 657.3 > 160: the bracket exceeds 1 (2593.9
        // kN·m); M'r = Mr, with compression too.
        {kGirder, 50, 0, 2094.09984, {L"-1900/sqrt(8.357 MPa)))\n\t       = 2094 kN·m\n"}},
        {kGirder, 50, -500, 2094.09984, {}},
        // Mu = 0: the square root vanishes; M'r = Mr, every line written.
        {kGirder, 0, 0, 2094.09984, {L"/sqrt(0.000 MPa)))\n\t       = 2094 kN·m\n"}},
        {kGirder, 0, -500, 2094.09984, {L"/sqrt(0.000 MPa)))\n\t       = 2094 kN·m\n"}},
        // Monosymmetric, flange 1 (top) 200x20, flange 2 300x20: A = 15 760, ybar = (6000*10 + 5760*500 +
        // 4000*990)/15 760 = 437.817, Ixx = 2 782 762 247, S = Ixx/(1000 - 437.817) = 4 949 924.7, Mr = 1559.2263 kN·m;
        // |Mx| = 1200: 269.364 MPa, 1900/sqrt(.) = 115.766. Mx > 0 compresses flange 2, Af = 6000: 1559.2263*(1 -
        // 0.0005*0.96*44.234) = 1526.1208; Mx < 0 flange 1, Af = 4000: 1559.2263*(1 - 0.0005*1.44*44.234) = 1509.5680
        // kN·m.
        {L"I D=1000 B1=200 T1=20 B2=300 T2=20 Tw=6 R=0 fab=welded", 1200, 0, 1526.1207942894605,
         {L"Af = 6000 mm²\n"}},
        {L"I D=1000 B1=200 T1=20 B2=300 T2=20 Tw=6 R=0 fab=welded", -1200, 0, 1509.56804813848, {L"Af = 4000 mm²\n"}},
        // D = 1500, B = 100, T = 5, Tw = 6: flanges 10 (class 3), web 1490/6 = 248.3 (class 4), Aw/Af = 8940/500 =
        // 17.88; Ixx = 2 212 732 833, S = Ixx/750 = 2 950 310, Mr = 929.348; Mx = 900: 338.95 MPa, 1900/sqrt(.) =
        // 103.20; 1 - 0.0005*17.88*145.13 = -0.297: M'r = 0.
        {L"I D=1500 B=100 T=5 Tw=6 R=0 fab=welded", 900, 0, 0.0, {L"\t       = 0.000 kN·m\n"}},
        // RHS D=400 B=200 tf=10 tw=3, formed (h = D - 4 tf): webs 360/3 = 120 > 101.56, flanges (200 - 12)/10 = 18.8
        // (class 1); Ixx = (200*400³ - 194*380³)/12 = 179 569 333, S = 897 847 mm³, Mr = 282.822 kN·m; Aw = 2*360*3 =
        // 2160, Af = 10*200 = 2000; Mx = 250: 309.38 MPa, 1900/sqrt(.) = 108.02: 282.822*(1 - 0.0005*1.08*11.98) =
        // 280.992.
        {L"RHS D=400 B=200 tf=10 tw=3", 250, 0, 280.99213693111005,
         {L"Determine moment capacity M'r_xx\n\t<i>ref. CSA S16-09 cl.13.5</i>\n"
          L"\tFlange class: <b>Class 1</b>, Web class: <b>Class 4</b>\n\tS = 897.8 x10³ mm³, fy = 350.0 MPa\n"
          L"\tMr = Phi*Ze*fy\n\t     = 0.900*897.8 x10³ mm³*350.0 MPa\n\t     = 282.8 kN·m\n"
          L"\tAw = 2160 mm², Af = 2000 mm²\n\tM'r_xx  = Mr*(1-0.0005*Aw/Af*(hw/tw-1900/sqrt(Mu/(Phi*S))))\n"
          L"\t       = 282.8 kN·m*(1-0.0005*2160 mm²/2000 mm²*(120.000-1900/sqrt(309.4 MPa)))\n"
          L"\t       = 281.0 kN·m\n"}, true},
    };
    for (Case const& k : cases) {
        SCOPED_TRACE(Corvid::Narrow(k.text) + " Mx " + std::to_string(k.Mx) + " N " + std::to_string(k.N));
        auto c = LoadCalc(k.text);
        c->SetMomentXX(k.Mx * kNm);
        c->SetForceAxial(k.N * kN);
        CMemberResult r, quiet;
        quiet.EnableText(false);
        for (CMemberResult* res : {&r, static_cast<CMemberResult*>(nullptr), &quiet})
            EXPECT_REL(c->MrDashxx(res), k.MrDash * kNm);
        EXPECT_EQ(Text(quiet), "");
        ExpectReport(r, k.lines, k.whole);
        for (wchar_t const* bad : {L"infinity", L"NaN"}) EXPECT_EQ(r.GetMarkup().find(bad), CString::npos) << Text(r);
    }
}

// Class 4 flanges: Mr = Phi Se fy with the effective modulus, the I's compression flange chosen by the sign of Mx; the
// rest has no resistance here.
TEST(ReducedMoment, EffectiveSectionsAndUnsupportedCombinations) {
    CString const head = L"Determine moment capacity M'r_xx\n\t<i>ref. CSA S16-09 cl.13.5</i>\n";
    CString const both = L"\tFlange class: <b>Class 4</b>, Web class: <b>Class 4</b>\n";
    CString const notYet = L"\tThese sections are not yet supported.</red>\n";
    CString const channelHead = L"Determine moment capacity M'r_yy\n\t<i>ref. CSA S16-09 cl.13.5</i>\n"
                                L"\tFlange class: <b>Class 1</b>, Web class: <b>Class 4</b>\n";
    // Moments in kN·m; minor: M'r_yy.
    struct Case { wchar_t const* text; double Mx, My; bool minor; double MrDash; std::vector<CString> lines;
                  bool whole = true; };
    Case const cases[] = {
        // B = 500: flange 250/20 = 12.5 > 200/18.7083 = 10.69 (class 4); web 160 (class 4).
        {L"I D=1000 B=500 T=20 Tw=6 R=0 fab=welded", 1000, 0, false, 0.0,
         {head + both + L"\t<red> Both the web and flanges are class 4.\n" + notYet + L"M'r_xx = 0.000 kN·m\n"}},
        // C D=600 B=250 T=10 Tw=3.5: flanges 25, web 165.7, both class 4 about either axis.
        {L"C D=600 B=250 T=10 Tw=3.5 R=0 fab=welded", 100, 0, false, 0.0,
         {head + both + L"\t<red>Both the web and flanges are class 4.\n" + notYet + L"M'r_xx = 0.000 kN·m\n"}},
        {L"C D=600 B=250 T=10 Tw=3.5 R=0 fab=welded", 100, 0, true, 0.0, {L"\t<red>Both the web and flanges"}, false},
        // T D=300 B=200 T=15 Tw=5: stem 60 > 340/18.7083 = 18.17 (class 4), flange 6.67 (class 1); the report:
        // tests/golden/check_tee.txt.
        {L"T D=300 B=200 T=15 Tw=5 R=0", -20, 0, false, 0.0, {}, false},
        // C D=600 B=100 T=15 Tw=3.5: flanges 6.67 (class 1), web 570/3.5 = 162.9 (class 4): no minor-axis resistance;
        // the message only when the web side is in compression (My < 0).
        {L"C D=600 B=100 T=15 Tw=3.5 R=0 fab=welded", 0, -10, true, 0.0,
         {channelHead + L"\t<red> Web is class 4 and it is subjected to compression.\n" + notYet +
          L"M'r_yy = 0.000 kN·m\n"}},
        {L"C D=600 B=100 T=15 Tw=3.5 R=0 fab=welded", 0, 0, true, 0.0, {channelHead}},  // My = 0: no message
        // D = 500, B = 500, T = 20, Tw = 10: web 46 (class 1), flanges 12.5 (class 4); Mx > 0 compresses flange 2. A =
        // 24 600, Ixx = 1 233 780 000; be = min(120*20, 200*20/18.7083) = 213.809, lost w = 500 - 2*213.809 = 72.382,
        // Ae = 24 600 - 72.382*20 = 23 152.36, ye = (250*24 600 - 1447.64*10)/23 152.36 = 265.006, Ie = 24 600*250² +
        // Ixx - (10²*1447.64 + 20³*72.382/12) - 265.006²*23 152.36 = 1 145 133 937, Se = min(Ie/234.994, Ie/265.006) =
        // 4 321 156, Mr = 0.9*4 321 156*350 = 1361.164 kN·m.
        {L"I D=500 B=500 T=20 Tw=10 R=0 fab=welded", 500, 0, false, 1361.1640498813454,
         {head + L"\tFlange class: <b>Class 4</b>, Web class: <b>Class 1</b>\n\tSe = 4321 x10³ mm³\n\tfy = 350.0 MPa\n"
                 L"\tMrxx = Phi*Se*fy\n\t     = 0.900*4321 x10³ mm³*350.0 MPa\n\t     = 1361 kN·m\n"}},
        // D = B = 300, T = 12, Tw = 10: outstands 150/12 = 12.5 (class 4 in minor-axis bending); My > 0 compresses the
        // +x outstands. A = 9960, Iyy = 2*12*300³/12 + 276*10³/12 = 54 023 000; be = min(200*12/18.7083, 60*12, 150) =
        // 128.2854, w = 21.7146, Ae = 9960 - 2*21.7146*12 = 9438.850; first moment 2*(128.2854 +
        // 21.7146/2)*(21.7146*12) = 72 514.29, x̄e = -7.68253; Ie = Iyy - 2*(139.1427²*260.5752 + 21.7146³*12/12) -
        // 7.68253²*9438.850 = 43 355 595; Se = Ie/(|x̄e| + 150) = 274 955 mm³, Mr = 0.9*274 955*350 = 86.611 kN·m.
        {L"I D=300 B=300 T=12 Tw=10 R=0 fab=welded", 0, 20, true, 86.61081300,
         {L"M'r_yy\n\t<i>ref. CSA S16-09 cl.13.5</i>\n\tFlange class: <b>Class 4</b>\n\tSe = 275.0 x10³ mm³\n",
          L"\tMryy = Phi*Se*fy\n\t     = 0.900*275.0 x10³ mm³*350.0 MPa\n\t     = 86.61 kN·m\n"}, false},
    };
    for (Case const& k : cases) {
        SCOPED_TRACE(Corvid::Narrow(k.text) + " Mx " + std::to_string(k.Mx) + " My " + std::to_string(k.My));
        auto c = LoadCalc(k.text);
        c->SetMomentXX(k.Mx * kNm);
        c->SetMomentYY(k.My * kNm);
        CMemberResult r;
        EXPECT_REL(k.minor ? c->MrDashyy(&r) : c->MrDashxx(&r), k.MrDash * kNm);
        EXPECT_REL(k.minor ? c->MrDashyy(nullptr) : c->MrDashxx(nullptr), k.MrDash * kNm);
        ExpectReport(r, k.lines, k.whole);
    }
    EXPECT_REL(LoadCalc<CSectionCalcI>(cases[7].text)->ZyyEffective(), 86.61081300 * kNm / (0.9 * 350e6));  // Se above
    // I D=400 B1=300 T1=10 B2=150 T2=15 Tw=10 at 350 MPa: top outstand 150/10 = 15 > 200/18.708 = 10.69 (class 4),
    // bottom 75/15 = 5 (class 1), web 375/10 = 37.5 <= 58.8 (class 1). A negative Mx compresses the top flange: the
    // class 4 path; a positive or zero one the bottom: the ordinary Mrxx.
    auto c = LoadCalc<CSectionCalcI>(L"I D=400 B1=300 T1=10 B2=150 T2=15 Tw=10");
    CMemberResult top, bottom;
    c->SetMomentXX(-100e3);
    c->MrDashxx(&top);
    c->SetMomentXX(0.0);
    c->MrDashxx(&bottom);
    EXPECT_EQ(top.GetMarkup().rfind(L"Determine moment capacity M'r_xx\n", 0), 0u);
    EXPECT_NE(top.GetMarkup().find(L"Flange class: <b>Class 4</b>, Web class: <b>Class 1</b>"), CString::npos);
    EXPECT_EQ(bottom.GetMarkup().rfind(L"Determine moment capacity Mrxx\n", 0), 0u);
}

TEST(ReducedMoment, TubeMinorAxisIsTheMajorAxisOfTheTurnedTube) {
    // The tube of ClassFourWebReducesMr lying on its side (D and B, tf and tw exchanged) under My has the resistance
    // and working of the upright tube under Mx ("_yy" for "_xx"), with or without compression.
    auto upright = LoadCalc(L"RHS D=400 B=200 tf=10 tw=3");
    auto lying = LoadCalc<CSectionCalcRHS>(L"RHS D=200 B=400 tf=3 tw=10");
    for (double N : {0.0, -200 * kN}) {
        SCOPED_TRACE(N);
        upright->SetForceAxial(N);
        upright->SetMomentXX(250 * kNm);
        lying->SetForceAxial(N);
        lying->SetMomentYY(250 * kNm);
        CMemberResult rx, ry;
        double const MrX = upright->MrDashxx(&rx);
        EXPECT_REL(lying->MrDashyy(&ry), MrX);
        EXPECT_LT(MrX, 282.8217 * kNm);  // reduced below Mr
        CString expected = rx.GetMarkup();
        for (auto pos = expected.find(L"M'r_xx"); pos != CString::npos; pos = expected.find(L"M'r_xx", pos))
            expected.replace(pos, 6, L"M'r_yy");
        EXPECT_EQ(Text(ry), Corvid::Narrow(expected));
    }
    // The section itself is not turned.
    EXPECT_REL(lying->GetD(), 0.2);
    EXPECT_EQ(lying->MomentXX(), 0.0);
    EXPECT_EQ(lying->MomentYY(), 250 * kNm);
    // Given another section, then another grade, the calculator turns those, not the tube it turned before.
    lying->SetCorvidSec(Corvid::Data::CSection(L"RHS D=300 B=300 t=7"), nullptr);
    for (wchar_t const* grade : {L"350W", L"300W"}) {
        lying->SetSteelDesignProp(CSteelGrade(grade));
        auto const fresh = LoadCalc(L"RHS D=300 B=300 t=7", CSteelGrade(grade));
        fresh->SetForceAxial(lying->ForceAxial());
        fresh->SetMomentYY(lying->MomentYY());
        EXPECT_REL(lying->MrDashyy(nullptr), fresh->MrDashyy(nullptr)) << Corvid::Narrow(grade);
    }

    // RHS D=B=300 t=7, formed: walls (300 - 28)/7 = 38.86 > 35.81 (flange class 4) but < 101.56 (web class 1): the
    // effective section, equal about both axes.
    auto square = LoadCalc(L"RHS D=300 B=300 t=7");
    square->SetMomentXX(150 * kNm);
    CMemberResult sx, sy;
    double const MrX = square->MrDashxx(&sx);
    square->SetMomentXX(0.0);
    square->SetMomentYY(150 * kNm);
    EXPECT_GT(MrX, 0.0);
    EXPECT_REL(square->MrDashyy(&sy), MrX);
    ExpectReport(sx, {L"\tFlange class: <b>Class 4</b>, Web class: <b>Class 1</b>\n\tSe = ", L"\tMr = Phi*Se*fy\n"});
    EXPECT_EQ(Text(sy).rfind("Determine moment capacity M'r_yy\n", 0), 0u) << Text(sy);
}

// Webs: fs = 0.66 Fy up to hw/tw = 1014/sqrt(Fy) = 54.201, 670 sqrt(Fy)/(hw/tw) up to 1435/sqrt(Fy) = 76.704,
// 961200/(hw/tw)^2 beyond, no more than 83000/Fy = 237.143; Vr = 0.9 h tw fs per web, h = D rolled, hw welded (CSA
// S16-09 cl. 13.4.1.1, kv = 5.34). The webs resist the shear along the depth (major), the flanges (the tube's walls of
// width B) the shear across the section (minor). Flanges, tees and round tubes: fv = V AyBar/(I t) against 0.66*0.9*350
// = 207.9 MPa. The workings of tubes, tees and channels in full: tests/golden/check_*.txt.
TEST(ShearTorsion, ShearChecksByHand) {
    struct Case { wchar_t const* text; bool major; double V /* kN */, util; std::vector<CString> lines = {};
                  bool whole = false; };
    Case const cases[] = {
        // No shear: the utilisation is set, to zero, with the whole working (with shear, the rolled web's working in
        // full: LocalCapacityReport.WholeReports).
        {kRolledI, true, 0, 0.0, {L"\thw/tw = 36.907 <= 1014/sqrt(fy)\n", L"\tUtil = 0.000 kN/472.5 kN=0.000\n"}},
        // Welded, the same web: h = hw = 276.8, Vr = 0.9*276.8*7.5*231 = 431 589.6 N.
        {L"I D=303 B=203 T=13.1 Tw=7.5 R=15 fab=welded", true, 200, 200e3 / (0.9 * 276.8 * 7.5 * 231),
         {L"\thw/tw = 36.907 <= 1014/sqrt(fy)\n", L"= 0.900*276.8 mm*7.500 mm*231.0 MPa"}},
        // Welded D=700 T=20 Tw=10: hw/tw = 66, fs = 670*18.7083/66 = 189.917 MPa, Vr = 0.9*660*10*189.917 = 1128.11 kN
        {L"I D=700 B=300 T=20 Tw=10 R=0 fab=welded", true, 500, 500.0 / 1128.1097021123435,
         {L"Major axis shear check:\n\t<i>ref. CSA S16-09 cl 13.4.3</i>\n"
          L"\tmajor-axis shear (along the depth): web, hw = D - T1 - T2\n\tfy = 350.0 MPa\n"
          L"\t1014/sqrt(fy) = 1014/sqrt(350.000 MPa) = 54.201\n\t1435/sqrt(fy) = 1435/sqrt(350.000 MPa) = 76.704\n"
          L"\thw/tw = 66.000\n\t                      >  1014/sqrt(fy)\n\t                      <= 1435/sqrt(fy)\n"
          L"\tfs = 670*sqrt(Fy)/(hw/tw)\n\t   = 670*sqrt(350.000 MPa)/(66.000)\n\t   = 189.9 MPa\n\tVry = Phi*h*tw*fs\n"
          L"\t    = 0.900*660.0 mm*10.00 mm*189.9 MPa = 1128 kN\n\tUtil = 500.0 kN/1128 kN=0.443\n"}, true},
        // Girder: hw/tw = 160: fs = 961200/160² = 37.547 MPa, Vr = 0.9*960*6*37.547 = 194.643 kN.
        {kGirder, true, 100, 100.0 / 194.643,
         {L"Major axis shear check:\n\t<i>ref. CSA S16-09 cl 13.4.3</i>\n"
          L"\tmajor-axis shear (along the depth): web, hw = D - T1 - T2\n\tfy = 350.0 MPa\n"
          L"\t1435/sqrt(fy) = 1435/sqrt(350.000 MPa) = 76.704\n\thw/tw = 160.000\n"
          L"\t                      > 1435/sqrt(fy)\n\tfs = 961200/(hw/tw)^2\n\t   = 961200/(160.000)^2\n"
          L"\t   = 37.55 MPa\n\tVry = Phi*h*tw*fs\n\t    = 0.900*960.0 mm*6.000 mm*37.55 MPa = 194.6 kN\n"
          L"\tUtil = 100.0 kN/194.6 kN=0.514\n"}, true},
        // Welded D = 1540, T = 20, Tw = 6: hw/tw = 1500/6 = 250 > 237.143.
        {L"I D=1540 B=300 T=20 Tw=6 R=0 fab=welded", true, 10, kInf,
         {L"Major axis shear check:\n\t<i>ref. CSA S16-09 cl 13.4.3</i>\n"
          L"\tmajor-axis shear (along the depth): web, hw = D - T1 - T2\n\t83000/fy = 83000/(350.000 MPa) = 237.143\n"
          L"\thw/tw = 250.000 > 83000/fy\n\t              <i> Web slenderness ratio exceeds maximum allowable limit.\n"
          L"\t              Ref. CSA S16-09 cl. 14.3.1</i>\n\tUtil = infinity\n"}, true},
        // (The channel's web, as the I's, h = D: LocalCapacityReport.WholeReports, general form.)
        // Across the section, the two flanges of length B and thickness tf: hw = 100 - 4*5 = 80, hw/tw = 80/8 = 10, h =
        // B: Vr = 0.9*2*100*8*231 = 332.64 kN.
        {L"RHS D=200 B=100 tf=8 tw=5", false, 100, 100.0 / 332.64, {L"\thw/tw = 10.000 <= 1014/sqrt(fy)\n"}},
        // Turned a quarter turn, a tube swaps its two resistances; rolled h = D (k = 4 for h/w), welded h = hw (k = 2),
        // Vr = 0.9*2*h*t*fs: walls 100 x 6: (100 - 24)/6 = 12.7, Vr = 0.9*2*100*6*231 = 249.48 kN (the major
        //     of D=100 B=300 was 748.44 kN, its flanges'); walls 300 x 6: 46.0, 748.44 kN
        //   welded 300 x 6: hw = 288, Vr = 718.5024 kN; 100 x 6: hw = 88, Vr = 219.5424 kN
        //   walls 600 x 6: 96 > 76.7, fs = 961200/96^2 = 104.296875 MPa, Vr = 675.84375 kN
        {L"RHS D=100 B=300 t=6", true, 100, 100.0 / 249.48}, {L"RHS D=100 B=300 t=6", false, 100, 100.0 / 748.44},
        {L"RHS D=300 B=100 t=6", true, 100, 100.0 / 748.44}, {L"RHS D=300 B=100 t=6", false, 100, 100.0 / 249.48},
        {L"RHS D=300 B=100 t=6 fab=welded", true, 100, 100.0 / 718.5024},
        {L"RHS D=300 B=100 t=6 fab=welded", false, 100, 100.0 / 219.5424},
        {L"RHS D=600 B=200 t=6", true, 100, 100.0 / 675.84375, {L"\t   = 104.3 MPa\n"}},
        // I D=300 B=200 T=15 Tw=10 along the flanges: Iyy = 2*15*200³/12 + 270*10³/12 = 20 022 500, b = 95, AyBar =
        // 2*15*95*105/2 = 149 625: fv = 100e3*149 625/(20 022 500*30) = 24.909 MPa. (The working in full:
        // LocalCapacityReport.WholeReports.)
        {L"I D=300 B=200 T=15 Tw=10 R=0", false, 100, 24.909476838556625 / 207.9},
        // CHS D=168 t=6: I = pi*(168⁴ - 156⁴)/64 = 10 031 168, AyBar = (168³ - 156³)/12 = 78 768: fv =
        // 100e3*78 768/(10 031 168*2*6) = 65.436 MPa, either axis.
        {L"CHS D=168 t=6", true, 100, 65.43604778267603 / 207.9},
        {L"CHS D=168 t=6", false, 100, 65.43604778267603 / 207.9},
        // Tee (y from the stem tip): A = 3000 + 1350 = 4350, ybar = (3000*142.5 + 1350*67.5)/4350 = 119.224, c =
        // 30.776, Ixx = 200*15³/12 + 3000*23.276² + 10*135³/12 + 1350*51.724² = 7 343 631; AyBar = 10*15.776²/2 +
        // 15*200*(30.776 - 7.5) = 71 072: fv = 100e3*71 072/(7 343 631*10) = 96.780 MPa, util = 96.780/207.9 = 0.466.
        {kTee, true, 100, 96.78042213953314 / 207.9},
        // Iyy = 15*200³/12 + 135*10³/12 = 10 011 250, AyBar = 15*95*105/2 = 74 812.5: fv =
        // 100e3*74 812.5/(10 011 250*15) = 49.819 MPa.
        {kTee, false, 100, 49.81895367711325 / 207.9},
        // Channel (x from the web back): A = 5700, xbar = (3000*50 + 2700*5)/5700 = 28.684, Iyy = 2*(15*100³/12 +
        // 1500*21.316²) + 270*10³/12 + 2700*23.684² = 5 400 132; b = 71.316, AyBar = 15*71.316² = 76 289: fv =
        // 100e3*76 289/(5 400 132*30) = 47.091 MPa.
        {kChannel, false, 100, 47.09090652607982 / 207.9},
        // An angle's shear is not checked: infinite utilisation, nothing written.
        {L"L D=100 B=75 t=8 R=8", true, 1, kInf, {L""}, true}, {L"L D=100 B=75 t=8 R=8", false, 0, kInf, {L""}, true},
    };
    for (Case const& k : cases) {
        SCOPED_TRACE(Corvid::Narrow(k.text) + (k.major ? " XX " : " YY ") + std::to_string(k.V));
        auto c = LoadCalc(k.text);
        auto const check = [&](CMemberResult* r) {
            k.major ? c->CheckShearCapacityXX(k.V * kN, r) : c->CheckShearCapacityYY(k.V * kN, r);
        };
        CMemberResult r, quiet;
        quiet.EnableText(false);
        for (CMemberResult* res : {static_cast<CMemberResult*>(nullptr), &r, &quiet}) check(res);  // none: no crash
        auto const set = k.major ? UtilKind::LocalShearMajor : UtilKind::LocalShearMinor;
        for (CMemberResult const* res : {&r, &quiet}) {
            EXPECT_TRUE(res->Entry(0).IsSet(set));
            EXPECT_REL(res->Entry(0).Util(set), k.util);
            EXPECT_FALSE(res->Entry(0).IsSet(k.major ? UtilKind::LocalShearMinor : UtilKind::LocalShearMajor));
            EXPECT_EQ(res->Indent(), 0);  // the working's indent is closed again
        }
        EXPECT_TRUE(quiet.Entry(0).fragments.empty());  // text off: not a line written
        ExpectReport(r, k.lines, k.whole);
        // The resistance alone, Vr = V/util of the same check; none (0) past 83000/Fy and for the angle.
        double const Vr = std::isinf(k.util) ? 0.0 : k.V * kN / k.util;
        if (k.V > 0) {
            EXPECT_REL(c->ShearResistance(k.major), Vr);
        }
    }
}

TEST(ShearTorsion, RatiosExactlyOnTheLimits) {
    // Fy = 256 MPa: sqrt(Fy) = 16, so the limits 1014/16 = 63.375, 1435/16 = 89.6875 and 83000/256 = 324.21875 are
    // exact binary numbers; with tw = 2^-7 m and T = 2^-6 m, hw = ratio*tw is exact too. Vr = 0.9 hw tw fs (welded).
    auto c = LoadCalc<CSectionCalcI>(L"I D=600 B=250 T=15.625 Tw=7.8125 R=0 fab=welded",
                                 CSteelGrade(L"Fy256", 256e6, 400e6));
    struct Case { double ratio, Vr; CString line; bool present; } const cases[] = {
        // fs = 0.66*256 = 168.96 MPa: 0.9*495.1171875*7.8125*168.96 = 588 199.21875 N.
        {63.375, 588199.21875, L"hw/tw = 63.375 <= 1014/sqrt(fy)\n", true},
        // The 670 formula, fs = 670*16/89.6875 = 119.526 MPa (961200/89.6875² = 119.495 would be the other side):
        // 0.9*700.68359375*7.8125*119.526 = 588 867.1875 N.
        {89.6875, 588867.1875, L"<= 1435/sqrt(fy)\n", true},
        // Still checked: fs = 961200/324.21875² = 9.14403 MPa, 0.9*2532.958984375*7.8125*9.14403 = 162 853.916 N.
        {324.21875, 162853.9156626506, L"14.3.1", false},
    };
    for (Case const& k : cases) {
        SCOPED_TRACE(k.ratio);
        c->SetDimensions(k.ratio * 0.0078125 + 2.0 * 0.015625, 0.25, 0.015625, 0.25, 0.015625, 0.0078125, 0.0);
        CMemberResult r;
        c->CheckShearCapacityXX(100 * kN, &r);
        EXPECT_REL(r.Entry(0).Util(UtilKind::LocalShearMajor), 100 * kN / k.Vr);
        EXPECT_EQ(r.GetMarkup().find(k.line) != CString::npos, k.present) << Text(r);
    }
}

TEST(ShearTorsion, StVenantTorsionalCapacityAndWebShearArea) {
    // tau = fy/sqrt(3) = 202.073 MPa. Open sections: Tcsv = J tau/t_max (the I's: LocalCapacityTorsion); closed: Tcsv
    // = tau 2 A0 t_min, A0 inside the wall mid-line.
    struct Case { wchar_t const* text; double Tcsv; /* kN·m */ } const cases[] = {
        // J = (2*100*15³ + 285*10³)/3 = 320 000: 320 000*202.073/max(15, 15, 10) = 4.31088 kN·m
        {kChannel, 320000e-12 * 350e6 / std::sqrt(3.0) / 0.015 / kNm},
        // A0 = (100 - 8)*(200 - 8) = 17 664: 202.073*2*17 664*8 = 57.1106 kN·m
        {L"RHS D=200 B=100 t=8", 57.110564867807085},
        // A0 = (100 - 6)*(200 - 10) = 17 860, the thinner wall governs: 202.073*2*17 860*6 = 43.3075 kN·m
        {L"RHS D=200 B=100 tf=10 tw=6", 350e6 / std::sqrt(3.0) * 2.0 * 17860e-6 * 0.006 / kNm},
        // A0 = pi*162²/4 = 20 611.99: 202.073*2*20 611.99*6 = 49.9814 kN·m
        {L"CHS D=168 t=6", 49.981418040710956}, {L"L D=100 B=75 t=8 R=8", 0.0},
    };
    for (Case const& k : cases)
        EXPECT_REL(LoadCalc(k.text)->TorsionCapacity(nullptr), k.Tcsv * kNm) << Corvid::Narrow(k.text);
    // Web shear area: rolled D Tw = 303*7.5 = 2272.5, welded (303 - 26.2)*7.5 = 2076 mm²; channel D = 300, T = 15, Tw =
    // 10: rolled 3000, welded 2700 mm².
    EXPECT_REL(LoadCalc<CSectionCalcI>(kRolledI)->ShearAreaY(nullptr), 2272.5e-6);
    EXPECT_REL(LoadCalc<CSectionCalcI>(L"I D=303 B=203 T=13.1 Tw=7.5 R=15 fab=welded")->ShearAreaY(nullptr), 2076e-6);
    EXPECT_REL(LoadCalc<CSectionCalcPFC>(kChannel)->ShearAreaY(nullptr), 3000e-6);
    EXPECT_REL(LoadCalc<CSectionCalcPFC>(L"C D=300 B=100 T=15 Tw=10 R=0 fab=welded")->ShearAreaY(nullptr), 2700e-6);
}

