#include "batch/batch_run.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/csv.h"
#include "worked_examples.h"

namespace volantra {
namespace {

using testing::WorkedExampleNamed;

constexpr const char* kHeader =
    "screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,dividend_time\n";

struct BatchRun {
    BatchStatus status;
    std::vector<std::vector<std::string>> rows;  // output records, header first
    std::string errors;
};

BatchRun PriceText(const std::string& input, bool full = false,
                   GreekUnits units = GreekUnits::Screen) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    BatchOptions options = PlainBatchOptions(full);
    options.units = units;
    BatchRun run{PriceBatch(in, out, err, options), {}, err.str()};
    std::istringstream written(out.str());
    CsvReader reader(written);
    std::vector<std::string_view> fields;
    while (reader.Next(fields)) {
        run.rows.emplace_back(fields.begin(), fields.end());
    }
    return run;
}

// Display columns and message of an output row.
std::vector<std::string> ResultsAndMessage(const std::vector<std::string>& row) {
    return {row.begin() + 9, row.begin() + 16};
}

// A worked example's input row, in the columns of kHeader.
std::string InputRow(const testing::WorkedExample& e) {
    return e.screen + ',' + e.asset + ',' + e.strike + ',' + e.maturity + ',' +
           std::to_string(e.volatility) + ',' + std::to_string(e.interest) + ',' + e.dividend +
           ',' + e.dividendInterest + ',' + e.dividendTime;
}

// The results a worked example shows, then the message it shows.
std::vector<std::string> ShownWith(const testing::WorkedExample& e, const std::string& message) {
    std::vector<std::string> shown = e.shown;
    shown.push_back(message);
    return shown;
}

TEST(PriceBatch, PricesGoodRowsAndReportsBadOnesWithoutStopping) {
    const testing::WorkedExample& call = WorkedExampleNamed("call");
    const testing::WorkedExample& put = WorkedExampleNamed("put");
    const testing::WorkedExample& dividend = WorkedExampleNamed("call_with_dividend");
    testing::WorkedExample partialDividend = call;
    partialDividend.dividend = "2";
    partialDividend.dividendInterest = "5";
    const BatchRun run = PriceText(std::string(kHeader) + InputRow(call) + "\r\n" + InputRow(put) +
                                   "\n\n" + InputRow(dividend) +
                                   "\n"
                                   "call,100,abc,365,20,5,,,\n" +
                                   InputRow(partialDividend) +
                                   "\n"
                                   "put,100,100,365,20.5,5,,,\n"
                                   "put,100,100,365,20,101,,,\n"
                                   "swap,100,100,365,20,5,,,\n"
                                   "call,100,100,,20,5,,,\n"
                                   "call,\"1,5\",100,365,20,5,,,\n"
                                   "call,100\n");
    EXPECT_EQ(run.status, BatchStatus::SomeNotValued);
    ASSERT_EQ(run.rows.size(), 12u);
    using Row = std::vector<std::string>;
    EXPECT_EQ(ResultsAndMessage(run.rows[1]), ShownWith(call, ""));
    EXPECT_EQ(ResultsAndMessage(run.rows[2]), ShownWith(put, ""));
    EXPECT_EQ(ResultsAndMessage(run.rows[3]), ShownWith(dividend, ""));
    EXPECT_EQ(ResultsAndMessage(run.rows[4]),
              (Row{"", "", "", "", "", "", "Strike is not a number"}));
    // One dividend column empty: valued without the dividend.
    EXPECT_EQ(ResultsAndMessage(run.rows[5]),
              ShownWith(call, "Enter Dividend,Interest,Time values"));
    EXPECT_EQ(run.rows[6][15], "Volatility must be a whole number from 1 to 200");
    EXPECT_EQ(run.rows[7][15], "Interest must be a whole number from 0 to 100");
    EXPECT_EQ(run.rows[8][15], "Screen must be call or put");
    EXPECT_EQ(run.rows[9][15], "Enter Asset,Strike,Maturity values");
    EXPECT_EQ(run.rows[10][1], "1,5");  // echoed as it came, quoted again
    EXPECT_EQ(run.rows[10][15], "Asset is not a number: use a point as the decimal symbol");
    EXPECT_EQ(run.rows[11][15], "The row has 2 fields instead of 9");
    for (const auto& row : run.rows) {
        EXPECT_EQ(row.size(), 16u);
    }
}

// The header names the inputs, the results and the message by the one table of names.
TEST(PriceBatch, HeaderNamesTheColumnsOfTheSchema) {
    const BatchRun run = PriceText(kHeader);
    ASSERT_EQ(run.rows.size(), 1u);
    std::vector<std::string> names(COLUMN_NAMES.begin(), COLUMN_NAMES.begin() + INPUT_COLUMN_COUNT);
    for (const ResultColumn& result : RESULT_COLUMNS) {
        names.emplace_back(result.name);
    }
    names.emplace_back(MESSAGE_COLUMN);
    EXPECT_EQ(run.rows[0], names);
}

// Traders' units: theta per day and vega and rho per percentage point, each the shown
// number divided and rounded to 4 decimals; the other results as the screen shows them.
TEST(PriceBatch, TraderUnitsDivideTheShownGreeks) {
    std::string input = kHeader;
    for (const testing::WorkedExample& example : testing::WorkedExamples()) {
        input += InputRow(example) + '\n';
    }
    const BatchRun run = PriceText(input, false, GreekUnits::Trader);
    ASSERT_EQ(run.rows.size(), testing::WorkedExamples().size() + 1);
    EXPECT_EQ(std::vector<std::string>(run.rows[0].begin() + 9, run.rows[0].end()),
              (std::vector<std::string>{"value", "delta", "gamma", "theta_per_day",
                                        "vega_per_point", "rho_per_point", "message"}));
    for (std::size_t r = 1; r < run.rows.size(); ++r) {
        const testing::WorkedExample& example = testing::WorkedExamples()[r - 1];
        std::vector<std::string> expected(example.shown.begin(), example.shown.begin() + 3);
        for (auto [box, divisor] : {std::pair{3, 365.0}, {4, 100.0}, {5, 100.0}}) {
            char text[32];
            std::snprintf(text, sizeof text, "%.4f", std::stod(example.shown[box]) / divisor);
            expected.emplace_back(std::string(text) == "-0.0000" ? "0.0000" : text);
        }
        expected.emplace_back();
        EXPECT_EQ(ResultsAndMessage(run.rows[r]), expected) << example.name;
    }
}

TEST(PriceBatch, AcceptsColumnsInAnyOrderAndWritesThemInTheirOwn) {
    const testing::WorkedExample& e = WorkedExampleNamed("call_with_dividend");
    const BatchRun run = PriceText(
        "interest,volatility,maturity,strike,asset,screen,dividend_time,dividend_interest,"
        "dividend\n" +
        std::to_string(e.interest) + ',' + std::to_string(e.volatility) + ',' + e.maturity + ',' +
        e.strike + ',' + e.asset + ',' + e.screen + ',' + e.dividendTime + ',' +
        e.dividendInterest + ',' + e.dividend + '\n');
    EXPECT_EQ(run.status, BatchStatus::AllValued);
    ASSERT_EQ(run.rows.size(), 2u);
    EXPECT_EQ(run.rows[0][0], "screen");
    EXPECT_EQ(run.rows[1][0], e.screen);
    EXPECT_EQ(run.rows[1][1], e.asset);
    EXPECT_EQ(run.rows[1][8], e.dividendTime);
    EXPECT_EQ(ResultsAndMessage(run.rows[1]), ShownWith(e, ""));
}

TEST(PriceBatch, FullAddsEveryFieldInRoundTripPrecision) {
    const BatchRun run =
        PriceText(std::string(kHeader) + InputRow(WorkedExampleNamed("call")) + "\n", true);
    ASSERT_EQ(run.rows.size(), 2u);
    ASSERT_EQ(run.rows[1].size(), 16u + 18u);
    EXPECT_EQ(run.rows[0][16], "full_growthFactor");
    EXPECT_EQ(run.rows[1][16], "1.05126953");           // growth factor, 9 digits
    EXPECT_EQ(run.rows[1][28], "0.37519999999999998");  // the call's double density, 17 digits
    EXPECT_EQ(std::stof(run.rows[1][27]), 10.449121f);
}

TEST(PriceBatch, UnusableInputStopsWithAClearLine) {
    for (const std::string& input :
         {std::string(), std::string("screen,asset\ncall,1\n"),
          std::string("screen,asset,strke,maturity,volatility,interest,dividend,dividend_interest,"
                      "dividend_time\n"),
          std::string("screen,asset,asset,maturity,volatility,interest,dividend,dividend_interest,"
                      "dividend_time\n")}) {
        const BatchRun run = PriceText(input);
        EXPECT_EQ(run.status, BatchStatus::UnusableInput) << input;
        EXPECT_TRUE(run.rows.empty());
        EXPECT_NE(run.errors.find("volantra-price: "), std::string::npos);
    }
}

}  // namespace
}  // namespace volantra
