// libFuzzer target: the section description reader on arbitrary bytes. A
// description reads or throws std::invalid_argument; a section that reads
// names itself exactly (the name reads back as the same shape and dimensions),
// and its geometry and calculator answer every property, class and resistance
// without a NaN or a negative value, however degenerate the dimensions.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "framework/MemberResult.h"
#include "framework/SectGeom.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

using Corvid::Data::CSection;
using Corvid::Steel::CMemberResult;
using Corvid::Steel::CSteelGrade;
using Corvid::Steel::SteelCSAS1609::CCSA_S16_09Section;
using Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member;

namespace {

// A quantity that may be +infinity or zero but never NaN or negative.
void NonNegative(double v, char const* what) { S16_FUZZ_CHECK(!std::isnan(v) && v >= 0.0, what); }
void NotNaN(double v, char const* what) { S16_FUZZ_CHECK(!std::isnan(v), what); }
// An effective modulus: never negative; NaN where the tube's formula has no
// effective area to divide by (test_effective_properties.cpp pins that).
void NotNegative(double v, char const* what) { S16_FUZZ_CHECK(!(v < 0.0), what); }

void Geometry(Corvid::Steel::CDesSectGeom const& g) {
    auto const& p = g.Props();
    for (double v : {p.A, p.Ixx, p.Iyy, p.Sxx, p.Syy, p.Zxx, p.Zyy, p.J, p.Cw, p.Iuu, p.Ivv, g.GetDepth(),
                     g.GetWidth(), g.GetThickness()})
        NonNegative(v, "A, I, S, Z, J, Cw, depth, width or thickness");
    for (double v : {p.Xbar, p.Ybar, p.Ixy, p.Alpha, p.XbarPlastic, p.YbarPlastic}) NotNaN(v, "centroid, Ixy or alpha");
}

// Everything a calculator answers about its section alone (in the order asked before).
void Calculator(CCSA_S16_09Section& c, CMemberResult& r) {
    using S = CCSA_S16_09Section;
    for (auto const get : {&S::BucklingClassXX, &S::BucklingClassYY, &S::BucklingClassAxial, &S::BucklingClassOverAll,
                           &S::BucklingClassBiAxial}) {
        auto const k = (c.*get)(&r);
        S16_FUZZ_CHECK(k >= S::Invalid && k <= S::Class4, "buckling class in range");
    }
    NonNegative(c.AreaCompEffective(), "effective area");
    NotNegative(c.ZxxEffective(), "effective Zxx");
    NotNegative(c.ZyyEffective(), "effective Zyy");
    for (auto const get : {&S::YbarXXEffective, &S::XbarYYEffective, &S::XbarCompEffective, &S::YbarCompEffective})
        NotNaN((c.*get)(), "effective centroid");
    NonNegative(c.Anet(), "net area");
    for (auto const get : {&S::Mrxx, &S::Mryy, &S::MrDashxx, &S::MrDashyy, &S::Tr, &S::ShearCapacityMaxX,
                           &S::ShearCapacityMaxY, &S::TorsionCapacity})
        NonNegative((c.*get)(&r), "Mr, Mr', Tr, Vr or torsion capacity");
    for (double const L : {0.0, 1e-9, 3.0, 1e6}) {
        double Fex = 0, Fey = 0, Fez = 0, Fe = 0;
        NonNegative(c.Crxx(L, Fex, &r), "Crx");
        NonNegative(c.Cryy(L, Fey, &r), "Cry");
        NonNegative(c.CrT(L, Fez, &r), "CrT");
        NonNegative(c.CrFT(Fex, Fey, Fez, Fe, &r), "CrFT");
        NonNegative(c.Cruu(L, Fe, &r), "Cru");
        NonNegative(c.Crvv(L, Fe, &r), "Crv");
        double const Mcr = c.Mcr(L, 1.0, &r);
        NonNegative(Mcr, "Mcr");
        NonNegative(c.Mbxx(Mcr, &r), "Mbx");
    }
    S16_FUZZ_CHECK(!c.SectPropString(r.Format()).empty(), "a section report");
    S16_FUZZ_CHECK(!std::isnan(r.UtilOverAll()), "no NaN utilisation");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Designations are looked up in the shared catalogue when it is there.
    std::error_code ec;
    if (std::filesystem::is_directory(S16_SHARED_SECTIONS, ec)) CSection::SetCatalogDirectory(S16_SHARED_SECTIONS);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    std::string const bytes(reinterpret_cast<char const*>(data), size);
    CSection section;
    try {
        section = CSection(Corvid::Widen(bytes));
    } catch (std::invalid_argument const& e) {
        S16_FUZZ_CHECK(std::string(e.what()).find("section") != std::string::npos, "the refusal says what it refuses");
        return 0;
    }
    // Every description text and the name read back as this section.
    for (int k = 0; k < 8; ++k) (void)section.Description(k & 4, k & 2, k & 1);
    if (!section.IsEmpty()) {
        CSection again;
        try {
            again = CSection(section.Name());
        } catch (std::invalid_argument const&) {
            S16_FUZZ_CHECK(false, "the normalised name reads back");
        }
        auto dims = again.Dims();
        dims.fab = section.Dims().fab;  // the name leaves the fabrication out
        dims.flameCut = section.Dims().flameCut;
        S16_FUZZ_CHECK(again.Shape() == section.Shape() && dims == section.Dims(), "the name reads back as the section");
    }
    if (auto const g = section.Geometry()) Geometry(*g);

    // The member takes the section (or refuses its shape, never passing).
    CMemberResult r;
    CSA_S16_09_Member member;
    member.SetResult(&r);
    member.SetDesOpt(static_cast<int>(size % 2));
    bool const handled = member.SetSection(section);
    S16_FUZZ_CHECK(handled == (member.Calculator() != nullptr), "SetSection says whether a calculator exists");
    if (!handled) {
        S16_FUZZ_CHECK(r.UtilOverAll() == INFINITY, "a shape no calculator handles never reads as passing");
        return 0;
    }
    static wchar_t const* const grades[] = {L"350W", L"300W", L"ASTM_A36", L"480W"};
    member.SetSteelDesignProp(CSteelGrade(grades[size % 4]));
    std::unique_ptr<CCSA_S16_09Section> const calc(member.Calculator()->Clone());
    // A fabrication the calculator refuses is refused again by the probe the
    // checks make; the properties are still asked for.
    CMemberResult probe;
    (void)calc->SetCorvidSec(section, &probe);
    calc->SetSteelDesignProp(CSteelGrade(grades[size % 4]));
    Calculator(*calc, r);
    return 0;
}
