// The shared random generator: the linear congruential generator of the
// Microsoft C runtime, so a pinned seed gives the same draws on every machine.
#include "engine/Random.h"

#include <cstdint>
#include <ctime>

namespace pladdo {

namespace {

std::uint32_t g_state = 1;
bool g_pinned = false;

}  // namespace

void SeedRandomFromClock() {
  if (g_pinned) {
    return;
  }
  g_state = static_cast<std::uint32_t>(std::time(nullptr));
}

void PinRandomSeed(unsigned seed) {
  g_state = seed;
  g_pinned = true;
}

void UnpinRandomSeed() { g_pinned = false; }

int DrawRandom() {
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

}  // namespace pladdo
