#pragma once

#include <cmath>
#include <cstdint>
#include <random>

#include "cycle/box_reading.h"
#include "cycle/box_valuation.h"
#include "engine/number_text.h"
#include "engine/powers_of_ten.h"
#include "tests/engine/same_bits.h"

// Rows as the boxes can hold them, drawn over the whole input domain.
namespace volantra::testing {

/// Draws box numbers: every bar position, asset and strike texts of 0 to 4 decimals
/// from 0.0001 to 10^9, maturities from a fraction of a day to 10^7 days, and a
/// dividend in about one row in three, its rate and time reaching far past use.
class RandomBoxRows {
public:
    explicit RandomBoxRows(std::uint64_t seed) : random_(seed) {}

    /// The next row and its kind.
    BoxNumbers Next(OptionKind& kind) {
        BoxNumbers row;
        kind = Whole(0, 1) == 0 ? OptionKind::Call : OptionKind::Put;
        row.asset = Decimal(-4, 9);
        row.strike = Whole(0, 3) == 0 ? row.asset : Decimal(-4, 9);
        row.maturityDays = Whole(0, 3) == 0 ? static_cast<float>(Whole(1, 3650)) : Decimal(-2, 7);
        row.volatilityPercent = static_cast<int>(Whole(0, VOLATILITY_HIGHEST));
        row.interestPercent = static_cast<int>(Whole(0, INTEREST_HIGHEST));
        row.dividendTicked = Whole(0, 2) == 0;
        if (row.dividendTicked) {
            row.dividend = Whole(0, 1) == 0 ? Decimal(-2, 2) : Decimal(-4, 9);
            row.dividendInterest = Whole(0, 7) == 0 ? -Decimal(-2, 4) : Decimal(-2, 4);
            row.dividendTime = Decimal(-2, 6);
        }
        return row;
    }

private:
    std::int64_t Whole(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random_);
    }

    // A text of 0 to 4 decimals whose magnitude is spread evenly over the decades from
    // 10^lowest to 10^highest, read as the box reads it.
    float Decimal(int lowest, int highest) {
        const auto decimals = static_cast<std::size_t>(Whole(0, 4));
        const double magnitude =
            std::pow(10.0, std::uniform_real_distribution<double>(lowest, highest)(random_));
        const double scale = EXACT_POWERS_OF_TEN[decimals];
        const double units = std::max(1.0, std::round(magnitude * scale));
        return ParseNumber<float>(
                   FormatFixed(static_cast<float>(units / scale), static_cast<int>(decimals)))
            .value;
    }

    std::mt19937_64 random_;
};

}  // namespace volantra::testing
