#pragma once

#include <charconv>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace volantra::testing {

inline int SignificantDigits(std::string_view decimal) {
    int digits = 0;
    bool leading = true;
    for (char c : decimal) {
        leading = leading && (c < '1' || c > '9');
        digits += (!leading && c >= '0' && c <= '9') ? 1 : 0;
    }
    return digits;
}

// The exact binary value's leading `digits` significant digits, correctly rounded.
inline std::string Leading(double value, int digits) {
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                             digits - 1)
                   .ptr;
    return std::string(buffer, end);
}

}  // namespace volantra::testing

// Matches `value` against a reference to as many significant digits as it is printed with.
#define EXPECT_DIGITS(value, reference)                                                           \
    EXPECT_EQ(                                                                                    \
        ::volantra::testing::Leading((value), ::volantra::testing::SignificantDigits(reference)), \
        ::volantra::testing::Leading(std::stod(reference),                                        \
                                     ::volantra::testing::SignificantDigits(reference)))          \
        << #value " against " reference
