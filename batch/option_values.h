#pragma once

#include <string>
#include <string_view>

#include "batch/batch_options.h"

namespace volantra {

/// True when `name` is an option with a value that ReadOptionValue reads: "solve",
/// "sweep", "units", "jobs" or "delimiter", as the command line names them without dashes.
bool IsValueOption(std::string_view name);

/// Reads the value of option `name` into `options` (each "sweep" adds one); false, with
/// `problem` set in the pricer's words, when the value cannot be used.
bool ReadOptionValue(std::string_view name, std::string_view value, BatchOptions& options,
                     std::string& problem);

/// Checks the options together once all are read; false, with `problem` set, when they
/// cannot be used together.
bool CheckOptions(const BatchOptions& options, std::string& problem);

}  // namespace volantra
