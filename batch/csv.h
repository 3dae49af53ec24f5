#pragma once

#include <array>
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "rows/csv_field.h"

namespace volantra {

/// Reads delimited records one at a time, as spreadsheets write them: a field that
/// begins with a quote may hold the delimiter, doubled quotes and line breaks, kept as
/// they were; a quote anywhere else is an ordinary character. A record's closing
/// carriage return is dropped, and so is a UTF-8 byte-order mark at the start.
class CsvReader {
public:
    /// `delimiter` 0 guesses it from the first record: ';' when that line holds a
    /// semicolon and no comma, a tab when it holds a tab and neither, ',' otherwise.
    explicit CsvReader(std::istream& in, char delimiter = ',') : in_(in), delimiter_(delimiter) {}

    /// Fills `fields` with the next record, valid until the next call; false at the end,
    /// and also at a quote that is never closed (see UnclosedQuoteLine).
    bool Next(std::vector<std::string_view>& fields);

    /// The line on which the last record began, counting from 1.
    [[nodiscard]] std::size_t Line() const { return recordLine_; }

    /// The delimiter in use, once the first record has been read.
    [[nodiscard]] char Delimiter() const { return delimiter_; }

    /// The line where a quote opened that the input never closes; 0 when none.
    [[nodiscard]] std::size_t UnclosedQuoteLine() const { return unclosedQuoteLine_; }

    /// True when reading failed for another reason than the end of the input.
    [[nodiscard]] bool Failed() const { return in_.bad(); }

    /// The system's error number of the failed read, 0 when it gave none.
    [[nodiscard]] int Error() const { return error_; }

    /// True when the last record held no quote and no carriage return: its fields hold
    /// neither the delimiter nor anything AppendCsvField would quote.
    [[nodiscard]] bool Plain() const { return plain_; }

    /// A record that grows beyond this inside quotes counts as an unclosed quote, so a
    /// stray quote cannot pull the rest of a large file into memory.
    static constexpr std::size_t MAX_QUOTED_RECORD = 1 << 16;

private:
    bool ReadLine();
    void GuessDelimiter();
    bool SplitPlain(std::vector<std::string_view>& fields);
    bool SplitQuoted(std::vector<std::string_view>& fields);
    bool ContinueQuoted(std::size_t& recordSize);

    std::istream& in_;
    char delimiter_;
    // The input is read in blocks; a line is a view into the block that holds it whole.
    std::string buffer_;
    std::size_t start_ = 0;  // first unread byte of buffer_
    bool atEnd_ = false;
    std::string_view line_;
    bool plain_ = true;
    std::vector<std::string> unquoted_;  // the fields of a record that had quotes
    std::size_t lineNumber_ = 0;
    std::size_t recordLine_ = 0;
    std::size_t unclosedQuoteLine_ = 0;
    bool lineEndedWithCr_ = false;
    int error_ = 0;
};

}  // namespace volantra
