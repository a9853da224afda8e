// Section descriptions: the parametric forms (mm in the text, m in Dims()), the refusals with the problem named in
// the message, catalogue designations read from the shared AISC v16 metric tables, and the report text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "SectGeom.h"
#include "Section.h"
#include "Tolerance.h"
#include "SectionTables.h"

using Corvid::CString;
using namespace Corvid::Data;

namespace {

// Dims() (in m) holds the "name=value" pairs of `mm` (in mm), named as the fields of CSectionDims.
::testing::AssertionResult HasDims(CSection const& s, std::string const& mm) {
    using D = CSectionDims;
    static std::map<std::string, double D::*> const fields = {
        {"D", &D::D},   {"B", &D::B},   {"B1", &D::B1}, {"T1", &D::T1}, {"B2", &D::B2}, {"T2", &D::T2},
        {"Tw", &D::Tw}, {"R", &D::R},   {"t", &D::t},   {"tf", &D::tf}, {"tw", &D::tw}, {"Ro", &D::Ro}};
    std::istringstream in(mm);
    for (std::string pair; in >> pair;) {
        auto const eq = pair.find('=');
        double const got = s.Dims().*fields.at(pair.substr(0, eq)) * 1e3;
        if (auto const r = s16test::Near(got, std::stod(pair.substr(eq + 1))); !r)
            return ::testing::AssertionFailure() << pair << ": " << r.message();
    }
    return ::testing::AssertionSuccess();
}

// The refusal of `text` (a std::invalid_argument) names `what`.
::testing::AssertionResult RefusedNaming(CString const& text, std::string const& what) {
    std::string msg;
    try {
        CSection const s(text);
        return ::testing::AssertionFailure() << "no refusal for \"" << Corvid::Narrow(text) << "\"";
    } catch (std::invalid_argument const& e) {
        msg = e.what();
    } catch (...) {
        return ::testing::AssertionFailure() << "\"" << Corvid::Narrow(text) << "\" threw another exception";
    }
    if (msg.find(what) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << Corvid::Narrow(text) << "\": message \"" << msg
                                         << "\" does not name \"" << what << "\"";
}

// Each row's text is refused naming `what` (RefusedNaming).
struct Refusal { wchar_t const* text; std::string what; };
void ExpectRefusals(std::initializer_list<Refusal> rows) {
    for (Refusal const& r : rows) EXPECT_TRUE(RefusedNaming(r.text, r.what));
}

// Clears the catalogue setting and S16_SECTION_CATALOG for the scope of a test, restoring both afterwards.
struct NoCatalogue {
    std::optional<std::string> env;
    NoCatalogue() {
        if (char const* e = std::getenv("S16_SECTION_CATALOG")) env = e;
        unsetenv("S16_SECTION_CATALOG");
        CSection::SetCatalogDirectory("");
    }
    ~NoCatalogue() {
        env ? setenv("S16_SECTION_CATALOG", env->c_str(), 1) : unsetenv("S16_SECTION_CATALOG");
        CSection::SetCatalogDirectory("");
    }
};

// Tests that read the shared section tables (skipped without them); the catalogue setting is cleared after each test.
class SectionCatalogue : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(S16_SHARED_SECTIONS))
            S16_SKIP_WITHOUT_TABLES("section tables not found at " << S16_SHARED_SECTIONS);
        CSection::SetCatalogDirectory(S16_SHARED_SECTIONS);
    }
    void TearDown() override { CSection::SetCatalogDirectory(""); }
};

// The folders OwnCatalogue made, removed when the test program ends.
struct MadeFolders {
    std::vector<std::filesystem::path> paths;
    ~MadeFolders() {
        std::error_code ignored;
        for (auto const& p : paths) std::filesystem::remove_all(p, ignored);
    }
};

// A catalogue folder of the test's own: a fresh temporary folder holding the files given (name -> text).
std::string OwnCatalogue(std::string const& tag, std::map<std::string, std::string> const& files) {
    static MadeFolders made;
    auto const dir = std::filesystem::temp_directory_path() / ("s16_catalogue_" + tag + "_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    made.paths.push_back(dir);
    for (auto const& [name, text] : files) std::ofstream(dir / name) << text;
    return dir.string();
}

// The refusal of `text` under the catalogue folder `dir`.
::testing::AssertionResult RefusedIn(std::string const& dir, CString const& text, std::string const& what) {
    CSection::SetCatalogDirectory(dir);
    auto r = RefusedNaming(text, what);
    CSection::SetCatalogDirectory("");
    return r;
}

// Each row's text names a rolled section of that shape, with a geometry and the dimensions `mm` (in mm).
struct Named { wchar_t const* text; CSecGeom::SecShape shape; char const* mm; };
void ExpectNamed(std::vector<Named> const& rows) {
    for (Named const& k : rows) {
        SCOPED_TRACE(Corvid::Narrow(k.text));
        CSection const s(k.text);
        EXPECT_EQ(s.Shape(), k.shape);
        EXPECT_TRUE(HasDims(s, k.mm));
        EXPECT_EQ(s.FabricationType(), 0);
        EXPECT_NE(s.Geometry(), nullptr);
    }
}

}  // namespace

