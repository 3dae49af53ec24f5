#pragma once

#include <string>
#include <vector>

#include "rows/chart_sweeps.h"

namespace volantra {

/// The chart's table as the batch pricer writes a sweep of `swept` over the row
/// `fields`: the input columns (each row's value in `swept`), the six results and the
/// message, in canonical number text, the Greeks in `units`.
std::string SweepTableCsv(RowFields fields, Column swept, const std::vector<SweptRow>& rows,
                          GreekUnits units);

}  // namespace volantra
