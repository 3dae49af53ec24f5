// The dividend row with an empty box: one message, a 0 in each empty box only, and a
// cycle that completes with a dividend of 0.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cycle/recalculation.h"
#include "screen_inputs.h"
#include "worked_examples.h"

namespace volantra {
namespace {

using testing::WorkedExampleNamed;

// The call example without a dividend, with the dividend row ticked and filled so.
ScreenInputs Ticked(std::string_view amount, std::string_view rate, std::string_view days) {
    const testing::WorkedExample& call = WorkedExampleNamed("call");
    return testing::WithDividend(
        testing::Inputs(call.asset, call.strike, call.maturity, call.volatility, call.interest),
        amount, rate, days);
}

const std::vector<std::string>& WithoutDividend() {
    return WorkedExampleNamed("call").shown;
}

struct Seen {
    std::vector<std::string> messages;
    std::vector<ResetBox> resets;
    std::vector<std::string> results;
};

Seen Cycle(const ScreenInputs& in) {
    Seen seen;
    for (const ScreenChange& change :
         Recalculate(OptionKind::Call, ScrollBar::Volatility, in).changes) {
        if (const auto* m = std::get_if<ShowMessage>(&change)) {
            seen.messages.push_back(m->text);
        } else if (const auto* r = std::get_if<ResetBox>(&change)) {
            seen.resets.push_back(*r);
        } else if (const auto* w = std::get_if<WriteResult>(&change)) {
            seen.results.push_back(w->text);
        }
    }
    return seen;
}

std::vector<InputBox> BoxesOf(const std::vector<ResetBox>& resets) {
    std::vector<InputBox> boxes;
    for (const ResetBox& reset : resets) {
        EXPECT_EQ(reset.text, "0");
        boxes.push_back(reset.box);
    }
    return boxes;
}

TEST(DividendReset, OnlyTheEmptyBoxGetsAZeroAndTheTypedOnesStay) {
    const Seen seen = Cycle(Ticked("", "5", "30"));
    EXPECT_EQ(seen.messages, std::vector<std::string>{std::string(MESSAGE_ENTER_DIVIDEND)});
    EXPECT_EQ(BoxesOf(seen.resets), std::vector<InputBox>{InputBox::Dividend});
    EXPECT_EQ(seen.results, WithoutDividend());
}

TEST(DividendReset, BoxesOfSpacesCountAsEmptyAndEachGetsAZero) {
    const Seen seen = Cycle(Ticked("  ", "5", "\t"));
    EXPECT_EQ(seen.messages.size(), 1u);
    EXPECT_EQ(BoxesOf(seen.resets),
              (std::vector<InputBox>{InputBox::Dividend, InputBox::DividendTime}));
}

TEST(DividendReset, AllThreeEmptyGetAZero) {
    const Seen seen = Cycle(Ticked("", "", ""));
    EXPECT_EQ(seen.messages.size(), 1u);
    EXPECT_EQ(BoxesOf(seen.resets),
              (std::vector<InputBox>{InputBox::Dividend, InputBox::DividendInterest,
                                     InputBox::DividendTime}));
    EXPECT_EQ(seen.results, WithoutDividend());
}

// An empty time would discount nothing: the typed dividend of 2 must still not count.
TEST(DividendReset, TheCycleGoesOnWithADividendOfZero) {
    const ScreenInputs in = Ticked("2", "5", "");
    const CycleOutcome outcome = Recalculate(OptionKind::Call, ScrollBar::Volatility, in);
    ASSERT_TRUE(outcome.inputs.has_value());
    EXPECT_EQ(outcome.inputs->dividendPresentValue, 0.0f);
    const Seen seen = Cycle(in);
    EXPECT_EQ(BoxesOf(seen.resets), std::vector<InputBox>{InputBox::DividendTime});
    EXPECT_EQ(seen.results, WithoutDividend());
}

TEST(DividendReset, TheMessageComesBeforeTheZeros) {
    const CycleOutcome outcome =
        Recalculate(OptionKind::Call, ScrollBar::Volatility, Ticked("1", "", ""));
    std::vector<std::size_t> messageAt;
    std::vector<std::size_t> resetAt;
    for (std::size_t i = 0; i < outcome.changes.size(); ++i) {
        if (std::holds_alternative<ShowMessage>(outcome.changes[i])) {
            messageAt.push_back(i);
        } else if (std::holds_alternative<ResetBox>(outcome.changes[i])) {
            resetAt.push_back(i);
        }
    }
    ASSERT_EQ(messageAt.size(), 1u);
    ASSERT_EQ(resetAt.size(), 2u);
    EXPECT_LT(messageAt[0], resetAt[0]);
}

TEST(DividendReset, AFilledRowIsNeitherReportedNorReset) {
    const Seen seen = Cycle(Ticked("2", "5", "73"));
    EXPECT_TRUE(seen.messages.empty());
    EXPECT_TRUE(seen.resets.empty());
}

}  // namespace
}  // namespace volantra
