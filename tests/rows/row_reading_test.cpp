// How a row's fields become a screen: its kind, its bars and its dividend box.
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "engine/shortest_text.h"
#include "rows/bar_position.h"
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

}  // namespace
}  // namespace volantra
