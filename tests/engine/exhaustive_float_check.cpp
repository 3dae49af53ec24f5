// Checks the number text of every one of the 2^32 single-precision values against
// a plain text implementation: to_chars, decimal rounding on the digit string,
// from_chars. A separate program (it runs for many minutes), not a unit test.
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

namespace {

using namespace volantra;

// FormatFixed by definition: seven significant digits from to_chars, then the fixed
// layout rounded half away from zero at `decimals`, with no sign on zero.
std::string ReferenceFixed(float value, int decimals) {
    char buffer[40];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6).ptr;
    const std::string text(static_cast<const char*>(buffer), end);
    const bool negative = text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    std::string digits = text.substr(first, 1) + text.substr(first + 2, 6);
    const int exponent = std::stoi(text.substr(text.find('e') + 1));

    std::string whole;
    std::string fraction;
    if (exponent >= 0) {
        digits.append(static_cast<std::size_t>(exponent) + 1, '0');
        whole = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
        fraction = digits.substr(static_cast<std::size_t>(exponent) + 1);
    } else {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    fraction.append(static_cast<std::size_t>(decimals) + 1, '0');
    const bool up = fraction[static_cast<std::size_t>(decimals)] >= '5';
    std::string number = whole + fraction.substr(0, static_cast<std::size_t>(decimals));
    if (up) {
        std::size_t i = number.size();
        while (i > 0 && number[i - 1] == '9') {
            number[--i] = '0';
        }
        if (i == 0) {
            number.insert(number.begin(), '1');
        } else {
            ++number[i - 1];
        }
    }
    const std::size_t split = number.size() - static_cast<std::size_t>(decimals);
    std::string integer = number.substr(0, split);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    std::string result = integer + (decimals > 0 ? "." + number.substr(split) : "");
    const bool zero = number.find_first_not_of('0') == std::string::npos;
    return (negative && !zero ? "-" : "") + result;
}

float ReadFloat(const std::string& text) {
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool Check(float value, std::uint32_t bits) {
    const DecimalDigits fast = ToDecimalDigits(value);
    const DecimalDigits text = ToDecimalDigitsByText(value);
    bool ok = fast.significand == text.significand &&
              (fast.significand == 0 || fast.exponent == text.exponent) &&
              fast.negative == text.negative;
    for (int decimals : {2, 4}) {
        const std::string reference = ReferenceFixed(value, decimals);
        ok = ok && FormatFixed(value, decimals) == reference &&
             std::bit_cast<std::uint32_t>(RoundViaText<float>(value, decimals)) ==
                 std::bit_cast<std::uint32_t>(ReadFloat(reference));
    }
    char general[40];
    const char* end =
        std::to_chars(general, general + sizeof general, value, std::chars_format::general, 7).ptr;
    float generalFloat = 0;
    double generalDouble = 0;
    const auto parsedFloat = std::from_chars(general, end, generalFloat);
    std::from_chars(general, end, generalDouble);
    if (parsedFloat.ec == std::errc::result_out_of_range) {
        generalFloat = std::isinf(value) ? value : std::copysign(INFINITY, value);
    }
    ok = ok &&
         std::bit_cast<std::uint32_t>(GeneralText<float>(value)) ==
             std::bit_cast<std::uint32_t>(generalFloat + 0.0f) &&
         GeneralText<double>(value) == generalDouble;
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
