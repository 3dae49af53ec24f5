#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cycle/number_conventions.h"
#include "rows/schema.h"
#include "rows/sweep_range.h"

namespace volantra {

/// At most this many --sweep options, which then make a grid.
inline constexpr std::size_t MAX_SWEEPS = 2;

/// True when the sweeps can be run together: at most MAX_SWEEPS, no column twice, and
/// at most MAX_SWEEP_STEPS output rows per input row; else false, with `error` set.
bool CheckSweeps(const std::vector<SweepRange>& sweeps, std::string& error);

/// The points of one or two sweeps, their values as texts in the file's number
/// convention, the first sweep outermost: one output row per point.
class SweepGrid {
public:
    SweepGrid(const std::vector<SweepRange>& sweeps, const NumberConventions& conventions);

    /// Output rows per input row: 1 without a sweep.
    [[nodiscard]] std::size_t Count() const { return count_; }
    /// True when there is something to sweep.
    [[nodiscard]] bool Sweeps() const { return !axes_.empty(); }
    /// Puts the values of point `k`, 0 ≤ k < Count(), into their columns of `field`.
    void Place(std::size_t k, RowFields& field) const;

private:
    struct Axis {
        Column column;
        std::vector<std::string> texts;
    };
    std::vector<Axis> axes_;
    std::size_t count_ = 1;
};

}  // namespace volantra
