#pragma once

// Properties shared by the harnesses. A broken property aborts, so libFuzzer keeps the
// input that broke it.
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace volantra::fuzz {

/// Aborts with `property` named when it does not hold.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

/// True for a plain finite decimal in canonical text: optional '-', digits, optionally a
/// point and digits; never "nan", "inf" or an exponent.
inline bool IsPlainDecimal(std::string_view text) {
    std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
    const std::size_t integerStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    if (i == integerStart) {
        return false;
    }
    if (i == text.size()) {
        return true;
    }
    if (text[i] != '.' || ++i == text.size()) {
        return false;
    }
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        ++i;
    }
    return i == text.size();
}

}  // namespace volantra::fuzz
