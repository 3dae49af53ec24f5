#include "engine/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <type_traits>

#include "engine/decimal_digits.h"
#include "engine/powers_of_ten.h"

namespace volantra {
namespace {

constexpr int MAX_DECIMALS = 20;

// ±units × 10^lastPower: a decimal with its digits as one integer.
struct Decimal {
    bool negative = false;
    std::uint64_t units = 0;
    int lastPower = 0;
};

template <typename T>
Decimal StandardDecimal(T value) {
    const DecimalDigits digits = ToDecimalDigits(value);
    return {digits.negative, digits.significand, digits.exponent - STANDARD_DIGITS<T> + 1};
}

// The standard-precision decimal of `value` rounded half away from zero to `decimals`
// places. That decimal is exact, so a dropped part of one half or more rounds up.
template <typename T>
Decimal RoundDecimal(T value, int decimals) {
    if (double units = 0; number_text_detail::RoundQuickly(value, decimals, units)) {
        return {std::signbit(value), static_cast<std::uint64_t>(units), -decimals};
    }
    // Far below half a unit of the last place: the standard-precision decimal, within a
    // millionth of the value, is too, so it rounds to zero without being written.
    if (std::fabs(static_cast<double>(value)) < 0.4 / EXACT_POWERS_OF_TEN[decimals]) {
        return {std::signbit(value), 0, -decimals};
    }
    Decimal decimal = StandardDecimal(value);
    const int dropped = -decimals - decimal.lastPower;
    if (decimal.units == 0) {
        return {decimal.negative, 0, -decimals};
    }
    if (dropped <= 0) {
        return decimal;
    }
    if (dropped > STANDARD_DIGITS<T>) {
        return {decimal.negative, 0, -decimals};  // below half a unit of the last place
    }
    const std::uint64_t unit = WHOLE_POWERS_OF_TEN[dropped];
    const std::uint64_t kept = decimal.units / unit;
    const std::uint64_t remainder = decimal.units - kept * unit;
    decimal.units = kept + (remainder >= unit / 2 ? 1 : 0);
    decimal.lastPower = -decimals;
    return decimal;
}

// Units and power of ten both exact in Dest: one correctly rounded division or product
// gives the Dest nearest the decimal. False where that does not hold.
template <typename Dest>
bool ReadExactly(Decimal decimal, Dest& value) {
    constexpr int exactPowers = std::numeric_limits<Dest>::digits == 24 ? 10 : 22;
    constexpr auto exactUnits = std::uint64_t{1} << std::numeric_limits<Dest>::digits;
    // Dropping trailing zeros keeps the number and may bring both within reach.
    while ((decimal.units > exactUnits || decimal.lastPower < -exactPowers) && decimal.units != 0 &&
           decimal.units % 10 == 0) {
        decimal.units /= 10;
        ++decimal.lastPower;
    }
    if (decimal.units > exactUnits || std::abs(decimal.lastPower) > exactPowers) {
        return false;
    }
    const auto units = static_cast<Dest>(decimal.units);
    const auto power = static_cast<Dest>(EXACT_POWERS_OF_TEN[std::abs(decimal.lastPower)]);
    value = decimal.lastPower < 0 ? units / power : units * power;
    value = decimal.negative ? -value : value;
    return true;
}

// The largest value's own standard text may lie above it, as "1.79769313486232e+308"
// does: text up to that magnitude stands for the largest value, so that every value
// written reads back. `number` is a plain decimal beyond the range of T.
template <typename T>
bool WithinLargestText(std::string_view number) {
    static const long double largestText = [] {
        const std::string text = FormatGeneral(std::numeric_limits<T>::max());
        long double magnitude = 0;
        std::from_chars(text.data(), text.data() + text.size(), magnitude);
        return magnitude;
    }();
    long double magnitude = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    return ec == std::errc{} && std::fabs(magnitude) <= largestText;
}

template <typename T>
T Largest(bool negative) {
    return negative ? -std::numeric_limits<T>::max() : std::numeric_limits<T>::max();
}

// The Dest nearest the decimal; beyond Dest's range gives ±infinity, but for the
// largest value's own text.
template <typename Dest>
Dest ReadDecimal(const Decimal& decimal) {
    if (decimal.units == 0) {
        return Dest{0};  // positive, as the text "0.00" reads
    }
    Dest value{};
    if (ReadExactly(decimal, value)) {
        return value;
    }
    std::array<char, 48> text;
    char* p = text.data();
    if (decimal.negative) {
        *p++ = '-';
    }
    p = std::to_chars(p, text.data() + 32, decimal.units).ptr;  // at most 20 digits
    *p++ = 'e';
    p = std::to_chars(p, text.data() + text.size(), decimal.lastPower).ptr;
    if (std::from_chars(text.data(), p, value).ec == std::errc{}) {
        return value;
    }
    // Units of a standard-precision decimal are never tiny: out of range is overflow,
    // unless a general text underflows, which is silent.
    if (decimal.lastPower < 0) {
        return decimal.negative ? -Dest{0} : Dest{0};
    }
    if (WithinLargestText<Dest>(
            std::string_view(text.data(), static_cast<std::size_t>(p - text.data())))) {
        return Largest<Dest>(decimal.negative);
    }
    return decimal.negative ? -std::numeric_limits<Dest>::infinity()
                            : std::numeric_limits<Dest>::infinity();
}

// The single nearest a double's 15-digit decimal, where it is the single nearest the
// double itself: that decimal lies within 5e-15 of the double, relative, so unless a
// midpoint between two singles is that close (twice that is tested), both fall between
// the same two midpoints. False near a midpoint and outside the normal singles.
bool NearestSingleOfDecimal(double value, float& nearest) {
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 0x1p-125 && magnitude <= 0x1p127)) {
        return false;
    }
    const auto single = static_cast<float>(magnitude);
    const auto bits = std::bit_cast<std::uint32_t>(single);
    // Neighbours by their encodings; the midpoints are exact in double.
    const double below = (static_cast<double>(single) + std::bit_cast<float>(bits - 1)) / 2;
    const double above = (static_cast<double>(single) + std::bit_cast<float>(bits + 1)) / 2;
    const double band = magnitude * 1e-14;
    if (!(magnitude - below > band && above - magnitude > band)) {
        return false;
    }
    nearest = std::signbit(value) ? -single : single;
    return true;
}

