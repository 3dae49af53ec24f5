#include "python/array_pricer.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "tools/batch_pricer.h"
#include "tools/csv.h"

namespace volantra {
namespace {

constexpr double NOT_VALUED = std::numeric_limits<double>::quiet_NaN();
constexpr std::array<std::string_view, ENUM_COUNT<ResultBox>> RESULT_NAMES = {
    "value", "delta", "gamma", "theta", "vega", "rho"};
constexpr std::array<RowColumn, 3> DIVIDEND_COLUMNS = {
    RowColumn::Dividend, RowColumn::DividendInterest, RowColumn::DividendTime};

// The element of `column` for `row`; a column of one element stands for every row.
template <typename T>
const T& At(std::span<const T> column, std::size_t row) {
    return column[column.size() == 1 ? 0 : row];
}

// The text of one field, as the pricer reads it from a CSV file.
std::string_view FieldText(const ColumnInput& column, std::size_t row,
                           std::array<char, 32>& buffer) {
    if (column.Size() == 0) {
        return {};
    }
    if (column.Numeric()) {
        return NumberText(At(column.numbers, row), buffer);
    }
    const std::int64_t text = At(column.textOf, row);
    return text < 0 ? std::string_view() : column.texts[static_cast<std::size_t>(text)];
}

// The number a result text reads as; NaN for an empty box.
double ResultNumber(std::string_view text) {
    double number = NOT_VALUED;
    std::from_chars(text.data(), text.data() + text.size(), number);
    return number;
}

// Runs volantra-price's reading of CSV rows on one row at a time, and reads its output
// line back into fields.
class PricerRows {
public:
    PricerRows(const RowInputs& inputs, std::optional<ScrollBar> solve)
        : inputs_(inputs), pricer_(SolveOptions(solve), ',') {
        std::vector<std::string_view> header;
        for (std::size_t c = 0; c < ENUM_COUNT<RowColumn>; ++c) {
            if (inputs.items[c].Size() != 0) {
                columns_.push_back(static_cast<RowColumn>(c));
                header.push_back(BATCH_COLUMN_NAMES.items[c]);
            }
        }
        std::string error;
        if (!pricer_.ReadHeader(header, error)) {
            headerError_ = error;
            return;
        }
        pricer_.AppendHeader(line_);
        ReadLine();
        outputNames_.assign(output_.begin(), output_.end());
    }

    /// The message of inputs the pricer refuses as a whole; empty when it reads them.
    [[nodiscard]] const std::string& HeaderError() const { return headerError_; }

    /// The output field named `name` (its last, as results follow the inputs), or none.
    [[nodiscard]] std::optional<std::size_t> OutputOf(std::string_view name) const {
        for (std::size_t i = outputNames_.size(); i-- > 0;) {
            if (outputNames_[i] == name) {
                return i;
            }
        }
        return std::nullopt;
    }

    /// Prices row `row`; its output fields, valid until the next call.
    const std::vector<std::string_view>& Run(std::size_t row) {
        texts_.resize(columns_.size());
        fields_.clear();
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            std::array<char, 32> buffer{};
            texts_[i] = FieldText(inputs_[columns_[i]], row, buffer);
            fields_.emplace_back(texts_[i]);
        }
        line_.clear();
        pricer_.PriceRow(fields_, line_);
        ReadLine();
        return output_;
    }

private:
    static BatchOptions SolveOptions(std::optional<ScrollBar> solve) {
        BatchOptions options;
        options.solve = solve;
        return options;
    }

    void ReadLine() {
        stream_.str(line_);
        stream_.clear();
        CsvReader reader(stream_);
        output_.clear();
        reader.Next(output_);
        // The reader's views die with it: keep the fields in storage of our own.
        held_.assign(output_.begin(), output_.end());
        output_.assign(held_.begin(), held_.end());
    }

    const RowInputs& inputs_;
    BatchPricer pricer_;
    std::vector<RowColumn> columns_;
    std::string headerError_;
    std::vector<std::string> outputNames_;
    std::vector<std::string> texts_;
    std::vector<std::string_view> fields_;
    std::string line_;
    std::istringstream stream_;
    std::vector<std::string> held_;
    std::vector<std::string_view> output_;
};

}  // namespace

std::string_view NumberText(double number, std::array<char, 32>& buffer) {
    if (std::isnan(number)) {
        return {};
    }
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
    return {buffer.data(), static_cast<std::size_t>(end - buffer.data())};
}

