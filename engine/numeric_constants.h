#pragma once

namespace volantra {

/// Stands for Euler's number in every exponential of the engine.
inline constexpr double E_APPROX = 2.7182;

/// Stands for 2π under the square root of the normal density.
inline constexpr double TWO_PI_APPROX = 6.283185308;

/// Converts day counts into years.
inline constexpr double DAYS_PER_YEAR = 365.0;

/// Converts percentages into fractions.
inline constexpr double PERCENT = 100.0;

}  // namespace volantra
