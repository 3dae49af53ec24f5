#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cycle/recalculation.h"
#include "tools/sweep_range.h"

namespace volantra {

inline constexpr std::size_t BATCH_INPUT_COLUMNS = 9;

/// Exit status of a batch run.
enum class BatchStatus { AllValued = 0, SomeNotValued = 1, UnusableInput = 2 };

/// How a batch run reads and writes.
struct BatchOptions {
    bool full = false;  ///< add every valuation field in round-trip precision
    /// ',' (decimal point) or ';' (decimal comma); 0 guesses from the header line.
    char delimiter = 0;
    std::optional<ScrollBar> solve;   ///< find the positions of this bar that show `value`
    std::optional<SweepRange> sweep;  ///< one output row per value of a column
    unsigned jobs = 1;                ///< threads pricing rows; the output keeps the input's order
};

/// Options that only choose whether the valuation fields are added.
inline BatchOptions PlainBatchOptions(bool full) {
    BatchOptions options;
    options.full = full;
    return options;
}

/// Prices CSV rows with the digits of the pricing screens.
class BatchPricer {
public:
    /// `delimiter` is ',' or ';'; the options' own delimiter is not read.
    BatchPricer(BatchOptions options, char delimiter);
    /// Comma-separated rows; `full` adds every valuation field in round-trip precision.
    explicit BatchPricer(bool full) : BatchPricer(PlainBatchOptions(full), ',') {}

    /// Learns the column order from the header; false, with `error` set, when unusable.
    bool ReadHeader(const std::vector<std::string_view>& header, std::string& error);

    /// Appends the output header line.
    void AppendHeader(std::string& out) const;

    /// Appends the output lines of one input row (one per step of a sweep); false when
    /// one of them could not be valued. `plain` says that no field holds the delimiter
    /// or anything that would need quotes (CsvReader::plain), so none is searched.
    bool PriceRow(const std::vector<std::string_view>& fields, std::string& out,
                  bool plain = false) const;

    /// Input columns by name, in output order, then the solve target `value`.
    enum Column : std::size_t {
        kScreen,
        kAsset,
        kStrike,
        kMaturity,
        kVolatility,
        kInterest,
        kDividend,
        kDividendInterest,
        kDividendTime,
        kTarget,
        kColumnCount
    };
    struct RowOutcome;
    using Fields = std::array<std::string_view, kColumnCount>;

private:
    bool ReadScreen(const Fields& field, RowOutcome& row, OptionKind& kind,
                    ScreenInputs& inputs) const;
    void Price(const Fields& field, RowOutcome& row) const;
    void Solve(const Fields& field, RowOutcome& row) const;
    void RunCycle(OptionKind kind, const ScreenInputs& inputs, RowOutcome& row) const;
    bool AppendLine(const Fields& field, std::size_t fieldCount, bool plain,
                    std::string& out) const;

    BatchOptions options_;
    char delimiter_;
    NumberConventions conventions_;
    std::size_t headerSize_ = 0;
    std::array<std::size_t, kColumnCount> columnOf_{};  // input index of each name, or absent
    std::vector<Column> outputColumns_;
    std::optional<Column> swept_;
    mutable CycleResults cycle_;  // the last row's cycle, its storage reused row after row
};

/// The input columns' names in the CSV header, by BatchPricer::Column.
inline constexpr std::array<std::string_view, BatchPricer::kColumnCount> BATCH_COLUMN_NAMES = {
    "screen",        "asset",    "strike",   "maturity",
    "volatility",    "interest", "dividend", "dividend_interest",
    "dividend_time", "value"};

/// Reads CSV from `in`, writes priced CSV to `out` and problems to `err`, streaming.
BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err,
                       const BatchOptions& options);

/// PriceBatch with the delimiter guessed and no solve or sweep.
inline BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err, bool full) {
    return PriceBatch(in, out, err, PlainBatchOptions(full));
}

}  // namespace volantra
