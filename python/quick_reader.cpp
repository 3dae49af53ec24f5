#include "python/quick_reader.h"

#include <cmath>
#include <limits>

#include "engine/shortest_text.h"
#include "rows/bar_position.h"

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
    screen_ = Strided<std::int64_t>{screen.textOf.data(), screen.textOf.size() == 1 ? 0U : 1U};
    for (std::size_t c = 1; c < ENUM_COUNT<Column>; ++c) {
        const ColumnInput& column = inputs.items[c];
        usable_ = usable_ && column.Numeric();
        columns_.items[c] = column.Size() == 0 ? Strided<double>{&EMPTY, 0}
                                               : Strided<double>{column.numbers.data(),
                                                                 column.Size() == 1 ? 0U : 1U};
    }
}

bool QuickReader::Read(std::size_t row, OptionKind& kind, BoxNumbers& numbers) const {
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

bool QuickReader::Single(Column column, std::size_t row, float& number) const {
    const std::optional<float> read = SingleWithoutText(Number(column, row));
    number = read.value_or(0.0F);
    return read.has_value();
}

bool QuickReader::Bar(ScrollBar bar, std::size_t row, int& position) const {
    const std::optional<int> read = PositionOfNumber(Number(BarColumn(bar), row), bar);
    position = read.value_or(0);
    return read.has_value();
}

// With any dividend field filled, all three must read without text.
bool QuickReader::Dividend(std::size_t row, BoxNumbers& numbers) const {
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
