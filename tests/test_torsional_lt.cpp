// Torsional and flexural-torsional buckling resistance (CSA S16-09
// cl. 13.3.2) and the elastic critical moment and lateral-torsional
// resistance (cl. 13.6) of the shape calculators.
//
// Every section here is made of plates without root fillets, so its
// properties follow from the dimensions by hand. Grade 350W: Fy = 350 MPa
// for every thickness used, E = 200 000 MPa, G = 77 000 MPa;
// sqrt(Fy) = 18.708. Numbers in report lines are printed by the result's
// formatter: four significant figures for quantities with a unit (a value
// of 10 000 or more keeps all its integer digits), three decimals without.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "Tolerance.h"
#include "framework/MemberResult.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "shapes/SectionCalcAngle.h"
#include "shapes/SectionCalcCHS.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

using Corvid::CString;
using Corvid::Data::CSection;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::CSteelGrade;
using Corvid::Steel::SteelCSAS1609::CSectionCalcAngle;
using Corvid::Steel::SteelCSAS1609::CSectionCalcCHS;
using Corvid::Steel::SteelCSAS1609::CSectionCalcI;
using Corvid::Steel::SteelCSAS1609::CSectionCalcPFC;
using Corvid::Steel::SteelCSAS1609::CSectionCalcRHS;
using Corvid::Steel::SteelCSAS1609::CSectionCalcT;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.14159265358979323846;
constexpr double E = 200000e6;
constexpr double G = 77000e6;
constexpr double Fy = 350e6;

template <class Calc>
Calc Load(wchar_t const* text, wchar_t const* grade = L"350W") {
    Calc c;
    CMemberResult r;
    EXPECT_TRUE(c.SetCorvidSec(CSection(text), &r)) << Corvid::Narrow(r.GetMarkup());
    c.SetSteelDesignProp(CSteelGrade(grade));
    c.SetCodeName(L"CSA S16-09");
    return c;
}

// The resistance curve of cl. 13.3.1: Cr = 0.9 A Fy (1 + Lambda^2n)^(-1/n).
double Curve(double A, double Lambda, double n = 1.34) {
    return 0.9 * A * Fy * std::pow(1.0 + std::pow(Lambda, 2.0 * n), -1.0 / n);
}

std::vector<CString> Fragments(CMemberResult const& r) {
    std::vector<CString> out;
    for (auto const& f : r.Entry(0).fragments) out.push_back(f.text);
    return out;
}

// ---------------------------------------------------------------------------
// Sections and their hand-calculated properties (mm, then SI)
// ---------------------------------------------------------------------------

// I D=300 B=200 T=12 Tw=10. Flange outstand 100/12 = 8.33 (class 2:
// 7.75 < 8.33 <= 9.09), web 276/10 = 27.6 (class 1; below 670/18.708 =
// 35.8 in compression), so Aeff = A.
//   A   = 2*200*12 + 276*10 = 4800 + 2760 = 7560 mm^2
//   Ixx = (200*300^3 - 190*276^3)/12 = (5.4e9 - 3 994 669 440)/12 = 117 110 880 mm^4
//   Iyy = 2*12*200^3/12 + 276*10^3/12 = 16 000 000 + 23 000 = 16 023 000 mm^4
//   J   = (2*200*12^3 + h0*10^3)/3, h0 = 300 - 12 = 288: (691 200 + 288 000)/3 = 326 400 mm^4
//   Cw  = h0^2 I1 I2/(I1 + I2), Ii = 12*200^3/12 = 8e6: 288^2 * 4e6 = 3.31776e11 mm^6
//   Z (plastic) = 200*12*288 + 10*276^2/4 = 691 200 + 190 440 = 881 640 mm^3
//   Mp = 881 640e-9 * 350e6 = 308 574 N.m
wchar_t const* const kI = L"I D=300 B=200 T=12 Tw=10";
constexpr double kI_A = 7560e-6, kI_Ixx = 117110880e-12, kI_Iyy = 16023000e-12, kI_J = 326400e-12,
                 kI_Cw = 3.31776e-7, kI_Mp = 308574.0;

// C D=250 B=80 T=12 Tw=8: flange 80/12 = 6.67 (class 1), web 226/8 = 28.25
// (class 1); each flange as two outstands of 40/12 = 3.3, so Aeff = A.
//   A    = 2*80*12 + 226*8 = 1920 + 1808 = 3728 mm^2
//   Xbar = (1920*40 + 1808*4)/3728 = 84 032/3728 = 22.5408 mm (from the back of the web)
//   Ixx  = (80*250^3 - 72*226^3)/12 = 34 907 610.67 mm^4
//   Iyy  = 2*(12*80^3/12 + 960*17.4592^2) + 226*8^3/12 + 1808*18.5408^2 = 2 240 424.5 mm^4
//   J    = (2*80*12^3 + 238*8^3)/3 = 132 778.67 mm^4
//   Cw   = T b^3 h^2/12 (3bT + 2h Tw)/(6bT + h Tw), b = 76, h = 238:
//        = 12*76^3*238^2/12 * (2736 + 3808)/(5472 + 1904) = 22.0606e9 mm^6
//   e    = ((80 - 4)*(250 - 12))^2 * 12/(4 Ixx) = 18 088^2*12/139 630 442.7 = 28.1179 mm
//   x_0  = e + Xbar - Tw/2 = 28.1179 + 22.5408 - 4 = 46.6586 mm
//   r_0^2 = (Ixx + Iyy)/A + x_0^2 = 9363.63 + 600.97 + 2177.03 = 12 141.63 mm^2
//   Omega = 1 - 2177.03/12 141.63 = 0.820697
//   S (elastic) = Ixx/125 = 279 260.9 mm^3, My = 97 741.3 N.m
wchar_t const* const kC = L"C D=250 B=80 T=12 Tw=8";
constexpr double kC_A = 3728e-6, kC_Ixx = 34907610.666666667e-12, kC_Iyy = 2240424.469241774e-12,
                 kC_J = 132778.66666666667e-12, kC_Cw = 22060587476.13015e-18, kC_x0 = 46.65863030746368e-3,
                 kC_My = 97741.30986666667;

// T D=150 B=200 T=12 Tw=10 (stem down): flange 100/12 = 8.33 (class 2),
// stem 150/10 = 15 (class 3: 9.09 < 15 <= 340/18.708 = 18.17), Aeff = A.
//   A    = 200*12 + 138*10 = 2400 + 1380 = 3780 mm^2
//   Ybar = (2400*144 + 1380*69)/3780 = 440 820/3780 = 116.619 mm (from the stem tip)
//   y_0  = D - Ybar - T/2 = 150 - 116.619 - 6 = 27.381 mm
//   Ixx  = 200*12^3/12 + 2400*27.381^2 + 10*138^3/12 + 1380*47.619^2 = 7 147 431.4 mm^4
//   Iyy  = 12*200^3/12 + 138*10^3/12 = 8 011 500 mm^4
//   J    = (200*12^3 + (150 - 6)*10^3)/3 = (345 600 + 144 000)/3 = 163 200 mm^4
//   Cw   = B^3 T^3/144 + (D - T/2)^3 Tw^3/36 = 96e6 + 82.944e6 = 178 944 000 mm^6
//   r_0^2 = (Ixx + Iyy)/A + y_0^2 = 1890.86 + 2119.44 + 749.72 = 4760.016 mm^2
//   Omega = 1 - 749.72/4760.016 = 0.842497
//   S (elastic) = Ixx/Ybar = 61 288.7 mm^3, My = 21 451.05 N.m
wchar_t const* const kT = L"T D=150 B=200 T=12 Tw=10";
constexpr double kT_A = 3780e-6, kT_Ixx = 7147431.428571429e-12, kT_Iyy = 8011500e-12, kT_J = 163200e-12,
                 kT_Cw = 178944000e-18, kT_y0 = 27.38095238095238e-3, kT_My = 21451.049816251537;

