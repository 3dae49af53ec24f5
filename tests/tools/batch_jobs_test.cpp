// --jobs: rows priced on several threads come out as one thread writes them.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "price_process.h"

namespace volantra {
namespace {

using testing::RunPricer;

// Rows of every kind: valued, rejected, quoted, with dividends, blank lines between.
std::string MixedRows(int count) {
    std::mt19937 random(23);
    std::string input =
        "screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,"
        "dividend_time\n";
    for (int n = 0; n < count; ++n) {
        const std::string asset =
            std::to_string(1 + random() % 300) + "." + std::to_string(random() % 100);
        input += n % 7 == 0 ? "put," : "call,";
        input += n % 13 == 0 ? "\"" + asset + "\"" : n % 29 == 0 ? "x" : asset;
        input += "," + std::to_string(random() % 300) + "," + std::to_string(random() % 2000) +
                 "," + std::to_string(random() % 205) + "," + std::to_string(random() % 103);
        input += n % 4 == 0 ? ",1.5,4," + std::to_string(random() % 90) + "\n" : ",,,\n";
        if (n % 500 == 0) {
            input += "\n";
        }
    }
    return input;
}

TEST(Jobs, SeveralThreadsWriteWhatOneWrites) {
    const std::string input = MixedRows(30000);
    const auto one = RunPricer("--full", input);
    ASSERT_EQ(one.status, 1) << one.err;  // some rows are rejected
    for (const char* jobs : {"--jobs 2", "--jobs 5", "--jobs=0"}) {
        const auto many = RunPricer(std::string("--full ") + jobs, input);
        EXPECT_EQ(many.status, one.status) << jobs;
        EXPECT_TRUE(many.out == one.out) << jobs;
        EXPECT_EQ(many.err, one.err) << jobs;
    }
    const auto sweep = RunPricer("--jobs 3 --sweep interest=0:100:25", input);
    EXPECT_TRUE(sweep.out == RunPricer("--sweep interest=0:100:25", input).out);
}

TEST(Jobs, AnUnclosedQuoteStillEndsAfterTheRowsBeforeIt) {
    const std::string input =
        MixedRows(9000) + "call,\"100,100,365,20,5\n" + "put,1,2,3,4,5\nput,6,7,8,9,10\n";
    const auto one = RunPricer("", input);
    const auto many = RunPricer("--jobs 3", input);
    EXPECT_EQ(one.status, 2);
    EXPECT_EQ(many.status, 2);
    EXPECT_TRUE(many.out == one.out);
    EXPECT_EQ(many.err, one.err);
    EXPECT_NE(one.err.find("never closed"), std::string::npos);
}

TEST(Jobs, ABadCountIsRefused) {
    for (const char* bad : {"--jobs", "--jobs x", "--jobs -1", "--jobs 2000"}) {
        const auto run = RunPricer(bad, "screen,asset,strike,maturity,volatility,interest\n");
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_TRUE(run.err.starts_with("volantra-price: --jobs")) << bad << ": " << run.err;
    }
}

}  // namespace
}  // namespace volantra
