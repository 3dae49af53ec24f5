#include "python/row_texts.h"

#include "engine/shortest_text.h"

namespace volantra {

const RowFields& RowTexts::Fields(std::size_t row) {
    for (std::size_t c = 0; c < ENUM_COUNT<Column>; ++c) {
        const ColumnInput& column = inputs_.items[c];
        const std::size_t at = column.Size() == 1 ? 0 : row;
        if (column.Size() == 0) {
            fields_.items[c] = {};
        } else if (column.Numeric()) {
            fields_.items[c] = ShortestText(column.numbers[at], buffers_[c]);
        } else {
            const std::int64_t text = column.textOf[at];
            fields_.items[c] = text < 0
                                   ? std::string_view()
                                   : std::string_view(column.texts[static_cast<std::size_t>(text)]);
        }
    }
    return fields_;
}

}  // namespace volantra
