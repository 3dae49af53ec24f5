#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/valuation.h"

// The pricing screen's recalculation cycle on plain values: box texts, the check box
// and the two scroll-bar positions in; the ordered screen changes out. Both pricing
// screens and the batch pricer run it, so they show the very same digits.
namespace volantra {

enum class InputBox { Asset, Strike, Maturity, Dividend, DividendInterest, DividendTime };
enum class ResultBox { Value, Delta, Gamma, Theta, Vega, Rho };
enum class ScrollBar { Volatility, Interest };

inline constexpr std::size_t INPUT_BOX_COUNT = 6;
inline constexpr std::size_t RESULT_BOX_COUNT = 6;

inline constexpr std::string_view MESSAGE_ENTER_MAIN = "Enter Asset,Strike,Maturity values";
inline constexpr std::string_view MESSAGE_ENTER_DIVIDEND = "Enter Dividend,Interest,Time values";

/// What the cycle reads from a pricing screen; the texts must outlive the cycle.
struct ScreenInputs {
    std::array<std::string_view, INPUT_BOX_COUNT> boxes;  ///< texts, indexed by InputBox
    bool dividendTicked = false;
    int volatilityPercent = 1;  ///< position of the volatility bar, 1 to 200
    int interestPercent = 1;    ///< position of the interest bar, 0 to 100

    [[nodiscard]] std::string_view text(InputBox box) const {
        return boxes[static_cast<std::size_t>(box)];
    }
};

/// Translates number text between the user's conventions and canonical text; an empty
/// function leaves the text as it is.
struct NumberConventions {
    std::function<std::string(std::string_view)> toCanonical;
    std::function<std::string(std::string_view)> fromCanonical;
};

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

/// The user's name of a box, as used in messages ("Strike").
std::string_view BoxName(InputBox box);

}  // namespace volantra
