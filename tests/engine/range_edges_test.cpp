// The engine's public functions at the edges of the numbers: NaN and the largest double.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/normal_table.h"
#include "engine/number_text.h"

namespace volantra {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

TEST(RangeEdges, LookupOfNaNIsNaNAndDoesNotThrow) {
    EXPECT_NO_THROW(LookupNormal(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_TRUE(std::isnan(LookupNormal(std::numeric_limits<float>::quiet_NaN())));
}

TEST(RangeEdges, TheLargestDoublesKeepTheirValueThroughTheirText) {
    // Their 15-digit text, 1.79769313486232e+308, lies above the largest double.
    for (double value : {kLargest, std::nextafter(kLargest, 0.0)}) {
        SCOPED_TRACE(value);
        ASSERT_EQ(FormatGeneral(value), "1.79769313486232e+308");
        EXPECT_EQ(GeneralText<double>(value), kLargest);
        EXPECT_EQ(GeneralText<double>(-value), -kLargest);
        EXPECT_EQ(RoundViaText<double>(value, 2), kLargest);
        const Checked<double> read = ParseNumber<double>(FormatGeneral(value));
        ASSERT_TRUE(read.Ok());
        EXPECT_EQ(read.value, kLargest);
    }
    EXPECT_EQ(ParseNumber<double>("-1.79769313486232e308").value, -kLargest);
}

TEST(RangeEdges, TextBeyondTheLargestDoublesOwnTextIsStillOutOfRange) {
    EXPECT_EQ(ParseNumber<double>("1.79769313486233e308").error, EngineError::OutOfRange);
    EXPECT_EQ(ParseNumber<double>("1e309").error, EngineError::OutOfRange);
    EXPECT_EQ(ParseNumber<float>("3.5e38").error, EngineError::OutOfRange);
}

}  // namespace
}  // namespace volantra
