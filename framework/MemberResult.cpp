#include "MemberResult.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "Markup.h"

namespace Corvid::Steel {

namespace {

// Walk all fragments, calling onLine(indent, lineText) once per line.
template <class OnLine>
void ForEachLine(std::vector<CResultEntry> const& entries, OnLine onLine) {
    for (auto const& e : entries) {
        CString line;
        int indent = 0;
        bool open = false;
        for (auto const& f : e.fragments) {
            std::size_t start = 0;
            while (start <= f.text.size()) {
                auto const nl = f.text.find(L'\n', start);
                if (!open) {
                    indent = f.indent;
                    open = true;
                }
                if (nl == CString::npos) {
                    line += f.text.substr(start);
                    break;
                }
                line += f.text.substr(start, nl - start);
                onLine(indent, line);
                line.clear();
                open = false;
                start = nl + 1;
                if (start == f.text.size()) break;
            }
        }
        if (open && !line.empty()) onLine(indent, line);
    }
}

// An entry as new, its (empty) fragment array keeping its room.
void ClearFigures(CResultEntry& e) {
    std::fill(std::begin(e.util), std::end(e.util), 0.0);
    e.setMask = 0;
    e.demand.fill(CResultEntry::kNone);
    e.resistance.fill(CResultEntry::kNone);
    e.at.fill(CResultEntry::kNone);
}

CString HtmlEscape(std::wstring_view s) {
    CString out;
    for (wchar_t c : s) {
        switch (c) {
            case L'&': out += L"&amp;"; break;
            case L'<': out += L"&lt;"; break;
            case L'>': out += L"&gt;"; break;
            case L'"': out += L"&quot;"; break;
            case L'\t': out += L"&emsp;"; break;
            default: out.push_back(c);
        }
    }
    return out;
}
}  // namespace

CString UtilKindName(UtilKind k) {
    switch (k) {
        case UtilKind::LocalAxial: return L"local axial";
        case UtilKind::LocalMomMajor: return L"local major-axis moment";
        case UtilKind::LocalMomMinor: return L"local minor-axis moment";
        case UtilKind::LocalShearMajor: return L"local major-axis shear";
        case UtilKind::LocalShearMinor: return L"local minor-axis shear";
        case UtilKind::LocalTorsion: return L"local torsion";
        case UtilKind::LocalCombined: return L"local combined";
        case UtilKind::BucklingAxialMajor: return L"major-axis buckling";
        case UtilKind::BucklingAxialMinor: return L"minor-axis buckling";
        case UtilKind::BucklingAxialTorsion: return L"torsional buckling";
        case UtilKind::BucklingAxialFlexuralTorsion: return L"flexural-torsional buckling";
        case UtilKind::BucklingLT: return L"lateral-torsional buckling";
        case UtilKind::BucklingCombined: return L"combined buckling";
        case UtilKind::Count: break;
    }
    return L"";
}

// ---- CResultEntry ----

double CResultEntry::MaxUtil() const {
    double m = 0.0;
    for (int k = 0; k < kUtilKindCount; ++k)
        if ((setMask >> k) & 1u) m = std::max(m, util[k]);
    return m;
}

void CResultEntry::Merge(CResultEntry const& other) {
    for (int k = 0; k < kUtilKindCount; ++k)
        if ((other.setMask >> k) & 1u)
            Set(static_cast<UtilKind>(k), other.util[k], other.demand[k], other.resistance[k], other.at[k]);
    if (&other == this) {  // a range of the vector itself cannot be inserted into it
        auto const own = other.fragments;
        fragments.insert(fragments.end(), own.begin(), own.end());
        return;
    }
    fragments.insert(fragments.end(), other.fragments.begin(), other.fragments.end());
}

bool operator==(CResultEntry const& a, CResultEntry const& b) {
    if (a.setMask != b.setMask || a.fragments != b.fragments) return false;
    for (int k = 0; k < kUtilKindCount; ++k)
        if (a.util[k] != b.util[k]) return false;
    return true;
}

// ---- CMemberResult ----

void CMemberResult::IniDynaArray(int n) {
    auto const size = static_cast<std::size_t>(std::max(1, n));
    if (m_spare.entries.capacity() < size) m_spare.entries.reserve(size);
    while (m_entries.size() < size && !m_spare.entries.empty()) {
        m_entries.push_back(std::move(m_spare.entries.back()));
        m_spare.entries.pop_back();
    }
    m_entries.resize(size);
    m_entryIndex = std::min(m_entryIndex, NumEntries() - 1);
    if (m_text) UpdateTextWanted();
}

void CMemberResult::SetEntryIndex(int i) {
    m_entryIndex = std::clamp(i, 0, NumEntries() - 1);
    if (m_text) UpdateTextWanted();
}

CResultEntry const& CMemberResult::Entry(int i) const {
    return m_entries[static_cast<std::size_t>(std::clamp(i, 0, NumEntries() - 1))];
}

void CMemberResult::UpdateTextWanted() {
    auto const i = static_cast<std::size_t>(m_entryIndex);
    unsigned const wanted = i < m_textEntries.size() ? static_cast<unsigned char>(m_textEntries[i]) : 0u;
    m_textWanted = m_textEntries.empty() ||
                   (wanted != 0 && ((wanted & TextPart::kWhole) != 0 || m_textPart == 0 || (wanted & m_textPart) != 0));
}

void CMemberResult::SetTextPart(unsigned part) {
    m_textPart = part;
    UpdateTextWanted();
}

void CMemberResult::AddText(wchar_t const* p, std::size_t n) {
    if (n == 0) return;
    auto const i = static_cast<std::size_t>(m_entryIndex);
    auto& fragments = m_entries[i].fragments;
    auto const k = fragments.size();
    if (i < m_spare.fragments.size() && k < m_spare.fragments[i].size()) {
        auto& fragment = fragments.emplace_back(std::move(m_spare.fragments[i][k]));
        fragment.indent = m_indent;
        // A kept text as long as the new one (the same line of a report of the
        // same shape) overwritten in place; any other refilled (its room kept).
        if (fragment.text.size() == n) {
            std::memcpy(fragment.text.data(), p, n * sizeof(wchar_t));
        } else {
            fragment.text.clear();
            fragment.text.append(p, n);
        }
        return;
    }
    auto& fragment = fragments.emplace_back();
    fragment.indent = m_indent;
    fragment.text.append(p, n);
    // Room for this place's kept fragments taken while its report grows, so
    // that clearing it (a swap) takes no block.
    if (m_spare.fragments.size() <= i) m_spare.fragments.resize(i + 1);
    auto& kept = m_spare.fragments[i];
    if (kept.capacity() < fragments.capacity()) kept.reserve(fragments.capacity());
}

void CMemberResult::ClearStrings() {
    // Each entry's fragments become the kept ones of its place (those kept
    // beyond them stay kept); what the entry is left with are the husks of
    // the fragments moved out of the kept ones, cleared, and its room.
    CResultEntry* const first = m_entries.data();
    for (CResultEntry* e = first; e != first + m_entries.size(); ++e) {
        auto& fragments = e->fragments;
        if (fragments.empty()) continue;
        auto const i = static_cast<std::size_t>(e - first);
        if (m_spare.fragments.size() <= i) m_spare.fragments.resize(i + 1);
        auto& kept = m_spare.fragments[i];
        for (std::size_t k = fragments.size(); k < kept.size(); ++k) fragments.push_back(std::move(kept[k]));
        fragments.swap(kept);
        fragments.clear();
        if (fragments.capacity() < kept.size()) fragments.reserve(kept.size());
    }
}

void CMemberResult::SetUtilOverAll(double v) {
    v = InfinitiseNANs(v);
    m_overAll = std::max(m_overAll, v);
}

double CMemberResult::UtilOverAll() const {
    double m = m_overAll;
    for (auto const& e : m_entries) m = std::max(m, e.MaxUtil());
    return m;
}

double CMemberResult::MaxUtil(UtilKind k) const {
    double m = 0.0;
    for (auto const& e : m_entries)
        if (e.IsSet(k)) m = std::max(m, e.Util(k));
    return m;
}

void CMemberResult::Reset() {
    ClearStrings();
    // The entries beyond the first kept aside in order (the next
    // IniDynaArray takes entry 1 first) when they have room for fragments.
    bool keep = std::any_of(m_entries.begin() + (m_entries.empty() ? 0 : 1), m_entries.end(),
                            [](CResultEntry const& e) { return e.fragments.capacity() > 0; });
    if (keep) {
        m_spare.entries.clear();
        try {
            if (m_spare.entries.capacity() < m_entries.size()) m_spare.entries.reserve(m_entries.size());
        } catch (std::bad_alloc const&) {
            keep = false;  // nothing kept aside; the reset itself still completes
        }
    }
    if (keep) {
        for (std::size_t i = m_entries.size(); i-- > 1;) {
            m_spare.entries.push_back(std::move(m_entries[i]));
            ClearFigures(m_spare.entries.back());
        }
    }
    if (m_entries.size() > 1) m_entries.erase(m_entries.begin() + 1, m_entries.end());
    if (m_entries.empty()) m_entries.emplace_back();
    ClearFigures(m_entries.front());
    m_entryIndex = 0;
    m_textPart = 0;
    if (m_text) UpdateTextWanted();
    m_buckling = false;
    m_flags = 0;
    m_overAll = 0.0;
    m_indent = 0;
    m_station = CResultEntry::kNone;
}

bool operator==(CMemberResult const& a, CMemberResult const& b) {
    return a.m_text == b.m_text && a.m_textEntries == b.m_textEntries && a.m_entries == b.m_entries &&
           a.m_entryIndex == b.m_entryIndex && a.m_buckling == b.m_buckling && a.m_flags == b.m_flags &&
           a.m_overAll == b.m_overAll && a.m_indent == b.m_indent;
}

CMemberResult& CMemberResult::operator+=(CMemberResult const& other) {
    if (other.m_entries.size() > m_entries.size()) m_entries.resize(other.m_entries.size());
    for (std::size_t i = 0; i < other.m_entries.size(); ++i) m_entries[i].Merge(other.m_entries[i]);
    m_flags |= other.m_flags;
    m_overAll = std::max(m_overAll, other.m_overAll);
    return *this;
}

CString CMemberResult::GetMarkup() const {
    CString out;
    ForEachLine(m_entries, [&out](int indent, CString const& line) {
        out.append(static_cast<std::size_t>(indent), L'\t');
        out += line;
        out += L"\n";
    });
    return out;
}

CString CMemberResult::GetText(int entry) const {
    CString out;
    std::vector<CResultEntry> one;
    if (entry >= 0) one.push_back(Entry(entry));
    ForEachLine(entry >= 0 ? one : m_entries, [&out](int indent, CString const& line) {
        out.append(static_cast<std::size_t>(indent) * 2, L' ');
        Markup::ScanMarkup(
            std::wstring_view(line), [&out](std::wstring_view t) { out += t; }, [](Markup::Tag, bool) {});
        out += L"\n";
    });
    return out;
}

CString CMemberResult::GetHtml() const {
    CString out;
    ForEachLine(m_entries, [&out](int indent, CString const& line) {
        bool heading = false;
        CString body;
        Markup::ScanMarkup(
            std::wstring_view(line), [&body](std::wstring_view t) { body += HtmlEscape(t); },
            [&body, &heading](Markup::Tag tag, bool closing) {
                CString const name = Widen(Markup::kTagNames[tag]);
                if (tag == Markup::kRed || tag == Markup::kOrange || tag == Markup::kBlue) {
                    body += closing ? CString(L"</span>") : L"<span class=\"" + name + L"\">";
                } else {
                    if (tag == Markup::kH4 || tag == Markup::kH5) heading = true;
                    body += (closing ? L"</" : L"<") + name + L">";
                }
            });
        if (heading) {
            out += body + L"\n";
        } else {
            out += L"<div style=\"margin-left:" + std::to_wstring(indent * 2) + L"em\">" + body + L"</div>\n";
        }
    });
    return out;
}

}  // namespace Corvid::Steel
