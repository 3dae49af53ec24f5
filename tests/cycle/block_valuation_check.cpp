// Values random rows over the whole input domain both many at a time and one at a time,
// and counts the rows whose fields differ in any bit. Run by hand:
//   block_valuation_check [rows, default 10^9] [threads, default 2] [seed]
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/cycle/random_box_rows.h"

namespace {

using namespace volantra;

struct Totals {
    std::atomic<std::uint64_t> rows{0};
    std::atomic<std::uint64_t> valued{0};
    std::atomic<std::uint64_t> byOneRow{0};
    std::atomic<std::uint64_t> mismatches{0};
};

void Report(const BoxNumbers& row, const PricingInputs& in) {
    std::printf(
        "differs: asset %.9g strike %.9g days %.9g vol %d int %d dividend %.9g -> "
        "S %.9g K %.9g T %.17g r %.9g sigma %.9g PVD %.9g\n",
        row.asset, row.strike, row.maturityDays, row.volatilityPercent, row.interestPercent,
        row.dividend, in.assetPrice, in.strikePrice, in.timeToMaturity, in.interestRate,
        in.volatility, in.dividendPresentValue);
}

void CheckRows(std::uint64_t rows, std::uint64_t seed, Totals& totals) {
    constexpr std::size_t batch = 4096;
    testing::RandomBoxRows random(seed);
    std::vector<OptionKind> kinds(batch);
    std::vector<BoxNumbers> boxes(batch);
    std::vector<PricingInputs> inputs(batch);
    std::vector<Checked<PricingResult>> together(batch);
    for (std::uint64_t done = 0; done < rows; done += batch) {
        std::size_t count = 0;
        while (count < batch) {
            boxes[count] = random.Next(kinds[count]);
            const ValuationInputs valuation = InputsOfNumbers(boxes[count]);
            if (valuation.fault == InputBox::Count) {
                inputs[count++] = valuation.inputs;
            }
        }
        totals.byOneRow += ValueOptions(kinds, inputs, together);
        for (std::size_t i = 0; i < count; ++i) {
            const Checked<PricingResult> alone = ValueOption(kinds[i], inputs[i]);
            totals.valued += alone.Ok() ? 1 : 0;
            if (!testing::SameBits(alone, together[i])) {
                if (totals.mismatches++ < 20) {
                    Report(boxes[i], inputs[i]);
                }
            }
        }
        totals.rows += count;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t rows = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1'000'000'000;
    const unsigned threads = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 2;
    const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
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
