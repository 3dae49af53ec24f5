#pragma once

#include <span>

#include "cycle/box_reading.h"
#include "engine/block_valuation.h"
#include "engine/valuation.h"

// The cycle's second stage: the numbers read from the boxes valued.
namespace volantra {

/// The valuation's inputs from the numbers read, and the dividend box whose number puts
/// the dividend beyond range (InputBox::Count when none does).
struct ValuationInputs {
    PricingInputs inputs;
    InputBox fault = InputBox::Count;
};

/// The bar positions as fractions, the days as years and the dividend's present value,
/// as the cycle works them out.
ValuationInputs InputsOfNumbers(const BoxNumbers& numbers);

/// The single a bar position gives: the nearest percent / 100, through its general text.
float BarFraction(int percent);

/// The valuation of inputs worked out by InputsOfNumbers: out of range where a dividend
/// box is at fault.
Checked<PricingResult> ValueInputs(OptionKind kind, const ValuationInputs& valuation);

/// The valuation whose results the cycle shows, or an error where it shows a message
/// instead (ValuationRejection tells which).
Checked<PricingResult> ValueBoxNumbers(OptionKind kind, const BoxNumbers& numbers);

/// ValueBoxNumbers on up to BLOCK_ROWS rows into `block`: its errors and results.
void ValueBoxNumbers(std::span<const OptionKind> kinds, std::span<const BoxNumbers> numbers,
                     BlockColumns& block);

/// ValueBoxNumbers on every row, a block at a time.
void ValueBoxNumbers(std::span<const OptionKind> kinds, std::span<const BoxNumbers> numbers,
                     std::span<Checked<PricingResult>> outcomes);

/// The message the cycle shows where ValueBoxNumbers fails with `error`, and the box it
/// puts the focus on.
Rejection ValuationRejection(const BoxNumbers& numbers, EngineError error,
                             const NumberConventions& conventions);

}  // namespace volantra
