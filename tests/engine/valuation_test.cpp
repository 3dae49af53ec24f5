#include "engine/valuation.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/number_text.h"
#include "expect_digits.h"
#include "float_bits.h"
#include "worked_examples.h"

namespace volantra {
namespace {

using testing::WorkedExample;
using testing::WorkedExampleNamed;

// The engine's inputs for a worked example, read as the pricing screen reads its boxes:
// days over 365 through their seven-digit text, percents over 100 likewise.
PricingInputs EngineInputs(const WorkedExample& example) {
    auto single = [](const std::string& text) { return ParseNumber<float>(text).value; };
    auto fraction = [](double percent) { return GeneralText<float>(percent / 100.0); };
    PricingInputs in;
    in.assetPrice = single(example.asset);
    in.strikePrice = single(example.strike);
    in.timeToMaturity = GeneralText<double>(static_cast<float>(single(example.maturity) / 365.0));
    in.interestRate = fraction(example.interest);
    in.volatility = fraction(example.volatility);
    if (example.HasDividend()) {
        const Checked<float> present = DividendPresentValue(
            single(example.dividend), fraction(ParseNumber<double>(example.dividendInterest).value),
            GeneralText<float>(ParseNumber<double>(example.dividendTime).value / 365.0));
        EXPECT_TRUE(present.Ok()) << example.name;
        in.dividendPresentValue = present.value;
    }
    return in;
}

// The six results as the result boxes write them.
std::vector<std::string> Displayed(const PricingResult& r) {
    return {FormatFixed(r.optionValue, 2), FormatFixed(r.delta, 4), FormatFixed(r.gamma, 4),
            FormatFixed(r.theta, 4),       FormatFixed(r.vega, 4),  FormatFixed(r.rho, 4)};
}

PricingResult Valued(const WorkedExample& example) {
    const Checked<PricingResult> valued =
        ValueOption(example.IsCall() ? OptionKind::Call : OptionKind::Put, EngineInputs(example));
    EXPECT_TRUE(valued.Ok()) << example.name;
    return valued.value;
}

TEST(ValueOption, EveryWorkedExampleRoundsToItsDisplayedDigits) {
    for (const WorkedExample& example : testing::WorkedExamples()) {
        EXPECT_EQ(Displayed(Valued(example)), example.shown) << example.name;
    }
}

// The intermediates below are the worked examples' steps as the reference results print
// them, to the digits printed.
TEST(ValueCall, AtTheMoneyYearReproducesEveryIntermediate) {
    const WorkedExample& example = WorkedExampleNamed("call");
    ASSERT_EQ(EngineInputs(example).timeToMaturity, 1.0);
    const PricingResult r = Valued(example);
    EXPECT_DIGITS(r.growthFactor, "1.0512695");
    EXPECT_DIGITS(r.logMoneyness, "0.04999851");
    EXPECT_DIGITS(r.halfVarianceTerm, "0.02");
    EXPECT_DIGITS(r.sigmaRootT, "0.2");
    EXPECT_DIGITS(r.d1Raw, "0.3499925");
    EXPECT_EQ(r.d1, 0.35f);
    EXPECT_DIGITS(r.d2Raw, "0.14999999");
    EXPECT_EQ(r.d2, 0.15f);
    EXPECT_EQ(r.nd1, 0.6368f);
    EXPECT_EQ(r.nd2, 0.5596f);
    EXPECT_DIGITS(r.optionValue, "10.449121");
    EXPECT_EQ(r.density, 0.3752);
    EXPECT_EQ(r.delta, 0.6368f);
    EXPECT_DIGITS(r.gamma, "0.01876");
    EXPECT_DIGITS(r.theta, "-6.413544");
    EXPECT_DIGITS(r.vega, "37.52");
    EXPECT_DIGITS(r.rho, "53.230877");
}

TEST(ValueCall, WithADividendReproducesEveryIntermediate) {
    const WorkedExample& example = WorkedExampleNamed("call_with_dividend");
    ASSERT_EQ(EngineInputs(example).dividendPresentValue, 1.0f);
    const PricingResult r = Valued(example);
    EXPECT_DIGITS(r.growthFactor, "1.014904");
    EXPECT_DIGITS(r.moneyness, "1.1051177");
    EXPECT_DIGITS(r.logMoneyness, "0.09995183");
    EXPECT_DIGITS(r.halfVarianceTerm, "0.01109589");
    EXPECT_DIGITS(r.sigmaRootT, "0.14896905");
    EXPECT_DIGITS(r.d1Raw, "0.7454415");
    EXPECT_EQ(r.d1, 0.7454f);
    EXPECT_DIGITS(r.d2Raw, "0.5964310");
    EXPECT_EQ(r.d2, 0.5964f);
    EXPECT_EQ(r.nd1, 0.7720f);
    EXPECT_EQ(r.nd2, 0.7245f);
    EXPECT_DIGITS(r.optionValue, "5.704273");
    EXPECT_EQ(r.density, 0.3022);
    EXPECT_DIGITS(r.gamma, "0.04057219");
    EXPECT_DIGITS(r.theta, "-6.491795");
    EXPECT_DIGITS(r.vega, "7.503074");
    EXPECT_DIGITS(r.rho, "7.920918");
}

TEST(ValuePut, AtTheMoneyYearSharesTheCallsStepsThroughND2) {
    const PricingResult call = Valued(WorkedExampleNamed("call"));
    const PricingResult r = Valued(WorkedExampleNamed("put"));
    EXPECT_EQ(testing::Bits(r.d1Raw), testing::Bits(call.d1Raw));
    EXPECT_EQ(r.d2, call.d2);
    EXPECT_EQ(r.nd1, call.nd1);
    EXPECT_EQ(r.nd2, call.nd2);
    // The put keeps its density unrounded, as a single, so its gamma and vega differ
    // from the call's in the later digits.
    EXPECT_DIGITS(r.density, "0.3752410");
    EXPECT_EQ(r.density, static_cast<double>(static_cast<float>(r.density)));
    EXPECT_DIGITS(r.gamma, "0.0187621");
    EXPECT_DIGITS(r.vega, "37.52411");
    EXPECT_DIGITS(r.optionValue, "5.572206");
    EXPECT_DIGITS(r.rho, "-41.89221");
}

TEST(ValuePut, DensityAtZeroIsOneOverRootTwoPi) {
    // ln(S/K) cancels σ²T/2, so d1 rounds to 0.
    const Checked<PricingResult> valued = ValuePut({98.0199f, 100.0f, 1.0, 0.0f, 0.2f, 0.0f});
    ASSERT_TRUE(valued.Ok());
    EXPECT_EQ(valued.value.d1, 0.0f);
    EXPECT_DIGITS(valued.value.density, "0.3989423");
}

TEST(Valuation, FarFromTheMoneyTheDensityVanishesWithoutAnError) {
    // d1 of about -20, -35, -1381 and +40 on both screens.
    const PricingInputs cases[] = {
        {100.0f, 200.0f, 1.0, 0.0f, 0.0347f, 0.0f},
        {100.0f, 200.0f, 1.0, 0.0f, 0.0198f, 0.0f},
        {1.0f, 1e6f, 1.0, 0.05f, 0.01f, 0.0f},
        {200.0f, 100.0f, 1.0, 0.0f, 0.0173f, 0.0f},
    };
    for (const PricingInputs& in : cases) {
        for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
            const Checked<PricingResult> valued = ValueOption(kind, in);
            ASSERT_TRUE(valued.Ok()) << "K " << in.strikePrice << " σ " << in.volatility;
            const PricingResult& r = valued.value;
            EXPECT_GT(std::fabs(r.d1), 14.4f);
            EXPECT_EQ(r.density, 0.0);
            EXPECT_EQ(r.gamma, 0.0f);
            EXPECT_EQ(r.vega, 0.0f);
            EXPECT_TRUE(std::isfinite(r.theta) && std::isfinite(r.optionValue));
        }
    }
    const PricingResult deep = ValueCall(cases[2]).value;
    EXPECT_LT(deep.d1, -30.0f);
    EXPECT_EQ(deep.nd2, 0.0f);
    EXPECT_EQ(deep.theta, 0.0f);
}

// Without interest the growth is 1 and theta loses its interest term. At the money over
// a year at 20 %, d1 = 0.1 and d2 = −0.1, where the table holds N = 0.5398 and 0.4602,
// and the call rounds the density 0.39695 to 0.3970. By hand: both are worth
// 100 · (0.5398 − 0.4602) = 7.96; the call's gamma is 0.3970 / 20 = 0.01985, which the
// decimal rounding takes up to 0.0199, its vega 39.70 and theta −0.2 · 100 · 0.3970 / 2;
// rho is 100 · 0.4602 for the call and −100 · 0.5398 for the put.
TEST(Valuation, WithoutInterestCallAndPutAtTheMoneyMatchTheHandComputedDigits) {
    const PricingInputs in{100.0f, 100.0f, 1.0, 0.0f, 0.2f, 0.0f};
    const PricingResult call = ValueCall(in).value;
    const PricingResult put = ValuePut(in).value;
    EXPECT_EQ(call.growthFactor, 1.0f);
    EXPECT_EQ(call.d1, 0.1f);
    EXPECT_EQ(call.d2, -0.1f);
    EXPECT_EQ(call.nd1, 0.5398f);
    EXPECT_EQ(call.nd2, 0.4602f);
    EXPECT_EQ(Displayed(call), (std::vector<std::string>{"7.96", "0.5398", "0.0199", "-3.9700",
                                                         "39.7000", "46.0200"}));
    // The put reads its density unrounded, 0.396953, in gamma, theta and vega.
    EXPECT_EQ(Displayed(put), (std::vector<std::string>{"7.96", "-0.4602", "0.0198", "-3.9695",
                                                        "39.6953", "-53.9800"}));
}

TEST(Valuation, PutCallParityHoldsOverAGrid) {
    for (float S : {50.0f, 80.0f, 100.0f, 120.0f, 200.0f}) {
        for (float K : {50.0f, 100.0f, 150.0f}) {
            for (float days : {30.0f, 90.0f, 365.0f, 730.0f}) {
                for (float r : {0.0f, 0.01f, 0.05f, 0.2f, 1.0f}) {
                    for (float sigma : {0.01f, 0.2f, 0.5f, 2.0f}) {
                        for (float pvd : {0.0f, 1.98f}) {
                            const PricingInputs in{S, K,     GeneralText<double>(days / 365.0f),
                                                   r, sigma, pvd};
                            const Checked<PricingResult> call = ValueCall(in);
                            const Checked<PricingResult> put = ValuePut(in);
                            ASSERT_TRUE(call.Ok() && put.Ok());
                            const double forward =
                                (static_cast<double>(S) - pvd) - K / call.value.growthFactor;
                            const double parity =
                                static_cast<double>(call.value.optionValue) - put.value.optionValue;
                            const double scale =
                                std::max({static_cast<double>(S), forward, static_cast<double>(K)});
                            EXPECT_NEAR(parity, forward, 4 * scale * FLT_EPSILON)
                                << "S " << S << " K " << K << " days " << days << " r " << r
                                << " σ " << sigma << " PVD " << pvd;
                        }
                    }
                }
            }
        }
    }
}

struct LimitCase {
    PricingInputs inputs;
    EngineError error;
};
const LimitCase LIMIT_CASES[] = {
    {{100, 0, 1, 0.05f, 0.2f, 0}, EngineError::StrikeNotPositive},
    {{100, -5, 1, 0.05f, 0.2f, 0}, EngineError::StrikeNotPositive},
    {{100, 100, 0, 0.05f, 0.2f, 0}, EngineError::MaturityNotPositive},
    {{100, 100, -1, 0.05f, 0.2f, 0}, EngineError::MaturityNotPositive},
    {{100, 100, 1, 0.05f, 0, 0}, EngineError::VolatilityNotPositive},
    {{1.98f, 100, 1, 0.05f, 0.2f, 1.98f}, EngineError::AssetNotAboveDividend},
    {{0, 100, 1, 0.05f, 0.2f, 0}, EngineError::AssetNotAboveDividend},
    {{-3, 100, 1, 0.05f, 0.2f, 0}, EngineError::AssetNotAboveDividend},
    {{0, 100, 1, 0.05f, 0.2f, -1}, EngineError::AssetNotPositive},
    {{FLT_MAX, 1e-30f, 1, 0.05f, 0.2f, 0}, EngineError::OutOfRange},    // moneyness
    {{1e-38f, 1e-38f, 1e-6, 0.0f, 0.01f, 0}, EngineError::OutOfRange},  // gamma
    {{100, 100, 1e30, 1.0f, 0.2f, 0}, EngineError::OutOfRange},         // growth factor
    {{100, 100, 1e30, -1.0f, 0.2f, 0}, EngineError::OutOfRange},        // growth of 0
    {{NAN, 100, 1, 0.05f, 0.2f, 0}, EngineError::OutOfRange},
    {{100, INFINITY, 1, 0.05f, 0.2f, 0}, EngineError::OutOfRange},
};

TEST(Valuation, EachLimitComesBackAsItsError) {
    for (const LimitCase& c : LIMIT_CASES) {
        for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
            EXPECT_EQ(ValueOption(kind, c.inputs).error, c.error)
                << "S " << c.inputs.assetPrice << " K " << c.inputs.strikePrice << " T "
                << c.inputs.timeToMaturity;
        }
    }
}

