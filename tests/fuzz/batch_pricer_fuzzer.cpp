// The batch pricer on arbitrary bytes, mostly after a valid header: it writes one row per
// record it read, echoes every field as it was read, each result is empty or a plain
// finite decimal, and the exit status is 1 exactly when some row has a message.
#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "batch/csv.h"
#include "fuzz_checks.h"

using namespace volantra;

namespace {

constexpr std::string_view kHeader =
    "screen,asset,strike,maturity,volatility,interest,dividend,dividend_interest,"
    "dividend_time\n";
constexpr std::size_t kInputFields = 9;
constexpr std::size_t kResultFields = 6;

std::size_t CountRecords(const std::string& csv, std::vector<std::vector<std::string>>* kept) {
    std::istringstream in(csv);
    CsvReader reader(in);
    std::vector<std::string_view> fields;
    std::size_t records = 0;
    while (reader.Next(fields)) {
        ++records;
        if (kept != nullptr) {
            kept->emplace_back(fields.begin(), fields.end());
        }
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool withHeader = (data[0] & 1) == 0;  // the first byte only chooses
    const std::string body(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string input = withHeader ? std::string(kHeader) + body : body;
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const BatchStatus status = PriceBatch(in, out, err, false);
    if (status == BatchStatus::UnusableInput) {
        fuzz::Require(!err.str().empty(), "unusable input is explained on standard error");
        return 0;
    }
    std::vector<std::vector<std::string>> read;
    std::vector<std::vector<std::string>> written;
    const std::size_t inputRecords = CountRecords(input, &read);
    fuzz::Require(CountRecords(out.str(), &written) == inputRecords,
                  "one output row per input row, header included");
    bool anyMessage = false;
    for (std::size_t row = 1; row < written.size(); ++row) {
        const std::vector<std::string>& fields = written[row];
        if (withHeader && read[row].size() == kInputFields) {
            fuzz::Require(std::equal(read[row].begin(), read[row].end(), fields.begin()),
                          "every input field is echoed as it was read");
        }
        fuzz::Require(fields.size() == kInputFields + kResultFields + 1,
                      "every output row has the input, result and message columns");
        for (std::size_t i = kInputFields; i < kInputFields + kResultFields; ++i) {
            fuzz::Require(fields[i].empty() || fuzz::IsPlainDecimal(fields[i]),
                          "a result is empty or a plain finite decimal");
        }
        anyMessage |= !fields.back().empty();
    }
    fuzz::Require(anyMessage == (status == BatchStatus::SomeNotValued),
                  "the exit status is 1 exactly when some row has a message");
    return 0;
}
