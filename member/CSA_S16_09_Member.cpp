#include "member/CSA_S16_09_Member.h"

#include <new>
#include <typeinfo>

#include "framework/DesignConstants.h"
#include "framework/ResultFlags.h"
#include "member/CalculatorFactory.h"

#include "shapes/SectionCalcAngle.h"
#include "shapes/SectionCalcCHS.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcPFC.h"
#include "shapes/SectionCalcRHS.h"
#include "shapes/SectionCalcT.h"

namespace Corvid::Steel::SteelCSAS1609 {

using Corvid::Data::CSecGeom;
using Corvid::Data::CSection;

std::unique_ptr<CCSA_S16_09Section> MakeCalculator(CSecGeom::SecShape shape) {
    switch (shape) {
        case CSecGeom::I:
        case CSecGeom::H: return std::make_unique<CSectionCalcI>();
        case CSecGeom::Channel: return std::make_unique<CSectionCalcPFC>();
        case CSecGeom::Tee: return std::make_unique<CSectionCalcT>();
        case CSecGeom::Angle: return std::make_unique<CSectionCalcAngle>();
        case CSecGeom::CHS: return std::make_unique<CSectionCalcCHS>();
        case CSecGeom::RHS: return std::make_unique<CSectionCalcRHS>();
        default: return nullptr;
    }
}

void CSA_S16_09_Member::MarkNotHandled(CMemberResult* const result) {
    if (!result) return;
    result->AddFlags(ResultFlags::kSectionNotHandled);
    result->AddFlags(ResultFlags::kWarning);
    result->SetUtilOverAll(Corvid::Design::kInfinity);
    if (result->WantsText()) result->AddOutputString(L"<b>Section shape not handled by steel code checker</b>\n");
}

CSA_S16_09_Member::CSA_S16_09_Member() : m_section(CSection(L"")) {
    if (m_result) {
        m_result->IniDynaArray(1);
        m_result->SetEntryIndex(0);
    }
}

CSA_S16_09_Member::CSA_S16_09_Member(CSA_S16_09_Member const& other)
    : CSteelMemberGen(other),
      m_records(other.m_records),
      m_section(other.m_section),
      m_netAreaRatio(other.m_netAreaRatio),
      m_effectiveNetAreaRatio(other.m_effectiveNetAreaRatio) {
    if (other.m_calc) m_calc.reset(other.m_calc->Clone());
    if (m_result) {
        m_result->IniDynaArray(1);
        m_result->SetEntryIndex(0);
    }
}

CSA_S16_09_Member::~CSA_S16_09_Member() = default;

CSA_S16_09_Member* CSA_S16_09_Member::Clone() const {
    try {
        return new (std::nothrow) CSA_S16_09_Member(*this);
    } catch (...) { return nullptr; }
}

CString CSA_S16_09_Member::Name(int option) { return option == 1 ? L"CSA S16-14" : L"CSA S16-09"; }

CString CSA_S16_09_Member::Country(int) { return L"CA"; }

void CSA_S16_09_Member::Clear() {
    CSteelMemberGen::Clear();
    m_records.clear();
    m_calc.reset();
    // A member reused for another would keep the last one's net areas
    // (CSA S16-09 cl. 13.2): they are its input too.
    m_netAreaRatio = m_effectiveNetAreaRatio = kWholeArea;
    // What was kept of the old spans holds their vectors alive: let them go.
    for (auto& f : m_facts) f = CSpanFacts();
    for (auto& m : m_u1Memo) m = AmplificationMemo();
    m_memberSpan = CSpan();
}

bool CSA_S16_09_Member::SetSection(CSection const& section) {
    m_section = section;
    m_calc.reset();
    m_calc = MakeCalculator(section.Shape());
    // Working copies of the same shape are kept: the next check makes them
    // copies of the new calculator in their own storage (Scratch).
    for (auto& s : m_scratch)
        if (s && (!m_calc || typeid(*s) != typeid(*m_calc))) s.reset();
    ++m_calcVersion;
    m_sectionLoaded = false;
    if (m_calc) {
        m_sectionLoaded = m_calc->SetCorvidSec(m_section, m_result);
        m_calc->SetCodeName(Name(DesOpt()));
        m_calc->SetNetAreaRatio(m_netAreaRatio);
        m_calc->SetEffectiveNetAreaRatio(m_effectiveNetAreaRatio);
        return true;
    }
    MarkNotHandled(m_result);
    return false;
}

void CSA_S16_09_Member::SetDesOpt(int option) {
    CSteelMemberGen::SetDesOpt(option);
    if (m_calc) m_calc->SetCodeName(Name(option));
    ++m_calcVersion;
}

void CSA_S16_09_Member::SetNetAreaRatio(double ratio) {
    m_netAreaRatio = ratio;
    if (m_calc) m_calc->SetNetAreaRatio(ratio);
    ++m_calcVersion;
}

void CSA_S16_09_Member::SetEffectiveNetAreaRatio(double ratio) {
    m_effectiveNetAreaRatio = ratio;
    if (m_calc) m_calc->SetEffectiveNetAreaRatio(ratio);
    ++m_calcVersion;
}

bool CSA_S16_09_Member::SetSteelDesignProp(CSteelGrade const& grade) {
    if (m_calc) m_calc->SetSteelDesignProp(grade);
    ++m_calcVersion;
    return true;
}

CString CSA_S16_09_Member::MissingDesignData() const {
    if (!m_calc) return L"no section calculator: set a section of a supported shape";
    if (!m_calc->HasGrade()) return L"no steel grade: set the grade after the section";
    return {};
}

}  // namespace Corvid::Steel::SteelCSAS1609
