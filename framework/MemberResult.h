#pragma once
// Result of one member check: utilisations per entry, flags, and the
// calculation report as markup fragments.
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "CString.h"
#include "DesFormat.h"

namespace Corvid::Steel {

// Utilisation kinds held by every entry.
enum class UtilKind : int {
    LocalAxial = 0,
    LocalMomMajor,
    LocalMomMinor,
    LocalShearMajor,
    LocalShearMinor,
    LocalTorsion,
    LocalCombined,
    BucklingAxialMajor,
    BucklingAxialMinor,
    BucklingAxialTorsion,
    BucklingAxialFlexuralTorsion,
    BucklingLT,
    BucklingCombined,
    Count
};

inline constexpr int kUtilKindCount = static_cast<int>(UtilKind::Count);

// Name of a utilisation kind ("local axial", "buckling LT" ...).
CString UtilKindName(UtilKind k);

// One report fragment with the indentation level in force when it was added.
struct CReportFragment {
    CString text;
    int indent = 0;
    friend bool operator==(CReportFragment const& a, CReportFragment const& b) {
        return a.text == b.text && a.indent == b.indent;
    }
};

// One entry of the result: entry 0 holds what comes before the station
// checks, entry k + 1 sub-span k, the last entry the member buckling checks.
struct CResultEntry {
    using Figures = std::array<double, kUtilKindCount>;
    static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

    double util[kUtilKindCount] = {};
    std::uint32_t setMask = 0;  // bit k: utilisation kind k has been set
    // Behind the kept utilisation of each kind: the demand (the axial force
    // of a local check signed, tension positive; every other as a
    // magnitude), the resistance and the station (m) of a local check;
    // kNone when not given (an interaction has no single pair: the local
    // combined check gives the signed axial force at its station, which
    // decides its clause, and no resistance).
    Figures demand = None(), resistance = None(), at = None();
    std::vector<CReportFragment> fragments;

    static Figures None() {
        Figures f;
        f.fill(kNone);
        return f;
    }

    bool IsSet(UtilKind k) const { return (setMask >> static_cast<int>(k)) & 1u; }
    double Util(UtilKind k) const { return util[static_cast<int>(k)]; }
    // The largest utilisation of the entry (0 when none was set).
    double MaxUtil() const;
    // Keep the larger value; NaN is taken as +infinity.
    void Set(UtilKind k, double v);
    // The same with the figures behind the value, kept when the value is.
    void Set(UtilKind k, double v, double demand, double resistance, double at);
    void Merge(CResultEntry const& other);

    friend bool operator==(CResultEntry const& a, CResultEntry const& b);
};

// Parts of an entry's text that a host may want alone
// (CMemberResult::LimitTextTo): a sub-span's left and right ends; a block of
// the member buckling checks, one for each kind of utilisation it decides.
namespace TextPart {
constexpr unsigned kWhole = 1;
constexpr unsigned kLeftEnd = 2, kRightEnd = 4;
// The block of a buckling kind (BucklingAxialMajor ... BucklingCombined: 2 ... 64).
constexpr unsigned Block(UtilKind k) {
    return 2u << (static_cast<int>(k) - static_cast<int>(UtilKind::BucklingAxialMajor));
}
}  // namespace TextPart

class CMemberResult {
public:
    CMemberResult() : m_entries(1) {}

    // --- configuration ---
    // Text wanted for the current entry: text on, and the entry among those
    // LimitTextTo kept.
    bool WantsText() const { return m_text && m_textWanted; }
    // Text on for the check, whichever entries get it.
    bool TextEnabled() const { return m_text; }
    void EnableText(bool on) {
        m_text = on;
        UpdateTextWanted();
    }
    // With text on, only the entries whose index is marked in `wanted` get
    // their text (entries past its end get none): a host that shows the
    // working of a few entries spares the formatting of the others'. Every
    // entry when empty (the default). Kept by Reset, as the text flag is.
    // A mark is TextPart::kWhole for the whole entry, or the TextPart bits
    // of the parts wanted (the entry's text outside every part comes too).
    void LimitTextTo(std::vector<char> wanted) {
        m_textEntries = std::move(wanted);
        UpdateTextWanted();
    }
    // The part of the current entry's text being written (0: none).
    unsigned TextPartNow() const { return m_textPart; }
    void SetTextPart(unsigned part);
    Corvid::Util::CDesFormat const& Format() const { return m_format; }
    void SetFormat(Corvid::Util::CDesFormat const& f) { m_format = f; }

