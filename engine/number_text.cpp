#include "engine/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

namespace volantra {
namespace {

// The standard precision of each width: what its decimal text starts from.
template <typename T>
constexpr int kSignificantDigits = std::is_same_v<T, float> ? 7 : 15;

constexpr int kMaxDecimals = 20;
// A sign, the 309 integer digits of the largest double, a carry digit, a point, the decimals.
constexpr std::size_t kFixedCapacity = 1 + 309 + 1 + 1 + kMaxDecimals;

struct FixedText {
    std::array<char, kFixedCapacity> chars;
    std::size_t size = 0;

    [[nodiscard]] std::string_view view() const { return {chars.data(), size}; }
    void push(char c) { chars[size++] = c; }
};

// A value's digits at its width's standard precision, correctly rounded from the
// binary value, and the power of ten of the first digit.
template <typename T>
struct Decimal {
    bool negative = false;
    std::array<char, kSignificantDigits<T>> digits{};
    int exponent = 0;
};

template <typename T>
Decimal<T> ToDecimal(T value) {
    std::array<char, 40> buffer;
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::scientific, kSignificantDigits<T> - 1);
    // Layout: [-]d[.ddd]e(+|-)xx
    const char* p = buffer.data();
    Decimal<T> decimal;
    decimal.negative = (*p == '-');
    p += decimal.negative ? 1 : 0;
    std::size_t count = 0;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            decimal.digits[count++] = *p;
        }
    }
    ++p;
    std::from_chars(p + (*p == '+' ? 1 : 0), written.ptr, decimal.exponent);
    return decimal;
}

template <typename T>
FixedText WriteFixed(T value, int decimals) {
    constexpr int precision = kSignificantDigits<T>;
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    const Decimal<T> decimal = ToDecimal(value);

    // The value times 10^decimals as a digit string, with slot 0 free for a carry.
    std::array<char, kFixedCapacity> scaled;
    const int keep = decimal.exponent + 1 + decimals;  // leading digits that survive
    int length = 1;
    scaled[0] = '0';
    if (keep < 0) {
        // Below half a unit of the last decimal: zero.
    } else if (keep == 0) {
        scaled[0] = decimal.digits[0] >= '5' ? '1' : '0';
    } else {
        const int copied = std::min(keep, precision);
        std::copy_n(decimal.digits.begin(), copied, scaled.begin() + 1);
        std::fill(scaled.begin() + 1 + copied, scaled.begin() + 1 + keep, '0');
        length = keep + 1;
        // The decimal text is exact here, so a dropped digit of 5 or more is at least
        // one half: round away from zero.
        if (keep < precision && decimal.digits[keep] >= '5') {
            int slot = keep;
            while (scaled[slot] == '9') {
                scaled[slot--] = '0';
            }
            ++scaled[slot];
        }
    }

    int first = 0;
    while (first < length && scaled[first] == '0') {
        ++first;
    }
    const int significant = length - first;

    FixedText text;
    if (significant > 0 && decimal.negative) {
        text.push('-');
    }
    if (significant <= decimals) {
        text.push('0');
    } else {
        for (int i = first; i < length - decimals; ++i) {
            text.push(scaled[i]);
        }
    }
    if (decimals > 0) {
        text.push('.');
        for (int i = significant; i < decimals; ++i) {
            text.push('0');
        }
        for (int i = std::max(first, length - decimals); i < length; ++i) {
            text.push(scaled[i]);
        }
    }
    return text;
}

template <typename T>
std::string NonFiniteText(T value) {
    if (std::isnan(value)) {
        return "nan";
    }
    return value < 0 ? "-inf" : "inf";
}

// Reads canonical text that is known to be well formed; beyond the range gives ±infinity.
template <typename T>
T ReadCanonical(std::string_view text) {
    const Checked<T> parsed = ParseNumber<T>(text);
    if (parsed.ok()) {
        return parsed.value;
    }
    return text.front() == '-' ? -std::numeric_limits<T>::infinity()
                               : std::numeric_limits<T>::infinity();
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
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, kSignificantDigits<T>);
    return std::string(buffer.data(), written.ptr);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string FormatFixed(float value, int decimals) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    return std::string(WriteFixed(value, decimals).view());
}

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    return std::string(WriteFixed(value, decimals).view());
}

std::string FormatGeneral(float value) {
    return WriteGeneral(value);
}
std::string FormatGeneral(double value) {
    return WriteGeneral(value);
}

template <typename T>
Checked<T> ParseNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }

    // Check the grammar first: from_chars would also take "inf", "nan" and a prefix.
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const std::size_t numberStart = negative ? 0 : i;  // from_chars takes '-' but not '+'

    // Power of ten of the first significant digit, to tell underflow from overflow.
    long long leadingPower = 0;
    bool significant = false;
    long long integerDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++integerDigits) {
        if (!significant && text[i] != '0') {
            significant = true;
            leadingPower = -integerDigits;  // completed below once the count is known
        }
    }
    if (significant) {
        leadingPower += integerDigits - 1;
    }
    long long fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            ++fractionDigits;
            if (!significant && text[i] != '0') {
                significant = true;
                leadingPower = -fractionDigits;
            }
        }
    }
    if (integerDigits + fractionDigits == 0) {
        return {T{}, EngineError::NotANumber};
    }
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        const std::size_t exponentStart = i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            exponent = std::min(exponent * 10 + (text[i] - '0'), 1'000'000'000LL);
        }
        if (i == exponentStart) {
            return {T{}, EngineError::NotANumber};
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (i != text.size()) {
        return {T{}, EngineError::NotANumber};
    }

    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] =
        std::from_chars(text.data() + numberStart, end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        if (significant && leadingPower + exponent < 0) {
            return {negative ? -T{0} : T{0}, EngineError::None};  // underflow is silent
        }
        return {T{}, EngineError::OutOfRange};
    }
    if (ec != std::errc{} || ptr != end) {
        return {T{}, EngineError::NotANumber};
    }
    return {value, EngineError::None};
}

template <typename Dest, typename Source>
Dest RoundViaText(Source value, int decimals) {
    if (!std::isfinite(value)) {
        return static_cast<Dest>(value);
    }
    return ReadCanonical<Dest>(WriteFixed(value, decimals).view());
}

template <typename Dest, typename Source>
Dest GeneralText(Source value) {
    if (!std::isfinite(value)) {
        return static_cast<Dest>(value);
    }
    return ReadCanonical<Dest>(WriteGeneral(value));
}

template Checked<float> ParseNumber<float>(std::string_view);
template Checked<double> ParseNumber<double>(std::string_view);
template float RoundViaText<float, float>(float, int);
template float RoundViaText<float, double>(double, int);
template double RoundViaText<double, float>(float, int);
template double RoundViaText<double, double>(double, int);
template float GeneralText<float, float>(float);
template float GeneralText<float, double>(double);
template double GeneralText<double, float>(float);
template double GeneralText<double, double>(double);

}  // namespace volantra
