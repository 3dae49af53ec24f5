#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cycle/box_valuation.h"
#include "cycle/number_conventions.h"
#include "cycle/shown_results.h"
#include "rows/schema.h"

// One row priced as the pricing screen prices its boxes: what the screen would show
// with the row's texts typed in, its bars at the row's positions.
namespace volantra {

/// What pricing one row gives.
struct PricedRow {
    std::optional<PricingResult> valued;  ///< what the result boxes show, when valued
    std::string message;                  ///< the row's messages, "; " between them

    /// True when the row was valued as given: valued, and with no message.
    [[nodiscard]] bool ValuedAsGiven() const { return valued.has_value() && message.empty(); }
};

/// Adds `message` to `messages`, after a semicolon when it holds one already.
void AddMessage(std::string& messages, std::string_view message);

/// The messages a cycle shows, in their order, for what the boxes read as and, where
/// they read, for the valuation's outcome.
std::vector<std::string> CycleMessages(const BoxReading& reading,
                                       const Checked<PricingResult>& valued,
                                       const NumberConventions& conventions);

/// The screen a row stands for: its kind, its box texts (viewing `fields`), the
/// dividend box ticked where a dividend field is filled, and its bars' positions (the
/// lowest for `solved`, which a solve moves). False, with the message added to
/// `message`, where the row names no kind or a position that is none.
bool ReadRowScreen(const RowFields& fields, std::optional<ScrollBar> solved, OptionKind& kind,
                   ScreenInputs& screen, std::string& message);

/// The row a screen stands for, the inverse of ReadRowScreen: its kind, its box texts
/// (viewing `screen`'s; the dividend's only where its box is ticked) and its bars'
/// positions, whose texts `positions` holds.
RowFields FieldsOfScreen(OptionKind kind, const ScreenInputs& screen,
                         std::array<std::string, 2>& positions);

/// Prices the inputs of a screen of `kind` into `row`, adding to its message.
void PriceScreen(OptionKind kind, const ScreenInputs& screen, const NumberConventions& conventions,
                 PricedRow& row);

/// PriceRow on every row, their valuations a block at a time.
void PriceRows(std::span<const RowFields> fields, const NumberConventions& conventions,
               std::span<PricedRow> rows);

/// PriceRows, also writing the numbers each row's result boxes show in `units` into
/// `shown`, an element per row (NaN where not valued).
void PriceRows(std::span<const RowFields> fields, const NumberConventions& conventions,
               GreekUnits units, std::span<PricedRow> rows, const ShownColumns& shown);

/// Prices one row given as texts in `conventions` into `row`, whose storage is reused.
void PriceRow(const RowFields& fields, const NumberConventions& conventions, PricedRow& row);

}  // namespace volantra
