#include "python/array_pricer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "python/quick_reader.h"
#include "python/row_texts.h"
#include "rows/solved_row.h"

namespace volantra {
namespace {

constexpr double NOT_VALUED = std::numeric_limits<double>::quiet_NaN();

// Refuses inputs that lack a column every row needs, as the pricer refuses a header.
void CheckColumns(const RowInputs& inputs, std::optional<ScrollBar> solve) {
    for (Column column : NEEDED_COLUMNS) {
        const bool solved = solve && column == BarColumn(*solve);
        if (inputs[column].Size() == 0 && !solved) {
            throw std::invalid_argument(MissingColumnMessage(column, solve.has_value()));
        }
    }
    if (solve && inputs[Column::Target].Size() == 0) {
        throw std::invalid_argument(MissingColumnMessage(Column::Target, true));
    }
}

// Fills row `row` of the results from a row valued alone; NaN and "" where it is not
// valued.
void TakeRow(const PricingResult* valued, std::string_view message, std::size_t row,
             ArrayResults& results) {
    const ShownResults shown =
        valued != nullptr ? ResultNumbers(*valued, results.units) : ShownResults{};
    for (std::size_t box = 0; box < shown.items.size(); ++box) {
        results.numbers.items[box][row] = valued != nullptr ? shown.items[box] : NOT_VALUED;
    }
    if (results.texts && valued != nullptr) {
        ShownTexts texts;
        WriteResultTexts(*valued, {}, results.units, texts);
        for (std::size_t box = 0; box < texts.items.size(); ++box) {
            results.texts->items[box][row] = std::move(texts.items[box]);
        }
    }
    if (!message.empty()) {
        results.messages.emplace_back(row, message);
    }
}

// A block of rows, valued from their numbers where the quick reader reads them.
struct QuickBlock {
    BoxColumns boxes;
    ReadRows read{};
    BlockColumns valued;

    // Reads and values rows first to first + count − 1, writing their shown numbers
    // straight into the results; the rows not read are then priced from their texts.
    void Price(const QuickReader& quick, std::size_t first, std::size_t count,
               ArrayResults& results) {
        quick.Read(first, count, boxes, read);
        ValueBoxNumbers(boxes, count, valued);
        ShownColumns columns;
        for (std::size_t box = 0; box < columns.items.size(); ++box) {
            columns.items[box] = results.numbers.items[box].subspan(first, count);
        }
        ResultNumbers(valued, count, results.units, columns);
    }

    // Row i's message, and its texts where the results ask for them.
    void TakeTextsAndMessage(std::size_t i, std::size_t row, ArrayResults& results) const {
        if (valued.errors[i] != EngineError::None) {
            const Rejection rejection = ValuationRejection(boxes.Row(i), valued.errors[i], {});
            results.messages.emplace_back(row, rejection.message);
        } else if (results.texts) {
            ShownTexts texts;
            WriteResultTexts(ResultOfRow(valued, i), {}, results.units, texts);
            for (std::size_t box = 0; box < texts.items.size(); ++box) {
                results.texts->items[box][row] = std::move(texts.items[box]);
            }
        }
    }
};

}  // namespace

// A row the quick reader read needs no second valuation where it fails: its numbers are
// what its texts read as, with no notice, so the valuation's message is the row's.
void PriceArrays(const RowInputs& inputs, std::size_t rows, ArrayResults& results) {
    CheckColumns(inputs, std::nullopt);
    if (results.texts) {
        for (std::vector<std::string>& texts : results.texts->items) {
            texts.assign(rows, std::string());
        }
    }
    const QuickReader quick(inputs);
    RowTexts texts(inputs);
    PricedRow priced;
    QuickBlock block;
    for (std::size_t first = 0; first < rows; first += BLOCK_ROWS) {
        const std::size_t count = std::min(BLOCK_ROWS, rows - first);
        block.Price(quick, first, count, results);
        for (std::size_t i = 0; i < count; ++i) {
            if (block.read[i]) {
                block.TakeTextsAndMessage(i, first + i, results);
            } else {
                PriceRow(texts.Fields(first + i), {}, priced);
                TakeRow(priced.valued ? &*priced.valued : nullptr, priced.message, first + i,
                        results);
            }
        }
    }
}

SolveResults SolveArrays(ScrollBar bar, const RowInputs& inputs, std::size_t rows) {
    CheckColumns(inputs, bar);
    SolveResults solved;
    solved.position.assign(rows, NOT_VALUED);
    solved.matches.resize(rows);
    solved.messages.resize(rows);
    for (std::vector<double>& numbers : solved.numbers.items) {
        numbers.assign(rows, NOT_VALUED);
    }
    RowTexts texts(inputs);
    SolvedRow row;
    for (std::size_t i = 0; i < rows; ++i) {
        SolveRow(bar, texts.Fields(i), {}, row);
        if (row.position) {
            solved.position[i] = *row.position;
        }
        solved.matches[i] = row.matches;
        solved.messages[i] = row.priced.message;
        if (row.priced.valued) {
            const ShownResults shown = ResultNumbers(*row.priced.valued);
            for (std::size_t box = 0; box < shown.items.size(); ++box) {
                solved.numbers.items[box][i] = shown.items[box];
            }
        }
    }
    return solved;
}

}  // namespace volantra
