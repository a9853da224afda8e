// Tables for writing integers as decimal digits, shared by the module's
// number formatting and the host's.
#pragma once

#include <cstdint>

namespace Corvid::Util {

// kUnits[k] = 10^k, k = 0 ... 19 (every power a 64-bit unsigned holds): an
// integer r has k + 1 digits when kUnits[k] <= r < kUnits[k + 1].
inline constexpr std::uint64_t kUnits[] = {1ull,
                                           10ull,
                                           100ull,
                                           1000ull,
                                           10000ull,
                                           100000ull,
                                           1000000ull,
                                           10000000ull,
                                           100000000ull,
                                           1000000000ull,
                                           10000000000ull,
                                           100000000000ull,
                                           1000000000000ull,
                                           10000000000000ull,
                                           100000000000000ull,
                                           1000000000000000ull,
                                           10000000000000000ull,
                                           100000000000000000ull,
                                           1000000000000000000ull,
                                           10000000000000000000ull};

// The pairs of digits 00 ... 99.
template <class Char>
struct DigitPairsOf {
    Char pair[100][2];
    constexpr DigitPairsOf() : pair() {
        for (int i = 0; i < 100; ++i) {
            pair[i][0] = static_cast<Char>('0' + i / 10);
            pair[i][1] = static_cast<Char>('0' + i % 10);
        }
    }
};
template <class Char>
inline constexpr DigitPairsOf<Char> kDigitPairsOf;

}  // namespace Corvid::Util
