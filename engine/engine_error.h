#pragma once

#include <cstdint>

namespace volantra {

/// Why a conversion or a valuation produced no value.
enum class EngineError : std::uint8_t {
    None,
    NotANumber,             ///< text is not a plain decimal number
    OutOfRange,             ///< a number or a result beyond the range of its width
    StrikeNotPositive,      ///< strike price of 0 or below
    MaturityNotPositive,    ///< time to maturity of 0 or below
    VolatilityNotPositive,  ///< volatility of 0 or below
    AssetNotPositive,       ///< asset price of 0 or below
    AssetNotAboveDividend,  ///< asset price not above the dividend's present value
};

/// A value together with the error that kept it from being computed.
template <typename T>
struct Checked {
    T value{};
    EngineError error = EngineError::None;

    /// True when `value` holds a result.
    [[nodiscard]] bool Ok() const { return error == EngineError::None; }
};

}  // namespace volantra
