// The values of the pricer's options, read once for every front end that takes them.
#include "batch/option_values.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <thread>

#include "rows/schema.h"
#include "rows/sweep_grid.h"

namespace volantra {
namespace {

bool ReadSolve(std::string_view value, BatchOptions& options, std::string& problem) {
    options.solve = BarNamed(value);
    problem = "--solve takes volatility or interest";
    return options.solve.has_value();
}

bool ReadSweep(std::string_view value, BatchOptions& options, std::string& problem) {
    SweepRange sweep;
    if (!ParseSweep(value, sweep, problem)) {
        return false;
    }
    options.sweeps.push_back(sweep);
    return true;
}

bool ReadUnits(std::string_view value, BatchOptions& options, std::string& problem) {
    const std::optional<GreekUnits> units = UnitsNamed(value);
    options.units = units.value_or(GreekUnits::Screen);
    problem = "--units takes screen or trader";
    return units.has_value();
}

// A count of threads; 0 stands for one per core.
bool ReadJobs(std::string_view value, BatchOptions& options, std::string& problem) {
    problem = "--jobs takes a number of threads, 0 for one per core";
    unsigned count = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), count);
    if (ec != std::errc{} || end != value.data() + value.size() || count > 1024) {
        return false;
    }
    options.jobs = count != 0 ? count : std::max(1U, std::thread::hardware_concurrency());
    return true;
}

bool ReadDelimiter(std::string_view value, BatchOptions& options, std::string& problem) {
    problem = "--delimiter takes , or ; or tab";
    if (value == "tab" || value == "\t") {
        options.delimiter = '\t';
        return true;
    }
    options.delimiter = value.size() == 1 ? value[0] : '\0';
    return value == "," || value == ";";
}

struct OptionReader {
    std::string_view name;
    bool (*read)(std::string_view value, BatchOptions& options, std::string& problem);
};

constexpr std::array<OptionReader, 5> OPTION_READERS = {{{"solve", ReadSolve},
                                                         {"sweep", ReadSweep},
                                                         {"units", ReadUnits},
                                                         {"jobs", ReadJobs},
                                                         {"delimiter", ReadDelimiter}}};

const OptionReader* Named(std::string_view name) {
    const auto* found =
        std::find_if(OPTION_READERS.begin(), OPTION_READERS.end(),
                     [name](const OptionReader& option) { return option.name == name; });
    return found == OPTION_READERS.end() ? nullptr : found;
}

}  // namespace

bool IsValueOption(std::string_view name) {
    return Named(name) != nullptr;
}

bool ReadOptionValue(std::string_view name, std::string_view value, BatchOptions& options,
                     std::string& problem) {
    const OptionReader* option = Named(name);
    if (option == nullptr) {
        problem = "there is no option \"" + std::string(name) + "\"";
        return false;
    }
    std::string said;
    if (!option->read(value, options, said)) {
        problem = said;
        return false;
    }
    return true;
}

bool CheckOptions(const BatchOptions& options, std::string& problem) {
    if (options.solve && !options.sweeps.empty()) {
        problem = "--solve and --sweep cannot be used together";
        return false;
    }
    return CheckSweeps(options.sweeps, problem);
}

}  // namespace volantra
