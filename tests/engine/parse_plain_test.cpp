// Plain decimal texts, as the batch pricer and the boxes mostly hold them, read to the
// nearest single and double: against from_chars, which rounds correctly.
#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/number_text.h"

namespace volantra {
namespace {

template <typename T>
void ExpectNearest(const std::string& text) {
    T expected{};
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
    ASSERT_EQ(ec, std::errc{}) << text;
    const Checked<T> parsed = ParseNumber<T>(text);
    ASSERT_TRUE(parsed.Ok()) << text;
    using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
    EXPECT_EQ(std::bit_cast<Bits>(parsed.value), std::bit_cast<Bits>(expected)) << text;
}

TEST(ParseNumber, PlainDecimalsAreTheNearestValue) {
    std::mt19937 random(17);
    std::uniform_int_distribution<int> length(0, 17);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int n = 0; n < 200000 && !::testing::Test::HasFailure(); ++n) {
        std::string text = n % 5 == 0 ? "-" : "";
        const int whole = length(random) % 10;
        const int fraction = length(random);
        for (int i = 0; i < whole; ++i) {
            text += static_cast<char>('0' + digit(random));
        }
        if (fraction > 0 || whole == 0) {
            text += '.';
            for (int i = 0; i < std::max(fraction, whole == 0 ? 1 : 0); ++i) {
                text += static_cast<char>('0' + digit(random));
            }
        }
        ExpectNearest<float>(text);
        ExpectNearest<double>(text);
    }
}

TEST(ParseNumber, PlainDecimalsAtTheEdgesOfExactReading) {
    for (const char* text : {"16777216", "16777217", "16777218", "0.0000000001", "1.00000000001",
                             "-0", "-0.000", "0.", ".0", "9007199254740993", "123456789012345",
                             "1234567.8", "0.1", "-2.675", "100.5", "365"}) {
        ExpectNearest<float>(text);
        ExpectNearest<double>(text);
    }
    EXPECT_TRUE(std::signbit(ParseNumber<float>("-0.0").value));
    EXPECT_FALSE(ParseNumber<float>("1.2.3").Ok());
    EXPECT_FALSE(ParseNumber<float>("-").Ok());
    EXPECT_FALSE(ParseNumber<float>(".").Ok());
    EXPECT_FALSE(ParseNumber<float>("1-2").Ok());
}

}  // namespace
}  // namespace volantra
