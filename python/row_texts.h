#pragma once

#include <array>
#include <cstddef>

#include "python/array_pricer.h"

namespace volantra {

/// A row's fields as a file would hold them: each number as its shortest text.
class RowTexts {
public:
    explicit RowTexts(const RowInputs& inputs) : inputs_(inputs) {}

    /// The fields of row `row`, valid until the next call.
    const RowFields& Fields(std::size_t row);

private:
    const RowInputs& inputs_;
    std::array<std::array<char, 32>, ENUM_COUNT<Column>> buffers_{};
    RowFields fields_;
};

}  // namespace volantra