// ---- Parametric descriptions

TEST(SectionText, ShapesParseInMetres) {
    // code: the shape's number; geometry: plate and round bar have none of their own; mm: the dimensions expected (mm).
    struct Case { wchar_t const* text; CSecGeom::SecShape shape; int code; bool geometry; char const* mm; };
    Case const cases[] = {
        // Equal flanges: B and T serve both flanges; B is the wider flange.
        {L"I D=303 B=203 T=13.1 Tw=7.5 R=15", CSecGeom::I, 1, true,
         "D=303 B1=203 B2=203 B=203 T1=13.1 T2=13.1 Tw=7.5 R=15"},
        // Unequal flanges: flange 1 (top) and flange 2 kept apart.
        {L"I D=400 B1=150 T1=12 B2=200 T2=20 Tw=10 R=8", CSecGeom::I, 1, true,
         "D=400 B1=150 T1=12 B2=200 T2=20 Tw=10 R=8 B=200"},
        {L"H D=250 B=250 T=14 Tw=9 R=12", CSecGeom::H, 11, true, "D=250 B1=250 T2=14"},
        {L"C D=254 B=69.6 T=11.1 Tw=9.63 R=14.3", CSecGeom::Channel, 3, true,
         "D=254 B1=69.6 B2=69.6 T1=11.1 Tw=9.63 R=14.3"},
        // Tee: the shape word and the flange thickness share the letter T.
        {L"T D=152 B=203 T=13.1 Tw=7.49 R=12.8", CSecGeom::Tee, 4, true,
         "D=152 B=203 B1=203 B2=203 T1=13.1 T2=13.1 Tw=7.49 R=12.8"},
        {L"L D=102 B=76 t=9.5 R=9.6", CSecGeom::Angle, 5, true, "D=102 B=76 t=9.5 R=9.6"},
        // One wall thickness: tf = tw = t; no Ro: square corners.
        {L"RHS D=203 B=102 t=5.92", CSecGeom::RHS, 9, true, "D=203 B=102 t=5.92 tf=5.92 tw=5.92 Ro=0"},
        // Two wall thicknesses: t is the thicker of them.
        {L"RHS D=200 B=100 tf=10 tw=8 Ro=20", CSecGeom::RHS, 9, true, "tf=10 tw=8 t=10 Ro=20"},
        {L"CHS D=168 t=5.92", CSecGeom::CHS, 7, true, "D=168 t=5.92"},
        {L"PL B=200 t=10", CSecGeom::Plate, 2, false, "B=200 t=10"}, {L"RB D=30", CSecGeom::RoundBar, 6, false, "D=30"},
    };
    for (Case const& k : cases) {
        SCOPED_TRACE(Corvid::Narrow(k.text));
        CSection const s(k.text);
        EXPECT_EQ(s.Shape(), k.shape);
        EXPECT_EQ(static_cast<int>(s.Shape()), k.code);
        EXPECT_EQ(s.Geometry() != nullptr, k.geometry);
        EXPECT_TRUE(HasDims(s, k.mm));
    }
}

TEST(SectionText, OrderCaseDefaultsAndBlankText) {
    CSection const ref(L"I D=303 B=203 T=13.1 Tw=7.5 R=15");
    // Pairs in any order, names and the shape word in any case (and NormalisedName), extra blanks and tabs: the same.
    EXPECT_EQ(CSection(L"  I\tD=303   B=203 T=13.1\tTW=7.5 r=15  "), ref);
    EXPECT_EQ(CSection(L"rhs D=200 B=100 TF=10 Tw=8 ro=20"), CSection(L"RHS D=200 B=100 tf=10 tw=8 Ro=20"));

    // R and Ro default to zero (the name: NormalisedName), and "-0" passes as the zero radius, name included.
    CSection const minus(L"I D=303 B=203 T=13.1 Tw=7.5 R=-0");
    EXPECT_EQ(minus.Description(false, false, true), L"I D=303 B=203 T=13.1 Tw=7.5 R=0");
    EXPECT_EQ(CSection(L"RHS D=200 B=100 t=8 Ro=-0"), CSection(L"RHS D=200 B=100 t=8"));

    // Empty or blank text: an empty section.
    for (wchar_t const* blank : {L"", L" ", L"\t \n "}) {
        CSection const e(blank);
        EXPECT_EQ(e.Shape(), CSecGeom::None) << Corvid::Narrow(blank);
        EXPECT_TRUE(e.IsEmpty());
        EXPECT_EQ(e.Geometry(), nullptr);
        EXPECT_EQ(e.Description(true, true, true), L"");
        EXPECT_EQ(e, CSection());
    }
}

