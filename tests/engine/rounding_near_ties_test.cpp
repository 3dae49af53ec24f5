// Rounding through decimal text by arithmetic away from ties: doubles placed on both
// sides of each half-integer's band, and far from them, against the text itself.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/number_text.h"

namespace volantra {
namespace {

// FormatFixed by definition: 15 significant digits from to_chars, then the fixed layout
// rounded half away from zero at `decimals`, with no sign on zero.
std::string ReferenceFixed(double value, int decimals) {
    char buffer[40];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    const std::string text(static_cast<const char*>(buffer), end);
    const bool negative = text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    std::string digits = text.substr(first, 1) + text.substr(first + 2, 14);
    const int exponent = std::stoi(text.substr(text.find('e') + 1));
    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
        digits.append(static_cast<std::size_t>(exponent) + 1, '0');
        whole = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
        fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    } else {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    fraction.append(static_cast<std::size_t>(decimals) + 1, '0');
    const bool up = fraction[static_cast<std::size_t>(decimals)] >= '5';
    std::string number = whole + fraction.substr(0, static_cast<std::size_t>(decimals));
    if (up) {
        std::size_t i = number.size();
        while (i > 0 && number[i - 1] == '9') {
            number[--i] = '0';
        }
        if (i == 0) {
            number.insert(number.begin(), '1');
        } else {
            ++number[i - 1];
        }
    }
    const std::size_t split = number.size() - static_cast<std::size_t>(decimals);
    std::string integer = number.substr(0, split);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    const std::string result = integer + (decimals > 0 ? "." + number.substr(split) : "");
    const bool zero = number.find_first_not_of('0') == std::string::npos;
    return (negative && !zero ? "-" : "") + result;
}

template <typename T>
T Read(const std::string& text) {
    T value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

int CheckAgainstText(double value, int decimals) {
    const std::string reference = ReferenceFixed(value, decimals);
    EXPECT_EQ(FormatFixed(value, decimals), reference) << value;
    EXPECT_EQ(RoundViaText<float>(value, decimals), Read<float>(reference)) << value;
    EXPECT_EQ(RoundViaText<double>(value, decimals), Read<double>(reference)) << value;
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

// GeneralText by definition: the general text with 15 significant digits, read back.
float ReferenceGeneralSingle(double value) {
    char buffer[40];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    float result = 0;
    const auto [ptr, ec] = std::from_chars(buffer, end, result);
    if (ec == std::errc::result_out_of_range) {
        return std::fabs(value) < 1 ? static_cast<float>(std::copysign(0.0, value))
                                    : std::copysign(INFINITY, static_cast<float>(value));
    }
    return result + 0.0f;
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
                const float expected = ReferenceGeneralSingle(value);
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
        if (GeneralText<float>(quotient) != ReferenceGeneralSingle(quotient)) {
            ADD_FAILURE() << quotient;
            ++failures;
        }
    }
}

}  // namespace
}  // namespace volantra
