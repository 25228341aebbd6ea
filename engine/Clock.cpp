// The local time for the date and time variables, with a fixed time for tests.
#include "engine/Clock.h"

namespace pladdo {

namespace {

std::optional<std::tm> g_fixedTime;

}  // namespace

std::tm LocalNow() {
  if (g_fixedTime) {
    return *g_fixedTime;
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) {
    // Only an out-of-range clock fails here; show midnight rather than junk.
    return std::tm{};
  }
  return local;
}

void SetFixedTime(std::optional<std::tm> time) { g_fixedTime = time; }

}  // namespace pladdo
