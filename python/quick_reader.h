#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "cycle/box_reading.h"
#include "python/array_pricer.h"
#include "rows/number_row.h"

// Rows read straight from their numbers, without the texts a file would hold.
namespace volantra {

/// Reads a row's box numbers straight from its columns' numbers (ReadRowNumbers) where
/// its kind is known and every column holds numbers; others take the texts.
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

    std::vector<std::optional<OptionKind>> kinds_;  // of each distinct screen text
    Strided<std::int64_t> screen_;
    EnumArray<Column, Strided<double>> columns_;
    bool usable_ = false;
};

// Here so that it inlines into the loop over rows.
inline bool QuickReader::Read(std::size_t row, OptionKind& kind, BoxNumbers& numbers) const {
    if (!usable_) {
        return false;
    }
    const std::int64_t screen = screen_.At(row);
    if (screen < 0 || !kinds_[static_cast<std::size_t>(screen)]) {
        return false;
    }
    kind = *kinds_[static_cast<std::size_t>(screen)];
    RowNumbers numbersOfRow;
    for (std::size_t c = 1; c < INPUT_COLUMN_COUNT; ++c) {
        numbersOfRow.items[c] = columns_.items[c].At(row);
    }
    return ReadRowNumbers(numbersOfRow, numbers);
}

}  // namespace volantra