    // --- entry array ---
    // Size the entry array to n entries (at least 1): existing entries are
    // kept, new ones are empty. A check starts from Reset().
    void IniDynaArray(int n);
    int NumEntries() const { return static_cast<int>(m_entries.size()); }
    int EntryIndex() const { return m_entryIndex; }
    // Out-of-range indices are clamped to the array, so nothing written is lost.
    void SetEntryIndex(int i);
    CResultEntry const& Entry(int i) const;
    bool Buckling() const { return m_buckling; }
    void SetBuckling(bool b) { m_buckling = b; }

    // --- report ---
    // The text is copied into the result's own storage (a literal's length
    // known when compiled).
    void AddOutputString(CString const& s) { AddText(s.data(), s.size()); }
    void AddOutputString(CLine&& s) { AddText(s.data(), s.size()); }
    template <class P, IfWidePointer<P> = 0>
    void AddOutputString(P s) {
        AddText(s, std::char_traits<wchar_t>::length(s));
    }
    template <class C, std::size_t N, IfWideChar<C> = 0>
    void AddOutputString(C (&s)[N]) {
        AddText(s, TextLength(s));
    }
    // Clears every fragment; their storage is kept for the next ones.
    void ClearStrings();
    int Indent() const { return m_indent; }
    void IncreaseIndent() { ++m_indent; }
    void DecreaseIndent() {
        if (m_indent > 0) --m_indent;
    }
    // Markup of every entry in order, each line prefixed by one tab per level.
    CString GetMarkup() const;
    // Plain text: markup removed, two spaces per level; one entry when entry
    // is 0 or more, every entry otherwise.
    CString GetText(int entry = -1) const;
    // HTML body fragment: headings and emphasis kept, colours as spans,
    // everything else escaped.
    CString GetHtml() const;

    // --- flags ---
    void AddFlags(std::uint32_t f) { m_flags |= f; }
    std::uint32_t Flags() const { return m_flags; }
    void ClearFlags() { m_flags = 0; }

    // --- utilisations (written into the current entry; the largest kept) ---
    void SetUtilOverAll(double v);
    void SetUtilLocalAxial(double v) { Set(UtilKind::LocalAxial, v); }
    void SetUtilLocalMomMajor(double v) { Set(UtilKind::LocalMomMajor, v); }
    void SetUtilLocalMomMinor(double v) { Set(UtilKind::LocalMomMinor, v); }
    void SetUtilLocalShearMajor(double v) { Set(UtilKind::LocalShearMajor, v); }
    void SetUtilLocalShearMinor(double v) { Set(UtilKind::LocalShearMinor, v); }
    void SetUtilLocalTorsion(double v) { Set(UtilKind::LocalTorsion, v); }
    void SetUtilLocalCombined(double v) { Set(UtilKind::LocalCombined, v); }
    void SetUtilBucklingAxialMajor(double v) { Set(UtilKind::BucklingAxialMajor, v); }
    void SetUtilBucklingAxialMinor(double v) { Set(UtilKind::BucklingAxialMinor, v); }
    void SetUtilBucklingAxialTorsion(double v) { Set(UtilKind::BucklingAxialTorsion, v); }
    void SetUtilBucklingAxialFlexuralTorsion(double v) { Set(UtilKind::BucklingAxialFlexuralTorsion, v); }
    void SetUtilBucklingLT(double v) { Set(UtilKind::BucklingLT, v); }
    void SetUtilBucklingCombined(double v) { Set(UtilKind::BucklingCombined, v); }
    void Set(UtilKind k, double v);
    // The same with the demand and resistance behind it (at the station of
    // SetStation).
    void Set(UtilKind k, double v, double demand, double resistance);
    // The position (m) of the station being checked; NaN outside the local checks.
    void SetStation(double x) { m_station = x; }

    // The largest utilisation of every entry and of SetUtilOverAll.
    double UtilOverAll() const;
    // The largest utilisation of one kind over all entries.
    double MaxUtil(UtilKind k) const;

    // Clear everything written (entries, flags, strings, overall) but keep the
    // configuration (text flag and its entries, formatter) and the storage,
    // for the next check.
    void Reset();

