// The code section base: class vocabulary, edition switch, caches,
// material quantities.
#include <gtest/gtest.h>

#include "Tolerance.h"
#include "framework/Section.h"
#include "framework/SteelGrade.h"
#include "shapes/SectionCalcCHS.h"
#include "shapes/SectionCalcI.h"
#include "shapes/SectionCalcRHS.h"

using Corvid::Data::CSection;
using Corvid::Steel::CSteelGrade;
using Corvid::Steel::SteelCSAS1609::CCSA_S16_09Section;
using Corvid::Steel::SteelCSAS1609::CSectionCalcI;
using Corvid::Steel::SteelCSAS1609::CSectionCalcRHS;
using BC = CCSA_S16_09Section::BucklingClass;

namespace {
// Exposes the cache protocol of the base to the tests.
template <class Calc>
struct Probe : Calc {
    using Calc::CacheFind;
    using Calc::CacheStore;
    bool Has(std::uint32_t key) const {
        double v = 0;
        return this->CacheFind(key, v);
    }
};

struct Vocabulary : CCSA_S16_09Section {
    using CCSA_S16_09Section::GetLBCString;
    using CCSA_S16_09Section::Worst;
};
}  // namespace

TEST(SectionBase, WorstClassAndItsText) {
    EXPECT_EQ(Vocabulary::Worst(BC::Invalid, BC::Class4), BC::Invalid);
    EXPECT_EQ(Vocabulary::Worst(BC::Class1, BC::Invalid), BC::Invalid);
    EXPECT_EQ(Vocabulary::Worst(BC::Class2, BC::Class1), BC::Class2);
    EXPECT_EQ(Vocabulary::Worst(BC::Class3, BC::Class4), BC::Class4);
    EXPECT_EQ(Vocabulary::Worst(BC::Class3, BC::Class2), BC::Class3);
    EXPECT_EQ(Vocabulary::Worst(BC::Class1, BC::Class1), BC::Class1);
    // Values outside 0..4 count as class 1.
    EXPECT_EQ(Vocabulary::Worst(static_cast<BC>(7), BC::Class1), BC::Class1);
    EXPECT_EQ(Vocabulary::GetLBCString(BC::Invalid), L"Invalid");
    EXPECT_EQ(Vocabulary::GetLBCString(BC::Class3), L"Class 3");
    EXPECT_EQ(Vocabulary::GetLBCString(static_cast<BC>(5)), L"");
}

TEST(SectionBase, EditionSwitchOnTheCodeName) {
    CSectionCalcI c;
    EXPECT_EQ(c.CodeName(), L"");
    EXPECT_FALSE(c.IsEdition2009());  // empty name: the later edition's values
    c.SetCodeName(L"CSA S16-09");
    EXPECT_TRUE(c.IsEdition2009());
    c.SetCodeName(L"csa s16-09");
    EXPECT_TRUE(c.IsEdition2009());
    c.SetCodeName(L"CSA S16-14");
    EXPECT_FALSE(c.IsEdition2009());
    c.SetCodeName(L"CSA S16-09 ");
    EXPECT_FALSE(c.IsEdition2009());
}

TEST(SectionBase, CachesAreCopiedAndEmptiedByTheirRules) {
    Probe<CSectionCalcI> a;
    a.SetCorvidSec(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15"), nullptr);
    a.SetSteelDesignProp(CSteelGrade(L"350W"));
    a.CacheStore(101, 2.0);
    // A copy starts with its source's entries.
    Probe<CSectionCalcI> b(a);
    EXPECT_TRUE(b.Has(101));
    // Assignment replaces the target's entries with the source's.
    Probe<CSectionCalcI> c;
    c.CacheStore(202, 3.0);
    c = a;
    EXPECT_TRUE(c.Has(101));
    EXPECT_FALSE(c.Has(202));
    c = c;  // self-assignment keeps the entries
    EXPECT_TRUE(c.Has(101));
    // A design action that changes empties the volatile cache; setting the
    // same value again keeps it.
    b.SetForceAxial(0.0);
    EXPECT_TRUE(b.Has(101));
    b.SetForceAxial(-1000.0);
    EXPECT_FALSE(b.Has(101));
    b.CacheStore(101, 2.0);
    b.SetMemberMoments({0.0, 5e3, 0.0});
    EXPECT_FALSE(b.Has(101));
    b.CacheStore(101, 2.0);
    b.SetSteelDesignProp(CSteelGrade(L"300W"));
    EXPECT_FALSE(b.Has(101));
    b.CacheStore(101, 2.0);
    b.ClearForcesAndMoments();
    EXPECT_FALSE(b.Has(101));
    // The source is untouched by what happened to its copies.
    EXPECT_TRUE(a.Has(101));
    a.ClearVolatileResultCache();
    EXPECT_FALSE(a.Has(101));
    EXPECT_EQ(a.VolatileCacheSize(), 0u);
}

TEST(SectionBase, TurningACopyEmptiesItsCaches) {
    Probe<CSectionCalcRHS> r;
    r.SetCorvidSec(CSection(L"RHS D=200 B=100 t=8"), nullptr);
    r.CacheStore(7, 1.0);
    Probe<CSectionCalcRHS> turned(r);
    turned.Rotate90Clockwise();
    EXPECT_FALSE(turned.Has(7));
    EXPECT_TRUE(r.Has(7));
}

TEST(SectionBase, MaterialQuantitiesAndNetArea) {
    CSectionCalcI c;
    c.SetCorvidSec(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15"), nullptr);
    c.SetSteelDesignProp(CSteelGrade(L"350W"));
    EXPECT_REL(c.DesignStressMin(), 350e6);  // thickest element 13.1 mm
    EXPECT_REL(c.TensileStrength(), 450e6);
    EXPECT_REL(c.YoungsModulus(), 200000e6);
    EXPECT_REL(c.ShearModulus(), 77000e6);
    EXPECT_EQ(c.GetDesignMethod(), CCSA_S16_09Section::FullStrength);
    c.SetNetAreaRatio(0.85);
    EXPECT_REL(c.Anet(), 0.85 * c.Area());
    // CHS with D/t = 100 in 350W: 23000 / 100 = 230 MPa governs.
    Corvid::Steel::SteelCSAS1609::CSectionCalcCHS h;
    h.SetCorvidSec(CSection(L"CHS D=500 t=5"), nullptr);
    h.SetSteelDesignProp(CSteelGrade(L"350W"));
    EXPECT_REL(h.DesignStressMin(), 230e6);
    EXPECT_EQ(h.GetDesignMethod(), CCSA_S16_09Section::ReducedStress);
}
