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

// Rows the quick reader read, valued a block at a time.
struct QuickBlock {
    std::array<BoxNumbers, BLOCK_ROWS> numbers;
    std::array<OptionKind, BLOCK_ROWS> kinds{};
    std::array<std::size_t, BLOCK_ROWS> rows{};
    BlockColumns valued;
    EnumArray<ResultBox, std::array<double, BLOCK_ROWS>> shown{};
    std::size_t count = 0;

    // Reads and values rows first to last − 1 where the quick reader can; true when it
    // read them all, their shown numbers then written straight into the results.
    bool Read(const QuickReader& quick, std::size_t first, std::size_t last,
              ArrayResults& results) {
        count = 0;
        for (std::size_t row = first; row < last; ++row) {
            rows[count] = row;
            count += quick.Read(row, kinds[count], numbers[count]) ? 1 : 0;
        }
        ValueBoxNumbers(std::span(kinds).first(count), std::span(numbers).first(count), valued);
        const bool all = count == last - first;
        ShownColumns columns;
        for (std::size_t box = 0; box < columns.items.size(); ++box) {
            columns.items[box] = all ? results.numbers.items[box].subspan(first, count)
                                     : std::span(shown.items[box]).first(count);
        }
        ResultNumbers(valued, count, results.units, columns);
        return all;
    }

    // Row i's texts and message, where the results ask for texts or it has a message.
    void TakeTextsAndMessage(std::size_t i, ArrayResults& results) const {
        if (valued.errors[i] != EngineError::None) {
            const Rejection rejection = ValuationRejection(numbers[i], valued.errors[i], {});
            results.messages.emplace_back(rows[i], rejection.message);
        } else if (results.texts) {
            const PricingResult result = ResultOfRow(valued, i);
            ShownTexts texts;
            WriteResultTexts(result, {}, results.units, texts);
            for (std::size_t box = 0; box < texts.items.size(); ++box) {
                results.texts->items[box][rows[i]] = std::move(texts.items[box]);
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
        const std::size_t last = std::min(rows, first + BLOCK_ROWS);
        const bool allRead = block.Read(quick, first, last, results);
        std::size_t next = 0;  // the next row the quick reader read
        for (std::size_t row = first; row < last; ++row) {
            if (next < block.count && block.rows[next] == row) {
                for (std::size_t box = 0; !allRead && box < ENUM_COUNT<ResultBox>; ++box) {
                    results.numbers.items[box][row] = block.shown.items[box][next];
                }
                block.TakeTextsAndMessage(next, results);
                ++next;
                continue;
            }
            PriceRow(texts.Fields(row), {}, priced);
            TakeRow(priced.valued ? &*priced.valued : nullptr, priced.message, row, results);
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
