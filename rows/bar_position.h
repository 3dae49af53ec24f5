#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "cycle/screen.h"

// A bar's position as a row gives it: a whole number within the bar's range.
namespace volantra {

/// The position a field's text gives, as plain digits (blanks and a plus sign allowed);
/// none where the text is no whole number within the bar's range.
std::optional<int> ReadPosition(std::string_view text, ScrollBar bar);

/// The position a number gives, as ReadPosition of its shortest text on a bar from
/// `lowest` to `highest`, into `position`: a whole number within the range and not a
/// negative zero, whose text "-0" has a sign; false (and 0) for any other number.
inline bool PositionOfNumber(double number, int lowest, int highest, int& position) {
    // No branch on the number, so that a loop over a column is vectorized.
    const bool within = number >= lowest && number <= highest && !std::signbit(number);
    const int whole = static_cast<int>(within ? number : 0.0);
    const bool read = within && whole == number;
    position = read ? whole : 0;
    return read;
}

/// PositionOfNumber of one bar as an optional.
inline std::optional<int> PositionOfNumber(double number, ScrollBar bar) {
    int position = 0;
    return PositionOfNumber(number, BarLowest(bar), BarHighest(bar), position)
               ? std::optional(position)
               : std::nullopt;
}

/// The message of a row whose position of `bar` is none.
std::string PositionMessage(ScrollBar bar);

}  // namespace volantra
