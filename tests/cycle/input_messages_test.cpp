// Messages about a number that cannot be used say what to type instead.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cycle/recalculation.h"
#include "screen_inputs.h"

namespace volantra {
namespace {

ScreenInputs Main(std::string_view asset, std::string_view strike, std::string_view maturity) {
    return testing::Inputs(asset, strike, maturity, 20, 5);
}

std::vector<std::string> Messages(const ScreenInputs& in, const NumberConventions& c = {}) {
    std::vector<std::string> messages;
    for (const ScreenChange& change :
         Recalculate(OptionKind::Call, ScrollBar::Interest, in, c).changes) {
        if (const auto* m = std::get_if<ShowMessage>(&change)) {
            messages.push_back(m->text);
        }
    }
    return messages;
}

using Texts = std::vector<std::string>;

NumberConventions Comma() {
    NumberConventions comma = testing::DecimalComma();
    // A comma locale that groups with points: "1.000,5"; a lone point is misplaced.
    comma.toCanonical = [](std::string_view text) {
        std::string canonical(text);
        const auto point = canonical.find('.');
        if (point != std::string::npos && canonical.size() - point != 4 &&
            canonical.find(',') == std::string::npos) {
            return std::string("?");
        }
        canonical.erase(std::remove(canonical.begin(), canonical.end(), '.'), canonical.end());
        std::replace(canonical.begin(), canonical.end(), ',', '.');
        return canonical;
    };
    return comma;
}

TEST(InputMessages, APositiveInputBeyondTheSingleRangeNamesItsLargestValue) {
    EXPECT_EQ(Messages(Main("100", "1e39", "365")),
              Texts{"Strike is too large (the largest is 3.4e+38)"});
    EXPECT_EQ(Messages(Main("1e39", "100", "365")),
              Texts{"Asset is too large (the largest is 3.4e+38)"});
    EXPECT_EQ(Messages(Main("100", "100", std::string(60, '9'))),
              Texts{"Maturity is too large (the largest is 3.4e+38)"});
    EXPECT_EQ(Messages(Main("100", "1e39", "365"), Comma()),
              Texts{"Strike is too large (the largest is 3,4e+38)"});
}

TEST(InputMessages, ANegativeInputBeyondTheRangeIsToldToBePositive) {
    EXPECT_EQ(Messages(Main("100", "-1e39", "365")), Texts{"Strike must be greater than 0"});
    EXPECT_EQ(Messages(Main("100", "100", "-1e39")), Texts{"Maturity must be greater than 0 days"});
}

TEST(InputMessages, ADividendRateBeyondTheRangeKeepsBothLimits) {
    ScreenInputs in = Main("100", "100", "365");
    in.dividendTicked = true;
    in.boxes[InputBox::Dividend] = "1e39";
    in.boxes[InputBox::DividendInterest] = "5";
    in.boxes[InputBox::DividendTime] = "30";
    EXPECT_EQ(Messages(in), Texts{"Dividend must lie between -3.4e+38 and 3.4e+38"});
}

TEST(InputMessages, ACommaWhereThePointIsTheDecimalSymbolGetsAHint) {
    EXPECT_EQ(Messages(Main("1,5", "100", "365")),
              Texts{"Asset is not a number: use a point as the decimal symbol"});
    EXPECT_EQ(Messages(Main("100", "100", "36,5")),
              Texts{"Maturity is not a number: use a point as the decimal symbol"});
}

TEST(InputMessages, APointWhereTheCommaIsTheDecimalSymbolGetsAHint) {
    EXPECT_EQ(Messages(Main("100.5", "100", "365"), Comma()),
              Texts{"Asset is not a number: use a comma as the decimal symbol"});
}

TEST(InputMessages, TextThatNoSymbolMendsGetsNoHint) {
    EXPECT_EQ(Messages(Main("abc", "100", "365")), Texts{"Asset is not a number"});
    EXPECT_EQ(Messages(Main("1,5x", "100", "365")), Texts{"Asset is not a number"});
    EXPECT_EQ(Messages(Main("1.5,5", "100", "365")), Texts{"Asset is not a number"});
    EXPECT_EQ(Messages(Main("1,5", "100", "365"), Comma()), Texts{});
}

}  // namespace
}  // namespace volantra
