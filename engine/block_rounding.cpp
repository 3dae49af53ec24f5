// Rounding through text a vector at a time; the lanes a vector cannot settle, and the
// last few elements, are rounded one at a time.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/block_rounding.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
// foreach_target.h must come first: it includes this file again for each target.
#include <hwy/highway.h>

#include "engine/vector_steps-inl.h"

HWY_BEFORE_NAMESPACE();
namespace volantra::HWY_NAMESPACE {

/// Rounds whole vectors of singles, or of singles widened to doubles; settled[i] is 1
/// where rounded[i] holds.
template <typename T>
std::size_t RoundSinglesOf(const T* values, std::size_t count, std::size_t decimals,
                           double* rounded, double* settled) {
    const D d;
    const std::size_t lanes = hn::Lanes(d);
    std::size_t settledCount = 0;
    for (std::size_t i = 0; i + lanes <= count; i += lanes) {
        M known = hn::FirstN(d, lanes);
        V value;
        if constexpr (sizeof(T) == sizeof(float)) {
            value = hn::PromoteTo(d, hn::LoadU(hn::Rebind<float, D>(), values + i));
        } else {
            value = hn::LoadU(d, values + i);
        }
        hn::StoreU(RoundSingleViaText<false>(d, value, decimals, known), d, rounded + i);
        settledCount += StoreSettled(d, known, settled + i);
    }
    return settledCount;
}

std::size_t RoundSingles(const float* values, std::size_t count, std::size_t decimals,
                         double* rounded, double* settled) {
    return RoundSinglesOf(values, count, decimals, rounded, settled);
}

std::size_t RoundWidenedSingles(const double* values, std::size_t count, std::size_t decimals,
                                double* rounded, double* settled) {
    return RoundSinglesOf(values, count, decimals, rounded, settled);
}

/// Rounds whole vectors of doubles; settled[i] is 1 where rounded[i] holds.
std::size_t RoundDoubles(const double* values, std::size_t count, std::size_t decimals,
                         double* rounded, double* settled) {
    const D d;
    const std::size_t lanes = hn::Lanes(d);
    std::size_t settledCount = 0;
    for (std::size_t i = 0; i + lanes <= count; i += lanes) {
        M known = hn::FirstN(d, lanes);
        const V value = hn::LoadU(d, values + i);
        hn::StoreU(RoundDoubleViaText(d, value, decimals, known), d, rounded + i);
        settledCount += StoreSettled(d, known, settled + i);
    }
    return settledCount;
}

/// Lanes of a vector of doubles, so that the caller knows which elements it left.
std::size_t DoubleLanes() {
    return hn::Lanes(D());
}

}  // namespace volantra::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
#include "engine/block_chunks.h"
#include "engine/block_rounding.h"
#include "engine/number_text.h"

namespace volantra {
HWY_EXPORT(RoundSingles);
HWY_EXPORT(RoundWidenedSingles);
HWY_EXPORT(RoundDoubles);
HWY_EXPORT(DoubleLanes);

namespace {

// RoundViaText<double> of each value read as a `Source`, a vector at a time by `kernel`.
template <typename Source, typename T, typename Kernel>
std::size_t RoundInChunks(std::span<const T> values, int decimals, std::span<double> rounded,
                          Kernel kernel) {
    const auto places = static_cast<std::size_t>(decimals);
    return RunInChunks(
        values, rounded, HWY_DYNAMIC_DISPATCH(DoubleLanes)(),
        [&](const T* in, std::size_t count, double* out, double* settled) {
            return kernel(in, count, places, out, settled);
        },
        [decimals](T value) { return RoundViaText<double>(static_cast<Source>(value), decimals); });
}

}  // namespace

std::size_t RoundSinglesViaText(std::span<const float> values, int decimals,
                                std::span<double> rounded) {
    return RoundInChunks<float>(values, decimals, rounded, HWY_DYNAMIC_DISPATCH(RoundSingles));
}

std::size_t RoundWidenedSinglesViaText(std::span<const double> singles, int decimals,
                                       std::span<double> rounded) {
    return RoundInChunks<float>(singles, decimals, rounded,
                                HWY_DYNAMIC_DISPATCH(RoundWidenedSingles));
}

std::size_t RoundDoublesViaText(std::span<const double> values, int decimals,
                                std::span<double> rounded) {
    return RoundInChunks<double>(values, decimals, rounded, HWY_DYNAMIC_DISPATCH(RoundDoubles));
}

}  // namespace volantra
#endif  // HWY_ONCE
