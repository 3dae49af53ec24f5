// Files as spreadsheets write them, the exit status of each kind of row, refused options,
// failed writes, --output and the grid of two sweeps, through the built program.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "price_process.h"
#include "worked_examples.h"

namespace volantra {
namespace {

using testing::RunPricer;
using testing::ShownFields;

constexpr const char* kHeader = "screen,asset,strike,maturity,volatility,interest\n";
constexpr const char* kResults = "value,delta,gamma,theta,vega,rho,message\n";

struct Case {
    const char* name;
    std::string arguments;
    std::string input;
    std::string output;
    int status;
};

TEST(Spreadsheet, FormsAreReadAsSpreadsheetsWriteThem) {
    const std::string call = ShownFields("call");
    const std::vector<Case> cases = {
        {"header in any case, blanks around", "",
         " Screen ,ASSET,Strike,maturity,Volatility,INTEREST\ncall,100,100,365,20,5\n",
         std::string(kHeader).replace(std::string(kHeader).size() - 1, 1, ",") + kResults +
             "call,100,100,365,20,5," + call + "\n",
         0},
        {"extra columns keep their place", "",
         "id,screen,asset,note,strike,maturity,volatility,interest,more\n"
         "A1,call,100,\"x,y\",100,365,20,5,z\n",
         "id,screen,asset,note,strike,maturity,volatility,interest,more," + std::string(kResults) +
             "A1,call,100,\"x,y\",100,365,20,5,z," + call + "\n",
         0},
        {"known columns in their usual order around extra ones", "",
         "asset,id,strike,maturity,volatility,interest,screen\n100,A1,100,365,20,5,call\n",
         "screen,id,asset,strike,maturity,volatility,interest," + std::string(kResults) +
             "call,A1,100,100,365,20,5," + call + "\n",
         0},
        {"empty rows stay empty", "",
         "screen;asset;strike;maturity;volatility;interest;id\ncall;100;100;365;20;5;A1\n"
         ";;;;;;\n ;;;;;;\n;;\n",
         "screen;asset;strike;maturity;volatility;interest;id;value;delta;gamma;theta;vega;rho;"
         "message\ncall;100;100;365;20;5;A1;" +
             ShownFields("call", ';') + "\n;;;;;;;;;;;;;\n ;;;;;;;;;;;;;\n;;;;;;;;;;;;;\n",
         0},
        {"tabs guessed from the header", "",
         "screen\tasset\tstrike\tmaturity\tvolatility\tinterest\ncall\t100\t100\t365\t20\t5\n",
         "screen\tasset\tstrike\tmaturity\tvolatility\tinterest\tvalue\tdelta\tgamma\ttheta\tvega"
         "\trho\tmessage\ncall\t100\t100\t365\t20\t5\t" +
             ShownFields("call", '\t') + "\n",
         0},
        {"tabs by option", "--delimiter tab",
         "asset\ta,b\tscreen\tstrike\tmaturity\tvolatility\t"
         "interest\n100\t1,2\tcall\t100\t365\t20\t5\n",
         "screen\ta,b\tasset\tstrike\tmaturity\tvolatility\tinterest\tvalue\tdelta\tgamma\ttheta"
         "\tvega\trho\tmessage\ncall\t1,2\t100\t100\t365\t20\t5\t" +
             ShownFields("call", '\t') + "\n",
         0},
        {"a stray quote is an ordinary character", "",
         std::string(kHeader) + "call,10\"0,100,365,20,5\ncall,100,100,365,20,5\n",
         std::string(kHeader).replace(std::string(kHeader).size() - 1, 1, ",") + kResults +
             "call,\"10\"\"0\",100,365,20,5,,,,,,,Asset is not a number\n"
             "call,100,100,365,20,5," +
             call + "\n",
         1},
        {"a filled bar column under --solve is echoed", "--solve volatility",
         "screen,asset,strike,maturity,volatility,interest,value\ncall,100,100,365,20,5," +
             ShownFields("call", '\n', 1),
         "screen,asset,strike,maturity,volatility,interest,matches," + std::string(kResults) +
             "call,100,100,365,20,5,,,,,,,,Volatility is what --solve finds: leave its column "
             "empty\n",
         1},
    };
    for (const Case& c : cases) {
        const auto run = RunPricer(c.arguments, c.input);
        EXPECT_EQ(run.out, c.output) << c.name << "\n" << run.err;
        EXPECT_EQ(run.status, c.status) << c.name;
    }
}

TEST(Spreadsheet, EachKindOfRowGivesItsExitStatus) {
    const std::vector<std::pair<std::string, int>> rows = {
        {"call,100,100,365,20,5,,,", 0},
        {",,,,,,,,", 0},
        {"  ,,, ,,,,,", 0},
        {"call,100,abc,365,20,5,,,", 1},
        {"call,100,100,365,20,5,2,,", 1},  // a dividend without its rate or days
        {"call,100,100,365,20,5,2,5,73", 0},
        {"call,100,100,365,20", 1},
        {"swap,100,100,365,20,5,,,", 1},
        {"put,0,100,365,20,5,,,", 1},
    };
    for (const auto& [row, status] : rows) {
        const auto run = RunPricer("",
                                   "screen,asset,strike,maturity,volatility,interest,dividend,"
                                   "dividend_interest,dividend_time\n" +
                                       row + "\n");
        EXPECT_EQ(run.status, status) << row << "\n" << run.out << run.err;
    }
    const std::string solving = "screen,asset,strike,maturity,interest,value\ncall,100,100,365,5,";
    EXPECT_EQ(RunPricer("--solve volatility", solving + ShownFields("call", '\n', 1)).status, 0);
    EXPECT_EQ(RunPricer("--solve volatility", solving + "0.01\n").status, 1);
}

TEST(Spreadsheet, OptionMistakesAreRefusedBeforeAnyRow) {
    const std::string dir = ::testing::TempDir();
    const std::string rows = std::string(kHeader) + "call,100,100,365,20,5\n";
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"--sweep dividend=0:2",
         "--sweep dividend needs the other dividend columns in the input: dividend_interest and "
         "dividend_time\n"},
        {"--solve interest", "--solve needs a value column: the option value the screen shows\n"},
        {"'" + dir + "'", "cannot read " + dir + ": Is a directory\n"},
        {"--sweep asset=1:2 --sweep strike=1:2 --sweep maturity=1:2", "at most two --sweep"},
        {"--sweep asset=1:2 --sweep asset=3:4", "--sweep asset is given twice"},
        {"--sweep asset=1:1000 --sweep strike=1:1000", "1000000 rows per input row"},
        {"--delimiter :", "--delimiter takes , or ; or tab"},
        {"-o", "--output takes the name"},
    };
    for (const auto& [arguments, message] : refused) {
        const auto run = RunPricer(arguments, rows);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_TRUE(run.err.starts_with("volantra-price: ")) << arguments << run.err;
        EXPECT_NE(run.err.find(message), std::string::npos) << arguments << run.err;
    }
    const auto misspelt = RunPricer("", "screen,asset,strik,maturity,volatility,interest\n");
    EXPECT_NE(misspelt.err.find("no column \"strike\""), std::string::npos) << misspelt.err;
}

