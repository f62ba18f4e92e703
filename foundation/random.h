#pragma once
// The process-wide pseudo-random generator: MT19937, seeded from the clock on the first draw.
// The interface thread and the fit worker both draw from it, so every operation is serialised.
#include <cstdint>

namespace Random {

// The next tempered word divided by 2^32 - 1: a value in [0, 1], both ends included.
double Real();
// The next tempered word.
std::uint32_t Integer();
// Seeds from the calendar time. The draws do this themselves before the first draw.
void Seed();
// Seeds with the given first word; the same word always gives the same sequence.
void SeedWith(std::uint32_t first);

}  // namespace Random