TEST(SectionText, FabricationWords) {
    wchar_t const* const base = L"I D=303 B=203 T=13.1 Tw=7.5 R=15";
    EXPECT_EQ(CSection(base).FabricationType(), 0);  // default: rolled
    struct Case { wchar_t const* word; int fab; };
    for (Case const c : {Case{L"rolled", 0}, Case{L"welded", 1}, Case{L"cold-formed", 2}, Case{L"built-up", 3},
                         Case{L"cold-formed-stainless", 4}, Case{L"WELDED", 1}, Case{L"Cold-Formed", 2}}) {
        CSection const s(CString(base) + L" fab=" + c.word);
        EXPECT_EQ(s.FabricationType(), c.fab) << Corvid::Narrow(c.word);
        ASSERT_NE(s.Geometry(), nullptr);
        EXPECT_EQ(s.Geometry()->FabricationType(), c.fab);
    }
    // fab may stand anywhere among the pairs, for any shape, in any case.
    EXPECT_EQ(CSection(L"RHS FAB=welded D=200 B=100 t=8").FabricationType(), 1);
    EXPECT_EQ(CSection(L"CHS D=168 Fab=built-up t=5.92").FabricationType(), 3);
    EXPECT_EQ(CSection(L"PL B=200 t=10 fab=welded").FabricationType(), 1);
}

TEST(SectionText, NormalisedName) {
    // The name: the shape word in capitals, the dimensions in a fixed order and usual spelling, R always, Ro if given.
    auto name = [](wchar_t const* text) { return CSection(text).Description(false, false, true); };
    EXPECT_EQ(name(L"i r=15 tw=7.5 t=13.1 b=203 d=303"), L"I D=303 B=203 T=13.1 Tw=7.5 R=15");
    EXPECT_EQ(name(L"I D=303 B=203 T=13.1 Tw=7.5"), L"I D=303 B=203 T=13.1 Tw=7.5 R=0");
    EXPECT_EQ(name(L"I D=400 B1=150 T1=12 B2=200 T2=20 Tw=10"), L"I D=400 B1=150 T1=12 B2=200 T2=20 Tw=10 R=0");
    EXPECT_EQ(name(L"rhs t=8 b=100 d=200"), L"RHS D=200 B=100 t=8");
    EXPECT_EQ(name(L"RHS D=200 B=100 tw=8 tf=10 Ro=20"), L"RHS D=200 B=100 tf=10 tw=8 Ro=20");
    EXPECT_EQ(name(L"l t=9.5 b=76 d=102"), L"L D=102 B=76 t=9.5 R=0");
    EXPECT_EQ(name(L"chs t=5.92 d=168"), L"CHS D=168 t=5.92");
    // All three false: the name; fab adds the word; a parametric name holds the dimensions already, not repeated.
    EXPECT_EQ(CSection(L"chs t=5.92 d=168").Description(false, false, false), L"CHS D=168 t=5.92");
    EXPECT_EQ(CSection(L"CHS D=168 t=5.92 fab=welded").Description(false, true, true), L"CHS D=168 t=5.92 fab=welded");
    EXPECT_EQ(CSection(L"CHS D=168 t=5.92").Description(true, true, true), L"CHS D=168 t=5.92 fab=rolled");
    EXPECT_EQ(CSection(L"CHS D=168 t=5.92").Description(true, false, false), L"CHS D=168 t=5.92");
}

// ---- Refusals

TEST(SectionText, RefusesMalformedTokens) {
    NoCatalogue const none;
    ExpectRefusals({
        // A word that is neither a shape nor (with no catalogue) a designation; a pair where the shape word belongs.
        {L"BOX D=200 B=100 t=8", "BOX"}, {L"BOX D=200 B=100 t=8", "no section catalogue"}, {L"W310x60", "W310x60"},
        {L"W310x60", "no section catalogue"}, {L"D=303 B=203", "shape word"},
        // A token without '=', or with nothing before it.
        {L"I D=303 B 203 T=13.1 Tw=7.5", "expected name=value, found \"B\""}, {L"CHS D=168 =5.92", "found \"=5.92\""},
        // A dimension the shape does not use.
        {L"CHS D=168 t=5.92 B=100", "\"B\" is not used by a circular hollow section"},
        {L"I D=303 B=203 T=13.1 Tw=7.5 Ro=15", "\"Ro\" is not used by an I section"},
        {L"L D=102 B=76 t=9.5 Tw=3", "\"Tw\" is not used by an angle"}, {L"RB D=30 t=2", "\"t\" is not used by a round bar"},
        {L"T D=152 B=203 T=13.1 Tw=7.49 B1=203", "\"B1\" is not used by a tee"},
        // The same dimension twice, also when spelled in another case; a dimension missing.
        {L"I D=303 D=304 B=203 T=13.1 Tw=7.5", "\"D\" given twice"}, {L"CHS D=168 t=5 T=6", "\"T\" given twice"},
        {L"I D=303 B=203 T=13.1", "missing dimension \"Tw\""}, {L"RHS D=200 B=100 tf=10", "missing dimension \"Tw\""},
        {L"I D=400 B1=150 T1=12 B2=200 Tw=10", "missing dimension \"T2\""}, {L"CHS D=168", "missing dimension \"T\""},
        {L"L B=76 t=9.5", "missing dimension \"D\""}, {L"I", "missing dimension \"D\""},
        // fab: an unknown word, or given twice.
        {L"CHS D=168 t=5.92 fab=forged", "\"forged\""}, {L"CHS D=168 t=5.92 fab=forged", "fab must be one of"},
        {L"CHS D=168 t=5.92 fab=", "fab must be one of"}, {L"CHS D=168 t=5.92 fab=welded fab=welded", "fab given twice"},
        // Not a number, or not all of the token a number (decimal only).
        {L"I D=12x B=203 T=13.1 Tw=7.5", "\"12x\" is not a number"}, {L"CHS D=168 t=", "\"t\": \"\" is not a number"},
        {L"CHS D=1,68 t=5", "\"1,68\" is not a number"}, {L"I D=0x12F B=203 T=13.1 Tw=7.5", "\"0x12F\" is not a number"},
        // NaN and infinities (strtod reads all three; 1e999 overflows).
        {L"CHS D=nan t=5", "\"D\" is not a finite number"}, {L"CHS D=inf t=5", "\"D\" is not a finite number"},
        {L"CHS D=168 t=-inf", "\"t\" is not a finite number"}, {L"RB D=1e999", "\"D\" is not a finite number"},
        // Zero or negative dimensions; the radii may be zero but not negative.
        {L"I D=0 B=203 T=13.1 Tw=7.5", "\"D\" must be positive"}, {L"PL B=200 t=0", "\"t\" must be positive"},
        {L"I D=303 B=203 T=13.1 Tw=-7.5", "\"Tw\" must be positive"},
        {L"I D=303 B=203 T=13.1 Tw=7.5 R=-1", "\"R\" must be zero or positive"},
        {L"RHS D=200 B=100 t=8 Ro=-0.5", "\"Ro\" must be zero or positive"},
    });
}

