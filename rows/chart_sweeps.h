#pragma once

#include <optional>
#include <string>
#include <vector>

#include "rows/priced_row.h"
#include "rows/sweep_range.h"

// The sweeps a chart draws over an input box, as `volantra-price --sweep` gives them, and
// the rows along one, priced as the pricer prices them.
namespace volantra {

/// The points a chart over the asset price shows: 201 prices a whole number of cents
/// apart, from about half to one and a half times `asset`, which stands (to the cent) in
/// the middle; none where the asset is not above a cent or beyond 15 digits of cents.
std::optional<SweepRange> AssetSweep(double asset);

/// The points a chart over the days left shows: every whole day from 1 to `days`, or,
/// beyond 1,000 days, 1,000 at most, a whole number of days apart and ending at `days`;
/// none below one day.
std::optional<SweepRange> DaysSweep(double days);

/// The sweep as `--sweep` takes it: "asset=50:150:0.5".
std::string SweepArgument(const SweepRange& sweep);

/// One point of a sweep: its value's text, as the row holds it, and the row priced.
struct SweptRow {
    std::string text;
    PricedRow priced;
};

/// The row `fields` at each value of `sweep`, its texts in `conventions`: what the pricer
/// writes for `--sweep` on that row.
std::vector<SweptRow> PriceSweep(RowFields fields, const SweepRange& sweep,
                                 const NumberConventions& conventions);

}  // namespace volantra
