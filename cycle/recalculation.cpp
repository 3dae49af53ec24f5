#include "cycle/recalculation.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>

#include "engine/number_text.h"
#include "engine/numeric_constants.h"

namespace volantra {
namespace {

constexpr std::string_view DIVIDEND_RESET_TEXT = "0";
// Option values below it, negative ones included, show as zero.
constexpr float SHOWN_VALUE_FLOOR = 0.02f;

// The user's name of a box, as messages use it ("Strike").
std::string_view BoxName(InputBox box) {
    switch (box) {
        case InputBox::Asset:
            return "Asset";
        case InputBox::Strike:
            return "Strike";
        case InputBox::Maturity:
            return "Maturity";
        case InputBox::Dividend:
            return "Dividend";
        case InputBox::DividendInterest:
            return "Dividend interest";
        case InputBox::DividendTime:
            return "Dividend time";
        case InputBox::Count:
            break;
    }
    return "Input";
}

// Asset, strike and maturity must be above 0, so only their upper limit is worth naming.
bool MustBePositive(InputBox box) {
    return box == InputBox::Asset || box == InputBox::Strike || box == InputBox::Maturity;
}

// The single nearest percent / 100, passed through its general text as the screen does.
float FractionThroughText(int percent) {
    return GeneralText<float>(static_cast<float>(percent / PERCENT));
}

// FractionThroughText of every bar position, worked out once.
const std::array<float, VOLATILITY_HIGHEST + 1>& BarFractions() {
    static const std::array<float, VOLATILITY_HIGHEST + 1> fractions = [] {
        std::array<float, VOLATILITY_HIGHEST + 1> all{};
        for (int p = 0; p <= VOLATILITY_HIGHEST; ++p) {
            all[static_cast<std::size_t>(p)] = FractionThroughText(p);
        }
        return all;
    }();
    return fractions;
}

inline float Fraction(int percent) {
    return percent >= 0 && percent <= VOLATILITY_HIGHEST
               ? BarFractions()[static_cast<std::size_t>(percent)]
               : FractionThroughText(percent);
}

// Records a cycle as the ordered list of screen changes.
class ChangeList {
public:
    static constexpr bool VALUE_LABELS = true;

    explicit ChangeList(CycleOutcome& outcome) : outcome_(outcome) {
        outcome_.changes.clear();
        outcome_.changes.reserve(12);
        outcome_.inputs.reset();
        outcome_.result.reset();
    }
    template <typename Kind>
    void Change(Kind&& change) {
        outcome_.changes.emplace_back(std::in_place_type<std::decay_t<Kind>>,
                                      std::forward<Kind>(change));
    }
    void Valued(const PricingInputs& inputs) { outcome_.inputs = inputs; }
    void Valued(const PricingResult& result) { outcome_.result = result; }

private:
    CycleOutcome& outcome_;
};

// Records only what the result boxes and the messages end up showing.
class ResultsOnly {
public:
    static constexpr bool VALUE_LABELS = false;

