#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

// Runs a vector kernel over chunks of elements and finishes one at a time what it left:
// the lanes it could not settle and the elements after its last whole vector.
namespace volantra {

/// `vectors(in, count, out, settled)` handles whole vectors only and returns how many
/// elements it settled; `lanes` is their width; `alone(in)` gives one element. Returns
/// how many went to `alone`.
template <typename In, typename Out, typename Vectors, typename Alone>
std::size_t RunInChunks(std::span<const In> in, std::span<Out> out, std::size_t lanes,
                        Vectors vectors, Alone alone) {
    constexpr std::size_t chunk = 256;
    std::array<double, chunk> settled;  // written by `vectors` for the elements it handles
    std::size_t byOne = 0;
    for (std::size_t first = 0; first < in.size(); first += chunk) {
        const std::size_t count = std::min(chunk, in.size() - first);
        const std::size_t vectored = count - count % lanes;
        if (vectors(in.data() + first, vectored, out.data() + first, settled.data()) == count) {
            continue;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (i >= vectored || settled[i] == 0) {
                out[first + i] = alone(in[first + i]);
                ++byOne;
            }
        }
    }
    return byOne;
}

}  // namespace volantra
