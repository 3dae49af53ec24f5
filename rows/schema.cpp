#include "rows/schema.h"

#include "engine/number_text.h"

namespace volantra {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

}  // namespace

std::optional<OptionKind> ReadKind(std::string_view text) {
    text = TrimBlanks(text);
    for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
        if (EqualsIgnoringCase(text, KindName(kind))) {
            return kind;
        }
    }
    return std::nullopt;
}

std::optional<ScrollBar> BarNamed(std::string_view name) {
    for (ScrollBar bar : {ScrollBar::Volatility, ScrollBar::Interest}) {
        if (name == COLUMN_NAMES[BarColumn(bar)]) {
            return bar;
        }
    }
    return std::nullopt;
}

std::optional<GreekUnits> UnitsNamed(std::string_view name) {
    for (GreekUnits units : {GreekUnits::Screen, GreekUnits::Trader}) {
        if (name == UNIT_NAMES[units]) {
            return units;
        }
    }
    return std::nullopt;
}

Column ColumnNamed(std::string_view name) {
    const auto known =
        std::find_if(COLUMN_NAMES.begin(), COLUMN_NAMES.end(),
                     [name](std::string_view n) { return EqualsIgnoringCase(n, name); });
    return static_cast<Column>(known - COLUMN_NAMES.begin());
}

std::string ColumnList(std::span<const Column> columns) {
    std::string list;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        list += i == 0 ? "" : i + 1 == columns.size() ? " and " : ", ";
        list += COLUMN_NAMES[columns[i]];
    }
    return list;
}

std::string MissingColumnMessage(Column column, bool solving) {
    if (column == Column::Target) {
        return "--solve needs a value column: the option value the screen shows";
    }
    return "the header has no column \"" + std::string(COLUMN_NAMES[column]) + "\"; it needs " +
           ColumnList(NEEDED_COLUMNS) + (solving ? ", value" : "") + ", and may add " +
           ColumnList(DIVIDEND_COLUMNS);
}

}  // namespace volantra
