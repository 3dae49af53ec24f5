// Published Black-Scholes values as sanity checks. The model's conventions move digits
// (a four-decimal normal table read at d rounded to four decimals, e taken as 2.7182,
// single precision), so each value must only lie within a stated tolerance: N(d1) and
// N(d2) may each be off by about one table unit, 1e-4, and the density by as much; to
// that comes half a unit in the last digit the source prints.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "engine/valuation.h"

namespace volantra {
namespace {

enum class Field { Value, Gamma, Vega, Rho };

struct PublishedValue {
    const char* source;
    OptionKind kind;
    float S, K;
    double T;
    float r, sigma;
    Field field;
    double published;
    double lastDigit;  // a unit in the last printed digit
};

// J. C. Hull, "Options, Futures, and Other Derivatives", 5th ed., Prentice Hall, 2002,
// Example 12.7. E. G. Haug, "The Complete Guide to Option Pricing Formulas", McGraw-Hill,
// 1998, pp. 2-8 and 11-16, as QuantLib's test-suite/europeanoption.cpp quotes them; only
// the rows without a dividend yield, which this model does not have. Vega and rho are
// per 1.00 of volatility and interest, as here.
const PublishedValue kPublished[] = {
    {"Hull Ex. 12.7", OptionKind::Call, 42, 40, 0.5, 0.10f, 0.20f, Field::Value, 4.76, 0.01},
    {"Hull Ex. 12.7", OptionKind::Put, 42, 40, 0.5, 0.10f, 0.20f, Field::Value, 0.81, 0.01},
    {"Haug p. 2", OptionKind::Call, 60, 65, 0.25, 0.08f, 0.30f, Field::Value, 2.1334, 1e-4},
    {"Haug gamma", OptionKind::Call, 55, 60, 0.75, 0.10f, 0.30f, Field::Gamma, 0.0278, 1e-4},
    {"Haug gamma", OptionKind::Put, 55, 60, 0.75, 0.10f, 0.30f, Field::Gamma, 0.0278, 1e-4},
    {"Haug vega", OptionKind::Call, 55, 60, 0.75, 0.10f, 0.30f, Field::Vega, 18.9358, 1e-4},
    {"Haug vega", OptionKind::Put, 55, 60, 0.75, 0.10f, 0.30f, Field::Vega, 18.9358, 1e-4},
    {"Haug rho", OptionKind::Call, 72, 75, 1.0, 0.09f, 0.19f, Field::Rho, 38.7325, 1e-4},
};

TEST(Valuation, StaysWithinTheModelsToleranceOfPublishedValues) {
    constexpr double kTableUnit = 1e-4;
    for (const PublishedValue& row : kPublished) {
        const Checked<PricingResult> valued =
            ValueOption(row.kind, {row.S, row.K, row.T, row.r, row.sigma, 0.0f});
        ASSERT_TRUE(valued.Ok()) << row.source;
        const PricingResult& r = valued.value;
        const double rootT = std::sqrt(row.T);
        double computed = 0;
        double modelTolerance = 0;
        switch (row.field) {
            case Field::Value:  // S·N(d1) − K·e^(−rT)·N(d2)
                computed = r.optionValue;
                modelTolerance = (row.S + row.K) * kTableUnit;
                break;
            case Field::Gamma:  // density / (S·σ·√T)
                computed = r.gamma;
                modelTolerance = kTableUnit / (row.S * row.sigma * rootT);
                break;
            case Field::Vega:  // S·density·√T
                computed = r.vega;
                modelTolerance = row.S * rootT * kTableUnit;
                break;
            case Field::Rho:  // ±K·T·e^(−rT)·N(±d2)
                computed = r.rho;
                modelTolerance = row.K * row.T * kTableUnit;
                break;
        }
        EXPECT_NEAR(computed, row.published, modelTolerance + row.lastDigit / 2)
            << row.source << (row.kind == OptionKind::Call ? " call" : " put");
    }
}

}  // namespace
}  // namespace volantra
