#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cycle/along_bar.h"
#include "rows/chart_sweeps.h"

// What a chart shows: the screen's results at every point of a bar or of a sweep of one
// input box, without widgets.
namespace volantra {

/// What a chart is drawn over.
enum class ChartOver { Volatility, Interest, Asset, Days };

/// True for the two bars, whose every position the chart shows.
constexpr bool OverBar(ChartOver over) {
    return over == ChartOver::Volatility || over == ChartOver::Interest;
}

/// One point: where it stands and what the screen would show there.
struct ChartPoint {
    double x = 0;
    std::optional<PricingResult> valued;
    std::vector<std::string> messages;  ///< in the order the screen shows them
};

/// The points of a chart, and what the screen shows with its inputs as they stand.
struct ChartData {
    std::vector<ChartPoint> points;
    BarValues along;                    ///< over a bar: every position, for the market value
    std::optional<SweepRange> sweep;    ///< over the asset or the days
    BoxReading reading;                 ///< the screen's boxes as they read
    std::optional<PricingResult> here;  ///< what the screen shows as it stands
    std::string hereMessage;            ///< and the messages it shows there
};

/// The chart over `over` of a screen of `kind`, whose texts read by `conventions`.
ChartData ComputeChart(OptionKind kind, ChartOver over, const ScreenInputs& screen,
                       const NumberConventions& conventions);

/// The table as CSV, as the batch pricer writes the same sweep of the same row, for the
/// screen whose canonical texts `canonical` holds.
std::string ChartTableCsv(OptionKind kind, ChartOver over, const ScreenInputs& canonical,
                          GreekUnits units);

/// The payoff at expiry of an option of `kind` and `strike` at the asset price `asset`.
double PayoffAtExpiry(OptionKind kind, double strike, double asset);

}  // namespace volantra