namespace {

// The double a box reads from a double's shortest text: the double itself, which that
// text round-trips; a negative zero takes the text.
std::optional<double> DoubleWithoutText(double number) {
    if (!std::isfinite(number) || (number == 0 && std::signbit(number))) {
        return std::nullopt;
    }
    return number;
}

// A bar position: a whole number within the bar's range, whose text is its digits (a
// negative zero's text "-0" is none).
std::optional<int> PositionWithoutText(double number, ScrollBar bar) {
    if (!(number >= BarLowest(bar) && number <= BarHighest(bar)) || std::signbit(number)) {
        return std::nullopt;
    }
    const auto position = static_cast<int>(number);  // within the range, so it converts
    if (position != number) {
        return std::nullopt;
    }
    return position;
}

// The kind of each distinct screen text the shortcut reads; others take the pricer.
std::vector<std::optional<OptionKind>> QuickKinds(const ColumnInput& screen) {
    std::vector<std::optional<OptionKind>> kinds;
    for (const std::string& text : screen.texts) {
        kinds.push_back(text == "call"  ? std::optional(OptionKind::Call)
                        : text == "put" ? std::optional(OptionKind::Put)
                                        : std::nullopt);
    }
    return kinds;
}

// Reads a row without text when every field allows it and the pricer would read it
// without a message; false sends the row to the pricer.
class QuickReader {
public:
    explicit QuickReader(const RowInputs& inputs) : kinds_(QuickKinds(inputs[RowColumn::Screen])) {
        const ColumnInput& screen = inputs[RowColumn::Screen];
        usable_ = !screen.Numeric();
        screen_ = Strided<std::int64_t>{screen.textOf.data(), screen.textOf.size() == 1 ? 0U : 1U};
        for (std::size_t c = 1; c < ENUM_COUNT<RowColumn>; ++c) {
            const ColumnInput& column = inputs.items[c];
            usable_ = usable_ && column.Numeric();
            columns_.items[c] = column.Size() == 0 ? Strided<double>{&NOT_VALUED, 0}
                                                   : Strided<double>{column.numbers.data(),
                                                                     column.Size() == 1 ? 0U : 1U};
        }
    }

    bool Read(std::size_t row, OptionKind& kind, BoxNumbers& numbers) const {
        if (!usable_) {
            return false;
        }
        const std::int64_t screen = screen_.At(row);
        if (screen < 0 || !kinds_[static_cast<std::size_t>(screen)]) {
            return false;
        }
        kind = *kinds_[static_cast<std::size_t>(screen)];
        return Single(RowColumn::Asset, row, numbers.asset) &&
               Single(RowColumn::Strike, row, numbers.strike) &&
               Single(RowColumn::Maturity, row, numbers.maturityDays) &&
               Bar(ScrollBar::Volatility, row, numbers.volatilityPercent) &&
               Bar(ScrollBar::Interest, row, numbers.interestPercent) && Dividend(row, numbers);
    }

private:
    // A column's elements, one per row or, with a step of 0, one for all rows.
    template <typename T>
    struct Strided {
        const T* data = nullptr;
        std::size_t step = 0;
        [[nodiscard]] T At(std::size_t row) const { return data[row * step]; }
    };

    [[nodiscard]] double Number(RowColumn column, std::size_t row) const {
        return columns_[column].At(row);
    }
    bool Single(RowColumn column, std::size_t row, float& number) const {
        const std::optional<float> read = SingleWithoutText(Number(column, row));
        number = read.value_or(0.0F);
        return read.has_value();
    }
    bool Bar(ScrollBar bar, std::size_t row, int& position) const {
        const RowColumn column =
            bar == ScrollBar::Volatility ? RowColumn::Volatility : RowColumn::Interest;
        const std::optional<int> read = PositionWithoutText(Number(column, row), bar);
        position = read.value_or(0);
        return read.has_value();
    }
    // A row has a dividend when any of its dividend fields is filled; then all must be.
    bool Dividend(std::size_t row, BoxNumbers& numbers) const {
        std::size_t filled = 0;
        for (RowColumn column : DIVIDEND_COLUMNS) {
            filled += std::isnan(Number(column, row)) ? 0 : 1;
        }
        numbers.dividendTicked = filled != 0;
        if (filled == 0) {
            return true;
        }
        const std::optional<double> rate =
            DoubleWithoutText(Number(RowColumn::DividendInterest, row));
        const std::optional<double> time = DoubleWithoutText(Number(RowColumn::DividendTime, row));
        numbers.dividendInterest = rate.value_or(0);
        numbers.dividendTime = time.value_or(0);
        return Single(RowColumn::Dividend, row, numbers.dividend) && rate && time;
    }

