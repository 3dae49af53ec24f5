#include "cycle/recalculation.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "screen_inputs.h"
#include "worked_examples.h"

namespace volantra {
namespace {

using testing::Inputs;
using testing::WithDividend;
using testing::WorkedExample;
using testing::WorkedExampleNamed;

// The screen a cycle leaves behind, read back from its ordered changes.
struct Screen {
    std::vector<std::string> messages;
    std::vector<InputBox> resets;
    std::vector<FocusBox> focus;
    std::vector<WriteValueLabel> valueLabels;
    std::vector<std::string> results;  // in the order written
    std::vector<ResultBox> resultOrder;
};

Screen Apply(const CycleOutcome& outcome) {
    Screen screen;
    for (const ScreenChange& change : outcome.changes) {
        if (const auto* m = std::get_if<ShowMessage>(&change)) {
            screen.messages.push_back(m->text);
        } else if (const auto* r = std::get_if<ResetBox>(&change)) {
            EXPECT_EQ(r->text, "0");
            screen.resets.push_back(r->box);
        } else if (const auto* f = std::get_if<FocusBox>(&change)) {
            screen.focus.push_back(*f);
        } else if (const auto* v = std::get_if<WriteValueLabel>(&change)) {
            screen.valueLabels.push_back(*v);
        } else if (const auto* w = std::get_if<WriteResult>(&change)) {
            screen.results.push_back(w->text);
            screen.resultOrder.push_back(w->box);
        }
    }
    return screen;
}

// A worked example as typed on its screen.
ScreenInputs InputsOf(const WorkedExample& example) {
    const ScreenInputs in = Inputs(example.asset, example.strike, example.maturity,
                                   example.volatility, example.interest);
    return example.HasDividend()
               ? WithDividend(in, example.dividend, example.dividendInterest, example.dividendTime)
               : in;
}

OptionKind KindOf(const WorkedExample& example) {
    return example.IsCall() ? OptionKind::Call : OptionKind::Put;
}

using Results = std::vector<std::string>;
const Results kBlankResults(6, "");

TEST(Recalculate, EmptyRequiredFieldsStopTheCycleBeforeAnyLabel) {
    for (const ScreenInputs& in : {Inputs("", "", "", 1, 1), Inputs("100", "   ", "365", 20, 5),
                                   Inputs("1", "1", "", 1, 1)}) {
        const CycleOutcome outcome = Recalculate(OptionKind::Call, ScrollBar::Interest, in);
        const Screen screen = Apply(outcome);
        EXPECT_EQ(screen.messages, std::vector<std::string>{"Enter Asset,Strike,Maturity values"});
        ASSERT_EQ(screen.focus.size(), 1u);
        EXPECT_EQ(screen.focus[0].box, InputBox::Asset);
        EXPECT_TRUE(screen.valueLabels.empty());
        EXPECT_TRUE(screen.results.empty());
        EXPECT_FALSE(outcome.result.has_value());
    }
}

TEST(Recalculate, BlankBoxesCountAsEmptyWhetherSpacesOrTabs) {
    for (const char* blank : {"   ", "\t", " \t ", "\t\t"}) {
        for (InputBox box : {InputBox::Asset, InputBox::Strike, InputBox::Maturity}) {
            ScreenInputs in = Inputs("100", "100", "365", 20, 5);
            in.boxes[box] = blank;
            const Screen screen = Apply(Recalculate(OptionKind::Put, ScrollBar::Volatility, in));
            EXPECT_EQ(screen.messages,
                      std::vector<std::string>{"Enter Asset,Strike,Maturity values"})
                << static_cast<int>(box);
            EXPECT_TRUE(screen.results.empty());
        }
        for (InputBox box : DIVIDEND_BOXES) {
            ScreenInputs in = WithDividend(Inputs("100", "100", "365", 20, 5), "2", "5", "73");
            in.boxes[box] = blank;
            const Screen screen = Apply(Recalculate(OptionKind::Put, ScrollBar::Volatility, in));
            EXPECT_EQ(screen.messages,
                      std::vector<std::string>{"Enter Dividend,Interest,Time values"})
                << static_cast<int>(box);
            EXPECT_EQ(screen.resets, std::vector<InputBox>{box}) << "only the blank box gets a 0";
        }
    }
}

TEST(Recalculate, WorkedExamplesShowTheirDigitsWhicheverBarMoved) {
    for (const WorkedExample& example : testing::WorkedExamples()) {
        for (ScrollBar moved : {ScrollBar::Volatility, ScrollBar::Interest}) {
            const Screen screen = Apply(Recalculate(KindOf(example), moved, InputsOf(example)));
            EXPECT_TRUE(screen.messages.empty()) << example.name;
            ASSERT_EQ(screen.valueLabels.size(), 1u) << example.name;
            EXPECT_EQ(screen.valueLabels[0].bar, moved);
            EXPECT_EQ(screen.valueLabels[0].text,
                      std::to_string(moved == ScrollBar::Volatility ? example.volatility
                                                                    : example.interest));
            EXPECT_EQ(screen.results, example.shown) << example.name;
            EXPECT_EQ(screen.resultOrder,
                      std::vector<ResultBox>(RESULT_BOXES.begin(), RESULT_BOXES.end()));
        }
    }
}

TEST(Recalculate, TheCallExampleReadsItsBarsAndDaysAsFractionsAndYears) {
    const CycleOutcome outcome =
        Recalculate(OptionKind::Call, ScrollBar::Interest, InputsOf(WorkedExampleNamed("call")));
    ASSERT_TRUE(outcome.inputs.has_value());
    EXPECT_EQ(outcome.inputs->interestRate, 0.05f);
    EXPECT_EQ(outcome.inputs->volatility, 0.2f);
    EXPECT_EQ(outcome.inputs->timeToMaturity, 1.0);
}

TEST(Recalculate, TheDividendExampleValuesWithThePresentValueOfItsDividend) {
    const CycleOutcome outcome = Recalculate(OptionKind::Call, ScrollBar::Volatility,
                                             InputsOf(WorkedExampleNamed("call_with_dividend")));
    ASSERT_TRUE(outcome.result.has_value());
    EXPECT_EQ(outcome.inputs->dividendPresentValue, 1.0f);
    EXPECT_EQ(outcome.result->d1, 0.7454f);
    EXPECT_EQ(outcome.result->d2, 0.5964f);
}

TEST(Recalculate, TheUnmovedBarGivesItsValueButKeepsItsLabel) {
    const CycleOutcome outcome =
        Recalculate(OptionKind::Call, ScrollBar::Volatility, Inputs("100", "100", "30", 20, 1));
    const Screen screen = Apply(outcome);
    ASSERT_EQ(screen.valueLabels.size(), 1u);
    EXPECT_EQ(screen.valueLabels[0].bar, ScrollBar::Volatility);
    EXPECT_EQ(screen.valueLabels[0].text, "20");
    EXPECT_EQ(outcome.inputs->interestRate, 0.01f);
    EXPECT_EQ(outcome.inputs->timeToMaturity, 0.08219178);
}

// The value, delta and rho see the asset less the dividend's present value: 100 with a
// dividend worth 1.98 shows what 98.02 without one shows.
TEST(Recalculate, ADividendLowersTheAssetByItsPresentValue) {
    for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
        const CycleOutcome paying =
            Recalculate(kind, ScrollBar::Interest,
                        WithDividend(Inputs("100", "100", "365", 20, 5), "2", "5", "73"));
        const CycleOutcome lowered =
            Recalculate(kind, ScrollBar::Interest, Inputs("98.02", "100", "365", 20, 5));
        ASSERT_TRUE(paying.result.has_value() && lowered.result.has_value());
        EXPECT_EQ(paying.inputs->dividendPresentValue, 1.98f);
        EXPECT_EQ(paying.result->d1, lowered.result->d1);
        EXPECT_EQ(paying.result->d2, lowered.result->d2);
        const Results shown = Apply(paying).results;
        const Results expected = Apply(lowered).results;
        for (ResultBox box : {ResultBox::Value, ResultBox::Delta, ResultBox::Rho}) {
            const auto i = static_cast<std::size_t>(box);
            EXPECT_EQ(shown[i], expected[i]) << "box " << i;
        }
    }
}

TEST(Recalculate, ValuesBelowTwoCentsShowAsZero) {
    // Walk the asset price down a cent at a time until the call's value falls below 0.02.
    bool sawBelow = false;
    bool sawAtLeast = false;
    for (int cents = 10000; cents > 8000 && !(sawBelow && sawAtLeast); cents -= 1) {
        char asset[16];
        std::snprintf(asset, sizeof asset, "%d.%02d", cents / 100, cents % 100);
        const CycleOutcome outcome =
            Recalculate(OptionKind::Call, ScrollBar::Volatility, Inputs(asset, "100", "30", 10, 1));
        ASSERT_EQ(outcome.inputs->assetPrice, static_cast<float>(cents) / 100.0f) << asset;
        const float value = outcome.result->optionValue;
        const std::string shown = Apply(outcome).results[0];
        if (value < 0.02f) {
            EXPECT_EQ(shown, "0.00") << value;
            sawBelow = true;
        } else if (value < 0.025f) {
            EXPECT_EQ(shown, "0.02") << value;
            sawAtLeast = true;
        }
    }
    EXPECT_TRUE(sawBelow && sawAtLeast);
}

TEST(Recalculate, TextThatIsNotANumberNamesItsBoxAndBlanksTheResults) {
    struct Case {
        ScreenInputs inputs;
        InputBox box;
        std::string message;
    };
    const ScreenInputs good = Inputs("100", "100", "365", 20, 5);
    const Case cases[] = {
        {Inputs("abc", "100", "365", 20, 5), InputBox::Asset, "Asset is not a number"},
        {Inputs("100", "1;5", "365", 20, 5), InputBox::Strike, "Strike is not a number"},
        {Inputs("100", "100", "inf", 20, 5), InputBox::Maturity, "Maturity is not a number"},
        {WithDividend(good, "x", "5", "30"), InputBox::Dividend, "Dividend is not a number"},
        {WithDividend(good, "1", "5%", "30"), InputBox::DividendInterest,
         "Dividend interest is not a number"},
        {WithDividend(good, "1", "5", "nan"), InputBox::DividendTime,
         "Dividend time is not a number"},
        {Inputs("1e39", "100", "365", 20, 5), InputBox::Asset,
         "Asset is too large (the largest is 3.4e+38)"},
        {WithDividend(good, "1", "1e300", "30"), InputBox::DividendInterest,
         "Dividend interest must lie between -3.4e+40 and 3.4e+40"},
        {Inputs("100", "0", "365", 20, 5), InputBox::Strike, "Strike must be greater than 0"},
        {Inputs("100", "-5", "365", 20, 5), InputBox::Strike, "Strike must be greater than 0"},
        {Inputs("100", "100", "0", 20, 5), InputBox::Maturity,
         "Maturity must be greater than 0 days"},
        {Inputs("0", "100", "365", 20, 5), InputBox::Asset, "Asset must be greater than 0"},
        {WithDividend(Inputs("1", "100", "365", 20, 5), "2", "5", "73"), InputBox::Asset,
         "Asset must be greater than the dividend's present value (1.98)"},
        {Inputs("1e-38", "1e-38", "0.0003", 1, 0), InputBox::Asset,
         "These inputs give a result beyond the range of numbers the calculator can hold"},
    };
    for (const Case& c : cases) {
        const Screen screen = Apply(Recalculate(OptionKind::Call, ScrollBar::Interest, c.inputs));
        EXPECT_EQ(screen.messages, std::vector<std::string>{c.message});
        ASSERT_EQ(screen.focus.size(), 1u) << c.message;
        EXPECT_EQ(screen.focus[0].box, c.box) << c.message;
        EXPECT_TRUE(screen.focus[0].selectText);
        EXPECT_EQ(screen.results, kBlankResults) << c.message;
        EXPECT_TRUE(screen.resets.empty());
    }
}

TEST(Recalculate, ReadsAndWritesTheUsersConventions) {
    const NumberConventions comma = testing::DecimalComma();
    const WorkedExample& call = WorkedExampleNamed("call");
    ScreenInputs typed = InputsOf(call);
    const std::string asset = call.asset + ",0";
    typed.boxes[InputBox::Asset] = asset;
    Results withCommas = call.shown;
    for (std::string& text : withCommas) {
        std::replace(text.begin(), text.end(), '.', ',');
    }
    const Screen screen = Apply(Recalculate(OptionKind::Call, ScrollBar::Interest, typed, comma));
    EXPECT_EQ(screen.results, withCommas);
    const Screen rejected =
        Apply(Recalculate(OptionKind::Call, ScrollBar::Interest,
                          WithDividend(Inputs("1", "100", "365", 20, 5), "2", "5", "73"), comma));
    EXPECT_EQ(
        rejected.messages,
        std::vector<std::string>{"Asset must be greater than the dividend's present value (1,98)"});
}

}  // namespace
}  // namespace volantra
