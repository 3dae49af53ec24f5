// Checks the vector reading of columns against the one-number forms on 2^30 numbers
// drawn where they could part (column_numbers.h), each with read[i] on entry true or
// false: the singles to the bit, the whole numbers of both bars' ranges, and read[i].
// Run by hand:   column_reading_check [threads] [stride]
#include <bit>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "column_numbers.h"
#include "engine/column_reading.h"
#include "engine/shortest_text.h"
#include "exhaustive_threads.h"

namespace {

using namespace volantra;

constexpr std::size_t CHUNK = 1 << 16;
constexpr std::uint64_t KEYS = 1 << 14;

// One chunk's numbers read by column and one at a time; returns the mismatches.
std::uint64_t CheckChunk(const std::vector<double>& numbers, const std::vector<char>& entry,
                         int lowest, int highest) {
    const std::size_t n = numbers.size();
    std::vector<float> singles(n);
    std::vector<int> wholes(n);
    auto singlesRead = std::make_unique<bool[]>(n);
    auto wholesRead = std::make_unique<bool[]>(n);
    for (std::size_t i = 0; i < n; ++i) {
        singlesRead[i] = wholesRead[i] = entry[i] != 0;
    }
    SinglesWithoutText(numbers, singles, {singlesRead.get(), n});
    WholeNumbersWithin(numbers, lowest, highest, wholes, {wholesRead.get(), n});
    std::uint64_t mismatches = 0;
    for (std::size_t i = 0; i < n; ++i) {
        float single = 0;
        int whole = 0;
        const bool singleRead = SingleWithoutText(numbers[i], single) && entry[i] != 0;
        const bool wholeRead =
            WholeNumberWithin(numbers[i], lowest, highest, whole) && entry[i] != 0;
        if (singleRead != singlesRead[i] ||
            std::bit_cast<std::uint32_t>(single) != std::bit_cast<std::uint32_t>(singles[i]) ||
            wholeRead != wholesRead[i] || whole != wholes[i]) {
            ++mismatches;
            std::printf("MISMATCH %a\n", numbers[i]);
        }
    }
    return mismatches;
}

}  // namespace

int main(int argc, char** argv) {
    return testing::CheckEveryKey(
        argc, argv, 0, KEYS - 1, "numbers (as singles and as whole numbers)",
        [](std::uint64_t key, testing::Tally& tally) {
            std::mt19937_64 random(key);
            std::vector<double> numbers(CHUNK);
            std::vector<char> entry(CHUNK);
            for (std::size_t i = 0; i < CHUNK; ++i) {
                numbers[i] = testing::ColumnNumber(random);
                entry[i] = static_cast<char>(random() % 8 != 0);
            }
            // Odd lengths leave elements after the last whole vector.
            const std::size_t length = CHUNK - key % 7;
            numbers.resize(length);
            const bool volatility = key % 2 == 0;
            tally.checked += length;
            tally.mismatches +=
                CheckChunk(numbers, entry, volatility ? 1 : 0, volatility ? 200 : 100);
        });
}
