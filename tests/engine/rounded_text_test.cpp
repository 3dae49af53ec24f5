#include "engine/rounded_text.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

#include "engine/number_text.h"

namespace volantra {
namespace {

// The text of a number rounded through text is the text it was read from, up to the
// units where only the text of the valuation itself can write it.
TEST(WriteRoundedFixed, WritesTheTextARoundingWasReadFrom) {
    struct Row {
        double value;  // rounded through text at `decimals` from a single or a double
        int decimals;
        const char* text;  // FormatFixed's text of the unrounded value; null: refused
    };
    const Row rows[] = {
        {0.0, 2, "0.00"},
        {-0.0, 4, "0.0000"},  // a negative value rounded to zero has no sign
        {RoundViaText<double>(-0.00004f, 4), 4, "0.0000"},
        {RoundViaText<double>(0.005f, 2), 2, "0.01"},
        {RoundViaText<double>(-6.413544f, 4), 4, "-6.4135"},
        {RoundViaText<double>(9.995f, 2), 2, "10.00"},
        {RoundViaText<double>(1234567.0f, 2), 2, "1234567.00"},
        {RoundViaText<double>(123456789.0f, 2), 2, nullptr},  // "123456800.00": too many units
        {RoundViaText<double>(-4.8935 / 365, 4), 4, "-0.0134"},
        {RoundViaText<double>(7.5f, 0), 0, "8"},
        {RoundViaText<double>(0.25, 1), 1, "0.3"},
        {RoundViaText<double>(0.125, 3), 3, "0.125"},
        {42949672.94, 2, "42949672.94"},  // 2^32 − 2 units: the last written
        {429496.7294, 4, "429496.7294"},
        {42949672.95, 2, nullptr},  // 2^32 − 1 units
        {-3.4028234663852886e38, 4, nullptr},
        {0.5, 5, nullptr},  // more decimals than a box shows
    };
    for (const Row& row : rows) {
        std::array<char, 16> text{};
        char* end = WriteRoundedFixed(row.value, row.decimals, '.', text.data());
        if (row.text == nullptr) {
            EXPECT_EQ(end, nullptr) << row.value;
        } else {
            ASSERT_NE(end, nullptr) << row.text;
            EXPECT_EQ(std::string(text.data(), end), row.text);
        }
    }
}

TEST(WriteRoundedFixed, WritesTheGivenDecimalSymbol) {
    std::array<char, 16> text{};
    char* end = WriteRoundedFixed(-1234.5, 2, ',', text.data());
    EXPECT_EQ(std::string(text.data(), end), "-1234,50");
}

}  // namespace
}  // namespace volantra
