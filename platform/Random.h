#pragma once

#include <cstdint>

// The program-wide pseudo-random generator. Its state starts at 0 and is never seeded from the
// clock, so a given sequence of sorts and overwrites repeats exactly from run to run.
namespace Rng {

// A draw in 0..n-1; advances the state by one step.
uint32_t Random(uint32_t n);

uint32_t Seed();
void SetSeed(uint32_t seed);

} // namespace Rng
