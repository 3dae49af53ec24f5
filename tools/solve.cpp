// --solve: the positions of a bar whose shown value equals the target, as a user finds
// them by moving the bar until the value shows.
#include <optional>

#include "cycle/along_bar.h"
#include "engine/number_text.h"
#include "tools/batch_pricer.h"

namespace volantra {
namespace {

std::string Localized(const std::string& canonical, const NumberConventions& conventions) {
    return conventions.fromCanonical ? conventions.fromCanonical(canonical) : canonical;
}

// The target of a row; empty, with the row's message, when the row cannot be solved.
std::optional<double> ReadTarget(const Fields& field, ScrollBar bar,
                                 const NumberConventions& conventions, RowOutcome& row) {
    if (!IsBlankText(field[BarColumn(bar)])) {
        AddMessage(row,
                   std::string(BarName(bar)) + " is what --solve finds: leave its column empty");
        return std::nullopt;
    }
    const std::string_view text = TrimBlanks(field[Column::Target]);
    if (text.empty()) {
        AddMessage(row, "Value is needed: the option value to solve for");
        return std::nullopt;
    }
    const Checked<double> target = ParseNumber<double>(
        conventions.toCanonical ? conventions.toCanonical(text) : std::string(text));
    if (!target.Ok()) {
        AddMessage(row, "Value is not a number");
        return std::nullopt;
    }
    return target.value;
}

}  // namespace

void BatchPricer::Solve(Fields& field, RowOutcome& row) const {
    const ScrollBar bar = *options_.solve;
    const std::optional<double> target = ReadTarget(field, bar, conventions_, row);
    OptionKind kind{};
    ScreenInputs inputs;
    if (!target || !ReadScreen(field, row, kind, inputs)) {
        return;  // the bar's column is echoed as it came
    }
    const BarSearch search = SearchBar(ValueAlongBar(kind, bar, inputs, conventions_), *target);
    int& position =
        bar == ScrollBar::Volatility ? inputs.volatilityPercent : inputs.interestPercent;
    if (!search.matches.empty()) {
        position = search.matches.front();
        RunCycle(kind, inputs, row);
        row.solved = std::to_string(position);
        row.matches = PositionRanges(search.matches);
        field[BarColumn(bar)] = row.solved;
    } else if (search.nearest) {
        AddMessage(row, "No " + std::string(BATCH_COLUMN_NAMES[BarColumn(bar)]) + " from " +
                            std::to_string(BarLowest(bar)) + " to " +
                            std::to_string(BarHighest(bar)) + " shows " +
                            std::string(TrimBlanks(field[Column::Target])) + "; the nearest is " +
                            std::to_string(*search.nearest) + ", which shows " +
                            Localized(ShownValueText(search.nearestValue), conventions_));
    } else {
        RunCycle(kind, inputs, row);  // no position valued: the cycle's own message
    }
}

}  // namespace volantra
