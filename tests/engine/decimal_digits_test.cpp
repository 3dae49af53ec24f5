#include "engine/decimal_digits.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

#include <gtest/gtest.h>

namespace volantra {
namespace {

template <typename T>
void ExpectSameDigits(T value) {
    const DecimalDigits fast = ToDecimalDigits(value);
    const DecimalDigits text = ToDecimalDigitsByText(value);
    ASSERT_EQ(fast.significand, text.significand) << value;
    ASSERT_EQ(fast.exponent, text.exponent) << value;
    ASSERT_EQ(fast.negative, text.negative) << value;
}

TEST(DecimalDigits, IntegerArithmeticMatchesToCharsForDoubles) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> logMagnitude(-8, 10);
    for (int i = 0; i < 300000; ++i) {
        const double value = std::pow(10.0, logMagnitude(random));
        ExpectSameDigits(random() % 2 ? value : -value);
        // Neighbours of four-decimal numbers, where the rounding of a price lands.
        const double grid = std::round(value * 1e4) / 1e4;
        ExpectSameDigits(std::nextafter(grid, 0.0));
        ExpectSameDigits(grid);
    }
}

TEST(DecimalDigits, HandlesTiesCarriesAndDecadeEdges) {
    for (double value :
         {0.5, 1.0, 9.9999999999999995, 9.999999999999999, 1e-6, 1e9, 0.000001000000000000001,
          999999999.99999994, 0.3752, 2.675, 1048576.5, 0.1, 1.0 / 3.0}) {
        ExpectSameDigits(value);
        ExpectSameDigits(static_cast<float>(value));
    }
    // Singles whose eighth digit is an exact 5: the tie goes to the even digit.
    for (float value : {1048576.5f, 1048577.5f, 2097152.5f, 0.5f, 9.999999e-10f, 9.9999995f}) {
        ExpectSameDigits(value);
    }
}

TEST(DecimalDigits, IntegerArithmeticMatchesToCharsForSampledSingles) {
    // Every 4099th bit pattern here; a separate program checks all of them.
    for (std::uint64_t bits = 0; bits < 0x7F800000u; bits += 4099) {
        ExpectSameDigits(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
    }
}

}  // namespace
}  // namespace volantra
