// A report is complete and true or absent; user text cannot forge a line.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "CliRun.h"

using namespace clitest;

#if defined(__has_feature)  // clang; AddressSanitizer's quarantine holds freed memory
#if __has_feature(address_sanitizer)
#define __SANITIZE_ADDRESS__ 1
#endif
#endif

namespace {
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAsan = true;
#else
constexpr bool kAsan = false;
#endif
std::string const kBin = "'" + Binary() + "'";
// Started with S16_PEAK_OF=ARGS (by PeakKbOf below), this program runs
// `s16check ARGS` before any test and prints its peak resident memory (kB)
// from wait4, -1 unless it exits 0. A child's peak starts at its parent's (the
// address space it holds until its exec), and the whole test program reaches
// 120 MB: so the run is measured from this fresh, small copy of the program.
int const kPeakOf = [] {
    char const* args = std::getenv("S16_PEAK_OF");
    if (!args) return 0;
    std::string const line = "exec " + kBin + " " + args + " >/dev/null";
    char const* argv[] = {"sh", "-c", line.c_str(), nullptr};
    pid_t pid = 0;
    int status = 0;
    rusage usage{};
    bool const ok = posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) == 0 &&
                    wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::printf("%ld\n", ok ? usage.ru_maxrss : -1L);
    std::fflush(stdout);
    std::_Exit(0);
}();

// The peak resident memory (kB) of one run of s16check ARGS (in the scratch folder).
long PeakKbOf(std::string const& args) {
    auto const r = RunShell("S16_PEAK_OF='" + args + "' '" + std::filesystem::read_symlink("/proc/self/exe").string() + "'");
    return r.status == 0 && !r.out.empty() ? std::stol(r.out) : -1;
}

std::string Read(std::string const& path) { return RunShell("cat '" + path + "'").out; }

// n copies of the bundled simply supported beam (2 ms, 70 kB of report each).
void WriteMany(char const* name, int n) {
    std::string all = "{\"members\": [", one = Slurp(Example("simply_supported_beam.json"));
    for (int i = 0; i < n; ++i) all += (i ? "," : "") + one;
    WriteFile(name, all + "]}");
}

// Waits (at most 5 s) for the run to be writing, then sends the signal.
std::string Interrupted(std::string const& args, std::string const& writing, char const* signal) {
    return "(" + kBin + " " + args + " & p=$!; for i in $(seq 500); do " + writing + " && break; sleep 0.01; done; kill -" +
           signal + " $p; wait $p)";
}
}  // namespace

TEST(CliSafety, InterruptedOrFailedOutputLeavesTheFileAsItWas) {
    WriteMany("many.json", 2000), WriteMany("some.json", 100);
    std::string const tempExists = "ls .out.txt.s16check-* >/dev/null 2>&1";
    std::string const cases[] = {
        Interrupted("check many.json --output out.txt", tempExists, "INT"),
        Interrupted("check many.json --jobs 2 --format json --output out.txt", tempExists, "TERM"),
        "(ulimit -f 64; " + kBin + " check some.json --format html --output out.txt)",  // 64 kB
        "(ulimit -f 64; " + kBin + " check some.json --format html)",  // standard output: not death but exit 2
    };
    for (auto const& command : cases) {
        SCOPED_TRACE(command);
        WriteFile("out.txt", "previous report\n");
        auto const r = RunShell(command);
        EXPECT_TRUE(r.status == 2 && r.err.find("s16check: ") != std::string::npos) << r.err;
        EXPECT_TRUE(Read("out.txt") == "previous report\n");
        EXPECT_EQ(RunShell("ls -a | grep -c s16check-").out, "0\n");
    }
}

TEST(CliSafety, CutShortStandardOutputNeverEndsLikeAFinishedReport) {
    WriteMany("many.json", 2000);
    auto const r = RunShell(Interrupted("check many.json --jobs 2 >partial.txt", "test -s partial.txt", "INT"));
    EXPECT_EQ(r.status, 2);
    std::string const out = Read("partial.txt");
    EXPECT_TRUE(out.find(" members: ") == std::string::npos &&  // the run's summary line never came
                out.substr(out.rfind('\n', out.size() - 2) + 1) == "*** s16check was interrupted: this report is incomplete ***\n");
    // The batch table's temp file past a 64 kB size limit (a row >= 73 bytes: index, util, flags, 7 text lengths).
    auto const limited = RunShell("((ulimit -f 64; " + kBin + " check many.json --quick; echo \"exit $?\" >&2) | cat >partial.txt)");
    EXPECT_NE(limited.err.find("the report is incomplete\nexit 2"), std::string::npos) << limited.err;
    EXPECT_EQ(Read("partial.txt").find(" members: "), std::string::npos);
    // Standard output or input closed when s16check starts: the copy of standard input it opens must not take
    // their place (the report went into that copy, exit 0).
    auto const closedOut = RunShell("(" + kBin + " check - <many.json >&-)");
    EXPECT_EQ(closedOut.status, 2);
    EXPECT_NE(closedOut.err.find("standard output: cannot be written"), std::string::npos) << closedOut.err;
    EXPECT_EQ(RunShell("(" + kBin + " check - <&-)").err, "s16check: standard input: cannot be read: Bad file descriptor\n");
}