// RHS D=200 B=100 t=8, square corners: flange (100 - 4*8)/8 = 8.5, web
// (200 - 32)/8 = 21 (both class 1), Aeff = A.
//   A   = 200*100 - 184*84 = 4544 mm^2
//   Ixx = (100*200^3 - 84*184^3)/12 = 23 060 138.67 mm^4
//   Iyy = (200*100^3 - 184*84^3)/12 = 7 578 538.67 mm^4
//   J   = 4 Am^2/sum(s/t), Am = 192*92 = 17 664, sum = 2*(192 + 92)/8 = 71:
//       = 4*17 664^2/71 = 17 578 416.7 mm^4
//   r_0^2 = (Ixx + Iyy)/A = 6742.667 mm^2
wchar_t const* const kRHS = L"RHS D=200 B=100 t=8";
constexpr double kRHS_A = 4544e-6, kRHS_Ixx = 23060138.666666667e-12, kRHS_Iyy = 7578538.666666667e-12,
                 kRHS_J = 17578416.676056337e-12;

// L D=100 B=75 t=10, no root fillet (legs 100/10 = 10 and 7.5, within
// 200/18.708 = 10.69, so Aeff = A). Legs as rectangles 10x100 and 65x10:
//   A    = 1000 + 650 = 1650 mm^2
//   Xbar = (1000*5 + 650*42.5)/1650 = 19.7727 mm, Ybar = (1000*50 + 650*5)/1650 = 32.2727 mm
//   Iuu + Ivv = Ixx + Iyy = 1 636 477.3 + 791 164.8 = 2 427 642.0 mm^4
//   u_0^2 = (Ybar - 5)^2 + (Xbar - 5)^2 = 743.80 + 218.23 = 962.03 mm^2
//   r_0^2 = 2 427 642.0/1650 + 962.03 = 1471.30 + 962.03 = 2433.333 mm^2
//   J = ((100 - 5) + (75 - 5))*10^3/3 = 55 000 mm^4
//   Fez = G J/(A r_0^2) = 77 000*55 000/(1650*2433.333) = 1054.795 MPa
wchar_t const* const kAngle = L"L D=100 B=75 t=10";
constexpr double kAngle_Fez = 1054.794520547945e6;

}  // namespace

// ===========================================================================
// Torsional buckling, CrT
// ===========================================================================

TEST(TorsionalBuckling, IWithZeroLengthIsTheSquashLoadWithTheWholeReport) {
    auto const c = Load<CSectionCalcI>(kI);
    CMemberResult r;
    double Fez = 0.0;
    double const Cr = c.CrT(0.0, Fez, &r);
    EXPECT_EQ(Fez, kInf);
    // Lambda = 0: Cr = 0.9 * 7560e-6 * 350e6 = 2 381 400 N.
    EXPECT_REL(Cr, 0.9 * kI_A * Fy);
    // r_x = sqrt(117 110 880/7560) = 124.46 mm; r_y = sqrt(16 023 000/7560) = 46.037 mm;
    // r_0^2 = 15 490.86 + 2119.44 = 17 610.3 mm^2; Cw = 331.776e9 mm^6.
    EXPECT_EQ(r.GetMarkup(),
              L"Determination of CrT due to Torsional-buckling\n"
              L"\t<i>ref. CSA S16-09 cl 13.3.2</i>\n"
              L"\tr_x = sqrt(Ixx/Area) = sqrt(117.1 x10⁶ mm⁴/7560 mm²) =124.5 mm\n"
              L"\tr_y = sqrt(Iyy/Area) = sqrt(16.02 x10⁶ mm⁴/7560 mm²) =46.04 mm\n"
              L"\tx_0 = 0.000 mm, y_0 = 0.000 mm\n"
              L"\tr_0^2 = r_x^2 + r_y^2 + x_0^2 + y_0^2 = 17610 mm²\n"
              L"\tCw = 331.8 x10⁹ mm⁶, J = 0.3264 x10⁶ mm⁴\n"
              L"\tE = 200000 MPa, G = 77000 MPa\n"
              L"\tFez = ( PI*PI*E*Cw/(Le^2) + G*J) / (A*r_0^2)= infinity\n"
              L"\tLambda = sqrt(Fy/Fez) = sqrt( 350.0 MPa / infinity) = 0.000\n"
              L"\tCr = Phi*A*Fy*(1+Lambda^(2*n))^-(1/n)\n"
              L"\t   = Phi*7560 mm²*350.0 MPa*(1+0.000^(2*1.340))^-(1/1.340)\n"
              L"\t   = 2381 kN\n");
    // The heading is written at the caller's level, the working one deeper,
    // and the level is given back.
    auto const& frags = r.Entry(0).fragments;
    ASSERT_FALSE(frags.empty());
    EXPECT_EQ(frags.front().indent, 0);
    EXPECT_EQ(frags.back().indent, 1);
    EXPECT_EQ(r.Indent(), 0);
}

TEST(TorsionalBuckling, IHandCalculation) {
    auto const c = Load<CSectionCalcI>(kI);
    CMemberResult r;
    double Fez = 0.0;
    double const Cr = c.CrT(4.0, Fez, &r);
    // Fez = (pi^2 E Cw/Le^2 + G J)/(A r_0^2)
    //     = (9.8696*200e9*3.31776e-7/16 + 77e9*3.264e-7)/(7560e-6*17 610.30e-6)
    //     = (40 931.2 + 25 132.8)/1.331339e-4 = 496.222 MPa
    double const r0sq = (kI_Ixx + kI_Iyy) / kI_A;
    double const FezHand = (kPi * kPi * E * kI_Cw / 16.0 + G * kI_J) / (kI_A * r0sq);
    EXPECT_REL(Fez, FezHand);
    EXPECT_REL(FezHand, 496.22247449107465e6);
    // Lambda = sqrt(350/496.222) = 0.83984; Cr = 0.9*7560e-6*350e6*(1 + 0.83984^2.68)^(-1/1.34)
    //        = 1 656 540.3 N
    EXPECT_REL(Cr, Curve(kI_A, std::sqrt(Fy / FezHand)));
    EXPECT_REL(Cr, 1656540.2580343625);
    auto const markup = r.GetMarkup();
    EXPECT_NE(markup.find(L"\tFez = ( PI*PI*E*Cw/(Le^2) + G*J) / (A*r_0^2)= 496.2 MPa\n"), CString::npos);
    EXPECT_NE(markup.find(L"\tLambda = sqrt(Fy/Fez) = sqrt( 350.0 MPa / 496.2 MPa) = 0.840\n"), CString::npos);
    EXPECT_NE(markup.find(L"\t   = Phi*7560 mm²*350.0 MPa*(1+0.840^(2*1.340))^-(1/1.340)\n\t   = 1657 kN\n"),
              CString::npos);
}

