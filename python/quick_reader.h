#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "python/array_pricer.h"
#include "rows/number_row.h"

// Rows read straight from their numbers, without the texts a file would hold.
namespace volantra {

/// Reads rows' kinds and box numbers straight from their columns' numbers
/// (ReadRowNumbers) where the kind is known and every column holds numbers; other rows
/// take their texts.
class QuickReader {
public:
    explicit QuickReader(const RowInputs& inputs);

    /// Rows first to first + count − 1 into `boxes`; read[i] false sends row first + i to
    /// its texts.
    void Read(std::size_t first, std::size_t count, BoxColumns& boxes, ReadRows& read) const;

private:
    std::vector<std::optional<OptionKind>> kinds_;  // of each distinct screen text
    const std::int64_t* screen_ = nullptr;
    std::size_t screenStep_ = 0;
    NumberColumns columns_;
    bool usable_ = false;
};

// Here so that it inlines into the loop over rows.
inline void QuickReader::Read(std::size_t first, std::size_t count, BoxColumns& boxes,
                              ReadRows& read) const {
    if (!usable_) {
        for (std::size_t i = 0; i < count; ++i) {
            read[i] = false;
            boxes.asset[i] = 0;  // refused at once; the row goes to its texts
            boxes.dividendTicked[i] = false;
        }
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::int64_t screen = screen_[(first + i) * screenStep_];
        const std::optional<OptionKind> kind =
            screen >= 0 ? kinds_[static_cast<std::size_t>(screen)] : std::nullopt;
        boxes.kinds[i] = kind.value_or(OptionKind::Call);
        read[i] = kind.has_value();
    }
    ReadRowNumbers(columns_, first, count, boxes, read);
}

}  // namespace volantra
