#include "cycle/recalculation.h"

#include "engine/number_text.h"

namespace volantra {
namespace {

constexpr std::string_view DIVIDEND_RESET_TEXT = "0";

// Records a cycle's changes in their order.
class Changes {
public:
    explicit Changes(CycleOutcome& outcome) : changes_(outcome.changes) {}

    void Show(std::string_view message) {
        changes_.emplace_back(ShowMessage{std::string(message)});
    }

    // Shows the message, puts the focus on the box at fault and blanks every result,
    // so that no old result stands beside the new inputs.
    void Reject(Rejection rejection) {
        changes_.emplace_back(ShowMessage{std::move(rejection.message)});
        changes_.emplace_back(FocusBox{rejection.box, true});
        for (ResultBox box : RESULT_BOXES) {
            changes_.emplace_back(WriteResult{box, {}});
        }
    }

    // Only the empty boxes get a 0, so nothing the user typed is lost.
    void ResetEmptyDividendBoxes(const ScreenInputs& screen) {
        Show(MESSAGE_ENTER_DIVIDEND);
        for (InputBox box : DIVIDEND_BOXES) {
            if (IsBlankText(screen.boxes[box])) {
                changes_.emplace_back(ResetBox{box, std::string(DIVIDEND_RESET_TEXT)});
            }
        }
    }

    void ShowResults(const PricingResult& result, const NumberConventions& conventions) {
        ShownTexts texts = ResultTexts(result, conventions);
        for (ResultBox box : RESULT_BOXES) {
            changes_.emplace_back(WriteResult{box, std::move(texts[box])});
        }
    }

    void Add(ScreenChange change) { changes_.push_back(std::move(change)); }

private:
    std::vector<ScreenChange>& changes_;
};

}  // namespace

CycleOutcome Recalculate(OptionKind kind, ScrollBar moved, const ScreenInputs& screen,
                         const NumberConventions& conventions) {
    CycleOutcome outcome;
    Changes changes(outcome);
    const BoxReading reading = ReadBoxes(screen, conventions);
    if (reading.mainEmpty) {
        changes.Show(MESSAGE_ENTER_MAIN);
        changes.Add(FocusBox{InputBox::Asset, false});
        return outcome;
    }
    const auto position = static_cast<float>(screen.Position(moved));
    changes.Add(WriteValueLabel{moved, Localized(conventions, FormatGeneral(position))});
    if (reading.dividendEmpty) {
        changes.ResetEmptyDividendBoxes(screen);
    }
    if (reading.rejection) {
        changes.Reject(*reading.rejection);
        return outcome;
    }
    const ValuationInputs valuation = InputsOfNumbers(reading.numbers);
    if (valuation.fault == InputBox::Count) {
        outcome.inputs = valuation.inputs;
    }
    const Checked<PricingResult> valued = ValueInputs(kind, valuation);  // worked out once
    if (!valued.Ok()) {
        changes.Reject(ValuationRejection(reading.numbers, valued.error, conventions));
        return outcome;
    }
    outcome.result = valued.value;
    changes.ShowResults(valued.value, conventions);
    return outcome;
}

}  // namespace volantra