TEST(TorsionalBuckling, SlenderWebReducesOnlyTheResistingArea) {
    // I D=300 B=200 T=12 Tw=5: web 276/5 = 55.2 > 670/18.708 = 35.81, so
    // (276 - 35.81*5)*5 = 484.67 mm^2 of web is lost in compression.
    //   A    = 4800 + 1380 = 6180 mm^2, Aeff = 5695.33 mm^2
    //   Ixx  = (200*300^3 - 195*276^3)/12 = 108 350 640 mm^4
    //   Iyy  = 16 000 000 + 276*5^3/12 = 16 002 875 mm^4
    //   J    = (691 200 + 288*125)/3 = 242 400 mm^4; Cw as for Tw = 10
    // The elastic stress uses the gross area A (in A r_0^2):
    //   Fez = (40 931.3 + 77e9*2.424e-7)/(6180e-6*(108 350 640 + 16 002 875)e-12/6180e-6)
    //       = 479.247 MPa; Cr = Curve(Aeff, sqrt(350/479.247)) = 1 231 098 N
    auto const c = Load<CSectionCalcI>(L"I D=300 B=200 T=12 Tw=5");
    double Fez = 0.0;
    double const Cr = c.CrT(4.0, Fez, nullptr);
    double const A = 6180e-6;
    double const Aeff = A - (276.0 - 670.0 / std::sqrt(350.0) * 5.0) * 5.0 * 1e-6;
    double const FezHand = (kPi * kPi * E * kI_Cw / 16.0 + G * 242400e-12) / (108350640e-12 + 16002875e-12);
    EXPECT_REL(Fez, FezHand);
    EXPECT_REL(Cr, Curve(Aeff, std::sqrt(Fy / FezHand)));
    EXPECT_REL(Cr, 1231098.1514689777);
}

TEST(TorsionalBuckling, ChannelShearCentreFromTheFlangeWidth) {
    auto const c = Load<CSectionCalcPFC>(kC);
    CMemberResult r;
    double Fez = 0.0;
    double const Cr = c.CrT(3.0, Fez, &r);
    // Fez = (pi^2 E Cw/9 + G J)/(A r_0^2)
    //     = (9.8696*200e9*22.0606e-9/9 + 77e9*1.32779e-7)/(3728e-6*12 141.63e-6)
    //     = (4838.4 + 10 224.0)/4.52640e-5 = 332.767 MPa
    double const r0sq = (kC_Ixx + kC_Iyy) / kC_A + kC_x0 * kC_x0;
    double const FezHand = (kPi * kPi * E * kC_Cw / 9.0 + G * kC_J) / (kC_A * r0sq);
    EXPECT_REL(Fez, FezHand);
    EXPECT_REL(FezHand, 332.7674828624082e6);
    // Lambda = sqrt(350/332.767) = 1.02557; Cr = 682 320 N
    EXPECT_REL(Cr, Curve(kC_A, std::sqrt(Fy / FezHand)));
    EXPECT_REL(Cr, 682320.1932332499);
    auto const markup = r.GetMarkup();
    EXPECT_NE(markup.find(L"\tx_0 = 46.66 mm, y_0 = 0.000 mm\n"), CString::npos);
    EXPECT_NE(markup.find(L"\tFez = (PI*PI*E*Cw/(Le^2)+G*J)/(A*r_0^2)= 332.8 MPa\n"), CString::npos);

    // A wider flange moves the shear centre further from the web, (B1 - Tw/2)
    // entering e squared: C D=250 B=100 T=12 Tw=8 has
    //   A = 2400 + 1808 = 4208 mm^2, Xbar = (2400*50 + 1808*4)/4208 = 30.2357 mm,
    //   Ixx = (100*250^3 - 92*226^3)/12 = (1.5625e9 - 1 061 972 192)/12 = 41 710 650.67 mm^4,
    //   e = (96*238)^2*12/(4*41 710 650.67) = 37.5466 mm,
    //   x_0 = 37.5466 + 30.2357 - 4 = 63.78 mm.
    auto const wide = Load<CSectionCalcPFC>(L"C D=250 B=100 T=12 Tw=8");
    CMemberResult rw;
    wide.CrT(3.0, Fez, &rw);
    EXPECT_NE(rw.GetMarkup().find(L"\tx_0 = 63.78 mm, y_0 = 0.000 mm\n"), CString::npos);
}

TEST(TorsionalBuckling, TeeShearCentreAtTheFlange) {
    auto const c = Load<CSectionCalcT>(kT);
    CMemberResult r;
    double Fez = 0.0;
    double const Cr = c.CrT(3.0, Fez, &r);
    // Fez = (9.8696*200e9*1.78944e-10/9 + 77e9*1.632e-7)/(3780e-6*4760.016e-6)
    //     = (39.246 + 12 566.4)/1.79929e-5 = 700.592 MPa
    double const r0sq = (kT_Ixx + kT_Iyy) / kT_A + kT_y0 * kT_y0;
    double const FezHand = (kPi * kPi * E * kT_Cw / 9.0 + G * kT_J) / (kT_A * r0sq);
    EXPECT_REL(Fez, FezHand);
    EXPECT_REL(FezHand, 700.5916130558313e6);
    // Lambda = sqrt(350/700.592) = 0.70681; Cr = 928 988 N
    EXPECT_REL(Cr, Curve(kT_A, std::sqrt(Fy / FezHand)));
    EXPECT_REL(Cr, 928988.2141644541);
    auto const markup = r.GetMarkup();
    // y_0 = 27.381 mm; r_0^2 = 4760.0 mm^2
    EXPECT_NE(markup.find(L"\tx_0 = 0.000 mm, y_0 = 27.38 mm\n"), CString::npos);
    EXPECT_NE(markup.find(L"\tr_0^2 = r_x^2 + r_y^2 + x_0^2 + y_0^2 = 4760 mm²\n"), CString::npos);
}

TEST(TorsionalBuckling, RhsHasNoWarping) {
    auto const c = Load<CSectionCalcRHS>(kRHS);
    // Fez = G J/(A r_0^2) = 77e9*17.5784e-6/(4544e-6*6742.667e-6) = 44 177.4 MPa for
    // every length but zero; Lambda = sqrt(350/44 177.4) = 0.089009;
    // Cr = 1 429 728.6 N.
    double const FezHand = G * kRHS_J / (kRHS_Ixx + kRHS_Iyy);
    EXPECT_REL(FezHand, 44177.431986718206e6);
    for (double Le : {0.5, 3.0, 9.0, kInf}) {
        double Fez = 0.0;
        double const Cr = c.CrT(Le, Fez, nullptr);
        EXPECT_REL(Fez, FezHand) << Le;
        EXPECT_REL(Cr, 1429728.6499409186) << Le;
    }
    CMemberResult r;
    double Fez = 0.0;
    c.CrT(3.0, Fez, &r);
    auto const markup = r.GetMarkup();
    EXPECT_NE(markup.find(L"\tCw = 0.000 x10⁹ mm⁶, J = 17.58 x10⁶ mm⁴\n"), CString::npos);
    EXPECT_NE(markup.find(L"\tFez = ( PI*PI*E*Cw/(Le^2) + G*J) / (A*r_0^2)= 44177 MPa\n"), CString::npos);
    // A zero length still means no torsional buckling at all.
    EXPECT_REL(c.CrT(0.0, Fez, nullptr), 0.9 * kRHS_A * Fy);
    EXPECT_EQ(Fez, kInf);
}

