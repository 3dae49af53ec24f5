#include "tools/batch_pricer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <istream>
#include <limits>
#include <ostream>
#include <string_view>

#include "engine/number_text.h"
#include "tools/csv.h"
#include "tools/parallel_batch.h"
#include "tools/short_line.h"

namespace volantra {
namespace {

using Column = BatchPricer::Column;

constexpr std::size_t kAbsent = std::numeric_limits<std::size_t>::max();

constexpr const auto& kColumnNames = BATCH_COLUMN_NAMES;
constexpr std::array<Column, 3> kDividendColumns = {
    BatchPricer::kDividend, BatchPricer::kDividendInterest, BatchPricer::kDividendTime};

constexpr std::array<std::string_view, 7> kResultColumns = {"value", "delta", "gamma",  "theta",
                                                            "vega",  "rho",   "message"};
constexpr std::string_view kMatchesColumn = "matches";
// Named apart from the display columns, which round some of the same fields.
constexpr std::array<std::string_view, 18> kFullColumns = {
    "full_growthFactor", "full_moneyness", "full_logMoneyness", "full_halfVarianceTerm",
    "full_sigmaRootT",   "full_d1Raw",     "full_d1",           "full_d2Raw",
    "full_d2",           "full_nd1",       "full_nd2",          "full_optionValue",
    "full_density",      "full_delta",     "full_gamma",        "full_theta",
    "full_vega",         "full_rho"};
constexpr std::size_t kFlushSize = 1 << 16;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x | 0x20) == (y | 0x20);
           });
}

Column BarColumn(ScrollBar bar) {
    return bar == ScrollBar::Volatility ? BatchPricer::kVolatility : BatchPricer::kInterest;
}

// A bar position: a whole number within the bar's range, as plain digits.
bool ReadPosition(std::string_view text, ScrollBar bar, int& position) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    while (text.size() > 1 && text.front() == '0') {
        text.remove_prefix(1);
    }
    if (text.size() > 9) {
        return false;  // beyond any position, and nine digits cannot overflow an int
    }
    int value = 0;
    for (char c : text) {
        const auto digit = static_cast<unsigned>(c - '0');
        if (digit > 9) {
            return false;
        }
        value = value * 10 + static_cast<int>(digit);
    }
    position = value;
    return value >= BarLowest(bar) && value <= BarHighest(bar);
}

std::string PositionMessage(ScrollBar bar) {
    return std::string(bar == ScrollBar::Volatility ? "Volatility" : "Interest") +
           " must be a whole number from " + std::to_string(BarLowest(bar)) + " to " +
           std::to_string(BarHighest(bar));
}

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

// Positions as ranges of consecutive ones: "29-31 40".
std::string Ranges(const std::vector<int>& positions) {
    std::string text;
    for (std::size_t i = 0; i < positions.size();) {
        std::size_t j = i;
        while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1) {
            ++j;
        }
        if (!text.empty()) {
            text.push_back(' ');
        }
        text += std::to_string(positions[i]);
        if (j > i) {
            text += '-' + std::to_string(positions[j]);
        }
        i = j + 1;
    }
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Rows

struct BatchPricer::RowOutcome {
    EnumArray<ResultBox, std::string_view> results;  // views into the pricer's cycle outcome
    std::string message;
    const PricingResult* valued = nullptr;  // the pricer's last cycle, when it valued
    std::string solved;                     // the lowest matching position of the solved bar
    std::string matches;                    // every matching position, as ranges
};

namespace {

void AddMessage(BatchPricer::RowOutcome& row, std::string_view message) {
    if (!row.message.empty()) {
        row.message += "; ";
    }
    row.message += message;
}

}  // namespace

BatchPricer::BatchPricer(BatchOptions options, char delimiter)
    : options_(std::move(options)), delimiter_(delimiter) {
    if (delimiter_ == ';') {
        // Semicolons go with the decimal comma; a point is no decimal symbol there.
        conventions_.toCanonical = [](std::string_view text) {
            if (text.find('.') != std::string_view::npos) {
                return std::string("?");  // no number starts with it
            }
            std::string canonical(text);
            std::replace(canonical.begin(), canonical.end(), ',', '.');
            return canonical;
        };
        conventions_.fromCanonical = [](std::string_view text) {
            std::string local(text);
            std::replace(local.begin(), local.end(), '.', ',');
            return local;
        };
    }
    if (options_.sweep) {
        const auto known =
            std::find(kColumnNames.begin(), kColumnNames.end(), options_.sweep->column);
        swept_ = static_cast<Column>(known - kColumnNames.begin());
    }
}

