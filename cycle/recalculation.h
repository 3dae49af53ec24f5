#pragma once

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cycle/enum_array.h"
#include "engine/valuation.h"

// The pricing screen's recalculation cycle on plain values: box texts, the check box
// and the two scroll-bar positions in; the ordered screen changes out. Both pricing
// screens and the batch pricer run it, so they show the very same digits.
namespace volantra {

enum class InputBox { Asset, Strike, Maturity, Dividend, DividendInterest, DividendTime, Count };
enum class ResultBox { Value, Delta, Gamma, Theta, Vega, Rho, Count };
enum class ScrollBar { Volatility, Interest };

/// The input boxes, main row first.
inline constexpr std::array<InputBox, ENUM_COUNT<InputBox>> INPUT_BOXES = {
    InputBox::Asset,    InputBox::Strike,           InputBox::Maturity,
    InputBox::Dividend, InputBox::DividendInterest, InputBox::DividendTime};
/// The boxes of the dividend row.
inline constexpr std::array<InputBox, 3> DIVIDEND_BOXES = {
    InputBox::Dividend, InputBox::DividendInterest, InputBox::DividendTime};
/// The result boxes, top to bottom.
inline constexpr std::array<ResultBox, ENUM_COUNT<ResultBox>> RESULT_BOXES = {
    ResultBox::Value, ResultBox::Delta, ResultBox::Gamma,
    ResultBox::Theta, ResultBox::Vega,  ResultBox::Rho};

/// Scroll-bar ranges, in percent.
inline constexpr int VOLATILITY_LOWEST = 1;
inline constexpr int VOLATILITY_HIGHEST = 200;
inline constexpr int INTEREST_LOWEST = 0;
inline constexpr int INTEREST_HIGHEST = 100;
/// Where both bars stand when a screen opens.
inline constexpr int BAR_START = 1;

/// The first and last position of a bar.
constexpr int BarLowest(ScrollBar bar) {
    return bar == ScrollBar::Volatility ? VOLATILITY_LOWEST : INTEREST_LOWEST;
}
constexpr int BarHighest(ScrollBar bar) {
    return bar == ScrollBar::Volatility ? VOLATILITY_HIGHEST : INTEREST_HIGHEST;
}

inline constexpr std::string_view MESSAGE_ENTER_MAIN = "Enter Asset,Strike,Maturity values";
inline constexpr std::string_view MESSAGE_ENTER_DIVIDEND = "Enter Dividend,Interest,Time values";

/// What the cycle reads from a pricing screen; the texts must outlive the cycle.
struct ScreenInputs {
    EnumArray<InputBox, std::string_view> boxes;  ///< the text of each box
    bool dividendTicked = false;
    int volatilityPercent = BAR_START;  ///< position of the volatility bar, 1 to 200
    int interestPercent = BAR_START;    ///< position of the interest bar, 0 to 100
};

/// Translates number text between the user's conventions and canonical text; an empty
/// function leaves the text as it is.
struct NumberConventions {
    std::function<std::string(std::string_view)> toCanonical;
    std::function<std::string(std::string_view)> fromCanonical;
};

/// A comma as the decimal symbol and no digit grouping, as spreadsheets write numbers
/// where fields are separated by semicolons: "12,5" in and out; a point is no decimal
/// symbol there, so text holding one is no number.
NumberConventions DecimalCommaConventions();

struct ShowMessage {
    std::string text;
};
struct ResetBox {
    InputBox box;
    std::string text;
};
struct FocusBox {
    InputBox box;
    bool selectText;
};
struct WriteValueLabel {
    ScrollBar bar;
    std::string text;
};
struct WriteResult {
    ResultBox box;
    std::string text;
};
/// One change to the screen; a cycle's changes are applied in their order.
using ScreenChange = std::variant<ShowMessage, ResetBox, FocusBox, WriteValueLabel, WriteResult>;

/// The changes of one cycle and, when it got that far, what it valued.
struct CycleOutcome {
    std::vector<ScreenChange> changes;
    std::optional<PricingInputs> inputs;
    std::optional<PricingResult> result;
};

/// Runs one recalculation after `moved` reported a change or a scroll.
CycleOutcome Recalculate(OptionKind kind, ScrollBar moved, const ScreenInputs& screen,
                         const NumberConventions& conventions = {});

/// What a cycle leaves in the result boxes and the messages it shows: what a caller
/// without widgets reads.
struct CycleResults {
    EnumArray<ResultBox, std::string> results;  ///< the boxes' last texts; empty if unwritten
    std::vector<std::string> messages;          ///< in the order shown
    std::optional<PricingInputs> inputs;
    std::optional<PricingResult> result;
};

/// The same cycle, keeping only its results and messages (no value label is written):
/// for callers running many cycles, whose storage is reused.
void Recalculate(OptionKind kind, ScrollBar moved, const ScreenInputs& screen,
                 const NumberConventions& conventions, CycleResults& results);

/// The canonical text the value box shows for an option value: "0.00" below two cents.
std::string ShownValueText(float optionValue);

/// The number ShownValueText reads back as: 0 below two cents, else the value rounded
/// to 2 decimals through text.
double ShownValue(float optionValue);

/// The option value the cycle computes at each position of one bar.
struct BarValues {
    int lowest = 0;  ///< the position of the first element
    /// One per position, lowest first; empty where the cycle ends with a message.
    std::vector<std::optional<float>> optionValues;
};

/// Runs the cycle's valuation at every position of `bar`, every other input as on
/// `screen` (its position of `bar` is not read). Screen changes are not reported.
BarValues ValueAlongBar(OptionKind kind, ScrollBar bar, const ScreenInputs& screen,
                        const NumberConventions& conventions = {});

/// The numbers the cycle reads from filled boxes, in the widths it reads them: what
/// ParseNumber gives for each box's text.
struct BoxNumbers {
    float asset = 0;
    float strike = 0;
    float maturityDays = 0;
    bool dividendTicked = false;
    float dividend = 0;
    double dividendInterest = 0;  ///< percent per year
    double dividendTime = 0;      ///< days
    int volatilityPercent = BAR_START;
    int interestPercent = BAR_START;
};

/// Steps 2 to 5 of the cycle on numbers already read: the valuation whose results it
/// shows, or an error where it shows a message instead (which only the texts' cycle tells).
Checked<PricingResult> ValueBoxNumbers(OptionKind kind, const BoxNumbers& numbers);

/// ValueBoxNumbers on every row, in the stages of ValueOptions.
void ValueBoxNumbers(std::span<const OptionKind> kinds, std::span<const BoxNumbers> numbers,
                     std::span<Checked<PricingResult>> outcomes);

/// The canonical texts of the result boxes, top to bottom.
using ShownTexts = EnumArray<ResultBox, std::string>;
/// The texts the cycle writes into the result boxes for `result`, in canonical form.
ShownTexts ResultTexts(const PricingResult& result);

/// The numbers the result boxes' texts read back as, in double precision.
using ShownResults = EnumArray<ResultBox, double>;
/// What the cycle's result texts of `result` read as: "10.45" gives the double nearest 10.45.
ShownResults ResultNumbers(const PricingResult& result);

}  // namespace volantra
