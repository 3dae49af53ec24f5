// Checks the shortcut's reading of a double as a box reads its text, at every
// place where the two could part: each positive normal single, the midpoint between it
// and the next, and the doubles on either side of that midpoint. Away from a midpoint
// the cast and the text fall between the same two midpoints (shortest_text.h), and a
// negative number reads as its magnitude with the sign. A separate program (it runs for
// many minutes), not a unit test.
//   exhaustive_single_reading_check [threads] [stride]   (a stride above 1 samples)
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "engine/number_text.h"
#include "engine/shortest_text.h"
#include "exhaustive_threads.h"

namespace {

using namespace volantra;

// True when the shortcut declines or gives what the text gives.
bool ReadsAsText(double x) {
    const std::optional<float> quick = SingleWithoutText(x);
    if (!quick) {
        return true;
    }
    std::array<char, 32> buffer{};
    const Checked<float> text = ParseNumber<float>(ShortestText(x, buffer));
    if (text.Ok() &&
        std::bit_cast<std::uint32_t>(*quick) == std::bit_cast<std::uint32_t>(text.value)) {
        return true;
    }
    std::printf("MISMATCH %.17g\n", x);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr std::uint32_t FIRST = 0x00800000U;  // the least normal single
    constexpr std::uint32_t LAST = 0x7f7fffffU;   // the largest
    return volantra::testing::CheckEveryKey(
        argc, argv, FIRST, LAST, "doubles", [](std::uint64_t b, volantra::testing::Tally& tally) {
            const double low = std::bit_cast<float>(static_cast<std::uint32_t>(b));
            // Beyond the largest single, its midpoint with infinity.
            const double high = b < LAST ? std::bit_cast<float>(static_cast<std::uint32_t>(b + 1))
                                         : std::ldexp(1.0, 128);
            const double midpoint = (low + high) / 2;  // exact: 25 bits
            for (double x :
                 {low, std::nextafter(midpoint, 0.0), midpoint, std::nextafter(midpoint, 1e300)}) {
                ++tally.checked;
                tally.mismatches += ReadsAsText(x) ? 0 : 1;
            }
        });
}
