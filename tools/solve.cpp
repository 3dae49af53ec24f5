// --solve: the positions of a bar whose shown value equals the target, as a user finds
// them by moving the bar until the value shows.
#include <cmath>
#include <optional>

#include "engine/number_text.h"
#include "tools/batch_pricer.h"

namespace volantra {
namespace {

// What moving the bar over every position finds.
struct BarSearch {
    std::vector<int> matches;  // the positions that show the target, lowest first
    std::optional<int> nearest;
    float nearestValue = 0;
};

BarSearch SearchBar(const BarValues& along, double target) {
    BarSearch search;
    double nearestDistance = 0;
    for (std::size_t i = 0; i < along.optionValues.size(); ++i) {
        if (!along.optionValues[i]) {
            continue;
        }
        const float value = *along.optionValues[i];
        const double shown = ShownValue(value);
        const int position = along.lowest + static_cast<int>(i);
        if (shown == target) {
            search.matches.push_back(position);
        }
        const double distance = std::fabs(shown - target);
        if (!search.nearest || distance < nearestDistance) {
            search.nearest = position;
            nearestDistance = distance;
            search.nearestValue = value;
        }
    }
    return search;
}

// Positions as ranges of consecutive ones: "29-31 40".
std::string Ranges(const std::vector<int>& positions) {
    std::string text;
    for (std::size_t i = 0; i < positions.size();) {
        std::size_t j = i;
        while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1) {
            ++j;
        }
        if (!text.empty()) {
            text.push_back(' ');
        }
        text += std::to_string(positions[i]);
        if (j > i) {
            text += '-' + std::to_string(positions[j]);
        }
        i = j + 1;
    }
    return text;
}

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
    if (!target.ok()) {
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
        row.matches = Ranges(search.matches);
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