TEST(CliSafety, OutputNamingAnInputIsRefused) {
    std::string const member = LocalMember(R"({"N": 882})");
    WriteFile("in.json", member), RunShell("ln -sf in.json link.json && ln -f in.json hard.json");
    std::string const paths[] = {"in.json", "./in.json", "link.json", "hard.json", ScratchDir() + "/in.json"};
    for (auto const& path : paths) {
        auto const r = RunCli("check in.json --format html --output " + path);
        EXPECT_TRUE(r.status == 2 && r.err.find("is the input file in.json") != std::string::npos) << path << r.err;
        EXPECT_EQ(Read("in.json"), member);
    }
    EXPECT_TRUE(RunCli("check in.json --output out.txt").status == 0 && Read("out.txt").find("PASS") != std::string::npos);
}

TEST(CliSafety, HtmlIsStreamedMemberByMember) {
    WriteMany("many.json", 500);  // 120 kB of HTML each: 14 MB resident when streamed, 120 MB if not
    long const peak = PeakKbOf("check many.json --format html --jobs 1 --output page.html");
    EXPECT_NE(Read("page.html").find("<p>500 members: 500 pass, 0 fail</p>"), std::string::npos);
    EXPECT_TRUE(peak > 0 && (kAsan || peak < 48 * 1024)) << peak;  // kB
}

TEST(CliSafety, MemoryDoesNotGrowWithTheMembers) {
    if (kAsan) GTEST_SKIP() << "AddressSanitizer's quarantine holds freed memory";
    // The text's batch table and the HTML summary rows too; sorted, 24 bytes
    // a member stay (0.5 MB for 20 000). --quick: the full check takes 3 times as long.
    // 0.5 and 5 MB of file; read whole they took 13 and 88 MB; with a row a
    // member in memory the text took 8 and 26 MB.
    std::string member = LocalMember(R"({"N": 882})");
    std::replace(member.begin(), member.end(), '\n', ' ');  // one line for `head -n`
    char const* const formats[] = {"json", "text --sort utilisation", "html"};
    long peak[2][3] = {};  // kB, of 2000 and 20 000 members
    for (int i : {0, 1}) {
        RunShell("((m='" + member + "'; printf '{\"members\": ['; yes \"$m,\" | head -n " + (i ? "19999" : "1999") +
                 "; printf '%s]}' \"$m\") >many.json)");
        for (int f = 0; f < 3; ++f)
            peak[i][f] = PeakKbOf(std::string("check many.json --quick --jobs 2 --output /dev/null --format ") + formats[f]);
    }
    for (int f = 0; f < 3; ++f)
        EXPECT_TRUE(peak[0][f] > 0 && peak[1][f] > 0 && peak[1][f] < peak[0][f] + 4 * 1024)
            << formats[f] << ": " << peak[0][f] << " kB, then " << peak[1][f] << " kB";
}

TEST(CliSafety, UserTextCannotForgeALine) {
    // A title and a grade name that would forge a summary line, clear it, move the cursor.
    char const* const forged = R"(T1\nOverall: 0.100  PASS\r\u001b[2K\u2028\u009f)";  // U+009F: the last C1 control
    std::string member = LocalMember(R"({"N": 882})", std::string(", \"title\": \"") + forged + "\"");
    member.replace(member.find("\"350W\""), 6, std::string("{\"name\": \"") + forged + "\", \"Fy\": 350, \"Fu\": 450}");
    WriteFile("forged.json", member);
    for (char const* format : {"text", "html"}) {
        auto const r = RunCli(std::string("check forged.json --format ") + format);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.out.find("\nOverall") == std::string::npos && r.out.find_first_of("\r\x1b") == std::string::npos &&
                    r.out.find("\xe2\x80\xa8") == std::string::npos) << format;  // no forged line, no control, no U+2028
        EXPECT_NE(r.out.find(R"(T1\nOverall: 0.100  PASS\r\x1b[2K\u2028\u009f)"), std::string::npos) << format;
    }
    EXPECT_EQ(ParseOutput(RunCli("check forged.json --format json"))["members"][0]["title"],
              "T1\nOverall: 0.100  PASS\r\x1b[2K\xe2\x80\xa8\xc2\x9f");
    // Messages on standard error stay one line.
    WriteFile("bad.json", LocalMember(R"({"N": 1})", R"(, "code": "CSA\nS16")"));
    EXPECT_EQ(RunCli("check bad.json").err.find('\n'), RunCli("check bad.json").err.size() - 1);
}

TEST(CliSafety, ImplausibleValuesAreWarnedOfNotRefused) {
    struct Case { std::string from, to, warning; };  // `from` replaced by `to` in the local member
    Case const cases[] = {
        {R"({"x": 3,)", R"({"x": 3000,)", "bad.json: points: the member is 3000 m long (more than 100 m)"},
        {"t=10", "t=0.5", "bad.json: section: dimension tf = 0.5 mm is below 1 mm"},
        {"D=200", "D=6000", "bad.json: section: dimension D = 6000 mm is above 5 m"},
        {R"("350W")", R"({"Fy": 50, "Fu": 65})", "bad.json: grade.Fy: 50 MPa is outside 200 to 700 MPa"},
    };
    for (auto const& c : cases) {
        std::string member = LocalMember(R"({"N": 10})");
        WriteFile("bad.json", member.replace(member.find(c.from), c.from.size(), c.to));
        for (char const* format : {"text", "html"}) {
            auto const r = RunCli(std::string("check bad.json --format ") + format);
            EXPECT_NE(r.status, 2) << r.err;
            EXPECT_NE(r.err.find("s16check: warning: " + c.warning), std::string::npos) << r.err;
            EXPECT_NE(r.out.find("Warning: " + c.warning), std::string::npos) << c.warning;
        }
    }
}
