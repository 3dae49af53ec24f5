#include "cycle/shown_results.h"

#include <algorithm>
#include <array>
#include <limits>

#include "engine/block_rounding.h"
#include "engine/number_text.h"

namespace volantra {
namespace {

// Option values below it, negative ones included, show as zero.
constexpr float SHOWN_VALUE_FLOOR = 0.02f;

// The Greeks in the order of the result boxes below the value.
constexpr std::array<float PricingResult::*, ENUM_COUNT<ResultBox> - 1> GREEKS = {
    &PricingResult::delta, &PricingResult::gamma, &PricingResult::theta, &PricingResult::vega,
    &PricingResult::rho};

}  // namespace

std::string ShownValueText(float optionValue) {
    return optionValue < SHOWN_VALUE_FLOOR
               ? std::string("0.00")
               : FormatFixed(optionValue, RESULT_DECIMALS[ResultBox::Value]);
}

double ShownValue(float optionValue) {
    return optionValue < SHOWN_VALUE_FLOOR
               ? 0.0
               : RoundViaText<double>(optionValue, RESULT_DECIMALS[ResultBox::Value]);
}

void WriteResultTexts(const PricingResult& result, const NumberConventions& conventions,
                      ShownTexts& texts) {
    texts.items[0] = Localized(conventions, ShownValueText(result.optionValue));
    for (std::size_t i = 0; i < GREEKS.size(); ++i) {
        texts.items[i + 1] =
            Localized(conventions, FormatFixed(result.*GREEKS[i], RESULT_DECIMALS.items[i + 1]));
    }
}

ShownTexts ResultTexts(const PricingResult& result, const NumberConventions& conventions) {
    ShownTexts texts;
    WriteResultTexts(result, conventions, texts);
    return texts;
}

// Written out box by box, so that each rounding sees its decimals as a constant.
ShownResults ResultNumbers(const PricingResult& result) {
    ShownResults shown;
    shown[ResultBox::Value] = ShownValue(result.optionValue);
    shown[ResultBox::Delta] = RoundViaText<double>(result.delta, RESULT_DECIMALS[ResultBox::Delta]);
    shown[ResultBox::Gamma] = RoundViaText<double>(result.gamma, RESULT_DECIMALS[ResultBox::Gamma]);
    shown[ResultBox::Theta] = RoundViaText<double>(result.theta, RESULT_DECIMALS[ResultBox::Theta]);
    shown[ResultBox::Vega] = RoundViaText<double>(result.vega, RESULT_DECIMALS[ResultBox::Vega]);
    shown[ResultBox::Rho] = RoundViaText<double>(result.rho, RESULT_DECIMALS[ResultBox::Rho]);
    return shown;
}

ShownResults ResultNumbers(const PricingResult& result, GreekUnits units) {
    ShownResults shown = ResultNumbers(result);
    if (units == GreekUnits::Trader) {
        for (ResultBox box : {ResultBox::Theta, ResultBox::Vega, ResultBox::Rho}) {
            shown[box] =
                RoundViaText<double>(shown[box] / TRADER_DIVISORS[box], RESULT_DECIMALS[box]);
        }
    }
    return shown;
}

void WriteResultTexts(const PricingResult& result, const NumberConventions& conventions,
                      GreekUnits units, ShownTexts& texts) {
    WriteResultTexts(result, conventions, texts);
    if (units == GreekUnits::Trader) {
        const ShownResults shown = ResultNumbers(result);
        for (ResultBox box : {ResultBox::Theta, ResultBox::Vega, ResultBox::Rho}) {
            texts[box] = Localized(
                conventions, FormatFixed(shown[box] / TRADER_DIVISORS[box], RESULT_DECIMALS[box]));
        }
    }
}

namespace {

// Each result box's column of a block, the value first.
constexpr EnumArray<ResultBox, BlockColumn BlockColumns::*> SHOWN_COLUMNS = {
    {&BlockColumns::value, &BlockColumns::delta, &BlockColumns::gamma, &BlockColumns::theta,
     &BlockColumns::vega, &BlockColumns::rho}};

// One box's numbers for the block's rows: the field rounded to its decimals (and, for a
// Greek in traders' units, divided and rounded again); NaN where not valued.
void ShownColumn(const BlockColumns& block, std::size_t count, ResultBox box, GreekUnits units,
                 bool anyError, std::span<double> shown) {
    const std::span<const double> fields = std::span(block.*SHOWN_COLUMNS[box]).first(count);
    RoundWidenedSinglesViaText(fields, RESULT_DECIMALS[box], shown);
    if (units == GreekUnits::Trader && TRADER_DIVISORS[box] != 1) {
        std::array<double, BLOCK_ROWS> divided{};
        for (std::size_t i = 0; i < count; ++i) {
            divided[i] = shown[i] / TRADER_DIVISORS[box];
        }
        RoundDoublesViaText(std::span(divided).first(count), RESULT_DECIMALS[box], shown);
    }
    for (std::size_t i = 0; (anyError || box == ResultBox::Value) && i < count; ++i) {
        if (block.errors[i] != EngineError::None) {
            shown[i] = std::numeric_limits<double>::quiet_NaN();
        } else if (box == ResultBox::Value && fields[i] < SHOWN_VALUE_FLOOR) {
            shown[i] = 0.0;
        }
    }
}

}  // namespace

void ResultNumbers(const BlockColumns& block, std::size_t count, GreekUnits units,
                   const ShownColumns& shown) {
    const auto errors = std::span(block.errors).first(count);
    const bool anyError = std::any_of(errors.begin(), errors.end(),
                                      [](EngineError error) { return error != EngineError::None; });
    for (std::size_t box = 0; box < ENUM_COUNT<ResultBox>; ++box) {
        ShownColumn(block, count, static_cast<ResultBox>(box), units, anyError, shown.items[box]);
    }
}

}  // namespace volantra
