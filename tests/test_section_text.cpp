// Section descriptions: the parametric forms (mm in the text, m in Dims()),
// the refusals with the problem named in the message, catalogue designations
// read from the shared AISC v16 metric tables, and the report text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "SectGeom.h"
#include "Section.h"
#include "Tolerance.h"

using Corvid::CString;
using Corvid::Data::CSecGeom;
using Corvid::Data::CSection;
using Corvid::Data::CSectionDims;

namespace {

// Dimensions in Dims() are in m; the descriptions give mm.
double mm(double m) { return m * 1e3; }

// The message of the std::invalid_argument thrown for a description; an
// empty string (and a test failure) when nothing or something else is thrown.
std::string Refusal(CString const& text) {
    try {
        CSection const s(text);
        ADD_FAILURE() << "no refusal for \"" << Corvid::Narrow(text) << "\"";
    } catch (std::invalid_argument const& e) {
        return e.what();
    } catch (...) {
        ADD_FAILURE() << "\"" << Corvid::Narrow(text) << "\" threw something other than std::invalid_argument";
    }
    return {};
}

// The refusal of `text` names `what`.
::testing::AssertionResult RefusedNaming(CString const& text, std::string const& what) {
    std::string const msg = Refusal(text);
    if (msg.find(what) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << Corvid::Narrow(text) << "\": message \"" << msg
                                         << "\" does not name \"" << what << "\"";
}

// Clears the catalogue setting and the environment variable for the scope
// of a test, restoring both afterwards.
class NoCatalogue {
public:
    NoCatalogue() {
        if (char const* env = std::getenv("S16_SECTION_CATALOG")) m_env = std::string(env);
        unsetenv("S16_SECTION_CATALOG");
        CSection::SetCatalogDirectory("");
    }
    ~NoCatalogue() {
        if (m_env)
            setenv("S16_SECTION_CATALOG", m_env->c_str(), 1);
        else
            unsetenv("S16_SECTION_CATALOG");
        CSection::SetCatalogDirectory("");
    }
    NoCatalogue(NoCatalogue const&) = delete;
    NoCatalogue& operator=(NoCatalogue const&) = delete;

private:
    std::optional<std::string> m_env;
};

// Tests that read the shared section tables: skipped when the folder is
// missing; the catalogue setting is cleared again after each test.
class SectionCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(S16_SHARED_SECTIONS))
            GTEST_SKIP() << "section tables not found at " << S16_SHARED_SECTIONS;
        CSection::SetCatalogDirectory(S16_SHARED_SECTIONS);
    }
    void TearDown() override { CSection::SetCatalogDirectory(""); }
};

}  // namespace

// ---------------------------------------------------------------------------
// Parametric descriptions
// ---------------------------------------------------------------------------

TEST(SectionText, FlangedShapesParseInMetres) {
    // Equal flanges: B and T serve both flanges; B is the wider flange.
    CSection const i(L"I D=303 B=203 T=13.1 Tw=7.5 R=15");
    EXPECT_EQ(i.Shape(), CSecGeom::I);
    EXPECT_EQ(static_cast<int>(i.Shape()), 1);
    auto const& d = i.Dims();
    EXPECT_REL(d.D, 0.303);
    EXPECT_REL(d.B1, 0.203);
    EXPECT_REL(d.B2, 0.203);
    EXPECT_REL(d.B, 0.203);
    EXPECT_REL(d.T1, 0.0131);
    EXPECT_REL(d.T2, 0.0131);
    EXPECT_REL(d.Tw, 0.0075);
    EXPECT_REL(d.R, 0.015);
    EXPECT_EQ(d.fab, Corvid::Data::FabRolled);
    ASSERT_NE(i.Geometry(), nullptr);

    // Unequal flanges: flange 1 (top) and flange 2 kept apart; B the wider.
    CSection const u(L"I D=400 B1=150 T1=12 B2=200 T2=20 Tw=10 R=8");
    EXPECT_EQ(u.Shape(), CSecGeom::I);
    EXPECT_REL(u.Dims().D, 0.400);
    EXPECT_REL(u.Dims().B1, 0.150);
    EXPECT_REL(u.Dims().T1, 0.012);
    EXPECT_REL(u.Dims().B2, 0.200);
    EXPECT_REL(u.Dims().T2, 0.020);
    EXPECT_REL(u.Dims().Tw, 0.010);
    EXPECT_REL(u.Dims().R, 0.008);
    EXPECT_REL(u.Dims().B, 0.200);

    // H: the same dimension set, its own shape code 11.
    CSection const h(L"H D=250 B=250 T=14 Tw=9 R=12");
    EXPECT_EQ(h.Shape(), CSecGeom::H);
    EXPECT_EQ(static_cast<int>(h.Shape()), 11);
    EXPECT_REL(h.Dims().B1, 0.250);
    EXPECT_REL(h.Dims().T2, 0.014);
    ASSERT_NE(h.Geometry(), nullptr);

    CSection const c(L"C D=254 B=69.6 T=11.1 Tw=9.63 R=14.3");
    EXPECT_EQ(c.Shape(), CSecGeom::Channel);
    EXPECT_EQ(static_cast<int>(c.Shape()), 3);
    EXPECT_REL(c.Dims().D, 0.254);
    EXPECT_REL(c.Dims().B1, 0.0696);
    EXPECT_REL(c.Dims().B2, 0.0696);
    EXPECT_REL(c.Dims().T1, 0.0111);
    EXPECT_REL(c.Dims().Tw, 0.00963);
    EXPECT_REL(c.Dims().R, 0.0143);

    // Tee: the shape word and the flange thickness share the letter T.
    CSection const t(L"T D=152 B=203 T=13.1 Tw=7.49 R=12.8");
    EXPECT_EQ(t.Shape(), CSecGeom::Tee);
    EXPECT_EQ(static_cast<int>(t.Shape()), 4);
    EXPECT_REL(t.Dims().D, 0.152);
    EXPECT_REL(t.Dims().B, 0.203);
    EXPECT_REL(t.Dims().B1, 0.203);
    EXPECT_REL(t.Dims().B2, 0.203);
    EXPECT_REL(t.Dims().T1, 0.0131);
    EXPECT_REL(t.Dims().T2, 0.0131);
    EXPECT_REL(t.Dims().Tw, 0.00749);
    EXPECT_REL(t.Dims().R, 0.0128);
}

