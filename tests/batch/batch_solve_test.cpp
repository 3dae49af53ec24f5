// --solve: the positions of a bar whose shown value equals a given one, checked against
// plain pricing of the same rows at every position.
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/batch_run.h"
#include "batch/csv.h"
#include "worked_examples.h"

namespace volantra {
namespace {

struct Table {
    BatchStatus status;
    std::vector<std::vector<std::string>> rows;  // header first
    std::string errors;

    // The field of row `r` under the header name `column`.
    const std::string& At(std::size_t r, const std::string& column) const {
        for (std::size_t c = 0; c < rows[0].size(); ++c) {
            if (rows[0][c] == column) {
                return rows.at(r).at(c);
            }
        }
        ADD_FAILURE() << "no column " << column;
        static const std::string none;
        return none;
    }
};

Table PriceTable(const std::string& input, const BatchOptions& options) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Table table{PriceBatch(in, out, err, options), {}, err.str()};
    std::istringstream written(out.str());
    CsvReader reader(written, options.delimiter == 0 ? ',' : options.delimiter);
    std::vector<std::string_view> fields;
    while (reader.Next(fields)) {
        table.rows.emplace_back(fields.begin(), fields.end());
    }
    return table;
}

BatchOptions Solving(ScrollBar bar) {
    BatchOptions options;
    options.solve = bar;
    return options;
}

// "29-31 40" as {29, 30, 31, 40}.
std::set<int> Positions(const std::string& ranges) {
    std::set<int> positions;
    std::istringstream words(ranges);
    for (std::string word; words >> word;) {
        const std::size_t dash = word.find('-');
        const int first = std::stoi(word.substr(0, dash));
        const int last = dash == std::string::npos ? first : std::stoi(word.substr(dash + 1));
        EXPECT_LE(first, last) << ranges;
        for (int p = first; p <= last; ++p) {
            positions.insert(p);
        }
    }
    return positions;
}

// Plain pricing of `row` (a line of `header`, the bar column last) at every position.
Table AlongBar(const std::string& header, const std::string& row, ScrollBar bar) {
    std::string input =
        header + "," + (bar == ScrollBar::Volatility ? "volatility" : "interest") + "\n";
    for (int p = BarLowest(bar); p <= BarHighest(bar); ++p) {
        input += row + "," + std::to_string(p) + "\n";
    }
    Table table = PriceTable(input, BatchOptions{});
    EXPECT_EQ(table.rows.size(), static_cast<std::size_t>(BarHighest(bar) - BarLowest(bar) + 2));
    return table;
}

std::vector<std::string> ShownAlongBar(const std::string& header, const std::string& row,
                                       ScrollBar bar) {
    const Table table = AlongBar(header, row, bar);
    std::vector<std::string> shown;
    for (std::size_t r = 1; r < table.rows.size(); ++r) {
        shown.push_back(table.At(r, "value"));
    }
    return shown;
}

const std::vector<std::string> kResults = [] {
    std::vector<std::string> names;
    for (const ResultColumn& result : RESULT_COLUMNS) {
        names.emplace_back(result.name);
    }
    names.emplace_back(MESSAGE_COLUMN);
    return names;
}();

// The solved row's results are plain pricing's at the position written in the bar column.
void ExpectResultsOfThePositionWritten(const Table& solved, std::size_t r, const Table& along,
                                       ScrollBar bar) {
    const std::string column = bar == ScrollBar::Volatility ? "volatility" : "interest";
    const int position = std::stoi(solved.At(r, column));
    const std::size_t row = static_cast<std::size_t>(position - BarLowest(bar)) + 1;
    ASSERT_EQ(along.At(row, column), solved.At(r, column));
    for (const std::string& result : kResults) {
        EXPECT_EQ(solved.At(r, result), along.At(row, result)) << result;
    }
}

void ExpectMatchesArePlainPricing(const Table& solved, const std::string& value, const Table& along,
                                  int lowest) {
    std::set<int> expected;
    for (std::size_t r = 1; r < along.rows.size(); ++r) {
        if (along.At(r, "value") == value) {
            expected.insert(lowest + static_cast<int>(r) - 1);
        }
    }
    EXPECT_EQ(Positions(solved.At(1, "matches")), expected);
}

TEST(Solve, TheDividendExampleSolvesToVolatilityThirty) {
    const std::string value = testing::WorkedExampleNamed("call_with_dividend").shown[0];
    const Table table = PriceTable(
        "screen,asset,strike,maturity,interest,value,dividend,dividend_interest,dividend_time\n"
        "call,50,45,90,6," +
            value + ",1,5,30\n",
        Solving(ScrollBar::Volatility));
    EXPECT_EQ(table.status, BatchStatus::AllValued);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_TRUE(Positions(table.At(1, "matches")).contains(30));
    const Table along =
        AlongBar("screen,asset,strike,maturity,interest,dividend,dividend_interest,dividend_time",
                 "call,50,45,90,6,1,5,30", ScrollBar::Volatility);
    ExpectMatchesArePlainPricing(table, value, along, 1);
    // The bar's column holds the lowest match, with the results shown there.
    EXPECT_EQ(table.At(1, "volatility"),
              std::to_string(*Positions(table.At(1, "matches")).begin()));
    EXPECT_EQ(table.At(1, "value"), value);
    ExpectResultsOfThePositionWritten(table, 1, along, ScrollBar::Volatility);
    EXPECT_EQ(table.At(1, "message"), "");
}

TEST(Solve, InterestOfTheWorkedExamples) {
    const std::string value = testing::WorkedExampleNamed("call").shown[0];
    const Table table =
        PriceTable("screen,asset,strike,maturity,volatility,value\ncall,100,100,365,20," + value +
                       "\nput,100,100,365,20," + testing::WorkedExampleNamed("put").shown[0] + "\n",
                   Solving(ScrollBar::Interest));
    EXPECT_EQ(table.status, BatchStatus::AllValued);
    ASSERT_EQ(table.rows.size(), 3u);
    for (std::size_t r : {1u, 2u}) {
        EXPECT_TRUE(Positions(table.At(r, "matches")).contains(5)) << table.At(r, "matches");
    }
    const Table call = AlongBar("screen,asset,strike,maturity,volatility", "call,100,100,365,20",
                                ScrollBar::Interest);
    ExpectMatchesArePlainPricing(table, value, call, 0);
    ExpectResultsOfThePositionWritten(table, 1, call, ScrollBar::Interest);
    const Table put = AlongBar("screen,asset,strike,maturity,volatility", "put,100,100,365,20",
                               ScrollBar::Interest);
    ExpectResultsOfThePositionWritten(table, 2, put, ScrollBar::Interest);
}

TEST(Solve, EveryShownValueOfAPutSolvesBackToItsPosition) {
    const std::vector<std::string> shown = ShownAlongBar("screen,asset,strike,maturity,interest",
                                                         "put,80,95,200,3", ScrollBar::Volatility);
    std::string input = "screen,asset,strike,maturity,interest,value\n";
    for (const std::string& value : shown) {
        input += "put,80,95,200,3," + value + "\n";
    }
    const Table table = PriceTable(input, Solving(ScrollBar::Volatility));
    ASSERT_EQ(table.rows.size(), shown.size() + 1);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const std::set<int> matches = Positions(table.At(i + 1, "matches"));
        EXPECT_TRUE(matches.contains(static_cast<int>(i) + 1)) << shown[i];
        for (int p : matches) {
            EXPECT_EQ(shown[static_cast<std::size_t>(p - 1)], shown[i]);
        }
        EXPECT_EQ(table.At(i + 1, "value"), shown[i]);
    }
}

