#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rows/solved_row.h"
#include "rows/sweep_grid.h"
#include "batch/batch_options.h"
#include "batch/column_schema.h"
#include "batch/row_writer.h"

namespace volantra {

/// Prices CSV rows with the digits of the pricing screens.
class BatchPricer {
public:
    /// `delimiter` is ',', ';' or '\t'; the options' own delimiter is not read.
    BatchPricer(BatchOptions options, char delimiter);
    /// Comma-separated rows; `full` adds every valuation field in round-trip precision.
    explicit BatchPricer(bool full) : BatchPricer(PlainBatchOptions(full), ',') {}

    /// Learns the columns from the header; false, with `error` set, when unusable.
    bool ReadHeader(const std::vector<std::string_view>& header, std::string& error);

    /// Appends the output header line.
    void AppendHeader(std::string& out) const;

    /// Appends the output lines of one input row (one per point of a sweep); false when
    /// one of them was not valued as given. A row of empty fields gives one line of
    /// empty results. `plain` says that no field holds the delimiter or anything that
    /// would need quotes (CsvReader::Plain), so none is searched.
    bool PriceRow(const std::vector<std::string_view>& fields, std::string& out,
                  bool plain = false) const;

    /// Output lines per input row.
    [[nodiscard]] std::size_t LinesPerRow() const { return grid_->Count(); }

private:
    bool PriceLine(RowFields& field, const std::vector<std::string_view>& fields, bool plain,
                   std::string& out) const;
    [[nodiscard]] RowOutcome Price(const RowFields& field) const;
    [[nodiscard]] RowOutcome Solve(RowFields& field) const;
    [[nodiscard]] RowOutcome Outcome(const PricedRow& priced) const;
    [[nodiscard]] RowWriter Writer() const {
        return {schema_, options_.full, options_.solve.has_value(), delimiter_, options_.units};
    }

    BatchOptions options_;
    char delimiter_;
    NumberConventions conventions_;
    ColumnSchema schema_;
    std::shared_ptr<const SweepGrid> grid_;  // shared by the copies that price in parallel
    // The last row's outcome, its storage reused row after row.
    mutable SolvedRow row_;
    mutable ShownTexts texts_;
    mutable std::string message_;
    mutable std::string position_;
};

/// Reads CSV from `in`, writes priced CSV to `out` and problems to `err`, streaming.
BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err,
                       const BatchOptions& options);

/// PriceBatch with the delimiter guessed and no solve or sweep.
inline BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err, bool full) {
    return PriceBatch(in, out, err, PlainBatchOptions(full));
}

}  // namespace volantra
