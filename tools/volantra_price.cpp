// volantra-price: prices option rows from CSV with the very digits of the screens.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <thread>

#include "tools/batch_pricer.h"

namespace {

constexpr std::string_view kUsage = R"(Usage: volantra-price [OPTION]... [FILE]

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
  dividend           expected dividend, currency      } optional columns; the dividend
  dividend_interest  interest for the dividend, %     } box counts as ticked when any
  dividend_time      days to the dividend payment     } of these three is not empty
  value              with --solve only: the option value the screen shows, as 5.70
A UTF-8 byte-order mark before the header is skipped.

Numbers: with commas between fields, a point as decimal symbol (12.5); with
semicolons between fields, as spreadsheets write where the decimal symbol is a
comma, a decimal comma (12,5), also in the output. No digit grouping.

Output columns, in this order:
  screen, asset, strike, maturity, volatility, interest
                     the input columns, as they came; volatility and interest also
                     when --solve or --sweep fills them
  dividend, dividend_interest, dividend_time
                     only when the input has a dividend column or --sweep steps one
  matches            with --solve only: every position that shows the value, as
                     ranges ("29-31 40")
  value              option value, currency, 2 decimals ("0.00" below 0.02)
  delta              change of value per unit of asset price
  gamma              change of delta per unit of asset price
  theta              change of value per year of elapsed time
  vega               change of value per 1.00 of volatility (not per percent)
  rho                change of value per 1.00 of interest rate (not per percent)
  message            empty, or the message the screen would show
  full_growthFactor ... full_rho
                     with --full only
The indicators have 4 decimals. A row that cannot be valued gets its message
and empty results, and the run goes on.

Options:
  --solve BAR        BAR is volatility or interest. Each row leaves that column
                     empty and gives the value column instead; the program moves
                     the bar over every position, writes the lowest position that
                     shows the value in the bar's column, all of them in matches,
                     and the results at the lowest. When none shows it, the message
                     names the nearest position and the value it shows.
  --sweep COLUMN=FROM:TO[:STEP]
                     writes one row per value FROM, FROM+STEP, ... up to TO (STEP 1
                     when left out) in place of COLUMN: asset, strike, maturity,
                     dividend, dividend_interest or dividend_time by a decimal step,
                     volatility or interest by whole positions within the bar's range.
                     Numbers here take a point as decimal symbol.
  --jobs N           prices on N threads (0: one per core); the output keeps the
                     input's order
  --delimiter D      D is , or ; : the field separator, instead of the guess from
                     the header (semicolons when it has them and no comma)
  --full             also write every field of the valuation, as full_growthFactor
                     to full_rho, in round-trip precision: 9 significant digits for single
                     precision fields, 17 for the double-precision density
  --version          show the version
  --help             show this text

Examples:
  volantra-price --solve volatility quotes.csv    with columns screen,asset,strike,
                                                  maturity,interest,value
  volantra-price --sweep volatility=10:60:5 options.csv
  volantra-price semicolons.csv                   a spreadsheet's "CSV UTF-8" file with
                                                  screen;asset;... and decimal commas

Exit status: 0 when every row was valued (with --solve: every value was found),
1 when some row was not, 2 when the input or the options cannot be used (no
header, a bad header, an unreadable file, a quote never closed, a bad range).
)";

int Usage(std::string_view problem) {
    std::cerr << "volantra-price: " << problem << "; see volantra-price --help\n";
    return static_cast<int>(volantra::BatchStatus::UnusableInput);
}

}  // namespace

int main(int argc, char** argv) {
    volantra::BatchOptions options;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        // "--option=value" and "--option value" alike.
        std::string_view value;
        bool hasValue = false;
        if (argument.starts_with("--") && argument.find('=') != std::string_view::npos) {
            value = argument.substr(argument.find('=') + 1);
            argument = argument.substr(0, argument.find('='));
            hasValue = true;
        }
        const auto takeValue = [&]() {
            if (!hasValue && i + 1 < argc) {
                value = argv[++i];
                hasValue = true;
            }
            return hasValue;
        };
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "volantra-price " VOLANTRA_VERSION "\n";
            return 0;
        }
        if (argument == "--full") {
            options.full = true;
        } else if (argument == "--solve") {
            if (!takeValue() || (value != "volatility" && value != "interest")) {
                return Usage("--solve takes volatility or interest");
            }
            options.solve = value == "volatility" ? volantra::ScrollBar::Volatility
                                                  : volantra::ScrollBar::Interest;
        } else if (argument == "--sweep") {
            volantra::SweepRange sweep;
            std::string error;
            if (!takeValue()) {
                return Usage("--sweep needs COLUMN=FROM:TO[:STEP], as in volatility=10:60:5");
            }
            if (!volantra::ParseSweep(value, sweep, error)) {
                return Usage(error);
            }
            options.sweep = sweep;
        } else if (argument == "--jobs") {
            unsigned jobs = 0;
            const auto [end, ec] =
                takeValue() ? std::from_chars(value.data(), value.data() + value.size(), jobs)
                            : std::from_chars_result{value.data(), std::errc::invalid_argument};
            if (ec != std::errc{} || end != value.data() + value.size() || jobs > 1024) {
                return Usage("--jobs takes a number of threads, 0 for one per core");
            }
            options.jobs = jobs != 0 ? jobs : std::max(1u, std::thread::hardware_concurrency());
        } else if (argument == "--delimiter") {
            if (!takeValue() || (value != "," && value != ";")) {
                return Usage("--delimiter takes , or ;");
            }
            options.delimiter = value[0];
        } else if (path == nullptr && (argument == "-" || !argument.starts_with("-"))) {
            path = argv[i];
        } else {
            return Usage("unexpected argument \"" + std::string(argv[i]) + "\"");
        }
    }
    if (options.solve && options.sweep) {
        return Usage("--solve and --sweep cannot be used together");
    }

    std::ios::sync_with_stdio(false);
    if (path == nullptr || std::strcmp(path, "-") == 0) {
        return static_cast<int>(volantra::PriceBatch(std::cin, std::cout, std::cerr, options));
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "volantra-price: cannot open " << path << ": " << std::strerror(errno) << '\n';
        return static_cast<int>(volantra::BatchStatus::UnusableInput);
    }
    return static_cast<int>(volantra::PriceBatch(file, std::cout, std::cerr, options));
}