TEST(Solve, AValueNoPositionShowsNamesTheNearest) {
    const std::vector<std::string> shown = ShownAlongBar(
        "screen,asset,strike,maturity,interest", "call,100,100,365,5", ScrollBar::Volatility);
    const Table table = PriceTable(
        "screen,asset,strike,maturity,interest,value\n"
        "call,100,100,365,5,1000\n"
        "call,100,100,365,5,0.5\n",
        Solving(ScrollBar::Volatility));
    EXPECT_EQ(table.status, BatchStatus::SomeNotValued);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.At(1, "message"),
              "No volatility from 1 to 200 shows 1000; the nearest is 200, "
              "which shows " +
                  shown.back());
    EXPECT_EQ(
        table.At(2, "message"),
        "No volatility from 1 to 200 shows 0.5; the nearest is 1, which shows " + shown.front());
    for (std::size_t r : {1u, 2u}) {
        EXPECT_EQ(table.At(r, "matches"), "");
        EXPECT_EQ(table.At(r, "volatility"), "");
        EXPECT_EQ(table.At(r, "value"), "");
    }
}

TEST(Solve, ABarAlreadySetOrAMissingValueIsReportedOnItsRow) {
    const std::string value = testing::WorkedExampleNamed("call").shown[0];
    const Table table = PriceTable(
        "screen,asset,strike,maturity,volatility,interest,value\ncall,100,100,365,20,5," + value +
            "\ncall,100,100,365,,5,\ncall,100,100,365,,5,ten\ncall,100,0,365,,5," + value +
            "\ncall,100,100,365,,5," + value + "\n",
        Solving(ScrollBar::Volatility));
    EXPECT_EQ(table.status, BatchStatus::SomeNotValued);
    ASSERT_EQ(table.rows.size(), 6u);
    EXPECT_EQ(table.At(1, "message"), "Volatility is what --solve finds: leave its column empty");
    EXPECT_EQ(table.At(1, "value"), "");
    EXPECT_EQ(table.At(2, "message"), "Value is needed: the option value to solve for");
    EXPECT_EQ(table.At(3, "message"), "Value is not a number");
    EXPECT_EQ(table.At(4, "message"), "Strike must be greater than 0");
    EXPECT_EQ(table.At(5, "message"), "");
    EXPECT_EQ(table.At(5, "value"), value);
}

TEST(Solve, TheValueColumnIsReadOnlyWhenSolving) {
    const Table plain = PriceTable("screen,asset,strike,maturity,volatility,interest,value\n", {});
    EXPECT_EQ(plain.status, BatchStatus::UnusableInput);
    EXPECT_NE(plain.errors.find("--solve"), std::string::npos);
    const Table missing =
        PriceTable("screen,asset,strike,maturity,interest\n", Solving(ScrollBar::Volatility));
    EXPECT_EQ(missing.status, BatchStatus::UnusableInput);
    EXPECT_EQ(missing.errors,
              "volantra-price: --solve needs a value column: the option value the screen shows\n");
}

TEST(Solve, ReadsAndWritesTheDecimalCommaOfSemicolonFiles) {
    BatchOptions options = Solving(ScrollBar::Volatility);
    options.delimiter = ';';
    const Table table = PriceTable(
        "screen;asset;strike;maturity;interest;value;dividend;dividend_interest;dividend_time\n"
        "call;50;45;90;6;" +
            testing::ShownFields("call_with_dividend", ';', 1) + "1;5;30\n",
        options);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_TRUE(Positions(table.At(1, "matches")).contains(30));
    EXPECT_EQ(table.At(1, "value") + ";", testing::ShownFields("call_with_dividend", ';', 1));
}

}  // namespace
}  // namespace volantra
