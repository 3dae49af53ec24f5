#pragma once

#include <algorithm>
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
            const std::string_view copied =
                Append({line, static_cast<std::size_t>(fields.back().data() + fields.back().size() -
                                                       line)});
            for (std::string_view field : fields) {
                views_.emplace_back(copied.data() + (field.data() - line), field.size());
            }
        } else {
            for (std::string_view field : fields) {
                views_.push_back(Append(field));
            }
        }
        recordEnds_.push_back(views_.size());
        plain_.push_back(plainRecord ? 1 : 0);
    }

    /// Empties the batch, keeping its storage.
    void Clear() {
        text_.clear();
        views_.clear();
        recordEnds_.clear();
        plain_.clear();
    }

    /// Records held.
    [[nodiscard]] std::size_t Size() const { return recordEnds_.size(); }

    /// The fields of record `record`.
    [[nodiscard]] std::span<const std::string_view> Fields(std::size_t record) const {
        const std::size_t first = record == 0 ? 0 : recordEnds_[record - 1];
        return std::span(views_).subspan(first, recordEnds_[record] - first);
    }

    /// CsvReader::Plain of record `record`.
    [[nodiscard]] bool Plain(std::size_t record) const { return plain_[record] != 0; }

private:
    // Appends `bytes` and returns where they now lie. The views stay valid: where the
    // text must grow, they are moved with it, which a batch reusing its storage seldom
    // needs.
    std::string_view Append(std::string_view bytes) {
        if (text_.size() + bytes.size() > text_.capacity()) {
            std::vector<std::size_t> starts;
            starts.reserve(views_.size());
            for (std::string_view view : views_) {
                starts.push_back(static_cast<std::size_t>(view.data() - text_.data()));
            }
            text_.reserve(std::max(2 * text_.capacity(), text_.size() + bytes.size()));
            for (std::size_t i = 0; i < views_.size(); ++i) {
                views_[i] = {text_.data() + starts[i], views_[i].size()};
            }
        }
        const std::size_t start = text_.size();
        text_.append(bytes);
        return {text_.data() + start, bytes.size()};
    }

    std::string text_;                     // the fields' bytes, with a plain record's delimiters
    std::vector<std::string_view> views_;  // of each field, into text_
    std::vector<std::size_t> recordEnds_;  // how many fields the records up to each hold
    std::vector<unsigned char> plain_;
};

}  // namespace volantra
