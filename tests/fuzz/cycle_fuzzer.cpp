// The recalculation cycle on arbitrary box texts, check box and bar positions (also
// outside the bars' ranges), both kinds and both bars: every result it writes is empty
// or a plain finite decimal, an empty result always comes with a message, and every
// change names a real box.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "cycle/recalculation.h"
#include "fuzz_checks.h"

using namespace volantra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const OptionKind kind = input.ConsumeBool() ? OptionKind::Call : OptionKind::Put;
    const ScrollBar moved = input.ConsumeBool() ? ScrollBar::Volatility : ScrollBar::Interest;
    ScreenInputs screen;
    screen.dividendTicked = input.ConsumeBool();
    const bool inRange = input.ConsumeBool();
    screen.volatilityPercent =
        inRange ? input.ConsumeIntegralInRange(VOLATILITY_LOWEST, VOLATILITY_HIGHEST)
                : input.ConsumeIntegralInRange(-1000, 1000);
    screen.interestPercent = inRange
                                 ? input.ConsumeIntegralInRange(INTEREST_LOWEST, INTEREST_HIGHEST)
                                 : input.ConsumeIntegralInRange(-1000, 1000);
    EnumArray<InputBox, std::string> texts;
    for (InputBox box : INPUT_BOXES) {
        texts[box] = input.ConsumeRandomLengthString(64);
        screen.boxes[box] = texts[box];
    }

    const CycleOutcome outcome = Recalculate(kind, moved, screen);
    bool messageShown = false;
    int resultsWritten = 0;
    bool resultBlank = false;
    for (const ScreenChange& change : outcome.changes) {
        if (std::holds_alternative<ShowMessage>(change)) {
            messageShown = true;
            fuzz::Require(!std::get<ShowMessage>(change).text.empty(), "a message says something");
        } else if (const auto* result = std::get_if<WriteResult>(&change)) {
            ++resultsWritten;
            fuzz::Require(result->box < ResultBox::Count, "a result names a result box");
            resultBlank = resultBlank || result->text.empty();
            fuzz::Require(result->text.empty() || fuzz::IsPlainDecimal(result->text),
                          "a result is empty or a plain finite decimal");
        } else if (const auto* label = std::get_if<WriteValueLabel>(&change)) {
            fuzz::Require(fuzz::IsPlainDecimal(label->text), "a value label shows a whole number");
        } else if (const auto* focus = std::get_if<FocusBox>(&change)) {
            fuzz::Require(focus->box < InputBox::Count, "the focus goes to an input box");
        }
    }
    fuzz::Require(resultsWritten == 0 || resultsWritten == static_cast<int>(RESULT_BOXES.size()),
                  "a cycle writes all six results or none");
    fuzz::Require(!resultBlank || messageShown, "blank results come with a message");
    fuzz::Require(resultsWritten == 0 || resultBlank || outcome.result.has_value(),
                  "shown results come from a valuation");
    return 0;
}
