#include "cycle/box_valuation.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "cycle/limit_texts.h"
#include "engine/number_text.h"
#include "engine/numeric_constants.h"

namespace volantra {
namespace {

float FractionThroughText(int percent) {
    return GeneralText<float>(static_cast<float>(percent / PERCENT));
}

// The time is the seven-digit decimal of the single quotient: 30 days give 0.08219178.
double TimeThroughText(float maturityDays) {
    return GeneralText<double>(static_cast<float>(maturityDays / DAYS_PER_YEAR));
}

// Whole day counts up to ten years are looked up.
constexpr int TABULATED_DAYS = 3651;

template <std::size_t N>
std::array<float, N> WholeQuotients(double divisor) {
    std::array<float, N> quotients{};
    for (std::size_t n = 0; n < N; ++n) {
        quotients[n] = GeneralText<float>(static_cast<double>(n) / divisor);
    }
    return quotients;
}

// The inputs of whole bar positions, days and dividend percents, worked out once; a
// block fetches them once, so that its rows pay no guard of a static each.
struct InputTables {
    std::array<float, VOLATILITY_HIGHEST + 1> fractions{};  ///< FractionThroughText
    std::array<double, TABULATED_DAYS> dayTimes{};          ///< TimeThroughText
    std::array<float, INTEREST_HIGHEST + 1> rates = WholeQuotients<INTEREST_HIGHEST + 1>(PERCENT);
    std::array<float, TABULATED_DAYS> times = WholeQuotients<TABULATED_DAYS>(DAYS_PER_YEAR);

