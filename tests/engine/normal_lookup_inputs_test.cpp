// LookupNormal against a plain rendering of its definition, with rounding done on the
// decimal text itself: for every argument the valuation gives it (d1 and d2 are the
// singles nearest four-decimal numbers), and for random singles.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/normal_table.h"

namespace volantra {
namespace {

// `value` with `digits` significant digits (to_chars), then rounded half away from zero
// to `decimals` places on the digit string and read back with from_chars.
template <typename Dest, typename Source>
Dest RoundOnText(Source value, int digits, int decimals) {
    char buffer[64];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, digits - 1)
                          .ptr;
    const std::string text(static_cast<const char*>(buffer), end);
    const bool negative = text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    std::string mantissa = text.substr(first, 1) + text.substr(first + 2, digits - 1);
    const int exponent = std::stoi(text.substr(text.find('e') + 1));
    // Digits as an integer times 10^(exponent − digits + 1), cut at 10^−decimals.
    std::string whole = "0";
    std::string fraction;
    if (exponent >= 0) {
        mantissa.append(exponent + 1, '0');
        whole = mantissa.substr(0, exponent + 1);
        fraction = mantissa.substr(exponent + 1);
    } else {
        fraction = std::string(-exponent - 1, '0') + mantissa;
    }
    fraction.append(decimals + 1, '0');
    std::string kept = whole + fraction.substr(0, decimals);
    if (fraction[decimals] >= '5') {
        std::size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9') {
            kept[--i] = '0';
        }
        if (i == 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[i - 1];
        }
    }
    const std::string number = (negative ? "-" : "") + kept + "e-" + std::to_string(decimals);
    Dest result{};
    std::from_chars(number.data(), number.data() + number.size(), result);
    return result == 0 ? Dest{0} : result;
}

float Entry(long index) {
    return NormalTable.at(static_cast<std::size_t>(index));
}

// The lookup as defined: a key of x to two decimals through its text, the nearest
// table rows, linear interpolation in double, four decimals through the text.
float ReferenceLookup(float x) {
    if (x > 4.0f) {
        return 1.0f;
    }
    if (x < -4.0f) {
        return 0.0f;
    }
    if (x == 0.0f) {
        return 0.5f;
    }
    const float key = RoundOnText<float>(x, 7, 2);
    const double g = std::fabs(key);
    const double xd = x;
    double v = 0;
    if (x > 0 && x < 0.0051f) {
        v = Entry(411) + ((Entry(411) - Entry(412)) * (g - xd)) / 0.01;
    } else if (x < 0 && x > -0.0051f) {
        v = Entry(1) + ((Entry(1) - Entry(2)) * (g + xd)) / 0.01;
    } else if (x > 0) {
        const long i = std::lrint(100.0 * g + 411.0);
        v = Entry(i) - ((Entry(i + 1) - Entry(i)) * (g - xd)) / 0.01;
    } else {
        const long i = std::lrint(100.0 * g + 1.0);
        v = Entry(i) + ((Entry(i - 1) - Entry(i)) * (g + xd)) / 0.01;
    }
    return RoundOnText<float>(v, 15, 4);
}

TEST(LookupNormal, EveryFourDecimalArgumentMatchesTheDefinition) {
    int mismatches = 0;
    for (int k = -41000; k <= 41000; ++k) {
        const float x = static_cast<float>(k) / 10000.0f;  // the single nearest k/10^4
        const float expected = ReferenceLookup(x);
        if (std::bit_cast<std::uint32_t>(LookupNormal(x)) !=
            std::bit_cast<std::uint32_t>(expected)) {
            ADD_FAILURE() << "x = " << x << ": " << LookupNormal(x) << " instead of " << expected;
            if (++mismatches == 10) {
                return;
            }
        }
    }
}

TEST(LookupNormal, RandomArgumentsMatchTheDefinition) {
    std::mt19937 random(5);
    std::uniform_real_distribution<float> argument(-4.2f, 4.2f);
    std::uniform_int_distribution<std::uint32_t> bits(0, 0xFFFFFFFFu);
    int mismatches = 0;
    for (int n = 0; n < 300000 && mismatches < 10; ++n) {
        // Uniform arguments, and arbitrary bit patterns for the tiny and the huge.
        const float x = n % 2 ? argument(random) : std::bit_cast<float>(bits(random));
        if (std::isnan(x)) {
            continue;
        }
        const float expected = ReferenceLookup(x);
        if (std::bit_cast<std::uint32_t>(LookupNormal(x)) !=
            std::bit_cast<std::uint32_t>(expected)) {
            ADD_FAILURE() << "x = " << x << ": " << LookupNormal(x) << " instead of " << expected;
            ++mismatches;
        }
    }
}

}  // namespace
}  // namespace volantra
