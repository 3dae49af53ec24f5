#pragma once

#include <array>
#include <cstddef>

namespace volantra {

/// Number of enumerators of an enum whose last enumerator is `Count`.
template <typename Enum>
inline constexpr std::size_t ENUM_COUNT = static_cast<std::size_t>(Enum::Count);

/// One element per enumerator of `Enum`, read and written by the enumerator's name.
template <typename Enum, typename T>
struct EnumArray {
    std::array<T, ENUM_COUNT<Enum>> items{};

    /// The element of `key`.
    constexpr T& operator[](Enum key) { return items[static_cast<std::size_t>(key)]; }
    /// The element of `key`.
    constexpr const T& operator[](Enum key) const { return items[static_cast<std::size_t>(key)]; }

    /// The elements in the order of the enumerators.
    constexpr auto begin() const { return items.begin(); }
    constexpr auto end() const { return items.end(); }
};

}  // namespace volantra
