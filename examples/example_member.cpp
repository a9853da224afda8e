// Makes a member through the module's factory, gives it a section and a
// grade, and prints what the member and its section calculator answer.
//
//   s16_example ["SECTION"] [GRADE]
//   s16_example "I D=303 B=203 T=13.1 Tw=7.5 R=15" 350W
#include <iostream>
#include <memory>
#include <stdexcept>

#include "framework/DesFormat.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "member/CSA_S16_09_Member.h"

using Corvid::Narrow;
using Corvid::Widen;
using Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member;

int main(int argc, char** argv) {
    std::string const description = argc > 1 ? argv[1] : "I D=303 B=203 T=13.1 Tw=7.5 R=15";
    std::string const gradeName = argc > 2 ? argv[2] : "350W";

    std::unique_ptr<Corvid::Data::Design::CDesign> design(NewCode());
    auto* member = dynamic_cast<CSA_S16_09_Member*>(design.get());
    if (!member) {
        std::cerr << "the module gave no member object\n";
        return 2;
    }
    std::cout << "Design code: " << Narrow(member->Name(member->DesOpt())) << " (" << Narrow(member->Country(0))
              << "), " << member->NumDesOpt() << " design options:";
    for (int i = 0; i < member->NumDesOpt(); ++i) std::cout << " \"" << Narrow(member->Name(i)) << "\"";
    std::cout << "\n";

    try {
        Corvid::Data::CSection const section(Widen(description));
        Corvid::Steel::CSteelGrade const grade(Widen(gradeName));
        Corvid::Steel::CMemberResult result;
        member->SetResult(&result);
        if (!member->SetSection(section)) {
            std::cerr << "section \"" << description << "\": shape not handled by the design code\n";
            return 2;
        }
        member->SetSteelDesignProp(grade);
        auto const calc = member->Calculator();
        Corvid::Util::CDesFormat const f;
        std::cout << "Section: " << Narrow(section.Description(true, true, true)) << "\n"
                  << "  A   = " << Narrow(f.AreaCS(calc->Area())) << "\n"
                  << "  Ixx = " << Narrow(f.LFourth(calc->Ixx())) << ", Iyy = " << Narrow(f.LFourth(calc->Iyy()))
                  << "\n"
                  << "  Zxx = " << Narrow(f.LCubed(calc->Zxx())) << " (elastic), Sxx = " << Narrow(f.LCubed(calc->Sxx()))
                  << " (plastic)\n"
                  << "  J   = " << Narrow(f.LFourth(calc->J())) << ", Cw = " << Narrow(f.LSixth(calc->Gamma())) << "\n"
                  << "Grade: " << Narrow(grade.Name()) << ", Fy = " << Narrow(f.Stress(calc->DesignStressMin()))
                  << " at t = " << Narrow(f.LengthSmall(calc->MaxThick())) << "\n";
    } catch (std::invalid_argument const& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
    return 0;
}
