// Cost of one valuation, its building blocks and one batch row, beside a textbook
// double-precision Black-Scholes with std::erfc and all five Greeks as the floor, and
// QuantLib's BlackCalculator, the lightest analytic path of the most used pricing library.
#include <benchmark/benchmark.h>
#include <ql/pricingengines/blackcalculator.hpp>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "batch/batch_pricer.h"
#include "engine/normal_table.h"
#include "engine/number_text.h"
#include "engine/valuation.h"

namespace {

using namespace volantra;

// Varied inputs within the screens' ranges, the same for every benchmark.
std::vector<PricingInputs> Inputs() {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> asset(20, 200);
    std::uniform_int_distribution<int> days(1, 1000);
    std::uniform_int_distribution<int> volatility(1, 200);
    std::uniform_int_distribution<int> interest(0, 100);
    std::vector<PricingInputs> inputs(1024);
    for (PricingInputs& in : inputs) {
        in.assetPrice = asset(random);
        in.strikePrice = asset(random);
        in.timeToMaturity = GeneralText<double>(static_cast<float>(days(random) / 365.0));
        in.volatility = static_cast<float>(volatility(random) / 100.0);
        in.interestRate = static_cast<float>(interest(random) / 100.0);
    }
    return inputs;
}

struct Textbook {
    double value, delta, gamma, theta, vega, rho;
};

Textbook TextbookCall(double S, double K, double T, double r, double sigma) {
    const double rootT = std::sqrt(T);
    const double d1 = (std::log(S / K) + (r + sigma * sigma / 2) * T) / (sigma * rootT);
    const double d2 = d1 - sigma * rootT;
    const double nd1 = 0.5 * std::erfc(-d1 / std::sqrt(2.0));
    const double nd2 = 0.5 * std::erfc(-d2 / std::sqrt(2.0));
    const double density = std::exp(-d1 * d1 / 2) / std::sqrt(2 * M_PI);
    const double discount = std::exp(-r * T);
    return {
        S * nd1 - K * discount * nd2,  nd1,
        density / (S * sigma * rootT), -S * density * sigma / (2 * rootT) - r * K * discount * nd2,
        S * density * rootT,           K * T * discount * nd2};
}

void BM_TextbookFloor(benchmark::State& state) {
    const auto inputs = Inputs();
    std::size_t i = 0;
    for (auto _ : state) {
        const PricingInputs& in = inputs[i++ % inputs.size()];
        benchmark::DoNotOptimize(TextbookCall(in.assetPrice, in.strikePrice, in.timeToMaturity,
                                              in.interestRate, in.volatility));
    }
}

void BM_Valuation(benchmark::State& state, OptionKind kind) {
    const auto inputs = Inputs();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ValueOption(kind, inputs[i++ % inputs.size()]));
    }
}

void BM_LookupNormal(benchmark::State& state) {
    std::vector<float> arguments;
    for (int step = -4100; step <= 4100; step += 7) {
        arguments.push_back(static_cast<float>(step) / 1000.0f);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LookupNormal(arguments[i++ % arguments.size()]));
    }
}

void BM_RoundViaText(benchmark::State& state) {
    const auto inputs = Inputs();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RoundViaText<float>(inputs[i++ % inputs.size()].assetPrice, 4));
    }
}

