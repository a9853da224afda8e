#pragma once
// The whole command line of s16check, callable from main() and from tests
// and fuzzers: parses the arguments, runs the subcommand, returns the exit
// status (0 every member passes, 1 a member fails a check, 2 the input could
// not be read or a member could not be checked).
namespace s16app {

int RunCommandLine(int argc, char** argv);

}  // namespace s16app
