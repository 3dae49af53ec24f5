// The valuation's building blocks on vectors of rows, each giving in every lane what its
// one-row form gives, or clearing the lane from `settled` where it cannot be sure.
// Included once per instruction set, as Highway's per-target headers are.
#if defined(VOLANTRA_ENGINE_VECTOR_STEPS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef VOLANTRA_ENGINE_VECTOR_STEPS_INL_H_
#undef VOLANTRA_ENGINE_VECTOR_STEPS_INL_H_
#else
#define VOLANTRA_ENGINE_VECTOR_STEPS_INL_H_
#endif

#include <hwy/contrib/math/math-inl.h>
#include <hwy/highway.h>

#include <cmath>
#include <cstdint>

#include "engine/powers_of_ten.h"

HWY_BEFORE_NAMESPACE();
namespace volantra::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<double>;
using V = hn::Vec<D>;
using M = hn::Mask<D>;

// The vector exp is within 1 unit in the last place of e^x, glibc's pow within 1 of
// E_APPROX^x: 16 units cover both with room to spare. The argument x·ln(E_APPROX)
// carries the roundings of ln(E_APPROX) and of the product, under 2^-51 of it each way;
// 2^-50 covers them. glibc's log is within 1 unit, the vector log within 4: 2^-46.
constexpr double EXP_RESULT_ERROR = 0x1p-48;
constexpr double EXP_ARGUMENT_ERROR = 0x1p-50;
constexpr double LOG_RESULT_ERROR = 0x1p-46;
// Where the vector exp stops being valid (706), with a margin.
constexpr double EXP_ARGUMENT_LIMIT = 700;
constexpr double ROUNDING_SHIFT = 0x1p52;  // adding and taking it away rounds to a whole
constexpr double QUICK_LIMIT = 0x1p23;
constexpr double SINGLE_HALF_BAND = 1e-6;
constexpr double DOUBLE_HALF_BAND = 1e-14;
constexpr double LOOKUP_LIMIT = 4.0;
constexpr double LOG_OF_E_APPROX = 0x1.fffc0de53d6e1p-1;  // ln(2.7182), the nearest double

// From here on a double rounds to a single's infinity.
constexpr double SINGLE_OVERFLOW = 0x1.ffffffp+127;

/// The single a double stores as, widened back. Some instruction sets' conversion stops
/// at the largest single where a store gives infinity; the overflow is made explicit.
inline V Single(D d, V value) {
    const V single = hn::PromoteTo(d, hn::DemoteTo(hn::Rebind<float, D>(), value));
    const V infinity = hn::CopySign(hn::Set(d, HUGE_VAL), value);
    return hn::IfThenElse(hn::Ge(hn::Abs(value), hn::Set(d, SINGLE_OVERFLOW)), infinity, single);
}

/// Writes 1 where `known` holds and 0 elsewhere, for the lanes' one-at-a-time pass;
/// returns how many hold.
inline std::size_t StoreSettled(D d, M known, double* settled) {
    hn::StoreU(hn::IfThenElseZero(known, hn::Set(d, 1.0)), d, settled);
    return hn::CountTrue(d, known);
}

/// Two values between which the one-row result lies.
struct Bracket {
    V low;
    V high;
};

/// The bracket value·(1 ± slack).
inline Bracket Around(D d, V value, V slack) {
    const V one = hn::Set(d, 1.0);
    return {hn::Mul(value, hn::Sub(one, slack)), hn::Mul(value, hn::Add(one, slack))};
}

/// A vector result and its relative distance bound from the one-row result.
struct Approximation {
    V value;
    V slack;
};

/// E_APPROX^x within `slack` of glibc's pow; `valid` where the vector exp holds.
inline Approximation PowerOfE(D d, V x, M& valid) {
    const V argument = hn::Mul(x, hn::Set(d, LOG_OF_E_APPROX));
    valid = hn::Lt(hn::Abs(argument), hn::Set(d, EXP_ARGUMENT_LIMIT));
    const V slack = hn::Add(hn::Mul(hn::Abs(argument), hn::Set(d, EXP_ARGUMENT_ERROR)),
                            hn::Set(d, EXP_RESULT_ERROR));
    return {hn::Exp(d, argument), slack};
}

/// ln(x) for positive x, bracketed around glibc's log.
inline Bracket LogOf(D d, V x) {
    const V log = hn::Log(d, x);
    const V slack = hn::Mul(hn::Abs(log), hn::Set(d, LOG_RESULT_ERROR));
    return {hn::Sub(log, slack), hn::Add(log, slack)};
}

/// The single both ends of a bracket store as; lanes where they differ leave `settled`.
inline V SingleOf(D d, const Bracket& bracket, M& settled) {
    const V low = Single(d, bracket.low);
    settled = hn::And(settled, hn::Eq(low, Single(d, bracket.high)));
    return low;
}

