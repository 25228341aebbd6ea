// The local time the date and time variables show, with a fixed time for tests.
#pragma once

#include <ctime>
#include <optional>

namespace pladdo {

// The current local time, or the fixed time while one is set.
std::tm LocalNow();

// Makes LocalNow return time until cleared with std::nullopt.
void SetFixedTime(std::optional<std::tm> time);

}  // namespace pladdo
