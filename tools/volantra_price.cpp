// volantra-price: prices option rows from CSV with the very digits of the screens.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include <unistd.h>

#include "batch/batch_run.h"
#include "batch/option_values.h"
#include "batch/output_file.h"

namespace {

constexpr std::string_view USAGE = R"usage(Usage: volantra-price [OPTION]... [FILE]

Prices European stock options, one per CSV row, with exactly the digits that the
Volantra call and put screens show. Reads FILE, or standard input when FILE is
missing or "-"; writes CSV to standard output, or to the file of --output.

Input columns (a header row naming them, in any order, in any case):
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
A UTF-8 byte-order mark before the header is skipped. Other columns, such as an
id or a note, are carried through unchanged in their place:
  id,screen,asset,strike,maturity,volatility,interest,note
  A1,call,100,100,365,20,5,check  ->  A1,call,100,100,365,20,5,check,10.45,...
A misspelt column counts as another column, so the one meant shows as missing.
A row whose fields are all empty, as spreadsheets leave at the end, stays an
empty row in the output. A quote that begins a field quotes it; a quote anywhere
else in a field is an ordinary character.

Delimiters and numbers: the header decides, or --delimiter. With commas between
fields, a point as decimal symbol (12.5). With semicolons and no comma, as
spreadsheets write where the decimal symbol is a comma, a decimal comma (12,5),
also in the output. With tabs and neither, a point as decimal symbol, as in a
file saved as "Text (Tab delimited)" (--delimiter tab when the header holds no
tab). No digit grouping.

Output columns, in this order:
  screen, asset, strike, maturity, volatility, interest
                     the input columns, as they came; volatility and interest also
                     when --solve or --sweep fills them; columns of other names
                     keep their place among these
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
                     with --units trader: theta_per_day, vega_per_point and
                     rho_per_point instead, per calendar day and per percentage point
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
                     Numbers here take a point as decimal symbol. A swept dividend
                     column needs the other two in the input. Two --sweep options
                     make a grid, the first outermost: one row per pair of values.
  --units U          U is screen (the default: the Greeks as the screens show them) or
                     trader: theta per calendar day, vega and rho per percentage point,
                     each the screen's number divided by 365 or 100 and rounded to 4
                     decimals; the full_ fields stay the valuation's own
  --jobs N           prices on N threads (0: one per core); the output keeps the
                     input's order
  --delimiter D      D is , or ; or tab: the field separator, instead of the guess
                     from the header (semicolons when it has them and no comma, tabs
                     when it has them and neither)
  -o, --output FILE  writes to FILE, which is replaced only when the run ends
                     without an input or output error: a failed run leaves it as
                     it was
  --full             also write every field of the valuation, as full_growthFactor
                     to full_rho, in round-trip precision: 9 significant digits for single
                     precision fields, 17 for the double-precision density
  --version          show the version
  --help             show this text

Examples:
  volantra-price --solve volatility quotes.csv    with columns screen,asset,strike,
                                                  maturity,interest,value
  volantra-price --sweep volatility=10:60:5 options.csv
  volantra-price --sweep asset=90:110:10 --sweep volatility=19:21 options.csv
                                                  a grid: 3 x 3 rows per input row,
                                                  asset 90 with volatility 19, 20, 21,
                                                  then asset 100 ...
  volantra-price -o priced.csv options.csv        priced.csv replaced only on success
  volantra-price semicolons.csv                   a spreadsheet's "CSV UTF-8" file with
                                                  screen;asset;... and decimal commas
  volantra-price --delimiter tab options.txt      tab-separated

Exit status:
  0  every row was valued as given (with --solve: every value was found); empty
     rows do not count
  1  some row was not: it has a message, such as "Asset is not a number" or
     "Enter Dividend,Interest,Time values" for a dividend without its rate or
     days (valued with a dividend of 0, as the screen does); the output is still
     written whole
  2  the run failed, with a message naming the cause: the options or the header
     cannot be used (a bad range, --solve without a value column, a swept
     dividend column without the other two), the input cannot be read, a quote
     is never closed, the output cannot be written (a full disk), or the
     system ran out of memory or threads; with --output the file is left as it
     was
  volantra-price quotes.csv > priced.csv || echo "status $?: see the messages"
)usage";

// The command line, read.
struct Command {
    volantra::BatchOptions options;
    const char* input = nullptr;   // null or "-": standard input
    const char* output = nullptr;  // null or "-": standard output
};

int Usage(std::string_view problem) {
    std::cerr << "volantra-price: " << problem << "; see volantra-price --help\n";
    return static_cast<int>(volantra::BatchStatus::UnusableInput);
}

// The arguments one at a time, "--option=value" and "--option value" alike.
class Arguments {
public:
    Arguments(int argc, char** argv) : argc_(argc), argv_(argv) {}

