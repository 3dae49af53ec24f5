#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cycle/screen.h"
#include "cycle/shown_results.h"
#include "engine/valuation.h"

// The program's vocabulary for rows of options, named once: the columns a row has, the
// results it gets, the kinds it names, and the rules that read them.
namespace volantra {

/// The input columns of a row, in the order the pricer writes them, then the solve
/// target `value`.
enum class Column : std::size_t {
    Screen,
    Asset,
    Strike,
    Maturity,
    Volatility,
    Interest,
    Dividend,
    DividendInterest,
    DividendTime,
    Target,
    Count
};

/// The columns' names, as files and frames name them.
inline constexpr EnumArray<Column, std::string_view> COLUMN_NAMES = {
    {"screen", "asset", "strike", "maturity", "volatility", "interest", "dividend",
     "dividend_interest", "dividend_time", "value"}};

/// The columns every priced row needs (a bar that is solved or swept may be left out).
inline constexpr std::array<Column, 6> NEEDED_COLUMNS = {Column::Screen,     Column::Asset,
                                                         Column::Strike,     Column::Maturity,
                                                         Column::Volatility, Column::Interest};
/// The dividend columns, which go together.
inline constexpr std::array<Column, 3> DIVIDEND_COLUMNS = {
    Column::Dividend, Column::DividendInterest, Column::DividendTime};
/// The columns a row prices from: all but the solve target.
inline constexpr std::size_t INPUT_COLUMN_COUNT = static_cast<std::size_t>(Column::Target);

/// The column of each input box.
inline constexpr EnumArray<InputBox, Column> BOX_COLUMNS = {
    {Column::Asset, Column::Strike, Column::Maturity, Column::Dividend, Column::DividendInterest,
     Column::DividendTime}};

/// The column that holds a bar's position.
constexpr Column BarColumn(ScrollBar bar) {
    return bar == ScrollBar::Volatility ? Column::Volatility : Column::Interest;
}

/// The bar a name stands for: "volatility" or "interest", its column's name.
std::optional<ScrollBar> BarNamed(std::string_view name);

/// The bar's name as messages begin with it.
constexpr std::string_view BarName(ScrollBar bar) {
    return bar == ScrollBar::Volatility ? "Volatility" : "Interest";
}

/// A result: its column's name, the decimals its box shows and its caption, and its name
/// and caption in traders' units.
struct ResultColumn {
    ResultBox box;
    std::string_view name;
    int decimals;
    std::string_view caption;
    std::string_view traderName;
    std::string_view traderCaption;

    /// The column's name in `units`.
    [[nodiscard]] constexpr std::string_view Name(GreekUnits units) const {
        return units == GreekUnits::Trader ? traderName : name;
    }
    /// The caption in `units`.
    [[nodiscard]] constexpr std::string_view Caption(GreekUnits units) const {
        return units == GreekUnits::Trader ? traderCaption : caption;
    }
};

/// The results, in the order of the result boxes.
inline constexpr std::array<ResultColumn, ENUM_COUNT<ResultBox>> RESULT_COLUMNS = {{
    {ResultBox::Value, "value", RESULT_DECIMALS[ResultBox::Value], "Value", "value", "Value"},
    {ResultBox::Delta, "delta", RESULT_DECIMALS[ResultBox::Delta], "Delta", "delta", "Delta"},
    {ResultBox::Gamma, "gamma", RESULT_DECIMALS[ResultBox::Gamma], "Gamma", "gamma", "Gamma"},
    {ResultBox::Theta, "theta", RESULT_DECIMALS[ResultBox::Theta], "Theta", "theta_per_day",
     "Theta per day"},
    {ResultBox::Vega, "vega", RESULT_DECIMALS[ResultBox::Vega], "Vega", "vega_per_point",
     "Vega per 1 %"},
    {ResultBox::Rho, "rho", RESULT_DECIMALS[ResultBox::Rho], "Rho", "rho_per_point", "Rho per 1 %"},
}};

/// The names of the units, as --units and the Python module's `units` take them.
inline constexpr EnumArray<GreekUnits, std::string_view> UNIT_NAMES = {{"screen", "trader"}};

/// The units a name stands for: "screen" or "trader".
std::optional<GreekUnits> UnitsNamed(std::string_view name);

/// The column of a row's messages, after the results.
inline constexpr std::string_view MESSAGE_COLUMN = "message";
/// With a solve: the column of every position that shows the value, before the results.
inline constexpr std::string_view MATCHES_COLUMN = "matches";

/// The kinds' names, by OptionKind.
inline constexpr std::array<std::string_view, 2> KIND_NAMES = {"call", "put"};

/// The name of a kind: "call" or "put".
constexpr std::string_view KindName(OptionKind kind) {
    return KIND_NAMES[static_cast<std::size_t>(kind)];
}

/// The kind a screen field names: "call" or "put" in any case, blanks around.
std::optional<OptionKind> ReadKind(std::string_view text);

/// The message of a row whose screen field names no kind.
inline constexpr std::string_view KIND_MESSAGE = "Screen must be call or put";

/// The column a name stands for, in any case; Column::Count for none.
Column ColumnNamed(std::string_view name);

/// The columns' names as a sentence lists them: "dividend, dividend_interest and
/// dividend_time".
std::string ColumnList(std::span<const Column> columns);

/// The message where a row's input lacks `column`, which it needs (the solve target only
/// when solving).
std::string MissingColumnMessage(Column column, bool solving);

/// One row's texts by column; empty for a column the input lacks.
using RowFields = EnumArray<Column, std::string_view>;

/// A row has a dividend, as if its box were ticked, when any of its dividend fields is
/// filled; `filled(column)` tells whether one is.
template <typename Filled>
bool DividendTicked(Filled filled) {
    return std::any_of(DIVIDEND_COLUMNS.begin(), DIVIDEND_COLUMNS.end(), filled);
}

/// DividendTicked for a row of texts: a field is filled when it is not empty.
inline bool DividendTicked(const RowFields& fields) {
    return DividendTicked([&fields](Column column) { return !fields[column].empty(); });
}

}  // namespace volantra
