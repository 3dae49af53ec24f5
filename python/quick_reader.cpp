#include "python/quick_reader.h"

#include <limits>

namespace volantra {
namespace {

constexpr double EMPTY = std::numeric_limits<double>::quiet_NaN();

// The kind each distinct screen text names.
std::vector<std::optional<OptionKind>> KindsOf(const ColumnInput& screen) {
    std::vector<std::optional<OptionKind>> kinds;
    kinds.reserve(screen.texts.size());
    for (const std::string& text : screen.texts) {
        kinds.push_back(ReadKind(text));
    }
    return kinds;
}

}  // namespace

QuickReader::QuickReader(const RowInputs& inputs) : kinds_(KindsOf(inputs[Column::Screen])) {
    const ColumnInput& screen = inputs[Column::Screen];
    usable_ = !screen.Numeric();
    screen_ = screen.textOf.data();
    screenStep_ = screen.textOf.size() == 1 ? 0U : 1U;
    for (std::size_t c = 1; c < ENUM_COUNT<Column>; ++c) {
        const ColumnInput& column = inputs.items[c];
        usable_ = usable_ && column.Numeric();
        columns_.items[c] = column.Size() == 0
                                ? NumberColumn{&EMPTY, 0}
                                : NumberColumn{column.numbers.data(), column.Size() == 1 ? 0U : 1U};
    }
}

}  // namespace volantra
