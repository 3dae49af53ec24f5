#include "screens/sweep_table_csv.h"

#include "rows/csv_field.h"

namespace volantra {
namespace {

void AppendHeader(std::string& out, GreekUnits units) {
    for (std::size_t c = 0; c < INPUT_COLUMN_COUNT; ++c) {
        out.append(COLUMN_NAMES.items[c]);
        out.push_back(',');
    }
    for (const ResultColumn& result : RESULT_COLUMNS) {
        out.append(result.Name(units));
        out.push_back(',');
    }
    out.append(MESSAGE_COLUMN);
    out.push_back('\n');
}

void AppendRow(std::string& out, const RowFields& fields, const PricedRow& priced,
               GreekUnits units) {
    for (std::size_t c = 0; c < INPUT_COLUMN_COUNT; ++c) {
        AppendCsvField(out, fields.items[c]);
        out.push_back(',');
    }
    ShownTexts texts;
    if (priced.valued) {
        WriteResultTexts(*priced.valued, {}, units, texts);
    }
    for (const std::string& text : texts) {
        out += text;
        out.push_back(',');
    }
    AppendCsvField(out, priced.message);
    out.push_back('\n');
}

}  // namespace

std::string SweepTableCsv(RowFields fields, Column swept, const std::vector<SweptRow>& rows,
                          GreekUnits units) {
    std::string out;
    AppendHeader(out, units);
    for (const SweptRow& row : rows) {
        fields[swept] = row.text;
        AppendRow(out, fields, row.priced, units);
    }
    return out;
}

}  // namespace volantra
