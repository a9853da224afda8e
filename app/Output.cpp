#include "app/Output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <pthread.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <thread>

namespace s16app {

namespace {

// The temporary file to remove and whether the report goes to the standard
// output, under the output lock.
char gTemp[PATH_MAX + 64];
bool gToStdout = false;
std::timed_mutex gOutputLock;

void Put(int fd, char const* text) {
    ssize_t const n = ::write(fd, text, std::strlen(text));
    (void)n;
}

void SetTemp(std::string const& path) {
    std::lock_guard<std::timed_mutex> const lock(gOutputLock);
    std::size_t const n = std::min(path.size(), sizeof gTemp - 1);
    std::memcpy(gTemp, path.data(), n);
    gTemp[n] = '\0';
}

// The signals, blocked in every thread, are taken here: once no report text
// is being written (waiting at most 2 s for a stalled writer), the
// temporary file goes, an interrupted standard output gets its last line.
void TakeSignals(sigset_t set) {
    int signal = 0;
    sigwait(&set, &signal);
    bool const locked = gOutputLock.try_lock_for(std::chrono::seconds(2));
    if (gTemp[0]) ::unlink(gTemp);
    if (gToStdout) Put(STDOUT_FILENO, "\n*** s16check was interrupted: this report is incomplete ***\n");
    Put(STDERR_FILENO, gToStdout ? "\ns16check: interrupted: the report is incomplete\n"
                                 : "\ns16check: interrupted: no report was written\n");
    (void)locked;
    ::_exit(2);
}

}  // namespace

std::timed_mutex& OutputLock() { return gOutputLock; }

void InstallSignalHandlers() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, s);
    // Before any other thread: the threads made later inherit the mask.
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0) std::thread(TakeSignals, set).detach();
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails (EFBIG)
}

void HoldClosedStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // Open the other way round: reading standard input or writing
        // standard output then fails (EBADF), and is told.
        int const held = ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
        if (held >= 0 && held != fd) ::dup2(held, fd), ::close(held);
    }
}

ReportOutput::ReportOutput(std::string const& path) : name_(path.empty() ? "standard output" : path), target_(path) {
    if (path.empty()) {
        std::lock_guard<std::timed_mutex> const lock(gOutputLock);
        gToStdout = true;
        return;
    }
    struct stat st {};
    bool const exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) throw std::runtime_error(path + ": is a folder, not a file");
    if (exists && !S_ISREG(st.st_mode)) {
        // A device or a pipe cannot be replaced: written as it is.
        file_.open(path, std::ios::binary);
        if (!file_) throw std::runtime_error(path + ": cannot be written");
        return;
    }
    char resolved[PATH_MAX];
    if (exists && ::realpath(path.c_str(), resolved)) target_ = resolved;
    auto const slash = target_.rfind('/');
    std::string const dir = slash == std::string::npos ? "." : target_.substr(0, slash + (slash == 0));
    std::string const base = slash == std::string::npos ? target_ : target_.substr(slash + 1);
    std::string pattern = (dir == "/" ? "" : dir) + "/." + base + ".s16check-XXXXXX";
    fd_ = ::mkstemp(&pattern[0]);
    if (fd_ < 0) throw std::runtime_error(path + ": cannot be written: " + std::strerror(errno));
    temp_ = pattern;
    SetTemp(temp_);
    mode_t mode = exists ? st.st_mode & 07777 : 0;
    if (!exists) {
        mode_t const mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    buffer_.resize(1 << 20);  // whole members per write
    file_.rdbuf()->pubsetbuf(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    if (::fchmod(fd_, mode) == 0) file_.open(temp_, std::ios::binary | std::ios::trunc);
    if (!file_.is_open()) {
        std::string const why = std::strerror(errno);
        ::close(fd_);
        ::unlink(temp_.c_str());
        SetTemp("");
        throw std::runtime_error(path + ": cannot be written: " + why);
    }
}

ReportOutput::~ReportOutput() {
    if (fd_ >= 0) ::close(fd_);
    if (!temp_.empty()) {
        file_.close();
        ::unlink(temp_.c_str());
        SetTemp("");
    }
}

std::ostream& ReportOutput::Stream() { return target_.empty() ? std::cout : file_; }

bool ReportOutput::Commit() {
    if (target_.empty()) {
        std::cout.flush();
        gToStdout = false;
        return static_cast<bool>(std::cout);
    }
    file_.close();
    if (file_.fail()) return false;
    if (temp_.empty()) return true;
    bool const ok = ::fsync(fd_) == 0 && ::close(fd_) == 0;
    fd_ = -1;
    if (!ok || ::rename(temp_.c_str(), target_.c_str()) != 0) return false;
    temp_.clear();
    gTemp[0] = '\0';  // the caller holds the output lock
    return true;
}

std::string SameFileAs(std::string const& path, std::vector<std::string> const& files) {
    struct stat out {};
    if (path.empty() || ::stat(path.c_str(), &out) != 0) return "";
    for (auto const& f : files) {
        struct stat in {};
        if (::stat(f.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino) return f;
    }
    return "";
}

Spool::Spool() : file_(std::tmpfile()) {
    if (!file_) throw std::runtime_error(std::string("a temporary file cannot be made: ") + std::strerror(errno));
}

Spool::~Spool() { std::fclose(file_); }

void Spool::Write(std::string const& text) {
    if (ok_ && reading_) ok_ = ::fseeko(file_, 0, SEEK_END) == 0, reading_ = false;
    if (ok_ && std::fwrite(text.data(), 1, text.size(), file_) != text.size()) ok_ = false;
    end_ += text.size();
}

std::uint64_t Spool::WriteRecord(std::string const& record) {
    std::uint64_t const offset = end_;
    auto const size = static_cast<std::uint32_t>(record.size());
    if (size != record.size()) ok_ = false;  // 4 GB and more: not a row of a table
    Write(std::string(reinterpret_cast<char const*>(&size), sizeof size));
    Write(record);
    return offset;
}

bool Spool::ReadRecord(std::uint64_t& offset, std::string& record) {
    std::uint32_t size = 0;
    if (!ok_ || offset > end_ || end_ - offset < sizeof size) return false;
    // Switching from writing to reading, or not reading on, needs a seek.
    if (!reading_ || offset != next_) ok_ = ::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) == 0, reading_ = true;
    if (!ok_ || std::fread(&size, sizeof size, 1, file_) != 1 || end_ - offset - sizeof size < size) return ok_ = false;
    record.resize(size);
    if (size && std::fread(&record[0], 1, size, file_) != size) return ok_ = false;
    next_ = offset += sizeof size + size;
    return true;
}

bool Spool::CopyTo(std::ostream& out) {
    if (!ok_ || std::fflush(file_) != 0) return false;
    std::rewind(file_);
    char block[1 << 16];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, file_)) > 0;)
        out.write(block, static_cast<std::streamsize>(n));
    return !std::ferror(file_) && static_cast<bool>(out);
}

