// A sweep range whose numbers cannot share one scale in 64 bits is refused, not wrapped.
#include <gtest/gtest.h>

#include "rows/sweep_range.h"

namespace volantra {
namespace {

TEST(SweepRange, NumbersTooLongForOneScaleAreRefused) {
    SweepRange sweep;
    std::string error;
    EXPECT_FALSE(ParseSweep("asset=999999999999999:1:0.00001", sweep, error));
    EXPECT_NE(error.find("18 digits"), std::string::npos) << error;
    EXPECT_TRUE(ParseSweep("asset=99999999999999:99999999999999.5:0.5", sweep, error)) << error;
    EXPECT_EQ(sweep.Count(), 2u);
}

}  // namespace
}  // namespace volantra
