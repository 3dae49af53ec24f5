#include "tools/csv.h"

#include <algorithm>

namespace volantra {

bool CsvReader::ReadLine() {
    if (!std::getline(in_, line_)) {
        return false;
    }
    ++lineNumber_;
    lineEndedWithCr_ = !line_.empty() && line_.back() == '\r';
    if (lineEndedWithCr_) {
        line_.pop_back();
    }
    return true;
}

bool CsvReader::Next(std::vector<std::string_view>& fields) {
    do {
        if (!ReadLine()) {
            return false;
        }
    } while (line_.empty());  // blank lines carry no record
    recordLine_ = lineNumber_;

    fields.clear();
    if (line_.find('"') == std::string::npos) {  // the common case: views between the commas
        const std::string_view line(line_);
        std::size_t start = 0;
        for (std::size_t comma; (comma = line.find(',', start)) != std::string_view::npos;
             start = comma + 1) {
            fields.push_back(line.substr(start, comma - start));
        }
        fields.push_back(line.substr(start));
        return true;
    }
    unquoted_.assign(1, std::string());
    bool quoted = false;
    std::size_t i = 0;
    while (true) {
        if (i == line_.size()) {
            const bool crBeforeBreak = lineEndedWithCr_;
            if (!quoted || !ReadLine()) {
                break;  // an unclosed quote ends with the input
            }
            // A line break inside quotes belongs to the field, CR and all.
            unquoted_.back().append(crBeforeBreak ? "\r\n" : "\n");
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
        } else if (c == ',') {
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

void AppendCsvField(std::string& out, std::string_view field) {
    const bool plain = std::none_of(field.begin(), field.end(), [](char c) {
        return c == ',' || c == '"' || c == '\r' || c == '\n';
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