TEST(SectionText, OtherShapesParseInMetres) {
    CSection const l(L"L D=102 B=76 t=9.5 R=9.6");
    EXPECT_EQ(l.Shape(), CSecGeom::Angle);
    EXPECT_EQ(static_cast<int>(l.Shape()), 5);
    EXPECT_REL(l.Dims().D, 0.102);
    EXPECT_REL(l.Dims().B, 0.076);
    EXPECT_REL(l.Dims().t, 0.0095);
    EXPECT_REL(l.Dims().R, 0.0096);
    ASSERT_NE(l.Geometry(), nullptr);

    // One wall thickness: tf = tw = t.
    CSection const r1(L"RHS D=203 B=102 t=5.92");
    EXPECT_EQ(r1.Shape(), CSecGeom::RHS);
    EXPECT_EQ(static_cast<int>(r1.Shape()), 9);
    EXPECT_REL(r1.Dims().D, 0.203);
    EXPECT_REL(r1.Dims().B, 0.102);
    EXPECT_REL(r1.Dims().t, 0.00592);
    EXPECT_REL(r1.Dims().tf, 0.00592);
    EXPECT_REL(r1.Dims().tw, 0.00592);
    EXPECT_EQ(r1.Dims().Ro, 0.0);  // not given: square corners

    // Two wall thicknesses: t is the thicker of them.
    CSection const r2(L"RHS D=200 B=100 tf=10 tw=8 Ro=20");
    EXPECT_EQ(r2.Shape(), CSecGeom::RHS);
    EXPECT_REL(r2.Dims().tf, 0.010);
    EXPECT_REL(r2.Dims().tw, 0.008);
    EXPECT_REL(r2.Dims().t, 0.010);
    EXPECT_REL(r2.Dims().Ro, 0.020);

    CSection const chs(L"CHS D=168 t=5.92");
    EXPECT_EQ(chs.Shape(), CSecGeom::CHS);
    EXPECT_EQ(static_cast<int>(chs.Shape()), 7);
    EXPECT_REL(chs.Dims().D, 0.168);
    EXPECT_REL(chs.Dims().t, 0.00592);
    ASSERT_NE(chs.Geometry(), nullptr);

    // Plate and round bar parse but have no geometry of their own.
    CSection const pl(L"PL B=200 t=10");
    EXPECT_EQ(pl.Shape(), CSecGeom::Plate);
    EXPECT_EQ(static_cast<int>(pl.Shape()), 2);
    EXPECT_REL(pl.Dims().B, 0.200);
    EXPECT_REL(pl.Dims().t, 0.010);
    EXPECT_EQ(pl.Geometry(), nullptr);

    CSection const rb(L"RB D=30");
    EXPECT_EQ(rb.Shape(), CSecGeom::RoundBar);
    EXPECT_EQ(static_cast<int>(rb.Shape()), 6);
    EXPECT_REL(rb.Dims().D, 0.030);
    EXPECT_EQ(rb.Geometry(), nullptr);
}

