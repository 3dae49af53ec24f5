#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_options.h"
#include "batch/column_schema.h"
#include "batch/record_batch.h"
#include "batch/row_writer.h"
#include "rows/solved_row.h"
#include "rows/sweep_grid.h"

namespace volantra {

/// What pricing rows counted: the input rows, and the output lines valued or carrying a
/// message (a sweep writes several lines a row).
struct BatchCounts {
    std::size_t rowsRead = 0;          ///< input rows after the header, empty ones too
    std::size_t linesValued = 0;       ///< output lines with results
    std::size_t linesWithMessage = 0;  ///< output lines with a message
    bool allValued = true;             ///< every line valued as given; empty rows count as such

    /// Adds the counts of other rows.
    void Add(const BatchCounts& other) {
        rowsRead += other.rowsRead;
        linesValued += other.linesValued;
        linesWithMessage += other.linesWithMessage;
        allValued = allValued && other.allValued;
    }
};

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

    /// Appends the output lines of one input row (one per point of a sweep) and counts
    /// them. A row of empty fields gives one line of empty results. `plain` says that no
    /// field holds the delimiter or anything that would need quotes (CsvReader::Plain), so
    /// none is searched.
    void PriceRow(const std::vector<std::string_view>& fields, std::string& out,
                  BatchCounts& counts, bool plain = false) const;

    /// PriceRow on every record of `batch`, in turn; the rows it prices are valued a block
    /// at a time.
    void PriceRecords(const RecordBatch& batch, std::string& out, BatchCounts& counts) const;

    /// Output lines per input row.
    [[nodiscard]] std::size_t LinesPerRow() const { return grid_->Count(); }

private:
    // A line whose pricing waits for a block of them, its fields by column in
    // waitingFields_; its views outlive the wait.
    struct WaitingLine {
        std::span<const std::string_view> fields;  // the record's, echoed in the line
        bool plain = false;
    };

    void PriceRecord(std::span<const std::string_view> fields, std::string& out,
                     BatchCounts& counts, bool plain) const;
    // Prices and appends the waiting lines, in their order.
    void Flush(std::string& out, BatchCounts& counts) const;
    void WriteLine(const RowFields& field, std::span<const std::string_view> fields,
                   const RowOutcome& row, bool plain, std::string& out, BatchCounts& counts) const;
    void PriceLine(RowFields& field, std::span<const std::string_view> fields, bool plain,
                   std::string& out, BatchCounts& counts) const;
    [[nodiscard]] RowOutcome Solve(RowFields& field) const;
    [[nodiscard]] const RowOutcome& Outcome(const PricedRow& priced,
                                            const ShownResults& shown) const;
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
    mutable RowFields record_;    // the record's fields by column
    mutable RowOutcome outcome_;  // what Outcome gives
    mutable ShownResults shown_;  // the numbers of the line being written
    mutable std::string message_;
    mutable std::string position_;
    // Lines waiting to be priced together, their storage reused block after block.
    mutable std::vector<WaitingLine> waiting_;
    mutable std::size_t waitingCount_ = 0;
    mutable std::vector<RowFields> waitingFields_;
    mutable std::vector<PricedRow> waitingPriced_;
    mutable EnumArray<ResultBox, std::array<double, BLOCK_ROWS>> waitingShown_{};
};

}  // namespace volantra
