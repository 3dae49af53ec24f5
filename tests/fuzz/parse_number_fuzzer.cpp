// ParseNumber on arbitrary text, in both widths: what it accepts is finite and is what
// from_chars reads from the same plain decimal.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "engine/number_text.h"
#include "fuzz_checks.h"
#include "reference_number_text.h"

namespace {

using namespace volantra;

template <typename T>
void Check(std::string_view text) {
    const Checked<T> parsed = ParseNumber<T>(text);
    if (!parsed.Ok()) {
        return;
    }
    fuzz::Require(std::isfinite(parsed.value), "an accepted number is finite");
    std::string_view plain = TrimBlanks(text);
    if (!plain.empty() && plain.front() == '+') {
        plain.remove_prefix(1);  // from_chars takes no plus sign
    }
    const T expected = reference::Read<T>(std::string(plain));
    fuzz::Require(parsed.value == expected && std::signbit(parsed.value) == std::signbit(expected),
                  "an accepted number is the nearest value of its text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Check<float>(text);
    Check<double>(text);
    return 0;
}