// Prices the rows one per iteration, in turn, as a batch reads them.
void PriceRowsInTurn(benchmark::State& state, const BatchPricer& pricer,
                     const std::vector<std::vector<std::string>>& texts) {
    std::vector<std::vector<std::string_view>> rows;
    for (const auto& row : texts) {
        rows.emplace_back(row.begin(), row.end());
    }
    std::string out;
    BatchCounts counts;
    std::size_t i = 0;
    for (auto _ : state) {
        out.clear();
        pricer.PriceRow(rows[i++ % rows.size()], out, counts);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_BatchRow(benchmark::State& state) {
    BatchPricer pricer(false);
    std::string error;
    pricer.ReadHeader({"screen", "asset", "strike", "maturity", "volatility", "interest",
                       "dividend", "dividend_interest", "dividend_time"},
                      error);
    std::mt19937 random(11);
    std::vector<std::vector<std::string>> texts;
    for (int n = 0; n < 1024; ++n) {
        const bool dividend = n % 4 == 0;
        texts.push_back({n % 2 ? "call" : "put", std::to_string(20 + random() % 180),
                         std::to_string(20 + random() % 180), std::to_string(1 + random() % 1000),
                         std::to_string(1 + random() % 200), std::to_string(random() % 101),
                         dividend ? "1.5" : "", dividend ? "4" : "", dividend ? "30" : ""});
    }
    PriceRowsInTurn(state, pricer, texts);
}

// The three side by side: mixed calls and puts on the same inputs, each with a dividend
// whose present value is computed per valuation, and all five Greeks.
struct DividendInputs {
    PricingInputs in;
    float amount, rate, time;  // currency, fraction per year, years

    /// The asset price less the dividend's present value, in double as a textbook takes it.
    [[nodiscard]] double SpotLessDividend() const {
        return in.assetPrice - amount * std::exp(-static_cast<double>(rate) * time);
    }
};

std::vector<DividendInputs> WithDividends() {
    std::mt19937 random(13);
    std::uniform_real_distribution<float> amount(0.5f, 2.5f);
    std::uniform_int_distribution<int> percent(1, 9);
    std::uniform_int_distribution<int> days(1, 80);
    std::vector<DividendInputs> inputs;
    for (const PricingInputs& in : Inputs()) {
        inputs.push_back({in, amount(random), static_cast<float>(percent(random) / 100.0),
                          static_cast<float>(days(random) / 365.0)});
    }
    return inputs;
}

void BM_Versus_Floor(benchmark::State& state) {
    const auto inputs = WithDividends();
    std::size_t i = 0;
    for (auto _ : state) {
        const DividendInputs& d = inputs[i % inputs.size()];
        const double S = d.SpotLessDividend();
        const double K = d.in.strikePrice;
        const double T = d.in.timeToMaturity;
        const double r = d.in.interestRate;
        const Textbook call = TextbookCall(S, K, T, r, d.in.volatility);
        if (i++ % 2 == 0) {
            benchmark::DoNotOptimize(call);
        } else {  // put-call parity for value, delta, theta and rho
            const double discount = std::exp(-r * T);
            benchmark::DoNotOptimize(Textbook{call.value - S + K * discount, call.delta - 1,
                                              call.gamma, call.theta + r * K * discount, call.vega,
                                              call.rho - K * T * discount});
        }
    }
}

void BM_Versus_QuantLib(benchmark::State& state) {
    const auto inputs = WithDividends();
    std::size_t i = 0;
    for (auto _ : state) {
        const DividendInputs& d = inputs[i % inputs.size()];
        const double spot = d.SpotLessDividend();
        const double T = d.in.timeToMaturity;
        const double discount = std::exp(-static_cast<double>(d.in.interestRate) * T);
        const QuantLib::BlackCalculator black(
            i++ % 2 == 0 ? QuantLib::Option::Call : QuantLib::Option::Put, d.in.strikePrice,
            spot / discount, d.in.volatility * std::sqrt(T), discount);
        benchmark::DoNotOptimize(black.value());
        benchmark::DoNotOptimize(black.delta(spot));
        benchmark::DoNotOptimize(black.gamma(spot));
        benchmark::DoNotOptimize(black.theta(spot, T));
        benchmark::DoNotOptimize(black.vega(T));
        benchmark::DoNotOptimize(black.rho(T));
    }
}

void BM_Versus_Volantra(benchmark::State& state) {
    auto inputs = WithDividends();
    std::size_t i = 0;
    for (auto _ : state) {
        DividendInputs& d = inputs[i % inputs.size()];
        d.in.dividendPresentValue = DividendPresentValue(d.amount, d.rate, d.time).value;
        benchmark::DoNotOptimize(
            ValueOption(i++ % 2 == 0 ? OptionKind::Call : OptionKind::Put, d.in));
    }
}

// One row of --solve volatility: the cycle at all 200 positions, then the six results.
void BM_SolveRow(benchmark::State& state) {
    BatchOptions options;
    options.solve = ScrollBar::Volatility;
    BatchPricer pricer(options, ',');
    std::string error;
    pricer.ReadHeader({"screen", "asset", "strike", "maturity", "interest", "value", "dividend",
                       "dividend_interest", "dividend_time"},
                      error);
    std::mt19937 random(19);
    std::vector<std::vector<std::string>> texts;
    for (int n = 0; n < 256; ++n) {
        const bool dividend = n % 4 == 0;
        texts.push_back({n % 2 ? "call" : "put", std::to_string(20 + random() % 180),
                         std::to_string(20 + random() % 180), std::to_string(1 + random() % 1000),
                         std::to_string(random() % 101), std::to_string(random() % 30) + ".50",
                         dividend ? "1.5" : "", dividend ? "4" : "", dividend ? "30" : ""});
    }
    PriceRowsInTurn(state, pricer, texts);
}

BENCHMARK(BM_SolveRow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Versus_Floor);
BENCHMARK(BM_Versus_QuantLib);
BENCHMARK(BM_Versus_Volantra);
BENCHMARK(BM_TextbookFloor);
BENCHMARK_CAPTURE(BM_Valuation, ValueCall, OptionKind::Call);
BENCHMARK_CAPTURE(BM_Valuation, ValuePut, OptionKind::Put);
BENCHMARK(BM_LookupNormal);
BENCHMARK(BM_RoundViaText);
BENCHMARK(BM_BatchRow);

}  // namespace
