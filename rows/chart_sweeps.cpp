#include "rows/chart_sweeps.h"

#include <cmath>

#include "rows/sweep_grid.h"

namespace volantra {
namespace {

constexpr std::int64_t ASSET_POINTS_EACH_SIDE = 100;  // 201 points in all
constexpr std::int64_t MOST_DAY_POINTS = 1000;
constexpr double LARGEST_UNITS = 1e15;  // what --sweep reads: 15 digits

}  // namespace

std::optional<SweepRange> AssetSweep(double asset) {
    const double cents = std::round(asset * 100);
    if (!(cents >= 1 && cents * 1.5 < LARGEST_UNITS)) {
        return std::nullopt;
    }
    const auto middle = static_cast<std::int64_t>(cents);
    const std::int64_t step =
        std::max<std::int64_t>(1, std::llround(static_cast<double>(middle) / 200));
    return SweepRange{std::string(COLUMN_NAMES[Column::Asset]),
                      middle - ASSET_POINTS_EACH_SIDE * step,
                      middle + ASSET_POINTS_EACH_SIDE * step, step, 2};
}

std::optional<SweepRange> DaysSweep(double days) {
    const double whole = std::floor(days);
    if (!(whole >= 1 && whole < LARGEST_UNITS)) {
        return std::nullopt;
    }
    const auto last = static_cast<std::int64_t>(whole);
    const std::int64_t step = (last - 1 + MOST_DAY_POINTS - 2) / (MOST_DAY_POINTS - 1);
    const std::int64_t spaced = std::max<std::int64_t>(1, step);
    // The last point is the maturity typed, where the screen stands; the first is day 1
    // or the first day after it that the step reaches.
    return SweepRange{std::string(COLUMN_NAMES[Column::Maturity]),
                      last - (last - 1) / spaced * spaced, last, spaced, 0};
}

std::string SweepArgument(const SweepRange& sweep) {
    SweepRange step = sweep;  // Text(1) of a range from 0 is the step
    step.from = 0;
    return sweep.column + '=' + sweep.Text(0) + ':' + sweep.Text(sweep.Count() - 1) + ':' +
           step.Text(1);
}

std::vector<SweptRow> PriceSweep(RowFields fields, const SweepRange& sweep,
                                 const NumberConventions& conventions) {
    const SweepGrid grid({sweep}, conventions);
    std::vector<SweptRow> rows(grid.Count());
    std::vector<RowFields> points(rows.size());
    std::vector<PricedRow> priced(rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        grid.Place(k, fields);
        points[k] = fields;
        rows[k].text = fields[ColumnNamed(sweep.column)];
    }
    PriceRows(points, conventions, priced);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        rows[k].priced = std::move(priced[k]);
    }
    return rows;
}

}  // namespace volantra
