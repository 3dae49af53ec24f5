#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cycle/along_bar.h"
#include "rows/priced_row.h"

// One row solved for a bar: the positions whose value box shows the row's value, as a
// user finds them by moving the bar.
namespace volantra {

/// What solving one row gives.
struct SolvedRow {
    PricedRow priced;             ///< at the lowest matching position
    std::optional<int> position;  ///< the lowest matching position
    std::string matches;          ///< every matching position, as ranges ("29-31 40")
};

/// Solves one row, given as texts in `conventions`, for the positions of `bar` whose value
/// box shows the row's target; its own position must be empty.
void SolveRow(ScrollBar bar, const RowFields& fields, const NumberConventions& conventions,
              SolvedRow& row);

/// What is said where no position shows `typed`: "No volatility from 1 to 200 shows
/// 10.45; the nearest is 23, which shows 10.40". `search` must have a nearest position.
std::string NearestMessage(ScrollBar bar, std::string_view typed, const BarSearch& search,
                           const NumberConventions& conventions);

}  // namespace volantra