int Shell(const std::string& command) {
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(Spreadsheet, AFailedWriteNamesTheOutputAndItsReason) {
    const std::string base = ::testing::TempDir() + "volantra_full";
    std::string rows = kHeader;
    for (int i = 0; i < 20000; ++i) {
        rows += "call,100,100,365,20,5\n";
    }
    std::ofstream(base + ".in") << rows;
    for (const char* jobs : {"", " --jobs 3"}) {
        const int status = Shell(std::string(VOLANTRA_PRICE_PATH) + jobs + " '" + base +
                                 ".in' > /dev/full 2> '" + base + ".err'");
        EXPECT_EQ(status, 2) << jobs;
        EXPECT_EQ(testing::ReadWhole(base + ".err"),
                  "volantra-price: cannot write standard output: No space left on device\n")
            << jobs;
    }
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.' || entry->d_name[1] > '.') {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    return names;
}

TEST(Spreadsheet, OutputReplacesTheFileOnlyWhenTheRunSucceeds) {
    const std::string folder = ::testing::TempDir() + "volantra_output";
    ASSERT_EQ(Shell("rm -rf '" + folder + "' && mkdir '" + folder + "'"), 0);
    const std::string file = folder + "/priced.csv";
    std::ofstream(file) << "old\n";
    const std::string rows = std::string(kHeader) + "call,100,100,365,20,5\n";
    for (const std::string& failing :
         {std::string("screen,asset\n"), rows + "call,\"100,100,365,20,5\n"}) {
        EXPECT_EQ(RunPricer("-o '" + file + "'", failing).status, 2);
        EXPECT_EQ(testing::ReadWhole(file), "old\n");
        EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"priced.csv"});
    }
    const auto run = RunPricer("--output='" + file + "'", rows + "put,0,100,365,20,5\n");
    EXPECT_EQ(run.status, 1);  // a row with a message: written all the same
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(testing::ReadWhole(file), RunPricer("", rows + "put,0,100,365,20,5\n").out);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"priced.csv"});
}

