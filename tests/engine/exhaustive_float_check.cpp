// Checks the number text of every one of the 2^32 single-precision values against
// its plain definition (reference_number_text.h). A separate program (it runs for many
// minutes), not a unit test.
//   exhaustive_float_check [threads] [stride]   (a stride above 1 samples, for a quick look)
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/decimal_digits.h"
#include "engine/number_text.h"
#include "exhaustive_threads.h"
#include "reference_number_text.h"

namespace {

using namespace volantra;

bool Check(float value, std::uint32_t bits) {
    const DecimalDigits fast = ToDecimalDigits(value);
    const DecimalDigits text = ToDecimalDigitsByText(value);
    bool ok = fast.significand == text.significand &&
              (fast.significand == 0 || fast.exponent == text.exponent) &&
              fast.negative == text.negative;
    for (int decimals : {2, 4}) {
        const std::string expected = reference::Fixed(value, decimals);
        ok = ok && FormatFixed(value, decimals) == expected &&
             std::bit_cast<std::uint32_t>(RoundViaText<float>(value, decimals)) ==
                 std::bit_cast<std::uint32_t>(reference::RoundedViaText<float>(value, decimals)) &&
             std::bit_cast<std::uint64_t>(RoundViaText<double>(value, decimals)) ==
                 std::bit_cast<std::uint64_t>(reference::RoundedViaText<double>(value, decimals));
    }
    ok = ok &&
         std::bit_cast<std::uint32_t>(GeneralText<float>(value)) ==
             std::bit_cast<std::uint32_t>(reference::General<float>(value)) &&
         GeneralText<double>(value) == reference::General<double>(value);
    if (!ok) {
        std::printf("MISMATCH bits %08X value %.9g\n", bits, static_cast<double>(value));
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    return volantra::testing::CheckEveryKey(argc, argv, 0, 0xFFFFFFFFU, "finite singles",
                                            [](std::uint64_t key, volantra::testing::Tally& tally) {
                                                const auto bits = static_cast<std::uint32_t>(key);
                                                const float value = std::bit_cast<float>(bits);
                                                if (!std::isfinite(value)) {
                                                    return;
                                                }
                                                ++tally.checked;
                                                tally.mismatches += Check(value, bits) ? 0 : 1;
                                            });
}