bool BatchPricer::ReadHeader(const std::vector<std::string_view>& header, std::string& error) {
    columnOf_.fill(kAbsent);
    headerSize_ = header.size();
    const char other = delimiter_ == ',' ? ';' : ',';
    for (std::size_t column = 0; column < header.size(); ++column) {
        const std::string_view name = TrimBlanks(header[column]);
        const auto known = std::find(kColumnNames.begin(), kColumnNames.end(), name);
        if (known == kColumnNames.end()) {
            error = "unknown column \"" + std::string(name) + "\" in the header";
            if (name.find(other) != std::string_view::npos) {
                error += std::string("; the header is separated by '") + other +
                         "': try --delimiter '" + other + "'";
            }
            return false;
        }
        const auto index = static_cast<std::size_t>(known - kColumnNames.begin());
        if (index == kTarget && !options_.solve) {
            error = "column \"value\" is read only with --solve";
            return false;
        }
        if (columnOf_[index] != kAbsent) {
            error = "column \"" + std::string(name) + "\" appears twice in the header";
            return false;
        }
        columnOf_[index] = column;
    }
    // The dividend columns may be left out; so may the bar that --solve finds and the
    // column that --sweep steps.
    for (std::size_t index = 0; index < kColumnCount; ++index) {
        const auto column = static_cast<Column>(index);
        const bool optional = std::find(kDividendColumns.begin(), kDividendColumns.end(), column) !=
                                  kDividendColumns.end() ||
                              (options_.solve && column == BarColumn(*options_.solve)) ||
                              column == swept_ || (column == kTarget && !options_.solve);
        if (columnOf_[index] == kAbsent && !optional) {
            error = "the header has no column \"" + std::string(kColumnNames[index]) +
                    "\"; it needs screen, asset, strike, maturity, volatility and interest" +
                    (options_.solve ? ", value" : "") +
                    ", and may add dividend, dividend_interest and dividend_time";
            return false;
        }
    }
    outputColumns_.assign({kScreen, kAsset, kStrike, kMaturity, kVolatility, kInterest});
    const bool dividends =
        std::any_of(kDividendColumns.begin(), kDividendColumns.end(),
                    [this](Column c) { return columnOf_[c] != kAbsent || c == swept_; });
    if (dividends) {
        outputColumns_.insert(outputColumns_.end(), kDividendColumns.begin(),
                              kDividendColumns.end());
    }
    return true;
}

void BatchPricer::AppendHeader(std::string& out) const {
    for (Column column : outputColumns_) {
        out.append(kColumnNames[column]);
        out.push_back(delimiter_);
    }
    if (options_.solve) {
        out.append(kMatchesColumn);
        out.push_back(delimiter_);
    }
    for (std::string_view name : kResultColumns) {
        out.append(name);
        out.push_back(name == kResultColumns.back() ? '\n' : delimiter_);
    }
    if (options_.full) {
        out.pop_back();
        for (std::string_view name : kFullColumns) {
            out.push_back(delimiter_);
            out.append(name);
        }
        out.push_back('\n');
    }
}

bool BatchPricer::ReadScreen(const Fields& field, RowOutcome& row, OptionKind& kind,
                             ScreenInputs& inputs) const {
    const std::string_view screen = TrimBlanks(field[kScreen]);
    const bool call = EqualsIgnoringCase(screen, "call");
    if (!call && !EqualsIgnoringCase(screen, "put")) {
        AddMessage(row, "Screen must be call or put");
        return false;
    }
    kind = call ? OptionKind::Call : OptionKind::Put;
    for (ScrollBar bar : {ScrollBar::Volatility, ScrollBar::Interest}) {
        int& position =
            bar == ScrollBar::Volatility ? inputs.volatilityPercent : inputs.interestPercent;
        if (bar == options_.solve) {
            position = BarLowest(bar);
        } else if (!ReadPosition(field[BarColumn(bar)], bar, position)) {
            AddMessage(row, PositionMessage(bar));
            return false;
        }
    }
    inputs.boxes[InputBox::Asset] = field[kAsset];
    inputs.boxes[InputBox::Strike] = field[kStrike];
    inputs.boxes[InputBox::Maturity] = field[kMaturity];
    inputs.boxes[InputBox::Dividend] = field[kDividend];
    inputs.boxes[InputBox::DividendInterest] = field[kDividendInterest];
    inputs.boxes[InputBox::DividendTime] = field[kDividendTime];
    inputs.dividendTicked = !field[kDividend].empty() || !field[kDividendInterest].empty() ||
                            !field[kDividendTime].empty();
    return true;
}

