#include "batch/row_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <type_traits>

#include "batch/batch_options.h"
#include "batch/csv.h"
#include "batch/short_line.h"
#include "engine/rounded_text.h"

namespace volantra {
namespace {

// Named apart from the display columns, which round some of the same fields.
constexpr std::array<std::string_view, 18> FULL_COLUMNS = {
    "full_growthFactor", "full_moneyness", "full_logMoneyness", "full_halfVarianceTerm",
    "full_sigmaRootT",   "full_d1Raw",     "full_d1",           "full_d2Raw",
    "full_d2",           "full_nd1",       "full_nd2",          "full_optionValue",
    "full_density",      "full_delta",     "full_gamma",        "full_theta",
    "full_vega",         "full_rho"};
// The longest line the quick path writes, in a buffer on the stack.
constexpr std::size_t SHORT_LINE = 512;

template <typename T>
void AppendRoundTrip(std::string& out, T value, char decimalSymbol) {
    constexpr int digits = std::is_same_v<T, float> ? 9 : 17;
    char buffer[40];
    char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits)
            .ptr;
    std::replace(buffer, end, '.', decimalSymbol);
    out.append(buffer, end);
}

void AppendFullFields(std::string& out, const PricingResult& r, char delimiter, char point) {
    const float singles[] = {r.growthFactor, r.moneyness, r.logMoneyness, r.halfVarianceTerm,
                             r.sigmaRootT,   r.d1Raw,     r.d1,           r.d2Raw,
                             r.d2,           r.nd1,       r.nd2,          r.optionValue};
    for (float value : singles) {
        out.push_back(delimiter);
        AppendRoundTrip(out, value, point);
    }
    out.push_back(delimiter);
    AppendRoundTrip(out, r.density, point);
    for (float value : {r.delta, r.gamma, r.theta, r.vega, r.rho}) {
        out.push_back(delimiter);
        AppendRoundTrip(out, value, point);
    }
}

}  // namespace

void RowWriter::AppendHeader(std::string& out) const {
    for (const OutputColumn& output : schema_.Outputs()) {
        if (output.column == Column::Count) {
            AppendCsvField(out, schema_.InputName(output.input), delimiter_);
        } else {
            out.append(COLUMN_NAMES[output.column]);
        }
        out.push_back(delimiter_);
    }
    if (solve_) {
        out.append(MATCHES_COLUMN);
        out.push_back(delimiter_);
    }
    for (const ResultColumn& result : RESULT_COLUMNS) {
        out.append(result.Name(units_));
        out.push_back(delimiter_);
    }
    out.append(MESSAGE_COLUMN);
    out.push_back('\n');
    if (full_) {
        out.pop_back();
        for (std::string_view name : FULL_COLUMNS) {
            out.push_back(delimiter_);
            out.append(name);
        }
        out.push_back('\n');
    }
}

// The common line: plain fields, no message, no full fields; false when it is too long.
bool RowWriter::AppendShortLine(const RowFields& field, std::span<const std::string_view> input,
                                const RowOutcome& row, std::string& out) const {
    char buffer[SHORT_LINE];
    ShortLine line(buffer, sizeof buffer);
    for (const OutputColumn& output : schema_.Outputs()) {
        line.Put(Text(output, field, input));
        line.Put(delimiter_);
    }
    if (solve_) {
        line.Put(row.matches);
        line.Put(delimiter_);
    }
    if (row.shown != nullptr) {
        for (std::size_t box = 0; box < ENUM_COUNT<ResultBox>; ++box) {
            line.PutRounded(row.shown->items[box], RESULT_DECIMALS.items[box],
                            DecimalSymbol(delimiter_));
            line.Put(delimiter_);
        }
    } else {
        for (std::string_view result : row.results) {
            line.Put(result);
            line.Put(delimiter_);
        }
    }
    line.Put('\n');
    if (line.TooLong()) {
        return false;
    }
    out.append(buffer, line.end());
    return true;
}

void RowWriter::AppendLine(const RowFields& field, std::span<const std::string_view> input,
                           const RowOutcome& row, bool plain, std::string& out) const {
    if (plain && row.message.empty() && !full_ && AppendShortLine(field, input, row, out)) {
        return;
    }
    for (const OutputColumn& output : schema_.Outputs()) {
        if (plain) {
            out.append(Text(output, field, input));
        } else {
            AppendCsvField(out, Text(output, field, input), delimiter_);
        }
        out.push_back(delimiter_);
    }
    if (solve_) {
        out.append(row.matches);  // positions: digits, hyphens and spaces
        out.push_back(delimiter_);
    }
    for (std::size_t box = 0; box < ENUM_COUNT<ResultBox>; ++box) {
        if (row.shown != nullptr) {
            std::array<char, ROUNDED_TEXT_ROOM> text{};
            char* end = WriteRoundedFixed(row.shown->items[box], RESULT_DECIMALS.items[box],
                                          DecimalSymbol(delimiter_), text.data());
            out.append(text.data(), end);
        } else {
            out.append(row.results.items[box]);
        }
        out.push_back(delimiter_);
    }
    AppendCsvField(out, row.message, delimiter_);
    if (full_) {
        if (row.valued != nullptr) {
            AppendFullFields(out, *row.valued, delimiter_, DecimalSymbol(delimiter_));
        } else {
            out.append(FULL_COLUMNS.size(), delimiter_);
        }
    }
    out.push_back('\n');
}

}  // namespace volantra
