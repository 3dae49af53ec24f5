#pragma once

#include <span>
#include <string>

#include "cycle/number_conventions.h"
#include "cycle/screen.h"
#include "engine/block_valuation.h"
#include "engine/valuation.h"

// The cycle's third stage: a valuation as the result boxes show it, as text and as the
// number that text reads as.
namespace volantra {

/// The decimals each result box shows.
inline constexpr EnumArray<ResultBox, int> RESULT_DECIMALS = {{2, 4, 4, 4, 4, 4}};

/// How the Greeks are given: as the screens give them (theta per year, vega and rho per
/// 1.00 of volatility and of interest), or as traders quote them (theta per calendar day,
/// vega and rho per percentage point).
enum class GreekUnits { Screen, Trader, Count };

/// What the screen's number of each result is divided by in traders' units.
inline constexpr EnumArray<ResultBox, double> TRADER_DIVISORS = {{1, 1, 1, 365, 100, 100}};

/// The canonical text the value box shows for an option value: "0.00" below two cents.
std::string ShownValueText(float optionValue);

/// The number ShownValueText reads back as: 0 below two cents, else the value rounded
/// to 2 decimals through text.
double ShownValue(float optionValue);

/// The texts of the result boxes, top to bottom.
using ShownTexts = EnumArray<ResultBox, std::string>;
/// The texts the cycle writes into the result boxes for `result`, as `conventions` write
/// numbers (canonical by default).
ShownTexts ResultTexts(const PricingResult& result, const NumberConventions& conventions = {});
/// ResultTexts into `texts`, whose storage is reused.
void WriteResultTexts(const PricingResult& result, const NumberConventions& conventions,
                      ShownTexts& texts);
/// ResultTexts in `units`: in traders' units, the 4-decimal texts of TraderNumbers.
void WriteResultTexts(const PricingResult& result, const NumberConventions& conventions,
                      GreekUnits units, ShownTexts& texts);

/// The numbers the result boxes' texts read back as, in double precision.
using ShownResults = EnumArray<ResultBox, double>;
/// What the cycle's result texts of `result` read as: "10.45" gives the double nearest 10.45.
ShownResults ResultNumbers(const PricingResult& result);
/// ResultNumbers in `units`: in traders' units each Greek the screen shows divided by its
/// TRADER_DIVISORS and rounded to 4 decimals through text, so the two never differ by
/// more than that rounding; the value and the others as the screen shows them.
ShownResults ResultNumbers(const PricingResult& result, GreekUnits units);

/// Rows of shown results, a span per box with an element per row.
using ShownColumns = EnumArray<ResultBox, std::span<double>>;

/// ResultNumbers of rows 0 to count − 1 of a valued block into `shown`, many rows at a
/// time; NaN in every box of a row not valued.
void ResultNumbers(const BlockColumns& block, std::size_t count, GreekUnits units,
                   const ShownColumns& shown);

}  // namespace volantra
