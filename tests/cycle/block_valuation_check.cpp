// Values random rows over the whole input domain, from their box numbers, both a block
// at a time and one at a time, and counts the rows whose fields differ in any bit. Run
// by hand:
//   block_valuation_check [rows, default 10^9] [threads, default 2] [seed]
//                         [instruction set: best, avx2, sse4 or scalar]
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/cycle/random_box_rows.h"
#include "tests/engine/instruction_set.h"

namespace {

using namespace volantra;

struct Totals {
    std::atomic<std::uint64_t> rows{0};
    std::atomic<std::uint64_t> valued{0};
    std::atomic<std::uint64_t> byOneRow{0};
    std::atomic<std::uint64_t> mismatches{0};
};

void Report(const BoxNumbers& row) {
    std::printf(
        "differs: asset %.9g strike %.9g days %.9g vol %d int %d dividend %s %.9g "
        "%.17g %.17g\n",
        row.asset, row.strike, row.maturityDays, row.volatilityPercent, row.interestPercent,
        row.dividendTicked ? "yes" : "no", row.dividend, row.dividendInterest, row.dividendTime);
}

void CheckRows(std::uint64_t rows, std::uint64_t seed, Totals& totals) {
    testing::RandomBoxRows random(seed);
    BoxColumns boxes;
    BlockColumns block;
    for (std::uint64_t done = 0; done < rows; done += BLOCK_ROWS) {
        for (std::size_t i = 0; i < BLOCK_ROWS; ++i) {
            boxes.Put(i, random.Next(boxes.kinds[i]));
        }
        totals.byOneRow += ValueBoxNumbers(boxes, BLOCK_ROWS, block);
        for (std::size_t i = 0; i < BLOCK_ROWS; ++i) {
            const Checked<PricingResult> alone = ValueBoxNumbers(boxes.kinds[i], boxes.Row(i));
            const Checked<PricingResult> together = {
                block.errors[i] == EngineError::None ? ResultOfRow(block, i) : PricingResult{},
                block.errors[i]};
            totals.valued += alone.Ok() ? 1 : 0;
            if (!testing::SameBits(alone, together) && totals.mismatches++ < 20) {
                Report(boxes.Row(i));
            }
        }
        totals.rows += BLOCK_ROWS;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t rows = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1'000'000'000;
    const unsigned threads = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2;
    const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    testing::ChooseInstructionSet(argc > 4 ? argv[4] : "best");
    Totals totals;
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back(CheckRows, rows / threads, seed * 1000 + t, std::ref(totals));
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    std::printf(
        "%llu rows compared (%llu valued, the others refused alike); %llu finished "
        "one at a time; %llu mismatches\n",
        static_cast<unsigned long long>(totals.rows.load()),
        static_cast<unsigned long long>(totals.valued.load()),
        static_cast<unsigned long long>(totals.byOneRow.load()),
        static_cast<unsigned long long>(totals.mismatches.load()));
    return totals.mismatches == 0 ? 0 : 1;
}
