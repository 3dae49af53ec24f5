#pragma once

#include <array>
#include <cstddef>

namespace volantra {

inline constexpr std::size_t NORMAL_TABLE_SIZE = 821;

/// Φ(z) to four decimals, as singles: [1..410] for z = 0, -0.01, ..., -4.09 and
/// [411..820] for z = 0, 0.01, ..., 4.09; entry 0 is never read.
extern const std::array<float, NORMAL_TABLE_SIZE> NormalTable;

/// N(x) by linear interpolation around x's two-decimal key, rounded to four decimals;
/// NaN gives NaN.
float LookupNormal(float x);

/// Arguments of four decimals the table is read for: -4.0000 to 4.0000.
inline constexpr int FOUR_DECIMAL_ARGUMENTS = 80001;

/// LookupNormal of every argument of four decimals from -4 to 4, entry k for the single
/// nearest (k − 40000)/10000: a rounded d1 or d2 is always one of them, so a block of
/// rows reads its N(d1) and N(d2) with one load each. Built on first use.
const std::array<float, FOUR_DECIMAL_ARGUMENTS>& NormalOfFourDecimals();

}  // namespace volantra
