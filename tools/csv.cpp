#include "tools/csv.h"

#include <algorithm>

namespace volantra {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool CsvReader::ReadLine() {
    if (!std::getline(in_, line_)) {
        return false;
    }
    if (++lineNumber_ == 1 && line_.starts_with(kByteOrderMark)) {
        line_.erase(0, kByteOrderMark.size());  // what spreadsheets write for "CSV UTF-8"
    }
    if (!line_.empty() && line_.back() == '\r') {
        line_.pop_back();
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
        const bool semicolons =
            line_.find(';') != std::string::npos && line_.find(',') == std::string::npos;
        delimiter_ = semicolons ? ';' : ',';
    }

    fields.clear();
    const char delimiter = delimiter_;
    if (line_.find('"') == std::string::npos) {  // the common case: views between delimiters
        const std::string_view line(line_);
        std::size_t start = 0;
        for (std::size_t end; (end = line.find(delimiter, start)) != std::string_view::npos;
             start = end + 1) {
            fields.push_back(line.substr(start, end - start));
        }
        fields.push_back(line.substr(start));
        return true;
    }
    unquoted_.assign(1, std::string());
    bool quoted = false;
    std::size_t recordSize = 0;
    std::size_t i = 0;
    while (true) {
        if (i == line_.size()) {
            if (!quoted) {
                break;
            }
            recordSize += line_.size() + 1;
            if (recordSize > MAX_QUOTED_RECORD || !ReadLine()) {
                unclosedQuoteLine_ = recordLine_;
                return false;
            }
            unquoted_.back().push_back('\n');
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
        } else if (c == delimiter) {
            unquoted_.emplace_back();
        } else if (c == '"') {
            quoted = true;
        } else {
            unquoted_.back().push_back(c);
        }
    }
    fields.assign(unquoted_.begin(), unquoted_.end());  // once the strings no longer move
    return true;
}

void AppendCsvField(std::string& out, std::string_view field, char delimiter) {
    const bool plain = std::none_of(field.begin(), field.end(), [delimiter](char c) {
        return c == delimiter || c == '"' || c == '\r' || c == '\n';
    });
    if (plain) {
        out.append(field);
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace volantra
