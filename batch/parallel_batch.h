#pragma once

#include "batch/batch_pricer.h"
#include "batch/csv.h"
#include "batch/output_file.h"

namespace volantra {

/// Prices the rows left in `reader` on `jobs` threads, in batches, and writes them to
/// `out` in the input's order, until a write fails; adds what they count to `counts`.
void PriceInParallel(CsvReader& reader, const BatchPricer& pricer, unsigned jobs, OutputSink& out,
                     BatchCounts& counts);

}  // namespace volantra
