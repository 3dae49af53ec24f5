#pragma once

#include <iosfwd>
#include <string>

#include "batch/batch_options.h"
#include "batch/batch_pricer.h"

namespace volantra {

/// Why a run stopped early.
enum class BatchFailure {
    None,     ///< it did not
    Refused,  ///< the input cannot be used: no usable header, a quote never closed
    Read,     ///< reading the input failed
    Write,    ///< writing the output failed
};

/// How a run ended.
struct BatchResult {
    BatchStatus status = BatchStatus::AllValued;
    BatchFailure failure = BatchFailure::None;
    std::string problem;  ///< why it stopped, as the pricer says it after "volantra-price: "
    int error = 0;        ///< the system's error number of a failed read or write; 0 if none
    BatchCounts counts;
};

/// Reads CSV from `in` and writes priced CSV to `out`, streaming in constant memory;
/// the rows before a failure are written.
BatchResult RunBatch(std::istream& in, std::ostream& out, const BatchOptions& options);

/// RunBatch with its problem, if any, as a line on `err`.
BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err,
                       const BatchOptions& options);

/// PriceBatch with the delimiter guessed and no solve or sweep.
inline BatchStatus PriceBatch(std::istream& in, std::ostream& out, std::ostream& err, bool full) {
    return PriceBatch(in, out, err, PlainBatchOptions(full));
}

}  // namespace volantra
