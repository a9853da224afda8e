#pragma once
// Invariant check of the fuzz targets: a broken invariant prints what broke
// and aborts, which libFuzzer reports as a crash with the input saved.
#include <cstdio>
#include <cstdlib>

#define S16_FUZZ_CHECK(cond, what)                                                            \
    do {                                                                                       \
        if (!(cond)) {                                                                         \
            std::fprintf(stderr, "invariant broken at %s:%d: %s\n", __FILE__, __LINE__, what); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)
