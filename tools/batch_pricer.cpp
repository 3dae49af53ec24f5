#include "tools/batch_pricer.h"

#include <algorithm>

#include "engine/number_text.h"

namespace volantra {
namespace {

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
    return std::string(BarName(bar)) + " must be a whole number from " +
           std::to_string(BarLowest(bar)) + " to " + std::to_string(BarHighest(bar));
}

// "call" or "put" in any case, blanks around.
bool ReadKind(std::string_view screen, OptionKind& kind) {
    screen = TrimBlanks(screen);
    const auto is = [screen](std::string_view name) {
        return screen.size() == name.size() &&
               std::equal(screen.begin(), screen.end(), name.begin(),
                          [](char x, char y) { return (x | 0x20) == y; });
    };
    kind = is("call") ? OptionKind::Call : OptionKind::Put;
    return is("call") || is("put");
}

bool IsBlankRecord(const std::vector<std::string_view>& fields) {
    return std::all_of(fields.begin(), fields.end(), IsBlankText);
}

}  // namespace

BatchPricer::BatchPricer(BatchOptions options, char delimiter)
    : options_(std::move(options)),
      delimiter_(delimiter),
      conventions_(delimiter == ';' ? DecimalCommaConventions() : NumberConventions{}),
      grid_(std::make_shared<const SweepGrid>(options_.sweeps, conventions_)) {}

bool BatchPricer::ReadHeader(const std::vector<std::string_view>& header, std::string& error) {
    return schema_.Read(header, options_, delimiter_, error);
}

void BatchPricer::AppendHeader(std::string& out) const {
    Writer().AppendHeader(out);
}

bool BatchPricer::PriceRow(const std::vector<std::string_view>& fields, std::string& out,
                           bool plain) const {
    Fields field{};
    for (std::size_t column = 0; column < ENUM_COUNT<Column>; ++column) {
        const std::size_t input = schema_.InputOf(static_cast<Column>(column));
        if (input < fields.size()) {
            field.items[column] = fields[input];
        }
    }
    if (IsBlankRecord(fields)) {
        Writer().AppendLine(field, fields, RowOutcome{}, plain, out);  // a spreadsheet's empty row
        return true;
    }
    if (!grid_->Sweeps() || fields.size() != schema_.InputSize()) {
        return PriceLine(field, fields, plain, out);
    }
    bool allValued = true;
    for (std::size_t k = 0; k < grid_->Count(); ++k) {
        grid_->Place(k, field);
        allValued &= PriceLine(field, fields, plain, out);
    }
    return allValued;
}

bool BatchPricer::PriceLine(Fields& field, const std::vector<std::string_view>& fields, bool plain,
                            std::string& out) const {
    RowOutcome row;
    if (fields.size() != schema_.InputSize()) {
        AddMessage(row, "The row has " + std::to_string(fields.size()) + " fields instead of " +
                            std::to_string(schema_.InputSize()));
    } else if (options_.solve) {
        Solve(field, row);
    } else {
        Price(field, row);
    }
    Writer().AppendLine(field, fields, row, plain, out);
    return row.ValuedAsGiven();
}

bool BatchPricer::ReadScreen(const Fields& field, RowOutcome& row, OptionKind& kind,
                             ScreenInputs& inputs) const {
    if (!ReadKind(field[Column::Screen], kind)) {
        AddMessage(row, "Screen must be call or put");
        return false;
    }
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
    inputs.boxes[InputBox::Asset] = field[Column::Asset];
    inputs.boxes[InputBox::Strike] = field[Column::Strike];
    inputs.boxes[InputBox::Maturity] = field[Column::Maturity];
    inputs.boxes[InputBox::Dividend] = field[Column::Dividend];
    inputs.boxes[InputBox::DividendInterest] = field[Column::DividendInterest];
    inputs.boxes[InputBox::DividendTime] = field[Column::DividendTime];
    inputs.dividendTicked = !field[Column::Dividend].empty() ||
                            !field[Column::DividendInterest].empty() ||
                            !field[Column::DividendTime].empty();
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

}  // namespace volantra
