#pragma once

#include <array>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

inline constexpr std::size_t BATCH_INPUT_COLUMNS = 9;

/// Exit status of a batch run.
enum class BatchStatus { AllValued = 0, SomeNotValued = 1, UnusableInput = 2 };

/// Prices CSV rows with the digits of the pricing screens.
class BatchPricer {
public:
    /// `full` adds every valuation field in round-trip precision.
    explicit BatchPricer(bool full) : full_(full) {}

    /// Learns the column order from the header; false, with `error` set, when unusable.
    bool ReadHeader(const std::vector<std::string_view>& header, std::string& error);

    /// Appends the output header line.
    void AppendHeader(std::string& out) const;

    /// Appends the output line of one input row; false when the row could not be valued.
    bool PriceRow(const std::vector<std::string_view>& fields, std::string& out) const;

private:
    bool full_;
    std::array<std::size_t, BATCH_INPUT_COLUMNS> columnOf_{};  // input column of each name
};

/// Reads CSV from `in`, writes priced CSV to `out` and problems to `err`, streaming.
BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err, bool full);

}  // namespace volantra