    InputTables() {
        for (int p = 0; p <= VOLATILITY_HIGHEST; ++p) {
            fractions[static_cast<std::size_t>(p)] = FractionThroughText(p);
        }
        for (int days = 0; days < TABULATED_DAYS; ++days) {
            dayTimes[static_cast<std::size_t>(days)] = TimeThroughText(static_cast<float>(days));
        }
    }
};

const InputTables& Tables() {
    static const InputTables tables;
    return tables;
}

inline float Fraction(int percent, const InputTables& tables) {
    return percent >= 0 && percent <= VOLATILITY_HIGHEST
               ? tables.fractions[static_cast<std::size_t>(percent)]
               : FractionThroughText(percent);
}

inline double TimeToMaturity(float maturityDays, const InputTables& tables) {
    if (maturityDays >= 0 && maturityDays < TABULATED_DAYS) {
        const auto days = static_cast<std::size_t>(maturityDays);
        if (static_cast<float>(days) == maturityDays) {
            return tables.dayTimes[days];
        }
    }
    return TimeThroughText(maturityDays);
}

// GeneralText of number/divisor, a single; whole numbers below the table's size are
// looked up in `table`, which holds those quotients worked out once.
template <std::size_t N>
float GeneralQuotient(double number, double divisor, const std::array<float, N>& table) {
    if (number >= 0 && number < static_cast<double>(N) && number == std::floor(number)) {
        return table[static_cast<std::size_t>(number)];
    }
    return GeneralText<float>(number / divisor);
}

// A dividend's rate and time as the valuation takes them, or the box that puts one
// beyond range.
InputBox DividendRateAndTime(double percent, double days, const InputTables& tables, float& rate,
                             float& time) {
    rate = GeneralQuotient(percent, PERCENT, tables.rates);
    if (!std::isfinite(rate)) {
        return InputBox::DividendInterest;
    }
    time = GeneralQuotient(days, DAYS_PER_YEAR, tables.times);
    return std::isfinite(time) ? InputBox::Count : InputBox::DividendTime;
}

// The dividend's present value from its three numbers, or the box that puts it beyond range.
InputBox DividendValue(const BoxNumbers& numbers, float& presentValue) {
    float rate = 0;
    float time = 0;
    const InputBox fault =
        DividendRateAndTime(numbers.dividendInterest, numbers.dividendTime, Tables(), rate, time);
    if (fault != InputBox::Count) {
        return fault;
    }
    const Checked<float> value = DividendPresentValue(numbers.dividend, rate, time);
    if (!value.Ok()) {
        return InputBox::Dividend;
    }
    presentValue = value.value;
    return InputBox::Count;
}

// The inputs written in place, for a block of rows; the box at fault, or Count.
inline InputBox FillInputs(const BoxNumbers& numbers, PricingInputs& inputs) {
    inputs.assetPrice = numbers.asset;
    inputs.strikePrice = numbers.strike;
    const InputTables& tables = Tables();
    inputs.timeToMaturity = TimeToMaturity(numbers.maturityDays, tables);
    inputs.interestRate = Fraction(numbers.interestPercent, tables);
    inputs.volatility = Fraction(numbers.volatilityPercent, tables);
    inputs.dividendPresentValue = 0;
    return numbers.dividendTicked ? DividendValue(numbers, inputs.dividendPresentValue)
                                  : InputBox::Count;
}

std::string ValuationMessage(EngineError error, float dividend,
                             const NumberConventions& conventions) {
    switch (error) {
        case EngineError::StrikeNotPositive:
            return "Strike must be greater than 0";
        case EngineError::MaturityNotPositive:
            return "Maturity must be greater than 0 days";
        case EngineError::AssetNotAboveDividend:
            if (dividend != 0) {
                return "Asset must be greater than the dividend's present value (" +
                       Localized(conventions, FormatFixed(dividend, 2)) + ")";
            }
            return "Asset must be greater than 0";
        case EngineError::AssetNotPositive:
            return "Asset must be greater than 0";
        case EngineError::VolatilityNotPositive:
            return "Volatility must be greater than 0";
        case EngineError::OutOfRange:
        case EngineError::NotANumber:
        case EngineError::None:  // not an error of the valuation's; never reached
            break;
    }
    return "These inputs give a result beyond the range of numbers the calculator can hold";
}

}  // namespace

float BarFraction(int percent) {
    return Fraction(percent, Tables());
}

ValuationInputs InputsOfNumbers(const BoxNumbers& numbers) {
    ValuationInputs valuation;
    valuation.fault = FillInputs(numbers, valuation.inputs);
    return valuation;
}

Checked<PricingResult> ValueInputs(OptionKind kind, const ValuationInputs& valuation) {
    if (valuation.fault != InputBox::Count) {
        return {{}, EngineError::OutOfRange};
    }
    return ValueOption(kind, valuation.inputs);
}

Checked<PricingResult> ValueBoxNumbers(OptionKind kind, const BoxNumbers& numbers) {
    return ValueInputs(kind, InputsOfNumbers(numbers));
}

BoxNumbers BoxColumns::Row(std::size_t i) const {
    return {.asset = asset[i],
            .strike = strike[i],
            .maturityDays = maturityDays[i],
            .dividendTicked = dividendTicked[i],
            .dividend = dividend[i],
            .dividendInterest = dividendInterest[i],
            .dividendTime = dividendTime[i],
            .volatilityPercent = volatilityPercent[i],
            .interestPercent = interestPercent[i]};
}

void BoxColumns::Put(std::size_t i, const BoxNumbers& numbers) {
    asset[i] = numbers.asset;
    strike[i] = numbers.strike;
    maturityDays[i] = numbers.maturityDays;
    dividendTicked[i] = numbers.dividendTicked;
    dividend[i] = numbers.dividend;
    dividendInterest[i] = numbers.dividendInterest;
    dividendTime[i] = numbers.dividendTime;
    volatilityPercent[i] = numbers.volatilityPercent;
    interestPercent[i] = numbers.interestPercent;
}

// The present values of the block's dividends, many at a time; the rows whose dividend
// is out of range are marked faulty.
void FillDividends(const BoxColumns& boxes, std::size_t count, const InputTables& tables,
                   BlockColumns& block, std::array<bool, BLOCK_ROWS>& faulty) {
    std::array<std::size_t, BLOCK_ROWS> rows{};
    std::array<float, BLOCK_ROWS> amounts{};
    std::array<float, BLOCK_ROWS> rates{};
    std::array<float, BLOCK_ROWS> times{};
    std::size_t dividends = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (boxes.dividendTicked[i]) {
            faulty[i] =
                DividendRateAndTime(boxes.dividendInterest[i], boxes.dividendTime[i], tables,
                                    rates[dividends], times[dividends]) != InputBox::Count;
            amounts[dividends] = boxes.dividend[i];
            rows[dividends] = i;
            dividends += faulty[i] ? 0 : 1;
        }
    }
    std::array<Checked<float>, BLOCK_ROWS> present;
    DividendPresentValues(std::span(amounts).first(dividends), std::span(rates).first(dividends),
                          std::span(times).first(dividends), std::span(present).first(dividends));
    for (std::size_t k = 0; k < dividends; ++k) {
        const std::size_t i = rows[k];
        faulty[i] = !present[k].Ok();
        block.dividend[i] = present[k].Ok() ? present[k].value : 0.0F;
        block.netAsset[i] = static_cast<double>(boxes.asset[i]) - block.dividend[i];
    }
}

