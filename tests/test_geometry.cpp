// Section geometry against hand calculations on fillet-free sections (all in
// mm; each expected number is worked out in the comment beside it), plus the
// fillet terms, the operations that turn a section and the host interface.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "MemberResult.h"
#include "SectGeom.h"
#include "Section.h"
#include "Tolerance.h"

using namespace Corvid::Steel;
using Corvid::Data::CSection;

namespace {

constexpr double kPi = 3.14159265358979323846;
// Results in mm powers.
double mm(double m) { return m * 1e3; }
double mm2(double m2) { return m2 * 1e6; }
double mm3(double m3) { return m3 * 1e9; }
double mm4(double m4) { return m4 * 1e12; }
double mm6(double m6) { return m6 * 1e18; }

CDesSectGeomI MakeI(double D, double B1, double T1, double B2, double T2, double Tw, double R) {
    CDesSectGeomI g;
    g.SetDimensions(D / 1e3, B1 / 1e3, T1 / 1e3, B2 / 1e3, T2 / 1e3, Tw / 1e3, R / 1e3);
    return g;
}

}  // namespace

// D = 400, B = 200, T = 20, Tw = 10.
TEST(Geometry, DoublySymmetricI) {
    auto const g = MakeI(400, 200, 20, 200, 20, 10, 0);
    EXPECT_REL(mm2(g.Area()), 11600);                        // 2*200*20 + 360*10
    EXPECT_REL(mm(g.Ybar()), 200);
    EXPECT_REL(mm(g.Xbar()), 100);
    EXPECT_REL(mm4(g.Ixx()), 3.93536e9 / 12);                // (200*400^3 - 190*360^3)/12
    EXPECT_REL(mm4(g.Iyy()), 320e6 / 12 + 30000);            // 2*20*200^3/12 + 360*10^3/12
    EXPECT_REL(mm3(g.Zxx()), 3.93536e9 / 12 / 200);
    EXPECT_REL(mm3(g.Sxx()), 1844000);                       // 2*200*20*190 + 2*10*180*90
    EXPECT_REL(mm3(g.Syy()), 409000);                        // 2*20*200^2/4 + 360*10^2/4
    EXPECT_REL(mm4(g.J()), 3580000.0 / 3);                   // (2*200*20^3 + 380*10^3)/3, h0 = 380
    EXPECT_REL(mm6(g.Gamma()), 380.0 * 380 * (20 * 8e6 / 12) / 2);  // h0^2 I1 I2/(I1+I2), I1 = I2
    EXPECT_EQ(g.Alpha(), 0.0);
    EXPECT_REL(g.Iuu(), g.Ixx());
}

// D = 300, top flange 200 x 20, bottom flange 100 x 10, Tw = 8 (y from the
// bottom): top 4000 at y = 290, web 270*8 = 2160 at 145, bottom 1000 at 5.
TEST(Geometry, MonosymmetricIAndMirror) {
    auto g = MakeI(300, 200, 20, 100, 10, 8, 0);
    EXPECT_REL(mm2(g.Area()), 7160);
    EXPECT_REL(mm(g.Ybar()), 1478200.0 / 7160);  // (4000*290 + 2160*145 + 1000*5)/7160 = 206.45
    // About the base: sum A y^2 + own = 381 839 000 + 13 263 666.7; less A Ybar^2 = 305 178 106.1
    double const Ixx = 395102666.0 + 2.0 / 3 - 1478200.0 * 1478200 / 7160;  // 89 924 560.5
    EXPECT_REL(mm4(g.Ixx()), Ixx);
    EXPECT_REL(mm3(g.Zxx()), Ixx / (1478200.0 / 7160));  // bottom fibre is farther (206.45 > 93.55)
    // A/2 = 3580 < 4000: plastic axis in the top flange, 3580/200 = 17.9 below the top.
    EXPECT_REL(mm(g.Props().YbarPlastic), 282.1);
    EXPECT_REL(mm3(g.Sxx()), 605718);  // 200*17.9^2/2 + 200*2.1^2/2 + 2160*137.1 + 1000*277.1
    EXPECT_REL(mm4(g.J()), 1845920.0 / 3);  // (200*20^3 + 100*10^3 + 285*8^3)/3, h0 = 300 - 15
    // I1 = 20*200^3/12, I2 = 10*100^3/12 = I1/16: Cw = 285^2 * I1/17 = 6.370588e10
    EXPECT_REL(mm6(g.Gamma()), 285.0 * 285 * (20 * 8e6 / 12) / 17);

    CGeomProps const before = g.Props();
    g.MirrorXX();
    EXPECT_EQ(mm(g.GetB1()), 100);
    EXPECT_EQ(mm(g.GetT2()), 20);
    EXPECT_REL(g.Ybar(), 0.3 - before.Ybar);
    EXPECT_REL(g.Props().YbarPlastic, 0.3 - before.YbarPlastic);
    EXPECT_REL(g.Ixx(), before.Ixx);
    EXPECT_REL(g.Sxx(), before.Sxx);
    EXPECT_REL(g.J(), before.J);
}

