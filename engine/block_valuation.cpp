// ValueOptions: rows valued a vector at a time, each lane giving ValueOption's digits.
// Every step is the one-row step's IEEE operation in the same order; only E_APPROX^x and
// ln, whose vector forms are not glibc's to the last bit, are bracketed by their error
// bound, and a row whose bracket straddles a rounding boundary, or that meets anything
// out of the ordinary, is valued by ValueOption instead. Built for every instruction set
// Highway knows and dispatched at run time, so the baseline x86-64 still runs it.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/block_valuation.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
// foreach_target.h must come first: it includes this file again for each target.
#include <hwy/highway.h>

#include "engine/block_valuation.h"
#include "engine/vector_steps-inl.h"

HWY_BEFORE_NAMESPACE();
namespace volantra::HWY_NAMESPACE {
namespace {

constexpr std::size_t D1_AND_D2_DECIMALS = 4;
constexpr std::size_t DENSITY_DECIMALS = 4;
constexpr double CALL_DENSITY_CUTOFF = -30.0;
constexpr double TWO_PI_APPROX_VALUE = 6.283185308;
constexpr double DENSITY_ROUNDINGS = 0x1p-50;

// A stored single that must be finite (and, where asked, not zero) to go on.
M Usable(D d, V value, bool nonZero = false) {
    const M finite = hn::IsFinite(value);
    return nonZero ? hn::And(finite, hn::Ne(value, hn::Zero(d))) : finite;
}

// The growth factor through d2, as ValueSharedSteps takes them.
void SharedSteps(D d, BlockColumns& c, std::size_t i, M& settled) {
    const V strike = hn::Load(d, &c.strike[i]);
    const V time = hn::Load(d, &c.time[i]);
    const V sigma = hn::Load(d, &c.volatility[i]);
    M valid;
    const Approximation power = PowerOfE(d, hn::Mul(hn::Load(d, &c.interest[i]), time), valid);
    const V growth = SingleOf(d, Around(d, power.value, power.slack), settled);
    settled = hn::And(settled, hn::And(valid, Usable(d, growth, true)));
    const V moneyness = Single(d, hn::Div(hn::Mul(hn::Load(d, &c.netAsset[i]), growth), strike));
    settled = hn::And(settled, Usable(d, moneyness, true));
    // A lane left aside may hold any moneyness; ln reads 1 there instead.
    const V logMoneyness =
        SingleOf(d, LogOf(d, hn::IfThenElse(settled, moneyness, hn::Set(d, 1.0))), settled);
    // Halving is exact, as a division by 2 or a multiplication by 1/2.
    const V halfVariance =
        Single(d, hn::Mul(hn::Mul(hn::Mul(sigma, sigma), time), hn::Set(d, 0.5)));
    const V sigmaRootT = Single(d, hn::Mul(sigma, hn::Sqrt(time)));
    const V d1Raw = Single(d, hn::Div(hn::Add(halfVariance, logMoneyness), sigmaRootT));
    settled = hn::And(settled, hn::And(Usable(d, halfVariance), Usable(d, sigmaRootT, true)));
    settled = hn::And(settled, Usable(d, d1Raw));
    const V d1 = RoundSingleViaText<true>(d, d1Raw, D1_AND_D2_DECIMALS, settled);
    const V d2Raw = Single(d, hn::Sub(d1, sigmaRootT));
    settled = hn::And(settled, Usable(d, d2Raw));
    const V d2 = RoundSingleViaText<true>(d, d2Raw, D1_AND_D2_DECIMALS, settled);
    hn::Store(growth, d, &c.growth[i]);
    hn::Store(moneyness, d, &c.moneyness[i]);
    hn::Store(logMoneyness, d, &c.logMoneyness[i]);
    hn::Store(halfVariance, d, &c.halfVariance[i]);
    hn::Store(sigmaRootT, d, &c.sigmaRootT[i]);
    hn::Store(d1Raw, d, &c.d1Raw[i]);
    hn::Store(d1, d, &c.d1[i]);
    hn::Store(d2Raw, d, &c.d2Raw[i]);
    hn::Store(d2, d, &c.d2[i]);
}

// The normal density at d1: a call's to four decimals (0 below the cut-off), a put's as
// a single. Where the power leaves the vector exp's range it exceeds e^700 and both
// densities are 0, as the one-row valuation's are.
V Density(D d, V d1, M call, M& settled) {
    M inRange;
    const Approximation power = PowerOfE(d, hn::Mul(hn::Mul(d1, d1), hn::Set(d, 0.5)), inRange);
    const V root = hn::Sqrt(hn::Set(d, TWO_PI_APPROX_VALUE));
    // 1/(power·root) moves by the power's slack and by its own two roundings.
    const V slack = hn::Add(power.slack, hn::Set(d, DENSITY_ROUNDINGS));
    const Bracket raw = Around(d, hn::Div(hn::Set(d, 1.0), hn::Mul(power.value, root)), slack);
    M putSettled = settled;
    const V putDensity = SingleOf(d, raw, putSettled);
    M callSettled = settled;
    const V units = UnitsOfDouble(d, raw.low, DENSITY_DECIMALS, callSettled);
    callSettled = hn::And(callSettled,
                          hn::Eq(units, UnitsOfDouble(d, raw.high, DENSITY_DECIMALS, callSettled)));
    const V callDensity = hn::Div(units, hn::Set(d, EXACT_POWERS_OF_TEN[DENSITY_DECIMALS]));
    const M cutOff = hn::Or(hn::Lt(d1, hn::Set(d, CALL_DENSITY_CUTOFF)), hn::Not(inRange));
    const M callZero = hn::And(call, cutOff);
    const M putZero = hn::AndNot(call, hn::Not(inRange));
    const M callKnown = hn::And(call, hn::Or(callSettled, callZero));
    const M putKnown = hn::AndNot(call, hn::Or(putSettled, putZero));
    settled = hn::And(settled, hn::Or(callKnown, putKnown));
    return hn::IfThenElseZero(hn::Not(hn::Or(callZero, putZero)),
                              hn::IfThenElse(call, callDensity, putDensity));
}

// What sets a call apart from a put, as CallTerms and PutTerms give it.
struct KindTerms {
    V optionValue;
    V delta;
    V thetaCarry;
    V rho;
};

// Each quotient serves both kinds: with N(-d) = 1 − N(d) in a put's place, a put's
// terms are a call's with the sign turned, which IEEE arithmetic does exactly.
KindTerms TermsOfKind(D d, const BlockColumns& c, std::size_t i, M call) {
    const V strike = hn::Load(d, &c.strike[i]);
    const V growth = hn::Load(d, &c.growth[i]);
    const V nd1 = hn::Load(d, &c.nd1[i]);
    const V nd2 = hn::Load(d, &c.nd2[i]);
    const V one = hn::Set(d, 1.0);
    const V n1 = hn::IfThenElse(call, nd1, hn::Sub(one, nd1));
    const V n2 = hn::IfThenElse(call, nd2, hn::Sub(one, nd2));
    const V held = hn::Mul(hn::Load(d, &c.netAsset[i]), n1);
    const V owed = hn::Div(hn::Mul(n2, strike), growth);
    const V carry = hn::Div(hn::Mul(hn::Mul(hn::Load(d, &c.interest[i]), strike), n2), growth);
    const V rho = hn::Div(hn::Mul(hn::Mul(strike, hn::Load(d, &c.time[i])), n2), growth);
    return {hn::IfThenElse(call, hn::Sub(held, owed), hn::Sub(owed, held)),
            hn::IfThenElse(call, nd1, Single(d, hn::Sub(nd1, one))),
            hn::IfThenElse(call, hn::Neg(carry), carry), hn::IfThenElse(call, rho, hn::Neg(rho))};
}

// N(d1) and N(d2) through the value and the five Greeks, as ValueGreeks takes them.
void KindSteps(D d, BlockColumns& c, std::size_t i, const float* lookups, M& settled) {
    const M call = hn::Ne(hn::Load(d, &c.call[i]), hn::Zero(d));
    hn::Store(NormalOf(d, hn::Load(d, &c.d1[i]), lookups), d, &c.nd1[i]);
    hn::Store(NormalOf(d, hn::Load(d, &c.d2[i]), lookups), d, &c.nd2[i]);
    const V density = Density(d, hn::Load(d, &c.d1[i]), call, settled);
    const KindTerms terms = TermsOfKind(d, c, i, call);
    const V asset = hn::Load(d, &c.asset[i]);
    const V rootT = hn::Sqrt(hn::Load(d, &c.time[i]));
    const V sigma = hn::Load(d, &c.volatility[i]);
    const V value = Single(d, terms.optionValue);
    const V gamma = Single(d, hn::Div(density, hn::Mul(asset, hn::Load(d, &c.sigmaRootT[i]))));
    const V timeDecay =
        hn::Div(hn::Neg(hn::Mul(hn::Mul(sigma, asset), density)), hn::Add(rootT, rootT));
    const V theta = Single(d, hn::Add(timeDecay, terms.thetaCarry));
    const V vega = Single(d, hn::Mul(hn::Mul(asset, density), rootT));
    const V rho = Single(d, terms.rho);
    settled = hn::And(settled, hn::And(Usable(d, value), Usable(d, gamma)));
    settled = hn::And(settled, hn::And(Usable(d, theta), hn::And(Usable(d, vega), Usable(d, rho))));
    hn::Store(value, d, &c.value[i]);
    hn::Store(density, d, &c.density[i]);
    hn::Store(terms.delta, d, &c.delta[i]);
    hn::Store(gamma, d, &c.gamma[i]);
    hn::Store(theta, d, &c.theta[i]);
    hn::Store(vega, d, &c.vega[i]);
    hn::Store(rho, d, &c.rho[i]);
}

}  // namespace

// Where the inputs pass every check of InputsFault, so that only the others need it.
M Plain(D d, const BlockColumns& c, std::size_t i) {
    const V zero = hn::Zero(d);
    const V asset = hn::Load(d, &c.asset[i]);
    const V strike = hn::Load(d, &c.strike[i]);
    const V time = hn::Load(d, &c.time[i]);
    const V sigma = hn::Load(d, &c.volatility[i]);
    const M finite =
        hn::And(hn::And(hn::IsFinite(asset), hn::IsFinite(strike)),
                hn::And(hn::IsFinite(time), hn::IsFinite(hn::Load(d, &c.interest[i]))));
    const M alsoFinite = hn::And(hn::IsFinite(sigma), hn::IsFinite(hn::Load(d, &c.dividend[i])));
    const M positive = hn::And(hn::And(hn::Gt(strike, zero), hn::Gt(time, zero)),
                               hn::And(hn::Gt(sigma, zero), hn::Gt(asset, zero)));
    return hn::And(hn::And(finite, alsoFinite),
                   hn::And(positive, hn::Gt(hn::Load(d, &c.netAsset[i]), zero)));
}

/// Values the first `count` rows of a block, marking those it settles; the lanes past
/// `count` in the last vector are read but not settled.
void ValueVectors(BlockColumns& c, std::size_t count, const float* lookups) {
    const D d;
    const std::size_t lanes = hn::Lanes(d);
    for (std::size_t i = 0; i < count; i += lanes) {
        hn::Store(hn::IfThenElseZero(Plain(d, c, i), hn::Set(d, 1.0)), d, &c.plain[i]);
        M settled = hn::FirstN(d, count - i);
        SharedSteps(d, c, i, settled);
        KindSteps(d, c, i, lookups, settled);
        StoreSettled(d, settled, &c.settled[i]);
    }
}

/// Density() on whole vectors of d1 for one kind; settled[i] is 1 where density[i] holds.
std::size_t DensityVectors(const float* d1, std::size_t count, bool call, double* density,
                           double* settled) {
    const D d;
    const hn::Rebind<float, D> singles;
    const std::size_t lanes = hn::Lanes(d);
    std::size_t settledCount = 0;
    for (std::size_t i = 0; i < count; i += lanes) {
        M known = hn::FirstN(d, lanes);
        const V x = hn::PromoteTo(d, hn::LoadU(singles, d1 + i));
        const M kind = hn::FirstN(d, call ? lanes : 0);
        hn::StoreU(Density(d, x, kind, known), d, density + i);
        settledCount += StoreSettled(d, known, settled + i);
    }
    return settledCount;
}

/// The single of ln(x) on whole vectors of positive singles, as the valuation stores the
/// log of the moneyness; settled[i] is 1 where logs[i] holds.
std::size_t LogVectors(const float* x, std::size_t count, float* logs, double* settled) {
    const D d;
    const hn::Rebind<float, D> singles;
    const std::size_t lanes = hn::Lanes(d);
    std::size_t settledCount = 0;
    for (std::size_t i = 0; i < count; i += lanes) {
        M known = hn::FirstN(d, lanes);
        const V log = SingleOf(d, LogOf(d, hn::PromoteTo(d, hn::LoadU(singles, x + i))), known);
        hn::StoreU(hn::DemoteTo(singles, log), singles, logs + i);
        settledCount += StoreSettled(d, known, settled + i);
    }
    return settledCount;
}

/// DividendPresentValue on whole vectors of rows; settled[i] is 1 where present[i] holds.
std::size_t PresentValueVectors(const double* amount, const double* rate, const double* time,
                                std::size_t count, double* present, double* settled) {
    const D d;
    const std::size_t lanes = hn::Lanes(d);
    std::size_t settledCount = 0;
    for (std::size_t i = 0; i < count; i += lanes) {
        M known;
        const V exponent = hn::Mul(hn::LoadU(d, rate + i), hn::LoadU(d, time + i));
        const Approximation power = PowerOfE(d, exponent, known);
        const Bracket growth = Around(d, power.value, power.slack);
        const V value = hn::LoadU(d, amount + i);
        // The quotient moves the other way from the growth; either way its ends round alike.
        const V units = UnitsOfDouble(d, hn::Abs(hn::Div(value, growth.low)), 2, known);
        known = hn::And(
            known, hn::Eq(units, UnitsOfDouble(d, hn::Abs(hn::Div(value, growth.high)), 2, known)));
        const hn::Rebind<float, D> singles;
        const V magnitude =
            hn::PromoteTo(d, hn::Div(hn::DemoteTo(singles, units), hn::Set(singles, 100.0F)));
        hn::StoreU(hn::Add(hn::CopySign(magnitude, value), hn::Zero(d)), d, present + i);
        settledCount += StoreSettled(d, known, settled + i);
    }
    return settledCount;
}

/// Lanes of a vector of doubles.
std::size_t BlockLanes() {
    return hn::Lanes(D());
}

}  // namespace volantra::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include <algorithm>

