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
    ASSERT_EQ(along.optionValues.size(),
              static_cast<std::size_t>(BarHighest(bar) - BarLowest(bar) + 1));
    for (std::size_t i = 0; i < along.optionValues.size(); ++i) {
        const int position = along.lowest + static_cast<int>(i);
        (bar == ScrollBar::Volatility ? screen.volatilityPercent : screen.interestPercent) =
            position;
        const CycleOutcome outcome = Recalculate(kind, bar, screen);
        ASSERT_EQ(along.optionValues[i].has_value(), outcome.result.has_value()) << position;
        if (outcome.result) {
            EXPECT_EQ(*along.optionValues[i], outcome.result->optionValue) << position;
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
        EXPECT_EQ(along.optionValues.size(), 200u);
        for (const auto& value : along.optionValues) {
            EXPECT_FALSE(value.has_value());
        }
    }
}

// The result boxes and messages a change list leaves behind, applied in order.
CycleResults Applied(const CycleOutcome& outcome) {
    CycleResults shown;
    for (const ScreenChange& change : outcome.changes) {
        if (const auto* message = std::get_if<ShowMessage>(&change)) {
            shown.messages.push_back(message->text);
        } else if (const auto* result = std::get_if<WriteResult>(&change)) {
            shown.results[result->box] = result->text;
        }
    }
    return shown;
}

TEST(RecalculateResults, ShowsWhatTheChangeListLeavesOnTheScreen) {
    const ScreenInputs reset = WithDividend(Inputs("100", "100", "365", 20, 5), "2", "", "");
    const ScreenInputs rejected = WithDividend(Inputs("1", "100", "365", 20, 5), "2", "5", "73");
    const ScreenInputs screens[] = {Inputs("100", "100", "365", 20, 5),
                                    Inputs("50", "45", "90", 30, 6),
                                    Inputs("", "100", "365", 20, 5),
                                    Inputs("abc", "100", "365", 20, 5),
                                    Inputs("100", "0", "365", 20, 5),
                                    Inputs("1e-38", "1e-38", "0.0003", 1, 0),
                                    reset,
                                    rejected};
    const NumberConventions comma = testing::DecimalComma();
    CycleResults results;  // reused, as a batch reuses it
    for (const NumberConventions& conventions : {NumberConventions{}, comma}) {
        for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
            for (const ScreenInputs& screen : screens) {
                const CycleOutcome outcome =
                    Recalculate(kind, ScrollBar::Interest, screen, conventions);
                Recalculate(kind, ScrollBar::Interest, screen, conventions, results);
                const CycleResults expected = Applied(outcome);
                EXPECT_EQ(results.messages, expected.messages);
                for (ResultBox box : RESULT_BOXES) {
                    EXPECT_EQ(results.results[box], expected.results[box]);
                }
                ASSERT_EQ(results.result.has_value(), outcome.result.has_value());
                if (outcome.result) {
                    EXPECT_EQ(results.result->optionValue, outcome.result->optionValue);
                    EXPECT_EQ(results.inputs->dividendPresentValue,
                              outcome.inputs->dividendPresentValue);
                }
            }
        }
    }
}

TEST(RecalculateResults, MaturityIsTheGeneralTextOfTheSingleQuotient) {
    CycleResults results;
    for (int tenths = 0; tenths <= 40000; tenths += tenths < 100 ? 1 : 7) {
        const std::string days =
            tenths % 10 == 0 ? std::to_string(tenths / 10)
                             : std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
        Recalculate(OptionKind::Call, ScrollBar::Volatility, Inputs("100", "100", days, 20, 5), {},
                    results);
        const float parsed = ParseNumber<float>(days).value;
        ASSERT_TRUE(results.inputs.has_value()) << days;
        EXPECT_EQ(results.inputs->timeToMaturity,
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

// The whole cycle at every position: each worked example's digits where its bar stands,
// and the cycle's own results and messages everywhere, gaps included.
TEST(ResultsAlongBar, IsTheCycleAtEveryPosition) {
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
            const BarResults along = ResultsAlongBar(kind, bar, screen);
            ASSERT_EQ(along.positions.size(),
                      static_cast<std::size_t>(BarHighest(bar) - BarLowest(bar) + 1));
            const auto& shown = along.positions[static_cast<std::size_t>(at - along.lowest)];
            EXPECT_EQ(std::vector<std::string>(shown.results.begin(), shown.results.end()),
                      example.shown);
            ScreenInputs moved = screen;
            for (int position : {BarLowest(bar), at + 1, BarHighest(bar)}) {
                (bar == ScrollBar::Volatility ? moved.volatilityPercent : moved.interestPercent) =
                    position;
                CycleResults cycle;
                Recalculate(kind, bar, moved, {}, cycle);
                const auto& run =
                    along.positions[static_cast<std::size_t>(position - along.lowest)];
                EXPECT_EQ(run.results.items, cycle.results.items) << position;
                EXPECT_EQ(run.messages, cycle.messages) << position;
            }
        }
    }
    const BarResults empty =
        ResultsAlongBar(OptionKind::Put, ScrollBar::Interest, Inputs("", "1", "1", 1, 1));
    EXPECT_EQ(empty.positions.front().messages,
              std::vector<std::string>{std::string(MESSAGE_ENTER_MAIN)});
    EXPECT_TRUE(empty.positions.back().results[ResultBox::Value].empty());
}

TEST(SearchBar, FindsEveryPositionShowingTheValueAsRanges) {
    BarValues along;
    along.lowest = 28;
    along.optionValues = {5.6f, 5.701f, 5.699f, 5.7049f, std::nullopt, 5.8f, 5.7f};
    const BarSearch found = SearchBar(along, 5.70);
    EXPECT_EQ(PositionRanges(found.matches), "29-31 34");
    const BarSearch none = SearchBar(along, 5.78);
    EXPECT_TRUE(none.matches.empty());
    EXPECT_EQ(none.nearest, 33);
    EXPECT_EQ(none.nearestValue, 5.8f);
    EXPECT_EQ(SearchBar(BarValues{1, {std::nullopt}}, 1.0).nearest, std::nullopt);
}

}  // namespace
}  // namespace volantra
