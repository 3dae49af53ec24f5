#include "engine/number_text.h"

#include <cfloat>
#include <string>

#include <gtest/gtest.h>

#include "float_bits.h"

namespace volantra {
namespace {

using testing::Bits;

TEST(FormatFixed, RoundsTheStandardPrecisionDecimalHalfAwayFromZero) {
    EXPECT_EQ(FormatFixed(0.5f, 4), "0.5000");
    EXPECT_EQ(FormatFixed(0.005f, 2), "0.01");  // exact binary value is 0.00499999988...
    EXPECT_EQ(FormatFixed(-0.005f, 2), "-0.01");
    EXPECT_EQ(FormatFixed(0.00005f, 4), "0.0001");
    EXPECT_EQ(FormatFixed(2.675, 2), "2.68");  // exact binary value is 2.67499999999999982...
    EXPECT_EQ(FormatFixed(9.995f, 2), "10.00");
    EXPECT_EQ(FormatFixed(0.99995f, 4), "1.0000");
    EXPECT_EQ(FormatFixed(-6.413544f, 4), "-6.4135");
    EXPECT_EQ(FormatFixed(123456789.0f, 2), "123456800.00");
    EXPECT_EQ(FormatFixed(0.0f, 0), "0");
    EXPECT_EQ(FormatFixed(7.5f, 0), "8");
}

TEST(FormatFixed, FirstRoundsAnExactBinaryTieToTheEvenDigit) {
    // 1048576.5 and 1048577.5 are exact singles with 8 significant digits.
    EXPECT_EQ(FormatFixed(1048576.5f, 2), "1048576.00");
    EXPECT_EQ(FormatFixed(1048577.5f, 2), "1048578.00");
    EXPECT_EQ(FormatFixed(1048576.5, 2), "1048576.50");  // a double keeps 15 digits
}

TEST(FormatFixed, WritesZeroWithoutASign) {
    EXPECT_EQ(FormatFixed(-0.0f, 4), "0.0000");
    EXPECT_EQ(FormatFixed(-0.00001f, 4), "0.0000");
    EXPECT_EQ(FormatFixed(-0.00004999, 4), "0.0000");
    EXPECT_EQ(FormatFixed(FLT_TRUE_MIN, 4), "0.0000");
}

TEST(FormatFixed, WritesTheExtremesOfEachWidthInFull) {
    EXPECT_EQ(FormatFixed(FLT_MAX, 2), "340282300000000000000000000000000000000.00");
    const std::string largest = FormatFixed(-DBL_MAX, 4);
    EXPECT_EQ(largest.substr(0, 16), "-179769313486232");
    EXPECT_EQ(largest.size(), 1 + 309 + 1 + 4);
    EXPECT_EQ(largest.substr(largest.size() - 5), ".0000");
}

TEST(FormatGeneral, DropsTrailingZerosAndKeepsTheWidthsDigits) {
    EXPECT_EQ(FormatGeneral(30.0f / 365.0f), "0.08219178");
    EXPECT_EQ(FormatGeneral(5.0f), "5");
    EXPECT_EQ(FormatGeneral(0.35f), "0.35");
    EXPECT_EQ(FormatGeneral(1.0f / 3.0f), "0.3333333");
    EXPECT_EQ(FormatGeneral(-0.0f), "0");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(ParseNumber<float>(FormatGeneral(1e-5f)).value, 1e-5f);
    EXPECT_EQ(ParseNumber<float>(FormatGeneral(3e20f)).value, 3e20f);
}

TEST(GeneralText, RoundTripsThroughSevenOrFifteenDigits) {
    EXPECT_EQ(Bits(1.0f / 3.0f), 0x3EAAAAABu);
    EXPECT_EQ(Bits(GeneralText<float>(1.0f / 3.0f)), 0x3EAAAAAAu);
    EXPECT_EQ(Bits(GeneralText<float>(5.0f / 100.0f)), 0x3D4CCCCDu);
    EXPECT_EQ(GeneralText<double>(30.0f / 365.0f), 0.08219178);
    EXPECT_EQ(GeneralText<double>(90.0f / 365.0f), 0.2465753);
    EXPECT_EQ(GeneralText<double>(365.0f / 365.0f), 1.0);
}

TEST(RoundViaText, ReadsTheRoundedTextBackIntoTheDestinationWidth) {
    EXPECT_EQ(RoundViaText<float>(0.005f, 2), 0.01f);
    EXPECT_EQ(RoundViaText<float>(-0.005f, 2), -0.01f);
    EXPECT_EQ(RoundViaText<float>(0.00005f, 4), 0.0001f);
    EXPECT_EQ(RoundViaText<double>(2.675, 2), 2.68);
    EXPECT_EQ(RoundViaText<float>(1.9801003, 2), 1.98f);
    EXPECT_EQ(RoundViaText<float>(0.3499925f, 4), 0.35f);
    EXPECT_EQ(Bits(RoundViaText<float>(-0.00001f, 4)), 0u);  // positive zero
}

TEST(ParseNumber, AcceptsPlainDecimalNumbers) {
    EXPECT_EQ(ParseNumber<float>("  1.5 ").value, 1.5f);
    EXPECT_EQ(ParseNumber<float>("+2").value, 2.0f);
    EXPECT_EQ(ParseNumber<float>("-3.25").value, -3.25f);
    EXPECT_EQ(ParseNumber<float>(".5").value, 0.5f);
    EXPECT_EQ(ParseNumber<float>("5.").value, 5.0f);
    EXPECT_EQ(ParseNumber<float>("1e3").value, 1000.0f);
    EXPECT_EQ(ParseNumber<float>("1E-3").value, 0.001f);
    EXPECT_EQ(ParseNumber<double>("\t0.08219178\t").value, 0.08219178);
    EXPECT_TRUE(ParseNumber<float>("-0").Ok());
}

TEST(ParseNumber, ReadsDirectlyIntoTheDestinationWidth) {
    // Through a double this decimal would land on a tie between two singles and go to
    // 1; read directly it is above the tie.
    EXPECT_EQ(Bits(ParseNumber<float>("1.0000000596046447763").value), 0x3F800001u);
    EXPECT_EQ(Bits(ParseNumber<float>("0.1").value), Bits(0.1f));
}

TEST(ParseNumber, RejectsTextThatIsNotAPlainDecimalNumber) {
    for (const char* text : {"",
                             "   ",
                             "inf",
                             "-inf",
                             "nan",
                             "infinity",
                             "0x1p3",
                             "1,5",
                             "1.5x",
                             "1..5",
                             "e5",
                             "1e",
                             "1e+",
                             "+-1",
                             "1 5",
                             "--1",
                             ".",
                             "-",
                             "\xe2\x88\x92"
                             "1",
                             "1\n",
                             "\x01"}) {
        EXPECT_EQ(ParseNumber<float>(text).error, EngineError::NotANumber) << '"' << text << '"';
        EXPECT_EQ(ParseNumber<double>(text).error, EngineError::NotANumber) << '"' << text << '"';
    }
}

TEST(ParseNumber, TellsOverflowFromSilentUnderflow) {
    EXPECT_EQ(ParseNumber<float>("1e39").error, EngineError::OutOfRange);
    EXPECT_EQ(ParseNumber<float>("-3.4028236e38").error, EngineError::OutOfRange);
    EXPECT_TRUE(ParseNumber<double>("1e39").Ok());
    EXPECT_EQ(ParseNumber<double>("-1e400").error, EngineError::OutOfRange);
    EXPECT_EQ(ParseNumber<float>("1" + std::string(10000, '0')).error, EngineError::OutOfRange);
    EXPECT_EQ(ParseNumber<float>("1e99999999999999999999").error, EngineError::OutOfRange);

    const Checked<float> tiny = ParseNumber<float>("-1e-50");
    ASSERT_TRUE(tiny.Ok());
    EXPECT_EQ(Bits(tiny.value), 0x80000000u);
    EXPECT_EQ(ParseNumber<float>("0." + std::string(10000, '0') + "1").value, 0.0f);
    EXPECT_EQ(ParseNumber<double>("1e-99999999999999999999").value, 0.0);
    EXPECT_TRUE(ParseNumber<float>("0e99999999999").Ok());
    EXPECT_EQ(ParseNumber<float>("1e-45").value, FLT_TRUE_MIN);
}

}  // namespace
}  // namespace volantra