    static double InfinitiseNANs(double v) { return std::isnan(v) ? std::numeric_limits<double>::infinity() : v; }

    friend bool operator==(CMemberResult const& a, CMemberResult const& b);
    friend bool operator!=(CMemberResult const& a, CMemberResult const& b) { return !(a == b); }
    // Merge: flags ORed, utilisations the larger, fragments appended entry by
    // entry (the array grows to the larger of the two).
    CMemberResult& operator+=(CMemberResult const& other);
    friend CMemberResult operator+(CMemberResult a, CMemberResult const& b) { return a += b; }

private:
    // The storage of a previous report kept for the next one: for each entry
    // position, the fragments of the last report written there (their texts
    // keep their room; the next report's fragments of that entry are moved
    // out of it in order), and cleared entries. A copy starts without any.
    struct Spare {
        std::vector<std::vector<CReportFragment>> fragments;
        std::vector<CResultEntry> entries;
        Spare() = default;
        Spare(Spare const&) {}
        Spare(Spare&&) = default;
        Spare& operator=(Spare const&) { return *this; }
        Spare& operator=(Spare&&) = default;
        ~Spare() = default;
    };

    CResultEntry& Current() { return m_entries[static_cast<std::size_t>(m_entryIndex)]; }
    // Whether LimitTextTo keeps the text of the current entry and part, kept
    // in m_textWanted whenever one of them changes with text on (WantsText,
    // inlined in every check, stays one test; a check without text spends
    // nothing on it).
    void UpdateTextWanted();
    // A new fragment of the current entry at the current indent with p's n
    // characters (none: no fragment), in the kept text of its place when
    // there is one.
    void AddText(wchar_t const* p, std::size_t n);

    bool m_text = true;
    std::vector<char> m_textEntries;  // empty: every entry
    unsigned m_textPart = 0;
    bool m_textWanted = true;
    Corvid::Util::CDesFormat m_format;
    std::vector<CResultEntry> m_entries;
    int m_entryIndex = 0;
    bool m_buckling = false;
    std::uint32_t m_flags = 0;
    double m_overAll = 0.0;
    int m_indent = 0;
    double m_station = CResultEntry::kNone;
    Spare m_spare;
};

// The text written while this lives is the given part of its entry's
// (TextPart); the part before is restored after. Nothing to do without text.
class CResultTextPart {
public:
    CResultTextPart(CMemberResult* result, unsigned part)
        : m_result(result && result->TextEnabled() ? result : nullptr),
          m_before(m_result ? m_result->TextPartNow() : 0) {
        if (m_result) m_result->SetTextPart(part);
    }
    ~CResultTextPart() {
        if (m_result) m_result->SetTextPart(m_before);
    }
    CResultTextPart(CResultTextPart const&) = delete;
    CResultTextPart& operator=(CResultTextPart const&) = delete;

private:
    CMemberResult* m_result;
    unsigned m_before;
};

// Raises the report indentation while it lives. A null result is allowed.
class CResultIndent {
public:
    explicit CResultIndent(CMemberResult* result) : m_result(result) {
        if (m_result) m_result->IncreaseIndent();
    }
    ~CResultIndent() {
        if (m_result) m_result->DecreaseIndent();
    }
    CResultIndent(CResultIndent const&) = delete;
    CResultIndent& operator=(CResultIndent const&) = delete;

private:
    CMemberResult* m_result;
};

// The utilisation setters, inline: the checks call them for every value.
inline void CResultEntry::Set(UtilKind k, double v) {
    v = CMemberResult::InfinitiseNANs(v);
    auto const i = static_cast<int>(k);
    if (!IsSet(k) || v > util[i]) util[i] = v;
    setMask |= 1u << i;
}

inline void CResultEntry::Set(UtilKind k, double v, double d, double r, double x) {
    auto const i = static_cast<int>(k);
    bool const kept = !IsSet(k) || CMemberResult::InfinitiseNANs(v) > util[i];
    Set(k, v);
    if (kept) demand[i] = d, resistance[i] = r, at[i] = x;
}

inline void CMemberResult::Set(UtilKind k, double v) { Current().Set(k, v); }

inline void CMemberResult::Set(UtilKind k, double v, double demand, double resistance) {
    Current().Set(k, v, demand, resistance, m_station);
}

}  // namespace Corvid::Steel
