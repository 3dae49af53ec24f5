#pragma once

#include <functional>
#include <string>
#include <string_view>

// How a screen or a file writes numbers, against the canonical text the engine reads.
namespace volantra {

/// Translates number text between the user's conventions and canonical text; an empty
/// function leaves the text as it is.
struct NumberConventions {
    std::function<std::string(std::string_view)> toCanonical;
    std::function<std::string(std::string_view)> fromCanonical;
};

/// A comma as the decimal symbol and no digit grouping, as spreadsheets write numbers
/// where fields are separated by semicolons: "12,5" in and out; a point is no decimal
/// symbol there, so text holding one is no number.
NumberConventions DecimalCommaConventions();

/// `text` in canonical form.
std::string Canonical(const NumberConventions& conventions, std::string_view text);

/// Canonical text as the user writes it.
std::string Localized(const NumberConventions& conventions, std::string canonical);

}  // namespace volantra
