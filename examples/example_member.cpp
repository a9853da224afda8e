// Checks one member through the design module, as a host program does: a
// member object from the factory NewCode, filled through its interface
// (section, grade, points, sub-spans with their end actions), checked, and
// its governing utilisation and calculation report printed.
//
//   s16_example ["SECTION"] [GRADE]
//   s16_example "I D=303 B=203 T=13.1 Tw=7.5 R=15" 350W
//
// The member: a 6 m floor beam, simply supported, braced laterally at
// midspan, carrying 30 kN/m (gravity). Units are SI: m, N, N*m.
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "framework/MemberResult.h"
#include "framework/Restraint.h"
#include "framework/Section.h"
#include "framework/Span.h"
#include "framework/SteelGrade.h"
#include "framework/SteelMember.h"
#include "member/CSA_S16_09_Member.h"

using Corvid::Narrow;
using Corvid::Widen;
using Corvid::Data::CRestraint;
using Corvid::Steel::CMemberPoint;
using Corvid::Steel::CSubSpan;

int main(int argc, char** argv) {
    std::string const description = argc > 1 ? argv[1] : "I D=303 B=203 T=13.1 Tw=7.5 R=15";
    std::string const gradeName = argc > 2 ? argv[2] : "350W";
    try {
        // 1. The member object. Design option 0 is CSA S16-09, 1 CSA S16-14.
        std::unique_ptr<Corvid::Data::Design::CDesign> design(NewCode());
        auto* member = dynamic_cast<Corvid::Steel::CSteelMemberGen*>(design.get());
        if (!member) throw std::runtime_error("the module gave no member object");
        member->SetDesOpt(0);

        // 2. Section and grade (a description, a CSA G40.20 tube such as
        //    "HSS203x102x6.4", or a catalogue designation with a catalogue).
        Corvid::Steel::CMemberResult result;  // receives utilisations, flags and the report
        member->SetResult(&result);
        if (!member->SetSection(Corvid::Data::CSection(Widen(description))))
            throw std::runtime_error("the design code has no calculator for this shape");
        member->SetSteelDesignProp(Corvid::Steel::CSteelGrade(Widen(gradeName)));

        // 3. Member points (position in m, restraint) and the sub-spans
        //    between them.
        namespace bits = Corvid::Data::RestraintBits;
        member->SetMemberPointVec({CMemberPoint(0.0, CRestraint(bits::kPinned)),
                                   CMemberPoint(3.0, CRestraint(bits::kBraced)),
                                   CMemberPoint(6.0, CRestraint(bits::kPinned))});
        // 4. The actions at both ends of each sub-span: forces (N, Vy, Vx) in
        //    N, moments (T, Mx, My) in N*m; tension positive, a negative Mx
        //    compresses the top flange. w = 30 kN/m over L = 6 m:
        //    Vy = -wL/2 = -90 kN at x = 0, Mx = -wL^2/8 = -135 kN*m at midspan.
        CSubSpan left(0, 0, 1), right(1, 1, 2);
        left.SetForces({0, -90e3, 0}, {0, 0, 0});
        left.SetMoments({0, 0, 0}, {0, -135e3, 0});
        right.SetForces({0, 0, 0}, {0, 90e3, 0});
        right.SetMoments({0, -135e3, 0}, {0, 0, 0});
        for (CSubSpan* s : {&left, &right}) s->SetTransverseLoad(true, false);  // the load lies between the ends
        member->SetSubSpanVec({left, right});

        // 5. Check, then read the result.
        result.EnableText(true);
        bool const checked = member->Check();
        member->SetResult(nullptr);
        double const util = result.UtilOverAll();
        std::cout << Narrow(result.GetText()) << "\n"
                  << "Governing utilisation: " << util << " (" << (checked && util <= 1.0 ? "PASS" : "FAIL") << ")\n";
        return checked && util <= 1.0 ? 0 : 1;
    } catch (std::exception const& e) {  // a section or grade that cannot be read
        std::cerr << "s16_example: " << e.what() << "\n";
        return 2;
    }
}
