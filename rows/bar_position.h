#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cycle/screen.h"
#include "engine/shortest_text.h"

// A bar's position as a row gives it: a whole number within the bar's range.
namespace volantra {

/// The position a field's text gives, as plain digits (blanks and a plus sign allowed);
/// none where the text is no whole number within the bar's range.
std::optional<int> ReadPosition(std::string_view text, ScrollBar bar);

/// The position a number gives, as ReadPosition of its shortest text: a whole number
/// within the range and not a negative zero, whose text "-0" has a sign.
inline std::optional<int> PositionOfNumber(double number, ScrollBar bar) {
    int position = 0;
    return WholeNumberWithin(number, BarLowest(bar), BarHighest(bar), position)
               ? std::optional(position)
               : std::nullopt;
}

/// The message of a row whose position of `bar` is none.
std::string PositionMessage(ScrollBar bar);

}  // namespace volantra