// Valued together, in stages across the rows, each row keeps its own outcome: refused
// rows between valued ones, calls beside puts.
TEST(ValueOptions, EveryRowOfABatchComesOutAsValuedAlone) {
    std::vector<OptionKind> kinds;
    std::vector<PricingInputs> rows;
    for (const LimitCase& c : LIMIT_CASES) {
        for (const WorkedExample& example : testing::WorkedExamples()) {
            rows.push_back(EngineInputs(example));
            kinds.push_back(example.IsCall() ? OptionKind::Call : OptionKind::Put);
        }
        rows.push_back(c.inputs);
        kinds.push_back(kinds.size() % 2 == 0 ? OptionKind::Call : OptionKind::Put);
    }
    std::vector<Checked<PricingResult>> batch(rows.size());
    ValueOptions(kinds, rows, batch);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Checked<PricingResult> alone = ValueOption(kinds[i], rows[i]);
        ASSERT_EQ(batch[i].error, alone.error) << "row " << i;
        const PricingResult& a = alone.value;
        const PricingResult& b = batch[i].value;
        for (auto [x, y] : {std::pair{a.d1, b.d1},
                            {a.d2, b.d2},
                            {a.nd1, b.nd1},
                            {a.nd2, b.nd2},
                            {a.optionValue, b.optionValue},
                            {a.delta, b.delta},
                            {a.gamma, b.gamma},
                            {a.theta, b.theta},
                            {a.vega, b.vega},
                            {a.rho, b.rho}}) {
            EXPECT_EQ(std::bit_cast<std::uint32_t>(x), std::bit_cast<std::uint32_t>(y))
                << "row " << i;
        }
        EXPECT_EQ(std::bit_cast<std::uint64_t>(a.density), std::bit_cast<std::uint64_t>(b.density));
    }
}

