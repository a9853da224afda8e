#pragma once
// Effective-length tables: lateral-torsional (segments and cantilevers) and
// flexural (CSA S16-09 Annex F) effective lengths from end restraints.
#include "framework/MemberResult.h"

namespace Corvid::Steel::SteelCSAS1609 {

class CCSA_S16_09_Table {
public:
    CCSA_S16_09_Table() = default;
    explicit CCSA_S16_09_Table(CMemberResult* const result) : m_result(result) {}
    CCSA_S16_09_Table(CCSA_S16_09_Table const&) = default;
    CCSA_S16_09_Table& operator=(CCSA_S16_09_Table const&) = default;
    ~CCSA_S16_09_Table() = default;

    void SetMemberResult(CMemberResult* result) { m_result = result; }
    CMemberResult* MemberResult() const { return m_result; }

private:
    CMemberResult* m_result = nullptr;  // not owned; may be null
};

}  // namespace Corvid::Steel::SteelCSAS1609
