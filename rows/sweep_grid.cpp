#include "rows/sweep_grid.h"

#include <algorithm>

namespace volantra {

bool CheckSweeps(const std::vector<SweepRange>& sweeps, std::string& error) {
    if (sweeps.size() > MAX_SWEEPS) {
        error = "at most two --sweep options can be given: they make a grid";
        return false;
    }
    std::size_t rows = 1;
    for (std::size_t i = 0; i < sweeps.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (sweeps[j].column == sweeps[i].column) {
                error = "--sweep " + sweeps[i].column + " is given twice";
                return false;
            }
        }
        rows *= sweeps[i].Count();  // each at most MAX_SWEEP_STEPS: no overflow
    }
    if (rows > MAX_SWEEP_STEPS) {
        error = "the two --sweep options give " + std::to_string(rows) +
                " rows per input row, more than " + std::to_string(MAX_SWEEP_STEPS) +
                "; take larger steps";
        return false;
    }
    return true;
}

SweepGrid::SweepGrid(const std::vector<SweepRange>& sweeps, const NumberConventions& conventions) {
    for (const SweepRange& sweep : sweeps) {
        const auto named = std::find(COLUMN_NAMES.begin(), COLUMN_NAMES.end(), sweep.column);
        Axis axis{static_cast<Column>(named - COLUMN_NAMES.begin()), {}};
        axis.texts.reserve(sweep.Count());
        for (std::size_t k = 0; k < sweep.Count(); ++k) {
            axis.texts.push_back(Localized(conventions, sweep.Text(k)));
        }
        count_ *= axis.texts.size();
        axes_.push_back(std::move(axis));
    }
}

void SweepGrid::Place(std::size_t k, RowFields& field) const {
    // The last axis turns fastest.
    for (auto axis = axes_.rbegin(); axis != axes_.rend(); ++axis) {
        field[axis->column] = axis->texts[k % axis->texts.size()];
        k /= axis->texts.size();
    }
}

}  // namespace volantra