#include <cmath>

#include "engine/block_chunks.h"
#include "engine/block_steps.h"
#include "engine/normal_table.h"
#include "engine/valuation.h"

namespace volantra {
HWY_EXPORT(ValueVectors);
HWY_EXPORT(DensityVectors);
HWY_EXPORT(LogVectors);
HWY_EXPORT(BlockLanes);
HWY_EXPORT(PresentValueVectors);

namespace {

PricingInputs InputsOfRow(const BlockColumns& c, std::size_t i) {
    const auto single = [](double value) { return static_cast<float>(value); };
    return {.assetPrice = single(c.asset[i]),
            .strikePrice = single(c.strike[i]),
            .timeToMaturity = c.time[i],
            .interestRate = single(c.interest[i]),
            .volatility = single(c.volatility[i]),
            .dividendPresentValue = single(c.dividend[i])};
}

void PutResult(BlockColumns& c, std::size_t i, const PricingResult& result) {
    c.growth[i] = result.growthFactor;
    c.moneyness[i] = result.moneyness;
    c.logMoneyness[i] = result.logMoneyness;
    c.halfVariance[i] = result.halfVarianceTerm;
    c.sigmaRootT[i] = result.sigmaRootT;
    c.d1Raw[i] = result.d1Raw;
    c.d1[i] = result.d1;
    c.d2Raw[i] = result.d2Raw;
    c.d2[i] = result.d2;
    c.nd1[i] = result.nd1;
    c.nd2[i] = result.nd2;
    c.value[i] = result.optionValue;
    c.density[i] = result.density;
    c.delta[i] = result.delta;
    c.gamma[i] = result.gamma;
    c.theta[i] = result.theta;
    c.vega[i] = result.vega;
    c.rho[i] = result.rho;
}

}  // namespace

void PutInputs(BlockColumns& block, std::size_t i, OptionKind kind, const PricingInputs& inputs) {
    block.asset[i] = inputs.assetPrice;
    block.strike[i] = inputs.strikePrice;
    block.time[i] = inputs.timeToMaturity;
    block.interest[i] = inputs.interestRate;
    block.volatility[i] = inputs.volatility;
    block.dividend[i] = inputs.dividendPresentValue;
    block.netAsset[i] = static_cast<double>(inputs.assetPrice) - inputs.dividendPresentValue;
    block.call[i] = kind == OptionKind::Call ? 1.0 : 0.0;
}

PricingResult ResultOfRow(const BlockColumns& c, std::size_t i) {
    const auto single = [](double value) { return static_cast<float>(value); };
    return {
        .growthFactor = single(c.growth[i]),
        .moneyness = single(c.moneyness[i]),
        .logMoneyness = single(c.logMoneyness[i]),
        .halfVarianceTerm = single(c.halfVariance[i]),
        .sigmaRootT = single(c.sigmaRootT[i]),
        .d1Raw = single(c.d1Raw[i]),
        .d1 = single(c.d1[i]),
        .d2Raw = single(c.d2Raw[i]),
        .d2 = single(c.d2[i]),
        .nd1 = single(c.nd1[i]),
        .nd2 = single(c.nd2[i]),
        .optionValue = single(c.value[i]),
        .density = c.density[i],
        .delta = single(c.delta[i]),
        .gamma = single(c.gamma[i]),
        .theta = single(c.theta[i]),
        .vega = single(c.vega[i]),
        .rho = single(c.rho[i]),
    };
}

std::size_t ValueBlock(BlockColumns& block, std::size_t count) {
    static const float* const lookups = NormalOfFourDecimals().data();
    // The last vector's spare lanes are computed and thrown away; they must hold numbers.
    const std::size_t lanes = HWY_DYNAMIC_DISPATCH(BlockLanes)();
    for (std::size_t i = count; i < std::min(BLOCK_ROWS, count + lanes); ++i) {
        PutInputs(block, i, OptionKind::Call, {});
    }
    HWY_DYNAMIC_DISPATCH(ValueVectors)(block, count, lookups);
    std::size_t byOneRow = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (block.plain[i] != 0 && block.settled[i] != 0) {
            block.errors[i] = EngineError::None;
            continue;
        }
        const PricingInputs inputs = InputsOfRow(block, i);
        block.errors[i] = InputsFault(inputs);
        if (block.errors[i] != EngineError::None || block.settled[i] != 0) {
            continue;
        }
        const OptionKind kind = block.call[i] != 0 ? OptionKind::Call : OptionKind::Put;
        const Checked<PricingResult> alone = ValueOption(kind, inputs);
        block.errors[i] = alone.error;
        PutResult(block, i, alone.value);
        ++byOneRow;
    }
    return byOneRow;
}

