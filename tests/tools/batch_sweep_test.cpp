// --sweep: ranges read in exact decimal, one output row per value, each row priced as
// the same row written out by hand would be.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/batch_run.h"
#include "price_process.h"
#include "worked_examples.h"

namespace volantra {
namespace {

using testing::RunPricer;
using testing::ShownFields;

std::vector<std::string> Texts(const SweepRange& sweep) {
    std::vector<std::string> texts;
    for (std::size_t k = 0; k < sweep.Count(); ++k) {
        texts.push_back(sweep.Text(k));
    }
    return texts;
}

std::vector<std::string> SweptTexts(const std::string& argument) {
    SweepRange sweep;
    std::string error;
    EXPECT_TRUE(ParseSweep(argument, sweep, error)) << argument << ": " << error;
    return Texts(sweep);
}

using Texts_ = std::vector<std::string>;

TEST(ParseSweep, StepsInExactDecimal) {
    EXPECT_EQ(SweptTexts("asset=99.5:100.5:0.25"),
              (Texts_{"99.5", "99.75", "100", "100.25", "100.5"}));
    // Ten steps of 0.1 reach 1 exactly, where adding binary 0.1 ten times would not.
    const Texts_ tenths = SweptTexts("strike=0:1:0.1");
    ASSERT_EQ(tenths.size(), 11u);
    EXPECT_EQ(tenths[3], "0.3");
    EXPECT_EQ(tenths.back(), "1");
    EXPECT_EQ(SweptTexts("dividend_interest=-1:1:0.5"), (Texts_{"-1", "-0.5", "0", "0.5", "1"}));
    EXPECT_EQ(SweptTexts("maturity=30:33"), (Texts_{"30", "31", "32", "33"}));
    EXPECT_EQ(SweptTexts("maturity=30:33:2"), (Texts_{"30", "32"}));  // TO when a step lands on it
    EXPECT_EQ(SweptTexts("dividend=0.05:0.07:0.01"), (Texts_{"0.05", "0.06", "0.07"}));
    EXPECT_EQ(SweptTexts("volatility=10.0:20:5"), (Texts_{"10", "15", "20"}));
    EXPECT_EQ(SweptTexts("interest=0:100:50"), (Texts_{"0", "50", "100"}));
}

TEST(ParseSweep, RejectsBadRangesWithAReason) {
    for (const char* bad :
         {"asset", "asset=1", "asset=1:2:3:4", "screen=1:2", "value=1:2", "speed=1:2", "asset=2:1",
          "asset=1:2:0", "asset=1:2:-1", "asset=a:2", "asset=1e2:300", "asset=1..2:3", "asset=:2",
          "volatility=0:10", "volatility=1:201", "interest=1:10:0.5", "interest=-1:10",
          "asset=0:1000:0.001", "asset=1:1234567890123456"}) {
        SweepRange sweep;
        std::string error;
        EXPECT_FALSE(ParseSweep(bad, sweep, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

// The row priced with the swept value in place is the row priced as written.
TEST(Sweep, EachRowIsPricedAsTheSameRowWrittenOut) {
    BatchOptions options;
    SweepRange sweep;
    std::string error;
    ASSERT_TRUE(ParseSweep("volatility=10:60:5", sweep, error));
    options.sweeps = {sweep};
    const std::string header = "screen,asset,strike,maturity,interest\n";
    std::istringstream in(header + "call,100,100,365,5\nput,50,45,90,6\n");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(PriceBatch(in, out, err, options), BatchStatus::AllValued);

    std::string byHand = "screen,asset,strike,maturity,interest,volatility\n";
    for (const char* row : {"call,100,100,365,5", "put,50,45,90,6"}) {
        for (int v = 10; v <= 60; v += 5) {
            byHand += std::string(row) + "," + std::to_string(v) + "\n";
        }
    }
    std::istringstream handIn(byHand);
    std::ostringstream handOut;
    EXPECT_EQ(PriceBatch(handIn, handOut, err, BatchOptions{}), BatchStatus::AllValued);
    EXPECT_EQ(out.str(), handOut.str());
    EXPECT_NE(out.str().find("call,100,100,365,20,5," + ShownFields("call") + "\n"),
              std::string::npos);
}

TEST(Sweep, ADividendFieldBringsTheDividendColumns) {
    const auto run = RunPricer("--sweep dividend_time=28:32:2",
                               "screen,asset,strike,maturity,volatility,interest,dividend,"
                               "dividend_interest\n"
                               "call,50,45,90,30,6,1,5\n");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string shown = ShownFields("call_with_dividend");
    EXPECT_EQ(run.out,
              "screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,"
              "dividend_time,value,delta,gamma,theta,vega,rho,message\ncall,50,45,90,30,6,1,5,28," +
                  shown + "\ncall,50,45,90,30,6,1,5,30," + shown + "\ncall,50,45,90,30,6,1,5,32," +
                  shown + "\n");
}

TEST(Sweep, WritesDecimalCommasInASemicolonFile) {
    const auto run = RunPricer("--sweep asset=99.5:100:0.5",
                               "screen;strike;maturity;volatility;interest\n"
                               "call;100;365;20;5\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\ncall;99,5;100;365;20;5;"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("\ncall;100;100;365;20;5;" + ShownFields("call", ';', 2)),
              std::string::npos)
        << run.out;
}

TEST(Sweep, ABadRangeIsOneLineOnStandardErrorAndStatusTwo) {
    for (const char* arguments :
         {"--sweep asset=110:90", "--sweep volatility=0:300", "--sweep interest=1:5:0.5",
          "--sweep asset=1:2:0", "--sweep price=1:2", "--sweep", "--sweep asset",
          "--solve volatility --sweep asset=1:2", "--solve speed"}) {
        const auto run = RunPricer(arguments, "screen,asset,strike,maturity,volatility,interest\n");
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_TRUE(run.err.starts_with("volantra-price: ")) << arguments << ": " << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

}  // namespace
}  // namespace volantra
