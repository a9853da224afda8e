#pragma once
// Calculators and report checks shared by the resistance tests.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/MemberResult.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CalculatorFactory.h"
#include "shapes/SectionCalcAngle.h"
#include "shapes/SectionCalcCHS.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

namespace s16test {

// The calculator of the description's shape (as Calc), loaded with the
// grade and the code name "CSA S16-09".
template <class Calc = Corvid::Steel::SteelCSAS1609::CCSA_S16_09Section>
std::unique_ptr<Calc> LoadCalc(wchar_t const* text,
                               Corvid::Steel::CSteelGrade const& grade = Corvid::Steel::CSteelGrade(L"350W")) {
    namespace S = Corvid::Steel::SteelCSAS1609;
    using Corvid::Data::CSecGeom;
    Corvid::Data::CSection const section(text);
    std::unique_ptr<S::CCSA_S16_09Section> c = S::MakeCalculator(section.Shape());
    if (!c) {
        ADD_FAILURE() << Corvid::Narrow(text) << ": no calculator for the shape";
        return nullptr;
    }
    Corvid::Steel::CMemberResult r;
    EXPECT_TRUE(c->SetCorvidSec(section, &r)) << Corvid::Narrow(text) << ": " << Corvid::Narrow(r.GetMarkup());
    c->SetSteelDesignProp(grade);
    c->SetCodeName(L"CSA S16-09");
    return std::unique_ptr<Calc>(static_cast<Calc*>(c.release()));
}

// Each line is in the report; with whole, the one line is the whole report.
inline void ExpectReport(Corvid::Steel::CMemberResult const& r, std::vector<Corvid::CString> const& lines,
                         bool whole = false) {
    if (whole) {
        EXPECT_EQ(Corvid::Narrow(r.GetMarkup()), Corvid::Narrow(lines.at(0)));
        return;
    }
    for (Corvid::CString const& line : lines)
        EXPECT_NE(r.GetMarkup().find(line), Corvid::CString::npos)
            << Corvid::Narrow(line) << " in\n"
            << Corvid::Narrow(r.GetMarkup());
}

}  // namespace s16test
