#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "engine/powers_of_ten.h"

// Writing a number already rounded through text, many to a line: the text it was read
// from, recovered from the number itself without a string.
namespace volantra {

namespace rounded_text_detail {

// Units from which a number is not written: 2^32 − 1, below which they fit 32 bits.
inline constexpr double MOST_UNITS = 0x1p32 - 1;

// The digits of 0 to 99, two by two.
inline constexpr std::array<char, 200> DIGIT_PAIRS = [] {
    std::array<char, 200> pairs{};
    for (std::size_t i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// Writes the last `count` digits of `value` right to left, ending before `end`.
template <int Count>
void WriteLastDigits(std::uint32_t value, char* end) {
    for (int i = 0; i < Count / 2; ++i, value /= 100) {
        end -= 2;
        std::memcpy(end, &DIGIT_PAIRS[static_cast<std::size_t>(value % 100) * 2], 2);
    }
    if constexpr (Count % 2 == 1) {
        *--end = static_cast<char>('0' + value % 10);
    }
}

// Writes `value` from `out` on; one past its last digit.
inline char* WriteWhole(std::uint32_t value, char* out) {
    int count = 1;
    for (std::uint32_t rest = value; rest >= 10; rest /= 10) {
        ++count;
    }
    char* const end = out + count;
    char* p = end;
    for (; value >= 100; value /= 100) {
        p -= 2;
        std::memcpy(p, &DIGIT_PAIRS[static_cast<std::size_t>(value % 100) * 2], 2);
    }
    if (value >= 10) {
        std::memcpy(p - 2, &DIGIT_PAIRS[static_cast<std::size_t>(value) * 2], 2);
    } else {
        p[-1] = static_cast<char>('0' + value);
    }
    return end;
}

// Below 2^32 units, rounded × 10^Decimals lies within 2^-20 of the units it was read
// from; the divisions by constants are multiplications.
template <int Decimals>
char* WriteRoundedUnits(double rounded, char point, char* out) {
    constexpr double power = EXACT_POWERS_OF_TEN[Decimals];
    const double scaled = std::fabs(rounded) * power;
    if (!(scaled < MOST_UNITS)) {
        return nullptr;
    }
    // Within 2^-20 of a whole number, so no half is near: adding one rounds.
    const auto units =
        static_cast<std::uint32_t>(scaled + 0.5);  // NOLINT(bugprone-incorrect-roundings)
    if (units != 0 && std::signbit(rounded)) {
        *out++ = '-';  // a zero result has no sign
    }
    out = WriteWhole(units / static_cast<std::uint32_t>(power), out);
    if constexpr (Decimals > 0) {
        *out++ = point;
        out += Decimals;
        WriteLastDigits<Decimals>(units % static_cast<std::uint32_t>(power), out);
    }
    return out;
}

}  // namespace rounded_text_detail

/// Room WriteRoundedFixed needs.
inline constexpr std::size_t ROUNDED_TEXT_ROOM = 16;

/// True when WriteRoundedFixed writes `rounded` at `decimals` (0 to 4).
inline bool WritesRoundedFixed(double rounded, int decimals) {
    return decimals >= 0 && decimals <= 4 &&
           std::fabs(rounded) * EXACT_POWERS_OF_TEN[static_cast<std::size_t>(decimals)] <
               rounded_text_detail::MOST_UNITS;
}

/// Writes `rounded`, a number RoundViaText gave at `decimals` (0 to 4), as FormatFixed
/// wrote the text it read, with `point` for the decimal symbol, from `out` on (room for
/// 16 characters); one past the last character, or nullptr from 2^32 − 1 units on.
inline char* WriteRoundedFixed(double rounded, int decimals, char point, char* out) {
    switch (decimals) {
        case 0:
            return rounded_text_detail::WriteRoundedUnits<0>(rounded, point, out);
        case 1:
            return rounded_text_detail::WriteRoundedUnits<1>(rounded, point, out);
        case 2:
            return rounded_text_detail::WriteRoundedUnits<2>(rounded, point, out);
        case 3:
            return rounded_text_detail::WriteRoundedUnits<3>(rounded, point, out);
        case 4:
            return rounded_text_detail::WriteRoundedUnits<4>(rounded, point, out);
        default:
            return nullptr;
    }
}

}  // namespace volantra
