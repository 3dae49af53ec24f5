#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cycle/box_valuation.h"

// A whole bar at once: what the screen would show at each of its positions, and the
// positions that show a given option value, as a user finds them by moving the bar.
namespace volantra {

/// The cycle at every position of one bar.
struct BarValues {
    int lowest = 0;      ///< the position of the first element
    BoxReading reading;  ///< the boxes, read once: the bar's position does not change them
    /// One valuation per position, lowest first; errors throughout where `reading` stops
    /// the cycle before the valuation.
    std::vector<Checked<PricingResult>> positions;
};

/// Runs the cycle at every position of `bar`, every other input as on `screen` (its
/// position of `bar` is not read). Screen changes are not reported.
BarValues ValueAlongBar(OptionKind kind, ScrollBar bar, const ScreenInputs& screen,
                        const NumberConventions& conventions = {});

/// What moving a bar over every position finds for an option value.
struct BarSearch {
    std::vector<int> matches;    ///< the positions whose value box shows the target
    std::optional<int> nearest;  ///< the position whose shown value is nearest the target
    float nearestValue = 0;      ///< the option value there
};

/// Searches `along` for the positions whose shown value equals `target`.
BarSearch SearchBar(const BarValues& along, double target);

/// Positions as ranges of consecutive ones: "29-31 40".
std::string PositionRanges(const std::vector<int>& positions);

}  // namespace volantra
