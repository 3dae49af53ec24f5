#pragma once

#include <pybind11/pybind11.h>

namespace volantra {

/// Adds price_csv, the batch pricer on a whole CSV file, to the extension module.
void BindPriceCsv(pybind11::module_& module);

}  // namespace volantra
