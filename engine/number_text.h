#pragma once

#include <array>
#include <bit>
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
inline constexpr double ROUNDING_SHIFT = 0x1p52;

// For y in [2^e, 2^(e+1)) below QUICK_LIMIT: the power of the decade 2^e lies in, and
// the next decade's start, the one other decade y may reach.
struct Decade {
    int power;
    double next;
};
inline constexpr std::array<Decade, 23> DECADES = [] {
    std::array<Decade, 23> decades{};
    double twoToE = 1;
    for (Decade& decade : decades) {
        std::size_t power = 0;
        while (EXACT_POWERS_OF_TEN[power + 1] <= twoToE) {
            ++power;
        }
        decade = {static_cast<int>(power), EXACT_POWERS_OF_TEN[power + 1]};
        twoToE *= 2;
    }
    return decades;
}();

/// |value| rounded half away from zero to `decimals` places, through its standard-
/// precision decimal, as a whole number of units of 10^−decimals; false where arithmetic
/// cannot tell (a double within the band around a half-integer, a single there below one
/// unit, at 2^23 units and beyond, not finite). Outside the band no half-integer lies
/// between the scaled value, its double and its decimal, so all three round to the same
/// nearest integer.
template <typename Source>
inline bool RoundQuickly(Source value, int decimals, double& units) {
    if (decimals < 0 || decimals > QUICK_DECIMALS) {
        return false;
    }
    const double y = std::fabs(static_cast<double>(value)) *
                     EXACT_POWERS_OF_TEN[static_cast<std::size_t>(decimals)];
    if (!(y < QUICK_LIMIT)) {  // also NaN
        return false;
    }
    // Below 2^52 the sum's last place is 1, so adding and taking away 2^52 rounds y to
    // the nearest integer without a trip through an integer register. y − nearest is
    // exact, and 0.5 minus its size is y's distance to a half-integer, rounded (by at
    // most 2^-54) only above a quarter, which the band's factor of two absorbs.
    const double nearest = (y + ROUNDING_SHIFT) - ROUNDING_SHIFT;
    if (0.5 - std::fabs(y - nearest) > y * HALF_INTEGER_BAND<Source>) {
        units = nearest;  // no tie: which way a tie goes does not arise
        return true;
    }
    if constexpr (sizeof(Source) == sizeof(float)) {
        // Near a half-integer, a single's own seven digits decide, and they are exact:
        // z = y·10^k in [10^6, 10^7) carries 24 bits times 5^(d+k) ≤ 5^10, within 53.
        if (y >= 1) {
            const auto binaryExponent =
                static_cast<std::size_t>((std::bit_cast<std::uint64_t>(y) >> 52U) - 1023U);
            const Decade& decade = DECADES[binaryExponent];
            const int k = 6 - decade.power - (y >= decade.next ? 1 : 0);
            const double unit = EXACT_POWERS_OF_TEN[static_cast<std::size_t>(k)];
            const double z = y * unit;
            const double digits = (z + ROUNDING_SHIFT) - ROUNDING_SHIFT;  // ties to even
            // Then half away from zero at the last k digits: the quotient is a whole
            // number or at least 10^-6 from one, far beyond its rounding error.
            units = static_cast<double>(static_cast<std::int64_t>((digits + unit / 2) / unit));
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
    double units = 0;
    if (!number_text_detail::RoundQuickly(value, decimals, units)) {
        return number_text_detail::RoundViaTextByDigits<Dest>(value, decimals);
    }
    // Units below 2^23 and 10^decimals are exact: one correctly rounded division.
    const Dest magnitude =
        static_cast<Dest>(units) /
        static_cast<Dest>(EXACT_POWERS_OF_TEN[static_cast<std::size_t>(decimals)]);
    // Adding +0 makes a zero result positive, as the text "0.00" reads.
    return std::copysign(magnitude, static_cast<Dest>(value)) + Dest{0};
}

/// ParseNumber(FormatGeneral(value)) into `Dest`; `value` must be finite.
template <typename Dest, typename Source>
Dest GeneralText(Source value);

}  // namespace volantra
