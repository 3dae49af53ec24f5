#include "rows/bar_position.h"

#include "engine/number_text.h"
#include "rows/schema.h"

namespace volantra {

std::optional<int> ReadPosition(std::string_view text, ScrollBar bar) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    while (text.size() > 1 && text.front() == '0') {
        text.remove_prefix(1);
    }
    if (text.size() > 9) {
        return std::nullopt;  // beyond any position, and nine digits cannot overflow an int
    }
    int value = 0;
    for (char c : text) {
        const auto digit = static_cast<unsigned>(c - '0');
        if (digit > 9) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<int>(digit);
    }
    if (value < BarLowest(bar) || value > BarHighest(bar)) {
        return std::nullopt;
    }
    return value;
}

std::string PositionMessage(ScrollBar bar) {
    return std::string(BarName(bar)) + " must be a whole number from " +
           std::to_string(BarLowest(bar)) + " to " + std::to_string(BarHighest(bar));
}

}  // namespace volantra
