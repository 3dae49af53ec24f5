#include "batch/batch_pricer.h"

#include <algorithm>
#include <span>

#include "engine/number_text.h"
#include "engine/rounded_text.h"

namespace volantra {
namespace {

bool IsBlankRecord(std::span<const std::string_view> fields) {
    return std::all_of(fields.begin(), fields.end(), IsBlankText);
}

}  // namespace

BatchPricer::BatchPricer(BatchOptions options, char delimiter)
    : options_(std::move(options)),
      delimiter_(delimiter),
      conventions_(DecimalSymbol(delimiter) == ',' ? DecimalCommaConventions()
                                                   : NumberConventions{}),
      grid_(std::make_shared<const SweepGrid>(options_.sweeps, conventions_)) {}

bool BatchPricer::ReadHeader(const std::vector<std::string_view>& header, std::string& error) {
    return schema_.Read(header, options_, delimiter_, error);
}

void BatchPricer::AppendHeader(std::string& out) const {
    Writer().AppendHeader(out);
}

void BatchPricer::PriceRow(const std::vector<std::string_view>& fields, std::string& out,
                           BatchCounts& counts, bool plain) const {
    PriceRecord(fields, out, counts, plain);
    Flush(out, counts);
}

void BatchPricer::PriceRecords(const RecordBatch& batch, std::string& out,
                               BatchCounts& counts) const {
    for (std::size_t record = 0; record < batch.Size(); ++record) {
        PriceRecord(batch.Fields(record), out, counts, batch.Plain(record));
    }
    Flush(out, counts);
}

// The record's fields must stay where they are until the next Flush.
void BatchPricer::PriceRecord(std::span<const std::string_view> fields, std::string& out,
                              BatchCounts& counts, bool plain) const {
    ++counts.rowsRead;
    RowFields& field = record_;
    for (std::size_t column = 0; column < ENUM_COUNT<Column>; ++column) {
        const std::size_t input = schema_.InputOf(static_cast<Column>(column));
        field.items[column] = input < fields.size() ? fields[input] : std::string_view();
    }
    if (IsBlankRecord(fields)) {
        Flush(out, counts);
        Writer().AppendLine(field, fields, RowOutcome{}, plain, out);  // a spreadsheet's empty row
        return;
    }
    if (!grid_->Sweeps() || fields.size() != schema_.InputSize()) {
        PriceLine(field, fields, plain, out, counts);
        return;
    }
    for (std::size_t k = 0; k < grid_->Count(); ++k) {
        grid_->Place(k, field);
        PriceLine(field, fields, plain, out, counts);
    }
}

void BatchPricer::PriceLine(RowFields& field, std::span<const std::string_view> fields, bool plain,
                            std::string& out, BatchCounts& counts) const {
    if (fields.size() == schema_.InputSize() && !options_.solve) {
        if (waiting_.size() <= waitingCount_) {
            waiting_.resize(BLOCK_ROWS);
            waitingFields_.resize(BLOCK_ROWS);
        }
        waitingFields_[waitingCount_] = field;
        WaitingLine& line = waiting_[waitingCount_++];
        line.fields = fields;
        line.plain = plain;
        if (waitingCount_ == BLOCK_ROWS) {
            Flush(out, counts);
        }
        return;
    }
    Flush(out, counts);
    RowOutcome row;
    if (fields.size() != schema_.InputSize()) {
        message_ = "The row has " + std::to_string(fields.size()) + " fields instead of " +
                   std::to_string(schema_.InputSize());
        row.message = message_;
    } else {
        row = Solve(field);
    }
    WriteLine(field, fields, row, plain, out, counts);
}

void BatchPricer::Flush(std::string& out, BatchCounts& counts) const {
    const std::size_t count = waitingCount_;
    if (count == 0) {
        return;
    }
    waitingCount_ = 0;
    waitingPriced_.resize(BLOCK_ROWS);
    ShownColumns shown;
    for (std::size_t box = 0; box < ENUM_COUNT<ResultBox>; ++box) {
        shown.items[box] = std::span(waitingShown_.items[box]).first(count);
    }
    volantra::PriceRows(std::span(waitingFields_).first(count), conventions_, options_.units,
                        std::span(waitingPriced_).first(count), shown);
    for (std::size_t i = 0; i < count; ++i) {
        const WaitingLine& line = waiting_[i];
        ShownResults results;
        for (std::size_t box = 0; box < ENUM_COUNT<ResultBox>; ++box) {
            results.items[box] = shown.items[box][i];
        }
        WriteLine(waitingFields_[i], line.fields, Outcome(waitingPriced_[i], results), line.plain,
                  out, counts);
    }
}

void BatchPricer::WriteLine(const RowFields& field, std::span<const std::string_view> fields,
                            const RowOutcome& row, bool plain, std::string& out,
                            BatchCounts& counts) const {
    Writer().AppendLine(field, fields, row, plain, out);
    counts.linesValued += row.valued != nullptr ? 1 : 0;
    counts.linesWithMessage += row.message.empty() ? 0 : 1;
    counts.allValued = counts.allValued && row.valued != nullptr && row.message.empty();
}

// The bar's column shows the lowest matching position, and is echoed as it came where
// none matches.
RowOutcome BatchPricer::Solve(RowFields& field) const {
    SolveRow(*options_.solve, field, conventions_, row_);
    const std::optional<PricingResult>& valued = row_.priced.valued;
    RowOutcome outcome =
        Outcome(row_.priced, valued ? ResultNumbers(*valued, options_.units) : ShownResults{});
    if (row_.position) {
        position_ = std::to_string(*row_.position);
        field[BarColumn(*options_.solve)] = position_;
        outcome.matches = row_.matches;
    }
    return outcome;
}

// The results are written from the numbers the boxes show, as the display writes its
// number; a row with a number of too many digits for that is written from its valuation.
const RowOutcome& BatchPricer::Outcome(const PricedRow& priced, const ShownResults& shown) const {
    RowOutcome& outcome = outcome_;  // assigned in full, not cleared, line after line
    outcome.message = priced.message;
    outcome.matches = {};
    outcome.valued = priced.valued ? &*priced.valued : nullptr;
    outcome.shown = nullptr;
    if (!priced.valued) {
        outcome.results = {};
        return outcome;
    }
    bool written = true;
    for (ResultBox box : RESULT_BOXES) {
        written = written && WritesRoundedFixed(shown[box], RESULT_DECIMALS[box]);
    }
    if (written) {
        shown_ = shown;
        outcome.shown = &shown_;
        return outcome;
    }
    WriteResultTexts(*priced.valued, conventions_, options_.units, texts_);
    for (ResultBox box : RESULT_BOXES) {
        outcome.results[box] = texts_[box];
    }
    return outcome;
}

}  // namespace volantra