TEST(SectionText, RefusesInconsistentDimensions) {
    ExpectRefusals({
        // Equal-flange and unequal-flange names mixed.
        {L"I D=303 B=203 B1=203 T1=13 B2=203 T2=13 Tw=7.5", "either B and T"},
        {L"C D=254 T=11 B1=70 T1=11 B2=70 T2=11 Tw=9", "either B and T"},
        // Flanges as thick as the depth: T1 + T2 = 20 + 20 = D = 40.
        {L"I D=40 B=200 T=20 Tw=10", "thinner than the depth"}, {L"T D=13 B=203 T=13.1 Tw=7.5", "flange thickness T"},
        {L"I D=30 B1=200 T1=20 B2=100 T2=15 Tw=10", "thinner than the depth"},
        // Web as thick as the (narrower) flange is wide.
        {L"I D=300 B=10 T=10 Tw=10", "web thickness Tw"}, {L"I D=300 B1=200 T1=10 B2=12 T2=10 Tw=12", "web thickness Tw"},
        {L"C D=300 B=9 T=10 Tw=9.5", "web thickness Tw"}, {L"T D=150 B=100 T=10 Tw=120", "stem thickness Tw"},
        // Root fillets that do not fit: I across the flange (Tw + 2R = 10 + 92 > 100) and down the web (T1 + T2 +
        // 2R = 20 + 82 > 100); channel across the flange (Tw + R = 10 + 61 > 70); tee on the flange (7.5 + 2*100 >
        // 203) and on the stem (T + R = 13 + 40 > 50); angle (t + R = 10 + 70 > 76).
        {L"I D=300 B=100 T=10 Tw=10 R=46", "Tw + 2R > B"}, {L"I D=100 B=300 T=10 Tw=10 R=41", "T1 + T2 + 2R > D"},
        {L"C D=300 B=70 T=10 Tw=10 R=61", "Tw + R > B"}, {L"T D=300 B=203 T=13 Tw=7.5 R=100", "Tw + 2R > B"},
        {L"T D=50 B=203 T=13 Tw=7.5 R=40", "T + R > D"}, {L"L D=102 B=76 t=10 R=70", "t + R > leg"},
        {L"L D=102 B=9 t=9.5", "thickness t must be less than both leg lengths"},
        // Hollow sections with walls too thick: CHS 2t = D; RHS 2 tf = D, 2 tw = B; corner radius more than half the
        // smaller side. Every refusal names the text it refused.
        {L"CHS D=100 t=50", "CHS D=100 t=50"}, {L"CHS D=100 t=50", "less than D/2"},
        {L"RHS D=100 B=200 t=50", "too thick for the depth"}, {L"RHS D=200 B=100 tf=10 tw=50", "too thick for the width"},
        {L"RHS D=200 B=100 t=8 tf=8 tw=8", "either t or tf and tw"}, {L"RHS D=200 B=100 t=8 Ro=51", "corner radius Ro"},
        // The n = 2.24 statements, where they have no effect.
        {L"I D=303 B=203 T=13.1 Tw=7.5 class=H", "class=H applies to hollow sections"},
        {L"RHS D=200 B=100 t=8 class=X", "class must be C or H"},
        {L"RHS D=200 B=100 t=8 class=H class=H", "class given twice"},
        {L"I D=400 B1=300 T1=20 B2=200 T2=20 Tw=10 fab=welded-flame-cut", "doubly symmetric"},
        {L"HSS102x102x6.4 fab=welded-flame-cut", "doubly symmetric"},
    });
    // Its effect: CompressiveResistance.CurveExponentByMaterialAndMaking.
    EXPECT_EQ(CSection(L"hss102x102x6.4 class=h").Name(), L"HSS102x102x6.4 class=H");
    EXPECT_EQ(CSection(L"RHS D=200 B=100 t=8 class=H").Name(), L"RHS D=200 B=100 t=8 class=H");
}

