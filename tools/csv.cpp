#include "tools/csv.h"

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
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
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