    bool Next() {
        if (++i_ >= argc_) {
            return false;
        }
        name_ = argv_[i_];
        hasValue_ = name_.starts_with("--") && name_.find('=') != std::string_view::npos;
        if (hasValue_) {
            value_ = name_.substr(name_.find('=') + 1);
            name_ = name_.substr(0, name_.find('='));
        }
        return true;
    }
    [[nodiscard]] std::string_view Name() const { return name_; }
    [[nodiscard]] const char* Whole() const { return argv_[i_]; }
    // The option's value, after '=' or as the next argument.
    bool Value(std::string_view& value) {
        if (!hasValue_ && i_ + 1 < argc_) {
            value_ = argv_[++i_];
            hasValue_ = true;
        }
        value = value_;
        return hasValue_;
    }

private:
    int argc_;
    char** argv_;
    int i_ = 0;
    std::string_view name_;
    std::string_view value_;
    bool hasValue_ = false;
};

// One option or the input file; false, with `problem` set, when it cannot be used.
bool ReadArgument(Arguments& arguments, Command& command, std::string& problem) {
    volantra::BatchOptions& options = command.options;
    const std::string_view name = arguments.Name();
    std::string_view value;
    if (name == "--full") {
        options.full = true;
    } else if (name.starts_with("--") && volantra::IsValueOption(name.substr(2))) {
        arguments.Value(value);  // a missing value reads as empty, which no option takes
        return volantra::ReadOptionValue(name.substr(2), value, options, problem);
    } else if (name == "--output" || name == "-o") {
        problem = "--output takes the name of the file to write";
        if (!arguments.Value(value) || value.empty()) {
            return false;
        }
        command.output = value.data();  // the end of an argument: the text ends there too
    } else if (command.input == nullptr && (name == "-" || !name.starts_with("-"))) {
        command.input = arguments.Whole();
    } else {
        problem = "unexpected argument \"" + std::string(arguments.Whole()) + "\"";
        return false;
    }
    return true;
}

// Reads the command line; an exit status when the run ends here.
std::optional<int> ReadCommand(int argc, char** argv, Command& command) {
    Arguments arguments(argc, argv);
    while (arguments.Next()) {
        if (arguments.Name() == "--help" || arguments.Name() == "-h") {
            std::cout << USAGE;
            return 0;
        }
        if (arguments.Name() == "--version") {
            std::cout << "volantra-price " VOLANTRA_VERSION "\n";
            return 0;
        }
        std::string problem;
        if (!ReadArgument(arguments, command, problem)) {
            return Usage(problem);
        }
    }
    std::string problem;
    if (!volantra::CheckOptions(command.options, problem)) {
        return Usage(problem);
    }
    return std::nullopt;
}

bool IsStandard(const char* path) {
    return path == nullptr || std::strcmp(path, "-") == 0;
}

int Run(Command& command) {
    constexpr int unusable = static_cast<int>(volantra::BatchStatus::UnusableInput);
    volantra::BatchOptions& options = command.options;
    std::ios::sync_with_stdio(false);
    std::ifstream file;
    options.inputName = IsStandard(command.input) ? "standard input" : command.input;
    if (!IsStandard(command.input)) {
        file.open(command.input, std::ios::binary);
        if (!file) {
            std::cerr << "volantra-price: cannot open " << command.input << ": "
                      << std::strerror(errno) << '\n';
            return unusable;
        }
    }
    volantra::FdStreamBuf standardOutput(STDOUT_FILENO);
    std::ostream standardStream(&standardOutput);
    volantra::ReplacingFile output;
    options.outputName = IsStandard(command.output) ? "standard output" : command.output;
    std::string error;
    if (!IsStandard(command.output) && !output.Open(command.output, error)) {
        std::cerr << "volantra-price: " << error << '\n';
        return unusable;
    }
    const volantra::BatchStatus status = volantra::PriceBatch(
        IsStandard(command.input) ? std::cin : file,
        IsStandard(command.output) ? standardStream : output.Stream(), std::cerr, options);
    if (!IsStandard(command.output) && status != volantra::BatchStatus::UnusableInput &&
        !output.Commit(error)) {
        std::cerr << "volantra-price: " << error << '\n';
        return unusable;
    }
    return static_cast<int>(status);
}

}  // namespace

int main(int argc, char** argv) {
    // An unexpected failure ends the run with its reason, never with an abort; the
    // file of --output is left as it was.
    try {
        Command command;
        if (const std::optional<int> status = ReadCommand(argc, argv, command)) {
            return *status;
        }
        return Run(command);
    } catch (const std::bad_alloc&) {
        std::cerr << "volantra-price: out of memory\n";
    } catch (const std::exception& e) {
        std::cerr << "volantra-price: " << e.what() << '\n';
    }
    return static_cast<int>(volantra::BatchStatus::UnusableInput);
}