// The I above (400/200/20/10) with R = 15. Each fillet (square R^2 less a
// quarter circle) has A_f = (1 - pi/4) R^2 = 48.2854, first moment about its
// flange face (5/6 - pi/4) R^3 = 161.781, second moment (1 - 5 pi/16) R^4 =
// 924.02. Chords (90 per quarter) are off by 4e-5 R^2 per fillet, 3e-6 of A and
// Ixx: those two are held to 1e-5.
TEST(Geometry, RootFilletsOfAnI) {
    auto const g = MakeI(400, 200, 20, 200, 20, 10, 15);
    EXPECT_REL_TOL(mm2(g.Area()), 11600 + 4 * 48.2854133, 1e-5);
    // Faces 180 from the centroid: 4 (180^2 A_f - 360*161.781 + 924.02) = 6 028 520.7
    EXPECT_REL_TOL(mm4(g.Ixx()), 3.93536e9 / 12 + 6028520.7, 1e-5);
    // El Darwish & Johnston (AISC Design Guide 9):
    //   flange 200*20^3 (1/3 - 0.21*0.1 (1 - 20^4/(12*200^4))) = 499 733.6
    //   web (400 - 40) 10^3/3 = 120 000
    //   alpha = -0.042 + 0.2204*0.5 + 0.1355*0.75 - 0.0865*15*10/20^2 - 0.0725*0.25 = 0.1192625
    //   D = ((20 + 15)^2 + 10 (15 + 2.5))/(2*15 + 20) = 28
    //   J = 2*499 733.6 + 120 000 + 2*0.1192625*28^4 = 1 266 078.0
    EXPECT_REL(mm4(g.J()), 1266078.0490667);
}

// D = 200, B = 150, T = 20, Tw = 10 (y from the stem tip): flange 3000 at
// y = 190, stem 1800 at 90.
TEST(Geometry, Tee) {
    CDesSectGeomT g;
    g.SetDimensions(0.2, 0.15, 0.02, 0.01, 0);
    EXPECT_REL(mm(g.Ybar()), 152.5);                     // 732 000 / 4800
    EXPECT_REL(mm4(g.Ixx()), 16210000);                  // 100 000 + 3000*37.5^2 + 4 860 000 + 1800*62.5^2
    EXPECT_REL(mm3(g.Zxx()), 16210000 / 152.5);          // to the stem tip
    EXPECT_REL(mm(g.Props().YbarPlastic), 184);          // A/2 = 2400 < 3000: 2400/150 = 16 below the top
    EXPECT_REL(mm3(g.Sxx()), 189600);                    // 150*16^2/2 + 150*4^2/2 + 1800*94
    EXPECT_REL(mm4(g.J()), 1390000.0 / 3);               // (150*20^3 + 190*10^3)/3
    EXPECT_REL(mm6(g.Gamma()), 187500000 + 6.859e9 / 36);  // 150^3 20^3/144 + 190^3 10^3/36
    // Flange 100 x 10, stem 20 thick: A = 1000 + 3800; A/2 = 2400 > 1000, so
    // the stem above the axis holds 1400 = 20 (190 - yp): yp = 120.
    g.SetDimensions(0.2, 0.1, 0.01, 0.02, 0);
    EXPECT_REL(mm(g.Props().YbarPlastic), 120);
    EXPECT_REL(mm3(g.Sxx()), 268000);  // 1000*75 + 20*70^2/2 + 20*120^2/2
}

