// The s16_app library on its own: the report lines rebuild the module's
// plain text exactly, and styles carry over line ends.
#include <gtest/gtest.h>

#include <memory>

#include "app/Markup.h"
#include "app/MemberFile.h"
#include "framework/MemberResult.h"
#include "framework/Section.h"
#include "framework/SteelMember.h"
#include "member/CSA_S16_09_Member.h"

TEST(AppReport, LinesRebuildTheModulesPlainText) {
    // A channel of two sub-spans checked with its buckling checks: its report
    // has fragments that run on over several additions, tags that span
    // lines, tabs and several indentation levels. Split into lines and
    // joined again it must read exactly as the module's own plain text.
    namespace RB = Corvid::Data::RestraintBits;
    std::unique_ptr<Corvid::Data::Design::CDesign> design(NewCode());
    auto* member = dynamic_cast<Corvid::Steel::CSteelMemberGen*>(design.get());
    ASSERT_NE(member, nullptr);
    Corvid::Steel::CMemberResult result;
    member->SetResult(&result);
    member->SetSection(Corvid::Data::CSection(L"C D=254 B=69.6 T=11.1 Tw=9.63 R=10"));
    member->SetSteelDesignProp(Corvid::Steel::CSteelGrade(L"350W"));
    Corvid::Data::CRestraint const pinned(RB::kPinned | RB::kEndConnection), braced(RB::kBraced);
    member->SetMemberPointVec({{0.0, pinned}, {2.0, braced}, {4.0, pinned}});
    Corvid::Steel::CSubSpan a(0, 0, 1), b(1, 1, 2);
    a.SetForces({-50e3, -5e3, 0}, {-50e3, -5e3, 0});
    a.SetMoments({0, 0, 0}, {0, -10e3, 0});
    b.SetForces({-50e3, 5e3, 0}, {-50e3, 5e3, 0});
    b.SetMoments({0, -10e3, 0}, {0, 0, 0});
    member->SetSubSpanVec({a, b});
    member->Check();
    std::string const reference = Corvid::Narrow(result.GetText());
    ASSERT_NE(reference.find("SubSpan 2: 2.000 m to 4.000 m"), std::string::npos);
    EXPECT_EQ(s16app::PlainText(s16app::ReportLines(result)), reference);
}

TEST(AppReport, StylesCarryOverLineEnds) {
    // "<b>Class 1 under compression" ... "</b> in bending": the bold of the
    // first line stays open into the next; "<=" and unknown tags are text.
    unsigned open = 0;
    auto first = s16app::StyleLine("Section is: <b>Class 1 <red>x</red>", open);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].style, 0u);
    EXPECT_EQ(first[1].style, unsigned(s16app::kBold));
    EXPECT_EQ(first[2].style, unsigned(s16app::kBold | s16app::kRed));
    EXPECT_EQ(open, unsigned(s16app::kBold));
    auto second = s16app::StyleLine("</b> in bending, Le/r <= 200 <u>", open);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].text, " in bending, Le/r <= 200 <u>");
    EXPECT_EQ(second[0].style, 0u);
}

TEST(AppReport, MembersReadOnThreadsAsReadOneByOne) {
    // Members read on several threads come back in order, and the error is
    // the one of the first bad member, as when read one by one.
    std::string const good = R"({"section": "CHS D=168.3 t=6.4", "grade": "350W",
        "points": [{"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "pinned"}],
        "subspans": [{"left": {"N": -10}, "right": {"N": -10}}]})";
    std::string const bad1 = R"({"section": "CHS D=168.3 t=6.4", "grade": "350W", "colour": 1})";
    std::string const bad2 = R"({"section": "CHS D=168.3 t=6.4", "grade": "999X"})";
    std::string list = "{\"members\": [";
    for (int i = 0; i < 40; ++i) list += (i ? "," : "") + good;
    auto const one = s16app::ReadMemberFile(list + "]}", "m.json", 1);
    auto const four = s16app::ReadMemberFile(list + "]}", "m.json", 4);
    ASSERT_EQ(four.size(), 40u);
    for (std::size_t i = 0; i < four.size(); ++i) EXPECT_EQ(four[i].path, one[i].path);
    std::string const withBad = list + "," + bad1 + "," + good + "," + bad2 + "]}";
    std::string first;
    try {
        s16app::ReadMemberFile(withBad, "m.json", 1);
    } catch (s16app::InputError const& e) {
        first = e.what();
    }
    EXPECT_NE(first.find("members[40]"), std::string::npos) << first;
    for (int attempt = 0; attempt < 20; ++attempt) {
        try {
            s16app::ReadMemberFile(withBad, "m.json", 4);
            ADD_FAILURE() << "the bad members were accepted";
        } catch (s16app::InputError const& e) {
            EXPECT_EQ(std::string(e.what()), first);
        }
    }
}
