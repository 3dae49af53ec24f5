#pragma once

#include <cmath>

#include "cycle/box_reading.h"
#include "engine/shortest_text.h"
#include "rows/bar_position.h"
#include "rows/schema.h"

// A row given as numbers, as a column of doubles holds it: each number stands for its
// shortest text, NaN for an empty field.
namespace volantra {

/// One row's numbers by column; the screen and target columns are not read.
using RowNumbers = EnumArray<Column, double>;

/// The box numbers a row of numbers reads as, without writing its texts: true where
/// every field reads as its text would, with no message; false where only the texts
/// can tell (a midpoint between singles, a blank or refused field), which then go
/// through PriceRow.
inline bool ReadRowNumbers(const RowNumbers& row, BoxNumbers& numbers) {
    const auto single = [&row](Column column, float& number) {
        const std::optional<float> read = SingleWithoutText(row[column]);
        number = read.value_or(0.0F);
        return read.has_value();
    };
    const auto bar = [&row](ScrollBar which, int& position) {
        const std::optional<int> read = PositionOfNumber(row[BarColumn(which)], which);
        position = read.value_or(0);
        return read.has_value();
    };
    if (!single(Column::Asset, numbers.asset) || !single(Column::Strike, numbers.strike) ||
        !single(Column::Maturity, numbers.maturityDays) ||
        !bar(ScrollBar::Volatility, numbers.volatilityPercent) ||
        !bar(ScrollBar::Interest, numbers.interestPercent)) {
        return false;
    }
    numbers.dividendTicked =
        DividendTicked([&row](Column column) { return !std::isnan(row[column]); });
    if (!numbers.dividendTicked) {
        return true;
    }
    // With any dividend field filled, all three must read without text.
    const std::optional<double> rate = DoubleWithoutText(row[Column::DividendInterest]);
    const std::optional<double> time = DoubleWithoutText(row[Column::DividendTime]);
    numbers.dividendInterest = rate.value_or(0);
    numbers.dividendTime = time.value_or(0);
    return single(Column::Dividend, numbers.dividend) && rate && time;
}

}  // namespace volantra
