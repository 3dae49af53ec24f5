#include "batch/csv.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace volantra {
namespace {

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

// c in every byte of a word.
constexpr std::uint64_t Spread(char c) {
    return 0x0101010101010101ULL * static_cast<unsigned char>(c);
}

// The high bit of each zero byte of `word` set, and possibly of bytes above a zero one.
constexpr std::uint64_t HasZeroByte(std::uint64_t word) {
    return (word - 0x0101010101010101ULL) & ~word & 0x8080808080808080ULL;
}

}  // namespace

bool CsvReader::ReadLine() {
    constexpr std::size_t block = 1 << 16;
    for (;;) {
        const std::size_t unread = buffer_.size() - start_;
        const void* newline =
            unread == 0 ? nullptr : std::memchr(buffer_.data() + start_, '\n', unread);
        if (newline != nullptr || (atEnd_ && unread > 0)) {
            const std::size_t end = newline != nullptr
                                        ? static_cast<const char*>(newline) - buffer_.data()
                                        : buffer_.size();
            line_ = std::string_view(buffer_).substr(start_, end - start_);
            start_ = newline != nullptr ? end + 1 : end;
            break;
        }
        if (atEnd_) {
            return false;
        }
        // Keep the unfinished line, then append a block after it.
        buffer_.erase(0, start_);
        start_ = 0;
        const std::size_t kept = buffer_.size();
        buffer_.resize(kept + block);
        in_.read(buffer_.data() + kept, static_cast<std::streamsize>(block));
        buffer_.resize(kept + static_cast<std::size_t>(in_.gcount()));
        atEnd_ = !in_;
        error_ = in_.bad() ? errno : 0;
    }
    if (++lineNumber_ == 1 && line_.starts_with(BYTE_ORDER_MARK)) {
        line_.remove_prefix(BYTE_ORDER_MARK.size());  // what spreadsheets write for "CSV UTF-8"
    }
    lineEndedWithCr_ = !line_.empty() && line_.back() == '\r';
    if (lineEndedWithCr_) {
        line_.remove_suffix(1);
    }
    return true;
}

bool CsvReader::Next(std::vector<std::string_view>& fields) {
    if (unclosedQuoteLine_ != 0) {
        return false;
    }
    do {
        if (!ReadLine()) {
            return false;
        }
    } while (line_.empty());  // blank lines carry no record
    recordLine_ = lineNumber_;
    if (delimiter_ == 0) {
        GuessDelimiter();
    }
    return SplitPlain(fields) || SplitQuoted(fields);
}

void CsvReader::GuessDelimiter() {
    const auto holds = [this](char c) { return line_.find(c) != std::string_view::npos; };
    if (holds(';') && !holds(',')) {
        delimiter_ = ';';
    } else if (holds('\t') && !holds(',') && !holds(';')) {
        delimiter_ = '\t';
    } else {
        delimiter_ = ',';
    }
}

// The common case, one pass: views between delimiters; false, with nothing read, at a
// quote.
bool CsvReader::SplitPlain(std::vector<std::string_view>& fields) {
    fields.clear();
    const char delimiter = delimiter_;
    plain_ = true;
    const char* start = line_.data();
    const char* const end = start + line_.size();
    bool quote = false;
    const auto special = [&](const char* p) {
        if (*p == delimiter) {
            fields.emplace_back(start, static_cast<std::size_t>(p - start));
            start = p + 1;
        } else if (*p == '"') {
            quote = true;
        } else if (*p == '\r') {
            plain_ = false;  // a carriage return inside the line
        }
    };
    // Eight bytes at a time: a byte equal to c shows as a set high bit in
    // HasZeroByte(word ^ c·0x01…01). False positives above a true one cannot occur
    // below it, and each flagged byte is checked again.
    const char* p = start;
    for (; p + 8 <= end && !quote; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        std::uint64_t flagged = HasZeroByte(word ^ Spread(delimiter)) |
                                HasZeroByte(word ^ Spread('"')) | HasZeroByte(word ^ Spread('\r'));
        while (flagged != 0 && !quote) {
            special(p + std::countr_zero(flagged) / 8);
            flagged &= flagged - 1;
        }
    }
    for (; p < end && !quote; ++p) {
        special(p);
    }
    if (quote) {
        fields.clear();
        return false;
    }
    fields.emplace_back(start, static_cast<std::size_t>(end - start));
    return true;
}

// A record with quotes, field by field; false at a quote that is never closed.
bool CsvReader::SplitQuoted(std::vector<std::string_view>& fields) {
    plain_ = false;
    unquoted_.assign(1, std::string());
    bool quoted = false;
    bool fieldStart = true;
    std::size_t recordSize = 0;
    for (std::size_t i = 0;;) {
        if (i == line_.size()) {
            if (!quoted) {
                break;
            }
            if (!ContinueQuoted(recordSize)) {
                return false;
            }
            i = 0;
            continue;
        }
        const char c = line_[i++];
        if (quoted) {
            if (c != '"') {
                unquoted_.back().push_back(c);
            } else if (i < line_.size() && line_[i] == '"') {
                unquoted_.back().push_back('"');
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == delimiter_) {
            unquoted_.emplace_back();
        } else if (c == '"' && fieldStart) {
            quoted = true;
        } else {
            unquoted_.back().push_back(c);  // a quote within a field is an ordinary character
        }
        fieldStart = !quoted && c == delimiter_;
    }
    fields.assign(unquoted_.begin(), unquoted_.end());  // once the strings no longer move
    return true;
}

// Reads the next line into the quoted field that the line before left open.
bool CsvReader::ContinueQuoted(std::size_t& recordSize) {
    const bool crBeforeBreak = lineEndedWithCr_;
    recordSize += line_.size() + 1;
    if (recordSize > MAX_QUOTED_RECORD || !ReadLine()) {
        unclosedQuoteLine_ = recordLine_;
        return false;
    }
    // A line break inside quotes belongs to the field, CR and all.
    unquoted_.back().append(crBeforeBreak ? "\r\n" : "\n");
    return true;
}

}  // namespace volantra
