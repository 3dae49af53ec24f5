#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/rounded_text.h"

namespace volantra {

// Writes a line of short texts into a buffer. The texts are a few characters each, too
// short to pay for a call to memcpy: up to 16 bytes go as two overlapping words, or
// halves, read and written within the text's own bounds.
class ShortLine {
public:
    /// Writes from `buffer` on, up to `capacity` bytes.
    ShortLine(char* buffer, std::size_t capacity) : p_(buffer), end_(buffer + capacity) {}
    /// Appends `text`, or notes that the line is too long for the buffer.
    void Put(std::string_view text) {
        const char* from = text.data();
        const std::size_t n = text.size();
        if (n > static_cast<std::size_t>(end_ - p_)) {
            tooLong_ = true;
            return;
        }
        if (n >= 8 && n <= 16) {
            Copy<std::uint64_t>(from, n);
        } else if (n >= 4 && n < 8) {
            Copy<std::uint32_t>(from, n);
        } else if (n > 0 && n < 4) {
            p_[0] = from[0];
            p_[n / 2] = from[n / 2];
            p_[n - 1] = from[n - 1];
        } else if (n > 16) {
            std::memcpy(p_, from, n);
        }
        p_ += n;
    }
    /// Appends WriteRoundedFixed's text of `rounded`, or notes that the line is too long
    /// for the buffer.
    void PutRounded(double rounded, int decimals, char point) {
        char* const end = static_cast<std::size_t>(end_ - p_) >= ROUNDED_TEXT_ROOM
                              ? WriteRoundedFixed(rounded, decimals, point, p_)
                              : nullptr;
        if (end == nullptr) {
            tooLong_ = true;
            return;
        }
        p_ = end;
    }
    /// Appends `c`, or notes that the line is too long for the buffer.
    void Put(char c) {
        if (p_ == end_) {
            tooLong_ = true;
            return;
        }
        *p_++ = c;
    }
    /// One past the last byte written.
    [[nodiscard]] char* end() const { return p_; }
    /// True when a text did not fit: the line is not whole.
    [[nodiscard]] bool TooLong() const { return tooLong_; }

private:
    template <typename Word>
    void Copy(const char* from, std::size_t n) {
        Word head;
        Word tail;
        std::memcpy(&head, from, sizeof(Word));
        std::memcpy(&tail, from + n - sizeof(Word), sizeof(Word));
        std::memcpy(p_, &head, sizeof(Word));
        std::memcpy(p_ + n - sizeof(Word), &tail, sizeof(Word));
    }

    char* p_;
    char* end_;
    bool tooLong_ = false;
};

}  // namespace volantra