// D = 200, B = 80, T = 10, Tw = 6 (x from the web back): web strip 6 x 200 =
// 1200 at x = 3, outstands 2 x 74 x 10 = 1480 at x = 43.
TEST(Geometry, Channel) {
    CDesSectGeomPFC g;
    g.SetDimensions(0.2, 0.08, 0.01, 0.08, 0.01, 0.006, 0);
    EXPECT_REL(mm(g.Xbar()), 67240.0 / 2680);  // (1200*3 + 1480*43)/2680 = 25.09
    EXPECT_REL(mm(g.XbarPlastic()), 13);       // 1200 + 2*10 (xp - 6) = 1340
    EXPECT_REL(mm3(g.Syy()), 57380);           // 1200*10 + 20*7^2/2 + 20*67^2/2
    EXPECT_REL(mm3(g.Sxx()), 200600);          // 2*800*95 + 2*6*90*45
    EXPECT_REL(mm4(g.J()), 201040.0 / 3);      // (2*80*10^3 + 190*6^3)/3
    // b' = 77, h' = 190: e0 = 3 b'^2 T/(6 b' T + h' Tw) = 177 870/5760 = 30.88
    EXPECT_REL(mm(g.ShearCentreFromWeb()), 177870.0 / 5760);
    // Cw = T b'^3 h'^2/12 (3 b' T + 2 h' Tw)/(6 b' T + h' Tw) = 10*456 533*36 100/12 * 4590/5760
    EXPECT_REL(mm6(g.Gamma()), 10.0 * 456533 * 36100 / 12 * 4590 / 5760);
}

// D = 150 (vertical), B = 100, t = 10: leg 10 x 150 = 1500 at (5, 75),
// outstand 90 x 10 = 900 at (55, 5); A = 2400, centroid (23.75, 48.75).
TEST(Geometry, UnequalAngleAndReflection) {
    CDesSectGeomAngle g;
    g.SetDimensions(0.15, 0.1, 0.01, 0);
    EXPECT_REL(mm(g.Xbar()), 23.75);
    EXPECT_REL(mm4(g.Ixx()), 5576250);   // 2 812 500 + 1500*26.25^2 + 7500 + 900*43.75^2
    EXPECT_REL(mm4(g.Iyy()), 2026250);   // 12 500 + 1500*18.75^2 + 607 500 + 900*31.25^2
    EXPECT_REL(mm4(g.Ixy()), -1968750);  // 1500 (-18.75)(26.25) + 900 (31.25)(-43.75): negative
    // Mean 3 801 250, radius hypot(1 775 000, 1 968 750) = 2 650 773.8;
    // tan 2a = 3 937 500/3 550 000: a = 23.98 deg, u between +x and +y.
    EXPECT_REL(mm4(g.Iuu()), 3801250 + std::hypot(1775000.0, 1968750.0));
    EXPECT_REL(mm4(g.Ivv()), 3801250 - std::hypot(1775000.0, 1968750.0));
    EXPECT_REL(g.Alpha(), 0.5 * std::atan(3937500.0 / 3550000.0));
    // A/2 = 1200: y <= 10 holds 1000, so yp = 10 + 200/10 = 30; x <= 10 holds 1500, so xp = 1200/150 = 8.
    EXPECT_REL(mm(g.Props().YbarPlastic), 30);
    EXPECT_REL(mm(g.Props().XbarPlastic), 8);
    EXPECT_REL(mm3(g.Sxx()), 99000);                 // 1000*25 + 10*20^2/2 + 10*120^2/2
    EXPECT_REL(mm3(g.Zxx()), 5576250 / 101.25);      // to the toe of the vertical leg
    EXPECT_REL(mm4(g.J()), 80000);                   // (145 + 95) 10^3/3
    EXPECT_REL(mm6(g.Gamma()), 1000.0 / 36 * 3906000);  // t^3/36 (145^3 + 95^3)

    g.SetDimensions(0.15, 0.1, 0.01, 0.012);
    CGeomProps const b = g.Props();
    g.Reflect45();
    EXPECT_EQ(mm(g.GetDepth()), 100);
    EXPECT_REL(g.Xbar(), b.Ybar);
    EXPECT_REL(g.Ixx(), b.Iyy);
    EXPECT_REL(g.Iyy(), b.Ixx);
    EXPECT_REL(g.Ixy(), b.Ixy);
    EXPECT_REL(g.Syy(), b.Sxx);
    EXPECT_REL(g.Props().XbarPlastic, b.YbarPlastic);
    EXPECT_REL(g.Alpha(), kPi / 2 - b.Alpha);
    EXPECT_REL(g.J(), b.J);
    // Equal legs: Ixx = Iyy, so tan 2a is infinite and a = 45 degrees.
    g.SetDimensions(0.1, 0.1, 0.01, 0.008);
    EXPECT_REL(g.Alpha(), kPi / 4);
}

