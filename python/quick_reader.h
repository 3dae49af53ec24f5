#pragma once

#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

#include "cycle/box_reading.h"
#include "engine/shortest_text.h"
#include "python/array_pricer.h"
#include "rows/bar_position.h"

// Rows read straight from their numbers, without the texts a file would hold.
namespace volantra {

/// Reads a row's box numbers straight from its numbers when every field allows it and
/// the texts would read the same without a message; others take the texts.
class QuickReader {
public:
    explicit QuickReader(const RowInputs& inputs);

    /// The row's kind and numbers; false sends the row to its texts.
    bool Read(std::size_t row, OptionKind& kind, BoxNumbers& numbers) const;

private:
    // A column's elements, one per row or, with a step of 0, one for all rows.
    template <typename T>
    struct Strided {
        const T* data = nullptr;
        std::size_t step = 0;
        [[nodiscard]] T At(std::size_t row) const { return data[row * step]; }
    };

    [[nodiscard]] double Number(Column column, std::size_t row) const {
        return columns_[column].At(row);
    }
    bool Single(Column column, std::size_t row, float& number) const;
    bool Bar(ScrollBar bar, std::size_t row, int& position) const;
    bool Dividend(std::size_t row, BoxNumbers& numbers) const;

    std::vector<std::optional<OptionKind>> kinds_;  // of each distinct screen text
    Strided<std::int64_t> screen_;
    EnumArray<Column, Strided<double>> columns_;
    bool usable_ = false;
};

// The members a row calls, here so that they inline into the loop over rows.

inline bool QuickReader::Read(std::size_t row, OptionKind& kind, BoxNumbers& numbers) const {
    if (!usable_) {
        return false;
    }
    const std::int64_t screen = screen_.At(row);
    if (screen < 0 || !kinds_[static_cast<std::size_t>(screen)]) {
        return false;
    }
    kind = *kinds_[static_cast<std::size_t>(screen)];
    return Single(Column::Asset, row, numbers.asset) &&
           Single(Column::Strike, row, numbers.strike) &&
           Single(Column::Maturity, row, numbers.maturityDays) &&
           Bar(ScrollBar::Volatility, row, numbers.volatilityPercent) &&
           Bar(ScrollBar::Interest, row, numbers.interestPercent) && Dividend(row, numbers);
}

inline bool QuickReader::Single(Column column, std::size_t row, float& number) const {
    const std::optional<float> read = SingleWithoutText(Number(column, row));
    number = read.value_or(0.0F);
    return read.has_value();
}

inline bool QuickReader::Bar(ScrollBar bar, std::size_t row, int& position) const {
    const std::optional<int> read = PositionOfNumber(Number(BarColumn(bar), row), bar);
    position = read.value_or(0);
    return read.has_value();
}

// With any dividend field filled, all three must read without text.
inline bool QuickReader::Dividend(std::size_t row, BoxNumbers& numbers) const {
    numbers.dividendTicked =
        DividendTicked([&](Column column) { return !std::isnan(Number(column, row)); });
    if (!numbers.dividendTicked) {
        return true;
    }
    const std::optional<double> rate = DoubleWithoutText(Number(Column::DividendInterest, row));
    const std::optional<double> time = DoubleWithoutText(Number(Column::DividendTime, row));
    numbers.dividendInterest = rate.value_or(0);
    numbers.dividendTime = time.value_or(0);
    return Single(Column::Dividend, row, numbers.dividend) && rate && time;
}

}  // namespace volantra
