#include "platform/Random.h"

#include <gtest/gtest.h>

TEST(RandomTest, firstDrawsFromAFreshGeneratorAreFixed)
{
    Rng::SetSeed(0);
    const uint32_t expected[] = {0, 8, 220, 51, 69, 171, 81, 41};
    for (uint32_t value : expected)
        EXPECT_EQ(Rng::Random(256), value);
}

TEST(RandomTest, drawsStayBelowTheLimitAndAdvanceTheState)
{
    Rng::SetSeed(12345);
    for (int i = 0; i < 1000; ++i) {
        const uint32_t before = Rng::Seed();
        EXPECT_LT(Rng::Random(7), 7u);
        EXPECT_EQ(Rng::Seed(), before * 134775813u + 1u);
    }
    EXPECT_EQ(Rng::Random(1), 0u);
}
