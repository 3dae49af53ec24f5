#include "cycle/box_reading.h"

#include <algorithm>
#include <array>
#include <span>
#include <type_traits>

#include "cycle/limit_texts.h"
#include "engine/number_text.h"

namespace volantra {
namespace {

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

// Reads box texts into numbers, or records why one cannot be read.
class BoxReader {
public:
    BoxReader(const ScreenInputs& screen, const NumberConventions& conventions, BoxReading& reading)
        : screen_(screen), conventions_(conventions), reading_(reading) {}

    template <typename T>
    bool Read(InputBox box, T& destination) {
        const std::string_view text = screen_.boxes[box];
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
        reading_.rejection = Rejection{box, Message<T>(box, text, canonical, parsed.error)};
        return false;
    }

private:
    template <typename T>
    std::string Message(InputBox box, std::string_view text, std::string_view canonical,
                        EngineError error) const {
        const std::string name(BoxName(box));
        if (error != EngineError::OutOfRange) {
            return name + " is not a number" + DecimalSymbolHint<T>(text);
        }
        const std::string_view limit = std::is_same_v<T, float> ? SINGLE_LIMIT : DOUBLE_LIMIT;
        if (!MustBePositive(box)) {
            return LimitMessage(name, limit, conventions_);
        }
        if (TrimBlanks(canonical).starts_with('-')) {
            return name + " must be greater than 0" + (box == InputBox::Maturity ? " days" : "");
        }
        return name + " is too large (the largest is " +
               Localized(conventions_, std::string(limit)) + ")";
    }

    // A hint when the text reads as a number with the other of point and comma as the
    // decimal symbol: "1,5" where the point is the decimal symbol, "1.5" where the comma is.
    template <typename T>
    std::string DecimalSymbolHint(std::string_view text) const {
        const std::string half = Localized(conventions_, "0.5");
        const char own = half.size() == 3 ? half[1] : '\0';
        const char other = own == '.' ? ',' : own == ',' ? '.' : '\0';
        if (other == '\0' || text.find(other) == std::string_view::npos ||
            text.find(own) != std::string_view::npos) {
            return {};
        }
        std::string swapped(text);
        std::replace(swapped.begin(), swapped.end(), other, own);
        if (!ParseNumber<T>(Canonical(conventions_, swapped)).Ok()) {
            return {};
        }
        return own == '.' ? ": use a point as the decimal symbol"
                          : ": use a comma as the decimal symbol";
    }

    const ScreenInputs& screen_;
    const NumberConventions& conventions_;
    BoxReading& reading_;
};

bool AnyBlank(const ScreenInputs& screen, std::span<const InputBox> boxes) {
    return std::any_of(boxes.begin(), boxes.end(),
                       [&screen](InputBox box) { return IsBlankText(screen.boxes[box]); });
}

constexpr std::array<InputBox, 3> MAIN_BOXES = {InputBox::Asset, InputBox::Strike,
                                                InputBox::Maturity};

}  // namespace

BoxReading ReadBoxes(const ScreenInputs& screen, const NumberConventions& conventions) {
    BoxReading reading;
    if (AnyBlank(screen, MAIN_BOXES)) {
        reading.mainEmpty = true;
        return reading;
    }
    BoxNumbers& numbers = reading.numbers;
    numbers.volatilityPercent = screen.volatilityPercent;
    numbers.interestPercent = screen.interestPercent;
    BoxReader reader(screen, conventions, reading);
    if (!reader.Read(InputBox::Asset, numbers.asset) ||
        !reader.Read(InputBox::Strike, numbers.strike) ||
        !reader.Read(InputBox::Maturity, numbers.maturityDays) || !screen.dividendTicked) {
        return reading;
    }
    if (AnyBlank(screen, DIVIDEND_BOXES)) {
        reading.dividendEmpty = true;  // valued without a dividend
        return reading;
    }
    numbers.dividendTicked = reader.Read(InputBox::Dividend, numbers.dividend) &&
                             reader.Read(InputBox::DividendInterest, numbers.dividendInterest) &&
                             reader.Read(InputBox::DividendTime, numbers.dividendTime);
    return reading;
}

}  // namespace volantra