    explicit ResultsOnly(CycleResults& results) : results_(results) {
        for (std::string& text : results_.results.items) {
            text.clear();
        }
        results_.messages.clear();
        results_.inputs.reset();
        results_.result.reset();
    }
    void Change(ShowMessage&& change) { results_.messages.push_back(std::move(change.text)); }
    void Change(WriteResult&& change) { results_.results[change.box] = std::move(change.text); }
    void Change(ResetBox&& /*change*/) {}
    void Change(FocusBox&& /*change*/) {}
    void Change(WriteValueLabel&& /*change*/) {}
    void Valued(const PricingInputs& inputs) { results_.inputs = inputs; }
    void Valued(const PricingResult& result) { results_.result = result; }

private:
    CycleResults& results_;
};

// The time is the seven-digit decimal of the single quotient: 30 days give 0.08219178.
double TimeThroughText(float maturityDays) {
    return GeneralText<double>(static_cast<float>(maturityDays / DAYS_PER_YEAR));
}

// TimeThroughText of whole day counts up to ten years, worked out once.
constexpr int TABULATED_DAYS = 3651;
const std::array<double, TABULATED_DAYS>& DayTimes() {
    static const std::array<double, TABULATED_DAYS> times = [] {
        std::array<double, TABULATED_DAYS> all{};
        for (int days = 0; days < TABULATED_DAYS; ++days) {
            all[static_cast<std::size_t>(days)] = TimeThroughText(static_cast<float>(days));
        }
        return all;
    }();
    return times;
}

inline double TimeToMaturity(float maturityDays) {
    if (maturityDays >= 0 && maturityDays < TABULATED_DAYS) {
        const auto days = static_cast<std::size_t>(maturityDays);
        if (static_cast<float>(days) == maturityDays) {
            return DayTimes()[days];
        }
    }
    return TimeThroughText(maturityDays);
}

// Steps 4.3 to 4.5 on the numbers read from the dividend boxes.
struct DividendReading {
    float presentValue = 0;
    InputBox fault = InputBox::Count;  // the box whose number is out of range, if any
};

DividendReading ReadDividendNumbers(float amount, double ratePercent, double timeDays) {
    const float rate = GeneralText<float>(ratePercent / PERCENT);
    if (!std::isfinite(rate)) {
        return {0, InputBox::DividendInterest};
    }
    const float time = GeneralText<float>(timeDays / DAYS_PER_YEAR);
    if (!std::isfinite(time)) {
        return {0, InputBox::DividendTime};
    }
    const Checked<float> presentValue = DividendPresentValue(amount, rate, time);
    if (!presentValue.Ok()) {
        return {0, InputBox::Dividend};
    }
    return {presentValue.value, InputBox::Count};
}

// The cycle's steps, whatever records their changes.
template <typename Recorder>
class Cycle {
public:
    Cycle(OptionKind kind, const ScreenInputs& screen, const NumberConventions& conventions,
          Recorder recorder)
        : kind_(kind), screen_(screen), conventions_(conventions), recorder_(recorder) {}

    void Run(ScrollBar moved) {
        if (!RequiredFieldsFilled()) {
            return;
        }
        ReadScrollBars(moved);
        if (ReadMainInputs() && ReadDividend() && Value()) {
            WriteResults();
        }
    }

    // Steps 1, 3 and 4 do not read the bars: run once, then step 5 at each position.
    BarValues RunAlong(ScrollBar bar) {
        BarValues along;
        along.lowest = BarLowest(bar);
        const int positions = BarHighest(bar) - along.lowest + 1;
        along.optionValues.resize(static_cast<std::size_t>(positions));
        if (!RequiredFieldsFilled() || !ReadMainInputs() || !ReadDividend()) {
            return along;
        }
        inputs_.interestRate = Fraction(screen_.interestPercent);
        inputs_.volatility = Fraction(screen_.volatilityPercent);
        float& moved = bar == ScrollBar::Volatility ? inputs_.volatility : inputs_.interestRate;
        for (std::size_t i = 0; i < along.optionValues.size(); ++i) {
            moved = Fraction(along.lowest + static_cast<int>(i));
            const Checked<PricingResult> valued = ValueOption(kind_, inputs_);
            if (valued.Ok()) {
                along.optionValues[i] = valued.value.optionValue;
            }
        }
        return along;
    }

private:
    bool RequiredFieldsFilled() {
        if (IsBlankText(Text(InputBox::Asset)) || IsBlankText(Text(InputBox::Strike)) ||
            IsBlankText(Text(InputBox::Maturity))) {
            Show(std::string(MESSAGE_ENTER_MAIN));
            Change(FocusBox{InputBox::Asset, false});
            return false;
        }
        return true;
    }

    void ReadScrollBars(ScrollBar moved) {
        const int volatility = screen_.volatilityPercent;
        const int interest = screen_.interestPercent;
        const int shown = moved == ScrollBar::Interest ? interest : volatility;
        if constexpr (Recorder::VALUE_LABELS) {
            Change(WriteValueLabel{moved, Localized(FormatGeneral(static_cast<float>(shown)))});
        }
        inputs_.interestRate = Fraction(interest);
        inputs_.volatility = Fraction(volatility);
    }

