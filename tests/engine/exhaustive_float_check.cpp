// Checks the number text of every one of the 2^32 single-precision values against
// its plain definition (reference_number_text.h). A separate program (it runs for many
// minutes), not a unit test.
//   exhaustive_float_check [threads] [stride]   (a stride above 1 samples, for a quick look)
#include <atomic>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/decimal_digits.h"
#include "engine/number_text.h"
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
    const unsigned threads = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 2;
    const std::uint64_t stride = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    std::atomic<std::uint64_t> mismatches{0};
    std::atomic<std::uint64_t> checked{0};
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            for (std::uint64_t b = t * stride; b <= 0xFFFFFFFFu; b += threads * stride) {
                const auto bits = static_cast<std::uint32_t>(b);
                const float value = std::bit_cast<float>(bits);
                if (!std::isfinite(value)) {
                    continue;
                }
                checked.fetch_add(1, std::memory_order_relaxed);
                if (!Check(value, bits)) {
                    mismatches.fetch_add(1);
                }
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    std::printf("%llu finite singles checked, %llu mismatches\n",
                static_cast<unsigned long long>(checked.load()),
                static_cast<unsigned long long>(mismatches.load()));
    return mismatches == 0 ? 0 : 1;
}
