#pragma once
// The program's one pseudo-random generator: seeded once at start-up, so that the About box
// colours differ from run to run.

#include <cstdint>

void Randomize(std::uint64_t seed);
// A uniform integer from 0 up to but not including `range` (range > 0).
std::uint32_t Random(std::uint32_t range);
