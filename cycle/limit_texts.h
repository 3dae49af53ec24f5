#pragma once

#include <string>
#include <string_view>

#include "cycle/number_conventions.h"

// The limits messages name, in canonical text, each written once.
namespace volantra {

/// The largest single, as messages round it.
inline constexpr std::string_view SINGLE_LIMIT = "3.4e+38";
/// The largest double, as messages round it.
inline constexpr std::string_view DOUBLE_LIMIT = "1.7e+308";
/// The largest dividend interest in percent whose fraction a single holds.
inline constexpr std::string_view DIVIDEND_INTEREST_LIMIT = "3.4e+40";
/// The largest dividend time in days whose years a single holds.
inline constexpr std::string_view DIVIDEND_TIME_LIMIT = "1.2e+41";

/// "<name> must lie between -<limit> and <limit>", numbers as `conventions` write them.
inline std::string LimitMessage(const std::string& name, std::string_view limit,
                                const NumberConventions& conventions) {
    const std::string text(limit);
    return name + " must lie between " + Localized(conventions, "-" + text) + " and " +
           Localized(conventions, text);
}

}  // namespace volantra
