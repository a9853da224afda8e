#pragma once
// Tests of the section tables beside the checkout skip without them, or fail
// when S16_REQUIRE_SECTION_TABLES is set (CI).
#include <gtest/gtest.h>

#include <cstdlib>

#define S16_SKIP_WITHOUT_TABLES(message)                                                                  \
    do {                                                                                                  \
        if (std::getenv("S16_REQUIRE_SECTION_TABLES")) FAIL() << message << " (S16_REQUIRE_SECTION_TABLES is set)"; \
        else GTEST_SKIP() << message;                                                                     \
    } while (0)