TEST(Valuation, AnyInputGivesAnErrorOrFiniteResults) {
    std::mt19937 random(20261208);
    auto anyFloat = [&] { return std::bit_cast<float>(static_cast<std::uint32_t>(random())); };
    auto pick = [&](float a, float b) { return random() % 2 ? a : b; };
    for (int i = 0; i < 200000; ++i) {
        const PricingInputs in{pick(anyFloat(), 100.0f), pick(anyFloat(), 100.0f),
                               pick(anyFloat(), 1.0f),   pick(anyFloat(), 0.05f),
                               pick(anyFloat(), 0.2f),   pick(anyFloat(), 0.0f)};
        for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
            const Checked<PricingResult> valued = ValueOption(kind, in);
            if (!valued.Ok()) {
                continue;
            }
            const PricingResult& r = valued.value;
            for (double field : {double{r.optionValue}, r.density, double{r.delta}, double{r.gamma},
                                 double{r.theta}, double{r.vega}, double{r.rho}}) {
                ASSERT_TRUE(std::isfinite(field)) << i;
            }
        }
    }
}

TEST(DividendPresentValue, DiscountsWithTheApproximateExponential) {
    EXPECT_EQ(DividendPresentValue(2.0f, 0.05f, 0.2f).value, 1.98f);
    EXPECT_EQ(DividendPresentValue(1.0f, 0.05f, GeneralText<float>(30.0 / 365.0)).value, 1.0f);
    EXPECT_EQ(DividendPresentValue(2.0f, 0.05f, GeneralText<float>(73.0 / 365.0)).value, 1.98f);
    EXPECT_EQ(DividendPresentValue(0.0f, 0.05f, 0.5f).value, 0.0f);
    EXPECT_EQ(DividendPresentValue(2.345f, 0.0f, 0.5f).value, 2.35f);
    EXPECT_EQ(DividendPresentValue(2.345f, 0.05f, 0.0f).value, 2.35f);
    EXPECT_EQ(DividendPresentValue(5.0f, 1e20f, 1e20f).value, 0.0f);  // growth past the range
    EXPECT_EQ(DividendPresentValue(5.0f, -1e20f, 1e20f).error, EngineError::OutOfRange);
    EXPECT_EQ(DividendPresentValue(FLT_MAX, -1.0f, 1.0f).error, EngineError::OutOfRange);
    EXPECT_EQ(DividendPresentValue(NAN, 0.05f, 1.0f).error, EngineError::OutOfRange);
}

}  // namespace
}  // namespace volantra
