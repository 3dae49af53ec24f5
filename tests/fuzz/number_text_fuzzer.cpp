// FormatFixed, FormatGeneral, RoundViaText and GeneralText on arbitrary bit patterns of
// both widths, against their plain definition through to_chars and from_chars.
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "engine/number_text.h"
#include "fuzz_checks.h"
#include "reference_number_text.h"

namespace {

using namespace volantra;

template <typename Dest>
bool SameValue(Dest a, Dest b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

template <typename T>
void Check(T value, int decimals) {
    if (!std::isfinite(value)) {
        fuzz::Require(std::isnan(RoundViaText<T>(value, decimals)) == std::isnan(value),
                      "a value beyond the numbers passes through unchanged");
        return;
    }
    const std::string fixed = FormatFixed(value, decimals);
    fuzz::Require(fixed == reference::Fixed(value, decimals), "FormatFixed writes its definition");
    fuzz::Require(fuzz::IsPlainDecimal(fixed), "FormatFixed writes a plain decimal");
    fuzz::Require(SameValue(RoundViaText<float>(value, decimals),
                            reference::RoundedViaText<float>(value, decimals)),
                  "RoundViaText into a single reads its text");
    fuzz::Require(SameValue(RoundViaText<double>(value, decimals),
                            reference::RoundedViaText<double>(value, decimals)),
                  "RoundViaText into a double reads its text");
    fuzz::Require(SameValue(GeneralText<float>(value), reference::General<float>(value)),
                  "GeneralText into a single reads its text");
    fuzz::Require(SameValue(GeneralText<double>(value), reference::General<double>(value)),
                  "GeneralText into a double reads its text");
    const Checked<T> general = ParseNumber<T>(FormatGeneral(value));
    fuzz::Require(general.Ok() && SameValue(general.value, GeneralText<T>(value)),
                  "what FormatGeneral writes, ParseNumber reads back as GeneralText");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int decimals = input.ConsumeIntegralInRange(0, 20);
    if (input.ConsumeBool()) {
        Check(std::bit_cast<double>(input.ConsumeIntegral<std::uint64_t>()), decimals);
    } else {
        Check(std::bit_cast<float>(input.ConsumeIntegral<std::uint32_t>()), decimals);
    }
    return 0;
}
