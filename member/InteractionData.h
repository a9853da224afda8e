#pragma once
// Per-sub-span record of the member buckling checks.
#include "framework/Span.h"

namespace Corvid::Steel::SteelCSAS1609 {

struct CInteractionData {
    CSpan spanXX;                  // major-axis span containing the sub-span
    CSpan spanYY;                  // minor-axis span
    CSpan spanLT;                  // torsional / lateral-torsional span
    double Mrx1 = 0, Mrx2 = 0;     // moment resistances paired with Mfx1, Mfx2 (N.m)
    double CrX = 0, CrY = 0;       // compressive resistances, effective length (N)
    double CrX_L = 0, CrY_L = 0;   // the same for the span's actual length
    double CrT_L = 0, CrFT_L = 0;  // torsional, flexural-torsional at actual length
    double CrT = 0, CrFT = 0;      // torsional, flexural-torsional
    double Mfx1 = 0, Mfx2 = 0;     // major-axis moments (N.m)
    // The sense of Mfx1 and Mfx2 as the lateral-torsional check stored them:
    // -1 for a negative moment (compressing flange 1), +1 otherwise.
    double senseX1 = 1, senseX2 = 1;
    double MfyMax = 0;                           // largest minor-axis moment magnitude
    double senseY = 1;                           // its sense (-1 for a negative moment)
    double MfyOpposite = 0;                      // largest magnitude of the minor-axis moments of the other sense
    double CuX = 0, CuY = 0, CuT = 0, CuFT = 0;  // axial compressions (N)
    double FeX = 0, FeY = 0, FeT = 0, FeFT = 0;  // elastic buckling stresses (Pa)
    double FeX_L = 0, FeY_L = 0, FeT_L = 0, FeFT_L = 0;
    double lambdaY = 0;     // minor-axis slenderness
    bool ltChecked = true;  // lateral-torsional check performed
};

}  // namespace Corvid::Steel::SteelCSAS1609
