#include "rows/priced_row.h"

#include <algorithm>
#include <array>

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

namespace {

// The row's outcome once its boxes are read and, where they read, valued.
void Conclude(const BoxReading& reading, const Checked<PricingResult>& valued,
              const NumberConventions& conventions, PricedRow& row) {
    if (valued.Ok()) {
        row.valued = valued.value;
    }
    if (!valued.Ok() || reading.dividendEmpty) {
        for (const std::string& message : CycleMessages(reading, valued, conventions)) {
            AddMessage(row.message, message);
        }
    }
}

// What a block's result boxes show, where wanted.
struct ShownWanted {
    GreekUnits units = GreekUnits::Screen;
    const ShownColumns* columns = nullptr;
    std::size_t first = 0;  // the block's first row in the columns
};

// Up to BLOCK_ROWS rows, their boxes read one by one and valued together.
void PriceBlock(std::span<const RowFields> fields, const NumberConventions& conventions,
                std::span<PricedRow> rows, const ShownWanted& wanted) {
    std::array<BoxReading, BLOCK_ROWS> readings;
    std::array<bool, BLOCK_ROWS> screens{};
    BoxColumns boxes;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].message.clear();
        rows[i].valued.reset();
        ScreenInputs screen;
        screens[i] =
            ReadRowScreen(fields[i], std::nullopt, boxes.kinds[i], screen, rows[i].message);
        readings[i] = screens[i] ? ReadBoxes(screen, conventions) : BoxReading{};
        BoxNumbers numbers = readings[i].numbers;
        if (!screens[i] || !readings[i].Read()) {
            numbers = {};  // an asset of 0: refused at once, and not read
        }
        boxes.Put(i, numbers);
    }
    BlockColumns block;
    ValueBoxNumbers(boxes, rows.size(), block);
    if (wanted.columns != nullptr) {
        ShownColumns shown;
        for (std::size_t box = 0; box < ENUM_COUNT<ResultBox>; ++box) {
            shown.items[box] = wanted.columns->items[box].subspan(wanted.first, rows.size());
        }
        ResultNumbers(block, rows.size(), wanted.units, shown);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!screens[i]) {
            continue;
        }
        const Checked<PricingResult> valued =
            !readings[i].Read() ? Checked<PricingResult>{{}, EngineError::NotANumber}
            : block.errors[i] == EngineError::None
                ? Checked<PricingResult>{ResultOfRow(block, i), EngineError::None}
                : Checked<PricingResult>{{}, block.errors[i]};
        Conclude(readings[i], valued, conventions, rows[i]);
    }
}

}  // namespace

void PriceScreen(OptionKind kind, const ScreenInputs& screen, const NumberConventions& conventions,
                 PricedRow& row) {
    row.valued.reset();
    const BoxReading reading = ReadBoxes(screen, conventions);
    Checked<PricingResult> valued{{}, EngineError::NotANumber};
    if (reading.Read()) {
        valued = ValueBoxNumbers(kind, reading.numbers);
    }
    Conclude(reading, valued, conventions, row);
}

namespace {

// The rows a block at a time, the shown numbers where `shown` is given.
void PriceInBlocks(std::span<const RowFields> fields, const NumberConventions& conventions,
                   GreekUnits units, std::span<PricedRow> rows, const ShownColumns* shown) {
    for (std::size_t first = 0; first < rows.size(); first += BLOCK_ROWS) {
        const std::size_t count = std::min(BLOCK_ROWS, rows.size() - first);
        PriceBlock(fields.subspan(first, count), conventions, rows.subspan(first, count),
                   {units, shown, first});
    }
}

}  // namespace

void PriceRows(std::span<const RowFields> fields, const NumberConventions& conventions,
               std::span<PricedRow> rows) {
    PriceInBlocks(fields, conventions, GreekUnits::Screen, rows, nullptr);
}

void PriceRows(std::span<const RowFields> fields, const NumberConventions& conventions,
               GreekUnits units, std::span<PricedRow> rows, const ShownColumns& shown) {
    PriceInBlocks(fields, conventions, units, rows, &shown);
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
