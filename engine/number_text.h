#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/engine_error.h"
#include "engine/powers_of_ten.h"

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
inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

/// True when the text holds nothing but blanks: a box the user left empty.
inline bool IsBlankText(std::string_view text) {
    return TrimBlanks(text).empty();
}

/// Text no plain decimal number starts with: what a number convention returns for text
/// that cannot be a number in it, so that ParseNumber refuses it.
inline constexpr std::string_view NOT_A_NUMBER_TEXT = "?";

/// Reads a plain decimal number (blanks around it, optional sign, digits with at most
/// one point, optional exponent) into the nearest float or double; underflow gives 0.
template <typename T>
Checked<T> ParseNumber(std::string_view text);

namespace number_text_detail {

// Relative distance from a half-integer beyond which the scaled value and its
// standard-precision decimal round to the same integer. For a single, y = |x|·10^d
// (d ≤ 4) is exact in double and its 7-digit decimal lies within 5e-7·y of it. For a
// double, y carries one rounding (2^-53·y) and its 15-digit decimal lies within
// 5e-15·y. Twice the bound keeps the test safe from the rounding of y·band itself.
template <typename Source>
inline constexpr double HALF_INTEGER_BAND = sizeof(Source) == sizeof(float) ? 1e-6 : 1e-14;
inline constexpr int QUICK_DECIMALS = 4;
inline constexpr double QUICK_LIMIT = 0x1p23;  // below it the units fit any single exactly

/// |value| rounded half away from zero to `decimals` places, through its standard-
/// precision decimal, as units of 10^−decimals; false where arithmetic cannot tell
/// (a double within the band around a half-integer, a single there below one unit, at
/// 2^23 units and beyond, not finite). Outside the band no half-integer lies between
/// the scaled value, its double and its decimal, so all three round to the same
/// nearest integer.
template <typename Source>
inline bool RoundQuickly(Source value, int decimals, std::uint64_t& units) {
    if (decimals < 0 || decimals > QUICK_DECIMALS) {
        return false;
    }
    const double y = std::fabs(static_cast<double>(value)) *
                     EXACT_POWERS_OF_TEN[static_cast<std::size_t>(decimals)];
    if (!(y < QUICK_LIMIT)) {  // also NaN
        return false;
    }
    const auto whole = static_cast<std::int64_t>(y);         // the floor, y being ≥ 0
    const double fraction = y - static_cast<double>(whole);  // exact
    if (std::fabs(fraction - 0.5) > y * HALF_INTEGER_BAND<Source>) {
        units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
        return true;
    }
    if constexpr (sizeof(Source) == sizeof(float)) {
        // Near a half-integer, a single's own seven digits decide, and they are exact:
        // y·10^k in [10^6, 10^7) carries 24 bits times 5^(d+k) ≤ 5^10, within 53.
        if (y >= 1) {
            int k = 6;
            while (k > 0 && y >= EXACT_POWERS_OF_TEN[static_cast<std::size_t>(7 - k)]) {
                --k;
            }
            const double z = y * EXACT_POWERS_OF_TEN[static_cast<std::size_t>(k)];
            auto digits = static_cast<std::uint64_t>(z);
            const double rest = z - static_cast<double>(digits);                 // exact
            digits += (rest > 0.5 || (rest == 0.5 && digits % 2 == 1)) ? 1 : 0;  // ties to even
            const auto unit =
                static_cast<std::uint64_t>(EXACT_POWERS_OF_TEN[static_cast<std::size_t>(k)]);
            units = (digits + unit / 2) / unit;  // then half away from zero at the last k digits
            return true;
        }
    }
    return false;
}

/// RoundViaText through the decimal digits themselves.
template <typename Dest, typename Source>
Dest RoundViaTextByDigits(Source value, int decimals);

}  // namespace number_text_detail

/// ParseNumber(FormatFixed(value, decimals)) into `Dest`; `value` must be finite.
template <typename Dest, typename Source>
inline Dest RoundViaText(Source value, int decimals) {
    std::uint64_t units = 0;
    if (!number_text_detail::RoundQuickly(value, decimals, units)) {
        return number_text_detail::RoundViaTextByDigits<Dest>(value, decimals);
    }
    if (units == 0) {
        return Dest{0};  // positive, as the text "0.00" reads
    }
    // Units below 2^23 and 10^decimals are exact: one correctly rounded division.
    const Dest magnitude =
        static_cast<Dest>(units) /
        static_cast<Dest>(EXACT_POWERS_OF_TEN[static_cast<std::size_t>(decimals)]);
    return std::signbit(value) ? -magnitude : magnitude;
}

/// ParseNumber(FormatGeneral(value)) into `Dest`; `value` must be finite.
template <typename Dest, typename Source>
Dest GeneralText(Source value);

}  // namespace volantra
