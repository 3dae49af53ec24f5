#pragma once

#include <array>
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

/// The box numbers of up to BLOCK_ROWS rows and their kinds, a column per box, as a block
/// of rows is valued.
struct BoxColumns {
    std::array<OptionKind, BLOCK_ROWS> kinds{};
    std::array<float, BLOCK_ROWS> asset{};
    std::array<float, BLOCK_ROWS> strike{};
    std::array<float, BLOCK_ROWS> maturityDays{};
    std::array<int, BLOCK_ROWS> volatilityPercent{};
    std::array<int, BLOCK_ROWS> interestPercent{};
    std::array<bool, BLOCK_ROWS> dividendTicked{};
    std::array<float, BLOCK_ROWS> dividend{};
    std::array<double, BLOCK_ROWS> dividendInterest{};
    std::array<double, BLOCK_ROWS> dividendTime{};

    /// Row `i` as one row's box numbers.
    [[nodiscard]] BoxNumbers Row(std::size_t i) const;
    /// Puts one row's box numbers into row `i`.
    void Put(std::size_t i, const BoxNumbers& numbers);
};

/// ValueBoxNumbers on rows 0 to count − 1 of `boxes` into `block`: its errors and results.
/// Returns how many rows were finished one at a time.
std::size_t ValueBoxNumbers(const BoxColumns& boxes, std::size_t count, BlockColumns& block);

/// ValueBoxNumbers on every row, a block at a time.
void ValueBoxNumbers(std::span<const OptionKind> kinds, std::span<const BoxNumbers> numbers,
                     std::span<Checked<PricingResult>> outcomes);

/// The message the cycle shows where ValueBoxNumbers fails with `error`, and the box it
/// puts the focus on.
Rejection ValuationRejection(const BoxNumbers& numbers, EngineError error,
                             const NumberConventions& conventions);

}  // namespace volantra
