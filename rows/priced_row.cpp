#include "rows/priced_row.h"

#include "rows/bar_position.h"

namespace volantra {

void AddMessage(std::string& messages, std::string_view message) {
    if (!messages.empty()) {
        messages += "; ";
    }
    messages += message;
}

std::vector<std::string> CycleMessages(const BoxReading& reading,
                                       const Checked<PricingResult>& valued,
                                       const NumberConventions& conventions) {
    std::vector<std::string> messages;
    if (reading.mainEmpty) {
        messages.emplace_back(MESSAGE_ENTER_MAIN);
        return messages;
    }
    if (reading.dividendEmpty) {
        messages.emplace_back(MESSAGE_ENTER_DIVIDEND);
    }
    if (reading.rejection) {
        messages.push_back(reading.rejection->message);
    } else if (!valued.Ok()) {
        messages.push_back(ValuationRejection(reading.numbers, valued.error, conventions).message);
    }
    return messages;
}

bool ReadRowScreen(const RowFields& fields, std::optional<ScrollBar> solved, OptionKind& kind,
                   ScreenInputs& screen, std::string& message) {
    const std::optional<OptionKind> named = ReadKind(fields[Column::Screen]);
    if (!named) {
        AddMessage(message, KIND_MESSAGE);
        return false;
    }
    kind = *named;
    for (ScrollBar bar : {ScrollBar::Volatility, ScrollBar::Interest}) {
        const std::optional<int> position =
            bar == solved ? BarLowest(bar) : ReadPosition(fields[BarColumn(bar)], bar);
        if (!position) {
            AddMessage(message, PositionMessage(bar));
            return false;
        }
        screen.Position(bar) = *position;
    }
    for (InputBox box : INPUT_BOXES) {
        screen.boxes[box] = fields[BOX_COLUMNS[box]];
    }
    screen.dividendTicked = DividendTicked(fields);
    return true;
}

RowFields FieldsOfScreen(OptionKind kind, const ScreenInputs& screen,
                         std::array<std::string, 2>& positions) {
    RowFields fields;
    fields[Column::Screen] = KindName(kind);
    for (InputBox box : INPUT_BOXES) {
        const bool dividend = BOX_COLUMNS[box] >= Column::Dividend;
        fields[BOX_COLUMNS[box]] = screen.dividendTicked || !dividend ? screen.boxes[box] : "";
    }
    positions = {std::to_string(screen.volatilityPercent), std::to_string(screen.interestPercent)};
    fields[Column::Volatility] = positions[0];
    fields[Column::Interest] = positions[1];
    return fields;
}

void PriceScreen(OptionKind kind, const ScreenInputs& screen, const NumberConventions& conventions,
                 PricedRow& row) {
    row.valued.reset();
    const BoxReading reading = ReadBoxes(screen, conventions);
    Checked<PricingResult> valued{{}, EngineError::NotANumber};
    if (reading.Read()) {
        valued = ValueBoxNumbers(kind, reading.numbers);
    }
    if (valued.Ok()) {
        row.valued = valued.value;
    }
    if (!valued.Ok() || reading.dividendEmpty) {
        for (const std::string& message : CycleMessages(reading, valued, conventions)) {
            AddMessage(row.message, message);
        }
    }
}

void PriceRow(const RowFields& fields, const NumberConventions& conventions, PricedRow& row) {
    row.message.clear();
    row.valued.reset();
    OptionKind kind{};
    ScreenInputs screen;
    if (ReadRowScreen(fields, std::nullopt, kind, screen, row.message)) {
        PriceScreen(kind, screen, conventions, row);
    }
}

}  // namespace volantra
