#include "platform/Random.h"

namespace {
uint32_t g_seed = 0;
}

namespace Rng {

uint32_t Random(uint32_t n)
{
    g_seed = g_seed * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(g_seed) * n) >> 32);
}

uint32_t Seed()
{
    return g_seed;
}

void SetSeed(uint32_t seed)
{
    g_seed = seed;
}

} // namespace Rng
