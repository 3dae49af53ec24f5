#include "engine/powers_of_ten.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace volantra {
namespace {

// 10^k = 2^k · 5^k: an entry is exact when scaling out 2^k, itself exact, leaves 5^k.
template <typename T, std::size_t N>
void ExpectExactPowers(const std::array<T, N>& powers) {
    std::uint64_t fivePower = 1;
    for (std::size_t k = 0; k < N; ++k, fivePower *= 5) {
        EXPECT_EQ(std::ldexp(static_cast<double>(powers[k]), -static_cast<int>(k)),
                  static_cast<double>(fivePower))
            << "10^" << k;
    }
}

TEST(PowersOfTen, EveryEntryIsExact) {
    ExpectExactPowers(EXACT_POWERS_OF_TEN);
    ExpectExactPowers(POWERS_OF_TEN<float, 11>);  // singles hold up to 10^10
    std::uint64_t power = 1;
    for (std::size_t k = 0; k < 20; ++k, power *= 10) {
        EXPECT_EQ((POWERS_OF_TEN<std::uint64_t, 20>[k]), power) << "10^" << k;
    }
}

// strtod rounds correctly, so "1e<p>" names the nearest double to 10^p.
TEST(PowersOfTen, NearestPowerIsTheDoubleReadFromItsText) {
    for (int p = -LARGEST_EXACT_DOUBLE_POWER; p <= LARGEST_EXACT_DOUBLE_POWER; ++p) {
        const std::string text = "1e" + std::to_string(p);
        EXPECT_EQ(NearestPowerOfTen(p), std::strtod(text.c_str(), nullptr)) << text;
    }
}

}  // namespace
}  // namespace volantra