    bool ReadMainInputs() {
        float maturityDays = 0;
        if (!ReadSingle(InputBox::Asset, inputs_.assetPrice) ||
            !ReadSingle(InputBox::Strike, inputs_.strikePrice) ||
            !ReadSingle(InputBox::Maturity, maturityDays)) {
            return false;
        }
        inputs_.timeToMaturity = TimeToMaturity(maturityDays);
        return true;
    }

    bool ReadDividend() {
        inputs_.dividendPresentValue = 0;
        if (!screen_.dividendTicked) {
            return true;
        }
        if (std::any_of(DIVIDEND_BOXES.begin(), DIVIDEND_BOXES.end(),
                        [this](InputBox box) { return IsBlankText(Text(box)); })) {
            // Only the empty boxes get a 0, so nothing the user typed is lost; this cycle
            // goes on with a dividend of 0 without reading the others.
            Show(std::string(MESSAGE_ENTER_DIVIDEND));
            for (InputBox box : DIVIDEND_BOXES) {
                if (IsBlankText(Text(box))) {
                    Change(ResetBox{box, std::string(DIVIDEND_RESET_TEXT)});
                }
            }
            return true;
        }
        float amount = 0;
        double ratePercent = 0;
        double timeDays = 0;
        if (!ReadSingle(InputBox::Dividend, amount) ||
            !ReadDouble(InputBox::DividendInterest, ratePercent) ||
            !ReadDouble(InputBox::DividendTime, timeDays)) {
            return false;
        }
        const DividendReading dividend = ReadDividendNumbers(amount, ratePercent, timeDays);
        switch (dividend.fault) {
            case InputBox::DividendInterest:
                return Reject(InputBox::DividendInterest, "Dividend interest must lie between " +
                                                              Localized("-3.4e+40") + " and " +
                                                              Localized("3.4e+40"));
            case InputBox::DividendTime:
                return Reject(InputBox::DividendTime, "Dividend time must lie between " +
                                                          Localized("-1.2e+41") + " and " +
                                                          Localized("1.2e+41"));
            case InputBox::Dividend:
                return Reject(InputBox::Dividend, "The dividend's present value is out of range");
            default:
                break;
        }
        inputs_.dividendPresentValue = dividend.presentValue;
        return true;
    }

    bool Value() {
        recorder_.Valued(inputs_);
        const Checked<PricingResult> valued = ValueOption(kind_, inputs_);
        if (!valued.Ok()) {
            return RejectValuation(valued.error);
        }
        result_ = valued.value;
        recorder_.Valued(result_);
        return true;
    }

    void WriteResults() {
        ShownTexts texts = ResultTexts(result_);
        for (ResultBox box : RESULT_BOXES) {
            Change(WriteResult{box, Localized(texts[box])});
        }
    }

    bool RejectValuation(EngineError error) {
        const float dividend = inputs_.dividendPresentValue;
        switch (error) {
            case EngineError::StrikeNotPositive:
                return Reject(InputBox::Strike, "Strike must be greater than 0");
            case EngineError::MaturityNotPositive:
                return Reject(InputBox::Maturity, "Maturity must be greater than 0 days");
            case EngineError::AssetNotAboveDividend:
                if (dividend != 0) {
                    return Reject(InputBox::Asset,
                                  "Asset must be greater than the dividend's present value (" +
                                      Localized(FormatFixed(dividend, 2)) + ")");
                }
                return Reject(InputBox::Asset, "Asset must be greater than 0");
            case EngineError::AssetNotPositive:
                return Reject(InputBox::Asset, "Asset must be greater than 0");
            case EngineError::VolatilityNotPositive:
                return Reject(InputBox::Asset, "Volatility must be greater than 0");
            case EngineError::OutOfRange:
            case EngineError::NotANumber:
            case EngineError::None:  // not an error of the valuation's; never reached
                break;
        }
        return Reject(InputBox::Asset,
                      "These inputs give a result beyond the range of numbers "
                      "the calculator can hold");
    }

