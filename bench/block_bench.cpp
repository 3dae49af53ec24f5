// Rows per second of the block valuation beside its floor, the textbook formula in double
// precision with the same vector library, on the same rows; and of the one-row
// valuation. Run pinned to one core: taskset -c 0.
#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <vector>

#include "engine/block_valuation.h"
#include "engine/number_text.h"
#include "engine/valuation.h"
#include "vector_textbook.h"

namespace volantra {
namespace {

constexpr std::size_t ROWS = 4096;

// The screens' ranges: asset and strike 20 to 200, 1 to 1000 days, volatility 1 to 200%,
// interest 0 to 100%; calls and puts in turn.
std::vector<PricingInputs> Rows() {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> price(20, 200);
    std::uniform_int_distribution<int> days(1, 1000);
    std::uniform_int_distribution<int> volatility(1, 200);
    std::uniform_int_distribution<int> interest(0, 100);
    std::vector<PricingInputs> rows(ROWS);
    for (PricingInputs& in : rows) {
        in.assetPrice = RoundViaText<float>(price(random), 2);
        in.strikePrice = RoundViaText<float>(price(random), 2);
        in.timeToMaturity = GeneralText<double>(static_cast<float>(days(random) / 365.0));
        in.volatility = GeneralText<float>(static_cast<float>(volatility(random) / 100.0));
        in.interestRate = GeneralText<float>(static_cast<float>(interest(random) / 100.0));
    }
    return rows;
}

void BM_BlockValuation(benchmark::State& state) {
    const std::vector<PricingInputs> rows = Rows();
    std::vector<OptionKind> kinds(ROWS);
    for (std::size_t i = 0; i < ROWS; ++i) {
        kinds[i] = i % 2 == 0 ? OptionKind::Call : OptionKind::Put;
    }
    std::vector<Checked<PricingResult>> outcomes(ROWS);
    for (auto _ : state) {
        ValueOptions(kinds, rows, outcomes);
        benchmark::DoNotOptimize(outcomes.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ROWS));
}

// The block valuation on rows already in its columns, as the cycle fills them.
void BM_BlockColumns(benchmark::State& state) {
    const std::vector<PricingInputs> rows = Rows();
    std::vector<BlockColumns> blocks(ROWS / BLOCK_ROWS);
    for (std::size_t i = 0; i < ROWS; ++i) {
        PutInputs(blocks[i / BLOCK_ROWS], i % BLOCK_ROWS,
                  i % 2 == 0 ? OptionKind::Call : OptionKind::Put, rows[i]);
    }
    for (auto _ : state) {
        for (BlockColumns& block : blocks) {
            benchmark::DoNotOptimize(ValueBlock(block, BLOCK_ROWS));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ROWS));
}

void BM_OneRowValuation(benchmark::State& state) {
    const std::vector<PricingInputs> rows = Rows();
    for (auto _ : state) {
        for (std::size_t i = 0; i < ROWS; ++i) {
            benchmark::DoNotOptimize(
                ValueOption(i % 2 == 0 ? OptionKind::Call : OptionKind::Put, rows[i]));
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ROWS));
}

void BM_VectorTextbookFloor(benchmark::State& state) {
    std::array<std::vector<double>, 5> in;
    for (const PricingInputs& row : Rows()) {
        in[0].push_back(row.assetPrice);
        in[1].push_back(row.strikePrice);
        in[2].push_back(row.timeToMaturity);
        in[3].push_back(row.interestRate);
        in[4].push_back(row.volatility);
    }
    std::array<std::vector<double>, 6> out;
    std::array<double*, 6> results{};
    for (std::size_t k = 0; k < out.size(); ++k) {
        out[k].resize(ROWS);
        results[k] = out[k].data();
    }
    for (auto _ : state) {
        bench::TextbookCalls(in[0].data(), in[1].data(), in[2].data(), in[3].data(), in[4].data(),
                             ROWS, results.data());
        benchmark::DoNotOptimize(results[0]);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ROWS));
}

BENCHMARK(BM_BlockValuation);
BENCHMARK(BM_BlockColumns);
BENCHMARK(BM_OneRowValuation);
BENCHMARK(BM_VectorTextbookFloor);

}  // namespace
}  // namespace volantra
