#include <new>

#include "member/CSA_S16_09_Member.h"

extern "C" __attribute__((visibility("default"))) Corvid::Data::Design::CDesign* NewCode() {
    try {
        return new (std::nothrow) Corvid::Steel::SteelCSAS1609::CSA_S16_09_Member();
    } catch (...) {
        return nullptr;  // the module never lets an exception reach its host
    }
}