// Flange slopes: each limit has an accepted value just below it (and root fillets Tw + 2R = 10 + 90 = B fit).
// (Not a number, not finite, given twice: the rules of every dimension, RefusesMalformedTokens.)
TEST(SectionText, RefusesFlangeSlopes) {
    ExpectRefusals({
        {L"C D=200 B=80 T=10 Tw=10 slope=-5", "\"slope\" must be zero or positive"},
        {L"L D=100 B=100 t=10 slope=5", "\"slope\" is not used by an angle"},
        {L"RHS D=100 B=100 t=10 slope=5", "is not used by"},
        // Every refusal names the text it refused.
        {L"C D=200 B=80 T=10 Tw=10 slope=40", "C D=200 B=80 T=10 Tw=10 slope=40"},
        // Channel outstand 70, T = 10: the toe is bare at 2*10/70 = 28.6 %.
        {L"C D=200 B=80 T=10 Tw=10 slope=28.6", "no thickness at its toe"},
        // I outstand (200 - 10)/2 = 95: bare at 21.05 %; the wider flange decides. Tee outstand 95 likewise.
        {L"I D=300 B1=200 T1=10 B2=100 T2=10 Tw=10 slope=21.1", "no thickness at its toe"},
        {L"T D=100 B=200 T=10 Tw=10 slope=22", "no thickness at its toe"},
        // At 20 % the flanges are 10 + 0.2*47.5 = 19.5 thick at the web: two make 39 > D = 35 (the parallel-flange
        // check T1 + T2 = 20 < 35 passes).
        {L"I D=35 B=200 T=10 Tw=10 slope=20", "do not fit in the depth"},
        {L"T D=15 B=200 T=10 Tw=10 slope=20", "do not fit in the depth"},
        // With R = 5 the fillets reach k R = 5/(sqrt(1.04) + 0.2) = 4.10 along the web from each face: 39 + 8.2 > 45
        // (while T1 + T2 + 2R = 30 fits).
        {L"I D=45 B=200 T=10 Tw=10 R=5 slope=20", "do not fit in the depth"},
    });
    for (wchar_t const* below : {L"C D=200 B=80 T=10 Tw=10 slope=28.5", L"I D=300 B1=200 T1=10 B2=100 T2=10 Tw=10 slope=21",
                                 L"I D=48 B=200 T=10 Tw=10 R=5 slope=20", L"I D=300 B=100 T=10 Tw=10 R=45"})
        EXPECT_NO_THROW(CSection{below}) << Corvid::Narrow(below);
}

// ---- Catalogue designations

TEST_F(SectionCatalogue, RolledShapes) {
    ExpectNamed({  // (C250x30: PublishedSections.CatalogueSlopeAndRadiusOfC250x30)
        // i_shapes.csv HP310x79: d 300, bf 305, tw 11, tf 11, kdes 28.7 (R 17.7). Bearing piles are in the I table:
        // shape code I (the calculator decides H-ness from the proportions).
        {L"HP310x79", CSecGeom::I, "D=300 B1=305 Tw=11 R=17.7"},
        // tees.csv WT155x30: d 152, bf 203, tw 7.49, tf 13.1, kdes 25.9 (R 12.8).
        {L"WT155x30", CSecGeom::Tee, "D=152 B=203 B1=203 T1=13.1 Tw=7.49 R=12.8"},
        // hss_round.csv Pipe250STD: OD 273, tdes 8.64.
        {L"Pipe250STD", CSecGeom::CHS, "D=273 t=8.64"},
    });
    EXPECT_EQ(CSection(L"Pipe200XXS").Shape(), CSecGeom::CHS);

    // MC channels: parallel flanges, the root radius from the area, and the tabulated gross properties (channels.csv
    // MC310x46: A 5880 mm^2, x_bar 27.4 mm; Iy of every MC row: PublishedSections.Channels).
    CSection const mc(L"MC310x46");
    EXPECT_EQ(mc.Dims().slope, 0.0);
    EXPECT_EQ(mc.Geometry()->Area(), 5880 * 1e-6);
    EXPECT_EQ(mc.Geometry()->Xbar(), 27.4 * 1e-3);
}

