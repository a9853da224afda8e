// libFuzzer target: the section catalogue reader on arbitrary table files (the
// first byte picks the table, the rest is its text, in a fresh folder). Listing
// gives names or throws std::invalid_argument; every listed name resolves to a
// known shape or is refused the same way. Any other exception is a fault.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "FuzzCheck.h"
#include "framework/SectionCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size) {
    char const* const tables[] = {"i_shapes.csv", "channels.csv", "tees.csv", "angles.csv", "hss_rect.csv", "hss_round.csv"};
    // A folder's catalogue is read once and kept: each input gets its own.
    static char root[] = "/tmp/s16_fuzz_catalog.XXXXXX";
    static bool const made = mkdtemp(root) != nullptr;
    static int const removed = made ? std::atexit([] { rmdir(root); }) : 0;  // emptied after every input
    (void)removed;
    static unsigned long count = 0;
    if (size < 1 || !made) return 0;
    std::string const dir = std::string(root) + "/" + std::to_string(count++), file = dir + "/" + tables[data[0] % 6];
    if (mkdir(dir.c_str(), 0700) != 0) return 0;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<char const*>(data + 1), static_cast<std::streamsize>(size - 1));
    try {
        auto const names = Corvid::Data::detail::CatalogNames(dir, "");
        for (std::size_t i = 0; i < names.size() && i < 16; ++i) try {
                auto const entry = Corvid::Data::detail::ResolveDesignation(std::wstring(names[i].begin(), names[i].end()), dir);
                S16_FUZZ_CHECK(entry.shape != Corvid::Data::CSecGeom::None, "a listed name resolves to a shape");
            } catch (std::invalid_argument const&) {
            }
    } catch (std::invalid_argument const&) {
    }
    std::remove(file.c_str());
    rmdir(dir.c_str());
    return 0;
}
