// volantra-price: prices option rows from CSV with the very digits of the screens.
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>

#include "tools/batch_pricer.h"

namespace {

constexpr std::string_view kUsage = R"(Usage: volantra-price [--full] [FILE]

Prices European stock options, one per CSV row, with exactly the digits that the
Volantra call and put screens show. Reads FILE, or standard input when FILE is
missing or "-"; writes CSV to standard output.

Input columns (a header row naming them, in any order):
  screen             call or put
  asset              asset price, currency, as typed on the screen
  strike             strike price, currency
  maturity           days to maturity
  volatility         volatility bar position, whole percent from 1 to 200
  interest           interest bar position, whole percent from 0 to 100
  dividend           expected dividend, currency      } the dividend box counts as
  dividend_interest  interest for the dividend, %     } ticked when any of these
  dividend_time      days to the dividend payment     } three is not empty
Numbers use a point as decimal symbol and no digit grouping.

Output columns: the input columns, then
  value              option value, currency, 2 decimals ("0.00" below 0.02)
  delta              change of value per unit of asset price
  gamma              change of delta per unit of asset price
  theta              change of value per year of elapsed time
  vega               change of value per 1.00 of volatility (not per percent)
  rho                change of value per 1.00 of interest rate (not per percent)
  message            empty, or the message the screen would show
The indicators have 4 decimals. A row that cannot be valued gets its message
and empty results, and the run goes on.

Options:
  --full             also write every field of the valuation, as full_growthFactor
                     to full_rho, in round-trip precision: 9 significant digits for single
                     precision fields, 17 for the double-precision density
  --help             show this text

Exit status: 0 when every row was valued, 1 when some row was not, 2 when the
input cannot be used (no header, a bad header, an unreadable file).
)";

}  // namespace

int main(int argc, char** argv) {
    bool full = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--full") {
            full = true;
        } else if (path == nullptr && (argument == "-" || !argument.starts_with("-"))) {
            path = argv[i];
        } else {
            std::cerr << "volantra-price: unexpected argument \"" << argument
                      << "\"; see volantra-price --help\n";
            return static_cast<int>(volantra::BatchStatus::UnusableInput);
        }
    }

    std::ios::sync_with_stdio(false);
    if (path == nullptr || std::strcmp(path, "-") == 0) {
        return static_cast<int>(volantra::PriceBatch(std::cin, std::cout, std::cerr, full));
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "volantra-price: cannot open " << path << ": " << std::strerror(errno) << '\n';
        return static_cast<int>(volantra::BatchStatus::UnusableInput);
    }
    return static_cast<int>(volantra::PriceBatch(file, std::cout, std::cerr, full));
}
