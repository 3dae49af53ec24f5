// Values rows at every interest position and every whole day to maturity, up to the day
// the growth factor leaves the single range (at most 10^6 days), many at a time and one
// at a time, and counts the rows that differ in any bit. Run by hand:
//   block_growth_check
#include <cmath>
#include <cstdio>
#include <vector>

#include "tests/cycle/random_box_rows.h"

int main() {
    using namespace volantra;
    constexpr int lastDay = 1'000'000;
    std::uint64_t rows = 0;
    std::uint64_t byOneRow = 0;
    std::uint64_t mismatches = 0;
    std::vector<OptionKind> kinds;
    std::vector<PricingInputs> inputs;
    std::vector<Checked<PricingResult>> together;
    for (int interest = 0; interest <= INTEREST_HIGHEST; ++interest) {
        kinds.clear();
        inputs.clear();
        for (int day = 1; day <= lastDay; ++day) {
            BoxNumbers box{.asset = 100, .strike = 100, .maturityDays = static_cast<float>(day)};
            box.volatilityPercent = 20;
            box.interestPercent = interest;
            inputs.push_back(InputsOfNumbers(box).inputs);
            kinds.push_back(day % 2 == 0 ? OptionKind::Call : OptionKind::Put);
            const double exponent = inputs.back().interestRate * inputs.back().timeToMaturity;
            if (!std::isfinite(static_cast<float>(std::pow(2.7182, exponent)))) {
                break;  // this day and every later one are out of range
            }
        }
        together.resize(inputs.size());
        byOneRow += ValueOptions(kinds, inputs, together);
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            if (!testing::SameBits(together[i], ValueOption(kinds[i], inputs[i]))) {
                if (mismatches++ < 20) {
                    std::printf("differs: interest %d%% day %zu\n", interest, i + 1);
                }
            }
        }
        rows += inputs.size();
    }
    std::printf(
        "%llu rows (every interest position, every whole day) compared; %llu finished "
        "one at a time; %llu mismatches\n",
        static_cast<unsigned long long>(rows), static_cast<unsigned long long>(byOneRow),
        static_cast<unsigned long long>(mismatches));
    return mismatches == 0 ? 0 : 1;
}
