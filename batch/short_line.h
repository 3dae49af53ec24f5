#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace volantra {

// Writes a line of short texts into a buffer sized for it. The texts are a few
// characters each, too short to pay for a call to memcpy: up to 16 bytes go as two
// overlapping words, or halves, read and written within the text's own bounds.
class ShortLine {
public:
    /// Writes from `buffer` on; the caller sized it for the whole line.
    explicit ShortLine(char* buffer) : p_(buffer) {}
    /// Appends `text`.
    void Put(std::string_view text) {
        const char* from = text.data();
        const std::size_t n = text.size();
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
    /// Appends `c`.
    void Put(char c) { *p_++ = c; }
    /// One past the last byte written.
    [[nodiscard]] char* end() const { return p_; }

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
};

}  // namespace volantra
