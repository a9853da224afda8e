// libFuzzer target: the section catalogue reader on a fuzzed table file
// (the first byte picks the table; the promises are in the README).
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "framework/SectionCatalog.h"

namespace {
char const* const kTables[] = {"i_shapes.csv", "channels.csv", "tees.csv",
                               "angles.csv",   "hss_rect.csv", "hss_round.csv"};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    if (size < 1) return 0;
    // The catalogue of a folder is read once and kept: each input gets its own.
    static char root[] = "/tmp/s16_fuzz_catalog.XXXXXX";
    static bool const made = mkdtemp(root) != nullptr && std::atexit([] { rmdir(root); }) == 0;
    static unsigned long count = 0;
    if (!made) return 0;
    std::string const dir = std::string(root) + "/" + std::to_string(count++);
    std::string const file = dir + "/" + kTables[data[0] % 6];
    if (mkdir(dir.c_str(), 0700) != 0) return 0;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<char const*>(data + 1),
                                                static_cast<std::streamsize>(size - 1));
    try {
        auto const names = Corvid::Data::detail::CatalogNames(dir, "");
        for (std::size_t i = 0; i < names.size() && i < 16; ++i) {
            try {
                std::wstring const name(names[i].begin(), names[i].end());
                auto const entry = Corvid::Data::detail::ResolveDesignation(name, dir);
                S16_FUZZ_CHECK(entry.shape != Corvid::Data::CSecGeom::None, "a listed name resolves to a shape");
            } catch (std::invalid_argument const&) {
            }
        }
    } catch (std::invalid_argument const&) {
    }
    std::remove(file.c_str());
    rmdir(dir.c_str());
    return 0;
}