void BatchPricer::RunCycle(OptionKind kind, const ScreenInputs& inputs, RowOutcome& row) const {
    Recalculate(kind, ScrollBar::Volatility, inputs, conventions_, cycle_);
    for (const std::string& message : cycle_.messages) {
        AddMessage(row, message);
    }
    for (ResultBox box : RESULT_BOXES) {
        row.results[box] = cycle_.results[box];
    }
    row.valued = cycle_.result ? &*cycle_.result : nullptr;
}

void BatchPricer::Price(const Fields& field, RowOutcome& row) const {
    OptionKind kind{};
    ScreenInputs inputs;
    if (ReadScreen(field, row, kind, inputs)) {
        RunCycle(kind, inputs, row);
    }
}

// The positions of the bar whose shown value equals the target, as a user finds them by
// moving the bar until the value shows.
void BatchPricer::Solve(const Fields& field, RowOutcome& row) const {
    const ScrollBar bar = *options_.solve;
    if (!IsBlankText(field[BarColumn(bar)])) {
        AddMessage(row, std::string(bar == ScrollBar::Volatility ? "Volatility" : "Interest") +
                            " is what --solve finds: leave its column empty");
        return;
    }
    const std::string_view targetText = TrimBlanks(field[kTarget]);
    if (targetText.empty()) {
        AddMessage(row, "Value is needed: the option value to solve for");
        return;
    }
    const Checked<double> target = ParseNumber<double>(
        conventions_.toCanonical ? conventions_.toCanonical(targetText) : std::string(targetText));
    if (!target.Ok()) {
        AddMessage(row, "Value is not a number");
        return;
    }
    OptionKind kind{};
    ScreenInputs inputs;
    if (!ReadScreen(field, row, kind, inputs)) {
        return;
    }
    const BarValues along = ValueAlongBar(kind, bar, inputs, conventions_);
    std::vector<int> matches;
    std::optional<int> nearest;
    double nearestDistance = 0;
    float nearestValue = 0;
    for (std::size_t i = 0; i < along.optionValues.size(); ++i) {
        if (!along.optionValues[i]) {
            continue;
        }
        const float value = *along.optionValues[i];
        // The number the value box's text reads as: ShownValueText, read back.
        const double shown = value < 0.02f ? 0.0 : RoundViaText<double>(value, 2);
        const int position = along.lowest + static_cast<int>(i);
        if (shown == target.value) {
            matches.push_back(position);
        }
        const double distance = std::fabs(shown - target.value);
        if (!nearest || distance < nearestDistance) {
            nearest = position;
            nearestDistance = distance;
            nearestValue = value;
        }
    }
    int& position =
        bar == ScrollBar::Volatility ? inputs.volatilityPercent : inputs.interestPercent;
    if (!matches.empty()) {
        position = matches.front();
        RunCycle(kind, inputs, row);
        row.solved = std::to_string(position);
        row.matches = Ranges(matches);
    } else if (nearest) {
        std::string shown = ShownValueText(nearestValue);
        if (conventions_.fromCanonical) {
            shown = conventions_.fromCanonical(shown);
        }
        AddMessage(row, "No " + std::string(kColumnNames[BarColumn(bar)]) + " from " +
                            std::to_string(BarLowest(bar)) + " to " +
                            std::to_string(BarHighest(bar)) + " shows " + std::string(targetText) +
                            "; the nearest is " + std::to_string(*nearest) + ", which shows " +
                            shown);
    } else {
        RunCycle(kind, inputs, row);  // no position valued: the cycle's own message
    }
    return;
}

