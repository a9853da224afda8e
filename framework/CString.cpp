#include "CString.h"

#include <algorithm>

namespace Corvid {

namespace {

// Room of a report line: most lines fit.
constexpr std::size_t kLineRoom = 256;

// The line buffers of a thread, for a line and the lines joined while it is
// (a report line with a number or a name made by a function that joins one
// itself): plain arrays, so that reaching them takes no guard. The default
// (dynamic) TLS model: the library may be loaded with dlopen (the Python
// module), where the initial-exec model needs room in the static TLS block
// that another library may already have taken.
constexpr int kLineBuffers = 4;
struct LineBuffer {
    wchar_t text[kLineRoom];
    bool busy;
};
thread_local LineBuffer t_lines[kLineBuffers];

}  // namespace

void CLine::Take() {
    LineBuffer* const lines = t_lines;
    for (int i = 0; i < kLineBuffers; ++i) {
        if (!lines[i].busy) {
            lines[i].busy = true;
            m_busy = &lines[i].busy;
            m_data = lines[i].text;
            m_room = kLineRoom;
            break;
        }
    }
    if (m_room < m_length || !m_data) {
        if (m_busy) *m_busy = false;
        m_busy = nullptr;
        m_room = std::max(m_length, kLineRoom);
        m_own = std::make_unique<wchar_t[]>(m_room);
        m_data = m_own.get();
    }
}

void CLine::Grow(std::size_t n) {
    std::size_t const room = std::max(m_length + n, 2 * m_room);
    auto text = std::make_unique<wchar_t[]>(room);
    std::copy(m_data, m_data + m_length, text.get());
    m_own = std::move(text);
    m_data = m_own.get();
    m_room = room;
    if (m_busy) *m_busy = false;  // the thread's buffer is free again
    m_busy = nullptr;
}

CLine operator+(wchar_t const* a, CString const& b) {
    return CLine(a, std::char_traits<wchar_t>::length(a), b.data(), b.size());
}

CLine operator+(CString const& a, wchar_t const* b) {
    return CLine(a.data(), a.size(), b, std::char_traits<wchar_t>::length(b));
}

CLine operator+(CString const& a, CString const& b) { return CLine(a.data(), a.size(), b.data(), b.size()); }

CLine operator+(CString&& a, wchar_t const* b) {
    return CLine(a.data(), a.size(), b, std::char_traits<wchar_t>::length(b));
}

CLine operator+(CString&& a, CString const& b) { return CLine(a.data(), a.size(), b.data(), b.size()); }

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

char* EncodeUtf8(char* d, wchar_t const* p, wchar_t const* q) {
    for (; p != q; ++p) {
        auto const cp = static_cast<unsigned long>(*p);
        if (cp < 0x80) {
            *d++ = static_cast<char>(cp);
        } else if (cp < 0x800) {
            *d++ = static_cast<char>(0xC0 | (cp >> 6));
            *d++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            *d++ = static_cast<char>(0xE0 | (cp >> 12));
            *d++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *d++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x110000) {
            *d++ = static_cast<char>(0xF0 | (cp >> 18));
            *d++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *d++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            *d++ = static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            *d++ = '?';
        }
    }
    return d;
}

std::string Narrow(CString const& s) {
    std::string out(4 * s.size(), '\0');
    out.resize(static_cast<std::size_t>(EncodeUtf8(out.data(), s.data(), s.data() + s.size()) - out.data()));
    return out;
}

}  // namespace Corvid
