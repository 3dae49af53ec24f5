#pragma once

#include <string>
#include <string_view>

#include "engine/engine_error.h"

// Canonical number text: a point as decimal symbol, no digit grouping, '-' for
// negatives. The screens translate it to and from the user's locale.
namespace volantra {

/// Exactly `decimals` digits after the point: the value's 7 (single) or 15 (double)
/// significant digits, rounded half away from zero; a zero result has no minus sign.
std::string FormatFixed(float value, int decimals);
/// Double-precision form of FormatFixed: 15 significant digits before rounding.
std::string FormatFixed(double value, int decimals);

/// General text: at most 7 significant digits, trailing zeros dropped ("0.35", "5", "1e-05").
std::string FormatGeneral(float value);
/// Double-precision form of FormatGeneral: at most 15 significant digits.
std::string FormatGeneral(double value);

/// True for the blanks a number may stand between: space and tab.
constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

/// The text without the blanks at either end.
std::string_view TrimBlanks(std::string_view text);

/// True when the text holds nothing but blanks: a box the user left empty.
inline bool IsBlankText(std::string_view text) {
    return TrimBlanks(text).empty();
}

/// Reads a plain decimal number (blanks around it, optional sign, digits with at most
/// one point, optional exponent) into the nearest float or double; underflow gives 0.
template <typename T>
Checked<T> ParseNumber(std::string_view text);

/// ParseNumber(FormatFixed(value, decimals)) into `Dest`; `value` must be finite.
template <typename Dest, typename Source>
Dest RoundViaText(Source value, int decimals);

/// ParseNumber(FormatGeneral(value)) into `Dest`; `value` must be finite.
template <typename Dest, typename Source>
Dest GeneralText(Source value);

}  // namespace volantra
