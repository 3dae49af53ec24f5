#include "screens/chart_points.h"

#include <algorithm>
#include <cmath>

#include "engine/number_text.h"
#include "engine/powers_of_ten.h"
#include "screens/sweep_table_csv.h"

namespace volantra {
namespace {

ScrollBar BarOf(ChartOver over) {
    return over == ChartOver::Volatility ? ScrollBar::Volatility : ScrollBar::Interest;
}

double ValueAt(const SweepRange& sweep, std::size_t k) {
    return static_cast<double>(sweep.from + static_cast<std::int64_t>(k) * sweep.step) /
           EXACT_POWERS_OF_TEN[static_cast<std::size_t>(sweep.scale)];
}

void PointsAlongBar(OptionKind kind, ChartOver over, const ScreenInputs& screen,
                    const NumberConventions& conventions, ChartData& data) {
    data.along = ValueAlongBar(kind, BarOf(over), screen, conventions);
    data.points.resize(data.along.positions.size());
    for (std::size_t i = 0; i < data.points.size(); ++i) {
        const Checked<PricingResult>& valued = data.along.positions[i];
        ChartPoint& point = data.points[i];
        point.x = data.along.lowest + static_cast<int>(i);
        point.valued = valued.Ok() ? std::optional(valued.value) : std::nullopt;
        point.messages = CycleMessages(data.along.reading, valued, conventions);
    }
}

void PointsAlongSweep(OptionKind kind, const ScreenInputs& screen,
                      const NumberConventions& conventions, ChartData& data) {
    std::array<std::string, 2> positions;
    const std::vector<SweptRow> rows =
        PriceSweep(FieldsOfScreen(kind, screen, positions), *data.sweep, conventions);
    data.points.resize(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        ChartPoint& point = data.points[k];
        point.x = ValueAt(*data.sweep, k);
        point.valued = rows[k].priced.valued;
        if (!rows[k].priced.message.empty()) {
            point.messages.push_back(rows[k].priced.message);
        }
    }
}

// The sweep around the swept box's own number, as the pricer sweeps a row whatever its
// other fields hold; none where that box holds no number to sweep around.
std::optional<SweepRange> SweepOver(ChartOver over, const ScreenInputs& screen,
                                    const NumberConventions& conventions) {
    const InputBox box = over == ChartOver::Asset ? InputBox::Asset : InputBox::Maturity;
    const Checked<float> typed = ParseNumber<float>(Canonical(conventions, screen.boxes[box]));
    if (!typed.Ok()) {
        return std::nullopt;
    }
    return over == ChartOver::Asset ? AssetSweep(typed.value) : DaysSweep(typed.value);
}

}  // namespace

ChartData ComputeChart(OptionKind kind, ChartOver over, const ScreenInputs& screen,
                       const NumberConventions& conventions) {
    ChartData data;
    data.reading = ReadBoxes(screen, conventions);
    PricedRow here;
    PriceScreen(kind, screen, conventions, here);
    data.here = here.valued;
    data.hereMessage = here.message;
    if (OverBar(over)) {
        PointsAlongBar(kind, over, screen, conventions, data);
    } else if ((data.sweep = SweepOver(over, screen, conventions))) {
        PointsAlongSweep(kind, screen, conventions, data);
    }
    return data;
}

std::string ChartTableCsv(OptionKind kind, ChartOver over, const ScreenInputs& canonical,
                          GreekUnits units) {
    std::array<std::string, 2> positions;
    const RowFields fields = FieldsOfScreen(kind, canonical, positions);
    if (!OverBar(over)) {
        const std::optional<SweepRange> sweep = SweepOver(over, canonical, {});
        return sweep ? SweepTableCsv(fields, ColumnNamed(sweep->column),
                                     PriceSweep(fields, *sweep, {}), units)
                     : SweepTableCsv(fields, Column::Asset, {}, units);
    }
    const BarValues along = ValueAlongBar(kind, BarOf(over), canonical, {});
    std::vector<SweptRow> rows(along.positions.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].text = std::to_string(along.lowest + static_cast<int>(i));
        const Checked<PricingResult>& valued = along.positions[i];
        rows[i].priced.valued = valued.Ok() ? std::optional(valued.value) : std::nullopt;
        for (const std::string& message : CycleMessages(along.reading, valued, {})) {
            AddMessage(rows[i].priced.message, message);
        }
    }
    return SweepTableCsv(fields, BarColumn(BarOf(over)), rows, units);
}

double PayoffAtExpiry(OptionKind kind, double strike, double asset) {
    return std::max(kind == OptionKind::Call ? asset - strike : strike - asset, 0.0);
}

}  // namespace volantra
