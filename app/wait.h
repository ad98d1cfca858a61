#pragma once
#include <cstdint>

namespace vetra {

// The millisecond tick counter.
std::uint32_t TickMilliseconds();

// Returns once the tick counter has passed the start tick + n; n = 0 returns
// at the first tick after the call.
void WaitMilliseconds(std::int16_t n);

}  // namespace vetra
