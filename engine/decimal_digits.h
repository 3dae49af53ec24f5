#pragma once

#include <cstdint>

// The first step of every number text: a value's digits at its width's standard
// precision (7 for a single, 15 for a double), correctly rounded from the binary value
// with an exact tie going to the even digit, as to_chars(value, scientific, P - 1) writes.
namespace volantra {

template <typename T>
inline constexpr int STANDARD_DIGITS = sizeof(T) == sizeof(float) ? 7 : 15;

/// ±significand × 10^(exponent − P + 1), significand in [10^(P−1), 10^P); 0 for zero.
struct DecimalDigits {
    bool negative = false;
    std::uint64_t significand = 0;
    int exponent = 0;  ///< power of ten of the first digit
};

/// The standard-precision digits of a finite value, by exact integer arithmetic where
/// it fits and by std::to_chars elsewhere.
template <typename T>
DecimalDigits ToDecimalDigits(T value);

/// The same digits read off std::to_chars alone; the reference for ToDecimalDigits.
template <typename T>
DecimalDigits ToDecimalDigitsByText(T value);

}  // namespace volantra