// D = 200, B = 100, tf = 10, tw = 5.
TEST(Geometry, RHSAndRotation) {
    CDesSectGeomRHS g;
    g.SetDimensions(0.2, 0.1, 0.01, 0.005, 0);
    EXPECT_REL(mm2(g.Area()), 3800);                 // 200*100 - 180*90
    EXPECT_REL(mm4(g.Ixx()), 275.12e6 / 12);         // (100*200^3 - 90*180^3)/12
    EXPECT_REL(mm3(g.Sxx()), 271000);                // 100*200^2/4 - 90*180^2/4
    EXPECT_REL(mm4(g.J()), 13718000);                // 4 (95*190)^2/(2*95/10 + 2*190/5)
    CGeomProps const b = g.Props();
    g.Rotate90Clockwise();
    EXPECT_EQ(mm(g.GetD()), 100);
    EXPECT_EQ(mm(g.GetTf()), 5);
    EXPECT_REL(g.Ixx(), b.Iyy);
    EXPECT_REL(g.Iyy(), b.Ixx);
    EXPECT_REL(g.Zxx(), b.Zyy);
    EXPECT_REL(g.J(), b.J);
    // D = B = 100, t = 5, Ro = 10 (inside radius 5). Each rounded corner
    // removes (1 - pi/4) r^2: A = 9914.16 - 8078.54; chords are off by 7e-6.
    g.SetDimensions(0.1, 0.1, 0.005, 0.005, 0.01);
    EXPECT_REL_TOL(mm2(g.Area()), 1e4 - (4 - kPi) * 100 - 8100 + (4 - kPi) * 25, 1e-5);
    // Mid-line radius 7.5: Am = 95^2 - (4 - pi) 7.5^2, sum s/t = (4*80 + 2 pi 7.5)/5
    double const Am = 9025 - (4 - kPi) * 56.25;
    EXPECT_REL(mm4(g.J()), 4 * Am * Am / ((320 + 15 * kPi) / 5));
}

// D = 100, t = 5: A = pi/4 (100^2 - 90^2), I = pi/64 (100^4 - 90^4), J = 2 I.
TEST(Geometry, CHS) {
    CDesSectGeomCHS g;
    g.SetDimensions(0.1, 0.005);
    EXPECT_REL(mm2(g.Area()), kPi / 4 * 1900);
    EXPECT_REL(mm4(g.Ixx()), kPi / 64 * 34390000);
    EXPECT_REL(mm3(g.Sxx()), 271000.0 / 6);  // (100^3 - 90^3)/6
    EXPECT_REL(g.J(), 2 * g.Ixx());
}

