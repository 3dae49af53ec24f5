#include "rows/sweep_range.h"

#include <algorithm>
#include <span>
#include <vector>

#include "rows/schema.h"

namespace volantra {
namespace {

// Every input column but the screen and the solve target holds a number.
constexpr std::span<const std::string_view> SWEEPABLE(COLUMN_NAMES.begin() + 1,
                                                      COLUMN_NAMES.end() - 1);

// A plain decimal without exponent, as units of 10^−scale; false when it is not one or
// holds more than 15 digits.
bool ReadDecimal(std::string_view text, std::int64_t& units, int& scale) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        ++i;
    }
    units = 0;
    scale = 0;
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] == '.' && !point) {
            point = true;
        } else if (text[i] >= '0' && text[i] <= '9') {
            units = units * 10 + (text[i] - '0');
            scale += point ? 1 : 0;
            if (++digits > 15) {
                return false;
            }
        } else {
            return false;
        }
    }
    units = negative ? -units : units;
    return digits > 0;
}

// units · 10^(to − from); false where that leaves the 64-bit range.
bool Rescale(std::int64_t& units, int from, int to) {
    for (; from < to; ++from) {
        if (__builtin_mul_overflow(units, 10, &units)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string SweepRange::Text(std::size_t k) const {
    std::int64_t units = from + static_cast<std::int64_t>(k) * step;
    int decimals = scale;
    while (decimals > 0 && units % 10 == 0) {
        units /= 10;
        --decimals;
    }
    const bool negative = units < 0;
    std::string digits = std::to_string(negative ? -units : units);
    if (decimals > 0) {
        if (digits.size() <= static_cast<std::size_t>(decimals)) {
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
        }
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    }
    return negative ? '-' + digits : digits;
}

namespace {

constexpr std::string_view FORM = "--sweep needs COLUMN=FROM:TO[:STEP], as in volatility=10:60:5";

// FROM:TO[:STEP] as units of one common scale, as few decimals as they need.
bool ReadRange(std::string_view text, SweepRange& sweep, std::string& error) {
    std::vector<std::string_view> parts;
    for (std::size_t colon; (colon = text.find(':')) != std::string_view::npos;) {
        parts.push_back(text.substr(0, colon));
        text.remove_prefix(colon + 1);
    }
    parts.push_back(text);
    if (parts.size() < 2 || parts.size() > 3) {
        error = FORM;
        return false;
    }
    std::int64_t units[3] = {0, 0, 1};
    int scales[3] = {0, 0, 0};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!ReadDecimal(parts[i], units[i], scales[i])) {
            error = "\"" + std::string(parts[i]) +
                    "\" in --sweep is not a plain decimal number of at most 15 digits";
            return false;
        }
    }
    sweep.scale = std::max({scales[0], scales[1], scales[2]});
    for (std::size_t i = 0; i < 3; ++i) {
        if (!Rescale(units[i], scales[i], sweep.scale)) {
            error = "the numbers of --sweep need more than 18 digits together; take fewer decimals";
            return false;
        }
    }
    sweep.from = units[0];
    sweep.to = units[1];
    sweep.step = units[2];
    while (sweep.scale > 0 && sweep.from % 10 == 0 && sweep.to % 10 == 0 && sweep.step % 10 == 0) {
        sweep.from /= 10;  // "10.0" is a whole position
        sweep.to /= 10;
        sweep.step /= 10;
        --sweep.scale;
    }
    if (sweep.step <= 0) {
        error = "the step of --sweep must be greater than 0";
        return false;
    }
    if (sweep.from > sweep.to) {
        error = "--sweep runs from " + std::string(parts[0]) + " up to " + std::string(parts[1]) +
                ": FROM must not be greater than TO";
        return false;
    }
    return true;
}

// A range the column can take, of at most MAX_SWEEP_STEPS values.
bool CheckRange(const SweepRange& sweep, std::string& error) {
    for (ScrollBar bar : {ScrollBar::Volatility, ScrollBar::Interest}) {
        if (sweep.column == COLUMN_NAMES[BarColumn(bar)] &&
            (sweep.scale != 0 || sweep.from < BarLowest(bar) || sweep.to > BarHighest(bar))) {
            error = "--sweep " + sweep.column + " takes whole positions from " +
                    std::to_string(BarLowest(bar)) + " to " + std::to_string(BarHighest(bar));
            return false;
        }
    }
    if ((sweep.to - sweep.from) / sweep.step >= static_cast<std::int64_t>(MAX_SWEEP_STEPS)) {
        error = "--sweep gives more than " + std::to_string(MAX_SWEEP_STEPS) +
                " values per row; take a larger step";
        return false;
    }
    return true;
}

}  // namespace

bool ParseSweep(std::string_view text, SweepRange& sweep, std::string& error) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        error = FORM;
        return false;
    }
    sweep.column = std::string(text.substr(0, equals));
    if (std::find(SWEEPABLE.begin(), SWEEPABLE.end(), sweep.column) == SWEEPABLE.end()) {
        error = "cannot sweep \"" + sweep.column +
                "\": the column must be asset, strike, maturity, volatility, interest, dividend, "
                "dividend_interest or dividend_time";
        return false;
    }
    return ReadRange(text.substr(equals + 1), sweep, error) && CheckRange(sweep, error);
}

}  // namespace volantra
