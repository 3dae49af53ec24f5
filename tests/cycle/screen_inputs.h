#pragma once

#include <string>
#include <string_view>

#include "cycle/recalculation.h"

// Screens as a user leaves them before moving a bar, for the cycle's tests.
namespace volantra::testing {

/// The three main boxes as typed and the bars' positions; the dividend row unticked.
inline ScreenInputs Inputs(std::string_view asset, std::string_view strike,
                           std::string_view maturity, int volatility, int interest) {
    ScreenInputs in;
    in.boxes = {asset, strike, maturity, "", "", ""};
    in.volatilityPercent = volatility;
    in.interestPercent = interest;
    return in;
}

/// The same screen with the dividend row ticked and its three boxes typed.
inline ScreenInputs WithDividend(ScreenInputs in, std::string_view amount, std::string_view rate,
                                 std::string_view days) {
    in.dividendTicked = true;
    in.boxes[InputBox::Dividend] = amount;
    in.boxes[InputBox::DividendInterest] = rate;
    in.boxes[InputBox::DividendTime] = days;
    return in;
}

/// A decimal-comma locale without grouping: "100,5" in, "10,45" out.
inline NumberConventions DecimalComma() {
    return DecimalCommaConventions();
}

}  // namespace volantra::testing
