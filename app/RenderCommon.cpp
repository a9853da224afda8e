#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "app/Output.h"
#include "app/Render.h"
#include "framework/DesFormat.h"
#include "framework/Digits.h"
#include "framework/ResultFlags.h"

namespace s16app {

std::string UtilText(double u) {
    if (std::isinf(u)) return u > 0 ? "inf" : "-inf";
    if (std::isnan(u)) return "nan";
    return Fixed(u, 3);  // printf's "%.3f", without its format parsing
}

std::string const& UtilKindText(Corvid::Steel::UtilKind kind) {
    static std::array<std::string, Corvid::Steel::kUtilKindCount> const names = [] {
        std::array<std::string, Corvid::Steel::kUtilKindCount> n;
        for (int k = 0; k < Corvid::Steel::kUtilKindCount; ++k)
            n[static_cast<std::size_t>(k)] =
                Corvid::Narrow(Corvid::Steel::UtilKindName(static_cast<Corvid::Steel::UtilKind>(k)));
        return n;
    }();
    return names[static_cast<std::size_t>(kind)];
}

std::string const& GoverningName(CaseOutcome const& c) {
    std::pair<Corvid::Steel::UtilKind, double> const* governing = nullptr;
    double best = -1.0;
    for (auto const& m : c.maxima)
        if (m.second > best) best = m.second, governing = &m;
    static std::string const none;
    return governing ? UtilKindText(governing->first) : none;
}

void AppendFixed(std::string& out, double v, int decimals) {
    char buf[48];
    if (char* end = Corvid::Util::FixedAsPrintf(buf, v, decimals))
        out.append(buf, static_cast<std::size_t>(end - buf));
    else
        out += Fixed(v, decimals);
}

std::string Fixed(double v, int decimals) {
    char buf[48];
    if (char* end = Corvid::Util::FixedAsPrintf(buf, v, decimals)) return std::string(buf, end);
    // to_chars writes what printf's "%.*f" writes, without its format parsing.
    if (std::isfinite(v)) {
        auto const r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
        if (r.ec == std::errc()) return std::string(buf, r.ptr);
    }
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

namespace {
__extension__ typedef unsigned __int128 U128;  // (GCC's; ISO C++ has no 128-bit integer)

using Corvid::Util::kUnits;  // 10^k

// The fewest decimals d with which |v| (1e-3 <= |v| < 1e7, no decimal of at
// most nine places below a million: ShortestText writes those) reads back,
// found exactly, and c, the integer nearest |v| 10^d; false where to_chars
// is left to decide. With |v| = m 2^-P (m the 53-bit mantissa), d suffices
// when |c - |v| 10^d| < 10^d / 2 in units of 2^-P: c / 10^d then lies
// strictly inside the half unit in the last place around v that reads back
// as v, and is the closest such text to v (as to_chars's). If d suffices so
// does d + 1 (10 c is one of its candidates): a bisection between 10
// decimals (0 from a million) and 17 significant digits, which always
// suffice. Not for a power of two (its interval is narrower below), nor a
// tie in the rounding or at the interval's end.
bool FewestDecimals(double a, int& d, std::uint64_t& c) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    constexpr std::uint64_t kHidden = std::uint64_t{1} << 52;
    std::uint64_t const fraction = bits & (kHidden - 1);
    if (fraction == 0) return false;
    std::uint64_t const m = fraction | kHidden;
    int const P = 1075 - static_cast<int>(bits >> 52);  // 29 to 63 here: 2^-10 < a < 2^24
    U128 const mask = (U128{1} << P) - 1, half = U128{1} << (P - 1);
    enum Verdict { kNo, kYes, kUnsure };
    auto suffices = [&](int decimals, std::uint64_t& nearest) {
        U128 const n = U128{m} * kUnits[decimals];  // a 10^decimals 2^P, below 2^118
        U128 rest = n & mask;
        U128 q = n >> P;
        if (rest == half) return kUnsure;
        if (rest > half) ++q, rest = mask + 1 - rest;
        nearest = static_cast<std::uint64_t>(q);
        U128 const twice = 2 * rest, scale = kUnits[decimals];
        return twice < scale ? kYes : twice == scale ? kUnsure : kNo;
    };
    // 17 significant digits: 17 less the whole part's digits, or 17 more
    // than the zeros after the point (the doubles 0.1 and 0.01 lie just
    // above their decimals, with no double between); c stays below 10^17.
    auto const whole = static_cast<std::uint64_t>(a);
    int wholeDigits = whole == 0 ? 0 : 1;
    while (wholeDigits > 0 && whole >= kUnits[wholeDigits]) ++wholeDigits;
    int const zeros = a >= 0.1 ? 0 : a >= 0.01 ? 1 : 2;
    int lo = a < 1e6 ? 10 : 0, hi = whole ? 17 - wholeDigits : 17 + zeros;
    bool found = false;
    while (lo < hi) {  // hi suffices (if any does), lo - 1 does not
        int const mid = (lo + hi) / 2;
        std::uint64_t nearest = 0;
        Verdict const verdict = suffices(mid, nearest);
        if (verdict == kUnsure) return false;
        if (verdict == kYes)
            hi = mid, c = nearest, found = true;
        else
            lo = mid + 1;
    }
    d = hi;
    return found || suffices(d, c) == kYes;
}

// The shortest text of v in the fixed form (FewestDecimals), or null where
// to_chars is left to decide. With decimals (at least ten below a million)
// the fixed form is always the shorter: it adds a point, and below 1 "0."
// and at most two zeros, where the exponent form adds a point and four
// characters ("e-03", "e+06"). A whole number from a million may be the
// shorter as "1.2e+06": left to to_chars.
char* ExactFixed(char* first, double v) {
    double const a = std::fabs(v);
    int d = 0;
    std::uint64_t c = 0;
    if (!(a >= 1e-3 && a < 1e7) || !FewestDecimals(a, d, c) || d == 0) return nullptr;
    // The whole part, then the decimals two at a time.
    auto const& pairs = Corvid::Util::kDigitPairsOf<char>.pair;
    char* p = first;
    if (std::signbit(v)) *p++ = '-';
    p = std::to_chars(p, p + 24, c / kUnits[d]).ptr;
    *p++ = '.';
    std::uint64_t part = c % kUnits[d];
    char* const end = p + d;
    char* q = end;
    for (; q - p >= 2; part /= 100) q -= 2, std::memcpy(q, pairs[part % 100], 2);
    if (q != p) *--q = static_cast<char>('0' + part % 10);
    return end;
}

// The shortest text of v, remembered by the thread: a member's output
// repeats its figures (a utilisation in its check, its entry and the
// maxima; a resistance as Cr and Tr), and to_chars costs some 500
// instructions a number. `fixed`: v may be written by ExactFixed (no
// decimal of at most nine places below a million).
char* RememberedShortest(char* first, char* last, double v, bool fixed) {
    struct Slot {
        std::uint64_t bits = 0;
        std::uint8_t length = 0;  // 0: empty
        char text[24];            // to_chars's longest double: "-2.2250738585072014e-308"
    };
    thread_local Slot slots[64];
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    Slot& slot = slots[(bits * 0x9E3779B97F4A7C15ull) >> 58];  // Fibonacci hashing into 64 slots
    if (slot.length != 0 && slot.bits == bits && last - first >= slot.length) {
        std::memcpy(first, slot.text, slot.length);
        return first + slot.length;
    }
    char* end = fixed && last - first >= 32 ? ExactFixed(first, v) : nullptr;
    std::errc ec = std::errc();
    if (!end) {
        auto const r = std::to_chars(first, last, v);
        end = r.ptr, ec = r.ec;
    }
    auto const length = static_cast<std::size_t>(end - first);
    if (ec == std::errc() && length <= sizeof slot.text) {
        slot.bits = bits;
        slot.length = static_cast<std::uint8_t>(length);
        std::memcpy(slot.text, first, length);
    }
    return end;
}
}  // namespace

char* ShortestText(char* first, char* last, double v) {
    if (v == 0.0) {  // the most frequent: "0", "-0"
        if (std::signbit(v)) *first++ = '-';
        *first++ = '0';
        return first;
    }
    // Below a million with at most nine decimals: a = m / 1e9 exactly as read
    // back (m below 1e15, so at most 15 significant digits: no other decimal
    // of as few digits reads back as a, and these are the shortest).
    double const a = std::fabs(v);
    // The nearest integer by adding a half (no call): where that is off by
    // one (a tie), the test below fails and to_chars writes it.
    long long const m = a < 1e6 ? static_cast<long long>(a * 1e9 + 0.5) : -1;
    if (m < 0 || static_cast<double>(m) / 1e9 != a) return RememberedShortest(first, last, v, true);
    long long whole = m / 1000000000, part = m % 1000000000;
    int decimals = 9;
    for (; decimals > 0 && part % 10 == 0; --decimals) part /= 10;
    auto digits = [](long long n) {
        int d = 1;
        for (; n >= 10; n /= 10) ++d;
        return d;
    };
    // to_chars writes the exponent form (d digits, "e-05") when it is the
    // shorter, the fixed one otherwise.
    int significant = whole == 0 ? digits(part) : digits(whole) + decimals;
    if (decimals == 0)
        for (long long w = whole; w >= 10 && w % 10 == 0; w /= 10) --significant;
    int const fixed = digits(whole) + (decimals ? 1 + decimals : 0);
    if (m != 0 && significant + (significant > 1) + 4 < fixed) return RememberedShortest(first, last, v, false);
    char* p = first;
    if (std::signbit(v)) *p++ = '-';
    p = std::to_chars(p, last, whole).ptr;
    if (decimals == 0) return p;
    *p++ = '.';
    char* const end = p + decimals;
    for (char* q = end; q != p; part /= 10) *--q = static_cast<char>('0' + part % 10);
    return end;
}

void AppendPadded(std::string& out, std::string_view text, std::size_t width) {
    out.append(text);
    if (text.size() < width) out.append(width - text.size(), ' ');
}

std::string Padded(std::string s, std::size_t width) {
    std::string out;
    AppendPadded(out, s, width);
    return out;
}

std::string MemberHeading(std::size_t index, MemberOutcome const& m) {
    return "Member " + std::to_string(index + 1) + (m.title.empty() ? "" : ": " + m.title);
}

std::vector<std::string> MemberNotes(MemberOutcome const& m) {
    std::uint32_t flags = 0;
    bool buckling = true;
    for (auto const& c : m.cases) flags |= c.flags, buckling = buckling && c.bucklingChecked;
    std::vector<std::string> out;
    if (flags & Corvid::Steel::ResultFlags::kSlenderness)
        out.push_back("Failure (slenderness): KL/r above 200 in compression, " + m.code + " cl. 10.4.2.1");
    if (flags & Corvid::Steel::ResultFlags::kTensionSlenderness)
        out.push_back("Warning (tension-slenderness): L/r above 300 in tension, " + m.code + " cl. 10.4.2.2");
    if (!buckling) out.push_back(std::string("Buckling checks not performed: ") + kBucklingNotChecked);
    return out;
}

Cells::Cells(std::size_t columns, std::size_t rows) : m_widest(columns, 0) {
    m_ends.reserve(columns * rows);
    m_text.reserve(12 * columns * rows);
}

void Cells::EndCell() {
    std::size_t const begin = m_ends.empty() ? 0 : m_ends.back();
    std::size_t& widest = m_widest[m_ends.size() % m_widest.size()];
    widest = std::max(widest, m_text.size() - begin);
    m_ends.push_back(m_text.size());
}

Cells SpanTable(CaseOutcome const& c) {
    static constexpr char const* kHeader[] = {
        "Span",     "From (m)", "To (m)",      "Le (m)",    "Le from",   "KL/r",      "Cu (kN)",
        "Cr (kN)",  "omega2",   "omega2 from", "Mu (kN*m)", "Mr (kN*m)", "Mf (kN*m)", "Compression flange",
        "At x (m)", "Util"};
    Cells cells(std::size(kHeader), c.spans.empty() ? 0 : c.spans.size() + 1);
    if (c.spans.empty()) return cells;
    for (char const* name : kHeader) cells.Add(name);
    auto num = [&cells](bool shown, double v, int decimals) {
        if (!shown)
            cells.Text() += '-';
        else if (std::isfinite(v))
            AppendFixed(cells.Text(), v, decimals);
        else
            cells.Text() += UtilText(v);
        cells.EndCell();
    };
    for (auto const& s : c.spans) {
        bool const lt = s.kind == "lateral-torsional";
        cells.Add(s.kind);
        num(true, s.from, 3), num(true, s.to, 3), num(true, s.Le, 3);
        cells.Add(s.lengthRule);
        num(!lt, s.slenderness, 1), num(!lt, s.Cu / 1e3, 1), num(!lt, s.Cr / 1e3, 1), num(lt, s.omega2, 3);
        cells.Add(lt ? s.omega2Rule : "-");
        num(lt, s.Mu / 1e3, 1), num(lt, s.Mr / 1e3, 1), num(lt, s.Mf / 1e3, 1);
        cells.Add(lt ? s.flange : "-");
        num(true, s.governingX, 3);
        cells.Add(UtilText(s.util));
    }
    return cells;
}

std::string CountsLine(std::size_t members, std::string const& outcomes, std::size_t errors, char const* undone) {
    std::string line = std::to_string(members) + (members == 1 ? " member: " : " members: ") + outcomes;
    if (errors) line += ", " + std::to_string(errors) + " could not be " + undone;
    return line;
}

std::string CountsLine(RunCounts const& c) {
    return CountsLine(c.pass + c.fail + c.errors, std::to_string(c.pass) + " pass, " + std::to_string(c.fail) + " fail",
                      c.errors, "checked");
}

BatchRow MakeBatchRow(std::size_t index, BatchItem const& item) {
    BatchRow r;
    r.index = index;
    if (!item.outcome) {
        r.error = item.error;
        return r;
    }
    MemberOutcome const& m = *item.outcome;
    r.checked = true;
    r.title = m.title, r.where = m.where, r.code = m.code, r.section = m.section, r.grade = m.grade;
    r.governing = GoverningName(m.Governing());
    r.util = m.Governing().utilisation;
    r.pass = m.Pass();
    return r;
}

std::vector<std::string> TableHeader() {
    return {"#", "Member", "Section", "Grade", "Governing check", "Util", "Result"};
}

std::vector<std::string> TableCells(BatchRow const& r) {
    return {std::to_string(r.index + 1),
            Printable(r.title.empty() ? r.where : r.title),
            Printable(r.section),
            Printable(r.grade),
            r.governing,
            UtilText(r.util),
            Verdict(r.pass)};
}

namespace {

// A row as a record of the spool: the numbers as in memory, each text after
// its length.
template <class T>
void Put(std::string& out, T const& v) {
    out.append(reinterpret_cast<char const*>(&v), sizeof v);
}

// Takes the parts of a record back in the order they were put; `ok` false
// once one was missing.
struct RecordReader {
    std::string const& in;
    std::size_t at = 0;
    bool ok = true;
    template <class T>
    void Get(T& v) {
        ok = ok && in.size() - at >= sizeof v;
        if (ok) std::memcpy(&v, in.data() + at, sizeof v), at += sizeof v;
    }
    void Get(std::string& v) {
        std::size_t n = 0;
        Get(n);
        ok = ok && in.size() - at >= n;
        if (ok) v.assign(in, at, n), at += n;
    }
};

// The bits of a spooled row's verdict byte.
constexpr unsigned kRowChecked = 1u, kRowPass = 2u;

std::string BatchRow::*const kTexts[] = {&BatchRow::title, &BatchRow::where,     &BatchRow::code, &BatchRow::section,
                                         &BatchRow::grade, &BatchRow::governing, &BatchRow::error};

}  // namespace

BatchRows::BatchRows(bool byUtilisation, std::size_t expected) : byUtilisation_(byUtilisation) {
    if (byUtilisation_) keys_.reserve(expected);
    for (auto const& cell : TableHeader()) width_.push_back(cell.size() + 2);
}

void BatchRows::Add(BatchRow const& r) {
    std::string record;
    auto const verdict = static_cast<unsigned char>((r.checked ? kRowChecked : 0u) | (r.pass ? kRowPass : 0u));
    Put(record, r.index), Put(record, r.util), Put(record, verdict);
    for (auto text : kTexts) Put(record, (r.*text).size()), record += r.*text;
    std::uint64_t const offset = spool_.WriteRecord(record);
    ++size_;
    if (byUtilisation_) keys_.push_back({r.util, offset, r.checked});
    if (!r.checked) return;
    auto const cells = TableCells(r);
    for (std::size_t i = 0; i < cells.size(); ++i) width_[i] = std::max(width_[i], cells[i].size() + 2);
}

bool BatchRows::ForEach(std::function<void(BatchRow const&)> const& each) {
    if (byUtilisation_) {
        // NaN (never expected) sorts with +infinity: an unknown utilisation
        // is no better. Offsets grow in input order.
        auto key = [](Key const& k) { return std::isnan(k.util) ? INFINITY : k.util; };
        std::sort(keys_.begin(), keys_.end(), [&key](Key const& a, Key const& b) {
            if (a.checked != b.checked) return !a.checked;
            if (key(a) != key(b)) return key(a) > key(b);
            return a.offset < b.offset;
        });
    }
    std::string record;
    std::uint64_t next = 0;
    for (std::size_t i = 0; i < size_; ++i) {
        std::uint64_t offset = byUtilisation_ ? keys_[i].offset : next;
        if (!spool_.ReadRecord(offset, record)) return false;
        next = offset;
        BatchRow r;
        RecordReader in{record};
        unsigned char flags = 0;
        in.Get(r.index), in.Get(r.util), in.Get(flags);
        for (auto text : kTexts) in.Get(r.*text);
        if (!in.ok || in.at != record.size()) return false;
        r.checked = (flags & kRowChecked) != 0, r.pass = (flags & kRowPass) != 0;
        each(r);
    }
    return true;
}

}  // namespace s16app