    template <typename T>
    bool Read(InputBox box, T& destination) {
        const std::string_view text = Text(box);
        std::string converted;  // only where the conventions translate the text
        if (conventions_.toCanonical) {
            converted = conventions_.toCanonical(text);
        }
        const std::string_view canonical = conventions_.toCanonical ? converted : text;
        const Checked<T> parsed = ParseNumber<T>(canonical);
        if (parsed.Ok()) {
            destination = parsed.value;
            return true;
        }
        const std::string name(BoxName(box));
        if (parsed.error != EngineError::OutOfRange) {
            return Reject(box, name + " is not a number" + DecimalSymbolHint<T>(text));
        }
        const std::string limit = std::is_same_v<T, float> ? "3.4e+38" : "1.7e+308";
        if (!MustBePositive(box)) {
            return Reject(box, name + " must lie between " + Localized("-" + limit) + " and " +
                                   Localized(limit));
        }
        if (TrimBlanks(canonical).starts_with('-')) {
            return Reject(
                box, name + " must be greater than 0" + (box == InputBox::Maturity ? " days" : ""));
        }
        return Reject(box, name + " is too large (the largest is " + Localized(limit) + ")");
    }

    // A hint when the text reads as a number with the other of point and comma as the
    // decimal symbol: "1,5" where the point is the decimal symbol, "1.5" where the comma is.
    template <typename T>
    std::string DecimalSymbolHint(std::string_view text) const {
        const std::string half = Localized("0.5");
        const char own = half.size() == 3 ? half[1] : '\0';
        const char other = own == '.' ? ',' : own == ',' ? '.' : '\0';
        if (other == '\0' || text.find(other) == std::string_view::npos ||
            text.find(own) != std::string_view::npos) {
            return {};
        }
        std::string swapped(text);
        std::replace(swapped.begin(), swapped.end(), other, own);
        const Checked<T> reread =
            ParseNumber<T>(conventions_.toCanonical ? conventions_.toCanonical(swapped) : swapped);
        if (!reread.Ok()) {
            return {};
        }
        return own == '.' ? ": use a point as the decimal symbol"
                          : ": use a comma as the decimal symbol";
    }
    bool ReadSingle(InputBox box, float& destination) { return Read(box, destination); }
    bool ReadDouble(InputBox box, double& destination) { return Read(box, destination); }

    // Shows the message, puts the focus on the box at fault and blanks every result,
    // so that no old result stands beside the new inputs.
    bool Reject(InputBox box, std::string message) {
        Show(std::move(message));
        Change(FocusBox{box, true});
        for (ResultBox result : RESULT_BOXES) {
            Change(WriteResult{result, {}});
        }
        return false;
    }

    std::string_view Text(InputBox box) const { return screen_.boxes[box]; }

    std::string Localized(std::string canonical) const {
        if (conventions_.fromCanonical) {
            return conventions_.fromCanonical(canonical);
        }
        return canonical;  // moved, where the conditional operator would copy it
    }

    void Show(std::string text) { Change(ShowMessage{std::move(text)}); }
    template <typename Kind>
    void Change(Kind&& change) {
        recorder_.Change(std::forward<Kind>(change));
    }