std::size_t ValueOptions(std::span<const OptionKind> kinds, std::span<const PricingInputs> inputs,
                         std::span<Checked<PricingResult>> outcomes) {
    BlockColumns block;
    std::size_t byOneRow = 0;
    for (std::size_t first = 0; first < outcomes.size(); first += BLOCK_ROWS) {
        const std::size_t count = std::min(BLOCK_ROWS, outcomes.size() - first);
        for (std::size_t i = 0; i < count; ++i) {
            PutInputs(block, i, kinds[first + i], inputs[first + i]);
        }
        byOneRow += ValueBlock(block, count);
        for (std::size_t i = 0; i < count; ++i) {
            const EngineError error = block.errors[i];
            outcomes[first + i] = {
                error == EngineError::None ? ResultOfRow(block, i) : PricingResult{}, error};
        }
    }
    return byOneRow;
}

std::size_t NormalDensities(OptionKind kind, std::span<const float> d1,
                            std::span<double> densities) {
    const bool call = kind == OptionKind::Call;
    return RunInChunks(
        d1, densities, HWY_DYNAMIC_DISPATCH(BlockLanes)(),
        [call](const float* in, std::size_t count, double* out, double* settled) {
            return HWY_DYNAMIC_DISPATCH(DensityVectors)(in, count, call, out, settled);
        },
        [kind](float x) { return NormalDensity(kind, x); });
}

