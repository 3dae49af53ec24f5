// Rounding through text many at a time against RoundViaText one at a time, on numbers
// at and around every kind of half-way point: below one unit, in the seven-digit band
// of a single, at the limit of the quick rounding, and beyond it.
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "engine/block_rounding.h"
#include "engine/number_text.h"

namespace volantra {
namespace {

// Whole units below the half-way points probed: from below one unit to 2^23 and past.
constexpr double UNITS[] = {0, 1, 12, 123, 1234, 12345, 123456, 1234567, 8388607, 8388608, 1e9};

// Numbers a few steps of their width either side of every (k + 1/2)·10^-decimals, both
// signs, and zeros; an odd count, so that the last few miss a whole vector.
template <typename T>
std::vector<T> NearHalves(int decimals) {
    std::vector<T> values = {T{0}, -T{0}, static_cast<T>(1e-30)};
    for (double k : UNITS) {
        T value = static_cast<T>((k + 0.5) / std::pow(10.0, decimals));
        for (int step = 0; step < 3; ++step) {
            value = std::nextafter(value, T{0});
        }
        for (int step = 0; step < 7;
             ++step, value = std::nextafter(value, std::numeric_limits<T>::max())) {
            values.push_back(value);
            values.push_back(-value);
        }
    }
    return values;
}

TEST(RoundSinglesViaText, EveryNumberAsRoundedAlone) {
    for (int decimals : {0, 2, 4}) {
        const std::vector<float> values = NearHalves<float>(decimals);
        std::vector<double> rounded(values.size());
        RoundSinglesViaText(values, decimals, rounded);
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(rounded[i]),
                      std::bit_cast<std::uint64_t>(RoundViaText<double>(values[i], decimals)))
                << values[i] << " to " << decimals;
        }
    }
}

// As the Greeks in traders' units: doubles, some of them a number shown divided by 365.
TEST(RoundDoublesViaText, EveryNumberAsRoundedAlone) {
    for (int decimals : {2, 4}) {
        std::vector<double> values = NearHalves<double>(decimals);
        for (std::size_t i = 0, count = values.size(); i < count; ++i) {
            values.push_back(RoundViaText<double>(values[i] * 7, decimals) / 365);
        }
        std::vector<double> rounded(values.size());
        RoundDoublesViaText(values, decimals, rounded);
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(rounded[i]),
                      std::bit_cast<std::uint64_t>(RoundViaText<double>(values[i], decimals)))
                << values[i] << " to " << decimals;
        }
    }
}

}  // namespace
}  // namespace volantra
