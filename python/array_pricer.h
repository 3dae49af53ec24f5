#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cycle/recalculation.h"
#include "tools/column_schema.h"

// Prices columns of rows with the digits of the pricing screens: numbers as Python holds
// them (a double reads as the text that round-trips it), or texts as a CSV file holds them.
namespace volantra {

/// The pricer's input columns, in its order; `value` is read only when solving.
using RowColumn = Column;

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

using RowInputs = EnumArray<RowColumn, ColumnInput>;

/// Where the results go; each span has one element per row.
struct ArrayResults {
    EnumArray<ResultBox, std::span<double>> numbers;  ///< NaN where the row is not valued
    /// With texts wanted: one vector per box, each filled with a text per row.
    std::optional<EnumArray<ResultBox, std::vector<std::string>>> texts;
    /// The rows with a message, in row order, and their messages.
    std::vector<std::pair<std::size_t, std::string>> messages;
};

/// Prices `rows` rows as volantra-price prices them: a row that the array shortcut
/// values goes no further, every other one through the pricer's own reading. Throws
/// std::invalid_argument, with the pricer's words, when a needed column is absent.
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

/// The text a double reads as in a box: the shortest that round-trips it ("100.5",
/// "20", "1e+20"); empty for NaN.
std::string_view NumberText(double number, std::array<char, 32>& buffer);

/// The number a box reads from `number`'s text when the arithmetic shortcut applies
/// (ParseNumber<float> of NumberText(number)); nullopt where only the text can tell.
// The shortest text d of a double x reads as the double x again. Reading d as a single
// gives the single nearest d, and the cast gives the single nearest x; they differ only
// if a midpoint m between two singles lies between x and d, both included. Such an m
// (25 bits) is itself a double, so m strictly between them would be a double nearer d
// than x; m = d makes d a double, so d = x. Hence they differ only where x is a midpoint,
// where the cast ties to even and the digits may round away: that case takes the text.
// Outside the normal range of singles the text's overflow and underflow rules apply.
inline std::optional<float> SingleWithoutText(double number) {
    if (number == 0 && !std::signbit(number)) {
        return 0.0F;
    }
    const double magnitude = std::fabs(number);
    if (!(magnitude >= std::numeric_limits<float>::min() &&
          magnitude <= std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    // In the normal range a single keeps 23 of a double's 52 fraction bits; the double
    // lies halfway between two singles when the other 29 are a one and then zeros.
    constexpr std::uint64_t belowSingle = (std::uint64_t{1} << 29) - 1;
    if ((std::bit_cast<std::uint64_t>(number) & belowSingle) == std::uint64_t{1} << 28) {
        return std::nullopt;
    }
    return static_cast<float>(number);
}

}  // namespace volantra
