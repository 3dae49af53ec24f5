#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// CSV records copied out of the reader, so that they outlive its next read: priced
// together a block at a time, or on another thread.
namespace volantra {

/// Records held one after another, their storage reused batch after batch.
struct RecordBatch {
    std::string text;                     ///< the fields' bytes, one after another
    std::vector<std::size_t> fieldEnds;   ///< where each field ends in text
    std::vector<std::size_t> recordEnds;  ///< how many fields the records up to each hold
    std::vector<unsigned char> plain;     ///< CsvReader::Plain of each record

    /// Appends a record.
    void Add(const std::vector<std::string_view>& fields, bool plainRecord) {
        for (std::string_view field : fields) {
            text.append(field);
            fieldEnds.push_back(text.size());
        }
        recordEnds.push_back(fieldEnds.size());
        plain.push_back(plainRecord ? 1 : 0);
    }

    /// Empties the batch, keeping its storage.
    void Clear() {
        text.clear();
        fieldEnds.clear();
        recordEnds.clear();
        plain.clear();
    }

    /// Records held.
    [[nodiscard]] std::size_t Size() const { return recordEnds.size(); }

    /// The fields of record `record`, viewing `text`.
    void Fields(std::size_t record, std::vector<std::string_view>& fields) const {
        fields.clear();
        std::size_t field = record == 0 ? 0 : recordEnds[record - 1];
        std::size_t start = field == 0 ? 0 : fieldEnds[field - 1];
        for (; field < recordEnds[record]; ++field) {
            fields.emplace_back(text.data() + start, fieldEnds[field] - start);
            start = fieldEnds[field];
        }
    }
};

}  // namespace volantra
