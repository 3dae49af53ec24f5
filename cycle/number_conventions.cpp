#include "cycle/number_conventions.h"

#include <algorithm>

#include "engine/number_text.h"

namespace volantra {

NumberConventions DecimalCommaConventions() {
    NumberConventions comma;
    comma.toCanonical = [](std::string_view text) {
        if (text.find('.') != std::string_view::npos) {
            return std::string(NOT_A_NUMBER_TEXT);
        }
        std::string canonical(text);
        std::replace(canonical.begin(), canonical.end(), ',', '.');
        return canonical;
    };
    comma.fromCanonical = [](std::string_view text) {
        std::string local(text);
        std::replace(local.begin(), local.end(), '.', ',');
        return local;
    };
    return comma;
}

std::string Canonical(const NumberConventions& conventions, std::string_view text) {
    return conventions.toCanonical ? conventions.toCanonical(text) : std::string(text);
}

std::string Localized(const NumberConventions& conventions, std::string canonical) {
    if (conventions.fromCanonical) {
        return conventions.fromCanonical(canonical);
    }
    return canonical;  // moved, where the conditional operator would copy it
}

}  // namespace volantra
