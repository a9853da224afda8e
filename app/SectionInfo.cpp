#include "app/SectionInfo.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "app/MemberFile.h"
#include "framework/MemberResult.h"
#include "framework/ResultFlags.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

namespace s16app {

using Corvid::Narrow;
using Corvid::Widen;
using Corvid::Data::CSecGeom;
using Corvid::Steel::SteelCSAS1609::CCSA_S16_09Section;
using Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member;

namespace {

NamedValues Dimensions(CSecGeom::SecShape shape, Corvid::Data::CSectionDims const& d) {
    switch (shape) {
        case CSecGeom::I:
        case CSecGeom::H:
        case CSecGeom::Channel:
            return {{"D", d.D},   {"B1", d.B1}, {"T1", d.T1}, {"B2", d.B2},
                    {"T2", d.T2}, {"Tw", d.Tw}, {"R", d.R},   {"slope", d.slope}};
        case CSecGeom::Tee: return {{"D", d.D}, {"B", d.B1}, {"T", d.T1}, {"Tw", d.Tw}, {"R", d.R}, {"slope", d.slope}};
        case CSecGeom::Angle: return {{"D", d.D}, {"B", d.B}, {"t", d.t}, {"R", d.R}};
        case CSecGeom::RHS: return {{"D", d.D}, {"B", d.B}, {"tf", d.tf}, {"tw", d.tw}, {"Ro", d.Ro}};
        case CSecGeom::CHS: return {{"D", d.D}, {"t", d.t}};
        default: return {};
    }
}

std::string FabricationWord(Corvid::Data::CSectionDims const& d) {
    wchar_t const* const word = Corvid::Data::FabricationName(d.fab, d.flameCut);
    return word ? Narrow(word) : "fabrication " + std::to_string(d.fab);
}

// Moment resistance: Mr of classes 1 to 3, the reduced moment of class 4.
double MomentResistance(CCSA_S16_09Section const& c, bool major) {
    auto const cls = major ? c.BucklingClassXX(nullptr) : c.BucklingClassYY(nullptr);
    if (cls == CCSA_S16_09Section::Class4) return major ? c.MrDashxx(nullptr) : c.MrDashyy(nullptr);
    return major ? c.Mrxx(nullptr) : c.Mryy(nullptr);
}

// A copy of `calc` in storage the thread keeps for each calculator type
// (slot 0 or 1), made again in place (Assign: no heap block once it has
// held the same section and grade).
CCSA_S16_09Section& KeptCopy(CCSA_S16_09Section const& calc, std::size_t slot) {
    struct Kept {
        std::type_index type;
        std::unique_ptr<CCSA_S16_09Section> copy[2];
    };
    thread_local std::vector<Kept> kept;  // one for each type met
    auto const type = std::type_index(typeid(calc));
    auto it = std::find_if(kept.begin(), kept.end(), [type](Kept const& k) { return k.type == type; });
    if (it == kept.end()) it = kept.insert(kept.end(), Kept{type, {}});
    auto& copy = it->copy[slot];
    if (copy)
        copy->Assign(calc);
    else
        copy.reset(calc.Clone());
    return *copy;
}

}  // namespace

NamedValues SectionDimensions(Corvid::Data::CSection const& section) {
    return Dimensions(section.Shape(), section.Dims());
}

void DescribeResistances(CCSA_S16_09Section const& calc, SectionInfo& info) {
    CCSA_S16_09Section* const squash = &KeptCopy(calc, 0);
    squash->ClearForcesAndMoments();
    squash->SetPureCompression();
    CCSA_S16_09Section* const bending = &KeptCopy(calc, 1);
    bending->ClearForcesAndMoments();
    bending->ClearVolatileResultCache();
    info.classOverall = squash->BucklingClassOverAll(nullptr);
    info.classAxial = squash->BucklingClassAxial(nullptr);
    info.classMajor = bending->BucklingClassXX(nullptr);
    info.classMinor = bending->BucklingClassYY(nullptr);

    double Fe = 0.0;
    info.resistances = {{"Tr", bending->Tr(nullptr)},
                        {"Cr", squash->Crxx(0.0, Fe, nullptr)},
                        {"Mrx", MomentResistance(*bending, true)},
                        {"Mry", MomentResistance(*bending, false)},
                        {"Vr_major", bending->ShearResistance(true)},
                        {"Vr_minor", bending->ShearResistance(false)}};
}

SectionInfo DescribeSection(std::string const& description, std::string const& gradeName, int code) {
    Corvid::Data::CSection section;
    try {
        section = Corvid::Data::CSection(Widen(description));
    } catch (std::invalid_argument const& e) { throw InputError(std::string("section: ") + e.what()); }
    if (section.IsEmpty()) throw InputError("section: the description is empty");
    std::unique_ptr<Corvid::Steel::CSteelGrade> grade;
    try {
        grade = std::make_unique<Corvid::Steel::CSteelGrade>(Widen(gradeName));
    } catch (std::invalid_argument const& e) { throw InputError(std::string("--grade: ") + e.what()); }
    std::unique_ptr<Corvid::Data::Design::CDesign> design(NewCode());
    auto* member = dynamic_cast<CSA_S16_09_Member*>(design.get());
    if (!member) throw InputError("the design module gave no member object");
    member->SetDesOpt(code);  // before the section: the calculator takes the code name
    bool handled = member->SetSection(section) && member->Calculator();
    if (handled) {
        // The section probe of a check refuses what the calculator cannot
        // take (cold-formed, built-up): ResultFlags::kSectionNotHandled.
        Corvid::Steel::CMemberResult probe;
        member->SetResult(&probe);
        member->Check();
        member->SetResult(nullptr);
        handled = (probe.Flags() & Corvid::Steel::ResultFlags::kSectionNotHandled) == 0;
    }
    if (!handled)
        throw InputError("section \"" + description + "\": the design code does not handle this " +
                         Narrow(Corvid::Data::ShapeName(section.Shape())) + " section");
    member->SetSteelDesignProp(*grade);
    auto const& calc = *member->Calculator();

    SectionInfo info;
    info.name = Narrow(section.Name());
    info.shape = Narrow(Corvid::Data::ShapeName(section.Shape()));
    info.shapeCode = static_cast<int>(section.Shape());
    info.fabrication = FabricationWord(section.Dims());
    info.code = CodeName(code);
    info.dimensions = Dimensions(section.Shape(), section.Dims());
    info.properties = {{"A", calc.Area()},  {"Ixx", calc.Ixx()},   {"Iyy", calc.Iyy()},  {"Sxx", calc.Sxx()},
                       {"Syy", calc.Syy()}, {"Zxx", calc.Zxx()},   {"Zyy", calc.Zyy()},  {"J", calc.J()},
                       {"Cw", calc.Cw()},   {"xbar", calc.Xbar()}, {"ybar", calc.Ybar()}};
    auto const& tab = section.Tabulated();
    for (auto const& [name, value] : {std::pair{"A", tab.A},
                                      {"Ixx", tab.Ixx},
                                      {"Iyy", tab.Iyy},
                                      {"Sxx", tab.Sxx},
                                      {"Syy", tab.Syy},
                                      {"Zxx", tab.Zxx},
                                      {"Zyy", tab.Zyy},
                                      {"J", tab.J},
                                      {"Cw", tab.Cw},
                                      {"xbar", tab.Xbar},
                                      {"ybar", tab.Ybar}})
        if (!std::isnan(value)) info.tabulated.emplace_back(name);
    if (section.Shape() == CSecGeom::Angle) {
        info.properties.emplace_back("Iuu", calc.Iuu());
        info.properties.emplace_back("Ivv", calc.Ivv());
        info.properties.emplace_back("alpha", calc.Alpha());
    }
    info.grade = Narrow(grade->Name());
    info.Fy = calc.DesignStressMin();
    info.Fu = calc.TensileStrength();

    // Classes as the section report takes them: in pure compression
    // (Cf = phi A Fy) and in pure bending, each on a copy of the calculator.
    DescribeResistances(calc, info);
    info.shearMajorBy = Narrow(calc.ShearResistedBy(true));
    info.shearMinorBy = Narrow(calc.ShearResistedBy(false));
    return info;
}

}  // namespace s16app
