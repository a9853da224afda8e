#pragma once
// Runs the s16check binary from a scratch folder of this test process and
// collects what it writes.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace clitest {

struct CliResult {
    int status = -1;  // exit status
    std::string out, err;
};

inline std::string Slurp(std::string const& path) {
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

// The scratch folder, made once per process and removed at exit (the name
// in static storage outlasts every destructor).
inline std::string ScratchDir() {
    static char pattern[] = "/tmp/s16_cli_tests.XXXXXX";
    static bool const made = [] {
        if (!mkdtemp(pattern)) return false;
        std::atexit([] {
            if (std::system((std::string("rm -rf '") + pattern + "'").c_str()) != 0)
                std::fprintf(stderr, "could not remove %s\n", pattern);
        });
        return true;
    }();
    return made ? pattern : "/tmp";
}

inline std::string Binary() { return S16CHECK_BIN; }
inline std::string Example(std::string const& name) { return std::string(S16_EXAMPLES_DIR) + "/" + name; }

// Writes a file into the scratch folder; returns its path.
inline std::string WriteFile(std::string const& name, std::string const& content) {
    std::string const path = ScratchDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// Runs a shell command line in the scratch folder.
inline CliResult RunShell(std::string const& command) {
    std::string const out = ScratchDir() + "/stdout.txt", err = ScratchDir() + "/stderr.txt";
    int const raw = std::system(("cd '" + ScratchDir() + "' && " + command + " >'" + out + "' 2>'" + err + "'").c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}

// Runs `s16check ARGS` (ARGS as written in a shell).
inline CliResult RunCli(std::string const& args) { return RunShell("'" + Binary() + "' " + args); }

// The JSON output of a run (fails the test when it does not parse).
inline nlohmann::json ParseOutput(CliResult const& r) {
    try {
        return nlohmann::json::parse(r.out);
    } catch (nlohmann::json::exception const& e) {
        ADD_FAILURE() << "output is not JSON: " << e.what() << "\n" << r.out.substr(0, 400) << "\n" << r.err;
        throw;  // indexing an empty document would be undefined behaviour
    }
}

// A member of `section` in 350W, pinned at x = 0 and x = L (m), with the
// fields `rest` after "points" (from their comma).
inline std::string Pinned(std::string const& section, std::string const& L, std::string const& rest) {
    return R"({"section": ")" + section + R"(", "grade": "350W", "points": [{"x": 0, "restraint": "pinned"}, {"x": )" +
           L + R"(, "restraint": "pinned"}])" + rest + "}";
}

// A local-only member (override lengths 0: the cross-section checks alone)
// of "RHS D=200 B=100 t=10", 3 m, pinned, with the given extra fields and
// actions on its one sub-span.
inline std::string LocalMember(std::string const& actions, std::string const& extraFields = "") {
    return Pinned("RHS D=200 B=100 t=10", "3", R"(, "effective_lengths": {"Lyy": 0, "Lzz": 0, "Llt": 0}, "subspans": )"
                  "[{\"left\": " + actions + R"(, "right": )" + actions + "}]" + extraFields);
}

}  // namespace clitest
