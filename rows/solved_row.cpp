#include "rows/solved_row.h"

#include "engine/number_text.h"

namespace volantra {
namespace {

// The target of a row; none, with the row's message, when the row cannot be solved.
std::optional<double> ReadTarget(const RowFields& fields, ScrollBar bar,
                                 const NumberConventions& conventions, std::string& message) {
    if (!IsBlankText(fields[BarColumn(bar)])) {
        AddMessage(message,
                   std::string(BarName(bar)) + " is what --solve finds: leave its column empty");
        return std::nullopt;
    }
    const std::string_view text = TrimBlanks(fields[Column::Target]);
    if (text.empty()) {
        AddMessage(message, "Value is needed: the option value to solve for");
        return std::nullopt;
    }
    const Checked<double> target = ParseNumber<double>(Canonical(conventions, text));
    if (!target.Ok()) {
        AddMessage(message, "Value is not a number");
        return std::nullopt;
    }
    return target.value;
}

}  // namespace

void SolveRow(ScrollBar bar, const RowFields& fields, const NumberConventions& conventions,
              SolvedRow& row) {
    row.priced.message.clear();
    row.priced.valued.reset();
    row.position.reset();
    row.matches.clear();
    const std::optional<double> target = ReadTarget(fields, bar, conventions, row.priced.message);
    OptionKind kind{};
    ScreenInputs screen;
    if (!target || !ReadRowScreen(fields, bar, kind, screen, row.priced.message)) {
        return;
    }
    const BarSearch search = SearchBar(ValueAlongBar(kind, bar, screen, conventions), *target);
    if (!search.matches.empty()) {
        screen.Position(bar) = search.matches.front();
        PriceScreen(kind, screen, conventions, row.priced);
        row.position = search.matches.front();
        row.matches = PositionRanges(search.matches);
    } else if (search.nearest) {
        AddMessage(row.priced.message,
                   NearestMessage(bar, TrimBlanks(fields[Column::Target]), search, conventions));
    } else {
        PriceScreen(kind, screen, conventions, row.priced);  // no position valued: its message
    }
}

std::string NearestMessage(ScrollBar bar, std::string_view typed, const BarSearch& search,
                           const NumberConventions& conventions) {
    return "No " + std::string(COLUMN_NAMES[BarColumn(bar)]) + " from " +
           std::to_string(BarLowest(bar)) + " to " + std::to_string(BarHighest(bar)) + " shows " +
           std::string(typed) + "; the nearest is " + std::to_string(*search.nearest) +
           ", which shows " + Localized(conventions, ShownValueText(search.nearestValue));
}

}  // namespace volantra
