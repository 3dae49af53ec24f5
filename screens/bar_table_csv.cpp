#include "screens/bar_table_csv.h"

#include "rows/csv_field.h"
#include "rows/priced_row.h"

namespace volantra {
namespace {

void AppendHeader(std::string& out) {
    for (std::size_t c = 0; c < INPUT_COLUMN_COUNT; ++c) {
        out.append(COLUMN_NAMES.items[c]);
        out.push_back(',');
    }
    for (const ResultColumn& result : RESULT_COLUMNS) {
        out.append(result.name);
        out.push_back(',');
    }
    out.append(MESSAGE_COLUMN);
    out.push_back('\n');
}

// The row's input fields: the dividend's only where its box is ticked, as the pricer
// ticks it where one is filled.
void AppendInputs(std::string& out, OptionKind kind, const ScreenInputs& at) {
    RowFields fields;
    fields[Column::Screen] = KindName(kind);
    for (InputBox box : INPUT_BOXES) {
        const bool dividend = box >= InputBox::Dividend;
        fields[BOX_COLUMNS[box]] = at.dividendTicked || !dividend ? at.boxes[box] : "";
    }
    const std::string volatility = std::to_string(at.volatilityPercent);
    const std::string interest = std::to_string(at.interestPercent);
    fields[Column::Volatility] = volatility;
    fields[Column::Interest] = interest;
    for (std::size_t c = 0; c < INPUT_COLUMN_COUNT; ++c) {
        AppendCsvField(out, fields.items[c]);
        out.push_back(',');
    }
}

void AppendRow(std::string& out, OptionKind kind, const ScreenInputs& at, const BarValues& along,
               std::size_t i) {
    AppendInputs(out, kind, at);
    const Checked<PricingResult>& valued = along.positions[i];
    ShownTexts texts;
    if (valued.Ok()) {
        texts = ResultTexts(valued.value);
    }
    for (const std::string& text : texts) {
        out += text;
        out.push_back(',');
    }
    std::string message;
    for (const std::string& m : CycleMessages(along.reading, valued, {})) {
        AddMessage(message, m);
    }
    AppendCsvField(out, message);
    out.push_back('\n');
}

}  // namespace

std::string BarTableCsv(OptionKind kind, ScrollBar bar, const ScreenInputs& canonical,
                        const BarValues& along) {
    std::string out;
    AppendHeader(out);
    ScreenInputs at = canonical;
    for (std::size_t i = 0; i < along.positions.size(); ++i) {
        at.Position(bar) = along.lowest + static_cast<int>(i);
        AppendRow(out, kind, at, along, i);
    }
    return out;
}

}  // namespace volantra