template <typename T>
std::string NonFiniteText(T value) {
    if (std::isnan(value)) {
        return "nan";
    }
    return value < 0 ? "-inf" : "inf";
}

template <typename T>
std::string WriteFixed(T value, int decimals) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    decimals = std::clamp(decimals, 0, MAX_DECIMALS);
    if (double units = 0; number_text_detail::RoundQuickly(value, decimals, units)) {
        // Below 2^23 units and at most 4 decimals: written right to left, in place.
        std::array<char, 16> text;
        char* const end = text.data() + text.size();
        char* p = end;
        const bool sign = units != 0 && std::signbit(value);  // a zero result has no sign
        auto digits = static_cast<std::uint32_t>(units);      // below 2^24
        for (int i = 0; i < decimals; ++i, digits /= 10) {
            *--p = static_cast<char>('0' + digits % 10);
        }
        if (decimals > 0) {
            *--p = '.';
        }
        do {
            *--p = static_cast<char>('0' + digits % 10);
            digits /= 10;
        } while (digits != 0);
        if (sign) {
            *--p = '-';
        }
        return std::string(p, end);
    }
    const Decimal rounded = RoundDecimal(value, decimals);
    std::array<char, 24> unitText;
    const char* end =
        std::to_chars(unitText.data(), unitText.data() + unitText.size(), rounded.units).ptr;
    const std::string_view units(unitText.data(), static_cast<std::size_t>(end - unitText.data()));

    // Room for a sign, 39 integer digits (the largest single) or 309 (the largest double),
    // the point and the decimals.
    std::array<char, 2 + std::numeric_limits<T>::max_exponent10 + 2 + MAX_DECIMALS> text;
    char* p = text.data();
    if (rounded.units != 0 && rounded.negative) {
        *p++ = '-';  // a zero result has no sign
    }
    const auto fractionDigits = static_cast<std::size_t>(std::max(-rounded.lastPower, 0));
    if (units.size() > fractionDigits) {
        p = std::copy_n(units.begin(), units.size() - fractionDigits, p);
        p = std::fill_n(p, std::max(rounded.lastPower, 0), '0');
    } else {
        *p++ = '0';
    }
    if (decimals > 0) {
        *p++ = '.';
        if (units.size() < fractionDigits) {
            p = std::fill_n(p, fractionDigits - units.size(), '0');
        }
        const std::size_t shown = std::min(units.size(), fractionDigits);
        p = std::copy_n(units.end() - static_cast<std::ptrdiff_t>(shown), shown, p);
        p = std::fill_n(p, static_cast<std::size_t>(decimals) - fractionDigits, '0');
    }
    return std::string(text.data(), p);
}

