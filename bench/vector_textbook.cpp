// The textbook floor, built for every instruction set as the block valuation is.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "vector_textbook.cpp"
#include <hwy/foreach_target.h>  // IWYU pragma: keep
// foreach_target.h must come first: it includes this file again for each target.
#include <hwy/contrib/math/math-inl.h>
#include <hwy/highway.h>

#include "vector_textbook.h"

HWY_BEFORE_NAMESPACE();
namespace volantra::bench::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;
using D = hn::ScalableTag<double>;
using V = hn::Vec<D>;

// N(x) = erfc(-x/√2)/2, erfc by Abramowitz and Stegun 7.1.26 (error below 1.5e-7).
V Normal(D d, V x) {
    const V z = hn::Mul(hn::Abs(x), hn::Set(d, 0.7071067811865476));
    const V t = hn::Div(hn::Set(d, 1.0), hn::MulAdd(z, hn::Set(d, 0.3275911), hn::Set(d, 1.0)));
    V poly = hn::Set(d, 1.061405429);
    for (double c : {-1.453152027, 1.421413741, -0.284496736, 0.254829592}) {
        poly = hn::MulAdd(poly, t, hn::Set(d, c));
    }
    const V tail =
        hn::Mul(hn::Mul(poly, t), hn::Mul(hn::Exp(d, hn::Neg(hn::Mul(z, z))), hn::Set(d, 0.5)));
    return hn::IfThenElse(hn::Lt(x, hn::Zero(d)), tail, hn::Sub(hn::Set(d, 1.0), tail));
}

void Calls(const double* asset, const double* strike, const double* time, const double* interest,
           const double* volatility, std::size_t count, double* const* results) {
    const D d;
    for (std::size_t i = 0; i < count; i += hn::Lanes(d)) {
        const V S = hn::LoadU(d, asset + i);
        const V K = hn::LoadU(d, strike + i);
        const V T = hn::LoadU(d, time + i);
        const V r = hn::LoadU(d, interest + i);
        const V sigma = hn::LoadU(d, volatility + i);
        const V root = hn::Sqrt(T);
        const V sigmaRoot = hn::Mul(sigma, root);
        const V drift = hn::Mul(hn::MulAdd(hn::Mul(sigma, sigma), hn::Set(d, 0.5), r), T);
        const V d1 = hn::Div(hn::Add(hn::Log(d, hn::Div(S, K)), drift), sigmaRoot);
        const V d2 = hn::Sub(d1, sigmaRoot);
        const V discounted = hn::Mul(K, hn::Exp(d, hn::Neg(hn::Mul(r, T))));
        const V density = hn::Mul(hn::Exp(d, hn::Mul(hn::Mul(d1, d1), hn::Set(d, -0.5))),
                                  hn::Set(d, 0.3989422804014327));
        const V nd1 = Normal(d, d1);
        const V nd2 = Normal(d, d2);
        hn::StoreU(hn::Sub(hn::Mul(S, nd1), hn::Mul(discounted, nd2)), d, results[0] + i);
        hn::StoreU(nd1, d, results[1] + i);
        hn::StoreU(hn::Div(density, hn::Mul(S, sigmaRoot)), d, results[2] + i);
        const V decay = hn::Div(hn::Mul(hn::Mul(S, density), sigma), hn::Add(root, root));
        hn::StoreU(hn::Neg(hn::MulAdd(hn::Mul(r, discounted), nd2, decay)), d, results[3] + i);
        hn::StoreU(hn::Mul(hn::Mul(S, density), root), d, results[4] + i);
        hn::StoreU(hn::Mul(hn::Mul(T, discounted), nd2), d, results[5] + i);
    }
}

}  // namespace volantra::bench::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace volantra::bench {
HWY_EXPORT(Calls);

void TextbookCalls(const double* asset, const double* strike, const double* time,
                   const double* interest, const double* volatility, std::size_t count,
                   double* const* results) {
    HWY_DYNAMIC_DISPATCH(Calls)(asset, strike, time, interest, volatility, count, results);
}

}  // namespace volantra::bench
#endif
