#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// The one CSV writing both the pricer and the chart's table share; reading CSV is the
// pricer's alone.
namespace volantra {

/// Appends `field` to `out`, quoted when it holds the delimiter, a quote or a line break.
inline void AppendCsvField(std::string& out, std::string_view field, char delimiter = ',') {
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