template <typename T>
std::string WriteGeneral(T value) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    if (value == 0) {
        return "0";  // also for -0
    }
    std::array<char, 40> buffer;
    // A whole number of at most the standard digits is written as such: scroll-bar values.
    if (std::fabs(value) < static_cast<T>(EXACT_POWERS_OF_TEN[STANDARD_DIGITS<T>]) &&
        std::trunc(value) == value) {
        const auto whole = static_cast<long long>(value);
        return std::string(buffer.data(),
                           std::to_chars(buffer.data(), buffer.data() + buffer.size(), whole).ptr);
    }
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, STANDARD_DIGITS<T>);
    return std::string(buffer.data(), written.ptr);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string FormatFixed(float value, int decimals) {
    return WriteFixed(value, decimals);
}
std::string FormatFixed(double value, int decimals) {
    return WriteFixed(value, decimals);
}
std::string FormatGeneral(float value) {
    return WriteGeneral(value);
}
std::string FormatGeneral(double value) {
    return WriteGeneral(value);
}

// The usual text, [-]digits[.digits] within ReadExactly's exact range, read as
// ReadExactly reads it: the same units divided by the same power of ten.
template <typename T>
bool ParsePlainDecimal(std::string_view text, T& value) {
    constexpr auto exactUnits = std::uint64_t{1} << std::numeric_limits<T>::digits;
    constexpr int exactPowers = std::numeric_limits<T>::digits == 24 ? 10 : 22;
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p != end && *p == '-';
    p += negative ? 1 : 0;
    // Unsigned arithmetic: more than 15 digits may wrap, and are turned away below.
    std::uint64_t units = 0;
    const char* const integerStart = p;
    for (unsigned digit; p != end && (digit = static_cast<unsigned>(*p - '0')) < 10; ++p) {
        units = units * 10 + digit;
    }
    auto digits = static_cast<std::size_t>(p - integerStart);
    std::size_t fractionDigits = 0;
    if (p != end && *p == '.') {
        const char* const fractionStart = ++p;
        for (unsigned digit; p != end && (digit = static_cast<unsigned>(*p - '0')) < 10; ++p) {
            units = units * 10 + digit;
        }
        fractionDigits = static_cast<std::size_t>(p - fractionStart);
        digits += fractionDigits;
    }
    if (p != end || digits == 0 || digits > 15 || units > exactUnits ||
        fractionDigits > static_cast<std::size_t>(exactPowers)) {
        return false;
    }
    if (units == 0) {
        value = negative ? -T{0} : T{0};
        return true;
    }
    const T magnitude = static_cast<T>(units) / static_cast<T>(EXACT_POWERS_OF_TEN[fractionDigits]);
    value = negative ? -magnitude : magnitude;
    return true;
}

namespace {

// What the grammar scan of a number text found: [+-]digits[.digits][(e|E)[+-]digits].
struct ScannedNumber {
    bool negative = false;
    std::size_t numberStart = 0;  // from_chars takes '-' but not '+'
    bool significant = false;     // a digit other than 0 was seen
    long long leadingPower = 0;   // power of ten of the first significant digit
    std::uint64_t units = 0;      // the significant digits as one integer, while they fit
    int unitDigits = 0;
    long long fractionDigits = 0;
    long long exponent = 0;
};

// Reads the digits of the mantissa into `number`; false when there is none.
bool ScanMantissa(std::string_view text, std::size_t& i, ScannedNumber& number) {
    auto takeDigit = [&number](char c) {
        number.significant = number.significant || c != '0';
        if (number.significant && ++number.unitDigits <= 19) {
            number.units = number.units * 10 + static_cast<std::uint64_t>(c - '0');
        }
    };
    long long integerDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++integerDigits) {
        if (!number.significant && text[i] != '0') {
            number.leadingPower = -integerDigits;  // completed below once the count is known
        }
        takeDigit(text[i]);
    }
    if (number.significant) {
        number.leadingPower += integerDigits - 1;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            ++number.fractionDigits;
            if (!number.significant && text[i] != '0') {
                number.leadingPower = -number.fractionDigits;
            }
            takeDigit(text[i]);
        }
    }
    return integerDigits + number.fractionDigits > 0;
}