// Column by column, so that the compiler can take several rows at once.
std::size_t ValueBoxNumbers(const BoxColumns& boxes, std::size_t count, BlockColumns& block) {
    const InputTables& tables = Tables();
    for (std::size_t i = 0; i < count; ++i) {
        block.asset[i] = boxes.asset[i];
        block.strike[i] = boxes.strike[i];
        block.netAsset[i] = boxes.asset[i];
        block.dividend[i] = 0;
        block.call[i] = boxes.kinds[i] == OptionKind::Call ? 1.0 : 0.0;
        block.volatility[i] = Fraction(boxes.volatilityPercent[i], tables);
        block.interest[i] = Fraction(boxes.interestPercent[i], tables);
    }
    for (std::size_t i = 0; i < count; ++i) {
        block.time[i] = TimeToMaturity(boxes.maturityDays[i], tables);
    }
    std::array<bool, BLOCK_ROWS> faulty{};
    FillDividends(boxes, count, tables, block, faulty);
    const std::size_t byOneRow = ValueBlock(block, count);
    for (std::size_t i = 0; i < count; ++i) {
        if (faulty[i]) {
            block.errors[i] = EngineError::OutOfRange;
        }
    }
    return byOneRow;
}

void ValueBoxNumbers(std::span<const OptionKind> kinds, std::span<const BoxNumbers> numbers,
                     std::span<Checked<PricingResult>> outcomes) {
    BoxColumns boxes;
    BlockColumns block;
    for (std::size_t first = 0; first < outcomes.size(); first += BLOCK_ROWS) {
        const std::size_t count = std::min(BLOCK_ROWS, outcomes.size() - first);
        for (std::size_t i = 0; i < count; ++i) {
            boxes.kinds[i] = kinds[first + i];
            boxes.Put(i, numbers[first + i]);
        }
        ValueBoxNumbers(boxes, count, block);
        for (std::size_t i = 0; i < count; ++i) {
            const EngineError error = block.errors[i];
            outcomes[first + i] = {
                error == EngineError::None ? ResultOfRow(block, i) : PricingResult{}, error};
        }
    }
}

Rejection ValuationRejection(const BoxNumbers& numbers, EngineError error,
                             const NumberConventions& conventions) {
    const ValuationInputs valuation = InputsOfNumbers(numbers);
    switch (valuation.fault) {
        case InputBox::DividendInterest:
            return {InputBox::DividendInterest,
                    LimitMessage("Dividend interest", DIVIDEND_INTEREST_LIMIT, conventions)};
        case InputBox::DividendTime:
            return {InputBox::DividendTime,
                    LimitMessage("Dividend time", DIVIDEND_TIME_LIMIT, conventions)};
        case InputBox::Dividend:
            return {InputBox::Dividend, "The dividend's present value is out of range"};
        default:
            break;
    }
    const InputBox box = error == EngineError::StrikeNotPositive     ? InputBox::Strike
                         : error == EngineError::MaturityNotPositive ? InputBox::Maturity
                                                                     : InputBox::Asset;
    return {box, ValuationMessage(error, valuation.inputs.dividendPresentValue, conventions)};
}

}  // namespace volantra
