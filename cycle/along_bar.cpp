#include "cycle/along_bar.h"

#include <cmath>

namespace volantra {

BarResults ResultsAlongBar(OptionKind kind, ScrollBar bar, const ScreenInputs& screen,
                           const NumberConventions& conventions) {
    BarResults along;
    along.lowest = BarLowest(bar);
    along.positions.resize(static_cast<std::size_t>(BarHighest(bar) - along.lowest + 1));
    ScreenInputs at = screen;
    int& position = bar == ScrollBar::Volatility ? at.volatilityPercent : at.interestPercent;
    for (std::size_t i = 0; i < along.positions.size(); ++i) {
        position = along.lowest + static_cast<int>(i);
        Recalculate(kind, bar, at, conventions, along.positions[i]);
    }
    return along;
}

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
