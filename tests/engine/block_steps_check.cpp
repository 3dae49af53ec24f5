// Checks the block valuation's steps on every value of their domain against their
// one-at-a-time forms, bit for bit, and counts the elements finished one at a time.
// Run by hand:   block_steps_check [threads] [stride] [instruction set: best, avx2, sse4
//                 or scalar]
//   - the normal density of both kinds at every four-decimal d1 from -1000 to 1000;
//   - the log of every positive finite single;
//   - every finite single rounded through text to 2 and to 4 decimals, and its rounding
//     to 4 divided by 365 and by 100 and rounded again, as traders' units show a Greek.
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "engine/block_rounding.h"
#include "engine/block_steps.h"
#include "engine/number_text.h"
#include "exhaustive_threads.h"
#include "instruction_set.h"

namespace {

using namespace volantra;

constexpr std::uint64_t CHUNK = 1 << 12;
constexpr std::int64_t DENSITY_KEYS = 10'000'000;  // d1 = ±1000.0000

// Elements each step finished one at a time, over all threads.
std::atomic<std::uint64_t> densitiesByOne{0};
std::atomic<std::uint64_t> logsByOne{0};
std::atomic<std::uint64_t> roundingsByOne{0};
std::atomic<std::uint64_t> traderRoundingsByOne{0};

template <typename T>
bool Same(T a, T b) {
    using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
    return std::bit_cast<Bits>(a) == std::bit_cast<Bits>(b);
}

void Mismatch(const char* step, double input) {
    std::printf("MISMATCH %s at %.17g\n", step, input);
}

// Chunk `key` of the four-decimal d1, both kinds.
void CheckDensities(std::uint64_t key, testing::Tally& tally) {
    std::array<float, CHUNK> d1{};
    std::array<double, CHUNK> densities{};
    for (std::uint64_t i = 0; i < CHUNK; ++i) {
        const auto k = static_cast<std::int64_t>(key * CHUNK + i) - DENSITY_KEYS;
        d1[i] = static_cast<float>(k) / 10000.0F;
    }
    for (OptionKind kind : {OptionKind::Call, OptionKind::Put}) {
        densitiesByOne += NormalDensities(kind, d1, densities);
        for (std::uint64_t i = 0; i < CHUNK; ++i) {
            if (!Same(densities[i], NormalDensity(kind, d1[i]))) {
                ++tally.mismatches;
                Mismatch(kind == OptionKind::Call ? "call density" : "put density", d1[i]);
            }
            ++tally.checked;
        }
    }
}

// A Greek as the screen shows it, in traders' units: divided by 365 or 100, the
// quotient rounded to 4 decimals again.
void CheckTraderRoundings(const std::array<double, CHUNK>& shown, testing::Tally& tally) {
    std::array<double, CHUNK> divided{};
    std::array<double, CHUNK> rounded{};
    for (const double divisor : {365.0, 100.0}) {
        for (std::uint64_t i = 0; i < CHUNK; ++i) {
            divided[i] = std::isfinite(shown[i]) ? shown[i] / divisor : 0.0;
        }
        traderRoundingsByOne += RoundDoublesViaText(divided, 4, rounded);
        for (std::uint64_t i = 0; i < CHUNK; ++i) {
            if (!Same(rounded[i], RoundViaText<double>(divided[i], 4))) {
                ++tally.mismatches;
                Mismatch("traders' rounding", divided[i]);
            }
        }
    }
}

// Chunk `key` of the singles by their bits: logs of the positive, roundings of all.
void CheckSingles(std::uint64_t key, testing::Tally& tally) {
    std::array<float, CHUNK> values{};
    std::array<float, CHUNK> logs{};
    std::array<double, CHUNK> rounded{};
    for (std::uint64_t i = 0; i < CHUNK; ++i) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(key * CHUNK + i));
        values[i] = std::isfinite(value) ? value : 0.0F;
    }
    const bool positive = !std::signbit(values[0]);
    if (positive) {
        std::array<float, CHUNK> logInputs{};
        for (std::uint64_t i = 0; i < CHUNK; ++i) {
            logInputs[i] = values[i] > 0 ? values[i] : 1.0F;
        }
        logsByOne += LogsOfSingles(logInputs, logs);
        for (std::uint64_t i = 0; i < CHUNK; ++i) {
            const auto expected = static_cast<float>(std::log(static_cast<double>(logInputs[i])));
            tally.mismatches += Same(logs[i], expected) ? 0 : 1;
            if (!Same(logs[i], expected)) {
                Mismatch("log", logInputs[i]);
            }
        }
    }
    for (int decimals : {2, 4}) {
        roundingsByOne += RoundSinglesViaText(values, decimals, rounded);
        for (std::uint64_t i = 0; i < CHUNK; ++i) {
            if (!Same(rounded[i], RoundViaText<double>(values[i], decimals))) {
                ++tally.mismatches;
                Mismatch(decimals == 2 ? "rounding to 2" : "rounding to 4", values[i]);
            }
        }
    }
    CheckTraderRoundings(rounded, tally);  // the Greeks rounded to 4 decimals
    tally.checked += CHUNK;
}

}  // namespace

int main(int argc, char** argv) {
    testing::ChooseInstructionSet(argc > 3 ? argv[3] : "best");
    const int densities =
        testing::CheckEveryKey(argc, argv, 0, (2 * DENSITY_KEYS + 1) / CHUNK,
                               "densities (four-decimal d1, both kinds)", CheckDensities);
    const int singles =
        testing::CheckEveryKey(argc, argv, 0, (std::uint64_t{1} << 32) / CHUNK - 1,
                               "singles (log and two roundings each)", CheckSingles);
    std::printf(
        "finished one at a time: %llu densities, %llu logs, %llu roundings, %llu traders' "
        "roundings\n",
        static_cast<unsigned long long>(densitiesByOne.load()),
        static_cast<unsigned long long>(logsByOne.load()),
        static_cast<unsigned long long>(roundingsByOne.load()),
        static_cast<unsigned long long>(traderRoundingsByOne.load()));
    return densities == 0 && singles == 0 ? 0 : 1;
}
