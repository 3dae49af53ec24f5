#pragma once

#include <string>

#include "cycle/number_conventions.h"
#include "cycle/screen.h"
#include "engine/valuation.h"

// The cycle's third stage: a valuation as the result boxes show it, as text and as the
// number that text reads as.
namespace volantra {

/// The decimals each result box shows.
inline constexpr EnumArray<ResultBox, int> RESULT_DECIMALS = {{2, 4, 4, 4, 4, 4}};

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

/// The numbers the result boxes' texts read back as, in double precision.
using ShownResults = EnumArray<ResultBox, double>;
/// What the cycle's result texts of `result` read as: "10.45" gives the double nearest 10.45.
ShownResults ResultNumbers(const PricingResult& result);

}  // namespace volantra
