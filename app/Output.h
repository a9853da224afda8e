#pragma once
// Where a report goes: a file replaced only once the whole report is in it,
// or the standard output; and user text made safe to print.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace s16app {

// `--output PATH`: the report is written to a temporary file beside PATH and
// renamed over PATH by Commit() once it was written, flushed and closed
// without error. Until then PATH keeps what it held; a failed run, an
// interrupt (SIGINT, SIGTERM, SIGHUP) or a file-size limit removes the
// temporary file. A PATH that exists and is not a regular file (a device, a
// pipe) is written directly. With an empty PATH the report goes to the
// standard output, which an interrupt ends with a line saying the report is
// incomplete.
class ReportOutput {
public:
    // Throws std::runtime_error naming PATH when it cannot be written.
    explicit ReportOutput(std::string const& path);
    ~ReportOutput();
    ReportOutput(ReportOutput const&) = delete;
    ReportOutput& operator=(ReportOutput const&) = delete;

    std::ostream& Stream();
    // Flushes, closes and renames (call with OutputLock() held); false (the
    // temporary file removed) when any write failed.
    bool Commit();
    // "PATH" or "standard output", for messages.
    std::string const& Name() const { return name_; }

private:
    std::string name_;
    std::string target_;  // the file renamed over (PATH, its links resolved)
    std::string temp_;    // the temporary file, empty when writing directly
    int fd_ = -1;
    std::vector<char> buffer_;
    std::ofstream file_;
};

// Takes SIGINT, SIGTERM and SIGHUP on a thread of its own (the temporary
// file of the report is removed, exit status 2) and turns a file-size limit
// (SIGXFSZ) into a write error. Called in main before any thread.
void InstallSignalHandlers();
// Standard input, output or error closed when the program starts: a file
// opened later would take its number, so that the report went into that
// file (or standard input were read from it) and the run ended as if it
// had succeeded. Each closed one is held by /dev/null opened so that using
// it fails. Call first, before any file is opened.
void HoldClosedStandardStreams();
// Held while report text is written and while the report is committed: an
// interrupt waits for it, so that its last line comes after the text.
std::timed_mutex& OutputLock();

// Whether PATH names the same file as one of FILES (also through another
// path, a symbolic or a hard link); the first such file, or "".
std::string SameFileAs(std::string const& path, std::vector<std::string> const& files);

// A temporary file for a part of a report written later (deleted on close);
// every write and read checked. Text is copied out whole; records (a length,
// then the bytes) are read back by their offset.
class Spool {
public:
    Spool();
    ~Spool();
    Spool(Spool const&) = delete;
    Spool& operator=(Spool const&) = delete;
    void Write(std::string const& text);
    // Writes a record; its offset.
    std::uint64_t WriteRecord(std::string const& record);
    // Reads the record at `offset` and moves `offset` past it; false on any
    // error (a write that failed, a read cut short, an offset past the end).
    bool ReadRecord(std::uint64_t& offset, std::string& record);
    // Copies everything written to `out`; false on any error.
    bool CopyTo(std::ostream& out);

private:
    std::FILE* file_ = nullptr;
    std::uint64_t end_ = 0;   // the bytes written
    std::uint64_t next_ = 0;  // where the file is read next, when reading
    bool reading_ = false;
    bool ok_ = true;
};

// User text (titles, case names, file names, messages) shown so that it
// cannot start a new line or move the cursor: control characters (C0 but the
// tab, DEL, C1, U+2028, U+2029) escaped as \n, \r, \xHH or \uHHHH.
std::string Printable(std::string const& text);
// Printable's escape of the character at text[i], when it has one, written
// at `d` (room for 6 bytes): its end, `i` moved past the character; null,
// nothing written, for a character Printable keeps.
char* PrintableEscape(char* d, std::string_view text, std::size_t& i);
// Whether Printable changes `text` (it holds a character it escapes).
bool NeedsEscape(std::string_view text);
// The length of the run of bytes at the start of `text` that need no look:
// printable ASCII (0x20 to 0x7E) and valid UTF-8 past ASCII that Printable
// keeps; for Printable the tab too, for JSON (`json`) not the quote and the
// backslash.
std::size_t CleanRun(std::string_view text, bool json);
// The UTF-8 sequence at s[i] (RFC 3629: no overlong forms, no surrogates,
// nothing above U+10FFFF): its length when valid; otherwise `valid` false
// and the length of its valid start (at least 1).
std::size_t Utf8Length(std::string_view s, std::size_t i, bool& valid);

}  // namespace s16app
