#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

// The harness of the programs that check every value of a finite domain: the keys of a
// range spread over threads, each thread tallying what it checked and what differed.
//   <program> [threads] [stride]   (a stride above 1 samples, for a quick look)
namespace volantra::testing {

/// What one thread, or the whole run, checked.
struct Tally {
    std::uint64_t checked = 0;
    std::uint64_t mismatches = 0;
};

/// Calls check(key, tally) for every key from `first` to `last`, both included, over the
/// threads and with the stride the command line gives; prints the totals, naming what
/// was checked, and returns the program's exit status: 0 when nothing differed.
template <typename Check>
int CheckEveryKey(int argc, char** argv, std::uint64_t first, std::uint64_t last, const char* what,
                  Check check) {
    const unsigned threads = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 2;
    const std::uint64_t stride = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    std::atomic<std::uint64_t> checked{0};
    std::atomic<std::uint64_t> mismatches{0};
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            Tally tally;
            for (std::uint64_t key = first + t * stride; key <= last; key += threads * stride) {
                check(key, tally);
            }
            checked += tally.checked;
            mismatches += tally.mismatches;
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    std::printf("%llu %s checked, %llu mismatches\n",
                static_cast<unsigned long long>(checked.load()), what,
                static_cast<unsigned long long>(mismatches.load()));
    return mismatches == 0 ? 0 : 1;
}

}  // namespace volantra::testing
