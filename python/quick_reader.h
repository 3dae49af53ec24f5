#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "cycle/box_reading.h"
#include "python/array_pricer.h"

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

}  // namespace volantra
