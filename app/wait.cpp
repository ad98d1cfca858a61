#include "app/wait.h"

#include <chrono>

namespace vetra {

std::uint32_t TickMilliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void WaitMilliseconds(std::int16_t n) {
  const std::uint32_t start = TickMilliseconds();
  // Unsigned difference: the counter may wrap around during the wait.
  while (TickMilliseconds() - start <= static_cast<std::uint32_t>(n < 0 ? 0 : n)) {
  }
}

}  // namespace vetra
