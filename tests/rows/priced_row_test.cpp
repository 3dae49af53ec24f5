// A row priced or solved from its texts shows what the screen shows for them.
#include "rows/priced_row.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cycle/recalculation.h"
#include "rows/solved_row.h"
#include "screen_inputs.h"
#include "worked_examples.h"

namespace volantra {
namespace {

using testing::Inputs;
using testing::WithDividend;
using testing::WorkedExample;

// A worked example as a row's fields; `positions` holds the texts of its bars.
RowFields FieldsOf(const WorkedExample& example, std::array<std::string, 2>& positions) {
    positions = {std::to_string(example.volatility), std::to_string(example.interest)};
    RowFields fields;
    fields[Column::Screen] = example.screen;
    fields[Column::Asset] = example.asset;
    fields[Column::Strike] = example.strike;
    fields[Column::Maturity] = example.maturity;
    fields[Column::Volatility] = positions[0];
    fields[Column::Interest] = positions[1];
    fields[Column::Dividend] = example.dividend;
    fields[Column::DividendInterest] = example.dividendInterest;
    fields[Column::DividendTime] = example.dividendTime;
    return fields;
}

std::vector<std::string> Texts(const PricingResult& result, const NumberConventions& in = {}) {
    const ShownTexts texts = ResultTexts(result, in);
    return {texts.begin(), texts.end()};
}

TEST(PriceRow, ShowsEachWorkedExample) {
    for (const WorkedExample& example : testing::WorkedExamples()) {
        SCOPED_TRACE(example.name);
        std::array<std::string, 2> positions;
        PricedRow row;
        PriceRow(FieldsOf(example, positions), {}, row);
        ASSERT_TRUE(row.ValuedAsGiven()) << row.message;
        EXPECT_EQ(Texts(*row.valued), example.shown);
        const ShownResults numbers = ResultNumbers(*row.valued);
        for (std::size_t box = 0; box < example.shown.size(); ++box) {
            EXPECT_EQ(numbers.items[box], std::stod(example.shown[box]));
        }
    }
}

// The lowest position that shows the example's value, and the example's own among them.
TEST(SolveRow, FindsEachWorkedExamplesVolatility) {
    for (const WorkedExample& example : testing::WorkedExamples()) {
        SCOPED_TRACE(example.name);
        std::array<std::string, 2> positions;
        RowFields fields = FieldsOf(example, positions);
        fields[Column::Volatility] = {};
        fields[Column::Target] = example.shown[0];
        SolvedRow solved;
        SolveRow(ScrollBar::Volatility, fields, {}, solved);
        ASSERT_TRUE(solved.position.has_value()) << solved.priced.message;
        EXPECT_LE(*solved.position, example.volatility);
        EXPECT_NE(solved.matches.find(std::to_string(*solved.position)), std::string::npos);
        EXPECT_EQ(Texts(*solved.priced.valued)[0], example.shown[0]);
    }
}

TEST(SolveRow, NamesTheNearestPositionWhereNoneShowsTheValue) {
    std::array<std::string, 2> positions;
    RowFields fields = FieldsOf(testing::WorkedExamples().front(), positions);
    fields[Column::Volatility] = {};
    fields[Column::Target] = "1000";
    SolvedRow solved;
    SolveRow(ScrollBar::Volatility, fields, {}, solved);
    EXPECT_FALSE(solved.position.has_value());
    EXPECT_FALSE(solved.priced.valued.has_value());
    EXPECT_EQ(solved.priced.message.rfind(
                  "No volatility from 1 to 200 shows 1000; the nearest is 200,", 0),
              0U)
        << solved.priced.message;
}

// What the screen's change list leaves in the result boxes and the messages it shows.
struct Shown {
    std::vector<std::string> results = std::vector<std::string>(ENUM_COUNT<ResultBox>);
    std::string messages;
};

Shown Applied(const CycleOutcome& outcome) {
    Shown shown;
    for (const ScreenChange& change : outcome.changes) {
        if (const auto* message = std::get_if<ShowMessage>(&change)) {
            AddMessage(shown.messages, message->text);
        } else if (const auto* result = std::get_if<WriteResult>(&change)) {
            shown.results[static_cast<std::size_t>(result->box)] = result->text;
        }
    }
    return shown;
}

// The screen and a row run the same three stages; each adds only its own changes.
TEST(PriceScreen, ShowsWhatTheScreensChangeListLeaves) {
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
    PricedRow row;  // reused, as a batch reuses it
    for (const NumberConventions& conventions : {NumberConventions{}, DecimalCommaConventions()}) {
        for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
            for (const ScreenInputs& screen : screens) {
                const Shown expected =
                    Applied(Recalculate(kind, ScrollBar::Interest, screen, conventions));
                row.message.clear();
                PriceScreen(kind, screen, conventions, row);
                EXPECT_EQ(row.message, expected.messages);
                EXPECT_EQ(row.valued ? Texts(*row.valued, conventions)
                                     : std::vector<std::string>(ENUM_COUNT<ResultBox>),
                          expected.results);
            }
        }
    }
}

}  // namespace
}  // namespace volantra
