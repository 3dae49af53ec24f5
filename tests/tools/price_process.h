#pragma once

// Runs the built volantra-price as a user would: arguments, standard input, and what it
// writes to standard output and standard error, with its exit status.
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace volantra::testing {

struct ProcessRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadWhole(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline ProcessRun RunPricer(const std::string& arguments, const std::string& input) {
    const std::string base = ::testing::TempDir() + "volantra_price_" +
                             std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::ofstream(base + ".in", std::ios::binary) << input;
    const std::string command = std::string(VOLANTRA_PRICE_PATH) + " " + arguments + " < '" + base +
                                ".in' > '" + base + ".out' 2> '" + base + ".err'";
    const int raw = std::system(command.c_str());
    ProcessRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadWhole(base + ".out");
    run.err = ReadWhole(base + ".err");
    return run;
}

}  // namespace volantra::testing