TEST(TorsionalBuckling, AngleStressDoesNotDependOnLength) {
    auto const c = Load<CSectionCalcAngle>(kAngle);
    double Fez3 = 0.0, Fez6 = 0.0;
    double const Cr3 = c.CrT(3.0, Fez3, nullptr);
    double const Cr6 = c.CrT(6.0, Fez6, nullptr);
    EXPECT_EQ(Fez3, Fez6);
    EXPECT_EQ(Cr3, Cr6);
    EXPECT_REL_TOL(Fez3, kAngle_Fez, 1e-6);  // the hand figures of u_0 and r_0^2 carry 7 digits
    // Lambda = sqrt(350/1054.795) = 0.57604; Cr = Curve(1650 mm^2, 0.57604) = 445 881 N
    EXPECT_REL_TOL(Cr3, Curve(1650e-6, std::sqrt(Fy / kAngle_Fez)), 1e-6);  // as above
    // Le = 0 alone stands apart: no length, no buckling.
    double Fez0 = 0.0;
    EXPECT_REL(c.CrT(0.0, Fez0, nullptr), 0.9 * 1650e-6 * Fy);
    EXPECT_EQ(Fez0, kInf);

    CMemberResult r;
    c.CrT(3.0, Fez3, &r);
    // Iuu + Ivv = 2 427 642 mm^4, u_0 = sqrt(962.03) = 31.017 mm, J = 0.055e6 mm^4.
    auto const markup = r.GetMarkup();
    EXPECT_NE(markup.find(L"\tu_0 = 31.02 mm, v_0 = 0.000 mm\n"), CString::npos);
    EXPECT_NE(markup.find(L"\tr_0^2 = r_u^2 + r_v^2 + u_0^2 + v_0^2 = 2433 mm²\n"), CString::npos);
    EXPECT_NE(markup.find(L"\tJ = 0.05500 x10⁶ mm⁴\n\tE = 200000 MPa, G = 77000 MPa\n"), CString::npos);
    EXPECT_NE(markup.find(L"\tFez = (G*J)/(A*r_0^2)= 1055 MPa\n"), CString::npos);
    EXPECT_EQ(markup.find(L"Cw"), CString::npos);
    EXPECT_NE(markup.find(L"\tr_u = sqrt(Iuu/Area) = sqrt("), CString::npos);
    EXPECT_NE(markup.find(L"\tr_v = sqrt(Ivv/Area) = sqrt("), CString::npos);
}

TEST(TorsionalBuckling, HeavyA36SectionUsesTheLowerExponent) {
    // I D=600 B=400 T=40 Tw=20: A = 2*400*40 + 520*20 = 42 400 mm^2, 332.8 kg/m
    // (> 313), so n = 0.93 in ASTM A36 and 1.34 in 350W.
    auto const a36 = Load<CSectionCalcI>(L"I D=600 B=400 T=40 Tw=20", L"ASTM_A36");
    auto const w350 = Load<CSectionCalcI>(L"I D=600 B=400 T=40 Tw=20");
    CMemberResult ra, rw;
    double Fez = 0.0;
    a36.CrT(8.0, Fez, &ra);
    w350.CrT(8.0, Fez, &rw);
    EXPECT_NE(ra.GetMarkup().find(L"^(2*0.930))^-(1/0.930)\n"), CString::npos);
    EXPECT_NE(rw.GetMarkup().find(L"^(2*1.340))^-(1/1.340)\n"), CString::npos);
}

// ===========================================================================
// Flexural-torsional buckling, CrFT
// ===========================================================================

TEST(TorsionalBuckling, ChannelFlexuralTorsionalReport) {
    auto const c = Load<CSectionCalcPFC>(kC);
    // At Le = 3 m: Fex = pi^2 E/(3000/96.766)^2 = 2053.674 MPa (r_x = sqrt(Ixx/A));
    // Fez = 332.767 MPa (above).
    double const Fex = kPi * kPi * E / std::pow(3.0 / std::sqrt(kC_Ixx / kC_A), 2);
    double const r0sq = (kC_Ixx + kC_Iyy) / kC_A + kC_x0 * kC_x0;
    double const Fez = (kPi * kPi * E * kC_Cw / 9.0 + G * kC_J) / (kC_A * r0sq);
    CMemberResult r;
    double FeFT = 0.0;
    double const Cr = c.CrFT(Fex, 1.0e6, Fez, FeFT, &r);  // Fey is not used by a channel
    // Omega = 0.820697;
    // Fexz = (2053.674 + 332.767)/(2*0.820697) * (1 - sqrt(1 - 4*2053.674*332.767*0.820697/2386.441^2))
    //      = 1453.91 * (1 - sqrt(1 - 0.393925)) = 1453.91 * 0.221492 = 322.030 MPa
    double const Omega = 1.0 - kC_x0 * kC_x0 / r0sq;
    double const FeFTHand =
        (Fex + Fez) / (2.0 * Omega) * (1.0 - std::sqrt(1.0 - 4.0 * Fex * Fez * Omega / std::pow(Fex + Fez, 2)));
    EXPECT_REL(FeFT, FeFTHand);
    EXPECT_REL(FeFTHand, 322.0295707459597e6);
    // Lambda = sqrt(350/322.030) = 1.04252; Cr = 670 728 N
    EXPECT_REL(Cr, Curve(kC_A, std::sqrt(Fy / FeFTHand)));
    EXPECT_REL(Cr, 670728.3790299086);
    // Ixx = 34.91e6 mm^4, r_x = 96.77 mm; Iyy = 2.240e6 mm^4, r_y = 24.51 mm;
    // r_0^2 = 12 142 mm^2; Cw = 22.06e9 mm^6; J = 0.1328e6 mm^4.
    EXPECT_EQ(r.GetMarkup(),
              L"Determination of CrFT due to Flexural-Torsional buckling\n"
              L"\t<i>ref. CSA S16-09 cl 13.3.2</i>\n"
              L"\tr_x = sqrt(Ixx/Area) = sqrt(34.91 x10⁶ mm⁴/3728 mm²) =96.77 mm\n"
              L"\tr_y = sqrt(Iyy/Area) = sqrt(2.240 x10⁶ mm⁴/3728 mm²) =24.51 mm\n"
              L"\tx_0 = 46.66 mm, y_0 = 0.000 mm\n"
              L"\tr_0^2 = r_x^2 + r_y^2 + x_0^2 + y_0^2 = 12142 mm²\n"
              L"\tCw = 22.06 x10⁹ mm⁶, J = 0.1328 x10⁶ mm⁴\n"
              L"\tE = 200000 MPa, G = 77000 MPa\n"
              L"\tOmega = 1-(x_0^2+Y_0^2)/r_0^2 = 0.821\n"
              L"\tFexz = (Fex+Fez)/(2*Omega) *(1-sqrt(1-4*Fex*Fez*Omega/(Fex+Fez)^2)) =322.0 MPa\n"
              L"\tLambda = sqrt(Fy/Fexz) = sqrt( 350.0 MPa / 322.0 MPa) = 1.043\n"
              L"\tCr = Phi*A*Fy*(1+Lambda^(2*n))^-(1/n)\n"
              L"\t   = Phi*3728 mm²*350.0 MPa*(1+1.043^(2*1.340))^-(1/1.340)\n"
              L"\t   = 670.7 kN\n");
}

