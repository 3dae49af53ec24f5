#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

// Doubles drawn where reading a column could go wrong: any bit pattern, the singles and
// the midpoints between them with their neighbours, the edges of the singles' range,
// whole numbers about the bars' ranges and their halves, and decimals of 0 to 4 places.
namespace volantra::testing {

/// The next such double from `random`.
inline double ColumnNumber(std::mt19937_64& random) {
    const std::uint64_t word = random();
    const auto pick = static_cast<unsigned>(word % 8);
    const std::uint64_t more = random();
    const double sign = (more & 1U) != 0 ? -1.0 : 1.0;
    switch (pick) {
        case 0:
        case 1:
            return std::bit_cast<double>(more);
        case 2: {  // a single, or its midpoint with the next, nudged by a few doubles
            const auto low = std::bit_cast<float>(static_cast<std::uint32_t>(more >> 32U));
            const double next = std::nextafter(low, HUGE_VALF);
            const double at = (more & 2U) != 0 ? (static_cast<double>(low) + next) / 2 : low;
            const auto nudge = static_cast<std::int64_t>((more >> 2U) % 5) - 2;
            return std::bit_cast<double>(std::bit_cast<std::uint64_t>(at) +
                                         static_cast<std::uint64_t>(nudge));
        }
        case 3: {  // about the least and the largest single
            const std::array<double, 2> edges = {std::numeric_limits<float>::min(),
                                                 std::numeric_limits<float>::max()};
            const auto nudge = static_cast<std::int64_t>((more >> 2U) % (1U << 30U)) - (1 << 29);
            return sign *
                   std::bit_cast<double>(std::bit_cast<std::uint64_t>(edges[(more >> 1U) & 1U]) +
                                         static_cast<std::uint64_t>(nudge));
        }
        case 4:  // whole numbers and halves about the bars' ranges, a sign on zero
            return sign * static_cast<double>((more >> 1U) % 620) / 2 - 5;
        case 5:
            return sign * 0.0;
        default: {  // a decimal of 0 to 4 places, as a file's column holds it
            const double units = static_cast<double>((more >> 1U) % 100000000);
            return units / std::pow(10.0, static_cast<double>((more >> 40U) % 5));
        }
    }
}

}  // namespace volantra::testing
