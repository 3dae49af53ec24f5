#include "tools/batch_pricer.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <ostream>
#include <string_view>

#include "cycle/recalculation.h"
#include "engine/number_text.h"
#include "tools/csv.h"

namespace volantra {
namespace {

// Input columns in output order; the last three are the dividend row.
constexpr std::array<std::string_view, BATCH_INPUT_COLUMNS> kInputColumns = {
    "screen",       "asset",    "strike",   "maturity",
    "volatility",   "interest", "dividend", "dividend_interest",
    "dividend_time"};
enum Column : std::size_t {
    kScreen,
    kAsset,
    kStrike,
    kMaturity,
    kVolatility,
    kInterest,
    kDividend,
    kDividendInterest,
    kDividendTime
};

constexpr std::string_view kResultColumns = "value,delta,gamma,theta,vega,rho,message";
// Named apart from the display columns, which round some of the same fields.
constexpr std::string_view kFullColumns =
    "full_growthFactor,full_moneyness,full_logMoneyness,full_halfVarianceTerm,full_sigmaRootT,"
    "full_d1Raw,full_d1,full_d2Raw,full_d2,full_nd1,full_nd2,full_optionValue,full_density,"
    "full_delta,full_gamma,full_theta,full_vega,full_rho";
constexpr std::size_t kFullFieldCount = 18;
constexpr std::size_t kFlushSize = 1 << 16;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x | 0x20) == (y | 0x20);
           });
}

// A bar position: a whole number within the bar's range, as plain digits.
bool ReadPosition(std::string_view text, int low, int high, int& position) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), position);
    return !text.empty() && ec == std::errc{} && end == text.data() + text.size() &&
           text.front() != '-' && position >= low && position <= high;
}

template <typename T>
void AppendRoundTrip(std::string& out, T value) {
    constexpr int digits = std::is_same_v<T, float> ? 9 : 17;
    char buffer[40];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits)
            .ptr;
    out.append(buffer, end);
}

void AppendFullFields(std::string& out, const PricingResult& r) {
    const float singles[] = {r.growthFactor, r.moneyness, r.logMoneyness, r.halfVarianceTerm,
                             r.sigmaRootT,   r.d1Raw,     r.d1,           r.d2Raw,
                             r.d2,           r.nd1,       r.nd2,          r.optionValue};
    for (float value : singles) {
        out.push_back(',');
        AppendRoundTrip(out, value);
    }
    out.push_back(',');
    AppendRoundTrip(out, r.density);
    for (float value : {r.delta, r.gamma, r.theta, r.vega, r.rho}) {
        out.push_back(',');
        AppendRoundTrip(out, value);
    }
}

// The input column that holds each box's text.
Column ColumnOf(InputBox box) {
    switch (box) {
        case InputBox::Asset:
            return kAsset;
        case InputBox::Strike:
            return kStrike;
        case InputBox::Maturity:
            return kMaturity;
        case InputBox::Dividend:
            return kDividend;
        case InputBox::DividendInterest:
            return kDividendInterest;
        case InputBox::DividendTime:
        case InputBox::Count:
            break;
    }
    return kDividendTime;
}

struct RowOutcome {
    EnumArray<ResultBox, std::string> results;
    std::string message;
    std::optional<PricingResult> valued;
};

void AddMessage(RowOutcome& row, std::string_view message) {
    if (!row.message.empty()) {
        row.message += "; ";
    }
    row.message += message;
}

RowOutcome WrongFieldCount(std::size_t count) {
    RowOutcome row;
    AddMessage(row, "The row has " + std::to_string(count) + " fields instead of " +
                        std::to_string(BATCH_INPUT_COLUMNS));
    return row;
}

