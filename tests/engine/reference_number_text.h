#pragma once

// The number text by its plain definition, for checking the fast code against:
// to_chars to the standard digits, decimal rounding on the digit string, from_chars.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "engine/number_text.h"

namespace volantra::reference {

/// Significant digits of the standard text: 7 for singles, 15 for doubles.
template <typename T>
inline constexpr int kStandardDigits = std::numeric_limits<T>::digits == 24 ? 7 : 15;

/// FormatFixed by definition: the standard digits, then the fixed layout rounded half
/// away from zero at `decimals`, with no sign on zero.
template <typename T>
std::string Fixed(T value, int decimals) {
    char buffer[64];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, kStandardDigits<T> - 1)
                          .ptr;
    const std::string text(static_cast<const char*>(buffer), end);
    const bool negative = text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    constexpr int kDigits = kStandardDigits<T>;
    std::string digits = text.substr(first, 1);
    if (kDigits > 1) {
        digits += text.substr(first + 2, kDigits - 1);
    }
    const int exponent = std::stoi(text.substr(text.find('e') + 1));

    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
        digits.append(static_cast<std::size_t>(exponent) + 1, '0');
        whole = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
        fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    } else {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const auto kept = static_cast<std::size_t>(decimals);
    fraction.append(kept + 1, '0');
    const bool up = fraction[kept] >= '5';
    std::string number = whole + fraction.substr(0, kept);
    if (up) {
        std::size_t i = number.size();
        while (i > 0 && number[i - 1] == '9') {
            number[--i] = '0';
        }
        if (i == 0) {
            number.insert(number.begin(), '1');
        } else {
            ++number[i - 1];
        }
    }
    const std::size_t split = number.size() - kept;
    std::string integer = number.substr(0, split);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    std::string result = integer + (decimals > 0 ? "." + number.substr(split) : "");
    const bool zero = number.find_first_not_of('0') == std::string::npos;
    return (negative && !zero ? "-" : "") + result;
}

/// The Dest that plain decimal text reads as: nearest, ±infinity beyond the range, but
/// ±largest for text no larger than the largest value's own standard text.
template <typename Dest>
Dest Read(const std::string& text) {
    Dest value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc::result_out_of_range) {
        return value;
    }
    const bool negative = text[0] == '-';
    long double magnitude = 0;
    std::from_chars(text.data() + (negative ? 1 : 0), text.data() + text.size(), magnitude);
    if (magnitude < 1) {
        return negative ? -Dest{0} : Dest{0};
    }
    const std::string largest = FormatGeneral(std::numeric_limits<Dest>::max());
    long double largestMagnitude = 0;
    std::from_chars(largest.data(), largest.data() + largest.size(), largestMagnitude);
    const Dest limit = magnitude <= largestMagnitude ? std::numeric_limits<Dest>::max()
                                                     : std::numeric_limits<Dest>::infinity();
    return negative ? -limit : limit;
}

/// RoundViaText by definition.
template <typename Dest, typename T>
Dest RoundedViaText(T value, int decimals) {
    return Read<Dest>(Fixed(value, decimals));
}

/// GeneralText by definition: the standard digits read into Dest; zero is written "0".
template <typename Dest, typename T>
Dest General(T value) {
    if (value == 0) {
        return Dest{0};
    }
    char buffer[64];
    const char* end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::general, kStandardDigits<T>)
                          .ptr;
    return Read<Dest>(std::string(static_cast<const char*>(buffer), end));
}

}  // namespace volantra::reference