TEST(TorsionalBuckling, UnboundFlexuralStressGivesTheSquashLoad) {
    auto const c = Load<CSectionCalcPFC>(kC);
    // Squash load 0.9*3728e-6*350e6 = 1 174 320 N whenever one stress is
    // infinite or not a number (e.g. from a zero effective length).
    for (double Fex : {kInf, kNaN}) {
        double FeFT = 0.0;
        EXPECT_REL(c.CrFT(Fex, 1e8, 300e6, FeFT, nullptr), 0.9 * kC_A * Fy);
        EXPECT_EQ(FeFT, kInf);
    }
    double FeFT = 0.0;
    EXPECT_REL(c.CrFT(300e6, 1e8, kInf, FeFT, nullptr), 0.9 * kC_A * Fy);
    EXPECT_EQ(FeFT, kInf);
    // The tee couples Fey, not Fex: an infinite Fex changes nothing.
    auto const t = Load<CSectionCalcT>(kT);
    double a = 0.0, b = 0.0;
    EXPECT_EQ(t.CrFT(kInf, 400e6, 700e6, a, nullptr), t.CrFT(1.0, 400e6, 700e6, b, nullptr));
    EXPECT_EQ(a, b);
    EXPECT_LT(a, 400e6);
}

TEST(TorsionalBuckling, EqualStressesCoupleToFeOverOnePlusRoot) {
    // With Fe1 = Fez = F the formula reduces to
    //   FeFT = F (1 - sqrt(1 - Omega))/Omega = F/(1 + sqrt(1 - Omega)),
    // which is F itself when Omega = 1 (shear centre at the centroid).
    // Tee: Omega = 0.842497, so FeFT = F/(1 + 0.396867) = 0.715888 F.
    auto const t = Load<CSectionCalcT>(kT);
    double const r0sq = (kT_Ixx + kT_Iyy) / kT_A + kT_y0 * kT_y0;
    double const Omega = 1.0 - kT_y0 * kT_y0 / r0sq;
    double const F = 500e6;
    double FeFT = 0.0;
    CMemberResult r;
    t.CrFT(0.0, F, F, FeFT, &r);
    EXPECT_REL(FeFT, F / (1.0 + std::sqrt(1.0 - Omega)));
    EXPECT_REL_TOL(FeFT, 357.9440e6, 1e-6);  // the hand figure 500/1.396867, to 7 digits
    auto const markup = r.GetMarkup();
    EXPECT_NE(markup.find(L"\tOmega = 1-(x_0^2+y_0^2)/r_0^2 = 0.842\n"), CString::npos);
    // 500/1.396867 = 357.94 MPa
    EXPECT_NE(markup.find(L"\tFeyz = (Fey+Fez)/(2*Omega) *(1-sqrt(1-4*Fey*Fez*Omega/(Fey+Fez)^2)) =357.9 MPa\n"),
              CString::npos);
    EXPECT_NE(markup.find(L"\tLambda = sqrt(Fy/Feyz) = sqrt( 350.0 MPa / 357.9 MPa) = "), CString::npos);

    // The coupled stress never exceeds either of its parts.
    for (double Fe1 : {1e6, 100e6, 500e6, 5e9, 1e12}) {
        t.CrFT(0.0, Fe1, F, FeFT, nullptr);
        EXPECT_LE(FeFT, std::min(Fe1, F)) << Fe1;
        EXPECT_GT(FeFT, 0.0) << Fe1;
    }
}

TEST(TorsionalBuckling, AngleCouplesTheVStress) {
    auto const c = Load<CSectionCalcAngle>(kAngle);
    // Omega = 1 - u_0^2/r_0^2 = 1 - 962.035/2433.333 = 0.604643; with
    // Fev = Fez = 1054.795 MPa: FeFT = 1054.795/(1 + sqrt(0.395357)) = 647.60 MPa.
    CMemberResult r;
    double FeFT = 0.0;
    c.CrFT(1.0, kAngle_Fez, kAngle_Fez, FeFT, &r);
    EXPECT_REL_TOL(FeFT, kAngle_Fez / (1.0 + std::sqrt(1.0 - 0.604643)), 1e-5);  // Omega to 6 digits
    auto const markup = r.GetMarkup();
    EXPECT_NE(markup.find(L"\tOmega = 1-(u_0^2+v_0^2)/r_0^2 = 0.605\n"), CString::npos);
    EXPECT_NE(markup.find(L"\tFevz = (Fev+Fez)/(2*Omega) *(1-sqrt(1-4*Fev*Fez*Omega/(Fev+Fez)^2)) =647.6 MPa\n"),
              CString::npos);
    EXPECT_NE(markup.find(L"\tLambda = sqrt(Fy/FeFT) = sqrt( 350.0 MPa / 647.6 MPa) = "), CString::npos);
}

TEST(TorsionalBuckling, UnequalFlangeIHasItsShearCentreOffTheCentroid) {
    // I D=300 B1=200 T1=20 B2=100 T2=10 Tw=10, no fillets.
    // Flange second moments I1 = 20*200^3/12 = 13.3333e6, I2 = 10*100^3/12
    // = 0.8333e6 mm^4; h0 = 300 - 15 = 285 mm; shear centre above the bottom
    // face 5 + 285*13.3333/14.1667 = 273.235 mm. Centroid: A = 4000 + 1000
    // + 2700 = 7700 mm^2, ybar = (4000*290 + 1000*5 + 2700*145)/7700
    // = 202.143 mm; y_0 = 71.092 mm.
    auto const i = Load<CSectionCalcI>(L"I D=300 B1=200 T1=20 B2=100 T2=10 Tw=10");
    CMemberResult r;
    double Fez = 0.0;
    i.CrT(4.0, Fez, &r);
    EXPECT_NE(r.GetMarkup().find(L"\tx_0 = 0.000 mm, y_0 = 71.09 mm\n"), CString::npos) << Corvid::Narrow(r.GetMarkup());
    // The coupled mode is below both flexure about y and torsion alone.
    double Fey = 0.0, FeFT = 0.0;
    i.Cryy(4.0, Fey, nullptr);
    double const Cr = i.CrFT(0.0, Fey, Fez, FeFT, nullptr);
    EXPECT_LT(FeFT, std::min(Fey, Fez));
    EXPECT_TRUE(std::isfinite(Cr));
    // r_0^2 = (Ixx + Iyy)/A + y_0^2; Omega = 1 - y_0^2/r_0^2; the lower root
    // of (Fey - F)(Fez - F) - F^2 y_0^2/r_0^2 = 0 is FeFT.
    double const y0 = 273.2352941176471e-3 - 1556500.0 / 7700.0 * 1e-3;
    double const r0sq = (i.Ixx() + i.Iyy()) / i.Area() + y0 * y0;
    double const Omega = 1.0 - y0 * y0 / r0sq;
    // Both sides are products of stresses near 1e17 Pa^2; 1e-9 leaves room
    // for the cancellation inside (Fe - FeFT).
    EXPECT_REL_TOL((Fey - FeFT) * (Fez - FeFT), FeFT * FeFT * (1.0 - Omega), 1e-9);
}