RowOutcome Price(const std::array<std::string_view, BATCH_INPUT_COLUMNS>& field) {
    RowOutcome row;
    const std::string_view screen = TrimBlanks(field[kScreen]);
    const bool call = EqualsIgnoringCase(screen, "call");
    if (!call && !EqualsIgnoringCase(screen, "put")) {
        AddMessage(row, "Screen must be call or put");
        return row;
    }
    ScreenInputs inputs;
    if (!ReadPosition(field[kVolatility], VOLATILITY_LOWEST, VOLATILITY_HIGHEST,
                      inputs.volatilityPercent)) {
        AddMessage(row, "Volatility must be a whole number from 1 to 200");
        return row;
    }
    if (!ReadPosition(field[kInterest], INTEREST_LOWEST, INTEREST_HIGHEST,
                      inputs.interestPercent)) {
        AddMessage(row, "Interest must be a whole number from 0 to 100");
        return row;
    }
    for (InputBox box : INPUT_BOXES) {
        inputs.boxes[box] = field[ColumnOf(box)];
    }
    inputs.dividendTicked = !field[kDividend].empty() || !field[kDividendInterest].empty() ||
                            !field[kDividendTime].empty();

    CycleOutcome outcome =
        Recalculate(call ? OptionKind::Call : OptionKind::Put, ScrollBar::Volatility, inputs);
    for (ScreenChange& change : outcome.changes) {
        if (auto* message = std::get_if<ShowMessage>(&change)) {
            AddMessage(row, message->text);
        } else if (auto* result = std::get_if<WriteResult>(&change)) {
            row.results[result->box] = std::move(result->text);
        }
    }
    row.valued = outcome.result;
    return row;
}

}  // namespace

bool BatchPricer::ReadHeader(const std::vector<std::string_view>& header, std::string& error) {
    std::array<bool, BATCH_INPUT_COLUMNS> seen{};
    if (header.size() != BATCH_INPUT_COLUMNS) {
        error = "the header must name exactly the " + std::to_string(BATCH_INPUT_COLUMNS) +
                " columns screen,asset,strike,maturity,volatility,interest,dividend,"
                "dividend_interest,dividend_time";
        return false;
    }
    for (std::size_t column = 0; column < header.size(); ++column) {
        const std::string_view name = TrimBlanks(header[column]);
        const auto known = std::find(kInputColumns.begin(), kInputColumns.end(), name);
        if (known == kInputColumns.end()) {
            error = "unknown column \"" + std::string(name) + "\" in the header";
            return false;
        }
        const auto index = static_cast<std::size_t>(known - kInputColumns.begin());
        if (seen[index]) {
            error = "column \"" + std::string(name) + "\" appears twice in the header";
            return false;
        }
        seen[index] = true;
        columnOf_[index] = column;
    }
    return true;
}

void BatchPricer::AppendHeader(std::string& out) const {
    for (std::string_view name : kInputColumns) {
        out.append(name);
        out.push_back(',');
    }
    out.append(kResultColumns);
    if (full_) {
        out.push_back(',');
        out.append(kFullColumns);
    }
    out.push_back('\n');
}

bool BatchPricer::PriceRow(const std::vector<std::string_view>& fields, std::string& out) const {
    std::array<std::string_view, BATCH_INPUT_COLUMNS> field{};
    for (std::size_t name = 0; name < BATCH_INPUT_COLUMNS; ++name) {
        if (columnOf_[name] < fields.size()) {
            field[name] = fields[columnOf_[name]];
        }
    }
    const RowOutcome row =
        fields.size() == BATCH_INPUT_COLUMNS ? Price(field) : WrongFieldCount(fields.size());

    for (std::string_view value : field) {
        AppendCsvField(out, value);
        out.push_back(',');
    }
    for (const std::string& result : row.results) {
        out.append(result);
        out.push_back(',');
    }
    AppendCsvField(out, row.message);
    if (full_) {
        if (row.valued) {
            AppendFullFields(out, *row.valued);
        } else {
            out.append(kFullFieldCount, ',');
        }
    }
    out.push_back('\n');
    return row.valued.has_value();
}

BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err, bool full) {
    CsvReader reader(in);
    std::vector<std::string_view> fields;
    BatchPricer pricer(full);
    std::string error;
    if (!reader.Next(fields)) {
        err << "volantra-price: "
            << (reader.failed() ? "cannot read the input"
                                : "the input is empty: a header row is needed")
            << '\n';
        return BatchStatus::UnusableInput;
    }
    if (!pricer.ReadHeader(fields, error)) {
        err << "volantra-price: " << error << '\n';
        return BatchStatus::UnusableInput;
    }
    std::string buffer;
    buffer.reserve(2 * kFlushSize);
    pricer.AppendHeader(buffer);
    bool allValued = true;
    while (reader.Next(fields)) {
        allValued &= pricer.PriceRow(fields, buffer);
        if (buffer.size() >= kFlushSize) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    out.flush();
    if (reader.failed()) {
        err << "volantra-price: reading stopped at line " << reader.line() << '\n';
        return BatchStatus::UnusableInput;
    }
    return allValued ? BatchStatus::AllValued : BatchStatus::SomeNotValued;
}

}  // namespace volantra
