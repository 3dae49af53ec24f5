#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "engine/valuation.h"

// Rows valued a block at a time with vector instructions, laid out a column per field as
// vector instructions load them: the inputs in, the valuation's fields out, each a single
// (the density: in the kind's own precision) widened to double.
namespace volantra {

/// Rows valued together; a multiple of every vector's lane count.
inline constexpr std::size_t BLOCK_ROWS = 64;

/// One column of a block.
using BlockColumn = std::array<double, BLOCK_ROWS>;

/// A block's inputs and results by column.
struct BlockColumns {
    alignas(64) BlockColumn asset;
    alignas(64) BlockColumn strike;
    alignas(64) BlockColumn time;
    alignas(64) BlockColumn interest;
    alignas(64) BlockColumn volatility;
    alignas(64) BlockColumn dividend;  ///< the dividend's present value
    alignas(64) BlockColumn netAsset;  ///< asset − the dividend's present value
    alignas(64) BlockColumn call;      ///< 1 for a call, 0 for a put
    /// Why each row is not valued, or EngineError::None.
    std::array<EngineError, BLOCK_ROWS> errors{};

    alignas(64) BlockColumn growth;
    alignas(64) BlockColumn moneyness;
    alignas(64) BlockColumn logMoneyness;
    alignas(64) BlockColumn halfVariance;
    alignas(64) BlockColumn sigmaRootT;
    alignas(64) BlockColumn d1Raw;
    alignas(64) BlockColumn d1;
    alignas(64) BlockColumn d2Raw;
    alignas(64) BlockColumn d2;
    alignas(64) BlockColumn nd1;
    alignas(64) BlockColumn nd2;
    alignas(64) BlockColumn value;
    alignas(64) BlockColumn density;
    alignas(64) BlockColumn delta;
    alignas(64) BlockColumn gamma;
    alignas(64) BlockColumn theta;
    alignas(64) BlockColumn vega;
    alignas(64) BlockColumn rho;
    /// 1 where the inputs lie within the model's limits, so that the row has no error.
    alignas(64) BlockColumn plain;
    /// 1 where the row's results are settled; 0 leaves the row to the one-row valuation.
    alignas(64) BlockColumn settled;
};

/// Puts row `i`'s kind and inputs into the block.
void PutInputs(BlockColumns& block, std::size_t i, OptionKind kind, const PricingInputs& inputs);

/// Values rows 0 to count − 1 of the block, as ValueOption would each: errors[i], and
/// where it is None the result columns. Returns how many rows were finished one at a time.
std::size_t ValueBlock(BlockColumns& block, std::size_t count);

/// present[i] = DividendPresentValue(amounts[i], rates[i], times[i]), many at a time.
void DividendPresentValues(std::span<const float> amounts, std::span<const float> rates,
                           std::span<const float> times, std::span<Checked<float>> present);

/// Row `i`'s results, as ValueOption gives them.
PricingResult ResultOfRow(const BlockColumns& block, std::size_t i);

}  // namespace volantra