TEST(TorsionalBuckling, ModesThatCannotGovernReturnInfinityQuietly) {
    auto const i = Load<CSectionCalcI>(kI);
    auto const rhs = Load<CSectionCalcRHS>(kRHS);
    auto const chs = Load<CSectionCalcCHS>(L"CHS D=168 t=6");
    CMemberResult r;
    double Fe = 123.0;  // untouched by these
    EXPECT_EQ(i.CrFT(1e8, 1e8, 1e8, Fe, &r), kInf);
    EXPECT_EQ(rhs.CrFT(1e8, 1e8, 1e8, Fe, &r), kInf);
    EXPECT_EQ(chs.CrFT(1e8, 1e8, 1e8, Fe, &r), kInf);
    EXPECT_EQ(chs.CrT(3.0, Fe, &r), kInf);
    EXPECT_EQ(Fe, 123.0);
    EXPECT_EQ(r.GetMarkup(), L"");
    EXPECT_EQ(r.Flags(), 0u);
}

TEST(TorsionalBuckling, OddInputsGiveDefinedResults) {
    auto const i = Load<CSectionCalcI>(kI);
    // A length that is not a number takes the warping term at its least
    // (an endless member): Fez = G J/(A r_0^2) = 77e9*3.264e-7/(7560e-6*17 610.30e-6)
    // = 188.778 MPa, the same as for an infinite length.
    double FezNaN = 0.0, FezInf = 0.0;
    double const CrNaN = i.CrT(kNaN, FezNaN, nullptr);
    double const CrInf = i.CrT(kInf, FezInf, nullptr);
    EXPECT_REL(FezInf, G * kI_J / (kI_Ixx + kI_Iyy));
    EXPECT_EQ(FezNaN, FezInf);
    EXPECT_EQ(CrNaN, CrInf);
    EXPECT_TRUE(std::isfinite(CrNaN));
    // No elastic resistance in one mode leaves none in the coupled mode.
    auto const c = Load<CSectionCalcPFC>(kC);
    double FeFT = -1.0;
    EXPECT_EQ(c.CrFT(0.0, 0.0, 0.0, FeFT, nullptr), 0.0);
    EXPECT_EQ(FeFT, 0.0);
    EXPECT_EQ(c.CrFT(300e6, 0.0, 0.0, FeFT, nullptr), 0.0);
    EXPECT_EQ(FeFT, 0.0);
    // Stresses far apart keep their precision. With Fez >> Fe1,
    // FeFT = Fe1 (1 - Fe1 (1 - Omega)/Fez + ...) = 1000 (1 - 1.8e-13) Pa here;
    // 1 - sqrt(1 - 3.3e-12) evaluated as written would keep only about four digits.
    EXPECT_GT(c.CrFT(1e3, 0.0, 1e15, FeFT, nullptr), 0.0);
    EXPECT_REL(FeFT, 1e3);
}

TEST(TorsionalBuckling, NoResultAndQuietResultGiveTheSameValues) {
    auto const c = Load<CSectionCalcPFC>(kC);
    CMemberResult quiet;
    quiet.EnableText(false);
    double a = 0.0, b = 0.0;
    EXPECT_EQ(c.CrT(3.0, a, nullptr), c.CrT(3.0, b, &quiet));
    EXPECT_EQ(a, b);
    EXPECT_EQ(c.CrFT(2e9, 0.0, 3e8, a, nullptr), c.CrFT(2e9, 0.0, 3e8, b, &quiet));
    EXPECT_EQ(a, b);
    EXPECT_EQ(quiet.GetMarkup(), L"");
    EXPECT_EQ(quiet.Flags(), 0u);
    EXPECT_EQ(quiet.Indent(), 0);
}

// ===========================================================================
// Elastic critical moment, Mcr
// ===========================================================================

TEST(LateralTorsional, IElasticCriticalMoment) {
    auto const c = Load<CSectionCalcI>(kI);
    CMemberResult r;
    double const Le = 4.0;
    double const Mu = c.Mcr(Le, 1.0, &r);
    // Mu = (w2 pi/Le) sqrt(E Iy G J + (pi E/Le)^2 Iy Cw)
    //    = (pi/4) sqrt(200e9*16.023e-6*77e9*3.264e-7 + (pi*200e9/4)^2*16.023e-6*3.31776e-7)
    //    = 0.785398 * sqrt(8.05406e10 + 1.311682e11) = 0.785398*460 118.2 = 361 376.0 N.m
    double const MuHand = (kPi / 4.0) * std::sqrt(E * kI_Iyy * G * kI_J + std::pow(kPi * E / 4.0, 2) * kI_Iyy * kI_Cw);
    EXPECT_REL(Mu, MuHand);
    EXPECT_REL(Mu, 361375.998893304);
    EXPECT_EQ(r.GetMarkup(),
              L"\tLe = 4.000 m, w2 = 1.000\n"
              L"\tCw = 331.8 x10⁹ mm⁶, J = 0.3264 x10⁶ mm⁴\n"
              L"\tE = 200000 MPa, G = 77000 MPa\n"
              L"\t<i>CSA S16 - 09 cl 13.6 (a), </i>\tMu = 361.4 kN·m \n");
    // w2 scales Mu; a doubled length more than halves it (warping falls with 1/Le^2).
    EXPECT_REL(c.Mcr(Le, 1.75, nullptr), 1.75 * MuHand);
    EXPECT_LT(c.Mcr(2.0 * Le, 1.0, nullptr), MuHand / 2.0);
}

TEST(LateralTorsional, RhsCriticalMomentHasNoWarping) {
    auto const c = Load<CSectionCalcRHS>(kRHS);
    CMemberResult r;
    double const Mu = c.Mcr(5.0, 1.0, &r);
    // Mu = (pi/5) sqrt(E Iy G J) = 0.628319*sqrt(200e9*7.57854e-6*77e9*17.5784e-6)
    //    = 0.628319*1 432 329.6 = 899 959.2 N.m
    EXPECT_REL(Mu, (kPi / 5.0) * std::sqrt(E * kRHS_Iyy * G * kRHS_J));
    EXPECT_REL(Mu, 899959.2425694492);
    EXPECT_NE(r.GetMarkup().find(L"\tCw = 0.000 x10⁹ mm⁶, J = 17.58 x10⁶ mm⁴\n"), CString::npos);
    // Without warping Mu falls exactly as 1/Le.
    EXPECT_REL(c.Mcr(10.0, 1.0, nullptr), Mu / 2.0);
}

TEST(LateralTorsional, CriticalMomentAtOddLengths) {
    auto const i = Load<CSectionCalcI>(kI);
    auto const rhs = Load<CSectionCalcRHS>(kRHS);
    // No length: nothing can buckle, for the warping and the warping-free section.
    EXPECT_EQ(i.Mcr(0.0, 1.0, nullptr), kInf);
    EXPECT_EQ(rhs.Mcr(0.0, 1.0, nullptr), kInf);
    // An endless or unknown length gives no critical moment.
    EXPECT_EQ(i.Mcr(kInf, 1.0, nullptr), 0.0);
    EXPECT_EQ(i.Mcr(kNaN, 1.0, nullptr), 0.0);
    EXPECT_EQ(rhs.Mcr(kNaN, 1.0, nullptr), 0.0);
    EXPECT_EQ(i.Mcr(0.0, 0.0, nullptr), 0.0);
}