void DividendPresentValues(std::span<const float> amounts, std::span<const float> rates,
                           std::span<const float> times, std::span<Checked<float>> present) {
    constexpr std::size_t chunk = BLOCK_ROWS;
    std::array<double, chunk> amount;
    std::array<double, chunk> rate;
    std::array<double, chunk> time;
    std::array<double, chunk> value;
    std::array<double, chunk> settled;
    const std::size_t lanes = HWY_DYNAMIC_DISPATCH(BlockLanes)();
    for (std::size_t first = 0; first < present.size(); first += chunk) {
        const std::size_t count = std::min(chunk, present.size() - first);
        bool finite = true;
        for (std::size_t i = 0; i < count; ++i) {
            amount[i] = amounts[first + i];
            rate[i] = rates[first + i];
            time[i] = times[first + i];
            finite = finite && std::isfinite(amount[i]) && std::isfinite(rate[i]) &&
                     std::isfinite(time[i]);
        }
        const std::size_t vectored = finite ? count - count % lanes : 0;
        HWY_DYNAMIC_DISPATCH(PresentValueVectors)
        (amount.data(), rate.data(), time.data(), vectored, value.data(), settled.data());
        for (std::size_t i = 0; i < count; ++i) {
            present[first + i] =
                i < vectored && settled[i] != 0
                    ? Checked<float>{static_cast<float>(value[i]), EngineError::None}
                    : DividendPresentValue(amounts[first + i], rates[first + i], times[first + i]);
        }
    }
}

std::size_t LogsOfSingles(std::span<const float> x, std::span<float> logs) {
    return RunInChunks(
        x, logs, HWY_DYNAMIC_DISPATCH(BlockLanes)(), HWY_DYNAMIC_DISPATCH(LogVectors),
        [](float value) { return static_cast<float>(std::log(static_cast<double>(value))); });
}

}  // namespace volantra
#endif  // HWY_ONCE
