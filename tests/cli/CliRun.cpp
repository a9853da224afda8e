#include "CliRun.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace clitest {

namespace {
std::string Slurp(std::string const& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

std::string ScratchDir() {
    // The folder is removed at exit; the name lives in static storage that
    // outlasts every destructor.
    static char pattern[] = "/tmp/s16_cli_tests.XXXXXX";
    static bool const made = [] {
        if (!mkdtemp(pattern)) return false;
        std::atexit([] {
            std::string const rm = std::string("rm -rf '") + pattern + "'";
            if (std::system(rm.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", pattern);
        });
        return true;
    }();
    return made ? pattern : "/tmp";
}

std::string Binary() { return S16CHECK_BIN; }

std::string Example(std::string const& name) { return std::string(S16_EXAMPLES_DIR) + "/" + name; }

std::string WriteFile(std::string const& name, std::string const& content) {
    std::string const path = ScratchDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

CliResult RunShell(std::string const& command) {
    std::string const out = ScratchDir() + "/stdout.txt", err = ScratchDir() + "/stderr.txt";
    std::string const line = "cd '" + ScratchDir() + "' && " + command + " >'" + out + "' 2>'" + err + "'";
    int const raw = std::system(line.c_str());
    CliResult r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(out);
    r.err = Slurp(err);
    return r;
}

CliResult RunCli(std::string const& args) { return RunShell("'" + Binary() + "' " + args); }

nlohmann::json ParseOutput(CliResult const& r) {
    try {
        return nlohmann::json::parse(r.out);
    } catch (nlohmann::json::exception const& e) {
        ADD_FAILURE() << "output is not JSON: " << e.what() << "\n" << r.out.substr(0, 400) << "\n" << r.err;
        return nlohmann::json::object();
    }
}

std::string LocalMember(std::string const& actions, std::string const& extraFields) {
    return R"({"section": "RHS D=200 B=100 t=10", "grade": "350W",
  "points": [{"x": 0, "restraint": "pinned"}, {"x": 3, "restraint": "pinned"}],
  "effective_lengths": {"Lyy": 0, "Lzz": 0, "Llt": 0},
  "subspans": [{"left": )" + actions + R"(, "right": )" + actions + "}]" + extraFields + "}";
}

}  // namespace clitest
