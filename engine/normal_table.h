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

}  // namespace volantra
