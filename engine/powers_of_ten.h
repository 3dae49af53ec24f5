#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Powers of ten for the number text, computed once at compile time.
namespace volantra {

/// 10^0 to 10^(N−1) in `T`, which must hold 10^(N−1) exactly.
template <typename T, std::size_t N>
inline constexpr std::array<T, N> POWERS_OF_TEN = [] {
    std::array<T, N> powers{};
    T power = 1;
    for (T& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

/// 10^0 to 10^19: every power of ten a 64-bit unsigned whole number holds.
inline constexpr std::array<std::uint64_t, 20> WHOLE_POWERS_OF_TEN =
    POWERS_OF_TEN<std::uint64_t, 20>;

/// The largest power of ten a double holds exactly; singles hold up to 10^10.
inline constexpr int LARGEST_EXACT_DOUBLE_POWER = 22;

/// 10^0 to 10^22, each exact: a product of exact factors that is itself exact.
inline constexpr std::array<double, LARGEST_EXACT_DOUBLE_POWER + 1> EXACT_POWERS_OF_TEN =
    POWERS_OF_TEN<double, LARGEST_EXACT_DOUBLE_POWER + 1>;

/// The doubles nearest 10^−22 to 10^22; the negative powers are correctly rounded
/// quotients of exact operands.
inline constexpr std::array<double, 2 * LARGEST_EXACT_DOUBLE_POWER + 1> NEAREST_POWERS_OF_TEN = [] {
    std::array<double, 2 * LARGEST_EXACT_DOUBLE_POWER + 1> powers{};
    for (int p = -LARGEST_EXACT_DOUBLE_POWER; p <= LARGEST_EXACT_DOUBLE_POWER; ++p) {
        const int magnitude = p < 0 ? -p : p;
        const int index = p + LARGEST_EXACT_DOUBLE_POWER;
        const double exact = EXACT_POWERS_OF_TEN[static_cast<std::size_t>(magnitude)];
        powers[static_cast<std::size_t>(index)] = p < 0 ? 1.0 / exact : exact;
    }
    return powers;
}();

/// The double nearest 10^power, for −22 ≤ power ≤ 22.
constexpr double NearestPowerOfTen(int power) {
    const int index = power + LARGEST_EXACT_DOUBLE_POWER;
    return NEAREST_POWERS_OF_TEN[static_cast<std::size_t>(index)];
}

}  // namespace volantra
