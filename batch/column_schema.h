#pragma once

#include <array>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_options.h"
#include "rows/schema.h"

namespace volantra {

/// One output column: a column the pricer reads or fills, or, when `column` is
/// Column::Count, the input column `input` carried through unchanged.
struct OutputColumn {
    Column column = Column::Count;
    std::size_t input = 0;
};

/// Where each column stands in the input and in the output, from the header.
class ColumnSchema {
public:
    /// An input index that stands for a column the header lacks.
    static constexpr std::size_t ABSENT = std::numeric_limits<std::size_t>::max();

    /// Learns the columns from the header; false, with `error` set, when unusable.
    bool Read(const std::vector<std::string_view>& header, const BatchOptions& options,
              char delimiter, std::string& error);

    /// Number of fields in the header.
    [[nodiscard]] std::size_t InputSize() const { return names_.size(); }
    /// The input index of `column`, or ABSENT.
    [[nodiscard]] std::size_t InputOf(Column column) const { return inputOf_[column]; }
    /// The output columns before the results, in order.
    [[nodiscard]] const std::vector<OutputColumn>& Outputs() const { return outputs_; }
    /// The header's own text of input column `input`, as it came.
    [[nodiscard]] const std::string& InputName(std::size_t input) const { return names_[input]; }

private:
    bool MatchNames(const std::vector<std::string_view>& header, const BatchOptions& options,
                    std::string& error);
    bool CheckPresent(const BatchOptions& options, char delimiter, std::string& error) const;
    void LayOut(const BatchOptions& options);

    std::vector<std::string> names_;
    std::vector<Column> columnAt_;  // the column each input index holds; Count when carried
    EnumArray<Column, std::size_t> inputOf_{};
    std::vector<OutputColumn> outputs_;
};

}  // namespace volantra
