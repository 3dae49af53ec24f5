#pragma once

#include <optional>
#include <string>

#include "cycle/number_conventions.h"
#include "cycle/screen.h"

// The cycle's first stage: the boxes' texts read as numbers, in the widths the screen
// keeps them, or the message that stands instead.
namespace volantra {

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

/// A message about one box, whose text the user is to mend.
struct Rejection {
    InputBox box = InputBox::Asset;
    std::string message;
};

/// What the boxes read as.
struct BoxReading {
    /// A required box is blank: the cycle shows MESSAGE_ENTER_MAIN and reads no further.
    bool mainEmpty = false;
    /// The dividend row is ticked with a blank box: the cycle shows MESSAGE_ENTER_DIVIDEND
    /// and values without a dividend.
    bool dividendEmpty = false;
    /// A box whose text is no number, or none the screen can hold.
    std::optional<Rejection> rejection;
    /// What the boxes read as, where neither of the above stops the cycle.
    BoxNumbers numbers;

    /// True when `numbers` holds what the boxes read as.
    [[nodiscard]] bool Read() const { return !mainEmpty && !rejection; }
};

/// Reads the screen's boxes, check box and bar positions, texts in `conventions`.
BoxReading ReadBoxes(const ScreenInputs& screen, const NumberConventions& conventions);

}  // namespace volantra
