#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "cycle/box_valuation.h"
#include "engine/column_reading.h"
#include "engine/shortest_text.h"
#include "rows/bar_position.h"
#include "rows/schema.h"

// Rows given as numbers, as columns of doubles hold them: each number stands for its
// shortest text, NaN for an empty field.
namespace volantra {

/// A column of numbers, one per row, or with a step of 0 one for every row.
struct NumberColumn {
    const double* data = nullptr;
    std::size_t step = 0;
    /// The number of row `row`.
    [[nodiscard]] double At(std::size_t row) const { return data[row * step]; }
};

/// The input columns by the pricer's names; the screen and target columns are not read.
using NumberColumns = EnumArray<Column, NumberColumn>;

/// Which rows of a block read without their texts.
using ReadRows = std::array<bool, BLOCK_ROWS>;

namespace number_row_detail {

inline void ReadSingles(NumberColumn column, std::size_t first, std::size_t count,
                        std::array<float, BLOCK_ROWS>& numbers, ReadRows& read) {
    if (column.step == 1) {
        SinglesWithoutText({column.data + first, count}, std::span(numbers).first(count),
                           std::span(read).first(count));
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        read[i] = SingleWithoutText(column.At(first + i), numbers[i]) && read[i];
    }
}

inline void ReadPositions(NumberColumn column, ScrollBar bar, std::size_t first, std::size_t count,
                          std::array<int, BLOCK_ROWS>& positions, ReadRows& read) {
    if (column.step == 1) {
        WholeNumbersWithin({column.data + first, count}, BarLowest(bar), BarHighest(bar),
                           std::span(positions).first(count), std::span(read).first(count));
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        read[i] = WholeNumberWithin(column.At(first + i), BarLowest(bar), BarHighest(bar),
                                    positions[i]) &&
                  read[i];
    }
}

// The dividend's three fields, for the rows with any of them filled: all three must
// read without text.
inline void ReadDividends(const NumberColumns& columns, std::size_t first, std::size_t count,
                          BoxColumns& boxes, ReadRows& read) {
    for (std::size_t i = 0; i < count; ++i) {
        const auto filled = [&](Column c) { return !std::isnan(columns[c].At(first + i)); };
        boxes.dividendTicked[i] = DividendTicked(filled);
        if (!boxes.dividendTicked[i]) {
            continue;
        }
        const std::optional<float> amount =
            SingleWithoutText(columns[Column::Dividend].At(first + i));
        const std::optional<double> rate =
            DoubleWithoutText(columns[Column::DividendInterest].At(first + i));
        const std::optional<double> time =
            DoubleWithoutText(columns[Column::DividendTime].At(first + i));
        boxes.dividend[i] = amount.value_or(0.0F);
        boxes.dividendInterest[i] = rate.value_or(0);
        boxes.dividendTime[i] = time.value_or(0);
        read[i] = read[i] && amount && rate && time;
    }
}

}  // namespace number_row_detail

/// The box numbers of rows first to first + count − 1 (count ≤ BLOCK_ROWS) into rows 0
/// to count − 1 of `boxes`, read without writing their texts, column by column. read[i]
/// says where a row reads as its texts would, with no message; elsewhere (a midpoint
/// between singles, a blank or refused field, read[i] false on entry) only the texts can
/// tell, and the row's numbers are left harmless: an asset of 0, refused at once.
inline void ReadRowNumbers(const NumberColumns& columns, std::size_t first, std::size_t count,
                           BoxColumns& boxes, ReadRows& read) {
    using namespace number_row_detail;
    ReadSingles(columns[Column::Asset], first, count, boxes.asset, read);
    ReadSingles(columns[Column::Strike], first, count, boxes.strike, read);
    ReadSingles(columns[Column::Maturity], first, count, boxes.maturityDays, read);
    ReadPositions(columns[Column::Volatility], ScrollBar::Volatility, first, count,
                  boxes.volatilityPercent, read);
    ReadPositions(columns[Column::Interest], ScrollBar::Interest, first, count,
                  boxes.interestPercent, read);
    ReadDividends(columns, first, count, boxes, read);
    for (std::size_t i = 0; i < count; ++i) {
        boxes.asset[i] = read[i] ? boxes.asset[i] : 0.0F;
        boxes.dividendTicked[i] = read[i] && boxes.dividendTicked[i];
    }
}

/// One row's numbers by column.
using RowNumbers = EnumArray<Column, double>;

/// ReadRowNumbers of one row: true where it reads as its texts would.
inline bool ReadRowNumbers(const RowNumbers& row, BoxNumbers& numbers) {
    NumberColumns columns;
    for (std::size_t c = 0; c < columns.items.size(); ++c) {
        columns.items[c] = {&row.items[c], 0};
    }
    BoxColumns boxes;
    ReadRows read;
    read[0] = true;
    ReadRowNumbers(columns, 0, 1, boxes, read);
    numbers = boxes.Row(0);
    return read[0];
}

}  // namespace volantra
