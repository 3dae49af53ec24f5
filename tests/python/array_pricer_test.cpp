#include "python/array_pricer.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "engine/number_text.h"

namespace volantra {
namespace {

constexpr double NAN_DOUBLE = std::numeric_limits<double>::quiet_NaN();

// Doubles where reading the text could differ from the cast: the midpoints between
// neighbouring singles and the doubles beside them, the range's edges, and random
// doubles of every magnitude.
std::vector<double> HardDoubles() {
    std::mt19937_64 random(18);
    std::vector<double> doubles;
    const float flt = std::numeric_limits<float>::max();
    const float tiny = std::numeric_limits<float>::min();
    for (float edge : {flt, tiny, 1.0F, 0.05F, 100.5F}) {
        for (double x : {static_cast<double>(edge), std::nextafter(static_cast<double>(edge), 0.0),
                         std::nextafter(static_cast<double>(edge), 1e300)}) {
            doubles.push_back(x);
            doubles.push_back(-x);
        }
    }
    std::uniform_int_distribution<std::uint32_t> bits(0x00800000U, 0x7f7ffffeU);
    std::uniform_real_distribution<double> exponent(-37, 38);
    for (int i = 0; i < 100000; ++i) {
        std::uint32_t word = bits(random);
        float low = 0;
        std::memcpy(&low, &word, sizeof low);
        const double midpoint =
            (static_cast<double>(low) + static_cast<double>(std::nextafter(low, HUGE_VALF))) / 2;
        doubles.insert(doubles.end(),
                       {midpoint, std::nextafter(midpoint, 0.0), std::nextafter(midpoint, 1e300),
                        std::pow(10.0, exponent(random))});
    }
    return doubles;
}

TEST(SingleWithoutText, ReadsWhatTheTextReadsOrDeclines) {
    std::size_t declined = 0;
    for (double x : HardDoubles()) {
        std::array<char, 32> buffer{};
        const Checked<float> text = ParseNumber<float>(NumberText(x, buffer));
        const std::optional<float> quick = SingleWithoutText(x);
        if (!quick) {
            ++declined;
            continue;
        }
        ASSERT_TRUE(text.Ok()) << x;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(*quick), std::bit_cast<std::uint32_t>(text.value))
            << "for " << NumberText(x, buffer);
    }
    // Only the midpoints, a quarter of the samples, and the four beyond the range take the text.
    EXPECT_LE(declined, 100004U);
}

// A row of inputs: screen, then asset to dividend_time.
struct Row {
    const char* screen;
    std::array<double, 8> numbers;
};

// The rows column by column, as numbers or as the texts those numbers read as, so that
// the shortcut or the pricer's reading prices them; the results keep their storage.
class PricedRows {
public:
    PricedRows(const std::vector<Row>& rows, bool asTexts) : rows_(rows.size()) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            rowIndex_.push_back(static_cast<std::int64_t>(r));
            inputs_[RowColumn::Screen].texts.emplace_back(rows[r].screen);
            for (std::size_t c = 0; c < numbers_.size(); ++c) {
                const double x = rows[r].numbers[c];
                std::array<char, 32> buffer{};
                numbers_[c].push_back(x);
                texts_[c].emplace_back(NumberText(x, buffer));
                textOf_[c].push_back(std::isnan(x) ? -1 : static_cast<std::int64_t>(r));
            }
        }
        inputs_[RowColumn::Screen].textOf = rowIndex_;
        for (std::size_t c = 0; c < numbers_.size(); ++c) {
            ColumnInput& column = inputs_.items[c + 1];
            if (asTexts) {
                column.texts = texts_[c];
                column.textOf = textOf_[c];
            } else {
                column.numbers = numbers_[c];
            }
        }
        for (std::size_t box = 0; box < out_.size(); ++box) {
            out_[box].resize(rows_);
            results.numbers.items[box] = out_[box];
        }
        results.texts.emplace();
        PriceArrays(inputs_, rows_, results);
    }

    ArrayResults results;

private:
    std::size_t rows_;
    RowInputs inputs_;
    std::vector<std::int64_t> rowIndex_;
    std::array<std::vector<double>, 8> numbers_;
    std::array<std::vector<std::string>, 8> texts_;
    std::array<std::vector<std::int64_t>, 8> textOf_;
    std::array<std::vector<double>, ENUM_COUNT<ResultBox>> out_;
};

TEST(PriceArrays, ShortcutGivesThePricersNumbersTextsAndMessages) {
    constexpr double n = NAN_DOUBLE;
    std::vector<Row> rows = {
        {"call", {100, 100, 365, 20, 5, n, n, n}},
        {"put", {50, 45, 90, 30, 6, 1, 5, 30}},
        {"call", {100.5, 99.25, 30, 200, 0, n, n, n}},
        {"put", {100, 0, 365, 20, 5, n, n, n}},
        {"call", {n, 100, 365, 20, 5, n, n, n}},
        {"call", {100, 100, 365, 20.5, 5, n, n, n}},
        {"put", {100, 100, 365, 20, 101, n, n, n}},
        {"Put", {100, 100, 365, 20, 5, n, n, n}},
        {"call", {100, 100, 365, 20, 5, 2, n, 73}},
        {"call", {-0.0, 100, 365, 20, 5, n, n, n}},
        {"call", {1e39, 100, 365, 20, 5, n, n, n}},
        {"put", {100, 100, -1, 20, 5, n, n, n}},
        {"call", {3, 100, 365, 20, 5, 2, 5, 73}},
        {"call", {100, 100, 365, 20, 5, 2, 1e308, 73}},
        {"put", {0.015, 0.01, 0.5, 1, 100, n, n, n}},
        {"call", {100, 100, 365.25, 20, 5, n, n, n}},
    };
    std::mt19937 random(7);
    std::uniform_real_distribution<double> price(1, 300);
    std::uniform_int_distribution<int> days(1, 2000);
    std::uniform_int_distribution<int> bar(1, 100);
    for (int i = 0; i < 3000; ++i) {
        const bool dividend = i % 3 == 0;
        rows.push_back(
            {i % 2 == 0 ? "call" : "put",
             {std::round(price(random) * 100) / 100, price(random), double(days(random)),
              double(2 * bar(random)), double(bar(random)), dividend ? price(random) / 50 : n,
              dividend ? double(bar(random)) / 7 : n, dividend ? double(days(random)) : n}});
    }
    const PricedRows quick(rows, false);
    const PricedRows text(rows, true);
    for (std::size_t box = 0; box < ENUM_COUNT<ResultBox>; ++box) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const double a = quick.results.numbers.items[box][r];
            const double b = text.results.numbers.items[box][r];
            ASSERT_TRUE((std::isnan(a) && std::isnan(b)) || a == b)
                << "row " << r << " box " << box;
            ASSERT_EQ(quick.results.texts->items[box][r], text.results.texts->items[box][r])
                << "row " << r;
        }
    }
    EXPECT_EQ(quick.results.messages, text.results.messages);
    // Every odd row of the table above has a message, the others none.
    std::vector<std::size_t> withMessage;
    for (const auto& [row, message] : text.results.messages) {
        if (row < 16) {
            withMessage.push_back(row);
        }
    }
    EXPECT_EQ(withMessage, (std::vector<std::size_t>{3, 4, 5, 6, 8, 9, 10, 11, 13}));
}

}  // namespace
}  // namespace volantra
