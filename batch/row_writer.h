#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "batch/column_schema.h"
#include "cycle/screen.h"
#include "cycle/shown_results.h"
#include "engine/valuation.h"

namespace volantra {

/// What pricing one row gives besides its input fields, viewing the pricer's storage.
struct RowOutcome {
    EnumArray<ResultBox, std::string_view> results;  ///< empty where not shown, or by `shown`
    /// Instead of `results`, where set: the numbers the boxes show, each one that
    /// WriteRoundedFixed writes at its box's decimals.
    const ShownResults* shown = nullptr;
    std::string_view message;
    const PricingResult* valued = nullptr;  ///< the valuation, when valued
    std::string_view matches;               ///< with --solve: every matching position, as ranges
};

/// Writes the output lines: the input's fields in their output places, then the results.
class RowWriter {
public:
    /// `schema` must outlive the writer.
    RowWriter(const ColumnSchema& schema, bool full, bool solve, char delimiter,
              GreekUnits units = GreekUnits::Screen)
        : schema_(schema), full_(full), solve_(solve), delimiter_(delimiter), units_(units) {}

    /// Appends the header line.
    void AppendHeader(std::string& out) const;

    /// Appends the line of one row: `field` by column, `input` the fields as read.
    /// `plain` says that no field holds the delimiter or anything that would need quotes
    /// (CsvReader::Plain), so none is searched.
    void AppendLine(const RowFields& field, std::span<const std::string_view> input,
                    const RowOutcome& row, bool plain, std::string& out) const;

private:
    [[nodiscard]] std::string_view Text(const OutputColumn& output, const RowFields& field,
                                        std::span<const std::string_view> input) const {
        if (output.column != Column::Count) {
            return field[output.column];
        }
        return output.input < input.size() ? input[output.input] : std::string_view();
    }
    bool AppendShortLine(const RowFields& field, std::span<const std::string_view> input,
                         const RowOutcome& row, std::string& out) const;

    const ColumnSchema& schema_;
    bool full_;
    bool solve_;
    char delimiter_;
    GreekUnits units_;
};

}  // namespace volantra
