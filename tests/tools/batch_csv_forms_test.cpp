// The CSV forms spreadsheets write, end to end through the built program.
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "price_process.h"

namespace volantra {
namespace {

using testing::RunPricer;

constexpr const char* kWorkedCall = "10.45,0.6368,0.0188,-6.4135,37.5200,53.2309,";

TEST(CsvForms, AByteOrderMarkIsSkipped) {
    const auto run = RunPricer("",
                               "\xEF\xBB\xBFscreen,asset,strike,maturity,volatility,interest\r\n"
                               "call,100,100,365,20,5\r\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "screen,asset,strike,maturity,volatility,interest,value,delta,gamma,theta,"
              "vega,rho,message\n"
              "call,100,100,365,20,5," +
                  std::string(kWorkedCall) + "\n");
}

TEST(CsvForms, TheDividendColumnsMayBeLeftOut) {
    const auto without = RunPricer("",
                                   "asset,strike,maturity,volatility,interest,screen\n"
                                   "100,100,365,20,5,call\n");
    EXPECT_EQ(without.status, 0) << without.err;
    EXPECT_NE(without.out.find("\ncall,100,100,365,20,5," + std::string(kWorkedCall) + "\n"),
              std::string::npos)
        << without.out;
    // One dividend column brings all three back, the missing ones empty.
    const auto partial = RunPricer("",
                                   "screen,asset,strike,maturity,volatility,interest,dividend\n"
                                   "call,100,100,365,20,5,\n"
                                   "call,100,100,365,20,5,2\n");
    EXPECT_EQ(partial.status, 1) << partial.err;  // the dividend row's message
    EXPECT_EQ(partial.out,
              "screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,"
              "dividend_time,value,delta,gamma,theta,vega,rho,message\n"
              "call,100,100,365,20,5,,,," +
                  std::string(kWorkedCall) +
                  "\n"
                  "call,100,100,365,20,5,2,,," +
                  std::string(kWorkedCall) + "\"Enter Dividend,Interest,Time values\"\n");
    const auto noStrike = RunPricer("", "screen,asset,maturity,volatility,interest\n");
    EXPECT_EQ(noStrike.status, 2);
    EXPECT_NE(noStrike.err.find("no column \"strike\""), std::string::npos) << noStrike.err;
}

TEST(CsvForms, SemicolonsGoWithTheDecimalComma) {
    const auto run =
        RunPricer("",
                  "\xEF\xBB\xBFscreen;asset;strike;maturity;volatility;interest;dividend;"
                  "dividend_interest;dividend_time\n"
                  "call;100,0;100;365;20;5;;;\n"
                  "call;50;45;90;30;6;1;5;30\n"
                  "call;1;100;365;20;5;2;5;73\n"
                  "call;100.5;100;365;20;5;;;\n");
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out,
              "screen;asset;strike;maturity;volatility;interest;dividend;dividend_interest;"
              "dividend_time;value;delta;gamma;theta;vega;rho;message\n"
              "call;100,0;100;365;20;5;;;;10,45;0,6368;0,0188;-6,4135;37,5200;53,2309;\n"
              "call;50;45;90;30;6;1;5;30;5,70;0,7720;0,0406;-6,4918;7,5031;7,9209;\n"
              "call;1;100;365;20;5;2;5;73;;;;;;;Asset must be greater than the dividend's "
              "present value (1,98)\n"
              "call;100.5;100;365;20;5;;;;;;;;;;Asset is not a number: use a comma as the decimal "
              "symbol\n");
}

TEST(CsvForms, FullFieldsTakeTheDecimalCommaToo) {
    const auto run = RunPricer("--full",
                               "screen;asset;strike;maturity;volatility;interest\n"
                               "call;100;100;365;20;5\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(";1,05126953;"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(";0,37519999999999998;"), std::string::npos) << run.out;
}

TEST(CsvForms, TheDelimiterOptionOverridesTheGuess) {
    const std::string semicolons =
        "screen;asset;strike;maturity;volatility;interest\n"
        "call;100;100;365;20;5\n";
    const auto forced = RunPricer("--delimiter ,", semicolons);
    EXPECT_EQ(forced.status, 2);
    EXPECT_EQ(forced.out, "");
    EXPECT_NE(forced.err.find("try --delimiter ';'"), std::string::npos) << forced.err;

    const auto same = RunPricer("--delimiter=';'", semicolons);
    EXPECT_EQ(same.status, 0) << same.err;
    EXPECT_NE(same.out.find(";10,45;"), std::string::npos);

    // A one-column header has no delimiter to guess from.
    const auto single = RunPricer("--delimiter ';' --sweep asset=100:100",
                                  "screen;strike;maturity;volatility;interest\n"
                                  "call;100;365;20;5\n");
    EXPECT_EQ(single.status, 0) << single.err;
    EXPECT_NE(single.out.find(";10,45;"), std::string::npos);

    const auto commaFile = RunPricer("--delimiter ';'",
                                     "screen,asset,strike,maturity,volatility,"
                                     "interest\n");
    EXPECT_EQ(commaFile.status, 2);
    EXPECT_NE(commaFile.err.find("try --delimiter ','"), std::string::npos) << commaFile.err;

    EXPECT_EQ(RunPricer("--delimiter tab", semicolons).status, 2);
}

TEST(CsvForms, AnUnclosedQuoteNamesItsLineAfterTheRowsBeforeIt) {
    const auto run = RunPricer("",
                               "screen,asset,strike,maturity,volatility,interest\n"
                               "call,100,100,365,20,5\n"
                               "\n"
                               "call,\"100,\"\"x\"\"\n,still quoted\",100,365,20,5\n"
                               "put,\"100,100,365,20,5\n"
                               "call,100,100,365,20,5\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(
        run.out,
        "screen,asset,strike,maturity,volatility,interest,value,delta,gamma,theta,vega,rho,"
        "message\n"
        "call,100,100,365,20,5," +
            std::string(kWorkedCall) +
            "\n"
            "call,\"100,\"\"x\"\"\n,still quoted\",100,365,20,5,,,,,,,Asset is not a number\n");
    EXPECT_EQ(run.err,
              "volantra-price: the quote opened on line 6 is never closed; the rows before it "
              "are written\n");
}

TEST(CsvForms, AQuoteThatRunsOnWithoutEndStopsBeforeTheWholeFile) {
    std::string input = "screen,asset,strike,maturity,volatility,interest\ncall,\"100";
    for (int i = 0; i < 10000; ++i) {
        input += ",100,365,20,5\n";  // well past the longest quoted record
    }
    const auto run = RunPricer("", input);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("line 2 is never closed"), std::string::npos) << run.err;
}

TEST(CsvForms, VersionNamesTheProjectVersion) {
    const auto run = RunPricer("--version", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "volantra-price " VOLANTRA_PROJECT_VERSION "\n");
}

// The column names the help lists under "Output columns", in its order.
std::vector<std::string> HelpOutputColumns(const std::string& help) {
    std::vector<std::string> names;
    std::istringstream lines(help.substr(help.find("Output columns, in this order:")));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line) && line.starts_with("  ")) {
        if (line.size() < 3 || line[2] == ' ') {
            continue;  // an explanation under a name
        }
        std::string first = line.substr(2, line.find("  ", 2) - 2);
        std::istringstream words(first);
        for (std::string word; words >> word;) {
            if (word.back() == ',') {
                word.pop_back();
            }
            names.push_back(word);
        }
    }
    return names;
}

