#pragma once

#include <iosfwd>

#include "tools/batch_pricer.h"
#include "tools/csv.h"

namespace volantra {

/// Prices the rows left in `reader` on `options.jobs` threads, in batches, and writes them
/// to `out` in the input's order; false when a row could not be valued.
bool PriceInParallel(CsvReader& reader, const BatchPricer& pricer, const BatchOptions& options,
                     std::ostream& out);

}  // namespace volantra
