#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The worked examples every layer's tests check, read from tests/worked_examples.csv:
// what is typed on a pricing screen and the six results it shows, digit for digit.
// The rows are the reference results the calculator reproduces; the user guide, the
// README and the man page print the same digits.
namespace volantra::testing {

struct WorkedExample {
    std::string name;
    std::string screen;  ///< "call" or "put", as the batch pricer names them
    std::string asset;   ///< box texts, as typed
    std::string strike;
    std::string maturity;  ///< days
    int volatility = 0;    ///< bar positions, in percent
    int interest = 0;
    std::string dividend;  ///< the dividend row; all three empty without a dividend
    std::string dividendInterest;
    std::string dividendTime;
    std::vector<std::string> shown;  ///< value, delta, gamma, theta, vega, rho, as displayed

    [[nodiscard]] bool IsCall() const { return screen == "call"; }
    [[nodiscard]] bool HasDividend() const { return !dividend.empty(); }
};

/// Every worked example, in the table's order; the table is read once.
const std::vector<WorkedExample>& WorkedExamples();

/// The worked example of that name; throws when the table has none.
const WorkedExample& WorkedExampleNamed(std::string_view name);

/// The first `count` shown texts of the worked example of that name, each followed by
/// `delimiter`, as a batch output row holds them; with the decimal comma in a ';' file.
std::string ShownFields(std::string_view name, char delimiter = ',', std::size_t count = 6);

}  // namespace volantra::testing
