// Random rows over the whole input domain, valued many at a time and one at a time, and
// the numbers the screens show for them, in both units, worked out both ways.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include <gtest/gtest.h>

#include "cycle/shown_results.h"
#include "random_box_rows.h"

namespace volantra {
namespace {

constexpr std::size_t ROWS = 200'000;

struct RandomRows {
    std::vector<OptionKind> kinds;
    std::vector<PricingInputs> inputs;
};

RandomRows DrawRows(std::uint64_t seed) {
    testing::RandomBoxRows random(seed);
    RandomRows rows;
    while (rows.inputs.size() < ROWS) {
        OptionKind kind{};
        const ValuationInputs valuation = InputsOfNumbers(random.Next(kind));
        if (valuation.fault == InputBox::Count) {
            rows.kinds.push_back(kind);
            rows.inputs.push_back(valuation.inputs);
        }
    }
    return rows;
}

TEST(ValueOptions, RandomRowsAsTheOneRowValuation) {
    const RandomRows rows = DrawRows(11);
    std::vector<Checked<PricingResult>> together(ROWS);
    ValueOptions(rows.kinds, rows.inputs, together);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < ROWS; ++i) {
        differing +=
            testing::SameBits(together[i], ValueOption(rows.kinds[i], rows.inputs[i])) ? 0 : 1;
    }
    EXPECT_EQ(differing, 0U);
}

// From the box numbers on: the bars' fractions, the times, the dividends' present values.
TEST(ValueBoxNumbers, RandomBlocksAsOneRowAtATime) {
    testing::RandomBoxRows random(13);
    BoxColumns boxes;
    BlockColumns block;
    std::size_t differing = 0;
    for (std::size_t first = 0; first < ROWS; first += BLOCK_ROWS) {
        for (std::size_t i = 0; i < BLOCK_ROWS; ++i) {
            boxes.Put(i, random.Next(boxes.kinds[i]));
        }
        ValueBoxNumbers(boxes, BLOCK_ROWS, block);
        for (std::size_t i = 0; i < BLOCK_ROWS; ++i) {
            const Checked<PricingResult> together = {
                block.errors[i] == EngineError::None ? ResultOfRow(block, i) : PricingResult{},
                block.errors[i]};
            differing +=
                testing::SameBits(together, ValueBoxNumbers(boxes.kinds[i], boxes.Row(i))) ? 0 : 1;
        }
    }
    EXPECT_EQ(differing, 0U);
}

// The numbers shown for a valued block, NaN in the boxes of a refused row.
bool SameShown(const ShownResults& alone, bool valued, std::span<const double> many) {
    for (std::size_t box = 0; box < alone.items.size(); ++box) {
        const bool same = valued ? std::bit_cast<std::uint64_t>(many[box]) ==
                                       std::bit_cast<std::uint64_t>(alone.items[box])
                                 : std::isnan(many[box]);
        if (!same) {
            return false;
        }
    }
    return true;
}

TEST(ResultNumbers, ManyRowsAsOneAtATimeInBothUnits) {
    const RandomRows rows = DrawRows(12);
    BlockColumns block;
    EnumArray<ResultBox, std::array<double, BLOCK_ROWS>> columns{};
    ShownColumns shown;
    for (std::size_t box = 0; box < shown.items.size(); ++box) {
        shown.items[box] = columns.items[box];
    }
    std::size_t differing = 0;
    for (std::size_t first = 0; first < ROWS; first += BLOCK_ROWS) {
        const std::size_t count = std::min(BLOCK_ROWS, ROWS - first);
        for (std::size_t i = 0; i < count; ++i) {
            PutInputs(block, i, rows.kinds[first + i], rows.inputs[first + i]);
        }
        ValueBlock(block, count);
        for (GreekUnits units : {GreekUnits::Screen, GreekUnits::Trader}) {
            ResultNumbers(block, count, units, shown);
            for (std::size_t i = 0; i < count; ++i) {
                const Checked<PricingResult> alone =
                    ValueOption(rows.kinds[first + i], rows.inputs[first + i]);
                std::array<double, ENUM_COUNT<ResultBox>> many{};
                for (std::size_t box = 0; box < many.size(); ++box) {
                    many[box] = columns.items[box][i];
                }
                const ShownResults one =
                    alone.Ok() ? ResultNumbers(alone.value, units) : ShownResults{};
                differing += SameShown(one, alone.Ok(), many) ? 0 : 1;
            }
        }
    }
    EXPECT_EQ(differing, 0U);
}

}  // namespace
}  // namespace volantra
