#pragma once

#include <cstddef>
#include <span>

// Columns of numbers read as a box reads their shortest texts, many at a time with vector
// instructions: the same results as the one-number forms, element by element.
namespace volantra {

/// singles[i] and read[i] as SingleWithoutText(numbers[i], singles[i]) gives them, read[i]
/// kept false where it already is; the spans have one size.
void SinglesWithoutText(std::span<const double> numbers, std::span<float> singles,
                        std::span<bool> read);

/// wholes[i] and read[i] as WholeNumberWithin(numbers[i], lowest, highest, wholes[i])
/// gives them, read[i] kept false where it already is; the spans have one size.
void WholeNumbersWithin(std::span<const double> numbers, int lowest, int highest,
                        std::span<int> wholes, std::span<bool> read);

}  // namespace volantra
