// volantra-price end to end on a file named on its command line.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "worked_examples.h"

namespace volantra {
namespace {

using testing::WorkedExampleNamed;

constexpr const char* kHeader =
    "screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,dividend_time\n";

// A worked example's input row, in the columns of kHeader.
std::string InputRow(const testing::WorkedExample& e) {
    return e.screen + ',' + e.asset + ',' + e.strike + ',' + e.maturity + ',' +
           std::to_string(e.volatility) + ',' + std::to_string(e.interest) + ',' + e.dividend +
           ',' + e.dividendInterest + ',' + e.dividendTime;
}

// The installed program end to end: a file argument, the output, the exit status.
TEST(VolantraPrice, RunsOnAFileAndReportsThroughItsExitStatus) {
    const std::string path = ::testing::TempDir() + "volantra_sample.csv";
    const testing::WorkedExample& call = WorkedExampleNamed("call");
    std::ofstream(path) << kHeader << InputRow(call) << "\nput,0,100,365,20,5,,,\n";
    auto run = [](const std::string& command, std::string& out) {
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            out.append(buffer, n);
        }
        return WEXITSTATUS(pclose(pipe));
    };
    std::string out;
    EXPECT_EQ(run(std::string(VOLANTRA_PRICE_PATH) + " " + path, out), 1);
    std::string priced = InputRow(call);
    for (const std::string& shown : call.shown) {
        priced += ',' + shown;
    }
    EXPECT_NE(out.find(priced + ",\n"), std::string::npos) << out;
    EXPECT_NE(out.find(",Asset must be greater than 0\n"), std::string::npos);

    std::string help;
    EXPECT_EQ(run(std::string(VOLANTRA_PRICE_PATH) + " --help", help), 0);
    EXPECT_NE(help.find("theta"), std::string::npos);
    std::string missing;
    EXPECT_EQ(run(std::string(VOLANTRA_PRICE_PATH) + " /nonexistent.csv 2>&1", missing), 2);
    EXPECT_NE(missing.find("cannot open"), std::string::npos);
}

}  // namespace
}  // namespace volantra