TEST(CsvForms, TheHelpSaysTheOrderTheOutputColumnsTake) {
    const auto help = RunPricer("--help", "");
    EXPECT_EQ(help.status, 0);
    const std::vector<std::string> listed = HelpOutputColumns(help.out);
    ASSERT_FALSE(listed.empty());
    // Everything on: every listed column appears, "..." standing for the full fields.
    const auto run = RunPricer("--full --solve volatility",
                               "value,dividend_time,dividend_interest,dividend,interest,maturity,"
                               "strike,asset,screen\n"
                               "10.45,,,,5,365,100,100,call\n");
    EXPECT_EQ(run.status, 0) << run.err;
    std::vector<std::string> header;
    std::istringstream fields(run.out.substr(0, run.out.find('\n')));
    for (std::string field; std::getline(fields, field, ',');) {
        header.push_back(field);
    }
    std::vector<std::string> expected;
    for (const std::string& name : listed) {
        if (name == "...") {
            const auto first = std::find(header.begin(), header.end(), expected.back());
            const auto last = std::find(header.begin(), header.end(), "full_rho");
            ASSERT_TRUE(first != header.end() && last != header.end());
            expected.insert(expected.end(), first + 1, last);
        } else {
            expected.push_back(name);
        }
    }
    EXPECT_EQ(header, expected);
    EXPECT_EQ(header.size(), 9u + 1u + 7u + 18u);
}

}  // namespace
}  // namespace volantra
