#include "cycle/recalculation.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace volantra {
namespace {

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

ScreenInputs Inputs(std::string_view asset, std::string_view strike, std::string_view maturity,
                    int volatility, int interest) {
    ScreenInputs in;
    in.boxes = {asset, strike, maturity, "", "", ""};
    in.volatilityPercent = volatility;
    in.interestPercent = interest;
    return in;
}

ScreenInputs WithDividend(ScreenInputs in, std::string_view amount, std::string_view rate,
                          std::string_view days) {
    in.dividendTicked = true;
    in.boxes[InputBox::Dividend] = amount;
    in.boxes[InputBox::DividendInterest] = rate;
    in.boxes[InputBox::DividendTime] = days;
    return in;
}

using Results = std::vector<std::string>;
const Results kBlank(6, "");

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

TEST(Recalculate, CallWithoutDividendShowsTheWorkedExample) {
    const CycleOutcome outcome =
        Recalculate(OptionKind::Call, ScrollBar::Interest, Inputs("100", "100", "365", 20, 5));
    const Screen screen = Apply(outcome);
    EXPECT_TRUE(screen.messages.empty());
    ASSERT_EQ(screen.valueLabels.size(), 1u);
    EXPECT_EQ(screen.valueLabels[0].bar, ScrollBar::Interest);
    EXPECT_EQ(screen.valueLabels[0].text, "5");
    EXPECT_EQ(screen.results,
              (Results{"10.45", "0.6368", "0.0188", "-6.4135", "37.5200", "53.2309"}));
    EXPECT_EQ(screen.resultOrder,
              (std::vector<ResultBox>{ResultBox::Value, ResultBox::Delta, ResultBox::Gamma,
                                      ResultBox::Theta, ResultBox::Vega, ResultBox::Rho}));
    EXPECT_EQ(outcome.inputs->interestRate, 0.05f);
    EXPECT_EQ(outcome.inputs->volatility, 0.2f);
    EXPECT_EQ(outcome.inputs->timeToMaturity, 1.0);
}

TEST(Recalculate, PutShowsItsOwnValuation) {
    const Screen screen = Apply(
        Recalculate(OptionKind::Put, ScrollBar::Volatility, Inputs("100", "100", "365", 20, 5)));
    EXPECT_EQ(screen.valueLabels[0].text, "20");
    EXPECT_EQ(screen.results,
              (Results{"5.57", "-0.3632", "0.0188", "-1.6578", "37.5241", "-41.8922"}));
}

TEST(Recalculate, CallWithDividendShowsTheWorkedExample) {
    const CycleOutcome outcome =
        Recalculate(OptionKind::Call, ScrollBar::Volatility,
                    WithDividend(Inputs("50", "45", "90", 30, 6), "1", "5", "30"));
    const Screen screen = Apply(outcome);
    EXPECT_TRUE(screen.messages.empty());
    EXPECT_EQ(outcome.inputs->dividendPresentValue, 1.0f);
    EXPECT_EQ(outcome.result->d1, 0.7454f);
    EXPECT_EQ(outcome.result->d2, 0.5964f);
    EXPECT_EQ(screen.results, (Results{"5.70", "0.7720", "0.0406", "-6.4918", "7.5031", "7.9209"}));
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

TEST(Recalculate, DividendLowersTheAssetByItsPresentValue) {
    const CycleOutcome outcome =
        Recalculate(OptionKind::Call, ScrollBar::Interest,
                    WithDividend(Inputs("100", "100", "365", 20, 5), "2", "5", "73"));
    EXPECT_EQ(outcome.inputs->dividendPresentValue, 1.98f);
    EXPECT_EQ(outcome.result->moneyness,
              static_cast<float>((100.0 - 1.98f) * outcome.result->growthFactor / 100.0));
}

TEST(Recalculate, ValuesBelowTwoCentsShowAsZero) {
    // Walk the asset price down until the call's value falls below 0.02.
    bool sawBelow = false;
    bool sawAtLeast = false;
    for (int cents = 10000; cents > 8000 && !(sawBelow && sawAtLeast); cents -= 1) {
        const std::string asset = std::to_string(cents / 100) + "." + std::to_string(cents % 100);
        const CycleOutcome outcome =
            Recalculate(OptionKind::Call, ScrollBar::Volatility, Inputs(asset, "100", "30", 10, 1));
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
        EXPECT_EQ(screen.results, kBlank) << c.message;
        EXPECT_TRUE(screen.resets.empty());
    }
}

TEST(Recalculate, ReadsAndWritesTheUsersConventions) {
    NumberConventions comma;
    comma.toCanonical = [](std::string_view text) {
        std::string canonical(text);
        std::replace(canonical.begin(), canonical.end(), ',', '.');
        return canonical;
    };
    comma.fromCanonical = [](std::string_view text) {
        std::string local(text);
        std::replace(local.begin(), local.end(), '.', ',');
        return local;
    };
    const Screen screen = Apply(Recalculate(OptionKind::Call, ScrollBar::Interest,
                                            Inputs("100,0", "100", "365", 20, 5), comma));
    EXPECT_EQ(screen.results,
              (Results{"10,45", "0,6368", "0,0188", "-6,4135", "37,5200", "53,2309"}));
    const Screen rejected =
        Apply(Recalculate(OptionKind::Call, ScrollBar::Interest,
                          WithDividend(Inputs("1", "100", "365", 20, 5), "2", "5", "73"), comma));
    EXPECT_EQ(
        rejected.messages,
        std::vector<std::string>{"Asset must be greater than the dividend's present value (1,98)"});
}

}  // namespace
}  // namespace volantra
