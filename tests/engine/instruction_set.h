#pragma once

#include <hwy/targets.h>

#include <string_view>

namespace volantra::testing {

/// Restricts the block code to one instruction set ("avx2", "sse4", "scalar"), so that a
/// check can prove each; "best" leaves the processor's widest.
inline void ChooseInstructionSet(std::string_view name) {
    if (name == "avx2") {
        hwy::SetSupportedTargetsForTest(HWY_AVX2);
    } else if (name == "sse4") {
        hwy::SetSupportedTargetsForTest(HWY_SSE4);
    } else if (name == "scalar") {
        hwy::SetSupportedTargetsForTest(HWY_SCALAR);
    }
}

}  // namespace volantra::testing
