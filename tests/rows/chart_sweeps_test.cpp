// The sweeps a chart draws over the asset price and the days left, as --sweep takes them.
#include "rows/chart_sweeps.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(ChartSweeps, SpanTheAssetAroundItsPriceAndTheDaysUpToTheMaturity) {
    struct Case {
        const char* what;
        std::optional<SweepRange> sweep;
        const char* argument;  // empty where there is no sweep
        std::size_t points;
    };
    const Case cases[] = {
        {"asset 100", AssetSweep(100), "asset=50:150:0.5", 201},
        {"asset 37.3", AssetSweep(37.3), "asset=18.3:56.3:0.19", 201},
        {"asset 0.6", AssetSweep(0.6), "asset=-0.4:1.6:0.01", 201},
        {"asset 0", AssetSweep(0), "", 0},
        {"asset -5", AssetSweep(-5), "", 0},
        {"asset 1e20", AssetSweep(1e20), "", 0},
        {"days 365", DaysSweep(365), "maturity=1:365:1", 365},
        {"days 90.9", DaysSweep(90.9), "maturity=1:90:1", 90},
        {"days 1000", DaysSweep(1000), "maturity=1:1000:1", 1000},
        {"days 2500", DaysSweep(2500), "maturity=1:2500:3", 834},
        {"days 5000", DaysSweep(5000), "maturity=2:5000:6", 834},
        {"days 1", DaysSweep(1), "maturity=1:1:1", 1},
        {"days 0.5", DaysSweep(0.5), "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.sweep.has_value(), *c.argument != '\0');
        if (c.sweep) {
            EXPECT_EQ(SweepArgument(*c.sweep), c.argument);
            EXPECT_EQ(c.sweep->Count(), c.points);
            // What the pricer reads back from the argument is the same sweep.
            SweepRange read;
            std::string error;
            ASSERT_TRUE(ParseSweep(c.argument, read, error)) << error;
            EXPECT_EQ(read.Count(), c.points);
            EXPECT_EQ(read.Text(c.points - 1), c.sweep->Text(c.points - 1));
        }
    }
}

TEST(PriceSweep, PricesTheRowAtEachValueAsTheScreenWould) {
    RowFields fields;
    fields[Column::Screen] = "call";
    fields[Column::Asset] = "100";
    fields[Column::Strike] = "100";
    fields[Column::Maturity] = "365";
    fields[Column::Volatility] = "20";
    fields[Column::Interest] = "5";
    const std::vector<SweptRow> rows = PriceSweep(fields, *AssetSweep(100), {});
    ASSERT_EQ(rows.size(), 201U);
    EXPECT_EQ(rows[100].text, "100");
    ASSERT_TRUE(rows[100].priced.valued.has_value());
    EXPECT_EQ(ResultTexts(*rows[100].priced.valued)[ResultBox::Value], "10.45");
    EXPECT_EQ(rows[1].text, "50.5");
    // Below the asset price the call is worth less, above it more.
    EXPECT_LT(rows[99].priced.valued->optionValue, rows[100].priced.valued->optionValue);
    EXPECT_GT(rows[101].priced.valued->optionValue, rows[100].priced.valued->optionValue);
}

}  // namespace
}  // namespace volantra
