#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

/// Reads comma-separated records one at a time (quoted fields may hold commas, doubled
/// quotes and line breaks, kept as they were); a record's closing carriage return is dropped.
class CsvReader {
public:
    explicit CsvReader(std::istream& in) : in_(in) {}

    /// Fills `fields` with the next record, valid until the next call; false at the end.
    bool Next(std::vector<std::string_view>& fields);

    /// The line on which the last record began, counting from 1.
    [[nodiscard]] std::size_t line() const { return recordLine_; }

    /// True when reading failed for another reason than the end of the input.
    [[nodiscard]] bool failed() const { return in_.bad(); }

private:
    bool ReadLine();

    std::istream& in_;
    std::string line_;
    std::vector<std::string> unquoted_;  // the fields of a record that had quotes
    std::size_t lineNumber_ = 0;
    std::size_t recordLine_ = 0;
    bool lineEndedWithCr_ = false;
};

/// Appends `field` to `out`, quoted when it holds a comma, a quote or a line break.
void AppendCsvField(std::string& out, std::string_view field);

}  // namespace volantra
