// Rounding through decimal text by arithmetic away from ties: doubles placed on both
// sides of each half-integer's band, and far from them, against the text itself.
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/number_text.h"
#include "reference_number_text.h"

namespace volantra {
namespace {

int CheckAgainstText(double value, int decimals) {
    EXPECT_EQ(FormatFixed(value, decimals), reference::Fixed(value, decimals)) << value;
    EXPECT_EQ(RoundViaText<float>(value, decimals),
              (reference::RoundedViaText<float>(value, decimals)))
        << value;
    EXPECT_EQ(RoundViaText<double>(value, decimals),
              (reference::RoundedViaText<double>(value, decimals)))
        << value;
    return ::testing::Test::HasFailure() ? 1 : 0;
}

TEST(RoundViaText, DoublesAroundEveryKindOfHalfIntegerMatchTheText) {
    std::mt19937_64 random(2024);
    std::uniform_int_distribution<std::int64_t> units(0, (std::int64_t{1} << 23) - 1);
    int failures = 0;
    for (int decimals : {0, 1, 2, 3, 4}) {
        const double scale = std::pow(10.0, decimals);
        for (int n = 0; n < 4000 && failures < 10; ++n) {
            const double half = static_cast<double>(units(random)) + 0.5;
            const double centre = half / scale;
            // Steps of a few ulps up to well past the band, on both sides.
            double value = centre;
            for (int step = 0; step < 40; ++step) {
                for (double v : {value, -value}) {
                    failures += CheckAgainstText(v, decimals);
                }
                value = std::nextafter(value, 2 * centre + 1);
                if (step > 8) {
                    value *= 1 + 2e-15 * step;
                }
            }
            value = centre;
            for (int step = 0; step < 20; ++step) {
                value = std::nextafter(value, 0.0) * (1 - 1e-15 * step);
                failures += CheckAgainstText(value, decimals);
            }
        }
    }
}

TEST(RoundViaText, WidenedSinglesAndRandomDoublesMatchTheText) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> magnitude(-12, 8);
    int failures = 0;
    for (int n = 0; n < 50000 && failures < 10; ++n) {
        const double value = std::pow(10.0, magnitude(random)) * (n % 3 == 0 ? -1 : 1);
        for (int decimals : {2, 4}) {
            failures += CheckAgainstText(value, decimals);
            failures += CheckAgainstText(static_cast<float>(value), decimals);
        }
    }
}

TEST(GeneralText, DoublesAroundMidpointsBetweenSinglesMatchTheText) {
    std::mt19937 random(3);
    std::uniform_int_distribution<std::uint32_t> bits(0x00800001u, 0x7F7FFFFEu);
    int failures = 0;
    for (int n = 0; n < 100000 && failures < 10; ++n) {
        const float single = std::bit_cast<float>(bits(random));
        const double midpoint =
            (static_cast<double>(single) + std::nextafter(single, INFINITY)) / 2;
        // From a few ulps of the double to well past the band, on both sides.
        for (double offset :
             {0.0, 1e-16, 3e-16, 2e-15, 4e-15, 6e-15, 9e-15, 1.2e-14, 3e-14, 1e-12, 1e-9, 1e-7}) {
            for (double value :
                 {midpoint * (1 + offset), midpoint * (1 - offset), -midpoint * (1 + offset)}) {
                const float expected = reference::General<float>(value);
                if (std::bit_cast<std::uint32_t>(GeneralText<float>(value)) !=
                    std::bit_cast<std::uint32_t>(expected)) {
                    ADD_FAILURE() << value << ": " << GeneralText<float>(value) << " instead of "
                                  << expected;
                    ++failures;
                }
            }
        }
        // Percentages and day counts as the dividend row divides them.
        const double quotient = static_cast<double>(n % 2000 - 300) / (n % 3 ? 100.0 : 365.0);
        if (GeneralText<float>(quotient) != reference::General<float>(quotient)) {
            ADD_FAILURE() << quotient;
            ++failures;
        }
    }
}

}  // namespace
}  // namespace volantra
