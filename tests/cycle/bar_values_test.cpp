// The cycle's valuation along a bar is the full cycle's at each position.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cycle/along_bar.h"
#include "cycle/recalculation.h"
#include "engine/number_text.h"
#include "screen_inputs.h"
#include "worked_examples.h"

namespace volantra {
namespace {

using testing::Inputs;
using testing::WithDividend;

void ExpectSameAsTheCycle(OptionKind kind, ScrollBar bar, ScreenInputs screen) {
    const BarValues along = ValueAlongBar(kind, bar, screen);
    ASSERT_EQ(along.lowest, BarLowest(bar));
    ASSERT_EQ(along.positions.size(),
              static_cast<std::size_t>(BarHighest(bar) - BarLowest(bar) + 1));
    for (std::size_t i = 0; i < along.positions.size(); ++i) {
        const int position = along.lowest + static_cast<int>(i);
        (bar == ScrollBar::Volatility ? screen.volatilityPercent : screen.interestPercent) =
            position;
        const CycleOutcome outcome = Recalculate(kind, bar, screen);
        ASSERT_EQ(along.positions[i].Ok(), outcome.result.has_value()) << position;
        if (outcome.result) {
            EXPECT_EQ(along.positions[i].value.optionValue, outcome.result->optionValue)
                << position;
        }
    }
}

TEST(ValueAlongBar, IsTheCycleAtEveryPosition) {
    // The bar positions are not read.
    const ScreenInputs dividend = WithDividend(Inputs("50", "45", "90", 7, 77), "1", "5", "30");
    for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
        for (ScrollBar bar : {ScrollBar::Volatility, ScrollBar::Interest}) {
            ExpectSameAsTheCycle(kind, bar, Inputs("100", "100", "365", 20, 5));
            ExpectSameAsTheCycle(kind, bar, dividend);
            // Tiny prices leave the single range at some volatilities only.
            ExpectSameAsTheCycle(kind, bar, Inputs("1e-37", "1e-37", "1", 20, 0));
            ExpectSameAsTheCycle(kind, bar, Inputs("3e-38", "3e-38", "30", 20, 0));
        }
    }
}

TEST(ValueAlongBar, NothingIsValuedWhereTheCycleStopsBeforeTheBars) {
    for (const ScreenInputs& screen :
         {Inputs("", "100", "365", 1, 1), Inputs("100", "x", "365", 1, 1),
          Inputs("100", "0", "365", 1, 1)}) {
        const BarValues along = ValueAlongBar(OptionKind::Call, ScrollBar::Volatility, screen);
        EXPECT_EQ(along.positions.size(), 200u);
        for (const Checked<PricingResult>& valued : along.positions) {
            EXPECT_FALSE(valued.Ok());
        }
    }
}

TEST(InputsOfNumbers, MaturityIsTheGeneralTextOfTheSingleQuotient) {
    for (int tenths = 0; tenths <= 40000; tenths += tenths < 100 ? 1 : 7) {
        const std::string days =
            tenths % 10 == 0 ? std::to_string(tenths / 10)
                             : std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
        const BoxReading reading = ReadBoxes(Inputs("100", "100", days, 20, 5), {});
        const float parsed = ParseNumber<float>(days).value;
        ASSERT_TRUE(reading.Read()) << days;
        EXPECT_EQ(InputsOfNumbers(reading.numbers).inputs.timeToMaturity,
                  GeneralText<double>(static_cast<float>(parsed / 365.0)))
            << days;
    }
}

TEST(ShownValueText, ShowsZeroBelowTwoCents) {
    EXPECT_EQ(ShownValueText(0.0199f), "0.00");
    EXPECT_EQ(ShownValueText(-3.0f), "0.00");
    EXPECT_EQ(ShownValueText(0.02f), "0.02");
    EXPECT_EQ(ShownValueText(5.695f), "5.70");
}

// Each worked example's digits where its bar stands, and the cycle's own results
// elsewhere, gaps included.
TEST(ValueAlongBar, ShowsTheWorkedExamplesWhereTheirBarsStand) {
    for (const testing::WorkedExample& example : testing::WorkedExamples()) {
        ScreenInputs screen = Inputs(example.asset, example.strike, example.maturity,
                                     example.volatility, example.interest);
        if (example.HasDividend()) {
            screen = WithDividend(screen, example.dividend, example.dividendInterest,
                                  example.dividendTime);
        }
        const OptionKind kind = example.IsCall() ? OptionKind::Call : OptionKind::Put;
        for (ScrollBar bar : {ScrollBar::Volatility, ScrollBar::Interest}) {
            SCOPED_TRACE(example.name +
                         (bar == ScrollBar::Volatility ? " volatility" : " interest"));
            const int at = bar == ScrollBar::Volatility ? example.volatility : example.interest;
            const BarValues along = ValueAlongBar(kind, bar, screen);
            ASSERT_EQ(along.positions.size(),
                      static_cast<std::size_t>(BarHighest(bar) - BarLowest(bar) + 1));
            const auto& shown = along.positions[static_cast<std::size_t>(at - along.lowest)];
            ASSERT_TRUE(shown.Ok());
            const ShownTexts texts = ResultTexts(shown.value);
            EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.end()), example.shown);
        }
    }
    const BarValues empty =
        ValueAlongBar(OptionKind::Put, ScrollBar::Interest, Inputs("", "1", "1", 1, 1));
    EXPECT_TRUE(empty.reading.mainEmpty);
    EXPECT_FALSE(empty.positions.back().Ok());
}

TEST(SearchBar, FindsEveryPositionShowingTheValueAsRanges) {
    BarValues along;
    along.lowest = 28;
    for (const std::optional<float> value :
         {std::optional(5.6f), std::optional(5.701f), std::optional(5.699f), std::optional(5.7049f),
          std::optional<float>(), std::optional(5.8f), std::optional(5.7f)}) {
        Checked<PricingResult> valued{{}, value ? EngineError::None : EngineError::OutOfRange};
        valued.value.optionValue = value.value_or(0);
        along.positions.push_back(valued);
    }
    const BarSearch found = SearchBar(along, 5.70);
    EXPECT_EQ(PositionRanges(found.matches), "29-31 34");
    const BarSearch none = SearchBar(along, 5.78);
    EXPECT_TRUE(none.matches.empty());
    EXPECT_EQ(none.nearest, 33);
    EXPECT_EQ(none.nearestValue, 5.8f);
    const BarValues unvalued{1, {}, {{{}, EngineError::OutOfRange}}};
    EXPECT_EQ(SearchBar(unvalued, 1.0).nearest, std::nullopt);
}

}  // namespace
}  // namespace volantra