TEST_F(SectionCatalogue, DesignationSpellingAndFabrication) {
    // Case of the letters, and of the 'x' separators, does not matter; the name is the table's spelling.
    CSection const ref(L"W310x60");
    EXPECT_EQ(CSection(L"w310X60"), ref);
    EXPECT_EQ(CSection(L"hss203.2X101.6X6.4"), CSection(L"HSS203.2x101.6x6.4"));
    EXPECT_EQ(CSection(L"PIPE250std").Name(), L"Pipe250STD");
    EXPECT_EQ(CSection(L"  l102X76X9.5  "), CSection(L"L102x76x9.5"));

    // An unknown designation names itself.
    EXPECT_TRUE(RefusedNaming(L"W999x1", "unknown section \"W999x1\""));
    EXPECT_TRUE(RefusedNaming(L"HSS1x1x1 fab=welded", "\"HSS1x1x1\""));

    // A designation followed by fab=...
    CSection const welded(L"W310x60 fab=welded");  // its description: CatalogueDescription
    ASSERT_NE(welded.Geometry(), nullptr);
    EXPECT_EQ(welded.Geometry()->FabricationType(), 1);
    EXPECT_EQ(CSection(L"HSS168.3x6.4 FAB=Cold-Formed").FabricationType(), 2);
    EXPECT_NE(welded, ref);
    ExpectRefusals({
        // Nothing but one fab=... may follow a designation.
        {L"W310x60 D=300", "only fab="}, {L"W310x60 welded", "only fab="},
        {L"W310x60 fab=welded fab=rolled", "fab given twice"}, {L"W310x60 fab=forged", "\"forged\""},
    });

    // Parametric descriptions still parse with a catalogue set.
    EXPECT_EQ(CSection(L"I D=303 B=203 T=13.1 Tw=7.5 R=15").Shape(), CSecGeom::I);
}

TEST_F(SectionCatalogue, CatalogueDescription) {
    // Name only: the designation as the table spells it. With dimensions (mm) and fab: i_shapes.csv W310x60: d 302,
    // bf 203, tw 7.49, tf 13.1, kdes 25.9, R = 25.9 - 13.1 = 12.8; angles.csv L102x76x9.5: d 76.2, b 102, t 9.53, kdes
    // 19.1, the longer leg vertical: D = 102, B = 76.2, R = kdes - t = 9.57; hss_rect.csv HSS203.2x101.6x6.4: Ht 203,
    // B 102, tdes 5.92 both walls, Ro = 2 tdes = 11.84; hss_round.csv HSS168.3x6.4: OD 168, tdes 5.92.
    struct Case { wchar_t const* text; bool dims, fab, name; wchar_t const* want; };
    for (Case const& k :
         {Case{L"w310x60", false, false, true, L"W310x60"}, Case{L"w310x60", false, false, false, L"W310x60"},
          Case{L"W310x60", true, true, true, L"W310x60 (D=302 B=203 T=13.1 Tw=7.49 R=12.8) fab=rolled"},
          Case{L"W310x60 fab=welded", true, true, true, L"W310x60 (D=302 B=203 T=13.1 Tw=7.49 R=12.8) fab=welded"},
          Case{L"L102x76x9.5", true, false, true, L"L102x76x9.5 (D=102 B=76.2 t=9.53 R=9.57)"},
          Case{L"HSS203.2x101.6x6.4", true, true, true, L"HSS203.2x101.6x6.4 (D=203 B=102 t=5.92 Ro=11.84) fab=rolled"},
          Case{L"HSS168.3x6.4", true, false, true, L"HSS168.3x6.4 (D=168 t=5.92)"}})
        EXPECT_EQ(CSection(k.text).Description(k.dims, k.fab, k.name), k.want) << Corvid::Narrow(k.text);
}

TEST(SectionCatalogueSetting, EnvironmentAndUnreadableFolder) {
    if (!std::filesystem::is_directory(S16_SHARED_SECTIONS)) S16_SKIP_WITHOUT_TABLES("section tables not found");
    NoCatalogue const none;
    EXPECT_EQ(CSection::CatalogDirectory(), "");
    // The environment variable serves when nothing is set in the program.
    setenv("S16_SECTION_CATALOG", S16_SHARED_SECTIONS, 1);
    EXPECT_EQ(CSection::CatalogDirectory(), S16_SHARED_SECTIONS);
    EXPECT_EQ(CSection(L"W310x60").Shape(), CSecGeom::I);
    // A setting in the program wins over the environment: a folder without tables refuses every designation, naming it.
    std::string const empty = (std::filesystem::temp_directory_path() / "s16_no_tables_here").string();
    CSection::SetCatalogDirectory(empty);
    EXPECT_EQ(CSection::CatalogDirectory(), empty);
    EXPECT_TRUE(RefusedNaming(L"W310x60", empty));
    EXPECT_TRUE(RefusedNaming(L"W310x60", "holds no readable section tables"));
    CSection::SetCatalogDirectory("");
    EXPECT_EQ(CSection::CatalogDirectory(), S16_SHARED_SECTIONS);
}

// ---- Canadian names

