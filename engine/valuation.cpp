#include "engine/valuation.h"

#include <cmath>

#include "engine/normal_table.h"
#include "engine/number_text.h"
#include "engine/numeric_constants.h"

// Every formula is evaluated in double from widened singles and rounded once, to the
// width of the field that receives it; each store below is such a rounding point.
namespace volantra {
namespace {

constexpr float CALL_DENSITY_CUTOFF = -30.0f;

// Stores into a single; false when the value lies beyond the single range.
bool StoreSingle(double value, float& destination) {
    destination = static_cast<float>(value);
    return std::isfinite(destination);
}

// 1 / (E_APPROX ^ (d1² / 2) · √TWO_PI_APPROX); where the power leaves the double
// range the density is its limit, 0.
double RawDensity(float d1) {
    const double power = std::pow(E_APPROX, std::pow(static_cast<double>(d1), 2) / 2);
    const double denominator = power * std::sqrt(TWO_PI_APPROX);
    return std::isfinite(denominator) ? 1.0 / denominator : 0.0;
}

bool AllFinite(const PricingInputs& in) {
    return std::isfinite(in.assetPrice) && std::isfinite(in.strikePrice) &&
           std::isfinite(in.timeToMaturity) && std::isfinite(in.interestRate) &&
           std::isfinite(in.volatility) && std::isfinite(in.dividendPresentValue);
}

EngineError CheckLimits(const PricingInputs& in) {
    if (!AllFinite(in)) {
        return EngineError::OutOfRange;
    }
    if (in.strikePrice <= 0) {
        return EngineError::StrikeNotPositive;
    }
    if (in.timeToMaturity <= 0) {
        return EngineError::MaturityNotPositive;
    }
    if (in.volatility <= 0) {
        return EngineError::VolatilityNotPositive;
    }
    if (static_cast<double>(in.assetPrice) - in.dividendPresentValue <= 0) {
        return EngineError::AssetNotAboveDividend;
    }
    if (in.assetPrice <= 0) {
        return EngineError::AssetNotPositive;  // reachable only with a negative dividend
    }
    return EngineError::None;
}

// The inputs widened to double once, as every formula reads them.
struct Operands {
    double S, K, T, r, sigma, netAsset;  // netAsset = S − PVD

