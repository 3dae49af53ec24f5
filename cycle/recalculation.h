#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cycle/box_reading.h"
#include "cycle/box_valuation.h"
#include "cycle/number_conventions.h"
#include "cycle/screen.h"
#include "cycle/shown_results.h"
#include "engine/valuation.h"

// The pricing screen's recalculation cycle on plain values: box texts, the check box
// and the two scroll-bar positions in; the ordered screen changes out. It reads the
// boxes, values what they read and shows the results, and adds what only a screen
// does: the moved bar's label, the focus and the dividend boxes' reset.
namespace volantra {

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

}  // namespace volantra
