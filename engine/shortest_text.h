#pragma once

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

// A double read as a box reads the text that round-trips it: 100.5 as typed "100.5".
namespace volantra {

/// The shortest text that round-trips `number` ("100.5", "20", "1e+20"), written into
/// `buffer`; empty for NaN.
inline std::string_view ShortestText(double number, std::array<char, 32>& buffer) {
    if (std::isnan(number)) {
        return {};
    }
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
    return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

/// ParseNumber<float> of ShortestText(number) by arithmetic into `single`, or false (and 0)
/// where only the text can tell.
// The shortest text d of a double x reads as the double x again. Reading d as a single
// gives the single nearest d, and the cast gives the single nearest x; they differ only
// if a midpoint m between two singles lies between x and d, both included. Such an m
// (25 bits) is itself a double, so m strictly between them would be a double nearer d
// than x; m = d makes d a double, so d = x. Hence they differ only where x is a midpoint,
// where the cast ties to even and the digits may round away: that case takes the text.
// Outside the normal range of singles the text's overflow and underflow rules apply.
inline bool SingleWithoutText(double number, float& single) {
    // In the normal range a single keeps 23 of a double's 52 fraction bits; the double
    // lies halfway between two singles when the other 29 are a one and then zeros.
    constexpr std::uint64_t belowSingle = (std::uint64_t{1} << 29) - 1;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(number);
    const double magnitude = std::fabs(number);
    const bool normal = magnitude >= static_cast<double>(std::numeric_limits<float>::min()) &&
                        magnitude <= static_cast<double>(std::numeric_limits<float>::max());
    const bool midpoint = (bits & belowSingle) == std::uint64_t{1} << 28;
    const bool read = bits == 0 || (normal && !midpoint);
    single = read ? static_cast<float>(number) : 0.0F;
    return read;
}

/// SingleWithoutText as an optional.
inline std::optional<float> SingleWithoutText(double number) {
    float single = 0;
    return SingleWithoutText(number, single) ? std::optional(single) : std::nullopt;
}

/// The number as a whole number from `lowest` to `highest` (at least 0), as plain digits
/// read: into `whole`, or false (and 0) where it is no such number or a negative zero,
/// whose text "-0" has a sign.
inline bool WholeNumberWithin(double number, int lowest, int highest, int& whole) {
    const bool within = number >= lowest && number <= highest && !std::signbit(number);
    const int truncated = static_cast<int>(within ? number : 0.0);
    const bool read = within && truncated == number;
    whole = read ? truncated : 0;
    return read;
}

/// ParseNumber<double> of ShortestText(number): the double itself, which that text
/// round-trips; none for a negative zero, whose text has a sign, and where not finite.
inline std::optional<double> DoubleWithoutText(double number) {
    if (!std::isfinite(number) || (number == 0 && std::signbit(number))) {
        return std::nullopt;
    }
    return number;
}

}  // namespace volantra