    explicit Operands(const PricingInputs& in)
        : S(in.assetPrice),
          K(in.strikePrice),
          T(in.timeToMaturity),
          r(in.interestRate),
          sigma(in.volatility),
          netAsset(S - in.dividendPresentValue) {}
};

// Growth factor through d2, shared by call and put; false on a result beyond range.
bool ValueSharedSteps(const Operands& in, PricingResult& out) {
    const auto [S, K, T, r, sigma, netAsset] = in;

    if (!StoreSingle(std::pow(E_APPROX, r * T), out.growthFactor) || out.growthFactor == 0) {
        return false;
    }
    if (!StoreSingle((netAsset * out.growthFactor) / K, out.moneyness) || out.moneyness == 0) {
        return false;
    }
    out.logMoneyness = static_cast<float>(std::log(static_cast<double>(out.moneyness)));
    if (!StoreSingle((std::pow(sigma, 2) * T) / 2, out.halfVarianceTerm)) {
        return false;
    }
    if (!StoreSingle(sigma * std::sqrt(T), out.sigmaRootT) || out.sigmaRootT == 0) {
        return false;
    }
    const double d1Raw =
        (static_cast<double>(out.halfVarianceTerm) + out.logMoneyness) / out.sigmaRootT;
    if (!StoreSingle(d1Raw, out.d1Raw)) {
        return false;
    }
    out.d1 = RoundViaText<float>(out.d1Raw, 4);
    if (!StoreSingle(static_cast<double>(out.d1) - out.sigmaRootT, out.d2Raw)) {
        return false;
    }
    out.d2 = RoundViaText<float>(out.d2Raw, 4);
    return true;
}

// What sets a call apart from a put; everything else follows one formula for both.
struct KindTerms {
    double density;      // the normal density at d1, in the kind's own precision
    double optionValue;  // before its store into a single
    float delta;
    double thetaCarry;  // theta's interest term, added to the shared time-decay term
    double rho;         // before its store into a single
};

KindTerms CallTerms(const Operands& in, const PricingResult& out) {
    const auto [S, K, T, r, sigma, netAsset] = in;
    const double growth = out.growthFactor;
    const double nd2 = out.nd2;
    return {
        .density = NormalDensity(OptionKind::Call, out.d1),
        .optionValue = (netAsset * out.nd1) - ((nd2 * K) / growth),
        .delta = out.nd1,
        .thetaCarry = -(((r * K) * nd2) / growth),
        .rho = ((K * T) * nd2) / growth,
    };
}

KindTerms PutTerms(const Operands& in, const PricingResult& out) {
    const auto [S, K, T, r, sigma, netAsset] = in;
    const double growth = out.growthFactor;
    const double nq1 = 1.0 - out.nd1;  // N(-d1) of the model
    const double nq2 = 1.0 - out.nd2;  // N(-d2) of the model
    return {
        .density = NormalDensity(OptionKind::Put, out.d1),
        .optionValue = (K * nq2) / growth - netAsset * nq1,
        .delta = static_cast<float>(static_cast<double>(out.nd1) - 1.0),
        .thetaCarry = ((r * K) * nq2) / growth,
        .rho = ((-K * T) * nq2) / growth,
    };
}

// Value and Greeks from the kind's terms; gamma, vega and theta's time-decay term read
// only the density.
bool ValueGreeks(const Operands& in, const KindTerms& terms, PricingResult& out) {
    const auto [S, K, T, r, sigma, netAsset] = in;
    out.density = terms.density;
    out.delta = terms.delta;
    bool fits = StoreSingle(terms.optionValue, out.optionValue);
    fits &= StoreSingle(out.density / (S * out.sigmaRootT), out.gamma);
    const double timeDecay = -((sigma * S) * out.density) / (std::sqrt(T) + std::sqrt(T));
    fits &= StoreSingle(timeDecay + terms.thetaCarry, out.theta);
    fits &= StoreSingle((S * out.density) * std::sqrt(T), out.vega);
    fits &= StoreSingle(terms.rho, out.rho);
    return fits;
}

}  // namespace

Checked<float> DividendPresentValue(float dividendAmount, float dividendRate, float dividendTime) {
    if (!std::isfinite(dividendAmount) || !std::isfinite(dividendRate) ||
        !std::isfinite(dividendTime)) {
        return {0, EngineError::OutOfRange};
    }
    const double exponent = static_cast<double>(dividendRate) * dividendTime;  // exact
    const double growth = std::pow(E_APPROX, exponent);
    if (growth == 0) {
        return {0, EngineError::OutOfRange};
    }
    // Past the double range the growth is infinite and the present value its limit, 0.
    const double presentValue = std::isfinite(growth) ? dividendAmount / growth : 0.0;
    const float rounded = RoundViaText<float>(presentValue, 2);
    if (!std::isfinite(rounded)) {
        return {0, EngineError::OutOfRange};
    }
    return {rounded, EngineError::None};
}

double NormalDensity(OptionKind kind, float d1) {
    if (kind == OptionKind::Call) {
        return d1 < CALL_DENSITY_CUTOFF ? 0.0 : RoundViaText<double>(RawDensity(d1), 4);
    }
    // The put keeps its density as a single, never rounded to decimals, with no cut-off.
    return static_cast<float>(RawDensity(d1));
}

EngineError InputsFault(const PricingInputs& inputs) {
    return CheckLimits(inputs);
}

Checked<PricingResult> ValueOption(OptionKind kind, const PricingInputs& inputs) {
    Checked<PricingResult> outcome = {PricingResult{}, CheckLimits(inputs)};
    if (!outcome.Ok()) {
        return outcome;
    }
    PricingResult& out = outcome.value;
    const Operands operands(inputs);
    if (!ValueSharedSteps(operands, out)) {
        return {PricingResult{}, EngineError::OutOfRange};
    }
    out.nd1 = LookupNormal(out.d1);
    out.nd2 = LookupNormal(out.d2);
    const KindTerms terms =
        kind == OptionKind::Call ? CallTerms(operands, out) : PutTerms(operands, out);
    if (!ValueGreeks(operands, terms, out)) {
        return {PricingResult{}, EngineError::OutOfRange};
    }
    return outcome;
}

}  // namespace volantra
