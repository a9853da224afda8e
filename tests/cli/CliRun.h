#pragma once
// Runs the s16check binary and collects what it writes.
#include <nlohmann/json.hpp>

#include <string>

namespace clitest {

struct CliResult {
    int status = -1;  // exit status
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs `s16check ARGS` (ARGS as written in a shell) from a scratch folder of
// this test process.
CliResult RunCli(std::string const& args);
// Runs a shell command line in the scratch folder.
CliResult RunShell(std::string const& command);
// Writes a file into the scratch folder; returns its path.
std::string WriteFile(std::string const& name, std::string const& content);
// The scratch folder (made once per process).
std::string ScratchDir();
// Path of a bundled example.
std::string Example(std::string const& name);
// The binary's path.
std::string Binary();
// The JSON output of a run (fails the test when it does not parse).
nlohmann::json ParseOutput(CliResult const& r);

// A local-only member (override lengths 0: the cross-section checks alone)
// of "RHS D=200 B=100 t=10" in 350W, 3 m long, pinned at both ends, with the
// given extra fields and actions on its one sub-span.
std::string LocalMember(std::string const& actions, std::string const& extraFields = "");

}  // namespace clitest