    OptionKind kind_;
    const ScreenInputs& screen_;
    const NumberConventions& conventions_;
    Recorder recorder_;
    PricingInputs inputs_;
    PricingResult result_;
};

}  // namespace

CycleOutcome Recalculate(OptionKind kind, ScrollBar moved, const ScreenInputs& screen,
                         const NumberConventions& conventions) {
    CycleOutcome outcome;
    Cycle(kind, screen, conventions, ChangeList(outcome)).Run(moved);
    return outcome;
}

void Recalculate(OptionKind kind, ScrollBar moved, const ScreenInputs& screen,
                 const NumberConventions& conventions, CycleResults& results) {
    Cycle(kind, screen, conventions, ResultsOnly(results)).Run(moved);
}

std::string ShownValueText(float optionValue) {
    return optionValue < SHOWN_VALUE_FLOOR ? std::string("0.00") : FormatFixed(optionValue, 2);
}

double ShownValue(float optionValue) {
    return optionValue < SHOWN_VALUE_FLOOR ? 0.0 : RoundViaText<double>(optionValue, 2);
}

NumberConventions DecimalCommaConventions() {
    NumberConventions comma;
    comma.toCanonical = [](std::string_view text) {
        if (text.find('.') != std::string_view::npos) {
            return std::string(NOT_A_NUMBER_TEXT);
        }
        std::string canonical(text);
        std::replace(canonical.begin(), canonical.end(), ',', '.');
        return canonical;
    };
    comma.fromCanonical = [](std::string_view text) {
        std::string local(text);
        std::replace(local.begin(), local.end(), '.', ',');
        return local;
    };
    return comma;
}

BarValues ValueAlongBar(OptionKind kind, ScrollBar bar, const ScreenInputs& screen,
                        const NumberConventions& conventions) {
    CycleResults unused;
    return Cycle(kind, screen, conventions, ResultsOnly(unused)).RunAlong(bar);
}

namespace {

// The valuation's inputs from the numbers read; false where the dividend is beyond range.
bool InputsOf(const BoxNumbers& numbers, PricingInputs& inputs) {
    inputs.assetPrice = numbers.asset;
    inputs.strikePrice = numbers.strike;
    inputs.timeToMaturity = TimeToMaturity(numbers.maturityDays);
    inputs.interestRate = Fraction(numbers.interestPercent);
    inputs.volatility = Fraction(numbers.volatilityPercent);
    inputs.dividendPresentValue = 0;
    if (numbers.dividendTicked) {
        const DividendReading dividend =
            ReadDividendNumbers(numbers.dividend, numbers.dividendInterest, numbers.dividendTime);
        inputs.dividendPresentValue = dividend.presentValue;
        return dividend.fault == InputBox::Count;
    }
    return true;
}

}  // namespace

Checked<PricingResult> ValueBoxNumbers(OptionKind kind, const BoxNumbers& numbers) {
    PricingInputs inputs;
    if (!InputsOf(numbers, inputs)) {
        return {{}, EngineError::OutOfRange};
    }
    return ValueOption(kind, inputs);
}

void ValueBoxNumbers(std::span<const OptionKind> kinds, std::span<const BoxNumbers> numbers,
                     std::span<Checked<PricingResult>> outcomes) {
    constexpr std::size_t chunk = 64;
    std::array<PricingInputs, chunk> inputs;
    std::array<bool, chunk> read{};
    for (std::size_t first = 0; first < outcomes.size(); first += chunk) {
        const std::size_t count = std::min(chunk, outcomes.size() - first);
        for (std::size_t i = 0; i < count; ++i) {
            read[i] = InputsOf(numbers[first + i], inputs[i]);
        }
        ValueOptions(kinds.subspan(first, count), std::span(inputs).first(count),
                     outcomes.subspan(first, count));
        for (std::size_t i = 0; i < count; ++i) {
            if (!read[i]) {
                outcomes[first + i] = {{}, EngineError::OutOfRange};
            }
        }
    }
}

ShownTexts ResultTexts(const PricingResult& result) {
    return {{ShownValueText(result.optionValue), FormatFixed(result.delta, 4),
             FormatFixed(result.gamma, 4), FormatFixed(result.theta, 4),
             FormatFixed(result.vega, 4), FormatFixed(result.rho, 4)}};
}

ShownResults ResultNumbers(const PricingResult& result) {
    ShownResults shown;
    shown[ResultBox::Value] = ShownValue(result.optionValue);
    shown[ResultBox::Delta] = RoundViaText<double>(result.delta, 4);
    shown[ResultBox::Gamma] = RoundViaText<double>(result.gamma, 4);
    shown[ResultBox::Theta] = RoundViaText<double>(result.theta, 4);
    shown[ResultBox::Vega] = RoundViaText<double>(result.vega, 4);
    shown[ResultBox::Rho] = RoundViaText<double>(result.rho, 4);
    return shown;
}

}  // namespace volantra
