#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "cycle/shown_results.h"
#include "rows/schema.h"

// Prices columns of rows with the digits of the pricing screens: numbers as Python holds
// them (a double reads as the text that round-trips it), or texts as a file holds them.
namespace volantra {

/// One input column: numbers (NaN for an empty field), or texts picked by an index per
/// row (negative for an empty field). A column of one element stands for every row.
struct ColumnInput {
    std::span<const double> numbers;
    std::vector<std::string> texts;
    std::span<const std::int64_t> textOf;

    /// Rows it holds: 1 for a column that stands for every row, 0 for an absent one.
    [[nodiscard]] std::size_t Size() const {
        return texts.empty() && textOf.empty() ? numbers.size() : textOf.size();
    }
    /// True for a column of numbers.
    [[nodiscard]] bool Numeric() const { return textOf.empty(); }
};

/// The input columns by the pricer's names; `value` is read only when solving.
using RowInputs = EnumArray<Column, ColumnInput>;

/// Where the results go; each span has one element per row.
struct ArrayResults {
    EnumArray<ResultBox, std::span<double>> numbers;  ///< NaN where the row is not valued
    /// With texts wanted: one vector per box, each filled with a text per row.
    std::optional<EnumArray<ResultBox, std::vector<std::string>>> texts;
    /// The rows with a message, in row order, and their messages.
    std::vector<std::pair<std::size_t, std::string>> messages;
    GreekUnits units = GreekUnits::Screen;  ///< how the Greeks are given
};

/// Prices `rows` rows as volantra-price prices them. Throws std::invalid_argument, with
/// the pricer's words, when a needed column is absent.
void PriceArrays(const RowInputs& inputs, std::size_t rows, ArrayResults& results);

/// What solving rows for one bar gives, one element per row.
struct SolveResults {
    std::vector<double> position;      ///< the lowest matching position; NaN without one
    std::vector<std::string> matches;  ///< every matching position, as ranges
    EnumArray<ResultBox, std::vector<double>> numbers;  ///< at `position`; NaN without
    std::vector<std::string> messages;
};

/// Solves every row for `bar` as `volantra-price --solve` does.
SolveResults SolveArrays(ScrollBar bar, const RowInputs& inputs, std::size_t rows);

}  // namespace volantra