TEST_F(SectionCatalogue, CanadianNamesResolveToTheirRows) {
    struct Case { wchar_t const* given; wchar_t const* row; };
    Case const cases[] = {
        // A whole mass stands for the row of the same shape and depth whose tabulated mass rounds to it (i_shapes.csv
        // W250x32.7, W310x38.7; tees.csv WT155x19.35, ST305x74.5; channels.csv C250x30 exactly).
        {L"W250x33", L"W250x32.7"}, {L"W310x39", L"W310x38.7"}, {L"WT155x19", L"WT155x19.35"},
        {L"ST305x75", L"ST305x74.5"},
        // Spaces and letter case are forgiven, also after a shape word's letter.
        {L"W 310x60", L"W310x60"}, {L"C 250 x 30", L"C250x30"}, {L"w 250X33", L"W250x32.7"},
    };
    for (Case const& k : cases) EXPECT_EQ(CSection(k.given).Name(), k.row) << Corvid::Narrow(k.given);
    EXPECT_EQ(CSection(L"W 310x60 fab=welded").FabricationType(), 1);
    ExpectRefusals({
        // An unknown designation lists the three nearest names, once: same letters, nearest depth and mass (W310x60,
        // W310x67, W310x52 around 61).
        {L"W310x61", "\"W310x61\": not in the catalogue"}, {L"W310x61", "; did you mean W310x60, W310x67, W310x52?"},
        // No whole mass, or a mass no row rounds to: not resolved.
        {L"W250x33.0", "did you mean W250x32.7"}, {L"W250x34", "did you mean"},
    });
}

TEST(SectionCatalogueNames, AmbiguousMassAndListing) {
    // Two rows of the same depth whose masses round to 33: neither is chosen.
    std::string const i = "designation,type,d,bf,tw,tf,k_des_or_r\n"
                          "W250x32.7,W,259,146,6.1,9.14,16.8\nW250x33.4,W,259,146,6.2,9.2,16.8\nW310x60,W,302,203,7.49,13.1,25.9\n";
    std::string const dir = OwnCatalogue("ambiguous", {{"i_shapes.csv", i}});
    EXPECT_TRUE(RefusedIn(dir, L"W250x33", "more than one catalogue section (W250x32.7, W250x33.4)"));
    CSection::SetCatalogDirectory(dir);
    EXPECT_EQ(CSection::CatalogNames("w 250"), (std::vector<std::string>{"W250x32.7", "W250x33.4"}));
    EXPECT_EQ(CSection::CatalogNames("W3").size(), 1u);
    CSection::SetCatalogDirectory("");
}

// ---- Hollow sections by their CSA G40.20 names

TEST(SectionText, HollowSectionsByG40Name) {
    NoCatalogue const none;  // rounded corners: A, J Geometry.RHS; Ix PublishedSections.RectangularHSS
    ExpectNamed({
        // Each size is the inch size it rounds, to 3 decimals of an inch, in mm to 0.01: 102 = 4 in = 101.6; 6.4 =
        // 0.250 in = 6.35; outside corner radius 2t; the nominal wall is the design wall.
        {L"HSS102x102x6.4", CSecGeom::RHS, "D=101.6 B=101.6 t=6.35 tf=6.35 tw=6.35 Ro=12.7"},
        // 203 = 8 in = 203.2; 9.5 = 0.375 in = 9.525, to 0.01 mm 9.53.
        {L"hss 203x102x9.5", CSecGeom::RHS, "D=203.2 B=101.6 t=9.53 Ro=19.06"},
        // 4.8 = 3/16 in = 0.188 in = 4.7752, 4.78; 8.0 = 5/16 in = 0.313 in = 7.9502, 7.95; 13 = 0.5 in = 12.7; 3.8 =
        // 0.150 in = 3.81.
        {L"HSS76x51x4.8", CSecGeom::RHS, "D=76.2 B=50.8 t=4.78"}, {L"HSS152x152x8.0", CSecGeom::RHS, "D=152.4 t=7.95"},
        {L"HSS305x305x13", CSecGeom::RHS, "D=304.8 t=12.7"}, {L"HSS51x51x3.8", CSecGeom::RHS, "D=50.8 t=3.81"},
        // Round: 168 = 6 5/8 in = 6.625 in = 168.275, 168.28.
        {L"HSS168x6.4", CSecGeom::CHS, "D=168.28 t=6.35"},
    });
    ExpectRefusals({
        // Sizes that round no inch size, and walls too thick, are refused.
        {L"HSS101x101x6.4", "101 mm is not an inch size rounded"},
        {L"HSS102x102x6.2", "6.2 mm is not an inch size rounded"}, {L"HSS102x102x60", "walls are too thick"},
    });
    // A catalogue row of the same name wins (its wall 5.9 mm).
    std::string const dir = OwnCatalogue("hss", {{"hss_rect.csv", "designation,Ht,B,tdes\nHSS102x102x6.4,102,102,5.9\n"}});
    CSection::SetCatalogDirectory(dir);
    EXPECT_TRUE(HasDims(CSection(L"HSS102x102x6.4"), "D=102 t=5.9 Ro=11.8"));
    CSection::SetCatalogDirectory("");
}

