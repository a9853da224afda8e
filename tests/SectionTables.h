#pragma once
// Tests of the published section tables (../shared/sections beside the
// checkout) are skipped without them, and fail instead when the environment
// variable S16_REQUIRE_SECTION_TABLES is set (CI: a missing table is an
// error, not a quiet pass).
#include <gtest/gtest.h>

#include <cstdlib>

#define S16_SKIP_WITHOUT_TABLES(message)                                              \
    do {                                                                              \
        if (std::getenv("S16_REQUIRE_SECTION_TABLES")) {                              \
            FAIL() << message << " (S16_REQUIRE_SECTION_TABLES is set)";              \
        } else {                                                                      \
            GTEST_SKIP() << message;                                                  \
        }                                                                             \
    } while (0)
