#include "tools/csv.h"

#include <algorithm>

namespace volantra {

bool CsvReader::ReadLine() {
    if (!std::getline(in_, line_)) {
        return false;
    }
    ++lineNumber_;
    if (!line_.empty() && line_.back() == '\r') {
        line_.pop_back();
    }
    return true;
}

bool CsvReader::Next(std::vector<std::string>& fields) {
    do {
        if (!ReadLine()) {
            return false;
        }
    } while (line_.empty());  // blank lines carry no record
    recordLine_ = lineNumber_;

    fields.clear();
    if (line_.find('"') == std::string::npos) {  // the common case: split at the commas
        std::size_t start = 0;
        for (std::size_t comma; (comma = line_.find(',', start)) != std::string::npos;
             start = comma + 1) {
            fields.emplace_back(line_, start, comma - start);
        }
        fields.emplace_back(line_, start);
        return true;
    }
    fields.emplace_back();
    bool quoted = false;
    std::size_t i = 0;
    while (true) {
        if (i == line_.size()) {
            if (!quoted || !ReadLine()) {
                break;  // an unclosed quote ends with the input
            }
            fields.back().push_back('\n');
            i = 0;
            continue;
        }
        const char c = line_[i++];
        if (quoted) {
            if (c != '"') {
                fields.back().push_back(c);
            } else if (i < line_.size() && line_[i] == '"') {
                fields.back().push_back('"');
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '"') {
            quoted = true;
        } else {
            fields.back().push_back(c);
        }
    }
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
