#include "engine/column_reading.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "column_numbers.h"
#include "engine/shortest_text.h"

namespace volantra {
namespace {

constexpr float LEAST = std::numeric_limits<float>::min();
constexpr float LARGEST = std::numeric_limits<float>::max();

// Numbers on either side of every test the readings make: the singles' range, a midpoint
// between singles, both bars' ends; each with its neighbours, ±1, +0.5 and its negative.
std::vector<double> EdgeNumbers() {
    const double oneMidpoint = (1.0 + std::nextafter(1.0F, 2.0F)) / 2;
    std::vector<double> numbers = {std::nan(""), HUGE_VAL, 1e300, 1e10, 0.05};
    for (double edge : {0.0, static_cast<double>(LEAST), static_cast<double>(LARGEST), oneMidpoint,
                        1.0, 100.0, 200.0}) {
        for (double x : {edge, std::nextafter(edge, -1e300), std::nextafter(edge, 1e300), edge - 1,
                         edge + 1, edge + 0.5}) {
            numbers.insert(numbers.end(), {x, -x});
        }
    }
    return numbers;
}

// Reads `numbers` by column with read[i] on entry as `entry` gives, and one at a time.
void ExpectSameAsOneAtATime(const std::vector<double>& numbers, const std::vector<bool>& entry) {
    const std::size_t n = numbers.size();
    std::vector<float> singles(n, -1.0F);
    std::vector<int> wholes(n, -1);
    auto singlesRead = std::make_unique<bool[]>(n);
    auto wholesRead = std::make_unique<bool[]>(n);
    for (std::size_t i = 0; i < n; ++i) {
        singlesRead[i] = wholesRead[i] = entry[i];
    }
    SinglesWithoutText(numbers, singles, {singlesRead.get(), n});
    WholeNumbersWithin(numbers, 1, 200, wholes, {wholesRead.get(), n});
    for (std::size_t i = 0; i < n; ++i) {
        float single = 0;
        int whole = 0;
        const bool singleRead = SingleWithoutText(numbers[i], single);
        const bool wholeRead = WholeNumberWithin(numbers[i], 1, 200, whole);
        SCOPED_TRACE(::testing::Message() << "element " << i << " of " << n << ": " << numbers[i]);
        EXPECT_EQ(singlesRead[i], singleRead && entry[i]);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(singles[i]), std::bit_cast<std::uint32_t>(single));
        EXPECT_EQ(wholesRead[i], wholeRead && entry[i]);
        EXPECT_EQ(wholes[i], whole);
    }
}

TEST(ColumnReading, ReadsEachNumberAsOneAtATime) {
    struct Case {
        const char* name;
        std::size_t length;  // 0: the edge numbers
        bool entryAlternates;
    };
    const Case cases[] = {
        {"the edges", 0, false},  {"the edges, every other row refused already", 0, true},
        {"one number", 1, false}, {"an odd length, past the last whole vector", 37, false},
        {"a block", 64, true},    {"many random numbers", 20000, true},
    };
    std::mt19937_64 random(27);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> numbers = EdgeNumbers();
        if (c.length != 0) {
            numbers.clear();
            for (std::size_t i = 0; i < c.length; ++i) {
                numbers.push_back(testing::ColumnNumber(random));
            }
        }
        std::vector<bool> entry(numbers.size(), true);
        for (std::size_t i = 1; c.entryAlternates && i < entry.size(); i += 2) {
            entry[i] = false;
        }
        ExpectSameAsOneAtATime(numbers, entry);
    }
}

}  // namespace
}  // namespace volantra
