// libFuzzer target: s16app::RunCommandLine in a private folder. Input line 1
// is the arguments (split at spaces, those with a '/' dropped), the rest the
// member file m.json, also the standard input; output goes to out.txt. Every
// run returns 0, 1 or 2 and leaves no temporary report file; the working
// folder, standard streams and catalogue folder are put back.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "app/CommandLine.h"
#include "app/Output.h"
#include "framework/Section.h"

namespace {
// Empties the folder; whether a temporary report file was left in it.
bool Clear(std::string const& dir) {
    bool temp = false;
    DIR* d = opendir(dir.c_str());
    while (dirent* e = d ? readdir(d) : nullptr) {
        std::string const name = e->d_name, path = dir + "/" + name;
        if (name == "." || name == "..") continue;
        temp = temp || name.find("s16check-") != std::string::npos;
        if (unlink(path.c_str()) != 0) rmdir(path.c_str());
    }
    if (d) closedir(d);
    return temp;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    static bool const held = (s16app::HoldClosedStandardStreams(), true);  // as main does: dup(0) below needs one
    (void)held;
    static char dir[] = "/tmp/s16_fuzz_cli.XXXXXX";
    static bool const made = mkdtemp(dir) != nullptr;
    static int const removed = made ? std::atexit([] { rmdir(dir); }) : 0;  // emptied after every input
    (void)removed;
    char cwd[4096];
    if (!made || !getcwd(cwd, sizeof cwd)) return 0;
    std::string const text(reinterpret_cast<char const*>(data), size), folder = dir;
    std::size_t const eol = std::min(text.find('\n'), size);
    std::vector<std::string> args{"s16check"};
    for (std::size_t at = 0, end; at < eol; at = end + 1) {
        end = std::min(text.find(' ', at), eol);
        std::string const arg = text.substr(at, end - at);
        if (!arg.empty() && arg.find_first_of(std::string("/\0", 2)) == std::string::npos) args.push_back(arg);
    }
    // design tries every section of a family for each member: a few members only
    if (std::find(args.begin(), args.end(), "design") != args.end() && size - eol > 2048) return 0;
    std::ofstream(folder + "/m.json", std::ios::binary) << text.substr(std::min(eol + 1, size));
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    std::string const catalog = Corvid::Data::CSection::CatalogDirectory();
    int const saved[3] = {dup(0), dup(1), dup(2)};
    int const in = open((folder + "/m.json").c_str(), O_RDONLY),
              out = open((folder + "/out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(in, 0), dup2(out, 1), dup2(out, 2), close(in), close(out);
    int status = -1;
    if (chdir(dir) == 0) status = s16app::RunCommandLine(static_cast<int>(args.size()), argv.data());
    std::cout.flush(), std::cerr.flush(), std::cin.clear();
    for (int fd = 0; fd < 3; ++fd) dup2(saved[fd], fd), close(saved[fd]);
    S16_FUZZ_CHECK(chdir(cwd) == 0, "back in the working folder");
    Corvid::Data::CSection::SetCatalogDirectory(catalog);
    S16_FUZZ_CHECK(status >= 0 && status <= 2, "exit status 0, 1 or 2");
    S16_FUZZ_CHECK(!Clear(folder), "no temporary report file left");
    return 0;
}
