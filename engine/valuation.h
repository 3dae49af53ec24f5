#pragma once

#include <cstddef>
#include <span>

#include "engine/engine_error.h"

namespace volantra {

/// The inputs of one valuation.
struct PricingInputs {
    float assetPrice = 0;            ///< S, currency
    float strikePrice = 0;           ///< K, currency
    double timeToMaturity = 0;       ///< T, years of 365 days
    float interestRate = 0;          ///< r, fraction per year
    float volatility = 0;            ///< σ, fraction per year
    float dividendPresentValue = 0;  ///< PVD, currency, 2 decimals; 0 without a dividend
};

/// The outputs of one valuation, in the order they are computed.
struct PricingResult {
    float growthFactor = 0;      ///< E_APPROX ^ (r·T)
    float moneyness = 0;         ///< (S − PVD)·growthFactor / K
    float logMoneyness = 0;      ///< ln(moneyness)
    float halfVarianceTerm = 0;  ///< σ²·T / 2
    float sigmaRootT = 0;        ///< σ·√T
    float d1Raw = 0;             ///< d1 before rounding
    float d1 = 0;                ///< d1 to 4 decimals
    float d2Raw = 0;             ///< d1 − σ·√T before rounding
    float d2 = 0;                ///< d2 to 4 decimals
    float nd1 = 0;               ///< N(d1) from the normal table
    float nd2 = 0;               ///< N(d2) from the normal table
    float optionValue = 0;       ///< currency
    double density = 0;          ///< normal density at d1 (call: 4 decimals; put: a single)
    float delta = 0;             ///< per unit of asset price
    float gamma = 0;             ///< change of delta per unit of asset price
    float theta = 0;             ///< per year of elapsed time
    float vega = 0;              ///< per 1.00 of volatility
    float rho = 0;               ///< per 1.00 of interest rate
};

enum class OptionKind { Call, Put };

/// Present value of a dividend (rate per year, time in years), rounded to 2 decimals.
Checked<float> DividendPresentValue(float dividendAmount, float dividendRate, float dividendTime);

/// Values a call or a put; fails on inputs outside the model's limits.
Checked<PricingResult> ValueOption(OptionKind kind, const PricingInputs& inputs);

/// The normal density at d1 as a valuation of `kind` takes it: a call's to 4 decimals
/// (0 below d1 = -30), a put's as a single.
double NormalDensity(OptionKind kind, float d1);

/// Why the inputs cannot be valued, or EngineError::None.
EngineError InputsFault(const PricingInputs& inputs);

/// ValueOption on every row of `outcomes` (kinds and inputs hold as many), many rows at a
/// time with vector instructions: the same results to the last bit. Returns how many
/// rows had to be finished one at a time, where a vector step could not be sure.
std::size_t ValueOptions(std::span<const OptionKind> kinds, std::span<const PricingInputs> inputs,
                         std::span<Checked<PricingResult>> outcomes);

/// ValueOption for a call.
inline Checked<PricingResult> ValueCall(const PricingInputs& inputs) {
    return ValueOption(OptionKind::Call, inputs);
}

/// ValueOption for a put.
inline Checked<PricingResult> ValuePut(const PricingInputs& inputs) {
    return ValueOption(OptionKind::Put, inputs);
}

}  // namespace volantra
