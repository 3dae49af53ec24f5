// Rows per second of the Python module's array core (volantra.price without the
// interpreter): value and five Greeks from float64 columns, on rows drawn as
// bench/batch_throughput.sh draws them. Run pinned to one core: taskset -c 0.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "python/array_pricer.h"

namespace volantra {
namespace {

constexpr std::size_t ROWS = 1 << 16;

// Columns of random rows; `dividendEvery` rows in n carry a dividend (0: none).
class Columns {
public:
    explicit Columns(std::size_t dividendEvery) {
        std::mt19937 random(7);
        std::uniform_real_distribution<double> unit(0, 1);
        const auto whole = [&](int low, int high) {
            return static_cast<double>(low + static_cast<int>(unit(random) * (high - low + 1)));
        };
        inputs_[Column::Screen].texts = {"call", "put"};
        for (std::size_t row = 0; row < ROWS; ++row) {
            kinds_.push_back(static_cast<std::int64_t>(row % 2));
            const bool dividend = dividendEvery != 0 && row % dividendEvery == 0;
            const double nan = std::nan("");
            const std::array<double, 8> row8 = {
                std::round((20 + unit(random) * 180) * 100) / 100,
                std::round((20 + unit(random) * 180) * 100) / 100,
                whole(1, 1000),
                whole(1, 200),
                whole(0, 100),
                dividend ? std::round((0.5 + unit(random) * 2) * 100) / 100 : nan,
                dividend ? whole(1, 9) : nan,
                dividend ? whole(1, 80) : nan};
            for (std::size_t c = 0; c < row8.size(); ++c) {
                numbers_[c].push_back(row8[c]);
            }
        }
        inputs_[Column::Screen].textOf = kinds_;
        for (std::size_t c = 0; c < numbers_.size(); ++c) {
            inputs_.items[c + 1].numbers = numbers_[c];
        }
        for (std::size_t box = 0; box < out_.size(); ++box) {
            out_[box].resize(ROWS);
            results_.numbers.items[box] = out_[box];
        }
    }

    void Price() { PriceArrays(inputs_, ROWS, results_); }

private:
    RowInputs inputs_;
    std::vector<std::int64_t> kinds_;
    std::array<std::vector<double>, 8> numbers_;
    std::array<std::vector<double>, ENUM_COUNT<ResultBox>> out_;
    ArrayResults results_;
};

void BM_PriceArrays(benchmark::State& state) {
    Columns columns(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        columns.Price();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * ROWS));
}
// No dividend; a dividend in every fourth row, as in batch_throughput.sh; in every row.
BENCHMARK(BM_PriceArrays)->Arg(0)->Arg(4)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace volantra
