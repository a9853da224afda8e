// The opening block of a member's calculation.
#include "app/Summary.h"

#include "app/MemberRunner.h"

namespace s16app {

MemberSummary Summarise(MemberInput const& input, MemberOutcome const& outcome, RunInfo const* run) {
    MemberSummary s;
    s.title.member = input.title;
    if (run) {
        s.title.project = run->project;
        s.title.engineer = run->engineer;
        s.title.date = run->date;
    }
    if (outcome.cases.empty()) return s;
    CaseOutcome const& g = outcome.Governing();
    double worst = -1.0;
    for (auto const& u : g.maxima) {
        CheckRow row;
        row.check = Corvid::Narrow(Corvid::Steel::UtilKindName(u.first));
        row.util = u.second;
        row.pass = u.second <= 1.0;
        if (u.second > worst) worst = u.second;
        s.checks.push_back(row);
    }
    for (auto& row : s.checks)
        if (row.util == worst) {
            row.governing = true;
            break;
        }
    return s;
}

}  // namespace s16app
