#include "app/Restraints.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/TextCase.h"

namespace s16app {

namespace RB = Corvid::Data::RestraintBits;

namespace {
// Words with a meaning besides their bits.
constexpr char const* kWebConnected = "web-connected";

bool IsSupportShorthand(std::string const& w) {
    return w == "pinned" || w == "simply-supported" || w == "fixed" || w == "built-in";
}

std::string Normalise(std::string const& word) {
    std::string s = Corvid::LowerCase(word);
    std::replace_if(
        s.begin(), s.end(), [](char c) { return c == '_' || c == ' '; }, '-');
    return s;
}

std::string KnownWords() {
    std::string list;
    for (auto const& w : RestraintVocabulary()) list += (list.empty() ? "" : ", ") + std::string(w.word);
    return list;
}

int ReadBits(Field const& field) {
    unsigned long long value = 0;
    bool tooLarge = false;
    if (field.IsString()) {
        // Decimal, or hexadecimal as 0x...: never octal ("0100" is 100).
        std::string const s = field.String();
        bool const hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
        std::string const digits = hex ? s.substr(2) : s;
        if (digits.empty() ||
            digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
            field.Fail("\"" + s + "\" is not an integer (decimal, or hexadecimal as 0x...)");
        errno = 0;
        value = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
        tooLarge = errno == ERANGE;
    } else {
        double const v = field.Number();
        if (v < 0) field.Fail("restraint bits must not be negative");
        // Compared before any conversion: a double beyond the integer
        // range has no integer value to convert to.
        tooLarge = !(v <= static_cast<double>(RB::kAllDefined));
        if (!tooLarge && v != std::floor(v)) field.Fail("restraint bits must be an integer");
        if (!tooLarge) value = static_cast<unsigned long long>(v);
    }
    if (tooLarge || (value & ~static_cast<unsigned long long>(RB::kAllDefined)) != 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "0x%llx", value);
        field.Fail(std::string("bits outside the defined restraint bits (") + (tooLarge ? "too large" : buf) + ")");
    }
    return static_cast<int>(value);
}
}  // namespace

std::vector<RestraintWord> const& RestraintVocabulary() {
    static std::vector<RestraintWord> const words = {
        {"free", RB::kFree, "nothing held"},
        {"pinned", RB::kPinned, "simple support: both translations, twist and both flanges laterally"},
        {"simply-supported", RB::kPinned, "the same as pinned"},
        {"fixed", RB::kFixed, "every movement held (pinned plus both rotations, warping, both flanges on plan)"},
        {"built-in", RB::kFixed, "the same as fixed"},
        {"braced", RB::kBraced, "lateral brace: lateral translation, twist and both flanges laterally"},
        {"major-translation", RB::kMajorTranslation, "displacement in the plane of the web"},
        {"minor-translation", RB::kMinorTranslation, "lateral displacement of the section"},
        {"major-rotation", RB::kMajorRotation, "rotation about the major axis"},
        {"minor-rotation", RB::kMinorRotation, "rotation on plan (about the minor axis)"},
        {"top-flange-lateral", RB::kTopFlangeLateral, "top flange held laterally"},
        {"bottom-flange-lateral", RB::kBottomFlangeLateral, "bottom flange held laterally"},
        {"top-flange-on-plan", RB::kTopFlangeRotationOnPlan, "top flange held against rotation on plan"},
        {"bottom-flange-on-plan", RB::kBottomFlangeRotationOnPlan, "bottom flange held against rotation on plan"},
        {"torsional", RB::kTorsional, "twist of the section held"},
        {"partial-torsional", RB::kPartialTorsional, "partial torsional restraint"},
        {"warping", RB::kWarping, "warping held"},
        {"compression-flange-lateral", RB::kCompFlangeLateral, "compression flange held laterally"},
        {"tension-flange-lateral", RB::kTensionFlangeLateral, "tension flange held laterally"},
        {"both-flanges-on-plan", RB::kBothFlangesRotationOnPlan, "both flanges held against rotation on plan"},
        {"compression-flange-on-plan", RB::kCompFlangeRotationOnPlan,
         "compression flange held against rotation on plan"},
        {"flange-connection", RB::kFlangeConnection, "end connection made through a flange"},
        {"flange-connected", RB::kFlangeConnection, "the same as flange-connection (a tee so held is a strut)"},
        {"end-connection", RB::kEndConnection, "end plate or seat engaging the flanges"},
        {kWebConnected, 0, "a channel connected through its web only: a support shorthand adds no end connection"},
    };
    return words;
}

RestraintInput ReadRestraint(Field const& field) {
    RestraintInput out;
    if (field.IsObject()) {
        ObjectReader const obj(field, {"bits"});
        out.bits = ReadBits(obj.Require("bits"));
        return out;
    }
    if (!field.IsArray() && !field.IsString())
        field.Fail("expected a restraint word, a list of words or {\"bits\": ...}, found " + field.TypeName());
    bool support = false, webOnly = false;
    auto read = [&](Field const& w) {
        std::string const word = Normalise(w.String());
        auto const& words = RestraintVocabulary();
        auto const entry = std::find_if(words.begin(), words.end(), [&word](RestraintWord const& e) {
            return std::strcmp(word.c_str(), e.word) == 0;  // (not string::compare: no strlen a word)
        });
        if (entry == words.end()) w.Fail("unknown restraint word \"" + w.String() + "\" (known: " + KnownWords() + ")");
        out.bits |= entry->bits;
        support = support || IsSupportShorthand(word);
        webOnly = webOnly || word == kWebConnected;
    };
    if (field.IsString())  // the most frequent: one word, read where it stands
        read(field);
    else
        for (auto const& w : field.Elements()) read(w);
    out.channelEndConnection = support && !webOnly;
    return out;
}

int RestraintBitsFor(RestraintInput const& r, Corvid::Data::CSecGeom::SecShape shape) {
    if (shape == Corvid::Data::CSecGeom::Channel && r.channelEndConnection) return r.bits | RB::kEndConnection;
    return r.bits;
}

}  // namespace s16app
