#include <cmath>
#include <cstdio>

#include "app/Render.h"

namespace s16app {

std::string UtilText(double u) {
    if (std::isinf(u)) return u > 0 ? "inf" : "-inf";
    if (std::isnan(u)) return "nan";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", u);
    return buf;
}

std::string GoverningName(CaseOutcome const& c) {
    std::string name;
    double best = -1.0;
    for (auto const& m : c.maxima) {
        if (m.second > best) {
            best = m.second;
            name = Corvid::Narrow(Corvid::Steel::UtilKindName(m.first));
        }
    }
    return name;
}

std::string MemberHeading(std::size_t index, MemberOutcome const& m) {
    return "Member " + std::to_string(index + 1) + (m.title.empty() ? "" : ": " + m.title);
}

std::vector<std::string> MemberNotes(MemberOutcome const& m) {
    std::uint32_t flags = 0;
    bool buckling = true;
    for (auto const& c : m.cases) flags |= c.flags, buckling = buckling && c.bucklingChecked;
    std::vector<std::string> out;
    if (flags & kSlendernessFlag)
        out.push_back("Failure (slenderness): KL/r above 200 in compression, " + m.code + " cl. 10.4.2.1");
    if (flags & kTensionSlendernessFlag)
        out.push_back("Warning (tension-slenderness): L/r above 300 in tension, " + m.code + " cl. 10.4.2.2");
    if (!buckling) out.push_back(std::string("Buckling checks not performed: ") + kBucklingNotChecked);
    return out;
}

RunCounts Count(std::vector<BatchItem> const& items) {
    RunCounts c;
    for (auto const& item : items) c.Add(item);
    return c;
}

std::string CountsLine(RunCounts const& c) {
    std::size_t const n = c.pass + c.fail + c.errors;
    std::string line = std::to_string(n) + (n == 1 ? " member: " : " members: ") + std::to_string(c.pass) +
                       " pass, " + std::to_string(c.fail) + " fail";
    if (c.errors) line += ", " + std::to_string(c.errors) + " could not be checked";
    return line;
}

}  // namespace s16app
