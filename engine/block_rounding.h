#pragma once

#include <cstddef>
#include <span>

// Rounding through text for many numbers at a time, with vector instructions: the same
// results as RoundViaText<double> element by element, to the last bit.
namespace volantra {

/// rounded[i] = RoundViaText<double>(values[i], decimals) for finite singles, decimals ≤ 4;
/// returns how many had to be rounded one at a time.
std::size_t RoundSinglesViaText(std::span<const float> values, int decimals,
                                std::span<double> rounded);

/// RoundSinglesViaText of singles held widened in doubles, as block columns hold them.
std::size_t RoundWidenedSinglesViaText(std::span<const double> singles, int decimals,
                                       std::span<double> rounded);

/// rounded[i] = RoundViaText<double>(values[i], decimals) for finite doubles, decimals ≤ 4;
/// returns how many had to be rounded one at a time.
std::size_t RoundDoublesViaText(std::span<const double> values, int decimals,
                                std::span<double> rounded);

}  // namespace volantra