TEST(LateralTorsional, ShapesWithoutCriticalMoment) {
    CMemberResult r;
    EXPECT_EQ(Load<CSectionCalcT>(kT).Mcr(4.0, 1.0, &r), 0.0);
    EXPECT_EQ(Load<CSectionCalcCHS>(L"CHS D=168 t=6").Mcr(4.0, 1.0, &r), 0.0);
    EXPECT_EQ(Load<CSectionCalcAngle>(kAngle).Mcr(4.0, 1.0, &r), 0.0);
    EXPECT_EQ(r.GetMarkup(), L"");
}

// ===========================================================================
// Lateral-torsional resistance, Mbxx
// ===========================================================================

TEST(LateralTorsional, ElasticRangeReachesExactlyTwoThirdsOfMp) {
    auto const c = Load<CSectionCalcI>(kI);
    // Class 2 (flange 8.33), so M = Mp = Z fy = 881 640e-9*350e6 = 308 574 N.m.
    EXPECT_REL(c.Sxx() * Fy, kI_Mp);
    // Mu = 0.67 Mp = 206 744.58 N.m, formed as the check forms it.
    double const Mu = 0.67 * (c.Sxx() * c.DesignStressMin());
    CMemberResult r;
    EXPECT_EQ(c.Mbxx(Mu, &r), 0.9 * Mu);
    // 0.9*206 744.58 = 186 070.1 N.m
    EXPECT_EQ(Fragments(r), (std::vector<CString>{
                                L"\tMp = 308.6 kN·m\n",
                                L"\tMu = 206.7 kN·m < 0.67 * 308.6 kN·m\n",
                                L"\tMr = 0.900*206.7 kN·m = 186.1 kN·m\n",
                            }));
    // The next representable moment is in the inelastic range:
    // Mr1 = 1.035 Mp (1 - 0.28/0.67) = 0.60246 Mp, below 0.9 Mp, so Mr = Mr1.
    double const above = std::nextafter(Mu, kInf);
    EXPECT_REL(c.Mbxx(above, nullptr), 1.035 * kI_Mp * (1.0 - 0.28 / 0.67));
}

TEST(LateralTorsional, VeryLargeCriticalMomentCapsAtPhiMp) {
    auto const c = Load<CSectionCalcI>(kI);
    CMemberResult r;
    double const Mu = 1e9;
    // Mr1 = 1.035 Mp (1 - 0.28 Mp/Mu) = 319 374.09*(1 - 8.64e-5) = 319 346.5 N.m
    // > 0.9 Mp = 277 716.6 N.m, so Mr = 0.9 Mp.
    EXPECT_REL(c.Mbxx(Mu, &r), 0.9 * kI_Mp);
    EXPECT_EQ(r.GetMarkup(),
              L"\tMp = 308.6 kN·m\n"
              L"\tMu = 1000000 kN·m > 0.67 * 308.6 kN·m\n"
              L"\tMr = 1.15*Phi*Mp*(1-0.28*Mp/Mu)\n"
              L"\t   = 1.15*0.900*308.6 kN·m*(1-0.28*308.6 kN·m/1000000 kN·m)\n"
              L"\t   = 319.3 kN·m  >  0.900*308.6 kN·m\n"
              L"\tMr = 277.7 kN·m\n");
    // An infinite critical moment (zero length) gives the same cap.
    EXPECT_REL(c.Mbxx(kInf, nullptr), 0.9 * kI_Mp);
}

TEST(LateralTorsional, JustAboveTheLimitKeepsTheFormula) {
    auto const c = Load<CSectionCalcI>(kI);
    CMemberResult r;
    double const Mu = 0.7 * kI_Mp;  // 216 001.8 N.m
    // Mr1 = 1.035 Mp (1 - 0.28/0.7) = 0.621 Mp = 191 624.5 N.m < 0.9 Mp
    EXPECT_REL(c.Mbxx(Mu, &r), 0.621 * kI_Mp);
    EXPECT_EQ(Fragments(r), (std::vector<CString>{
                                L"\tMp = 308.6 kN·m\n",
                                L"\tMu = 216.0 kN·m > 0.67 * 308.6 kN·m\n",
                                L"\tMr = 1.15*Phi*Mp*(1-0.28*Mp/Mu)\n"
                                L"\t   = 1.15*0.900*308.6 kN·m*(1-0.28*308.6 kN·m/216.0 kN·m)\n"
                                L"\t   = 191.6 kN·m",
                                L"\n",
                            }));
}

TEST(LateralTorsional, ClassThreeIUsesTheYieldMoment) {
    // I D=300 B=200 T=10 Tw=10: flange 100/10 = 10 (class 3: 9.09 < 10 <= 10.69),
    // web 280/10 = 28 (class 1).
    //   Ixx = (200*300^3 - 190*280^3)/12 = (5.4e9 - 4 170 880 000)/12 = 102 426 666.7 mm^4
    //   S = Ixx/150 = 682 844.4 mm^3; My = 238 995.6 N.m
    auto const c = Load<CSectionCalcI>(L"I D=300 B=200 T=10 Tw=10");
    double const My = 102426666.66666667e-12 / 0.150 * Fy;
    CMemberResult r;
    double const Mr = c.Mbxx(2.0 * My, &r);
    // Mr1 = 1.035 My (1 - 0.14) = 0.8901 My < 0.9 My
    EXPECT_REL(Mr, 0.8901 * My);
    EXPECT_EQ(Fragments(r), (std::vector<CString>{
                                L"\tMy = 239.0 kN·m\n",
                                L"\tMu = 478.0 kN·m > 0.67 * 239.0 kN·m\n",
                                L"\tMr = 1.15*Phi*My*(1-0.28*My/Mu)\n"
                                L"\t   = 1.15*0.900*239.0 kN·m*(1-0.28*239.0 kN·m/478.0 kN·m)\n"
                                L"\t   = 212.7 kN·m",
                                L"\n",
                            }));
}

TEST(LateralTorsional, ChannelAndTeeUseTheYieldMoment) {
    // The channel is class 1, yet M = My = S fy = 279 260.9e-9*350e6 = 97 741.3 N.m.
    auto const c = Load<CSectionCalcPFC>(kC);
    CMemberResult rc;
    EXPECT_REL(c.Mbxx(50e3, &rc), 0.9 * 50e3);
    EXPECT_EQ(rc.GetMarkup(),
              L"\tMy = 97.74 kN·m\n"
              L"\tMu = 50.00 kN·m < 0.67 * 97.74 kN·m\n"
              L"\tMr = 0.900*50.00 kN·m = 45.00 kN·m\n");
    // Mu = 2 My: Mr1 = 1.035 My (1 - 0.14) = 0.8901 My = 86 999.5 N.m
    EXPECT_REL(c.Mbxx(2.0 * kC_My, nullptr), 0.8901 * kC_My);

    // The tee offers no critical moment, so its resistance is 0.9*0 = 0
    // through the elastic branch; My = 61 288.7e-9*350e6 = 21 451.05 N.m.
    auto const t = Load<CSectionCalcT>(kT);
    CMemberResult rt;
    double const Mu = t.Mcr(4.0, 1.0, &rt);
    EXPECT_EQ(Mu, 0.0);
    EXPECT_EQ(t.Mbxx(Mu, &rt), 0.0);
    EXPECT_EQ(rt.GetMarkup(),
              L"\tMy = 21.45 kN·m\n"
              L"\tMu = 0.000 kN·m < 0.67 * 21.45 kN·m\n"
              L"\tMr = 0.900*0.000 kN·m = 0.000 kN·m\n");
    EXPECT_EQ(rc.GetMarkup().find(L"Mp"), CString::npos);
}

