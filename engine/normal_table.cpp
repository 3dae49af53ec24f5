#include "engine/normal_table.h"

#include <cmath>

#include "engine/number_text.h"

namespace volantra {
namespace {

// Φ(z) for z = 0.00, 0.01, ..., 4.09, rounded to four decimals, in ten-thousandths.
// The rows at z = 0.74 and 0.77 lie within 1e-7 of a rounding tie.
constexpr std::array<int, 410> POSITIVE_HALF = {
    5000,  5040,  5080,  5120,  5160,  5199,  5239,  5279,  5319,  5359,   // z = 0.00
    5398,  5438,  5478,  5517,  5557,  5596,  5636,  5675,  5714,  5753,   // z = 0.10
    5793,  5832,  5871,  5910,  5948,  5987,  6026,  6064,  6103,  6141,   // z = 0.20
    6179,  6217,  6255,  6293,  6331,  6368,  6406,  6443,  6480,  6517,   // z = 0.30
    6554,  6591,  6628,  6664,  6700,  6736,  6772,  6808,  6844,  6879,   // z = 0.40
    6915,  6950,  6985,  7019,  7054,  7088,  7123,  7157,  7190,  7224,   // z = 0.50
    7257,  7291,  7324,  7357,  7389,  7422,  7454,  7486,  7517,  7549,   // z = 0.60
    7580,  7611,  7642,  7673,  7704,  7734,  7764,  7794,  7823,  7852,   // z = 0.70
    7881,  7910,  7939,  7967,  7995,  8023,  8051,  8078,  8106,  8133,   // z = 0.80
    8159,  8186,  8212,  8238,  8264,  8289,  8315,  8340,  8365,  8389,   // z = 0.90
    8413,  8438,  8461,  8485,  8508,  8531,  8554,  8577,  8599,  8621,   // z = 1.00
    8643,  8665,  8686,  8708,  8729,  8749,  8770,  8790,  8810,  8830,   // z = 1.10
    8849,  8869,  8888,  8907,  8925,  8944,  8962,  8980,  8997,  9015,   // z = 1.20
    9032,  9049,  9066,  9082,  9099,  9115,  9131,  9147,  9162,  9177,   // z = 1.30
    9192,  9207,  9222,  9236,  9251,  9265,  9279,  9292,  9306,  9319,   // z = 1.40
    9332,  9345,  9357,  9370,  9382,  9394,  9406,  9418,  9429,  9441,   // z = 1.50
    9452,  9463,  9474,  9484,  9495,  9505,  9515,  9525,  9535,  9545,   // z = 1.60
    9554,  9564,  9573,  9582,  9591,  9599,  9608,  9616,  9625,  9633,   // z = 1.70
    9641,  9649,  9656,  9664,  9671,  9678,  9686,  9693,  9699,  9706,   // z = 1.80
    9713,  9719,  9726,  9732,  9738,  9744,  9750,  9756,  9761,  9767,   // z = 1.90
    9772,  9778,  9783,  9788,  9793,  9798,  9803,  9808,  9812,  9817,   // z = 2.00
    9821,  9826,  9830,  9834,  9838,  9842,  9846,  9850,  9854,  9857,   // z = 2.10
    9861,  9864,  9868,  9871,  9875,  9878,  9881,  9884,  9887,  9890,   // z = 2.20
    9893,  9896,  9898,  9901,  9904,  9906,  9909,  9911,  9913,  9916,   // z = 2.30
    9918,  9920,  9922,  9925,  9927,  9929,  9931,  9932,  9934,  9936,   // z = 2.40
    9938,  9940,  9941,  9943,  9945,  9946,  9948,  9949,  9951,  9952,   // z = 2.50
    9953,  9955,  9956,  9957,  9959,  9960,  9961,  9962,  9963,  9964,   // z = 2.60
    9965,  9966,  9967,  9968,  9969,  9970,  9971,  9972,  9973,  9974,   // z = 2.70
    9974,  9975,  9976,  9977,  9977,  9978,  9979,  9979,  9980,  9981,   // z = 2.80
    9981,  9982,  9982,  9983,  9984,  9984,  9985,  9985,  9986,  9986,   // z = 2.90
    9987,  9987,  9987,  9988,  9988,  9989,  9989,  9989,  9990,  9990,   // z = 3.00
    9990,  9991,  9991,  9991,  9992,  9992,  9992,  9992,  9993,  9993,   // z = 3.10
    9993,  9993,  9994,  9994,  9994,  9994,  9994,  9995,  9995,  9995,   // z = 3.20
    9995,  9995,  9995,  9996,  9996,  9996,  9996,  9996,  9996,  9997,   // z = 3.30
    9997,  9997,  9997,  9997,  9997,  9997,  9997,  9997,  9997,  9998,   // z = 3.40
    9998,  9998,  9998,  9998,  9998,  9998,  9998,  9998,  9998,  9998,   // z = 3.50
    9998,  9998,  9999,  9999,  9999,  9999,  9999,  9999,  9999,  9999,   // z = 3.60
    9999,  9999,  9999,  9999,  9999,  9999,  9999,  9999,  9999,  9999,   // z = 3.70
    9999,  9999,  9999,  9999,  9999,  9999,  9999,  9999,  9999,  9999,   // z = 3.80
    10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000,  // z = 3.90
    10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000, 10000,  // z = 4.00
};

constexpr std::array<float, NORMAL_TABLE_SIZE> BuildTable() {
    std::array<float, NORMAL_TABLE_SIZE> table{};
    for (std::size_t j = 0; j < POSITIVE_HALF.size(); ++j) {
        // Dividing two exact floats gives the single nearest the four-decimal value;
        // Φ(-z) = 1 - Φ(z) holds for the four-decimal values since no row is a tie.
        table[411 + j] = static_cast<float>(POSITIVE_HALF[j]) / 10000.0f;
        table[1 + j] = static_cast<float>(10000 - POSITIVE_HALF[j]) / 10000.0f;
    }
    return table;
}

constexpr float SMALL_BAND = 0.0051f;  // the first argument the general bands take
constexpr double TABLE_STEP = 0.01;
constexpr long POSITIVE_FIRST_ROW = 411;
constexpr long NEGATIVE_FIRST_ROW = 1;

// x to two decimals through text, as a magnitude and as the row that magnitude keys.
struct TableKey {
    double magnitude;
    long row;  // 100·magnitude
};

TableKey KeyOf(float x) {
    const float key = RoundViaText<float>(x, 2);
    // The rounding's own whole hundredths, where it has them, spare a multiplication and
    // a conversion on the way to the table.
    double hundredths = 0;
    if (!number_text_detail::RoundQuickly(x, 2, hundredths)) {
        hundredths = std::round(100.0 * std::fabs(key));  // the key is the single nearest it
    }
    return {std::fabs(static_cast<double>(key)), static_cast<long>(hundredths)};
}

}  // namespace

constinit const std::array<float, NORMAL_TABLE_SIZE> NormalTable = BuildTable();

float LookupNormal(float x) {
    if (std::isnan(x)) {
        return x;
    }
    if (x > 4.0f) {
        return 1.0f;
    }
    if (x < -4.0f) {
        return 0.0f;
    }
    if (x == 0.0f) {
        return 0.5f;
    }
    const TableKey key = KeyOf(x);
    const double towardsZero = key.magnitude - std::fabs(static_cast<double>(x));
    // Both halves run away from zero. The positive half interpolates from its key's row
    // and the next, the negative half from the row before; in the first band both take
    // their first two rows. Picked by arithmetic, as the sign of d1 and d2 is anyone's guess.
    const bool firstBand = std::fabs(x) < SMALL_BAND;
    const long row = (x > 0 ? POSITIVE_FIRST_ROW : NEGATIVE_FIRST_ROW) + (firstBand ? 0 : key.row);
    const long pair = row - ((x < 0 && !firstBand) ? 1 : 0);
    const double base = NormalTable[static_cast<std::size_t>(row)];
    const double slope = static_cast<double>(NormalTable[static_cast<std::size_t>(pair)]) -
                         NormalTable[static_cast<std::size_t>(pair + 1)];
    return RoundViaText<float>(base + (slope * towardsZero) / TABLE_STEP, 4);
}

const std::array<float, FOUR_DECIMAL_ARGUMENTS>& NormalOfFourDecimals() {
    // Filled in place: at 320 KiB the table is too large for a thread's stack.
    struct Lookups {
        std::array<float, FOUR_DECIMAL_ARGUMENTS> values;
        Lookups() : values() {
            constexpr int middle = FOUR_DECIMAL_ARGUMENTS / 2;
            for (int k = 0; k < FOUR_DECIMAL_ARGUMENTS; ++k) {
                // One correctly rounded division gives the single nearest the four
                // decimals, which is what rounding through text reads.
                const float argument = static_cast<float>(k - middle) / 10000.0F;
                values[static_cast<std::size_t>(k)] = LookupNormal(argument);
            }
        }
    };
    static const Lookups lookups;
    return lookups.values;
}

}  // namespace volantra
