#pragma once

#include <array>
#include <string_view>

#include "cycle/enum_array.h"

// What the cycle reads from a pricing screen: its boxes, its check box and its bars.
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

/// The first position of a bar.
constexpr int BarLowest(ScrollBar bar) {
    return bar == ScrollBar::Volatility ? VOLATILITY_LOWEST : INTEREST_LOWEST;
}
/// The last position of a bar.
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

    /// The position of `bar`.
    [[nodiscard]] int& Position(ScrollBar bar) {
        return bar == ScrollBar::Volatility ? volatilityPercent : interestPercent;
    }
    /// The position of `bar`.
    [[nodiscard]] int Position(ScrollBar bar) const {
        return bar == ScrollBar::Volatility ? volatilityPercent : interestPercent;
    }
};

}  // namespace volantra
