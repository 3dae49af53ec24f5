#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cycle/recalculation.h"
#include "tools/column_schema.h"

namespace volantra {

/// What pricing one row gives besides its input fields.
struct RowOutcome {
    EnumArray<ResultBox, std::string_view> results;  ///< views into the pricer's last cycle
    std::string message;
    const PricingResult* valued = nullptr;  ///< the pricer's last cycle, when it valued
    std::string solved;                     ///< with --solve: the lowest matching position
    std::string matches;                    ///< with --solve: every matching position, as ranges

    /// True when the row was valued as given: valued, and with no message.
    [[nodiscard]] bool ValuedAsGiven() const { return valued != nullptr && message.empty(); }
};

/// Adds `message` to the row's, after a semicolon when it has one already.
void AddMessage(RowOutcome& row, std::string_view message);

/// Writes the output lines: the input's fields in their output places, then the results.
class RowWriter {
public:
    /// `schema` must outlive the writer.
    RowWriter(const ColumnSchema& schema, bool full, bool solve, char delimiter)
        : schema_(schema), full_(full), solve_(solve), delimiter_(delimiter) {}

    /// Appends the header line.
    void AppendHeader(std::string& out) const;

    /// Appends the line of one row: `field` by column, `input` the fields as read.
    /// `plain` says that no field holds the delimiter or anything that would need quotes
    /// (CsvReader::Plain), so none is searched.
    void AppendLine(const Fields& field, const std::vector<std::string_view>& input,
                    const RowOutcome& row, bool plain, std::string& out) const;

private:
    [[nodiscard]] std::string_view Text(const OutputColumn& output, const Fields& field,
                                        const std::vector<std::string_view>& input) const {
        if (output.column != Column::Count) {
            return field[output.column];
        }
        return output.input < input.size() ? input[output.input] : std::string_view();
    }
    bool AppendShortLine(const Fields& field, const std::vector<std::string_view>& input,
                         const RowOutcome& row, std::string& out) const;

    const ColumnSchema& schema_;
    bool full_;
    bool solve_;
    char delimiter_;
};

}  // namespace volantra
