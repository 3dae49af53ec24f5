// The block valuation against the one-row valuation on rows chosen to reach each of its
// edges: every field bit for bit, and whether the row had to be finished one at a time.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/valuation.h"
#include "instruction_set.h"
#include "same_bits.h"

namespace volantra {
namespace {

struct EdgeRow {
    std::string name;
    PricingInputs inputs;
    bool byOneRow;  // the block must leave it to the one-row valuation
};

// d1 and the density as each row puts them, for both kinds.
const std::vector<EdgeRow> EDGE_ROWS = {
    {"at the money, a dividend", {100, 100, 0.5, 0.05F, 0.3F, 2}, false},
    {"a call's density below the cut-off, d1 = -30.99", {0.0021F, 1e11F, 1, 0, 1, 0}, false},
    {"d1 = 39.98: the power beyond the vector exp", {1.4e17F, 1, 1, 0, 1, 0}, false},
    {"d1 = 7.1: the put's density a tiny single, the call's 0",
     {150, 100, 0.08219178, 0, 0.2F, 0},
     false},
    {"ln(1 - 2^-23) at a midpoint between singles", {0.99999988F, 1, 1, 0, 0.2F, 0}, true},
    {"d1 = 956.73: beyond the quick rounding", {165, 100, 0.002739726, 0, 0.01F, 0}, true},
    {"the growth factor overflows", {100, 100, 100, 1, 0.2F, 0}, true},
    {"the moneyness overflows", {3.4e38F, 1, 1, 0.5F, 0.2F, 0}, true},
    {"the moneyness underflows", {1e-30F, 1e30F, 1, 0, 1, 0}, true},
    {"the strike is 0", {100, 0, 1, 0.05F, 0.2F, 0}, false},
    {"the asset is below the dividend", {1, 100, 1, 0.05F, 0.2F, 2}, false},
};

// On every instruction set the block is built for, down to plain scalar code.
TEST(ValueOptions, EachEdgeRowAloneAsTheOneRowValuation) {
    for (const char* set : {"best", "avx2", "sse4", "scalar"}) {
        testing::ChooseInstructionSet(set);
        for (const EdgeRow& row : EDGE_ROWS) {
            for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
                std::vector<Checked<PricingResult>> outcome(1);
                const std::size_t byOneRow = ValueOptions({&kind, 1}, {&row.inputs, 1}, outcome);
                EXPECT_TRUE(testing::SameBits(outcome[0], ValueOption(kind, row.inputs)))
                    << row.name << " on " << set;
                EXPECT_EQ(byOneRow, row.byOneRow ? 1U : 0U) << row.name << " on " << set;
            }
        }
    }
    hwy::SetSupportedTargetsForTest(0);  // back to what the processor has
}

// Blocks of 1, 13 and 65 rows (past one block of 64), calls beside puts, rows with and
// without a dividend and refused rows in between.
TEST(ValueOptions, BlocksOfEveryLengthAsTheOneRowValuation) {
    for (std::size_t length : {1U, 13U, 65U}) {
        std::vector<OptionKind> kinds;
        std::vector<PricingInputs> rows;
        for (std::size_t i = 0; i < length; ++i) {
            rows.push_back(EDGE_ROWS[(i * 7) % EDGE_ROWS.size()].inputs);
            kinds.push_back(i % 3 == 0 ? OptionKind::Put : OptionKind::Call);
        }
        std::vector<Checked<PricingResult>> outcomes(length);
        ValueOptions(kinds, rows, outcomes);
        for (std::size_t i = 0; i < length; ++i) {
            EXPECT_TRUE(testing::SameBits(outcomes[i], ValueOption(kinds[i], rows[i])))
                << "row " << i << " of " << length;
        }
    }
}

}  // namespace
}  // namespace volantra