// A replaced file keeps its permissions; a new one gets those the umask leaves, as any
// file the user's programs create.
TEST(Spreadsheet, OutputTakesThePermissionsOfTheFileItReplacesOrTheUmasks) {
    const std::string file = ::testing::TempDir() + "volantra_permissions.csv";
    const std::string rows = std::string(kHeader) + "call,100,100,365,20,5\n";
    const struct {
        int existing;  // -1: no file before
        mode_t mask;
        mode_t expected;
    } cases[] = {{0600, 022, 0600}, {0664, 077, 0664}, {-1, 022, 0644}, {-1, 027, 0640}};
    for (const auto& c : cases) {
        std::remove(file.c_str());
        if (c.existing >= 0) {
            std::ofstream(file) << "old\n";
            ASSERT_EQ(chmod(file.c_str(), static_cast<mode_t>(c.existing)), 0);
        }
        const mode_t before = umask(c.mask);
        EXPECT_EQ(RunPricer("-o '" + file + "'", rows).status, 0);
        umask(before);
        struct stat written {};
        ASSERT_EQ(stat(file.c_str(), &written), 0);
        EXPECT_EQ(written.st_mode & 07777, c.expected) << c.existing << " " << c.mask;
    }
}

TEST(Spreadsheet, TwoSweepsMakeAGridTheFirstOutermost) {
    const std::string input = "screen,asset,strike,maturity,interest\ncall,100,100,365,5\n";
    const auto grid = RunPricer("--sweep asset=90:110:10 --sweep volatility=19:21", input);
    EXPECT_EQ(grid.status, 0) << grid.err;
    std::string byHand = "screen,asset,strike,maturity,interest,volatility\n";
    for (const char* asset : {"90", "100", "110"}) {
        for (const char* volatility : {"19", "20", "21"}) {
            byHand += std::string("call,") + asset + ",100,365,5," + volatility + "\n";
        }
    }
    EXPECT_EQ(grid.out, RunPricer("", byHand).out);
    const auto jobs = RunPricer("--jobs 2 --sweep asset=90:110:10 --sweep volatility=19:21",
                                input + "put,50,45,90,6\n");
    EXPECT_EQ(jobs.out, RunPricer("--sweep asset=90:110:10 --sweep volatility=19:21",
                                  input + "put,50,45,90,6\n")
                            .out);
}

}  // namespace
}  // namespace volantra