TEST(SectionText, OrderCaseDefaultsAndBlankText) {
    CSection const ref(L"I D=303 B=203 T=13.1 Tw=7.5 R=15");
    // Pairs in any order, names and the shape word in any case, extra blanks
    // and tabs between the pairs: the same section and the same name.
    EXPECT_EQ(CSection(L"I R=15 Tw=7.5 T=13.1 B=203 D=303"), ref);
    EXPECT_EQ(CSection(L"i d=303 b=203 t=13.1 tw=7.5 r=15"), ref);
    EXPECT_EQ(CSection(L"  I\tD=303   B=203 T=13.1\tTW=7.5 r=15  "), ref);
    EXPECT_EQ(CSection(L"rhs D=200 B=100 TF=10 Tw=8 ro=20"), CSection(L"RHS D=200 B=100 tf=10 tw=8 Ro=20"));
    EXPECT_EQ(CSection(L"chs d=168 T=5.92").Shape(), CSecGeom::CHS);
    EXPECT_EQ(CSection(L"l d=102 b=76 T=9.5").Shape(), CSecGeom::Angle);
    EXPECT_EQ(CSection(L"pl t=10 b=200").Shape(), CSecGeom::Plate);
    EXPECT_EQ(CSection(L"Rb d=30").Shape(), CSecGeom::RoundBar);
    EXPECT_EQ(CSection(L"h D=250 B=250 T=14 Tw=9").Shape(), CSecGeom::H);
    EXPECT_EQ(CSection(L"c D=254 B=69.6 T=11.1 Tw=9.63").Shape(), CSecGeom::Channel);

    // R and Ro default to zero.
    EXPECT_EQ(CSection(L"I D=303 B=203 T=13.1 Tw=7.5").Dims().R, 0.0);
    EXPECT_EQ(CSection(L"T D=152 B=203 T=13.1 Tw=7.49").Dims().R, 0.0);
    EXPECT_EQ(CSection(L"L D=102 B=76 t=9.5").Dims().R, 0.0);
    EXPECT_EQ(CSection(L"RHS D=200 B=100 t=8").Dims().Ro, 0.0);
    // R = 0 given explicitly is allowed.
    EXPECT_EQ(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=0"), CSection(L"I D=303 B=203 T=13.1 Tw=7.5"));

    // Empty or blank text: an empty section.
    for (wchar_t const* blank : {L"", L" ", L"\t \n "}) {
        CSection const e(blank);
        EXPECT_EQ(e.Shape(), CSecGeom::None) << Corvid::Narrow(blank);
        EXPECT_EQ(static_cast<int>(e.Shape()), 0);
        EXPECT_TRUE(e.IsEmpty());
        EXPECT_EQ(e.Geometry(), nullptr);
        EXPECT_EQ(e.Description(true, true, true), L"");
        EXPECT_EQ(e, CSection());
    }
}

TEST(SectionText, FabricationWords) {
    wchar_t const* const base = L"I D=303 B=203 T=13.1 Tw=7.5 R=15";
    EXPECT_EQ(CSection(base).FabricationType(), 0);  // default: rolled
    struct Case {
        wchar_t const* word;
        int fab;
    };
    for (Case const c : {Case{L"rolled", 0}, Case{L"welded", 1}, Case{L"cold-formed", 2}, Case{L"built-up", 3},
                         Case{L"cold-formed-stainless", 4}, Case{L"WELDED", 1}, Case{L"Cold-Formed", 2}}) {
        CSection const s(CString(base) + L" fab=" + c.word);
        EXPECT_EQ(s.FabricationType(), c.fab) << Corvid::Narrow(c.word);
        EXPECT_EQ(s.Dims().fab, c.fab);
        ASSERT_NE(s.Geometry(), nullptr);
        EXPECT_EQ(s.Geometry()->FabricationType(), c.fab);
    }
    // fab may stand anywhere among the pairs, for any shape, in any case.
    EXPECT_EQ(CSection(L"RHS FAB=welded D=200 B=100 t=8").FabricationType(), 1);
    EXPECT_EQ(CSection(L"CHS D=168 Fab=built-up t=5.92").FabricationType(), 3);
    EXPECT_EQ(CSection(L"PL B=200 t=10 fab=welded").FabricationType(), 1);
}

TEST(SectionText, NormalisedName) {
    // The name puts the shape word in capitals and the dimensions in a fixed
    // order with their usual spelling, R always and Ro only when given.
    EXPECT_EQ(CSection(L"i r=15 tw=7.5 t=13.1 b=203 d=303").Description(false, false, true),
              L"I D=303 B=203 T=13.1 Tw=7.5 R=15");
    EXPECT_EQ(CSection(L"I D=303 B=203 T=13.1 Tw=7.5").Description(false, false, true),
              L"I D=303 B=203 T=13.1 Tw=7.5 R=0");
    EXPECT_EQ(CSection(L"I D=400 B1=150 T1=12 B2=200 T2=20 Tw=10").Description(false, false, true),
              L"I D=400 B1=150 T1=12 B2=200 T2=20 Tw=10 R=0");
    EXPECT_EQ(CSection(L"rhs t=8 b=100 d=200").Description(false, false, true), L"RHS D=200 B=100 t=8");
    EXPECT_EQ(CSection(L"RHS D=200 B=100 tw=8 tf=10 Ro=20").Description(false, false, true),
              L"RHS D=200 B=100 tf=10 tw=8 Ro=20");
    EXPECT_EQ(CSection(L"l t=9.5 b=76 d=102").Description(false, false, true), L"L D=102 B=76 t=9.5 R=0");
    EXPECT_EQ(CSection(L"chs t=5.92 d=168").Description(false, false, true), L"CHS D=168 t=5.92");
    // With all three false the name is given; fab adds the word.
    EXPECT_EQ(CSection(L"chs t=5.92 d=168").Description(false, false, false), L"CHS D=168 t=5.92");
    EXPECT_EQ(CSection(L"CHS D=168 t=5.92 fab=welded").Description(false, true, true), L"CHS D=168 t=5.92 fab=welded");
    // A parametric name already holds the dimensions: they are not repeated.
    EXPECT_EQ(CSection(L"CHS D=168 t=5.92").Description(true, true, true), L"CHS D=168 t=5.92 fab=rolled");
    EXPECT_EQ(CSection(L"CHS D=168 t=5.92").Description(true, false, false), L"CHS D=168 t=5.92");
}

TEST(SectionText, NameReadsBackAsTheSameSection) {
    // The normalised name is itself a description of the same section (same
    // dimensions to the last bit), also when a dimension carries more than
    // six significant figures (168.2735 mm, 1234.5678 mm).
    for (wchar_t const* text :
         {L"I D=303 B=203 T=13.1 Tw=7.5 R=15", L"RHS D=203.2 B=101.6 tf=6.35 tw=5.92 Ro=11.84",
          L"L D=101.6 B=76.2 t=9.525 R=9.575", L"CHS D=168.2735 t=5.918",
          L"I D=1234.5678 B=400 T=25 Tw=12"}) {
        CSection const s(text);
        CSection const again(s.Name());
        EXPECT_TRUE(again.Dims() == s.Dims())
            << Corvid::Narrow(text) << " is named \"" << Corvid::Narrow(s.Name()) << "\": D " << mm(s.Dims().D)
            << " mm reads back as " << mm(again.Dims().D) << " mm";
        EXPECT_EQ(again.Name(), s.Name());
    }
}

TEST(SectionText, MinusZeroRadiusIsTheZeroRadius) {
    // "-0" passes as a zero radius; the section it gives is the one with
    // R = 0 (and Ro = 0), name included.
    CSection const minus(L"I D=303 B=203 T=13.1 Tw=7.5 R=-0");
    EXPECT_EQ(minus.Description(false, false, true), L"I D=303 B=203 T=13.1 Tw=7.5 R=0");
    EXPECT_TRUE(minus == CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=0"));
    EXPECT_TRUE(CSection(L"RHS D=200 B=100 t=8 Ro=-0") == CSection(L"RHS D=200 B=100 t=8"));
}

// ---------------------------------------------------------------------------
// Refusals
// ---------------------------------------------------------------------------

TEST(SectionText, RefusesMalformedTokens) {
    NoCatalogue const none;
    // A word that is neither a shape nor (with no catalogue) a designation.
    EXPECT_TRUE(RefusedNaming(L"BOX D=200 B=100 t=8", "BOX"));
    EXPECT_TRUE(RefusedNaming(L"BOX D=200 B=100 t=8", "no section catalogue"));
    EXPECT_TRUE(RefusedNaming(L"W310x60", "W310x60"));
    EXPECT_TRUE(RefusedNaming(L"W310x60", "no section catalogue"));
    // A pair where the shape word belongs.
    EXPECT_TRUE(RefusedNaming(L"D=303 B=203", "shape word"));
    // A token without '=', or with nothing before it.
    EXPECT_TRUE(RefusedNaming(L"I D=303 B 203 T=13.1 Tw=7.5", "expected name=value, found \"B\""));
    EXPECT_TRUE(RefusedNaming(L"CHS D=168 =5.92", "found \"=5.92\""));
    // A dimension the shape does not use.
    EXPECT_TRUE(RefusedNaming(L"CHS D=168 t=5.92 B=100", "\"B\" is not used by a circular hollow section"));
    EXPECT_TRUE(RefusedNaming(L"I D=303 B=203 T=13.1 Tw=7.5 Ro=15", "\"Ro\" is not used by an I section"));
    EXPECT_TRUE(RefusedNaming(L"L D=102 B=76 t=9.5 Tw=3", "\"Tw\" is not used by an angle"));
    EXPECT_TRUE(RefusedNaming(L"T D=152 B=203 T=13.1 Tw=7.49 B1=203", "\"B1\" is not used by a tee"));
    EXPECT_TRUE(RefusedNaming(L"RB D=30 t=2", "\"t\" is not used by a round bar"));
    // The same dimension twice, also when spelled in another case.
    EXPECT_TRUE(RefusedNaming(L"I D=303 D=304 B=203 T=13.1 Tw=7.5", "\"D\" given twice"));
    EXPECT_TRUE(RefusedNaming(L"CHS D=168 t=5 T=6", "\"T\" given twice"));
    // A dimension missing.
    EXPECT_TRUE(RefusedNaming(L"I D=303 B=203 T=13.1", "missing dimension \"Tw\""));
    EXPECT_TRUE(RefusedNaming(L"I D=400 B1=150 T1=12 B2=200 Tw=10", "missing dimension \"T2\""));
    EXPECT_TRUE(RefusedNaming(L"RHS D=200 B=100 tf=10", "missing dimension \"Tw\""));
    EXPECT_TRUE(RefusedNaming(L"CHS D=168", "missing dimension \"T\""));
    EXPECT_TRUE(RefusedNaming(L"L B=76 t=9.5", "missing dimension \"D\""));
    EXPECT_TRUE(RefusedNaming(L"I", "missing dimension \"D\""));
    // fab: an unknown word, or given twice.
    EXPECT_TRUE(RefusedNaming(L"CHS D=168 t=5.92 fab=forged", "\"forged\""));
    EXPECT_TRUE(RefusedNaming(L"CHS D=168 t=5.92 fab=forged", "fab must be one of"));
    EXPECT_TRUE(RefusedNaming(L"CHS D=168 t=5.92 fab=", "fab must be one of"));
    EXPECT_TRUE(RefusedNaming(L"CHS D=168 t=5.92 fab=welded fab=welded", "fab given twice"));
}

TEST(SectionText, RefusesBadNumbers) {
    // Not a number, or not all of the token a number.
    EXPECT_TRUE(RefusedNaming(L"I D=12x B=203 T=13.1 Tw=7.5", "\"12x\" is not a number"));
    EXPECT_TRUE(RefusedNaming(L"CHS D=168 t=", "\"t\": \"\" is not a number"));
    EXPECT_TRUE(RefusedNaming(L"CHS D=1,68 t=5", "\"1,68\" is not a number"));
    // NaN and infinities (strtod reads all three; 1e999 overflows).
    EXPECT_TRUE(RefusedNaming(L"CHS D=nan t=5", "\"D\" is not a finite number"));
    EXPECT_TRUE(RefusedNaming(L"CHS D=inf t=5", "\"D\" is not a finite number"));
    EXPECT_TRUE(RefusedNaming(L"CHS D=168 t=-inf", "\"t\" is not a finite number"));
    EXPECT_TRUE(RefusedNaming(L"RB D=1e999", "\"D\" is not a finite number"));
    // Zero or negative dimensions; the radii may be zero but not negative.
    EXPECT_TRUE(RefusedNaming(L"I D=0 B=203 T=13.1 Tw=7.5", "\"D\" must be positive"));
    EXPECT_TRUE(RefusedNaming(L"I D=303 B=203 T=13.1 Tw=-7.5", "\"Tw\" must be positive"));
    EXPECT_TRUE(RefusedNaming(L"PL B=200 t=0", "\"t\" must be positive"));
    EXPECT_TRUE(RefusedNaming(L"I D=303 B=203 T=13.1 Tw=7.5 R=-1", "\"R\" must be zero or positive"));
    EXPECT_TRUE(RefusedNaming(L"RHS D=200 B=100 t=8 Ro=-0.5", "\"Ro\" must be zero or positive"));
}

TEST(SectionText, RefusesInconsistentDimensions) {
    // Equal-flange and unequal-flange names mixed.
    EXPECT_TRUE(RefusedNaming(L"I D=303 B=203 B1=203 T1=13 B2=203 T2=13 Tw=7.5", "either B and T"));
    EXPECT_TRUE(RefusedNaming(L"C D=254 T=11 B1=70 T1=11 B2=70 T2=11 Tw=9", "either B and T"));
    // Flanges as thick as the depth: T1 + T2 = 20 + 20 = D = 40.
    EXPECT_TRUE(RefusedNaming(L"I D=40 B=200 T=20 Tw=10", "thinner than the depth"));
    EXPECT_TRUE(RefusedNaming(L"I D=30 B1=200 T1=20 B2=100 T2=15 Tw=10", "thinner than the depth"));
    EXPECT_TRUE(RefusedNaming(L"T D=13 B=203 T=13.1 Tw=7.5", "flange thickness T"));
    // Web as thick as the (narrower) flange is wide.
    EXPECT_TRUE(RefusedNaming(L"I D=300 B=10 T=10 Tw=10", "web thickness Tw"));
    EXPECT_TRUE(RefusedNaming(L"I D=300 B1=200 T1=10 B2=12 T2=10 Tw=12", "web thickness Tw"));
    EXPECT_TRUE(RefusedNaming(L"C D=300 B=9 T=10 Tw=9.5", "web thickness Tw"));
    EXPECT_TRUE(RefusedNaming(L"T D=150 B=100 T=10 Tw=120", "stem thickness Tw"));
    // Root fillets that do not fit: I across the flange (Tw + 2R = 10 + 92 >
    // 100) and down the web (T1 + T2 + 2R = 20 + 82 > 100); channel across
    // the flange (Tw + R = 10 + 61 > 70); tee on the flange (7.5 + 2*100 >
    // 203) and on the stem (T + R = 13 + 40 > 50); angle (t + R = 10 + 70 >
    // 76).
    EXPECT_TRUE(RefusedNaming(L"I D=300 B=100 T=10 Tw=10 R=46", "Tw + 2R > B"));
    EXPECT_TRUE(RefusedNaming(L"I D=100 B=300 T=10 Tw=10 R=41", "T1 + T2 + 2R > D"));
    EXPECT_TRUE(RefusedNaming(L"C D=300 B=70 T=10 Tw=10 R=61", "Tw + R > B"));
    EXPECT_TRUE(RefusedNaming(L"T D=300 B=203 T=13 Tw=7.5 R=100", "Tw + 2R > B"));
    EXPECT_TRUE(RefusedNaming(L"T D=50 B=203 T=13 Tw=7.5 R=40", "T + R > D"));
    EXPECT_TRUE(RefusedNaming(L"L D=102 B=76 t=10 R=70", "t + R > leg"));
    EXPECT_TRUE(RefusedNaming(L"L D=102 B=9 t=9.5", "thickness t must be less than both leg lengths"));
    // Hollow sections with walls too thick: CHS 2t = D; RHS 2 tf = D, 2 tw = B;
    // corner radius more than half the smaller side.
    EXPECT_TRUE(RefusedNaming(L"CHS D=100 t=50", "less than D/2"));
    EXPECT_TRUE(RefusedNaming(L"CHS D=100 t=70", "less than D/2"));
    EXPECT_TRUE(RefusedNaming(L"RHS D=100 B=200 t=50", "too thick for the depth"));
    EXPECT_TRUE(RefusedNaming(L"RHS D=200 B=100 tf=10 tw=50", "too thick for the width"));
    EXPECT_TRUE(RefusedNaming(L"RHS D=200 B=100 t=8 tf=8 tw=8", "either t or tf and tw"));
    EXPECT_TRUE(RefusedNaming(L"RHS D=200 B=100 t=8 Ro=51", "corner radius Ro"));
    // Every refusal names the text it refused.
    EXPECT_TRUE(RefusedNaming(L"CHS D=100 t=50", "CHS D=100 t=50"));
}

// ---------------------------------------------------------------------------
// Catalogue designations
// ---------------------------------------------------------------------------

TEST_F(SectionCatalogue, RolledShapes) {
    // i_shapes.csv W310x60: d 302, bf 203, tw 7.49, tf 13.1, kdes 25.9;
    // R = kdes - tf = 12.8.
    CSection const w(L"W310x60");
    EXPECT_EQ(w.Shape(), CSecGeom::I);
    EXPECT_REL(mm(w.Dims().D), 302);
    EXPECT_REL(mm(w.Dims().B1), 203);
    EXPECT_REL(mm(w.Dims().B2), 203);
    EXPECT_REL(mm(w.Dims().T1), 13.1);
    EXPECT_REL(mm(w.Dims().T2), 13.1);
    EXPECT_REL(mm(w.Dims().Tw), 7.49);
    EXPECT_REL(mm(w.Dims().R), 12.8);
    EXPECT_EQ(w.FabricationType(), 0);
    ASSERT_NE(w.Geometry(), nullptr);

    // i_shapes.csv HP310x79: d 300, bf 305, tw 11, tf 11, kdes 28.7 (R 17.7).
    // Bearing piles are in the I table: shape code I (the calculator decides
    // H-ness from the proportions).
    CSection const hp(L"HP310x79");
    EXPECT_EQ(hp.Shape(), CSecGeom::I);
    EXPECT_REL(mm(hp.Dims().D), 300);
    EXPECT_REL(mm(hp.Dims().B1), 305);
    EXPECT_REL(mm(hp.Dims().Tw), 11);
    EXPECT_REL(mm(hp.Dims().R), 17.7);

    // channels.csv C250x30: d 254, bf 69.6, tw 9.63, tf 11.1. Its flanges
    // slope: the catalogue models them at 18.5 % with the root radius that
    // reproduces the tabulated area (the geometry tests check that area).
    CSection const c(L"C250x30");
    EXPECT_EQ(c.Shape(), CSecGeom::Channel);
    EXPECT_REL(mm(c.Dims().D), 254);
    EXPECT_REL(mm(c.Dims().B1), 69.6);
    EXPECT_REL(mm(c.Dims().T2), 11.1);
    EXPECT_REL(mm(c.Dims().Tw), 9.63);
    EXPECT_REL(c.Dims().slope, 0.185);
    EXPECT_GT(c.Dims().R, 0.0);

    // MC channels: their flange slopes differ from shape to shape and are
    // not in the catalogue, so the designation is refused, naming it.
    try {
        CSection const mc(L"MC310x46");
        ADD_FAILURE() << "an MC channel was taken from the catalogue";
    } catch (std::invalid_argument const& e) {
        EXPECT_NE(std::string(e.what()).find("MC310x46"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("slope="), std::string::npos);
    }

    // tees.csv WT155x30: d 152, bf 203, tw 7.49, tf 13.1, kdes 25.9 (R 12.8).
    CSection const wt(L"WT155x30");
    EXPECT_EQ(wt.Shape(), CSecGeom::Tee);
    EXPECT_REL(mm(wt.Dims().D), 152);
    EXPECT_REL(mm(wt.Dims().B), 203);
    EXPECT_REL(mm(wt.Dims().B1), 203);
    EXPECT_REL(mm(wt.Dims().T1), 13.1);
    EXPECT_REL(mm(wt.Dims().Tw), 7.49);
    EXPECT_REL(mm(wt.Dims().R), 12.8);

    // angles.csv L102x76x9.5: d 76.2 (shorter leg), b 102 (longer leg),
    // t 9.53, kdes 19.1. The longer leg stands vertical: D = 102, B = 76.2,
    // R = kdes - t = 9.57.
    CSection const l(L"L102x76x9.5");
    EXPECT_EQ(l.Shape(), CSecGeom::Angle);
    EXPECT_REL(mm(l.Dims().D), 102);
    EXPECT_REL(mm(l.Dims().B), 76.2);
    EXPECT_REL(mm(l.Dims().t), 9.53);
    EXPECT_REL(mm(l.Dims().R), 9.57);
}

TEST_F(SectionCatalogue, HollowSections) {
    // hss_rect.csv HSS203.2x101.6x6.4: Ht 203, B 102, tdes 5.92. Both walls
    // tdes, outside corner radius 2 tdes = 11.84.
    CSection const r(L"HSS203.2x101.6x6.4");
    EXPECT_EQ(r.Shape(), CSecGeom::RHS);
    EXPECT_REL(mm(r.Dims().D), 203);
    EXPECT_REL(mm(r.Dims().B), 102);
    EXPECT_REL(mm(r.Dims().t), 5.92);
    EXPECT_REL(mm(r.Dims().tf), 5.92);
    EXPECT_REL(mm(r.Dims().tw), 5.92);
    EXPECT_REL(mm(r.Dims().Ro), 11.84);

    // hss_round.csv HSS168.3x6.4: OD 168, tdes 5.92.
    CSection const c(L"HSS168.3x6.4");
    EXPECT_EQ(c.Shape(), CSecGeom::CHS);
    EXPECT_REL(mm(c.Dims().D), 168);
    EXPECT_REL(mm(c.Dims().t), 5.92);

    // hss_round.csv Pipe250STD: OD 273, tdes 8.64; Pipe200XXS is read too.
    CSection const p(L"Pipe250STD");
    EXPECT_EQ(p.Shape(), CSecGeom::CHS);
    EXPECT_REL(mm(p.Dims().D), 273);
    EXPECT_REL(mm(p.Dims().t), 8.64);
    EXPECT_EQ(CSection(L"Pipe200XXS").Shape(), CSecGeom::CHS);
}

TEST_F(SectionCatalogue, DesignationSpellingAndFabrication) {
    // Case of the letters, and of the 'x' separators, does not matter; the
    // name is the table's spelling.
    CSection const ref(L"W310x60");
    EXPECT_EQ(CSection(L"w310X60"), ref);
    EXPECT_EQ(CSection(L"W310X60"), ref);
    EXPECT_EQ(CSection(L"w310X60").Name(), L"W310x60");
    EXPECT_EQ(CSection(L"hss203.2X101.6X6.4"), CSection(L"HSS203.2x101.6x6.4"));
    EXPECT_EQ(CSection(L"PIPE250std").Name(), L"Pipe250STD");
    EXPECT_EQ(CSection(L"  l102X76X9.5  "), CSection(L"L102x76x9.5"));

    // An unknown designation names itself.
    EXPECT_TRUE(RefusedNaming(L"W999x1", "unknown section \"W999x1\""));
    EXPECT_TRUE(RefusedNaming(L"HSS1x1x1 fab=welded", "\"HSS1x1x1\""));

    // A designation followed by fab=...
    CSection const welded(L"W310x60 fab=welded");
    EXPECT_EQ(welded.Shape(), CSecGeom::I);
    EXPECT_EQ(welded.FabricationType(), 1);
    EXPECT_EQ(welded.Dims().D, ref.Dims().D);
    ASSERT_NE(welded.Geometry(), nullptr);
    EXPECT_EQ(welded.Geometry()->FabricationType(), 1);
    EXPECT_EQ(CSection(L"HSS168.3x6.4 FAB=Cold-Formed").FabricationType(), 2);
    EXPECT_NE(welded, ref);
    // Nothing but one fab=... may follow a designation.
    EXPECT_TRUE(RefusedNaming(L"W310x60 D=300", "only fab="));
    EXPECT_TRUE(RefusedNaming(L"W310x60 welded", "only fab="));
    EXPECT_TRUE(RefusedNaming(L"W310x60 fab=welded fab=rolled", "fab given twice"));
    EXPECT_TRUE(RefusedNaming(L"W310x60 fab=forged", "\"forged\""));

    // Parametric descriptions still parse with a catalogue set.
    EXPECT_EQ(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15").Shape(), CSecGeom::I);
}

TEST_F(SectionCatalogue, CatalogueDescription) {
    // Name only: the designation as the table spells it.
    EXPECT_EQ(CSection(L"w310x60").Description(false, false, true), L"W310x60");
    EXPECT_EQ(CSection(L"w310x60").Description(false, false, false), L"W310x60");
    // With dimensions (mm, the W310x60 row: R = 25.9 - 13.1 = 12.8) and fab.
    EXPECT_EQ(CSection(L"W310x60").Description(true, true, true),
              L"W310x60 (D=302 B=203 T=13.1 Tw=7.49 R=12.8) fab=rolled");
    EXPECT_EQ(CSection(L"W310x60 fab=welded").Description(true, true, true),
              L"W310x60 (D=302 B=203 T=13.1 Tw=7.49 R=12.8) fab=welded");
    // Angle: D the longer leg; RHS: one wall, Ro = 2 * 5.92 = 11.84.
    EXPECT_EQ(CSection(L"L102x76x9.5").Description(true, false, true), L"L102x76x9.5 (D=102 B=76.2 t=9.53 R=9.57)");
    EXPECT_EQ(CSection(L"HSS203.2x101.6x6.4").Description(true, true, true),
              L"HSS203.2x101.6x6.4 (D=203 B=102 t=5.92 Ro=11.84) fab=rolled");
    EXPECT_EQ(CSection(L"HSS168.3x6.4").Description(true, false, true), L"HSS168.3x6.4 (D=168 t=5.92)");
}

TEST(SectionCatalogueSetting, EnvironmentAndUnreadableFolder) {
    if (!std::filesystem::is_directory(S16_SHARED_SECTIONS)) GTEST_SKIP() << "section tables not found";
    NoCatalogue const none;
    EXPECT_EQ(CSection::CatalogDirectory(), "");
    // The environment variable serves when nothing is set in the program.
    setenv("S16_SECTION_CATALOG", S16_SHARED_SECTIONS, 1);
    EXPECT_EQ(CSection::CatalogDirectory(), S16_SHARED_SECTIONS);
    EXPECT_EQ(CSection(L"W310x60").Shape(), CSecGeom::I);
    // A setting in the program wins over the environment: a folder with no
    // section tables refuses every designation, naming the folder.
    std::string const empty = (std::filesystem::temp_directory_path() / "s16_no_tables_here").string();
    CSection::SetCatalogDirectory(empty);
    EXPECT_EQ(CSection::CatalogDirectory(), empty);
    EXPECT_TRUE(RefusedNaming(L"W310x60", empty));
    EXPECT_TRUE(RefusedNaming(L"W310x60", "holds no readable section tables"));
    CSection::SetCatalogDirectory("");
    EXPECT_EQ(CSection::CatalogDirectory(), S16_SHARED_SECTIONS);
}
