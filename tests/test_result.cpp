// The result object: storage rule, flags, merge and report rendering.
#include <gtest/gtest.h>

#include <limits>

#include "framework/MemberResult.h"

using Corvid::Steel::CMemberResult;
using Corvid::Steel::CResultIndent;
using Corvid::Steel::UtilKind;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity(), kNaN = std::numeric_limits<double>::quiet_NaN();
}  // namespace

TEST(MemberResult, StorageRuleNaNAndEntryIndex) {
    CMemberResult r;
    r.IniDynaArray(3);
    r.SetEntryIndex(2);
    // A failing span written first must not be hidden by a passing one.
    r.SetUtilBucklingAxialMajor(1.3);
    r.SetUtilBucklingAxialMajor(0.4);
    EXPECT_EQ(r.Entry(2).Util(UtilKind::BucklingAxialMajor), 1.3);
    // A negative value is still recorded when it is the first.
    r.SetUtilLocalAxial(-0.5);
    EXPECT_TRUE(r.Entry(2).IsSet(UtilKind::LocalAxial));
    EXPECT_EQ(r.Entry(2).Util(UtilKind::LocalAxial), -0.5);
    EXPECT_FALSE(r.Entry(1).IsSet(UtilKind::BucklingAxialMajor));
    // Overall: the largest of every entry and of SetUtilOverAll.
    r.SetEntryIndex(1);
    r.SetUtilLocalCombined(0.9);
    EXPECT_EQ(r.UtilOverAll(), 1.3);
    r.SetUtilOverAll(2.0);
    EXPECT_EQ(r.UtilOverAll(), 2.0);
    EXPECT_EQ(r.MaxUtil(UtilKind::LocalCombined), 0.9);
    CMemberResult q;  // NaN is stored as infinity and fails
    q.SetUtilBucklingLT(kNaN);
    EXPECT_EQ(q.Entry(0).Util(UtilKind::BucklingLT), kInf);
    q.SetUtilOverAll(kNaN);
    EXPECT_EQ(q.UtilOverAll(), kInf);
    EXPECT_EQ(CMemberResult::InfinitiseNANs(kNaN), kInf);
    EXPECT_EQ(CMemberResult::InfinitiseNANs(-2.0), -2.0);
    // An index out of range goes to the nearest entry, so nothing is lost.
    q.IniDynaArray(2);
    q.SetEntryIndex(7);
    EXPECT_EQ(q.EntryIndex(), 1);
    q.SetEntryIndex(-1);
    EXPECT_EQ(q.EntryIndex(), 0);
    q.IniDynaArray(0);
    EXPECT_EQ(q.NumEntries(), 1);
}

TEST(MemberResult, FragmentsKeepTheIndentationInForce) {
    CMemberResult r;
    r.AddOutputString(L"<h4>Heading</h4>\n");
    {
        CResultIndent const in(&r);
        r.AddOutputString(L"Cu = ");
        r.AddOutputString(L"10.00 kN\n");
        CResultIndent const in2(&r);
        r.AddOutputString(L"<b><red>Fail:</red></b> a < b & c\n");
    }
    r.AddOutputString(L"end\n");
    EXPECT_EQ(r.Indent(), 0);
    EXPECT_EQ(r.GetMarkup(), L"<h4>Heading</h4>\n\tCu = 10.00 kN\n\t\t<b><red>Fail:</red></b> a < b & c\nend\n");
    EXPECT_EQ(r.GetText(), L"Heading\n  Cu = 10.00 kN\n    Fail: a < b & c\nend\n");
    auto const html = r.GetHtml();
    EXPECT_NE(html.find(L"<h4>Heading</h4>"), std::wstring::npos);
    EXPECT_NE(html.find(L"<span class=\"red\">Fail:</span>"), std::wstring::npos);
    EXPECT_NE(html.find(L"a &lt; b &amp; c"), std::wstring::npos);
    CResultIndent const nothing(nullptr);  // a null result is allowed
}

TEST(MemberResult, MergeAndEquality) {
    CMemberResult base;
    base.IniDynaArray(2);
    base.SetEntryIndex(1);
    base.SetUtilBucklingLT(0.5);
    CMemberResult a = base;
    a.ClearStrings();
    CMemberResult b = a;
    a.AddOutputString(L"line A\n");
    b.AddOutputString(L"line A\n");
    EXPECT_TRUE(a == b);
    b.AddFlags(256);
    b.SetUtilBucklingLT(kInf);
    EXPECT_FALSE(a == b);
    base += a + b;
    EXPECT_EQ(base.Flags(), 256u);
    EXPECT_EQ(base.Entry(1).Util(UtilKind::BucklingLT), kInf);
    EXPECT_EQ(base.GetMarkup(), L"line A\nline A\n");
    base += base;  // merged with itself: its fragments twice
    EXPECT_EQ(base.GetMarkup(), L"line A\nline A\nline A\nline A\n");
    base.Reset();
    EXPECT_EQ(base.UtilOverAll(), 0.0);
    EXPECT_EQ(base.Flags(), 0u);
    EXPECT_TRUE(base.WantsText());
}
