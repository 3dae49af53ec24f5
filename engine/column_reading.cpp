// Reading columns a vector at a time; the elements after the last whole vector are read
// one at a time. Every lane is settled: the tests are comparisons and bit masks, which a
// vector does exactly as one number does.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/column_reading.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
// foreach_target.h must come first: it includes this file again for each target.
#include <hwy/highway.h>

#include <cstdint>
#include <limits>

#include "engine/vector_steps-inl.h"

HWY_BEFORE_NAMESPACE();
namespace volantra::HWY_NAMESPACE {

// read[i] = read[i] && `known` lane i, through int32 as the narrowest lanes allow.
HWY_INLINE void KeepRead(D d, M known, std::uint8_t* read) {
    const hn::Rebind<std::int32_t, D> d32;
    const hn::Rebind<std::uint8_t, D> d8;
    const auto ones =
        hn::DemoteTo(d8, hn::DemoteTo(d32, hn::IfThenElseZero(known, hn::Set(d, 1.0))));
    hn::StoreU(hn::And(ones, hn::LoadU(d8, read)), d8, read);
}

/// SinglesWithoutText on whole vectors; returns how many elements it read.
std::size_t SinglesOfVectors(const double* numbers, std::size_t count, float* singles,
                             std::uint8_t* read) {
    const D d;
    const hn::RebindToUnsigned<D> du;
    const hn::Rebind<float, D> df;
    const std::size_t lanes = hn::Lanes(d);
    const auto belowSingle = hn::Set(du, (std::uint64_t{1} << 29) - 1);
    const auto midpointBits = hn::Set(du, std::uint64_t{1} << 28);
    const V least = hn::Set(d, static_cast<double>(std::numeric_limits<float>::min()));
    const V largest = hn::Set(d, static_cast<double>(std::numeric_limits<float>::max()));
    std::size_t i = 0;
    for (; i + lanes <= count; i += lanes) {
        const V number = hn::LoadU(d, numbers + i);
        const auto bits = hn::BitCast(du, number);
        const V magnitude = hn::Abs(number);
        const M normal = hn::And(hn::Ge(magnitude, least), hn::Le(magnitude, largest));
        const M midpoint = hn::RebindMask(d, hn::Eq(hn::And(bits, belowSingle), midpointBits));
        const M zero = hn::RebindMask(d, hn::Eq(bits, hn::Zero(du)));
        const M known = hn::Or(zero, hn::AndNot(midpoint, normal));
        // Only numbers within the singles' range are narrowed, so no lane overflows.
        hn::StoreU(hn::DemoteTo(df, hn::IfThenElseZero(known, number)), df, singles + i);
        KeepRead(d, known, read + i);
    }
    return i;
}

/// WholeNumbersWithin on whole vectors; returns how many elements it read.
std::size_t WholesOfVectors(const double* numbers, std::size_t count, int lowest, int highest,
                            int* wholes, std::uint8_t* read) {
    const D d;
    const hn::RebindToSigned<D> di;
    const hn::Rebind<std::int32_t, D> d32;
    const std::size_t lanes = hn::Lanes(d);
    const V low = hn::Set(d, lowest);
    const V high = hn::Set(d, highest);
    std::size_t i = 0;
    for (; i + lanes <= count; i += lanes) {
        const V number = hn::LoadU(d, numbers + i);
        const M negative = hn::RebindMask(d, hn::Lt(hn::BitCast(di, number), hn::Zero(di)));
        const M within = hn::AndNot(negative, hn::And(hn::Ge(number, low), hn::Le(number, high)));
        // Within an int's range, so the conversion is exact for a whole number.
        const V whole = hn::PromoteTo(d, hn::DemoteTo(d32, hn::IfThenElseZero(within, number)));
        const M known = hn::And(within, hn::Eq(whole, number));
        hn::StoreU(hn::DemoteTo(d32, hn::IfThenElseZero(known, number)), d32, wholes + i);
        KeepRead(d, known, read + i);
    }
    return i;
}

}  // namespace volantra::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "engine/column_reading.h"
#include "engine/shortest_text.h"

namespace volantra {
HWY_EXPORT(SinglesOfVectors);
HWY_EXPORT(WholesOfVectors);

// bool holds 0 or 1 in one byte, which the kernels write as bytes.
static_assert(sizeof(bool) == sizeof(std::uint8_t));

void SinglesWithoutText(std::span<const double> numbers, std::span<float> singles,
                        std::span<bool> read) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(read.data());
    std::size_t i = HWY_DYNAMIC_DISPATCH(SinglesOfVectors)(numbers.data(), numbers.size(),
                                                           singles.data(), bytes);
    for (; i < numbers.size(); ++i) {
        read[i] = SingleWithoutText(numbers[i], singles[i]) && read[i];
    }
}

void WholeNumbersWithin(std::span<const double> numbers, int lowest, int highest,
                        std::span<int> wholes, std::span<bool> read) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(read.data());
    std::size_t i = HWY_DYNAMIC_DISPATCH(WholesOfVectors)(numbers.data(), numbers.size(), lowest,
                                                          highest, wholes.data(), bytes);
    for (; i < numbers.size(); ++i) {
        read[i] = WholeNumberWithin(numbers[i], lowest, highest, wholes[i]) && read[i];
    }
}

}  // namespace volantra
#endif  // HWY_ONCE
