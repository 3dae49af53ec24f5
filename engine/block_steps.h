#pragma once

#include <cstddef>
#include <span>

#include "engine/valuation.h"

// Two steps of the block valuation on their own, for programs that check them on every
// value of their domain. Each returns how many elements it had to finish one at a time.
namespace volantra {

/// densities[i] = NormalDensity(kind, d1[i]).
std::size_t NormalDensities(OptionKind kind, std::span<const float> d1,
                            std::span<double> densities);

/// logs[i] = the single of ln(x[i]) for positive singles, as the valuation stores the log
/// of the moneyness.
std::size_t LogsOfSingles(std::span<const float> x, std::span<float> logs);

}  // namespace volantra