namespace {
// The length in bytes of the character at text[i] that Printable escapes:
// a C0 control other than tab, DEL, a C1 control (U+0080 to U+009F as
// UTF-8), the line or paragraph separator (U+2028, U+2029); 0 for any other.
std::size_t EscapedAt(std::string_view text, std::size_t i) {
    auto const at = [&](std::size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u; };
    unsigned const c = at(0);
    if ((c < 0x20 && c != '\t') || c == 0x7f) return 1;
    if (c == 0xc2 && at(1) >= 0x80 && at(1) <= 0x9f) return 2;
    if (c == 0xe2 && at(1) == 0x80 && (at(2) == 0xa8 || at(2) == 0xa9)) return 3;
    return 0;
}
}  // namespace

std::size_t Utf8Length(std::string_view s, std::size_t i, bool& valid) {
    auto const b = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char const c = b(i);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3, lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
    valid = n > 0;
    if (!valid) return 1;
    for (std::size_t k = 1; k < n; ++k) {
        if (i + k == s.size() || b(i + k) < (k == 1 ? lo : 0x80) || b(i + k) > (k == 1 ? hi : 0xBF)) {
            valid = false;
            return k;
        }
    }
    return n;
}

namespace {
// Bytes CleanRun looks at (1): every one but printable ASCII (and, for
// Printable, the tab; for JSON, the quote and the backslash). Bytes, not
// bools, as four are ORed at once.
constexpr std::array<unsigned char, 256> Looked(bool json) {
    std::array<unsigned char, 256> looked{};
    for (unsigned c = 0; c < 256; ++c)
        looked[c] = json ? (c < 0x20 || c > 0x7e || c == '"' || c == '\\') : ((c < 0x20 && c != '\t') || c > 0x7e);
    return looked;
}
constexpr std::array<unsigned char, 256> kLookedPlain = Looked(false), kLookedJson = Looked(true);
}  // namespace

std::size_t CleanRun(std::string_view text, bool json) {
    auto const& looked = json ? kLookedJson : kLookedPlain;
    auto const* const s = reinterpret_cast<unsigned char const*>(text.data());
    std::size_t const n = text.size();
    for (std::size_t i = 0;;) {
        while (i + 4 <= n && !(looked[s[i]] | looked[s[i + 1]] | looked[s[i + 2]] | looked[s[i + 3]])) i += 4;
        while (i < n && !looked[s[i]]) ++i;
        // A character past ASCII passes when it is valid UTF-8 that
        // Printable keeps.
        if (i == n || s[i] < 0x80) return i;
        bool valid = true;
        std::size_t const length = Utf8Length(text, i, valid);
        if (!valid || EscapedAt(text, i) != 0) return i;
        i += length;
    }
}

bool NeedsEscape(std::string_view text) {
    for (std::size_t i = CleanRun(text, false); i < text.size(); i += 1 + CleanRun(text.substr(i + 1), false)) {
        auto const c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 || c >= 0x7f) && EscapedAt(text, i) != 0) return true;
    }
    return false;
}

char* PrintableEscape(char* d, std::string_view text, std::size_t& i) {
    static constexpr char kHex[] = "0123456789abcdef";
    auto const c = static_cast<unsigned char>(text[i]);
    switch (EscapedAt(text, i)) {
        case 0: return nullptr;
        case 1:
            *d++ = '\\';
            if (c == '\n' || c == '\r') {
                *d++ = c == '\n' ? 'n' : 'r';
            } else {
                *d++ = 'x', *d++ = kHex[c >> 4], *d++ = kHex[c & 15];
            }
            i += 1;
            return d;
        case 2: {
            auto const u = static_cast<unsigned char>(text[i + 1]);
            std::memcpy(d, "\\u00", 4);
            d += 4, *d++ = kHex[u >> 4], *d++ = kHex[u & 15];
            i += 2;
            return d;
        }
        default:
            std::memcpy(d, static_cast<unsigned char>(text[i + 2]) == 0xa8 ? "\\u2028" : "\\u2029", 6);
            i += 3;
            return d + 6;
    }
}

std::string Printable(std::string const& text) {
    if (!NeedsEscape(text)) return text;  // most text: kept as it is
    std::string out;
    out.reserve(text.size());
    char escape[8];
    for (std::size_t i = 0; i < text.size();) {
        if (char const* end = PrintableEscape(escape, text, i))
            out.append(escape, static_cast<std::size_t>(end - escape));
        else
            out += text[i++];
    }
    return out;
}

}  // namespace s16app
