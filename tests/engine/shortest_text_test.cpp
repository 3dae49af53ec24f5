#include "engine/shortest_text.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "engine/number_text.h"

namespace volantra {
namespace {

// Doubles where reading the text could differ from the cast: the midpoints between
// neighbouring singles and the doubles beside them, the range's edges, and random
// doubles of every magnitude.
std::vector<double> HardDoubles() {
    std::mt19937_64 random(18);
    std::vector<double> doubles;
    const float flt = std::numeric_limits<float>::max();
    const float tiny = std::numeric_limits<float>::min();
    for (float edge : {flt, tiny, 1.0F, 0.05F, 100.5F}) {
        for (double x : {static_cast<double>(edge), std::nextafter(static_cast<double>(edge), 0.0),
                         std::nextafter(static_cast<double>(edge), 1e300)}) {
            doubles.push_back(x);
            doubles.push_back(-x);
        }
    }
    std::uniform_int_distribution<std::uint32_t> bits(0x00800000U, 0x7f7ffffeU);
    std::uniform_real_distribution<double> exponent(-37, 38);
    for (int i = 0; i < 100000; ++i) {
        std::uint32_t word = bits(random);
        float low = 0;
        std::memcpy(&low, &word, sizeof low);
        const double midpoint =
            (static_cast<double>(low) + static_cast<double>(std::nextafter(low, HUGE_VALF))) / 2;
        doubles.insert(doubles.end(),
                       {midpoint, std::nextafter(midpoint, 0.0), std::nextafter(midpoint, 1e300),
                        std::pow(10.0, exponent(random))});
    }
    return doubles;
}

TEST(SingleWithoutText, ReadsWhatTheTextReadsOrDeclines) {
    std::size_t declined = 0;
    for (double x : HardDoubles()) {
        std::array<char, 32> buffer{};
        const Checked<float> text = ParseNumber<float>(ShortestText(x, buffer));
        const std::optional<float> quick = SingleWithoutText(x);
        if (!quick) {
            ++declined;
            continue;
        }
        ASSERT_TRUE(text.Ok()) << x;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(*quick), std::bit_cast<std::uint32_t>(text.value))
            << "for " << ShortestText(x, buffer);
    }
    // Only the midpoints (a quarter of the samples) and the four beyond the range take the text.
    EXPECT_LE(declined, 100004U);
}

}  // namespace
}  // namespace volantra