    std::vector<std::optional<OptionKind>> kinds_;
    Strided<std::int64_t> screen_;
    EnumArray<RowColumn, Strided<double>> columns_;
    bool usable_ = false;
};

// Fills row `row` of the results from the pricer's output line.
void TakePricerRow(PricerRows& pricer, std::size_t row, ArrayResults& results) {
    const std::vector<std::string_view>& out = pricer.Run(row);
    for (std::size_t box = 0; box < RESULT_NAMES.size(); ++box) {
        const std::string_view text = out[*pricer.OutputOf(RESULT_NAMES[box])];
        results.numbers.items[box][row] = ResultNumber(text);
        if (results.texts) {
            results.texts->items[box][row] = text;
        }
    }
    const std::string_view message = out[*pricer.OutputOf("message")];
    if (!message.empty()) {
        results.messages.emplace_back(row, message);
    }
}

}  // namespace

namespace {

// Fills a row's results from the valuation of the numbers the shortcut read.
void TakeValued(const PricingResult& valued, std::size_t row, ArrayResults& results) {
    const ShownResults shown = ResultNumbers(valued);
    for (std::size_t box = 0; box < shown.items.size(); ++box) {
        results.numbers.items[box][row] = shown.items[box];
    }
    if (results.texts) {
        ShownTexts texts = ResultTexts(valued);
        for (std::size_t box = 0; box < texts.items.size(); ++box) {
            results.texts->items[box][row] = std::move(texts.items[box]);
        }
    }
}

// Rows read before any is valued: by the time a row's numbers are loaded for its
// valuation their stores have left the store buffer, which cannot forward two singles
// to one wider load.
constexpr std::size_t BLOCK_ROWS = 64;

}  // namespace

void PriceArrays(const RowInputs& inputs, std::size_t rows, ArrayResults& results) {
    if (results.texts) {
        for (std::vector<std::string>& texts : results.texts->items) {
            texts.assign(rows, std::string());
        }
    }
    const QuickReader quick(inputs);
    std::optional<PricerRows> pricer;  // made at the first row that needs it
    std::array<BoxNumbers, BLOCK_ROWS> numbers;
    std::array<OptionKind, BLOCK_ROWS> kinds{};
    std::array<std::size_t, BLOCK_ROWS> quickRows{};
    std::array<Checked<PricingResult>, BLOCK_ROWS> valued;
    for (std::size_t first = 0; first < rows; first += BLOCK_ROWS) {
        const std::size_t count = std::min(BLOCK_ROWS, rows - first);
        std::size_t read = 0;
        for (std::size_t row = first; row < first + count; ++row) {
            quickRows[read] = row;
            read += quick.Read(row, kinds[read], numbers[read]) ? 1 : 0;
        }
        ValueBoxNumbers(std::span(kinds).first(read), std::span(numbers).first(read),
                        std::span(valued).first(read));
        std::size_t next = 0;  // the next row the shortcut read
        for (std::size_t row = first; row < first + count; ++row) {
            if (next < read && quickRows[next] == row) {
                const Checked<PricingResult>& outcome = valued[next++];
                if (outcome.Ok()) {
                    TakeValued(outcome.value, row, results);
                    continue;
                }
            }
            if (!pricer) {
                pricer.emplace(inputs, std::nullopt);
                if (!pricer->HeaderError().empty()) {
                    throw std::invalid_argument(pricer->HeaderError());
                }
            }
            TakePricerRow(*pricer, row, results);
        }
    }
}

SolveResults SolveArrays(ScrollBar bar, const RowInputs& inputs, std::size_t rows) {
    SolveResults solved;
    solved.position.assign(rows, NOT_VALUED);
    solved.matches.resize(rows);
    solved.messages.resize(rows);
    for (std::vector<double>& numbers : solved.numbers.items) {
        numbers.assign(rows, NOT_VALUED);
    }
    PricerRows pricer(inputs, bar);
    if (!pricer.HeaderError().empty()) {
        solved.messages.assign(rows, pricer.HeaderError());
        return solved;
    }
    const std::string_view barName =
        BATCH_COLUMN_NAMES[bar == ScrollBar::Volatility ? RowColumn::Volatility
                                                        : RowColumn::Interest];
    const std::size_t positionAt = *pricer.OutputOf(barName);
    const std::size_t matchesAt = *pricer.OutputOf("matches");
    const std::size_t messageAt = *pricer.OutputOf("message");
    for (std::size_t row = 0; row < rows; ++row) {
        const std::vector<std::string_view>& out = pricer.Run(row);
        solved.position[row] = ResultNumber(out[positionAt]);
        solved.matches[row] = out[matchesAt];
        solved.messages[row] = out[messageAt];
        for (std::size_t box = 0; box < RESULT_NAMES.size(); ++box) {
            solved.numbers.items[box][row] = ResultNumber(out[*pricer.OutputOf(RESULT_NAMES[box])]);
        }
    }
    return solved;
}

}  // namespace volantra
