// The pricer writes each row's results from the numbers its block shows; they must read
// as the screen's own texts of the row's valuation, digit for digit.
#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "batch/batch_run.h"
#include "batch/csv.h"
#include "rows/priced_row.h"
#include "worked_examples.h"

namespace volantra {
namespace {

constexpr const char* kHeader =
    "screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,dividend_time";

// A random number of up to two decimals below `scale`, with `point`.
std::string RandomNumber(std::mt19937& random, double scale, char point) {
    const auto cents =
        static_cast<long long>(std::uniform_real_distribution(1.0, 100 * scale)(random));
    return std::to_string(cents / 100) + point + std::to_string(10 + cents % 90);
}

// Rows whose prices lie below `scale`, a dividend in every third.
std::vector<std::vector<std::string>> RandomRows(double scale, char point, int count) {
    std::mt19937 random(static_cast<unsigned>(scale));
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> row = {
            i % 2 == 0 ? "call" : "put",        RandomNumber(random, scale, point),
            RandomNumber(random, scale, point), std::to_string(1 + random() % 2000),
            std::to_string(1 + random() % 200), std::to_string(random() % 101)};
        if (i % 3 == 0) {
            row.insert(row.end(), {RandomNumber(random, scale / 50, point),
                                   std::to_string(random() % 20), std::to_string(random() % 90)});
        } else {
            row.insert(row.end(), {"", "", ""});
        }
        rows.push_back(row);
    }
    return rows;
}

std::string Joined(const std::vector<std::string>& fields, char delimiter) {
    std::string line;
    for (const std::string& field : fields) {
        line += field + delimiter;
    }
    line.back() = '\n';
    return line;
}

// The result texts a screen shows for `fields`, or none where the row is not valued.
std::vector<std::string> ScreenTexts(const std::vector<std::string>& fields,
                                     const NumberConventions& conventions, GreekUnits units) {
    RowFields row{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        row.items[i] = fields[i];
    }
    PricedRow priced;
    PriceRow(row, conventions, priced);
    std::vector<std::string> texts(ENUM_COUNT<ResultBox>);
    if (priced.valued) {
        ShownTexts shown;
        WriteResultTexts(*priced.valued, conventions, units, shown);
        texts.assign(shown.items.begin(), shown.items.end());
    }
    return texts;
}

TEST(ResultTexts, ReadAsTheScreensTextsOfEachRow) {
    struct Case {
        double scale;  // prices below it; from 10^6 on some Greeks have too many digits to
                       // be written from their rounded numbers
        char delimiter;
        GreekUnits units;
    };
    const Case cases[] = {{300, ',', GreekUnits::Screen},  {300, ';', GreekUnits::Trader},
                          {1e4, '\t', GreekUnits::Trader}, {1e6, ',', GreekUnits::Screen},
                          {1e8, ';', GreekUnits::Screen},  {1e8, ',', GreekUnits::Trader}};
    for (const Case& c : cases) {
        const char point = c.delimiter == ';' ? ',' : '.';
        const NumberConventions conventions =
            point == ',' ? DecimalCommaConventions() : NumberConventions{};
        const auto rows = RandomRows(c.scale, point, 500);
        std::string input = kHeader;
        std::replace(input.begin(), input.end(), ',', c.delimiter);
        input += '\n';
        for (const auto& row : rows) {
            input += Joined(row, c.delimiter);
        }
        BatchOptions options;
        options.delimiter = c.delimiter;
        options.units = c.units;
        std::istringstream in(input);
        std::ostringstream out;
        RunBatch(in, out, options);
        std::istringstream written(out.str());
        CsvReader reader(written, c.delimiter);
        std::vector<std::string_view> fields;
        ASSERT_TRUE(reader.Next(fields));  // the header
        for (const auto& row : rows) {
            ASSERT_TRUE(reader.Next(fields));
            ASSERT_EQ(fields.size(), 16u);
            const std::vector<std::string> results(fields.begin() + 9, fields.begin() + 15);
            EXPECT_EQ(results, ScreenTexts(row, conventions, c.units))
                << Joined(row, c.delimiter) << " scale " << c.scale;
        }
    }
}

// Lines about as long as the quick writer's buffer, on either side of it, are written
// whole: the id echoed in full, the results as on a short line.
TEST(ResultTexts, LinesOfAnyLengthAreWrittenWhole) {
    const std::string row = ",call,100,100,365,20,5,,,";
    std::string input = std::string("id,") + kHeader + "\n";
    const std::vector<std::size_t> lengths = {1, 400, 480, 490, 495, 500, 505, 511, 512, 513, 2000};
    for (std::size_t length : lengths) {
        input += std::string(length, 'x') + row + '\n';
    }
    std::istringstream in(input);
    std::ostringstream out;
    RunBatch(in, out, BatchOptions{});
    std::istringstream written(out.str());
    std::string line;
    std::getline(written, line);  // the header
    std::string shortTail;
    for (std::size_t length : lengths) {
        ASSERT_TRUE(std::getline(written, line));
        ASSERT_EQ(line.substr(0, length + row.size()), std::string(length, 'x') + row);
        const std::string tail = line.substr(length);
        shortTail = shortTail.empty() ? tail : shortTail;
        EXPECT_EQ(tail, shortTail) << length;
    }
    std::string results;
    for (const std::string& text : testing::WorkedExampleNamed("call").shown) {
        results += ',' + text;
    }
    EXPECT_EQ(shortTail, row + results + ',');
}

}  // namespace
}  // namespace volantra
