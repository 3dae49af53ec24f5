// The locale number conventions on arbitrary UTF-8, in locales with different symbols,
// grouping and digits: what the screen writes in a locale it reads back to the same
// canonical text, and what it reads from typed text is either refused or a number.
#include <fuzzer/FuzzedDataProvider.h>

#include <QCoreApplication>
#include <QLocale>
#include <array>
#include <cstdint>

#include "engine/number_text.h"
#include "fuzz_checks.h"
#include "screens/locale_numbers.h"

using namespace volantra;

namespace {

const std::array<NumberConventions, 6>& Conventions() {
    static const std::array<NumberConventions, 6> conventions = {
        LocaleConventions(QLocale::c()),
        LocaleConventions(QLocale(QLocale::German, QLocale::Germany)),
        LocaleConventions(QLocale(QLocale::French, QLocale::France)),
        LocaleConventions(QLocale(QLocale::Hindi, QLocale::India)),
        LocaleConventions(QLocale(QLocale::Arabic, QLocale::Egypt)),
        LocaleConventions(QLocale(QLocale::Persian, QLocale::Iran)),
    };
    return conventions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const NumberConventions& conventions =
        Conventions()[input.ConsumeIntegralInRange<std::size_t>(0, Conventions().size() - 1)];

    // A result as the cycle writes it, out and back.
    const double value = input.ConsumeFloatingPoint<double>();
    const int decimals = input.ConsumeIntegralInRange(0, 6);
    const std::string canonical = input.ConsumeBool() ? FormatFixed(value, decimals)
                                                      : FormatGeneral(static_cast<float>(value));
    const std::string shown = conventions.fromCanonical(canonical);
    fuzz::Require(conventions.toCanonical(shown) == canonical,
                  "what the screen writes in a locale, it reads back");

    // Typed text: refused, or a finite number.
    const std::string typed = input.ConsumeRemainingBytesAsString();
    const Checked<double> read = ParseNumber<double>(conventions.toCanonical(typed));
    fuzz::Require(!read.Ok() || std::isfinite(read.value), "typed text reads as a finite number");
    return 0;
}
