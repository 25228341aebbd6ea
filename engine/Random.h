// The random choice shared by every engine: a process-wide generator with the
// Windows runtime's range (0 to 32767), seeded from the clock by each new
// engine unless a fixed seed was pinned (tests, --seed).
#pragma once

namespace pladdo {

inline constexpr int kRandomMax = 32767;

// Seeds the generator with the current time in seconds, unless a seed is
// pinned.
void SeedRandomFromClock();

// Seeds the generator with seed and keeps it: later SeedRandomFromClock calls
// do nothing until UnpinRandomSeed.
void PinRandomSeed(unsigned seed);
void UnpinRandomSeed();

// The next number, 0 to kRandomMax.
int DrawRandom();

}  // namespace pladdo
