#pragma once

#include <bit>
#include <cstdint>

namespace volantra::testing {

/// The bit pattern of a single, to tell apart values that compare equal (0 and −0).
inline std::uint32_t Bits(float value) {
    return std::bit_cast<std::uint32_t>(value);
}

}  // namespace volantra::testing
