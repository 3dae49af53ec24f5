#pragma once

#include <array>
#include <bit>
#include <cstdint>

#include "engine/valuation.h"

namespace volantra::testing {

/// True when two valuations agree to the last bit: the same error, and where valued
/// the same bits in every field.
inline bool SameBits(const Checked<PricingResult>& a, const Checked<PricingResult>& b) {
    if (a.error != b.error) {
        return false;
    }
    const PricingResult& x = a.value;
    const PricingResult& y = b.value;
    const std::array<std::array<float, 2>, 17> singles = {{
        {x.growthFactor, y.growthFactor},
        {x.moneyness, y.moneyness},
        {x.logMoneyness, y.logMoneyness},
        {x.halfVarianceTerm, y.halfVarianceTerm},
        {x.sigmaRootT, y.sigmaRootT},
        {x.d1Raw, y.d1Raw},
        {x.d1, y.d1},
        {x.d2Raw, y.d2Raw},
        {x.d2, y.d2},
        {x.nd1, y.nd1},
        {x.nd2, y.nd2},
        {x.optionValue, y.optionValue},
        {x.delta, y.delta},
        {x.gamma, y.gamma},
        {x.theta, y.theta},
        {x.vega, y.vega},
        {x.rho, y.rho},
    }};
    for (const auto& [u, v] : singles) {
        if (std::bit_cast<std::uint32_t>(u) != std::bit_cast<std::uint32_t>(v)) {
            return false;
        }
    }
    return std::bit_cast<std::uint64_t>(x.density) == std::bit_cast<std::uint64_t>(y.density);
}

}  // namespace volantra::testing
