#include "batch/column_schema.h"

#include <algorithm>

#include "engine/number_text.h"

namespace volantra {
namespace {

bool IsDividend(Column column) {
    return std::find(DIVIDEND_COLUMNS.begin(), DIVIDEND_COLUMNS.end(), column) !=
           DIVIDEND_COLUMNS.end();
}

bool IsSwept(const BatchOptions& options, Column column) {
    return std::any_of(options.sweeps.begin(), options.sweeps.end(),
                       [column](const SweepRange& s) { return s.column == COLUMN_NAMES[column]; });
}

// A hint when the header holds another delimiter than the one in use, as a header read
// whole as one column does.
std::string DelimiterHint(const std::vector<std::string>& names, char delimiter) {
    for (char other : {',', ';', '\t'}) {
        const bool found =
            other != delimiter &&
            std::any_of(names.begin(), names.end(), [other](const std::string& name) {
                return name.find(other) != std::string::npos;
            });
        if (found) {
            return other == '\t' ? "; the header is separated by tabs: try --delimiter tab"
                                 : std::string("; the header is separated by '") + other +
                                       "': try --delimiter '" + other + "'";
        }
    }
    return {};
}

}  // namespace

bool ColumnSchema::Read(const std::vector<std::string_view>& header, const BatchOptions& options,
                        char delimiter, std::string& error) {
    if (!MatchNames(header, options, error) || !CheckPresent(options, delimiter, error)) {
        return false;
    }
    LayOut(options);
    return true;
}

bool ColumnSchema::MatchNames(const std::vector<std::string_view>& header,
                              const BatchOptions& options, std::string& error) {
    names_.assign(header.begin(), header.end());
    columnAt_.assign(header.size(), Column::Count);
    inputOf_.items.fill(ABSENT);
    for (std::size_t input = 0; input < header.size(); ++input) {
        const std::string_view name = TrimBlanks(header[input]);
        const Column column = ColumnNamed(name);
        if (column == Column::Count) {
            continue;  // carried through
        }
        if (column == Column::Target && !options.solve) {
            error = "column \"value\" is read only with --solve";
            return false;
        }
        if (inputOf_[column] != ABSENT) {
            error = "column \"" + std::string(name) + "\" appears twice in the header";
            return false;
        }
        inputOf_[column] = input;
        columnAt_[input] = column;
    }
    return true;
}

// The dividend columns may be left out; so may the bar that --solve finds and the
// columns that --sweep steps. A swept dividend column needs the other two, or the sweep
// would value every row without a dividend.
bool ColumnSchema::CheckPresent(const BatchOptions& options, char delimiter,
                                std::string& error) const {
    std::vector<Column> wanted(NEEDED_COLUMNS.begin(), NEEDED_COLUMNS.end());
    wanted.push_back(Column::Target);
    for (const Column column : wanted) {
        const bool optional = (options.solve && column == BarColumn(*options.solve)) ||
                              IsSwept(options, column) ||
                              (column == Column::Target && !options.solve);
        if (inputOf_[column] != ABSENT || optional) {
            continue;
        }
        error = MissingColumnMessage(column, options.solve.has_value()) +
                (column == Column::Target ? "" : DelimiterHint(names_, delimiter));
        return false;
    }
    for (const SweepRange& sweep : options.sweeps) {
        std::string missing;
        for (Column column : DIVIDEND_COLUMNS) {
            if (IsDividend(ColumnNamed(sweep.column)) && inputOf_[column] == ABSENT &&
                !IsSwept(options, column)) {
                missing += (missing.empty() ? "" : " and ") + std::string(COLUMN_NAMES[column]);
            }
        }
        if (!missing.empty()) {
            error = "--sweep " + sweep.column +
                    " needs the other dividend columns in the input: " + missing;
            return false;
        }
    }
    return true;
}

// Carried columns keep their place; the pricer's own columns fill the other places in
// their usual order, and those the input lacks but the output shows follow the last.
void ColumnSchema::LayOut(const BatchOptions& options) {
    std::vector<Column> own(NEEDED_COLUMNS.begin(), NEEDED_COLUMNS.end());
    if (std::any_of(DIVIDEND_COLUMNS.begin(), DIVIDEND_COLUMNS.end(),
                    [&](Column c) { return inputOf_[c] != ABSENT || IsSwept(options, c); })) {
        own.insert(own.end(), DIVIDEND_COLUMNS.begin(), DIVIDEND_COLUMNS.end());
    }
    std::size_t lastOwn = 0;
    for (std::size_t input = 0; input < columnAt_.size(); ++input) {
        lastOwn = columnAt_[input] != Column::Count ? input : lastOwn;
    }
    outputs_.clear();
    std::size_t next = 0;
    for (std::size_t input = 0; input < columnAt_.size(); ++input) {
        if (columnAt_[input] == Column::Count) {
            outputs_.push_back({Column::Count, input});
            continue;
        }
        const std::size_t upTo = input == lastOwn ? own.size() : next + 1;
        for (; next < std::min(upTo, own.size()); ++next) {
            outputs_.push_back({own[next], 0});
        }
    }
    for (; next < own.size(); ++next) {
        outputs_.push_back({own[next], 0});
    }
}

}  // namespace volantra