TEST(Geometry, HostSection) {
    CSection const none;
    std::unique_ptr<CDesSectGeom> geoms[] = {std::make_unique<CDesSectGeomI>(), std::make_unique<CDesSectGeomPFC>(),
                                             std::make_unique<CDesSectGeomT>(), std::make_unique<CDesSectGeomRHS>(),
                                             std::make_unique<CDesSectGeomCHS>(), std::make_unique<CDesSectGeomAngle>()};
    wchar_t const* what[] = {L"an I or H section", L"a channel", L"a tee", L"a rectangular hollow section",
                             L"a circular hollow section", L"an angle"};
    for (int k = 0; k < 6; ++k) {
        CMemberResult talking, silent;
        silent.EnableText(false);
        EXPECT_FALSE(geoms[k]->SetCorvidSec(none, &talking));
        EXPECT_FALSE(geoms[k]->SetCorvidSec(none, &silent));
        EXPECT_FALSE(geoms[k]->SetCorvidSec(none, nullptr));
        ASSERT_EQ(talking.Entry(0).fragments.size(), 1u);
        EXPECT_EQ(talking.Entry(0).fragments[0].text, L"<red>Section is not " + Corvid::CString(what[k]) + L"</red>\n");
        EXPECT_TRUE(silent.Entry(0).fragments.empty());
    }
    EXPECT_FALSE(CDesSectGeomPFC().SetCorvidSec(CSection(L"I D=400 B=200 T=20 Tw=10"), nullptr));
    CDesSectGeomI i;
    ASSERT_TRUE(i.SetCorvidSec(CSection(L"H D=400 B=200 T=20 Tw=10 fab=welded"), nullptr));
    EXPECT_REL(mm2(i.Area()), 11600);
    EXPECT_TRUE(i.IsWelded());
    CDesSectGeomT t;  // the tee's B and T come from the flange-1 fields
    ASSERT_TRUE(t.SetCorvidSec(CSection(L"T D=200 B=150 T=20 Tw=10"), nullptr));
    EXPECT_REL(mm2(t.Area()), 4800);
    EXPECT_FALSE(t.IsWelded());
}

TEST(Geometry, DimensionText) {
    Corvid::Util::CDesFormat const f;
    auto i = MakeI(400, 200, 20, 150, 12, 10, 0);
    i.SetFabricationType(Corvid::Data::FabBuiltUp);
    EXPECT_EQ(i.SectGeomString(f), L"Dimensions:\n\tD = 400.0 mm\n\tB1 = 200.0 mm\n\tT1 = 20.00 mm\n\tB2 = 150.0 mm\n"
                                   L"\tT2 = 12.00 mm\n\tTw = 10.00 mm\n\tR = 0.000 mm\n\tFabrication: built-up\n");
    CDesSectGeomRHS r;
    r.SetDimensions(0.2, 0.1, 0.01, 0.005, 0.02);
    r.SetFabricationType(7);
    EXPECT_EQ(r.SectGeomString(f), L"Dimensions:\n\tD = 200.0 mm\n\tB = 100.0 mm\n\ttf = 10.00 mm\n\ttw = 5.000 mm\n"
                                   L"\tRo = 20.00 mm\n\tFabrication: type 7\n");
    CDesSectGeomAngle l;
    l.SetDimensions(0.15, 0.1, 0.01, 0.012);
    EXPECT_EQ(l.SectGeomString(f),
              L"Dimensions:\n\tD = 150.0 mm\n\tB = 100.0 mm\n\tt = 10.00 mm\n\tR = 12.00 mm\n\tFabrication: rolled\n");
}

// Nothing may crash or hang; NaN must not turn into a plausible section.
TEST(Geometry, DegenerateDimensions) {
    double const nan = std::numeric_limits<double>::quiet_NaN();
    for (double v : {0.0, -0.1, nan, std::numeric_limits<double>::infinity(), 1e300, -1e300, 1e-300}) {
        CDesSectGeomI i;
        i.SetDimensions(v, v, 0.02, 0.2, v, 0.01, v);
        i.MirrorXX();
        CDesSectGeomPFC().SetDimensions(v, v, v, v, v, v, v);
        CDesSectGeomT().SetDimensions(0.2, 0.15, v, 0.01, v);
        CDesSectGeomRHS r;
        r.SetDimensions(0.2, v, 0.01, v, v);
        r.Rotate90Clockwise();
        CDesSectGeomCHS().SetDimensions(v, 0.005);
        CDesSectGeomAngle l;
        l.SetDimensions(v, 0.1, 0.01, v);
        l.Reflect45();
    }
    EXPECT_EQ(MakeI(0, 0, 0, 0, 0, 0, 0).Area(), 0.0);
    EXPECT_TRUE(std::isnan(MakeI(nan, 200, 20, 200, 20, 10, 0).Area()));
    CDesSectGeomCHS bar;  // a wall thicker than the radius leaves a solid bar
    bar.SetDimensions(0.1, 0.08);
    EXPECT_REL(mm2(bar.Area()), kPi / 4 * 1e4);
    // A root radius larger than the outstand is cut to fit: width stays B.
    auto const big = MakeI(400, 200, 20, 200, 20, 10, 500);
    EXPECT_REL(big.Zyy(), big.Iyy() / 0.1);
}