/// A whole number rounded to even, for magnitudes below 2^52.
inline V Nearest(D d, V y) {
    const V shift = hn::Set(d, ROUNDING_SHIFT);
    return hn::Sub(hn::Add(y, shift), shift);
}

/// Units of a single's seven-digit decimal near a half-integer, y ≥ 1 below 2^23: its
/// digits z = y·10^k, k putting z in [10^6, 10^7), then half away from zero.
inline V SevenDigitUnits(D d, V y) {
    V unit = hn::Set(d, EXACT_POWERS_OF_TEN[6]);
    for (std::size_t power = 1; power <= 6; ++power) {
        unit = hn::IfThenElse(hn::Ge(y, hn::Set(d, EXACT_POWERS_OF_TEN[power])),
                              hn::Set(d, EXACT_POWERS_OF_TEN[6 - power]), unit);
    }
    const V digits = Nearest(d, hn::Mul(y, unit));
    return hn::Trunc(hn::Div(hn::Add(digits, hn::Mul(unit, hn::Set(d, 0.5))), unit));
}

/// RoundViaText of singles (widened) to `decimals` ≤ 4 places, into singles or doubles;
/// where only the digits themselves could tell, the lane leaves `settled`.
template <bool kIntoSingle>
V RoundSingleViaText(D d, V value, std::size_t decimals, M& settled) {
    const V scale = hn::Set(d, EXACT_POWERS_OF_TEN[decimals]);
    const V y = hn::Mul(hn::Abs(value), scale);
    const V nearest = Nearest(d, y);
    const V distance = hn::Sub(hn::Set(d, 0.5), hn::Abs(hn::Sub(y, nearest)));
    const M clear = hn::Gt(distance, hn::Mul(y, hn::Set(d, SINGLE_HALF_BAND)));
    const M known = hn::Or(clear, hn::Ge(y, hn::Set(d, 1.0)));
    settled = hn::And(settled, hn::And(known, hn::Lt(y, hn::Set(d, QUICK_LIMIT))));
    // Lanes near a half-integer are rare: most vectors skip the seven digits.
    const V units =
        hn::AllTrue(d, clear) ? nearest : hn::IfThenElse(clear, nearest, SevenDigitUnits(d, y));
    V magnitude;
    if constexpr (kIntoSingle) {
        const hn::Rebind<float, D> singles;
        magnitude =
            hn::PromoteTo(d, hn::Div(hn::DemoteTo(singles, units), hn::DemoteTo(singles, scale)));
    } else {
        magnitude = hn::Div(units, scale);
    }
    return hn::Add(hn::CopySign(magnitude, value), hn::Zero(d));  // "-0.00" reads as +0
}

/// Units of 10^-decimals that a nonnegative double rounds to through its fifteen-digit
/// decimal; lanes too near a half-integer to tell leave `settled`.
inline V UnitsOfDouble(D d, V value, std::size_t decimals, M& settled) {
    const V y = hn::Mul(value, hn::Set(d, EXACT_POWERS_OF_TEN[decimals]));
    const V nearest = Nearest(d, y);
    const V distance = hn::Sub(hn::Set(d, 0.5), hn::Abs(hn::Sub(y, nearest)));
    settled = hn::And(settled, hn::Gt(distance, hn::Mul(y, hn::Set(d, DOUBLE_HALF_BAND))));
    settled = hn::And(settled, hn::Lt(y, hn::Set(d, QUICK_LIMIT)));
    return nearest;
}

/// RoundViaText of doubles to `decimals` ≤ 4 places, into doubles; lanes too near a
/// half-integer to tell leave `settled`.
inline V RoundDoubleViaText(D d, V value, std::size_t decimals, M& settled) {
    const V units = UnitsOfDouble(d, hn::Abs(value), decimals, settled);
    const V magnitude = hn::Div(units, hn::Set(d, EXACT_POWERS_OF_TEN[decimals]));
    return hn::Add(hn::CopySign(magnitude, value), hn::Zero(d));
}

/// LookupNormal of four-decimal arguments, read from NormalOfFourDecimals.
inline V NormalOf(D d, V x, const float* lookups) {
    const V limit = hn::Set(d, LOOKUP_LIMIT);
    const V clamped = hn::Min(hn::Max(x, hn::Neg(limit)), limit);
    const V middle = hn::Set(d, 40000.0);
    const V index = hn::Add(hn::Round(hn::Mul(clamped, hn::Set(d, 10000.0))), middle);
    const hn::Rebind<float, D> singles;
    const hn::Rebind<std::int32_t, D> whole;
    const V found = hn::PromoteTo(d, hn::GatherIndex(singles, lookups, hn::DemoteTo(whole, index)));
    const V high = hn::IfThenElse(hn::Gt(x, limit), hn::Set(d, 1.0), found);
    return hn::IfThenElseZero(hn::Ge(x, hn::Neg(limit)), high);
}

}  // namespace volantra::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#endif
