// How a row's fields become a screen: its kind, its bars and its dividend box.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/shortest_text.h"
#include "rows/bar_position.h"
#include "rows/number_row.h"
#include "rows/priced_row.h"

namespace volantra {
namespace {

RowFields Row(std::string_view screen, std::string_view volatility, std::string_view interest,
              std::string_view dividendTime = {}) {
    RowFields fields;
    fields[Column::Screen] = screen;
    fields[Column::Asset] = "100";
    fields[Column::Strike] = "100";
    fields[Column::Maturity] = "365";
    fields[Column::Volatility] = volatility;
    fields[Column::Interest] = interest;
    fields[Column::DividendTime] = dividendTime;
    return fields;
}

TEST(ReadRowScreen, ReadsKindsAndPositionsAsTheirColumnsHoldThem) {
    struct Case {
        RowFields fields;
        std::string message;  // empty where the row reads
        OptionKind kind;
        int volatility;
        int interest;
        bool dividendTicked;
    };
    const Case cases[] = {
        {Row("call", "20", "5"), "", OptionKind::Call, 20, 5, false},
        {Row(" PuT ", "+020", "0"), "", OptionKind::Put, 20, 0, false},
        {Row("call", "200", "100", "30"), "", OptionKind::Call, 200, 100, true},
        {Row("calls", "20", "5"), "Screen must be call or put", {}, 0, 0, false},
        {Row("", "20", "5"), "Screen must be call or put", {}, 0, 0, false},
        {Row("put", "0", "5"), "Volatility must be a whole number from 1 to 200", {}, 0, 0, false},
        {Row("put", "20.5", "5"),
         "Volatility must be a whole number from 1 to 200",
         {},
         0,
         0,
         false},
        {Row("put", "20", "101"), "Interest must be a whole number from 0 to 100", {}, 0, 0, false},
        {Row("put", "20", "-0"), "Interest must be a whole number from 0 to 100", {}, 0, 0, false},
    };
    for (const Case& c : cases) {
        OptionKind kind{};
        ScreenInputs screen;
        std::string message;
        const bool read = ReadRowScreen(c.fields, std::nullopt, kind, screen, message);
        SCOPED_TRACE(std::string(c.fields[Column::Screen]) + " " +
                     std::string(c.fields[Column::Volatility]));
        EXPECT_EQ(message, c.message);
        ASSERT_EQ(read, c.message.empty());
        if (read) {
            EXPECT_EQ(kind, c.kind);
            EXPECT_EQ(screen.volatilityPercent, c.volatility);
            EXPECT_EQ(screen.interestPercent, c.interest);
            EXPECT_EQ(screen.dividendTicked, c.dividendTicked);
            EXPECT_EQ(screen.boxes[InputBox::Asset], "100");
        }
    }
}

// The position of a number is the position of its shortest text, which a file would hold.
TEST(PositionOfNumber, IsThePositionOfItsShortestText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (ScrollBar bar : {ScrollBar::Volatility, ScrollBar::Interest}) {
        for (double number : {0.0, -0.0, 1.0, 20.0, 20.5, 100.0, 101.0, 200.0, 201.0, -1.0, 1e-300,
                              1e300, 99.99999999999999, nan}) {
            std::array<char, 32> buffer{};
            EXPECT_EQ(PositionOfNumber(number, bar),
                      ReadPosition(ShortestText(number, buffer), bar))
                << number;
        }
    }
}

// Where a row of numbers reads without its texts, it reads as its texts do: the same
// valuation, to the bit, and no message.
TEST(ReadRowNumbers, ReadsAsTheShortestTextsRead) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::mt19937_64 random(25);
    std::uniform_real_distribution<double> price(0.01, 400);
    std::uniform_int_distribution<int> days(-5, 4000);
    std::uniform_int_distribution<int> percent(-1, 201);
    std::vector<RowNumbers> rows = {
        {{0, 100, 100, 365, 20, 5, nan, nan, nan, 0}},
        {{0, 50, 45, 90, 30, 6, 1, 5, 30, 0}},
        {{0, 100, 100, 365, 20, 5, 2, nan, nan, 0}},      // a dividend field missing
        {{0, 100, 100, 365, 20.5, 5, nan, nan, nan, 0}},  // no position
        // A midpoint between singles, whose text reads as the upper, its cast as the lower.
        {{0, 100.00000381469727, 100, 365, 20, 5, nan, nan, nan, 0}},
        {{0, -0.0, 100, 365, 20, 5, nan, nan, nan, 0}},
        {{0, 1e39, 100, 365, 20, 5, nan, nan, nan, 0}},
        {{0, 100, 0, 365, 20, 5, nan, nan, nan, 0}},
    };
    for (int i = 0; i < 20000; ++i) {
        const bool dividend = i % 3 == 0;
        rows.push_back({{0, price(random), price(random), static_cast<double>(days(random)),
                         static_cast<double>(percent(random)), static_cast<double>(percent(random)),
                         dividend ? price(random) / 50 : nan, dividend ? price(random) / 20 : nan,
                         dividend ? static_cast<double>(days(random)) : nan, 0}});
    }
    std::size_t read = 0;
    for (const RowNumbers& row : rows) {
        std::array<std::array<char, 32>, ENUM_COUNT<Column>> buffers{};
        RowFields fields;
        fields[Column::Screen] = "put";
        for (std::size_t c = 1; c < INPUT_COLUMN_COUNT; ++c) {
            fields.items[c] = ShortestText(row.items[c], buffers[c]);
        }
        BoxNumbers numbers;
        if (!ReadRowNumbers(row, numbers)) {
            continue;
        }
        ++read;
        PricedRow priced;
        PriceRow(fields, {}, priced);
        const Checked<PricingResult> valued = ValueBoxNumbers(OptionKind::Put, numbers);
        ASSERT_EQ(valued.Ok(), priced.valued.has_value()) << fields[Column::Asset];
        if (valued.Ok()) {
            EXPECT_EQ(priced.message, "");
            EXPECT_EQ(std::bit_cast<std::uint32_t>(valued.value.optionValue),
                      std::bit_cast<std::uint32_t>(priced.valued->optionValue));
            EXPECT_EQ(std::bit_cast<std::uint32_t>(valued.value.rho),
                      std::bit_cast<std::uint32_t>(priced.valued->rho));
        } else {
            EXPECT_EQ(ValuationRejection(numbers, valued.error, {}).message, priced.message);
        }
    }
    EXPECT_GT(read, rows.size() / 3);  // most rows take the shortcut
}

}  // namespace
}  // namespace volantra
