#pragma once

#include <string>

#include "cycle/along_bar.h"

namespace volantra {

/// The chart's table as the batch pricer writes a sweep of `bar` over the same row:
/// the input columns (the bar at each position), the six results and the message, in
/// canonical number text. `canonical` holds the box texts in canonical form, which
/// `along` valued.
std::string BarTableCsv(OptionKind kind, ScrollBar bar, const ScreenInputs& canonical,
                        const BarValues& along);

}  // namespace volantra
