// Random rows over the whole input domain, valued many at a time and one at a time, and
// the numbers the screens show for them, in both units, worked out both ways.
#include <bit>
#include <cmath>
#include <cstdint>
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

TEST(ResultNumbers, ManyRowsAsOneAtATimeInBothUnits) {
    const RandomRows rows = DrawRows(12);
    std::vector<Checked<PricingResult>> outcomes(ROWS);
    ValueOptions(rows.kinds, rows.inputs, outcomes);
    for (GreekUnits units : {GreekUnits::Screen, GreekUnits::Trader}) {
        EnumArray<ResultBox, std::vector<double>> columns;
        ShownColumns shown;
        for (std::size_t box = 0; box < shown.items.size(); ++box) {
            columns.items[box].resize(ROWS);
            shown.items[box] = columns.items[box];
        }
        ResultNumbers(outcomes, units, shown);
        std::size_t differing = 0;
        for (std::size_t i = 0; i < ROWS; ++i) {
            const ShownResults alone =
                outcomes[i].Ok() ? ResultNumbers(outcomes[i].value, units) : ShownResults{};
            for (std::size_t box = 0; box < alone.items.size(); ++box) {
                const double many = columns.items[box][i];
                const bool same = outcomes[i].Ok()
                                      ? std::bit_cast<std::uint64_t>(many) ==
                                            std::bit_cast<std::uint64_t>(alone.items[box])
                                      : std::isnan(many);
                differing += same ? 0 : 1;
            }
        }
        EXPECT_EQ(differing, 0U) << (units == GreekUnits::Trader ? "traders' units" : "screen");
    }
}

}  // namespace
}  // namespace volantra
