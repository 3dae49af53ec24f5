#pragma once

#include <cstddef>

// The textbook Black-Scholes call with its five Greeks in double precision, a vector of
// rows at a time with the block valuation's vector library: the floor that valuation is
// measured against, with none of the screens' digits.
namespace volantra::bench {

/// Columns of `count` rows in, six result columns out (value, delta, gamma, theta, vega,
/// rho); `count` a multiple of 8.
void TextbookCalls(const double* asset, const double* strike, const double* time,
                   const double* interest, const double* volatility, std::size_t count,
                   double* const* results);

}  // namespace volantra::bench