TEST(LateralTorsional, TeeTestsTheMagnitudeOfMu) {
    // Mu = -0.7 My. The tee (classes 1 to 3) compares |Mu| = 0.7 My > 0.67 My:
    // Mr1 = 1.035 My (1 - 0.28/(-0.7)) = 1.449 My > 0.9 My, so Mr = 0.9 My
    // = 19 305.9 N.m. The channel compares Mu itself: elastic, Mr = 0.9 Mu.
    auto const t = Load<CSectionCalcT>(kT);
    EXPECT_REL(t.Mbxx(-0.7 * kT_My, nullptr), 0.9 * kT_My);
    auto const c = Load<CSectionCalcPFC>(kC);
    EXPECT_REL(c.Mbxx(-0.7 * kC_My, nullptr), 0.9 * -0.7 * kC_My);
}

TEST(LateralTorsional, ShapesWithFixedResistance) {
    // A round tube does not buckle laterally: the section's Mrxx for any Mu.
    auto const chs = Load<CSectionCalcCHS>(L"CHS D=168 t=6");
    CMemberResult r;
    for (double Mu : {0.0, 1e3, 1e9})
        EXPECT_EQ(chs.Mbxx(Mu, &r), chs.Mrxx(nullptr));
    EXPECT_GT(chs.Mrxx(nullptr), 0.0);
    // A single angle offers no bending resistance.
    EXPECT_EQ(Load<CSectionCalcAngle>(kAngle).Mbxx(1e6, &r), 0.0);
    EXPECT_EQ(r.GetMarkup(), L"");
}

TEST(LateralTorsional, InvalidClassGivesNoResistance) {
    // A fabrication the classification does not cover leaves the RHS
    // without a class: no resistance and no report.
    auto c = Load<CSectionCalcRHS>(kRHS);
    c.SetFabricationType(2);
    CMemberResult r;
    EXPECT_EQ(c.Mbxx(1e6, &r), 0.0);
    EXPECT_EQ(r.GetMarkup(), L"");
}

TEST(LateralTorsional, ClassFourINeverExceedsTheReducedMoment) {
    // I D=303 B=203 T=8 Tw=7.5: flange 101.5/8 = 12.69 > 10.69 (class 4),
    // web 287/7.5 = 38.3 (class 1). M = My = M'r/0.9, so the cap 0.9 My
    // is M'r itself. These relations hold whatever M'r is.
    auto const c = Load<CSectionCalcI>(L"I D=303 B=203 T=8 Tw=7.5");
    double const MrDash = c.MrDashxx(nullptr);
    for (double Mu : {0.0, 1e4, 1e5, 2e5, 5e5, 1e9, kInf})
        EXPECT_LE(c.Mbxx(Mu, nullptr), MrDash * (1.0 + 1e-12)) << Mu;
    EXPECT_REL(c.Mbxx(kInf, nullptr), MrDash);

    CMemberResult r;
    c.Mbxx(1e9, &r);
    auto const& f = r.Format();
    auto const frags = Fragments(r);
    ASSERT_GE(frags.size(), 3u);
    EXPECT_EQ(frags[0], L"\tM'r_xx = " + f.Moment(MrDash) + L"\n");
    EXPECT_EQ(frags[1], L"\tMy = " + f.Moment(MrDash / 0.9) + L"\n");
    // No space after the asterisk in the class 4 comparison.
    EXPECT_EQ(frags[2], L"\tMu = " + f.Moment(1e9) + L" > 0.67 *" + f.Moment(MrDash / 0.9) + L"\n");
    // The class 4 flange is flagged through the class of the section.
    EXPECT_EQ(r.Flags() & 0x400000u, 0x400000u);
    // The elastic comparison has the same spacing.
    CMemberResult low;
    c.Mbxx(0.0, &low);
    auto const lowFrags = Fragments(low);
    ASSERT_GE(lowFrags.size(), 3u);
    EXPECT_EQ(lowFrags[2], L"\tMu = " + f.Moment(0.0) + L" < 0.67 *" + f.Moment(MrDash / 0.9) + L"\n");
}

TEST(LateralTorsional, ClassFourRhsWritesTheReducedMomentWorkingFirst) {
    // RHS D=200 B=200 t=5: flange (200 - 20)/5 = 36 > 670/18.708 = 35.81
    // (class 4), web 36 in flexure (class 1).
    auto const c = Load<CSectionCalcRHS>(L"RHS D=200 B=200 t=5");
    CMemberResult alone;
    double const MrDash = c.MrDashxx(&alone);
    CMemberResult r;
    double const Mr = c.Mbxx(1e9, &r);
    EXPECT_REL(Mr, MrDash);
    auto const& f = r.Format();
    CString const expected = alone.GetMarkup() + L"\tM'r_xx = " + f.Moment(MrDash) + L"\n\tMy = " +
                             f.Moment(MrDash / 0.9) + L"\n";
    EXPECT_EQ(r.GetMarkup().substr(0, expected.size()), expected);
    EXPECT_EQ(r.Flags() & 0x100000u, 0x100000u);
    // Without a result nothing is flagged; a quiet result is flagged but
    // gets no lines.
    CMemberResult quiet;
    quiet.EnableText(false);
    EXPECT_EQ(c.Mbxx(1e9, &quiet), c.Mbxx(1e9, nullptr));
    EXPECT_EQ(quiet.GetMarkup(), L"");
    EXPECT_EQ(quiet.Flags(), 0x100000u);
}

TEST(LateralTorsional, NoResultAndQuietResultGiveTheSameValues) {
    auto const i = Load<CSectionCalcI>(kI);
    auto const rhs = Load<CSectionCalcRHS>(kRHS);
    CMemberResult quiet;
    quiet.EnableText(false);
    EXPECT_EQ(i.Mcr(4.0, 1.3, nullptr), i.Mcr(4.0, 1.3, &quiet));
    EXPECT_EQ(rhs.Mcr(4.0, 1.3, nullptr), rhs.Mcr(4.0, 1.3, &quiet));
    for (double Mu : {1e5, 0.67 * kI_Mp, 0.7 * kI_Mp, 1e9}) {
        EXPECT_EQ(i.Mbxx(Mu, nullptr), i.Mbxx(Mu, &quiet)) << Mu;
        EXPECT_EQ(rhs.Mbxx(Mu, nullptr), rhs.Mbxx(Mu, &quiet)) << Mu;
    }
    EXPECT_EQ(quiet.GetMarkup(), L"");
    EXPECT_EQ(quiet.Flags(), 0u);
}

TEST(LateralTorsional, CriticalMomentThatIsNotANumberCountsAsNone) {
    auto const i = Load<CSectionCalcI>(kI);
    CMemberResult r;
    EXPECT_EQ(i.Mbxx(kNaN, &r), 0.0);
    EXPECT_NE(r.GetMarkup().find(L"\tMr = 0.900*0.000 kN·m = 0.000 kN·m\n"), CString::npos);
}
