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

// Numbers on either side of every test the readings make.
std::vector<double> EdgeNumbers() {
    const double oneMidpoint = (1.0 + std::nextafter(1.0F, 2.0F)) / 2;
    return {0.0,
            -0.0,
            std::nan(""),
            HUGE_VAL,
            -HUGE_VAL,
            LEAST,
            std::nextafter(static_cast<double>(LEAST), 0.0),
            std::numeric_limits<double>::denorm_min(),
            LARGEST,
            std::nextafter(static_cast<double>(LARGEST), 1e300),
            -static_cast<double>(LARGEST),
            oneMidpoint,
            std::nextafter(oneMidpoint, 0.0),
            std::nextafter(oneMidpoint, 2.0),
            -oneMidpoint,
            100.5,
            0.05,
            1e300,
            -5,
            0,
            1,
            99,
            100,
            101,
            199,
            200,
            200.5,
            201,
            1e10,
            -1,
            0.5,
            std::nextafter(200.0, 0.0),
            std::nextafter(1.0, 2.0)};
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