bool BatchPricer::AppendLine(const Fields& field, std::size_t fieldCount, bool plain,
                             std::string& out) const {
    RowOutcome row;
    if (fieldCount != headerSize_) {
        AddMessage(row, "The row has " + std::to_string(fieldCount) + " fields instead of " +
                            std::to_string(headerSize_));
    } else if (options_.solve) {
        Solve(field, row);
    } else {
        Price(field, row);
    }
    const Column solvedColumn = options_.solve ? BarColumn(*options_.solve) : kColumnCount;
    const auto echoed = [&](Column column) {
        return column == solvedColumn ? std::string_view(row.solved) : field[column];
    };

    // The common line: plain fields, no message, no full fields.
    constexpr std::size_t kShortLine = 512;
    if (plain && row.message.empty() && !options_.full) {
        std::size_t length = row.matches.size() + 20;  // the delimiters and the line break
        for (Column column : outputColumns_) {
            length += echoed(column).size();
        }
        for (std::string_view result : row.results) {
            length += result.size();
        }
        if (length <= kShortLine) {
            char buffer[kShortLine];
            ShortLine line(buffer);
            for (Column column : outputColumns_) {
                line.Put(echoed(column));
                line.Put(delimiter_);
            }
            if (options_.solve) {
                line.Put(row.matches);
                line.Put(delimiter_);
            }
            for (std::string_view result : row.results) {
                line.Put(result);
                line.Put(delimiter_);
            }
            line.Put('\n');
            out.append(buffer, line.end());
            return row.valued != nullptr;
        }
    }
    for (Column column : outputColumns_) {
        // Solved positions and swept values are digits, a sign and a decimal symbol.
        const std::string_view text =
            column == solvedColumn ? std::string_view(row.solved) : field[column];
        if (plain) {
            out.append(text);
        } else {
            AppendCsvField(out, text, delimiter_);
        }
        out.push_back(delimiter_);
    }
    if (options_.solve) {
        out.append(row.matches);
        out.push_back(delimiter_);
    }
    for (std::string_view result : row.results) {
        out.append(result);
        out.push_back(delimiter_);
    }
    AppendCsvField(out, row.message, delimiter_);
    if (options_.full) {
        if (row.valued) {
            AppendFullFields(out, *row.valued, delimiter_, delimiter_ == ';' ? ',' : '.');
        } else {
            out.append(kFullColumns.size(), delimiter_);
        }
    }
    out.push_back('\n');
    return row.valued != nullptr;
}

bool BatchPricer::PriceRow(const std::vector<std::string_view>& fields, std::string& out,
                           bool plain) const {
    Fields field{};
    for (std::size_t name = 0; name < kColumnCount; ++name) {
        if (columnOf_[name] < fields.size()) {
            field[name] = fields[columnOf_[name]];
        }
    }
    if (!swept_ || fields.size() != headerSize_) {
        return AppendLine(field, fields.size(), plain, out);
    }
    bool allValued = true;
    const SweepRange& sweep = *options_.sweep;
    std::string text;
    for (std::size_t k = 0; k < sweep.Count(); ++k) {
        text = sweep.Text(k);
        if (conventions_.fromCanonical) {
            text = conventions_.fromCanonical(text);
        }
        field[*swept_] = text;
        allValued &= AppendLine(field, fields.size(), plain, out);
    }
    return allValued;
}

BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err,
                       const BatchOptions& options) {
    CsvReader reader(in, options.delimiter);
    std::vector<std::string_view> fields;
    std::string error;
    if (!reader.Next(fields)) {
        err << "volantra-price: "
            << (reader.failed() ? "cannot read the input"
                : reader.unclosedQuoteLine() != 0
                    ? "the quote opened on line " + std::to_string(reader.unclosedQuoteLine()) +
                          " is never closed"
                    : "the input is empty: a header row is needed")
            << '\n';
        return BatchStatus::UnusableInput;
    }
    BatchPricer pricer(options, reader.delimiter());
    if (!pricer.ReadHeader(fields, error)) {
        err << "volantra-price: " << error << '\n';
        return BatchStatus::UnusableInput;
    }
    std::string buffer;
    buffer.reserve(2 * kFlushSize);
    pricer.AppendHeader(buffer);
    bool allValued = true;
    if (options.jobs > 1) {
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        allValued = PriceInParallel(reader, pricer, options, out);
    } else {
        while (reader.Next(fields)) {
            allValued &= pricer.PriceRow(fields, buffer, reader.plain());
            if (buffer.size() >= kFlushSize) {
                out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                buffer.clear();
            }
        }
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    }
    out.flush();
    if (reader.unclosedQuoteLine() != 0) {
        err << "volantra-price: the quote opened on line " << reader.unclosedQuoteLine()
            << " is never closed; the rows before it are written\n";
        return BatchStatus::UnusableInput;
    }
    if (reader.failed()) {
        err << "volantra-price: reading stopped at line " << reader.line() << '\n';
        return BatchStatus::UnusableInput;
    }
    return allValued ? BatchStatus::AllValued : BatchStatus::SomeNotValued;
}

}  // namespace volantra
