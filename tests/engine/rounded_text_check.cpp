// Checks WriteRoundedFixed on every number a rounding through text can give below its
// limit: for every count of units below 2^32 − 1 and 0 to 4 decimals, the double nearest
// units / 10^decimals, either sign, against the text written from the units directly.
// Run by hand:   rounded_text_check [threads] [stride]
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/number_text.h"
#include "engine/rounded_text.h"
#include "exhaustive_threads.h"

namespace {

using namespace volantra;

constexpr std::uint64_t CHUNK = 1 << 16;
constexpr std::uint64_t LIMIT = (std::uint64_t{1} << 32) - 1;

// The fixed text of ±units / 10^decimals with `point`, built from the digits of units.
std::string Expected(std::uint64_t units, int decimals, bool negative, char point) {
    std::string digits = std::to_string(units);
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    if (decimals > 0) {
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, point);
    }
    return (negative && units != 0 ? "-" : "") + digits;
}

void CheckUnits(std::uint64_t key, testing::Tally& tally) {
    std::array<char, 32> text{};
    for (std::uint64_t units = key * CHUNK; units < (key + 1) * CHUNK && units < LIMIT; ++units) {
        for (int decimals = 0; decimals <= 4; ++decimals) {
            const double magnitude = static_cast<double>(units) /
                                     EXACT_POWERS_OF_TEN[static_cast<std::size_t>(decimals)];
            for (const bool negative : {false, true}) {
                const char point = negative ? ',' : '.';
                const char* end = WriteRoundedFixed(negative ? -magnitude : magnitude, decimals,
                                                    point, text.data());
                const std::string expected = Expected(units, decimals, negative, point);
                ++tally.checked;
                if (end == nullptr || std::string_view(text.data(), end) != expected) {
                    ++tally.mismatches;
                    std::printf("MISMATCH %s\n", expected.c_str());
                }
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    return testing::CheckEveryKey(argc, argv, 0, LIMIT / CHUNK,
                                  "rounded numbers (units, decimals and sign)", CheckUnits);
}