// Reads an exponent, if any; false when its letter has no digits after it.
bool ScanExponent(std::string_view text, std::size_t& i, long long& exponent) {
    if (i >= text.size() || (text[i] != 'e' && text[i] != 'E')) {
        return true;
    }
    ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::size_t digitsStart = i;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000'000LL);
    }
    exponent = negative ? -exponent : exponent;
    return i != digitsStart;
}

// The grammar scan, done before any reading: from_chars would also take "inf", "nan"
// and a prefix of the text.
std::optional<ScannedNumber> ScanNumber(std::string_view text) {
    ScannedNumber number;
    std::size_t i = 0;
    number.negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    number.numberStart = number.negative ? 0 : i;
    if (!ScanMantissa(text, i, number) || !ScanExponent(text, i, number.exponent) ||
        i != text.size()) {
        return std::nullopt;
    }
    return number;
}

// Reads a text that passed the scan: exactly from its digits where they fit, else with
// from_chars, telling underflow (silent) from overflow.
template <typename T>
Checked<T> ReadScanned(std::string_view text, const ScannedNumber& number) {
    const bool negative = number.negative;
    if (!number.significant) {
        return {negative ? -T{0} : T{0}, EngineError::None};
    }
    T value{};
    const auto power =
        static_cast<int>(std::clamp(number.exponent - number.fractionDigits, -1000LL, 1000LL));
    if (number.unitDigits <= 19 && ReadExactly(Decimal{negative, number.units, power}, value)) {
        return {value, EngineError::None};
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] =
        std::from_chars(text.data() + number.numberStart, end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (number.leadingPower + number.exponent < 0) {
            return {negative ? -T{0} : T{0}, EngineError::None};  // underflow is silent
        }
        if (WithinLargestText<T>(text.substr(number.numberStart))) {
            return {Largest<T>(negative), EngineError::None};
        }
        return {T{}, EngineError::OutOfRange};
    }
    if (ec != std::errc{} || ptr != end) {
        return {T{}, EngineError::NotANumber};
    }
    return {value, EngineError::None};
}

}  // namespace

template <typename T>
Checked<T> ParseNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (T plain{}; ParsePlainDecimal(text, plain)) {
        return {plain, EngineError::None};
    }
    const std::optional<ScannedNumber> scanned = ScanNumber(text);
    if (!scanned) {
        return {T{}, EngineError::NotANumber};
    }
    return ReadScanned<T>(text, *scanned);
}

template <typename Dest, typename Source>
Dest number_text_detail::RoundViaTextByDigits(Source value, int decimals) {
    if (!std::isfinite(value)) {
        return static_cast<Dest>(value);
    }
    return ReadDecimal<Dest>(RoundDecimal(value, std::clamp(decimals, 0, MAX_DECIMALS)));
}

// The general text holds exactly the standard-precision digits, so reading it back
// is reading those digits.
template <typename Dest, typename Source>
Dest GeneralText(Source value) {
    if (!std::isfinite(value)) {
        return static_cast<Dest>(value);
    }
    if constexpr (std::is_same_v<Dest, float> && std::is_same_v<Source, double>) {
        if (float nearest = 0; NearestSingleOfDecimal(value, nearest)) {
            return nearest;
        }
    }
    const Decimal decimal = StandardDecimal(value);
    return decimal.units == 0 ? Dest{0} : ReadDecimal<Dest>(decimal);
}

template Checked<float> ParseNumber<float>(std::string_view);
template Checked<double> ParseNumber<double>(std::string_view);
template float number_text_detail::RoundViaTextByDigits<float, float>(float, int);
template float number_text_detail::RoundViaTextByDigits<float, double>(double, int);
template double number_text_detail::RoundViaTextByDigits<double, float>(float, int);
template double number_text_detail::RoundViaTextByDigits<double, double>(double, int);
template float GeneralText<float, float>(float);
template float GeneralText<float, double>(double);
template double GeneralText<double, float>(float);
template double GeneralText<double, double>(double);

}  // namespace volantra
