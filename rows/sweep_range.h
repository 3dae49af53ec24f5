#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace volantra {

/// One input column stepped over a range, as `--sweep COLUMN=FROM:TO[:STEP]` gives it:
/// the values FROM, FROM + STEP, ... up to TO, computed in exact decimal.
struct SweepRange {
    std::string column;
    std::int64_t from = 0;  ///< in units of 10^−scale
    std::int64_t to = 0;
    std::int64_t step = 1;
    int scale = 0;

    /// Number of values in the range.
    [[nodiscard]] std::size_t Count() const {
        return static_cast<std::size_t>((to - from) / step) + 1;
    }
    /// The canonical text of value `k`: no trailing zeros after the point ("92.5", "95").
    [[nodiscard]] std::string Text(std::size_t k) const;
};

/// At most this many output rows per input row.
inline constexpr std::size_t MAX_SWEEP_STEPS = 100'000;

/// Reads "COLUMN=FROM:TO[:STEP]" (STEP 1 when left out); false, with `error` set, when
/// it cannot be used.
bool ParseSweep(std::string_view text, SweepRange& sweep, std::string& error);

}  // namespace volantra
