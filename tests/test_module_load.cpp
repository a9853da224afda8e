// The built module loads as a plug-in and hands out a member by NewCode.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>

#include "framework/SteelMember.h"

TEST(ModuleLoad, NewCodeIsFoundByItsPlainName) {
    void* lib = dlopen(S16_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    // dlsym by the unmangled name proves the factory has C linkage.
    auto factory = reinterpret_cast<Corvid::Data::Design::CDesign* (*)()>(dlsym(lib, "NewCode"));
    ASSERT_NE(factory, nullptr) << dlerror();
    {
        std::unique_ptr<Corvid::Data::Design::CDesign> design(factory());
        auto* member = dynamic_cast<Corvid::Steel::CSteelMember*>(design.get());
        ASSERT_NE(member, nullptr);
        EXPECT_EQ(member->Name(0), L"CSA S16-09");
        EXPECT_EQ(member->Country(0), L"CA");
        EXPECT_EQ(member->NumDesOpt(), 2);
        std::unique_ptr<Corvid::Steel::CSteelMember> copy(member->Clone());
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->Name(1), L"CSA S16-14");
    }
    dlclose(lib);
}