// ---- Catalogue validation

TEST(SectionCatalogueRows, FaultsAreRefusedNamingFileLineColumnAndDesignation) {
    std::string const head = "designation,type,d,bf,tw,tf,k_des_or_r,A,Ix\n";
    // i_shapes.csv W310x60: d 302, bf 203, tw 7.49, tf 13.1, kdes 25.9, A 7550, Ix 128.
    std::string const w310 = "W310x60,W,302,203,7.49,13.1,25.9,7550,128\n";
    struct Case { char const* tag; std::map<std::string, std::string> files; char const* message; };
    Case const cases[] = {
        // A root radius of 259 for 25.9: R = 259 - 13.1 does not fit, the same rule and words as a description's.
        {"radius", {{"i_shapes.csv", head + "W310x60,W,302,203,7.49,13.1,259,7550,128\n"}},
         "i_shapes.csv, line 2 (W310x60), column \"k_des_or_r\": the root radius R does not fit on the flange"},
        // Ix 1280 for 128: the dimensions give 1.28e8 mm^4 within 1 % (PublishedSections), ten times less.
        {"ix", {{"i_shapes.csv", head + "W310x60,W,302,203,7.49,13.1,25.9,7550,1280\n"}},
         "i_shapes.csv, line 2 (W310x60), column \"Ix\": the tabulated second moment 1280 10^6 mm^4 is more than 10 % "
         "from the 126.7 10^6 mm^4 of the dimensions"},
        // Area 8550 for 7550: 13 % over.
        {"area", {{"i_shapes.csv", head + "W310x60,W,302,203,7.49,13.1,25.9,8550,128\n"}},
         "i_shapes.csv, line 2 (W310x60), column \"A\": the tabulated area 8550 mm^2 is more than 10 % from the"},
        {"twice", {{"i_shapes.csv", head + w310}, {"hss_rect.csv", "designation,Ht,B,tdes\nw310X60,203,102,5.92\n"}},
         "hss_rect.csv, line 2 (w310X60), column \"designation\": listed twice (also i_shapes.csv, line 2)"},
        {"column", {{"i_shapes.csv", "designation,type,d,bf,tf,k_des_or_r\nW310x60,W,302,203,13.1,25.9\n"}},
         "i_shapes.csv, line 1: missing column \"tw\""},
        {"number", {{"i_shapes.csv", head + "W310x60,W,302,203,7.49mm,13.1,25.9,7550,128\n"}},
         "i_shapes.csv, line 2 (W310x60), column \"tw\": \"7.49mm\" is not a number"},
        {"blank", {{"i_shapes.csv", head + "W310x60,W,302,,7.49,13.1,25.9,,\n"}}, "i_shapes.csv, line 2 (W310x60), column \"bf\": no value"},
        {"negative", {{"i_shapes.csv", head + "W310x60,W,302,203,7.49,13.1,10,,\n"}},
         "i_shapes.csv, line 2 (W310x60), column \"k_des_or_r\": gives a negative root radius"},
        {"property", {{"i_shapes.csv", head + "W310x60,W,302,203,7.49,13.1,25.9,-7550,128\n"}},
         "i_shapes.csv, line 2 (W310x60), column \"A\": must be positive (got \"-7550\")"},
        {"huge", {{"i_shapes.csv", head + "W310x60,W,3e7,203,7.49,13.1,25.9,,\n"}}, "i_shapes.csv, line 2 (W310x60), column \"d\": must be at most"},
        {"quote", {{"i_shapes.csv", head + "\"W310x60,W,302,203,7.49,13.1,25.9,7550,128\n"}},
         "i_shapes.csv, line 2: a quote is not closed"},
    };
    for (Case const& k : cases) {
        SCOPED_TRACE(k.tag);
        std::string const dir = OwnCatalogue(k.tag, k.files);
        EXPECT_TRUE(RefusedIn(dir, L"W310x60", "section catalogue \"" + dir + "\": " + std::string(k.message)));
    }
    // A table that cannot be read (here a folder) is a fault; others are counted (the tee table lacks six columns).
    std::string const dir = OwnCatalogue("unreadable", {{"tees.csv", "designation\nx\n"}});
    std::filesystem::create_directory(dir + "/i_shapes.csv");
    EXPECT_TRUE(RefusedIn(dir, L"W310x60", "i_shapes.csv: cannot be read (and 6 more faults)"));
    // Quoting is honoured: a quoted cell may hold commas, and blank tabulated values are allowed.
    std::string const quoted = OwnCatalogue(
        "quoted", {{"i_shapes.csv", "designation,note,type,d,bf,tw,tf,k_des_or_r,A\n"
                                    "\"W310x60\",\"rolled, \"\"2024\"\"\",W,302,\"203\",7.49,13.1,25.9,\n"}});
    CSection::SetCatalogDirectory(quoted);
    EXPECT_TRUE(HasDims(CSection(L"W310x60"), "D=302 B=203 R=12.8"));
    CSection::SetCatalogDirectory("");
}
