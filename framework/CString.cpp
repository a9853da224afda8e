#include "CString.h"

#include <algorithm>

namespace Corvid {

namespace {

// Room of a report line: most lines fit.
constexpr std::size_t kLineRoom = 128;

// The line storage of a thread: its size is its room (the characters past
// a line's end are not read); held by the line being joined.
// The default (dynamic) TLS model: the library may be loaded with dlopen
// (the Python module), where the initial-exec model needs room in the
// static TLS block that another library may already have taken.
struct LineStorage {
    CString text;
    bool busy = false;
};
thread_local LineStorage t_line;

// s sized to its capacity, at least room characters.
void SizeToRoom(CString& s, std::size_t room) {
    if (s.size() < room) s.resize(std::max(room, kLineRoom));
    if (s.size() < s.capacity()) s.resize(s.capacity());
}

}  // namespace

CLine::CLine(wchar_t const* a, std::size_t na, wchar_t const* b, std::size_t nb) {
    LineStorage& line = t_line;
    if (line.busy) {
        m_storage = &m_own;
    } else {
        line.busy = true;
        m_busy = &line.busy;
        m_storage = &line.text;
    }
    if (m_storage->size() < na + nb || m_storage->size() < kLineRoom) SizeToRoom(*m_storage, na + nb);
    m_data = m_storage->data();
    m_room = m_storage->size();
    std::copy(a, a + na, m_data);
    std::copy(b, b + nb, m_data + na);
    m_length = na + nb;
}

void CLine::Grow(std::size_t n) {
    m_storage->resize(m_length);
    SizeToRoom(*m_storage, std::max(m_length + n, 2 * m_room));
    m_data = m_storage->data();
    m_room = m_storage->size();
}

CLine::operator CString() && {
    m_storage->resize(m_length);
    CString s = std::move(*m_storage);
    m_storage->clear();
    m_data = m_storage->data();
    m_length = m_room = 0;
    return s;
}

void KeepLineStorage(CString&& line) {
    LineStorage& kept = t_line;
    if (!kept.busy && kept.text.capacity() < kLineRoom && line.capacity() >= kLineRoom) {
        kept.text = std::move(line);
        SizeToRoom(kept.text, kLineRoom);
    }
}

CString JoinedInLineStorage(wchar_t const* a, std::size_t na, wchar_t const* b, std::size_t nb) {
    return CLine(a, na, b, nb);
}

CLine operator+(wchar_t const* a, CString const& b) {
    return CLine(a, std::char_traits<wchar_t>::length(a), b.data(), b.size());
}

CLine operator+(CString const& a, wchar_t const* b) {
    return CLine(a.data(), a.size(), b, std::char_traits<wchar_t>::length(b));
}

CLine operator+(CString const& a, CString const& b) { return CLine(a.data(), a.size(), b.data(), b.size()); }

CString Widen(std::string const& s) {
    // Decode UTF-8; a malformed byte is taken as a Latin-1 code unit.
    CString out;
    out.reserve(s.size());
    std::size_t i = 0;
    auto const n = s.size();
    while (i < n) {
        auto const c = static_cast<unsigned char>(s[i]);
        int extra = 0;
        unsigned long cp = c;
        if (c >= 0xF0 && c < 0xF8) {
            extra = 3;
            cp = c & 0x07u;
        } else if (c >= 0xE0 && c < 0xF0) {
            extra = 2;
            cp = c & 0x0Fu;
        } else if (c >= 0xC0 && c < 0xE0) {
            extra = 1;
            cp = c & 0x1Fu;
        }
        bool ok = extra > 0;
        if (ok) {
            for (int k = 1; k <= extra; ++k) {
                if (i + static_cast<std::size_t>(k) >= n) {
                    ok = false;
                    break;
                }
                auto const cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
                if ((cc & 0xC0u) != 0x80u) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (cc & 0x3Fu);
            }
        }
        if (ok) {
            out.push_back(static_cast<wchar_t>(cp));
            i += static_cast<std::size_t>(extra) + 1;
        } else {
            out.push_back(static_cast<wchar_t>(c));
            ++i;
        }
    }
    return out;
}

std::string Narrow(CString const& s) {
    std::string out;
    out.reserve(s.size());
    for (wchar_t wc : s) {
        auto cp = static_cast<unsigned long>(wc);
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x110000) {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back('?');
        }
    }
    return out;
}

}  // namespace Corvid
