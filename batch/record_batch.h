#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// CSV records copied out of the reader, so that they outlive its next read: priced
// together a block at a time, or on another thread.
namespace volantra {

/// Records held one after another, their storage reused batch after batch.
class RecordBatch {
public:
    /// Appends a record; a plain one (CsvReader::Plain) views one line, copied at once.
    void Add(const std::vector<std::string_view>& fields, bool plainRecord) {
        if (plainRecord && !fields.empty()) {
            const char* const line = fields.front().data();
            const std::size_t start = text_.size();
            text_.append(line, fields.back().data() + fields.back().size());
            for (std::string_view field : fields) {
                places_.push_back(
                    {start + static_cast<std::size_t>(field.data() - line), field.size()});
            }
        } else {
            for (std::string_view field : fields) {
                places_.push_back({text_.size(), field.size()});
                text_.append(field);
            }
        }
        recordEnds_.push_back(places_.size());
        plain_.push_back(plainRecord ? 1 : 0);
        views_.clear();
    }

    /// Empties the batch, keeping its storage.
    void Clear() {
        text_.clear();
        places_.clear();
        recordEnds_.clear();
        plain_.clear();
        views_.clear();
    }

    /// Records held.
    [[nodiscard]] std::size_t Size() const { return recordEnds_.size(); }

    /// Makes the fields' views, once every record is added: Fields reads them.
    void Seal() {
        views_.clear();
        for (const Place& place : places_) {
            views_.emplace_back(text_.data() + place.start, place.size);
        }
    }

    /// The fields of record `record`, once sealed.
    [[nodiscard]] std::span<const std::string_view> Fields(std::size_t record) const {
        const std::size_t first = record == 0 ? 0 : recordEnds_[record - 1];
        return std::span(views_).subspan(first, recordEnds_[record] - first);
    }

    /// CsvReader::Plain of record `record`.
    [[nodiscard]] bool Plain(std::size_t record) const { return plain_[record] != 0; }

private:
    struct Place {
        std::size_t start;  // in text_
        std::size_t size;
    };

    std::string text_;                     // the fields' bytes, with a plain record's delimiters
    std::vector<Place> places_;            // where each field lies in text_
    std::vector<std::size_t> recordEnds_;  // how many fields the records up to each hold
    std::vector<unsigned char> plain_;
    std::vector<std::string_view> views_;  // of places_, once sealed
};

}  // namespace volantra
