#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cycle/screen.h"
#include "cycle/shown_results.h"
#include "rows/sweep_range.h"

namespace volantra {

/// Exit status of a batch run.
enum class BatchStatus { AllValued = 0, SomeNotValued = 1, UnusableInput = 2 };

/// How a batch run reads and writes.
struct BatchOptions {
    bool full = false;                      ///< add every valuation field in round-trip precision
    GreekUnits units = GreekUnits::Screen;  ///< the Greeks as the screens give them, or traders
    /// ',' or '\t' (decimal point), ';' (decimal comma); 0 guesses from the header line.
    char delimiter = 0;
    std::optional<ScrollBar> solve;  ///< find the positions of this bar that show `value`
    /// One output row per value of a column, or per pair of values of two (a grid, the
    /// first sweep outermost).
    std::vector<SweepRange> sweeps;
    unsigned jobs = 1;  ///< threads pricing rows; the output keeps the input's order
    std::string inputName = "the input";    ///< how messages name the input
    std::string outputName = "the output";  ///< how messages name the output
};

/// The decimal symbol of numbers in fields separated by `delimiter`: a comma after
/// semicolons, as spreadsheets write them, else a point.
constexpr char DecimalSymbol(char delimiter) {
    return delimiter == ';' ? ',' : '.';
}

/// Options that only choose whether the valuation fields are added.
inline BatchOptions PlainBatchOptions(bool full) {
    BatchOptions options;
    options.full = full;
    return options;
}

}  // namespace volantra
