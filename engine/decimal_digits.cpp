#include "engine/decimal_digits.h"

#include "engine/powers_of_ten.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

namespace volantra {
namespace {

__extension__ typedef unsigned __int128 Wide;

// 10^0 to 10^24 in 128 bits, for the scaled values that leave 64.
constexpr std::array<Wide, 25> WIDE_POWERS_OF_TEN = POWERS_OF_TEN<Wide, 25>;

// Magnitudes whose scaled value m · 2^q · 10^s stays well inside 128 bits.
template <typename T>
constexpr double EXACT_LOW = sizeof(T) == sizeof(float) ? 1e-9 : 1e-6;
template <typename T>
constexpr double EXACT_HIGH = 1e9;

// floor(m · 2^q · 10^s), and how the remainder compares with one half (-1, 0, +1).
struct Scaled {
    Wide whole;
    int half;
};

Scaled Scale(std::uint64_t m, int q, int s) {
    // The common case in 64 bits: a single's mantissa times at most 10^11, shifted right.
    if (m < (std::uint64_t{1} << 24) && s >= 0 && s <= 11 && q < 0 && q > -64) {
        const std::uint64_t numerator = m * static_cast<std::uint64_t>(WIDE_POWERS_OF_TEN[s]);
        const std::uint64_t whole = numerator >> -q;
        const std::uint64_t remainder = numerator - (whole << -q);
        const std::uint64_t half = std::uint64_t{1} << (-q - 1);
        return {whole, remainder < half ? -1 : (remainder == half ? 0 : 1)};
    }
    Wide numerator = m;
    Wide denominator = 1;
    if (s >= 0) {
        numerator *= WIDE_POWERS_OF_TEN[s];
    } else {
        denominator = WIDE_POWERS_OF_TEN[-s];
    }
    if (q >= 0) {
        numerator <<= q;
    } else if (denominator == 1) {
        const Wide whole = numerator >> -q;
        const Wide remainder = numerator - (whole << -q);
        const Wide half = Wide{1} << (-q - 1);
        return {whole, remainder < half ? -1 : (remainder == half ? 0 : 1)};
    } else {
        denominator <<= -q;
    }
    const Wide whole = numerator / denominator;
    const Wide twice = 2 * (numerator - whole * denominator);
    return {whole, twice < denominator ? -1 : (twice == denominator ? 0 : 1)};
}

template <typename T>
DecimalDigits ExactDigits(T magnitude, bool negative) {
    constexpr int precision = STANDARD_DIGITS<T>;
    // magnitude = m · 2^q exactly, read off the encoding (the exact range holds normals only).
    constexpr int mantissaBits = std::numeric_limits<T>::digits;
    using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
    const auto bits = static_cast<std::uint64_t>(std::bit_cast<Bits>(magnitude));
    constexpr std::uint64_t fractionMask = (std::uint64_t{1} << (mantissaBits - 1)) - 1;
    const std::uint64_t m = (bits & fractionMask) | (fractionMask + 1);
    const int biased = static_cast<int>(bits >> (mantissaBits - 1));
    const int q = biased - (std::numeric_limits<T>::max_exponent - 1) - (mantissaBits - 1);
    const int binaryExponent = q + mantissaBits;  // magnitude in [2^(b-1), 2^b)

    // floor((binaryExponent - 1) · log10 2): the decimal exponent or one below it.
    int exponent = ((binaryExponent - 1) * 78913) >> 18;
    if (static_cast<double>(magnitude) >= NearestPowerOfTen(exponent + 1)) {
        ++exponent;  // a first guess; the loop below settles the boundary exactly
    }
    for (;;) {
        const Scaled scaled = Scale(m, q, precision - 1 - exponent);
        if (scaled.whole >= WIDE_POWERS_OF_TEN[precision]) {
            ++exponent;
            continue;
        }
        if (scaled.whole < WIDE_POWERS_OF_TEN[precision - 1]) {
            --exponent;
            continue;
        }
        auto significand = static_cast<std::uint64_t>(scaled.whole);
        if (scaled.half > 0 || (scaled.half == 0 && significand % 2 == 1)) {
            ++significand;
        }
        if (significand == WIDE_POWERS_OF_TEN[precision]) {  // 9.9999995 becomes 1.000000e+01
            significand /= 10;
            ++exponent;
        }
        return {negative, significand, exponent};
    }
}

// The digits of a single from 1e-5 up to 1e7 in double arithmetic: z = x·10^k with
// k = 6 − exponent lies in [10^6, 10^7) and is exact (24 bits times 5^k, k ≤ 12, stays
// within 53), so rounding it to an integer, ties to even, gives the 7 digits. A first
// guess of k one too large (13) gives a product that may be rounded, but at 10^7 or
// more, which the exact 10^7 still tells apart.
bool SingleDigitsQuickly(float magnitude, bool negative, DecimalDigits& digits) {
    const double x = magnitude;
    if (!(x >= 1e-5 && x < 1e7)) {
        return false;
    }
    const int binaryExponent =
        static_cast<int>(std::bit_cast<std::uint32_t>(magnitude) >> 23) - 127;
    int exponent = (binaryExponent * 78913) >> 18;  // floor(b·log10 2): the exponent or one below
    double z = x * EXACT_POWERS_OF_TEN[static_cast<std::size_t>(6 - exponent)];
    if (z >= 1e7) {
        ++exponent;
        z = x * EXACT_POWERS_OF_TEN[static_cast<std::size_t>(6 - exponent)];
    }
    auto whole = static_cast<std::uint64_t>(z);
    const double fraction = z - static_cast<double>(whole);  // exact
    whole += (fraction > 0.5 || (fraction == 0.5 && whole % 2 == 1)) ? 1 : 0;
    if (whole == 10'000'000) {  // 9999999.5 becomes 1.000000e+01 of the next power
        whole = 1'000'000;
        ++exponent;
    }
    digits = {negative, whole, exponent};
    return true;
}

}  // namespace

template <typename T>
DecimalDigits ToDecimalDigitsByText(T value) {
    constexpr int precision = STANDARD_DIGITS<T>;
    std::array<char, 40> buffer;
    const char* end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::scientific, precision - 1)
                          .ptr;
    // Layout: [-]d.ddddddde(+|-)xx[x]
    const char* p = buffer.data();
    DecimalDigits digits;
    digits.negative = (*p == '-');
    p += digits.negative ? 1 : 0;
    for (int i = 0; i < precision; ++i, ++p) {
        p += (*p == '.') ? 1 : 0;
        digits.significand = digits.significand * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    const bool negativeExponent = p[1] == '-';
    for (p += 2; p != end; ++p) {
        digits.exponent = digits.exponent * 10 + (*p - '0');
    }
    digits.exponent = negativeExponent ? -digits.exponent : digits.exponent;
    if (digits.significand == 0) {
        return {digits.negative, 0, 0};
    }
    return digits;
}

template <typename T>
DecimalDigits ToDecimalDigits(T value) {
    const T magnitude = std::fabs(value);
    if (magnitude == 0) {
        return {std::signbit(value), 0, 0};
    }
    if constexpr (sizeof(T) == sizeof(float)) {
        if (DecimalDigits digits; SingleDigitsQuickly(magnitude, std::signbit(value), digits)) {
            return digits;
        }
    }
    if (magnitude >= EXACT_LOW<T> && magnitude <= EXACT_HIGH<T>) {
        return ExactDigits(magnitude, std::signbit(value));
    }
    return ToDecimalDigitsByText(value);
}

template DecimalDigits ToDecimalDigits<float>(float);
template DecimalDigits ToDecimalDigits<double>(double);
template DecimalDigits ToDecimalDigitsByText<float>(float);
template DecimalDigits ToDecimalDigitsByText<double>(double);

}  // namespace volantra
