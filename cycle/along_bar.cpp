#include "cycle/along_bar.h"

#include <cmath>

#include "cycle/shown_results.h"

namespace volantra {

// The boxes are read and the dividend valued once; only the bar's fraction changes.
BarValues ValueAlongBar(OptionKind kind, ScrollBar bar, const ScreenInputs& screen,
                        const NumberConventions& conventions) {
    BarValues along;
    along.lowest = BarLowest(bar);
    const int positions = BarHighest(bar) - along.lowest + 1;
    const auto count = static_cast<std::size_t>(positions);
    along.reading = ReadBoxes(screen, conventions);
    ValuationInputs valuation = InputsOfNumbers(along.reading.numbers);
    if (!along.reading.Read() || valuation.fault != InputBox::Count) {
        const EngineError error =
            along.reading.Read() ? EngineError::OutOfRange : EngineError::NotANumber;
        along.positions.assign(count, {{}, error});
        return along;
    }
    float& moved =
        bar == ScrollBar::Volatility ? valuation.inputs.volatility : valuation.inputs.interestRate;
    std::vector<PricingInputs> rows(count, valuation.inputs);
    for (std::size_t i = 0; i < count; ++i) {
        moved = BarFraction(along.lowest + static_cast<int>(i));
        rows[i] = valuation.inputs;
    }
    along.positions.resize(count);
    ValueOptions(std::vector<OptionKind>(count, kind), rows, along.positions);
    return along;
}

BarSearch SearchBar(const BarValues& along, double target) {
    BarSearch search;
    double nearestDistance = 0;
    for (std::size_t i = 0; i < along.positions.size(); ++i) {
        if (!along.positions[i].Ok()) {
            continue;
        }
        const float value = along.positions[i].value.optionValue;
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

std::string PositionRanges(const std::vector<int>& positions) {
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

}  // namespace volantra
