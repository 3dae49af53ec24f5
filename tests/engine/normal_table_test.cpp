#include "engine/normal_table.h"

#include <cmath>
#include <cstdint>

#include <gtest/gtest.h>

#include "float_bits.h"

namespace volantra {
namespace {

using testing::Bits;

// z of entry i: index 1..410 is the negative half, 411..820 the positive half.
double EntryZ(std::size_t i) {
    return i <= 410 ? -static_cast<double>(i - 1) / 100 : static_cast<double>(i - 411) / 100;
}

long TenThousandths(float entry) {
    return std::lround(static_cast<double>(entry) * 10000);
}

// Φ(z) = ½·erfc(−z/√2): the normal probability function in terms of the complementary
// error function, M. Abramowitz and I. A. Stegun, "Handbook of Mathematical Functions",
// NBS, 1964, §26.2 (P(x) there).
TEST(NormalTable, EveryEntryIsPhiRoundedToFourDecimalsAsTheNearestSingle) {
    EXPECT_EQ(NormalTable[0], 0.0f);
    for (std::size_t i = 1; i < NORMAL_TABLE_SIZE; ++i) {
        const double phi = 0.5 * std::erfc(-EntryZ(i) / std::sqrt(2.0));
        const long rounded = std::lround(phi * 10000);
        ASSERT_GT(std::fabs(phi * 10000 - std::floor(phi * 10000) - 0.5), 1e-6) << "tie at " << i;
        EXPECT_EQ(Bits(NormalTable[i]), Bits(static_cast<float>(rounded) / 10000.0f))
            << "entry " << i << ", z = " << EntryZ(i);
    }
}

TEST(NormalTable, HalvesMirrorEachOther) {
    for (std::size_t i = 1; i <= 410; ++i) {
        EXPECT_EQ(TenThousandths(NormalTable[i]) + TenThousandths(NormalTable[410 + i]), 10000)
            << "entry " << i;
    }
}

// Rows of the table as the reference results list them: index, four-decimal value,
// stored bit pattern.
TEST(NormalTable, MatchesTheReferenceRowsToTheBit) {
    struct Row {
        std::size_t index;
        float value;
        std::uint32_t bits;
    };
    const Row rows[] = {
        {1, 0.5000f, 0x3F000000},   {2, 0.4960f, 0x3EFDF3B6},   {6, 0.4801f, 0x3EF5CFAB},
        {75, 0.2296f, 0x3E6B1C43},  {78, 0.2206f, 0x3E61E4F7},  {101, 0.1587f, 0x3E228241},
        {201, 0.0228f, 0x3CBAC711}, {301, 0.0013f, 0x3AAA64C3}, {390, 0.0001f, 0x38D1B717},
        {391, 0.0000f, 0x00000000}, {411, 0.5000f, 0x3F000000}, {412, 0.5040f, 0x3F010625},
        {485, 0.7704f, 0x3F4538EF}, {488, 0.7794f, 0x3F4786C2}, {511, 0.8413f, 0x3F575F70},
        {611, 0.9772f, 0x3F7A29C7}, {711, 0.9987f, 0x3F7FAACE}, {800, 0.9999f, 0x3F7FF972},
        {801, 1.0000f, 0x3F800000},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(NormalTable[row.index], row.value) << "entry " << row.index;
        EXPECT_EQ(Bits(NormalTable[row.index]), row.bits) << "entry " << row.index;
    }
    for (std::size_t i = 391; i <= 410; ++i) {
        EXPECT_EQ(NormalTable[i], 0.0f);
        EXPECT_EQ(NormalTable[i + 410], 1.0f);
    }
}

// Arguments and results from the reference results, around the small bands, the ends
// and the worked examples' d1 and d2.
TEST(LookupNormal, MatchesTheReferenceArguments) {
    struct Case {
        float x;
        float expected;
    };
    const Case cases[] = {
        {0.0f, 0.5f},        {4.0f, 1.0f},        {4.0001f, 1.0f},     {-4.0f, 0.0f},
        {-4.0001f, 0.0f},    {3.9951f, 1.0f},     {0.0001f, 0.5000f},  {0.0049f, 0.5020f},
        {0.0050f, 0.4980f},  {0.0051f, 0.5020f},  {0.01f, 0.5040f},    {-0.0049f, 0.4980f},
        {-0.0050f, 0.5020f}, {-0.0051f, 0.4980f}, {-0.01f, 0.4960f},   {0.35f, 0.6368f},
        {0.3456f, 0.6351f},  {1.2345f, 0.8915f},  {-1.2345f, 0.1084f}, {0.7454f, 0.7720f},
        {0.5964f, 0.7245f},  {0.15f, 0.5596f},    {1e30f, 1.0f},       {-1e30f, 0.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LookupNormal(c.x), c.expected) << "x = " << c.x;
    }
}

TEST(LookupNormal, SmallArgumentsStayOnTheirSideOfOneHalf) {
    for (int step = 1; step <= 49; ++step) {
        const float x = static_cast<float>(step) / 10000.0f;
        EXPECT_GE(LookupNormal(x), 0.5f) << x;
        EXPECT_LE(LookupNormal(-x), 0.5f) << -x;
    }
}

TEST(LookupNormal, RisesAcrossTheWholeRange) {
    float previous = 0.0f;
    for (int step = -41000; step <= 41000; ++step) {
        const float x = static_cast<float>(step) / 10000.0f;
        const float n = LookupNormal(x);
        ASSERT_GE(n, 0.0f);
        ASSERT_LE(n, 1.0f);
        // The small bands bend back by design around ±0.005; elsewhere a cell's line
        // extended backwards may undercut its neighbour by at most one table unit.
        if (std::fabs(x) > 0.0052f) {
            ASSERT_GE(n, previous - 0.00011f) << "x = " << x;
        }
        previous = n;
    }
}

}  // namespace
}  // namespace volantra
